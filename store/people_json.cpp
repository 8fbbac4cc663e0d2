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

}  // namespace

std::string PeopleJson(const std::vector<StoredPerson>& people, bool indented, bool listDamaged) {
    QJsonArray array;
    QJsonArray damaged;
    for (const StoredPerson& entry : people) {
        if (entry.damage.empty()) {
            array.append(PersonObject(entry));
        } else {
            damaged.append(QJsonObject{{"key", static_cast<qint64>(entry.key)},
                                       {"name", Q(entry.person.name)},
                                       {"damage", Q(entry.damage)}});
        }
    }
    QJsonObject top{{"people", array}};
    if (listDamaged && !damaged.isEmpty()) top["damaged"] = damaged;
    const QJsonDocument document(top);
    return document.toJson(indented ? QJsonDocument::Indented : QJsonDocument::Compact).toStdString();
}

std::vector<StoredPerson> ReadPeopleJson(const std::string& text) {
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
    std::vector<StoredPerson> people;
    for (qsizetype i = 0; i < array.size(); ++i) {
        try {
            people.push_back(ReadPerson(array.at(i)));
        } catch (const FieldProblem& problem) {
            const QJsonValue name = array.at(i).toObject().value("name");
            const std::string quoted = name.isString() ? QuotedText(S(name.toString())) : "";
            const std::string named = quoted.empty() ? "" : " (\"" + quoted.substr(1, quoted.size() - 2) + "\")";
            throw StoreFailure("person " + std::to_string(i + 1) + named + ": " + problem.text);
        }
    }
    return people;
}

}  // namespace kalvora
