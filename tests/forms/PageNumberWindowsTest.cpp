// The page-number criteria window and the page-number list window, driven by the messages a
// user's clicks, choices and keys send, and what they hand to the text wizard's next run.
#include <gtest/gtest.h>
#include <windows.h>

#include "TextIndexWindows.h"
#include "forms/u_prog.h"
#include "forms/u_start.h"
#include "forms/u_szbearbeiten.h"
#include "forms/u_szkriterien.h"
#include "forms/u_textix.h"

using formstest::Click;
using formstest::Lines;
using formstest::Pick;
using formstest::PostClick;
using formstest::TextIndexWindows;
using formstest::Type;
using Strings = std::vector<std::string>;

namespace {

using formstest::Items;

Strings PageList() { return Items(prog->sz_libo->GetItems()); }

void SetSource(const std::string& text) {
  prog->qu_text->SetChecked(true);
  prog->original->SetText(formstest::Wide(text));
}

// Shows the criteria window modally, as the wizard's button does, with the click of the button
// that closes it already on its way.
void RunCriteriaWindow(TButton* closeWith) {
  PostClick(closeWith);
  szkriterien->ShowModal();
}

void RunPageListWindow(TButton* closeWith) {
  PostClick(closeWith);
  Click(prog->sz_bearbeiten);
}

}  // namespace

TEST(PageNumberCriteriaWindow, OKFindsThePageNumbersAgainAndCancelKeepsTheListButNotTheRun) {
  TextIndexWindows windows;
  SetSource("Text\r\n#5\r\n12\r\n#iv");
  RunCriteriaWindow(szkriterien->OK);
  EXPECT_EQ(PageList(), Strings({"12 (2)"}));
  EXPECT_FALSE(szkriterien->GetVisible());

  // A criterion changed, then Cancel: it stays, and nothing is found again until the next run.
  szkriterien->sz_zeichbeginn->SetChecked(true);
  szkriterien->sz_zeichen->SetText(L"#");
  RunCriteriaWindow(szkriterien->Abbrechen);
  EXPECT_EQ(PageList(), Strings({"12 (2)"}));
  EXPECT_TRUE(szkriterien->sz_zeichbeginn->GetChecked());
  RunCriteriaWindow(szkriterien->OK);
  EXPECT_EQ(PageList(), Strings({"5 (1)"}));

  // Each further criterion as the window holds it.
  szkriterien->sz_nurzahl->SetChecked(false);
  RunCriteriaWindow(szkriterien->OK);
  EXPECT_EQ(PageList(), Strings({"5 (1)", "iv (3)"}));
  szkriterien->sz_zeichenweg->SetChecked(false);
  szkriterien->sz_bwdef->SetChecked(true);
  szkriterien->sz_bwdefs->SetText(L"#");
  szkriterien->cb_plus->SetChecked(true);
  szkriterien->cb_pluswert->SetText(L"10");
  RunCriteriaWindow(szkriterien->OK);
  EXPECT_EQ(PageList(), Strings({"15 (1)", "iv (3)"}));
  szkriterien->sz_zeichbeginn->SetChecked(false);
  szkriterien->sz_laenge->SetText(L"3");
  RunCriteriaWindow(szkriterien->OK);
  EXPECT_EQ(PageList(), Strings({"15 (1)", "22 (2)"}));
}

TEST(PageNumberCriteriaWindow, TheCustomChoiceEmptiesTheBoxAndAnEmptyBoxTakesItsDefaultBack) {
  TextIndexWindows windows;
  windows.LeaveToProcessEnd();
  for (const char* code : {"en", "de"}) {
    start->spr->SetCaption(code);
    szkriterien->LocalSpr();
    szkriterien->Show();
    for (TComboBox* box : {szkriterien->sz_laenge, szkriterien->cb_pluswert}) {
      SCOPED_TRACE(box->GetName());
      const std::wstring before = box->GetText();
      Pick(box, 2);
      EXPECT_EQ(box->GetText(), box->GetItems()->Get(2));
      Pick(box, box->GetItems()->GetCount() - 1);
      EXPECT_EQ(box->GetText(), L"");
      EXPECT_EQ(box->GetItemIndex(), -1);
      // Leaving the box empty puts its own default back.
      szkriterien->OK->SetFocus();
      formstest::Pump();
      EXPECT_EQ(box->GetText(), box == szkriterien->sz_laenge ? L"5" : L"1");
      box->SetText(before);
    }
    szkriterien->Hide();
  }
}

TEST(PageNumberCriteriaWindow, TheNumberBoxesTakeOnlyDigitsAndTheOffsetAMinus) {
  TextIndexWindows windows;
  windows.LeaveToProcessEnd();
  szkriterien->Show();
  TComboBox* length = szkriterien->sz_laenge;
  TComboBox* offset = szkriterien->cb_pluswert;
  length->SetText(L"");
  offset->SetText(L"");
  Type(length->GetEditHandle(), "1a-2 x");
  Type(offset->GetEditHandle(), "-3b4.");
  EXPECT_EQ(length->GetText(), L"12");
  EXPECT_EQ(offset->GetText(), L"-34");
  Type(length->GetEditHandle(), "\b");
  EXPECT_EQ(length->GetText(), L"1");
  szkriterien->Hide();
}

TEST(PageNumberCriteriaWindow, TheCharactersToCutAreEnabledByTheirChoices) {
  TextIndexWindows windows;
  EXPECT_TRUE(szkriterien->sz_bwstandard->GetEnabled());
  EXPECT_FALSE(szkriterien->sz_bwdefs->GetEnabled());
  Click(szkriterien->sz_bwdef);
  EXPECT_TRUE(szkriterien->sz_bwdef->GetChecked());
  EXPECT_TRUE(szkriterien->sz_bwdefs->GetEnabled());
  Click(szkriterien->sz_kuerzen);
  EXPECT_FALSE(szkriterien->sz_kuerzen->GetChecked());
  EXPECT_FALSE(szkriterien->sz_bwstandard->GetEnabled());
  EXPECT_FALSE(szkriterien->sz_bwdef->GetEnabled());
  Click(szkriterien->sz_kuerzen);
  EXPECT_TRUE(szkriterien->sz_bwdef->GetEnabled());
  EXPECT_TRUE(szkriterien->sz_bwdefs->GetEnabled());
  Click(szkriterien->sz_bwstandard);
  EXPECT_FALSE(szkriterien->sz_bwdefs->GetEnabled());
}

TEST(PageNumberListWindow, OpensWithTheWizardsListAndCancelLeavesItAlone) {
  TextIndexWindows windows;
  prog->sz_libo->GetItems()->Add(L"3 (10)");
  prog->sz_libo->GetItems()->Add(L"1 (2)");
  szbearbeiten->liste->SetText(L"left over\r\n");
  RunPageListWindow(szbearbeiten->Abbrechen);
  EXPECT_EQ(Lines(szbearbeiten->liste->GetText()), Strings({"3 (10)", "1 (2)"}));
  EXPECT_EQ(PageList(), Strings({"3 (10)", "1 (2)"}));
  EXPECT_FALSE(szbearbeiten->GetVisible());
}

TEST(PageNumberListWindow, AddingSortsByLineNumberAndOKHandsTheListToTheNextRun) {
  TextIndexWindows windows;
  SetSource("Haus\r\n1\r\nHof\r\n2\r\nDach\r\n3");
  FindPageNumbers();
  ASSERT_EQ(PageList(), Strings({"1 (1)", "2 (3)", "3 (5)"}));
  // The user renames a page, drops one, and adds a label that the detection cannot read; the
  // line whose number is no number disappears in the sort.
  szbearbeiten->liste->SetText(L"1 (1)\r\nIV (5)\r\n");
  szbearbeiten->ed1->SetText("ii");
  szbearbeiten->ed2->SetText("3");
  Click(szbearbeiten->add);
  szbearbeiten->ed1->SetText("x");
  szbearbeiten->ed2->SetText("y");
  Click(szbearbeiten->add);
  PostClick(szbearbeiten->OK);
  szbearbeiten->ShowModal();
  EXPECT_EQ(Lines(szbearbeiten->liste->GetText()), Strings({"1 (1)", "ii (3)", "IV (5)"}));
  EXPECT_EQ(PageList(), Strings({"1 (1)", "ii (3)", "IV (5)"}));
  EXPECT_EQ(szbearbeiten->ed1->GetText(), "x");  // the edits keep what was typed

  // The run takes the edited list as it stands: no detection over it.
  prog->ft_startClick(prog->ft_start);
  EXPECT_EQ(Lines(prog->output->GetText()), Strings({"Index", "", "D", "Dach IV", "", "H", "Haus 1", "Hof ii"}));
}

TEST(PageNumberListWindow, SortingKeepsOnlyPageNumberLinesAndOKMayEmptyTheList) {
  TextIndexWindows windows;
  prog->sz_libo->GetItems()->Add(L"9 (9)");
  szbearbeiten->liste->SetText(L"40 (40)\r\n  7 (7)\r\nx (1) \r\na (b) (2)\r\n12 (1a)\r\n");
  Click(szbearbeiten->Sortieren);
  EXPECT_EQ(Lines(szbearbeiten->liste->GetText()), Strings({"7 (7)", "40 (40)"}));
  szbearbeiten->liste->SetText(L"no page numbers here\r\n");
  PostClick(szbearbeiten->OK);
  szbearbeiten->ShowModal();
  EXPECT_EQ(szbearbeiten->liste->GetText(), L"");
  EXPECT_EQ(PageList(), Strings());
}
