// The window a scan fills: the state the scan reads and writes, and the
// two things it tells its owner. The main window is one; the command-line
// program has a headless one.
#pragma once

#include "platform/core/cstring.h"
#include "platform/core/list_ctrl.h"

// Bytes read at a time; every listed run starts at such a window's start.
constexpr int kScanWindowSize = 4096;

class CScanWindow {
 public:
  virtual ~CScanWindow() = default;

  // Reads strPath from start to end and lists its runs of printable bytes
  // in m_listResults, one row per run: the offset text ("%06X" of its file
  // position, "..." after it when the run filled a whole window) and the
  // run's text. A run longer than a window is listed in window-sized
  // pieces, then its rest, each at its own offset. Sets m_strExportName,
  // the status and the row commands on the way.
  void ScanFile(CString strPath);

  CString m_strExportName;   // proposed export file name
  int m_nMinTextLength = 10;
  CString m_strBaseTitle;    // prefix of every status
  CListCtrl m_listResults;

 protected:
  // Shows the status: m_strBaseTitle followed by pszSuffix.
  virtual void SetStatus(LPCTSTR pszSuffix) = 0;
  // Enables or grays Export All, Export Marked and Find together.
  virtual void EnableRowCommands(BOOL bEnable) = 0;
};

// The export name proposed for a scanned path: the file name's extension
// replaced by "txt", or ".txt" appended when the name has none (a name
// whose only '.' is its first character has none).
CString DefaultExportName(const CString& strPath);

// "%06X" of nPosition (upper-case hexadecimal, at least six digits).
CString FormatOffset(ULONGLONG nPosition);
