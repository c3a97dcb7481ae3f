// Pixel-level work on device-independent bitmaps.
#include "classlib/DibPixels.h"

#include <climits>
#include <cstring>

#include "classlib/ScopedHandles.h"

namespace dib {

namespace {

RGBQUAD Quad(int r, int g, int b) {
  return RGBQUAD{static_cast<BYTE>(b), static_cast<BYTE>(g), static_cast<BYTE>(r), 0};
}

std::uint32_t Key(RGBQUAD c) {
  return (static_cast<std::uint32_t>(c.rgbRed) << 16) | (c.rgbGreen << 8) | c.rgbBlue;
}

int Expand5(int v) { return (v << 3) | (v >> 2); }
int Expand6(int v) { return (v << 2) | (v >> 4); }

const RGBQUAD kStandard16[16] = {
    Quad(0, 0, 0),       Quad(128, 0, 0),   Quad(0, 128, 0),   Quad(128, 128, 0),
    Quad(0, 0, 128),     Quad(128, 0, 128), Quad(0, 128, 128), Quad(192, 192, 192),
    Quad(128, 128, 128), Quad(255, 0, 0),   Quad(0, 255, 0),   Quad(255, 255, 0),
    Quad(0, 0, 255),     Quad(255, 0, 255), Quad(0, 255, 255), Quad(255, 255, 255)};

}  // namespace

int Stride(int width, int bitCount) {
  return static_cast<int>(((static_cast<std::int64_t>(width) * bitCount + 31) / 32) * 4);
}

std::int64_t ImageSize(int width, int height, int bitCount) {
  if (width < 0 || height < 0) return -1;
  std::int64_t stride = ((static_cast<std::int64_t>(width) * bitCount + 31) / 32) * 4;
  std::int64_t size = stride * height;
  return size > INT_MAX ? -1 : size;
}

std::vector<std::uint8_t> MakeInfo(int width, int height, const Format& format) {
  size_t extra = format.bitCount <= 8 ? format.table.size() * sizeof(RGBQUAD)
                 : (format.bitCount == 16 && !format.is15) ? 3 * sizeof(DWORD)
                                                           : 0;
  std::vector<std::uint8_t> info(sizeof(BITMAPINFOHEADER) + extra);
  auto* header = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
  header->biSize = sizeof(BITMAPINFOHEADER);
  header->biWidth = width;
  header->biHeight = height;
  header->biPlanes = 1;
  header->biBitCount = static_cast<WORD>(format.bitCount);
  header->biCompression = BI_RGB;
  std::int64_t size = ImageSize(width, height, format.bitCount);
  header->biSizeImage = size > 0 ? static_cast<DWORD>(size) : 0;
  std::uint8_t* after = info.data() + sizeof(BITMAPINFOHEADER);
  if (format.bitCount <= 8) {
    header->biClrUsed = static_cast<DWORD>(format.table.size());
    if (!format.table.empty()) std::memcpy(after, format.table.data(), extra);
  } else if (extra) {
    header->biCompression = BI_BITFIELDS;
    const DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
    std::memcpy(after, masks, sizeof(masks));
  }
  return info;
}

HBITMAP CreateSection(int width, int height, const Format& format, void** bits) {
  *bits = nullptr;
  if (ImageSize(width, height, format.bitCount) < 0) return nullptr;
  std::vector<std::uint8_t> info = MakeInfo(width, height, format);
  HBITMAP handle = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(info.data()),
                                    DIB_RGB_COLORS, bits, nullptr, 0);
  if (!handle) *bits = nullptr;
  return handle;
}

RGBQUAD ReadPixel(const std::uint8_t* row, int x, const Format& format) {
  auto fromTable = [&](unsigned index) {
    return index < format.table.size() ? format.table[index] : Quad(0, 0, 0);
  };
  switch (format.bitCount) {
    case 1: return fromTable((row[x >> 3] >> (7 - (x & 7))) & 1);
    case 4: return fromTable((x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4);
    case 8: return fromTable(row[x]);
    case 16: {
      unsigned v = row[2 * x] | (row[2 * x + 1] << 8);
      if (format.is15) return Quad(Expand5((v >> 10) & 31), Expand5((v >> 5) & 31), Expand5(v & 31));
      return Quad(Expand5(v >> 11), Expand6((v >> 5) & 63), Expand5(v & 31));
    }
    case 24: return Quad(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
    default: return Quad(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
  }
}

std::uint8_t NearestColor::IndexOf(RGBQUAD color) {
  std::uint32_t key = Key(color);
  auto found = m_cache.find(key);
  if (found != m_cache.end()) return found->second;
  int best = 0;
  long bestDistance = LONG_MAX;
  for (size_t i = 0; i < m_table.size() && bestDistance > 0; ++i) {
    long dr = m_table[i].rgbRed - color.rgbRed;
    long dg = m_table[i].rgbGreen - color.rgbGreen;
    long db = m_table[i].rgbBlue - color.rgbBlue;
    long distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = static_cast<int>(i);
    }
  }
  m_cache.emplace(key, static_cast<std::uint8_t>(best));
  return static_cast<std::uint8_t>(best);
}

void WritePixel(std::uint8_t* row, int x, RGBQUAD color, const Format& format,
                NearestColor* nearest) {
  switch (format.bitCount) {
    case 1: {
      std::uint8_t bit = static_cast<std::uint8_t>(0x80 >> (x & 7));
      if (nearest->IndexOf(color)) row[x >> 3] |= bit; else row[x >> 3] &= ~bit;
      return;
    }
    case 4: {
      std::uint8_t index = nearest->IndexOf(color);
      std::uint8_t& byte = row[x >> 1];
      byte = (x & 1) ? static_cast<std::uint8_t>((byte & 0xF0) | index)
                     : static_cast<std::uint8_t>((byte & 0x0F) | (index << 4));
      return;
    }
    case 8: row[x] = nearest->IndexOf(color); return;
    case 16: {
      unsigned v = format.is15 ? ((color.rgbRed >> 3) << 10) | ((color.rgbGreen >> 3) << 5) |
                                     (color.rgbBlue >> 3)
                               : ((color.rgbRed >> 3) << 11) | ((color.rgbGreen >> 2) << 5) |
                                     (color.rgbBlue >> 3);
      row[2 * x] = static_cast<std::uint8_t>(v);
      row[2 * x + 1] = static_cast<std::uint8_t>(v >> 8);
      return;
    }
    case 24:
      row[3 * x] = color.rgbBlue;
      row[3 * x + 1] = color.rgbGreen;
      row[3 * x + 2] = color.rgbRed;
      return;
    default:
      row[4 * x] = color.rgbBlue;
      row[4 * x + 1] = color.rgbGreen;
      row[4 * x + 2] = color.rgbRed;
      row[4 * x + 3] = 0;
      return;
  }
}

std::vector<RGBQUAD> DefaultTable(int bitCount) {
  if (bitCount == 1) return {Quad(0, 0, 0), Quad(255, 255, 255)};
  std::vector<RGBQUAD> table(kStandard16, kStandard16 + 16);
  if (bitCount == 4) return table;
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b) table.push_back(Quad(r * 51, g * 51, b * 51));
  for (int i = 1; i <= 24; ++i) table.push_back(Quad(i * 10, i * 10, i * 10));
  return table;
}

}  // namespace dib

namespace dib {

namespace {

template <class T>
bool ReadAt(const std::uint8_t* data, size_t size, size_t offset, T& out) {
  if (offset > size || size - offset < sizeof(T)) return false;
  std::memcpy(&out, data + offset, sizeof(T));
  return true;
}

constexpr size_t kFileHeaderSize = 14;

struct BmpLayout {
  BITMAPINFOHEADER header{};
  std::vector<RGBQUAD> table;
  DWORD masks[3] = {0, 0, 0};
  size_t tableEnd = 0;
};

bool ReadInfoHeader(const std::uint8_t* data, size_t size, BmpLayout& layout, int& entrySize) {
  DWORD headerSize = 0;
  if (!ReadAt(data, size, kFileHeaderSize, headerSize)) return false;
  BITMAPINFOHEADER& h = layout.header;
  entrySize = 4;
  if (headerSize == sizeof(BITMAPCOREHEADER)) {
    BITMAPCOREHEADER core;
    if (!ReadAt(data, size, kFileHeaderSize, core)) return false;
    h.biWidth = core.bcWidth;
    h.biHeight = core.bcHeight;
    h.biBitCount = core.bcBitCount;
    h.biCompression = BI_RGB;
    entrySize = 3;
  } else if (headerSize >= sizeof(BITMAPINFOHEADER) && headerSize <= 124) {
    if (!ReadAt(data, size, kFileHeaderSize, h)) return false;
  } else {
    return false;
  }
  layout.tableEnd = kFileHeaderSize + headerSize;
  return true;
}

bool ValidHeader(const BITMAPINFOHEADER& h) {
  if (h.biWidth < 0 || h.biHeight == INT_MIN) return false;
  switch (h.biCompression) {
    case BI_RGB:
      return h.biBitCount == 1 || h.biBitCount == 4 || h.biBitCount == 8 || h.biBitCount == 16 ||
             h.biBitCount == 24 || h.biBitCount == 32;
    case BI_RLE8: return h.biBitCount == 8 && h.biHeight > 0;
    case BI_RLE4: return h.biBitCount == 4 && h.biHeight > 0;
    case BI_BITFIELDS: return h.biBitCount == 16 || h.biBitCount == 32;
    default: return false;
  }
}

bool ReadTable(const std::uint8_t* data, size_t size, BmpLayout& layout, int entrySize) {
  const BITMAPINFOHEADER& h = layout.header;
  if (h.biCompression == BI_BITFIELDS) {
    if (!ReadAt(data, size, kFileHeaderSize + sizeof(BITMAPINFOHEADER), layout.masks)) return false;
    if (layout.tableEnd == kFileHeaderSize + sizeof(BITMAPINFOHEADER)) layout.tableEnd += 12;
  }
  if (h.biBitCount > 8) return true;
  size_t most = size_t{1} << h.biBitCount;
  size_t count = h.biClrUsed && h.biClrUsed < most ? h.biClrUsed : most;
  for (size_t i = 0; i < count; ++i) {
    size_t at = layout.tableEnd + i * entrySize;
    if (at + entrySize > size) return false;
    layout.table.push_back({data[at], data[at + 1], data[at + 2], 0});
  }
  layout.tableEnd += count * entrySize;
  return true;
}

Format TargetFormat(const BmpLayout& layout) {
  const BITMAPINFOHEADER& h = layout.header;
  Format format;
  format.bitCount = h.biBitCount;
  format.table = layout.table;
  if (h.biBitCount == 16) {
    bool is565 = h.biCompression == BI_BITFIELDS && layout.masks[0] == 0xF800 &&
                 layout.masks[1] == 0x07E0 && layout.masks[2] == 0x001F;
    bool is555 = h.biCompression == BI_RGB ||
                 (layout.masks[0] == 0x7C00 && layout.masks[1] == 0x03E0 && layout.masks[2] == 0x001F);
    if (!is565 && !is555) format.bitCount = 32;
    format.is15 = is555;
  }
  return format;
}

// Lets the system convert what is not already in our layout (bit fields, run-length coding,
// top-down rows).
bool ConvertIntoSection(const BmpLayout& layout, const std::uint8_t* pixels, Image& image) {
  BITMAPINFOHEADER h = layout.header;
  h.biSize = sizeof(BITMAPINFOHEADER);
  h.biClrUsed = static_cast<DWORD>(layout.table.size());
  std::vector<std::uint8_t> info(sizeof(h) + 3 * sizeof(DWORD) + layout.table.size() * 4);
  std::memcpy(info.data(), &h, sizeof(h));
  if (h.biCompression == BI_BITFIELDS)
    std::memcpy(info.data() + sizeof(h), layout.masks, sizeof(layout.masks));
  else if (!layout.table.empty())
    std::memcpy(info.data() + sizeof(h), layout.table.data(), layout.table.size() * 4);
  ScopedGetDC screen;
  int lines = SetDIBits(screen.Get(), image.handle, 0, static_cast<UINT>(image.height), pixels,
                        reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS);
  return lines > 0;
}

}  // namespace

DecodeResult DecodeBmp(const std::uint8_t* data, size_t size, Image& image) {
  BITMAPFILEHEADER file;
  if (!ReadAt(data, size, 0, file) || file.bfType != 0x4D42) return DecodeResult::Invalid;
  BmpLayout layout;
  int entrySize = 4;
  if (!ReadInfoHeader(data, size, layout, entrySize) || !ValidHeader(layout.header) ||
      !ReadTable(data, size, layout, entrySize))
    return DecodeResult::Invalid;
  const BITMAPINFOHEADER& h = layout.header;
  image = Image{};
  image.format = TargetFormat(layout);
  image.width = h.biWidth;
  image.height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  if (image.width == 0 || image.height == 0) return DecodeResult::Ok;

  size_t offset = file.bfOffBits ? file.bfOffBits : layout.tableEnd;
  if (offset >= size) return DecodeResult::Invalid;
  bool rle = h.biCompression == BI_RLE8 || h.biCompression == BI_RLE4;
  std::int64_t needed = rle ? 1 : ImageSize(image.width, image.height, h.biBitCount);
  if (needed < 0 || static_cast<std::uint64_t>(needed) > size - offset) return DecodeResult::Invalid;

  image.handle = CreateSection(image.width, image.height, image.format, &image.bits);
  if (!image.handle) return DecodeResult::NoMemory;
  bool direct = h.biCompression == BI_RGB && h.biHeight > 0 && image.format.bitCount == h.biBitCount;
  ScopedGdiObj<HBITMAP> section(image.handle);
  if (direct) {
    std::memcpy(image.bits, data + offset, static_cast<size_t>(needed));
  } else if (!ConvertIntoSection(layout, data + offset, image)) {
    image = Image{};
    return DecodeResult::Invalid;
  }
  section.Release();
  return DecodeResult::Ok;
}

std::vector<std::uint8_t> EncodeBmp(int width, int height, const Format& format,
                                    const void* bits) {
  std::vector<std::uint8_t> info = MakeInfo(width, height, format);
  std::int64_t imageSize = bits ? ImageSize(width, height, format.bitCount) : 0;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = static_cast<DWORD>(sizeof(file) + info.size());
  file.bfSize = static_cast<DWORD>(file.bfOffBits + imageSize);
  std::vector<std::uint8_t> bytes(file.bfSize);
  std::memcpy(bytes.data(), &file, sizeof(file));
  std::memcpy(bytes.data() + sizeof(file), info.data(), info.size());
  if (imageSize > 0) std::memcpy(bytes.data() + file.bfOffBits, bits, static_cast<size_t>(imageSize));
  return bytes;
}

}  // namespace dib
