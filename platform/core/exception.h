// The exceptions the platform raises: a file error with its cause, and
// memory exhaustion. The program's own code neither throws nor catches them;
// the command dispatch reports them (see AfxReportException).
#pragma once

#include "platform/core/cstring.h"

class CException {
 public:
  virtual ~CException() = default;
  // The text shown to the user.
  virtual CString GetErrorMessage() const = 0;
};

class CMemoryException : public CException {
 public:
  CString GetErrorMessage() const override { return "Out of memory."; }
};

class CFileException : public CException {
 public:
  enum Cause {
    none,
    genericException,
    fileNotFound,
    badPath,
    tooManyOpenFiles,
    accessDenied,
    invalidFile,
    removeCurrentDir,
    directoryFull,
    badSeek,
    hardIO,
    sharingViolation,
    lockViolation,
    diskFull,
    endOfFile,
  };

  CFileException() = default;
  CFileException(int cause, int nOsError, LPCTSTR pszFileName)
      : m_cause(cause), m_lOsError(nOsError), m_strFileName(pszFileName) {}

  // The cause an errno value falls under.
  static int OsErrorToCause(int nErrno);
  // The user's text for a cause, %1 replaced by pszFileName.
  static CString CauseText(int cause, LPCTSTR pszFileName);

  // The cause's text with the file's name, or "an unnamed file" when the
  // failing operation did not name it.
  CString GetErrorMessage() const override;

  int m_cause = none;
  int m_lOsError = 0;
  CString m_strFileName;
};

[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowFileException(int cause, int nOsError = 0, LPCTSTR pszFileName = nullptr);
