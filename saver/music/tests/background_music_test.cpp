// A saver run's music from its load to its end, against the simulated drive
// and the recording of PlaySoundA: above all that the end of a run stops and
// closes the CD device whenever the run opened it.
#include "saver/music/background_music.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "saver/music/tests/simulated_multimedia.h"

using namespace music;

using namespace shared;

namespace {

using Commands = std::vector<std::string>;

const Commands kCdClosed = {"stop cdaudio", "close cdaudio"};

TEST(BackgroundMusic, TheEndOfARunStopsAndClosesTheCdDeviceWheneverItWasOpened) {
    // What happens between the load and the end: the 200 ms checks the watch
    // makes while the disc is as the case says.
    enum class During { Playing, NoDiscFromTheStart, DriveBusyAtTheEnd };
    const struct {
        const char* what;
        SimulatedCdDrive::Disc disc;
        During during;
        bool watch_at_end;
        Commands at_end;
    } cases[] = {
        {"a disc playing", SimulatedCdDrive::Disc::Present, During::Playing, true, kCdClosed},
        {"no disc: the first check ended the watch", SimulatedCdDrive::Disc::None, During::NoDiscFromTheStart, false,
         kCdClosed},
        {"the drive failed the last three checks", SimulatedCdDrive::Disc::Present, During::DriveBusyAtTheEnd, true,
         kCdClosed},
        {"no drive: nothing was opened, so nothing is closed",
         SimulatedCdDrive::Disc::NoDrive,
         During::Playing,
         false,
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SimulatedMultimedia system;
        system.drive.set_disc(c.disc);
        Settings settings;
        settings.BGM_Kind = 1;
        MusicPlayer player(system, settings);
        BackgroundMusic music(player, settings);

        const BackgroundMusic::Timers timers = music.Start();
        EXPECT_FALSE(timers.file_loop);
        bool watching = timers.cd_watch;
        for (int tick = 0; watching && tick < 10; ++tick) {
            if (tick >= 7 && c.during == During::DriveBusyAtTheEnd)
                system.fail_once("status cdaudio current track", mci_error::kDeviceNotReady);
            system.drive.advance(200);
            watching = music.CdTick();
        }
        EXPECT_EQ(watching, c.watch_at_end);
        system.clear_log();
        music.End();
        EXPECT_EQ(system.commands(), c.at_end);
        EXPECT_FALSE(system.drive.is_playing());
        EXPECT_FALSE(system.drive.is_open());
    }
}

TEST(BackgroundMusic, EachKindStartsItsOwnMusicAndTimersAndEndsIt) {
    const struct {
        const char* what;
        std::int16_t kind;
        const char* file;
        BackgroundMusic::Timers timers;
        Commands started;
        std::size_t sounds_started;
        Commands ended;
        std::size_t sounds_ended;
    } cases[] = {
        {"no music", 0, "C:\\a.mp3", {false, false}, {}, 0, {}, 0},
        {"an MP3",
         2,
         "C:\\a.mp3",
         {true, false},
         {"open \"C:\\a.mp3\" type MPEGVideo Alias MP3Play", "play MP3Play"},
         0,
         {"stop MP3Play", "close MP3Play"},
         0},
        {"a WAV", 2, "C:\\a.Wav", {false, false}, {}, 1, {}, 2},
        {"another file type", 2, "C:\\a.wma", {false, false}, {}, 0, {}, 0},
        {"a kind written by hand", 7, "C:\\a.wav", {false, false}, {}, 0, {}, 0},
        {"an audio CD",
         1,
         "C:\\a.wav",
         {false, true},
         {"open cdaudio", "set cdaudio time format tmsf"},
         0,
         kCdClosed,
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SimulatedMultimedia system;
        system.mp3_files.insert(c.file);
        Settings settings;
        settings.BGM_Kind = c.kind;
        settings.BGM_File = c.file;
        MusicPlayer player(system, settings);
        BackgroundMusic music(player, settings);
        const BackgroundMusic::Timers timers = music.Start();
        EXPECT_EQ(timers.file_loop, c.timers.file_loop);
        EXPECT_EQ(timers.cd_watch, c.timers.cd_watch);
        EXPECT_EQ(system.commands(), c.started);
        EXPECT_EQ(system.sounds.size(), c.sounds_started);
        system.clear_log();
        music.End();
        EXPECT_EQ(system.commands(), c.ended);
        ASSERT_EQ(system.sounds.size(), c.sounds_ended);
        if (c.sounds_ended == 2) {
            EXPECT_EQ(system.sounds[0].flags, kWaveLoopFlags);
            EXPECT_FALSE(system.sounds[1].has_name);  // the stop
        }
    }
}

}  // namespace
