// Saving a text as a picture: the format by name, the format's limits and memory checked before
// anything is drawn, and the messages for each failure.
#include <gtest/gtest.h>

#include "classlib/Classes.h"
#include "classlib/Jpeg.h"
#include "engine/u_TextPicture.h"

namespace {

std::wstring Lines(int count, const std::wstring& line) {
  std::wstring text;
  for (int i = 0; i < count; ++i) text += (i ? L"\r\n" : L"") + line;
  return text;
}

TEST(TextPicture, TheLastExtensionInAnyCaseChoosesTheFormat) {
  struct Case {
    const wchar_t* name;
    TPictureFormat format;
  };
  for (const Case& c : {Case{L"index.bmp", TPictureFormat::Bmp},
                        Case{L"C:\\a\\Index.JpEg", TPictureFormat::Jpeg},
                        Case{L"index.JPG", TPictureFormat::Jpeg},
                        Case{L"index.gif", TPictureFormat::Gif},
                        Case{L"index.txt.bmp", TPictureFormat::Bmp},
                        Case{L"index.bmp.txt", TPictureFormat::None},
                        Case{L"C:\\pictures.bmp\\index", TPictureFormat::None},
                        Case{L"index", TPictureFormat::None}})
    EXPECT_EQ(PictureFormatOf(c.name), c.format) << c.name;
}

TEST(TextPicture, RefusesAJpegTallerThanTheFormatAllowsButWritesTheBitmap) {
  TFont* font = PictureOutput().GetFont();
  std::wstring text = Lines(6000, L"x");
  TPictureSize size = MeasureTextPicture(text, font);
  ASSERT_GT(size.Height, kMaxJpegSide);

  std::string bytes = "left over";
  TPictureError error;
  EXPECT_FALSE(MakeTextPicture(text, TPictureFormat::Jpeg, font, clWhite, bytes, error));
  EXPECT_EQ(error.Failure, TPictureFailure::TooLarge);
  EXPECT_EQ(error.Height, size.Height);
  EXPECT_EQ(error.MaxSide, kMaxJpegSide);
  EXPECT_TRUE(bytes.empty());
  std::wstring english = PictureErrorMessage(error, "en");
  EXPECT_NE(english.find(L"65500"), std::wstring::npos);
  EXPECT_NE(english.find(std::to_wstring(size.Height)), std::wstring::npos);
  EXPECT_NE(english.find(L"Nothing was saved"), std::wstring::npos);
  EXPECT_NE(PictureErrorMessage(error, "de").find(L"Es wurde nichts gespeichert"), std::wstring::npos);

  ASSERT_TRUE(MakeTextPicture(text, TPictureFormat::Bmp, font, clWhite, bytes, error));
  TStringStream in(bytes);
  TBitmap bitmap;
  bitmap.LoadFromStream(&in);
  EXPECT_EQ(bitmap.GetHeight(), size.Height);
  EXPECT_EQ(bitmap.GetWidth(), size.Width);
}

TEST(TextPicture, RefusesAPictureTooLargeToHoldBeforeDrawingIt) {
  TFont font;
  font.SetName("Courier New");
  font.SetHeight(-600);
  std::wstring text = Lines(100, std::wstring(120, L'W'));
  TPictureSize size = MeasureTextPicture(text, &font);
  ASSERT_GT(size.Width * size.Height * 3, 0x7FFFFFFFLL);
  std::string bytes;
  TPictureError error;
  EXPECT_FALSE(MakeTextPicture(text, TPictureFormat::Bmp, &font, clWhite, bytes, error));
  EXPECT_EQ(error.Failure, TPictureFailure::OutOfMemory);
  EXPECT_NE(PictureErrorMessage(error, "en").find(L"not enough memory"), std::wstring::npos);
}

TEST(TextPicture, GifsRefuseSidesBeyondTheirSixteenBitFields) {
  std::wstring text = Lines(6000, L"Apfel: 1");
  TPictureSize size = MeasureTextPicture(text, PictureOutput().GetFont());
  ASSERT_GT(size.Height, 65535);
  std::string bytes;
  TPictureError error;
  EXPECT_FALSE(MakeTextPicture(text, TPictureFormat::Gif, PictureOutput().GetFont(), clWhite,
                               bytes, error));
  EXPECT_EQ(error.Failure, TPictureFailure::TooLarge);
  EXPECT_EQ(error.MaxSide, 65535);
  EXPECT_TRUE(bytes.empty());
}

TEST(TextPicture, JpegsDecodeToTheMeasuredSize) {
  std::wstring text = L"Index\r\nApfel: 1, 2\r\n";
  TPictureSize size = MeasureTextPicture(text, PictureOutput().GetFont());
  std::string bytes;
  TPictureError error;
  ASSERT_TRUE(MakeTextPicture(text, TPictureFormat::Jpeg, PictureOutput().GetFont(), clWhite,
                              bytes, error));
  TStringStream in(bytes);
  TJPEGImage jpeg;
  jpeg.LoadFromStream(&in);
  EXPECT_EQ(jpeg.GetWidth(), size.Width);
  EXPECT_EQ(jpeg.GetHeight(), size.Height);
  EXPECT_EQ(size.Height, 3 * size.LineHeight + 20);  // a final CR LF gives a last, empty line
}

}  // namespace
