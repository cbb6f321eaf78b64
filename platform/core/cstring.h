// CString: an 8-bit text, bytes passed through unchanged.
//
// A value type: copies are independent. Positions are 0-based byte indexes;
// searches answer -1 when nothing is found.
#pragma once

#include <string>
#include <string_view>

#include "platform/core/win_types.h"

class CString {
 public:
  CString() = default;
  CString(LPCTSTR psz) : m_str(psz ? psz : "") {}  // NOLINT: implicit like the original
  CString(const char* pch, int nLength) : m_str(pch, nLength > 0 ? nLength : 0) {}
  CString(char ch, int nRepeat = 1) : m_str(nRepeat > 0 ? nRepeat : 0, ch) {}
  explicit CString(std::string_view sv) : m_str(sv) {}

  int GetLength() const { return static_cast<int>(m_str.size()); }
  BOOL IsEmpty() const { return m_str.empty(); }
  void Empty() { m_str.clear(); }
  char GetAt(int nIndex) const { return m_str[nIndex]; }
  char operator[](int nIndex) const { return m_str[nIndex]; }
  operator LPCTSTR() const { return m_str.c_str(); }  // NOLINT: implicit like the original
  std::string_view View() const { return m_str; }

  CString& operator=(LPCTSTR psz) { m_str = psz ? psz : ""; return *this; }
  CString& operator+=(const CString& s) { m_str += s.m_str; return *this; }
  CString& operator+=(LPCTSTR psz) { if (psz) m_str += psz; return *this; }
  CString& operator+=(char ch) { m_str += ch; return *this; }
  friend CString operator+(const CString& a, const CString& b) { CString r(a); r += b; return r; }
  friend CString operator+(const CString& a, LPCTSTR b) { CString r(a); r += b; return r; }
  friend CString operator+(LPCTSTR a, const CString& b) { CString r(a); r += b; return r; }
  friend CString operator+(const CString& a, char b) { CString r(a); r += b; return r; }

  friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
  friend bool operator==(const CString& a, LPCTSTR b) { return a.m_str == (b ? b : ""); }
  friend auto operator<=>(const CString& a, const CString& b) { return a.m_str <=> b.m_str; }
  int Compare(LPCTSTR psz) const { return m_str.compare(psz ? psz : ""); }

  // printf semantics; replaces the whole text.
  void Format(LPCTSTR pszFormat, ...) __attribute__((format(printf, 2, 3)));
  // Changes a-z into A-Z and leaves every other byte as it is.
  void MakeUpper();
  // First position of psz (or ch) at or after nStart, or -1. An empty psz is found at nStart.
  int Find(LPCTSTR psz, int nStart = 0) const;
  int Find(char ch, int nStart = 0) const;
  // Last position of ch, or -1.
  int ReverseFind(char ch) const;
  // The first nCount bytes (all of them when nCount is larger, none when it is negative).
  CString Left(int nCount) const;
  // The bytes from nFirst on, or nCount of them.
  CString Mid(int nFirst) const;
  CString Mid(int nFirst, int nCount) const;
  CString Right(int nCount) const;

  // Replaces the text with string resource nId; answers whether it exists.
  BOOL LoadString(UINT nId);

  // Raw access for code that fills a string in place: GetBuffer makes room
  // for at least nMinLength bytes plus a terminator; ReleaseBuffer takes the
  // text up to the terminator (nNewLength < 0) or nNewLength bytes.
  LPTSTR GetBuffer(int nMinLength);
  void ReleaseBuffer(int nNewLength = -1);

 private:
  std::string m_str;
};
