// Enhanced metafiles as pictures: their size in pixels, drawing at any size, their file form
// and copies.
#include <gtest/gtest.h>

#include <string>

#include "classlib/Classes.h"
#include "classlib/Metafile.h"

namespace {

TColor PixelAt(TBitmap& bitmap, int x, int y) {
  const auto* row = static_cast<const std::uint8_t*>(bitmap.ScanLine(y));
  return RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
}

// A metafile of width x height pixels of the screen whose left half is red; the right half is
// not drawn.
HENHMETAFILE HalfRed(int width, int height) {
  ScopedGetDC screen;
  const RECT frame{0, 0, MulDiv(width, GetDeviceCaps(screen.Get(), HORZSIZE) * 100, GetDeviceCaps(screen.Get(), HORZRES)),
                   MulDiv(height, GetDeviceCaps(screen.Get(), VERTSIZE) * 100, GetDeviceCaps(screen.Get(), VERTRES))};
  HDC recording = CreateEnhMetaFileA(screen.Get(), nullptr, &frame, nullptr);
  ScopedGdiObj<HBRUSH> red(CreateSolidBrush(RGB(255, 0, 0)));
  const RECT left{0, 0, width / 2, height};
  FillRect(recording, &left, red.Get());
  return CloseEnhMetaFile(recording);
}

// What the metafile draws on a white bitmap of the given size, one letter a pixel: r or w.
std::string Drawn(TGraphic& graphic, int width, int height) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(width, height);
  bitmap.GetCanvas()->StretchDraw(RECT{0, 0, width, height}, &graphic);
  std::string pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const TColor c = PixelAt(bitmap, x, y);
      pixels += c == clRed ? 'r' : c == clWhite ? 'w' : '?';
    }
  return pixels;
}

TEST(Metafile, TakesItsSizeFromTheRecordingAndPlaysAtAnySize) {
  TMetafile metafile;
  EXPECT_TRUE(metafile.GetEmpty());
  metafile.SetHandle(HalfRed(16, 6));
  EXPECT_FALSE(metafile.GetEmpty());
  EXPECT_EQ(metafile.GetWidth(), 16);
  EXPECT_EQ(metafile.GetHeight(), 6);
  EXPECT_EQ(Drawn(metafile, 4, 2), "rrwwrrww");
  EXPECT_EQ(Drawn(metafile, 16, 1), std::string(8, 'r') + std::string(8, 'w'));
  // A bitmap takes it as drawn on white at its own size.
  TBitmap bitmap;
  bitmap.Assign(&metafile);
  ASSERT_EQ(bitmap.GetWidth(), 16);
  bitmap.SetPixelFormat(pf24bit);
  EXPECT_EQ(PixelAt(bitmap, 7, 5), clRed);
  EXPECT_EQ(PixelAt(bitmap, 8, 0), clWhite);
}

TEST(Metafile, ItsFileFormReadsBackAndOtherBytesAreRefused) {
  TMetafile metafile;
  metafile.SetHandle(HalfRed(10, 4));
  TStringStream file;
  metafile.SaveToStream(&file);
  const std::string bytes = file.GetDataString();
  ASSERT_GT(bytes.size(), 88u);
  EXPECT_EQ(bytes.substr(40, 4), " EMF");

  TMetafile read;
  TStringStream source(bytes);
  read.LoadFromStream(&source);
  EXPECT_EQ(read.GetWidth(), 10);
  EXPECT_EQ(Drawn(read, 10, 1), "rrrrrwwwww");

  for (const std::string& damaged : {std::string(), std::string(200, 'x'), bytes.substr(0, 60)}) {
    TMetafile refused;
    TStringStream stream(damaged);
    try {
      refused.LoadFromStream(&stream);
      ADD_FAILURE() << damaged.size() << " bytes loaded";
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(e.GetMessage(), "Metafile is not valid");
    }
    EXPECT_TRUE(refused.GetEmpty());
  }
}

TEST(Metafile, CopiesAreIndependentAndKeepASizeThatWasSet) {
  TMetafile metafile;
  metafile.SetHandle(HalfRed(8, 2));
  metafile.SetWidth(20);
  TMetafile copy;
  copy.Assign(&metafile);
  EXPECT_EQ(copy.GetWidth(), 20);
  EXPECT_EQ(copy.GetHeight(), 2);
  EXPECT_NE(copy.GetHandle(), metafile.GetHandle());
  metafile.Assign(nullptr);
  EXPECT_TRUE(metafile.GetEmpty());
  EXPECT_EQ(Drawn(copy, 4, 1), "rrww");
  TBitmap notAMetafile;
  EXPECT_THROW(copy.Assign(&notAMetafile), EConvertError);
}

}  // namespace
