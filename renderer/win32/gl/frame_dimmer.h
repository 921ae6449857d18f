// The spheres' level while they come up from black (start_fade.h), applied
// to what is drawn so far rather than to each sphere's colour: the two
// spheres add up and clip to white where they overlap, so a colour scale
// would leave their bright cores at full brightness half way up, and the
// rise would look done in its first second.
#pragma once

#include "renderer/win32/gl/gl_api.h"

namespace renderer {

// Multiplies every pixel of the current viewport by `level` (0..1): one
// blended rectangle. Sets both matrices; leaves blending additive, as the
// scene draws.
void dim_view(const GlApi& gl, float level);

}  // namespace renderer
