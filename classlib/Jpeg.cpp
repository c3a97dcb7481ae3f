// JPEG pictures over libjpeg.
//
// libjpeg reports errors by calling error_exit, which by default ends the process. Ours jumps
// back (setjmp/longjmp) into the routine that called the library, which then raises EJPEG with
// libjpeg's message. Between the setjmp and any libjpeg call only the library's own C frames
// lie, so the jump skips no C++ destructors; everything that must be released is declared
// before the setjmp and released by its guard.
#include "classlib/Jpeg.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <jpeglib.h>

namespace {

struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr info) {
  auto* errors = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, errors->message);
  std::longjmp(errors->jump, 1);
}

// Warnings (a damaged but readable stream) are not shown; the picture is decoded as far as
// it goes.
void IgnoreMessage(j_common_ptr) {}

jpeg_error_mgr* InitErrors(ErrorManager& errors) {
  jpeg_std_error(&errors.pub);
  errors.pub.error_exit = ErrorExit;
  errors.pub.output_message = IgnoreMessage;
  errors.message[0] = '\0';
  return &errors.pub;
}

struct DecompressGuard {
  jpeg_decompress_struct* info = nullptr;
  ~DecompressGuard() {
    if (info) jpeg_destroy_decompress(info);
  }
};

struct CompressGuard {
  jpeg_compress_struct* info = nullptr;
  unsigned char* buffer = nullptr;
  ~CompressGuard() {
    if (info) jpeg_destroy_compress(info);
    std::free(buffer);
  }
};

int ScaleDenominator(TJPEGScale scale) { return 1 << static_cast<int>(scale); }

struct DecodeOptions {
  int scaleDenominator = 1;
  bool grayscale = false;
  bool fast = false;
};

void CopyRow(const std::uint8_t* in, int components, int width, std::uint8_t* out) {
  for (int x = 0; x < width; ++x, out += 3) {
    const std::uint8_t* p = in + x * components;
    if (components == 1) {
      out[0] = out[1] = out[2] = p[0];
    } else {
      out[0] = p[2];
      out[1] = p[1];
      out[2] = p[0];
    }
  }
}

// Reads the header (the picture's full size) and, given a bitmap, decodes the picture into it
// as 24 bits; on a libjpeg error returns false with its message.
bool Decode(const std::vector<std::uint8_t>& data, const DecodeOptions& options, int& width,
            int& height, TBitmap* bitmap, std::string& error) {
  ErrorManager errors;
  jpeg_decompress_struct info;
  DecompressGuard guard;
  std::vector<std::uint8_t> row;
  info.err = InitErrors(errors);
  if (setjmp(errors.jump)) {
    error = errors.message;
    return false;
  }
  jpeg_create_decompress(&info);
  guard.info = &info;
  jpeg_mem_src(&info, data.data(), static_cast<unsigned long>(data.size()));
  jpeg_read_header(&info, TRUE);
  width = static_cast<int>(info.image_width);
  height = static_cast<int>(info.image_height);
  if (!bitmap) return true;
  info.out_color_space = options.grayscale ? JCS_GRAYSCALE : JCS_RGB;
  info.scale_num = 1;
  info.scale_denom = static_cast<unsigned>(options.scaleDenominator);
  if (options.fast) {
    info.dct_method = JDCT_IFAST;
    info.do_fancy_upsampling = FALSE;
  }
  jpeg_start_decompress(&info);
  int outWidth = static_cast<int>(info.output_width);
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetSize(outWidth, static_cast<int>(info.output_height));
  row.resize(static_cast<size_t>(outWidth) * info.output_components);
  while (info.output_scanline < info.output_height) {
    JSAMPROW rows[1] = {row.data()};
    jpeg_read_scanlines(&info, rows, 1);
    int y = static_cast<int>(info.output_scanline) - 1;
    auto* line = static_cast<std::uint8_t*>(bitmap->ScanLine(y));
    CopyRow(row.data(), info.output_components, outWidth, line);
  }
  jpeg_finish_decompress(&info);
  return true;
}

struct EncodeOptions {
  int quality = 90;
  bool grayscale = false;
  bool progressive = false;
};

// Encodes a 24-bit bitmap: its rows hold blue, green, red and are taken from the top.
bool Encode(TBitmap* bitmap, const EncodeOptions& options, std::vector<std::uint8_t>& out,
            std::string& error) {
  ErrorManager errors;
  jpeg_compress_struct info;
  CompressGuard guard;
  unsigned long size = 0;
  std::vector<std::uint8_t> row;
  info.err = InitErrors(errors);
  if (setjmp(errors.jump)) {
    error = errors.message;
    return false;
  }
  jpeg_create_compress(&info);
  guard.info = &info;
  jpeg_mem_dest(&info, &guard.buffer, &size);
  int width = bitmap->GetWidth();
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(bitmap->GetHeight());
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, options.quality, TRUE);
  if (options.grayscale) jpeg_set_colorspace(&info, JCS_GRAYSCALE);
  if (options.progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  row.resize(static_cast<size_t>(width) * 3);
  while (info.next_scanline < info.image_height) {
    int y = static_cast<int>(info.next_scanline);
    auto* line = static_cast<const std::uint8_t*>(bitmap->ScanLine(y));
    CopyRow(line, 3, width, row.data());  // the same swap turns BGR into RGB
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  out.assign(guard.buffer, guard.buffer + size);
  return true;
}

}  // namespace

const TGraphicClassInfo TJPEGImage::Class{"TJPEGImage",
                                          [] { return static_cast<TGraphic*>(new TJPEGImage); }};

TJPEGImage::~TJPEGImage() = default;

void TJPEGImage::FreeBitmap() { FBitmap.reset(); }

void TJPEGImage::Assign(TPersistent* source) {
  if (auto* jpeg = dynamic_cast<TJPEGImage*>(source)) {
    if (jpeg == this) return;
    FData = jpeg->FData;
    FDataWidth = jpeg->FDataWidth;
    FDataHeight = jpeg->FDataHeight;
    FQuality = jpeg->FQuality;
    FGrayscale = jpeg->FGrayscale;
    FProgressive = jpeg->FProgressive;
    FPerformance = jpeg->FPerformance;
    FScale = jpeg->FScale;
    FBitmap.reset();
    if (FData.empty() && jpeg->FBitmap) {
      FBitmap = std::make_unique<TBitmap>();
      FBitmap->Assign(jpeg->FBitmap.get());
    }
    Changed(this);
  } else if (auto* bitmap = dynamic_cast<TBitmap*>(source)) {
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(bitmap);
    copy->SetPixelFormat(pf24bit);
    FData.clear();
    FDataWidth = FDataHeight = 0;
    FBitmap = std::move(copy);
    Changed(this);
  } else if (!source) {
    FData.clear();
    FDataWidth = FDataHeight = 0;
    FBitmap.reset();
    Changed(this);
  } else {
    TGraphic::Assign(source);
  }
}

void TJPEGImage::AssignTo(TPersistent* dest) {
  if (auto* bitmap = dynamic_cast<TBitmap*>(dest)) {
    bitmap->Assign(GetEmpty() ? nullptr : GetBitmap());
    return;
  }
  TGraphic::AssignTo(dest);
}

int TJPEGImage::GetWidth() const {
  if (FBitmap) return FBitmap->GetWidth();
  int denominator = ScaleDenominator(FScale);
  return (FDataWidth + denominator - 1) / denominator;
}

int TJPEGImage::GetHeight() const {
  if (FBitmap) return FBitmap->GetHeight();
  int denominator = ScaleDenominator(FScale);
  return (FDataHeight + denominator - 1) / denominator;
}

void TJPEGImage::SetWidth(int) {
  throw EInvalidGraphicOperation("Cannot change the size of a JPEG image");
}

void TJPEGImage::SetHeight(int) {
  throw EInvalidGraphicOperation("Cannot change the size of a JPEG image");
}

void TJPEGImage::SetCompressionQuality(int value) { FQuality = std::clamp(value, 1, 100); }

void TJPEGImage::SetGrayscale(bool value) { ChangeDecoding(FGrayscale, value); }

void TJPEGImage::SetPerformance(TJPEGPerformance value) { ChangeDecoding(FPerformance, value); }

void TJPEGImage::SetScale(TJPEGScale value) { ChangeDecoding(FScale, value); }

void TJPEGImage::Compress() {
  if (!FBitmap || FBitmap->GetEmpty()) return;
  std::vector<std::uint8_t> data;
  std::string error;
  if (!Encode(FBitmap.get(), {FQuality, FGrayscale, FProgressive}, data, error))
    throw EJPEG(error);
  FData = std::move(data);
  FDataWidth = FBitmap->GetWidth();
  FDataHeight = FBitmap->GetHeight();
}

void TJPEGImage::JPEGNeeded() {
  if (FData.empty()) Compress();
}

void TJPEGImage::DIBNeeded() {
  if (FBitmap || FData.empty()) return;
  auto bitmap = std::make_unique<TBitmap>();
  std::string error;
  DecodeOptions options{ScaleDenominator(FScale), FGrayscale, FPerformance == jpBestSpeed};
  int width = 0, height = 0;
  if (!Decode(FData, options, width, height, bitmap.get(), error)) throw EJPEG(error);
  FBitmap = std::move(bitmap);
}

TBitmap* TJPEGImage::GetBitmap() {
  DIBNeeded();
  if (!FBitmap) FBitmap = std::make_unique<TBitmap>();
  return FBitmap.get();
}

void TJPEGImage::Draw(TCanvas* canvas, const RECT& rect) {
  if (GetEmpty()) return;
  DIBNeeded();
  FBitmap->Draw(canvas, rect);
}

void TJPEGImage::ReadHeader() {
  std::string error;
  if (!Decode(FData, DecodeOptions{}, FDataWidth, FDataHeight, nullptr, error)) {
    FData.clear();
    FDataWidth = FDataHeight = 0;
    throw EJPEG(error);
  }
}

void TJPEGImage::LoadFromStream(TStream* stream) {
  std::int64_t length = stream->GetSize() - stream->GetPosition();
  std::vector<std::uint8_t> data(static_cast<size_t>(std::max<std::int64_t>(length, 0)));
  if (!data.empty()) stream->ReadBuffer(data.data(), static_cast<int>(data.size()));
  FBitmap.reset();
  FData = std::move(data);
  ReadHeader();
  Changed(this);
}

void TJPEGImage::SaveToStream(TStream* stream) {
  JPEGNeeded();
  if (!FData.empty()) stream->WriteBuffer(FData.data(), static_cast<int>(FData.size()));
}

void RegisterJpegImage() {
  TPicture::RegisterFileFormat("jpg", "JPEG Image File", &TJPEGImage::Class);
  TPicture::RegisterFileFormat("jpeg", "JPEG Image File", &TJPEGImage::Class);
}
