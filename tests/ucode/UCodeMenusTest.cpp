// Wide menu items through real native menus: the texts read back with the wide menu calls,
// shortcut names of the keyboard layout, owner-drawn items measured and drawn with wide text,
// the popup list's wide hints and texts, and menus read from form descriptions.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "WindowsTestSupport.h"
#include "classlib/FormReader.h"
#include "classlib/SysUtils.h"
#include "ucode/UCodeActnList.h"
#include "ucode/UCodeControls.h"
#include "ucode/UCodeForms.h"
#include "ucode/UCodeMenus.h"
#include "ucode/UCodeRepMenus.h"

namespace {

const std::wstring kFile = L"\x0424\x0430\x0439\x043B";  // Файл
const std::wstring kOpen = L"\x00D6" L"ffnen";            // Öffnen
const std::wstring kAbout = L"\x00DC" L"ber";             // Über

std::wstring EntryText(HMENU menu, UINT position) {
  wchar_t buffer[256] = {};
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_STRING;
  info.dwTypeData = buffer;
  info.cch = 256;
  if (!GetMenuItemInfoW(menu, position, TRUE, &info)) return L"<no entry>";
  return buffer;
}

TUCodeMenuItem* NewItem(TComponent* owner, const std::wstring& caption, TShortCut shortCut = scNone) {
  auto* item = new TUCodeMenuItem(owner);
  item->SetCaption(caption);
  item->SetShortCut(shortCut);
  return item;
}

// A shown form with the menu bar "Файл" (Öffnen Ctrl+O, separator, Über) and "&Öl".
class WideMenuBar : public ::testing::Test {
 protected:
  void SetUp() override {
    InitUCodeForms();
    menu = new TUCodeMainMenu(form.Get());
    file = NewItem(form.Get(), kFile);
    open = NewItem(form.Get(), kOpen, ShortCut('O', ssCtrl));
    about = NewItem(form.Get(), kAbout);
    oil = NewItem(form.Get(), L"&\x00D6l");
    file->Add(open);
    file->Add(NewItem(form.Get(), L"-"));
    file->Add(about);
    menu->GetItems()->Add(file);
    menu->GetItems()->Add(oil);
    form->SetMenu(menu);
  }
  void TearDown() override { form->SetMenu(nullptr); }
  HMENU Bar() const { return GetMenu(form->GetHandle()); }

  wintest::ShownForm form;
  TUCodeMainMenu* menu = nullptr;
  TUCodeMenuItem* file = nullptr;
  TUCodeMenuItem* open = nullptr;
  TUCodeMenuItem* about = nullptr;
  TUCodeMenuItem* oil = nullptr;
};

TEST_F(WideMenuBar, NativeEntriesHoldTheWideCaptionsWithTheirShortcuts) {
  ASSERT_EQ(Bar(), menu->GetHandle());
  EXPECT_EQ(EntryText(Bar(), 0), kFile);
  EXPECT_EQ(EntryText(Bar(), 1), L"&\x00D6l");
  EXPECT_EQ(EntryText(file->GetHandle(), 0), kOpen + L"\tCtrl+O");
  EXPECT_EQ(EntryText(file->GetHandle(), 2), kAbout);
  // The library's 8-bit captions hold the code page's substitutes.
  EXPECT_EQ(file->Menus::TMenuItem::GetCaption(), "????");
  EXPECT_EQ(file->GetCaption(), kFile);
}

TEST_F(WideMenuBar, WideEntriesSurviveTheLibraryMakingTheEntriesAgain) {
  // A new sibling, a hidden sibling and a new top item make whole menus again.
  file->Insert(0, NewItem(form.Get(), L"\x041D\x043E\x0432\x044B\x0439"));  // Новый
  about->SetVisible(false);
  menu->GetItems()->Insert(0, NewItem(form.Get(), L"\x0393\x03B5\x03B9\x03B1"));  // Γεια
  EXPECT_EQ(EntryText(Bar(), 0), L"\x0393\x03B5\x03B9\x03B1");
  EXPECT_EQ(EntryText(Bar(), 1), kFile);
  EXPECT_EQ(EntryText(file->GetHandle(), 0), L"\x041D\x043E\x0432\x044B\x0439");
  EXPECT_EQ(EntryText(file->GetHandle(), 1), kOpen + L"\tCtrl+O");
  EXPECT_EQ(GetMenuItemCount(file->GetHandle()), 3);
  about->SetVisible(true);
  EXPECT_EQ(EntryText(file->GetHandle(), 3), kAbout);
  // A caption with the same 8-bit form is still a change.
  file->SetCaption(L"\x0416\x0416\x0416\x0416");
  EXPECT_EQ(EntryText(Bar(), 1), L"\x0416\x0416\x0416\x0416");
}

TEST_F(WideMenuBar, AnEightBitCaptionChangedBehindTheLayerWins) {
  open->Menus::TMenuItem::SetCaption("Laden");
  EXPECT_EQ(open->GetCaption(), L"Laden");
  EXPECT_EQ(EntryText(file->GetHandle(), 0), L"Laden\tCtrl+O");
  // A hot key the library moved is carried into the wide caption.
  file->Menus::TMenuItem::SetCaption("?&???");
  EXPECT_EQ(file->GetCaption(), L"\x0424&\x0430\x0439\x043B");
}

TEST_F(WideMenuBar, WideHintsStandBesideThe8BitOnes) {
  open->SetHint(L"\x0416|" + kFile + L" \x00F6" L"ffnen");
  EXPECT_EQ(open->Menus::TMenuItem::GetHint(), "?|???? \xF6" "ffnen");
  EXPECT_EQ(WideGetMenuItemHint(open), L"\x0416|" + kFile + L" \x00F6" L"ffnen");
  Menus::TMenuItem plain(nullptr);
  plain.SetHint("\xDC" "ber");
  EXPECT_EQ(WideGetMenuItemHint(&plain), kAbout);
}

TEST_F(WideMenuBar, SelectingAnItemOfTheBarGivesTheApplicationItsWideHint) {
  open->SetHint(L"Kurz|\x0416\x0430\x0440 lang");
  SendMessageW(form->GetHandle(), WM_MENUSELECT, MAKEWPARAM(open->GetCommand(), MF_STRING),
               reinterpret_cast<LPARAM>(file->GetHandle()));
  EXPECT_EQ(UCodeApplication->GetHint(), L"\x0416\x0430\x0440 lang");
  EXPECT_EQ(Application->GetHint(), "??? lang");
  // The sub-menu's own item, chosen by its position on the bar.
  file->SetHint(kFile);
  SendMessageW(form->GetHandle(), WM_MENUSELECT, MAKEWPARAM(0, MF_POPUP), reinterpret_cast<LPARAM>(Bar()));
  EXPECT_EQ(UCodeApplication->GetHint(), kFile);
  SendMessageW(form->GetHandle(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  EXPECT_EQ(UCodeApplication->GetHint(), L"");
}

TEST_F(WideMenuBar, AnItemOfAWideActionShowsTheActionsWideCaptionAndHint) {
  auto* action = new TUCodeAction(form.Get());
  action->SetCaption(L"&\x0421\x043E\x0445\x0440\x0430\x043D\x0438\x0442\x044C");  // &Сохранить
  action->SetHint(L"\x0416|" + kAbout);
  auto* item = new TUCodeMenuItem(form.Get());
  file->Add(item);
  item->SetAction(action);
  EXPECT_EQ(item->GetCaption(), L"&\x0421\x043E\x0445\x0440\x0430\x043D\x0438\x0442\x044C");
  EXPECT_EQ(EntryText(file->GetHandle(), 3), L"&\x0421\x043E\x0445\x0440\x0430\x043D\x0438\x0442\x044C");
  EXPECT_EQ(item->GetHint(), L"\x0416|" + kAbout);
  // A new wide caption of the same 8-bit form reaches the item and its entry.
  action->SetCaption(L"&\x0417\x0430\x043F\x0438\x0441\x0430\x0442\x044C\x044C");
  EXPECT_EQ(item->GetCaption(), L"&\x0417\x0430\x043F\x0438\x0441\x0430\x0442\x044C\x044C");
  EXPECT_EQ(EntryText(file->GetHandle(), 3), L"&\x0417\x0430\x043F\x0438\x0441\x0430\x0442\x044C\x044C");
  // Loading keeps an item's own caption.
  auto* own = NewItem(form.Get(), kAbout);
  file->Add(own);
  own->ActionChange(action, true);
  EXPECT_EQ(own->GetCaption(), kAbout);
  EXPECT_EQ(own->GetHint(), L"\x0416|" + kAbout);
}

TEST_F(WideMenuBar, OwnerDrawnItemsAreMeasuredWithTheirWideText) {
  // Two captions of the same 8-bit form "??????????": the library alone would measure them alike.
  auto* cyrillic = NewItem(form.Get(), L"\x0416\x0416\x0416\x0416\x0416\x0416\x0416\x0416\x0416\x0416");
  auto* marks = NewItem(form.Get(), L"??????????");
  file->Add(cyrillic);
  file->Add(marks);
  menu->SetOwnerDraw(true);
  auto measure = [&](TUCodeMenuItem* item) {
    MEASUREITEMSTRUCT data{};
    data.CtlType = ODT_MENU;
    data.itemID = item->GetCommand();
    SendMessageW(form->GetHandle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&data));
    return static_cast<int>(data.itemWidth);
  };
  EXPECT_GT(measure(cyrillic), measure(marks));
  // The shortcut's wide text is measured too.
  EXPECT_GT(measure(open), 0);
  auto* longKey = NewItem(form.Get(), kOpen, ShortCut(VK_F12, ssShift | ssCtrl | ssAlt));
  file->Add(longKey);
  EXPECT_GT(measure(longKey), measure(open));
  menu->SetOwnerDraw(false);
}

// The pixels of an owner-drawn item drawn into a bitmap of 200 x 24.
std::vector<COLORREF> DrawItemPixels(HWND form, TUCodeMenuItem* item, bool selected) {
  const int width = 200, height = 24;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(dc, bitmap);
  DRAWITEMSTRUCT data{};
  data.CtlType = ODT_MENU;
  data.itemID = item->GetCommand();
  data.itemAction = ODA_DRAWENTIRE;
  data.itemState = selected ? ODS_SELECTED : 0;
  data.hDC = dc;
  data.rcItem = RECT{0, 0, width, height};
  SendMessageW(form, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&data));
  std::vector<COLORREF> pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(dc, x, y));
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return pixels;
}

size_t CountColour(const std::vector<COLORREF>& pixels, COLORREF colour) {
  size_t count = 0;
  for (COLORREF pixel : pixels) count += pixel == colour;
  return count;
}

TEST_F(WideMenuBar, OwnerDrawnItemsShowTheirWideTextAndDisabledOnesEtched) {
  auto* cyrillic = NewItem(form.Get(), L"\x0416\x0416\x0416");
  auto* marks = NewItem(form.Get(), L"???");
  file->Add(cyrillic);
  file->Add(marks);
  menu->SetOwnerDraw(true);
  const std::vector<COLORREF> wide = DrawItemPixels(form->GetHandle(), cyrillic, false);
  const std::vector<COLORREF> question = DrawItemPixels(form->GetHandle(), marks, false);
  const COLORREF text = ColorToRGB(clMenuText);
  EXPECT_GT(CountColour(wide, text), 0u);
  EXPECT_NE(wide, question);
  cyrillic->SetEnabled(false);
  const std::vector<COLORREF> etched = DrawItemPixels(form->GetHandle(), cyrillic, false);
  EXPECT_EQ(CountColour(etched, text), 0u);
  EXPECT_GT(CountColour(etched, ColorToRGB(clGrayText)), 0u);
  if (ColorToRGB(clBtnHighlight) != ColorToRGB(clMenu))
    EXPECT_GT(CountColour(etched, ColorToRGB(clBtnHighlight)), CountColour(wide, ColorToRGB(clBtnHighlight)));
  menu->SetOwnerDraw(false);
}

// An item that sees the keyboard layout the test sets (this system cannot switch layouts).
class SwitchedLayoutItem : public TUCodeMenuItem {
 public:
  using TUCodeMenuItem::TUCodeMenuItem;
  HKL layout = GetKeyboardLayout(0);

 protected:
  HKL CurrentKeyboardLayout() const override { return layout; }
};

void SetEntryText(HMENU menu, UINT position, std::wstring text) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_STRING;
  info.dwTypeData = text.data();
  SetMenuItemInfoW(menu, position, TRUE, &info);
}

TEST_F(WideMenuBar, OpeningAMenuAfterTheKeyboardLayoutChangedWritesItsEntriesAgain) {
  auto* undo = new SwitchedLayoutItem(form.Get());
  undo->SetCaption(L"R\x00FC" L"ckg\x00E4ngig");
  undo->SetShortCut(ShortCut('Z', ssCtrl));
  file->Add(undo);
  const HMENU sub = file->GetHandle();
  const std::wstring built = L"R\x00FC" L"ckg\x00E4ngig\tCtrl+Z";
  ASSERT_EQ(EntryText(sub, 3), built);
  EXPECT_EQ(undo->GetBuiltKeyboardLayout(), GetKeyboardLayout(0));
  auto openFileMenu = [&] {
    SendMessageW(form->GetHandle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub), MAKELPARAM(0, FALSE));
  };
  // The entry as another layout's key names left it: under the same layout opening keeps it.
  const std::wstring stale = L"R\x00FC" L"ckg\x00E4ngig\tStrg+Z";
  SetEntryText(sub, 3, stale);
  openFileMenu();
  EXPECT_EQ(EntryText(sub, 3), stale);
  // Once the layout changed, opening the menu writes the entry for the new layout.
  const auto german = reinterpret_cast<HKL>(static_cast<uintptr_t>(0x04070407));
  undo->layout = german;
  openFileMenu();
  EXPECT_EQ(EntryText(sub, 3), built);
  EXPECT_EQ(undo->GetBuiltKeyboardLayout(), german);
  // Recorded: the next opening under it leaves the entry alone.
  SetEntryText(sub, 3, stale);
  openFileMenu();
  EXPECT_EQ(EntryText(sub, 3), stale);
}

TEST(WideShortCuts, LibraryNamesLayoutCharactersAndSystemKeyNames) {
  EXPECT_EQ(WideShortCutToText(VK_F5), L"F5");
  EXPECT_EQ(WideShortCutToText(ShortCut(VK_DELETE, ssShift)), L"Shift+Del");
  EXPECT_EQ(WideShortCutToText(ShortCut('Z', ssCtrl)), L"Ctrl+Z");
  EXPECT_EQ(WideShortCutToText(ShortCut('1', ssAlt | ssCtrl | ssShift)), L"Shift+Ctrl+Alt+1");
  // A key without a character: the keyboard's own name of it.
  std::wstring expected;
  if (LONG scan = static_cast<LONG>(MapVirtualKeyW(VK_PAUSE, MAPVK_VK_TO_VSC))) {
    wchar_t name[256] = {};
    if (GetKeyNameTextW(scan << 16, name, 256) > 0) expected = L"Ctrl+" + std::wstring(name);
  }
  EXPECT_EQ(WideShortCutToText(ShortCut(VK_PAUSE, ssCtrl)), expected);
  // A punctuation key: the character the layout gives it.
  auto semicolon = static_cast<wchar_t>(MapVirtualKeyW(VK_OEM_1, MAPVK_VK_TO_CHAR));
  if (semicolon) EXPECT_EQ(WideShortCutToText(VK_OEM_1).size(), 1u);
  EXPECT_EQ(WideShortCutToText(0), L"");
}

TEST(WidePopupMenus, SelectingAnItemSetsTheWideApplicationHintAndOpeningRestoresWideTexts) {
  InitUCodeForms();
  InitUCodeMenus();
  ASSERT_NE(dynamic_cast<TUCodePopupList*>(PopupList), nullptr);
  TComponent owner(nullptr);
  auto* popup = new TPopupMenu(&owner);
  auto* item = NewItem(&owner, kFile);
  item->SetHint(L"Kurz|" + kFile + L" lang");
  popup->GetItems()->Add(item);
  HMENU handle = popup->GetHandle();
  SendMessageW(PopupList->GetWindow(), WM_MENUSELECT, MAKEWPARAM(item->GetCommand(), MF_STRING),
               reinterpret_cast<LPARAM>(handle));
  EXPECT_EQ(UCodeApplication->GetHint(), kFile + L" lang");
  // A top item added to the library's popup makes its entries again in 8 bits; opening the
  // popup writes the wide texts back.
  popup->GetItems()->Add(NewItem(&owner, kAbout));
  SendMessageW(PopupList->GetWindow(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(handle), 0);
  EXPECT_EQ(EntryText(handle, 0), kFile);
  EXPECT_EQ(EntryText(handle, 1), kAbout);
  Application->SetHint("");
}

const char* const kMenuForm = R"(object MenuForm: TForm
  Caption = 'Menus'
  Menu = menu
  object menu: TMainMenu
    object mdatei: TMenuItem
      Caption = 'Файл'
      Hint = 'Öffnen|Жар'
      object mneu: TMenuItem
        Caption = '&Neu'
        ShortCut = 16462
      end
    end
  end
end
)";

TEST(WideMenuForms, FormDescriptionsMakeWideMenusUnderTheLibrarysNames) {
  RegisterUCodeRepMenus();
  auto* form = new TForm(nullptr);
  ReadComponentFromText(form, kMenuForm, "MenuForm");
  form->HandleNeeded();  // the window takes the menu bar
  auto* menu = dynamic_cast<TUCodeMainMenu*>(form->FindComponent("menu"));
  auto* file = dynamic_cast<TUCodeMenuItem*>(form->FindComponent("mdatei"));
  auto* item = dynamic_cast<TUCodeMenuItem*>(form->FindComponent("mneu"));
  ASSERT_NE(menu, nullptr);
  ASSERT_NE(file, nullptr);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(file->GetCaption(), kFile);
  EXPECT_EQ(file->GetHint(), kOpen + L"|\x0416\x0430\x0440");
  EXPECT_EQ(EntryText(menu->GetHandle(), 0), kFile);
  EXPECT_EQ(EntryText(file->GetHandle(), 0), L"&Neu\tCtrl+N");
  form->Free();
}

}  // namespace
