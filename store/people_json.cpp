#include "store/people_json.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <cctype>
#include <cmath>

#include "store/people_store.h"

namespace kalvora {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }
std::string S(const QString& text) { return text.toStdString(); }

QJsonValue OrNull(const std::optional<std::string>& text) { return text ? QJsonValue(Q(*text)) : QJsonValue(); }

QJsonObject PersonObject(const StoredPerson& entry) {
    const Person& p = entry.person;
    QJsonObject o;
    o["name"] = Q(p.name);
    o["sex"] = Q(p.sex);
    o["born"] = Q(BornText(p.born));
    if (p.place) {
        o["place"] = QJsonObject{{"name", Q(p.place->name)}, {"state", Q(p.place->state)},
                                 {"country", Q(p.place->country)}};
    } else {
        o["place"] = QJsonValue();
    }
    o["latitude"] = p.latitude;
    o["longitude"] = p.longitude;
    const std::optional<std::string> offset =
        p.zone.offsetSeconds ? std::optional(OffsetText(*p.zone.offsetSeconds)) : std::nullopt;
    o["zone"] = QJsonObject{{"id", OrNull(p.zone.id)}, {"offset", OrNull(offset)}, {"dst", p.zone.dst}};
    o["note"] = Q(p.note);
    o["created"] = Q(entry.created);
    o["changed"] = Q(entry.changed);
    return o;
}

// A wrong field of one entry; caught by ReadPeopleJson, which names the entry.
struct FieldProblem {
    std::string text;
};

QJsonValue Field(const QJsonObject& o, const char* key) {
    if (!o.contains(key)) throw FieldProblem{std::string("\"") + key + "\" is missing"};
    return o.value(key);
}

// A text as the file holds it; one that cannot be UTF-8 (a lone surrogate escape such as \ud800) is refused
// rather than changed.
std::string Checked(const QString& text, const char* key) {
    if (!text.isValidUtf16()) throw FieldProblem{std::string("\"") + key + "\" holds a lone surrogate"};
    return S(text);
}

std::string Text(const QJsonObject& o, const char* key) {
    const QJsonValue v = Field(o, key);
    if (!v.isString()) throw FieldProblem{std::string("\"") + key + "\" must be a text"};
    return Checked(v.toString(), key);
}

std::optional<std::string> TextOrNull(const QJsonObject& o, const char* key) {
    const QJsonValue v = Field(o, key);
    if (v.isNull()) return std::nullopt;
    if (!v.isString()) throw FieldProblem{std::string("\"") + key + "\" must be a text or null"};
    return Checked(v.toString(), key);
}

double Number(const QJsonObject& o, const char* key) {
    const QJsonValue v = Field(o, key);
    if (!v.isDouble()) throw FieldProblem{std::string("\"") + key + "\" must be a number"};
    return v.toDouble();
}

// A stored time "YYYY-MM-DDTHH:MM:SSZ", or "" when the file leaves it out.
std::string StampOrEmpty(const QJsonObject& o, const char* key) {
    if (!o.contains(key)) return {};
    const std::string text = Text(o, key);
    const bool shape = text.size() == 20 && text[19] == 'Z' && ReadBornText(text.substr(0, 16)) &&
                       text[16] == ':' && std::isdigit(static_cast<unsigned char>(text[17])) &&
                       std::isdigit(static_cast<unsigned char>(text[18]));
    if (!shape) throw FieldProblem{std::string("\"") + key + "\" must be a time YYYY-MM-DDTHH:MM:SSZ"};
    return text;
}

StoredPerson ReadPerson(const QJsonValue& value) {
    if (!value.isObject()) throw FieldProblem{"it is not an object"};
    const QJsonObject o = value.toObject();
    StoredPerson entry;
    Person& p = entry.person;
    p.name = Text(o, "name");
    p.sex = Text(o, "sex");
    const std::string born = Text(o, "born");
    const std::optional<BirthClock> clock = ReadBornText(born);
    if (!clock) throw FieldProblem{"\"born\" must be a date and time YYYY-MM-DDTHH:MM, got " + QuotedText(born)};
    p.born = *clock;
    const QJsonValue place = Field(o, "place");
    if (place.isObject()) {
        const QJsonObject po = place.toObject();
        p.place = BirthPlace{Text(po, "name"), Text(po, "state"), Text(po, "country")};
    } else if (!place.isNull()) {
        throw FieldProblem{"\"place\" must be an object or null"};
    }
    p.latitude = Number(o, "latitude");
    p.longitude = Number(o, "longitude");
    const QJsonValue zoneValue = Field(o, "zone");
    if (!zoneValue.isObject()) throw FieldProblem{"\"zone\" must be an object"};
    const QJsonObject zone = zoneValue.toObject();
    p.zone.id = TextOrNull(zone, "id");
    if (const std::optional<std::string> offset = TextOrNull(zone, "offset")) {
        p.zone.offsetSeconds = ReadOffsetText(*offset);
        if (!p.zone.offsetSeconds) {
            throw FieldProblem{"the zone's \"offset\" must be +HH:MM or +HH:MM:SS (or -), at most 14 hours, got " +
                               QuotedText(*offset)};
        }
    }
    const QJsonValue dst = Field(zone, "dst");
    if (!dst.isBool()) throw FieldProblem{"the zone's \"dst\" must be true or false"};
    p.zone.dst = dst.toBool();
    p.note = Text(o, "note");
    entry.created = StampOrEmpty(o, "created");
    entry.changed = StampOrEmpty(o, "changed");
    if (const std::string problem = PersonProblem(p); !problem.empty()) throw FieldProblem{problem};
    return entry;
}

// The undamaged people (an import could not read a damaged row back).
QJsonArray PeopleArray(const std::vector<StoredPerson>& people) {
    QJsonArray array;
    for (const StoredPerson& entry : people) {
        if (entry.damage.empty()) array.append(PersonObject(entry));
    }
    return array;
}

QJsonObject GroupObject(const GroupEntry& entry) {
    QJsonArray members;
    for (const MemberReference& m : entry.members) {
        members.append(QJsonObject{{"name", Q(m.name)}, {"born", Q(BornText(m.born))}, {"role", Q(m.role)}});
    }
    return QJsonObject{{"name", Q(entry.name)}, {"members", members}, {"created", Q(entry.created)},
                       {"changed", Q(entry.changed)}};
}

GroupEntry ReadGroup(const QJsonValue& value) {
    if (!value.isObject()) throw FieldProblem{"it is not an object"};
    const QJsonObject o = value.toObject();
    GroupEntry entry;
    entry.name = Text(o, "name");
    if (const std::string problem = GroupNameProblem(entry.name); !problem.empty()) throw FieldProblem{problem};
    const QJsonValue members = Field(o, "members");
    if (!members.isArray() || members.toArray().isEmpty()) {
        throw FieldProblem{"\"members\" must be a list of at least one member"};
    }
    const QJsonArray list = members.toArray();
    for (qsizetype i = 0; i < list.size(); ++i) {
        const std::string member = "member " + std::to_string(i + 1);
        try {
            if (!list.at(i).isObject()) throw FieldProblem{"it is not an object"};
            const QJsonObject m = list.at(i).toObject();
            MemberReference ref;
            ref.name = Text(m, "name");
            if (const std::string problem = TextProblem("the name", ref.name, TextRule::Name); !problem.empty()) {
                throw FieldProblem{problem};
            }
            const std::string born = Text(m, "born");
            const std::optional<BirthClock> clock = ReadBornText(born);
            if (!clock) {
                throw FieldProblem{"\"born\" must be a date and time YYYY-MM-DDTHH:MM, got " + QuotedText(born)};
            }
            ref.born = *clock;
            ref.role = Text(m, "role");
            if (const std::string problem = RoleProblem(ref.role); !problem.empty()) throw FieldProblem{problem};
            for (std::size_t j = 0; j < entry.members.size(); ++j) {
                if (entry.members[j].name == ref.name && entry.members[j].born == ref.born) {
                    throw FieldProblem{"it is member " + std::to_string(j + 1) + " again"};
                }
            }
            entry.members.push_back(std::move(ref));
        } catch (const FieldProblem& problem) {
            throw FieldProblem{member + ": " + problem.text};
        }
    }
    entry.created = StampOrEmpty(o, "created");
    entry.changed = StampOrEmpty(o, "changed");
    return entry;
}

// The name of a list's entry for a message, from its "name" when it has one.
std::string EntryName(const QJsonValue& value, std::string_view kind, qsizetype index) {
    const QJsonValue name = value.toObject().value("name");
    if (!name.isString()) return std::string(kind) + " " + std::to_string(index + 1);
    return NumberedEntry(kind, static_cast<std::size_t>(index + 1), S(name.toString()));
}

// An object's members written without its braces, so that two objects' members can follow each other in an
// order QJsonObject (which sorts its keys) would not keep.
std::string Inner(const QJsonObject& o, bool indented) {
    const std::string text =
        QJsonDocument(o).toJson(indented ? QJsonDocument::Indented : QJsonDocument::Compact).toStdString();
    return indented ? text.substr(2, text.size() - 5) : text.substr(1, text.size() - 2);  // "{\n" .. "\n}\n"
}

}  // namespace

std::string PeopleJson(const std::vector<StoredPerson>& people, bool indented, bool listDamaged) {
    QJsonArray damaged;
    for (const StoredPerson& entry : people) {
        if (!entry.damage.empty()) {
            damaged.append(QJsonObject{{"key", static_cast<qint64>(entry.key)},
                                       {"name", Q(entry.person.name)},
                                       {"damage", Q(entry.damage)}});
        }
    }
    QJsonObject top{{"people", PeopleArray(people)}};
    if (listDamaged && !damaged.isEmpty()) top["damaged"] = damaged;
    const QJsonDocument document(top);
    return document.toJson(indented ? QJsonDocument::Indented : QJsonDocument::Compact).toStdString();
}

std::vector<StoredPerson> ReadPeopleJson(const std::string& text) { return ReadPeopleBackup(text).people; }

PeopleBackup ReadPeopleBackup(const std::string& text) {
    if (const std::optional<std::size_t> at = FirstNonUtf8Byte(text)) {
        throw StoreFailure("not a UTF-8 text file (byte " + std::to_string(*at + 1) + ")");
    }
    QJsonParseError error;
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray(text.data(), static_cast<qsizetype>(text.size())), &error);
    if (error.error != QJsonParseError::NoError) {
        throw StoreFailure("not a JSON file: " + S(error.errorString()) + " at character " +
                           std::to_string(error.offset));
    }
    if (!document.isObject() || !document.object().value("people").isArray()) {
        throw StoreFailure("expected an object with a list \"people\"");
    }
    const QJsonArray array = document.object().value("people").toArray();
    PeopleBackup backup;
    for (qsizetype i = 0; i < array.size(); ++i) {
        try {
            backup.people.push_back(ReadPerson(array.at(i)));
        } catch (const FieldProblem& problem) {
            throw StoreFailure(EntryName(array.at(i), "person", i) + ": " + problem.text);
        }
    }
    if (!document.object().contains("groups")) return backup;
    if (!document.object().value("groups").isArray()) throw StoreFailure("\"groups\" must be a list");
    const QJsonArray groups = document.object().value("groups").toArray();
    for (qsizetype i = 0; i < groups.size(); ++i) {
        try {
            GroupEntry entry = ReadGroup(groups.at(i));
            for (std::size_t j = 0; j < backup.groups.size(); ++j) {
                if (backup.groups[j].name == entry.name) {
                    throw FieldProblem{"group " + std::to_string(j + 1) + " has this name already"};
                }
            }
            backup.groups.push_back(std::move(entry));
        } catch (const FieldProblem& problem) {
            throw StoreFailure(EntryName(groups.at(i), "group", i) + ": " + problem.text);
        }
    }
    return backup;
}

std::string PeopleBackupJson(const std::vector<StoredPerson>& people, const std::vector<StoredGroup>& groups,
                             bool indented) {
    QJsonArray array;
    for (const StoredGroup& g : groups) {
        if (g.damage.empty()) array.append(GroupObject(EntryOfGroup(g)));
    }
    if (array.isEmpty()) return PeopleJson(people, indented);
    // The groups after the people, whose members they name.
    const std::string peopleInner = Inner(QJsonObject{{"people", PeopleArray(people)}}, indented);
    const std::string groupsInner = Inner(QJsonObject{{"groups", array}}, indented);
    return indented ? "{\n" + peopleInner + ",\n" + groupsInner + "\n}\n" : "{" + peopleInner + "," + groupsInner + "}";
}

std::string GroupsJson(const std::vector<StoredGroup>& groups, bool indented, bool listDamaged) {
    QJsonArray array;
    QJsonArray damaged;
    for (const StoredGroup& g : groups) {
        if (g.damage.empty()) {
            array.append(GroupObject(EntryOfGroup(g)));
        } else {
            damaged.append(QJsonObject{{"key", static_cast<qint64>(g.key)},
                                       {"name", Q(g.group.name)},
                                       {"damage", Q(g.damage)}});
        }
    }
    QJsonObject top{{"groups", array}};
    if (listDamaged && !damaged.isEmpty()) top["damaged"] = damaged;
    return QJsonDocument(top).toJson(indented ? QJsonDocument::Indented : QJsonDocument::Compact).toStdString();
}

std::string GroupJson(const StoredGroup& group, bool indented) {
    return QJsonDocument(GroupObject(EntryOfGroup(group)))
        .toJson(indented ? QJsonDocument::Indented : QJsonDocument::Compact)
        .toStdString();
}

}  // namespace kalvora
