; The active screen saver of the current user: what Windows starts after the
; idle time, read from HKCU\Control Panel\Desktop. An install that makes
; Zelor2 the active saver keeps the user's previous SCRNSAVE.EXE and
; ScreenSaveActive under PREVIOUS_SAVER_KEY; the uninstall gives them back
; while Zelor2 is still the active saver. ScreenSaverIsSecure, the user's
; choice of a lock, is never touched.

!define SPI_SETSCREENSAVEACTIVE 17
!define SPIF_SENDCHANGE 2
!define PREVIOUS_SAVER_KEY "${SETTINGS_KEY}\Installation"
; Present while the install has replaced the user's active saver.
!define REPLACED_VALUE "AktivenSchonerErsetzt"

; Windows starts SCRNSAVE.EXE without quotes, so a path with spaces (a user
; name with one, in a per-user install) is stored in its short form.
!macro ShortPathOf OUT FILE
  GetFullPathName /SHORT ${OUT} "${FILE}"
  StrCmp ${OUT} "" 0 +2
  StrCpy ${OUT} "${FILE}"
!macroend

; Copies one value between the desktop key and the kept ones; a value that
; is absent in FROM is deleted in TO, so "absent" comes back as well.
!macro CopyDesktopValue FROM TO NAME
  ClearErrors
  ReadRegStr $2 HKCU "${FROM}" "${NAME}"
  ${If} ${Errors}
  ${AndIf} $2 == ""
    DeleteRegValue HKCU "${TO}" "${NAME}"
  ${Else}
    WriteRegStr HKCU "${TO}" "${NAME}" $2
  ${EndIf}
!macroend

; True in $3 while SCRNSAVE.EXE names FILE, in either form.
!macro IsActiveSaver FILE
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  !insertmacro ShortPathOf $1 "${FILE}"
  StrCpy $3 0
  ${If} $0 == "${FILE}"
  ${OrIf} $0 == $1
    StrCpy $3 1
  ${EndIf}
!macroend

!macro TellWindowsScreenSaveActive
  ReadRegStr $2 HKCU "${DESKTOP_KEY}" "ScreenSaveActive"
  ${If} $2 == "1"
    System::Call 'user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i 1, p 0, i ${SPIF_SENDCHANGE})'
  ${Else}
    System::Call 'user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i 0, p 0, i ${SPIF_SENDCHANGE})'
  ${EndIf}
!macroend

; A second install over the first finds Zelor2 active already and keeps what
; the first one kept.
!macro MakeActiveSaver FILE
  !insertmacro IsActiveSaver "${FILE}"
  ${If} $3 == 0
    !insertmacro CopyDesktopValue "${DESKTOP_KEY}" "${PREVIOUS_SAVER_KEY}" "SCRNSAVE.EXE"
    !insertmacro CopyDesktopValue "${DESKTOP_KEY}" "${PREVIOUS_SAVER_KEY}" "ScreenSaveActive"
    WriteRegStr HKCU "${PREVIOUS_SAVER_KEY}" "${REPLACED_VALUE}" "1"
  ${EndIf}
  !insertmacro ShortPathOf $0 "${FILE}"
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $0
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
  !insertmacro TellWindowsScreenSaveActive
!macroend

; Gives back the saver the install replaced, while Zelor2 is still the active
; one: once the user has chosen another, that choice stands. An install that
; replaced nothing changes nothing here.
!macro GiveBackActiveSaver FILE
  ClearErrors
  ReadRegStr $2 HKCU "${PREVIOUS_SAVER_KEY}" "${REPLACED_VALUE}"
  ${IfNot} ${Errors}
    !insertmacro IsActiveSaver "${FILE}"
    ${If} $3 == 1
      !insertmacro CopyDesktopValue "${PREVIOUS_SAVER_KEY}" "${DESKTOP_KEY}" "SCRNSAVE.EXE"
      !insertmacro CopyDesktopValue "${PREVIOUS_SAVER_KEY}" "${DESKTOP_KEY}" "ScreenSaveActive"
      !insertmacro TellWindowsScreenSaveActive
    ${EndIf}
  ${EndIf}
  DeleteRegKey HKCU "${PREVIOUS_SAVER_KEY}"
  DeleteRegKey /ifempty HKCU "${SETTINGS_KEY}"
!macroend
