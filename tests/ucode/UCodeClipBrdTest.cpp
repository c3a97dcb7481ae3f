// The wide clipboard: both text formats, read back through the system's own calls.
#include "ucode/UCodeClipBrd.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::string SystemAnsiText() {
  if (!OpenClipboard(nullptr)) return "<cannot open>";
  std::string text = "<none>";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    text = static_cast<const char*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

std::wstring SystemWideText() {
  if (!OpenClipboard(nullptr)) return L"<cannot open>";
  std::wstring text = L"<none>";
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    text = static_cast<const wchar_t*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

bool SystemHasFormat(UINT format) { return IsClipboardFormatAvailable(format) != FALSE; }

TEST(WideClipboard, OneInstanceForTheProgram) {
  ASSERT_NE(WideClipboard(), nullptr);
  EXPECT_EQ(WideClipboard(), WideClipboard());
  EXPECT_FALSE(WideClipboard()->IsOpen());
}

TEST(WideClipboard, TextGoesAsUnicodeIntactAndAs8BitWithSubstitutes) {
  // Äpfel, Cyrillic zhe, Chinese, euro sign: Ä and € exist in code page 1252, the others not.
  const std::wstring text = L"\x00C4pfel \x0416 \x4E2D\r\nSeite 12 \x20AC";
  WideClipboard()->SetAsWideText(text);
  EXPECT_FALSE(WideClipboard()->IsOpen());
  EXPECT_EQ(SystemWideText(), text);
  EXPECT_EQ(SystemAnsiText(), "\xC4pfel ? ?\r\nSeite 12 \x80");
}

TEST(WideClipboard, ReplacesWhatTheClipboardHeldBefore) {
  UINT custom = RegisterClipboardFormatA("Kaptorix test data");
  WideClipboard()->SetBuffer(custom, "abc", 3);
  ASSERT_TRUE(SystemHasFormat(custom));
  WideClipboard()->SetAsWideText(L"neu");
  EXPECT_FALSE(SystemHasFormat(custom));
  EXPECT_EQ(SystemWideText(), L"neu");
  EXPECT_EQ(SystemAnsiText(), "neu");

  WideClipboard()->SetAsWideText(L"");
  EXPECT_EQ(SystemWideText(), L"");
  EXPECT_EQ(SystemAnsiText(), "");
}

TEST(WideClipboard, InsideAnOpeningBothFormatsStayTogether) {
  // A caller that holds the clipboard open keeps it open; the wide text is put once, whole.
  WideClipboard()->Open();
  WideClipboard()->SetAsWideText(L"eins \x0416");
  EXPECT_TRUE(WideClipboard()->IsOpen());
  WideClipboard()->Close();
  EXPECT_EQ(SystemWideText(), L"eins \x0416");
  EXPECT_EQ(SystemAnsiText(), "eins ?");
}

}  // namespace
