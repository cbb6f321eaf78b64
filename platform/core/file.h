// CFile: a file opened for reading or for writing, with 64-bit positions.
//
// Reading goes through one large buffer: a seek back into bytes already read,
// and a read of them again, cost no system call. ReadView hands the bytes out
// without copying them. Writing is buffered too; the buffer goes to the file
// when it fills, on Seek, Flush and Close.
//
// Errors: Open answers FALSE (and fills *pError when given). Every other
// operation throws CFileException. A write error names the file's full path;
// reads, seeks, position queries and closing name no file.
#pragma once

#include <cstring>
#include <memory>

#include "platform/core/cstring.h"
#include "platform/core/exception.h"

class CFile {
 public:
  enum OpenFlags : UINT {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareCompat = 0x0000,
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000,
    typeBinary = 0x8000,
  };
  enum SeekPosition : UINT { begin = 0, current = 1, end = 2 };

  CFile();
  // Wraps a descriptor that is already open for writing, such as standard
  // output; pszName stands for it in error texts. The descriptor stays open.
  CFile(int fd, LPCTSTR pszName);
  // Writes what is buffered and closes, reporting nothing.
  ~CFile();
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;

  // Opens pszFileName. For reading, only a regular file opens: a directory,
  // FIFO, socket or device does not. modeCreate creates a missing file and
  // empties an existing one (not with modeNoTruncate). An existing file
  // whose write permission bits are all clear is read-only: opening it for
  // writing fails, for root too.
  //
  // The share flags are kept with advisory flock(2) locks: shareDenyWrite
  // takes a shared lock when reading and an exclusive one when writing, so
  // it keeps out another Veldrin or any program that locks the same way
  // (flock(1)), and nothing that ignores locks, such as most editors.
  BOOL Open(LPCTSTR pszFileName, UINT nOpenFlags, CFileException* pError = nullptr);

  // Reads up to nCount bytes at the position into lpBuf and advances past
  // them; answers the number read, less than nCount only at the end.
  UINT Read(void* lpBuf, UINT nCount);
  // The same, without copying: *ppData points at the bytes inside the file's
  // buffer, valid until the next call on this file.
  UINT ReadView(const BYTE** ppData, UINT nCount);
  // Writes all nCount bytes; a write that stores nothing counts as a full disk.
  void Write(const void* lpBuf, UINT nCount) {
    if (m_nPending != 0 && nCount <= m_nBufferSize - m_nPending) {
      std::memcpy(m_pBuffer.get() + m_nPending, lpBuf, nCount);  // the common case, inline
      m_nPending += nCount;
      m_nPosition += nCount;
      return;
    }
    WriteThrough(lpBuf, nCount);
  }
  ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
  ULONGLONG SeekToBegin() { return Seek(0, begin); }
  ULONGLONG GetPosition() const { return m_nPosition; }
  ULONGLONG GetLength() const;
  void Flush();
  // Writes what is buffered and closes; throws on failure.
  void Close();
  // Closes, dropping what is buffered, reporting nothing.
  void Abort();

  BOOL IsOpen() const { return m_fd >= 0; }
  // The full path given to Open, made absolute.
  CString GetFilePath() const { return m_strFileName; }

 private:
  void FillBuffer(UINT nWanted);
  void FlushWrites();
  void WriteThrough(const void* lpBuf, UINT nCount);
  void ThrowRead(int nErrno) const;

  int m_fd = -1;
  bool m_bCloseOnDelete = false;
  bool m_bWrite = false;
  CString m_strFileName;
  ULONGLONG m_nPosition = 0;

  // Reading: the buffer holds the file's bytes from m_nBufferStart on.
  std::unique_ptr<BYTE[]> m_pBuffer;
  UINT m_nBufferSize = 0;
  UINT m_nBuffered = 0;
  ULONGLONG m_nBufferStart = 0;

  // Writing: m_nPending bytes wait in m_pBuffer, to go at m_nPosition - m_nPending.
  UINT m_nPending = 0;
};

// pszPath made absolute against the working directory, with "." and ".."
// steps and repeated slashes taken out, without following links.
CString AfxFullPath(LPCTSTR pszPath);

// The position in strPath of the '.' that starts its file name's extension,
// or -1. Only the file name, after the last '/', is looked at, and a '.'
// that starts the name begins a hidden file's name, not an extension.
int AfxFindExtension(const CString& strPath);
