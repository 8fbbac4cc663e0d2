// "Season of the Year...": the year strip opened from the Tools menu and from the finder, on the muhurtha page's
// zone and year, with its months, its hover texts and the year buttons.

#include <QLabel>
#include <QPushButton>
#include <QtTest/QTest>

#include "app/gui/season/year_strip.h"
#include "app/gui/season/year_strip_window.h"
#include "tests/gui/window_fixture.h"

namespace kalvora::test {
namespace {

TEST_F(WindowTest, SeasonStripOpensFromTheToolsMenuOnThePagesYearAndZone) {
    Click(QStringLiteral("cmdNext0"));
    FillMuhurthaPage(DelhiMuhurtha);
    window->findChild<QAction*>(QStringLiteral("mnuSeasonYear"))->trigger();
    auto* season = Find<YearStripWindow>(QStringLiteral("dlgSeasonYear"));
    ASSERT_EQ(season->Year(), 2026);
    EXPECT_EQ(Find<QLabel>(QStringLiteral("lblSeasonYear"))->text(), QStringLiteral("Season of 2026"));
    EXPECT_TRUE(Find<QLabel>(QStringLiteral("lblSeasonClock"))->text().contains(QStringLiteral("+05:30")));

    // Pausa runs into the year from December; then the year's twelve months with the leap Jyaistha.
    QStringList months;
    const std::vector<YearStrip::Piece> pieces = season->Strip()->Pieces();
    for (const YearStrip::Piece& p : pieces) {
        if (p.row == 0) months << p.label;
    }
    EXPECT_EQ(months, (QStringList{"Pausa", "Magha", "Falguna", "Chaitra", "Vaisakha", "Adhika Jyaistha", "Jyaistha",
                                   "Asadha", "Shravana", "Bhadra", "Asvina", "Kartika", "Agrahayana"}));
    // Hovering shows the exact minutes, the same the command line gives.
    const auto adhika = std::ranges::find(pieces, QStringLiteral("Adhika Jyaistha"), &YearStrip::Piece::label);
    ASSERT_NE(adhika, pieces.end());
    EXPECT_EQ(season->Strip()->TipAt(adhika->rect.center()),
              QStringLiteral("Adhika Jyaistha\n2026-05-17T01:31 to 2026-06-15T08:24"));
    const auto guru = std::ranges::find(pieces, 1 + static_cast<int>(Veto::GuruAsta), &YearStrip::Piece::row);
    ASSERT_NE(guru, pieces.end());
    EXPECT_EQ(season->Strip()->TipAt(guru->rect.center()),
              QStringLiteral("Guru asta: Jupiter is combust\n2026-07-14T18:04 to 2026-08-13T15:54"));

    // A screen reader reads the same months and spans.
    const QString description = season->Strip()->accessibleDescription();
    EXPECT_TRUE(description.contains(QStringLiteral("Adhika Jyaistha 2026-05-17T01:31 to 2026-06-15T08:24;")));
    EXPECT_TRUE(description.contains(QStringLiteral("Guru asta: Jupiter is combust 2026-07-14T18:04 to 2026-08-13T15:54")));

    QTest::mouseClick(season->findChild<QPushButton*>(QStringLiteral("cmdSeasonNext")), Qt::LeftButton);
    EXPECT_EQ(season->Year(), 2027);
    EXPECT_EQ(season->Season().months.front().month.nameIndex, 9);  // Pausa, begun on 2027-01-08

    // The finder's button brings the same window to the front.
    FinderWindow* finder = OpenFinder();
    QTest::mouseClick(finder->findChild<QPushButton*>(QStringLiteral("cmdFindSeason")), Qt::LeftButton);
    EXPECT_EQ(window->findChildren<YearStripWindow*>().size(), 1);
    EXPECT_EQ(season->Year(), 2027);
}

}  // namespace
}  // namespace kalvora::test
