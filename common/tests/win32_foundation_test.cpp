// The shared Windows foundation, under Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "common/win32/handles.h"
#include "common/win32/process_start.h"
#include "common/win32/window_base.h"

namespace {

// Records every message that reaches its object, with what hwnd() said then.
class RecordingWindow final : public win32::WindowBase {
public:
    HWND create(const char* caption) {
        win32::WindowClass wc;
        wc.name = "recording window";
        EXPECT_TRUE(win32::register_window_class(GetModuleHandleA(nullptr), wc));
        return create_window(0, wc.name, caption, WS_POPUP, 0, 0, 20, 20, nullptr, GetModuleHandleA(nullptr));
    }

    std::vector<std::pair<UINT, HWND>> seen;

private:
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) noexcept override {
        seen.emplace_back(message, hwnd());
        return default_handling(message, wparam, lparam);
    }
};

TEST(WindowBase, ObjectKnowsItsWindowFromNcCreateThroughNcDestroy) {
    RecordingWindow first, second;
    HWND a = first.create("first");
    HWND b = second.create("second");
    ASSERT_TRUE(a && b);
    EXPECT_EQ(first.hwnd(), a);
    ASSERT_FALSE(first.seen.empty());
    EXPECT_EQ(first.seen.front(), std::make_pair(static_cast<UINT>(WM_NCCREATE), a));

    // Two objects of one class each get only their own window's messages.
    first.seen.clear();
    second.seen.clear();
    SendMessageA(b, WM_APP, 0, 0);
    EXPECT_TRUE(first.seen.empty());
    ASSERT_EQ(second.seen.size(), 1u);
    EXPECT_EQ(second.seen[0], std::make_pair(static_cast<UINT>(WM_APP), b));

    DestroyWindow(a);
    ASSERT_FALSE(first.seen.empty());
    EXPECT_EQ(first.seen.back(), std::make_pair(static_cast<UINT>(WM_NCDESTROY), a))
        << "WM_NCDESTROY is handled while the object still knows its window";
    EXPECT_EQ(first.hwnd(), nullptr);
    EXPECT_FALSE(IsWindow(a));
    EXPECT_EQ(second.hwnd(), b);
    DestroyWindow(b);
}

// Runs the helper beside this test program and returns its exit code, or -1
// when it did not end within the bound (a message box would keep it).
DWORD run_throwing_window(const char* mode) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path(self);
    path = path.substr(0, path.find_last_of('\\')) + "\\throwing_window.exe";
    std::string command_line = "\"" + path + "\" " + mode;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(path.c_str(), &command_line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return static_cast<DWORD>(-2);
    CloseHandle(info.hThread);
    const win32::UniqueHandle process(info.hProcess);
    if (WaitForSingleObject(process.get(), 30000) != WAIT_OBJECT_0) {
        TerminateProcess(process.get(), 99);
        return static_cast<DWORD>(-1);
    }
    DWORD code = 0;
    GetExitCodeProcess(process.get(), &code);
    return code;
}

TEST(ProcessStart, AnUncaughtExceptionEndsTheProcessQuietlyWithCodeZero) {
    // Control: without the start-up, the runtime's own abort ends it otherwise.
    const DWORD unguarded = run_throwing_window("unguarded");
    EXPECT_NE(unguarded, 0u);
    EXPECT_NE(unguarded, 7u) << "the exception did not end the process at all";
    EXPECT_EQ(run_throwing_window("guarded"), 0u);
}

TEST(ProcessStart, NoCriticalErrorBoxAndTheModeIsKept) {
    SetErrorMode(SEM_NOGPFAULTERRORBOX);
    win32::start_process();
    const UINT mode = GetErrorMode();
    EXPECT_TRUE(mode & SEM_FAILCRITICALERRORS);
    EXPECT_TRUE(mode & SEM_NOGPFAULTERRORBOX) << "an inherited mode was dropped";
}

}  // namespace
