; The benchmark's peer: an NSIS installer doing the kit's job. It copies the
; two files from the folder it is started from into the program folder,
; writes its uninstaller into the system directory and the same three
; shortcuts for all users; the uninstaller removes the same items.
;   makensis -DOUT=PeerSetup.exe peer.nsi     (silent: PeerSetup.exe /S)
Unicode false
Name "Vrim"
OutFile "${OUT}"
RequestExecutionLevel admin
InstallDir "$PROGRAMFILES\VRIM"
ShowInstDetails nevershow

Section
  SetShellVarContext all
  CreateDirectory "$INSTDIR"
  CopyFiles /SILENT "$EXEDIR\Vrim.exe" "$INSTDIR"
  CopyFiles /SILENT "$EXEDIR\hourglas.ani" "$INSTDIR"
  WriteUninstaller "$SYSDIR\UninstallPeer.exe"
  CreateShortcut "$DESKTOP\Vrim.lnk" "$INSTDIR\Vrim.exe"
  CreateDirectory "$SMPROGRAMS\VRIM"
  CreateShortcut "$SMPROGRAMS\VRIM\Vrim.lnk" "$INSTDIR\Vrim.exe"
  CreateShortcut "$SMPROGRAMS\VRIM\Uninstall.lnk" "$SYSDIR\UninstallPeer.exe"
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  RMDir /r "$PROGRAMFILES\VRIM"
  RMDir /r "$SMPROGRAMS\VRIM"
  Delete "$DESKTOP\Vrim.lnk"
SectionEnd
