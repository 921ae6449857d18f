// Ember_Lantern_bench.exe: the renderer with its frames timed; never ships.
//   Ember_Lantern_bench.exe WARMUP_S MEASURE_S RESULT_FILE [unpaced]
// Runs full screen, forgets the first WARMUP_S seconds, measures MEASURE_S
// seconds, closes its window and writes one line of figures to RESULT_FILE.
// "unpaced" draws as fast as the loop allows, as the renderer did before it
// kept to the display's refresh rate.
#include <windows.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "common/win32/process_start.h"
#include "renderer/win32/run_options.h"

namespace {

double seconds_of(std::int64_t ticks) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

double process_cpu_seconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto value = [](const FILETIME& t) {
        return static_cast<double>((static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime) * 1e-7;
    };
    return value(kernel) + value(user);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show_command) {
    win32::start_process();
    if (__argc < 4)
        return 2;
    renderer::RunOptions options;
    for (int i = 4; i < __argc; ++i) {
        if (std::strcmp(__argv[i], "unpaced") == 0)
            options.pace = false;
        else
            return 2;
    }
    const double warmup = std::atof(__argv[1]);
    const double measure = std::atof(__argv[2]);
    const char* result_path = __argv[3];

    renderer::FrameStats stats;
    renderer::FrameStats at_warmup_end;
    double cpu_at_warmup_end = 0.0;
    std::atomic<bool> finished{false};

    // A watcher thread marks the end of the warm-up and closes the window. The
    // snapshot of the counters may be a frame off; over seconds that is noise.
    std::thread watcher([&] {
        Sleep(static_cast<DWORD>(warmup * 1000));
        at_warmup_end = stats;
        cpu_at_warmup_end = process_cpu_seconds();
        Sleep(static_cast<DWORD>(measure * 1000));
        finished = true;
        for (int i = 0; i < 100; ++i) {
            if (HWND w = FindWindowA(nullptr, "Ember_Lantern_VC")) {
                PostMessageA(w, WM_CLOSE, 0, 0);
                return;
            }
            Sleep(50);
        }
    });
    options.stats = &stats;
    const int code = renderer::run_renderer(instance, show_command, options);
    watcher.join();
    const double cpu = process_cpu_seconds() - cpu_at_warmup_end;

    const std::int64_t frames = stats.frames - at_warmup_end.frames;
    FILE* out = std::fopen(result_path, "w");
    if (!out || frames <= 0 || !finished)
        return 3;
    const double wall = seconds_of(stats.loop_ticks - at_warmup_end.loop_ticks);
    const double cpu_side = seconds_of(stats.cpu_ticks - at_warmup_end.cpu_ticks);
    const double gl = seconds_of(stats.gl_ticks - at_warmup_end.gl_ticks);
    // Frame times' standard deviation, from the sums of the intervals and their squares.
    const double mean_ticks = static_cast<double>(stats.loop_ticks - at_warmup_end.loop_ticks) / frames;
    const double mean_square = (stats.loop_ticks_squared - at_warmup_end.loop_ticks_squared) / frames;
    const double spread = seconds_of(1) * std::sqrt(std::fmax(0.0, mean_square - mean_ticks * mean_ticks));
    std::fprintf(out,
                 "frames=%lld waited_frames=%lld seconds=%.3f fps=%.1f scene_cpu_us_per_frame=%.2f "
                 "outside_gl_us_per_frame=%.2f gl_us_per_frame=%.1f process_cpu_ms_per_frame=%.3f "
                 "cpu_s_per_s=%.3f frame_ms_mean=%.2f frame_ms_spread=%.2f pacing=%s refresh_hz=%.3f refresh_source=%s "
                 "exit=%d\n",
                 static_cast<long long>(frames),
                 static_cast<long long>(stats.frames_after_a_wait - at_warmup_end.frames_after_a_wait), wall,
                 frames / wall, cpu_side * 1e6 / frames, (wall - gl) * 1e6 / frames, gl * 1e6 / frames,
                 cpu * 1e3 / frames, cpu / wall, wall * 1e3 / frames, spread * 1e3,
                 stats.pacing[0] ? stats.pacing : "none", stats.refresh_hz,
                 stats.refresh_source[0] ? stats.refresh_source : "none", code);
    std::fclose(out);
    return 0;
}
