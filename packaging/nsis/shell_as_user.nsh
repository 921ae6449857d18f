; Starting a program as the user at the keyboard from the elevated installer.
; The installer runs as whoever typed the administrator's password; the shell
; (explorer) runs as the signed-in user, unelevated, and as a native process
; (64-bit on 64-bit Windows). The shell's running instance is asked to start
; the program, so it runs with the shell's own token, in that user's profile:
; the desktop's view is found through the shell's window list
; (IShellWindows::FindWindowSW with SWC_DESKTOP), its top-level browser's
; active view gives the view's automation object (IShellFolderViewDual),
; whose Application (IShellDispatch2) offers ShellExecute.
;
; Set $ShellProgram (a path as the shell sees it), $ShellParameters and
; $ShellShow (how its window shows, SW_SHOWNORMAL when empty), then Call
; ShellExecuteAsUser (un.ShellExecuteAsUser in the uninstaller); $ShellResult
; is "ok" once the shell has taken the request, otherwise the step that failed
; with its HRESULT. With $ShellProgram empty it only asks whether the shell
; would take one: every step up to the shell's ShellExecute. Clobbers $0-$9
; and $R0-$R9.
;
; !insertmacro ShellAsUserFunctions "" (and "un.") defines the function.

!include LogicLib.nsh
!include WinMessages.nsh

!define CLSID_ShellWindows "{9BA05972-F6A8-11CF-A442-00A0C90A8F39}"
!define IID_IShellWindows "{85CB6900-4D95-11CF-960C-0080C7F4EE85}"
!define IID_IServiceProvider "{6D5140C1-7436-11CE-8034-00AA006009FA}"
!define SID_STopLevelBrowser "{4C96BE40-915C-11CF-99D3-00AA004AE837}"
!define IID_IShellBrowser "{000214E2-0000-0000-C000-000000000046}"
!define IID_IDispatch "{00020400-0000-0000-C000-000000000046}"
!define IID_IShellFolderViewDual "{E7A1AF80-4D96-11CF-960C-0080C7F4EE85}"
!define IID_IShellDispatch2 "{A4C6892C-3BA9-11D2-9DEA-00C04FB16162}"

; Places of the methods in their interfaces' tables.
!define QueryInterface_SLOT 0
!define Release_SLOT 2
!define FindWindowSW_SLOT 15          ; IShellWindows, after IDispatch's 7 and 8 of its own
!define QueryService_SLOT 3           ; IServiceProvider
!define QueryActiveShellView_SLOT 15  ; IShellBrowser
!define GetItemObject_SLOT 15         ; IShellView
!define get_Application_SLOT 7        ; IShellFolderViewDual, after IDispatch
!define ShellExecute_SLOT 31          ; IShellDispatch2: IShellDispatch's 23, IsRestricted, ShellExecute

!define CLSCTX_LOCAL_SERVER 4
!define COINIT_APARTMENTTHREADED 2
!define SWC_DESKTOP 8
!define SWFO_NEEDDISPATCH 1
!define SVGIO_BACKGROUND 0
!define VT_I4 3
!define VT_BSTR 8

Var ShellProgram
Var ShellParameters
Var ShellShow
Var ShellResult

; One step of the chain: runs CALL (which leaves its HRESULT in $R0) while
; no step has failed, and records the failure of this one.
!macro _ShellStep WHAT CALL
    ${If} $ShellResult == ""
        System::Call "${CALL} i.R0"
        ${If} $R0 <> 0
            IntFmt $R0 "0x%08X" $R0
            StrCpy $ShellResult "${WHAT}: $R0"
        ${EndIf}
    ${EndIf}
!macroend

!macro _ShellRelease INTERFACE
    ${If} ${INTERFACE} P<> 0
        System::Call "${INTERFACE}->${Release_SLOT}()"
    ${EndIf}
!macroend

!macro ShellAsUserFunctions UN
Function ${UN}ShellExecuteAsUser
    StrCpy $ShellResult ""
    ${If} $ShellShow == ""
        StrCpy $ShellShow ${SW_SHOWNORMAL}
    ${EndIf}
    ; The interfaces, each released at the end when it was obtained.
    StrCpy $1 0  ; IShellWindows
    StrCpy $2 0  ; the desktop browser's IDispatch
    StrCpy $3 0  ; IServiceProvider
    StrCpy $4 0  ; IShellBrowser
    StrCpy $5 0  ; IShellView
    StrCpy $6 0  ; the view's background IDispatch
    StrCpy $7 0  ; IShellFolderViewDual
    StrCpy $8 0  ; the shell's Application IDispatch
    StrCpy $9 0  ; IShellDispatch2
    System::Call "ole32::CoInitializeEx(p 0, i ${COINIT_APARTMENTTHREADED}) i.R9"

    !insertmacro _ShellStep "the shell's window list" \
        "ole32::CoCreateInstance(g '${CLSID_ShellWindows}', p 0, i ${CLSCTX_LOCAL_SERVER}, g '${IID_IShellWindows}', *p .r1)"
    ; The desktop, as a location (VT_I4 CSIDL_DESKTOP, that is 0) with no root
    ; (VT_EMPTY); large enough for a VARIANT of either width.
    System::Call "*(i ${VT_I4}, i 0, l 0, l 0) p.R1"
    System::Call "*(l 0, l 0, l 0) p.R2"
    !insertmacro _ShellStep "the desktop window" \
        "$1->${FindWindowSW_SLOT}(p R1, p R2, i ${SWC_DESKTOP}, *i .R3, i ${SWFO_NEEDDISPATCH}, *p .r2)"
    System::Free $R1
    System::Free $R2
    ${If} $ShellResult == ""
    ${AndIf} $2 P= 0
        StrCpy $ShellResult "the desktop window: none"
    ${EndIf}
    !insertmacro _ShellStep "the desktop's services" \
        "$2->${QueryInterface_SLOT}(g '${IID_IServiceProvider}', *p .r3)"
    !insertmacro _ShellStep "the desktop's browser" \
        "$3->${QueryService_SLOT}(g '${SID_STopLevelBrowser}', g '${IID_IShellBrowser}', *p .r4)"
    !insertmacro _ShellStep "the desktop's view" "$4->${QueryActiveShellView_SLOT}(*p .r5)"
    !insertmacro _ShellStep "the view's automation" \
        "$5->${GetItemObject_SLOT}(i ${SVGIO_BACKGROUND}, g '${IID_IDispatch}', *p .r6)"
    !insertmacro _ShellStep "the view's folder view" "$6->${QueryInterface_SLOT}(g '${IID_IShellFolderViewDual}', *p .r7)"
    !insertmacro _ShellStep "the shell's application" "$7->${get_Application_SLOT}(*p .r8)"
    !insertmacro _ShellStep "the shell's dispatch" "$8->${QueryInterface_SLOT}(g '${IID_IShellDispatch2}', *p .r9)"

    ${If} $ShellResult == ""
    ${AndIf} $ShellProgram != ""
        ; Through registers, so that no character of the texts is read as the call's syntax.
        StrCpy $R4 $ShellProgram
        StrCpy $R5 $ShellParameters
        System::Call "oleaut32::SysAllocString(w R4) p.R4"
        System::Call "oleaut32::SysAllocString(w R5) p.R5"
        ; ShellExecute(File, vArgs, vDir, vOperation, vShow): the four VARIANTs
        ; go by value. A 32-bit call pushes each as its four 32-bit words (type,
        ; reserved, value, padding); a 64-bit call passes each by the address
        ; of a copy. No folder and no verb: the program's default, "open".
!if ${NSIS_PTR_SIZE} > 4
        System::Call "*(i ${VT_BSTR}, i 0, p R5, l 0) p.R6"
        System::Call "*(l 0, l 0, l 0) p.R7"
        System::Call "*(i ${VT_I4}, i 0, i $ShellShow, i 0, l 0) p.R8"
        !insertmacro _ShellStep "the shell's ShellExecute" "$9->${ShellExecute_SLOT}(p R4, p R6, p R7, p R7, p R8)"
        System::Free $R6
        System::Free $R7
        System::Free $R8
!else
        !insertmacro _ShellStep "the shell's ShellExecute" \
            "$9->${ShellExecute_SLOT}(p R4, i ${VT_BSTR}, i 0, p R5, i 0, i 0, i 0, i 0, i 0, i 0, i 0, i 0, i 0, i ${VT_I4}, i 0, i $ShellShow, i 0)"
!endif
        System::Call "oleaut32::SysFreeString(p R4)"
        System::Call "oleaut32::SysFreeString(p R5)"
    ${EndIf}

    !insertmacro _ShellRelease $9
    !insertmacro _ShellRelease $8
    !insertmacro _ShellRelease $7
    !insertmacro _ShellRelease $6
    !insertmacro _ShellRelease $5
    !insertmacro _ShellRelease $4
    !insertmacro _ShellRelease $3
    !insertmacro _ShellRelease $2
    !insertmacro _ShellRelease $1
    ; S_OK and S_FALSE each count one initialisation to undo.
    ${If} $R9 >= 0
        System::Call "ole32::CoUninitialize()"
    ${EndIf}
    ${If} $ShellResult == ""
        StrCpy $ShellResult "ok"
    ${EndIf}
    StrCpy $ShellShow ""
FunctionEnd
!macroend
