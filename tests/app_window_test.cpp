// The main window, the prompt, Find, the export and the About box, run for
// real under Qt's offscreen platform.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/scanner_app.h"
#include "app/scanner_dlg.h"
#include "platform/ui/command_line.h"
#include "platform/ui/menu.h"
#include "platform/ui/ui_test_driver.h"
#include "platform/ui/win_app.h"
#include "res/resources.h"
#include "tests/temp_dir.h"

CScannerApp theApp;

namespace {

using uitest::Key;

constexpr char kModule[] = "/opt/tools/VEDORIV";

std::string Text(const CString& s) { return std::string(s.View()); }

class AppWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AfxSetResourceTable(VeldrinResources());
    AfxSetModulePath(kModule);
    AfxGetApp()->InitNames();
    uitest::EnsureApplication();
  }
  void TearDown() override {
    if (m_pDlg) m_pDlg->DestroyWindow();
    AfxGetApp()->m_pMainWnd = nullptr;
    uitest::ProcessEvents();
    EXPECT_EQ(uitest::PendingModalActions(), 0) << "an expected modal window did not come up";
  }

  // The main window as the program opens it, with this command line.
  CScannerDlg& Open(std::vector<const char*> argv = {"veldrin"}) {
    AfxSetCommandLineArgs(static_cast<int>(argv.size()), argv.data());
    m_pDlg = std::make_unique<CScannerDlg>();
    AfxGetApp()->m_pMainWnd = m_pDlg.get();
    EXPECT_TRUE(m_pDlg->Create(IDD_SCANNER_DIALOG));
    uitest::ProcessEvents();
    return *m_pDlg;
  }

  std::string Caption() { return uitest::WindowTitle(m_pDlg.get()); }
  bool Grayed(UINT nId) { return (m_pDlg->GetMenu()->GetMenuState(nId, MF_BYCOMMAND) & MF_GRAYED) != 0; }
  bool RowCommandsEnabled() {
    const bool bAll = !Grayed(IDM_EXPORT_ALL);
    EXPECT_EQ(!Grayed(IDM_EXPORT_MARKED), bAll);
    EXPECT_EQ(!Grayed(ID_EDIT_FIND), bAll);
    return bAll;
  }
  std::vector<int> SelectedRows() {
    std::vector<int> rows;
    for (int r = 0; r < m_pDlg->m_listResults.GetItemCount(); ++r) {
      if (m_pDlg->m_listResults.GetItemState(r, LVIS_SELECTED)) rows.push_back(r);
    }
    return rows;
  }
  // Chooses a menu command whose dialog the given action answers.
  void Command(UINT nId, std::function<void()> fnAnswer) {
    uitest::WhenModal(std::move(fnAnswer));
    EXPECT_TRUE(uitest::ActivateMenuItem(m_pDlg.get(), nId)) << nId;
  }
  // Exports through the save dialog, typing pszName.
  void Export(UINT nId, const std::string& name) {
    Command(nId, [name] {
      uitest::TypeText(name);
      uitest::PressKey(Key::Enter);
    });
  }

  TempDir m_dir;
  std::unique_ptr<CScannerDlg> m_pDlg;
};

const std::string kNul(1, '\0');

TEST_F(AppWindowTest, StartsEmptyWithoutAPath) {
  for (std::vector<const char*> argv : {std::vector<const char*>{"veldrin"}, {"veldrin", "  "}}) {
    CScannerDlg& dlg = Open(argv);
    EXPECT_EQ(Caption(), "Veldrin");
    EXPECT_EQ(dlg.m_listResults.GetItemCount(), 0);
    EXPECT_FALSE(RowCommandsEnabled());
    EXPECT_EQ(dlg.m_nMinTextLength, 10);
    EXPECT_EQ(Text(dlg.m_strExportName), "");
    EXPECT_EQ(dlg.m_listResults.GetColumnWidth(0), 75);
    dlg.DestroyWindow();
  }
}

TEST_F(AppWindowTest, ScansThePathOnTheCommandLine) {
  const std::string spaced = m_dir.Write("with spaces.bin", kNul + "Hello, World" + kNul);
  struct Case {
    std::string arg;
    const char* caption;
    int rows;
  };
  const Case cases[] = {
      {spaced, "Veldrin - Done", 1},                       // unquoted, spaces and all
      {"\"" + spaced + "\"", "Veldrin - Unable to open filel", 0},   // quotes are kept
      {m_dir.Path("missing"), "Veldrin - Unable to open filel", 0},
  };
  for (const Case& c : cases) {
    std::vector<std::string> words;
    CScannerDlg& dlg = Open({"veldrin", c.arg.c_str()});
    EXPECT_EQ(Caption(), c.caption) << c.arg;
    EXPECT_EQ(dlg.m_listResults.GetItemCount(), c.rows) << c.arg;
    EXPECT_EQ(RowCommandsEnabled(), c.rows > 0) << c.arg;
    dlg.DestroyWindow();
  }
}

TEST_F(AppWindowTest, AFileErrorDuringStartUpIsReportedAndTheWindowOpens) {
  uitest::WhenModal([] {
    EXPECT_EQ(uitest::ModalText(), "A hardware I/O error was reported while accessing an unnamed file.");
    EXPECT_EQ(uitest::ModalIcon(), uitest::Icon::Stop);
    EXPECT_EQ(uitest::ModalCaption(), "VEDORIV");
    uitest::PressKey(Key::Enter);
  });
  CScannerDlg& dlg = Open({"veldrin", "/proc/self/mem"});
  EXPECT_TRUE(dlg.IsWindowVisible());
  EXPECT_EQ(Caption(), "Veldrin - Scanning");
  EXPECT_FALSE(RowCommandsEnabled());
}

TEST_F(AppWindowTest, RowCommandsFollowEachKindOfScan) {
  CScannerDlg& dlg = Open();
  const std::string full = m_dir.Write("full.bin", "Hello, World");
  const std::string empty = m_dir.Write("empty.bin", "");
  ASSERT_TRUE(uitest::DropFiles(&dlg, {full}));
  EXPECT_TRUE(RowCommandsEnabled());
  EXPECT_EQ(Caption(), "Veldrin - Done");
  ASSERT_TRUE(uitest::DropFiles(&dlg, {m_dir.Path("missing")}));
  EXPECT_TRUE(RowCommandsEnabled());   // unchanged, and the rows stay
  EXPECT_EQ(dlg.m_listResults.GetItemCount(), 1);
  EXPECT_EQ(Caption(), "Veldrin - Unable to open filel");
  EXPECT_EQ(Text(dlg.m_strExportName), m_dir.Path("missing.txt"));
  ASSERT_TRUE(uitest::DropFiles(&dlg, {empty}));
  EXPECT_FALSE(RowCommandsEnabled());
  EXPECT_EQ(Caption(), "Veldrin - Done");
}

TEST_F(AppWindowTest, DropScansTheFirstFileOnly) {
  CScannerDlg& dlg = Open();
  const std::string a = m_dir.Write("a.bin", "first file text");
  const std::string b = m_dir.Write("b.bin", "second file text");
  ASSERT_TRUE(uitest::DropFiles(&dlg, {a, b}));
  ASSERT_EQ(dlg.m_listResults.GetItemCount(), 1);
  EXPECT_EQ(Text(dlg.m_listResults.GetItemText(0, 1)), "first file text");
  // A long path is taken whole.
  std::string deep = m_dir.Root();
  while (deep.size() < 400) {
    deep += "/a-folder-with-a-long-name";
    mkdir(deep.c_str(), 0700);
  }
  ASSERT_TRUE(uitest::DropFiles(&dlg, {m_dir.Write(deep.substr(m_dir.Root().size() + 1) + "/c.bin", "third file text")}));
  EXPECT_EQ(Caption(), "Veldrin - Done");
  EXPECT_EQ(Text(dlg.m_listResults.GetItemText(0, 1)), "third file text");
  // A drop that is not a local file scans the empty path.
  ASSERT_TRUE(uitest::DropFiles(&dlg, {"http://example.org/tool.bin"}));
  EXPECT_EQ(Caption(), "Veldrin - Unable to open filel");
}

TEST_F(AppWindowTest, MinimumTextLengthPrompt) {
  CScannerDlg& dlg = Open();
  Command(IDM_OPTIONS_MINLENGTH, [] {
    EXPECT_EQ(uitest::ModalCaption(), "The minimum number of alpha chars to consider a word?");
    const uitest::FocusText focus = uitest::ModalFocusText();
    EXPECT_TRUE(focus.bEdit);
    EXPECT_EQ(focus.text, "10");
    EXPECT_TRUE(focus.bAllSelected);
    uitest::TypeText("4");   // replaces the selection
    uitest::PressKey(Key::Enter);
  });
  EXPECT_EQ(dlg.m_nMinTextLength, 4);
  ASSERT_TRUE(uitest::DropFiles(&dlg, {m_dir.Write("m.bin", kNul + "abcd" + kNul + "xyz" + kNul)}));
  ASSERT_EQ(dlg.m_listResults.GetItemCount(), 1);
  EXPECT_EQ(Text(dlg.m_listResults.GetItemText(0, 0)), "000001");

  // Cancel, Esc and the close box change nothing, typed text or not.
  Command(IDM_OPTIONS_MINLENGTH, [] {
    uitest::TypeText("77");
    uitest::ClickButton("Cancel");
  });
  Command(IDM_OPTIONS_MINLENGTH, [] {
    uitest::TypeText("78");
    uitest::PressKey(Key::Escape);
  });
  Command(IDM_OPTIONS_MINLENGTH, [] {
    uitest::TypeText("79");
    uitest::CloseModal();
  });
  EXPECT_EQ(dlg.m_nMinTextLength, 4);

  const std::pair<const char*, int> entries[] = {
      {"25abc", 25}, {"abc", 0}, {"", 0}, {"+7", 7}, {"   12", 12}, {"12 34", 12}, {"- 5", 0},
      {"4294967306", 10}, {"-3", -3}, {"5000", 5000},
  };
  for (const auto& [typed, value] : entries) {
    Command(IDM_OPTIONS_MINLENGTH, [typed = std::string(typed)] {
      uitest::PressKey(Key::Backspace);   // the proposed value is all selected
      if (!typed.empty()) uitest::TypeText(typed);
      uitest::ClickButton("OK");
    });
    EXPECT_EQ(dlg.m_nMinTextLength, value) << typed;
  }
  // The last one, 5000, lists nothing.
  ASSERT_TRUE(uitest::DropFiles(&dlg, {m_dir.Write("n.bin", std::string(9000, 'x'))}));
  EXPECT_EQ(dlg.m_listResults.GetItemCount(), 0);
}

TEST_F(AppWindowTest, FindSelectsMatchingRowsAndRemembersTheText) {
  CScannerDlg& dlg = Open();
  ASSERT_TRUE(uitest::DropFiles(&dlg, {m_dir.Write("f.bin", "Hello, World" + kNul + "HELLO there" + kNul +
                                                                 "help me now" + kNul)}));
  ASSERT_EQ(dlg.m_listResults.GetItemCount(), 3);
  Command(ID_EDIT_FIND, [] {
    EXPECT_EQ(uitest::ModalCaption(), "Text to find?");
    EXPECT_EQ(uitest::ModalFocusText().text, "");   // the first Find proposes nothing
    uitest::TypeText("hello");
    uitest::PressKey(Key::Enter);
  });
  EXPECT_EQ(SelectedRows(), (std::vector<int>{0, 1}));

  // No match: a message box, and the selection stays.
  Command(ID_EDIT_FIND, [] {
    EXPECT_EQ(uitest::ModalFocusText().text, "HELLO");
    uitest::TypeText("00000C");   // only in an offset
    uitest::WhenModal([] {
      EXPECT_EQ(uitest::ModalText(), "Text Not Found");
      EXPECT_EQ(uitest::ModalCaption(), "VEDORIV");
      EXPECT_EQ(uitest::ModalIcon(), uitest::Icon::None);
      uitest::PressKey(Key::Enter);
    });
    uitest::PressKey(Key::Enter);
  });
  EXPECT_EQ(SelectedRows(), (std::vector<int>{0, 1}));

  // Cancel keeps the remembered text; an empty text selects every row.
  Command(ID_EDIT_FIND, [] {
    uitest::TypeText("zzz");
    uitest::PressKey(Key::Escape);
  });
  Command(ID_EDIT_FIND, [] {
    EXPECT_EQ(uitest::ModalFocusText().text, "00000C");
    uitest::PressKey(Key::Backspace);
    uitest::PressKey(Key::Enter);
  });
  EXPECT_EQ(SelectedRows(), (std::vector<int>{0, 1, 2}));
}

TEST_F(AppWindowTest, ExportAllAndMarkedThroughTheSaveDialog) {
  CScannerDlg& dlg = Open();
  const std::string input = m_dir.Write("tool.bin", std::string(16, '\x01') + "Hello, World" + kNul +
                                                        std::string(4096, 'q') + kNul);
  ASSERT_TRUE(uitest::DropFiles(&dlg, {input}));
  Command(IDM_EXPORT_ALL, [this] {
    const uitest::FileDialogState state = uitest::FileDialog();
    EXPECT_TRUE(state.bSave);
    EXPECT_EQ(state.filters, (std::vector<std::string>{"Text Files (*.txt)", "All Files (*)"}));
    EXPECT_EQ(state.selectedFilter, "Text Files (*.txt)");
    EXPECT_EQ(state.fileName, "tool.txt");
    EXPECT_EQ(state.directory, m_dir.Root());
    uitest::PressKey(Key::Enter);
  });
  EXPECT_EQ(Caption(), "Veldrin - Done");
  EXPECT_EQ(TempDir::Read(m_dir.Path("tool.txt")),
            "000010\tHello, World\r\n00001D...\t" + std::string(4096, 'q') + "\r\n");

  // Marked with nothing selected: an empty file. A name without extension stays so.
  Export(IDM_EXPORT_MARKED, m_dir.Path("OUT"));
  EXPECT_EQ(Caption(), "Veldrin - Done");
  EXPECT_EQ(TempDir::Read(m_dir.Path("OUT")), "");
  dlg.m_listResults.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
  Export(IDM_EXPORT_MARKED, m_dir.Path("marked.txt"));
  EXPECT_EQ(TempDir::Read(m_dir.Path("marked.txt")), "00001D...\t" + std::string(4096, 'q') + "\r\n");
  EXPECT_EQ(Text(dlg.m_strExportName), m_dir.Path("tool.txt"));   // exporting never changes it
}

TEST_F(AppWindowTest, ExportAsksBeforeReplacingAFile) {
  CScannerDlg& dlg = Open();
  ASSERT_TRUE(uitest::DropFiles(&dlg, {m_dir.Write("tool.bin", "Hello, World")}));
  const std::string target = m_dir.Write("tool.txt", "earlier content");
  // No: nothing is touched, as after Cancel.
  Command(IDM_EXPORT_ALL, [] {
    uitest::WhenModal([] {
      EXPECT_NE(uitest::ModalText().find("already exists"), std::string::npos);
      uitest::ClickButton("No");
    });
    uitest::PressKey(Key::Enter);
  });
  EXPECT_EQ(TempDir::Read(target), "earlier content");
  EXPECT_EQ(Caption(), "Veldrin - Done");   // still the scan's
  // Yes: replaced; twice gives the same file.
  for (int round = 0; round < 2; ++round) {
    Command(IDM_EXPORT_ALL, [] {
      uitest::WhenModal([] { uitest::ClickButton("Yes"); });
      uitest::PressKey(Key::Enter);
    });
    EXPECT_EQ(TempDir::Read(target), "000000\tHello, World\r\n");
  }
  // Cancel in the save dialog: silent.
  Command(IDM_EXPORT_ALL, [] { uitest::PressKey(Key::Escape); });
  EXPECT_EQ(Caption(), "Veldrin - Done");
}

TEST_F(AppWindowTest, ExportToAReadOnlyFileFailsAndKeepsIt) {
  CScannerDlg& dlg = Open();
  ASSERT_TRUE(uitest::DropFiles(&dlg, {m_dir.Write("tool.bin", "Hello, World")}));
  const std::string target = m_dir.Write("ro.txt", "keep me");
  chmod(target.c_str(), 0444);
  Command(IDM_EXPORT_ALL, [target] {
    uitest::TypeText(target);
    uitest::WhenModal([] { uitest::ClickButton("Yes"); });
    uitest::PressKey(Key::Enter);
  });
  EXPECT_EQ(Caption(), "Veldrin - Unable to open file");
  EXPECT_EQ(TempDir::Read(target), "keep me");
}

TEST_F(AppWindowTest, FileErrorsInsideHandlersAreReported) {
  CScannerDlg& dlg = Open();
  ASSERT_TRUE(uitest::DropFiles(&dlg, {m_dir.Write("tool.bin", "Hello, World")}));
  // A write error: the box names the export file; the program goes on.
  Command(IDM_EXPORT_ALL, [] {
    uitest::TypeText("/dev/full");
    uitest::WhenModal([] {
      uitest::ClickButton("Yes");   // /dev/full exists
      uitest::WhenModal([] {
        EXPECT_EQ(uitest::ModalText(), "Disk full while accessing /dev/full.");
        EXPECT_EQ(uitest::ModalIcon(), uitest::Icon::Stop);
        EXPECT_EQ(uitest::ModalCaption(), "VEDORIV");
        uitest::PressKey(Key::Enter);
      });
    });
    uitest::PressKey(Key::Enter);
  });
  EXPECT_EQ(Caption(), "Veldrin - Saving data to text file");
  // A read error while scanning names no file.
  uitest::WhenModal([] {
    EXPECT_EQ(uitest::ModalText(), "A hardware I/O error was reported while accessing an unnamed file.");
    EXPECT_EQ(uitest::ModalIcon(), uitest::Icon::Stop);
    uitest::PressKey(Key::Enter);
  });
  ASSERT_TRUE(uitest::DropFiles(&dlg, {"/proc/self/mem"}));
  EXPECT_EQ(Caption(), "Veldrin - Scanning");
  EXPECT_TRUE(RowCommandsEnabled());   // as they were
  // And the window still works.
  ASSERT_TRUE(uitest::DropFiles(&dlg, {m_dir.Path("tool.bin")}));
  EXPECT_EQ(Caption(), "Veldrin - Done");
}

TEST_F(AppWindowTest, ResizingKeepsTheListFillingTheWindow) {
  CScannerDlg& dlg = Open();
  for (int cx : {300, 640, 200}) {
    uitest::ResizeWindow(&dlg, cx, 240);
    CRect client;
    dlg.GetClientRect(&client);
    EXPECT_EQ(dlg.m_listResults.GetColumnWidth(1), client.Width() - 105) << cx;
    EXPECT_EQ(dlg.m_listResults.GetColumnWidth(0), 75);
  }
  dlg.ShowWindow(SW_MINIMIZE);
  uitest::ProcessEvents();
  dlg.ShowWindow(SW_RESTORE);
  uitest::ProcessEvents();
  CRect client;
  dlg.GetClientRect(&client);
  EXPECT_EQ(dlg.m_listResults.GetColumnWidth(1), client.Width() - 105);
}

TEST_F(AppWindowTest, OpensCentredWithItsIcons) {
  CScannerDlg& dlg = Open();
  const uitest::Rect area = uitest::WorkArea();
  const uitest::Rect frame = uitest::WindowGeometry(&dlg);
  EXPECT_NEAR(frame.x + frame.cx / 2, area.x + area.cx / 2, 2);
  EXPECT_NEAR(frame.y + frame.cy / 2, area.y + area.cy / 2, 2);
  std::vector<int> sizes = uitest::WindowIconSizes(&dlg);
  EXPECT_NE(std::find(sizes.begin(), sizes.end(), 32), sizes.end());
  EXPECT_NE(std::find(sizes.begin(), sizes.end(), 16), sizes.end());
}

TEST_F(AppWindowTest, AboutFromTheHelpMenuAndTheSystemMenu) {
  CScannerDlg& dlg = Open();
  auto checkAbout = [&dlg] {
    EXPECT_EQ(uitest::ModalCaption(), "About Veldrin");
    EXPECT_FALSE(dlg.IsWindowEnabled());
    const uitest::Rect box = uitest::ModalGeometry();
    const uitest::Rect main = uitest::WindowGeometry(&dlg);
    EXPECT_NEAR(box.x + box.cx / 2, main.x + main.cx / 2, 2);
    uitest::PressKey(Key::Escape);
  };
  Command(IDM_HELP_ABOUT, checkAbout);
  uitest::PressKeyIn(&dlg, Key::Space, uitest::Alt);
  EXPECT_EQ(uitest::PopupMenuItems(),
            (std::vector<std::string>{"&Restore", "Mi&nimize", "Ma&ximize", "&Close\tAlt+F4", "", "&About Veldrin..."}));
  uitest::WhenModal(checkAbout);
  EXPECT_TRUE(uitest::ChoosePopupItem("&About Veldrin..."));
  EXPECT_TRUE(dlg.IsWindowEnabled());
}

TEST_F(AppWindowTest, HelpKeyAsksTheHelpEngine) {
  CScannerDlg& dlg = Open();
  const size_t before = AfxGetHelpRequests().size();
  uitest::WhenModal([] {
    EXPECT_EQ(uitest::ModalText(), "Failed to launch help.");
    EXPECT_EQ(uitest::ModalCaption(), "VEDORIV");
    uitest::PressKey(Key::Enter);
  });
  uitest::PressKeyIn(&dlg, Key::F1);
  Command(IDM_OPTIONS_MINLENGTH, [] {
    uitest::WhenModal([] { uitest::PressKey(Key::Enter); });
    uitest::PressKey(Key::F1);
    uitest::PressKey(Key::Escape);
  });
  const std::vector<HelpRequest>& requests = AfxGetHelpRequests();
  ASSERT_EQ(requests.size(), before + 2);
  EXPECT_EQ(Text(requests[before].strHelpFile), std::string(kModule) + ".HLP");
  EXPECT_EQ(requests[before].dwData, 0x20000u + IDD_SCANNER_DIALOG);
  EXPECT_EQ(requests[before + 1].dwData, 0x20000u + IDD_PROMPT);
}

// Every way of closing the window ends its modal run, and so the program.
TEST_F(AppWindowTest, EveryWayOfClosingEndsTheRun) {
  struct Case {
    const char* name;
    std::function<void()> close;
    INT_PTR result;
  };
  const Case cases[] = {
      {"Esc", [] { uitest::PressKey(Key::Escape); }, IDCANCEL},
      {"Enter", [] { uitest::PressKey(Key::Enter); }, IDOK},
      {"close box", [] { uitest::CloseModal(); }, IDCANCEL},
      {"Alt+F4", [] { uitest::PressKey(Key::F4, uitest::Alt); }, IDCANCEL},
      {"File > Exit", [] { uitest::ActivateMenuItem(AfxGetMainWnd(), IDM_FILE_EXIT); }, IDOK},
  };
  for (const Case& c : cases) {
    AfxSetCommandLineArgs(1, std::vector<const char*>{"veldrin"}.data());
    CScannerDlg dlg;
    AfxGetApp()->m_pMainWnd = &dlg;
    uitest::WhenModal(c.close);
    EXPECT_EQ(dlg.DoModal(), c.result) << c.name;
  }
  // The application's start-up runs the window and answers FALSE.
  uitest::WhenModal([] { uitest::PressKey(Key::Escape); });
  EXPECT_FALSE(theApp.InitInstance());
}

}  // namespace
