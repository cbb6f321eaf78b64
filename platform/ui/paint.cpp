#include "platform/ui/paint.h"

#include <QPainter>

#include "platform/ui/dialog_window.h"
#include "platform/ui/icon_object.h"
#include "platform/ui/paint_scope.h"
#include "platform/ui/wnd.h"

struct PaintDevice {
  explicit PaintDevice(QWidget* pWidget) : painter(pWidget) {}
  QPainter painter;
};

namespace {
QWidget* g_pPainting = nullptr;
}  // namespace

PaintScope::PaintScope(QWidget* pWidget) : m_pPrevious(g_pPainting) { g_pPainting = pWidget; }
PaintScope::~PaintScope() { g_pPainting = m_pPrevious; }
QWidget* PaintScope::Current() { return g_pPainting; }

int GetSystemMetrics(int nIndex) {
  switch (nIndex) {
    case SM_CXICON:
    case SM_CYICON: return 32;
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    default: return 0;
  }
}

CPaintDC::CPaintDC(CWnd* pWnd) {
  QWidget* pArea = pWnd ? pWnd->m_hWnd : nullptr;
  if (DialogWindow* pWindow = AsDialogWindow(pArea)) pArea = pWindow->Client();
  if (pArea && pArea == PaintScope::Current()) m_hDC = new PaintDevice(pArea);
}

CPaintDC::~CPaintDC() { delete m_hDC; }

BOOL CPaintDC::DrawIcon(int x, int y, HICON hIcon) {
  if (hIcon == nullptr) return FALSE;
  if (m_hDC) {
    const int cx = GetSystemMetrics(SM_CXICON);
    const int cy = GetSystemMetrics(SM_CYICON);
    m_hDC->painter.drawPixmap(QRect(x, y, cx, cy), IconOf(hIcon).pixmap(cx, cy));
  }
  return TRUE;
}
