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

namespace kalvora {

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

}  // namespace kalvora

namespace kalvora::birth_options {

template <typename O>
MomentInput& MomentOf(O& o) { return o.BirthMoment(); }
template <typename O>
MomentSources& SourcesOf(O& o) { return o.birthSources; }
template <typename O>
using Readers = MomentOptionReaders<O, MomentOf<O>, SourcesOf<O>>;

// The rows in the order of the usage; --birth is of kind `clockKind` (Value where --person may stand in for it).
template <typename O, OptionKind clockKind = OptionKind::Required>
constexpr auto Rows() {
    return std::to_array<Option<O>>({
        {"--birth", clockKind, Readers<O>::Clock},
        {"--birth-place", OptionKind::Value, Readers<O>::Place},
        {"--birth-lat", OptionKind::Value, Readers<O>::template Typed<ParseLatitude, &MomentSources::latitude>},
        {"--birth-lon", OptionKind::Value, Readers<O>::template Typed<ParseLongitude, &MomentSources::longitude>},
        {"--birth-zone", OptionKind::Value, Readers<O>::template Typed<ParseZone, &MomentSources::zone>},
        {"--birth-dst", OptionKind::Flag, Readers<O>::template Typed<MarkDst, &MomentSources::dst>},
        {"--birth-tz", OptionKind::Value, Readers<O>::ZoneId},
        {"--birth-fold", OptionKind::Value, Readers<O>::Fold},
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
