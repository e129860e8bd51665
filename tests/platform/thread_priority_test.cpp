#include "platform/thread_priority.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <thread>

// Only the thread that asks goes into the background, with the threads it starts; the
// window's thread keeps its priority.
TEST(ThreadPriority, OnlyTheAskingThreadAndItsChildrenGoIntoTheBackground)
{
    const int window = ::getpriority(PRIO_PROCESS, 0);
    int worker = window, child = window;
    std::thread([&] {
        lirra::platform::runThisThreadInBackground();
        worker = ::getpriority(PRIO_PROCESS, 0);
        std::thread([&] { child = ::getpriority(PRIO_PROCESS, 0); }).join();
    }).join();
    EXPECT_GT(worker, 0);
    EXPECT_GE(worker, window);
    EXPECT_EQ(child, worker);
    EXPECT_EQ(::getpriority(PRIO_PROCESS, 0), window);
}
