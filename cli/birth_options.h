#pragma once
// The birth moment's options, one set of rows shared by every command that takes a birth: the calculation, find
// and people add. A command's options record has `MomentInput& BirthMoment()` and `MomentSources birthSources`;
// the rows fill the moment's typed fields and note the place, zone id and fold until ResolveMoment reads them.

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "cli/options.h"
#include "cli/places.h"

namespace kalvora::birth_options {

// Parses the value into the birth moment, noting that the field was typed (a named place then does not give it).
template <typename O, void (*parse)(std::string_view, std::string_view, MomentInput&), bool MomentSources::*typed>
void Typed(O& o, std::string_view option, std::string_view text) {
    parse(option, text, o.BirthMoment());
    o.birthSources.*typed = true;
}

template <typename O>
void ReadClock(O& o, std::string_view option, std::string_view text) { ParseDateTime(option, text, o.BirthMoment()); }
template <typename O>
void ReadPlace(O& o, std::string_view, std::string_view text) { o.birthSources.place = std::string(text); }
template <typename O>
void ReadZoneId(O& o, std::string_view, std::string_view text) { o.birthSources.zoneId = std::string(text); }
template <typename O>
void ReadFold(O& o, std::string_view option, std::string_view text) { o.birthSources.fold = ParseFold(option, text); }

// The rows in the order of the usage; --birth is of kind `clockKind` (Value where --person may stand in for it).
template <typename O, OptionKind clockKind = OptionKind::Required>
constexpr auto Rows() {
    return std::to_array<Option<O>>({
        {"--birth", clockKind, ReadClock<O>},
        {"--birth-place", OptionKind::Value, ReadPlace<O>},
        {"--birth-lat", OptionKind::Value, Typed<O, ParseLatitude, &MomentSources::latitude>},
        {"--birth-lon", OptionKind::Value, Typed<O, ParseLongitude, &MomentSources::longitude>},
        {"--birth-zone", OptionKind::Value, Typed<O, ParseZone, &MomentSources::zone>},
        {"--birth-dst", OptionKind::Flag, Typed<O, MarkDst, &MomentSources::dst>},
        {"--birth-tz", OptionKind::Value, ReadZoneId<O>},
        {"--birth-fold", OptionKind::Value, ReadFold<O>},
    });
}

}  // namespace kalvora::birth_options

namespace kalvora {

// One table from several, in order (a command's own rows around the shared ones).
template <typename Row, std::size_t... Sizes>
constexpr auto JoinRows(const std::array<Row, Sizes>&... parts) {
    std::array<Row, (Sizes + ...)> joined{};
    std::size_t at = 0;
    ((std::copy(parts.begin(), parts.end(), joined.begin() + static_cast<std::ptrdiff_t>(at)), at += Sizes), ...);
    return joined;
}

}  // namespace kalvora
