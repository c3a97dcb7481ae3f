// The image data reader: frames that Pillow, ImageMagick and our own coders encode decode to
// their indices; codes spanning sub-blocks, cut data and hostile codes are handled safely.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "classlib/Streams.h"
#include "gif/GifDecoder.h"
#include "gif/GifEncoder.h"
#include "support/TestSupport.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Decoded {
  Bytes pixels;
  std::vector<std::string> warnings;
  std::int64_t left = 0;  // bytes of the stream not read
};

Decoded Decode(const Bytes& data, int width, int height, bool interlaced, std::uint8_t fill = 0) {
  Decoded d;
  d.pixels = AllocateFramePixels(width, height, fill);
  TGifMemorySource source(data.data(), data.size());
  DecodeImageData(source, d.pixels.data(), width, height, interlaced,
                  [&d](const char* message) { d.warnings.push_back(message); });
  d.left = source.Remaining();
  return d;
}

// Image data as our coders write it (1 = run-length, else LZW).
Bytes Encode(int compression, int codeSize, int colors, const Bytes& pixels, int width,
             int height, bool interlaced) {
  TStringStream stream;
  CreateGifEncoder(compression, nullptr)
      ->Compress(&stream, codeSize, colors, pixels.data(), interlaced, height, width);
  const std::string& s = stream.GetDataString();
  return Bytes(s.begin(), s.end());
}

Bytes Noise(int count, int colors, unsigned seed) {
  std::mt19937 random(seed);
  Bytes pixels(static_cast<size_t>(count));
  for (auto& p : pixels) p = static_cast<std::uint8_t>(random() % static_cast<unsigned>(colors));
  return pixels;
}

// Codes packed least significant bit first, each with its own width, in one sub-block run of
// the given block size, with the code size byte in front and the terminator behind.
Bytes Packed(int codeSize, const std::vector<std::pair<int, int>>& codes, size_t blockSize = 255,
             bool terminator = true) {
  Bytes data;
  std::uint32_t bits = 0;
  int count = 0;
  for (auto [code, width] : codes) {
    bits |= static_cast<std::uint32_t>(code) << count;
    count += width;
    while (count >= 8) {
      data.push_back(static_cast<std::uint8_t>(bits));
      bits >>= 8;
      count -= 8;
    }
  }
  if (count) data.push_back(static_cast<std::uint8_t>(bits));
  Bytes out{static_cast<std::uint8_t>(codeSize)};
  for (size_t i = 0; i < data.size(); i += blockSize) {
    size_t n = std::min(blockSize, data.size() - i);
    out.push_back(static_cast<std::uint8_t>(n));
    out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(i),
               data.begin() + static_cast<std::ptrdiff_t>(i + n));
  }
  if (terminator) out.push_back(0);
  return out;
}

// The same image data cut into sub-blocks of another size.
Bytes Reblocked(const Bytes& data, size_t blockSize) {
  Bytes payload;
  size_t pos = 1;
  while (pos < data.size() && data[pos]) {
    payload.insert(payload.end(), data.begin() + static_cast<std::ptrdiff_t>(pos + 1),
                   data.begin() + static_cast<std::ptrdiff_t>(pos + 1 + data[pos]));
    pos += data[pos] + 1u;
  }
  Bytes out{data[0]};
  for (size_t i = 0; i < payload.size(); i += blockSize) {
    size_t n = std::min(blockSize, payload.size() - i);
    out.push_back(static_cast<std::uint8_t>(n));
    out.insert(out.end(), payload.begin() + static_cast<std::ptrdiff_t>(i),
               payload.begin() + static_cast<std::ptrdiff_t>(i + n));
  }
  out.push_back(0);
  return out;
}

std::string Message(const std::function<void()>& run) {
  try {
    run();
  } catch (const EGifDecodeError& e) {
    return e.what();
  }
  return "";
}

// ---------------------------------------------------------------------------------------------

TEST(ImageDataReader, DecodesFramesOfIndependentEncoders) {
  std::string folder = testsupport::ExeFolder() + "gif-frames\\";
  int frames = 0;
  for (;; ++frames) {
    char name[32];
    std::snprintf(name, sizeof name, "frame-%02d", frames);
    std::string bin = testsupport::ReadBytes(folder + name + ".bin");
    if (bin.empty()) break;
    std::string pix = testsupport::ReadBytes(folder + name + ".pix");
    int width = static_cast<std::uint8_t>(bin[0]) | static_cast<std::uint8_t>(bin[1]) << 8;
    int height = static_cast<std::uint8_t>(bin[2]) | static_cast<std::uint8_t>(bin[3]) << 8;
    bool interlaced = bin[4] & 1;
    Bytes data(bin.begin() + 5, bin.end());
    data.push_back(';');
    Decoded d = Decode(data, width, height, interlaced, 0xEE);
    ASSERT_EQ(d.pixels.size(), pix.size()) << name;
    EXPECT_TRUE(std::equal(d.pixels.begin(), d.pixels.end(),
                           reinterpret_cast<const std::uint8_t*>(pix.data())))
        << name << " " << width << "x" << height << (interlaced ? " interlaced" : "");
    EXPECT_TRUE(d.warnings.empty()) << name;
    EXPECT_EQ(d.left, 1) << name << ": the reader stops after the block terminator";
  }
  EXPECT_GE(frames, 30) << "reference frames missing in " << folder;
}

TEST(ImageDataReader, DecodesOurCodersAtEveryCodeSizeAndShape) {
  struct Shape {
    int width, height;
  } shapes[] = {{1, 1}, {1, 37}, {41, 1}, {17, 9}, {255, 3}};
  for (int compression : {0, 1})
    for (int codeSize = 2; codeSize <= 8; ++codeSize)
      for (const Shape& s : shapes)
        for (bool interlaced : {false, true}) {
          int colors = codeSize == 2 ? 3 : 1 << codeSize;
          Bytes pixels = Noise(s.width * s.height, colors, static_cast<unsigned>(codeSize * 7 + s.width));
          Bytes data = Encode(compression, codeSize, colors, pixels, s.width, s.height, interlaced);
          Decoded d = Decode(data, s.width, s.height, interlaced);
          ASSERT_EQ(d.pixels, pixels) << compression << " " << codeSize << " " << s.width << "x"
                                      << s.height << " " << interlaced;
          EXPECT_TRUE(d.warnings.empty());
          EXPECT_EQ(d.left, 0);
        }
}

TEST(ImageDataReader, LargeFrameWithManyTableResets) {
  const int width = 4000, height = 3000;
  Bytes pixels = Noise(width * height, 256, 4);
  for (int i = 0; i < width * height; i += 97) pixels[static_cast<size_t>(i)] = 7;  // some strings repeat
  Bytes data = Encode(0, 8, 256, pixels, width, height, false);
  Decoded d = Decode(data, width, height, false);
  EXPECT_TRUE(d.pixels == pixels);
  EXPECT_TRUE(d.warnings.empty());
}

TEST(ImageDataReader, CodesSpanningSubBlocksOfAnySize) {
  Bytes pixels = Noise(63 * 29, 32, 8);
  Bytes data = Encode(0, 5, 32, pixels, 63, 29, true);
  for (size_t blockSize : {1u, 2u, 3u, 7u, 254u}) {
    Decoded d = Decode(Reblocked(data, blockSize), 63, 29, true);
    EXPECT_EQ(d.pixels, pixels) << blockSize;
    EXPECT_EQ(d.left, 0) << blockSize;
  }
}

TEST(ImageDataReader, InterlacedRowsFollowThePasses) {
  // Height 3, one pixel per row: the stream holds rows 0, 2, 1.
  Bytes data = Packed(2, {{4, 3}, {0, 3}, {1, 3}, {2, 3}, {5, 4}});
  Decoded d = Decode(data, 1, 3, true);
  EXPECT_EQ(d.pixels, (Bytes{0, 2, 1}));
  d = Decode(data, 1, 3, false);
  EXPECT_EQ(d.pixels, (Bytes{0, 1, 2}));
}

TEST(ImageDataReader, CutDataKeepsWhatWasDecodedAndNeverFails) {
  const int width = 23, height = 11;
  Bytes pixels = Noise(width * height, 16, 12);
  for (bool interlaced : {false, true}) {
    Bytes data = Encode(0, 4, 16, pixels, width, height, interlaced);
    Bytes order(static_cast<size_t>(width * height));  // stream position -> pixel index
    {
      Bytes rows;
      if (interlaced) {
        for (int start : {0, 4, 2, 1})
          for (int y = start; y < height; y += start == 0 ? 8 : start == 4 ? 8 : start == 2 ? 4 : 2)
            rows.push_back(static_cast<std::uint8_t>(y));
      } else {
        for (int y = 0; y < height; ++y) rows.push_back(static_cast<std::uint8_t>(y));
      }
      std::vector<int> positions;
      for (auto y : rows)
        for (int x = 0; x < width; ++x) positions.push_back(y * width + x);
      for (size_t cut = 0; cut < data.size(); ++cut) {
        Bytes part(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(cut));
        Decoded d;
        ASSERT_NO_THROW(d = Decode(part, width, height, interlaced, 0xAA)) << cut;
        // A prefix of the stream order is decoded, the rest keeps the fill value.
        size_t k = 0;
        while (k < positions.size() && d.pixels[static_cast<size_t>(positions[k])] ==
                                           pixels[static_cast<size_t>(positions[k])])
          ++k;
        for (size_t i = k; i < positions.size(); ++i)
          ASSERT_EQ(d.pixels[static_cast<size_t>(positions[i])], 0xAA) << "cut " << cut << " at " << i;
        EXPECT_EQ(d.left, 0);
      }
    }
  }
}

TEST(ImageDataReader, SubBlockBeyondTheEndAndMissingTerminatorWarn) {
  Bytes pixels = Noise(40 * 10, 4, 2);
  Bytes data = Encode(0, 2, 4, pixels, 40, 10, false);
  // The first sub-block claims 200 bytes more than the stream holds.
  Bytes claimed = data;
  claimed.pop_back();
  claimed[1] = static_cast<std::uint8_t>(std::min(255, claimed[1] + 200));
  Decoded d = Decode(claimed, 40, 10, false, 9);
  ASSERT_FALSE(d.warnings.empty());
  EXPECT_EQ(d.warnings[0], "Premature end of data");
  EXPECT_EQ(d.left, 0);
  // Data that stops at a zero-length block before the last pixel.
  Bytes early = Packed(2, {{4, 3}, {1, 3}, {2, 3}});
  d = Decode(early, 4, 4, false, 9);
  EXPECT_EQ(d.pixels[0], 1);
  EXPECT_EQ(d.pixels[1], 2);
  EXPECT_EQ(d.pixels[15], 9);
  EXPECT_EQ(d.warnings, std::vector<std::string>{"Decoder bit buffer under-run"});
  // The same without its terminator: the stream ends, no warning.
  d = Decode(Packed(2, {{4, 3}, {1, 3}, {2, 3}}, 255, false), 4, 4, false, 9);
  EXPECT_TRUE(d.warnings.empty());
  EXPECT_EQ(d.pixels[1], 2);
  EXPECT_EQ(d.pixels[15], 9);
}

TEST(ImageDataReader, CorruptCodesAreRefused) {
  auto decode = [](const Bytes& data) { return Message([&] { Decode(data, 8, 8, false); }); };
  // A code beyond the next free entry (6 is next), and a first code that is no pixel.
  EXPECT_EQ(decode(Packed(2, {{4, 3}, {0, 3}, {7, 3}})), "Invalid GIF data");
  EXPECT_EQ(decode(Packed(2, {{0, 3}, {1, 3}, {4, 3}, {7, 3}})), "Invalid GIF data");
  // Random garbage after a valid start: either decodes or is refused, never anything else.
  std::mt19937 random(77);
  for (int round = 0; round < 2000; ++round) {
    Bytes data{static_cast<std::uint8_t>(1 + round % 8), 254};
    for (int i = 0; i < 254; ++i) data.push_back(static_cast<std::uint8_t>(random()));
    data.push_back(0);
    std::string message = decode(data);
    EXPECT_TRUE(message.empty() || message == "Invalid GIF data") << message;
  }
}

TEST(ImageDataReader, CodesAfterTheLastPixelAreSkippedToTheTerminator) {
  // Two pixels, then more codes and a second sub-block, then the trailer.
  Bytes data = Packed(2, {{4, 3}, {1, 3}, {2, 3}, {3, 3}, {0, 3}, {7, 4}}, 1);
  data.push_back(';');
  Decoded d = Decode(data, 2, 1, false);
  EXPECT_EQ(d.pixels, (Bytes{1, 2}));
  EXPECT_EQ(d.left, 1);
}

TEST(FramePixels, SizesAreCheckedInSixtyFourBits) {
  EXPECT_EQ(Message([] { AllocateFramePixels(65535, 65535, 0); }), "Image too large to load");
  EXPECT_EQ(Message([] { AllocateFramePixels(-1, 5, 0); }), "Image too large to load");
  EXPECT_EQ(Message([] { AllocateFramePixels(65535, 40000, 0); }), "Image too large to load");
  EXPECT_EQ(Message([] { AllocateFramePixels(20000, 20000, 0); }), "Image too large to load");
  EXPECT_EQ(Message([] { AllocateFramePixels(5, 4, 0, 19); }), "Image too large to load");
  EXPECT_TRUE(AllocateFramePixels(0, 0, 0).empty());
  Bytes small = AllocateFramePixels(3, 2, 4);
  EXPECT_EQ(small, Bytes(6, 4));
}

}  // namespace
