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
  wchar_t GetMark() const { return FMark; }
  void SetMark(wchar_t value) { FMark = value; }
  void DefineProperties(TFiler* filer) override {
    TComponent::DefineProperties(filer);
    DefineWideProperties(filer, this);
  }
  void Design() { SetDesigning(true); }
  static void DeclareProperties(TPropertyTable& table) {
    auto p = table.For<TWideSample>();
    p.WideString("Caption", &TWideSample::GetCaption, &TWideSample::SetCaption);
    p.Object("Lines", &TWideSample::GetLines);
    p.WideChar("Mark", &TWideSample::GetMark, &TWideSample::SetMark);
  }

 private:
  std::wstring FCaption;
  wchar_t FMark = 0;
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

TEST(WideFormValues, Utf8BytesInTheControlRangeSurvive) {
  // U+25CF and U+65E5 are E2 97 8F and E6 97 A5 in UTF-8: 0x97 and 0x8F have no place in code page 1252.
  WideFormValues on(true);
  TWideSample sample(nullptr);
  ReadComponentFromText(&sample, "object Sample: TWideSample\n  CaptionW = #226#151#143#230#151#165\nend\n", "Sample");
  EXPECT_EQ(sample.GetCaption(), L"\u25cf\u65e5");
  WideFormValues off(false);
  TWideSample fresh(nullptr);
  ReadComponentFromText(&fresh, "object Sample: TWideSample\n  Lines.WideStringsW = (#230#151#165)\nend\n", "Sample");
  EXPECT_EQ(Lines(*fresh.GetLines()), std::vector<std::wstring>{L"\u65e5"});
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

TEST(WideFormValues, CharacterPropertiesTakeTheirWideFormsAlways) {
  WideFormValues off(false);
  TWideSample sample(nullptr);
  ReadComponentFromText(&sample, "object Sample: TWideSample\n  Mark = '*'\nend\n", "Sample");
  EXPECT_EQ(sample.GetMark(), L'*');
  ReadComponentFromText(&sample, "object Sample: TWideSample\n  Mark = 9679\nend\n", "Sample");
  EXPECT_EQ(sample.GetMark(), L'\u25cf');
  // The wide forms count even while wide values are off: the 8-bit form cannot hold the character.
  ReadComponentFromText(&sample, "object Sample: TWideSample\n  MarkW = #9679\nend\n", "Sample");
  EXPECT_EQ(sample.GetMark(), L'\u25cf');
  ReadComponentFromText(&sample, "object Sample: TWideSample\n  Mark_UTF7 = '+ZeVnLA-'\nend\n", "Sample");
  EXPECT_EQ(sample.GetMark(), L'\u65e5');  // the first character of the text
  ReadComponentFromText(&sample, "object Sample: TWideSample\n  MarkW = ''\nend\n", "Sample");
  EXPECT_EQ(sample.GetMark(), L'\0');
}

TEST(WideFormValues, ACharacterPropertyRefusesLongerTexts) {
  TWideSample sample(nullptr);
  for (const char* description : {"object Sample: TWideSample\n  MarkW = 'ab'\nend\n",
                                  "object Sample: TWideSample\n  Mark = 'ab'\nend\n",
                                  "object Sample: TWideSample\n  Mark = 70000\nend\n"}) {
    try {
      ReadComponentFromText(&sample, description, "Sample");
      ADD_FAILURE() << "accepted: " << description;
    } catch (const Exception& error) {
      EXPECT_NE(std::string(error.what()).find("Invalid property value"), std::string::npos) << error.what();
    }
  }
}

TEST(WideFormValues, ACharacterIsWrittenAsUtf7WhenSet) {
  TWideSample sample(nullptr);
  sample.SetName("Sample");
  EXPECT_EQ(WriteComponentText(&sample).find("Mark_UTF7"), std::string::npos);
  sample.SetMark(L'\u65e5');
  const std::string text = WriteComponentText(&sample);
  EXPECT_NE(text.find("Mark_UTF7 = '+ZeU'"), std::string::npos) << text;
  TWideSample back(nullptr);
  ReadComponentFromText(&back, text, "Sample");
  EXPECT_EQ(back.GetMark(), L'\u65e5');
}

}  // namespace
