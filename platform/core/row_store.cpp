#include "platform/core/row_store.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

namespace {

constexpr size_t kHugePage = 2 << 20;
constexpr size_t kBlockSize = 4 << 20;

// Large, 2 MiB-aligned memory, backed by huge pages where the system
// allows: a list of millions of rows then costs few page faults.
void* AllocateLarge(size_t nBytes) {
  nBytes = (nBytes + kHugePage - 1) / kHugePage * kHugePage;
  void* p = std::aligned_alloc(kHugePage, nBytes);
  if (p == nullptr) throw std::bad_alloc();
  ::madvise(p, nBytes, MADV_HUGEPAGE);
  return p;
}

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

void RowStore::FreeDeleter::operator()(void* p) const { std::free(p); }

RowStore::RowStore() = default;
RowStore::~RowStore() = default;

char* RowStore::Allocate(size_t nBytes) {
  if (static_cast<size_t>(m_pBlockEnd - m_pFree) < nBytes) {
    size_t nSize = std::max(kBlockSize, (nBytes + kHugePage - 1) / kHugePage * kHugePage);
    m_blocks.emplace_back(static_cast<char*>(AllocateLarge(nSize)));
    m_pFree = m_blocks.back().get();
    m_pBlockEnd = m_pFree + nSize;
    m_nBlockBytes += nSize;
  }
  char* p = m_pFree;
  m_pFree += nBytes;
  return p;
}

void RowStore::WriteRecord(int nRow, const std::string_view* pColumns, size_t nColumns) {
  size_t nBytes = VarintSize(nColumns);
  for (size_t c = 0; c < nColumns; ++c) nBytes += VarintSize(pColumns[c].size()) + pColumns[c].size();
  // The texts may live in the record being replaced; the new record never
  // overlaps it, as the old one is left where it is.
  char* p = Allocate(nBytes);
  Record(nRow) = p;
  p = PutVarint(p, nColumns);
  for (size_t c = 0; c < nColumns; ++c) {
    p = PutVarint(p, pColumns[c].size());
    std::memcpy(p, pColumns[c].data(), pColumns[c].size());
    p += pColumns[c].size();
  }
}

int RowStore::Insert(int nRow, std::string_view text) {
  nRow = std::clamp(nRow, 0, Count());
  if ((m_nRows >> kChunkShift) == static_cast<int>(m_chunks.size())) {
    m_chunks.emplace_back(static_cast<const char**>(AllocateLarge(sizeof(const char*) << kChunkShift)));
  }
  ++m_nRows;
  if (m_selected.size() * 64 < static_cast<size_t>(m_nRows)) m_selected.push_back(0);
  // Rows after nRow, and their selection, move down by one.
  for (int r = m_nRows - 1; r > nRow; --r) {
    Record(r) = Record(r - 1);
    SetSelected(r, IsSelected(r - 1));
  }
  SetSelected(nRow, false);
  WriteRecord(nRow, &text, 1);
  return nRow;
}

void RowStore::SetText(int nRow, int nCol, std::string_view text) {
  if (nRow < 0 || nRow >= Count() || nCol < 0) return;
  const char* pRecord = Record(nRow);
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
  WriteRecord(nRow, columns.data(), columns.size());
}

std::string_view RowStore::Text(int nRow, int nCol) const {
  if (nRow < 0 || nRow >= Count() || nCol < 0) return {};
  size_t nColumns;
  const char* p = RecordColumns(Record(nRow), &nColumns);
  std::string_view text;
  if (static_cast<size_t>(nCol) >= nColumns) return {};
  for (int c = 0; c <= nCol; ++c) p = SkipColumn(p, &text);
  return text;
}

void RowStore::Clear() {
  m_chunks.clear();
  m_nRows = 0;
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
  return m_nBlockBytes + (m_chunks.size() * sizeof(const char*) << kChunkShift) +
         m_selected.capacity() * sizeof(uint64_t);
}
