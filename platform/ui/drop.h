// Files dropped on a window (WM_DROPFILES carries an HDROP).
#pragma once

#include "platform/core/win_types.h"
#include "platform/ui/handles.h"

// iFile 0xFFFFFFFF: the number of files. lpszFile null: the length of file
// iFile's path. Else copies at most cch - 1 bytes of it and a terminator and
// answers the number copied. A dropped item that is no local file has the
// empty path. Answers 0 for a missing file or after DragFinish.
UINT DragQueryFile(HDROP hDrop, UINT iFile, LPTSTR lpszFile, UINT cch);
// Releases the drop's files.
void DragFinish(HDROP hDrop);
