#include "extras/about_box.h"

#include "widgets/secret_panel.h"

#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

using namespace lirra;

TEST(AboutBox, TheCreditsFitAndRestartFromBelowEachShowingAndOnlyThePictureTakesTheClick)
{
    TForm9 form;
    auto* image = form.findChild<QLabel*>(QStringLiteral("Image1"));
    auto* panel = form.findChild<TSecretPanel*>(QStringLiteral("SecretPanel1"));
    ASSERT_TRUE(image && panel);
    const QFontMetrics metrics(panel->font());
    for (const QString& line : panel->lines())
        EXPECT_LE(metrics.horizontalAdvance(line), panel->textRect().width()) << line.toStdString();

    const auto open = [&] {
        form.show();
        return QTest::qWaitForWindowExposed(&form);
    };
    ASSERT_TRUE(open());
    EXPECT_TRUE(form.pos() == form.screen()->geometry().center() - form.rect().center() && panel->active());
    for (int i = 0; i < 40; ++i)
        panel->tick();
    QTest::mouseClick(panel, Qt::LeftButton); // the credits take no clicks
    EXPECT_TRUE(form.isVisible());
    QTest::mouseClick(image, Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_TRUE(!form.isVisible() && !panel->active());

    ASSERT_TRUE(open());
    EXPECT_EQ(panel->scrollCounter(), 0);
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_TRUE(!form.isVisible() && !panel->active()); // however it closed, nothing runs behind it
}
