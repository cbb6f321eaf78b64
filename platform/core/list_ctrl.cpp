#include "platform/core/list_ctrl.h"

#include <bit>

CListCtrl::~CListCtrl() {
  if (m_pView) m_pView->OnListDestroyed();
}

int CListCtrl::InsertColumn(int nCol, const LVCOLUMN* pColumn) {
  if (pColumn == nullptr || nCol < 0) return -1;
  if (nCol > GetColumnCount()) nCol = GetColumnCount();
  Column column;
  if (pColumn->mask & LVCF_TEXT) column.strHeader = pColumn->pszText;
  if (pColumn->mask & LVCF_FMT) column.fmt = pColumn->fmt;
  if (pColumn->mask & LVCF_WIDTH) column.cx = pColumn->cx;
  if (pColumn->mask & LVCF_SUBITEM) column.iSubItem = pColumn->iSubItem;
  m_columns.insert(m_columns.begin() + nCol, column);
  if (m_pView) m_pView->OnColumnsChanged();
  return nCol;
}

BOOL CListCtrl::SetColumnWidth(int nCol, int cx) {
  if (nCol < 0 || nCol >= GetColumnCount()) return FALSE;
  const int cxSent = static_cast<int16_t>(static_cast<uint16_t>(cx & 0xffff));
  if (cxSent >= 0) m_columns[nCol].cx = cxSent;
  if (m_pView) m_pView->OnColumnWidthChanged(nCol, cxSent);
  return TRUE;
}

void CListCtrl::NoteColumnWidth(int nCol, int cx) {
  if (nCol >= 0 && nCol < GetColumnCount() && cx >= 0) m_columns[nCol].cx = cx;
}

int CListCtrl::GetColumnWidth(int nCol) const {
  return nCol >= 0 && nCol < GetColumnCount() ? m_columns[nCol].cx : 0;
}

BOOL CListCtrl::DeleteAllItems() {
  m_rows.Clear();
  m_nFocus = -1;
  if (m_pView) m_pView->OnRowsChanged();
  return TRUE;
}

int CListCtrl::InsertItem(const LVITEM* pItem) {
  if (pItem == nullptr || pItem->iItem < 0) return -1;
  std::string_view text;
  if ((pItem->mask & LVIF_TEXT) && pItem->pszText) text = pItem->pszText;
  int nRow = m_rows.Insert(pItem->iItem, text);
  if (m_nFocus >= nRow) ++m_nFocus;
  if (pItem->mask & LVIF_STATE) SetItemState(nRow, pItem->state, pItem->stateMask);
  if (m_pView) m_pView->OnRowsChanged();
  return nRow;
}

BOOL CListCtrl::SetItem(const LVITEM* pItem) {
  if (pItem == nullptr || pItem->iItem < 0 || pItem->iItem >= GetItemCount()) return FALSE;
  if (pItem->mask & LVIF_TEXT) {
    m_rows.SetText(pItem->iItem, pItem->iSubItem, pItem->pszText ? pItem->pszText : "");
    if (m_pView) m_pView->OnRowsChanged();
  }
  if (pItem->mask & LVIF_STATE) SetItemState(pItem->iItem, pItem->state, pItem->stateMask);
  return TRUE;
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR pszText) {
  LVITEM item;
  item.mask = LVIF_TEXT;
  item.iItem = nItem;
  item.iSubItem = nSubItem;
  item.pszText = const_cast<LPTSTR>(pszText);
  return SetItem(&item);
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask) {
  if (nItem < 0 || nItem >= GetItemCount()) return FALSE;
  if (nMask & LVIS_SELECTED) {
    bool bSelected = (nState & LVIS_SELECTED) != 0;
    if (m_rows.IsSelected(nItem) != bSelected) {
      m_rows.SetSelected(nItem, bSelected);
      NotifySelectionChanged();
    }
  }
  if (nMask & LVIS_FOCUSED) {
    if (nState & LVIS_FOCUSED) m_nFocus = nItem;
    else if (m_nFocus == nItem) m_nFocus = -1;
    NotifySelectionChanged();
  }
  return TRUE;
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const {
  return CString(m_rows.Text(nItem, nSubItem));
}

UINT CListCtrl::GetItemState(int nItem, UINT nMask) const {
  if (nItem < 0 || nItem >= GetItemCount()) return 0;
  UINT nState = 0;
  if (m_rows.IsSelected(nItem)) nState |= LVIS_SELECTED;
  if (m_nFocus == nItem) nState |= LVIS_FOCUSED;
  return nState & nMask;
}

int CListCtrl::GetSelectedCount() const {
  int n = 0;
  for (uint64_t word : m_rows.SelectionWords()) n += std::popcount(word);
  return n;
}

void CListCtrl::MoveWindow(int x, int y, int cx, int cy, BOOL bRepaint) {
  if (m_pView) m_pView->OnMove(x, y, cx, cy, bRepaint);
}
