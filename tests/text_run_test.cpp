#include "scanner/text_run.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// The finder's rule, step by step, as plainly as it can be written: the
// fast finder must agree with it on every window.
int ReferenceFind(const std::vector<BYTE>& w, int m, int* pLen) {
  const int n = static_cast<int>(w.size());
  const int limit = n - m;
  int i = 0;
  for (;;) {
    if (i >= limit) return -1;
    while (!IsPrintable(w[i])) {
      ++i;
      if (i >= limit) return -1;
    }
    int j = i;
    while (j < n && IsPrintable(w[j])) ++j;
    if (j - i >= m) {
      *pLen = j - i;
      return i;
    }
    i = j;
  }
}

std::vector<BYTE> Bytes(const std::string& s) { return std::vector<BYTE>(s.begin(), s.end()); }

// A window of n bytes, all not printable, with text placed at offset at.
std::vector<BYTE> Window(size_t n, size_t at, const std::string& text, BYTE fill = 0x00) {
  std::vector<BYTE> w(n, fill);
  for (size_t k = 0; k < text.size() && at + k < n; ++k) w[at + k] = static_cast<BYTE>(text[k]);
  return w;
}

int Find(const std::vector<BYTE>& w, int m, int* pLen) {
  const BYTE* p = FindTextRun(w.data(), w.data() + w.size(), *pLen, m);
  return p ? static_cast<int>(p - w.data()) : -1;
}

struct Case {
  const char* name;
  std::vector<BYTE> window;
  int m;
  int at;   // -1: none
  int len;
};

TEST(FindTextRun, Cases) {
  const std::string digits = "0123456789";
  const std::vector<Case> cases = {
      {"empty window", {}, 10, -1, 0},
      {"empty window, m 0", {}, 0, -1, 0},
      {"m 0 takes the first printable byte", Window(8, 3, "x"), 0, 3, 1},
      {"m 0, nothing printable", Window(8, 0, ""), 0, -1, 0},
      {"short run skipped", Bytes(std::string("abcdefghi") + '\0' + digits + '\0' + "zz"), 10, 10, 10},
      {"full window of text", std::vector<BYTE>(4096, 'a'), 10, 0, 4096},
      {"last 8 bytes only", Window(4096, 4088, "abcdefgh"), 10, -1, 0},
      {"11 bytes at the end, measured to the end", Window(4096, 4085, "abcdefghijk"), 10, 4085, 11},
      {"run starting at n - m", Window(4096, 4086, "abcdefghij"), 10, -1, 0},
      {"m = n, all printable", Bytes(digits), 10, -1, 0},
      {"m = n, Hello, World", Bytes("Hello, World"), 12, -1, 0},
      {"m + 1 printable bytes", Bytes(digits + "x"), 10, 0, 11},
      {"exactly m, ended inside", Bytes(std::string("Hello, World") + '\0'), 12, 0, 12},
      {"abc then 15 to the end", Bytes(std::string("abc") + '\0' + "abcdefghijklmno"), 10, 4, 15},
      {"tab ends a run", Bytes("abcdefghi\tabcdefghi\tabcdefghi"), 9, 0, 9},
      {"tab ends a run, nothing long enough", Bytes("abcdefghi\tabcdefghi\tabcdefghi"), 10, -1, 0},
      {"LF, CR, DEL and 0x80 end runs",
       Bytes(std::string("abcdefghi\nabcdefghi\rabcdefghi\x7f" "abcdefghi\x80" "abcdefghi\xff")), 9, 0, 9},
      {"m > n", Bytes("abc"), 5, -1, 0},
      {"m = largest int", std::vector<BYTE>(4096, 'a'), 2147483647, -1, 0},
      {"m 4096, full window", std::vector<BYTE>(4096, 'a'), 4096, -1, 0},
      {"negative m acts as 0", Window(8, 5, "q"), -7, 5, 1},
      {"first qualifying run wins over a longer one",
       Bytes(std::string("0123456789") + '\0' + "abcdefghijklmnopqrstuvwxyz" + '\0'), 10, 0, 10},
  };
  for (const Case& c : cases) {
    int len = -1;
    EXPECT_EQ(Find(c.window, c.m, &len), c.at) << c.name;
    if (c.at >= 0) {
      EXPECT_EQ(len, c.len) << c.name;
    }
  }
}

TEST(FindTextRun, NeverReadsPastTheWindow) {
  // The window is the first 11 bytes of a longer buffer: the run is measured
  // to the window's end, not into the text after it.
  std::vector<BYTE> buffer = Bytes(std::string(5, '\0') + "abcdefghijklmnopqrstuvwxyz");
  int len = 0;
  const BYTE* p = FindTextRun(buffer.data(), buffer.data() + 11, len, 3);
  ASSERT_EQ(p, buffer.data() + 5);
  EXPECT_EQ(len, 6);
}

TEST(FindTextRun, AgreesWithTheRuleOnRandomWindows) {
  std::mt19937 rng(12345);
  for (int round = 0; round < 20000; ++round) {
    const int n = std::uniform_int_distribution<int>(0, round % 10 == 0 ? 4096 : 64)(rng);
    // Runs of every length: each byte is printable with a probability that
    // changes from window to window.
    const int percent = std::uniform_int_distribution<int>(0, 100)(rng);
    std::vector<BYTE> w(n);
    for (BYTE& b : w) {
      bool printable = std::uniform_int_distribution<int>(0, 99)(rng) < percent;
      b = printable ? static_cast<BYTE>(std::uniform_int_distribution<int>(0x20, 0x7E)(rng))
                    : static_cast<BYTE>(std::uniform_int_distribution<int>(0, 1)(rng) ? 0x00 : 0xFF);
    }
    const int minimums[] = {-2, 0, 1, 2, 3, 5, 8, 10, 13, 31, 63, 64, 65, 100};
    const int m = minimums[round % std::size(minimums)];
    int wantLen = 0, gotLen = 0;
    const int want = ReferenceFind(w, m < 0 ? 0 : m, &wantLen);
    const int got = Find(w, m, &gotLen);
    ASSERT_EQ(got, want) << "round " << round << " n " << n << " m " << m;
    if (want >= 0) {
      ASSERT_EQ(gotLen, wantLen) << "round " << round;
    }
  }
}

TEST(FindTextRun, EveryInstructionSetFindsTheSame) {
  std::vector<const std::array<FindFunction, 64>*> builds = {&ShortFindersBaseline()};
#if defined(__x86_64__)
  if (__builtin_cpu_supports("avx2")) builds.push_back(&ShortFindersAvx2());
#endif
  std::mt19937 rng(99);
  for (int round = 0; round < 3000; ++round) {
    std::vector<BYTE> w(std::uniform_int_distribution<int>(0, 300)(rng));
    const int percent = std::uniform_int_distribution<int>(50, 100)(rng);
    for (BYTE& b : w) b = std::uniform_int_distribution<int>(0, 99)(rng) < percent ? 'a' : 0x80;
    const int m = 1 + round % 64;
    int wantLen = 0;
    const int want = ReferenceFind(w, m, &wantLen);
    for (const auto* pFinders : builds) {
      int len = 0;
      const BYTE* p = (*pFinders)[m - 1](w.data(), w.size(), len);
      ASSERT_EQ(p ? static_cast<int>(p - w.data()) : -1, want) << "round " << round << " m " << m;
      if (want >= 0) {
        ASSERT_EQ(len, wantLen) << "round " << round;
      }
    }
  }
}

TEST(PrintableSpan, StopsAtEveryKindOfNonPrintableByte) {
  for (int b = 0; b < 256; ++b) {
    for (size_t at : {0, 3, 7, 8, 9, 15, 16, 20}) {
      std::vector<BYTE> w(24, 'a');
      w[at] = static_cast<BYTE>(b);
      const size_t want = IsPrintable(static_cast<BYTE>(b)) ? 24 : at;
      ASSERT_EQ(PrintableSpan(w.data(), 0, w.size()), want) << "byte " << b << " at " << at;
    }
  }
}

}  // namespace
