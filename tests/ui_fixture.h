// Resources and windows of the window layer's tests: a prompt-like dialog,
// a resizable main window with a menu and a blank window to paint on. Each
// test program includes it from one file (it defines a message map) and
// has its own application object; UiTest names it from a fixed path.
#pragma once

#include <gtest/gtest.h>

#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "platform/core/list_ctrl.h"
#include "platform/core/resource_types.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "platform/ui/drop.h"
#include "platform/ui/menu.h"
#include "platform/ui/paint.h"
#include "platform/ui/ui_test_driver.h"
#include "platform/ui/win_app.h"

// Test failures show texts, not addresses.
inline void PrintTo(const CString& s, std::ostream* os) { *os << '"' << s.View() << '"'; }

namespace uifix {

enum : UINT {
  IDD_ASK = 200,
  IDD_MAIN = 201,
  IDD_BLANK = 202,
  IDR_MENU = 300,
  IDI_RED = 400,
  IDI_BLUE = 401,
  IDC_LIST = 1000,
  IDC_TEXT = 1002,
  IDC_EDIT = 1003,
  IDM_OPEN = 32771,
  IDM_EXIT = 32772,
  IDM_EXPORT_ALL = 32775,
  IDM_ABOUT = 32777,
  IDM_SYS_ABOUT = 0x0010,
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

inline const DlgItemTemplate kAskItems[] = {
    {"Button", IDOK, "OK", 0, 70, 40, 50, 16, kChild | BS_DEFPUSHBUTTON | WS_TABSTOP},
    {"Button", IDCANCEL, "Cancel", 0, 128, 40, 52, 16, kChild | WS_TABSTOP},
    {"Static", IDC_TEXT, "Prompt", 0, 5, 5, 175, 20, kChild | SS_LEFT | WS_GROUP},
    {"Edit", IDC_EDIT, "", 0, 5, 25, 175, 10, kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
};
inline const DlgTemplate kAsk = {IDD_ASK, "Ask", 0, 0, 186, 61, "MS Sans Serif", 8,
                                 WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, 0, 0,
                                 kAskItems, static_cast<int>(std::size(kAskItems))};

inline const DlgItemTemplate kMainItems[] = {
    {"SysListView32", IDC_LIST, nullptr, 0, 0, 0, 185, 105, kChild | WS_BORDER | WS_TABSTOP | LVS_REPORT},
};
inline const DlgTemplate kMain = {
    IDD_MAIN, "Main", 0, 0, 186, 105, "MS Sans Serif", 8,
    WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | DS_SETFONT,
    WS_EX_APPWINDOW | WS_EX_ACCEPTFILES, IDR_MENU, kMainItems, static_cast<int>(std::size(kMainItems))};

inline const DlgTemplate kBlank = {IDD_BLANK, "Blank", 0, 0, 100, 60, "MS Sans Serif", 8,
                                   WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_SETFONT, 0, 0, nullptr, 0};

inline const MenuItemTemplate kExportItems[] = {
    {MF_STRING, IDM_EXPORT_ALL, "&All...", nullptr, 0},
};
inline const MenuItemTemplate kFileItems[] = {
    {MF_STRING, IDM_OPEN, "&Open...", nullptr, 0},
    {MF_POPUP, 0, "&Export", kExportItems, static_cast<int>(std::size(kExportItems))},
    {MF_SEPARATOR, 0, nullptr, nullptr, 0},
    {MF_STRING, IDM_EXIT, "E&xit", nullptr, 0},
};
inline const MenuItemTemplate kHelpItems[] = {
    {MF_STRING, IDM_ABOUT, "About...", nullptr, 0},
};
inline const MenuItemTemplate kBarItems[] = {
    {MF_POPUP | MF_HELP, 0, "&Help", kHelpItems, static_cast<int>(std::size(kHelpItems))},
    {MF_POPUP, 0, "&File", kFileItems, static_cast<int>(std::size(kFileItems))},
};
inline const MenuTemplate kMenu = {IDR_MENU, kBarItems, static_cast<int>(std::size(kBarItems))};

inline const char* const kRedXpm[] = {
    "32 32 1 1", "r c #FF0000",
    "rrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr", "rrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr", "rrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr",
    "rrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr", "rrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr", "rrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr",
    "rrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr", "rrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr", "rrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr",
    "rrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr", "rrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr", "rrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr",
    "rrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr", "rrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr", "rrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr",
    "rrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr", "rrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr", "rrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr",
    "rrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr", "rrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr", "rrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr",
    "rrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr", "rrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr", "rrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr",
    "rrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr", "rrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr", "rrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr",
    "rrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr", "rrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr", "rrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr",
    "rrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr", "rrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr",
};
inline const char* const kBlueXpm[] = {
    "16 16 1 1", "b c #0000FF",
    "bbbbbbbbbbbbbbbb", "bbbbbbbbbbbbbbbb", "bbbbbbbbbbbbbbbb", "bbbbbbbbbbbbbbbb",
    "bbbbbbbbbbbbbbbb", "bbbbbbbbbbbbbbbb", "bbbbbbbbbbbbbbbb", "bbbbbbbbbbbbbbbb",
    "bbbbbbbbbbbbbbbb", "bbbbbbbbbbbbbbbb", "bbbbbbbbbbbbbbbb", "bbbbbbbbbbbbbbbb",
    "bbbbbbbbbbbbbbbb", "bbbbbbbbbbbbbbbb", "bbbbbbbbbbbbbbbb", "bbbbbbbbbbbbbbbb",
};
inline const IconImage kRedImages[] = {{32, 32, kRedXpm}, {16, 16, kBlueXpm}};
inline const IconImage kBlueImages[] = {{16, 16, kBlueXpm}};
inline const IconGroup kRedIcon = {IDI_RED, kRedImages, 2};
inline const IconGroup kBlueIcon = {IDI_BLUE, kBlueImages, 1};

inline const DlgTemplate* const kDialogs[] = {&kAsk, &kMain, &kBlank};
inline const MenuTemplate* const kMenus[] = {&kMenu};
inline const IconGroup* const kIcons[] = {&kRedIcon, &kBlueIcon};
inline const ResourceTable kResources = {kDialogs, 3, kMenus, 1, nullptr, 0, kIcons, 2, nullptr};

// The application object of a test program, named from a fixed path.
inline constexpr char kModulePath[] = "/opt/uitest/UITEST.BIN";

// Every test starts with the resources set and the names derived.
class UiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AfxSetResourceTable(&kResources);
    AfxSetModulePath(kModulePath);
    AfxGetApp()->InitNames();
    uitest::EnsureApplication();
  }
  void TearDown() override {
    uitest::ProcessEvents();
    EXPECT_EQ(uitest::PendingModalActions(), 0) << "an expected modal window did not come up";
  }
};

// A prompt: the edit field shows m_strValue, the static text m_strPrompt.
class CAskDlg : public CDialog {
 public:
  explicit CAskDlg(CWnd* pParent = nullptr) : CDialog(IDD_ASK, pParent) {}

  CEdit m_editValue;
  CString m_strValue;
  CString m_strPrompt;
  int m_nExchangesIn = 0;  // data exchanges from the controls

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    if (pDX->m_bSaveAndValidate) ++m_nExchangesIn;
    DDX_Control(pDX, IDC_EDIT, m_editValue);
    DDX_Text(pDX, IDC_EDIT, m_strValue);
    DDX_Text(pDX, IDC_TEXT, m_strPrompt);
  }
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    m_editValue.SetFocus();
    m_editValue.SetSel(0, -1);
    return FALSE;
  }
};

// A main window: records what reaches its handlers.
class CMainDlg : public CDialog {
 public:
  CMainDlg() : CDialog(IDD_MAIN) {}
  // The list is bound to the window: the window goes first.
  ~CMainDlg() override { DestroyWindow(); }

  struct Size {
    UINT nType;
    int cx, cy;
    bool bInitialized;
  };
  std::vector<Size> m_sizes;
  std::vector<UINT> m_sysCommands;
  std::vector<std::vector<std::string>> m_drops;
  std::string m_strFirstCut;     // the first path through a 5-byte buffer
  UINT m_nCountAfterFinish = 1;  // what the handle says after DragFinish
  int m_nOpened = 0;
  bool m_bInitialized = false;
  CListCtrl m_listResults;

 protected:
  void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_LIST, m_listResults); }
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    if (CMenu* pSysMenu = GetSystemMenu(FALSE)) {
      pSysMenu->AppendMenu(MF_SEPARATOR);
      pSysMenu->AppendMenu(MF_STRING, IDM_SYS_ABOUT, "&About...");
    }
    m_bInitialized = true;
    return TRUE;
  }
  void OnSize(UINT nType, int cx, int cy) {
    CDialog::OnSize(nType, cx, cy);
    m_sizes.push_back({nType, cx, cy, m_bInitialized});
  }
  void OnSysCommand(UINT nId, LPARAM lParam) {
    m_sysCommands.push_back(nId);
    if ((nId & 0xFFF0) != IDM_SYS_ABOUT) CDialog::OnSysCommand(nId, lParam);
  }
  void OnDropFiles(HDROP hDrop) {
    std::vector<std::string> paths;
    const UINT nCount = DragQueryFile(hDrop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < nCount; ++i) {
      std::string path(DragQueryFile(hDrop, i, nullptr, 0), '\0');
      DragQueryFile(hDrop, i, path.data(), static_cast<UINT>(path.size() + 1));
      paths.push_back(path);
    }
    char cut[5] = "xxxx";
    m_strFirstCut.assign(cut, DragQueryFile(hDrop, 0, cut, sizeof cut));
    EXPECT_EQ(cut[m_strFirstCut.size()], '\0');
    DragFinish(hDrop);
    m_nCountAfterFinish = DragQueryFile(hDrop, 0xFFFFFFFF, nullptr, 0);
    m_drops.push_back(paths);
  }
  void OnOpen() { ++m_nOpened; }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMainDlg, CDialog)
  ON_WM_SIZE()
  ON_WM_SYSCOMMAND()
  ON_WM_DROPFILES()
  ON_COMMAND(IDM_OPEN, OnOpen)
END_MESSAGE_MAP()

}  // namespace uifix
