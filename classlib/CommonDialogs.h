// The system's common dialogs, 8-bit: open and save dialogs for file names, the colour dialog and
// the font dialog. Every dialog goes through one seam: while an answerer is installed, Execute
// asks it instead of showing the system dialog, so that tests can answer like a user.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Classes.h"
#include "classlib/TypInfo.h"
#include "classlib/Graphics.h"
#include "classlib/WinApi.h"

class TCommonDialog : public TComponent {
  KX_CLASS(TCommonDialog, TComponent)
 public:
  explicit TCommonDialog(TComponent* owner);
  // Shows the dialog modally; true when the user confirmed it.
  virtual bool Execute();
  int GetHelpContext() const { return FHelpContext; }
  void SetHelpContext(int value) { FHelpContext = value; }

  TNotifyEvent OnShow;
  TNotifyEvent OnClose;

 protected:
  // The system dialog itself; true when confirmed.
  virtual bool ShowSystemDialog(HWND owner) = 0;
  // After an answer of the seam: what the system dialog would have done on top of it.
  virtual void AnsweredByTest() {}

 private:
  int FHelpContext = 0;
};

// Answers a dialog in place of the user: reads what the dialog shows (title, filter, file name,
// colour, font), sets what the user would choose, and returns true for OK and false for Cancel.
using TCommonDialogAnswerer = std::function<bool(TCommonDialog& dialog)>;
// Installs the answerer of every common dialog (an empty one restores the system dialogs);
// returns the previous one.
TCommonDialogAnswerer SetCommonDialogAnswerer(TCommonDialogAnswerer answerer);

// ---------------------------------------------------------------------------------------------
enum TOpenOption {
  ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate,
  ofAllowMultiSelect, ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt,
  ofShareAware, ofNoReadOnlyReturn, ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames,
  ofOldStyleDialog, ofNoDereferenceLinks, ofEnableIncludeNotify, ofEnableSizing, ofDontAddToRecent,
  ofForceShowHidden
};
using TOpenOptions = TSet<TOpenOption>;

// One run of the system's file dialog, in 8-bit or in wide text. Empty texts are left out.
template <class Char>
struct TFileDialogRequest {
  using String = std::basic_string<Char>;
  HWND Owner = nullptr;
  String Filter;  // "a|b|c|d"
  int FilterIndex = 1;
  String FileName;  // the name the dialog starts with
  String InitialDir;
  String Title;
  String DefaultExt;  // without its dot
  DWORD Flags = 0;
  bool Save = false;
};

template <class Char>
struct TFileDialogAnswer {
  bool Confirmed = false;
  int FilterIndex = 1;
  std::vector<std::basic_string<Char>> Files;
};

// Shows the system's open or save dialog (the 8-bit or the wide one) and reads what the user chose.
TFileDialogAnswer<char> RunFileDialog(const TFileDialogRequest<char>& request);
TFileDialogAnswer<wchar_t> RunFileDialog(const TFileDialogRequest<wchar_t>& request);

// The chosen names in a file dialog's buffer. `fileOffset` is where the system says the (first)
// file name begins. A zero before it marks a multiple selection: a folder, then the names, each
// ended by a zero, the list by a second zero. Otherwise the buffer holds one path ended by a zero;
// what stands behind that zero is left over from the name the dialog started with.
std::vector<std::string> ChosenFileNames(const std::string& buffer, size_t fileOffset);
std::vector<std::wstring> ChosenFileNames(const std::wstring& buffer, size_t fileOffset);

class TOpenDialog : public TCommonDialog {
  KX_COMPONENT(TOpenDialog, TCommonDialog)
 public:
  explicit TOpenDialog(TComponent* owner);
  ~TOpenDialog() override;

  // "Text (*.txt)|*.txt|Alle Dateien (*.*)|*.*": description and pattern pairs.
  const std::string& GetFilter() const { return FFilter; }
  void SetFilter(const std::string& value) { FFilter = value; }
  // 1-based, as the system counts.
  int GetFilterIndex() const { return FFilterIndex; }
  void SetFilterIndex(int value) { FFilterIndex = value; }
  const std::string& GetFileName() const { return FFileName; }
  void SetFileName(const std::string& value) { FFileName = value; }
  // Every chosen file (several with ofAllowMultiSelect).
  TStrings* GetFiles() const { return FFiles.get(); }
  // Appended (after a dot) to a file name typed without an extension; empty for none.
  const std::string& GetDefaultExt() const { return FDefaultExt; }
  void SetDefaultExt(const std::string& value);
  const std::string& GetInitialDir() const { return FInitialDir; }
  void SetInitialDir(const std::string& value) { FInitialDir = value; }
  const std::string& GetTitle() const { return FTitle; }
  void SetTitle(const std::string& value) { FTitle = value; }
  TOpenOptions GetOptions() const { return FOptions; }
  void SetOptions(TOpenOptions value) { FOptions = value; }
  // True for the save dialog.
  virtual bool IsSaveDialog() const { return false; }

  static void DeclareProperties(TPropertyTable& table);

 protected:
  bool ShowSystemDialog(HWND owner) override;
  void AnsweredByTest() override;
  DWORD OptionFlags() const;
  // The system dialog's request for what the dialog holds now.
  TFileDialogRequest<char> Request(HWND owner) const;

 private:
  std::string FFilter;
  int FFilterIndex = 1;
  std::string FFileName;
  std::unique_ptr<TStrings> FFiles;
  std::string FDefaultExt;
  std::string FInitialDir;
  std::string FTitle;
  TOpenOptions FOptions{ofHideReadOnly, ofEnableSizing};
};

class TSaveDialog : public TOpenDialog {
  KX_COMPONENT(TSaveDialog, TOpenDialog)
 public:
  explicit TSaveDialog(TComponent* owner);
  bool IsSaveDialog() const override { return true; }
};

// The system's filter string for a filter ("a|b|c|d"): parts separated and ended by zero bytes.
std::string SystemFilter(const std::string& filter);
std::wstring SystemFilter(const std::wstring& filter);


// ---------------------------------------------------------------------------------------------
enum TColorDialogOption { cdFullOpen, cdPreventFullOpen, cdShowHelp, cdSolidColor, cdAnyColor };
using TColorDialogOptions = TSet<TColorDialogOption>;

// The colour dialog starts at Color and leaves the chosen colour there.
class TColorDialog : public TCommonDialog {
  KX_COMPONENT(TColorDialog, TCommonDialog)
 public:
  explicit TColorDialog(TComponent* owner);
  ~TColorDialog() override;
  TColor GetColor() const { return FColor; }
  void SetColor(TColor value) { FColor = value; }
  TColorDialogOptions GetOptions() const { return FOptions; }
  void SetOptions(TColorDialogOptions value) { FOptions = value; }
  // "ColorA=808022" ... "ColorP=...": the sixteen custom colours (hexadecimal BGR).
  TStrings* GetCustomColors() const { return FCustomColors.get(); }

  static void DeclareProperties(TPropertyTable& table);

 protected:
  bool ShowSystemDialog(HWND owner) override;

 private:
  TColor FColor = clBlack;
  TColorDialogOptions FOptions;
  std::unique_ptr<TStrings> FCustomColors;
};

// ---------------------------------------------------------------------------------------------
enum TFontDialogOption { fdAnsiOnly, fdTrueTypeOnly, fdEffects, fdFixedPitchOnly, fdForceFontExist,
                         fdNoFaceSel, fdNoOEMFonts, fdNoSimulations, fdNoSizeSel, fdNoStyleSel,
                         fdNoVectorFonts, fdShowHelp, fdWysiwyg, fdLimitSize, fdScalableOnly, fdApplyButton };
using TFontDialogOptions = TSet<TFontDialogOption>;

// The font dialog starts at Font and leaves the chosen font there.
class TFontDialog : public TCommonDialog {
  KX_COMPONENT(TFontDialog, TCommonDialog)
 public:
  explicit TFontDialog(TComponent* owner);
  ~TFontDialog() override;
  TFont* GetFont() const { return FFont.get(); }
  void SetFont(TFont* value) { FFont->Assign(value); }
  TFontDialogOptions GetOptions() const { return FOptions; }
  void SetOptions(TFontDialogOptions value) { FOptions = value; }
  int GetMinFontSize() const { return FMinFontSize; }
  void SetMinFontSize(int value) { FMinFontSize = value; }
  int GetMaxFontSize() const { return FMaxFontSize; }
  void SetMaxFontSize(int value) { FMaxFontSize = value; }

  static void DeclareProperties(TPropertyTable& table);

 protected:
  bool ShowSystemDialog(HWND owner) override;

 private:
  std::unique_ptr<TFont> FFont;
  TFontDialogOptions FOptions{fdEffects};
  int FMinFontSize = 0;
  int FMaxFontSize = 0;
};

// Registers the common dialogs for form descriptions.
void RegisterCommonDialogClasses();
