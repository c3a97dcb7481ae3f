// Output folder and manifest of the GIF files checked by the independent decoders.
#include "GifFilesOutput.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "classlib/WinApi.h"
#include "support/OutputFiles.h"
#include "support/TestSupport.h"

namespace giffiles {

namespace {

testsupport::OutputFiles g_output("gif-out");

std::uint32_t Next(std::uint32_t& state) {
  state ^= state << 13;
  state ^= state >> 17;
  state ^= state << 5;
  return state;
}

}  // namespace

const std::string& Folder() {
  static const std::string folder = g_output.Folder() + "\\";
  return folder;
}

void WriteFile(const std::string& name, const std::string& bytes) {
  testsupport::WriteBytes(Folder() + name, bytes);
}

void AddEntry(const std::string& json) { g_output.Add(json); }

std::string Quote(const std::string& text) { return "\"" + text + "\""; }

std::string PaletteJson(const std::vector<std::uint32_t>& rgb) {
  std::string json = "[";
  for (size_t i = 0; i < rgb.size(); ++i) {
    char item[40];
    std::snprintf(item, sizeof item, "%s[%u, %u, %u]", i ? ", " : "", (rgb[i] >> 16) & 255u,
                  (rgb[i] >> 8) & 255u, rgb[i] & 255u);
    json += item;
  }
  return json + "]";
}

std::vector<std::uint8_t> Noise(int width, int height, int colors, std::uint32_t seed) {
  std::vector<std::uint8_t> pixels(static_cast<size_t>(width) * height);
  std::uint32_t state = seed | 1;
  for (auto& p : pixels) p = static_cast<std::uint8_t>(Next(state) % colors);
  return pixels;
}

std::vector<std::uint8_t> Runs(int width, int height, int colors, std::uint32_t seed) {
  std::vector<std::uint8_t> pixels(static_cast<size_t>(width) * height);
  std::uint32_t state = seed | 1;
  size_t at = 0;
  while (at < pixels.size()) {
    // Mostly short runs, now and then one of thousands of pixels.
    std::uint32_t r = Next(state);
    size_t length = (r & 15) == 0 ? 1 + (r >> 8) % 5000 : 1 + (r >> 8) % 300;
    auto pixel = static_cast<std::uint8_t>(Next(state) % colors);
    size_t end = std::min(pixels.size(), at + length);
    std::fill(pixels.begin() + static_cast<std::ptrdiff_t>(at),
              pixels.begin() + static_cast<std::ptrdiff_t>(end), pixel);
    at = end;
  }
  return pixels;
}

std::vector<std::uint8_t> Gradient(int width, int height, int colors) {
  std::vector<std::uint8_t> pixels(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      pixels[static_cast<size_t>(y) * width + x] =
          static_cast<std::uint8_t>((static_cast<long long>(x + y) * colors /
                                     std::max(1, width + height - 1)) % colors);
  return pixels;
}

}  // namespace giffiles
