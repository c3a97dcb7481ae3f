// Saving a text as a picture: the text drawn line by line in the picture font on the picture
// background, encoded as BMP, GIF or JPEG in memory, so that the text writer puts the file in place
// only when the whole picture is made.
#pragma once

#include <memory>
#include <string>

#include "classlib/Graphics.h"

// The picture kind a file name asks for, by its last extension in any case.
enum class TPictureFormat { None, Bmp, Gif, Jpeg };
TPictureFormat PictureFormatOf(const std::wstring& FileName);

// Largest side of a picture in each format (JPEG by libjpeg's limit, GIF by its 16-bit fields).
constexpr int kMaxJpegSide = 65500;
constexpr int kMaxGifSide = 65535;
constexpr int kJpegQuality = 85;
// Margin around the text on every side.
constexpr int kPictureMargin = 10;

// Why a picture was not made.
enum class TPictureFailure {
  None,
  TooLarge,            // a side beyond the format's limit
  OutOfMemory,         // the bitmap or the encoded picture cannot be held in memory
  EncodeFailed,        // the encoder reported an error (Detail holds its message)
};

struct TPictureError {
  TPictureFailure Failure = TPictureFailure::None;
  TPictureFormat Format = TPictureFormat::None;
  long long Width = 0;  // the size the picture would have
  long long Height = 0;
  int MaxSide = 0;      // the format's limit, for TooLarge
  std::string Detail;   // the encoder's message, for EncodeFailed
};

// The message for a failure in the user's language ("de", else English).
std::wstring PictureErrorMessage(const TPictureError& Error, const std::string& Language);

// The picture font and background colour. The output settings window takes them over: the
// font of its sample label and the colour of its colour edit.
class TPictureOutput {
 public:
  static constexpr const char* kFactoryFontName = "Courier New";
  static constexpr int kFactoryFontHeight = -11;
  static constexpr TColor kFactoryBackground = clWhite;

  TPictureOutput();
  TFont* GetFont() const { return m_font.get(); }
  TColor GetBackground() const { return m_background; }
  void SetBackground(TColor Background) { m_background = Background; }
  void Reset();

 private:
  std::unique_ptr<TFont> m_font;
  TColor m_background = kFactoryBackground;
};

// The program's one picture setting.
TPictureOutput& PictureOutput();

// The size of the picture of a text: the widest line plus twice the margin, and the number of
// lines (split at CR LF) times the height of "Wg" plus twice the margin.
struct TPictureSize {
  long long Width = 0;
  long long Height = 0;
  int LineHeight = 0;
};
TPictureSize MeasureTextPicture(const std::wstring& Text, TFont* Font);

// Draws the text on a new 24-bit bitmap (raises EOutOfResources when it cannot be made).
std::unique_ptr<TBitmap> DrawTextPicture(const std::wstring& Text, TFont* Font, TColor Background);

// The picture file's bytes for the format, or false with the reason in Error. Checks the
// format's limits and the memory before drawing.
bool MakeTextPicture(const std::wstring& Text, TPictureFormat Format, TFont* Font,
                     TColor Background, std::string& Bytes, TPictureError& Error);
