// The Sun, the Moon, the ascendant and the ayanamsa as the reckoning reads them, against the ephemeris library's
// own values at the same instant.

#include <cmath>
#include <cstdint>

#include <gtest/gtest.h>
#include <swephexp.h>

#include "astro/ephemeris.h"
#include "planets/reckoner.h"
#include "planets/sky.h"

namespace kalvora {
namespace {

constexpr double ArcsecDeg = 1.0 / 3600.0;

double Apart(double a, double b) { return std::fabs(std::remainder(a - b, 360.0)); }

// Moments in universal time over the program's years, and about the Sun's passage of delta Cancri (True Pushya's
// star, on the ecliptic) on 1 August 2023 near 12:00 UT, whose light it bends by arc seconds within hours.
struct Utc {
    std::int16_t year, month, day, hour, minute;
};
constexpr auto Moments = std::to_array<Utc>({{1901, 1, 1, 19, 37}, {1949, 6, 3, 9, 36}, {2000, 1, 1, 12, 0},
                                             {2026, 12, 10, 5, 3}, {2094, 3, 2, 22, 40}, {2023, 8, 1, 4, 48},
                                             {2023, 8, 1, 11, 33}, {2023, 8, 1, 13, 12}, {2023, 8, 2, 2, 24}});

// A moment converted as the calculation converts it, on universal time at a place.
MomentTime TimeOf(const Utc& at, double latitude, double longitude) {
    MomentInput input{at.month, at.day, at.year, at.hour, at.minute, {}, {}};
    SetLatitude(input.place, latitude);
    SetLongitude(input.place, longitude);
    return ConvertMoment(input);
}

// Each ayanamsa as read day by day stays with the library's at every instant, through the star's passage too, and
// Lahiri is no shift at all.
TEST(Reckoner, AyanamsaReadByTheDayKeepsToTheLibrary) {
    for (std::size_t a = 0; a < AyanamsaWords.size(); ++a) {
        const auto ayanamsa = static_cast<Ayanamsa>(a);
        SCOPED_TRACE(AyanamsaWords[a].word);
        AyanamsaDays days(ayanamsa);
        for (const Utc& at : Moments) {
            const double jd = JulianDayUt(TimeOf(at, 0.0, 0.0));
            SCOPED_TRACE(jd);
            EXPECT_LT(std::fabs(days.At(jd) - LibraryMeanAyanamsaDeg(ayanamsa, jd)), 0.002 * ArcsecDeg);
            const double libraryShift = LibraryAyanamsaDeg(ayanamsa, jd) - LibraryAyanamsaDeg(Ayanamsa::Lahiri, jd);
            EXPECT_LT(std::fabs(AyanamsaShiftDeg(ayanamsa, jd) - libraryShift), 0.002 * ArcsecDeg);
        }
    }
}

// With the precise ephemeris the sidereal Moon, the sidereal ascendant, the apparent Sun and the ayanamsa are the
// library's own (its sidereal positions and houses in the same sidereal mode) to a thousandth of an arc second, at
// any latitude the ascendant is defined, and the closed-form series stays within a minute and a half of arc.
TEST(Reckoner, PreciseIsTheLibrarysOwn) {
    struct Place {
        double latitude, longitude;
    };
    for (const Ayanamsa ayanamsa : {Ayanamsa::Lahiri, Ayanamsa::Raman, Ayanamsa::TruePushya}) {
        Reckoner precise({ayanamsa, EphemerisChoice::Precise});
        Reckoner series(ayanamsa);
        for (const Utc& at : Moments) {
            for (const Place p : {Place{13.08, 80.27}, Place{69.65, 18.95}, Place{-33.87, 151.2}}) {
                const MomentTime time = TimeOf(at, p.latitude, p.longitude);
                const double jd = JulianDayUt(time);
                SCOPED_TRACE(testing::Message() << WordOf(ayanamsa, AyanamsaWords).word << " " << at.year << "-"
                                                << at.month << "-" << at.day << " " << at.hour << ":" << at.minute
                                                << " " << p.latitude);

                swe_set_sid_mode(SiderealModeOf(ayanamsa), 0.0, 0.0);
                double moon[6], sun[6], cusps[13], angles[10];
                char message[AS_MAXCH];
                ASSERT_GE(swe_calc_ut(jd, SE_MOON, SEFLG_MOSEPH | SEFLG_SIDEREAL, moon, message), 0);
                ASSERT_GE(swe_calc_ut(jd, SE_SUN, SEFLG_MOSEPH, sun, message), 0);
                ASSERT_GE(swe_houses_ex(jd, SEFLG_SIDEREAL, time.latitude, time.longitude, 'E', cusps, angles), 0);

                ChartPositions chart;
                precise.Moon(time, chart);
                precise.Lagna(time, chart);
                EXPECT_LT(Apart(chart.moonLongitude, moon[0]), 0.001 * ArcsecDeg);
                EXPECT_LT(Apart(chart.lagnaLongitude, angles[0]), 0.001 * ArcsecDeg);
                EXPECT_LT(Apart(precise.LongitudesAt(jd).sun.reduced, sun[0]), 0.001 * ArcsecDeg);
                EXPECT_LT(std::fabs(precise.AyanamsaDeg(jd) - LibraryAyanamsaDeg(ayanamsa, jd)), 0.001 * ArcsecDeg);

                ChartPositions specified;
                series.Moon(time, specified);
                EXPECT_LT(Apart(specified.moonLongitude, chart.moonLongitude), 90.0 * ArcsecDeg);
            }
        }
    }
}

}  // namespace
}  // namespace kalvora
