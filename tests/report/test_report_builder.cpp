#include "report/report_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "report/picture.h"
#include "report/rtf.h"
#include "tests/report/report_samples.h"

namespace kalvora {
namespace {

using test::CountOf;
using test::FooterLine;
using test::SampleInput;
using test::SetAllCodes;
using test::AllCodes;
using test::Codes;
using test::SplitLines;
using K = FactorKind;

std::string TextOf(const ReportInput& input) { return PlainText(BuildReportDocument(input)); }

// Texts of the bold red runs (the date heading and the factor headings), without their line break.
std::vector<std::string> Headings(const ReportDocument& document) {
    std::vector<std::string> headings;
    for (const ReportItem& item : document.items) {
        const auto* run = std::get_if<TextRun>(&item);
        if (run && run->style.bold && run->style.colour == PaletteColour::Red) {
            headings.push_back(run->text.substr(0, run->text.find("\r\n")));
        }
    }
    return headings;
}

TEST(ReportBuilder, RunsOfTheOpeningBlocksAndOneSection) {
    ReportInput input = SampleInput();
    input.codes[K::Tara] = 2;
    const ReportDocument document = BuildReportDocument(input);
    const std::string footer = FooterLine + "\r\n\r\n";
    const std::string tara(ReportSectionTexts()[0].favourable);
    const std::string_view good = RatingTextOf(Rating::Good).paragraph;

    struct Expected {
        std::string text;
        bool bold;
        PaletteColour colour;
    };
    const std::vector<Expected> expected = {
        {"\r\nKalvora Report\r\n\r\n", true, PaletteColour::LightBlue},
        {footer, false, PaletteColour::LightBlue},
        {"Marriage\r\n\r\n", true, PaletteColour::Blue},
        {"Chosen Muhurtha Date\r\n", true, PaletteColour::Red},
        {"March 5, 2010\r\n\r\n" + footer, false, PaletteColour::Black},
        {"Overall Effect of Muhurtha\r\nGood\r\n", true, PaletteColour::Magenta},
        {std::string(good) + "\r\n\r\n" + footer, false, PaletteColour::Magenta},
        {"Strength of Star (Tarabala)\r\n", true, PaletteColour::Red},
        {"Good\r\n", true, PaletteColour::Green},
        {std::string(tara) + "\r\n\r\n" + footer, false, PaletteColour::Black},
    };

    ASSERT_EQ(document.items.size(), expected.size() + 1);
    ASSERT_TRUE(std::holds_alternative<PictureItem>(document.items[0]));
    EXPECT_EQ(std::get<PictureItem>(document.items[0]).picture, ReportPicture());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("run " + std::to_string(i + 1));
        const auto* run = std::get_if<TextRun>(&document.items[i + 1]);
        ASSERT_NE(run, nullptr);
        EXPECT_EQ(run->text, expected[i].text);
        EXPECT_EQ(run->style.bold, expected[i].bold);
        EXPECT_EQ(run->style.colour, expected[i].colour);
        EXPECT_EQ(run->style.sizePt, 12);
    }
}

TEST(ReportBuilder, SectionsAppearInReportOrderForEachKindOfRuleSet) {
    struct Case {
        const char* name;
        FactorCodes codes;
        std::vector<std::string> headings;
    };
    const std::vector<Case> cases = {
        {"child ceremony (naming)",
         Codes({{K::Tara, 2}, {K::Moon, 1}, {K::Nakshatra, 2}, {K::Tithi, 1}, {K::Weekday, 2}, {K::Yoga, 1},
                {K::Karana, 2}}),
         {"Chosen Muhurtha Date", "Strength of Star (Tarabala)", "Strength of Moon (Chandrabala)", "Nakshatra: Rohini",
          "Tithi: Shukla Panchami", "Weekday: Friday", "Karana: Bava", "Birth Yogas"}},
        {"learning of a science",
         Codes({{K::Tara, 2}, {K::Moon, 2}, {K::Tithi, 2}, {K::Weekday, 1}, {K::Saraswati, 2}}),
         {"Chosen Muhurtha Date", "Strength of Star (Tarabala)", "Strength of Moon (Chandrabala)",
          "Tithi: Shukla Panchami", "Weekday: Friday", "Saraswati Yoga"}},
        {"domestic journey with Mrityu and Yamaghata",
         Codes({{K::Tara, 2}, {K::Moon, 2}, {K::Nakshatra, 2}, {K::Tithi, 2}, {K::Weekday, 2}, {K::Rashi, 2},
                {K::Siddha, 2}, {K::Sarvartha, 2}, {K::Tripushkar, 2}, {K::Amrita, 2}, {K::Mrityu, 1},
                {K::Yamaghata, 1}}),
         {"Chosen Muhurtha Date", "Strength of Star (Tarabala)", "Strength of Moon (Chandrabala)", "Nakshatra: Rohini",
          "Tithi: Shukla Panchami", "Weekday: Friday", "Rashi: Vrishabha", "Siddha Yoga", "Savartha Siddha Yoga",
          "Mrityu Yoga", "Yamaghata Yoga", "Tripushkar Yoga", "Amrita Siddhi Yoga"}},
        {"selling an item with its lagna",
         Codes({{K::Tara, 1}, {K::Moon, 2}, {K::Nakshatra, 2}, {K::Tithi, 2}, {K::Lagna, 1}}),
         {"Chosen Muhurtha Date", "Strength of Star (Tarabala)", "Strength of Moon (Chandrabala)", "Nakshatra: Rohini",
          "Tithi: Shukla Panchami", "Lagna: Kumbha"}},
        {"every factor",
         AllCodes(2),
         {"Chosen Muhurtha Date", "Strength of Star (Tarabala)", "Strength of Moon (Chandrabala)", "Nakshatra: Rohini",
          "Tithi: Shukla Panchami", "Weekday: Friday", "Hindu Months", "Lagna: Kumbha", "Rashi: Vrishabha",
          "Karana: Bava", "Birth Yogas", "Siddha Yoga", "Savartha Siddha Yoga", "Mrityu Yoga", "Daghda Yoga",
          "Yamaghata Yoga", "Tripushkar Yoga", "Dvipushkar Yoga", "Saraswati Yoga", "Amrita Siddhi Yoga"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ReportInput input = SampleInput();
        input.codes = c.codes;
        const ReportDocument document = BuildReportDocument(input);
        EXPECT_EQ(Headings(document), c.headings);
        EXPECT_EQ(CountOf(PlainText(document), FooterLine), c.headings.size() + 2);
    }
}

TEST(ReportBuilder, EachSectionShowsItsVerdictAndParagraphByCode) {
    // Code 1 is unfavourable; every other non-zero code reads as favourable.
    for (const ReportSectionText& section : ReportSectionTexts()) {
        for (const std::int16_t code : {1, 2, 3, -1}) {
            SCOPED_TRACE(std::string(section.heading) + " with code " + std::to_string(code));
            ReportInput input = SampleInput();
            input.rating = Rating::NotRated;
            input.codes[section.kind] = code;
            const std::vector<std::string> lines = SplitLines(TextOf(input));

            std::string heading(section.heading);
            if (section.name != nullptr) heading += input.muhurtha.*section.name;
            const std::string_view paragraph = code == 1 ? section.unfavourable : section.favourable;
            const std::vector<std::string> tail = {heading, code == 1 ? "Bad" : "Good", std::string(paragraph), "",
                                                   FooterLine, "", ""};
            ASSERT_GE(lines.size(), tail.size());
            EXPECT_EQ(std::vector<std::string>(lines.end() - static_cast<long>(tail.size()), lines.end()), tail);
        }
    }
}

TEST(ReportBuilder, AFactorWithCodeZeroLeavesNoTrace) {
    for (const ReportSectionText& section : ReportSectionTexts()) {
        SCOPED_TRACE(section.heading);
        ReportInput input = SampleInput();
        SetAllCodes(input, 2);
        const std::string full = TextOf(input);
        input.codes[section.kind] = 0;
        const std::string text = TextOf(input);

        std::string heading(section.heading);
        if (section.name != nullptr) heading += input.muhurtha.*section.name;
        const std::vector<std::string> lines = SplitLines(text);
        EXPECT_EQ(std::count(lines.begin(), lines.end(), heading), 0);
        EXPECT_EQ(CountOf(text, FooterLine), CountOf(full, FooterLine) - 1);
        EXPECT_EQ(CountOf(text, "Good\r\n"), CountOf(full, "Good\r\n") - 1);
        if (!section.favourable.empty()) {
            EXPECT_EQ(CountOf(text, std::string(section.favourable)), 0u);
        }
    }
}

TEST(ReportBuilder, EmptyParagraphKeepsItsTwoLineBreaks) {
    ReportInput input = SampleInput();
    input.codes[K::Sarvartha] = 1;
    const std::string text = TextOf(input);
    EXPECT_NE(text.find("Savartha Siddha Yoga\r\nBad\r\n\r\n\r\n" + FooterLine + "\r\n\r\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - FooterLine.size() - 4), FooterLine + "\r\n\r\n");
}

TEST(ReportBuilder, DateLine) {
    struct Case {
        int day, month, year;
        std::string text;
    };
    const std::vector<Case> cases = {
        {5, 3, 2010, "March 5, 2010"},
        {1, 1, 1901, "January 1, 1901"},
        {31, 12, 2099, "December 31, 2099"},
        {9, 0, 2000, " 9, 2000"},   // months outside 1..12 have no name
        {9, 13, 2000, " 9, 2000"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReportDateText(c.day, c.month, c.year), c.text) << c.day << "." << c.month << "." << c.year;
    }
    const std::vector<std::string> lines = SplitLines(TextOf(SampleInput()));
    const auto at = std::find(lines.begin(), lines.end(), "Chosen Muhurtha Date");
    ASSERT_NE(at, lines.end());
    EXPECT_EQ(*(at + 1), "March 5, 2010");
}

TEST(ReportBuilder, OverallEffectFollowsTheRating) {
    struct Case {
        Rating rating;
        std::string word;
    };
    const std::vector<Case> cases = {{Rating::Bad, "Bad"}, {Rating::Good, "Good"}, {Rating::Average, "Average"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        ReportInput input = SampleInput();
        input.rating = c.rating;
        const std::vector<std::string> lines = SplitLines(TextOf(input));
        const auto at = std::find(lines.begin(), lines.end(), "Overall Effect of Muhurtha");
        ASSERT_NE(at, lines.end());
        EXPECT_EQ(*(at + 1), c.word);
        EXPECT_EQ(*(at + 2), RatingTextOf(c.rating).paragraph);
        EXPECT_EQ(*(at + 4), FooterLine);
    }
}

TEST(ReportBuilder, UnratedReportHasNoDateAndNoOverallEffect) {
    ReportInput input = SampleInput();
    input.rating = Rating::NotRated;
    input.codes[K::Tithi] = 1;
    const std::vector<std::string> lines = SplitLines(TextOf(input));
    const std::vector<std::string> expected = {
        "", "Kalvora Report", "", FooterLine, "", "Marriage", "", "Tithi: Shukla Panchami", "Bad",
        std::string(ReportSectionTexts()[3].unfavourable), "", FooterLine, "", ""};
    EXPECT_EQ(lines, expected);
}

TEST(ReportBuilder, StoppedEvaluationGivesOnlyItsMessageInBold) {
    ReportInput input = SampleInput();
    SetAllCodes(input, 2);
    input.stopped = true;
    input.stopMessage = "Your Muhurtha Date is more than Your Birth Date. Please check.";
    const ReportDocument document = BuildReportDocument(input);
    ASSERT_EQ(document.items.size(), 1u);
    const TextRun& run = std::get<TextRun>(document.items[0]);
    EXPECT_EQ(run.text, input.stopMessage);
    EXPECT_TRUE(run.style.bold);
    EXPECT_EQ(run.style.sizePt, 12);
}

TEST(ReportBuilder, BuildingReplacesWhatTheWriterHeld) {
    DocumentWriter writer;
    writer.InsertText("left over", TextStyle{});
    BuildReport(SampleInput(), writer);
    EXPECT_EQ(writer.Document(), BuildReportDocument(SampleInput()));
}

TEST(ReportBuilder, EachSectionReadsItsOwnCode) {
    // The section each factor kind's code brings into the report (the journey kinds' flags included).
    struct Case {
        FactorKind kind;
        std::string heading;
    };
    const std::vector<Case> cases = {
        {K::Tara, "Strength of Star (Tarabala)"}, {K::Moon, "Strength of Moon (Chandrabala)"},
        {K::Nakshatra, "Nakshatra: Rohini"}, {K::Tithi, "Tithi: Shukla Panchami"}, {K::Weekday, "Weekday: Friday"},
        {K::Rashi, "Rashi: Vrishabha"}, {K::Karana, "Karana: Bava"}, {K::Yoga, "Birth Yogas"},
        {K::Siddha, "Siddha Yoga"}, {K::Sarvartha, "Savartha Siddha Yoga"}, {K::Tripushkar, "Tripushkar Yoga"},
        {K::Amrita, "Amrita Siddhi Yoga"}, {K::LunarMonth, "Hindu Months"}, {K::Lagna, "Lagna: Kumbha"},
        {K::Dvipushkar, "Dvipushkar Yoga"}, {K::Saraswati, "Saraswati Yoga"}, {K::Mrityu, "Mrityu Yoga"},
        {K::Dagdha, "Daghda Yoga"}, {K::Yamaghata, "Yamaghata Yoga"},
    };
    ASSERT_EQ(cases.size(), FactorKindCount);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.heading);
        ReportInput input = SampleInput();
        input.rating = Rating::NotRated;
        input.codes[c.kind] = 7;
        EXPECT_EQ(Headings(BuildReportDocument(input)), std::vector<std::string>{c.heading});
    }
}

TEST(ReportBuilder, InputFromAnEvaluation) {
    EvaluationInput in;
    in.subject = "Sell Item";
    in.muhurtha = test::SampleMuhurtha();
    in.muhurthaDay = 17, in.muhurthaMonth = 8, in.muhurthaYear = 2024;
    Evaluation ev;
    ev.rating = Rating::Average;
    ev.codes[K::Lagna] = 1;
    ev.codes[K::Dagdha] = 1;
    ev.stopped = true;
    ev.message = "stopped";

    const ReportInput report = MakeReportInput(ev, in);
    EXPECT_EQ(report.subject, "Sell Item");
    EXPECT_EQ(report.muhurtha, in.muhurtha);
    EXPECT_EQ(report.muhurthaDay, 17);
    EXPECT_EQ(report.muhurthaMonth, 8);
    EXPECT_EQ(report.muhurthaYear, 2024);
    EXPECT_EQ(report.rating, Rating::Average);
    EXPECT_EQ(report.codes, ev.codes);
    EXPECT_TRUE(report.stopped);
    EXPECT_EQ(report.stopMessage, "stopped");
}

// A hand-made appendix: a part with labels of different lengths and a part holding a table row and a sentence.
ReportAppendix SmallAppendix() {
    return {{{"For Whom", {{"Name", "Asha"}, {"Date of birth", "August 15, 1995"}}},
             {"The Day", {{"", "Sun     Kataka"}, {"Sunrise", "07:07"}}}}};
}

// Several people: each person's heading, rating, factors and bala in their order, then the combined verdict; a
// stopped combined verdict is the whole report, as a stopped evaluation is.
TEST(ReportBuilder, SeveralPeopleGetASectionEachThenTheCombinedVerdict) {
    ReportInput input = SampleInput();
    input.rating = Rating::Good;
    ReportPerson asha{"Asha (bride)", Rating::Good, Codes({{K::Tara, 2}}), false, "", "Guru bala: Jupiter - good"};
    ReportPerson ravi{"Ravi (groom)", Rating::Bad, Codes({{K::Tara, 1}, {K::Moon, 1}}), false, "", ""};
    input.people = {asha, ravi};
    input.combined = CombinedVerdict{Rating::Bad, false, {"Ravi"}, "Ravi is rated Bad."};
    const std::string text = TextOf(input);
    const std::vector<std::string> order = {"Chosen Muhurtha Date", "Asha (bride)", "Overall Effect of Muhurtha for Asha",
                                            "Guru bala: Jupiter - good", "Ravi (groom)", "Combined Verdict\r\nBad",
                                            "Decided by: Ravi\r\nRavi is rated Bad."};
    std::size_t at = 0;
    for (const std::string& part : order) {
        const std::size_t found = text.find(part, at);
        ASSERT_NE(found, std::string::npos) << part;
        at = found + part.size();
    }
    EXPECT_EQ(CountOf(text, "Chosen Muhurtha Date"), 1u);
    // Each person's factors: Asha's one section, Ravi's two.
    EXPECT_EQ(Headings(BuildReportDocument(input)).size(), 1u + 1u + 2u);

    input.combined = CombinedVerdict{Rating::NotRated, true, {"Ravi"}, "The evaluation for Ravi stopped: too early."};
    EXPECT_EQ(TextOf(input), "The evaluation for Ravi stopped: too early.");
}

TEST(ReportAppendix, TheBuilderWritesItAfterTheUnchangedReportInColumns) {
    ReportInput input = SampleInput();
    SetAllCodes(input, 2);
    const ReportDocument before = BuildReportDocument(input);
    input.appendix = SmallAppendix();
    const ReportDocument after = BuildReportDocument(input);

    ASSERT_GT(after.items.size(), before.items.size());
    // Byte for byte the report it was, then the appendix.
    EXPECT_TRUE(std::equal(before.items.begin(), before.items.end(), after.items.begin()));
    const std::string added = PlainText(after).substr(PlainText(before).size());
    EXPECT_EQ(added,
              "Details of the Calculation\r\n\r\n"
              "For Whom\r\n"
              "Name           Asha\r\n"
              "Date of birth  August 15, 1995\r\n\r\n"
              "The Day\r\n"
              "Sun     Kataka\r\n"
              "Sunrise  07:07");
    // Rows in the fixed-pitch font at their own size; headings in the report's.
    for (auto item = after.items.begin() + static_cast<std::ptrdiff_t>(before.items.size());
         item != after.items.end(); ++item) {
        const TextRun& run = std::get<TextRun>(*item);
        EXPECT_EQ(run.style.fixedPitch, !run.style.bold) << run.text;
        EXPECT_EQ(run.style.sizePt, run.style.fixedPitch ? AppendixRowSizePt : ReportTextSizePt) << run.text;
    }

    // The RTF of the report without an appendix names no fixed-pitch font; with one it does.
    EXPECT_EQ(ReportToRtf(before).find("\\f1"), std::string::npos);
    EXPECT_NE(ReportToRtf(after).find("{\\f1\\fmodern\\fcharset0 Courier New;}"), std::string::npos);

    // A stopped evaluation's report stays its message alone.
    input.stopped = true;
    input.stopMessage = std::string(DateOrderMessage);
    EXPECT_EQ(PlainText(BuildReportDocument(input)), input.stopMessage);
}

}  // namespace
}  // namespace kalvora
