// Page controls with their sheets and tabs, progress bars, and a form that describes them with a
// list view (shown, and left as a screenshot).
#include <gtest/gtest.h>

#include <fstream>

#include "ProtocolRecorder.h"
#include "WindowsTestSupport.h"
#include "classlib/ComCtrls.h"
#include "classlib/StdCtrls.h"
#include "support/TestSupport.h"

#include <shellapi.h>

// The library's own 8-bit controls.
using ComCtrls::TPageControl;
using ComCtrls::TTabSheet;
using ComCtrls::TProgressBar;
using StdCtrls::TEdit;
using ComCtrls::TListView;

using wintest::ProtocolRecorder;
using wintest::Pump;
using wintest::SentMessage;
using wintest::ShownForm;

namespace {

using Strings = std::vector<std::string>;

class Events : public TObject {
 public:
  Strings log;
  bool allowChange = true;
  void Change(TObject*) { log.push_back("change"); }
  void Changing(TObject*, bool& allow) { allow = allowChange; }
};

TPageControl* PlacePageControl(TForm* form) {
  auto* pageControl = new TPageControl(form);
  pageControl->SetBounds(10, 10, 360, 220);
  pageControl->SetParent(form);
  return pageControl;
}

TTabSheet* AddSheet(TPageControl* pageControl, const std::string& caption) {
  auto* sheet = new TTabSheet(pageControl->GetOwner());
  sheet->SetCaption(caption);
  sheet->SetPageControl(pageControl);
  return sheet;
}

std::string WindowTabText(TPageControl* pageControl, int index) {
  char text[64] = {};
  TCITEMA tab{};
  tab.mask = TCIF_TEXT;
  tab.pszText = text;
  tab.cchTextMax = sizeof(text);
  SendMessageA(pageControl->GetHandle(), TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&tab));
  return text;
}

Strings WindowTabs(TPageControl* pageControl) {
  Strings tabs;
  int count = static_cast<int>(SendMessageA(pageControl->GetHandle(), TCM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) tabs.push_back(WindowTabText(pageControl, i));
  return tabs;
}

// The key pressed in the control that has the focus, with Ctrl and Shift held as asked.
void PressInFocus(WORD key, bool ctrl = false, bool shift = false) {
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CONTROL] = ctrl ? 0x80 : 0;
  keys[VK_SHIFT] = shift ? 0x80 : 0;
  SetKeyboardState(keys);
  PostMessageA(GetFocus(), WM_KEYDOWN, key, 1);
  PostMessageA(GetFocus(), WM_KEYUP, key, 0xC0000001);
  Pump();
  keys[VK_CONTROL] = keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
}

// A real click on the tab's middle.
void ClickTab(TPageControl* pageControl, int index) {
  RECT rect{};
  SendMessageA(pageControl->GetHandle(), TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
  LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  SendMessageA(pageControl->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(pageControl->GetHandle(), WM_LBUTTONUP, 0, at);
  Pump();
}

}  // namespace

// ---- page controls --------------------------------------------------------------------------
TEST(PageControlTabs, EachTabEntersWithInsertItemFollowedBySetItemCarryingItsSheet) {
  ShownForm form(400, 260);
  TPageControl* pageControl = PlacePageControl(form.Get());
  ProtocolRecorder recorder(pageControl);
  TTabSheet* first = AddSheet(pageControl, "1. Quelle");
  TTabSheet* second = AddSheet(pageControl, "2. Seitenzahlen");
  std::vector<SentMessage> tabs;
  for (const SentMessage& sent : recorder.All())
    if (sent.Msg == TCM_INSERTITEMA || sent.Msg == TCM_SETITEMA) tabs.push_back(sent);
  ASSERT_EQ(tabs.size(), 4u);
  EXPECT_EQ(tabs[0].Msg, static_cast<UINT>(TCM_INSERTITEMA));
  EXPECT_EQ(tabs[1].Msg, static_cast<UINT>(TCM_SETITEMA));
  EXPECT_EQ(tabs[1].Param, reinterpret_cast<LPARAM>(first));
  EXPECT_TRUE(tabs[1].Mask & TCIF_PARAM);
  EXPECT_EQ(tabs[3].Param, reinterpret_cast<LPARAM>(second));
  EXPECT_EQ(tabs[3].Text, "2. Seitenzahlen");
  recorder.Clear();
  second->SetCaption("2. Page Numbers");
  ASSERT_EQ(recorder.Of(TCM_SETITEMA).size(), 1u);
  EXPECT_EQ(recorder.Of(TCM_SETITEMA)[0].Param, reinterpret_cast<LPARAM>(second));
  EXPECT_EQ(WindowTabs(pageControl), (Strings{"1. Quelle", "2. Page Numbers"}));
}

TEST(PageControlTabs, HiddenTabsLeaveTheTabListAndComeBackInPageOrder) {
  ShownForm form(400, 260);
  TPageControl* pageControl = PlacePageControl(form.Get());
  AddSheet(pageControl, "one");
  TTabSheet* two = AddSheet(pageControl, "two");
  TTabSheet* three = AddSheet(pageControl, "three");
  two->SetTabVisible(false);
  EXPECT_EQ(WindowTabs(pageControl), (Strings{"one", "three"}));
  EXPECT_EQ(two->GetTabIndex(), -1);
  EXPECT_EQ(three->GetTabIndex(), 1);
  EXPECT_EQ(two->GetPageIndex(), 1);
  // Next and previous page skip the hidden tab and wrap around.
  Events events;
  pageControl->OnChange = TNotifyEvent(&events, &Events::Change);
  pageControl->SelectNextPage(true);
  EXPECT_EQ(pageControl->GetActivePage(), three);
  pageControl->SelectNextPage(true);
  EXPECT_EQ(pageControl->GetActivePageIndex(), 0);
  EXPECT_EQ(pageControl->FindNextPage(three, true, false), pageControl->GetPage(0));
  EXPECT_EQ(pageControl->FindNextPage(pageControl->GetPage(0), false, true), three);
  EXPECT_EQ(events.log.size(), 2u);
  two->SetTabVisible(true);
  EXPECT_EQ(WindowTabs(pageControl), (Strings{"one", "two", "three"}));
  three->SetPageIndex(0);
  EXPECT_EQ(WindowTabs(pageControl), (Strings{"three", "one", "two"}));
  EXPECT_EQ(pageControl->GetTabIndex(), 1);  // the active sheet "one" keeps its tab selected
}

TEST(PageControlChange, AClickOnATabFiresOnChangeAndSettingTheActivePageFromCodeDoesNot) {
  ShownForm form(400, 260);
  TPageControl* pageControl = PlacePageControl(form.Get());
  TTabSheet* first = AddSheet(pageControl, "first");
  TTabSheet* second = AddSheet(pageControl, "second");
  TTabSheet* third = AddSheet(pageControl, "third");
  Events events;
  pageControl->OnChange = TNotifyEvent(&events, &Events::Change);
  pageControl->OnChanging = TTabChangingEvent(&events, &Events::Changing);
  EXPECT_EQ(pageControl->GetActivePage(), first);
  pageControl->SetActivePage(second);
  EXPECT_TRUE(events.log.empty());
  EXPECT_EQ(SendMessageA(pageControl->GetHandle(), TCM_GETCURSEL, 0, 0), 1);
  EXPECT_TRUE(IsWindowVisible(second->GetHandle()));
  EXPECT_FALSE(IsWindowVisible(first->GetHandle()));
  ClickTab(pageControl, 2);
  EXPECT_EQ(events.log, Strings{"change"});
  EXPECT_EQ(pageControl->GetActivePage(), third);
  EXPECT_FALSE(IsWindowVisible(second->GetHandle()));
  // The sheet fills the area inside the tabs.
  RECT display = pageControl->GetDisplayRect();
  EXPECT_EQ(third->GetLeft(), display.left);
  EXPECT_EQ(third->GetTop(), display.top);
  EXPECT_EQ(third->GetWidth(), display.right - display.left);
  EXPECT_GT(display.top, 0);
  events.allowChange = false;
  ClickTab(pageControl, 0);
  EXPECT_EQ(pageControl->GetActivePage(), third);
  EXPECT_EQ(events.log.size(), 1u);
}

TEST(PageControlChange, AltWithTheAcceleratorOfASheetsCaptionSelectsIt) {
  ShownForm form(400, 260);
  TPageControl* pageControl = PlacePageControl(form.Get());
  TTabSheet* first = AddSheet(pageControl, "&Quelle");
  TTabSheet* second = AddSheet(pageControl, "&Kriterien");
  auto* edit = new TEdit(form.Get());
  edit->SetParent(first);
  Events events;
  pageControl->OnChange = TNotifyEvent(&events, &Events::Change);
  edit->SetFocus();
  PostMessageA(edit->GetHandle(), WM_SYSCHAR, 'k', 0x20000001);
  Pump();
  EXPECT_EQ(pageControl->GetActivePage(), second);
  EXPECT_EQ(events.log, Strings{"change"});
}

TEST(PageControlWindow, SheetsAndTabsAreHeldWithoutAWindowAndKeptAcrossANewOne) {
  ShownForm form(400, 260);
  auto* pageControl = new TPageControl(form.Get());
  pageControl->SetBounds(10, 10, 360, 220);
  TTabSheet* first = AddSheet(pageControl, "first");
  TTabSheet* second = AddSheet(pageControl, "second");
  pageControl->SetActivePage(second);
  EXPECT_FALSE(pageControl->HandleAllocated());
  EXPECT_EQ(pageControl->GetTabIndex(), 1);
  EXPECT_EQ(pageControl->GetTabs()->GetObject(0), first);
  pageControl->SetParent(form.Get());
  EXPECT_EQ(WindowTabs(pageControl), (Strings{"first", "second"}));
  EXPECT_EQ(SendMessageA(pageControl->GetHandle(), TCM_GETCURSEL, 0, 0), 1);
  HWND before = pageControl->GetHandle();
  pageControl->SetStyle(tsFlatButtons);
  EXPECT_NE(pageControl->GetHandle(), before);
  LONG style = GetWindowLongA(pageControl->GetHandle(), GWL_STYLE);
  EXPECT_TRUE(style & TCS_FLATBUTTONS);
  EXPECT_TRUE(style & TCS_BUTTONS);
  EXPECT_EQ(WindowTabs(pageControl), (Strings{"first", "second"}));
  EXPECT_EQ(pageControl->GetActivePage(), second);
  EXPECT_TRUE(IsWindowVisible(second->GetHandle()));
  second->Free();  // the next sheet becomes active
  EXPECT_EQ(pageControl->GetActivePage(), first);
  EXPECT_EQ(WindowTabs(pageControl), (Strings{"first"}));
}

// ---- progress bars --------------------------------------------------------------------------
TEST(ProgressBars, PositionStaysWithinTheRangeWithOrWithoutAWindowAndAcrossANewOne) {
  ShownForm form(400, 260);
  auto* bar = new TProgressBar(form.Get());
  bar->SetPosition(150);
  EXPECT_EQ(bar->GetPosition(), 100);
  bar->SetPosition(-5);
  EXPECT_EQ(bar->GetPosition(), 0);
  bar->SetStep(30);
  bar->SetPosition(90);
  bar->StepIt();  // past the end: starts again
  EXPECT_EQ(bar->GetPosition(), 20);
  bar->SetBounds(10, 10, 200, 18);
  bar->SetParent(form.Get());
  EXPECT_EQ(SendMessageA(bar->GetHandle(), PBM_GETPOS, 0, 0), 20);
  EXPECT_EQ(SendMessageA(bar->GetHandle(), PBM_GETRANGE, FALSE, 0), 100);
  bar->SetPosition(75);
  EXPECT_EQ(SendMessageA(bar->GetHandle(), PBM_GETPOS, 0, 0), 75);
  bar->StepBy(100);
  EXPECT_EQ(bar->GetPosition(), 100);
  bar->SetMax(50);
  EXPECT_EQ(bar->GetPosition(), 50);
  HWND before = bar->GetHandle();
  bar->SetSmooth(true);
  EXPECT_NE(bar->GetHandle(), before);
  EXPECT_EQ(SendMessageA(bar->GetHandle(), PBM_GETPOS, 0, 0), 50);
  bar->Hide();
  EXPECT_FALSE(IsWindowVisible(bar->GetHandle()));
}

// ---- form descriptions ----------------------------------------------------------------------
namespace {

const char kWizardDescription[] = R"(object WizardForm: TWizardForm
  Left = 60
  Top = 60
  ClientWidth = 480
  ClientHeight = 300
  Caption = 'Datei Index'
  Menu = menu
  object menu: TMainMenu
    object mdatei: TMenuItem
      Caption = '&Datei'
      object mdidxload: TMenuItem
        Caption = 'Datei Index Laden'
      end
    end
    object mkonfig: TMenuItem
      Caption = '&Konfiguration'
      object mkonfigload: TMenuItem
        Caption = 'Konfiguration laden'
        ShortCut = 16459
      end
    end
    object mfenster: TMenuItem
      Caption = '&Fenster'
    end
  end
  object IconList: TImageList
    ShareImages = True
  end
  object dct: TPageControl
    Left = 8
    Top = 8
    Width = 464
    Height = 284
    ActivePage = td1
    Style = tsFlatButtons
    OnChange = dctChange
    object td1: TTabSheet
      Caption = '1. Quelle'
      object qulist: TListView
        Left = 4
        Top = 4
        Width = 440
        Height = 200
        Columns = <
          item
            Caption = 'Bezeichnung'
            Width = 120
          end
          item
            Caption = 'Link'
            Width = 100
          end
          item
            Caption = 'Gr'#246#223'e'
            Alignment = taRightJustify
            Width = 80
          end>
        MultiSelect = True
        RowSelect = True
        ReadOnly = False
        SmallImages = IconList
        SortType = stText
        ViewStyle = vsReport
        OnCompare = qulistCompare
      end
    end
    object td4: TTabSheet
      Caption = 'Index erstellen'
      object fortschritt: TProgressBar
        Left = 8
        Top = 40
        Width = 300
        Height = 18
        Position = 30
      end
    end
  end
end
)";

class TWizardForm : public TForm {
  KX_COMPONENT(TWizardForm, TForm)
 public:
  explicit TWizardForm(TComponent* owner) : TForm(owner) { InitFormFromText(kWizardDescription, "TWizardForm"); }
  TImageList* IconList = nullptr;
  TPageControl* dct = nullptr;
  TTabSheet* td1 = nullptr;
  TTabSheet* td4 = nullptr;
  TListView* qulist = nullptr;
  TProgressBar* fortschritt = nullptr;
  int changes = 0;
  int compares = 0;
  void dctChange(TObject*) { ++changes; }
  void qulistCompare(TObject*, TListItem* a, TListItem* b, int, int& result) {
    ++compares;
    result = CompareText(a->GetCaption(), b->GetCaption());
  }

  static void DeclareProperties(TPropertyTable& table) {
    auto p = table.For<TWizardForm>();
    p.Field("IconList", &TWizardForm::IconList);
    p.Field("dct", &TWizardForm::dct);
    p.Field("td1", &TWizardForm::td1);
    p.Field("td4", &TWizardForm::td4);
    p.Field("qulist", &TWizardForm::qulist);
    p.Field("fortschritt", &TWizardForm::fortschritt);
    p.Handler("dctChange", &TWizardForm::dctChange);
    p.Handler("qulistCompare", &TWizardForm::qulistCompare);
  }
};

const bool registered = (RegisterClass(TWizardForm::StaticClass()), true);

}  // namespace

TEST(ComCtrlsForms, ADescriptionMakesPagesListsAndBarsThatWorkShownAndLeaveAScreenshot) {
  auto* form = new TWizardForm(nullptr);
  EXPECT_FALSE(form->qulist->HandleAllocated());
  EXPECT_EQ(form->dct->GetPageCount(), 2);
  EXPECT_EQ(form->dct->GetActivePage(), form->td1);
  EXPECT_EQ(form->dct->GetStyle(), tsFlatButtons);
  ASSERT_EQ(form->qulist->GetColumns()->GetCount(), 3);
  EXPECT_EQ(form->qulist->Column(2)->GetCaption(), "Gr\xF6\xDF" "e");
  EXPECT_EQ(form->qulist->Column(2)->GetAlignment(), taRightJustify);
  EXPECT_EQ(form->qulist->GetSmallImages(), form->IconList);
  EXPECT_TRUE(form->qulist->GetRowSelect());
  EXPECT_EQ(form->fortschritt->GetPosition(), 30);
  SHFILEINFOA info{};
  form->IconList->SetHandle(reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoA("", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON)));
  for (const char* name : {"Kapitel 3", "anhang", "Einleitung", "Vorwort"}) {
    TListItem* item = form->qulist->GetItems()->Add();
    item->SetCaption(name);
    item->GetSubItems()->Add(std::string(name) + ".htm");
    item->GetSubItems()->Add("12,500 KB");
    item->SetImageIndex(0);
  }
  EXPECT_GT(form->compares, 0);  // kept sorted as text through OnCompare
  form->qulist->GetItems()->GetItem(1)->SetSelected(true);
  form->Show();
  Pump();
  UpdateWindow(form->GetHandle());
  Pump();
  Strings shown;
  for (int i = 0; i < 4; ++i) {
    char text[64] = {};
    LVITEMA item{};
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    SendMessageA(form->qulist->GetHandle(), LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
    shown.push_back(text);
  }
  EXPECT_EQ(shown, (Strings{"anhang", "Einleitung", "Kapitel 3", "Vorwort"}));
  EXPECT_TRUE(IsWindowVisible(form->qulist->GetHandle()));
  EXPECT_EQ(GetMenuItemCount(GetMenu(form->GetHandle())), 3);  // the menu bar is in the picture
  EXPECT_EQ(form->changes, 0);
  int width = 0, height = 0;
  std::vector<uint8_t> rgb = wintest::CaptureWindow(form->GetHandle(), width, height);
  std::ofstream(testsupport::ExeFolder() + "classlib-comctrls.png", std::ios::binary) << wintest::EncodePng(width, height, rgb);
  EXPECT_GT(width, 400);
  form->dct->SetActivePage(form->td4);
  EXPECT_TRUE(IsWindowVisible(form->fortschritt->GetHandle()));
  EXPECT_EQ(SendMessageA(form->fortschritt->GetHandle(), PBM_GETPOS, 0, 0), 30);
  form->Free();
}

// ---- docking --------------------------------------------------------------------------------
TEST(PageControlDocking, ADockedFormGetsASheetWhoseTabFollowsTheFormsFirstLineAndVisibility) {
  ShownForm form(400, 260);
  TPageControl* pageControl = PlacePageControl(form.Get());
  AddSheet(pageControl, "first");
  pageControl->SetDockSite(true);
  auto* notes = new TForm(form.Get());
  notes->SetCaption("Notizen");
  notes->ManualDock(pageControl);
  ASSERT_EQ(pageControl->GetPageCount(), 2);
  EXPECT_EQ(notes->GetHostDockSite(), pageControl);
  TTabSheet* sheet = pageControl->GetPage(1);
  EXPECT_EQ(notes->GetParent(), sheet);
  EXPECT_EQ(notes->GetAlign(), alClient);
  EXPECT_EQ(WindowTabs(pageControl), Strings{"first"});  // a hidden form: a hidden tab
  notes->Show();
  EXPECT_EQ(WindowTabs(pageControl), (Strings{"first", "Notizen"}));
  notes->SetCaption("Neu\r\nzweite Zeile");
  EXPECT_EQ(WindowTabText(pageControl, 1), "Neu");
  notes->Hide();
  EXPECT_FALSE(sheet->GetTabVisible());
  EXPECT_EQ(WindowTabs(pageControl), Strings{"first"});
  // The page control answers a client it took with 0, as every dock site does.
  auto* edit = new TEdit(form.Get());
  TDockClientInfo info;
  info.Control = edit;
  EXPECT_EQ(pageControl->Perform(CM_DOCKCLIENT, reinterpret_cast<WPARAM>(edit), reinterpret_cast<LPARAM>(&info)), 0);
  EXPECT_EQ(pageControl->GetPageCount(), 3);
  EXPECT_EQ(edit->GetParent(), pageControl->GetPage(2));
}

// The row of tabs is a stop of Tab between the controls before it and those of its page, and
// its arrow keys turn the pages as a click on a tab does (no further than the first and last).
TEST(PageControlKeys, TabReachesTheTabsWhoseArrowKeysTurnThePagesAsAClickDoes) {
  ShownForm form(400, 300);
  auto* before = new TEdit(form.Get());
  before->SetParent(form.Get());
  TPageControl* pageControl = PlacePageControl(form.Get());
  pageControl->SetTop(40);
  TTabSheet* sheets[] = {AddSheet(pageControl, "one"), AddSheet(pageControl, "two"), AddSheet(pageControl, "three")};
  auto* inside = new TEdit(form.Get());
  inside->SetParent(sheets[0]);
  Events events;
  pageControl->OnChange = TNotifyEvent(&events, &Events::Change);
  pageControl->OnChanging = TTabChangingEvent(&events, &Events::Changing);
  before->SetFocus();
  PressInFocus(VK_TAB);
  ASSERT_TRUE(pageControl->Focused());
  PressInFocus(VK_TAB);
  EXPECT_TRUE(inside->Focused());
  PressInFocus(VK_TAB, false, true);
  ASSERT_TRUE(pageControl->Focused()) << "Shift+Tab comes back to the tabs";
  struct Case {
    WORD key;
    bool allow;
    int page;
    bool change;
  };
  const Case cases[] = {{VK_RIGHT, true, 1, true}, {VK_DOWN, true, 2, true}, {VK_RIGHT, true, 2, false},
                        {VK_LEFT, false, 2, false}, {VK_UP, true, 1, true},  {VK_LEFT, true, 0, true},
                        {VK_UP, true, 0, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.key) + (c.allow ? "" : " refused"));
    events.log.clear();
    events.allowChange = c.allow;
    PressInFocus(c.key);
    EXPECT_EQ(pageControl->GetActivePage(), sheets[c.page]);
    EXPECT_TRUE(IsWindowVisible(sheets[c.page]->GetHandle()));
    EXPECT_EQ(SendMessageA(pageControl->GetHandle(), TCM_GETCURSEL, 0, 0), c.page);
    EXPECT_EQ(events.log, c.change ? Strings{"change"} : Strings{});
    EXPECT_TRUE(pageControl->Focused());
  }
}

// Ctrl+Tab turns to the next page and Ctrl+Shift+Tab to the one before, wrapping, from anywhere
// inside the page control; a page control inside another turns while it holds the focus.
TEST(PageControlKeys, CtrlTabTurnsTheInnermostPageControlThatHoldsTheFocus) {
  ShownForm form(400, 300);
  TPageControl* outer = PlacePageControl(form.Get());
  TTabSheet* outerSheets[] = {AddSheet(outer, "A"), AddSheet(outer, "B")};
  auto* outerEdit = new TEdit(form.Get());
  outerEdit->SetParent(outerSheets[0]);
  auto* inner = new TPageControl(form.Get());
  inner->SetBounds(10, 40, 300, 120);
  inner->SetParent(outerSheets[0]);
  TTabSheet* innerSheets[] = {AddSheet(inner, "x"), AddSheet(inner, "y"), AddSheet(inner, "z")};
  auto* innerEdit = new TEdit(form.Get());
  innerEdit->SetParent(innerSheets[0]);
  Events events;
  inner->OnChange = TNotifyEvent(&events, &Events::Change);
  outer->OnChange = TNotifyEvent(&events, &Events::Change);
  struct Case {
    TWinControl* focused;  // nullptr: where the last key left it
    bool shift;
    TTabSheet* outerPage;
    TTabSheet* innerPage;
  };
  const Case cases[] = {{innerEdit, false, outerSheets[0], innerSheets[1]},
                        {nullptr, false, outerSheets[0], innerSheets[2]},
                        {nullptr, false, outerSheets[0], innerSheets[0]},
                        {nullptr, true, outerSheets[0], innerSheets[2]},
                        {outerEdit, false, outerSheets[1], innerSheets[2]},
                        {nullptr, true, outerSheets[0], innerSheets[2]}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shift ? "Ctrl+Shift+Tab" : "Ctrl+Tab");
    if (c.focused) c.focused->SetFocus();
    events.log.clear();
    PressInFocus(VK_TAB, true, c.shift);
    EXPECT_EQ(outer->GetActivePage(), c.outerPage);
    EXPECT_EQ(inner->GetActivePage(), c.innerPage);
    EXPECT_EQ(events.log, Strings{"change"});
  }
}

TEST(PageControlChange, TheFocusLeavesAPageThatIsHidden) {
  ShownForm form(400, 260);
  TPageControl* pageControl = PlacePageControl(form.Get());
  TTabSheet* first = AddSheet(pageControl, "first");
  TTabSheet* second = AddSheet(pageControl, "second");
  auto* edit = new TEdit(form.Get());
  edit->SetParent(first);
  edit->SetFocus();
  ASSERT_EQ(GetFocus(), edit->GetHandle());
  pageControl->SetActivePage(second);
  EXPECT_EQ(GetFocus(), pageControl->GetHandle());
}
