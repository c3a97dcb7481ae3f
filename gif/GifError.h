// The GIF codec's error: every failure of reading, writing or converting a GIF picture is
// raised as EGifError with one of the codec's fixed English messages. Problems that do not stop
// an operation are reported as warnings through TGifWarning.
#pragma once

#include <string>

#include "classlib/Graphics.h"
#include "gif/GifMessages.h"

KX_EXCEPTION(EGifError, EInvalidGraphic)

// Sender, severity (1 for every warning of the codec), message.
using TGifWarning = TEvent<void(TObject* Sender, int Severity, const std::string& Message)>;

// The largest side of a GIF picture: the stream holds sizes and positions in 16 bits.
constexpr int kGifMaxSide = 65535;

// "Image too large for GIF (W x H; at most 65535 pixels per side)".
std::string GifTooLargeMessage(long long Width, long long Height);
