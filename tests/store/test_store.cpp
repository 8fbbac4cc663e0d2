#include <gtest/gtest.h>

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

#include <fcntl.h>
#include <grp.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "store/people_store.h"
#include "zone/zone.h"
#include "tests/support/sql.h"
#include "tests/support/store_folder.h"

extern char** environ;

namespace kalvora {
namespace {

using testing::Bytes;
using testing::RunSql;
using testing::Sample;
using testing::WriteBytes;

class PeopleStoreTest : public testing::StoreFolder {};

// Starts people_writer with the given arguments; as user `nobody` when `asNobody`. Returns its pid.
pid_t StartWriter(std::vector<std::string> args, bool asNobody = false) {
    args.insert(args.begin(), PEOPLE_WRITER_PATH);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (!asNobody) {
        pid_t pid = 0;
        if (posix_spawn(&pid, PEOPLE_WRITER_PATH, nullptr, nullptr, argv.data(), environ) != 0) return -1;
        return pid;
    }
    const pid_t pid = fork();
    if (pid == 0) {
        const gid_t nobody = 65534;
        if (setgroups(0, nullptr) != 0 || setgid(nobody) != 0 || setuid(nobody) != 0) _exit(90);
        freopen("/dev/null", "w", stderr);
        execve(PEOPLE_WRITER_PATH, argv.data(), environ);
        _exit(91);
    }
    return pid;
}

int Wait(pid_t pid) {
    int status = 0;
    if (pid <= 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

TEST_F(PeopleStoreTest, APersonComesBackAsSaved) {
    Person typed = Sample("Typed Place");
    typed.place.reset();
    typed.zone = BirthZone{std::nullopt, -(3 * 3600 + 30 * 60), true};  // Newfoundland, summer
    typed.latitude = -(33.0 + 52.0 / 60.0);
    typed.longitude = -(151.0 + 13.0 / 60.0);
    Person madras = Sample("मीरा");
    madras.zone = BirthZone{std::nullopt, 5 * 3600 + 21 * 60 + 10, false};
    madras.note = "";
    madras.sex = "Male";
    const std::array cases = {Sample(), typed, madras};

    PeopleStore store;
    ASSERT_EQ(store.State(), StoreState::Ready) << store.Problem();
    EXPECT_EQ(store.FilePath(), File());
    for (const Person& p : cases) {
        const std::int64_t key = store.Add(p);
        const std::vector<StoredPerson> found = store.Named(p.name);
        ASSERT_EQ(found.size(), 1u) << p.name;
        EXPECT_EQ(found[0].key, key);
        EXPECT_EQ(found[0].person, p) << p.name;
        EXPECT_EQ(found[0].created.size(), 20u);
        EXPECT_EQ(found[0].created, found[0].changed);
    }
    // Another store object on the same file (as another program) reads the same people.
    PeopleStore again;
    EXPECT_EQ(again.List(), store.List());

    // An update keeps the person's key and creation time; a removal leaves the others.
    const StoredPerson first = store.Named("Asha Rao").at(0);
    Person changed = first.person;
    changed.note = "time corrected";
    changed.born.minute = 44;
    store.Update(first.key, changed);
    const StoredPerson updated = store.Named("Asha Rao").at(0);
    EXPECT_EQ(updated.key, first.key);
    EXPECT_EQ(updated.created, first.created);
    EXPECT_EQ(updated.person, changed);
    store.Remove(first.key);
    EXPECT_EQ(store.List().size(), cases.size() - 1);
    EXPECT_THROW(store.Remove(first.key), StoreFailure);
    EXPECT_THROW(store.Update(first.key, changed), StoreFailure);
}

TEST_F(PeopleStoreTest, TwoPeopleOfOneNameAreToldApartByBirth) {
    PeopleStore store;
    Person later = Sample("Ravi");
    later.born = {1990, 3, 4, 10, 0};
    Person earlier = Sample("Ravi");
    earlier.born = {1961, 12, 30, 23, 59};
    store.Add(later);
    store.Add(Sample("Anil"));
    store.Add(earlier);
    const std::vector<StoredPerson> ravis = store.Named("Ravi");
    ASSERT_EQ(ravis.size(), 2u);
    EXPECT_EQ(BirthDateText(ravis[0].person.born), "1961-12-30");
    EXPECT_EQ(BirthDateText(ravis[1].person.born), "1990-03-04");
    std::vector<std::string> order;
    for (const StoredPerson& p : store.List()) order.push_back(p.person.name + " " + BirthDateText(p.person.born));
    EXPECT_EQ(order, (std::vector<std::string>{"Anil 1984-07-21", "Ravi 1961-12-30", "Ravi 1990-03-04"}));
}

TEST_F(PeopleStoreTest, WrongDataIsRefusedAndNothingIsSaved) {
    struct Case { const char* what; void (*spoil)(Person&); };
    const auto cases = std::to_array<Case>({
        {"empty name", [](Person& p) { p.name.clear(); }},
        {"unknown sex", [](Person& p) { p.sex = "male"; }},
        {"year before the first", [](Person& p) { p.born.year = 1900; }},
        {"30 February", [](Person& p) { p.born = {1984, 2, 30, 0, 0}; }},
        {"hour 24", [](Person& p) { p.born.hour = 24; }},
        {"latitude past the pole", [](Person& p) { p.latitude = 90.5; }},
        {"longitude past 180", [](Person& p) { p.longitude = -180.01; }},
        {"zone id and offset", [](Person& p) { p.zone.offsetSeconds = 0; }},
        {"no zone", [](Person& p) { p.zone.id.reset(); }},
        {"offset past 14 hours", [](Person& p) { p.zone = {std::nullopt, 14 * 3600 + 1, false}; }},
        {"a name of spaces, NBSP and U+3000", [](Person& p) { p.name = " \u00a0\u3000 "; }},
        {"a name with a line break", [](Person& p) { p.name = "Asha\nRao"; }},
        {"a name with a NUL", [](Person& p) { p.name = std::string("Asha\0Rao", 8); }},
        {"a name not UTF-8", [](Person& p) { p.name = "Asha \xff"; }},
        {"a note not UTF-8", [](Person& p) { p.note = "\xc3("; }},
        {"an unknown zone id", [](Person& p) { p.zone.id = "Not/AZone"; }},
        {"a zone id that is a path", [](Person& p) { p.zone.id = "../../etc/passwd"; }},
        {"an empty place name", [](Person& p) { p.place->name.clear(); }},
    });
    PeopleStore store;
    for (const Case& c : cases) {
        Person p = Sample();
        c.spoil(p);
        EXPECT_FALSE(PersonProblem(p).empty()) << c.what;
        EXPECT_THROW(store.Add(p), StoreFailure) << c.what;
    }
    EXPECT_TRUE(store.List().empty());
}

// A file this program cannot use is left byte for byte as it was, however the store is used, until it is set
// aside on request.
TEST_F(PeopleStoreTest, AnUnusableFileIsNeverWritten) {
    struct Case {
        const char* what;
        void (*make)(const std::string& file);
        const char* reason;
    };
    const auto cases = std::to_array<Case>({
        {"not a database", [](const std::string& f) { WriteBytes(f, std::string(3000, 'x') + "people"); },
         "damaged"},
        {"a damaged page",
         [](const std::string& f) {
             { PeopleStore s(f); for (int i = 0; i < 40; ++i) s.Add(Sample("P" + std::to_string(i))); }
             std::string bytes = Bytes(f);
             for (std::size_t i = 4096 + 100; i < bytes.size(); i += 7) bytes[i] = static_cast<char>(i * 31);
             WriteBytes(f, bytes);
         },
         "damaged"},
        {"a newer version",
         [](const std::string& f) {
             { PeopleStore s(f); s.Add(Sample()); }
             RunSql(f, {"ALTER TABLE people ADD COLUMN photo BLOB", "PRAGMA user_version = 9"});
         },
         "newer version"},
        {"another program's database",
         [](const std::string& f) { RunSql(f, {"CREATE TABLE notes (text TEXT)", "INSERT INTO notes VALUES ('x')"}); },
         "not a people file"},
        {"a column missing",
         [](const std::string& f) {
             { PeopleStore s(f); s.Add(Sample()); }
             RunSql(f, {"ALTER TABLE people DROP COLUMN note"});
         },
         "other columns"},
        {"the table of group members missing",
         [](const std::string& f) {
             { PeopleStore s(f); s.Add(Sample()); }
             RunSql(f, {"DROP TABLE group_members"});
         },
         "the table of group members is missing"},
    });
    for (const Case& c : cases) {
        const std::string file = File(std::string("case-") + std::to_string(&c - cases.data()) + ".sqlite");
        c.make(file);
        const std::string before = Bytes(file);
        {
            PeopleStore store(file);
            EXPECT_EQ(store.State(), StoreState::Unavailable) << c.what;
            EXPECT_NE(store.Problem().find(c.reason), std::string::npos) << c.what << ": " << store.Problem();
            EXPECT_THROW(store.List(), StoreFailure) << c.what;
            EXPECT_THROW(store.Add(Sample()), StoreFailure) << c.what;
            EXPECT_THROW(store.AddAll({StoredPerson{0, Sample(), "", "", ""}}), StoreFailure) << c.what;
        }
        EXPECT_EQ(Bytes(file), before) << c.what;

        // Set aside on request: the old bytes are kept under a new name and a new, empty store is started.
        PeopleStore store(file);
        const std::string aside = store.SetAsideAndStartNew();
        EXPECT_NE(aside.find("-set-aside-"), std::string::npos) << aside;
        EXPECT_EQ(Bytes(aside), before) << c.what;
        EXPECT_EQ(store.State(), StoreState::Ready) << c.what << ": " << store.Problem();
        EXPECT_TRUE(store.List().empty());
        store.Add(Sample());
        EXPECT_EQ(store.List().size(), 1u);
    }
}

// A row changed by another program is listed as damaged, never handed out as a person, and lets the file be
// moved aside; the rows around it are read as saved.
TEST_F(PeopleStoreTest, ADamagedRowIsListedButNeverUsed) {
    struct Case { const char* sql; const char* damage; };
    const auto cases = std::to_array<Case>({
        {"UPDATE people SET born = 'yesterday'", "the birth time 'yesterday' is not a date and time"},
        {"UPDATE people SET born = '1850-01-01T00:00'", "the birth year must be between"},
        {"UPDATE people SET latitude = 999", "the latitude must be between -90 and 90"},
        {"UPDATE people SET latitude = 'north'", "the latitude is not a number"},
        {"UPDATE people SET sex = 'Robot'", "the sex must be Male or Female, got 'Robot'"},
        {"UPDATE people SET zone_id = NULL, zone_offset_seconds = 277 * 3600", "at most 14 hours"},
        {"UPDATE people SET zone_id = 'Mars/Olympus'", "no zone 'Mars/Olympus'"},
        {"UPDATE people SET dst = 7", "the daylight-saving flag"},
    });
    for (const Case& c : cases) {
        const std::string file = File(std::string("row-") + std::to_string(&c - cases.data()) + ".sqlite");
        { PeopleStore s(file); s.Add(Sample("Spoilt")); s.Add(Sample("Whole")); }
        RunSql(file, {(std::string(c.sql) + " WHERE name = 'Spoilt'").c_str()});
        PeopleStore store(file);
        ASSERT_EQ(store.State(), StoreState::Ready) << c.sql;
        const std::vector<StoredPerson> people = store.List();
        ASSERT_EQ(people.size(), 2u) << c.sql;
        const auto whole = std::find_if(people.begin(), people.end(), [](auto& p) { return p.person.name == "Whole"; });
        ASSERT_NE(whole, people.end()) << c.sql;
        EXPECT_EQ(whole->damage, "") << c.sql;
        const StoredPerson& spoilt = people[whole == people.begin() ? 1 : 0];
        EXPECT_NE(spoilt.damage.find(c.damage), std::string::npos) << c.sql << ": " << spoilt.damage;
        EXPECT_TRUE(store.SetAsideHelps()) << c.sql;
    }
    PeopleStore healthy(File("healthy.sqlite"));
    healthy.Add(Sample());
    EXPECT_FALSE(healthy.SetAsideHelps());
    EXPECT_THROW(healthy.SetAsideAndStartNew(), StoreFailure);
}

// Programs that start at once on a folder without a file each find a healthy new file and keep their writes.
TEST_F(PeopleStoreTest, ProgramsStartingANewFileAtOnceAllSave) {
    constexpr int rounds = 8, writers = 6;
    for (int round = 0; round < rounds; ++round) {
        const std::string roundFolder = (folder / ("round-" + std::to_string(round))).string();
        setenv("KALVORA_DATA_DIR", roundFolder.c_str(), 1);
        std::vector<pid_t> started;
        for (int w = 0; w < writers; ++w) started.push_back(StartWriter({"add", "1", "W" + std::to_string(w)}));
        for (const pid_t pid : started) EXPECT_EQ(Wait(pid), 0) << "round " << round;
        PeopleStore store((std::filesystem::path(roundFolder) / "people.sqlite").string());
        EXPECT_EQ(store.List().size(), static_cast<std::size_t>(writers)) << "round " << round;
    }
    setenv("KALVORA_DATA_DIR", folder.c_str(), 1);
}

// The range of a typed offset holds every offset any zone of the system's zone database has had since 1901, and
// each of them is saved and read back.
TEST(TypedOffsetRange, HoldsEveryOffsetOfTheZoneDatabaseSince1901) {
    const std::int64_t from = SecondsSinceEpoch({1901, 1, 1, 0, 0, 0});
    const std::int64_t to = SecondsSinceEpoch({2100, 1, 1, 0, 0, 0});
    std::set<std::int32_t> offsets;
    int zones = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator("/usr/share/zoneinfo")) {
        const std::string id = std::filesystem::relative(entry.path(), "/usr/share/zoneinfo").string();
        if (!entry.is_regular_file() || id.starts_with("posix/") || id.starts_with("right/")) continue;
        const std::optional<TimeZone> zone = OpenTimeZone(id);
        if (!zone) continue;
        ++zones;
        offsets.insert(OffsetAtUt(*zone, from).offsetSeconds);
        for (const ZoneTransition& t : TransitionsBetween(*zone, from, to)) offsets.insert(t.after.offsetSeconds);
    }
    ASSERT_GT(zones, 300);
    EXPECT_EQ(*offsets.rbegin(), LargestTypedOffsetSeconds) << "the farthest east is the range's end";
    EXPECT_GE(*offsets.begin(), -LargestTypedOffsetSeconds);
    for (const std::int32_t offset : offsets) {
        Person p = testing::Sample();
        p.zone = BirthZone{std::nullopt, offset, false};
        EXPECT_EQ(PersonProblem(p), "") << offset;
        EXPECT_EQ(ReadOffsetText(OffsetText(offset)), offset);
    }
}

TEST_F(PeopleStoreTest, AFileOfTheFirstVersionIsBroughtUpToDate) {
    // The file as the first version of the store wrote it.
    RunSql(File(), {"CREATE TABLE people (key INTEGER PRIMARY KEY, name TEXT NOT NULL, sex TEXT NOT NULL,"
                    " born TEXT NOT NULL, place_name TEXT, place_state TEXT, place_country TEXT,"
                    " latitude REAL NOT NULL, longitude REAL NOT NULL, zone_id TEXT, zone_offset_seconds INTEGER,"
                    " dst INTEGER NOT NULL, note TEXT NOT NULL, created TEXT NOT NULL, changed TEXT NOT NULL)",
                    "INSERT INTO people VALUES (7, 'Lata', 'Female', '1950-05-06T07:08', NULL, NULL, NULL, 18.5,"
                    " 73.75, NULL, 19800, 0, '', '2020-01-01T00:00:00Z', '2020-01-02T00:00:00Z')",
                    "PRAGMA user_version = 1"});
    PeopleStore store;
    ASSERT_EQ(store.State(), StoreState::Ready) << store.Problem();
    const std::vector<StoredPerson> people = store.List();
    ASSERT_EQ(people.size(), 1u);
    EXPECT_EQ(people[0].key, 7);
    EXPECT_EQ(people[0].person.zone.offsetSeconds, 19800);
    EXPECT_EQ(people[0].changed, "2020-01-02T00:00:00Z");
    {
        const QString name = QUuid::createUuid().toString();
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
            db.setDatabaseName(QString::fromStdString(File()));
            ASSERT_TRUE(db.open());
            QSqlQuery q("PRAGMA user_version", db);
            ASSERT_TRUE(q.next());
            EXPECT_EQ(q.value(0).toInt(), PeopleSchemaVersion);
        }
        QSqlDatabase::removeDatabase(name);
    }
}

TEST_F(PeopleStoreTest, AFolderThatMayNotBeWrittenLeavesTheFileUnchanged) {
    { PeopleStore store; store.Add(Sample()); }
    const std::string before = Bytes(File());
    // Root may write anywhere, so as root the other program runs as user nobody, for whom the folder is
    // read-only; otherwise the folder is made read-only for this user.
    const bool root = geteuid() == 0;
    std::filesystem::permissions(folder,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec |
                                     std::filesystem::perms::group_read | std::filesystem::perms::group_exec |
                                     std::filesystem::perms::others_read | std::filesystem::perms::others_exec);
    std::filesystem::permissions(File(), std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                                             std::filesystem::perms::others_read);
    EXPECT_EQ(Wait(StartWriter({"add", "1", "Added"}, root)), 3);
    EXPECT_EQ(Bytes(File()), before);
    EXPECT_FALSE(std::filesystem::exists(File() + "-journal"));

    // The people are still shown.
    const std::string out = (folder.parent_path() / ("state-" + folder.filename().string())).string();
    const std::string script = "\"" + std::string(PEOPLE_WRITER_PATH) + "\" state > \"" + out + "\"";
    if (root) {
        const pid_t pid = fork();
        if (pid == 0) {
            if (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0) _exit(90);
            const int fd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
            if (fd < 0) _exit(92);
            dup2(fd, 1);
            execl(PEOPLE_WRITER_PATH, PEOPLE_WRITER_PATH, "state", static_cast<char*>(nullptr));
            _exit(91);
        }
        ASSERT_EQ(Wait(pid), 0);
    } else {
        ASSERT_EQ(std::system(script.c_str()), 0);
    }
    const std::string state = Bytes(out);
    std::filesystem::remove(out);
    EXPECT_EQ(state.substr(0, state.find('\n')), "read-only") << state;
    EXPECT_NE(state.find("\n1\n"), std::string::npos) << state;
    EXPECT_NE(state.find("may not be written"), std::string::npos) << state;
    EXPECT_EQ(Bytes(File()), before);
}

TEST_F(PeopleStoreTest, TwoProgramsWritingAtOnceLoseNoWrite) {
    constexpr int each = 60;
    PeopleStore store;
    ASSERT_EQ(store.State(), StoreState::Ready);
    const pid_t other = StartWriter({"add", std::to_string(each), "Other"});
    ASSERT_GT(other, 0);
    for (int i = 1; i <= each; ++i) {
        Person p = Sample("Mine-" + std::to_string(i));
        store.Add(p);
    }
    ASSERT_EQ(Wait(other), 0);
    const std::vector<StoredPerson> people = store.List();
    std::set<std::string> names;
    for (const StoredPerson& p : people) names.insert(p.person.name);
    EXPECT_EQ(people.size(), 2u * each);
    EXPECT_EQ(names.size(), 2u * each);
    for (int i = 1; i <= each; ++i) {
        EXPECT_TRUE(names.count("Mine-" + std::to_string(i)));
        EXPECT_TRUE(names.count("Other-" + std::to_string(i)));
    }
}

TEST_F(PeopleStoreTest, AWriteThatDoesNotFitIsRolledBack) {
    PeopleStore store;
    store.Add(Sample());
    const std::vector<StoredPerson> before = store.List();
    store.LimitPages(static_cast<int>(std::filesystem::file_size(File()) / 4096) + 1);
    Person big = Sample("Big");
    big.note = std::string(64 * 1024, 'n');
    try {
        store.Add(big);
        ADD_FAILURE() << "a person larger than the room left was saved";
    } catch (const StoreFailure& e) {
        EXPECT_NE(std::string(e.what()).find("full"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("nothing was changed"), std::string::npos) << e.what();
    }
    // Several people at once: none of them is kept.
    std::vector<StoredPerson> many = {StoredPerson{0, Sample("Small"), "", "", ""}, StoredPerson{0, big, "", "", ""}};
    EXPECT_THROW(store.AddAll(many), StoreFailure);
    EXPECT_EQ(store.List(), before);
    EXPECT_EQ(PeopleStore().List(), before);
}

}  // namespace
}  // namespace kalvora
