#include "forms/u_indexhinzu.h"

#include "engine/u_WideFuncText.h"
#include "forms/u_prog.h"
#include "forms/u_progspr.h"
#include "forms/u_start.h"
#include "ucode/UCodeSysUtils.h"

Tindexhinzu* indexhinzu = nullptr;

namespace {

const std::vector<TLanguageText> kTexts = {
    {"", L"Index auswählen", L"Select Index"},
    {"Label1", L"Quelle wählen", L"Select source"},
};

}  // namespace

Tindexhinzu::Tindexhinzu(TComponent* owner) : TForm(owner) {
  indexhinzu = this;
  InitForm();
}

void Tindexhinzu::FormCreate(TObject*) { sprache(); }

void Tindexhinzu::sprache() { ApplyLanguageTexts(this, kTexts, LanguageCode()); }

void Tindexhinzu::edit_quelleChange(TObject*) {
  if (!edit_quelle || !Memo1 || !prog) return;  // still being read
  const std::wstring widePath = edit_quelle->GetText();
  if (widePath.empty() || !WideFileExists(widePath)) return;
  std::wstring text;
  try {
    text = LoadTextFileW(widePath);
  } catch (const std::exception&) {
    return;  // a file that cannot be read is no index to extend
  }
  prog->kt_index->SetCaption(widePath);
  Memo1->SetText(text);
  prog->kt_integrieren->SetChecked(true);
}

void Tindexhinzu::OKClick(TObject*) { Close(); }

void Tindexhinzu::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<Tindexhinzu>();
  p.Field("Label1", &Tindexhinzu::Label1);
  p.Field("edit_quelle", &Tindexhinzu::edit_quelle);
  p.Field("BitBtn1", &Tindexhinzu::BitBtn1);
  p.Field("OK", &Tindexhinzu::OK);
  p.Field("Memo1", &Tindexhinzu::Memo1);
  p.Field("Memo2", &Tindexhinzu::Memo2);
  p.Handler("FormCreate", &Tindexhinzu::FormCreate);
  p.Handler("edit_quelleChange", &Tindexhinzu::edit_quelleChange);
  p.Handler("OKClick", &Tindexhinzu::OKClick);
}
