// CListCtrl: a report-view list control, its rows held in a RowStore.
//
// The control works headless: the scan, Find and the export use it without
// any window. A window that shows it attaches a CListView and is told of
// every change through it; it reads the rows straight from the store.
#pragma once

#include <string>
#include <vector>

#include "platform/core/cstring.h"
#include "platform/core/row_store.h"

// Item and column descriptions, as the list's operations take them.
enum : UINT { LVIF_TEXT = 0x0001, LVIF_IMAGE = 0x0002, LVIF_PARAM = 0x0004, LVIF_STATE = 0x0008 };
enum : UINT { LVIS_FOCUSED = 0x0001, LVIS_SELECTED = 0x0002 };
enum : UINT { LVCF_FMT = 0x0001, LVCF_WIDTH = 0x0002, LVCF_TEXT = 0x0004, LVCF_SUBITEM = 0x0008 };
enum : int { LVCFMT_LEFT = 0, LVCFMT_RIGHT = 1, LVCFMT_CENTER = 2 };
enum : int { LVSCW_AUTOSIZE = -1, LVSCW_AUTOSIZE_USEHEADER = -2 };

struct LVITEM {
  UINT mask = 0;
  int iItem = 0;
  int iSubItem = 0;
  UINT state = 0;
  UINT stateMask = 0;
  LPTSTR pszText = nullptr;
  int cchTextMax = 0;
  int iImage = 0;
  LPARAM lParam = 0;
};

struct LVCOLUMN {
  UINT mask = 0;
  int fmt = LVCFMT_LEFT;
  int cx = 0;
  LPTSTR pszText = nullptr;
  int cchTextMax = 0;
  int iSubItem = 0;
};

// What a window showing the list is told. Calls come in bursts (a scan
// appends a million rows without a pause); a view should note them and
// catch up when it next paints.
class CListView {
 public:
  virtual ~CListView() = default;
  virtual void OnColumnsChanged() = 0;
  virtual void OnRowsChanged() = 0;       // rows added, changed or removed
  virtual void OnSelectionChanged() = 0;
  virtual void OnColumnWidthChanged(int nCol, int cx) = 0;  // cx may be LVSCW_*
  virtual void OnMove(int x, int y, int cx, int cy, BOOL bRepaint) = 0;
  // The list is going away; the view must forget it.
  virtual void OnListDestroyed() {}
};

class CListCtrl {
 public:
  struct Column {
    CString strHeader;
    int fmt = LVCFMT_LEFT;
    int cx = 0;
    int iSubItem = 0;
  };

  CListCtrl() = default;
  CListCtrl(const CListCtrl&) = delete;
  CListCtrl& operator=(const CListCtrl&) = delete;
  ~CListCtrl();

  int InsertColumn(int nCol, const LVCOLUMN* pColumn);
  // The width travels as a 16-bit value: cx's low 16 bits, read back signed,
  // so -1 and -2 ask to fit the column to its contents and to its header.
  BOOL SetColumnWidth(int nCol, int cx);
  int GetColumnWidth(int nCol) const;
  // Records a width the view gave a column (the user dragged its edge, or a
  // fit to contents); the view is not told again.
  void NoteColumnWidth(int nCol, int cx);
  int GetColumnCount() const { return static_cast<int>(m_columns.size()); }
  const Column& GetColumn(int nCol) const { return m_columns[nCol]; }

  BOOL DeleteAllItems();
  int GetItemCount() const { return m_rows.Count(); }
  // Inserts a row before pItem->iItem (clamped to the count) with its text
  // and state; answers the new row's index, or -1.
  int InsertItem(const LVITEM* pItem);
  // Sets a row's text (LVIF_TEXT, for iSubItem) and state bits (LVIF_STATE,
  // the bits of stateMask); other rows are left alone.
  BOOL SetItem(const LVITEM* pItem);
  BOOL SetItemText(int nItem, int nSubItem, LPCTSTR pszText);
  BOOL SetItemState(int nItem, UINT nState, UINT nMask);
  // The whole text of a row's column.
  CString GetItemText(int nItem, int nSubItem) const;
  UINT GetItemState(int nItem, UINT nMask) const;
  int GetSelectedCount() const;

  // The row that holds the focus mark, or -1.
  int GetFocusItem() const { return m_nFocus; }

  void MoveWindow(int x, int y, int cx, int cy, BOOL bRepaint = TRUE);

  // The window showing this list, or none.
  void AttachView(CListView* pView) { m_pView = pView; }
  CListView* GetView() const { return m_pView; }
  RowStore& Store() { return m_rows; }
  const RowStore& Store() const { return m_rows; }
  void NotifySelectionChanged() { if (m_pView) m_pView->OnSelectionChanged(); }

 private:
  std::vector<Column> m_columns;
  RowStore m_rows;
  int m_nFocus = -1;
  CListView* m_pView = nullptr;
};
