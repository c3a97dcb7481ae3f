// The design windows, the output settings, the file-list options, the index source window and
// the Word compatibility test, driven through real messages: texts typed key by key, buttons
// and boxes clicked, the colour and font dialogs answered through the dialog seam. Saved files
// are listed in toolwin-out/manifest.json, which check_saved_files.py reads back with iconv and
// Pillow.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TextIndexWindows.h"
#include "classlib/CommonDialogs.h"
#include "classlib/WebBrowser.h"
#include "engine/u_TextPicture.h"
#include "engine/u_WideFuncText.h"
#include "forms/u_design.h"
#include "forms/u_einstausgabe.h"
#include "forms/u_fileix.h"
#include "forms/u_hdesign.h"
#include "forms/u_indexhinzu.h"
#include "forms/u_prog.h"
#include "forms/u_quhopt.h"
#include "forms/u_sdesign.h"
#include "forms/u_start.h"
#include "forms/u_textdesign.h"
#include "forms/u_textix.h"
#include "forms/u_zusatzfunktion.h"
#include "support/OutputFiles.h"
#include "support/TestSupport.h"
#include "support/WordStandIn.h"

using formstest::Lines;
using formstest::MessageBoxes;
using formstest::Wide;
using Strings = std::vector<std::string>;

namespace {

// ---- Files for the independent readers

testsupport::OutputFiles g_output("toolwin-out");

std::string OutputFolder() { return g_output.Folder(); }

// ---- The user's side

void Click(TWinControl* control) { SendMessageA(control->GetHandle(), BM_CLICK, 0, 0); }

void SetTextOf(TWinControl* control, const std::string& text) {
  SendMessageA(control->GetHandle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// Keys typed at the end of the control's text.
void Type(TWinControl* control, const std::string& keys) {
  SendMessageA(control->GetHandle(), EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF);
  for (char key : keys) SendMessageA(control->GetHandle(), WM_CHAR, static_cast<unsigned char>(key), 1);
}

// Every tool window of this unit beside the text wizard's windows, with window handles.
class ToolWindows {
 public:
  ToolWindows() {
    m_previousBrowser = SetWebBrowserEngineFactory([] { return std::make_unique<TRecordingWebBrowserEngine>(
                                                        std::make_shared<TRecordingWebBrowserEngine::Log>(), true); });
    m_windows = std::make_unique<formstest::TextIndexWindows>();
    start->spr->SetCaption("de");
    indexhinzu = new Tindexhinzu(nullptr);
    quhopt = new Tquhopt(nullptr);
    hdesign = new Thdesign(nullptr);
    textdesign = new Ttextdesign(nullptr);
    sdesign = new Tsdesign(nullptr);
    einstausgabe = new Teinstausgabe(nullptr);
    zusatzfunktion = new Tzusatzfunktion(nullptr);
    for (TForm* form : Forms()) form->HandleNeeded();
    prog->HandleNeeded();
    design->HandleNeeded();
  }
  ~ToolWindows() {
    for (TForm* form : Forms()) {
      form->Hide();
      if (m_free) form->Free();
    }
    indexhinzu = nullptr;
    quhopt = nullptr;
    hdesign = nullptr;
    textdesign = nullptr;
    sdesign = nullptr;
    einstausgabe = nullptr;
    zusatzfunktion = nullptr;
    OutputEncoding().Reset();
    PictureOutput().Reset();
    if (!m_free) m_windows->LeaveToProcessEnd();
    m_windows.reset();
    SetWebBrowserEngineFactory(m_previousBrowser);
  }
  // Windows that have been shown are left to the end of the process.
  void Shown(TForm* form) {
    m_free = false;
    form->Show();
  }
  void LeaveToProcessEnd() { m_free = false; }

 private:
  static std::vector<TForm*> Forms() {
    return {indexhinzu, quhopt, hdesign, textdesign, sdesign, einstausgabe, zusatzfunktion};
  }
  TWebBrowserEngineFactory m_previousBrowser;
  std::unique_ptr<formstest::TextIndexWindows> m_windows;
  bool m_free = true;
};

class ToolWindowsTest : public ::testing::Test {
 protected:
  std::wstring Write(const std::string& name, const std::wstring& text) {
    std::wstring path = Wide(dir.File(name));
    SaveTextFileW(text, path, kEncodingUtf8, true);
    return path;
  }
  testsupport::TempDir dir;
  ToolWindows windows;
};

// Answers every common dialog with one function, for its lifetime.
class DialogSeam {
 public:
  explicit DialogSeam(TCommonDialogAnswerer answerer) : m_previous(SetCommonDialogAnswerer(std::move(answerer))) {}
  ~DialogSeam() { SetCommonDialogAnswerer(m_previous); }

 private:
  TCommonDialogAnswerer m_previous;
};

// ---- Design windows

TEST_F(ToolWindowsTest, PreviewsFollowTheTypedTextsAndTheClickedBoxes) {
  SetTextOf(design->dsep, "");
  Type(design->dsep, "; ");
  SetTextOf(design->dzw, ": ");
  EXPECT_EQ(design->vorschau->TControl::GetCaption(), "Vorschau: Eintrag: 17; 38; 69; 193");
  EXPECT_EQ(design->Label1->TControl::GetCaption(), "\"; \"");

  EXPECT_EQ(textdesign->beispiel->TControl::GetCaption(),
            "Vorschau: Eintrag:  Bezeichung1 [Link1] | Bezeichung2 [Link2]");
  Click(textdesign->namen);
  Click(textdesign->links);
  EXPECT_EQ(textdesign->beispiel->TControl::GetCaption(), "Vorschau: Eintrag:   | ");
  Click(textdesign->links);
  Type(textdesign->l, ">");
  SetTextOf(textdesign->bl, "<");
  EXPECT_EQ(textdesign->beispiel->TControl::GetCaption(), "Vorschau: Eintrag:  <Link1]> | <Link2]>");

  EXPECT_EQ(sdesign->beispiel->TControl::GetCaption(), "Vorschau: datei.txt:  Stichwort1, Stichwort2");
  Click(sdesign->bez);
  Click(sdesign->dateiname);
  Type(sdesign->v, "*");
  EXPECT_EQ(sdesign->beispiel->TControl::GetCaption(), "Vorschau: *Dateiname:  Stichwort1, Stichwort2");
  Click(sdesign->dateiname);
  SetTextOf(sdesign->zwdl, " / ");
  SetTextOf(sdesign->ne, ".");
  EXPECT_EQ(sdesign->beispiel->TControl::GetCaption(), "Vorschau: *Dateiname / datei.txt:  Stichwort1, Stichwort2.");
  const std::string before = sdesign->beispiel->TControl::GetCaption();
  Click(sdesign->leerzeile);
  EXPECT_EQ(sdesign->beispiel->TControl::GetCaption(), before);

  Type(hdesign->LinkTrenner, "-");
  EXPECT_EQ(hdesign->LinkTrenner->GetEditLabel()->GetCaption(), "Zeichen zwischen den Links \" | -\"");

  // The language switch rebuilds every preview in the other language.
  start->spr->SetCaption("en");
  prog->sprachealles();
  EXPECT_EQ(textdesign->beispiel->TControl::GetCaption(), "Preview: Entry:  <Link1]> | <Link2]>");
  EXPECT_EQ(sdesign->beispiel->TControl::GetCaption(), "Preview: *Dateiname / datei.txt:  Keyword1, Keyword2.");
  EXPECT_EQ(hdesign->LinkTrenner->GetEditLabel()->GetCaption(), "Character Between Links \" | -\"");
  EXPECT_EQ(hdesign->GetCaption(), "HTML Settings");
  EXPECT_EQ(sdesign->GetCaption(), "KeywordIndex Design");
  EXPECT_EQ(textdesign->namen->TControl::GetCaption(), "Synonym");
  EXPECT_EQ(quhopt->GetCaption(), "Settings");
  EXPECT_EQ(einstausgabe->rb_utf8->GetCaption(), L"Unicode UTF-8 without BOM");
  EXPECT_EQ(indexhinzu->GetCaption(), "Select Index");
  EXPECT_EQ(zusatzfunktion->bttxtquelle->GetCaption(), L"Open");
  start->spr->SetCaption("de");
  prog->sprachealles();
  EXPECT_EQ(zusatzfunktion->word->GetCaption(), L"Kompatibilit\x00E4tstest");
  EXPECT_EQ(einstausgabe->GetCaption(), "Ausgabe Einstellungen");
}

TEST_F(ToolWindowsTest, ColourTypedKeyByKeyRecoloursOnlyWhenComplete) {
  MessageBoxes boxes;
  const TColor before = hdesign->pafa_text->GetColor();
  EXPECT_EQ(before, static_cast<TColor>(RGB(0x33, 0x33, 0x33)));
  SetTextOf(hdesign->farbe_text, "");
  for (char key : std::string("#33669")) {
    Type(hdesign->farbe_text, std::string(1, key));
    EXPECT_EQ(hdesign->pafa_text->GetColor(), before) << hdesign->farbe_text->GetText();
  }
  Type(hdesign->farbe_text, "9");
  EXPECT_EQ(hdesign->pafa_text->GetColor(), static_cast<TColor>(RGB(0x33, 0x66, 0x99)));
  Type(hdesign->farbe_text, "9");  // seven digits: no colour, the panel keeps the last one
  EXPECT_EQ(hdesign->pafa_text->GetColor(), static_cast<TColor>(RGB(0x33, 0x66, 0x99)));
  SetTextOf(hdesign->farbe_hg, "abcdef");
  EXPECT_EQ(hdesign->pafa_hg->GetColor(), static_cast<TColor>(RGB(0xAB, 0xCD, 0xEF)));
  EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(ToolWindowsTest, ColourDialogWritesItsChoiceIntoTheButtonsEdit) {
  std::vector<TColor> presets;
  std::vector<bool> answers = {true, false};
  DialogSeam seam([&](TCommonDialog& dialog) {
    auto& colours = dynamic_cast<TColorDialog&>(dialog);
    presets.push_back(colours.GetColor());
    colours.SetColor(RGB(0x12, 0x34, 0x56));
    const bool ok = answers.front();
    answers.erase(answers.begin());
    return ok;
  });
  Click(hdesign->FarbwahlLinks);
  EXPECT_EQ(hdesign->farbe_links->GetText(), L"#123456");
  EXPECT_EQ(hdesign->pafa_links->GetColor(), static_cast<TColor>(RGB(0x12, 0x34, 0x56)));
  EXPECT_EQ(hdesign->farbe_text->GetText(), L"#333333");
  Click(hdesign->FarbwahlHG);  // cancelled
  EXPECT_EQ(hdesign->farbe_hg->GetText(), L"#FFFFFF");
  ASSERT_EQ(presets.size(), 2u);
  EXPECT_EQ(presets[1], static_cast<TColor>(RGB(0x12, 0x34, 0x56)));  // opens with the colour it gave last
}

TEST_F(ToolWindowsTest, ScreenColourPickerFollowsTheDragAndKeepsTheColourAtRelease) {
  windows.Shown(hdesign);
  SetTextOf(hdesign->farbe_text, "#3366CC");
  RedrawWindow(hdesign->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  RECT source{};
  GetWindowRect(hdesign->pafa_text->GetHandle(), &source);
  HWND panel = hdesign->pafa_hg->GetHandle();
  SendMessageA(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SetCursorPos((source.left + source.right) / 2, (source.top + source.bottom) / 2);
  SendMessageA(panel, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(2, 2));
  EXPECT_EQ(hdesign->farbe_hg->GetText(), L"#3366CC");
  EXPECT_EQ(hdesign->pafa_hg->GetColor(), static_cast<TColor>(RGB(0x33, 0x66, 0xCC)));
  SendMessageA(panel, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(GetCapture(), nullptr);
  // Moving after the release picks nothing.
  SetCursorPos(source.right + 200, source.bottom + 200);
  SendMessageA(panel, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(hdesign->farbe_hg->GetText(), L"#3366CC");
}

TEST_F(ToolWindowsTest, XhtmlDesignReachesTheWrittenPage) {
  AddFileToFileList(prog->qulist, Write("a.txt", L"Anker Boje"));
  prog->dkt_design->SetChecked(true);
  SetTextOf(hdesign->farbe_text, "#102030");
  SetTextOf(hdesign->farbe_hg, "#FAFBFC");
  SetTextOf(hdesign->LinkTrenner, " ~ ");
  BuildFileIndex();
  const std::string page = formstest::Narrow(prog->doutput->GetText());
  EXPECT_NE(page.find("#102030"), std::string::npos);
  EXPECT_NE(page.find("#FAFBFC"), std::string::npos);
  EXPECT_NE(page.find(" ~ "), std::string::npos);
}

// ---- Output settings

struct EncodingCase {
  TRadioButton* Teinstausgabe::*radio;
  bool mark;
  int encoding;
  const char* iconv;   // empty: no reader of our own knows it
  bool fileHasMark;
};

TEST_F(ToolWindowsTest, EachEncodingAndTheMarkReachASavedFile) {
  MessageBoxes boxes;
  EXPECT_EQ(OutputEncoding().GetEncoding(), kEncodingUtf8);
  const std::vector<EncodingCase> cases = {
      {&Teinstausgabe::rb_ansi, true, kEncodingAnsi, "CP1252", false},
      {&Teinstausgabe::rb_utf8, true, kEncodingUtf8, "UTF-8", false},
      {&Teinstausgabe::rb_utf8bom, false, kEncodingUtf8BOM, "UTF-8", true},
      {&Teinstausgabe::rb_utf16le, true, kEncodingUtf16LE, "UTF-16LE", true},
      {&Teinstausgabe::rb_utf16le, false, kEncodingUtf16LE, "UTF-16LE", false},
      {&Teinstausgabe::rb_utf_be, true, kEncodingUtf16BE, "UTF-16BE", true},
      {&Teinstausgabe::rb_utf32le, true, kEncodingUtf32LE, "UTF-32LE", false},
      {&Teinstausgabe::rb_utf32le, false, kEncodingUtf32LE, "UTF-32LE", false},
      {&Teinstausgabe::rb_utf32be, true, kEncodingUtf32BE, "UTF-32BE", false},
      {&Teinstausgabe::rb_utf7, true, kEncodingUtf7, "UTF-7", false},
      {&Teinstausgabe::rb_utf7ansi, true, kEncodingUtf7Ansi, "UTF-7", false},
      {&Teinstausgabe::rb_beibehalten, true, kEncodingUtf8, "UTF-8", false},
  };
  prog->output->SetText(L"Anker 12\r\nB\x00E4r 7");
  int n = 0;
  for (const EncodingCase& c : cases) {
    if (einstausgabe->jazubom->GetChecked() != c.mark) Click(einstausgabe->jazubom);
    Click(einstausgabe->*c.radio);
    EXPECT_EQ(OutputEncoding().GetEncoding(), c.encoding) << c.iconv;
    EXPECT_EQ(OutputEncoding().GetWithBOM(), c.mark);
    const std::string name = "encoding" + std::to_string(n++) + ".txt";
    const std::string path = OutputFolder() + "\\" + name;
    DialogSeam seam([&](TCommonDialog& dialog) {
      dynamic_cast<TSaveDialog&>(dialog).SetFileName(path);
      return true;
    });
    ASSERT_TRUE(SaveTextIndexText()) << c.iconv;
    const std::string bytes = testsupport::ReadBytes(path);
    const std::string mark = c.encoding == kEncodingUtf16LE ? "\xFF\xFE" : c.encoding == kEncodingUtf16BE ? "\xFE\xFF"
                             : c.encoding == kEncodingUtf32LE ? std::string("\xFF\xFE\0\0", 4)
                             : c.encoding == kEncodingUtf32BE ? std::string("\0\0\xFE\xFF", 4) : "\xEF\xBB\xBF";
    const bool hasMark = c.encoding == kEncodingUtf7 ? bytes.rfind("+/v", 0) == 0 : bytes.rfind(mark, 0) == 0;
    const bool markAsked = c.mark && c.encoding != kEncodingAnsi && c.encoding != kEncodingUtf8 &&
                           c.encoding != kEncodingUtf7Ansi;
    EXPECT_EQ(hasMark, markAsked || c.encoding == kEncodingUtf8BOM) << c.iconv << " " << c.mark;
    // Marks that iconv knows no name for (UTF-32, the UTF-7 signature) come out of it as U+FEFF.
    const bool signature = hasMark && !c.fileHasMark;
    std::string entry = std::string("{\"kind\": \"text\", \"file\": \"") + name + "\", \"encoding\": \"" + c.iconv +
                        "\", \"bom\": " + (c.fileHasMark ? "true" : "false") +
                        ", \"signature\": " + (signature ? "true" : "false") + ", \"text\": \"Anker 12\\r\\nB\\u00e4r 7\"}";
    g_output.Add(entry);
  }
  EXPECT_TRUE(boxes.texts.empty()) << boxes.texts.front();
}

TEST_F(ToolWindowsTest, AChoiceThatCannotBeReadBackIsToldOnce) {
  MessageBoxes boxes;
  windows.Shown(einstausgabe);
  Click(einstausgabe->rb_utf7);  // with its mark: readable
  EXPECT_TRUE(boxes.texts.empty());
  Click(einstausgabe->jazubom);  // UTF-7 without mark
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_NE(boxes.texts[0].find("nicht mehr erweitert"), std::string::npos);
  Click(einstausgabe->rb_utf7ansi);  // still unreadable: nothing new to tell
  EXPECT_EQ(boxes.texts.size(), 1u);
  EXPECT_EQ(OutputEncoding().GetEncoding(), kEncodingUtf7Ansi);
  Click(einstausgabe->rb_utf8);
  Click(einstausgabe->rb_utf7ansi);
  EXPECT_EQ(boxes.texts.size(), 2u);
  // Settings loaded while the window is closed tell nothing; the encoding still follows.
  einstausgabe->Hide();
  einstausgabe->rb_utf16le->SetChecked(true);
  EXPECT_EQ(OutputEncoding().GetEncoding(), kEncodingUtf16LE);
  EXPECT_EQ(boxes.texts.size(), 2u);
}

// The warning shows whole in the program's language on every system, also where the code page
// has no umlauts (the run "forms_far_east" starts this test so).
TEST_F(ToolWindowsTest, AChoiceThatCannotBeReadBackIsToldWholeWhateverTheCodePage) {
  ASSERT_TRUE(formstest::OnTheCodePageAsked());
  struct Case {
    const char* code;
    std::wstring caption;
    std::wstring told;
  };
  const Case cases[] = {
      {"de", L"Ausgabe Einstellungen",
       L"Mit dieser Kodierung gespeicherte Indexdateien werden beim Einlesen nicht erkannt und k\u00F6nnen nicht "
       L"mehr erweitert werden. W\u00E4hlen Sie eine andere Kodierung oder schreiben Sie die Byte Order Mark (BOM) "
       L"in die Dateien."},
      {"en", L"Output Settings",
       L"Index files saved in this coding are not recognised when they are read and cannot be extended any more. "
       L"Choose another coding or write the Byte Order Mark (BOM) in the files."},
  };
  windows.Shown(einstausgabe);
  for (const Case& c : cases) {
    start->spr->SetCaption(c.code);
    einstausgabe->Sprache();
    Click(einstausgabe->rb_utf8);
    std::vector<std::wstring> told;
    const TMessageBoxAnswerer previous = SetMessageBoxAnswerer([&told](const TMessageBoxRequest& request) {
      told.push_back(request.WideCaption + L": " + request.WideText);
      return IDOK;
    });
    Click(einstausgabe->rb_utf7ansi);
    SetMessageBoxAnswerer(previous);
    EXPECT_EQ(told, std::vector<std::wstring>{c.caption + L": " + c.told}) << c.code;
  }
}

TEST_F(ToolWindowsTest, BackgroundEditShowsTheColourWithContrastingText) {
  TEdit* edit = einstausgabe->Edit1;
  SetTextOf(edit, "#000000");
  EXPECT_EQ(edit->GetColor(), static_cast<TColor>(RGB(0, 0, 0)));
  EXPECT_EQ(edit->GetFont()->GetColor(), clWhite);
  EXPECT_EQ(PictureOutput().GetBackground(), static_cast<TColor>(RGB(0, 0, 0)));
  SetTextOf(edit, "");
  Type(edit, "#FFFF");  // four digits: nothing changes
  EXPECT_EQ(edit->GetColor(), static_cast<TColor>(RGB(0, 0, 0)));
  Type(edit, "FF");
  EXPECT_EQ(edit->GetColor(), static_cast<TColor>(RGB(0xFF, 0xFF, 0xFF)));
  EXPECT_EQ(edit->GetFont()->GetColor(), clBlack);
  SetTextOf(edit, "#12345G");
  EXPECT_EQ(PictureOutput().GetBackground(), static_cast<TColor>(RGB(0xFF, 0xFF, 0xFF)));
}

TEST_F(ToolWindowsTest, PictureFontAndBackgroundReachSavedPictures) {
  MessageBoxes boxes;
  int asked = 0;
  std::string savePath;
  DialogSeam seam([&](TCommonDialog& dialog) {
    ++asked;
    if (auto* fonts = dynamic_cast<TFontDialog*>(&dialog)) {
      EXPECT_EQ(fonts->GetFont()->GetName(), "Courier New");
      fonts->GetFont()->SetName("DejaVu Sans");
      fonts->GetFont()->SetHeight(-20);
      return true;
    }
    if (auto* colours = dynamic_cast<TColorDialog*>(&dialog)) {
      EXPECT_EQ(colours->GetColor(), static_cast<TColor>(RGB(0xFF, 0xFF, 0xFF)));
      colours->SetColor(RGB(0x20, 0x40, 0xC0));
      return true;
    }
    dynamic_cast<TSaveDialog&>(dialog).SetFileName(savePath);
    return true;
  });
  Click(einstausgabe->BitBtn6);
  EXPECT_EQ(einstausgabe->Label3->GetFont()->GetName(), "DejaVu Sans");
  EXPECT_EQ(PictureOutput().GetFont()->GetName(), "DejaVu Sans");
  EXPECT_EQ(PictureOutput().GetFont()->GetHeight(), -20);
  Click(einstausgabe->BitBtn1);
  EXPECT_EQ(einstausgabe->Edit1->GetText(), L"#2040C0");
  EXPECT_EQ(einstausgabe->Edit1->GetFont()->GetColor(), clWhite);
  EXPECT_EQ(PictureOutput().GetBackground(), static_cast<TColor>(RGB(0x20, 0x40, 0xC0)));

  prog->output->SetText(L"Anker 12\r\nBoje 7");
  const TPictureSize size = MeasureTextPicture(L"Anker 12\r\nBoje 7", PictureOutput().GetFont());
  for (const char* name : {"picture.bmp", "picture.jpg"}) {
    savePath = OutputFolder() + "\\" + name;
    ASSERT_TRUE(SaveTextIndexText()) << name;
    g_output.Add(std::string("{\"kind\": \"picture\", \"file\": \"") + name + "\", \"format\": \"" +
                         (std::string(name).find(".bmp") != std::string::npos ? "BMP" : "JPEG") +
                         "\", \"width\": " + std::to_string(size.Width) + ", \"height\": " +
                         std::to_string(size.Height) + ", \"background\": [32, 64, 192]}");
  }
  // A larger font makes a larger picture than the factory font.
  PictureOutput().Reset();
  const TPictureSize factory = MeasureTextPicture(L"Anker 12\r\nBoje 7", PictureOutput().GetFont());
  EXPECT_GT(size.Height, factory.Height);
  EXPECT_EQ(asked, 4);
  EXPECT_TRUE(boxes.texts.empty());
}

TEST(InformationLinks, BareHostsGetASlashBeforeTheReferral) {
  // The output settings' links carry the key of the menu links.
  EXPECT_EQ(MenuReferralAddress("kaptorix.de").rfind("http://www.kaptorix.de/&rf=", 0), 0u);
  EXPECT_EQ(MenuReferralAddress("kaptorix.de"), MenuCaptionAddress("kaptorix.de"));
  EXPECT_EQ(MenuReferralAddress("kaptorix.com/bom"), MenuCaptionAddress("kaptorix.com/bom"));
  EXPECT_TRUE(EncodingIsDetectable(kEncodingUtf16LE, true));
  EXPECT_FALSE(EncodingIsDetectable(kEncodingUtf16LE, false));
  EXPECT_FALSE(EncodingIsDetectable(kEncodingUtf7Ansi, true));
  EXPECT_TRUE(EncodingIsDetectable(kEncodingUtf8, false));
}

// ---- File-list options

struct RowTexts {
  std::string caption, link, source;
  bool operator==(const RowTexts&) const = default;
};

std::vector<RowTexts> RowsOf(TCustomListView* list) {
  std::vector<RowTexts> rows;
  for (int i = 0; i < list->GetItems()->GetCount(); ++i) {
    TListItem* item = list->GetItems()->GetItem(i);
    rows.push_back({item->GetCaption(), item->GetSubItems()->Get(0), item->GetSubItems()->Get(4)});
  }
  return rows;
}

class FileListOptionsTest : public ToolWindowsTest {
 protected:
  void SetUp() override {
    a = Write("anker.txt", L"Anker");
    b = Write("boje.txt", L"Boje");
    AddFileToFileList(prog->squlist, a);
    AddFileToFileList(prog->squlist, b);
    ASSERT_EQ(prog->squlist->GetItems()->GetCount(), 2);
    quhopt->SetTag(1);
    windows.Shown(quhopt);
  }
  Strings Memo() { return Lines(quhopt->liste->GetText()); }
  std::wstring a, b;
};

TEST_F(FileListOptionsTest, TheChosenColumnIsEditedAndWrittenBackOnOk) {
  EXPECT_EQ(Memo(), Strings({"Anker", "Boje"}));
  Click(quhopt->rb2);
  EXPECT_EQ(Memo(), Strings({"anker.txt", "boje.txt"}));
  SetTextOf(quhopt->liste, "anker.txt\r\nboot.htm");
  Click(quhopt->OK);
  EXPECT_FALSE(quhopt->GetVisible());
  EXPECT_EQ(RowsOf(prog->squlist)[1].link, "boot.htm");
  EXPECT_EQ(RowsOf(prog->squlist)[0].link, "anker.txt");
  EXPECT_EQ(RowsOf(prog->squlist)[1].caption, "Boje");
}

TEST_F(FileListOptionsTest, SwitchingTheColumnWritesTheEditedOneFirst) {
  SetTextOf(quhopt->liste, "Erster\r\nZweiter");
  Click(quhopt->rb3);
  EXPECT_EQ(Memo(), Strings({formstest::Narrow(prog->squlist->GetItems()->GetItem(0)->GetSubItems()->Get(4)),
                             formstest::Narrow(prog->squlist->GetItems()->GetItem(1)->GetSubItems()->Get(4))}));
  EXPECT_EQ(RowsOf(prog->squlist)[0].caption, "Erster");
  EXPECT_EQ(RowsOf(prog->squlist)[1].caption, "Zweiter");
  EXPECT_EQ(quhopt->rb3->GetTag(), 1);
  EXPECT_EQ(quhopt->rb1->GetTag(), 0);
  // The last line deleted: the last row gets an empty source.
  SetTextOf(quhopt->liste, Memo()[0]);
  Click(quhopt->OK);
  EXPECT_EQ(RowsOf(prog->squlist)[1].source, "");
  EXPECT_EQ(RowsOf(prog->squlist)[0].source, Memo()[0]);
}

TEST_F(FileListOptionsTest, TheMemoCannotGrowBeyondTheRows) {
  const std::wstring before = quhopt->liste->GetText();
  HWND memo = quhopt->liste->GetHandle();
  SendMessageA(memo, EM_SETSEL, before.size(), before.size());
  Type(quhopt->liste, "\r");
  EXPECT_EQ(quhopt->liste->GetText(), before);
  Type(quhopt->liste, "x");  // the last line can still be edited
  EXPECT_EQ(Memo(), Strings({"Anker", "Bojex"}));
}

TEST_F(FileListOptionsTest, ARadioButtonCheckedByCodeWritesNothingBack) {
  SetTextOf(quhopt->liste, "stale\r\nlines");
  quhopt->Hide();  // closed by its close box: the edits stay unwritten
  // Loading settings or restoring the factory state checks a radio button from code.
  quhopt->rb2->SetChecked(true);
  EXPECT_EQ(RowsOf(prog->squlist)[0].caption, "Anker");
  EXPECT_EQ(RowsOf(prog->squlist)[1].caption, "Boje");
  quhopt->rb1->SetChecked(true);
  EXPECT_EQ(RowsOf(prog->squlist)[0].link, "anker.txt");
  EXPECT_EQ(RowsOf(prog->squlist)[1].caption, "Boje");
  // Opened again, it shows the list as it is.
  quhopt->Show();
  EXPECT_EQ(Memo(), Strings({"Anker", "Boje"}));
}

// ---- Design windows

TEST_F(ToolWindowsTest, EveryDesignWindowIsModalAndEndsOnOkEnterOrItsCloseBox) {
  windows.LeaveToProcessEnd();
  enum class Way { Ok, Enter, CloseBox };
  auto htmlOutput = [](bool html) {
    prog->htmlindex->SetChecked(html);
    prog->textindex->SetChecked(!html);
  };
  const auto textButton = [] { Click(prog->btdesign); };
  const auto textMenu = [] { prog->metd->Click(); };
  const auto htmlButton = [&] { htmlOutput(true); Click(prog->d_design); };
  const auto htmlMenu = [&] { htmlOutput(true); prog->medd->Click(); };
  const auto plainButton = [&] { htmlOutput(false); Click(prog->d_design); };
  const auto plainMenu = [&] { htmlOutput(false); prog->medd->Click(); };
  const auto keywordButton = [] { Click(prog->stw_designanzeigen); };
  const auto keywordMenu = [] { prog->mesd->Click(); };
  // Each window is ended every way, each button and menu item opens it at least once (a shown
  // window costs Wine seconds, so not every pair).
  const struct {
    const char* name;
    std::function<void()> open;
    Way way;
    TForm* window;
    TButton* ok;
    TWinControl* field;  // where the user presses Enter
  } cases[] = {
      {"btdesign", textButton, Way::Ok, design, design->OK, design->ub},
      {"metd", textMenu, Way::Enter, design, design->OK, design->dsep},
      {"btdesign", textButton, Way::CloseBox, design, design->OK, design->ub},
      {"d_design, HTML", htmlButton, Way::Ok, hdesign, hdesign->OK, hdesign->htmltitel},
      {"medd, HTML", htmlMenu, Way::Enter, hdesign, hdesign->OK, hdesign->breite_all},
      {"d_design, HTML", htmlButton, Way::CloseBox, hdesign, hdesign->OK, hdesign->htmltitel},
      {"medd, text", plainMenu, Way::Ok, textdesign, textdesign->OK, textdesign->titel},
      {"d_design, text", plainButton, Way::Enter, textdesign, textdesign->OK, textdesign->es},
      {"medd, text", plainMenu, Way::CloseBox, textdesign, textdesign->OK, textdesign->titel},
      {"stw_designanzeigen", keywordButton, Way::Ok, sdesign, sdesign->OK, sdesign->zw},
      {"mesd", keywordMenu, Way::Enter, sdesign, sdesign->OK, sdesign->v},
      {"stw_designanzeigen", keywordButton, Way::CloseBox, sdesign, sdesign->OK, sdesign->zw},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name) + ", way " + std::to_string(static_cast<int>(c.way)));
    // Posted before the window opens: only a message loop of the window's own handles it before
    // the opening returns.
    switch (c.way) {
      case Way::Ok: PostMessageA(c.ok->GetHandle(), BM_CLICK, 0, 0); break;
      case Way::Enter: PostMessageA(c.field->GetHandle(), WM_KEYDOWN, VK_RETURN, 1); break;
      case Way::CloseBox: PostMessageA(c.window->GetHandle(), WM_SYSCOMMAND, SC_CLOSE, 0); break;
    }
    c.open();
    EXPECT_FALSE(c.window->GetVisible());
    c.window->Hide();  // a window that stayed open goes, and so does the message it left
    formstest::Pump();
  }
}

// ---- Index source window

TEST_F(ToolWindowsTest, AnIndexSourcePathThatExistsBecomesTheIndexToExtend) {
  const std::string before = prog->kt_index->TControl::GetCaption();
  indexhinzu->edit_quelle->SetText(Wide(dir.File("missing.idx")));
  EXPECT_EQ(prog->kt_index->TControl::GetCaption(), before);
  EXPECT_FALSE(prog->kt_integrieren->GetChecked());
  const std::wstring index = Write("buch.idx", L"Anker\t12\r\nBoje\t7");
  SetTextOf(indexhinzu->edit_quelle, formstest::Narrow(index));
  EXPECT_EQ(prog->kt_index->TControl::GetCaption(), formstest::Narrow(index));
  EXPECT_TRUE(prog->kt_integrieren->GetChecked());
  EXPECT_EQ(Lines(indexhinzu->Memo1->GetText()), Strings({"Anker\t12", "Boje\t7"}));
  indexhinzu->edit_quelle->SetText(L"");  // factory settings: no effect
  EXPECT_EQ(prog->kt_index->TControl::GetCaption(), formstest::Narrow(index));
}

TEST_F(ToolWindowsTest, AnIndexSourceInACyrillicFolderKeepsItsWholePath) {
  const std::wstring folder = Wide(dir.Path()) + L"\\\x041F\x043E\x043B\x044C\x0437\x043E\x0432\x0430\x0442\x0435\x043B\x044C";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  const std::wstring index = folder + L"\\buch.idx";
  SaveTextFileW(L"Anker:1>-\r\n", index, kEncodingUtf8, true);
  indexhinzu->edit_quelle->SetText(index);
  EXPECT_EQ(prog->kt_index->GetCaption(), index);
  EXPECT_TRUE(prog->kt_integrieren->GetChecked());
}

// ---- Word compatibility test

TEST_F(ToolWindowsTest, WordCompatibilityTestShowsTheFirstTwoPages) {
  wordstandin::TWordStandIn word;
  const std::string document = dir.File("buch.doc");
  testsupport::WriteBytes(document, "Erste Seite\fZweite Seite\fDritte Seite");
  std::vector<std::string> asked;
  DialogSeam seam([&](TCommonDialog& dialog) {
    auto& files = dynamic_cast<TOpenDialog&>(dialog);
    asked.push_back(files.GetName());
    files.SetFileName(document);
    return true;
  });
  EXPECT_EQ(zusatzfunktion->Label5->TControl::GetCaption(), "Test");
  Click(zusatzfunktion->bttxtquelle);
  EXPECT_EQ(asked, Strings({"OpenDatei"}));
  EXPECT_EQ(zusatzfunktion->edit_quelle->GetText(), Wide(document));
  const std::string text = formstest::Narrow(zusatzfunktion->original->GetText());
  EXPECT_NE(text.find("Erste Seite"), std::string::npos);
  EXPECT_NE(text.find("Zweite Seite"), std::string::npos);
  EXPECT_EQ(text.find("Dritte Seite"), std::string::npos);
  EXPECT_EQ(zusatzfunktion->Label5->TControl::GetCaption(), "Ihre Word\xAE Version ist kompatibel!");
}

// The test's messages show whole in the program's language on every system, also where the
// code page has no "®" (a Far-East one: the run "forms_far_east" starts these tests so): the
// success, and the error when there is no Word.
TEST_F(ToolWindowsTest, WordCompatibilityTestTellsWholeWhateverTheCodePage) {
  ASSERT_TRUE(formstest::OnTheCodePageAsked());
  struct Case {
    const char* code;
    const wchar_t* success;
    const wchar_t* noWord;
  };
  const Case cases[] = {
      {"de", L"Ihre Word\x00AE Version ist kompatibel!", L"Aktion abgebrochen. Microsoft Word\x00AE wurde nicht gefunden."},
      {"en", L"Your Word\x00AE version is compatible!", L"Action canceled. Microsoft Word\x00AE was not found."},
  };
  const std::string document = dir.File("brief.doc");
  testsupport::WriteBytes(document, "Erste Seite\fZweite Seite");
  DialogSeam seam([](TCommonDialog&) { return false; });
  SetTextOf(zusatzfunktion->edit_quelle, document);
  {
    wordstandin::TWordStandIn word;
    for (const Case& c : cases) {
      start->spr->SetCaption(c.code);
      zusatzfunktion->sprache();
      zusatzfunktion->Label5->SetCaption(L"Test");
      Click(zusatzfunktion->bttxtquelle);
      EXPECT_EQ(zusatzfunktion->Label5->GetCaption(), c.success) << c.code;
    }
  }
  if (wordstandin::RealWordRegistered()) return;  // the error needs a system without Word
  wordstandin::TStandInLock noWord;
  for (const Case& c : cases) {
    std::vector<std::wstring> told;
    const TMessageBoxAnswerer previous = SetMessageBoxAnswerer([&told](const TMessageBoxRequest& request) {
      told.push_back(request.WideText);
      return IDOK;
    });
    start->spr->SetCaption(c.code);
    Click(zusatzfunktion->bttxtquelle);
    SetMessageBoxAnswerer(previous);
    EXPECT_EQ(told, std::vector<std::wstring>{c.noWord}) << c.code;
  }
}

TEST_F(ToolWindowsTest, WordCompatibilityTestKeepsItsLabelWhenWordFails) {
  wordstandin::TWordStandIn word;
  word.State().FailAt = L"Documents.Open";
  const std::string document = dir.File("kaputt.doc");
  testsupport::WriteBytes(document, "Seite");
  MessageBoxes boxes;  // the import tells why it read nothing
  DialogSeam seam([&](TCommonDialog&) { return false; });
  zusatzfunktion->original->SetText(L"alt");
  SetTextOf(zusatzfunktion->edit_quelle, document);  // typed instead of chosen
  Click(zusatzfunktion->bttxtquelle);
  EXPECT_EQ(zusatzfunktion->original->GetText(), L"");
  EXPECT_EQ(zusatzfunktion->Label5->TControl::GetCaption(), "Test");
  EXPECT_EQ(boxes.texts.size(), 1u);
}

}  // namespace
