// Common dialogs answered through their seam, as a user would answer them.
#include <gtest/gtest.h>

#include "classlib/CommonDialogs.h"

#include <string>
#include <vector>

namespace {

// Installs an answerer for its lifetime and records which dialogs asked.
class DialogAnswers {
 public:
  explicit DialogAnswers(TCommonDialogAnswerer answer)
      : m_previous(SetCommonDialogAnswerer([this, answer](TCommonDialog& dialog) {
          asked.push_back(&dialog);
          return answer(dialog);
        })) {}
  ~DialogAnswers() { SetCommonDialogAnswerer(m_previous); }
  DialogAnswers(const DialogAnswers&) = delete;
  DialogAnswers& operator=(const DialogAnswers&) = delete;
  std::vector<TCommonDialog*> asked;

 private:
  TCommonDialogAnswerer m_previous;
};

bool TypeFileName(TCommonDialog& dialog, const std::string& typed) {
  static_cast<TOpenDialog&>(dialog).SetFileName(typed);
  return true;
}

}  // namespace

TEST(FileDialogs, TheAnswerSeesTheDialogsTextsAndTheDefaultExtensionIsAppendedAsTheSystemWould) {
  TComponent owner(nullptr);
  auto* save = new TSaveDialog(&owner);
  save->SetFilter("Kaptorix Konfiguration (*.qcfg)|*.qcfg");
  save->SetTitle("Konfiguration speichern..");
  save->SetDefaultExt(".qcfg");
  save->SetFileName("Konfiguration.qcfg");
  std::string seenTitle, seenName;
  DialogAnswers answers([&](TCommonDialog& dialog) {
    auto& file = static_cast<TOpenDialog&>(dialog);
    seenTitle = file.GetTitle();
    seenName = file.GetFileName();
    EXPECT_TRUE(file.IsSaveDialog());
    return TypeFileName(dialog, "C:\\Daten\\Buch");
  });
  ASSERT_TRUE(save->Execute());
  EXPECT_EQ(seenTitle, "Konfiguration speichern..");
  EXPECT_EQ(seenName, "Konfiguration.qcfg");
  EXPECT_EQ(save->GetDefaultExt(), "qcfg");
  EXPECT_EQ(save->GetFileName(), "C:\\Daten\\Buch.qcfg");
  EXPECT_EQ(save->GetFiles()->GetCount(), 1);

  // A name with an extension keeps it; without a default extension nothing is added.
  DialogAnswers typed([](TCommonDialog& dialog) { return TypeFileName(dialog, "C:\\Daten\\Index"); });
  save->SetDefaultExt("");
  ASSERT_TRUE(save->Execute());
  EXPECT_EQ(save->GetFileName(), "C:\\Daten\\Index");
}

TEST(FileDialogs, CancelLeavesTheFileNameAndOpenDialogsAreNoSaveDialogs) {
  TComponent owner(nullptr);
  auto* open = new TOpenDialog(&owner);
  open->SetFileName("alt.txt");
  DialogAnswers answers([](TCommonDialog& dialog) {
    static_cast<TOpenDialog&>(dialog).SetFileName("changed.txt");
    EXPECT_FALSE(static_cast<TOpenDialog&>(dialog).IsSaveDialog());
    return false;
  });
  EXPECT_FALSE(open->Execute());
  EXPECT_EQ(answers.asked.size(), 1u);
}

TEST(FileDialogs, FiltersBecomeTheSystemsZeroSeparatedListUnchanged) {
  // One of the program's filters holds "*html" without a dot: it is passed on as it is.
  EXPECT_EQ(SystemFilter("Text (*.txt)|*.txt|Alle Dateien (*.*)|*.*"),
            std::string("Text (*.txt)\0*.txt\0Alle Dateien (*.*)\0*.*\0\0", 43));
  EXPECT_EQ(SystemFilter("HTML|*html"), std::string("HTML\0*html\0\0", 12));
  EXPECT_EQ(SystemFilter(""), std::string("\0\0", 2));
  EXPECT_EQ(SystemFilter(L"Index (*.idx)|*.idx"), std::wstring(L"Index (*.idx)\0*.idx\0\0", 21));
}

// What the system leaves in a dialog's buffer: the dialog starts with the name it proposes and
// writes the chosen one over it, so a shorter choice leaves the rest of the old name behind.
TEST(FileDialogs, TheChosenNamesAreReadFromTheBufferAsTheSystemMarksThem) {
  using namespace std::string_literals;
  struct Case {
    const char* what;
    std::string buffer;
    size_t fileOffset;
    std::vector<std::string> chosen;
  };
  const Case cases[] = {
      {"one path, the proposed name's tail behind it", "C:\\x.txt\0mme\\Kaptorix\\Index.txt\0\0"s, 3, {"C:\\x.txt"}},
      {"one path in a folder with a dot", "D:\\a.b\\Buch\0dex.txt\0\0"s, 7, {"D:\\a.b\\Buch"}},
      {"several names in a folder", "C:\\Daten\0eins.txt\0zwei.txt\0\0altes\0"s, 9,
       {"C:\\Daten\\eins.txt", "C:\\Daten\\zwei.txt"}},
      {"several names at a drive's root", "C:\\\0a.txt\0b.txt\0\0"s, 4, {"C:\\a.txt", "C:\\b.txt"}},
      {"one name of a multiple-selection dialog", "C:\\Daten\\eins.txt\0xt\0\0"s, 9, {"C:\\Daten\\eins.txt"}},
      {"nothing", "\0\0"s, 0, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(ChosenFileNames(c.buffer, c.fileOffset), c.chosen) << c.what;

  // Wide buffers the same way: a Cyrillic folder with two names, and one name with a tail.
  const std::wstring folder = L"C:\\\u041A\u043D\u0438\u0433\u0438";
  EXPECT_EQ(ChosenFileNames(folder + L"\0\u0430.txt\0b.txt\0\0"s, folder.size() + 1),
            (std::vector<std::wstring>{folder + L"\\\u0430.txt", folder + L"\\b.txt"}));
  EXPECT_EQ(ChosenFileNames(folder + L"\\b.txt\0ngerer Name.txt\0\0"s, folder.size() + 1),
            std::vector<std::wstring>{folder + L"\\b.txt"});
}

TEST(ColorDialog, ReopensWithTheLastColourItReturned) {
  TComponent owner(nullptr);
  auto* colors = new TColorDialog(&owner);
  colors->SetOptions({cdAnyColor});
  std::vector<TColor> startedWith;
  TColor next = 0x3366CC;
  DialogAnswers answers([&](TCommonDialog& dialog) {
    auto& color = static_cast<TColorDialog&>(dialog);
    startedWith.push_back(color.GetColor());
    EXPECT_TRUE(color.GetOptions().Contains(cdAnyColor));
    color.SetColor(next);
    return true;
  });
  ASSERT_TRUE(colors->Execute());
  next = 0x00FF00;
  ASSERT_TRUE(colors->Execute());
  EXPECT_EQ(startedWith, (std::vector<TColor>{clBlack, 0x3366CC}));
  EXPECT_EQ(colors->GetColor(), 0x00FF00);
}

TEST(FontDialog, TheChosenFontIsKeptAndOfferedAgain) {
  TComponent owner(nullptr);
  auto* fonts = new TFontDialog(&owner);
  fonts->GetFont()->SetName("Arial");
  std::string offered;
  DialogAnswers answers([&](TCommonDialog& dialog) {
    TFont* font = static_cast<TFontDialog&>(dialog).GetFont();
    offered = font->GetName();
    font->SetName("Courier New");
    font->SetSize(14);
    font->SetStyle(fsBold);
    return true;
  });
  ASSERT_TRUE(fonts->Execute());
  EXPECT_EQ(offered, "Arial");
  EXPECT_EQ(fonts->GetFont()->GetName(), "Courier New");
  EXPECT_EQ(fonts->GetFont()->GetSize(), 14);
  EXPECT_EQ(fonts->GetFont()->GetStyle(), fsBold);
  ASSERT_TRUE(fonts->Execute());
  EXPECT_EQ(offered, "Courier New");
}
