#include "saver/shared/win32/ansi_path.h"

#include <windows.h>

namespace shared {

LeadBytes system_lead_bytes() {
    LeadBytes bytes;
    for (int b = 0x80; b <= 0xFF; ++b) {
        if (IsDBCSLeadByte(static_cast<BYTE>(b)))
            bytes.add(static_cast<unsigned char>(b));
    }
    return bytes;
}

}  // namespace shared
