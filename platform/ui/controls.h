// Control wrappers bound to dialog controls by DDX_Control.
#pragma once

#include "platform/ui/wnd.h"

class CEdit : public CWnd {
 public:
  // Selects characters nStartChar up to nEndChar; nEndChar -1 (or beyond
  // the end) runs to the end, nStartChar -1 removes the selection. The caret
  // ends at nEndChar and is scrolled into view.
  void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);
};
