// The common base of GIF blocks, the owning block list and the sub-block helpers.
#include "gif/GifItem.h"

#include <algorithm>

#include "gif/GifPicture.h"

const char* GifVersionText(int Version) {
  static const char* const kTexts[3] = {"", "87a", "89a"};
  return Version >= 0 && Version <= 2 ? kTexts[Version] : "";
}

void TGifItem::Warning(int Severity, const std::string& Message) {
  if (FImage) FImage->Warning(this, Severity, Message);
}

void TGifItem::SaveToFile(const std::string& FileName) {
  TMemoryStream stream;
  SaveToStream(&stream);
  SaveBytesToFile(FileName, std::string(stream.GetMemory(), static_cast<size_t>(stream.GetSize())));
}

void TGifItem::LoadFromFile(const std::string& FileName) {
  TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&stream);
}

int TGifList::Add(std::unique_ptr<TGifItem> Item) {
  FItems.push_back(std::move(Item));
  return GetCount() - 1;
}

void TGifList::Insert(int Index, std::unique_ptr<TGifItem> Item) {
  Index = std::clamp(Index, 0, GetCount());
  FItems.insert(FItems.begin() + Index, std::move(Item));
}

void TGifList::Delete(int Index) { Extract(Index).reset(); }

std::unique_ptr<TGifItem> TGifList::Extract(int Index) {
  if (Index < 0 || Index >= GetCount())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  std::unique_ptr<TGifItem> item = std::move(FItems[static_cast<size_t>(Index)]);
  FItems.erase(FItems.begin() + Index);
  return item;
}

int TGifList::IndexOf(const TGifItem* Item) const {
  for (int i = 0; i < GetCount(); ++i)
    if (FItems[static_cast<size_t>(i)].get() == Item) return i;
  return -1;
}

void TGifList::Clear() {
  // From the end, so that an item being freed never sees a list holding freed items before it.
  while (!FItems.empty()) {
    std::unique_ptr<TGifItem> item = std::move(FItems.back());
    FItems.pop_back();
  }
}

void TGifList::Warning(int Severity, const std::string& Message) {
  if (FImage) FImage->Warning(this, Severity, Message);
}

void TGifList::SaveToStream(TStream* Stream) {
  for (auto& item : FItems) item->SaveToStream(Stream);
}

void SaveBytesToFile(const std::string& FileName, const std::string& Bytes) {
  TFileStream file(FileName, fmCreate);
  file.WriteBuffer(Bytes.data(), static_cast<int>(Bytes.size()));
}

void WriteGifSubBlocks(TStream* Stream, const std::string& Data) {
  for (size_t at = 0; at < Data.size(); at += 255) {
    size_t length = std::min<size_t>(255, Data.size() - at);
    WriteGifByte(Stream, static_cast<int>(length));
    Stream->WriteBuffer(Data.data() + at, static_cast<int>(length));
  }
}

std::vector<std::string> ReadGifSubBlocks(TStream* Stream) {
  std::vector<std::string> blocks;
  for (;;) {
    std::uint8_t length = 0;
    if (Stream->Read(&length, 1) != 1 || length == 0) break;
    std::string block(length, '\0');
    int got = Stream->Read(block.data(), length);
    block.resize(static_cast<size_t>(std::max(got, 0)));
    blocks.push_back(std::move(block));
    if (got < length) break;
  }
  return blocks;
}

void ReadGifBytes(TStream* Stream, void* Buffer, int Count) {
  if (Stream->Read(Buffer, Count) != Count) throw EGifError(gifmsg::kPrematureEnd);
}

void WriteGifByte(TStream* Stream, int Value) {
  const auto byte = static_cast<std::uint8_t>(Value);
  Stream->WriteBuffer(&byte, 1);
}

void WriteGifWord(TStream* Stream, int Value) {
  const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(Value & 0xFF),
                                 static_cast<std::uint8_t>((Value >> 8) & 0xFF)};
  Stream->WriteBuffer(bytes, 2);
}
