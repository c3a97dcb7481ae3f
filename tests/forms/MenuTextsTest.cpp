// The main window's native menus and the application title as the user sees them: German
// umlauts of the language texts and a Cyrillic test caption read back whole with the wide menu
// calls, and the title in the application window and the main window's message boxes.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "TextIndexWindows.h"
#include "forms/u_konfig.h"
#include "forms/u_prog.h"
#include "forms/u_start.h"
#include "support/TestSupport.h"
#include "ucode/UCodeForms.h"

using formstest::TextIndexWindows;
using formstest::Wide;

namespace {

const std::wstring kCyrillic = L"\x0424\x0430\x0439\x043B";  // Файл

// The native text of the item's entry, read from its parent's menu.
std::wstring NativeText(Menus::TMenuItem* item) {
  Menus::TMenuItem* parent = item->GetParent();
  UINT position = 0;
  for (int i = 0; i < parent->GetCount() && parent->GetItem(i) != item; ++i)
    if (parent->GetItem(i)->GetVisible()) ++position;
  wchar_t buffer[256] = {};
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_STRING;
  info.dwTypeData = buffer;
  info.cch = 256;
  if (!GetMenuItemInfoW(parent->GetHandle(), position, TRUE, &info)) return L"<no entry>";
  return buffer;
}

TEST(MainWindowMenus, UmlautsOfBothLanguagesAndACyrillicCaptionShowWhole) {
  TextIndexWindows windows;
  prog->HandleNeeded();  // the window takes its menu bar
  ASSERT_EQ(GetMenu(prog->GetHandle()), prog->menu->GetHandle());
  start->spr->SetCaption("de");
  prog->sprachealles();
  EXPECT_EQ(NativeText(prog->m_komp), L"Kompatibilit\x00E4tstest");
  EXPECT_EQ(NativeText(prog->m_konfig_standard), L"Alle Einstellungen zur\x00FC" L"cksetzen\tF2");
  start->spr->SetCaption("en");
  prog->sprachealles();
  EXPECT_EQ(NativeText(prog->m_komp), L"Compatibility Test");

  prog->mdatei->SetCaption(kCyrillic);
  prog->m_komp->SetCaption(L"\x0422\x0435\x0441\x0442 &\x00F6");  // Тест &ö
  EXPECT_EQ(NativeText(prog->mdatei), kCyrillic);
  EXPECT_EQ(NativeText(prog->m_komp), L"\x0422\x0435\x0441\x0442 &\x00F6");
  EXPECT_EQ(prog->mdatei->GetCaption(), kCyrillic);
  // Switching the language gives the items their texts again.
  start->spr->SetCaption("de");
  prog->sprachealles();
  EXPECT_EQ(NativeText(prog->m_komp), L"Kompatibilit\x00E4tstest");
  EXPECT_NE(NativeText(prog->mdatei), kCyrillic);
}

TEST(ApplicationTitle, TheStartScreenSetsItAndMessageBoxesShowAWideTitleWhole) {
  TextIndexWindows windows;
  start->spr->SetCaption("de");
  start->sprache();
  wchar_t buffer[128] = {};
  GetWindowTextW(Application->GetHandle(), buffer, 128);
  EXPECT_EQ(std::wstring(buffer), L"Kaptorix - Berno Kalwe");
  EXPECT_EQ(UCodeApplication->GetTitle(), L"Kaptorix - Berno Kalwe");

  UCodeApplication->SetTitle(L"Kaptorix " + kCyrillic);
  GetWindowTextW(Application->GetHandle(), buffer, 128);
  EXPECT_EQ(std::wstring(buffer), L"Kaptorix " + kCyrillic);
  std::wstring caption;
  TMessageBoxAnswerer previous = SetMessageBoxAnswerer([&caption](const TMessageBoxRequest& request) {
    caption = request.WideCaption;
    return IDOK;
  });
  // Without a start configuration the main window tells the user so.
  testsupport::TempDir dir;
  StartConfigurationFolder = Wide(dir.Path() + "\\");
  prog->m_konfig_start->Click();
  StartConfigurationFolder.clear();
  SetMessageBoxAnswerer(previous);
  EXPECT_EQ(caption, L"Kaptorix " + kCyrillic);
  start->sprache();
}

}  // namespace
