/* A stand-in for a running saver whose one process owns two of the saver's
 * windows, as when a preview is found at the top level and again as the
 * child of its host while it is re-parented: a settings dialog and a
 * preview, of the saver's window classes and captions, both top-level and
 * hidden. The installer test copies it over the saver's own file in the
 * system folder and runs it from there, so that the file is in use as a
 * running saver's is. It prints "ready" once both windows exist. Each closes
 * on WM_CLOSE; when both have gone it lingers half a second, as a saver
 * finishing its work after its windows, then ends (after five minutes in any
 * case). */
#include <stdio.h>
#include <windows.h>

static int g_windows_open = 0;

static LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            if (--g_windows_open == 0)
                PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wparam, lparam);
    }
}

static HWND make_window(const char* class_name, const char* caption) {
    WNDCLASSA wc;
    ZeroMemory(&wc, sizeof wc);
    wc.lpfnWndProc = window_proc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = class_name;
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, class_name, caption, WS_POPUP, 0, 0, 152, 112, NULL, NULL, wc.hInstance, NULL);
    if (window)
        ++g_windows_open;
    return window;
}

int main(void) {
    if (!make_window("Ember_Lantern_P", "<Ember_Lantern>") || !make_window("Ember_Lantern_R", "Preview Window"))
        return 1;
    SetTimer(NULL, 0, 5 * 60 * 1000, NULL);
    printf("ready\n");
    fflush(stdout);
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.hwnd == NULL)
            break;
        DispatchMessageA(&message);
    }
    Sleep(500);
    return 0;
}
