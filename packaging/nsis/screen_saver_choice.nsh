; Making the saver the user's screen saver, and taking it back. The installer
; runs elevated, so its HKCU and its processes belong to whoever typed the
; administrator's password, who need not be the user at the keyboard. So the
; choice is left to Windows' own Install command for a screen saver,
;   rundll32.exe desk.cpl,InstallScreenSaver <path of the .scr>
; which makes the saver the screen saver of the user who runs it
; (SCRNSAVE.EXE, and the screen saver switched on) and opens the screen saver
; settings with it selected, started through the shell as the signed-in user
; (shell_as_user.nsh). Without a shell to ask (no shell runs, or it refuses),
; the installer chooses for its own user and opens the settings itself, with
; the 64-bit system's Control Panel on 64-bit Windows; the finish page then
; names that account. A silent install shows nothing: it chooses for its own
; user (a deployment tool's account, or the administrator who ran it) and
; opens no settings.
;
; The uninstaller clears the choice where it names the removed saver, for its
; own account and, through the same shell route, for the signed-in user.
;
; Needs $SaverDir and $NativeSystemDir (the system's own System32, also for a
; 32-bit installer on 64-bit Windows). Test builds only: with
; TEST_ANOTHER_ACCOUNT, the uninstaller's own HKCU is taken to be another
; account's than the signed-in user's and left alone, as over the shoulder.

!include LogicLib.nsh

!define SPI_SETSCREENSAVEACTIVE 17
!define SPIF_UPDATEINIFILE_SENDCHANGE 3

Var InstallingAccount  ; the account the installer runs as
Var ShellAnswered      ; "ok" when the shell answered as the finish page was made

Function ChooseSaverForInstallingUser
    WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$SaverDir\${SAVER}"
    ; Stored and announced, so that a saver that was switched off runs and
    ; open settings windows show the new choice.
    System::Call "user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i 1, p 0, i ${SPIF_UPDATEINIFILE_SENDCHANGE})"
FunctionEnd

; Before the finish page is made: whether the shell answers, and if not, the
; page says for which account the box would choose the saver.
Function PrepareFinishPage
    StrCpy $ShellProgram ""
    Call ShellExecuteAsUser
    StrCpy $ShellAnswered $ShellResult
    ${If} $ShellAnswered != "ok"
        System::Call "advapi32::GetUserNameW(w .R0, *i ${NSIS_MAX_STRLEN}) i"
        StrCpy $InstallingAccount $R0
        StrCpy $FinishNote "$FinishNote$\r$\n$\r$\n$(ChosenForInstallingAccountText)"
    ${EndIf}
FunctionEnd

; The finish page's "make it my screen saver".
Function MakeItMyScreenSaver
    ${If} $ShellAnswered == "ok"
        ; As the shell sees it: a native process, whose System32 is the system's own.
        StrCpy $ShellProgram "$WINDIR\System32\rundll32.exe"
        ; Unquoted, as Windows' own Install verb for .scr files passes it.
        StrCpy $ShellParameters "desk.cpl,InstallScreenSaver $SaverDir\${SAVER}"
        Call ShellExecuteAsUser
        ${If} $ShellResult != "ok"
            ; It answered a moment ago: the page did not say this.
            System::Call "advapi32::GetUserNameW(w .R0, *i ${NSIS_MAX_STRLEN}) i"
            StrCpy $InstallingAccount $R0
            MessageBox MB_OK|MB_ICONINFORMATION "$(ChosenForInstallingAccountNowText)"
        ${EndIf}
    ${EndIf}
    ${If} $ShellAnswered != "ok"
    ${OrIf} $ShellResult != "ok"
        Call ChooseSaverForInstallingUser
        Exec '"$NativeSystemDir\control.exe" desk.cpl,,@screensaver'
    ${EndIf}
FunctionEnd

; The uninstaller, before the saver's file goes: wherever the screen saver
; chosen still names it, long or short (Windows' own settings may have
; written the path in its short form), the choice is cleared, so that it does
; not name a deleted file.
Function un.ClearScreenSaverChoice
    GetFullPathName /SHORT $1 "$SaverDir\${SAVER}"
    ; Never empty: the command below would take an empty path for the empty
    ; value of the key's own line, and clear any choice.
    ${If} $1 == ""
        StrCpy $1 "$SaverDir\${SAVER}"
    ${EndIf}
!ifndef TEST_ANOTHER_ACCOUNT
    ; The account the uninstaller runs as.
    ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${If} $0 != ""
        ${If} $0 == "$SaverDir\${SAVER}"
        ${OrIf} $0 == $1
            DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
        ${EndIf}
    ${EndIf}
!endif
    ; The signed-in user's, through the shell, as that user: the system's
    ; command interpreter, unseen, reads the choice and clears it where it
    ; names this saver. Where no shell answers, it stays.
    StrCpy $ShellProgram "$WINDIR\System32\cmd.exe"
    ; The value is the rest of the line after its name and type; each form of
    ; the path is compared with it in turn (a plain "if", which every cmd
    ; reads alike inside a "for").
    StrCpy $ShellParameters '/d /c for /f "tokens=2,*" %a in ($\'reg query "HKCU\${DESKTOP_KEY}" /v SCRNSAVE.EXE$\') do @for %p in ("$SaverDir\${SAVER}" "$1") do @if /i "%b"==%p reg delete "HKCU\${DESKTOP_KEY}" /v SCRNSAVE.EXE /f'
    StrCpy $ShellShow ${SW_HIDE}
    Call un.ShellExecuteAsUser
    ${If} $ShellResult != "ok"
        DetailPrint "$(ChoiceLeftText) ($ShellResult)"
    ${EndIf}
FunctionEnd
