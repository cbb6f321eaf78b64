#include "platform/core/cstring.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "platform/core/resource_types.h"

void CString::Format(LPCTSTR pszFormat, ...) {
  va_list args;
  va_start(args, pszFormat);
  va_list again;
  va_copy(again, args);
  char small[128];
  int n = std::vsnprintf(small, sizeof small, pszFormat, args);
  va_end(args);
  if (n < 0) {
    m_str.clear();
  } else if (static_cast<size_t>(n) < sizeof small) {
    m_str.assign(small, n);
  } else {
    m_str.resize(n);
    std::vsnprintf(m_str.data(), n + 1, pszFormat, again);
  }
  va_end(again);
}

void CString::MakeUpper() {
  for (char& c : m_str) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
}

int CString::Find(LPCTSTR psz, int nStart) const {
  if (nStart < 0 || nStart > GetLength()) return -1;
  size_t at = m_str.find(psz ? psz : "", nStart);
  return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::Find(char ch, int nStart) const {
  if (nStart < 0 || nStart >= GetLength()) return -1;
  size_t at = m_str.find(ch, nStart);
  return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::ReverseFind(char ch) const {
  size_t at = m_str.rfind(ch);
  return at == std::string::npos ? -1 : static_cast<int>(at);
}

CString CString::Left(int nCount) const {
  if (nCount <= 0) return CString();
  return CString(std::string_view(m_str).substr(0, nCount));
}

CString CString::Mid(int nFirst) const { return Mid(nFirst, GetLength()); }

CString CString::Mid(int nFirst, int nCount) const {
  if (nFirst < 0) nFirst = 0;
  if (nFirst >= GetLength() || nCount <= 0) return CString();
  return CString(std::string_view(m_str).substr(nFirst, nCount));
}

CString CString::Right(int nCount) const {
  if (nCount <= 0) return CString();
  if (nCount >= GetLength()) return *this;
  return CString(std::string_view(m_str).substr(GetLength() - nCount));
}

LPTSTR CString::GetBuffer(int nMinLength) {
  if (nMinLength > GetLength()) m_str.resize(nMinLength);
  return m_str.data();
}

void CString::ReleaseBuffer(int nNewLength) {
  if (nNewLength < 0) nNewLength = static_cast<int>(std::strlen(m_str.c_str()));
  m_str.resize(nNewLength);
}

BOOL CString::LoadString(UINT nId) {
  LPCTSTR psz = AfxFindString(nId);
  if (psz == nullptr) return FALSE;
  m_str = psz;
  return TRUE;
}
