// The blocks of a GIF picture besides the extensions: the header (logical screen and global
// colour table), the frames with their image descriptor, local colour table, extensions and
// pixels, the frame list and the trailer.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "classlib/Graphics.h"
#include "classlib/ScopedHandles.h"
#include "gif/GifColorMap.h"
#include "gif/GifExtensions.h"
#include "gif/GifItem.h"

class TGifHeader : public TGifItem {
  KX_CLASS(TGifHeader, TGifItem)
 public:
  explicit TGifHeader(TGifPicture* Image);
  ~TGifHeader() override;

  // Screen descriptor and global colour table of another header.
  void Assign(TPersistent* Source) override;
  void Clear();

  int GetWidth() const { return FWidth; }
  int GetHeight() const { return FHeight; }
  // Beyond 65535 raises EGifError: the stream holds 16 bits.
  void SetWidth(int Value);
  void SetHeight(int Value);
  int GetBackgroundColorIndex() const { return FBackground; }
  void SetBackgroundColorIndex(int Value) { FBackground = static_cast<std::uint8_t>(Value); }
  int GetAspectRatio() const { return FAspect; }
  void SetAspectRatio(int Value) { FAspect = static_cast<std::uint8_t>(Value); }
  int GetPackedFields() const { return FPacked; }
  // Computes the packed fields from the tables: global table present and sorted, colour
  // resolution and bits per pixel of the picture.
  void Prepare();
  TGifGlobalColorMap* GetColorMap() const { return FColorMap.get(); }

  // Signature with the picture's version, screen descriptor, global table.
  void SaveToStream(TStream* Stream) override;
  void LoadFromStream(TStream* Stream) override;

 private:
  std::unique_ptr<TGifGlobalColorMap> FColorMap;
  int FWidth = 0;
  int FHeight = 0;
  std::uint8_t FPacked = 0;
  std::uint8_t FBackground = 0;
  std::uint8_t FAspect = 0;
};

class TGifFrame : public TGifItem {
  KX_CLASS(TGifFrame, TGifItem)
 public:
  explicit TGifFrame(TGifPicture* Image);
  ~TGifFrame() override;

  // From another frame (a deep copy), a bitmap (colours reduced as the picture says), an icon or
  // a metafile (transparent where it draws nothing), another graphic or a picture container.
  void Assign(TPersistent* Source) override;
  void Clear();
  // No pixels, or a width or height of 0.
  bool GetEmpty() const;
  int GetVersion() const override;

  int GetLeft() const { return FLeft; }
  int GetTop() const { return FTop; }
  int GetWidth() const { return FWidth; }
  int GetHeight() const { return FHeight; }
  // Each raises EGifError beyond 65535 (left + width and top + height included), reallocates
  // the pixels (zero) on a size change, and grows the logical screen to hold the frame.
  void SetLeft(int Value);
  void SetTop(int Value);
  void SetWidth(int Value);
  void SetHeight(int Value);
  bool GetInterlaced() const { return (FPacked & 0x40) != 0; }
  void SetInterlaced(bool Value);

  TGifLocalColorMap* GetColorMap() const { return FColorMap.get(); }
  // The local table when it has entries, else the global one when it has entries, else the local.
  TGifColorMap* GetActiveColorMap() const;
  // The colours the frame is shown in: its table in force, or, when there is none at all, the
  // system's default palette; black for every index beyond them that the frame names.
  std::vector<TGifColor> GetShownColors() const;
  TGifExtensionList* GetExtensions() const { return FExtensions.get(); }
  TGifGraphicControlExtension* GetGraphicControlExtension() const { return FGCE; }

  // One colour index per pixel, rows top to bottom; empty while the frame has no pixels.
  std::uint8_t* GetData() { return FData.empty() ? nullptr : FData.data(); }
  const std::uint8_t* GetData() const { return FData.empty() ? nullptr : FData.data(); }
  std::size_t GetDataSize() const { return FData.size(); }
  std::uint8_t* ScanLine(int Row);

  bool GetTransparent() const { return FTransparent; }
  // -1 when the frame is not transparent.
  int GetTransparentColorIndex() const;

  // Extensions, descriptor, local table and image data (a frame without pixels writes only its
  // extensions).
  void SaveToStream(TStream* Stream) override;
  // Extensions, then, unless the trailer or a zero byte follows, descriptor, local table and
  // image data. A descriptor of width or height 0 takes the logical screen's size.
  void LoadFromStream(TStream* Stream) override;

  // The frame as a bitmap: 8 bits with the colours of its table in force, or through the web
  // palette with dithering when the picture displays that way. Made on demand.
  TBitmap* GetBitmap();
  // Monochrome, a set bit where the frame shows its transparent index; none when no pixel does.
  HBITMAP GetMask();
  // The frame's palette; without a local table the picture's.
  HPALETTE GetPalette();
  // Stretches the frame over Rect; Transparent: its transparent pixels leave the target as it was.
  void Draw(TCanvas* Canvas, const RECT& Rect, bool Transparent);
  // Pixels or colours changed: the bitmap and mask made from them go.
  void DropBitmap();
  // Keeps only the given part of the frame (in frame coordinates), which moves on the screen.
  void Crop(int Left, int Top, int Width, int Height);

  // Kept by the frame's graphic control extension.
  void SetTransparentFlag(bool Value) { FTransparent = Value; }
  void AttachGraphicControl(TGifGraphicControlExtension* Extension);
  void DetachGraphicControl(TGifGraphicControlExtension* Extension);
  // The palette made from the table in force is no longer valid.
  void ColorMapChanged();

 private:
  void AllocateData();
  void GrowScreen();
  void AssignFrame(TGifFrame* Source);
  void AssignBitmap(TBitmap* Source);
  void AssignGraphic(TGraphic* Source);
  void AssignDrawnWithMask(TGraphic* Source);
  void ImportPixels(TBitmap* Source);
  void ImportTrueColor(TBitmap* Source);
  // Mask: one flag per pixel, set where the frame is to be transparent.
  void ApplyMask(const std::vector<bool>& Mask);
  // Table: the frame's own, or the colours it shows when it has no table at all; empty while
  // the global table is in force.
  void PrepareDescriptor(const TGifColorMap* Table);
  void Compress(TStream* Stream, const TGifColorMap* Table);
  // The highest index a pixel or the transparent colour names; -1 without pixels.
  int HighestIndex() const;
  void Decompress(TStream* Stream);
  void CoverPixelsWithTable();

  std::unique_ptr<TGifLocalColorMap> FColorMap;
  std::unique_ptr<TGifExtensionList> FExtensions;
  std::vector<std::uint8_t> FData;
  int FLeft = 0;
  int FTop = 0;
  int FWidth = 0;
  int FHeight = 0;
  std::uint8_t FPacked = 0;
  bool FTransparent = false;
  TGifGraphicControlExtension* FGCE = nullptr;  // owned by the extension list
  std::unique_ptr<TBitmap> FBitmap;              // the frame as a bitmap, when made
  std::unique_ptr<TBitmap> FMaskedImage;         // the same with transparent pixels black
  ScopedGdiObj<HBITMAP> FMask;
  bool FNeedMask = true;
  ScopedGdiObj<HPALETTE> FPalette;
};

class TGifFrameList : public TGifList {
  KX_CLASS(TGifFrameList, TGifList)
 public:
  using TGifList::TGifList;
  TGifFrame* GetFrame(int Index) const { return static_cast<TGifFrame*>(GetItem(Index)); }
  // Frames up to the trailer; zero bytes between blocks are skipped, an unknown block ends the
  // list with the warning "Unknown GIF block type".
  void LoadFromStream(TStream* Stream, TObject* Parent) override;
};

class TGifTrailer : public TGifItem {
  KX_CLASS(TGifTrailer, TGifItem)
 public:
  using TGifItem::TGifItem;
  void SaveToStream(TStream* Stream) override;
  // A byte other than ";" warns "Invalid Image trailer"; a stream that ends is accepted.
  void LoadFromStream(TStream* Stream) override;
};
