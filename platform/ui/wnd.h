// CWnd: a window of the program, and the dispatch of its messages.
//
// A message goes to WindowProc: WM_COMMAND to OnCommand (the window's maps,
// then, for ids 0x8000..0xEFFF, the application object's), any other message
// to its map entry, and what no entry handles to DefWindowProc. SendMessage
// is the one place that runs handlers: a CException or std::bad_alloc that
// escapes one is reported there (AfxReportException) and the message counts
// as handled.
#pragma once

#include "platform/core/cstring.h"
#include "platform/ui/handles.h"
#include "platform/ui/message_box.h"
#include "platform/ui/messages.h"
#include "platform/ui/msg_map.h"
#include "platform/ui/rect.h"

class CMenu;

class CWnd : public CCmdTarget {
 public:
  CWnd();
  ~CWnd() override;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  // The widget showing this window, or null before it is created and after
  // it is destroyed.
  HWND m_hWnd = nullptr;
  HWND GetSafeHwnd() const { return m_hWnd; }

  LRESULT SendMessage(UINT nMsg, WPARAM wParam = 0, LPARAM lParam = 0);
  // Queues the message; it is sent from the event loop, unless the window
  // is gone by then.
  BOOL PostMessage(UINT nMsg, WPARAM wParam = 0, LPARAM lParam = 0);

  void SetWindowText(LPCTSTR pszText);
  void GetWindowText(CString& rString) const;

  // The window's menu bar and system menu, or null when it has none.
  CMenu* GetMenu() const;
  // bRevert TRUE puts the standard items back and answers null.
  CMenu* GetSystemMenu(BOOL bRevert) const;
  // Sets the large or small window icon; answers the previous one.
  HICON SetIcon(HICON hIcon, BOOL bBigIcon);
  HICON GetIcon(BOOL bBigIcon) const;

  BOOL IsIconic() const;
  BOOL IsZoomed() const;
  BOOL IsWindowVisible() const;
  // FALSE also while a modal window owned by this one is up.
  BOOL IsWindowEnabled() const;
  // Answers whether the window was disabled before.
  BOOL EnableWindow(BOOL bEnable = TRUE);
  BOOL ShowWindow(int nCmdShow);
  // The client area: below the menu bar, origin at 0, 0.
  void GetClientRect(LPRECT lpRect) const;
  // The outer frame in screen coordinates.
  void GetWindowRect(LPRECT lpRect) const;

  // The control nId of this dialog, or null.
  CWnd* GetDlgItem(int nId) const;
  // Answers the window that had the focus, or null.
  CWnd* SetFocus();
  int MessageBox(LPCTSTR pszText, LPCTSTR pszCaption = nullptr, UINT nType = MB_OK);

  virtual BOOL DestroyWindow();

  // The object that stands for hWnd: the one attached to it, else a
  // temporary one owned by its top-level window. Null for null.
  static CWnd* FromHandle(HWND hWnd);
  static CWnd* FromHandlePermanent(HWND hWnd);

  // Makes this object stand for an existing control widget (data exchange).
  BOOL Attach(HWND hWnd);
  HWND Detach();

 protected:
  virtual LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual LRESULT DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam);

  // Default processing, for handlers of derived classes to call.
  void OnSysCommand(UINT nId, LPARAM lParam);
  void OnPaint();
  void OnSize(UINT nType, int cx, int cy);
  HICON OnQueryDragIcon();

  // Called when the widget goes away, with m_hWnd still set.
  void ForgetWindow();

  DECLARE_MESSAGE_MAP()

 private:
  friend class CDialog;
  bool m_bOwnsWindow = false;  // a top-level window made from a template
  int m_nDispatching = 0;      // handlers of this window running now
};
