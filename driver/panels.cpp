#include "driver/panels.h"

#include "astro/calendar.h"

namespace kalvora {

std::string PanelDateText(int month, int day, int year) {
    return std::string(MonthName(month)) + " " + std::to_string(day) + " " + std::to_string(year) + " MM:DD:YYYY";
}

std::string PanelTimeText(int hour, int minute) {
    return std::to_string(hour) + " " + std::to_string(minute) + " HH:MM";
}

std::string PanelPlaceText(const PlaceText& place) {
    return place.city + " " + place.state + " " + place.country;
}

std::array<std::string, PanelRowCount> PanelValues(const std::string& name, const MomentInput& moment,
                                                   const PlaceText& place, const MomentDetails& details) {
    std::array<std::string, PanelRowCount> values;
    values[0] = name;
    values[1] = PanelDateText(moment.month, moment.day, moment.year);
    values[2] = PanelTimeText(moment.hour, moment.minute);
    values[3] = PanelPlaceText(place);
    for (int slot = 0; slot < MomentDetails::SlotCount; ++slot) {
        values[static_cast<std::size_t>(4 + slot)] = details.Slot(slot);
    }
    return values;
}

}  // namespace kalvora
