; The active screen saver of the current user: what Windows starts after the
; idle time, read from HKCU\Control Panel\Desktop.

!define SPI_SETSCREENSAVEACTIVE 17
!define SPIF_SENDCHANGE 2

; Windows starts SCRNSAVE.EXE without quotes, so a path with spaces (a user
; name with one, in a per-user install) is stored in its short form.
!macro ShortPathOf OUT FILE
  GetFullPathName /SHORT ${OUT} "${FILE}"
  StrCmp ${OUT} "" 0 +2
  StrCpy ${OUT} "${FILE}"
!macroend

!macro MakeActiveSaver FILE
  !insertmacro ShortPathOf $0 "${FILE}"
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $0
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
  System::Call 'user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i 1, p 0, i ${SPIF_SENDCHANGE})'
!macroend

; Leaves the setting alone once the user has chosen another saver.
!macro ClearActiveSaverIfItIs FILE
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  !insertmacro ShortPathOf $1 "${FILE}"
  ${If} $0 == "${FILE}"
  ${OrIf} $0 == $1
    DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "0"
    System::Call 'user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i 0, p 0, i ${SPIF_SENDCHANGE})'
  ${EndIf}
!macroend
