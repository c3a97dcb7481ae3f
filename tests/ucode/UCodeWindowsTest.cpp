#include "ucode/UCodeWindows.h"

#include "ucode/UCodeSysUtils.h"

#include <gtest/gtest.h>

namespace {

// Runs its body once with the wide system calls and once with the 8-bit ones.
template <typename Body>
void OnBothPlatforms(Body body) {
  const bool saved = Win32PlatformIsUnicode;
  for (bool unicode : {true, false}) {
    Win32PlatformIsUnicode = unicode;
    SCOPED_TRACE(unicode ? "wide calls" : "8-bit calls");
    body(unicode);
  }
  Win32PlatformIsUnicode = saved;
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

TEST(WideWindows, WindowTextThroughEitherCall) {
  HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  OnBothPlatforms([&](bool unicode) {
    EXPECT_TRUE(WideSetWindowText(window, L"Gr\u00fc\u00dfe \u65e5"));
    EXPECT_EQ(WindowText(window), unicode ? L"Gr\u00fc\u00dfe \u65e5" : L"Gr\u00fc\u00dfe ?");
  });
  DestroyWindow(window);
}

TEST(WideWindows, DrawTextMeasuresAlike) {
  HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_NE(dc, nullptr);
  OnBothPlatforms([&](bool) {
    RECT whole{0, 0, 0, 0};
    EXPECT_GT(WideDrawText(dc, L"Stra\u00dfe", -1, &whole, DT_CALCRECT | DT_SINGLELINE), 0);
    RECT part{0, 0, 0, 0};
    WideDrawText(dc, L"Stra\u00dfe", 4, &part, DT_CALCRECT | DT_SINGLELINE);
    RECT reference{0, 0, 0, 0};
    DrawTextW(dc, L"Stra\u00dfe", -1, &reference, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(whole.right, reference.right);
    EXPECT_GT(whole.right, part.right);
    EXPECT_GT(part.right, 0);
  });
  DeleteDC(dc);
}

TEST(WideWindows, StringTypesStayInStepWithTheCharacters) {
  OnBothPlatforms([&](bool) {
    const std::wstring text = L"a \u00e4.7";
    WORD types[5] = {};
    ASSERT_TRUE(WideGetStringTypeEx(LOCALE_USER_DEFAULT, CT_CTYPE1, text.c_str(), 5, types));
    EXPECT_TRUE(types[0] & C1_ALPHA);
    EXPECT_TRUE(types[1] & C1_SPACE);
    EXPECT_TRUE(types[2] & C1_ALPHA);
    EXPECT_TRUE(types[3] & C1_PUNCT);
    EXPECT_TRUE(types[4] & C1_DIGIT);
  });
}

TEST(WideWindows, ResultsTooLongForTheBufferGiveTheSizeNeeded) {
  OnBothPlatforms([&](bool) {
    wchar_t small[4];
    DWORD needed = WideGetFullPathName(L"C:\\a\\long\\name.txt", 4, small, nullptr);
    EXPECT_EQ(needed, 19u);  // length plus terminator
    std::wstring buffer(needed, L'\0');
    EXPECT_EQ(WideGetFullPathName(L"C:\\a\\long\\name.txt", needed, buffer.data(), nullptr), 18u);
    EXPECT_EQ(buffer.c_str(), std::wstring(L"C:\\a\\long\\name.txt"));
  });
}

}  // namespace
