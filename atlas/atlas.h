#pragma once
// The offline atlas: the cities of the GeoNames data that libgeonames carries, held in memory and searched
// by name, state and country, with the former names of renamed cities.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
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

// All the places, loaded once, with the folded texts the search compares. A value: the caller owns it
// and may build it on any thread.
class Atlas {
public:
    Atlas() = default;
    explicit Atlas(std::vector<Place> places);

    std::span<const Place> places() const { return places_; }
    std::size_t size() const { return places_.size(); }
    bool empty() const { return places_.empty(); }

    // The folded name, state and country of each place, in the order of places().
    struct Keys {
        std::string name;
        std::string state;
        std::string country;
        std::string countryCode;  // lower case
        std::uint32_t nameInitials = 0;  // one bit for the first character of each word of the name
    };
    std::span<const Keys> keys() const { return keys_; }

private:
    std::vector<Place> places_;
    std::vector<Keys> keys_;
};

// Every city of libgeonames (about 24,000 places of at least 15,000 people, and the capitals).
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
    friend bool operator==(const PlaceMatch&, const PlaceMatch&) = default;
};

// The places matching "City", "City, State", "City, Country" or "City, State, Country" (a country by name
// or two-letter code), ignoring case and accents; the best first: exact names, then prefixes, then word
// prefixes, each by population. At most maxMatches.
std::vector<PlaceMatch> SearchPlaces(const Atlas& atlas, std::string_view query, std::size_t maxMatches);

// For a query that matched nothing: up to `count` places whose names are nearest to its city part in
// spelling (a few letters apart at most), nearest and then largest first.
std::vector<std::size_t> NearestNames(const Atlas& atlas, std::string_view query, std::size_t count);

// A text as the search compares it: lower case, accents and apostrophes dropped, letters without a
// decomposition spelt out ("ø" -> "o", "ß" -> "ss"), hyphens and runs of spaces as one space.
std::string FoldForSearch(std::string_view text);

}  // namespace kalvora
