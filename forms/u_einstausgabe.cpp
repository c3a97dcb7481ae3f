#include "forms/u_einstausgabe.h"

Teinstausgabe* einstausgabe = nullptr;

// The builders read this window through `einstausgabe`, so it names itself before its description is read.
Teinstausgabe::Teinstausgabe(TComponent* owner) : TForm(owner) {
  // The description names the common dialogs' classes: they must be linked in and known.
  for (TClass dialog : {TColorDialog::StaticClass(), TFontDialog::StaticClass()})
    if (!GetClass(dialog->ClassName())) RegisterClass(dialog);
  einstausgabe = this;
  InitForm();
}

void Teinstausgabe::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<Teinstausgabe>();
  p.Field("GroupBox2", &Teinstausgabe::GroupBox2);
  p.Field("Label5", &Teinstausgabe::Label5);
  p.Field("rb_beibehalten", &Teinstausgabe::rb_beibehalten);
  p.Field("rb_ansi", &Teinstausgabe::rb_ansi);
  p.Field("rb_utf7", &Teinstausgabe::rb_utf7);
  p.Field("rb_utf7ansi", &Teinstausgabe::rb_utf7ansi);
  p.Field("rb_utf8", &Teinstausgabe::rb_utf8);
  p.Field("rb_utf8bom", &Teinstausgabe::rb_utf8bom);
  p.Field("rb_utf16le", &Teinstausgabe::rb_utf16le);
  p.Field("rb_utf_be", &Teinstausgabe::rb_utf_be);
  p.Field("rb_utf32le", &Teinstausgabe::rb_utf32le);
  p.Field("rb_utf32be", &Teinstausgabe::rb_utf32be);
  p.Field("jazubom", &Teinstausgabe::jazubom);
  p.Field("Label4", &Teinstausgabe::Label4);
  p.Field("Label7", &Teinstausgabe::Label7);
  p.Field("Label1", &Teinstausgabe::Label1);
  p.Field("Label2", &Teinstausgabe::Label2);
  p.Field("GroupBox1", &Teinstausgabe::GroupBox1);
  p.Field("Label6", &Teinstausgabe::Label6);
  p.Field("Label3", &Teinstausgabe::Label3);
  p.Field("BitBtn6", &Teinstausgabe::BitBtn6);
  p.Field("Edit1", &Teinstausgabe::Edit1);
  p.Field("BitBtn1", &Teinstausgabe::BitBtn1);
  p.Field("fd", &Teinstausgabe::fd);
  p.Field("cd", &Teinstausgabe::cd);
  p.Field("Button1", &Teinstausgabe::Button1);
}
