#pragma once
// The people as JSON, for `people list --json` and for a backup that reads back exactly:
//   {"people": [{"name": ..., "sex": "Male" | "Female", "born": "YYYY-MM-DDTHH:MM",
//                "place": {"name", "state", "country"} or null, "latitude": ..., "longitude": ...,
//                "zone": {"id": "Asia/Kolkata" or null, "offset": "+05:30" or null, "dst": false},
//                "note": ..., "created": "YYYY-MM-DDTHH:MM:SSZ", "changed": ...}]}
// Latitude and longitude are signed degrees, north and east positive. "created" and "changed" may be left out
// of a file to read; they are then set when the people are saved. A file must be UTF-8 throughout.

#include <string>
#include <vector>

#include "store/person.h"

namespace kalvora {

// Damaged rows are never written as people (an import could not read them back); with `listDamaged` they are
// named after the people: "damaged": [{"key": 7, "name": ..., "damage": ...}].
std::string PeopleJson(const std::vector<StoredPerson>& people, bool indented, bool listDamaged = false);

// Reads every person of a file's text; throws StoreFailure naming the first entry that is wrong, and what is
// wrong with it. Keys are not taken from the file.
std::vector<StoredPerson> ReadPeopleJson(const std::string& text);

}  // namespace kalvora
