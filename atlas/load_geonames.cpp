// Reads every city record of libgeonames into an atlas.

#include <geonames.h>
#include <locale.h>

#include <memory>

#include "atlas/atlas.h"

namespace kalvora {
namespace {

std::string TextOf(const gchar* text) { return text == nullptr ? std::string() : std::string(text); }

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

}  // namespace

Atlas LoadAtlas() {
    std::vector<Place> places;
    {
        const ThreadInCLocale untranslated;
        const gint count = geonames_get_n_cities();
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
    }
    return Atlas(std::move(places));
}

}  // namespace kalvora
