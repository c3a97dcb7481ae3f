// GIF header, frames, frame list and trailer.
#include "gif/GifFrame.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>
#include <unordered_map>

#include "classlib/Metafile.h"
#include "gif/GifColorReduction.h"
#include "gif/GifDecoder.h"
#include "gif/GifEncoder.h"
#include "gif/GifPicture.h"

namespace {

constexpr std::uint8_t kImageSeparator = 0x2C;
constexpr std::uint8_t kTrailer = 0x3B;

void CheckSide(long long start, long long size, long long otherSize, bool isWidth) {
  if (size < 0 || start < 0 || start + size > kGifMaxSide)
    throw EGifError(isWidth ? GifTooLargeMessage(start + size, otherSize)
                            : GifTooLargeMessage(otherSize, start + size));
}

// The bits of the class library's mask of a bitmap: true where the picture is transparent.
std::vector<bool> ReadMask(TBitmap* source) {
  const int width = source->GetWidth(), height = source->GetHeight();
  HBITMAP mask = source->GetMaskHandle();
  std::vector<std::uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  int rows = GetDIBits(screen, mask, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  std::vector<bool> set(pixels.size(), false);
  if (rows != height) return set;
  for (size_t i = 0; i < pixels.size(); ++i) set[i] = (pixels[i] & 0xFFFFFF) != 0;
  return set;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Header

TGifHeader::TGifHeader(TGifPicture* Image)
    : TGifItem(Image), FColorMap(std::make_unique<TGifGlobalColorMap>(Image)) {}

TGifHeader::~TGifHeader() = default;

void TGifHeader::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TGifHeader*>(Source)) {
    FWidth = source->FWidth;
    FHeight = source->FHeight;
    FPacked = source->FPacked;
    FBackground = source->FBackground;
    FAspect = source->FAspect;
    FColorMap->Assign(source->FColorMap.get());
    return;
  }
  inherited::Assign(Source);
}

void TGifHeader::Clear() {
  FColorMap->Clear();
  FWidth = FHeight = 0;
  Prepare();
}

void TGifHeader::SetWidth(int Value) {
  CheckSide(0, Value, FHeight, true);
  FWidth = Value;
}

void TGifHeader::SetHeight(int Value) {
  CheckSide(0, Value, FWidth, false);
  FHeight = Value;
}

void TGifHeader::Prepare() {
  int packed = 0;
  if (FColorMap->GetCount() > 0) {
    packed |= 0x80;
    if (FColorMap->GetOptimized()) packed |= 0x08;
  }
  int resolution = FImage ? FImage->GetColorResolution() : FColorMap->GetBitsPerPixel() - 1;
  int bits = FImage ? FImage->GetBitsPerPixel() : FColorMap->GetBitsPerPixel();
  packed |= (resolution & 7) << 4;
  packed |= (bits - 1) & 7;
  FPacked = static_cast<std::uint8_t>(packed);
}

void TGifHeader::SaveToStream(TStream* Stream) {
  int version = FImage ? FImage->GetVersion() : kGifVersionNone;
  if (version == kGifVersionNone) throw EGifError(gifmsg::kUnsupportedVersion);
  Stream->WriteBuffer("GIF", 3);
  Stream->WriteBuffer(GifVersionText(version), 3);
  Prepare();
  WriteGifWord(Stream, FWidth);
  WriteGifWord(Stream, FHeight);
  WriteGifByte(Stream, FPacked);
  WriteGifByte(Stream, FBackground);
  WriteGifByte(Stream, FAspect);
  // The size field tells the picture's largest table, which may be a frame's: the global table
  // is written at the size it announces, or readers would take frames for colours.
  if (FPacked & 0x80) FColorMap->SaveToStream(Stream, 2 << (FPacked & 7));
}

void TGifHeader::LoadFromStream(TStream* Stream) {
  const std::int64_t start = Stream->GetPosition();
  char signature[6];
  ReadGifBytes(Stream, signature, 6);
  if (std::memcmp(signature, "GIF", 3) != 0) {
    // GIF data may follow a 4-byte prefix.
    Stream->SetPosition(start + 4);
    ReadGifBytes(Stream, signature, 6);
    if (std::memcmp(signature, "GIF", 3) != 0) throw EGifError(gifmsg::kInvalidSignature);
  }
  std::uint8_t screen[7];
  ReadGifBytes(Stream, screen, 7);
  FWidth = screen[0] | screen[1] << 8;
  FHeight = screen[2] | screen[3] << 8;
  FPacked = screen[4];
  FBackground = screen[5];
  FAspect = screen[6];
  if (FPacked & 0x80)
    FColorMap->LoadFromStream(Stream, 2 << (FPacked & 7));
  else
    FColorMap->Clear();
}

// ---------------------------------------------------------------------------------------------
// Frame: size, tables, pixels

TGifFrame::TGifFrame(TGifPicture* Image)
    : TGifItem(Image),
      FColorMap(std::make_unique<TGifLocalColorMap>(Image, this)),
      FExtensions(std::make_unique<TGifExtensionList>(this)) {}

TGifFrame::~TGifFrame() {
  FExtensions->Clear();  // the graphic control extension detaches while the frame is whole
}

void TGifFrame::Clear() {
  FExtensions->Clear();
  FColorMap->Clear();
  FData.clear();
  FData.shrink_to_fit();
  DropBitmap();
  FTransparent = false;
  FGCE = nullptr;
  ColorMapChanged();
}

bool TGifFrame::GetEmpty() const { return FData.empty() || FWidth == 0 || FHeight == 0; }

int TGifFrame::GetVersion() const {
  if (FColorMap->GetCount() > 0 && FColorMap->GetOptimized()) return kGifVersion89a;
  return FExtensions->GetCount() > 0 ? kGifVersion89a : kGifVersion87a;
}

TGifColorMap* TGifFrame::GetActiveColorMap() const {
  if (FColorMap->GetCount() > 0) return FColorMap.get();
  if (FImage && FImage->GetGlobalColorMap()->GetCount() > 0) return FImage->GetGlobalColorMap();
  return FColorMap.get();
}

std::vector<TGifColor> TGifFrame::GetShownColors() const {
  const TGifColorMap* table = GetActiveColorMap();
  std::vector<TGifColor> colors = table->GetCount() > 0 ? table->Entries() : GifSystemColors();
  colors.resize(std::max<std::size_t>(colors.size(), static_cast<std::size_t>(HighestIndex() + 1)));
  return colors;
}

int TGifFrame::HighestIndex() const {
  if (FData.empty()) return -1;
  return std::max<int>(*std::max_element(FData.begin(), FData.end()), GetTransparentColorIndex());
}

int TGifFrame::GetTransparentColorIndex() const {
  return FTransparent && FGCE ? FGCE->GetTransparentColorIndex() : -1;
}

void TGifFrame::AttachGraphicControl(TGifGraphicControlExtension* Extension) {
  if (!FGCE) FGCE = Extension;
}

void TGifFrame::DetachGraphicControl(TGifGraphicControlExtension* Extension) {
  if (FGCE == Extension) FGCE = nullptr;
}

void TGifFrame::ColorMapChanged() { FPalette.Reset(); }

std::uint8_t* TGifFrame::ScanLine(int Row) {
  if (Row < 0 || Row >= FHeight || FData.empty())
    throw EInvalidGraphicOperation("Scan line index out of range");
  return FData.data() + static_cast<std::size_t>(Row) * static_cast<std::size_t>(FWidth);
}

// Width x height in 64 bits; a buffer the process cannot hold is an out-of-memory error.
void TGifFrame::AllocateData() {
  const std::int64_t size = static_cast<std::int64_t>(FWidth) * FHeight;
  FData.clear();
  FData.shrink_to_fit();
  if (size <= 0) return;
  if (static_cast<std::uint64_t>(size) > static_cast<std::uint64_t>(PTRDIFF_MAX)) throw std::bad_alloc();
  try {
    FData.assign(static_cast<std::size_t>(size), 0);
  } catch (const std::length_error&) {
    throw std::bad_alloc();
  }
}

void TGifFrame::GrowScreen() {
  if (!FImage) return;
  TGifHeader* header = FImage->GetHeader();
  bool warned = false;
  if (header->GetWidth() < FLeft + FWidth) {
    if (header->GetWidth() > 0) {
      Warning(1, gifmsg::kWidthTooSmall);
      warned = true;
    }
    header->SetWidth(FLeft + FWidth);
  }
  if (header->GetHeight() < FTop + FHeight) {
    if (header->GetHeight() > 0) {
      Warning(1, gifmsg::kHeightTooSmall);
      warned = true;
    }
    header->SetHeight(FTop + FHeight);
  }
  if (warned) Warning(1, gifmsg::kExceedsScreen);
}

void TGifFrame::SetLeft(int Value) {
  CheckSide(Value, FWidth, FHeight, true);
  FLeft = Value;
  GrowScreen();
}

void TGifFrame::SetTop(int Value) {
  CheckSide(Value, FHeight, FWidth, false);
  FTop = Value;
  GrowScreen();
}

void TGifFrame::SetWidth(int Value) {
  CheckSide(FLeft, Value, FHeight, true);
  if (Value == FWidth) return;
  FWidth = Value;
  AllocateData();
  DropBitmap();
  GrowScreen();
}

void TGifFrame::SetHeight(int Value) {
  CheckSide(FTop, Value, FWidth, false);
  if (Value == FHeight) return;
  FHeight = Value;
  AllocateData();
  DropBitmap();
  GrowScreen();
}

void TGifFrame::SetInterlaced(bool Value) {
  FPacked = static_cast<std::uint8_t>(Value ? FPacked | 0x40 : FPacked & ~0x40);
}

// ---------------------------------------------------------------------------------------------
// Frame: assignment

void TGifFrame::Assign(TPersistent* Source) {
  if (Source == this) return;
  if (auto* frame = dynamic_cast<TGifFrame*>(Source)) return AssignFrame(frame);
  if (auto* bitmap = dynamic_cast<TBitmap*>(Source)) return AssignBitmap(bitmap);
  if (auto* picture = dynamic_cast<TPicture*>(Source)) {
    if (picture->GetGraphic()) return Assign(picture->GetGraphic());
    Clear();
    return;
  }
  if (auto* graphic = dynamic_cast<TGraphic*>(Source)) return AssignGraphic(graphic);
  inherited::Assign(Source);
}

void TGifFrame::AssignFrame(TGifFrame* Source) {
  Clear();
  if (Source->GetEmpty()) return;
  FLeft = Source->FLeft;
  FTop = Source->FTop;
  FWidth = Source->FWidth;
  FHeight = Source->FHeight;
  FPacked = Source->FPacked;
  FData = Source->FData;
  FColorMap->Assign(Source->FColorMap.get());
  // The extensions travel through their own stream form, so each is a fresh copy of its class.
  TMemoryStream stream;
  Source->FExtensions->SaveToStream(&stream);
  WriteGifByte(&stream, kImageSeparator);
  stream.SetPosition(0);
  FExtensions->LoadFromStream(&stream, this);
  FTransparent = Source->FTransparent;
  if (Source->FBitmap) {
    FBitmap = std::make_unique<TBitmap>();
    FBitmap->Assign(Source->FBitmap.get());
  }
}

namespace {

std::unique_ptr<TBitmap> DrawnOn(TGraphic* graphic, TColor background) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetSize(graphic->GetWidth(), graphic->GetHeight());
  bitmap->GetCanvas()->GetBrush()->SetColor(background);
  bitmap->GetCanvas()->FillRect(RECT{0, 0, graphic->GetWidth(), graphic->GetHeight()});
  bitmap->GetCanvas()->Draw(0, 0, graphic);
  return bitmap;
}

}  // namespace

// An icon or a metafile is drawn once on white and once on black: where the two differ, it lets
// the background through, and the frame is transparent there.
void TGifFrame::AssignDrawnWithMask(TGraphic* Source) {
  std::unique_ptr<TBitmap> onWhite = DrawnOn(Source, clWhite);
  std::unique_ptr<TBitmap> onBlack = DrawnOn(Source, clBlack);
  std::vector<bool> mask(static_cast<size_t>(Source->GetWidth()) * static_cast<size_t>(Source->GetHeight()));
  for (int y = 0; y < Source->GetHeight(); ++y) {
    const auto* white = static_cast<const std::uint8_t*>(onWhite->ScanLine(y));
    const auto* black = static_cast<const std::uint8_t*>(onBlack->ScanLine(y));
    for (int x = 0; x < Source->GetWidth(); ++x)
      mask[static_cast<size_t>(y) * Source->GetWidth() + x] = std::memcmp(white + 3 * x, black + 3 * x, 3) != 0;
  }
  AssignBitmap(onWhite.get());
  ApplyMask(mask);
}

// Graphics other than bitmaps are copied into a 24-bit bitmap first (drawn, when they
// cannot be copied).
void TGifFrame::AssignGraphic(TGraphic* Source) {
  if (dynamic_cast<TIcon*>(Source) || dynamic_cast<TMetafile*>(Source)) return AssignDrawnWithMask(Source);
  TBitmap bitmap;
  try {
    bitmap.Assign(Source);
  } catch (const Exception&) {
    bitmap.Assign(DrawnOn(Source, clWhite).get());
  }
  AssignBitmap(&bitmap);
}

void TGifFrame::AssignBitmap(TBitmap* Source) {
  // Sides beyond the 16-bit fields are refused before any work.
  CheckSide(FLeft, Source->GetWidth(), Source->GetHeight(), true);
  CheckSide(FTop, Source->GetHeight(), Source->GetWidth(), false);
  // The reduction checks the picture's settings before anything of the frame is touched.
  std::unique_ptr<TBitmap> reduced;
  TPixelFormat format = Source->GetPixelFormat();
  bool indexed = format == pf1bit || format == pf4bit || format == pf8bit;
  if (!Source->GetEmpty() && !indexed) {
    reduced = ReduceColors(Source, static_cast<TColorReduction>(FImage->GetColorReduction()),
                           static_cast<TDitherMode>(FImage->GetDitherMode()),
                           FImage->GetReductionBits(), nullptr);
  }
  Clear();
  if (Source->GetEmpty()) return;
  SetWidth(Source->GetWidth());
  SetHeight(Source->GetHeight());
  AllocateData();  // the size may be the one the frame had: clearing kept it, without pixels
  if (indexed) {
    FBitmap = std::make_unique<TBitmap>();
    FBitmap->Assign(Source);
  } else {
    FBitmap = std::move(reduced);
  }
  TGifProgressScope progress(FImage, "Converting...");
  ImportPixels(FBitmap.get());
  if (Source->GetTransparent()) ApplyMask(ReadMask(Source));
  progress.Done();
}

void TGifFrame::ImportPixels(TBitmap* Bitmap) {
  TPixelFormat format = Bitmap->GetPixelFormat();
  if (format != pf1bit && format != pf4bit && format != pf8bit && format != pf24bit) {
    Bitmap->SetPixelFormat(pf24bit);
    format = pf24bit;
  }
  if (format == pf24bit) return ImportTrueColor(Bitmap);
  std::vector<RGBQUAD> table = Bitmap->GetColorTable();
  FColorMap->ImportDIBColors(table.data(), static_cast<int>(table.size()));
  for (int row = 0; row < FHeight; ++row) {
    const auto* source = static_cast<const std::uint8_t*>(Bitmap->ScanLine(row));
    std::uint8_t* target = ScanLine(row);
    if (format == pf8bit) {
      std::memcpy(target, source, static_cast<size_t>(FWidth));
    } else if (format == pf4bit) {
      for (int x = 0; x < FWidth; ++x)
        target[x] = static_cast<std::uint8_t>(x & 1 ? source[x >> 1] & 0x0F : source[x >> 1] >> 4);
    } else {
      for (int x = 0; x < FWidth; ++x)
        target[x] = static_cast<std::uint8_t>((source[x >> 3] >> (7 - (x & 7))) & 1);
    }
    if (row % 32 == 0 && FImage)
      FImage->ReportProgress(psRunning, static_cast<int>(row * 100LL / FHeight), "Converting...");
  }
}

// Each colour is looked up among the last 8 distinct colours met, then in the table, where a
// new colour is added ("Color table overflow" past 256).
void TGifFrame::ImportTrueColor(TBitmap* Bitmap) {
  std::uint32_t ring[8];
  std::uint8_t ringIndex[8];
  int ringUsed = 0, ringNext = 0;
  std::unordered_map<std::uint32_t, std::uint8_t> known;
  std::vector<TGifColor> colors;
  for (int row = 0; row < FHeight; ++row) {
    const auto* source = static_cast<const std::uint8_t*>(Bitmap->ScanLine(row));
    std::uint8_t* target = ScanLine(row);
    for (int x = 0; x < FWidth; ++x, source += 3) {
      const std::uint32_t bgr = source[0] | source[1] << 8 | static_cast<std::uint32_t>(source[2]) << 16;
      int found = -1;
      for (int k = 0, slot = ringNext; k < ringUsed; ++k) {
        slot = (slot + 7) & 7;
        if (ring[slot] == bgr) {
          found = ringIndex[slot];
          break;
        }
      }
      if (found < 0) {
        auto it = known.find(bgr);
        if (it != known.end()) {
          found = it->second;
        } else {
          if (colors.size() >= 256) throw EGifError(gifmsg::kColorTableOverflow);
          found = static_cast<int>(colors.size());
          colors.push_back({source[2], source[1], source[0]});
          known.emplace(bgr, static_cast<std::uint8_t>(found));
        }
        ring[ringNext] = bgr;
        ringIndex[ringNext] = static_cast<std::uint8_t>(found);
        ringNext = (ringNext + 1) & 7;
        ringUsed = std::min(ringUsed + 1, 8);
      }
      target[x] = static_cast<std::uint8_t>(found);
    }
    if (row % 32 == 0 && FImage)
      FImage->ReportProgress(psRunning, static_cast<int>(row * 100LL / FHeight), "Converting...");
  }
  std::vector<RGBQUAD> table;
  for (const TGifColor& c : colors) table.push_back({c.Blue, c.Green, c.Red, 0});
  FColorMap->ImportDIBColors(table.data(), static_cast<int>(table.size()));
}

// The bitmap's transparent colour becomes one more table entry, named by a graphic control
// extension; a full table leaves the frame opaque.
void TGifFrame::ApplyMask(const std::vector<bool>& Mask) {
  FColorMap->Optimize();
  const int count = FColorMap->GetCount();
  if (count == 0 || count == TGifColorMap::kMaxColors) return;
  const int index = FColorMap->Add(clBlack);
  bool any = false;
  for (size_t i = 0; i < Mask.size() && i < FData.size(); ++i)
    if (Mask[i]) {
      FData[i] = static_cast<std::uint8_t>(index);
      any = true;
    }
  if (!any) {
    FColorMap->Delete(index);
    return;
  }
  auto control = std::make_unique<TGifGraphicControlExtension>(this);
  TGifGraphicControlExtension* added = control.get();
  FExtensions->Add(std::move(control));
  added->SetTransparentColorIndex(index);
  added->SetTransparent(true);
}

// ---------------------------------------------------------------------------------------------
// Frame: rendering

void TGifFrame::Crop(int Left, int Top, int Width, int Height) {
  std::vector<std::uint8_t> data(static_cast<size_t>(Width) * static_cast<size_t>(Height));
  for (int y = 0; y < Height; ++y)
    std::memcpy(data.data() + static_cast<size_t>(y) * Width, ScanLine(Top + y) + Left, static_cast<size_t>(Width));
  FData = std::move(data);
  FLeft += Left;
  FTop += Top;
  FWidth = Width;
  FHeight = Height;
  DropBitmap();
}

void TGifFrame::DropBitmap() {
  FBitmap.reset();
  FMaskedImage.reset();
  FMask.Reset();
  FNeedMask = true;
}

namespace {

std::vector<RGBQUAD> DibColors(const std::vector<TGifColor>& colors) {
  std::vector<RGBQUAD> table;
  for (const TGifColor& c : colors) table.push_back(RGBQUAD{c.Blue, c.Green, c.Red, 0});
  if (table.empty()) table.push_back(RGBQUAD{0, 0, 0, 0});
  return table;
}

}  // namespace

TBitmap* TGifFrame::GetBitmap() {
  if (FBitmap) return FBitmap.get();
  auto bitmap = std::make_unique<TBitmap>();
  if (GetEmpty()) return (FBitmap = std::move(bitmap)).get();
  TGifProgressScope progress(FImage, "Rendering...");
  // A large picture does not hold a full-size empty bitmap while its own is built.
  if (static_cast<std::int64_t>(FWidth) * FHeight > 500000) bitmap->SetPixelFormat(pf1bit);
  bitmap->SetPixelFormat(pf8bit);
  bitmap->SetSize(FWidth, FHeight);
  bitmap->SetColorTable(DibColors(GetShownColors()));
  for (int row = 0; row < FHeight; ++row) {
    std::memcpy(bitmap->ScanLine(row), ScanLine(row), static_cast<size_t>(FWidth));
    if (row % 32 == 0) progress.Report(row, FHeight);
  }
  if (FImage && FImage->UsesWebPalette())
    bitmap = ReduceColors(bitmap.get(), rmNetscape, dmFloydSteinberg, 8, nullptr);
  FBitmap = std::move(bitmap);
  progress.Done();
  if (FImage) FImage->FrameRendered();
  return FBitmap.get();
}

HBITMAP TGifFrame::GetMask() {
  if (!FNeedMask) return FMask.Get();
  FNeedMask = false;
  const int transparent = GetTransparentColorIndex();
  if (GetEmpty() || transparent < 0) return nullptr;
  const int stride = (FWidth + 15) / 16 * 2;  // rows of whole 16-bit words
  std::vector<std::uint8_t> bits(static_cast<size_t>(stride) * static_cast<size_t>(FHeight), 0);
  bool any = false;
  for (int y = 0; y < FHeight; ++y) {
    const std::uint8_t* row = ScanLine(y);
    for (int x = 0; x < FWidth; ++x)
      if (row[x] == transparent) {
        bits[static_cast<size_t>(y) * stride + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        any = true;
      }
  }
  if (any) FMask.Reset(CreateBitmap(FWidth, FHeight, 1, 1, bits.data()));
  return FMask.Get();
}

HPALETTE TGifFrame::GetPalette() {
  if (FPalette) return FPalette.Get();
  if (FImage && FImage->UsesWebPalette()) {
    FPalette.Reset(WebPalette());
  } else if (FColorMap->GetCount() > 0) {
    FPalette.Reset(FColorMap->ExportPalette());
  } else {
    return FImage ? FImage->GetPalette() : nullptr;
  }
  return FPalette.Get();
}

void TGifFrame::Draw(TCanvas* Canvas, const RECT& Rect, bool Transparent) {
  if (GetEmpty()) return;
  HBITMAP mask = Transparent && FTransparent ? GetMask() : nullptr;
  if (!mask) {
    Canvas->StretchDraw(Rect, GetBitmap());
    return;
  }
  if (!FMaskedImage) {
    // The frame's colours with the transparent index black, to be ORed into the cleared area.
    std::vector<TGifColor> colors = GetShownColors();
    const int transparent = GetTransparentColorIndex();
    if (transparent < static_cast<int>(colors.size())) colors[static_cast<size_t>(transparent)] = TGifColor{};
    FMaskedImage = std::make_unique<TBitmap>();
    FMaskedImage->SetPixelFormat(pf8bit);
    FMaskedImage->SetSize(FWidth, FHeight);
    FMaskedImage->SetColorTable(DibColors(colors));
    for (int row = 0; row < FHeight; ++row)
      std::memcpy(FMaskedImage->ScanLine(row), ScanLine(row), static_cast<size_t>(FWidth));
  }
  const int width = Rect.right - Rect.left, height = Rect.bottom - Rect.top;
  Canvas->Changing();
  HDC target = Canvas->GetHandle();
  const int oldMode = SetStretchBltMode(target, COLORONCOLOR);
  const COLORREF oldText = SetTextColor(target, RGB(0, 0, 0));
  const COLORREF oldBack = SetBkColor(target, RGB(255, 255, 255));
  {
    // The mask's set bits become white (AND keeps the target there), clear bits black.
    ScopedMemDC maskDC(target);
    ScopedSelect selected(maskDC.Get(), mask);
    StretchBlt(target, Rect.left, Rect.top, width, height, maskDC.Get(), 0, 0, FWidth, FHeight, SRCAND);
  }
  StretchBlt(target, Rect.left, Rect.top, width, height, FMaskedImage->GetCanvas()->GetHandle(), 0,
             0, FWidth, FHeight, SRCPAINT);
  SetBkColor(target, oldBack);
  SetTextColor(target, oldText);
  SetStretchBltMode(target, oldMode);
  Canvas->Changed();
}

// ---------------------------------------------------------------------------------------------
// Frame: writing

void TGifFrame::PrepareDescriptor(const TGifColorMap* Table) {
  if (Table->GetCount() > 0) {
    int packed = 0x80 | ((Table->GetBitsPerPixel() - 1) & 7);
    if (Table->GetOptimized()) packed |= 0x20;
    FPacked = static_cast<std::uint8_t>(packed);
  } else {
    FPacked &= 0x40 | 0x18;
  }
}

void TGifFrame::Compress(TStream* Stream, const TGifColorMap* Table) {
  int codeSize, colors;
  if (Table->GetCount() > 0) {
    colors = Table->GetCount();
    codeSize = Table->GetBitsPerPixel();
  } else {
    codeSize = FImage ? FImage->GetBitsPerPixel() : 0;
    colors = 1 << codeSize;
  }
  std::unique_ptr<TGifEncoder> encoder = CreateGifEncoder(
      FImage ? FImage->GetCompression() : kGifCompressionLZW,
      FImage ? TGifWarning(FImage, &TGifPicture::Warning) : TGifWarning());
  encoder->Compress(Stream, codeSize, colors, GetData(), GetInterlaced(), FHeight, FWidth);
}

// Readers show a frame of no colour table at all each in their own way: it is written with the
// colours it is shown in here as its own table, so that every reader shows the same.
void TGifFrame::SaveToStream(TStream* Stream) {
  FExtensions->SaveToStream(Stream);
  if (GetEmpty()) return;
  TGifLocalColorMap shown(nullptr, nullptr);
  const TGifColorMap* table = FColorMap.get();
  if (GetActiveColorMap()->GetCount() == 0) {
    shown.SetEntries(GetShownColors());
    table = &shown;
  }
  PrepareDescriptor(table);
  WriteGifByte(Stream, kImageSeparator);
  WriteGifWord(Stream, FLeft);
  WriteGifWord(Stream, FTop);
  WriteGifWord(Stream, FWidth);
  WriteGifWord(Stream, FHeight);
  WriteGifByte(Stream, FPacked);
  if (table->GetCount() > 0) table->SaveToStream(Stream);
  Compress(Stream, table);
}

// ---------------------------------------------------------------------------------------------
// Frame and frame list: reading

namespace {

// The picture's stream as the image data reader takes it.
class TStreamSource : public TGifByteSource {
 public:
  explicit TStreamSource(TStream* stream) : FStream(stream) {}
  int Read(std::uint8_t* Buffer, int Count) override { return std::max(0, FStream->Read(Buffer, Count)); }
  std::int64_t Remaining() const override { return FStream->GetSize() - FStream->GetPosition(); }

 private:
  TStream* FStream;
};

int PeekByte(TStream* stream) {
  std::uint8_t byte = 0;
  if (stream->Read(&byte, 1) != 1) return -1;
  stream->Seek(-1, soCurrent);
  return byte;
}

}  // namespace

void TGifFrame::LoadFromStream(TStream* Stream) {
  Clear();
  FExtensions->LoadFromStream(Stream, this);
  const int next = PeekByte(Stream);
  if (next < 0 || next == kTrailer || next == 0) return;  // extensions without an image
  std::uint8_t descriptor[10];
  ReadGifBytes(Stream, descriptor, 10);
  FLeft = descriptor[1] | descriptor[2] << 8;
  FTop = descriptor[3] | descriptor[4] << 8;
  FWidth = descriptor[5] | descriptor[6] << 8;
  FHeight = descriptor[7] | descriptor[8] << 8;
  FPacked = descriptor[9];
  if ((FWidth == 0 || FHeight == 0) && FImage) {
    FWidth = FImage->GetWidth();
    FHeight = FImage->GetHeight();
    Warning(1, gifmsg::kExceedsScreen);
  }
  if (FPacked & 0x80) FColorMap->LoadFromStream(Stream, 2 << (FPacked & 7));
  Decompress(Stream);
  CoverPixelsWithTable();
  if (GifDefaults().RenderWhileLoading) GetBitmap();
}

// A code size above the table's lets pixels name entries the table lacks, and a control block
// may name a transparent entry it lacks. Such pixels are shown black, and the table in force is
// filled up with black entries to hold every index the frame names, so that the frame is saved
// as it was shown, also after pixels have taken its transparent index. A frame of no table at
// all stays so: it is shown in the system's colours, and black beyond them.
void TGifFrame::CoverPixelsWithTable() {
  const int highest = HighestIndex();
  TGifColorMap* map = GetActiveColorMap();
  const int count = map->GetCount() > 0 ? map->GetCount() : static_cast<int>(GifSystemColors().size());
  if (highest < count) return;
  Warning(1, gifmsg::kInvalidColorIndex);
  if (map->GetCount() == 0) return;
  while (map->GetCount() <= highest) map->Add(clBlack);
}

// The pixels start as the transparent index (else 0), so that data that ends early leaves the
// rest of the frame clear.
void TGifFrame::Decompress(TStream* Stream) {
  const int transparent = GetTransparentColorIndex();
  TStreamSource source(Stream);
  auto warn = [this](const char* message) { Warning(1, message); };
  try {
    FData = AllocateFramePixels(FWidth, FHeight, static_cast<std::uint8_t>(std::max(transparent, 0)));
    // A frame of no pixels still reads its image data, so that the next block follows.
    if (FData.empty()) FWidth = FHeight = 0;
    DecodeImageData(source, FData.data(), FWidth, FHeight, GetInterlaced(), warn);
  } catch (const EGifDecodeError& e) {
    throw EGifError(e.what());
  }
}

void TGifFrameList::LoadFromStream(TStream* Stream, TObject*) {
  for (;;) {
    std::uint8_t byte = 0;
    bool read = false;
    while ((read = Stream->Read(&byte, 1) == 1) && byte == 0) {
    }
    if (!read) break;
    Stream->Seek(-1, soCurrent);
    if (byte == kTrailer) break;
    if (byte != '!' && byte != kImageSeparator) {
      Warning(1, gifmsg::kUnknownBlock);
      Stream->Seek(-1, soCurrent);  // the trailer check reads the byte before it
      break;
    }
    auto frame = std::make_unique<TGifFrame>(FImage);
    frame->LoadFromStream(Stream);
    Add(std::move(frame));
    if (FImage) {
      const std::int64_t size = Stream->GetSize();
      FImage->ReportProgress(psRunning, size > 0 ? static_cast<int>(Stream->GetPosition() * 100 / size) : 100,
                             "Loading...", GifDefaults().RenderWhileLoading);
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Trailer

void TGifTrailer::SaveToStream(TStream* Stream) { WriteGifByte(Stream, kTrailer); }

void TGifTrailer::LoadFromStream(TStream* Stream) {
  std::uint8_t byte = 0;
  if (Stream->Read(&byte, 1) == 1 && byte != kTrailer) Warning(1, gifmsg::kInvalidTrailer);
}
