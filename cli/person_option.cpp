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
    const std::string& name = *choice.name;
    std::vector<StoredPerson> named = store.Named(name);
    if (named.empty()) Fail("--person", "no person named " + Quoted(name) + " is saved");
    if (choice.born) {
        std::erase_if(named, [&](const StoredPerson& p) {
            return LocalDate{p.person.born.year, p.person.born.month, p.person.born.day} != *choice.born;
        });
        if (named.empty()) {
            Fail("--born", "no person named " + Quoted(name) + " was born on that date; saved birth dates: " +
                               BirthDatesText(store.Named(name), false));
        }
    }
    if (named.size() > 1) {
        Fail("--person", std::to_string(named.size()) + " people named " + Quoted(name) + " are saved, born " +
                             BirthDatesText(named, choice.born.has_value()) +
                             (choice.born ? "; the command line cannot tell them apart"
                                          : "; say which with --born YYYY-MM-DD"));
    }
    if (!named.front().damage.empty()) {
        Fail("--person", "the saved person " + Quoted(name) + " cannot be used: " + named.front().damage +
                             " (kalvora-cli people remove takes it away; people set-aside moves the file aside)");
    }
    const Person& person = named.front().person;
    PersonIntoMoment(person, birth, sources);
    personName = person.name;
    personSex = person.sex;
}

}  // namespace kalvora
