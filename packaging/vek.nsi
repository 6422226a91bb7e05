; The Windows installer. makensis -DVERSION=x.y.z -DSTAGE=folder -DOUTFILE=file
; STAGE holds vekwin.exe, vek.exe, README.txt, LICENSE.txt and samples\.
; An administrator installs for all users (Program Files, HKLM); anyone else,
; or /CurrentUser, for the current user alone (Local AppData, HKCU). The
; library types are registered in the same place, and removed with it.
Unicode true
!ifdef AMD64
Target amd64-unicode
!endif
!include "MUI2.nsh"
!include "WordFunc.nsh"
!include "FileFunc.nsh"

!define UNINSTKEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\vek"

Name "vek ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\vek"
RequestExecutionLevel highest
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

; One file type per library kind: "Open" shows the library in the program's
; Library window; "Expand here" unpacks it beside itself ("%1\.." is the
; library's folder: Windows resolves ".." by the name alone).
!macro LibraryType EXT TYPE TITLE
  WriteRegStr SHCTX "Software\Classes\${EXT}" "" "${TYPE}"
  WriteRegStr SHCTX "Software\Classes\${TYPE}" "" "${TITLE}"
  WriteRegStr SHCTX "Software\Classes\${TYPE}\DefaultIcon" "" "$INSTDIR\vekwin.exe,0"
  WriteRegStr SHCTX "Software\Classes\${TYPE}\shell\open\command" "" '"$INSTDIR\vekwin.exe" "%1"'
  WriteRegStr SHCTX "Software\Classes\${TYPE}\shell\expand" "" "Expand here"
  WriteRegStr SHCTX "Software\Classes\${TYPE}\shell\expand\command" "" '"$INSTDIR\vek.exe" expand -o "%1\.." "%1"'
!macroend

; Only an extension that is still ours loses its type.
!macro RemoveLibraryType EXT TYPE
  ReadRegStr $0 SHCTX "Software\Classes\${EXT}" ""
  StrCmp $0 "${TYPE}" 0 +2
  DeleteRegKey SHCTX "Software\Classes\${EXT}"
  DeleteRegKey SHCTX "Software\Classes\${TYPE}"
!macroend

!define SHCNE_ASSOCCHANGED 0x08000000

Function .onInit
  SetRegView 64
  SetShellVarContext all
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/CurrentUser" $R1
  IfErrors 0 perUser
  UserInfo::GetAccountType
  Pop $R2
  StrCmp $R2 "Admin" done perUser
perUser:
  SetShellVarContext current
  ; /D= has chosen the folder already unless it is still the default.
  StrCmp $INSTDIR "$PROGRAMFILES64\vek" 0 done
  StrCpy $INSTDIR "$LOCALAPPDATA\Programs\vek"
done:
FunctionEnd

; The uninstaller removes what was installed where its own folder says.
Function un.onInit
  SetRegView 64
  SetShellVarContext all
  ReadRegStr $0 HKCU "${UNINSTKEY}" "InstallLocation"
  StrCmp $0 $INSTDIR 0 +2
  SetShellVarContext current
FunctionEnd

Section "vek (required)" SecMain
  SectionIn RO
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
  WriteRegStr SHCTX "${UNINSTKEY}" "DisplayName" "vek Library Expander/Compressor"
  WriteRegStr SHCTX "${UNINSTKEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTKEY}" "Publisher" "the vek developers"
  WriteRegStr SHCTX "${UNINSTKEY}" "DisplayIcon" "$INSTDIR\vekwin.exe"
  WriteRegStr SHCTX "${UNINSTKEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTKEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTKEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTKEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTKEY}" "NoRepair" 1
  !insertmacro LibraryType ".slb" "vek.SymbolLibrary" "Symbol library"
  !insertmacro LibraryType ".plb" "vek.PackageLibrary" "Package library"
  !insertmacro LibraryType ".flb" "vek.FootprintLibrary" "Footprint library"
  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
SectionEnd

; Off unless chosen: vek.exe on the user's PATH.
Section /o "Put vek.exe on the PATH" SecPath
  ReadRegStr $0 HKCU "Environment" "Path"
  StrCmp $0 "" 0 +3
  WriteRegExpandStr HKCU "Environment" "Path" "$INSTDIR"
  Goto +2
  WriteRegExpandStr HKCU "Environment" "Path" "$0;$INSTDIR"
  WriteRegDWORD SHCTX "${UNINSTKEY}" "OnPath" 1
  SendMessage ${HWND_BROADCAST} ${WM_WININICHANGE} 0 "STR:Environment" /TIMEOUT=5000
SectionEnd

Section "Uninstall"
  ReadRegDWORD $1 SHCTX "${UNINSTKEY}" "OnPath"
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
  DeleteRegKey SHCTX "${UNINSTKEY}"
  !insertmacro RemoveLibraryType ".slb" "vek.SymbolLibrary"
  !insertmacro RemoveLibraryType ".plb" "vek.PackageLibrary"
  !insertmacro RemoveLibraryType ".flb" "vek.FootprintLibrary"
  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
SectionEnd

LangString DESC_SecMain ${LANG_ENGLISH} "The program, the command-line tool, the sample libraries."
LangString DESC_SecPath ${LANG_ENGLISH} "Lets a console run vek.exe from any folder."
!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecMain} $(DESC_SecMain)
  !insertmacro MUI_DESCRIPTION_TEXT ${SecPath} $(DESC_SecPath)
!insertmacro MUI_FUNCTION_DESCRIPTION_END
