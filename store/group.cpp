#include "store/group.h"

#include <algorithm>

namespace kalvora {

std::string GroupNameProblem(std::string_view name) { return TextProblem("the group's name", name, TextRule::Name); }

std::string RoleProblem(std::string_view role) {
    if (role.empty() || std::find(GroupRoles.begin(), GroupRoles.end(), role) != GroupRoles.end()) return {};
    return "the role must be bride, groom or none, got " + QuotedText(role);
}

GroupEntry EntryOfGroup(const StoredGroup& g) {
    GroupEntry entry{g.group.name, {}, g.created, g.changed};
    for (std::size_t i = 0; i < g.group.members.size() && i < g.people.size(); ++i) {
        entry.members.push_back({g.people[i].person.name, g.people[i].person.born, g.group.members[i].role});
    }
    return entry;
}

std::string NumberedEntry(std::string_view kind, std::size_t number, std::string_view name) {
    const std::string quoted = QuotedText(name);
    return std::string(kind) + " " + std::to_string(number) + " (\"" + quoted.substr(1, quoted.size() - 2) + "\")";
}

std::string MemberText(std::string_view name, const BirthClock& born) {
    return QuotedText(name) + ", born " + BornText(born);
}

}  // namespace kalvora
