// Edit, memo, label, buttons, check and radio boxes, group box, static text and scroll bar.
#include "classlib/StdCtrls.h"

#include <algorithm>

#include "classlib/ScopedHandles.h"
#include "classlib/SysUtils.h"
#include "classlib/Themes.h"

using StdCtrls::TButton;
using StdCtrls::TRadioButton;
using StdCtrls::TScrollBar;

namespace {

// Every line break (CR LF, CR or LF) as CR LF.
std::string AdjustLineBreaks(const std::string& text) {
  std::string result;
  result.reserve(text.size() + text.size() / 16);
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r') {
      result += "\r\n";
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      result += "\r\n";
    } else {
      result += c;
    }
  }
  return result;
}

LRESULT SendText(HWND wnd, UINT msg, WPARAM wParam, const std::string& text) {
  return SendMessageA(wnd, msg, wParam, reinterpret_cast<LPARAM>(text.c_str()));
}

}  // namespace

// ---- TCustomEdit ----------------------------------------------------------------------------
TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  FWidth = 121;
  FHeight = 21;
  FTabStop = true;
  FParentColor = false;
  FColor = clWindow;
  FBrush->SetColor(FColor);
  FControlStyle |= csSetCaption | csDoubleClicks;
}

void TCustomEdit::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  CreateSubClass(params, "EDIT");
  params.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL;
  if (FReadOnly) params.Style |= ES_READONLY;
  if (!FHideSelection) params.Style |= ES_NOHIDESEL;
  if (FCharCase == ecUpperCase) params.Style |= ES_UPPERCASE;
  if (FCharCase == ecLowerCase) params.Style |= ES_LOWERCASE;
  if (FBorderStyle == ebsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}

// After the window exists: the settings the window keeps in messages, not in its style.
void TCustomEdit::CreateWnd() {
  {
    ScopedValue creating(FCreating, true);
    TWinControl::CreateWnd();
  }
  SendMessageA(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
  SendMessageA(FHandle, EM_SETPASSWORDCHAR, static_cast<unsigned char>(FPasswordChar), 0);
  SendMessageA(FHandle, EM_SETMODIFY, FModified, 0);
}

void TCustomEdit::SetReadOnly(bool value) {
  FReadOnly = value;
  if (FHandle) SendMessageA(FHandle, EM_SETREADONLY, value, 0);
}

void TCustomEdit::SetMaxLength(int value) {
  FMaxLength = value;
  if (FHandle) SendMessageA(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(value), 0);
}

void TCustomEdit::SetPasswordChar(char value) {
  if (FPasswordChar == value) return;
  FPasswordChar = value;
  if (FHandle) {
    SendMessageA(FHandle, EM_SETPASSWORDCHAR, static_cast<unsigned char>(value), 0);
    Invalidate();
  }
}

void TCustomEdit::SetCharCase(TEditCharCase value) {
  if (FCharCase == value) return;
  FCharCase = value;
  RecreateWnd();
}

void TCustomEdit::SetBorderStyle(TEditBorderStyle value) {
  if (FBorderStyle == value) return;
  FBorderStyle = value;
  RecreateWnd();
}

void TCustomEdit::SetHideSelection(bool value) {
  if (FHideSelection == value) return;
  FHideSelection = value;
  RecreateWnd();
}

bool TCustomEdit::GetModified() {
  if (FHandle) FModified = SendMessageA(FHandle, EM_GETMODIFY, 0, 0) != 0;
  return FModified;
}

void TCustomEdit::SetModified(bool value) {
  FModified = value;
  if (FHandle) SendMessageA(FHandle, EM_SETMODIFY, value, 0);
}

int TCustomEdit::GetSelStart() {
  if (!FHandle) return 0;
  DWORD start = 0, end = 0;
  SendMessageA(FHandle, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(start);
}

void TCustomEdit::SetSelStart(int value) {
  if (FHandle) SendMessageA(GetHandle(), EM_SETSEL, static_cast<WPARAM>(value), value);
}

int TCustomEdit::GetSelLength() {
  if (!FHandle) return 0;
  DWORD start = 0, end = 0;
  SendMessageA(FHandle, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TCustomEdit::SetSelLength(int value) {
  if (!FHandle) return;
  DWORD start = 0, end = 0;
  SendMessageA(FHandle, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  SendMessageA(FHandle, EM_SETSEL, start, static_cast<LPARAM>(start + value));
  SendMessageA(FHandle, EM_SCROLLCARET, 0, 0);
}

std::string TCustomEdit::GetSelText() {
  if (!FHandle) return std::string();
  std::string text = GetText();
  size_t start = std::min<size_t>(static_cast<size_t>(GetSelStart()), text.size());
  return text.substr(start, static_cast<size_t>(GetSelLength()));
}

void TCustomEdit::SetSelText(const std::string& value) {
  SendText(GetHandle(), EM_REPLACESEL, 0, value);
}

void TCustomEdit::SelectAll() {
  if (FHandle) SendMessageA(FHandle, EM_SETSEL, 0, -1);
}

void TCustomEdit::ClearSelection() {
  if (FHandle) SendMessageA(FHandle, WM_CLEAR, 0, 0);
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

void TCustomEdit::DoEnter() {
  if (FAutoSelect && !(GetKeyState(VK_LBUTTON) < 0) && FHandle &&
      !(GetWindowLongA(FHandle, GWL_STYLE) & ES_MULTILINE))
    SelectAll();
  TWinControl::DoEnter();
}

void TCustomEdit::CNCommand(TMessage& message) {
  if (MessageAs<TWMCommand>(message).NotifyCode == EN_CHANGE && !FCreating) Change();
}

// Without a window, or in a multi-line edit (which sends no EN_CHANGE for WM_SETTEXT), a text
// set from code announces the change here.
void TCustomEdit::CMTextChanged(TMessage& message) {
  TWinControl::CMTextChanged(message);
  if (!FHandle || (GetWindowLongA(FHandle, GWL_STYLE) & ES_MULTILINE)) Change();
}

void TCustomEdit::Dispatch(TMessage& message) {
  if (message.Msg == CN_COMMAND) {
    CNCommand(message);
    return;
  }
  TWinControl::Dispatch(message);
}

// ---- TMemoStrings ---------------------------------------------------------------------------
std::string TMemoStrings::Get(int index) const {
  HWND wnd = FMemo->GetWindowHandle();
  if (!wnd) {
    if (index < 0 || index >= GetCount()) Error(SListIndexError, index);
    return FMemo->FHeldLines[static_cast<size_t>(index)];
  }
  LRESULT start = SendMessageA(wnd, EM_LINEINDEX, static_cast<WPARAM>(index), 0);
  if (start < 0) return std::string();
  LRESULT length = SendMessageA(wnd, EM_LINELENGTH, static_cast<WPARAM>(start), 0);
  std::string line(static_cast<size_t>(std::max<LRESULT>(length, 2)) + 1, '\0');
  *reinterpret_cast<WORD*>(line.data()) = static_cast<WORD>(std::min<LRESULT>(line.size(), 0xFFFF));
  LRESULT copied = SendMessageA(wnd, EM_GETLINE, static_cast<WPARAM>(index),
                                reinterpret_cast<LPARAM>(line.data()));
  line.resize(static_cast<size_t>(std::clamp<LRESULT>(copied, 0, length)));
  return line;
}

// The window counts an empty last line; the list does not.
int TMemoStrings::GetCount() const {
  HWND wnd = FMemo->GetWindowHandle();
  if (!wnd) return static_cast<int>(FMemo->FHeldLines.size());
  int count = static_cast<int>(SendMessageA(wnd, EM_GETLINECOUNT, 0, 0));
  LRESULT lastStart = SendMessageA(wnd, EM_LINEINDEX, static_cast<WPARAM>(count - 1), 0);
  if (SendMessageA(wnd, EM_LINELENGTH, static_cast<WPARAM>(lastStart), 0) == 0) --count;
  return count;
}

void TMemoStrings::Put(int index, const std::string& text) {
  HWND wnd = FMemo->GetWindowHandle();
  if (!wnd) {
    if (index < 0 || index >= GetCount()) Error(SListIndexError, index);
    FMemo->FHeldLines[static_cast<size_t>(index)] = text;
    FMemo->Perform(CM_TEXTCHANGED, 0, 0);
    return;
  }
  LRESULT start = SendMessageA(wnd, EM_LINEINDEX, static_cast<WPARAM>(index), 0);
  if (start < 0) return;
  LRESULT length = SendMessageA(wnd, EM_LINELENGTH, static_cast<WPARAM>(start), 0);
  SendMessageA(wnd, EM_SETSEL, static_cast<WPARAM>(start), start + length);
  SendText(wnd, EM_REPLACESEL, 0, text);
}

void TMemoStrings::Insert(int index, const std::string& text) {
  HWND wnd = FMemo->GetWindowHandle();
  if (!wnd) {
    auto& lines = FMemo->FHeldLines;
    if (index < 0 || index > GetCount()) Error(SListIndexError, index);
    if (lines.empty()) FMemo->FHeldTrailingBreak = true;
    lines.insert(lines.begin() + index, text);
    FMemo->Perform(CM_TEXTCHANGED, 0, 0);
    return;
  }
  if (index < 0) return;
  LRESULT at = SendMessageA(wnd, EM_LINEINDEX, static_cast<WPARAM>(index), 0);
  std::string inserted;
  if (at >= 0) {
    inserted = text + "\r\n";
  } else {
    at = SendMessageA(wnd, EM_LINEINDEX, static_cast<WPARAM>(index - 1), 0);
    if (at < 0) return;
    LRESULT length = SendMessageA(wnd, EM_LINELENGTH, static_cast<WPARAM>(at), 0);
    if (length == 0) return;
    at += length;
    inserted = "\r\n" + text;
  }
  SendMessageA(wnd, EM_SETSEL, static_cast<WPARAM>(at), at);
  SendText(wnd, EM_REPLACESEL, 0, inserted);
}

void TMemoStrings::Delete(int index) {
  HWND wnd = FMemo->GetWindowHandle();
  if (!wnd) {
    auto& lines = FMemo->FHeldLines;
    if (index < 0 || index >= GetCount()) Error(SListIndexError, index);
    lines.erase(lines.begin() + index);
    if (lines.empty()) FMemo->FHeldTrailingBreak = false;
    FMemo->Perform(CM_TEXTCHANGED, 0, 0);
    return;
  }
  LRESULT start = SendMessageA(wnd, EM_LINEINDEX, static_cast<WPARAM>(index), 0);
  if (start < 0) return;
  LRESULT end = SendMessageA(wnd, EM_LINEINDEX, static_cast<WPARAM>(index + 1), 0);
  if (end < 0) end = start + SendMessageA(wnd, EM_LINELENGTH, static_cast<WPARAM>(start), 0);
  SendMessageA(wnd, EM_SETSEL, static_cast<WPARAM>(start), end);
  SendText(wnd, EM_REPLACESEL, 0, std::string());
}

void TMemoStrings::Clear() { FMemo->SetText(std::string()); }

std::string TMemoStrings::GetTextStr() const { return FMemo->GetText(); }

void TMemoStrings::SetTextStr(const std::string& text) {
  std::string adjusted = AdjustLineBreaks(text);
  if (adjusted != FMemo->GetText()) FMemo->SetText(adjusted);
}

void TMemoStrings::SetUpdateState(bool updating) {
  HWND wnd = FMemo->GetWindowHandle();
  if (!wnd) return;
  SendMessageA(wnd, WM_SETREDRAW, !updating, 0);
  if (!updating) FMemo->Refresh();
}

// ---- TCustomMemo ----------------------------------------------------------------------------
TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner), FLines(new TMemoStrings(this)) {
  FWidth = 185;
  FHeight = 89;
  FAutoSelect = false;
}

TCustomMemo::~TCustomMemo() {
  if (FHandle) DestroyHandle();
  FLines.reset();
}

void TCustomMemo::SetLines(TStrings* value) { FLines->Assign(value); }

void TCustomMemo::SetScrollBars(TScrollStyle value) {
  if (FScrollBars == value) return;
  FScrollBars = value;
  RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool value) {
  if (FWordWrap == value) return;
  FWordWrap = value;
  RecreateWnd();
}

void TCustomMemo::SetAlignment(TAlignment value) {
  if (FAlignment == value) return;
  FAlignment = value;
  RecreateWnd();
}

POINT TCustomMemo::GetCaretPos() {
  if (!FHandle) return POINT{0, 0};
  DWORD start = 0, end = 0;
  SendMessageA(FHandle, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  LONG line = static_cast<LONG>(SendMessageA(FHandle, EM_LINEFROMCHAR, end, 0));
  LONG column = static_cast<LONG>(end - SendMessageA(FHandle, EM_LINEINDEX, line, 0));
  return POINT{column, line};
}

void TCustomMemo::CreateParams(TCreateParams& params) {
  TCustomEdit::CreateParams(params);
  params.Caption = HeldText();
  params.Style &= ~(ES_AUTOHSCROLL | ES_AUTOVSCROLL);
  params.Style |= ES_MULTILINE | ES_AUTOVSCROLL;
  if (!FWordWrap) params.Style |= ES_AUTOHSCROLL;
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) params.Style |= WS_VSCROLL;
  if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) params.Style |= WS_HSCROLL;
  static const DWORD kAlign[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
  params.Style |= kAlign[FAlignment];
}

// A memo holds as much text as the system allows, not the edit's default limit.
void TCustomMemo::CreateWnd() {
  TCustomEdit::CreateWnd();
  FHeldLines.clear();
  FHeldTrailingBreak = false;
  if (FMaxLength == 0) SendMessageA(FHandle, EM_LIMITTEXT, 0x7FFFFFFE, 0);
}

void TCustomMemo::DestroyWnd() {
  std::string text = GetText();
  DestroyWindowHandle();
  HoldText(text);
}

std::string TCustomMemo::HeldText() const {
  std::string text;
  for (size_t i = 0; i < FHeldLines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += FHeldLines[i];
  }
  if (FHeldTrailingBreak) text += "\r\n";
  return text;
}

void TCustomMemo::HoldText(const std::string& text) {
  FHeldLines.clear();
  FHeldTrailingBreak = false;
  if (text.empty()) return;
  size_t start = 0;
  while (true) {
    size_t brk = text.find_first_of("\r\n", start);
    if (brk == std::string::npos) {
      FHeldLines.push_back(text.substr(start));
      return;
    }
    FHeldLines.push_back(text.substr(start, brk - start));
    start = brk + ((text[brk] == '\r' && brk + 1 < text.size() && text[brk + 1] == '\n') ? 2 : 1);
    if (start == text.size()) {
      FHeldTrailingBreak = true;
      return;
    }
  }
}

// Without a window the text lives in the held lines (WM_SETTEXT turns line breaks into CR LF
// with or without a window).
void TCustomMemo::DefaultHandler(TMessage& message) {
  if (FHandle) {
    TCustomEdit::DefaultHandler(message);
    return;
  }
  switch (message.Msg) {
    case WM_GETTEXTLENGTH: message.Result = static_cast<LRESULT>(HeldText().size()); return;
    case WM_GETTEXT: {
      std::string text = HeldText();
      if (message.WParam == 0) { message.Result = 0; return; }
      size_t count = std::min<size_t>(text.size(), message.WParam - 1);
      char* buffer = reinterpret_cast<char*>(message.LParam);
      text.copy(buffer, count);
      buffer[count] = '\0';
      message.Result = static_cast<LRESULT>(count);
      return;
    }
    case WM_SETTEXT: {
      const char* text = reinterpret_cast<const char*>(message.LParam);
      HoldText(text ? text : "");
      message.Result = 1;
      return;
    }
  }
  TCustomEdit::DefaultHandler(message);
}

void TCustomMemo::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_SETTEXT: {
      const char* text = reinterpret_cast<const char*>(message.LParam);
      std::string adjusted = AdjustLineBreaks(text ? text : "");
      message.LParam = reinterpret_cast<LPARAM>(adjusted.c_str());
      TCustomEdit::Dispatch(message);
      return;
    }
    case WM_GETDLGCODE:
      TCustomEdit::Dispatch(message);
      if (FWantTabs) message.Result |= DLGC_WANTTAB;
      else message.Result &= ~DLGC_WANTTAB;
      if (!FWantReturns) message.Result &= ~DLGC_WANTALLKEYS;
      return;
  }
  TCustomEdit::Dispatch(message);
}

void TCustomMemo::KeyPress(char& key) {
  TCustomEdit::KeyPress(key);
  if (key == '\r' && !FWantReturns) key = '\0';
}

// ---- TCustomLabel ---------------------------------------------------------------------------
TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
  FWidth = 65;
  FHeight = 17;
  FControlStyle |= csOpaque;
  FColor = clBtnFace;
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

std::string TCustomLabel::GetLabelText() { return GetText(); }

void TCustomLabel::SetAlignment(TAlignment value) {
  if (FAlignment == value) return;
  FAlignment = value;
  Invalidate();
}

void TCustomLabel::SetAutoSize(bool value) {
  if (FAutoSize == value) return;
  FAutoSize = value;
  AdjustBounds();
}

void TCustomLabel::SetEllipsisPosition(TEllipsisPosition value) {
  if (FEllipsisPosition == value) return;
  FEllipsisPosition = value;
  FAutoSize = FAutoSize && value == epNone;
  Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* value) {
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = value;
  if (value) value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* component, TOperation operation) {
  TGraphicControl::Notification(component, operation);
  if (operation == opRemove && component == FFocusControl) FFocusControl = nullptr;
}

void TCustomLabel::SetLayout(TTextLayout value) {
  if (FLayout == value) return;
  FLayout = value;
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool value) {
  if (FShowAccelChar == value) return;
  FShowAccelChar = value;
  AdjustBounds();
  Invalidate();
}

bool TCustomLabel::GetTransparent() const { return !(FControlStyle & csOpaque); }

void TCustomLabel::SetTransparent(bool value) {
  if (GetTransparent() == value) return;
  if (value) FControlStyle &= ~csOpaque;
  else FControlStyle |= csOpaque;
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool value) {
  if (FWordWrap == value) return;
  FWordWrap = value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::DoDrawText(RECT& rect, UINT flags) {
  std::string text = GetLabelText();
  if ((flags & DT_CALCRECT) && (text.empty() || (FShowAccelChar && text == "&"))) text += ' ';
  flags = BeginLabelTextDrawing(flags);
  if (CutsWrappedText()) text = FitWrappedText(text, rect, flags);
  DrawLabelTextShaded(rect, flags, [&](RECT& where) {
    DrawTextA(FCanvas->GetHandle(), text.c_str(), static_cast<int>(text.size()), &where, flags);
  });
}

UINT TCustomLabel::BeginLabelTextDrawing(UINT flags) {
  if (!FShowAccelChar) flags |= DT_NOPREFIX;
  flags = DrawTextBiDiModeFlags(flags);
  FCanvas->GetFont()->Assign(FFont.get());
  if (FEllipsisPosition != epNone && !FAutoSize) {
    static const UINT kEllipsis[] = {0, DT_PATH_ELLIPSIS, DT_END_ELLIPSIS, DT_WORD_ELLIPSIS};
    flags = (flags & ~(DT_CALCRECT | DT_EXPANDTABS)) | kEllipsis[FEllipsisPosition];
  }
  FCanvas->GetBrush()->SetStyle(bsClear);
  FCanvas->RequiredState(csHandleValid | csFontValid | csBrushValid);
  SetBkMode(FCanvas->GetHandle(), TRANSPARENT);
  return flags;
}

bool TCustomLabel::CutsWrappedText() const {
  return FWordWrap && !FAutoSize && (FEllipsisPosition == epEndEllipsis || FEllipsisPosition == epWordEllipsis);
}

void TCustomLabel::DrawLabelTextShaded(RECT& rect, UINT flags, const std::function<void(RECT&)>& draw) {
  HDC dc = FCanvas->GetHandle();
  if (!FEnabled && !(flags & DT_CALCRECT)) {
    RECT shifted = rect;
    OffsetRect(&shifted, 1, 1);
    SetTextColor(dc, ColorToRGB(clBtnHighlight));
    draw(shifted);
    SetTextColor(dc, ColorToRGB(clBtnShadow));
  } else {
    SetTextColor(dc, ColorToRGB(FFont->GetColor()));
  }
  draw(rect);
}

// Wrapped text that does not fit loses whole words from its end, followed by "...".
std::string TCustomLabel::FitWrappedText(const std::string& text, const RECT& rect, UINT flags) {
  HDC dc = FCanvas->GetHandle();
  SIZE dots{0, 0};
  GetTextExtentPoint32A(dc, "...", 3, &dots);
  int available = std::max(GetClientHeight(), std::abs(FFont->GetHeight()));
  std::string cut = text, shown = text;
  while (true) {
    RECT measure{rect.left, rect.top, rect.right - dots.cx, rect.top};
    DrawTextA(dc, shown.c_str(), static_cast<int>(shown.size()), &measure, flags | DT_CALCRECT);
    if (measure.bottom - measure.top <= available) return shown;
    // An empty caption has nothing to give up: it draws as nothing.
    if (cut.empty()) return std::string();
    size_t gap = cut.find_last_of(" \t");
    if (gap == std::string::npos) cut.pop_back();
    else cut.erase(gap);
    if (cut.empty()) return std::string();
    shown = cut + "...";
  }
}

void TCustomLabel::Paint() {
  static const UINT kAlign[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  RECT rect = GetClientRect();
  if (!GetTransparent()) {
    FCanvas->GetBrush()->SetColor(FColor);
    FCanvas->GetBrush()->SetStyle(bsSolid);
    FCanvas->FillRect(rect);
  }
  UINT flags = DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0) | kAlign[FAlignment];
  if (FLayout != tlTop) {
    RECT measured = rect;
    DoDrawText(measured, flags | DT_CALCRECT);
    int offset = (rect.bottom - rect.top) - (measured.bottom - measured.top);
    rect.top += FLayout == tlBottom ? offset : offset / 2;
  }
  DoDrawText(rect, flags);
}

// Auto-size: the caption's measured size, keeping the right edge for right-aligned labels.
void TCustomLabel::AdjustBounds() {
  if (IsLoading() || !FAutoSize) return;
  RECT rect = GetClientRect();
  DoDrawText(rect, DT_EXPANDTABS | DT_CALCRECT | (FWordWrap ? DT_WORDBREAK : 0));
  int left = FLeft;
  int width = rect.right - rect.left;
  bool alignRight = (FAlignment == taRightJustify) != UseRightToLeftAlignment();
  if (alignRight) left += FWidth - width;
  else if (FAlignment == taCenter) left += (FWidth - width) / 2;
  SetBounds(left, FTop, width, rect.bottom - rect.top);
}

void TCustomLabel::CMTextChanged(TMessage&) {
  Invalidate();
  AdjustBounds();
}

void TCustomLabel::CMFontChanged(TMessage& message) {
  TGraphicControl::CMFontChanged(message);
  AdjustBounds();
}

void TCustomLabel::CMDialogChar(TMessage& message) {
  auto& key = MessageAs<TCMDialogChar>(message);
  if (FFocusControl && FEnabled && FShowAccelChar && IsAccelChar(key.CharCode, GetText()) &&
      FFocusControl->CanFocus()) {
    FFocusControl->SetFocus();
    message.Result = 1;
  }
}

// ---- buttons --------------------------------------------------------------------------------
TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) {
  FControlStyle &= ~csClickEvents;  // clicks come as BN_CLICKED
  FTabStop = true;
  FParentColor = false;
  FColor = clBtnFace;
  FBrush->SetColor(FColor);
}

TButton::TButton(TComponent* owner) : TButtonControl(owner) {
  FWidth = 75;
  FHeight = 25;
  FControlStyle &= ~csSetCaption;
}

void TButton::CreateParams(TCreateParams& params) {
  TButtonControl::CreateParams(params);
  CreateSubClass(params, "BUTTON");
  params.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool value) {
  if (FDefault == value) return;
  FDefault = value;
  ShowAsDefault(value);
}

// Only a push button that the system draws changes its frame; an owner-drawn one keeps its kind.
void TButton::ShowAsDefault(bool value) {
  if (!FHandle) return;
  const LONG kind = GetWindowLongA(FHandle, GWL_STYLE) & BS_TYPEMASK;
  if ((kind != BS_PUSHBUTTON && kind != BS_DEFPUSHBUTTON) || (kind == BS_DEFPUSHBUTTON) == value) return;
  SendMessageA(FHandle, BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

bool TButton::TakesEnter(const TControl* focused) const {
  return focused == this || (FDefault && !dynamic_cast<const TButton*>(focused));
}

void TButton::CMFocusChanged(TMessage& message) {
  ShowAsDefault(TakesEnter(reinterpret_cast<const TControl*>(message.LParam)));
}

void TButton::Click() {
  if (FModalResult != mrNone)
    if (IParentForm* form = ParentFormOf(this)) form->SetModalResult(FModalResult);
  TButtonControl::Click();
}

void TButton::Dispatch(TMessage& message) {
  if (message.Msg == CN_COMMAND) {
    if (MessageAs<TWMCommand>(message).NotifyCode == BN_CLICKED) Click();
    return;
  }
  if (message.Msg == CM_FOCUSCHANGED) {
    CMFocusChanged(message);
    return;
  }
  TButtonControl::Dispatch(message);
}

// Enter presses the focused button, else the default button; Escape the cancel button.
void TButton::CMDialogKey(TMessage& message) {
  WORD key = MessageAs<TWMKey>(message).CharCode;
  const bool enter = key == VK_RETURN && TakesEnter(FindControl(GetFocus()));
  if ((enter || (key == VK_ESCAPE && FCancel)) &&
      !(KeyDataToShiftState(message.LParam) & (ssAlt | ssCtrl)) && CanFocus()) {
    Click();
    message.Result = 1;
    return;
  }
  TButtonControl::CMDialogKey(message);
}

void TButton::CMDialogChar(TMessage& message) {
  if (IsAccelChar(MessageAs<TCMDialogChar>(message).CharCode, GetText()) && CanFocus()) {
    Click();
    message.Result = 1;
    return;
  }
  TButtonControl::CMDialogChar(message);
}

// -- check box --
TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TButtonControl(owner) {
  FWidth = 97;
  FHeight = 17;
}

void TCustomCheckBox::CreateParams(TCreateParams& params) {
  TButtonControl::CreateParams(params);
  CreateSubClass(params, "BUTTON");
  params.Style |= BS_3STATE;
  if (FAlignment == taLeft) params.Style |= BS_LEFTTEXT;
}

void TCustomCheckBox::CreateWnd() {
  TButtonControl::CreateWnd();
  SendMessageA(FHandle, BM_SETCHECK, static_cast<WPARAM>(FState), 0);
}

void TCustomCheckBox::SetAlignment(TLeftRight value) {
  if (FAlignment == value) return;
  FAlignment = value;
  RecreateWnd();
}

void TCustomCheckBox::SetState(TCheckBoxState value) {
  if (FState == value) return;
  FState = value;
  if (FHandle) SendMessageA(FHandle, BM_SETCHECK, static_cast<WPARAM>(value), 0);
  if (!FClicksDisabled) Click();
}

void TCustomCheckBox::Toggle() {
  switch (FState) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
  }
}

void TCustomCheckBox::Dispatch(TMessage& message) {
  if (message.Msg == CN_COMMAND) {
    WORD code = MessageAs<TWMCommand>(message).NotifyCode;
    if (code == BN_CLICKED) Toggle();
    return;
  }
  TButtonControl::Dispatch(message);
}

void TCustomCheckBox::CMDialogChar(TMessage& message) {
  if (IsAccelChar(MessageAs<TCMDialogChar>(message).CharCode, GetText()) && CanFocus()) {
    SetFocus();
    if (Focused()) Toggle();
    message.Result = 1;
    return;
  }
  TButtonControl::CMDialogChar(message);
}

// -- radio button --
TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) {
  FWidth = 113;
  FHeight = 17;
  // Only the chosen button of a group is a tab stop (SetChecked), so that the focus entering a
  // group lands on the choice and Space does not change it.
  FTabStop = false;
}

void TRadioButton::CreateParams(TCreateParams& params) {
  TButtonControl::CreateParams(params);
  CreateSubClass(params, "BUTTON");
  params.Style |= BS_RADIOBUTTON;
  if (FAlignment == taLeft) params.Style |= BS_LEFTTEXT;
}

void TRadioButton::CreateWnd() {
  TButtonControl::CreateWnd();
  SendMessageA(FHandle, BM_SETCHECK, FChecked, 0);
}

void TRadioButton::SetAlignment(TLeftRight value) {
  if (FAlignment == value) return;
  FAlignment = value;
  RecreateWnd();
}

void TRadioButton::SetChecked(bool value) {
  if (FChecked == value) return;
  FChecked = value;
  FTabStop = value;
  if (FHandle) SendMessageA(FHandle, BM_SETCHECK, value, 0);
  if (!value) return;
  if (FParent) {
    for (int i = 0; i < FParent->GetControlCount(); ++i)
      if (auto* sibling = dynamic_cast<TRadioButton*>(FParent->GetControl(i)); sibling && sibling != this)
        sibling->SetChecked(false);
  }
  if (!FClicksDisabled) Click();
}

void TRadioButton::Dispatch(TMessage& message) {
  if (message.Msg == CN_COMMAND) {
    WORD code = MessageAs<TWMCommand>(message).NotifyCode;
    if (code == BN_CLICKED) SetChecked(true);
    return;
  }
  TButtonControl::Dispatch(message);
}

void TRadioButton::CMDialogChar(TMessage& message) {
  if (IsAccelChar(MessageAs<TCMDialogChar>(message).CharCode, GetText()) && CanFocus()) {
    SetFocus();
    message.Result = 1;
    return;
  }
  TButtonControl::CMDialogChar(message);
}

std::vector<TRadioButton*> TRadioButton::Group() const {
  std::vector<TRadioButton*> group;
  if (!FParent) return group;
  for (int i = 0; i < FParent->GetControlCount(); ++i)
    if (auto* button = dynamic_cast<TRadioButton*>(FParent->GetControl(i))) group.push_back(button);
  std::stable_sort(group.begin(), group.end(),
                   [](const TRadioButton* a, const TRadioButton* b) { return a->GetTabOrder() < b->GetTabOrder(); });
  return group;
}

bool TRadioButton::IsTabStop() const {
  if (FTabStop) return true;
  const std::vector<TRadioButton*> group = Group();
  if (std::any_of(group.begin(), group.end(), [](TRadioButton* b) { return b->FChecked && b->CanFocus(); }))
    return false;
  auto first = std::find_if(group.begin(), group.end(), [](TRadioButton* b) { return b->CanFocus(); });
  return first != group.end() && *first == this;
}

// As in the system's dialogs: the arrows wrap around the group and pass over buttons that
// cannot take the focus; the button reached takes it and is chosen, with its click.
void TRadioButton::CNKeyDown(TMessage& message) {
  const WORD key = MessageAs<TWMKey>(message).CharCode;
  const bool forward = key == VK_DOWN || key == VK_RIGHT;
  if ((!forward && key != VK_UP && key != VK_LEFT) || GetKeyState(VK_CONTROL) < 0)
    return TButtonControl::CNKeyDown(message);
  message.Result = 1;
  if (IsMenuKey(message)) return;
  const std::vector<TRadioButton*> group = Group();
  const auto count = static_cast<ptrdiff_t>(group.size());
  const ptrdiff_t at = std::find(group.begin(), group.end(), this) - group.begin();
  for (ptrdiff_t step = 1; step < count; ++step) {
    TRadioButton* next = group[static_cast<size_t>(((forward ? at + step : at - step) % count + count) % count)];
    if (!next->CanFocus()) continue;
    next->SetFocus();
    next->SetChecked(true);
    return;
  }
}

// ---- TCustomGroupBox ------------------------------------------------------------------------
TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner) {
  FControlStyle |= csAcceptsControls | csSetCaption | csDoubleClicks;
  FWidth = 185;
  FHeight = 105;
  FParentColor = true;
}

void TCustomGroupBox::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

// Children sit below the caption line and inside the frame.
void TCustomGroupBox::AdjustClientRect(RECT& rect) {
  FCanvas->GetFont()->Assign(FFont.get());
  int lineHeight = FCanvas->TextHeight("0");
  InflateRect(&rect, -1, -1);
  rect.top += lineHeight - 1;
}

// Visual styles draw the themed frame and caption; without them, the etched frame.
void TCustomGroupBox::Paint() {
  FCanvas->GetFont()->Assign(FFont.get());
  if (ThemeServices().ThemesEnabled() && PaintThemed()) return;
  const std::string caption = GetText();
  PaintFrameAndCaption(FCanvas->TextHeight("0"), !caption.empty(), [&caption](HDC dc, RECT& rect, UINT flags) {
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &rect, flags);
  });
}

void TCustomGroupBox::PaintFrameAndCaption(int lineHeight, bool hasCaption,
                                           const std::function<void(HDC, RECT&, UINT)>& drawText) {
  HDC dc = FCanvas->GetHandle();
  RECT frame{0, lineHeight / 2 - 1, FWidth, FHeight};
  if (FCtl3D) {
    RECT light = frame;
    OffsetRect(&light, 1, 1);
    FCanvas->GetBrush()->SetColor(clBtnHighlight);
    FCanvas->FrameRect(light);
    RECT dark = frame;
    dark.right -= 1;
    dark.bottom -= 1;
    FCanvas->GetBrush()->SetColor(clBtnShadow);
    FCanvas->FrameRect(dark);
  } else {
    FCanvas->GetBrush()->SetColor(clWindowFrame);
    FCanvas->FrameRect(frame);
  }
  if (!hasCaption) return;
  RECT text{0, 0, 0, lineHeight};
  UINT flags = DrawTextBiDiModeFlags(DT_SINGLELINE);
  drawText(dc, text, flags | DT_CALCRECT);
  int width = text.right - text.left;
  text.left = UseRightToLeftAlignment() ? FWidth - width - 8 : 8;
  text.right = text.left + width;
  FCanvas->GetBrush()->SetColor(FColor);
  FCanvas->GetBrush()->SetStyle(bsSolid);
  FCanvas->RequiredState(csHandleValid | csFontValid | csBrushValid);
  SetBkColor(dc, ColorToRGB(FColor));
  SetBkMode(dc, OPAQUE);
  SetTextColor(dc, ColorToRGB(FEnabled ? FFont->GetColor() : clGrayText));
  drawText(dc, text, flags);
}

bool TCustomGroupBox::PaintThemed() {
  HDC dc = FCanvas->GetHandle();
  FCanvas->RequiredState(csHandleValid | csFontValid);
  std::string caption = GetText();
  RECT captionRect{0, 0, 0, 0};
  if (!caption.empty()) {
    SIZE size{0, 0};
    GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
    captionRect = UseRightToLeftAlignment() ? RECT{FWidth - 8 - size.cx, 0, FWidth - 8, size.cy}
                                            : RECT{8, 0, 8 + size.cx, size.cy};
  }
  RECT frame{0, (captionRect.bottom - captionRect.top) / 2, FWidth, FHeight};
  if (caption.empty()) frame.top = FCanvas->TextHeight("0") / 2;
  int saved = SaveDC(dc);
  ExcludeClipRect(dc, captionRect.left, captionRect.top, captionRect.right, captionRect.bottom);
  bool painted = ThemeServices().DrawGroupBox(FHandle, dc, frame, FEnabled);
  RestoreDC(dc, saved);
  if (!painted) return false;
  if (!caption.empty()) {
    int length = MultiByteToWideChar(CP_ACP, 0, caption.c_str(), static_cast<int>(caption.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, caption.c_str(), static_cast<int>(caption.size()), wide.data(), length);
    ThemeServices().DrawGroupBoxText(FHandle, dc, wide, captionRect,
                                     DrawTextBiDiModeFlags(DT_SINGLELINE), FEnabled);
  }
  return true;
}

void TCustomGroupBox::CMDialogChar(TMessage& message) {
  if (IsAccelChar(MessageAs<TCMDialogChar>(message).CharCode, GetText()) && CanFocus()) {
    SelectFirst();
    message.Result = 1;
    return;
  }
  TCustomControl::CMDialogChar(message);
}

void TCustomGroupBox::CMTextChanged(TMessage& message) {
  Invalidate();
  TCustomControl::CMTextChanged(message);
}

// ---- TCustomStaticText ----------------------------------------------------------------------
TCustomStaticText::TCustomStaticText(TComponent* owner) : TWinControl(owner) {
  FWidth = 65;
  FHeight = 17;
  FControlStyle |= csSetCaption | csClickEvents | csDoubleClicks;
  FColor = clBtnFace;
  FBrush->SetColor(FColor);
}

void TCustomStaticText::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  CreateSubClass(params, "STATIC");
  static const DWORD kAlign[] = {SS_LEFT, SS_RIGHT, SS_CENTER};
  params.Style |= SS_NOTIFY | kAlign[FAlignment];
  if (!FShowAccelChar) params.Style |= SS_NOPREFIX;
  if (FBorderStyle == sbsSingle) params.Style |= WS_BORDER;
  if (FBorderStyle == sbsSunken) params.Style |= SS_SUNKEN;
}

void TCustomStaticText::Loaded() {
  TWinControl::Loaded();
  AdjustBounds();
}

void TCustomStaticText::SetAlignment(TAlignment value) {
  if (FAlignment == value) return;
  FAlignment = value;
  RecreateWnd();
}

void TCustomStaticText::SetAutoSize(bool value) {
  if (FAutoSize == value) return;
  FAutoSize = value;
  if (value) AdjustBounds();
}

void TCustomStaticText::SetBorderStyle(TStaticBorderStyle value) {
  if (FBorderStyle == value) return;
  FBorderStyle = value;
  RecreateWnd();
}

void TCustomStaticText::SetFocusControl(TWinControl* value) {
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = value;
  if (value) value->FreeNotification(this);
}

void TCustomStaticText::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == opRemove && component == FFocusControl) FFocusControl = nullptr;
}

void TCustomStaticText::SetShowAccelChar(bool value) {
  if (FShowAccelChar == value) return;
  FShowAccelChar = value;
  RecreateWnd();
}

// The caption's size on the screen plus the border, keeping left and top.
void TCustomStaticText::AdjustBounds() {
  if (IsLoading() || !FAutoSize) return;
  std::string caption = GetText();
  SIZE size{0, 0};
  {
    ScopedGetDC screen;
    ScopedSelect font(screen.Get(), FFont->GetHandle());
    GetTextExtentPoint32A(screen.Get(), caption.c_str(), static_cast<int>(caption.size()), &size);
  }
  int border = FBorderStyle == sbsNone ? 0 : 1;
  SetBounds(FLeft, FTop, size.cx + 4 * GetSystemMetrics(SM_CXBORDER) * border + (border ? 0 : 0),
            size.cy + 4 * GetSystemMetrics(SM_CYBORDER) * border);
}

void TCustomStaticText::CMTextChanged(TMessage& message) {
  TWinControl::CMTextChanged(message);
  AdjustBounds();
}

void TCustomStaticText::CMFontChanged(TMessage& message) {
  TWinControl::CMFontChanged(message);
  AdjustBounds();
}

void TCustomStaticText::CMDialogChar(TMessage& message) {
  if (FFocusControl && FEnabled && FShowAccelChar &&
      IsAccelChar(MessageAs<TCMDialogChar>(message).CharCode, GetText()) &&
      FFocusControl->CanFocus()) {
    FFocusControl->SetFocus();
    message.Result = 1;
  }
}

void TCustomStaticText::Dispatch(TMessage& message) {
  if (message.Msg == CN_COMMAND) {
    return;  // clicks come through the mouse messages
  }
  TWinControl::Dispatch(message);
}

// ---- TScrollBar -----------------------------------------------------------------------------
TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner) {
  FWidth = 121;
  FHeight = GetSystemMetrics(SM_CYHSCROLL);
  FTabStop = true;
  FControlStyle &= ~(csSetCaption | csDoubleClicks);
}

void TScrollBar::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  CreateSubClass(params, "SCROLLBAR");
  params.Style |= FKind == sbHorizontal ? SBS_HORZ : SBS_VERT;
}

void TScrollBar::CreateWnd() {
  TWinControl::CreateWnd();
  UpdateScrollInfo();
}

void TScrollBar::UpdateScrollInfo() {
  if (!FHandle) return;
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_ALL;
  info.nMin = FMin;
  info.nMax = FMax + (FPageSize > 0 ? FPageSize - 1 : 0);
  info.nPage = static_cast<UINT>(FPageSize);
  info.nPos = FPosition;
  SetScrollInfo(FHandle, SB_CTL, &info, TRUE);
}

void TScrollBar::SetKind(TScrollBarKind value) {
  if (FKind == value) return;
  FKind = value;
  if (!IsLoading()) SetBounds(FLeft, FTop, FHeight, FWidth);
  RecreateWnd();
}

void TScrollBar::SetPageSize(int value) {
  FPageSize = std::max(0, value);
  UpdateScrollInfo();
}

void TScrollBar::SetParams(int position, int min, int max) {
  if (max < min) throw EInvalidOperation("Scroll bar property out of range");
  position = std::clamp(position, min, max);
  bool changed = position != FPosition;
  FMin = min;
  FMax = max;
  FPosition = position;
  UpdateScrollInfo();
  if (changed) Change();
}

void TScrollBar::Change() {
  if (OnChange) OnChange(this);
}

void TScrollBar::Scroll(TScrollCode code, int& position) {
  if (OnScroll) OnScroll(this, code, position);
}

void TScrollBar::DoScroll(TMessage& message) {
  const auto& scroll = MessageAs<TWMScroll>(message);
  int position = FPosition;
  auto code = static_cast<TScrollCode>(scroll.ScrollCode);
  switch (scroll.ScrollCode) {
    case SB_LINEUP: position -= FSmallChange; break;
    case SB_LINEDOWN: position += FSmallChange; break;
    case SB_PAGEUP: position -= FLargeChange; break;
    case SB_PAGEDOWN: position += FLargeChange; break;
    case SB_THUMBPOSITION: case SB_THUMBTRACK: {
      SCROLLINFO info{};
      info.cbSize = sizeof(info);
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(FHandle, SB_CTL, &info);
      position = info.nTrackPos;
      break;
    }
    case SB_TOP: position = FMin; break;
    case SB_BOTTOM: position = FMax; break;
    default: break;
  }
  position = std::clamp(position, FMin, FMax);
  Scroll(code, position);
  SetPosition(position);
}

void TScrollBar::Dispatch(TMessage& message) {
  if (message.Msg == CN_HSCROLL || message.Msg == CN_VSCROLL) {
    DoScroll(message);
    return;
  }
  TWinControl::Dispatch(message);
}

// ---- published properties -------------------------------------------------------------------
namespace {

const TIdentMap kAlignments{{"taLeftJustify", taLeftJustify}, {"taRightJustify", taRightJustify},
                            {"taCenter", taCenter}};
const TIdentMap kLeftRight{{"taLeftJustify", taLeft}, {"taRightJustify", taRight}};
const TIdentMap kModalResults{{"mrNone", mrNone}, {"mrOk", mrOk}, {"mrCancel", mrCancel},
                              {"mrAbort", mrAbort}, {"mrRetry", mrRetry}, {"mrIgnore", mrIgnore},
                              {"mrYes", mrYes}, {"mrNo", mrNo}, {"mrAll", mrAll},
                              {"mrNoToAll", mrNoToAll}, {"mrYesToAll", mrYesToAll}};

}  // namespace

void TCustomEdit::DeclareProperties(TPropertyTable& table) {
  static const TIdentMap kCharCase{{"ecNormal", ecNormal}, {"ecUpperCase", ecUpperCase},
                                   {"ecLowerCase", ecLowerCase}};
  static const TIdentMap kBorder{{"bsNone", ebsNone}, {"bsSingle", ebsSingle}};
  auto p = table.For<TCustomEdit>();
  p.Boolean("ReadOnly", &TCustomEdit::GetReadOnly, &TCustomEdit::SetReadOnly);
  p.Integer("MaxLength", &TCustomEdit::GetMaxLength, &TCustomEdit::SetMaxLength);
  p.String("PasswordChar", &TCustomEdit::GetPasswordCharText, &TCustomEdit::SetPasswordCharText);
  p.Enum("CharCase", &TCustomEdit::GetCharCase, &TCustomEdit::SetCharCase, kCharCase);
  p.Enum("BorderStyle", &TCustomEdit::GetBorderStyle, &TCustomEdit::SetBorderStyle, kBorder);
  p.Boolean("AutoSelect", &TCustomEdit::GetAutoSelect, &TCustomEdit::SetAutoSelect);
  p.Boolean("HideSelection", &TCustomEdit::GetHideSelection, &TCustomEdit::SetHideSelection);
  p.Event("OnChange", &TCustomEdit::OnChange);
}

void TCustomMemo::DeclareProperties(TPropertyTable& table) {
  static const TIdentMap kScrollBars{{"ssNone", ssNone}, {"ssHorizontal", ssHorizontal},
                                     {"ssVertical", ssVertical}, {"ssBoth", ssBoth}};
  auto p = table.For<TCustomMemo>();
  p.Object("Lines", &TCustomMemo::GetLines);
  p.Enum("ScrollBars", &TCustomMemo::GetScrollBars, &TCustomMemo::SetScrollBars, kScrollBars);
  p.Boolean("WordWrap", &TCustomMemo::GetWordWrap, &TCustomMemo::SetWordWrap);
  p.Boolean("WantReturns", &TCustomMemo::GetWantReturns, &TCustomMemo::SetWantReturns);
  p.Boolean("WantTabs", &TCustomMemo::GetWantTabs, &TCustomMemo::SetWantTabs);
  p.Enum("Alignment", &TCustomMemo::GetAlignment, &TCustomMemo::SetAlignment, kAlignments);
}

void TCustomLabel::DeclareProperties(TPropertyTable& table) {
  static const TIdentMap kEllipsis{{"epNone", epNone}, {"epPathEllipsis", epPathEllipsis},
                                   {"epEndEllipsis", epEndEllipsis}, {"epWordEllipsis", epWordEllipsis}};
  static const TIdentMap kLayout{{"tlTop", tlTop}, {"tlCenter", tlCenter}, {"tlBottom", tlBottom}};
  auto p = table.For<TCustomLabel>();
  p.Enum("Alignment", &TCustomLabel::GetAlignment, &TCustomLabel::SetAlignment, kAlignments);
  p.Boolean("AutoSize", &TCustomLabel::GetAutoSize, &TCustomLabel::SetAutoSize);
  p.Enum("EllipsisPosition", &TCustomLabel::GetEllipsisPosition, &TCustomLabel::SetEllipsisPosition, kEllipsis);
  p.Component("FocusControl", &TCustomLabel::GetFocusControl, &TCustomLabel::SetFocusControl);
  p.Enum("Layout", &TCustomLabel::GetLayout, &TCustomLabel::SetLayout, kLayout);
  p.Boolean("ShowAccelChar", &TCustomLabel::GetShowAccelChar, &TCustomLabel::SetShowAccelChar);
  p.Boolean("Transparent", &TCustomLabel::GetTransparent, &TCustomLabel::SetTransparent);
  p.Boolean("WordWrap", &TCustomLabel::GetWordWrap, &TCustomLabel::SetWordWrap);
}

void TButton::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TButton>();
  p.Boolean("Default", &TButton::GetDefault, &TButton::SetDefault);
  p.Boolean("Cancel", &TButton::GetCancel, &TButton::SetCancel);
  p.Integer("ModalResult", &TButton::GetModalResult, &TButton::SetModalResult, &kModalResults);
}

void TCustomCheckBox::DeclareProperties(TPropertyTable& table) {
  static const TIdentMap kStates{{"cbUnchecked", cbUnchecked}, {"cbChecked", cbChecked},
                                 {"cbGrayed", cbGrayed}};
  auto p = table.For<TCustomCheckBox>();
  p.Boolean("Checked", &TCustomCheckBox::GetChecked, &TCustomCheckBox::SetChecked);
  p.Enum("State", &TCustomCheckBox::GetState, &TCustomCheckBox::SetState, kStates);
  p.Boolean("AllowGrayed", &TCustomCheckBox::GetAllowGrayed, &TCustomCheckBox::SetAllowGrayed);
  p.Enum("Alignment", &TCustomCheckBox::GetAlignment, &TCustomCheckBox::SetAlignment, kLeftRight);
}

void TRadioButton::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TRadioButton>();
  p.Boolean("Checked", &TRadioButton::GetChecked, &TRadioButton::SetChecked);
  p.Enum("Alignment", &TRadioButton::GetAlignment, &TRadioButton::SetAlignment, kLeftRight);
}

void TCustomStaticText::DeclareProperties(TPropertyTable& table) {
  static const TIdentMap kBorders{{"sbsNone", sbsNone}, {"sbsSingle", sbsSingle}, {"sbsSunken", sbsSunken}};
  auto p = table.For<TCustomStaticText>();
  p.Enum("Alignment", &TCustomStaticText::GetAlignment, &TCustomStaticText::SetAlignment, kAlignments);
  p.Boolean("AutoSize", &TCustomStaticText::GetAutoSize, &TCustomStaticText::SetAutoSize);
  p.Enum("BorderStyle", &TCustomStaticText::GetBorderStyle, &TCustomStaticText::SetBorderStyle, kBorders);
  p.Component("FocusControl", &TCustomStaticText::GetFocusControl, &TCustomStaticText::SetFocusControl);
  p.Boolean("ShowAccelChar", &TCustomStaticText::GetShowAccelChar, &TCustomStaticText::SetShowAccelChar);
}

void TScrollBar::DeclareProperties(TPropertyTable& table) {
  static const TIdentMap kKinds{{"sbHorizontal", sbHorizontal}, {"sbVertical", sbVertical}};
  auto p = table.For<TScrollBar>();
  p.Enum("Kind", &TScrollBar::GetKind, &TScrollBar::SetKind, kKinds);
  p.Integer("Max", &TScrollBar::GetMax, &TScrollBar::SetMax);
  p.Integer("Min", &TScrollBar::GetMin, &TScrollBar::SetMin);
  p.Integer("Position", &TScrollBar::GetPosition, &TScrollBar::SetPosition);
  p.Integer("PageSize", &TScrollBar::GetPageSize, &TScrollBar::SetPageSize);
  p.Integer("SmallChange", &TScrollBar::GetSmallChange, &TScrollBar::SetSmallChange);
  p.Integer("LargeChange", &TScrollBar::GetLargeChange, &TScrollBar::SetLargeChange);
  p.Event("OnChange", &TScrollBar::OnChange);
  p.Event("OnScroll", &TScrollBar::OnScroll);
}


TClass TButton::GetActionLinkClass() const { return TButtonActionLink::StaticClass(); }

void RegisterStandardControls() {
  RegisterClasses({StdCtrls::TEdit::StaticClass(), StdCtrls::TMemo::StaticClass(), StdCtrls::TLabel::StaticClass(),
                   TButton::StaticClass(), StdCtrls::TCheckBox::StaticClass(), TRadioButton::StaticClass(),
                   StdCtrls::TGroupBox::StaticClass(), StdCtrls::TStaticText::StaticClass(), TScrollBar::StaticClass(),
                   StdCtrls::TListBox::StaticClass(), StdCtrls::TComboBox::StaticClass()});
  RegisterActionLinkClass<TButtonActionLink>();
}
