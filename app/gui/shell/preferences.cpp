#include "app/gui/shell/preferences.h"

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

template <typename Choice, std::size_t N>
Choice ReadChoice(const QSettings& settings, const QString& key, Choice fallback,
                  const std::array<ConventionWord, N>& words) {
    const std::string word = settings.value(key).toString().toStdString();
    return ChoiceOf<Choice>(word, words).value_or(fallback);
}

}  // namespace

Preferences LoadPreferences() {
    QSettings settings = PreferencesFile();
    Preferences preferences;
    preferences.conventions.ayanamsa = ReadChoice(settings, QStringLiteral("conventions/ayanamsa"),
                                                  preferences.conventions.ayanamsa, AyanamsaWords);
    preferences.conventions.lunarMonth = ReadChoice(settings, QStringLiteral("conventions/lunarMonth"),
                                                    preferences.conventions.lunarMonth, LunarMonthWords);
    preferences.conventions.weekday = ReadChoice(settings, QStringLiteral("conventions/weekday"),
                                                 preferences.conventions.weekday, WeekdayWords);
    preferences.conventions.sunrise = ReadChoice(settings, QStringLiteral("conventions/sunrise"),
                                                 preferences.conventions.sunrise, SunriseWords);
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
    settings.setValue(QStringLiteral("conventions/ayanamsa"),
                      FromView(WordOf(preferences.conventions.ayanamsa, AyanamsaWords).word));
    settings.setValue(QStringLiteral("conventions/lunarMonth"),
                      FromView(WordOf(preferences.conventions.lunarMonth, LunarMonthWords).word));
    settings.setValue(QStringLiteral("conventions/weekday"),
                      FromView(WordOf(preferences.conventions.weekday, WeekdayWords).word));
    settings.setValue(QStringLiteral("conventions/sunrise"),
                      FromView(WordOf(preferences.conventions.sunrise, SunriseWords).word));
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
