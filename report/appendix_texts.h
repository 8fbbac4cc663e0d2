#pragma once
// The fixed texts of the report's appendix: its title, the headings of its parts, the labels of its rows and the
// sentences and joining words it uses, one table indexed by AppendixText. The names of the periods of the day come
// from the day's own name table (InauspiciousPeriodNames).

#include <array>
#include <cstdint>
#include <string_view>

#include "astro/enum_table.h"

namespace kalvora {

enum class AppendixText : std::uint8_t {
    Title,
    // For whom
    ForWhom, Name, Sex, BirthDate, BirthTime, BirthPlace, Coordinates,
    // The muhurtha as chosen
    ChosenMuhurtha, Undertaking, Date, Time, Place, Zone, Ayanamsa, Ephemeris,
    // Both moments
    BirthMoment, MuhurthaMoment, Lagna, Rashi, RashiLord, Nakshatra, NakshatraLord, Weekday, Paksha, Tithi, Yoga,
    Karana,
    // The planets
    BirthPlanets, MuhurthaPlanets,
    // The evaluation
    Factors, TotalScore, Muhurtha, LunarMonthRead, LeapMonthNeverFavourable,
    // The day
    Day, Sunrise, Sunset, NextSunrise, Abhijit, ChosenTime,
    // The season of the day
    Season, LunarMonth, Samvat, ForTheUndertaking,
    // The rest of the day's table
    DayTable, Varjyam, AmritKalam, Bhadra, Panchaka,
    // Sentences and joining words
    SunDoesNotRise, SunDoesNotSet, NoAbhijitOnWednesday, NoAvoidedPeriod, NoVeto, In, Until, On, To, AsTyped,
    DaylightSaving, ClockAt, None,
};

struct AppendixTextRow {
    AppendixText key;
    std::string_view text;
};

// The appendix's texts in enumerator order.
inline constexpr auto AppendixTexts = std::to_array<AppendixTextRow>({
    {AppendixText::Title, "Details of the Calculation"},
    {AppendixText::ForWhom, "For Whom"},
    {AppendixText::Name, "Name"},
    {AppendixText::Sex, "Sex"},
    {AppendixText::BirthDate, "Date of birth"},
    {AppendixText::BirthTime, "Time of birth"},
    {AppendixText::BirthPlace, "Place of birth"},
    {AppendixText::Coordinates, "Coordinates"},
    {AppendixText::ChosenMuhurtha, "The Chosen Muhurtha"},
    {AppendixText::Undertaking, "Undertaking"},
    {AppendixText::Date, "Date"},
    {AppendixText::Time, "Time"},
    {AppendixText::Place, "Place"},
    {AppendixText::Zone, "Zone"},
    {AppendixText::Ayanamsa, "Ayanamsa"},
    {AppendixText::Ephemeris, "Ephemeris"},
    {AppendixText::BirthMoment, "The Moment of Birth"},
    {AppendixText::MuhurthaMoment, "The Moment of the Muhurtha"},
    {AppendixText::Lagna, "Lagna"},
    {AppendixText::Rashi, "Rashi"},
    {AppendixText::RashiLord, "Rashi lord"},
    {AppendixText::Nakshatra, "Nakshatra"},
    {AppendixText::NakshatraLord, "Nakshatra lord"},
    {AppendixText::Weekday, "Weekday"},
    {AppendixText::Paksha, "Paksha"},
    {AppendixText::Tithi, "Tithi"},
    {AppendixText::Yoga, "Yoga"},
    {AppendixText::Karana, "Karana"},
    {AppendixText::BirthPlanets, "The Planets at Birth"},
    {AppendixText::MuhurthaPlanets, "The Planets at the Muhurtha"},
    {AppendixText::Factors, "Factors and Points"},
    {AppendixText::TotalScore, "Total score"},
    {AppendixText::Muhurtha, "Muhurtha"},
    {AppendixText::LunarMonthRead, "Lunar month read"},
    {AppendixText::LeapMonthNeverFavourable,
     "The Hindu Lunar Month factor is never Favourable in a leap month (adhika): the classical texts hold the leap "
     "month unfit for beginnings."},
    {AppendixText::Day, "The Day of the Muhurtha"},
    {AppendixText::Sunrise, "Sunrise"},
    {AppendixText::Sunset, "Sunset"},
    {AppendixText::NextSunrise, "Next sunrise"},
    {AppendixText::Abhijit, "Abhijit"},
    {AppendixText::ChosenTime, "Chosen time"},
    {AppendixText::Season, "The Season of the Day"},
    {AppendixText::LunarMonth, "Lunar month"},
    {AppendixText::Samvat, "Samvat"},
    {AppendixText::ForTheUndertaking, "For the undertaking"},
    {AppendixText::DayTable, "Lagnas, Varjyam, Amrit Kalam, Bhadra and Panchaka"},
    {AppendixText::Varjyam, "Varjyam"},
    {AppendixText::AmritKalam, "Amrit kalam"},
    {AppendixText::Bhadra, "Bhadra"},
    {AppendixText::Panchaka, "Panchaka"},
    {AppendixText::SunDoesNotRise, "The Sun does not rise: the periods of the day are not reckoned."},
    {AppendixText::SunDoesNotSet, "The Sun does not set: the periods of the day are not reckoned."},
    {AppendixText::NoAbhijitOnWednesday, "none on Wednesday"},
    {AppendixText::NoAvoidedPeriod, "in none of the periods above"},
    {AppendixText::NoVeto, "No veto is in force during this day."},
    {AppendixText::In, "in"},
    {AppendixText::Until, "until"},
    {AppendixText::On, "on"},
    {AppendixText::To, "to"},
    {AppendixText::AsTyped, "as typed"},
    {AppendixText::DaylightSaving, "daylight saving"},
    {AppendixText::ClockAt, "clock at"},
    {AppendixText::None, "none"},
});

static_assert(InEnumeratorOrder(AppendixTexts, &AppendixTextRow::key), "each appendix text sits at its place");
static_assert(static_cast<std::size_t>(AppendixText::None) + 1 == AppendixTexts.size(), "every text has its row");

constexpr std::string_view TextOf(AppendixText key) { return AppendixTexts[static_cast<std::size_t>(key)].text; }

}  // namespace kalvora
