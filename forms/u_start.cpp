#include "forms/u_start.h"

#include "engine/u_WideFunc.h"

Tstart* start = nullptr;

Tstart::Tstart(TComponent* owner) : TForm(owner) { InitForm(); }

void Tstart::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<Tstart>();
  p.Field("Panel1", &Tstart::Panel1);
  p.Field("spr", &Tstart::spr);
}

std::string LanguageCode() { return start != nullptr ? start->spr->GetCaption() : std::string("en"); }

namespace {

// Word documents that any window or builder opens are read through Word, with its messages in
// the program's language.
TWordAutomationReader g_wordReader([] { return LanguageCode(); });
[[maybe_unused]] const bool g_wordReaderInstalled = (SetWordDocumentReader(&g_wordReader), true);

}  // namespace
