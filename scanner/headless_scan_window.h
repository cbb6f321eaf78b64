// A scan window without a window, for the command-line program, the
// benchmarks and the tests: it keeps the statuses it was given and the
// state of the row commands.
#pragma once

#include <vector>

#include "scanner/scan_window.h"

class CHeadlessScanWindow : public CScanWindow {
 public:
  std::vector<CString> m_statuses;  // every suffix, in order
  BOOL m_bRowCommands = FALSE;
  int m_nRowCommandUpdates = 0;

  CString LastStatus() const { return m_statuses.empty() ? CString() : m_statuses.back(); }

 protected:
  void SetStatus(LPCTSTR pszSuffix) override { m_statuses.emplace_back(pszSuffix); }
  void EnableRowCommands(BOOL bEnable) override {
    m_bRowCommands = bEnable;
    ++m_nRowCommandUpdates;
  }
};
