; The Tarvok setup program: per user, without administrator rights, in
; English, Russian or German as the system's language is. scripts/dist.sh
; builds it with makensis from the same folder the zip is made of, and
; passes:
;   VERSION       the program's version, e.g. 1.50
;   VERSION_QUAD  the same with four parts, for the version record
;   SOURCE        the folder of the files that ship (dist/)
;   FILES         the list of those files (the TARVOK_FILES macro)
;   ICON          the program's icon
;   OUTFILE       where to write the setup program
;   PACKAGE       x64 or x86: the package the files are of
;
; Silent use (documented in readme.txt):
;   setup.exe /S [/StartWithWindows=1|0] [/D=folder]
;   uninstall.exe /S [/RemoveSettings]
; The exit code says why a setup did nothing (see the Fail codes below).

; The x64 package's setup is a 64-bit program, like the Tarvok it installs;
; 32-bit Windows refuses to start it. The x86 package's is 32-bit.
; Either setup also upgrades an installation of the other package in place:
; it removes that package's own files, which this one lacks (they would stay
; behind, and keep the folder after the uninstall).
!if "${PACKAGE}" == "x64"
  Target amd64-unicode
  !macro OTHER_PACKAGE_FILES ACTION
    !insertmacro ${ACTION} "tarvok64.exe"
  !macroend
!else if "${PACKAGE}" == "x86"
  Unicode true
  !macro OTHER_PACKAGE_FILES ACTION
    !insertmacro ${ACTION} "tarvok32.exe"
  !macroend
!else
  !error "PACKAGE must be x64 or x86, not '${PACKAGE}'"
!endif
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma
; A file that cannot be written must stop the setup: with skipping allowed,
; a silent setup would leave the old file and still report success.
AllowSkipFiles off

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WordFunc.nsh
!include nsDialogs.nsh
!include "${FILES}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarvok"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "Software\Quorvane\Tarvok\2.0"
; HKCU\Software is one for 32- and 64-bit programs (WOW64 redirects none of
; these keys): both packages share the settings, the uninstall entry and the
; Run value, and their setups the per-user folder.
!define PUBLISHER "Quorvane"
!define SETUP_MUTEX "Tarvok.Setup"
; Files in use are moved here (or beside themselves) to be deleted later.
!define ASIDE_FOLDER "$TEMP\Tarvok-replaced"
!define ASIDE_SUFFIX ".replaced"
; tarvok.exe keeps its folder in registry texts of at most 199 characters,
; the longest being the autorun entry, the quoted path of tarvok.exe
; (13 characters more than the folder): a longer folder would run without
; its log, its language files or its autorun entry.
!define MAX_FOLDER_CHARS 186

; Exit codes besides NSIS's own (0 done, 1 cancelled by the user).
!define EXIT_FAILED 2
!define EXIT_SETUP_RUNNING 3
!define EXIT_NEWER_INSTALLED 4
!define EXIT_FOLDER_TOO_LONG 5
!define EXIT_FOLDER_NOT_WRITABLE 6
!define EXIT_DISK_FULL 7
!define EXIT_STILL_RUNNING 8

; Exit codes of "tarvok.exe /exit".
!define TARVOK_ENDED 0
!define TARVOK_NOT_RUNNING 1

Name "Tarvok"
Caption "$(SetupCaption)"
UninstallCaption "$(UninstallCaption)"
BrandingText "Tarvok ${VERSION}"
OutFile "${OUTFILE}"
; No InstallDir: .onInit chooses the folder unless /D= gave one.

VIProductVersion "${VERSION_QUAD}"
VIFileVersion "${VERSION_QUAD}"

Var StartWithWindows   ; 1: write the Run value, 0: remove it
Var TarvokWasRunning   ; 1: the setup ended a running Tarvok, start it again
Var RemoveSettings     ; uninstaller: 1 also removes the settings key and log.txt
Var Failures           ; uninstaller: files that could not be removed
Var CheckBox
Var OldFolder          ; the installation being replaced, when in another folder

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!define MUI_WELCOMEPAGE_TEXT "$(WelcomeText)"
!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
!insertmacro MUI_PAGE_DIRECTORY
Page custom OptionsPageShow OptionsPageLeave
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "$(StartNow)"
!define MUI_FINISHPAGE_RUN_FUNCTION StartTarvok
!insertmacro MUI_PAGE_FINISH

UninstPage custom un.RemovePageShow un.RemovePageLeave
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the one used where the system's is not shipped.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Russian"
!insertmacro MUI_LANGUAGE "German"
!include "strings.nsh"

VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Tarvok"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Tarvok Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"

; ---- Shared by the setup and the uninstaller (NSIS wants them twice) ----

; Shows the reason, sets the exit code and ends the setup. In a section the
; page shows the details; elsewhere the setup ends at once.
!macro Fail CODE TEXT
  MessageBox MB_OK|MB_ICONSTOP "${TEXT}" /SD IDOK
  SetErrorLevel ${CODE}
  Quit
!macroend

!macro SHARED_FUNCTIONS un
  ; Only one setup or uninstaller at a time: two would replace and remove the
  ; same files under each other. The handle stays open until this one ends.
  Function ${un}RefuseSecondSetup
    System::Call 'kernel32::CreateMutexW(p 0, i 0, w "${SETUP_MUTEX}") p .r0 ?e'
    Pop $1
    ${If} $1 = 183  ; ERROR_ALREADY_EXISTS
      !insertmacro Fail ${EXIT_SETUP_RUNNING} "$(SetupRunning)"
    ${EndIf}
  FunctionEnd

  ; Asks a running Tarvok to run its own Exit (hooks and tray icon gone) and
  ; waits until it has ended, through the tarvok.exe in $0. Sets
  ; $TarvokWasRunning. A copy that does not end (one of its message boxes
  ; waits for the user) is never killed: the user may close it and retry.
  Function ${un}EndRunningTarvok
    StrCpy $TarvokWasRunning 0
    IfFileExists $0 0 done
    retry:
      ClearErrors
      ExecWait '"$0" /exit' $1
      IfErrors done  ; it cannot run, so it cannot be running from here either
      ${If} $1 = ${TARVOK_ENDED}
        StrCpy $TarvokWasRunning 1
      ${ElseIf} $1 <> ${TARVOK_NOT_RUNNING}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(StillRunning)" /SD IDCANCEL IDRETRY retry
        !insertmacro Fail ${EXIT_STILL_RUNNING} "$(StillRunningGiveUp)"
      ${EndIf}
    done:
  FunctionEnd

  ; Makes way for a file: deletes $0, or, when it is in use (a hook library
  ; stays loaded in programs after the hooks are gone, and no per-user setup
  ; may replace a file at the next restart), moves it into the aside folder
  ; or, on another drive, beside itself. Sets the error flag when $0 is still
  ; there afterwards.
  Function ${un}ClearWay
    ClearErrors
    IfFileExists $0 0 gone
    Delete $0
    IfFileExists $0 0 gone
    CreateDirectory "${ASIDE_FOLDER}"
    GetTempFileName $1 "${ASIDE_FOLDER}"
    Delete $1
    ClearErrors
    Rename $0 $1
    IfFileExists $0 0 gone
    StrCpy $2 1
    ${Do}
      IfFileExists "$0.$2${ASIDE_SUFFIX}" next
      ClearErrors
      Rename $0 "$0.$2${ASIDE_SUFFIX}"
      ${Break}
      next:
      IntOp $2 $2 + 1
    ${LoopUntil} $2 > 99
    IfFileExists $0 0 gone
    SetErrors
    Return
    gone:
    ClearErrors
  FunctionEnd

  ; Deletes what earlier setups had to move aside, as far as it is no
  ; longer in use.
  Function ${un}DeleteMovedAside
    Delete "${ASIDE_FOLDER}\*.*"
    RMDir "${ASIDE_FOLDER}"
    Delete "$INSTDIR\*${ASIDE_SUFFIX}"
    !insertmacro TARVOK_FOLDERS DeleteMovedAsideIn
  FunctionEnd
!macroend

!macro DeleteMovedAsideIn FOLDER
  Delete "$INSTDIR\${FOLDER}\*${ASIDE_SUFFIX}"
!macroend

!insertmacro SHARED_FUNCTIONS ""
!insertmacro SHARED_FUNCTIONS "un."

; ---- Setup ----

; The folder of the installed Tarvok, from its uninstall entry, in $0 (""
; when there is none). Written quoted; earlier setups wrote it bare. The
; quotes come off before the value reaches $INSTDIR, which NSIS would clean
; of them and of the drive's colon behind them.
Function ReadInstalledFolder
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  StrCpy $1 $0 1
  StrCpy $2 $0 "" -1
  ${If} $1 == '"'
  ${AndIf} $2 == '"'
    StrCpy $0 $0 -1 1
  ${EndIf}
FunctionEnd

Function .onInit
  Call RefuseSecondSetup

  ; The choice starts as the options window shows it: ticked when a Run
  ; value exists.
  ReadRegStr $0 HKCU "${RUN_KEY}" "Tarvok"
  ${If} $0 == ""
    StrCpy $StartWithWindows 0
  ${Else}
    StrCpy $StartWithWindows 1
  ${EndIf}
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/StartWithWindows=" $2
  ${IfNot} ${Errors}
    ${If} $2 == 1
      StrCpy $StartWithWindows 1
    ${Else}
      StrCpy $StartWithWindows 0
    ${EndIf}
  ${EndIf}

  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "DisplayVersion"
  ${If} $0 != ""
    ${VersionCompare} $0 "${VERSION}" $1
    ${If} $1 = 1  ; the installed one is newer
      MessageBox MB_YESNO|MB_ICONEXCLAMATION|MB_DEFBUTTON2 "$(NewerInstalled)" /SD IDNO IDYES older_wanted
      SetErrorLevel ${EXIT_NEWER_INSTALLED}
      Quit
      older_wanted:
    ${EndIf}
  ${EndIf}

  ; /D= sets the folder before this runs and must win. NSIS drops a /D=
  ; folder it finds unusable (on a missing drive, below a file) and takes
  ; it out of $CMDLINE: installing elsewhere instead would go unnoticed.
  ${If} $INSTDIR == ""
    System::Call 'kernel32::GetCommandLineW() t .r0'
    ClearErrors
    ${GetOptions} $0 "/D=" $1
    ${IfNot} ${Errors}
      StrCpy $INSTDIR $1
      !insertmacro Fail ${EXIT_FOLDER_NOT_WRITABLE} "$(FolderNotWritable)"
    ${EndIf}
    Call ReadInstalledFolder
    StrCpy $INSTDIR $0
  ${EndIf}
  ${If} $INSTDIR == ""
    GetKnownFolderPath $INSTDIR {5CD7AEE2-2219-4A67-B85D-6C9CE15660CB}  ; FOLDERID_UserProgramFiles
    ${If} $INSTDIR == ""
      StrCpy $INSTDIR "$LOCALAPPDATA\Programs"
    ${EndIf}
    StrCpy $INSTDIR "$INSTDIR\Tarvok"
  ${EndIf}
FunctionEnd

; Whether the path on the stack names an existing folder: 1 or 0. Unlike
; IfFileExists "path\*.*" it also knows an empty drive, which holds no "."
; entry to match.
Function IsFolder
  Exch $0
  System::Call 'kernel32::GetFileAttributesW(w "$0\") i .r0'
  ${If} $0 <> -1
  ${AndIf} $0 & 0x10  ; FILE_ATTRIBUTE_DIRECTORY
    StrCpy $0 1
  ${Else}
    StrCpy $0 0
  ${EndIf}
  Exch $0
FunctionEnd

; The checks that need the chosen folder. Sets $0 to 0 when the folder will
; do, else to the exit code, with the reason in $1.
Function CheckInstallFolder
  StrCpy $0 0
  StrLen $2 $INSTDIR
  ${If} $2 > ${MAX_FOLDER_CHARS}
    StrCpy $0 ${EXIT_FOLDER_TOO_LONG}
    StrCpy $1 "$(FolderTooLong)"
    Return
  ${EndIf}

  ; Nothing is created before the setup runs: the nearest folder that
  ; exists stands for the one to come (same drive, same rights).
  StrCpy $3 $INSTDIR
  ${Do}
    Push $3
    Call IsFolder
    Pop $4
    ${IfThen} $4 = 1 ${|} ${ExitDo} ${|}
    ${GetParent} $3 $4
    ${If} $4 == $3
    ${OrIf} $4 == ""
      StrCpy $0 ${EXIT_FOLDER_NOT_WRITABLE}
      StrCpy $1 "$(FolderNotWritable)"
      Return
    ${EndIf}
    StrCpy $3 $4
  ${Loop}
  ClearErrors
  FileOpen $4 "$3\tarvok-setup-write-test.tmp" w
  ${If} ${Errors}
    StrCpy $0 ${EXIT_FOLDER_NOT_WRITABLE}
    StrCpy $1 "$(FolderNotWritable)"
    Return
  ${EndIf}
  FileClose $4
  Delete "$3\tarvok-setup-write-test.tmp"

  ; The interactive directory page checks the space too, a silent setup
  ; does not.
  System::Call 'kernel32::GetDiskFreeSpaceExW(w "$3\", *l .r5, p 0, p 0) i .r6'
  ${If} $6 <> 0
    SectionGetSize 0 $7  ; KiB
    System::Int64Op $7 * 1024
    Pop $7
    System::Int64Op $5 < $7
    Pop $8
    ${If} $8 = 1
      StrCpy $0 ${EXIT_DISK_FULL}
      StrCpy $1 "$(DiskFull)"
    ${EndIf}
  ${EndIf}
FunctionEnd

Function DirectoryLeave
  Call CheckInstallFolder
  ${If} $0 <> 0
    MessageBox MB_OK|MB_ICONEXCLAMATION $1
    Abort  ; stay on the page
  ${EndIf}
FunctionEnd

Function OptionsPageShow
  !insertmacro MUI_HEADER_TEXT "$(OptionsTitle)" "$(OptionsSubtitle)"
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateCheckbox} 0 0 100% 12u "$(StartWithWindows)"
  Pop $CheckBox
  ${If} $StartWithWindows = 1
    ${NSD_Check} $CheckBox
  ${EndIf}
  ${NSD_CreateLabel} 0 20u 100% 36u "$(StartWithWindowsNote)"
  Pop $0
  nsDialogs::Show
FunctionEnd

Function OptionsPageLeave
  ${NSD_GetState} $CheckBox $0
  ${If} $0 = ${BST_CHECKED}
    StrCpy $StartWithWindows 1
  ${Else}
    StrCpy $StartWithWindows 0
  ${EndIf}
FunctionEnd

Function StartTarvok
  Exec '"$INSTDIR\tarvok.exe"'
FunctionEnd

; Deletes or moves aside the file of that name in the folder, or fails.
!macro MakeWay NAME
  StrCpy $0 "$INSTDIR\${NAME}"
  Call ClearWay
  ${If} ${Errors}
    !insertmacro Fail ${EXIT_FAILED} "$(CannotReplace)"
  ${EndIf}
!macroend

!macro InstallFile NAME SOURCE_PATH
  !insertmacro MakeWay "${NAME}"
  ClearErrors
  File "/oname=${NAME}" "${SOURCE}/${SOURCE_PATH}"
  ${If} ${Errors}
  ${OrIfNot} ${FileExists} $0
    !insertmacro Fail ${EXIT_FAILED} "$(CannotWrite)"
  ${EndIf}
!macroend

!macro CreateFolder FOLDER
  CreateDirectory "$INSTDIR\${FOLDER}"
!macroend

!macro RemoveOldFile NAME
  StrCpy $0 "$OldFolder\${NAME}"
  Call ClearWay
  ${If} ${Errors}
    DetailPrint "$(CannotRemove)"
  ${EndIf}
!macroend
!macro RemoveOldPackageFile NAME SOURCE_PATH
  !insertmacro RemoveOldFile "${NAME}"
!macroend
!macro RemoveOldFolder FOLDER
  RMDir "$OldFolder\${FOLDER}"
!macroend

; An installation in another folder goes once this one is complete, as its
; uninstaller would remove it: its files by name (of either package), its
; empty folders, while log.txt and whatever the user put there stay.
; Otherwise the two copies would both start after the next logon. A file
; still in use is moved aside like one being replaced; one that cannot go
; is reported and left, as the new installation works without it.
Function RemoveOldInstallation
  ${If} $OldFolder == ""
  ${OrIf} $OldFolder == $INSTDIR
    Return
  ${EndIf}
  ; The same folder may be named in another way (a short name, another
  ; drive letter for it, a link): a file put into the new folder shows
  ; whether the old name reaches it.
  StrCpy $0 "$INSTDIR\setup-folder-check.tmp"
  FileOpen $1 $0 w
  FileClose $1
  ${If} ${FileExists} "$OldFolder\setup-folder-check.tmp"
    Delete $0
    Return
  ${EndIf}
  Delete $0
  !insertmacro TARVOK_FILES RemoveOldPackageFile
  !insertmacro OTHER_PACKAGE_FILES RemoveOldFile
  !insertmacro RemoveOldFile "uninstall.exe"
  Push $INSTDIR
  StrCpy $INSTDIR $OldFolder
  Call DeleteMovedAside
  Pop $INSTDIR
  !insertmacro TARVOK_FOLDERS RemoveOldFolder
  RMDir $OldFolder
FunctionEnd

!macro DeleteShortcut NAME
  Delete "$SMPROGRAMS\Tarvok\${NAME}.lnk"
!macroend

Section "Tarvok" SectionTarvok
  SectionIn RO
  SetShellVarContext current
  Call CheckInstallFolder
  ${If} $0 <> 0
    !insertmacro Fail $0 $1
  ${EndIf}
  Call ReadInstalledFolder
  StrCpy $OldFolder $0

  ; The Tarvok being installed knows how to ask the running one to end.
  InitPluginsDir
  File "/oname=$PLUGINSDIR\tarvok.exe" "${SOURCE}/tarvok.exe"
  StrCpy $0 "$PLUGINSDIR\tarvok.exe"
  Call EndRunningTarvok
  Delete "$PLUGINSDIR\tarvok.exe"
  Call DeleteMovedAside

  SetOutPath $INSTDIR
  Push $INSTDIR
  Call IsFolder
  Pop $0
  ${If} $0 <> 1
    !insertmacro Fail ${EXIT_FOLDER_NOT_WRITABLE} "$(FolderNotWritable)"
  ${EndIf}
  !insertmacro OTHER_PACKAGE_FILES MakeWay
  !insertmacro TARVOK_FOLDERS CreateFolder
  !insertmacro TARVOK_FILES InstallFile

  StrCpy $0 "$INSTDIR\uninstall.exe"
  Call ClearWay
  ClearErrors
  WriteUninstaller $0
  ${If} ${Errors}
  ${OrIfNot} ${FileExists} $0
    !insertmacro Fail ${EXIT_FAILED} "$(CannotWrite)"
  ${EndIf}

  ; The uninstall shortcut is named in the language of the setup that made
  ; it: one in another language would stay beside the new one.
  !insertmacro UNINSTALL_SHORTCUT_NAMES DeleteShortcut
  CreateDirectory "$SMPROGRAMS\Tarvok"
  CreateShortcut "$SMPROGRAMS\Tarvok\Tarvok.lnk" "$INSTDIR\tarvok.exe"
  CreateShortcut "$SMPROGRAMS\Tarvok\$(UninstallShortcut).lnk" "$INSTDIR\uninstall.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Tarvok"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" '"$INSTDIR"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\tarvok.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0

  ; Exactly the text the options window's check box writes and reads.
  ${If} $StartWithWindows = 1
    WriteRegStr HKCU "${RUN_KEY}" "Tarvok" '"$INSTDIR\tarvok.exe"'
  ${Else}
    DeleteRegValue HKCU "${RUN_KEY}" "Tarvok"
  ${EndIf}
  Call RemoveOldInstallation
SectionEnd

; The interactive setup offers "Start Tarvok now" on its last page; a silent
; one starts Tarvok again only if it ended the running copy.
Function .onInstSuccess
  ${If} ${Silent}
  ${AndIf} $TarvokWasRunning = 1
    Call StartTarvok
  ${EndIf}
FunctionEnd

; ---- Uninstaller ----

Function un.onInit
  Call un.RefuseSecondSetup
  StrCpy $RemoveSettings 0
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/RemoveSettings" $1
  ${IfNot} ${Errors}
    StrCpy $RemoveSettings 1
  ${EndIf}
FunctionEnd

Function un.RemovePageShow
  !insertmacro MUI_HEADER_TEXT "$(RemoveTitle)" "$(RemoveSubtitle)"
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 24u "$(RemoveFolder)"
  Pop $0
  ${NSD_CreateCheckbox} 0 32u 100% 12u "$(RemoveSettings)"
  Pop $CheckBox
  ${NSD_CreateLabel} 12u 48u -12u 36u "$(RemoveSettingsNote)"
  Pop $0
  nsDialogs::Show
FunctionEnd

Function un.RemovePageLeave
  ${NSD_GetState} $CheckBox $0
  ${If} $0 = ${BST_CHECKED}
    StrCpy $RemoveSettings 1
  ${Else}
    StrCpy $RemoveSettings 0
  ${EndIf}
FunctionEnd

!macro un.RemoveFile NAME SOURCE_PATH
  StrCpy $0 "$INSTDIR\${NAME}"
  Call un.ClearWay
  ${If} ${Errors}
    DetailPrint "$(CannotRemove)"
    IntOp $Failures $Failures + 1
  ${EndIf}
!macroend

!macro un.DeleteShortcut NAME
  Delete "$SMPROGRAMS\Tarvok\${NAME}.lnk"
!macroend

!macro un.RemoveFolder FOLDER
  RMDir "$INSTDIR\${FOLDER}"
!macroend

Section "Uninstall"
  SetShellVarContext current
  StrCpy $Failures 0
  StrCpy $0 "$INSTDIR\tarvok.exe"
  Call un.EndRunningTarvok
  Call un.DeleteMovedAside

  ; Only the files this setup put there, by name: the folder may hold the
  ; user's own files (a converter plug-in, the log).
  !insertmacro TARVOK_FILES un.RemoveFile
  !insertmacro TARVOK_FOLDERS un.RemoveFolder
  ${If} $Failures > 0
    ; Everything that names the installation stays, so that the user can
    ; run the uninstaller again once the files are free.
    !insertmacro Fail ${EXIT_FAILED} "$(CannotRemoveAll)"
  ${EndIf}

  Delete "$INSTDIR\uninstall.exe"
  Delete "$SMPROGRAMS\Tarvok\Tarvok.lnk"
  !insertmacro UNINSTALL_SHORTCUT_NAMES un.DeleteShortcut
  RMDir "$SMPROGRAMS\Tarvok"

  ; The Run value goes only when it starts this installation, not another
  ; copy of Tarvok the user keeps elsewhere.
  ReadRegStr $0 HKCU "${RUN_KEY}" "Tarvok"
  ${If} $0 == '"$INSTDIR\tarvok.exe"'
  ${OrIf} $0 == "$INSTDIR\tarvok.exe"
    DeleteRegValue HKCU "${RUN_KEY}" "Tarvok"
  ${EndIf}
  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  ; log.txt is the history of the user's calculations: it goes with the
  ; settings, not with the program.
  ${If} $RemoveSettings = 1
    Delete "$INSTDIR\log.txt"
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "Software\Quorvane\Tarvok"
    DeleteRegKey /ifempty HKCU "Software\Quorvane"
  ${EndIf}
  RMDir $INSTDIR
SectionEnd
