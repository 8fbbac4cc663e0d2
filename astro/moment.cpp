// The texts of typed places and of coordinates in signed degrees.

#include <cstdio>

#include "astro/moment.h"

namespace kalvora {

std::string CoordinatesText(const TypedPlace& p) {
    char text[48];
    std::snprintf(text, sizeof text, "%d\u00b0%02d'%c %d\u00b0%02d'%c", p.latitudeDegrees, p.latitudeMinutes,
                  p.isSouth ? 'S' : 'N', p.longitudeDegrees, p.longitudeMinutes, p.isEast ? 'E' : 'W');
    return text;
}

namespace {

// The hemisphere of a coordinate whose magnitude is `minutes` of arc: the positive one for 0.
char Hemisphere(double degrees, long minutes, char positive, char negative) {
    return degrees < 0.0 && minutes > 0 ? negative : positive;
}

}  // namespace

std::string AngleText(double degrees, char positive, char negative) {
    const long minutes = MinutesOfArc(degrees);
    char text[48];
    std::snprintf(text, sizeof text, "%ld\u00b0%02ld'%c", minutes / 60, minutes % 60,
                  Hemisphere(degrees, minutes, positive, negative));
    return text;
}

std::string OptionAngleText(double degrees, int width, char positive, char negative) {
    const long minutes = MinutesOfArc(degrees);
    char text[48];
    std::snprintf(text, sizeof text, "%0*ld:%02ld%c", width, minutes / 60, minutes % 60,
                  Hemisphere(degrees, minutes, positive, negative));
    return text;
}

std::string ListedAngleText(double degrees, char positive, char negative) {
    const long minutes = MinutesOfArc(degrees);
    char text[48];
    std::snprintf(text, sizeof text, "%ld:%02ld%c", minutes / 60, minutes % 60, degrees < 0 ? negative : positive);
    return text;
}

}  // namespace kalvora
