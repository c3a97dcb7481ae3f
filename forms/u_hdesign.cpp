#include "forms/u_hdesign.h"

#include <windows.h>

#include "engine/u_funktionen.h"
#include "forms/u_progspr.h"
#include "forms/u_start.h"
#include "ucode/UCodeSystem.h"

Thdesign* hdesign = nullptr;

namespace {

// The screen colour picker: whether a drag is picking, and the colour under the cursor last.
bool picking = false;
TColor pickedColour = clWhite;

const std::vector<TLanguageText> kTexts = {
    {"", L"HTML Einstellungen", L"HTML Settings"},
    {"gb1", L"Allgemeine Einstellungen", L"General Settings"},
    {"kt_alphabet", L"Überschriften im Index: A, B, C,..", L"Headlines in the Index: A, B, C,.."},
    {"linkleiste", L"Menüleiste mit ABC-Links über dem Dokument", L"Menu Bar with ABC-Links"},
    {"gb2", L"Schriftart und Schriftgröße", L"Font and Font Size"},
    {"Label1", L"Schriftart", L"Font"},
    {"Label2", L"Überschrift", L"Headline"},
    {"Label10", L"Abschnitt", L"Paragraph"},
    {"Label11", L"Text", L"Text"},
    {"gb3", L"Breite", L"Width"},
    {"breite_all", L"Gesamtspalte", L"General Width"},
    {"breite_links", L"Spalte Links", L"Left Column"},
    {"breite_rechts", L"Spalte Rechts", L"Right Column"},
    {"breite_top", L"Überschrift", L"Headline"},
    {"gb4", L"Abstände", L"Interspaces"},
    {"abs_linksrechts", L"Links und Rechts", L"Left and Right"},
    {"abs_zwabschnitt", L"Zwischen Abschnitten", L"Between Paragraphs"},
    {"abs_obenunten", L"Oben und Unten", L"Above and Below"},
    {"abs_zwtext", L"Zwischen Text", L"Between Text"},
    {"gb5", L"Titel", L"Title"},
    {"htmltitel", L"Titel (title-Tag)", L"Title (title-tag)"},
    {"Ueberschrift", L"Überschrift", L"Headline"},
    {"gb7", L"Farben", L"Colors"},
    {"Label5", L"Text", L"Text"},
    {"Label6", L"Links", L"Links"},
    {"Label7", L"Hintergrund", L"Background"},
};

void ColourPanelFrom(TEdit* edit, TPanel* panel) {
  TColor colour;
  if (edit && panel && HtmlToColor(WideStringToStringEx(edit->GetText(), 0), colour)) panel->SetColor(colour);
}

// The screen's pixel under the cursor.
TColor ScreenColourAtCursor() {
  POINT at{};
  GetCursorPos(&at);
  HDC screen = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
  if (!screen) return pickedColour;
  COLORREF pixel = GetPixel(screen, at.x, at.y);
  DeleteDC(screen);
  return pixel == CLR_INVALID ? pickedColour : static_cast<TColor>(pixel);
}

}  // namespace

// The builders read this window through `hdesign`, so it names itself before its description is read.
Thdesign::Thdesign(TComponent* owner) : TForm(owner) {
  // The description names the common dialogs' classes: they must be linked in and known.
  for (TClass dialog : {TColorDialog::StaticClass()})
    if (!GetClass(dialog->ClassName())) RegisterClass(dialog);
  hdesign = this;
  InitForm();
}

void Thdesign::FormCreate(TObject*) {
  for (TPanel* panel : {pafa_text, pafa_links, pafa_hg}) panel->SetParentBackground(false);
  farbe_textChange(this);
  farbe_linksChange(this);
  farbe_hgChange(this);
  LocalSpr();
}

void Thdesign::LocalSpr() {
  ApplyLanguageTexts(this, kTexts, LanguageCode());
  LinkTrennerChange(this);
}

void Thdesign::LinkTrennerChange(TObject*) {
  if (!LinkTrenner) return;  // still being read
  const std::string label = LanguageCode() == "de" ? "Zeichen zwischen den Links " : "Character Between Links ";
  LinkTrenner->GetEditLabel()->SetCaption(label + '"' + LinkTrenner->GetText() + '"');
}

void Thdesign::farbe_textChange(TObject*) { ColourPanelFrom(farbe_text, pafa_text); }
void Thdesign::farbe_linksChange(TObject*) { ColourPanelFrom(farbe_links, pafa_links); }
void Thdesign::farbe_hgChange(TObject*) { ColourPanelFrom(farbe_hg, pafa_hg); }

TEdit* Thdesign::ColourEditOf(TObject* control) const {
  if (control == FarbwahlText || control == pafa_text) return farbe_text;
  if (control == FarbwahlLinks || control == pafa_links) return farbe_links;
  if (control == FarbwahlHG || control == pafa_hg) return farbe_hg;
  return nullptr;
}

void Thdesign::FarbWahlEditChange(TObject* sender) {
  TEdit* edit = ColourEditOf(sender);
  if (!edit || !cd->Execute()) return;
  edit->SetText(StringToWideStringEx(ColorToHtml(cd->GetColor()), 0));
}

void Thdesign::FarbWahlMouseDown(TObject* sender, TMouseButton, TShiftState, int, int) {
  auto* panel = dynamic_cast<TPanel*>(sender);
  if (!panel) return;
  panel->SetCursor(crCross);
  panel->SetMouseCapture(true);
  picking = true;
}

void Thdesign::FarbWahlMouseMove(TObject* sender, TShiftState, int, int) {
  auto* panel = dynamic_cast<TPanel*>(sender);
  TEdit* edit = ColourEditOf(sender);
  if (!picking || !panel || !edit) return;
  pickedColour = ScreenColourAtCursor();
  panel->SetColor(pickedColour);
  edit->SetText(StringToWideStringEx(ColorToHtml(pickedColour), 0));
}

void Thdesign::FarbWahlMouseUp(TObject* sender, TMouseButton, TShiftState, int, int) {
  auto* panel = dynamic_cast<TPanel*>(sender);
  if (!panel) return;
  picking = false;
  panel->SetCursor(crArrow);
  panel->SetMouseCapture(false);
  panel->SetColor(pickedColour);
}

void Thdesign::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<Thdesign>();
  p.Field("gb1", &Thdesign::gb1);
  p.Field("kt_alphabet", &Thdesign::kt_alphabet);
  p.Field("linkleiste", &Thdesign::linkleiste);
  p.Field("LinkTrenner", &Thdesign::LinkTrenner);
  p.Field("gb2", &Thdesign::gb2);
  p.Field("Label1", &Thdesign::Label1);
  p.Field("schriftart", &Thdesign::schriftart);
  p.Field("Label2", &Thdesign::Label2);
  p.Field("ft1", &Thdesign::ft1);
  p.Field("Label10", &Thdesign::Label10);
  p.Field("ft2", &Thdesign::ft2);
  p.Field("Label11", &Thdesign::Label11);
  p.Field("ftt", &Thdesign::ftt);
  p.Field("gb3", &Thdesign::gb3);
  p.Field("breite_all", &Thdesign::breite_all);
  p.Field("breite_links", &Thdesign::breite_links);
  p.Field("breite_rechts", &Thdesign::breite_rechts);
  p.Field("breite_top", &Thdesign::breite_top);
  p.Field("gb4", &Thdesign::gb4);
  p.Field("abs_linksrechts", &Thdesign::abs_linksrechts);
  p.Field("abs_zwabschnitt", &Thdesign::abs_zwabschnitt);
  p.Field("abs_obenunten", &Thdesign::abs_obenunten);
  p.Field("abs_zwtext", &Thdesign::abs_zwtext);
  p.Field("gb5", &Thdesign::gb5);
  p.Field("htmltitel", &Thdesign::htmltitel);
  p.Field("Ueberschrift", &Thdesign::Ueberschrift);
  p.Field("gb7", &Thdesign::gb7);
  p.Field("Label5", &Thdesign::Label5);
  p.Field("farbe_text", &Thdesign::farbe_text);
  p.Field("pafa_text", &Thdesign::pafa_text);
  p.Field("FarbwahlText", &Thdesign::FarbwahlText);
  p.Field("Label6", &Thdesign::Label6);
  p.Field("farbe_links", &Thdesign::farbe_links);
  p.Field("pafa_links", &Thdesign::pafa_links);
  p.Field("FarbwahlLinks", &Thdesign::FarbwahlLinks);
  p.Field("Label7", &Thdesign::Label7);
  p.Field("farbe_hg", &Thdesign::farbe_hg);
  p.Field("pafa_hg", &Thdesign::pafa_hg);
  p.Field("FarbwahlHG", &Thdesign::FarbwahlHG);
  p.Field("cd", &Thdesign::cd);
  p.Field("OK", &Thdesign::OK);
  p.Handler("FormCreate", &Thdesign::FormCreate);
  p.Handler("LinkTrennerChange", &Thdesign::LinkTrennerChange);
  p.Handler("farbe_textChange", &Thdesign::farbe_textChange);
  p.Handler("farbe_linksChange", &Thdesign::farbe_linksChange);
  p.Handler("farbe_hgChange", &Thdesign::farbe_hgChange);
  p.Handler("FarbWahlEditChange", &Thdesign::FarbWahlEditChange);
  p.Handler("FarbWahlMouseDown", &Thdesign::FarbWahlMouseDown);
  p.Handler("FarbWahlMouseMove", &Thdesign::FarbWahlMouseMove);
  p.Handler("FarbWahlMouseUp", &Thdesign::FarbWahlMouseUp);
}
