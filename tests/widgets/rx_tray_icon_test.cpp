#include "widgets/rx_tray_icon.h"

#include "fake_tray_shell.h"
#include "qt_printers.h"

#include <QMenu>
#include <QPixmap>
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

// An icon whose events are written down, buttons as numbers (1 left, 2 right, 4 middle).
class RxTrayIconTest : public ::testing::Test {
protected:
    RxTrayIconTest() : tray(nullptr, std::unique_ptr<TrayShell>(shell))
    {
        QObject::connect(&tray, &TRxTrayIcon::mouseDown, [this](Qt::MouseButton button, Qt::KeyboardModifiers, bool twice) {
            events << QStringLiteral("down %1%2").arg(int(button)).arg(twice ? " twice" : "");
        });
        const auto note = [this](const char* what) {
            return [this, what](Qt::MouseButton b) { events << QStringLiteral("%1 %2").arg(what).arg(int(b)); };
        };
        QObject::connect(&tray, &TRxTrayIcon::mouseUp, note("up"));
        QObject::connect(&tray, &TRxTrayIcon::clicked, note("click"));
        QObject::connect(&tray, &TRxTrayIcon::doubleClicked, [this] { events << QStringLiteral("double"); });
        QObject::connect(&menu, &QMenu::aboutToShow, [this] { events << QStringLiteral("menu"); });
        QObject::connect(show, &QAction::triggered, [this] { events << QStringLiteral("default item"); });
    }
    // The events that `messages` from the notification area raise.
    QStringList after(std::initializer_list<M> messages)
    {
        events.clear();
        for (const M message : messages)
            shell->send(message);
        menu.hide();
        return events;
    }

    FakeTrayShell* shell = new FakeTrayShell;
    TRxTrayIcon tray;
    QMenu menu;
    QAction* show = menu.addAction(QStringLiteral("Show"));
    QStringList events;
};

} // namespace

TEST_F(RxTrayIconTest, ShownWithAnImageWhileActiveHintAsTipAnimatedClickOnReleaseRightButtonMenuDoubleClickDefaultItem)
{
    EXPECT_EQ(shortHint(QStringLiteral("Reader|long help text")), QStringLiteral("Reader"));
    EXPECT_EQ(shortHint(QString(70, QLatin1Char('x'))).size(), 63);
    EXPECT_FALSE(shell->shown);   // active by default, but there is nothing to show yet
    tray.setHint(QStringLiteral("Reader|more"));
    tray.setIcon(image(Qt::red));
    EXPECT_TRUE(shell->shown && tray.isAdded() && shell->tip == "Reader");
    tray.setHint(QStringLiteral("Other"));   // changes reach the shown icon at once
    EXPECT_EQ(shell->tip, QStringLiteral("Other"));
    tray.setIcon(QIcon());   // no image: the icon goes
    EXPECT_FALSE(shell->shown);
    tray.setIcon(image(Qt::blue));
    tray.setActive(false);
    tray.setHint(QStringLiteral("Hidden"));   // an inactive icon stays away
    EXPECT_FALSE(shell->shown);
    tray.setActive(true);
    EXPECT_TRUE(shell->shown && shell->tip == "Hidden");
    // Animated, it cycles the frames while shown, and shows its icon again when stopped.
    const QList<QIcon> frames{image(Qt::red), image(Qt::green), image(Qt::black)};
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
    tray.setActive(false);
    shell->accepts = false;
    tray.setActive(true);
    EXPECT_FALSE(tray.isAdded());
    // A release pressed elsewhere, or a second one, is no click; the middle button never clicks.
    EXPECT_EQ(after({M::LeftUp, M::LeftDown, M::LeftUp, M::LeftUp, M::MiddleDown, M::MiddleUp, M::RightDown, M::RightUp}),
              (QStringList{"up 1", "down 1", "click 1", "up 1", "up 1", "down 4", "up 4", "down 2", "click 2", "up 2"}));
    EXPECT_EQ(after({M::LeftDouble}), (QStringList{"double", "down 1 twice"}));
    tray.setPopupMenu(&menu);
    EXPECT_EQ(after({M::RightDown, M::RightUp, M::LeftDouble}),
              (QStringList{"down 2", "menu", "up 2", "double", "down 1 twice"}));
    menu.setDefaultAction(show);
    EXPECT_EQ(after({M::LeftDouble}), (QStringList{"default item", "down 1 twice"}));
    show->setEnabled(false);
    tray.setActive(false);   // an inactive icon shows no menu
    EXPECT_EQ(after({M::LeftDouble, M::RightDown, M::RightUp}),
              (QStringList{"double", "down 1 twice", "down 2", "click 2", "up 2"}));
    tray.setEnabled(false);
    EXPECT_EQ(after({M::LeftDown, M::LeftUp, M::LeftDouble, M::Move}), QStringList());
}
