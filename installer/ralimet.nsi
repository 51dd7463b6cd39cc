; Ralimet's installer, one per architecture, in Arabic. installer/make-package builds it and
; defines VERSION (four numbers, from src/res/version.h), ARCH (win32 or win64), STAGE (the folder
; holding the files to install) and OUTFILE.
;
; Uninstalling keeps the world time window's two remembered places (HKCU, below) unless the user
; ticks "remove my settings" on the uninstaller's components page, or gives /REMOVESETTINGS:
;   uninstall.exe /S                   silent, settings kept
;   uninstall.exe /S /REMOVESETTINGS   silent, settings removed too

!ifndef VERSION | ARCH | STAGE | OUTFILE
  !error "makensis needs /DVERSION= /DARCH= /DSTAGE= /DOUTFILE= (installer/make-package sets them)"
!endif

; The x86_64 installer is itself a 64-bit program: it sees the 64-bit Program Files and registry
; as they are, and it runs where the program does, under wine64 too.
!if "${ARCH}" == "win64"
  Target amd64-unicode
!else if "${ARCH}" == "win32"
  Target x86-unicode
!else
  !error "ARCH is win32 or win64, not ${ARCH}"
!endif

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include Sections.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Ralimet"
; Where the program keeps its settings.
!define SETTINGS_KEY "Software\NURIX\TALVORA\2.0\MERISK\KALVENT\Time"

Name "Ralimet"
OutFile "${OUTFILE}"
RequestExecutionLevel admin
ManifestDPIAware true
SetCompressor /SOLID lzma
BrandingText "Ralimet ${VERSION}"
!if "${ARCH}" == "win64"
  InstallDir "$PROGRAMFILES64\Ralimet"
!else
  InstallDir "$PROGRAMFILES\Ralimet"
!endif
; A new version goes where the last one is.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"

!define MUI_ICON "..\src\res\icons\ralimet.ico"
!define MUI_UNICON "..\src\res\icons\ralimet.ico"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_COMPONENTSPAGE_TEXT_TOP "يُزال Ralimet من جهازك. أما المكانان اللذان اخترتهما في نافذة \
  التوقيت فيبقيان محفوظين، إلا إذا حددت حذفهما هنا."
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Arabic"

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_ARABIC} "ProductName" "Ralimet"
VIAddVersionKey /LANG=${LANG_ARABIC} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ARABIC} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ARABIC} "FileDescription" "Ralimet setup (${ARCH})"
VIAddVersionKey /LANG=${LANG_ARABIC} "CompanyName" "Nurix"
VIAddVersionKey /LANG=${LANG_ARABIC} "LegalCopyright" "© 2026 Nurix"

!macro UseProgramRegistryView
  ; A 32-bit program's uninstall entry belongs in the 32-bit view, a 64-bit one's in the 64-bit
  ; view.
  !if "${ARCH}" == "win64"
    SetRegView 64
  !endif
!macroend

Function .onInit
  !insertmacro UseProgramRegistryView
FunctionEnd

Section "Ralimet" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${STAGE}\ralimet.exe"
  File "${STAGE}\horse.ani"
  File "${STAGE}\readme.txt"
  File "${STAGE}\LICENSE.txt"
  File "${STAGE}\third-party-notices.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  SetShellVarContext all
  CreateShortcut "$SMPROGRAMS\Ralimet.lnk" "$INSTDIR\ralimet.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Ralimet"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Nurix"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\ralimet.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "-un.Ralimet"
  SetShellVarContext all
  Delete "$SMPROGRAMS\Ralimet.lnk"
  ; Only the files this installer put there: the folder may hold the user's own files.
  Delete /REBOOTOK "$INSTDIR\ralimet.exe"
  Delete "$INSTDIR\horse.ani"
  Delete "$INSTDIR\readme.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\third-party-notices.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir /REBOOTOK "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

Section /o "un.حذف إعداداتي (المكانان المختاران في نافذة التوقيت)" SecRemoveSettings
  DeleteRegValue HKCU "${SETTINGS_KEY}" "Country1"
  DeleteRegValue HKCU "${SETTINGS_KEY}" "Country2"
  ; The keys above go only when nothing else is left in them: NURIX may hold other programs'.
  DeleteRegKey /ifempty HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "Software\NURIX\TALVORA\2.0\MERISK\KALVENT"
  DeleteRegKey /ifempty HKCU "Software\NURIX\TALVORA\2.0\MERISK"
  DeleteRegKey /ifempty HKCU "Software\NURIX\TALVORA\2.0"
  DeleteRegKey /ifempty HKCU "Software\NURIX\TALVORA"
  DeleteRegKey /ifempty HKCU "Software\NURIX"
SectionEnd

; After the sections: it names one of them.
Function un.onInit
  !insertmacro UseProgramRegistryView
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVESETTINGS" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecRemoveSettings}
  ${EndIf}
FunctionEnd
