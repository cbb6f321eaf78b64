// The top-level widget of a dialog made from a template: an optional menu
// bar, the client area below it holding the controls, the system menu, and
// the dialog manager's keys (Enter, Esc, F1, Alt+Space, Alt+F4), all turned
// into the window's messages. Inside platform/ui only.
#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>
#include <vector>

#include "platform/core/cstring.h"
#include "platform/core/resource_types.h"
#include "platform/ui/handles.h"

class CListCtrl;
class CMenu;
class QEventLoop;
class QMenu;
class QMenuBar;
class QMimeData;

class DialogWindow : public QWidget {
 public:
  // pOwner: the owner's top-level widget, or null. The window's messages go
  // to the object attached to it (CWnd::Attach).
  DialogWindow(const DlgTemplate& dlgTemplate, QWidget* pOwner);
  ~DialogWindow() override;

  const DlgTemplate& Template() const { return m_template; }
  QWidget* Client() const { return m_pClient; }
  QMenuBar* MenuBar() const { return m_pMenuBar; }
  CMenu* Menu() const { return m_pMenu.get(); }
  CMenu* SystemMenu() const { return m_pSysMenu.get(); }
  void ResetSystemMenu();
  // Opens the system menu at a point on the screen.
  void PopupSystemMenu(const QPoint& globalPos);

  // Sets the client area's size (pixels); the frame takes the menu bar too.
  void SetClientSize(int cx, int cy);
  // Sends WM_SIZE when the client size or the window state changed since
  // the last one.
  void NotifySize();

  struct Item {
    int nId;
    QWidget* pWidget;
    DWORD dwStyle;
    bool bPushButton;
  };
  void AddItem(const Item& item) { m_items.push_back(item); }
  const std::vector<Item>& Items() const { return m_items; }
  QWidget* ItemWidget(int nId) const;
  // The id of the control that is pWidget or holds it, or 0.
  int ItemId(const QWidget* pWidget) const;
  // The first control that takes the focus by Tab, or null.
  QWidget* FirstTabStop() const;
  // Gives the focus to a control, selecting all of an edit field's text.
  void GotoControl(QWidget* pWidget);

  CString m_strCaption;
  HICON m_hBigIcon = nullptr;
  HICON m_hSmallIcon = nullptr;
  void UpdateWindowIcon();

  // The result lists shown in list view controls (data exchange).
  std::vector<std::pair<QWidget*, CListCtrl*>> m_lists;

  // The loop of the modal run, while it runs.
  QEventLoop* m_pLoop = nullptr;

 protected:
  void resizeEvent(QResizeEvent* pEvent) override;
  void changeEvent(QEvent* pEvent) override;
  void closeEvent(QCloseEvent* pEvent) override;
  void keyPressEvent(QKeyEvent* pEvent) override;
  void contextMenuEvent(QContextMenuEvent* pEvent) override;
  void dragEnterEvent(QDragEnterEvent* pEvent) override;
  void dragMoveEvent(QDragMoveEvent* pEvent) override;
  void dropEvent(QDropEvent* pEvent) override;

 private:
  void Send(UINT nMsg, WPARAM wParam, LPARAM lParam);
  void LayoutChildren();
  void BuildSystemMenu();
  bool AcceptsDrop(const QMimeData* pData) const;

  const DlgTemplate& m_template;
  QWidget* m_pClient = nullptr;
  QMenuBar* m_pMenuBar = nullptr;
  std::unique_ptr<CMenu> m_pMenu;
  QMenu* m_pSysMenuWidget = nullptr;
  std::unique_ptr<CMenu> m_pSysMenu;
  std::vector<Item> m_items;

  bool m_bSizeSent = false;
  UINT m_nLastSizeType = 0;
  int m_cxLast = 0;
  int m_cyLast = 0;
};

// The dialog window that hWnd is, or null.
DialogWindow* AsDialogWindow(HWND hWnd);
