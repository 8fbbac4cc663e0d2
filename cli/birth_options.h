#pragma once
// The place and zone options of a moment, one set of rows shared by every command: the muhurtha's of the
// calculation and find, the birth's of the calculation, find and people add, and the day's place. The rows fill the
// moment's typed fields and note the place, zone id and fold until ResolveMoment (or ResolveSearchedPlace) reads
// them. For the birth, a command's options record has `MomentInput& BirthMoment()` and `MomentSources birthSources`.

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "cli/options.h"
#include "cli/places.h"

namespace kalvora {

// One table from several, in order (a command's own rows around the shared ones).
template <typename Row, std::size_t... Sizes>
constexpr auto JoinRows(const std::array<Row, Sizes>&... parts) {
    std::array<Row, (Sizes + ...)> joined{};
    std::size_t at = 0;
    ((std::copy(parts.begin(), parts.end(), joined.begin() + static_cast<std::ptrdiff_t>(at)), at += Sizes), ...);
    return joined;
}

// The readers of one moment's place and zone options, for a command's options record O whose moment and sources
// the two accessors reach: typed fields go into the moment and are noted as typed (a named place then does not
// give them); the place, zone id and fold wait in the sources until ResolveMoment reads them.
template <typename O, MomentInput& (*moment)(O&), MomentSources& (*sources)(O&)>
struct MomentOptionReaders {
    template <void (*parse)(std::string_view, std::string_view, MomentInput&), bool MomentSources::*typed>
    static void Typed(O& o, std::string_view option, std::string_view text) {
        parse(option, text, moment(o));
        sources(o).*typed = true;
    }
    static void Clock(O& o, std::string_view option, std::string_view text) { ParseDateTime(option, text, moment(o)); }
    static void Place(O& o, std::string_view, std::string_view text) { sources(o).place = std::string(text); }
    static void ZoneId(O& o, std::string_view, std::string_view text) { sources(o).zoneId = std::string(text); }
    static void Fold(O& o, std::string_view option, std::string_view text) {
        sources(o).fold = ParseFold(option, text);
    }
};

// The names of one moment's place and zone options.
struct PlaceOptionNames {
    std::string_view place, latitude, longitude, zone, dst, zoneId, fold;
};
inline constexpr PlaceOptionNames MuhurthaOptionNames{"--muhurtha-place", "--muhurtha-lat", "--muhurtha-lon",
                                                      "--muhurtha-zone",  "--muhurtha-dst", "--muhurtha-tz",
                                                      "--muhurtha-fold"};
inline constexpr PlaceOptionNames BirthOptionNames{"--birth-place", "--birth-lat", "--birth-lon", "--birth-zone",
                                                   "--birth-dst",   "--birth-tz",  "--birth-fold"};
// The birth options' twins for a second person typed beside the first.
inline constexpr PlaceOptionNames PartnerOptionNames{"--partner-place", "--partner-lat", "--partner-lon",
                                                     "--partner-zone",  "--partner-dst", "--partner-tz",
                                                     "--partner-fold"};
// The day takes no fold: its zone's offset is the one in force at sunrise.
inline constexpr PlaceOptionNames DayOptionNames{"--place", "--lat", "--lon", "--zone", "--dst", "--tz", ""};

// The rows of the place, the coordinates and the zone, in the order of the usage (the fold is a row of its own:
// the commands treat it differently).
template <typename O, MomentInput& (*moment)(O&), MomentSources& (*sources)(O&)>
constexpr auto PlaceAndZoneRows(const PlaceOptionNames& names) {
    using Readers = MomentOptionReaders<O, moment, sources>;
    return std::to_array<Option<O>>({
        {names.place, OptionKind::Value, Readers::Place},
        {names.latitude, OptionKind::Value, Readers::template Typed<ParseLatitude, &MomentSources::latitude>},
        {names.longitude, OptionKind::Value, Readers::template Typed<ParseLongitude, &MomentSources::longitude>},
        {names.zone, OptionKind::Value, Readers::template Typed<ParseZone, &MomentSources::zone>},
        {names.dst, OptionKind::Flag, Readers::template Typed<MarkDst, &MomentSources::dst>},
        {names.zoneId, OptionKind::Value, Readers::ZoneId},
    });
}

// The fold row of a moment whose local time is looked up in its zone.
template <typename O, MomentInput& (*moment)(O&), MomentSources& (*sources)(O&)>
constexpr auto FoldRow(const PlaceOptionNames& names) {
    return std::to_array<Option<O>>({{names.fold, OptionKind::Value, MomentOptionReaders<O, moment, sources>::Fold}});
}

// The rows of a typed moment: its clock option (of kind `clockKind`), place, coordinates, zone and fold.
template <typename O, MomentInput& (*moment)(O&), MomentSources& (*sources)(O&), OptionKind clockKind>
constexpr auto TypedMomentRows(std::string_view clock, const PlaceOptionNames& names) {
    return JoinRows(
        std::to_array<Option<O>>({{clock, clockKind, MomentOptionReaders<O, moment, sources>::Clock}}),
        PlaceAndZoneRows<O, moment, sources>(names), FoldRow<O, moment, sources>(names));
}

}  // namespace kalvora

namespace kalvora::birth_options {

template <typename O>
MomentInput& MomentOf(O& o) { return o.BirthMoment(); }
template <typename O>
MomentSources& SourcesOf(O& o) { return o.birthSources; }

// The rows in the order of the usage; --birth is of kind `clockKind` (Value where --person may stand in for it).
template <typename O, OptionKind clockKind = OptionKind::Required>
constexpr auto Rows() {
    return TypedMomentRows<O, MomentOf<O>, SourcesOf<O>, clockKind>("--birth", BirthOptionNames);
}

}  // namespace kalvora::birth_options
