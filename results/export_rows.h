// The export file: one line per row, offset text, tab, run text, CR LF.
#pragma once

#include "platform/core/file.h"
#include "platform/core/list_ctrl.h"

// Opens pszPath for an export: created when missing, emptied when it
// exists; others may read it but not write it meanwhile.
BOOL OpenExportFile(CFile& file, LPCTSTR pszPath, CFileException* pError = nullptr);
// Writes every row (bAll) or the selected ones, in list order. A write
// error throws CFileException naming the file.
void WriteResultRows(const CListCtrl& list, CFile& file, BOOL bAll);
