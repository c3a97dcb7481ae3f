// The common base of every block of a GIF picture, and the owning list of blocks.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "classlib/Classes.h"
#include "gif/GifError.h"

class TGifPicture;

// Version codes: 0 none, 1 "87a", 2 "89a".
constexpr int kGifVersionNone = 0;
constexpr int kGifVersion87a = 1;
constexpr int kGifVersion89a = 2;
// The signature's version text of a code.
const char* GifVersionText(int Version);

class TGifItem : public TPersistent {
  KX_CLASS(TGifItem, TPersistent)
 public:
  explicit TGifItem(TGifPicture* Image) : FImage(Image) {}
  TGifItem(const TGifItem&) = delete;
  TGifItem& operator=(const TGifItem&) = delete;

  TGifPicture* GetImage() const { return FImage; }
  virtual int GetVersion() const { return kGifVersion87a; }
  // Hands the warning to the picture's OnWarning, with this item as sender.
  virtual void Warning(int Severity, const std::string& Message);
  virtual void SaveToStream(TStream* Stream) = 0;
  virtual void LoadFromStream(TStream* Stream) = 0;
  // The file is replaced only when the whole block has been written in memory.
  void SaveToFile(const std::string& FileName);
  void LoadFromFile(const std::string& FileName);

 protected:
  TGifPicture* FImage;  // not owned
};

// An owning list of items in stream order.
class TGifList : public TPersistent {
  KX_CLASS(TGifList, TPersistent)
 public:
  explicit TGifList(TGifPicture* Image) : FImage(Image) {}
  TGifList(const TGifList&) = delete;
  TGifList& operator=(const TGifList&) = delete;

  int GetCount() const { return static_cast<int>(FItems.size()); }
  TGifItem* GetItem(int Index) const { return FItems.at(static_cast<size_t>(Index)).get(); }
  int Add(std::unique_ptr<TGifItem> Item);
  void Insert(int Index, std::unique_ptr<TGifItem> Item);
  void Delete(int Index);
  // Removes the item from the list without freeing it.
  std::unique_ptr<TGifItem> Extract(int Index);
  int IndexOf(const TGifItem* Item) const;
  void Clear();
  TGifPicture* GetImage() const { return FImage; }

  virtual void Warning(int Severity, const std::string& Message);
  // Every item in order.
  virtual void SaveToStream(TStream* Stream);
  virtual void LoadFromStream(TStream* Stream, TObject* Parent) = 0;

 protected:
  TGifPicture* FImage;

 private:
  std::vector<std::unique_ptr<TGifItem>> FItems;
};

// Whole-file write that leaves an existing file untouched when making the bytes fails.
void SaveBytesToFile(const std::string& FileName, const std::string& Bytes);

// Data sub-blocks: each line as sub-blocks of at most 255 bytes (an empty line none).
void WriteGifSubBlocks(TStream* Stream, const std::string& Data);
// The sub-blocks up to a zero-length block or the end of the stream, one string each.
std::vector<std::string> ReadGifSubBlocks(TStream* Stream);
// Exactly Count bytes, or "Premature end of data".
void ReadGifBytes(TStream* Stream, void* Buffer, int Count);
void WriteGifByte(TStream* Stream, int Value);
void WriteGifWord(TStream* Stream, int Value);
