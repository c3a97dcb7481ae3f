// The GIF codec's fixed English messages. Kept apart from the error class so that the image
// data decoder, which needs nothing of the class library, can be built on its own.
#pragma once

// Messages of the codec, shared by its units.
namespace gifmsg {
inline constexpr const char* kUnsupportedVersion = "Unsupported GIF version";
inline constexpr const char* kUnsupportedObject = "Object type not supported for operation";
inline constexpr const char* kWidthTooSmall = "Image width too small for contained frames";
inline constexpr const char* kHeightTooSmall = "Image height too small for contained frames";
inline constexpr const char* kExceedsScreen = "Image exceeds Logical Screen size";
inline constexpr const char* kColorTableOverflow = "Color table overflow";
inline constexpr const char* kNoColorTable = "No global or local color table defined";
inline constexpr const char* kInvalidColorIndex = "Invalid color index";
inline constexpr const char* kColorTableEmpty = "Color table is empty";
inline constexpr const char* kColorNotInTable = "Color not in color table";
inline constexpr const char* kInvalidStreamOperation = "Invalid stream operation";
inline constexpr const char* kUnsupportedPixelFormat = "Unsupported PixelFormat";
inline constexpr const char* kInvalidDimensions = "Invalid image dimensions";
inline constexpr const char* kDibAllocFailed = "Failed to allocate memory for GIF DIB";
inline constexpr const char* kNoDib = "Image has no DIB";
inline constexpr const char* kInvalidReduction = "Invalid reduction method";
inline constexpr const char* kInvalidDitherMode = "Invalid dither mode";
inline constexpr const char* kInvalidReductionBits = "Invalid reduction bits";
inline constexpr const char* kNoCustomPalette = "No custom palette defined";
inline constexpr const char* kPrematureEnd = "Premature end of data";
inline constexpr const char* kInvalidSignature = "Invalid GIF signature";
inline constexpr const char* kUnknownExtension = "Unknown extension type";
inline constexpr const char* kInvalidIntroducer = "Invalid extension introducer";
inline constexpr const char* kExtensionMismatch =
    "Internal error: Extension Instance does not match Extension Label";
inline constexpr const char* kAppBlockSize = "Unsupported Application Extension block size";
inline constexpr const char* kInvalidData = "Invalid GIF data";
inline constexpr const char* kCircularEntry = "Circular decoder table entry";
inline constexpr const char* kUnknownBlock = "Unknown GIF block type";
inline constexpr const char* kBitBufferUnderrun = "Decoder bit buffer under-run";
inline constexpr const char* kInvalidTrailer = "Invalid Image trailer";
inline constexpr const char* kClipboardFailed = "Failed to store GIF on clipboard";
inline constexpr const char* kFrameTooLarge = "Image too large to load";
}  // namespace gifmsg
