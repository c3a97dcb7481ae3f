// The wide list view in a real window: captions, sub-items, columns, text requests, sorting,
// recreation and in-place editing.
#include "ucode/UCodeComCtrls.h"

#include <gtest/gtest.h>

#include "WindowsTestSupport.h"
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

}  // namespace
