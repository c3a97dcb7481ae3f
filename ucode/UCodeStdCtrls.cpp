// Wide edits, memos, combo boxes and list boxes.
#include "ucode/UCodeStdCtrls.h"

#include <algorithm>

#include "classlib/ScopedHandles.h"
#include "classlib/SysUtils.h"
#include "classlib/Themes.h"
#include "ucode/UCodeGraphics.h"
#include "ucode/UCodeSysUtils.h"
#include "ucode/UCodeWindows.h"

namespace {

std::string Ansi(const std::wstring& text) { return WideStringToStringEx(text, 0); }
std::wstring Wide(const std::string& text) { return StringToWideStringEx(text, 0); }
char AnsiPasswordChar(wchar_t ch) { return ch < 256 ? static_cast<char>(ch) : '*'; }

bool IsUnicodeWindow(const TWinControl* control) {
  return Win32PlatformIsUnicode && control->HandleAllocated() && IsWindowUnicode(control->GetWindowHandle());
}

// Selection in wide characters, for edits and memos alike. A Unicode window counts in wide
// characters itself; an 8-bit window counts bytes of the system code page.
size_t Clamped(int value, size_t limit) { return std::min(limit, static_cast<size_t>(std::max(0, value))); }

std::wstring WideSelText(TCustomEdit* edit) {
  if (!Win32PlatformIsUnicode) return Wide(edit->GetSelText());
  std::wstring text = WideGetControlText(edit);
  size_t start = Clamped(edit->GetSelStart(), text.size());
  return text.substr(start, static_cast<size_t>(std::max(0, edit->GetSelLength())));
}

int WideSelStart(TCustomEdit* edit) {
  if (Win32PlatformIsUnicode) return edit->GetSelStart();
  std::string ansi = edit->TControl::GetText();
  return static_cast<int>(Wide(ansi.substr(0, Clamped(edit->GetSelStart(), ansi.size()))).size());
}

void SetWideSelStart(TCustomEdit* edit, int value) {
  if (Win32PlatformIsUnicode) {
    edit->SetSelStart(value);
    return;
  }
  std::wstring text = WideGetControlText(edit);
  edit->SetSelStart(static_cast<int>(Ansi(text.substr(0, Clamped(value, text.size()))).size()));
}

int WideSelLength(TCustomEdit* edit) {
  if (Win32PlatformIsUnicode) return edit->GetSelLength();
  return static_cast<int>(WideSelText(edit).size());
}

void SetWideSelLength(TCustomEdit* edit, int value) {
  if (Win32PlatformIsUnicode) {
    edit->SetSelLength(value);
    return;
  }
  std::wstring text = WideGetControlText(edit);
  size_t start = Clamped(WideSelStart(edit), text.size());
  edit->SetSelLength(static_cast<int>(Ansi(text.substr(start, static_cast<size_t>(std::max(0, value)))).size()));
}

}  // namespace

// ---- edit -----------------------------------------------------------------------------------

void TUCodeCustomEdit::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TUCodeCustomEdit>();
  p.WideString("Text", &TUCodeCustomEdit::GetText, &TUCodeCustomEdit::SetText,
               IsWideCaptionStored);
  p.WideChar("PasswordChar", &TUCodeCustomEdit::GetPasswordChar, &TUCodeCustomEdit::SetPasswordChar);
  DeclareWideHint(p);
}

bool SetsReadOnlyAfterCreation(bool unicodePlatform, bool farEastLocale, DWORD style) {
  return !unicodePlatform && farEastLocale && (style & ES_READONLY) != 0;
}

void CreateUnicodeEditHandle(TWinControl* control, const TCreateParams& params) {
  if (!SetsReadOnlyAfterCreation(Win32PlatformIsUnicode, SysLocale().FarEast, params.Style)) {
    CreateUnicodeHandle(control, params, L"EDIT");
    return;
  }
  TCreateParams writable = params;
  writable.Style &= ~static_cast<DWORD>(ES_READONLY);
  CreateUnicodeHandle(control, writable, L"EDIT");
  SendMessageA(control->GetWindowHandle(), EM_SETREADONLY, TRUE, 0);
}

void TUCodeCustomEdit::CreateWindowHandle(const TCreateParams& params) { CreateUnicodeEditHandle(this, params); }

// The character is read through the getter: one given through the library's 8-bit property
// since stands in the library's field only.
void TUCodeCustomEdit::CreateWnd() {
  TCustomEdit::CreateWnd();
  if (IsUnicodeWindow(this)) SendMessageW(FHandle, EM_SETPASSWORDCHAR, GetPasswordChar(), 0);
}

wchar_t TUCodeCustomEdit::GetPasswordChar() {
  if (AnsiPasswordChar(FPasswordCharW) != TCustomEdit::GetPasswordChar())
    FPasswordCharW = static_cast<unsigned char>(TCustomEdit::GetPasswordChar());
  return FPasswordCharW;
}

void TUCodeCustomEdit::SetPasswordChar(wchar_t value) {
  if (GetPasswordChar() == value) return;
  FPasswordCharW = value;
  // The library would send its 8-bit character to the window: it only takes the field.
  SetPasswordCharField(AnsiPasswordChar(value));
  if (IsUnicodeWindow(this)) {
    SendMessageW(FHandle, EM_SETPASSWORDCHAR, value, 0);
    Invalidate();
  } else if (FHandle) {
    TCustomEdit::SetPasswordChar(AnsiPasswordChar(value));
  }
}

int TUCodeCustomEdit::GetSelStartW() { return WideSelStart(this); }
void TUCodeCustomEdit::SetSelStartW(int value) { SetWideSelStart(this, value); }
int TUCodeCustomEdit::GetSelLengthW() { return WideSelLength(this); }
void TUCodeCustomEdit::SetSelLengthW(int value) { SetWideSelLength(this, value); }
std::wstring TUCodeCustomEdit::GetSelTextW() { return WideSelText(this); }

// ---- memo -----------------------------------------------------------------------------------

TUCodeMemoStrings::TUCodeMemoStrings(TUCodeCustomMemo* memo) : FMemo(memo) {}

bool TUCodeMemoStrings::UnicodeWindow() const { return IsUnicodeWindow(FMemo); }

std::wstring TUCodeMemoStrings::Get(int index) const {
  if (!UnicodeWindow()) return Wide(FMemo->GetAnsiLines()->Get(index));
  HWND wnd = FMemo->GetWindowHandle();
  LRESULT start = SendMessageW(wnd, EM_LINEINDEX, static_cast<WPARAM>(index), 0);
  LRESULT length = start < 0 ? 0 : SendMessageW(wnd, EM_LINELENGTH, static_cast<WPARAM>(start), 0);
  if (length > 65535) throw EOutOfResources("Line too long");
  std::wstring line(static_cast<size_t>(std::max<LRESULT>(length, 1)) + 1, L'\0');
  line[0] = static_cast<wchar_t>(length);
  LRESULT copied = length > 0 ? SendMessageW(wnd, EM_GETLINE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(line.data())) : 0;
  line.resize(static_cast<size_t>(std::max<LRESULT>(0, copied)));
  return line;
}

int TUCodeMemoStrings::GetCount() const { return FMemo->GetAnsiLines()->GetCount(); }

void TUCodeMemoStrings::Put(int index, const std::wstring& text) {
  if (!UnicodeWindow()) {
    FMemo->GetAnsiLines()->Put(index, Ansi(text));
    return;
  }
  HWND wnd = FMemo->GetWindowHandle();
  LRESULT start = SendMessageW(wnd, EM_LINEINDEX, static_cast<WPARAM>(index), 0);
  if (start < 0) return;
  LRESULT length = SendMessageW(wnd, EM_LINELENGTH, static_cast<WPARAM>(start), 0);
  SendMessageW(wnd, EM_SETSEL, static_cast<WPARAM>(start), start + length);
  SendMessageW(wnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

void TUCodeMemoStrings::Insert(int index, const std::wstring& text) {
  if (index < 0) return;
  if (!UnicodeWindow()) {
    FMemo->GetAnsiLines()->Insert(index, Ansi(text));
    return;
  }
  HWND wnd = FMemo->GetWindowHandle();
  LRESULT at = SendMessageW(wnd, EM_LINEINDEX, static_cast<WPARAM>(index), 0);
  std::wstring inserted;
  if (at >= 0) {
    inserted = text + L"\r\n";
  } else {
    at = SendMessageW(wnd, EM_LINEINDEX, static_cast<WPARAM>(index - 1), 0);
    if (at < 0) return;
    LRESULT length = SendMessageW(wnd, EM_LINELENGTH, static_cast<WPARAM>(at), 0);
    if (length == 0) return;
    at += length;
    inserted = L"\r\n" + text;
  }
  SendMessageW(wnd, EM_SETSEL, static_cast<WPARAM>(at), at);
  SendMessageW(wnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(inserted.c_str()));
}

void TUCodeMemoStrings::Delete(int index) { FMemo->GetAnsiLines()->Delete(index); }
void TUCodeMemoStrings::Clear() { FMemo->GetAnsiLines()->Clear(); }
void TUCodeMemoStrings::SetUpdateState(bool updating) {
  if (updating) FMemo->GetAnsiLines()->BeginUpdate();
  else FMemo->GetAnsiLines()->EndUpdate();
}

std::wstring TUCodeMemoStrings::GetTextStr() const { return WideGetControlText(FMemo); }

void TUCodeMemoStrings::SetTextStr(const std::wstring& text) {
  std::wstring adjusted = WideAdjustLineBreaks(text, 1);
  if (adjusted == GetTextStr()) return;
  TWinControl* parent = FMemo->GetParent();
  if (!FMemo->HandleAllocated() && parent && !FMemo->GetComponentState().Contains(csLoading)) FMemo->HandleNeeded();
  WideSetControlText(FMemo, adjusted);
}

TUCodeCustomMemo::TUCodeCustomMemo(TComponent* owner)
    : TUCodeWideControl(owner), FWideLines(std::make_unique<TUCodeMemoStrings>(this)) {}

TUCodeCustomMemo::~TUCodeCustomMemo() = default;

void TUCodeCustomMemo::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TUCodeCustomMemo>();
  p.Object("Lines", &TUCodeCustomMemo::GetLines);
  DeclareWideHint(p);
}

void TUCodeCustomMemo::CreateWindowHandle(const TCreateParams& params) { CreateUnicodeEditHandle(this, params); }

int TUCodeCustomMemo::GetSelStartW() { return WideSelStart(this); }
void TUCodeCustomMemo::SetSelStartW(int value) { SetWideSelStart(this, value); }
int TUCodeCustomMemo::GetSelLengthW() { return WideSelLength(this); }
void TUCodeCustomMemo::SetSelLengthW(int value) { SetWideSelLength(this, value); }
std::wstring TUCodeCustomMemo::GetSelTextW() { return WideSelText(this); }

namespace {

// True when every line break of the text is CR LF already, as the edit control keeps them.
bool HasOnlyCrLfBreaks(const wchar_t* text) {
  for (const wchar_t* at = text; *at; ++at) {
    if (*at == L'\r') {
      if (at[1] != L'\n') return false;
      ++at;
    } else if (*at == L'\n' || *at == 0x2028) {
      return false;
    }
  }
  return true;
}

}  // namespace

// A Unicode window hears WM_SETTEXT with wide text (the trap sends the library's own 8-bit ones
// through the system, which widens them): its line breaks become CR LF as the library's memo
// makes them for 8-bit text. A text of millions of characters that has them so already goes
// to the window as it is, without a copy.
void TUCodeCustomMemo::Dispatch(TMessage& message) {
  const auto* text = reinterpret_cast<const wchar_t*>(message.LParam);
  if (message.Msg != WM_SETTEXT || !IsUnicodeWindow(this)) {
    TCustomMemo::Dispatch(message);
    return;
  }
  if (text && HasOnlyCrLfBreaks(text)) {
    TCustomEdit::Dispatch(message);
    return;
  }
  std::wstring adjusted = WideAdjustLineBreaks(text ? text : L"", 1);
  message.LParam = reinterpret_cast<LPARAM>(adjusted.c_str());
  TCustomEdit::Dispatch(message);
}

// ---- items of combo and list boxes ----------------------------------------------------------

TUCodeListControlStrings::TUCodeListControlStrings(TWinControl* control, TStrings* ansiItems, bool isListBox)
    : FControl(control), FAnsiItems(ansiItems), FListBox(isListBox) {}

bool TUCodeListControlStrings::UnicodeWindow() const { return IsUnicodeWindow(FControl); }

std::wstring TUCodeListControlStrings::Get(int index) const {
  if (!UnicodeWindow()) return Wide(FAnsiItems->Get(index));
  HWND wnd = FControl->GetWindowHandle();
  LRESULT length = SendMessageW(wnd, FListBox ? LB_GETTEXTLEN : CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length < 0) {
    if (FListBox) Error("List index out of bounds (%d)", index);
    return std::wstring();
  }
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  LRESULT copied = SendMessageW(wnd, FListBox ? LB_GETTEXT : CB_GETLBTEXT, static_cast<WPARAM>(index),
                                reinterpret_cast<LPARAM>(text.data()));
  if (copied < 0) return std::wstring();
  text.resize(wcslen(text.c_str()));
  return text;
}

int TUCodeListControlStrings::Add(const std::wstring& text) {
  if (!UnicodeWindow()) return FAnsiItems->Add(Ansi(text));
  LRESULT index = SendMessageW(FControl->GetWindowHandle(), FListBox ? LB_ADDSTRING : CB_ADDSTRING, 0,
                               reinterpret_cast<LPARAM>(text.c_str()));
  if (index < 0) throw EOutOfResources("Unable to insert a line");
  return static_cast<int>(index);
}

void TUCodeListControlStrings::Insert(int index, const std::wstring& text) {
  if (!UnicodeWindow()) {
    FAnsiItems->Insert(index, Ansi(text));
    return;
  }
  LRESULT result = SendMessageW(FControl->GetWindowHandle(), FListBox ? LB_INSERTSTRING : CB_INSERTSTRING,
                                static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
  if (result < 0) throw EOutOfResources("Unable to insert a line");
}

int TUCodeListControlStrings::IndexOf(const std::wstring& text) const {
  if (!UnicodeWindow()) return FAnsiItems->IndexOf(Ansi(text));
  return static_cast<int>(SendMessageW(FControl->GetWindowHandle(), FListBox ? LB_FINDSTRINGEXACT : CB_FINDSTRINGEXACT,
                                       static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str())));
}

// The item's data and the selection stay with the string.
void TUCodeListControlStrings::Put(int index, const std::wstring& text) {
  if (!UnicodeWindow()) {
    FAnsiItems->Put(index, Ansi(text));
    return;
  }
  auto* list = static_cast<TCustomListControl*>(FControl);
  int selected = list->GetItemIndex();
  TObject* object = GetObject(index);
  PutObject(index, nullptr);
  Delete(index);
  Insert(index, text);
  PutObject(index, object);
  list->SetItemIndex(selected);
}

void TUCodeListControlStrings::Exchange(int index1, int index2) {
  if (index1 == index2) return;
  WithinUpdate([&] { ExchangeListItems(*this, static_cast<TCustomListControl*>(FControl), index1, index2); });
}

void TUCodeListControlStrings::Move(int curIndex, int newIndex) {
  if (curIndex == newIndex) return;
  WithinUpdate([&] {
    std::wstring text = Get(curIndex);
    TObject* object = GetObject(curIndex);
    PutObject(curIndex, nullptr);
    Delete(curIndex);
    Insert(newIndex, text);
    PutObject(newIndex, object);
  });
}

void TUCodeListControlStrings::Clear() {
  if (FListBox || !UnicodeWindow()) {
    FAnsiItems->Clear();
    return;
  }
  // The combo box keeps its text across the reset.
  std::wstring text = WideGetControlText(FControl);
  FAnsiItems->Clear();
  WideSetControlText(FControl, text);
  FControl->Update();
}

void TUCodeListControlStrings::SetUpdateState(bool updating) {
  if (updating) FAnsiItems->BeginUpdate();
  else FAnsiItems->EndUpdate();
}

// ---- combo box ------------------------------------------------------------------------------

TUCodeCustomComboBox::TUCodeCustomComboBox(TComponent* owner)
    : TUCodeWideControl(owner),
      FWideItems(std::make_unique<TUCodeListControlStrings>(this, TCustomComboBox::GetItems(), false)) {}

TUCodeCustomComboBox::~TUCodeCustomComboBox() {
  if (FHandle) DestroyHandle();
}

void TUCodeCustomComboBox::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TUCodeCustomComboBox>();
  p.WideString("Text", &TUCodeCustomComboBox::GetText, &TUCodeCustomComboBox::SetText,
               IsWideCaptionStored);
  p.Object("Items", &TUCodeCustomComboBox::GetItems);
  DeclareWideHint(p);
}

void TUCodeCustomComboBox::CreateWindowHandle(const TCreateParams& params) {
  CreateUnicodeHandle(this, params, L"COMBOBOX");
}

void TUCodeCustomComboBox::CreateWnd() {
  TCustomComboBox::CreateWnd();
  if (Win32PlatformIsUnicode) {
    // The library subclassed the children through the 8-bit functions, which would make them
    // 8-bit windows: the same procedures again through the wide functions.
    if (FListHandle && FDefListProc) {
      SetWindowLongPtrA(FListHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FDefListProc));
      FDefListProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(FListHandle, GWLP_WNDPROC));
      SetWindowLongPtrW(FListHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FListInstance));
    }
    if (FEditHandle) {
      LONG_PTR procedure = GetWindowLongPtrA(FEditHandle, GWLP_WNDPROC);
      SetWindowLongPtrW(FEditHandle, GWLP_WNDPROC, procedure);
    }
  }
  if (FSavedItems) {
    std::unique_ptr<TUCodeStringList> saved = std::move(FSavedItems);
    FWideItems->Assign(saved.get());
  }
  if (FSavedItemIndex != -1 && FHandle) {
    int index = std::min(FSavedItemIndex, FWideItems->GetCount() - 1);
    SendMessageW(FHandle, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
  FSavedItemIndex = -1;
  TWideControlHelper* helper = FindWideControlHelper(this, false);
  if (helper && (FStyle == csDropDown || FStyle == csSimple)) WideSetControlText(this, helper->FCaption);
}

void TUCodeCustomComboBox::DestroyWnd() {
  if (FControlState & csDestroyingHandle) return;
  if (!Win32PlatformIsUnicode || !FHandle) {
    TCustomComboBox::DestroyWnd();
    return;
  }
  std::wstring text = GetText();
  FSavedItems.reset();
  if (FWideItems->GetCount() > 0) {
    FSavedItems = std::make_unique<TUCodeStringList>();
    FSavedItems->Assign(FWideItems.get());
    FSavedItemIndex = GetItemIndex();
    TCustomComboBox::GetItems()->Clear();
  }
  TCustomComboBox::DestroyWnd();
  FindWideControlHelper(this, true)->FCaption = text;
  TControl::SetText(Ansi(text));
}

void TUCodeCustomComboBox::AddItemW(const std::wstring& item, TObject* object) {
  FWideItems->AddObject(item, object);
}

void TUCodeCustomComboBox::CopySelection(TCustomListControl* destination) {
  int index = GetItemIndex();
  if (index >= 0) WideAddListItem(destination, FWideItems->Get(index), FWideItems->GetObject(index));
}

// The canvas reads right to left as the control does, for the event's drawing as for its own.
void TUCodeCustomComboBox::DrawItem(int index, const RECT& rect, TOwnerDrawState state) {
  FCanvas->SetTextFlags(UseRightToLeftReading() ? ETO_RTLREADING : 0);
  FCanvas->RequiredState(csHandleValid | csFontValid | csBrushValid);
  if (OnDrawItem) {
    OnDrawItem(this, index, rect, state);
    return;
  }
  FCanvas->FillRect(rect);
  if (index >= 0) WideCanvasTextOut(FCanvas.get(), rect.left + 2, rect.top, FWideItems->Get(index));
}

void TUCodeCustomComboBox::KeyPress(char& key) {
  // The library's 8-bit completion would miss wide items: the wide one runs instead.
  bool autoComplete = FAutoComplete;
  FAutoComplete = false;
  try {
    TCustomComboBox::KeyPress(key);
  } catch (...) {
    FAutoComplete = autoComplete;
    throw;
  }
  FAutoComplete = autoComplete;
}

bool TUCodeCustomComboBox::SelectByWidePrefix(const std::wstring& prefix) {
  LRESULT found = IsUnicodeWindow(this)
                      ? SendMessageW(FHandle, CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(prefix.c_str()))
                      : SendMessageA(FHandle, CB_FINDSTRING, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(Ansi(prefix).c_str()));
  if (found == CB_ERR) return false;
  int index = static_cast<int>(found);
  std::wstring item = FWideItems->Get(index);
  bool changed = FStyle == csDropDown ? GetText() != item : index != GetItemIndex();
  if (FAutoCloseUp && FWideItems->IndexOf(prefix) >= 0) SetDroppedDown(false);
  SendMessageW(FHandle, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  if (FStyle == csSimple || FStyle == csDropDown) {
    std::wstring text = prefix + item.substr(std::min(prefix.size(), item.size()));
    SetText(text);
    SendMessageW(FHandle, CB_SETEDITSEL, 0, MAKELPARAM(prefix.size(), text.size()));
  }
  if (changed) {
    Click();
    Select();
  }
  return true;
}

bool TUCodeCustomComboBox::AutoCompleteKeyPress(TMessage& message) {
  if (FStyle != csSimple && FStyle != csDropDown)
    throw EUCodeInternalError(
        "Internal Error: UCodeCombo_AutoCompleteKeyPress is only for csSimple and csDropDown style combo boxes.");
  if (!FAutoComplete) return false;
  wchar_t ch = GetWideCharFromWMCharMsg(message);
  switch (ch) {
    case L'\b': case 27: return false;
    case L'\t':
      if (FAutoDropDown && GetDroppedDown()) SetDroppedDown(false);
      return false;
  }
  if (FAutoDropDown && !GetDroppedDown()) {
    std::wstring text = GetText();
    int start = GetSelStart(), length = GetSelLength();
    SetDroppedDown(true);
    SetText(text);
    SetSelStart(start);
    SetSelLength(length);
  }
  std::wstring text = GetText();
  int start = GetSelStart();
  if (start + GetSelLength() < static_cast<int>(text.size())) return false;
  if (!SelectByWidePrefix(text.substr(0, static_cast<size_t>(start)) + ch)) return false;
  SetWideCharForWMCharMsg(message, 0);
  return true;
}

void TUCodeCustomComboBox::ComboWndProc(TMessage& message, HWND child, WNDPROC childProc) {
  bool unicodeChild = Win32PlatformIsUnicode && IsWindowUnicode(child);
  auto callChild = [&] {
    message.Result = unicodeChild ? CallWindowProcW(childProc, child, message.Msg, message.WParam, message.LParam)
                                  : CallWindowProcA(childProc, child, message.Msg, message.WParam, message.LParam);
  };
  if (message.Msg == WM_CHAR) {
    if (unicodeChild) PackWMChar(message);
    bool taken = DoKeyPress(message);
    if (!taken && (FStyle == csSimple || FStyle == csDropDown)) {
      TMessage copy = message;
      taken = AutoCompleteKeyPress(copy);
    }
    UnpackWMChar(message);
    if (taken) return;
    if ((message.WParam == VK_RETURN || message.WParam == VK_ESCAPE) && GetDroppedDown()) {
      SetDroppedDown(false);
      return;
    }
    callChild();
    return;
  }
  if (unicodeChild) {
    switch (message.Msg) {
      case WM_SETTEXT: case WM_GETTEXT: case WM_GETTEXTLENGTH: case EM_REPLACESEL: case WM_IME_COMPOSITION:
        callChild();
        return;
      case WM_IME_CHAR:
        message.Result = SendMessageW(child, WM_CHAR, message.WParam, message.LParam);
        return;
    }
  }
  TCustomComboBox::ComboWndProc(message, child, childProc);
}

// The drop-down list searches the typed letters among the wide items.
void TUCodeCustomComboBox::WMChar(TMessage& message) {
  if ((FStyle == csDropDownList || FStyle == csOwnerDrawFixed || FStyle == csOwnerDrawVariable) && FAutoComplete &&
      FHandle) {
    wchar_t ch = GetWideCharFromWMCharMsg(message);
    if (ch == L'\b') {
      if (!FWideSearch.empty()) FWideSearch.pop_back();
    } else if (ch == L'\t') {
      if (FAutoDropDown && GetDroppedDown()) SetDroppedDown(false);
    } else if (ch != 27 && ch != 0) {
      if (FAutoDropDown && !GetDroppedDown()) SetDroppedDown(true);
      DWORD now = GetTickCount();
      if (now - FLastWideSearchTime >= 1250) FWideSearch.clear();
      FLastWideSearchTime = now;
      if (SelectByWidePrefix(FWideSearch + ch)) {
        FWideSearch += ch;
        SetWideCharForWMCharMsg(message, 0);
      }
    }
    if (GetWideCharFromWMCharMsg(message) == 0) return;
  }
  TCustomComboBox::WMChar(message);
}

void TUCodeCustomComboBox::CNCommand(TMessage& message) {
  if (MessageAs<TWMCommand>(message).NotifyCode != CBN_SELCHANGE) {
    TCustomComboBox::CNCommand(message);
    return;
  }
  int index = GetItemIndex();
  if (index >= 0) SetText(FWideItems->Get(index));
  Click();
  Select();
}

// ---- list box -------------------------------------------------------------------------------

TUCodeCustomListBox::TUCodeCustomListBox(TComponent* owner)
    : TUCodeWideControl(owner),
      FWideItems(std::make_unique<TUCodeListControlStrings>(this, TCustomListBox::GetItems(), true)) {}

TUCodeCustomListBox::~TUCodeCustomListBox() {
  if (FHandle) DestroyHandle();
}

void TUCodeCustomListBox::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TUCodeCustomListBox>();
  p.Object("Items", &TUCodeCustomListBox::GetItems);
  DeclareWideHint(p);
}

void TUCodeCustomListBox::CreateWindowHandle(const TCreateParams& params) {
  CreateUnicodeHandle(this, params, L"LISTBOX");
}

void TUCodeCustomListBox::CreateWnd() {
  TCustomListBox::CreateWnd();
  if (!FSavedItems) return;
  std::unique_ptr<TUCodeStringList> saved = std::move(FSavedItems);
  FWideItems->Assign(saved.get());
  SetTopIndex(FSavedTopIndex);
  SetItemIndex(FSavedItemIndex);
}

void TUCodeCustomListBox::DestroyWnd() {
  FSavedItems.reset();
  if (FWideItems->GetCount() > 0 && !IsVirtual()) {
    FSavedItems = std::make_unique<TUCodeStringList>();
    FSavedItems->Assign(FWideItems.get());
    FSavedTopIndex = GetTopIndex();
    FSavedItemIndex = GetItemIndex();
    TCustomListBox::GetItems()->Clear();
  }
  TCustomListBox::DestroyWnd();
}

void TUCodeCustomListBox::AddItemW(const std::wstring& item, TObject* object) { FWideItems->AddObject(item, object); }

void TUCodeCustomListBox::CopySelection(TCustomListControl* destination) {
  if (GetMultiSelect()) {
    for (int i = 0; i < FWideItems->GetCount(); ++i)
      if (GetSelected(i)) WideAddListItem(destination, FWideItems->Get(i), FWideItems->GetObject(i));
    return;
  }
  int index = GetItemIndex();
  if (index >= 0) WideAddListItem(destination, FWideItems->Get(index), FWideItems->GetObject(index));
}

void TUCodeCustomListBox::DrawItem(int index, const RECT& rect, TOwnerDrawState state) {
  if (OnDrawItem) {
    OnDrawItem(this, index, rect, state);
    return;
  }
  FCanvas->RequiredState(csHandleValid | csFontValid | csBrushValid);
  FCanvas->FillRect(rect);
  if (index >= FWideItems->GetCount()) return;
  RECT r = rect;
  if (UseRightToLeftAlignment()) r.right -= 2;
  else r.left += 2;
  std::wstring text = FWideItems->Get(index);
  WideDrawText(FCanvas->GetHandle(), text.c_str(), static_cast<int>(text.size()), &r,
               DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DrawTextBiDiModeFlagsReadingOnly());
}

bool TUCodeCustomListBox::VirtualItemDataW(int index, std::wstring& text) {
  if (index < 0 || index >= GetCount()) return false;
  if (OnDataW) {
    OnDataW(this, index, text);
    return true;
  }
  std::string ansi;
  if (!TCustomListBox::VirtualItemData(index, ansi)) return false;
  text = Wide(ansi);
  return true;
}

bool TUCodeCustomListBox::VirtualItemData(int index, std::string& text) {
  std::wstring wide;
  if (!VirtualItemDataW(index, wide)) return false;
  text = Ansi(wide);
  return true;
}

void TUCodeCustomListBox::LBGetText(TMessage& message) {
  if (!IsVirtual()) return TCustomListBox::LBGetText(message);
  std::wstring text;
  message.Result = LB_ERR;
  if (!VirtualItemDataW(static_cast<int>(message.WParam), text) || !message.LParam) return;
  if (Win32PlatformIsUnicode) {
    std::copy(text.c_str(), text.c_str() + text.size() + 1, reinterpret_cast<wchar_t*>(message.LParam));
    message.Result = static_cast<LRESULT>(text.size());
  } else {
    std::string ansi = Ansi(text);
    std::copy(ansi.c_str(), ansi.c_str() + ansi.size() + 1, reinterpret_cast<char*>(message.LParam));
    message.Result = static_cast<LRESULT>(ansi.size());
  }
}

void TUCodeCustomListBox::LBGetTextLen(TMessage& message) {
  if (!IsVirtual()) return TCustomListBox::LBGetTextLen(message);
  std::wstring text;
  message.Result = LB_ERR;
  if (!VirtualItemDataW(static_cast<int>(message.WParam), text)) return;
  message.Result = static_cast<LRESULT>(Win32PlatformIsUnicode ? text.size() : Ansi(text).size());
}

// ---- caption-bearing controls ---------------------------------------------------------------

wchar_t DialogCharOf(const TMessage& message) { return GetWideCharFromWMCharMsg(message); }

// -- label --
void TUCodeCustomLabel::Dispatch(TMessage& message) {
  if (message.Msg == CM_HINTSHOW) WideHintShow(this, reinterpret_cast<THintInfo*>(message.LParam));
  TCustomLabel::Dispatch(message);
}

void TUCodeCustomLabel::DoDrawText(RECT& rect, UINT flags) {
  if (!Win32PlatformIsUnicode) {
    TCustomLabel::DoDrawText(rect, flags);
    return;
  }
  std::wstring text = GetWideLabelText();
  if ((flags & DT_CALCRECT) && (text.empty() || (FShowAccelChar && text == L"&"))) text += L' ';
  flags = BeginLabelTextDrawing(flags);
  if (CutsWrappedText()) text = FitWrappedWideText(text, rect, flags);
  DrawLabelTextShaded(rect, flags, [&](RECT& where) {
    WideDrawText(FCanvas->GetHandle(), text.c_str(), static_cast<int>(text.size()), &where, flags);
  });
}

// Wrapped text that does not fit loses whole words from its end, followed by "...".
std::wstring TUCodeCustomLabel::FitWrappedWideText(const std::wstring& text, const RECT& rect, UINT flags) {
  HDC dc = FCanvas->GetHandle();
  SIZE dots{0, 0};
  GetTextExtentPoint32W(dc, L"...", 3, &dots);
  int available = std::max(GetClientHeight(), std::abs(FFont->GetHeight()));
  std::wstring cut = text, shown = text;
  while (true) {
    RECT measure{rect.left, rect.top, rect.right - dots.cx, rect.top};
    WideDrawText(dc, shown.c_str(), static_cast<int>(shown.size()), &measure, flags | DT_CALCRECT);
    if (measure.bottom - measure.top <= available) return shown;
    // An empty caption has nothing to give up: it draws as nothing.
    if (cut.empty()) return std::wstring();
    size_t gap = cut.find_last_of(L" \t");
    if (gap == std::wstring::npos) cut.pop_back();
    else cut.erase(gap);
    if (cut.empty()) return std::wstring();
    shown = cut + L"...";
  }
}

void TUCodeCustomLabel::CMDialogChar(TMessage& message) {
  if (FFocusControl && FEnabled && FShowAccelChar && IsWideCharAccel(DialogCharOf(message), GetCaption()) &&
      FFocusControl->CanFocus()) {
    FFocusControl->SetFocus();
    message.Result = 1;
  }
}

void TUCodeLabel::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TUCodeLabel>();
  DeclareWideCaption(p);
}

// -- button --
void TUCodeButton::CreateWindowHandle(const TCreateParams& params) { CreateUnicodeHandle(this, params, L"BUTTON"); }

void TUCodeButton::CMDialogChar(TMessage& message) {
  if (IsWideCharAccel(DialogCharOf(message), GetCaption()) && CanFocus()) {
    Click();
    message.Result = 1;
    return;
  }
  TButtonControl::CMDialogChar(message);
}

void TUCodeButton::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TUCodeButton>();
  DeclareWideCaption(p);
}

// -- check box --
void TUCodeCustomCheckBox::CreateWindowHandle(const TCreateParams& params) {
  CreateUnicodeHandle(this, params, L"BUTTON");
}

void TUCodeCustomCheckBox::CMDialogChar(TMessage& message) {
  if (IsWideCharAccel(DialogCharOf(message), GetCaption()) && CanFocus()) {
    SetFocus();
    if (Focused()) Toggle();
    message.Result = 1;
    return;
  }
  TButtonControl::CMDialogChar(message);
}

void TUCodeCheckBox::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TUCodeCheckBox>();
  DeclareWideCaption(p);
}

// -- radio button --
void TUCodeRadioButton::CreateWindowHandle(const TCreateParams& params) {
  CreateUnicodeHandle(this, params, L"BUTTON");
}

void TUCodeRadioButton::CMDialogChar(TMessage& message) {
  if (IsWideCharAccel(DialogCharOf(message), GetCaption()) && CanFocus()) {
    SetFocus();
    message.Result = 1;
    return;
  }
  TButtonControl::CMDialogChar(message);
}

void TUCodeRadioButton::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TUCodeRadioButton>();
  DeclareWideCaption(p);
}

// -- scroll bar --
void TUCodeScrollBar::CreateWindowHandle(const TCreateParams& params) {
  CreateUnicodeHandle(this, params, L"SCROLLBAR");
}

void TUCodeScrollBar::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TUCodeScrollBar>();
  DeclareWideHint(p);
}

// -- group box --
void TUCodeCustomGroupBox::CreateWindowHandle(const TCreateParams& params) { CreateUnicodeHandle(this, params, L""); }

void TUCodeCustomGroupBox::Paint() {
  if (!Win32PlatformIsUnicode) {
    TCustomGroupBox::Paint();
    return;
  }
  FCanvas->GetFont()->Assign(FFont.get());
  FCanvas->RequiredState(csHandleValid | csFontValid);
  HDC dc = FCanvas->GetHandle();
  std::wstring caption = GetCaption();
  if (ThemeServices().ThemesEnabled()) {
    RECT captionRect{0, 0, 0, 0};
    if (!caption.empty()) {
      SIZE size{0, 0};
      GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
      captionRect = UseRightToLeftAlignment() ? RECT{FWidth - 8 - size.cx, 0, FWidth - 8, size.cy}
                                              : RECT{8, 0, 8 + size.cx, size.cy};
    }
    RECT frame{0, (captionRect.bottom - captionRect.top) / 2, FWidth, FHeight};
    int saved = SaveDC(dc);
    ExcludeClipRect(dc, captionRect.left, captionRect.top, captionRect.right, captionRect.bottom);
    bool painted = ThemeServices().DrawGroupBox(FHandle, dc, frame, FEnabled);
    RestoreDC(dc, saved);
    if (painted) {
      if (!TControl::GetText().empty())
        ThemeServices().DrawGroupBoxText(FHandle, dc, caption, captionRect, DrawTextBiDiModeFlags(DT_SINGLELINE),
                                         FEnabled);
      return;
    }
  }
  SIZE zero{0, 0};
  GetTextExtentPoint32W(dc, L"0", 1, &zero);
  PaintFrameAndCaption(zero.cy, !caption.empty(), [&caption](HDC target, RECT& rect, UINT flags) {
    WideDrawText(target, caption.c_str(), static_cast<int>(caption.size()), &rect, flags);
  });
}

void TUCodeCustomGroupBox::CMDialogChar(TMessage& message) {
  if (IsWideCharAccel(DialogCharOf(message), GetCaption()) && CanFocus()) {
    SelectFirst();
    message.Result = 1;
    return;
  }
  TCustomControl::CMDialogChar(message);
}

void TUCodeGroupBox::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TUCodeGroupBox>();
  DeclareWideCaption(p);
}

// -- static text --
TUCodeCustomStaticText::TUCodeCustomStaticText(TComponent* owner) : TUCodeWideCaptionControl(owner) { AdjustBounds(); }

void TUCodeCustomStaticText::CreateWindowHandle(const TCreateParams& params) {
  CreateUnicodeHandle(this, params, L"STATIC");
}

void TUCodeCustomStaticText::AdjustBounds() {
  if (IsLoading() || !FAutoSize) return;
  std::wstring caption = GetCaption();
  SIZE size{0, 0};
  {
    ScopedGetDC screen;
    ScopedSelect font(screen.Get(), FFont->GetHandle());
    WideGetTextExtent(screen.Get(), caption, size);
  }
  SetBounds(FLeft, FTop, size.cx + 4 * GetSystemMetrics(SM_CXBORDER), size.cy + 4 * GetSystemMetrics(SM_CYBORDER));
}

void TUCodeCustomStaticText::CMDialogChar(TMessage& message) {
  if (FFocusControl && FEnabled && FShowAccelChar && IsWideCharAccel(DialogCharOf(message), GetCaption()) &&
      FFocusControl->CanFocus()) {
    FFocusControl->SetFocus();
    message.Result = 1;
  }
}

void TUCodeStaticText::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TUCodeStaticText>();
  DeclareWideCaption(p);
}
