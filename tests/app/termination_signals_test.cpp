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
    ASSERT_NE(::signal(SIGHUP, formerHandler), SIG_ERR);
    {
        TerminationSignals endings;
        QSignalSpy received(&endings, &TerminationSignals::received);
        const int raised[] = {SIGTERM, SIGINT, SIGHUP};
        for (int signalNumber : raised)
            ASSERT_EQ(::raise(signalNumber), 0);
        EXPECT_TRUE(received.isEmpty()); // nothing runs inside the handler
        ASSERT_TRUE(QTest::qWaitFor([&] { return received.size() == 3; }, 5000));
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(received[i][0].toInt(), raised[i]);
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
