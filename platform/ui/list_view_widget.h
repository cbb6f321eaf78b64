// The list view of a dialog's "SysListView32" control: a report view that
// shows a CListCtrl, reading its rows and selection straight from the
// control's RowStore.
#pragma once

#include "platform/core/win_types.h"

class QWidget;
class CListCtrl;

// The widget of a "SysListView32" control, made from its template style (LVS_* bits).
QWidget* CreateListViewWidget(QWidget* pParent, DWORD dwStyle);
// Shows pList in a widget made by CreateListViewWidget; pList's MoveWindow
// and column calls reach the widget from then on. nullptr detaches.
void BindListView(QWidget* pWidget, CListCtrl* pList);
// The widget notes the list's changes and catches up with them at the next
// turn of the event loop; this catches up now (rows, columns, focus row).
void UpdateListView(QWidget* pWidget);
