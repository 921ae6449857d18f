// The music's fade-in at the start of a saver run, as levels against time.
// It rises with the picture: barely there while the desktop darkens (about
// a second), up to full as the spheres come up (about two more). The gain is
// the cube of the time's fraction, so the sound swells from silence rather
// than jumping in at a third of its level, as a straight line would.
//
// The MPEGVideo device's volume ("setaudio ... volume", 1000 as recorded) is
// taken as a linear gain on the sound, as Wine's plays it.
#pragma once

#include <cstdint>

namespace music {

// Milliseconds from the start of the music to its full level.
constexpr std::uint32_t kFadeInMs = 3000;

// The gain at `elapsed_ms` after the music started: 0 (silence) to 1 (full),
// 1 from kFadeInMs on.
double fade_in_gain(std::uint32_t elapsed_ms);

// MCI "setaudio ... volume to N" for a gain: 0 to 1000.
int mci_volume_for(double gain);

}  // namespace music
