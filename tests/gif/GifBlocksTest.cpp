// Colour tables, extensions and their registries: the operations and the byte layout each block
// writes and reads, through the public classes.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "GifTestSupport.h"
#include "classlib/Classes.h"
#include "gif/GifPicture.h"

namespace {

using giftest::Warnings;

TColor Rgb(int r, int g, int b) { return static_cast<TColor>(RGB(r, g, b)); }

std::string Written(TGifItem& item) {
  TStringStream stream;
  item.SaveToStream(&stream);
  return stream.GetDataString();
}

// A frame of the given pixels with a local table of `colours` entries (colour i = (i, 2i, 3i)).
TGifFrame* AddFrame(TGifPicture& picture, int colours, const std::vector<std::uint8_t>& pixels) {
  auto frame = std::make_unique<TGifFrame>(&picture);
  for (int i = 0; i < colours; ++i) frame->GetColorMap()->Add(Rgb(i, 2 * i, 3 * i));
  frame->SetWidth(static_cast<int>(pixels.size()));
  frame->SetHeight(1);
  std::copy(pixels.begin(), pixels.end(), frame->GetData());
  TGifFrame* added = frame.get();
  picture.Add(frame.release());
  return added;
}

// ---------------------------------------------------------------------------------------------

TEST(GifColorTable, AddFindAndDelete) {
  TGifPicture picture;
  TGifColorMap* map = picture.GetGlobalColorMap();
  for (int i = 0; i < 256; ++i) map->Add(Rgb(i, i == 7 ? 3 : i, 0));
  EXPECT_EQ(map->GetCount(), 256);
  EXPECT_EQ(map->AddUnique(Rgb(5, 5, 0)), 5);  // present: no overflow
  try {
    map->Add(Rgb(1, 2, 3));
    FAIL();
  } catch (const EGifError& e) {
    EXPECT_EQ(e.GetMessage(), "Color table overflow");
  }
  map->Clear();
  for (int i = 0; i < 10; ++i) map->Add(i == 3 || i == 7 ? clRed : Rgb(0, i, 0));
  EXPECT_EQ(map->IndexOf(clRed), 7);  // unsorted: searched from the end
  map->SetOptimized(true);
  EXPECT_EQ(map->IndexOf(clRed), 3);  // sorted by use: searched from the start
  EXPECT_EQ(map->IndexOf(clBlue), -1);
  map->Delete(3);
  EXPECT_FALSE(map->GetOptimized());
  EXPECT_EQ(map->GetColor(3), Rgb(0, 4, 0));
  EXPECT_THROW(map->Delete(9), EGifError);
  EXPECT_THROW(map->Delete(-1), EGifError);
}

TEST(GifColorTable, IndexOutsideWarnsAndAnEmptyTableFails) {
  TGifPicture picture;
  Warnings log;
  picture.SetOnWarning(TGifWarning(&log, &Warnings::OnWarning));
  TGifColorMap* map = picture.GetGlobalColorMap();
  EXPECT_THROW(map->GetColor(0), EGifError);
  map->Add(clLime);
  map->Add(clRed);
  EXPECT_EQ(map->GetColor(5), clLime);
  EXPECT_EQ(log.messages.back(), "Invalid color index");
}

TEST(GifColorTable, PaletteExportAndImportKeepTheColours) {
  TGifPicture picture;
  TGifColorMap* map = picture.GetGlobalColorMap();
  EXPECT_EQ(map->ExportPalette(), nullptr);
  for (int i = 0; i < 5; ++i) map->Add(Rgb(10 * i, 255 - i, 7));
  HPALETTE palette = map->ExportPalette();
  ASSERT_NE(palette, nullptr);
  TGifFrame frame(&picture);
  frame.GetColorMap()->ImportPalette(palette);
  DeleteObject(palette);
  ASSERT_EQ(frame.GetColorMap()->GetCount(), 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(frame.GetColorMap()->GetColor(i), map->GetColor(i));
}

TEST(GifColorTable, TablesArePaddedToAPowerOfTwo) {
  TGifPicture picture;
  TGifFrame* frame = AddFrame(picture, 3, {0, 1, 2, 1});
  std::string data = Written(*frame);
  ASSERT_GE(data.size(), 10u + 12u);
  EXPECT_EQ(static_cast<std::uint8_t>(data[9]), 0x81);  // local table, 2 bits per pixel
  EXPECT_EQ(data.substr(10 + 9, 3), std::string(3, '\0'));  // the fourth entry is black
  EXPECT_EQ(static_cast<std::uint8_t>(data[10 + 12]), 2);  // minimum code size
  TGifFrame* full = AddFrame(picture, 256, {0, 255});
  EXPECT_EQ(static_cast<std::uint8_t>(Written(*full)[9]), 0x87);
}

TEST(GifColorTable, OptimizeOrdersByUseAndDropsUnusedEntries) {
  struct Case {
    const char* name;
    int colours;
    std::vector<std::uint8_t> pixels;
    std::vector<int> order;  // old index of each entry after optimising
  };
  const Case cases[] = {
      // Equal counts keep their index order, whatever the sort does with equal keys.
      {"ties", 4, {0, 1, 2, 2, 0, 1, 2}, {2, 0, 1}},
      // Already in order: the unused entries still go.
      {"identity with unused", 256, {0, 0, 0, 1, 1, 2}, {0, 1, 2}},
      {"reversed", 3, {2, 2, 2, 1, 1, 0}, {2, 1, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TGifPicture picture;
    TGifFrame* frame = AddFrame(picture, c.colours, c.pixels);
    std::vector<TColor> before;
    for (std::uint8_t p : c.pixels) before.push_back(frame->GetColorMap()->GetColor(p));
    EXPECT_TRUE(frame->GetColorMap()->Optimize());
    EXPECT_TRUE(frame->GetColorMap()->GetOptimized());
    ASSERT_EQ(frame->GetColorMap()->GetCount(), static_cast<int>(c.order.size()));
    for (size_t n = 0; n < c.order.size(); ++n)
      EXPECT_EQ(frame->GetColorMap()->GetColor(static_cast<int>(n)),
                Rgb(c.order[n], 2 * c.order[n], 3 * c.order[n]));
    for (size_t i = 0; i < c.pixels.size(); ++i)  // every pixel shows its colour still
      EXPECT_EQ(frame->GetColorMap()->GetColor(frame->GetData()[i]), before[i]);
  }
}

TEST(GifColorTable, OptimizeKeepsAnUnusedTransparentEntryValid) {
  TGifPicture picture;
  TGifFrame* frame = AddFrame(picture, 6, {1, 1, 4, 4, 4});
  auto control = std::make_unique<TGifGraphicControlExtension>(frame);
  control->SetTransparentColorIndex(5);  // no pixel uses it
  control->SetTransparent(true);
  frame->GetExtensions()->Add(std::move(control));
  frame->GetColorMap()->Optimize();
  ASSERT_EQ(frame->GetColorMap()->GetCount(), 3);
  int transparent = frame->GetTransparentColorIndex();
  ASSERT_EQ(transparent, 2);
  EXPECT_EQ(frame->GetColorMap()->GetColor(transparent), Rgb(5, 10, 15));
  EXPECT_EQ(frame->GetColorMap()->GetColor(frame->GetData()[0]), Rgb(1, 2, 3));
}

TEST(GifColorTable, GlobalTableCountsEveryFrameThatUsesIt) {
  TGifPicture picture;
  for (int i = 0; i < 4; ++i) picture.GetGlobalColorMap()->Add(Rgb(i, 2 * i, 3 * i));
  TGifFrame* a = AddFrame(picture, 0, {3, 3, 1});
  TGifFrame* b = AddFrame(picture, 0, {1, 3});
  TGifFrame* own = AddFrame(picture, 2, {0, 0, 0, 0, 0, 0});  // its own table: not counted
  picture.GetHeader()->SetBackgroundColorIndex(3);  // an entry in use: the table keeps the background's
  EXPECT_TRUE(picture.GetGlobalColorMap()->Optimize());
  ASSERT_EQ(picture.GetGlobalColorMap()->GetCount(), 2);
  EXPECT_EQ(picture.GetGlobalColorMap()->GetColor(0), Rgb(3, 6, 9));
  EXPECT_EQ(a->GetData()[0], 0);
  EXPECT_EQ(a->GetData()[2], 1);
  EXPECT_EQ(b->GetData()[1], 0);
  EXPECT_EQ(own->GetData()[0], 0);
  std::string header = Written(*picture.GetHeader());
  EXPECT_EQ(static_cast<std::uint8_t>(header[10]) & 0x88, 0x88);  // a global table, sorted
}

// ---------------------------------------------------------------------------------------------

TEST(GifExtensionBlocks, LoopCommentAndControlLayout) {
  TGifPicture picture;
  TGifFrame frame(&picture);
  TGifLoopExtension loop(&frame);
  loop.SetLoops(0x0102);
  EXPECT_EQ(Written(loop), std::string("!\xFF\x0BNETSCAPE2.0\x03\x01\x02\x01", 18) + '\0');
  loop.SetBufferSize(0x01020304);
  EXPECT_EQ(Written(loop).size(), 19u + 6u);  // the sub-block 5, 2 and four bytes

  TGifCommentExtension comment(&frame);
  comment.Comment = {std::string(300, 'c'), "", "end"};
  std::string data = Written(comment);
  ASSERT_EQ(data.size(), 2u + 1 + 255 + 1 + 45 + 1 + 3 + 1);
  EXPECT_EQ(static_cast<std::uint8_t>(data[2]), 255);
  EXPECT_EQ(static_cast<std::uint8_t>(data[2 + 256]), 45);
  EXPECT_EQ(static_cast<std::uint8_t>(data[2 + 256 + 46]), 3);  // the empty line writes nothing
  EXPECT_EQ(data.back(), '\0');

  auto control = std::make_unique<TGifGraphicControlExtension>(&frame);
  EXPECT_EQ(frame.GetGraphicControlExtension(), control.get());
  control->SetDelay(0x0A0B);
  control->SetDisposal(dmPrevious);
  control->SetUserInput(true);
  control->SetTransparent(true);
  EXPECT_TRUE(frame.GetTransparent());
  EXPECT_EQ(Written(*control), std::string("!\xF9\x04\x0F\x0B\x0A\x00\x00", 8));
  control.reset();  // destroying it leaves the frame opaque
  EXPECT_FALSE(frame.GetTransparent());
  EXPECT_EQ(frame.GetGraphicControlExtension(), nullptr);
}

TEST(GifExtensionBlocks, TransparentIndexMustFitTheTable) {
  TGifPicture picture;
  Warnings log;
  picture.SetOnWarning(TGifWarning(&log, &Warnings::OnWarning));
  TGifFrame* frame = AddFrame(picture, 4, {0, 1});
  auto control = std::make_unique<TGifGraphicControlExtension>(frame);
  control->SetTransparentColorIndex(3);
  EXPECT_EQ(control->GetTransparentColorIndex(), 3);
  EXPECT_TRUE(log.messages.empty());
  control->SetTransparentColorIndex(4);
  EXPECT_EQ(control->GetTransparentColorIndex(), 0);
  EXPECT_EQ(log.messages, std::vector<std::string>{"Invalid color index"});
}

// Extensions written by one frame and read back by another come back as the same classes.
TEST(GifExtensionBlocks, ReadBackThroughTheRegistries) {
  TGifPicture picture;
  TGifFrame source(&picture);
  auto add = [&](TGifExtension* e) { source.GetExtensions()->Add(std::unique_ptr<TGifItem>(e)); };
  auto* loop = new TGifLoopExtension(&source);
  loop->SetLoops(7);
  loop->SetBufferSize(99);
  add(loop);
  auto* comment = new TGifCommentExtension(&source);
  comment->Comment = {std::string(300, 'x')};
  add(comment);
  auto* text = new TGifTextExtension(&source);
  text->Left = 300;
  text->ForegroundIndex = 9;
  text->Text = {"hello"};
  add(text);
  auto* unknown = new TGifUnknownAppExtension(&source);
  unknown->SetIdentifier("KAPTORIX1.0");
  unknown->Blocks = {{"abc"}, {std::string(255, 'z')}};
  add(unknown);
  auto* control = new TGifGraphicControlExtension(&source);
  control->SetDelay(42);
  add(control);

  TStringStream stream;
  source.GetExtensions()->SaveToStream(&stream);
  stream.WriteString(",");
  stream.SetPosition(0);
  TGifFrame target(&picture);
  target.GetExtensions()->LoadFromStream(&stream, &target);
  EXPECT_EQ(stream.GetPosition(), stream.GetSize() - 1);  // left at the frame's separator
  ASSERT_EQ(target.GetExtensions()->GetCount(), 5);
  auto* readLoop = dynamic_cast<TGifLoopExtension*>(target.GetExtensions()->GetExtension(0));
  ASSERT_NE(readLoop, nullptr);
  EXPECT_EQ(readLoop->GetLoops(), 7);
  EXPECT_EQ(readLoop->GetBufferSize(), 99u);
  auto* readComment = dynamic_cast<TGifCommentExtension*>(target.GetExtensions()->GetExtension(1));
  ASSERT_NE(readComment, nullptr);
  EXPECT_EQ(readComment->Comment, (std::vector<std::string>{std::string(255, 'x'), std::string(45, 'x')}));
  auto* readText = dynamic_cast<TGifTextExtension*>(target.GetExtensions()->GetExtension(2));
  ASSERT_NE(readText, nullptr);
  EXPECT_EQ(readText->Left, 300);
  EXPECT_EQ(readText->ForegroundIndex, 9);
  EXPECT_EQ(readText->Text, std::vector<std::string>{"hello"});
  auto* readUnknown = dynamic_cast<TGifUnknownAppExtension*>(target.GetExtensions()->GetExtension(3));
  ASSERT_NE(readUnknown, nullptr);
  EXPECT_EQ(readUnknown->GetIdentifier(), "KAPTORIX1.0");
  ASSERT_EQ(readUnknown->Blocks.size(), 2u);
  EXPECT_EQ(readUnknown->Blocks[1].Data, std::string(255, 'z'));
  auto* readControl = dynamic_cast<TGifGraphicControlExtension*>(target.GetExtensions()->GetExtension(4));
  ASSERT_NE(readControl, nullptr);
  EXPECT_EQ(readControl->GetDelay(), 42);
  EXPECT_EQ(target.GetGraphicControlExtension(), readControl);
}

TEST(GifExtensionBlocks, MalformedBlocksAreRefused) {
  TGifPicture picture;
  TGifFrame frame(&picture);
  auto read = [&](const std::string& bytes) {
    TStringStream stream(bytes);
    TGifFrame target(&picture);
    target.GetExtensions()->LoadFromStream(&stream, &target);
    return target.GetExtensions()->GetCount();
  };
  try {
    read(std::string("!\x02\x00,", 4));
    FAIL();
  } catch (const EGifError& e) {
    EXPECT_EQ(e.GetMessage(), "Unknown extension type");
  }
  try {
    read(std::string("!\xFF\x09NETSCAPE2\x00,", 14));
    FAIL();
  } catch (const EGifError& e) {
    EXPECT_EQ(e.GetMessage(), "Unsupported Application Extension block size");
  }
  // Block size 10: the identifier's eleventh byte is the first of the data.
  EXPECT_EQ(read(std::string("!\xFF\x0A" "ABCDEFGH12\x00,", 15)), 1);
  // A loop sub-block too short for its count.
  EXPECT_THROW(read(std::string("!\xFF\x0BNETSCAPE2.0\x02\x01\x05\x00,", 19)), EGifError);
  // Reading an extension of another label into a class.
  TGifCommentExtension comment(&frame);
  TStringStream wrong(std::string("!\xF9\x04\x00\x00\x00\x00\x00", 8));
  try {
    comment.LoadFromStream(&wrong);
    FAIL();
  } catch (const EGifError& e) {
    EXPECT_EQ(e.GetMessage(), "Internal error: Extension Instance does not match Extension Label");
  }
}

}  // namespace
