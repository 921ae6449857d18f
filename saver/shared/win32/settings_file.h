// The settings file's system calls on Windows: the ANSI private-profile calls
// and a plain open for reading.
#pragma once

#include <string>

#include "saver/shared/settings_file.h"

namespace shared {

class Win32SettingsSystem final : public SettingsSystem {
public:
    std::string read_profile_string(const std::string& section,
                                    const std::string& key,
                                    const std::string& file,
                                    std::size_t buffer_size) override;
    std::int32_t write_profile_string(const std::string& section,
                                      const std::string& key,
                                      const std::string& value,
                                      const std::string& file) override;
    bool can_open_for_reading(const std::string& path) override;
    std::optional<bool> can_open_for_reading_within(const std::string& path, std::chrono::milliseconds limit) override;
    LeadBytes lead_bytes() override;
};

}  // namespace shared
