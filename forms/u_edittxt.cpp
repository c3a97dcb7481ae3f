#include "forms/u_edittxt.h"

#include <windows.h>

#include "engine/u_PageNumberText.h"
#include "engine/u_funktionen.h"
#include "forms/u_prog.h"
#include "forms/u_progspr.h"
#include "forms/u_start.h"
#include "forms/u_textix.h"
#include "ucode/UCodeSystem.h"

Tedittxt* edittxt = nullptr;

namespace {

std::wstring Wide(const std::string& text) { return StringToWideStringEx(text, 0); }

// The whole text as it was before the last change of this window.
std::wstring undoCopy;

const std::vector<TLanguageText> kTexts = {
    {"", L"Editor: Seitenzahlen in Text schreiben", L"Editor: Write Folio to Text"},
    {"gb0", L"Optionen", L"Options"},
    {"tab1", L"Leerzeichen Ersetzen", L"Replace Spaces"},
    {"Label2", L"Ersetzt alle Leerzeilen durch eine fortlaufende Seitenzahl.",
     L"Replace all Spaces by Consecutive Page Numbers."},
    {"cb_l2skeinedoppelt", L"Nach einer Seitenzahl kommt mindestens eine Zeile Text",
     L"At least one Line of Text after a Page Number"},
    {"l2sstart", L"Startseite", L"Start"},
    {"LeerZuSeite", L"Anwenden", L"Apply"},
    {"l2sback", L"Rückgängig", L"Undo"},
    {"tab2", L"Cursor", L"Cursor"},
    {"Label1", L"Fügt eine Seitenzahl an der Cursorposition ein.", L"Insert a Page Number at Cursor Position."},
    {"cursak", L"Aktuelle Seite", L"Actual Page Number"},
    {"curaut", L"Seitenzahlen automatisch hochzählen", L"Count Up Page Numbers Automatically"},
    {"curback", L"Rückgängig", L"Undo"},
    {"tab3", L"Zeichen Ersetzen", L"Replace Characters"},
    {"Label3", L"Ersetzt Zeichen durch fortlaufende Seitenzahlen.", L"Replace Characters by Consecutive Page Numbers."},
    {"zes", L"Startseite", L"Start"},
    {"zez", L"Ersetzte Zeichen", L"Character"},
    {"zeanwenden", L"Anwenden", L"Apply"},
    {"zeback", L"Rückgängig", L"Undo"},
    {"einst", L"Einstellungen", L"Settings"},
    {"Label4", L"Zeichen und Zeilenumbrüche (#NL) vor und nach der Seitenzahl.",
     L"Characters and Line Breaks (#NL) before and after Page Numbers."},
    {"vor", L"Zeichen vor der Seitenzahl", L"Character Before Page Number"},
    {"nach", L"Zeichen nach der Seitenzahl", L"Character After Page Number"},
    {"Laden", L"Text Laden", L"Load Text"},
    {"HinzuLaden", L"Hinzuladen", L"Add Text"},
    {"delete", L"Text Löschen", L"Delete Text"},
    {"ToTXTIndex", L"Textindex..", L"Textindex.."},
    {"schliessen", L"Schließen", L"Close"},
    {"Ruckgangig", L"Rückgängig", L"Undo"},
    {"Zeilenumbruch", L"Zeilenumbruch", L"Line Break"},
};

}  // namespace

Tedittxt::Tedittxt(TComponent* owner) : TForm(owner) { InitForm(); }

void Tedittxt::FormCreate(TObject*) {
  LocalSpr();
  undoCopy.clear();
  pc->SetActivePage(tab1);
}

void Tedittxt::LocalSpr() { ApplyLanguageTexts(this, kTexts, LanguageCode()); }

void Tedittxt::KeepUndoCopy() { undoCopy = text->GetText(); }

void Tedittxt::LadenClick(TObject*) { LoadTextIntoMemo(text, false, prog->memoload, LanguageCode()); }
void Tedittxt::HinzuLadenClick(TObject*) { LoadTextIntoMemo(text, true, prog->memoload, LanguageCode()); }
void Tedittxt::deleteClick(TObject*) { text->Clear(); }

void Tedittxt::ZeilenumbruchClick(TObject*) {
  if (!text || !Zeilenumbruch) return;  // still being read
  const bool wrap = Zeilenumbruch->GetChecked();
  text->SetWordWrap(wrap);
  text->SetScrollBars(wrap ? ssVertical : ssBoth);
}

void Tedittxt::LeerZuSeiteClick(TObject*) {
  KeepUndoCopy();
  text->SetText(EmptyLinesToPageNumbersInText(undoCopy, Wide(l2sstart->GetText()), cb_l2skeinedoppelt->GetChecked()));
}

void Tedittxt::textMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
  if (pc->GetActivePage() != tab2) return;
  KeepUndoCopy();
  // The number goes in at the caret's place in the text itself: the lines the memo shows
  // wrapped are no lines of the text, and a caret behind the last line break still has its place.
  const size_t at = std::min(static_cast<size_t>(std::max(0, text->GetSelStartW())), undoCopy.size());
  const std::wstring insert = ExpandLineBreaks(Wide(vor->GetText())) + Wide(cursak->GetText()) +
                              ExpandLineBreaks(Wide(nach->GetText()));
  text->SetText(undoCopy.substr(0, at) + insert + undoCopy.substr(at));
  const std::wstring page = Wide(cursak->GetText());
  if (curaut->GetChecked() && IsIntegerStr(page)) cursak->SetText(std::to_string(IntegerValueOr(page, 0) + 1LL));
  text->SetSelStartW(static_cast<int>(at + insert.size()));
  text->SetSelLengthW(0);
  SendMessageA(text->GetHandle(), EM_SCROLLCARET, 0, 0);
}

void Tedittxt::zeanwendenClick(TObject*) {
  KeepUndoCopy();
  text->SetText(MarkersToPageNumbers(undoCopy, Wide(zez->GetText()), Wide(zes->GetText()),
                                     ExpandLineBreaks(Wide(vor->GetText())), ExpandLineBreaks(Wide(nach->GetText()))));
}

void Tedittxt::l2sbackClick(TObject*) {
  const std::wstring current = text->GetText();
  text->SetText(undoCopy);
  undoCopy = current;
}

void Tedittxt::RuckgangigClick(TObject*) { SendMessageA(text->GetHandle(), EM_UNDO, 0, 0); }

void Tedittxt::ToTXTIndexClick(TObject*) {
  // The run reads the text only while "text as source" is chosen.
  prog->qu_text->SetChecked(true);
  prog->original->SetText(text->GetText());
  DescribeTextIndexSettings(prog->tt1);
  Close();
}

void Tedittxt::schliessenClick(TObject*) { Close(); }

void Tedittxt::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<Tedittxt>();
#define KX_FIELD(name) p.Field(#name, &Tedittxt::name)
  KX_FIELD(text); KX_FIELD(Laden); KX_FIELD(HinzuLaden); KX_FIELD(Zeilenumbruch); KX_FIELD(gb0); KX_FIELD(pc);
  KX_FIELD(tab1); KX_FIELD(Label2); KX_FIELD(cb_l2skeinedoppelt); KX_FIELD(l2sstart); KX_FIELD(LeerZuSeite);
  KX_FIELD(l2sback); KX_FIELD(tab2); KX_FIELD(Label1); KX_FIELD(cursak); KX_FIELD(curaut); KX_FIELD(curback);
  KX_FIELD(tab3); KX_FIELD(Label3); KX_FIELD(zes); KX_FIELD(zez); KX_FIELD(zeanwenden); KX_FIELD(zeback);
  KX_FIELD(einst); KX_FIELD(Label4); KX_FIELD(vor); KX_FIELD(nach); KX_FIELD(ToTXTIndex); KX_FIELD(schliessen);
  KX_FIELD(Ruckgangig);
#undef KX_FIELD
  p.Field("delete", &Tedittxt::delete_);
#define KX_HANDLER(name) p.Handler(#name, &Tedittxt::name)
  KX_HANDLER(FormCreate); KX_HANDLER(LadenClick); KX_HANDLER(HinzuLadenClick); KX_HANDLER(deleteClick);
  KX_HANDLER(ZeilenumbruchClick); KX_HANDLER(LeerZuSeiteClick); KX_HANDLER(textMouseDown);
  KX_HANDLER(zeanwendenClick); KX_HANDLER(l2sbackClick); KX_HANDLER(RuckgangigClick); KX_HANDLER(ToTXTIndexClick);
  KX_HANDLER(schliessenClick);
#undef KX_HANDLER
}
