// The black windows over every monitor but the one the renderer's full-screen
// window fills (cover_layout.h). Made with each full-screen window and
// removed with it; the framed window has none. A cover draws nothing per
// frame. For the user it is part of the renderer's window: a key released
// on it, a close request and a refused system command are handed to the main
// window, and the mouse does nothing.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

namespace renderer {

class CoverWindow;

class MonitorCovers {
public:
    MonitorCovers();
    MonitorCovers(const MonitorCovers&) = delete;
    MonitorCovers& operator=(const MonitorCovers&) = delete;
    ~MonitorCovers();

    // Covers every monitor outside `main_window`'s screen rectangle, without
    // taking the activation from it. With one monitor this makes nothing.
    void cover_other_monitors(HINSTANCE instance, HWND main_window) noexcept;
    // Destroys the covers (before the main window is destroyed).
    void remove() noexcept;

private:
    std::vector<std::unique_ptr<CoverWindow>> covers_;
};

}  // namespace renderer
