// Surya bala and Guru bala from their tables.

#include "muhurtha/transit_bala.h"

namespace kalvora {

std::optional<BalaReading> ReadBala(Role role, int birthMoonSign, int sunSign, int jupiterSign) {
    for (const TransitBalaTable& table : TransitBalaTables) {
        if (table.role != role) continue;
        const int bodySign = table.body == Body::Sun ? sunSign : jupiterSign;
        const int house = HouseFromMoonSign(birthMoonSign, bodySign);
        return BalaReading{table.bala, house, table.houses[static_cast<std::size_t>(house - 1)]};
    }
    return std::nullopt;
}

std::string HouseOrdinal(int house) {
    const char* suffix = "th";
    if (house < 11 || house > 13) {
        if (house % 10 == 1) suffix = "st";
        if (house % 10 == 2) suffix = "nd";
        if (house % 10 == 3) suffix = "rd";
    }
    return std::to_string(house) + suffix;
}

std::string BalaLine(const BalaReading& reading) {
    const TransitBalaTable& table = TableOf(reading.bala);
    constexpr std::array<std::string_view, 3> words = {"good", "acceptable with a remedy", "bad"};
    return std::string(table.name) + ": " + std::string(BodyNames[static_cast<std::size_t>(table.body)].name) +
           " in the " + HouseOrdinal(reading.house) + " house from the birth Moon sign - " +
           std::string(words[static_cast<std::size_t>(reading.verdict)]);
}

}  // namespace kalvora
