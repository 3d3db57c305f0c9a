// The posted-message queue takes posts from any thread; the interface thread dispatches them.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "platform/posix/core/window_table.h"

namespace {

constexpr int kThreads = 4;
constexpr int kPostsEach = 5000;

std::vector<std::vector<int>> received(kThreads);

// Runs on the dispatching thread only.
LRESULT CALLBACK Record(HWND, UINT, WPARAM thread, LPARAM sequence) {
    received[thread].push_back(static_cast<int>(sequence));
    return 0;
}

TEST(WindowTableTest, PostsFromManyThreadsArriveOnceEachAndInOrder) {
    const HWND window = posix::CreateWindowHandle(&Record);
    std::atomic<int> wakeups = 0;
    posix::SetPostedMessageWakeup([&] { ++wakeups; });
    std::atomic<int> finished = 0;
    std::vector<std::thread> posters;
    for (int thread = 0; thread < kThreads; ++thread) {
        posters.emplace_back([&, thread] {
            for (int sequence = 0; sequence < kPostsEach; ++sequence)
                EXPECT_TRUE(PostMessageA(window, WM_USER, static_cast<WPARAM>(thread), sequence));
            ++finished;
        });
    }
    int dispatched = 0;
    // Dispatches while the posts come in, so that taking the queue races with adding to it.
    while (finished < kThreads || posix::HasPostedMessages()) dispatched += posix::DispatchPostedMessages();
    for (std::thread& poster : posters) poster.join();
    posix::SetPostedMessageWakeup({});

    EXPECT_EQ(dispatched, kThreads * kPostsEach);
    EXPECT_FALSE(posix::HasPostedMessages());
    EXPECT_EQ(wakeups, kThreads * kPostsEach);
    std::vector<int> expected(kPostsEach);
    for (int sequence = 0; sequence < kPostsEach; ++sequence) expected[sequence] = sequence;
    for (int thread = 0; thread < kThreads; ++thread) EXPECT_EQ(received[thread], expected) << thread;
}

}  // namespace

TEST(WindowTableTest, ARegisteredMessageIsOneNumberPerNameIgnoringCase) {
    const UINT created = RegisterWindowMessageA("TaskbarCreated");
    EXPECT_GE(created, 0xC000u);
    EXPECT_LE(created, 0xFFFFu);
    EXPECT_EQ(RegisterWindowMessageA("taskbarcreated"), created);
    const UINT other = RegisterWindowMessageA("alarmclock.another-start");
    EXPECT_GE(other, 0xC000u);
    EXPECT_NE(other, created);
    EXPECT_EQ(RegisterWindowMessageA(""), 0u);
}
