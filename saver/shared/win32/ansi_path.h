// The lead bytes of the running system's ANSI code page (Windows only).
#pragma once

#include "saver/shared/ansi_path.h"

namespace shared {

LeadBytes system_lead_bytes();

}  // namespace shared
