#pragma once
// The user's preferences of the desktop program: the tradition's conventions, the home place, how a new muhurtha
// page starts and whether the finder applies the undertaking's vetoes. They are kept in "preferences.ini" beside
// the people file (KALVORA_DATA_DIR keeps a portable set together); the command line never reads them.

#include <array>
#include <cstddef>
#include <optional>
#include <span>

#include <QDateTime>
#include <QString>

#include "astro/conventions.h"
#include "astro/local_time.h"
#include "atlas/atlas.h"

namespace kalvora {

// How a new muhurtha page starts.
enum class PageStart {
    NextHour,  // today at the next whole hour, at the home place when one is set
    FirstDay,  // 1 January 1901 at 00:00 with no place, the first moment the program computes
};

struct Preferences {
    Conventions conventions;          // the defaults are the program's own
    std::optional<Place> homePlace;   // none by default
    PageStart pageStart = PageStart::NextHour;
    bool applyVetoes = true;          // the finder starts with the undertaking's vetoes ticked
};

// One convention as the preferences keep and show it: its key in the file, its chooser in the dialog, and its choice
// as the index of its word.
struct ConventionPreference {
    const char* key;    // "conventions/ayanamsa"
    const char* box;    // the dialog's chooser, "cboPrefAyanamsa"
    const char* label;  // its label, with its shortcut: "&Ayanamsa:"
    const char* tip;
    std::span<const ConventionWord> words;
    std::size_t (*chosen)(const Conventions& conventions);
    void (*choose)(Conventions& conventions, std::size_t index);
};

// The conventions in the order the dialog shows them.
extern const std::array<ConventionPreference, 5> ConventionPreferences;

// The saved preferences; a missing file, key or an unknown word reads as the default.
Preferences LoadPreferences();
void SavePreferences(const Preferences& preferences);

// The date and time a new muhurtha page starts at when it is read at `now` (the clock's local time): the next
// whole hour after it (10:20 -> 11:00, 10:00 -> 11:00, 23:40 -> 00:00 of the next day), or 1 January 1901 00:00
// for PageStart::FirstDay and for a next hour outside the years the program computes.
LocalDateTime PageStartAt(PageStart start, const QDateTime& now);

// "Kalvora v1.75 - Raman ayanamsa": the window's title, naming the conventions in force that are not the
// program's defaults; with the defaults exactly the program's title.
QString TitleWithConventions(const Conventions& conventions);

}  // namespace kalvora
