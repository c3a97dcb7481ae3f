// Menus: item trees from form descriptions, the native menus built from them, commands,
// sub-menus opening and shortcuts through real window messages, the popup list.
#include <gtest/gtest.h>

#include "WindowsTestSupport.h"
#include "classlib/FormReader.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"

// The library's own 8-bit controls.
using Menus::TMainMenu;
using Menus::TMenuItem;
using StdCtrls::TEdit;

using wintest::Pump;
using wintest::ShownForm;

namespace {

struct NativeEntry {
  UINT type = 0;
  UINT state = 0;
  UINT id = 0;
  HMENU subMenu = nullptr;
  std::string text;
};

NativeEntry ReadEntry(HMENU menu, int position) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_TYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
  EXPECT_TRUE(GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info));
  NativeEntry entry{info.fType, info.fState, info.wID, info.hSubMenu, {}};
  if (info.fType & (MFT_SEPARATOR | MFT_OWNERDRAW | MFT_BITMAP)) return entry;
  std::string text(info.cch + 1, '\0');
  info.dwTypeData = text.data();
  info.cch = static_cast<UINT>(text.size());
  GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
  text.resize(info.cch);
  entry.text = text;
  return entry;
}

std::vector<std::string> EntryTexts(HMENU menu) {
  std::vector<std::string> texts;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    NativeEntry entry = ReadEntry(menu, i);
    texts.push_back(entry.type & MFT_SEPARATOR ? "-" : entry.text);
  }
  return texts;
}

// The main window's kind of menu: a configuration menu with shortcuts, separators, a sub-menu
// of radio-like items, and a window menu whose parents react to their sub-menu opening.
const char* const kMenuForm = R"(object MenuForm: TMenuForm
  Menu = menu
  object menu: TMainMenu
    object m_konfig: TMenuItem
      Caption = '&Konfiguration'
      object m_konfig_load: TMenuItem
        Caption = 'Konfiguration laden'
        ShortCut = 16459
        OnClick = ItemClick
      end
      object sep1: TMenuItem
        Caption = '-'
      end
      object m_konfig_autosave: TMenuItem
        Caption = 'Auto Save beim Beenden'
        object m_konfig_autosave_nie: TMenuItem
          Caption = 'Nie'
          Checked = True
          OnClick = ItemClick
        end
      end
      object m_konfig_standard: TMenuItem
        Caption = 'Standardkonfiguration'
        ShortCut = 113
        Hint = 'Alle Einstellungen|Setzt alles zur'#252'ck'
        OnClick = ItemClick
      end
      object m_konfig_start: TMenuItem
        Caption = 'Startkonfiguration'
        ShortCut = 114
        Enabled = False
        OnClick = ItemClick
      end
    end
    object mfenster: TMenuItem
      Caption = 'Fenster'
      object mft: TMenuItem
        Caption = 'Text Index'
        OnClick = ItemClick
        object mft1: TMenuItem
          Caption = '1. Quelle'
          OnClick = ItemClick
        end
      end
    end
  end
end
)";

class TMenuForm : public TForm {
  KX_COMPONENT(TMenuForm, TForm)
 public:
  explicit TMenuForm(TComponent* owner) : TForm(owner) {}
  TMainMenu* menu = nullptr;
  TMenuItem* m_konfig = nullptr;
  TMenuItem* m_konfig_load = nullptr;
  TMenuItem* m_konfig_autosave = nullptr;
  TMenuItem* m_konfig_autosave_nie = nullptr;
  TMenuItem* m_konfig_standard = nullptr;
  TMenuItem* m_konfig_start = nullptr;
  TMenuItem* mft = nullptr;
  TMenuItem* mft1 = nullptr;
  std::vector<std::string> clicks;

  void ItemClick(TObject* sender) { clicks.push_back(static_cast<TComponent*>(sender)->GetName()); }

  static void DeclareProperties(TPropertyTable& table) {
    auto p = table.For<TMenuForm>();
    p.Field("menu", &TMenuForm::menu);
    p.Field("m_konfig", &TMenuForm::m_konfig);
    p.Field("m_konfig_load", &TMenuForm::m_konfig_load);
    p.Field("m_konfig_autosave", &TMenuForm::m_konfig_autosave);
    p.Field("m_konfig_autosave_nie", &TMenuForm::m_konfig_autosave_nie);
    p.Field("m_konfig_standard", &TMenuForm::m_konfig_standard);
    p.Field("m_konfig_start", &TMenuForm::m_konfig_start);
    p.Field("mft", &TMenuForm::mft);
    p.Field("mft1", &TMenuForm::mft1);
    p.Handler("ItemClick", &TMenuForm::ItemClick);
  }
};

// A form read from the description above, its menu set as its menu bar.
struct MenuFormFixture {
  TMenuForm* form;
  MenuFormFixture() {
    RegisterClass(TMenuForm::StaticClass());
    form = new TMenuForm(nullptr);
    TReader reader("MenuForm");
    reader.ReadRootComponent(form, ParseFormText(kMenuForm, "MenuForm"));
  }
  ~MenuFormFixture() { form->Free(); }
  MenuFormFixture(const MenuFormFixture&) = delete;
  MenuFormFixture& operator=(const MenuFormFixture&) = delete;
  HMENU Bar() const { return form->menu->GetHandle(); }
  HMENU Konfig() const { return form->m_konfig->GetHandle(); }
};

// Records the changes a menu passes up, with the native text of the source at that moment.
class TRecordingMenu : public TMainMenu {
 public:
  using TMainMenu::TMainMenu;
  struct Change {
    TMenuItem* source;
    bool rebuild;
    std::string nativeText;
  };
  std::vector<Change> changes;
  void MenuChanged(TObject* sender, TMenuItem* source, bool rebuild) override {
    TMainMenu::MenuChanged(sender, source, rebuild);
    std::string text;
    HMENU parent = source ? source->GetParentHandle() : nullptr;
    if (parent && source->GetVisible()) {
      int position = 0;
      for (int i = 0; i < source->GetMenuIndex(); ++i) position += source->GetParent()->GetItem(i)->GetVisible();
      text = ReadEntry(parent, position).text;
    }
    changes.push_back({source, rebuild, text});
  }
};

TMenuItem* NewItem(TComponent* owner, const std::string& caption, TShortCut shortCut = scNone) {
  auto* item = new TMenuItem(owner);
  item->SetCaption(caption);
  item->SetShortCut(shortCut);
  return item;
}

}  // namespace

// ---- shortcut texts -------------------------------------------------------------------------
TEST(ShortCuts, TextNamesModifiersInOrderThenTheKey) {
  const std::pair<TShortCut, const char*> kCases[] = {
      {ShortCut('K', ssCtrl), "Ctrl+K"},
      {ShortCut(VK_F2, 0), "F2"},
      {ShortCut(VK_F24, 0), "F24"},
      {ShortCut(VK_DELETE, ssShift), "Shift+Del"},
      {ShortCut(VK_RETURN, ssAlt | ssCtrl | ssShift), "Shift+Ctrl+Alt+Enter"},
      {ShortCut('5', ssAlt), "Alt+5"},
      {ShortCut(VK_BACK, 0), "BkSp"},
      {ShortCut(VK_PRIOR, ssCtrl), "Ctrl+PgUp"},
  };
  for (const auto& [shortCut, text] : kCases) {
    EXPECT_EQ(ShortCutToText(shortCut), text);
    EXPECT_EQ(TextToShortCut(text), shortCut) << text;
  }
  EXPECT_EQ(ShortCut('K', ssCtrl), 16459);  // the value form descriptions store for Ctrl+K
  EXPECT_EQ(TextToShortCut("ctrl+k"), ShortCut('K', ssCtrl));
  EXPECT_EQ(TextToShortCut("Ctrl+"), scNone);
  EXPECT_EQ(TextToShortCut("Nonsense"), scNone);
}

// ---- item trees -----------------------------------------------------------------------------
TEST(MenuItems, AFormDescriptionBuildsTheTreeWithItsPropertiesAndHandlers) {
  MenuFormFixture fixture;
  TMenuForm* form = fixture.form;
  TMenuItem* items = form->menu->GetItems();
  ASSERT_EQ(items->GetCount(), 2);
  EXPECT_EQ(items->GetItem(0), form->m_konfig);
  EXPECT_EQ(form->m_konfig->GetCount(), 5);
  EXPECT_EQ(form->m_konfig_load->GetShortCut(), ShortCut('K', ssCtrl));
  EXPECT_TRUE(form->m_konfig->GetItem(1)->IsLine());
  EXPECT_EQ(form->m_konfig_autosave_nie->GetParent(), form->m_konfig_autosave);
  EXPECT_EQ(form->m_konfig_autosave_nie->GetParentMenu(), form->menu);
  EXPECT_EQ(form->m_konfig->GetParentComponent(), form->menu);
  EXPECT_EQ(form->mft1->GetParentComponent(), form->mft);
  EXPECT_EQ(form->GetMenu(), form->menu);
  EXPECT_TRUE(form->m_konfig_autosave_nie->GetChecked());
  EXPECT_FALSE(form->m_konfig_start->GetEnabled());
  EXPECT_EQ(form->m_konfig->Find("konfiguration LADEN"), form->m_konfig_load);
  form->m_konfig_load->Click();
  form->m_konfig_start->Click();  // disabled: nothing
  EXPECT_EQ(form->clicks, std::vector<std::string>{"m_konfig_load"});
}

TEST(MenuItems, InsertingAnItemThatHasAParentOrItselfIsRefused) {
  TComponent owner(nullptr);
  TMenuItem* parent = NewItem(&owner, "Parent");
  TMenuItem* child = NewItem(&owner, "Child");
  parent->Add(child);
  EXPECT_THROW(parent->Add(child), EMenuError);
  EXPECT_THROW(child->Add(child), EMenuError);
  EXPECT_THROW(parent->Insert(5, NewItem(&owner, "far")), EMenuError);
  EXPECT_THROW(parent->GetItem(1), EMenuError);
  parent->Remove(child);
  EXPECT_EQ(child->GetParent(), nullptr);
  EXPECT_EQ(parent->GetCount(), 0);
}

TEST(MenuItems, CommandsAreUniqueAndFreedItemsLeaveTheirParent) {
  TComponent owner(nullptr);
  TMenuItem* parent = NewItem(&owner, "Parent");
  TMenuItem* a = NewItem(&owner, "a");
  TMenuItem* b = NewItem(&owner, "b");
  parent->Add(a);
  parent->Add(b);
  EXPECT_NE(a->GetCommand(), b->GetCommand());
  EXPECT_NE(a->GetCommand(), 0u);
  HMENU native = parent->GetHandle();
  a->Free();
  ASSERT_EQ(parent->GetCount(), 1);
  EXPECT_EQ(parent->GetItem(0), b);
  EXPECT_EQ(EntryTexts(native), std::vector<std::string>{"b"});
  parent->Free();  // frees b with it
  EXPECT_EQ(owner.GetComponentCount(), 0);
}

TEST(MenuItems, ARadioItemUnchecksTheRadioItemsOfItsGroup) {
  TComponent owner(nullptr);
  TMenuItem* parent = NewItem(&owner, "Auto Save");
  TMenuItem* never = NewItem(&owner, "Nie");
  TMenuItem* all = NewItem(&owner, "Alles");
  TMenuItem* other = NewItem(&owner, "Other group");
  for (TMenuItem* item : {never, all, other}) {
    item->SetRadioItem(true);
    parent->Add(item);
  }
  other->SetGroupIndex(1);
  other->SetChecked(true);
  never->SetChecked(true);
  all->SetChecked(true);
  EXPECT_FALSE(never->GetChecked());
  EXPECT_TRUE(all->GetChecked());
  EXPECT_TRUE(other->GetChecked());
}

// ---- native menus ---------------------------------------------------------------------------
TEST(NativeMenus, EntriesShowTypeStateTextShortcutAndSubMenu) {
  MenuFormFixture fixture;
  TMenuForm* form = fixture.form;
  HMENU bar = fixture.Bar();
  EXPECT_EQ(EntryTexts(bar), (std::vector<std::string>{"&Konfiguration", "Fenster"}));
  NativeEntry top = ReadEntry(bar, 0);
  EXPECT_EQ(top.subMenu, fixture.Konfig());
  EXPECT_EQ(EntryTexts(fixture.Konfig()),
            (std::vector<std::string>{"Konfiguration laden\tCtrl+K", "-", "Auto Save beim Beenden",
                                      "Standardkonfiguration\tF2", "Startkonfiguration\tF3"}));
  EXPECT_EQ(ReadEntry(fixture.Konfig(), 0).type, static_cast<UINT>(MFT_STRING));
  EXPECT_EQ(ReadEntry(fixture.Konfig(), 0).id, form->m_konfig_load->GetCommand());
  EXPECT_TRUE(ReadEntry(fixture.Konfig(), 1).type & MFT_SEPARATOR);
  EXPECT_EQ(ReadEntry(fixture.Konfig(), 2).subMenu, form->m_konfig_autosave->GetHandle());
  EXPECT_TRUE(ReadEntry(form->m_konfig_autosave->GetHandle(), 0).state & MFS_CHECKED);
  EXPECT_TRUE(ReadEntry(fixture.Konfig(), 4).state & MFS_GRAYED);
}

TEST(NativeMenus, ChangesReachTheNativeMenu) {
  MenuFormFixture fixture;
  TMenuForm* form = fixture.form;
  HMENU konfig = fixture.Konfig();
  form->m_konfig_load->SetCaption("Load configuration");
  form->m_konfig_standard->SetShortCut(ShortCut('R', ssCtrl | ssShift));
  form->m_konfig_start->SetEnabled(true);
  form->m_konfig_load->SetChecked(true);
  EXPECT_EQ(ReadEntry(konfig, 0).text, "Load configuration\tCtrl+K");
  EXPECT_TRUE(ReadEntry(konfig, 0).state & MFS_CHECKED);
  EXPECT_EQ(ReadEntry(konfig, 3).text, "Standardkonfiguration\tShift+Ctrl+R");
  EXPECT_FALSE(ReadEntry(konfig, 4).state & MFS_GRAYED);

  form->m_konfig->GetItem(1)->SetVisible(false);
  EXPECT_EQ(GetMenuItemCount(konfig), 4);
  EXPECT_EQ(ReadEntry(konfig, 1).text, "Auto Save beim Beenden");
  form->m_konfig->GetItem(1)->SetVisible(true);
  EXPECT_TRUE(ReadEntry(konfig, 1).type & MFT_SEPARATOR);

  form->m_konfig_load->SetCaption("-");
  EXPECT_TRUE(ReadEntry(konfig, 0).type & MFT_SEPARATOR);
}

TEST(NativeMenus, ItemsAppendedAtRunTimeGetEntriesAndItemsGainingSubItemsGetASubMenu) {
  MenuFormFixture fixture;
  TMenuForm* form = fixture.form;
  // A recent configuration, owned by the main menu and appended to the configuration menu.
  TMenuItem* recent = NewItem(form->menu, "C:\\Daten\\Buch.qcfg");
  recent->SetHint("C:\\Daten\\Buch.qcfg");
  recent->OnClick = TNotifyEvent(form, &TMenuForm::ItemClick);
  recent->SetName("m_konfig_8");
  form->m_konfig->Add(recent);
  HMENU konfig = fixture.Konfig();
  ASSERT_EQ(GetMenuItemCount(konfig), 6);
  EXPECT_EQ(ReadEntry(konfig, 5).text, "C:\\Daten\\Buch.qcfg");
  EXPECT_EQ(ReadEntry(konfig, 5).id, recent->GetCommand());

  // A plain item that gets a first sub-item becomes a sub-menu entry; shortcuts leave its text.
  form->m_konfig_standard->Add(NewItem(form, "Sub"));
  NativeEntry standard = ReadEntry(konfig, 3);
  EXPECT_EQ(standard.subMenu, form->m_konfig_standard->GetHandle());
  EXPECT_EQ(standard.text, "Standardkonfiguration");
  EXPECT_EQ(EntryTexts(standard.subMenu), std::vector<std::string>{"Sub"});

  form->m_konfig->Insert(0, NewItem(form, "First"));
  EXPECT_EQ(ReadEntry(konfig, 0).text, "First");
  form->m_konfig->Delete(0);
  EXPECT_EQ(ReadEntry(konfig, 0).text, "Konfiguration laden\tCtrl+K");
}

TEST(NativeMenus, EveryChangeRunsMenuChangedAfterTheNativeMenuWasUpdated) {
  TComponent owner(nullptr);
  auto* menu = new TRecordingMenu(&owner);
  TMenuItem* top = NewItem(&owner, "Datei");
  TMenuItem* item = NewItem(&owner, "Neu");
  top->Add(item);
  menu->GetItems()->Add(top);
  menu->GetHandle();
  top->GetHandle();
  menu->changes.clear();

  item->SetCaption("Neu...");
  ASSERT_FALSE(menu->changes.empty());
  EXPECT_EQ(menu->changes.back().source, item);
  EXPECT_EQ(menu->changes.back().nativeText, "Neu...");
  EXPECT_FALSE(menu->changes.back().rebuild);

  menu->changes.clear();
  item->SetVisible(false);
  item->SetVisible(true);
  top->Add(NewItem(&owner, "Offnen"));
  ASSERT_EQ(menu->changes.size(), 3u);
  for (const auto& change : menu->changes) EXPECT_TRUE(change.rebuild);
  EXPECT_EQ(menu->changes[1].nativeText, "Neu...");
  EXPECT_EQ(menu->changes[2].source, top);
}

TEST(NativeMenus, OwnerDrawnMenusShowOwnerDrawnEntriesAndAreMeasured) {
  ShownForm shown;
  TMainMenu* menu = new TMainMenu(shown.Get());
  TMenuItem* top = NewItem(shown.Get(), "Datei");
  TMenuItem* item = NewItem(shown.Get(), "Speichern", ShortCut('S', ssCtrl));
  top->Add(item);
  top->Add(NewItem(shown.Get(), "-"));
  menu->GetItems()->Add(top);
  shown->SetMenu(menu);
  menu->SetOwnerDraw(true);
  EXPECT_TRUE(ReadEntry(top->GetHandle(), 0).type & MFT_OWNERDRAW);
  EXPECT_TRUE(ReadEntry(top->GetHandle(), 1).type & MFT_SEPARATOR);

  MEASUREITEMSTRUCT measure{};
  measure.CtlType = ODT_MENU;
  measure.itemID = item->GetCommand();
  SendMessageA(shown->GetHandle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
  TControlCanvas canvas;
  canvas.SetControl(shown.Get());
  EXPECT_GT(static_cast<int>(measure.itemWidth), canvas.TextWidth("Speichern"));
  EXPECT_GT(measure.itemHeight, 0u);
  shown->SetMenu(nullptr);
}

// ---- commands, sub-menus and shortcuts through the window -----------------------------------
TEST(MenuMessages, CommandsReachOnClickAndOpeningSubMenusClickTheirParent) {
  MenuFormFixture fixture;
  TMenuForm* form = fixture.form;
  form->Show();
  Pump();
  HWND window = form->GetHandle();
  EXPECT_EQ(GetMenu(window), fixture.Bar());

  SendMessageA(window, WM_COMMAND, form->mft1->GetCommand(), 0);
  SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(form->mft->GetHandle()), 0);
  SendMessageA(window, WM_COMMAND, 0xFFF0, 0);  // no item of this menu: ignored
  EXPECT_EQ(form->clicks, (std::vector<std::string>{"mft1", "mft"}));

  // Selecting an item makes its hint the application's (the long part).
  SendMessageA(window, WM_MENUSELECT, MAKEWPARAM(form->m_konfig_standard->GetCommand(), MF_HILITE),
               reinterpret_cast<LPARAM>(fixture.Konfig()));
  EXPECT_EQ(Application->GetHint(), "Setzt alles zur\xFC" "ck");
  SendMessageA(window, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  EXPECT_EQ(Application->GetHint(), "");
  form->Hide();
}

TEST(MenuMessages, ShortcutsTypedInAControlClickTheirEnabledItemsThroughTheMessageLoop) {
  MenuFormFixture fixture;
  TMenuForm* form = fixture.form;
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  form->Show();
  edit->SetFocus();
  Pump();

  PostMessageA(edit->GetHandle(), WM_KEYDOWN, VK_F2, 1);
  PostMessageA(edit->GetHandle(), WM_KEYDOWN, VK_F3, 1);  // its item is disabled
  Pump();
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  PostMessageA(edit->GetHandle(), WM_KEYDOWN, 'K', 1);
  Pump();
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
  PostMessageA(edit->GetHandle(), WM_KEYDOWN, 'K', 1);  // K alone is typed, not a shortcut
  Pump();
  EXPECT_EQ(form->clicks, (std::vector<std::string>{"m_konfig_standard", "m_konfig_load"}));
  EXPECT_EQ(edit->GetText(), "k");  // only the plain K reached the edit as a key
  form->Hide();
}

TEST(MenuMessages, TheFormKeepsItsMenuBarAcrossWindowRecreation) {
  MenuFormFixture fixture;
  TMenuForm* form = fixture.form;
  form->HandleNeeded();
  HMENU bar = fixture.Bar();
  form->RecreateWnd();
  EXPECT_TRUE(IsMenu(bar));
  EXPECT_EQ(GetMenu(form->GetHandle()), bar);
  form->SetMenu(nullptr);
  EXPECT_EQ(GetMenu(form->GetHandle()), nullptr);
  EXPECT_TRUE(IsMenu(bar));
}

// ---- popup menus ----------------------------------------------------------------------------
namespace {

class TRecordingPopupList : public TPopupList {
 public:
  std::vector<UINT> seen;

 protected:
  void WndProc(TMessage& message) override {
    seen.push_back(message.Msg);
    TPopupList::WndProc(message);
  }
};

struct ClickCounter : TObject {
  int clicks = 0;
  void Click(TObject*) { ++clicks; }
};

}  // namespace

TEST(PopupMenus, ThePopupListWindowDispatchesCommandsAndCanBeTakenOver) {
  TComponent owner(nullptr);
  auto* popup = new TPopupMenu(&owner);
  TMenuItem* item = NewItem(&owner, "Kopieren");
  ClickCounter counter;
  item->OnClick = TNotifyEvent(&counter, &ClickCounter::Click);
  popup->GetItems()->Add(item);
  HWND window = GetPopupList()->GetWindow();
  ASSERT_NE(window, nullptr);
  SendMessageA(window, WM_COMMAND, item->GetCommand(), 0);
  EXPECT_EQ(counter.clicks, 1);

  auto* replacement = new TRecordingPopupList;
  SetPopupList(replacement);
  EXPECT_EQ(PopupList, replacement);
  EXPECT_EQ(replacement->GetWindow(), window);
  EXPECT_EQ(replacement->IndexOf(popup), 0);
  SendMessageA(window, WM_COMMAND, item->GetCommand(), 0);
  EXPECT_EQ(counter.clicks, 2);
  EXPECT_EQ(replacement->seen, std::vector<UINT>{WM_COMMAND});
  popup->Free();
  EXPECT_EQ(replacement->GetCount(), 0);
  SetPopupList(new TPopupList);
}

TEST(NativeMenus, AnItemWithABitmapAndNoCaptionIsABitmapEntry) {
  TComponent owner(nullptr);
  TMenuItem* parent = NewItem(&owner, "Bilder");
  TMenuItem* picture = NewItem(&owner, "");
  picture->GetBitmap()->SetSize(16, 16);
  parent->Add(picture);
  parent->Add(NewItem(&owner, "Text"));
  EXPECT_TRUE(ReadEntry(parent->GetHandle(), 0).type & MFT_BITMAP);
  EXPECT_EQ(ReadEntry(parent->GetHandle(), 1).type, static_cast<UINT>(MFT_STRING));
  picture->SetCaption("Mit Text");
  EXPECT_EQ(ReadEntry(parent->GetHandle(), 0).text, "Mit Text");
}
