// Streams of bytes: the abstract TStream, streams over file handles and files, memory, an 8-bit
// string and a resource. Offered through classlib/Classes.h.
#pragma once

#include <cstdint>
#include <string>

#include "classlib/Objects.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"

enum TSeekOrigin { soBeginning = 0, soCurrent = 1, soEnd = 2 };
inline constexpr int soFromBeginning = 0;
inline constexpr int soFromCurrent = 1;
inline constexpr int soFromEnd = 2;

class TStream : public TObject {
  KX_CLASS(TStream, TObject)
 public:
  // Reads or writes up to count bytes; gives the number of bytes moved.
  virtual int Read(void* buffer, int count) = 0;
  virtual int Write(const void* buffer, int count) = 0;
  // Moves the position; gives the new position.
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

  int64_t GetPosition() { return Seek(0, soCurrent); }
  void SetPosition(int64_t position) { Seek(position, soBeginning); }
  virtual int64_t GetSize();
  virtual void SetSize(int64_t size);

  // Exactly count bytes, or EReadError "Stream read error" / EWriteError "Stream write error".
  void ReadBuffer(void* buffer, int count);
  void WriteBuffer(const void* buffer, int count);
  // Copies count bytes from the source's position; count 0 copies the whole source from its start.
  int64_t CopyFrom(TStream& source, int64_t count);
};

// A stream over an open file handle, which it does not own.
class THandleStream : public TStream {
  KX_CLASS(THandleStream, TStream)
 public:
  explicit THandleStream(HANDLE handle) : FHandle(handle) {}
  HANDLE GetHandle() const { return FHandle; }

  int Read(void* buffer, int count) override;
  int Write(const void* buffer, int count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  void SetSize(int64_t size) override;

 protected:
  HANDLE FHandle;
};

// A stream over a file opened by 8-bit name; mode fmCreate creates or truncates the file, any
// other mode opens an existing one with its access and sharing bits (SysUtils.h). Failures raise
// EFCreateError or EFOpenError naming the expanded file name and the system's reason.
class TFileStream : public THandleStream {
  KX_CLASS(TFileStream, THandleStream)
 public:
  TFileStream(const std::string& fileName, unsigned mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;
  const std::string& GetFileName() const { return FFileName; }

 private:
  std::string FFileName;
};

// Raises EFCreateError (create) or EFOpenError "Cannot create/open file "<shownName>". <reason>"
// for a file that could not be made or opened, the reason the system's text for `error`; the
// exception keeps `fileName` and `error`.
[[noreturn]] void RaiseFileStreamError(bool create, DWORD error, const std::string& shownName,
                                       const std::wstring& fileName);

// A stream over bytes held in memory.
class TCustomMemoryStream : public TStream {
  KX_CLASS(TCustomMemoryStream, TStream)
 public:
  int Read(void* buffer, int count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t GetSize() override { return static_cast<int64_t>(FData.size()); }
  const char* GetMemory() const { return FData.data(); }
  char* GetMemory() { return FData.data(); }
  void SaveToStream(TStream& stream);
  void SaveToFile(const std::string& fileName);

 protected:
  std::string FData;
  int64_t FPosition = 0;
};

class TMemoryStream : public TCustomMemoryStream {
  KX_CLASS(TMemoryStream, TCustomMemoryStream)
 public:
  int Write(const void* buffer, int count) override;
  void SetSize(int64_t size) override;
  void Clear();
  void LoadFromStream(TStream& stream);
  void LoadFromFile(const std::string& fileName);
};

// A stream over an 8-bit string.
class TStringStream : public TMemoryStream {
  KX_CLASS(TStringStream, TMemoryStream)
 public:
  explicit TStringStream(const std::string& data = std::string());
  const std::string& GetDataString() const { return FData; }
  // Up to count bytes from the position.
  std::string ReadString(int count);
  void WriteString(const std::string& text);
};

// A read-only stream over a resource of a module (RT_RCDATA by default); EResNotFound
// "Resource %s not found" when the module has none of that name.
class TResourceStream : public TCustomMemoryStream {
  KX_CLASS(TResourceStream, TCustomMemoryStream)
 public:
  TResourceStream(HINSTANCE module, const std::string& name, LPCSTR type = RT_RCDATA);
  int Write(const void* buffer, int count) override;  // raises EStreamError
};
