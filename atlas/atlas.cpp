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

// Names that are plain ASCII (most of them) fold without GLib.
bool FoldAscii(std::string_view text, std::string& out) {
    for (const char raw : text) {
        const auto c = static_cast<unsigned char>(raw);
        if (c >= 0x80) return false;
        if (c == '\'' || c == '`') continue;
        if (g_ascii_isalnum(c)) {
            out.push_back(g_ascii_tolower(c));
        } else if (c == ',') {
            out.push_back(',');
        } else {
            AppendSeparator(out);
        }
    }
    return true;
}

void FoldUnicode(std::string_view text, std::string& out) {
    std::unique_ptr<gchar, decltype(&g_free)> valid(g_utf8_make_valid(text.data(), static_cast<gssize>(text.size())),
                                                    &g_free);
    std::unique_ptr<gchar, decltype(&g_free)> decomposed(g_utf8_normalize(valid.get(), -1, G_NORMALIZE_ALL),
                                                         &g_free);
    if (!decomposed) return;
    for (const gchar* p = decomposed.get(); *p != '\0'; p = g_utf8_next_char(p)) {
        const gunichar c = g_utf8_get_char(p);
        const GUnicodeType type = g_unichar_type(c);
        if (type == G_UNICODE_NON_SPACING_MARK || type == G_UNICODE_SPACING_MARK ||
            type == G_UNICODE_ENCLOSING_MARK || IsApostrophe(c)) {
            continue;
        }
        if (c == ',') {
            out.push_back(',');
            continue;
        }
        const auto spelled = std::ranges::find(LetterSpellings, c, &LetterSpelling::letter);
        if (spelled != LetterSpellings.end()) {
            out += spelled->spelling;
            continue;
        }
        if (!g_unichar_isalnum(c)) {
            AppendSeparator(out);
            continue;
        }
        std::array<gchar, 8> encoded{};
        const gint length = g_unichar_to_utf8(g_unichar_tolower(c), encoded.data());
        out.append(encoded.data(), static_cast<std::size_t>(length));
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

bool MatchesCountry(const Atlas::Keys& keys, std::string_view part) {
    if (part.size() == 2 && keys.countryCode == part) return true;
    for (const CountryAlias& alias : CountryAliases) {
        if (alias.typed == part) return SameCode(alias.countryCode, keys.countryCode);
    }
    return BeginsAWord(keys.country, part);
}

bool MatchesState(const Atlas::Keys& keys, std::string_view part) { return BeginsAWord(keys.state, part); }

// Whether the place lies where the query's qualifiers say: one qualifier may be the state or the
// country, two are the state and then the country.
bool MatchesQualifiers(const Atlas::Keys& keys, std::span<const std::string> qualifiers) {
    if (qualifiers.empty()) return true;
    if (qualifiers.size() == 1) return MatchesState(keys, qualifiers[0]) || MatchesCountry(keys, qualifiers[0]);
    return MatchesState(keys, qualifiers.front()) && MatchesCountry(keys, qualifiers.back());
}

std::optional<NameMatch> MatchName(std::string_view key, std::string_view city) {
    if (key == city) return NameMatch::Exact;
    if (StartsWith(key, city)) return NameMatch::Prefix;
    if (BeginsAWord(key, city)) return NameMatch::WordPrefix;
    return std::nullopt;
}

// The bit of a folded word's first character: one per letter a-z, one shared by all other characters.
std::uint32_t InitialBit(char first) {
    return first >= 'a' && first <= 'z' ? std::uint32_t{1} << (first - 'a') : std::uint32_t{1} << 31;
}

// The bits of the first characters of the words of a folded name: a query's city part can begin the
// name or one of its words only if its own first character's bit is among them.
std::uint32_t WordInitials(std::string_view folded) {
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < folded.size(); ++i) {
        if (i == 0 || folded[i - 1] == ' ') bits |= InitialBit(folded[i]);
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

Atlas::Atlas(std::vector<Place> places) : places_(std::move(places)) {
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
        const std::uint32_t initials = WordInitials(name);
        keys_.push_back(Keys{
            .name = std::move(name),
            .state = FoldForSearch(place.state),
            .country = lastCountryKey,
            .countryCode = FoldForSearch(place.countryCode),
            .nameInitials = initials,
        });
    }
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
    const std::uint32_t cityInitial = InitialBit(city.front());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        std::optional<PlaceMatch> best;
        if ((keys[i].nameInitials & cityInitial) != 0) {
            if (const auto match = MatchName(keys[i].name, city)) best = PlaceMatch{i, *match, {}};
        }
        for (const FormerName& former : formers) {
            if (former.atlasName == keys[i].name &&
                SameCode(former.alias->countryCode, keys[i].countryCode) &&
                (!best || former.match < best->match)) {
                best = PlaceMatch{i, former.match, former.alias->typed};
            }
        }
        if (best && MatchesQualifiers(keys[i], qualifiers)) matches.push_back(*best);
    }

    const std::span<const Place> places = atlas.places();
    const auto better = [&](const PlaceMatch& a, const PlaceMatch& b) {
        if (a.match != b.match) return a.match < b.match;
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
