// The clipboard: text round trips read back through the system's own calls, nesting, and the
// rule that only the first data put after opening empties the clipboard.
#include <gtest/gtest.h>

#include <cstring>

#include "classlib/Clipbrd.h"

namespace {

// A second reader: the system's clipboard calls, without the class.
std::string SystemText(UINT format) {
  if (!OpenClipboard(nullptr)) return "<cannot open>";
  std::string text;
  if (HANDLE data = GetClipboardData(format)) {
    auto* bytes = static_cast<const char*>(GlobalLock(data));
    if (format == CF_UNICODETEXT) {
      auto* wide = reinterpret_cast<const wchar_t*>(bytes);
      int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
      text.resize(static_cast<size_t>(size));
      WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), size, nullptr, nullptr);
      text.resize(std::strlen(text.c_str()));
    } else {
      text = bytes;
    }
    GlobalUnlock(data);
  } else {
    text = "<none>";
  }
  CloseClipboard();
  return text;
}

}  // namespace

TEST(Clipboard, TextPutIsReadBackByTheSystemAndByTheClass) {
  const std::string text = "Stichwort \xC4pfel\r\nSeite 12 \x80";  // Äpfel, euro sign (code page 1252)
  Clipboard()->SetAsText(text);
  EXPECT_EQ(SystemText(CF_TEXT), text);
  // The system offers the 8-bit text as Unicode text too.
  EXPECT_EQ(SystemText(CF_UNICODETEXT), "Stichwort \xC3\x84pfel\r\nSeite 12 \xE2\x82\xAC");
  EXPECT_TRUE(Clipboard()->HasFormat(CF_TEXT));
  EXPECT_EQ(Clipboard()->GetAsText(), text);
  EXPECT_FALSE(Clipboard()->IsOpen());

  Clipboard()->SetAsText("");
  EXPECT_EQ(Clipboard()->GetAsText(), "");
}

TEST(Clipboard, OnlyTheFirstPutOfAnOpeningEmptiesTheClipboard) {
  TClipboard clipboard;
  clipboard.SetAsText("alt");
  const wchar_t wide[] = L"Gr\u00FC\u00DFe \u0151";  // Grüße ő
  clipboard.Open();
  clipboard.SetAsText("Gr\xFC\xDF" "e ?");
  clipboard.SetBuffer(CF_UNICODETEXT, wide, sizeof(wide));  // no second emptying
  EXPECT_TRUE(clipboard.IsOpen());
  EXPECT_NE(GetOpenClipboardWindow(), nullptr);  // still ours after the inner opening closed
  clipboard.Close();
  EXPECT_FALSE(clipboard.IsOpen());
  EXPECT_EQ(SystemText(CF_TEXT), "Gr\xFC\xDF" "e ?");
  EXPECT_EQ(SystemText(CF_UNICODETEXT), "Gr\xC3\xBC\xC3\x9F" "e \xC5\x91");

  // A new opening empties again on its first put: the old Unicode text is gone.
  clipboard.SetBuffer(CF_TEXT, "neu", 4);
  EXPECT_EQ(SystemText(CF_TEXT), "neu");
  EXPECT_EQ(SystemText(CF_UNICODETEXT), "neu");
}

TEST(Clipboard, FormatsOfTheProgramsOwnRoundTripAsBytes) {
  UINT format = RegisterClipboardFormatA("Kaptorix Test Bytes");
  const std::string bytes("\x01\x00\xFFzwei", 6);
  TClipboard clipboard;
  clipboard.SetBuffer(format, bytes.data(), bytes.size());
  EXPECT_TRUE(clipboard.HasFormat(format));
  EXPECT_EQ(clipboard.GetBuffer(format).substr(0, bytes.size()), bytes);
  bool listed = false;
  for (int i = 0; i < clipboard.GetFormatCount(); ++i) listed = listed || clipboard.GetFormat(i) == format;
  EXPECT_TRUE(listed);
  clipboard.Clear();
  EXPECT_FALSE(clipboard.HasFormat(format));
  EXPECT_EQ(clipboard.GetBuffer(format), "");
}

TEST(Clipboard, ClosingMoreOftenThanOpeningDoesNoHarm) {
  TClipboard clipboard;
  clipboard.Close();
  clipboard.Open();
  clipboard.Close();
  clipboard.Close();
  EXPECT_FALSE(clipboard.IsOpen());
  EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
}
