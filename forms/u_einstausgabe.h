// The output settings window: the encoding and byte-order mark of saved text files and the
// font and background of indexes saved as pictures.
#pragma once

#include "classlib/CommonDialogs.h"
#include "classlib/StdCtrls.h"
#include "ucode/UCodeRepStdCtrls.h"
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

  // The texts of the language, then the program's factory encoding.
  void FormCreate(TObject* sender);
  void Sprache();
  // Each radio button sets the encoding of saved text files (also when checked by code).
  void rb_ansiClick(TObject* sender);
  void rb_utf7Click(TObject* sender);
  void rb_utf7ansiClick(TObject* sender);
  void rb_utf8Click(TObject* sender);
  void rb_utf8bomClick(TObject* sender);
  void rb_utf16leClick(TObject* sender);
  void rb_utf_beClick(TObject* sender);
  void rb_utf32leClick(TObject* sender);
  void rb_utf32beClick(TObject* sender);
  void jazubomClick(TObject* sender);
  // Opens the information page named by the clicked link label.
  void Label7Click(TObject* sender);
  // The font dialog for the picture font, the colour dialog for the picture background.
  void BitBtn6Click(TObject* sender);
  void BitBtn1Click(TObject* sender);
  // A whole "#RRGGBB" value becomes the picture background; other texts change nothing.
  void Edit1Change(TObject* sender);
  void Button1Click(TObject* sender);

 private:
  void SetEncoding(int encoding);
  // Tells the user, while the window is open, that index files saved from now on cannot be
  // read back; once when the choice becomes one that cannot.
  void WarnIfUnreadable(bool wasReadable);
};

// Whether text files saved with the encoding and mark carry a sign that reading them back
// recognises; UTF-7 without its signature does not.
bool EncodingIsDetectable(int encoding, bool withBOM);


extern Teinstausgabe* einstausgabe;
