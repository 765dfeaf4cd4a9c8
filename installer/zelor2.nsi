; Zelor2-Setup.exe: puts Zelor2.scr where Windows looks for screen savers,
; the sample body files into the user's folder, and an uninstaller under
; "Apps". Built by installer/build.sh, which passes SCR, DATA and OUTFILE.

; A 64-bit installer, like the saver: it puts the file straight into the
; 64-bit system folder and writes the 64-bit registry, with no redirection in
; between, and a 32-bit Windows, where the saver could not run, refuses it.
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma

!ifndef SCR | DATA | OUTFILE
  !error "build with installer/build.sh (needs -DSCR=, -DDATA= and -DOUTFILE=)"
!endif

!define VERSION "1.00"
!define PUBLISHER "Zelor2"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zelor2"
!define UNINSTALLER "Zelor2-Deinstallation.exe"
!define DESKTOP_KEY "Control Panel\Desktop"
!define SETTINGS_KEY "Software\Zelor2"
; FOLDERID_RoamingAppData: the saver's own folder lies there, whichever
; shell context the install mode has switched to.
!define FOLDERID_ROAMING_APPDATA {3EB685DB-65F9-4CF6-A03A-E3EF65729F3D}

Name "Zelor2"
OutFile "${OUTFILE}"
BrandingText "Zelor2 ${VERSION}"

; An administrator gets the choice of both modes; anyone else installs for
; themselves without being asked for elevation.
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR "Zelor2"
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_NOUNINSTALL
!define MULTIUSER_INIT_TEXT_ALLUSERSNOTPOSSIBLE "Ihr Benutzerkonto darf Zelor2 nicht für alle Benutzer dieses Computers installieren."
!include MultiUser.nsh
!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include active_saver.nsh

!define MUI_ABORTWARNING
!define MUI_CUSTOMFUNCTION_GUIINIT BrandingWithoutBlank
!define MUI_CUSTOMFUNCTION_UNGUIINIT un.BrandingWithoutBlank
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_WELCOMEPAGE_TEXT "Dieser Assistent installiert den Bildschirmschoner Zelor2 ${VERSION} und die Beispiel-Körperdateien.$\r$\n$\r$\n$_CLICK"
!define MUI_COMPONENTSPAGE_TEXT_TOP "Wird Zelor2 der aktive Bildschirmschoner, merkt sich das Setup den bisherigen und macht ihn beim Entfernen wieder aktiv; ob beim Fortsetzen die Anmeldeseite erscheint, ändern weder die Installation noch das Entfernen."
!define MUI_UNCONFIRMPAGE_TEXT_TOP "Zelor2 wird entfernt. Ist es noch der aktive Bildschirmschoner, wird der Bildschirmschoner wieder aktiv, der es vor der Installation war."
!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_CUSTOMFUNCTION_SHOW TitleWithoutBlank
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!define MUI_PAGE_CUSTOMFUNCTION_PRE ApplyModeToSections
!define MUI_PAGE_CUSTOMFUNCTION_SHOW ShowComponentsPage
!insertmacro MUI_PAGE_COMPONENTS
!define MUI_PAGE_CUSTOMFUNCTION_SHOW TitleWithoutBlank
!insertmacro MUI_PAGE_INSTFILES
!define MUI_PAGE_CUSTOMFUNCTION_SHOW TitleWithoutBlank
!insertmacro MUI_PAGE_FINISH

!define MUI_PAGE_CUSTOMFUNCTION_SHOW un.TitleWithoutBlank
!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_PAGE_CUSTOMFUNCTION_SHOW un.TitleWithoutBlank
!insertmacro MUI_UNPAGE_COMPONENTS
!define MUI_PAGE_CUSTOMFUNCTION_SHOW un.TitleWithoutBlank
!insertmacro MUI_UNPAGE_INSTFILES
; Without a page of its own after the work, the uninstaller's last page
; would keep the blank NSIS puts in its title once the work is done.
!define MUI_PAGE_CUSTOMFUNCTION_SHOW un.TitleWithoutBlank
!insertmacro MUI_UNPAGE_FINISH

; NSIS writes sizes with a decimal point whatever the language; the
; components page shows them itself (ShowRequiredSpace).
SpaceTexts none

!insertmacro MUI_LANGUAGE German

VIProductVersion 1.0.0.0
VIAddVersionKey /LANG=${LANG_GERMAN} ProductName "Zelor2"
VIAddVersionKey /LANG=${LANG_GERMAN} ProductVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_GERMAN} FileVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_GERMAN} FileDescription "Zelor2 ${VERSION} Installation"
VIAddVersionKey /LANG=${LANG_GERMAN} CompanyName "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_GERMAN} LegalCopyright "${PUBLISHER}"

Var ScrFolder
Var ScrFile

Section "Zelor2 (Bildschirmschoner)" SecProgram
  SectionIn RO
  ${If} $MultiUser.InstallMode == AllUsers
    StrCpy $ScrFolder "$SYSDIR"
  ${Else}
    StrCpy $ScrFolder "$INSTDIR"
  ${EndIf}
  StrCpy $ScrFile "$ScrFolder\Zelor2.scr"
  SetOutPath "$ScrFolder"
  File "/oname=Zelor2.scr" "${SCR}"

  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  SectionGetSize ${SecProgram} $0
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Zelor2"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${UNINSTALLER},0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Any file already there may be the user's: the saver can store its results
; under a sample's name and the samples are meant to be edited. Only missing
; samples are written; deleting one brings the shipped version back.
Section "Beispiel-Körperdateien" SecSamples
  GetKnownFolderPath $0 ${FOLDERID_ROAMING_APPDATA}
  SetOutPath "$0\Zelor2"
  SetOverwrite off
  File "${DATA}\Voyager.zel"
  File "${DATA}\InnerPlanets.zel"
  File "${DATA}\BinaryStar.zel"
  File "${DATA}\FigureEight.zel"
  SetOverwrite on
SectionEnd

Section "Als aktiven Bildschirmschoner festlegen" SecActivate
  !insertmacro MakeActiveSaver $ScrFile
SectionEnd

; Outside the system folder Windows finds a screen saver only through the
; active-saver setting, so a per-user install always sets it.
Function ApplyModeToSections
  SectionGetFlags ${SecActivate} $0
  ${If} $MultiUser.InstallMode == CurrentUser
    IntOp $0 $0 | ${SF_SELECTED}
    IntOp $0 $0 | ${SF_RO}
  ${Else}
    IntOp $0 $0 | ${SF_RO}
    IntOp $0 $0 ^ ${SF_RO}
  ${EndIf}
  SectionSetFlags ${SecActivate} $0
FunctionEnd

; The pages add a blank to the window's title in place of their own
; subtitle; the title is the caption alone.
Function TitleWithoutBlank
  SendMessage $HWNDPARENT ${WM_SETTEXT} 0 "STR:$(^SetupCaption)"
FunctionEnd
Function un.TitleWithoutBlank
  SendMessage $HWNDPARENT ${WM_SETTEXT} 0 "STR:$(^UninstallCaption)"
FunctionEnd
; NSIS pads the branding text at the bottom with a blank; a screen reader
; would read it, so it is set again as it is.
!macro BrandingWithoutBlank
  ; The modern interface draws it twice, once as the etched shadow.
  GetDlgItem $0 $HWNDPARENT 1028
  SendMessage $0 ${WM_SETTEXT} 0 "STR:Zelor2 ${VERSION}"
  GetDlgItem $0 $HWNDPARENT 1256
  SendMessage $0 ${WM_SETTEXT} 0 "STR:Zelor2 ${VERSION}"
!macroend
Function BrandingWithoutBlank
  !insertmacro BrandingWithoutBlank
FunctionEnd
Function un.BrandingWithoutBlank
  !insertmacro BrandingWithoutBlank
FunctionEnd
; The end of the work sets the title of a finished page.
Function .onInstSuccess
  Call TitleWithoutBlank
FunctionEnd
Function un.onUninstSuccess
  Call un.TitleWithoutBlank
FunctionEnd

Function ShowComponentsPage
  Call TitleWithoutBlank
  ShowWindow $mui.ComponentsPage.SpaceRequired ${SW_SHOW}
  Call ShowRequiredSpace
FunctionEnd

Function .onSelChange
  Call ShowRequiredSpace
FunctionEnd

; The selected sections' size as NSIS would show it, rounded up by a
; twentieth of the unit to one decimal, with a decimal comma.
!macro AddSelectedSize SECTION
  SectionGetFlags ${SECTION} $R2
  IntOp $R2 $R2 & ${SF_SELECTED}
  ${If} $R2 != 0
    SectionGetSize ${SECTION} $R2
    IntOp $R1 $R1 + $R2
  ${EndIf}
!macroend
Function ShowRequiredSpace
  IsWindow $mui.ComponentsPage.SpaceRequired +2
    Return
  StrCpy $R1 0
  !insertmacro AddSelectedSize ${SecProgram}
  !insertmacro AddSelectedSize ${SecSamples}
  !insertmacro AddSelectedSize ${SecActivate}
  ${If} $R1 < 1024
    StrCpy $R4 1
    StrCpy $R5 "$(^Kilo)"
  ${ElseIf} $R1 < 1048576
    StrCpy $R4 1024
    StrCpy $R5 "$(^Mega)"
  ${Else}
    StrCpy $R4 1048576
    StrCpy $R5 "$(^Giga)"
  ${EndIf}
  IntOp $R2 $R4 / 20
  IntOp $R1 $R1 + $R2
  IntOp $R2 $R1 / $R4
  IntOp $R3 $R1 * 10
  IntOp $R3 $R3 / $R4
  IntOp $R3 $R3 % 10
  SendMessage $mui.ComponentsPage.SpaceRequired ${WM_SETTEXT} 0 "STR:Benötigter Speicher: $R2,$R3$R5$(^Byte)"
FunctionEnd

; Silent switches besides /S: /AllUsers, /CurrentUser (default: all users
; for an administrator) and /NOACTIVATE.
Function .onInit
  !insertmacro MULTIUSER_INIT
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/NOACTIVATE" $R1
  ${IfNot} ${Errors}
    SectionGetFlags ${SecActivate} $0
    IntOp $0 $0 & ${SECTION_OFF}
    SectionSetFlags ${SecActivate} $0
  ${EndIf}
  Call ApplyModeToSections
FunctionEnd

!include uninstall.nsh
