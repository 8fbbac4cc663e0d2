// The change minutes of the finder's quantities over a date's searched minutes, by the change search.

#include "finder/date_changes.h"

#include "driver/change_search.h"

namespace kalvora::finding {

DateChanges::DateChanges(const TypedPlace& place, bool readsPlanets, Reckoning reckoning)
    : moments_(place, reckoning),
      moon_{moments_},
      ascendant_{moments_},
      almanac_{moments_},
      tableLagna_{moments_, noPlanetTexts_},
      planets_{moments_},
      readsPlanets_(readsPlanets) {
    const double latitude = place.latitudeDegrees + place.latitudeMinutes / 60.0;
    ascendant_.guide.everyMinute = latitude >= ForwardAscendantLatitude;
}

void DateChanges::FindAll(int first, int last) {
    FindChanges(moon_, first, last, moonChanges_);
    FindChanges(ascendant_, first, last, ascendantChanges_);
    FindChanges(almanac_, first, last, almanacChanges_);
    FindChanges(tableLagna_, first, last, tableChanges_);
    if (readsPlanets_) {
        planets_.FindChanges(first, last, planetChanges_);
    } else {
        planetChanges_.assign(1, {first, {}, {}});
    }
}

}  // namespace kalvora::finding
