#pragma once
// --person NAME [--born YYYY-MM-DD]: a saved person's birth data, name and sex in place of the birth options, in
// the calculation (and its report) and in find. The person's zone is taken as it was entered: a zone id as with
// --birth-tz (its place's names and coordinates as with --birth-place), a typed offset as with --birth-zone and
// --birth-dst, so that the result is the one of typing them.

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "astro/calendar.h"
#include "cli/options.h"
#include "cli/places.h"
#include "store/people_store.h"

namespace kalvora {

struct PersonChoice {
    std::optional<std::string> name;  // --person
    std::optional<LocalDate> born;    // --born: which of several people of the name
};

namespace person_option {
// Read after --person (the rows of --person and --born are in cli/people_options.h).
template <typename O>
void Born(O& o, std::string_view option, std::string_view text) {
    if (!o.person.name) Fail(option, "taken only with --person, to say which of several people of a name");
    o.person.born = ParseDate(option, text);
}
}  // namespace person_option

// The options a saved person stands in for; refused beside --person.
inline constexpr auto PersonReplacedOptions = std::to_array<std::string_view>(
    {"--birth", "--birth-place", "--birth-lat", "--birth-lon", "--birth-zone", "--birth-dst", "--birth-tz",
     "--birth-weekday", "--name", "--sex"});

// The person as a birth moment's options: the clock, the coordinates and the zone as entered. Without a
// person, --birth must have been given. Throws ArgumentError (status 2) for a birth option beside --person, a
// name nobody has, or several people of the name that --born does not tell apart.
void TakePerson(const PersonChoice& choice, const std::set<std::string_view>& given, MomentInput& birth,
                MomentSources& sources, std::string& personName, std::string& personSex, std::string_view seeHelp);

// A person as --person names them when several are given: NAME, or NAME@YYYY-MM-DD with the birth date telling
// apart people of one name. A text whose part after its last @ is not shaped as a date is a name whole.
PersonChoice ParsePersonChoice(std::string_view option, std::string_view text);

// The saved person a choice names, from an open store. `option` is named when nobody has the name or several do,
// `bornOption` when nobody of the name was born on the chosen date. Throws ArgumentError.
Person LookUpPerson(const PeopleStore& store, const PersonChoice& choice, std::string_view option,
                    std::string_view bornOption);

// "1984-07-21, 1990-03-05" (with the times, "1984-07-21T05:42, ..."): how messages tell apart the people of a name.
std::string BirthDatesText(const std::vector<StoredPerson>& people, bool withTime);

// The same moment options from a person's data (the part of TakePerson after the store is read).
void PersonIntoMoment(const Person& person, MomentInput& birth, MomentSources& sources);

}  // namespace kalvora
