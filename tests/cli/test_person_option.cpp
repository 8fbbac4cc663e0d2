// --person in the calculation and in find: a saved person gives the same result as typing the birth options it
// was saved with, and the refusals (birth options beside it, an unknown name, a name several people share); several
// people, and --group standing in for the saved people of a group.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/cli_run.h"
#include "tests/support/store_folder.h"

namespace kalvora {
namespace {

using testing::CliRun;

std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream in(line);
    for (std::string word; in >> word;) {
        std::replace(word.begin(), word.end(), '~', ' ');  // "~" stands for a space inside one argument
        words.push_back(word);
    }
    return words;
}

CliRun RunLine(const std::string& line) { return testing::RunCommandLine(Words(line)); }

const std::string Muhurtha =
    "--muhurtha 2026-12-10T10:30 --muhurtha-lat 28:39N --muhurtha-lon 77:13E --muhurtha-zone +05:30 --subject "
    "Marriage ";

class PersonOption : public testing::StoreFolder {};

// The birth options a person is saved with; the calculation with them typed must equal the one with --person.
struct SavedBirth {
    const char* birth;  // the birth options, the same for people add and the typed calculation
    const char* what;
};

TEST_F(PersonOption, GivesTheResultOfTypingTheBirth) {
    const SavedBirth cases[] = {
        {"--birth 1984-07-21T05:42 --birth-place Chennai", "a place from the atlas, its zone id"},
        {"--birth 1961-12-30T23:59 --birth-lat 40:45N --birth-lon 73:59W --birth-zone -05:00 --birth-dst",
         "typed coordinates and offset with DST"},
        {"--birth 1943-05-01T06:10 --birth-lat 13:05N --birth-lon 80:17E --birth-tz Asia/Kolkata",
         "typed coordinates with a zone id (war time, +06:30)"},
        {"--birth 1990-03-05T12:00 --birth-place Mumbai --birth-zone +05:30",
         "a place with its zone typed"},
    };
    int n = 0;
    for (const SavedBirth& c : cases) {
        const std::string name = "Person" + std::to_string(++n);
        const CliRun added = RunLine("people add --name " + name + " --sex Female " + c.birth);
        ASSERT_EQ(added.status, 0) << c.what << ": " << added.err;
        for (const char* output : {"--json", ""}) {
            const CliRun typed = RunLine(Muhurtha + c.birth + " --name " + name + " --sex Female " + output);
            const CliRun saved = RunLine(Muhurtha + "--person " + name + " " + output);
            ASSERT_EQ(typed.status, 0) << c.what << ": " << typed.err;
            ASSERT_EQ(saved.status, 0) << c.what << ": " << saved.err;
            EXPECT_TRUE(saved.out == typed.out) << c.what << output << "\n" << saved.out.substr(0, 400);
        }
    }
    // The zone ids are kept as zone ids, the place's names with them.
    const CliRun list = RunLine("people list");
    EXPECT_NE(list.out.find("Person1  born 1984-07-21 05:42  Female  Chennai, Tamil Nadu, India 13:05N 80:17E  zone "
                            "Asia/Kolkata"),
              std::string::npos)
        << list.out;
    EXPECT_NE(list.out.find("zone Asia/Kolkata\nPerson4"), std::string::npos) << list.out;
}

TEST_F(PersonOption, FindSearchesForTheSavedPerson) {
    const std::string birth = "--birth 1995-08-15T06:45 --birth-place Mumbai";
    ASSERT_EQ(RunLine("people add --name Asha --sex Female " + birth).status, 0);
    const std::string find = "find --subject Marriage --from 2026-12-10 --to 2026-12-10 --muhurtha-place New~Delhi ";
    const CliRun typed = RunLine(find + birth + " --name Asha --sex Female");
    const CliRun saved = RunLine(find + "--person Asha");
    ASSERT_EQ(typed.status, 0) << typed.err;
    EXPECT_EQ(saved.status, 0) << saved.err;
    EXPECT_TRUE(saved.out == typed.out) << saved.out.substr(0, 400);
}

struct Refusal {
    const char* arguments;  // after the muhurtha options
    const char* message;    // the whole error output
};

TEST_F(PersonOption, RefusesWhatItCannotTellApart) {
    for (const char* born : {"1990-03-05T10:00", "1984-07-21T05:42"}) {
        ASSERT_EQ(RunLine(std::string("people add --name Asha --sex Female --birth-place Pune --birth ") + born).status, 0);
    }
    ASSERT_EQ(RunLine("people add --name Ravi --sex Male --birth 1961-12-30T23:59 --birth-place Delhi").status, 0);
    const Refusal cases[] = {
        {"--person Asha",
         "kalvora-cli: --person: 2 people named 'Asha' are saved, born 1984-07-21, 1990-03-05; say which with --born "
         "YYYY-MM-DD\n"},
        {"--person Asha --born 1990-03-06",
         "kalvora-cli: --born: no person named 'Asha' was born on that date; saved birth dates: 1984-07-21, "
         "1990-03-05\n"},
        {"--person Meera", "kalvora-cli: --person: no person named 'Meera' is saved\n"},
        {"--person Ravi --birth 1961-12-30T23:59",
         "kalvora-cli: --birth: not taken with --person, whose saved birth data it would replace\n"},
        {"--person Ravi --birth-lat 10:00N",
         "kalvora-cli: --birth-lat: not taken with --person, whose saved birth data it would replace\n"},
        {"--person Ravi --sex Female",
         "kalvora-cli: --sex: not taken with --person, whose saved birth data it would replace\n"},
        {"--born 1990-03-05 --birth 1990-03-05T10:00 --birth-place Pune",
         "kalvora-cli: --born: taken only with --person, to say which of several people of a name\n"},
        {"--subject Marriage", "kalvora-cli: --birth: missing (see --help)\n"},
    };
    for (const Refusal& c : cases) {
        const CliRun run = RunLine(Muhurtha.substr(0, Muhurtha.find("--subject")) + c.arguments);
        EXPECT_EQ(run.status, 2) << c.arguments;
        EXPECT_EQ(run.err, c.message) << c.arguments;
        EXPECT_EQ(run.out, "") << c.arguments;
    }
    // The date tells the two apart.
    const CliRun chosen = RunLine(Muhurtha + "--person Asha --born 1990-03-05 --json");
    ASSERT_EQ(chosen.status, 0) << chosen.err;
    const CliRun typed = RunLine(Muhurtha + "--birth 1990-03-05T10:00 --birth-place Pune --name Asha --sex Female --json");
    EXPECT_TRUE(chosen.out == typed.out);
}

// The "combined" object of a calculation's JSON, the text from its key to the end.
std::string CombinedOf(const std::string& json) {
    const std::size_t at = json.find("\"combined\"");
    return at == std::string::npos ? "" : json.substr(at);
}

TEST_F(PersonOption, SeveralPeopleByNameAndDateInEitherOrder) {
    for (const char* born : {"1990-03-05T10:00", "1984-07-21T05:42"}) {
        ASSERT_EQ(RunLine(std::string("people add --name Asha --sex Female --birth-place Pune --birth ") + born).status, 0);
    }
    ASSERT_EQ(RunLine("people add --name Ravi --sex Male --birth 1988-11-02T23:10 --birth-place Delhi").status, 0);
    const CliRun asha = RunLine(Muhurtha + "--person Asha@1990-03-05 --person Ravi --json");
    const CliRun ravi = RunLine(Muhurtha + "--person Ravi --person Asha@1990-03-05 --json");
    ASSERT_EQ(asha.status, 0) << asha.err;
    ASSERT_EQ(ravi.status, 0) << ravi.err;
    EXPECT_NE(CombinedOf(asha.out), "") << asha.out.substr(0, 400);
    EXPECT_EQ(CombinedOf(asha.out), CombinedOf(ravi.out));
    EXPECT_NE(asha.out.find("\"name\": \"Ravi\", \"role\": \"groom\""), std::string::npos) << CombinedOf(asha.out);
    // The second person typed with --partner gives what the saved one gives.
    const CliRun typed = RunLine(Muhurtha + "--person Asha@1990-03-05 --partner 1988-11-02T23:10 --partner-place Delhi "
                                            "--partner-name Ravi --partner-sex Male --json");
    ASSERT_EQ(typed.status, 0) << typed.err;
    EXPECT_TRUE(typed.out == asha.out);
    // The text closes with the combined verdict, here held at Average by the groom's Surya bala.
    const CliRun text = RunLine(Muhurtha + "--person Ravi --person Asha@1990-03-05");
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_TRUE(text.out.ends_with("\nCombined Verdict: Average\nDecided by: Ravi\nEveryone is rated Good. Surya bala is "
                                   "bad for Ravi (Sun in the 4th house from his Moon sign), so the verdict is at most "
                                   "Average.\n"))
        << text.out.substr(text.out.size() - std::min<std::size_t>(text.out.size(), 300));

    const Refusal cases[] = {
        {"--person Asha --person Ravi",
         "kalvora-cli: --person: 2 people named 'Asha' are saved, born 1984-07-21, 1990-03-05; say which with --born "
         "YYYY-MM-DD\n"},
        {"--person Ravi --person Asha",
         "kalvora-cli: --person: 2 people named 'Asha' are saved, born 1984-07-21, 1990-03-05; say which with --person "
         "NAME@YYYY-MM-DD\n"},
        {"--person Ravi --person Asha@1990-03-06",
         "kalvora-cli: --person: no person named 'Asha' was born on that date; saved birth dates: 1984-07-21, "
         "1990-03-05\n"},
        {"--person Ravi --person Asha@1990-02-30", "kalvora-cli: --person: 1990-02-30 is not a date of the calendar\n"},
        {"--person Ravi --person Asha --born 1990-03-05",
         "kalvora-cli: --born: taken only with a single --person; give each one's birth date as NAME@YYYY-MM-DD\n"},
        {"--person Asha@1990-03-05 --born 1990-03-05",
         "kalvora-cli: --born: the birth date is already given after @ in --person\n"},
    };
    for (const Refusal& c : cases) {
        const CliRun run = RunLine(Muhurtha + c.arguments);
        EXPECT_EQ(run.status, 2) << c.arguments;
        EXPECT_EQ(run.err, c.message) << c.arguments;
        EXPECT_EQ(run.out, "") << c.arguments;
    }
}

TEST_F(PersonOption, GroupStandsInForItsPeopleInTheirOrderWithTheirRoles) {
    ASSERT_EQ(RunLine("people add --name Asha --sex Female --birth-place Pune --birth 1990-03-05T10:00").status, 0);
    ASSERT_EQ(RunLine("people add --name Ravi --sex Male --birth 1988-11-02T23:10 --birth-place Delhi").status, 0);
    ASSERT_EQ(RunLine("people group add Ravi~and~Asha --member Ravi --member Asha").status, 0);
    ASSERT_EQ(RunLine("people group add Swapped --member Ravi:bride --member Asha:groom").status, 0);
    const std::string find = "find --subject Marriage --from 2026-12-10 --to 2026-12-11 --muhurtha-place New~Delhi ";
    struct Same {
        std::string group, people;
    };
    const Same cases[] = {
        {Muhurtha + "--group Ravi~and~Asha --json", Muhurtha + "--person Ravi --person Asha --json"},
        {Muhurtha + "--group Swapped", Muhurtha + "--person Ravi --person Asha --roles bride,groom"},
        {find + "--group Ravi~and~Asha --json", find + "--person Ravi --person Asha --json"},
        {find + "--group Swapped --all-good", find + "--person Ravi --person Asha --roles bride,groom --all-good"},
    };
    for (const Same& c : cases) {
        const CliRun group = RunLine(c.group);
        const CliRun people = RunLine(c.people);
        ASSERT_EQ(group.status, 0) << c.group << "\n" << group.err;
        ASSERT_EQ(people.status, 0) << c.people << "\n" << people.err;
        EXPECT_NE(group.out.find("Asha"), std::string::npos) << c.group;
        EXPECT_TRUE(group.out == people.out) << c.group << "\n" << group.out.substr(0, 400);
    }
    const Refusal refusals[] = {
        {"--group Nobody", "kalvora-cli: --group: no group named 'Nobody' is saved\n"},
        {"--group Swapped --person Ravi",
         "kalvora-cli: --person: not taken with --group, whose saved people it would replace\n"},
        {"--group Swapped --partner 1990-01-01T10:00 --partner-place Pune --partner-name Meera",
         "kalvora-cli: --partner: not taken with --group, whose saved people it would replace\n"},
        {"--group Swapped --birth 1990-01-01T10:00 --birth-place Pune",
         "kalvora-cli: --birth: not taken with --group, whose saved people it would replace\n"},
        {"--group Swapped --roles groom", "kalvora-cli: --roles: names 1 roles for 2 people\n"},
    };
    for (const Refusal& c : refusals) {
        for (const std::string& command : {Muhurtha, find}) {
            const CliRun run = RunLine(command + c.arguments);
            EXPECT_EQ(run.status, 2) << command << c.arguments;
            EXPECT_EQ(run.err, c.message) << command << c.arguments;
            EXPECT_EQ(run.out, "") << command << c.arguments;
        }
    }
}

}  // namespace
}  // namespace kalvora
