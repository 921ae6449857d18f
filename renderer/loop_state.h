// How a window's loop ends, apart from the window procedure so it is tested
// natively.
#pragma once

namespace renderer {

// Why the current window's loop ends, weakest first: when several things
// arrive in the same turn of the loop (a display change and an Esc release),
// the strongest decides. A user's Esc or a close request always ends the
// program; a Tab makes the next window in the other mode, which is made
// afresh for the new display anyway.
enum class LoopEnd {
    None,        // still running; at the quit message: a set-up step failed
    Recreate,    // the same mode again: the display changed, or a set-up is retried
    SwitchMode,  // Tab: full screen and the framed window change places
    Quit,        // Esc or close: the program ends with exit code 1
};

// The stronger of the two reasons.
LoopEnd stronger(LoopEnd a, LoopEnd b);

}  // namespace renderer
