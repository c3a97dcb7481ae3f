// The file-list options window: doubles, link scanning of dropped documents, extensions and
// capitals of new rows, and one column of a file list edited as text.
#pragma once

#include "classlib/ListView.h"
#include "classlib/StdCtrls.h"
#include "ucode/UCodeRepStdCtrls.h"
#include "classlib/Forms.h"

class Tquhopt : public TForm {
  KX_COMPONENT(Tquhopt, TForm)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit Tquhopt(TComponent* owner);

  TGroupBox* gb1 = nullptr;
  TCheckBox* doppelteweg = nullptr;
  TCheckBox* dadweitere = nullptr;
  TCheckBox* endungenweg = nullptr;
  TCheckBox* namengross = nullptr;
  TGroupBox* gb2 = nullptr;
  TRadioButton* rb1 = nullptr;
  TRadioButton* rb2 = nullptr;
  TRadioButton* rb3 = nullptr;
  TMemo* liste = nullptr;
  TButton* OK = nullptr;

  void FormCreate(TObject* sender);
  void LocalSpr();
  // Showing the window fills the memo from the list its Tag names.
  void FormShow(TObject* sender);
  // The list the window edits: the file wizard's for Tag 0, the keyword wizard's for Tag 1.
  TCustomListView* TargetList() const;
  // The memo gets one line per row of the target list: the column of the checked radio button.
  void Anzeigen();
  // The memo's lines go back into the column that the memo holds; a row beyond the memo's last
  // line gets an empty value.
  void Speichern();
  // The user's switch of the column: the memo's edits go back, the new column is shown. A
  // radio button checked by code (loading or resetting settings, window closed) only shows it.
  void rb1Click(TObject* sender);
  void rb2Click(TObject* sender);
  void rb3Click(TObject* sender);
  // The memo cannot grow beyond the list's rows.
  void listeChange(TObject* sender);
  void OKClick(TObject* sender);

 private:
  void SwitchColumn(TRadioButton* chosen);
};

extern Tquhopt* quhopt;
