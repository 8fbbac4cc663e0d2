#pragma once
// kalvora-cli people group: saved groups of people ("Asha and Ravi", a family), named as one by the programs.
//   people group add NAME --member PERSON[@YYYY-MM-DD][:ROLE] ... [--replace]
//   people group list [--json]
//   people group show NAME [--json]
//   people group remove NAME
//   people group rename OLD NEW

#include <iosfwd>
#include <string>
#include <vector>

#include <optional>
#include <string_view>

#include "astro/calendar.h"

namespace kalvora {

// A --member value: the saved person's name, the birth date telling apart people of one name, and the part.
struct MemberChoice {
    std::string name;
    std::optional<LocalDate> born;
    std::string role;  // "bride", "groom" or "" (none)
};

// Reads PERSON[@YYYY-MM-DD][:ROLE]: the part after the last colon is the role (bride, groom, or empty for none),
// the part after the last @ before it the birth date. Throws ArgumentError naming `option`.
MemberChoice ParseMember(std::string_view option, std::string_view text);

// The usage of `people group` and of each of its words.
std::string PeopleGroupUsageText();

// Runs "people group" (arguments after it). Exit status: 0 done, 2 bad arguments (also a member nobody saved has
// the name of, or several people share without a date), 1 a failure of the store.
int RunPeopleGroup(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kalvora
