// The word-list windows: the positive list (phrases taken over whole) and the negative list
// (words removed). Each memo `liste` is the list in force for every index run; it is loaded
// from "pos.txt" / "neg.txt" in the program folder when the window is made, and holds the
// built-in list when that file does not exist.
#pragma once

#include <string>
#include <vector>

#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"

class TWordListWindow : public TForm {
  KX_CLASS(TWordListWindow, TForm)
 public:
  static void DeclareProperties(TPropertyTable& table);

  TMemo* liste = nullptr;
  TButton* laden = nullptr;
  TButton* hinzuladen = nullptr;
  TButton* speichern = nullptr;
  TButton* delete_ = nullptr;
  TButton* OK = nullptr;

  // The lines of the list, widened from the memo.
  std::vector<std::wstring> Words() const;
  // The window's texts in the language of start.spr.
  void LocalSpr();

 protected:
  explicit TWordListWindow(TComponent* owner) : TForm(owner) {}
  // Reads the window's description, then fills the list from the file of that name in the
  // program folder, or with `builtIn` when there is no such file.
  void InitList(const std::wstring& fileName, const std::vector<std::wstring>& builtIn);
  // The window's own caption, German and English.
  const wchar_t* FGermanCaption = L"";
  const wchar_t* FEnglishCaption = L"";
};

class Tposliste : public TWordListWindow {
  KX_COMPONENT(Tposliste, TWordListWindow)
 public:
  explicit Tposliste(TComponent* owner);
};

class Tnegliste : public TWordListWindow {
  KX_COMPONENT(Tnegliste, TWordListWindow)
 public:
  explicit Tnegliste(TComponent* owner);
};

extern Tposliste* posliste;
extern Tnegliste* negliste;

// The folder of the program file, with its trailing path delimiter.
std::wstring ProgramFolder();
