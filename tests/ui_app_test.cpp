// The application object: names from the executable's path, the command
// line, and the entry point's order of calls.
#include "platform/ui/command_line.h"
#include "tests/ui_fixture.h"

namespace {

using namespace uifix;

// Records what the entry point called, and what it had set up by then.
class CTestApp : public CWinApp {
 public:
  std::vector<std::string> m_calls;
  std::string m_strCommandLine;
  std::string m_strAppName;

  BOOL InitApplication() override {
    m_calls.push_back("InitApplication");
    return TRUE;
  }
  BOOL InitInstance() override {
    m_calls.push_back("InitInstance");
    m_strCommandLine = GetCommandLine();
    m_strAppName = AfxGetAppName();
    return FALSE;
  }
  int ExitInstance() override {
    m_calls.push_back("ExitInstance");
    return CWinApp::ExitInstance();
  }
};

CTestApp g_app;

TEST(AppNamesTest, NamesComeFromTheExecutablesFileName) {
  AfxSetResourceTable(&kResources);
  struct Case {
    const char* pszPath;
    const char* pszExeName;
    const char* pszHelpFile;
  };
  const Case cases[] = {
      {"/usr/bin/veldrin", "veldrin", "/usr/bin/veldrin.HLP"},
      {"/opt/app-1.2/bin/tool", "tool", "/opt/app-1.2/bin/tool.HLP"},
      {"/x/VEDORIV.EXE", "VEDORIV", "/x/VEDORIV.HLP"},
      {"/x/.hidden", ".hidden", "/x/.hidden.HLP"},
      {"/x/archive.tar.gz", "archive.tar", "/x/archive.tar.HLP"},
  };
  for (const Case& c : cases) {
    AfxSetModulePath(c.pszPath);
    g_app.InitNames();
    EXPECT_STREQ(g_app.m_pszExeName, c.pszExeName) << c.pszPath;
    EXPECT_STREQ(g_app.m_pszAppName, c.pszExeName) << c.pszPath;
    EXPECT_STREQ(AfxGetAppName(), c.pszExeName) << c.pszPath;
    EXPECT_STREQ(g_app.m_pszHelpFilePath, c.pszHelpFile) << c.pszPath;
  }
}

TEST(AppNamesTest, TitleStringNamesTheApplication) {
  static const StringResource kTitle[] = {{AFX_IDS_APP_TITLE, "Veldrin Title"}};
  ResourceTable withTitle = kResources;
  withTitle.pStrings = kTitle;
  withTitle.nStrings = 1;
  AfxSetResourceTable(&withTitle);
  AfxSetModulePath("/x/VEDORIV.EXE");
  g_app.InitNames();
  EXPECT_STREQ(g_app.m_pszAppName, "Veldrin Title");
  EXPECT_STREQ(g_app.m_pszExeName, "VEDORIV");
  AfxSetResourceTable(&kResources);
}

TEST(CommandLineTest, LineIsRebuiltFromTheArguments) {
  struct Case {
    std::vector<const char*> argv;
    const char* pszLine;
  };
  const Case cases[] = {
      {{}, ""},
      {{"veldrin"}, "veldrin"},
      {{"veldrin", "/tmp/a.exe"}, "veldrin /tmp/a.exe"},
      {{"/opt/my apps/veldrin", "/tmp/a.exe"}, "\"/opt/my apps/veldrin\" /tmp/a.exe"},
      {{"/opt/tab\there/veldrin"}, "\"/opt/tab\there/veldrin\""},
      {{"veldrin", "/tmp/my file.exe"}, "veldrin /tmp/my file.exe"},
      {{"veldrin", "a", "b"}, "veldrin a b"},
      {{"veldrin", ""}, "veldrin "},
  };
  for (const Case& c : cases) {
    AfxSetCommandLineArgs(static_cast<int>(c.argv.size()), c.argv.data());
    EXPECT_STREQ(GetCommandLine(), c.pszLine);
  }
}

TEST(WinMainTest, DerivesNamesAndEndsThroughExitInstanceWhenInitInstanceFails) {
  AfxSetResourceTable(&kResources);
  AfxSetModulePath("/x/VEDORIV.EXE");
  char arg0[] = "/x/VEDORIV.EXE";
  char arg1[] = "/tmp/my file.exe";
  char* argv[] = {arg0, arg1, nullptr};
  EXPECT_EQ(AfxWinMain(2, argv), 0);
  EXPECT_EQ(g_app.m_calls, (std::vector<std::string>{"InitApplication", "InitInstance", "ExitInstance"}));
  EXPECT_EQ(g_app.m_strCommandLine, "/x/VEDORIV.EXE /tmp/my file.exe");
  EXPECT_EQ(g_app.m_strAppName, "VEDORIV");
}

}  // namespace
