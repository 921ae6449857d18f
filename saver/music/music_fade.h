// The music's fade-in at the start of a saver run, as levels against time.
// It rises with the picture: barely there while the desktop darkens (about
// a second), up to full as the spheres come up (about two more). The gain is
// the cube of the time's fraction, so the sound swells from silence rather
// than jumping in at a third of its level, as a straight line would.
//
// Both volumes the music reaches are taken as linear gains on the sound: the
// wave output's by its documentation on Windows since Vista, the MPEGVideo
// device's ("setaudio ... volume", 1000 as recorded) as Wine's plays it.
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

// waveOutSetVolume's value for a gain, given the level it rises to (the
// value waveOutGetVolume gave: left channel in the low word, right in the
// high word, each 0 to 0xFFFF); each channel is scaled alike.
std::uint32_t wave_volume_for(double gain, std::uint32_t full);

}  // namespace music
