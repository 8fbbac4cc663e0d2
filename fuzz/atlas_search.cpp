// Fuzz target: the atlas search by text, as `kalvora-cli places QUERY` and every --*-place option use it. The input
// is the query. The atlas is loaded once for the whole run.
//
// What is checked: the matches are places of the atlas, each once, at most as many as asked for, best first (exact
// names, then prefixes, then word prefixes, each by population); the best match alone is the first of the list;
// a query that matches nothing gets its nearest names, each a place of the atlas, each name once; and folding a
// folded text changes nothing more.

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "atlas/atlas.h"
#include "fuzz/fuzz_support.h"

namespace kalvora {
namespace {

// As many as `places --top` lists unless told.
constexpr std::size_t ListedMatches = 10;

const Atlas& LoadedAtlas() {
    static const Atlas atlas = LoadAtlas();
    return atlas;
}

void CheckMatches(const Atlas& atlas, const std::vector<PlaceMatch>& matches, std::size_t most) {
    fuzz::Check(matches.size() <= most, "more matches than asked for");
    std::set<std::size_t> seen;
    for (std::size_t i = 0; i < matches.size(); ++i) {
        const PlaceMatch& m = matches[i];
        fuzz::Check(m.index < atlas.size(), "a match beyond the atlas");
        fuzz::Check(seen.insert(m.index).second, "a place matched twice");
        if (i == 0) continue;
        const PlaceMatch& before = matches[i - 1];
        fuzz::Check(before.match <= m.match, "a weaker match listed before a stronger one");
        // In one kind of match the places' own and former names come before names in other languages.
        const bool beforeOther = !before.otherName.empty(), other = !m.otherName.empty();
        fuzz::Check(before.match != m.match || !beforeOther || other,
                    "a name in another language listed before a place's own name of the same match");
        fuzz::Check(before.match != m.match || beforeOther != other ||
                        atlas.places()[before.index].population >= atlas.places()[m.index].population,
                    "a smaller place listed before a larger one of the same match");
    }
}

}  // namespace
}  // namespace kalvora

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kalvora;
    const Atlas& atlas = LoadedAtlas();
    const std::string_view query(reinterpret_cast<const char*>(data), size);

    const std::vector<PlaceMatch> listed = SearchPlaces(atlas, query, ListedMatches);
    CheckMatches(atlas, listed, ListedMatches);
    const std::vector<PlaceMatch> best = SearchPlaces(atlas, query, 1);
    CheckMatches(atlas, best, 1);
    fuzz::Check(best.empty() == listed.empty() && (best.empty() || best.front() == listed.front()),
                "the best match is not the first of the list");

    if (listed.empty()) {
        const std::vector<std::size_t> nearest = NearestNames(atlas, query, 3);
        fuzz::Check(nearest.size() <= 3, "more nearest names than asked for");
        std::set<std::string> names;
        for (const std::size_t index : nearest) {
            fuzz::Check(index < atlas.size(), "a nearest name beyond the atlas");
            fuzz::Check(names.insert(atlas.keys()[index].name).second, "a nearest name given twice");
        }
    }

    const std::string folded = FoldForSearch(query);
    fuzz::Check(FoldForSearch(folded) == folded, "folding a folded query changed it: '" + folded + "'");
    return 0;
}
