// Wide edits, memos, combo boxes and list boxes in real windows.
#include "ucode/UCodeStdCtrls.h"

#include <gtest/gtest.h>

#include "WindowsTestSupport.h"
#include "ucode/UCodeSystem.h"

namespace {

const std::wstring kPolish = L"\x0141\x00F3\x0064\x017A";  // Łódź
const wchar_t kSmallL = L'\x0142';                         // ł
const std::wstring kHan = L"\x4E2D\x6587";                 // 中文

template <class C>
C* Place(TWinControl* parent, int left, int top, int width, int height) {
  auto* control = new C(parent);
  control->SetBounds(left, top, width, height);
  control->SetParent(parent);
  return control;
}

// What the 8-bit key handlers and the change events of a control see.
class TKeyWatch : public TObject {
 public:
  void KeyPress(TObject*, char& key) { Keys.push_back(key); }
  void Change(TObject*) { ++Changes; }
  std::string Keys;
  int Changes = 0;
};

void Type(HWND wnd, const std::wstring& text) {
  for (wchar_t ch : text) SendMessageW(wnd, WM_CHAR, ch, 1);
}

TEST(WideEdit, TypedCharactersReachTheTextWhileKeyPressSeesTheSubstitute) {
  wintest::ShownForm form;
  auto* edit = Place<TUCodeEdit>(form.Get(), 10, 10, 200, 24);
  TKeyWatch watch;
  edit->OnKeyPress = TKeyPressEvent(&watch, &TKeyWatch::KeyPress);
  edit->OnChange = TNotifyEvent(&watch, &TKeyWatch::Change);
  ASSERT_TRUE(IsWindowUnicode(edit->GetHandle()));
  Type(edit->GetHandle(), L"a" + kPolish + kHan);
  EXPECT_EQ(edit->GetText(), L"a" + kPolish + kHan);
  // Characters above 255 reach the 8-bit handler as 255; the others as themselves.
  EXPECT_EQ(watch.Keys, std::string("a\xFF\xF3" "d\xFF\xFF\xFF", 7));
  EXPECT_EQ(watch.Changes, 7);
}

TEST(WideEdit, PasswordCharacterAndSelectionInWideCharacters) {
  wintest::ShownForm form;
  auto* edit = Place<TUCodeEdit>(form.Get(), 10, 10, 200, 24);
  edit->SetPasswordChar(L'\x25CF');
  EXPECT_EQ(edit->GetPasswordChar(), L'\x25CF');
  EXPECT_EQ(edit->TCustomEdit::GetPasswordChar(), '*');
  EXPECT_EQ(SendMessageW(edit->GetHandle(), EM_GETPASSWORDCHAR, 0, 0), 0x25CF);
  edit->RecreateWnd();
  EXPECT_EQ(SendMessageW(edit->GetHandle(), EM_GETPASSWORDCHAR, 0, 0), 0x25CF);
  edit->SetPasswordChar(0);

  edit->SetText(L"ab" + kHan + L"x");
  edit->SetSelStartW(2);
  edit->SetSelLengthW(3);
  EXPECT_EQ(edit->GetSelStartW(), 2);
  EXPECT_EQ(edit->GetSelLengthW(), 3);
  EXPECT_EQ(edit->GetSelTextW(), kHan + L"x");
}

TEST(WideMemo, LinesTextAndTyping) {
  wintest::ShownForm form;
  auto* memo = Place<TUCodeMemo>(form.Get(), 10, 10, 250, 150);
  ASSERT_TRUE(IsWindowUnicode(memo->GetHandle()));
  TUCodeStrings* lines = memo->GetLines();
  lines->SetTextStr(L"first\n" + kPolish + L"\n" + kHan);
  EXPECT_EQ(memo->GetText(), L"first\r\n" + kPolish + L"\r\n" + kHan);
  ASSERT_EQ(lines->GetCount(), 3);
  EXPECT_EQ(lines->Get(1), kPolish);
  EXPECT_EQ(lines->Get(2), kHan);

  // The same text again sends nothing to the window.
  wintest::MessageRecorder recorder(memo);
  lines->SetTextStr(L"first\r\n" + kPolish + L"\r\n" + kHan);
  EXPECT_EQ(recorder.Count(WM_SETTEXT), 0);

  lines->Put(0, kHan);
  lines->Insert(1, L"new " + kPolish);
  lines->Add(L"last");
  EXPECT_EQ(lines->GetTextStr(), kHan + L"\r\nnew " + kPolish + L"\r\n" + kPolish + L"\r\n" + kHan + L"\r\nlast");
  lines->Delete(0);
  EXPECT_EQ(lines->Get(0), L"new " + kPolish);

  memo->RecreateWnd();
  EXPECT_EQ(lines->Get(1), kPolish);
  SendMessageW(memo->GetHandle(), EM_SETSEL, 0, 0);
  Type(memo->GetHandle(), std::wstring(1, kSmallL));
  EXPECT_EQ(lines->Get(0), std::wstring(1, kSmallL) + L"new " + kPolish);
}

TEST(WideMemo, LinesWithoutWindowKeepTheir8BitForm) {
  TComponent owner(nullptr);
  auto* memo = new TUCodeMemo(&owner);
  memo->GetLines()->Add(L"plain");
  EXPECT_EQ(memo->GetLines()->Get(0), L"plain");
  EXPECT_EQ(memo->GetAnsiLines()->Get(0), "plain");
}

TEST(WideComboBox, ItemsTextTypingAndRecreation) {
  wintest::ShownForm form;
  auto* combo = Place<TUCodeComboBox>(form.Get(), 10, 10, 200, 24);
  ASSERT_TRUE(IsWindowUnicode(combo->GetHandle()));
  ASSERT_NE(combo->GetEditHandle(), nullptr);
  EXPECT_TRUE(IsWindowUnicode(combo->GetEditHandle()));
  TUCodeStrings* items = combo->GetItems();
  items->Add(L"Krak\x00F3w");
  items->Add(kHan);
  EXPECT_EQ(items->Get(1), kHan);
  EXPECT_EQ(items->IndexOf(kHan), 1);
  EXPECT_EQ(combo->GetAnsiItems()->GetCount(), 2);

  TKeyWatch watch;
  combo->OnKeyPress = TKeyPressEvent(&watch, &TKeyWatch::KeyPress);
  combo->SetAutoComplete(false);
  Type(combo->GetEditHandle(), kHan + L"!");
  EXPECT_EQ(combo->GetText(), kHan + L"!");
  EXPECT_EQ(watch.Keys, "\xFF\xFF!");

  // The list's selection becomes the wide text.
  combo->SetItemIndex(1);
  combo->Perform(CN_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), 0);
  EXPECT_EQ(combo->GetText(), kHan);

  combo->RecreateWnd();
  EXPECT_TRUE(IsWindowUnicode(combo->GetHandle()));
  EXPECT_TRUE(IsWindowUnicode(combo->GetEditHandle()));
  ASSERT_EQ(items->GetCount(), 2);
  EXPECT_EQ(items->Get(1), kHan);
  EXPECT_EQ(combo->GetItemIndex(), 1);
  EXPECT_EQ(combo->GetText(), kHan);

  // Clearing the items keeps the text.
  combo->SetText(kPolish);
  items->Clear();
  EXPECT_EQ(items->GetCount(), 0);
  EXPECT_EQ(combo->GetText(), kPolish);
}

TEST(WideComboBox, AutoCompleteKeepsTheTypedLetters) {
  wintest::ShownForm form;
  auto* combo = Place<TUCodeComboBox>(form.Get(), 10, 10, 200, 24);
  const std::wstring lodz = std::wstring(1, kSmallL) + L"\x00F3" L"d\x017A";  // łódź
  combo->GetItems()->Add(L"Krak\x00F3w");
  combo->GetItems()->Add(lodz);
  auto selection = [combo] {
    DWORD start = 0, end = 0;
    SendMessageW(combo->GetHandle(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return std::make_pair(start, end);
  };
  // Two letters typed in lower case: the item is chosen, the typed letters stay as typed and
  // the rest of the item follows, selected.
  combo->SetText(L"");
  Type(combo->GetEditHandle(), L"kr");
  EXPECT_EQ(combo->GetItemIndex(), 0);
  EXPECT_EQ(combo->GetText(), L"krak\x00F3w");
  EXPECT_EQ(selection(), std::make_pair(DWORD{2}, DWORD{6}));
  // Letters outside the code page complete as well.
  combo->SetText(L"");
  Type(combo->GetEditHandle(), lodz.substr(0, 2));
  EXPECT_EQ(combo->GetItemIndex(), 1);
  EXPECT_EQ(combo->GetText(), lodz);
  EXPECT_EQ(selection(), std::make_pair(DWORD{2}, DWORD{4}));
}

TEST(WideComboBox, DropDownListSearchesTheWideItems) {
  wintest::ShownForm form;
  auto* combo = Place<TUCodeComboBox>(form.Get(), 10, 10, 200, 24);
  combo->SetStyle(csDropDownList);
  combo->GetItems()->Add(L"\x0106ma");                // Ćma
  combo->GetItems()->Add(L"Cebula");
  combo->GetItems()->Add(L"\x0106wier\x0107");        // Ćwierć
  combo->HandleNeeded();
  Type(combo->GetHandle(), L"\x0106");
  EXPECT_EQ(combo->GetItemIndex(), 0);
  Type(combo->GetHandle(), L"w");
  EXPECT_EQ(combo->GetItemIndex(), 2);
  EXPECT_EQ(combo->GetText(), L"\x0106wier\x0107");
}

class TDataList : public TObject {};

TEST(WideListBox, ItemsKeepTheirDataAndSurviveRecreation) {
  wintest::ShownForm form;
  auto* list = Place<TUCodeListBox>(form.Get(), 10, 10, 150, 60);
  ASSERT_TRUE(IsWindowUnicode(list->GetHandle()));
  TUCodeStrings* items = list->GetItems();
  TDataList one, two;
  for (int i = 0; i < 12; ++i) items->Add(L"item " + std::to_wstring(i) + kHan);
  items->PutObject(0, &one);
  items->PutObject(1, &two);
  EXPECT_EQ(items->Get(0), L"item 0" + kHan);
  EXPECT_THROW(items->Get(99), EStringListError);

  list->SetItemIndex(1);
  items->Exchange(0, 1);
  EXPECT_EQ(items->Get(0), L"item 1" + kHan);
  EXPECT_EQ(items->GetObject(0), &two);
  EXPECT_EQ(items->GetObject(1), &one);
  EXPECT_EQ(list->GetItemIndex(), 0);  // the selection stays on its string

  items->Put(1, kPolish);
  EXPECT_EQ(items->Get(1), kPolish);
  EXPECT_EQ(items->GetObject(1), &one);

  list->SetTopIndex(5);
  list->SetItemIndex(7);
  int top = list->GetTopIndex();
  list->RecreateWnd();
  ASSERT_EQ(items->GetCount(), 12);
  EXPECT_EQ(items->Get(1), kPolish);
  EXPECT_EQ(items->Get(11), L"item 11" + kHan);
  EXPECT_EQ(list->GetItemIndex(), 7);
  EXPECT_EQ(list->GetTopIndex(), top);
}

TEST(WideListBox, CopySelectionGivesWideItemsToWideTargets) {
  wintest::ShownForm form;
  auto* list = Place<TUCodeListBox>(form.Get(), 10, 10, 150, 60);
  auto* combo = Place<TUCodeComboBox>(form.Get(), 170, 10, 150, 24);
  list->GetItems()->Add(kPolish);
  list->GetItems()->Add(kHan);
  list->SetItemIndex(1);
  list->CopySelection(combo);
  ASSERT_EQ(combo->GetItems()->GetCount(), 1);
  EXPECT_EQ(combo->GetItems()->Get(0), kHan);
  combo->SetItemIndex(0);
  combo->CopySelection(list);
  EXPECT_EQ(list->GetItems()->Get(2), kHan);
}

}  // namespace
