#include "platform/ui/win_app.h"

#include <unistd.h>

#include <QApplication>
#include <QWidget>
#include <climits>
#include <memory>

#include "platform/core/file.h"
#include "platform/core/resource_types.h"
#include "platform/ui/command_line.h"
#include "platform/ui/dialog.h"
#include "platform/ui/icon_object.h"
#include "platform/ui/message_box.h"
#include "platform/ui/qt_support.h"

namespace {

CWinApp* g_pApp = nullptr;
bool g_bModulePathSet = false;
CString g_strModulePath;
std::vector<HelpRequest> g_helpRequests;

CString ModulePath() {
  if (g_bModulePathSet) return g_strModulePath;
  char buffer[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer);
  return n > 0 ? CString(buffer, static_cast<int>(n)) : CString();
}

// The help context of the dialog nearest to the keyboard focus, walking up
// parents and owners; 0 when no dialog is on the way.
DWORD FocusHelpContext() {
  QWidget* pWidget = QApplication::focusWidget();
  if (pWidget == nullptr) pWidget = QApplication::activeWindow();
  for (; pWidget; pWidget = pWidget->parentWidget()) {
    if (auto* pDialog = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(pWidget))) {
      return HID_BASE_RESOURCE + pDialog->m_nIDHelp;
    }
  }
  return 0;
}

}  // namespace

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
  ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCTSTR pszAppName) : m_strGivenName(pszAppName) {
  g_pApp = this;
  m_strAppName = m_strGivenName;
  m_pszAppName = m_strAppName;
  m_pszExeName = m_strExeName;
  m_pszHelpFilePath = m_strHelpFilePath;
}

CWinApp::~CWinApp() {
  if (g_pApp == this) g_pApp = nullptr;
}

void CWinApp::InitNames() {
  const CString strPath = ModulePath();
  const int nName = strPath.ReverseFind('/') + 1;
  const int nDot = AfxFindExtension(strPath);
  const CString strStem = nDot >= 0 ? strPath.Left(nDot) : strPath;
  m_strExeName = strStem.Mid(nName);
  m_strHelpFilePath = strStem + ".HLP";
  if (!m_strGivenName.IsEmpty()) m_strAppName = m_strGivenName;
  else if (LPCTSTR pszTitle = AfxFindString(AFX_IDS_APP_TITLE)) m_strAppName = pszTitle;
  else m_strAppName = m_strExeName;
  m_pszAppName = m_strAppName;
  m_pszExeName = m_strExeName;
  m_pszHelpFilePath = m_strHelpFilePath;
}

BOOL CWinApp::InitApplication() { return TRUE; }
BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::Run() {
  QApplication::exec();
  return ExitInstance();
}

int CWinApp::ExitInstance() { return 0; }

HICON CWinApp::LoadIcon(UINT nId) const { return AfxLoadIconGroup(nId); }

void CWinApp::OnHelp() {
  // Menus and mouse captures end before help is shown.
  while (QWidget* pPopup = QApplication::activePopupWidget()) pPopup->close();
  if (QWidget* pGrabber = QWidget::mouseGrabber()) pGrabber->releaseMouse();
  const DWORD dwContext = FocusHelpContext();
  if (dwContext) WinHelp(dwContext, HELP_CONTEXT);
  else WinHelp(0, HELP_FINDER);
}

void CWinApp::WinHelp(DWORD_PTR dwData, UINT nCmd) {
  g_helpRequests.push_back(HelpRequest{m_strHelpFilePath, nCmd, dwData});
  // There is no help engine to start.
  AfxMessageBox("Failed to launch help.");
}

CWinApp* AfxGetApp() { return g_pApp; }
CWnd* AfxGetMainWnd() { return g_pApp ? g_pApp->m_pMainWnd : nullptr; }
LPCTSTR AfxGetAppName() { return g_pApp && g_pApp->m_pszAppName ? g_pApp->m_pszAppName : ""; }

void AfxSetModulePath(LPCTSTR pszPath) {
  g_bModulePathSet = pszPath != nullptr;
  g_strModulePath = pszPath;
}

const std::vector<HelpRequest>& AfxGetHelpRequests() { return g_helpRequests; }

int AfxWinMain(int argc, char** argv) {
  static int s_argc;
  s_argc = argc;
  std::unique_ptr<QApplication> pQtApp;
  if (QCoreApplication::instance() == nullptr) {
    pQtApp = std::make_unique<QApplication>(s_argc, argv);
    pQtApp->setQuitOnLastWindowClosed(false);
  }
  // What is left once Qt has taken its own options.
  AfxSetCommandLineArgs(s_argc, argv);
  CWinApp* pApp = AfxGetApp();
  if (pApp == nullptr) return -1;
  pApp->InitNames();
  QCoreApplication::setApplicationName(ToQt(pApp->m_pszExeName));
  QGuiApplication::setDesktopFileName(ToQt(pApp->m_pszExeName));
  int nResult = -1;
  if (pApp->InitApplication()) nResult = pApp->InitInstance() ? pApp->Run() : pApp->ExitInstance();
  return nResult;
}
