#pragma once
// Former and other current names of cities that people still type, and other names of countries.

#include <array>
#include <string_view>

namespace kalvora {

// A name a person may type for a city the atlas holds under another name.
struct CityAlias {
    std::string_view typed;        // "Bombay"
    std::string_view atlasName;    // the city's name in the atlas, "Mumbai"
    std::string_view countryCode;  // the city's country, to tell it from namesakes elsewhere
};

// Where the atlas keeps the older name (Trivandrum, Mysore, Gurgaon), the row runs the other way, from
// the current official name to the atlas's.
inline constexpr auto CityAliases = std::to_array<CityAlias>({
    {"Bombay", "Mumbai", "IN"},                         // renamed by the Government of Maharashtra, 1995
    {"Madras", "Chennai", "IN"},                        // renamed by the Government of Tamil Nadu, 1996
    {"Calcutta", "Kolkata", "IN"},                      // renamed by the Government of West Bengal, 2001
    {"Bangalore", "Bengaluru", "IN"},                   // renamed by the Government of Karnataka, 1 November 2014
    {"Poona", "Pune", "IN"},                            // the spelling Pune made official, 1978
    {"Benares", "Varanasi", "IN"},                      // renamed Varanasi, 1956
    {"Banaras", "Varanasi", "IN"},                      // the same city's other former spelling
    {"Baroda", "Vadodara", "IN"},                       // renamed Vadodara, 1974
    {"Thiruvananthapuram", "Trivandrum", "IN"},         // official name since 1991; the atlas keeps Trivandrum
    {"Cawnpore", "Kanpur", "IN"},                       // the spelling Kanpur adopted, 1948
    {"Simla", "Shimla", "IN"},                          // the spelling Shimla adopted after Independence
    {"Mysuru", "Mysore", "IN"},                         // renamed by the Government of Karnataka, 1 November 2014; the atlas keeps Mysore
    {"Gurugram", "Gurgaon", "IN"},                      // renamed by the Government of Haryana, 2016; the atlas keeps Gurgaon
    {"Peking", "Beijing", "CN"},                        // Hanyu Pinyin spelling, in international use from 1979
    {"Canton", "Guangzhou", "CN"},                      // Hanyu Pinyin spelling, in international use from 1979
    {"Saigon", "Ho Chi Minh City", "VN"},               // renamed on reunification, 1976
    {"Rangoon", "Yangon", "MM"},                        // renamed by the Adaptation of Expressions Law, 1989
});

// Names and abbreviations of countries that the atlas spells otherwise.
struct CountryAlias {
    std::string_view typed;        // as the search folds it
    std::string_view countryCode;
};

inline constexpr auto CountryAliases = std::to_array<CountryAlias>({
    {"usa", "US"},            // common abbreviation of the United States of America
    {"united states", "US"},  // short form of the same
    {"america", "US"},        // colloquial name of the same
    {"uk", "GB"},             // common abbreviation of the United Kingdom
    {"great britain", "GB"},  // the island's name, used for the United Kingdom
    {"britain", "GB"},        // the same, short
    {"uae", "AE"},            // common abbreviation of the United Arab Emirates
    {"burma", "MM"},          // Myanmar's name until the Adaptation of Expressions Law, 1989
    {"ceylon", "LK"},         // Sri Lanka's name until the constitution of 1972
    {"south korea", "KR"},    // the atlas says Republic of Korea
    {"holland", "NL"},        // colloquial name of the Netherlands
});

}  // namespace kalvora
