#include "extras/clipboard_window.h"

#include "widgets/clipboard_viewer.h"
#include "widgets/plain_text_view.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <gtest/gtest.h>

using namespace lirra;

TEST(ClipboardWindow, StartsHiddenFollowsTheClipboardAndComesToTheFrontWhenShownAgain)
{
    QApplication::clipboard()->clear();
    QWidget owner;
    TForm12 form(&owner);
    EXPECT_EQ(form.windowTitle(), "View Clipboard");
    EXPECT_EQ(form.size(), QSize(447, 318));
    EXPECT_TRUE(form.isWindow());
    EXPECT_FALSE(form.isVisible());
    auto* viewer = form.findChild<TClipboardViewer*>(QStringLiteral("ClipboardViewer1"));
    ASSERT_NE(viewer, nullptr);

    QApplication::clipboard()->setText(QStringLiteral("copied while hidden"));
    QCoreApplication::processEvents();
    form.showInFront();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(viewer->geometry(), form.rect());
    auto* memo = qobject_cast<PlainTextView*>(viewer->shownControl());
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->text(), "copied while hidden");

    form.close();   // closing only hides
    EXPECT_FALSE(form.isVisible());
    form.showInFront();
    form.showMinimized();
    form.showInFront();
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(form.isMinimized());
    EXPECT_EQ(owner.findChildren<TForm12*>().size(), 1);
    QApplication::clipboard()->clear();
}
