// JPEG pictures: encoding bitmaps, decoding streams, and libjpeg's errors as exceptions.
#include <gtest/gtest.h>

#include <cstdlib>

#include "classlib/Classes.h"
#include "classlib/Jpeg.h"

namespace {

// A 64 x 48 picture: a red-to-blue gradient with a white square in the middle.
std::unique_ptr<TBitmap> TestPicture() {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetSize(64, 48);
  for (int y = 0; y < 48; ++y) {
    auto* row = static_cast<std::uint8_t*>(bitmap->ScanLine(y));
    for (int x = 0; x < 64; ++x) {
      bool square = x >= 24 && x < 40 && y >= 16 && y < 32;
      row[3 * x] = square ? 255 : static_cast<std::uint8_t>(x * 4);       // blue
      row[3 * x + 1] = square ? 255 : 40;                                  // green
      row[3 * x + 2] = square ? 255 : static_cast<std::uint8_t>(255 - x * 4);  // red
    }
  }
  return bitmap;
}

double MeanDifference(TBitmap& a, TBitmap& b) {
  long total = 0;
  for (int y = 0; y < a.GetHeight(); ++y) {
    auto* ra = static_cast<const std::uint8_t*>(a.ScanLine(y));
    auto* rb = static_cast<const std::uint8_t*>(b.ScanLine(y));
    for (int i = 0; i < 3 * a.GetWidth(); ++i) total += std::abs(ra[i] - rb[i]);
  }
  return static_cast<double>(total) / (3.0 * a.GetWidth() * a.GetHeight());
}

std::string Compressed(TBitmap* bitmap, int quality) {
  TJPEGImage jpeg;
  jpeg.SetCompressionQuality(quality);
  jpeg.Assign(bitmap);
  TStringStream out;
  jpeg.SaveToStream(&out);
  return out.GetDataString();
}

TEST(JpegImage, EncodesABitmapThatDecodesCloseToTheOriginal) {
  auto original = TestPicture();
  std::string data = Compressed(original.get(), 85);
  ASSERT_GT(data.size(), 100u);
  EXPECT_EQ(static_cast<unsigned char>(data[0]), 0xFF);
  EXPECT_EQ(static_cast<unsigned char>(data[1]), 0xD8);

  TStringStream in(data);
  TJPEGImage jpeg;
  jpeg.LoadFromStream(&in);
  EXPECT_EQ(jpeg.GetWidth(), 64);
  EXPECT_EQ(jpeg.GetHeight(), 48);
  TBitmap decoded;
  decoded.Assign(&jpeg);
  ASSERT_EQ(decoded.GetPixelFormat(), pf24bit);
  ASSERT_EQ(decoded.GetWidth(), 64);
  EXPECT_LT(MeanDifference(*original, decoded), 4.0);
  // Row order and channel order survive: the top-left pixel is red, the square white.
  auto* top = static_cast<const std::uint8_t*>(decoded.ScanLine(0));
  EXPECT_GT(top[2], 200);
  EXPECT_LT(top[0], 40);
  auto* middle = static_cast<const std::uint8_t*>(decoded.ScanLine(24));
  EXPECT_GT(middle[3 * 32], 230);
}

TEST(JpegImage, QualityScaleAndGreyscaleShapeTheResult) {
  auto original = TestPicture();
  EXPECT_LT(Compressed(original.get(), 10).size(), Compressed(original.get(), 95).size());

  TStringStream in(Compressed(original.get(), 85));
  TJPEGImage jpeg;
  jpeg.LoadFromStream(&in);
  jpeg.SetScale(jsHalf);
  EXPECT_EQ(jpeg.GetWidth(), 32);
  EXPECT_EQ(jpeg.GetBitmap()->GetHeight(), 24);
  jpeg.SetScale(jsFullSize);
  jpeg.SetGrayscale(true);
  auto* row = static_cast<const std::uint8_t*>(jpeg.GetBitmap()->ScanLine(5));
  EXPECT_EQ(row[0], row[1]);
  EXPECT_EQ(row[1], row[2]);
}

TEST(JpegImage, LibraryErrorsBecomeExceptionsWithTheLibrarysMessage) {
  struct Case {
    std::string data;
    std::string message;
  };
  std::string truncatedHeader = Compressed(TestPicture().get(), 85).substr(0, 30);
  for (const Case& c : {Case{"BM this is no JPEG", "Not a JPEG file: starts with 0x42 0x4d"},
                        Case{"", "Empty input file"},
                        Case{truncatedHeader, ""}}) {
    TStringStream in(c.data);
    TJPEGImage jpeg;
    try {
      jpeg.LoadFromStream(&in);
      jpeg.DIBNeeded();
      ADD_FAILURE() << "accepted " << c.data.size() << " bytes";
    } catch (const EJPEG& e) {
      if (!c.message.empty()) {
        EXPECT_EQ(e.GetMessage(), c.message);
      }
      EXPECT_FALSE(e.GetMessage().empty());
    }
    EXPECT_TRUE(jpeg.GetEmpty());
  }
  // A side beyond the format's limit is refused by the encoder.
  TBitmap wide;
  wide.SetPixelFormat(pf24bit);
  wide.SetSize(65501, 1);
  TJPEGImage jpeg;
  jpeg.Assign(&wide);
  TStringStream out;
  try {
    jpeg.SaveToStream(&out);
    ADD_FAILURE() << "encoded a picture 65501 pixels wide";
  } catch (const EJPEG& e) {
    EXPECT_NE(e.GetMessage().find("65500"), std::string::npos) << e.GetMessage();
  }
  EXPECT_EQ(out.GetSize(), 0);
  // The process is still here and the library still works.
  EXPECT_GT(Compressed(TestPicture().get(), 50).size(), 100u);
}

TEST(JpegImage, AssignKeepsDataOrPictureAndRefusesResizing) {
  auto original = TestPicture();
  TJPEGImage first;
  first.Assign(original.get());
  TJPEGImage second;
  second.Assign(&first);  // not compressed yet: the picture is copied
  EXPECT_EQ(second.GetWidth(), 64);
  first.Compress();
  TJPEGImage third;
  third.Assign(&first);
  TStringStream a, b;
  first.SaveToStream(&a);
  third.SaveToStream(&b);
  EXPECT_EQ(a.GetDataString(), b.GetDataString());
  EXPECT_THROW(third.SetWidth(10), EInvalidGraphicOperation);
  third.Assign(nullptr);
  EXPECT_TRUE(third.GetEmpty());
}

}  // namespace
