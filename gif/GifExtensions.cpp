// GIF extension blocks and their registries.
#include "gif/GifExtensions.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "gif/GifFrame.h"
#include "gif/GifPicture.h"

namespace {

constexpr std::uint8_t kExtensionIntroducer = 0x21;

std::vector<TGifExtensionClass>& Extensions() {
  static std::vector<TGifExtensionClass> list = {
      &TGifTextExtension::Class, &TGifGraphicControlExtension::Class,
      &TGifCommentExtension::Class, &TGifApplicationExtension::Class};
  return list;
}

std::vector<std::pair<std::string, TGifExtensionClass>>& AppExtensions() {
  static std::vector<std::pair<std::string, TGifExtensionClass>> list = {
      {"NETSCAPE2.0", &TGifLoopExtension::Class}, {"ANIMEXTS1.0", &TGifLoopExtension::Class}};
  return list;
}

TGifExtensionClass SameClass(TStream*) { return nullptr; }

// Reads a byte without failing at the end: -1 there.
int ReadByteOrEnd(TStream* stream) {
  std::uint8_t byte = 0;
  return stream->Read(&byte, 1) == 1 ? byte : -1;
}

std::int64_t Remaining(TStream* stream) { return stream->GetSize() - stream->GetPosition(); }

}  // namespace

void RegisterGifExtension(TGifExtensionClass Class) { Extensions().push_back(Class); }

void RegisterGifAppExtension(const std::string& Identifier, TGifExtensionClass Class) {
  AppExtensions().emplace_back(Identifier, Class);
}

TGifExtensionClass FindGifExtensionClass(std::uint8_t Label) {
  auto& list = Extensions();
  for (auto it = list.rbegin(); it != list.rend(); ++it)
    if ((*it)->Label == Label) return *it;
  return nullptr;
}

TGifExtensionClass FindGifAppExtensionClass(const std::string& Identifier) {
  auto& list = AppExtensions();
  for (auto it = list.rbegin(); it != list.rend(); ++it)
    if (it->first == Identifier) return it->second;
  return nullptr;
}

// ---------------------------------------------------------------------------------------------

TGifExtension::TGifExtension(TGifFrame* Frame)
    : TGifItem(Frame ? Frame->GetImage() : nullptr), FFrame(Frame) {}

void TGifExtension::SaveToStream(TStream* Stream) {
  WriteGifByte(Stream, kExtensionIntroducer);
  WriteGifByte(Stream, GetExtensionType());
  SaveData(Stream);
}

void TGifExtension::LoadFromStream(TStream* Stream) {
  std::uint8_t start[2];
  ReadGifBytes(Stream, start, 2);
  if (start[0] != kExtensionIntroducer) throw EGifError(gifmsg::kInvalidIntroducer);
  if (start[1] != GetExtensionType()) throw EGifError(gifmsg::kExtensionMismatch);
  LoadData(Stream);
}

TGifExtensionClass TGifExtension::FindExtension(TStream* Stream) {
  const std::int64_t start = Stream->GetPosition();
  TGifExtensionClass found = nullptr;
  std::uint8_t head[2];
  if (Stream->Read(head, 2) == 2) {
    found = FindGifExtensionClass(head[1]);
    // Each class may narrow the choice until one answers itself.
    for (int rounds = 0; found && rounds < 8; ++rounds) {
      Stream->SetPosition(start + 2);
      TGifExtensionClass narrower = found->Find(Stream);
      if (!narrower || narrower == found) break;
      found = narrower;
    }
  }
  Stream->SetPosition(start);
  return found;
}

// ---------------------------------------------------------------------------------------------
// Graphic control

const TGifExtensionClassInfo TGifGraphicControlExtension::Class{
    "TGifGraphicControlExtension", 0xF9,
    [](TGifFrame* f) -> TGifExtension* { return new TGifGraphicControlExtension(f); }, SameClass};

TGifGraphicControlExtension::TGifGraphicControlExtension(TGifFrame* Frame) : TGifExtension(Frame) {
  if (Frame) Frame->AttachGraphicControl(this);
}

TGifGraphicControlExtension::~TGifGraphicControlExtension() {
  if (TGifFrame* frame = GetFrame()) {
    if (GetTransparent() && frame->GetGraphicControlExtension() == this)
      frame->SetTransparentFlag(false);
    frame->DetachGraphicControl(this);
  }
}

void TGifGraphicControlExtension::SetTransparent(bool Value) {
  FPacked = static_cast<std::uint8_t>(Value ? FPacked | 1 : FPacked & ~1);
  if (Value && GetFrame() && GetFrame()->GetGraphicControlExtension() == this)
    GetFrame()->SetTransparentFlag(true);
}

void TGifGraphicControlExtension::SetTransparentColorIndex(int Value) {
  if (TGifFrame* frame = GetFrame()) {
    TGifColorMap* map = frame->GetActiveColorMap();
    if (map && map->GetCount() > 0 && (Value < 0 || Value >= map->GetCount())) {
      Warning(1, gifmsg::kInvalidColorIndex);
      Value = 0;
    }
  }
  FTransparentIndex = static_cast<std::uint8_t>(Value);
}

void TGifGraphicControlExtension::SetDisposal(TGifDisposal Value) {
  FPacked = static_cast<std::uint8_t>((FPacked & ~0x1C) | ((Value & 7) << 2));
}

void TGifGraphicControlExtension::SetUserInput(bool Value) {
  FPacked = static_cast<std::uint8_t>(Value ? FPacked | 2 : FPacked & ~2);
}

// The block holds four bytes whatever size a damaged stream claimed for it.
void TGifGraphicControlExtension::SaveData(TStream* Stream) {
  WriteGifByte(Stream, 4);
  WriteGifByte(Stream, FPacked);
  WriteGifWord(Stream, FDelay);
  WriteGifByte(Stream, FTransparentIndex);
  WriteGifByte(Stream, 0);
}

void TGifGraphicControlExtension::LoadData(TStream* Stream) {
  std::uint8_t bytes[6];
  if (Stream->Read(bytes, 6) != 6) {
    Warning(1, gifmsg::kPrematureEnd);
    return;
  }
  FPacked = bytes[1];
  FDelay = static_cast<std::uint16_t>(bytes[2] | bytes[3] << 8);
  FTransparentIndex = bytes[4];
  if (GetTransparent() && GetFrame() && GetFrame()->GetGraphicControlExtension() == this)
    GetFrame()->SetTransparentFlag(true);
}

// ---------------------------------------------------------------------------------------------
// Plain text and comment

const TGifExtensionClassInfo TGifTextExtension::Class{
    "TGifTextExtension", 0x01,
    [](TGifFrame* f) -> TGifExtension* { return new TGifTextExtension(f); }, SameClass};

void TGifTextExtension::SaveData(TStream* Stream) {
  WriteGifByte(Stream, 12);
  for (int value : {Left, Top, GridWidth, GridHeight}) WriteGifWord(Stream, value);
  for (int value : {CharWidth, CharHeight, ForegroundIndex, BackgroundIndex})
    WriteGifByte(Stream, value);
  for (const std::string& line : Text) WriteGifSubBlocks(Stream, line);
  WriteGifByte(Stream, 0);
}

void TGifTextExtension::LoadData(TStream* Stream) {
  std::uint8_t b[13];
  ReadGifBytes(Stream, b, 13);
  Left = b[1] | b[2] << 8;
  Top = b[3] | b[4] << 8;
  GridWidth = b[5] | b[6] << 8;
  GridHeight = b[7] | b[8] << 8;
  CharWidth = b[9];
  CharHeight = b[10];
  ForegroundIndex = b[11];
  BackgroundIndex = b[12];
  Text = ReadGifSubBlocks(Stream);
}

const TGifExtensionClassInfo TGifCommentExtension::Class{
    "TGifCommentExtension", 0xFE,
    [](TGifFrame* f) -> TGifExtension* { return new TGifCommentExtension(f); }, SameClass};

void TGifCommentExtension::SaveData(TStream* Stream) {
  for (const std::string& line : Comment) WriteGifSubBlocks(Stream, line);
  WriteGifByte(Stream, 0);
}

void TGifCommentExtension::LoadData(TStream* Stream) { Comment = ReadGifSubBlocks(Stream); }

// ---------------------------------------------------------------------------------------------
// Application extensions

namespace {

TGifExtensionClass FindApplication(TStream* stream) {
  int size = ReadByteOrEnd(stream);
  if (size == 10 && Remaining(stream) >= 10) return &TGifUnknownAppExtension::Class;
  if (size == 11 && Remaining(stream) >= 11) {
    char identifier[11];
    stream->ReadBuffer(identifier, 11);
    TGifExtensionClass found = FindGifAppExtensionClass(std::string(identifier, 11));
    return found ? found : &TGifUnknownAppExtension::Class;
  }
  return &TGifApplicationExtension::Class;
}

}  // namespace

const TGifExtensionClassInfo TGifApplicationExtension::Class{
    "TGifApplicationExtension", 0xFF,
    [](TGifFrame* f) -> TGifExtension* { return new TGifApplicationExtension(f); },
    FindApplication};

void TGifApplicationExtension::SetIdentifier(const std::string& Value) {
  std::memset(FIdentifier, 0, sizeof FIdentifier);
  std::memcpy(FIdentifier, Value.data(), std::min<size_t>(Value.size(), sizeof FIdentifier));
}

void TGifApplicationExtension::SaveData(TStream* Stream) {
  WriteGifByte(Stream, 11);
  Stream->WriteBuffer(FIdentifier, 11);
  SaveAppData(Stream);
}

void TGifApplicationExtension::LoadData(TStream* Stream) {
  std::uint8_t size = 0;
  ReadGifBytes(Stream, &size, 1);
  if (size < 10) throw EGifError(gifmsg::kAppBlockSize);
  std::memset(FIdentifier, 0, sizeof FIdentifier);
  ReadGifBytes(Stream, FIdentifier, 11);
  if (size == 10)
    Stream->Seek(-1, soCurrent);  // the eleventh byte belongs to the data
  else if (size > 11)
    Stream->Seek(size - 11, soCurrent);
  LoadAppData(Stream);
}

void TGifApplicationExtension::SaveAppData(TStream* Stream) { WriteGifByte(Stream, 0); }

void TGifApplicationExtension::LoadAppData(TStream* Stream) { ReadGifSubBlocks(Stream); }

const TGifExtensionClassInfo TGifUnknownAppExtension::Class{
    "TGifUnknownAppExtension", 0xFF,
    [](TGifFrame* f) -> TGifExtension* { return new TGifUnknownAppExtension(f); }, SameClass};

void TGifUnknownAppExtension::SaveAppData(TStream* Stream) {
  for (const TGifBlock& block : Blocks) {
    WriteGifByte(Stream, static_cast<int>(block.Data.size()));
    Stream->WriteBuffer(block.Data.data(), static_cast<int>(block.Data.size()));
  }
  WriteGifByte(Stream, 0);
}

void TGifUnknownAppExtension::LoadAppData(TStream* Stream) {
  Blocks.clear();
  for (std::string& data : ReadGifSubBlocks(Stream)) Blocks.push_back({std::move(data)});
}

const TGifExtensionClassInfo TGifLoopExtension::Class{
    "TGifLoopExtension", 0xFF,
    [](TGifFrame* f) -> TGifExtension* { return new TGifLoopExtension(f); }, SameClass};

TGifLoopExtension::TGifLoopExtension(TGifFrame* Frame) : TGifApplicationExtension(Frame) {
  SetIdentifier("NETSCAPE2.0");
}

void TGifLoopExtension::SaveAppData(TStream* Stream) {
  const std::uint8_t loop[4] = {3, 1, static_cast<std::uint8_t>(FLoops & 0xFF),
                                static_cast<std::uint8_t>(FLoops >> 8)};
  Stream->WriteBuffer(loop, 4);
  if (FBufferSize != 0) {
    WriteGifByte(Stream, 5);
    WriteGifByte(Stream, 2);
    for (int shift = 0; shift < 32; shift += 8) WriteGifByte(Stream, static_cast<int>(FBufferSize >> shift));
  }
  WriteGifByte(Stream, 0);
}

void TGifLoopExtension::LoadAppData(TStream* Stream) {
  for (const std::string& block : ReadGifSubBlocks(Stream)) {
    if (block.empty()) continue;
    const auto* b = reinterpret_cast<const std::uint8_t*>(block.data());
    switch (b[0] & 7) {
      case 1:
        if (block.size() < 3) throw EGifError(gifmsg::kInvalidData);
        FLoops = static_cast<std::uint16_t>(b[1] | b[2] << 8);
        break;
      case 2:
        if (block.size() < 5) throw EGifError(gifmsg::kInvalidData);
        FBufferSize = static_cast<std::uint32_t>(b[1] | b[2] << 8 | b[3] << 16) |
                      static_cast<std::uint32_t>(b[4]) << 24;
        break;
      default:
        break;
    }
  }
}

// ---------------------------------------------------------------------------------------------

TGifExtensionList::TGifExtensionList(TGifFrame* Frame)
    : TGifList(Frame ? Frame->GetImage() : nullptr), FFrame(Frame) {}

void TGifExtensionList::LoadFromStream(TStream* Stream, TObject* Parent) {
  auto* frame = dynamic_cast<TGifFrame*>(Parent);
  if (!frame) frame = FFrame;
  int next = ReadByteOrEnd(Stream);
  if (next < 0) return;
  while (next != ',' && next != ';') {
    if (next != kExtensionIntroducer) {
      Warning(1, gifmsg::kInvalidIntroducer);
      break;
    }
    Stream->Seek(-1, soCurrent);
    TGifExtensionClass found = TGifExtension::FindExtension(Stream);
    if (!found) throw EGifError(gifmsg::kUnknownExtension);
    std::unique_ptr<TGifItem> extension(found->Create(frame));
    extension->LoadFromStream(Stream);
    Add(std::move(extension));
    next = ReadByteOrEnd(Stream);
    if (next < 0) return;
  }
  Stream->Seek(-1, soCurrent);
}
