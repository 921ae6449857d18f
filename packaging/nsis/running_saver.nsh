; Ending the saver's own running instances before its files are replaced or
; removed: its preview (a child window inside the display settings' preview
; box or any other host), its settings dialog, a saver run and the renderer,
; each known by its window class and caption (common/contract.h and the
; programs' window classes). Each is asked to close as its close box would
; (WM_CLOSE, posted, so that a hung one cannot hold the installer up), and
; then waited for, a bounded time for all together:
;
; - the processes that own them, each opened once, however many of the
;   windows it owns (a wait on all of them fails at once where two handles
;   name one process), its result read as Windows defines it;
; - the windows themselves (IsWindow), so that the wait also works where
;   their processes cannot be opened: the installer runs as whoever typed the
;   administrator's password, and the signed-in user's processes are then
;   another account's. A window gone is not yet its process ended, so where
;   a process could not be waited for, the wait goes on until the saver's
;   files can be opened for writing, as they can once no process runs from
;   them.
;
; A process that has not ended by then keeps its file in use;
; files_in_use.nsh moves such a file aside.
;
; Test builds only (packaging/make_installer.py, test_seams): with
; TEST_ANOTHER_ACCOUNT, no process of the saver can be opened, as over the
; shoulder.
;
; !insertmacro RunningSaverFunctions "" (and "un.") defines CloseRunningSaver
; (un.CloseRunningSaver). Clobbers $R0-$R9.

!include LogicLib.nsh
!include WinMessages.nsh

!define SAVER_CLOSE_WAIT_MS 5000
; How often the wait looks at the windows and the files.
!define SAVER_POLL_MS 50
; At most this many windows are asked, and waited for; also WaitForMultipleObjects' limit.
!define SAVER_MAX_WINDOWS 64
!define /math SAVER_WINDOW_LIST_BYTES ${SAVER_MAX_WINDOWS} * ${NSIS_PTR_SIZE}
!define /math SAVER_PROCESS_ID_LIST_BYTES ${SAVER_MAX_WINDOWS} * 4
; The walk through every window ends after this many, even where windows come
; and go under it faster than it moves.
!define SAVER_MAX_WINDOWS_WALKED 20000
!define SYNCHRONIZE_ACCESS 0x00100000
!define WAIT_TIMEOUT 258
!define GENERIC_WRITE_ACCESS 0x40000000
!define FILE_SHARE_READ_WRITE_DELETE 7
!define OPEN_EXISTING_FILE 3
!define ERROR_FILE_NOT_FOUND 2
!define ERROR_PATH_NOT_FOUND 3

Var SaverProcesses        ; handles of the windows' processes, pointer-sized each
Var SaverProcessCount
Var SaverProcessIds       ; the id of every process met, opened or not, 32 bits each
Var SaverProcessIdCount
Var SaverProcessUnwatched ; 1 once a process could not be opened or waited for

; Adds every window of CLASS and CAPTION among the children of $R1 (0: the
; top-level windows) to the list at $R0, which holds $R9 of them.
!macro _ListSaverWindows CLASS CAPTION
    StrCpy $R6 0
    ${Do}
        FindWindow $R6 "${CLASS}" "${CAPTION}" $R1 $R6
        ${If} $R6 = 0
        ${OrIf} $R9 >= ${SAVER_MAX_WINDOWS}
            ${ExitDo}
        ${EndIf}
        IntOp $R7 $R9 * ${NSIS_PTR_SIZE}
        IntPtrOp $R7 $R0 + $R7
        System::Call "*$R7(p R6)"
        IntOp $R9 $R9 + 1
    ${Loop}
!macroend

; $R7: the address of item INDEX, SIZE bytes each, of the list at LIST.
!macro _SaverListItem LIST INDEX SIZE
    IntOp $R7 ${INDEX} * ${SIZE}
    IntPtrOp $R7 ${LIST} + $R7
!macroend

; Opens the process $R2 to wait for it, unless it was met before.
!macro _WatchSaverProcess
    StrCpy $R4 0
    ${DoWhile} $R4 < $SaverProcessIdCount
        !insertmacro _SaverListItem $SaverProcessIds $R4 4
        System::Call "*$R7(i .R3)"
        ${If} $R3 = $R2
            ${ExitDo}
        ${EndIf}
        IntOp $R4 $R4 + 1
    ${Loop}
    ${If} $R4 = $SaverProcessIdCount
    ${AndIf} $R2 <> 0
        !insertmacro _SaverListItem $SaverProcessIds $SaverProcessIdCount 4
        System::Call "*$R7(i R2)"
        IntOp $SaverProcessIdCount $SaverProcessIdCount + 1
!ifdef TEST_ANOTHER_ACCOUNT
        StrCpy $R3 0  ; another account's process: not to be opened
!else
        System::Call "kernel32::OpenProcess(i ${SYNCHRONIZE_ACCESS}, i 0, i R2) p.R3"
!endif
        ${If} $R3 P<> 0
            !insertmacro _SaverListItem $SaverProcesses $SaverProcessCount ${NSIS_PTR_SIZE}
            System::Call "*$R7(p R3)"
            IntOp $SaverProcessCount $SaverProcessCount + 1
        ${Else}
            StrCpy $SaverProcessUnwatched 1
        ${EndIf}
    ${EndIf}
!macroend

!macro _CloseSaverProcesses
    ${DoWhile} $SaverProcessCount > 0
        IntOp $SaverProcessCount $SaverProcessCount - 1
        !insertmacro _SaverListItem $SaverProcesses $SaverProcessCount ${NSIS_PTR_SIZE}
        System::Call "*$R7(p .R3)"
        System::Call "kernel32::CloseHandle(p R3)"
    ${Loop}
!macroend

; One round of the wait on the processes, SAVER_POLL_MS at most: closes their
; handles once every one has ended, or where they cannot be waited for.
!macro _WaitForSaverProcesses
    ${If} $SaverProcessCount > 0
        System::Call "kernel32::WaitForMultipleObjects(i $SaverProcessCount, p $SaverProcesses, i 1, i ${SAVER_POLL_MS}) i.R5"
        ; Waiting for all: WAIT_OBJECT_0 (0) to WAIT_OBJECT_0 + count - 1 says
        ; every one has ended; WAIT_TIMEOUT that some still run; anything else
        ; (WAIT_FAILED) that the wait itself failed.
        ${If} $R5 >= 0
        ${AndIf} $R5 < $SaverProcessCount
            !insertmacro _CloseSaverProcesses
        ${ElseIf} $R5 <> ${WAIT_TIMEOUT}
            !insertmacro _CloseSaverProcesses
            StrCpy $SaverProcessUnwatched 1
        ${EndIf}
    ${Else}
        Sleep ${SAVER_POLL_MS}
    ${EndIf}
!macroend

; $R4: how many of the $R9 windows at $R0 are still there.
!macro _CountSaverWindows
    StrCpy $R4 0
    StrCpy $R5 0
    ${DoWhile} $R5 < $R9
        !insertmacro _SaverListItem $R0 $R5 ${NSIS_PTR_SIZE}
        System::Call "*$R7(p .R6)"
        System::Call "user32::IsWindow(p R6) i.R3"
        ${If} $R3 <> 0
            IntOp $R4 $R4 + 1
        ${EndIf}
        IntOp $R5 $R5 + 1
    ${Loop}
!macroend

; $R3 stays 1 when the program NAME is no running program's: it can be opened
; for writing, or it is not there.
!macro _SaverFileFree NAME
    ${If} $R3 = 1
        StrCpy $R6 "$SaverDir\${NAME}"
        System::Call "kernel32::CreateFileW(w R6, i ${GENERIC_WRITE_ACCESS}, i ${FILE_SHARE_READ_WRITE_DELETE}, p 0, i ${OPEN_EXISTING_FILE}, i 0, p 0) p.R6 ?e"
        Pop $R7
        ${If} $R6 P<> -1
            System::Call "kernel32::CloseHandle(p R6)"
        ${ElseIf} $R7 <> ${ERROR_FILE_NOT_FOUND}
        ${AndIf} $R7 <> ${ERROR_PATH_NOT_FOUND}
            StrCpy $R3 0
        ${EndIf}
    ${EndIf}
!macroend

!macro RunningSaverFunctions UN
Function ${UN}CloseRunningSaver
    System::Alloc ${SAVER_WINDOW_LIST_BYTES}
    Pop $R0
    StrCpy $R9 0

    StrCpy $R1 0
    !insertmacro _ListSaverWindows "Ember_Lantern_P" "<Ember_Lantern>"
    !insertmacro _ListSaverWindows "Ember_Lantern_S" "Ember_Lantern_Main"
    !insertmacro _ListSaverWindows "opengl demo" "Ember_Lantern_VC"
    !insertmacro _ListSaverWindows "Ember_Lantern_R" "Preview Window"
    ; Previews in their hosts, however deep: depth first through every window,
    ; the way back kept on the stack as (parent, child) pairs.
    StrCpy $R2 0  ; the child of $R1 last entered
    StrCpy $R3 0  ; depth
    StrCpy $R4 0  ; windows walked
    ${Do}
        FindWindow $R5 "" "" $R1 $R2
        ${If} $R5 <> 0
        ${AndIf} $R4 < ${SAVER_MAX_WINDOWS_WALKED}
            IntOp $R4 $R4 + 1
            Push $R1
            Push $R5
            IntOp $R3 $R3 + 1
            StrCpy $R1 $R5
            StrCpy $R2 0
            !insertmacro _ListSaverWindows "Ember_Lantern_R" "Preview Window"
        ${ElseIf} $R3 > 0
            Pop $R2
            Pop $R1
            IntOp $R3 $R3 - 1
        ${Else}
            ${ExitDo}
        ${EndIf}
    ${Loop}

    ; Each asked to close, its process opened the first time it is met.
    System::Alloc ${SAVER_WINDOW_LIST_BYTES}
    Pop $SaverProcesses
    System::Alloc ${SAVER_PROCESS_ID_LIST_BYTES}
    Pop $SaverProcessIds
    StrCpy $SaverProcessCount 0
    StrCpy $SaverProcessIdCount 0
    StrCpy $SaverProcessUnwatched 0
    StrCpy $R5 0  ; windows asked
    ${DoWhile} $R5 < $R9
        !insertmacro _SaverListItem $R0 $R5 ${NSIS_PTR_SIZE}
        System::Call "*$R7(p .R6)"
        StrCpy $R2 0
        System::Call "user32::GetWindowThreadProcessId(p R6, *i .R2) i"
        !insertmacro _WatchSaverProcess
        System::Call "user32::PostMessageW(p R6, i ${WM_CLOSE}, p 0, p 0) i"
        IntOp $R5 $R5 + 1
    ${Loop}

    ${If} $R9 > 0
        DetailPrint "$(ClosingSaverText) ($R9)"
        System::Call "kernel32::GetTickCount() i.R1"
        ${Do}
            !insertmacro _WaitForSaverProcesses
            !insertmacro _CountSaverWindows
            StrCpy $R3 0  ; 1: all closed
            ${If} $SaverProcessCount = 0
            ${AndIf} $R4 = 0
                StrCpy $R3 1
                ${If} $SaverProcessUnwatched = 1
                    !insertmacro _SaverFileFree "${SAVER}"
                    !insertmacro _SaverFileFree "${RENDERER}"
                ${EndIf}
            ${EndIf}
            ${If} $R3 = 1
                ${ExitDo}
            ${EndIf}
            System::Call "kernel32::GetTickCount() i.R2"
            IntOp $R2 $R2 - $R1
            ${If} $R2 >= ${SAVER_CLOSE_WAIT_MS}
                DetailPrint "$(SaverStillRunningText)"
                ${ExitDo}
            ${EndIf}
        ${Loop}
    ${EndIf}
    !insertmacro _CloseSaverProcesses
    System::Free $SaverProcessIds
    System::Free $SaverProcesses
    System::Free $R0
FunctionEnd
!macroend
