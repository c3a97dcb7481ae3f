// List views.
#include "classlib/ListView.h"

#include <algorithm>
#include <cstring>

#include "classlib/ScopedHandles.h"
#include "classlib/SysUtils.h"
#include "classlib/TypInfo.h"

namespace {

LRESULT SendTo(TWinControl* control, UINT msg, WPARAM wParam, LPARAM lParam) {
  return SendMessageA(control->GetWindowHandle(), msg, wParam, lParam);
}

template <class T>
LPARAM Ptr(T* pointer) {
  return reinterpret_cast<LPARAM>(pointer);
}

// Copies `text` into a system text buffer of `capacity` characters, cut to fit.
void CopyToBuffer(const std::string& text, char* buffer, int capacity) {
  if (!buffer || capacity <= 0) return;
  size_t count = std::min(text.size(), static_cast<size_t>(capacity - 1));
  std::memcpy(buffer, text.data(), count);
  buffer[count] = '\0';
}

std::string WideToAnsi(const wchar_t* text) {
  int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return std::string();
  std::string result(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, -1, result.data(), size, nullptr, nullptr);
  result.resize(static_cast<size_t>(size - 1));
  return result;
}

void EnsureCommonControls() {
  static const bool done = [] {
    INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
    return InitCommonControlsEx(&init) != FALSE;
  }();
  (void)done;
}

constexpr int kAlignmentFormat[] = {LVCFMT_LEFT, LVCFMT_RIGHT, LVCFMT_CENTER};

}  // namespace

// ---- sorting --------------------------------------------------------------------------------
// Runs inside the system's sort: an error of OnCompare is kept for the list view to raise once
// the sort is over, and the remaining comparisons answer 0.
int CALLBACK DefaultListViewSort(LPARAM item1, LPARAM item2, LPARAM data) {
  auto* first = reinterpret_cast<TListItem*>(item1);
  auto* second = reinterpret_cast<TListItem*>(item2);
  TCustomListView* listView = first ? first->GetListView() : nullptr;
  if (!listView || !second || listView->FSortError) return 0;
  try {
    if (listView->OnCompare) {
      int compare = 0;
      listView->OnCompare(listView, first, second, static_cast<int>(data), compare);
      return compare;
    }
    return lstrcmpA(first->GetCaption().c_str(), second->GetCaption().c_str());
  } catch (...) {
    listView->FSortError = std::current_exception();
    return 0;
  }
}

// ---- TListColumn ----------------------------------------------------------------------------
TListColumn::TListColumn(TCollection* collection) : TCollectionItem(collection) {
  auto* columns = dynamic_cast<TListColumns*>(collection);
  if (!columns) return;
  if (columns->FConstructing == this) columns->FConstructing = nullptr;
  if (TCustomListView* listView = columns->FListView) listView->InsertWindowColumn(this, GetIndex());
}

TListColumn::~TListColumn() = default;

TCustomListView* TListColumn::GetListView() const {
  auto* columns = dynamic_cast<TListColumns*>(GetCollection());
  return columns ? columns->FListView : nullptr;
}

void TListColumn::SetCaption(const std::string& value) {
  FCaption = value;
  Changed(false);
}

int TListColumn::GetWidth() {
  TCustomListView* listView = GetListView();
  if (listView && listView->HandleAllocated() && GetIndex() < listView->FWindowColumns)
    FWidth = static_cast<int>(SendTo(listView, LVM_GETCOLUMNWIDTH, GetIndex(), 0));
  return FWidth;
}

int TListColumn::WithinLimits(int width) const {
  if (FMinWidth > 0) width = std::max(width, FMinWidth);
  if (FMaxWidth > 0) width = std::min(width, FMaxWidth);
  return width;
}

void TListColumn::SetWidth(int value) {
  value = WithinLimits(value);
  FWidth = value;
  TCustomListView* listView = GetListView();
  if (listView && listView->HandleAllocated() && GetIndex() < listView->FWindowColumns)
    SendTo(listView, LVM_SETCOLUMNWIDTH, GetIndex(), MAKELPARAM(value, 0));
}

void TListColumn::SetAlignment(TAlignment value) {
  FAlignment = value;
  Changed(false);
}

void TListColumn::SetAutoSize(bool value) {
  FAutoSize = value;
  TCustomListView* listView = GetListView();
  if (value && listView && listView->HandleAllocated() && GetIndex() < listView->FWindowColumns)
    SendTo(listView, LVM_SETCOLUMNWIDTH, GetIndex(), LVSCW_AUTOSIZE_USEHEADER);
}

void TListColumn::SetImageIndex(int value) {
  FImageIndex = value;
  Changed(false);
}

void TListColumn::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TListColumn*>(source);
  if (!other) return TCollectionItem::Assign(source);
  FAlignment = other->FAlignment;
  FAutoSize = other->FAutoSize;
  FImageIndex = other->FImageIndex;
  FMinWidth = other->FMinWidth;
  FMaxWidth = other->FMaxWidth;
  SetWidth(other->GetWidth());
  SetCaption(other->FCaption);
}

std::string TListColumn::GetDisplayName() const { return FCaption.empty() ? ClassName() : FCaption; }

void TListColumn::DeclareProperties(TPropertyTable& table) {
  static const TIdentMap kAlignment{{"taLeftJustify", taLeftJustify}, {"taRightJustify", taRightJustify},
                                    {"taCenter", taCenter}};
  auto p = table.For<TListColumn>();
  p.String("Caption", &TListColumn::GetCaption, &TListColumn::SetCaption);
  p.Integer("Width", &TListColumn::GetWidth, &TListColumn::SetWidth);
  p.Enum("Alignment", &TListColumn::GetAlignment, &TListColumn::SetAlignment, kAlignment);
  p.Boolean("AutoSize", &TListColumn::GetAutoSize, &TListColumn::SetAutoSize);
  p.Integer("ImageIndex", &TListColumn::GetImageIndex, &TListColumn::SetImageIndex);
  p.Integer("MinWidth", &TListColumn::GetMinWidth, &TListColumn::SetMinWidth);
  p.Integer("MaxWidth", &TListColumn::GetMaxWidth, &TListColumn::SetMaxWidth);
}

// ---- TListColumns ---------------------------------------------------------------------------
TListColumns::TListColumns(TCustomListView* owner, TCollectionItemFactory factory)
    : TCollection(factory, owner), FListView(owner) {}

// A column's own constructor has not run when it is added: it shows itself once made.
void TListColumns::Notify(TCollectionItem* item, TCollectionNotification action) {
  if (action == cnAdded) {
    FConstructing = item;
    return;
  }
  if (action != cnExtracting || !FListView || !FListView->HandleAllocated()) return;
  int index = item->GetIndex();
  if (index >= 0 && index < FListView->FWindowColumns) {
    SendTo(FListView, LVM_DELETECOLUMN, index, 0);
    --FListView->FWindowColumns;
  }
}

void TListColumns::Update(TCollectionItem* item) {
  if (FConstructing || !FListView) return;
  if (auto* column = dynamic_cast<TListColumn*>(item)) FListView->UpdateWindowColumn(column);
  else FListView->RebuildWindowColumns();
}

// ---- TSubItems ------------------------------------------------------------------------------
void TSubItems::Put(int index, const std::string& text) {
  TStringList::Put(index, text);
  if (GetUpdateCount() == 0) FOwner->SubItemChanged(index + 1);
}

void TSubItems::InsertItem(int index, const std::string& text, TObject* object) {
  TStringList::InsertItem(index, text, object);
  if (GetUpdateCount() != 0) return;
  // An added sub-item is one new text; one put in between moves the ones after it.
  FOwner->SubItemChanged(index == GetCount() - 1 ? index + 1 : -1);
}

void TSubItems::Delete(int index) {
  TStringList::Delete(index);
  if (GetUpdateCount() == 0) FOwner->SubItemChanged(-1);
}

void TSubItems::Clear() {
  bool hadItems = GetCount() > 0;
  TStringList::Clear();
  if (hadItems && GetUpdateCount() == 0) FOwner->SubItemChanged(-1);
}

void TSubItems::Exchange(int index1, int index2) {
  TStringList::Exchange(index1, index2);
  if (GetUpdateCount() == 0) FOwner->SubItemChanged(-1);
}

void TSubItems::SetUpdateState(bool updating) {
  TStringList::SetUpdateState(updating);
  if (!updating) FOwner->SubItemChanged(-1);
}

// ---- TListItem ------------------------------------------------------------------------------
TListItem::TListItem(TListItems* owner) : FOwner(owner), FSubItems(new TSubItems(this)) {}

TListItem::~TListItem() = default;

TCustomListView* TListItem::GetListView() const { return FOwner ? FOwner->GetOwner() : nullptr; }

int TListItem::GetIndex() const {
  TCustomListView* listView = GetListView();
  if (!listView) return -1;
  if (listView->FOwnerData && listView->FTempItem.get() == this) return listView->FTempIndex;
  return FOwner->IndexOf(this);
}

// True when the list view has a window that shows this item (never for owner data).
static bool ShownInWindow(const TListItem* item, int& index) {
  TCustomListView* listView = item->GetListView();
  if (!listView || !listView->HandleAllocated() || listView->GetOwnerData()) return false;
  index = item->GetIndex();
  return index >= 0;
}

void TListItem::SetCaption(const std::string& value) {
  bool changed = value != FCaption;
  FCaption = value;
  int index = -1;
  if (ShownInWindow(this, index)) {
    GetListView()->SendItemText(index, 0);
  }
  if (changed && GetListView()) GetListView()->SortIfNeeded(true);
}

void TListItem::SubItemChanged(int subItem) {
  int index = -1;
  if (!ShownInWindow(this, index)) return;
  if (subItem < 0) SendTo(GetListView(), LVM_UPDATE, index, 0);
  else GetListView()->SendItemText(index, subItem);
}

void TListItem::RedrawItem() {
  int index = -1;
  if (ShownInWindow(this, index)) SendTo(GetListView(), LVM_REDRAWITEMS, index, index);
}

void TListItem::SetData(void* value) {
  bool changed = value != FData;
  FData = value;
  if (changed && GetListView()) GetListView()->SortIfNeeded(false);
}

void TListItem::SetImageIndex(int value) {
  FImageIndex = value;
  RedrawItem();
}

void TListItem::SetIndent(int value) {
  FIndent = value;
  RedrawItem();
}

void TListItem::SetOverlayIndex(int value) {
  FOverlayIndex = value;
  int index = -1;
  if (!ShownInWindow(this, index)) return;
  LVITEMA item{};
  item.stateMask = LVIS_OVERLAYMASK;
  item.state = INDEXTOOVERLAYMASK(value >= 0 ? value + 1 : 0);
  SendTo(GetListView(), LVM_SETITEMSTATE, index, Ptr(&item));
}

void TListItem::SetStateIndex(int value) {
  FStateIndex = value;
  int index = -1;
  if (!ShownInWindow(this, index) || GetListView()->GetCheckboxes()) return;
  LVITEMA item{};
  item.stateMask = LVIS_STATEIMAGEMASK;
  item.state = INDEXTOSTATEIMAGEMASK(value >= 0 ? value + 1 : 0);
  SendTo(GetListView(), LVM_SETITEMSTATE, index, Ptr(&item));
}

bool TListItem::GetState(UINT mask, bool held) {
  int index = -1;
  if (!ShownInWindow(this, index)) return held;
  return (SendTo(GetListView(), LVM_GETITEMSTATE, index, mask) & mask) != 0;
}

void TListItem::SetState(UINT mask, bool value, bool& held) {
  held = value;
  int index = -1;
  if (!ShownInWindow(this, index)) return;
  LVITEMA item{};
  item.stateMask = mask;
  item.state = value ? mask : 0;
  SendTo(GetListView(), LVM_SETITEMSTATE, index, Ptr(&item));
}

bool TListItem::GetSelected() { return GetState(LVIS_SELECTED, FSelected); }
void TListItem::SetSelected(bool value) { SetState(LVIS_SELECTED, value, FSelected); }
bool TListItem::GetFocused() { return GetState(LVIS_FOCUSED, FFocused); }
void TListItem::SetFocused(bool value) { SetState(LVIS_FOCUSED, value, FFocused); }

// With check boxes the window keeps the checked state as state image 2 (1: unchecked).
bool TListItem::GetChecked() {
  int index = -1;
  if (!ShownInWindow(this, index) || !GetListView()->GetCheckboxes()) return FChecked;
  LRESULT state = SendTo(GetListView(), LVM_GETITEMSTATE, index, LVIS_STATEIMAGEMASK);
  return ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

void TListItem::SetChecked(bool value) {
  FChecked = value;
  int index = -1;
  if (!ShownInWindow(this, index) || !GetListView()->GetCheckboxes()) return;
  LVITEMA item{};
  item.stateMask = LVIS_STATEIMAGEMASK;
  item.state = INDEXTOSTATEIMAGEMASK(value ? 2 : 1);
  SendTo(GetListView(), LVM_SETITEMSTATE, index, Ptr(&item));
}

void TListItem::Delete() {
  if (FOwner) FOwner->Delete(GetIndex());
}

bool TListItem::EditCaption() {
  TCustomListView* listView = GetListView();
  if (!listView || listView->GetReadOnly()) return false;
  int index = GetIndex();
  if (index < 0) return false;
  listView->SetFocus();
  return SendMessageA(listView->GetHandle(), LVM_EDITLABELA, index, 0) != 0;
}

void TListItem::MakeVisible(bool partialOK) {
  int index = -1;
  if (ShownInWindow(this, index)) SendTo(GetListView(), LVM_ENSUREVISIBLE, index, partialOK);
}

void TListItem::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TListItem*>(source);
  if (!other) return TPersistent::Assign(source);
  FData = other->FData;
  FImageIndex = other->FImageIndex;
  FIndent = other->FIndent;
  FOverlayIndex = other->FOverlayIndex;
  FStateIndex = other->FStateIndex;
  FSubItems->Assign(other->FSubItems.get());
  SetChecked(other->GetChecked());
  SetCaption(other->FCaption);
}

// ---- item classes ---------------------------------------------------------------------------
namespace {

std::vector<std::pair<TClass, TListItemFactory>>& ListItemFactories() {
  static std::vector<std::pair<TClass, TListItemFactory>> factories{
      {TListItem::StaticClass(), [](TListItems* owner) { return new TListItem(owner); }}};
  return factories;
}

}  // namespace

void RegisterListItemClass(TClass itemClass, TListItemFactory factory) {
  auto& factories = ListItemFactories();
  auto found = std::find_if(factories.begin(), factories.end(), [&](const auto& entry) { return entry.first == itemClass; });
  if (found != factories.end()) found->second = factory;
  else factories.emplace_back(itemClass, factory);
}

TListItem* CreateListItemOfClass(TClass itemClass, TListItems* owner) {
  for (TClass cls = itemClass; cls; cls = cls->ClassParent())
    for (const auto& [registered, factory] : ListItemFactories())
      if (registered == cls) return factory(owner);
  throw EInvalidOperation("No list item can be made of class " + itemClass->ClassName());
}

// ---- TListItems -----------------------------------------------------------------------------
TListItems::TListItems(TCustomListView* owner) : FOwner(owner) {}

TListItems::~TListItems() {
  for (TListItem* item : FItems) delete item;
}

TListItem* TListItems::Add() { return Insert(GetCount()); }

TListItem* TListItems::Insert(int index) { return AddItem(FOwner->CreateListItem(), index); }

TListItem* TListItems::AddItem(TListItem* item, int index) {
  if (FOwner->FOwnerData) {
    delete item;
    throw EInvalidOperation("An owner-data list view takes no items");
  }
  int count = static_cast<int>(FItems.size());
  if (index < 0 || index > count) index = count;
  item->FOwner = this;
  FItems.insert(FItems.begin() + index, item);
  InsertIntoWindow(item, index);
  return item;
}

// The window gets the item with callback texts and images and the states the item holds.
void TListItems::InsertIntoWindow(TListItem* item, int index) {
  if (!FOwner->HandleAllocated()) return;
  LVITEMA record{};
  record.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
  record.iItem = index;
  record.pszText = LPSTR_TEXTCALLBACKA;
  record.iImage = I_IMAGECALLBACK;
  record.lParam = Ptr(item);
  SendTo(FOwner, LVM_INSERTITEMA, 0, Ptr(&record));
  if (item->FSelected) item->SetSelected(true);
  if (item->FFocused) item->SetFocused(true);
  if (FOwner->FCheckboxes) item->SetChecked(item->FChecked);
  else if (item->FStateIndex >= 0) item->SetStateIndex(item->FStateIndex);
  if (item->FOverlayIndex >= 0) item->SetOverlayIndex(item->FOverlayIndex);
}

void TListItems::Remove(TListItem* item) {
  auto found = std::find(FItems.begin(), FItems.end(), item);
  if (found == FItems.end()) return;
  int index = static_cast<int>(found - FItems.begin());
  FItems.erase(found);
  if (FOwner->HandleAllocated()) SendTo(FOwner, LVM_DELETEITEM, index, 0);
}

void TListItems::Delete(int index) {
  if (FOwner->FOwnerData) return SetCount(std::max(GetCount() - 1, 0));
  TListItem* item = GetItem(index);
  Remove(item);
  delete item;
}

void TListItems::Clear() {
  if (FOwner->FOwnerData) return SetCount(0);
  if (FOwner->HandleAllocated()) SendTo(FOwner, LVM_DELETEALLITEMS, 0, 0);
  std::vector<TListItem*> items;
  items.swap(FItems);
  for (TListItem* item : items) delete item;
}

TListItem* TListItems::GetItem(int index) {
  if (index < 0 || index >= GetCount()) throw EListError(Format(SListIndexError, index));
  if (!FOwner->FOwnerData) return FItems[static_cast<size_t>(index)];
  TListItem* temp = FOwner->GetTempItem();
  FOwner->FTempIndex = index;
  FOwner->OwnerDataFetch(temp, irText | irImage | irParam | irState | irIndent);
  return temp;
}

int TListItems::GetCount() const {
  return FOwner->FOwnerData ? FOwnerDataCount : static_cast<int>(FItems.size());
}

void TListItems::SetCount(int value) {
  if (!FOwner->FOwnerData) return;
  FOwnerDataCount = std::max(value, 0);
  if (FOwner->HandleAllocated()) SendTo(FOwner, LVM_SETITEMCOUNT, FOwnerDataCount, 0);
}

// Searched from the end: an item being filled in is most often the one just added, so filling
// a list row by row stays linear.
int TListItems::IndexOf(const TListItem* item) const {
  auto found = std::find(FItems.rbegin(), FItems.rend(), item);
  return found == FItems.rend() ? -1 : static_cast<int>(FItems.rend() - found) - 1;
}

void TListItems::BeginUpdate() {
  if (++FUpdateCount == 1 && FOwner->HandleAllocated()) SendTo(FOwner, WM_SETREDRAW, FALSE, 0);
}

void TListItems::EndUpdate() {
  if (FUpdateCount == 0 || --FUpdateCount > 0) return;
  if (FOwner->HandleAllocated()) {
    SendTo(FOwner, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(FOwner->GetWindowHandle(), nullptr, TRUE);
  }
  FOwner->RunPendingSort();
}

void TListItems::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TListItems*>(source);
  if (!other) return TPersistent::Assign(source);
  if (other == this) return;
  WhileUpdating(*this, [&] {
    Clear();
    for (TListItem* item : other->FItems) Add()->Assign(item);
  });
}

// ---- TCustomListView: life and window -------------------------------------------------------
TCustomListView::TCustomListView(TComponent* owner)
    : TCustomListView(owner, [](TCustomListView* listView) { return new TListItems(listView); }) {}

TCustomListView::TCustomListView(TComponent* owner, TListItemsFactory makeItems)
    : TCustomMultiSelectListControl(owner), FImageChangeLink(new TChangeLink), FCanvas(new TControlCanvas) {
  FListItems.reset(makeItems(this));
  FListColumns = std::make_unique<TListColumns>(this);
  FImageChangeLink->OnChange = TNotifyEvent(this, &TCustomListView::ImageListChange);
  SetUpListWindow(FCanvas.get(), 250, 150);  // clicks come as NM_CLICK and NM_DBLCLK
}

TCustomListView::~TCustomListView() {
  if (FHandle) DestroyHandle();
  if (FSmallImages) FSmallImages->UnRegisterChanges(FImageChangeLink.get());
  // The items go before the columns and the temporary item they may refer to.
  FListItems.reset();
  FListColumns.reset();
  FTempItem.reset();
}

TListItem* TCustomListView::CreateListItem() { return new TListItem(FListItems.get()); }

TListItem* TCustomListView::GetTempItem() {
  if (!FTempItem) FTempItem.reset(CreateListItem());
  return FTempItem.get();
}

// The old columns leave the window at once; the new collection's columns enter it as they
// are made from the old ones.
void TCustomListView::ReplaceColumns(TListColumns* columns) {
  if (!columns || columns == FListColumns.get()) return;
  std::unique_ptr<TListColumns> old = std::move(FListColumns);
  old->FListView = nullptr;
  if (HandleAllocated())
    while (FWindowColumns > 0) SendTo(this, LVM_DELETECOLUMN, --FWindowColumns, 0);
  FWindowColumns = 0;
  FListColumns.reset(columns);
  columns->FListView = this;
  columns->Assign(old.get());
}

void TCustomListView::CreateParams(TCreateParams& params) {
  static constexpr DWORD kViewStyles[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
  EnsureCommonControls();
  TCustomMultiSelectListControl::CreateParams(params);
  CreateSubClass(params, WC_LISTVIEWA);
  params.Style |= WS_TABSTOP | LVS_SHAREIMAGELISTS | kViewStyles[FViewStyle];
  if (!FMultiSelect) params.Style |= LVS_SINGLESEL;
  if (!FReadOnly) params.Style |= LVS_EDITLABELS;
  if (!FHideSelection) params.Style |= LVS_SHOWSELALWAYS;
  if (FOwnerData) params.Style |= LVS_OWNERDATA;
  if (FOwnerDraw && FViewStyle == vsReport) params.Style |= LVS_OWNERDRAWFIXED;
  if (!FColumnClick) params.Style |= LVS_NOSORTHEADER;
  if (!FShowColumnHeaders) params.Style |= LVS_NOCOLUMNHEADER;
  params.ExStyle |= WS_EX_CLIENTEDGE;
  params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

// The new window gets styles, images, columns and items again; the captions and sub-items
// arrive through LVM_SETITEMTEXTA, sub-item 0 first.
void TCustomListView::CreateWnd() {
  TCustomMultiSelectListControl::CreateWnd();
  {
    ScopedValue restoring(FRestoring, true);
    ApplyExtendedStyle();
    ImageListChange(FSmallImages);
    FWindowColumns = 0;
    for (int i = 0; i < FListColumns->GetCount(); ++i) InsertWindowColumn(FListColumns->GetItem(i), i);
    RestoreItems();
  }
  RunPendingSort();
}

void TCustomListView::RestoreItems() {
  if (FOwnerData) {
    SendTo(this, LVM_SETITEMCOUNT, FListItems->FOwnerDataCount, 0);
    return;
  }
  const auto& items = FListItems->FItems;
  for (int i = 0; i < static_cast<int>(items.size()); ++i) {
    FListItems->InsertIntoWindow(items[i], i);
    SendItemText(i, 0);
    for (int s = 1; s <= items[i]->FSubItems->GetCount(); ++s) SendItemText(i, s);
  }
  FSortPosted = false;  // a message posted to the old window is gone with it
}

// The window's states go back into the items before it goes.
void TCustomListView::DestroyWnd() {
  if (FHandle && !FOwnerData) {
    for (TListItem* item : FListItems->FItems) {
      item->FSelected = item->GetSelected();
      item->FFocused = item->GetFocused();
      if (FCheckboxes) item->FChecked = item->GetChecked();
    }
  }
  TCustomMultiSelectListControl::DestroyWnd();
  FWindowColumns = 0;
}

void TCustomListView::ApplyExtendedStyle() {
  if (!HandleAllocated()) return;
  DWORD style = 0;
  if (FRowSelect) style |= LVS_EX_FULLROWSELECT;
  if (FCheckboxes) style |= LVS_EX_CHECKBOXES;
  if (FGridLines) style |= LVS_EX_GRIDLINES;
  if (OnInfoTip) style |= LVS_EX_INFOTIP;  // the window asks for tips only with it
  SendTo(this, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style);
}

void TCustomListView::InsertWindowColumn(TListColumn* column, int index) {
  if (!HandleAllocated()) return;
  LVCOLUMNA record{};
  record.mask = LVCF_FMT | LVCF_WIDTH;
  record.fmt = kAlignmentFormat[column->FAlignment];
  record.cx = column->FAutoSize ? LVSCW_AUTOSIZE_USEHEADER : column->FWidth;
  if (SendTo(this, LVM_INSERTCOLUMNA, index, Ptr(&record)) < 0) return;
  ++FWindowColumns;
  UpdateWindowColumn(column);
}

// The text (and format and image) of a column reach the window only through LVM_SETCOLUMNA.
void TCustomListView::UpdateWindowColumn(TListColumn* column) {
  int index = column->GetIndex();
  if (!HandleAllocated() || index < 0 || index >= FWindowColumns) return;
  LVCOLUMNA record{};
  record.mask = LVCF_TEXT | LVCF_FMT;
  record.fmt = kAlignmentFormat[column->FAlignment];
  record.pszText = const_cast<char*>(column->FCaption.c_str());
  if (column->FImageIndex >= 0) {
    record.mask |= LVCF_IMAGE;
    record.fmt |= LVCFMT_IMAGE;
    record.iImage = column->FImageIndex;
  }
  SendTo(this, LVM_SETCOLUMNA, index, Ptr(&record));
}

void TCustomListView::RebuildWindowColumns() {
  if (!HandleAllocated()) return;
  if (FWindowColumns == FListColumns->GetCount()) {
    for (int i = 0; i < FWindowColumns; ++i) UpdateWindowColumn(FListColumns->GetItem(i));
    return;
  }
  while (FWindowColumns > 0) SendTo(this, LVM_DELETECOLUMN, --FWindowColumns, 0);
  for (int i = 0; i < FListColumns->GetCount(); ++i) InsertWindowColumn(FListColumns->GetItem(i), i);
}

void TCustomListView::SendItemText(int index, int subItem) {
  LVITEMA record{};
  record.iSubItem = subItem;
  record.pszText = LPSTR_TEXTCALLBACKA;
  SendTo(this, LVM_SETITEMTEXTA, index, Ptr(&record));
}

// ---- properties -----------------------------------------------------------------------------
void TCustomListView::SetViewStyle(TViewStyle value) {
  if (value == FViewStyle) return;
  FViewStyle = value;
  RecreateWnd();
}

void TCustomListView::SetMultiSelect(bool value) {
  if (value == FMultiSelect) return;
  FMultiSelect = value;
  RecreateWnd();
}

void TCustomListView::SetRowSelect(bool value) {
  FRowSelect = value;
  ApplyExtendedStyle();
}

void TCustomListView::SetReadOnly(bool value) {
  if (value == FReadOnly) return;
  FReadOnly = value;
  RecreateWnd();
}

void TCustomListView::SetHideSelection(bool value) {
  if (value == FHideSelection) return;
  FHideSelection = value;
  RecreateWnd();
}

void TCustomListView::SetCheckboxes(bool value) {
  if (value == FCheckboxes) return;
  if (HandleAllocated() && FCheckboxes && !FOwnerData)
    for (TListItem* item : FListItems->FItems) item->FChecked = item->GetChecked();
  FCheckboxes = value;
  ApplyExtendedStyle();
  if (HandleAllocated() && value && !FOwnerData)
    for (TListItem* item : FListItems->FItems) item->SetChecked(item->FChecked);
}

void TCustomListView::SetGridLines(bool value) {
  FGridLines = value;
  ApplyExtendedStyle();
}

void TCustomListView::SetColumnClick(bool value) {
  if (value == FColumnClick) return;
  FColumnClick = value;
  RecreateWnd();
}

void TCustomListView::SetShowColumnHeaders(bool value) {
  if (value == FShowColumnHeaders) return;
  FShowColumnHeaders = value;
  RecreateWnd();
}

void TCustomListView::SetOwnerData(bool value) {
  if (value == FOwnerData) return;
  FListItems->Clear();
  FOwnerData = value;
  FListItems->FOwnerDataCount = 0;
  RecreateWnd();
}

void TCustomListView::SetOwnerDraw(bool value) {
  if (value == FOwnerDraw) return;
  FOwnerDraw = value;
  RecreateWnd();
}

void TCustomListView::SetSortType(TSortType value) {
  if (value == FSortType) return;
  FSortType = value;
  if (value == stText || value == stBoth) SortIfNeeded(true);
  else if (value == stData) SortIfNeeded(false);
}

void TCustomListView::SetSmallImages(TCustomImageList* value) {
  if (value == FSmallImages) return;
  if (FSmallImages) {
    FSmallImages->UnRegisterChanges(FImageChangeLink.get());
    FSmallImages->RemoveFreeNotification(this);
  }
  FSmallImages = value;
  if (value) {
    value->RegisterChanges(FImageChangeLink.get());
    value->FreeNotification(this);
  }
  ImageListChange(value);
}

void TCustomListView::ImageListChange(TObject*) {
  if (!HandleAllocated()) return;
  // An image list without a handle has no images yet: it gets one when the first is added.
  HIMAGELIST handle = FSmallImages && FSmallImages->HandleAllocated() ? FSmallImages->GetHandle() : nullptr;
  SendTo(this, LVM_SETIMAGELIST, LVSIL_SMALL, Ptr(handle));
}

void TCustomListView::Notification(TComponent* component, TOperation operation) {
  TCustomMultiSelectListControl::Notification(component, operation);
  if (operation == opRemove && component == FSmallImages) SetSmallImages(nullptr);
}

// ---- selection ------------------------------------------------------------------------------
TListItem* TCustomListView::GetNextItem(TListItem* start, UINT flags) {
  int from = start ? start->GetIndex() : -1;
  if (HandleAllocated()) {
    auto index = static_cast<int>(SendTo(this, LVM_GETNEXTITEM, from, MAKELPARAM(flags, 0)));
    return index >= 0 ? FListItems->GetItem(index) : nullptr;
  }
  if (FOwnerData) return nullptr;
  const auto& items = FListItems->FItems;
  for (size_t i = static_cast<size_t>(from + 1); i < items.size(); ++i) {
    bool matches = (!(flags & LVNI_SELECTED) || items[i]->FSelected) && (!(flags & LVNI_FOCUSED) || items[i]->FFocused);
    if (matches) return items[i];
  }
  return nullptr;
}

TListItem* TCustomListView::GetSelected() { return GetNextItem(nullptr, LVNI_SELECTED); }

void TCustomListView::SetSelected(TListItem* item) {
  ClearSelection();
  if (!item) return;
  item->SetSelected(true);
  item->SetFocused(true);
}

int TCustomListView::GetSelCount() {
  if (HandleAllocated()) return static_cast<int>(SendTo(this, LVM_GETSELECTEDCOUNT, 0, 0));
  const auto& items = FListItems->FItems;
  return static_cast<int>(std::count_if(items.begin(), items.end(), [](TListItem* item) { return item->FSelected; }));
}

TListItem* TCustomListView::GetItemFocused() { return GetNextItem(nullptr, LVNI_FOCUSED); }

void TCustomListView::SetItemFocused(TListItem* item) {
  if (TListItem* focused = GetItemFocused()) focused->SetFocused(false);
  if (item) item->SetFocused(true);
}

TListItem* TCustomListView::GetItemAt(int x, int y) {
  if (!HandleAllocated()) return nullptr;
  LVHITTESTINFO info{};
  info.pt = POINT{x, y};
  auto index = static_cast<int>(SendTo(this, LVM_HITTEST, 0, Ptr(&info)));
  return index >= 0 && (info.flags & LVHT_ONITEM) ? FListItems->GetItem(index) : nullptr;
}

int TCustomListView::GetItemIndex() {
  TListItem* item = GetSelected();
  return item ? item->GetIndex() : -1;
}

void TCustomListView::SetItemIndex(int value) {
  SetSelected(value >= 0 && value < FListItems->GetCount() ? FListItems->GetItem(value) : nullptr);
}

void TCustomListView::SelectAll() {
  if (!FMultiSelect) return;
  if (HandleAllocated()) {
    LVITEMA record{};
    record.stateMask = LVIS_SELECTED;
    record.state = LVIS_SELECTED;
    SendTo(this, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), Ptr(&record));
    return;
  }
  for (TListItem* item : FListItems->FItems) item->FSelected = true;
}

void TCustomListView::ClearSelection() {
  if (HandleAllocated()) {
    LVITEMA record{};
    record.stateMask = LVIS_SELECTED;
    SendTo(this, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), Ptr(&record));
    return;
  }
  for (TListItem* item : FListItems->FItems) item->FSelected = false;
}

void TCustomListView::DeleteSelected() {
  if (FOwnerData) return;
  WhileUpdating(*FListItems, [&] {
    for (int i = FListItems->GetCount() - 1; i >= 0; --i)
      if (FListItems->GetItem(i)->GetSelected()) FListItems->Delete(i);
  });
}

void TCustomListView::AddItem(const std::string& item, TObject* object) {
  TListItem* added = FListItems->Add();
  added->SetData(object);
  added->SetCaption(item);
}

void TCustomListView::CopySelection(TCustomListControl* destination) {
  if (!destination || FOwnerData) return;
  for (TListItem* item : std::vector<TListItem*>(FListItems->FItems))
    if (item->GetSelected()) destination->AddItem(item->GetCaption(), static_cast<TObject*>(item->GetData()));
}

bool TCustomListView::IsEditing() { return HandleAllocated() && SendTo(this, LVM_GETEDITCONTROL, 0, 0) != 0; }

// ---- sorting --------------------------------------------------------------------------------
bool TCustomListView::AlphaSort() {
  SortItems(&DefaultListViewSort, 0);
  return !FOwnerData;
}

bool TCustomListView::CustomSort(TLVCompare compare, LPARAM data) {
  SortItems(compare ? compare : &DefaultListViewSort, data);
  return !FOwnerData;
}

void TCustomListView::SortItems(TLVCompare compare, LPARAM data) {
  if (FOwnerData || FSorting) return;
  ++FSorting;
  FSortError = nullptr;
  if (HandleAllocated()) {
    SendTo(this, LVM_SORTITEMS, data, reinterpret_cast<LPARAM>(compare));
    ResyncOrder();
  } else {
    std::stable_sort(FListItems->FItems.begin(), FListItems->FItems.end(), [&](TListItem* a, TListItem* b) {
      return compare(Ptr(a), Ptr(b), data) < 0;
    });
  }
  --FSorting;
  std::exception_ptr error = FSortError;
  FSortError = nullptr;
  if (error) std::rethrow_exception(error);
}

// After the window sorted, the items take its order.
void TCustomListView::ResyncOrder() {
  auto& items = FListItems->FItems;
  for (int i = 0; i < static_cast<int>(items.size()); ++i) {
    LVITEMA record{};
    record.mask = LVIF_PARAM;
    record.iItem = i;
    if (SendTo(this, LVM_GETITEMA, 0, Ptr(&record)) && record.lParam)
      items[static_cast<size_t>(i)] = reinterpret_cast<TListItem*>(record.lParam);
  }
}

// The automatic sort: after a caption change (text sorts) or a data change (data sorts).
void TCustomListView::SortIfNeeded(bool textChanged) {
  if (FSorting || FRestoring || FOwnerData || IsLoading()) return;
  bool wanted = textChanged ? (FSortType == stText || FSortType == stBoth)
                            : (FSortType == stData || FSortType == stBoth);
  if (!wanted) return;
  if (!HandleAllocated() && FListItems->GetUpdateCount() == 0) {
    AlphaSort();
    return;
  }
  FSortPending = true;
  if (HandleAllocated() && FListItems->GetUpdateCount() == 0 && !FSortPosted)
    FSortPosted = PostMessageA(GetWindowHandle(), CM_LISTVIEWSORT, 0, 0) != FALSE;
}

void TCustomListView::RunPendingSort() {
  if (!FSortPending || FListItems->GetUpdateCount() > 0) return;
  FSortPending = false;
  AlphaSort();
}

// ---- notifications --------------------------------------------------------------------------
bool TCustomListView::CanEdit(TListItem* item) {
  bool allow = !FReadOnly;
  if (allow && OnEditing) OnEditing(this, item, allow);
  return allow;
}

bool TCustomListView::OwnerDataFetch(TListItem* item, TItemRequest) {
  if (!OnData) return false;
  OnData(this, item);
  return true;
}

int TCustomListView::OwnerDataFind(TItemFind find, const std::string& findString, const POINT& findPosition,
                                   void* findData, int startIndex, TSearchDirection direction, bool wrap) {
  int index = -1;
  if (OnDataFind) OnDataFind(this, find, findString, findPosition, findData, startIndex, direction, wrap, index);
  return index;
}

void TCustomListView::ColClick(TListColumn* column) {
  if (OnColumnClick) OnColumnClick(this, column);
}

void TCustomListView::Edit(const LVITEMA& record) {
  TListItem* item = ItemFromDisplay(record);
  if (!item) return;
  std::string text = record.pszText;
  if (OnEdited) OnEdited(this, item, text);
  item->SetCaption(text);
}

void TCustomListView::Change(TListItem* item, int change) {
  if (OnChange) OnChange(this, item, static_cast<TItemChange>(change));
}

TListItem* TCustomListView::ItemFromDisplay(const LVITEMA& record) {
  if (FOwnerData) {
    if (record.iItem < 0 || record.iItem >= FListItems->GetCount()) return nullptr;
    return FListItems->GetItem(record.iItem);
  }
  if (record.lParam) return reinterpret_cast<TListItem*>(record.lParam);
  const auto& items = FListItems->FItems;
  return record.iItem >= 0 && record.iItem < static_cast<int>(items.size()) ? items[static_cast<size_t>(record.iItem)]
                                                                            : nullptr;
}

// The window asks for what the items hold: text, image, indent.
void TCustomListView::GetDispInfo(NMLVDISPINFOA& info) {
  LVITEMA& record = info.item;
  TListItem* item = ItemFromDisplay(record);
  if (!item) return;
  if (record.mask & LVIF_TEXT) {
    std::string text;
    if (record.iSubItem == 0) text = item->FCaption;
    else if (record.iSubItem - 1 < item->FSubItems->GetCount()) text = item->FSubItems->Get(record.iSubItem - 1);
    CopyToBuffer(text, record.pszText, record.cchTextMax);
  }
  if (record.mask & LVIF_IMAGE) record.iImage = record.iSubItem == 0 ? item->FImageIndex : -1;
  if (record.mask & LVIF_INDENT) record.iIndent = item->FIndent;
}

void TCustomListView::CNNotify(TMessage& message) {
  auto* header = reinterpret_cast<NMHDR*>(message.LParam);
  message.Result = 0;
  switch (header->code) {
    case LVN_GETDISPINFOA: GetDispInfo(*reinterpret_cast<NMLVDISPINFOA*>(header)); break;
    case LVN_ODFINDITEMA: case LVN_ODFINDITEMW: message.Result = FindOwnerData(header); break;
    case LVN_BEGINLABELEDITA: {
      TListItem* item = ItemFromDisplay(reinterpret_cast<NMLVDISPINFOA*>(header)->item);
      message.Result = item && CanEdit(item) ? 0 : 1;
      break;
    }
    case LVN_ENDLABELEDITA: {
      const LVITEMA& record = reinterpret_cast<NMLVDISPINFOA*>(header)->item;
      if (record.pszText && record.iItem != -1) Edit(record);
      break;  // 0: the window keeps asking the item for its text
    }
    case LVN_COLUMNCLICK: {
      int column = reinterpret_cast<NMLISTVIEW*>(header)->iSubItem;
      if (column >= 0 && column < FListColumns->GetCount()) ColClick(FListColumns->GetItem(column));
      break;
    }
    case LVN_ITEMCHANGED: ItemChanged(*reinterpret_cast<NMLISTVIEW*>(header)); break;
    case LVN_GETINFOTIPA: GetInfoTip(*reinterpret_cast<NMLVGETINFOTIPA*>(header)); break;
    case NM_CLICK: Click(); break;
    case NM_DBLCLK: DblClick(); break;
    default: break;
  }
}

// An owner-data find; some systems send the wide form to 8-bit windows too.
int TCustomListView::FindOwnerData(const NMHDR* header) {
  const LVFINDINFOA& info = reinterpret_cast<const NMLVFINDITEMA*>(header)->lvfi;
  int start = reinterpret_cast<const NMLVFINDITEMA*>(header)->iStart;
  std::string text;
  if (header->code == LVN_ODFINDITEMW) {
    const wchar_t* wide = reinterpret_cast<const NMLVFINDITEMW*>(header)->lvfi.psz;
    if (wide) text = WideToAnsi(wide);
  } else if (info.psz) {
    text = info.psz;
  }
  UINT flags = info.flags;
  TItemFind kind = (flags & LVFI_PARAM)     ? ifData
                   : (flags & LVFI_PARTIAL) ? ifPartialString
                   : (flags & LVFI_STRING)  ? ifExactString
                                            : ifNearest;
  UINT direction = info.vkDirection;
  TSearchDirection towards = direction == VK_LEFT    ? sdLeft
                             : direction == VK_RIGHT ? sdRight
                             : direction == VK_UP    ? sdAbove
                             : direction == VK_DOWN  ? sdBelow
                                                     : sdAll;
  return OwnerDataFind(kind, text, info.pt, reinterpret_cast<void*>(info.lParam), start, towards,
                       (flags & LVFI_WRAP) != 0);
}

void TCustomListView::GetInfoTip(NMLVGETINFOTIPA& tip) {
  if (!OnInfoTip || tip.iItem < 0 || tip.iItem >= FListItems->GetCount()) return;
  std::string text = tip.pszText ? tip.pszText : "";
  OnInfoTip(this, FListItems->GetItem(tip.iItem), text);
  CopyToBuffer(text, tip.pszText, tip.cchTextMax);
}

void TCustomListView::ItemChanged(const NMLISTVIEW& change) {
  if (FRestoring || change.iItem < 0 || change.iItem >= FListItems->GetCount()) return;
  TListItem* item = change.lParam && !FOwnerData ? reinterpret_cast<TListItem*>(change.lParam)
                                                 : FListItems->GetItem(change.iItem);
  if (change.uChanged & LVIF_TEXT) Change(item, ctText);
  if (change.uChanged & LVIF_IMAGE) Change(item, ctImage);
  if (!(change.uChanged & LVIF_STATE)) return;
  Change(item, ctState);
  if (((change.uOldState ^ change.uNewState) & LVIS_SELECTED) && OnSelectItem)
    OnSelectItem(this, item, (change.uNewState & LVIS_SELECTED) != 0);
}

// The header's notifications: the window's own handling first, then the column records
// learn the widths, kept within the columns' limits (while the user drags, and after any
// change of width, whichever form of the notification the header sends).
void TCustomListView::WMNotify(TMessage& message) {
  auto* header = reinterpret_cast<NMHEADERA*>(message.LParam);
  UINT code = header ? header->hdr.code : 0;
  bool tracking = code == HDN_TRACKA || code == HDN_ENDTRACKA;
  bool changed = code == HDN_ITEMCHANGEDA || code == HDN_ITEMCHANGEDW;
  TListColumn* column = nullptr;
  if ((tracking || changed || code == HDN_DIVIDERDBLCLICKA) && header->iItem >= 0 &&
      header->iItem < FListColumns->GetCount())
    column = FListColumns->GetItem(header->iItem);
  if (column && tracking && header->pitem && (header->pitem->mask & HDI_WIDTH))
    header->pitem->cxy = column->WithinLimits(header->pitem->cxy);
  TCustomMultiSelectListControl::WMNotify(message);
  if (!column || code == HDN_TRACKA || FWindowColumns != FListColumns->GetCount()) return;
  int width = column->GetWidth();
  if (changed && column->WithinLimits(width) != width) column->SetWidth(width);
}

void TCustomListView::CNDrawItem(TMessage& message) {
  auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam);
  auto index = static_cast<int>(draw->itemID);
  TListItem* item = index >= 0 && index < FListItems->GetCount() ? FListItems->GetItem(index) : nullptr;
  TOwnerDrawState state = 0;
  if (draw->itemState & ODS_SELECTED) state |= odSelected;
  if (draw->itemState & ODS_FOCUS) state |= odFocused;
  if (draw->itemState & ODS_DISABLED) state |= odDisabled;
  {
    TCanvasPainting painting(FCanvas.get(), draw->hDC);
    FCanvas->GetFont()->Assign(GetFont());
    FCanvas->GetBrush()->Assign(GetBrush());
    if (item) DrawItem(item, draw->rcItem, state);
  }
  message.Result = 1;
}

void TCustomListView::DrawItem(TListItem* item, const RECT& rect, TOwnerDrawState state) {
  FCanvas->SetTextFlags(UseRightToLeftReading() ? ETO_RTLREADING : 0);
  if (OnDrawItem) {
    OnDrawItem(this, item, rect, state);
    return;
  }
  FCanvas->FillRect(rect);
  FCanvas->TextOut(rect.left + 2, rect.top, item->GetCaption());
}

void TCustomListView::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case CM_LISTVIEWSORT:
      FSortPosted = false;
      RunPendingSort();
      break;
    case CN_NOTIFY: CNNotify(message); break;
    case CN_DRAWITEM: CNDrawItem(message); break;
    default: TCustomMultiSelectListControl::Dispatch(message);
  }
}

// ---- published properties -------------------------------------------------------------------
void TCustomListView::DeclareProperties(TPropertyTable& table) {
  static const TIdentMap kViewStyles{{"vsIcon", vsIcon}, {"vsSmallIcon", vsSmallIcon}, {"vsList", vsList},
                                     {"vsReport", vsReport}};
  static const TIdentMap kSortTypes{{"stNone", stNone}, {"stData", stData}, {"stText", stText}, {"stBoth", stBoth}};
  using L = TCustomListView;
  auto p = table.For<L>();
  p.Object("Columns", &L::GetColumns);
  p.Enum("ViewStyle", &L::GetViewStyle, &L::SetViewStyle, kViewStyles);
  p.Boolean("MultiSelect", &L::GetMultiSelect, &L::SetMultiSelect);
  p.Boolean("RowSelect", &L::GetRowSelect, &L::SetRowSelect);
  p.Boolean("ReadOnly", &L::GetReadOnly, &L::SetReadOnly);
  p.Boolean("HideSelection", &L::GetHideSelection, &L::SetHideSelection);
  p.Boolean("Checkboxes", &L::GetCheckboxes, &L::SetCheckboxes);
  p.Boolean("GridLines", &L::GetGridLines, &L::SetGridLines);
  p.Boolean("ColumnClick", &L::GetColumnClick, &L::SetColumnClick);
  p.Boolean("ShowColumnHeaders", &L::GetShowColumnHeaders, &L::SetShowColumnHeaders);
  p.Boolean("OwnerData", &L::GetOwnerData, &L::SetOwnerData);
  p.Boolean("OwnerDraw", &L::GetOwnerDraw, &L::SetOwnerDraw);
  p.Enum("SortType", &L::GetSortType, &L::SetSortType, kSortTypes);
  p.Component("SmallImages", &L::GetSmallImages, &L::SetSmallImages);
  p.Event("OnCompare", &L::OnCompare);
  p.Event("OnColumnClick", &L::OnColumnClick);
  p.Event("OnEditing", &L::OnEditing);
  p.Event("OnEdited", &L::OnEdited);
  p.Event("OnChange", &L::OnChange);
  p.Event("OnSelectItem", &L::OnSelectItem);
  p.Event("OnData", &L::OnData);
  p.Event("OnDataFind", &L::OnDataFind);
  p.Event("OnInfoTip", &L::OnInfoTip);
  p.Event("OnDrawItem", &L::OnDrawItem);
}

void RegisterListViewClasses() {
  RegisterClasses({ComCtrls::TListView::StaticClass()});
  RegisterActionLinkClass<TListViewActionLink>();
}
