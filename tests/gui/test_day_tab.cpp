// The Day tab and the "until" labels of the details tabs, after a calculation run through the real window.

#include <QRegularExpression>
#include <QTabWidget>
#include <QTableWidget>

#include "driver/panels.h"
#include "tests/gui/window_fixture.h"

namespace kalvora::test {
namespace {

// New Delhi, Indian time, on Thursday 10 December 2026 (the documentation's muhurtha): sunrise 07:07, Rahu kalam
// 13:30 - 14:47, Gulika 09:40 - 10:57, a Durmuhurta 10:31 - 11:12.
MomentEntry Delhi(int hour, int minute) {
    return {"December", 10, 2026, hour, minute, 0, "28", "39", false, "77", "13", false, 34, false, "", "", ""};
}
const MomentEntry Birth{"August", 15, 1995, 6, 45, 0, "19", "4", false, "72", "52", false, 34, false, "", "", ""};

const QRegularExpression NotANumber(QStringLiteral("\\bnan\\b"), QRegularExpression::CaseInsensitiveOption);

class DayTabTest : public WindowTest {
protected:
    // Runs the wizard to the results, first going back from results shown before.
    void Calculate(const MomentEntry& muhurtha) {
        if (CurrentPageName() == QStringLiteral("picMuhurthaResult")) {
            Find<QTabWidget>(QStringLiteral("TS"))->setCurrentIndex(3);
            }
        RunToResults(QStringLiteral("Marriage"), QStringLiteral("Asha"), true, muhurtha, Birth);
    }

    QTableWidget* Table(const char* name) const { return Find<QTableWidget>(QString::fromLatin1(name)); }

    // Every cell of the visible tables holds a text.
    void ExpectNoEmptyCell() const {
        for (const char* name : {"tblDaySun", "tblDayPeriods", "tblDayLimbs", "tblDayChoghadiya", "tblDayHora",
                                 "tblDayLagnas", "tblDayMarked"}) {
            const QTableWidget* table = Table(name);
            if (!table->isVisibleTo(window.get())) continue;
            for (int r = 0; r < table->rowCount(); ++r) {
                for (int c = 0; c < table->columnCount(); ++c) {
                    const QTableWidgetItem* item = table->item(r, c);
                    ASSERT_TRUE(item != nullptr) << name << " " << r << "," << c;
                    EXPECT_FALSE(item->text().trimmed().isEmpty()) << name << " " << r << "," << c;
                    EXPECT_FALSE(item->text().contains(NotANumber)) << item->text().toStdString();
                }
            }
        }
    }
};

TEST_F(DayTabTest, ThePeriodsOfAKnownDayAndTheirTables) {
    Calculate(Delhi(12, 0));
    const QStringList expected = {"Rahu kalam", "13:30 \u2013 14:47", "Yamaganda", "07:07 \u2013 08:23", "Gulika",
                                  "09:40 \u2013 10:57", "Abhijit", "11:53 \u2013 12:34", "Durmuhurta",
                                  "10:31 \u2013 11:12", "Durmuhurta", "14:36 \u2013 15:17"};
    QStringList shown;
    const QTableWidget* periods = Table("tblDayPeriods");
    for (int r = 0; r < periods->rowCount(); ++r) shown << periods->item(r, 0)->text() << periods->item(r, 1)->text();
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(Table("tblDaySun")->item(0, 1)->text(), QStringLiteral("07:07"));
    EXPECT_EQ(Table("tblDaySun")->item(3, 1)->text(), QStringLiteral("Thursday"));
    EXPECT_EQ(Table("tblDayChoghadiya")->rowCount(), 16);
    EXPECT_EQ(Table("tblDayHora")->rowCount(), 24);
    EXPECT_EQ(Table("tblDayHora")->item(0, 0)->text(), QStringLiteral("Jupiter"));  // Thursday's lord first
    EXPECT_TRUE(Table("tblDayLimbs")->rowCount() >= 4);
    // Thirteen lagnas from before the sunrise to past the next one; the chosen 12:00 in Kumbha.
    const QTableWidget* lagnas = Table("tblDayLagnas");
    ASSERT_EQ(lagnas->rowCount(), 13);
    EXPECT_EQ(lagnas->item(0, 0)->text(), QStringLiteral("Vrischika"));
    EXPECT_EQ(lagnas->item(3, 0)->text() + QLatin1Char(' ') + lagnas->item(3, 1)->text(), QStringLiteral("Kumbha 11:22"));
    EXPECT_TRUE(lagnas->item(3, 0)->font().bold());
    const QTableWidget* marked = Table("tblDayMarked");
    QStringList markedShown;
    for (int r = 0; r < marked->rowCount(); ++r) markedShown << marked->item(r, 0)->text() + ": " + marked->item(r, 1)->text();
    EXPECT_EQ(markedShown, (QStringList{"Varjyam: 22:13 \u2013 11 Dec 00:01", "Amrit kalam: 16:49 \u2013 18:37",
                                        "Bhadra: none", "Panchaka: none"}));
    // A screen reader reads the drawing of the day as sentences with every period and limb.
    const QString description = Find<QWidget>(QStringLiteral("wDayTimeline"))->accessibleDescription();
    for (const char* said : {"Sunrise: 07:07.", "Rahu kalam: 13:30 \u2013 14:47.", "Nakshatra Moola, 9 Dec 21:03 to 11 Dec 00:01.",
                             "Lagna Kumbha, 11:22 to 12:49.", "Choghadiya Shubh, 07:07 to 08:23, good."}) {
        EXPECT_TRUE(description.contains(QString::fromUtf8(said))) << said << "\n" << description.toStdString();
    }
    ExpectNoEmptyCell();
    EXPECT_TRUE(Find<QLabel>(QStringLiteral("lblDaySunNote"))->isHidden());
}

TEST_F(DayTabTest, TheChosenTimeIsSaidPlainlyWhenItFallsInAnAvoidedPeriod) {
    const struct {
        int hour, minute;
        const char* said;  // what the statement holds
        bool avoided;
    } cases[] = {
        {13, 45, "The chosen time 13:45 falls in Rahu kalam (13:30 \u2013 14:47).", true},
        {10, 45, "falls in Gulika (09:40 \u2013 10:57) and Durmuhurta (10:31 \u2013 11:12).", true},
        {12, 0, "The chosen time 12:00 falls in none of", false},
        {15, 20, "falls in none of", false},  // after Rahu kalam and the afternoon Durmuhurta
        {6, 30, "comes before this day's sunrise (07:07)", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.said);
        Calculate(Delhi(c.hour, c.minute));
        const auto* chosen = Find<QLabel>(QStringLiteral("lblDayChosen"));
        EXPECT_FALSE(chosen->isHidden());
        EXPECT_TRUE(chosen->text().contains(QString::fromUtf8(c.said))) << chosen->text().toStdString();
        EXPECT_EQ(chosen->property("role").toString(), QString::fromLatin1(c.avoided ? "dayAlert" : "dayNote"));
        // The analysis tab shows the same warning above the factors, and nothing when there is none.
        const auto* warning = Find<QLabel>(QStringLiteral("lblDayWarning"));
        EXPECT_EQ(warning->isHidden(), !c.avoided);
        EXPECT_TRUE(!c.avoided || warning->text().contains(QString::fromUtf8(c.said))) << warning->text().toStdString();
    }
}

TEST_F(DayTabTest, WhereTheSunDoesNotRiseOrSetTheTabSaysSo) {
    // Tromso, 69 deg 39' North, on the universal clock: polar night in December, midnight sun in June.
    const struct {
        const char* month;
        const char* said;
    } cases[] = {
        {"December", "The Sun does not rise on this day at this place."},
        {"June", "The Sun does not set on this day at this place."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.month);
        Calculate({c.month, 21, 2026, 12, 0, 0, "69", "39", false, "18", "57", false, -1, false, "", "", ""});
        const auto* note = Find<QLabel>(QStringLiteral("lblDaySunNote"));
        EXPECT_FALSE(note->isHidden());
        EXPECT_TRUE(note->text().startsWith(QString::fromLatin1(c.said))) << note->text().toStdString();
        EXPECT_TRUE(Find<QLabel>(QStringLiteral("lblDayChosen"))->isHidden());
        EXPECT_FALSE(Table("tblDayPeriods")->isVisibleTo(window.get()));
        EXPECT_FALSE(Table("tblDayChoghadiya")->isVisibleTo(window.get()));
        EXPECT_EQ(Table("tblDaySun")->item(0, 1)->text(), QStringLiteral("none"));
        ExpectNoEmptyCell();
    }
}

TEST_F(DayTabTest, DetailsTabsSayWhenEachLimbEnds) {
    Calculate(Delhi(10, 30));
    // Label names: the birth panel's value indexes are its rows; the muhurtha panel's start with the nine names.
    const struct {
        const char* label;
        const char* text;
    } muhurtha[] = {
        {"lblMuhurthaDetailsUntil2", "until 11 Dec 00:01"},  // nakshatra
        {"lblMuhurthaDetailsUntil5", "until 11 Dec 11:24"},  // tithi
        {"lblMuhurthaDetailsUntil6", "until 11 Dec 10:18"},  // yoga
        {"lblMuhurthaDetailsUntil7", "until 22:04"},         // karana, the same day
    };
    for (const auto& row : muhurtha) EXPECT_EQ(Text(QString::fromLatin1(row.label)), QString::fromLatin1(row.text));
    for (const int index : {6, 9, 10, 11}) {
        EXPECT_TRUE(Text(QStringLiteral("lblResultBirthUntil%1").arg(index)).startsWith(QStringLiteral("until ")));
    }
    // The value labels keep their texts.
    EXPECT_EQ(Text(QStringLiteral("lblMuhurthaDetails5")), QStringLiteral("Dwithiai"));
}

}  // namespace
}  // namespace kalvora::test
