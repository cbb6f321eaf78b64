// CScannerDlg: the program's only window, a resizable dialog whose client
// area is the result list. It routes every command to the code that does
// it and owns the program's state.
#pragma once

#include "platform/ui/dialog.h"
#include "res/resource.h"
#include "scanner/scan_window.h"

class CScannerDlg : public CDialog, public CScanWindow {
 public:
  explicit CScannerDlg(CWnd* pParent = nullptr);

  // Writes every row (bAll) or the selected ones to a file the user picks.
  void ExportList(BOOL bAll);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void SetStatus(LPCTSTR pszSuffix) override;
  void EnableRowCommands(BOOL bEnable) override;

  void OnSysCommand(UINT nID, LPARAM lParam);
  void OnPaint();
  HICON OnQueryDragIcon();
  void OnSize(UINT nType, int cx, int cy);
  void OnMinTextLength();
  void OnExit();
  void OnOpenFile();
  void OnExportAll();
  void OnExportMarked();
  void OnDropFiles(HDROP hDropInfo);
  void OnAbout();
  void OnEditFind();

  BOOL m_bInitializing = TRUE;  // size changes leave the list alone until initialised
  HICON m_hIcon;
  HICON m_hSmallIcon;

  DECLARE_MESSAGE_MAP()
};
