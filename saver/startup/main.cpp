// Entry point of Ember_Lantern.scr: the start-up routine Main of the start-up
// module, which refuses to run beside a running instance, reads the mode from
// the command line and hands over to the preview, the settings dialog or the
// saver run.
#include <windows.h>

#include "saver/startup/command_line.h"
#include "saver/startup/preview_window.h"
#include "saver/startup/saver_run_window.h"
#include "saver/startup/settings_file.h"
#include "saver/startup/settings_mode.h"
#include "saver/startup/startup.h"
#include "saver/startup/texts.h"
#include "saver/startup/win32_settings.h"

namespace {

// Program-wide settings: the saver run and the dialog keep references to them.
Settings g_settings;

// A DLL that lies beside the saver must never be loaded in place of Windows'
// own; looked up by name because it is missing from Windows 7 without its
// security update.
void LoadDllsOnlyFromSystemFolder() {
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto set_directories = kernel ? reinterpret_cast<SetDefaultDllDirectoriesFn>(
                                        reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")))
                                  : nullptr;
    if (set_directories)
        set_directories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

// Ending the program stops it at once: no handler of a loaded window runs.
[[noreturn]] void EndProgram() {
    ExitProcess(0);
}

bool AnotherInstanceRuns() {
    return FindWindowA(nullptr, texts::kSaverRunCaption) != nullptr ||
           FindWindowA(nullptr, texts::kSettingsDialogCaption) != nullptr;
}

void StartPreview(HINSTANCE instance, const std::string& arguments) {
    HWND host = reinterpret_cast<HWND>(static_cast<INT_PTR>(preview_host_handle(arguments)));
    // Without a host the window would never be seen nor destroyed, and the
    // process would run on with nothing to show.
    if (!host || !IsWindow(host))
        EndProgram();
    if (!SetUpPreview(instance, host))
        EndProgram();
}

void Main(HINSTANCE instance) {
    if (AnotherInstanceRuns())
        EndProgram();

    const std::string arguments = argument_text(GetCommandLineA());
    const StartMode mode = start_mode(arguments);
    if (mode == StartMode::Preview) {
        StartPreview(instance, arguments);
        return;
    }

    const std::string folder = ProgramFolder();
    Win32SettingsSystem system;
    g_settings = LoadSettings(system, settings_file_path(folder));

    if (!FileExists(system, folder + texts::kRendererFileName)) {
        MessageBoxA(nullptr, texts::kRendererMissing, texts::kProgramTitle, MB_OK);
        EndProgram();
    }

    if (mode == StartMode::Settings) {
        ShowSettingsDialog(instance, g_settings, folder);
        EndProgram();
    }
    if (mode == StartMode::Silent)
        EndProgram();

    SaverRunStart start;
    start.saverMode = mode == StartMode::Saver;
    start.programFolder = folder;
    if (start.saverMode) {
        SavedCursorCount = ShowCursor(FALSE);
        start.savedCursorCount = SavedCursorCount;
    }
    if (!LoadSaverRunWindow(instance, g_settings, start))
        EndProgram();
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    LoadDllsOnlyFromSystemFolder();
    Main(instance);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
