// The output settings window: the encoding and byte-order mark of saved text files and the
// font and background of indexes saved as pictures.
#pragma once

#include "classlib/CommonDialogs.h"
#include "classlib/StdCtrls.h"
#include "classlib/Forms.h"

class Teinstausgabe : public TForm {
  KX_COMPONENT(Teinstausgabe, TForm)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit Teinstausgabe(TComponent* owner);

  TGroupBox* GroupBox2 = nullptr;
  TLabel* Label5 = nullptr;
  TRadioButton* rb_beibehalten = nullptr;
  TRadioButton* rb_ansi = nullptr;
  TRadioButton* rb_utf7 = nullptr;
  TRadioButton* rb_utf7ansi = nullptr;
  TRadioButton* rb_utf8 = nullptr;
  TRadioButton* rb_utf8bom = nullptr;
  TRadioButton* rb_utf16le = nullptr;
  TRadioButton* rb_utf_be = nullptr;
  TRadioButton* rb_utf32le = nullptr;
  TRadioButton* rb_utf32be = nullptr;
  TCheckBox* jazubom = nullptr;
  TLabel* Label4 = nullptr;
  TLabel* Label7 = nullptr;
  TLabel* Label1 = nullptr;
  TLabel* Label2 = nullptr;
  TGroupBox* GroupBox1 = nullptr;
  TLabel* Label6 = nullptr;
  TLabel* Label3 = nullptr;
  TButton* BitBtn6 = nullptr;
  TEdit* Edit1 = nullptr;
  TButton* BitBtn1 = nullptr;
  TFontDialog* fd = nullptr;
  TColorDialog* cd = nullptr;
  TButton* Button1 = nullptr;
};

extern Teinstausgabe* einstausgabe;
