#include "scanner/scan_window.h"

#include <cstring>

#include "platform/core/file.h"
#include "results/result_list.h"
#include "scanner/text_run.h"

CString DefaultExportName(const CString& strPath) {
  const int nDot = AfxFindExtension(strPath);
  if (nDot >= 0) return strPath.Left(nDot + 1) + "txt";
  return strPath + ".txt";
}

CString FormatOffset(ULONGLONG nPosition) {
  char szText[16];
  char* p = szText + sizeof szText;
  do {
    *--p = "0123456789ABCDEF"[nPosition & 0xF];
    nPosition >>= 4;
  } while (nPosition != 0);
  while (p > szText + sizeof szText - 6) *--p = '0';
  return CString(p, static_cast<int>(szText + sizeof szText - p));
}

namespace {

// Where the run of printable bytes that ends the window begins, or n when
// the window's last byte is not printable.
size_t TrailingRunStart(const BYTE* pWindow, size_t n) {
  size_t t = n;
  while (t > 0 && IsPrintable(pWindow[t - 1])) --t;
  return t;
}

}  // namespace

void CScanWindow::ScanFile(CString strPath) {
  m_strExportName = DefaultExportName(strPath);
  SetStatus(" - Opening file");
  CFile file;
  if (!file.Open(strPath, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary)) {
    SetStatus(" - Unable to open filel");
    return;
  }
  SetStatus(" - Scanning");
  m_listResults.DeleteAllItems();

  const int nMin = m_nMinTextLength;
  char szText[kScanWindowSize + 1];
  // The window starts with the rest of a run whose first piece filled a
  // whole window: that rest is listed whatever its length.
  bool bRestOfRun = false;
  UINT n;
  do {
    const ULONGLONG pos = file.GetPosition();
    const BYTE* pWindow;
    n = file.ReadView(&pWindow, kScanWindowSize);
    const bool bLastWindow = n < static_cast<UINT>(kScanWindowSize);
    int len = 0;
    const BYTE* pRun;
    if (bRestOfRun && n > 0 && IsPrintable(pWindow[0])) {
      pRun = pWindow;
      len = static_cast<int>(PrintableSpan(pWindow, 0, n));
    } else {
      pRun = FindTextRun(pWindow, pWindow + n, len, nMin);
      // The end of the file ends a run: the minimum suffices there.
      if (pRun == nullptr && bLastWindow && nMin > 0) {
        size_t t = TrailingRunStart(pWindow, n);
        if (t < n && n - t >= static_cast<size_t>(nMin)) {
          pRun = pWindow + t;
          len = static_cast<int>(n - t);
        }
      }
    }
    bRestOfRun = false;

    if (pRun == nullptr) {
      // Nothing listed: a run cut by the window's end is judged whole in
      // the next window, which starts at its first byte.
      if (!bLastWindow && nMin < kScanWindowSize) {
        size_t t = TrailingRunStart(pWindow, n);
        if (t > 0 && t < n) file.Seek(static_cast<LONGLONG>(pos + t), CFile::begin);
      }
      continue;
    }
    if (pRun != pWindow) {
      // Read again from the run's start, so that it is measured whole.
      file.Seek(static_cast<LONGLONG>(pos + (pRun - pWindow)), CFile::begin);
      continue;
    }
    std::memcpy(szText, pRun, len);
    szText[len] = '\0';
    CString strOffset = FormatOffset(pos);
    if (len >= kScanWindowSize) {
      strOffset += "...";
      bRestOfRun = true;
      file.Seek(static_cast<LONGLONG>(pos + len), CFile::begin);
    } else {
      // Past the byte that ended the run.
      file.Seek(static_cast<LONGLONG>(pos + len + 1), CFile::begin);
    }
    AppendResultRow(m_listResults, strOffset, szText);
  } while (n != 0);

  file.Close();
  SetStatus(" - Done");
  EnableRowCommands(m_listResults.GetItemCount() > 0);
}
