// The file index and the keyword index run through the real windows (not shown): rows made
// from files and from the links of HTML documents, options read from the wizards and the
// design windows, results in the memos and the browser, the page switches and the factory
// states of the option windows. The XHTML page of a run is left in bin/fileindex-out for the
// independent checkers (xmllint, Chromium).
#include <gtest/gtest.h>

#include <algorithm>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "TextIndexWindows.h"
#include "WindowsTestSupport.h"
#include "classlib/WebBrowser.h"
#include "engine/u_TempFiles.h"
#include "engine/u_WideFuncText.h"
#include "forms/u_einstausgabe.h"
#include "forms/u_fileix.h"
#include "forms/u_hdesign.h"
#include "forms/u_prog.h"
#include "forms/u_quhopt.h"
#include "forms/u_sdesign.h"
#include "forms/u_start.h"
#include "forms/u_textdesign.h"
#include "support/TestSupport.h"
#include "support/WordStandIn.h"

namespace {

std::wstring Wide(const std::string& narrow) { return std::wstring(narrow.begin(), narrow.end()); }
// Text as the 8-bit controls hold it (code page 1252).
std::string Ansi(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out += static_cast<char>(c < 256 ? c : '?');
  return out;
}

using formstest::FileIndexWindows;

// The list keeps its rows sorted by label: rows are found by their source or label.
struct Row {
  std::string caption, link, type, code, size, source;
  bool operator==(const Row&) const = default;
};

Row RowWith(const std::vector<Row>& rows, const std::string& caption) {
  for (const auto& row : rows)
    if (row.caption == caption) return row;
  return Row{};
}

std::vector<Row> RowsOf(TCustomListView* list) {
  std::vector<Row> rows;
  for (int i = 0; i < list->GetItems()->GetCount(); ++i) {
    TListItem* item = list->GetItems()->GetItem(i);
    TStrings* s = item->GetSubItems();
    rows.push_back(Row{item->GetCaption(), s->Get(0), s->Get(1), s->Get(2), s->Get(3), s->Get(4)});
  }
  return rows;
}

class FileIndexFormsTest : public ::testing::Test {
 protected:
  std::wstring Write(const std::string& name, const std::wstring& text, int encoding = kEncodingUtf8) {
    std::wstring path = Wide(dir.File(name));
    SaveTextFileW(text, path, encoding, true);
    return path;
  }
  testsupport::TempDir dir;
  FileIndexWindows windows;
};

TEST_F(FileIndexFormsTest, FileNamesOutsideTheCodePageAreRowsOfTheirOwn) {
  // Both names have the same 8-bit form, "??.txt".
  const std::wstring first = Wide(dir.Path()) + L"\\\x4E2D\x6587.txt", second = Wide(dir.Path()) + L"\\\x65E5\x672C.txt";
  SaveTextFileW(L"Hafen", first, kEncodingUtf8, false);
  SaveTextFileW(L"Boje", second, kEncodingUtf8, false);
  AddFileToFileList(prog->qulist, first);
  AddFileToFileList(prog->qulist, second);
  AddFileToFileList(prog->qulist, first);  // a double
  ASSERT_EQ(prog->qulist->GetItems()->GetCount(), 2);
  std::vector<std::wstring> captions, sources;
  for (int i = 0; i < 2; ++i) {
    TUCodeListItem* item = prog->qulist->GetItems()->GetItem(i);
    captions.push_back(item->GetCaption());
    sources.push_back(item->GetSubItems()->Get(kFileListSourceColumn));
  }
  std::sort(captions.begin(), captions.end());
  std::sort(sources.begin(), sources.end());
  EXPECT_EQ(captions, (std::vector<std::wstring>{L"\x4E2D\x6587", L"\x65E5\x672C"}));
  EXPECT_EQ(sources, (std::vector<std::wstring>{first, second}));
}

// Takes every piece of the process's free address space of 256 MB or more, as the data of a long
// session takes it from a 32-bit program; gives it back when it goes.
class BusyAddressSpace {
 public:
  BusyAddressSpace() {
    for (SIZE_T size = SIZE_T(1) << 30; size >= (SIZE_T(256) << 20); size /= 2)
      while (void* block = VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_NOACCESS)) m_blocks.push_back(block);
  }
  ~BusyAddressSpace() {
    for (void* block : m_blocks) VirtualFree(block, 0, MEM_RELEASE);
  }
  BusyAddressSpace(const BusyAddressSpace&) = delete;
  BusyAddressSpace& operator=(const BusyAddressSpace&) = delete;

 private:
  std::vector<void*> m_blocks;
};

// A file larger than the program could read at once still gets its row, with its encoding.
TEST_F(FileIndexFormsTest, AHugeFileGetsItsRow) {
  const std::wstring path = Wide(dir.File("huge.txt"));
  ASSERT_TRUE(testsupport::WriteLargeFile(path, 1536LL << 20, "Gr\xC3\xBC\xC3\x9F" "e"));
  {
    const BusyAddressSpace busy;
    AddFileToFileList(prog->qulist, path);
  }
  const Row row = RowWith(RowsOf(prog->qulist), "Huge");
  EXPECT_EQ(row.code, "UTF-8");
  EXPECT_EQ(row.size, "1,572,864.000 KB");
  EXPECT_EQ(row.source, Ansi(path));
}

TEST_F(FileIndexFormsTest, OptionWindowsStartWithTheirFactoryStates) {
  EXPECT_TRUE(quhopt->doppelteweg->GetChecked());
  EXPECT_FALSE(quhopt->dadweitere->GetChecked());
  EXPECT_FALSE(quhopt->endungenweg->GetChecked());
  EXPECT_TRUE(quhopt->namengross->GetChecked());
  EXPECT_EQ(quhopt->rb1->GetTag(), 1);
  EXPECT_EQ(hdesign->GetCaption(), "HTML Settings");  // made while the language was English
  EXPECT_EQ(hdesign->LinkTrenner->GetText(), " | ");
  EXPECT_EQ(hdesign->schriftart->GetText(), L"Verdana, Arial, Helvetica, Sans-Serif");
  EXPECT_EQ(hdesign->ft1->GetItems()->GetCount(), 15);
  EXPECT_EQ(textdesign->s->GetText(), " | ");
  EXPECT_EQ(textdesign->es->GetText(), ":  ");
  EXPECT_EQ(textdesign->bl->GetText(), " [");
  EXPECT_EQ(sdesign->zw->GetText(), ":  ");
  EXPECT_FALSE(sdesign->bez->GetChecked());
  EXPECT_TRUE(einstausgabe->rb_beibehalten->GetChecked());
  EXPECT_TRUE(einstausgabe->jazubom->GetChecked());
  EXPECT_EQ(einstausgabe->Edit1->GetText(), L"#FFFFFF");
  EXPECT_EQ(einstausgabe->Label3->GetFont()->GetName(), "Courier New");
  EXPECT_EQ(prog->qulist->GetColumns()->GetCount(), 6);
  EXPECT_EQ(prog->squlist->Column(4)->GetCaption(), L"Size");  // made while the language was English
  EXPECT_TRUE(prog->htmlindex->GetChecked());
  EXPECT_EQ(prog->dkt_max->GetText(), L"3");
}

TEST_F(FileIndexFormsTest, FileRowsFollowTheListOptions) {
  const std::wstring report = Write("bericht v1.2.txt", L"Haus");
  AddFileToFileList(prog->qulist, report);
  AddFileToFileList(prog->qulist, report);
  ASSERT_EQ(RowsOf(prog->qulist).size(), 1u);
  Row row = RowsOf(prog->qulist)[0];
  EXPECT_EQ(row.caption, "Bericht V1.2");
  EXPECT_EQ(row.link, "bericht v1.2.txt");
  EXPECT_EQ(row.type, "TXT");
  EXPECT_EQ(row.code, "UTF-8");
  EXPECT_EQ(row.size, "0.004 KB");
  EXPECT_EQ(row.source, dir.File("bericht v1.2.txt"));
  quhopt->doppelteweg->SetChecked(false);
  quhopt->endungenweg->SetChecked(true);
  quhopt->namengross->SetChecked(false);
  AddFileToFileList(prog->qulist, report);
  ASSERT_EQ(RowsOf(prog->qulist).size(), 2u);
  EXPECT_EQ(RowWith(RowsOf(prog->qulist), "bericht v1.2").link, "bericht v1.2");
}

TEST_F(FileIndexFormsTest, LinksOfAnHtmlDocumentBecomeRows) {
  CreateDirectoryA(dir.File("sub").c_str(), nullptr);
  Write("sub\\b.htm", L"<p>B</p>");
  Write("c.txt", L"C");
  const std::wstring index = Write("index.html", L"<a href=\"sub/b.htm\">das b</a>\n<a href=\"missing.htm\">M</a>\n"
                                                 L"<a href=\"c.txt\">Gr&ouml;&szlig;e</a><a href=\"c.txt\">C2</a>"
                                                 L"<a href=\"http://x.org/a.htm\">W</a><a href=\"c.txt");
  prog->htmlraus->SetChecked(false);
  AddFileToFileList(prog->qulist, index);
  ImportHtmlLinks(index, prog->qulist);
  std::vector<Row> rows = RowsOf(prog->qulist);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(RowWith(rows, "Das b"), (Row{"Das b", "sub/b.htm", "", "", "", dir.File("sub\\b.htm")}));
  EXPECT_EQ(RowWith(rows, Ansi(L"Größe")), (Row{Ansi(L"Größe"), "c.txt", "", "", "", dir.File("c.txt")}));
  EXPECT_TRUE(prog->htmlraus->GetChecked());
  // Doubles allowed: the second link to c.txt and the document's link to itself are rows too.
  quhopt->doppelteweg->SetChecked(false);
  quhopt->endungenweg->SetChecked(true);
  ImportHtmlLinks(index, prog->squlist);
  rows = RowsOf(prog->squlist);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(RowWith(rows, "Das b").link, "sub/b");
  EXPECT_EQ(RowWith(rows, "C2").link, "c");
  // A text document's links switch tag stripping off.
  const std::wstring list = Write("list.txt", L"<a href=\"c.txt\">C</a>");
  ImportHtmlLinks(list, prog->squlist);
  EXPECT_FALSE(prog->htmlraus->GetChecked());
}

TEST_F(FileIndexFormsTest, FileIndexRunWritesThePageIntoMemoAndBrowser) {
  AddFileToFileList(prog->qulist, Write("eins.htm", L"<h1>Hafen</h1><p>Kr&auml;ne am Hafen &amp; mehr</p>"));
  AddFileToFileList(prog->qulist, Write("zwei.txt", L"Hafen Ölberg 2024", kEncodingUtf16LE));
  prog->qulist->GetItems()->GetItem(1)->SetCaption(L"Zwei & <Drei>");
  DescribeFileIndexSettings(prog->td4);
  EXPECT_FALSE(prog->dstart->GetEnabled());
  prog->zspmenu->SetChecked(false);  // the browser is given the page itself
  BuildFileIndex();
  const std::string page = formstest::Narrow(prog->doutput->GetText());
  EXPECT_NE(page.find("<div id=\"l\">Hafen</div><div id=\"r\"><a href=\"eins.htm\">Eins</a> | "
                      "<a href=\"zwei.txt\">Zwei &amp; &lt;Drei&gt;</a></div>"),
            std::string::npos)
      << page;
  EXPECT_NE(page.find(">Kr&auml;ne</div>"), std::string::npos);
  EXPECT_NE(page.find(">&Ouml;lberg</div>"), std::string::npos);
  EXPECT_EQ(prog->dstatus->TControl::GetCaption(), "Writing Index..");
  EXPECT_EQ(prog->fortschritt->GetPosition(), 75);
  ASSERT_FALSE(windows.log->documentCalls.empty());
  EXPECT_EQ(windows.log->documentCalls[1].substr(0, 6), L"Write:");
  EXPECT_NE(windows.log->documentCalls[1].find(L"&Ouml;lberg"), std::wstring::npos);
  EXPECT_TRUE(prog->ShowDesign->GetVisible());
  DescribeFileIndexSettings(prog->td5);
  EXPECT_EQ(prog->fortschritt->GetPosition(), 0);
  EXPECT_EQ(prog->dstatus->TControl::GetCaption(), "");
  EXPECT_EQ(prog->browser->GetWidth(), prog->doutput->GetWidth());
  // The page for the independent checkers.
  const std::string out = testsupport::ExeFolder() + "fileindex-out";
  CreateDirectoryA(out.c_str(), nullptr);
  testsupport::WriteBytes(out + "\\fileindex.html", page);
}

TEST_F(FileIndexFormsTest, DesignWindowsShapeTheOutput) {
  AddFileToFileList(prog->qulist, Write("a.txt", L"Anker Boje"));
  prog->dkt_design->SetChecked(true);
  hdesign->breite_all->SetText("720");
  hdesign->Ueberschrift->SetText("<em>Hafen</em>");
  hdesign->linkleiste->SetChecked(false);
  BuildFileIndex();
  std::string page = formstest::Narrow(prog->doutput->GetText());
  EXPECT_NE(page.find("#box { width: 720px;"), std::string::npos);
  EXPECT_NE(page.find("<div id=\"top\"><em>Hafen</em></div>"), std::string::npos);
  EXPECT_EQ(page.find("id=\"links\""), std::string::npos);
  prog->textindex->SetChecked(true);
  textdesign->titel->SetText("Register");
  textdesign->kt_alphabet->SetChecked(false);
  BuildFileIndex();
  EXPECT_EQ(formstest::Lines(prog->doutput->GetText()),
            (std::vector<std::string>{"Register", "Anker:  A [a.txt]", "Boje:  A [a.txt]"}));
  EXPECT_FALSE(prog->browser->GetVisible());
  EXPECT_FALSE(prog->ShowCode->GetVisible());
  // Without the design box the standard texts count, the switches still come from the window.
  prog->dkt_design->SetChecked(false);
  textdesign->links->SetChecked(false);
  BuildFileIndex();
  EXPECT_EQ(formstest::Lines(prog->doutput->GetText()),
            (std::vector<std::string>{"Index", "Anker:    A", "Boje:    A"}));
}

// (An XHTML run after a plain-text run is the program's tests' own.)
TEST_F(FileIndexFormsTest, AnXhtmlRunShowsThePageWhateverTheCodeViewLeftShown) {
  AddFileToFileList(prog->qulist, Write("a.txt", L"Anker Boje"));
  BuildFileIndex();
  prog->ShowCode->Click();
  ASSERT_TRUE(prog->doutput->GetVisible());
  BuildFileIndex();
  EXPECT_TRUE(prog->browser->GetVisible());
  EXPECT_FALSE(prog->doutput->GetVisible());
}

namespace {

// The preview files of this process in the user's temporary folder.
std::vector<std::wstring> PreviewFiles() { return testsupport::TemporaryFilesOf(GetCurrentProcessId(), L"-preview.html"); }

}  // namespace

TEST_F(FileIndexFormsTest, ThePageGoesThroughThePreviewFileOnlyWhileZwischenspeichernIsChecked) {
  AddFileToFileList(prog->qulist, Write("a.txt", L"Anker \x0411\x043E\x0439"));
  // Left by an earlier test, or by an earlier run whose process had this number too (Wine hands
  // out the same numbers run after run).
  for (const std::wstring& stale : PreviewFiles()) DeleteFileW(stale.c_str());
  prog->zspmenu->SetChecked(false);
  BuildFileIndex();
  EXPECT_EQ(PreviewFiles(), std::vector<std::wstring>());
  for (const std::wstring& url : windows.log->navigations) EXPECT_EQ(url.find(L"preview"), std::wstring::npos) << url;
  ASSERT_FALSE(windows.log->documentCalls.empty());
  EXPECT_EQ(windows.log->documentCalls.back(), L"Close");

  prog->zspmenu->SetChecked(true);
  const size_t documentCalls = windows.log->documentCalls.size();
  BuildFileIndex();
  const std::vector<std::wstring> previews = PreviewFiles();
  ASSERT_EQ(previews.size(), 1u);
  EXPECT_EQ(testsupport::ReadBytes(formstest::Narrow(previews[0])), "\xEF\xBB\xBF" + formstest::Utf8(prog->doutput->GetText()));
  ASSERT_FALSE(windows.log->navigations.empty());
  EXPECT_EQ(windows.log->navigations.back(), previews[0]);
  EXPECT_EQ(windows.log->documentCalls.size(), documentCalls) << "the page was written into the browser as well";
  EXPECT_TRUE(prog->browser->GetVisible());

  // The program's end removes it.
  EXPECT_TRUE(start->CloseQuery());
  EXPECT_EQ(PreviewFiles(), std::vector<std::wstring>());
}

TEST_F(FileIndexFormsTest, APreviewFileThatCannotBeWrittenCostsTheRunNothing) {
  AddFileToFileList(prog->qulist, Write("a.txt", L"Anker Boje"));
  formstest::MessageBoxes boxes;
  formstest::TemporaryFolderAs temporary(Wide(dir.File("fehlt")));
  prog->zspmenu->SetChecked(true);
  BuildFileIndex();
  EXPECT_NE(prog->doutput->GetText().find(L"Anker"), std::wstring::npos);
  ASSERT_FALSE(windows.log->documentCalls.empty());
  EXPECT_EQ(windows.log->documentCalls.back(), L"Close");
  EXPECT_TRUE(prog->browser->GetVisible());
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_EQ(boxes.texts[0].rfind("Die Vorschaudatei konnte nicht geschrieben werden: ", 0), 0u) << boxes.texts[0];
  // Told in the middle of the busy run, with the usual cursor; the run's wait cursor goes with it.
  EXPECT_EQ(boxes.cursors, std::vector<int>({crDefault}));
  EXPECT_EQ(Screen->GetCursor(), crDefault);
}

TEST_F(FileIndexFormsTest, KeywordIndexRun) {
  AddFileToFileList(prog->squlist, Write("a.txt", L"Berlin liegt an der Spree. Berlin"));
  AddFileToFileList(prog->squlist, Write("b.htm", L"<b>Hamburg</b> <i>Hamburg</i>"));
  prog->stw_neg->SetChecked(false);
  BuildKeywordIndex();
  EXPECT_EQ(formstest::Lines(prog->soutput->GetText()),
            (std::vector<std::string>{"a.txt: Berlin, Spree", "", "b.htm: Hamburg", ""}));
  EXPECT_EQ(prog->sstatus->TControl::GetCaption(), "Writing Index..");
  prog->stw_design->SetChecked(true);
  sdesign->bez->SetChecked(true);
  sdesign->zwdl->SetText(" - ");
  sdesign->leerzeile->SetChecked(false);
  BuildKeywordIndex();
  EXPECT_EQ(formstest::Lines(prog->soutput->GetText()),
            (std::vector<std::string>{"A - a.txt:  Berlin, Spree", "B - b.htm:  Hamburg"}));
}

// Without Word, a run over a list with five Word documents tells once, naming them all, in the
// program's language; the other files are indexed as always.
TEST_F(FileIndexFormsTest, WithoutWordEachRunTellsOnceOfTheWordDocumentsLeftOut) {
  wordstandin::TStandInLock noStandIn;
  if (wordstandin::RealWordRegistered()) GTEST_SKIP() << "Word is installed here";
  formstest::MessageBoxes boxes;
  std::vector<std::string> documents;
  for (const char* name : {"brief1.doc", "brief2.docx", "brief3.DOC", "brief4.doc", "brief5.Docx"}) {
    documents.push_back(dir.File(name));
    for (TListView* list : {prog->qulist, prog->squlist}) AddFileToFileList(list, Write(name, L"Rathaus"));
  }
  for (TListView* list : {prog->qulist, prog->squlist}) AddFileToFileList(list, Write("notiz.txt", L"Hafen"));
  prog->textindex->SetChecked(true);
  for (const char* language : {"de", "en"}) {
    start->spr->SetCaption(language);
    BuildFileIndex();
    BuildKeywordIndex();
  }
  const std::string german = "Microsoft Word\xAE wurde nicht gefunden. Diese Dokumente wurden \xFC" "bersprungen:";
  const std::string english = "Microsoft Word\xAE was not found. These documents were skipped:";
  ASSERT_EQ(boxes.texts.size(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    const std::vector<std::string> lines = testsupport::Lines(boxes.texts[i]);
    ASSERT_EQ(lines.size(), 6u) << boxes.texts[i];
    EXPECT_EQ(lines[0], i < 2 ? german : english);
    std::vector<std::string> named(lines.begin() + 1, lines.end());
    std::sort(named.begin(), named.end());
    EXPECT_EQ(named, documents);
    EXPECT_NE(boxes.flags[i] & MB_ICONERROR, 0u);
  }
  EXPECT_NE(prog->doutput->GetText().find(L"Hafen"), std::wstring::npos);
  EXPECT_NE(prog->soutput->GetText().find(L"notiz.txt: Hafen"), std::wstring::npos);
}

TEST_F(FileIndexFormsTest, PageSwitchesAndSummaries) {
  DescribeFileIndexSettings(prog->td1);
  EXPECT_TRUE(prog->pgdateien->GetVisible());
  EXPECT_FALSE(prog->dbt1->GetVisible());
  DescribeFileIndexSettings(prog->td3);
  EXPECT_FALSE(prog->dbt2->GetEnabled());
  EXPECT_EQ(prog->dzusammenfassung->TControl::GetCaption().substr(0, 15), "Suchkriterien\r\n");
  EXPECT_NE(prog->dzusammenfassung->TControl::GetCaption().find(Ansi(L" - Minimale Wortlänge: 3\r\n")), std::string::npos);
  DescribeKeywordIndexSettings(prog->ts3);
  EXPECT_TRUE(prog->pgstw->GetVisible());
  EXPECT_FALSE(prog->pgdateien->GetVisible());
  EXPECT_FALSE(prog->sbt2->GetEnabled());
  EXPECT_NE(prog->szusammenfassung->TControl::GetCaption().find(Ansi(L" - Doppelte Einträge werden aussortiert\r\n")), std::string::npos);
  start->spr->SetCaption("en");
  DescribeKeywordIndexSettings(prog->ts3);
  EXPECT_EQ(prog->szusammenfassung->TControl::GetCaption().substr(0, 10), "Criteria\r\n");
  DescribeKeywordIndexSettings(prog->ts4);
  EXPECT_FALSE(prog->sstart->GetEnabled());
  DescribeKeywordIndexSettings(prog->ts5);
  EXPECT_TRUE(prog->sbt1->GetEnabled());
  EXPECT_FALSE(prog->sbt2->GetEnabled());
}

}  // namespace

namespace {

TEST_F(FileIndexFormsTest, OneIconPerExtension) {
  ClearFileIconCache();
  const int before = prog->IconList->GetCount();
  const int a = GetFileIconIndex(Write("a.txt", L"a"), prog->IconList);
  const int b = GetFileIconIndex(Write("b.TXT", L"b"), prog->IconList);
  const int c = GetFileIconIndex(Write("c.htm", L"c"), prog->IconList);
  EXPECT_EQ(a, b);
  EXPECT_NE(a, c);
  EXPECT_EQ(prog->IconList->GetCount(), before + 2);
  AddFileToFileList(prog->qulist, Write("d.txt", L"d"));
  EXPECT_EQ(prog->qulist->GetItems()->GetItem(0)->GetImageIndex(), a);
  ClearFileIconCache();
}

// Where a pixel of the screen or of a picture is drawn dark: the ink of a text.
std::vector<bool> InkOf(const std::vector<uint8_t>& rgb) {
  std::vector<bool> ink;
  for (size_t i = 0; i + 2 < rgb.size(); i += 3) ink.push_back(rgb[i] + rgb[i + 1] + rgb[i + 2] < 3 * 100);
  return ink;
}

// The label's text as the system draws a path shortened in the middle into the label's room,
// on the background of a window.
std::vector<bool> PathDrawnInto(TLabel* label, const std::string& path) {
  const int width = label->GetWidth(), height = label->GetHeight();
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  ReleaseDC(nullptr, screen);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  HGDIOBJ oldFont = SelectObject(dc, label->GetFont()->GetHandle());
  RECT room{0, 0, width, height};
  FillRect(dc, &room, GetSysColorBrush(COLOR_BTNFACE));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  std::string text = path;
  DrawTextA(dc, text.data(), static_cast<int>(text.size()), &room, DT_LEFT | DT_PATH_ELLIPSIS);
  std::vector<uint8_t> rgb;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const COLORREF pixel = GetPixel(dc, x, y);
      rgb.insert(rgb.end(), {GetRValue(pixel), GetGValue(pixel), GetBValue(pixel)});
    }
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return InkOf(rgb);
}

// The label's pixels as the screen shows them.
std::vector<bool> InkOnScreen(TLabel* label) {
  POINT at{label->GetLeft(), label->GetTop()};
  ClientToScreen(label->GetParent()->GetHandle(), &at);
  const int width = label->GetWidth(), height = label->GetHeight();
  HDC screen = GetDC(nullptr);
  std::vector<uint8_t> rgb;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const COLORREF pixel = GetPixel(screen, at.x + x, at.y + y);
      rgb.insert(rgb.end(), {GetRValue(pixel), GetGValue(pixel), GetBValue(pixel)});
    }
  ReleaseDC(nullptr, screen);
  return InkOf(rgb);
}

// A chosen index whose path is longer than the room beside "Index wählen.." shows shortened in
// the middle, with its file name, as the text wizard shows its own.
TEST_F(FileIndexFormsTest, TheChosenIndexShowsShortenedToItsRoomWithItsFileName) {
  windows.LeaveToProcessEnd();
  const std::string path = "C:\\Indexe\\Sammlung der Jahrgaenge\\Jahrgang 2019\\Band 7\\Register des Bandes.idx";
  formstest::DialogAnswers answers;
  answers.Choose(path);
  prog->Show();
  DescribeFileIndexSettings(prog->td2);
  formstest::Click(prog->dandindex);
  ASSERT_EQ(prog->dkt_index->TControl::GetCaption(), path);
  EXPECT_TRUE(prog->dkt_integrieren->GetChecked());
  // The label ends before the button, however wide the window.
  for (int wider : {0, 120}) {
    SCOPED_TRACE(wider);
    prog->SetWidth(prog->GetWidth() + wider);
    RedrawWindow(prog->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    wintest::Pump();
    EXPECT_LE(prog->dkt_index->GetLeft() + prog->dkt_index->GetWidth(), prog->dandindex->GetLeft());
    const std::vector<bool> shown = InkOnScreen(prog->dkt_index);
    const std::vector<bool> expected = PathDrawnInto(prog->dkt_index, path);
    ASSERT_EQ(shown.size(), expected.size());
    EXPECT_GT(std::count(expected.begin(), expected.end(), true), 0);
    size_t differing = 0;
    for (size_t i = 0; i < shown.size(); ++i) differing += shown[i] != expected[i];
    EXPECT_EQ(differing, 0u) << "the label does not show the path shortened to its room";
  }
  prog->Hide();
}

}  // namespace
