#pragma once
// The options of several people, shared by the calculation, find and month: --person given more than once (NAME
// or NAME@YYYY-MM-DD), a typed second person with --partner and its twins of the birth options, --roles, and
// --group NAME, a group saved in the people store in place of all of them.
//
// A command's options record O holds (as SearchPeopleOptions below does for find and month), beside the one
// person's `person`, `given` and `birthSources`:
//     std::vector<PersonChoice> morePeople;  OtherPerson partner;  MomentSources partnerSources;
//     std::vector<Role> roles;  std::optional<std::string> group;  std::vector<Person> groupRest;
//     std::vector<OtherPerson> others;  CalculationInput& First();

#include <array>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "cli/birth_options.h"
#include "cli/options.h"
#include "cli/person_option.h"
#include "cli/places.h"
#include "driver/people_calculation.h"
#include "finder/finder.h"
#include "store/person.h"

namespace kalvora {

// The undertaking and its people of a command that searches (find, month), as the calculation takes them: the
// query's input holds the first person; `others` and `roles` go into the query once read.
struct SearchPeopleOptions {
    FinderQuery query;
    MomentSources birthSources;
    PersonChoice person;  // --person and --born, in place of the birth options
    std::set<std::string_view> given;
    std::vector<PersonChoice> morePeople;
    OtherPerson partner;
    MomentSources partnerSources;
    std::vector<Role> roles;
    std::optional<std::string> group;
    std::vector<Person> groupRest;
    std::vector<OtherPerson> others;
    MomentInput& BirthMoment() { return query.input.birth; }
    CalculationInput& First() { return query.input; }
    Conventions& ConventionsChosen() { return query.input.conventions; }
};

// The options --group stands in for: every option of a person.
inline constexpr auto GroupReplacedOptions = std::to_array<std::string_view>(
    {"--person", "--born", "--birth", "--birth-place", "--birth-lat", "--birth-lon", "--birth-zone", "--birth-dst",
     "--birth-tz", "--birth-fold", "--birth-weekday", "--name", "--sex", "--partner", "--partner-place",
     "--partner-lat", "--partner-lon", "--partner-zone", "--partner-dst", "--partner-tz", "--partner-fold",
     "--partner-name", "--partner-sex"});

// The first person of a group named with --group into the birth's options, name and sex; the other members, in
// the group's order, into `rest`; and unless --roles was given, each member's saved role into `roles` (a member
// saved with none takes the role of their sex). Throws ArgumentError (status 2) for an option --group replaces,
// a group nobody saved, or one that cannot be used.
void TakeGroup(const std::string& name, const std::set<std::string_view>& given, MomentInput& birth,
               MomentSources& sources, std::string& personName, std::string& personSex, std::vector<Person>& rest,
               std::vector<Role>& roles);

// A saved person beside the first: name, sex and birth, its place and zone resolved as --person resolves them.
OtherPerson OtherOf(const Person& person, AtlasOnDemand& atlas, std::string_view option, std::string_view seeHelp);

// "--roles groom,bride,none": the roles in the order given. Throws ArgumentError naming `option`.
std::vector<Role> ParseRoles(std::string_view option, std::string_view text);

namespace people_options {

// The first --person is the person of the calculation, as ever; each further one is a person beside them.
template <typename O>
void Person(O& o, std::string_view option, std::string_view text) {
    PersonChoice choice = ParsePersonChoice(option, text);
    if (o.person.name) {
        o.morePeople.push_back(std::move(choice));
    } else {
        o.person = std::move(choice);
    }
}

// Read after --person: with one person it says which of a name; several give their dates after @.
template <typename O>
void Born(O& o, std::string_view option, std::string_view text) {
    if (!o.morePeople.empty()) {
        Fail(option, "taken only with a single --person; give each one's birth date as NAME@YYYY-MM-DD");
    }
    if (o.person.born) Fail(option, "the birth date is already given after @ in --person");
    person_option::Born(o, option, text);
}

template <typename O>
MomentInput& PartnerOf(O& o) { return o.partner.birth; }
template <typename O>
MomentSources& PartnerSourcesOf(O& o) { return o.partnerSources; }

template <typename O>
void PartnerName(O& o, std::string_view, std::string_view text) { o.partner.name = text; }
template <typename O>
void PartnerSex(O& o, std::string_view option, std::string_view text) { o.partner.sex = ParseSex(option, text); }

// The roles by name, one a person; how many people there are is checked once all are read.
template <typename O>
void Roles(O& o, std::string_view option, std::string_view text) { o.roles = ParseRoles(option, text); }

template <typename O>
void Group(O& o, std::string_view option, std::string_view text) {
    if (text.empty()) Fail(option, "the group's name is empty");
    o.group = std::string(text);
}

}  // namespace people_options

// --person (repeated) and --born.
template <typename O>
constexpr auto PeopleRows() {
    return std::to_array<Option<O>>({
        {"--person", OptionKind::Repeated, people_options::Person<O>},
        {"--born", OptionKind::Value, people_options::Born<O>},
    });
}

// The options of the second person typed beside the first: the birth options' twins, then name and sex.
template <typename O>
constexpr auto PartnerRows() {
    return JoinRows(TypedMomentRows<O, people_options::PartnerOf<O>, people_options::PartnerSourcesOf<O>,
                                    OptionKind::Value>("--partner", PartnerOptionNames),
                    std::to_array<Option<O>>({
                        {"--partner-name", OptionKind::Value, people_options::PartnerName<O>},
                        {"--partner-sex", OptionKind::Value, people_options::PartnerSex<O>},
                    }));
}

// --roles and --group.
template <typename O>
constexpr auto RolesAndGroupRows() {
    return std::to_array<Option<O>>({
        {"--roles", OptionKind::Value, people_options::Roles<O>},
        {"--group", OptionKind::Value, people_options::Group<O>},
    });
}

// The first person: the group's first member with --group, else the one of --person or of the birth options.
template <typename O>
void TakeFirstPerson(O& o, std::string_view seeHelp) {
    CalculationInput& first = o.First();
    if (o.group) {
        TakeGroup(*o.group, o.given, first.birth, o.birthSources, first.personName, first.personSex, o.groupRest,
                  o.roles);
    } else {
        TakePerson(o.person, o.given, first.birth, o.birthSources, first.personName, first.personSex, seeHelp);
    }
}

// The people after the first: the group's other members, or each further --person from the store and then the
// one typed with --partner; each needs a name, and --roles one role a person.
template <typename O>
void TakeMorePeople(O& o, AtlasOnDemand& atlas, std::string_view seeHelp) {
    const bool partner = o.given.contains("--partner");
    if (!partner) {
        for (const Option<O>& row : PartnerRows<O>()) {
            if (o.given.contains(row.name)) Fail(row.name, "taken only with --partner, the second person's birth");
        }
    }
    for (const kalvora::Person& member : o.groupRest) o.others.push_back(OtherOf(member, atlas, "--group", seeHelp));
    if (!o.morePeople.empty()) {
        const PeopleStore store;
        if (store.State() == StoreState::Unavailable) Fail("--person", store.Problem());
        for (const PersonChoice& choice : o.morePeople) {
            const kalvora::Person person = LookUpPerson(store, choice, "--person", "--person");
            o.others.push_back(OtherOf(person, atlas, "--person", seeHelp));
        }
    }
    if (partner) {
        if (o.partner.name.empty()) Fail("--partner-name", "missing: each of several people needs a name");
        o.partner.birthOrigin = ResolveMoment("--partner", o.partnerSources, o.partner.birth, atlas, seeHelp);
        o.others.push_back(o.partner);
    }
    if (!o.others.empty() && o.First().personName.empty()) {
        Fail("--name", "missing: each of several people needs a name");
    }
    if (!o.given.contains("--roles")) return;
    const std::size_t people = o.others.size() + 1;
    if (people == 1) Fail("--roles", "taken only with several people (--person, --partner, --group)");
    const std::optional<MuhurthaSubject> subject = FindSubject(o.First().subject);
    if (!subject || !HasRoles(*subject)) {
        Fail("--roles", "the undertaking has no roles; Engagement, Marriage and First Entrance of the Bride have a "
                        "bride and a groom");
    }
    if (o.roles.size() != people) {
        Fail("--roles", "names " + std::to_string(o.roles.size()) + " roles for " + std::to_string(people) +
                            " people");
    }
}

}  // namespace kalvora
