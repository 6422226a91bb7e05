; The Windows installer. makensis -DVERSION=x.y.z -DSTAGE=folder -DOUTFILE=file
; STAGE holds vekwin.exe, vek.exe, README.txt, LICENSE.txt and samples\.
Unicode true
!ifdef AMD64
Target amd64-unicode
!endif
!include "MUI2.nsh"
!include "WordFunc.nsh"

!define UNINSTKEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\vek"

Name "vek ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\vek"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "vek Library Expander/Compressor"
VIAddVersionKey "FileDescription" "vek ${VERSION} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "the vek developers"
VIAddVersionKey "LegalCopyright" "Copyright (c) 2026 the vek developers, MIT licence"

!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  SetRegView 64
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "vek (required)" SecMain
  SectionIn RO
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${STAGE}\vekwin.exe"
  File "${STAGE}\vek.exe"
  File "${STAGE}\README.txt"
  File "${STAGE}\LICENSE.txt"
  SetOutPath "$INSTDIR\samples"
  File "${STAGE}\samples\parts.slb"
  File "${STAGE}\samples\parts.plb"
  File "${STAGE}\samples\parts.flb"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateDirectory "$SMPROGRAMS\vek"
  CreateShortcut "$SMPROGRAMS\vek\Library Expander-Compressor.lnk" "$INSTDIR\vekwin.exe"
  WriteRegStr HKLM "${UNINSTKEY}" "DisplayName" "vek Library Expander/Compressor"
  WriteRegStr HKLM "${UNINSTKEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTKEY}" "Publisher" "the vek developers"
  WriteRegStr HKLM "${UNINSTKEY}" "DisplayIcon" "$INSTDIR\vekwin.exe"
  WriteRegStr HKLM "${UNINSTKEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTKEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTKEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTKEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTKEY}" "NoRepair" 1
SectionEnd

; Off unless chosen: vek.exe on the user's PATH.
Section /o "Put vek.exe on the PATH" SecPath
  ReadRegStr $0 HKCU "Environment" "Path"
  StrCmp $0 "" 0 +3
  WriteRegExpandStr HKCU "Environment" "Path" "$INSTDIR"
  Goto +2
  WriteRegExpandStr HKCU "Environment" "Path" "$0;$INSTDIR"
  WriteRegDWORD HKLM "${UNINSTKEY}" "OnPath" 1
  SendMessage ${HWND_BROADCAST} ${WM_WININICHANGE} 0 "STR:Environment" /TIMEOUT=5000
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  ReadRegDWORD $1 HKLM "${UNINSTKEY}" "OnPath"
  IntCmp $1 1 0 pathDone pathDone
  ReadRegStr $0 HKCU "Environment" "Path"
  ${un.WordReplace} "$0" ";$INSTDIR" "" "+" $0
  ${un.WordReplace} "$0" "$INSTDIR" "" "+" $0
  WriteRegExpandStr HKCU "Environment" "Path" "$0"
  SendMessage ${HWND_BROADCAST} ${WM_WININICHANGE} 0 "STR:Environment" /TIMEOUT=5000
pathDone:
  Delete "$SMPROGRAMS\vek\Library Expander-Compressor.lnk"
  RMDir "$SMPROGRAMS\vek"
  Delete "$INSTDIR\samples\parts.slb"
  Delete "$INSTDIR\samples\parts.plb"
  Delete "$INSTDIR\samples\parts.flb"
  RMDir "$INSTDIR\samples"
  Delete "$INSTDIR\vekwin.exe"
  Delete "$INSTDIR\vek.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTKEY}"
SectionEnd

LangString DESC_SecMain ${LANG_ENGLISH} "The program, the command-line tool, the sample libraries."
LangString DESC_SecPath ${LANG_ENGLISH} "Lets a console run vek.exe from any folder."
!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecMain} $(DESC_SecMain)
  !insertmacro MUI_DESCRIPTION_TEXT ${SecPath} $(DESC_SecPath)
!insertmacro MUI_FUNCTION_DESCRIPTION_END
