// The English fault-report window: where to report faults and wishes, and custom-made
// software, each with a link to its page.
#pragma once

#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "ucode/UCodeRepStdCtrls.h"

class Tbugreport_en : public TForm {
  KX_COMPONENT(Tbugreport_en, TForm)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit Tbugreport_en(TComponent* owner);

  TLabel* Label16 = nullptr;
  TStaticText* StaticText19 = nullptr;
  TLabel* Label70 = nullptr;
  TStaticText* StaticText1 = nullptr;
  TStaticText* StaticText2 = nullptr;
  TLabel* Label1 = nullptr;
  TButton* Button1 = nullptr;

  // Opens the page that the clicked link label names.
  void BrowseToCaption(TObject* sender);
  void Button1Click(TObject* sender);
};

extern Tbugreport_en* bugreport_en;
