#include "platform/ui/row_selection.h"

#include <algorithm>

#include "platform/core/row_store.h"

namespace {

// The bits of rows nFirst..nLast that lie in selection word nWord.
uint64_t RangeMask(int nWord, int nFirst, int nLast) {
  const int nLow = std::max(nFirst, nWord * 64) - nWord * 64;
  const int nHigh = std::min(nLast, nWord * 64 + 63) - nWord * 64;
  return (~uint64_t{0} >> (63 - nHigh)) & (~uint64_t{0} << nLow);
}

}  // namespace

void RowSelection::ClearAll(RowStore& rows) {
  rows.ClearSelection();
  m_pending.clear();
}

void RowSelection::Revert(RowStore& rows) {
  // Latest first, so that rows saved twice end with their oldest bits.
  for (auto it = m_pending.rbegin(); it != m_pending.rend(); ++it) {
    const int nLast = std::min(it->nLast, rows.Count() - 1);
    if (it->nFirst > nLast) continue;
    const int nFirstWord = it->nFirst >> 6;
    const int nWords = (nLast >> 6) - nFirstWord + 1;
    std::vector<uint64_t> words(rows.SelectionWords().begin() + nFirstWord,
                                rows.SelectionWords().begin() + nFirstWord + nWords);
    for (int w = 0; w < nWords; ++w) {
      const uint64_t mask = RangeMask(nFirstWord + w, it->nFirst, nLast);
      words[w] = (words[w] & ~mask) | (it->words[w] & mask);
    }
    rows.SetSelectionWords(nFirstWord, words.data(), nWords);
  }
  m_pending.clear();
}

void RowSelection::Apply(RowStore& rows, int nFirst, int nLast, Op op) {
  nFirst = std::max(nFirst, 0);
  nLast = std::min(nLast, rows.Count() - 1);
  if (nFirst > nLast) return;
  const int nFirstWord = nFirst >> 6;
  const int nWords = (nLast >> 6) - nFirstWord + 1;
  Saved saved{nFirst, nLast,
              std::vector<uint64_t>(rows.SelectionWords().begin() + nFirstWord,
                                    rows.SelectionWords().begin() + nFirstWord + nWords)};
  std::vector<uint64_t> words = saved.words;
  for (int w = 0; w < nWords; ++w) {
    const uint64_t mask = RangeMask(nFirstWord + w, nFirst, nLast);
    switch (op) {
      case Op::Select: words[w] |= mask; break;
      case Op::Deselect: words[w] &= ~mask; break;
      case Op::Toggle: words[w] ^= mask; break;
    }
  }
  rows.SetSelectionWords(nFirstWord, words.data(), nWords);
  m_pending.push_back(std::move(saved));
}
