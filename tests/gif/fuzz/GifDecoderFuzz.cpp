// Fuzz target for the image data reader, built for the host with address and undefined-
// behaviour checks (scripts/fuzz-gif). An input is a frame: width and height (16 bits each,
// little-endian), a flags byte (1 interlaced, 2 filled with a transparent index), then the
// image data from the minimum code size on.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "gif/GifDecoder.h"

namespace {

// Frames larger than this are refused like frames the process cannot hold, which keeps one
// input within the fuzzer's memory limit.
constexpr std::int64_t kFuzzMaxPixels = std::int64_t{1} << 22;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 5) return 0;
  int width = data[0] | data[1] << 8;
  int height = data[2] | data[3] << 8;
  bool interlaced = data[4] & 1;
  std::uint8_t fill = (data[4] & 2) ? data[4] >> 2 : 0;
  TGifMemorySource source(data + 5, size - 5);
  int warnings = 0;
  try {
    std::vector<std::uint8_t> pixels = AllocateFramePixels(width, height, fill, kFuzzMaxPixels);
    DecodeImageData(source, pixels.data(), width, height, interlaced,
                    [&warnings](const char*) { ++warnings; });
  } catch (const EGifDecodeError&) {
    return 0;
  }
  // The reader never reads past what it was given.
  if (source.Position() > size - 5) std::abort();
  return 0;
}
