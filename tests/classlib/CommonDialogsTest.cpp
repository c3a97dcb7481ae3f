// Common dialogs answered through their seam, as a user would answer them.
#include <gtest/gtest.h>

#include "classlib/CommonDialogs.h"

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
