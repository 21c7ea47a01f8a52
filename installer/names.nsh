; Names the setup shares with the program: its window, its Run value, its data folder.

!ifndef VERSION | OUTFILE | PROGRAM | CATALOGUE_TOOL | HELP_FILE | ICON | WIZARD_BITMAP
  !error "Give VERSION, OUTFILE, PROGRAM, CATALOGUE_TOOL, HELP_FILE, ICON and WIZARD_BITMAP with -D"
!endif

!define PRODUCT "Veldmark Quillon"
!define PUBLISHER "Veldmark"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Veldmark Quillon"
; The program's autorun value (its "As a Windows Start Item" command writes the same one).
!define RUN_KEY "SOFTWARE\Microsoft\windows\currentversion\run"
!define RUN_VALUE "Veldmark Quillon"
; Under the user's application-data folder, as the program looks for it.
!define DATA_SUBFOLDER "Veldmark\Quillon"
; The shortcut in the user's "Send to" menu.
!define SENDTO_SHORTCUT "Quillon.lnk"
; The program's main window (a dialog with this text and the file list), its "Exit" command
; and the caption of the question that command asks.
!define MAIN_WINDOW_CLASS "#32770"
!define MAIN_WINDOW_TEXT "Veldmark Quillon"
!define FILE_LIST_CONTROL 1008
!define EXIT_COMMAND 32783
!define QUIT_QUESTION_CAPTION "Quit"
