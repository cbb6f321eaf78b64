#include "results/result_list.h"

namespace {

void InsertLeftColumn(CListCtrl& list, int nCol, LPCTSTR pszHeader, int cx) {
  LVCOLUMN column;
  column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
  column.fmt = LVCFMT_LEFT;
  column.cx = cx;
  column.pszText = const_cast<LPTSTR>(pszHeader);
  column.iSubItem = nCol;
  list.InsertColumn(nCol, &column);
}

}  // namespace

void CreateResultColumns(CListCtrl& list) {
  InsertLeftColumn(list, 0, "Offset", 75);
  InsertLeftColumn(list, 1, "Text", 170);
}

void AppendResultRow(CListCtrl& list, LPCTSTR pszOffset, LPCTSTR pszText) {
  LVITEM item;
  item.mask = LVIF_TEXT;
  item.iItem = list.GetItemCount();
  item.pszText = const_cast<LPTSTR>(pszOffset);
  int nRow = list.InsertItem(&item);
  // A row the control could not take is missing; the caller goes on.
  if (nRow < 0) return;
  item.iItem = nRow;
  item.iSubItem = 1;
  item.pszText = const_cast<LPTSTR>(pszText);
  list.SetItem(&item);
}

void SelectResultRow(CListCtrl& list, int nRow) {
  LVITEM item;
  item.mask = LVIF_STATE;
  item.iItem = nRow;
  item.state = LVIS_SELECTED;
  item.stateMask = LVIS_SELECTED;
  list.SetItem(&item);
}

BOOL IsResultRowSelected(const CListCtrl& list, int nRow) {
  return list.GetItemState(nRow, LVIS_SELECTED) == LVIS_SELECTED;
}

void FitResultList(CListCtrl& list, int cx, int cy) {
  list.MoveWindow(0, 0, cx, cy, TRUE);
  // The width goes in the low 16 bits, as the control reads it.
  list.SetColumnWidth(1, LOWORD(cx - 105));
}
