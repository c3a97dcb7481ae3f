// List views: items and columns held without a window and shown in a real one, the message
// sequences the window sees, sorting, editing in place, notifications, re-creation, owner data
// and image lists.
#include <gtest/gtest.h>

#include "ProtocolRecorder.h"
#include "WindowsTestSupport.h"
#include "classlib/ComCtrls.h"

#include <shellapi.h>

// The library's own 8-bit controls.
using ComCtrls::TListView;

using wintest::ProtocolRecorder;
using wintest::Pump;
using wintest::SentMessage;
using wintest::ShownForm;

namespace {

class Events : public TObject {
 public:
  std::vector<std::string> log;
  int sortColumn = 0;
  bool failCompare = false;
  bool allowEdit = true;

  // Column 0 by caption, column c by sub-item c - 1, as the file lists do.
  void Compare(TObject*, TListItem* a, TListItem* b, int, int& result) {
    if (failCompare) throw EConvertError("'x' is not a valid floating point value");
    auto text = [&](TListItem* item) {
      return sortColumn == 0 ? item->GetCaption() : item->GetSubItems()->Get(sortColumn - 1);
    };
    result = CompareText(text(a), text(b));
  }
  void ColumnClick(TObject* sender, TListColumn* column) {
    log.push_back("column " + std::to_string(column->GetIndex()));
    sortColumn = column->GetIndex();
    static_cast<TCustomListView*>(sender)->AlphaSort();
  }
  void Editing(TObject*, TListItem* item, bool& allow) {
    log.push_back("editing " + item->GetCaption());
    allow = allowEdit;
  }
  void Edited(TObject*, TListItem*, std::string& text) { text += "!"; }
  void DblClick(TObject*) { log.push_back("dblclick"); }
  void KeyDown(TObject*, WORD& key, TShiftState) { log.push_back("key " + std::to_string(key)); }
  void Data(TObject*, TListItem* item) { item->SetCaption("Row " + std::to_string(item->GetIndex())); }
  void DataFind(TObject*, TItemFind find, const std::string& text, const POINT&, void*, int, TSearchDirection, bool,
                int& index) {
    if (find == ifExactString && text.rfind("Row ", 0) == 0) index = std::stoi(text.substr(4));
  }
};

TListView* PlaceListView(TForm* form) {
  auto* listView = new TListView(form);
  listView->SetBounds(10, 10, 360, 200);
  listView->SetViewStyle(vsReport);
  listView->SetParent(form);
  return listView;
}

void AddColumns(TCustomListView* listView, std::initializer_list<const char*> captions) {
  for (const char* caption : captions) {
    TListColumn* column = listView->GetColumns()->Add();
    column->SetCaption(caption);
    column->SetWidth(80);
  }
}

TListItem* AddRow(TCustomListView* listView, const std::string& caption, std::initializer_list<const char*> subItems) {
  TListItem* item = listView->GetItems()->Add();
  item->SetCaption(caption);
  for (const char* text : subItems) item->GetSubItems()->Add(text);
  return item;
}

// What the window shows: asks the window, which asks the list view through LVN_GETDISPINFOA.
std::string WindowText(TCustomListView* listView, int index, int subItem, int capacity = 260) {
  std::string buffer(static_cast<size_t>(capacity), '\0');
  LVITEMA item{};
  item.iSubItem = subItem;
  item.pszText = buffer.data();
  item.cchTextMax = capacity;
  SendMessageA(listView->GetHandle(), LVM_GETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
  return buffer.c_str();
}

std::vector<std::string> WindowCaptions(TCustomListView* listView) {
  std::vector<std::string> captions;
  int count = static_cast<int>(SendMessageA(listView->GetHandle(), LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) captions.push_back(WindowText(listView, i, 0));
  return captions;
}

std::vector<std::string> ItemCaptions(TCustomListView* listView) {
  std::vector<std::string> captions;
  for (int i = 0; i < listView->GetItems()->GetCount(); ++i) captions.push_back(listView->GetItems()->GetItem(i)->GetCaption());
  return captions;
}

int HeaderCount(TCustomListView* listView) {
  auto header = reinterpret_cast<HWND>(SendMessageA(listView->GetHandle(), LVM_GETHEADER, 0, 0));
  return static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
}

using Strings = std::vector<std::string>;

int CALLBACK Descending(LPARAM a, LPARAM b, LPARAM) {
  return -lstrcmpA(reinterpret_cast<TListItem*>(a)->GetCaption().c_str(),
                   reinterpret_cast<TListItem*>(b)->GetCaption().c_str());
}

}  // namespace

// ---- state without a window -----------------------------------------------------------------
TEST(ListViewState, ItemsColumnsSelectionAndSortLiveInTheObjectUntilTheWindowExists) {
  TListView listView(nullptr);
  listView.SetViewStyle(vsReport);
  listView.SetMultiSelect(true);
  AddColumns(&listView, {"Bezeichnung", "Link"});
  AddRow(&listView, "beta", {"b.htm"});
  AddRow(&listView, "Alpha", {"a.htm"})->SetSelected(true);
  AddRow(&listView, "gamma", {"g.htm"})->SetSelected(true);
  EXPECT_FALSE(listView.HandleAllocated());
  EXPECT_EQ(listView.GetSelCount(), 2);
  EXPECT_EQ(listView.GetSelected()->GetCaption(), "Alpha");
  Events events;
  listView.OnCompare = TLVCompareEvent(&events, &Events::Compare);
  listView.SetSortType(stText);  // sorts at once
  EXPECT_EQ(ItemCaptions(&listView), (Strings{"Alpha", "beta", "gamma"}));
  listView.GetItems()->GetItem(0)->SetCaption("zeta");  // a caption change sorts again
  EXPECT_EQ(ItemCaptions(&listView), (Strings{"beta", "gamma", "zeta"}));
  listView.GetItems()->BeginUpdate();  // inside an update, once at its end
  listView.GetItems()->GetItem(0)->SetCaption("omega");
  EXPECT_EQ(listView.GetItems()->GetItem(0)->GetCaption(), "omega");
  listView.GetItems()->EndUpdate();
  EXPECT_EQ(ItemCaptions(&listView), (Strings{"gamma", "omega", "zeta"}));
  listView.SelectAll();
  EXPECT_EQ(listView.GetSelCount(), 3);
  listView.DeleteSelected();
  EXPECT_EQ(listView.GetItems()->GetCount(), 0);
}

TEST(ListViewState, TheWindowShowsWhatTheObjectHeldAndAnswersTextRequestsFromTheItems) {
  ShownForm form(400, 240);
  auto* listView = new TListView(form.Get());
  listView->SetViewStyle(vsReport);
  listView->SetMultiSelect(true);
  listView->SetCheckboxes(true);
  AddColumns(listView, {"Bezeichnung", "Link", "Typ"});
  AddRow(listView, "Haus", {"haus.htm", "HTM"});
  TListItem* second = AddRow(listView, "Garten mit einem langen Namen", {"garten.txt"});
  second->SetSelected(true);
  second->SetChecked(true);
  listView->SetBounds(10, 10, 360, 200);
  listView->SetParent(form.Get());
  ASSERT_TRUE(listView->HandleAllocated());
  EXPECT_EQ(HeaderCount(listView), 3);
  EXPECT_EQ(WindowCaptions(listView), (Strings{"Haus", "Garten mit einem langen Namen"}));
  EXPECT_EQ(WindowText(listView, 0, 2), "HTM");
  EXPECT_EQ(WindowText(listView, 1, 3), "");        // beyond its sub-items: empty
  EXPECT_EQ(WindowText(listView, 1, 0, 7), "Garten");  // cut to the buffer, terminated
  EXPECT_EQ(SendMessageA(listView->GetHandle(), LVM_GETSELECTEDCOUNT, 0, 0), 1);
  EXPECT_TRUE(second->GetChecked());
  EXPECT_FALSE(listView->GetItems()->GetItem(0)->GetChecked());
  // A change through the object reaches the window, and one made in the window the object.
  listView->GetItems()->GetItem(0)->GetSubItems()->Put(1, "HTML");
  EXPECT_EQ(WindowText(listView, 0, 2), "HTML");
  ListView_SetItemState(listView->GetHandle(), 0, LVIS_SELECTED, LVIS_SELECTED);
  EXPECT_EQ(listView->GetSelCount(), 2);
  EXPECT_TRUE(listView->GetItems()->GetItem(0)->GetSelected());
}

// ---- the message sequences ------------------------------------------------------------------
TEST(ListViewProtocol, CaptionAndSubItemChangesSendSetItemTextWithTheCallbackAndUpdatesEndWithUpdate) {
  ShownForm form(400, 240);
  TListView* listView = PlaceListView(form.Get());
  AddColumns(listView, {"A", "B", "C"});
  AddRow(listView, "first", {});
  TListItem* item = AddRow(listView, "second", {});
  ProtocolRecorder recorder(listView);
  item->SetCaption("renamed");
  item->GetSubItems()->Add("one");
  item->GetSubItems()->Add("two");
  item->GetSubItems()->Put(0, "uno");
  std::vector<SentMessage> texts = recorder.Of(LVM_SETITEMTEXTA);
  ASSERT_EQ(texts.size(), 4u);
  for (const SentMessage& sent : texts) {
    EXPECT_EQ(sent.WParam, 1u);
    EXPECT_TRUE(sent.CallbackText);
  }
  EXPECT_EQ(texts[0].SubItem, 0);
  EXPECT_EQ(texts[1].SubItem, 1);
  EXPECT_EQ(texts[2].SubItem, 2);
  EXPECT_EQ(texts[3].SubItem, 1);
  EXPECT_EQ(WindowText(listView, 1, 1), "uno");
  recorder.Clear();
  item->GetSubItems()->BeginUpdate();
  item->GetSubItems()->Clear();
  item->GetSubItems()->Add("x");
  EXPECT_TRUE(recorder.All().empty());
  item->GetSubItems()->EndUpdate();
  ASSERT_EQ(recorder.Of(LVM_UPDATE).size(), 1u);
  EXPECT_EQ(recorder.Of(LVM_UPDATE)[0].WParam, 1u);
  EXPECT_EQ(WindowText(listView, 1, 2), "");
}

TEST(ListViewProtocol, ColumnsEnterWithInsertColumnAndGetTheirTextOnlyThroughSetColumn) {
  ShownForm form(400, 240);
  TListView* listView = PlaceListView(form.Get());
  ProtocolRecorder recorder(listView);
  AddColumns(listView, {"Bezeichnung", "Link"});
  std::vector<SentMessage> inserts = recorder.Of(LVM_INSERTCOLUMNA);
  ASSERT_EQ(inserts.size(), 2u);
  for (const SentMessage& sent : inserts) EXPECT_EQ(sent.Mask & LVCF_TEXT, 0u);
  // Each insert is followed by the column's text.
  const auto& all = recorder.All();
  auto first = std::find_if(all.begin(), all.end(), [](const SentMessage& m) { return m.Msg == LVM_INSERTCOLUMNA; });
  ASSERT_NE(first + 1, all.end());
  EXPECT_EQ((first + 1)->Msg, static_cast<UINT>(LVM_SETCOLUMNA));
  EXPECT_TRUE((first + 1)->Mask & LVCF_TEXT);
  recorder.Clear();
  listView->Column(1)->SetCaption("Verweis");
  ASSERT_EQ(recorder.Of(LVM_SETCOLUMNA).size(), 1u);
  EXPECT_EQ(recorder.Of(LVM_SETCOLUMNA)[0].Text, "Verweis");
  EXPECT_EQ(recorder.Of(LVM_SETCOLUMNA)[0].WParam, 1u);
  char text[32] = {};
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT;
  column.pszText = text;
  column.cchTextMax = sizeof(text);
  SendMessageA(listView->GetHandle(), LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
  EXPECT_STREQ(text, "Verweis");
  listView->GetColumns()->Delete(0);
  EXPECT_EQ(recorder.Of(LVM_DELETECOLUMN).size(), 1u);
  EXPECT_EQ(HeaderCount(listView), 1);
}

TEST(ListViewProtocol, ExtendedStylesGoThroughTheirMessage) {
  ShownForm form(400, 240);
  TListView* listView = PlaceListView(form.Get());
  ProtocolRecorder recorder(listView);
  listView->SetRowSelect(true);
  listView->SetCheckboxes(true);
  EXPECT_EQ(recorder.Of(LVM_SETEXTENDEDLISTVIEWSTYLE).size(), 2u);
  DWORD style = static_cast<DWORD>(SendMessageA(listView->GetHandle(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
  EXPECT_TRUE(style & LVS_EX_FULLROWSELECT);
  EXPECT_TRUE(style & LVS_EX_CHECKBOXES);
}

// ---- sorting --------------------------------------------------------------------------------
TEST(ListViewSort, AlphaSortSendsTheDefaultRoutineAndCustomSortPassesItsOwnUnchanged) {
  ShownForm form(400, 240);
  TListView* listView = PlaceListView(form.Get());
  AddColumns(listView, {"Bezeichnung", "Größe"});
  AddRow(listView, "b", {"2"});
  AddRow(listView, "c", {"1"});
  AddRow(listView, "a", {"3"});
  ProtocolRecorder recorder(listView);
  listView->AlphaSort();  // no OnCompare: by caption
  ASSERT_EQ(recorder.Of(LVM_SORTITEMS).size(), 1u);
  EXPECT_EQ(recorder.Of(LVM_SORTITEMS)[0].Param, reinterpret_cast<LPARAM>(&DefaultListViewSort));
  EXPECT_EQ(WindowCaptions(listView), (Strings{"a", "b", "c"}));
  EXPECT_EQ(ItemCaptions(listView), (Strings{"a", "b", "c"}));
  // A routine of one's own: descending by caption.
  TLVCompare descending = &Descending;
  recorder.Clear();
  listView->CustomSort(descending, 7);
  ASSERT_EQ(recorder.Of(LVM_SORTITEMS).size(), 1u);
  EXPECT_EQ(recorder.Of(LVM_SORTITEMS)[0].Param, reinterpret_cast<LPARAM>(descending));
  EXPECT_EQ(recorder.Of(LVM_SORTITEMS)[0].WParam, 7u);
  EXPECT_EQ(ItemCaptions(listView), (Strings{"c", "b", "a"}));
  EXPECT_EQ(listView->GetItems()->GetItem(0)->GetIndex(), 0);
}

TEST(ListViewSort, AColumnClickArrivesAsANotificationAndSortsThroughOnCompare) {
  ShownForm form(400, 240);
  TListView* listView = PlaceListView(form.Get());
  AddColumns(listView, {"Bezeichnung", "Link"});
  AddRow(listView, "one", {"z.htm"});
  AddRow(listView, "two", {"a.htm"});
  Events events;
  listView->OnCompare = TLVCompareEvent(&events, &Events::Compare);
  listView->OnColumnClick = TLVColumnClickEvent(&events, &Events::ColumnClick);
  UpdateWindow(listView->GetHandle());
  auto header = reinterpret_cast<HWND>(SendMessageA(listView->GetHandle(), LVM_GETHEADER, 0, 0));
  RECT rect{};
  SendMessageA(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&rect));
  LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(header, WM_LBUTTONUP, 0, at);
  Pump();
  EXPECT_EQ(events.log, Strings{"column 1"});
  EXPECT_EQ(WindowCaptions(listView), (Strings{"two", "one"}));
}

TEST(ListViewSort, AnErrorOfOnCompareEndsTheSortAndIsRaisedByIt) {
  ShownForm form(400, 240);
  TListView* listView = PlaceListView(form.Get());
  AddRow(listView, "b", {});
  AddRow(listView, "a", {});
  Events events;
  events.failCompare = true;
  listView->OnCompare = TLVCompareEvent(&events, &Events::Compare);
  EXPECT_THROW(listView->AlphaSort(), EConvertError);
  events.failCompare = false;
  listView->AlphaSort();
  EXPECT_EQ(WindowCaptions(listView), (Strings{"a", "b"}));
}

// ---- editing, clicks and keys ---------------------------------------------------------------
TEST(ListViewEditing, AnInPlaceEditAsksOnEditingAndHandsTheTextToOnEditedThenSorts) {
  ShownForm form(400, 240);
  TListView* listView = PlaceListView(form.Get());
  listView->SetSortType(stText);
  AddColumns(listView, {"Bezeichnung"});
  AddRow(listView, "apple", {});
  TListItem* item = AddRow(listView, "cherry", {});
  Events events;
  listView->OnEditing = TLVEditingEvent(&events, &Events::Editing);
  listView->OnEdited = TLVEditedEvent(&events, &Events::Edited);
  ASSERT_TRUE(item->EditCaption());
  auto edit = reinterpret_cast<HWND>(SendMessageA(listView->GetHandle(), LVM_GETEDITCONTROL, 0, 0));
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(listView->IsEditing());
  SetWindowTextA(edit, "Aal");
  SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
  Pump();
  EXPECT_FALSE(listView->IsEditing());
  EXPECT_EQ(item->GetCaption(), "Aal!");
  EXPECT_EQ(WindowCaptions(listView), (Strings{"Aal!", "apple"}));  // sorted after the edit
  events.allowEdit = false;
  item->EditCaption();
  Pump();
  EXPECT_FALSE(listView->IsEditing());
  EXPECT_EQ(events.log, (Strings{"editing cherry", "editing Aal!"}));
  listView->SetReadOnly(true);
  EXPECT_FALSE(item->EditCaption());
}

TEST(ListViewEvents, DoubleClicksAndKeysReachTheirEvents) {
  ShownForm form(400, 240);
  TListView* listView = PlaceListView(form.Get());
  AddColumns(listView, {"Bezeichnung"});
  AddRow(listView, "row", {});
  Events events;
  listView->OnDblClick = TNotifyEvent(&events, &Events::DblClick);
  listView->OnKeyDown = TKeyEvent(&events, &Events::KeyDown);
  listView->SetFocus();
  RECT rect{};
  rect.left = LVIR_LABEL;
  SendMessageA(listView->GetHandle(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rect));
  LPARAM at = MAKELPARAM(rect.left + 5, (rect.top + rect.bottom) / 2);
  SendMessageA(listView->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(listView->GetHandle(), WM_LBUTTONUP, 0, at);
  SendMessageA(listView->GetHandle(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  SendMessageA(listView->GetHandle(), WM_LBUTTONUP, 0, at);
  PostMessageA(listView->GetHandle(), WM_KEYDOWN, VK_DELETE, 0x00530001);
  Pump();
  EXPECT_EQ(std::count(events.log.begin(), events.log.end(), "dblclick"), 1);
  EXPECT_EQ(std::count(events.log.begin(), events.log.end(), "key 46"), 1);
  // A replaced window procedure and an all-zero message change nothing.
  listView->Perform(0, 0, 0);
  EXPECT_EQ(listView->GetSelected(), listView->GetItems()->GetItem(0));
}

// ---- re-creation ----------------------------------------------------------------------------
TEST(ListViewRecreation, ANewWindowGetsTheItemsBackCaptionFirstThenEachSubItem) {
  ShownForm form(400, 240);
  TListView* listView = PlaceListView(form.Get());
  listView->SetMultiSelect(true);
  listView->SetCheckboxes(true);
  AddColumns(listView, {"A", "B", "C"});
  AddRow(listView, "one", {"1a", "1b"});
  TListItem* second = AddRow(listView, "two", {"2a"});
  int data = 42;
  second->SetData(&data);
  second->SetSelected(true);
  second->SetChecked(true);
  HWND before = listView->GetHandle();
  ProtocolRecorder recorder(listView);
  listView->SetReadOnly(true);  // a style of the window: made again
  ASSERT_NE(listView->GetHandle(), before);
  std::vector<SentMessage> texts = recorder.Of(LVM_SETITEMTEXTA);
  std::vector<std::pair<WPARAM, int>> order;
  for (const SentMessage& sent : texts) order.emplace_back(sent.WParam, sent.SubItem);
  EXPECT_EQ(order, (std::vector<std::pair<WPARAM, int>>{{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}}));
  EXPECT_EQ(WindowCaptions(listView), (Strings{"one", "two"}));
  EXPECT_EQ(WindowText(listView, 0, 2), "1b");
  EXPECT_EQ(HeaderCount(listView), 3);
  EXPECT_EQ(listView->GetSelected(), second);
  EXPECT_TRUE(second->GetChecked());
  EXPECT_EQ(second->GetData(), &data);
}

// ---- owner data -----------------------------------------------------------------------------
TEST(ListViewOwnerData, TheWindowAsksOnDataThroughTheTemporaryItemAndFindsThroughOnDataFind) {
  ShownForm form(400, 240);
  TListView* listView = PlaceListView(form.Get());
  Events events;
  listView->OnData = TLVOwnerDataEvent(&events, &Events::Data);
  listView->OnDataFind = TLVOwnerDataFindEvent(&events, &Events::DataFind);
  listView->SetOwnerData(true);
  AddColumns(listView, {"Zeile"});
  listView->GetItems()->SetCount(1000);
  EXPECT_EQ(SendMessageA(listView->GetHandle(), LVM_GETITEMCOUNT, 0, 0), 1000);
  EXPECT_EQ(WindowText(listView, 500, 0), "Row 500");
  EXPECT_EQ(listView->GetItems()->GetItem(7)->GetCaption(), "Row 7");
  EXPECT_EQ(listView->GetItems()->GetItem(7), listView->GetTempItem());
  EXPECT_THROW(listView->GetItems()->Add(), EInvalidOperation);
  LVFINDINFOA find{};
  find.flags = LVFI_STRING;
  find.psz = "Row 321";
  EXPECT_EQ(SendMessageA(listView->GetHandle(), LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)),
            321);
}

// ---- image lists ----------------------------------------------------------------------------
TEST(ImageLists, TheSystemsSmallIconListIsSharedWithTheListViewAndNeverFreed) {
  SHFILEINFOA info{};
  auto system = reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoA("", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  ASSERT_NE(system, nullptr);
  ShownForm form(400, 240);
  auto* images = new TImageList(form.Get());
  images->SetShareImages(true);
  images->SetHandle(system);
  EXPECT_EQ(images->GetWidth(), GetSystemMetrics(SM_CXSMICON));
  int before = ImageList_GetImageCount(system);
  TListView* listView = PlaceListView(form.Get());
  listView->SetSmallImages(images);
  EXPECT_EQ(SendMessageA(listView->GetHandle(), LVM_GETIMAGELIST, LVSIL_SMALL, 0), reinterpret_cast<LRESULT>(system));
  int added = images->AddIcon(LoadIconA(nullptr, MAKEINTRESOURCEA(32512)));  // IDI_APPLICATION
  EXPECT_EQ(added, before);
  EXPECT_EQ(images->GetCount(), before + 1);
  AddRow(listView, "file", {})->SetImageIndex(added);
  LVITEMA item{};
  item.mask = LVIF_IMAGE;
  SendMessageA(listView->GetHandle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(item.iImage, added);
  listView->Free();
  images->Free();
  EXPECT_EQ(ImageList_GetImageCount(system), before + 1);  // still alive
}

TEST(ImageLists, AListOfItsOwnIsMadeOnDemandAndAFreedListLeavesTheListView) {
  ShownForm form(400, 240);
  auto* images = new TImageList(form.Get());
  EXPECT_FALSE(images->HandleAllocated());
  TIcon icon;
  icon.SetHandle(CopyIcon(LoadIconA(nullptr, MAKEINTRESOURCEA(32512))));
  EXPECT_EQ(images->AddIcon(&icon), 0);
  EXPECT_EQ(images->AddIcon(&icon), 1);
  EXPECT_EQ(images->GetCount(), 2);
  TIcon empty;
  EXPECT_THROW(images->AddIcon(&empty), EInvalidOperation);
  TListView* listView = PlaceListView(form.Get());
  listView->SetSmallImages(images);
  images->Free();
  EXPECT_EQ(listView->GetSmallImages(), nullptr);
  EXPECT_EQ(SendMessageA(listView->GetHandle(), LVM_GETIMAGELIST, LVSIL_SMALL, 0), 0);
}

// ---- header ---------------------------------------------------------------------------------
TEST(ListViewHeader, DraggingADividerKeepsTheColumnWithinItsLimitsAndTheColumnLearnsTheWidth) {
  ShownForm form(400, 240);
  TListView* listView = PlaceListView(form.Get());
  AddColumns(listView, {"Bezeichnung", "Link"});
  listView->Column(0)->SetMinWidth(60);
  UpdateWindow(listView->GetHandle());
  auto header = reinterpret_cast<HWND>(SendMessageA(listView->GetHandle(), LVM_GETHEADER, 0, 0));
  ProtocolRecorder notes(listView);
  RECT rect{};
  SendMessageA(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rect));
  int y = (rect.top + rect.bottom) / 2;
  SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rect.right - 1, y));
  SendMessageA(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(rect.left + 10, y));
  SendMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(rect.left + 10, y));
  Pump();
  EXPECT_FALSE(notes.Of(WM_NOTIFY).empty());  // the header told the list view
  EXPECT_EQ(SendMessageA(listView->GetHandle(), LVM_GETCOLUMNWIDTH, 0, 0), 60);
  EXPECT_EQ(listView->Column(0)->GetWidth(), 60);
  listView->Column(1)->SetWidth(130);
  EXPECT_EQ(SendMessageA(listView->GetHandle(), LVM_GETCOLUMNWIDTH, 1, 0), 130);
}

// ---- owner drawing --------------------------------------------------------------------------
namespace {

class Painter : public TObject {
 public:
  Strings drawn;
  void DrawItem(TCustomListView* sender, TListItem* item, const RECT& rect, TOwnerDrawState state) {
    drawn.push_back(item->GetCaption() + ((state & odSelected) ? "*" : ""));
    sender->GetCanvas()->FillRect(rect);  // the canvas draws on the item's device context
  }
};

}  // namespace

TEST(ListViewOwnerDraw, EachShownItemIsDrawnThroughOnDrawItemOnTheCanvas) {
  ShownForm form(400, 240);
  TListView* listView = PlaceListView(form.Get());
  AddColumns(listView, {"Bezeichnung"});
  AddRow(listView, "first", {});
  AddRow(listView, "second", {})->SetSelected(true);
  Painter painter;
  listView->OnDrawItem = TLVDrawItemEvent(&painter, &Painter::DrawItem);
  listView->SetOwnerDraw(true);
  InvalidateRect(listView->GetHandle(), nullptr, TRUE);
  UpdateWindow(listView->GetHandle());
  Pump();
  EXPECT_NE(std::find(painter.drawn.begin(), painter.drawn.end(), "first"), painter.drawn.end());
  EXPECT_NE(std::find(painter.drawn.begin(), painter.drawn.end(), "second*"), painter.drawn.end());
}

// ---- another column class -------------------------------------------------------------------
namespace {

class TTaggedColumn : public TListColumn {
  KX_CLASS(TTaggedColumn, TListColumn)
 public:
  explicit TTaggedColumn(TCollection* collection) : TListColumn(collection) {}
  std::string tag = "tagged";
};

class TColumnReplacingListView : public TListView {
 public:
  explicit TColumnReplacingListView(TComponent* owner) : TListView(owner) {}
  using TCustomListView::ReplaceColumns;
};

}  // namespace

TEST(ListViewColumns, AnotherColumnCollectionTakesOverTheColumnsAndTheirWindowPlaces) {
  ShownForm form(400, 240);
  auto* listView = new TColumnReplacingListView(form.Get());
  listView->SetViewStyle(vsReport);
  listView->SetParent(form.Get());
  AddColumns(listView, {"Bezeichnung", "Link"});
  listView->Column(1)->SetWidth(123);
  listView->ReplaceColumns(new TListColumns(listView, &NewCollectionItem<TTaggedColumn>));
  ASSERT_EQ(listView->GetColumns()->GetCount(), 2);
  EXPECT_TRUE(Is<TTaggedColumn>(listView->Column(0)));
  EXPECT_EQ(listView->Column(1)->GetCaption(), "Link");
  EXPECT_EQ(HeaderCount(listView), 2);
  EXPECT_EQ(SendMessageA(listView->GetHandle(), LVM_GETCOLUMNWIDTH, 1, 0), 123);
  listView->GetColumns()->Add()->SetCaption("Typ");
  EXPECT_EQ(HeaderCount(listView), 3);
  EXPECT_TRUE(Is<TTaggedColumn>(listView->Column(2)));
}

// ---- item classes ---------------------------------------------------------------------------
namespace {

class TNoteItem : public TListItem {
  KX_CLASS(TNoteItem, TListItem)
 public:
  explicit TNoteItem(TListItems* owner) : TListItem(owner) {}
};

class TNoteItemChild : public TNoteItem {
  KX_CLASS(TNoteItemChild, TNoteItem)
 public:
  explicit TNoteItemChild(TListItems* owner) : TNoteItem(owner) {}
};

class TNoteListView : public TListView {
 public:
  explicit TNoteListView(TComponent* owner) : TListView(owner) {}
  TListItem* CreateListItem() override { return CreateListItemOfClass(TNoteItem::StaticClass(), GetItems()); }
};

}  // namespace

TEST(ListViewItemClasses, ItemsAreMadeByClassThroughTheNearestRegisteredOne) {
  RegisterListItemClass<TNoteItem>();
  TNoteListView listView(nullptr);
  TListItem* item = listView.GetItems()->Add();
  EXPECT_TRUE(Is<TNoteItem>(item));
  EXPECT_EQ(item->GetListView(), &listView);
  TListItem* nearest = CreateListItemOfClass(TNoteItemChild::StaticClass(), listView.GetItems());
  EXPECT_EQ(nearest->ClassType(), TNoteItem::StaticClass());  // the child class is not registered
  listView.GetItems()->AddItem(nearest, 0);
  nearest->SetCaption("copy");
  nearest->GetSubItems()->Add("sub");
  item->Assign(nearest);
  EXPECT_EQ(item->GetCaption(), "copy");
  EXPECT_EQ(item->GetSubItems()->Get(0), "sub");
  EXPECT_EQ(listView.GetItems()->IndexOf(nearest), 0);
}

TEST(ListViewSort, WithAWindowTheAutomaticSortWaitsUntilTheRowIsCompleteAndRunsOnceForManyChanges) {
  ShownForm form(400, 240);
  TListView* listView = PlaceListView(form.Get());
  AddColumns(listView, {"Bezeichnung", "Link"});
  Events events;
  events.sortColumn = 1;  // by the first sub-item, which a new row gets after its caption
  listView->OnCompare = TLVCompareEvent(&events, &Events::Compare);
  listView->SetSortType(stText);
  ProtocolRecorder recorder(listView);
  AddRow(listView, "one", {"c.htm"});
  AddRow(listView, "two", {"a.htm"});
  AddRow(listView, "three", {"b.htm"});
  EXPECT_TRUE(recorder.Of(LVM_SORTITEMS).empty());
  Pump();
  EXPECT_EQ(recorder.Of(LVM_SORTITEMS).size(), 1u);
  EXPECT_EQ(WindowCaptions(listView), (Strings{"two", "three", "one"}));
  // Re-created while a sort waits: the new window is sorted.
  listView->GetItems()->GetItem(0)->GetSubItems()->Put(0, "z.htm");
  listView->GetItems()->GetItem(0)->SetCaption("two again");
  listView->SetReadOnly(true);
  EXPECT_EQ(WindowCaptions(listView), (Strings{"three", "one", "two again"}));
}

TEST(ListViewState, InsertsAndDeletesKeepTheWindowInTheItemsOrder) {
  ShownForm form(400, 240);
  TListView* listView = PlaceListView(form.Get());
  AddColumns(listView, {"Bezeichnung"});
  AddRow(listView, "b", {});
  listView->GetItems()->Insert(0)->SetCaption("a");
  listView->GetItems()->Insert(2)->SetCaption("d");
  listView->GetItems()->Insert(2)->SetCaption("c");
  EXPECT_EQ(WindowCaptions(listView), (Strings{"a", "b", "c", "d"}));
  listView->GetItems()->GetItem(1)->Delete();
  listView->GetItems()->Delete(2);
  EXPECT_EQ(WindowCaptions(listView), (Strings{"a", "c"}));
  EXPECT_EQ(listView->GetItems()->GetItem(1)->GetIndex(), 1);
  EXPECT_THROW(listView->GetItems()->GetItem(2), EListError);
  EXPECT_THROW(listView->GetItems()->Delete(-1), EListError);
  listView->GetItems()->Clear();
  EXPECT_EQ(SendMessageA(listView->GetHandle(), LVM_GETITEMCOUNT, 0, 0), 0);
  EXPECT_EQ(listView->GetSelected(), nullptr);
}

TEST(ListViewActions, AListViewLinksToItsActionThroughAListViewLink) {
  TListView listView(nullptr);
  TAction action(nullptr);
  listView.SetAction(&action);
  ASSERT_NE(listView.GetActionLink(), nullptr);
  EXPECT_TRUE(Is<TListViewActionLink>(listView.GetActionLink()));
  EXPECT_EQ(listView.GetAction(), &action);
  listView.SetAction(nullptr);
  EXPECT_EQ(listView.GetActionLink(), nullptr);
}
