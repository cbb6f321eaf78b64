// Window messages, command ids and the codes that travel with them.
#pragma once

#include "platform/core/win_types.h"

typedef uintptr_t UINT_PTR;
typedef uintptr_t DWORD_PTR;
typedef intptr_t INT_PTR;

enum : UINT {
  WM_SIZE = 0x0005,
  WM_SETTEXT = 0x000C,
  WM_PAINT = 0x000F,
  WM_CLOSE = 0x0010,
  WM_ICONERASEBKGND = 0x0027,
  WM_QUERYDRAGICON = 0x0037,
  WM_GETICON = 0x007F,
  WM_SETICON = 0x0080,
  WM_INITDIALOG = 0x0110,
  WM_COMMAND = 0x0111,
  WM_SYSCOMMAND = 0x0112,
  WM_DROPFILES = 0x0233,
};

// System commands (WM_SYSCOMMAND); the low four bits are the system's own.
enum : UINT {
  SC_MINIMIZE = 0xF020,
  SC_MAXIMIZE = 0xF030,
  SC_CLOSE = 0xF060,
  SC_RESTORE = 0xF120,
};

// WM_SIZE kinds.
enum : UINT { SIZE_RESTORED = 0, SIZE_MINIMIZED = 1, SIZE_MAXIMIZED = 2 };

// WM_SETICON / WM_GETICON.
enum : WPARAM { ICON_SMALL = 0, ICON_BIG = 1 };

// Notification code of a clicked button, the high word of WM_COMMAND's wParam.
enum : UINT { BN_CLICKED = 0 };

// ShowWindow commands.
enum : int {
  SW_HIDE = 0,
  SW_SHOWNORMAL = 1,
  SW_SHOWMINIMIZED = 2,
  SW_SHOWMAXIMIZED = 3,
  SW_SHOW = 5,
  SW_MINIMIZE = 6,
  SW_RESTORE = 9,
};

// Command ids of the platform. Macros, so that resource headers may define
// the same values without clashing.
#define IDOK 1
#define IDCANCEL 2
#define IDC_STATIC (-1)
#define ID_EDIT_FIND 57636
#define ID_HELP 57670

// Answers of a message box.
enum : int { IDYES = 6, IDNO = 7 };

// Commands the window forwards to the application object when its own maps
// do not handle them: [0x8000, 0xF000).
enum : UINT { ID_APP_COMMAND_FIRST = 0x8000, ID_APP_COMMAND_LAST = 0xEFFF };

#define MAKEWPARAM(lo, hi) ((WPARAM)(DWORD)MAKELONG(lo, hi))
#define MAKELPARAM(lo, hi) ((LPARAM)(DWORD)MAKELONG(lo, hi))
