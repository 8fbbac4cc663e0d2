#pragma once
// The places the muhurtha page offers as used recently, most recent first: kept in "recent-places.ini" beside the
// people file, so that KALVORA_DATA_DIR keeps a portable set together.

#include <optional>
#include <string_view>
#include <vector>

#include <QString>

#include "atlas/atlas.h"

class QSettings;

namespace kalvora {

// The places kept, at most eight; a row without a name or a zone is left out.
std::vector<Place> LoadRecentPlaces();
void SaveRecentPlaces(const std::vector<Place>& places);

// Puts a place first in the list, dropping an earlier entry of the same name, state, country and zone and the
// places beyond the most the page remembers.
void PutFirst(std::vector<Place>& places, const Place& place);

// One place as the pages offer it: "Mumbai (Bombay), Maharashtra, India  ·  Asia/Kolkata" (the former name in
// brackets where the place was found by it).
QString PlaceLine(const Place& place, std::string_view formerName = {});

// One place under the settings' current group or array entry: its names, zone and coordinates; none when it has
// no name or no zone (a place the pages cannot take).
std::optional<Place> ReadPlace(const QSettings& settings);
void WritePlace(QSettings& settings, const Place& place);

}  // namespace kalvora
