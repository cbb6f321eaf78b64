// veldrin-scan, run as a program.
#include <sys/stat.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "results/export_rows.h"
#include "results/find_rows.h"
#include "scanner/headless_scan_window.h"
#include "tests/temp_dir.h"

namespace {

struct Outcome {
  int exitCode;
  std::string out;
  std::string err;
};

Outcome VeldrinScan(const TempDir& dir, const std::string& args) {
  const std::string out = dir.Path("stdout"), err = dir.Path("stderr");
  int status = std::system((std::string(VELDRIN_SCAN) + " " + args + " >" + out + " 2>" + err + " </dev/null").c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, TempDir::Read(out), TempDir::Read(err)};
}

// What the window's export writes for the rows of path, all or after Find.
std::string WindowExport(const TempDir& dir, const std::string& path, const char* pszFind) {
  CHeadlessScanWindow window;
  window.ScanFile(path.c_str());
  if (pszFind) {
    CString find(pszFind);
    SelectRowsContaining(window.m_listResults, find);
  }
  CFile file;
  EXPECT_TRUE(OpenExportFile(file, dir.Path("window.txt").c_str()));
  WriteResultRows(window.m_listResults, file, pszFind == nullptr);
  file.Close();
  return TempDir::Read(dir.Path("window.txt"));
}

TEST(VeldrinScan, WritesWhatTheWindowExports) {
  TempDir dir;
  const std::string nul(1, '\0');
  const std::string input = dir.Write("in.bin", "\x01Hello, World\x02" + std::string(5000, 'k') + "\x7f" "copy that" +
                                                    nul + "COPYRIGHT 2026" + nul + "short" + nul);
  const Outcome all = VeldrinScan(dir, input);
  EXPECT_EQ(all.exitCode, 0);
  EXPECT_EQ(all.out, WindowExport(dir, input, nullptr));
  EXPECT_NE(all.out.find("000001\tHello, World\r\n"), std::string::npos);

  EXPECT_EQ(VeldrinScan(dir, "-o " + dir.Path("o.txt") + " " + input).exitCode, 0);
  EXPECT_EQ(TempDir::Read(dir.Path("o.txt")), all.out);

  const Outcome found = VeldrinScan(dir, "--find copy " + input);
  EXPECT_EQ(found.out, WindowExport(dir, input, "copy"));
  EXPECT_EQ(found.out, "0013A1\tCOPYRIGHT 2026\r\n");

  EXPECT_EQ(VeldrinScan(dir, "-n 5 " + input).out.find("short") != std::string::npos, true);
}

TEST(VeldrinScan, ReportsErrorsAndExitsNonZero) {
  TempDir dir;
  const std::string input = dir.Write("in.bin", "Hello, World");
  const std::string readOnly = dir.Write("ro.txt", "keep");
  chmod(readOnly.c_str(), 0444);
  struct Case {
    std::string args;
    int exitCode;
    std::string err;
  };
  const Case cases[] = {
      {dir.Path("missing"), 1, "veldrin-scan: " + dir.Path("missing") + ": " + dir.Path("missing") + " was not found.\n"},
      {dir.Root(), 1, "veldrin-scan: " + dir.Root() + ": Access to " + dir.Root() + " was denied.\n"},
      {"-o /dev/full " + input, 1, "veldrin-scan: /dev/full: Disk full while accessing /dev/full.\n"},
      {"-o " + readOnly + " " + input, 1, "veldrin-scan: " + readOnly + ": Access to " + readOnly + " was denied.\n"},
  };
  for (const Case& c : cases) {
    const Outcome run = VeldrinScan(dir, c.args);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.args;
    EXPECT_EQ(run.err, c.err) << c.args;
    EXPECT_EQ(run.out, "") << c.args;
  }
  EXPECT_EQ(TempDir::Read(readOnly), "keep");
  EXPECT_EQ(VeldrinScan(dir, "-n abc " + input).exitCode, 2);
  EXPECT_EQ(VeldrinScan(dir, "").exitCode, 2);
  const Outcome help = VeldrinScan(dir, "--help");
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("Usage: veldrin-scan"), std::string::npos);
}

}  // namespace
