#include "forms/u_einstausgabe.h"

#include <windows.h>
#include <shellapi.h>

#include "classlib/MessageBoxes.h"
#include "engine/u_TextPicture.h"
#include "engine/u_WideFuncText.h"
#include "engine/u_funktionen.h"
#include "forms/u_prog.h"
#include "forms/u_progspr.h"
#include "forms/u_start.h"
#include "ucode/UCodeControls.h"
#include "ucode/UCodeSystem.h"

Teinstausgabe* einstausgabe = nullptr;

namespace {

const std::vector<TLanguageText> kTexts = {
    {"", L"Ausgabe Einstellungen", L"Output Settings"},
    {"GroupBox2", L"Kodierung von Textdateien", L"Coding of Text Files"},
    {"Label5", L"Die Textdateien werden in folgendem Format abgespeichert:", L"Text Files are saved in this File Format:"},
    {"rb_beibehalten", L"Wenn möglich, Kodierung übernehmen", L"Adopt Coding if possible"},
    {"rb_ansi", L"ANSI Text", L"ANSI Text"},
    {"rb_utf7", L"Unicode UTF-7", L"Unicode UTF-7"},
    {"rb_utf7ansi", L"Unicode UTF-7 als ANSI gespeichert", L"Unicode UTF-7 saved as ANSI"},
    {"rb_utf8", L"Unicode UTF-8 ohne BOM", L"Unicode UTF-8 without BOM"},
    {"rb_utf8bom", L"Unicode UTF-8 mit BOM", L"Unicode UTF-8 with BOM"},
    {"rb_utf16le", L"Unicode UTF-16 Little Endian (Standard Windows Unicode)", L"Unicode UTF-16 Little Endian (Standard Windows Unicode)"},
    {"rb_utf_be", L"Unicode UTF-16 Big Endian", L"Unicode UTF-16 Big Endian"},
    {"rb_utf32le", L"Unicode UTF-32 Little Endian", L"Unicode UTF-32 Little Endian"},
    {"rb_utf32be", L"Unicode UTF-32 Big Endian", L"Unicode UTF-32 Big Endian"},
    {"jazubom", L"Byte Order Mark (BOM) in die Dateien schreiben", L"Write Byte Order Mark (BOM) in the Files"},
    {"Label4", L"Informationen zu den Formaten erhalten Sie auf dieser Seite:", L"Information to the File Formats, you can get on:"},
    {"Label7", L"kaptorix.de/unicode", L"kaptorix.com/unicode"},
    {"Label1", L"Informationen zur Byte Order Mark (BOM) erhalten Sie hier:", L"Information regarding the Byte Order Mark (BOM), you get on:"},
    {"Label2", L"kaptorix.de/bom", L"kaptorix.com/bom"},
    {"GroupBox1", L"Ausgabe als Bild", L"Output as Image"},
    {"Label6", L"Schrift und Hintergrundfarbe bei einer Ausgabe als Bild:", L"Font and Background Color at an Output as Image:"},
    {"Label3", L"Aktuelle Schrift", L"Current Font"},
    {"BitBtn6", L"Schrift wählen..", L"Choose Font.."},
    {"BitBtn1", L"Hintergrundfarbe..", L"Background Color.."},
};

const wchar_t* kUnreadableGerman =
    L"Mit dieser Kodierung gespeicherte Indexdateien werden beim Einlesen nicht erkannt und können "
    L"nicht mehr erweitert werden. Wählen Sie eine andere Kodierung oder schreiben Sie die Byte Order "
    L"Mark (BOM) in die Dateien.";
const wchar_t* kUnreadableEnglish =
    L"Index files saved in this coding are not recognised when they are read and cannot be extended "
    L"any more. Choose another coding or write the Byte Order Mark (BOM) in the files.";

// The edit shows its colour, its text white on dark and black on light colours.
void ShowColour(TEdit* edit, TColor colour) {
  edit->SetColor(colour);
  const int sum = GetRValue(colour) + GetGValue(colour) + GetBValue(colour);
  edit->GetFont()->SetColor(sum < 500 ? clWhite : clBlack);
}

}  // namespace

bool EncodingIsDetectable(int encoding, bool withBOM) {
  switch (encoding) {
    case kEncodingAnsi:
    case kEncodingUtf8:
    case kEncodingUtf8BOM: return true;
    case kEncodingUtf7Ansi: return false;
    default: return withBOM;  // UTF-7, UTF-16 and UTF-32 are known by their mark only
  }
}

// The builders read this window through `einstausgabe`, so it names itself before its description is read.
Teinstausgabe::Teinstausgabe(TComponent* owner) : TForm(owner) {
  // The description names the common dialogs' classes: they must be linked in and known.
  for (TClass dialog : {TColorDialog::StaticClass(), TFontDialog::StaticClass()})
    if (!GetClass(dialog->ClassName())) RegisterClass(dialog);
  einstausgabe = this;
  InitForm();
}

void Teinstausgabe::FormCreate(TObject*) {
  Sprache();
  // The window's controls and the program's save and picture settings start alike.
  OutputEncoding().SetEncoding(kEncodingUtf8);
  OutputEncoding().SetWithBOM(jazubom->GetChecked());
  PictureOutput().GetFont()->Assign(Label3->GetFont());
  Edit1Change(this);
}

void Teinstausgabe::Sprache() { ApplyLanguageTexts(this, kTexts, LanguageCode()); }

void Teinstausgabe::SetEncoding(int encoding) {
  const TOutputEncoding& output = OutputEncoding();
  const bool wasReadable = EncodingIsDetectable(output.GetEncoding(), output.GetWithBOM());
  OutputEncoding().SetEncoding(encoding);
  WarnIfUnreadable(wasReadable);
}

void Teinstausgabe::WarnIfUnreadable(bool wasReadable) {
  const TOutputEncoding& output = OutputEncoding();
  // A configuration being loaded sets the controls while the window is closed: the user chose
  // nothing here then.
  if (!GetVisible() || !wasReadable || EncodingIsDetectable(output.GetEncoding(), output.GetWithBOM())) return;
  // Wide, so that the umlauts show on systems whose code page has none.
  ShowMessageBoxW(HandleAllocated() ? GetHandle() : nullptr,
                  LanguageCode() == "de" ? kUnreadableGerman : kUnreadableEnglish, WideGetControlText(this),
                  MB_OK | MB_ICONWARNING);
}

void Teinstausgabe::rb_ansiClick(TObject*) { SetEncoding(kEncodingAnsi); }
void Teinstausgabe::rb_utf7Click(TObject*) { SetEncoding(kEncodingUtf7); }
void Teinstausgabe::rb_utf7ansiClick(TObject*) { SetEncoding(kEncodingUtf7Ansi); }
void Teinstausgabe::rb_utf8Click(TObject*) { SetEncoding(kEncodingUtf8); }
void Teinstausgabe::rb_utf8bomClick(TObject*) { SetEncoding(kEncodingUtf8BOM); }
void Teinstausgabe::rb_utf16leClick(TObject*) { SetEncoding(kEncodingUtf16LE); }
void Teinstausgabe::rb_utf_beClick(TObject*) { SetEncoding(kEncodingUtf16BE); }
void Teinstausgabe::rb_utf32leClick(TObject*) { SetEncoding(kEncodingUtf32LE); }
void Teinstausgabe::rb_utf32beClick(TObject*) { SetEncoding(kEncodingUtf32BE); }

void Teinstausgabe::jazubomClick(TObject*) {
  const TOutputEncoding& output = OutputEncoding();
  const bool wasReadable = EncodingIsDetectable(output.GetEncoding(), output.GetWithBOM());
  OutputEncoding().SetWithBOM(jazubom->GetChecked());
  WarnIfUnreadable(wasReadable);
}

void Teinstausgabe::Label7Click(TObject* sender) {
  auto* label = dynamic_cast<TLabel*>(sender);
  if (!label) return;
  OpenWebAddress(MenuReferralAddress(label->TControl::GetCaption()));
}

void Teinstausgabe::BitBtn6Click(TObject*) {
  fd->SetFont(Label3->GetFont());
  if (!fd->Execute()) return;
  Label3->GetFont()->Assign(fd->GetFont());
  PictureOutput().GetFont()->Assign(fd->GetFont());
}

void Teinstausgabe::BitBtn1Click(TObject*) {
  cd->SetColor(Edit1->GetColor());
  if (!cd->Execute()) return;
  ShowColour(Edit1, cd->GetColor());
  Edit1->SetText(StringToWideStringEx(ColorToHtml(cd->GetColor()), 0));
}

void Teinstausgabe::Edit1Change(TObject*) {
  if (!Edit1) return;  // still being read
  std::string digits = WideStringToStringEx(Edit1->GetText(), 0);
  if (!digits.empty() && digits[0] == '#') digits.erase(0, 1);
  TColor colour;
  if (digits.size() != 6 || !HexStrToColor(digits, colour)) return;
  ShowColour(Edit1, colour);
  PictureOutput().SetBackground(colour);
}

void Teinstausgabe::Button1Click(TObject*) {
  if (!IsModal()) Close();  // shown modally, the button's own result closes it
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
  p.Handler("FormCreate", &Teinstausgabe::FormCreate);
  p.Handler("rb_ansiClick", &Teinstausgabe::rb_ansiClick);
  p.Handler("rb_utf7Click", &Teinstausgabe::rb_utf7Click);
  p.Handler("rb_utf7ansiClick", &Teinstausgabe::rb_utf7ansiClick);
  p.Handler("rb_utf8Click", &Teinstausgabe::rb_utf8Click);
  p.Handler("rb_utf8bomClick", &Teinstausgabe::rb_utf8bomClick);
  p.Handler("rb_utf16leClick", &Teinstausgabe::rb_utf16leClick);
  p.Handler("rb_utf_beClick", &Teinstausgabe::rb_utf_beClick);
  p.Handler("rb_utf32leClick", &Teinstausgabe::rb_utf32leClick);
  p.Handler("rb_utf32beClick", &Teinstausgabe::rb_utf32beClick);
  p.Handler("jazubomClick", &Teinstausgabe::jazubomClick);
  p.Handler("Label7Click", &Teinstausgabe::Label7Click);
  p.Handler("BitBtn6Click", &Teinstausgabe::BitBtn6Click);
  p.Handler("BitBtn1Click", &Teinstausgabe::BitBtn1Click);
  p.Handler("Edit1Change", &Teinstausgabe::Edit1Change);
  p.Handler("Button1Click", &Teinstausgabe::Button1Click);
}
