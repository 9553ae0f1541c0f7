; Varolin's per-user installer: no administrator rights, the program folder under
; %LOCALAPPDATA%\Programs (the page files live beside the program, so it must stay writable).
; Paths are relative to this folder (makensis works from it).
; makensis -INPUTCHARSET UTF8 -DVERSION=x.y.z -DFILES=<folder with Varolin.exe, Varolin.chm,
;   Varolin.en.chm, README.txt> -DOUTFILE=<setup.exe> Varolin.nsi
Unicode true
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma

!ifndef VERSION | FILES | OUTFILE
  !error "VERSION, FILES and OUTFILE must be defined"
!endif

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Varolin"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "Software\Ovelia\Varolin"
!define ID_BAR_EXIT 32773
; How long an upgrade or uninstall waits for a running bar to end before it asks (or, when
; silent, gives up with exit code 3).
!ifndef CLOSE_WAIT_SECONDS
  !define CLOSE_WAIT_SECONDS 30
!endif

Name "Varolin ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Varolin"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show
BrandingText "Varolin ${VERSION}"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "WinMessages.nsh"

!define MUI_ICON "../src/res/Varolin.ico"
!define MUI_UNICON "../src/res/Varolin.ico"
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Varolin.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES
; The pages follow the user's UI language; the first one inserted is used for every language
; but Japanese.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

LangString CLOSING_BAR ${LANG_ENGLISH} "Closing the running Varolin..."
LangString CLOSING_BAR ${LANG_JAPANESE} "起動中の Varolin を終了しています..."
LangString BAR_DOES_NOT_END ${LANG_ENGLISH} "Varolin does not end. Exit Varolin, then click Retry."
LangString BAR_DOES_NOT_END ${LANG_JAPANESE} "Varolin が終了しません。Varolin を終了してから [再試行] を押してください。"
LangString ABORTED_BAR_RUNS ${LANG_ENGLISH} "Canceled because Varolin is running."
LangString ABORTED_BAR_RUNS ${LANG_JAPANESE} "Varolin が起動中のため中止しました。"
LangString SEC_AUTOSTART ${LANG_ENGLISH} "Start Varolin at sign-in"
LangString SEC_AUTOSTART ${LANG_JAPANESE} "サインイン時に Varolin を起動する"
LangString SEC_DATA ${LANG_ENGLISH} "Also delete the buttons (page files) and settings"
LangString SEC_DATA ${LANG_JAPANESE} "ボタン（ページ ファイル）と設定も削除する"

VIProductVersion "${VERSION}.0"
!macro VERSION_KEYS LANG DESCRIPTION
  VIAddVersionKey /LANG=${LANG} "ProductName" "Varolin"
  VIAddVersionKey /LANG=${LANG} "CompanyName" "Ovelia"
  VIAddVersionKey /LANG=${LANG} "LegalCopyright" "Ovelia"
  VIAddVersionKey /LANG=${LANG} "FileDescription" "${DESCRIPTION}"
  VIAddVersionKey /LANG=${LANG} "FileVersion" "${VERSION}"
  VIAddVersionKey /LANG=${LANG} "ProductVersion" "${VERSION}"
!macroend
!insertmacro VERSION_KEYS ${LANG_ENGLISH} "Varolin Setup"
!insertmacro VERSION_KEYS ${LANG_JAPANESE} "Varolin セットアップ"

; Ends a running Varolin of $INSTDIR through its own Exit command, so it saves its state and
; asks about a copy in progress as when the user ends it. The bar is the unowned dialog window
; of a process whose image is $INSTDIR\Varolin.exe. Never kills it: when it does not end, the
; user may retry, and a silent run stops with exit code 3.
!macro CLOSE_RUNNING_BAR un
Function ${un}CloseRunningBar
  StrCpy $R0 0
  ${Do}
    FindWindow $R0 "#32770" "" 0 $R0
    ${If} $R0 == 0
      ${Break}
    ${EndIf}
    System::Call 'user32::GetWindow(p R0, i 4) p .R1'
    ${If} $R1 != 0
      ${Continue}
    ${EndIf}
    System::Call 'user32::GetWindowThreadProcessId(p R0, *i .R2)'
    ; PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE
    System::Call 'kernel32::OpenProcess(i 0x101000, i 0, i R2) p .R3'
    ${If} $R3 == 0
      ${Continue}
    ${EndIf}
    System::Call 'kernel32::QueryFullProcessImageNameW(p R3, i 0, w .R4, *i ${NSIS_MAX_STRLEN})'
    ${If} $R4 != "$INSTDIR\Varolin.exe"
      System::Call 'kernel32::CloseHandle(p R3)'
      ${Continue}
    ${EndIf}
    DetailPrint "$(CLOSING_BAR)"
    ; Posted: the bar may ask the user before it ends.
    System::Call 'user32::PostMessageW(p R0, i ${WM_COMMAND}, p ${ID_BAR_EXIT}, p 0)'
    ${Do}
      ; WAIT_OBJECT_0 is 0
      System::Call 'kernel32::WaitForSingleObject(p R3, i ${CLOSE_WAIT_SECONDS}000) i .R5'
      ${If} $R5 == 0
        ${Break}
      ${EndIf}
      ${If} ${Silent}
        System::Call 'kernel32::CloseHandle(p R3)'
        SetErrorLevel 3
        Quit
      ${EndIf}
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(BAR_DOES_NOT_END)" /SD IDCANCEL IDRETRY +3
      System::Call 'kernel32::CloseHandle(p R3)'
      Abort "$(ABORTED_BAR_RUNS)"
      System::Call 'user32::PostMessageW(p R0, i ${WM_COMMAND}, p ${ID_BAR_EXIT}, p 0)'
    ${Loop}
    System::Call 'kernel32::CloseHandle(p R3)'
    StrCpy $R0 0
  ${Loop}
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_BAR ""
!insertmacro CLOSE_RUNNING_BAR "un."

Section "Varolin" SecProgram
  SectionIn RO
  Call CloseRunningBar
  SetOutPath "$INSTDIR"
  File "${FILES}\Varolin.exe"
  File "${FILES}\Varolin.chm"
  File "${FILES}\Varolin.en.chm"
  File "${FILES}\README.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Varolin.lnk" "$INSTDIR\Varolin.exe" "" "$INSTDIR\Varolin.exe" 0
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Varolin"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Ovelia"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\Varolin.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Off by default; an upgrade keeps what the user chose before (see .onInit). /AUTOSTART turns it
; on for a silent install.
Section /o "$(SEC_AUTOSTART)" SecAutostart
  WriteRegStr HKCU "${RUN_KEY}" "Varolin" '"$INSTDIR\Varolin.exe"'
SectionEnd

Section "-Autostart off"
  ${IfNot} ${SectionIsSelected} ${SecAutostart}
    DeleteRegValue HKCU "${RUN_KEY}" "Varolin"
  ${EndIf}
SectionEnd

!include "FileFunc.nsh"
Function .onInit
  ReadRegStr $0 HKCU "${RUN_KEY}" "Varolin"
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/AUTOSTART" $2
  ${If} $0 != ""
  ${OrIfNot} ${Errors}
    SectionSetFlags ${SecAutostart} ${SF_SELECTED}
  ${EndIf}
FunctionEnd

Section "un.Varolin" UnSecProgram
  SectionIn RO
  Call un.CloseRunningBar
  Delete "$INSTDIR\Varolin.exe"
  Delete "$INSTDIR\Varolin.chm"
  Delete "$INSTDIR\Varolin.en.chm"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\uninstall.exe"
  Delete "$SMPROGRAMS\Varolin.lnk"
  DeleteRegValue HKCU "${RUN_KEY}" "Varolin"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

; Only when the user asks: the pages' buttons and the settings.
Section /o "un.$(SEC_DATA)" UnSecData
  Delete "$INSTDIR\GRP*.VRL"
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Ovelia"
SectionEnd

Section "-un.Folder"
  ; Removed only when empty: page files keep it.
  RMDir "$INSTDIR"
SectionEnd
