#include "scanner/text_run.h"

#include <algorithm>
#include <array>
#include <utility>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// Bit i set when p[i] is printable, for i < nBytes <= 64; no byte at or
// after p + nBytes is read.
inline uint64_t PrintableMask(const BYTE* p, size_t nBytes) {
  uint64_t mask = 0;
  size_t i = 0;
#if defined(__SSE2__)
  if (nBytes == 64) {
    const __m128i below = _mm_set1_epi8(0x1F);
    const __m128i above = _mm_set1_epi8(0x7F);
    for (int k = 0; k < 4; ++k) {
      __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
      __m128i ok = _mm_and_si128(_mm_cmpgt_epi8(v, below), _mm_cmplt_epi8(v, above));
      mask |= static_cast<uint64_t>(static_cast<uint16_t>(_mm_movemask_epi8(ok))) << (16 * k);
    }
    return mask;
  }
  const __m128i below = _mm_set1_epi8(0x1F);
  const __m128i above = _mm_set1_epi8(0x7F);
  for (; i + 16 <= nBytes; i += 16) {
    // Signed compares: bytes 0x80..0xFF are negative, so not above 0x1F.
    __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    __m128i ok = _mm_and_si128(_mm_cmpgt_epi8(v, below), _mm_cmplt_epi8(v, above));
    mask |= static_cast<uint64_t>(static_cast<uint16_t>(_mm_movemask_epi8(ok))) << i;
  }
#endif
  for (; i < nBytes; ++i) mask |= static_cast<uint64_t>(IsPrintable(p[i])) << i;
  return mask;
}

// Bit q of the result set when bits q..q+M-1 of x are all set, 1 <= M <= 64:
// each step doubles the length of the runs that survive.
template <int M, int Have = 1>
inline uint64_t RunsOfAtLeast(uint64_t x) {
  if constexpr (Have >= M) {
    return x;
  } else {
    constexpr int kStep = Have < M - Have ? Have : M - Have;
    return RunsOfAtLeast<M, Have + kStep>(x & (x >> kStep));
  }
}

// The first run of at least m printable bytes (1 <= m <= 64), found 64
// bytes at a time from bit masks. The first position where m printable
// bytes in a row begin is always a run's start: it lies inside one word,
// or it is the start of the ones that end a word and go on into the next.
template <int M>
const BYTE* FindShortMinimum(const BYTE* pFirst, size_t n, int& len) {
  constexpr int m = M;
  const size_t nWords = (n + 63) / 64;
  auto mask = [&](size_t k) { return PrintableMask(pFirst + 64 * k, std::min<size_t>(64, n - 64 * k)); };
  uint64_t cur = nWords ? mask(0) : 0;
  for (size_t k = 0; k < nWords; ++k) {
    const bool bLast = k + 1 == nWords;
    uint64_t next = 0;
    bool bHaveNext = false;
    size_t s = n;
    if (cur != 0) {
      if (uint64_t starts = RunsOfAtLeast<M>(cur)) {
        s = 64 * k + std::countr_zero(starts);
      } else if (int t = std::countl_one(cur); t != 0 && !bLast) {
        next = mask(k + 1);
        bHaveNext = true;
        if (t + std::countr_one(next) >= m) s = 64 * (k + 1) - t;
      }
    }
    if (s < n) {
      if (s + m >= n) return nullptr;  // later runs start later still
      len = static_cast<int>(PrintableSpan(pFirst, s, n) - s);
      return pFirst + s;
    }
    if (bLast) break;
    cur = bHaveNext ? next : mask(k + 1);
  }
  return nullptr;
}

using FindFunction = const BYTE* (*)(const BYTE*, size_t, int&);

template <int... Ms>
constexpr std::array<FindFunction, sizeof...(Ms)> MakeFinders(std::integer_sequence<int, Ms...>) {
  return {&FindShortMinimum<Ms + 1>...};
}

// FindShortMinimum for each minimum from 1 to 64.
constexpr auto kShortFinders = MakeFinders(std::make_integer_sequence<int, 64>());

}  // namespace

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
  if (m <= 64) return kShortFinders[m - 1](pFirst, static_cast<size_t>(n), len);
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
