/* A DLL planted beside the programs under a system DLL's name. If a program
 * ever loads it, it leaves "<its own file name>.loaded" beside itself, which
 * the planting test looks for. It exports nothing: a program that did load it
 * would fail, but the mark is written first. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved) {
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) {
        char path[MAX_PATH + 8];
        DWORD n = GetModuleFileNameA(self, path, MAX_PATH);
        if (n > 0 && n < MAX_PATH) {
            lstrcatA(path, ".loaded");
            HANDLE f = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
            if (f != INVALID_HANDLE_VALUE)
                CloseHandle(f);
        }
    }
    return TRUE;
}
