// Image lists.
#include "classlib/ImgList.h"

#include <algorithm>

#include "classlib/SysUtils.h"
#include "classlib/TypInfo.h"

// ---- TChangeLink ----------------------------------------------------------------------------
TChangeLink::~TChangeLink() {
  if (FSender) FSender->UnRegisterChanges(this);
}

void TChangeLink::Change() {
  if (OnChange) OnChange(FSender);
}

// ---- TCustomImageList -----------------------------------------------------------------------
TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner) {}

TCustomImageList::~TCustomImageList() {
  for (TChangeLink* link : FLinks) link->FSender = nullptr;
  FreeHandle();
}

void TCustomImageList::FreeHandle() {
  if (FHandle && !FShareImages) ImageList_Destroy(FHandle);
  FHandle = nullptr;
}

HIMAGELIST TCustomImageList::GetHandle() {
  if (!FHandle) {
    FHandle = ImageList_Create(FWidth, FHeight, ILC_COLOR32 | ILC_MASK, 4, 4);
    if (!FHandle) RaiseLastOSError();
  }
  return FHandle;
}

void TCustomImageList::SetHandle(HIMAGELIST value) {
  if (value == FHandle) return;
  FreeHandle();
  FHandle = value;
  if (value) ImageList_GetIconSize(value, &FWidth, &FHeight);
  Change();
}

// A new size empties a list of our own; a shared list keeps its size.
void TCustomImageList::Resize(int width, int height) {
  if (width == FWidth && height == FHeight) return;
  if (FHandle && FShareImages) return;
  FreeHandle();
  FWidth = width;
  FHeight = height;
  Change();
}

void TCustomImageList::SetWidth(int value) { Resize(std::max(value, 1), FHeight); }
void TCustomImageList::SetHeight(int value) { Resize(FWidth, std::max(value, 1)); }

int TCustomImageList::GetCount() { return FHandle ? ImageList_GetImageCount(FHandle) : 0; }

int TCustomImageList::AddIcon(HICON icon) {
  if (!icon) throw EInvalidOperation("Invalid icon");
  int index = ImageList_ReplaceIcon(GetHandle(), -1, icon);
  if (index < 0) throw EInvalidOperation("Failed to add the icon to the image list");
  Change();
  return index;
}

int TCustomImageList::AddIcon(TIcon* icon) {
  if (!icon || icon->GetEmpty()) throw EInvalidOperation("Invalid icon");
  return AddIcon(icon->GetHandle());
}

void TCustomImageList::Delete(int index) {
  if (index < 0 || index >= GetCount()) throw EInvalidOperation(Format("Invalid image index %d", index));
  ImageList_Remove(FHandle, index);
  Change();
}

void TCustomImageList::Clear() {
  if (!FHandle) return;
  ImageList_Remove(FHandle, -1);
  Change();
}

void TCustomImageList::RegisterChanges(TChangeLink* link) {
  if (!link || link->FSender == this) return;
  if (link->FSender) link->FSender->UnRegisterChanges(link);
  link->FSender = this;
  FLinks.push_back(link);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* link) {
  auto found = std::find(FLinks.begin(), FLinks.end(), link);
  if (found == FLinks.end()) return;
  FLinks.erase(found);
  link->FSender = nullptr;
}

void TCustomImageList::Change() {
  for (TChangeLink* link : std::vector<TChangeLink*>(FLinks)) link->Change();
  if (OnChange) OnChange(this);
}

void TCustomImageList::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TCustomImageList>();
  p.Integer("Width", &TCustomImageList::GetWidth, &TCustomImageList::SetWidth);
  p.Integer("Height", &TCustomImageList::GetHeight, &TCustomImageList::SetHeight);
  p.Boolean("ShareImages", &TCustomImageList::GetShareImages, &TCustomImageList::SetShareImages);
  p.Event("OnChange", &TCustomImageList::OnChange);
}

void RegisterImageListClasses() { RegisterClasses({TImageList::StaticClass()}); }
