// The wide list view.
#include "ucode/UCodeComCtrls.h"

#include <algorithm>
#include <cstring>

#include "classlib/Forms.h"
#include "ucode/UCodeGraphics.h"
#include "ucode/UCodeStdCtrls.h"
#include "ucode/UCodeSysUtils.h"

// The library's own page control, sheet and progress bar, under which the wide ones stand.
using ComCtrls::TPageControl;
using ComCtrls::TProgressBar;
using ComCtrls::TTabSheet;

namespace {

std::string Ansi(const std::wstring& text) { return WideStringToStringEx(text, 0); }
std::wstring Wide(const std::string& text) { return StringToWideStringEx(text, 0); }

// Copies `text` into a system text buffer of `capacity` characters, cut to fit.
void CopyToBuffer(const std::wstring& text, wchar_t* buffer, int capacity) {
  if (!buffer || capacity <= 0) return;
  size_t count = std::min(text.size(), static_cast<size_t>(capacity - 1));
  std::memcpy(buffer, text.data(), count * sizeof(wchar_t));
  buffer[count] = L'\0';
}

// The parts of a wide item record by which the library finds the item.
LVITEMA FindingRecord(const LVITEMW& wide) {
  LVITEMA record{};
  record.mask = wide.mask;
  record.iItem = wide.iItem;
  record.iSubItem = wide.iSubItem;
  record.lParam = wide.lParam;
  return record;
}

// Keeps a wide change open for the length of one scope.
class TWideChange {
 public:
  explicit TWideChange(TUCodeCustomListView* listView) : FListView(listView) {
    if (FListView) FListView->BeginWideChange();
  }
  ~TWideChange() {
    if (FListView) FListView->EndWideChange();
  }
  TWideChange(const TWideChange&) = delete;
  TWideChange& operator=(const TWideChange&) = delete;

 private:
  TUCodeCustomListView* FListView;
};

}  // namespace

// ---- columns --------------------------------------------------------------------------------

void TUCodeListColumn::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TUCodeListColumn>();
  p.WideString("Caption", &TUCodeListColumn::GetCaption, &TUCodeListColumn::SetCaption);
}

std::wstring TUCodeListColumn::GetCaption() { return GetSyncedWideString(FWideCaption, TListColumn::GetCaption()); }

void TUCodeListColumn::SetCaption(const std::wstring& value) {
  SetSyncedWideString(value, FWideCaption, TListColumn::GetCaption(),
                      [this](const std::string& text) { TListColumn::SetCaption(text); });
}

void TUCodeListColumn::Assign(TPersistent* source) {
  TListColumn::Assign(source);
  if (auto* wide = dynamic_cast<TUCodeListColumn*>(source))
    SetCaption(wide->GetCaption());
  else if (auto* plain = dynamic_cast<TListColumn*>(source))
    SetCaption(Wide(plain->GetCaption()));
}

void TUCodeListColumn::DefineProperties(TFiler* filer) {
  TListColumn::DefineProperties(filer);
  DefineWideProperties(filer, this);
}

// ---- sub-items ------------------------------------------------------------------------------

template <class F>
void TWideSubItems::Change(F&& work) {
  TWideChange change(FOwner->GetWideListView());
  work();
}

TObject* TWideSubItems::GetObject(int index) const {
  TStrings* ansi = FOwner->GetAnsiSubItems();
  if (index >= 0 && index < ansi->GetCount()) return ansi->GetObject(index);
  return TUCodeStringList::GetObject(index);
}

void TWideSubItems::InsertItem(int index, const std::wstring& text, TObject* object) {
  Change([&] {
    TUCodeStringList::InsertItem(index, text, object);
    if (!FMirrorOff) FOwner->GetAnsiSubItems()->InsertObject(index, Ansi(text), object);
  });
}

void TWideSubItems::Put(int index, const std::wstring& text) {
  Change([&] {
    TUCodeStringList::Put(index, text);
    if (!FMirrorOff) FOwner->GetAnsiSubItems()->Put(index, Ansi(text));
  });
}

void TWideSubItems::PutObject(int index, TObject* object) {
  TUCodeStringList::PutObject(index, object);
  TStrings* ansi = FOwner->GetAnsiSubItems();
  if (index < ansi->GetCount()) ansi->PutObject(index, object);
}

void TWideSubItems::Delete(int index) {
  Change([&] {
    TUCodeStringList::Delete(index);
    if (!FMirrorOff) FOwner->GetAnsiSubItems()->Delete(index);
  });
}

void TWideSubItems::Clear() {
  Change([&] {
    TUCodeStringList::Clear();
    if (!FMirrorOff) FOwner->GetAnsiSubItems()->Clear();
  });
}

void TWideSubItems::SetUpdateState(bool updating) {
  Change([&] {
    TUCodeStringList::SetUpdateState(updating);
    if (updating) FOwner->GetAnsiSubItems()->BeginUpdate();
    else FOwner->GetAnsiSubItems()->EndUpdate();
  });
}

// ---- items ----------------------------------------------------------------------------------

TUCodeListItem::TUCodeListItem(TListItems* owner)
    : TListItem(owner), FWideSubItems(std::make_unique<TWideSubItems>(this)) {}

TUCodeListItem::~TUCodeListItem() = default;

TUCodeCustomListView* TUCodeListItem::GetWideListView() const {
  return dynamic_cast<TUCodeCustomListView*>(GetListView());
}

std::wstring TUCodeListItem::GetCaption() { return GetSyncedWideString(FWideCaption, TListItem::GetCaption()); }

void TUCodeListItem::SetCaption(const std::wstring& value) {
  TWideChange change(GetWideListView());
  SetSyncedWideString(value, FWideCaption, TListItem::GetCaption(),
                      [this](const std::string& text) { TListItem::SetCaption(text); });
}

void TUCodeListItem::SyncSubItem(int index) {
  TStrings* ansi = GetAnsiSubItems();
  if (index < 0 || index >= ansi->GetCount()) return;
  int count = FWideSubItems->GetCount();
  if (index > count) {
    SyncSubItems();
    return;
  }
  std::wstring text = Wide(ansi->Get(index));
  FWideSubItems->WithoutMirror([&] {
    if (index == count) FWideSubItems->Add(text);
    else if (Ansi(FWideSubItems->Get(index)) != ansi->Get(index)) FWideSubItems->Put(index, text);
  });
}

void TUCodeListItem::SyncSubItems() {
  TStrings* ansi = GetAnsiSubItems();
  FWideSubItems->WithoutMirror([&] {
    while (FWideSubItems->GetCount() > ansi->GetCount()) FWideSubItems->Delete(FWideSubItems->GetCount() - 1);
    for (int i = 0; i < ansi->GetCount(); ++i) SyncSubItem(i);
  });
}

void TUCodeListItem::Assign(TPersistent* source) {
  TListItem::Assign(source);
  auto* wide = dynamic_cast<TUCodeListItem*>(source);
  if (!wide) return;
  SetCaption(wide->GetCaption());
  wide->SyncSubItems();
  FWideSubItems->WithoutMirror([&] { FWideSubItems->Assign(wide->FWideSubItems.get()); });
}

// ---- list view ------------------------------------------------------------------------------

TUCodeCustomListView::TUCodeCustomListView(TComponent* owner)
    : TUCodeWideControl(owner, [](TCustomListView* listView) -> TListItems* { return new TUCodeListItems(listView); }) {
  ReplaceColumns(new TUCodeListColumns(this));
}

void TUCodeCustomListView::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TUCodeCustomListView>();
  p.WideString("Hint", &TUCodeCustomListView::GetHint, &TUCodeCustomListView::SetHint);
}

TListItem* TUCodeCustomListView::CreateListItem() { return new TUCodeListItem(TCustomListView::GetItems()); }

void TUCodeCustomListView::CreateWindowHandle(const TCreateParams& params) {
  CreateUnicodeHandle_ComCtl(this, params, L"SysListView32");
}

TUCodeListItem* TUCodeCustomListView::ItemAt(int index) {
  if (GetOwnerData()) return static_cast<TUCodeListItem*>(GetTempItem());
  if (index < 0 || index >= GetItems()->GetCount()) return nullptr;
  return GetItems()->GetItem(index);
}

void TUCodeCustomListView::AddItemW(const std::wstring& item, TObject* object) {
  TUCodeListItem* added = GetItems()->Add();
  added->SetCaption(item);
  added->SetData(object);
}

void TUCodeCustomListView::CopySelection(TCustomListControl* destination) {
  for (TListItem* item = TCustomListView::GetSelected(); item; item = GetNextItem(item, LVNI_SELECTED))
    WideAddListItem(destination, static_cast<TUCodeListItem*>(item)->GetCaption(),
                    static_cast<TObject*>(item->GetData()));
}

void TUCodeCustomListView::WndProc(TMessage& message) {
  bool unicode = Win32PlatformIsUnicode && HandleAllocated() && IsWindowUnicode(GetWindowHandle());
  switch (message.Msg) {
    case LVM_UPDATE:
      // The library changed the 8-bit sub-items: the wide ones follow.
      if (FWideChanges == 0)
        if (TUCodeListItem* item = ItemAt(static_cast<int>(message.WParam))) item->SyncSubItems();
      break;
    case LVM_SETITEMTEXTA: {
      auto* record = reinterpret_cast<LVITEMA*>(message.LParam);
      if (FWideChanges == 0 && record && record->iSubItem > 0)
        if (TUCodeListItem* item = ItemAt(static_cast<int>(message.WParam))) item->SyncSubItem(record->iSubItem - 1);
      if (unicode && record && record->pszText == LPSTR_TEXTCALLBACKA) {
        message.Result = SendMessageW(GetWindowHandle(), LVM_SETITEMTEXTW, message.WParam, message.LParam);
        return;
      }
      break;
    }
    case LVM_SETCOLUMNA: {
      auto* record = reinterpret_cast<LVCOLUMNA*>(message.LParam);
      int index = static_cast<int>(message.WParam);
      if (!record || !(record->mask & LVCF_TEXT) || index < 0 || index >= GetColumns()->GetCount()) break;
      // A column still inside its constructor is not a wide column yet: the library names it.
      auto* column = dynamic_cast<TUCodeListColumn*>(GetColumns()->TListColumns::GetItem(index));
      if (!column) break;
      std::string given = record->pszText ? record->pszText : "";
      if (Ansi(column->FWideCaption) != given) column->FWideCaption = Wide(given);
      if (unicode) {
        LVCOLUMNW wide{};
        static_assert(sizeof(wide) == sizeof(*record), "the two column records share their layout");
        std::memcpy(&wide, record, sizeof(wide));
        wide.pszText = const_cast<wchar_t*>(column->FWideCaption.c_str());
        message.Result = SendMessageW(GetWindowHandle(), LVM_SETCOLUMNW, message.WParam, reinterpret_cast<LPARAM>(&wide));
        return;
      }
      break;
    }
    case LVM_SORTITEMS:
      // The library's own comparison goes by the 8-bit captions; the wide one replaces it.
      if (unicode && message.LParam == reinterpret_cast<LPARAM>(&DefaultListViewSort))
        message.LParam = reinterpret_cast<LPARAM>(&WideListViewSort);
      break;
    case LVM_SETEXTENDEDLISTVIEWSTYLE:
      if (GetCheckboxes()) message.LParam |= LVS_EX_SUBITEMIMAGES | LVS_EX_INFOTIP;
      break;
  }
  TCustomListView::WndProc(message);
}

int CALLBACK TUCodeCustomListView::WideListViewSort(LPARAM item1, LPARAM item2, LPARAM data) {
  auto* first = reinterpret_cast<TListItem*>(item1);
  auto* second = reinterpret_cast<TListItem*>(item2);
  auto* listView = first ? dynamic_cast<TUCodeCustomListView*>(first->GetListView()) : nullptr;
  if (!listView || !second || listView->FSortError) return 0;
  try {
    if (listView->OnCompare) {
      int compare = 0;
      listView->OnCompare(listView, first, second, static_cast<int>(data), compare);
      return compare;
    }
    return lstrcmpW(static_cast<TUCodeListItem*>(first)->GetCaption().c_str(),
                    static_cast<TUCodeListItem*>(second)->GetCaption().c_str());
  } catch (...) {
    listView->FSortError = std::current_exception();
    return 0;
  }
}

void TUCodeCustomListView::GetDispInfoW(NMLVDISPINFOW& info) {
  LVITEMW& record = info.item;
  auto* item = static_cast<TUCodeListItem*>(ItemFromDisplay(FindingRecord(record)));
  if (!item) return;
  std::wstring text;
  if (record.iSubItem == 0) {
    text = item->GetCaption();
  } else {
    int index = record.iSubItem - 1;
    TStrings* ansi = item->GetAnsiSubItems();
    if (index < ansi->GetCount()) {
      TUCodeStrings* wide = item->GetSubItems();
      std::wstring stored = index < wide->GetCount() ? wide->Get(index) : std::wstring();
      text = Ansi(stored) == ansi->Get(index) && index < wide->GetCount() ? stored : Wide(ansi->Get(index));
    }
  }
  CopyToBuffer(text, record.pszText, record.cchTextMax);
}

void TUCodeCustomListView::CNNotify(TMessage& message) {
  auto* header = reinterpret_cast<NMHDR*>(message.LParam);
  if (!Win32PlatformIsUnicode || !header) {
    TCustomListView::CNNotify(message);
    return;
  }
  switch (header->code) {
    case LVN_GETDISPINFOW: {
      // The library fills images, state and indent (and fetches owner data) from the 8-bit form;
      // the text comes from the wide texts.
      auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
      bool wantsText = (info->item.mask & LVIF_TEXT) != 0;
      info->item.mask &= ~LVIF_TEXT;
      header->code = LVN_GETDISPINFOA;
      try {
        TCustomListView::CNNotify(message);
      } catch (...) {
        header->code = LVN_GETDISPINFOW;
        throw;
      }
      header->code = LVN_GETDISPINFOW;
      if (wantsText) {
        info->item.mask |= LVIF_TEXT;
        GetDispInfoW(*info);
      }
      return;
    }
    case LVN_BEGINLABELEDITW: {
      TListItem* item = ItemFromDisplay(FindingRecord(reinterpret_cast<NMLVDISPINFOW*>(header)->item));
      message.Result = item && CanEdit(item) ? 0 : 1;
      return;
    }
    case LVN_ENDLABELEDITW: {
      const LVITEMW& record = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
      message.Result = 0;
      if (!record.pszText || record.iItem == -1) return;
      auto* item = static_cast<TUCodeListItem*>(ItemFromDisplay(FindingRecord(record)));
      if (!item) return;
      std::wstring text = record.pszText;
      std::string edited = Ansi(text);
      if (OnEdited) {
        std::string before = edited;
        OnEdited(this, item, edited);
        if (edited != before) text = Wide(edited);
      }
      item->SetCaption(text);
      return;
    }
    case LVN_GETINFOTIPW: {
      auto* tip = reinterpret_cast<NMLVGETINFOTIPW*>(header);
      message.Result = 0;
      if (!OnInfoTip || tip->iItem < 0 || tip->iItem >= GetItems()->GetCount()) return;
      std::wstring given = tip->pszText ? tip->pszText : L"";
      std::string text = Ansi(given);
      OnInfoTip(this, GetItems()->GetItem(tip->iItem), text);
      CopyToBuffer(text == Ansi(given) ? given : Wide(text), tip->pszText, tip->cchTextMax);
      return;
    }
  }
  TCustomListView::CNNotify(message);
}

// The header's wide notifications of a finished drag and a double click on a divider reach the
// library in their 8-bit form too.
void TUCodeCustomListView::WMNotify(TMessage& message) {
  TCustomListView::WMNotify(message);
  auto* header = reinterpret_cast<NMHDR*>(message.LParam);
  if (!header || (header->code != HDN_ENDTRACKW && header->code != HDN_DIVIDERDBLCLICKW)) return;
  UINT code = header->code;
  header->code = code == HDN_ENDTRACKW ? HDN_ENDTRACKA : HDN_DIVIDERDBLCLICKA;
  try {
    TCustomListView::WMNotify(message);
  } catch (...) {
    header->code = code;
    throw;
  }
  header->code = code;
}

void TUCodeCustomListView::DrawItem(TListItem* item, const RECT& rect, TOwnerDrawState state) {
  TCanvas* canvas = GetCanvas();
  canvas->SetTextFlags(UseRightToLeftReading() ? ETO_RTLREADING : 0);
  if (OnDrawItem) {
    OnDrawItem(this, item, rect, state);
    return;
  }
  canvas->FillRect(rect);
  WideCanvasTextOut(canvas, rect.left + 2, rect.top, static_cast<TUCodeListItem*>(item)->GetCaption());
}

// ---- page control, tab sheet, progress bar ---------------------------------------------------
namespace {

// A sheet's caption as its tab shows it.
std::wstring SheetCaption(TTabSheet* sheet) {
  if (auto* wide = dynamic_cast<TUCodeTabSheet*>(sheet)) return wide->GetCaption();
  return StringToWideStringEx(sheet->GetCaption(), 0);
}

}  // namespace

void TUCodeTabSheet::CreateWindowHandle(const TCreateParams& params) { CreateUnicodeHandle(this, params, L""); }

void TUCodeTabSheet::Dispatch(TMessage& message) {
  if (message.Msg == WM_SETTEXT && Win32PlatformIsUnicode && !HandleAllocated()) {
    const char* text = reinterpret_cast<const char*>(message.LParam);
    std::string ansi = text ? text : "";
    if (!FSettingText && ansi != WideStringToStringEx(GetCaption(), 0)) {
      FSettingText = true;
      try {
        WideSetControlText(this, StringToWideStringEx(ansi, 0));
      } catch (...) {
        FSettingText = false;
        throw;
      }
      FSettingText = false;
      return;
    }
  }
  if (message.Msg == CM_HINTSHOW) WideHintShow(this, reinterpret_cast<THintInfo*>(message.LParam));
  TTabSheet::Dispatch(message);
}

void TUCodeTabSheet::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TUCodeTabSheet>();
  p.WideString("Caption", &TUCodeTabSheet::GetCaption,
               static_cast<void (TUCodeTabSheet::*)(const std::wstring&)>(&TUCodeTabSheet::SetCaption));
  DeclareWideHint(p);
}

void TUCodePageControl::CreateWindowHandle(const TCreateParams& params) {
  CreateUnicodeHandle_ComCtl(this, params, L"SysTabControl32");
}

void TUCodePageControl::WndProc(TMessage& message) {
  if (Win32PlatformIsUnicode && message.Msg == TCM_SETITEMA && message.LParam) {
    auto* item = reinterpret_cast<TCITEMA*>(message.LParam);
    TTabSheet* sheet = nullptr;
    int index = static_cast<int>(message.WParam);
    if (item->mask & TCIF_PARAM) sheet = reinterpret_cast<TTabSheet*>(item->lParam);
    else if ((item->mask & TCIF_TEXT) && index >= 0 && index < GetTabs()->GetCount())
      sheet = dynamic_cast<TTabSheet*>(GetTabs()->GetObject(index));
    if (!sheet) {
      TCITEMA copy = *item;
      copy.mask &= ~TCIF_TEXT;
      message.LParam = reinterpret_cast<LPARAM>(&copy);
      TPageControl::WndProc(message);
      message.LParam = reinterpret_cast<LPARAM>(item);
      return;
    }
    std::wstring caption = SheetCaption(sheet);
    TCITEMW wide{};
    wide.mask = item->mask | TCIF_TEXT;
    if (SysLocale().MiddleEast && GetBiDiMode() != bdLeftToRight) wide.mask |= TCIF_RTLREADING;
    wide.dwState = item->dwState;
    wide.dwStateMask = item->dwStateMask;
    wide.pszText = caption.data();
    wide.iImage = item->iImage;
    wide.lParam = item->lParam;
    TMessage converted = message;
    converted.Msg = TCM_SETITEMW;
    converted.LParam = reinterpret_cast<LPARAM>(&wide);
    TPageControl::WndProc(converted);
    message.Result = converted.Result;
    return;
  }
  if (Win32PlatformIsUnicode && message.Msg == TCM_INSERTITEMA && message.LParam) {
    auto* item = reinterpret_cast<TCITEMA*>(message.LParam);
    TCITEMA copy = *item;
    copy.mask &= ~TCIF_TEXT;
    message.LParam = reinterpret_cast<LPARAM>(&copy);
    TPageControl::WndProc(message);
    message.LParam = reinterpret_cast<LPARAM>(item);
    return;
  }
  TPageControl::WndProc(message);
}

bool TUCodePageControl::IsSheetAccel(TTabSheet* page, TMessage& dialogChar) {
  return IsWideCharAccel(DialogCharOf(dialogChar), SheetCaption(page));
}

TTabSheet* TUCodePageControl::NewDockSheet(TControl* client) {
  auto* sheet = new TUCodeTabSheet(this);
  if (Is<TCustomForm>(client)) sheet->SetCaption(WideGetControlText(client));
  return sheet;
}

void TUCodePageControl::CMDockNotification(TMessage& message) {
  const auto& notification = MessageAs<TCMDockNotification>(message);
  TControl* client = notification.Client;
  const TDockNotifyRec* record = notification.NotifyRec;
  auto* sheet = client ? dynamic_cast<TUCodeTabSheet*>(client->GetParent()) : nullptr;
  if (!sheet || sheet->GetPageControl() != this || !record || record->ClientMsg != WM_SETTEXT)
    return TPageControl::CMDockNotification(message);
  // A Unicode window holds the new text whole; the message carries only its 8-bit form.
  auto* windowed = dynamic_cast<TWinControl*>(client);
  std::wstring text;
  if (windowed && windowed->HandleAllocated() && IsWindowUnicode(windowed->GetWindowHandle()))
    text = WideGetControlText(windowed);
  else if (record->MsgLParam)
    text = StringToWideStringEx(reinterpret_cast<const char*>(record->MsgLParam), 0);
  sheet->SetCaption(text.substr(0, text.find_first_of(L"\r\n")));
}

void TUCodePageControl::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TUCodePageControl>();
  DeclareWideHint(p);
}

void TUCodeProgressBar::CreateWindowHandle(const TCreateParams& params) {
  CreateUnicodeHandle_ComCtl(this, params, L"msctls_progress32");
}

void TUCodeProgressBar::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TUCodeProgressBar>();
  DeclareWideHint(p);
}

// ---- any list view --------------------------------------------------------------------------

std::wstring WideListItemCaption(TListItem* item) {
  if (auto* wide = dynamic_cast<TUCodeListItem*>(item)) return wide->GetCaption();
  return Wide(item->GetCaption());
}

std::wstring WideListItemSubItem(TListItem* item, int index) {
  TStrings* ansi = item->GetSubItems();
  if (index < 0 || index >= ansi->GetCount()) return std::wstring();
  auto* wide = dynamic_cast<TUCodeListItem*>(item);
  if (!wide) return Wide(ansi->Get(index));
  TUCodeStrings* subItems = wide->GetSubItems();
  if (index < subItems->GetCount() && Ansi(subItems->Get(index)) == ansi->Get(index)) return subItems->Get(index);
  return Wide(ansi->Get(index));
}

void WideSetListItemCaption(TListItem* item, const std::wstring& caption) {
  if (auto* wide = dynamic_cast<TUCodeListItem*>(item)) wide->SetCaption(caption);
  else item->SetCaption(Ansi(caption));
}

void WideSetListItemSubItem(TListItem* item, int index, const std::wstring& text) {
  if (auto* wide = dynamic_cast<TUCodeListItem*>(item)) {
    wide->SyncSubItems();
    TUCodeStrings* sub = wide->GetSubItems();
    while (sub->GetCount() <= index) sub->Add(std::wstring());
    sub->Put(index, text);
    return;
  }
  TStrings* sub = item->GetSubItems();
  while (sub->GetCount() <= index) sub->Add(std::string());
  sub->Put(index, Ansi(text));
}

TListItem* WideAddListRow(TCustomListView* listView, const std::wstring& caption,
                          const std::vector<std::wstring>& subItems) {
  TListItem* item = listView->GetItems()->Add();
  if (auto* wide = dynamic_cast<TUCodeListItem*>(item)) {
    wide->SetCaption(caption);
    TUCodeStrings* sub = wide->GetSubItems();
    sub->BeginUpdate();
    for (const std::wstring& text : subItems) sub->Add(text);
    sub->EndUpdate();
    return item;
  }
  item->SetCaption(Ansi(caption));
  for (const std::wstring& text : subItems) item->GetSubItems()->Add(Ansi(text));
  return item;
}
