// Message maps: lookup through the base classes, command routing to the
// application object, and the report of exceptions that escape handlers.
#include <new>

#include "platform/core/exception.h"
#include "tests/ui_fixture.h"

namespace {

using namespace uifix;

std::vector<std::string> g_calls;

// The application's map holds ids on both sides of the range that windows
// hand on to it, and one id that the window handles itself.
class CTestApp : public CWinApp {
 public:
  void OnBelowRange() { g_calls.push_back("app 0x7FFF"); }
  void OnFirst() { g_calls.push_back("app 0x8000"); }
  void OnLast() { g_calls.push_back("app 0xEFFF"); }
  void OnAboveRange() { g_calls.push_back("app 0xF000"); }
  void OnShared() { g_calls.push_back("app shared"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
  ON_COMMAND(0x7FFF, OnBelowRange)
  ON_COMMAND(0x8000, OnFirst)
  ON_COMMAND(0xEFFF, OnLast)
  ON_COMMAND(0xF000, OnAboveRange)
  ON_COMMAND(0x9000, OnShared)
END_MESSAGE_MAP()

CTestApp g_app;

enum : UINT { ID_BASE_ONLY = 0x7001, ID_BOTH = 0x7002, ID_FILE_ERROR = 0x7003, ID_NO_MEMORY = 0x7004, ID_BAD_ALLOC = 0x7005 };

class CBaseDlg : public CDialog {
 public:
  CBaseDlg() : CDialog(IDD_ASK) {}
  void OnBaseOnly() { g_calls.push_back("base only"); }
  void OnBothInBase() { g_calls.push_back("base both"); }
  void OnSize(UINT nType, int cx, int cy) {
    CDialog::OnSize(nType, cx, cy);
    g_calls.push_back("base size");
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseDlg, CDialog)
  ON_COMMAND(ID_BASE_ONLY, OnBaseOnly)
  ON_COMMAND(ID_BOTH, OnBothInBase)
  ON_WM_SIZE()
END_MESSAGE_MAP()

class CDerivedDlg : public CBaseDlg {
 public:
  void OnBothInDerived() { g_calls.push_back("derived both"); }
  void OnShared() { g_calls.push_back("window shared"); }
  void OnFileError() {
    g_calls.push_back("throwing");
    AfxThrowFileException(CFileException::diskFull, 28, "/dev/full");
  }
  void OnNoMemory() { AfxThrowMemoryException(); }
  void OnBadAlloc() { throw std::bad_alloc(); }
  void OnOK() override { g_calls.push_back("derived OnOK"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedDlg, CBaseDlg)
  ON_COMMAND(ID_BOTH, OnBothInDerived)
  ON_COMMAND(0x9000, OnShared)
  ON_COMMAND(ID_FILE_ERROR, OnFileError)
  ON_COMMAND(ID_NO_MEMORY, OnNoMemory)
  ON_COMMAND(ID_BAD_ALLOC, OnBadAlloc)
END_MESSAGE_MAP()

class MessageMapTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    g_calls.clear();
    ASSERT_TRUE(m_dlg.Create(IDD_ASK));
    g_calls.clear();  // the size notices of creation
  }
  void TearDown() override {
    m_dlg.DestroyWindow();
    UiTest::TearDown();
  }
  std::vector<std::string> Command(UINT nId) {
    g_calls.clear();
    m_dlg.SendMessage(WM_COMMAND, nId);
    return g_calls;
  }
  CDerivedDlg m_dlg;
};

using Calls = std::vector<std::string>;

TEST_F(MessageMapTest, OwnMapFirstThenBaseMaps) {
  EXPECT_EQ(Command(ID_BOTH), Calls{"derived both"});
  EXPECT_EQ(Command(ID_BASE_ONLY), Calls{"base only"});
  // CDialog's own map, through the virtual OnOK.
  EXPECT_EQ(Command(IDOK), Calls{"derived OnOK"});
  g_calls.clear();
  m_dlg.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(10, 20));
  EXPECT_EQ(g_calls, Calls{"base size"});
}

TEST_F(MessageMapTest, UnhandledCommandsInTheAppRangeGoToTheApplication) {
  struct Case {
    UINT nId;
    Calls expected;
  };
  const Case cases[] = {
      {0x7FFF, {}},
      {0x8000, {"app 0x8000"}},
      {0xEFFF, {"app 0xEFFF"}},
      {0xF000, {}},
      {0x9000, {"window shared"}},  // the window's own entry wins
  };
  for (const Case& c : cases) EXPECT_EQ(Command(c.nId), c.expected) << std::hex << c.nId;
}

TEST_F(MessageMapTest, FileErrorInAHandlerIsReportedAndTheProgramGoesOn) {
  CMainDlg main;
  ASSERT_TRUE(main.Create(IDD_MAIN));
  g_app.m_pMainWnd = &main;
  std::string caption, text;
  uitest::Icon icon = uitest::Icon::None;
  BOOL bMainEnabled = TRUE;
  uitest::WhenModal([&] {
    caption = uitest::ModalCaption();
    text = uitest::ModalText();
    icon = uitest::ModalIcon();
    bMainEnabled = main.IsWindowEnabled();
    uitest::ClickButton("OK");
  });
  EXPECT_EQ(Command(ID_FILE_ERROR), Calls{"throwing"});
  EXPECT_EQ(caption, "UITEST");
  EXPECT_EQ(text, "Disk full while accessing /dev/full.");
  EXPECT_EQ(icon, uitest::Icon::Stop);
  EXPECT_FALSE(bMainEnabled) << "the box is owned by the main window";
  EXPECT_TRUE(main.IsWindowEnabled());
  EXPECT_EQ(Command(ID_BASE_ONLY), Calls{"base only"});
  g_app.m_pMainWnd = nullptr;
}

TEST_F(MessageMapTest, MemoryExhaustionIsReportedAsOutOfMemory) {
  for (UINT nId : {ID_NO_MEMORY, ID_BAD_ALLOC}) {
    std::string text;
    uitest::Icon icon = uitest::Icon::None;
    uitest::WhenModal([&] {
      text = uitest::ModalText();
      icon = uitest::ModalIcon();
      EXPECT_EQ(uitest::ModalCaption(), "UITEST");
      uitest::PressKey(uitest::Key::Enter);
    });
    EXPECT_EQ(m_dlg.SendMessage(WM_COMMAND, nId), 0);
    EXPECT_EQ(text, "Out of memory.") << std::hex << nId;
    EXPECT_EQ(icon, uitest::Icon::Exclamation);
  }
}

// Initialisation is a handler too: its error is reported and the dialog
// still opens.
class CInitFailsDlg : public CDialog {
 public:
  CInitFailsDlg() : CDialog(IDD_ASK) {}
  bool m_bInitRan = false;

 protected:
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    m_bInitRan = true;
    AfxThrowFileException(CFileException::hardIO);
  }
};

TEST_F(MessageMapTest, ErrorInInitialisationIsReportedAndTheDialogOpens) {
  CInitFailsDlg dlg;
  std::string text;
  bool bShown = false;
  uitest::WhenModal([&] {
    text = uitest::ModalText();
    uitest::PressKey(uitest::Key::Enter);
  });
  uitest::WhenModal([&] {
    bShown = dlg.IsWindowVisible();
    uitest::PressKey(uitest::Key::Escape);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_TRUE(dlg.m_bInitRan);
  EXPECT_EQ(text, "A hardware I/O error was reported while accessing an unnamed file.");
  EXPECT_TRUE(bShown);
}

TEST_F(MessageMapTest, PostedMessagesArriveFromTheEventLoop) {
  g_calls.clear();
  m_dlg.PostMessage(WM_COMMAND, ID_BASE_ONLY);
  EXPECT_TRUE(g_calls.empty());
  uitest::ProcessEvents();
  EXPECT_EQ(g_calls, Calls{"base only"});
}

}  // namespace
