// The common dialogs and their seam.
#include "classlib/CommonDialogs.h"

#include <cderr.h>
#include <commdlg.h>

#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/ScopedHandles.h"
#include "classlib/SysUtils.h"

namespace {

TCommonDialogAnswerer& Answerer() {
  static TCommonDialogAnswerer answerer;
  return answerer;
}

// The window that owns a dialog: the active window of the program, else the application's.
HWND DialogOwner() {
  HWND owner = GetActiveWindow();
  if (!owner && Application) owner = Application->GetHandle();
  return owner;
}

}  // namespace

TCommonDialogAnswerer SetCommonDialogAnswerer(TCommonDialogAnswerer answerer) {
  TCommonDialogAnswerer previous = std::move(Answerer());
  Answerer() = std::move(answerer);
  return previous;
}

// ---- TCommonDialog --------------------------------------------------------------------------
TCommonDialog::TCommonDialog(TComponent* owner) : TComponent(owner) {}

bool TCommonDialog::Execute() {
  if (OnShow) OnShow(this);
  bool accepted;
  if (Answerer()) {
    accepted = Answerer()(*this);
    if (accepted) AnsweredByTest();
  } else {
    accepted = ShowSystemDialog(DialogOwner());
  }
  if (OnClose) OnClose(this);
  return accepted;
}

// ---- file dialogs ---------------------------------------------------------------------------
namespace {

template <class Char>
std::basic_string<Char> ZeroSeparated(const std::basic_string<Char>& filter) {
  std::basic_string<Char> result = filter;
  std::replace(result.begin(), result.end(), Char('|'), Char('\0'));
  result.append(2, Char('\0'));
  return result;
}

template <class Char>
std::vector<std::basic_string<Char>> NamesInBuffer(const std::basic_string<Char>& buffer, size_t fileOffset) {
  using String = std::basic_string<Char>;
  std::vector<String> names;
  const String first = buffer.substr(0, buffer.find(Char('\0')));
  if (first.empty()) return names;
  if (fileOffset == 0 || fileOffset > buffer.size() || buffer[fileOffset - 1] != Char('\0')) {
    names.push_back(first);
    return names;
  }
  String folder = first;
  if (folder.back() != Char('\\') && folder.back() != Char('/')) folder += Char('\\');
  for (size_t at = fileOffset; at < buffer.size() && buffer[at] != Char('\0');) {
    const size_t end = std::min(buffer.find(Char('\0'), at), buffer.size());
    names.push_back(folder + buffer.substr(at, end - at));
    at = end + 1;
  }
  return names;
}

BOOL CallFileDialog(OPENFILENAMEA& request, bool save) {
  return save ? GetSaveFileNameA(&request) : GetOpenFileNameA(&request);
}

BOOL CallFileDialog(OPENFILENAMEW& request, bool save) {
  return save ? GetSaveFileNameW(&request) : GetOpenFileNameW(&request);
}

template <class Char>
const Char* TextOrNull(const std::basic_string<Char>& text) {
  return text.empty() ? nullptr : text.c_str();
}

template <class Request, class Char>
TFileDialogAnswer<Char> RunSystemFileDialog(const TFileDialogRequest<Char>& setup) {
  const std::basic_string<Char> filter = ZeroSeparated(setup.Filter);
  // The dialog starts with the given name and writes the chosen one over it.
  std::basic_string<Char> buffer = setup.FileName;
  buffer.resize(std::max<size_t>(buffer.size() + 1, 65536), Char('\0'));
  TFileDialogAnswer<Char> answer;
  for (;;) {
    Request request{};
    request.lStructSize = sizeof(request);
    request.hwndOwner = setup.Owner;
    request.lpstrFilter = setup.Filter.empty() ? nullptr : filter.c_str();
    request.nFilterIndex = static_cast<DWORD>(setup.FilterIndex);
    request.lpstrFile = buffer.data();
    request.nMaxFile = static_cast<DWORD>(buffer.size());
    request.lpstrInitialDir = TextOrNull(setup.InitialDir);
    request.lpstrTitle = TextOrNull(setup.Title);
    request.lpstrDefExt = TextOrNull(setup.DefaultExt);
    request.Flags = setup.Flags;
    const bool confirmed = CallFileDialog(request, setup.Save) != FALSE;
    if (!confirmed && CommDlgExtendedError() == FNERR_BUFFERTOOSMALL) {
      // The first two bytes hold the size the names need.
      const auto* size = reinterpret_cast<const unsigned char*>(buffer.data());
      const size_t needed = size[0] | size[1] << 8;
      buffer.assign(std::max(needed, buffer.size() * 2) + 1, Char('\0'));
      continue;
    }
    if (confirmed) {
      answer.FilterIndex = static_cast<int>(request.nFilterIndex);
      answer.Files = NamesInBuffer(buffer, request.nFileOffset);
    }
    answer.Confirmed = !answer.Files.empty();
    return answer;
  }
}

}  // namespace

std::string SystemFilter(const std::string& filter) { return ZeroSeparated(filter); }
std::wstring SystemFilter(const std::wstring& filter) { return ZeroSeparated(filter); }

std::vector<std::string> ChosenFileNames(const std::string& buffer, size_t fileOffset) {
  return NamesInBuffer(buffer, fileOffset);
}

std::vector<std::wstring> ChosenFileNames(const std::wstring& buffer, size_t fileOffset) {
  return NamesInBuffer(buffer, fileOffset);
}

TFileDialogAnswer<char> RunFileDialog(const TFileDialogRequest<char>& request) {
  return RunSystemFileDialog<OPENFILENAMEA>(request);
}

TFileDialogAnswer<wchar_t> RunFileDialog(const TFileDialogRequest<wchar_t>& request) {
  return RunSystemFileDialog<OPENFILENAMEW>(request);
}

TOpenDialog::TOpenDialog(TComponent* owner) : TCommonDialog(owner), FFiles(new TStringList) {}

TOpenDialog::~TOpenDialog() = default;

// Given with or without its dot, kept without.
void TOpenDialog::SetDefaultExt(const std::string& value) {
  FDefaultExt = !value.empty() && value[0] == '.' ? value.substr(1) : value;
}

DWORD TOpenDialog::OptionFlags() const {
  static const std::pair<TOpenOption, DWORD> kFlags[] = {
      {ofReadOnly, OFN_READONLY}, {ofOverwritePrompt, OFN_OVERWRITEPROMPT},
      {ofHideReadOnly, OFN_HIDEREADONLY}, {ofNoChangeDir, OFN_NOCHANGEDIR}, {ofShowHelp, OFN_SHOWHELP},
      {ofNoValidate, OFN_NOVALIDATE}, {ofAllowMultiSelect, OFN_ALLOWMULTISELECT},
      {ofPathMustExist, OFN_PATHMUSTEXIST}, {ofFileMustExist, OFN_FILEMUSTEXIST},
      {ofCreatePrompt, OFN_CREATEPROMPT}, {ofShareAware, OFN_SHAREAWARE},
      {ofNoReadOnlyReturn, OFN_NOREADONLYRETURN}, {ofNoTestFileCreate, OFN_NOTESTFILECREATE},
      {ofNoNetworkButton, OFN_NONETWORKBUTTON}, {ofNoDereferenceLinks, OFN_NODEREFERENCELINKS},
      {ofEnableSizing, OFN_ENABLESIZING}, {ofDontAddToRecent, OFN_DONTADDTORECENT},
      {ofForceShowHidden, OFN_FORCESHOWHIDDEN}};
  DWORD flags = OFN_EXPLORER;
  for (const auto& [option, flag] : kFlags)
    if (FOptions.Contains(option)) flags |= flag;
  return flags;
}

TFileDialogRequest<char> TOpenDialog::Request(HWND owner) const {
  TFileDialogRequest<char> request;
  request.Owner = owner;
  request.Filter = FFilter;
  request.FilterIndex = FFilterIndex;
  request.FileName = FFileName;
  request.InitialDir = FInitialDir;
  request.Title = FTitle;
  request.DefaultExt = FDefaultExt;
  request.Flags = OptionFlags();
  request.Save = IsSaveDialog();
  return request;
}

bool TOpenDialog::ShowSystemDialog(HWND owner) {
  const TFileDialogAnswer<char> answer = RunFileDialog(Request(owner));
  if (!answer.Confirmed) return false;
  FFilterIndex = answer.FilterIndex;
  FFiles->Clear();
  for (const std::string& name : answer.Files) FFiles->Add(name);
  FFileName = answer.Files.front();
  return true;
}

// What the system dialog does with a typed name: a name without extension gets the default one.
void TOpenDialog::AnsweredByTest() {
  if (!FDefaultExt.empty() && !FFileName.empty() && ExtractFileExt(FFileName).empty())
    FFileName += "." + FDefaultExt;
  if (FFiles->GetCount() == 0 || !FOptions.Contains(ofAllowMultiSelect)) {
    FFiles->Clear();
    FFiles->Add(FFileName);
  }
}

void TOpenDialog::DeclareProperties(TPropertyTable& table) {
  static const TIdentMap kOptions{
      {"ofReadOnly", ofReadOnly}, {"ofOverwritePrompt", ofOverwritePrompt}, {"ofHideReadOnly", ofHideReadOnly},
      {"ofNoChangeDir", ofNoChangeDir}, {"ofShowHelp", ofShowHelp}, {"ofNoValidate", ofNoValidate},
      {"ofAllowMultiSelect", ofAllowMultiSelect}, {"ofExtensionDifferent", ofExtensionDifferent},
      {"ofPathMustExist", ofPathMustExist}, {"ofFileMustExist", ofFileMustExist},
      {"ofCreatePrompt", ofCreatePrompt}, {"ofShareAware", ofShareAware},
      {"ofNoReadOnlyReturn", ofNoReadOnlyReturn}, {"ofNoTestFileCreate", ofNoTestFileCreate},
      {"ofNoNetworkButton", ofNoNetworkButton}, {"ofNoLongNames", ofNoLongNames},
      {"ofOldStyleDialog", ofOldStyleDialog}, {"ofNoDereferenceLinks", ofNoDereferenceLinks},
      {"ofEnableIncludeNotify", ofEnableIncludeNotify}, {"ofEnableSizing", ofEnableSizing},
      {"ofDontAddToRecent", ofDontAddToRecent}, {"ofForceShowHidden", ofForceShowHidden}};
  auto p = table.For<TOpenDialog>();
  p.String("Filter", &TOpenDialog::GetFilter, &TOpenDialog::SetFilter);
  p.Integer("FilterIndex", &TOpenDialog::GetFilterIndex, &TOpenDialog::SetFilterIndex);
  p.String("FileName", &TOpenDialog::GetFileName, &TOpenDialog::SetFileName);
  p.String("DefaultExt", &TOpenDialog::GetDefaultExt, &TOpenDialog::SetDefaultExt);
  p.String("InitialDir", &TOpenDialog::GetInitialDir, &TOpenDialog::SetInitialDir);
  p.String("Title", &TOpenDialog::GetTitle, &TOpenDialog::SetTitle);
  p.Set("Options", &TOpenDialog::GetOptions, &TOpenDialog::SetOptions, kOptions);
}

TSaveDialog::TSaveDialog(TComponent* owner) : TOpenDialog(owner) {}

// ---- colour dialog --------------------------------------------------------------------------
TColorDialog::TColorDialog(TComponent* owner) : TCommonDialog(owner), FCustomColors(new TStringList) {}

TColorDialog::~TColorDialog() = default;

bool TColorDialog::ShowSystemDialog(HWND owner) {
  COLORREF custom[16];
  std::fill(std::begin(custom), std::end(custom), RGB(255, 255, 255));
  for (int i = 0; i < 16; ++i) {
    std::string value = FCustomColors->GetValue(std::string("Color") + static_cast<char>('A' + i));
    if (!value.empty()) custom[i] = static_cast<COLORREF>(StrToIntDef("$" + value, 0xFFFFFF));
  }
  CHOOSECOLORA request{};
  request.lStructSize = sizeof(request);
  request.hwndOwner = owner;
  request.rgbResult = ColorToRGB(FColor);
  request.lpCustColors = custom;
  request.Flags = CC_RGBINIT;
  if (FOptions.Contains(cdFullOpen)) request.Flags |= CC_FULLOPEN;
  if (FOptions.Contains(cdPreventFullOpen)) request.Flags |= CC_PREVENTFULLOPEN;
  if (FOptions.Contains(cdShowHelp)) request.Flags |= CC_SHOWHELP;
  if (FOptions.Contains(cdSolidColor)) request.Flags |= CC_SOLIDCOLOR;
  if (FOptions.Contains(cdAnyColor)) request.Flags |= CC_ANYCOLOR;
  if (!ChooseColorA(&request)) return false;
  FColor = static_cast<TColor>(request.rgbResult);
  FCustomColors->Clear();
  for (int i = 0; i < 16; ++i)
    FCustomColors->Add(std::string("Color") + static_cast<char>('A' + i) + "=" + IntToHex(static_cast<int>(custom[i]), 6));
  return true;
}

void TColorDialog::DeclareProperties(TPropertyTable& table) {
  static const TIdentMap kOptions{{"cdFullOpen", cdFullOpen}, {"cdPreventFullOpen", cdPreventFullOpen},
                                  {"cdShowHelp", cdShowHelp}, {"cdSolidColor", cdSolidColor},
                                  {"cdAnyColor", cdAnyColor}};
  auto p = table.For<TColorDialog>();
  p.Integer("Color", &TColorDialog::GetColor, &TColorDialog::SetColor);
  p.Set("Options", &TColorDialog::GetOptions, &TColorDialog::SetOptions, kOptions);
  p.Object("CustomColors", &TColorDialog::GetCustomColors);
}

// ---- font dialog ----------------------------------------------------------------------------
TFontDialog::TFontDialog(TComponent* owner) : TCommonDialog(owner), FFont(new TFont) {}

TFontDialog::~TFontDialog() = default;

namespace {

DWORD FontFlags(TFontDialogOptions options) {
  static const std::pair<TFontDialogOption, DWORD> kFlags[] = {
      {fdAnsiOnly, CF_SCRIPTSONLY}, {fdTrueTypeOnly, CF_TTONLY}, {fdEffects, CF_EFFECTS},
      {fdFixedPitchOnly, CF_FIXEDPITCHONLY}, {fdForceFontExist, CF_FORCEFONTEXIST},
      {fdNoFaceSel, CF_NOFACESEL}, {fdNoOEMFonts, CF_NOOEMFONTS}, {fdNoSimulations, CF_NOSIMULATIONS},
      {fdNoSizeSel, CF_NOSIZESEL}, {fdNoStyleSel, CF_NOSTYLESEL}, {fdNoVectorFonts, CF_NOVECTORFONTS},
      {fdShowHelp, CF_SHOWHELP}, {fdWysiwyg, CF_WYSIWYG}, {fdLimitSize, CF_LIMITSIZE},
      {fdScalableOnly, CF_SCALABLEONLY}, {fdApplyButton, CF_APPLY}};
  DWORD flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
  for (const auto& [option, flag] : kFlags)
    if (options.Contains(option)) flags |= flag;
  return flags;
}

}  // namespace

bool TFontDialog::ShowSystemDialog(HWND owner) {
  LOGFONTA font{};
  GetObjectA(FFont->GetHandle(), sizeof(font), &font);
  CHOOSEFONTA request{};
  request.lStructSize = sizeof(request);
  request.hwndOwner = owner;
  request.lpLogFont = &font;
  request.Flags = FontFlags(FOptions);
  request.rgbColors = ColorToRGB(FFont->GetColor());
  request.nSizeMin = FMinFontSize;
  request.nSizeMax = FMaxFontSize;
  if (!ChooseFontA(&request)) return false;
  ScopedGdiObj<HFONT> chosen(CreateFontIndirectA(&font));
  FFont->SetHandle(chosen.Get());
  FFont->SetColor(static_cast<TColor>(request.rgbColors));
  return true;
}

void TFontDialog::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TFontDialog>();
  p.Object("Font", &TFontDialog::GetFont);
  p.Integer("MinFontSize", &TFontDialog::GetMinFontSize, &TFontDialog::SetMinFontSize);
  p.Integer("MaxFontSize", &TFontDialog::GetMaxFontSize, &TFontDialog::SetMaxFontSize);
}

void RegisterCommonDialogClasses() {
  // A class that another unit registered under the same name (a replacement) stays.
  for (TClass cls : {TOpenDialog::StaticClass(), TSaveDialog::StaticClass(), TColorDialog::StaticClass(),
                     TFontDialog::StaticClass()})
    if (!GetClass(cls->ClassName())) RegisterClass(cls);
}
