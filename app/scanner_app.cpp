#include "app/scanner_app.h"

#include "app/scanner_dlg.h"

BEGIN_MESSAGE_MAP(CScannerApp, CWinApp)
  ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

CScannerApp::CScannerApp() = default;

BOOL CScannerApp::InitInstance() {
  Enable3dControlsStatic();
  CScannerDlg dlg;
  m_pMainWnd = &dlg;
  dlg.DoModal();
  m_pMainWnd = nullptr;  // the window is gone with this function
  // No message loop of the application's own: the program ends here.
  return FALSE;
}
