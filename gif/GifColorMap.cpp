// GIF colour tables.
#include "gif/GifColorMap.h"

#include <algorithm>
#include <numeric>

#include "gif/GifFrame.h"
#include "gif/GifPicture.h"

namespace {

TGifColor FromTColor(TColor color) {
  COLORREF rgb = ColorToRGB(color);
  return {GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)};
}

TColor ToTColor(TGifColor color) {
  return static_cast<TColor>(RGB(color.Red, color.Green, color.Blue));
}

}  // namespace

int GifBitsPerPixel(int count) {
  if (count <= 0) return 0;
  int bits = 1;
  while ((1 << bits) < count) ++bits;
  return bits;
}

// The stock palette never changes: it is read once.
const std::vector<TGifColor>& GifSystemColors() {
  static const std::vector<TGifColor> colors = [] {
    auto palette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    PALETTEENTRY entries[TGifColorMap::kMaxColors];
    const UINT count = GetPaletteEntries(palette, 0, TGifColorMap::kMaxColors, entries);
    std::vector<TGifColor> read;
    for (UINT i = 0; i < count; ++i) read.push_back({entries[i].peRed, entries[i].peGreen, entries[i].peBlue});
    return read;
  }();
  return colors;
}

void TGifColorMap::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TGifColorMap*>(Source)) {
    FColors = source->FColors;
    FOptimized = source->FOptimized;
    Changed();
    return;
  }
  inherited::Assign(Source);
}

int TGifColorMap::GetCapacity() const {
  int capacity = (GetCount() + 31) / 32 * 32;
  return std::clamp(capacity, 16, kMaxColors);
}

void TGifColorMap::Warning(int Severity, const std::string& Message) {
  if (FImage) FImage->Warning(this, Severity, Message);
}

TGifColor TGifColorMap::GetEntry(int Index) {
  if (Index < 0 || Index >= GetCount()) {
    Warning(1, gifmsg::kInvalidColorIndex);
    if (FColors.empty()) throw EGifError(gifmsg::kColorTableEmpty);
    Index = 0;
  }
  return FColors[static_cast<size_t>(Index)];
}

TColor TGifColorMap::GetColor(int Index) { return ToTColor(GetEntry(Index)); }

void TGifColorMap::SetColor(int Index, TColor Color) {
  if (Index < 0 || Index >= GetCount()) throw EGifError(gifmsg::kInvalidColorIndex);
  FColors[static_cast<size_t>(Index)] = FromTColor(Color);
  Changed();
}

int TGifColorMap::Add(TColor Color) {
  if (GetCount() >= kMaxColors) throw EGifError(gifmsg::kColorTableOverflow);
  FColors.push_back(FromTColor(Color));
  FOptimized = false;
  Changed();
  return GetCount() - 1;
}

int TGifColorMap::AddUnique(TColor Color) {
  int index = IndexOf(Color);
  return index >= 0 ? index : Add(Color);
}

int TGifColorMap::IndexOf(TColor Color) const {
  TGifColor wanted = FromTColor(Color);
  if (FOptimized) {
    // Most used first: the first match is the likeliest.
    for (int i = 0; i < GetCount(); ++i)
      if (FColors[static_cast<size_t>(i)] == wanted) return i;
  } else {
    for (int i = GetCount() - 1; i >= 0; --i)
      if (FColors[static_cast<size_t>(i)] == wanted) return i;
  }
  return -1;
}

void TGifColorMap::Delete(int Index) {
  if (Index < 0 || Index >= GetCount()) throw EGifError(gifmsg::kInvalidColorIndex);
  FColors.erase(FColors.begin() + Index);
  FOptimized = false;
  Changed();
}

void TGifColorMap::Clear() {
  FColors.clear();
  FOptimized = false;
  Changed();
}

void TGifColorMap::SetEntries(const std::vector<TGifColor>& Colors) {
  const std::size_t count = std::min<std::size_t>(Colors.size(), kMaxColors);
  FColors.assign(Colors.begin(), Colors.begin() + static_cast<std::ptrdiff_t>(count));
  FOptimized = false;
  Changed();
}

void TGifColorMap::ImportPalette(HPALETTE Palette) {
  FColors.clear();
  FOptimized = false;
  if (Palette) {
    int count = static_cast<int>(GetPaletteEntries(Palette, 0, 0, nullptr));
    count = std::min(count, kMaxColors);
    std::vector<PALETTEENTRY> entries(static_cast<size_t>(count));
    if (count > 0) GetPaletteEntries(Palette, 0, static_cast<UINT>(count), entries.data());
    for (const PALETTEENTRY& e : entries) FColors.push_back({e.peRed, e.peGreen, e.peBlue});
  }
  Changed();
}

void TGifColorMap::ImportDIBColors(const RGBQUAD* Colors, int Count) {
  FColors.clear();
  FOptimized = false;
  for (int i = 0; i < std::min(Count, kMaxColors); ++i)
    FColors.push_back({Colors[i].rgbRed, Colors[i].rgbGreen, Colors[i].rgbBlue});
  Changed();
}

HPALETTE TGifColorMap::ExportPalette() const {
  if (FColors.empty()) return nullptr;
  std::vector<std::uint8_t> buffer(sizeof(LOGPALETTE) + FColors.size() * sizeof(PALETTEENTRY));
  auto* palette = reinterpret_cast<LOGPALETTE*>(buffer.data());
  palette->palVersion = 0x300;
  palette->palNumEntries = static_cast<WORD>(FColors.size());
  for (size_t i = 0; i < FColors.size(); ++i)
    palette->palPalEntry[i] = {FColors[i].Red, FColors[i].Green, FColors[i].Blue, PC_NOCOLLAPSE};
  return CreatePalette(palette);
}

void TGifColorMap::SaveToStream(TStream* Stream, int Entries) const {
  const int padded = std::max(1 << GetBitsPerPixel(), std::min(Entries, kMaxColors));
  std::vector<std::uint8_t> bytes(static_cast<size_t>(padded) * 3, 0);
  for (size_t i = 0; i < FColors.size(); ++i) {
    bytes[3 * i] = FColors[i].Red;
    bytes[3 * i + 1] = FColors[i].Green;
    bytes[3 * i + 2] = FColors[i].Blue;
  }
  Stream->WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
}

void TGifColorMap::LoadFromStream(TStream* Stream, int Count) {
  Count = std::clamp(Count, 0, kMaxColors);
  std::vector<std::uint8_t> bytes(static_cast<size_t>(Count) * 3);
  if (Count > 0) ReadGifBytes(Stream, bytes.data(), Count * 3);
  FColors.resize(static_cast<size_t>(Count));
  for (size_t i = 0; i < FColors.size(); ++i)
    FColors[i] = {bytes[3 * i], bytes[3 * i + 1], bytes[3 * i + 2]};
  FOptimized = false;
  Changed();
}

bool TGifColorMap::Optimize() {
  const int count = GetCount();
  if (count <= 1) return false;
  FOptimized = true;
  std::vector<std::int64_t> counts(static_cast<size_t>(count), 0);
  BuildHistogram(counts);
  std::vector<bool> keep(static_cast<size_t>(count), false);
  MarkKept(keep);
  for (int i = 0; i < count; ++i)
    if (counts[static_cast<size_t>(i)] > 0) keep[static_cast<size_t>(i)] = true;

  // Kept entries first, then by count, most used first, equal counts by index: the order never
  // depends on how a sort treats equal keys.
  std::vector<int> order(static_cast<size_t>(count));
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(), [&](int a, int b) {
    auto ka = keep[static_cast<size_t>(a)], kb = keep[static_cast<size_t>(b)];
    if (ka != kb) return ka > kb;
    auto ca = counts[static_cast<size_t>(a)], cb = counts[static_cast<size_t>(b)];
    if (ca != cb) return ca > cb;
    return a < b;
  });
  int kept = static_cast<int>(std::count(keep.begin(), keep.end(), true));

  std::vector<int> map(static_cast<size_t>(count));
  std::vector<TGifColor> colors(static_cast<size_t>(kept));
  for (int n = 0; n < count; ++n) {
    int old = order[static_cast<size_t>(n)];
    map[static_cast<size_t>(old)] = n < kept ? n : 0;  // dropped entries are used by no pixel
    if (n < kept) colors[static_cast<size_t>(n)] = FColors[static_cast<size_t>(old)];
  }
  bool identity = kept == count;
  for (int n = 0; n < count && identity; ++n) identity = order[static_cast<size_t>(n)] == n;
  if (identity) return true;
  MapImages(map);
  FColors = std::move(colors);
  Changed();
  return true;
}

// ---------------------------------------------------------------------------------------------

void CountFramePixels(TGifFrame* Frame, std::vector<std::int64_t>& Counts) {
  const std::uint8_t* data = Frame->GetData();
  const std::size_t size = Frame->GetDataSize();
  std::vector<std::int64_t> local(256, 0);
  for (std::size_t i = 0; i < size; ++i) ++local[data[i]];
  for (size_t i = 0; i < Counts.size(); ++i) Counts[i] += local[i];
}

void MapFramePixels(TGifFrame* Frame, const std::vector<int>& Map) {
  std::uint8_t table[256];
  for (int i = 0; i < 256; ++i)
    table[i] = static_cast<std::uint8_t>(i < static_cast<int>(Map.size()) ? Map[static_cast<size_t>(i)] : i);
  std::uint8_t* data = Frame->GetData();
  for (std::size_t i = 0; i < Frame->GetDataSize(); ++i) data[i] = table[data[i]];
  Frame->DropBitmap();
  if (TGifGraphicControlExtension* control = Frame->GetGraphicControlExtension()) {
    int index = control->GetTransparentColorIndex();
    if (index < static_cast<int>(Map.size())) control->MapTransparentIndex(table[index]);
  }
}

namespace {

void MarkFrameTransparent(TGifFrame* frame, std::vector<bool>& keep) {
  int index = frame->GetTransparentColorIndex();
  if (index >= 0 && index < static_cast<int>(keep.size())) keep[static_cast<size_t>(index)] = true;
}

}  // namespace

template <typename F>
void TGifGlobalColorMap::ForEachFrame(F Visit) {
  if (!FImage) return;
  TGifFrameList* frames = FImage->GetImages();
  for (int i = 0; i < frames->GetCount(); ++i) {
    TGifFrame* frame = frames->GetFrame(i);
    if (frame->GetActiveColorMap() == this) Visit(frame);
  }
}

bool TGifGlobalColorMap::Optimize() {
  if (!FImage || FImage->GetImages()->GetCount() == 0) return false;
  return TGifColorMap::Optimize();
}

void TGifGlobalColorMap::Changed() {
  if (FImage) FImage->PaletteChanged();
}

void TGifGlobalColorMap::BuildHistogram(std::vector<std::int64_t>& Counts) {
  ForEachFrame([&](TGifFrame* frame) { CountFramePixels(frame, Counts); });
}

// The screen's background colour is an entry of this table too: it moves with its entry.
void TGifGlobalColorMap::MapImages(const std::vector<int>& Map) {
  ForEachFrame([&](TGifFrame* frame) { MapFramePixels(frame, Map); });
  TGifHeader* header = FImage->GetHeader();
  const int background = header->GetBackgroundColorIndex();
  if (background < static_cast<int>(Map.size()))
    header->SetBackgroundColorIndex(Map[static_cast<size_t>(background)]);
}

// Kept besides the pixels' entries: every transparent entry, and the background colour's, which
// the painter shows where a frame is disposed to the background.
void TGifGlobalColorMap::MarkKept(std::vector<bool>& Keep) {
  ForEachFrame([&](TGifFrame* frame) { MarkFrameTransparent(frame, Keep); });
  const int background = FImage->GetHeader()->GetBackgroundColorIndex();
  if (background < static_cast<int>(Keep.size())) Keep[static_cast<size_t>(background)] = true;
}

void TGifLocalColorMap::Changed() {
  if (FFrame) FFrame->ColorMapChanged();
}

void TGifLocalColorMap::BuildHistogram(std::vector<std::int64_t>& Counts) {
  CountFramePixels(FFrame, Counts);
}

void TGifLocalColorMap::MapImages(const std::vector<int>& Map) { MapFramePixels(FFrame, Map); }

void TGifLocalColorMap::MarkKept(std::vector<bool>& Keep) {
  MarkFrameTransparent(FFrame, Keep);
}
