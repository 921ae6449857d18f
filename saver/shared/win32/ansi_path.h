// The Windows side of paths in the ANSI code page (ansi_path.h): the lead
// bytes of the running system's code page.
#pragma once

#include "saver/shared/ansi_path.h"

namespace shared {

LeadBytes system_lead_bytes();

}  // namespace shared
