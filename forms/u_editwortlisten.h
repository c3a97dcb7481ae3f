// The word-list editors: a list built from the words of the last text or file index, handed to
// the positive or negative list window (and, unless it is for this session only, saved to the
// list's file).
#pragma once

#include <string>

#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "ucode/UCodeRepStdCtrls.h"

#include "forms/u_wortlisten.h"

class TWordListEditor : public TForm {
  KX_CLASS(TWordListEditor, TForm)
 public:
  static void DeclareProperties(TPropertyTable& table);

  TLabel* Label1 = nullptr;
  TComboBox* wahl = nullptr;
  TListBox* idxliste = nullptr;
  TButton* versch = nullptr;
  TLabel* Label2 = nullptr;
  TMemo* liste = nullptr;
  TButton* sort = nullptr;
  TCheckBox* sitzung = nullptr;
  TButton* Speichern = nullptr;
  TButton* Abbrechen = nullptr;

  // Shows the editor (not modally) with the words of the chosen index and the lines of the
  // list window it edits.
  void ShowWithLists();
  void FormCreate(TObject* sender);
  // The window's texts in the language of start.spr; the file-index choice follows it.
  void LocalSpr();
  // Fills the word list from the index named by `wahl`.
  void wahlChange(TObject* sender);
  // The chosen words go to the end of the list, which is sorted.
  void verschClick(TObject* sender);
  void sortClick(TObject* sender);
  // Saves the list to its file unless it is for this session only, then hands it to the list
  // window and closes. A list that cannot be written is told and stays here.
  void SpeichernClick(TObject* sender);
  void AbbrechenClick(TObject* sender);
  // The button between the lists stays in the middle; the lists share the width beside it.
  void FormResize(TObject* sender);
  // Sorts the lines of the memo.
  static void sortieren(TMemo* memo);

 protected:
  explicit TWordListEditor(TComponent* owner) : TForm(owner) {}
  // The list window this editor hands its list to.
  virtual TWordListWindow* Target() const { return nullptr; }
  const wchar_t* FGermanList = L"";
  const wchar_t* FEnglishList = L"";
};

class Teditpos : public TWordListEditor {
  KX_COMPONENT(Teditpos, TWordListEditor)
 public:
  explicit Teditpos(TComponent* owner);

 protected:
  TWordListWindow* Target() const override;
};

class Teditneg : public TWordListEditor {
  KX_COMPONENT(Teditneg, TWordListEditor)
 public:
  explicit Teditneg(TComponent* owner);

 protected:
  TWordListWindow* Target() const override;
};

extern Teditpos* editpos;
extern Teditneg* editneg;
