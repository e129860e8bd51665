// A logout, kill or Ctrl+C reaches the event loop as a Qt signal instead of ending the
// process on the spot.

#include "app/termination_signals.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>

using lirra::TerminationSignals;

namespace {

int g_formerCalls = 0;
void formerHandler(int) { ++g_formerCalls; }

TEST(TerminationSignals, TermIntAndHupArriveInTheEventLoopAndTheFormerHandlersComeBack)
{
    struct sigaction former = {};
    former.sa_handler = formerHandler;
    sigemptyset(&former.sa_mask);
    ASSERT_EQ(::sigaction(SIGHUP, &former, nullptr), 0);
    {
        TerminationSignals endings;
        QSignalSpy received(&endings, &TerminationSignals::received);
        for (int signalNumber : {SIGTERM, SIGINT, SIGHUP})
            ASSERT_EQ(::raise(signalNumber), 0);
        EXPECT_TRUE(received.isEmpty()); // nothing runs inside the handler
        ASSERT_TRUE(QTest::qWaitFor([&] { return received.size() == 3; }, 5000));
        EXPECT_EQ(received[0][0].toInt(), SIGTERM);
        EXPECT_EQ(received[1][0].toInt(), SIGINT);
        EXPECT_EQ(received[2][0].toInt(), SIGHUP);
        EXPECT_EQ(g_formerCalls, 0);
        ::raise(SIGHUP); // too late for anyone: dropped with the object
    }
    ::raise(SIGHUP);
    EXPECT_EQ(g_formerCalls, 1);
    ::signal(SIGHUP, SIG_DFL);

    TerminationSignals again;
    QSignalSpy received(&again, &TerminationSignals::received);
    QTest::qWait(50);
    EXPECT_TRUE(received.isEmpty());
}

} // namespace
