// JPEG pictures over libjpeg: decoding into a bitmap on demand, encoding a bitmap at a chosen
// quality. Every libjpeg error becomes an EJPEG carrying libjpeg's own message.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "classlib/Graphics.h"

KX_EXCEPTION(EJPEG, EInvalidGraphic)

enum TJPEGPerformance { jpBestQuality, jpBestSpeed };
enum TJPEGScale { jsFullSize, jsHalf, jsQuarter, jsEighth };

class TJPEGImage : public TGraphic {
  KX_CLASS(TJPEGImage, TGraphic)
 public:
  TJPEGImage() = default;
  ~TJPEGImage() override;

  static const TGraphicClassInfo Class;
  TGraphicClass ClassInfo() const override { return &Class; }

  // From another JPEG image (its compressed data) or a bitmap (compressed when next saved).
  void Assign(TPersistent* source) override;
  void Draw(TCanvas* canvas, const RECT& rect) override;
  bool GetEmpty() const override { return FData.empty() && !FBitmap; }
  int GetWidth() const override;
  int GetHeight() const override;
  // The size of a JPEG image follows its data: raises EInvalidGraphicOperation.
  void SetWidth(int value) override;
  void SetHeight(int value) override;

  // 1..100, used when a bitmap is compressed; 90 until set.
  int GetCompressionQuality() const { return FQuality; }
  void SetCompressionQuality(int value);
  bool GetGrayscale() const { return FGrayscale; }
  void SetGrayscale(bool value);
  TJPEGPerformance GetPerformance() const { return FPerformance; }
  void SetPerformance(TJPEGPerformance value);
  TJPEGScale GetScale() const { return FScale; }
  void SetScale(TJPEGScale value);
  bool GetProgressiveEncoding() const { return FProgressive; }
  void SetProgressiveEncoding(bool value) { FProgressive = value; }

  // Compresses the held bitmap now (SaveToStream does it when needed).
  void Compress();
  void JPEGNeeded();
  // Decodes the data into the held bitmap now (drawing does it when needed).
  void DIBNeeded();
  // The decoded picture as a 24-bit bitmap, owned by the image.
  TBitmap* GetBitmap();

  // Reads a JPEG stream to its end; the header is checked at once.
  void LoadFromStream(TStream* stream) override;
  void SaveToStream(TStream* stream) override;

 protected:
  void AssignTo(TPersistent* dest) override;

 private:
  void ReadHeader();
  void FreeBitmap();
  // Sets a decoding option: the picture decoded before is dropped and the change announced.
  template <typename T>
  void ChangeDecoding(T& field, const T& value) {
    if (value == field) return;
    field = value;
    if (!FData.empty()) FreeBitmap();
    Changed(this);
  }

  std::vector<std::uint8_t> FData;
  std::unique_ptr<TBitmap> FBitmap;
  int FDataWidth = 0;
  int FDataHeight = 0;
  int FQuality = 90;
  bool FGrayscale = false;
  bool FProgressive = false;
  TJPEGPerformance FPerformance = jpBestQuality;
  TJPEGScale FScale = jsFullSize;
};

// Registers the JPEG image with the pictures (extensions jpg and jpeg).
void RegisterJpegImage();
