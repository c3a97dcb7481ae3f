// The wide list view in a real window: captions, sub-items, columns, text requests, sorting,
// recreation and in-place editing.
#include "ucode/UCodeComCtrls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "WindowsTestSupport.h"
#include "ucode/UCodeForms.h"
#include "ucode/UCodeSystem.h"

namespace {

const std::wstring kCyrillic = L"\x041F\x0440\x0438\x0432\x0435\x0442";  // Привет
const std::wstring kHan = L"\x4E2D\x6587";                                 // 中文

TUCodeListView* MakeListView(TWinControl* parent) {
  auto* listView = new TUCodeListView(parent);
  listView->SetBounds(10, 10, 360, 200);
  listView->SetViewStyle(vsReport);
  listView->SetParent(parent);
  for (const wchar_t* caption : {L"Name", L"\x0422\x0438\x043F", L"Size"}) {
    TUCodeListColumn* column = listView->GetColumns()->Add();
    column->SetCaption(caption);
    column->SetWidth(100);
  }
  return listView;
}

// The text the window shows for an item's sub-item (asked of the list view like any reader).
std::wstring WindowText(TWinControl* listView, int item, int subItem) {
  wchar_t buffer[256] = {};
  LVITEMW record{};
  record.iSubItem = subItem;
  record.pszText = buffer;
  record.cchTextMax = 256;
  SendMessageW(listView->GetHandle(), LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&record));
  return buffer;
}

std::wstring ColumnText(TWinControl* listView, int column) {
  wchar_t buffer[256] = {};
  LVCOLUMNW record{};
  record.mask = LVCF_TEXT;
  record.pszText = buffer;
  record.cchTextMax = 256;
  SendMessageW(listView->GetHandle(), LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&record));
  return buffer;
}

TEST(WideListView, CaptionsSubItemsAndColumnsReachTheWindow) {
  wintest::ShownForm form(400, 240);
  TUCodeListView* listView = MakeListView(form.Get());
  ASSERT_TRUE(IsWindowUnicode(listView->GetHandle()));
  TUCodeListItem* item = listView->GetItems()->Add();
  item->SetCaption(kCyrillic);
  item->GetSubItems()->Add(kHan);
  item->GetSubItems()->Add(L"12");
  EXPECT_EQ(item->TListItem::GetCaption(), WideStringToStringEx(kCyrillic, 0));
  EXPECT_EQ(item->GetAnsiSubItems()->Get(0), WideStringToStringEx(kHan, 0));
  EXPECT_EQ(WindowText(listView, 0, 0), kCyrillic);
  EXPECT_EQ(WindowText(listView, 0, 1), kHan);
  EXPECT_EQ(WindowText(listView, 0, 2), L"12");
  // A text request for a sub-item the item does not have gives an empty text.
  EXPECT_EQ(WindowText(listView, 0, 3), L"");
  EXPECT_EQ(ColumnText(listView, 1), L"\x0422\x0438\x043F");

  // Sub-items changed through the library's 8-bit list: the wide ones follow.
  item->GetAnsiSubItems()->Put(1, "13");
  EXPECT_EQ(item->GetSubItems()->Get(1), L"13");
  EXPECT_EQ(item->GetSubItems()->Get(0), kHan);
  item->GetAnsiSubItems()->Add("extra");
  ASSERT_EQ(item->GetSubItems()->GetCount(), 3);
  EXPECT_EQ(item->GetSubItems()->Get(2), L"extra");
  EXPECT_EQ(WindowText(listView, 0, 3), L"extra");
  // Caption changed through the library: the widened 8-bit caption counts.
  item->TListItem::SetCaption("plain");
  EXPECT_EQ(item->GetCaption(), L"plain");
  EXPECT_EQ(WindowText(listView, 0, 0), L"plain");
}

TEST(WideListView, RecreationKeepsWideTexts) {
  wintest::ShownForm form(400, 240);
  TUCodeListView* listView = MakeListView(form.Get());
  for (int i = 0; i < 3; ++i) {
    TUCodeListItem* item = listView->GetItems()->Add();
    item->SetCaption(kCyrillic + std::to_wstring(i));
    item->GetSubItems()->Add(kHan + std::to_wstring(i));
  }
  HWND first = listView->GetHandle();
  listView->SetViewStyle(vsList);
  listView->SetViewStyle(vsReport);
  listView->RecreateWnd();
  EXPECT_NE(listView->GetHandle(), first);
  EXPECT_TRUE(IsWindowUnicode(listView->GetHandle()));
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(WindowText(listView, i, 0), kCyrillic + std::to_wstring(i));
    EXPECT_EQ(WindowText(listView, i, 1), kHan + std::to_wstring(i));
    EXPECT_EQ(listView->GetItems()->GetItem(i)->GetSubItems()->Get(0), kHan + std::to_wstring(i));
  }
  EXPECT_EQ(ColumnText(listView, 1), L"\x0422\x0438\x043F");
  EXPECT_EQ(listView->Column(1)->GetCaption(), L"\x0422\x0438\x043F");
}

TEST(WideListView, SortsByTheWideCaptions) {
  wintest::ShownForm form(400, 240);
  TUCodeListView* listView = MakeListView(form.Get());
  // In the 8-bit code page the first would be "?aj", which sorts before "Ahoj".
  for (const wchar_t* caption : {L"\x010C" L"aj", L"Zebra", L"Ahoj"}) listView->GetItems()->Add()->SetCaption(caption);
  listView->HandleNeeded();
  listView->AlphaSort();
  std::vector<std::wstring> order;
  for (int i = 0; i < 3; ++i) order.push_back(listView->GetItems()->GetItem(i)->GetCaption());
  EXPECT_EQ(order, (std::vector<std::wstring>{L"Ahoj", L"\x010C" L"aj", L"Zebra"}));
  EXPECT_EQ(WindowText(listView, 1, 0), L"\x010C" L"aj");
}

TEST(WideListView, SelectionCopiesAndEditsAreWide) {
  wintest::ShownForm form(400, 240);
  TUCodeListView* listView = MakeListView(form.Get());
  listView->GetItems()->Add()->SetCaption(kCyrillic);
  listView->AddItemW(kHan, nullptr);
  listView->SetSelected(listView->GetItems()->GetItem(1));
  EXPECT_EQ(listView->GetSelected()->GetCaption(), kHan);
  auto* other = MakeListView(form.Get());
  listView->CopySelection(other);
  ASSERT_EQ(other->GetItems()->GetCount(), 1);
  EXPECT_EQ(other->GetItems()->GetItem(0)->GetCaption(), kHan);

  // The end of an in-place edit hands the wide text over.
  std::wstring edited = L"\x0416" + kHan;
  NMLVDISPINFOW info{};
  info.hdr.hwndFrom = listView->GetHandle();
  info.hdr.code = LVN_ENDLABELEDITW;
  info.item.iItem = 0;
  info.item.pszText = edited.data();
  listView->Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(listView->GetItems()->GetItem(0)->GetCaption(), edited);
  EXPECT_EQ(WindowText(listView, 0, 0), edited);
}

TEST(WideListView, AssignCopiesTheWideTexts) {
  TComponent owner(nullptr);
  auto* listView = new TUCodeListView(&owner);
  TUCodeListItem* source = listView->GetItems()->Add();
  source->SetCaption(kCyrillic);
  source->GetSubItems()->Add(kHan);
  TUCodeListItem* copy = listView->GetItems()->Add();
  copy->Assign(source);
  EXPECT_EQ(copy->GetCaption(), kCyrillic);
  ASSERT_EQ(copy->GetSubItems()->GetCount(), 1);
  EXPECT_EQ(copy->GetSubItems()->Get(0), kHan);
  EXPECT_EQ(copy->GetAnsiSubItems()->GetCount(), 1);
  TUCodeListColumn* column = listView->GetColumns()->Add();
  column->SetCaption(kHan);
  TUCodeListColumn* columnCopy = listView->GetColumns()->Add();
  columnCopy->Assign(column);
  EXPECT_EQ(columnCopy->GetCaption(), kHan);
}

// The keys a list view's key events see; OnKeyDown takes the key named `take`.
class TKeyLog : public TObject {
 public:
  void KeyDown(TObject*, WORD& key, TShiftState) {
    Downs.push_back(key);
    if (key == Take) key = 0;
  }
  void KeyUp(TObject*, WORD& key, TShiftState) { Ups.push_back(key); }
  void KeyPress(TObject*, char& key) { Presses.push_back(key); }
  // The end of the editing hands over the wide text, which gets a mark here.
  void EditedW(TObject*, TListItem*, std::wstring& text) {
    Edited = text;
    text += L"\x2713";
  }
  std::vector<WORD> Downs, Ups;
  std::string Presses;
  WORD Take = 0;
  std::wstring Edited;
};

// Typing goes through the program's message loop, which the wide application object hooks so
// that characters above U+00FF arrive whole.
class WideListViewTyping : public ::testing::Test {
 protected:
  void SetUp() override { InitUCodeForms(); }
};

TEST_F(WideListViewTyping, TheListViewHearsTheEditorsKeysButNotThoseThatEditTheLabel) {
  wintest::ShownForm form(400, 240);
  TUCodeListView* listView = MakeListView(form.Get());
  TUCodeListItem* item = listView->GetItems()->Add();
  item->SetCaption(kCyrillic);
  TKeyLog keys;
  listView->OnKeyDown = TKeyEvent(&keys, &TKeyLog::KeyDown);
  listView->OnKeyUp = TKeyEvent(&keys, &TKeyLog::KeyUp);
  listView->OnKeyPress = TKeyPressEvent(&keys, &TKeyLog::KeyPress);
  listView->OnEditedW = TLVEditedWEvent(&keys, &TKeyLog::EditedW);
  SetForegroundWindow(form->GetHandle());
  ASSERT_TRUE(item->EditCaption());
  HWND editor = wintest::LabelEditor(listView);
  ASSERT_NE(editor, nullptr);
  ASSERT_EQ(GetFocus(), editor);

  // Привет: End, Backspace, Left, Delete leave "Прив"; Home and Ж typed make "ЖПрив".
  wintest::PressKeys({VK_END, VK_BACK, VK_LEFT, VK_DELETE, VK_HOME});
  wintest::TypeChars(L"\x0416");
  wintest::PressKeys({VK_RIGHT, VK_UP, VK_DOWN});
  EXPECT_EQ(wintest::WideWindowText(editor), L"\x0416\x041F\x0440\x0438\x0432");
  EXPECT_TRUE(keys.Downs.empty());
  EXPECT_TRUE(keys.Ups.empty());
  EXPECT_EQ(keys.Presses, "");

  // Escape, taken by the list view's key event, goes no further: the editing goes on.
  keys.Take = VK_ESCAPE;
  wintest::PressKeys({VK_ESCAPE});
  EXPECT_EQ(wintest::LabelEditor(listView), editor);
  EXPECT_EQ(keys.Downs, std::vector<WORD>{VK_ESCAPE});
  // Enter reaches the list view and then the editor, which ends the editing with the wide text.
  wintest::PressKeys({VK_RETURN});
  EXPECT_EQ(wintest::LabelEditor(listView), nullptr);
  EXPECT_EQ(keys.Downs, (std::vector<WORD>{VK_ESCAPE, VK_RETURN}));
  EXPECT_EQ(keys.Edited, L"\x0416\x041F\x0440\x0438\x0432");
  EXPECT_EQ(item->GetCaption(), L"\x0416\x041F\x0440\x0438\x0432\x2713");
  EXPECT_EQ(WindowText(listView, 0, 0), L"\x0416\x041F\x0440\x0438\x0432\x2713");
}

namespace {

// Puts a recording procedure under the layer's own on each label editor, before the layer
// hooks it, and keeps the messages that reach it. Wine's editor takes every procedure put on
// it off as its window goes; Windows' keeps them to the window's last message. The watch
// keeps them in place too, so that WM_NCDESTROY comes down through the layer's procedure.
class TEditorWatch : public TObject {
 public:
  void Editing(TObject* sender, TListItem*, bool&) {
    HWND editor = wintest::LabelEditor(static_cast<TWinControl*>(sender));
    if (!editor) return;
    s_below = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(editor, GWLP_WNDPROC));
    SetWindowLongPtrW(editor, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Record));
  }
  static std::vector<UINT>& Seen() {
    static std::vector<UINT> seen;
    return seen;
  }
  static bool Saw(UINT message) { return std::find(Seen().begin(), Seen().end(), message) != Seen().end(); }

 private:
  static LRESULT CALLBACK Record(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Seen().push_back(message);
    if (message != WM_DESTROY) return CallWindowProcW(s_below, wnd, message, wParam, lParam);
    const LONG_PTR top = GetWindowLongPtrW(wnd, GWLP_WNDPROC);
    LRESULT result = CallWindowProcW(s_below, wnd, message, wParam, lParam);
    const LONG_PTR left = GetWindowLongPtrW(wnd, GWLP_WNDPROC);
    if (left != top) {
      s_below = reinterpret_cast<WNDPROC>(left);
      SetWindowLongPtrW(wnd, GWLP_WNDPROC, top);
    }
    return result;
  }
  static inline WNDPROC s_below = nullptr;
};

}  // namespace

// Every message of a label editor reaches its own procedure, also those after WM_DESTROY
// (WM_NCDESTROY frees what the edit control holds); a second editing is hooked as the first.
TEST_F(WideListViewTyping, TheEditorsOwnProcedureGetsItsMessagesToTheLast) {
  wintest::ShownForm form(400, 240);
  TUCodeListView* listView = MakeListView(form.Get());
  TUCodeListItem* item = listView->GetItems()->Add();
  item->SetCaption(kCyrillic);
  TEditorWatch watch;
  listView->OnEditing = TLVEditingEvent(&watch, &TEditorWatch::Editing);
  SetForegroundWindow(form->GetHandle());
  for (const wchar_t* typed : {L"\x0416", L"\x4E2D"}) {
    TEditorWatch::Seen().clear();
    ASSERT_TRUE(item->EditCaption());
    HWND editor = wintest::LabelEditor(listView);
    ASSERT_NE(editor, nullptr);
    wintest::PressKeys({VK_END});
    wintest::TypeChars(typed);
    wintest::PressKeys({VK_RETURN});
    EXPECT_FALSE(IsWindow(editor));
    EXPECT_TRUE(TEditorWatch::Saw(WM_CHAR));
    EXPECT_TRUE(TEditorWatch::Saw(WM_DESTROY));
    EXPECT_TRUE(TEditorWatch::Saw(WM_NCDESTROY));
  }
  EXPECT_EQ(item->GetCaption(), kCyrillic + L"\x0416\x4E2D");
}

// Records the width that each tracking notification of a list view's header carries when it
// reaches the list view's parent.
class TTrackWatch : public TObject {
 public:
  TTrackWatch(TControl* parent, HWND header) : FParent(parent), FHeader(header), FPrevious(parent->GetWindowProc()) {
    parent->SetWindowProc(TWndMethod(this, &TTrackWatch::Hook));
  }
  ~TTrackWatch() override { FParent->SetWindowProc(FPrevious); }
  std::vector<int> Widths;

 private:
  void Hook(TMessage& message) {
    auto* notify = reinterpret_cast<NMHEADERW*>(message.LParam);
    if (message.Msg == WM_NOTIFY && notify->hdr.hwndFrom == FHeader &&
        (notify->hdr.code == HDN_TRACKW || notify->hdr.code == HDN_TRACKA) && notify->pitem)
      Widths.push_back(notify->pitem->cxy);
    FPrevious(message);
  }
  TControl* FParent;
  HWND FHeader;
  TWndMethod FPrevious;
};

TEST(WideListView, AColumnDraggedIsTrackedWithinItsLimits) {
  wintest::ShownForm form(400, 240);
  TUCodeListView* listView = MakeListView(form.Get());
  listView->Column(0)->SetMaxWidth(150);
  auto header = reinterpret_cast<HWND>(SendMessageW(listView->GetHandle(), LVM_GETHEADER, 0, 0));
  ASSERT_NE(header, nullptr);
  // Where windows are not dragged whole the header draws a tracking line and tells its width.
  SetWindowLongW(header, GWL_STYLE, GetWindowLongW(header, GWL_STYLE) & ~HDS_FULLDRAG);
  TTrackWatch watch(form.Get(), header);
  // The divider after the first column (100 wide), dragged 150 further to the right.
  SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 5));
  SendMessageW(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(180, 5));
  SendMessageW(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(250, 5));
  SendMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM(250, 5));
  wintest::Pump();
  ASSERT_FALSE(watch.Widths.empty());
  EXPECT_EQ(watch.Widths.back(), 150);
  EXPECT_EQ(listView->Column(0)->GetWidth(), 150);
}

// An owner-data list: the items live here, the list view fetches and finds them.
class TOwnerItems : public TObject {
 public:
  void Data(TObject*, TListItem* item) {
    auto* wide = static_cast<TUCodeListItem*>(item);
    const std::wstring& name = Names[static_cast<size_t>(item->GetIndex())];
    wide->SetCaption(name);
    wide->GetSubItems()->Add(std::to_wstring(name.size()));
  }
  // The first item that begins with the text, in any case.
  void FindW(TObject*, TItemFind, const std::wstring& text, const POINT&, void*, int, TSearchDirection, bool,
             int& index) {
    Searched.push_back(text);
    for (size_t i = 0; i < Names.size() && index < 0; ++i)
      if (CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, Names[i].substr(0, text.size()).c_str(), -1,
                         text.c_str(), -1) == CSTR_EQUAL)
        index = static_cast<int>(i);
  }
  void Find(TObject*, TItemFind, const std::string& text, const POINT&, void*, int, TSearchDirection, bool, int&) {
    AnsiSearched.push_back(text);
  }
  std::vector<std::wstring> Names{L"Apfel", L"\x0411\x0435\x0440\x043B\x0438\x043D", L"\x0411\x043E\x0440",
                                  L"\x041C\x043E\x0441\x043A\x0432\x0430"};  // Берлин, Бор, Москва
  std::vector<std::wstring> Searched;
  std::vector<std::string> AnsiSearched;
};

TEST_F(WideListViewTyping, OwnerDataShowsTheWideTextsAndFindsAnItemTypedInCyrillic) {
  wintest::ShownForm form(400, 240);
  TUCodeListView* listView = MakeListView(form.Get());
  TOwnerItems items;
  listView->SetOwnerData(true);
  listView->OnData = TLVOwnerDataEvent(&items, &TOwnerItems::Data);
  listView->OnDataFindW = TLVOwnerDataFindWEvent(&items, &TOwnerItems::FindW);
  listView->GetItems()->SetCount(4);
  for (int i = 3; i >= 0; --i) {
    EXPECT_EQ(WindowText(listView, i, 0), items.Names[static_cast<size_t>(i)]);
    // Each fetch starts from an item without sub-items.
    EXPECT_EQ(WindowText(listView, i, 1), std::to_wstring(items.Names[static_cast<size_t>(i)].size()));
  }
  EXPECT_EQ(listView->GetItems()->GetItem(2)->GetCaption(), items.Names[2]);

  // Typed into the list: the search reaches the wide event whole, and the item found is selected.
  SetForegroundWindow(form->GetHandle());
  listView->SetFocus();
  wintest::Pump();
  wintest::TypeChars(L"\x0431\x043E");  // бо
  ASSERT_FALSE(items.Searched.empty());
  EXPECT_EQ(items.Searched.back(), L"\x0431\x043E");
  EXPECT_EQ(listView->GetItemIndex(), 2);

  // Without the wide event the library's gets the 8-bit form.
  listView->OnDataFindW = TLVOwnerDataFindWEvent();
  listView->OnDataFind = TLVOwnerDataFindEvent(&items, &TOwnerItems::Find);
  wchar_t text[] = L"Apf";
  NMLVFINDITEMW find{};
  find.hdr.hwndFrom = listView->GetHandle();
  find.hdr.code = LVN_ODFINDITEMW;
  find.lvfi.flags = LVFI_PARTIAL;
  find.lvfi.psz = text;
  listView->Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&find));
  EXPECT_EQ(items.AnsiSearched, std::vector<std::string>{"Apf"});
}

class TNamedListItem : public TUCodeListItem {
  KX_CLASS(TNamedListItem, TUCodeListItem)
 public:
  explicit TNamedListItem(TListItems* owner) : TUCodeListItem(owner) {}
};

class TItemClassChoice : public TObject {
 public:
  void Choose(TCustomListView*, TClass& itemClass) { itemClass = Chosen; }
  TClass Chosen = nullptr;
};

TEST(WideListView, ItemsAreOfTheClassTheEventNames) {
  TComponent owner(nullptr);
  auto* listView = new TUCodeListView(&owner);
  EXPECT_TRUE(Is<TUCodeListItem>(listView->GetItems()->Add()));
  RegisterListItemClass<TNamedListItem>();
  TItemClassChoice choice;
  listView->OnCreateItemClass = TLVCreateItemClassEvent(&choice, &TItemClassChoice::Choose);
  choice.Chosen = TNamedListItem::StaticClass();
  EXPECT_TRUE(Is<TNamedListItem>(listView->GetItems()->Add()));
  choice.Chosen = TListItem::StaticClass();
  try {
    listView->GetItems()->Add();
    ADD_FAILURE() << "an item class outside the wide items was taken";
  } catch (const EUCodeInternalError& error) {
    EXPECT_STREQ(error.what(), "Internal Error: OnCreateItemClass.ItemClass must inherit from TUCodeListItem.");
  }
  EXPECT_EQ(listView->GetItems()->GetCount(), 2);
}

TEST(WideListView, ANewWindowHasAColumnInsertedAndRemovedBeforeItsOwn) {
  wintest::ShownForm form(400, 240);
  auto* listView = new TUCodeListView(form.Get());
  listView->SetBounds(10, 10, 360, 200);
  listView->SetViewStyle(vsReport);
  listView->GetColumns()->Add()->SetCaption(kHan);
  wintest::MessageRecorder recorder(listView);
  listView->SetParent(form.Get());
  listView->HandleNeeded();
  std::vector<std::pair<UINT, WPARAM>> columns;
  for (const TMessage& message : recorder.messages)
    if (message.Msg == LVM_INSERTCOLUMNA || message.Msg == LVM_DELETECOLUMN) columns.emplace_back(message.Msg, message.WParam);
  EXPECT_EQ(columns, (std::vector<std::pair<UINT, WPARAM>>{{LVM_INSERTCOLUMNA, 0}, {LVM_DELETECOLUMN, 0}, {LVM_INSERTCOLUMNA, 0}}));
  auto header = reinterpret_cast<HWND>(SendMessageW(listView->GetHandle(), LVM_GETHEADER, 0, 0));
  EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 1);
  EXPECT_EQ(ColumnText(listView, 0), kHan);
}

}  // namespace
