// The open and save dialogs and message boxes, run for real.
#include <filesystem>
#include <fstream>

#include "platform/ui/file_dialog.h"
#include "platform/ui/message_box.h"
#include "tests/temp_dir.h"
#include "tests/ui_fixture.h"

namespace {

using namespace uifix;
using uitest::Key;

CWinApp g_app;

class CommonDialogsTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    ASSERT_TRUE(m_main.Create(IDD_MAIN));
    g_app.m_pMainWnd = &m_main;
    uitest::ProcessEvents();
  }
  void TearDown() override {
    g_app.m_pMainWnd = nullptr;
    UiTest::TearDown();
  }
  CMainDlg m_main;
  TempDir m_dir;
};

constexpr char kTextFilter[] = "Text Files|*.txt|All Files|*.*||";

TEST(FileDialogFilterTest, PairsBecomeQtNameFilters) {
  struct Case {
    const char* pszFilter;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {kTextFilter, {"Text Files (*.txt)", "All Files (*)"}},
      {"Program Files|*.exe;*.com;*.dll|All Files|*.*||", {"Program Files (*.exe *.com *.dll)", "All Files (*)"}},
      {"Logs|*.log", {"Logs (*.log)"}},
      {nullptr, {}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> filters;
    for (const CString& filter : AfxFileDialogNameFilters(c.pszFilter)) filters.emplace_back(filter.View());
    EXPECT_EQ(filters, c.expected) << (c.pszFilter ? c.pszFilter : "(none)");
  }
}

TEST_F(CommonDialogsTest, OpenDialogShowsItsFiltersAndReturnsTheTypedPath) {
  const std::string path = m_dir.Write("tool.exe", "MZ");
  CFileDialog dlg(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, "Program Files|*.exe;*.com;*.dll|All Files|*.*||");
  uitest::FileDialogState state;
  BOOL bMainEnabled = TRUE;
  uitest::WhenModal([&] {
    state = uitest::FileDialog();
    bMainEnabled = m_main.IsWindowEnabled();
    uitest::TypeText(path);
    uitest::PressKey(Key::Enter);
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.GetPathName(), path.c_str());
  EXPECT_FALSE(state.bSave);
  EXPECT_EQ(state.filters, (std::vector<std::string>{"Program Files (*.exe *.com *.dll)", "All Files (*)"}));
  EXPECT_EQ(state.selectedFilter, "Program Files (*.exe *.com *.dll)");
  EXPECT_FALSE(bMainEnabled) << "owned by the main window";
  EXPECT_TRUE(m_main.IsWindowEnabled());
}

TEST_F(CommonDialogsTest, CancelAndEscEndWithoutAPath) {
  for (auto fnEnd : {std::function<void()>([] { uitest::PressKey(Key::Escape); }),
                     std::function<void()>([] { uitest::ClickButton("Cancel"); })}) {
    CFileDialog dlg(FALSE, nullptr, m_dir.Path("out.txt").c_str(), OFN_HIDEREADONLY, kTextFilter);
    uitest::WhenModal(fnEnd);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.GetPathName(), "");
  }
}

TEST_F(CommonDialogsTest, SaveDialogProposesTheWholeNameSelected) {
  // Deeper than the old 260-character limit.
  std::string folder = m_dir.Root();
  while (folder.size() < 300) folder += "/" + std::string(40, 'd');
  std::filesystem::create_directories(folder);
  const std::string proposed = folder + "/TOOL.txt";
  CFileDialog dlg(FALSE, nullptr, proposed.c_str(), OFN_HIDEREADONLY, kTextFilter);
  uitest::FileDialogState state;
  uitest::WhenModal([&] {
    state = uitest::FileDialog();
    uitest::PressKey(Key::Enter);
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_TRUE(state.bSave);
  EXPECT_EQ(state.fileName, "TOOL.txt");
  EXPECT_TRUE(state.bFileNameSelected);
  EXPECT_EQ(state.directory, folder);
  EXPECT_EQ(state.selectedFilter, "Text Files (*.txt)");
  EXPECT_EQ(dlg.GetPathName(), proposed.c_str());
}

TEST_F(CommonDialogsTest, TypedNameWithoutExtensionStaysWithoutOne) {
  CFileDialog dlg(FALSE, nullptr, m_dir.Path("TOOL.txt").c_str(), OFN_HIDEREADONLY, kTextFilter);
  uitest::WhenModal([] {
    uitest::TypeText("OUT");
    uitest::PressKey(Key::Enter);
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.GetPathName(), m_dir.Path("OUT").c_str());
}

TEST_F(CommonDialogsTest, ReplacingAnExistingFileIsAskedWhenTheFlagSaysSo) {
  const std::string existing = m_dir.Write("old.txt", "keep");
  struct Case {
    DWORD dwFlags;
    const char* pszAnswer;  // null: no question expected
    INT_PTR nResult;
  };
  const Case cases[] = {
      {OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "Yes", IDOK},
      {OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "No", IDCANCEL},
      {OFN_HIDEREADONLY, nullptr, IDOK},
  };
  for (const Case& c : cases) {
    CFileDialog dlg(FALSE, nullptr, existing.c_str(), c.dwFlags, kTextFilter);
    std::string question, caption;
    uitest::Icon icon = uitest::Icon::None;
    uitest::WhenModal([&] {
      if (c.pszAnswer) {
        uitest::WhenModal([&] {
          question = uitest::ModalText();
          caption = uitest::ModalCaption();
          icon = uitest::ModalIcon();
          uitest::ClickButton(c.pszAnswer);
        });
      }
      uitest::PressKey(Key::Enter);
    });
    EXPECT_EQ(dlg.DoModal(), c.nResult) << (c.pszAnswer ? c.pszAnswer : "no question");
    if (c.pszAnswer) {
      EXPECT_EQ(question, "old.txt already exists.\nDo you want to replace it?");
      EXPECT_EQ(caption, "Save As");
      EXPECT_EQ(icon, uitest::Icon::Exclamation);
    }
    EXPECT_EQ(dlg.GetPathName(), c.nResult == IDOK ? existing.c_str() : "");
    EXPECT_EQ(TempDir::Read(existing), "keep");
  }
}

TEST_F(CommonDialogsTest, MessageBoxesShowTheAskedIconOnlyAndTheApplicationName) {
  struct Case {
    UINT nType;
    uitest::Icon icon;
  };
  const Case cases[] = {
      {MB_OK, uitest::Icon::None},
      {MB_ICONSTOP, uitest::Icon::Stop},
      {MB_ICONEXCLAMATION, uitest::Icon::Exclamation},
      {MB_OK | MB_ICONEXCLAMATION | MB_SYSTEMMODAL, uitest::Icon::Exclamation},
  };
  for (const Case& c : cases) {
    std::string caption, text;
    uitest::Icon icon = uitest::Icon::Question;
    BOOL bMainEnabled = TRUE;
    uitest::WhenModal([&] {
      caption = uitest::ModalCaption();
      text = uitest::ModalText();
      icon = uitest::ModalIcon();
      bMainEnabled = m_main.IsWindowEnabled();
      uitest::PressKey(Key::Escape);
    });
    EXPECT_EQ(AfxMessageBox("Text Not Found", c.nType), IDOK);
    EXPECT_EQ(caption, "UITEST");
    EXPECT_EQ(text, "Text Not Found");
    EXPECT_EQ(icon, c.icon) << std::hex << c.nType;
    EXPECT_FALSE(bMainEnabled);
  }
}

TEST_F(CommonDialogsTest, WindowMessageBoxTakesTheApplicationNameWithoutCaption) {
  std::string caption;
  uitest::WhenModal([&] {
    caption = uitest::ModalCaption();
    uitest::ClickButton("OK");
  });
  EXPECT_EQ(m_main.MessageBox("Text Not Found"), IDOK);
  EXPECT_EQ(caption, "UITEST");
}

}  // namespace
