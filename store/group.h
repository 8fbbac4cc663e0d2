#pragma once
// A saved group of people ("Asha and Ravi", a family entering a house): a name and the saved people in it, in
// the order given, each with their part in the undertaking where it has parts. Plain records, no Qt types.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/person.h"

namespace kalvora {

// The parts a member may have, as the store and the command line spell them; "" is none.
inline constexpr auto GroupRoles = std::to_array<std::string_view>({"bride", "groom"});

// One member: the stored person (its key in the store) and its part.
struct GroupMember {
    std::int64_t personKey = 0;
    std::string role;  // one of GroupRoles, or ""
    friend bool operator==(const GroupMember&, const GroupMember&) = default;
};

struct Group {
    std::string name;
    std::vector<GroupMember> members;  // at least one, each person once
    friend bool operator==(const Group&, const Group&) = default;
};

// A group as the store holds it.
struct StoredGroup {
    std::int64_t key = 0;
    Group group;
    // The members' stored rows, in the order of `group.members` (as read with the group).
    std::vector<StoredPerson> people;
    std::string created;  // UT, "YYYY-MM-DDTHH:MM:SSZ"
    std::string changed;
    // What is wrong with the group ("" when nothing): a row another program spoilt, a member that is no longer
    // stored or whose row is damaged. A damaged group is listed, so that it can be seen and removed, but is never
    // calculated with or exported.
    std::string damage;
    friend bool operator==(const StoredGroup&, const StoredGroup&) = default;
};

// A member as a backup names it: by the person's name and birth, since keys belong to one file.
struct MemberReference {
    std::string name;
    BirthClock born;
    std::string role;
    friend bool operator==(const MemberReference&, const MemberReference&) = default;
};

// A group as a backup holds it.
struct GroupEntry {
    std::string name;
    std::vector<MemberReference> members;
    std::string created;  // "" when the file leaves it out: set when the group is saved
    std::string changed;
    friend bool operator==(const GroupEntry&, const GroupEntry&) = default;
};

// What is wrong with a group's name ("" when nothing): the rule of a person's name (UTF-8, one line, not blank).
std::string GroupNameProblem(std::string_view name);
// What is wrong with a member's part ("" when nothing).
std::string RoleProblem(std::string_view role);

// The group's members as a backup names them (the group must not be damaged).
GroupEntry EntryOfGroup(const StoredGroup& group);

// A backup's whole content: the people, then the groups, whose members are people of the backup or of the store.
struct PeopleBackup {
    std::vector<StoredPerson> people;
    std::vector<GroupEntry> groups;
};

// How messages name an entry of a backup: `group 2 ("Asha and Ravi")`.
std::string NumberedEntry(std::string_view kind, std::size_t number, std::string_view name);
// How messages name a member: `'Ravi', born 1990-03-04T10:00`.
std::string MemberText(std::string_view name, const BirthClock& born);

}  // namespace kalvora
