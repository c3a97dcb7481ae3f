// What the GIF tests share: a log of the warnings a picture reports, and pieces of hand-made
// streams.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "classlib/Objects.h"

namespace giftest {

// Attached with picture.SetOnWarning(TGifWarning(&log, &Warnings::OnWarning)).
struct Warnings : TObject {
  std::vector<std::string> messages;
  void OnWarning(TObject*, int, const std::string& message) { messages.push_back(message); }
};

// A 16-bit field of a stream, low byte first.
inline void Put16(std::string& out, int value) {
  out += static_cast<char>(value & 255);
  out += static_cast<char>((value >> 8) & 255);
}

// Image data of code size 2: clear, the pixels 1, 2, 3, 0 as literals, end.
inline std::string FourPixels() {
  // Codes 4, 1, 2, 3 at 3 bits, then 0 and 5 at 4 bits (the table passed 8 entries).
  const std::uint32_t bits = 4 | 1 << 3 | 2 << 6 | 3 << 9 | 0 << 12 | 5 << 16;
  return std::string("\x02\x03", 2) + static_cast<char>(bits & 255) + static_cast<char>((bits >> 8) & 255) +
         static_cast<char>((bits >> 16) & 255) + std::string(1, '\0');
}

// The pictures pillow_pictures.py writes into bin/gif-pillow: NAME.gif, and NAME.txt with what
// Pillow reads in it.
inline constexpr const char* kPillowPictures[] = {"single", "interlaced", "two-colours", "animated", "forever"};

}  // namespace giftest
