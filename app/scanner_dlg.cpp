#include "app/scanner_dlg.h"

#include "app/about_dlg.h"
#include "app/command_line.h"
#include "app/prompt_dlg.h"
#include "platform/ui/command_line.h"
#include "platform/ui/drop.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/menu.h"
#include "platform/ui/message_box.h"
#include "platform/ui/paint.h"
#include "platform/ui/win_app.h"
#include "results/export_rows.h"
#include "results/find_rows.h"
#include "results/result_list.h"

BEGIN_MESSAGE_MAP(CScannerDlg, CDialog)
  ON_WM_SYSCOMMAND()
  ON_WM_PAINT()
  ON_WM_QUERYDRAGICON()
  ON_WM_SIZE()
  ON_COMMAND(IDM_OPTIONS_MINLENGTH, OnMinTextLength)
  ON_COMMAND(IDM_FILE_EXIT, OnExit)
  ON_COMMAND(IDM_FILE_OPEN, OnOpenFile)
  ON_COMMAND(IDM_EXPORT_ALL, OnExportAll)
  ON_COMMAND(IDM_EXPORT_MARKED, OnExportMarked)
  ON_WM_DROPFILES()
  ON_COMMAND(IDM_HELP_ABOUT, OnAbout)
  ON_COMMAND(ID_EDIT_FIND, OnEditFind)
END_MESSAGE_MAP()

CScannerDlg::CScannerDlg(CWnd* pParent) : CDialog(IDD_SCANNER_DIALOG, pParent) {
  m_hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
  m_hSmallIcon = AfxGetApp()->LoadIcon(IDI_SMALLICON);
}

void CScannerDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_RESULTS, m_listResults);
}

BOOL CScannerDlg::OnInitDialog() {
  CDialog::OnInitDialog();

  CMenu* pSysMenu = GetSystemMenu(FALSE);
  if (pSysMenu != nullptr) {
    CString strAboutMenu;
    strAboutMenu.LoadString(IDS_ABOUTBOX);
    if (!strAboutMenu.IsEmpty()) {
      pSysMenu->AppendMenu(MF_SEPARATOR);
      pSysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, strAboutMenu);
    }
  }
  SetIcon(m_hIcon, TRUE);
  SetIcon(m_hSmallIcon, FALSE);

  m_nMinTextLength = 10;
  m_bInitializing = FALSE;
  CreateResultColumns(m_listResults);
  EnableRowCommands(FALSE);
  m_strExportName.Empty();
  GetWindowText(m_strBaseTitle);

  // A path on the command line is scanned before the window first shows.
  LPCTSTR pszPath = SkipProgramName(GetCommandLine());
  if (pszPath != nullptr && *pszPath != '\0') ScanFile(pszPath);
  return TRUE;
}

void CScannerDlg::SetStatus(LPCTSTR pszSuffix) { SetWindowText(m_strBaseTitle + pszSuffix); }

void CScannerDlg::EnableRowCommands(BOOL bEnable) {
  const UINT nEnable = MF_BYCOMMAND | (bEnable ? MF_ENABLED : MF_GRAYED);
  CMenu* pMenu = GetMenu();
  pMenu->EnableMenuItem(IDM_EXPORT_ALL, nEnable);
  pMenu->EnableMenuItem(IDM_EXPORT_MARKED, nEnable);
  pMenu->EnableMenuItem(ID_EDIT_FIND, nEnable);
}

void CScannerDlg::OnSysCommand(UINT nID, LPARAM lParam) {
  if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
    OnAbout();
  } else {
    CDialog::OnSysCommand(nID, lParam);
  }
}

void CScannerDlg::OnPaint() {
  if (!IsIconic()) {
    CDialog::OnPaint();
    return;
  }
  CPaintDC dc(this);
  SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
  const int cxIcon = GetSystemMetrics(SM_CXICON);
  const int cyIcon = GetSystemMetrics(SM_CYICON);
  CRect rect;
  GetClientRect(&rect);
  const int x = (rect.Width() - cxIcon + 1) / 2;
  const int y = (rect.Height() - cyIcon + 1) / 2;
  dc.DrawIcon(x, y, m_hIcon);
}

HICON CScannerDlg::OnQueryDragIcon() { return m_hIcon; }

void CScannerDlg::OnSize(UINT nType, int cx, int cy) {
  CDialog::OnSize(nType, cx, cy);
  if (m_bInitializing) return;
  // Minimised too: the list then shrinks to nothing, and the next size
  // change sets it again.
  FitResultList(m_listResults, cx, cy);
}

void CScannerDlg::OnMinTextLength() {
  CPromptDlg dlg;
  dlg.m_strPrompt = "The minimum number of alpha chars to consider a word?";
  dlg.m_strValue.Format("%d", m_nMinTextLength);
  if (dlg.DoModal() != IDOK) return;
  // Any text gives a number; a negative one lists runs of any length.
  m_nMinTextLength = TextToInt(dlg.m_strValue);
}

void CScannerDlg::OnExit() { CDialog::OnOK(); }

void CScannerDlg::OnOpenFile() {
  CFileDialog dlg(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, "Program Files|*.exe;*.com;*.dll|All Files|*.*||");
  if (dlg.DoModal() == IDOK) ScanFile(dlg.GetPathName());
}

void CScannerDlg::OnExportAll() { ExportList(TRUE); }

void CScannerDlg::OnExportMarked() { ExportList(FALSE); }

void CScannerDlg::OnDropFiles(HDROP hDropInfo) {
  // The first file only, its path whole however long.
  const UINT nLength = DragQueryFile(hDropInfo, 0, nullptr, 0);
  CString strPath;
  DragQueryFile(hDropInfo, 0, strPath.GetBuffer(static_cast<int>(nLength) + 1), nLength + 1);
  strPath.ReleaseBuffer();
  DragFinish(hDropInfo);
  ScanFile(strPath);
}

void CScannerDlg::OnAbout() {
  CAboutDlg dlg;
  dlg.DoModal();
}

void CScannerDlg::OnEditFind() {
  // The last search text, upper-cased, for as long as the program runs.
  static CString s_strLastFind;
  CPromptDlg dlg;
  dlg.m_strPrompt = "Text to find?";
  dlg.m_strValue = s_strLastFind;
  if (dlg.DoModal() != IDOK) return;
  s_strLastFind = dlg.m_strValue;
  if (!SelectRowsContaining(m_listResults, s_strLastFind)) {
    MessageBox("Text Not Found", AfxGetAppName(), MB_OK);
  }
}

void CScannerDlg::ExportList(BOOL bAll) {
  // Asks before an existing file is replaced: the proposed name is often
  // one that exists beside the scanned file.
  CFileDialog dlg(FALSE, nullptr, m_strExportName, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                  "Text Files|*.txt|All Files|*.*||");
  if (dlg.DoModal() != IDOK) return;
  SetStatus(" - Saving data to text file");
  const CString strPath = dlg.GetPathName();
  CFile file;
  if (!OpenExportFile(file, strPath)) {
    SetStatus(" - Unable to open file");
    return;
  }
  // A write error unwinds from here and is reported by the dispatch; the
  // file keeps what was written.
  WriteResultRows(m_listResults, file, bAll);
  file.Close();
  SetStatus(" - Done");
}
