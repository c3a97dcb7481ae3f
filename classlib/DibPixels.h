// Pixel-level work on device-independent bitmaps: section creation, reading and writing one
// pixel in any of the bitmap formats, nearest-colour lookup and the default colour tables.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "classlib/WinApi.h"

namespace dib {

// The pixel layout of a DIB: bits per pixel, 16-bit as 5-5-5 (is15) or 5-6-5, colour table.
struct Format {
  int bitCount = 24;
  bool is15 = false;
  std::vector<RGBQUAD> table;
};

// Bytes per row, rows padded to 32 bits.
int Stride(int width, int bitCount);
// Bytes of pixel data, or -1 when the size overflows what a bitmap may hold.
std::int64_t ImageSize(int width, int height, int bitCount);
// BITMAPINFO for the format: header, then the colour table or the three 5-6-5 masks.
std::vector<std::uint8_t> MakeInfo(int width, int height, const Format& format);
// A DIB section (bottom-up); nullptr when the system refuses it.
HBITMAP CreateSection(int width, int height, const Format& format, void** bits);

RGBQUAD ReadPixel(const std::uint8_t* row, int x, const Format& format);

// Index of the table entry nearest to a colour, remembered per colour.
class NearestColor {
 public:
  explicit NearestColor(const std::vector<RGBQUAD>& table) : m_table(table) {}
  std::uint8_t IndexOf(RGBQUAD color);

 private:
  const std::vector<RGBQUAD>& m_table;
  std::unordered_map<std::uint32_t, std::uint8_t> m_cache;
};

// `nearest` is needed for formats of 8 bits or fewer.
void WritePixel(std::uint8_t* row, int x, RGBQUAD color, const Format& format,
                NearestColor* nearest);

// 1 bit: black and white; 4 bits: the 16 standard colours; 8 bits: the 16 standard colours,
// the 6 x 6 x 6 colour cube and a ramp of 24 greys.
std::vector<RGBQUAD> DefaultTable(int bitCount);

}  // namespace dib

namespace dib {

// A picture held in a DIB section of our own (bottom-up).
struct Image {
  HBITMAP handle = nullptr;
  void* bits = nullptr;
  int width = 0;
  int height = 0;
  Format format;
};

enum class DecodeResult { Ok, Invalid, NoMemory };

// Reads a whole .bmp file (file header included) into a new section: 1, 4, 8, 16, 24 and
// 32 bits, uncompressed, bit fields or run-length coded, bottom-up or top-down.
DecodeResult DecodeBmp(const std::uint8_t* data, size_t size, Image& image);
// The .bmp file of a bottom-up DIB.
std::vector<std::uint8_t> EncodeBmp(int width, int height, const Format& format,
                                    const void* bits);

}  // namespace dib
