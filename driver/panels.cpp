#include "driver/panels.h"

#include "astro/calendar.h"
#include "astro/tables.h"

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

std::array<PlanetRow, BodyNames.size()> PlanetRows(const Sky& sky) {
    std::array<PlanetRow, BodyNames.size()> rows;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const BodyPosition& p = sky.bodies[i];
        rows[i] = {BodyNames[i].name, SignNames[static_cast<std::size_t>(p.signIndex)].name,
                   DegreesInSign(p.longitudeDeg), NakshatraNames[static_cast<std::size_t>(p.nakshatraIndex)].name,
                   p.retrograde};
    }
    return rows;
}

std::string PlanetRowText(const PlanetRow& row) {
    // The widest body name is "Mercury", the widest sign "Vrischika".
    const auto padded = [](std::string_view text, std::size_t width) {
        std::string out(text);
        if (out.size() < width) out.append(width - out.size(), ' ');
        return out;
    };
    std::string text = padded(row.body, 8) + padded(row.sign, 10) + row.degrees + "  " + std::string(row.nakshatra);
    if (row.retrograde) text += " R";
    return text;
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
