#include "platform/ui/command_line.h"

#include <cstring>
#include <string>

namespace {
std::string g_strCommandLine;
}  // namespace

void AfxSetCommandLineArgs(int argc, const char* const* argv) {
  g_strCommandLine.clear();
  for (int i = 0; i < argc; ++i) {
    const char* pszArg = argv[i] ? argv[i] : "";
    if (i > 0) g_strCommandLine += ' ';
    if (i == 0 && std::strpbrk(pszArg, " \t")) {
      g_strCommandLine += '"';
      g_strCommandLine += pszArg;
      g_strCommandLine += '"';
    } else {
      g_strCommandLine += pszArg;
    }
  }
}

LPCTSTR GetCommandLine() { return g_strCommandLine.c_str(); }
