// The finder for minimums of 1 to 64, built from 64-byte bit masks. Each
// file that includes this compiles it for its own instruction set; all of
// it has internal linkage, so the copies never mix.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <utility>

#if defined(__AVX2__)
#include <immintrin.h>
#elif defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "scanner/text_run.h"

namespace {

// Bit i set when p[i] is printable, for i < 64.
inline uint64_t PrintableMask64(const BYTE* p) {
#if defined(__AVX2__)
  const __m256i below = _mm256_set1_epi8(0x1F);
  const __m256i above = _mm256_set1_epi8(0x7F);
  uint64_t mask = 0;
  for (int k = 0; k < 2; ++k) {
    // Signed compares: bytes 0x80..0xFF are negative, so not above 0x1F.
    __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32 * k));
    __m256i ok = _mm256_and_si256(_mm256_cmpgt_epi8(v, below), _mm256_cmpgt_epi8(above, v));
    mask |= static_cast<uint64_t>(static_cast<uint32_t>(_mm256_movemask_epi8(ok))) << (32 * k);
  }
  return mask;
#elif defined(__SSE2__)
  const __m128i below = _mm_set1_epi8(0x1F);
  const __m128i above = _mm_set1_epi8(0x7F);
  uint64_t mask = 0;
  for (int k = 0; k < 4; ++k) {
    __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
    __m128i ok = _mm_and_si128(_mm_cmpgt_epi8(v, below), _mm_cmplt_epi8(v, above));
    mask |= static_cast<uint64_t>(static_cast<uint16_t>(_mm_movemask_epi8(ok))) << (16 * k);
  }
  return mask;
#else
  uint64_t mask = 0;
  for (int i = 0; i < 64; ++i) mask |= static_cast<uint64_t>(IsPrintable(p[i])) << i;
  return mask;
#endif
}

// The same for i < nBytes <= 64; no byte at or after p + nBytes is read.
inline uint64_t PrintableMask(const BYTE* p, size_t nBytes) {
  if (nBytes == 64) return PrintableMask64(p);
  uint64_t mask = 0;
  for (size_t i = 0; i < nBytes; ++i) mask |= static_cast<uint64_t>(IsPrintable(p[i])) << i;
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

template <int... Ms>
constexpr std::array<FindFunction, sizeof...(Ms)> MakeFinders(std::integer_sequence<int, Ms...>) {
  return {&FindShortMinimum<Ms + 1>...};
}

// FindShortMinimum for each minimum from 1 to 64.
constexpr std::array<FindFunction, 64> kShortFinders = MakeFinders(std::make_integer_sequence<int, 64>());

}  // namespace
