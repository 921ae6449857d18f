#include "saver/shared/timed_answer.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

namespace shared {

namespace {

// Shared by the waiter and the asking thread, which may outlive the wait.
struct Answer {
    std::mutex lock;
    std::condition_variable given;
    std::optional<bool> value;
};

}  // namespace

std::optional<bool> answer_within(const std::function<bool()>& question, std::chrono::milliseconds limit) {
    const auto answer = std::make_shared<Answer>();
    std::thread asking;
    try {
        asking = std::thread([answer, question] {
            const bool value = question();
            {
                const std::lock_guard<std::mutex> hold(answer->lock);
                answer->value = value;
            }
            answer->given.notify_all();
        });
    } catch (const std::system_error&) {
        return question();
    }
    std::optional<bool> value;
    {
        std::unique_lock<std::mutex> hold(answer->lock);
        answer->given.wait_for(hold, limit, [&] { return answer->value.has_value(); });
        value = answer->value;
    }
    // An answered question's thread is ending: it is seen to its end here,
    // so that no thread of it is still going down while the caller goes on
    // (starting the music's own threads, say). Only one still waiting for
    // the system is left to run on by itself.
    if (value)
        asking.join();
    else
        asking.detach();
    return value;
}

}  // namespace shared
