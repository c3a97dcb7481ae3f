// Fonts, canvases, bitmaps, icons and the picture container.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "classlib/Classes.h"
#include "classlib/Graphics.h"
#include "classlib/Jpeg.h"
#include "support/TestSupport.h"

namespace {

// Counts the notifications of whatever it is hooked to.
struct ChangeCounter {
  int count = 0;
  void Changed(TObject*) { ++count; }
  TNotifyEvent Event() { return TNotifyEvent(this, &ChangeCounter::Changed); }
};

// The colour of a pixel of a 24-bit bitmap, read through its scan line.
TColor PixelAt(TBitmap& bitmap, int x, int y) {
  const auto* row = static_cast<const std::uint8_t*>(bitmap.ScanLine(y));
  return RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
}

std::unique_ptr<TBitmap> FilledBitmap(int width, int height, TColor color) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetSize(width, height);
  bitmap->GetCanvas()->GetBrush()->SetColor(color);
  bitmap->GetCanvas()->FillRect(RECT{0, 0, width, height});
  return bitmap;
}

TEST(Colors, SystemColoursAreLookedUpAndPlainColoursPassThrough) {
  EXPECT_EQ(ColorToRGB(clBtnFace), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(ColorToRGB(clWindowText), GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_EQ(ColorToRGB(clRed), RGB(255, 0, 0));
  EXPECT_EQ(ColorToRGB(0x00123456), 0x00123456u);
}

TEST(Font, AnnouncesEachRealChangeOnceAndMakesMatchingFontObjects) {
  TFont font;
  ChangeCounter counter;
  font.SetOnChange(counter.Event());
  font.SetName("Courier New");
  font.SetHeight(-13);
  font.SetHeight(-13);  // unchanged: no notification
  font.SetStyle(fsBold | fsItalic);
  font.SetColor(clRed);
  EXPECT_EQ(counter.count, 4);

  LOGFONTA log{};
  ASSERT_TRUE(GetObjectA(font.GetHandle(), sizeof(log), &log));
  EXPECT_STREQ(log.lfFaceName, "Courier New");
  EXPECT_EQ(log.lfHeight, -13);
  EXPECT_EQ(log.lfWeight, FW_BOLD);
  EXPECT_TRUE(log.lfItalic);

  font.SetSize(12);  // points at the screen's resolution
  EXPECT_EQ(font.GetHeight(), -MulDiv(12, font.GetPixelsPerInch(), 72));
  EXPECT_EQ(font.GetSize(), 12);
}

TEST(Font, AssignCopiesEveryAttributeWithOneNotification) {
  TFont source, target;
  source.SetName("Courier New");
  source.SetHeight(-20);
  source.SetColor(clBlue);
  source.SetStyle(fsUnderline);
  source.SetCharset(ANSI_CHARSET);
  ChangeCounter counter;
  target.SetOnChange(counter.Event());
  target.Assign(&source);
  EXPECT_EQ(counter.count, 1);
  EXPECT_EQ(target.GetName(), "Courier New");
  EXPECT_EQ(target.GetHeight(), -20);
  EXPECT_EQ(target.GetColor(), clBlue);
  EXPECT_EQ(target.GetStyle(), fsUnderline);
  EXPECT_EQ(target.GetCharset(), ANSI_CHARSET);
  TBrush brush;
  EXPECT_THROW(target.Assign(&brush), EConvertError);
}

TEST(BitmapCanvas, MeasuresTextBeforeTheBitmapHasASizeAndKeepsItsFontAcrossResizes) {
  TBitmap bitmap;
  TCanvas* canvas = bitmap.GetCanvas();
  canvas->GetFont()->SetName("Courier New");
  canvas->GetFont()->SetHeight(-11);
  int small = canvas->TextWidth("Kaptorix");
  EXPECT_GT(small, 0);
  canvas->GetFont()->SetHeight(-33);  // the canvas must pick the new font up
  int large = canvas->TextWidth("Kaptorix");
  EXPECT_GT(large, 2 * small);

  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(300, 60);
  EXPECT_EQ(canvas->TextWidth("Kaptorix"), large);
  bitmap.SetSize(400, 80);
  EXPECT_EQ(canvas->TextWidth("Kaptorix"), large);
  EXPECT_EQ(canvas->GetFont()->GetHeight(), -33);
}

TEST(BitmapCanvas, DrawsTextInTheFontColourOnTheBrushColour) {
  auto bitmap = FilledBitmap(120, 40, clWhite);
  TCanvas* canvas = bitmap->GetCanvas();
  canvas->GetFont()->SetColor(clRed);
  canvas->GetFont()->SetHeight(-20);
  canvas->TextOut(5, 5, "HHHH");
  int red = 0, white = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 120; ++x) {
      TColor c = PixelAt(*bitmap, x, y);
      red += c == RGB(255, 0, 0);
      white += c == RGB(255, 255, 255);
    }
  EXPECT_GT(red, 20);
  EXPECT_GT(white, 120 * 40 / 2);
  EXPECT_EQ(canvas->GetPenPos().x, 5 + canvas->TextWidth("HHHH"));
}

TEST(Bitmap, ScanLineZeroIsTheTopRowAndOutOfRangeRowsRaise) {
  auto bitmap = FilledBitmap(4, 3, clWhite);
  bitmap->GetCanvas()->SetPixel(1, 0, clRed);
  bitmap->GetCanvas()->SetPixel(2, 2, clBlue);
  EXPECT_EQ(PixelAt(*bitmap, 1, 0), RGB(255, 0, 0));
  EXPECT_EQ(PixelAt(*bitmap, 2, 2), RGB(0, 0, 255));
  EXPECT_EQ(PixelAt(*bitmap, 1, 2), RGB(255, 255, 255));
  EXPECT_THROW(bitmap->ScanLine(-1), EInvalidGraphicOperation);
  EXPECT_THROW(bitmap->ScanLine(3), EInvalidGraphicOperation);
  TBitmap empty;
  EXPECT_THROW(empty.ScanLine(0), EInvalidGraphicOperation);
}

TEST(Bitmap, DeviceBitmapsBecomeDIBsWhenTheirRowsAreAsked) {
  TBitmap bitmap;
  EXPECT_EQ(bitmap.GetPixelFormat(), pfDevice);
  bitmap.SetSize(5, 5);
  bitmap.GetCanvas()->SetPixel(0, 4, clLime);
  ASSERT_NE(bitmap.ScanLine(4), nullptr);
  EXPECT_EQ(bitmap.GetHandleType(), bmDIB);
  EXPECT_EQ(bitmap.GetCanvas()->GetPixel(0, 4), RGB(0, 255, 0));
}

TEST(Bitmap, NarrowingTakesTheNearestTableColourAndWideningBack) {
  auto bitmap = FilledBitmap(3, 1, clWhite);
  bitmap->GetCanvas()->SetPixel(0, 0, RGB(250, 5, 3));   // near red
  bitmap->GetCanvas()->SetPixel(1, 0, RGB(0, 0, 255));
  for (TPixelFormat format : {pf16bit, pf15bit, pf32bit, pf8bit, pf24bit}) bitmap->SetPixelFormat(format);
  EXPECT_EQ(PixelAt(*bitmap, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(PixelAt(*bitmap, 1, 0), RGB(0, 0, 255));
  EXPECT_EQ(PixelAt(*bitmap, 2, 0), RGB(255, 255, 255));
  bitmap->SetPixelFormat(pf1bit);
  bitmap->SetPixelFormat(pf24bit);
  EXPECT_EQ(PixelAt(*bitmap, 1, 0), RGB(0, 0, 0));
  EXPECT_EQ(PixelAt(*bitmap, 2, 0), RGB(255, 255, 255));
}

TEST(Bitmap, ResizingKeepsThePictureAndWhitensTheNewArea) {
  auto bitmap = FilledBitmap(2, 2, clBlue);
  bitmap->SetSize(4, 3);
  EXPECT_EQ(PixelAt(*bitmap, 1, 1), RGB(0, 0, 255));
  EXPECT_EQ(PixelAt(*bitmap, 3, 2), RGB(255, 255, 255));
  bitmap->SetWidth(1);
  EXPECT_EQ(bitmap->GetWidth(), 1);
  EXPECT_EQ(PixelAt(*bitmap, 0, 0), RGB(0, 0, 255));
}

// Saves, loads back, and compares format, size, colour table and every row.
void ExpectBmpRoundTrip(TBitmap& bitmap) {
  TMemoryStream stream;
  bitmap.SaveToStream(&stream);
  stream.SetPosition(0);
  TBitmap loaded;
  loaded.LoadFromStream(&stream);
  ASSERT_EQ(loaded.GetPixelFormat(), bitmap.GetPixelFormat());
  ASSERT_EQ(loaded.GetWidth(), bitmap.GetWidth());
  ASSERT_EQ(loaded.GetHeight(), bitmap.GetHeight());
  EXPECT_EQ(loaded.GetColorTable().size(), bitmap.GetColorTable().size());
  int bytes = (bitmap.GetWidth() * 32 + 7) / 8;  // at most this much of a row matters
  for (int y = 0; y < bitmap.GetHeight(); ++y) {
    TBitmap* both[2] = {&bitmap, &loaded};
    std::vector<std::uint8_t> rows[2];
    for (int i = 0; i < 2; ++i) {
      TBitmap* b = both[i];
      auto* row = static_cast<std::uint8_t*>(b->ScanLine(y));
      int used = 0;
      switch (b->GetPixelFormat()) {
        case pf1bit: used = (b->GetWidth() + 7) / 8; break;
        case pf4bit: used = (b->GetWidth() + 1) / 2; break;
        case pf8bit: used = b->GetWidth(); break;
        case pf15bit: case pf16bit: used = 2 * b->GetWidth(); break;
        case pf24bit: used = 3 * b->GetWidth(); break;
        default: used = std::min(bytes, 4 * b->GetWidth()); break;
      }
      rows[i].assign(row, row + used);
    }
    EXPECT_EQ(rows[0], rows[1]) << "row " << y;
  }
}

TEST(BitmapFile, EveryPixelFormatSurvivesSavingAndLoading) {
  for (TPixelFormat format : {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit}) {
    SCOPED_TRACE(static_cast<int>(format));
    auto bitmap = FilledBitmap(13, 7, clYellow);
    bitmap->GetCanvas()->GetPen()->SetColor(clNavy);
    bitmap->GetCanvas()->MoveTo(0, 0);
    bitmap->GetCanvas()->LineTo(13, 7);
    bitmap->SetPixelFormat(format);
    ExpectBmpRoundTrip(*bitmap);
  }
}

// A 2 x 2 file written by hand, its rows stored top-down (negative height).
std::string TopDownBmp() {
  std::string bytes(14 + 40 + 2 * 8, '\0');
  BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(bytes.size()), 0, 0, 54};
  BITMAPINFOHEADER info{40, 2, -2, 1, 24, BI_RGB, 16, 0, 0, 0, 0};
  std::memcpy(&bytes[0], &file, 14);
  std::memcpy(&bytes[14], &info, 40);
  const unsigned char rows[16] = {0, 0, 255, 0, 255, 0, 0, 0,    // top: red, green
                                  255, 0, 0, 255, 255, 255, 0, 0};  // bottom: blue, white
  std::memcpy(&bytes[54], rows, 16);
  return bytes;
}

TEST(BitmapFile, ReadsTopDownRowsAndRejectsDamagedFiles) {
  TStringStream stream(TopDownBmp());
  TBitmap bitmap;
  bitmap.LoadFromStream(&stream);
  ASSERT_EQ(bitmap.GetWidth(), 2);
  ASSERT_EQ(bitmap.GetHeight(), 2);
  EXPECT_EQ(PixelAt(bitmap, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(PixelAt(bitmap, 1, 0), RGB(0, 255, 0));
  EXPECT_EQ(PixelAt(bitmap, 0, 1), RGB(0, 0, 255));

  std::string truncated = TopDownBmp().substr(0, 60);
  std::string wrongMagic = TopDownBmp();
  wrongMagic[0] = 'X';
  std::string badDepth = TopDownBmp();
  badDepth[14 + 14] = 7;
  for (const std::string& bad : {truncated, wrongMagic, badDepth, std::string("BM")}) {
    TStringStream in(bad);
    TBitmap target;
    try {
      target.LoadFromStream(&in);
      ADD_FAILURE() << "accepted a damaged file of " << bad.size() << " bytes";
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(e.GetMessage(), "Bitmap image is not valid");
    }
    EXPECT_TRUE(target.GetEmpty());
  }
}

TEST(Canvas, StretchDrawAndCopyRectScaleBetweenCanvases) {
  auto source = FilledBitmap(2, 2, clWhite);
  source->GetCanvas()->SetPixel(0, 0, clRed);
  source->GetCanvas()->SetPixel(1, 1, clBlue);
  auto target = FilledBitmap(6, 6, clBlack);
  target->GetCanvas()->StretchDraw(RECT{0, 0, 4, 4}, source.get());
  EXPECT_EQ(PixelAt(*target, 1, 1), RGB(255, 0, 0));
  EXPECT_EQ(PixelAt(*target, 3, 3), RGB(0, 0, 255));
  EXPECT_EQ(PixelAt(*target, 3, 0), RGB(255, 255, 255));
  EXPECT_EQ(PixelAt(*target, 5, 5), RGB(0, 0, 0));
  target->GetCanvas()->CopyRect(RECT{4, 4, 6, 6}, source->GetCanvas(), RECT{1, 1, 2, 2});
  EXPECT_EQ(PixelAt(*target, 5, 5), RGB(0, 0, 255));
  EXPECT_EQ(PixelAt(*target, 4, 4), RGB(0, 0, 255));
}

TEST(Bitmap, TransparentDrawingLeavesTheTransparentColourOut) {
  auto sprite = FilledBitmap(4, 4, clFuchsia);
  sprite->GetCanvas()->GetBrush()->SetColor(clGreen);
  sprite->GetCanvas()->FillRect(RECT{1, 1, 3, 3});
  sprite->SetTransparent(true);
  EXPECT_EQ(sprite->GetTransparentColor(), RGB(255, 0, 255));  // bottom-left pixel
  auto target = FilledBitmap(6, 6, clBlue);
  target->GetCanvas()->Draw(1, 1, sprite.get());
  EXPECT_EQ(PixelAt(*target, 1, 1), RGB(0, 0, 255));
  EXPECT_EQ(PixelAt(*target, 2, 2), RGB(0, 128, 0));
  EXPECT_EQ(PixelAt(*target, 3, 3), RGB(0, 128, 0));
  EXPECT_EQ(PixelAt(*target, 4, 4), RGB(0, 0, 255));

  sprite->SetTransparent(false);
  target->GetCanvas()->Draw(1, 1, sprite.get());
  EXPECT_EQ(PixelAt(*target, 1, 1), RGB(255, 0, 255));
}

TEST(Bitmap, PaletteAndColourTableFollowEachOther) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf8bit);
  bitmap.SetSize(2, 2);
  EXPECT_EQ(bitmap.GetColorTable().size(), 256u);
  std::vector<std::uint8_t> memory(sizeof(LOGPALETTE) + 2 * sizeof(PALETTEENTRY));
  auto* log = reinterpret_cast<LOGPALETTE*>(memory.data());
  log->palVersion = 0x300;
  log->palNumEntries = 2;
  log->palPalEntry[0] = {10, 20, 30, 0};
  log->palPalEntry[1] = {200, 100, 50, 0};
  bitmap.SetPalette(CreatePalette(log));
  std::vector<RGBQUAD> table = bitmap.GetColorTable();
  ASSERT_EQ(table.size(), 2u);
  EXPECT_EQ(table[1].rgbRed, 200);
  EXPECT_EQ(table[1].rgbBlue, 50);
  static_cast<std::uint8_t*>(bitmap.ScanLine(0))[0] = 1;
  bitmap.SetPixelFormat(pf24bit);
  EXPECT_EQ(PixelAt(bitmap, 0, 0), RGB(200, 100, 50));
}

TEST(Bitmap, ClipboardBitmapsCarryThePicture) {
  auto bitmap = FilledBitmap(5, 4, clTeal);
  UINT format = 0;
  HANDLE data = nullptr;
  HPALETTE palette = nullptr;
  bitmap->SaveToClipboardFormat(format, data, palette);
  EXPECT_EQ(format, static_cast<UINT>(CF_BITMAP));
  ASSERT_NE(data, nullptr);
  TBitmap copy;
  copy.LoadFromClipboardFormat(format, data, palette);
  DeleteObject(data);
  ASSERT_EQ(copy.GetWidth(), 5);
  copy.SetPixelFormat(pf24bit);
  EXPECT_EQ(PixelAt(copy, 4, 3), RGB(0, 128, 128));
  EXPECT_THROW(copy.LoadFromClipboardFormat(CF_TEXT, nullptr, nullptr), EInvalidGraphic);
}

// A 16 x 16 icon file of one 32-bit image, every pixel opaque orange.
std::string OrangeIconFile() {
  const int size = 16;
  std::string image(40 + size * size * 4 + size * 4, '\0');
  BITMAPINFOHEADER info{40, size, 2 * size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::memcpy(&image[0], &info, 40);
  for (int i = 0; i < size * size; ++i) {
    const unsigned char bgra[4] = {0, 128, 255, 255};
    std::memcpy(&image[40 + 4 * i], bgra, 4);
  }
  std::string file(6 + 16, '\0');
  const WORD header[3] = {0, 1, 1};
  std::memcpy(&file[0], header, 6);
  const unsigned char entry[16] = {size, size, 0, 0, 1, 0, 32, 0};
  std::memcpy(&file[6], entry, 16);
  DWORD length = static_cast<DWORD>(image.size()), offset = 22;
  std::memcpy(&file[6 + 8], &length, 4);
  std::memcpy(&file[6 + 12], &offset, 4);
  return file + image;
}

TEST(Icon, LoadsAnIconFileDrawsItAndWritesTheSameFileBack) {
  TStringStream in(OrangeIconFile());
  TIcon icon;
  icon.LoadFromStream(&in);
  EXPECT_EQ(icon.GetWidth(), 16);
  EXPECT_EQ(icon.GetHeight(), 16);
  auto target = FilledBitmap(20, 20, clWhite);
  target->GetCanvas()->Draw(2, 2, &icon);
  EXPECT_EQ(PixelAt(*target, 5, 5), RGB(255, 128, 0));
  EXPECT_EQ(PixelAt(*target, 0, 0), RGB(255, 255, 255));
  TStringStream out;
  icon.SaveToStream(&out);
  EXPECT_EQ(out.GetDataString(), OrangeIconFile());
  TStringStream bad(std::string(30, 'x'));
  EXPECT_THROW(icon.LoadFromStream(&bad), EInvalidGraphic);
}

TEST(Frame3D, DrawsTheTwoColoursAndLeavesTheInnerRectangle) {
  auto bitmap = FilledBitmap(10, 10, clWhite);
  RECT rect{0, 0, 10, 10};
  Frame3D(bitmap->GetCanvas(), rect, clRed, clBlue, 2);
  EXPECT_EQ(rect.left, 2);
  EXPECT_EQ(rect.bottom, 8);
  EXPECT_EQ(PixelAt(*bitmap, 0, 5), RGB(255, 0, 0));
  EXPECT_EQ(PixelAt(*bitmap, 5, 1), RGB(255, 0, 0));
  EXPECT_EQ(PixelAt(*bitmap, 9, 5), RGB(0, 0, 255));
  EXPECT_EQ(PixelAt(*bitmap, 5, 8), RGB(0, 0, 255));
  EXPECT_EQ(PixelAt(*bitmap, 5, 5), RGB(255, 255, 255));
}

TEST(Picture, ChoosesTheGraphicClassByExtension) {
  testsupport::TempDir dir;
  auto bitmap = FilledBitmap(7, 3, clMaroon);
  bitmap->SaveToFile(dir.File("plain.BMP"));
  TJPEGImage jpeg;
  jpeg.Assign(bitmap.get());
  jpeg.SaveToFile(dir.File("photo.jpeg"));

  TPicture picture;
  ChangeCounter counter;
  picture.SetOnChange(counter.Event());
  picture.LoadFromFile(dir.File("plain.BMP"));
  EXPECT_TRUE(Is<TBitmap>(picture.GetGraphic()));
  EXPECT_EQ(picture.GetWidth(), 7);
  picture.LoadFromFile(dir.File("photo.jpeg"));
  EXPECT_TRUE(Is<TJPEGImage>(picture.GetGraphic()));
  EXPECT_EQ(picture.GetHeight(), 3);
  EXPECT_GE(counter.count, 2);

  testsupport::WriteBytes(dir.File("note.xyz"), "hello");
  try {
    picture.LoadFromFile(dir.File("note.xyz"));
    ADD_FAILURE() << "loaded an unregistered extension";
  } catch (const EInvalidGraphic& e) {
    EXPECT_EQ(e.GetMessage(), "Unknown picture file extension (.xyz)");
  }
  TPicture::RegisterFileFormat("xyz", "Test Pictures", &TBitmap::Class);
  EXPECT_EQ(TPicture::FileFormatClass("XYZ"), &TBitmap::Class);
  EXPECT_NE(TPicture::GraphicFilter().find("Test Pictures (*.xyz)|*.xyz"), std::string::npos);
  TPicture::UnregisterGraphicClass(&TBitmap::Class);
  EXPECT_EQ(TPicture::FileFormatClass("bmp"), nullptr);
  TPicture::RegisterFileFormat("bmp", "Bitmaps", &TBitmap::Class);
  TPicture::RegisterClipboardFormat(CF_BITMAP, &TBitmap::Class);
}

TEST(Picture, HoldsCopiesAndAnnouncesChangesOfItsGraphic) {
  auto bitmap = FilledBitmap(3, 3, clRed);
  TPicture picture;
  picture.SetGraphic(bitmap.get());
  ASSERT_NE(picture.GetGraphic(), bitmap.get());
  EXPECT_TRUE(picture.GetGraphic()->Equals(bitmap.get()));
  ChangeCounter counter;
  picture.SetOnChange(counter.Event());
  picture.GetBitmap()->GetCanvas()->SetPixel(0, 0, clBlue);
  EXPECT_GE(counter.count, 1);
  EXPECT_FALSE(picture.GetGraphic()->Equals(bitmap.get()));

  TPicture second;
  second.Assign(&picture);
  EXPECT_TRUE(second.GetGraphic()->Equals(picture.GetGraphic()));
  second.Assign(nullptr);
  EXPECT_EQ(second.GetGraphic(), nullptr);
}

}  // namespace
