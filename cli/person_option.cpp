#include "cli/person_option.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "store/people_store.h"

namespace kalvora {

std::string BirthDatesText(const std::vector<StoredPerson>& people, bool withTime) {
    std::string text;
    for (const StoredPerson& p : people) {
        if (!text.empty()) text += ", ";
        text += withTime ? BornText(p.person.born) : BirthDateText(p.person.born);
    }
    return text;
}

void PersonIntoMoment(const Person& person, MomentInput& birth, MomentSources& sources) {
    birth = BirthMomentOf(person);
    if (person.place) {
        // As a place chosen from the atlas: its names, its coordinates to whole minutes of arc, and its zone
        // unless the zone was typed.
        Place place;
        place.name = person.place->name;
        place.state = person.place->state;
        place.country = person.place->country;
        place.timeZone = person.zone.id.value_or("");
        place.latitudeDeg = person.latitude;
        place.longitudeDeg = person.longitude;
        sources.saved = std::move(place);
    } else {
        sources.latitude = sources.longitude = true;  // as typed with --birth-lat and --birth-lon
    }
    if (person.zone.id) {
        if (!person.place) sources.zoneId = person.zone.id;  // as --birth-tz beside typed coordinates
        return;
    }
    sources.zone = true;
    sources.dst = person.zone.dst;
}

PersonChoice ParsePersonChoice(std::string_view option, std::string_view text) {
    PersonChoice choice;
    const std::size_t at = text.rfind('@');
    const std::string_view date = at == std::string_view::npos ? std::string_view() : text.substr(at + 1);
    const bool dateShaped =
        date.size() == 10 && std::all_of(date.begin(), date.end(), [](char c) { return c == '-' || (c >= '0' && c <= '9'); });
    const std::string_view name = dateShaped ? text.substr(0, at) : text;
    if (name.empty()) Fail(option, "the name is empty");
    choice.name = std::string(name);
    if (dateShaped) choice.born = ParseDate(option, date);
    return choice;
}

Person LookUpPerson(const PeopleStore& store, const PersonChoice& choice, std::string_view option,
                    std::string_view bornOption) {
    const std::string& name = *choice.name;
    std::vector<StoredPerson> named = store.Named(name);
    if (named.empty()) Fail(option, "no person named " + Quoted(name) + " is saved");
    if (choice.born) {
        std::erase_if(named, [&](const StoredPerson& p) {
            return LocalDate{p.person.born.year, p.person.born.month, p.person.born.day} != *choice.born;
        });
        if (named.empty()) {
            Fail(bornOption, "no person named " + Quoted(name) + " was born on that date; saved birth dates: " +
                               BirthDatesText(store.Named(name), false));
        }
    }
    if (named.size() > 1) {
        // The date goes after the name where the same option takes both.
        const std::string which = bornOption == option ? std::string(option) + " NAME@YYYY-MM-DD"
                                                       : std::string(bornOption) + " YYYY-MM-DD";
        Fail(option, std::to_string(named.size()) + " people named " + Quoted(name) + " are saved, born " +
                             BirthDatesText(named, choice.born.has_value()) +
                             (choice.born ? "; the command line cannot tell them apart"
                                          : "; say which with " + which));
    }
    if (!named.front().damage.empty()) {
        Fail(option, "the saved person " + Quoted(name) + " cannot be used: " + named.front().damage +
                             " (kalvora-cli people remove takes it away; people set-aside moves the file aside)");
    }
    return named.front().person;
}

void TakePerson(const PersonChoice& choice, const std::set<std::string_view>& given, MomentInput& birth,
                MomentSources& sources, std::string& personName, std::string& personSex, std::string_view seeHelp) {
    if (!choice.name) {
        if (!given.contains("--birth")) options_detail::Missing("--birth", seeHelp);
        return;
    }
    for (const std::string_view option : PersonReplacedOptions) {
        if (given.contains(option)) Fail(option, "not taken with --person, whose saved birth data it would replace");
    }
    const PeopleStore store;
    if (store.State() == StoreState::Unavailable) Fail("--person", store.Problem());
    const Person person = LookUpPerson(store, choice, "--person", "--born");
    PersonIntoMoment(person, birth, sources);
    personName = person.name;
    personSex = person.sex;
}

}  // namespace kalvora
