#include "platform/core/file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr UINT kReadBufferSize = 256 * 1024;   // stays in the CPU's cache
constexpr UINT kWriteBufferSize = 64 * 1024;

CString WorkingDirectory() {
  std::string dir(256, '\0');
  while (getcwd(dir.data(), dir.size()) == nullptr) {
    if (errno != ERANGE) return "/";
    dir.resize(dir.size() * 2);
  }
  return CString(dir.c_str());
}

}  // namespace

CString AfxFullPath(LPCTSTR pszPath) {
  std::string path = pszPath ? pszPath : "";
  if (path.empty()) return CString();
  if (path[0] != '/') path = std::string(WorkingDirectory()) + "/" + path;
  std::vector<std::string> steps;
  size_t at = 0;
  while (at <= path.size()) {
    size_t slash = path.find('/', at);
    if (slash == std::string::npos) slash = path.size();
    std::string step = path.substr(at, slash - at);
    if (step == "..") {
      if (!steps.empty()) steps.pop_back();
    } else if (!step.empty() && step != ".") {
      steps.push_back(step);
    }
    at = slash + 1;
  }
  if (steps.empty()) return CString("/");
  std::string full;
  for (const std::string& step : steps) full.append("/").append(step);
  return CString(full.c_str());
}

int AfxFindExtension(const CString& strPath) {
  const int nName = strPath.ReverseFind('/') + 1;
  const int nDot = strPath.ReverseFind('.');
  return nDot > nName ? nDot : -1;
}

CFile::CFile() = default;

CFile::CFile(int fd, LPCTSTR pszName) : m_fd(fd), m_bWrite(true), m_strFileName(pszName) {}

CFile::~CFile() {
  if (m_fd < 0) return;
  if (m_bWrite) {
    try {
      FlushWrites();
    } catch (const CFileException&) {
      // Nothing to report from a destructor; what was written stays.
    }
  }
  if (m_bCloseOnDelete) ::close(m_fd);
  m_fd = -1;
}

BOOL CFile::Open(LPCTSTR pszFileName, UINT nOpenFlags, CFileException* pError) {
  Abort();
  CString strFullPath = AfxFullPath(pszFileName);
  auto fail = [&](int nErrno, int fd) {
    if (fd >= 0) ::close(fd);
    if (pError) *pError = CFileException(CFileException::OsErrorToCause(nErrno), nErrno, strFullPath);
    return FALSE;
  };
  if (pszFileName == nullptr || *pszFileName == '\0') return fail(ENOENT, -1);

  const UINT nAccess = nOpenFlags & 0x3;
  const UINT nShare = nOpenFlags & 0x70;
  const bool bWrite = nAccess != modeRead;
  int nFlags = O_CLOEXEC | (nAccess == modeWrite ? O_WRONLY : nAccess == modeReadWrite ? O_RDWR : O_RDONLY);
  if (nOpenFlags & modeCreate) nFlags |= O_CREAT;
  // Opening a FIFO for reading would wait for a writer; O_NONBLOCK keeps it
  // from waiting, and the type check below then turns it away.
  if (!bWrite) nFlags |= O_NONBLOCK;

  int fd = ::open(strFullPath, nFlags, 0666);
  if (fd < 0) return fail(errno, -1);
  struct stat st;
  if (::fstat(fd, &st) != 0) return fail(errno, fd);
  const bool bRegular = S_ISREG(st.st_mode);
  if (!bWrite) {
    if (!bRegular) return fail(S_ISDIR(st.st_mode) ? EISDIR : EACCES, fd);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  } else if (bRegular && (st.st_mode & 0222) == 0) {
    return fail(EACCES, fd);
  }

  int nLock = 0;
  if (nShare == shareDenyWrite) nLock = bWrite ? LOCK_EX : LOCK_SH;
  else if (nShare != shareDenyNone) nLock = LOCK_EX;
  if (nLock != 0 && ::flock(fd, nLock | LOCK_NB) != 0) {
    return fail(errno == EWOULDBLOCK ? EWOULDBLOCK : errno, fd);
  }
  // Emptied only now, once the lock is held, so that a file another
  // program holds is left as it was.
  if (bWrite && bRegular && (nOpenFlags & modeCreate) && !(nOpenFlags & modeNoTruncate) &&
      ::ftruncate(fd, 0) != 0) {
    return fail(errno, fd);
  }

  m_fd = fd;
  m_bCloseOnDelete = true;
  m_bWrite = bWrite;
  m_strFileName = strFullPath;
  m_nPosition = 0;
  m_nBuffered = 0;
  m_nBufferStart = 0;
  m_nPending = 0;
  return TRUE;
}

void CFile::ThrowRead(int nErrno) const {
  AfxThrowFileException(CFileException::OsErrorToCause(nErrno), nErrno, nullptr);
}

// Makes the buffer hold the bytes from m_nPosition on, nWanted of them or
// as many as the file has. Bytes already buffered there are kept.
void CFile::FillBuffer(UINT nWanted) {
  if (m_nBufferSize < nWanted || !m_pBuffer) {
    UINT nSize = std::max(kReadBufferSize, nWanted);
    std::unique_ptr<BYTE[]> pBigger(new BYTE[nSize]);
    m_pBuffer.swap(pBigger);
    m_nBufferSize = nSize;
    m_nBuffered = 0;
  }
  UINT nKeep = 0;
  if (m_nPosition >= m_nBufferStart && m_nPosition < m_nBufferStart + m_nBuffered) {
    UINT nFrom = static_cast<UINT>(m_nPosition - m_nBufferStart);
    nKeep = m_nBuffered - nFrom;
    std::memmove(m_pBuffer.get(), m_pBuffer.get() + nFrom, nKeep);
  }
  m_nBufferStart = m_nPosition;
  m_nBuffered = nKeep;
  while (m_nBuffered < m_nBufferSize) {
    ssize_t n = ::pread(m_fd, m_pBuffer.get() + m_nBuffered, m_nBufferSize - m_nBuffered,
                        static_cast<off_t>(m_nBufferStart + m_nBuffered));
    if (n < 0) {
      if (errno == EINTR) continue;
      int nErrno = errno;
      m_nBuffered = 0;
      ThrowRead(nErrno);
    }
    if (n == 0) break;
    m_nBuffered += static_cast<UINT>(n);
  }
}

UINT CFile::ReadView(const BYTE** ppData, UINT nCount) {
  if (m_fd < 0) ThrowRead(EBADF);
  if (m_bWrite) FlushWrites();
  const bool bInside = m_nPosition >= m_nBufferStart &&
                       m_nPosition + nCount <= m_nBufferStart + m_nBuffered;
  if (!bInside) FillBuffer(nCount);
  UINT nFrom = static_cast<UINT>(m_nPosition - m_nBufferStart);
  UINT nRead = std::min(nCount, m_nBuffered - nFrom);
  *ppData = m_pBuffer.get() + nFrom;
  m_nPosition += nRead;
  return nRead;
}

UINT CFile::Read(void* lpBuf, UINT nCount) {
  BYTE* pOut = static_cast<BYTE*>(lpBuf);
  UINT nDone = 0;
  while (nDone < nCount) {
    const BYTE* pData;
    UINT nPart = ReadView(&pData, std::min(nCount - nDone, kReadBufferSize));
    if (nPart == 0) break;
    std::memcpy(pOut + nDone, pData, nPart);
    nDone += nPart;
  }
  return nDone;
}

void CFile::FlushWrites() {
  UINT nDone = 0;
  while (nDone < m_nPending) {
    ssize_t n = ::write(m_fd, m_pBuffer.get() + nDone, m_nPending - nDone);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      int nErrno = n < 0 ? errno : ENOSPC;
      m_nPending = 0;  // lost; retrying would only write part of it again
      AfxThrowFileException(CFileException::OsErrorToCause(nErrno), nErrno, m_strFileName);
    }
    nDone += static_cast<UINT>(n);
  }
  m_nPending = 0;
}

void CFile::WriteThrough(const void* lpBuf, UINT nCount) {
  if (m_fd < 0) AfxThrowFileException(CFileException::invalidFile, EBADF, m_strFileName);
  if (!m_bWrite) AfxThrowFileException(CFileException::accessDenied, EBADF, m_strFileName);
  if (!m_pBuffer || m_nBufferSize < kWriteBufferSize) {
    m_pBuffer.reset(new BYTE[kWriteBufferSize]);
    m_nBufferSize = kWriteBufferSize;
  }
  m_nBuffered = 0;  // whatever was read is stale once the file changes
  const BYTE* pIn = static_cast<const BYTE*>(lpBuf);
  while (nCount > 0) {
    if (m_nPending == m_nBufferSize) FlushWrites();
    UINT nPart = std::min(nCount, m_nBufferSize - m_nPending);
    std::memcpy(m_pBuffer.get() + m_nPending, pIn, nPart);
    m_nPending += nPart;
    m_nPosition += nPart;
    pIn += nPart;
    nCount -= nPart;
  }
}

void CFile::Flush() {
  if (m_fd >= 0 && m_bWrite) FlushWrites();
}

ULONGLONG CFile::GetLength() const {
  struct stat st;
  if (m_fd < 0 || ::fstat(m_fd, &st) != 0) ThrowRead(m_fd < 0 ? EBADF : errno);
  // Bytes still in the write buffer lengthen the file too.
  return m_bWrite ? std::max<ULONGLONG>(st.st_size, m_nPosition) : static_cast<ULONGLONG>(st.st_size);
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom) {
  if (m_fd < 0) ThrowRead(EBADF);
  LONGLONG lBase = 0;
  if (nFrom == current) lBase = static_cast<LONGLONG>(m_nPosition);
  else if (nFrom == end) lBase = static_cast<LONGLONG>(GetLength());
  else if (nFrom != begin) ThrowRead(EINVAL);
  LONGLONG lTarget = lBase + lOff;
  if (lTarget < 0) AfxThrowFileException(CFileException::badSeek, EINVAL, nullptr);
  if (m_bWrite) {
    FlushWrites();
    if (::lseek(m_fd, static_cast<off_t>(lTarget), SEEK_SET) < 0) ThrowRead(errno);
  }
  m_nPosition = static_cast<ULONGLONG>(lTarget);
  return m_nPosition;
}

void CFile::Close() {
  if (m_fd < 0) return;
  if (m_bWrite) {
    try {
      FlushWrites();
    } catch (...) {
      Abort();
      throw;
    }
  }
  int fd = m_fd;
  bool bClose = m_bCloseOnDelete;
  m_fd = -1;
  if (bClose && ::close(fd) != 0 && errno != EINTR) ThrowRead(errno);
}

void CFile::Abort() {
  if (m_fd >= 0 && m_bCloseOnDelete) ::close(m_fd);
  m_fd = -1;
  m_nPending = 0;
  m_nBuffered = 0;
}
