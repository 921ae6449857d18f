#include "renderer/win32/renderer_app.h"

#include <ctime>
#include <memory>
#include <utility>

#include "renderer/win32/renderer_window.h"
#include "renderer/win32/run_options.h"
#include "renderer/win32/run_parts.h"
#include "renderer/window_life.h"

namespace renderer {
namespace {

// Failures are silent; the step's name only reaches a debugger.
void report_error(const char* step) {
    OutputDebugStringA("Ember_Lantern_VC: set-up failed at ");
    OutputDebugStringA(step);
    OutputDebugStringA("\n");
}

}  // namespace

// The windows one after another, as WindowLife decides: a new window is made
// while the one it replaces still stands, which goes only once the new one
// shows, so that a window with the caption is there at every moment (the
// saver ends its run when the caption has been missing for 150 ms).
int run_renderer(HINSTANCE instance, int show_command, const RunOptions& options) {
    // Large members (the GL table, the loop) live on the heap, not the stack.
    const auto run = std::make_unique<RunParts>(instance, options, static_cast<std::uint32_t>(std::time(nullptr)));
    if (!RendererWindow::register_class(instance)) {
        report_error("RegisterClassEx");
        return 0;
    }
    // Before the first pixel-format call, which would otherwise load opengl32
    // by the ordinary search.
    if (!run->gl.load()) {
        report_error("LoadLibraryEx");
        return 0;
    }

    WindowLife life;
    std::unique_ptr<RendererWindow> window;
    for (NextStep step = life.start();;) {
        switch (step) {
            case NextStep::MakeWindow: {
                const char* failed = nullptr;
                std::unique_ptr<RendererWindow> next = RendererWindow::make(*run, life.full_screen(), failed);
                if (!next) {
                    step = life.set_up_failed(failed, run->now(), window != nullptr);
                    continue;
                }
                next->show(show_command);
                window = std::move(next);  // the window it replaces goes only now
                break;
            }
            case NextStep::WaitToRetry:
                window->hold_for_retry(WindowLife::kRetrySeconds);
                break;
            case NextStep::Quit:
                return 1;
            case NextStep::GiveUp:
                report_error(life.failed_step());
                return 0;
        }
        const LoopEnd end = run->loop.run(*window);
        window->end_start_fade();
        step = life.loop_ended(end, run->now());
    }
}

int run_renderer(HINSTANCE instance, int show_command) {
    return run_renderer(instance, show_command, RunOptions{});
}

}  // namespace renderer
