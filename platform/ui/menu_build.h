// Building menus for windows (inside platform/ui only).
#pragma once

#include "platform/core/resource_types.h"
#include "platform/ui/handles.h"

class QAction;
class QMenuBar;
class QWidget;

// A menu bar for hWndOwner from a template. A pop-up marked MF_HELP sits at
// the right end of the bar.
QMenuBar* BuildMenuBar(const MenuTemplate& menuTemplate, HWND hWndOwner);
// Makes choosing pAction post nMessage (WM_COMMAND or WM_SYSCOMMAND) with
// nId to hWndOwner, and records the item's id and state bits.
void BindMenuAction(QAction* pAction, UINT nId, UINT nFlags, HWND hWndOwner, UINT nMessage);
// The command id of a menu action.
UINT MenuActionId(const QAction* pAction);
// The bar's items: its own, then those at its right end.
QList<QAction*> MenuBarActions(const QMenuBar* pBar);
// The item nId of a menu bar or menu, searching pop-ups too; null when missing.
QAction* FindMenuAction(const QWidget* pRoot, UINT nId);
