// The GIF codec's error texts.
#include "gif/GifError.h"

std::string GifTooLargeMessage(long long Width, long long Height) {
  return "Image too large for GIF (" + std::to_string(Width) + " x " + std::to_string(Height) +
         "; at most " + std::to_string(kGifMaxSide) + " pixels per side)";
}
