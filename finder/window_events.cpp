#include "finder/window_events.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "astro/local_time.h"

namespace kalvora {
namespace {

std::string RatingText(Rating rating) {
    return std::string(rating == Rating::NotRated ? std::string_view("Not rated") : RatingWord(rating));
}

// The people of a window in the order given: everyone searched, or the one person.
std::vector<std::string> PeopleNames(const FinderQuery& query, const FoundWindow& window) {
    std::vector<std::string> names;
    if (window.people) {
        for (const WindowPerson& p : window.people->people) names.push_back(p.name);
    } else if (!query.input.personName.empty()) {
        names.push_back(query.input.personName);
    }
    return names;
}

std::string Uid(const std::string& subject, std::int64_t startUtc, const std::vector<std::string>& names) {
    std::vector<std::string> parts = {subject, std::to_string(startUtc)};
    parts.insert(parts.end(), names.begin(), names.end());
    return StableUid(parts);
}

std::string Summary(const FinderQuery& query, const FoundWindow& window, const std::vector<std::string>& names) {
    std::string summary = query.input.subject + ": " + RatingText(RankedRating(window));
    if (names.empty()) return summary;
    summary += " (";
    for (std::size_t i = 0; i < names.size(); ++i) summary += (i == 0 ? "" : ", ") + names[i];
    return summary + ")";
}

std::string Description(const FinderQuery& query, const FoundWindow& w) {
    std::string text = DateText(w.date) + " " + ClockText(w.firstMinute) + "-" + ClockText(w.lastMinute) +
                       " local time (UTC" + OffsetText(w.offsetSeconds) + ")\n";
    if (w.pieces > 1) {
        text += std::to_string(w.pieces) + " windows joined; best " + ClockText(w.bestFirstMinute) + "-" +
                ClockText(w.bestLastMinute) + "\n";
    }
    text += "Weekday: " + std::string(w.names.weekday) + "\nNakshatra: " + std::string(w.names.nakshatra) +
            "\nRashi: " + std::string(w.names.rashi) + "\nLagna: " + std::string(w.names.lagna) +
            "\nTithi: " + std::string(w.names.tithi) + "\nYoga: " + std::string(w.names.yoga) +
            "\nKarana: " + std::string(w.names.karana) + "\n";
    if (w.people) {
        for (const WindowPerson& p : w.people->people) {
            text += p.name + ": " + RatingText(p.rating) + " (count " + std::to_string(p.count) + ", score " +
                    std::to_string(p.totalScore) + ")\n";
        }
        text += "Combined: " + WindowPeopleText(*w.people);
        if (!w.people->combined.reason.empty()) text += "\n" + w.people->combined.reason;
    } else {
        const std::string& name = query.input.personName;
        text += (name.empty() ? std::string("Rating") : name) + ": " + RatingText(w.rating) + " (count " +
                std::to_string(w.count) + " of " + std::to_string(w.threshold) + ", score " +
                std::to_string(w.totalScore) + ")";
    }
    return text;
}

}  // namespace

std::vector<CalendarEvent> WindowEvents(const FinderQuery& query, const std::vector<FoundWindow>& windows) {
    std::vector<CalendarEvent> events;
    events.reserve(windows.size());
    for (const FoundWindow& w : windows) {
        const std::vector<std::string> names = PeopleNames(query, w);
        CalendarEvent event;
        event.startUtc = UtcSeconds(w.date, w.firstMinute, w.offsetSeconds);
        event.endUtc = UtcSeconds(w.date, w.lastMinute + 1, w.offsetSeconds);
        event.uid = Uid(query.input.subject, event.startUtc, names);
        event.summary = Summary(query, w, names);
        event.description = Description(query, w);
        events.push_back(std::move(event));
    }
    return events;
}

}  // namespace kalvora
