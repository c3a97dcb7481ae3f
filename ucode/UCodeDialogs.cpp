#include "ucode/UCodeDialogs.h"

#include "classlib/Objects.h"
#include "ucode/UCodeSysUtils.h"
#include "ucode/UCodeSystem.h"

namespace {

std::wstring Wide(const std::string& text) { return StringToWideStringEx(text, 0); }
std::string Narrow(const std::wstring& text) { return WideStringToStringEx(text, 0); }

}  // namespace

std::wstring TWideFileDialogNames::FileName(const TOpenDialog& dialog) const {
  return Narrow(FFileName) == dialog.GetFileName() ? FFileName : Wide(dialog.GetFileName());
}

std::vector<std::wstring> TWideFileDialogNames::Files(const TOpenDialog& dialog) const {
  const TStrings* narrow = dialog.GetFiles();
  bool same = static_cast<int>(FFiles.size()) == narrow->GetCount();
  for (int i = 0; same && i < narrow->GetCount(); ++i) same = Narrow(FFiles[static_cast<size_t>(i)]) == narrow->Get(i);
  if (same) return FFiles;
  std::vector<std::wstring> widened;
  for (int i = 0; i < narrow->GetCount(); ++i) widened.push_back(Wide(narrow->Get(i)));
  return widened;
}

void TWideFileDialogNames::SetFileName(TOpenDialog& dialog, const std::wstring& value) {
  FFileName = value;
  dialog.SetFileName(Narrow(value));
}

void TWideFileDialogNames::SetFiles(TOpenDialog& dialog, const std::vector<std::wstring>& files) {
  FFiles = files;
  TStrings* narrow = dialog.GetFiles();
  narrow->Clear();
  for (const std::wstring& file : files) narrow->Add(Narrow(file));
}

bool TWideFileDialogNames::Run(TOpenDialog& dialog, TFileDialogRequest<char> narrow) {
  TFileDialogRequest<wchar_t> request;
  request.Owner = narrow.Owner;
  request.Filter = Wide(narrow.Filter);
  request.FilterIndex = narrow.FilterIndex;
  request.FileName = FileName(dialog);
  request.InitialDir = Wide(narrow.InitialDir);
  request.Title = Wide(narrow.Title);
  request.DefaultExt = Wide(narrow.DefaultExt);
  request.Flags = narrow.Flags;
  request.Save = narrow.Save;
  const TFileDialogAnswer<wchar_t> answer = RunFileDialog(request);
  if (!answer.Confirmed) return false;
  dialog.SetFilterIndex(answer.FilterIndex);
  SetFiles(dialog, answer.Files);
  SetFileName(dialog, answer.Files.front());
  return true;
}

void TWideFileDialogNames::Answered(TOpenDialog& dialog) {
  std::wstring name = FileName(dialog);
  const std::string extension = dialog.GetDefaultExt();
  if (!extension.empty() && !name.empty() && WideExtractFileExt(name).empty()) name += L"." + Wide(extension);
  std::vector<std::wstring> files = Files(dialog);
  if (files.empty() || !dialog.GetOptions().Contains(ofAllowMultiSelect)) files = {name};
  SetFileName(dialog, name);
  SetFiles(dialog, files);
}

template <class Base>
bool TUCodeFileDialog<Base>::ShowSystemDialog(HWND owner) {
  // The 8-bit dialog leaves 8-bit names, which the wide side then gives widened.
  if (!Win32PlatformIsUnicode) return Base::ShowSystemDialog(owner);
  return FNames.Run(*this, this->Request(owner));
}

template class TUCodeFileDialog<TOpenDialog>;
template class TUCodeFileDialog<TSaveDialog>;

void RegisterUCodeDialogs() {
  RegisterClassAlias(TUCodeOpenDialog::StaticClass(), "TOpenDialog");
  RegisterClassAlias(TUCodeSaveDialog::StaticClass(), "TSaveDialog");
}
