#pragma once
// A person whose birth data is kept in the people store: the birth page's fields as they were entered, so that a
// calculation from a saved person is the same as one from the typed fields. Plain records, no Qt types.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "astro/local_time.h"  // the texts of offsets (OffsetText) and clock times
#include "astro/moment.h"

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

// A person's birth as a typed moment, the one conversion the birth page and the command line share: the clock, the
// coordinates rounded to whole minutes of arc, and a typed zone's offset in the zone boxes (seconds included) with
// its daylight-saving box. A zone id's offset depends on the birth time and is looked up by the caller: the zone
// boxes are then left at their defaults.
MomentInput BirthMomentOf(const Person& person);
// The reverse, into a person: the clock, the signed coordinates and, unless `zoneId` names the zone, the typed
// zone without its daylight-saving hour (which `dst` keeps).
void SetBirthMoment(Person& person, const MomentInput& moment, const std::string& zoneId);

// A person as the store holds it.
struct StoredPerson {
    std::int64_t key = 0;  // the row of the store, unique within one file
    Person person;
    std::string created;  // UT, "YYYY-MM-DDTHH:MM:SSZ"
    std::string changed;  // UT, "YYYY-MM-DDTHH:MM:SSZ"
    // What is wrong with the stored row ("" when nothing). A damaged row is listed, so that it can be seen and
    // removed, but is never calculated with, chosen or exported; `person` then holds what could be read of it.
    std::string damage;
    friend bool operator==(const StoredPerson&, const StoredPerson&) = default;
};

// What is wrong with a person's data ("" when nothing): a blank name, an unknown sex, a date outside the years
// the program calculates or not in the calendar, a time, place or zone out of range, a zone id the zone database
// does not know, a text that is not UTF-8 or holds control characters. Everything that saves or reads a person
// (the birth page, people add, people import, a stored row) checks it with this one function.
std::string PersonProblem(const Person& person);

// What a text field may hold: a name is one line and not blank; a line may be empty; a note may break lines.
enum class TextRule { Name, Line, Note };
// What is wrong with one text field ("" when nothing), `what` naming it ("the name").
std::string TextProblem(std::string_view what, std::string_view text, TextRule rule);

// The offset of the first byte that is not part of a UTF-8 character; none when the whole text is UTF-8.
std::optional<std::size_t> FirstNonUtf8Byte(std::string_view text);

// The text in single quotes as messages show a value, on one line: line breaks, tabs, backslashes and other
// control characters escaped (backslash n, t, backslash, or u and four hexadecimal digits), and bytes that are not
// UTF-8 as backslash x and two hexadecimal digits.
std::string QuotedText(std::string_view text);

// "YYYY-MM-DDTHH:MM" and back; the reader returns none for another shape or an impossible date or time.
std::string BornText(const BirthClock& born);
std::optional<BirthClock> ReadBornText(std::string_view text);

// "YYYY-MM-DD" of a birth, the way lists tell apart two people of one name.
std::string BirthDateText(const BirthClock& born);
constexpr LocalDate BirthDateOf(const BirthClock& born) { return {born.year, born.month, born.day}; }

}  // namespace kalvora
