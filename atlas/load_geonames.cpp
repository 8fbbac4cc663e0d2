// Reads every city record of libgeonames into an atlas.

#include <geonames.h>

#include <memory>

#include "atlas/atlas.h"

namespace kalvora {
namespace {

std::string TextOf(const gchar* text) { return text == nullptr ? std::string() : std::string(text); }

}  // namespace

Atlas LoadAtlas() {
    const gint count = geonames_get_n_cities();
    std::vector<Place> places;
    places.reserve(count > 0 ? static_cast<std::size_t>(count) : 0);
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
    }
    return Atlas(std::move(places));
}

}  // namespace kalvora
