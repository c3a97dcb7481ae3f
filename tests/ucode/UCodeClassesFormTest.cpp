// Wide values in form descriptions: the UTF-8 and UTF-7 forms of wide properties and the
// "WideStrings" forms of wide string lists.
#include "ucode/UCodeClasses.h"

#include <gtest/gtest.h>

namespace {

class TWideSample : public TComponent {
  KX_COMPONENT(TWideSample, TComponent)
 public:
  explicit TWideSample(TComponent* owner) : TComponent(owner), FLines(std::make_unique<TUCodeStringList>()) {}
  std::wstring GetCaption() const { return FCaption; }
  void SetCaption(const std::wstring& value) { FCaption = value; }
  TUCodeStringList* GetLines() const { return FLines.get(); }
  void DefineProperties(TFiler* filer) override {
    TComponent::DefineProperties(filer);
    DefineWideProperties(filer, this);
  }
  void Design() { SetDesigning(true); }
  static void DeclareProperties(TPropertyTable& table) {
    auto p = table.For<TWideSample>();
    p.WideString("Caption", &TWideSample::GetCaption, &TWideSample::SetCaption);
    p.Object("Lines", &TWideSample::GetLines);
  }

 private:
  std::wstring FCaption;
  std::unique_ptr<TUCodeStringList> FLines;
};

std::vector<std::wstring> Lines(const TWideStrings& list) {
  std::vector<std::wstring> lines;
  for (int i = 0; i < list.GetCount(); ++i) lines.push_back(list.Get(i));
  return lines;
}

// Turns wide form values on for one test.
class WideFormValues {
 public:
  explicit WideFormValues(bool on) : m_saved(WideFormValuesEnabled) { WideFormValuesEnabled = on; }
  ~WideFormValues() { WideFormValuesEnabled = m_saved; }

 private:
  bool m_saved;
};

const char* const kDescription =
    "object Sample: TWideSample\n"
    "  Caption = 'plain'\n"
    "  CaptionW = #195#164'W'\n"
    "  Caption_UTF7 = '+ZeU-x'\n"
    "  Lines.Strings = ('a' 'b')\n"
    "  Lines.WideStrings_UTF7 = ('+ZeVnLA' 'Stra+AN8-e')\n"
    "end\n";

TEST(WideFormValues, DroppedWhileOffSoThe8BitValuesStand) {
  WideFormValues off(false);
  TWideSample sample(nullptr);
  ReadComponentFromText(&sample, kDescription, "Sample");
  EXPECT_EQ(sample.GetCaption(), L"plain");
  EXPECT_EQ(Lines(*sample.GetLines()), (std::vector<std::wstring>{L"a", L"b"}));
}

TEST(WideFormValues, TakenWhileOnOutsideDesign) {
  WideFormValues on(true);
  TWideSample sample(nullptr);
  ReadComponentFromText(&sample, kDescription, "Sample");
  EXPECT_EQ(sample.GetCaption(), L"\u65e5x");  // the last of the two forms read
  EXPECT_EQ(Lines(*sample.GetLines()), (std::vector<std::wstring>{L"\u65e5\u672c", L"Stra\u00dfe"}));
  TWideSample designed(nullptr);
  designed.Design();
  ReadComponentFromText(&designed, kDescription, "Sample");
  EXPECT_EQ(designed.GetCaption(), L"plain");
}

TEST(WideFormValues, Utf8FormOfTheCaption) {
  WideFormValues on(true);
  TWideSample sample(nullptr);
  ReadComponentFromText(&sample, "object Sample: TWideSample\n  CaptionW = #195#164'W'\nend\n", "Sample");
  EXPECT_EQ(sample.GetCaption(), L"\u00e4W");
}

TEST(WideFormValues, WideStringsFormsOfAList) {
  WideFormValues off(false);
  TWideSample sample(nullptr);
  // "WideStrings" always counts, as one text or as a list.
  ReadComponentFromText(&sample, "object Sample: TWideSample\n  Lines.WideStrings = 'x'#13#10'y'\nend\n", "Sample");
  EXPECT_EQ(Lines(*sample.GetLines()), (std::vector<std::wstring>{L"x", L"y"}));
  ReadComponentFromText(&sample, "object Sample: TWideSample\n  Lines.WideStrings = ('p' #$65E5)\nend\n", "Sample");
  EXPECT_EQ(Lines(*sample.GetLines()), (std::vector<std::wstring>{L"p", L"\u65e5"}));
  // The UTF-8 lines fill an empty list even while wide values are off, and leave a full one alone.
  const char* utf8 = "object Sample: TWideSample\n  Lines.WideStringsW = (#195#164)\nend\n";
  ReadComponentFromText(&sample, utf8, "Sample");
  EXPECT_EQ(Lines(*sample.GetLines()), (std::vector<std::wstring>{L"p", L"\u65e5"}));
  sample.GetLines()->Clear();
  ReadComponentFromText(&sample, utf8, "Sample");
  EXPECT_EQ(Lines(*sample.GetLines()), (std::vector<std::wstring>{L"\u00e4"}));
}

TEST(WideFormValues, MalformedUtf7IsAnError) {
  TWideSample sample(nullptr);
  try {
    ReadComponentFromText(&sample, "object Sample: TWideSample\n  Caption_UTF7 = '+'\nend\n", "Sample");
    ADD_FAILURE() << "accepted";
  } catch (const Exception& error) {
    EXPECT_NE(std::string(error.what()).find("Invalid UTF7"), std::string::npos) << error.what();
  }
}

TEST(WideFormValues, WrittenAsUtf7AndReadBack) {
  TWideSample sample(nullptr);
  sample.SetName("Sample");
  sample.SetCaption(L"Gr\u00fc\u00dfe \u65e5");
  sample.GetLines()->Add(L"\u00e4+b");
  const std::string text = WriteComponentText(&sample);
  EXPECT_NE(text.find("Caption_UTF7 = 'Gr+APwA3w-e +ZeU'"), std::string::npos) << text;
  EXPECT_NE(text.find("Lines.WideStrings_UTF7 = ("), std::string::npos) << text;
  EXPECT_EQ(text.find("CaptionW"), std::string::npos);
  WideFormValues on(true);
  TWideSample back(nullptr);
  ReadComponentFromText(&back, text, "Sample");
  EXPECT_EQ(back.GetCaption(), sample.GetCaption());
  EXPECT_EQ(Lines(*back.GetLines()), Lines(*sample.GetLines()));
  TWideSample empty(nullptr);
  empty.SetName("Empty");
  EXPECT_EQ(WriteComponentText(&empty).find("_UTF7"), std::string::npos);
}

}  // namespace
