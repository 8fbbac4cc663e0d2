// The sky of published moments, the texts the planet checks read, and the same answers on any thread.

#include <gtest/gtest.h>
#include <swephexp.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "astro/ephemeris.h"
#include "muhurtha/checks.h"
#include "planets/sky.h"
#include "tests/astro/angle_compare.h"
#include "tests/support/moments.h"

namespace kalvora {
namespace {

constexpr double J2000 = 2451545.0;  // 2000 January 1, 12:00 UT
constexpr double Minute = 1.0 / 1440.0;
constexpr double ArcMinute = 1.0 / 60.0;

// Julian day in UT of a civil date and hour in UT, by the ephemeris' own calendar routine.
double Jd(int year, int month, int day, double hourUt) { return swe_julday(year, month, day, hourUt, SE_GREG_CAL); }

TEST(BodyNames, OneRowPerBodyInItsOwnPlace) {
    ASSERT_EQ(BodyNames.size(), 9u);
    for (std::size_t i = 0; i < BodyNames.size(); ++i) {
        EXPECT_EQ(static_cast<std::size_t>(BodyNames[i].body), i) << BodyNames[i].name;
        EXPECT_EQ(BodyNames[i].abbreviation.size(), 2u) << BodyNames[i].name;
    }
    EXPECT_EQ(PlanetTextCount, 7u);
    EXPECT_EQ(NameOf(Body::Saturn).name, "Saturn");
}

TEST(JulianDayUt, AgreesWithTheEphemerisCalendar) {
    struct Case {
        const char* what;
        MomentInput input;
        double jdUt;
    };
    const Case cases[] = {
        {"2000-01-01 12:00 Greenwich", testing::Moment().On(2000, 1, 1).At(12, 0).ZoneEast(0).West(0, 0).North(51, 28),
         Jd(2000, 1, 1, 12.0)},
        {"Delhi 00:30: universal time of the day before", testing::Delhi(2026, 3, 1, 0, 30), Jd(2026, 2, 28, 19.0)},
        {"Delhi 23:59 on a leap day", testing::Delhi(2024, 2, 29, 23, 59), Jd(2024, 2, 29, 18.0 + 29.0 / 60.0)},
        {"New York 22:00 winter: universal time of the next day",
         testing::Moment().On(1999, 12, 31).At(22, 0).ZoneWest(5).West(74, 0).North(40, 43), Jd(2000, 1, 1, 3.0)},
        {"Sydney daylight saving", testing::Moment().On(2005, 1, 26).At(9, 30).ZoneEast(10).DaylightSaving().East(151, 12).South(33, 52),
         Jd(2005, 1, 25, 22.5)},
        {"1947-08-15 00:00 Delhi", testing::Delhi(1947, 8, 15, 0, 0), Jd(1947, 8, 14, 18.5)},
    };
    for (const auto& c : cases) {
        // A millisecond of time: the two routines sum the day and the hours in different orders.
        EXPECT_NEAR(JulianDayUt(ConvertMoment(c.input)), c.jdUt, 1e-8) << c.what;
    }
}

// Sidereal positions of bodies at published moments.
struct PositionCase {
    const char* source;
    double jdUt;
    Body body;
    double longitudeDeg;  // sidereal (Lahiri)
    double toleranceDeg;
    bool retrograde;
};

TEST(ComputeSky, PublishedPositions) {
    // source: Lahiri sidereal positions for 2000 January 1, 12:00 UT quoted to the minute in issue 11; a value
    // quoted to the minute is within half a minute when rounded, a minute when truncated.
    const PositionCase cases[] = {
        {"Sun 16 deg 30' Dhanus", J2000, Body::Sun, 8 * 30 + 16.5, ArcMinute, false},
        {"Jupiter 1 deg 24' Mesha", J2000, Body::Jupiter, 1.4, ArcMinute, false},
        {"Saturn 16 deg 33' Mesha, retrograde", J2000, Body::Saturn, 16.55, ArcMinute, true},
        {"Rahu 11 deg 11' Kataka", J2000, Body::Rahu, 3 * 30 + 11 + 11 * ArcMinute, ArcMinute, true},
        {"Ketu opposite Rahu: 11 deg 11' Makara", J2000, Body::Ketu, 9 * 30 + 11 + 11 * ArcMinute, ArcMinute, true},
        // source: the great conjunction of Jupiter and Saturn, 2020 December 21, 18:20 UT, both at tropical
        // 0 deg 29' Kumbha; less the Lahiri ayanamsa of that day (24 deg 08.7') that is 6 deg 20' Makara.
        {"Jupiter at the great conjunction", Jd(2020, 12, 21, 18 + 20 * ArcMinute), Body::Jupiter, 276.34, 0.02,
         false},
        {"Saturn at the great conjunction", Jd(2020, 12, 21, 18 + 20 * ArcMinute), Body::Saturn, 276.34, 0.02,
         false},
    };
    for (const auto& c : cases) {
        const BodyPosition p = ComputeSky(c.jdUt).at(c.body);
        EXPECT_ANGLE_NEAR(p.longitudeDeg, c.longitudeDeg, c.toleranceDeg) << c.source;
        EXPECT_EQ(p.retrograde, c.retrograde) << c.source;
        EXPECT_EQ(p.retrograde, p.speedDegPerDay < 0.0) << c.source;
    }
    EXPECT_ANGLE_NEAR(ComputeSky(J2000).ayanamsaDeg, 23 + 51 * ArcMinute, ArcMinute);
}

TEST(ComputeSky, PublishedConjunctionsAndOppositions) {
    struct Case {
        const char* source;
        double jdUt;
        Body first;
        Body second;
        double separationDeg;  // first minus second
        double toleranceDeg;
        Body retrogradeBody;   // a body that must be moving backward at the moment (the Sun never is)
    };
    const Case cases[] = {
        // source: new Moon of the total solar eclipse, 2017 August 21, 18:30 UT (the Moon moves 0.5 deg an hour)
        {"new Moon 2017-08-21", Jd(2017, 8, 21, 18.5), Body::Moon, Body::Sun, 0.0, 0.01, Body::Sun},
        // source: transit of Mercury, 2019 November 11, greatest transit 15:20 UT: inferior conjunction
        {"Mercury transit 2019-11-11", Jd(2019, 11, 11, 15 + 20 * ArcMinute), Body::Mercury, Body::Sun, 0.0, 0.01,
         Body::Mercury},
        // source: transit of Venus, 2012 June 6, greatest transit 01:29 UT, twenty minutes after the conjunction
        // in longitude (0.02 deg apart by then)
        {"Venus transit 2012-06-06", Jd(2012, 6, 6, 1 + 29 * ArcMinute), Body::Venus, Body::Sun, 0.0, 0.03,
         Body::Venus},
        // source: opposition of Mars, 2020 October 13, 23:20 UT
        {"Mars opposition 2020-10-13", Jd(2020, 10, 13, 23 + 20 * ArcMinute), Body::Mars, Body::Sun, 180.0, 0.01,
         Body::Mars},
        // the nodes are opposite by construction and both move backward
        {"Ketu opposite Rahu", J2000, Body::Ketu, Body::Rahu, 180.0, 1e-9, Body::Ketu},
    };
    for (const auto& c : cases) {
        const Sky sky = ComputeSky(c.jdUt);
        EXPECT_ANGLE_NEAR(sky.at(c.first).longitudeDeg - sky.at(c.second).longitudeDeg, c.separationDeg,
                          c.toleranceDeg)
            << c.source;
        EXPECT_EQ(sky.at(c.retrogradeBody).retrograde, c.retrogradeBody != Body::Sun) << c.source;
    }
}

TEST(ComputeSky, SunAtTheEquinoxesAndSolstices) {
    // source: equinoxes and solstices in UT to the minute (U.S. Naval Observatory); the Sun's tropical longitude,
    // sidereal plus ayanamsa, is then 0, 90, 180 or 270 within its motion in a minute (0.0007 deg).
    struct Case {
        int year, month, day, hour, minute;
        double tropicalDeg;
    };
    const Case cases[] = {
        {2000, 3, 20, 7, 35, 0.0},   {2000, 6, 21, 1, 48, 90.0},  {2000, 9, 22, 17, 28, 180.0},
        {2000, 12, 21, 13, 37, 270.0}, {2024, 3, 20, 3, 6, 0.0}, {2024, 6, 20, 20, 51, 90.0},
        {2024, 9, 22, 12, 44, 180.0}, {2024, 12, 21, 9, 21, 270.0},
    };
    for (const auto& c : cases) {
        const Sky sky = ComputeSky(Jd(c.year, c.month, c.day, c.hour + c.minute * ArcMinute));
        EXPECT_ANGLE_NEAR(sky.at(Body::Sun).longitudeDeg + sky.ayanamsaDeg, c.tropicalDeg, 0.0007)
            << c.year << "-" << c.month;
    }
}

TEST(ComputeSky, TheSystemsOwnMoonReplacesOnlyTheMoon) {
    const double jdUt = Jd(2026, 12, 10, 5.0);
    const Sky ephemeris = ComputeSky(jdUt);
    const Sky own = ComputeSky(jdUt, 200.0);  // 20 deg Thula, the first point of Vishakha
    for (const BodyName& row : BodyNames) {
        if (row.body == Body::Moon) continue;
        EXPECT_EQ(own.at(row.body), ephemeris.at(row.body)) << row.name;
    }
    const BodyPosition& moon = own.at(Body::Moon);
    EXPECT_EQ(moon.longitudeDeg, 200.0);
    EXPECT_EQ(moon.signIndex, 6);
    EXPECT_EQ(moon.nakshatraIndex, 15);
    EXPECT_NEAR(moon.speedDegPerDay, ephemeris.at(Body::Moon).speedDegPerDay, 1.5);  // 11.8 to 15.4 deg a day
    EXPECT_FALSE(moon.retrograde);
}

TEST(ComputeSky, TheSystemsOwnMoonAgreesWithTheEphemeris) {
    // The system's Moon is a shorter series; over 1950-2050 it stays within 0.04 deg of the ephemeris' Moon, so a
    // sign or ayanamsa slip in either shows here.
    const MomentInput moments[] = {
        testing::Delhi(1950, 1, 1, 6, 0),   testing::Delhi(1984, 7, 19, 13, 45), testing::Delhi(2000, 1, 1, 17, 30),
        testing::Delhi(2017, 8, 22, 0, 0),  testing::Delhi(2026, 12, 10, 10, 30), testing::Delhi(2049, 12, 31, 23, 59),
    };
    for (const MomentInput& in : moments) {
        const MomentTime time = ConvertMoment(in);
        ChartPositions chart;
        MoonFromTime(time, chart);
        EXPECT_ANGLE_NEAR(chart.moonLongitude, ComputeSky(JulianDayUt(time)).at(Body::Moon).longitudeDeg, 0.05)
            << in.year << "-" << in.month << "-" << in.day;
    }
}

TEST(ComputeBody, TheSamePositionAsTheWholeSky) {
    // The finder reads planets one at a time and must see exactly what the calculation's sky holds.
    const Body bodies[] = {Body::Sun, Body::Mercury, Body::Venus, Body::Mars, Body::Jupiter, Body::Saturn, Body::Rahu};
    for (const double jdUt : {Jd(1901, 1, 1, 0.0), Jd(2026, 6, 29, 17.5), Jd(2050, 12, 31, 23.9)}) {
        const Sky sky = ComputeSky(jdUt, 10.0);
        for (const Body body : bodies) EXPECT_EQ(ComputeBody(jdUt, body), sky.at(body)) << NameOf(body).name;
    }
    EXPECT_THROW(ComputeBody(J2000, Body::Moon), std::invalid_argument);
    EXPECT_THROW(ComputeBody(J2000, Body::Ketu), std::invalid_argument);
    EXPECT_EQ(OwnMoonPosition(200.0), ComputeSky(J2000, 200.0).at(Body::Moon));
}

TEST(ComputeBodyPlace, TheFullReadingsPlaceWithoutItsSpeed) {
    // The finder reads planets without their speeds and compares their signs with the calculation's; it takes a
    // full reading within 1e-9 degrees of a boundary, so the two must agree far closer than that.
    const Body bodies[] = {Body::Sun, Body::Mercury, Body::Venus, Body::Mars, Body::Jupiter, Body::Saturn, Body::Rahu};
    for (double jdUt = Jd(1901, 1, 1, 0.0); jdUt < Jd(2051, 1, 1, 0.0); jdUt += 97.31) {
        for (const Body body : bodies) {
            const BodyPosition full = ComputeBody(jdUt, body);
            const BodyPosition place = ComputeBodyPlace(jdUt, body);
            EXPECT_ANGLE_NEAR(place.longitudeDeg, full.longitudeDeg, 1e-11) << NameOf(body).name << " " << jdUt;
            EXPECT_EQ(place.signIndex, full.signIndex) << NameOf(body).name << " " << jdUt;
            EXPECT_EQ(place.nakshatraIndex, full.nakshatraIndex) << NameOf(body).name << " " << jdUt;
            EXPECT_EQ(place.speedDegPerDay, 0.0);
            EXPECT_FALSE(place.retrograde);
        }
    }
    EXPECT_THROW(ComputeBodyPlace(J2000, Body::Moon), std::invalid_argument);
}

TEST(LargestDailyMotion, NoBodyMovesFasterOver1901To2050) {
    // Every fifth day at noon; the finder leaves a planet unread while no boundary lies within this reach.
    const Body bodies[] = {Body::Sun, Body::Mercury, Body::Venus, Body::Mars, Body::Jupiter, Body::Saturn, Body::Rahu};
    for (const Body body : bodies) {
        double fastest = 0.0;
        for (double jdUt = Jd(1901, 1, 1, 12.0); jdUt < Jd(2051, 1, 1, 0.0); jdUt += 5.0) {
            fastest = std::max(fastest, std::abs(ComputeBody(jdUt, body).speedDegPerDay));
        }
        EXPECT_LT(fastest, LargestDailyMotionDeg(body)) << NameOf(body).name;
        EXPECT_GT(fastest, 0.8 * LargestDailyMotionDeg(body)) << NameOf(body).name << ": the bound is far too loose";
    }
}

TEST(ComputeSky, RefusesMomentsOutsideTheEphemeris) {
    EXPECT_THROW(ComputeSky(0.0), std::domain_error);
    EXPECT_THROW(ComputeSky(5.0e6, 10.0), std::domain_error);
}

TEST(DegreesInSign, WholeMinutesTruncated) {
    struct Case {
        double longitudeDeg;
        const char* text;
    };
    const Case cases[] = {
        {0.0, "00°00'"},          {12.0, "12°00'"},        {13.0 + 20.0 * ArcMinute, "13°20'"},
        {29.999999, "29°59'"},    {30.0, "00°00'"},         {256.5157, "16°30'"},
        {1.3998, "01°23'"},       {359.9999999, "29°59'"}, {360.0, "00°00'"},
        {-0.5, "29°30'"},         {725.25, "05°15'"},
    };
    for (const auto& c : cases) EXPECT_EQ(DegreesInSign(c.longitudeDeg), c.text) << c.longitudeDeg;
}

TEST(PlanetTexts, TheChecksReadEverySignFromCharactersFourToSix) {
    constexpr const char* Abbreviations[] = {"Ari", "Tau", "Gem", "Can", "Leo", "Vir",
                                             "Lib", "Sco", "Sag", "Cpr", "Aqu", "Pis"};
    for (int sign = 0; sign < 12; ++sign) {
        for (double offset : {0.0, 15.0, 29.99999}) {
            Sky sky;
            for (BodyPosition& p : sky.bodies) {
                p.longitudeDeg = 30.0 * sign + offset;
                p.signIndex = sign;
            }
            for (const std::string& text : PlanetTexts(sky)) {
                EXPECT_EQ(text.substr(3, 3), Abbreviations[sign]) << text;
                EXPECT_EQ(PlanetSignAbbreviation(text), Abbreviations[sign]) << text;
            }
        }
    }
}

TEST(PlanetTexts, LinesOfTheFirstMomentOf2000) {
    const Sky sky = ComputeSky(J2000);
    const std::array<std::string, PlanetTextCount> expected = {
        "Su Sag 16°30'", "Mo Lib 19°28'", "Me Sag 08°02'",  "Ve Sco 07°42'",
        "Ma Aqu 04°06'", "Ju Ari 01°23'", "Sa Ari 16°32' R",
    };
    EXPECT_EQ(PlanetTexts(sky), expected);
    EXPECT_EQ(BodyText(Body::Rahu, sky.at(Body::Rahu)), "Ra Can 11°11' R");
    EXPECT_EQ(BodyText(Body::Ketu, sky.at(Body::Ketu)), "Ke Cpr 11°11' R");

    // Jupiter in Makara is in the ninth place from a Mesha lagna, as the planet check counts it.
    Sky makara = sky;
    makara.bodies[static_cast<std::size_t>(Body::Jupiter)] = ComputeSky(Jd(2020, 12, 21, 18.0)).at(Body::Jupiter);
    EXPECT_TRUE(JupiterNinthCheck(PlanetTexts(makara)[static_cast<std::size_t>(Body::Jupiter)], 1));
}

TEST(ComputeSky, SameAnswersOnAWorkerThread) {
    std::vector<double> moments;
    for (int i = 0; i < 40; ++i) moments.push_back(Jd(2026, 1, 1, 0.0) + 9.37 * i + 17 * Minute * i);

    // Every other moment with the system's own Moon.
    const auto sky = [&moments](std::size_t i) {
        return i % 2 == 0 ? ComputeSky(moments[i]) : ComputeSky(moments[i], 123.0);
    };
    std::vector<Sky> worker;
    std::thread thread([&] {
        for (std::size_t i = 0; i < moments.size(); ++i) worker.push_back(sky(i));
    });
    thread.join();

    // Another sidereal mode left in this thread's ephemeris state must not leak into the answers.
    swe_set_sid_mode(SE_SIDM_FAGAN_BRADLEY, 0.0, 0.0);
    ASSERT_EQ(worker.size(), moments.size());
    for (std::size_t i = 0; i < moments.size(); ++i) {
        EXPECT_EQ(sky(i), worker[i]) << moments[i];
    }
}

}  // namespace
}  // namespace kalvora
