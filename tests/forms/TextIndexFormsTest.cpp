// A text index run through the real windows, not shown: options set on the controls, the
// run started as the start button starts it, and the result memo, page list, status, summary
// and messages read back.
#include <gtest/gtest.h>
#include <windows.h>

#include "TextIndexWindows.h"
#include "engine/u_WideFuncText.h"
#include "engine/u_WordLists.h"
#include "forms/u_design.h"
#include "forms/u_prog.h"
#include "forms/u_progspr.h"
#include "forms/u_start.h"
#include "forms/u_szkriterien.h"
#include "forms/u_textix.h"
#include "forms/u_wortlisten.h"
#include "support/TestSupport.h"
#include "support/WordStandIn.h"
#include "ucode/UCodeSystem.h"

using formstest::Items;
using formstest::Lines;
using formstest::MessageBoxes;
using formstest::Narrow;
using formstest::TextIndexWindows;
using formstest::Wide;
using Strings = std::vector<std::string>;

namespace {

Strings OutputLines() { return Lines(prog->output->GetText()); }

// The source typed into the wizard's memo, every line a page.
void TypeSourceByLines(const std::string& text) {
  prog->qu_text->SetChecked(true);
  prog->original->SetText(Wide(text));
  prog->sz_zeilezuseite->SetChecked(true);
}

}  // namespace

TEST(TextIndexWindowsStart, ControlsHoldTheFactoryStatesTheEngineExpects) {
  TextIndexWindows windows;
  const TTextIndexOptions read = ReadTextIndexOptions();
  const TTextIndexOptions factory = FactoryTextIndexOptions();
  EXPECT_EQ(read.SourceFromFile, factory.SourceFromFile);
  EXPECT_EQ(read.PagesByLine, factory.PagesByLine);
  EXPECT_EQ(read.FirstPage, factory.FirstPage);
  EXPECT_EQ(read.NumbersBelowText, factory.NumbersBelowText);
  EXPECT_FALSE(read.ExtendIndex);
  EXPECT_EQ(read.SplitJoined, factory.SplitJoined);
  EXPECT_EQ(read.RemoveDuplicatePages, factory.RemoveDuplicatePages);
  const TPipelineOptions& p = read.Pipeline;
  const TPipelineOptions& f = factory.Pipeline;
  EXPECT_EQ(Strings({"0", "1", "2", "3", "4", "5", "Custom.."}), Items(prog->kt_max->GetItems()));
  EXPECT_EQ(std::vector<bool>({p.PositiveList, p.NegativeList, p.JoinCapitalized, p.PositiveBlanksJoined,
                               p.RemoveDigits, p.DropLowercase, p.DropUppercase, p.MinimumLengthOn}),
            std::vector<bool>({f.PositiveList, f.NegativeList, f.JoinCapitalized, f.PositiveBlanksJoined,
                               f.RemoveDigits, f.DropLowercase, f.DropUppercase, f.MinimumLengthOn}));
  EXPECT_EQ(p.MinimumLength, f.MinimumLength);
  EXPECT_EQ(p.NegativeWords, FactoryNegativeWords());  // no "neg.txt" beside the tests
  EXPECT_EQ(posliste->Words(), FactoryPositiveWords());
  EXPECT_FALSE(read.Layout.UseDesign);
  EXPECT_EQ(read.Layout.Heading, L"Index");
  EXPECT_EQ(read.Layout.Between, L" ");
  EXPECT_EQ(read.Layout.Separator, L", ");
  EXPECT_TRUE(read.Layout.LetterHeadings);
  EXPECT_TRUE(read.Layout.BlankBeforeHeading);

  const TPageNumberCriteria criteria = ReadPageNumberCriteria();
  const TPageNumberCriteria defaults;
  EXPECT_EQ(std::vector<std::wstring>({criteria.MaxLength, criteria.Marker, criteria.UserChars, criteria.Offset}),
            std::vector<std::wstring>({defaults.MaxLength, defaults.Marker, defaults.UserChars, defaults.Offset}));
  EXPECT_EQ(std::vector<bool>({criteria.StartsWithMarker, criteria.RemoveMarker, criteria.RemoveStandardChars,
                               criteria.RemoveUserChars, criteria.OnlyNumbers, criteria.AddOffset}),
            std::vector<bool>({defaults.StartsWithMarker, defaults.RemoveMarker, defaults.RemoveStandardChars,
                               defaults.RemoveUserChars, defaults.OnlyNumbers, defaults.AddOffset}));
  EXPECT_TRUE(szkriterien->sz_kuerzen->GetChecked());
  EXPECT_FALSE(szkriterien->sz_bwdefs->GetEnabled());
  EXPECT_EQ(szkriterien->sz_laenge->GetTag(), 5);
  EXPECT_EQ(szkriterien->cb_pluswert->GetTag(), 1);
  EXPECT_EQ(prog->kt_max->GetTag(), 3);
  // The source group that is not chosen waits disabled; the wizard opens on its first page.
  EXPECT_FALSE(prog->original->GetEnabled());
  EXPECT_FALSE(prog->sz_beginn->GetEnabled());
  EXPECT_EQ(prog->kt_index->TControl::GetCaption(), "No Index Selected");
  EXPECT_EQ(prog->pct->GetActivePage(), prog->tt1);
  EXPECT_TRUE(prog->pstart->GetVisible());
  EXPECT_FALSE(prog->pgtxt->GetVisible());
  EXPECT_EQ(LanguageCode(), "en");
  EXPECT_EQ(design->vorschau->TControl::GetCaption(), "Preview: Item 17, 38, 69, 193");
}

TEST(TextIndexRunThroughTheWindows, EveryLineAPageWithTheFactoryOptions) {
  TextIndexWindows windows;
  TypeSourceByLines("Haus und Hof\r\nHof");
  EXPECT_TRUE(prog->original->GetEnabled());
  prog->ft_startClick(prog->ft_start);
  EXPECT_EQ(OutputLines(), Strings({"Index", "", "H", "Haus 1", "Hof 1, 2"}));
  // The result page: bar and status cleared, only the start button usable.
  EXPECT_EQ(prog->pct->GetActivePage(), prog->tt6);
  EXPECT_TRUE(prog->pgtxt->GetVisible());
  EXPECT_EQ(prog->progress->GetPosition(), 0);
  EXPECT_EQ(prog->status->TControl::GetCaption(), "");
  EXPECT_TRUE(prog->ft_start->GetEnabled());
  EXPECT_FALSE(prog->bt2->GetEnabled());
  EXPECT_FALSE(prog->bt1->GetEnabled());

  // The first page label comes from its edit; the design window's layout when chosen.
  prog->sz_beginn->SetText(L"7");
  prog->kt_design->SetChecked(true);
  design->ub->SetText("Register");
  design->dzw->SetText(": ");
  design->dsep->SetText("; ");
  design->kt_alphabet->SetChecked(false);
  EXPECT_EQ(design->vorschau->TControl::GetCaption(), "Preview: Item: 17; 38; 69; 193");
  BuildTextIndex();
  EXPECT_EQ(OutputLines(), Strings({"Register", "Haus: 7", "Hof: 7; 8"}));
  EXPECT_EQ(prog->status->TControl::GetCaption(), "Writing Index..");
}

TEST(TextIndexRunThroughTheWindows, ASourceThatCannotBeReadLeavesTheWizardUsable) {
  TextIndexWindows windows;
  testsupport::TempDir dir;
  const std::string path = dir.File("buch.txt");
  testsupport::WriteBytes(path, "Haus\r\n");
  prog->edit_quelle->SetText(Wide(path));
  prog->sz_zeilezuseite->SetChecked(true);
  {
    testsupport::HeldOpen locked(path);
    ASSERT_TRUE(locked.Held());
    EXPECT_ANY_THROW(prog->ft_startClick(prog->ft_start));
  }
  EXPECT_EQ(prog->pct->GetActivePage(), prog->tt6);
  EXPECT_TRUE(prog->ft_start->GetEnabled());
  prog->ft_startClick(prog->ft_start);
  EXPECT_EQ(OutputLines(), Strings({"Index", "", "H", "Haus 1"}));
}

TEST(TextIndexRunThroughTheWindows, WordListsComeFromTheListWindows) {
  TextIndexWindows windows;
  TypeSourceByLines("Berno Kalwe kam nach Hause\r\nHause Garten");
  negliste->liste->SetText(L"Garten\r\nHause");
  prog->kt_positivliste->SetChecked(true);
  prog->kt_zusdoppelt->SetChecked(false);
  BuildTextIndex();
  EXPECT_EQ(OutputLines(), Strings({"Index", "", "B", "Berno Kalwe 1"}));
}

TEST(TextIndexRunThroughTheWindows, PageNumbersDetectedFromTheSourceBeforeTheRun) {
  TextIndexWindows windows;
  prog->qu_text->SetChecked(true);
  prog->original->SetText(L"Haus am See\r\n1\r\nHof und Haus\r\n2");
  prog->ft_startClick(prog->ft_start);
  EXPECT_EQ(Items(prog->sz_libo->GetItems()), Strings({"1 (1)", "2 (3)"}));
  EXPECT_TRUE(PageNumbersRead);
  EXPECT_EQ(OutputLines(), Strings({"Index", "", "H", "Haus 1, 2", "Hof 2", "", "S", "See 1"}));

  // Numbers above their text, chosen in the criteria window; a changed text is read again.
  szkriterien->posueber->SetChecked(true);
  prog->original->SetText(L"1\r\nHaus am See\r\n2\r\nHof und Haus");
  EXPECT_FALSE(PageNumbersRead);
  DescribeTextIndexSettings(prog->tt2);
  EXPECT_EQ(Items(prog->sz_libo->GetItems()), Strings({"1 (0)", "2 (2)"}));
  BuildTextIndex();
  EXPECT_EQ(OutputLines(), Strings({"Index", "", "H", "Haus 1, 2", "Hof 2", "", "S", "See 1"}));
}

TEST(TextIndexRunThroughTheWindows, CriteriaWindowDecidesWhatIsAPageNumber) {
  TextIndexWindows windows;
  prog->qu_text->SetChecked(true);
  prog->original->SetText(L"Text\r\niv\r\n3\r\n[7]");
  szkriterien->sz_nurzahl->SetChecked(false);
  szkriterien->cb_plus->SetChecked(true);
  szkriterien->cb_pluswert->SetText(L"-2");
  szkriterien->sz_bwdef->SetChecked(true);
  FindPageNumbers();
  EXPECT_EQ(Items(prog->sz_libo->GetItems()), Strings({"Text (0)", "iv (1)", "1 (2)", "5 (3)"}));

  // Every line a page: the list stays as it is, and counts as read.
  PageNumbersRead = false;
  prog->sz_zeilezuseite->SetChecked(true);
  EXPECT_FALSE(prog->sz_libo->GetEnabled());
  FindPageNumbers();
  EXPECT_EQ(prog->sz_libo->GetItems()->GetCount(), 4);
  EXPECT_TRUE(PageNumbersRead);
}

TEST(TextIndexRunThroughTheWindows, ProblemsAreToldInTheCurrentLanguageAndTheRunGoesOn) {
  TextIndexWindows windows;
  MessageBoxes boxes;
  testsupport::TempDir dir;
  const std::string missing = dir.File("alt.idx");
  start->spr->SetCaption("de");
  SetProgLanguage();
  prog->qu_text->SetChecked(true);
  prog->original->SetText(L"Haus\r\n1\r\nHof\r\n2");
  prog->sz_libo->GetItems()->SetText(L"1 (1)\r\nzwei\r\n2 (3)");
  prog->kt_integrieren->SetChecked(true);
  prog->kt_index->SetCaption(missing);
  BuildTextIndex();
  EXPECT_EQ(boxes.texts, Strings({Narrow(IndexFileUnusableMessage(Wide(missing), "de")),
                                  Narrow(SkippedPageItemsMessage(1, "de"))}));
  EXPECT_EQ(boxes.captions, Strings(2, prog->GetCaption()));
  EXPECT_EQ(OutputLines(), Strings({"Index", "", "H", "Haus 1", "Hof 2"}));
  EXPECT_EQ(prog->status->TControl::GetCaption(), "Index schreiben..");
}

// An index file whose entries hold a NUL: the result memo shows every entry, the NUL as U+FFFD.
TEST(TextIndexRunThroughTheWindows, AnIndexFileWithANulShowsEveryEntry) {
  TextIndexWindows windows;
  testsupport::TempDir dir;
  const std::string idx = dir.File("alt.idx");
  const char data[] = "Alpha:1>-\r\nBe\0ta:2>-\r\nZeta:3>-\r\n";
  testsupport::WriteBytes(idx, std::string(data, sizeof data - 1));
  TypeSourceByLines("Haus");
  prog->kt_integrieren->SetChecked(true);
  prog->kt_index->SetCaption(idx);
  BuildTextIndex();
  EXPECT_EQ(prog->output->GetText(), L"Index\r\n\r\nA\r\nAlpha 1\r\n\r\nB\r\nBe\uFFFDta 2\r\n\r\nH\r\nHaus 1\r\n\r\nZ\r\n"
                                     L"Zeta 3\r\n");
}

TEST(TextIndexPageSwitch, ButtonsAndTheSummaryFollowThePage) {
  TextIndexWindows windows;
  start->spr->SetCaption("de");
  prog->edit_quelle->SetText(L"C:\\Buch.txt");
  DescribeTextIndexSettings(prog->tt4);
  EXPECT_TRUE(prog->pgtxt->GetVisible());
  EXPECT_FALSE(prog->pstart->GetVisible());
  EXPECT_FALSE(prog->bt2->GetEnabled());
  EXPECT_TRUE(prog->ft_start->GetEnabled());
  EXPECT_EQ(Wide(prog->zusammenfassung->TControl::GetCaption()),
            L"Quelle\r\n - Datei: C:\\Buch.txt\r\n\r\n"
            L"Seitenzahlen\r\n - Benutzerdefinierte Einstellungen\r\n\r\n"
            L"Suchkriterien\r\n - Worte mit kleinen Buchstaben werden aussortiert\r\n"
            L" - Zahlen werden aussortiert\r\n - Worte aus Negativliste werden aussortiert\r\n"
            L" - Minimale Wordlänge: 3\r\n"
            L"\r\nIndex Eigenschaften\r\n - Doppelte Seitenangaben werden aussortiert\r\n"
            L" - Zusammenhänge Wörter werden zusammen in den Index aufgenommen\r\n"
            L" - Zusammenhänge Wörter werden mehrfach in den Index aufgenommen\r\n"
            L"\r\n\r\nKlicken Sie auf \"Index erstellen\", um den Index mit diesen Vorgaben zu schreiben.");

  DescribeTextIndexSettings(prog->tt5);
  EXPECT_FALSE(prog->bt1->GetEnabled());
  EXPECT_FALSE(prog->bt2->GetEnabled());
  EXPECT_FALSE(prog->ft_start->GetEnabled());
  DescribeTextIndexSettings(prog->tt1);
  EXPECT_FALSE(prog->bt1->GetVisible());
  EXPECT_TRUE(prog->bt2->GetEnabled());
  EXPECT_TRUE(prog->ft_start->GetEnabled());
  EXPECT_EQ(prog->pct->GetActivePage(), prog->tt1);
}

namespace {

// Without Word, a Word document chosen as the source is reported in the program's language,
// and the run goes on with an empty source.
TEST(TextIndexRunThroughTheWindows, AWordDocumentNeedsWordAndSaysSoInTheCurrentLanguage) {
  wordstandin::TStandInLock noStandIn;
  if (wordstandin::RealWordRegistered()) GTEST_SKIP() << "Word is installed here";
  TextIndexWindows windows;
  MessageBoxes boxes;
  testsupport::TempDir dir;
  const std::string path = dir.File("brief.docx");
  testsupport::WriteBytes(path, "Haus\r\n");
  prog->edit_quelle->SetText(Wide(path));
  prog->sz_zeilezuseite->SetChecked(true);
  for (const char* language : {"de", "en"}) {
    start->spr->SetCaption(language);
    BuildTextIndex();
  }
  // Naming the file reads it into the source memo already (in English, the language then),
  // then each run reads it again.
  EXPECT_EQ(boxes.texts, Strings({"Action canceled. Microsoft Word\xAE was not found.",
                                  "Aktion abgebrochen. Microsoft Word\xAE wurde nicht gefunden.",
                                  "Action canceled. Microsoft Word\xAE was not found."}));
  EXPECT_EQ(boxes.captions, Strings(3, "Error"));
  EXPECT_EQ(OutputLines(), Strings({"Index"}));
}

}  // namespace

namespace {

// A Word document as the wizard's source: Word delivers its pages, each followed by its number,
// the numbers are found as page-number lines, and the run reads the document again.
TEST(TextIndexRunThroughTheWindows, AWordDocumentIsReadPageByPageThroughWord) {
  wordstandin::TWordStandIn word;
  TextIndexWindows windows;
  MessageBoxes boxes;
  testsupport::TempDir dir;
  const std::string path = dir.File("brief.doc");
  testsupport::WriteBytes(path, "Haus am See\r\fHof und Haus\r");
  start->spr->SetCaption("de");
  prog->edit_quelle->SetText(Wide(path));
  prog->sz_auslesen->SetChecked(true);
  // Naming the document has read it into the source memo.
  FindPageNumbers();
  EXPECT_EQ(Items(prog->sz_libo->GetItems()), Strings({"1 (2)", "2 (5)"}));
  BuildTextIndex();
  EXPECT_EQ(OutputLines(), Strings({"Index", "", "H", "Haus 1, 2", "Hof 2", "", "S", "See 1"}));
  EXPECT_TRUE(boxes.texts.empty());
  EXPECT_EQ(word.State().Quits, 2);
  EXPECT_EQ(word.State().LiveObjects, 0);
}

}  // namespace
