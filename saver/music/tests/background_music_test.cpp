// A saver run's music from its load to its end, against the simulated drive
// and the recording of PlaySoundA: above all that the end of a run stops and
// closes the CD device whenever the run opened it, that a file fades in, and
// that the display turning off releases every kind of music.
#include "saver/music/background_music.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "saver/music/music_fade.h"
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
        std::uint32_t now = 0;
        BackgroundMusic music(player, settings, [&] { return now; });

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

// An MP3's device is set silent before it plays, for the fade to raise it;
// where it takes no volume the file plays as recorded. A WAV starts at its
// own level: nothing in a run touches a level the system keeps for the
// program, so a run killed in its first seconds leaves none low.
TEST(BackgroundMusic, EachKindStartsItsOwnMusicAndTimersAndEndsIt) {
    const struct {
        const char* what;
        std::int16_t kind;
        const char* file;
        bool device_volume;  // the MP3 device takes a volume
        BackgroundMusic::Timers timers;
        Commands started;
        std::size_t sounds_started;
        Commands ended;
        std::size_t sounds_ended;
    } cases[] = {
        {"no music", 0, "C:\\a.mp3", true, {false, false, false}, {}, 0, {}, 0},
        {"an MP3",
         2,
         "C:\\a.mp3",
         true,
         {true, false, true},
         {"open \"C:\\a.mp3\" type MPEGVideo Alias MP3Play", "setaudio MP3Play volume to 0", "play MP3Play"},
         0,
         {"stop MP3Play", "close MP3Play"},
         0},
        {"an MP3 on a device without a volume: as recorded, no fade",
         2,
         "C:\\a.mp3",
         false,
         {true, false, false},
         {"open \"C:\\a.mp3\" type MPEGVideo Alias MP3Play", "setaudio MP3Play volume to 0", "play MP3Play"},
         0,
         {"stop MP3Play", "close MP3Play"},
         0},
        {"a WAV: at its own level, no fade", 2, "C:\\a.Wav", true, {false, false, false}, {}, 1, {}, 2},
        {"another file type", 2, "C:\\a.wma", true, {false, false, false}, {}, 0, {}, 0},
        {"a kind written by hand", 7, "C:\\a.wav", true, {false, false, false}, {}, 0, {}, 0},
        {"an audio CD: no fade",
         1,
         "C:\\a.wav",
         true,
         {false, true, false},
         {"open cdaudio", "set cdaudio time format tmsf"},
         0,
         kCdClosed,
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SimulatedMultimedia system;
        system.mp3_files.insert(c.file);
        system.mp3_takes_volume = c.device_volume;
        Settings settings;
        settings.BGM_Kind = c.kind;
        settings.BGM_File = c.file;
        MusicPlayer player(system, settings);
        std::uint32_t now = 0;
        BackgroundMusic music(player, settings, [&] { return now; });
        const BackgroundMusic::Timers timers = music.Start();
        EXPECT_EQ(timers.file_loop, c.timers.file_loop);
        EXPECT_EQ(timers.cd_watch, c.timers.cd_watch);
        EXPECT_EQ(timers.fade, c.timers.fade);
        EXPECT_EQ(system.commands(), c.started);
        EXPECT_EQ(system.sounds.size(), c.sounds_started);
        now = 1500;  // half-way up: an eighth of the level
        EXPECT_EQ(music.FadeTick(), c.timers.fade);
        if (c.timers.fade) {
            EXPECT_EQ(system.mp3_volume, 125);
        }
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

// The MP3 loop against an output that goes away: a file that has ended, or
// a device that plays again at the loop's restart, is only restarted; one
// that stays silent is closed and opened anew, which binds the system's
// present default output, and tried again no more than every ten seconds
// while there is none. Ticks every second, from when the fade is done.
TEST(BackgroundMusic, AnMp3WhoseOutputWasLostIsOpenedAnew) {
    enum class Event { Ends, OutputLost, PlaysAgain, NoOutput, OutputBack };
    struct At {
        int tick;
        Event event;
    };
    const struct {
        const char* what;
        std::vector<At> events;
        int ticks;
        std::vector<int> reopened_at;  // the ticks that opened the file anew
    } cases[] = {
        {"a file that ended plays again at the next tick", {{3, Event::Ends}, {8, Event::Ends}}, 12, {}},
        {"an unplugged headset: opened anew at the third tick without music", {{3, Event::OutputLost}}, 12, {5}},
        {"a device that plays again at the loop's restart is kept",
         {{3, Event::OutputLost}, {4, Event::PlaysAgain}},
         12,
         {}},
        {"no output at all: tried again every ten seconds until one is there",
         {{3, Event::NoOutput}, {20, Event::OutputBack}},
         30,
         {5, 15, 25}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SimulatedMultimedia system;
        system.mp3_files.insert("C:\\a.mp3");
        const Settings settings{kMusicFile, 0, "C:\\a.mp3"};
        MusicPlayer player(system, settings);
        std::uint32_t now = 0;
        BackgroundMusic music(player, settings, [&] { return now; });
        music.Start();
        now = kFadeInMs;
        EXPECT_FALSE(music.FadeTick());
        std::vector<int> reopened_at;
        for (int tick = 1; tick <= c.ticks; ++tick) {
            for (const At& at : c.events) {
                if (at.tick != tick)
                    continue;
                switch (at.event) {
                    case Event::Ends:
                        system.mp3_mode = "stopped";
                        break;
                    case Event::OutputLost:
                        system.mp3_device_lost = true;
                        break;
                    case Event::PlaysAgain:
                        system.mp3_device_lost = false;
                        break;
                    case Event::NoOutput:
                        system.mp3_device_lost = true;
                        system.default_output_present = false;
                        break;
                    case Event::OutputBack:
                        system.default_output_present = true;
                        break;
                }
            }
            now = kFadeInMs + 1000u * static_cast<std::uint32_t>(tick);
            const int opens = system.mp3_opens;
            system.clear_log();
            music.FileTick();
            if (system.mp3_opens != opens) {
                reopened_at.push_back(tick);
                // Closed first, so that the alias is free; played from the start.
                const Commands tail = {"stop MP3Play", "close MP3Play",
                                       "open \"C:\\a.mp3\" type MPEGVideo Alias MP3Play", "play MP3Play"};
                const Commands sent = system.commands();
                ASSERT_GE(sent.size(), tail.size());
                EXPECT_EQ(Commands(sent.end() - static_cast<std::ptrdiff_t>(tail.size()), sent.end()), tail);
            }
        }
        EXPECT_EQ(reopened_at, c.reopened_at);
        EXPECT_TRUE(player.IsMusicFilePlaying());
        EXPECT_EQ(system.mp3_volume, 1000);  // at its full level, the fade being over
        EXPECT_TRUE(music.timers().file_loop);
        EXPECT_FALSE(music.timers().fade);
    }
}

// While the display is off no device or sound is left open, so that the
// power plan may put the machine to sleep; when it shows again (on or
// dimmed) the music starts as at the start of the run, fading in again, and
// a CD plays on. A repeated notice changes nothing; the end after an off has
// nothing left to stop.
TEST(BackgroundMusic, TheDisplayOffReleasesTheMusicAndOnStartsItAgain) {
    const Commands kMp3Open = {"open \"C:\\a.mp3\" type MPEGVideo Alias MP3Play", "setaudio MP3Play volume to 0",
                               "play MP3Play"};
    const struct {
        std::int16_t kind;
        const char* file;
        Commands at_off;
        std::size_t sounds_at_off;  // and as many at on
        Commands at_on;
        BackgroundMusic::Timers on;
    } cases[] = {
        {kMusicFile, "C:\\a.mp3", {"stop MP3Play", "close MP3Play"}, 0, kMp3Open, {true, false, true}},
        {kMusicFile, "C:\\a.wav", {}, 1, {}, {false, false, false}},
        {kMusicCd, "", kCdClosed, 0, {"open cdaudio", "set cdaudio time format tmsf"}, {false, true, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        SimulatedMultimedia system;
        system.mp3_files.insert(c.file);
        const Settings settings{c.kind, 0, c.file};
        MusicPlayer player(system, settings);
        BackgroundMusic music(player, settings, [] { return 0u; });
        music.Start();
        for (int tick = 0; c.kind == kMusicCd && tick < 5; ++tick) {  // a CD playing
            music.CdTick();
            system.drive.advance(200);
        }
        const long played_ms = system.drive.position_ms();
        const auto sent = [&](const Commands& commands, std::size_t sounds) {
            EXPECT_EQ(system.commands(), commands);
            EXPECT_EQ(system.sounds.size(), sounds);
            system.clear_log();
            system.sounds.clear();
        };
        system.clear_log();
        system.sounds.clear();

        const BackgroundMusic::Timers off = music.FollowDisplay(false);
        EXPECT_FALSE(off.file_loop || off.cd_watch || off.fade);
        sent(c.at_off, c.sounds_at_off);
        EXPECT_FALSE(system.mp3_open || system.drive.is_open() || system.drive.is_playing());
        music.FollowDisplay(false);  // the older monitor notice, say
        sent({}, 0);

        const BackgroundMusic::Timers on = music.FollowDisplay(true);
        EXPECT_EQ(on.file_loop, c.on.file_loop);
        EXPECT_EQ(on.cd_watch, c.on.cd_watch);
        EXPECT_EQ(on.fade, c.on.fade);
        sent(c.at_on, c.sounds_at_off);
        EXPECT_EQ(music.FollowDisplay(true).fade, c.on.fade);  // dimmed after on
        sent({}, 0);
        if (c.kind == kMusicCd) {
            music.CdTick();  // the watch's first check plays on from where the drive stood
            EXPECT_TRUE(system.drive.is_playing());
            EXPECT_EQ(system.drive.position_ms(), played_ms);
        }

        music.FollowDisplay(false);
        system.clear_log();
        system.sounds.clear();
        music.End();
        sent({}, 0);
    }
}

}  // namespace
