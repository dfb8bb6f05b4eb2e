; The installer of Zirvane and Tessel: the 64-bit programs (with the 32-bit
; companion) on 64-bit Windows, the 32-bit ones on 32-bit Windows.
; Built by scripts/package.sh, which passes:
;   VERSION   the build's version number (x.y.z)
;   DIST32    dist/win32        DIST64   dist/win64
;   LIST32    LIST64            generated .nsh files that delete what each
;                               dist folder installs, for the uninstaller
;   OUTFILE   the setup program to write
;   AMD64     (optional) a 64-bit setup program, for testing on machines
;             that run no 32-bit programs; the shipped one is 32-bit so that
;             it runs on every Windows
; Command line, besides NSIS's own /S and /D=folder:
;   /AUTOSTART  also start Zirvane with Windows (the Startup page's Run value)

!ifdef AMD64
Target amd64-unicode
; Where it runs is known when it is built: the 32-bit branches go unused.
!pragma warning disable 6012
!else
Unicode true
!endif
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include MUI2.nsh
!include LogicLib.nsh
!include x64.nsh
!include FileFunc.nsh
!include WinMessages.nsh

!define PRODUCT "Zirvane and Tessel"
!define MENU_FOLDER "${PRODUCT}"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\ZirvaneTessel"
!define RUN_KEY "SOFTWARE\Microsoft\Windows\CurrentVersion\Run"
; The loader's hidden window and its unload command.
!define LOADER_CLASS "#32770"
!define LOADER_TITLE "Zirvane"
!define LOADER_UNLOAD 32772
; The Users group, by its well-known SID so that any language's name works.
!define USERS_SID "*S-1-5-32-545"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "FileDescription" "${PRODUCT} setup"
VIAddVersionKey "FileVersion" "${VERSION}.0"
VIAddVersionKey "ProductVersion" "${VERSION}.0"
VIAddVersionKey "LegalCopyright" "Copyright (C) 2026 the Zirvane and Tessel developers"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\zrvload.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Zirvane now"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Asks a running loader (and with it its companion) to unload, and waits for
; its window to go so that its files can be replaced or removed.
!macro UnloadRunningLoader un
Function ${un}UnloadRunningLoader
    Push $0
    Push $1
    StrCpy $1 0
    loop:
        FindWindow $0 "${LOADER_CLASS}" "${LOADER_TITLE}"
        IntCmp $0 0 done
        IntCmp $1 0 0 +2 +2
            SendMessage $0 ${WM_COMMAND} ${LOADER_UNLOAD} 0 /TIMEOUT=5000
        IntOp $1 $1 + 1
        IntCmp $1 50 done
        Sleep 100
        Goto loop
    done:
    ; The loader waits for its companion before it ends; give both a moment.
    Sleep 500
    ; Programs that ran the hooks let the library go at their next message.
    SendMessage ${HWND_BROADCAST} ${WM_NULL} 0 0 /TIMEOUT=500
    Pop $1
    Pop $0
FunctionEnd
!macroend
!insertmacro UnloadRunningLoader ""
!insertmacro UnloadRunningLoader "un."

; Creates a settings file in the Windows folder unless it is there, and lets
; the Users group change it: the loader writes its settings unelevated, and
; every program reads them.
!macro SettingsFile name
    ${IfNot} ${FileExists} "$WINDIR\${name}"
        FileOpen $0 "$WINDIR\${name}" w
        FileClose $0
    ${EndIf}
    nsExec::Exec 'icacls "$WINDIR\${name}" /grant ${USERS_SID}:M'
    Pop $0
!macroend

; The bar's own files and its skins are the user's to change: the program
; list editor saves programs.prg, the bar's skin choice lives in tessel.tsi
; and the designer writes skins under Skins. Only these are opened to the
; Users group, not the folder itself, so nobody can put a file of their own
; beside the programs; the bar rewrites its two files in place there.
!macro UserFile path
    nsExec::Exec 'icacls "${path}" /grant ${USERS_SID}:M'
    Pop $0
!macroend
!macro UserFolder path
    nsExec::Exec 'icacls "${path}" /grant ${USERS_SID}:(OI)(CI)M /T'
    Pop $0
!macroend

Section "!${PRODUCT}" SecMain
    SectionIn RO
    Call UnloadRunningLoader
    SetOutPath "$INSTDIR"
    ${If} ${RunningX64}
        File /r "${DIST64}\*.*"
    ${Else}
        File /r "${DIST32}\*.*"
    ${EndIf}
    WriteUninstaller "$INSTDIR\uninstall.exe"
    !insertmacro UserFile "$INSTDIR\programs.prg"
    !insertmacro UserFile "$INSTDIR\tessel.tsi"
    !insertmacro UserFolder "$INSTDIR\Skins"

    !insertmacro SettingsFile "Zirvane.ini"
    !insertmacro SettingsFile "Zirvane2.ini"
    ; Where the Startup page finds the loader for its Run value.
    WriteINIStr "$WINDIR\Zirvane.ini" "INSTALLED" "DIR" "$INSTDIR"

    SetShellVarContext all
    CreateDirectory "$SMPROGRAMS\${MENU_FOLDER}"
    SetOutPath "$INSTDIR"
    CreateShortcut "$SMPROGRAMS\${MENU_FOLDER}\Zirvane.lnk" "$INSTDIR\zrvload.exe"
    CreateShortcut "$SMPROGRAMS\${MENU_FOLDER}\Tessel.lnk" "$INSTDIR\tessel.exe"
    ${If} ${FileExists} "$INSTDIR\tesseldes.exe"
        CreateShortcut "$SMPROGRAMS\${MENU_FOLDER}\Tessel Skin Designer.lnk" "$INSTDIR\tesseldes.exe"
    ${EndIf}
    CreateShortcut "$SMPROGRAMS\${MENU_FOLDER}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\uninstall.exe"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\zrvload.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section /o "Start Zirvane with Windows" SecAutostart
    ; The value the Startup page writes and removes.
    WriteRegStr HKCU "${RUN_KEY}" "Zirvane" "$INSTDIR\zrvload.exe"
SectionEnd

Function .onInit
    ${If} $INSTDIR == ""
        ${If} ${RunningX64}
            StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
        ${Else}
            StrCpy $INSTDIR "$PROGRAMFILES\${PRODUCT}"
        ${EndIf}
    ${EndIf}
    ${If} ${RunningX64}
        SetRegView 64
    ${EndIf}
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/AUTOSTART" $1
    ${IfNot} ${Errors}
        SectionGetFlags ${SecAutostart} $1
        IntOp $1 $1 | ${SF_SELECTED}
        SectionSetFlags ${SecAutostart} $1
    ${EndIf}
FunctionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${SecMain} "Zirvane (window effects), the Tessel bar and its skin designer."
    !insertmacro MUI_DESCRIPTION_TEXT ${SecAutostart} "Load Zirvane's effects each time you log on."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function un.onInit
    ${If} ${RunningX64}
        SetRegView 64
    ${EndIf}
FunctionEnd

; Programs that ran a hook of the library keep it mapped until their next
; message after the unload: give them a moment before giving up on a file.
!macro DeleteLibrary path
    StrCpy $1 0
    ${Do}
        ClearErrors
        Delete "${path}"
        ${IfNot} ${FileExists} "${path}"
            ${Break}
        ${EndIf}
        IntOp $1 $1 + 1
        ${If} $1 > 20
            Delete /REBOOTOK "${path}"
            ${Break}
        ${EndIf}
        Sleep 500
    ${Loop}
!macroend

Section "Uninstall"
    Call un.UnloadRunningLoader
    !insertmacro DeleteLibrary "$INSTDIR\zrv.dll"
    !insertmacro DeleteLibrary "$INSTDIR\x86\zrv.dll"
    ; Only what the installer put there: a folder the user chose may hold
    ; files of their own.
    ${If} ${RunningX64}
        !include "${LIST64}"
    ${Else}
        !include "${LIST32}"
    ${EndIf}
    Delete "$INSTDIR\uninstall.exe"
    ; With a library still in use, the folder goes with it at the next restart.
    RMDir /REBOOTOK "$INSTDIR"

    SetShellVarContext all
    Delete "$SMPROGRAMS\${MENU_FOLDER}\Zirvane.lnk"
    Delete "$SMPROGRAMS\${MENU_FOLDER}\Tessel.lnk"
    Delete "$SMPROGRAMS\${MENU_FOLDER}\Tessel Skin Designer.lnk"
    Delete "$SMPROGRAMS\${MENU_FOLDER}\Uninstall ${PRODUCT}.lnk"
    RMDir "$SMPROGRAMS\${MENU_FOLDER}"

    DeleteRegValue HKCU "${RUN_KEY}" "Zirvane"
    Delete "$WINDIR\Zirvane.ini"
    Delete "$WINDIR\Zirvane2.ini"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
