// Writes pictures into bin/pictures-out with a manifest of what each should show; the
// ctest "pictures_decoded" reads them with an independent decoder (Pillow) and checks them.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include "classlib/Classes.h"
#include "classlib/Graphics.h"
#include "engine/u_TextPicture.h"
#include "engine/u_WideFuncText.h"
#include "support/OutputFiles.h"
#include "support/TestSupport.h"

namespace {

std::string Utf8(const std::wstring& text) {
  int length = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                   nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(),
                      length, nullptr, nullptr);
  return out;
}

testsupport::OutputFiles g_output("pictures-out");

std::wstring OutputFolder() {
  const std::string& folder = g_output.Folder();
  return std::wstring(folder.begin(), folder.end());
}

std::string Rgb(TColor color) {
  COLORREF c = ColorToRGB(color);
  std::ostringstream out;
  out << "[" << int(GetRValue(c)) << ", " << int(GetGValue(c)) << ", " << int(GetBValue(c)) << "]";
  return out.str();
}

void WriteFileW(const std::wstring& name, const std::string& bytes) {
  HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  ASSERT_EQ(written, bytes.size());
}

// The size the picture of a text must have, measured with the system's own calls on a font
// made here, not through the canvas.
SIZE ExpectedPictureSize(const std::vector<std::wstring>& lines, const char* face, int height) {
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face);
  HGDIOBJ old = SelectObject(dc, font);
  LONG widest = 0;
  for (const std::wstring& line : lines) {
    SIZE size{};
    GetTextExtentPoint32W(dc, line.c_str(), static_cast<int>(line.size()), &size);
    widest = std::max(widest, size.cx);
  }
  SIZE wg{};
  GetTextExtentPoint32W(dc, L"Wg", 2, &wg);
  SelectObject(dc, old);
  DeleteObject(font);
  DeleteDC(dc);
  return SIZE{widest + 20, static_cast<LONG>(lines.size()) * wg.cy + 20};
}

std::wstring Join(const std::vector<std::wstring>& lines) {
  std::wstring text;
  for (size_t i = 0; i < lines.size(); ++i) text += (i ? L"\r\n" : L"") + lines[i];
  return text;
}

struct TextPictureCase {
  const char* name;
  TPictureFormat format;
  std::vector<std::wstring> lines;
};

TEST(PictureFiles, TextPicturesAsBmpJpegAndGif) {
  TPictureOutput& output = PictureOutput();
  output.Reset();
  output.GetFont()->SetColor(clNavy);
  output.SetBackground(static_cast<TColor>(RGB(255, 255, 224)));
  std::vector<std::wstring> index = {L"A", L"Apfel: 1, 4, 17", L"Ähre: 12",
                                     L"B", L"Baum » Birke: 3-5", L"Zürich: 99"};
  for (const TextPictureCase& c :
       {TextPictureCase{"index.bmp", TPictureFormat::Bmp, index},
        TextPictureCase{"index.jpg", TPictureFormat::Jpeg, index},
        TextPictureCase{"index.gif", TPictureFormat::Gif, index},
        TextPictureCase{"empty.bmp", TPictureFormat::Bmp, {L""}}}) {
    SCOPED_TRACE(c.name);
    std::string bytes;
    TPictureError error;
    ASSERT_TRUE(MakeTextPicture(Join(c.lines), c.format, output.GetFont(),
                                output.GetBackground(), bytes, error));
    std::string name = c.name;
    WriteFileW(OutputFolder() + L"\\" + std::wstring(name.begin(), name.end()), bytes);
    SIZE size = ExpectedPictureSize(c.lines, "Courier New", -11);
    std::ostringstream entry;
    if (c.format == TPictureFormat::Gif) {  // the BMP's pixels, each in its nearest web colour
      entry << "{\"kind\": \"web\", \"file\": \"" << c.name << "\", \"like\": \"index.bmp\"}";
      g_output.Add(entry.str());
      continue;
    }
    entry << "{\"kind\": \"text\", \"file\": \"" << c.name << "\", \"width\": " << size.cx
          << ", \"height\": " << size.cy << ", \"background\": " << Rgb(output.GetBackground())
          << ", \"ink\": " << Rgb(clNavy) << ", \"lines\": " << c.lines.size()
          << ", \"blank\": " << (c.lines.size() == 1 && c.lines[0].empty() ? "true" : "false");
    if (c.format == TPictureFormat::Jpeg) entry << ", \"like\": \"index.bmp\"";
    entry << "}";
    g_output.Add(entry.str());
  }
  output.Reset();
}

// Indexed bitmaps and their 24-bit conversions, for a pixel-by-pixel comparison.
TEST(PictureFiles, IndexedBitmapsAndTheir24BitConversions) {
  for (int bits : {1, 4, 8}) {
    TBitmap bitmap;
    bitmap.SetPixelFormat(bits == 1 ? pf1bit : bits == 4 ? pf4bit : pf8bit);
    int colours = 1 << bits;
    std::vector<RGBQUAD> table;
    for (int i = 0; i < colours; ++i)
      table.push_back(RGBQUAD{static_cast<BYTE>(i * 255 / (colours - 1)),
                              static_cast<BYTE>((i * 53) & 255), static_cast<BYTE>(255 - i), 0});
    bitmap.SetSize(std::max(colours, 16), 9);
    bitmap.SetColorTable(table);
    for (int y = 0; y < bitmap.GetHeight(); ++y) {
      auto* row = static_cast<std::uint8_t*>(bitmap.ScanLine(y));
      for (int x = 0; x < bitmap.GetWidth(); ++x) {
        int index = (x * 7 + y * 3) % colours, bit = x * bits;
        row[bit / 8] = static_cast<std::uint8_t>((row[bit / 8] & ~(((1 << bits) - 1) << (8 - bits - bit % 8))) |
                                                 (index << (8 - bits - bit % 8)));
      }
    }
    std::string indexed = "indexed" + std::to_string(bits) + ".bmp";
    std::string wide = "indexed" + std::to_string(bits) + "-24.bmp";
    bitmap.SaveToFile(g_output.File(indexed));
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SaveToFile(g_output.File(wide));
    // Every converted pixel is the table colour of its index; the indexed file reads back as
    // indexed, with the same table.
    SCOPED_TRACE(indexed);
    for (int y = 0; y < bitmap.GetHeight(); ++y) {
      const auto* row = static_cast<const std::uint8_t*>(bitmap.ScanLine(y));
      for (int x = 0; x < bitmap.GetWidth(); ++x) {
        const RGBQUAD& expected = table[static_cast<size_t>((x * 7 + y * 3) % colours)];
        ASSERT_EQ(row[3 * x], expected.rgbBlue) << x << "," << y;
        ASSERT_EQ(row[3 * x + 1], expected.rgbGreen) << x << "," << y;
        ASSERT_EQ(row[3 * x + 2], expected.rgbRed) << x << "," << y;
      }
    }
    TBitmap reread;
    reread.LoadFromFile(g_output.File(indexed));
    EXPECT_EQ(reread.GetPixelFormat(), bits == 1 ? pf1bit : bits == 4 ? pf4bit : pf8bit);
    EXPECT_EQ(reread.GetWidth(), bitmap.GetWidth());
    EXPECT_EQ(reread.GetHeight(), bitmap.GetHeight());
    g_output.Add("{\"kind\": \"same-pixels\", \"file\": \"" + wide + "\", \"like\": \"" +
                         indexed + "\", \"bits\": " + std::to_string(bits) + "}");
  }
}

// Row 0 of ScanLine is the top row of the saved picture.
TEST(PictureFiles, ScanLineRowZeroIsTheTopOfTheFile) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(3, 4);
  for (int y = 0; y < 4; ++y) {
    auto* row = static_cast<std::uint8_t*>(bitmap.ScanLine(y));
    for (int x = 0; x < 3; ++x) {
      row[3 * x] = static_cast<std::uint8_t>(y == 3 ? 255 : 0);      // blue at the bottom
      row[3 * x + 1] = static_cast<std::uint8_t>(x * 100);
      row[3 * x + 2] = static_cast<std::uint8_t>(y == 0 ? 255 : 0);  // red at the top
    }
  }
  const std::string file = g_output.File("rows.bmp");
  bitmap.SaveToFile(file);
  // In the file the rows run bottom-up: the first stored row is the blue one.
  std::ifstream in(file, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GE(bytes.size(), sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER));
  BITMAPFILEHEADER header;
  BITMAPINFOHEADER info;
  std::memcpy(&header, bytes.data(), sizeof(header));
  std::memcpy(&info, bytes.data() + sizeof(header), sizeof(info));
  EXPECT_EQ(info.biWidth, 3);
  EXPECT_EQ(info.biHeight, 4);  // positive: bottom-up
  const int stride = 12;        // 3 pixels of 3 bytes, padded to 4
  ASSERT_GE(bytes.size(), header.bfOffBits + 4u * stride);
  auto pixel = [&](int storedRow, int x, int channel) {
    return static_cast<std::uint8_t>(bytes[header.bfOffBits + storedRow * stride + 3 * x + channel]);
  };
  for (int x = 0; x < 3; ++x) {
    EXPECT_EQ(pixel(0, x, 0), 255) << x;  // stored first: the bottom row, blue
    EXPECT_EQ(pixel(0, x, 2), 0) << x;
    EXPECT_EQ(pixel(3, x, 2), 255) << x;  // stored last: the top row, red
    EXPECT_EQ(pixel(3, x, 0), 0) << x;
    EXPECT_EQ(pixel(1, x, 1), x * 100) << x;
  }
  g_output.Add("{\"kind\": \"rows\", \"file\": \"rows.bmp\", \"top\": [255, 0, 0], "
                       "\"bottom\": [0, 0, 255]}");
}

// Through the text writer: names outside the ANSI code page are saved by their wide name.
TEST(PictureFiles, TheWriterSavesPicturesUnderWideNames) {
  PictureOutput().Reset();
  std::vector<std::wstring> lines = {L"Ω", L"Жук: 7"};
  SIZE size = ExpectedPictureSize(lines, TPictureOutput::kFactoryFontName,
                                  TPictureOutput::kFactoryFontHeight);
  for (const wchar_t* name : {L"Index-\u03A9mega.bmp", L"\u0418\u043D\u0434\u0435\u043A\u0441.jpg"}) {
    std::wstring path = OutputFolder() + L"\\" + name;
    ASSERT_TRUE(SaveTextFileW(Join(lines), path, kEncodingUtf8, true));
    std::ostringstream entry;
    entry << "{\"kind\": \"size\", \"file\": \"" << Utf8(name) << "\", \"width\": " << size.cx
          << ", \"height\": " << size.cy << "}";
    g_output.Add(entry.str());
  }
}

// A picture beyond the format's limit is reported and neither the old file nor a new one is
// touched.
TEST(PictureFiles, ATooLargePictureLeavesTheOldFileAndWritesNothing) {
  std::wstring text;
  for (int i = 0; i < 6000; ++i) text += L"Zeile\r\n";
  WriteFileW(OutputFolder() + L"\\old.jpg", "OLD PICTURE");
  for (const wchar_t* name : {L"old.jpg", L"new.jpeg"}) {
    TTextSaveReport report;
    std::wstring path = OutputFolder() + L"\\" + name;
    EXPECT_FALSE(SaveTextFileW(text, path, kEncodingUtf8, true, &report));
    EXPECT_EQ(report.Failure, TTextSaveFailure::Picture);
    EXPECT_EQ(report.Picture.Failure, TPictureFailure::TooLarge);
  }
  g_output.Add(
      "{\"kind\": \"unchanged\", \"file\": \"old.jpg\", \"bytes\": \"OLD PICTURE\"}");
  g_output.Add("{\"kind\": \"absent\", \"file\": \"new.jpeg\"}");
}

}  // namespace
