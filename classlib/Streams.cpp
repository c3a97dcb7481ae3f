#include "classlib/Streams.h"

#include <algorithm>
#include <cstring>
#include <vector>

int64_t TStream::GetSize() {
  int64_t position = Seek(0, soCurrent);
  int64_t size = Seek(0, soEnd);
  Seek(position, soBeginning);
  return size;
}

void TStream::SetSize(int64_t) {}

void TStream::ReadBuffer(void* buffer, int count) {
  if (count != 0 && Read(buffer, count) != count) throw EReadError(SStreamReadError);
}

void TStream::WriteBuffer(const void* buffer, int count) {
  if (count != 0 && Write(buffer, count) != count) throw EWriteError(SStreamWriteError);
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.GetSize();
  }
  constexpr int kChunk = 0xF000;
  std::vector<char> buffer(static_cast<size_t>(std::min<int64_t>(count, kChunk)));
  for (int64_t left = count; left > 0;) {
    int chunk = static_cast<int>(std::min<int64_t>(left, kChunk));
    source.ReadBuffer(buffer.data(), chunk);
    WriteBuffer(buffer.data(), chunk);
    left -= chunk;
  }
  return count;
}

// ---------------------------------------------------------------------------------------------

int THandleStream::Read(void* buffer, int count) {
  DWORD done = 0;
  if (count <= 0 || !ReadFile(FHandle, buffer, static_cast<DWORD>(count), &done, nullptr)) return 0;
  return static_cast<int>(done);
}

int THandleStream::Write(const void* buffer, int count) {
  DWORD done = 0;
  if (count <= 0 || !WriteFile(FHandle, buffer, static_cast<DWORD>(count), &done, nullptr)) return 0;
  return static_cast<int>(done);
}

int64_t THandleStream::Seek(int64_t offset, TSeekOrigin origin) {
  LARGE_INTEGER distance, result;
  distance.QuadPart = offset;
  if (!SetFilePointerEx(FHandle, distance, &result, static_cast<DWORD>(origin))) return -1;
  return result.QuadPart;
}

void THandleStream::SetSize(int64_t size) {
  Seek(size, soBeginning);
  Win32Check(SetEndOfFile(FHandle) != 0);
}

TFileStream::TFileStream(const std::string& fileName, unsigned mode)
    : THandleStream(mode == fmCreate ? FileCreate(fileName) : FileOpen(fileName, mode)), FFileName(fileName) {
  if (FHandle != INVALID_HANDLE_VALUE) return;
  const DWORD error = GetLastError();
  const std::string name = ExpandFileName(fileName);
  RaiseFileStreamError(mode == fmCreate, error, name, AnsiToWide(name));
}

void RaiseFileStreamError(bool create, DWORD error, const std::string& shownName, const std::wstring& fileName) {
  const std::string reason = SysErrorMessage(error);
  if (create) throw EFCreateError(Format(SFCreateErrorEx, shownName, reason), fileName, error);
  throw EFOpenError(Format(SFOpenErrorEx, shownName, reason), fileName, error);
}

TFileStream::~TFileStream() { FileClose(FHandle); }

// ---------------------------------------------------------------------------------------------

int TCustomMemoryStream::Read(void* buffer, int count) {
  const int64_t size = GetSize();
  if (count <= 0 || FPosition < 0 || FPosition >= size) return 0;
  int done = static_cast<int>(std::min<int64_t>(count, size - FPosition));
  std::memcpy(buffer, FData.data() + FPosition, static_cast<size_t>(done));
  FPosition += done;
  return done;
}

int64_t TCustomMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
  switch (origin) {
    case soBeginning: FPosition = offset; break;
    case soCurrent: FPosition += offset; break;
    case soEnd: FPosition = GetSize() + offset; break;
  }
  return FPosition;
}

void TCustomMemoryStream::SaveToStream(TStream& stream) {
  stream.WriteBuffer(FData.data(), static_cast<int>(FData.size()));
}

void TCustomMemoryStream::SaveToFile(const std::string& fileName) {
  TFileStream file(fileName, fmCreate);
  SaveToStream(file);
}

int TMemoryStream::Write(const void* buffer, int count) {
  if (count <= 0 || FPosition < 0) return 0;
  const size_t end = static_cast<size_t>(FPosition) + static_cast<size_t>(count);
  if (end > FData.size()) FData.resize(end);
  std::memcpy(FData.data() + FPosition, buffer, static_cast<size_t>(count));
  FPosition = static_cast<int64_t>(end);
  return count;
}

void TMemoryStream::SetSize(int64_t size) {
  FData.resize(static_cast<size_t>(std::max<int64_t>(size, 0)));
  if (FPosition > size) FPosition = size;
}

void TMemoryStream::Clear() {
  FData.clear();
  FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& stream) {
  stream.SetPosition(0);
  const int64_t size = stream.GetSize();
  SetSize(size);
  if (size > 0) stream.ReadBuffer(FData.data(), static_cast<int>(size));
  FPosition = 0;
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(file);
}

TStringStream::TStringStream(const std::string& data) { FData = data; }

std::string TStringStream::ReadString(int count) {
  const int64_t left = std::max<int64_t>(0, GetSize() - FPosition);
  std::string text(static_cast<size_t>(std::min<int64_t>(std::max(count, 0), left)), '\0');
  Read(text.data(), static_cast<int>(text.size()));
  return text;
}

void TStringStream::WriteString(const std::string& text) { Write(text.data(), static_cast<int>(text.size())); }

// ---------------------------------------------------------------------------------------------

TResourceStream::TResourceStream(HINSTANCE module, const std::string& name, LPCSTR type) {
  HRSRC resource = FindResourceA(module, name.c_str(), type);
  HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (bytes == nullptr) throw EResNotFound(Format(SResNotFound, name));
  FData.assign(static_cast<const char*>(bytes), SizeofResource(module, resource));
}

int TResourceStream::Write(const void*, int) { throw EStreamError("Can't write to a read-only resource stream"); }
