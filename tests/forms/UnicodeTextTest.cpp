// Text in any script through the text wizard: typed into the source memo, indexed, shown in the
// result memo and saved as UTF-8, every character intact.
#include <gtest/gtest.h>
#include <windows.h>

#include "TextIndexWindows.h"
#include "classlib/CommonDialogs.h"
#include "ucode/UCodeDialogs.h"
#include "engine/u_WideFuncText.h"
#include "forms/u_prog.h"
#include "forms/u_textix.h"
#include "support/TestSupport.h"

using formstest::Utf8;

namespace {

// Greek, Polish, Cyrillic and Japanese words and an emoji (a surrogate pair), one a line. The
// emoji is no letter, so it reaches the source memo but makes no index entry.
const std::wstring kWords[] = {L"\x0395\x03BB\x03BB\x03AC\x03B4\x03B1",  // Ελλάδα
                               L"\x0141\x00F3\x0064\x017A",              // Łódź
                               L"\x041C\x043E\x0441\x043A\x0432\x0430",  // Москва
                               L"\x6771\x4EAC\x90FD\x5E81",              // 東京都庁
                               L"\xD83D\xDE00"};                         // 😀

TEST(UnicodeThroughTheTextWizard, TypedWordsComeOutOfTheResultMemoAndTheSavedFileUnchanged) {
  formstest::TextIndexWindows windows;
  prog->qu_text->SetChecked(true);
  prog->sz_zeilezuseite->SetChecked(true);
  prog->original->SetText(L"");
  HWND memo = prog->original->GetHandle();
  ASSERT_TRUE(IsWindowUnicode(memo));
  std::wstring typed;
  for (const std::wstring& word : kWords) typed += word + L"\r\n";
  for (wchar_t ch : typed)
    if (ch != L'\n') SendMessageW(memo, WM_CHAR, ch, 1);  // Enter gives the memo its CR LF
  ASSERT_EQ(prog->original->GetText(), typed);
  EXPECT_EQ(prog->original->GetLines()->Get(3), kWords[3]);
  EXPECT_EQ(prog->original->GetLines()->Get(4), kWords[4]);

  prog->ft_startClick(prog->ft_start);
  const std::wstring output = prog->output->GetText();
  // Each word stands on the line of its page.
  for (int page = 0; page < 4; ++page)
    EXPECT_NE(output.find(kWords[page] + L" " + std::to_wstring(page + 1)), std::wstring::npos) << page;

  // Saved as the wizard's "Save Text" saves it, the dialog answered by the test; the factory
  // encoding is UTF-8 without a mark.
  testsupport::TempDir folder;
  const std::string file = folder.File("index.txt");
  TCommonDialogAnswerer previous = SetCommonDialogAnswerer([&file](TCommonDialog& dialog) {
    static_cast<TSaveDialog&>(dialog).SetFileName(file);
    return true;
  });
  const bool saved = SaveTextIndexText();
  SetCommonDialogAnswerer(previous);
  ASSERT_TRUE(saved);
  EXPECT_EQ(testsupport::ReadBytes(file), Utf8(output));
  for (int page = 0; page < 4; ++page)
    EXPECT_NE(testsupport::ReadBytes(file).find(Utf8(kWords[page])), std::string::npos) << page;
}

// The names a user chooses in the wizard's dialogs, in scripts the system code page cannot spell,
// reach the files read and written whole.
TEST(UnicodeThroughTheTextWizard, FileNamesChosenInTheDialogsReachTheFilesWhole) {
  formstest::TextIndexWindows windows;
  testsupport::TempDir dir;
  const std::wstring folder = formstest::Wide(dir.Path()) + L"\\";
  const std::wstring source = folder + kWords[2] + L".txt";
  const std::wstring index = folder + kWords[3];  // typed without extension
  testsupport::WriteBytes(source, "Apfel\r\n1\r\n");
  std::vector<std::wstring> answers = {source, index, index + L".idx", source};
  TCommonDialogAnswerer previous = SetCommonDialogAnswerer([&](TCommonDialog& dialog) {
    const std::wstring answer = answers.front();
    answers.erase(answers.begin());
    if (auto* open = dynamic_cast<TUCodeOpenDialog*>(&dialog)) open->SetFileNameW(answer);
    if (auto* save = dynamic_cast<TUCodeSaveDialog*>(&dialog)) save->SetFileNameW(answer);
    return true;
  });
  // "Durchsuchen.." names the source and reads it.
  prog->bttxtquelleClick(prog->bttxtquelle);
  EXPECT_EQ(prog->edit_quelle->GetText(), source);
  EXPECT_EQ(prog->original->GetText(), L"Apfel\r\n1\r\n");
  // "Index Speichern" writes the index data under the name with ".idx".
  prog->ft_startClick(prog->ft_start);
  prog->DatenSpeichernClick(prog->DatenSpeichern);
  EXPECT_EQ(testsupport::ReadBytes(index + L".idx"), "Apfel:1>-\r\n");
  // "Index wählen.." makes it the index to extend.
  prog->andindexClick(prog->andindex);
  EXPECT_EQ(prog->kt_index->GetCaption(), index + L".idx");
  // "Laden" reads a text into the source memo.
  prog->original->Clear();
  prog->qu_ladenClick(prog->qu_laden);
  SetCommonDialogAnswerer(previous);
  EXPECT_EQ(prog->original->GetText(), L"Apfel\r\n1\r\n");
  EXPECT_TRUE(answers.empty());
}

}  // namespace
