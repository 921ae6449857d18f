; The welcome and finish pages' side picture, shown at the band's height in
; its own proportions and centred in the band. Modern UI stretches it to the
; band, which is 109 x 193 dialog units: 164 x 314 pixels only with the
; English dialog font at 96 dpi. With the Japanese font's proportions the
; sphere would turn oval; here it stays round, and the static control's
; SS_CENTERIMAGE fills the rest of the band with the picture's corner
; colour, the black the sphere stands on.
;
; !insertmacro SidePictureShowFunction NAME CONTROL BITMAP defines the page's
; show function NAME for the page's picture control and the variable that
; holds its bitmap (freed by Modern UI when the page goes). Clobbers $1-$6.

!include LogicLib.nsh
!include nsDialogs.nsh

!define SIDE_PICTURE_WIDTH 164
!define SIDE_PICTURE_HEIGHT 314

!macro SidePictureShowFunction NAME CONTROL BITMAP
Function ${NAME}
    System::Call "user32::GetClientRect(p ${CONTROL}, @r1)"
    System::Call "*$1(i, i, i .r2, i .r3)"
    ; The largest size of the picture's proportions within the band.
    IntOp $4 $3 * ${SIDE_PICTURE_WIDTH}
    IntOp $4 $4 / ${SIDE_PICTURE_HEIGHT}
    ${If} $4 > $2
        StrCpy $4 $2
        IntOp $3 $2 * ${SIDE_PICTURE_HEIGHT}
        IntOp $3 $3 / ${SIDE_PICTURE_WIDTH}
    ${EndIf}
    System::Call "user32::LoadImageW(p 0, w '$PLUGINSDIR\modern-wizard.bmp', i ${IMAGE_BITMAP}, i r4, i r3, i ${LR_LOADFROMFILE}) p.r5"
    ${If} $5 P<> 0
        ${NSD_AddStyle} ${CONTROL} ${SS_CENTERIMAGE}
        SendMessage ${CONTROL} ${STM_SETIMAGE} ${IMAGE_BITMAP} $5 $6
        ${NSD_FreeImage} ${BITMAP}
        StrCpy ${BITMAP} $5
    ${EndIf}
FunctionEnd
!macroend
