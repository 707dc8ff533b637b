; The Windows installer of Zindrop 7, built by ./package.sh windows:
;   makensis -DVERSION=1.0.0 -DOUTFILE=setup.exe -DFILES=install.nsh
;            -DUNFILES=uninstall.nsh -DICON=zindrop7.ico windows_installer.nsi
; FILES and UNFILES are the file lists package.sh writes.
;
; The game is installed for the current user alone, without administrator
; rights, into a folder the player can write (the game keeps its settings,
; profiles, statistics and levels beside itself). The uninstaller keeps the
; player's files unless asked to remove them:
;   uninstall.exe /S          silently, keeping the player's files
;   uninstall.exe /S /PURGE   silently, removing them as well
; A level file counts as the game's own while it still carries the time of
; the package it came with; one the editor saved since is the player's.
; Installing over an older version first runs its uninstaller (keeping the
; player's files), then installs; a level file that is still there then is
; the player's and is not overwritten.

Target amd64-unicode
Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

!define NAME "Zindrop 7"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zindrop7"

Name "${NAME}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${NAME}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${NAME} ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${NAME}"
VIAddVersionKey /LANG=1033 "FileDescription" "${NAME} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${NAME}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\zindrop7.exe"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"

; A level file of the game: installed unless a file of that name is there,
; which after the old version's uninstaller can only be the player's.
!macro LevelFile SOURCE TARGET
  ${IfNot} ${FileExists} "$INSTDIR\${TARGET}"
    File "${SOURCE}"
  ${EndIf}
!macroend

; Removes a level file while it carries the installed package's time ($R2).
!macro RemoveLevelFile TARGET
  ClearErrors
  GetFileTime "$INSTDIR\${TARGET}" $R3 $R4
  ${IfNot} ${Errors}
  ${AndIf} "$R3 $R4" == "$R2"
    Delete "$INSTDIR\${TARGET}"
  ${EndIf}
!macroend

Function .onInit
  SetShellVarContext current
FunctionEnd

Section "${NAME}"
  SetShellVarContext current
  ${If} ${FileExists} "$INSTDIR\uninstall.exe"
    ; The older version's uninstaller, run in place so that this waits.
    ExecWait '"$INSTDIR\uninstall.exe" /S /UPDATE _?=$INSTDIR'
  ${EndIf}
  SetOverwrite on
  !include "${FILES}"
  SetOutPath "$INSTDIR"
  ; Every file of the package carries the same time: kept for the uninstaller.
  GetFileTime "$INSTDIR\zindrop7.exe" $1 $2
  WriteRegStr HKCU "${UNINSTALL_KEY}" "PackageFileTime" "$1 $2"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\zindrop7.exe" "" "$INSTDIR\zindrop7.exe" 0
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${NAME}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\zindrop7.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

Section "Uninstall"
  SetShellVarContext current
  ${GetParameters} $R0
  StrCpy $R1 0
  ClearErrors
  ${GetOptions} $R0 "/PURGE" $R9
  ${IfNot} ${Errors}
    StrCpy $R1 1
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/UPDATE" $R9
  ${If} ${Errors}
  ${AndIf} $R1 == 0
    MessageBox MB_YESNO|MB_DEFBUTTON2 "Remove your profiles, settings and levels as well?$\n$\n(No keeps them in $INSTDIR.)" /SD IDNO IDNO keep
    StrCpy $R1 1
    keep:
  ${EndIf}
  ReadRegStr $R2 HKCU "${UNINSTALL_KEY}" "PackageFileTime"

  ${If} $R1 == 1
    ; Everything the game and the player keep in the folder.
    Delete "$INSTDIR\settings.dat"
    Delete "$INSTDIR\*.alp"
    Delete "$INSTDIR\lastrun.zrp"
    Delete "$INSTDIR\*.tmp"
    Delete "$INSTDIR\temp*.zdl"
    FindFirst $R5 $R6 "$INSTDIR\lvlpck*"
    ${DoWhile} $R6 != ""
      ${If} ${FileExists} "$INSTDIR\$R6\*.*"
        RMDir /r "$INSTDIR\$R6"
      ${EndIf}
      FindNext $R5 $R6
    ${Loop}
    FindClose $R5
  ${EndIf}

  !include "${UNFILES}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  ClearErrors
  ${GetOptions} $R0 "/UPDATE" $R9
  ${If} ${Errors}
    Delete "$SMPROGRAMS\${NAME}.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ${EndIf}
SectionEnd
