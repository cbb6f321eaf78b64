// The command line's program name, and the typed minimum as a number.
#include <gtest/gtest.h>

#include <string>

#include "app/command_line.h"

namespace {

TEST(SkipProgramName, TakesEverythingAfterTheNameAndItsBlanks) {
  const std::pair<const char*, const char*> cases[] = {
      {"veldrin", ""},
      {"veldrin   ", ""},
      {"veldrin /usr/bin/ls", "/usr/bin/ls"},
      {"veldrin \t /a b c  ", "/a b c  "},                 // verbatim, trailing blanks kept
      {"veldrin \"/a b\"", "\"/a b\""},                    // quotes kept
      {"\"/opt/my tools/veldrin\" /x", "/x"},
      {"\"/opt/unclosed", ""},
  };
  for (const auto& [line, rest] : cases) {
    LPCTSTR p = SkipProgramName(line);
    ASSERT_NE(p, nullptr) << line;
    EXPECT_EQ(std::string(p), rest) << line;
  }
  EXPECT_EQ(SkipProgramName(""), nullptr);
  EXPECT_EQ(SkipProgramName(nullptr), nullptr);
}

TEST(TextToInt, ReadsLikeTheClassicConversion) {
  const std::pair<const char*, int> cases[] = {
      {"10", 10}, {"25abc", 25}, {"abc", 0}, {"", 0}, {"+7", 7}, {"   12", 12}, {"\t\n\v\f\r 12", 12},
      {"12 34", 12}, {"- 5", 0}, {"-5", -5}, {"4294967306", 10}, {"2147483648", -2147483647 - 1},
      {"99999999999999999999", 1661992959},   // modulo 2^32
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(TextToInt(text), value) << text;
}

}  // namespace
