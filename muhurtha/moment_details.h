#pragma once
// The nine display names of one computed moment, in the fixed slot order the rules and the panels share.

#include <array>
#include <string>

namespace kalvora {

struct MomentDetails {
    std::string rashi;          // slot 0: Moon sign, Sanskrit name
    std::string rashiLord;      // slot 1
    std::string nakshatra;      // slot 2
    std::string nakshatraLord;  // slot 3
    std::string lagna;          // slot 4: ascendant sign
    std::string tithi;          // slot 5: tithi display name
    std::string yoga;           // slot 6
    std::string karana;         // slot 7
    std::string vaar;           // slot 8: weekday name

    static constexpr int SlotCount = 9;

    // Slot i (0..8) in the fixed order above.
    const std::string& Slot(int i) const {
        const auto fields = std::to_array<const std::string*>(
            {&rashi, &rashiLord, &nakshatra, &nakshatraLord, &lagna, &tithi, &yoga, &karana, &vaar});
        static_assert(fields.size() == SlotCount);
        return *fields.at(static_cast<std::size_t>(i));
    }

    friend bool operator==(const MomentDetails&, const MomentDetails&) = default;
};

}  // namespace kalvora
