#include "platform/ui/dialog_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QShortcut>
#include <QUrl>
#include <memory>

#include "platform/ui/wnd.h"
#include "platform/ui/drop_object.h"
#include "platform/ui/icon_object.h"
#include "platform/ui/menu.h"
#include "platform/ui/menu_build.h"
#include "platform/ui/modal.h"
#include "platform/ui/paint_scope.h"
#include "platform/ui/win_app.h"

namespace {

// The client area: paints through WM_PAINT and reports its size.
class ClientArea : public QWidget {
 public:
  explicit ClientArea(DialogWindow* pWindow) : QWidget(pWindow), m_pWindow(pWindow) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    PaintScope scope(this);
    if (CWnd* pWnd = CWnd::FromHandlePermanent(m_pWindow)) pWnd->SendMessage(WM_PAINT);
  }
  void resizeEvent(QResizeEvent*) override { m_pWindow->NotifySize(); }

 private:
  DialogWindow* m_pWindow;
};

Qt::WindowFlags FlagsFor(const DlgTemplate& dlgTemplate, bool bOwned) {
  Qt::WindowFlags flags = (bOwned ? Qt::Dialog : Qt::Window) | Qt::CustomizeWindowHint;
  if (dlgTemplate.dwStyle & WS_CAPTION) flags |= Qt::WindowTitleHint;
  if (dlgTemplate.dwStyle & WS_SYSMENU) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (dlgTemplate.dwStyle & WS_MINIMIZEBOX) flags |= Qt::WindowMinimizeButtonHint;
  if (dlgTemplate.dwStyle & WS_MAXIMIZEBOX) flags |= Qt::WindowMaximizeButtonHint;
  return flags;
}

}  // namespace

DialogWindow* AsDialogWindow(HWND hWnd) { return dynamic_cast<DialogWindow*>(hWnd); }

DialogWindow::DialogWindow(const DlgTemplate& dlgTemplate, QWidget* pOwner)
    : QWidget(pOwner, FlagsFor(dlgTemplate, pOwner != nullptr)), m_template(dlgTemplate) {
  m_pClient = new ClientArea(this);
  if (dlgTemplate.nMenuId) {
    if (const MenuTemplate* pMenu = AfxFindMenuTemplate(dlgTemplate.nMenuId)) {
      m_pMenuBar = BuildMenuBar(*pMenu, this);
      m_pMenu = std::make_unique<CMenu>(m_pMenuBar, this, WM_COMMAND);
    }
  }
  if (dlgTemplate.dwStyle & WS_SYSMENU) {
    m_pSysMenuWidget = new QMenu(this);
    m_pSysMenu = std::make_unique<CMenu>(m_pSysMenuWidget, this, WM_SYSCOMMAND);
    BuildSystemMenu();
    QObject::connect(m_pSysMenuWidget, &QMenu::aboutToShow, this, [this]() {
      for (QAction* pAction : m_pSysMenuWidget->actions()) {
        switch (MenuActionId(pAction)) {
          case SC_RESTORE: pAction->setEnabled(isMinimized() || isMaximized()); break;
          case SC_MINIMIZE: pAction->setEnabled(!isMinimized()); break;
          case SC_MAXIMIZE: pAction->setEnabled(!isMaximized()); break;
        }
      }
    });
    auto* pAltSpace = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), this);
    QObject::connect(pAltSpace, &QShortcut::activated, this, [this]() { PopupSystemMenu(m_pClient->mapToGlobal(QPoint(0, 0))); });
    // The window manager usually takes Alt+F4 itself and asks the window to close.
    auto* pAltF4 = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), this);
    QObject::connect(pAltF4, &QShortcut::activated, this, [this]() { Send(WM_SYSCOMMAND, SC_CLOSE, 0); });
  }
  // F1 asks the main window for the Help command; the application's help
  // handler finds the dialog from the focus.
  auto* pHelp = new QShortcut(QKeySequence(Qt::Key_F1), this);
  QObject::connect(pHelp, &QShortcut::activated, this, [this]() {
    CWnd* pTarget = AfxGetMainWnd();
    if (pTarget == nullptr || pTarget->m_hWnd == nullptr) pTarget = CWnd::FromHandlePermanent(this);
    if (pTarget) pTarget->SendMessage(WM_COMMAND, ID_HELP, 0);
  });
  setAcceptDrops((dlgTemplate.dwExStyle & WS_EX_ACCEPTFILES) != 0);
}

DialogWindow::~DialogWindow() = default;

void DialogWindow::Send(UINT nMsg, WPARAM wParam, LPARAM lParam) {
  if (CWnd* pWnd = CWnd::FromHandlePermanent(this)) pWnd->SendMessage(nMsg, wParam, lParam);
}

void DialogWindow::BuildSystemMenu() {
  struct Entry {
    UINT nId;
    const char* pszText;
    DWORD dwNeeds;
  };
  static const Entry kEntries[] = {
      {SC_RESTORE, "&Restore", WS_MINIMIZEBOX | WS_MAXIMIZEBOX},
      {SC_MINIMIZE, "Mi&nimize", WS_MINIMIZEBOX},
      {SC_MAXIMIZE, "Ma&ximize", WS_MAXIMIZEBOX},
      {SC_CLOSE, "&Close\tAlt+F4", 0},
  };
  for (const Entry& entry : kEntries) {
    if (entry.dwNeeds == 0 || (m_template.dwStyle & entry.dwNeeds)) m_pSysMenu->AppendMenu(MF_STRING, entry.nId, entry.pszText);
  }
}

void DialogWindow::ResetSystemMenu() {
  if (m_pSysMenuWidget == nullptr) return;
  for (QAction* pAction : m_pSysMenuWidget->actions()) delete pAction;
  BuildSystemMenu();
}

void DialogWindow::PopupSystemMenu(const QPoint& globalPos) {
  if (m_pSysMenuWidget && isEnabled() && !IsDisabledByModal(this)) m_pSysMenuWidget->popup(globalPos);
}

void DialogWindow::SetClientSize(int cx, int cy) {
  const int cyMenu = m_pMenuBar ? m_pMenuBar->heightForWidth(cx) : 0;
  const int cyMenuBar = cyMenu > 0 ? cyMenu : (m_pMenuBar ? m_pMenuBar->sizeHint().height() : 0);
  if (m_template.dwStyle & WS_THICKFRAME) {
    setMinimumSize(0, 0);
    resize(cx, cy + cyMenuBar);
  } else {
    setFixedSize(cx, cy + cyMenuBar);
  }
  LayoutChildren();
}

void DialogWindow::LayoutChildren() {
  int cyMenuBar = 0;
  if (m_pMenuBar) {
    cyMenuBar = m_pMenuBar->heightForWidth(width());
    if (cyMenuBar <= 0) cyMenuBar = m_pMenuBar->sizeHint().height();
    m_pMenuBar->setGeometry(0, 0, width(), cyMenuBar);
  }
  m_pClient->setGeometry(0, cyMenuBar, width(), std::max(0, height() - cyMenuBar));
}

void DialogWindow::NotifySize() {
  UINT nType = SIZE_RESTORED;
  int cx = m_pClient->width();
  int cy = m_pClient->height();
  if (isMinimized()) {
    nType = SIZE_MINIMIZED;
    cx = cy = 0;
  } else if (isMaximized()) {
    nType = SIZE_MAXIMIZED;
  }
  if (m_bSizeSent && nType == m_nLastSizeType && cx == m_cxLast && cy == m_cyLast) return;
  m_bSizeSent = true;
  m_nLastSizeType = nType;
  m_cxLast = cx;
  m_cyLast = cy;
  Send(WM_SIZE, nType, MAKELPARAM(cx, cy));
}

QWidget* DialogWindow::ItemWidget(int nId) const {
  for (const Item& item : m_items) {
    if (item.nId == nId) return item.pWidget;
  }
  return nullptr;
}

int DialogWindow::ItemId(const QWidget* pWidget) const {
  for (; pWidget && pWidget != this; pWidget = pWidget->parentWidget()) {
    for (const Item& item : m_items) {
      if (item.pWidget == pWidget) return item.nId;
    }
  }
  return 0;
}

QWidget* DialogWindow::FirstTabStop() const {
  for (const Item& item : m_items) {
    if ((item.dwStyle & WS_TABSTOP) && item.pWidget->isEnabled() && !item.pWidget->isHidden() &&
        (item.pWidget->focusPolicy() & Qt::TabFocus)) {
      return item.pWidget;
    }
  }
  return nullptr;
}

void DialogWindow::GotoControl(QWidget* pWidget) {
  if (pWidget == nullptr) return;
  pWidget->setFocus(Qt::TabFocusReason);
  if (auto* pEdit = qobject_cast<QLineEdit*>(pWidget)) pEdit->selectAll();
}

void DialogWindow::UpdateWindowIcon() {
  // One icon for the window: the small icon's images take the place of the
  // large icon's images of the same size.
  QIcon big = IconOf(m_hBigIcon);
  QIcon small = IconOf(m_hSmallIcon);
  QIcon combined;
  const QList<QSize> smallSizes = small.availableSizes();
  for (const QSize& size : big.availableSizes()) {
    if (!smallSizes.contains(size)) combined.addPixmap(big.pixmap(size));
  }
  for (const QSize& size : smallSizes) combined.addPixmap(small.pixmap(size));
  setWindowIcon(combined);
}

void DialogWindow::resizeEvent(QResizeEvent*) { LayoutChildren(); }

void DialogWindow::changeEvent(QEvent* pEvent) {
  QWidget::changeEvent(pEvent);
  if (pEvent->type() == QEvent::WindowStateChange) NotifySize();
}

void DialogWindow::closeEvent(QCloseEvent* pEvent) {
  // The close box and the window manager's close: the window decides.
  pEvent->ignore();
  if (!IsDisabledByModal(this)) Send(WM_SYSCOMMAND, SC_CLOSE, 0);
}

void DialogWindow::keyPressEvent(QKeyEvent* pEvent) {
  const Qt::KeyboardModifiers mods = pEvent->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  const int key = pEvent->key();
  if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !(mods & (Qt::ControlModifier | Qt::AltModifier))) {
    // A focused push button answers Enter; else the default button; a
    // dialog without one gets IDOK.
    int nId = IDOK;
    QWidget* pButton = nullptr;
    for (const Item& item : m_items) {
      if (item.bPushButton && item.pWidget->hasFocus()) pButton = item.pWidget;
    }
    if (pButton == nullptr) {
      for (const Item& item : m_items) {
        if (item.bPushButton && (item.dwStyle & 0xF) == BS_DEFPUSHBUTTON) pButton = item.pWidget;
      }
    }
    if (pButton) {
      if (!pButton->isEnabled()) return;
      nId = ItemId(pButton);
    }
    Send(WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED), reinterpret_cast<LPARAM>(pButton));
    return;
  }
  if (key == Qt::Key_Escape && mods == Qt::NoModifier) {
    Send(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(ItemWidget(IDCANCEL)));
    return;
  }
  QWidget::keyPressEvent(pEvent);
}

void DialogWindow::contextMenuEvent(QContextMenuEvent* pEvent) {
  // A right click on the free part of the menu bar opens the system menu.
  if (m_pMenuBar == nullptr) return pEvent->ignore();
  QWidget* pHit = childAt(pEvent->pos());
  auto* pBar = qobject_cast<QMenuBar*>(pHit);
  if (pBar == nullptr || (pBar != m_pMenuBar && pBar->parentWidget() != m_pMenuBar)) return pEvent->ignore();
  if (pBar->actionAt(pBar->mapFrom(this, pEvent->pos()))) return pEvent->ignore();
  PopupSystemMenu(pEvent->globalPos());
  pEvent->accept();
}

bool DialogWindow::AcceptsDrop(const QMimeData* pData) const {
  return acceptDrops() && pData && pData->hasUrls() && isEnabled() && !IsDisabledByModal(this);
}

void DialogWindow::dragEnterEvent(QDragEnterEvent* pEvent) {
  if (AcceptsDrop(pEvent->mimeData())) pEvent->acceptProposedAction();
}

void DialogWindow::dragMoveEvent(QDragMoveEvent* pEvent) {
  if (AcceptsDrop(pEvent->mimeData())) pEvent->acceptProposedAction();
}

void DialogWindow::dropEvent(QDropEvent* pEvent) {
  if (!AcceptsDrop(pEvent->mimeData())) return;
  pEvent->acceptProposedAction();
  auto pDrop = std::make_shared<DropObject>();
  for (const QUrl& url : pEvent->mimeData()->urls()) {
    // Only local files have a path; anything else drops an empty one.
    QByteArray path = url.isLocalFile() ? QFile::encodeName(url.toLocalFile()) : QByteArray();
    pDrop->paths.emplace_back(path.constData(), static_cast<int>(path.size()));
  }
  // Handled once the drag has ended, so that the source is not kept waiting
  // while the window works on the files.
  QMetaObject::invokeMethod(
      this, [this, pDrop]() { Send(WM_DROPFILES, reinterpret_cast<WPARAM>(pDrop.get()), 0); }, Qt::QueuedConnection);
}
