; The setup's /NAME=yes|no options: each selects or unselects a section of the options page; any
; other value stops the setup with exit code 2.
;   !insertmacro SECTION_FROM_OPTION AUTORUN ${StartAtLogon}

!macro SECTION_FROM_OPTION option section
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/${option}=" $2
  ${IfNot} ${Errors}
    ${If} $2 == "yes"
      !insertmacro SelectSection ${section}
    ${ElseIf} $2 == "no"
      !insertmacro UnselectSection ${section}
    ${Else}
      MessageBox MB_OK|MB_ICONSTOP "Unknown value $\"$2$\" for /${option}=: use yes or no." /SD IDOK
      SetErrorLevel 2
      Quit
    ${EndIf}
  ${EndIf}
!macroend
