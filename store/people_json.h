#pragma once
// The people as JSON, for `people list --json` and for a backup that reads back exactly:
//   {"people": [{"name": ..., "sex": "Male" | "Female", "born": "YYYY-MM-DDTHH:MM",
//                "place": {"name", "state", "country"} or null, "latitude": ..., "longitude": ...,
//                "zone": {"id": "Asia/Kolkata" or null, "offset": "+05:30" or null, "dst": false},
//                "note": ..., "created": "YYYY-MM-DDTHH:MM:SSZ", "changed": ...}]}
// Latitude and longitude are signed degrees, north and east positive. "created" and "changed" may be left out
// of a file to read; they are then set when the people are saved. A file must be UTF-8 throughout.
//
// A backup holds the saved groups after the people, when there are any:
//   "groups": [{"name": ..., "members": [{"name": ..., "born": "YYYY-MM-DDTHH:MM", "role": "bride" | "groom" | ""}],
//               "created": ..., "changed": ...}]
// A member is named by the name and birth of a person of the file or of the store that reads it in.

#include <string>
#include <vector>

#include "store/group.h"
#include "store/person.h"

namespace kalvora {

// Damaged rows are never written as people (an import could not read them back); with `listDamaged` they are
// named after the people: "damaged": [{"key": 7, "name": ..., "damage": ...}].
std::string PeopleJson(const std::vector<StoredPerson>& people, bool indented, bool listDamaged = false);

// Reads every person of a file's text; throws StoreFailure naming the first entry that is wrong, and what is
// wrong with it. Keys are not taken from the file.
std::vector<StoredPerson> ReadPeopleJson(const std::string& text);

// A backup: the people as PeopleJson writes them, then the groups (left out when there are none, so that a store
// without groups is backed up as before). Damaged people and groups are never written.
std::string PeopleBackupJson(const std::vector<StoredPerson>& people, const std::vector<StoredGroup>& groups,
                             bool indented);
// Reads a backup: its people as ReadPeopleJson does, and its groups, refusing (StoreFailure naming the first
// wrong entry) a group without a name or members, a member named twice, a role not known, or two groups of one
// name. Whether each member is a person of the file or the store is for the store to find out when it reads the
// backup in.
PeopleBackup ReadPeopleBackup(const std::string& text);

// The groups for `people group list --json`: {"groups": [group as in a backup]}, with `listDamaged` the damaged
// ones named after them: "damaged": [{"key", "name", "damage"}].
std::string GroupsJson(const std::vector<StoredGroup>& groups, bool indented, bool listDamaged);
// One group's object as in a backup (the group must not be damaged).
std::string GroupJson(const StoredGroup& group, bool indented);

}  // namespace kalvora
