// Painting: the device of a paint message, icons, the system's metrics.
#pragma once

#include "platform/core/win_types.h"
#include "platform/ui/handles.h"

class CWnd;

enum : int { SM_CXICON = 11, SM_CYICON = 12, SM_CXSMICON = 49, SM_CYSMICON = 50 };

// SM_CXICON / SM_CYICON: 32; SM_CXSMICON / SM_CYSMICON: 16; else 0.
int GetSystemMetrics(int nIndex);

// Paints on a window's client area while it handles WM_PAINT. Made at any
// other time, it paints nothing.
class CPaintDC {
 public:
  explicit CPaintDC(CWnd* pWnd);
  ~CPaintDC();
  CPaintDC(const CPaintDC&) = delete;
  CPaintDC& operator=(const CPaintDC&) = delete;

  HDC GetSafeHdc() const { return m_hDC; }
  // Draws the icon at the system's icon size with its top-left at x, y.
  BOOL DrawIcon(int x, int y, HICON hIcon);

  HDC m_hDC = nullptr;
};
