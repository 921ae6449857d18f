#include "saver/shared/win32/program_folder.h"

#include <windows.h>

#include <vector>

#include "saver/shared/ansi_path.h"
#include "saver/shared/win32/system_code_page.h"

namespace shared {

std::string program_folder() {
    // The longest path the system can report, so a deep folder is never cut.
    std::vector<char> buffer(32768, '\0');
    const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0 || length >= buffer.size())
        return std::string();
    return folder_of(std::string(buffer.data(), length), system_lead_bytes());
}

}  // namespace shared
