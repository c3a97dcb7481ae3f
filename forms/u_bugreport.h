// The fault-report windows, German and English: where to report faults and wishes, and
// custom-made software, each with a link to its page. Both languages show the same components.
#pragma once

#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "ucode/UCodeRepStdCtrls.h"

class TBugReportWindow : public TForm {
  KX_CLASS(TBugReportWindow, TForm)
 public:
  static void DeclareProperties(TPropertyTable& table);

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

 protected:
  explicit TBugReportWindow(TComponent* owner) : TForm(owner) {}
};
