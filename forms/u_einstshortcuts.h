// The two shortcut windows connect the program with the Windows shell for one kind of file
// each (configuration files, index data files): the file type with its icon and open command,
// a shortcut in the "Send to" folder, and context-menu commands for folders, for all files and
// for typed extensions. Each shows which of them are in force, whether the program runs as
// administrator, and restarts it with administrator rights.
#pragma once

#include <string>
#include <vector>

#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "ucode/UCodeRepStdCtrls.h"

class TShortcutsWindow : public TForm {
  KX_CLASS(TShortcutsWindow, TForm)
 public:
  static void DeclareProperties(TPropertyTable& table);

  TLabel* Label6 = nullptr;
  TLabel* Label9 = nullptr;
  TButton* AlsAdminStarten = nullptr;
  TGroupBox* gb1 = nullptr;
  TLabel* Label1 = nullptr;
  TButton* KonfigAn = nullptr;
  TButton* KonfigAus = nullptr;
  TLabel* ver_konfig = nullptr;
  TGroupBox* gb2 = nullptr;
  TLabel* Label7 = nullptr;
  TButton* SendenAnAn = nullptr;
  TButton* SendenAnAus = nullptr;
  TLabel* ver_sendenan = nullptr;
  TGroupBox* gb3 = nullptr;
  TLabel* Label4 = nullptr;
  TButton* OrdnerAn = nullptr;
  TButton* OrdnerAus = nullptr;
  TLabel* ver_ordner = nullptr;
  TGroupBox* gb4 = nullptr;
  TLabel* Label10 = nullptr;
  TButton* AlleDateienAn = nullptr;
  TButton* AlleDateienAus = nullptr;
  TLabel* ver_alledateien = nullptr;
  TLabel* Label3 = nullptr;
  TEdit* beldateien = nullptr;
  TButton* BeliebigeDateienAn = nullptr;
  TButton* BeliebigeDateienAus = nullptr;
  TLabel* Label12 = nullptr;
  TLabel* Label70 = nullptr;
  TButton* OK = nullptr;

  void FormCreate(TObject* sender);
  void FormShow(TObject* sender);
  // The window's texts in the language of start.spr, then the state of the registrations and
  // of the administrator rights.
  void Sprache();
  // Shows for the file type, "Send to", folders and all files whether they are in force.
  void CheckShortCuts();
  // Label9 and the restart button for a program that runs as administrator or not.
  void ShowAdminState(bool admin);

  void KonfigAnClick(TObject* sender);
  void KonfigAusClick(TObject* sender);
  void SendenAnAnClick(TObject* sender);
  void SendenAnAusClick(TObject* sender);
  void OrdnerAnClick(TObject* sender);
  void OrdnerAusClick(TObject* sender);
  void AlleDateienAnClick(TObject* sender);
  void AlleDateienAusClick(TObject* sender);
  void BeliebigeDateienAnClick(TObject* sender);
  void BeliebigeDateienAusClick(TObject* sender);
  void AlsAdminStartenClick(TObject* sender);
  void OKClick(TObject* sender);
  // Opens the help page named by Label70.
  void Label70Click(TObject* sender);

  // What this window registers: the extension, the context-menu key, and the names of the
  // type, the shortcut and the menu command in the language last applied for "de" and "en"
  // (empty while that language was never applied).
  const std::string& Extension() const { return FExtension; }
  const std::string& VerbKey() const { return FVerbKey; }
  std::string TypeName() const;
  std::string ShortcutName() const;
  std::string MenuText() const;
  // Both languages' type names and shortcut files, those that are known.
  std::vector<std::string> TypeNames() const;
  std::vector<std::string> ShortcutFiles() const;

  // The twin's own values: extension with its point, context-menu key, and the file type's
  // group and label texts in both languages.
  struct TTwin {
    const char* Extension;
    const char* VerbKey;
    const char* TypeNameGerman;
    const char* TypeNameEnglish;
    const wchar_t* GroupGerman;
    const wchar_t* GroupEnglish;
    const wchar_t* LabelGerman;
    const wchar_t* LabelEnglish;
  };

 protected:
  TShortcutsWindow(TComponent* owner, const TTwin& twin) : TForm(owner), FTwin(twin) {}

 private:
  bool German() const;
  // Tells the shell that associations changed; with `check` the states are shown again. A
  // change that did not go through is told with the way out.
  void Finish(bool done, bool adding, bool check = true);
  void ShowState(TLabel* label, bool active);
  std::vector<std::string> ChosenExtensions() const;

  TTwin FTwin;
  std::string FExtension, FVerbKey;
  std::string FTypeNameDe, FTypeNameEn, FShortcutNameDe, FShortcutNameEn, FMenuTextDe, FMenuTextEn;
};

// The entries of the extension list (comma-separated, as typed) that name an extension, each
// with its point, in the order typed; empty and invalid entries are left out.
std::vector<std::string> ValidExtensions(const std::string& list);

// The message of a registration (adding) or removal that did not go through, with the way out.
std::wstring ShortcutFailureMessage(bool adding, const std::string& languageCode);
