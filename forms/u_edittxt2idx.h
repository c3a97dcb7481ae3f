// The text-to-index editor: lines of a printed or typed index (typed, pasted, or loaded from a
// text or index data file) made into index entries, edited, saved as an index data file or
// handed straight to the text or file wizard as the index to extend.
#pragma once

#include <string>

#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/ListView.h"
#include "classlib/StdCtrls.h"
#include "ucode/UCodeRepComCtrls.h"
#include "ucode/UCodeRepStdCtrls.h"
#include "engine/u_TextToIndex.h"

class Tedittxt2idx : public TForm {
  KX_COMPONENT(Tedittxt2idx, TForm)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit Tedittxt2idx(TComponent* owner);

  TGroupBox* gb1 = nullptr;
  TListView* text = nullptr;
  TButton* TextOffnen = nullptr;
  TButton* TextLoschen = nullptr;
  TButton* ZeileLoschen = nullptr;
  TButton* AllesMarkieren = nullptr;
  TCheckBox* cb_deletetxt = nullptr;
  TButton* bt_t2i = nullptr;
  TButton* i2t = nullptr;
  TGroupBox* gb2 = nullptr;
  TListView* index = nullptr;
  TButton* IdxLaden = nullptr;
  TButton* IdxSpeichern = nullptr;
  TButton* IdxAlles = nullptr;
  TButton* IdxZeile = nullptr;
  TButton* IdxSelectAll = nullptr;
  TCheckBox* cb_deleteidx = nullptr;
  TGroupBox* gb3 = nullptr;
  TGroupBox* gb31 = nullptr;
  TLabel* label1 = nullptr;
  TComboBox* lentf = nullptr;
  TButton* LangEntf = nullptr;
  TLabel* Label2 = nullptr;
  TEdit* bentf = nullptr;
  TButton* BstEntf = nullptr;
  TGroupBox* gb32 = nullptr;
  TRadioButton* zus_eintrag = nullptr;
  TRadioButton* zus_seite = nullptr;
  TRadioButton* zus_auslassen = nullptr;
  TGroupBox* gb33 = nullptr;
  TLabeledEdit* zws = nullptr;
  TLabeledEdit* zwes = nullptr;
  TCheckBox* cb_linksvorhanden = nullptr;
  TEdit* zwsl = nullptr;
  TGroupBox* gb34 = nullptr;
  TRadioButton* sl = nullptr;
  TRadioButton* ls = nullptr;
  TButton* ToTxtIdx = nullptr;
  TButton* ToHTMLIdx = nullptr;
  TButton* Schliessen = nullptr;

  void FormCreate(TObject* sender);
  // The window's texts in the language of start.spr.
  void LocalSpr();
  // Text side: load a text file's lines as rows, delete all or the chosen rows, select all,
  // remove short rows or rows holding the given characters.
  void TextOffnenClick(TObject* sender);
  void TextLoschenClick(TObject* sender);
  void ZeileLoschenClick(TObject* sender);
  void AllesMarkierenClick(TObject* sender);
  void LangEntfClick(TObject* sender);
  void BstEntfClick(TObject* sender);
  // ">": the chosen rows (all rows when none is chosen) that convert become entries.
  // "<": the chosen entries go back to the text side.
  void bt_t2iClick(TObject* sender);
  void i2tClick(TObject* sender);
  // Index side: load or save an index data file, delete all or the chosen rows, select all.
  void IdxLadenClick(TObject* sender);
  void IdxSpeichernClick(TObject* sender);
  void IdxAllesClick(TObject* sender);
  void IdxZeileClick(TObject* sender);
  void IdxSelectAllClick(TObject* sender);
  // Both lists: sorting by column, in-place editing of the caption, Delete removes entries.
  void textColumnClick(TObject* sender, TListColumn* column);
  void indexCompare(TObject* sender, TListItem* item1, TListItem* item2, int data, int& compare);
  void textDblClick(TObject* sender);
  void indexKeyDown(TObject* sender, WORD& key, TShiftState shift);
  // The entries become the text / file wizard's index to extend, which is built at once.
  void ToTxtIdxClick(TObject* sender);
  void ToHTMLIdxClick(TObject* sender);
  void SchliessenClick(TObject* sender);

  // Writes the entries as an index data file (".idx" appended to a name without it) in the
  // output encoding. False, with the reason told, when the file could not be written.
  bool SaveIDX(const std::wstring& fileName);
  // The conversion options as the window's controls hold them.
  TTextToIndexOptions Options() const;

 private:
  // Writes the hand-over file, names it as the wizard's index to extend and runs the wizard.
  void HandOver(bool toFileWizard);
};

extern Tedittxt2idx* edittxt2idx;
