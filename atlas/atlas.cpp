// The atlas search: folded keys built once, then a scan of every place for each query.

#include "atlas/atlas.h"

#include <glib.h>

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <span>
#include <utility>

#include "atlas/aliases.h"

namespace kalvora {
namespace {

// Letters that have no canonical decomposition into a base letter and marks, spelt as a reader of
// English would type them.
struct LetterSpelling {
    gunichar letter;
    std::string_view spelling;
};
constexpr auto LetterSpellings = std::to_array<LetterSpelling>({
    {0x00DF, "ss"}, {0x1E9E, "ss"},  // ß, ẞ
    {0x00E6, "ae"}, {0x00C6, "ae"},  // æ, Æ
    {0x0153, "oe"}, {0x0152, "oe"},  // œ, Œ
    {0x00F8, "o"},  {0x00D8, "o"},   // ø, Ø
    {0x0142, "l"},  {0x0141, "l"},   // ł, Ł
    {0x0111, "d"},  {0x0110, "d"},   // đ, Đ
    {0x00F0, "d"},  {0x00D0, "d"},   // ð, Ð
    {0x00FE, "th"}, {0x00DE, "th"},  // þ, Þ
    {0x0131, "i"},                   // dotless ı
    {0x0127, "h"},  {0x0126, "h"},   // ħ, Ħ
});

// Apostrophes and the letters that stand for them in transliterations ("Raʼs al Khaymah").
bool IsApostrophe(gunichar c) {
    return c == '\'' || c == '`' || c == 0x2018 || c == 0x2019 || c == 0x02BC || c == 0x02BB || c == 0x02BF ||
           c == 0x02BE || c == 0x00B4;
}

void AppendSeparator(std::string& out) {
    if (!out.empty() && out.back() != ' ') out.push_back(' ');
}

void FoldAsciiCharacter(unsigned char c, std::string& out) {
    if (c == '\'' || c == '`') return;
    if (g_ascii_isalnum(c)) {
        out.push_back(g_ascii_tolower(c));
    } else if (c == ',') {
        out.push_back(',');
    } else {
        AppendSeparator(out);
    }
}

// Names that are plain ASCII (most of them) fold without GLib.
bool FoldAscii(std::string_view text, std::string& out) {
    for (const char raw : text) {
        const auto c = static_cast<unsigned char>(raw);
        if (c >= 0x80) return false;
        FoldAsciiCharacter(c, out);
    }
    return true;
}

// The scripts of India and South-East Asia: their vowel signs, viramas and nuktas are parts of the letters,
// so a text in them is compared code point for code point, marks and all ("दिल्" begins "दिल्ली" but not
// "देहरादून").
bool KeepsMarks(GUnicodeScript script) {
    switch (script) {
        case G_UNICODE_SCRIPT_DEVANAGARI:
        case G_UNICODE_SCRIPT_BENGALI:
        case G_UNICODE_SCRIPT_GURMUKHI:
        case G_UNICODE_SCRIPT_GUJARATI:
        case G_UNICODE_SCRIPT_ORIYA:
        case G_UNICODE_SCRIPT_TAMIL:
        case G_UNICODE_SCRIPT_TELUGU:
        case G_UNICODE_SCRIPT_KANNADA:
        case G_UNICODE_SCRIPT_MALAYALAM:
        case G_UNICODE_SCRIPT_SINHALA:
        case G_UNICODE_SCRIPT_TIBETAN:
        case G_UNICODE_SCRIPT_MYANMAR:
        case G_UNICODE_SCRIPT_KHMER:
        case G_UNICODE_SCRIPT_THAI:
        case G_UNICODE_SCRIPT_LAO:
        case G_UNICODE_SCRIPT_OL_CHIKI:
            return true;
        default:
            return false;
    }
}

bool IsMark(GUnicodeType type) {
    return type == G_UNICODE_NON_SPACING_MARK || type == G_UNICODE_SPACING_MARK || type == G_UNICODE_ENCLOSING_MARK;
}

void AppendCodePoint(gunichar c, std::string& out) {
    std::array<gchar, 8> encoded{};
    const gint length = g_unichar_to_utf8(c, encoded.data());
    out.append(encoded.data(), static_cast<std::size_t>(length));
}

bool HasSpelling(gunichar c) { return (c >= 0x00C6 && c <= 0x0153) || c == 0x1E9E; }

// One code point of a script that folds: its compatibility decomposition without the marks, lower case.
void FoldCodePoint(gunichar composed, std::string& out) {
    std::array<gunichar, G_UNICHAR_MAX_DECOMPOSITION_LENGTH> decomposed{};
    const gsize count = g_unichar_fully_decompose(composed, TRUE, decomposed.data(), decomposed.size());
    for (gsize i = 0; i < count; ++i) {
        const gunichar c = decomposed[i];
        if (IsMark(g_unichar_type(c)) || IsApostrophe(c)) continue;
        if (c == ',') {
            out.push_back(',');
            continue;
        }
        if (HasSpelling(c)) {
            const auto spelled = std::ranges::find(LetterSpellings, c, &LetterSpelling::letter);
            if (spelled != LetterSpellings.end()) {
                out += spelled->spelling;
                continue;
            }
        }
        if (!g_unichar_isalnum(c)) {
            AppendSeparator(out);
            continue;
        }
        AppendCodePoint(g_unichar_tolower(c), out);
    }
}

// One code point of a script that keeps its marks: its canonical decomposition, so that a letter typed as one
// code point or as a base and marks compares the same ("क़" and "क" with a nukta).
void KeepCodePoint(gunichar composed, std::string& out) {
    std::array<gunichar, G_UNICHAR_MAX_DECOMPOSITION_LENGTH> decomposed{};
    const gsize count = g_unichar_fully_decompose(composed, FALSE, decomposed.data(), decomposed.size());
    for (gsize i = 0; i < count; ++i) AppendCodePoint(decomposed[i], out);
}

void FoldUnicode(std::string_view text, std::string& out) {
    std::unique_ptr<gchar, decltype(&g_free)> repaired(nullptr, &g_free);
    if (!g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr)) {
        repaired.reset(g_utf8_make_valid(text.data(), static_cast<gssize>(text.size())));
        text = repaired.get();
    }
    bool afterKeptLetter = false;  // a mark of no script of its own that follows one belongs to it
    for (const gchar* p = text.data(); p != text.data() + text.size(); p = g_utf8_next_char(p)) {
        const gunichar c = g_utf8_get_char(p);
        if (c < 0x80) {
            FoldAsciiCharacter(static_cast<unsigned char>(c), out);
            afterKeptLetter = false;
            continue;
        }
        const GUnicodeType type = g_unichar_type(c);
        // Joiners and other invisible characters change how a word is drawn, not what it says.
        if (type == G_UNICODE_FORMAT) continue;
        // Every script that keeps its marks lies from U+0900 on; below, only a mark following one of their
        // letters can be kept.
        bool kept = false;
        if (c >= 0x0900 || (afterKeptLetter && IsMark(type))) {
            const GUnicodeScript script = g_unichar_get_script(c);
            kept = KeepsMarks(script) ? g_unichar_isalnum(c) || IsMark(type)
                                      : afterKeptLetter && IsMark(type) && script == G_UNICODE_SCRIPT_INHERITED;
        }
        afterKeptLetter = kept;
        if (kept) {
            KeepCodePoint(c, out);
        } else {
            FoldCodePoint(c, out);
        }
    }
}

bool SameCode(std::string_view tableCode, std::string_view keyCode) {
    return std::ranges::equal(tableCode, keyCode, [](char a, char b) { return g_ascii_tolower(a) == g_ascii_tolower(b); });
}

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

// The query's text begins the key or one of its later words.
bool BeginsAWord(std::string_view key, std::string_view part) {
    if (StartsWith(key, part)) return true;
    for (std::size_t at = key.find(' '); at != std::string_view::npos; at = key.find(' ', at + 1)) {
        if (StartsWith(key.substr(at + 1), part)) return true;
    }
    return false;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

// The folded parts of a query between its commas.
std::vector<std::string> QueryParts(std::string_view query) {
    const std::string folded = FoldForSearch(query);
    std::vector<std::string> parts;
    std::size_t from = 0;
    while (true) {
        const std::size_t comma = folded.find(',', from);
        parts.emplace_back(Trim(std::string_view(folded).substr(from, comma - from)));
        if (comma == std::string::npos) break;
        from = comma + 1;
    }
    return parts;
}

bool MatchesCountry(const Atlas& atlas, const Atlas::Keys& keys, std::string_view part) {
    if (part.size() == 2 && keys.countryCode == part) return true;
    for (const CountryAlias& alias : CountryAliases) {
        if (alias.typed == part) return SameCode(alias.countryCode, keys.countryCode);
    }
    if (BeginsAWord(keys.country, part)) return true;
    return std::ranges::any_of(atlas.otherCountryKeys(keys.countryCode),
                               [&](const std::string& key) { return BeginsAWord(key, part); });
}

bool MatchesState(const Atlas::Keys& keys, std::string_view part) { return BeginsAWord(keys.state, part); }

// Whether the place lies where the query's qualifiers say: one qualifier may be the state or the
// country, two are the state and then the country.
bool MatchesQualifiers(const Atlas& atlas, const Atlas::Keys& keys, std::span<const std::string> qualifiers) {
    if (qualifiers.empty()) return true;
    if (qualifiers.size() == 1) {
        return MatchesState(keys, qualifiers[0]) || MatchesCountry(atlas, keys, qualifiers[0]);
    }
    return MatchesState(keys, qualifiers.front()) && MatchesCountry(atlas, keys, qualifiers.back());
}

std::optional<NameMatch> MatchName(std::string_view key, std::string_view city) {
    if (key == city) return NameMatch::Exact;
    if (StartsWith(key, city)) return NameMatch::Prefix;
    if (BeginsAWord(key, city)) return NameMatch::WordPrefix;
    return std::nullopt;
}

// The bit of the first character of a folded word: one per letter a-z, one for the other ASCII characters,
// and 37 shared by the other code points in turn.
std::uint64_t InitialBit(std::string_view word) {
    const auto first = static_cast<unsigned char>(word.front());
    if (first >= 'a' && first <= 'z') return std::uint64_t{1} << (first - 'a');
    if (first < 0x80) return std::uint64_t{1} << 26;
    const gunichar c = g_utf8_get_char_validated(word.data(), static_cast<gssize>(word.size()));
    return std::uint64_t{1} << (27 + (c % 37));
}

// The bits of the first characters of the words of a folded name: a query's city part can begin the
// name or one of its words only if its own first character's bit is among them.
std::uint64_t WordInitials(std::string_view folded) {
    std::uint64_t bits = 0;
    for (std::size_t i = 0; i < folded.size(); ++i) {
        if (i == 0 || folded[i - 1] == ' ') bits |= InitialBit(folded.substr(i));
    }
    return bits;
}

std::size_t EditDistance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

}  // namespace

std::string FoldForSearch(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    if (!FoldAscii(text, out)) {
        out.clear();
        FoldUnicode(text, out);
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    if (!out.empty() && out.front() == ' ') out.erase(0, 1);
    return out;
}

Atlas::Atlas(std::vector<Place> places, const OtherNames& otherNames) : places_(std::move(places)) {
    keys_.reserve(places_.size());
    std::string lastCountry;
    std::string lastCountryKey;
    for (const Place& place : places_) {
        // The places come grouped by country: fold each country's name once.
        if (place.country != lastCountry) {
            lastCountry = place.country;
            lastCountryKey = FoldForSearch(place.country);
        }
        std::string name = FoldForSearch(place.name);
        const std::uint64_t initials = WordInitials(name);
        keys_.push_back(Keys{
            .name = std::move(name),
            .state = FoldForSearch(place.state),
            .country = lastCountryKey,
            .countryCode = FoldForSearch(place.countryCode),
            .nameInitials = initials,
        });
    }

    // The other names by place (but those folding to the place's own name's text), and in each place by their
    // folded text: of a text's spellings the one most languages use is kept.
    std::vector<std::uint32_t> bucketBegin(places_.size() + 1, 0);
    const auto wanted = [&](const OtherNames::OfPlace& other) {
        return other.index < places_.size() && !other.key.empty() && other.key != keys_[other.index].name;
    };
    for (const OtherNames::OfPlace& other : otherNames.places) {
        if (wanted(other)) ++bucketBegin[other.index + 1];
    }
    for (std::size_t i = 1; i < bucketBegin.size(); ++i) bucketBegin[i] += bucketBegin[i - 1];
    std::vector<const OtherNames::OfPlace*> byPlace(bucketBegin.back());
    std::vector<std::uint32_t> filled(bucketBegin.begin(), bucketBegin.end() - 1);
    for (const OtherNames::OfPlace& other : otherNames.places) {
        if (wanted(other)) byPlace[filled[other.index]++] = &other;
    }

    otherNamesBegin_.reserve(places_.size() + 1);
    otherNames_.reserve(byPlace.size());
    otherNameInitials_.reserve(byPlace.size());
    placeOtherInitials_.assign(places_.size(), 0);
    for (std::size_t i = 0; i < places_.size(); ++i) {
        otherNamesBegin_.push_back(static_cast<std::uint32_t>(otherNames_.size()));
        const auto place = std::span(byPlace).subspan(bucketBegin[i], bucketBegin[i + 1] - bucketBegin[i]);
        std::ranges::sort(place, [](const OtherNames::OfPlace* a, const OtherNames::OfPlace* b) {
            if (a->key != b->key) return a->key < b->key;
            if (a->languages != b->languages) return a->languages > b->languages;
            return a->name < b->name;
        });
        std::string_view lastKey;
        for (const OtherNames::OfPlace* other : place) {
            if (other->key == lastKey) continue;
            lastKey = other->key;
            const std::uint64_t initials = WordInitials(other->key);
            otherNames_.push_back(OtherName{.at = static_cast<std::uint32_t>(otherText_.size()),
                                            .nameSize = static_cast<std::uint32_t>(other->name.size()),
                                            .keySize = static_cast<std::uint32_t>(other->key.size())});
            otherText_ += other->name;
            otherText_ += other->key;
            otherNameInitials_.push_back(initials);
            placeOtherInitials_[i] |= initials;
        }
    }
    otherNamesBegin_.push_back(static_cast<std::uint32_t>(otherNames_.size()));

    // The countries' other names by code, each folded text once.
    std::vector<const OtherNames::OfCountry*> byCountry;
    byCountry.reserve(otherNames.countries.size());
    for (const OtherNames::OfCountry& other : otherNames.countries) {
        if (!other.key.empty()) byCountry.push_back(&other);
    }
    std::ranges::sort(byCountry, [](const OtherNames::OfCountry* a, const OtherNames::OfCountry* b) {
        return a->countryCode != b->countryCode ? a->countryCode < b->countryCode : a->key < b->key;
    });
    for (const OtherNames::OfCountry* other : byCountry) {
        std::string code = FoldForSearch(other->countryCode);
        if (otherCountryKeys_.empty() || otherCountryKeys_.back().first != code) {
            otherCountryKeys_.emplace_back(std::move(code), std::vector<std::string>());
        }
        std::vector<std::string>& countryKeys = otherCountryKeys_.back().second;
        if (countryKeys.empty() || countryKeys.back() != other->key) countryKeys.push_back(other->key);
    }
}

std::string_view Atlas::OtherNameText(const OtherName& other) const {
    return std::string_view(otherText_).substr(other.at, other.nameSize);
}

std::string_view Atlas::OtherNameKey(const OtherName& other) const {
    return std::string_view(otherText_).substr(other.at + other.nameSize, other.keySize);
}

std::vector<std::string_view> Atlas::otherNames(std::size_t index) const {
    std::vector<std::string_view> names;
    if (index + 1 >= otherNamesBegin_.size()) return names;
    for (std::uint32_t n = otherNamesBegin_[index]; n < otherNamesBegin_[index + 1]; ++n) {
        names.push_back(OtherNameText(otherNames_[n]));
    }
    return names;
}

std::span<const std::string> Atlas::otherCountryKeys(std::string_view countryCode) const {
    const auto country = std::ranges::lower_bound(otherCountryKeys_, countryCode, {},
                                                  [](const auto& entry) -> std::string_view { return entry.first; });
    if (country == otherCountryKeys_.end() || country->first != countryCode) return {};
    return country->second;
}

std::vector<PlaceMatch> SearchPlaces(const Atlas& atlas, std::string_view query, std::size_t maxMatches) {
    std::vector<PlaceMatch> matches;
    const std::vector<std::string> parts = QueryParts(query);
    const std::string& city = parts.front();
    if (city.empty() || maxMatches == 0) return matches;
    const std::span<const std::string> qualifiers = std::span(parts).subspan(1);

    // The former names the city part matches, folded, with how they match.
    struct FormerName {
        const CityAlias* alias;
        std::string atlasName;
        NameMatch match;
    };
    std::vector<FormerName> formers;
    for (const CityAlias& alias : CityAliases) {
        if (const auto match = MatchName(FoldForSearch(alias.typed), city)) {
            formers.push_back({&alias, FoldForSearch(alias.atlasName), *match});
        }
    }

    const std::span<const Atlas::Keys> keys = atlas.keys();
    const std::uint64_t cityInitial = InitialBit(city);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        std::optional<PlaceMatch> best;
        if ((keys[i].nameInitials & cityInitial) != 0) {
            if (const auto match = MatchName(keys[i].name, city)) best = PlaceMatch{i, *match, {}, {}};
        }
        for (const FormerName& former : formers) {
            if (former.atlasName == keys[i].name &&
                SameCode(former.alias->countryCode, keys[i].countryCode) &&
                (!best || former.match < best->match)) {
                best = PlaceMatch{i, former.match, former.alias->typed, {}};
            }
        }
        // Another language's name counts where it matches better than the own and former names; of those that
        // match alike, the shortest ("नई दिल्ली", not "Nova Deli - नई दिल्ली").
        if ((!best || best->match != NameMatch::Exact) && (atlas.placeOtherInitials_[i] & cityInitial) != 0) {
            std::size_t bestKeySize = 0;
            for (std::uint32_t n = atlas.otherNamesBegin_[i]; n < atlas.otherNamesBegin_[i + 1]; ++n) {
                if ((atlas.otherNameInitials_[n] & cityInitial) == 0) continue;
                const Atlas::OtherName& other = atlas.otherNames_[n];
                const auto match = MatchName(atlas.OtherNameKey(other), city);
                if (!match) continue;
                const bool shorterAlike = best && *match == best->match && !best->otherName.empty() &&
                                          other.keySize < bestKeySize;
                if (!best || *match < best->match || shorterAlike) {
                    best = PlaceMatch{i, *match, {}, atlas.OtherNameText(other)};
                    bestKeySize = other.keySize;
                }
            }
        }
        if (best && MatchesQualifiers(atlas, keys[i], qualifiers)) matches.push_back(*best);
    }

    const std::span<const Place> places = atlas.places();
    // A name in another language ranks after the places' own names that match as well: "Victoria" is first the
    // Victorias of the atlas, then Hong Kong, which some languages call so.
    const auto better = [&](const PlaceMatch& a, const PlaceMatch& b) {
        if (a.match != b.match) return a.match < b.match;
        if (a.otherName.empty() != b.otherName.empty()) return a.otherName.empty();
        if (places[a.index].population != places[b.index].population) {
            return places[a.index].population > places[b.index].population;
        }
        return a.index < b.index;
    };
    const std::size_t kept = std::min(maxMatches, matches.size());
    std::partial_sort(matches.begin(), matches.begin() + static_cast<std::ptrdiff_t>(kept), matches.end(), better);
    matches.resize(kept);
    return matches;
}

std::vector<std::size_t> NearestNames(const Atlas& atlas, std::string_view query, std::size_t count) {
    const std::string city = QueryParts(query).front();
    std::vector<std::pair<std::size_t, std::size_t>> near;  // distance, index
    if (city.empty()) return {};
    const std::size_t allowed = std::max<std::size_t>(1, city.size() / 3);
    const std::span<const Atlas::Keys> keys = atlas.keys();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const std::string_view name = keys[i].name;
        const std::size_t lengthGap = name.size() > city.size() ? name.size() - city.size() : city.size() - name.size();
        if (lengthGap > allowed) continue;
        const std::size_t distance = EditDistance(name, city);
        if (distance <= allowed) near.emplace_back(distance, i);
    }
    const std::span<const Place> places = atlas.places();
    std::ranges::sort(near, [&](const auto& a, const auto& b) {
        if (a.first != b.first) return a.first < b.first;
        return places[a.second].population > places[b.second].population;
    });
    std::vector<std::size_t> indexes;
    for (const auto& nearby : near) {
        const std::size_t index = nearby.second;  // named apart: clang before 16 cannot capture a structured binding
        const bool sameName = std::ranges::any_of(indexes, [&](std::size_t kept) { return keys[kept].name == keys[index].name; });
        if (!sameName) indexes.push_back(index);
        if (indexes.size() == count) break;
    }
    return indexes;
}

}  // namespace kalvora
