#include "saver/music/tests/simulated_multimedia.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <sstream>

namespace {

constexpr long kLeadInMs = 2000;  // absolute msf positions start at 00:02:00

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

std::string Lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

bool AllDigits(const std::string& text) {
    return !text.empty() && text.size() <= 9 &&
           std::all_of(text.begin(), text.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

// "a:b:c" into at most `limit` whole numbers; false for anything else.
bool Fields(const std::string& text, std::size_t limit, std::vector<long>& out) {
    out.clear();
    std::size_t start = 0;
    while (true) {
        const std::size_t colon = text.find(':', start);
        const std::string field = text.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
        if (!AllDigits(field) || out.size() == limit) {
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

SimulatedCdDrive::SimulatedCdDrive(std::vector<int> trackSeconds) : trackSeconds_(std::move(trackSeconds)) {}

long SimulatedCdDrive::TrackStartMs(int track) const {
    long start = 0;
    for (int i = 1; i < track; ++i) {
        start += trackSeconds_[static_cast<std::size_t>(i - 1)] * 1000L;
    }
    return start;
}

long SimulatedCdDrive::DiscLengthMs() const {
    return TrackStartMs(static_cast<int>(trackSeconds_.size()) + 1);
}

int SimulatedCdDrive::CurrentTrack() const {
    const int count = static_cast<int>(trackSeconds_.size());
    for (int track = 1; track < count; ++track) {
        if (positionMs_ < TrackStartMs(track + 1)) {
            return track;
        }
    }
    return count;
}

void SimulatedCdDrive::Advance(int milliseconds) {
    if (!playing_ || disc_ != Disc::Present) {
        return;
    }
    positionMs_ += milliseconds;
    if (positionMs_ >= playEndMs_) {
        playing_ = false;
        positionMs_ = playEndMs_ >= DiscLengthMs() ? 0 : playEndMs_;
    }
}

std::string SimulatedCdDrive::Format(long ms) const {
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
            while (track < static_cast<int>(trackSeconds_.size()) && ms >= TrackStartMs(track + 1)) {
                ++track;
            }
            const long inTrack = ms - TrackStartMs(track);
            std::snprintf(text, sizeof text, "%02d:%02ld:%02ld:%02ld", track, inTrack / 60000, inTrack / 1000 % 60,
                          inTrack % 1000 * 75 / 1000);
            break;
        }
    }
    return text;
}

bool SimulatedCdDrive::Parse(const std::string& text, long& ms, std::uint32_t& error) const {
    std::vector<long> f;
    switch (format_) {
        case TimeFormat::Milliseconds:
            if (!Fields(text, 1, f)) {
                error = mci_error::kBadInteger;
                return false;
            }
            ms = f[0];
            break;
        case TimeFormat::Msf:
            if (!Fields(text, 3, f)) {
                error = mci_error::kBadInteger;
                return false;
            }
            f.resize(3, 0);
            ms = f[0] * 60000 + f[1] * 1000 + f[2] * 1000 / 75 - kLeadInMs;
            break;
        case TimeFormat::Tmsf:
            if (!Fields(text, 4, f)) {
                error = mci_error::kBadInteger;
                return false;
            }
            f.resize(4, 0);
            if (f[0] < 1 || f[0] > static_cast<long>(trackSeconds_.size())) {
                error = mci_error::kOutOfRange;
                return false;
            }
            ms = TrackStartMs(static_cast<int>(f[0])) + f[1] * 60000 + f[2] * 1000 + f[3] * 1000 / 75;
            break;
    }
    if (ms < 0 || ms > DiscLengthMs()) {
        error = mci_error::kOutOfRange;
        return false;
    }
    return true;
}

std::uint32_t SimulatedCdDrive::Status(const std::vector<std::string>& words, std::string& reply) const {
    std::string item;
    for (std::size_t i = 2; i < words.size(); ++i) {
        item += (item.empty() ? "" : " ") + Lower(words[i]);
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
        reply = std::to_string(CurrentTrack());
    } else if (item == "number of tracks") {
        reply = std::to_string(trackSeconds_.size());
    } else if (item == "position") {
        reply = Format(positionMs_);
    } else if (item == "length") {
        reply = Format(DiscLengthMs());
    } else {
        const std::string number = words.size() == 5 ? words[4] : "";
        if (!AllDigits(number)) {
            return mci_error::kBadInteger;
        }
        const long track = std::stol(number);
        if (track < 1 || track > static_cast<long>(trackSeconds_.size())) {
            return mci_error::kOutOfRange;
        }
        reply = Format(TrackStartMs(static_cast<int>(track)));
    }
    return 0;
}

std::uint32_t SimulatedCdDrive::Play(const std::vector<std::string>& words) {
    long from = positionMs_;
    long to = DiscLengthMs();
    for (std::size_t i = 2; i < words.size(); i += 2) {
        const std::string keyword = Lower(words[i]);
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
        if (!Parse(words[i + 1], keyword == "from" ? from : to, error)) {
            return error;
        }
    }
    if (disc_ != Disc::Present) {
        return mci_error::kDeviceNotReady;
    }
    if (from > to) {
        return mci_error::kOutOfRange;
    }
    positionMs_ = from;
    playEndMs_ = to;
    playing_ = true;
    Advance(0);
    return 0;
}

std::uint32_t SimulatedCdDrive::Command(const std::vector<std::string>& words, std::string& reply) {
    const std::string verb = Lower(words[0]);
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
        const std::uint32_t code = Command(words, reply);
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
        if (words.size() != 5 || Lower(words[2]) != "time" || Lower(words[3]) != "format") {
            return mci_error::kUnrecognizedKeyword;
        }
        const std::string name = Lower(words[4]);
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
        return Status(words, reply);
    }
    if (verb == "play") {
        return Play(words);
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

std::uint32_t SimulatedMultimedia::OpenFile(const std::string& command) {
    // open "<path>" type MPEGVideo Alias MP3Play
    const std::size_t first = command.find('"');
    const std::size_t second = command.find('"', first + 1);
    if (second == std::string::npos) {
        return 294;  // MCIERR_NO_CLOSING_QUOTE
    }
    if (Lower(command.substr(second + 1)) != " type mpegvideo alias mp3play") {
        return mci_error::kUnrecognizedKeyword;
    }
    if (mp3Open) {
        return 289;  // MCIERR_DUPLICATE_ALIAS
    }
    if (mp3Files.count(command.substr(first + 1, second - first - 1)) == 0) {
        return mci_error::kFileNotFound;
    }
    mp3Open = true;
    mp3Mode = "stopped";
    return 0;
}

std::uint32_t SimulatedMultimedia::Mp3Command(const std::vector<std::string>& words, std::string& reply) {
    if (!mp3Open) {
        return mci_error::kInvalidDeviceName;
    }
    const std::string verb = Lower(words[0]);
    if (verb == "status" && words.size() == 3 && Lower(words[2]) == "mode") {
        reply = mp3Mode;
    } else if (verb == "play") {
        mp3Mode = "playing";
    } else if (verb == "stop") {
        mp3Mode = "stopped";
    } else if (verb == "close") {
        mp3Open = false;
    } else {
        return mci_error::kUnrecognizedCommand;
    }
    return 0;
}

std::uint32_t SimulatedMultimedia::MciSendString(const char* command, char* reply, std::uint32_t replyLength) {
    sent.push_back({command, reply != nullptr, replyLength});
    if (reply && replyLength > 0) {
        reply[0] = '\0';
    }
    const std::vector<std::string> words = Words(command);
    if (words.empty()) {
        return 267;  // MCIERR_MISSING_COMMAND_STRING
    }
    if (words.size() < 2) {
        return 292;  // MCIERR_MISSING_DEVICE_NAME
    }
    std::string text;
    std::uint32_t code = mci_error::kInvalidDeviceName;
    const std::string device = Lower(words[1]);
    if (Lower(words[0]) == "open" && words[1][0] == '"') {
        code = OpenFile(command);
    } else if (device == "cdaudio") {
        code = drive.Command(words, text);
    } else if (device == "mp3play") {
        code = Mp3Command(words, text);
    }
    if (code == 0 && !text.empty() && reply && replyLength > 0) {
        if (text.size() + 1 > replyLength) {
            return mci_error::kParamOverflow;
        }
        std::memcpy(reply, text.c_str(), text.size() + 1);
    }
    return code;
}

bool SimulatedMultimedia::MciGetErrorString(std::uint32_t code, char* text, std::uint32_t textLength) {
    if (!errorTextAvailable || textLength == 0) {
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
    message.resize(std::min<std::size_t>(message.size(), textLength - 1));
    std::memcpy(text, message.c_str(), message.size() + 1);
    return true;
}

bool SimulatedMultimedia::PlaySoundAnsi(const char* sound, std::uint32_t flags) {
    sounds.push_back({sound != nullptr, sound ? sound : "", flags});
    return playSoundResult;
}

std::vector<std::string> SimulatedMultimedia::Commands() const {
    std::vector<std::string> commands;
    for (const Sent& s : sent) {
        commands.push_back(s.command);
    }
    return commands;
}
