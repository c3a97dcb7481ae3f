// Writing a frame's table-based image data: the minimum code size, the variable-length codes
// packed least significant bit first into data sub-blocks of at most 255 bytes, and the block
// terminator. Two coders: LZW with an open-addressing string table, and a run-length coder
// whose codes any GIF decoder expands into runs without a string table of ours.
#pragma once

#include <cstdint>
#include <memory>

#include "classlib/Streams.h"
#include "gif/GifError.h"

// A write-only stream over a destination stream; reading and seeking raise
// "Invalid stream operation", and so does writing on this base.
class TGifStream : public TStream {
  KX_CLASS(TGifStream, TStream)
 public:
  TGifStream(TStream* Destination, TGifWarning OnWarning);
  int Read(void* Buffer, int Count) override;
  int Write(const void* Buffer, int Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;

 protected:
  TStream* FStream;
  TGifWarning FOnWarning;
};

// Cuts what is written into data sub-blocks: a length byte and up to 255 data bytes.
class TGifWriter : public TGifStream {
  KX_CLASS(TGifWriter, TGifStream)
 public:
  TGifWriter(TStream* Destination, TGifWarning OnWarning);
  int Write(const void* Buffer, int Count) override;
  // Writes the pending partial sub-block, if any.
  void Flush();
  // Writes what is pending when something was written since the last flush.
  void Finish();

 private:
  std::uint8_t FBuffer[256];
  int FCount = 1;  // bytes in FBuffer, the length byte included
  bool FNeedsFlush = false;
};

class TGifEncoder {
 public:
  explicit TGifEncoder(TGifWarning OnWarning = nullptr) : FOnWarning(OnWarning) {}
  virtual ~TGifEncoder() = default;
  TGifEncoder(const TGifEncoder&) = delete;
  TGifEncoder& operator=(const TGifEncoder&) = delete;

  // Writes one frame's image data. Pixels hold Width x Height colour indices, rows top to
  // bottom; each must be below ColorCount ("Color not in color table").
  void Compress(TStream* Stream, int InitialCodeSize, int ColorCount, const std::uint8_t* Pixels,
                bool Interlaced, int Height, int Width);

 protected:
  virtual void Output(int Code);
  virtual void Clear();
  virtual void DoCompress() = 0;

  // The next pixel of the frame walk (rows in interlace order when interlaced), or -1 after
  // the last one.
  int NextPixel();

  int FColorCount = 0;
  int FInitialCodeSize = 2;
  bool FClearFlag = false;
  int FCodeWidth = 0;
  int FInitialWidth = 0;
  int FMaxCode = 0;
  int FClearCode = 0;
  int FEndCode = 0;
  int FFirstFreeCode = 0;

 private:
  void PackCode(int Code);
  int StepWalk();

  TGifWarning FOnWarning;
  TGifWriter* FWriter = nullptr;
  std::uint32_t FBucket = 0;
  int FBucketBits = 0;
  // The walk.
  const std::uint8_t* FPixels = nullptr;
  const std::uint8_t* FCurrent = nullptr;
  int FWidth = 0;
  int FHeight = 0;
  bool FInterlaced = false;
  bool FStarted = false;
  bool FEnded = false;
  std::int64_t FPixelsLeft = 0;
  int FRow = 0;
  int FPass = 0;
};

// The LZW string table: key (prefix x 256 + pixel) and code packed in one 32-bit slot.
class THashTable {
 public:
  static constexpr int kSlots = 8009;
  THashTable() { Clear(); }
  void Clear();
  // The code stored for the key, or -1.
  int Lookup(std::uint32_t Key) const;
  // False when the probe sequence met no free slot (the caller then starts a new table).
  bool Insert(std::uint32_t Key, int Code);

 private:
  static int Hash(std::uint32_t Key) { return static_cast<int>(((Key >> 4) ^ Key) % kSlots); }
  static int NextSlot(int Slot);
  std::uint32_t FSlots[kSlots];
};

class TLZWEncoder : public TGifEncoder {
 public:
  using TGifEncoder::TGifEncoder;

 protected:
  void Output(int Code) override;
  void Clear() override;
  void DoCompress() override;

 private:
  std::unique_ptr<THashTable> FTable;
  int FNextCode = 0;
};

class TRLEEncoder : public TGifEncoder {
 public:
  using TGifEncoder::TGifEncoder;

 protected:
  void Clear() override;
  void DoCompress() override;

 private:
  void OutputPlain(int Code);
  void FlushRun(int Count);
  void FlushFromClear(int Count);
  void FlushClearOrRepeat(int Count);
  void FlushWithTable(int Count);
  void MaxOutClear() { FOutClear = FMaxRunCodes; }
  void ResetOutClear();
  int TriangleCost(int Count) const;

  int FMaxRunCodes = 0;
  int FOutBumpInit = 0;
  int FOutClearInit = 0;
  int FRunPixel = -1;
  int FRunTableSize = 0;
  int FRunTablePixel = -1;
  int FOutCount = 0;
  int FOutClear = 0;
  int FOutBump = 0;
};

// The coder for a compression code: 1 the run-length coder, anything else LZW.
std::unique_ptr<TGifEncoder> CreateGifEncoder(int Compression, TGifWarning OnWarning);
