// The headless calculation: both moments, birth first, and a sweep over dates, places and zones.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "driver/calculation.h"
#include "app/gui/pages/zones.h"
#include "astro/ephemeris.h"
#include "astro/tables.h"
#include "planets/ayanamsa.h"
#include "tests/support/moments.h"

namespace kalvora {
namespace {

using testing::Delhi;
using testing::Moment;

CalculationInput MarriageInput() {
    CalculationInput input;
    input.birth = Delhi(1990, 5, 17, 6, 45);
    input.muhurtha = Delhi(2026, 12, 10, 10, 30);
    input.subject = "Marriage";
    input.personName = "Asha";
    input.personSex = "Female";
    input.muhurthaWeekdayBox = "Thursday";
    return input;
}

// Another ayanamsa moves every sidereal longitude of a moment by exactly the library's difference from Lahiri at
// that moment (the Moon, the ascendant, the planets; the yoga by twice it, as the sum of two), and leaves the tithi
// and the karana, differences of two longitudes, where they were. Two moments a century and a half apart.
TEST(Calculate, AnotherAyanamsaMovesEverySiderealLongitudeByItsDifference) {
    const auto wrap = [](double degrees) { return std::remainder(degrees, 360.0); };
    for (const MomentInput& moment : {Delhi(1905, 3, 2, 4, 10), Delhi(2049, 11, 20, 22, 45)}) {
        for (const Ayanamsa ayanamsa : {Ayanamsa::Raman, Ayanamsa::TrueChitra, Ayanamsa::FaganBradley}) {
            SCOPED_TRACE(std::string(WordOf(ayanamsa, AyanamsaWords).word) + " " + std::to_string(moment.year));
            const MomentResult lahiri = ComputeMoment(moment);
            const MomentResult other = ComputeMoment(moment, PlanetsMode::Sky, {.ayanamsa = ayanamsa});
            const double shift = AyanamsaShiftDeg(ayanamsa, JulianDayUt(lahiri.time));
            constexpr double TenthOfArcSecond = 0.1 / 3600.0;
            EXPECT_NEAR(wrap(lahiri.chart.moonLongitude - other.chart.moonLongitude), shift, TenthOfArcSecond);
            EXPECT_NEAR(wrap(lahiri.chart.lagnaLongitude - other.chart.lagnaLongitude), shift, TenthOfArcSecond);
            for (const Body body : {Body::Sun, Body::Jupiter, Body::Rahu}) {
                EXPECT_NEAR(wrap(lahiri.sky->at(body).longitudeDeg - other.sky->at(body).longitudeDeg), shift,
                            TenthOfArcSecond);
            }
            EXPECT_NEAR(other.panchanga.ayanamsaCorrection, lahiri.panchanga.ayanamsaCorrection - shift, 1e-12);
            EXPECT_EQ(other.panchanga.tithiName, lahiri.panchanga.tithiName);
            EXPECT_EQ(other.panchanga.karanaName, lahiri.panchanga.karanaName);
        }
    }
}

// The weekday the rules read: the civil weekday changes at midnight; from sunrise, the minutes before the date's
// sunrise read the day before. Chennai on Tuesday 8 December 2026: the Hindu sunrise 06:22:51, the standard one
// some four minutes earlier; Tromso in polar night has no sunrise, so the civil weekday holds.
TEST(Calculate, TheWeekdayFromSunriseTurnsAtTheSunriseOfItsDefinition) {
    const auto chennai = [](int hour, int minute) {
        return Moment().On(2026, 12, 8).At(hour, minute).ZoneEast(5, 30).East(80, 17).North(13, 5);
    };
    struct Case {
        MomentInput moment;
        Conventions conventions;
        const char* vaar;
    };
    const Conventions civil, hindu{.weekday = WeekdayRule::Sunrise},
        standard{.weekday = WeekdayRule::Sunrise, .sunrise = SunriseDefinition::Standard};
    const Case cases[] = {
        {chennai(5, 0), civil, "Tuesday"},     {chennai(5, 0), hindu, "Monday"},
        {chennai(6, 22), hindu, "Monday"},     {chennai(6, 23), hindu, "Tuesday"},
        {chennai(6, 21), standard, "Tuesday"}, {chennai(0, 0), standard, "Monday"},
        {Moment().On(2026, 12, 10).At(9, 0).ZoneEast(1).East(18, 57).North(69, 39), hindu, "Thursday"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.moment.hour) + ":" + std::to_string(c.moment.minute) + " " + c.vaar);
        const MomentResult r = ComputeMoment(c.moment, PlanetsMode::None, c.conventions);
        EXPECT_EQ(r.details.vaar, c.vaar);
        CalculationInput input = MarriageInput();
        input.muhurtha = c.moment;
        input.conventions = c.conventions;
        // The rules that read the weekday box read the same weekday.
        EXPECT_EQ(MakeEvaluationInput(input, ComputeMoment(input.birth), r).weekdayBox,
                  c.conventions.weekday == WeekdayRule::Sunrise ? c.vaar : "Thursday");
    }
}

TEST(Calculate, BirthNamesBelongToTheBirthMoment) {
    const CalculationInput input = MarriageInput();
    const Calculation c = Calculate(input);
    EXPECT_EQ(c.birth.details, ComputeMoment(input.birth).details);
    EXPECT_EQ(c.muhurtha.details, ComputeMoment(input.muhurtha).details);
    EXPECT_NE(c.birth.details, c.muhurtha.details);
    EXPECT_EQ(c.tara, TaraBalaCheck(c.birth.details.nakshatra, c.muhurtha.details.nakshatra));
    EXPECT_EQ(c.moon, ChandraBalaCheck(c.birth.details.rashi, c.muhurtha.details.rashi));
}

TEST(Calculate, RepeatableWithIdenticalInputs) {
    const CalculationInput input = MarriageInput();
    const Calculation first = Calculate(input);
    const Calculation second = Calculate(input);
    EXPECT_EQ(first.birth.details, second.birth.details);
    EXPECT_EQ(first.muhurtha.details, second.muhurtha.details);
    EXPECT_EQ(first.muhurtha.chart.moonLongitude, second.muhurtha.chart.moonLongitude);
    ASSERT_EQ(first.evaluation.has_value(), second.evaluation.has_value());
    if (first.evaluation) {
        EXPECT_EQ(first.evaluation->resultText, second.evaluation->resultText);
    }
}

TEST(ComputeMoment, DetailSlotsComeFromTheEngines) {
    const MomentResult r = ComputeMoment(Delhi(1947, 8, 15, 0, 0));
    EXPECT_EQ(r.details.rashi, "Kataka");
    EXPECT_EQ(r.details.rashiLord, "Moon");
    EXPECT_EQ(r.details.nakshatra, "Pushya");
    EXPECT_EQ(r.details.nakshatraLord, "Saturn");
    EXPECT_EQ(r.details.lagna, "Vrishabha");
    EXPECT_EQ(r.details.tithi, r.panchanga.tithiName);
    EXPECT_EQ(r.details.yoga, r.panchanga.yogaName);
    EXPECT_EQ(r.details.karana, r.panchanga.karanaName);
    EXPECT_EQ(r.details.vaar, "Friday");
    // The almanac runs on the same universal time as the astronomical engine.
    EXPECT_NEAR(r.panchanga.jde - DeltaTHours(r.panchanga.jde) / 24.0, r.time.jdn - 0.5 + r.time.ut / 24.0, 1e-6);
}

TEST(ComputeMoment, ZoneDirectionComesFromTheZone) {
    // London in British Summer Time (a place west of Greenwich, a zone east of it) is the same instant as
    // Greenwich time one hour earlier.
    const auto london = [] { return Moment().On(2020, 7, 1).ZoneEast(0).West(0, 7).North(51, 30); };
    const MomentResult a = ComputeMoment(london().At(13, 0).DaylightSaving());
    const MomentResult b = ComputeMoment(london().At(12, 0));
    EXPECT_DOUBLE_EQ(a.time.ut, 12.0);
    EXPECT_DOUBLE_EQ(a.chart.lagnaLongitude, b.chart.lagnaLongitude);
    EXPECT_DOUBLE_EQ(a.chart.moonLongitude, b.chart.moonLongitude);
    EXPECT_DOUBLE_EQ(a.panchanga.sunTropical, b.panchanga.sunTropical);

    // Madrid keeps Central European Time although it lies west of Greenwich.
    const MomentInput madrid = Moment().On(2020, 7, 1).At(13, 0).ZoneEast(1).West(3, 42).North(51, 30);
    EXPECT_DOUBLE_EQ(ComputeMoment(madrid).time.ut, 12.0);
}

// The same calculation with the planets placed and with none: the planets block, the planet texts and what the
// planet checks make of them. 2026-01-03 12:15 in Delhi: Jupiter stands in the ninth place from the table lagna
// and the Sun, Mercury, Venus and Mars in its tenth.
CalculationInput PlanetsInput(const char* subject, PlanetsMode planets) {
    CalculationInput input = MarriageInput();
    input.muhurtha = Delhi(2026, 1, 3, 12, 15);
    input.muhurthaWeekdayBox = "Saturday";
    input.subject = subject;
    input.planets = planets;
    return input;
}

std::string Replaced(std::string text, const std::vector<std::pair<std::string, std::string>>& edits) {
    for (const auto& [from, to] : edits) {
        const std::size_t at = text.find(from);
        if (at == std::string::npos) return "(no '" + from + "' in the text)";
        text.replace(at, from.size(), to);
    }
    return text;
}

TEST(Calculate, PlanetsChangeOnlyThePlanetOutcomes) {
    const struct {
        const char* subject;
        std::vector<std::pair<std::string, std::string>> edits;  // none's text -> sky's text
    } cases[] = {
        // The domestic journey reads the table lagna alone, never a planet.
        {"Domestic Journey", {}},
        {"Religious Journey",
         {{"Jupiter in 9th House - Neutral - 0 Point", "Jupiter in 9th House - Favourable - 1 Point"},
          {"Total Score - -2 Points", "Total Score - -1 Points"}}},
        {"Learning of a Trade",
         {{"Asc \r\n\r\n", "Asc \r\nSun\r\nMercury\r\nVenus\r\nMars\r\n\r\n"}}},
    };
    for (const auto& c : cases) {
        const Calculation sky = Calculate(PlanetsInput(c.subject, PlanetsMode::Sky));
        const Calculation none = Calculate(PlanetsInput(c.subject, PlanetsMode::None));
        ASSERT_TRUE(sky.evaluation && none.evaluation) << c.subject;
        EXPECT_EQ(sky.evaluation->resultText, Replaced(none.evaluation->resultText, c.edits)) << c.subject;
        EXPECT_EQ(sky.muhurtha.details, none.muhurtha.details) << c.subject;
    }
}

TEST(Calculate, PlanetTextsComeFromTheMuhurthaSky) {
    const Calculation sky = Calculate(PlanetsInput("Religious Journey", PlanetsMode::Sky));
    ASSERT_TRUE(sky.birth.sky && sky.muhurtha.sky);
    const Sky& s = *sky.muhurtha.sky;
    EXPECT_EQ(s, ComputeSky(JulianDayUt(sky.muhurtha.time), sky.muhurtha.chart.moonLongitude));
    EXPECT_EQ(sky.evaluationInput.planetTexts, PlanetTexts(s));
    // The Moon's text names the sign the details show.
    EXPECT_EQ(sky.evaluationInput.planetTexts[1].substr(3, 3), "Gem");
    EXPECT_EQ(sky.muhurtha.details.rashi, "Mithuna");

    const Calculation none = Calculate(PlanetsInput("Religious Journey", PlanetsMode::None));
    EXPECT_FALSE(none.birth.sky || none.muhurtha.sky);
    for (const std::string& text : none.evaluationInput.planetTexts) EXPECT_EQ(text, "");
}

template <typename Table>
bool NameIn(const Table& names, std::string_view name) {
    return !name.empty() && std::find(std::begin(names), std::end(names), name) != std::end(names);
}

TEST(ComputeMoment, SweepOfDatesPlacesAndZones) {
    std::vector<std::string_view> signs, nakshatras;
    for (const auto& s : SignNames) signs.push_back(s.name);
    for (const auto& n : NakshatraNames) nakshatras.push_back(n.name);

    // Places north and south, east and west, including the poles and the date line.
    const struct { int latDeg, latMin; bool south; int lonDeg, lonMin; bool east; } places[] = {
        {28, 39, false, 77, 13, true}, {33, 52, true, 151, 12, true}, {40, 43, false, 74, 0, false},
        {51, 30, false, 0, 7, false},  {22, 54, true, 43, 12, false}, {0, 0, false, 0, 0, true},
        {90, 0, false, 180, 0, true},  {90, 0, true, 180, 0, false},  {64, 8, false, 21, 56, false},
    };
    int moments = 0;
    for (int year = 1901; year <= 2050; year += 7) {
        for (std::size_t z = 0; z < NamedZones.size(); ++z) {
            const auto& place = places[(static_cast<std::size_t>(year) + z) % std::size(places)];
            MomentInput in;
            in.year = static_cast<std::int16_t>(year);
            in.month = static_cast<std::int16_t>(1 + (year + static_cast<int>(z)) % 12);
            in.day = static_cast<std::int16_t>(1 + (year * 7 + static_cast<int>(z)) % 28);
            in.hour = static_cast<std::int16_t>((year + 5 * static_cast<int>(z)) % 24);
            in.minute = static_cast<std::int16_t>((year * 3 + static_cast<int>(z)) % 60);
            // The record keeps magnitudes and the direction.
            in.zone.hours = static_cast<std::int16_t>(std::abs(NamedZones[z].hours));
            in.zone.minutes = static_cast<std::int16_t>(std::abs(NamedZones[z].minutes));
            in.zone.isEast = NamedZones[z].hours > 0 || NamedZones[z].minutes > 0;
            in.place.latitudeDegrees = static_cast<std::int16_t>(place.latDeg);
            in.place.latitudeMinutes = static_cast<std::int16_t>(place.latMin);
            in.place.isSouth = place.south;
            in.place.longitudeDegrees = static_cast<std::int16_t>(place.lonDeg);
            in.place.longitudeMinutes = static_cast<std::int16_t>(place.lonMin);
            in.place.isEast = place.east;
            for (const bool dst : {false, true}) {
                in.zone.isDst = dst;
                const MomentResult r = ComputeMoment(in);
                ++moments;
                const std::string where = std::to_string(year) + " zone " + std::string(NamedZones[z].text);
                ASSERT_TRUE(std::isfinite(r.chart.lagnaLongitude)) << where;
                ASSERT_TRUE(std::isfinite(r.chart.moonLongitude)) << where;
                EXPECT_GE(r.chart.lagnaLongitude, 0.0) << where;
                EXPECT_LE(r.chart.lagnaLongitude, 360.0) << where;
                EXPECT_GE(r.chart.moonLongitude, 0.0) << where;
                EXPECT_LT(r.chart.moonLongitude, 360.0) << where;
                EXPECT_GE(r.panchanga.sunTropical, 0.0) << where;
                EXPECT_LE(r.panchanga.sunTropical, 360.0) << where;
                EXPECT_GE(r.panchanga.moonTropical, 0.0) << where;
                EXPECT_LE(r.panchanga.moonTropical, 360.0) << where;
                EXPECT_TRUE(NameIn(signs, r.details.rashi)) << where;
                EXPECT_TRUE(NameIn(signs, r.details.lagna)) << where;
                EXPECT_TRUE(NameIn(nakshatras, r.details.nakshatra)) << where;
                EXPECT_TRUE(NameIn(WeekdayNames, r.details.vaar)) << where;
                for (int slot = 0; slot < MomentDetails::SlotCount; ++slot) {
                    EXPECT_FALSE(r.details.Slot(slot).empty()) << where << " slot " << slot;
                }
                EXPECT_GE(r.chart.nakshatraIndex, 0);
                EXPECT_LE(r.chart.nakshatraIndex, 26);
                EXPECT_GE(r.panchanga.tithiNumber, 1);
                EXPECT_LE(r.panchanga.tithiNumber, 30);
                EXPECT_GE(r.panchanga.yogaIndex, 0.0);
                EXPECT_LE(r.panchanga.yogaIndex, 26.0);
                EXPECT_GE(r.panchanga.karanaIndex, 0);
                EXPECT_LE(r.panchanga.karanaIndex, 10);
                EXPECT_EQ(r.panchanga.weekdayNumber, WeekdayOf(DateOf(in))) << where;
            }
        }
    }
    EXPECT_GT(moments, 3000);
}

}  // namespace
}  // namespace kalvora
