// Runs on a session bus of its own (dbus-run-session), with a stand-in for the
// desktop's screen saver living on another connection in another thread.

#include "navigation/screen_saver_inhibitor.h"

#include <QDBusConnection>
#include <QMutex>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

using namespace lirra;

namespace {

class FakeScreenSaver : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    QStringList calls() const
    {
        QMutexLocker lock(&m_mutex);
        return m_calls;
    }

public slots:
    uint Inhibit(const QString& application, const QString& reason)
    {
        QMutexLocker lock(&m_mutex);
        m_calls << QStringLiteral("Inhibit %1 (%2)").arg(application, reason);
        return ++m_lastCookie;
    }
    void UnInhibit(uint cookie)
    {
        QMutexLocker lock(&m_mutex);
        m_calls << QStringLiteral("UnInhibit %1").arg(cookie);
    }

private:
    mutable QMutex m_mutex;
    QStringList m_calls;
    uint m_lastCookie = 40;
};

class ScreenSaver : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QDBusConnection::sessionBus().isConnected())
            GTEST_SKIP() << "no session bus";
        thread.start();
        saver.moveToThread(&thread);
        QDBusConnection desktop = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("desktop"));
        ASSERT_TRUE(desktop.registerObject(ScreenSaverInhibitor::kPath, &saver, QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(desktop.registerService(ScreenSaverInhibitor::kService));
    }
    void TearDown() override
    {
        QDBusConnection::disconnectFromBus(QStringLiteral("desktop"));
        thread.quit();
        thread.wait();
    }
    // Waits until the stand-in has seen `count` calls.
    QStringList callsAfter(int count)
    {
        static_cast<void>(QTest::qWaitFor([&] { return saver.calls().size() >= count; }, 2000));
        return saver.calls();
    }

    QThread thread;
    FakeScreenSaver saver;
};

} // namespace

TEST_F(ScreenSaver, HeldOnceWhileWantedAndReleasedWithItsCookieEvenBeforeItCame)
{
    {
        ScreenSaverInhibitor inhibitor;
        inhibitor.inhibit();
        inhibitor.inhibit();   // already asked: not twice
        inhibitor.release();   // the cookie is still on its way
        EXPECT_FALSE(inhibitor.holding());
        EXPECT_EQ(callsAfter(2), (QStringList{QStringLiteral("Inhibit Lirra Reader v" LIRRA_VERSION " (Scrolling a book)"),
                                              QStringLiteral("UnInhibit 41")}));
        inhibitor.inhibit();
        EXPECT_TRUE(QTest::qWaitFor([&] { return inhibitor.holding(); }));
        inhibitor.release();
        inhibitor.release();
        EXPECT_TRUE(!inhibitor.holding() && callsAfter(4).value(3) == "UnInhibit 42");
        inhibitor.inhibit();
        EXPECT_TRUE(QTest::qWaitFor([&] { return inhibitor.holding(); }));
    }
    EXPECT_EQ(callsAfter(6).value(5), QStringLiteral("UnInhibit 43"));   // released at the end
    QTest::qWait(100);
    EXPECT_EQ(saver.calls().size(), 6);
}

#include "screen_saver_inhibitor_test.moc"
