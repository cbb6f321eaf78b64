#include "platform/ui/menu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QVariant>

#include "platform/ui/menu_build.h"
#include "platform/ui/qt_support.h"
#include "platform/ui/wnd.h"

namespace {

constexpr char kStateBits[] = "veldrinMenuState";
constexpr UINT kEnableBits = MF_GRAYED | MF_DISABLED;

QList<QAction*> ItemsOf(const QWidget* pRoot) {
  if (auto* pBar = qobject_cast<const QMenuBar*>(pRoot)) return MenuBarActions(pBar);
  return pRoot ? pRoot->actions() : QList<QAction*>();
}

QAction* FindById(const QWidget* pRoot, UINT nId) {
  for (QAction* pAction : ItemsOf(pRoot)) {
    if (pAction->menu()) {
      if (QAction* pFound = FindById(pAction->menu(), nId)) return pFound;
    } else if (!pAction->isSeparator() && MenuActionId(pAction) == nId) {
      return pAction;
    }
  }
  return nullptr;
}

QAction* FindItem(const QWidget* pRoot, UINT nItem, UINT nFlags) {
  if (nFlags & MF_BYPOSITION) {
    QList<QAction*> items = ItemsOf(pRoot);
    return nItem < static_cast<UINT>(items.size()) ? items[static_cast<int>(nItem)] : nullptr;
  }
  return FindById(pRoot, nItem);
}

UINT StateBits(const QAction* pAction) { return pAction->property(kStateBits).toUInt(); }

}  // namespace

UINT MenuActionId(const QAction* pAction) { return pAction->data().toUInt(); }

QAction* FindMenuAction(const QWidget* pRoot, UINT nId) { return FindById(pRoot, nId); }

QList<QAction*> MenuBarActions(const QMenuBar* pBar) {
  QList<QAction*> items = pBar->actions();
  if (auto* pRight = qobject_cast<QMenuBar*>(pBar->cornerWidget(Qt::TopRightCorner))) items += pRight->actions();
  return items;
}

void BindMenuAction(QAction* pAction, UINT nId, UINT nFlags, HWND hWndOwner, UINT nMessage) {
  pAction->setData(nId);
  pAction->setProperty(kStateBits, nFlags & kEnableBits);
  pAction->setEnabled((nFlags & kEnableBits) == 0);
  // Posted, as a menu's choice arrives once the menu has closed.
  QObject::connect(pAction, &QAction::triggered, hWndOwner, [hWndOwner, nId, nMessage]() {
    if (CWnd* pWnd = CWnd::FromHandlePermanent(hWndOwner)) pWnd->PostMessage(nMessage, nId, 0);
  });
}

namespace {

void AddItems(QWidget* pMenu, const MenuItemTemplate* pItems, int nItems, HWND hWndOwner) {
  for (int i = 0; i < nItems; ++i) {
    const MenuItemTemplate& item = pItems[i];
    if (item.nFlags & MF_POPUP) {
      auto* pPopup = new QMenu(ToQt(item.pszText), pMenu);
      AddItems(pPopup, item.pItems, item.nItems, hWndOwner);
      pPopup->menuAction()->setProperty(kStateBits, item.nFlags & kEnableBits);
      pPopup->menuAction()->setEnabled((item.nFlags & kEnableBits) == 0);
      pMenu->addAction(pPopup->menuAction());
    } else if (item.nFlags & MF_SEPARATOR) {
      auto* pSeparator = new QAction(pMenu);
      pSeparator->setSeparator(true);
      pMenu->addAction(pSeparator);
    } else {
      auto* pAction = new QAction(ToQt(item.pszText), pMenu);
      BindMenuAction(pAction, item.nId, item.nFlags, hWndOwner, WM_COMMAND);
      pMenu->addAction(pAction);
    }
  }
}

}  // namespace

QMenuBar* BuildMenuBar(const MenuTemplate& menuTemplate, HWND hWndOwner) {
  auto* pBar = new QMenuBar(hWndOwner);
  pBar->setNativeMenuBar(false);  // inside the window, as the window's size counts it
  QMenuBar* pRight = nullptr;
  for (int i = 0; i < menuTemplate.nItems; ++i) {
    const MenuItemTemplate& item = menuTemplate.pItems[i];
    QMenuBar* pTarget = pBar;
    if (item.nFlags & MF_HELP) {
      if (pRight == nullptr) {
        pRight = new QMenuBar(pBar);
        pRight->setNativeMenuBar(false);
        pBar->setCornerWidget(pRight, Qt::TopRightCorner);
      }
      pTarget = pRight;
    }
    AddItems(pTarget, &item, 1, hWndOwner);
  }
  return pBar;
}

CMenu::CMenu(QWidget* pRoot, HWND hWndOwner, UINT nMessage)
    : m_pRoot(pRoot), m_hWndOwner(hWndOwner), m_nMessage(nMessage) {}

UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable) {
  QAction* pAction = FindItem(m_pRoot, nIDEnableItem, nEnable);
  if (pAction == nullptr) return static_cast<UINT>(-1);
  UINT nPrevious = StateBits(pAction);
  pAction->setProperty(kStateBits, nEnable & kEnableBits);
  pAction->setEnabled((nEnable & kEnableBits) == 0);
  return nPrevious;
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
  if (m_pRoot == nullptr || (nFlags & MF_POPUP)) return FALSE;
  auto* pAction = new QAction(m_pRoot);
  if (nFlags & MF_SEPARATOR) {
    pAction->setSeparator(true);
  } else {
    pAction->setText(ToQt(lpszNewItem));
    BindMenuAction(pAction, static_cast<UINT>(nIDNewItem), nFlags, m_hWndOwner, m_nMessage);
  }
  m_pRoot->addAction(pAction);
  return TRUE;
}

UINT CMenu::GetMenuState(UINT nId, UINT nFlags) const {
  QAction* pAction = FindItem(m_pRoot, nId, nFlags);
  if (pAction == nullptr) return static_cast<UINT>(-1);
  if (pAction->isSeparator()) return MF_SEPARATOR;
  UINT nState = StateBits(pAction);
  if (pAction->menu()) nState |= MF_POPUP | (static_cast<UINT>(pAction->menu()->actions().size()) << 8);
  return nState;
}

int CMenu::GetMenuItemCount() const { return static_cast<int>(ItemsOf(m_pRoot).size()); }

UINT CMenu::GetMenuItemID(int nPos) const {
  QList<QAction*> items = ItemsOf(m_pRoot);
  if (nPos < 0 || nPos >= items.size()) return static_cast<UINT>(-1);
  const QAction* pAction = items[nPos];
  if (pAction->menu()) return static_cast<UINT>(-1);
  return pAction->isSeparator() ? 0 : MenuActionId(pAction);
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const {
  QAction* pAction = FindItem(m_pRoot, nIDItem, nFlags);
  rString = pAction && !pAction->isSeparator() ? FromQt(pAction->text()) : CString();
  return rString.GetLength();
}
