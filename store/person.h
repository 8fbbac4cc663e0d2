#pragma once
// A person whose birth data is kept in the people store: the birth page's fields as they were entered, so that a
// calculation from a saved person is the same as one from the typed fields. Plain records, no Qt types.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kalvora {

// The sexes a person may have, as the birth page and the command line spell them.
inline constexpr auto PersonSexes = std::to_array<std::string_view>({"Male", "Female"});

// The local clock time of the birth, to the minute, as typed.
struct BirthClock {
    int year = 2000;
    int month = 1;  // 1..12
    int day = 1;
    int hour = 0;
    int minute = 0;
    friend auto operator<=>(const BirthClock&, const BirthClock&) = default;
};

// The birth place's names as chosen from the atlas.
struct BirthPlace {
    std::string name;
    std::string state;
    std::string country;
    friend bool operator==(const BirthPlace&, const BirthPlace&) = default;
};

// The zone as it was entered: either a zone id of the zone database ("Asia/Kolkata"), whose offset is looked up
// for the birth time, or an offset typed in hours, minutes and seconds. `dst` is the daylight-saving box.
struct BirthZone {
    std::optional<std::string> id;
    std::optional<int> offsetSeconds;  // east of UT positive; set exactly when `id` is not
    bool dst = false;
    friend bool operator==(const BirthZone&, const BirthZone&) = default;
};

// A person's entered data.
struct Person {
    std::string name;
    std::string sex = "Male";  // one of PersonSexes
    BirthClock born;
    std::optional<BirthPlace> place;  // none when the latitude and longitude were typed
    double latitude = 0.0;            // degrees, north positive
    double longitude = 0.0;           // degrees, east positive
    BirthZone zone;
    std::string note;
    friend bool operator==(const Person&, const Person&) = default;
};

// A person as the store holds it.
struct StoredPerson {
    std::int64_t key = 0;  // the row of the store, unique within one file
    Person person;
    std::string created;  // UT, "YYYY-MM-DDTHH:MM:SSZ"
    std::string changed;  // UT, "YYYY-MM-DDTHH:MM:SSZ"
    friend bool operator==(const StoredPerson&, const StoredPerson&) = default;
};

// What is wrong with a person's data ("" when nothing): an empty name, an unknown sex, a date outside the years
// the program calculates or not in the calendar, a time, place or zone out of range.
std::string PersonProblem(const Person& person);

// "YYYY-MM-DDTHH:MM" and back; the reader returns none for another shape or an impossible date or time.
std::string BornText(const BirthClock& born);
std::optional<BirthClock> ReadBornText(std::string_view text);

// "+05:30", or "+05:21:10" when there are seconds; and back (none for another shape or more than 14 hours).
std::string OffsetText(int offsetSeconds);
std::optional<int> ReadOffsetText(std::string_view text);

// "YYYY-MM-DD" of a birth, the way lists tell apart two people of one name.
std::string BirthDateText(const BirthClock& born);

}  // namespace kalvora
