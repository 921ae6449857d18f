#include "saver/music/tests/simulated_multimedia.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <sstream>

using namespace music;

namespace {

constexpr long kLeadInMs = 2000;  // absolute msf positions start at 00:02:00

std::vector<std::string> words_of(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

std::string lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

bool all_digits(const std::string& text) {
    return !text.empty() && text.size() <= 9 &&
           std::all_of(text.begin(), text.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

// "a:b:c" into at most `limit` whole numbers; false for anything else.
bool fields_of(const std::string& text, std::size_t limit, std::vector<long>& out) {
    out.clear();
    std::size_t start = 0;
    while (true) {
        const std::size_t colon = text.find(':', start);
        const std::string field = text.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
        if (!all_digits(field) || out.size() == limit) {
            return false;
        }
        out.push_back(std::stol(field));
        if (colon == std::string::npos) {
            return true;
        }
        start = colon + 1;
    }
}

}  // namespace

SimulatedCdDrive::SimulatedCdDrive(std::vector<int> track_seconds) : track_seconds_(std::move(track_seconds)) {}

long SimulatedCdDrive::track_start_ms(int track) const {
    long start = 0;
    for (int i = 1; i < track; ++i) {
        start += track_seconds_[static_cast<std::size_t>(i - 1)] * 1000L;
    }
    return start;
}

long SimulatedCdDrive::disc_length_ms() const {
    return track_start_ms(static_cast<int>(track_seconds_.size()) + 1);
}

int SimulatedCdDrive::current_track() const {
    const int count = static_cast<int>(track_seconds_.size());
    for (int track = 1; track < count; ++track) {
        if (position_ms_ < track_start_ms(track + 1)) {
            return track;
        }
    }
    return count;
}

void SimulatedCdDrive::advance(int milliseconds) {
    if (!playing_ || disc_ != Disc::Present) {
        return;
    }
    position_ms_ += milliseconds;
    if (position_ms_ >= play_end_ms_) {
        playing_ = false;
        position_ms_ = play_end_ms_ >= disc_length_ms() ? 0 : play_end_ms_;
    }
}

std::string SimulatedCdDrive::format(long ms) const {
    char text[96];
    switch (format_) {
        case TimeFormat::Milliseconds:
            std::snprintf(text, sizeof text, "%ld", ms);
            break;
        case TimeFormat::Msf: {
            const long absolute = ms + kLeadInMs;
            std::snprintf(text, sizeof text, "%02ld:%02ld:%02ld", absolute / 60000, absolute / 1000 % 60,
                          absolute % 1000 * 75 / 1000);
            break;
        }
        case TimeFormat::Tmsf: {
            int track = 1;
            while (track < static_cast<int>(track_seconds_.size()) && ms >= track_start_ms(track + 1)) {
                ++track;
            }
            const long in_track = ms - track_start_ms(track);
            std::snprintf(text, sizeof text, "%02d:%02ld:%02ld:%02ld", track, in_track / 60000, in_track / 1000 % 60,
                          in_track % 1000 * 75 / 1000);
            break;
        }
    }
    return text;
}

bool SimulatedCdDrive::parse(const std::string& text, long& ms, std::uint32_t& error) const {
    std::vector<long> f;
    switch (format_) {
        case TimeFormat::Milliseconds:
            if (!fields_of(text, 1, f)) {
                error = mci_error::kBadInteger;
                return false;
            }
            ms = f[0];
            break;
        case TimeFormat::Msf:
            if (!fields_of(text, 3, f)) {
                error = mci_error::kBadInteger;
                return false;
            }
            f.resize(3, 0);
            ms = f[0] * 60000 + f[1] * 1000 + f[2] * 1000 / 75 - kLeadInMs;
            break;
        case TimeFormat::Tmsf:
            if (!fields_of(text, 4, f)) {
                error = mci_error::kBadInteger;
                return false;
            }
            f.resize(4, 0);
            if (f[0] < 1 || f[0] > static_cast<long>(track_seconds_.size())) {
                error = mci_error::kOutOfRange;
                return false;
            }
            ms = track_start_ms(static_cast<int>(f[0])) + f[1] * 60000 + f[2] * 1000 + f[3] * 1000 / 75;
            break;
    }
    if (ms < 0 || ms > disc_length_ms()) {
        error = mci_error::kOutOfRange;
        return false;
    }
    return true;
}

std::uint32_t SimulatedCdDrive::status(const std::vector<std::string>& words, std::string& reply) const {
    std::string item;
    for (std::size_t i = 2; i < words.size(); ++i) {
        item += (item.empty() ? "" : " ") + lower(words[i]);
    }
    if (item == "mode") {
        reply = disc_ != Disc::Present ? "not ready" : playing_ ? "playing" : "stopped";
        return 0;
    }
    if (item == "media present") {
        reply = disc_ == Disc::Present ? "true" : "false";
        return 0;
    }
    if (item == "time format") {
        reply = format_ == TimeFormat::Tmsf ? "tmsf" : format_ == TimeFormat::Msf ? "msf" : "milliseconds";
        return 0;
    }
    const bool known = item == "current track" || item == "number of tracks" || item == "position" ||
                       item == "length" || item.rfind("position track ", 0) == 0;
    if (!known) {
        return item.empty() ? mci_error::kMissingParameter : mci_error::kUnrecognizedKeyword;
    }
    if (disc_ != Disc::Present) {
        return mci_error::kDeviceNotReady;
    }
    if (item == "current track") {
        reply = std::to_string(current_track());
    } else if (item == "number of tracks") {
        reply = std::to_string(track_seconds_.size());
    } else if (item == "position") {
        reply = format(position_ms_);
    } else if (item == "length") {
        reply = format(disc_length_ms());
    } else {
        const std::string number = words.size() == 5 ? words[4] : "";
        if (!all_digits(number)) {
            return mci_error::kBadInteger;
        }
        const long track = std::stol(number);
        if (track < 1 || track > static_cast<long>(track_seconds_.size())) {
            return mci_error::kOutOfRange;
        }
        reply = format(track_start_ms(static_cast<int>(track)));
    }
    return 0;
}

std::uint32_t SimulatedCdDrive::play(const std::vector<std::string>& words) {
    long from = position_ms_;
    long to = disc_length_ms();
    for (std::size_t i = 2; i < words.size(); i += 2) {
        const std::string keyword = lower(words[i]);
        if (keyword != "from" && keyword != "to") {
            return mci_error::kUnrecognizedKeyword;
        }
        if (i + 1 >= words.size()) {
            return mci_error::kMissingParameter;
        }
        if (disc_ != Disc::Present) {
            return mci_error::kDeviceNotReady;
        }
        std::uint32_t error = 0;
        if (!parse(words[i + 1], keyword == "from" ? from : to, error)) {
            return error;
        }
    }
    if (disc_ != Disc::Present) {
        return mci_error::kDeviceNotReady;
    }
    if (from > to) {
        return mci_error::kOutOfRange;
    }
    position_ms_ = from;
    play_end_ms_ = to;
    playing_ = true;
    advance(0);
    return 0;
}

std::uint32_t SimulatedCdDrive::command(const std::vector<std::string>& words, std::string& reply) {
    const std::string verb = lower(words[0]);
    if (disc_ == Disc::NoDrive) {
        // Any command but close tries to open the device first, which fails.
        return verb == "close" ? mci_error::kInvalidDeviceName : mci_error::kCannotLoadDriver;
    }
    if (verb == "open") {
        if (open_) {
            return mci_error::kDeviceOpen;
        }
        if (words.size() != 2) {
            return mci_error::kUnrecognizedKeyword;
        }
        open_ = true;
        format_ = TimeFormat::Msf;
        return 0;
    }
    if (!open_) {
        if (verb == "close") {
            return mci_error::kInvalidDeviceName;
        }
        // MCI opens a device for a single command when it is not open, with
        // the default time format, and closes it again afterwards.
        const TimeFormat kept = format_;
        open_ = true;
        format_ = TimeFormat::Msf;
        const std::uint32_t code = command(words, reply);
        open_ = false;
        format_ = kept;
        return code;
    }
    if (verb == "close") {
        // Closing the device does not stop the drive; that is what "stop" is for.
        open_ = false;
        return 0;
    }
    if (verb == "set") {
        if (words.size() != 5 || lower(words[2]) != "time" || lower(words[3]) != "format") {
            return mci_error::kUnrecognizedKeyword;
        }
        const std::string name = lower(words[4]);
        if (name == "tmsf") {
            format_ = TimeFormat::Tmsf;
        } else if (name == "msf") {
            format_ = TimeFormat::Msf;
        } else if (name == "milliseconds" || name == "ms") {
            format_ = TimeFormat::Milliseconds;
        } else {
            return mci_error::kBadTimeFormat;
        }
        return 0;
    }
    if (verb == "status") {
        return status(words, reply);
    }
    if (verb == "play") {
        return play(words);
    }
    if (verb == "stop") {
        if (disc_ != Disc::Present) {
            return mci_error::kDeviceNotReady;
        }
        playing_ = false;
        return 0;
    }
    return mci_error::kUnrecognizedCommand;
}

std::uint32_t SimulatedMultimedia::open_file(const std::string& command) {
    // open "<path>" type MPEGVideo Alias MP3Play
    const std::size_t first = command.find('"');
    const std::size_t second = command.find('"', first + 1);
    if (second == std::string::npos) {
        return 294;  // MCIERR_NO_CLOSING_QUOTE
    }
    if (lower(command.substr(second + 1)) != " type mpegvideo alias mp3play") {
        return mci_error::kUnrecognizedKeyword;
    }
    if (mp3_open) {
        return 289;  // MCIERR_DUPLICATE_ALIAS
    }
    if (mp3_files.count(command.substr(first + 1, second - first - 1)) == 0) {
        return mci_error::kFileNotFound;
    }
    mp3_open = true;
    mp3_mode = "stopped";
    mp3_volume = 1000;
    mp3_device_lost = !default_output_present;
    ++mp3_opens;
    return 0;
}

std::uint32_t SimulatedMultimedia::mp3_command(const std::vector<std::string>& words, std::string& reply) {
    if (!mp3_open) {
        return mci_error::kInvalidDeviceName;
    }
    const std::string verb = lower(words[0]);
    if (verb == "status" && words.size() == 3 && lower(words[2]) == "mode") {
        reply = mp3_device_lost ? "stopped" : mp3_mode;
    } else if (verb == "play") {
        mp3_mode = mp3_device_lost ? "stopped" : "playing";
    } else if (verb == "stop") {
        mp3_mode = "stopped";
    } else if (verb == "close") {
        mp3_open = false;
    } else if (verb == "setaudio" && words.size() == 5 && lower(words[2]) == "volume" && lower(words[3]) == "to") {
        if (!mp3_takes_volume) {
            return 274;  // MCIERR_UNSUPPORTED_FUNCTION
        }
        if (!all_digits(words[4])) {
            return mci_error::kBadInteger;
        }
        const long volume = std::stol(words[4]);
        if (volume > 1000) {
            return mci_error::kOutOfRange;
        }
        mp3_volume = static_cast<int>(volume);
    } else {
        return mci_error::kUnrecognizedCommand;
    }
    return 0;
}

std::uint32_t SimulatedMultimedia::mci_send_string(const char* command, char* reply, std::uint32_t reply_length) {
    sent.push_back({command, reply != nullptr, reply_length});
    if (reply && reply_length > 0) {
        reply[0] = '\0';
    }
    for (auto answer = scripted_.begin(); answer != scripted_.end(); ++answer) {
        if (answer->command == command) {
            const std::uint32_t code = answer->code;
            if (reply && reply_length > 0) {
                std::snprintf(reply, reply_length, "%s", answer->reply.c_str());
            }
            scripted_.erase(answer);
            return code;
        }
    }
    const std::vector<std::string> words = words_of(command);
    if (words.empty()) {
        return 267;  // MCIERR_MISSING_COMMAND_STRING
    }
    if (words.size() < 2) {
        return 292;  // MCIERR_MISSING_DEVICE_NAME
    }
    std::string text;
    std::uint32_t code = mci_error::kInvalidDeviceName;
    const std::string device = lower(words[1]);
    if (lower(words[0]) == "open" && words[1][0] == '"') {
        code = open_file(command);
    } else if (device == "cdaudio") {
        code = drive.command(words, text);
    } else if (device == "mp3play") {
        code = mp3_command(words, text);
    }
    if (code == 0 && !text.empty() && reply && reply_length > 0) {
        if (text.size() + 1 > reply_length) {
            return mci_error::kParamOverflow;
        }
        std::memcpy(reply, text.c_str(), text.size() + 1);
    }
    return code;
}

bool SimulatedMultimedia::mci_get_error_string(std::uint32_t code, char* text, std::uint32_t text_length) {
    if (!error_text_available || text_length == 0) {
        return false;
    }
    std::string message;
    switch (code) {
        case mci_error::kInvalidDeviceName:
            message = "The specified device is not open or is not recognized by MCI.";
            break;
        case mci_error::kCannotLoadDriver:
            message = "The specified device driver cannot be loaded.";
            break;
        case mci_error::kDeviceNotReady:
            message = "The device is not ready.";
            break;
        case mci_error::kOutOfRange:
            message = "The specified parameter is out of range for the specified command.";
            break;
        default:
            message = "MCI error " + std::to_string(code) + ".";
    }
    message.resize(std::min<std::size_t>(message.size(), text_length - 1));
    std::memcpy(text, message.c_str(), message.size() + 1);
    return true;
}

bool SimulatedMultimedia::play_sound(const char* sound, std::uint32_t flags) {
    sounds.push_back({sound != nullptr, sound ? sound : "", flags});
    return play_sound_result;
}

std::vector<std::string> SimulatedMultimedia::commands() const {
    std::vector<std::string> commands;
    for (const Sent& s : sent) {
        commands.push_back(s.command);
    }
    return commands;
}
