; The uninstaller: removes the program and its "Apps" entry, and gives back
; the saver that was active before the install while this Zelor2.scr still
; is (active_saver.nsh). The user's body and results
; files and the settings stay unless "Einstellungen und Dateien entfernen" is
; ticked, or /PURGE given with /S.

Var UnScrFile

Section "un.Zelor2 (Bildschirmschoner)" SecUnProgram
  SectionIn RO
  !insertmacro GiveBackActiveSaver $UnScrFile
  Delete "$UnScrFile"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd

Section /o "un.Einstellungen und Dateien entfernen" SecUnUserData
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  GetKnownFolderPath $0 ${FOLDERID_ROAMING_APPDATA}
  RMDir /r "$0\Zelor2"
SectionEnd

; The mode of the install is the one whose "Apps" entry names this folder.
Function un.onInit
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
    GetFullPathName /SHORT $0 "$0"
    GetFullPathName /SHORT $1 "$INSTDIR"
  ${EndIf}
  ${If} $0 != ""
  ${AndIf} $0 == $1
    UserInfo::GetAccountType
    Pop $2
    ${If} $2 != "Admin"
      MessageBox MB_OK|MB_ICONSTOP "Zelor2 wurde für alle Benutzer installiert; nur ein Administrator kann es entfernen." /SD IDOK
      Quit
    ${EndIf}
    SetShellVarContext all
    StrCpy $UnScrFile "$SYSDIR\Zelor2.scr"
  ${Else}
    SetShellVarContext current
    StrCpy $UnScrFile "$INSTDIR\Zelor2.scr"
  ${EndIf}

  ${un.GetParameters} $R0
  ClearErrors
  ${un.GetOptions} $R0 "/PURGE" $R1
  ${IfNot} ${Errors}
    SectionGetFlags ${SecUnUserData} $0
    IntOp $0 $0 | ${SF_SELECTED}
    SectionSetFlags ${SecUnUserData} $0
  ${EndIf}
FunctionEnd
