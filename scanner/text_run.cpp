#include "scanner/text_run.h"

#include <cstring>

#include "scanner/short_run_finder.h"

namespace {

constexpr uint64_t kOnes = 0x0101010101010101ull;
constexpr uint64_t kHighs = 0x8080808080808080ull;

// A mark in the high bit of each byte of x that is not printable; marks
// above the lowest true one may be false, so only the lowest counts.
inline uint64_t NonPrintableMarks(uint64_t x) {
  uint64_t below = (x - kOnes * 0x20) & ~x;  // bytes under 0x20 (and some above a true mark)
  uint64_t del = x + kOnes;                   // 0x7F turns 0x80
  return (below | x | del) & kHighs;
}

// The short-minimum finders for this processor: built for AVX2 when it has it.
const std::array<FindFunction, 64>& ShortFinders() {
#if defined(__x86_64__)
  static const std::array<FindFunction, 64>& finders =
      __builtin_cpu_supports("avx2") ? ShortFindersAvx2() : kShortFinders;
  return finders;
#else
  return kShortFinders;
#endif
}

}  // namespace

const std::array<FindFunction, 64>& ShortFindersBaseline() { return kShortFinders; }

size_t PrintableSpan(const BYTE* p, size_t nFrom, size_t nEnd) {
  size_t i = nFrom;
  if constexpr (std::endian::native == std::endian::little) {
    while (i + 8 <= nEnd) {
      uint64_t x;
      std::memcpy(&x, p + i, 8);
      uint64_t marks = NonPrintableMarks(x);
      if (marks != 0) return i + (std::countr_zero(marks) >> 3);
      i += 8;
    }
  }
  while (i < nEnd && IsPrintable(p[i])) ++i;
  return i;
}

const BYTE* FindTextRun(const BYTE* pFirst, const BYTE* pEnd, int& len, int nMinTextLength) {
  const ptrdiff_t n = pEnd - pFirst;
  const ptrdiff_t m = nMinTextLength < 0 ? 0 : nMinTextLength;
  if (m == 0) {
    for (ptrdiff_t i = 0; i < n; ++i) {
      if (IsPrintable(pFirst[i])) {
        len = static_cast<int>(PrintableSpan(pFirst, i, n) - i);
        return pFirst + i;
      }
    }
    return nullptr;
  }
  if (m <= 64) return ShortFinders()[m - 1](pFirst, static_cast<size_t>(n), len);
  // A qualifying run starts at some s >= i with s + m < n, and its first m
  // bytes are printable. Every such run covers byte i + m - 1, so when that
  // byte is not printable no run starts in [i, i + m - 1]: skip past it.
  // Each byte is looked at no more than twice.
  ptrdiff_t i = 0;  // i == 0, or byte i - 1 is not printable
  while (i + m < n) {
    const ptrdiff_t p = i + m - 1;
    if (!IsPrintable(pFirst[p])) {
      i = p + 1;
      continue;
    }
    ptrdiff_t s = p;
    while (s > i && IsPrintable(pFirst[s - 1])) --s;
    if (s + m >= n) return nullptr;  // later runs start later still
    const ptrdiff_t e = static_cast<ptrdiff_t>(PrintableSpan(pFirst, p + 1, n));
    if (e - s >= m) {
      len = static_cast<int>(e - s);
      return pFirst + s;
    }
    i = e;  // a short run; byte e ends it
  }
  return nullptr;
}
