#include "widgets/rx_tray_icon.h"

#include "fake_tray_shell.h"

#include <QApplication>
#include <QMenu>
#include <QPixmap>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace lirra;
using M = TrayMouseMessage;

namespace {

QIcon image(Qt::GlobalColor color)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(color);
    return QIcon(pixmap);
}

class RxTrayIconTest : public ::testing::Test {
protected:
    RxTrayIconTest() : tray(nullptr, std::unique_ptr<TrayShell>(shell)) { }
    void press(M down, M up)
    {
        shell->send(down);
        shell->send(up);
    }
    FakeTrayShell* shell = new FakeTrayShell;
    TRxTrayIcon tray;
    QSignalSpy clicks{&tray, &TRxTrayIcon::clicked};
};

} // namespace

TEST(TrayHint, ShortPartBeforeTheBarAtMost63Characters)
{
    EXPECT_EQ(shortHint(QStringLiteral("Reader|long help text")), QStringLiteral("Reader"));
    EXPECT_EQ(shortHint(QString(70, QLatin1Char('x'))).size(), 63);
}

TEST_F(RxTrayIconTest, ShownWhileActiveAndItHasAnImageAndTheShellTakesIt)
{
    EXPECT_FALSE(shell->shown);   // active by default, but there is nothing to show yet
    tray.setHint(QStringLiteral("Reader|more"));
    tray.setIcon(image(Qt::red));
    EXPECT_TRUE(shell->shown && tray.isAdded());
    EXPECT_EQ(shell->tip, QStringLiteral("Reader"));
    tray.setHint(QStringLiteral("Other"));   // changes reach the shown icon at once
    EXPECT_EQ(shell->tip, QStringLiteral("Other"));
    tray.setIcon(QIcon());   // no image: the icon goes
    EXPECT_FALSE(shell->shown);

    tray.setIcon(image(Qt::blue));
    tray.setActive(false);
    EXPECT_FALSE(shell->shown);
    tray.setHint(QStringLiteral("Hidden"));   // an inactive icon stays away
    EXPECT_FALSE(shell->shown);
    tray.setActive(true);
    EXPECT_TRUE(shell->shown);
    EXPECT_EQ(shell->tip, QStringLiteral("Hidden"));

    tray.setActive(false);
    shell->accepts = false;
    tray.setActive(true);
    EXPECT_FALSE(tray.isAdded());
}

TEST_F(RxTrayIconTest, LeftClickOnReleaseOnlyWhenPressedOnTheIcon)
{
    tray.setIcon(image(Qt::red));
    QSignalSpy downs(&tray, &TRxTrayIcon::mouseDown);
    QSignalSpy ups(&tray, &TRxTrayIcon::mouseUp);
    shell->send(M::LeftUp);   // pressed elsewhere
    EXPECT_EQ(clicks.count(), 0);
    press(M::LeftDown, M::LeftUp);
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks[0][0].value<Qt::MouseButton>(), Qt::LeftButton);
    shell->send(M::LeftUp);   // one press, one click
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(downs.count(), 1);
    EXPECT_EQ(ups.count(), 3);

    press(M::MiddleDown, M::MiddleUp);
    tray.setEnabled(false);
    press(M::LeftDown, M::LeftUp);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(downs.count(), 2);
}

TEST_F(RxTrayIconTest, RightClickOpensTheMenuInsteadOfClicking)
{
    tray.setIcon(image(Qt::red));
    press(M::RightDown, M::RightUp);   // no menu: an ordinary click
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks[0][0].value<Qt::MouseButton>(), Qt::RightButton);

    QMenu menu;
    menu.addAction(QStringLiteral("Show"));
    tray.setPopupMenu(&menu);
    press(M::RightDown, M::RightUp);
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(clicks.count(), 1);
    menu.hide();

    tray.setActive(false);   // an inactive icon shows no menu
    press(M::RightDown, M::RightUp);
    EXPECT_FALSE(menu.isVisible());
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(RxTrayIconTest, DoubleClickRunsTheMenusDefaultItemElseItsEvent)
{
    tray.setIcon(image(Qt::red));
    QSignalSpy doubles(&tray, &TRxTrayIcon::doubleClicked);
    QMenu menu;
    QAction* show = menu.addAction(QStringLiteral("Show"));
    QSignalSpy shown(show, &QAction::triggered);
    tray.setPopupMenu(&menu);
    shell->send(M::LeftDouble);
    menu.setDefaultAction(show);
    shell->send(M::LeftDouble);
    show->setEnabled(false);
    shell->send(M::LeftDouble);
    EXPECT_EQ(shown.count(), 1);
    EXPECT_EQ(doubles.count(), 2);
}

TEST_F(RxTrayIconTest, AnimationCyclesTheFramesWhileShown)
{
    const QList<QIcon> frames{image(Qt::red), image(Qt::green), image(Qt::blue)};
    tray.setIcon(image(Qt::black));
    tray.setIcons(frames);
    tray.setInterval(5);
    tray.setAnimated(true);
    EXPECT_EQ(shell->iconKey, frames[0].cacheKey());
    for (const int frame : {1, 2, 0})
        EXPECT_TRUE(QTest::qWaitFor([&] { return shell->iconKey == frames[frame].cacheKey(); })) << frame;
    tray.setAnimated(false);
    EXPECT_EQ(shell->iconKey, tray.icon().cacheKey());
    const int modifications = shell->modifications;
    QTest::qWait(30);
    EXPECT_EQ(shell->modifications, modifications);
}
