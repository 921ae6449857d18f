/* A program planted where a careless process start would find it (for example
 * "Ember.exe" beside a folder named "Ember Lantern"). When it runs it leaves
 * "<its own path>.ran" and ends at once. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR command_line, int show) {
    (void)instance;
    (void)previous;
    (void)command_line;
    (void)show;
    /* The wide calls, so that a folder named outside the code page gets its mark too. */
    wchar_t path[MAX_PATH + 8];
    DWORD n = GetModuleFileNameW(NULL, path, MAX_PATH);
    if (n > 0 && n < MAX_PATH) {
        lstrcatW(path, L".ran");
        HANDLE f = CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (f != INVALID_HANDLE_VALUE)
            CloseHandle(f);
    }
    return 0;
}
