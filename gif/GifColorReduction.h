// Colour reduction for GIF frames: a bitmap of any format becomes an 8-bit palette bitmap
// through a target palette, a colour lookup and an optional error-diffusion ditherer.
// Scan-line access to the bitmaps (TDIBReader, TDIBWriter) lives here as well.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "classlib/Graphics.h"
#include "gif/GifError.h"

// How ReduceColors builds its palette. Stored as a byte in the picture, so a value outside
// the list can reach ReduceColors; it is refused there.
enum TColorReduction : std::uint8_t {
  rmNone = 0,             // no reduction: a 24-bit copy
  rmWindows20 = 1,        // the system's 20 static colours
  rmWindows256 = 2,       // the screen's halftone palette
  rmWindowsGray = 3,      // 4 greys: 0, 128, 192, 255
  rmMonochrome = 4,       // black and white
  rmGrayScale = 5,        // 256 greys
  rmNetscape = 6,         // the 6 x 6 x 6 web colour cube
  rmQuantize = 7,         // octree quantizer, 2^ReductionBits colours
  rmQuantizeWindows = 8,  // octree quantizer, 236 colours between the 20 system colours
  rmPalette = 9,          // a palette of the caller's
};

// The error-diffusion kernel of the reduction.
enum TDitherMode : std::uint8_t {
  dmNearest = 0,  // no dithering
  dmFloydSteinberg = 1,
  dmStucki = 2,
  dmSierra = 3,
  dmJaJuNI = 4,  // Jarvis, Judice and Ninke
  dmSteveArche = 5,  // Stevenson and Arce
  dmBurkes = 6,
};

// A colour channel triple as the lookups hand it back.
struct TGifRGB {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const TGifRGB&) const = default;
};

// Reduces `bitmap` to a new 8-bit palette bitmap (a 24-bit copy for rmNone) that the caller
// owns. The source is read through a converted copy and never changed. Raises EGifError
// before any work for an unknown method or dither mode, for reductionBits outside 1..8 and
// for rmPalette without a palette of at least one colour.
std::unique_ptr<TBitmap> ReduceColors(TBitmap* bitmap, TColorReduction colorReduction,
                                      TDitherMode ditherMode, int reductionBits,
                                      HPALETTE customPalette);

// ---------------------------------------------------------------------------------------------
// Scan-line access.

class TDIB {
 public:
  TDIB(TBitmap* bitmap, TPixelFormat pixelFormat) : FBitmap(bitmap), FPixelFormat(pixelFormat) {}
  virtual ~TDIB() = default;
  TDIB(const TDIB&) = delete;
  TDIB& operator=(const TDIB&) = delete;

  TPixelFormat GetPixelFormat() const { return FPixelFormat; }
  // Row `row` of the picture, row 0 at the top.
  virtual void* ScanLine(int row) = 0;

 protected:
  TBitmap* FBitmap;
  TPixelFormat FPixelFormat;
};

// Reads a bitmap's rows in a given format. When the bitmap is held in another format the rows
// come from a converted copy: the caller's bitmap keeps its format and its alpha channel.
class TDIBReader : public TDIB {
 public:
  TDIBReader(TBitmap* bitmap, TPixelFormat pixelFormat);
  ~TDIBReader() override;
  void* ScanLine(int row) override;

 private:
  std::unique_ptr<TBitmap> FCopy;
};

// Builds an 8- or 24-bit device-independent bitmap in memory; Finish loads it into the target
// bitmap. Raises EGifError "Unsupported PixelFormat" and "Invalid image dimensions" on
// creation, EOutOfMemory "Failed to allocate memory for GIF DIB" when the bits cannot be had.
class TDIBWriter : public TDIB {
 public:
  TDIBWriter(TBitmap* bitmap, TPixelFormat pixelFormat, int width, int height,
             HPALETTE palette);
  ~TDIBWriter() override;
  void* ScanLine(int row) override;
  // Hands the picture to the target bitmap as a .bmp image; the writer is spent afterwards.
  void Finish();

 private:
  void BuildHeader();
  void AllocateBits();

  HPALETTE FPalette;
  int FWidth;
  int FHeight;
  std::vector<std::uint8_t> FInfo;  // information header and colour table
  std::int64_t FRowLength = 0;
  std::int64_t FBitsSize = 0;
  std::vector<std::uint8_t> FBits;
};

// ---------------------------------------------------------------------------------------------
// Colour lookups: from a colour to a palette index and the colour that index stands for.

class TColorLookup {
 public:
  explicit TColorLookup(int colors) : FColors(colors) {}
  virtual ~TColorLookup() = default;
  int GetColors() const { return FColors; }
  virtual std::uint8_t Lookup(int red, int green, int blue, TGifRGB& color) = 0;

 protected:
  int FColors;
};

// Nearest palette entry by the sum of absolute channel differences, remembered per 5:5:5 cell.
// A cell that holds more than one distinct palette colour is searched afresh for every pixel,
// so that a colour of the palette always finds itself.
class TCachedColorLookup : public TColorLookup {
 public:
  explicit TCachedColorLookup(std::vector<TGifRGB> palette);
  std::uint8_t Lookup(int red, int green, int blue, TGifRGB& color) override;

 private:
  static constexpr std::uint16_t kEmpty = 0xFFFF;
  static constexpr std::uint16_t kShared = 0xFFFE;
  std::uint8_t Nearest(int red, int green, int blue) const;
  std::vector<TGifRGB> FPalette;
  std::vector<std::uint16_t> FCache;
};

// Nearest palette entry by squared distance, the first of equals winning, as the system's
// nearest-palette-index query answers. The search of a 5:5:5 cell only visits the entries that
// can be nearest to some colour of the cell (worked out on the cell's first use), so the answer
// is exact at a fraction of a full scan.
class TLinearColorLookup : public TColorLookup {
 public:
  explicit TLinearColorLookup(std::vector<TGifRGB> palette);
  std::uint8_t Lookup(int red, int green, int blue, TGifRGB& color) override;

 private:
  const std::uint8_t* Candidates(int cell, int& count);
  std::vector<TGifRGB> FPalette;
  std::vector<std::int32_t> FCellStart;  // into FPool; -1 until the cell is first met
  std::vector<std::uint16_t> FCellCount;
  std::vector<std::uint8_t> FPool;
  std::uint32_t FLastColor = 0xFFFFFFFF;
  std::uint8_t FLastIndex = 0;
};

// The 6 x 6 x 6 colour cube: index 36 r + 6 g + b, the nearest level per channel.
class TWebPaletteLookup : public TColorLookup {
 public:
  TWebPaletteLookup() : TColorLookup(216) {}
  std::uint8_t Lookup(int red, int green, int blue, TGifRGB& color) override;
};

// 256 greys by luminance.
class TGrayLookup : public TColorLookup {
 public:
  TGrayLookup() : TColorLookup(256) {}
  std::uint8_t Lookup(int red, int green, int blue, TGifRGB& color) override;
};

// Black below a luminance threshold, white from it on.
class TMonoLookup : public TColorLookup {
 public:
  TMonoLookup() : TColorLookup(2) {}
  std::uint8_t Lookup(int red, int green, int blue, TGifRGB& color) override;
};

// ---------------------------------------------------------------------------------------------
// Ditherers: each pixel of a row is handed in at Column() (stepping by Direction()); NextLine
// turns to the next row, which runs the other way.

class TDitherEngine {
 public:
  TDitherEngine(int width, TColorLookup* lookup) : FWidth(width), FLookup(lookup) {}
  virtual ~TDitherEngine() = default;
  TDitherEngine(const TDitherEngine&) = delete;
  TDitherEngine& operator=(const TDitherEngine&) = delete;

  int Column() const { return FColumn; }
  int Direction() const { return FDirection; }
  virtual std::uint8_t Dither(int red, int green, int blue, TGifRGB& color);
  virtual void NextLine();

 protected:
  int FWidth;
  TColorLookup* FLookup;  // not owned
  int FDirection = 1;
  int FColumn = 0;
};

// One neighbour of an error-diffusion kernel: columns ahead in the row's direction, rows down.
struct TDitherWeight {
  int dx, dy, weight;
};

// Error diffusion with a published kernel: the error of each channel is spread over the
// neighbours ahead and the accumulated sums are divided (with rounding) when a pixel is met.
class TErrorDiffusionDitherer : public TDitherEngine {
 public:
  TErrorDiffusionDitherer(int width, TColorLookup* lookup, TDitherMode mode);
  std::uint8_t Dither(int red, int green, int blue, TGifRGB& color) override;
  void NextLine() override;

 private:
  int Scaled(std::int32_t sum) const;
  std::vector<TDitherWeight> FKernel;
  int FDivisor = 1;
  bool FShift = false;  // divide by shifting (rounding toward minus infinity)
  int FMargin = 0;
  int FRowLength = 0;
  // FRows[row][channel] holds the error sums of the current row (0) and the rows below.
  std::vector<std::vector<std::int32_t>> FRows[3];
};

std::unique_ptr<TDitherEngine> MakeDitherer(TDitherMode mode, int width, TColorLookup* lookup);

// ---------------------------------------------------------------------------------------------
// Octree colour quantizer.

struct TOctreeNode;

class TColorQuantizer {
 public:
  TColorQuantizer(int maxColors, int colorBits);
  ~TColorQuantizer();
  TColorQuantizer(const TColorQuantizer&) = delete;
  TColorQuantizer& operator=(const TColorQuantizer&) = delete;

  // Adds the rows of a 24-bit picture (blue, green, red per pixel).
  void ProcessImage(TDIBReader& reader, int width, int height);
  void AddColor(int red, int green, int blue);
  int GetLeafCount() const { return FLeafCount; }
  // The leaves depth first, each the mean of its pixels (black without pixels).
  std::vector<TGifRGB> GetColors() const;

 private:
  bool ReduceTree();
  TOctreeNode* FRoot = nullptr;
  int FLeafCount = 0;
  TOctreeNode* FReducible[9] = {};
  int FMaxColors;
  int FColorBits;
};
