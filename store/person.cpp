#include "store/person.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

#include "astro/calendar.h"
#include "zone/zone.h"

namespace kalvora {
namespace {

// The characters that show nothing: a name made only of them is blank. Unicode's white space and the zero-width
// characters that editors leave behind.
constexpr auto BlankCharacters = std::to_array<char32_t>({
    0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x20, 0x85, 0xA0, 0x1680, 0x180E, 0x2000, 0x2001, 0x2002, 0x2003, 0x2004,
    0x2005, 0x2006, 0x2007, 0x2008, 0x2009, 0x200A, 0x200B, 0x200C, 0x200D, 0x2028, 0x2029, 0x202F, 0x205F,
    0x2060, 0x3000, 0xFEFF,
});
static_assert(BlankCharacters.size() == 31);

// Decodes one UTF-8 character at `pos`, moving past it; none for bytes that are not UTF-8 (a stray continuation
// byte, a cut sequence, an overlong form, a surrogate, or beyond U+10FFFF).
std::optional<char32_t> NextCharacter(std::string_view text, std::size_t& pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    int length = 0;
    char32_t c = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, c = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, c = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, c = lead & 0x07u;
    } else {
        return std::nullopt;
    }
    if (pos + static_cast<std::size_t>(length) > text.size()) return std::nullopt;
    for (int i = 1; i < length; ++i) {
        const unsigned char next = byte(pos + static_cast<std::size_t>(i));
        if ((next & 0xC0u) != 0x80u) return std::nullopt;
        c = (c << 6) | (next & 0x3Fu);
    }
    constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < smallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
    pos += static_cast<std::size_t>(length);
    return c;
}

bool IsControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

}  // namespace

std::optional<std::size_t> FirstNonUtf8Byte(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        if (!NextCharacter(text, pos)) return pos;
    }
    return std::nullopt;
}

std::string TextProblem(std::string_view what, std::string_view text, TextRule rule) {
    bool blank = true;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t at = pos;
        const std::optional<char32_t> c = NextCharacter(text, pos);
        if (!c) return std::string(what) + " is not UTF-8 text (byte " + std::to_string(at + 1) + ")";
        const bool lineBreak = *c == '\n' || *c == '\t' || *c == '\r';
        if (IsControl(*c) && !(rule == TextRule::Note && lineBreak)) {
            return std::string(what) + " holds a control character (byte " + std::to_string(at + 1) + ")";
        }
        if (std::find(BlankCharacters.begin(), BlankCharacters.end(), *c) == BlankCharacters.end()) blank = false;
    }
    if (rule == TextRule::Name && blank) return std::string(what) + (text.empty() ? " is empty" : " is blank");
    return {};
}

std::string QuotedText(std::string_view text) {
    std::string out = "'";
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t at = pos;
        const std::optional<char32_t> c = NextCharacter(text, pos);
        char buffer[8];
        if (!c) {
            std::snprintf(buffer, sizeof buffer, "\\x%02X", static_cast<unsigned char>(text[at]));
            out += buffer;
            pos = at + 1;
        } else if (*c == '\n') {
            out += "\\n";
        } else if (*c == '\t') {
            out += "\\t";
        } else if (*c == '\r') {
            out += "\\r";
        } else if (*c == '\\') {
            out += "\\\\";
        } else if (IsControl(*c)) {
            std::snprintf(buffer, sizeof buffer, "\\u%04X", static_cast<unsigned>(*c));
            out += buffer;
        } else {
            out.append(text.substr(at, pos - at));
        }
    }
    return out + "'";
}

std::string BirthDateText(const BirthClock& b) { return DateText(BirthDateOf(b)); }

std::string BornText(const BirthClock& b) { return BirthDateText(b) + "T" + ClockText(b.hour, b.minute); }

std::optional<BirthClock> ReadBornText(std::string_view text) {
    const std::optional<LocalDateTime> local = ReadDateTimeText(text);
    if (!local) return std::nullopt;
    return BirthClock{local->year, local->month, local->day, local->hour, local->minute};
}

MomentInput BirthMomentOf(const Person& person) {
    MomentInput moment;
    moment.year = static_cast<std::int16_t>(person.born.year);
    moment.month = static_cast<std::int16_t>(person.born.month);
    moment.day = static_cast<std::int16_t>(person.born.day);
    moment.hour = static_cast<std::int16_t>(person.born.hour);
    moment.minute = static_cast<std::int16_t>(person.born.minute);
    SetLatitude(moment.place, person.latitude);
    SetLongitude(moment.place, person.longitude);
    if (person.zone.id) return moment;
    SetZoneBoxes(moment.zone, person.zone.offsetSeconds.value_or(0));
    moment.zone.isDst = person.zone.dst;
    return moment;
}

void SetBirthMoment(Person& person, const MomentInput& moment, const std::string& zoneId) {
    person.born = {moment.year, moment.month, moment.day, moment.hour, moment.minute};
    person.latitude = SignedLatitude(moment.place);
    person.longitude = SignedLongitude(moment.place);
    person.zone = {};
    if (!zoneId.empty()) {
        person.zone.id = zoneId;
    } else {
        person.zone.offsetSeconds = ZoneBoxesOffsetSeconds(moment.zone);
        person.zone.dst = moment.zone.isDst;
    }
}

std::string PersonProblem(const Person& p) {
    if (std::string problem = TextProblem("the name", p.name, TextRule::Name); !problem.empty()) return problem;
    if (std::find(PersonSexes.begin(), PersonSexes.end(), p.sex) == PersonSexes.end()) {
        return "the sex must be Male or Female, got " + QuotedText(p.sex);
    }
    const BirthClock& b = p.born;
    if (b.year < FirstYear || b.year > LastYear) {
        return "the birth year must be between " + std::to_string(FirstYear) + " and " + std::to_string(LastYear);
    }
    if (b.month < 1 || b.month > 12 || !IsRealDate({b.year, b.month, b.day})) {
        return "there is no date " + BirthDateText(b) + " in the calendar";
    }
    if (b.hour < 0 || b.hour > 23 || b.minute < 0 || b.minute > 59) return "the birth time is not a time of day";
    if (!std::isfinite(p.latitude) || std::abs(p.latitude) > 90.0) return "the latitude must be between -90 and 90";
    if (!std::isfinite(p.longitude) || std::abs(p.longitude) > 180.0) {
        return "the longitude must be between -180 and 180";
    }
    if (p.zone.id.has_value() == p.zone.offsetSeconds.has_value()) {
        return "the zone must be either a zone id or a typed offset";
    }
    if (p.zone.id && p.zone.id->empty()) return "the zone id is empty";
    if (p.zone.id && !OpenTimeZone(*p.zone.id)) {
        return "the zone database has no zone " + QuotedText(*p.zone.id);
    }
    if (p.zone.offsetSeconds && std::abs(*p.zone.offsetSeconds) > LargestTypedOffsetSeconds) {
        return "the zone's offset must be at most 14 hours east or west";
    }
    if (p.place) {
        const std::pair<const char*, const std::string*> names[] = {
            {"the place's name", &p.place->name}, {"the place's state", &p.place->state},
            {"the place's country", &p.place->country}};
        for (const auto& [what, text] : names) {
            const TextRule rule = text == &p.place->name ? TextRule::Name : TextRule::Line;
            if (std::string problem = TextProblem(what, *text, rule); !problem.empty()) return problem;
        }
    }
    return TextProblem("the note", p.note, TextRule::Note);
}

}  // namespace kalvora
