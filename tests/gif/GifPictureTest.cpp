// The GIF picture: assignment from bitmaps of every pixel format with colour reduction and
// transparency, saving, sizes, warnings, progress, copying between pictures, and the faults the
// picture guards against. Files go to the independent decoders through check_gif_files.py.
#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <string>
#include <vector>

#include "GifFilesOutput.h"
#include "classlib/Classes.h"
#include "classlib/Metafile.h"
#include "gif/GifPicture.h"
#include "support/TestSupport.h"

namespace {

// Collects warnings and progress reports of a picture.
struct Recorder : TObject {
  std::vector<std::string> warnings;
  std::vector<std::string> progress;  // "stage percent message"
  void OnWarning(TObject*, int severity, const std::string& message) {
    warnings.push_back(std::to_string(severity) + " " + message);
  }
  void OnProgress(TObject*, TProgressStage stage, std::uint8_t percent, bool, const RECT&,
                  const std::string& message) {
    progress.push_back(std::to_string(stage) + " " + std::to_string(percent) + " " + message);
  }
  void Attach(TGifPicture& picture) {
    picture.SetOnWarning(TGifWarning(this, &Recorder::OnWarning));
    picture.SetOnProgress(TProgressEvent(this, &Recorder::OnProgress));
  }
};

std::string Saved(TGifPicture& picture) {
  TStringStream stream;
  picture.SaveToStream(&stream);
  return stream.GetDataString();
}

int Byte(const std::string& data, size_t at) { return static_cast<std::uint8_t>(data.at(at)); }

// A 24-bit bitmap whose pixel (x, y) is colour(x, y) as 0xRRGGBB.
std::unique_ptr<TBitmap> TrueColorBitmap(int width, int height,
                                         const std::function<std::uint32_t(int, int)>& colour) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetSize(width, height);
  for (int y = 0; y < height; ++y) {
    auto* row = static_cast<std::uint8_t*>(bitmap->ScanLine(y));
    for (int x = 0; x < width; ++x) {
      std::uint32_t c = colour(x, y);
      row[3 * x] = static_cast<std::uint8_t>(c);
      row[3 * x + 1] = static_cast<std::uint8_t>(c >> 8);
      row[3 * x + 2] = static_cast<std::uint8_t>(c >> 16);
    }
  }
  return bitmap;
}

// An indexed bitmap of 1, 4 or 8 bits with a colour table of its own and index (x, y) chosen.
std::unique_ptr<TBitmap> IndexedBitmap(int bits, int width, int height,
                                       const std::function<int(int, int)>& index) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(bits == 1 ? pf1bit : bits == 4 ? pf4bit : pf8bit);
  bitmap->SetSize(width, height);
  std::vector<RGBQUAD> table;
  for (int i = 0; i < (1 << bits); ++i)
    table.push_back(RGBQUAD{static_cast<BYTE>(255 - i), static_cast<BYTE>((i * 73) & 255),
                            static_cast<BYTE>(i * 255 / ((1 << bits) - 1)), 0});
  bitmap->SetColorTable(table);
  for (int y = 0; y < height; ++y) {
    auto* row = static_cast<std::uint8_t*>(bitmap->ScanLine(y));
    for (int x = 0; x < width; ++x) {
      int bit = x * bits, shift = 8 - bits - bit % 8;
      row[bit / 8] = static_cast<std::uint8_t>((row[bit / 8] & ~(((1 << bits) - 1) << shift)) |
                                               (index(x, y) << shift));
    }
  }
  return bitmap;
}

std::uint32_t Smooth(int x, int y) {
  return static_cast<std::uint32_t>((x * 255 / 96) << 16 | (y * 255 / 40) << 8 | ((x * y) & 255));
}

// Saves the picture and the bitmap (as 24 bits) for check_gif_files.py.
void WriteForDecoders(const std::string& name, TGifPicture& picture, TBitmap* reference,
                      const char* mapping, const std::string& version,
                      const std::string& transparent = "") {
  giffiles::WriteFile(name + ".gif", Saved(picture));
  TBitmap copy;
  copy.Assign(reference);
  copy.SetPixelFormat(pf24bit);
  copy.SetTransparent(false);
  copy.SaveToFile(giffiles::Folder() + name + ".bmp");
  giffiles::AddEntry("{\"kind\": \"bitmap\", \"file\": " + giffiles::Quote(name + ".gif") +
                     ", \"reference\": " + giffiles::Quote(name + ".bmp") +
                     ", \"mapping\": " + giffiles::Quote(mapping) +
                     ", \"version\": " + giffiles::Quote(version) +
                     (transparent.empty() ? "" : ", \"transparent\": " + transparent) + "}");
}

// ---------------------------------------------------------------------------------------------

TEST(GifPictureAssign, EveryPixelFormatDecodesToItsColours) {
  for (int bits : {1, 4, 8}) {
    SCOPED_TRACE(bits);
    auto bitmap = IndexedBitmap(bits, 37, 19, [&](int x, int y) { return (x * 5 + y * 3) % (1 << bits); });
    TGifPicture picture;
    picture.Assign(bitmap.get());
    TGifFrame* frame = picture.GetImages()->GetFrame(0);
    // The bitmap's own table and indices are kept.
    ASSERT_EQ(frame->GetColorMap()->GetCount(), 1 << bits);
    EXPECT_EQ(frame->GetColorMap()->GetColor(1), static_cast<TColor>(RGB(255 / ((1 << bits) - 1), 73, 254)));
    EXPECT_EQ(frame->ScanLine(2)[7], (7 * 5 + 2 * 3) % (1 << bits));
    WriteForDecoders("format-" + std::to_string(bits), picture, bitmap.get(), "exact", "87a");
  }
  struct Wide {
    const char* name;
    TPixelFormat format;
  };
  for (Wide w : {Wide{"15", pf15bit}, Wide{"16", pf16bit}, Wide{"24", pf24bit}, Wide{"32", pf32bit},
                 Wide{"device", pfDevice}}) {
    SCOPED_TRACE(w.name);
    auto bitmap = TrueColorBitmap(97, 41, Smooth);
    if (w.format == pfDevice)
      bitmap->SetHandleType(bmDDB);
    else
      bitmap->SetPixelFormat(w.format);
    TGifPicture picture;
    picture.Assign(bitmap.get());
    EXPECT_EQ(picture.GetWidth(), 97);
    EXPECT_EQ(picture.GetHeight(), 41);
    WriteForDecoders(std::string("format-") + w.name, picture, bitmap.get(), "web", "87a");
  }
}

TEST(GifPictureAssign, EmptyBitmapGivesAnEmptyFrameAndAMinimalFile) {
  TBitmap empty;
  TGifPicture picture;
  picture.Assign(&empty);
  ASSERT_EQ(picture.GetImages()->GetCount(), 1);
  EXPECT_TRUE(picture.GetImages()->GetFrame(0)->GetEmpty());
  EXPECT_EQ(picture.GetWidth(), 0);
  std::string expected = std::string("GIF87a") + std::string(4, '\0') + "\x77" + std::string(2, '\0') + ";";
  EXPECT_EQ(Saved(picture), expected);
  giffiles::WriteFile("empty-frame.gif", expected);
}

TEST(GifPictureAssign, TransparentBitmapGetsATransparentIndex) {
  // Three web colours, the magenta one transparent: a table of 3 + 1 entries after the
  // unused cube entries are dropped.
  const std::uint32_t colours[3] = {0xFF00FF, 0x336699, 0xFFFFCC};
  auto bitmap = TrueColorBitmap(45, 21, [&](int x, int y) { return colours[(x / 5 + y / 4) % 3]; });
  bitmap->SetTransparentMode(tmFixed);
  bitmap->SetTransparentColor(static_cast<TColor>(RGB(255, 0, 255)));
  bitmap->SetTransparent(true);
  TGifPicture picture;
  picture.Assign(bitmap.get());
  TGifFrame* frame = picture.GetImages()->GetFrame(0);
  ASSERT_TRUE(frame->GetTransparent());
  ASSERT_NE(frame->GetGraphicControlExtension(), nullptr);
  EXPECT_EQ(frame->GetColorMap()->GetCount(), 4);
  EXPECT_EQ(frame->GetTransparentColorIndex(), 3);
  EXPECT_EQ(picture.GetVersion(), kGifVersion89a);
  WriteForDecoders("transparent-three", picture, bitmap.get(), "web", "89a", "[255, 0, 255]");
}

TEST(GifPictureAssign, TransparencyNeedsRoomAndAPixelOfTheColour) {
  // All 256 entries in use: the frame stays opaque.
  auto full = IndexedBitmap(8, 32, 8, [](int x, int y) { return y * 32 + x; });
  full->SetTransparentMode(tmFixed);
  full->SetTransparentColor(static_cast<TColor>(RGB(0, 0, 255)));  // index 0's colour
  full->SetTransparent(true);
  TGifPicture picture;
  picture.Assign(full.get());
  EXPECT_FALSE(picture.GetImages()->GetFrame(0)->GetTransparent());
  EXPECT_EQ(picture.GetImages()->GetFrame(0)->GetExtensions()->GetCount(), 0);
  EXPECT_EQ(picture.GetImages()->GetFrame(0)->GetColorMap()->GetCount(), 256);

  // The transparent colour occurs nowhere: no extension, no extra entry.
  auto absent = TrueColorBitmap(10, 10, [](int x, int) { return x < 5 ? 0x000000u : 0xFFFFFFu; });
  absent->SetTransparentMode(tmFixed);
  absent->SetTransparentColor(static_cast<TColor>(RGB(255, 0, 0)));
  absent->SetTransparent(true);
  picture.Assign(absent.get());
  TGifFrame* frame = picture.GetImages()->GetFrame(0);
  EXPECT_FALSE(frame->GetTransparent());
  EXPECT_EQ(frame->GetExtensions()->GetCount(), 0);
  EXPECT_EQ(frame->GetColorMap()->GetCount(), 2);
  WriteForDecoders("transparent-absent", picture, absent.get(), "web", "87a");
}

// An icon of red pixels whose mask lets the background through its left column.
TEST(GifPictureAssign, IconsKeepTheirTransparentPixels) {
  const int size = 8;
  auto colour = TrueColorBitmap(size, size, [](int x, int) { return x == 0 ? 0x000000u : 0xFF0000u; });
  std::vector<std::uint8_t> maskBits(2 * size, 0);  // rows of 16 bits
  for (int y = 0; y < size; ++y) maskBits[2 * y] = 0x80;
  HBITMAP mask = CreateBitmap(size, size, 1, 1, maskBits.data());
  ICONINFO info{TRUE, 0, 0, mask, colour->GetHandle()};
  TIcon icon;
  icon.SetHandle(CreateIconIndirect(&info));
  DeleteObject(mask);
  ASSERT_EQ(icon.GetWidth(), size);
  TGifPicture picture;
  picture.Assign(&icon);
  TGifFrame* frame = picture.GetImages()->GetFrame(0);
  ASSERT_TRUE(frame->GetTransparent());
  for (int y = 0; y < size; ++y) {
    EXPECT_EQ(frame->ScanLine(y)[0], frame->GetTransparentColorIndex());
    EXPECT_EQ(frame->GetColorMap()->GetColor(frame->ScanLine(y)[5]), clRed);
  }
}

// A metafile is played into the frame's bitmap; where it draws nothing the frame lets the
// background through, as a picture of the metafile shows it.
TEST(GifPictureAssign, MetafilesAreDrawnWithTheirUndrawnAreaTransparent) {
  const int width = 12, height = 8;
  ScopedGetDC screen;
  const int toHundredthsX = GetDeviceCaps(screen.Get(), HORZSIZE) * 100;
  const int toHundredthsY = GetDeviceCaps(screen.Get(), VERTSIZE) * 100;
  const RECT frame{0, 0, MulDiv(width, toHundredthsX, GetDeviceCaps(screen.Get(), HORZRES)),
                   MulDiv(height, toHundredthsY, GetDeviceCaps(screen.Get(), VERTRES))};
  HDC recording = CreateEnhMetaFileA(screen.Get(), nullptr, &frame, nullptr);
  ASSERT_NE(recording, nullptr);
  {
    ScopedGdiObj<HBRUSH> red(CreateSolidBrush(RGB(255, 0, 0)));
    const RECT left{0, 0, 6, 8};
    FillRect(recording, &left, red.Get());
  }
  TMetafile metafile;
  metafile.SetHandle(CloseEnhMetaFile(recording));
  ASSERT_EQ(metafile.GetWidth(), width);

  TGifPicture picture;
  for (TPersistent* source : std::vector<TPersistent*>{&metafile, nullptr}) {
    TPicture container;
    if (!source) {
      container.SetGraphic(&metafile);
      source = &container;  // a picture container hands its metafile on
    }
    picture.Assign(source);
    ASSERT_EQ(picture.GetImages()->GetCount(), 1);
    TGifFrame* gif = picture.GetImages()->GetFrame(0);
    ASSERT_EQ(gif->GetWidth(), width);
    ASSERT_EQ(gif->GetHeight(), height);
    ASSERT_TRUE(gif->GetTransparent());
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        const int index = gif->ScanLine(y)[x];
        if (x < 6)
          EXPECT_EQ(gif->GetColorMap()->GetColor(index), clRed) << x << "," << y;
        else
          EXPECT_EQ(index, gif->GetTransparentColorIndex()) << x << "," << y;
      }
  }
}

// A frame keeps its size while it is cleared for the new bitmap: the pixels are made anew all
// the same, 8-bit and 24-bit sources alike.
TEST(GifPictureAssign, ABitmapOfTheFramesOwnSizeReplacesItsPixels) {
  TGifPicture picture;
  auto* frame = new TGifFrame(&picture);
  picture.Add(frame);
  auto halves = TrueColorBitmap(64, 48, [](int x, int) { return x < 32 ? 0xFF0000u : 0x0000FFu; });
  auto bands = TrueColorBitmap(64, 48, [](int, int y) { return y < 24 ? 0x00FF00u : 0xFFFFFFu; });
  frame->Assign(halves.get());
  ASSERT_EQ(frame->GetDataSize(), 64u * 48u);
  frame->Assign(bands.get());
  ASSERT_EQ(frame->GetDataSize(), 64u * 48u);
  EXPECT_EQ(frame->GetColorMap()->GetColor(frame->ScanLine(0)[0]), clLime);
  EXPECT_EQ(frame->GetColorMap()->GetColor(frame->ScanLine(47)[63]), clWhite);
  auto indexed = IndexedBitmap(8, 64, 48, [](int x, int y) { return (x + y) % 256; });
  frame->Assign(indexed.get());
  ASSERT_EQ(frame->GetDataSize(), 64u * 48u);
  EXPECT_EQ(frame->ScanLine(47)[63], 110);
}

TEST(GifPictureAssign, ReductionSettingsAreCheckedBeforeTheFrameIsTouched) {
  auto bitmap = TrueColorBitmap(8, 8, Smooth);
  TGifPicture picture;
  picture.Assign(bitmap.get());
  const int width = picture.GetWidth();
  for (auto change : std::vector<std::function<void(TGifPicture&)>>{
           [](TGifPicture& p) { p.SetColorReduction(10); },
           [](TGifPicture& p) { p.SetDitherMode(7); },
           [](TGifPicture& p) { p.SetColorReduction(7), p.SetReductionBits(9); },
           [](TGifPicture& p) { p.SetColorReduction(7), p.SetReductionBits(0); },
           [](TGifPicture& p) { p.SetColorReduction(9); }}) {
    TGifPicture other;
    other.Assign(&picture);
    change(other);
    auto larger = TrueColorBitmap(20, 20, Smooth);
    EXPECT_THROW(other.GetImages()->GetFrame(0)->Assign(larger.get()), EGifError);
    EXPECT_EQ(other.GetImages()->GetFrame(0)->GetWidth(), width);
    EXPECT_FALSE(other.GetImages()->GetFrame(0)->GetEmpty());
  }
}

// ---------------------------------------------------------------------------------------------

TEST(GifPictureSave, WithoutFramesFailsAfterStartingProgress) {
  TGifPicture picture;
  Recorder recorder;
  recorder.Attach(picture);
  try {
    Saved(picture);
    FAIL() << "a picture without frames was saved";
  } catch (const EGifError& e) {
    EXPECT_EQ(e.GetMessage(), "Unsupported GIF version");
  }
  EXPECT_EQ(recorder.progress, (std::vector<std::string>{"0 0 Saving...", "2 0 Saving..."}));
}

TEST(GifPictureSave, ReportsProgressPerFrameAndEndsAtHundred) {
  TGifPicture picture;
  auto bitmap = TrueColorBitmap(4, 4, Smooth);
  picture.Add(bitmap.get());
  picture.Add(bitmap.get());
  Recorder recorder;
  recorder.Attach(picture);
  Saved(picture);
  EXPECT_EQ(recorder.progress, (std::vector<std::string>{"0 0 Saving...", "1 50 Saving...",
                                                         "1 100 Saving...", "2 100 Saving..."}));
}

TEST(GifPictureSave, AFailedSaveLeavesTheOldFileByteForByte) {
  testsupport::TempDir dir;
  const std::string name = dir.File("old.gif");
  const std::string old = "an old picture\r\n\x01\x02";
  testsupport::WriteBytes(name, old);

  TGifPicture empty;
  EXPECT_THROW(empty.SaveToFile(name), EGifError);
  EXPECT_EQ(testsupport::ReadBytes(name), old);

  // A pixel past its frame's table fails in the middle of the coding.
  TGifPicture broken;
  auto bitmap = IndexedBitmap(1, 16, 16, [](int x, int) { return x & 1; });
  broken.Assign(bitmap.get());
  broken.GetImages()->GetFrame(0)->ScanLine(15)[15] = 2;
  EXPECT_THROW(broken.SaveToFile(name), EGifError);
  EXPECT_EQ(testsupport::ReadBytes(name), old);

  broken.GetImages()->GetFrame(0)->ScanLine(15)[15] = 1;
  broken.SaveToFile(name);
  EXPECT_EQ(testsupport::ReadBytes(name).substr(0, 6), "GIF87a");
}

TEST(GifPictureSave, GlobalTableFramesCanBeInterlacedAndRunLengthCoded) {
  std::vector<std::uint32_t> palette;
  for (int i = 0; i < 12; ++i) palette.push_back(static_cast<std::uint32_t>(i * 20) << 16 | 0x4080u);
  for (std::uint8_t compression : {kGifCompressionLZW, kGifCompressionRLE}) {
    TGifPicture picture;
    picture.SetCompression(compression);
    for (std::uint32_t c : palette)
      picture.GetGlobalColorMap()->Add(static_cast<TColor>(RGB(c >> 16, (c >> 8) & 255, c & 255)));
    auto frame = std::make_unique<TGifFrame>(&picture);
    frame->SetWidth(61);
    frame->SetHeight(29);
    frame->SetInterlaced(true);
    std::vector<std::uint8_t> pixels = giffiles::Runs(61, 29, 12, 4 + compression);
    std::copy(pixels.begin(), pixels.end(), frame->GetData());
    picture.Add(frame.release());
    std::string data = Saved(picture);
    EXPECT_EQ(Byte(data, 10) & 0x80, 0x80);  // the global table
    EXPECT_EQ(Byte(data, 13 + 48 + 9) & 0x40, 0x40) << "not written interlaced";
    std::string name = compression ? "global-il-rle" : "global-il-lzw";
    giffiles::WriteFile(name + ".gif", data);
    giffiles::WriteFile(name + ".raw", std::string(pixels.begin(), pixels.end()));
    palette.resize(16, 0);
    giffiles::AddEntry("{\"kind\": \"indices\", \"file\": " + giffiles::Quote(name + ".gif") +
                       ", \"raw\": " + giffiles::Quote(name + ".raw") +
                       ", \"width\": 61, \"height\": 29, \"magick\": true, \"palette\": " +
                       giffiles::PaletteJson(palette) + "}");
    palette.resize(12);
  }
}

// The screen descriptor announces the picture's largest table, here a frame's 16 colours: the
// global table of 4 is written at that size, so that the frames follow where readers look.
TEST(GifPictureSave, AGlobalTableSmallerThanAFramesOwnIsWrittenAtTheAnnouncedSize) {
  TGifPicture picture;
  for (TColor c : {clRed, clLime, clBlue, clYellow}) picture.GetGlobalColorMap()->Add(c);
  auto local = std::make_unique<TGifFrame>(&picture);
  for (int i = 0; i < 16; ++i) local->GetColorMap()->Add(static_cast<TColor>(RGB(i * 16, 0, 255 - i * 16)));
  local->SetWidth(5);
  local->SetHeight(4);
  for (size_t i = 0; i < local->GetDataSize(); ++i) local->GetData()[i] = static_cast<std::uint8_t>(i % 16);
  picture.Add(local.release());
  auto global = std::make_unique<TGifFrame>(&picture);
  global->SetWidth(3);
  global->SetHeight(2);
  for (size_t i = 0; i < global->GetDataSize(); ++i) global->GetData()[i] = static_cast<std::uint8_t>(i % 4);
  picture.Add(global.release());
  const std::string data = Saved(picture);
  EXPECT_EQ(Byte(data, 10) & 0x87, 0x83);  // a global table of 16 entries
  EXPECT_EQ(data.at(13 + 16 * 3), ',');
  TGifPicture again;
  TStringStream stream(data);
  again.LoadFromStream(&stream);
  ASSERT_EQ(again.GetImages()->GetCount(), 2);
  for (int f = 0; f < 2; ++f) {
    TGifFrame* saved = picture.GetImages()->GetFrame(f);
    TGifFrame* read = again.GetImages()->GetFrame(f);
    EXPECT_EQ(std::vector<std::uint8_t>(read->GetData(), read->GetData() + read->GetDataSize()),
              std::vector<std::uint8_t>(saved->GetData(), saved->GetData() + saved->GetDataSize()));
  }
  EXPECT_EQ(again.GetGlobalColorMap()->GetColor(3), clYellow);
  giffiles::WriteFile("global-smaller-than-local.gif", data);
  giffiles::AddEntry("{\"kind\": \"structure\", \"file\": \"global-smaller-than-local.gif\", "
                     "\"version\": \"87a\", \"packed\": 179, \"width\": 5, \"height\": 4, \"frames\": 2}");
}

TEST(GifPictureSave, FramesWithExtensionsAreReadByPillow) {
  TGifPicture picture;
  const int delays[3] = {10, 25, 7};
  for (int i = 0; i < 3; ++i) {
    auto bitmap = TrueColorBitmap(24, 16, [&](int x, int y) { return (x + y + i * 5) % 3 ? 0x0033CCu : 0xFFCC00u; });
    int index = picture.Add(bitmap.get());
    TGifFrame* frame = picture.GetImages()->GetFrame(index);
    auto control = std::make_unique<TGifGraphicControlExtension>(frame);
    control->SetDelay(delays[i]);
    control->SetDisposal(dmBackground);
    frame->GetExtensions()->Add(std::move(control));
  }
  TGifFrame* first = picture.GetImages()->GetFrame(0);
  auto loop = std::make_unique<TGifLoopExtension>(first);
  loop->SetLoops(3);
  first->GetExtensions()->Insert(0, std::move(loop));
  auto comment = std::make_unique<TGifCommentExtension>(first);
  comment->Comment = {std::string(300, 'k')};
  first->GetExtensions()->Add(std::move(comment));
  EXPECT_EQ(picture.GetVersion(), kGifVersion89a);
  giffiles::WriteFile("animation.gif", Saved(picture));
  giffiles::AddEntry("{\"kind\": \"animation\", \"file\": \"animation.gif\", \"frames\": 3, "
                     "\"loop\": 3, \"durations\": [100, 250, 70], \"comment\": \"" +
                     std::string(300, 'k') + "\", \"comment_blocks\": [255, 45]}");
}

// ---------------------------------------------------------------------------------------------

TEST(GifPictureSizes, SidesBeyondSixteenBitsAreRefused) {
  TGifPicture picture;
  auto wide = TrueColorBitmap(65536, 1, [](int, int) { return 0u; });
  EXPECT_THROW(picture.Assign(wide.get()), EGifError);
  auto frame = std::make_unique<TGifFrame>(&picture);
  EXPECT_THROW(frame->SetHeight(65536), EGifError);
  frame->SetWidth(10000);
  EXPECT_THROW(frame->SetLeft(60000), EGifError);  // the screen would pass 65535
  EXPECT_EQ(frame->GetLeft(), 0);
  EXPECT_THROW(picture.SetWidth(70000), EGifError);
  // 65535 x 65535 is computed in 64 bits: more than this process can hold, not a wrapped size.
  frame->SetWidth(65535);
  EXPECT_THROW(frame->SetHeight(65535), std::bad_alloc);
  EXPECT_TRUE(frame->GetEmpty());
}

TEST(GifPictureSizes, GrowingAFrameGrowsTheScreenWithWarnings) {
  TGifPicture picture;
  Recorder recorder;
  recorder.Attach(picture);
  auto bitmap = TrueColorBitmap(10, 5, Smooth);
  picture.Assign(bitmap.get());
  EXPECT_TRUE(recorder.warnings.empty());  // an empty screen takes the first frame's size
  TGifFrame* frame = picture.GetImages()->GetFrame(0);
  frame->SetWidth(30);
  EXPECT_EQ(picture.GetWidth(), 30);
  EXPECT_EQ(recorder.warnings, (std::vector<std::string>{"1 Image width too small for contained frames",
                                                         "1 Image exceeds Logical Screen size"}));
  try {
    picture.SetHeight(4);
    FAIL();
  } catch (const EGifError& e) {
    EXPECT_EQ(e.GetMessage(), "Image height too small for contained frames");
  }
  EXPECT_EQ(picture.GetHeight(), 5);
  picture.SetWidth(40);
  EXPECT_EQ(picture.GetWidth(), 40);
}

// ---------------------------------------------------------------------------------------------

TEST(GifPictureCopy, AssignCopiesFramesAndKeepsTheTargetsHandlers) {
  TGifPicture source;
  Recorder sourceRecorder;
  sourceRecorder.Attach(source);
  auto bitmap = TrueColorBitmap(12, 9, Smooth);
  source.Add(bitmap.get());
  source.Add(bitmap.get());
  source.GetImages()->GetFrame(1)->SetLeft(20);
  source.SetColorReduction(5);
  source.SetReductionBits(3);
  sourceRecorder.progress.clear();

  TGifPicture target;
  Recorder targetRecorder;
  targetRecorder.Attach(target);
  target.Assign(&source);
  ASSERT_EQ(target.GetImages()->GetCount(), 2);
  EXPECT_EQ(target.GetWidth(), 32);
  EXPECT_EQ(target.GetColorReduction(), 5);
  EXPECT_EQ(target.GetReductionBits(), 8);  // the target keeps its own
  // The copy reported through the source's handler ...
  EXPECT_EQ(sourceRecorder.progress.front(), "0 0 Copying...");
  EXPECT_EQ(sourceRecorder.progress.back(), "2 100 Copying...");
  EXPECT_EQ(Saved(target), Saved(source));
  // ... and the target's own handlers work again afterwards.
  targetRecorder.progress.clear();
  Saved(target);
  EXPECT_FALSE(targetRecorder.progress.empty());
  target.GetImages()->GetFrame(0)->SetWidth(40);
  EXPECT_FALSE(targetRecorder.warnings.empty());

  target.Assign(&target);
  EXPECT_EQ(target.GetImages()->GetCount(), 2);
  target.Assign(nullptr);
  EXPECT_TRUE(target.GetEmpty());
}

// A frame assigned to a picture becomes its one frame, copied whole: pixels, place, its own or
// its picture's table, its extensions. The frame may be one of the picture's own.
TEST(GifPictureCopy, AssigningAFrameMakesItThePicturesOneFrame) {
  TGifPicture source;
  for (TColor c : {clRed, clLime, clBlue}) source.GetGlobalColorMap()->Add(c);
  auto* onGlobal = new TGifFrame(&source);
  source.Add(onGlobal);
  onGlobal->SetLeft(3);
  onGlobal->SetTop(2);
  onGlobal->SetWidth(4);
  onGlobal->SetHeight(2);
  for (size_t i = 0; i < onGlobal->GetDataSize(); ++i) onGlobal->GetData()[i] = static_cast<std::uint8_t>(i % 3);
  auto* control = new TGifGraphicControlExtension(onGlobal);
  onGlobal->GetExtensions()->Add(std::unique_ptr<TGifExtension>(control));
  control->SetTransparentColorIndex(2);
  control->SetTransparent(true);
  control->SetDelay(40);
  auto bitmap = TrueColorBitmap(5, 5, Smooth);
  source.Add(bitmap.get());  // a frame with a table of its own
  const std::string before = Saved(source);

  auto shown = [](TGifFrame* frame) {
    std::vector<TColor> colours;
    for (size_t i = 0; i < frame->GetDataSize(); ++i)
      colours.push_back(frame->GetActiveColorMap()->GetColor(frame->GetData()[i]));
    return colours;
  };
  for (int index : {0, 1}) {
    SCOPED_TRACE(index);
    TGifFrame* original = source.GetImages()->GetFrame(index);
    TGifPicture target;
    auto bitmapFrame = TrueColorBitmap(2, 2, Smooth);
    target.Add(bitmapFrame.get());
    target.Add(bitmapFrame.get());
    target.Assign(original);
    ASSERT_EQ(target.GetImages()->GetCount(), 1);
    TGifFrame* copy = target.GetImages()->GetFrame(0);
    EXPECT_EQ(copy->GetLeft(), original->GetLeft());
    EXPECT_EQ(copy->GetTop(), original->GetTop());
    EXPECT_EQ(target.GetWidth(), original->GetLeft() + original->GetWidth());
    EXPECT_EQ(target.GetHeight(), original->GetTop() + original->GetHeight());
    EXPECT_EQ(shown(copy), shown(original));
    EXPECT_EQ(copy->GetTransparentColorIndex(), original->GetTransparentColorIndex());
    EXPECT_EQ(copy->GetExtensions()->GetCount(), original->GetExtensions()->GetCount());
    // It reads back from its own file as it is.
    TStringStream file(Saved(target));
    TGifPicture reread;
    reread.LoadFromStream(&file);
    ASSERT_EQ(reread.GetImages()->GetCount(), 1);
    EXPECT_EQ(shown(reread.GetImages()->GetFrame(0)), shown(original));
  }
  EXPECT_EQ(Saved(source), before);  // the source is left as it was

  const std::vector<TColor> second = shown(source.GetImages()->GetFrame(1));
  source.Assign(source.GetImages()->GetFrame(1));
  ASSERT_EQ(source.GetImages()->GetCount(), 1);
  EXPECT_EQ(shown(source.GetImages()->GetFrame(0)), second);
}

TEST(GifPictureCopy, AddTakesGraphicsAndFramesOnly) {
  TGifPicture picture;
  auto bitmap = TrueColorBitmap(3, 3, Smooth);
  EXPECT_EQ(picture.Add(bitmap.get()), 0);
  auto frame = new TGifFrame(&picture);
  EXPECT_EQ(picture.Add(frame), 1);
  EXPECT_EQ(picture.GetImages()->GetFrame(1), frame);
  TStringList notAGraphic;
  try {
    picture.Add(&notAGraphic);
    FAIL();
  } catch (const EGifError& e) {
    EXPECT_EQ(e.GetMessage(), "Object type not supported for operation");
  }
}

}  // namespace
