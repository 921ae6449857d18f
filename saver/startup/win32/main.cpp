// Entry point of Ember_Lantern.scr: the start-up routine Main of the start-up
// module, which refuses to run beside a running instance (by its captions,
// and for a saver run or the dialog by the session's run lock), reads the
// mode from the command line and hands over to the preview, the settings
// dialog or the saver run.
#include <windows.h>

#include "common/contract.h"
#include "common/win32/handles.h"
#include "common/win32/process_start.h"
#include "saver/settings_dialog/win32/settings_dialog.h"
#include "saver/shared/settings_file.h"
#include "saver/shared/texts.h"
#include "saver/shared/win32/path_forms.h"
#include "saver/shared/win32/program_folder.h"
#include "saver/shared/win32/settings_file.h"
#include "saver/startup/command_line.h"
#include "saver/startup/win32/preview_window.h"
#include "saver/startup/win32/saver_run_window.h"

namespace startup {
namespace {

// Program-wide settings: the saver run and the dialog keep references to them.
shared::Settings g_settings;

// Ending the program stops it at once: no handler of a loaded window runs.
[[noreturn]] void end_program() {
    ExitProcess(0);
}

// One saver run or settings dialog at a time in the session, on any of its
// desktops: a saver that the idle timeout starts runs on a desktop of its
// own, where the captions of the user's desktop cannot be found, and two
// starts close together both pass the caption test before either has a
// window. Held until the program ends; a front end that was ended lets go of
// it with its process.
constexpr char kRunLockName[] = "Local\\Ember_Lantern.run";

win32::UniqueHandle take_run_lock() {
    HANDLE lock = CreateMutexA(nullptr, FALSE, kRunLockName);
    // Read at once: nothing may run between the call and this.
    const bool taken_by_another = GetLastError() == ERROR_ALREADY_EXISTS;
    win32::UniqueHandle owned(lock);
    if (taken_by_another)
        owned.reset();
    return owned;
}

bool another_instance_runs() {
    return FindWindowA(nullptr, contract::kSaverRunCaption) != nullptr ||
           FindWindowA(nullptr, contract::kSettingsDialogCaption) != nullptr;
}

void start_preview(HINSTANCE instance, const std::string& arguments) {
    HWND host = reinterpret_cast<HWND>(static_cast<INT_PTR>(preview_host_handle(arguments)));
    // Without a host the window would never be seen nor destroyed, and the
    // process would run on with nothing to show.
    if (!host || !IsWindow(host))
        end_program();
    if (!set_up_preview(instance, host))
        end_program();
}

// Returns the run's lock, which the program holds until it ends.
win32::UniqueHandle Main(HINSTANCE instance) {
    if (another_instance_runs())
        end_program();

    const std::string arguments = argument_text(GetCommandLineA());
    const StartMode mode = start_mode(arguments);
    if (mode == StartMode::Preview) {
        start_preview(instance, arguments);
        return win32::UniqueHandle();
    }
    win32::UniqueHandle run_lock;
    if (mode == StartMode::Settings || mode == StartMode::Saver || mode == StartMode::SaverKeepCursor) {
        run_lock = take_run_lock();
        if (!run_lock)
            end_program();
    }

    const shared::ProgramFolder program = shared::program_folder();
    if (!program.ansi) {
        // Beside a folder the ANSI calls cannot name, the renderer and the
        // settings would be missing although they are there: the folder's
        // name is the cause, and it is said so, the name as the system has it.
        const std::wstring message = shared::wide_from_ansi(texts::kProgramFolderUnusable) + L"\r\n\r\n" + program.name;
        MessageBoxW(nullptr, message.c_str(), shared::wide_from_ansi(texts::kProgramTitle).c_str(), MB_OK);
        end_program();
    }
    const std::string& folder = *program.ansi;
    shared::Win32SettingsSystem system;
    g_settings = shared::LoadSettings(system, shared::settings_file_path(folder));

    if (!shared::FileExists(system, folder + contract::kRendererFileName)) {
        MessageBoxA(nullptr, texts::kRendererMissing, texts::kProgramTitle, MB_OK);
        end_program();
    }

    if (mode == StartMode::Settings) {
        settings_dialog::show_settings_dialog(instance, g_settings, folder);
        end_program();
    }
    if (mode == StartMode::Silent)
        end_program();

    SaverRunStart start;
    start.saver_mode = mode == StartMode::Saver;
    start.program_folder = folder;
    // The run shows the cursor again once, at its end.
    if (start.saver_mode)
        ShowCursor(FALSE);
    if (!load_saver_run_window(instance, g_settings, start))
        end_program();
    return run_lock;
}

}  // namespace
}  // namespace startup

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    win32::start_process();
    const win32::UniqueHandle run_lock = startup::Main(instance);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
