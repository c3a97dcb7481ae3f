// Saving a text as a picture.
#include "engine/u_TextPicture.h"

#include <algorithm>
#include <new>
#include <vector>

#include "classlib/DibPixels.h"
#include "classlib/Jpeg.h"
#include "gif/GifPicture.h"
#include "ucode/UCodeGraphics.h"

namespace {

std::wstring UpperExtension(const std::wstring& fileName) {
  size_t dot = fileName.find_last_of(L'.');
  size_t slash = fileName.find_last_of(L"\\/:");
  if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash)) return L"";
  std::wstring extension = fileName.substr(dot + 1);
  for (wchar_t& c : extension)
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  return extension;
}

std::vector<std::wstring> SplitLines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  size_t start = 0;
  for (size_t found; (found = text.find(L"\r\n", start)) != std::wstring::npos; start = found + 2)
    lines.push_back(text.substr(start, found - start));
  lines.push_back(text.substr(start));
  return lines;
}

const wchar_t* FormatName(TPictureFormat format) {
  switch (format) {
    case TPictureFormat::Bmp: return L"BMP";
    case TPictureFormat::Gif: return L"GIF";
    case TPictureFormat::Jpeg: return L"JPEG";
    default: return L"";
  }
}

int MaxSideOf(TPictureFormat format) {
  switch (format) {
    case TPictureFormat::Jpeg: return kMaxJpegSide;
    case TPictureFormat::Gif: return kMaxGifSide;
    default: return INT32_MAX;
  }
}

std::wstring Widen(const std::string& text) {
  return std::wstring(text.begin(), text.end());  // libjpeg's messages are ASCII
}

std::string Encode(TBitmap* bitmap, TPictureFormat format) {
  TMemoryStream stream;
  if (format == TPictureFormat::Jpeg) {
    TJPEGImage jpeg;
    jpeg.SetCompressionQuality(kJpegQuality);
    jpeg.Assign(bitmap);
    jpeg.SaveToStream(&stream);
  } else if (format == TPictureFormat::Gif) {
    TGifPicture gif;
    gif.Assign(bitmap);
    gif.SaveToStream(&stream);
  } else {
    bitmap->SaveToStream(&stream);
  }
  return std::string(stream.GetMemory(), static_cast<size_t>(stream.GetSize()));
}

}  // namespace

TPictureFormat PictureFormatOf(const std::wstring& FileName) {
  std::wstring extension = UpperExtension(FileName);
  if (extension == L"BMP") return TPictureFormat::Bmp;
  if (extension == L"GIF") return TPictureFormat::Gif;
  if (extension == L"JPG" || extension == L"JPEG") return TPictureFormat::Jpeg;
  return TPictureFormat::None;
}

std::wstring PictureErrorMessage(const TPictureError& Error, const std::string& Language) {
  bool de = Language == "de";
  std::wstring size = std::to_wstring(Error.Width) + L" x " + std::to_wstring(Error.Height);
  std::wstring format = FormatName(Error.Format);
  switch (Error.Failure) {
    case TPictureFailure::None: return L"";
    case TPictureFailure::TooLarge:
      return de ? L"Das Bild wäre " + size + L" Pixel groß; das Format " + format +
                      L" erlaubt höchstens " + std::to_wstring(Error.MaxSide) +
                      L" Pixel je Seite. Es wurde nichts gespeichert."
                : L"The picture would be " + size + L" pixels; the " + format +
                      L" format allows at most " + std::to_wstring(Error.MaxSide) +
                      L" pixels per side. Nothing was saved.";
    case TPictureFailure::OutOfMemory:
      return de ? L"Für ein Bild von " + size +
                      L" Pixeln ist nicht genug Speicher frei. Es wurde nichts gespeichert."
                : L"There is not enough memory for a picture of " + size +
                      L" pixels. Nothing was saved.";
    case TPictureFailure::EncodeFailed:
      return de ? L"Das Bild konnte nicht erzeugt werden (" + Widen(Error.Detail) +
                      L"). Es wurde nichts gespeichert."
                : L"The picture could not be made (" + Widen(Error.Detail) +
                      L"). Nothing was saved.";
  }
  return L"";
}

TPictureOutput::TPictureOutput() : m_font(std::make_unique<TFont>()) { Reset(); }

void TPictureOutput::Reset() {
  m_font->SetName(kFactoryFontName);
  m_font->SetHeight(kFactoryFontHeight);
  m_font->SetColor(clWindowText);
  m_font->SetStyle(0);
  m_background = kFactoryBackground;
}

TPictureOutput& PictureOutput() {
  static TPictureOutput output;
  return output;
}

// Measured on the canvas of an empty bitmap, which has a device context already.
TPictureSize MeasureTextPicture(const std::wstring& Text, TFont* Font) {
  TBitmap bitmap;
  TCanvas* canvas = bitmap.GetCanvas();
  canvas->SetFont(Font);
  TPictureSize size;
  std::vector<std::wstring> lines = SplitLines(Text);
  long long widest = 0;
  for (const std::wstring& line : lines)
    widest = std::max<long long>(widest, WideCanvasTextWidth(canvas, line));
  size.LineHeight = WideCanvasTextHeight(canvas, L"Wg");
  size.Width = widest + 2 * kPictureMargin;
  size.Height = static_cast<long long>(lines.size()) * size.LineHeight + 2 * kPictureMargin;
  return size;
}

std::unique_ptr<TBitmap> DrawTextPicture(const std::wstring& Text, TFont* Font,
                                         TColor Background) {
  TPictureSize size = MeasureTextPicture(Text, Font);
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf24bit);
  TCanvas* canvas = bitmap->GetCanvas();
  canvas->SetFont(Font);
  bitmap->SetWidth(static_cast<int>(size.Width));
  bitmap->SetHeight(static_cast<int>(size.Height));
  canvas->GetBrush()->SetColor(Background);
  canvas->FillRect(RECT{0, 0, bitmap->GetWidth(), bitmap->GetHeight()});
  std::vector<std::wstring> lines = SplitLines(Text);
  for (size_t i = 0; i < lines.size(); ++i)
    WideCanvasTextOut(canvas, kPictureMargin,
                      kPictureMargin + static_cast<int>(i) * size.LineHeight, lines[i]);
  return bitmap;
}

bool MakeTextPicture(const std::wstring& Text, TPictureFormat Format, TFont* Font,
                     TColor Background, std::string& Bytes, TPictureError& Error) {
  Error = TPictureError{};
  Error.Format = Format;
  Bytes.clear();
  if (Format == TPictureFormat::None) {
    Error.Failure = TPictureFailure::EncodeFailed;
    Error.Detail = "no picture format";
    return false;
  }
  TPictureSize size = MeasureTextPicture(Text, Font);
  Error.Width = size.Width;
  Error.Height = size.Height;
  Error.MaxSide = MaxSideOf(Format);
  if (size.Width > Error.MaxSide || size.Height > Error.MaxSide) {
    Error.Failure = TPictureFailure::TooLarge;
    return false;
  }
  if (dib::ImageSize(static_cast<int>(size.Width), static_cast<int>(size.Height), 24) < 0) {
    Error.Failure = TPictureFailure::OutOfMemory;
    return false;
  }
  try {
    std::unique_ptr<TBitmap> bitmap = DrawTextPicture(Text, Font, Background);
    Bytes = Encode(bitmap.get(), Format);
  } catch (const EOutOfResources&) {
    Error.Failure = TPictureFailure::OutOfMemory;
  } catch (const std::bad_alloc&) {
    Error.Failure = TPictureFailure::OutOfMemory;
  } catch (const EOutOfMemory&) {
    Error.Failure = TPictureFailure::OutOfMemory;
  } catch (const EJPEG& e) {
    Error.Failure = TPictureFailure::EncodeFailed;
    Error.Detail = e.GetMessage();
  } catch (const EGifError& e) {
    Error.Failure = TPictureFailure::EncodeFailed;
    Error.Detail = e.GetMessage();
  }
  if (Error.Failure == TPictureFailure::None) return true;
  Bytes.clear();
  return false;
}
