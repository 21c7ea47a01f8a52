; What the setup puts in the program folder and the data folder, and how it is taken away.
; Removal names each file: a folder the user chose may hold files of his own.

!macro REMOVE_PROGRAM_FILES folder
  Delete "${folder}\quillon.exe"
  Delete "${folder}\quillon-catalogue.exe"
  Delete "${folder}\help.chm"
  Delete "${folder}\uninstall.exe"
  RMDir "${folder}"
  RMDir "$LOCALAPPDATA\Programs\Veldmark"
!macroend

; The catalogue with the journal files the database engine may leave beside it, the settings
; and the help file; the folders only when nothing else is in them.
!macro REMOVE_DATA_FILES folder
  Delete "${folder}\data.dat"
  Delete "${folder}\data.dat-journal"
  Delete "${folder}\data.dat-wal"
  Delete "${folder}\data.dat-shm"
  Delete "${folder}\update.dat"
  Delete "${folder}\help.chm"
  RMDir "${folder}"
  RMDir "${folder}\.."
!macroend

; The Run value's data for a program path, as the program writes it: the path, quoted when it
; has a blank, then " -m" (start hidden in the notification area).
;   Push "C:\Folder\quillon.exe" / Call AutorunCommand / Pop $0
Function AutorunCommand
  Exch $0
  Push $1
  Push $2
  StrCpy $1 0
  ${Do}
    StrCpy $2 $0 1 $1
    ${If} $2 == ""
      ${ExitDo}
    ${EndIf}
    ${If} $2 == " "
      StrCpy $0 '"$0"'
      ${ExitDo}
    ${EndIf}
    IntOp $1 $1 + 1
  ${Loop}
  StrCpy $0 "$0 -m"
  Pop $2
  Pop $1
  Exch $0
FunctionEnd
