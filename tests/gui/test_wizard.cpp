// The whole wizard, from the subject to the three result tabs, compared with the headless calculation of the
// same inputs.

#include <array>
#include <string>

#include <QPushButton>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTreeWidget>

#include "astro/calendar.h"
#include "tests/gui/window_fixture.h"

namespace kalvora::test {
namespace {

struct ExpectedZone {
    int hours, minutes;
    bool east;
};

struct WizardCase {
    const char* label;
    const char* subject;
    const char* name;
    bool female;
    MomentEntry muhurtha;
    ExpectedZone muhurthaZone;
    const char* muhurthaWeekday;  // what the weekday box shows for the muhurtha date
    const char* muhurthaDate;     // as the details panels show them
    const char* muhurthaTime;
    const char* muhurthaPlace;
    MomentEntry birth;
    ExpectedZone birthZone;
    const char* birthDate;
    const char* birthTime;
    const char* birthPlace;
};

// Zone rows of the picker: 8 AEST +10.0, 16 BST +1.0, 24 EDT -4.0, 27 EST -5.0, 29 GMT, 34 IST +5.3, 50 NST -3.5.
const WizardCase Cases[] = {
    {"MarriageDelhi", "Marriage", "Asha", true,
     {"December", 10, 2026, 10, 30, 15, "28", "39", false, "77", "13", false, 34, false, "New Delhi", "Delhi", "India"},
     {5, 30, true}, "Thursday", "December 10 2026 MM:DD:YYYY", "10 30 HH:MM", "New Delhi Delhi India",
     {"August", 15, 1995, 6, 45, 0, "19", "4", false, "72", "52", false, 34, false, "Mumbai", "Maharashtra", "India"},
     {5, 30, true}, "August 15 1995 MM:DD:YYYY", "6 45 HH:MM", "Mumbai Maharashtra India"},
    {"SellItemNewYork", "Sell Item", "Ravi Kumar", false,
     {"March", 3, 2025, 14, 5, 0, "40", "43", false, "74", "0", true, 27, false, "New York", "NY", "USA"},
     {5, 0, false}, "Monday", "March 3 2025 MM:DD:YYYY", "14 5 HH:MM", "New York NY USA",
     {"July", 4, 1980, 23, 59, 59, "40", "43", false, "74", "0", true, 24, true, "", "NY", "USA"},
     {4, 0, false}, "July 4 1980 MM:DD:YYYY", "23 59 HH:MM", " NY USA"},
    {"NamingSydney", "Naming of The Child or Namakarana", "Baby Iyer", false,
     {"February", 29, 2024, 7, 0, 0, "33", "52", true, "151", "12", false, 8, false, "Sydney", "NSW", "Australia"},
     {10, 0, true}, "Thursday", "February 29 2024 MM:DD:YYYY", "7 0 HH:MM", "Sydney NSW Australia",
     {"January", 20, 2024, 0, 0, 0, "33", "52", true, "151", "12", false, 8, false, "Sydney", "NSW", "Australia"},
     {10, 0, true}, "January 20 2024 MM:DD:YYYY", "0 0 HH:MM", "Sydney NSW Australia"},
    {"ForeignJourneyLondon", "Foreign Journey", "Meera", true,
     {"June", 21, 2030, 5, 15, 0, "51", "30", false, "0", "7", true, 16, true, "London", "England", "UK"},
     {1, 0, true}, "Friday", "June 21 2030 MM:DD:YYYY", "5 15 HH:MM", "London England UK",
     {"November", 30, 1962, 12, 0, 0, "47", "34", false, "52", "43", true, 50, false, "St. John's", "NL", "Canada"},
     {3, 30, false}, "November 30 1962 MM:DD:YYYY", "12 0 HH:MM", "St. John's NL Canada"},
    {"MuhurthaYearBeforeBirth", "Legal", "Arjun", false,
     {"May", 1, 2009, 9, 0, 0, "13", "5", false, "80", "17", false, 34, false, "Chennai", "Tamil Nadu", "India"},
     {5, 30, true}, "Friday", "May 1 2009 MM:DD:YYYY", "9 0 HH:MM", "Chennai Tamil Nadu India",
     {"January", 1, 2010, 9, 0, 0, "13", "5", false, "80", "17", false, 34, false, "Chennai", "Tamil Nadu", "India"},
     {5, 30, true}, "January 1 2010 MM:DD:YYYY", "9 0 HH:MM", "Chennai Tamil Nadu India"},
};

void PrintTo(const WizardCase& c, std::ostream* os) { *os << c.label; }

MomentInput ExpectedMoment(const MomentEntry& e, const ExpectedZone& zone) {
    MomentInput in;
    for (int month = 1; month <= 12; ++month) {
        if (MonthName(month) == e.month) in.month = static_cast<std::int16_t>(month);
    }
    in.day = static_cast<std::int16_t>(e.day);
    in.year = static_cast<std::int16_t>(e.year);
    in.hour = static_cast<std::int16_t>(e.hour);
    in.minute = static_cast<std::int16_t>(e.minute);
    in.zone.hours = static_cast<std::int16_t>(zone.hours);
    in.zone.minutes = static_cast<std::int16_t>(zone.minutes);
    in.zone.isEast = zone.east;
    in.place.latitudeDegrees = static_cast<std::int16_t>(std::stoi(e.degreeLat));
    in.place.latitudeMinutes = static_cast<std::int16_t>(std::stoi(e.minuteLat));
    in.place.longitudeDegrees = static_cast<std::int16_t>(std::stoi(e.degreeLong));
    in.place.longitudeMinutes = static_cast<std::int16_t>(std::stoi(e.minuteLong));
    in.place.isEast = !e.west;
    in.place.isSouth = e.south;
    in.zone.isDst = e.dst;
    return in;
}

void ExpectSameMoment(const MomentInput& actual, const MomentInput& expected, const char* which) {
    SCOPED_TRACE(which);
    EXPECT_EQ(actual.month, expected.month);
    EXPECT_EQ(actual.day, expected.day);
    EXPECT_EQ(actual.year, expected.year);
    EXPECT_EQ(actual.hour, expected.hour);
    EXPECT_EQ(actual.minute, expected.minute);
    EXPECT_EQ(actual.zone.hours, expected.zone.hours);
    EXPECT_EQ(actual.zone.minutes, expected.zone.minutes);
    EXPECT_EQ(actual.zone.isEast, expected.zone.isEast);
    EXPECT_EQ(actual.place.latitudeDegrees, expected.place.latitudeDegrees);
    EXPECT_EQ(actual.place.latitudeMinutes, expected.place.latitudeMinutes);
    EXPECT_EQ(actual.place.longitudeDegrees, expected.place.longitudeDegrees);
    EXPECT_EQ(actual.place.longitudeMinutes, expected.place.longitudeMinutes);
    EXPECT_EQ(actual.place.isEast, expected.place.isEast);
    EXPECT_EQ(actual.place.isSouth, expected.place.isSouth);
    EXPECT_EQ(actual.zone.isDst, expected.zone.isDst);
}

QString Q(const std::string& s) { return QString::fromStdString(s); }

class WizardTest : public WindowTest, public ::testing::WithParamInterface<WizardCase> {
protected:
    void RunWizard(const WizardCase& c) {
        RunToResults(QString::fromLatin1(c.subject), QString::fromLatin1(c.name), c.female, c.muhurtha, c.birth);
    }

    CalculationInput ExpectedInput(const WizardCase& c) const {
        CalculationInput in;
        in.birth = ExpectedMoment(c.birth, c.birthZone);
        in.muhurtha = ExpectedMoment(c.muhurtha, c.muhurthaZone);
        in.subject = c.subject;
        in.personName = c.name;
        in.personSex = c.female ? "Female" : "Male";
        in.muhurthaWeekdayBox = c.muhurthaWeekday;
        return in;
    }

    void ExpectPanelsShow(const WizardCase& c, const Calculation& expected) {
        const QString name = QString::fromLatin1(c.name);
        const std::array<QString, 4> birthTexts = {name, QString::fromLatin1(c.birthDate),
                                                   QString::fromLatin1(c.birthTime), QString::fromLatin1(c.birthPlace)};
        const std::array<QString, 4> muhurthaTexts = {name, QString::fromLatin1(c.muhurthaDate),
                                                      QString::fromLatin1(c.muhurthaTime),
                                                      QString::fromLatin1(c.muhurthaPlace)};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(Text(QStringLiteral("lblResultBirth%1").arg(i)), birthTexts[static_cast<std::size_t>(i)]) << i;
            EXPECT_EQ(Text(QStringLiteral("lblMuhurthaDetails%1").arg(9 + i)), muhurthaTexts[static_cast<std::size_t>(i)])
                << i;
        }
        for (int slot = 0; slot < MomentDetails::SlotCount; ++slot) {
            EXPECT_EQ(Text(QStringLiteral("lblResultBirth%1").arg(4 + slot)), Q(expected.birth.details.Slot(slot)))
                << "birth slot " << slot;
            EXPECT_EQ(Text(QStringLiteral("lblMuhurthaDetails%1").arg(slot)), Q(expected.muhurtha.details.Slot(slot)))
                << "muhurtha slot " << slot;
        }

        const auto* report = Find<QTextBrowser>(QStringLiteral("RTB"));
        const auto& evaluation = expected.evaluation;
        if (evaluation && evaluation->stopped) {
            EXPECT_EQ(Text(QStringLiteral("lblResult")), QString());
            EXPECT_EQ(report->toPlainText(), Q(evaluation->message));
            const QTextCharFormat format = report->document()->firstBlock().begin().fragment().charFormat();
            EXPECT_EQ(format.fontWeight(), QFont::Bold);
        } else if (evaluation) {
            EXPECT_EQ(Text(QStringLiteral("lblResult")), Q(evaluation->resultText).replace(QStringLiteral("\r\n"), "\n"));
        } else {
            EXPECT_EQ(Text(QStringLiteral("lblResult")), QString());
        }
    }
};

TEST_P(WizardTest, ResultsMatchTheHeadlessCalculation) {
    const WizardCase& c = GetParam();
    RunWizard(c);
    if (HasFatalFailure()) return;

    const CalculationInput expectedInput = ExpectedInput(c);
    const CalculationInput actual = window->ReadCalculationInput();
    ExpectSameMoment(actual.birth, expectedInput.birth, "birth");
    ExpectSameMoment(actual.muhurtha, expectedInput.muhurtha, "muhurtha");
    EXPECT_EQ(actual.subject, expectedInput.subject);
    EXPECT_EQ(actual.personName, expectedInput.personName);
    EXPECT_EQ(actual.personSex, expectedInput.personSex);
    EXPECT_EQ(actual.muhurthaWeekdayBox, expectedInput.muhurthaWeekdayBox);

    const Calculation expected = Calculate(expectedInput);
    auto* tabs = Find<QTabWidget>(QStringLiteral("TS"));
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(tabs->currentWidget()->objectName(), QStringLiteral("picResultBirth"));
    ExpectPanelsShow(c, expected);

    // The other two tabs bring their panels to the front.
    tabs->setCurrentIndex(1);
    EXPECT_EQ(tabs->currentWidget()->objectName(), QStringLiteral("picMuhurthaDetails"));
    tabs->setCurrentIndex(2);
    EXPECT_EQ(tabs->currentWidget()->objectName(), QStringLiteral("picResultMuhurtha"));
}

TEST_P(WizardTest, ASecondRunWithTheSameInputsShowsTheSameOnTheFirstTab) {
    const WizardCase& c = GetParam();
    RunWizard(c);
    if (HasFatalFailure()) return;
    const Calculation first = *window->LastCalculation();
    const QString firstResult = Text(QStringLiteral("lblResult"));
    Find<QTabWidget>(QStringLiteral("TS"))->setCurrentIndex(1);

    // Back from the results keeps every typed value: only the subject has to be chosen again.
    Click(QStringLiteral("cmdBack5"));
    ASSERT_EQ(CurrentPageName(), QStringLiteral("picMainScreen"));
    TickSubject(QString::fromLatin1(c.subject));
    for (const char* next : {"cmdNext0", "cmdNext1", "cmdNext2"}) Click(QString::fromLatin1(next));
    ASSERT_TRUE(messages.empty());
    ASSERT_EQ(CurrentPageName(), QStringLiteral("picMuhurthaResult"));
    EXPECT_EQ(Find<QTabWidget>(QStringLiteral("TS"))->currentIndex(), 0);
    EXPECT_EQ(window->LastCalculation()->birth.details, first.birth.details);
    EXPECT_EQ(window->LastCalculation()->muhurtha.details, first.muhurtha.details);
    EXPECT_EQ(Text(QStringLiteral("lblResult")), firstResult);
    ExpectPanelsShow(c, first);
}

INSTANTIATE_TEST_SUITE_P(Subjects, WizardTest, ::testing::ValuesIn(Cases),
                         [](const ::testing::TestParamInfo<WizardCase>& info) { return std::string(info.param.label); });

TEST_F(WindowTest, DetailsPanelsCarryTheirHeadingsAndDesignCaptions) {
    const std::array<const char*, 13> birth = {"Name", "Date of Birth", "Time of Birth", "Place of Birth", "Rashi",
                                               "Rashi Lord", "Nakshatra", "Nakshatra Lord", "Lagna", "Tithi", "Yoga",
                                               "Karana", "Vaar"};
    const std::array<const char*, 13> muhurtha = {
        "Name", "Muhurtha Date", "Muhurtha Time", "Place of Muhurtha", "Muhurtha Rashi", "Muhurtha Rashi Lord",
        "Muhurtha Nakshatra", "Muhurtha Nakshatra Lord", "Muhurtha Lagna", "Muhurtha Tithi", "Muhurtha Yoga",
        "Muhurtha Karana", "Muhurtha Vaar"};
    for (std::size_t r = 0; r < 13; ++r) {
        EXPECT_EQ(Text(QStringLiteral("lblResultBirthHeading%1").arg(r)), QString::fromLatin1(birth[r]));
        EXPECT_EQ(Text(QStringLiteral("lblMuhurthaDetailsHeading%1").arg(r)), QString::fromLatin1(muhurtha[r]));
        EXPECT_EQ(Text(QStringLiteral("lblMuhurthaDetails%1").arg(r)), QStringLiteral("Muhurtha Details"));
    }
    auto* tabs = Find<QTabWidget>(QStringLiteral("TS"));
    ASSERT_EQ(tabs->count(), 4);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("Birth Details"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("Muhurtha Details"));
    EXPECT_EQ(tabs->tabText(2), QStringLiteral("Muhurtha Analysis"));
    EXPECT_EQ(tabs->tabText(3), QStringLiteral("Day"));
    EXPECT_EQ(tabs->widget(3)->objectName(), QStringLiteral("picDay"));
    EXPECT_TRUE(Text(QStringLiteral("lblDetailedAnalysis")).startsWith(QStringLiteral("For Detailed Analysis Visit ")));
    EXPECT_EQ(Find<QPushButton>(QStringLiteral("cmdSave"))->text(), QStringLiteral("&Print"));
    EXPECT_TRUE(Find<QTextBrowser>(QStringLiteral("RTB"))->isReadOnly());
}

}  // namespace
}  // namespace kalvora::test
