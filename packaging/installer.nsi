; The installer a Windows user double-clicks: both programs into the system
; folder where the screen-saver list finds them, over a saver that may be
; running (nsis/running_saver.nsh, nsis/files_in_use.nsh), the saver made the
; screen saver of the user at the keyboard (nsis/screen_saver_choice.nsh), and
; an uninstaller that Apps & features lists. It does not install over the
; Windows Installer package of the same programs (installer.wxs), whose
; installation keeps its own record of them.
;
; Built by packaging/make_installer.py, which passes:
;   VERSION         the product version as users see it ("1.00")
;   VERSION_NUMBER  the same as four numbers for the version block ("1.0.0.0")
;   PROGRAMS_DIR    a folder holding Ember_Lantern.scr and Ember_Lantern.dll
;   PROGRAMS_KB     their size in KiB, for Apps & features
;   ICON            the saver's icon
;   SIDE_PICTURE    the welcome and finish pages' picture (164 x 314 BMP)
;   OUT_FILE        where to write the installer
;   TARGET          x86-unicode for the shipping installer; amd64-unicode only
;                   for the tests' 64-bit twin, on machines whose Wine runs no
;                   32-bit programs
;   MSI_UPGRADE_CODE  the upgrade code of the Windows Installer package
;                   (installer.wxs), whose installation this one refuses to
;                   install over
; and, for the tests' builds only, never for a download:
;   TEST_ANOTHER_ACCOUNT  as over the shoulder, where the installer runs as
;                   another account than the signed-in user's: the saver's
;                   processes cannot be opened (nsis/running_saver.nsh), and
;                   the uninstaller's own HKCU is not the user's
;                   (nsis/screen_saver_choice.nsh)

Unicode true
Target ${TARGET}
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!define PRODUCT "Ember_Lantern"
!define TITLE "Ember_Lantern (ScreenSaver)"
!define SAVER "Ember_Lantern.scr"
!define RENDERER "Ember_Lantern.dll"
!define SETTINGS "Ember_Lantern.ini"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define DESKTOP_KEY "Control Panel\Desktop"

Name "${TITLE}"
OutFile "${OUT_FILE}"
BrandingText "${TITLE} ${VERSION}"
!if "${TARGET}" == "amd64-unicode"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
!else
InstallDir "$PROGRAMFILES\${PRODUCT}"
!endif
ShowInstDetails show
ShowUninstDetails show
SpaceTexts none

!include MUI2.nsh
!include LogicLib.nsh
!include x64.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${SIDE_PICTURE}"
!define MUI_UNWELCOMEFINISHPAGE_BITMAP "${SIDE_PICTURE}"
!define MUI_ABORTWARNING

; Set by the install or removal when a restart has work left to do.
Var FinishNote

!define MUI_WELCOMEPAGE_TEXT "$(WelcomeText)"
!define MUI_PAGE_CUSTOMFUNCTION_SHOW ShowWelcomeSidePicture
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_INSTFILES
; A restart only finishes the cleanup (or, rarely, a replacement): it is told
; in the text, never offered as "restart now".
!define MUI_FINISHPAGE_NOREBOOTSUPPORT
!define MUI_FINISHPAGE_TEXT_LARGE
!define MUI_FINISHPAGE_TEXT "$(FinishText)$FinishNote"
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "$(MakeItMineText)"
!define MUI_FINISHPAGE_RUN_FUNCTION MakeItMyScreenSaver
!define MUI_PAGE_CUSTOMFUNCTION_PRE PrepareFinishPage
!define MUI_PAGE_CUSTOMFUNCTION_SHOW ShowFinishPage
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES
!define MUI_UNFINISHPAGE_NOREBOOTSUPPORT
!define MUI_FINISHPAGE_TEXT "$(UnFinishText)$FinishNote"
!define MUI_PAGE_CUSTOMFUNCTION_SHOW un.ShowFinishSidePicture
!insertmacro MUI_UNPAGE_FINISH

; The first language is the one shown where the user's is neither.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

LangString WelcomeText ${LANG_ENGLISH} "This installs ${TITLE} ${VERSION} for every user of this computer.$\r$\n$\r$\nBoth programs go into the Windows system folder, where the screen saver settings find them; a copy that is running is closed first. The saver's own texts are Japanese.$\r$\n$\r$\nClick Install to start."
LangString WelcomeText ${LANG_JAPANESE} "${TITLE} ${VERSION} をこのコンピューターのすべてのユーザー向けにインストールします。$\r$\n$\r$\n二つのプログラムは、スクリーンセーバーの設定画面が探す Windows のシステムフォルダーに入ります。実行中のものは先に閉じます。$\r$\n$\r$\n[インストール] をクリックすると始まります。"
LangString FinishText ${LANG_ENGLISH} "${TITLE} is installed. With the box ticked, Windows makes it your screen saver and opens the screen saver settings, where Settings chooses the music."
LangString FinishText ${LANG_JAPANESE} "${TITLE} をインストールしました。チェックを付けたままにすると、Windows がスクリーンセーバーに設定して設定画面を開きます。BGM は設定画面の [設定] で選べます。"
LangString MakeItMineText ${LANG_ENGLISH} "Make it my screen saver and open the settings"
LangString MakeItMineText ${LANG_JAPANESE} "スクリーンセーバーに設定して設定画面を開く"
LangString UnFinishText ${LANG_ENGLISH} "${TITLE} has been removed from this computer."
LangString UnFinishText ${LANG_JAPANESE} "${TITLE} をこのコンピューターから削除しました。"
LangString RestartCleansText ${LANG_ENGLISH} "Old program files that were still in use are deleted when Windows next restarts."
LangString RestartCleansText ${LANG_JAPANESE} "使用中だった古いプログラムのファイルは、Windows の次回の再起動時に削除されます。"
LangString RestartCompletesText ${LANG_ENGLISH} "Another program held a file open: the new version takes its place when Windows next restarts."
LangString RestartCompletesText ${LANG_JAPANESE} "ほかのプログラムが開いていたファイルがあるため、新しいバージョンへの置き換えは Windows の次回の再起動時に完了します。"
LangString ClosingSaverText ${LANG_ENGLISH} "Closing the running screen saver's windows"
LangString ClosingSaverText ${LANG_JAPANESE} "実行中のスクリーンセーバーのウィンドウを閉じています"
LangString SaverStillRunningText ${LANG_ENGLISH} "Not all of them closed in time; their files are moved aside."
LangString SaverStillRunningText ${LANG_JAPANESE} "時間内に閉じなかったものがあります。そのファイルは別の名前に移します。"
LangString DeletedAtRestartText ${LANG_ENGLISH} "Deleted at the next restart:"
LangString DeletedAtRestartText ${LANG_JAPANESE} "次回の再起動時に削除:"
LangString ReplacedAtRestartText ${LANG_ENGLISH} "Replaced at the next restart:"
LangString ReplacedAtRestartText ${LANG_JAPANESE} "次回の再起動時に置き換え:"
LangString CannotWriteText ${LANG_ENGLISH} "Cannot write"
LangString CannotWriteText ${LANG_JAPANESE} "書き込めません:"
LangString ChosenForInstallingAccountText ${LANG_ENGLISH} "The signed-in user's shell did not answer: ticked, the box makes it the screen saver of the account $InstallingAccount, which runs this installer, and opens that account's settings."
LangString ChosenForInstallingAccountText ${LANG_JAPANESE} "サインイン中のユーザーのシェルが応答しないため、チェックを付けたままにすると、このインストーラーを実行しているアカウント「$InstallingAccount」のスクリーンセーバーに設定し、その設定画面を開きます。"
LangString ChosenForInstallingAccountNowText ${LANG_ENGLISH} "The shell of the signed-in user did not take the request: ${TITLE} was made the screen saver of the account $InstallingAccount, which this installer runs as."
LangString ChosenForInstallingAccountNowText ${LANG_JAPANESE} "サインイン中のユーザーのシェルが要求を受け付けなかったため、このインストーラーを実行しているアカウント「$InstallingAccount」のスクリーンセーバーに設定しました。"
LangString ChoiceLeftText ${LANG_ENGLISH} "The signed-in user's screen saver choice could not be cleared"
LangString ChoiceLeftText ${LANG_JAPANESE} "サインイン中のユーザーのスクリーンセーバーの選択を解除できませんでした"
LangString MsiInstalledText ${LANG_ENGLISH} "${TITLE} is installed on this computer by its Windows Installer package (MSI). Remove it in Apps & features (or with msiexec /x) first, then run this installer again."
LangString MsiInstalledText ${LANG_JAPANESE} "${TITLE} は Windows インストーラーのパッケージ (MSI) でこのコンピューターにインストールされています。先に [アプリと機能] (または msiexec /x) で削除してから、このインストーラーをもう一度実行してください。"
LangString ProgramsSection ${LANG_ENGLISH} "${TITLE}"
LangString ProgramsSection ${LANG_JAPANESE} "${TITLE}"
LangString SettingsSection ${LANG_ENGLISH} "Saved settings (music)"
LangString SettingsSection ${LANG_JAPANESE} "保存した設定 (BGM)"

VIProductVersion "${VERSION_NUMBER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${TITLE}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${TITLE} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "${PRODUCT}"

; Where the screen-saver list looks for a saver of this build's kind. A 32-bit
; installer on 64-bit Windows is shown System32 by $SYSDIR but writes into
; SysWOW64; the registry must name SysWOW64, or the 64-bit parts of Windows
; would look in their own System32 and find nothing. The system's own tools,
; on the other hand, are the 64-bit ones, which such an installer reaches
; only through Sysnative.
Var SaverDir
Var NativeSystemDir

!macro FindSaverDir
    StrCpy $SaverDir $SYSDIR
    StrCpy $NativeSystemDir $SYSDIR
!if "${TARGET}" != "amd64-unicode"
    ${If} ${RunningX64}
        StrCpy $SaverDir "$WINDIR\SysWOW64"
        StrCpy $NativeSystemDir "$WINDIR\Sysnative"
    ${EndIf}
!endif
!macroend

!include "${__FILEDIR__}/nsis/running_saver.nsh"
!include "${__FILEDIR__}/nsis/files_in_use.nsh"
!include "${__FILEDIR__}/nsis/shell_as_user.nsh"
!include "${__FILEDIR__}/nsis/screen_saver_choice.nsh"
!include "${__FILEDIR__}/nsis/side_picture.nsh"
!insertmacro SidePictureShowFunction ShowWelcomeSidePicture $mui.WelcomePage.Image $mui.WelcomePage.Image.Bitmap
!insertmacro SidePictureShowFunction ShowFinishSidePicture $mui.FinishPage.Image $mui.FinishPage.Image.Bitmap
!insertmacro SidePictureShowFunction un.ShowFinishSidePicture $mui.FinishPage.Image $mui.FinishPage.Image.Bitmap
!insertmacro RunningSaverFunctions ""
!insertmacro RunningSaverFunctions "un."
!insertmacro FilesInUseFunctions ""
!insertmacro FilesInUseFunctions "un."
!insertmacro ShellAsUserFunctions ""
!insertmacro ShellAsUserFunctions "un."

; Modern UI leaves the finish page's text room for about seven lines above
; the box; a note (a restart, the account the box chooses for) may need
; more. The text then gets two thirds more height and the box moves down by
; as much, which the page has room for.
!define SWP_KEEP_PLACE 0x16  ; SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE
!define SWP_KEEP_SIZE 0x15   ; SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE

Function ShowFinishPage
    Call ShowFinishSidePicture
    ${If} $FinishNote != ""
        System::Call "*(i, i, i, i) p.R0"
        System::Call "user32::GetWindowRect(p $mui.FinishPage.Text, p R0)"
        System::Call "user32::MapWindowPoints(p 0, p $mui.FinishPage, p R0, i 2)"
        System::Call "*$R0(i .R1, i .R2, i .R3, i .R4)"
        IntOp $R5 $R4 - $R2  ; the text's height, then what it gains
        IntOp $R5 $R5 * 2
        IntOp $R5 $R5 / 3
        IntOp $R6 $R3 - $R1
        IntOp $R7 $R4 - $R2
        IntOp $R7 $R7 + $R5
        System::Call "user32::SetWindowPos(p $mui.FinishPage.Text, p 0, i 0, i 0, i R6, i R7, i ${SWP_KEEP_PLACE})"
        System::Call "user32::GetWindowRect(p $mui.FinishPage.Run, p R0)"
        System::Call "user32::MapWindowPoints(p 0, p $mui.FinishPage, p R0, i 2)"
        System::Call "*$R0(i .R1, i .R2)"
        IntOp $R2 $R2 + $R5
        System::Call "user32::SetWindowPos(p $mui.FinishPage.Run, p 0, i R1, i R2, i 0, i 0, i ${SWP_KEEP_SIZE})"
        System::Free $R0
    ${EndIf}
FunctionEnd

; What the finish page adds, and what a silent run's exit code says, when a
; restart has work left: 3010 (ERROR_SUCCESS_REBOOT_REQUIRED, as Windows
; Installer reports it) only where the new version waits for the restart.
!macro SetFinishNote
    ${If} $RestartCompletesUpdate == 1
        StrCpy $FinishNote "$\r$\n$\r$\n$(RestartCompletesText)"
        SetErrorLevel 3010
    ${ElseIf} $RestartFinishesCleanup == 1
        StrCpy $FinishNote "$\r$\n$\r$\n$(RestartCleansText)"
    ${EndIf}
!macroend

; The Windows Installer package installs the same programs to the same place
; for organisations, and keeps its own record of them: this installer does
; not install over it (nor it over this one). Shown, the message says why; a
; silent run ends with 1638 (ERROR_PRODUCT_VERSION, "another version of this
; product is already installed", as Windows Installer says it).
!define ERROR_PRODUCT_VERSION 1638

Function .onInit
    !insertmacro FindSaverDir
    ; Any product of the package's upgrade code, whichever version.
    System::Call 'msi::MsiEnumRelatedProductsW(w "${MSI_UPGRADE_CODE}", i 0, i 0, w .R0) i .R1'
    ${If} $R1 = 0
        MessageBox MB_OK|MB_ICONSTOP "$(MsiInstalledText)" /SD IDOK
        SetErrorLevel ${ERROR_PRODUCT_VERSION}
        Quit
    ${EndIf}
FunctionEnd

Function un.onInit
    !insertmacro FindSaverDir
FunctionEnd

Section "$(ProgramsSection)"
    SectionIn RO
    Call CloseRunningSaver
    SetOutPath $SaverDir
    !insertmacro InstallProgram "${SAVER}"
    !insertmacro InstallProgram "${RENDERER}"
    ; Shown, the finish page makes the choice, as the user at the keyboard.
    ${If} ${Silent}
        Call ChooseSaverForInstallingUser
    ${EndIf}

    CreateDirectory $INSTDIR
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${TITLE}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$SaverDir\${SAVER},0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$SaverDir"
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${PROGRAMS_KB}
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    !insertmacro SetFinishNote
SectionEnd

Section "un.$(ProgramsSection)"
    SectionIn RO
    Call un.ClearScreenSaverChoice
    Call un.CloseRunningSaver
    !insertmacro RemoveProgram "${SAVER}"
    !insertmacro RemoveProgram "${RENDERER}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
    !insertmacro SetFinishNote
SectionEnd

; Off unless the user ticks it. The settings file lies beside the saver; for a
; user without administrator rights Windows keeps it in the per-user virtual
; store of the system folder instead.
Section /o "un.$(SettingsSection)"
    Delete "$SaverDir\${SETTINGS}"
    Delete "$LOCALAPPDATA\VirtualStore\Windows\System32\${SETTINGS}"
    Delete "$LOCALAPPDATA\VirtualStore\Windows\SysWOW64\${SETTINGS}"
SectionEnd
