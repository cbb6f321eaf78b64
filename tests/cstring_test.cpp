#include "platform/core/cstring.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string S(const CString& s) { return std::string(s.View()); }

TEST(CString, FormatHasPrintfSemantics) {
  CString s;
  s.Format("%06X|%s|%d", 0x2Au, "abc", -5);
  EXPECT_EQ(S(s), "00002A|abc|-5");
  s.Format("%s", std::string(1000, 'x').c_str());  // longer than any small buffer
  EXPECT_EQ(s.GetLength(), 1000);
}

TEST(CString, MakeUpperChangesOnlyAToZ) {
  CString s("az AZ 09 {}~`@[\x80\xe4\xff");
  s.MakeUpper();
  EXPECT_EQ(S(s), "AZ AZ 09 {}~`@[\x80\xe4\xff");
}

TEST(CString, SearchesAndCuts) {
  CString s("C:\\TOOLS\\APP.EXE");
  EXPECT_EQ(s.Find("APP"), 9);
  EXPECT_EQ(s.Find("app"), -1);
  EXPECT_EQ(s.Find(""), 0);
  EXPECT_EQ(s.Find('.'), 12);
  EXPECT_EQ(s.ReverseFind('\\'), 8);
  EXPECT_EQ(s.ReverseFind('#'), -1);
  EXPECT_EQ(S(s.Left(3)), "C:\\");
  EXPECT_EQ(S(s.Left(-1)), "");
  EXPECT_EQ(S(s.Left(99)), S(s));
  EXPECT_EQ(S(s.Mid(9)), "APP.EXE");
  EXPECT_EQ(S(CString("ab") + "cd" + CString('e', 2)), "abcdee");
  EXPECT_TRUE(CString("abc") == "abc");
  EXPECT_TRUE(CString("abc") < CString("abd"));
}

TEST(CString, KeepsEveryByte) {
  const char bytes[] = {'a', '\0', '\xff', 'b'};
  CString s(bytes, 4);
  EXPECT_EQ(s.GetLength(), 4);
  EXPECT_EQ(s[2], '\xff');
}

}  // namespace
