#include "app/gui/shell/preferences.h"

#include <string>
#include <type_traits>

#include <QDir>
#include <QSettings>

#include "app/gui/pages/recent_places.h"
#include "app/gui/shell/shell.h"
#include "app/gui/shell/theme.h"
#include "store/people_store.h"

namespace kalvora {

namespace {

// The words of the page's start in the file.
constexpr char NextHourWord[] = "next-hour";
constexpr char FirstDayWord[] = "1901";

QSettings PreferencesFile() {
    return QSettings(QDir(QString::fromStdString(PeopleFolder())).filePath(QStringLiteral("preferences.ini")),
                     QSettings::IniFormat);
}

// The index of the word in `words`, none for a word of no choice.
std::optional<std::size_t> IndexOf(const std::string& word, std::span<const ConventionWord> words) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (words[i].word == word) return i;
    }
    return std::nullopt;
}

template <auto Member>
std::size_t Chosen(const Conventions& conventions) {
    return static_cast<std::size_t>(conventions.*Member);
}

template <auto Member>
void Choose(Conventions& conventions, std::size_t index) {
    using Choice = std::remove_cvref_t<decltype(conventions.*Member)>;
    conventions.*Member = static_cast<Choice>(index);
}

}  // namespace

const std::array<ConventionPreference, 5> ConventionPreferences = {{
    {"conventions/ayanamsa", "cboPrefAyanamsa", "&Ayanamsa:",
     "The ayanamsa of every sidereal position: the Moon's rashi and nakshatra, the yoga, the lagna, the planets and "
     "the months of the season",
     AyanamsaWords, Chosen<&Conventions::ayanamsa>, Choose<&Conventions::ayanamsa>},
    {"conventions/weekday", "cboPrefWeekday", "&Weekday:",
     "The weekday the rules read: the civil date's, or the almanac's from sunrise to sunrise (05:00 before sunrise on "
     "a Tuesday is still Monday)",
     WeekdayWords, Chosen<&Conventions::weekday>, Choose<&Conventions::weekday>},
    {"conventions/lunarMonth", "cboPrefLunarMonth", "Lunar &month:",
     "The lunar month the \"Hindu Lunar Month\" factor reads: the table of change-over days, or the true month of the "
     "season (never Favourable in a leap month)",
     LunarMonthWords, Chosen<&Conventions::lunarMonth>, Choose<&Conventions::lunarMonth>},
    {"conventions/sunrise", "cboPrefSunrise", "&Sunrise:",
     "The sunrise of the Day tab and the month, the periods the finder avoids and the weekday from sunrise",
     SunriseWords, Chosen<&Conventions::sunrise>, Choose<&Conventions::sunrise>},
    {"conventions/ephemeris", "cboPrefEphemeris", "&Ephemeris:",
     "The ephemeris of the Sun, the Moon, the ascendant and the ayanamsa: the program's closed-form series, or the "
     "Swiss Ephemeris, whose nakshatra ends agree with the almanacs that use the full ephemeris",
     EphemerisWords, Chosen<&Conventions::ephemeris>, Choose<&Conventions::ephemeris>},
}};

Preferences LoadPreferences() {
    QSettings settings = PreferencesFile();
    Preferences preferences;
    for (const ConventionPreference& convention : ConventionPreferences) {
        const std::string word = settings.value(QString::fromLatin1(convention.key)).toString().toStdString();
        if (const std::optional<std::size_t> index = IndexOf(word, convention.words)) {
            convention.choose(preferences.conventions, *index);
        }
    }
    settings.beginGroup(QStringLiteral("homePlace"));
    preferences.homePlace = ReadPlace(settings);
    settings.endGroup();
    const QString start = settings.value(QStringLiteral("newPage/start")).toString();
    preferences.pageStart = start == QLatin1String(FirstDayWord) ? PageStart::FirstDay : PageStart::NextHour;
    preferences.applyVetoes = settings.value(QStringLiteral("finder/applyVetoes"), true).toBool();
    return preferences;
}

void SavePreferences(const Preferences& preferences) {
    QSettings settings = PreferencesFile();
    for (const ConventionPreference& convention : ConventionPreferences) {
        settings.setValue(QString::fromLatin1(convention.key),
                          FromView(convention.words[convention.chosen(preferences.conventions)].word));
    }
    settings.remove(QStringLiteral("homePlace"));
    if (preferences.homePlace) {
        settings.beginGroup(QStringLiteral("homePlace"));
        WritePlace(settings, *preferences.homePlace);
        settings.endGroup();
    }
    settings.setValue(QStringLiteral("newPage/start"), QString::fromLatin1(preferences.pageStart == PageStart::FirstDay
                                                                                ? FirstDayWord
                                                                                : NextHourWord));
    settings.setValue(QStringLiteral("finder/applyVetoes"), preferences.applyVetoes);
}

LocalDateTime PageStartAt(PageStart start, const QDateTime& now) {
    if (start == PageStart::FirstDay) return {};
    // Counted on the clock's face, so that a change of the clocks in the night does not move the page's hour.
    const int hour = now.time().hour() + 1;
    const QDate date = hour == 24 ? now.date().addDays(1) : now.date();
    if (date.year() < FirstYear || date.year() > LastYear) return {};
    return {date.year(), date.month(), date.day(), hour % 24, 0, 0};
}

QString TitleWithConventions(const Conventions& conventions) {
    const Conventions defaults;
    QStringList differing;
    if (conventions.ayanamsa != defaults.ayanamsa) {
        differing << FromView(WordOf(conventions.ayanamsa, AyanamsaWords).name) + QStringLiteral(" ayanamsa");
    }
    if (conventions.weekday != defaults.weekday) differing << FromView(WordOf(conventions.weekday, WeekdayWords).name);
    if (conventions.lunarMonth != defaults.lunarMonth) {
        differing << FromView(WordOf(conventions.lunarMonth, LunarMonthWords).name);
    }
    if (conventions.sunrise != defaults.sunrise) differing << FromView(WordOf(conventions.sunrise, SunriseWords).name);
    if (conventions.ephemeris != defaults.ephemeris) {
        differing << FromView(WordOf(conventions.ephemeris, EphemerisWords).name);
    }
    const QString title = QString::fromLatin1(AppTitle);
    return differing.isEmpty() ? title : title + QStringLiteral(" - ") + differing.join(QStringLiteral(", "));
}

}  // namespace kalvora
