// PickFont through the font dialog seam: the records it builds and what it
// makes of a choice.
#include <gtest/gtest.h>

#include <optional>
#include <thread>

#include "dialogs/common_dialog.h"
#include "platform/commdlg.h"
#include "platform/winapi_misc.h"

namespace {

const Text kSongTi = "\xCB\xCE\xCC\xE5";  // 宋体

struct SeenFont {
  CHOOSEFONTA record{};
  LOGFONTA font{};
};

// Records the call and answers with the given choice (nothing: cancel).
class FontAnswer {
 public:
  explicit FontAnswer(std::optional<commdlg::FontChoice> choice = std::nullopt)
      : guard_([this, choice](const CHOOSEFONTA& record) {
          seen_.emplace_back();
          seen_.back().record = record;
          seen_.back().font = *record.lpLogFont;
          return choice;
        }) {}
  const SeenFont& Last() const { return seen_.back(); }
  std::size_t Count() const { return seen_.size(); }

 private:
  std::vector<SeenFont> seen_;
  commdlg::ScopedFontAnswerer guard_;
};

void ExpectStartingValue(const FontInfo& font) {
  EXPECT_EQ(font.m_faceName, kSongTi);
  EXPECT_EQ(font.m_size, 9);
  EXPECT_EQ(font.m_angle, 0);
  EXPECT_EQ(font.m_bold, 0);
  EXPECT_EQ(font.m_italic, 0);
  EXPECT_EQ(font.m_strikeOut, 0);
  EXPECT_EQ(font.m_underline, 0);
}

TEST(PickFontRecord, IsBuiltFromTheArguments) {
  screen_seam::ScopedLogPixels dpi(96);
  FontAnswer answer;
  Text face = "\xBA\xDA\xCC\xE5";  // 黑体
  std::thread worker([&] { CommonDialog().PickFont(face, 12, 0x00123456, true, true, true, true); });
  worker.join();

  const CHOOSEFONTA& record = answer.Last().record;
  EXPECT_EQ(record.lStructSize, 60u);
  EXPECT_EQ(record.hwndOwner, nullptr);
  EXPECT_EQ(record.Flags, 0x12143u);
  EXPECT_EQ(record.rgbColors, 0x00123456u);
  EXPECT_EQ(record.nSizeMin, 8);
  EXPECT_EQ(record.nSizeMax, 72);
  const LOGFONTA& font = answer.Last().font;
  EXPECT_STREQ(font.lfFaceName, face.c_str());
  EXPECT_EQ(font.lfHeight, -16);
  EXPECT_EQ(font.lfWeight, 700);
  EXPECT_EQ(font.lfItalic, 1);
  EXPECT_EQ(font.lfStrikeOut, 1);
  EXPECT_EQ(font.lfUnderline, 1);
  EXPECT_EQ(font.lfCharSet, 1);
  EXPECT_EQ(font.lfWidth, 0);
  EXPECT_EQ(font.lfEscapement, 0);
  EXPECT_EQ(font.lfOrientation, 0);
}

TEST(PickFontRecord, OmittedArgumentsGiveAPlainEmptyFont) {
  FontAnswer answer;
  CommonDialog().PickFont({}, {}, {}, false);
  const LOGFONTA& font = answer.Last().font;
  EXPECT_STREQ(font.lfFaceName, "");
  EXPECT_EQ(font.lfHeight, 0);
  EXPECT_EQ(font.lfWeight, 400);
  EXPECT_EQ(font.lfItalic + font.lfStrikeOut + font.lfUnderline, 0);
  EXPECT_EQ(answer.Last().record.rgbColors, 0u);
}

struct HeightCase {
  int dotsPerInch;
  std::optional<int> size;
  LONG height;
};

class Height : public testing::TestWithParam<HeightCase> {};

TEST_P(Height, IsTheSizeInPixelsOfTheScreen) {
  screen_seam::ScopedLogPixels dpi(GetParam().dotsPerInch);
  FontAnswer answer;
  CommonDialog().PickFont({}, GetParam().size);
  EXPECT_EQ(answer.Last().font.lfHeight, GetParam().height);
}

INSTANTIATE_TEST_SUITE_P(Sizes, Height,
                         testing::Values(HeightCase{96, 12, -16}, HeightCase{120, 12, -20},
                                         HeightCase{96, std::nullopt, 0}, HeightCase{96, 9, -12},
                                         HeightCase{120, 9, -15}, HeightCase{144, 10, -20}));

TEST(PickFontRecord, ALongFaceNameIsCutAtACharactersEnd) {
  FontAnswer answer;
  Text ascii(40, 'x');
  CommonDialog().PickFont(ascii);
  EXPECT_EQ(Text(answer.Last().font.lfFaceName), Text(31, 'x'));

  Text chinese;
  for (int i = 0; i < 16; ++i) chinese += "\xCB\xCE";  // 32 bytes: the 16th does not fit
  CommonDialog().PickFont(chinese);
  EXPECT_EQ(Text(answer.Last().font.lfFaceName), chinese.substr(0, 30));
}

struct ChoiceCase {
  const char* name;
  commdlg::FontChoice choice;
  int size;
  int bold;
};

class Choice : public testing::TestWithParam<ChoiceCase> {};

TEST_P(Choice, GivesSizeInWholePointsAndBoldOnlyAtSevenHundred) {
  FontAnswer answer(GetParam().choice);
  FontInfo font = CommonDialog().PickFont();
  EXPECT_EQ(font.m_faceName, GetParam().choice.faceName);
  EXPECT_EQ(font.m_size, GetParam().size);
  EXPECT_EQ(font.m_bold, GetParam().bold);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, Choice,
    testing::Values(ChoiceCase{"TenAndAHalfPoints", {"Serif", 105}, 10, 0},
                    ChoiceCase{"TwelvePoints", {"Serif", 120}, 12, 0},
                    ChoiceCase{"WeightSixHundred", {"Serif", 120, 600}, 12, 0},
                    ChoiceCase{"WeightSevenHundred", {"Serif", 120, 700}, 12, 1},
                    ChoiceCase{"WeightNineHundred", {"Serif", 120, 900}, 12, 0},
                    ChoiceCase{"SmallestOffered", {"Serif", 80}, 8, 0},
                    ChoiceCase{"LargestOffered", {"Serif", 720}, 72, 0}),
    [](const testing::TestParamInfo<ChoiceCase>& info) { return std::string(info.param.name); });

TEST(PickFontChoice, CarriesTheEffectsButNotTheColour) {
  commdlg::FontChoice choice{"Serif", 140, 400, true, true, true};
  choice.color = 0x0000FF;
  FontAnswer answer(choice);
  FontInfo font = CommonDialog().PickFont({}, {}, 0x00FF00);
  EXPECT_EQ(font.m_italic, 1);
  EXPECT_EQ(font.m_underline, 1);
  EXPECT_EQ(font.m_strikeOut, 1);
  EXPECT_EQ(font.m_angle, 0);
}

TEST(PickFontChoice, CancelGivesTheStartingValueWhateverWasAsked) {
  FontAnswer answer;
  ExpectStartingValue(CommonDialog().PickFont(Text("Serif"), 20, 0xFF, true, true, true, true));
  ExpectStartingValue(CommonDialog().PickFont());
  EXPECT_EQ(answer.Count(), 2u);
}

TEST(PickFontChoice, ASizeOutsideTheOfferedRangeIsNoChoice) {
  for (int tenths : {75, 725}) {
    FontAnswer answer(commdlg::FontChoice{"Serif", tenths});
    ExpectStartingValue(CommonDialog().PickFont());
  }
}

TEST(ChooseFont, WritesTheChoiceBackIntoTheRecord) {
  screen_seam::ScopedLogPixels dpi(96);
  commdlg::FontChoice choice{"Serif", 105, 600, true};
  choice.color = 0x00ABCDEF;
  FontAnswer answer(choice);
  LOGFONTA font{};
  font.lfEscapement = 450;
  CHOOSEFONTA record{};
  record.lStructSize = CHOOSEFONT_SIZE;
  record.lpLogFont = &font;
  record.Flags = CF_EFFECTS;
  ASSERT_EQ(ChooseFontA(&record), TRUE);
  EXPECT_STREQ(font.lfFaceName, "Serif");
  EXPECT_EQ(font.lfHeight, -14);  // 10.5 points at 96 dots per inch
  EXPECT_EQ(font.lfWeight, 600);
  EXPECT_EQ(font.lfItalic, 1);
  EXPECT_EQ(font.lfEscapement, 450);  // the dialog offers no angle
  EXPECT_EQ(record.iPointSize, 105);
  EXPECT_EQ(record.rgbColors, 0x00ABCDEFu);
}

TEST(ChooseFont, RefusesABadRecordWithoutAsking) {
  FontAnswer answer(commdlg::FontChoice{"Serif", 100});
  LOGFONTA font{};
  CHOOSEFONTA record{};
  record.lStructSize = 64;
  record.lpLogFont = &font;
  EXPECT_EQ(ChooseFontA(&record), FALSE);
  record.lStructSize = CHOOSEFONT_SIZE;
  record.lpLogFont = nullptr;
  EXPECT_EQ(ChooseFontA(&record), FALSE);
  EXPECT_EQ(ChooseFontA(nullptr), FALSE);
  EXPECT_EQ(answer.Count(), 0u);
}

}  // namespace
