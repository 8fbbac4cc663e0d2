#pragma once
// kalvora-cli people: the saved persons, listed, added, removed, written to a JSON backup and read back from one.
//   people list [--json]
//   people add --name TEXT --sex Male|Female --birth ... and the birth's place and zone as the calculation
//              takes them [--note TEXT]
//   people remove NAME [--born YYYY-MM-DD]
//   people export FILE.json
//   people import FILE.json
//   people set-aside          (moves an unreadable people file aside and starts a new one)
//   people group ...          (saved groups of people: cli/people_group.h)

#include <iosfwd>
#include <string>
#include <vector>

#include "astro/moment.h"
#include "driver/calculation.h"
#include "store/people_store.h"
#include "store/person.h"

namespace kalvora {

// The person of a birth moment and where its place and zone came from: signed degrees from degrees and minutes,
// the atlas place's names, and the zone id, or else the typed zone in seconds with the daylight-saving flag.
Person PersonOfMoment(const MomentInput& birth, const MomentOrigin& origin);

// One line of `people list`.
std::string PersonLine(const Person& person);

std::string PeopleUsageText();

// The store must be readable; where moving the file aside would help, the message says how (CommandError, 1).
void RequireReadable(const PeopleStore& store);

// Runs "people" (arguments after it). Exit status: 0 done, 2 bad arguments (also a name that several people
// share, given without --born), 1 a failure of the store or of a file.
int RunPeople(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kalvora
