#pragma once
// The offline atlas: the cities of the GeoNames data that libgeonames carries, held in memory and searched
// by name, state and country, with the former names of renamed cities and the names of cities and countries
// in every language of libgeonames' translations.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kalvora {

// One city of the atlas.
struct Place {
    std::string name;         // "Mumbai"
    std::string state;        // "Maharashtra"
    std::string country;      // "India"
    std::string countryCode;  // "IN" (ISO 3166-1 alpha-2)
    std::string timeZone;     // IANA zone id, "Asia/Kolkata"
    double latitudeDeg = 0.0;   // north positive
    double longitudeDeg = 0.0;  // east positive
    std::uint32_t population = 0;
    friend bool operator==(const Place&, const Place&) = default;
};

// The names of cities and countries in other languages, as libgeonames' translations give them, each with its
// folded text (FoldForSearch of the name). The names need only outlive the building of the atlas.
struct OtherNames {
    struct OfPlace {
        std::size_t index = 0;  // into the places
        std::string_view name;  // "München"
        std::string key;        // "munchen"
        std::uint32_t languages = 1;  // how many languages spell it so
    };
    struct OfCountry {
        std::string_view countryCode;  // "DE"
        std::string key;               // "deutschland"
    };
    std::vector<OfPlace> places;
    std::vector<OfCountry> countries;
};

struct PlaceMatch;

// All the places, loaded once, with the folded texts the search compares. A value: the caller owns it
// and may build it on any thread.
class Atlas {
public:
    Atlas() = default;
    // Of a place's names in other languages that fold to the same text, the one most languages use is kept;
    // none that folds to the place's own name's text.
    explicit Atlas(std::vector<Place> places, const OtherNames& otherNames = {});

    std::span<const Place> places() const { return places_; }
    std::size_t size() const { return places_.size(); }
    bool empty() const { return places_.empty(); }

    // The folded name, state and country of each place, in the order of places().
    struct Keys {
        std::string name;
        std::string state;
        std::string country;
        std::string countryCode;  // lower case
        std::uint64_t nameInitials = 0;  // one bit for the first character of each word of the name
    };
    std::span<const Keys> keys() const { return keys_; }

    // The names of the place at `index` in other languages ("München"), one for each folded text.
    std::vector<std::string_view> otherNames(std::size_t index) const;
    // The folded names of a country (by its code, "DE") in other languages.
    std::span<const std::string> otherCountryKeys(std::string_view countryCode) const;

private:
    // The search reads the other names' initials, which are not part of the interface.
    friend std::vector<PlaceMatch> SearchPlaces(const Atlas& atlas, std::string_view query, std::size_t maxMatches);

    std::vector<Place> places_;
    std::vector<Keys> keys_;
    // The other names, grouped by place in the order of places_: each a name followed by its folded text in
    // otherText_. Offsets, not views, so that a copy of the atlas is whole.
    struct OtherName {
        std::uint32_t at = 0;
        std::uint32_t nameSize = 0;
        std::uint32_t keySize = 0;
    };
    std::string_view OtherNameText(const OtherName& other) const;
    std::string_view OtherNameKey(const OtherName& other) const;
    std::string otherText_;
    std::vector<OtherName> otherNames_;
    std::vector<std::uint64_t> otherNameInitials_;   // of each other name, as Keys::nameInitials
    std::vector<std::uint32_t> otherNamesBegin_;     // where each place's other names begin; one more at the end
    std::vector<std::uint64_t> placeOtherInitials_;  // of each place, the initials of all its other names
    std::vector<std::pair<std::string, std::vector<std::string>>> otherCountryKeys_;  // by country code, in order
};

// Every city of libgeonames (about 24,000 places of at least 15,000 people, and the capitals), with the names
// its translations give the cities and countries in each language it ships.
Atlas LoadAtlas();

// How a place's name matched the city part of a query.
enum class NameMatch {
    Exact,       // the whole name
    Prefix,      // the name begins with the query
    WordPrefix,  // a later word of the name begins with the query ("York" in "New York")
};

struct PlaceMatch {
    std::size_t index = 0;  // into Atlas::places()
    NameMatch match = NameMatch::Exact;
    std::string_view formerName;  // the former name the query matched ("Bombay"), or ""
    std::string_view otherName;   // the name in another language the query matched ("München"), or ""
    friend bool operator==(const PlaceMatch&, const PlaceMatch&) = default;
};

// The places matching "City", "City, State", "City, Country" or "City, State, Country" (a country by name
// or two-letter code), ignoring case and accents; a city or a country may be named in any language of the
// translations. The best first: exact names, then prefixes, then word prefixes; in each, the places' own and
// former names before names in other languages, each by population. At most maxMatches.
std::vector<PlaceMatch> SearchPlaces(const Atlas& atlas, std::string_view query, std::size_t maxMatches);

// For a query that matched nothing: up to `count` places whose names are nearest to its city part in
// spelling (a few letters apart at most), nearest and then largest first.
std::vector<std::size_t> NearestNames(const Atlas& atlas, std::string_view query, std::size_t count);

// A text as the search compares it: lower case, accents and apostrophes dropped, letters without a
// decomposition spelt out ("ø" -> "o", "ß" -> "ss"), hyphens and runs of spaces as one space. Letters of the
// scripts of India and South-East Asia keep their vowel signs and viramas ("दिल्ली" stays "दिल्ली"): there
// the marks are parts of the letters.
std::string FoldForSearch(std::string_view text);

}  // namespace kalvora
