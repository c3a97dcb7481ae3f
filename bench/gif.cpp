// GIF encoding speed: a 4,000 x 3,000 24-bit picture (gradients with noise) reduced to 256
// colours by every reduction method, with and without dithering, then coded by the LZW and the
// run-length coder; and an index of 2,000 lines saved as a GIF picture. Prints seconds and MB/s
// of source pixels (3 bytes each).
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

#include "classlib/Streams.h"
#include "engine/u_TextPicture.h"
#include "gif/GifColorReduction.h"
#include "gif/GifEncoder.h"
#include "bench/BenchSupport.h"

namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

void Report(const char* what, double seconds, double bytes) {
  std::printf("%-44s %8.3f s %9.1f MB/s\n", what, seconds, bytes / 1e6 / seconds);
}

std::unique_ptr<TBitmap> SourcePicture() {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetSize(kWidth, kHeight);
  std::mt19937 random(1);
  for (int y = 0; y < kHeight; ++y) {
    auto* row = static_cast<std::uint8_t*>(bitmap->ScanLine(y));
    for (int x = 0; x < kWidth; ++x) {
      int noise = static_cast<int>(random() % 17) - 8;
      row[3 * x] = static_cast<std::uint8_t>(std::clamp(x * 255 / kWidth + noise, 0, 255));
      row[3 * x + 1] = static_cast<std::uint8_t>(std::clamp(y * 255 / kHeight + noise, 0, 255));
      row[3 * x + 2] = static_cast<std::uint8_t>(((x / 40 + y / 30) % 2) ? 230 : 40);
    }
  }
  return bitmap;
}

HPALETTE CustomPalette() {
  std::vector<std::uint8_t> memory(sizeof(LOGPALETTE) + 64 * sizeof(PALETTEENTRY));
  auto* log = reinterpret_cast<LOGPALETTE*>(memory.data());
  log->palVersion = 0x300;
  log->palNumEntries = 64;
  for (int i = 0; i < 64; ++i)
    log->palPalEntry[i] = {static_cast<BYTE>((i >> 4) * 85), static_cast<BYTE>(((i >> 2) & 3) * 85),
                           static_cast<BYTE>((i & 3) * 85), 0};
  return CreatePalette(log);
}

std::vector<std::uint8_t> Indices(TBitmap* reduced) {
  std::vector<std::uint8_t> pixels;
  pixels.reserve(static_cast<size_t>(kWidth) * kHeight);
  for (int y = 0; y < reduced->GetHeight(); ++y) {
    const auto* row = static_cast<const std::uint8_t*>(reduced->ScanLine(y));
    pixels.insert(pixels.end(), row, row + reduced->GetWidth());
  }
  return pixels;
}

// The string table walk of the LZW coder written out directly: 8,009 slots of key << 12 | code,
// slot ((key >> 4) xor key) mod 8009, on a collision the step 8009 - slot (1 from slot 0)
// downwards; codes are counted, not packed. The floor for the coder's own time.
std::int64_t ReproducedProbing(const std::vector<std::uint8_t>& pixels) {
  constexpr int kSlots = 8009;
  constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;
  std::vector<std::uint32_t> slots(kSlots, kEmpty);
  const int clearCode = 256;
  int nextCode = clearCode + 2;
  std::int64_t codes = 1;  // the first clear
  std::uint32_t prefix = pixels[0];
  for (size_t i = 1; i < pixels.size(); ++i) {
    std::uint32_t key = prefix << 8 | pixels[i];
    int slot = static_cast<int>(((key >> 4) ^ key) % kSlots);
    for (;;) {
      std::uint32_t entry = slots[static_cast<size_t>(slot)];
      if (entry == kEmpty || (entry >> 12) == key) break;
      slot -= slot == 0 ? 1 : kSlots - slot;
      if (slot < 0) slot += kSlots;
    }
    std::uint32_t entry = slots[static_cast<size_t>(slot)];
    if (entry != kEmpty) {
      prefix = entry & 0xFFF;
      continue;
    }
    ++codes;
    if (nextCode < 4095) {
      slots[static_cast<size_t>(slot)] = key << 12 | static_cast<std::uint32_t>(nextCode++);
    } else {
      std::fill(slots.begin(), slots.end(), kEmpty);
      nextCode = clearCode + 2;
      ++codes;
    }
    prefix = pixels[i];
  }
  return codes + 2;  // the last prefix and the end code
}

void TimeCoders(const std::vector<std::uint8_t>& pixels) {
  {
    auto start = std::chrono::steady_clock::now();
    std::int64_t codes = ReproducedProbing(pixels);
    char what[96];
    std::snprintf(what, sizeof what, "hash-table probing alone (%lld codes)", static_cast<long long>(codes));
    Report(what, Seconds(start), static_cast<double>(pixels.size()));
  }
  for (int compression : {0, 1}) {
    TMemoryStream out;
    std::unique_ptr<TGifEncoder> coder = CreateGifEncoder(compression, nullptr);
    auto start = std::chrono::steady_clock::now();
    coder->Compress(&out, 8, 256, pixels.data(), false, kHeight, kWidth);
    double seconds = Seconds(start);
    char what[96];
    std::snprintf(what, sizeof what, "%s coder, web-palette indices (%.1f MB out)",
                  compression ? "run-length" : "LZW", static_cast<double>(out.GetSize()) / 1e6);
    Report(what, seconds, static_cast<double>(pixels.size()));
  }
}

// An index as the text wizard writes it: a word, then its pages.
void TimeIndexPicture() {
  std::mt19937 random(2);
  std::wstring text;
  for (int line = 0; line < 2000; ++line) {
    text += static_cast<wchar_t>(L'A' + line % 26);
    for (int i = 0; i < 6 + static_cast<int>(random() % 10); ++i) text += static_cast<wchar_t>(L'a' + random() % 26);
    text += L" ";
    for (int page = 0; page < 1 + static_cast<int>(random() % 12); ++page)
      text += (page ? L", " : L"") + std::to_wstring(1 + random() % 400);
    text += L"\r\n";
  }
  TFont* font = PictureOutput().GetFont();
  TPictureSize size = MeasureTextPicture(text, font);
  auto start = std::chrono::steady_clock::now();
  std::string bytes;
  TPictureError error;
  bool made = MakeTextPicture(text, TPictureFormat::Gif, font, clWhite, bytes, error);
  double seconds = Seconds(start);
  char what[96];
  std::snprintf(what, sizeof what, "index of 2,000 lines as GIF (%lld x %lld, %.2f MB)%s",
                size.Width, size.Height, static_cast<double>(bytes.size()) / 1e6,
                made ? "" : " FAILED");
  Report(what, seconds, 3.0 * static_cast<double>(size.Width * size.Height));
}

}  // namespace

int main() {
  const char* names[] = {"none (24-bit copy)", "Windows 20", "halftone 256", "4 greys", "monochrome",
                         "256 greys", "web palette", "octree 256", "octree 236 + system",
                         "custom 64"};
  const char* dithers[] = {"nearest", "Floyd-Steinberg", "Stucki", "Sierra", "Jarvis-Judice-Ninke",
                           "Stevenson-Arce", "Burkes"};
  std::unique_ptr<TBitmap> source = SourcePicture();
  HPALETTE custom = CustomPalette();
  const double bytes = 3.0 * kWidth * kHeight;
  std::printf("Colour reduction of a %d x %d 24-bit picture\n", kWidth, kHeight);
  for (int method = rmNone; method <= rmPalette; ++method) {
    for (int dither : {dmNearest, dmFloydSteinberg}) {
      if (method == rmNone && dither != dmNearest) continue;
      auto start = std::chrono::steady_clock::now();
      std::unique_ptr<TBitmap> reduced =
          ReduceColors(source.get(), static_cast<TColorReduction>(method),
                       static_cast<TDitherMode>(dither), 8, custom);
      char what[96];
      std::snprintf(what, sizeof what, "%s, %s", names[method], dithers[dither]);
      Report(what, Seconds(start), bytes);
    }
  }
  for (int dither = dmStucki; dither <= dmBurkes; ++dither) {
    auto start = std::chrono::steady_clock::now();
    std::unique_ptr<TBitmap> reduced = ReduceColors(source.get(), rmNetscape,
                                                    static_cast<TDitherMode>(dither), 8, nullptr);
    char what[96];
    std::snprintf(what, sizeof what, "web palette, %s", dithers[dither]);
    Report(what, Seconds(start), bytes);
  }
  std::unique_ptr<TBitmap> web = ReduceColors(source.get(), rmNetscape, dmNearest, 8, nullptr);
  TimeCoders(Indices(web.get()));
  TimeIndexPicture();
  DeleteObject(custom);
  return 0;
}
