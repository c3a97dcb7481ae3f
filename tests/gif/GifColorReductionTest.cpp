// Colour reduction: palettes, lookups, the octree quantizer, the ditherers and the scan-line
// reader and writer, all through ReduceColors and the public classes.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <vector>

#include "classlib/Graphics.h"
#include "gif/GifColorReduction.h"

namespace {

using PixelFn = std::function<TGifRGB(int x, int y)>;

std::unique_ptr<TBitmap> MakeBitmap(int width, int height, const PixelFn& pixel,
                                    TPixelFormat format = pf24bit) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(format);
  bitmap->SetSize(width, height);
  int step = format == pf32bit ? 4 : 3;
  for (int y = 0; y < height; ++y) {
    auto* row = static_cast<std::uint8_t*>(bitmap->ScanLine(y));
    for (int x = 0; x < width; ++x) {
      TGifRGB c = pixel(x, y);
      row[step * x] = c.b;
      row[step * x + 1] = c.g;
      row[step * x + 2] = c.r;
      if (step == 4) row[4 * x + 3] = static_cast<std::uint8_t>(x * 7 + y);  // alpha
    }
  }
  return bitmap;
}

// The reduced picture as indices and colours.
struct Reduced {
  int width = 0, height = 0;
  std::vector<std::uint8_t> indices;
  std::vector<RGBQUAD> table;
  std::uint8_t Index(int x, int y) const { return indices[static_cast<size_t>(y * width + x)]; }
  TGifRGB Color(int x, int y) const {
    const RGBQUAD& q = table.at(Index(x, y));
    return {q.rgbRed, q.rgbGreen, q.rgbBlue};
  }
};

Reduced Read8(TBitmap* bitmap) {
  EXPECT_EQ(bitmap->GetPixelFormat(), pf8bit);
  Reduced r;
  r.width = bitmap->GetWidth();
  r.height = bitmap->GetHeight();
  r.table = bitmap->GetColorTable();
  for (int y = 0; y < r.height; ++y) {
    const auto* row = static_cast<const std::uint8_t*>(bitmap->ScanLine(y));
    r.indices.insert(r.indices.end(), row, row + r.width);
  }
  return r;
}

Reduced Reduce(TBitmap* source, TColorReduction method, TDitherMode dither = dmNearest,
               int bits = 8, HPALETTE palette = nullptr) {
  std::unique_ptr<TBitmap> result = ReduceColors(source, method, dither, bits, palette);
  return Read8(result.get());
}

std::string Bytes(TBitmap* bitmap) {
  std::string bytes;
  int length = bitmap->GetWidth() * (bitmap->GetPixelFormat() == pf32bit ? 4 : 3);
  for (int y = 0; y < bitmap->GetHeight(); ++y)
    bytes.append(static_cast<const char*>(bitmap->ScanLine(y)), static_cast<size_t>(length));
  return bytes;
}

int SquaredDistance(TGifRGB a, TGifRGB b) {
  int dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
  return dr * dr + dg * dg + db * db;
}

TGifRGB Rgb(int r, int g, int b) {
  return {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b)};
}

// A fixed set of distinct random colours.
std::vector<TGifRGB> RandomColors(size_t count, unsigned seed) {
  std::mt19937 random(seed);
  std::set<std::uint32_t> seen;
  std::vector<TGifRGB> colors;
  while (colors.size() < count) {
    std::uint32_t value = random() & 0xFFFFFF;
    if (!seen.insert(value).second) continue;
    colors.push_back(Rgb(value >> 16, (value >> 8) & 0xFF, value & 0xFF));
  }
  return colors;
}

HPALETTE PaletteOfColors(const std::vector<TGifRGB>& colors) {
  std::vector<std::uint8_t> memory(sizeof(LOGPALETTE) + colors.size() * sizeof(PALETTEENTRY));
  auto* log = reinterpret_cast<LOGPALETTE*>(memory.data());
  log->palVersion = 0x300;
  log->palNumEntries = static_cast<WORD>(colors.size());
  for (size_t i = 0; i < colors.size(); ++i)
    log->palPalEntry[i] = {colors[i].r, colors[i].g, colors[i].b, 0};
  return CreatePalette(log);
}

int NearestLevel(int value, const std::vector<int>& levels) {
  int best = levels[0];
  for (int level : levels)
    if (std::abs(level - value) < std::abs(best - value)) best = level;
  return best;
}

// ---------------------------------------------------------------------------------------------

TEST(WebPaletteReduction, EveryChannelValueTakesTheNearestCubeLevel) {
  const std::vector<int> levels{0, 51, 102, 153, 204, 255};
  auto source = MakeBitmap(256, 3, [](int x, int y) {
    return y == 0 ? Rgb(x, 0, 0) : y == 1 ? Rgb(0, x, 0) : Rgb(0, 0, x);
  });
  Reduced r = Reduce(source.get(), rmNetscape);
  for (int x = 0; x < 256; ++x) {
    int level = NearestLevel(x, levels);
    EXPECT_EQ(r.Color(x, 0), Rgb(level, 0, 0)) << x;
    EXPECT_EQ(r.Color(x, 1), Rgb(0, level, 0)) << x;
    EXPECT_EQ(r.Color(x, 2), Rgb(0, 0, level)) << x;
  }
}

TEST(WebPaletteReduction, TableIsTheCubeThenBlackAndLightGreyBecomesWhite) {
  auto source = MakeBitmap(3, 1, [](int x, int) {
    return x == 0 ? Rgb(0xF0, 0xF0, 0xF0) : x == 1 ? Rgb(255, 255, 255) : Rgb(0, 0, 0);
  });
  Reduced r = Reduce(source.get(), rmNetscape);
  ASSERT_EQ(r.table.size(), 256u);
  for (int i = 0; i < 256; ++i) {
    RGBQUAD q = r.table[static_cast<size_t>(i)];
    TGifRGB expected = i < 216 ? Rgb(51 * (i / 36), 51 * (i / 6 % 6), 51 * (i % 6)) : Rgb(0, 0, 0);
    EXPECT_EQ(Rgb(q.rgbRed, q.rgbGreen, q.rgbBlue), expected) << i;
  }
  EXPECT_EQ(r.Color(0, 0), Rgb(255, 255, 255));
  EXPECT_EQ(r.Index(1, 0), 215);
  EXPECT_EQ(r.Index(2, 0), 0);
}

TEST(GreyReductions, LuminanceDecidesGreyLevelAndMonochromeThreshold) {
  // Colours on both sides of the black/white threshold of 77 r + 150 g + 29 b.
  TGifRGB justBlack{}, justWhite{};
  bool foundBlack = false, foundWhite = false;
  for (int r = 0; r < 256 && !(foundBlack && foundWhite); ++r)
    for (int g = 0; g < 256; ++g)
      for (int b = 0; b < 256; b += 1) {
        int sum = 77 * r + 150 * g + 29 * b;
        if (sum == 32512 && !foundBlack) justBlack = Rgb(r, g, b), foundBlack = true;
        if (sum == 32513 && !foundWhite) justWhite = Rgb(r, g, b), foundWhite = true;
        if (sum > 32513) break;
      }
  ASSERT_TRUE(foundBlack && foundWhite);
  auto source = MakeBitmap(4, 1, [&](int x, int) {
    return x == 0 ? justBlack : x == 1 ? justWhite : x == 2 ? Rgb(255, 255, 255) : Rgb(255, 0, 0);
  });
  Reduced mono = Reduce(source.get(), rmMonochrome);
  EXPECT_EQ(mono.Color(0, 0), Rgb(0, 0, 0));
  EXPECT_EQ(mono.Color(1, 0), Rgb(255, 255, 255));
  EXPECT_EQ(mono.Index(1, 0), 1);

  Reduced grey = Reduce(source.get(), rmGrayScale);
  EXPECT_EQ(grey.Index(2, 0), 255);
  EXPECT_EQ(grey.Index(3, 0), 76);
  EXPECT_EQ(grey.Color(3, 0), Rgb(76, 76, 76));

  Reduced four = Reduce(source.get(), rmWindowsGray);
  for (int x = 0; x < 4; ++x) {
    TGifRGB c = four.Color(x, 0);
    EXPECT_TRUE(c.r == c.g && c.g == c.b && (c.r == 0 || c.r == 128 || c.r == 192 || c.r == 255));
  }
  EXPECT_EQ(four.Color(3, 0), Rgb(128, 128, 128));  // pure red is nearest to mid grey
}

TEST(Quantizer, KeepsEveryColourOfAnImageWithinTheColourCount) {
  for (int bits = 1; bits <= 8; ++bits) {
    std::vector<TGifRGB> colors = RandomColors(size_t{1} << bits, static_cast<unsigned>(bits));
    // Two colours a step apart share a cell of the fast lookup's cache.
    colors[1] = Rgb(colors[0].r ^ 1, colors[0].g, colors[0].b);
    std::mt19937 random(99);
    std::vector<size_t> choice(64 * 48);
    for (auto& c : choice) c = random() % colors.size();
    auto source = MakeBitmap(64, 48, [&](int x, int y) { return colors[choice[y * 64 + x]]; });
    Reduced r = Reduce(source.get(), rmQuantize, dmNearest, bits);
    EXPECT_EQ(r.table.size(), 256u);
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 64; ++x) {
        ASSERT_EQ(r.Color(x, y), colors[choice[y * 64 + x]]) << "bits " << bits;
        ASSERT_LT(r.Index(x, y), 1 << bits);
      }
  }
}

TEST(Quantizer, EveryColourCountEndsWithinItsColours) {
  std::mt19937 random(7);
  std::vector<TGifRGB> noise(80 * 60);
  for (auto& c : noise) c = Rgb(random() & 255, random() & 255, random() & 255);
  auto source = MakeBitmap(80, 60, [&](int x, int y) { return noise[y * 80 + x]; });
  for (int bits = 1; bits <= 8; ++bits) {
    Reduced r = Reduce(source.get(), rmQuantize, dmNearest, bits);
    std::set<int> used(r.indices.begin(), r.indices.end());
    EXPECT_LE(used.size(), size_t{1} << bits) << bits;
    EXPECT_LT(*used.rbegin(), 1 << bits) << bits;
  }
}

TEST(Quantizer, TwoAndFourColoursOfTheCubeCornersEnd) {
  // The eight corners sit in eight different top-level branches of the tree.
  auto source = MakeBitmap(8, 8, [](int x, int y) {
    int corner = (x + y) % 8;
    return Rgb(corner & 4 ? 255 : 0, corner & 2 ? 255 : 0, corner & 1 ? 255 : 0);
  });
  for (int bits : {1, 2}) {
    Reduced r = Reduce(source.get(), rmQuantize, dmNearest, bits);
    std::set<int> used(r.indices.begin(), r.indices.end());
    EXPECT_LE(used.size(), size_t{1} << bits);
  }
  TColorQuantizer quantizer(2, 8);
  for (int corner = 0; corner < 8; ++corner)
    quantizer.AddColor(corner & 4 ? 255 : 0, corner & 2 ? 255 : 0, corner & 1 ? 255 : 0);
  EXPECT_LE(quantizer.GetLeafCount(), 2);
  // All eight corners folded into one leaf: their mean.
  ASSERT_EQ(quantizer.GetColors().size(), 1u);
  EXPECT_EQ(quantizer.GetColors()[0], Rgb(127, 127, 127));
}

TEST(Quantizer, WindowsVariantKeepsSystemColoursAtBothEnds) {
  std::vector<TGifRGB> colors = RandomColors(200, 5);
  auto source = MakeBitmap(40, 20, [&](int x, int y) { return colors[(y * 40 + x) % 200]; });
  Reduced r = Reduce(source.get(), rmQuantizeWindows);
  PALETTEENTRY system[20];
  ASSERT_EQ(GetPaletteEntries(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), 0, 20, system), 20u);
  ASSERT_EQ(r.table.size(), 256u);
  for (int i = 0; i < 20; ++i) {
    const RGBQUAD& q = r.table[static_cast<size_t>(i < 10 ? i : 236 + i)];
    EXPECT_EQ(Rgb(q.rgbRed, q.rgbGreen, q.rgbBlue),
              Rgb(system[i].peRed, system[i].peGreen, system[i].peBlue)) << i;
  }
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_EQ(r.Color(x, y), colors[(y * 40 + x) % 200]);
}

TEST(PaletteReductions, LinearLookupsTakeTheFirstNearestEntry) {
  // Many colours, some of them twice and some close together: the first of the nearest wins.
  std::vector<TGifRGB> palette = RandomColors(150, 21);
  for (int i = 0; i < 30; ++i) palette.push_back(palette[static_cast<size_t>(i * 4)]);
  for (int i = 0; i < 20; ++i) {
    TGifRGB c = palette[static_cast<size_t>(i)];
    palette.push_back(Rgb(c.r ^ 1, c.g, c.b ^ 2));
  }
  HPALETTE handle = PaletteOfColors(palette);
  std::mt19937 random(3);
  std::vector<TGifRGB> noise(120 * 90);
  for (auto& c : noise) c = Rgb(random() & 255, random() & 255, random() & 255);
  for (int i = 0; i < 200; ++i) noise[static_cast<size_t>(i)] = palette[static_cast<size_t>(i)];
  auto source = MakeBitmap(120, 90, [&](int x, int y) { return noise[static_cast<size_t>(y * 120 + x)]; });
  Reduced r = Reduce(source.get(), rmPalette, dmNearest, 8, handle);
  DeleteObject(handle);
  for (int i = 0; i < 120 * 90; ++i) {
    TGifRGB want = noise[static_cast<size_t>(i)];
    size_t first = 0;
    for (size_t k = 1; k < palette.size(); ++k)
      if (SquaredDistance(palette[k], want) < SquaredDistance(palette[first], want)) first = k;
    ASSERT_EQ(r.Index(i % 120, i / 120), first) << i;
  }

  for (TColorReduction method : {rmWindows20, rmWindows256}) {
    Reduced w = Reduce(source.get(), method);
    std::set<std::uint32_t> table;
    int important = method == rmWindows20 ? 20 : 0;
    for (const RGBQUAD& q : w.table) table.insert(q.rgbRed << 16 | q.rgbGreen << 8 | q.rgbBlue);
    EXPECT_GE(table.size(), method == rmWindows20 ? 20u : 100u);
    for (int i = 0; i < 120 * 90; ++i) {
      int x = i % 120, y = i / 120;
      ASSERT_LE(w.Index(x, y), important ? important - 1 : 255);
    }
  }
}

TEST(Dithering, FlatColourKeepsItsMean) {
  // Error that runs off the edges is lost; on a large picture that share is small.
  constexpr int kSide = 256;
  std::vector<TGifRGB> corners;
  for (int c = 0; c < 8; ++c) corners.push_back(Rgb(c & 4 ? 255 : 0, c & 2 ? 255 : 0, c & 1 ? 255 : 0));
  HPALETTE cornerPalette = PaletteOfColors(corners);
  struct Case {
    TColorReduction method;
    TGifRGB flat;
  } cases[] = {{rmNetscape, Rgb(100, 150, 200)}, {rmNetscape, Rgb(13, 240, 77)},
               {rmPalette, Rgb(100, 150, 200)},  {rmWindowsGray, Rgb(100, 100, 100)},
               {rmMonochrome, Rgb(90, 90, 90)},  {rmGrayScale, Rgb(70, 70, 70)}};
  for (const Case& c : cases) {
    auto source = MakeBitmap(kSide, kSide, [&](int, int) { return c.flat; });
    for (int mode = dmFloydSteinberg; mode <= dmBurkes; ++mode) {
      Reduced r = Reduce(source.get(), c.method, static_cast<TDitherMode>(mode), 8, cornerPalette);
      double sum[3] = {};
      std::set<int> used;
      for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) {
          TGifRGB p = r.Color(x, y);
          sum[0] += p.r, sum[1] += p.g, sum[2] += p.b;
          used.insert(r.Index(x, y));
        }
      std::string what = "method " + std::to_string(c.method) + " mode " + std::to_string(mode);
      if (c.method != rmGrayScale) {
        EXPECT_GT(used.size(), 1u) << what;
      }
      EXPECT_NEAR(sum[0] / (kSide * kSide), c.flat.r, 2.0) << what;
      EXPECT_NEAR(sum[1] / (kSide * kSide), c.flat.g, 2.0) << what;
      EXPECT_NEAR(sum[2] / (kSide * kSide), c.flat.b, 2.0) << what;
    }
  }
  DeleteObject(cornerPalette);
}

TEST(Dithering, PaletteColourNeedsNoCorrection) {
  auto source = MakeBitmap(33, 17, [](int, int) { return Rgb(102, 153, 204); });
  for (int mode = dmNearest; mode <= dmBurkes; ++mode) {
    Reduced r = Reduce(source.get(), rmNetscape, static_cast<TDitherMode>(mode));
    std::set<int> used(r.indices.begin(), r.indices.end());
    ASSERT_EQ(used.size(), 1u) << mode;
    EXPECT_EQ(r.Color(0, 0), Rgb(102, 153, 204));
  }
}

// ---------------------------------------------------------------------------------------------

TEST(ReduceColorsArguments, RefusesBadSettingsBeforeTouchingAnything) {
  auto source = MakeBitmap(5, 4, [](int x, int y) { return Rgb(x * 40, y * 50, 9); }, pf32bit);
  std::string before = Bytes(source.get());
  HPALETTE none = nullptr;
  struct Case {
    int method, dither, bits;
  } cases[] = {{10, 0, 8}, {255, 0, 8}, {6, 7, 8}, {6, 200, 8}, {7, 0, 0},
               {7, 0, 9},  {7, 0, -3},  {6, 0, 32}, {9, 0, 8}};
  for (const Case& c : cases) {
    EXPECT_THROW(ReduceColors(source.get(), static_cast<TColorReduction>(c.method),
                              static_cast<TDitherMode>(c.dither), c.bits, none),
                 EGifError)
        << c.method << " " << c.dither << " " << c.bits;
    EXPECT_EQ(source->GetPixelFormat(), pf32bit);
    EXPECT_EQ(Bytes(source.get()), before);
  }
  // The error is the class library's invalid-graphic error as well.
  EXPECT_THROW(ReduceColors(source.get(), rmPalette, dmNearest, 8, nullptr), EInvalidGraphic);
  TBitmap empty;
  EXPECT_THROW(ReduceColors(&empty, rmNetscape, dmNearest, 8, nullptr), EGifError);
}

TEST(ReduceColorsSource, ReadsThroughACopyAndLeavesTheBitmapAlone) {
  auto source = MakeBitmap(7, 5, [](int x, int y) { return Rgb(x * 30, y * 60, 200); }, pf32bit);
  std::string before = Bytes(source.get());
  for (TColorReduction method : {rmNetscape, rmQuantize, rmGrayScale}) {
    Reduced r = Reduce(source.get(), method, dmFloydSteinberg);
    EXPECT_EQ(r.width, 7);
    EXPECT_EQ(source->GetPixelFormat(), pf32bit);
    EXPECT_EQ(Bytes(source.get()), before);
  }
  std::unique_ptr<TBitmap> copy = ReduceColors(source.get(), rmNone, dmNearest, 8, nullptr);
  EXPECT_EQ(copy->GetPixelFormat(), pf24bit);
  EXPECT_EQ(source->GetPixelFormat(), pf32bit);
  for (int y = 0; y < 5; ++y) {
    const auto* row = static_cast<const std::uint8_t*>(copy->ScanLine(y));
    for (int x = 0; x < 7; ++x) EXPECT_EQ(Rgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]), Rgb(x * 30, y * 60, 200));
  }
}

TEST(ReduceColorsSource, DeviceBitmapIsReadAsDrawn) {
  TBitmap device;  // a device bitmap until asked otherwise
  device.SetSize(6, 4);
  ASSERT_EQ(device.GetPixelFormat(), pfDevice);
  device.GetCanvas()->GetBrush()->SetColor(static_cast<TColor>(0xF0F0F0));
  device.GetCanvas()->FillRect(RECT{0, 0, 6, 4});
  device.GetCanvas()->SetPixel(2, 1, clRed);
  Reduced r = Reduce(&device, rmNetscape);
  EXPECT_EQ(r.Color(0, 0), Rgb(255, 255, 255));
  EXPECT_EQ(r.Color(2, 1), Rgb(255, 0, 0));
  EXPECT_EQ(device.GetPixelFormat(), pfDevice);
}

TEST(ScanLineReader, GivesRowsInTheAskedFormatFromAPaletteBitmap) {
  auto source = MakeBitmap(6, 3, [](int x, int) { return x % 2 ? Rgb(255, 255, 255) : Rgb(0, 0, 0); });
  source->SetPixelFormat(pf8bit);
  TDIBReader reader(source.get(), pf24bit);
  for (int y = 0; y < 3; ++y) {
    const auto* row = static_cast<const std::uint8_t*>(reader.ScanLine(y));
    for (int x = 0; x < 6; ++x) EXPECT_EQ(row[3 * x], x % 2 ? 255 : 0);
  }
  EXPECT_EQ(source->GetPixelFormat(), pf8bit);
}

TEST(ScanLineWriter, WritesRowsTopFirstWithThePaletteAsTable) {
  std::vector<TGifRGB> colors = RandomColors(7, 11);
  HPALETTE palette = PaletteOfColors(colors);
  TBitmap target;
  {
    TDIBWriter writer(&target, pf8bit, 5, 7, palette);
    for (int y = 0; y < 7; ++y) std::memset(writer.ScanLine(y), y, 5);
    writer.Finish();
  }
  DeleteObject(palette);
  Reduced r = Read8(&target);
  ASSERT_EQ(r.width, 5);
  ASSERT_EQ(r.height, 7);
  for (int y = 0; y < 7; ++y) EXPECT_EQ(r.Color(4, y), colors[static_cast<size_t>(y)]);
  EXPECT_EQ(r.table.size(), 256u);

  TBitmap wide;
  TDIBWriter writer24(&wide, pf24bit, 3, 2, nullptr);
  for (int y = 0; y < 2; ++y) {
    auto* row = static_cast<std::uint8_t*>(writer24.ScanLine(y));
    for (int i = 0; i < 9; ++i) row[i] = static_cast<std::uint8_t>(y * 100 + i);
  }
  writer24.Finish();
  ASSERT_EQ(wide.GetPixelFormat(), pf24bit);
  for (int y = 0; y < 2; ++y) {
    const auto* row = static_cast<const std::uint8_t*>(wide.ScanLine(y));
    for (int i = 0; i < 9; ++i) EXPECT_EQ(row[i], y * 100 + i);
  }
}

TEST(ScanLineWriter, RefusesBadFormatsSizesAndRows) {
  TBitmap target;
  EXPECT_THROW(TDIBWriter(&target, pf4bit, 4, 4, nullptr), EGifError);
  EXPECT_THROW(TDIBWriter(&target, pf32bit, 4, 4, nullptr), EGifError);
  EXPECT_THROW(TDIBWriter(&target, pf8bit, 0, 4, nullptr), EGifError);
  EXPECT_THROW(TDIBWriter(&target, pf24bit, 4, 0, nullptr), EGifError);
  TDIBWriter writer(&target, pf8bit, 4, 4, nullptr);
  EXPECT_THROW(writer.ScanLine(4), EInvalidGraphicOperation);
  EXPECT_THROW(writer.ScanLine(-1), EInvalidGraphicOperation);
  // 65,536 rows of 65,536 bytes: the size needs more than 32 bits.
  TDIBWriter huge(&target, pf8bit, 65536, 65536, nullptr);
  EXPECT_THROW(huge.ScanLine(0), EOutOfMemory);
  TDIBWriter huge24(&target, pf24bit, 40000, 40000, nullptr);
  EXPECT_THROW(huge24.ScanLine(0), EOutOfMemory);
}

}  // namespace
