// Regions that kept their own time while the zone database gives them their country's zone.

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string_view>

#include "zone/zone.h"
#include "zone/zone_notes.h"

namespace kalvora {
namespace {

double DistanceKm(double lat1Deg, double lon1Deg, double lat2Deg, double lon2Deg) {
    constexpr double EarthRadiusKm = 6371.0;
    constexpr double ToRad = std::numbers::pi / 180.0;
    const double dLat = (lat2Deg - lat1Deg) * ToRad;
    const double dLon = (lon2Deg - lon1Deg) * ToRad;
    const double a = std::sin(dLat / 2) * std::sin(dLat / 2) +
                     std::cos(lat1Deg * ToRad) * std::cos(lat2Deg * ToRad) * std::sin(dLon / 2) * std::sin(dLon / 2);
    return 2 * EarthRadiusKm * std::asin(std::sqrt(std::min(1.0, a)));
}

}  // namespace

std::string_view ZoneNoteFor(double latitudeDeg, double longitudeDeg, const LocalDateTime& local) {
    for (const ZoneNote& note : ZoneNotes) {
        const LocalDateTime until{.year = note.untilYear, .month = note.untilMonth, .day = note.untilDay};
        if (local < until && DistanceKm(latitudeDeg, longitudeDeg, note.latitudeDeg, note.longitudeDeg) <= note.radiusKm) {
            return note.warning;
        }
    }
    return {};
}

std::string_view ZonePeriodName(std::string_view zoneId, const LocalDateTime& local, const ZoneOffset& offset) {
    for (const ZonePeriod& period : ZonePeriods) {
        const LocalDateTime from{.year = period.fromYear, .month = period.fromMonth, .day = period.fromDay};
        const LocalDateTime until{.year = period.untilYear, .month = period.untilMonth, .day = period.untilDay};
        if (period.zoneId == zoneId && from <= local && local < until && period.offsetSeconds == offset.offsetSeconds) {
            return period.name;
        }
    }
    return {};
}

}  // namespace kalvora
