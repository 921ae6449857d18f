// winprobe: a small Windows console tool by which the end-to-end tests look
// at and poke the programs under test from inside the Wine session, where
// hidden windows and window handles are visible. Every wait is bounded.
//
//   winprobe find CAPTION                  prints the handle (decimal); exit 1 if none
//   winprobe wait CAPTION MS               waits until a top-level window has the caption
//   winprobe wait-gone CAPTION MS          waits until no top-level window has it
//   winprobe info CAPTION                  prints window and client rectangles, style, visibility, parent
//   winprobe info-handle HWND              the same for a handle
//   winprobe child-of HWND                 prints the first child window's handle and caption
//   winprobe post CAPTION MSG WPARAM LPARAM posts a message to the window
//   winprobe host W H [CAPTION [DEPTH]]    makes a top-level host window of that outer size,
//                                          prints its handle, then serves it until it is
//                                          closed (WM_CLOSE destroys it, then it exits); with
//                                          DEPTH, that many child windows nested inside it, as
//                                          the display settings nest their preview box, and
//                                          prints the innermost one's handle instead
//   winprobe proc-stats CAPTION            prints the owning process's private bytes and handles
//   winprobe gone-gap FIRST SECOND MS      waits until FIRST is gone, then until SECOND is gone,
//                                          and prints the milliseconds between the two
//   winprobe spawn-unquoted COMMAND_LINE   starts a process the careless way (no application
//                                          name, path unquoted), to show what a planted
//                                          program at a prefix of the path would do
//   winprobe repeat-size CAPTION MS        for MS milliseconds posts WM_SIZE (restored, the current
//                                          client size) every 40 ms to whichever window has the caption
//   winprobe watch-gap CAPTION MS          for MS milliseconds at most looks for the caption every millisecond,
//                                          as the saver's watch would at its finest; ends early once no window
//                                          has had it for a second (the program ended); prints how often it
//                                          vanished and reappeared and the longest time no window had it
//                                          (ms); exit 1 if it never showed
//   winprobe load-library NAME             LoadLibraryA(NAME) with the ordinary search; exit 1 if it fails
//   winprobe hold FILE                     opens FILE as another program might (to read, sharing reading
//                                          only, so that it can be neither renamed nor deleted), prints
//                                          "held" and keeps it open until ended (ten minutes at most)
//   winprobe controls CAPTION              one line per window inside the top-level window with that
//                                          caption, in creation order: id=N class=C style=XXXXXXXX
//                                          focus=0|1 items=N (a combo box's list) text=... (line breaks as |)
//   winprobe monitors                      one line per monitor: left,top,right,bottom and primary=0|1,
//                                          then the screen DC's HORZRES x VERTRES
//   winprobe windows-of CAPTION            one line per visible top-level window of the process that
//                                          owns the window with that caption (info as for info)
//   winprobe post-gone CAPTION MSG WPARAM LPARAM MS
//                                          posts the message to the visible window with the caption and prints the
//                                          milliseconds until that window is hidden or destroyed; exit 1 if
//                                          it is not within MS
//   winprobe backdrop RRGGBB               a desktop picture of one colour: a pop-up over the whole virtual
//                                          screen (Wine's desktop window covers the X root), below windows
//                                          made later; prints "shown" once painted, then serves it until
//                                          it is closed (ten minutes at most)
//   winprobe recreate CAPTION MSG WPARAM LPARAM COUNT MS
//                                          COUNT times: posts the message to the window with the caption and
//                                          waits (MS at most) until a new visible window has the caption;
//                                          prints the count and the mean milliseconds; exit 1 on a timeout
#include <windows.h>
// after windows.h, which they need
#include <psapi.h>
#include <winternl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/win32/system_library.h"

namespace {

HWND find_top_level(const char* caption) {
    return FindWindowA(nullptr, caption);
}

bool wait_for(const char* caption, DWORD timeout_ms, bool want_present) {
    const DWORD start = GetTickCount();
    for (;;) {
        const bool present = find_top_level(caption) != nullptr;
        if (present == want_present)
            return true;
        if (GetTickCount() - start >= timeout_ms)
            return false;
        Sleep(10);
    }
}

unsigned long handle_value(HWND w) {
    return static_cast<unsigned long>(reinterpret_cast<uintptr_t>(w));
}

int print_info(HWND w) {
    if (!w || !IsWindow(w)) {
        std::puts("none");
        return 1;
    }
    RECT wr{}, cr{};
    GetWindowRect(w, &wr);
    GetClientRect(w, &cr);
    char caption[256] = {};
    GetWindowTextA(w, caption, sizeof caption);
    std::printf(
        "handle=%lu window=%ld,%ld,%ld,%ld client=%ld,%ld style=%08lx exstyle=%08lx visible=%d "
        "iconic=%d parent=%lu caption=%s\n",
        handle_value(w), wr.left, wr.top, wr.right, wr.bottom, cr.right - cr.left, cr.bottom - cr.top,
        static_cast<unsigned long>(GetWindowLongA(w, GWL_STYLE)),
        static_cast<unsigned long>(GetWindowLongA(w, GWL_EXSTYLE)), IsWindowVisible(w) ? 1 : 0, IsIconic(w) ? 1 : 0,
        handle_value(GetParent(w)), caption);
    return 0;
}

LRESULT CALLBACK host_proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

int run_host(int width, int height, const char* caption, int depth) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = host_proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = "winprobe host";
    RegisterClassA(&wc);
    WNDCLASSA box = wc;
    box.lpfnWndProc = DefWindowProcA;
    box.lpszClassName = "winprobe box";
    RegisterClassA(&box);
    HWND host = CreateWindowExA(0, wc.lpszClassName, caption, WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr,
                                nullptr, wc.hInstance, nullptr);
    for (int level = 0; host && level < depth; ++level)
        host = CreateWindowExA(0, box.lpszClassName, "", WS_CHILD | WS_VISIBLE, 0, 0, width, height, host, nullptr,
                               wc.hInstance, nullptr);
    if (!host)
        return 1;
    std::printf("%lu\n", handle_value(host));
    std::fflush(stdout);
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    return 0;
}

int run_backdrop(unsigned long rgb) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = host_proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = CreateSolidBrush(RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF));
    wc.lpszClassName = "winprobe backdrop";
    RegisterClassA(&wc);
    HWND w = CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "backdrop", WS_POPUP | WS_VISIBLE,
                             GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                             GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN), nullptr,
                             nullptr, wc.hInstance, nullptr);
    if (!w)
        return 1;
    UpdateWindow(w);
    GdiFlush();
    std::printf("shown\n");
    std::fflush(stdout);
    SetTimer(w, 1, 10 * 60 * 1000, nullptr);
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0) {
        if (m.message == WM_TIMER)
            DestroyWindow(w);
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    return 0;
}

// The process's entry in the system's process list: Wine answers handle
// counts and private bytes of another process only there.
struct SystemProcessFigures {
    unsigned long handles = 0;
    unsigned long private_bytes = 0;
    unsigned long threads = 0;
};

SystemProcessFigures system_process_figures(DWORD pid) {
    SystemProcessFigures figures;
    decltype(&::NtQuerySystemInformation) query = nullptr;
    if (!win32::resolve(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation", query))
        return figures;
    std::string buffer(1 << 20, '\0');
    ULONG needed = 0;
    if (query(SystemProcessInformation, &buffer[0], static_cast<ULONG>(buffer.size()), &needed) != 0)
        return figures;
    for (size_t offset = 0;;) {
        const auto* entry = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(buffer.data() + offset);
        if (reinterpret_cast<uintptr_t>(entry->UniqueProcessId) == pid) {
            figures.handles = entry->HandleCount;
            figures.private_bytes = static_cast<unsigned long>(entry->VirtualMemoryCounters.PagefileUsage);
            figures.threads = entry->NumberOfThreads;
            break;
        }
        if (!entry->NextEntryOffset)
            break;
        offset += entry->NextEntryOffset;
    }
    return figures;
}

int proc_stats(HWND w) {
    DWORD pid = 0;
    if (!w || !GetWindowThreadProcessId(w, &pid))
        return 1;
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!process)
        return 1;
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
    DWORD handles = 0;
    GetProcessHandleCount(process, &handles);
    const SystemProcessFigures figures = system_process_figures(pid);
    std::printf(
        "pid=%lu private=%lu working=%lu handles=%lu gdi=%lu user=%lu sys_handles=%lu sys_private=%lu "
        "threads=%lu\n",
        pid, static_cast<unsigned long>(counters.PrivateUsage), static_cast<unsigned long>(counters.WorkingSetSize),
        handles, GetGuiResources(process, GR_GDIOBJECTS), GetGuiResources(process, GR_USEROBJECTS), figures.handles,
        figures.private_bytes, figures.threads);
    CloseHandle(process);
    return 0;
}

int repeat_size(const char* caption, DWORD duration_ms) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < duration_ms) {
        if (HWND w = find_top_level(caption)) {
            RECT client{};
            GetClientRect(w, &client);
            PostMessageA(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
        }
        Sleep(40);
    }
    return 0;
}

int watch_gap(const char* caption, DWORD duration_ms) {
    LARGE_INTEGER frequency, now, start, vanished{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    const auto ms_between = [&](const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
        return (to.QuadPart - from.QuadPart) * 1000.0 / frequency.QuadPart;
    };
    bool seen = false, present = false;
    int gaps = 0;
    double longest_ms = 0.0;
    HWND last = nullptr;
    int handles = 0;
    for (;; Sleep(1)) {
        QueryPerformanceCounter(&now);
        if (ms_between(start, now) >= duration_ms || (seen && !present && ms_between(vanished, now) >= 1000))
            break;
        HWND w = find_top_level(caption);
        if (w && !present && seen) {
            const double gap_ms = ms_between(vanished, now);
            longest_ms = gap_ms > longest_ms ? gap_ms : longest_ms;
            ++gaps;
        }
        if (!w && present)
            vanished = now;
        if (w && w != last) {
            ++handles;
            last = w;
        }
        seen = seen || w;
        present = w != nullptr;
    }
    std::printf("gaps=%d longest_ms=%.2f handles=%d present=%d\n", gaps, longest_ms, handles, present ? 1 : 0);
    return seen ? 0 : 1;
}

HWND parse_handle(const char* text) {
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(std::strtoul(text, nullptr, 10)));
}

// A window being destroyed keeps its caption for a while after it is hidden
// (under Wine up to 2 s, waiting for a window manager that Xvfb lacks).
HWND find_visible(const char* caption, DWORD timeout_ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        for (HWND w = FindWindowExA(nullptr, nullptr, nullptr, caption); w;
             w = FindWindowExA(nullptr, w, nullptr, caption)) {
            if (IsWindowVisible(w))
                return w;
        }
        if (GetTickCount() - start >= timeout_ms)
            return nullptr;
        Sleep(5);
    }
}

int post_gone(const char* caption, UINT message, WPARAM wparam, LPARAM lparam, DWORD timeout_ms) {
    const HWND w = find_visible(caption, timeout_ms);
    LARGE_INTEGER frequency, posted, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&posted);
    if (!w || !PostMessageA(w, message, wparam, lparam))
        return 1;
    for (;;) {
        QueryPerformanceCounter(&now);
        const double ms = (now.QuadPart - posted.QuadPart) * 1000.0 / frequency.QuadPart;
        if (!IsWindowVisible(w)) {
            std::printf("gone_ms=%.1f\n", ms);
            return 0;
        }
        if (ms >= timeout_ms)
            return 1;
        Sleep(1);
    }
}

int recreate(const char* caption, UINT message, WPARAM wparam, LPARAM lparam, int count, DWORD timeout_ms) {
    const DWORD start = GetTickCount();
    for (int i = 0; i < count; ++i) {
        const HWND old = find_top_level(caption);
        if (!old || !PostMessageA(old, message, wparam, lparam))
            return 1;
        const DWORD posted = GetTickCount();
        for (;;) {
            const HWND now = find_top_level(caption);
            if (now && now != old && IsWindowVisible(now))
                break;
            if (GetTickCount() - posted >= timeout_ms) {
                std::printf("recreated=%d timed-out\n", i);
                return 1;
            }
            Sleep(5);
        }
    }
    std::printf("recreated=%d mean_ms=%.1f\n", count, count ? (GetTickCount() - start) / double(count) : 0.0);
    return 0;
}

int hold_file(const char* path) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    std::printf("held\n");
    std::fflush(stdout);
    Sleep(10 * 60 * 1000);
    CloseHandle(file);
    return 0;
}

int usage() {
    std::fputs(
        "usage: winprobe "
        "find|wait|wait-gone|info|info-handle|child-of|post|host|backdrop|hold|proc-stats|gone-gap|spawn-unquoted|"
        "repeat-size|"
        "watch-gap|load-library|post-gone|recreate ...\n",
        stderr);
    return 2;
}

}  // namespace

BOOL CALLBACK print_monitor(HMONITOR monitor, HDC, LPRECT, LPARAM) noexcept {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoA(monitor, &info);
    const RECT& r = info.rcMonitor;
    std::printf("monitor=%ld,%ld,%ld,%ld primary=%d\n", r.left, r.top, r.right, r.bottom,
                (info.dwFlags & MONITORINFOF_PRIMARY) ? 1 : 0);
    return TRUE;
}

int print_monitors() {
    EnumDisplayMonitors(nullptr, nullptr, print_monitor, 0);
    HDC screen = GetDC(nullptr);
    std::printf("screen=%d,%d\n", GetDeviceCaps(screen, HORZRES), GetDeviceCaps(screen, VERTRES));
    ReleaseDC(nullptr, screen);
    return 0;
}

struct ProcessWindows {
    DWORD pid;
    int count;
};

BOOL CALLBACK print_if_of_process(HWND w, LPARAM param) noexcept {
    auto* wanted = reinterpret_cast<ProcessWindows*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == wanted->pid && IsWindowVisible(w)) {
        print_info(w);
        ++wanted->count;
    }
    return TRUE;
}

int windows_of(const char* caption) {
    HWND w = find_top_level(caption);
    ProcessWindows wanted{0, 0};
    if (!w || !GetWindowThreadProcessId(w, &wanted.pid))
        return 1;
    EnumWindows(print_if_of_process, reinterpret_cast<LPARAM>(&wanted));
    return 0;
}

struct ControlsOf {
    HWND focus;
};

BOOL CALLBACK print_control(HWND w, LPARAM param) noexcept {
    const auto* of = reinterpret_cast<const ControlsOf*>(param);
    char class_name[64] = {};
    GetClassNameA(w, class_name, sizeof class_name);
    // WM_GETTEXT, not GetWindowText: only the message reaches the text of
    // another process's edit field.
    char text[512] = {};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(w, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &ignored);
    // One line per control: line breaks of a text show as "|".
    for (char* c = text; *c; ++c) {
        if (*c == '\r' || *c == '\n')
            *c = '|';
    }
    DWORD_PTR items = 0;
    if (lstrcmpiA(class_name, "ComboBox") == 0)
        SendMessageTimeoutA(w, CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000, &items);
    // The place in the parent's client area.
    RECT at{};
    GetWindowRect(w, &at);
    MapWindowPoints(nullptr, GetParent(w), reinterpret_cast<POINT*>(&at), 2);
    std::printf("id=%d class=%s style=%08lx focus=%d items=%lu at=%ld,%ld,%ld,%ld text=%s\n", GetDlgCtrlID(w),
                class_name, static_cast<unsigned long>(GetWindowLongA(w, GWL_STYLE)), w == of->focus ? 1 : 0,
                static_cast<unsigned long>(items), at.left, at.top, at.right - at.left, at.bottom - at.top, text);
    return TRUE;
}

int print_controls(const char* caption) {
    HWND w = find_top_level(caption);
    if (!w)
        return 1;
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(GetWindowThreadProcessId(w, nullptr), &thread);
    ControlsOf of{thread.hwndFocus};
    EnumChildWindows(w, print_control, reinterpret_cast<LPARAM>(&of));
    return 0;
}

int main(int argc, char** argv) {
    if (argc < 2)
        return usage();
    const std::string cmd = argv[1];
    if (cmd == "find" && argc == 3) {
        HWND w = find_top_level(argv[2]);
        std::printf("%lu\n", handle_value(w));
        return w ? 0 : 1;
    }
    if ((cmd == "wait" || cmd == "wait-gone") && argc == 4)
        return wait_for(argv[2], std::strtoul(argv[3], nullptr, 10), cmd == "wait") ? 0 : 1;
    if (cmd == "info" && argc == 3)
        return print_info(find_top_level(argv[2]));
    if (cmd == "info-handle" && argc == 3)
        return print_info(parse_handle(argv[2]));
    if (cmd == "child-of" && argc == 3) {
        HWND child = GetWindow(parse_handle(argv[2]), GW_CHILD);
        return print_info(child);
    }
    if (cmd == "post" && argc == 6) {
        HWND w = find_top_level(argv[2]);
        if (!w)
            return 1;
        return PostMessageA(w, std::strtoul(argv[3], nullptr, 0), std::strtoul(argv[4], nullptr, 0),
                            std::strtol(argv[5], nullptr, 0))
                   ? 0
                   : 1;
    }
    if (cmd == "host" && argc >= 4 && argc <= 6)
        return run_host(std::atoi(argv[2]), std::atoi(argv[3]), argc >= 5 ? argv[4] : "preview host",
                        argc == 6 ? std::atoi(argv[5]) : 0);
    if (cmd == "backdrop" && argc == 3)
        return run_backdrop(std::strtoul(argv[2], nullptr, 16));
    if (cmd == "gone-gap" && argc == 5) {
        const DWORD timeout_ms = std::strtoul(argv[4], nullptr, 10);
        if (!wait_for(argv[2], timeout_ms, false))
            return 1;
        const DWORD first_gone = GetTickCount();
        if (!wait_for(argv[3], timeout_ms, false))
            return 1;
        std::printf("%lu\n", static_cast<unsigned long>(GetTickCount() - first_gone));
        return 0;
    }
    if (cmd == "spawn-unquoted" && argc == 3) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        std::string commandLine = argv[2];
        if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
            return 1;
        WaitForSingleObject(process.hProcess, 30000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return 0;
    }
    if (cmd == "proc-stats" && argc == 3)
        return proc_stats(find_top_level(argv[2]));
    if (cmd == "repeat-size" && argc == 4)
        return repeat_size(argv[2], std::strtoul(argv[3], nullptr, 10));
    if (cmd == "watch-gap" && argc == 4)
        return watch_gap(argv[2], std::strtoul(argv[3], nullptr, 10));
    if (cmd == "controls" && argc == 3)
        return print_controls(argv[2]);
    if (cmd == "monitors" && argc == 2)
        return print_monitors();
    if (cmd == "windows-of" && argc == 3)
        return windows_of(argv[2]);
    if (cmd == "post-gone" && argc == 7)
        return post_gone(argv[2], std::strtoul(argv[3], nullptr, 0), std::strtoul(argv[4], nullptr, 0),
                         std::strtol(argv[5], nullptr, 0), std::strtoul(argv[6], nullptr, 10));
    if (cmd == "recreate" && argc == 8)
        return recreate(argv[2], std::strtoul(argv[3], nullptr, 0), std::strtoul(argv[4], nullptr, 0),
                        std::strtol(argv[5], nullptr, 0), std::atoi(argv[6]), std::strtoul(argv[7], nullptr, 10));
    if (cmd == "hold" && argc == 3)
        return hold_file(argv[2]);
    if (cmd == "load-library" && argc == 3)
        return LoadLibraryA(argv[2]) ? 0 : 1;
    return usage();
}
