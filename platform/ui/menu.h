// CMenu: a window's menu bar or its system menu. Items are found by command
// id (MF_BYCOMMAND, searching pop-ups too) or by position (MF_BYPOSITION,
// top level only). Choosing an item sends its id to the window: WM_COMMAND
// from the menu bar, WM_SYSCOMMAND from the system menu.
#pragma once

#include "platform/core/cstring.h"
#include "platform/core/resource_types.h"
#include "platform/ui/handles.h"
#include "platform/ui/messages.h"

class CMenu {
 public:
  // A menu whose items are the actions of pRoot (a QMenuBar or a QMenu);
  // chosen items send nMessage to hWndOwner. The window layer makes these.
  CMenu(QWidget* pRoot, HWND hWndOwner, UINT nMessage);
  CMenu(const CMenu&) = delete;
  CMenu& operator=(const CMenu&) = delete;

  // nEnable: MF_BYCOMMAND or MF_BYPOSITION with MF_ENABLED, MF_GRAYED or
  // MF_DISABLED. Answers the item's previous MF_GRAYED/MF_DISABLED bits, or
  // (UINT)-1 when there is no such item.
  UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable);
  // MF_STRING (with MF_GRAYED) or MF_SEPARATOR at the end.
  BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
  // MF_GRAYED, MF_DISABLED, MF_SEPARATOR and MF_POPUP bits, or (UINT)-1.
  UINT GetMenuState(UINT nId, UINT nFlags) const;
  int GetMenuItemCount() const;
  // The command id at nPos; 0 for a separator, (UINT)-1 for a pop-up.
  UINT GetMenuItemID(int nPos) const;
  // The item's text with its '&' marks; answers its length, 0 when missing.
  int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;

 private:
  QWidget* m_pRoot;
  HWND m_hWndOwner;
  UINT m_nMessage;
};
