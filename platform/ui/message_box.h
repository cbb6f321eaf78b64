// Message boxes, and the report of an exception that escaped a handler.
#pragma once

#include "platform/core/win_types.h"

class CException;

enum : UINT {
  MB_OK = 0x0000,
  MB_OKCANCEL = 0x0001,
  MB_YESNO = 0x0004,
  MB_TYPEMASK = 0x000F,
  MB_ICONHAND = 0x0010,
  MB_ICONSTOP = MB_ICONHAND,
  MB_ICONERROR = MB_ICONHAND,
  MB_ICONQUESTION = 0x0020,
  MB_ICONEXCLAMATION = 0x0030,
  MB_ICONWARNING = MB_ICONEXCLAMATION,
  MB_ICONASTERISK = 0x0040,
  MB_ICONINFORMATION = MB_ICONASTERISK,
  MB_ICONMASK = 0x00F0,
  MB_SYSTEMMODAL = 0x1000,
};

// A message box owned by the main window (by the dialog up over it, if
// any), captioned with the application name. The icon comes from nType only: none asked, none shown. Answers the
// button chosen (IDOK for MB_OK).
int AfxMessageBox(LPCTSTR pszText, UINT nType = MB_OK);

// Shows what went wrong: a file error with its text and the stop icon,
// memory exhaustion as "Out of memory." with the exclamation icon,
// system-modal.
void AfxReportException(const CException& e);
