#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "platform/core/exception.h"
#include "scanner/headless_scan_window.h"
#include "scanner/text_run.h"
#include "tests/temp_dir.h"

namespace {

using Rows = std::vector<std::pair<std::string, std::string>>;

class TestWindow : public CHeadlessScanWindow {
 public:
  std::vector<std::string> Statuses() const { return {m_statuses.begin(), m_statuses.end()}; }

  Rows GetRows() const {
    Rows rows;
    for (int r = 0; r < m_listResults.GetItemCount(); ++r) {
      rows.emplace_back(static_cast<LPCTSTR>(m_listResults.GetItemText(r, 0)),
                        static_cast<LPCTSTR>(m_listResults.GetItemText(r, 1)));
    }
    return rows;
  }
};

Rows Scan(const TempDir& dir, const std::string& bytes, int m = 10) {
  TestWindow window;
  window.m_nMinTextLength = m;
  window.ScanFile(dir.Write("scan.bin", bytes).c_str());
  return window.GetRows();
}

// What a scan lists: every maximal run of at least max(m, 1) printable
// bytes, as 4096-byte pieces ("..." after their offset) and then its rest,
// each at its own offset; nothing for m of 4096 or more.
Rows Model(const std::string& bytes, int m) {
  Rows rows;
  if (m >= kScanWindowSize) return rows;
  const size_t nMin = std::max(m, 1);
  size_t i = 0;
  while (i < bytes.size()) {
    if (!IsPrintable(static_cast<BYTE>(bytes[i]))) { ++i; continue; }
    size_t e = i;
    while (e < bytes.size() && IsPrintable(static_cast<BYTE>(bytes[e]))) ++e;
    if (e - i >= nMin) {
      for (size_t at = i; at < e; at += kScanWindowSize) {
        const size_t len = std::min<size_t>(kScanWindowSize, e - at);
        rows.emplace_back(std::string(FormatOffset(at)) + (len == kScanWindowSize ? "..." : ""),
                          bytes.substr(at, len));
      }
    }
    i = e;
  }
  return rows;
}

std::string Printable(size_t n) {
  std::string s;
  for (size_t k = 0; k < n; ++k) s += static_cast<char>('a' + k % 26);
  return s;
}

TEST(ScanFile, ListsRunsAtTheirOffsets) {
  TempDir dir;
  const std::string text10k = Printable(10000);
  const std::string text4097 = Printable(4097);
  struct Case {
    const char* name;
    std::string bytes;
    int m;
    Rows rows;
  };
  const std::vector<Case> cases = {
      {"empty file", "", 10, {}},
      {"Hello, World alone", "Hello, World", 10, {{"000000", "Hello, World"}}},
      {"Hello, World, m 11", "Hello, World", 11, {{"000000", "Hello, World"}}},
      {"run ending the file, exactly m", "Hello, World", 12, {{"000000", "Hello, World"}}},
      {"run ending the file, m + 1", "Hello, World", 13, {}},
      {"Hello, World then NUL, m 12", std::string("Hello, World") + '\0', 12, {{"000000", "Hello, World"}}},
      {"NUL then 10 printable", std::string(1, '\0') + "0123456789", 10, {{"000001", "0123456789"}}},
      {"NUL then 11 printable", std::string(1, '\0') + "0123456789A", 10, {{"000001", "0123456789A"}}},
      {"run after two NULs", std::string(2, '\0') + "abcdefghijkl" + '\0', 10, {{"000002", "abcdefghijkl"}}},
      {"offset 0x2A", std::string(0x2A, '\x01') + "0123456789" + '\0', 10, {{"00002A", "0123456789"}}},
      {"10,000 printable bytes", text10k, 10,
       {{"000000...", text10k.substr(0, 4096)}, {"001000...", text10k.substr(4096, 4096)},
        {"002000", text10k.substr(8192)}}},
      {"4097 printable bytes", text4097, 10,
       {{"000000...", text4097.substr(0, 4096)}, {"001000", text4097.substr(4096)}}},
      {"a run across the window end", std::string(4090, '\0') + "abcdefghijklmnopqrst" + '\0', 10,
       {{"000FFA", "abcdefghijklmnopqrst"}}},
      {"m 4: abcd listed, xyz too short", std::string(1, '\0') + "abcd" + '\0' + "xyz" + '\0', 4,
       {{"000001", "abcd"}}},
      {"m 4: the same without the last byte", std::string(1, '\0') + "abcd" + '\0' + "xyz", 4,
       {{"000001", "abcd"}}},
      {"m 4: abcd alone ends the file", "abcd", 4, {{"000000", "abcd"}}},
      {"m 0: every run", std::string("a\0bc\0\0d", 7), 0, {{"000000", "a"}, {"000002", "bc"}, {"000006", "d"}}},
      {"m 5000: nothing", text10k, 5000, {}},
      {"m 4096: nothing", text10k, 4096, {}},
      {"negative m acts as 0", std::string("x\0y", 3), -3, {{"000000", "x"}, {"000002", "y"}}},
      {"a run of exactly 4096", Printable(4096) + '\0' + "0123456789", 10,
       {{"000000...", Printable(4096)}, {"001001", "0123456789"}}},
      {"rest of a long run listed however short", Printable(4098), 10,
       {{"000000...", Printable(4098).substr(0, 4096)}, {"001000", Printable(4098).substr(4096)}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Scan(dir, c.bytes, c.m), c.rows) << c.name;
    EXPECT_EQ(Model(c.bytes, c.m), c.rows) << "model: " << c.name;
  }
}

TEST(ScanFile, AgreesWithTheModelOnRandomFiles) {
  TempDir dir;
  std::mt19937 rng(2026);
  const int minimums[] = {0, 1, 2, 5, 10, 11, 64, 1000, 4095, 4096};
  for (int round = 0; round < 300; ++round) {
    std::string bytes;
    const size_t size = std::uniform_int_distribution<size_t>(0, 30000)(rng);
    while (bytes.size() < size) {
      // Runs of every length, short ones most often, some longer than a window.
      int kind = std::uniform_int_distribution<int>(0, 19)(rng);
      size_t run = kind < 14 ? std::uniform_int_distribution<size_t>(0, 24)(rng)
                 : kind < 18 ? std::uniform_int_distribution<size_t>(0, 600)(rng)
                             : std::uniform_int_distribution<size_t>(3000, 13000)(rng);
      for (size_t k = 0; k < run; ++k) bytes += static_cast<char>(std::uniform_int_distribution<int>(0x20, 0x7E)(rng));
      size_t gap = std::uniform_int_distribution<size_t>(1, 6)(rng);
      for (size_t k = 0; k < gap; ++k) {
        const char gaps[] = {'\0', '\n', '\t', '\x7f', '\x80', '\xff'};
        bytes += gaps[std::uniform_int_distribution<int>(0, 5)(rng)];
      }
    }
    if (std::uniform_int_distribution<int>(0, 1)(rng)) bytes.resize(size);  // end inside a run
    const int m = minimums[round % std::size(minimums)];
    ASSERT_EQ(Scan(dir, bytes, m), Model(bytes, m)) << "round " << round << " size " << bytes.size() << " m " << m;
  }
}

TEST(ScanFile, ReportsProgressAndRowCommands) {
  TempDir dir;
  TestWindow window;
  window.ScanFile(dir.Write("a.bin", "Hello, World").c_str());
  EXPECT_EQ(window.Statuses(), (std::vector<std::string>{" - Opening file", " - Scanning", " - Done"}));
  EXPECT_EQ(window.m_bRowCommands, TRUE);

  window.ScanFile(dir.Write("empty.bin", "").c_str());
  EXPECT_EQ(window.m_listResults.GetItemCount(), 0);
  EXPECT_EQ(window.m_bRowCommands, FALSE);
  EXPECT_EQ(window.m_nRowCommandUpdates, 2);
}

TEST(ScanFile, UnopenableFileKeepsTheRows) {
  TempDir dir;
  mkfifo(dir.Path("fifo").c_str(), 0600);
  const std::string unopenable[] = {dir.Path("missing"), dir.Root(), dir.Path("fifo"), "/dev/zero", "", "\"" + dir.Path("x") + "\""};
  for (const std::string& path : unopenable) {
    TestWindow window;
    window.ScanFile(dir.Write("a.bin", "Hello, World").c_str());
    window.m_statuses.clear();
    window.ScanFile(path.c_str());
    EXPECT_EQ(window.Statuses(), (std::vector<std::string>{" - Opening file", " - Unable to open filel"})) << path;
    EXPECT_EQ(window.GetRows(), (Rows{{"000000", "Hello, World"}})) << path;
    EXPECT_EQ(window.m_nRowCommandUpdates, 1) << path;   // left as the first scan set them
    EXPECT_EQ(std::string(window.m_strExportName), std::string(DefaultExportName(path.c_str()))) << path;
  }
}

TEST(ScanFile, ReadErrorUnwindsAfterScanning) {
  // Reading this process's memory at offset 0 fails with EIO.
  TestWindow window;
  try {
    window.ScanFile("/proc/self/mem");
    FAIL() << "no exception";
  } catch (const CFileException& e) {
    EXPECT_EQ(e.m_cause, CFileException::hardIO);
    EXPECT_EQ(std::string(e.GetErrorMessage()), "A hardware I/O error was reported while accessing an unnamed file.");
  }
  EXPECT_EQ(std::string(window.LastStatus()), " - Scanning");
  EXPECT_EQ(window.m_nRowCommandUpdates, 0);
}

TEST(ScanFile, FilesPast4GiBAreScannedWhole) {
  TempDir dir;
  const std::string path = dir.Path("sparse.bin");
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  ASSERT_GE(fd, 0);
  const char needle[] = "needle-past-four-gibibytes";
  ASSERT_EQ(::pwrite(fd, needle, sizeof needle, 0x100000010LL), static_cast<ssize_t>(sizeof needle));
  ::close(fd);
  TestWindow window;
  window.ScanFile(path.c_str());
  EXPECT_EQ(window.GetRows(), (Rows{{"100000010", needle}}));
}

TEST(DefaultExportName, LooksForTheExtensionInTheFileName) {
  const std::pair<const char*, const char*> cases[] = {
      {"/bin/APP.EXE", "/bin/APP.txt"},
      {"/opt/app-1.2/bin/tool", "/opt/app-1.2/bin/tool.txt"},
      {"~/.local/bin/tool", "~/.local/bin/tool.txt"},
      {"/home/u/.bashrc", "/home/u/.bashrc.txt"},
      {".bashrc", ".bashrc.txt"},
      {"/usr/lib/libc.so.6", "/usr/lib/libc.so.txt"},
      {"README", "README.txt"},
      {"./NOTES", "./NOTES.txt"},
      {"../BIN", "../BIN.txt"},
      {"a.", "a.txt"},
      {"", ".txt"},
  };
  for (const auto& [path, name] : cases) EXPECT_EQ(std::string(DefaultExportName(path)), name) << path;
}

TEST(FormatOffset, IsHexWithAtLeastSixDigits) {
  const ULONGLONG positions[] = {0, 0x2A, 0xFFFFFF, 0x1000000, 0xFFFFFFFF, 0x100000010ULL, ~0ULL};
  for (ULONGLONG pos : positions) {
    CString want;
    want.Format("%06llX", static_cast<unsigned long long>(pos));
    EXPECT_EQ(std::string(FormatOffset(pos)), std::string(want));
  }
}

}  // namespace
