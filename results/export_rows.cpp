#include "results/export_rows.h"

#include "results/result_list.h"

BOOL OpenExportFile(CFile& file, LPCTSTR pszPath, CFileException* pError) {
  return file.Open(pszPath, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite | CFile::typeBinary,
                   pError);
}

void WriteResultRows(const CListCtrl& list, CFile& file, BOOL bAll) {
  const int nCount = list.GetItemCount();
  for (int nRow = 0; nRow < nCount; ++nRow) {
    if (!bAll && !IsResultRowSelected(list, nRow)) continue;
    CString strOffset = list.GetItemText(nRow, 0);
    file.Write(static_cast<LPCTSTR>(strOffset), strOffset.GetLength());
    file.Write("\t", 1);
    CString strText = list.GetItemText(nRow, 1);
    file.Write(static_cast<LPCTSTR>(strText), strText.GetLength());
    file.Write("\r\n", 2);
  }
}
