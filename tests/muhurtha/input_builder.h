#pragma once
// Evaluation inputs written by hand for the muhurtha tests, and the result text as a list of lines.

#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>

#include "muhurtha/evaluation.h"

namespace kalvora::testing {

// Starts from a plain muhurtha: Tara and Moon favourable; birth in "Bharani", Moon in "Mesha", lagna "Simha",
// born 15 January 2000; muhurtha on 10 April 2024 at 10:30, a "Sunday", in "Rohini", Moon in "Vrishabha",
// lagna "Kanya", yoga "Prithi", karana "Bava", the first tithi of the bright fortnight; a boy; no planet texts.
class InputBuilder {
public:
    explicit InputBuilder(std::string_view subject) {
        in_.subject = subject;
        in_.tara = TaraVerdict::Favourable;
        in_.moon = MoonVerdict::Favourable;
        in_.birth.nakshatra = "Bharani";
        in_.birth.rashi = "Mesha";
        in_.birth.lagna = "Simha";
        in_.muhurtha.nakshatra = "Rohini";
        in_.muhurtha.rashi = "Vrishabha";
        in_.muhurtha.lagna = "Kanya";
        in_.muhurtha.yoga = "Prithi";
        in_.muhurtha.karana = "Bava";
        Tithi(1);
        Weekday("Sunday");
        Born(2000, 1, 15);
        On(2024, 4, 10);
        At(10, 30);
        in_.sex = "Male";
    }

    InputBuilder& Tara(TaraVerdict v) { in_.tara = v; return *this; }
    InputBuilder& Moon(MoonVerdict v) { in_.moon = v; return *this; }
    InputBuilder& Nakshatra(std::string name) { in_.muhurtha.nakshatra = std::move(name); return *this; }
    InputBuilder& Rashi(std::string name) { in_.muhurtha.rashi = std::move(name); return *this; }
    InputBuilder& Lagna(std::string name) { in_.muhurtha.lagna = std::move(name); return *this; }
    InputBuilder& Yoga(std::string name) { in_.muhurtha.yoga = std::move(name); return *this; }
    InputBuilder& Karana(std::string name) { in_.muhurtha.karana = std::move(name); return *this; }
    InputBuilder& BirthNakshatra(std::string name) { in_.birth.nakshatra = std::move(name); return *this; }
    InputBuilder& BirthRashi(std::string name) { in_.birth.rashi = std::move(name); return *this; }
    InputBuilder& BirthLagna(std::string name) { in_.birth.lagna = std::move(name); return *this; }

    // Tithi number 1..30 with the rule name, class and paksha the almanac gives it.
    InputBuilder& Tithi(int number) {
        static constexpr std::array<std::string_view, 15> fortnight = {
            "Pratipada", "Dwitiya", "Tritiya", "Chaturthi", "Panchami", "Shasthi", "Saptami", "Ashtami",
            "Navami", "Dashami", "Ekadashi", "Dwadashi", "Triyodashi", "Chaturdashi", "Purnima"};
        static constexpr std::array<std::string_view, 5> classes = {"Nanda", "Bhadra", "Jaya", "Rikta", "Poorna"};
        const auto index = static_cast<std::size_t>(number - 1);
        in_.tithiNumber = static_cast<std::int16_t>(number);
        in_.tithiRuleName = number == 30 ? "Amavashya" : fortnight[index % 15];
        in_.tithiClass = classes[index % 5];
        in_.paksha = number <= 15 ? "Shukla Paksha" : "Krishna Paksha";
        return *this;
    }

    // The weekday box and the computed weekday together.
    InputBuilder& Weekday(std::string name) {
        in_.weekdayBox = name;
        in_.muhurtha.vaar = std::move(name);
        return *this;
    }

    InputBuilder& Born(int year, int month, int day) {
        in_.birthYear = static_cast<std::int16_t>(year);
        in_.birthMonth = static_cast<std::int16_t>(month);
        in_.birthDay = static_cast<std::int16_t>(day);
        return *this;
    }
    InputBuilder& On(int year, int month, int day) {
        in_.muhurthaYear = static_cast<std::int16_t>(year);
        in_.muhurthaMonth = static_cast<std::int16_t>(month);
        in_.muhurthaDay = static_cast<std::int16_t>(day);
        return *this;
    }
    InputBuilder& At(int hour, int minute) {
        in_.muhurthaHour = static_cast<std::int16_t>(hour);
        in_.muhurthaMinute = static_cast<std::int16_t>(minute);
        return *this;
    }
    InputBuilder& Sex(std::string sex) { in_.sex = std::move(sex); return *this; }
    // Planet 0..6 (Sun, Moon, Mercury, Venus, Mars, Jupiter, Saturn) with its sign abbreviation in characters 4-6.
    InputBuilder& Planet(std::size_t planet, std::string_view sign) {
        in_.planetTexts[planet] = "pl " + std::string(sign);
        return *this;
    }

    const EvaluationInput& Input() const { return in_; }

private:
    EvaluationInput in_;
};

inline constexpr std::size_t Jupiter = 5;

// The evaluation of a subject that is known to have a rule set.
inline Evaluation Evaluate(const InputBuilder& builder) {
    std::optional<Evaluation> e = EvaluateMuhurtha(builder.Input());
    EXPECT_TRUE(e.has_value()) << builder.Input().subject;
    return e.value_or(Evaluation{});
}

// Lines of the result label, each but the last followed by an empty line.
inline std::string ResultLines(std::initializer_list<std::string_view> lines) {
    std::string text;
    bool first = true;
    for (std::string_view line : lines) {
        if (!first) text += "\r\n\r\n";
        text += line;
        first = false;
    }
    return text;
}

}  // namespace kalvora::testing
