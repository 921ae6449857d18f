// The lead bytes of the running system's ANSI code page (Windows only).
#pragma once

#include "saver/shared/ansi_path.h"

LeadBytes system_lead_bytes();
