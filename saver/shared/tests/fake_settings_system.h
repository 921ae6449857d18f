// A stand-in for the settings file's system calls that records exactly
// what is passed to them: values to read, paths that can be opened, and every
// write with the result the call is to give.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "saver/shared/settings_file.h"

class FakeSettingsSystem : public shared::SettingsSystem {
public:
    std::map<std::tuple<std::string, std::string, std::string>, std::string> values;
    std::set<std::string> readable;
    // Paths whose check never answers: a share out of reach.
    std::set<std::string> unanswering;
    std::vector<std::tuple<std::string, std::string, std::string, std::string>> writes;
    std::vector<std::string> opened;
    std::int32_t write_result = 1;

    std::string read_profile_string(const std::string& section,
                                    const std::string& key,
                                    const std::string& file,
                                    std::size_t buffer_size) override {
        auto it = values.find({section, key, file});
        if (it == values.end())
            return "";
        // As the system call does: a longer value is cut to fit with its NUL.
        return it->second.substr(0, buffer_size - 1);
    }
    std::int32_t write_profile_string(const std::string& section,
                                      const std::string& key,
                                      const std::string& value,
                                      const std::string& file) override {
        writes.emplace_back(section, key, value, file);
        return write_result;
    }
    bool can_open_for_reading(const std::string& path) override {
        opened.push_back(path);
        return readable.count(path) > 0;
    }
    std::optional<bool> can_open_for_reading_within(const std::string& path, std::chrono::milliseconds limit) override {
        limits.push_back(limit);
        if (unanswering.count(path) > 0) {
            opened.push_back(path);
            return std::nullopt;
        }
        return can_open_for_reading(path);
    }
    shared::LeadBytes lead_bytes() override { return lead; }

    std::vector<std::chrono::milliseconds> limits;

    shared::LeadBytes lead = shared::LeadBytes::shift_jis();
};
