// Reads every city record of libgeonames into an atlas, with the names its translations give the cities and
// countries in each language it ships.

#include <geonames.h>
#include <libintl.h>
#include <locale.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <future>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "atlas/atlas.h"

namespace kalvora {
namespace {

std::string TextOf(const gchar* text) { return text == nullptr ? std::string() : std::string(text); }

// A GeoNames id written in decimal ("2867714"), or none for any other text.
std::optional<std::uint32_t> ParseId(std::string_view text) {
    std::uint32_t id = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return id;
}

// libgeonames translates names and countries through gettext into the language of the calling thread's
// locale ("Deutschland", "München"). The atlas keeps GeoNames' own names whatever the user's language,
// so that searches, the former-name table and saved places do not change with it: the records are read
// with the calling thread switched to the "C" locale, and the thread's locale is restored after.
class ThreadInCLocale {
public:
    ThreadInCLocale() : c_(newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr))) {
        if (c_ != static_cast<locale_t>(nullptr)) previous_ = uselocale(c_);
    }
    ~ThreadInCLocale() {
        if (c_ == static_cast<locale_t>(nullptr)) return;
        uselocale(previous_);
        freelocale(c_);
    }
    ThreadInCLocale(const ThreadInCLocale&) = delete;
    ThreadInCLocale& operator=(const ThreadInCLocale&) = delete;

private:
    locale_t c_;
    locale_t previous_ = static_cast<locale_t>(nullptr);
};

// The GeoNames id of a city (2867714): the first field of its record, a text of digits, and the key under
// which libgeonames looks its name up in the translations. 0 for a record of another form.
std::uint32_t GeonamesId(GeonamesCity* city) {
    if (!g_variant_is_container(city) || g_variant_n_children(city) == 0) return 0;
    const std::unique_ptr<GVariant, decltype(&g_variant_unref)> first(g_variant_get_child_value(city, 0),
                                                                       &g_variant_unref);
    if (!g_variant_is_of_type(first.get(), G_VARIANT_TYPE_STRING)) return 0;
    return ParseId(g_variant_get_string(first.get(), nullptr)).value_or(0);
}

// --- The translations -----------------------------------------------------------------------------------------
//
// libgeonames gives a city's name in one language, the calling thread's, one gettext look-up at a time; asking
// it for every city in each of its ~190 languages takes half a minute. The atlas instead reads each language's
// catalogue of the gettext domain "geonames" whole: LOCALEDIR/LANGUAGE/LC_MESSAGES/geonames.mo, LOCALEDIR
// being where gettext looks for that domain. Its keys are GeoNames ids of cities ("2867714"), country codes
// ("DE") and state codes ("DE.02"); its texts the names in that language ("München", "Deutschland").

constexpr const char* TextDomain = "geonames";

// A GNU message catalogue in memory: 32-bit words in the byte order its magic number shows, namely the magic
// number, the revision, the number of messages and where the table of keys and the table of texts begin;
// each table holds, for each message, the length of its string and where the string begins.
class MessageCatalogue {
public:
    explicit MessageCatalogue(std::span<const unsigned char> bytes) : bytes_(bytes) {
        const std::optional<std::uint32_t> magic = Word(0);
        if (!magic || (*magic != Magic && *magic != SwappedMagic)) return;
        swapped_ = *magic == SwappedMagic;
        const std::optional<std::uint32_t> revision = Word(4);
        if (!revision || (*revision >> 16) > 1) return;  // major revisions 0 and 1 hold plain strings alike
        const auto count = Word(8);
        const auto keys = Word(12);
        const auto texts = Word(16);
        if (!count || !keys || !texts) return;
        count_ = *count;
        keys_ = *keys;
        texts_ = *texts;
    }

    std::size_t size() const { return count_; }
    std::optional<std::string_view> Key(std::size_t i) const { return String(keys_, i); }
    // The text up to its first NUL: a message with plural forms holds them one after another.
    std::optional<std::string_view> Text(std::size_t i) const {
        const std::optional<std::string_view> text = String(texts_, i);
        if (!text) return text;
        return text->substr(0, text->find('\0'));
    }

private:
    static constexpr std::uint32_t Magic = 0x950412deU;
    static constexpr std::uint32_t SwappedMagic = 0xde120495U;

    std::optional<std::uint32_t> Word(std::size_t offset) const {
        if (offset > bytes_.size() || bytes_.size() - offset < sizeof(std::uint32_t)) return std::nullopt;
        std::uint32_t word = 0;
        std::memcpy(&word, bytes_.data() + offset, sizeof word);
        return swapped_ ? GUINT32_SWAP_LE_BE(word) : word;
    }

    std::optional<std::string_view> String(std::size_t table, std::size_t i) const {
        const std::optional<std::uint32_t> length = Word(table + 8 * i);
        const std::optional<std::uint32_t> at = Word(table + 8 * i + 4);
        if (!length || !at || *at > bytes_.size() || bytes_.size() - *at < *length) return std::nullopt;
        return std::string_view(reinterpret_cast<const char*>(bytes_.data()) + *at, *length);
    }

    std::span<const unsigned char> bytes_;
    bool swapped_ = false;
    std::size_t count_ = 0;
    std::size_t keys_ = 0;
    std::size_t texts_ = 0;
};

// The catalogues of the domain, one per language folder, in the order of the folders' names.
std::vector<std::string> CataloguePaths() {
    const char* localeDir = bindtextdomain(TextDomain, nullptr);
    if (localeDir == nullptr) return {};
    const std::unique_ptr<GDir, decltype(&g_dir_close)> dir(g_dir_open(localeDir, 0, nullptr), &g_dir_close);
    if (!dir) return {};
    std::vector<std::string> paths;
    const std::string file = std::string(TextDomain) + ".mo";
    while (const gchar* language = g_dir_read_name(dir.get())) {
        const std::unique_ptr<gchar, decltype(&g_free)> path(
            g_build_filename(localeDir, language, "LC_MESSAGES", file.c_str(), nullptr), &g_free);
        if (g_file_test(path.get(), G_FILE_TEST_IS_REGULAR)) paths.emplace_back(path.get());
    }
    std::ranges::sort(paths);
    return paths;
}

bool IsCountryCode(std::string_view key) {
    return key.size() == 2 && g_ascii_isupper(key[0]) && g_ascii_isupper(key[1]);
}

// The names of every catalogue, folded, by the GeoNames id of the city or the code of the country they name.
// Read on a thread of their own while the cities are read: they need nothing of the cities.
struct Translations {
    struct OfCity {
        std::uint32_t id = 0;
        std::string_view name;
        std::string key;
        std::uint32_t languages = 0;  // how many spell it so
    };
    std::vector<std::unique_ptr<GMappedFile, decltype(&g_mapped_file_unref)>> catalogues;  // the names' texts
    std::vector<OfCity> cities;                   // by id, each spelling once
    std::vector<OtherNames::OfCountry> countries;
};

Translations ReadTranslations() {
    Translations read;
    std::vector<std::pair<std::uint32_t, std::string_view>> cities;        // id, name
    std::vector<std::pair<std::string_view, std::string_view>> countries;  // code, name
    for (const std::string& path : CataloguePaths()) {
        std::unique_ptr<GMappedFile, decltype(&g_mapped_file_unref)> file(g_mapped_file_new(path.c_str(), FALSE, nullptr),
                                                                        &g_mapped_file_unref);
        if (!file) continue;
        const MessageCatalogue catalogue(std::span(reinterpret_cast<const unsigned char*>(g_mapped_file_get_contents(file.get())),
                                                   g_mapped_file_get_length(file.get())));
        for (std::size_t i = 0; i < catalogue.size(); ++i) {
            const std::optional<std::string_view> key = catalogue.Key(i);
            const std::optional<std::string_view> text = catalogue.Text(i);
            if (!key || !text || text->empty()) continue;
            if (!g_utf8_validate(text->data(), static_cast<gssize>(text->size()), nullptr)) continue;
            if (const std::optional<std::uint32_t> id = ParseId(*key)) {
                cities.emplace_back(*id, *text);
            } else if (IsCountryCode(*key)) {
                countries.emplace_back(*key, *text);
            }
        }
        read.catalogues.push_back(std::move(file));
    }
    // The same spelling in many languages is folded once, and counted.
    std::ranges::sort(cities);
    for (auto same = cities.begin(); same != cities.end();) {
        const auto next = std::find_if(same, cities.end(), [&](const auto& city) { return city != *same; });
        read.cities.push_back({same->first, same->second, FoldForSearch(same->second),
                               static_cast<std::uint32_t>(next - same)});
        same = next;
    }

    std::ranges::sort(countries);
    // std::unique rather than the ranges form, whose subrange the fuzz build's clang cannot compile.
    countries.erase(std::unique(countries.begin(), countries.end()), countries.end());
    read.countries.reserve(countries.size());
    for (const auto& [code, name] : countries) read.countries.push_back({code, FoldForSearch(name)});
    return read;
}

// The translated names of the cities read, by their index among them.
std::vector<OtherNames::OfPlace> NamesOfPlaces(const Translations& translations, const std::vector<std::uint32_t>& ids) {
    std::vector<std::pair<std::uint32_t, std::size_t>> indexById;
    indexById.reserve(ids.size());
    for (std::size_t i = 0; i < ids.size(); ++i) {
        if (ids[i] != 0) indexById.emplace_back(ids[i], i);
    }
    std::ranges::sort(indexById);
    std::vector<OtherNames::OfPlace> names;
    names.reserve(translations.cities.size());
    auto place = indexById.begin();
    for (const Translations::OfCity& city : translations.cities) {  // both by id
        while (place != indexById.end() && place->first < city.id) ++place;
        if (place == indexById.end()) break;
        if (place->first == city.id) names.push_back({place->second, city.name, city.key, city.languages});
    }
    return names;
}

}  // namespace

Atlas LoadAtlas() {
    // With more than one core, the catalogues are read while libgeonames gives the cities.
    std::future<Translations> translations = std::async(std::launch::async | std::launch::deferred, ReadTranslations);
    std::vector<Place> places;
    std::vector<std::uint32_t> ids;
    {
        const ThreadInCLocale untranslated;
        const gint count = geonames_get_n_cities();
        places.reserve(count > 0 ? static_cast<std::size_t>(count) : 0);
        ids.reserve(places.capacity());
        for (gint i = 0; i < count; ++i) {
            const std::unique_ptr<GeonamesCity, decltype(&geonames_city_free)> city(geonames_get_city(i),
                                                                                  &geonames_city_free);
            if (!city) continue;
            places.push_back(Place{
                .name = TextOf(geonames_city_get_name(city.get())),
                .state = TextOf(geonames_city_get_state(city.get())),
                .country = TextOf(geonames_city_get_country(city.get())),
                .countryCode = TextOf(geonames_city_get_country_code(city.get())),
                .timeZone = TextOf(geonames_city_get_timezone(city.get())),
                .latitudeDeg = geonames_city_get_latitude(city.get()),
                .longitudeDeg = geonames_city_get_longitude(city.get()),
                .population = geonames_city_get_population(city.get()),
            });
            ids.push_back(GeonamesId(city.get()));
        }
    }
    Translations read = translations.get();
    OtherNames otherNames{.places = NamesOfPlaces(read, ids), .countries = std::move(read.countries)};
    return Atlas(std::move(places), otherNames);
}

}  // namespace kalvora
