// The settings dialog's two marks (clear and chosen) are stored pictures,
// square, of this many pixels: the picture generator draws them at this size
// and the dialog's music panel shows them at it, unscaled.
#pragma once

namespace shared {

inline constexpr int kMarkPicturePixels = 12;

}  // namespace shared
