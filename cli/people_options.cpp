#include "cli/people_options.h"

#include "store/group.h"
#include "store/people_store.h"

namespace kalvora {

std::vector<Role> ParseRoles(std::string_view option, std::string_view text) {
    std::vector<Role> roles;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        const std::size_t at = ParseChoice(option, text.substr(start, comma - start),
                                           {RoleWord(Role::Groom), RoleWord(Role::Bride), RoleWord(Role::None)});
        roles.push_back(std::array{Role::Groom, Role::Bride, Role::None}[at]);
        if (comma == std::string_view::npos) return roles;
        start = comma + 1;
    }
}

OtherPerson OtherOf(const Person& person, AtlasOnDemand& atlas, std::string_view option, std::string_view seeHelp) {
    OtherPerson other{person.name, person.sex, {}, {}};
    MomentSources sources;
    PersonIntoMoment(person, other.birth, sources);
    other.birthOrigin = ResolveMoment(option, sources, other.birth, atlas, seeHelp);
    return other;
}

void TakeGroup(const std::string& name, const std::set<std::string_view>& given, MomentInput& birth,
               MomentSources& sources, std::string& personName, std::string& personSex, std::vector<Person>& rest,
               std::vector<Role>& roles) {
    for (const std::string_view option : GroupReplacedOptions) {
        if (given.contains(option)) Fail(option, "not taken with --group, whose saved people it would replace");
    }
    const PeopleStore store;
    if (store.State() == StoreState::Unavailable) Fail("--group", store.Problem());
    std::vector<GroupPerson> members;
    try {
        members = GroupPeople(store, name);
    } catch (const StoreFailure& e) {
        Fail("--group", e.what());
    }
    if (members.empty()) Fail("--group", "the saved group " + Quoted(name) + " has nobody in it");
    const Person& first = members.front().stored.person;
    PersonIntoMoment(first, birth, sources);
    personName = first.name;
    personSex = first.sex;
    for (std::size_t i = 1; i < members.size(); ++i) rest.push_back(members[i].stored.person);
    if (given.contains("--roles")) return;
    roles.clear();
    for (const GroupPerson& member : members) {
        roles.push_back(member.role.empty() ? RoleOfSex(member.stored.person.sex)
                                            : ParseRoles("--group", member.role).front());
    }
}

}  // namespace kalvora
