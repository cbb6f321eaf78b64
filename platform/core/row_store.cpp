#include "platform/core/row_store.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

constexpr size_t kBlockSize = 1 << 20;

size_t VarintSize(size_t n) {
  size_t nBytes = 1;
  while (n >= 0x80) { n >>= 7; ++nBytes; }
  return nBytes;
}

char* PutVarint(char* p, size_t n) {
  while (n >= 0x80) { *p++ = static_cast<char>(0x80 | (n & 0x7f)); n >>= 7; }
  *p++ = static_cast<char>(n);
  return p;
}

const char* GetVarint(const char* p, size_t* pn) {
  size_t n = 0;
  int shift = 0;
  unsigned char b;
  do {
    b = static_cast<unsigned char>(*p++);
    n |= static_cast<size_t>(b & 0x7f) << shift;
    shift += 7;
  } while (b & 0x80);
  *pn = n;
  return p;
}

// Walks a record: answers the column count and the position after it.
const char* RecordColumns(const char* p, size_t* pnColumns) { return GetVarint(p, pnColumns); }

const char* SkipColumn(const char* p, std::string_view* pText) {
  size_t n;
  p = GetVarint(p, &n);
  *pText = std::string_view(p, n);
  return p + n;
}

const char* RecordEnd(const char* p) {
  size_t nColumns;
  p = RecordColumns(p, &nColumns);
  std::string_view text;
  for (size_t c = 0; c < nColumns; ++c) p = SkipColumn(p, &text);
  return p;
}

}  // namespace

RowStore::RowStore() = default;
RowStore::~RowStore() = default;

char* RowStore::Allocate(size_t nBytes) {
  if (static_cast<size_t>(m_pBlockEnd - m_pFree) < nBytes) {
    size_t nSize = std::max(kBlockSize, nBytes);
    m_blocks.emplace_back(new char[nSize]);
    m_pFree = m_blocks.back().get();
    m_pBlockEnd = m_pFree + nSize;
    m_nBlockBytes += nSize;
  }
  char* p = m_pFree;
  m_pFree += nBytes;
  return p;
}

void RowStore::WriteRecord(int nRow, const std::vector<std::string_view>& columns) {
  size_t nBytes = VarintSize(columns.size());
  for (std::string_view text : columns) nBytes += VarintSize(text.size()) + text.size();
  // The texts may live in the record being replaced; the new record never
  // overlaps it, as the old one is left where it is.
  char* p = Allocate(nBytes);
  m_rows[nRow] = p;
  p = PutVarint(p, columns.size());
  for (std::string_view text : columns) {
    p = PutVarint(p, text.size());
    std::memcpy(p, text.data(), text.size());
    p += text.size();
  }
}

int RowStore::Insert(int nRow, std::string_view text) {
  nRow = std::clamp(nRow, 0, Count());
  m_rows.insert(m_rows.begin() + nRow, nullptr);
  if (m_selected.size() * 64 < m_rows.size()) m_selected.push_back(0);
  if (nRow + 1 < Count()) {
    // Selection bits after nRow move down by one row.
    for (int r = Count() - 1; r > nRow; --r) SetSelected(r, IsSelected(r - 1));
  }
  SetSelected(nRow, false);
  WriteRecord(nRow, {text});
  return nRow;
}

void RowStore::SetText(int nRow, int nCol, std::string_view text) {
  if (nRow < 0 || nRow >= Count() || nCol < 0) return;
  const char* pRecord = m_rows[nRow];
  size_t nColumns;
  const char* p = RecordColumns(pRecord, &nColumns);
  const char* pEnd = RecordEnd(pRecord);
  // The way a list is filled: the newest record gains its next column in place.
  if (nCol == static_cast<int>(nColumns) && nColumns < 0x7f && pEnd == m_pFree &&
      static_cast<size_t>(m_pBlockEnd - m_pFree) >= VarintSize(text.size()) + text.size()) {
    *const_cast<char*>(pRecord) = static_cast<char>(nColumns + 1);
    char* pOut = PutVarint(m_pFree, text.size());
    std::memcpy(pOut, text.data(), text.size());
    m_pFree = pOut + text.size();
    return;
  }
  std::vector<std::string_view> columns(std::max<size_t>(nColumns, nCol + 1));
  for (size_t c = 0; c < nColumns; ++c) p = SkipColumn(p, &columns[c]);
  std::string copy(text);  // text may point into this store
  columns[nCol] = copy;
  WriteRecord(nRow, columns);
}

std::string_view RowStore::Text(int nRow, int nCol) const {
  if (nRow < 0 || nRow >= Count() || nCol < 0) return {};
  size_t nColumns;
  const char* p = RecordColumns(m_rows[nRow], &nColumns);
  std::string_view text;
  if (static_cast<size_t>(nCol) >= nColumns) return {};
  for (int c = 0; c <= nCol; ++c) p = SkipColumn(p, &text);
  return text;
}

void RowStore::Clear() {
  m_rows.clear();
  m_rows.shrink_to_fit();
  m_selected.clear();
  m_selected.shrink_to_fit();
  m_blocks.clear();
  m_pFree = m_pBlockEnd = nullptr;
  m_nBlockBytes = 0;
}

void RowStore::SetSelected(int nRow, bool bSelected) {
  uint64_t bit = uint64_t{1} << (nRow & 63);
  if (bSelected) m_selected[nRow >> 6] |= bit;
  else m_selected[nRow >> 6] &= ~bit;
}

void RowStore::SetSelectedRange(int nFirst, int nLast, bool bSelected) {
  nFirst = std::max(nFirst, 0);
  nLast = std::min(nLast, Count() - 1);
  while (nFirst <= nLast && (nFirst & 63) != 0) SetSelected(nFirst++, bSelected);
  while (nFirst + 63 <= nLast) {
    m_selected[nFirst >> 6] = bSelected ? ~uint64_t{0} : 0;
    nFirst += 64;
  }
  while (nFirst <= nLast) SetSelected(nFirst++, bSelected);
}

void RowStore::ClearSelection() { std::fill(m_selected.begin(), m_selected.end(), 0); }

void RowStore::SetSelectionWords(int nFirstWord, const uint64_t* pWords, int nWords) {
  std::copy(pWords, pWords + nWords, m_selected.begin() + nFirstWord);
  // Bits past the last row stay clear.
  if (!m_selected.empty() && (Count() & 63) != 0) {
    m_selected.back() &= (uint64_t{1} << (Count() & 63)) - 1;
  }
}

size_t RowStore::BytesUsed() const {
  return m_nBlockBytes + m_rows.capacity() * sizeof(const char*) +
         m_selected.capacity() * sizeof(uint64_t);
}
