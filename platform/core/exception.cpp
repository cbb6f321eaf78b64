#include "platform/core/exception.h"

#include <cerrno>

int CFileException::OsErrorToCause(int nErrno) {
  switch (nErrno) {
    case 0: return none;
    case ENOENT: return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EXDEV: return badPath;
    case EMFILE:
    case ENFILE: return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ENXIO:
    case ENODEV: return accessDenied;
    case EBADF: return invalidFile;
    case EIO: return hardIO;
    case EWOULDBLOCK:
    case ETXTBSY:
    case EBUSY: return sharingViolation;
    case EDEADLK:
    case ENOLCK: return lockViolation;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return diskFull;
    case ESPIPE:
    case EOVERFLOW: return badSeek;
    default: return genericException;
  }
}

CString CFileException::CauseText(int cause, LPCTSTR pszFileName) {
  LPCTSTR pszFormat;
  switch (cause) {
    case none: pszFormat = "No error occurred."; break;
    case fileNotFound: pszFormat = "%1 was not found."; break;
    case badPath: pszFormat = "%1 contains an invalid path."; break;
    case tooManyOpenFiles: pszFormat = "%1 could not be opened because there are too many open files."; break;
    case accessDenied: pszFormat = "Access to %1 was denied."; break;
    case invalidFile: pszFormat = "An invalid file handle was associated with %1."; break;
    case removeCurrentDir: pszFormat = "%1 could not be removed because it is the current directory."; break;
    case directoryFull: pszFormat = "%1 could not be created because the directory is full."; break;
    case badSeek: pszFormat = "Seek failed on %1"; break;
    case hardIO: pszFormat = "A hardware I/O error was reported while accessing %1."; break;
    case sharingViolation: pszFormat = "A sharing violation occurred while accessing %1."; break;
    case lockViolation: pszFormat = "A locking violation occurred while accessing %1."; break;
    case diskFull: pszFormat = "Disk full while accessing %1."; break;
    case endOfFile: pszFormat = "An attempt was made to access %1 past its end."; break;
    default: pszFormat = "An unknown error occurred while accessing %1."; break;
  }
  CString strText(pszFormat);
  int at = strText.Find("%1");
  if (at < 0) return strText;
  return strText.Left(at) + pszFileName + strText.Mid(at + 2);
}

CString CFileException::GetErrorMessage() const {
  return CauseText(m_cause, m_strFileName.IsEmpty() ? "an unnamed file" : static_cast<LPCTSTR>(m_strFileName));
}

void AfxThrowMemoryException() { throw CMemoryException(); }

void AfxThrowFileException(int cause, int nOsError, LPCTSTR pszFileName) {
  throw CFileException(cause, nOsError, pszFileName);
}
