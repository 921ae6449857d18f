#include "saver/shared/ansi_path.h"

namespace shared {

LeadBytes LeadBytes::shift_jis() {
    LeadBytes bytes;
    for (int b = 0x81; b <= 0x9F; ++b)
        bytes.add(static_cast<unsigned char>(b));
    for (int b = 0xE0; b <= 0xFC; ++b)
        bytes.add(static_cast<unsigned char>(b));
    return bytes;
}

std::size_t last_backslash(const std::string& path, const LeadBytes& lead_bytes) {
    std::size_t found = std::string::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (lead_bytes.is_lead(static_cast<unsigned char>(path[i])) && i + 1 < path.size())
            ++i;  // the second byte belongs to this character, whatever its value
        else if (path[i] == '\\')
            found = i;
    }
    return found;
}

bool ends_in_backslash(const std::string& path, const LeadBytes& lead_bytes) {
    return !path.empty() && last_backslash(path, lead_bytes) == path.size() - 1;
}

std::string folder_of(const std::string& path, const LeadBytes& lead_bytes) {
    const std::size_t slash = last_backslash(path, lead_bytes);
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace shared
