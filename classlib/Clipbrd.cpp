// The clipboard.
#include "classlib/Clipbrd.h"

#include <cstring>
#include <utility>

#include "classlib/ScopedHandles.h"

namespace {

TClipboard*& TheClipboard() {
  static TClipboard* clipboard = nullptr;
  return clipboard;
}

// Owns the global memory until the clipboard takes it.
struct GlobalBlock {
  HGLOBAL handle;
  explicit GlobalBlock(std::size_t size) : handle(GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size ? size : 1)) {
    if (!handle) throw EClipboardException("Out of memory for clipboard data");
  }
  ~GlobalBlock() {
    if (handle) GlobalFree(handle);
  }
  GlobalBlock(const GlobalBlock&) = delete;
  GlobalBlock& operator=(const GlobalBlock&) = delete;
  HGLOBAL Release() { return std::exchange(handle, nullptr); }
};

// Reads the bytes of a global memory block.
std::string ReadGlobal(HANDLE handle) {
  if (!handle) return std::string();
  auto* data = static_cast<const char*>(GlobalLock(handle));
  if (!data) return std::string();
  std::string bytes(data, GlobalSize(handle));
  GlobalUnlock(handle);
  return bytes;
}

}  // namespace

TClipboard* Clipboard() {
  if (!TheClipboard()) TheClipboard() = new TClipboard;
  return TheClipboard();
}

TClipboard* SetClipboard(TClipboard* newClipboard) { return std::exchange(TheClipboard(), newClipboard); }

TClipboard::~TClipboard() {
  if (FOpenRefCount > 0) {
    FOpenRefCount = 1;
    Close();
  }
}

// The clipboard belongs to a hidden window of ours while it is open, so that data put on it
// after emptying has an owner.
void TClipboard::Open() {
  if (FOpenRefCount++ > 0) return;
  FClipboardWindow = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
  for (int attempt = 0; attempt < 10; ++attempt) {
    if (OpenClipboard(FClipboardWindow)) {
      FEmptied = false;
      return;
    }
    Sleep(10);
  }
  DWORD error = GetLastError();
  if (FClipboardWindow) DestroyWindow(FClipboardWindow);
  FClipboardWindow = nullptr;
  FOpenRefCount = 0;
  throw EClipboardException("Cannot open clipboard: " + SysErrorMessage(error));
}

void TClipboard::Close() {
  if (FOpenRefCount == 0) return;
  if (--FOpenRefCount > 0) return;
  CloseClipboard();
  if (FClipboardWindow) DestroyWindow(FClipboardWindow);
  FClipboardWindow = nullptr;
}

void TClipboard::Clear() {
  ScopedOpening opening(*this);
  EmptyClipboard();
  FEmptied = true;
}

void TClipboard::Adding() {
  if (FOpenRefCount > 0 && !FEmptied) {
    EmptyClipboard();
    FEmptied = true;
  }
}

bool TClipboard::HasFormat(UINT format) const { return IsClipboardFormatAvailable(format) != FALSE; }

int TClipboard::GetFormatCount() const { return CountClipboardFormats(); }

UINT TClipboard::GetFormat(int index) const {
  // The formats can only be listed while the clipboard is open.
  ScopedOpening opening(*const_cast<TClipboard*>(this));
  UINT format = 0;
  for (int i = 0; i <= index; ++i) {
    format = EnumClipboardFormats(format);
    if (format == 0) break;
  }
  return format;
}

void TClipboard::SetBuffer(UINT format, const void* buffer, std::size_t size) {
  ScopedOpening opening(*this);
  GlobalBlock block(size);
  void* data = GlobalLock(block.handle);
  if (size) std::memcpy(data, buffer, size);
  GlobalUnlock(block.handle);
  Adding();
  if (!SetClipboardData(format, block.handle)) RaiseLastOSError();
  block.Release();
}

std::string TClipboard::GetBuffer(UINT format) {
  ScopedOpening opening(*this);
  return ReadGlobal(GetClipboardData(format));
}

void TClipboard::SetAsText(const std::string& value) { SetBuffer(CF_TEXT, value.c_str(), value.size() + 1); }

std::string TClipboard::GetAsText() {
  std::string bytes = GetBuffer(CF_TEXT);
  return bytes.substr(0, std::strlen(bytes.c_str()));
}

HANDLE TClipboard::GetAsHandle(UINT format) {
  ScopedOpening opening(*this);
  return GetClipboardData(format);
}

void TClipboard::SetAsHandle(UINT format, HANDLE value) {
  ScopedOpening opening(*this);
  Adding();
  if (!SetClipboardData(format, value)) RaiseLastOSError();
}
