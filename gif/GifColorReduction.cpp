#include "gif/GifColorReduction.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>

#include "classlib/Streams.h"

namespace {

// A palette handle of our own, deleted on every path.
class ScopedPalette {
 public:
  explicit ScopedPalette(HPALETTE palette = nullptr) : FPalette(palette) {}
  ~ScopedPalette() {
    if (FPalette) DeleteObject(FPalette);
  }
  ScopedPalette(const ScopedPalette&) = delete;
  ScopedPalette& operator=(const ScopedPalette&) = delete;
  HPALETTE Get() const { return FPalette; }

 private:
  HPALETTE FPalette;
};

std::vector<TGifRGB> ColorsOf(HPALETTE palette) {
  std::vector<TGifRGB> colors;
  if (!palette) return colors;
  UINT count = std::min<UINT>(GetPaletteEntries(palette, 0, 0, nullptr), 256);
  std::vector<PALETTEENTRY> entries(count);
  if (count) count = GetPaletteEntries(palette, 0, count, entries.data());
  for (UINT i = 0; i < count; ++i)
    colors.push_back({entries[i].peRed, entries[i].peGreen, entries[i].peBlue});
  return colors;
}

// The codec's palettes keep every entry apart (no-collapse), so that indices stay as built.
HPALETTE MakePalette(const std::vector<TGifRGB>& colors) {
  std::vector<std::uint8_t> memory(sizeof(LOGPALETTE) + colors.size() * sizeof(PALETTEENTRY));
  auto* log = reinterpret_cast<LOGPALETTE*>(memory.data());
  log->palVersion = 0x300;
  log->palNumEntries = static_cast<WORD>(colors.size());
  for (size_t i = 0; i < colors.size(); ++i)
    log->palPalEntry[i] = {colors[i].r, colors[i].g, colors[i].b, PC_NOCOLLAPSE};
  HPALETTE palette = CreatePalette(log);
  if (!palette) throw EOutOfResources("Out of system resources");
  return palette;
}

// The system's 20 static colours: 10 at the start and 10 at the end of a 256-colour palette.
std::vector<TGifRGB> SystemColors() {
  return ColorsOf(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)));
}

std::vector<TGifRGB> HalftoneColors() {
  HDC screen = GetDC(nullptr);
  HPALETTE halftone = CreateHalftonePalette(screen);
  ReleaseDC(nullptr, screen);
  ScopedPalette owned(halftone);
  return ColorsOf(halftone);
}

std::vector<TGifRGB> Greys(std::initializer_list<int> levels) {
  std::vector<TGifRGB> colors;
  for (int level : levels) {
    auto v = static_cast<std::uint8_t>(level);
    colors.push_back({v, v, v});
  }
  return colors;
}

std::vector<TGifRGB> WebCube() {
  std::vector<TGifRGB> colors;
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b)
        colors.push_back({static_cast<std::uint8_t>(51 * r), static_cast<std::uint8_t>(51 * g),
                          static_cast<std::uint8_t>(51 * b)});
  return colors;
}

std::vector<TGifRGB> Quantize(TBitmap* bitmap, TDIBReader& reader, int maxColors) {
  TColorQuantizer quantizer(maxColors, 8);
  quantizer.ProcessImage(reader, bitmap->GetWidth(), bitmap->GetHeight());
  std::vector<TGifRGB> colors = quantizer.GetColors();
  colors.resize(static_cast<size_t>(maxColors));  // entries beyond the leaves stay black
  return colors;
}

// Octree colours between the first and the last 10 of the 20 system colours.
std::vector<TGifRGB> QuantizeWindows(TBitmap* bitmap, TDIBReader& reader) {
  std::vector<TGifRGB> system = SystemColors();
  system.resize(20);
  std::vector<TGifRGB> colors(system.begin(), system.begin() + 10);
  std::vector<TGifRGB> quantized = Quantize(bitmap, reader, 236);
  colors.insert(colors.end(), quantized.begin(), quantized.end());
  colors.insert(colors.end(), system.begin() + 10, system.end());
  return colors;
}

struct Reduction {
  std::vector<TGifRGB> palette;
  std::unique_ptr<TColorLookup> lookup;
};

Reduction BuildReduction(TBitmap* bitmap, TDIBReader& reader, TColorReduction method,
                         int reductionBits, HPALETTE customPalette) {
  Reduction r;
  auto linear = [&r] { r.lookup = std::make_unique<TLinearColorLookup>(r.palette); };
  switch (method) {
    case rmWindows20: r.palette = SystemColors(); linear(); break;
    case rmWindows256: r.palette = HalftoneColors(); linear(); break;
    case rmWindowsGray: r.palette = Greys({0, 128, 192, 255}); linear(); break;
    case rmMonochrome:
      r.palette = Greys({0, 255});
      r.lookup = std::make_unique<TMonoLookup>();
      break;
    case rmGrayScale: {
      std::vector<TGifRGB> greys;
      for (int i = 0; i < 256; ++i) {
        auto v = static_cast<std::uint8_t>(i);
        greys.push_back({v, v, v});
      }
      r.palette = greys;
      r.lookup = std::make_unique<TGrayLookup>();
      break;
    }
    case rmNetscape:
      r.palette = WebCube();
      r.lookup = std::make_unique<TWebPaletteLookup>();
      break;
    case rmQuantize:
      r.palette = Quantize(bitmap, reader, 1 << reductionBits);
      r.lookup = std::make_unique<TCachedColorLookup>(r.palette);
      break;
    case rmQuantizeWindows: r.palette = QuantizeWindows(bitmap, reader); linear(); break;
    case rmPalette: r.palette = ColorsOf(customPalette); linear(); break;
    default: throw EGifError(gifmsg::kInvalidReduction);
  }
  if (r.palette.empty()) throw EGifError(gifmsg::kNoCustomPalette);
  return r;
}

void CheckReductionArguments(TColorReduction method, TDitherMode ditherMode, int reductionBits,
                             HPALETTE customPalette) {
  if (method > rmPalette) throw EGifError(gifmsg::kInvalidReduction);
  if (ditherMode > dmBurkes) throw EGifError(gifmsg::kInvalidDitherMode);
  if (reductionBits < 1 || reductionBits > 8) throw EGifError(gifmsg::kInvalidReductionBits);
  if (method == rmPalette &&
      (!customPalette || GetPaletteEntries(customPalette, 0, 0, nullptr) == 0))
    throw EGifError(gifmsg::kNoCustomPalette);
}

}  // namespace

// ---------------------------------------------------------------------------------------------

std::unique_ptr<TBitmap> ReduceColors(TBitmap* bitmap, TColorReduction colorReduction,
                                      TDitherMode ditherMode, int reductionBits,
                                      HPALETTE customPalette) {
  CheckReductionArguments(colorReduction, ditherMode, reductionBits, customPalette);
  auto result = std::make_unique<TBitmap>();
  if (colorReduction == rmNone) {
    result->Assign(bitmap);
    result->SetPixelFormat(pf24bit);
    return result;
  }
  int width = bitmap->GetWidth(), height = bitmap->GetHeight();
  if (width <= 0 || height <= 0) throw EGifError(gifmsg::kInvalidDimensions);

  TDIBReader reader(bitmap, pf24bit);
  Reduction reduction =
      BuildReduction(bitmap, reader, colorReduction, reductionBits, customPalette);
  std::unique_ptr<TDitherEngine> ditherer = MakeDitherer(ditherMode, width, reduction.lookup.get());
  ScopedPalette palette(MakePalette(reduction.palette));
  TDIBWriter writer(result.get(), pf8bit, width, height, palette.Get());
  TGifRGB color;
  for (int y = 0; y < height; ++y) {
    const auto* source = static_cast<const std::uint8_t*>(reader.ScanLine(y));
    auto* target = static_cast<std::uint8_t*>(writer.ScanLine(y));
    for (int x = ditherer->Column(); x >= 0 && x < width; x = ditherer->Column()) {
      const std::uint8_t* pixel = source + 3 * x;
      target[x] = ditherer->Dither(pixel[2], pixel[1], pixel[0], color);
    }
    ditherer->NextLine();
  }
  writer.Finish();
  return result;
}

// ---------------------------------------------------------------------------------------------
// Scan-line access

TDIBReader::TDIBReader(TBitmap* bitmap, TPixelFormat pixelFormat) : TDIB(bitmap, pixelFormat) {
  if (bitmap->GetPixelFormat() != pixelFormat) {
    FCopy = std::make_unique<TBitmap>();
    FCopy->Assign(bitmap);
    FCopy->SetPixelFormat(pixelFormat);
  }
}

TDIBReader::~TDIBReader() = default;

void* TDIBReader::ScanLine(int row) { return (FCopy ? FCopy.get() : FBitmap)->ScanLine(row); }

TDIBWriter::TDIBWriter(TBitmap* bitmap, TPixelFormat pixelFormat, int width, int height,
                       HPALETTE palette)
    : TDIB(bitmap, pixelFormat), FPalette(palette), FWidth(width), FHeight(height) {
  if (pixelFormat != pf8bit && pixelFormat != pf24bit)
    throw EGifError(gifmsg::kUnsupportedPixelFormat);
  if (width <= 0 || height <= 0) throw EGifError(gifmsg::kInvalidDimensions);
  int bitCount = pixelFormat == pf8bit ? 8 : 24;
  FRowLength = (static_cast<std::int64_t>(width) * bitCount + 31) / 32 * 4;
  FBitsSize = FRowLength * height;
  BuildHeader();
}

TDIBWriter::~TDIBWriter() = default;

void TDIBWriter::BuildHeader() {
  bool indexed = FPixelFormat == pf8bit;
  size_t tableSize = indexed ? 256 * sizeof(RGBQUAD) : 0;
  FInfo.assign(sizeof(BITMAPINFOHEADER) + tableSize, 0);
  BITMAPINFOHEADER header{};
  header.biSize = sizeof(BITMAPINFOHEADER);
  header.biWidth = FWidth;
  header.biHeight = FHeight;  // positive: rows bottom-up
  header.biPlanes = 1;
  header.biBitCount = static_cast<WORD>(indexed ? 8 : 24);
  header.biCompression = BI_RGB;
  if (indexed) {
    std::vector<TGifRGB> colors = ColorsOf(FPalette);
    header.biClrUsed = 256;
    header.biClrImportant = static_cast<DWORD>(colors.size());
    auto* table = reinterpret_cast<RGBQUAD*>(FInfo.data() + sizeof(BITMAPINFOHEADER));
    for (size_t i = 0; i < colors.size(); ++i)
      table[i] = {colors[i].b, colors[i].g, colors[i].r, 0};
  }
  std::memcpy(FInfo.data(), &header, sizeof(header));
}

// The whole .bmp image goes through a memory stream, whose sizes are 32-bit: anything larger
// cannot be held and is reported as a failed allocation.
void TDIBWriter::AllocateBits() {
  std::int64_t fileSize = static_cast<std::int64_t>(sizeof(BITMAPFILEHEADER) + FInfo.size()) + FBitsSize;
  if (fileSize > INT_MAX) throw EOutOfMemory(gifmsg::kDibAllocFailed);
  try {
    FBits.assign(static_cast<size_t>(FBitsSize), 0);
  } catch (const std::bad_alloc&) {
    throw EOutOfMemory(gifmsg::kDibAllocFailed);
  }
}

void* TDIBWriter::ScanLine(int row) {
  if (FBits.empty()) AllocateBits();
  if (FBits.empty()) throw EGifError(gifmsg::kNoDib);
  if (row < 0 || row >= FHeight) throw EInvalidGraphicOperation("Scan line index out of range");
  return FBits.data() + (FHeight - 1 - row) * FRowLength;
}

void TDIBWriter::Finish() {
  if (FBits.empty()) AllocateBits();
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = static_cast<DWORD>(sizeof(file) + FInfo.size());
  file.bfSize = static_cast<DWORD>(file.bfOffBits + FBits.size());
  TMemoryStream stream;
  stream.SetSize(file.bfSize);
  stream.WriteBuffer(&file, sizeof(file));
  stream.WriteBuffer(FInfo.data(), static_cast<int>(FInfo.size()));
  stream.WriteBuffer(FBits.data(), static_cast<int>(FBits.size()));
  std::vector<std::uint8_t>().swap(FBits);
  stream.SetPosition(0);
  FBitmap->LoadFromStream(&stream);
}

// ---------------------------------------------------------------------------------------------
// Colour lookups

namespace {

int Cell(int red, int green, int blue) { return (blue >> 3) << 10 | (green >> 3) << 5 | red >> 3; }

}  // namespace

TCachedColorLookup::TCachedColorLookup(std::vector<TGifRGB> palette)
    : TColorLookup(static_cast<int>(palette.size())), FPalette(std::move(palette)),
      FCache(32768, kEmpty) {
  for (size_t i = 0; i < FPalette.size(); ++i) {
    std::uint16_t& slot = FCache[Cell(FPalette[i].r, FPalette[i].g, FPalette[i].b)];
    if (slot == kEmpty)
      slot = static_cast<std::uint16_t>(i);
    else if (slot != kShared && !(FPalette[slot] == FPalette[i]))
      slot = kShared;
  }
}

std::uint8_t TCachedColorLookup::Nearest(int red, int green, int blue) const {
  int best = 196608;
  std::uint8_t index = 0;
  for (size_t i = 0; i < FPalette.size(); ++i) {
    int d = std::abs(FPalette[i].r - red) + std::abs(FPalette[i].g - green) +
            std::abs(FPalette[i].b - blue);
    if (d < best) {
      best = d;
      index = static_cast<std::uint8_t>(i);
    }
  }
  return index;
}

std::uint8_t TCachedColorLookup::Lookup(int red, int green, int blue, TGifRGB& color) {
  std::uint16_t& slot = FCache[Cell(red, green, blue)];
  std::uint8_t index;
  if (slot == kShared) {
    index = Nearest(red, green, blue);
  } else if (slot == kEmpty) {
    index = Nearest(red, green, blue);
    slot = index;
  } else {
    index = static_cast<std::uint8_t>(slot);
  }
  color = FPalette[index];
  return index;
}

TLinearColorLookup::TLinearColorLookup(std::vector<TGifRGB> palette)
    : TColorLookup(static_cast<int>(palette.size())), FPalette(std::move(palette)),
      FCellStart(32768, -1), FCellCount(32768, 0) {}

// The entries, in palette order, whose nearest possible distance to the cell's box is not above
// the smallest farthest distance of any entry: no other entry can ever be (or tie) the nearest.
const std::uint8_t* TLinearColorLookup::Candidates(int cell, int& count) {
  if (FCellStart[cell] < 0) {
    int lo[3] = {(cell & 31) << 3, ((cell >> 5) & 31) << 3, ((cell >> 10) & 31) << 3};
    auto distances = [&lo](const TGifRGB& c, int& nearest, int& farthest) {
      int v[3] = {c.r, c.g, c.b};
      nearest = farthest = 0;
      for (int i = 0; i < 3; ++i) {
        int hi = lo[i] + 7;
        int n = v[i] < lo[i] ? lo[i] - v[i] : v[i] > hi ? v[i] - hi : 0;
        int f = std::max(std::abs(v[i] - lo[i]), std::abs(v[i] - hi));
        nearest += n * n;
        farthest += f * f;
      }
    };
    int bound = INT_MAX;
    for (const TGifRGB& c : FPalette) {
      int n, f;
      distances(c, n, f);
      bound = std::min(bound, f);
    }
    FCellStart[cell] = static_cast<std::int32_t>(FPool.size());
    for (size_t i = 0; i < FPalette.size(); ++i) {
      int n, f;
      distances(FPalette[i], n, f);
      if (n <= bound) FPool.push_back(static_cast<std::uint8_t>(i));
    }
    FCellCount[cell] = static_cast<std::uint16_t>(FPool.size() - static_cast<size_t>(FCellStart[cell]));
  }
  count = FCellCount[cell];
  return FPool.data() + FCellStart[cell];
}

std::uint8_t TLinearColorLookup::Lookup(int red, int green, int blue, TGifRGB& color) {
  std::uint32_t key = static_cast<std::uint32_t>(red << 16 | green << 8 | blue);
  if (key != FLastColor) {
    int count = 0;
    const std::uint8_t* candidates = Candidates(Cell(red, green, blue), count);
    int best = INT_MAX;
    for (int k = 0; k < count; ++k) {
      const TGifRGB& c = FPalette[candidates[k]];
      int dr = c.r - red, dg = c.g - green, db = c.b - blue;
      int d = dr * dr + dg * dg + db * db;
      if (d < best) {
        best = d;
        FLastIndex = candidates[k];
      }
    }
    FLastColor = key;
  }
  color = FPalette[FLastIndex];
  return FLastIndex;
}

// Each channel takes the nearest of the six levels 0, 51, ..., 255.
std::uint8_t TWebPaletteLookup::Lookup(int red, int green, int blue, TGifRGB& color) {
  int r = (red + 25) / 51, g = (green + 25) / 51, b = (blue + 25) / 51;
  color = {static_cast<std::uint8_t>(51 * r), static_cast<std::uint8_t>(51 * g),
           static_cast<std::uint8_t>(51 * b)};
  return static_cast<std::uint8_t>(36 * r + 6 * g + b);
}

std::uint8_t TGrayLookup::Lookup(int red, int green, int blue, TGifRGB& color) {
  auto level = static_cast<std::uint8_t>((77 * red + 150 * green + 29 * blue) >> 8);
  color = {level, level, level};
  return level;
}

std::uint8_t TMonoLookup::Lookup(int red, int green, int blue, TGifRGB& color) {
  if (77 * red + 150 * green + 29 * blue < 32513) {
    color = {0, 0, 0};
    return 0;
  }
  color = {255, 255, 255};
  return 1;
}

// ---------------------------------------------------------------------------------------------
// Ditherers

std::uint8_t TDitherEngine::Dither(int red, int green, int blue, TGifRGB& color) {
  std::uint8_t index = FLookup->Lookup(red, green, blue, color);
  FColumn += FDirection;
  return index;
}

// Rows run serpentine: the first left to right, the next right to left, and so on.
void TDitherEngine::NextLine() {
  FDirection = -FDirection;
  FColumn = FDirection > 0 ? 0 : FWidth - 1;
}

namespace {

struct Kernel {
  std::vector<TDitherWeight> weights;
  int divisor;
  bool shift;
};

Kernel KernelOf(TDitherMode mode) {
  switch (mode) {
    case dmFloydSteinberg:
      return {{{1, 0, 7}, {-1, 1, 3}, {0, 1, 5}, {1, 1, 1}}, 16, false};
    case dmStucki:
      return {{{1, 0, 8}, {2, 0, 4},
               {-2, 1, 2}, {-1, 1, 4}, {0, 1, 8}, {1, 1, 4}, {2, 1, 2},
               {-2, 2, 1}, {-1, 2, 2}, {0, 2, 4}, {1, 2, 2}, {2, 2, 1}},
              42, false};
    case dmSierra:
      return {{{1, 0, 5}, {2, 0, 3},
               {-2, 1, 2}, {-1, 1, 4}, {0, 1, 5}, {1, 1, 4}, {2, 1, 2},
               {-1, 2, 2}, {0, 2, 3}, {1, 2, 2}},
              32, false};
    case dmJaJuNI:
      return {{{1, 0, 7}, {2, 0, 5},
               {-2, 1, 3}, {-1, 1, 5}, {0, 1, 7}, {1, 1, 5}, {2, 1, 3},
               {-2, 2, 1}, {-1, 2, 3}, {0, 2, 5}, {1, 2, 3}, {2, 2, 1}},
              48, false};
    case dmSteveArche:
      return {{{2, 0, 32},
               {-3, 1, 12}, {-1, 1, 26}, {1, 1, 30}, {3, 1, 16},
               {-2, 2, 12}, {0, 2, 26}, {2, 2, 12},
               {-3, 3, 5}, {-1, 3, 12}, {1, 3, 12}, {3, 3, 5}},
              200, false};
    case dmBurkes:
      return {{{1, 0, 8}, {2, 0, 4}, {-2, 1, 2}, {-1, 1, 4}, {0, 1, 8}, {1, 1, 4}, {2, 1, 2}},
              32, true};
    default: throw EGifError(gifmsg::kInvalidDitherMode);
  }
}

}  // namespace

TErrorDiffusionDitherer::TErrorDiffusionDitherer(int width, TColorLookup* lookup,
                                                 TDitherMode mode)
    : TDitherEngine(width, lookup) {
  Kernel kernel = KernelOf(mode);
  FKernel = kernel.weights;
  FDivisor = kernel.divisor;
  FShift = kernel.shift;
  int depth = 0;
  for (const TDitherWeight& w : FKernel) {
    FMargin = std::max(FMargin, std::abs(w.dx));
    depth = std::max(depth, w.dy);
  }
  FRowLength = width + 2 * FMargin;
  for (auto& rows : FRows)
    rows.assign(static_cast<size_t>(depth + 1), std::vector<std::int32_t>(FRowLength, 0));
}

int TErrorDiffusionDitherer::Scaled(std::int32_t sum) const {
  if (FShift) return (sum + 16) >> 5;
  return (sum + FDivisor / 2) / FDivisor;
}

std::uint8_t TErrorDiffusionDitherer::Dither(int red, int green, int blue, TGifRGB& color) {
  int at = FColumn + FMargin;
  int value[3] = {red, green, blue};
  for (int c = 0; c < 3; ++c)
    value[c] = std::clamp(value[c] + Scaled(FRows[c][0][at]), 0, 255);
  std::uint8_t index = FLookup->Lookup(value[0], value[1], value[2], color);
  int error[3] = {value[0] - color.r, value[1] - color.g, value[2] - color.b};
  for (int c = 0; c < 3; ++c) {
    if (error[c] == 0) continue;
    for (const TDitherWeight& w : FKernel)
      FRows[c][w.dy][at + w.dx * FDirection] += error[c] * w.weight;
  }
  FColumn += FDirection;
  return index;
}

void TErrorDiffusionDitherer::NextLine() {
  for (auto& rows : FRows) {
    std::rotate(rows.begin(), rows.begin() + 1, rows.end());
    std::fill(rows.back().begin(), rows.back().end(), 0);
  }
  TDitherEngine::NextLine();
}

std::unique_ptr<TDitherEngine> MakeDitherer(TDitherMode mode, int width, TColorLookup* lookup) {
  if (mode == dmNearest) return std::make_unique<TDitherEngine>(width, lookup);
  return std::make_unique<TErrorDiffusionDitherer>(width, lookup, mode);
}

// ---------------------------------------------------------------------------------------------
// Octree quantizer

struct TOctreeNode {
  bool leaf = false;
  std::uint64_t pixelCount = 0;
  std::uint64_t red = 0, green = 0, blue = 0;
  TOctreeNode* next = nullptr;  // next reducible node of the same level
  TOctreeNode* children[8] = {};

  ~TOctreeNode() {
    for (TOctreeNode* child : children) delete child;
  }
};

TColorQuantizer::TColorQuantizer(int maxColors, int colorBits)
    : FMaxColors(maxColors), FColorBits(std::clamp(colorBits, 1, 8)) {}

TColorQuantizer::~TColorQuantizer() { delete FRoot; }

void TColorQuantizer::ProcessImage(TDIBReader& reader, int width, int height) {
  for (int y = 0; y < height; ++y) {
    const auto* row = static_cast<const std::uint8_t*>(reader.ScanLine(y));
    for (int x = 0; x < width; ++x, row += 3) AddColor(row[2], row[1], row[0]);
  }
}

void TColorQuantizer::AddColor(int red, int green, int blue) {
  auto makeNode = [this](int level) {
    auto* node = new TOctreeNode;
    if (level == FColorBits) {
      node->leaf = true;
      ++FLeafCount;
    } else {
      node->next = FReducible[level];
      FReducible[level] = node;
    }
    return node;
  };
  if (!FRoot) FRoot = makeNode(0);
  TOctreeNode* node = FRoot;
  for (int level = 0; !node->leaf; ++level) {
    int shift = 7 - level;
    int index = ((red >> shift) & 1) << 2 | ((green >> shift) & 1) << 1 | ((blue >> shift) & 1);
    if (!node->children[index]) node->children[index] = makeNode(level + 1);
    node = node->children[index];
  }
  ++node->pixelCount;
  node->red += static_cast<std::uint64_t>(red);
  node->green += static_cast<std::uint64_t>(green);
  node->blue += static_cast<std::uint64_t>(blue);
  while (FLeafCount > FMaxColors && ReduceTree()) {
  }
}

// Folds the deepest reducible node into a leaf. The deepest reducible level's children are
// always leaves. When only the root is left (2 or 4 colours of widely spread pixels) the root
// itself becomes the one leaf, so that every reduction ends within its colour count.
bool TColorQuantizer::ReduceTree() {
  int level = FColorBits - 1;
  while (level >= 0 && !FReducible[level]) --level;
  if (level < 0) return false;  // the root is the only leaf
  TOctreeNode* node = FReducible[level];
  FReducible[level] = node->next;
  node->next = nullptr;
  int children = 0;
  for (TOctreeNode*& child : node->children) {
    if (!child) continue;
    node->pixelCount += child->pixelCount;
    node->red += child->red;
    node->green += child->green;
    node->blue += child->blue;
    delete child;
    child = nullptr;
    ++children;
  }
  node->leaf = true;
  FLeafCount -= children - 1;
  return true;
}

std::vector<TGifRGB> TColorQuantizer::GetColors() const {
  std::vector<TGifRGB> colors;
  auto walk = [&colors](auto&& self, const TOctreeNode* node) -> void {
    if (!node) return;
    if (node->leaf) {
      TGifRGB color;
      if (node->pixelCount) {
        color = {static_cast<std::uint8_t>(node->red / node->pixelCount),
                 static_cast<std::uint8_t>(node->green / node->pixelCount),
                 static_cast<std::uint8_t>(node->blue / node->pixelCount)};
      }
      colors.push_back(color);
      return;
    }
    for (const TOctreeNode* child : node->children) self(self, child);
  };
  walk(walk, FRoot);
  return colors;
}
