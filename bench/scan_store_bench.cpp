// scan_store_bench: the scan into the row store alone, then Find and the
// two exports on the rows it made, each timed.
//
//   scan_store_bench [--find TEXT] [--export-all FILE] [--export-marked FILE] CORPUS
//   scan_store_bench --pairs CORPUS
//
// Prints "name=value" lines (MB are 10^6 bytes; peak RSS in KiB, taken
// right after the scan). --find selects the rows holding TEXT with the
// window's Find; then --export-all writes every row to FILE and
// --export-marked the selected ones, as Export All and Export Marked do.
// --pairs lists the letter pairs whose Find would select nearest one row
// in five, to choose a search text for --find.

#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <bit>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/core/exception.h"
#include "results/export_rows.h"
#include "results/find_rows.h"
#include "scanner/headless_scan_window.h"

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

long PeakRssKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// Offset texts and run texts of all rows, the bytes a list of them shows.
size_t ListedTextBytes(const CListCtrl& list) {
  const RowStore& store = list.Store();
  size_t n = 0;
  for (int r = 0; r < store.Count(); ++r) n += store.Text(r, 0).size() + store.Text(r, 1).size();
  return n;
}

void PrintRate(const char* pszName, double seconds, double count, const char* pszUnit) {
  std::printf("%s_seconds=%.4f\n%s_%s=%.0f\n", pszName, seconds, pszName, pszUnit,
              seconds > 0 ? count / seconds : 0.0);
}

// Prints the letter pairs (either case, as Find ignores case) whose rows
// are nearest 20% of all rows, closest first.
void PrintLetterPairs(const CListCtrl& list) {
  std::vector<int> counts(26 * 26);
  std::array<uint64_t, (26 * 26 + 63) / 64> seen;
  const RowStore& store = list.Store();
  for (int r = 0; r < store.Count(); ++r) {
    seen.fill(0);
    std::string_view text = store.Text(r, 1);
    for (size_t i = 0; i + 1 < text.size(); ++i) {
      unsigned a = static_cast<unsigned char>(text[i] | 0x20) - 'a';
      unsigned b = static_cast<unsigned char>(text[i + 1] | 0x20) - 'a';
      if (a >= 26 || b >= 26) continue;
      unsigned k = a * 26 + b;
      uint64_t bit = uint64_t{1} << (k & 63);
      if (seen[k >> 6] & bit) continue;
      seen[k >> 6] |= bit;
      ++counts[k];
    }
  }
  std::vector<int> order(counts.size());
  for (size_t k = 0; k < order.size(); ++k) order[k] = static_cast<int>(k);
  const double rows = std::max(store.Count(), 1);
  auto distance = [&](int k) { return std::fabs(counts[k] / rows - 0.2); };
  std::sort(order.begin(), order.end(), [&](int a, int b) { return distance(a) < distance(b); });
  for (int i = 0; i < 10; ++i) {
    int k = order[i];
    std::printf("pair=%c%c rows=%d fraction=%.4f\n", 'a' + k / 26, 'a' + k % 26, counts[k],
                counts[k] / rows);
  }
}

// One export, as the window's does it: open, write the rows, close.
void TimeExport(const char* pszName, const CListCtrl& list, LPCTSTR pszPath, BOOL bAll) {
  Clock::time_point start = Clock::now();
  CFile file;
  CFileException error;
  if (!OpenExportFile(file, pszPath, &error)) {
    std::fprintf(stderr, "scan_store_bench: %s: %s\n", pszPath,
                 static_cast<LPCTSTR>(error.GetErrorMessage()));
    std::exit(1);
  }
  WriteResultRows(list, file, bAll);
  file.Close();
  const double seconds = SecondsSince(start);
  const int rows = bAll ? list.GetItemCount() : list.GetSelectedCount();
  std::printf("%s_rows=%d\n", pszName, rows);
  PrintRate(pszName, seconds, rows, "rows_per_s");
}

int Usage() {
  std::fputs(
      "Usage: scan_store_bench [--find TEXT] [--export-all FILE] [--export-marked FILE] CORPUS\n"
      "       scan_store_bench --pairs CORPUS\n",
      stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  LPCTSTR pszCorpus = nullptr;
  LPCTSTR pszFind = nullptr;
  LPCTSTR pszExportAll = nullptr;
  LPCTSTR pszExportMarked = nullptr;
  bool bPairs = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--find") == 0 && i + 1 < argc) pszFind = argv[++i];
    else if (std::strcmp(argv[i], "--export-all") == 0 && i + 1 < argc) pszExportAll = argv[++i];
    else if (std::strcmp(argv[i], "--export-marked") == 0 && i + 1 < argc) pszExportMarked = argv[++i];
    else if (std::strcmp(argv[i], "--pairs") == 0) bPairs = true;
    else if (argv[i][0] != '-' && pszCorpus == nullptr) pszCorpus = argv[i];
    else return Usage();
  }
  if (pszCorpus == nullptr) return Usage();

  struct stat st;
  if (stat(pszCorpus, &st) != 0) {
    std::perror(pszCorpus);
    return 1;
  }

  try {
    CHeadlessScanWindow window;
    window.m_nMinTextLength = 10;
    Clock::time_point start = Clock::now();
    window.ScanFile(pszCorpus);
    const double seconds = SecondsSince(start);
    const long nPeakKiB = PeakRssKiB();
    if (window.LastStatus() != " - Done") {
      std::fprintf(stderr, "scan_store_bench: %s: scan ended with \"%s\"\n", pszCorpus,
                   static_cast<LPCTSTR>(window.LastStatus()));
      return 1;
    }
    CListCtrl& list = window.m_listResults;
    const int rows = list.GetItemCount();
    std::printf("file_bytes=%lld\n", static_cast<long long>(st.st_size));
    std::printf("scan_seconds=%.4f\n", seconds);
    std::printf("scan_mb_per_s=%.1f\n", st.st_size / seconds / 1e6);
    std::printf("rows=%d\n", rows);
    std::printf("scan_rows_per_s=%.0f\n", rows / seconds);
    std::printf("peak_rss_kib=%ld\n", nPeakKiB);
    std::printf("listed_text_bytes=%zu\n", ListedTextBytes(list));
    std::printf("store_bytes=%zu\n", list.Store().BytesUsed());

    if (bPairs) PrintLetterPairs(list);
    if (pszFind) {
      CString strFind(pszFind);
      start = Clock::now();
      SelectRowsContaining(list, strFind);
      const double findSeconds = SecondsSince(start);
      const int selected = list.GetSelectedCount();
      std::printf("find_text=%s\nfind_rows=%d\nfind_fraction=%.4f\n", pszFind, selected,
                  rows > 0 ? static_cast<double>(selected) / rows : 0.0);
      PrintRate("find", findSeconds, rows, "rows_per_s");
    }
    if (pszExportAll) TimeExport("export_all", list, pszExportAll, TRUE);
    if (pszExportMarked) TimeExport("export_marked", list, pszExportMarked, FALSE);
  } catch (const CException& e) {
    std::fprintf(stderr, "scan_store_bench: %s\n", static_cast<LPCTSTR>(e.GetErrorMessage()));
    return 1;
  }
  return 0;
}
