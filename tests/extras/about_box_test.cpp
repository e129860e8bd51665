#include "extras/about_box.h"

#include "widgets/secret_panel.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

using namespace lirra;

namespace {

class AboutBox : public ::testing::Test {
protected:
    void SetUp() override
    {
        image = form.findChild<QLabel*>(QStringLiteral("Image1"));
        panel = form.findChild<TSecretPanel*>(QStringLiteral("SecretPanel1"));
        ASSERT_TRUE(image && panel);
    }
    void open()
    {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    TForm9 form;
    QLabel* image = nullptr;
    TSecretPanel* panel = nullptr;
};

} // namespace

TEST_F(AboutBox, IsAFramelessPictureOnTopWithTheCreditsPanelOnIt)
{
    EXPECT_EQ(form.windowTitle(), "About Lirra Reader " LIRRA_VERSION " SE");
    EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(form.size(), QSize(398, 249));
    EXPECT_EQ(image->pixmap().size(), QSize(400, 250));
    EXPECT_EQ(image->geometry(), form.rect());
    EXPECT_EQ(panel->geometry(), QRect(225, 105, 166, 61));
    EXPECT_TRUE(panel->cycled());
    EXPECT_EQ(panel->interval(), 70);
    EXPECT_EQ(panel->color(), QColor(Qt::black));
    EXPECT_EQ(panel->fontColor(), QColor(0, 255, 0));
    EXPECT_EQ(panel->font().pixelSize(), 16);
    const QStringList& credits = panel->lines();
    EXPECT_GE(credits.size(), 35);
    EXPECT_GE(credits.count(QString()), credits.size() / 2 - 2);
    QFontMetrics metrics(panel->font());
    for (const QString& line : credits)
        EXPECT_LE(metrics.horizontalAdvance(line), panel->textRect().width()) << line.toStdString();
}

TEST_F(AboutBox, EachShowingStartsTheCreditsFromBelowAndAClickOnThePictureCloses)
{
    open();
    EXPECT_EQ(form.pos(), form.screen()->geometry().center() - form.rect().center());
    EXPECT_TRUE(panel->active());
    for (int i = 0; i < 40; ++i)
        panel->tick();

    QTest::mouseClick(panel, Qt::LeftButton);   // the credits take no clicks
    EXPECT_TRUE(form.isVisible());
    QTest::mouseClick(image, Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(panel->active());

    open();
    EXPECT_EQ(panel->scrollCounter(), 0);
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(panel->active());   // however it closed, nothing runs behind it
}
