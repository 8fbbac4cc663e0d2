#include "report/report_texts.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kalvora {
namespace {

// Headings, opening words and lengths in characters of every explanatory paragraph, as the report must show
// them; an empty opening with length 0 is a paragraph that shows nothing.
struct ExpectedSection {
    const char* heading;
    const char* unfavourableOpening;
    std::size_t unfavourableLength;
    const char* favourableOpening;
    std::size_t favourableLength;
};

const std::vector<ExpectedSection> Expected = {
    {"Strength of Star (Tarabala)",
     "Under the malefic effects of Tarabala, prime importance should be laid on the native's health.", 252,
     "Under the favorable effects of Tarabala, the native will be wealth and will experience all sorts of enjoyments",
     263},
    {"Strength of Moon (Chandrabala)",
     "Under the unfavorable effects of Chandrabala, the native will be devoid of mental strength and longevity.", 224,
     "The Moon (Chandra) is said to be the Queen of the solar family.", 394},
    {"Nakshatra: ",
     "Just like the effects of auspicious nakshatras, the adverse effects of the inauspicious nakshatras also need to "
     "be taken into consideration.",
     390, "Nakshatras and muhurthas are closely interrelated.", 315},
    {"Tithi: ", "Inauspicious Tithi brings about all kind of financial as well as personal losses.", 255,
     "Time the most powerful factor in the accomplishment of any work.", 291},
    {"Weekday: ", "Works started on the inauspicious days never yield good and beneficial results.", 384,
     "It is very important to consider the day of the week before starting off any new venture or business or any "
     "work.",
     370},
    {"Hindu Months",
     "All kind of ventures and undertakings during the inauspicious Hindu months bring about great hardships in the "
     "life of the person concerned.",
     380,
     "New works or undertakings during the auspicious Hindu months bring about unprecedented benefits to the person "
     "concerned.",
     280},
    {"Lagna: ",
     "Under the unfavorable effects of lagnas, the native is liable to suffer from financial as well as personal "
     "losses.",
     333,
     "People under the strong influence of the birth ascendant or the lagnas are generally very quick and direct.",
     257},
    {"Rashi: ",
     "The malefic effects produced by the combination of the different planets result in a number of obstacles and "
     "hindrances in your path to success.",
     244,
     "Rashi or the zodiac astrology plays an important role in selecting the most auspicious time for starting off "
     "new works and ventures.",
     373},
    {"Karana: ", "Under the effect of the inauspicious karanas, no good work or rituals should be performed.", 391,
     "Karana is an important component of muhurtha which is very often neglected in actual practice.", 349},
    {"Birth Yogas",
     "Under the effects of unfavorable birth yogas, nothing seems to work smooth and fine for the native.", 365,
     "Under the effects of favorable birth yoga, the native is known to excel in all works related to the field of "
     "commerce and communication.",
     363},
    {"Siddha Yoga",
     "Under the unfavorable effects of this particular yoga, it is advisable to avoid all kind of auspicious works",
     178, "Siddha Yoga is one of the most benefic yoga.", 298},
    {"Savartha Siddha Yoga", "", 0, "As the name implies, this Yoga is favorable under all circumstances.", 347},
    {"Mrityu Yoga", "As the name itself implies, Mrityu Yoga is an inauspicious yoga in itself.", 290, "", 0},
    {"Daghda Yoga", "Daghda Yoga is an inauspicious yoga in itself.", 178, "", 0},
    {"Yamaghata Yoga", "Like the Mrityu and the Daghda, the Yamaghata yoga is also a malefic yoga in itself.", 286,
     "", 0},
    {"Tripushkar Yoga", "", 0,
     "Under the favorable effects of this yoga, the native is likely to inherit ancestral property and wealth.", 268},
    {"Dvipushkar Yoga", "The effects of this yoga will have a tendency to repeat itself twice.", 177, "", 0},
    {"Saraswati Yoga",
     "Under the unfavorable effects of Saraswati yoga, it is advisable to avoid all kind of auspicious works", 172,
     "Under the favorable effects of this particular yoga, the native is free to go ahead and take up all kinds work "
     "and ventures related to education",
     280},
    {"Amrita Siddhi Yoga", "", 0,
     "After the Siddha yoga, the Amrita Siddhi yoga is the next most auspicious yoga.", 245},
};

// A paragraph of plain sentences: ASCII only, single spaces, ending with a full stop.
void ExpectTidyProse(std::string_view text) {
    EXPECT_TRUE(std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7F; })) << text;
    EXPECT_EQ(text.find("  "), std::string_view::npos) << text;
    EXPECT_EQ(text.back(), '.') << text;
}

void ExpectParagraph(std::string_view text, std::string_view opening, std::size_t length) {
    EXPECT_TRUE(text.starts_with(opening)) << "begins: " << text.substr(0, opening.size()) << "\nwanted: " << opening;
    EXPECT_EQ(text.size(), length) << text;
    if (length > 0) ExpectTidyProse(text);
}

TEST(ReportTexts, SectionHeadingsOpeningsAndLengths) {
    const auto sections = ReportSectionTexts();
    ASSERT_EQ(sections.size(), Expected.size());
    for (std::size_t i = 0; i < sections.size(); ++i) {
        SCOPED_TRACE(Expected[i].heading);
        EXPECT_EQ(sections[i].heading, Expected[i].heading);
        ExpectParagraph(sections[i].unfavourable, Expected[i].unfavourableOpening, Expected[i].unfavourableLength);
        ExpectParagraph(sections[i].favourable, Expected[i].favourableOpening, Expected[i].favourableLength);
    }
}

TEST(ReportTexts, HeadingsEndingInAColonNameTheMuhurthaDetail) {
    struct Case {
        const char* heading;
        const std::string MomentDetails::*name;
    };
    const std::vector<Case> cases = {
        {"Nakshatra: ", &MomentDetails::nakshatra}, {"Tithi: ", &MomentDetails::tithi},
        {"Weekday: ", &MomentDetails::vaar},        {"Lagna: ", &MomentDetails::lagna},
        {"Rashi: ", &MomentDetails::rashi},         {"Karana: ", &MomentDetails::karana},
    };
    for (const ReportSectionText& section : ReportSectionTexts()) {
        const auto c = std::find_if(cases.begin(), cases.end(),
                                    [&](const Case& k) { return section.heading == k.heading; });
        SCOPED_TRACE(section.heading);
        EXPECT_EQ(section.heading.ends_with(": "), c != cases.end());
        EXPECT_EQ(section.name, c == cases.end() ? nullptr : c->name);
    }
}

TEST(ReportTexts, OverallEffectOfEachRating) {
    struct Case {
        Rating rating;
        const char* word;
        const char* opening;
        std::size_t length;
    };
    const std::vector<Case> cases = {
        {Rating::Bad, "Bad",
         "Bad Muhurthas are the inauspicious moments. It reflects the ill disposed effects of time over certain events.",
         376},
        {Rating::Good, "Good",
         "Muhurtha means auspicious. Good muhurtha helps us in determining when exactly the influences of time on a "
         "certain event are well disposed.",
         341},
        {Rating::Average, "Average",
         "Under the average effects of Muhurtha, you will find yourself in quite a stable position.", 306},
    };
    ASSERT_EQ(RatingTexts().size(), cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].word);
        EXPECT_EQ(RatingTexts()[i].rating, cases[i].rating);
        EXPECT_EQ(RatingWord(cases[i].rating), cases[i].word);
        ExpectParagraph(RatingTextOf(cases[i].rating).paragraph, cases[i].opening, cases[i].length);
    }
    EXPECT_EQ(RatingTextOf(Rating::NotRated).rating, Rating::Average);
}

}  // namespace
}  // namespace kalvora
