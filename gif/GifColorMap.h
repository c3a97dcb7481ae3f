// GIF colour tables: up to 256 red-green-blue entries, with the operations the frames and the
// picture need (adding, finding, deleting, palette import and export, reordering by use).
#pragma once

#include <cstdint>
#include <vector>

#include "classlib/Graphics.h"
#include "gif/GifError.h"

class TGifPicture;
class TGifFrame;

struct TGifColor {
  std::uint8_t Red = 0;
  std::uint8_t Green = 0;
  std::uint8_t Blue = 0;
  bool operator==(const TGifColor&) const = default;
};

// Bits per pixel of a table of `count` entries: 0 for none, else at least 1 and enough for all.
int GifBitsPerPixel(int count);
// The system's default palette, through which a frame of no colour table at all is shown.
const std::vector<TGifColor>& GifSystemColors();

class TGifColorMap : public TPersistent {
  KX_CLASS(TGifColorMap, TPersistent)
 public:
  static constexpr int kMaxColors = 256;

  explicit TGifColorMap(TGifPicture* Image) : FImage(Image) {}
  TGifColorMap(const TGifColorMap&) = delete;
  TGifColorMap& operator=(const TGifColorMap&) = delete;

  // From another colour table: entries and sorted flag.
  void Assign(TPersistent* Source) override;

  int GetCount() const { return static_cast<int>(FColors.size()); }
  // Room for the entries, in steps of 32, at least 16, at most 256.
  int GetCapacity() const;
  // The table is ordered by use, the most used entry first.
  bool GetOptimized() const { return FOptimized; }
  void SetOptimized(bool Value) { FOptimized = Value; }
  int GetBitsPerPixel() const { return GifBitsPerPixel(GetCount()); }

  // An index outside the table warns "Invalid color index" and gives entry 0; an empty table
  // raises "Color table is empty".
  TGifColor GetEntry(int Index);
  TColor GetColor(int Index);
  void SetColor(int Index, TColor Color);
  const std::vector<TGifColor>& Entries() const { return FColors; }

  // Appends; a full table raises "Color table overflow". Returns the new index.
  int Add(TColor Color);
  int AddUnique(TColor Color);
  // -1 when absent; an unsorted table is searched from its last entry, a sorted one from its first.
  int IndexOf(TColor Color) const;
  void Delete(int Index);
  void Clear();

  // Replaces the entries (up to 256); the table is no longer sorted.
  void SetEntries(const std::vector<TGifColor>& Colors);
  void ImportPalette(HPALETTE Palette);
  // A device-independent bitmap's colour table (blue, green, red, reserved).
  void ImportDIBColors(const RGBQUAD* Colors, int Count);
  // A palette with one no-collapse entry per colour; none for an empty table. The caller owns it.
  HPALETTE ExportPalette() const;

  // The entries, padded with black up to 2 to the power of the bits per pixel, or up to
  // Entries when that is more.
  void SaveToStream(TStream* Stream, int Entries = 0) const;
  // Reads Count entries; a short read raises "Premature end of data".
  void LoadFromStream(TStream* Stream, int Count);

  // Orders the entries by use, most used first (equal counts by index), and drops the entries
  // no pixel uses except a transparent index in use by a frame. True when the table was sorted.
  virtual bool Optimize();
  virtual void Warning(int Severity, const std::string& Message);
  // Every change ends here: the palette made from the table is no longer valid.
  virtual void Changed() {}

 protected:
  // Pixels per entry, over the frames whose table in force this is.
  virtual void BuildHistogram(std::vector<std::int64_t>& Counts) = 0;
  // Renumbers the pixels and transparent indices of those frames (old index -> new index), and
  // for the global table the screen's background colour.
  virtual void MapImages(const std::vector<int>& Map) = 0;
  // Marks the entries kept whether pixels use them or not: the frames' transparent colours, and
  // for the global table the screen's background colour.
  virtual void MarkKept(std::vector<bool>& Keep) = 0;

  TGifPicture* FImage;

 private:
  std::vector<TGifColor> FColors;
  bool FOptimized = false;
};

class TGifGlobalColorMap : public TGifColorMap {
  KX_CLASS(TGifGlobalColorMap, TGifColorMap)
 public:
  using TGifColorMap::TGifColorMap;
  bool Optimize() override;
  void Changed() override;

 protected:
  void BuildHistogram(std::vector<std::int64_t>& Counts) override;
  void MapImages(const std::vector<int>& Map) override;
  void MarkKept(std::vector<bool>& Keep) override;

 private:
  template <typename F>
  void ForEachFrame(F Visit);
};

class TGifLocalColorMap : public TGifColorMap {
  KX_CLASS(TGifLocalColorMap, TGifColorMap)
 public:
  TGifLocalColorMap(TGifPicture* Image, TGifFrame* Frame) : TGifColorMap(Image), FFrame(Frame) {}
  void Changed() override;

 protected:
  void BuildHistogram(std::vector<std::int64_t>& Counts) override;
  void MapImages(const std::vector<int>& Map) override;
  void MarkKept(std::vector<bool>& Keep) override;

 private:
  TGifFrame* FFrame;
};

// Shared by both tables: the histogram and renumbering of one frame's pixels.
void CountFramePixels(TGifFrame* Frame, std::vector<std::int64_t>& Counts);
void MapFramePixels(TGifFrame* Frame, const std::vector<int>& Map);
