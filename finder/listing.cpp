// The finder's listing: the windows of a search ranked best first, merged where consecutive windows share a
// rating, and cut to the top of an order.

#include <algorithm>
#include <tuple>

#include "finder/finder.h"

namespace kalvora {

bool RanksBefore(const FoundWindow& a, const FoundWindow& b) {
    // RatingRank puts Good above Average above Bad above not rated.
    const auto key = [](const FoundWindow& w) {
        const int count = w.people ? w.people->count : w.count;
        const int totalScore = w.people ? w.people->totalScore : w.totalScore;
        return std::make_tuple(-RatingRank(RankedRating(w)), -count, -totalScore, w.date, w.firstMinute);
    };
    return key(a) < key(b);
}

void RankWindows(std::vector<FoundWindow>& windows) { std::stable_sort(windows.begin(), windows.end(), RanksBefore); }

std::vector<FoundWindow> MergeAdjacentWindows(const std::vector<FoundWindow>& timeOrdered) {
    std::vector<FoundWindow> merged;
    for (const FoundWindow& w : timeOrdered) {
        if (!merged.empty()) {
            FoundWindow& last = merged.back();
            if (last.date == w.date && last.lastMinute + 1 == w.firstMinute && last.offsetSeconds == w.offsetSeconds &&
                RankedRating(last) == RankedRating(w)) {
                const int first = last.firstMinute;
                const int pieces = last.pieces + w.pieces;
                if (RanksBefore(w, last)) last = w;  // the best piece's fields
                last.firstMinute = first;
                last.lastMinute = w.lastMinute;
                last.pieces = pieces;
                continue;
            }
        }
        merged.push_back(w);
    }
    return merged;
}

std::vector<FoundWindow> ListWindows(const std::vector<FoundWindow>& timeOrdered, const WindowListing& listing) {
    std::vector<FoundWindow> list = listing.mergeEqualRatings ? MergeAdjacentWindows(timeOrdered) : timeOrdered;
    if (listing.order == WindowOrder::Rank) RankWindows(list);
    if (listing.top > 0 && list.size() > listing.top) list.resize(listing.top);
    return list;
}

namespace {

std::string RatingText(Rating rating) {
    return std::string(rating == Rating::NotRated ? std::string_view("not rated") : RatingWord(rating));
}

}  // namespace

std::string WindowPeopleText(const WindowPeople& people) {
    std::string text = RatingText(people.combined.rating) + ":";
    std::string badBalas;
    for (std::size_t i = 0; i < people.people.size(); ++i) {
        const WindowPerson& p = people.people[i];
        text += (i == 0 ? " " : ", ") + p.name + " " + RatingText(p.rating);
        if (p.bala && p.bala->verdict == BalaVerdict::Bad) {
            badBalas += badBalas.empty() ? "; " : ", ";
            badBalas += std::string(TableOf(p.bala->bala).name) + " bad for " + p.name;
        }
    }
    return text + badBalas;
}

}  // namespace kalvora
