; The 64-bit installer of the VRX7100 tools.  makensis gets VERSION, SOURCE
; (the folder with the files to install) and OUTFILE with -D.
Unicode true
Target amd64-unicode
!include "MUI2.nsh"
!include "x64.nsh"
!include "FileFunc.nsh"

!define PRODUCT "VRX7100 Tools"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zentrolith VRX7100 Tools"
; The data file type.  SHCTX is the machine's or the user's classes root,
; following SetShellVarContext, so the association goes where the install
; goes.
!define DATA_FILE_TYPE "Zentrolith.VRX7100.DataFile"
!define CLASSES "Software\Classes"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Zentrolith\VRX7100 Tools"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
VIProductVersion "${VERSION}"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "Zentrolith"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${PRODUCT} setup"

!define MUI_ICON "${SOURCE}\VRX7100.ico"
!define MUI_UNICON "${SOURCE}\VRX7100.ico"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  SetRegView 64
  ${IfNot} ${RunningX64}
    MessageBox MB_ICONSTOP "This program needs 64-bit Windows."
    Abort
  ${EndIf}
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Install"
  SetOutPath "$INSTDIR"
  File "${SOURCE}\VRXEditor.exe"
  File "${SOURCE}\VRXWriter.exe"
  File "${SOURCE}\vrxtool.exe"
  File "${SOURCE}\VRX7100.ico"
  File "${SOURCE}\README.txt"
  File /r "${SOURCE}\locale"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  SetShellVarContext all
  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\VRXEditor.lnk" "$INSTDIR\VRXEditor.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\VRXWriter.lnk" "$INSTDIR\VRXWriter.exe"

  ; .vrx files open in the editor, as the Linux package does.
  WriteRegStr SHCTX "${CLASSES}\.vrx" "" "${DATA_FILE_TYPE}"
  WriteRegStr SHCTX "${CLASSES}\.vrx\OpenWithProgids" "${DATA_FILE_TYPE}" ""
  WriteRegStr SHCTX "${CLASSES}\${DATA_FILE_TYPE}" "" "VRX7100 データファイル"
  WriteRegStr SHCTX "${CLASSES}\${DATA_FILE_TYPE}\DefaultIcon" "" "$INSTDIR\VRXEditor.exe,0"
  WriteRegStr SHCTX "${CLASSES}\${DATA_FILE_TYPE}\shell\open\command" "" '"$INSTDIR\VRXEditor.exe" "%1"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Zentrolith"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\VRXEditor.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ; In KB, for the size column of "Apps & features".
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\${PRODUCT}\VRXEditor.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\VRXWriter.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"
  Delete "$INSTDIR\VRXEditor.exe"
  Delete "$INSTDIR\VRXWriter.exe"
  Delete "$INSTDIR\vrxtool.exe"
  Delete "$INSTDIR\VRX7100.ico"
  Delete "$INSTDIR\README.txt"
  RMDir /r "$INSTDIR\locale"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  RMDir "$PROGRAMFILES64\Zentrolith"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  ; The type is ours; .vrx only while it still points at it.
  DeleteRegKey SHCTX "${CLASSES}\${DATA_FILE_TYPE}"
  DeleteRegValue SHCTX "${CLASSES}\.vrx\OpenWithProgids" "${DATA_FILE_TYPE}"
  DeleteRegKey /ifempty SHCTX "${CLASSES}\.vrx\OpenWithProgids"
  ReadRegStr $0 SHCTX "${CLASSES}\.vrx" ""
  ${If} $0 == "${DATA_FILE_TYPE}"
    DeleteRegValue SHCTX "${CLASSES}\.vrx" ""
  ${EndIf}
  DeleteRegKey /ifempty SHCTX "${CLASSES}\.vrx"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
