// Rectangles in pixels; right and bottom lie just outside.
#pragma once

#include "platform/core/win_types.h"

struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};
typedef RECT* LPRECT;

class CRect : public RECT {
 public:
  CRect() : RECT{0, 0, 0, 0} {}
  CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
  int Width() const { return static_cast<int>(right - left); }
  int Height() const { return static_cast<int>(bottom - top); }
  friend bool operator==(const CRect& a, const CRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
  }
};
