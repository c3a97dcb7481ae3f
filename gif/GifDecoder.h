// Reading a frame's table-based image data: the minimum code size, the LZW codes packed least
// significant bit first into data sub-blocks (a code may span two of them), and the block
// terminator. Needs nothing of the class library, so that it builds on its own (a host build
// runs it under a fuzzer with address and undefined-behaviour checks).
//
// Hostile data never crashes, hangs or allocates without bound: code sizes outside 1..8, a
// code beyond the next free table entry and a first code after a clear that is not a pixel are
// corrupt data; the expansion of a code is bounded by the table's 4,096 entries.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <vector>

#include "gif/GifMessages.h"

// The bytes of a stream as the data reader needs them.
class TGifByteSource {
 public:
  virtual ~TGifByteSource() = default;
  // Up to Count bytes; the number read (0 at the end of the stream).
  virtual int Read(std::uint8_t* Buffer, int Count) = 0;
  // Bytes left before the end of the stream.
  virtual std::int64_t Remaining() const = 0;
};

// A source over bytes in memory.
class TGifMemorySource : public TGifByteSource {
 public:
  TGifMemorySource(const std::uint8_t* Data, std::size_t Size) : FData(Data), FSize(Size) {}
  int Read(std::uint8_t* Buffer, int Count) override;
  std::int64_t Remaining() const override { return static_cast<std::int64_t>(FSize - FPosition); }
  std::size_t Position() const { return FPosition; }

 private:
  const std::uint8_t* FData;
  std::size_t FSize;
  std::size_t FPosition = 0;
};

// Image data that cannot be decoded, or a frame too large to hold; carries one of the codec's
// messages. The picture raises it again as its own error.
class EGifDecodeError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Receives the non-fatal problems ("Premature end of data", "Decoder bit buffer under-run").
using TGifDecodeWarning = std::function<void(const char* Message)>;

class TGifLZWDecoder {
 public:
  static constexpr int kNoData = -1;   // the data ran out
  static constexpr int kEndCode = -2;  // the end code was read
  static constexpr int kTableSize = 4096;

  // CodeSize is the stream's minimum code size; outside 1..8 raises "Invalid GIF data".
  TGifLZWDecoder(TGifByteSource& Source, int CodeSize, TGifDecodeWarning Warning);

  // The next pixel, kNoData or kEndCode. Raises EGifDecodeError on corrupt codes.
  int NextPixel();
  // Reads and drops the sub-blocks left, up to and including the zero-length block.
  void SkipToTerminator();
  // The zero-length block was read, or the stream ended.
  bool DataEnded() const { return FTerminatorMet || FStreamEnded; }

 private:
  void Reset();
  int ReadCode();
  bool NextBlock();
  void PushString(int Code);
  void Warn(const char* Message);

  TGifByteSource& FSource;
  TGifDecodeWarning FWarning;
  int FClearCode;
  int FEndCode;
  int FInitialWidth;
  int FCodeWidth = 0;
  int FLimit = 0;
  int FNextFree = 0;
  int FPrevious = -1;  // -1 right after a clear: the next code must be a pixel
  // The table: each entry is a prefix code and the pixel that follows it; FFirst is the first
  // pixel of the entry's whole string.
  std::uint16_t FPrefix[kTableSize];
  std::uint8_t FSuffix[kTableSize];
  std::uint8_t FFirst[kTableSize];
  std::uint8_t FStack[kTableSize + 1];
  int FStackTop = 0;
  // The bit reader.
  std::uint8_t FBlock[255];
  int FBlockLength = 0;
  int FBlockPosition = 0;
  std::uint32_t FBits = 0;
  int FBitCount = 0;
  bool FTerminatorMet = false;
  bool FStreamEnded = false;
  bool FUnderrunWarned = false;
};

// The largest frame the reader will hold: 16,384 x 16,384 pixels. A frame is shown through a
// bitmap of 3 or 4 bytes per pixel besides its own byte per pixel, so a larger one cannot be
// held by a 32-bit process and is refused before anything is allocated.
constexpr std::int64_t kGifMaxFramePixels = std::int64_t{1} << 28;

// A pixel buffer of Width x Height bytes filled with Fill; sizes are computed in 64 bits and a
// buffer above MaxPixels, or one that cannot be allocated, raises "Image too large to load".
std::vector<std::uint8_t> AllocateFramePixels(std::int64_t Width, std::int64_t Height,
                                              std::uint8_t Fill,
                                              std::int64_t MaxPixels = kGifMaxFramePixels);

// Reads a frame's image data (from the minimum code size byte on) into Pixels, which holds
// Width x Height bytes already filled with the background value: rows top to bottom, or in the
// four interlace passes. Data that runs out leaves the remaining pixels as they are. At the end
// every sub-block up to the block terminator has been read.
void DecodeImageData(TGifByteSource& Source, std::uint8_t* Pixels, int Width, int Height,
                     bool Interlaced, const TGifDecodeWarning& Warning);
