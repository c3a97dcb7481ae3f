// The LZW and run-length coders and the sub-block writer. Every frame is also written as a
// GIF file with its source indices beside it, which Pillow and ImageMagick decode
// (check_gif_files.py); here the stream's structure and the coders' errors are checked.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "GifFilesOutput.h"
#include "GifTestSupport.h"
#include "classlib/Classes.h"
#include "gif/GifEncoder.h"

namespace {

using giftest::Put16;

int BitsFor(int colors) {
  int bits = 1;
  while ((1 << bits) < colors) ++bits;
  return bits;
}

std::vector<std::uint32_t> TestPalette(int colors) {
  std::vector<std::uint32_t> palette;
  for (int i = 0; i < colors; ++i)
    palette.push_back(static_cast<std::uint32_t>(i) << 16 |
                      static_cast<std::uint32_t>((i * 37 + 11) & 255) << 8 |
                      static_cast<std::uint32_t>((i * 101 + 53) & 255));
  return palette;
}

// Only the image data, as the coder writes it.
std::string ImageData(int compression, int colors, const std::vector<std::uint8_t>& pixels,
                      int width, int height, bool interlaced) {
  TStringStream stream;
  CreateGifEncoder(compression, nullptr)
      ->Compress(&stream, BitsFor(colors), colors, pixels.empty() ? nullptr : pixels.data(),
                 interlaced, height, width);
  return stream.GetDataString();
}

// A whole GIF file around the coder's output: global table of the test palette, one frame.
std::string GifFile(const std::string& imageData, int colors, int width, int height,
                    bool interlaced) {
  int bits = BitsFor(colors);
  std::string file = "GIF89a";
  Put16(file, width);
  Put16(file, height);
  file += static_cast<char>(0x80 | (bits - 1) << 4 | (bits - 1));
  file += std::string(2, '\0');
  std::vector<std::uint32_t> palette = TestPalette(colors);
  for (int i = 0; i < (1 << bits); ++i) {
    std::uint32_t c = i < colors ? palette[static_cast<size_t>(i)] : 0;
    file += static_cast<char>(c >> 16);
    file += static_cast<char>(c >> 8);
    file += static_cast<char>(c);
  }
  file += ',';
  Put16(file, 0);
  Put16(file, 0);
  Put16(file, width);
  Put16(file, height);
  file += static_cast<char>(interlaced ? 0x40 : 0);
  return file + imageData + ";";
}

struct SubBlocks {
  int codeSize = -1;
  std::vector<int> lengths;
  bool terminated = false;
  size_t end = 0;  // offset after the terminator
};

// Walks the minimum code size byte and the sub-block chain up to the terminator.
SubBlocks ParseSubBlocks(const std::string& data, size_t at = 0) {
  SubBlocks result;
  if (at >= data.size()) return result;
  result.codeSize = static_cast<std::uint8_t>(data[at++]);
  while (at < data.size()) {
    int length = static_cast<std::uint8_t>(data[at++]);
    if (length == 0) {
      result.terminated = true;
      break;
    }
    result.lengths.push_back(length);
    at += static_cast<size_t>(length);
  }
  result.end = at;
  return result;
}

void ExpectWellFormedChain(const std::string& data, int codeSize) {
  SubBlocks blocks = ParseSubBlocks(data);
  EXPECT_EQ(blocks.codeSize, codeSize);
  ASSERT_TRUE(blocks.terminated);
  EXPECT_EQ(blocks.end, data.size()) << "bytes after the block terminator";
  ASSERT_FALSE(blocks.lengths.empty());
  for (size_t i = 0; i + 1 < blocks.lengths.size(); ++i) EXPECT_EQ(blocks.lengths[i], 255);
}

// Writes the frame for the decoders and checks its structure here.
void WriteCase(const std::string& name, int compression, int colors,
               const std::vector<std::uint8_t>& pixels, int width, int height, bool interlaced,
               bool magick) {
  std::string data = ImageData(compression, colors, pixels, width, height, interlaced);
  ExpectWellFormedChain(data, std::max(2, BitsFor(colors)));
  giffiles::WriteFile(name + ".gif", GifFile(data, colors, width, height, interlaced));
  giffiles::WriteFile(name + ".raw", std::string(pixels.begin(), pixels.end()));
  giffiles::AddEntry("{\"kind\": \"indices\", \"file\": " + giffiles::Quote(name + ".gif") +
                     ", \"raw\": " + giffiles::Quote(name + ".raw") +
                     ", \"width\": " + std::to_string(width) +
                     ", \"height\": " + std::to_string(height) +
                     ", \"magick\": " + (magick ? "true" : "false") +
                     ", \"palette\": " + giffiles::PaletteJson(TestPalette(colors)) + "}");
}

const char* CoderName(int compression) { return compression == 1 ? "rle" : "lzw"; }

TEST(GifEncoderFiles, EveryTableSizeWithBothCoders) {
  for (int compression : {0, 1}) {
    for (int colors = 2; colors <= 256; ++colors) {
      std::string name = std::string(CoderName(compression)) + "-colors-" + std::to_string(colors);
      // Noise in the upper half, runs in the lower: both the table and the run codes work.
      std::vector<std::uint8_t> pixels = giffiles::Noise(37, 12, colors, 977u * colors);
      std::vector<std::uint8_t> runs = giffiles::Runs(37, 11, colors, 31u * colors);
      pixels.insert(pixels.end(), runs.begin(), runs.end());
      bool magick = (colors & (colors - 1)) == 0 || ((colors - 1) & (colors - 2)) == 0;
      WriteCase(name, compression, colors, pixels, 37, 23, colors % 3 == 0, magick);
    }
  }
}

TEST(GifEncoderFiles, ShapesAndContents) {
  struct Shape {
    const char* name;
    int width, height;
  };
  const Shape shapes[] = {{"1x1", 1, 1},   {"1x97", 1, 97},  {"97x1", 97, 1},  {"333x77", 333, 77},
                          {"2x5", 2, 5},   {"255x3", 255, 3}, {"64x9", 64, 9}};
  for (int compression : {0, 1})
    for (bool interlaced : {false, true})
      for (const Shape& s : shapes) {
        std::string base = std::string(CoderName(compression)) + (interlaced ? "-il-" : "-") + s.name;
        WriteCase(base + "-noise", compression, 16, giffiles::Noise(s.width, s.height, 16, 5),
                  s.width, s.height, interlaced, true);
        WriteCase(base + "-runs", compression, 200, giffiles::Runs(s.width, s.height, 200, 9),
                  s.width, s.height, interlaced, false);
        WriteCase(base + "-gradient", compression, 256, giffiles::Gradient(s.width, s.height, 256),
                  s.width, s.height, interlaced, false);
        WriteCase(base + "-flat", compression, 4,
                  std::vector<std::uint8_t>(static_cast<size_t>(s.width) * s.height, 3), s.width,
                  s.height, interlaced, false);
      }
}

// Thousands of table clears (LZW) and run tables (run-length) in one frame.
TEST(GifEncoderFiles, LargeFrames) {
  const int w = 4000, h = 3000;
  WriteCase("large-lzw-noise", 0, 256, giffiles::Noise(w, h, 256, 77), w, h, false, true);
  WriteCase("large-lzw-il-gradient", 0, 256, giffiles::Gradient(w, h, 256), w, h, true, false);
  WriteCase("large-rle-il-runs", 1, 64, giffiles::Runs(w, h, 64, 3), w, h, true, true);
  WriteCase("large-rle-noise", 1, 7, giffiles::Noise(w, h, 7, 8), w, h, false, false);
}

TEST(GifEncoderStream, EmptyFrameHoldsOnlyTheEndCode) {
  for (int compression : {0, 1}) {
    std::string data = ImageData(compression, 2, {}, 0, 0, false);
    // Code size 2 (raised from 1): the end code 5 in 3 bits fits one byte.
    SubBlocks blocks = ParseSubBlocks(data);
    EXPECT_EQ(blocks.codeSize, 2);
    ASSERT_EQ(blocks.lengths, std::vector<int>{1});
    EXPECT_EQ(static_cast<std::uint8_t>(data[2]), 5);
    EXPECT_TRUE(blocks.terminated);
  }
}

TEST(GifEncoderStream, OnePixelIsClearPixelEnd) {
  // Code size 2: clear 4, pixel 1, end 5, three bits each, least significant bit first.
  std::string data = ImageData(0, 4, {1}, 1, 1, false);
  SubBlocks blocks = ParseSubBlocks(data);
  ASSERT_EQ(blocks.lengths, std::vector<int>{2});
  unsigned bits = static_cast<std::uint8_t>(data[2]) | static_cast<std::uint8_t>(data[3]) << 8;
  EXPECT_EQ(bits & 7, 4u);
  EXPECT_EQ((bits >> 3) & 7, 1u);
  EXPECT_EQ((bits >> 6) & 7, 5u);
  EXPECT_EQ(bits >> 9, 0u);
}

TEST(GifEncoderStream, PixelOutsideTheTableFailsOnBothCoders) {
  for (int compression : {0, 1}) {
    for (size_t bad : {size_t{0}, size_t{500}}) {
      std::vector<std::uint8_t> pixels(1000, 2);
      pixels[bad] = 5;  // the table has 5 colours: 0..4
      TStringStream stream;
      try {
        CreateGifEncoder(compression, nullptr)->Compress(&stream, 3, 5, pixels.data(), false, 10, 100);
        ADD_FAILURE() << "no error for a pixel past the table";
      } catch (const EGifError& e) {
        EXPECT_EQ(e.GetMessage(), "Color not in color table");
      }
      // No terminator follows the data written so far.
      SubBlocks blocks = ParseSubBlocks(stream.GetDataString());
      EXPECT_FALSE(blocks.terminated);
    }
  }
}

TEST(GifEncoderStream, DataEndingOnABlockBoundaryHasNoEmptyBlock) {
  // Grow a flat frame until the coded data fills whole sub-blocks exactly.
  bool met = false;
  for (int width = 1; width < 20000 && !met; ++width) {
    std::vector<std::uint8_t> pixels(static_cast<size_t>(width) * 4);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint8_t>(i * 7919 % 251);
    std::string data = ImageData(0, 256, pixels, width, 4, false);
    SubBlocks blocks = ParseSubBlocks(data);
    ASSERT_TRUE(blocks.terminated);
    for (int length : blocks.lengths) ASSERT_GT(length, 0);
    met = blocks.lengths.back() == 255;
  }
  EXPECT_TRUE(met) << "no frame size ended on a block boundary";
}

TEST(GifEncoderStream, WriterRefusesReadingAndSeeking) {
  TStringStream destination;
  TGifWriter writer(&destination, nullptr);
  char byte = 0;
  EXPECT_THROW(writer.Read(&byte, 1), EGifError);
  EXPECT_THROW(writer.Seek(0, soBeginning), EGifError);
  TGifStream plain(&destination, nullptr);
  EXPECT_THROW(plain.Write(&byte, 1), EGifError);
}

TEST(GifEncoderStream, WriterCutsSubBlocksOf255) {
  TStringStream destination;
  {
    TGifWriter writer(&destination, nullptr);
    std::string data(600, 'x');
    writer.Write(data.data(), 300);
    writer.Write(data.data(), 300);
    writer.Finish();
  }
  std::string out = destination.GetDataString();
  ASSERT_EQ(out.size(), 603u);
  EXPECT_EQ(static_cast<std::uint8_t>(out[0]), 255);
  EXPECT_EQ(static_cast<std::uint8_t>(out[256]), 255);
  EXPECT_EQ(static_cast<std::uint8_t>(out[512]), 90);
}

}  // namespace
