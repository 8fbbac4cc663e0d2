#pragma once
// The quantities of a query over one local date and their readings at each minute where one of them changes.

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "finder/planet_quantity.h"
#include "finder/quantities.h"

namespace kalvora::finding {

// Where a stretch stands in each quantity's changes: the index of the reading in force.
struct ChangeCursor {
    std::size_t moon = 0, ascendant = 0, almanac = 0, tableLagna = 0, planets = 0;
};

class DateChanges {
public:
    // The muhurtha's place; the planets' signs are searched only when `readsPlanets`. The Sun, the Moon and the
    // ascendant are read as `reckoning` places them.
    DateChanges(const TypedPlace& place, bool readsPlanets, Reckoning reckoning = {});
    DateChanges(const DateChanges&) = delete;  // the quantities hold on to the moments
    DateChanges& operator=(const DateChanges&) = delete;

    void SetDate(LocalDate date) { moments_.SetDate(date); }
    // Puts the minutes on a zone's clock.
    void SetZone(const TypedZone& zone) { moments_.SetZone(zone); }
    MomentTime TimeAt(int minute) { return moments_.TimeAt(minute); }
    Reckoner& Reckon() { return moments_.Reckon(); }

    // Finds the change minutes of every quantity over minutes first..last of the date.
    void FindAll(int first, int last);
    // The last minute of the stretch from `start` up to the next change of any quantity (`last` at the latest);
    // moves the cursor on to the readings in force at `start`.
    int StretchEnd(int start, int last, ChangeCursor& at) const {
        const auto next = [start, last](const auto& changes, std::size_t& i) {
            while (i + 1 < changes.size() && changes[i + 1].minute <= start) ++i;
            return i + 1 < changes.size() ? static_cast<int>(changes[i + 1].minute) : last + 1;
        };
        return std::min({next(moonChanges_, at.moon), next(ascendantChanges_, at.ascendant),
                         next(almanacChanges_, at.almanac), next(tableChanges_, at.tableLagna),
                         next(planetChanges_, at.planets), last + 1}) - 1;
    }

    const ChartPositions& Moon(const ChangeCursor& at) const { return moonChanges_[at.moon].value; }
    const PanchangaInfo& Almanac(const ChangeCursor& at) const { return almanacChanges_[at.almanac].value; }
    // The planets where their current signs were read (all unplaced when the planets are not searched).
    const Sky& Planets(const ChangeCursor& at) const { return planetChanges_[at.planets].value; }

private:
    // The table lagna is read with no planet placed: the planets' signs are a quantity of their own.
    const std::array<std::string, 7> noPlanetTexts_{};
    DateMoments moments_;
    MoonQuantity moon_;
    AscendantQuantity ascendant_;
    AlmanacQuantity almanac_;
    TableLagnaQuantity tableLagna_;
    PlanetQuantity planets_;
    const bool readsPlanets_;
    std::vector<ChangeReading<ChartPositions>> moonChanges_, ascendantChanges_;
    std::vector<ChangeReading<PanchangaInfo>> almanacChanges_;
    std::vector<ChangeReading<PlanetPlacement>> tableChanges_;
    std::vector<ChangeReading<Sky>> planetChanges_;
};

}  // namespace kalvora::finding
