// The index source window: the path of an index to extend, kept in configuration files. A path
// that arrives in its edit becomes the text wizard's index to extend.
#pragma once

#include <string>
#include <vector>

#include "classlib/Buttons.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "ucode/UCodeRepStdCtrls.h"

class Tindexhinzu : public TForm {
  KX_COMPONENT(Tindexhinzu, TForm)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit Tindexhinzu(TComponent* owner);

  TLabel* Label1 = nullptr;
  TEdit* edit_quelle = nullptr;
  TButton* BitBtn1 = nullptr;
  TButton* OK = nullptr;
  TMemo* Memo1 = nullptr;
  TMemo* Memo2 = nullptr;

  void FormCreate(TObject* sender);
  void sprache();
  // An existing file named in the edit: the text wizard extends it, its lines are kept here.
  void edit_quelleChange(TObject* sender);
  void OKClick(TObject* sender);
};

extern Tindexhinzu* indexhinzu;
