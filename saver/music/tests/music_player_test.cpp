#include "saver/music/music_player.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "saver/music/tests/simulated_multimedia.h"
#include "saver/shared/last_api_result.h"
#include "saver/shared/texts.h"

using namespace music;

using namespace shared;

namespace {

using Commands = std::vector<std::string>;

const std::string kNoCommandBytes =
    "\x83\x52\x83\x7d\x83\x93\x83\x68\x95\xb6\x8e\x9a\x97\xf1\x82\xaa\x8e\x77\x92\xe8\x82\xb3\x82\xea\x82\xc4\x82\xa2"
    "\x82\xdc\x82\xb9\x82\xf1";
const std::string kNoErrorTextBytes =
    "Error (\x95\xb6\x8e\x9a\x97\xf1\x82\xaa\x8e\xe6\x82\xea\x82\xdc\x82\xb9\x82\xf1)";

const Commands kCdQueries = {"status cdaudio current track", "status cdaudio number of tracks", "status cdaudio mode"};

Commands with(Commands head, const Commands& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

class MusicPlayerTest : public ::testing::Test {
protected:
    void SetUp() override { LastApiResult = 12345; }

    SimulatedMultimedia system;
    Settings settings;
    MusicPlayer player{system, settings};
};

// --- command strings ----------------------------------------------------

TEST_F(MusicPlayerTest, EmptyCommandSendsNothingAndAnswersInShiftJis) {
    std::string reply;
    EXPECT_EQ(player.SendMciCommand("", reply), -1);
    EXPECT_EQ(reply, kNoCommandBytes);
    EXPECT_EQ(std::string(texts::kMciNoCommandReply), kNoCommandBytes);
    EXPECT_TRUE(system.sent.empty());
    EXPECT_EQ(LastApiResult, 12345);
    EXPECT_EQ(player.QueryMci(""), "Error:-1");
    EXPECT_EQ(LastApiResult, -1);
}

TEST_F(MusicPlayerTest, SendMciCommandReturnsReplyOrErrorText) {
    struct Case {
        const char* command;
        bool error_text_available;
        std::int32_t code;
        std::string reply;
    };
    const Case cases[] = {
        {"open cdaudio", true, 0, ""},
        {"status cdaudio number of tracks", true, 0, "5"},
        {"status cdaudio position track 3", true, 0, "06:22:00"},  // msf, with the lead-in, until tmsf is set
        {"status cdaudio position track 9", true, 282,
         "The specified parameter is out of range for the specified command."},
        {"status nothing mode", true, 263, "The specified device is not open or is not recognized by MCI."},
        {"status nothing mode", false, 263, kNoErrorTextBytes},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        system.error_text_available = c.error_text_available;
        std::string reply = "stale";
        EXPECT_EQ(player.SendMciCommand(c.command, reply), c.code);
        EXPECT_EQ(reply, c.reply);
        EXPECT_EQ(LastApiResult, c.code);
        ASSERT_FALSE(system.sent.empty());
        EXPECT_TRUE(system.sent.back().has_reply_area);
        EXPECT_EQ(system.sent.back().reply_length, 512u);
    }
    EXPECT_EQ(std::string(texts::kMciNoErrorTextReply), kNoErrorTextBytes);
}

TEST_F(MusicPlayerTest, QueryMciGivesErrorAndCodeWithoutBlank) {
    EXPECT_EQ(player.QueryMci("status MP3Play mode"), "Error:263");
    EXPECT_EQ(LastApiResult, 263);
    EXPECT_EQ(player.MciReply(), "The specified device is not open or is not recognized by MCI.");
    EXPECT_EQ(player.QueryMci("status cdaudio mode"), "stopped");
    EXPECT_EQ(LastApiResult, 0);
}

TEST_F(MusicPlayerTest, PlayMciDeviceAddsOnlyTheGivenPositions) {
    struct Case {
        const char* from;
        const char* to;
        const char* command;
    };
    const Case cases[] = {
        {"", "", "play cdaudio"},
        {"02:00:00:00", "", "play cdaudio from 02:00:00:00"},
        {"", "04", "play cdaudio to 04"},
        {"02:00:00:00", "04", "play cdaudio from 02:00:00:00 to 04"},
    };
    player.OpenCdAudio();
    for (const Case& c : cases) {
        system.clear_log();
        EXPECT_EQ(player.PlayMciDevice("cdaudio", c.from, c.to), 0) << c.command;
        EXPECT_EQ(system.commands(), Commands{c.command});
    }
    EXPECT_EQ(player.PlayMciDevice("cdaudio", "Error:282", ""), 270);
}

// --- audio CD -------------------------------------------------------------

TEST_F(MusicPlayerTest, OpenSetsTrackTimeFormatAndCloseStopsTheDrive) {
    player.OpenCdAudio();
    EXPECT_EQ(system.commands(), (Commands{"open cdaudio", "set cdaudio time format tmsf"}));
    EXPECT_EQ(LastApiResult, 0);
    for (const auto& s : system.sent) {
        EXPECT_FALSE(s.has_reply_area);
        EXPECT_EQ(s.reply_length, 0u);
    }
    EXPECT_EQ(player.QueryMci("status cdaudio position track 3"), "03:00:00:00");

    player.CheckCdAudio();
    ASSERT_TRUE(system.drive.is_playing());
    system.clear_log();
    player.CloseCdAudio();
    EXPECT_EQ(system.commands(), (Commands{"stop cdaudio", "close cdaudio"}));
    EXPECT_EQ(LastApiResult, 0);
    EXPECT_FALSE(system.drive.is_playing());
    EXPECT_FALSE(system.drive.is_open());
}

TEST_F(MusicPlayerTest, WholeDiscIsStartedOnlyWhileTheDriveIsStopped) {
    player.OpenCdAudio();
    system.clear_log();

    player.CheckCdAudio();
    EXPECT_EQ(system.commands(), with(kCdQueries, {"play cdaudio"}));
    EXPECT_TRUE(player.CdWatchActive());
    EXPECT_TRUE(system.drive.is_playing());

    for (int tick = 0; tick < 3; ++tick) {  // 200 ms ticks while the disc plays
        system.drive.advance(200);
        system.clear_log();
        player.CheckCdAudio();
        EXPECT_EQ(system.commands(), kCdQueries);
        EXPECT_TRUE(player.CdWatchActive());
    }

    system.drive.advance(1020 * 1000);  // past the end of the 17-minute disc
    ASSERT_FALSE(system.drive.is_playing());
    system.clear_log();
    player.CheckCdAudio();
    EXPECT_EQ(system.commands(), with(kCdQueries, {"play cdaudio"}));
    EXPECT_EQ(system.drive.current_track(), 1);
}

TEST_F(MusicPlayerTest, RepeatTrackStartsItAndJumpsBackWhenTheNextBegins) {
    settings.BGM_RepeatTrack = 3;
    player.OpenCdAudio();
    system.clear_log();

    player.CheckCdAudio();
    EXPECT_EQ(system.commands(),
              with(kCdQueries, {"status cdaudio position track 3", "play cdaudio from 03:00:00:00"}));
    EXPECT_EQ(system.drive.current_track(), 3);

    system.drive.advance(120 * 1000);  // inside track 3 (240 s)
    system.clear_log();
    player.CheckCdAudio();
    EXPECT_EQ(system.commands(), kCdQueries);

    system.drive.advance(120 * 1000 + 100);  // track 4 has begun
    ASSERT_EQ(system.drive.current_track(), 4);
    ASSERT_TRUE(system.drive.is_playing());
    system.clear_log();
    player.CheckCdAudio();
    EXPECT_EQ(system.commands(),
              with(kCdQueries, {"status cdaudio position track 3", "play cdaudio from 03:00:00:00"}));
    EXPECT_EQ(system.drive.current_track(), 3);
    EXPECT_TRUE(player.CdWatchActive());
}

TEST_F(MusicPlayerTest, RepeatTrackPlayedOnAnotherTrackWhileStoppedIsRestarted) {
    settings.BGM_RepeatTrack = 5;
    player.OpenCdAudio();
    player.CheckCdAudio();
    system.drive.advance(190 * 1000);  // track 5 is the last: the disc ends and stops
    ASSERT_FALSE(system.drive.is_playing());
    system.clear_log();
    player.CheckCdAudio();
    EXPECT_EQ(system.commands(),
              with(kCdQueries, {"status cdaudio position track 5", "play cdaudio from 05:00:00:00"}));
}

TEST_F(MusicPlayerTest, NoDiscOrNoDriveEndsTheWatchAtTheFirstCheck) {
    struct Case {
        const char* name;
        SimulatedCdDrive::Disc disc;
        std::int32_t open_result;
    };
    const Case cases[] = {
        {"no disc", SimulatedCdDrive::Disc::None, 0},
        {"no drive", SimulatedCdDrive::Disc::NoDrive, 266},  // the driver cannot be loaded
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimulatedMultimedia fresh;
        fresh.drive.set_disc(c.disc);
        MusicPlayer cd(fresh, settings);
        cd.OpenCdAudio();
        EXPECT_EQ(LastApiResult, c.open_result);
        fresh.clear_log();
        cd.CheckCdAudio();
        EXPECT_EQ(fresh.commands(), Commands{"status cdaudio current track"});
        EXPECT_FALSE(cd.CdWatchActive());
        EXPECT_FALSE(fresh.drive.is_playing());
    }
}

TEST_F(MusicPlayerTest, RepeatTrackTheDiscLacksPlaysTheWholeDisc) {
    // The disc has 5 tracks; the dialog takes any 16-bit number.
    for (const std::int16_t track : {6, 9, 99, 32767, -1, -32768}) {
        SCOPED_TRACE(track);
        SimulatedMultimedia fresh;
        settings.BGM_RepeatTrack = track;
        MusicPlayer cd(fresh, settings);
        cd.OpenCdAudio();
        fresh.clear_log();
        cd.CheckCdAudio();
        EXPECT_EQ(fresh.commands(), with(kCdQueries, {"play cdaudio"}));
        EXPECT_TRUE(fresh.drive.is_playing());
        EXPECT_EQ(fresh.drive.current_track(), 1);
        for (int tick = 0; tick < 3; ++tick) {  // while it plays, the checks only ask
            fresh.drive.advance(200);
            fresh.clear_log();
            cd.CheckCdAudio();
            EXPECT_EQ(fresh.commands(), kCdQueries);
            EXPECT_TRUE(cd.CdWatchActive());
        }
    }
}

TEST_F(MusicPlayerTest, NoCommandIsEverMadeFromAnErrorReply) {
    // The drive answers the track and the count, then fails the position
    // query for a moment, or answers it with something that is no position:
    // nothing is played from that text, and the next check starts the track.
    const struct {
        const char* what;
        std::uint32_t code;
        const char* reply;
    } cases[] = {{"drive not ready", mci_error::kDeviceNotReady, ""},
                 {"out of range", mci_error::kOutOfRange, ""},
                 {"an empty answer", 0, ""},
                 {"words after the position", 0, "03:00:00:00 to 01"},
                 {"an error text without a code", 0, "Error:282"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SimulatedMultimedia fresh;
        settings.BGM_RepeatTrack = 3;
        MusicPlayer cd(fresh, settings);
        cd.OpenCdAudio();
        fresh.clear_log();
        if (c.code != 0) {
            fresh.fail_once("status cdaudio position track 3", c.code);
        } else {
            fresh.answer_once("status cdaudio position track 3", c.reply);
        }
        cd.CheckCdAudio();
        EXPECT_EQ(fresh.commands(), with(kCdQueries, {"status cdaudio position track 3"}));
        EXPECT_TRUE(cd.CdWatchActive());
        EXPECT_FALSE(fresh.drive.is_playing());
        fresh.clear_log();
        cd.CheckCdAudio();
        EXPECT_EQ(fresh.commands(),
                  with(kCdQueries, {"status cdaudio position track 3", "play cdaudio from 03:00:00:00"}));
    }
}

TEST_F(MusicPlayerTest, OnceTheDriveHasAnsweredFailedChecksKeepTheWatch) {
    // Whole disc and a repeated track, each with one of the two queries that
    // used to end the watch failing for a few checks mid-run.
    const struct {
        std::int16_t repeat;
        const char* failing;
        std::uint32_t code;
        int failed_checks;
    } cases[] = {
        {0, "status cdaudio current track", mci_error::kDeviceNotReady, 1},
        {0, "status cdaudio number of tracks", mci_error::kDeviceNotReady, 3},
        {2, "status cdaudio current track", mci_error::kDeviceNotReady, 25},
        {2, "status cdaudio number of tracks", mci_error::kUnrecognizedCommand, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "repeat " << c.repeat << ", " << c.failing << " x" << c.failed_checks);
        SimulatedMultimedia fresh;
        settings.BGM_RepeatTrack = c.repeat;
        MusicPlayer cd(fresh, settings);
        cd.OpenCdAudio();
        cd.CheckCdAudio();
        ASSERT_TRUE(fresh.drive.is_playing());
        fresh.drive.advance(1020 * 1000);  // the music ends while the drive cannot answer
        ASSERT_FALSE(fresh.drive.is_playing());
        for (int check = 0; check < c.failed_checks; ++check) {
            fresh.fail_once(c.failing, c.code);
            fresh.clear_log();
            cd.CheckCdAudio();
            EXPECT_TRUE(cd.CdWatchActive());
            for (const std::string& command : fresh.commands())
                EXPECT_EQ(command.rfind("play", 0), std::string::npos) << command;
        }
        cd.CheckCdAudio();  // the drive answers again: the music goes on
        EXPECT_TRUE(cd.CdWatchActive());
        EXPECT_TRUE(fresh.drive.is_playing());
        EXPECT_EQ(fresh.drive.current_track(), c.repeat == 0 ? 1 : c.repeat);
    }
}

TEST_F(MusicPlayerTest, ModeQueryResultIsRecorded) {
    player.OpenCdAudio();
    player.CheckCdAudio();
    EXPECT_EQ(LastApiResult, 0);  // the last call was the successful play
    system.clear_log();
    player.CheckCdAudio();
    EXPECT_EQ(system.sent[2].reply_length, 255u);
    EXPECT_EQ(LastApiResult, 0);
}

// --- MP3 file ---------------------------------------------------------------

TEST_F(MusicPlayerTest, Mp3IsOpenedQuotedAndPlayedWithoutReplyArea) {
    settings.BGM_File = "C:\\My Music\\\x95\x5c tone.mp3";  // a blank, and a kanji whose second byte is '\'
    system.mp3_files.insert(settings.BGM_File);
    player.PlayMusicFile();
    EXPECT_EQ(system.commands(),
              (Commands{"open \"" + settings.BGM_File + "\" type MPEGVideo Alias MP3Play", "play MP3Play"}));
    for (const auto& s : system.sent) {
        EXPECT_FALSE(s.has_reply_area);
    }
    EXPECT_EQ(LastApiResult, 12345);
    EXPECT_TRUE(player.IsMusicFilePlaying());

    system.clear_log();
    player.CloseMusicFile();
    EXPECT_EQ(system.commands(), (Commands{"stop MP3Play", "close MP3Play"}));
    EXPECT_FALSE(system.mp3_open);
}

TEST_F(MusicPlayerTest, LoopRestartsOnlyWhenNotPlaying) {
    struct Case {
        const char* mode;
        bool playing;
    };
    const Case cases[] = {{"playing", true}, {"stopped", false}, {"paused", false}};
    settings.BGM_File = "C:\\a.mp3";
    system.mp3_files.insert(settings.BGM_File);
    player.PlayMusicFile();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        system.mp3_mode = c.mode;
        system.clear_log();
        EXPECT_EQ(player.IsMusicFilePlaying(), c.playing);
        EXPECT_EQ(system.sent.at(0).reply_length, 30u);
        system.clear_log();
        player.LoopMusicFile();
        const Commands restart = {"status MP3Play mode", "stop MP3Play", "play MP3Play from 0"};
        EXPECT_EQ(system.commands(), c.playing ? Commands{"status MP3Play mode"} : restart);
        EXPECT_EQ(system.mp3_mode, c.playing ? c.mode : "playing");
    }
}

TEST_F(MusicPlayerTest, Mp3ThatCannotBeOpenedIsNeverPlayedAndLoopTicksFailQuietly) {
    settings.BGM_File = "C:\\missing.mp3";
    player.PlayMusicFile();
    EXPECT_EQ(system.commands(), Commands{"open \"C:\\missing.mp3\" type MPEGVideo Alias MP3Play"});
    for (int tick = 0; tick < 2; ++tick) {
        system.clear_log();
        player.LoopMusicFile();
        EXPECT_EQ(system.commands(), (Commands{"status MP3Play mode", "stop MP3Play", "play MP3Play from 0"}));
        EXPECT_FALSE(player.IsMusicFilePlaying());
    }
}

TEST_F(MusicPlayerTest, PathThatWouldBreakOutOfItsQuotesIsNeverSentOrPlayed) {
    const char* const paths[] = {
        "C:\\a\" type waveaudio alias x.mp3", "C:\\a\nb.mp3", "C:\\a\tb.wav", "C:\\a\x01.mp3", "C:\\a\x7f.wav",
    };
    for (const char* path : paths) {
        SCOPED_TRACE(path);
        settings.BGM_File = path;
        system.mp3_files.insert(path);
        system.clear_log();
        player.PlayMusicFile();
        player.PlayWaveFile();
        EXPECT_TRUE(system.sent.empty());
        EXPECT_TRUE(system.sounds.empty());
        EXPECT_FALSE(is_playable_path(path));
    }
    EXPECT_FALSE(is_playable_path(std::string("a\0b", 3)));
    EXPECT_TRUE(is_playable_path("C:\\My Music\\\x83\x5c\x83\x93\x83\x4f.mp3"));  // ソング
}

// --- WAV file ---------------------------------------------------------------

TEST_F(MusicPlayerTest, WavLoopsThroughPlaySoundOnlyWithAWaveDevice) {
    settings.BGM_File = "C:\\tone.wav";
    system.wave_devices = 0;
    player.PlayWaveFile();
    EXPECT_TRUE(system.sounds.empty());
    EXPECT_EQ(LastApiResult, 12345);

    system.wave_devices = 1;
    player.PlayWaveFile();
    ASSERT_EQ(system.sounds.size(), 1u);
    EXPECT_TRUE(system.sounds[0].has_name);
    EXPECT_EQ(system.sounds[0].name, "C:\\tone.wav");
    EXPECT_EQ(system.sounds[0].flags, 0x0002000Bu);  // SND_ASYNC | SND_NODEFAULT | SND_LOOP | SND_FILENAME
    EXPECT_EQ(LastApiResult, 1);

    system.play_sound_result = false;
    player.StopWaveFile();
    ASSERT_EQ(system.sounds.size(), 2u);
    EXPECT_FALSE(system.sounds[1].has_name);
    EXPECT_EQ(system.sounds[1].flags, 0u);
    EXPECT_EQ(LastApiResult, 0);
    EXPECT_TRUE(system.sent.empty());
}

TEST(MusicFileType, LastThreeCharactersInAnyCase) {
    struct Case {
        const char* path;
        MusicFileType type;
    };
    const Case cases[] = {
        {"C:\\x.Mp3", MusicFileType::Mp3},   {"C:\\x.WAV", MusicFileType::Wav},  {"C:\\x.wma", MusicFileType::None},
        {"C:\\x.mpeg", MusicFileType::None}, {"C:\\x.mid", MusicFileType::None}, {"mp3", MusicFileType::Mp3},
        {"p3", MusicFileType::None},         {"", MusicFileType::None},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(music_file_type_of(c.path), c.type) << c.path;
    }
}

}  // namespace
