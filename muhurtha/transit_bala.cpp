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

}  // namespace kalvora
