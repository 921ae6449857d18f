// A question to the system that may take far longer than anyone waits: the
// existence of a file on a network share out of reach, for which the
// system's network client waits 45 to 60 s for the server, while the front
// end's one thread would answer nothing and the picture would not come.
#pragma once

#include <chrono>
#include <functional>
#include <optional>

namespace shared {

// Asks `question` on a thread of its own and waits at most `limit` for its
// answer; nullopt when none came by then. A question not answered in time
// runs on to its end in the background (no system call waiting for a server
// can be cut short) and its answer is dropped, so it must own everything it
// uses. An answered question's thread has ended when this returns. Where no
// thread can be started, the question is asked here.
std::optional<bool> answer_within(const std::function<bool()>& question, std::chrono::milliseconds limit);

}  // namespace shared
