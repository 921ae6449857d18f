/* A stand-in for Windows' desk.cpl, which Wine lacks, planted in a test
 * prefix's system folder. Whatever loads it (rundll32 for the screen saver
 * Install command, control.exe for the settings page) appends one line to
 * "<its own path>.calls", UTF-8:
 *   <loading program's path>|<its command line>|<name of the program that started it>
 * so a test can see which command ran, and whether the shell or the
 * installer started it. The Install command's entry points do nothing more. */
#include <windows.h>
/* after windows.h */
#include <tlhelp32.h>

static void append_utf8(HANDLE file, const wchar_t* text) {
    char bytes[4096];
    int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, sizeof bytes, NULL, NULL);
    DWORD written;
    if (n > 1)
        WriteFile(file, bytes, (DWORD)(n - 1), &written, NULL);
}

/* The file name of the process that started this one, or "?". */
static void parent_name(wchar_t* out, DWORD size) {
    lstrcpynW(out, L"?", (int)size);
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return;
    PROCESSENTRY32W entry;
    entry.dwSize = sizeof entry;
    DWORD parent = 0, self = GetCurrentProcessId();
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (entry.th32ProcessID == self)
            parent = entry.th32ParentProcessID;
    }
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && parent; more = Process32NextW(snapshot, &entry)) {
        if (entry.th32ProcessID == parent)
            lstrcpynW(out, entry.szExeFile, (int)size);
    }
    CloseHandle(snapshot);
}

static void record(HINSTANCE self) {
    wchar_t path[MAX_PATH + 8], program[MAX_PATH], parent[MAX_PATH];
    DWORD n = GetModuleFileNameW(self, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return;
    lstrcatW(path, L".calls");
    if (!GetModuleFileNameW(NULL, program, MAX_PATH))
        lstrcpyW(program, L"?");
    parent_name(parent, MAX_PATH);
    HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return;
    append_utf8(file, program);
    append_utf8(file, L"|");
    append_utf8(file, GetCommandLineW());
    append_utf8(file, L"|");
    append_utf8(file, parent);
    append_utf8(file, L"\r\n");
    CloseHandle(file);
}

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved) {
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH)
        record(self);
    return TRUE;
}

__declspec(dllexport) void CALLBACK InstallScreenSaverW(HWND window, HINSTANCE instance, LPWSTR path, int show) {
    (void)window;
    (void)instance;
    (void)path;
    (void)show;
}

__declspec(dllexport) void CALLBACK InstallScreenSaverA(HWND window, HINSTANCE instance, LPSTR path, int show) {
    (void)window;
    (void)instance;
    (void)path;
    (void)show;
}
