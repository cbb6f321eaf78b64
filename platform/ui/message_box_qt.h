// Message boxes with a given owner widget (inside platform/ui only).
#pragma once

#include "platform/core/win_types.h"

class QWidget;

// A modal message box over pOwner (null: none): nType's buttons and icon
// (MB_*), caption pszCaption. Answers IDOK, IDCANCEL, IDYES or IDNO.
int ShowMessageBox(QWidget* pOwner, LPCTSTR pszText, LPCTSTR pszCaption, UINT nType);
