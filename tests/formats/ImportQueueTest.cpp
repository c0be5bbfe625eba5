// The hand-over queue of the line import's two threads: order, the bound on
// the recipes it holds, and closing, which must free either side from a wait.
#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <future>
#include <memory>
#include <thread>

#include "formats/ImportQueue.h"

namespace pantrio {
namespace {

ImportEvent EventAt(long line, bool withRecipe) {
    ImportEvent event;
    event.kind = withRecipe ? ImportEvent::Kind::Recipe : ImportEvent::Kind::Title;
    event.line = line;
    if (withRecipe) event.recipe = std::make_unique<Recipe>();
    return event;
}

TEST(ImportQueueTest, KeepsTheOrderAndNeverHoldsMoreRecipesThanItsBound) {
    constexpr std::size_t kMaxRecipes = 4;
    constexpr long kEvents = 3000;
    ImportQueue queue(kMaxRecipes);
    std::thread pusher([&] {
        for (long line = 1; line <= kEvents; ++line) queue.Push(EventAt(line, line % 3 == 0));
        queue.Push(ImportEvent{});
    });
    long expected = 1;
    bool ended = false;
    std::deque<ImportEvent> batch;
    while (!ended && queue.TakeAll(batch)) {
        std::size_t recipes = 0;
        for (; !batch.empty(); batch.pop_front()) {
            const ImportEvent& event = batch.front();
            if (event.kind == ImportEvent::Kind::End) {
                ended = true;
                continue;
            }
            ASSERT_EQ(event.line, expected);
            EXPECT_EQ(event.recipe != nullptr, expected % 3 == 0);
            if (event.recipe) ++recipes;
            ++expected;
        }
        EXPECT_LE(recipes, kMaxRecipes);
        std::this_thread::yield();  // let the pusher fill the queue up
    }
    pusher.join();
    EXPECT_TRUE(ended);
    EXPECT_EQ(expected, kEvents + 1);
}

TEST(ImportQueueTest, AFullQueueMakesThePusherWaitAndClosingFreesBothSides) {
    {
        ImportQueue queue(1);
        ASSERT_TRUE(queue.Push(EventAt(1, true)));
        // The queue is full: the next recipe waits until the close refuses it.
        auto blocked = std::async(std::launch::async, [&] { return queue.Push(EventAt(2, true)); });
        EXPECT_EQ(blocked.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
        queue.Close();
        EXPECT_FALSE(blocked.get());
        // What was queued before the close is still there, then nothing.
        std::deque<ImportEvent> batch;
        ASSERT_TRUE(queue.TakeAll(batch));
        ASSERT_EQ(batch.size(), 1u);
        EXPECT_EQ(batch.front().line, 1);
        EXPECT_FALSE(queue.TakeAll(batch));
        EXPECT_FALSE(queue.Push(EventAt(3, false)));
    }
    {
        // Two messages fill a queue of two events as well.
        ImportQueue queue(64, 2);
        ASSERT_TRUE(queue.Push(EventAt(1, false)));
        ASSERT_TRUE(queue.Push(EventAt(2, false)));
        auto blocked =
            std::async(std::launch::async, [&] { return queue.Push(EventAt(3, false)); });
        EXPECT_EQ(blocked.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
        std::deque<ImportEvent> batch;
        ASSERT_TRUE(queue.TakeAll(batch));
        EXPECT_TRUE(blocked.get());
    }
    {
        ImportQueue queue;
        std::deque<ImportEvent> batch;
        auto waiting = std::async(std::launch::async, [&] { return queue.TakeAll(batch); });
        EXPECT_EQ(waiting.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
        queue.Close();
        EXPECT_FALSE(waiting.get());
    }
}

}  // namespace
}  // namespace pantrio
