#include "saver/shared/win32/settings_file.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "common/win32/handles.h"
#include "saver/shared/timed_answer.h"
#include "saver/shared/win32/ansi_path.h"

namespace shared {

std::string Win32SettingsSystem::read_profile_string(const std::string& section,
                                                     const std::string& key,
                                                     const std::string& file,
                                                     std::size_t buffer_size) {
    std::vector<char> buffer(buffer_size, '\0');
    const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer.data(),
                                                  static_cast<DWORD>(buffer.size()), file.c_str());
    return std::string(buffer.data(), std::min<std::size_t>(length, buffer_size - 1));
}

std::int32_t Win32SettingsSystem::write_profile_string(const std::string& section,
                                                       const std::string& key,
                                                       const std::string& value,
                                                       const std::string& file) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str());
}

namespace {

bool opens_for_reading(const std::string& path) {
    const DWORD saved_error = GetLastError();
    const bool opened = static_cast<bool>(win32::UniqueHandle(
        CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
    SetLastError(saved_error);
    return opened;
}

// A file on a fixed disk of this machine answers at once; elsewhere (a share,
// a drive mapped to one, removable media) the system may keep the caller
// waiting for as long as its client waits for the server.
bool on_a_fixed_disk(const std::string& path) {
    if (path.size() < 3 || path[1] != ':' || path[2] != '\\')
        return false;
    const char root[] = {path[0], ':', '\\', '\0'};
    return GetDriveTypeA(root) == DRIVE_FIXED;
}

}  // namespace

bool Win32SettingsSystem::can_open_for_reading(const std::string& path) {
    return opens_for_reading(path);
}

std::optional<bool> Win32SettingsSystem::can_open_for_reading_within(const std::string& path,
                                                                     std::chrono::milliseconds limit) {
    if (on_a_fixed_disk(path))
        return opens_for_reading(path);
    // The question owns its copy of the path: it may outlive this call.
    return answer_within([path] { return opens_for_reading(path); }, limit);
}

LeadBytes Win32SettingsSystem::lead_bytes() {
    return system_lead_bytes();
}

}  // namespace shared
