// veldrin-scan: the scan, Find and the export, from the command line.
//
// Lists a file's rows in the export format, the same bytes the window's
// export writes for the same rows.

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/core/exception.h"
#include "platform/core/file.h"
#include "results/export_rows.h"
#include "results/find_rows.h"
#include "scanner/headless_scan_window.h"

namespace {

const char kUsage[] =
    "Usage: veldrin-scan [-n MIN] [--find TEXT] [-o FILE] FILE\n"
    "Lists the runs of printable ASCII in FILE, one line each: the offset in\n"
    "hexadecimal, a tab, the text, CR LF.\n"
    "\n"
    "  -n MIN       list runs of at least MIN characters (default 10)\n"
    "  --find TEXT  list only the rows whose text contains TEXT, in any case\n"
    "  -o FILE      write to FILE (created or replaced) instead of standard output\n"
    "  --help       show this help\n";

int Fail(LPCTSTR pszFile, const CString& strReason) {
  std::fprintf(stderr, "veldrin-scan: %s: %s\n", pszFile, static_cast<LPCTSTR>(strReason));
  return 1;
}

int Usage(LPCTSTR pszProblem) {
  std::fprintf(stderr, "veldrin-scan: %s\n%s", pszProblem, kUsage);
  return 2;
}

bool ParseMinimum(LPCTSTR psz, int* pn) {
  char* pEnd;
  errno = 0;
  long n = std::strtol(psz, &pEnd, 10);
  if (*psz == '\0' || *pEnd != '\0' || errno != 0 || n > INT_MAX || n < INT_MIN) return false;
  *pn = static_cast<int>(n);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  CHeadlessScanWindow window;
  LPCTSTR pszInput = nullptr;
  LPCTSTR pszOutput = nullptr;
  LPCTSTR pszFind = nullptr;
  for (int i = 1; i < argc; ++i) {
    LPCTSTR pszArg = argv[i];
    if (std::strcmp(pszArg, "--help") == 0 || std::strcmp(pszArg, "-h") == 0) {
      std::fputs(kUsage, stdout);
      return 0;
    }
    const bool bTakesValue = std::strcmp(pszArg, "-n") == 0 || std::strcmp(pszArg, "-o") == 0 ||
                             std::strcmp(pszArg, "--find") == 0;
    if (bTakesValue) {
      if (i + 1 >= argc) return Usage(CString(pszArg) + " needs a value");
      LPCTSTR pszValue = argv[++i];
      if (pszArg[1] == 'n') {
        if (!ParseMinimum(pszValue, &window.m_nMinTextLength)) {
          return Usage(CString("not a number: ") + pszValue);
        }
      } else if (pszArg[1] == 'o') {
        pszOutput = pszValue;
      } else {
        pszFind = pszValue;
      }
    } else if (pszArg[0] == '-' && pszArg[1] != '\0' && std::strcmp(pszArg, "--") != 0) {
      return Usage(CString("unknown option ") + pszArg);
    } else {
      if (std::strcmp(pszArg, "--") == 0 && i + 1 < argc) pszArg = argv[++i];
      if (pszInput) return Usage("one FILE only");
      pszInput = pszArg;
    }
  }
  if (pszInput == nullptr) return Usage("no FILE given");

  // Errors the platform raises end the program with their text, naming
  // the file being read or written.
  LPCTSTR pszFailing = pszInput;
  try {
    window.ScanFile(pszInput);
    if (window.LastStatus() == " - Unable to open filel") {
      CFile probe;  // opened again only to learn why it failed
      CFileException error;
      probe.Open(pszInput, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary, &error);
      return Fail(pszInput, error.GetErrorMessage());
    }
    BOOL bAll = TRUE;
    if (pszFind) {
      CString strFind(pszFind);
      SelectRowsContaining(window.m_listResults, strFind);
      bAll = FALSE;
    }
    pszFailing = pszOutput ? pszOutput : "standard output";
    CFile output;
    CFile stdoutFile(STDOUT_FILENO, "standard output");
    CFile* pOut = &stdoutFile;
    if (pszOutput) {
      CFileException error;
      if (!OpenExportFile(output, pszOutput, &error)) return Fail(pszOutput, error.GetErrorMessage());
      pOut = &output;
    }
    WriteResultRows(window.m_listResults, *pOut, bAll);
    pOut->Close();
  } catch (const CException& e) {
    return Fail(pszFailing, e.GetErrorMessage());
  } catch (const std::bad_alloc&) {
    return Fail(pszFailing, CMemoryException().GetErrorMessage());
  }
  return 0;
}
