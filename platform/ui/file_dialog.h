// CFileDialog: the platform's open and save dialogs.
#pragma once

#include <memory>
#include <vector>

#include "platform/core/cstring.h"
#include "platform/ui/messages.h"

class CWnd;

enum : DWORD {
  OFN_OVERWRITEPROMPT = 0x00000002,
  OFN_HIDEREADONLY = 0x00000004,
  OFN_FILEMUSTEXIST = 0x00001000,
};

class CFileDialog {
 public:
  // lpszFilter: pairs of a name and its patterns, "Text Files|*.txt|All
  // Files|*.*||"; several patterns are separated by ';'. The first pair is
  // preselected. lpszFileName: the proposed name, a whole path or a name.
  // lpszDefExt: appended to a name typed without extension; null appends
  // nothing.
  explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                       DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                       CWnd* pParentWnd = nullptr);
  ~CFileDialog();

  // IDOK when a file was chosen, else IDCANCEL. A save dialog with
  // OFN_OVERWRITEPROMPT asks before it names an existing file; No there
  // gives IDCANCEL.
  INT_PTR DoModal();
  // The chosen file's full path, exactly as chosen.
  CString GetPathName() const { return m_strPathName; }

 private:
  BOOL m_bOpenFileDialog;
  CString m_strDefExt;
  CString m_strFileName;
  DWORD m_dwFlags;
  CString m_strFilter;
  CWnd* m_pParentWnd;
  CString m_strPathName;
};

// The filter as Qt name filters: "Text Files (*.txt)", "All Files (*)".
// "*.*" means every file.
std::vector<CString> AfxFileDialogNameFilters(LPCTSTR lpszFilter);
