// The atlas: its places, the folding of names, the search and its ranking, the former names, the names in
// other languages.
// Expected places are those of libgeonames' city data (GeoNames, CC-BY-4.0) as Debian ships it.

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <set>
#include <string>

#include "atlas/aliases.h"
#include "atlas/atlas.h"
#include "zone/zone.h"

namespace kalvora {
namespace {

// Loaded once for all tests; never changed.
const Atlas& TheAtlas() {
    static const Atlas atlas = LoadAtlas();
    return atlas;
}

TEST(LoadAtlas, EveryPlaceIsComplete) {
    const Atlas& atlas = TheAtlas();
    ASSERT_GT(atlas.size(), 20000u);
    std::set<std::string> zones;
    for (const Place& place : atlas.places()) {
        EXPECT_FALSE(place.name.empty());
        EXPECT_EQ(place.countryCode.size(), 2u) << place.name;
        EXPECT_LE(std::abs(place.latitudeDeg), 90.0) << place.name;
        EXPECT_LE(std::abs(place.longitudeDeg), 180.0) << place.name;
        zones.insert(place.timeZone);
    }
    // Every zone id of the atlas is one the system's zone database knows.
    for (const std::string& zone : zones) EXPECT_TRUE(OpenTimeZone(zone)) << zone;
}

// The names stay GeoNames' own in a user's language: libgeonames would otherwise translate them.
TEST(LoadAtlas, NamesDoNotFollowTheUsersLanguage) {
    const char* previousLanguage = std::getenv("LANGUAGE");
    const std::string savedLanguage = previousLanguage != nullptr ? previousLanguage : "";
    const std::string savedLocale = std::setlocale(LC_ALL, nullptr);
    ::setenv("LANGUAGE", "de", 1);
    std::setlocale(LC_ALL, "C.UTF-8");
    const Atlas atlas = LoadAtlas();
    std::setlocale(LC_ALL, savedLocale.c_str());
    if (previousLanguage != nullptr) {
        ::setenv("LANGUAGE", savedLanguage.c_str(), 1);
    } else {
        ::unsetenv("LANGUAGE");
    }
    EXPECT_EQ(atlas.places().size(), TheAtlas().size());
    EXPECT_TRUE(std::ranges::equal(atlas.places(), TheAtlas().places()));
}

TEST(FoldForSearch, CaseAccentsAndPunctuation) {
    const struct { const char* text; const char* folded; } cases[] = {
        {"São Paulo", "sao paulo"},
        {"Zürich", "zurich"},
        {"DÜSSELDORF", "dusseldorf"},
        {"Hyderābād", "hyderabad"},
        {"Shīnḏanḏ", "shindand"},
        {"Łódź", "lodz"},
        {"Straße", "strasse"},
        {"Ærøskøbing", "aeroskobing"},
        {"İstanbul", "istanbul"},
        {"Raʼs al Khaymah", "ras al khaymah"},
        {"Winston-Salem", "winston salem"},
        {"  New   York  ", "new york"},
        {"St. John's", "st johns"},
        {"Paris, Texas", "paris, texas"},
        {"", ""},
        {"\xff\xfe", ""},
        // The scripts of India keep every vowel sign and virama; joiners, which only change the drawing, go.
        {"दिल्ली", "दिल्ली"},
        {"நாக்பூர்", "நாக்பூர்"},
        {"కోల్\u200cకాతా", "కోల్కాతా"},
        {"नई दिल्ली।", "नई दिल्ली"},
        {"MÜNCHEN", "munchen"},
    };
    for (const auto& c : cases) EXPECT_EQ(FoldForSearch(c.text), c.folded) << c.text;
    // A letter with a nukta compares the same typed as one code point or as the letter and the nukta.
    EXPECT_EQ(FoldForSearch("\u0958"), FoldForSearch("\u0915\u093C"));
    EXPECT_EQ(FoldForSearch("\u0BCA"), FoldForSearch("\u0BC6\u0BBE"));  // Tamil o: one code point, two signs
}

struct SearchCase {
    const char* query;
    const char* name;         // the first match
    const char* countryCode;
    const char* formerName;   // "" unless the query matched a former name
};

TEST(SearchPlaces, BestMatchFirst) {
    const SearchCase cases[] = {
        // Exact names, folded: the larger of namesakes first.
        {"Mumbai", "Mumbai", "IN", ""},
        {"sao paulo", "São Paulo", "BR", ""},
        {"ZÜRICH", "Zurich", "CH", ""},
        {"Hyderabad", "Hyderabad", "IN", ""},
        {"London", "London", "GB", ""},
        {"york", "York", "GB", ""},  // the exact name before New York, a word prefix
        // "City, State", "City, Country", "City, State, Country", a country by name, code or other name.
        {"Hyderabad, Pakistan", "Hyderābād", "PK", ""},
        {"Hyderabad, Sindh", "Hyderābād", "PK", ""},
        {"London, Ontario", "London", "CA", ""},
        {"London, Canada", "London", "CA", ""},
        {"London, England, UK", "London", "GB", ""},
        {"Springfield, Illinois", "Springfield", "US", ""},
        {"Springfield, Massachusetts, USA", "Springfield", "US", ""},
        {"Paris, Texas", "Paris", "US", ""},
        {"Paris, FR", "Paris", "FR", ""},
        {"Varanasi, Uttar Pradesh", "Varanasi", "IN", ""},  // the atlas says "State of Uttar Pradesh"
        {"Canton, Ohio", "Canton", "US", ""},
        // Prefixes.
        {"Chenn", "Chennai", "IN", ""},
        {"Bom", "Mumbai", "IN", "Bombay"},
        // Former names.
        {"Bombay", "Mumbai", "IN", "Bombay"},
        {"madras", "Chennai", "IN", "Madras"},
        {"Calcutta, India", "Kolkata", "IN", "Calcutta"},
        {"Bangalore", "Bengaluru", "IN", "Bangalore"},
        {"Thiruvananthapuram", "Trivandrum", "IN", "Thiruvananthapuram"},
        {"Trivandrum", "Trivandrum", "IN", ""},
        {"Peking", "Beijing", "CN", "Peking"},
        {"Canton", "Guangzhou", "CN", "Canton"},  // larger than the Cantons of the United States
        {"Saigon", "Ho Chi Minh City", "VN", "Saigon"},
        {"Rangoon, Burma", "Yangon", "MM", "Rangoon"},
    };
    const Atlas& atlas = TheAtlas();
    for (const auto& c : cases) {
        const std::vector<PlaceMatch> matches = SearchPlaces(atlas, c.query, 5);
        ASSERT_FALSE(matches.empty()) << c.query;
        const Place& first = atlas.places()[matches.front().index];
        EXPECT_EQ(first.name, c.name) << c.query;
        EXPECT_EQ(first.countryCode, c.countryCode) << c.query;
        EXPECT_EQ(matches.front().formerName, c.formerName) << c.query;
    }
}

// Names that libgeonames' translations give (checked against its catalogues as Debian ships them).
TEST(SearchPlaces, NamesInOtherLanguages) {
    const struct {
        const char* query;
        const char* name;  // the first match
        const char* countryCode;
        const char* otherName;  // the name the query matched
        NameMatch match;
    } cases[] = {
        {"München", "Munich", "DE", "München", NameMatch::Exact},            // German
        {"kÖLN", "Cologne", "DE", "Köln", NameMatch::Exact},                 // German, any case
        {"München, Deutschland", "Munich", "DE", "München", NameMatch::Exact},  // the country too
        {"दिल्ली", "Delhi", "IN", "दिल्ली", NameMatch::Exact},                  // Hindi
        {"दिल्ली, भारत", "Delhi", "IN", "दिल्ली", NameMatch::Exact},
        {"दिल्", "Delhi", "IN", "दिल्ली", NameMatch::Prefix},                   // ends on a virama
        {"नागपूर", "Nagpur", "IN", "नागपूर", NameMatch::Exact},                 // Marathi (Hindi spells नागपुर)
        {"দিল্লি", "Delhi", "IN", "দিল্লি", NameMatch::Exact},                   // Bengali
        {"ঢাকা", "Dhaka", "BD", "ঢাকা", NameMatch::Exact},
        {"மும்பை", "Mumbai", "IN", "மும்பை", NameMatch::Exact},                 // Tamil
        // The Tamil catalogue keeps "Chennai"; another language writes "Chennai - சென்னை".
        {"சென்னை", "Chennai", "IN", "Chennai - சென்னை", NameMatch::WordPrefix},
        // An exact name in another language before a prefix of a place's own name (Wiener Neustadt).
        {"Wien", "Vienna", "AT", "Wien", NameMatch::Exact},
        // A place's own name before another's that some language spells alike (Hong Kong, Seville).
        {"Victoria", "Victoria", "CA", "", NameMatch::Exact},
        {"Sevilla", "Sevilla", "CO", "", NameMatch::Exact},
    };
    const Atlas& atlas = TheAtlas();
    for (const auto& c : cases) {
        const std::vector<PlaceMatch> matches = SearchPlaces(atlas, c.query, 5);
        ASSERT_FALSE(matches.empty()) << c.query;
        const Place& first = atlas.places()[matches.front().index];
        EXPECT_EQ(first.name, c.name) << c.query;
        EXPECT_EQ(first.countryCode, c.countryCode) << c.query;
        EXPECT_EQ(matches.front().otherName, c.otherName) << c.query;
        EXPECT_EQ(matches.front().match, c.match) << c.query;
    }
    // The other names rank after the own names that match as well.
    const std::vector<PlaceMatch> sevilla = SearchPlaces(atlas, "Sevilla", 10);
    ASSERT_GE(sevilla.size(), 2u);
    const auto seville = std::ranges::find_if(sevilla, [&](const PlaceMatch& m) { return atlas.places()[m.index].name == "Seville"; });
    ASSERT_NE(seville, sevilla.end());
    EXPECT_TRUE(std::all_of(sevilla.begin(), seville, [](const PlaceMatch& m) { return m.otherName.empty(); }));
    // Of a place's names that match alike, the shortest is given ("Nova Deli - नई दिल्ली" also begins a word so).
    const std::vector<PlaceMatch> dil = SearchPlaces(atlas, "दिल्", 2);
    ASSERT_EQ(dil.size(), 2u);
    EXPECT_EQ(atlas.places()[dil[1].index].name, "New Delhi");
    EXPECT_EQ(dil[1].otherName, "नई दिल्ली");
    // The qualifier holds for a name in another language too.
    EXPECT_TRUE(SearchPlaces(atlas, "München, India", 5).empty());
    // A copy of the atlas has the other names whole.
    const Atlas copy = atlas;
    const std::vector<PlaceMatch> munich = SearchPlaces(copy, "münchen", 1);
    ASSERT_EQ(munich.size(), 1u);
    EXPECT_EQ(munich.front().otherName, "München");
}

// Of the spellings that fold alike, the one most languages use is kept; none that folds to the own name.
TEST(Atlas, KeepsOneSpellingOfEachFoldedName) {
    Place munich;
    munich.name = "Munich";
    munich.countryCode = "DE";
    OtherNames names;
    names.places = {{0, "Munchen", "munchen", 1},
                    {0, "München", "munchen", 40},
                    {0, "MUNICH", "munich", 3},
                    {0, "Monaco di Baviera", "monaco di baviera", 1},
                    {7, "Elsewhere", "elsewhere", 1}};  // no such place
    const Atlas atlas({munich}, names);
    EXPECT_EQ(atlas.otherNames(0), (std::vector<std::string_view>{"Monaco di Baviera", "München"}));
}

TEST(SearchPlaces, NothingForUnknownOrEmptyQueries) {
    const char* queries[] = {"Xyzzyville", "Mumbai, Pakistan", "", " , India", "London, Atlantis"};
    for (const char* query : queries) EXPECT_TRUE(SearchPlaces(TheAtlas(), query, 10).empty()) << query;
    EXPECT_TRUE(SearchPlaces(TheAtlas(), "London", 0).empty());
}

TEST(SearchPlaces, RanksExactThenPrefixThenWordPrefixEachByPopulation) {
    const Atlas& atlas = TheAtlas();
    for (const char* query : {"Springfield", "york", "san", "Hyderabad", "म", "Wien"}) {
        const std::vector<PlaceMatch> matches = SearchPlaces(atlas, query, 40);
        ASSERT_GE(matches.size(), 2u) << query;
        EXPECT_LE(matches.size(), 40u);
        for (std::size_t i = 1; i < matches.size(); ++i) {
            const PlaceMatch& a = matches[i - 1];
            const PlaceMatch& b = matches[i];
            ASSERT_LE(a.match, b.match) << query << " at " << i;
            if (a.match != b.match) continue;
            // In each kind of match, the places' own names before names in other languages.
            ASSERT_LE(!a.otherName.empty(), !b.otherName.empty()) << query << " at " << i;
            if (a.otherName.empty() == b.otherName.empty()) {
                EXPECT_GE(atlas.places()[a.index].population, atlas.places()[b.index].population) << query << " at " << i;
            }
        }
    }
    // Every Springfield comes before Springfield Gardens; New York (Basque "York Berri") comes after every York.
    const std::vector<PlaceMatch> york = SearchPlaces(atlas, "York", 40);
    const auto newYork = std::ranges::find_if(york, [&](const PlaceMatch& m) { return atlas.places()[m.index].name == "New York"; });
    ASSERT_NE(newYork, york.end());
    EXPECT_NE(newYork->match, NameMatch::Exact);
    EXPECT_TRUE(std::all_of(newYork, york.end(), [&](const PlaceMatch& m) { return atlas.places()[m.index].name != "York"; }));
}

TEST(CityAliases, EveryTargetIsInTheAtlas) {
    const Atlas& atlas = TheAtlas();
    for (const CityAlias& alias : CityAliases) {
        const bool found = std::ranges::any_of(atlas.places(), [&](const Place& place) {
            return place.name == alias.atlasName && place.countryCode == alias.countryCode;
        });
        EXPECT_TRUE(found) << alias.typed << " -> " << alias.atlasName;
        EXPECT_FALSE(std::ranges::any_of(atlas.places(), [&](const Place& place) { return place.name == alias.typed && place.countryCode == alias.countryCode; }))
            << alias.typed << " is itself a name of the atlas in " << alias.countryCode;
    }
    for (const CountryAlias& alias : CountryAliases) {
        EXPECT_EQ(FoldForSearch(alias.typed), alias.typed);
        EXPECT_TRUE(std::ranges::any_of(atlas.places(), [&](const Place& place) { return place.countryCode == alias.countryCode; }))
            << alias.typed;
    }
}

TEST(NearestNames, SuggestsCloseSpellings) {
    const struct { const char* query; const char* expected; } cases[] = {
        {"Mumbay", "Mumbai"}, {"Chenai", "Chennai"}, {"Kolkatta, India", "Kolkata"}, {"Benglauru", "Bengaluru"},
    };
    const Atlas& atlas = TheAtlas();
    for (const auto& c : cases) {
        const std::vector<std::size_t> near = NearestNames(atlas, c.query, 3);
        ASSERT_FALSE(near.empty()) << c.query;
        EXPECT_LE(near.size(), 3u);
        EXPECT_EQ(atlas.places()[near.front()].name, c.expected) << c.query;
    }
    EXPECT_TRUE(NearestNames(atlas, "Qqqqqqqqqq", 3).empty());
}

}  // namespace
}  // namespace kalvora
