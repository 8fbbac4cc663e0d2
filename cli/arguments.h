#pragma once
// The options of kalvora-cli's calculation (the command line without a command word).

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "cli/options.h"
#include "cli/person_option.h"
#include "cli/places.h"
#include "driver/calculation.h"
#include "driver/people_calculation.h"

namespace kalvora {

struct CliOptions {
    bool help = false;
    bool json = false;
    CalculationInput input;
    std::optional<std::string> reportPath;  // --report FILE.rtf|FILE.pdf
    bool reportAppendix = true;             // --report-appendix details|none
    MomentSources birthSources;     // the birth's place and zone options, resolved once all are read
    MomentSources muhurthaSources;  // the same for the muhurtha
    PersonChoice person;            // --person and --born, in place of the birth options
    std::set<std::string_view> given;
    MomentInput& BirthMoment() { return input.birth; }
    Conventions& ConventionsChosen() { return input.conventions; }

    // The people after the first: each further --person, then the one typed with --partner and its twins (see
    // cli/people_options.h).
    std::vector<PersonChoice> morePeople;
    OtherPerson partner;
    MomentSources partnerSources;
    std::vector<Role> roles;  // --roles, one a person in the order above
    std::optional<std::string> group;  // --group: a saved group in place of every person's options
    std::vector<Person> groupRest;     // the group's members after the first, in its order
    std::vector<OtherPerson> others;  // every person after the first, resolved in that order
    CalculationInput& First() { return input; }

    // The input of the calculation for all the people.
    PeopleInput People() const { return {input, others, roles}; }
};

// Parses the arguments after the program name, then the moments' places and zones (the atlas is loaded only when
// a place is named); throws ArgumentError for a bad or missing one.
CliOptions ParseArguments(const std::vector<std::string>& args);

std::string UsageText();

}  // namespace kalvora
