// kalvora-cli people, run in the test's process on a fresh data folder per test.

#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/people.h"
#include "store/people_json.h"
#include "store/people_store.h"
#include "tests/support/sql.h"
#include "tests/support/store_folder.h"
#include "tests/support/cli_run.h"

extern char** environ;

namespace kalvora {
namespace {

using testing::Bytes;
using testing::WriteBytes;

using testing::CliRun;

CliRun People(std::vector<std::string> args) {
    args.insert(args.begin(), "people");
    return testing::RunCommandLine(args);
}

std::vector<std::string> AddArgs(const std::string& name, const std::string& born, std::vector<std::string> more = {}) {
    std::vector<std::string> args = {"add", "--name", name, "--sex", "Male", "--birth", born, "--birth-lat", "12:58N",
                                     "--birth-lon", "77:35E", "--birth-zone", "+05:30"};
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

class PeopleCommand : public testing::StoreFolder {};

TEST_F(PeopleCommand, AnAddedPersonIsListedAsTyped) {
    ASSERT_EQ(People({"list"}).out, "No people are saved.\n");
    ASSERT_EQ(People(AddArgs("Ravi", "1961-12-30T23:59",
                             {"--birth-lat", "40:45N", "--birth-lon", "73:59W", "--birth-zone", "-05:00",
                              "--birth-dst", "--note", "New York"}))
                  .status,
              2) << "an option given twice";
    const CliRun added = People({"add", "--name", "Ravi", "--sex", "Female", "--birth", "1961-12-30T23:59",
                                 "--birth-lat", "33:52S", "--birth-lon", "73:59W", "--birth-zone", "-05:00",
                                 "--birth-dst", "--note", "New York"});
    ASSERT_EQ(added.status, 0) << added.err;
    EXPECT_EQ(added.out, "Saved Ravi, born 1961-12-30.\n");
    EXPECT_EQ(People({"list"}).out,
              "Ravi  born 1961-12-30 23:59  Female  33:52S 73:59W  zone -05:00 DST  (New York)\n");

    const std::vector<StoredPerson> listed = ReadPeopleJson(People({"list", "--json"}).out);
    ASSERT_EQ(listed.size(), 1u);
    const Person& p = listed[0].person;
    EXPECT_EQ(p.born, (BirthClock{1961, 12, 30, 23, 59}));
    EXPECT_EQ(p.latitude, -(33.0 + 52.0 / 60.0));
    EXPECT_EQ(p.longitude, -(73.0 + 59.0 / 60.0));
    EXPECT_EQ(p.zone, (BirthZone{std::nullopt, -5 * 3600, true}));
    EXPECT_FALSE(p.place);
}

TEST_F(PeopleCommand, SeveralOfOneNameAreRemovedByBirthDate) {
    ASSERT_EQ(People(AddArgs("Ravi", "1990-03-04T10:00")).status, 0);
    const CliRun second = People(AddArgs("Ravi", "1961-12-30T23:59"));
    EXPECT_NE(second.out.find("2 people are named Ravi now"), std::string::npos) << second.out;

    const CliRun ambiguous = People({"remove", "Ravi"});
    EXPECT_EQ(ambiguous.status, 2);
    EXPECT_NE(ambiguous.err.find("born 1961-12-30, 1990-03-04; say which with --born"), std::string::npos)
        << ambiguous.err;
    const CliRun wrongDate = People({"remove", "Ravi", "--born", "1990-03-05"});
    EXPECT_EQ(wrongDate.status, 1);
    EXPECT_NE(wrongDate.err.find("1961-12-30, 1990-03-04"), std::string::npos) << wrongDate.err;
    EXPECT_EQ(People({"remove", "Ravi", "--born", "1990-03-04"}).out, "Removed Ravi, born 1990-03-04.\n");
    EXPECT_EQ(People({"remove", "Ravi"}).out, "Removed Ravi, born 1961-12-30.\n");
    EXPECT_EQ(People({"remove", "Ravi"}).status, 1);
}

TEST_F(PeopleCommand, ABackupReadsBackIntoAnotherFolderExactly) {
    for (const char* name : {"अनिल कुमार", "கார்த்திகேயன்", "Asha"}) {
        ASSERT_EQ(People(AddArgs(name, "1984-07-21T05:42")).status, 0);
    }
    const std::string first = File("first.json");
    ASSERT_EQ(People({"export", first}).out, "Wrote 3 people to " + first + ".\n");

    setenv("KALVORA_DATA_DIR", (folder / "other").c_str(), 1);
    EXPECT_EQ(People({"import", first}).out, "Read 3 people from " + first + ": 3 added, 0 saved already.\n");
    EXPECT_EQ(People({"import", first}).out, "Read 3 people from " + first + ": 0 added, 3 saved already.\n");
    const std::string second = File("second.json");
    ASSERT_EQ(People({"export", second}).status, 0);
    EXPECT_EQ(Bytes(second), Bytes(first));
    EXPECT_FALSE(std::filesystem::exists(second + ".part"));
}

TEST_F(PeopleCommand, AMalformedImportChangesNothing) {
    ASSERT_EQ(People(AddArgs("Asha", "1984-07-21T05:42")).status, 0);
    const std::string backup = File("backup.json");
    ASSERT_EQ(People({"export", backup}).status, 0);
    std::string text = Bytes(backup);
    text.insert(text.find("\"people\": [") + 11, R"({"name": "Kept out"}, )");
    WriteBytes(backup, text);
    std::filesystem::remove(File("people.sqlite"));
    People({"list"});  // a new, empty file
    const std::string before = Bytes(File("people.sqlite"));
    const CliRun r = People({"import", backup});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("person 1 (\"Kept out\"): \"sex\" is missing; nothing was read in"), std::string::npos)
        << r.err;
    EXPECT_EQ(Bytes(File("people.sqlite")), before);
    EXPECT_EQ(People({"list"}).out, "No people are saved.\n");
}

TEST_F(PeopleCommand, AnUnreadableFileIsLeftUntilSetAside) {
    WriteBytes(File("people.sqlite"), std::string(5000, '\x7f'));
    const std::string before = Bytes(File("people.sqlite"));
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"list"}, AddArgs("Asha", "1984-07-21T05:42"), {"remove", "Asha"},
          {"export", File("b.json")}}) {
        const CliRun r = People(args);
        EXPECT_EQ(r.status, 1) << args[0];
        EXPECT_NE(r.err.find("left as it is (kalvora-cli people set-aside moves it aside"), std::string::npos) << r.err;
        EXPECT_EQ(Bytes(File("people.sqlite")), before) << args[0];
    }
    const CliRun aside = People({"set-aside"});
    ASSERT_EQ(aside.status, 0) << aside.err;
    EXPECT_NE(aside.out.find("Started a new, empty people file"), std::string::npos);
    EXPECT_EQ(People({"list"}).out, "No people are saved.\n");
    EXPECT_EQ(People({"set-aside"}).status, 1) << "a readable file is not moved";
}

TEST_F(PeopleCommand, BadArgumentsAreStatusTwo) {
    struct Case { std::vector<std::string> args; const char* message; };
    std::vector<std::string> lowerCaseSex = AddArgs("A", "1984-07-21T05:42");
    lowerCaseSex.at(4) = "male";
    const std::vector<Case> cases = {
        {{}, "usage: kalvora-cli people"},
        {{"erase"}, "unknown 'erase'"},
        {{"list", "--top", "3"}, "unknown argument '--top' (see people list --help)"},
        {{"add", "--sex", "Male"}, "--name: missing"},
        {AddArgs("", "1984-07-21T05:42"), "--name: the name is empty"},
        {lowerCaseSex, "--sex: expected Male or Female"},
        {AddArgs("A", "1984-02-30T05:42"), "--birth: there is no day 30 in February 1984"},
        {{"remove"}, "the name is missing"},
        {{"remove", "A", "--born", "1984-13-01"}, "--born:"},
        {{"export"}, "the file is missing"},
        {{"import", "a.json", "b.json"}, "unknown argument 'b.json'"},
        {AddArgs("\u00a0\u3000 ", "1984-07-21T05:42"), "--name: the name is blank"},
        {AddArgs("Asha\nRao", "1984-07-21T05:42"), "--name: the name holds a control character"},
        {AddArgs("Asha \xff", "1984-07-21T05:42"), "--name: the name is not UTF-8"},
        {AddArgs("A", "1984-07-21T05:42", {"--note", std::string("a\0b", 3)}), "--note: the note holds a control"},
        {{"add", "--name", "A", "--sex", "Male", "--birth", "1984-07-21T05:42", "--birth-lat", "12:58N",
          "--birth-lon", "77:35E", "--birth-zone", "+14:30"},
         "--birth-zone: the zone must be at most 14:00 east or west of UT, got '+14:30'"},
        {{"remove", "A", "--born", "1984\n07-01"}, "got '1984\\n07-01'"},
        {{"remove", "--"}, "--: nothing follows"},
        {{"group", "erase"}, "people group: unknown 'erase'"},
        {{"group", "add"}, "the group's name is missing (see people group add --help)"},
        {{"group", "add", "G"}, "--member: missing (see people group add --help)"},
        {{"group", "add", "\u3000", "--member", "A"}, "the group's name is blank"},
        {{"group", "add", "G", "--member"}, "--member: a value is missing"},
        {{"group", "add", "G", "--member", "A:priest"}, "--member: the role after the last colon must be bride or"},
        {{"group", "add", "G", "--member", "A@1990-02-30:bride"}, "--member: 1990-02-30 is not a date of the calendar"},
        {{"group", "add", "G", "--member", "A@1990:bride"}, "--member: expected a date YYYY-MM-DD, got '1990'"},
        {{"group", "add", "G", "--member", "@1990-01-01"}, "--member: the name is empty"},
        {{"group", "add", "G", "--member", "A", "--replace", "--replace"}, "--replace: given more than once"},
        {{"group", "list", "--top"}, "unknown argument '--top' (see people group list --help)"},
        {{"group", "show", "G", "--member", "A"}, "unknown argument '--member' (see people group show --help)"},
        {{"group", "rename", "G"}, "the new name is missing"},
        {{"group", "rename", "G", "H\nI"}, "the group's name holds a control character"},
        {{"group", "remove", "--"}, "--: nothing follows"},
    };
    for (const Case& c : cases) {
        const CliRun r = People(c.args);
        EXPECT_EQ(r.status, 2) << c.message;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        if (!c.args.empty()) {
            EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << "one line: " << r.err;
        }
    }
    EXPECT_FALSE(std::filesystem::exists(File("people.sqlite"))) << "no bad call opens the store";
}

// Groups made, shown, renamed and removed by name; a member is a saved person, told apart by birth date; a person
// in a group stays saved; a backup carries the groups to another folder.
TEST_F(PeopleCommand, GroupsOfSavedPeople) {
    ASSERT_EQ(People(AddArgs("Ravi", "1990-03-04T10:00")).status, 0);
    ASSERT_EQ(People(AddArgs("Ravi", "1961-12-30T23:59")).status, 0);
    std::vector<std::string> asha = AddArgs("Asha", "1995-08-15T06:45");
    asha.at(4) = "Female";
    ASSERT_EQ(People(asha).status, 0);

    struct Refusal { std::vector<std::string> args; int status; const char* message; };
    const std::vector<Refusal> refusals = {
        {{"group", "add", "G", "--member", "Meera"}, 2, "--member: no person named 'Meera' is saved"},
        {{"group", "add", "G", "--member", "Ravi"}, 2, "born 1961-12-30, 1990-03-04; say which with Ravi@YYYY-MM-DD"},
        {{"group", "add", "G", "--member", "Ravi@1970-01-01"}, 2, "saved birth dates: 1961-12-30, 1990-03-04"},
        {{"group", "add", "G", "--member", "Asha", "--member", "Asha:bride"}, 2, "'Asha', born 1995-08-15, is named twice"},
        {{"group", "show", "G"}, 1, "no group named 'G' is saved"},
        {{"group", "remove", "G"}, 1, "no group named 'G' is saved"},
        {{"group", "rename", "G", "H"}, 1, "no group named 'G' is saved"},
    };
    for (const Refusal& r : refusals) {
        const CliRun run = People(r.args);
        EXPECT_EQ(run.status, r.status) << r.message;
        EXPECT_NE(run.err.find(r.message), std::string::npos) << run.err;
    }
    EXPECT_EQ(People({"group", "list"}).out, "No groups are saved.\n");

    const CliRun added = People({"group", "add", "Asha and Ravi", "--member", "Asha:bride", "--member",
                                 "Ravi@1990-03-04:groom"});
    ASSERT_EQ(added.status, 0) << added.err;
    EXPECT_EQ(added.out, "Saved the group Asha and Ravi: Asha (1995-08-15, bride), Ravi (1990-03-04, groom).\n");
    const CliRun taken = People({"group", "add", "Asha and Ravi", "--member", "Asha"});
    EXPECT_EQ(taken.status, 1);
    EXPECT_NE(taken.err.find("is saved already (--replace saves this one in its place)"), std::string::npos);
    ASSERT_EQ(People({"group", "add", "-family", "--member", "Ravi@1961-12-30", "--member", "Asha"}).status, 2)
        << "a name with a dash goes after --";
    ASSERT_EQ(People({"group", "add", "--", "-family", "--member", "Ravi@1961-12-30", "--member", "Asha"}).status, 0);
    EXPECT_EQ(People({"group", "list"}).out,
              "-family: Ravi (1961-12-30), Asha (1995-08-15)\n"
              "Asha and Ravi: Asha (1995-08-15, bride), Ravi (1990-03-04, groom)\n");
    EXPECT_EQ(People({"group", "show", "Asha and Ravi"}).out,
              "Asha and Ravi\n"
              "  bride: Asha  born 1995-08-15 06:45  Female  12:58N 77:35E  zone +05:30\n"
              "  groom: Ravi  born 1990-03-04 10:00  Male  12:58N 77:35E  zone +05:30\n");

    const CliRun grouped = People({"remove", "Asha"});
    EXPECT_EQ(grouped.status, 1);
    EXPECT_NE(grouped.err.find("belongs to the groups '-family' and 'Asha and Ravi'"), std::string::npos) << grouped.err;

    const std::string first = File("first.json");
    ASSERT_EQ(People({"export", first}).out, "Wrote 3 people and 2 groups to " + first + ".\n");
    setenv("KALVORA_DATA_DIR", (folder / "other").c_str(), 1);
    EXPECT_EQ(People({"import", first}).out, "Read 3 people from " + first + ": 3 added, 0 saved already.\n"
                                             "Read 2 groups: 2 added, 0 saved already.\n");
    const std::string second = File("second.json");
    ASSERT_EQ(People({"export", second}).status, 0);
    EXPECT_EQ(Bytes(second), Bytes(first));
    setenv("KALVORA_DATA_DIR", folder.c_str(), 1);

    EXPECT_EQ(People({"group", "rename", "Asha and Ravi", "The wedding"}).out,
              "Renamed the group Asha and Ravi to The wedding.\n");
    EXPECT_EQ(People({"group", "remove", "--", "-family"}).out, "Removed the group -family; its people stay saved.\n");
    EXPECT_EQ(People({"group", "remove", "The wedding"}).status, 0);
    EXPECT_EQ(People({"remove", "Asha"}).status, 0);
}

// A row another program spoilt is shown as damaged, refused as --person with one line, left out of a backup, and
// lets the file be moved aside; nothing aborts.
TEST_F(PeopleCommand, ASpoiltRowIsNeverCalculatedWith) {
    ASSERT_EQ(People(AddArgs("Asha", "1984-07-21T05:42")).status, 0);
    ASSERT_EQ(People(AddArgs("Ravi", "1961-12-30T23:59")).status, 0);
    testing::RunSql(File("people.sqlite"), {"UPDATE people SET born = 'yesterday' WHERE name = 'Asha'"});
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--subject", "Marriage", "--muhurtha", "2026-12-10T10:30", "--muhurtha-lat",
                                   "28:39N", "--muhurtha-lon", "77:13E", "--muhurtha-zone", "+05:30", "--person",
                                   "Asha"},
          {"find", "--subject", "Marriage", "--from", "2026-12-10", "--to", "2026-12-10", "--muhurtha-lat", "28:39N",
           "--muhurtha-lon", "77:13E", "--muhurtha-zone", "+05:30", "--person", "Asha"}}) {
        const CliRun r = testing::RunCommandLine(args);
        EXPECT_EQ(r.status, 2) << r.err;
        EXPECT_NE(r.err.find("--person: the saved person 'Asha' cannot be used: the birth time 'yesterday'"),
                  std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
    const CliRun list = People({"list"});
    EXPECT_EQ(list.status, 0);
    EXPECT_NE(list.out.find("'Asha'  damaged (row 1): the birth time 'yesterday'"), std::string::npos) << list.out;
    EXPECT_NE(list.out.find("Ravi  born 1961-12-30"), std::string::npos) << list.out;

    const CliRun exported = People({"export", File("backup.json")});
    EXPECT_EQ(exported.status, 1);
    EXPECT_NE(exported.err.find("1 damaged row was left out"), std::string::npos) << exported.err;
    EXPECT_EQ(ReadPeopleJson(Bytes(File("backup.json"))).size(), 1u) << "the backup reads back";

    const CliRun aside = People({"set-aside"});
    EXPECT_EQ(aside.status, 0) << aside.err;
    EXPECT_EQ(People({"list"}).out, "No people are saved.\n");
}

// A backup that cannot be written leaves the older backup whole and no temporary file; set-aside says what it did.
TEST_F(PeopleCommand, FailedWritesLeaveNothingBehind) {
    ASSERT_EQ(People(AddArgs("-dash", "1984-07-21T05:42", {"--note", std::string(40000, 'n')})).status, 0);
    const std::string backup = File("backup.json");
    WriteBytes(backup, "the older backup");
    std::filesystem::create_directory(File("a folder"));
    for (const std::string& target : {File("a folder"), std::string(), std::string("/dev/null")}) {
        const CliRun r = People({"export", "--", target});
        EXPECT_EQ(r.status, target.empty() ? 2 : 1) << target << ": " << r.err;
    }
    {
        // A full disk, as a limit on the size of files this process writes.
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        const auto oldSignal = signal(SIGXFSZ, SIG_IGN);
        rlimit small = old;
        small.rlim_cur = 16 * 1024;
        setrlimit(RLIMIT_FSIZE, &small);
        const CliRun r = People({"export", backup});
        setrlimit(RLIMIT_FSIZE, &old);
        signal(SIGXFSZ, oldSignal);
        EXPECT_EQ(r.status, 1) << r.err;
    }
    EXPECT_EQ(Bytes(backup), "the older backup");
    std::set<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) left.insert(entry.path().filename());
    EXPECT_EQ(left, (std::set<std::string>{"a folder", "backup.json", "people.sqlite"})) << "no temporary file";
    EXPECT_EQ(People({"remove", "-dash"}).status, 2);
    EXPECT_EQ(People({"remove", "--", "-dash"}).status, 0);

    const CliRun aside = People({"set-aside"});
    EXPECT_EQ(aside.status, 1);
    EXPECT_EQ(aside.out.find("Moved"), std::string::npos) << "nothing was moved: " << aside.out;
}

// The command line in other processes and a store in this one write at once; every write is kept.
TEST_F(PeopleCommand, WritesFromAnotherProcessAreNotLost) {
    constexpr int each = 15;
    const std::string loop = "for i in $(seq " + std::to_string(each) + "); do \"" + KALVORA_CLI_PATH +
                             "\" people add --name Cli-$i --sex Male --birth 1984-07-21T05:42 --birth-lat 12:58N"
                             " --birth-lon 77:35E --birth-zone +05:30 >/dev/null || exit 1; done";
    std::vector<char*> argv = {const_cast<char*>("sh"), const_cast<char*>("-c"), const_cast<char*>(loop.c_str()),
                               nullptr};
    PeopleStore store;
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, "/bin/sh", nullptr, nullptr, argv.data(), environ), 0);
    for (int i = 1; i <= each; ++i) store.Add(testing::Sample("Here-" + std::to_string(i)));
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    std::set<std::string> names;
    for (const StoredPerson& p : store.List()) names.insert(p.person.name);
    EXPECT_EQ(names.size(), 2u * each);
}

}  // namespace
}  // namespace kalvora
