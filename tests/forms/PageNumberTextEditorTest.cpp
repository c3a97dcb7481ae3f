// The page-number text editor on a text of several pages: numbers for empty lines, at clicked
// places and for markers, undone and redone, and the text handed to the text wizard, whose
// detection finds the numbers.
#include <gtest/gtest.h>
#include <windows.h>

#include "TextIndexWindows.h"
#include "forms/u_edittxt.h"
#include "forms/u_prog.h"
#include "forms/u_textix.h"

using formstest::Click;
using formstest::Lines;
using formstest::TextIndexWindows;
using Strings = std::vector<std::string>;

namespace {

const wchar_t kBook[] =
    L"Die Alpen sind hoch.\r\nIm Tal liegt Schnee.\r\n\r\nDie Berge liegen im Norden.\r\n\r\nDer See liegt im Tal.\r\n\r\n";

Strings TextLines() { return Lines(edittxt->text->GetText()); }

// A left click at a point of the text's client area.
void ClickAtPoint(LPARAM point) {
  HWND memo = edittxt->text->GetHandle();
  SendMessageA(memo, WM_LBUTTONDOWN, MK_LBUTTON, point);
  SendMessageA(memo, WM_LBUTTONUP, 0, point);
}

// A left click on the character at `offset` of the text.
void ClickAtCharacter(int offset) {
  const LRESULT at = SendMessageA(edittxt->text->GetHandle(), EM_POSFROMCHAR, offset, 0);
  ClickAtPoint(MAKELPARAM(LOWORD(at) + 1, HIWORD(at) + 2));
}

}  // namespace

TEST(PageNumberTextEditor, EmptyLinesBecomePageNumbersAndTheWizardFindsThem) {
  TextIndexWindows windows;
  edittxt->text->SetText(kBook);
  edittxt->l2sstart->SetText("5");
  Click(edittxt->LeerZuSeite);
  EXPECT_EQ(TextLines(), Strings({"Die Alpen sind hoch.", "Im Tal liegt Schnee.", "5", "Die Berge liegen im Norden.",
                                  "6", "Der See liegt im Tal.", "7"}));
  // Undo gives the text before, a second click the text after.
  Click(edittxt->l2sback);
  EXPECT_EQ(edittxt->text->GetText(), kBook);
  Click(edittxt->l2sback);
  EXPECT_EQ(TextLines().back(), "7");

  edittxt->Show();
  Click(edittxt->ToTXTIndex);
  EXPECT_FALSE(edittxt->GetVisible());
  EXPECT_EQ(prog->pct->GetActivePage(), prog->tt1);
  EXPECT_TRUE(prog->qu_text->GetChecked());
  prog->kt_kleineraus->SetChecked(false);  // only the lower-case words
  prog->kt_grosseraus->SetChecked(true);
  prog->ft_startClick(prog->ft_start);
  EXPECT_EQ(Lines(prog->sz_libo->GetItems()->GetText()), Strings({"5 (2)", "6 (4)", "7 (6)"}));
  EXPECT_EQ(Lines(prog->output->GetText()),
            Strings({"Index", "", "H", "hoch 5", "", "L", "liegen 6", "liegt 5, 7", "", "S", "sind 5"}));
}

TEST(PageNumberTextEditor, TwoEmptyLinesGiveOneNumberUnlessEveryEmptyLineCounts) {
  TextIndexWindows windows;
  edittxt->text->SetText(L"Text\r\n\r\n\r\nText\r\n");
  Click(edittxt->LeerZuSeite);
  EXPECT_EQ(TextLines(), Strings({"Text", "1", "", "Text"}));
  Click(edittxt->cb_l2skeinedoppelt);
  edittxt->text->SetText(L"Text\r\n\r\n\r\nText\r\n");
  Click(edittxt->LeerZuSeite);
  EXPECT_EQ(TextLines(), Strings({"Text", "1", "2", "Text"}));
}

TEST(PageNumberTextEditor, MarkersBecomeNumbersBetweenLineBreaks) {
  TextIndexWindows windows;
  edittxt->text->SetText(L"Anfang#Mitte#Ende#");
  edittxt->zes->SetText("10");
  Click(edittxt->zeanwenden);
  EXPECT_EQ(TextLines(), Strings({"Anfang", "10", "Mitte", "11", "Ende", "12"}));
  Click(edittxt->zeback);
  EXPECT_EQ(edittxt->text->GetText(), L"Anfang#Mitte#Ende#");
}

TEST(PageNumberTextEditor, AClickOnTheCursorPageInsertsTheCurrentNumberThere) {
  TextIndexWindows windows;
  windows.LeaveToProcessEnd();
  edittxt->Show();
  edittxt->text->SetText(L"Erste Seite Zweite Seite");
  // On another page a click inserts nothing.
  ClickAtCharacter(12);
  EXPECT_EQ(edittxt->text->GetText(), L"Erste Seite Zweite Seite");
  edittxt->pc->SetActivePage(edittxt->tab2);
  edittxt->cursak->SetText("3");
  ClickAtCharacter(12);
  EXPECT_EQ(TextLines(), Strings({"Erste Seite ", "3", "Zweite Seite"}));
  EXPECT_EQ(edittxt->cursak->GetText(), "4");  // counted up
  edittxt->curaut->SetChecked(false);
  edittxt->vor->SetText("[");
  edittxt->nach->SetText("]");
  ClickAtCharacter(0);
  EXPECT_EQ(TextLines(), Strings({"[4]Erste Seite ", "3", "Zweite Seite"}));
  EXPECT_EQ(edittxt->cursak->GetText(), "4");
  edittxt->Hide();
}

TEST(PageNumberTextEditor, AClickInsertsIntoTheTextItselfNotIntoItsWrappedLines) {
  TextIndexWindows windows;
  windows.LeaveToProcessEnd();
  edittxt->Show();
  ASSERT_TRUE(edittxt->text->GetWordWrap());
  std::wstring paragraph;
  for (int word = 0; word < 80; ++word) paragraph += L"Wort" + std::wstring(1, static_cast<wchar_t>(L'a' + word % 26)) + L" ";
  const std::wstring original = L"Titel\r\n" + paragraph + L"Ende.\r\nLetzte Zeile";
  edittxt->text->SetText(original);
  HWND memo = edittxt->text->GetHandle();
  ASSERT_GT(SendMessageA(memo, EM_GETLINECOUNT, 0, 0), 5) << "the paragraph is shown wrapped";
  edittxt->pc->SetActivePage(edittxt->tab2);
  edittxt->cursak->SetText("7");
  // A place on a later display line of the paragraph.
  const size_t at = 7 + paragraph.size() / 2;
  ClickAtCharacter(static_cast<int>(at));
  EXPECT_EQ(edittxt->text->GetText(), original.substr(0, at) + L"\r\n7\r\n" + original.substr(at));
  EXPECT_EQ(edittxt->cursak->GetText(), "8");
  // Undo gives back the text as it was before the click.
  Click(edittxt->l2sback);
  EXPECT_EQ(edittxt->text->GetText(), original);

  // "Textindex.." hands over the text itself.
  Click(edittxt->ToTXTIndex);
  EXPECT_EQ(prog->original->GetText(), original);
}

TEST(PageNumberTextEditor, AClickBehindTheLastLineOrIntoAnEmptyTextInsertsTheNumber) {
  TextIndexWindows windows;
  windows.LeaveToProcessEnd();
  edittxt->Show();
  edittxt->pc->SetActivePage(edittxt->tab2);
  HWND memo = edittxt->text->GetHandle();
  RECT client{};
  GetClientRect(memo, &client);
  const LPARAM belowTheText = MAKELPARAM(client.right / 2, client.bottom - 4);
  const struct {
    const wchar_t* before;
    const wchar_t* after;
  } cases[] = {{L"Seite eins\r\n", L"Seite eins\r\n\r\n1\r\n"}, {L"", L"\r\n1\r\n"}};
  for (const auto& c : cases) {
    edittxt->text->SetText(c.before);
    edittxt->cursak->SetText("1");
    ClickAtPoint(belowTheText);
    EXPECT_EQ(edittxt->text->GetText(), c.after);
    EXPECT_EQ(edittxt->cursak->GetText(), "2");
  }
  edittxt->Hide();
}

TEST(PageNumberTextEditor, LineBreakChoosesWrappingAndScrollBars) {
  TextIndexWindows windows;
  EXPECT_TRUE(edittxt->text->GetWordWrap());
  Click(edittxt->Zeilenumbruch);
  EXPECT_FALSE(edittxt->text->GetWordWrap());
  EXPECT_EQ(edittxt->text->GetScrollBars(), ssBoth);
  Click(edittxt->Zeilenumbruch);
  EXPECT_TRUE(edittxt->text->GetWordWrap());
  EXPECT_EQ(edittxt->text->GetScrollBars(), ssVertical);
}
