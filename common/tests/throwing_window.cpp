// Test helper: a window whose procedure throws, as a fault in any handler
// would. "guarded" starts the process as both programs do; "unguarded" does
// not, to show that the test can tell the two apart.
#include <windows.h>

#include <cstring>
#include <stdexcept>

#include "common/win32/process_start.h"
#include "common/win32/window_base.h"

namespace {

class ThrowingWindow final : public win32::WindowBase {
public:
    HWND create() {
        win32::WindowClass wc;
        wc.name = "throwing window";
        win32::register_window_class(GetModuleHandleA(nullptr), wc);
        return create_window(0, wc.name, "throwing window", WS_POPUP, 0, 0, 10, 10, nullptr, GetModuleHandleA(nullptr));
    }

private:
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) noexcept override {
        if (message == WM_APP)
            throw_fault();
        return default_handling(message, wparam, lparam);
    }

    static void throw_fault() { throw std::runtime_error("a fault in a handler"); }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "guarded") == 0)
        win32::start_process();
    ThrowingWindow window;
    HWND hwnd = window.create();
    if (!hwnd)
        return 2;
    SendMessageA(hwnd, WM_APP, 0, 0);
    return 7;  // never reached: the exception ends the process
}
