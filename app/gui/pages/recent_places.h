#pragma once
// The places the muhurtha page offers as used recently, most recent first: kept in "recent-places.ini" beside the
// people file, so that KALVORA_DATA_DIR keeps a portable set together.

#include <vector>

#include "atlas/atlas.h"

namespace kalvora {

// The places kept, at most eight; a row without a name or a zone is left out.
std::vector<Place> LoadRecentPlaces();
void SaveRecentPlaces(const std::vector<Place>& places);

// Puts a place first in the list, dropping an earlier entry of the same name, state, country and zone and the
// places beyond the most the page remembers.
void PutFirst(std::vector<Place>& places, const Place& place);

}  // namespace kalvora
