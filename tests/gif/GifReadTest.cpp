// Reading GIF pictures: files that Pillow wrote read as Pillow reads them, our own files read
// back to the same frames, and the reader's tolerances and refusals.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "GifFilesOutput.h"
#include "GifTestSupport.h"
#include "classlib/Classes.h"
#include "gif/GifPicture.h"
#include "support/TestSupport.h"

namespace {

using giftest::Put16;
using giftest::Warnings;

struct PillowFrame {
  int left = 0, top = 0, width = 0, height = 0, duration = 0;
};

struct PillowReading {
  int frames = 0, loop = -1, transparency = -1;
  std::string comment;
  std::vector<PillowFrame> frameList;
};

PillowReading ReadExpectations(const std::string& path) {
  PillowReading result;
  std::istringstream in(testsupport::ReadBytes(path));
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string key;
    words >> key;
    if (key == "frames") words >> result.frames;
    if (key == "loop") words >> result.loop;
    if (key == "transparency") words >> result.transparency;
    if (key == "comment") result.comment = line.size() > 8 ? line.substr(8) : "";
    if (key == "frame") {
      int n;
      PillowFrame f;
      words >> n >> f.left >> f.top >> f.width >> f.height >> f.duration;
      result.frameList.push_back(f);
    }
  }
  return result;
}

TGifLoopExtension* LoopOf(TGifPicture& picture) {
  TGifExtensionList* list = picture.GetImages()->GetFrame(0)->GetExtensions();
  for (int i = 0; i < list->GetCount(); ++i)
    if (auto* loop = dynamic_cast<TGifLoopExtension*>(list->GetExtension(i))) return loop;
  return nullptr;
}

std::string CommentOf(TGifPicture& picture) {
  std::string text;
  for (int f = 0; f < picture.GetImages()->GetCount(); ++f) {
    TGifExtensionList* list = picture.GetImages()->GetFrame(f)->GetExtensions();
    for (int i = 0; i < list->GetCount(); ++i)
      if (auto* comment = dynamic_cast<TGifCommentExtension*>(list->GetExtension(i)))
        for (const std::string& line : comment->Comment) text += line;
  }
  return text;
}

TEST(GifRead, PicturesThatPillowWroteReadAsPillowReadsThem) {
  const std::string folder = testsupport::ExeFolder() + "gif-pillow\\";
  int checked = 0;
  for (const char* name : giftest::kPillowPictures) {
    SCOPED_TRACE(name);
    PillowReading expected = ReadExpectations(folder + name + ".txt");
    ASSERT_GT(expected.frames, 0) << "no expectations in " << folder;
    TGifPicture picture;
    Warnings warnings;
    picture.SetOnWarning(TGifWarning(&warnings, &Warnings::OnWarning));
    picture.LoadFromFile(folder + name + ".gif");
    EXPECT_TRUE(warnings.messages.empty()) << warnings.messages.front();
    ASSERT_EQ(picture.GetImages()->GetCount(), expected.frames);
    TGifLoopExtension* loop = LoopOf(picture);
    EXPECT_EQ(loop ? loop->GetLoops() : -1, expected.loop);
    EXPECT_EQ(CommentOf(picture), expected.comment);
    EXPECT_EQ(picture.GetImages()->GetFrame(0)->GetTransparentColorIndex(), expected.transparency);
    for (int n = 0; n < expected.frames; ++n) {
      SCOPED_TRACE(n);
      TGifFrame* frame = picture.GetImages()->GetFrame(n);
      const PillowFrame& want = expected.frameList[static_cast<size_t>(n)];
      EXPECT_EQ(frame->GetLeft(), want.left);
      EXPECT_EQ(frame->GetTop(), want.top);
      ASSERT_EQ(frame->GetWidth(), want.width);
      ASSERT_EQ(frame->GetHeight(), want.height);
      int delay = frame->GetGraphicControlExtension() ? frame->GetGraphicControlExtension()->GetDelay() : 0;
      if (want.duration) {
        EXPECT_EQ(delay * 10, want.duration);
      }
      // Pillow shows the whole screen; every opaque pixel of the frame must show its colour.
      std::string rgb = testsupport::ReadBytes(folder + name + "-" + std::to_string(n) + ".rgb");
      ASSERT_EQ(rgb.size(), static_cast<size_t>(picture.GetWidth()) * picture.GetHeight() * 3);
      TGifColorMap* map = frame->GetActiveColorMap();
      int wrong = 0;
      for (int y = 0; y < frame->GetHeight(); ++y)
        for (int x = 0; x < frame->GetWidth(); ++x) {
          int index = frame->ScanLine(y)[x];
          if (index == frame->GetTransparentColorIndex()) continue;
          TColor colour = map->GetColor(index);
          size_t at = 3 * (static_cast<size_t>(y + frame->GetTop()) * picture.GetWidth() + x + frame->GetLeft());
          if (GetRValue(colour) != static_cast<std::uint8_t>(rgb[at]) ||
              GetGValue(colour) != static_cast<std::uint8_t>(rgb[at + 1]) ||
              GetBValue(colour) != static_cast<std::uint8_t>(rgb[at + 2]))
            ++wrong;
        }
      EXPECT_EQ(wrong, 0);
    }
    ++checked;
  }
  EXPECT_EQ(checked, 5);
}

TEST(GifRead, OurFilesReadBackToTheSameFramesAndTables) {
  for (std::uint8_t compression : {kGifCompressionLZW, kGifCompressionRLE}) {
    TGifPicture picture;
    picture.SetCompression(compression);
    for (int i = 0; i < 16; ++i) picture.GetGlobalColorMap()->Add(static_cast<TColor>(RGB(i * 16, 255 - i, i)));
    for (int f = 0; f < 3; ++f) {
      auto frame = std::make_unique<TGifFrame>(&picture);
      frame->SetLeft(f * 3);
      frame->SetWidth(50 + f);
      frame->SetHeight(20 + 5 * f);
      frame->SetInterlaced(f == 1);
      if (f == 2)
        for (int i = 0; i < 5; ++i) frame->GetColorMap()->Add(static_cast<TColor>(RGB(i, i, 200)));
      std::vector<std::uint8_t> pixels = giffiles::Runs(50 + f, 20 + 5 * f, f == 2 ? 5 : 16, f + 1);
      std::copy(pixels.begin(), pixels.end(), frame->GetData());
      picture.Add(frame.release());
    }
    TStringStream stream;
    picture.SaveToStream(&stream);
    stream.SetPosition(0);
    TGifPicture read;
    read.LoadFromStream(&stream);
    ASSERT_EQ(read.GetImages()->GetCount(), 3);
    EXPECT_EQ(read.GetWidth(), picture.GetWidth());
    EXPECT_EQ(read.GetGlobalColorMap()->Entries(), picture.GetGlobalColorMap()->Entries());
    for (int f = 0; f < 3; ++f) {
      TGifFrame* a = picture.GetImages()->GetFrame(f);
      TGifFrame* b = read.GetImages()->GetFrame(f);
      EXPECT_EQ(b->GetLeft(), a->GetLeft());
      EXPECT_EQ(b->GetInterlaced(), a->GetInterlaced());
      // The stream pads a table to a power of two with black.
      std::vector<TGifColor> table = a->GetColorMap()->Entries();
      if (!table.empty()) table.resize(static_cast<size_t>(1) << a->GetColorMap()->GetBitsPerPixel());
      EXPECT_EQ(b->GetColorMap()->Entries(), table);
      ASSERT_EQ(b->GetDataSize(), a->GetDataSize());
      EXPECT_TRUE(std::equal(a->GetData(), a->GetData() + a->GetDataSize(), b->GetData()));
    }
  }
}

TEST(GifRead, ToleratesWhatItCanAndRefusesTheRest) {
  TGifPicture source;
  auto frame = std::make_unique<TGifFrame>(&source);
  frame->GetColorMap()->Add(clBlack);
  frame->GetColorMap()->Add(clWhite);
  frame->SetWidth(8);
  frame->SetHeight(8);
  for (int i = 0; i < 64; ++i) frame->GetData()[i] = static_cast<std::uint8_t>(i % 3 == 0);
  source.Add(frame.release());
  TStringStream saved;
  source.SaveToStream(&saved);
  const std::string good = saved.GetDataString();

  auto load = [](const std::string& bytes, Warnings& warnings) {
    TStringStream stream(bytes);
    auto picture = std::make_unique<TGifPicture>();
    picture->SetOnWarning(TGifWarning(&warnings, &Warnings::OnWarning));
    picture->LoadFromStream(&stream);
    return picture;
  };
  {  // four bytes of anything before the signature
    Warnings w;
    EXPECT_EQ(load("abcd" + good, w)->GetImages()->GetCount(), 1);
  }
  {  // any other prefix is refused, and the stream goes back to where it was
    Warnings w;
    TStringStream stream("abc" + good);
    TGifPicture picture;
    try {
      picture.LoadFromStream(&stream);
      FAIL();
    } catch (const EGifError& e) {
      EXPECT_EQ(e.GetMessage(), "Invalid GIF signature");
    }
    EXPECT_EQ(stream.GetPosition(), 0);
  }
  {  // no trailer: silent; a wrong one warns
    Warnings w;
    load(good.substr(0, good.size() - 1), w);
    EXPECT_TRUE(w.messages.empty());
    load(good.substr(0, good.size() - 1) + "x", w);
    EXPECT_NE(std::find(w.messages.begin(), w.messages.end(), "Unknown GIF block type"), w.messages.end());
  }
  {  // zero bytes between blocks are skipped
    Warnings w;
    std::string padded = good.substr(0, good.size() - 1) + std::string(3, '\0') + ";";
    EXPECT_EQ(load(padded, w)->GetImages()->GetCount(), 1);
    EXPECT_TRUE(w.messages.empty());
  }
  {  // cut anywhere: never a crash; either an error or what could be read
    for (size_t cut = 0; cut < good.size(); ++cut) {
      Warnings w;
      TStringStream stream(good.substr(0, cut));
      TGifPicture picture;
      picture.SetOnWarning(TGifWarning(&w, &Warnings::OnWarning));
      try {
        picture.LoadFromStream(&stream);
      } catch (const EGifError&) {
      }
      EXPECT_LE(picture.GetImages()->GetCount(), 1);
    }
  }
}

// "GIF89a" with a screen of 2 x 2, the given extensions, one frame of 2 x 2 whose image data
// (code size 2) holds the pixels 1, 2, 3, 0, and the trailer. A table of two entries (white,
// red) stands as global or local table, or there is none.
enum class TableAt { Global, Local, None };
std::string TwoByTwo(TableAt table, const std::string& extensions = "") {
  const std::string whiteRed("\xFF\xFF\xFF\xFF\x00\x00", 6);
  std::string gif = "GIF89a";
  Put16(gif, 2);
  Put16(gif, 2);
  gif += table == TableAt::Global ? '\x80' : '\x00';
  gif += std::string(2, '\0');
  if (table == TableAt::Global) gif += whiteRed;
  gif += extensions;
  gif += ',';
  for (int value : {0, 0, 2, 2}) Put16(gif, value);
  gif += table == TableAt::Local ? '\x80' : '\x00';
  if (table == TableAt::Local) gif += whiteRed;
  return gif + giftest::FourPixels() + ";";
}

// The colours of a bitmap's pixels, row after row.
std::vector<TColor> PixelColours(TBitmap& bitmap) {
  bitmap.SetPixelFormat(pf24bit);
  std::vector<TColor> colours;
  for (int y = 0; y < bitmap.GetHeight(); ++y) {
    const auto* row = static_cast<const std::uint8_t*>(bitmap.ScanLine(y));
    for (int x = 0; x < bitmap.GetWidth(); ++x)
      colours.push_back(static_cast<TColor>(RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x])));
  }
  return colours;
}

std::vector<TColor> ShownColours(TGifPicture& picture) {
  TBitmap bitmap;
  bitmap.Assign(&picture);
  return PixelColours(bitmap);
}

// A code size above the table's lets pixels name entries the table lacks. They are shown black,
// the loading warns, and the picture is saved as it was shown: the table holds them now. Pillow
// and ImageMagick read the saved file to the same indices and colours.
TEST(GifRead, PixelsBeyondTheirColourTableAreShownBlackAndSavedAsShown) {
  const struct {
    const char* name;
    TableAt table;
    std::vector<TColor> shown;
  } cases[] = {
      {"global", TableAt::Global, {clRed, clBlack, clBlack, clWhite}},
      {"local", TableAt::Local, {clRed, clBlack, clBlack, clWhite}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TGifPicture picture;
    Warnings warnings;
    picture.SetOnWarning(TGifWarning(&warnings, &Warnings::OnWarning));
    TStringStream stream(TwoByTwo(c.table));
    picture.LoadFromStream(&stream);
    EXPECT_EQ(warnings.messages, (std::vector<std::string>{"Invalid color index"}));
    ASSERT_EQ(picture.GetImages()->GetCount(), 1);
    TGifFrame* frame = picture.GetImages()->GetFrame(0);
    ASSERT_EQ(std::vector<std::uint8_t>(frame->GetData(), frame->GetData() + 4),
              (std::vector<std::uint8_t>{1, 2, 3, 0}));
    EXPECT_EQ(ShownColours(picture), c.shown);

    TStringStream saved;
    ASSERT_NO_THROW(picture.SaveToStream(&saved));
    TGifPicture again;
    Warnings quiet;
    again.SetOnWarning(TGifWarning(&quiet, &Warnings::OnWarning));
    TStringStream reread(saved.GetDataString());
    again.LoadFromStream(&reread);
    EXPECT_TRUE(quiet.messages.empty());
    TGifFrame* back = again.GetImages()->GetFrame(0);
    EXPECT_EQ(std::vector<std::uint8_t>(back->GetData(), back->GetData() + 4),
              (std::vector<std::uint8_t>{1, 2, 3, 0}));
    EXPECT_EQ(ShownColours(again), c.shown);

    const std::string name = std::string("beyond-table-") + c.name;
    giffiles::WriteFile(name + ".gif", saved.GetDataString());
    giffiles::WriteFile(name + ".raw", std::string("\x01\x02\x03\x00", 4));
    // The table: the two colours of the file, then black.
    const std::vector<std::uint32_t> palette = {0xFFFFFF, 0xFF0000, 0, 0};
    giffiles::AddEntry("{\"kind\": \"indices\", \"file\": " + giffiles::Quote(name + ".gif") +
                       ", \"raw\": " + giffiles::Quote(name + ".raw") +
                       ", \"width\": 2, \"height\": 2, \"magick\": true, \"palette\": " +
                       giffiles::PaletteJson(palette) + "}");
  }
}

// The colours of the picture as Draw puts them on a 24-bit bitmap of the screen's size.
std::vector<TColor> DrawnColours(TGifPicture& picture) {
  TBitmap target;
  target.SetPixelFormat(pf24bit);
  target.SetSize(picture.GetWidth(), picture.GetHeight());
  picture.Draw(target.GetCanvas(), RECT{0, 0, picture.GetWidth(), picture.GetHeight()});
  return PixelColours(target);
}

// A frame of no colour table at all, neither its own nor the picture's, is drawn through the
// system's palette: each index shows the system's colour of that index, and an index beyond
// them black. Saved, the frame carries those colours as its table, so that the program and
// every other reader (Pillow, ImageMagick) show the same colours.
TEST(GifRead, AFrameWithoutAnyColourTableShowsTheSystemsColoursAndIsSavedWithThem) {
  PALETTEENTRY entries[20];
  ASSERT_EQ(GetPaletteEntries(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), 0, 20, entries), 20u);
  auto system = [&](int index) {
    return static_cast<TColor>(RGB(entries[index].peRed, entries[index].peGreen, entries[index].peBlue));
  };
  ASSERT_NE(system(1), system(0));  // the colours tell the indices apart
  struct Case {
    const char* name;
    std::string stream;                // read from this, else built with these pixels in a row
    std::vector<std::uint8_t> pixels;  // as the frame holds them
    std::vector<TColor> shown;
    int framePacked;                   // of the saved frame: a table of this size
  };
  const Case cases[] = {
      {"read", TwoByTwo(TableAt::None), {1, 2, 3, 0}, {system(1), system(2), system(3), system(0)}, 0x84},
      {"built", "", {5, 19, 20, 255}, {system(5), system(19), clBlack, clBlack}, 0x87},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TGifPicture picture;
    Warnings warnings;
    picture.SetOnWarning(TGifWarning(&warnings, &Warnings::OnWarning));
    if (!c.stream.empty()) {
      TStringStream stream(c.stream);
      picture.LoadFromStream(&stream);
    } else {
      auto frame = std::make_unique<TGifFrame>(&picture);
      frame->SetWidth(static_cast<int>(c.pixels.size()));
      frame->SetHeight(1);
      std::copy(c.pixels.begin(), c.pixels.end(), frame->GetData());
      picture.Add(frame.release());
    }
    EXPECT_TRUE(warnings.messages.empty());
    ASSERT_EQ(picture.GetImages()->GetCount(), 1);
    TGifFrame* frame = picture.GetImages()->GetFrame(0);
    EXPECT_EQ(frame->GetActiveColorMap()->GetCount(), 0);  // reading adds no table
    EXPECT_EQ(DrawnColours(picture), c.shown);
    EXPECT_EQ(ShownColours(picture), c.shown);

    TStringStream saved;
    ASSERT_NO_THROW(picture.SaveToStream(&saved));
    const std::string bytes = saved.GetDataString();
    ASSERT_GT(bytes.size(), 22u);
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[22]), c.framePacked);  // no global table before it
    TGifPicture again;
    again.SetOnWarning(TGifWarning(&warnings, &Warnings::OnWarning));
    TStringStream reread(bytes);
    again.LoadFromStream(&reread);
    EXPECT_TRUE(warnings.messages.empty());
    ASSERT_EQ(again.GetImages()->GetCount(), 1);
    TGifFrame* back = again.GetImages()->GetFrame(0);
    EXPECT_EQ(std::vector<std::uint8_t>(back->GetData(), back->GetData() + back->GetDataSize()), c.pixels);
    EXPECT_EQ(DrawnColours(again), c.shown);

    const std::string name = std::string("without-table-") + c.name;
    std::string rgb;
    for (TColor colour : c.shown)
      rgb += {static_cast<char>(GetRValue(colour)), static_cast<char>(GetGValue(colour)),
              static_cast<char>(GetBValue(colour))};
    giffiles::WriteFile(name + ".gif", bytes);
    giffiles::WriteFile(name + ".rgb", rgb);
    giffiles::AddEntry("{\"kind\": \"rgb\", \"file\": " + giffiles::Quote(name + ".gif") +
                       ", \"expected\": " + giffiles::Quote(name + ".rgb") + ", \"width\": " +
                       std::to_string(picture.GetWidth()) + ", \"height\": " + std::to_string(picture.GetHeight()) +
                       ", \"frame_packed\": " + std::to_string(c.framePacked) + "}");
  }
}

// A transparent index beyond the table is an entry the table lacks too: the table holds it
// after loading, so that pixels that take it later (merging a frame with the one before it)
// are saved.
TEST(GifRead, ATransparentIndexBeyondTheTableIsAnEntryOfItAfterLoading) {
  const std::string first = TwoByTwo(TableAt::Local);
  const std::string control("!\xF9\x04\x01\x00\x00\x06\x00", 8);  // transparent index 6
  const std::string second = TwoByTwo(TableAt::Local, control).substr(13);  // after the screen
  TGifPicture picture;
  Warnings warnings;
  picture.SetOnWarning(TGifWarning(&warnings, &Warnings::OnWarning));
  TStringStream stream(first.substr(0, first.size() - 1) + second);
  picture.LoadFromStream(&stream);
  ASSERT_EQ(picture.GetImages()->GetCount(), 2);
  TGifFrame* frame = picture.GetImages()->GetFrame(1);
  EXPECT_EQ(frame->GetTransparentColorIndex(), 6);
  EXPECT_EQ(frame->GetActiveColorMap()->GetCount(), 7);
  EXPECT_EQ(warnings.messages, (std::vector<std::string>{"Invalid color index", "Invalid color index"}));

  picture.Optimize(ooMerge, 0, 0, 8);  // the second frame shows what the first does: all of it goes
  ASSERT_EQ(std::vector<std::uint8_t>(frame->GetData(), frame->GetData() + 4), std::vector<std::uint8_t>(4, 6));
  TStringStream saved;
  ASSERT_NO_THROW(picture.SaveToStream(&saved));
  TGifPicture again;
  TStringStream reread(saved.GetDataString());
  again.LoadFromStream(&reread);
  ASSERT_EQ(again.GetImages()->GetCount(), 2);
  TGifFrame* back = again.GetImages()->GetFrame(1);
  EXPECT_EQ(std::vector<std::uint8_t>(back->GetData(), back->GetData() + 4), std::vector<std::uint8_t>(4, 6));
  EXPECT_EQ(back->GetTransparentColorIndex(), 6);
}

// A graphic control extension whose block-size byte is damaged reads as the four bytes it
// holds, and is written with the size it has, so that other readers read the saved file.
TEST(GifRead, AGraphicControlExtensionWithADamagedSizeIsSavedWithItsTrueSize) {
  for (int size : {0, 1, 3, 5, 7, 200, 255}) {
    SCOPED_TRACE(size);
    // Transparent index 2, delay 30, disposal 2.
    std::string control = "!\xF9";
    control += static_cast<char>(size);
    control += std::string("\x09\x1E\x00\x02\x00", 5);
    TGifPicture picture;
    TStringStream stream(TwoByTwo(TableAt::Local, control));
    picture.LoadFromStream(&stream);
    ASSERT_EQ(picture.GetImages()->GetCount(), 1);
    TGifGraphicControlExtension* read = picture.GetImages()->GetFrame(0)->GetGraphicControlExtension();
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->GetDelay(), 30);
    EXPECT_EQ(read->GetTransparentColorIndex(), 2);

    TStringStream saved;
    picture.SaveToStream(&saved);
    const std::string bytes = saved.GetDataString();
    const size_t at = bytes.find("!\xF9");
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(bytes.substr(at, 8), std::string("!\xF9\x04\x09\x1E\x00\x02\x00", 8));

    const std::string name = "damaged-control-size-" + std::to_string(size);
    giffiles::WriteFile(name + ".gif", bytes);
    giffiles::WriteFile(name + ".raw", std::string("\x01\x02\x03\x00", 4));
    giffiles::AddEntry("{\"kind\": \"indices\", \"file\": " + giffiles::Quote(name + ".gif") +
                       ", \"raw\": " + giffiles::Quote(name + ".raw") + ", \"width\": 2, \"height\": 2, "
                       "\"magick\": false, \"palette\": []}");
  }
}

}  // namespace
