; Ending the saver's own running instances before its files are replaced or
; removed: its preview (a child window inside the display settings' preview
; box or any other host), its settings dialog, a saver run and the renderer,
; each known by its window class and caption (common/contract.h and the
; programs' window classes). Each is asked to close as its close box would
; (WM_CLOSE, posted, so that a hung one cannot hold the installer up), and
; their processes are waited for, a bounded time for all together. A process
; that has not ended by then keeps its file in use; files_in_use.nsh moves
; such a file aside.
;
; !insertmacro RunningSaverFunctions "" (and "un.") defines CloseRunningSaver
; (un.CloseRunningSaver). Clobbers $R0-$R9.

!include LogicLib.nsh
!include WinMessages.nsh

!define SAVER_CLOSE_WAIT_MS 5000
; At most this many windows are asked, and waited for; also WaitForMultipleObjects' limit.
!define SAVER_MAX_WINDOWS 64
!define /math SAVER_WINDOW_LIST_BYTES ${SAVER_MAX_WINDOWS} * ${NSIS_PTR_SIZE}
; The walk through every window ends after this many, even where windows come
; and go under it faster than it moves.
!define SAVER_MAX_WINDOWS_WALKED 20000
!define SYNCHRONIZE_ACCESS 0x00100000
!define WAIT_OBJECT_0 0

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

    ; Each asked to close; the handles of their processes replace them in the
    ; list, for one wait on all of them.
    StrCpy $R5 0  ; windows asked
    StrCpy $R8 0  ; processes to wait for
    ${DoWhile} $R5 < $R9
        IntOp $R7 $R5 * ${NSIS_PTR_SIZE}
        IntPtrOp $R7 $R0 + $R7
        System::Call "*$R7(p .R6)"
        System::Call "user32::GetWindowThreadProcessId(p R6, *i .R2) i"
        System::Call "kernel32::OpenProcess(i ${SYNCHRONIZE_ACCESS}, i 0, i R2) p.R3"
        System::Call "user32::PostMessageW(p R6, i ${WM_CLOSE}, p 0, p 0) i"
        ${If} $R3 P<> 0
            IntOp $R7 $R8 * ${NSIS_PTR_SIZE}
            IntPtrOp $R7 $R0 + $R7
            System::Call "*$R7(p R3)"
            IntOp $R8 $R8 + 1
        ${EndIf}
        IntOp $R5 $R5 + 1
    ${Loop}
    ${If} $R9 > 0
        DetailPrint "$(ClosingSaverText) ($R9)"
    ${EndIf}
    ${If} $R8 > 0
        System::Call "kernel32::WaitForMultipleObjects(i R8, p R0, i 1, i ${SAVER_CLOSE_WAIT_MS}) i.R5"
        ${If} $R5 <> ${WAIT_OBJECT_0}
            DetailPrint "$(SaverStillRunningText)"
        ${EndIf}
        ${DoWhile} $R8 > 0
            IntOp $R8 $R8 - 1
            IntOp $R7 $R8 * ${NSIS_PTR_SIZE}
            IntPtrOp $R7 $R0 + $R7
            System::Call "*$R7(p .R3)"
            System::Call "kernel32::CloseHandle(p R3)"
        ${Loop}
    ${EndIf}
    System::Free $R0
FunctionEnd
!macroend
