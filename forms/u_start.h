// The start screen, shown while the main window is prepared. Its hidden label `spr` holds
// the language code of the whole program ("de" or "en").
#pragma once

#include <string>

#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"

class Tstart : public TForm {
  KX_COMPONENT(Tstart, TForm)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit Tstart(TComponent* owner);

  TPanel* Panel1 = nullptr;
  TLabel* spr = nullptr;
};

extern Tstart* start;

// The language code: the caption of start.spr ("en" while there is no start screen).
std::string LanguageCode();
