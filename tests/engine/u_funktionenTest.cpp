// The integer test that criteria and page labels are read with.
#include <gtest/gtest.h>

#include <string>

#include "engine/u_funktionen.h"

namespace {

TEST(IntegerTest, WideTextReadsLikeItsEightBitForm) {
  for (const wchar_t* yes : {L"-5", L"  12", L"$1F", L"2147483647"}) EXPECT_TRUE(IsIntegerStr(std::wstring(yes))) << yes;
  for (const wchar_t* no : {L"", L"12a", L"7 ", L"2147483648", L"xii", L"\uFF11", L"1\u0662"})
    EXPECT_FALSE(IsIntegerStr(std::wstring(no))) << no;
  EXPECT_TRUE(IsIntegerStr(std::string("-5")));
  EXPECT_EQ(IntegerValueOr(L"-12", 0), -12);
  EXPECT_EQ(IntegerValueOr(L"$FFFFFFFF", 0), -1);
  EXPECT_EQ(IntegerValueOr(L"x", 5), 5);
  EXPECT_EQ(IntegerValueOr(L"\u0131", 5), 5);
}

}  // namespace
