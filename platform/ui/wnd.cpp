#include "platform/ui/wnd.h"

#include <QApplication>
#include <QHash>
#include <QPointer>
#include <QWidget>
#include <new>

#include "platform/core/exception.h"
#include "platform/ui/control_text.h"
#include "platform/ui/dialog_window.h"
#include "platform/ui/drop.h"
#include "platform/ui/message_box_qt.h"
#include "platform/ui/modal.h"
#include "platform/ui/qt_support.h"
#include "platform/ui/win_app.h"

namespace {

// The objects attached to widgets, and the temporary ones FromHandle made.
QHash<const QWidget*, CWnd*>& Permanent() {
  static QHash<const QWidget*, CWnd*> s_map;
  return s_map;
}
QHash<const QWidget*, CWnd*>& Temporary() {
  static QHash<const QWidget*, CWnd*> s_map;
  return s_map;
}

}  // namespace

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

CWnd::CWnd() = default;

CWnd::~CWnd() {
  if (m_bOwnsWindow && m_hWnd) CWnd::DestroyWindow();
  if (m_hWnd) Detach();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) { return hWnd ? Permanent().value(hWnd, nullptr) : nullptr; }

CWnd* CWnd::FromHandle(HWND hWnd) {
  if (hWnd == nullptr) return nullptr;
  if (CWnd* pWnd = FromHandlePermanent(hWnd)) return pWnd;
  if (CWnd* pWnd = Temporary().value(hWnd, nullptr)) return pWnd;
  CWnd* pWnd = new CWnd;
  pWnd->m_hWnd = hWnd;
  Temporary().insert(hWnd, pWnd);
  QObject::connect(hWnd, &QObject::destroyed, [hWnd]() {
    CWnd* pTemp = Temporary().take(hWnd);
    if (pTemp) {
      pTemp->m_hWnd = nullptr;
      delete pTemp;
    }
  });
  return pWnd;
}

BOOL CWnd::Attach(HWND hWnd) {
  if (m_hWnd || hWnd == nullptr || Permanent().contains(hWnd)) return FALSE;
  m_hWnd = hWnd;
  Permanent().insert(hWnd, this);
  QObject::connect(hWnd, &QObject::destroyed, [hWnd]() {
    if (CWnd* pWnd = Permanent().take(hWnd)) pWnd->ForgetWindow();
  });
  return TRUE;
}

HWND CWnd::Detach() {
  HWND hWnd = m_hWnd;
  if (hWnd && Permanent().value(hWnd) == this) Permanent().remove(hWnd);
  m_hWnd = nullptr;
  return hWnd;
}

void CWnd::ForgetWindow() {
  m_hWnd = nullptr;
  m_bOwnsWindow = false;
}

BOOL CWnd::DestroyWindow() {
  if (m_hWnd == nullptr) return FALSE;
  delete m_hWnd;  // its destroyed signal detaches this object
  return TRUE;
}

LRESULT CWnd::SendMessage(UINT nMsg, WPARAM wParam, LPARAM lParam) {
  if (m_hWnd == nullptr) return 0;
  struct Dispatching {
    int& n;
    explicit Dispatching(int& count) : n(count) { ++n; }
    ~Dispatching() { --n; }
  } dispatching(m_nDispatching);
  try {
    return WindowProc(nMsg, wParam, lParam);
  } catch (const CException& e) {
    AfxReportException(e);
  } catch (const std::bad_alloc&) {
    AfxReportException(CMemoryException());
  }
  return 0;
}

BOOL CWnd::PostMessage(UINT nMsg, WPARAM wParam, LPARAM lParam) {
  if (m_hWnd == nullptr) return FALSE;
  QPointer<QWidget> pWidget = m_hWnd;
  QMetaObject::invokeMethod(
      m_hWnd,
      [pWidget, nMsg, wParam, lParam]() {
        if (CWnd* pWnd = FromHandlePermanent(pWidget.data())) pWnd->SendMessage(nMsg, wParam, lParam);
      },
      Qt::QueuedConnection);
  return TRUE;
}

LRESULT CWnd::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) {
  if (nMsg == WM_COMMAND) {
    if (OnCommand(wParam, lParam)) return 0;
    return DefWindowProc(nMsg, wParam, lParam);
  }
  if (const MessageMapEntry* pEntry = FindMessageEntry(nMsg, 0)) return pEntry->pfnHandler(this, wParam, lParam);
  return DefWindowProc(nMsg, wParam, lParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM) {
  UINT nId = LOWORD(wParam);
  if (OnCmdMsg(nId)) return TRUE;
  if (nId >= ID_APP_COMMAND_FIRST && nId <= ID_APP_COMMAND_LAST) {
    if (CWinApp* pApp = AfxGetApp()) return pApp->OnCmdMsg(nId);
  }
  return FALSE;
}

LRESULT CWnd::DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) {
  QWidget* pWindow = m_hWnd ? m_hWnd->window() : nullptr;
  DialogWindow* pDialogWindow = AsDialogWindow(m_hWnd);
  switch (nMsg) {
    case WM_SYSCOMMAND:
      if (pWindow == nullptr) return 0;
      switch (wParam & 0xFFF0) {
        case SC_MINIMIZE: pWindow->showMinimized(); break;
        case SC_MAXIMIZE: pWindow->showMaximized(); break;
        case SC_RESTORE:
          if (pWindow->isMinimized()) pWindow->setWindowState(pWindow->windowState() & ~Qt::WindowMinimized);
          else pWindow->showNormal();
          break;
        case SC_CLOSE: SendMessage(WM_CLOSE); break;
      }
      return 0;
    case WM_CLOSE:
      DestroyWindow();
      return 0;
    case WM_SETICON:
    case WM_GETICON: {
      if (pDialogWindow == nullptr) return 0;
      HICON& hIcon = wParam == ICON_BIG ? pDialogWindow->m_hBigIcon : pDialogWindow->m_hSmallIcon;
      HICON hOld = hIcon;
      if (nMsg == WM_SETICON) {
        hIcon = reinterpret_cast<HICON>(lParam);
        pDialogWindow->UpdateWindowIcon();
      }
      return reinterpret_cast<LRESULT>(hOld);
    }
    case WM_DROPFILES:
      DragFinish(reinterpret_cast<HDROP>(wParam));
      return 0;
    default:
      (void)lParam;
      return 0;
  }
}

void CWnd::OnSysCommand(UINT nId, LPARAM lParam) { DefWindowProc(WM_SYSCOMMAND, nId, lParam); }
void CWnd::OnPaint() { DefWindowProc(WM_PAINT, 0, 0); }
void CWnd::OnSize(UINT nType, int cx, int cy) { DefWindowProc(WM_SIZE, nType, MAKELPARAM(cx, cy)); }
HICON CWnd::OnQueryDragIcon() { return reinterpret_cast<HICON>(DefWindowProc(WM_QUERYDRAGICON, 0, 0)); }

void CWnd::SetWindowText(LPCTSTR pszText) {
  if (DialogWindow* pWindow = AsDialogWindow(m_hWnd)) {
    pWindow->m_strCaption = pszText;
    pWindow->setWindowTitle(ToQt(pszText));
  } else if (m_hWnd) {
    SetControlText(m_hWnd, pszText);
  }
}

void CWnd::GetWindowText(CString& rString) const {
  if (DialogWindow* pWindow = AsDialogWindow(m_hWnd)) rString = pWindow->m_strCaption;
  else rString = GetControlText(m_hWnd);
}

CMenu* CWnd::GetMenu() const {
  DialogWindow* pWindow = AsDialogWindow(m_hWnd);
  return pWindow ? pWindow->Menu() : nullptr;
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const {
  DialogWindow* pWindow = AsDialogWindow(m_hWnd);
  if (pWindow == nullptr || pWindow->SystemMenu() == nullptr) return nullptr;
  if (bRevert) {
    pWindow->ResetSystemMenu();
    return nullptr;
  }
  return pWindow->SystemMenu();
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon) {
  return reinterpret_cast<HICON>(
      SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}

HICON CWnd::GetIcon(BOOL bBigIcon) const {
  return reinterpret_cast<HICON>(
      const_cast<CWnd*>(this)->SendMessage(WM_GETICON, bBigIcon ? ICON_BIG : ICON_SMALL, 0));
}

BOOL CWnd::IsIconic() const { return m_hWnd && m_hWnd->isWindow() && m_hWnd->isMinimized(); }
BOOL CWnd::IsZoomed() const { return m_hWnd && m_hWnd->isWindow() && m_hWnd->isMaximized(); }
BOOL CWnd::IsWindowVisible() const { return m_hWnd && m_hWnd->isVisible(); }

BOOL CWnd::IsWindowEnabled() const {
  if (m_hWnd == nullptr) return FALSE;
  return m_hWnd->isEnabled() && !(m_hWnd->isWindow() && IsDisabledByModal(m_hWnd));
}

BOOL CWnd::EnableWindow(BOOL bEnable) {
  if (m_hWnd == nullptr) return FALSE;
  BOOL bWasDisabled = !m_hWnd->isEnabled();
  m_hWnd->setEnabled(bEnable != FALSE);
  return bWasDisabled;
}

BOOL CWnd::ShowWindow(int nCmdShow) {
  if (m_hWnd == nullptr) return FALSE;
  BOOL bWasVisible = m_hWnd->isVisible();
  switch (nCmdShow) {
    case SW_HIDE: m_hWnd->hide(); break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE: m_hWnd->showMinimized(); break;
    case SW_SHOWMAXIMIZED: m_hWnd->showMaximized(); break;
    case SW_SHOWNORMAL:
    case SW_RESTORE: m_hWnd->showNormal(); break;
    default: m_hWnd->show(); break;
  }
  return bWasVisible;
}

void CWnd::GetClientRect(LPRECT lpRect) const {
  QWidget* pArea = m_hWnd;
  if (DialogWindow* pWindow = AsDialogWindow(m_hWnd)) pArea = pWindow->Client();
  *lpRect = RECT{0, 0, pArea ? pArea->width() : 0, pArea ? pArea->height() : 0};
}

void CWnd::GetWindowRect(LPRECT lpRect) const {
  if (m_hWnd == nullptr) {
    *lpRect = RECT{0, 0, 0, 0};
    return;
  }
  QRect rect = m_hWnd->isWindow() ? m_hWnd->frameGeometry()
                                  : QRect(m_hWnd->mapToGlobal(QPoint(0, 0)), m_hWnd->size());
  *lpRect = RECT{rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

CWnd* CWnd::GetDlgItem(int nId) const {
  DialogWindow* pWindow = AsDialogWindow(m_hWnd);
  return pWindow ? FromHandle(pWindow->ItemWidget(nId)) : nullptr;
}

CWnd* CWnd::SetFocus() {
  QWidget* pPrevious = QApplication::focusWidget();
  if (m_hWnd) m_hWnd->setFocus(Qt::OtherFocusReason);
  return FromHandle(pPrevious);
}

int CWnd::MessageBox(LPCTSTR pszText, LPCTSTR pszCaption, UINT nType) {
  return ShowMessageBox(m_hWnd ? m_hWnd->window() : SafeOwnerWindow(), pszText,
                        pszCaption ? pszCaption : AfxGetAppName(), nType);
}
