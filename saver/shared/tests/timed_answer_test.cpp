// A question asked on a thread of its own with a bound on the wait: an
// answer that comes is passed on, one that does not come in time is none,
// and the question left running ends later without harm.
#include "saver/shared/timed_answer.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <memory>
#include <mutex>

namespace {

using shared::answer_within;

// A question that answers only once it is let go, as a call waiting for a
// server does; it tells when it has returned.
struct Gate {
    std::mutex lock;
    std::condition_variable changed;
    bool open = false;
    bool returned = false;
};

TEST(TimedAnswer, AnAnswerInTimeIsPassedOnAndNoneIsNone) {
    const struct {
        const char* what;
        bool answers;  // before the limit
        bool answer;
        std::chrono::milliseconds limit;
        std::optional<bool> got;
    } cases[] = {
        {"yes at once", true, true, std::chrono::seconds(30), true},
        {"no at once", true, false, std::chrono::seconds(30), false},
        {"never in time", false, true, std::chrono::milliseconds(50), std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto gate = std::make_shared<Gate>();
        gate->open = c.answers;
        const bool answer = c.answer;
        const auto question = [gate, answer] {
            std::unique_lock<std::mutex> hold(gate->lock);
            gate->changed.wait(hold, [&] { return gate->open; });
            gate->returned = true;
            gate->changed.notify_all();
            return answer;
        };
        EXPECT_EQ(answer_within(question, c.limit), c.got);
        // The question left behind runs to its end once it is answered.
        std::unique_lock<std::mutex> hold(gate->lock);
        gate->open = true;
        gate->changed.notify_all();
        gate->changed.wait(hold, [&] { return gate->returned; });
    }
}

}  // namespace
