// System functions looked up at run time, and the 64-bit tick count that XP has to make.
#include <gtest/gtest.h>

#include "classlib/RuntimeLinks.h"

namespace {

TEST(RuntimeLinks, AnEntryTheSystemLacksIsNoneRatherThanAnError) {
  EXPECT_NE(SystemEntry("kernel32.dll", "GetTickCount"), nullptr);
  // A library that is not loaded yet is loaded for the look-up.
  EXPECT_NE(SystemEntry("shlwapi.dll", "PathFindFileNameA"), nullptr);
  EXPECT_EQ(SystemEntry("kernel32.dll", "NoSuchFunctionInAnyWindows"), nullptr);
  EXPECT_EQ(SystemEntry("no-such-library.dll", "GetTickCount"), nullptr);
}

TEST(RuntimeLinks, TheTickCountCarriesOverTheWrapOfTheSystemsCount) {
  struct Case {
    unsigned long long last;
    DWORD now;
    unsigned long long expected;
  };
  const Case cases[] = {
      {1000, 1000, 1000},                                   // no time passed
      {1000, 1500, 1500},                                   // forward
      {0xFFFFFF00ull, 0x100, 0x100000100ull},               // across the first wrap
      {0x1FFFFFFF0ull, 5, 0x200000005ull},                  // across the second
      {0x100000010ull, 0x10 + 0x7FFFFFFF, 0x18000000Full},  // 24.8 days later, still forward
      {0x100000010ull, 0x8, 0x100000008ull},                // an earlier reading lies behind
      {0x100000010ull, 0xFFFFFFF0, 0xFFFFFFF0ull},          // behind, across the wrap
  };
  for (const Case& c : cases)
    EXPECT_EQ(AdvanceTickCount(c.last, c.now), c.expected) << std::hex << c.last << " " << c.now;
}

}  // namespace
