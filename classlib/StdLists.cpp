// List boxes and combo boxes.
#include "classlib/StdLists.h"

#include <algorithm>
#include <cstring>

#include "classlib/ScopedHandles.h"
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

// CN_DRAWITEM: `draw(index, rect, state)` paints the item on `canvas`, set up for the item's
// state (selected items in the highlight colours); the focus rectangle follows.
template <typename Draw>
void PaintOwnerDrawnItem(TMessage& message, TControlCanvas* canvas, TFont* font, TBrush* brush, Draw draw) {
  const DRAWITEMSTRUCT& item = *MessageAs<TWMDrawItem>(message).DrawItemStruct;
  TCanvasPainting painting(canvas, item.hDC);
  TOwnerDrawState state = 0;
  if (item.itemState & ODS_SELECTED) state |= odSelected;
  if (item.itemState & ODS_FOCUS) state |= odFocused;
  if (item.itemState & ODS_DISABLED) state |= odDisabled;
  if (item.itemState & ODS_COMBOBOXEDIT) state |= odComboBoxEdit;
  canvas->GetFont()->Assign(font);
  canvas->GetBrush()->Assign(brush);
  if (state & odSelected) {
    canvas->GetBrush()->SetColor(clHighlight);
    canvas->GetFont()->SetColor(clHighlightText);
  }
  draw(static_cast<int>(item.itemID), item.rcItem, state);
  if (state & odFocused) DrawFocusRect(item.hDC, &item.rcItem);
  message.Result = 1;
}

// CN_MEASUREITEM: answers `height`, which items of variable height have `measure(index, height)`
// change first.
template <typename Measure>
void AnswerMeasureItem(TMessage& message, int height, bool variable, Measure measure) {
  auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
  if (variable) measure(static_cast<int>(item->itemID), height);
  item->itemHeight = static_cast<UINT>(height);
  message.Result = 1;
}

std::unique_ptr<TStringList> NewHeldList(bool sorted) {
  auto list = std::make_unique<TStringList>();
  list->SetDuplicates(dupAccept);
  list->SetCaseSensitive(false);
  list->SetSorted(sorted);
  return list;
}

// The list that holds a control's items while it has no window (made on demand).
TStringList* HeldList(std::unique_ptr<TStringList>& held, bool sorted) {
  if (!held) held = NewHeldList(sorted);
  return held.get();
}

// The items with their objects, kept while a window is re-created.
std::unique_ptr<TStringList> CopyItems(TStrings& items, bool sorted) {
  std::unique_ptr<TStringList> copy = NewHeldList(sorted);
  for (int i = 0; i < items.GetCount(); ++i) copy->AddObject(items.Get(i), items.GetObject(i));
  return copy;
}

void AddItems(TStrings& target, TStringList& items) {
  for (int i = 0; i < items.GetCount(); ++i) target.AddObject(items.Get(i), items.GetObject(i));
}

}  // namespace

// ---- TCustomListControl ---------------------------------------------------------------------
void TCustomListControl::SetUpListWindow(TControlCanvas* canvas, int width, int height) {
  canvas->SetControl(this);
  FControlStyle &= ~csClickEvents;
  FWidth = width;
  FHeight = height;
  FTabStop = true;
  FParentColor = false;
  FColor = clWindow;
  FBrush->SetColor(FColor);
}

// ---- TListControlStrings --------------------------------------------------------------------
std::string TListControlStrings::Get(int index) const {
  HWND wnd = Window();
  if (!wnd) return Held()->Get(index);
  bool failed = false;
  std::string text = ItemText(wnd, FMessages.GetTextLen, FMessages.GetText, index, &failed);
  if (failed && MissingItemIsError()) Error(SListIndexError, index);
  return text;
}

int TListControlStrings::GetCount() const {
  HWND wnd = Window();
  if (!wnd) return Held()->GetCount();
  return static_cast<int>(SendMessageA(wnd, FMessages.GetCount, 0, 0));
}

TObject* TListControlStrings::GetObject(int index) const {
  if (!Window()) return Held()->GetObject(index);
  if (!StoresItems()) return nullptr;
  LRESULT data = ItemData(index);
  if (data == LB_ERR) Error(SListIndexError, index);
  return reinterpret_cast<TObject*>(data);
}

void TListControlStrings::PutObject(int index, TObject* object) {
  if (!Window()) {
    Held()->PutObject(index, object);
    return;
  }
  if (index != -1 && StoresItems()) SetItemData(index, reinterpret_cast<LRESULT>(object));
}

int TListControlStrings::Add(const std::string& text) {
  HWND wnd = Window();
  if (!wnd) return Held()->Add(text);
  if (!StoresItems()) return -1;
  LRESULT index = SendText(wnd, FMessages.AddString, 0, text);
  if (index < 0) throw EOutOfResources(kInsertLineError);
  return static_cast<int>(index);
}

void TListControlStrings::Insert(int index, const std::string& text) {
  HWND wnd = Window();
  if (!wnd) {
    TStringList* held = Held();
    if (held->GetSorted()) held->Add(text);
    else held->Insert(index, text);
    return;
  }
  if (!StoresItems()) return;
  if (SendText(wnd, FMessages.InsertString, static_cast<WPARAM>(index), text) < 0)
    throw EOutOfResources(kInsertLineError);
}

void TListControlStrings::Delete(int index) {
  if (!Window()) Held()->Delete(index);
  else DeleteItem(index);
}

int TListControlStrings::IndexOf(const std::string& text) const {
  HWND wnd = Window();
  if (!wnd) return Held()->IndexOf(text);
  return static_cast<int>(SendText(wnd, FMessages.FindStringExact, static_cast<WPARAM>(-1), text));
}

void TListControlStrings::SetUpdateState(bool updating) {
  HWND wnd = Window();
  if (!wnd) return;
  SendMessageA(wnd, WM_SETREDRAW, !updating, 0);
  if (!updating) FControl->Refresh();
}

LRESULT TListControlStrings::ItemData(int index) const {
  return SendMessageA(Window(), FMessages.GetItemData, static_cast<WPARAM>(index), 0);
}

void TListControlStrings::SetItemData(int index, LRESULT data) {
  SendMessageA(Window(), FMessages.SetItemData, static_cast<WPARAM>(index), data);
}

void TListControlStrings::DeleteItem(int index) {
  SendMessageA(Window(), FMessages.DeleteString, static_cast<WPARAM>(index), 0);
}

// ---- TListBoxStrings ------------------------------------------------------------------------
namespace {

constexpr TListWindowMessages kListBoxMessages{LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT,
                                               LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING,
                                               LB_FINDSTRINGEXACT, LB_GETITEMDATA, LB_SETITEMDATA};
constexpr TListWindowMessages kComboBoxMessages{CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT,
                                                CB_ADDSTRING, CB_INSERTSTRING, CB_DELETESTRING,
                                                CB_FINDSTRINGEXACT, CB_GETITEMDATA, CB_SETITEMDATA};

}  // namespace

TListBoxStrings::TListBoxStrings(TCustomListBox* listBox)
    : TListControlStrings(listBox, kListBoxMessages), FListBox(listBox) {}

TStringList* TListBoxStrings::Held() const { return FListBox->HeldItems(); }
bool TListBoxStrings::StoresItems() const { return !FListBox->IsVirtual(); }
LRESULT TListBoxStrings::ItemData(int index) const { return FListBox->InternalGetItemData(index); }
void TListBoxStrings::SetItemData(int index, LRESULT data) { FListBox->InternalSetItemData(index, data); }
void TListBoxStrings::DeleteItem(int index) { FListBox->DeleteString(index); }

std::string TListBoxStrings::Get(int index) const {
  if (!FListBox->IsVirtual()) return TListControlStrings::Get(index);
  std::string text;
  if (!FListBox->VirtualItemData(index, text)) Error(SListIndexError, index);
  return text;
}

int TListBoxStrings::GetCount() const {
  if (!Window() && FListBox->IsVirtual()) return FListBox->FCount;
  return TListControlStrings::GetCount();
}

void TListBoxStrings::Clear() {
  if (!Window()) {
    Held()->Clear();
    FListBox->FSaveItemIndex = -1;
    return;
  }
  FListBox->ResetContent();
}

// Replacing an item keeps its data value and the selection.
void TListBoxStrings::Put(int index, const std::string& text) {
  if (!Window()) {
    Held()->Put(index, text);
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
  WhileUpdating(*this, [&] { ExchangeListItems(*this, FListBox, index1, index2); });
}

void TListBoxStrings::Move(int curIndex, int newIndex) {
  if (curIndex == newIndex) return;
  ScopedUpdate update(*this);
  ScopedValue moving(FListBox->FMoving, true);
  std::string text = Get(curIndex);
  TObject* object = GetObject(curIndex);
  PutObject(curIndex, nullptr);
  Delete(curIndex);
  InsertObject(newIndex, text, object);
}

// ---- TCustomListBox -------------------------------------------------------------------------
TCustomListBox::TCustomListBox(TComponent* owner)
    : TCustomMultiSelectListControl(owner), FItems(new TListBoxStrings(this)),
      FCanvas(new TControlCanvas) {
  SetUpListWindow(FCanvas.get(), 121, 97);  // clicks come as LBN_SELCHANGE
}

TCustomListBox::~TCustomListBox() {
  if (FHandle) DestroyHandle();
  FItems.reset();
  FSaveItems.reset();
  FCanvas.reset();
}

TStringList* TCustomListBox::HeldItems() { return HeldList(FSaveItems, FSorted); }

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
    std::unique_ptr<TStringList> saved = std::move(FSaveItems);
    FItems->BeginUpdate();
    AddItems(*FItems, *saved);
    FItems->EndUpdate();
  }
  SetTopIndex(FSaveTopIndex);
  SetItemIndex(FSaveItemIndex);
}

void TCustomListBox::DestroyWnd() {
  FSaveItems.reset();
  if (FItems->GetCount() > 0 && !IsVirtual()) {
    FSaveTopIndex = GetTopIndex();
    FSaveItemIndex = GetItemIndex();
    FSaveItems = CopyItems(*FItems, FSorted);
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

bool TCustomListBox::VirtualItemData(int index, std::string& text) {
  if (!OnData || index < 0 || index >= FCount) return false;
  OnData(this, index, text);
  return true;
}

// Virtual list boxes answer the text queries from OnData.
bool TCustomListBox::VirtualItemText(TMessage& message, std::string& text) {
  if (!IsVirtual()) {
    DefaultHandler(message);
    return false;
  }
  if (!VirtualItemData(static_cast<int>(message.WParam), text)) {
    message.Result = LB_ERR;
    return false;
  }
  message.Result = static_cast<LRESULT>(text.size());
  return true;
}

void TCustomListBox::LBGetText(TMessage& message) {
  std::string text;
  if (VirtualItemText(message, text))
    std::memcpy(reinterpret_cast<char*>(message.LParam), text.c_str(), text.size() + 1);
}

void TCustomListBox::LBGetTextLen(TMessage& message) {
  std::string text;
  VirtualItemText(message, text);
}

void TCustomListBox::CNCommand(TMessage& message) {
  switch (MessageAs<TWMCommand>(message).NotifyCode) {
    case LBN_SELCHANGE: Click(); break;
    case LBN_DBLCLK: DblClick(); break;
  }
}

void TCustomListBox::CNDrawItem(TMessage& message) {
  PaintOwnerDrawnItem(message, FCanvas.get(), FFont.get(), FBrush.get(),
                      [this](int index, const RECT& rect, TOwnerDrawState state) {
                        if (index >= 0) DrawItem(index, rect, state);
                        else FCanvas->FillRect(rect);
                      });
}

void TCustomListBox::CNMeasureItem(TMessage& message) {
  AnswerMeasureItem(message, FItemHeight, FStyle == lbOwnerDrawVariable,
                    [this](int index, int& height) { MeasureItem(index, height); });
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
TComboBoxStrings::TComboBoxStrings(TCustomComboBox* comboBox)
    : TListControlStrings(comboBox, kComboBoxMessages), FComboBox(comboBox) {}

TStringList* TComboBoxStrings::Held() const { return FComboBox->HeldItems(); }

void TComboBoxStrings::Clear() {
  HWND wnd = Window();
  if (!wnd) {
    Held()->Clear();
    FComboBox->FSaveIndex = -1;
    return;
  }
  std::string text = FComboBox->GetText();
  SendMessageA(wnd, CB_RESETCONTENT, 0, 0);
  FComboBox->SetText(text);
  FComboBox->Update();
}

// ---- TCustomComboBox ------------------------------------------------------------------------
TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TCustomListControl(owner), FItems(new TComboBoxStrings(this)), FCanvas(new TControlCanvas) {
  SetUpListWindow(FCanvas.get(), 145, 21);  // clicks come as CBN_SELCHANGE
  FEditInstance = MakeObjectInstance(TWndMethod(this, &TCustomComboBox::EditWndProc));
  FListInstance = MakeObjectInstance(TWndMethod(this, &TCustomComboBox::ListWndProc));
}

TCustomComboBox::~TCustomComboBox() {
  if (FHandle) DestroyHandle();
  FreeObjectInstance(FEditInstance);
  FreeObjectInstance(FListInstance);
  FItems.reset();
  FSaveItems.reset();
  FCanvas.reset();
}

TStringList* TCustomComboBox::HeldItems() { return HeldList(FSaveItems, FSorted); }

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
    std::unique_ptr<TStringList> saved = std::move(FSaveItems);
    AddItems(*FItems, *saved);
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
  FSaveItems.reset();
  if (FItems->GetCount() > 0) {
    FSaveIndex = GetItemIndex();
    FSaveItems = CopyItems(*FItems, FSorted);
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
      if (IParentForm* form = ParentFormOf(this)) form->SetFocusedControl(this);
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
  PaintOwnerDrawnItem(message, FCanvas.get(), FFont.get(), FBrush.get(),
                      [this](int index, const RECT& rect, TOwnerDrawState state) { DrawItem(index, rect, state); });
}

void TCustomComboBox::CNMeasureItem(TMessage& message) {
  AnswerMeasureItem(message, FItemHeight, FStyle == csOwnerDrawVariable,
                    [this](int index, int& height) { MeasureItem(index, height); });
}

void TCustomComboBox::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case CN_KEYDOWN: {
      // Enter and Escape close an open list instead of pressing the form's buttons.
      WORD key = MessageAs<TWMKey>(message).CharCode;
      if ((key == VK_RETURN || key == VK_ESCAPE) && GetDroppedDown()) {
        SetDroppedDown(false);
        message.Result = 1;
        return;
      }
      break;
    }
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

