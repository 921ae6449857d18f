; Replacing and removing the programs while something still runs from them
; (a saver that did not end when asked, a hung preview). Windows refuses to
; overwrite or delete a running program's file but lets it be renamed within
; its folder: such a file is renamed aside, to "<name>.<n>.old" (no longer a
; .scr, so the screen saver list drops it at once), and deleted at the next
; restart (Delete /REBOOTOK: MoveFileEx with MOVEFILE_DELAY_UNTIL_REBOOT).
; Where even the rename is refused, another program holds the file open: the
; new file is then written beside it as "<name>.new" and takes its place at
; the next restart (Rename /REBOOTOK).
;
; !insertmacro FilesInUseFunctions "" (and "un.") defines MoveAsideIfInUse
; (un.MoveAsideIfInUse): $0 the file; afterwards it is gone unless nothing
; could move it. Clobbers $1 and $2.

!include LogicLib.nsh

!define MAX_ASIDE_NAMES 99
!define MOVEFILE_DELAY_UNTIL_REBOOT 4

Var RestartFinishesCleanup  ; 1 once an old file waits for the next restart to be deleted
Var RestartCompletesUpdate  ; 1 once a new file waits for the next restart to take its place

!macro FilesInUseFunctions UN
Function ${UN}MoveAsideIfInUse
    ${IfNot} ${FileExists} $0
        Return
    ${EndIf}
    ClearErrors
    Delete $0
    ${IfNot} ${Errors}
        Return
    ${EndIf}
    ; The first free name; an earlier aside file that is no longer in use is
    ; deleted on the way.
    StrCpy $1 0
    ${Do}
        IntOp $1 $1 + 1
        StrCpy $2 "$0.$1.old"
        ${IfNot} ${FileExists} $2
            ${ExitDo}
        ${EndIf}
        ClearErrors
        Delete $2
        ${IfNot} ${Errors}
            ${ExitDo}
        ${EndIf}
        ${If} $1 >= ${MAX_ASIDE_NAMES}
            Return
        ${EndIf}
    ${Loop}
    ClearErrors
    Rename $0 $2
    ${If} ${Errors}
        Return
    ${EndIf}
    Delete /REBOOTOK $2
    ${If} ${FileExists} $2
        StrCpy $RestartFinishesCleanup 1
        DetailPrint "$(DeletedAtRestartText) $2"
    ${EndIf}
FunctionEnd
!macroend

; Writes the new program NAME over $SaverDir\NAME.
!macro InstallProgram NAME
    StrCpy $0 "$SaverDir\${NAME}"
    Call MoveAsideIfInUse
    ; Never the "Error opening file for writing" prompt, which a silent
    ; install would answer with Ignore and report success.
    SetOverwrite try
    ClearErrors
    File "${PROGRAMS_DIR}\${NAME}"
    ${If} ${Errors}
        ClearErrors
        File "/oname=$0.new" "${PROGRAMS_DIR}\${NAME}"
        ${If} ${Errors}
            SetOverwrite on
            Abort "$(CannotWriteText) $0"
        ${EndIf}
        Rename /REBOOTOK "$0.new" $0
        StrCpy $RestartCompletesUpdate 1
        DetailPrint "$(ReplacedAtRestartText) $0"
    ${EndIf}
    SetOverwrite on
!macroend

; Removes the program NAME from $SaverDir, at the next restart where it is held open.
!macro RemoveProgram NAME
    StrCpy $0 "$SaverDir\${NAME}"
    Call un.MoveAsideIfInUse
    ${If} ${FileExists} $0
        Delete /REBOOTOK $0
        StrCpy $RestartFinishesCleanup 1
        DetailPrint "$(DeletedAtRestartText) $0"
    ${EndIf}
    ; A new file still waiting to take the program's place at the restart:
    ; it goes too, and the program is deleted after that move.
    ${If} ${FileExists} "$0.new"
        Delete /REBOOTOK "$0.new"
        System::Call "kernel32::MoveFileExW(w r0, p 0, i ${MOVEFILE_DELAY_UNTIL_REBOOT}) i"
        StrCpy $RestartFinishesCleanup 1
    ${EndIf}
!macroend
