// Wide edits, memos, combo boxes and list boxes in real windows.
#include "ucode/UCodeStdCtrls.h"

#include <gtest/gtest.h>

#include <vector>

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
  // One given through the library's 8-bit property keeps hiding the text in a new window.
  edit->TCustomEdit::SetPasswordChar('#');
  edit->RecreateWnd();
  EXPECT_EQ(SendMessageW(edit->GetHandle(), EM_GETPASSWORDCHAR, 0, 0), '#');
  EXPECT_EQ(edit->GetPasswordChar(), L'#');
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

  // Text set on the memo itself: every kind of line break becomes CR LF, and CR LF stays.
  for (const wchar_t* lineBreak : {L"\r", L"\n", L"\x2028", L"\r\r\n", L"\r\n"}) {
    memo->SetText(L"a\r\n" + kHan + lineBreak + L"b");
    EXPECT_EQ(memo->GetText(), L"a\r\n" + kHan + (lineBreak[1] == L'\r' ? L"\r\n\r\n" : L"\r\n") + L"b");
  }

  // The same text again sends nothing to the window.
  lines->SetTextStr(L"first\n" + kPolish + L"\n" + kHan);
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

TEST(WideMemo, SelectionCountsWideCharactersInJapaneseText) {
  wintest::ShownForm form;
  auto* memo = Place<TUCodeMemo>(form.Get(), 10, 10, 250, 150);
  const std::wstring first = L"\x65E5\x672C\x8A9E\x306E\x30C6\x30AD\x30B9\x30C8";  // 日本語のテキスト
  const std::wstring second = L"\x4E8C\x884C\x76EE";                                   // 二行目
  memo->GetLines()->SetTextStr(first + L"\n" + second);
  // From the fourth character of the first line over the line break to the second of the next.
  memo->SetSelStartW(3);
  memo->SetSelLengthW(9);
  EXPECT_EQ(memo->GetSelStartW(), 3);
  EXPECT_EQ(memo->GetSelLengthW(), 9);
  EXPECT_EQ(memo->GetSelTextW(), first.substr(3) + L"\r\n" + second.substr(0, 2));
  // A selection the user made in the window reads the same way.
  SendMessageW(memo->GetHandle(), EM_SETSEL, 10, 13);
  EXPECT_EQ(memo->GetSelStartW(), 10);
  EXPECT_EQ(memo->GetSelTextW(), second);
  // Beyond the end: an empty selection at the end.
  memo->SetSelStartW(100);
  EXPECT_EQ(memo->GetSelStartW(), 13);
  EXPECT_EQ(memo->GetSelTextW(), L"");
}

// Far-East systems without Unicode windows get read-only edits made writable and set read-only
// afterwards; everything else is made as it is asked.
TEST(WideEdit, OnlyFarEastSystemsWithoutUnicodeWindowsSetReadOnlyAfterCreation) {
  struct Case {
    bool unicode, farEast;
    DWORD style;
    bool afterwards;
  };
  const DWORD kReadOnly = ES_READONLY | ES_AUTOHSCROLL | WS_CHILD;
  for (const Case& c : {Case{false, true, kReadOnly, true}, Case{false, true, ES_AUTOHSCROLL, false},
                        Case{true, true, kReadOnly, false}, Case{false, false, kReadOnly, false},
                        Case{true, false, kReadOnly, false}})
    EXPECT_EQ(SetsReadOnlyAfterCreation(c.unicode, c.farEast, c.style), c.afterwards)
        << c.unicode << c.farEast << std::hex << c.style;
  // Here (a Unicode system) a read-only memo is read-only from the start.
  wintest::ShownForm form;
  auto* memo = Place<TUCodeMemo>(form.Get(), 10, 10, 250, 150);
  memo->SetReadOnly(true);
  EXPECT_NE(GetWindowLongW(memo->GetHandle(), GWL_STYLE) & ES_READONLY, 0);
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

// The canvas text flags an owner-drawn combo box's drawing event finds.
class TDrawWatch : public TObject {
 public:
  void DrawItem(TWinControl* control, int, const RECT&, TOwnerDrawState) {
    Flags.push_back(static_cast<TUCodeComboBox*>(control)->GetCanvas()->GetTextFlags());
  }
  std::vector<int> Flags;
};

TEST(WideComboBox, OwnerDrawnItemsReadInTheControlsDirection) {
  wintest::ShownForm form;
  for (TBiDiMode mode : {bdRightToLeft, bdLeftToRight}) {
    auto* combo = Place<TUCodeComboBox>(form.Get(), 10, 10, 200, 24);
    combo->SetStyle(csOwnerDrawFixed);
    combo->SetBiDiMode(mode);
    TDrawWatch watch;
    combo->OnDrawItem = TDrawItemEvent(&watch, &TDrawWatch::DrawItem);
    combo->GetItems()->Add(L"\x05E9\x05DC\x05D5\x05DD");  // shalom
    combo->SetItemIndex(0);
    combo->Repaint();
    ASSERT_FALSE(watch.Flags.empty());
    EXPECT_EQ(watch.Flags.back() & ETO_RTLREADING, mode == bdRightToLeft ? ETO_RTLREADING : 0);
    delete combo;
  }
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

// The items of a virtual list box, as its owner keeps them.
class TVirtualItems : public TObject {
 public:
  void DataW(TWinControl*, int index, std::wstring& text) { text = Texts[static_cast<size_t>(index)]; }
  void Data(TWinControl*, int index, std::string& text) { text = "item " + std::to_string(index); }
  std::vector<std::wstring> Texts{L"\x65E5\x672C\xD842\xDFB7", kPolish, L"plain"};  // 日本𠮷
};

std::wstring ListBoxText(HWND wnd, int index, LRESULT& result) {
  LRESULT length = SendMessageW(wnd, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length < 0) {
    result = length;
    return std::wstring();
  }
  std::wstring text(static_cast<size_t>(length) + 1, L'#');
  result = SendMessageW(wnd, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  EXPECT_EQ(result, length);
  return text.c_str();
}

TEST(WideListBox, AVirtualListBoxAnswersTextQueriesWithItsWideData) {
  wintest::ShownForm form;
  TVirtualItems data;
  for (TListBoxStyle style : {lbVirtual, lbVirtualOwnerDraw}) {
    auto* list = Place<TUCodeListBox>(form.Get(), 10, 10, 200, 120);
    list->SetStyle(style);
    list->SetCount(3);
    list->OnDataW = TLBGetDataWEvent(&data, &TVirtualItems::DataW);
    list->OnData = TLBGetDataEvent(&data, &TVirtualItems::Data);
    HWND wnd = list->GetHandle();
    LRESULT result = 0;
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(ListBoxText(wnd, i, result), data.Texts[static_cast<size_t>(i)]) << i;
      EXPECT_EQ(list->GetItems()->Get(i), data.Texts[static_cast<size_t>(i)]);
    }
    // The library's 8-bit view gets the 8-bit form.
    EXPECT_EQ(list->GetAnsiItems()->Get(1), WideStringToStringEx(kPolish, 0));
    EXPECT_EQ(list->GetAnsiItems()->Get(2), "plain");
    for (int outside : {-1, 3}) {
      EXPECT_EQ(SendMessageW(wnd, LB_GETTEXTLEN, static_cast<WPARAM>(outside), 0), LB_ERR);
      wchar_t buffer[8] = L"x";
      EXPECT_EQ(SendMessageW(wnd, LB_GETTEXT, static_cast<WPARAM>(outside), reinterpret_cast<LPARAM>(buffer)), LB_ERR);
      EXPECT_STREQ(buffer, L"x");
    }
    // Without the wide event the 8-bit one answers, widened; without either, nothing does.
    list->OnDataW = TLBGetDataWEvent();
    EXPECT_EQ(ListBoxText(wnd, 2, result), L"item 2");
    list->OnData = TLBGetDataEvent();
    ListBoxText(wnd, 0, result);
    EXPECT_EQ(result, LB_ERR);
    EXPECT_THROW(list->GetAnsiItems()->Get(0), EListError);
  }
}

}  // namespace
