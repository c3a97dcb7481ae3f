// Enhanced metafiles as pictures.
#include "classlib/Metafile.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

[[noreturn]] void InvalidMetafile() { throw EInvalidGraphic("Metafile is not valid"); }

// The frame is kept in hundredths of a millimetre; the recording device's size in pixels and in
// millimetres turns it into pixels.
SIZE PixelSize(HENHMETAFILE handle) {
  ENHMETAHEADER header{};
  if (!GetEnhMetaFileHeader(handle, sizeof header, &header)) return SIZE{0, 0};
  auto pixels = [](LONG hundredths, LONG devicePixels, LONG deviceMillimetres) {
    return deviceMillimetres > 0 ? MulDiv(hundredths, devicePixels, deviceMillimetres * 100) : 0;
  };
  return SIZE{pixels(header.rclFrame.right - header.rclFrame.left, header.szlDevice.cx, header.szlMillimeters.cx),
              pixels(header.rclFrame.bottom - header.rclFrame.top, header.szlDevice.cy, header.szlMillimeters.cy)};
}

}  // namespace

const TGraphicClassInfo TMetafile::Class{"TMetafile", [] { return static_cast<TGraphic*>(new TMetafile); }};

TMetafile::~TMetafile() { FreeMetafile(); }

void TMetafile::FreeMetafile() {
  if (FHandle) DeleteEnhMetaFile(FHandle);
  FHandle = nullptr;
  FWidth = FHeight = 0;
}

void TMetafile::SetHandle(HENHMETAFILE value) {
  if (value == FHandle) return;
  FreeMetafile();
  FHandle = value;
  const SIZE size = value ? PixelSize(value) : SIZE{0, 0};
  FWidth = size.cx;
  FHeight = size.cy;
  Changed(this);
}

void TMetafile::Assign(TPersistent* source) {
  auto* metafile = dynamic_cast<TMetafile*>(source);
  if (source && !metafile) {
    TGraphic::Assign(source);
    return;
  }
  if (metafile == this) return;
  const int width = metafile ? metafile->FWidth : 0, height = metafile ? metafile->FHeight : 0;
  SetHandle(metafile && metafile->FHandle ? CopyEnhMetaFileA(metafile->FHandle, nullptr) : nullptr);
  FWidth = width;
  FHeight = height;
}

void TMetafile::Draw(TCanvas* canvas, const RECT& rect) {
  if (FHandle) PlayEnhMetaFile(canvas->GetHandle(), FHandle, &rect);
}

void TMetafile::SetWidth(int value) {
  if (value == FWidth) return;
  FWidth = value;
  Changed(this);
}

void TMetafile::SetHeight(int value) {
  if (value == FHeight) return;
  FHeight = value;
  Changed(this);
}

void TMetafile::LoadFromStream(TStream* stream) {
  const std::int64_t length = stream->GetSize() - stream->GetPosition();
  if (length < static_cast<std::int64_t>(sizeof(ENHMETAHEADER)) || length > 0x7FFFFFFF) InvalidMetafile();
  std::vector<BYTE> data(static_cast<size_t>(length));
  stream->ReadBuffer(data.data(), static_cast<int>(length));
  ENHMETAHEADER header;
  std::memcpy(&header, data.data(), sizeof header);
  if (header.iType != EMR_HEADER || header.dSignature != ENHMETA_SIGNATURE) InvalidMetafile();
  HENHMETAFILE handle = SetEnhMetaFileBits(static_cast<UINT>(data.size()), data.data());
  if (!handle) InvalidMetafile();
  SetHandle(handle);
}

void TMetafile::SaveToStream(TStream* stream) {
  if (!FHandle) return;
  const UINT size = GetEnhMetaFileBits(FHandle, 0, nullptr);
  std::vector<BYTE> data(size);
  if (size == 0 || GetEnhMetaFileBits(FHandle, size, data.data()) != size) InvalidMetafile();
  stream->WriteBuffer(data.data(), static_cast<int>(size));
}
