#include "results/find_rows.h"

#include "results/result_list.h"

BOOL SelectRowsContaining(CListCtrl& list, CString& strFind) {
  const int nCount = list.GetItemCount();
  strFind.MakeUpper();
  BOOL bFound = FALSE;
  for (int nRow = 0; nRow < nCount; ++nRow) {
    CString strText = list.GetItemText(nRow, 1);
    strText.MakeUpper();
    if (strText.Find(strFind) >= 0) {
      SelectResultRow(list, nRow);
      bFound = TRUE;
    }
  }
  return bFound;
}
