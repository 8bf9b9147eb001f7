; The Windows installer: kimoro.exe, its licence and README for the current user, with no
; administrator rights; a Start-menu entry, and an uninstaller listed under Apps (HKCU).
;
;   makensis -DKIMORO_EXE=/abs/path/kimoro.exe -DOUTFILE=/abs/path/kimoro-VERSION-setup.exe \
;            /abs/path/packaging/windows/kimoro.nsi
;
; Give absolute paths: makensis works in the script's folder, and finds the sources from it.
; The version comes from src/resources/Version.h, where it is written once.
; A 64-bit installer for the 64-bit program: it runs where kimoro.exe runs, and under a Wine
; without its 32-bit half.
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma
SetDateSave off  ; no file dates inside: two builds of one commit give the same installer

!ifndef KIMORO_EXE
  !error "Define KIMORO_EXE, the kimoro.exe to install: makensis -DKIMORO_EXE=... kimoro.nsi"
!endif
!ifndef OUTFILE
  !define OUTFILE "kimoro-setup.exe"
!endif

!define SOURCE_ROOT "${__FILEDIR__}/../.."
!searchparse /file "${SOURCE_ROOT}/src/resources/Version.h" "#define KIMORO_VERSION_MAJOR " V_MAJOR
!searchparse /file "${SOURCE_ROOT}/src/resources/Version.h" "#define KIMORO_VERSION_MINOR " V_MINOR
!searchparse /file "${SOURCE_ROOT}/src/resources/Version.h" "#define KIMORO_VERSION_BUILD " V_BUILD
!searchparse /file "${SOURCE_ROOT}/src/resources/Version.h" "#define KIMORO_VERSION_REVISION " V_REVISION
!define VERSION "${V_MAJOR}.${V_MINOR}.${V_BUILD}.${V_REVISION}"
!echo "kimoro version ${VERSION}"

!define APP_NAME "きもろ"
!define PUBLISHER "The Kimoro developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\org.kimoro.Kimoro"
!define SHORTCUT "$SMPROGRAMS\${APP_NAME}.lnk"

Name "${APP_NAME}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Kimoro"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${APP_NAME} ${VERSION}"

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=1041 "ProductName" "${APP_NAME}"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "FileDescription" "${APP_NAME} ${VERSION} セットアップ"
VIAddVersionKey /LANG=1041 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1041 "LegalCopyright" "Copyright (c) 2026 ${PUBLISHER} (MIT License)"

!include "MUI2.nsh"
!define MUI_ICON "${SOURCE_ROOT}/src/resources/icons/kimoro.ico"
!define MUI_UNICON "${SOURCE_ROOT}/src/resources/icons/kimoro.ico"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\kimoro.exe"

!insertmacro MUI_PAGE_LICENSE "${SOURCE_ROOT}/LICENSE"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

Section "${APP_NAME}"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "/oname=kimoro.exe" "${KIMORO_EXE}"
  File "/oname=LICENSE.txt" "${SOURCE_ROOT}/LICENSE"
  File "/oname=README.md" "${SOURCE_ROOT}/README.md"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortCut "${SHORTCUT}" "$INSTDIR\kimoro.exe" "" "$INSTDIR\kimoro.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${APP_NAME}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kimoro.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "VersionMajor" ${V_MAJOR}
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "VersionMinor" ${V_MINOR}
SectionEnd

; Removes exactly what the installer put in place, and the folders it made once empty.
Section "Uninstall"
  SetShellVarContext current
  Delete "${SHORTCUT}"
  Delete "$INSTDIR\kimoro.exe"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\README.md"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  RMDir "$LOCALAPPDATA\Programs"  ; only when empty: the installer may have made it
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
