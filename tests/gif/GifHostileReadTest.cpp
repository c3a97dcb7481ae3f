// Reading damaged and hostile GIF streams through the picture: every cut of real files, code
// sizes outside the range, huge descriptors with tiny data, sub-blocks that claim too much and
// the short body whose codes once made the decoder loop. Never a crash, a hang or an
// allocation the data does not justify; errors are EGifError and leave the stream where it was.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <typeinfo>
#include <vector>

#include "GifFilesOutput.h"
#include "GifTestSupport.h"
#include "classlib/Classes.h"
#include "gif/GifPicture.h"
#include "support/TestSupport.h"

namespace {

using giftest::FourPixels;
using giftest::Put16;
using giftest::Warnings;

struct Outcome {
  bool loaded = false;
  std::string error;
  std::vector<std::string> warnings;
  int frames = 0;
  std::int64_t position = -1;  // after an error
  std::vector<std::vector<std::uint8_t>> pixels;
};

Outcome Load(const std::string& bytes) {
  Outcome o;
  TStringStream stream(bytes);
  TGifPicture picture;
  Warnings warnings;
  picture.SetOnWarning(TGifWarning(&warnings, &Warnings::OnWarning));
  try {
    picture.LoadFromStream(&stream);
    o.loaded = true;
  } catch (const EGifError& e) {
    o.error = e.GetMessage();
    o.position = stream.GetPosition();
  }
  o.warnings = warnings.messages;
  o.frames = picture.GetImages()->GetCount();
  for (int i = 0; i < o.frames; ++i) {
    TGifFrame* frame = picture.GetImages()->GetFrame(i);
    const std::uint8_t* data = frame->GetData();
    o.pixels.emplace_back(data, data + frame->GetDataSize());
  }
  return o;
}

// "GIF89a", a screen of the frame's size without a global table, one frame with a local table
// of four colours, the given image data, and the trailer.
std::string OneFrame(int width, int height, const std::string& imageData, bool trailer = true) {
  std::string gif = "GIF89a";
  Put16(gif, width);
  Put16(gif, height);
  gif += std::string("\x00\x00\x00", 3);
  gif += ',';
  Put16(gif, 0);
  Put16(gif, 0);
  Put16(gif, width);
  Put16(gif, height);
  gif += static_cast<char>(0x81);
  gif += std::string("\x00\x00\x00\xFF\xFF\xFF\xFF\x00\x00\x00\xFF\x00", 12);
  gif += imageData;
  if (trailer) gif += ';';
  return gif;
}

TEST(GifHostileRead, EveryCutOfRealFilesLoadsWhatItCanOrFailsCleanly) {
  std::string folder = testsupport::ExeFolder() + "gif-pillow\\";
  int files = 0;
  for (const char* name : giftest::kPillowPictures) {
    std::string whole = testsupport::ReadBytes(folder + name + ".gif");
    if (whole.empty()) continue;
    ++files;
    Outcome full = Load(whole);
    ASSERT_TRUE(full.loaded) << name << ": " << full.error;
    for (size_t cut = 0; cut < whole.size(); ++cut) {
      Outcome o = Load(whole.substr(0, cut));
      ASSERT_LE(o.frames, full.frames) << name << " cut at " << cut;
      if (!o.loaded) {
        EXPECT_EQ(o.position, 0) << name << " cut at " << cut;
        continue;
      }
      // A frame read is whole in size (the pixels the cut left out keep their fill value), or
      // it is only the extensions that stood before the cut.
      for (int f = 0; f < o.frames; ++f) {
        size_t size = o.pixels[static_cast<size_t>(f)].size();
        ASSERT_TRUE(size == 0 || size == full.pixels[static_cast<size_t>(f)].size())
            << name << " cut at " << cut << " frame " << f;
      }
    }
  }
  EXPECT_EQ(files, 5) << "Pillow's pictures missing in " << folder;
}

TEST(GifHostileRead, MutatedFilesLoadOrFailWithTheCodecsError) {
  std::string folder = testsupport::ExeFolder() + "gif-pillow\\";
  std::mt19937 random(2024);
  int tried = 0;
  for (const char* name : giftest::kPillowPictures) {
    std::string whole = testsupport::ReadBytes(folder + name + ".gif");
    if (whole.empty()) continue;
    for (int round = 0; round < 400; ++round, ++tried) {
      std::string bytes = whole;
      for (int flips = 1 + static_cast<int>(random() % 4); flips > 0; --flips) {
        size_t at = random() % bytes.size();
        switch (random() % 3) {
          case 0: bytes[at] = static_cast<char>(random()); break;
          case 1: bytes[at] = static_cast<char>(bytes[at] ^ (1 << (random() % 8))); break;
          default: bytes.insert(at, 1, static_cast<char>(random() % 2 ? 0 : 0xFF)); break;
        }
      }
      try {
        Load(bytes);  // EGifError is caught there; anything else fails the test
      } catch (const std::exception& e) {
        ADD_FAILURE() << name << " round " << round << ": " << typeid(e).name() << " " << e.what();
      }
    }
  }
  EXPECT_EQ(tried, 2000);
}

// Damaged files that load are saved as sound files: check_gif_files.py has Pillow and
// ImageMagick read every one of them back, frame by frame.
TEST(GifHostileRead, DamagedFilesThatLoadAreSavedAsFilesOtherReadersRead) {
  std::string folder = testsupport::ExeFolder() + "gif-pillow\\";
  std::mt19937 random(7);
  int saved = 0;
  for (const char* name : giftest::kPillowPictures) {
    std::string whole = testsupport::ReadBytes(folder + name + ".gif");
    ASSERT_FALSE(whole.empty()) << name;
    for (int round = 0; round < 40; ++round) {
      std::string bytes = whole;
      for (int flips = 1 + static_cast<int>(random() % 3); flips > 0; --flips)
        bytes[random() % bytes.size()] = static_cast<char>(random());
      TStringStream stream(bytes);
      TGifPicture picture;
      try {
        picture.LoadFromStream(&stream);
      } catch (const EGifError&) {
        continue;  // refused
      }
      int frames = 0;
      for (int i = 0; i < picture.GetImages()->GetCount(); ++i) frames += picture.GetImages()->GetFrame(i)->GetEmpty() ? 0 : 1;
      if (frames == 0 || picture.GetWidth() > 2000 || picture.GetHeight() > 2000) continue;
      TStringStream out;
      ASSERT_NO_THROW(picture.SaveToStream(&out)) << name << " round " << round;
      const std::string file = std::string("damaged-") + name + "-" + std::to_string(round) + ".gif";
      giffiles::WriteFile(file, out.GetDataString());
      giffiles::AddEntry("{\"kind\": \"resaved\", \"file\": " + giffiles::Quote(file) +
                         ", \"frames\": " + std::to_string(frames) + "}");
      ++saved;
    }
  }
  EXPECT_GT(saved, 50);
}

TEST(GifHostileRead, CodeSizesOutsideOneToEightAreCorruptData) {
  Outcome good = Load(OneFrame(2, 2, FourPixels()));
  ASSERT_TRUE(good.loaded) << good.error;
  EXPECT_EQ(good.pixels[0], (std::vector<std::uint8_t>{1, 2, 3, 0}));
  for (int size : {0, 9, 12, 255}) {
    std::string data = FourPixels();
    data[0] = static_cast<char>(size);
    Outcome o = Load(OneFrame(2, 2, data));
    EXPECT_FALSE(o.loaded) << size;
    EXPECT_EQ(o.error, "Invalid GIF data") << size;
    EXPECT_EQ(o.position, 0);
  }
  // Code size 1: clear 2, end 3; the pixels 1 and 0, then the end code.
  std::uint32_t bits = 2 | 1 << 2 | 0 << 4 | 3 << 6;
  Outcome one = Load(OneFrame(2, 1, std::string("\x01\x02", 2) + static_cast<char>(bits & 255) +
                                       static_cast<char>(bits >> 8) + std::string(1, '\0')));
  ASSERT_TRUE(one.loaded) << one.error;
  EXPECT_EQ(one.pixels[0], (std::vector<std::uint8_t>{1, 0}));
  EXPECT_TRUE(one.warnings.empty());
}

TEST(GifHostileRead, HugeDescriptorWithTinyDataIsRefusedWithoutAllocating) {
  Outcome o = Load(OneFrame(65535, 65535, FourPixels()));
  EXPECT_FALSE(o.loaded);
  EXPECT_EQ(o.error, "Image too large to load");
  EXPECT_EQ(o.position, 0);
  // A frame of width 0 takes the screen's size: the same refusal.
  std::string zero = OneFrame(65535, 65535, FourPixels());
  zero[13 + 5] = zero[13 + 6] = 0;
  o = Load(zero);
  EXPECT_EQ(o.error, "Image too large to load");
}

TEST(GifHostileRead, SubBlocksThatClaimTooMuchAndMissingTrailers) {
  std::string data = FourPixels();
  data[1] = static_cast<char>(200);  // claims 200 bytes, the stream holds 4 more
  Outcome o = Load(OneFrame(2, 2, data, false));
  ASSERT_TRUE(o.loaded) << o.error;
  EXPECT_EQ(o.pixels[0], (std::vector<std::uint8_t>{1, 2, 3, 0}));
  EXPECT_NE(std::find(o.warnings.begin(), o.warnings.end(), "Premature end of data"), o.warnings.end());

  o = Load(OneFrame(2, 2, FourPixels(), false));
  ASSERT_TRUE(o.loaded);
  EXPECT_TRUE(o.warnings.empty());
  o = Load(OneFrame(2, 2, FourPixels(), false) + "\x3A");
  ASSERT_TRUE(o.loaded);
  EXPECT_NE(std::find(o.warnings.begin(), o.warnings.end(), "Invalid Image trailer"), o.warnings.end());
}

// A descriptor of width or height 0 takes the screen's size, which may be 0 too: the frame has
// no pixels, but its image data is read all the same, so that the next frame is found.
TEST(GifHostileRead, AFrameWithoutPixelsStillConsumesItsImageData) {
  std::string gif = "GIF89a";
  Put16(gif, 0);
  Put16(gif, 0);
  gif += std::string("\x00\x00\x00", 3);
  gif += ',';
  for (int side : {0, 0, 0, 0}) Put16(gif, side);
  gif += static_cast<char>(0x80);  // a local table of two colours
  gif += std::string("\x00\x00\x00\xFF\xFF\xFF", 6);
  std::uint32_t clearThenEnd = 4 | 5 << 3;
  gif += std::string("\x02\x01", 2) + static_cast<char>(clearThenEnd) + std::string(1, '\0');
  const std::string second = OneFrame(2, 2, FourPixels());
  gif += second.substr(13);  // its descriptor, table, data and the trailer
  Outcome o = Load(gif);
  ASSERT_TRUE(o.loaded) << o.error;
  ASSERT_EQ(o.frames, 2);
  EXPECT_TRUE(o.pixels[0].empty());
  EXPECT_EQ(o.pixels[1], (std::vector<std::uint8_t>{1, 2, 3, 0}));
  EXPECT_EQ(o.warnings, (std::vector<std::string>{"Image exceeds Logical Screen size"}));
}

TEST(GifHostileRead, SevenByteBodyWithRunawayCodesFailsAtOnce) {
  // Code size 2, one sub-block of 4 bytes: clear, pixel 0, then codes 7 while 6 is the next
  // free entry.
  std::uint32_t bits = 4 | 0 << 3 | 7 << 6 | 7 << 9 | 7 << 12 | 7 << 15 | 7 << 18 | 7 << 21;
  std::string body = std::string("\x02\x04", 2);
  for (int i = 0; i < 4; ++i) body += static_cast<char>((bits >> (8 * i)) & 255);
  body += '\0';
  ASSERT_EQ(body.size(), 7u);
  Outcome o = Load(OneFrame(100, 100, body));
  EXPECT_FALSE(o.loaded);
  EXPECT_EQ(o.error, "Invalid GIF data");
  // A first code after a clear that is no pixel, and an end code right after a clear.
  std::uint32_t notPixel = 4 | 6 << 3;
  o = Load(OneFrame(2, 2, std::string("\x02\x01", 2) + static_cast<char>(notPixel) + std::string(1, '\0')));
  EXPECT_EQ(o.error, "Invalid GIF data");
  std::uint32_t endAfterClear = 4 | 5 << 3;
  o = Load(OneFrame(2, 2, std::string("\x02\x01", 2) + static_cast<char>(endAfterClear) + std::string(1, '\0')));
  ASSERT_TRUE(o.loaded) << o.error;
  EXPECT_EQ(o.pixels[0], (std::vector<std::uint8_t>(4, 0)));
}

}  // namespace
