#include "gif/GifDecoder.h"

#include <algorithm>
#include <cstring>
#include <new>

int TGifMemorySource::Read(std::uint8_t* Buffer, int Count) {
  if (Count <= 0) return 0;
  std::size_t n = std::min(static_cast<std::size_t>(Count), FSize - FPosition);
  if (n) std::memcpy(Buffer, FData + FPosition, n);
  FPosition += n;
  return static_cast<int>(n);
}

// ---------------------------------------------------------------------------------------------

TGifLZWDecoder::TGifLZWDecoder(TGifByteSource& Source, int CodeSize, TGifDecodeWarning Warning)
    : FSource(Source), FWarning(std::move(Warning)) {
  if (CodeSize < 1 || CodeSize > 8) throw EGifDecodeError(gifmsg::kInvalidData);
  FClearCode = 1 << CodeSize;
  FEndCode = FClearCode + 1;
  FInitialWidth = CodeSize + 1;
  for (int i = 0; i < FClearCode; ++i) {
    FPrefix[i] = 0;
    FSuffix[i] = static_cast<std::uint8_t>(i);
    FFirst[i] = static_cast<std::uint8_t>(i);
  }
  Reset();
}

void TGifLZWDecoder::Reset() {
  FCodeWidth = FInitialWidth;
  FLimit = 1 << FCodeWidth;
  FNextFree = FClearCode + 2;
  FPrevious = -1;
}

void TGifLZWDecoder::Warn(const char* Message) {
  if (FWarning) FWarning(Message);
}

// The next data sub-block into FBlock; false at the zero-length block or the end of the stream.
bool TGifLZWDecoder::NextBlock() {
  if (DataEnded()) return false;
  std::uint8_t size = 0;
  if (FSource.Read(&size, 1) != 1) {
    FStreamEnded = true;
    return false;
  }
  if (size == 0) {
    FTerminatorMet = true;
    return false;
  }
  int available = static_cast<int>(std::min<std::int64_t>(size, FSource.Remaining()));
  if (available < size) Warn(gifmsg::kPrematureEnd);
  FBlockLength = available > 0 ? FSource.Read(FBlock, available) : 0;
  FBlockPosition = 0;
  if (FBlockLength == 0) {
    FStreamEnded = true;
    return false;
  }
  return true;
}

int TGifLZWDecoder::ReadCode() {
  while (FBitCount < FCodeWidth) {
    if (FBlockPosition >= FBlockLength && !NextBlock()) {
      if (FTerminatorMet && !FUnderrunWarned) {
        FUnderrunWarned = true;
        Warn(gifmsg::kBitBufferUnderrun);
      }
      return kNoData;
    }
    FBits |= static_cast<std::uint32_t>(FBlock[FBlockPosition++]) << FBitCount;
    FBitCount += 8;
  }
  int code = static_cast<int>(FBits & ((1u << FCodeWidth) - 1));
  FBits >>= FCodeWidth;
  FBitCount -= FCodeWidth;
  return code;
}

// Pushes the string of Code, last pixel first, so that popping gives it in order. Every entry's
// prefix is an older entry, so a chain ends within the table; the bound guards it anyway.
void TGifLZWDecoder::PushString(int Code) {
  int steps = 0;
  while (Code >= FClearCode) {
    if (++steps > kTableSize || FStackTop >= kTableSize) throw EGifDecodeError(gifmsg::kCircularEntry);
    FStack[FStackTop++] = FSuffix[Code];
    Code = FPrefix[Code];
  }
  if (FStackTop > kTableSize) throw EGifDecodeError(gifmsg::kCircularEntry);
  FStack[FStackTop++] = static_cast<std::uint8_t>(Code);
}

int TGifLZWDecoder::NextPixel() {
  if (FStackTop > 0) return FStack[--FStackTop];
  for (;;) {
    int code = ReadCode();
    if (code < 0) return kNoData;
    if (code == FClearCode) {
      Reset();
      continue;
    }
    if (code == FEndCode) {
      SkipToTerminator();
      return kEndCode;
    }
    if (FPrevious < 0) {
      if (code > FEndCode) throw EGifDecodeError(gifmsg::kInvalidData);
      FPrevious = code;
      return code;
    }
    std::uint8_t first;
    if (code < FNextFree) {
      PushString(code);
      first = FFirst[code];
    } else if (code == FNextFree && FNextFree < kTableSize) {
      // The string of the previous code followed by its own first pixel.
      first = FFirst[FPrevious];
      FStack[FStackTop++] = first;
      PushString(FPrevious);
    } else {
      throw EGifDecodeError(gifmsg::kInvalidData);
    }
    if (FNextFree < kTableSize) {
      FPrefix[FNextFree] = static_cast<std::uint16_t>(FPrevious);
      FSuffix[FNextFree] = first;
      FFirst[FNextFree] = FFirst[FPrevious];
      ++FNextFree;
      if (FNextFree >= FLimit && FCodeWidth < 12) {
        ++FCodeWidth;
        FLimit <<= 1;
      }
    }
    FPrevious = code;
    return FStack[--FStackTop];
  }
}

void TGifLZWDecoder::SkipToTerminator() {
  FBlockPosition = FBlockLength;
  while (NextBlock()) FBlockPosition = FBlockLength;
}

// ---------------------------------------------------------------------------------------------

std::vector<std::uint8_t> AllocateFramePixels(std::int64_t Width, std::int64_t Height,
                                              std::uint8_t Fill, std::int64_t MaxPixels) {
  if (Width < 0 || Height < 0) throw EGifDecodeError(gifmsg::kFrameTooLarge);
  // Both sides are at most 65,535, so the product fits 64 bits.
  std::int64_t size = Width * Height;
  if (size > MaxPixels) throw EGifDecodeError(gifmsg::kFrameTooLarge);
  try {
    return std::vector<std::uint8_t>(static_cast<std::size_t>(size), Fill);
  } catch (const std::bad_alloc&) {
    throw EGifDecodeError(gifmsg::kFrameTooLarge);
  } catch (const std::length_error&) {
    throw EGifDecodeError(gifmsg::kFrameTooLarge);
  }
}

namespace {

// The rows of a frame in stream order: straight down, or the four interlace passes (every
// 8th row from 0, every 8th from 4, every 4th from 2, every 2nd from 1).
class RowWalk {
 public:
  RowWalk(int Height, bool Interlaced) : FHeight(Height), FInterlaced(Interlaced) {}
  // The next row, or -1 after the last.
  int Next() {
    if (!FInterlaced) return FRow < FHeight ? FRow++ : -1;
    static constexpr int kStart[4] = {0, 4, 2, 1};
    static constexpr int kStep[4] = {8, 8, 4, 2};
    while (FPass < 4) {
      if (FRow < 0) FRow = kStart[FPass];
      if (FRow < FHeight) {
        int row = FRow;
        FRow += kStep[FPass];
        return row;
      }
      ++FPass;
      FRow = -1;
    }
    return -1;
  }

 private:
  int FHeight;
  bool FInterlaced;
  int FRow = 0;
  int FPass = 0;
};

}  // namespace

void DecodeImageData(TGifByteSource& Source, std::uint8_t* Pixels, int Width, int Height,
                     bool Interlaced, const TGifDecodeWarning& Warning) {
  std::uint8_t codeSize = 0;
  if (Source.Read(&codeSize, 1) != 1) return;
  TGifLZWDecoder decoder(Source, codeSize, Warning);
  bool complete = true;
  RowWalk rows(Height, Interlaced);
  for (int row = rows.Next(); row >= 0 && complete; row = rows.Next()) {
    std::uint8_t* out = Pixels + static_cast<std::int64_t>(row) * Width;
    for (int x = 0; x < Width; ++x) {
      int pixel = decoder.NextPixel();
      if (pixel < 0) {
        complete = false;
        break;
      }
      out[x] = static_cast<std::uint8_t>(pixel);
    }
  }
  // The end code follows the last pixel. Whatever the encoder left after it, even codes that
  // make no sense, is skipped: the picture is whole, and the next block is read from its start.
  if (complete) {
    try {
      decoder.NextPixel();
    } catch (const EGifDecodeError&) {
    }
  }
  decoder.SkipToTerminator();
}
