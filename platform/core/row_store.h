// RowStore: the texts and the selection of a list's rows, compactly.
//
// Each row's texts sit in one record in large arena blocks: a column count,
// then each column's length and bytes (lengths as base-128 varints). A row
// costs a pointer to its record and one selection bit beside its texts, so
// ten million rows fit. Setting a column of the newest row, the way rows
// are filled one after another, extends its record in place.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

class RowStore {
 public:
  RowStore();
  ~RowStore();
  RowStore(const RowStore&) = delete;
  RowStore& operator=(const RowStore&) = delete;

  int Count() const { return m_nRows; }
  // Inserts a row before nRow (0..Count()) with column 0 = text; answers its index.
  int Insert(int nRow, std::string_view text);
  // Sets column nCol of an existing row; columns before it that were never
  // set read as empty.
  void SetText(int nRow, int nCol, std::string_view text);
  // The text of a column, empty for a column never set. Valid until the
  // store changes.
  std::string_view Text(int nRow, int nCol) const;
  void Clear();

  bool IsSelected(int nRow) const { return (m_selected[nRow >> 6] >> (nRow & 63)) & 1; }
  void SetSelected(int nRow, bool bSelected);
  // Sets or clears rows nFirst..nLast (inclusive) in one sweep.
  void SetSelectedRange(int nFirst, int nLast, bool bSelected);
  void ClearSelection();
  // The rows' selection as 64-bit words, row r in bit r % 64 of word r / 64.
  const std::vector<uint64_t>& SelectionWords() const { return m_selected; }
  void SetSelectionWords(int nFirstWord, const uint64_t* pWords, int nWords);

  // Bytes held, for the memory benchmarks.
  size_t BytesUsed() const;

 private:
  struct FreeDeleter {
    void operator()(void* p) const;
  };
  template <class T>
  using Chunk = std::unique_ptr<T[], FreeDeleter>;

  // Rows' record pointers, in chunks that never move, so that growing the
  // list copies nothing.
  static constexpr int kChunkShift = 18;
  const char*& Record(int nRow) { return m_chunks[nRow >> kChunkShift][nRow & ((1 << kChunkShift) - 1)]; }
  const char* Record(int nRow) const { return m_chunks[nRow >> kChunkShift][nRow & ((1 << kChunkShift) - 1)]; }
  char* Allocate(size_t nBytes);
  void WriteRecord(int nRow, const std::string_view* pColumns, size_t nColumns);

  std::vector<Chunk<const char*>> m_chunks;
  int m_nRows = 0;
  std::vector<uint64_t> m_selected;
  std::vector<Chunk<char>> m_blocks;
  char* m_pFree = nullptr;      // next free byte of the newest block
  char* m_pBlockEnd = nullptr;  // end of the newest block
  size_t m_nBlockBytes = 0;
};
