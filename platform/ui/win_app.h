// CWinApp: the application object, the entry point and the Help command.
#pragma once

#include <vector>

#include "platform/core/cstring.h"
#include "platform/ui/handles.h"
#include "platform/ui/msg_map.h"

class CWnd;

// Help engine commands.
enum : UINT { HELP_CONTEXT = 0x0001, HELP_FINDER = 0x000B };
// A dialog's help context is this plus its template id.
enum : DWORD { HID_BASE_RESOURCE = 0x20000 };
// The application title string; when present it names the application.
enum : UINT { AFX_IDS_APP_TITLE = 57344 };

class CWinApp : public CCmdTarget {
 public:
  // The one application object; pszAppName null names it after the
  // executable (or the title string).
  explicit CWinApp(LPCTSTR pszAppName = nullptr);
  ~CWinApp() override;

  // Derives the names from the executable's path (AfxSetModulePath, else
  // /proc/self/exe): m_pszExeName is its file name without the extension,
  // m_pszHelpFilePath the path with the extension replaced by ".HLP", and
  // m_pszAppName the constructor's name, else string AFX_IDS_APP_TITLE, else
  // the executable's name. AfxWinMain calls it.
  void InitNames();

  virtual BOOL InitApplication();
  virtual BOOL InitInstance();
  // The application's message loop, for an InitInstance that returns TRUE.
  virtual int Run();
  virtual int ExitInstance();

  // Asks the help engine for dwData of the help file m_pszHelpFilePath.
  virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);

  // The icon group nId of the resources, with all its images; null when
  // there is none.
  HICON LoadIcon(UINT nId) const;
  // Kept for the program's start-up; controls look the same on every version.
  BOOL Enable3dControlsStatic() { return TRUE; }

  LPCTSTR m_pszAppName = nullptr;
  LPCTSTR m_pszExeName = nullptr;
  LPCTSTR m_pszHelpFilePath = nullptr;
  CWnd* m_pMainWnd = nullptr;

  // ID_HELP: asks the help engine for the context of the dialog that has
  // the keyboard focus (HID_BASE_RESOURCE + its template id).
  void OnHelp();

  DECLARE_MESSAGE_MAP()

 private:
  CString m_strGivenName;
  CString m_strAppName;
  CString m_strExeName;
  CString m_strHelpFilePath;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
// Never null; empty without an application object.
LPCTSTR AfxGetAppName();

// The executable's full path that InitNames uses instead of /proc/self/exe.
void AfxSetModulePath(LPCTSTR pszPath);

// The entry point: makes the QApplication, keeps the arguments for
// GetCommandLine, derives the names, then InitApplication and InitInstance.
// When InitInstance answers FALSE the result is ExitInstance's.
int AfxWinMain(int argc, char** argv);

// What the help engine was asked, in order. No help engine exists here: each
// request fails and the user is told so.
struct HelpRequest {
  CString strHelpFile;
  UINT nCmd;
  DWORD_PTR dwData;
};
const std::vector<HelpRequest>& AfxGetHelpRequests();
