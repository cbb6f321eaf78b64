// The list view's mouse and keyboard selection, applied to the selection bits
// of a RowStore.
//
// A gesture selects, deselects or toggles ranges of rows. The latest gesture
// stays pending until the next one: a Shift+click after a Shift+click, or a
// drag that grows and shrinks, replaces it, putting its rows back as they
// were before it; any other gesture commits it.
#pragma once

#include <cstdint>
#include <vector>

class RowStore;

class RowSelection {
 public:
  enum class Op { Select, Deselect, Toggle };

  // Clears every row's bit; the pending gesture is gone with them.
  void ClearAll(RowStore& rows);
  // The pending gesture's rows keep their bits from now on.
  void Commit() { m_pending.clear(); }
  // Puts the pending gesture's rows back as they were before it.
  void Revert(RowStore& rows);
  // Applies op to rows nFirst..nLast (clamped to the store), as part of the
  // pending gesture.
  void Apply(RowStore& rows, int nFirst, int nLast, Op op);

 private:
  struct Saved {
    int nFirst;
    int nLast;
    std::vector<uint64_t> words;  // the words holding rows nFirst..nLast, before
  };
  std::vector<Saved> m_pending;
};
