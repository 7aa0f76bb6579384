; The Windows installer of Chronodex, made with NSIS (makensis) by the build's "setup" target:
;   makensis -DVERSION=0.0.3 -DPUBLISHER=... -DWEBSITE=... -DPROGRAM=chronodex.exe
;            -DHELP=Help.html -DICON=chronodex.ico -DOUTFILE=Chronodex-0.0.3-setup.exe chronodex.nsi
;
; With administrator rights it installs for every user of the machine into
; Program Files\Chronodex; without them, for the user alone into %LOCALAPPDATA%\Programs\Chronodex.
; It adds a Start-menu shortcut, an entry in Explorer's "Send to" menu (Explorer hands every
; selected file to one program), an Explorer context-menu item for a file or a folder, and an
; entry in "Apps & features" whose uninstaller takes all of it away again. /S installs and
; uninstalls without asking; /D=FOLDER (last on the command line) installs elsewhere.

Unicode true
Target amd64-unicode ; the program is 64-bit: one view of the registry and of Program Files
ManifestDPIAware true
SetCompressor /SOLID lzma
RequestExecutionLevel highest

!include LogicLib.nsh
!include MUI2.nsh

!define APP "Chronodex"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"
; The verb that Explorer's context menu shows for one file or folder.
!define VERB "Software\Classes\*\shell\${APP}"
!define FOLDER_VERB "Software\Classes\Directory\shell\${APP}"

Name "${APP} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${APP} ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\chronodex.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${APP}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${APP} ${VERSION} setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "${PUBLISHER}"

; For every user with administrator rights, else for the one who runs it. $INSTDIR is kept
; when /D gave it.
Function .onInit
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 == "Admin"
    SetShellVarContext all
    ${If} $INSTDIR == ""
      StrCpy $INSTDIR "$PROGRAMFILES64\${APP}"
    ${EndIf}
  ${Else}
    SetShellVarContext current
    ${If} $INSTDIR == ""
      GetKnownFolderPath $INSTDIR {5CD7AEE2-2219-4A67-B85D-6C9CE15660CB} ; UserProgramFiles
      ${If} $INSTDIR == ""
        StrCpy $INSTDIR "$LOCALAPPDATA\Programs"
      ${EndIf}
      StrCpy $INSTDIR "$INSTDIR\${APP}"
    ${EndIf}
  ${EndIf}
FunctionEnd

; A verb for Explorer's context menu: "Chronodex" with the program's icon, for one item (a
; verb with "%1" would start one program per selected item; "Send to" takes many at once).
!macro Verb KEY
  WriteRegStr SHCTX "${KEY}" "" "Show dates in ${APP}"
  WriteRegStr SHCTX "${KEY}" "Icon" '"$INSTDIR\chronodex.exe",0'
  WriteRegStr SHCTX "${KEY}" "MultiSelectModel" "Single"
  WriteRegStr SHCTX "${KEY}\command" "" '"$INSTDIR\chronodex.exe" "%1"'
!macroend

Section "Chronodex"
  SetOutPath "$INSTDIR"
  File "/oname=chronodex.exe" "${PROGRAM}"
  File "/oname=Help.html" "${HELP}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortCut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\chronodex.exe" "" \
    "$INSTDIR\chronodex.exe" 0 SW_SHOWNORMAL "" "Show and set the dates of files"
  ; Send to is a folder of the user's own: every user who wants it installs it once.
  CreateShortCut "$SENDTO\${APP}.lnk" "$INSTDIR\chronodex.exe" "" "$INSTDIR\chronodex.exe" 0
  !insertmacro Verb "${VERB}"
  !insertmacro Verb "${FOLDER_VERB}"

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${APP}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "URLInfoAbout" "${WEBSITE}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\chronodex.exe",0'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize 0 $0
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; The uninstaller works in the context it was installed in: for every user when the
; machine's entry names its folder.
Function un.onInit
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Delete "$INSTDIR\chronodex.exe"
  Delete "$INSTDIR\Help.html"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${APP}.lnk"
  Delete "$SENDTO\${APP}.lnk"
  DeleteRegKey SHCTX "${VERB}"
  DeleteRegKey SHCTX "${FOLDER_VERB}"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
