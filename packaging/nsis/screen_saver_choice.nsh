; Making the saver the user's screen saver. The installer runs elevated, so
; its HKCU and its processes belong to whoever typed the administrator's
; password, who need not be the user at the keyboard. So the choice is left
; to Windows' own Install command for a screen saver,
;   rundll32.exe desk.cpl,InstallScreenSaver <path of the .scr>
; which makes the saver the screen saver of the user who runs it
; (SCRNSAVE.EXE, and the screen saver switched on) and opens the screen saver
; settings with it selected, started through the shell as the signed-in user
; (shell_as_user.nsh). Without a shell to ask (no shell runs, or it refuses),
; the installer chooses for its own user and opens the settings itself, with
; the 64-bit system's Control Panel on 64-bit Windows. A silent install shows
; nothing: it chooses for its own user (a deployment tool's account, or the
; administrator who ran it) and opens no settings.
;
; Needs $SaverDir and $NativeSystemDir (the system's own System32, also for a
; 32-bit installer on 64-bit Windows).

!include LogicLib.nsh

!define SPI_SETSCREENSAVEACTIVE 17
!define SPIF_UPDATEINIFILE_SENDCHANGE 3

Function ChooseSaverForInstallingUser
    WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$SaverDir\${SAVER}"
    ; Stored and announced, so that a saver that was switched off runs and
    ; open settings windows show the new choice.
    System::Call "user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i 1, p 0, i ${SPIF_UPDATEINIFILE_SENDCHANGE})"
FunctionEnd

; The finish page's "make it my screen saver".
Function MakeItMyScreenSaver
    ; As the shell sees it: a native process, whose System32 is the system's own.
    StrCpy $ShellProgram "$WINDIR\System32\rundll32.exe"
    ; Unquoted, as Windows' own Install verb for .scr files passes it.
    StrCpy $ShellParameters "desk.cpl,InstallScreenSaver $SaverDir\${SAVER}"
    Call ShellExecuteAsUser
    ${If} $ShellResult != "ok"
        Call ChooseSaverForInstallingUser
        Exec '"$NativeSystemDir\control.exe" desk.cpl,,@screensaver'
    ${EndIf}
FunctionEnd
