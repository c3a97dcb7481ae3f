// LZW and run-length coding of GIF image data, and the sub-block writer.
#include "gif/GifEncoder.h"

#include <algorithm>
#include <cstring>

// ---------------------------------------------------------------------------------------------
// Streams

TGifStream::TGifStream(TStream* Destination, TGifWarning OnWarning)
    : FStream(Destination), FOnWarning(OnWarning) {}

int TGifStream::Read(void*, int) { throw EGifError(gifmsg::kInvalidStreamOperation); }
int TGifStream::Write(const void*, int) { throw EGifError(gifmsg::kInvalidStreamOperation); }
int64_t TGifStream::Seek(int64_t, TSeekOrigin) {
  throw EGifError(gifmsg::kInvalidStreamOperation);
}

TGifWriter::TGifWriter(TStream* Destination, TGifWarning OnWarning)
    : TGifStream(Destination, OnWarning) {}

int TGifWriter::Write(const void* Buffer, int Count) {
  const auto* source = static_cast<const std::uint8_t*>(Buffer);
  int left = Count;
  while (left > 0) {
    int chunk = std::min(left, 256 - FCount);
    std::memcpy(FBuffer + FCount, source, static_cast<size_t>(chunk));
    FCount += chunk;
    source += chunk;
    left -= chunk;
    FNeedsFlush = true;
    if (FCount == 256) Flush();
  }
  return Count;
}

void TGifWriter::Flush() {
  if (FCount <= 1) {
    FNeedsFlush = false;
    return;  // never an empty data sub-block: a zero length would end the data early
  }
  FBuffer[0] = static_cast<std::uint8_t>(FCount - 1);
  FStream->WriteBuffer(FBuffer, FCount);
  FCount = 1;
  FNeedsFlush = false;
}

void TGifWriter::Finish() {
  if (FNeedsFlush) Flush();
}

// ---------------------------------------------------------------------------------------------
// The common coder: set-up, frame walk, bit packing

void TGifEncoder::Compress(TStream* Stream, int InitialCodeSize, int ColorCount,
                           const std::uint8_t* Pixels, bool Interlaced, int Height, int Width) {
  FInitialCodeSize = std::clamp(InitialCodeSize, 2, 8);
  const std::uint8_t codeSize = static_cast<std::uint8_t>(FInitialCodeSize);
  Stream->WriteBuffer(&codeSize, 1);
  FColorCount = ColorCount;
  FInitialWidth = FInitialCodeSize + 1;
  FCodeWidth = FInitialWidth;
  FMaxCode = (1 << FCodeWidth) - 1;
  FClearCode = 1 << FInitialCodeSize;
  FEndCode = FClearCode + 1;
  FFirstFreeCode = FClearCode + 2;
  FBucket = 0;
  FBucketBits = 0;
  FClearFlag = false;

  FPixels = Pixels;
  FCurrent = Pixels;
  FWidth = Width;
  FHeight = Height;
  FInterlaced = Interlaced;
  FStarted = false;
  FEnded = false;
  FRow = 0;
  FPass = 0;
  FPixelsLeft = Interlaced ? Width : static_cast<std::int64_t>(Width) * Height;

  TGifWriter writer(Stream, FOnWarning);
  FWriter = &writer;
  try {
    if (Pixels != nullptr && Height >= 1 && Width >= 1) DoCompress();
    Output(FEndCode);
    writer.Finish();
  } catch (...) {
    FWriter = nullptr;
    throw;
  }
  FWriter = nullptr;
  const std::uint8_t terminator = 0;
  Stream->WriteBuffer(&terminator, 1);
}

int TGifEncoder::StepWalk() {
  if (--FPixelsLeft > 0) return *++FCurrent;
  if (!FInterlaced) return -1;
  static constexpr int kStep[4] = {8, 8, 4, 2};
  static constexpr int kStart[4] = {0, 4, 2, 1};
  FPixelsLeft = FWidth;
  FRow += kStep[FPass];
  while (FRow >= FHeight) {
    if (++FPass > 3) return -1;
    FRow = kStart[FPass];
  }
  FCurrent = FPixels + static_cast<std::size_t>(FRow) * static_cast<std::size_t>(FWidth);
  return *FCurrent;
}

int TGifEncoder::NextPixel() {
  if (FEnded) return -1;
  int pixel;
  if (!FStarted) {
    FStarted = true;
    pixel = *FCurrent;
  } else {
    pixel = StepWalk();
  }
  if (pixel < 0) {
    FEnded = true;
    return -1;
  }
  if (pixel >= FColorCount) throw EGifError(gifmsg::kColorNotInTable);
  return pixel;
}

void TGifEncoder::PackCode(int Code) {
  FBucket &= FBucketBits > 0 ? (FBucketBits >= 32 ? ~0u : (1u << FBucketBits) - 1) : 0u;
  FBucket |= static_cast<std::uint32_t>(Code) << FBucketBits;
  FBucketBits += FCodeWidth;
  while (FBucketBits >= 8) {
    const std::uint8_t byte = static_cast<std::uint8_t>(FBucket & 0xFF);
    FWriter->Write(&byte, 1);
    FBucket >>= 8;
    FBucketBits -= 8;
  }
  if (Code == FEndCode && FBucketBits > 0) {
    const std::uint8_t byte = static_cast<std::uint8_t>(FBucket & ((1u << FBucketBits) - 1));
    FWriter->Write(&byte, 1);
    FBucket = 0;
    FBucketBits = 0;
  }
}

void TGifEncoder::Output(int Code) { PackCode(Code); }

void TGifEncoder::Clear() {
  FClearFlag = true;
  Output(FClearCode);
}

// ---------------------------------------------------------------------------------------------
// LZW

void THashTable::Clear() { std::fill(std::begin(FSlots), std::end(FSlots), 0xFFFFFFFFu); }

// Open addressing: the step from a slot s is kSlots - s (1 from slot 0), taken downwards.
int THashTable::NextSlot(int Slot) {
  int step = Slot == 0 ? 1 : kSlots - Slot;
  Slot -= step;
  return Slot < 0 ? Slot + kSlots : Slot;
}

int THashTable::Lookup(std::uint32_t Key) const {
  int slot = Hash(Key);
  // The probe sequence repeats after at most kSlots steps; the bound keeps a full cycle from
  // running for ever.
  for (int probes = 0; probes < kSlots; ++probes) {
    std::uint32_t entry = FSlots[slot];
    if (entry == 0xFFFFFFFFu) return -1;
    if ((entry >> 12) == Key) return static_cast<int>(entry & 0xFFF);
    slot = NextSlot(slot);
  }
  return -1;
}

bool THashTable::Insert(std::uint32_t Key, int Code) {
  int slot = Hash(Key);
  for (int probes = 0; probes < kSlots; ++probes) {
    if (FSlots[slot] == 0xFFFFFFFFu) {
      FSlots[slot] = (Key << 12) | static_cast<std::uint32_t>(Code);
      return true;
    }
    slot = NextSlot(slot);
  }
  return false;
}

void TLZWEncoder::Clear() {
  TGifEncoder::Clear();
  FTable->Clear();
  FNextCode = FClearCode + 2;
}

void TLZWEncoder::Output(int Code) {
  TGifEncoder::Output(Code);
  if (FNextCode > FMaxCode || FClearFlag) {
    if (FClearFlag) {
      FCodeWidth = FInitialWidth;
      FMaxCode = (1 << FCodeWidth) - 1;
      FClearFlag = false;
    } else {
      ++FCodeWidth;
      FMaxCode = FCodeWidth >= 12 ? 4096 : (1 << FCodeWidth) - 1;
    }
  }
}

void TLZWEncoder::DoCompress() {
  FTable = std::make_unique<THashTable>();
  Clear();
  int prefix = NextPixel();
  for (int pixel; (pixel = NextPixel()) >= 0;) {
    const std::uint32_t key = (static_cast<std::uint32_t>(prefix) << 8) | static_cast<std::uint32_t>(pixel);
    int code = FTable->Lookup(key);
    if (code >= 0) {
      prefix = code;
      continue;
    }
    Output(prefix);
    prefix = pixel;
    if (FNextCode >= 4095 || !FTable->Insert(key, FNextCode))
      Clear();
    else
      ++FNextCode;
  }
  Output(prefix);
  FTable.reset();
}

// ---------------------------------------------------------------------------------------------
// Run-length coding: runs of one pixel become codes the decoder's own table resolves into
// runs of growing length (p, pp, ppp, ...), built from the codes it has already seen.

void TRLEEncoder::Clear() {
  FOutBump = FOutBumpInit;
  FOutClear = FOutClearInit;
  FOutCount = 0;
  FRunTableSize = 0;
  TGifEncoder::Clear();
  FCodeWidth = FInitialWidth;
}

void TRLEEncoder::OutputPlain(int Code) {
  FClearFlag = false;
  Output(Code);
  ++FOutCount;
  if (FOutCount >= FOutBump) {
    ++FCodeWidth;
    FOutBump += 1 << (FCodeWidth - 1);
  }
  if (FOutCount >= FOutClear) Clear();
}

void TRLEEncoder::ResetOutClear() {
  FOutClear = FOutClearInit;
  if (FOutCount >= FOutClear) Clear();
}

namespace {

int IntegerSqrt(int value) {
  if (value <= 1) return value;
  int root = 1 << ((32 - __builtin_clz(static_cast<unsigned>(value)) + 1) / 2);
  for (;;) {  // Newton's iteration from above decreases to the root
    int next = (root + value / root) / 2;
    if (next >= root) return root;
    root = next;
  }
}

}  // namespace

// The number of codes that a run of Count pixels costs when built from a fresh table.
int TRLEEncoder::TriangleCost(int Count) const {
  const long long perRepeat = static_cast<long long>(FMaxRunCodes) * (FMaxRunCodes + 1) / 2;
  long long count = Count;
  int cost = 0;
  while (count >= perRepeat) {
    cost += FMaxRunCodes;
    count -= perRepeat;
  }
  if (count > 0) {
    long long n = IntegerSqrt(static_cast<int>(count));
    while (n * (n + 1) >= 2 * count) --n;
    while (n * (n + 1) < 2 * count) ++n;
    cost += static_cast<int>(n);
  }
  return cost;
}

void TRLEEncoder::FlushFromClear(int Count) {
  MaxOutClear();
  FRunTablePixel = FRunPixel;
  int step = 1;
  while (Count > 0) {
    if (step == 1) {
      FRunTableSize = 1;
      OutputPlain(FRunPixel);
      --Count;
    } else if (Count >= step) {
      FRunTableSize = step;
      OutputPlain(FFirstFreeCode + step - 2);
      Count -= step;
    } else if (Count == 1) {
      ++FRunTableSize;
      OutputPlain(FRunPixel);
      Count = 0;
    } else {
      ++FRunTableSize;
      OutputPlain(FFirstFreeCode + Count - 2);
      Count = 0;
    }
    step = FOutCount == 0 ? 1 : step + 1;
  }
  ResetOutClear();
}

void TRLEEncoder::FlushClearOrRepeat(int Count) {
  if (1 + TriangleCost(Count) < Count) {
    Clear();
    FlushFromClear(Count);
  } else {
    for (; Count > 0; --Count) OutputPlain(FRunPixel);
  }
}

void TRLEEncoder::FlushWithTable(int Count) {
  int repeats = Count / FRunTableSize;
  int leftover = Count % FRunTableSize;
  int extra = leftover ? 1 : 0;
  if (FOutCount + repeats + extra > FMaxRunCodes) {
    repeats = FMaxRunCodes - FOutCount;
    leftover = Count - repeats * FRunTableSize;
    extra = 1 + TriangleCost(leftover);
  }
  if (1 + TriangleCost(Count) < repeats + extra) {
    Clear();
    FlushFromClear(Count);
    return;
  }
  MaxOutClear();
  for (; repeats > 0; --repeats) OutputPlain(FFirstFreeCode + FRunTableSize - 2);
  if (leftover) {
    if (FClearFlag)
      FlushFromClear(leftover);
    else if (leftover == 1)
      OutputPlain(FRunPixel);
    else
      OutputPlain(FFirstFreeCode + leftover - 2);
  }
  ResetOutClear();
}

void TRLEEncoder::FlushRun(int Count) {
  if (Count == 1)
    OutputPlain(FRunPixel);
  else if (FClearFlag)
    FlushFromClear(Count);
  else if (FRunTableSize < 2 || FRunTablePixel != FRunPixel)
    FlushClearOrRepeat(Count);
  else
    FlushWithTable(Count);
}

void TRLEEncoder::DoCompress() {
  FOutBumpInit = FClearCode - 1;
  FOutClearInit = FInitialCodeSize > 3 ? FOutBumpInit - 1 : 9;
  FMaxRunCodes = 4095 - FFirstFreeCode;
  Clear();
  FRunPixel = -1;
  int runLength = 0;
  for (int pixel; (pixel = NextPixel()) >= 0;) {
    if (runLength > 0 && pixel != FRunPixel) {
      FlushRun(runLength);
      runLength = 0;
    }
    if (runLength == 0) FRunPixel = pixel;
    ++runLength;
  }
  if (runLength > 0) FlushRun(runLength);
}

std::unique_ptr<TGifEncoder> CreateGifEncoder(int Compression, TGifWarning OnWarning) {
  if (Compression == 1) return std::make_unique<TRLEEncoder>(OnWarning);
  return std::make_unique<TLZWEncoder>(OnWarning);
}
