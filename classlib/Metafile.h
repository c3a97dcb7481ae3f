// TMetafile: an enhanced metafile as a picture of the class library, played into a canvas at
// whatever size it is drawn.
#pragma once

#include "classlib/Graphics.h"

class TMetafile : public TGraphic {
  KX_CLASS(TMetafile, TGraphic)
 public:
  TMetafile() = default;
  ~TMetafile() override;

  static const TGraphicClassInfo Class;
  TGraphicClass ClassInfo() const override { return &Class; }

  // A copy of another metafile's records and size; nothing empties it.
  void Assign(TPersistent* source) override;
  // Plays the records stretched over the rectangle.
  void Draw(TCanvas* canvas, const RECT& rect) override;
  bool GetEmpty() const override { return FHandle == nullptr; }
  // In pixels: the picture frame as the recording device measured it, unless set since.
  int GetWidth() const override { return FWidth; }
  int GetHeight() const override { return FHeight; }
  void SetWidth(int value) override;
  void SetHeight(int value) override;

  HENHMETAFILE GetHandle() const { return FHandle; }
  // Takes ownership of the metafile; its size comes from its header.
  void SetHandle(HENHMETAFILE value);

  // The bytes of an enhanced metafile file; others raise EInvalidGraphic "Metafile is not valid".
  void LoadFromStream(TStream* stream) override;
  void SaveToStream(TStream* stream) override;

 private:
  void FreeMetafile();
  HENHMETAFILE FHandle = nullptr;
  int FWidth = 0;
  int FHeight = 0;
};
