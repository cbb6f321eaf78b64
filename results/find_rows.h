// Find: selecting the rows whose run text holds a text, ignoring case.
#pragma once

#include "platform/core/list_ctrl.h"

// Upper-cases strFind in place, then selects (adds to the selection) every
// row whose column 1, upper-cased the same way, contains it. Answers
// whether any row matched. Rows that do not match are left as they are.
BOOL SelectRowsContaining(CListCtrl& list, CString& strFind);
