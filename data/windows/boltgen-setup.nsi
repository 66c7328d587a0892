; The Windows setup program: a per-user installation that needs no
; administrator, with a Start-menu entry and an uninstaller in "Apps".
; scripts/package-windows.sh builds it with these defines:
;   VERSION  the program's version      FILES   folder of the files to install
;   OUTFILE  the setup program to write WINDOW  defined when boltgen-window.exe is there
; A 64-bit setup program, as the program it installs is.
Target amd64-unicode
!include "MUI2.nsh"

!define NAME "Quillfen 3D Bolt Generator"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\boltgen"
!define MENU_ENTRY "$SMPROGRAMS\${NAME}.lnk"
!define MANUAL_ENTRY "$SMPROGRAMS\${NAME} Manual.lnk"

Name "${NAME}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\boltgen"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${NAME}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${NAME} setup"
VIAddVersionKey /LANG=1033 "CompanyName" "Quillfen"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Quillfen"

!define MUI_ICON "${FILES}\boltgen.ico"
!define MUI_UNICON "${FILES}\boltgen.ico"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Install"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "${FILES}\boltgen.exe"
!ifdef WINDOW
  File "${FILES}\boltgen-window.exe"
!endif
  File "${FILES}\boltgen.ini"
  File "${FILES}\boltgen.pdf"
  File "${FILES}\boltgen.ico"
  WriteUninstaller "$INSTDIR\uninstall.exe"

!ifdef WINDOW
  CreateShortcut "${MENU_ENTRY}" "$INSTDIR\boltgen-window.exe" "" "$INSTDIR\boltgen.ico"
!else
  ; Without the window the program is used from a command prompt: the entry
  ; opens one in the user's documents with boltgen on its path and the
  ; switches listed (a shortcut starts in the output path of its creation).
  SetOutPath "$DOCUMENTS"
  CreateShortcut "${MENU_ENTRY}" "$SYSDIR\cmd.exe" \
    '/k "set "PATH=$INSTDIR;%PATH%" && boltgen.exe ?"' "$INSTDIR\boltgen.ico"
  SetOutPath "$INSTDIR"
!endif
  CreateShortcut "${MANUAL_ENTRY}" "$INSTDIR\boltgen.pdf"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Quillfen"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\boltgen.ico"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  Delete "${MENU_ENTRY}"
  Delete "${MANUAL_ENTRY}"
  Delete "$INSTDIR\boltgen.exe"
  Delete "$INSTDIR\boltgen-window.exe"
  Delete "$INSTDIR\boltgen.ini"
  Delete "$INSTDIR\boltgen.pdf"
  Delete "$INSTDIR\boltgen.ico"
  Delete "$INSTDIR\uninstall.exe"
  ; Only when empty: scripts a user saved there stay.
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
