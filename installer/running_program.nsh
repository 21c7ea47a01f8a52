; A running Quillon keeps its files open: before files are replaced or removed it is asked to
; exit through its own "Exit" command, which lets it save its settings and asks the user
; "Quit Veldmark Quillon now?". While that question is open the setup waits for the answer
; (at most two minutes); if the program is still running then, the user is told to close it
; (Retry) or may stop the setup (Cancel, also the answer in silent mode).

!define SYNCHRONIZE 0x00100000
!define WAIT_STEP_MS 250
; Quarter seconds a program without its question open gets to end, and the whole wait.
!define GRACE_STEPS 20
!define ANSWER_STEPS 480

!macro CLOSE_RUNNING_PROGRAM un
Function ${un}CloseRunningProgram
  Push $0 ; main window
  Push $1 ; its process id
  Push $2 ; its process handle
  Push $3 ; steps waited
  Push $4 ; steps waited without the question open
  Push $5 ; wait result, then a question box
  Push $6 ; the question box's process id

  ask:
  ; Message boxes carry the program's title too (one of a second start, say).
  StrCpy $0 0
  ${Do}
    FindWindow $0 "${MAIN_WINDOW_CLASS}" "${MAIN_WINDOW_TEXT}" "" $0
    ${If} $0 = 0
      Goto done
    ${EndIf}
    System::Call 'user32::GetDlgItem(p r0, i ${FILE_LIST_CONTROL}) p .r5'
  ${LoopUntil} $5 P<> 0
  System::Call 'user32::GetWindowThreadProcessId(p r0, *i 0 r1)'
  System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r1) p .r2'
  DetailPrint "Asking the running ${PRODUCT} to exit"
  System::Call 'user32::PostMessageW(p r0, i ${WM_COMMAND}, p ${EXIT_COMMAND}, p 0)'
  StrCpy $3 0
  StrCpy $4 0
  ${Do}
    ${If} $2 = 0
      ; Without a handle the window tells: it goes when the program ends.
      Sleep ${WAIT_STEP_MS}
      System::Call 'user32::IsWindow(p r0) i .r5'
    ${Else}
      System::Call 'kernel32::WaitForSingleObject(p r2, i ${WAIT_STEP_MS}) i .r5'
    ${EndIf}
    ${If} $5 = 0
      ; Ended; another copy may still be running.
      System::Call 'kernel32::CloseHandle(p r2)'
      Goto ask
    ${EndIf}
    IntOp $3 $3 + 1
    IntOp $4 $4 + 1
    StrCpy $5 0
    ${Do}
      FindWindow $5 "${MAIN_WINDOW_CLASS}" "${QUIT_QUESTION_CAPTION}" "" $5
      ${If} $5 = 0
        ${ExitDo}
      ${EndIf}
      System::Call 'user32::GetWindowThreadProcessId(p r5, *i 0 r6)'
      ${If} $6 = $1
        StrCpy $4 0
        ${ExitDo}
      ${EndIf}
    ${Loop}
    ${If} $4 >= ${GRACE_STEPS}
    ${OrIf} $3 >= ${ANSWER_STEPS}
      ${ExitDo}
    ${EndIf}
  ${Loop}
  System::Call 'kernel32::CloseHandle(p r2)'
  MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${PRODUCT} is still running.$\r$\nPlease exit it (Exit in the menu of its icon in the notification area), then click Retry." /SD IDCANCEL IDRETRY ask
  DetailPrint "${PRODUCT} is still running"
  SetErrorLevel 2
  Abort

  done:
  Pop $6
  Pop $5
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Pop $0
FunctionEnd
!macroend
