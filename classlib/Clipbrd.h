// The clipboard: opened and closed with nesting, emptied once per opening by the first data put
// on it, 8-bit text and data of any format.
#pragma once

#include <cstddef>
#include <string>

#include "classlib/Classes.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"

KX_EXCEPTION(EClipboardException, Exception)

class TClipboard : public TPersistent {
  KX_CLASS(TClipboard, TPersistent)
 public:
  TClipboard() = default;
  ~TClipboard() override;
  TClipboard(const TClipboard&) = delete;
  TClipboard& operator=(const TClipboard&) = delete;

  // Opens the clipboard for this program (nested: only the outermost Close closes it). Raises
  // EClipboardException "Cannot open clipboard" when another program keeps it open.
  virtual void Open();
  virtual void Close();
  bool IsOpen() const { return FOpenRefCount > 0; }
  // Empties the clipboard.
  void Clear();
  bool HasFormat(UINT format) const;
  int GetFormatCount() const;
  UINT GetFormat(int index) const;

  // 8-bit text (CF_TEXT); putting it empties the clipboard first (once per opening).
  std::string GetAsText();
  void SetAsText(const std::string& value);
  void SetTextBuf(const char* buffer) { SetAsText(buffer ? buffer : ""); }
  // Puts a copy of `size` bytes under `format`, emptying the clipboard first if this is the
  // first data put since it was opened.
  void SetBuffer(UINT format, const void* buffer, std::size_t size);
  // The data of `format` as bytes; empty when the clipboard has none.
  std::string GetBuffer(UINT format);
  // A handle the system owns once set (global memory, a bitmap, a palette).
  HANDLE GetAsHandle(UINT format);
  void SetAsHandle(UINT format, HANDLE value);

 protected:
  // Called before data is put: opens the clipboard and empties it on the first put.
  void Adding();
  HWND GetClipboardWindow() const { return FClipboardWindow; }

 private:
  int FOpenRefCount = 0;
  bool FEmptied = false;
  HWND FClipboardWindow = nullptr;
};

// The program's clipboard, made on first use.
TClipboard* Clipboard();
// Replaces the program's clipboard (the previous one is returned, not freed).
TClipboard* SetClipboard(TClipboard* newClipboard);
