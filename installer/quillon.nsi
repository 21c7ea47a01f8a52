; Setup of Veldmark Quillon: a per-user installation, without administrator rights, of the
; program, its command-line companion and its help, plus the data folder the program expects
; (the program itself never creates its folder, its catalogue or its help file).
;
;   makensis -DVERSION=1.0.0 -DOUTFILE=QuillonSetup-1.0.0.exe -DPROGRAM=quillon.exe
;            -DCATALOGUE_TOOL=quillon-catalogue.exe -DHELP_FILE=help.chm -DICON=icon128.ico
;            -DWIZARD_BITMAP=wizard.bmp quillon.nsi
;
; Command line of the setup: /S (silent), /AUTORUN=yes|no (start at logon; otherwise a first
; installation leaves it off and an upgrade keeps what the user had), /SENDTO=yes|no ("Quillon"
; in Explorer's "Send to" menu; yes unless told otherwise), /D=folder (last).
; The uninstaller: /S keeps the catalogue and settings.

Unicode true
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma
AllowSkipFiles off

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "nsDialogs.nsh"
!include "Sections.nsh"
!include "WinMessages.nsh"

!include "names.nsh"
!include "program_files.nsh"
!include "running_program.nsh"
!include "options.nsh"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
; Windows' own place for programs a user installs for himself.
InstallDir "$LOCALAPPDATA\Programs\Veldmark\Quillon"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright (C) ${PUBLISHER}"

Var DataFolder
Var PreviousInstallFolder
Var DeleteDataBox
Var DeleteData

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${WIZARD_BITMAP}"
!define MUI_UNWELCOMEFINISHPAGE_BITMAP "${WIZARD_BITMAP}"
!define MUI_ABORTWARNING

!define MUI_WELCOMEPAGE_TEXT "Setup will install ${PRODUCT} ${VERSION} for you alone; it needs no administrator rights.$\r$\n$\r$\nQuillon lets you label files with tags and a comment and find them again by tag. Your files are never moved or changed.$\r$\n$\r$\nIf Quillon is running, Setup asks it to exit. Your catalogue and settings are kept.$\r$\n$\r$\n$_CLICK"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!define MUI_PAGE_HEADER_TEXT "Choose Options"
!define MUI_PAGE_HEADER_SUBTEXT "Choose how ${PRODUCT} starts and where you find it."
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_COMPONENTSPAGE_TEXT_TOP "Choose how Quillon starts (you can change it later with $\"As a Windows Start Item$\" in Quillon's Edit menu) and whether Explorer offers it for files you select."
!define MUI_COMPONENTSPAGE_TEXT_COMPLIST "Options:"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT} now"
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgram
!insertmacro MUI_PAGE_FINISH

UninstPage custom un.DataPage un.DataPageLeave
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

!insertmacro CLOSE_RUNNING_PROGRAM ""
!insertmacro CLOSE_RUNNING_PROGRAM "un."

Section "-Program"
  Call CheckDataFolder
  Call CloseRunningProgram
  SetOutPath "$INSTDIR"
  File "/oname=quillon.exe" "${PROGRAM}"
  File "/oname=quillon-catalogue.exe" "${CATALOGUE_TOOL}"
  File "/oname=help.chm" "${HELP_FILE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\quillon.exe" "" "$INSTDIR\quillon.exe" 0
  ; An upgrade into another folder leaves no second copy behind.
  ${If} $PreviousInstallFolder != ""
  ${AndIf} $PreviousInstallFolder != $INSTDIR
    !insertmacro REMOVE_PROGRAM_FILES "$PreviousInstallFolder"
  ${EndIf}
  Call WriteUninstallEntry
  Call PrepareDataFolder
SectionEnd

Section "Start ${PRODUCT} when I log on" StartAtLogon
SectionEnd

; The installer makes the program's first-start choice about autorun itself, through the same
; Run value and settings keys as the program's "As a Windows Start Item" command.
Section "-Autorun"
  ${If} ${SectionIsSelected} ${StartAtLogon}
    Push "$INSTDIR\quillon.exe"
    Call AutorunCommand
    Pop $0
    WriteRegStr HKCU "${RUN_KEY}" "${RUN_VALUE}" $0
    WriteINIStr "$DataFolder\update.dat" "Software" "Autorun" "Yes"
  ${Else}
    DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
    WriteINIStr "$DataFolder\update.dat" "Software" "Autorun" "No"
  ${EndIf}
  WriteINIStr "$DataFolder\update.dat" "Software" "WindowsMode" "No"
SectionEnd

; Explorer passes the selected files after the shortcut's own (empty) arguments.
Section "Add Quillon to Explorer's $\"Send to$\" menu" SendTo
SectionEnd

Section "-Send to"
  ${If} ${SectionIsSelected} ${SendTo}
    CreateShortcut "$SENDTO\${SENDTO_SHORTCUT}" "$INSTDIR\quillon.exe" "" "$INSTDIR\quillon.exe" 0
  ${Else}
    Delete "$SENDTO\${SENDTO_SHORTCUT}"
  ${EndIf}
SectionEnd

Function .onInit
  SetShellVarContext current
  StrCpy $DataFolder "$APPDATA\${DATA_SUBFOLDER}"
  ReadRegStr $PreviousInstallFolder HKCU "${UNINSTALL_KEY}" "InstallLocation"

  ; Start at logon as it is now, unless the command line says otherwise.
  ReadRegStr $0 HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${If} $0 == ""
    !insertmacro UnselectSection ${StartAtLogon}
  ${Else}
    !insertmacro SelectSection ${StartAtLogon}
  ${EndIf}
  !insertmacro SECTION_FROM_OPTION AUTORUN ${StartAtLogon}
  !insertmacro SECTION_FROM_OPTION SENDTO ${SendTo}
FunctionEnd

Function WriteUninstallEntry
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quillon.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
FunctionEnd

; The setup writes update.dat and perhaps data.dat, and the program writes both: a data folder
; that cannot take them stops the setup before it has installed anything, with the same exit
; code as its other failures.
Function CheckDataFolder
  CreateDirectory "$DataFolder"
  ; Testing the error flag clears it: $1 keeps the outcome.
  StrCpy $1 "unwritable"
  ClearErrors
  FileOpen $0 "$DataFolder\setup-check.tmp" w
  ${IfNot} ${Errors}
    FileClose $0
    Delete "$DataFolder\setup-check.tmp"
    StrCpy $1 ""
    ; Opened for appending, which changes nothing in it.
    ${If} ${FileExists} "$DataFolder\update.dat"
      FileOpen $0 "$DataFolder\update.dat" a
      ${If} ${Errors}
        StrCpy $1 "unwritable"
      ${Else}
        FileClose $0
      ${EndIf}
    ${EndIf}
  ${EndIf}
  ${If} $1 != ""
    MessageBox MB_OK|MB_ICONSTOP "Setup cannot write to $DataFolder, where ${PRODUCT} keeps its catalogue and settings. Nothing was installed.$\r$\nPlease make the folder writable and run Setup again." /SD IDOK
    SetErrorLevel 2
    Abort
  ${EndIf}
FunctionEnd

; The data folder as the program expects it: an empty catalogue only where there is none, and
; the help file, which a newer one replaces. An existing data.dat or update.dat is never
; replaced.
Function PrepareDataFolder
  CreateDirectory "$DataFolder"
  ${IfNot} ${FileExists} "$DataFolder\data.dat"
    DetailPrint "Creating an empty catalogue in $DataFolder"
    nsExec::ExecToLog '"$INSTDIR\quillon-catalogue.exe" init "$DataFolder"'
    Pop $0
    ${If} $0 != 0
      MessageBox MB_OK|MB_ICONSTOP "Setup could not create the catalogue data.dat in $DataFolder.$\r$\nPlease check that the folder can be written and run Setup again." /SD IDOK
      SetErrorLevel 2
      Abort
    ${EndIf}
  ${EndIf}
  SetOutPath "$DataFolder"
  SetOverwrite ifnewer
  File "/oname=help.chm" "${HELP_FILE}"
  SetOverwrite on
  SetOutPath "$INSTDIR"
FunctionEnd

Function StartProgram
  Exec '"$INSTDIR\quillon.exe"'
FunctionEnd

Function un.onInit
  SetShellVarContext current
  StrCpy $DataFolder "$APPDATA\${DATA_SUBFOLDER}"
FunctionEnd

Function un.DataPage
  !insertmacro MUI_HEADER_TEXT "Remove ${PRODUCT}" "Your catalogue is kept unless you choose otherwise."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 52u "Setup will remove ${PRODUCT} from $INSTDIR.$\r$\n$\r$\nYour catalogue (the tags and comments of your files) and your settings stay in $DataFolder, so that a later installation finds them again."
  Pop $0
  ${NSD_CreateCheckbox} 0 64u 100% 24u "&Delete my catalogue and settings too. The tags and comments of all my files will be lost."
  Pop $DeleteDataBox
  ${NSD_SetState} $DeleteDataBox $DeleteData
  nsDialogs::Show
FunctionEnd

Function un.DataPageLeave
  ${NSD_GetState} $DeleteDataBox $DeleteData
FunctionEnd

Section "Uninstall"
  Call un.CloseRunningProgram
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$SENDTO\${SENDTO_SHORTCUT}"
  DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  !insertmacro REMOVE_PROGRAM_FILES "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ${If} $DeleteData == ${BST_CHECKED}
    !insertmacro REMOVE_DATA_FILES "$DataFolder"
  ${EndIf}
SectionEnd
