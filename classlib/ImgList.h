// Image lists: a component around a system image list handle.  The handle is made on demand
// (masked, 32-bit colour) or handed in from outside, such as the shell's list of small file
// icons; a shared handle is never destroyed by the component.
#pragma once

#include <vector>

#include "classlib/Classes.h"
#include "classlib/Graphics.h"
#include "classlib/WinApi.h"

#include <commctrl.h>

class TCustomImageList;

// Tells a control that uses an image list that the list's handle or images changed.
class TChangeLink : public TObject {
  KX_CLASS(TChangeLink, TObject)
 public:
  TChangeLink() = default;
  ~TChangeLink() override;
  TChangeLink(const TChangeLink&) = delete;
  TChangeLink& operator=(const TChangeLink&) = delete;
  TCustomImageList* GetSender() const { return FSender; }
  void Change();

  TNotifyEvent OnChange;

 private:
  friend class TCustomImageList;
  TCustomImageList* FSender = nullptr;
};

class TCustomImageList : public TComponent {
  KX_COMPONENT(TCustomImageList, TComponent)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TCustomImageList(TComponent* owner);
  ~TCustomImageList() override;

  // The system handle, made on first use with the list's size.
  HIMAGELIST GetHandle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  // Takes over a handle; the previous one is destroyed unless it was shared.  The list's size
  // becomes the handle's icon size.
  void SetHandle(HIMAGELIST value);
  // A shared handle belongs to someone else (the system's icon list, say): never destroyed.
  bool GetShareImages() const { return FShareImages; }
  void SetShareImages(bool value) { FShareImages = value; }

  int GetWidth() const { return FWidth; }
  void SetWidth(int value);
  int GetHeight() const { return FHeight; }
  void SetHeight(int value);
  int GetCount();

  // Adds an icon (the list copies it); the index of the new image.  EInvalidOperation when
  // the system refuses it.
  int AddIcon(HICON icon);
  int AddIcon(TIcon* icon);
  void Delete(int index);
  void Clear();

  void RegisterChanges(TChangeLink* link);
  void UnRegisterChanges(TChangeLink* link);

  TNotifyEvent OnChange;

 protected:
  virtual void Change();

 private:
  void FreeHandle();
  void Resize(int width, int height);

  HIMAGELIST FHandle = nullptr;
  bool FShareImages = false;
  int FWidth = 16;
  int FHeight = 16;
  std::vector<TChangeLink*> FLinks;
};

class TImageList : public TCustomImageList {
  KX_COMPONENT(TImageList, TCustomImageList)
 public:
  explicit TImageList(TComponent* owner) : TCustomImageList(owner) {}
};

// Registers the image list for form descriptions.
void RegisterImageListClasses();
