// The start of a full-screen run: the desktop as it was, darkening to black,
// then the spheres coming up from black. Nothing else fades: the frame-rate
// text, a later window (Tab, a display change) and the end of the run show
// everything at once.
//
// A level is the scale a colour is drawn with, 0 (black) to 1 (as it is).
// OpenGL 1.1 scales the stored, gamma-encoded values, and those are close to
// how light a colour looks; the levels still follow CIE lightness (L*)
// exactly, so that equal times bring equal steps to the eye, down to black.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace renderer {

constexpr double kDarkenSeconds = 1.0;  // the desktop, from as it was to black
constexpr double kRiseSeconds = 2.0;    // the spheres, from black to as they are
// The most the fade moves on from one frame to the next. A new window's
// first frames can take long (the driver compiles what it draws with, the
// machine is busy waking the saver); counted in full, such a stall would
// skip the fade the user was to see and leave a cut.
constexpr double kLongestFadeStep = 0.1;

struct FadeLevels {
    float desktop = 0.0f;  // the captured desktop's level; 0: not drawn
    float spheres = 1.0f;  // the spheres' level
};

// Whether the start can fade from the desktop: only where the renderer's
// desktop (its thread's, by name) is the input desktop, the one the user
// sees. Started by the idle timeout, Windows runs a saver on a desktop of its
// own, whose capture is empty; at the lock screen or an elevation prompt
// another desktop takes the input. A name that cannot be read (the input
// desktop cannot be opened) counts as another desktop. Names compare as
// Windows compares them, without regard to case.
bool fades_from_desktop(const std::optional<std::string>& own_desktop, const std::optional<std::string>& input_desktop);

// The level at which white looks `lightness` (0..1, clamped) as light as it
// does at level 1.
float level_for_lightness(double lightness);

// The levels `seconds` after the run's first frame. Without a capture of the
// desktop there is nothing to darken: the spheres come up at once.
FadeLevels fade_levels(double seconds, bool from_desktop);

// The fade of one run, timed from its first frame, frame by frame.
class StartFade {
public:
    StartFade() = default;  // no fade: every level 1
    explicit StartFade(bool from_desktop) : running_(true), from_desktop_(from_desktop) {}

    // The levels of the frame drawn at counter reading `ticks` (ticks_per_second
    // > 0): the first call is the first frame, at the fade's start; each later
    // one moves the fade on by the time since the one before, at most
    // kLongestFadeStep. Ends the fade once it is over.
    FadeLevels frame(std::int64_t ticks, std::int64_t ticks_per_second);

    // Everything at full level from now on, as after the fade.
    void end() { running_ = false; }
    bool running() const { return running_; }
    // The desktop is no longer shown: its capture can go.
    bool desktop_done() const { return !running_ || !from_desktop_ || darkened_; }

private:
    bool running_ = false;
    bool from_desktop_ = false;
    bool started_ = false;
    bool darkened_ = false;
    std::int64_t last_ticks_ = 0;
    std::int64_t fade_ticks_ = 0;  // into the fade
};

}  // namespace renderer
