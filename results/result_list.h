// The result list's operations, on the list control that holds the rows:
// column 0 is the offset text, column 1 the run text.
#pragma once

#include "platform/core/list_ctrl.h"

// Column 0 "Offset" (75 pixels) and column 1 "Text" (170 pixels), both left-aligned.
void CreateResultColumns(CListCtrl& list);
// Appends a row at the end: inserted with its offset text, then column 1 set.
void AppendResultRow(CListCtrl& list, LPCTSTR pszOffset, LPCTSTR pszText);
// Adds nRow to the selection; leaves every other row and the focus alone.
void SelectResultRow(CListCtrl& list, int nRow);
BOOL IsResultRowSelected(const CListCtrl& list, int nRow);
// Moves the list to fill a client area of cx x cy and sets column 1 to
// cx - 105 pixels; column 0 keeps its width.
void FitResultList(CListCtrl& list, int cx, int cy);
