#include "store/people_store.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QUuid>
#include <QVariant>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <cstdlib>
#include <map>
#include <set>
#include <string_view>
#include <utility>

#include "zone/zone.h"

namespace kalvora {
namespace {

// The layout of the file, one statement per row, each with the version it brings the file to. A file of an older
// version is brought up to date by the rows after its version, in one transaction.
struct SchemaStep {
    int version;
    std::string_view sql;
};
constexpr auto SchemaSteps = std::to_array<SchemaStep>({
    {1, "CREATE TABLE people ("
        " key INTEGER PRIMARY KEY,"
        " name TEXT NOT NULL,"
        " sex TEXT NOT NULL,"
        " born TEXT NOT NULL,"               // YYYY-MM-DDTHH:MM, local clock time
        " place_name TEXT,"                  // the three place names are NULL when no place was chosen
        " place_state TEXT,"
        " place_country TEXT,"
        " latitude REAL NOT NULL,"           // degrees, north positive
        " longitude REAL NOT NULL,"          // degrees, east positive
        " zone_id TEXT,"                     // a zone id, or NULL when the offset was typed
        " zone_offset_seconds INTEGER,"      // the typed offset, east positive, or NULL
        " dst INTEGER NOT NULL,"
        " note TEXT NOT NULL,"
        " created TEXT NOT NULL,"            // UT, YYYY-MM-DDTHH:MM:SSZ
        " changed TEXT NOT NULL)"},
    // Lists are ordered by name, then birth.
    {2, "CREATE INDEX people_by_name ON people (name, born)"},
    // Saved groups of people: a name, and the members in order, each a person of the table of people.
    {3, "CREATE TABLE people_groups ("
        " key INTEGER PRIMARY KEY,"
        " name TEXT NOT NULL UNIQUE,"
        " created TEXT NOT NULL,"            // UT, YYYY-MM-DDTHH:MM:SSZ
        " changed TEXT NOT NULL)"},
    {3, "CREATE TABLE group_members ("
        " group_key INTEGER NOT NULL,"       // people_groups.key
        " position INTEGER NOT NULL,"        // 0, 1, ... in the group's order
        " person_key INTEGER NOT NULL,"      // people.key
        " role TEXT NOT NULL,"               // bride, groom, or empty
        " PRIMARY KEY (group_key, position))"},
    // A person's groups are found when the person is removed.
    {3, "CREATE INDEX group_members_by_person ON group_members (person_key)"},
});
static_assert(SchemaSteps.back().version == PeopleSchemaVersion);

constexpr const char* PeopleFileName = "people.sqlite";

QString Q(const std::string& text) { return QString::fromStdString(text); }
QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
std::string S(const QString& text) { return text.toStdString(); }

std::string NowText() { return S(QDateTime::currentDateTimeUtc().toString("yyyy-MM-dd'T'HH:mm:ss'Z'")); }

std::string ErrorText(const QSqlError& error) {
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return S(text);
}

// Runs one statement; throws StoreFailure with the database's reason.
void Exec(QSqlQuery& query, const QString& sql) {
    if (!query.exec(sql)) throw StoreFailure(ErrorText(query.lastError()));
}
void Exec(QSqlQuery& query) {
    if (!query.exec()) throw StoreFailure(ErrorText(query.lastError()));
}

constexpr const char* Columns =
    "key, name, sex, born, place_name, place_state, place_country, latitude, longitude, zone_id, "
    "zone_offset_seconds, dst, note, created, changed";

constexpr const char* GroupColumns = "key, name, created, changed";
constexpr const char* MemberColumns = "group_key, position, person_key, role";

// The tables of the current layout with their columns, which a file of that version must have exactly.
struct TableLayout {
    const char* table;
    const char* columns;
    const char* what;
};
constexpr auto Tables = std::to_array<TableLayout>({
    {"people", Columns, "the table of people"},
    {"people_groups", GroupColumns, "the table of groups"},
    {"group_members", MemberColumns, "the table of group members"},
});

// The names of the columns, in the order of `columns`.
QStringList ColumnNames(const char* columns) { return QString::fromLatin1(columns).split(QStringLiteral(", ")); }

// Whether a value read from a column is a number (SQLite keeps whatever was written into a column, so a row
// changed by another program may hold a text where a number belongs).
bool IsNumber(const QVariant& v) {
    const int type = v.metaType().id();
    return type == QMetaType::Double || type == QMetaType::LongLong || type == QMetaType::Int;
}
bool IsText(const QVariant& v) { return v.metaType().id() == QMetaType::QString; }

// The text of a column, or none when it holds something else.
std::optional<std::string> TextAt(const QSqlQuery& q, int column) {
    const QVariant v = q.value(column);
    if (!IsText(v)) return std::nullopt;
    return S(v.toString());
}

// Reads one row, checking every field as a person saved by the programs would be checked: what cannot be used is
// told in `damage`, and the row is then never calculated with.
StoredPerson ReadRow(const QSqlQuery& q) {
    StoredPerson out;
    out.key = q.value(0).toLongLong();
    Person& p = out.person;
    std::string damage;
    const auto note = [&](const std::string& what) {
        if (damage.empty()) damage = what;
    };
    const auto text = [&](int column, const char* what) {
        const std::optional<std::string> t = TextAt(q, column);
        if (!t) note(std::string(what) + " is not a text");
        return t.value_or("");
    };
    const auto number = [&](int column, const char* what) {
        const QVariant v = q.value(column);
        if (!IsNumber(v)) note(std::string(what) + " is not a number");
        return v.toDouble();
    };
    p.name = text(1, "the name");
    p.sex = text(2, "the sex");
    const std::string born = text(3, "the birth time");
    if (const std::optional<BirthClock> clock = ReadBornText(born)) {
        p.born = *clock;
    } else {
        note("the birth time " + QuotedText(born) + " is not a date and time");
    }
    if (!q.value(4).isNull()) {
        p.place = BirthPlace{text(4, "the place's name"), text(5, "the place's state"), text(6, "the place's country")};
    }
    p.latitude = number(7, "the latitude");
    p.longitude = number(8, "the longitude");
    if (!q.value(9).isNull()) p.zone.id = text(9, "the zone id");
    if (!q.value(10).isNull()) {
        const QVariant v = q.value(10);
        if (v.metaType().id() != QMetaType::LongLong && v.metaType().id() != QMetaType::Int) {
            note("the zone's offset is not a whole number of seconds");
        } else if (std::abs(v.toLongLong()) > LargestTypedOffsetSeconds) {
            note("the zone's offset must be at most 14 hours east or west");
        } else {
            p.zone.offsetSeconds = v.toInt();
        }
    }
    const QVariant dst = q.value(11);
    if (!IsNumber(dst) || (dst.toLongLong() != 0 && dst.toLongLong() != 1)) note("the daylight-saving flag is not 0 or 1");
    p.zone.dst = dst.toLongLong() == 1;
    p.note = text(12, "the note");
    out.created = text(13, "the time it was saved");
    out.changed = text(14, "the time it was changed");
    if (damage.empty()) damage = PersonProblem(p);
    out.damage = damage;
    return out;
}

// Binds a person's fields to the named placeholders of an INSERT or UPDATE.
void BindPerson(QSqlQuery& q, const Person& p) {
    q.bindValue(":name", Q(p.name));
    q.bindValue(":sex", Q(p.sex));
    q.bindValue(":born", Q(BornText(p.born)));
    const auto nullText = QVariant(QMetaType::fromType<QString>());
    q.bindValue(":place_name", p.place ? QVariant(Q(p.place->name)) : nullText);
    q.bindValue(":place_state", p.place ? QVariant(Q(p.place->state)) : nullText);
    q.bindValue(":place_country", p.place ? QVariant(Q(p.place->country)) : nullText);
    q.bindValue(":latitude", p.latitude);
    q.bindValue(":longitude", p.longitude);
    q.bindValue(":zone_id", p.zone.id ? QVariant(Q(*p.zone.id)) : nullText);
    q.bindValue(":zone_offset_seconds",
                p.zone.offsetSeconds ? QVariant(*p.zone.offsetSeconds) : QVariant(QMetaType::fromType<int>()));
    q.bindValue(":dst", p.zone.dst ? 1 : 0);
    q.bindValue(":note", Q(p.note));
}

void CheckPerson(const Person& p) {
    if (const std::string problem = PersonProblem(p); !problem.empty()) throw StoreFailure(problem);
}

void CheckGroup(const Group& g) {
    if (const std::string problem = GroupNameProblem(g.name); !problem.empty()) throw StoreFailure(problem);
    if (g.members.empty()) throw StoreFailure("the group " + QuotedText(g.name) + " has no members");
    for (std::size_t i = 0; i < g.members.size(); ++i) {
        const std::string member = "member " + std::to_string(i + 1);
        if (const std::string problem = RoleProblem(g.members[i].role); !problem.empty()) {
            throw StoreFailure(member + ": " + problem);
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (g.members[j].personKey == g.members[i].personKey) {
                throw StoreFailure(member + " is member " + std::to_string(j + 1) + " again");
            }
        }
    }
}

// "the group 'A'", "the groups 'A' and 'B'", "the groups 'A', 'B' and 'C'".
std::string GroupsText(const std::vector<std::string>& names) {
    std::string text = names.size() == 1 ? "the group " : "the groups ";
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) text += i + 1 == names.size() ? " and " : ", ";
        text += QuotedText(names[i]);
    }
    return text;
}

// The names of the groups a person belongs to, by name.
std::vector<std::string> GroupNamesOf(QSqlQuery& q, std::int64_t personKey) {
    q.prepare("SELECT DISTINCT g.name FROM group_members m JOIN people_groups g ON g.key = m.group_key"
              " WHERE m.person_key = :key ORDER BY g.name");
    q.bindValue(":key", static_cast<qlonglong>(personKey));
    Exec(q);
    std::vector<std::string> names;
    while (q.next()) names.push_back(S(q.value(0).toString()));
    q.finish();
    return names;
}

std::optional<std::int64_t> GroupKeyNamed(QSqlQuery& q, const std::string& name) {
    q.prepare("SELECT key FROM people_groups WHERE name = :name");
    q.bindValue(":name", Q(name));
    Exec(q);
    std::optional<std::int64_t> key;
    if (q.next()) key = q.value(0).toLongLong();
    q.finish();
    return key;
}

std::vector<GroupMember> MembersOf(QSqlQuery& q, std::int64_t groupKey) {
    q.prepare("SELECT person_key, role FROM group_members WHERE group_key = :key ORDER BY position");
    q.bindValue(":key", static_cast<qlonglong>(groupKey));
    Exec(q);
    std::vector<GroupMember> members;
    while (q.next()) members.push_back({q.value(0).toLongLong(), S(q.value(1).toString())});
    q.finish();
    return members;
}

// Writes the members of a group anew, in their order. A member row left by another program under the key of a
// new group is cleared first, so that it never joins the group.
void WriteMembers(QSqlQuery& q, std::int64_t groupKey, const std::vector<GroupMember>& members) {
    q.prepare("DELETE FROM group_members WHERE group_key = :key");
    q.bindValue(":key", static_cast<qlonglong>(groupKey));
    Exec(q);
    for (std::size_t i = 0; i < members.size(); ++i) {
        q.prepare("INSERT INTO group_members (group_key, position, person_key, role)"
                  " VALUES (:group, :position, :person, :role)");
        q.bindValue(":group", static_cast<qlonglong>(groupKey));
        q.bindValue(":position", static_cast<qlonglong>(i));
        q.bindValue(":person", static_cast<qlonglong>(members[i].personKey));
        q.bindValue(":role", Q(members[i].role));
        Exec(q);
    }
}

// Adds a group under a name no group has; returns its key.
std::int64_t InsertGroup(QSqlQuery& q, const Group& g, const std::string& created, const std::string& changed) {
    q.prepare("INSERT INTO people_groups (name, created, changed) VALUES (:name, :created, :changed)");
    q.bindValue(":name", Q(g.name));
    q.bindValue(":created", Q(created));
    q.bindValue(":changed", Q(changed));
    Exec(q);
    const std::int64_t key = q.lastInsertId().toLongLong();
    WriteMembers(q, key, g.members);
    return key;
}

}  // namespace

std::string PeopleFolder() {
    if (const char* dir = std::getenv("KALVORA_DATA_DIR"); dir && *dir) return dir;
    // The data folder is named after the program, whether or not a QCoreApplication has named it.
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return S(QDir(base).filePath("kalvora"));
}

std::string DefaultPeopleFile() { return S(QDir(Q(PeopleFolder())).filePath(PeopleFileName)); }

PeopleStore::PeopleStore(std::string filePath)
    : filePath_(std::move(filePath)), connection_("kalvora-people-" + S(QUuid::createUuid().toString())) {
    Open();
}

PeopleStore::~PeopleStore() { Close(); }

void PeopleStore::Refuse(StoreState state, std::string problem) {
    state_ = state;
    problem_ = std::move(problem);
}

void PeopleStore::Close() {
    if (!QSqlDatabase::contains(Q(connection_))) return;
    {
        QSqlDatabase db = QSqlDatabase::database(Q(connection_), false);
        db.close();
    }
    QSqlDatabase::removeDatabase(Q(connection_));
}

template <typename Write>
auto PeopleStore::Transaction(const char* what, Write write) {
    if (state_ != StoreState::Ready) throw StoreFailure(std::string("cannot ") + what + ": " + problem_);
    QSqlDatabase db = QSqlDatabase::database(Q(connection_), false);
    QSqlQuery q(db);
    if (!q.exec("BEGIN IMMEDIATE")) {
        throw StoreFailure(std::string("cannot ") + what + ": " + ErrorText(q.lastError()) +
                           " (nothing was changed)");
    }
    try {
        auto result = write(q);
        q.finish();
        Exec(q, "COMMIT");
        return result;
    } catch (const StoreFailure& e) {
        q.finish();
        QSqlQuery rollback(db);
        rollback.exec("ROLLBACK");
        throw StoreFailure(std::string("cannot ") + what + ": " + e.what() + " (nothing was changed)");
    }
}

void PeopleStore::Open() {
    Check();
    // An unusable file is let go of at once, so that it can be moved aside.
    if (state_ == StoreState::Unavailable) Close();
}

void PeopleStore::Check() {
    state_ = StoreState::Unavailable;
    problem_.clear();
    setAsideHelps_ = false;
    const QFileInfo file(Q(filePath_));
    const QString folder = file.absolutePath();
    const std::string where = "the people file " + filePath_;
    if (!QDir().mkpath(folder)) {
        return Refuse(StoreState::Unavailable, "the folder " + S(folder) + " cannot be made");
    }
    if (file.exists() && !file.isFile()) {
        return Refuse(StoreState::Unavailable, where + " is not a file");
    }
    const bool folderWritable = QFileInfo(folder).isWritable();
    const bool writable = folderWritable && (!file.exists() || file.isWritable());
    if (!file.exists() && !folderWritable) {
        return Refuse(StoreState::Unavailable,
                      "the folder " + S(folder) + " may not be written to, so people cannot be saved");
    }
    if (file.exists() && !file.isReadable()) return Refuse(StoreState::Unavailable, where + " may not be read");

    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", Q(connection_));
    db.setDatabaseName(Q(filePath_));
    QString options = "QSQLITE_BUSY_TIMEOUT=" + QString::number(BusyTimeoutMilliseconds);
    if (!writable) options += ";QSQLITE_OPEN_READONLY";
    db.setConnectOptions(options);
    if (!db.open()) {
        return Refuse(StoreState::Unavailable, where + " cannot be opened: " + ErrorText(db.lastError()));
    }

    // Reading only, until the file is known to be ours and of a version this program writes. The reads are one
    // transaction, so that they see the file as one state even while another program is creating it.
    QSqlQuery q(db);
    const auto damaged = [&](const std::string& reason) {
        setAsideHelps_ = true;
        Refuse(StoreState::Unavailable, where + " is damaged or is not a people file (" + reason +
                                            "); it has been left as it is");
    };
    // A failed read: damage only when the database says so, otherwise the reason as it is (another program
    // holding the file too long, a read error of the disk).
    const auto failed = [&](const QSqlError& error) {
        const int code = error.nativeErrorCode().toInt() & 0xFF;
        constexpr int Busy = 5, Locked = 6, Corrupt = 11, NotADatabase = 26;
        if (code == Corrupt || code == NotADatabase) return damaged(ErrorText(error));
        if (code == Busy || code == Locked) {
            return Refuse(StoreState::Unavailable, where + " is in use by another program, which did not finish within " +
                                                       std::to_string(BusyTimeoutMilliseconds / 1000) +
                                                       " seconds; try again");
        }
        Refuse(StoreState::Unavailable, where + " cannot be read: " + ErrorText(error));
    };
    const auto read = [&](const QString& sql) { return q.exec(sql) && q.next(); };
    if (!q.exec("BEGIN")) return failed(q.lastError());
    const auto finish = [&] {
        q.finish();
        QSqlQuery end(db);
        end.exec("COMMIT");
    };
    if (!read("PRAGMA user_version")) return finish(), failed(q.lastError());
    const int version = q.value(0).toInt();
    if (!q.exec("PRAGMA quick_check")) return finish(), failed(q.lastError());
    std::vector<std::string> faults;
    while (q.next()) {
        if (q.value(0).toString() != "ok") faults.push_back(S(q.value(0).toString()));
    }
    if (!faults.empty()) {
        // The check lists every fault on a line of its own; the message says the first and how many more.
        std::string first = faults.front().substr(0, faults.front().find('\n'));
        if (faults.size() > 1) first += ", and " + std::to_string(faults.size() - 1) + " more faults";
        return finish(), damaged(first);
    }
    if (version > PeopleSchemaVersion) {
        finish();
        setAsideHelps_ = true;
        return Refuse(StoreState::Unavailable,
                      where + " was written by a newer version of Kalvora (layout " + std::to_string(version) +
                          ", this version reads up to " + std::to_string(PeopleSchemaVersion) +
                          "); it has been left as it is");
    }
    if (!read("SELECT count(*), sum(name = 'people') FROM sqlite_master WHERE type = 'table'")) {
        return finish(), failed(q.lastError());
    }
    const int tables = q.value(0).toInt();
    const bool hasPeople = q.value(1).toInt() > 0;
    if (version == 0 && tables > 0) return finish(), damaged("it holds other tables");
    if (version > 0 && !hasPeople) return finish(), damaged("the table of people is missing");
    if (version == PeopleSchemaVersion) {
        for (const TableLayout& layout : Tables) {
            QStringList columns;
            if (!q.exec(QString("PRAGMA table_info(") + layout.table + ")")) return finish(), failed(q.lastError());
            while (q.next()) columns << q.value(1).toString();
            if (columns.isEmpty()) return finish(), damaged(std::string(layout.what) + " is missing");
            if (columns != ColumnNames(layout.columns)) {
                return finish(), damaged(std::string(layout.what) + " has other columns");
            }
        }
    }
    finish();

    if (version < PeopleSchemaVersion) {
        if (!writable) {
            return Refuse(StoreState::Unavailable, where + " needs to be brought up to date, but the folder " +
                                                       S(folder) + " may not be written to");
        }
        state_ = StoreState::Ready;
        try {
            Transaction("bring the people file up to date", [&](QSqlQuery& w) {
                // Read again inside the transaction: another program may have done it meanwhile.
                Exec(w, "PRAGMA user_version");
                const int now = w.next() ? w.value(0).toInt() : 0;
                w.finish();
                for (const SchemaStep& step : SchemaSteps) {
                    if (step.version > now) Exec(w, Q(step.sql));
                }
                if (now < PeopleSchemaVersion) Exec(w, "PRAGMA user_version = " + QString::number(PeopleSchemaVersion));
                return 0;
            });
        } catch (const StoreFailure& e) {
            return Refuse(StoreState::Unavailable, e.what());
        }
    }
    if (!writable) {
        return Refuse(StoreState::ReadOnly, "the people file " + filePath_ + " or its folder " + S(folder) +
                                                " may not be written to: people are shown but not saved");
    }
    state_ = StoreState::Ready;
}

std::vector<StoredPerson> PeopleStore::List() const {
    if (state_ == StoreState::Unavailable) throw StoreFailure(problem_);
    QSqlQuery q(QSqlDatabase::database(Q(connection_), false));
    q.setForwardOnly(true);
    Exec(q, QString("SELECT ") + Columns + " FROM people ORDER BY name, born, key");
    std::vector<StoredPerson> people;
    while (q.next()) people.push_back(ReadRow(q));
    if (q.lastError().isValid()) throw StoreFailure(ErrorText(q.lastError()));
    return people;
}

std::vector<StoredPerson> PeopleStore::Named(const std::string& name) const {
    if (state_ == StoreState::Unavailable) throw StoreFailure(problem_);
    QSqlQuery q(QSqlDatabase::database(Q(connection_), false));
    q.setForwardOnly(true);
    q.prepare(QString("SELECT ") + Columns + " FROM people WHERE name = :name ORDER BY born, key");
    q.bindValue(":name", Q(name));
    Exec(q);
    std::vector<StoredPerson> people;
    while (q.next()) people.push_back(ReadRow(q));
    return people;
}

std::int64_t PeopleStore::Add(const Person& person) {
    CheckPerson(person);
    return Transaction("save the person", [&](QSqlQuery& q) {
        const QString now = Q(NowText());
        q.prepare("INSERT INTO people (name, sex, born, place_name, place_state, place_country, latitude, longitude,"
                  " zone_id, zone_offset_seconds, dst, note, created, changed) VALUES (:name, :sex, :born,"
                  " :place_name, :place_state, :place_country, :latitude, :longitude, :zone_id,"
                  " :zone_offset_seconds, :dst, :note, :created, :changed)");
        BindPerson(q, person);
        q.bindValue(":created", now);
        q.bindValue(":changed", now);
        Exec(q);
        return q.lastInsertId().toLongLong();
    });
}

void PeopleStore::Update(std::int64_t key, const Person& person) {
    CheckPerson(person);
    Transaction("save the person", [&](QSqlQuery& q) {
        q.prepare("UPDATE people SET name = :name, sex = :sex, born = :born, place_name = :place_name,"
                  " place_state = :place_state, place_country = :place_country, latitude = :latitude,"
                  " longitude = :longitude, zone_id = :zone_id, zone_offset_seconds = :zone_offset_seconds,"
                  " dst = :dst, note = :note, changed = :changed WHERE key = :key");
        BindPerson(q, person);
        q.bindValue(":changed", Q(NowText()));
        q.bindValue(":key", static_cast<qlonglong>(key));
        Exec(q);
        if (q.numRowsAffected() != 1) throw StoreFailure("the person is no longer in the store");
        return 0;
    });
}

void PeopleStore::Remove(std::int64_t key) {
    Transaction("remove the person", [&](QSqlQuery& q) {
        if (const std::vector<std::string> groups = GroupNamesOf(q, key); !groups.empty()) {
            throw StoreFailure("the person belongs to " + GroupsText(groups) +
                               "; save the group without the person, or remove the group, first");
        }
        q.prepare("DELETE FROM people WHERE key = :key");
        q.bindValue(":key", static_cast<qlonglong>(key));
        Exec(q);
        if (q.numRowsAffected() != 1) throw StoreFailure("the person is no longer in the store");
        return 0;
    });
}

std::size_t PeopleStore::AddAll(const std::vector<StoredPerson>& people) {
    return AddAll(PeopleBackup{people, {}}).people;
}

PeopleStore::AddedCounts PeopleStore::AddAll(const PeopleBackup& backup) {
    for (const StoredPerson& p : backup.people) CheckPerson(p.person);
    return Transaction("read the people in", [&](QSqlQuery& q) {
        const std::string now = NowText();
        AddedCounts added;
        // The key each person of the backup has in the store, found or added.
        std::vector<std::int64_t> keys;
        for (const StoredPerson& entry : backup.people) {
            q.prepare(QString("SELECT ") + Columns + " FROM people WHERE name = :name AND born = :born");
            q.bindValue(":name", Q(entry.person.name));
            q.bindValue(":born", Q(BornText(entry.person.born)));
            Exec(q);
            std::optional<std::int64_t> present;
            while (!present && q.next()) {
                if (const StoredPerson row = ReadRow(q); row.person == entry.person) present = row.key;
            }
            q.finish();
            if (present) {
                keys.push_back(*present);
                continue;
            }
            q.prepare("INSERT INTO people (name, sex, born, place_name, place_state, place_country, latitude,"
                      " longitude, zone_id, zone_offset_seconds, dst, note, created, changed) VALUES (:name, :sex,"
                      " :born, :place_name, :place_state, :place_country, :latitude, :longitude, :zone_id,"
                      " :zone_offset_seconds, :dst, :note, :created, :changed)");
            BindPerson(q, entry.person);
            q.bindValue(":created", Q(entry.created.empty() ? now : entry.created));
            q.bindValue(":changed", Q(entry.changed.empty() ? now : entry.changed));
            Exec(q);
            keys.push_back(q.lastInsertId().toLongLong());
            ++added.people;
        }
        for (std::size_t g = 0; g < backup.groups.size(); ++g) {
            const GroupEntry& entry = backup.groups[g];
            const std::string label = NumberedEntry("group", g + 1, entry.name);
            Group group{entry.name, {}};
            for (std::size_t m = 0; m < entry.members.size(); ++m) {
                const MemberReference& ref = entry.members[m];
                const std::string member =
                    label + ": member " + std::to_string(m + 1) + " (" + MemberText(ref.name, ref.born) + ")";
                // The people of the backup first: a backup's group names its own people.
                std::set<std::int64_t> found;
                for (std::size_t i = 0; i < backup.people.size(); ++i) {
                    const Person& p = backup.people[i].person;
                    if (p.name == ref.name && p.born == ref.born) found.insert(keys[i]);
                }
                std::string damage;
                if (found.empty()) {
                    q.prepare(QString("SELECT ") + Columns + " FROM people WHERE name = :name AND born = :born");
                    q.bindValue(":name", Q(ref.name));
                    q.bindValue(":born", Q(BornText(ref.born)));
                    Exec(q);
                    while (q.next()) {
                        const StoredPerson row = ReadRow(q);
                        if (row.damage.empty()) {
                            found.insert(row.key);
                        } else {
                            damage = row.damage;
                        }
                    }
                    q.finish();
                }
                if (found.empty() && !damage.empty()) {
                    throw StoreFailure(member + " is saved only as a damaged row: " + damage);
                }
                if (found.empty()) throw StoreFailure(member + " is neither in the file nor saved");
                if (found.size() > 1) {
                    throw StoreFailure(member + " is " + std::to_string(found.size()) +
                                       " people of that name and birth, which a backup cannot tell apart");
                }
                group.members.push_back({*found.begin(), ref.role});
            }
            try {
                CheckGroup(group);
            } catch (const StoreFailure& e) {
                throw StoreFailure(label + ": " + e.what());
            }
            if (const std::optional<std::int64_t> key = GroupKeyNamed(q, group.name)) {
                if (MembersOf(q, *key) == group.members) continue;
                throw StoreFailure(label + ": a different group of this name is saved");
            }
            InsertGroup(q, group, entry.created.empty() ? now : entry.created,
                        entry.changed.empty() ? now : entry.changed);
            ++added.groups;
        }
        return added;
    });
}

std::vector<StoredGroup> PeopleStore::Groups() const {
    if (state_ == StoreState::Unavailable) throw StoreFailure(problem_);
    std::map<std::int64_t, StoredPerson> people;
    for (StoredPerson& p : List()) people.emplace(p.key, std::move(p));
    QSqlQuery q(QSqlDatabase::database(Q(connection_), false));
    q.setForwardOnly(true);
    Exec(q, QString("SELECT ") + GroupColumns + " FROM people_groups ORDER BY name, key");
    std::vector<StoredGroup> groups;
    std::map<std::int64_t, std::size_t> index;
    while (q.next()) {
        StoredGroup g;
        g.key = q.value(0).toLongLong();
        const auto text = [&](int column, const char* what) {
            const std::optional<std::string> t = TextAt(q, column);
            if (!t && g.damage.empty()) g.damage = std::string(what) + " is not a text";
            return t.value_or("");
        };
        g.group.name = text(1, "the group's name");
        g.created = text(2, "the time it was saved");
        g.changed = text(3, "the time it was changed");
        if (g.damage.empty()) g.damage = GroupNameProblem(g.group.name);
        index.emplace(g.key, groups.size());
        groups.push_back(std::move(g));
    }
    if (q.lastError().isValid()) throw StoreFailure(ErrorText(q.lastError()));
    Exec(q, QString("SELECT ") + MemberColumns + " FROM group_members ORDER BY group_key, position");
    while (q.next()) {
        const auto at = index.find(q.value(0).toLongLong());
        if (at == index.end()) continue;  // a member row of no group belongs to nothing shown
        StoredGroup& g = groups[at->second];
        const std::string member = "member " + std::to_string(g.group.members.size() + 1);
        const auto spoil = [&](const std::string& what) {
            if (g.damage.empty()) g.damage = member + " " + what;
        };
        GroupMember m;
        const QVariant person = q.value(2);
        const int type = person.metaType().id();
        if (type != QMetaType::LongLong && type != QMetaType::Int) spoil("is not a row of the table of people");
        m.personKey = person.toLongLong();
        const std::optional<std::string> role = TextAt(q, 3);
        if (!role) spoil("has a role that is not a text");
        m.role = role.value_or("");
        if (const std::string problem = RoleProblem(m.role); !problem.empty()) spoil("is wrong: " + problem);
        for (std::size_t j = 0; j < g.group.members.size(); ++j) {
            if (g.group.members[j].personKey == m.personKey) spoil("is member " + std::to_string(j + 1) + " again");
        }
        if (const auto found = people.find(m.personKey); found == people.end()) {
            spoil("(row " + std::to_string(m.personKey) + ") is no longer saved");
            g.people.push_back(StoredPerson{m.personKey, {}, "", "", "no longer saved"});
        } else {
            if (!found->second.damage.empty()) {
                spoil(QuotedText(found->second.person.name) + " is a damaged row: " + found->second.damage);
            }
            g.people.push_back(found->second);
        }
        g.group.members.push_back(std::move(m));
    }
    if (q.lastError().isValid()) throw StoreFailure(ErrorText(q.lastError()));
    for (StoredGroup& g : groups) {
        if (g.damage.empty() && g.group.members.empty()) g.damage = "it has no members";
    }
    return groups;
}

std::optional<StoredGroup> PeopleStore::GroupNamed(const std::string& name) const {
    std::vector<StoredGroup> groups = Groups();
    const auto at =
        std::find_if(groups.begin(), groups.end(), [&](const StoredGroup& g) { return g.group.name == name; });
    if (at == groups.end()) return std::nullopt;
    return std::move(*at);
}

std::vector<std::string> PeopleStore::GroupsOf(std::int64_t personKey) const {
    if (state_ == StoreState::Unavailable) throw StoreFailure(problem_);
    QSqlQuery q(QSqlDatabase::database(Q(connection_), false));
    return GroupNamesOf(q, personKey);
}

std::int64_t PeopleStore::SaveGroup(const Group& group) {
    CheckGroup(group);
    return Transaction("save the group", [&](QSqlQuery& q) {
        for (std::size_t i = 0; i < group.members.size(); ++i) {
            const std::int64_t person = group.members[i].personKey;
            const std::string member = "member " + std::to_string(i + 1);
            q.prepare(QString("SELECT ") + Columns + " FROM people WHERE key = :key");
            q.bindValue(":key", static_cast<qlonglong>(person));
            Exec(q);
            if (!q.next()) throw StoreFailure(member + " (row " + std::to_string(person) + ") is not a saved person");
            const StoredPerson row = ReadRow(q);
            q.finish();
            if (!row.damage.empty()) {
                throw StoreFailure(member + " (" + QuotedText(row.person.name) + ") cannot be used: " + row.damage);
            }
        }
        const std::string now = NowText();
        const std::optional<std::int64_t> key = GroupKeyNamed(q, group.name);
        if (!key) return InsertGroup(q, group, now, now);
        q.prepare("UPDATE people_groups SET changed = :changed WHERE key = :key");
        q.bindValue(":changed", Q(now));
        q.bindValue(":key", static_cast<qlonglong>(*key));
        Exec(q);
        WriteMembers(q, *key, group.members);
        return *key;
    });
}

void PeopleStore::RenameGroup(const std::string& from, const std::string& to) {
    if (const std::string problem = GroupNameProblem(to); !problem.empty()) {
        throw StoreFailure("cannot rename the group: the new name: " + problem);
    }
    Transaction("rename the group", [&](QSqlQuery& q) {
        const std::optional<std::int64_t> key = GroupKeyNamed(q, from);
        if (!key) throw StoreFailure("no group named " + QuotedText(from) + " is saved");
        if (from == to) return 0;
        if (GroupKeyNamed(q, to)) throw StoreFailure("a group named " + QuotedText(to) + " is saved already");
        q.prepare("UPDATE people_groups SET name = :name, changed = :changed WHERE key = :key");
        q.bindValue(":name", Q(to));
        q.bindValue(":changed", Q(NowText()));
        q.bindValue(":key", static_cast<qlonglong>(*key));
        Exec(q);
        return 0;
    });
}

void PeopleStore::RemoveGroup(std::int64_t key) {
    Transaction("remove the group", [&](QSqlQuery& q) {
        q.prepare("DELETE FROM people_groups WHERE key = :key");
        q.bindValue(":key", static_cast<qlonglong>(key));
        Exec(q);
        if (q.numRowsAffected() != 1) throw StoreFailure("the group is no longer in the store");
        q.prepare("DELETE FROM group_members WHERE group_key = :key");
        q.bindValue(":key", static_cast<qlonglong>(key));
        Exec(q);
        return 0;
    });
}

bool PeopleStore::SetAsideHelps() const {
    if (state_ == StoreState::Unavailable) return setAsideHelps_;
    try {
        const std::vector<StoredPerson> people = List();
        const std::vector<StoredGroup> groups = Groups();
        return std::any_of(people.begin(), people.end(), [](const StoredPerson& p) { return !p.damage.empty(); }) ||
               std::any_of(groups.begin(), groups.end(), [](const StoredGroup& g) { return !g.damage.empty(); });
    } catch (const StoreFailure&) {
        return false;
    }
}

std::string PeopleStore::SetAsideAndStartNew() {
    const QFileInfo file(Q(filePath_));
    if (!file.exists()) throw StoreFailure("there is no people file " + filePath_ + " to move aside");
    if (!SetAsideHelps()) {
        throw StoreFailure(state_ == StoreState::Unavailable
                               ? problem_ + "; moving the file aside would not help"
                               : "the people file " + filePath_ + " can be read; it has not been moved");
    }
    Close();
    const QString stamp = QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss");
    const QString stem = file.completeBaseName() + "-set-aside-" + stamp;
    const QString ext = file.suffix().isEmpty() ? QString() : "." + file.suffix();
    QString target = file.dir().filePath(stem + ext);
    for (int n = 2; QFileInfo::exists(target); ++n) target = file.dir().filePath(stem + "-" + QString::number(n) + ext);
    if (!QFile::rename(file.absoluteFilePath(), target)) {
        Open();
        throw StoreFailure("the people file " + filePath_ + " could not be moved aside; it has been left as it is");
    }
    // A journal left by an interrupted write belongs to the old file.
    const QString journal = file.absoluteFilePath() + "-journal";
    if (QFileInfo::exists(journal)) QFile::rename(journal, target + "-journal");
    Open();
    return S(target);
}

void PeopleStore::LimitPages(int pages) {
    if (state_ == StoreState::Unavailable) return;
    QSqlQuery q(QSqlDatabase::database(Q(connection_), false));
    q.exec("PRAGMA max_page_count = " + QString::number(pages));
}

std::vector<GroupPerson> GroupPeople(const PeopleStore& store, const std::string& name) {
    const std::optional<StoredGroup> group = store.GroupNamed(name);
    if (!group) throw StoreFailure("no group named " + QuotedText(name) + " is saved");
    if (!group->damage.empty()) {
        throw StoreFailure("the saved group " + QuotedText(name) + " cannot be used: " + group->damage);
    }
    std::vector<GroupPerson> people;
    for (std::size_t i = 0; i < group->group.members.size(); ++i) {
        people.push_back({group->people[i], group->group.members[i].role});
    }
    return people;
}

}  // namespace kalvora
