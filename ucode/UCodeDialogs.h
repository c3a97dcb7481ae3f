// The wide open and save dialogs: the chosen file names in any script. On a Unicode-capable
// platform they run the system's wide dialogs; otherwise the 8-bit ones, whose names are widened.
// The wide file name is kept beside the library's 8-bit one and counts while its conversion to the
// system code page still equals that 8-bit name; otherwise the 8-bit name, widened, counts. So
// callers that want 8-bit names keep them, and a name set by either side is the one offered.
#pragma once

#include <string>
#include <vector>

#include "classlib/CommonDialogs.h"

// The wide side of one file dialog.
class TWideFileDialogNames {
 public:
  std::wstring FileName(const TOpenDialog& dialog) const;
  std::vector<std::wstring> Files(const TOpenDialog& dialog) const;
  // Sets both sides of the file name.
  void SetFileName(TOpenDialog& dialog, const std::wstring& value);
  // Runs the system's wide dialog on the request that the 8-bit side makes; the chosen names
  // are set on both sides. True when the user confirmed.
  bool Run(TOpenDialog& dialog, TFileDialogRequest<char> request);
  // After the 8-bit dialog (or an answer of the seam): a name typed without extension gets the
  // default one, as the system gives it, and a single selection is the one file.
  void Answered(TOpenDialog& dialog);

 private:
  void SetFiles(TOpenDialog& dialog, const std::vector<std::wstring>& files);

  std::wstring FFileName;
  std::vector<std::wstring> FFiles;
};

template <class Base>
class TUCodeFileDialog : public Base {
 public:
  explicit TUCodeFileDialog(TComponent* owner) : Base(owner) {}
  std::wstring GetFileNameW() const { return FNames.FileName(*this); }
  void SetFileNameW(const std::wstring& value) { FNames.SetFileName(*this, value); }
  // Every chosen file (several with ofAllowMultiSelect).
  std::vector<std::wstring> GetFilesW() const { return FNames.Files(*this); }

 protected:
  bool ShowSystemDialog(HWND owner) override;
  void AnsweredByTest() override { FNames.Answered(*this); }

 private:
  TWideFileDialogNames FNames;
};

extern template class TUCodeFileDialog<TOpenDialog>;
extern template class TUCodeFileDialog<TSaveDialog>;

class TUCodeOpenDialog : public TUCodeFileDialog<TOpenDialog> {
  KX_COMPONENT(TUCodeOpenDialog, TUCodeFileDialog<TOpenDialog>)
 public:
  explicit TUCodeOpenDialog(TComponent* owner) : TUCodeFileDialog(owner) {}
};

class TUCodeSaveDialog : public TUCodeFileDialog<TSaveDialog> {
  KX_COMPONENT(TUCodeSaveDialog, TUCodeFileDialog<TSaveDialog>)
 public:
  explicit TUCodeSaveDialog(TComponent* owner) : TUCodeFileDialog(owner) {}
};

// Form descriptions that name TOpenDialog or TSaveDialog make the wide dialogs.
void RegisterUCodeDialogs();
