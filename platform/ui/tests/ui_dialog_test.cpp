// Dialogs made from templates, run for real: the modal run and its ways to
// end, data exchange, placement, sizes, menus, the system menu, the Help
// key, drops, painting and icons.
#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

#include "tests/ui_fixture.h"

namespace {

using namespace uifix;
using uitest::Key;

CWinApp g_app;

class DialogTest : public UiTest {
 protected:
  void TearDown() override {
    g_app.m_pMainWnd = nullptr;
    UiTest::TearDown();
  }
  // A main window, up modeless and made the application's main window.
  void OpenMain() {
    ASSERT_TRUE(m_main.Create(IDD_MAIN));
    g_app.m_pMainWnd = &m_main;
    uitest::ProcessEvents();
  }
  CMainDlg m_main;
};

TEST_F(DialogTest, PromptEndsByEachWay) {
  struct Case {
    const char* pszName;
    std::function<void()> fnEnd;
    INT_PTR nResult;
  };
  const Case cases[] = {
      {"Enter in the edit field", [] { uitest::PressKey(Key::Enter); }, IDOK},
      {"OK button", [] { uitest::ClickButton("OK"); }, IDOK},
      {"Enter on the focused Cancel", [] { uitest::PressKey(Key::Tab, uitest::Shift); uitest::PressKey(Key::Enter); }, IDCANCEL},
      {"Esc", [] { uitest::PressKey(Key::Escape); }, IDCANCEL},
      {"Cancel button", [] { uitest::ClickButton("Cancel"); }, IDCANCEL},
      {"close box", [] { uitest::CloseModal(); }, IDCANCEL},
      {"Alt+F4", [] { uitest::PressKey(Key::F4, uitest::Alt); }, IDCANCEL},
  };
  for (const Case& c : cases) {
    CAskDlg dlg;
    dlg.m_strValue = "10";
    dlg.m_strPrompt = "How many?";
    uitest::WhenModal([&] {
      uitest::TypeText("25");
      c.fnEnd();
    });
    EXPECT_EQ(dlg.DoModal(), c.nResult) << c.pszName;
    // Only OK reads the controls back.
    EXPECT_EQ(dlg.m_strValue, c.nResult == IDOK ? "25" : "10") << c.pszName;
    EXPECT_EQ(dlg.m_nExchangesIn, c.nResult == IDOK ? 1 : 0) << c.pszName;
    EXPECT_EQ(dlg.m_strPrompt, "How many?") << c.pszName;
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_EQ(dlg.m_editValue.m_hWnd, nullptr) << "the control went with the window";
  }
}

TEST_F(DialogTest, PromptShowsItsValuesWithTheEditFieldSelected) {
  CAskDlg dlg;
  dlg.m_strValue = "10";
  dlg.m_strPrompt = "A & B?";
  uitest::FocusText focus;
  CString strPrompt, strCaption;
  uitest::WhenModal([&] {
    focus = uitest::ModalFocusText();
    dlg.GetDlgItem(IDC_TEXT)->GetWindowText(strPrompt);
    dlg.GetWindowText(strCaption);
    uitest::PressKey(Key::Escape);
  });
  dlg.DoModal();
  EXPECT_TRUE(focus.bEdit);
  EXPECT_EQ(focus.text, "10");
  EXPECT_TRUE(focus.bAllSelected);
  EXPECT_EQ(strPrompt, "A & B?");
  EXPECT_EQ(strCaption, "Ask");
}

TEST_F(DialogTest, MainWindowLikeDialogWithoutDefaultButtonEndsOnEnterAndEsc) {
  struct Case {
    std::function<void()> fnEnd;
    INT_PTR nResult;
  };
  const Case cases[] = {
      {[] { uitest::PressKey(Key::Enter); }, IDOK},
      {[] { uitest::PressKey(Key::Escape); }, IDCANCEL},
      {[] { uitest::CloseModal(); }, IDCANCEL},
      {[] {
         uitest::PressKey(Key::Space, uitest::Alt);
         uitest::ChoosePopupItem("&Close\tAlt+F4");
       },
       IDCANCEL},
  };
  for (const Case& c : cases) {
    CMainDlg dlg;
    uitest::WhenModal(c.fnEnd);
    EXPECT_EQ(dlg.DoModal(), c.nResult);
  }
}

TEST_F(DialogTest, OwnerIsDisabledWhileTheDialogIsUp) {
  OpenMain();
  BOOL bEnabledDuring = TRUE;
  bool bClosedOwner = false;
  uitest::WhenModal([&] {
    bEnabledDuring = m_main.IsWindowEnabled();
    // Neither the owner's close box nor its menu reach it now.
    uitest::ProcessEvents();
    m_main.m_hWnd->close();
    bClosedOwner = !m_main.IsWindowVisible();
    EXPECT_FALSE(uitest::ActivateMenuItem(&m_main, IDM_OPEN));
    uitest::PressKey(Key::Escape);
  });
  CAskDlg dlg;
  dlg.DoModal();
  EXPECT_FALSE(bEnabledDuring);
  EXPECT_FALSE(bClosedOwner);
  EXPECT_EQ(m_main.m_nOpened, 0);
  EXPECT_TRUE(m_main.IsWindowEnabled());
}

TEST_F(DialogTest, MainWindowIsCentredOnTheWorkArea) {
  const uitest::Rect area = uitest::WorkArea();
  CMainDlg dlg;
  uitest::Rect frame{};
  uitest::WhenModal([&] {
    frame = uitest::ModalGeometry();
    uitest::PressKey(Key::Escape);
  });
  dlg.DoModal();
  EXPECT_EQ(frame.x, (area.x + area.x + area.cx) / 2 - frame.cx / 2);
  EXPECT_EQ(frame.y, (area.y + area.y + area.cy) / 2 - frame.cy / 2);
}

TEST_F(DialogTest, DialogIsCentredOverItsOwnerAndKeptInsideTheWorkArea) {
  OpenMain();
  const uitest::Rect area = uitest::WorkArea();
  const uitest::Rect owner = uitest::WindowGeometry(&m_main);
  struct Case {
    int x, y;  // where the owner's frame goes
    const char* pszWhere;
  };
  const Case cases[] = {
      {area.x + 50, area.y + 60, "inside"},
      {area.x + area.cx - owner.cx / 4, area.y + 10, "sticking out at the right"},
      {area.x - owner.cx / 2 - 40, area.y + area.cy - owner.cy / 3, "off the left and bottom"},
  };
  for (const Case& c : cases) {
    uitest::MoveWindowTo(&m_main, c.x, c.y);
    const uitest::Rect over = uitest::WindowGeometry(&m_main);
    uitest::Rect frame{};
    uitest::WhenModal([&] {
      frame = uitest::ModalGeometry();
      uitest::PressKey(Key::Escape);
    });
    CAskDlg dlg;
    dlg.DoModal();
    int x = (over.x + over.x + over.cx) / 2 - frame.cx / 2;
    int y = (over.y + over.y + over.cy) / 2 - frame.cy / 2;
    x = std::max(area.x, std::min(x, area.x + area.cx - frame.cx));
    y = std::max(area.y, std::min(y, area.y + area.cy - frame.cy));
    EXPECT_EQ(frame.x, x) << c.pszWhere;
    EXPECT_EQ(frame.y, y) << c.pszWhere;
  }
}

TEST_F(DialogTest, SizeIsReportedFromCreationOnIncludingMinimiseAndRestore) {
  OpenMain();
  ASSERT_FALSE(m_main.m_sizes.empty());
  EXPECT_FALSE(m_main.m_sizes.front().bInitialized) << "creation reports its size before initialisation";
  CRect client;
  m_main.GetClientRect(&client);
  EXPECT_EQ(m_main.m_sizes.back().nType, SIZE_RESTORED);
  EXPECT_EQ(m_main.m_sizes.back().cx, client.Width());
  EXPECT_EQ(m_main.m_sizes.back().cy, client.Height());
  // The client area lies below the menu bar.
  const int cyMenuBar = m_main.m_hWnd->findChild<QMenuBar*>()->height();
  EXPECT_GT(cyMenuBar, 0);
  EXPECT_EQ(m_main.m_hWnd->height(), client.Height() + cyMenuBar);

  uitest::ResizeWindow(&m_main, 500, 300);
  EXPECT_EQ(m_main.m_sizes.back().cx, 500);
  EXPECT_EQ(m_main.m_sizes.back().cy, 300 - cyMenuBar);

  m_main.SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
  uitest::ProcessEvents();
  EXPECT_TRUE(m_main.IsIconic());
  EXPECT_EQ(m_main.m_sizes.back().nType, SIZE_MINIMIZED);
  EXPECT_EQ(m_main.m_sizes.back().cx, 0);
  EXPECT_EQ(m_main.m_sizes.back().cy, 0);

  m_main.SendMessage(WM_SYSCOMMAND, SC_RESTORE);
  uitest::ProcessEvents();
  EXPECT_FALSE(m_main.IsIconic());
  EXPECT_EQ(m_main.m_sizes.back().nType, SIZE_RESTORED);
  EXPECT_EQ(m_main.m_sizes.back().cx, 500);
  EXPECT_EQ(m_main.m_sizes.back().cy, 300 - cyMenuBar);

  m_main.SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE);
  uitest::ProcessEvents();
  EXPECT_TRUE(m_main.IsZoomed());
  EXPECT_EQ(m_main.m_sizes.back().nType, SIZE_MAXIMIZED);
}

TEST_F(DialogTest, MenuItemsAreGrayedAndEnabledByCommand) {
  OpenMain();
  CMenu* pMenu = m_main.GetMenu();
  ASSERT_NE(pMenu, nullptr);
  EXPECT_EQ(pMenu->EnableMenuItem(IDM_EXPORT_ALL, MF_BYCOMMAND | MF_GRAYED), static_cast<UINT>(MF_ENABLED));
  EXPECT_TRUE(pMenu->GetMenuState(IDM_EXPORT_ALL, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_EQ(pMenu->EnableMenuItem(IDM_EXPORT_ALL, MF_BYCOMMAND | MF_ENABLED), static_cast<UINT>(MF_GRAYED));
  EXPECT_FALSE(pMenu->GetMenuState(IDM_EXPORT_ALL, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_EQ(pMenu->EnableMenuItem(12345, MF_BYCOMMAND | MF_GRAYED), static_cast<UINT>(-1));

  pMenu->EnableMenuItem(IDM_OPEN, MF_BYCOMMAND | MF_GRAYED);
  EXPECT_FALSE(uitest::ActivateMenuItem(&m_main, IDM_OPEN));
  pMenu->EnableMenuItem(IDM_OPEN, MF_BYCOMMAND | MF_ENABLED);
  EXPECT_TRUE(uitest::ActivateMenuItem(&m_main, IDM_OPEN));
  EXPECT_EQ(m_main.m_nOpened, 1);
}

TEST_F(DialogTest, HelpPopupSitsAtTheRightEndOfTheMenuBar) {
  OpenMain();
  CMenu* pMenu = m_main.GetMenu();
  ASSERT_EQ(pMenu->GetMenuItemCount(), 2);
  CString strLast;
  pMenu->GetMenuString(1, strLast, MF_BYPOSITION);
  EXPECT_EQ(strLast, "&Help");
  uitest::ResizeWindow(&m_main, 600, 200);
  auto* pBar = m_main.m_hWnd->findChild<QMenuBar*>();
  QWidget* pRight = pBar->cornerWidget(Qt::TopRightCorner);
  ASSERT_NE(pRight, nullptr);
  EXPECT_GT(pRight->geometry().left(), pBar->actionGeometry(pBar->actions().last()).right());
  EXPECT_GE(pRight->geometry().right(), pBar->width() - 8);
}

TEST_F(DialogTest, SystemMenuOpensWithAltSpaceAndFromTheMenuBar) {
  OpenMain();
  const std::vector<std::string> expected = {"&Restore", "Mi&nimize", "Ma&ximize", "&Close\tAlt+F4", "", "&About..."};
  uitest::PressKeyIn(&m_main, Key::Space, uitest::Alt);
  EXPECT_EQ(uitest::PopupMenuItems(), expected);
  ASSERT_TRUE(uitest::ChoosePopupItem("&About..."));
  EXPECT_EQ(m_main.m_sysCommands, std::vector<UINT>{IDM_SYS_ABOUT});

  ASSERT_TRUE(uitest::RightClickMenuBar(&m_main));
  EXPECT_EQ(uitest::PopupMenuItems(), expected);
  ASSERT_TRUE(uitest::ChoosePopupItem("Mi&nimize"));
  EXPECT_EQ(m_main.m_sysCommands.back(), static_cast<UINT>(SC_MINIMIZE));
  EXPECT_TRUE(m_main.IsIconic()) << "default processing minimises";

  // A dialog without minimize and maximize boxes offers Close alone.
  CAskDlg dlg;
  std::vector<std::string> items;
  uitest::WhenModal([&] {
    uitest::PressKey(Key::Space, uitest::Alt);
    items = uitest::PopupMenuItems();
    uitest::PressKey(Key::Escape);  // closes the menu
    uitest::PressKey(Key::Escape);  // closes the dialog
  });
  dlg.DoModal();
  EXPECT_EQ(items, std::vector<std::string>{"&Close\tAlt+F4"});
}

TEST_F(DialogTest, HelpKeyAsksForTheContextOfTheDialogWithTheFocus) {
  OpenMain();
  const size_t nBefore = AfxGetHelpRequests().size();
  std::string text, caption;
  uitest::WhenModal([&] {
    text = uitest::ModalText();
    caption = uitest::ModalCaption();
    uitest::ClickButton("OK");
  });
  uitest::PressKeyIn(&m_main, Key::F1);
  ASSERT_EQ(AfxGetHelpRequests().size(), nBefore + 1);
  const HelpRequest& request = AfxGetHelpRequests().back();
  EXPECT_EQ(request.strHelpFile, "/opt/uitest/UITEST.HLP");
  EXPECT_EQ(request.nCmd, static_cast<UINT>(HELP_CONTEXT));
  EXPECT_EQ(request.dwData, 0x20000u + IDD_MAIN);
  EXPECT_EQ(text, "Failed to launch help.");
  EXPECT_EQ(caption, "UITEST");

  // In a dialog over the main window, after the first help box has gone.
  CAskDlg dlg;
  uitest::WhenModal([&] {
    uitest::WhenModal([] { uitest::PressKey(Key::Enter); });
    uitest::PressKey(Key::F1);
    uitest::PressKey(Key::F1, uitest::Shift);  // not the Help key
    uitest::PressKey(Key::Escape);
  });
  dlg.DoModal();
  ASSERT_EQ(AfxGetHelpRequests().size(), nBefore + 2);
  EXPECT_EQ(AfxGetHelpRequests().back().dwData, 0x20000u + IDD_ASK);
}

TEST_F(DialogTest, DroppedFilesArriveAsLocalPaths) {
  OpenMain();
  ASSERT_TRUE(uitest::DropFiles(&m_main, {"/tmp/a b.txt", "http://example.com/x.exe", "file:///tmp/c%20d"}));
  ASSERT_EQ(m_main.m_drops.size(), 1u);
  EXPECT_EQ(m_main.m_drops[0], (std::vector<std::string>{"/tmp/a b.txt", "", "/tmp/c d"}));
  EXPECT_EQ(m_main.m_strFirstCut, "/tmp");
  EXPECT_EQ(m_main.m_nCountAfterFinish, 0u);

  // A window that takes no files refuses the drag.
  CAskDlg dlg;
  bool bTaken = true;
  uitest::WhenModal([&] {
    bTaken = uitest::DropFiles(&dlg, {"/tmp/x"});
    uitest::PressKey(Key::Escape);
  });
  dlg.DoModal();
  EXPECT_FALSE(bTaken);
}

// Paints the large icon at 2, 3 while its paint message is handled.
class CPaintDlg : public CDialog {
 public:
  CPaintDlg() : CDialog(IDD_BLANK) {}
  HICON m_hIcon = nullptr;
  int m_nPaints = 0;
  void OnPaint() {
    ++m_nPaints;
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()));
    dc.DrawIcon(2, 3, m_hIcon);
  }
  HICON OnQueryDragIcon() { return m_hIcon; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPaintDlg, CDialog)
  ON_WM_PAINT()
  ON_WM_QUERYDRAGICON()
END_MESSAGE_MAP()

TEST_F(DialogTest, PaintGoesThroughTheMapAndDrawsIcons) {
  CPaintDlg dlg;
  dlg.m_hIcon = g_app.LoadIcon(IDI_RED);
  ASSERT_NE(dlg.m_hIcon, nullptr);
  EXPECT_EQ(g_app.LoadIcon(IDI_RED), dlg.m_hIcon);
  EXPECT_EQ(g_app.LoadIcon(999), nullptr);
  ASSERT_TRUE(dlg.Create(IDD_BLANK));
  const QImage image = dlg.m_hWnd->grab().toImage();
  EXPECT_GT(dlg.m_nPaints, 0);
  EXPECT_EQ(image.pixelColor(2 + 16, 3 + 16), QColor(Qt::red));
  EXPECT_NE(image.pixelColor(2 + 40, 3 + 16), QColor(Qt::red));
  {
    CPaintDC outside(&dlg);  // not while painting: draws nothing
    EXPECT_EQ(outside.GetSafeHdc(), nullptr);
    EXPECT_TRUE(outside.DrawIcon(0, 0, dlg.m_hIcon));
  }
  EXPECT_EQ(reinterpret_cast<HICON>(dlg.SendMessage(WM_QUERYDRAGICON)), dlg.m_hIcon);
  EXPECT_EQ(GetSystemMetrics(SM_CXICON), 32);
  EXPECT_EQ(GetSystemMetrics(SM_CYICON), 32);
  dlg.DestroyWindow();
}

TEST_F(DialogTest, WindowIconsComeFromTheIconGroups) {
  OpenMain();
  HICON hBig = g_app.LoadIcon(IDI_RED);
  HICON hSmall = g_app.LoadIcon(IDI_BLUE);
  EXPECT_EQ(m_main.SetIcon(hBig, TRUE), nullptr);
  EXPECT_EQ(m_main.SetIcon(hSmall, FALSE), nullptr);
  EXPECT_EQ(m_main.GetIcon(TRUE), hBig);
  EXPECT_EQ(m_main.GetIcon(FALSE), hSmall);
  std::vector<int> sizes = uitest::WindowIconSizes(&m_main);
  std::sort(sizes.begin(), sizes.end());
  EXPECT_EQ(sizes, (std::vector<int>{16, 32}));
}

TEST_F(DialogTest, ModelessDialogHidesOnEndAndCaptionShowsInTheTitle) {
  OpenMain();
  EXPECT_TRUE(m_main.IsWindowVisible());
  // Initialisation answered TRUE: the first control that takes Tab has the focus.
  EXPECT_EQ(QApplication::focusWidget(), m_main.GetDlgItem(IDC_LIST)->m_hWnd);
  m_main.SetWindowText("Main - Done");
  EXPECT_EQ(uitest::WindowTitle(&m_main), "Main - Done");
  uitest::PressKeyIn(&m_main, Key::Escape);
  EXPECT_FALSE(m_main.IsWindowVisible());
  EXPECT_NE(m_main.m_hWnd, nullptr) << "ended, not destroyed";
}

}  // namespace
