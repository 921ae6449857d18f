// Test-only console program for the front end's end-to-end tests.
//   frontend_probe preview-host W H [AWARENESS]
//                                     a host window of that outer size at (0, 0),
//                                     captioned "preview host W x H", with the
//                                     front end's preview set up inside it in this
//                                     same process, so what the preview paints
//                                     reaches the screen under Wine; runs until the
//                                     host is closed. AWARENESS (unaware, system or
//                                     permonitor) is the DPI awareness the host is
//                                     made at; the preview's set-up then starts from
//                                     the program's own, as in the saver
//   frontend_probe children CAPTION   one line per child window of the top-level
//                                     window with that caption (a message box's
//                                     text, buttons and icon):
//                                     class=... style=XXXXXXXX icon=0|1 caption=...
//                                     (icon: a static control showing an icon image)
// SetThreadDpiAwarenessContext is declared from Windows 10 (0x0605) on.
#undef WINVER
#define WINVER 0x0605

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "saver/startup/win32/preview_window.h"

using namespace startup;

namespace {

LRESULT CALLBACK host_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

DPI_AWARENESS_CONTEXT awareness_context(const std::string& name) {
    if (name == "unaware")
        return DPI_AWARENESS_CONTEXT_UNAWARE;
    if (name == "system")
        return DPI_AWARENESS_CONTEXT_SYSTEM_AWARE;
    if (name == "permonitor")
        return DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2;
    return nullptr;
}

// SetThreadDpiAwarenessContext where the system has it; the context before.
DPI_AWARENESS_CONTEXT set_thread_awareness(DPI_AWARENESS_CONTEXT context) {
    using Function = decltype(&::SetThreadDpiAwarenessContext);
    const auto set = reinterpret_cast<Function>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("user32.dll"), "SetThreadDpiAwarenessContext")));
    return set && context ? set(context) : nullptr;
}

int preview_host(int width, int height, const std::string& awareness) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    wc.lpfnWndProc = host_proc;
    wc.hInstance = instance;
    // White, so a pixel the preview does not cover shows.
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = "preview test host";
    RegisterClassA(&wc);
    const std::string caption = "preview host " + std::to_string(width) + " x " + std::to_string(height);
    const DPI_AWARENESS_CONTEXT before = set_thread_awareness(awareness_context(awareness));
    HWND host = CreateWindowExA(0, wc.lpszClassName, caption.c_str(), WS_POPUP | WS_VISIBLE, 0, 0, width, height,
                                nullptr, nullptr, instance, nullptr);
    set_thread_awareness(before);
    if (!host || !set_up_preview(instance, host))
        return 1;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

BOOL CALLBACK print_child(HWND child, LPARAM) {
    char class_name[128] = {};
    char caption[1024] = {};
    GetClassNameA(child, class_name, sizeof class_name);
    GetWindowTextA(child, caption, sizeof caption);
    const bool icon = SendMessageA(child, STM_GETICON, 0, 0) != 0;
    std::printf("class=%s style=%08lx icon=%d caption=%s\n", class_name,
                static_cast<unsigned long>(GetWindowLongA(child, GWL_STYLE)), icon ? 1 : 0, caption);
    return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "preview-host" && (argc == 4 || argc == 5))
        return preview_host(std::atoi(argv[2]), std::atoi(argv[3]), argc == 5 ? argv[4] : "");
    if (command == "children" && argc == 3) {
        HWND window = FindWindowA(nullptr, argv[2]);
        if (!window)
            return 1;
        EnumChildWindows(window, print_child, 0);
        return 0;
    }
    std::fputs("usage: frontend_probe preview-host W H [unaware|system|permonitor] | children CAPTION\n", stderr);
    return 2;
}
