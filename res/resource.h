// The program's resource ids: dialog templates, the menu and its commands,
// strings, icons and controls.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_SCANNER_DIALOG 102
#define IDR_MAINFRAME 128
#define IDR_MAINMENU 129
#define IDD_PROMPT 130
#define IDI_SMALLICON 131

#define IDC_RESULTS 1000
#define IDC_PROMPT_TEXT 1002
#define IDC_PROMPT_EDIT 1003

#define IDM_FILE_OPEN 32771
#define IDM_FILE_EXIT 32772
#define IDM_OPTIONS_MINLENGTH 32773
#define IDM_EXPORT_ALL 32775
#define IDM_EXPORT_MARKED 32776
#define IDM_HELP_ABOUT 32777

// The About entry of the system menu; system commands keep their low four
// bits clear.
#define IDM_ABOUTBOX 0x0010

// The platform's own ids, used by the templates here. The window half of
// the platform defines them the same way; res/ does not depend on it.
#ifndef IDOK
#define IDOK 1
#endif
#ifndef IDCANCEL
#define IDCANCEL 2
#endif
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
#ifndef ID_EDIT_FIND
#define ID_EDIT_FIND 57636
#endif
