// The page-number list window: the text wizard's page-number lines as plain text, to edit,
// add to and sort by their line numbers before they go back to the wizard.
#pragma once

#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "ucode/UCodeRepStdCtrls.h"

class Tszbearbeiten : public TForm {
  KX_COMPONENT(Tszbearbeiten, TForm)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit Tszbearbeiten(TComponent* owner);

  TMemo* liste = nullptr;
  TGroupBox* gb1 = nullptr;
  TLabeledEdit* ed1 = nullptr;
  TLabeledEdit* ed2 = nullptr;
  TButton* add = nullptr;
  TButton* Sortieren = nullptr;
  TButton* OK = nullptr;
  TButton* Abbrechen = nullptr;

  void FormCreate(TObject* sender);
  // The window's texts in the language of start.spr.
  void LocalSpr();
  // Appends "label (line number)" from the two edits and sorts the list.
  void addClick(TObject* sender);
  void SortierenClick(TObject* sender);
  // The sorted lines become the text wizard's page-number list; the window closes.
  void OKClick(TObject* sender);
  // Closes the window; the wizard's list stays as it was.
  void AbbrechenClick(TObject* sender);
  // Sorts the memo's page-number lines by line number; lines not of that form are dropped.
  static void SortZeilennummern(TCustomMemo* memo);
};

extern Tszbearbeiten* szbearbeiten;
