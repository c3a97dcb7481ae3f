// List boxes and combo boxes.
#include "classlib/StdLists.h"

#include <algorithm>
#include <cstring>

#include "classlib/Forms.h"
#include "classlib/SysUtils.h"

namespace {

constexpr char kInsertLineError[] = "Unable to insert a line";

LRESULT SendText(HWND wnd, UINT msg, WPARAM wParam, const std::string& text) {
  return SendMessageA(wnd, msg, wParam, reinterpret_cast<LPARAM>(text.c_str()));
}

// The text of item `index` through a length query and a text query (empty on error).
std::string ItemText(HWND wnd, UINT lengthMsg, UINT textMsg, int index, bool* failed = nullptr) {
  LRESULT length = SendMessageA(wnd, lengthMsg, static_cast<WPARAM>(index), 0);
  if (failed) *failed = length < 0;
  if (length < 0) return std::string();
  std::string text(static_cast<size_t>(length) + 1, '\0');
  LRESULT copied = SendMessageA(wnd, textMsg, static_cast<WPARAM>(index),
                                reinterpret_cast<LPARAM>(text.data()));
  if (copied < 0) return std::string();
  text.resize(std::strlen(text.c_str()));
  return text;
}

TStringList* NewHeldList(bool sorted) {
  auto* list = new TStringList;
  list->SetDuplicates(dupAccept);
  list->SetCaseSensitive(false);
  list->SetSorted(sorted);
  return list;
}

}  // namespace

// ---- TListBoxStrings ------------------------------------------------------------------------
std::string TListBoxStrings::Get(int index) const {
  HWND wnd = FListBox->GetWindowHandle();
  if (!wnd) return FListBox->HeldItems()->Get(index);
  bool failed = false;
  std::string text = ItemText(wnd, LB_GETTEXTLEN, LB_GETTEXT, index, &failed);
  if (failed) Error(SListIndexError, index);
  return text;
}

int TListBoxStrings::GetCount() const {
  HWND wnd = FListBox->GetWindowHandle();
  if (!wnd) return FListBox->IsVirtual() ? FListBox->FCount : FListBox->HeldItems()->GetCount();
  return static_cast<int>(SendMessageA(wnd, LB_GETCOUNT, 0, 0));
}

TObject* TListBoxStrings::GetObject(int index) const {
  if (!FListBox->GetWindowHandle()) return FListBox->HeldItems()->GetObject(index);
  if (FListBox->IsVirtual()) return nullptr;
  LRESULT data = FListBox->InternalGetItemData(index);
  if (data == LB_ERR) Error(SListIndexError, index);
  return reinterpret_cast<TObject*>(data);
}

void TListBoxStrings::PutObject(int index, TObject* object) {
  if (!FListBox->GetWindowHandle()) {
    FListBox->HeldItems()->PutObject(index, object);
    return;
  }
  if (index != -1 && !FListBox->IsVirtual())
    FListBox->InternalSetItemData(index, reinterpret_cast<LRESULT>(object));
}

int TListBoxStrings::Add(const std::string& text) {
  HWND wnd = FListBox->GetWindowHandle();
  if (!wnd) return FListBox->HeldItems()->Add(text);
  if (FListBox->IsVirtual()) return -1;
  LRESULT index = SendText(wnd, LB_ADDSTRING, 0, text);
  if (index < 0) throw EOutOfResources(kInsertLineError);
  return static_cast<int>(index);
}

void TListBoxStrings::Insert(int index, const std::string& text) {
  HWND wnd = FListBox->GetWindowHandle();
  if (!wnd) {
    TStringList* held = FListBox->HeldItems();
    if (held->GetSorted()) held->Add(text);
    else held->Insert(index, text);
    return;
  }
  if (FListBox->IsVirtual()) return;
  if (SendText(wnd, LB_INSERTSTRING, static_cast<WPARAM>(index), text) < 0)
    throw EOutOfResources(kInsertLineError);
}

void TListBoxStrings::Delete(int index) {
  if (!FListBox->GetWindowHandle()) {
    FListBox->HeldItems()->Delete(index);
    return;
  }
  FListBox->DeleteString(index);
}

void TListBoxStrings::Clear() {
  if (!FListBox->GetWindowHandle()) {
    FListBox->HeldItems()->Clear();
    FListBox->FSaveItemIndex = -1;
    return;
  }
  FListBox->ResetContent();
}

// Replacing an item keeps its data value and the selection.
void TListBoxStrings::Put(int index, const std::string& text) {
  if (!FListBox->GetWindowHandle()) {
    FListBox->HeldItems()->Put(index, text);
    return;
  }
  int selected = FListBox->GetItemIndex();
  TObject* object = GetObject(index);
  PutObject(index, nullptr);
  Delete(index);
  InsertObject(index, text, object);
  FListBox->SetItemIndex(selected);
}

void TListBoxStrings::Exchange(int index1, int index2) {
  BeginUpdate();
  try {
    int selected = FListBox->GetItemIndex();
    std::string text1 = Get(index1), text2 = Get(index2);
    TObject* object1 = GetObject(index1);
    TObject* object2 = GetObject(index2);
    Put(index1, text2);
    PutObject(index1, object2);
    Put(index2, text1);
    PutObject(index2, object1);
    if (selected == index1) FListBox->SetItemIndex(index2);
    else if (selected == index2) FListBox->SetItemIndex(index1);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TListBoxStrings::Move(int curIndex, int newIndex) {
  if (curIndex == newIndex) return;
  BeginUpdate();
  FListBox->FMoving = true;
  try {
    std::string text = Get(curIndex);
    TObject* object = GetObject(curIndex);
    PutObject(curIndex, nullptr);
    Delete(curIndex);
    InsertObject(newIndex, text, object);
  } catch (...) {
    FListBox->FMoving = false;
    EndUpdate();
    throw;
  }
  FListBox->FMoving = false;
  EndUpdate();
}

int TListBoxStrings::IndexOf(const std::string& text) const {
  HWND wnd = FListBox->GetWindowHandle();
  if (!wnd) return FListBox->HeldItems()->IndexOf(text);
  return static_cast<int>(SendText(wnd, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), text));
}

void TListBoxStrings::SetUpdateState(bool updating) {
  HWND wnd = FListBox->GetWindowHandle();
  if (!wnd) return;
  SendMessageA(wnd, WM_SETREDRAW, !updating, 0);
  if (!updating) FListBox->Refresh();
}

// ---- TCustomListBox -------------------------------------------------------------------------
TCustomListBox::TCustomListBox(TComponent* owner)
    : TCustomMultiSelectListControl(owner), FItems(new TListBoxStrings(this)),
      FCanvas(new TControlCanvas) {
  FCanvas->SetControl(this);
  FControlStyle &= ~csClickEvents;  // clicks come as LBN_SELCHANGE
  FWidth = 121;
  FHeight = 97;
  FTabStop = true;
  FParentColor = false;
  FColor = clWindow;
  FBrush->SetColor(FColor);
}

TCustomListBox::~TCustomListBox() {
  if (FHandle) DestroyHandle();
  delete FItems;
  delete FSaveItems;
  delete FCanvas;
}

TStringList* TCustomListBox::HeldItems() {
  if (!FSaveItems) FSaveItems = NewHeldList(FSorted);
  return FSaveItems;
}

void TCustomListBox::CreateParams(TCreateParams& params) {
  TCustomMultiSelectListControl::CreateParams(params);
  CreateSubClass(params, "LISTBOX");
  static const DWORD kStyles[] = {0, LBS_OWNERDRAWFIXED, LBS_OWNERDRAWVARIABLE,
                                  LBS_OWNERDRAWFIXED | LBS_NODATA, LBS_OWNERDRAWFIXED | LBS_NODATA};
  params.Style |= WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | kStyles[FStyle];
  if (!IsVirtual()) params.Style |= LBS_HASSTRINGS;
  if (FSorted && !IsVirtual()) params.Style |= LBS_SORT;
  if (FMultiSelect) params.Style |= FExtendedSelect ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
  if (!FIntegralHeight) params.Style |= LBS_NOINTEGRALHEIGHT;
  if (FColumns > 0) params.Style |= LBS_MULTICOLUMN;
  params.ExStyle |= WS_EX_CLIENTEDGE;
  params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

// The items held while there was no window go into the new window.
void TCustomListBox::CreateWnd() {
  TCustomMultiSelectListControl::CreateWnd();
  if (FStyle != lbStandard) SendMessageA(FHandle, LB_SETITEMHEIGHT, 0, FItemHeight);
  if (FColumns > 0) SendMessageA(FHandle, LB_SETCOLUMNWIDTH, static_cast<WPARAM>((FWidth + FColumns - 3) / FColumns), 0);
  if (IsVirtual()) SendMessageA(FHandle, LB_SETCOUNT, static_cast<WPARAM>(FCount), 0);
  if (FSaveItems) {
    TStringList* saved = FSaveItems;
    FSaveItems = nullptr;
    try {
      FItems->BeginUpdate();
      for (int i = 0; i < saved->GetCount(); ++i) FItems->AddObject(saved->Get(i), saved->GetObject(i));
      FItems->EndUpdate();
    } catch (...) {
      delete saved;
      throw;
    }
    delete saved;
  }
  SetTopIndex(FSaveTopIndex);
  SetItemIndex(FSaveItemIndex);
}

void TCustomListBox::DestroyWnd() {
  delete FSaveItems;
  FSaveItems = nullptr;
  if (FItems->GetCount() > 0 && !IsVirtual()) {
    TStringList* saved = NewHeldList(FSorted);
    for (int i = 0; i < FItems->GetCount(); ++i) saved->AddObject(FItems->Get(i), FItems->GetObject(i));
    FSaveTopIndex = GetTopIndex();
    FSaveItemIndex = GetItemIndex();
    FSaveItems = saved;
  }
  TCustomMultiSelectListControl::DestroyWnd();
}

int TCustomListBox::GetItemIndex() {
  if (!FHandle) return FSaveItemIndex;
  return static_cast<int>(SendMessageA(FHandle, FMultiSelect ? LB_GETCARETINDEX : LB_GETCURSEL, 0, 0));
}

void TCustomListBox::SetItemIndex(int value) {
  if (!FHandle) {
    FSaveItemIndex = value;
    return;
  }
  if (GetItemIndex() == value && !FMultiSelect) return;
  if (FMultiSelect) SendMessageA(FHandle, LB_SETCARETINDEX, static_cast<WPARAM>(value), FALSE);
  else SendMessageA(FHandle, LB_SETCURSEL, static_cast<WPARAM>(value), 0);
}

int TCustomListBox::GetCount() { return IsVirtual() ? FCount : FItems->GetCount(); }

void TCustomListBox::SetCount(int value) {
  if (!IsVirtual()) throw EInvalidOperation("Operation only valid for virtual list boxes");
  FCount = value;
  if (FHandle) SendMessageA(FHandle, LB_SETCOUNT, static_cast<WPARAM>(value), 0);
}

int TCustomListBox::GetTopIndex() {
  return FHandle ? static_cast<int>(SendMessageA(FHandle, LB_GETTOPINDEX, 0, 0)) : FSaveTopIndex;
}

void TCustomListBox::SetTopIndex(int value) {
  if (FHandle) SendMessageA(FHandle, LB_SETTOPINDEX, static_cast<WPARAM>(value), 0);
  else FSaveTopIndex = value;
}

bool TCustomListBox::GetSelected(int index) {
  if (!FHandle) return index == FSaveItemIndex;
  LRESULT result = SendMessageA(FHandle, LB_GETSEL, static_cast<WPARAM>(index), 0);
  if (result < 0) throw EListError(Format(SListIndexError, index));
  return result != 0;
}

void TCustomListBox::SetSelected(int index, bool value) {
  if (!FHandle) {
    if (value) FSaveItemIndex = index;
    else if (index == FSaveItemIndex) FSaveItemIndex = -1;
    return;
  }
  if (FMultiSelect) {
    if (SendMessageA(FHandle, LB_SETSEL, value, index) < 0)
      throw EListError(Format(SListIndexError, index));
  } else if (value) {
    SetItemIndex(index);
  } else if (GetItemIndex() == index) {
    SetItemIndex(-1);
  }
}

int TCustomListBox::GetSelCount() {
  if (!FHandle) return FSaveItemIndex >= 0 ? 1 : 0;
  if (!FMultiSelect) return GetItemIndex() >= 0 ? 1 : 0;
  return static_cast<int>(SendMessageA(FHandle, LB_GETSELCOUNT, 0, 0));
}

void TCustomListBox::SetMultiSelect(bool value) {
  if (FMultiSelect == value) return;
  FMultiSelect = value;
  RecreateWnd();
}

void TCustomListBox::SetExtendedSelect(bool value) {
  if (FExtendedSelect == value) return;
  FExtendedSelect = value;
  RecreateWnd();
}

void TCustomListBox::SetSorted(bool value) {
  if (FSorted == value) return;
  FSorted = value;
  if (FSaveItems) FSaveItems->SetSorted(value);
  RecreateWnd();
}

void TCustomListBox::SetStyle(TListBoxStyle value) {
  if (FStyle == value) return;
  FStyle = value;
  RecreateWnd();
}

int TCustomListBox::GetItemHeight() {
  if (FHandle && FStyle == lbStandard)
    return static_cast<int>(SendMessageA(FHandle, LB_GETITEMHEIGHT, 0, 0));
  return FItemHeight;
}

void TCustomListBox::SetItemHeight(int value) {
  if (FItemHeight == value || value <= 0) return;
  FItemHeight = value;
  RecreateWnd();
}

void TCustomListBox::SetIntegralHeight(bool value) {
  if (FIntegralHeight == value) return;
  FIntegralHeight = value;
  RecreateWnd();
}

void TCustomListBox::SetColumns(int value) {
  if (FColumns == value) return;
  FColumns = value;
  RecreateWnd();
}

int TCustomListBox::ItemAtPos(POINT pos, bool existing) {
  if (!FHandle) return -1;
  LRESULT result = SendMessageA(FHandle, LB_ITEMFROMPOINT, 0, MAKELPARAM(pos.x, pos.y));
  int index = LOWORD(result);
  bool outside = HIWORD(result) != 0;
  if (outside && existing) return -1;
  return index;
}

RECT TCustomListBox::ItemRect(int index) {
  RECT rect{};
  if (FHandle) SendMessageA(FHandle, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
  return rect;
}

void TCustomListBox::AddItem(const std::string& item, TObject* object) { FItems->AddObject(item, object); }

void TCustomListBox::CopySelection(TCustomListControl* destination) {
  if (!destination) return;
  if (FMultiSelect) {
    for (int i = 0; i < FItems->GetCount(); ++i)
      if (GetSelected(i)) destination->AddItem(FItems->Get(i), FItems->GetObject(i));
  } else if (int index = GetItemIndex(); index >= 0) {
    destination->AddItem(FItems->Get(index), FItems->GetObject(index));
  }
}

void TCustomListBox::Clear() { FItems->Clear(); }

void TCustomListBox::ClearSelection() {
  if (FMultiSelect && FHandle) SendMessageA(FHandle, LB_SETSEL, FALSE, -1);
  else SetItemIndex(-1);
}

void TCustomListBox::DeleteSelected() {
  if (FMultiSelect) {
    for (int i = FItems->GetCount() - 1; i >= 0; --i)
      if (GetSelected(i)) FItems->Delete(i);
  } else if (int index = GetItemIndex(); index >= 0) {
    FItems->Delete(index);
  }
}

void TCustomListBox::SelectAll() {
  if (FMultiSelect && FHandle) SendMessageA(FHandle, LB_SETSEL, TRUE, -1);
}

void TCustomListBox::DeleteString(int index) {
  SendMessageA(GetHandle(), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void TCustomListBox::ResetContent() {
  if (IsVirtual()) return;
  SendMessageA(GetHandle(), LB_RESETCONTENT, 0, 0);
}

LRESULT TCustomListBox::InternalGetItemData(int index) {
  return SendMessageA(GetHandle(), LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
}

void TCustomListBox::InternalSetItemData(int index, LRESULT data) {
  SendMessageA(GetHandle(), LB_SETITEMDATA, static_cast<WPARAM>(index), data);
}

void TCustomListBox::DrawItem(int index, const RECT& rect, TOwnerDrawState state) {
  if (OnDrawItem) {
    OnDrawItem(this, index, rect, state);
    return;
  }
  FCanvas->FillRect(rect);
  if (index < 0 || index >= GetCount()) return;
  std::string text = IsVirtual() ? std::string() : FItems->Get(index);
  if (IsVirtual() && OnData) OnData(this, index, text);
  RECT textRect = rect;
  if (UseRightToLeftAlignment()) textRect.right -= 2;
  else textRect.left += 2;
  FCanvas->RequiredState(csHandleValid | csFontValid | csBrushValid);
  DrawTextA(FCanvas->GetHandle(), text.c_str(), static_cast<int>(text.size()), &textRect,
            DrawTextBiDiModeFlags(DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX));
}

void TCustomListBox::MeasureItem(int index, int& height) {
  if (OnMeasureItem) OnMeasureItem(this, index, height);
}

// Virtual list boxes answer the text queries from OnData.
void TCustomListBox::LBGetText(TMessage& message) {
  if (!IsVirtual()) {
    DefaultHandler(message);
    return;
  }
  int index = static_cast<int>(message.WParam);
  std::string text;
  if (!OnData || index < 0 || index >= FCount) {
    message.Result = LB_ERR;
    return;
  }
  OnData(this, index, text);
  std::memcpy(reinterpret_cast<char*>(message.LParam), text.c_str(), text.size() + 1);
  message.Result = static_cast<LRESULT>(text.size());
}

void TCustomListBox::LBGetTextLen(TMessage& message) {
  if (!IsVirtual()) {
    DefaultHandler(message);
    return;
  }
  int index = static_cast<int>(message.WParam);
  std::string text;
  if (!OnData || index < 0 || index >= FCount) {
    message.Result = LB_ERR;
    return;
  }
  OnData(this, index, text);
  message.Result = static_cast<LRESULT>(text.size());
}

void TCustomListBox::CNCommand(TMessage& message) {
  switch (MessageAs<TWMCommand>(message).NotifyCode) {
    case LBN_SELCHANGE: Click(); break;
    case LBN_DBLCLK: DblClick(); break;
  }
}

void TCustomListBox::CNDrawItem(TMessage& message) {
  const DRAWITEMSTRUCT& draw = *MessageAs<TWMDrawItem>(message).DrawItemStruct;
  TOwnerDrawState state = 0;
  if (draw.itemState & ODS_SELECTED) state |= odSelected;
  if (draw.itemState & ODS_FOCUS) state |= odFocused;
  if (draw.itemState & ODS_DISABLED) state |= odDisabled;
  FCanvas->BeginPaintOn(draw.hDC);
  FCanvas->GetFont()->Assign(FFont);
  FCanvas->GetBrush()->Assign(FBrush);
  if (state & odSelected) {
    FCanvas->GetBrush()->SetColor(clHighlight);
    FCanvas->GetFont()->SetColor(clHighlightText);
  }
  try {
    if (static_cast<int>(draw.itemID) >= 0) DrawItem(static_cast<int>(draw.itemID), draw.rcItem, state);
    else FCanvas->FillRect(draw.rcItem);
    if (state & odFocused) DrawFocusRect(draw.hDC, &draw.rcItem);
  } catch (...) {
    FCanvas->EndPaint();
    throw;
  }
  FCanvas->EndPaint();
  message.Result = 1;
}

void TCustomListBox::CNMeasureItem(TMessage& message) {
  auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
  int height = FItemHeight;
  if (FStyle == lbOwnerDrawVariable) MeasureItem(static_cast<int>(measure->itemID), height);
  measure->itemHeight = static_cast<UINT>(height);
  message.Result = 1;
}

void TCustomListBox::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case LB_GETTEXT: LBGetText(message); return;
    case LB_GETTEXTLEN: LBGetTextLen(message); return;
    case CN_COMMAND: CNCommand(message); return;
    case CN_DRAWITEM: CNDrawItem(message); return;
    case CN_MEASUREITEM: CNMeasureItem(message); return;
  }
  TCustomMultiSelectListControl::Dispatch(message);
}

// ---- TComboBoxStrings -----------------------------------------------------------------------
std::string TComboBoxStrings::Get(int index) const {
  HWND wnd = FComboBox->GetWindowHandle();
  if (!wnd) return FComboBox->HeldItems()->Get(index);
  return ItemText(wnd, CB_GETLBTEXTLEN, CB_GETLBTEXT, index);
}

int TComboBoxStrings::GetCount() const {
  HWND wnd = FComboBox->GetWindowHandle();
  if (!wnd) return FComboBox->HeldItems()->GetCount();
  return static_cast<int>(SendMessageA(wnd, CB_GETCOUNT, 0, 0));
}

TObject* TComboBoxStrings::GetObject(int index) const {
  HWND wnd = FComboBox->GetWindowHandle();
  if (!wnd) return FComboBox->HeldItems()->GetObject(index);
  LRESULT data = SendMessageA(wnd, CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
  if (data == CB_ERR) Error(SListIndexError, index);
  return reinterpret_cast<TObject*>(data);
}

void TComboBoxStrings::PutObject(int index, TObject* object) {
  HWND wnd = FComboBox->GetWindowHandle();
  if (!wnd) {
    FComboBox->HeldItems()->PutObject(index, object);
    return;
  }
  SendMessageA(wnd, CB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(object));
}

int TComboBoxStrings::Add(const std::string& text) {
  HWND wnd = FComboBox->GetWindowHandle();
  if (!wnd) return FComboBox->HeldItems()->Add(text);
  LRESULT index = SendText(wnd, CB_ADDSTRING, 0, text);
  if (index < 0) throw EOutOfResources(kInsertLineError);
  return static_cast<int>(index);
}

void TComboBoxStrings::Insert(int index, const std::string& text) {
  HWND wnd = FComboBox->GetWindowHandle();
  if (!wnd) {
    TStringList* held = FComboBox->HeldItems();
    if (held->GetSorted()) held->Add(text);
    else held->Insert(index, text);
    return;
  }
  if (SendText(wnd, CB_INSERTSTRING, static_cast<WPARAM>(index), text) < 0)
    throw EOutOfResources(kInsertLineError);
}

void TComboBoxStrings::Delete(int index) {
  HWND wnd = FComboBox->GetWindowHandle();
  if (!wnd) {
    FComboBox->HeldItems()->Delete(index);
    return;
  }
  SendMessageA(wnd, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void TComboBoxStrings::Clear() {
  HWND wnd = FComboBox->GetWindowHandle();
  if (!wnd) {
    FComboBox->HeldItems()->Clear();
    FComboBox->FSaveIndex = -1;
    return;
  }
  std::string text = FComboBox->GetText();
  SendMessageA(wnd, CB_RESETCONTENT, 0, 0);
  FComboBox->SetText(text);
  FComboBox->Update();
}

int TComboBoxStrings::IndexOf(const std::string& text) const {
  HWND wnd = FComboBox->GetWindowHandle();
  if (!wnd) return FComboBox->HeldItems()->IndexOf(text);
  return static_cast<int>(SendText(wnd, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), text));
}

void TComboBoxStrings::SetUpdateState(bool updating) {
  HWND wnd = FComboBox->GetWindowHandle();
  if (!wnd) return;
  SendMessageA(wnd, WM_SETREDRAW, !updating, 0);
  if (!updating) FComboBox->Refresh();
}

// ---- TCustomComboBox ------------------------------------------------------------------------
TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TCustomListControl(owner), FItems(new TComboBoxStrings(this)), FCanvas(new TControlCanvas) {
  FCanvas->SetControl(this);
  FControlStyle &= ~csClickEvents;  // clicks come as CBN_SELCHANGE
  FWidth = 145;
  FHeight = 21;
  FTabStop = true;
  FParentColor = false;
  FColor = clWindow;
  FBrush->SetColor(FColor);
  FEditInstance = MakeObjectInstance(TWndMethod(this, &TCustomComboBox::EditWndProc));
  FListInstance = MakeObjectInstance(TWndMethod(this, &TCustomComboBox::ListWndProc));
}

TCustomComboBox::~TCustomComboBox() {
  if (FHandle) DestroyHandle();
  FreeObjectInstance(FEditInstance);
  FreeObjectInstance(FListInstance);
  delete FItems;
  delete FSaveItems;
  delete FCanvas;
}

TStringList* TCustomComboBox::HeldItems() {
  if (!FSaveItems) FSaveItems = NewHeldList(FSorted);
  return FSaveItems;
}

void TCustomComboBox::CreateParams(TCreateParams& params) {
  TCustomListControl::CreateParams(params);
  CreateSubClass(params, "COMBOBOX");
  static const DWORD kStyles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST,
                                  CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED,
                                  CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE};
  params.Style |= WS_VSCROLL | CBS_AUTOHSCROLL | CBS_HASSTRINGS | kStyles[FStyle];
  if (FSorted) params.Style |= CBS_SORT;
  // The window's height includes the open list.
  if (FStyle != csSimple) params.Height = FHeight + FItemHeight * FDropDownCount + 4;
  params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

// After the window exists: children subclassed, held items and selection put back, the
// text restored.
void TCustomComboBox::CreateWnd() {
  std::string text = FText;
  TCustomListControl::CreateWnd();
  SendMessageA(FHandle, CB_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
  SubclassChildren();
  if (FSaveItems) {
    TStringList* saved = FSaveItems;
    FSaveItems = nullptr;
    try {
      for (int i = 0; i < saved->GetCount(); ++i) FItems->AddObject(saved->Get(i), saved->GetObject(i));
    } catch (...) {
      delete saved;
      throw;
    }
    delete saved;
  }
  if (FSaveIndex != -1) {
    int index = std::min(FSaveIndex, FItems->GetCount() - 1);
    SendMessageA(FHandle, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
  if (FStyle == csDropDown || FStyle == csSimple) SetWindowTextA(FHandle, text.c_str());
}

void TCustomComboBox::SubclassChildren() {
  FEditHandle = nullptr;
  FListHandle = nullptr;
  FDefEditProc = nullptr;
  FDefListProc = nullptr;
  if (FStyle != csDropDown && FStyle != csSimple) return;
  HWND child = GetWindow(FHandle, GW_CHILD);
  if (FStyle == csSimple) {
    FListHandle = child;
    child = GetWindow(child, GW_HWNDNEXT);
  }
  FEditHandle = child;
  if (FEditHandle)
    FDefEditProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(FEditHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FEditInstance)));
  if (FListHandle)
    FDefListProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(FListHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FListInstance)));
}

void TCustomComboBox::DestroyWnd() {
  delete FSaveItems;
  FSaveItems = nullptr;
  if (FItems->GetCount() > 0) {
    TStringList* saved = NewHeldList(FSorted);
    for (int i = 0; i < FItems->GetCount(); ++i) saved->AddObject(FItems->Get(i), FItems->GetObject(i));
    FSaveIndex = GetItemIndex();
    FSaveItems = saved;
  }
  if (FEditHandle && FDefEditProc)
    SetWindowLongPtrA(FEditHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FDefEditProc));
  if (FListHandle && FDefListProc)
    SetWindowLongPtrA(FListHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FDefListProc));
  FEditHandle = FListHandle = nullptr;
  TCustomListControl::DestroyWnd();
}

int TCustomComboBox::GetItemIndex() {
  if (!FHandle) return FSaveIndex;
  return static_cast<int>(SendMessageA(FHandle, CB_GETCURSEL, 0, 0));
}

// Without a window, selecting an item also makes it the text, as the window would.
void TCustomComboBox::SetItemIndex(int value) {
  if (FHandle) {
    if (GetItemIndex() != value) SendMessageA(FHandle, CB_SETCURSEL, static_cast<WPARAM>(value), 0);
    return;
  }
  FSaveIndex = value;
  FText = (value >= 0 && value < FItems->GetCount()) ? FItems->Get(value) : std::string();
}

void TCustomComboBox::SetStyle(TComboBoxStyle value) {
  if (FStyle == value) return;
  FStyle = value;
  RecreateWnd();
}

void TCustomComboBox::SetSorted(bool value) {
  if (FSorted == value) return;
  FSorted = value;
  if (FSaveItems) FSaveItems->SetSorted(value);
  RecreateWnd();
}

void TCustomComboBox::SetItemHeight(int value) {
  if (value <= 0) return;
  FItemHeight = value;
  RecreateWnd();
}

void TCustomComboBox::SetMaxLength(int value) {
  FMaxLength = std::max(0, value);
  if (FHandle) SendMessageA(FHandle, CB_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

bool TCustomComboBox::GetDroppedDown() {
  return FHandle && SendMessageA(FHandle, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TCustomComboBox::SetDroppedDown(bool value) {
  if (FHandle) SendMessageA(FHandle, CB_SHOWDROPDOWN, value, 0);
}

int TCustomComboBox::GetSelStart() {
  if (!FHandle) return 0;
  DWORD start = 0, end = 0;
  SendMessageA(FHandle, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(start);
}

void TCustomComboBox::SetSelStart(int value) {
  if (FHandle) SendMessageA(FHandle, CB_SETEDITSEL, 0, MAKELPARAM(value, value));
}

int TCustomComboBox::GetSelLength() {
  if (!FHandle) return 0;
  DWORD start = 0, end = 0;
  SendMessageA(FHandle, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TCustomComboBox::SetSelLength(int value) {
  if (!FHandle) return;
  int start = GetSelStart();
  SendMessageA(FHandle, CB_SETEDITSEL, 0, MAKELPARAM(start, start + value));
}

void TCustomComboBox::AddItem(const std::string& item, TObject* object) { FItems->AddObject(item, object); }

void TCustomComboBox::CopySelection(TCustomListControl* destination) {
  int index = GetItemIndex();
  if (destination && index >= 0) destination->AddItem(FItems->Get(index), FItems->GetObject(index));
}

void TCustomComboBox::Clear() {
  SetText(std::string());
  FItems->Clear();
  FSaveIndex = -1;
}

void TCustomComboBox::DeleteSelected() {
  int index = GetItemIndex();
  if (index < 0) return;
  FItems->Delete(index);
  SetItemIndex(-1);
}

void TCustomComboBox::SelectAll() { SendMessageA(GetHandle(), CB_SETEDITSEL, 0, MAKELPARAM(0, -1)); }

void TCustomComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TCustomComboBox::Select() {
  if (OnSelect) OnSelect(this);
  else Change();
}

void TCustomComboBox::DropDown() {
  if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::CloseUp() {
  if (OnCloseUp) OnCloseUp(this);
}

void TCustomComboBox::DrawItem(int index, const RECT& rect, TOwnerDrawState state) {
  if (OnDrawItem) {
    OnDrawItem(this, index, rect, state);
    return;
  }
  FCanvas->FillRect(rect);
  if (index >= 0) FCanvas->TextOut(rect.left + 2, rect.top, FItems->Get(index));
}

void TCustomComboBox::MeasureItem(int index, int& height) {
  if (OnMeasureItem) OnMeasureItem(this, index, height);
}

// Selects the first item that begins with `prefix`; with `editText` the edit shows the item
// (the typed letters kept as typed when the options say so), the completed rest selected.
// False when nothing matches, or more than one item does while a unique match is required.
bool TCustomComboBox::SelectByPrefix(const std::string& prefix, bool editText) {
  LRESULT found = SendText(GetHandle(), CB_FINDSTRING, static_cast<WPARAM>(-1), prefix);
  if (found == CB_ERR) return false;
  if (GetAutoCompleteUniqueMatchOnly() &&
      SendText(FHandle, CB_FINDSTRING, static_cast<WPARAM>(found), prefix) != found)
    return false;
  int index = static_cast<int>(found);
  bool changed = index != GetItemIndex();
  std::string item = FItems->Get(index);
  if (editText) changed = changed || GetText() != item;
  if (FAutoCloseUp && FItems->IndexOf(prefix) >= 0) SetDroppedDown(false);
  SendMessageA(FHandle, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  if (editText) {
    bool keepTyped = GetAutoCompletePreserveDataEntryCase();
    SetText(keepTyped ? prefix + item.substr(std::min(prefix.size(), item.size())) : item);
    SendMessageA(FHandle, CB_SETEDITSEL, 0,
                 MAKELPARAM(prefix.size(), GetText().size()));
  }
  if (changed) {
    Click();
    Select();
  }
  return true;
}

// The library's own 8-bit auto-complete of typed letters.
void TCustomComboBox::KeyPress(char& key) {
  TCustomListControl::KeyPress(key);
  if (!FAutoComplete || !FHandle || key == '\0') return;
  if (key == '\b' || key == '\x1B' || key == '\r') return;
  if (key == '\t') {
    if (FAutoDropDown && GetDroppedDown()) SetDroppedDown(false);
    return;
  }
  if (FAutoDropDown && !GetDroppedDown()) SetDroppedDown(true);
  if (FStyle == csDropDown || FStyle == csSimple) {
    std::string text = GetText();
    int start = GetSelStart();
    if (start + GetSelLength() < static_cast<int>(text.size())) return;
    if (SelectByPrefix(text.substr(0, static_cast<size_t>(start)) + key, true)) key = '\0';
    return;
  }
  DWORD now = GetTickCount();
  if (now - FLastSearchTime >= 1250) FSearchText.clear();
  FLastSearchTime = now;
  if (SelectByPrefix(FSearchText + key, false)) {
    FSearchText += key;
    key = '\0';
  }
}

void TCustomComboBox::WMChar(TMessage& message) {
  if (!DoKeyPress(message)) DefaultHandler(message);
}

// The child windows' messages: keys through the control's key events, then their own procedure.
void TCustomComboBox::ComboWndProc(TMessage& message, HWND child, WNDPROC childProc) {
  switch (message.Msg) {
    case WM_KEYDOWN: case WM_SYSKEYDOWN:
      if (DoKeyDown(message)) return;
      break;
    case WM_KEYUP: case WM_SYSKEYUP:
      if (DoKeyUp(message)) return;
      break;
    case WM_CHAR:
      if (DoKeyPress(message)) return;
      if ((message.WParamLo == VK_RETURN || message.WParamLo == VK_ESCAPE) && GetDroppedDown()) {
        SetDroppedDown(false);
        return;
      }
      break;
    case WM_SETFOCUS:
      if (TCustomForm* form = GetParentForm(this)) form->SetFocusedControl(this);
      break;
  }
  message.Result = CallWindowProcA(childProc, child, message.Msg, message.WParam, message.LParam);
}

void TCustomComboBox::EditWndProc(TMessage& message) {
  GuardedCallback([&] { ComboWndProc(message, FEditHandle, FDefEditProc); });
}

void TCustomComboBox::ListWndProc(TMessage& message) {
  GuardedCallback([&] { ComboWndProc(message, FListHandle, FDefListProc); });
}

void TCustomComboBox::CNCommand(TMessage& message) {
  switch (MessageAs<TWMCommand>(message).NotifyCode) {
    case CBN_SELCHANGE: {
      int index = GetItemIndex();
      if (index >= 0) SetText(FItems->Get(index));
      Click();
      Select();
      break;
    }
    case CBN_EDITCHANGE: Change(); break;
    case CBN_DROPDOWN: DropDown(); break;
    case CBN_CLOSEUP: CloseUp(); break;
    case CBN_DBLCLK: DblClick(); break;
  }
}

void TCustomComboBox::CNDrawItem(TMessage& message) {
  const DRAWITEMSTRUCT& draw = *MessageAs<TWMDrawItem>(message).DrawItemStruct;
  TOwnerDrawState state = 0;
  if (draw.itemState & ODS_SELECTED) state |= odSelected;
  if (draw.itemState & ODS_FOCUS) state |= odFocused;
  if (draw.itemState & ODS_COMBOBOXEDIT) state |= odComboBoxEdit;
  FCanvas->BeginPaintOn(draw.hDC);
  FCanvas->GetFont()->Assign(FFont);
  FCanvas->GetBrush()->Assign(FBrush);
  if (state & odSelected) {
    FCanvas->GetBrush()->SetColor(clHighlight);
    FCanvas->GetFont()->SetColor(clHighlightText);
  }
  try {
    DrawItem(static_cast<int>(draw.itemID), draw.rcItem, state);
    if (state & odFocused) DrawFocusRect(draw.hDC, &draw.rcItem);
  } catch (...) {
    FCanvas->EndPaint();
    throw;
  }
  FCanvas->EndPaint();
  message.Result = 1;
}

void TCustomComboBox::CNMeasureItem(TMessage& message) {
  auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
  int height = FItemHeight;
  if (FStyle == csOwnerDrawVariable) MeasureItem(static_cast<int>(measure->itemID), height);
  measure->itemHeight = static_cast<UINT>(height);
  message.Result = 1;
}

void TCustomComboBox::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case CN_COMMAND: CNCommand(message); return;
    case CN_DRAWITEM: CNDrawItem(message); return;
    case CN_MEASUREITEM: CNMeasureItem(message); return;
  }
  TCustomListControl::Dispatch(message);
}

// ---- published properties -------------------------------------------------------------------
namespace {


}  // namespace

void TCustomListBox::DeclareProperties(TPropertyTable& table) {
  static const TIdentMap kStyles{{"lbStandard", lbStandard}, {"lbOwnerDrawFixed", lbOwnerDrawFixed},
                                 {"lbOwnerDrawVariable", lbOwnerDrawVariable}, {"lbVirtual", lbVirtual},
                                 {"lbVirtualOwnerDraw", lbVirtualOwnerDraw}};
  auto p = table.For<TCustomListBox>();
  p.Object("Items", &TCustomListBox::GetItems);
  p.Integer("ItemIndex", &TCustomListBox::GetItemIndex, &TCustomListBox::SetItemIndex);
  p.Boolean("MultiSelect", &TCustomListBox::GetMultiSelect, &TCustomListBox::SetMultiSelect);
  p.Boolean("ExtendedSelect", &TCustomListBox::GetExtendedSelect, &TCustomListBox::SetExtendedSelect);
  p.Boolean("Sorted", &TCustomListBox::GetSorted, &TCustomListBox::SetSorted);
  p.Enum("Style", &TCustomListBox::GetStyle, &TCustomListBox::SetStyle, kStyles);
  p.Integer("ItemHeight", &TCustomListBox::GetItemHeight, &TCustomListBox::SetItemHeight);
  p.Boolean("IntegralHeight", &TCustomListBox::GetIntegralHeight, &TCustomListBox::SetIntegralHeight);
  p.Integer("Columns", &TCustomListBox::GetColumns, &TCustomListBox::SetColumns);
  p.Event("OnDrawItem", &TCustomListBox::OnDrawItem);
  p.Event("OnMeasureItem", &TCustomListBox::OnMeasureItem);
  p.Event("OnData", &TCustomListBox::OnData);
}

void TCustomComboBox::DeclareProperties(TPropertyTable& table) {
  static const TIdentMap kStyles{{"csDropDown", csDropDown}, {"csSimple", csSimple},
                                 {"csDropDownList", csDropDownList}, {"csOwnerDrawFixed", csOwnerDrawFixed},
                                 {"csOwnerDrawVariable", csOwnerDrawVariable}};
  auto p = table.For<TCustomComboBox>();
  p.Object("Items", &TCustomComboBox::GetItems);
  p.Integer("ItemIndex", &TCustomComboBox::GetItemIndex, &TCustomComboBox::SetItemIndex);
  p.Enum("Style", &TCustomComboBox::GetStyle, &TCustomComboBox::SetStyle, kStyles);
  p.Boolean("Sorted", &TCustomComboBox::GetSorted, &TCustomComboBox::SetSorted);
  p.Integer("DropDownCount", &TCustomComboBox::GetDropDownCount, &TCustomComboBox::SetDropDownCount);
  p.Integer("ItemHeight", &TCustomComboBox::GetItemHeight, &TCustomComboBox::SetItemHeight);
  p.Integer("MaxLength", &TCustomComboBox::GetMaxLength, &TCustomComboBox::SetMaxLength);
  p.Boolean("AutoComplete", &TCustomComboBox::GetAutoComplete, &TCustomComboBox::SetAutoComplete);
  p.Boolean("AutoDropDown", &TCustomComboBox::GetAutoDropDown, &TCustomComboBox::SetAutoDropDown);
  p.Boolean("AutoCloseUp", &TCustomComboBox::GetAutoCloseUp, &TCustomComboBox::SetAutoCloseUp);
  p.Integer("AutoCompleteDelay", &TCustomComboBox::GetAutoCompleteDelay, &TCustomComboBox::SetAutoCompleteDelay);
  p.Event("OnChange", &TCustomComboBox::OnChange);
  p.Event("OnSelect", &TCustomComboBox::OnSelect);
  p.Event("OnDropDown", &TCustomComboBox::OnDropDown);
  p.Event("OnCloseUp", &TCustomComboBox::OnCloseUp);
  p.Event("OnDrawItem", &TCustomComboBox::OnDrawItem);
  p.Event("OnMeasureItem", &TCustomComboBox::OnMeasureItem);
}

