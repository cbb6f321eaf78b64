// What counts as text: runs of printable ASCII, bytes 0x20..0x7E.
#pragma once

#include <array>
#include <cstddef>

#include "platform/core/win_types.h"

inline bool IsPrintable(BYTE b) { return static_cast<BYTE>(b - 0x20) < 0x5F; }

// The index of the first byte in p[nFrom, nEnd) that is not printable, or nEnd.
size_t PrintableSpan(const BYTE* p, size_t nFrom, size_t nEnd);

// The first run in the window [pFirst, pEnd) that is long enough to list,
// or nullptr. A run qualifies when it has at least nMinTextLength bytes and
// starts before the window's last nMinTextLength bytes; so a run that
// reaches the window's end needs more than nMinTextLength bytes in it. On
// success len is the run's length, measured up to the window's end; the
// bytes after the window are never read. A negative minimum acts as 0.
const BYTE* FindTextRun(const BYTE* pFirst, const BYTE* pEnd, int& len, int nMinTextLength);

// FindTextRun for one minimum from 1 to 64: (window, its length, len).
using FindFunction = const BYTE* (*)(const BYTE* pFirst, size_t n, int& len);
// Those finders (index m - 1) built for the baseline instruction set...
const std::array<FindFunction, 64>& ShortFindersBaseline();
#if defined(__x86_64__)
// ...and built for AVX2; call only where the processor has it.
const std::array<FindFunction, 64>& ShortFindersAvx2();
#endif
