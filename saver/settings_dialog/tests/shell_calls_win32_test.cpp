// The settings dialog's file chooser under Wine, in the Japanese code page:
// the real Unicode chooser, given a name as a user types it, and what the
// dialog keeps of the chosen file, with the short-name call behind a seam
// that can act as a volume that keeps no short names (Wine makes one up for
// every long name).
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>

#include "saver/settings_dialog/win32/settings_dialog.h"
#include "saver/settings_dialog/win32/shell_calls.h"
#include "saver/shared/texts.h"

namespace settings_dialog {
namespace {

enum class ShortNames { System, None, Unavailable };

// The system's conversions, with the short names as the case wants them.
class TestPathForms final : public PathForms {
public:
    explicit TestPathForms(ShortNames short_names) : short_names_(short_names) {}
    std::optional<std::string> exact_ansi(const std::wstring& path) const override { return system_.exact_ansi(path); }
    std::optional<std::wstring> short_form(const std::wstring& path) const override {
        switch (short_names_) {
            case ShortNames::System:
                return system_.short_form(path);
            case ShortNames::None:
                return path;  // as on ReFS: the call succeeds and gives the long name back
            case ShortNames::Unavailable:
                break;
        }
        return std::nullopt;
    }

private:
    Win32PathForms system_;
    ShortNames short_names_;
};

// What the thread timer does in the chooser's and the message box's modal
// loops: types the name into the chooser and presses its OK, then reads and
// answers any message box of the program.
struct Driver {
    std::wstring typed;
    bool chooser_done = false;
    std::wstring message;  // the message box's text, when one showed
};
Driver* g_driver = nullptr;

void CALLBACK drive(HWND, UINT, UINT_PTR, DWORD) {
    Driver& d = *g_driver;
    const std::wstring chooser_title =
        wide_from_ansi(texts::kFileChooserTitle, std::char_traits<char>::length(texts::kFileChooserTitle));
    if (HWND chooser = FindWindowW(nullptr, chooser_title.c_str()); chooser && !d.chooser_done) {
        // The name box: a combo box in the Explorer-style chooser of Windows
        // (cmb13), an edit field in Wine's (edt1).
        if (!SetDlgItemTextW(chooser, 0x47C, d.typed.c_str()) && !SetDlgItemTextW(chooser, 0x480, d.typed.c_str()))
            return;
        d.chooser_done = true;
        PostMessageW(chooser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(chooser, IDOK)));
        return;
    }
    const std::wstring box_title = wide_from_ansi(texts::kProgramTitle);
    if (HWND box = FindWindowW(L"#32770", box_title.c_str())) {
        wchar_t text[2048] = {};
        GetDlgItemTextW(box, 0xFFFF, text, 2048);  // the message box's text
        d.message = text;
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
}

std::wstring temp_folder() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"el chooser test";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

std::wstring make_file(const std::wstring& folder, const std::wstring& name) {
    const std::wstring path = folder + L"\\" + name;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, "RIFF", 4, &written, nullptr);
        CloseHandle(file);
    }
    return path;
}

bool opens_through_ansi(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

TEST(FileChooser, ANameTheCodePageCannotHoldIsKeptShortOrRefusedAndTheOldChoiceStays) {
    ASSERT_EQ(GetACP(), 932u) << "these cases are for the Japanese code page";
    const std::wstring folder = temp_folder();
    const std::string old_file = "Z:\\earlier\\old tone.mp3";
    const Win32PathForms system;
    enum class Kept { AsChosen, Short, Old };
    const struct {
        const char* what;
        std::wstring name;
        ShortNames short_names;
        Kept kept;
    } cases[] = {
        {"a plain name", L"plain tone.mp3", ShortNames::None, Kept::AsChosen},
        {"a Japanese name code page 932 holds", L"\x591c\x306e\x706f\x308a.mp3", ShortNames::None, Kept::AsChosen},
        {"an e with an acute accent, with short names", L"tone \xe9.mp3", ShortNames::System, Kept::Short},
        {"Korean with short names", L"\xd55c\xad6d tone.wav", ShortNames::System, Kept::Short},
        {"an e with an acute accent on a volume without short names", L"tone \xe9.mp3", ShortNames::None, Kept::Old},
        {"an e with an acute accent whose short name cannot be had", L"tone \xe9.mp3", ShortNames::Unavailable,
         Kept::Old},
        // The wave dash goes to 81 60, which reads back as the fullwidth tilde:
        // the ANSI name is another file's.
        {"a wave dash", L"wave \x301c.mp3", ShortNames::None, Kept::Old},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::wstring chosen = make_file(folder, c.name);
        shared::Settings settings;
        settings.BGM_Kind = shared::kMusicFile;
        settings.BGM_File = old_file;
        const TestPathForms forms(c.short_names);
        SettingsDialog dialog(GetModuleHandleA(nullptr), settings, "Z:\\nowhere\\Ember_Lantern.ini", forms);
        ASSERT_TRUE(dialog.load());
        Driver driver;
        driver.typed = chosen;
        g_driver = &driver;
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, drive);
        SendMessageA(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(kIdCmdBgm, BN_CLICKED), 0);
        KillTimer(nullptr, timer);
        EXPECT_TRUE(driver.chooser_done) << "the chooser did not show";

        switch (c.kept) {
            case Kept::AsChosen:
                EXPECT_EQ(settings.BGM_File, system.exact_ansi(chosen).value_or("?"));
                break;
            case Kept::Short:
                EXPECT_NE(settings.BGM_File, old_file);
                EXPECT_EQ(settings.BGM_File, system.exact_ansi(system.short_form(chosen).value_or(L"")).value_or("?"));
                EXPECT_TRUE(opens_through_ansi(settings.BGM_File)) << settings.BGM_File;
                break;
            case Kept::Old:
                EXPECT_EQ(settings.BGM_File, old_file);
                break;
        }
        if (c.kept == Kept::Old) {
            // Said at once, with the name as chosen; the box still shows the old file.
            EXPECT_EQ(driver.message.rfind(wide_from_ansi(texts::kFileNameUnusable), 0), 0u) << "no message";
            EXPECT_NE(driver.message.find(chosen), std::wstring::npos) << "the message does not name the file";
            EXPECT_EQ(dialog.file_name_shown(), shown_file_name(old_file));
        } else {
            EXPECT_EQ(driver.message, L"") << "a message for a file that was kept";
            EXPECT_EQ(dialog.file_name_shown(), chosen) << "the box does not show the name as chosen";
        }
        DestroyWindow(dialog.hwnd());
        DeleteFileW(chosen.c_str());
    }
    RemoveDirectoryW(folder.c_str());
}

TEST(FileChooser, AFileKeptByItsShortNameShowsByItsLongOneWhenTheDialogOpensAgain) {
    const std::wstring folder = temp_folder();
    const std::wstring chosen = make_file(folder, L"tone \xe9 again.mp3");
    const Win32PathForms system;
    const std::optional<std::string> kept = system.exact_ansi(system.short_form(chosen).value_or(L""));
    ASSERT_TRUE(kept);
    EXPECT_EQ(shown_file_name(*kept), chosen);
    // A file no longer there shows as it was kept.
    DeleteFileW(chosen.c_str());
    EXPECT_EQ(shown_file_name(*kept), wide_from_ansi(*kept));
    RemoveDirectoryW(folder.c_str());
}

}  // namespace
}  // namespace settings_dialog
