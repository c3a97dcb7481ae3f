// The wide list view.
#include "ucode/UCodeComCtrls.h"

#include <algorithm>
#include <cstring>

#include "classlib/Forms.h"
#include "classlib/ScopedHandles.h"
#include "ucode/UCodeGraphics.h"
#include "ucode/UCodeStdCtrls.h"
#include "ucode/UCodeSysUtils.h"
#include "ucode/UCodeSystem.h"

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
namespace {

// The text a window's request buffer holds, read no further than its capacity.
std::wstring BufferText(const wchar_t* buffer, int capacity) {
  if (!buffer || buffer == LPSTR_TEXTCALLBACKW || capacity <= 0) return std::wstring();
  const wchar_t* end = std::find(buffer, buffer + capacity, L'\0');
  return std::wstring(buffer, end);
}

// Keys with which the user edits the label's text or moves in it: they stay in the in-place
// editor, and the list view's key events never see them (a file list deletes its selected rows
// when Delete reaches it).
bool EditsLabelText(const TMessage& message) {
  auto key = static_cast<UINT>(LOWORD(message.WParam));
  switch (key) {
    case VK_BACK: case VK_DELETE: case VK_INSERT: case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
    case VK_HOME: case VK_END:
    case VK_PACKET:  // a character typed as such (an input method, a character map)
      return true;
    case VK_RETURN: case VK_ESCAPE: case VK_TAB:
      return false;
  }
  // With Alt the key is the menus' and the accelerators'.
  if (message.Msg == WM_SYSKEYDOWN || message.Msg == WM_SYSKEYUP) return false;
  return MapVirtualKeyW(key, MAPVK_VK_TO_CHAR) != 0;
}

// Of the typed characters, only Enter, Escape and Tab, which end the editing, reach the list
// view's key-press event.
bool TypesIntoLabel(wchar_t ch) { return ch != L'\r' && ch != L'\x1B' && ch != L'\t'; }

// Runs `body` with the notification under another code, the original put back afterwards.
template <class F>
void WithNotifyCode(NMHDR& header, UINT code, F&& body) {
  ScopedValue<UINT> swapped(header.code, code);
  body();
}

}  // namespace

bool _UCodeInternalCustomListView::OwnerDataFetch(TListItem* item, TItemRequest request) {
  return OwnerDataFetchW(item, request);
}

int _UCodeInternalCustomListView::OwnerDataFind(TItemFind find, const std::string& findString,
                                                const POINT& findPosition, void* findData, int startIndex,
                                                TSearchDirection direction, bool wrap) {
  std::wstring text = FWideFindText ? std::wstring(FWideFindText) : Wide(findString);
  return OwnerDataFindW(find, text, findPosition, findData, startIndex, direction, wrap);
}

TUCodeCustomListView::TUCodeCustomListView(TComponent* owner)
    : _UCodeInternalCustomListView(owner, [](TCustomListView* listView) -> TListItems* { return new TUCodeListItems(listView); }),
      FEditorStub(MakeObjectInstance(TWndMethod(this, &TUCodeCustomListView::EditorWndProc))) {
  ReplaceColumns(new TUCodeListColumns(this));
}

// The editor's window outlives this object's part of the list view: it gets its own procedure
// back before the stub goes.
TUCodeCustomListView::~TUCodeCustomListView() {
  UnhookEditor();
  FreeObjectInstance(FEditorStub);
}

void TUCodeCustomListView::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TUCodeCustomListView>();
  DeclareWideHint(p);
}

TListItem* TUCodeCustomListView::CreateListItem() {
  static const bool registered = (RegisterListItemClass<TUCodeListItem>(), true);
  (void)registered;
  TClass itemClass = TUCodeListItem::StaticClass();
  if (OnCreateItemClass) OnCreateItemClass(this, itemClass);
  if (!itemClass || !itemClass->InheritsFrom(TUCodeListItem::StaticClass()))
    throw EUCodeInternalError("Internal Error: OnCreateItemClass.ItemClass must inherit from TUCodeListItem.");
  return CreateListItemOfClass(itemClass, TCustomListView::GetItems());
}

void TUCodeCustomListView::CreateWindowHandle(const TCreateParams& params) {
  CreateUnicodeHandle_ComCtl(this, params, L"SysListView32");
  if (!Win32PlatformIsUnicode) return;
  // Some versions of the common controls let a Unicode list view edit its labels only once a
  // column has been inserted into it.
  LVCOLUMNA column{};
  SendMessageA(FHandle, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
  SendMessageA(FHandle, LVM_DELETECOLUMN, 0, 0);
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
    case WM_GETDLGCODE:
      if (IsEditing()) {
        // Enter and Escape end the editing of a label; they do not press the form's buttons.
        TCustomListView::WndProc(message);
        message.Result |= DLGC_WANTALLKEYS;
        return;
      }
      break;
    case LVM_EDITLABELA:
      // The 8-bit request would give the label an 8-bit editor, which loses every character
      // outside the code page.
      if (unicode) {
        message.Result = SendMessageW(GetWindowHandle(), LVM_EDITLABELW, message.WParam, message.LParam);
        return;
      }
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

// The text request: the library fills images, state and indent (and fetches owner data) from
// its 8-bit form; the text comes from the wide texts.
void TUCodeCustomListView::GetDispInfoW(TMessage& message, NMLVDISPINFOW& info) {
  LVITEMW& record = info.item;
  bool wantsText = (record.mask & LVIF_TEXT) != 0;
  {
    ScopedValue<NMLVDISPINFOW*> request(FDispInfo, &info);
    ScopedValue<UINT> asked(FDispInfoMask, record.mask);
    ScopedValue<UINT> mask(record.mask, record.mask & ~LVIF_TEXT);
    WithNotifyCode(info.hdr, LVN_GETDISPINFOA, [&] { TCustomListView::CNNotify(message); });
  }
  if (!wantsText) return;
  TUCodeListItem* item = nullptr;
  if (!GetOwnerData()) item = static_cast<TUCodeListItem*>(ItemFromDisplay(FindingRecord(record)));
  else if (record.iItem < GetItems()->GetCount()) item = static_cast<TUCodeListItem*>(GetTempItem());  // just fetched
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

// An owner-data find: the library answers it in its 8-bit form while the wide search text waits
// here for the wide find.
void TUCodeCustomListView::FindItemW(TMessage& message, NMLVFINDITEMW& find) {
  LVFINDINFOW& info = find.lvfi;
  const wchar_t* searched = info.flags & (LVFI_STRING | LVFI_PARTIAL) ? info.psz : nullptr;
  ScopedValue<const wchar_t*> wideText(FWideFindText, searched);
  ScopedValue<LPCWSTR> text(info.psz, nullptr);
  WithNotifyCode(find.hdr, LVN_ODFINDITEMA, [&] { TCustomListView::CNNotify(message); });
}

void TUCodeCustomListView::EndLabelEditW(TMessage& message, const LVITEMW& record) {
  message.Result = 0;
  if (!record.pszText || record.iItem == -1) return;
  auto* item = static_cast<TUCodeListItem*>(ItemFromDisplay(FindingRecord(record)));
  if (!item) return;
  std::wstring text = record.pszText;
  if (OnEditedW) {
    OnEditedW(this, item, text);
  } else if (OnEdited) {
    std::string edited = Ansi(text);
    std::string before = edited;
    OnEdited(this, item, edited);
    if (edited != before) text = Wide(edited);
  }
  item->SetCaption(text);
}

void TUCodeCustomListView::CNNotify(TMessage& message) {
  auto* header = reinterpret_cast<NMHDR*>(message.LParam);
  if (!Win32PlatformIsUnicode || !header) {
    TCustomListView::CNNotify(message);
    return;
  }
  switch (header->code) {
    case LVN_GETDISPINFOW:
      GetDispInfoW(message, *reinterpret_cast<NMLVDISPINFOW*>(header));
      return;
    case LVN_ODFINDITEMW:
      FindItemW(message, *reinterpret_cast<NMLVFINDITEMW*>(header));
      return;
    case LVN_BEGINLABELEDITW: {
      TListItem* item = ItemFromDisplay(FindingRecord(reinterpret_cast<NMLVDISPINFOW*>(header)->item));
      message.Result = item && CanEdit(item) ? 0 : 1;
      if (message.Result == 0) HookEditor();
      return;
    }
    case LVN_ENDLABELEDITW:
      EndLabelEditW(message, reinterpret_cast<NMLVDISPINFOW*>(header)->item);
      return;
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

// The header speaks the wide notifications only; the library knows the 8-bit ones: a column
// dragged reaches it as the 8-bit tracking (which keeps the width within the column's limits),
// a finished drag and a double click on a divider in both forms.
void TUCodeCustomListView::WMNotify(TMessage& message) {
  auto* header = reinterpret_cast<NMHDR*>(message.LParam);
  if (header && Win32PlatformIsUnicode && header->code == HDN_TRACKW) {
    WithNotifyCode(*header, HDN_TRACKA, [&] { TCustomListView::WMNotify(message); });
    return;
  }
  TCustomListView::WMNotify(message);
  if (!header || (header->code != HDN_ENDTRACKW && header->code != HDN_DIVIDERDBLCLICKW)) return;
  UINT ansiCode = header->code == HDN_ENDTRACKW ? HDN_ENDTRACKA : HDN_DIVIDERDBLCLICKA;
  WithNotifyCode(*header, ansiCode, [&] { TCustomListView::WMNotify(message); });
}

bool TUCodeCustomListView::OwnerDataFetchW(TListItem* item, TItemRequest request) {
  if (auto* wide = dynamic_cast<TUCodeListItem*>(item)) {
    if (FDispInfo && (FDispInfoMask & LVIF_TEXT))
      wide->FWideCaption = BufferText(FDispInfo->item.pszText, FDispInfo->item.cchTextMax);
    wide->GetSubItems()->Clear();
  }
  return TCustomListView::OwnerDataFetch(item, request);
}

int TUCodeCustomListView::OwnerDataFindW(TItemFind find, const std::wstring& findString, const POINT& findPosition,
                                         void* findData, int startIndex, TSearchDirection direction, bool wrap) {
  if (!OnDataFindW)
    return TCustomListView::OwnerDataFind(find, Ansi(findString), findPosition, findData, startIndex, direction, wrap);
  int index = -1;
  OnDataFindW(this, find, findString, findPosition, findData, startIndex, direction, wrap, index);
  return index;
}

// ---- in-place editor ------------------------------------------------------------------------

void TUCodeCustomListView::HookEditor() {
  UnhookEditor();
  auto editor = reinterpret_cast<HWND>(SendMessageW(GetWindowHandle(), LVM_GETEDITCONTROL, 0, 0));
  if (!editor) return;
  FEditor = editor;
  FEditorPrevProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(editor, GWLP_WNDPROC));
  SetWindowLongPtrW(editor, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FEditorStub));
}

void TUCodeCustomListView::UnhookEditor() {
  if (FEditor && IsWindow(FEditor) &&
      reinterpret_cast<WNDPROC>(GetWindowLongPtrW(FEditor, GWLP_WNDPROC)) == FEditorStub)
    SetWindowLongPtrW(FEditor, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FEditorPrevProc));
  FEditor = nullptr;
  FEditorPrevProc = nullptr;
}

void TUCodeCustomListView::EditorWndProc(TMessage& message) {
  GuardedCallback([&] { EditorMessage(message); });
}

// The editor's keys go through the list view's key events first (a key an event takes goes no
// further), but for those that edit the label.
void TUCodeCustomListView::EditorMessage(TMessage& message) {
  HWND editor = FEditor;
  WNDPROC previous = FEditorPrevProc;
  if (!editor || !previous) return;
  switch (message.Msg) {
    case WM_KEYDOWN: case WM_SYSKEYDOWN:
      if (!EditsLabelText(message) && DoKeyDown(message)) return;
      break;
    case WM_KEYUP: case WM_SYSKEYUP:
      if (!EditsLabelText(message) && DoKeyUp(message)) return;
      break;
    case WM_CHAR:
      if (!TypesIntoLabel(static_cast<wchar_t>(message.WParam))) {
        PackWMChar(message);
        bool taken = DoKeyPress(message);
        UnpackWMChar(message);
        if (taken) return;
      }
      break;
    case CN_KEYDOWN: case CN_CHAR: case CN_SYSKEYDOWN: case CN_SYSCHAR:
      WndProc(message);
      return;
  }
  message.Result = CallWindowProcW(previous, editor, message.Msg, message.WParam, message.LParam);
  // The editor's window still gets messages after WM_DESTROY (WM_NCDESTROY frees what the edit
  // control holds): they go on to its own procedure until the last one.
  if (message.Msg == WM_NCDESTROY && FEditor == editor) {
    FEditor = nullptr;
    FEditorPrevProc = nullptr;
  }
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
  DeclareWideCaption(p);
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
