#include "app/gui/pages/recent_places.h"

#include <QDir>
#include <QSettings>

#include "app/gui/shell/theme.h"
#include "store/people_store.h"

namespace kalvora {

namespace {

// How many places the muhurtha page remembers.
constexpr qsizetype RememberedPlaces = 8;

QSettings RecentPlacesFile() {
    return QSettings(QDir(QString::fromStdString(PeopleFolder())).filePath(QStringLiteral("recent-places.ini")),
                     QSettings::IniFormat);
}

}  // namespace

std::vector<Place> LoadRecentPlaces() {
    QSettings settings = RecentPlacesFile();
    std::vector<Place> places;
    const int count = settings.beginReadArray(QStringLiteral("places"));
    for (int i = 0; i < count && i < RememberedPlaces; ++i) {
        settings.setArrayIndex(i);
        if (std::optional<Place> place = ReadPlace(settings)) places.push_back(std::move(*place));
    }
    settings.endArray();
    return places;
}

void SaveRecentPlaces(const std::vector<Place>& places) {
    QSettings settings = RecentPlacesFile();
    settings.remove(QStringLiteral("places"));
    settings.beginWriteArray(QStringLiteral("places"), static_cast<int>(places.size()));
    for (std::size_t i = 0; i < places.size(); ++i) {
        settings.setArrayIndex(static_cast<int>(i));
        WritePlace(settings, places[i]);
    }
    settings.endArray();
}

void PutFirst(std::vector<Place>& places, const Place& place) {
    std::erase_if(places, [&](const Place& p) {
        return p.name == place.name && p.state == place.state && p.country == place.country &&
               p.timeZone == place.timeZone;
    });
    places.insert(places.begin(), place);
    if (places.size() > static_cast<std::size_t>(RememberedPlaces)) places.resize(RememberedPlaces);
}

QString PlaceLine(const Place& place, std::string_view formerName) {
    QString text = FromView(place.name);
    if (!formerName.empty()) text += QStringLiteral(" (") + FromView(formerName) + QLatin1Char(')');
    for (const std::string* part : {&place.state, &place.country}) {
        if (!part->empty()) text += QStringLiteral(", ") + FromView(*part);
    }
    return text + QStringLiteral(" \u00B7 ") + FromView(place.timeZone);
}

std::optional<Place> ReadPlace(const QSettings& settings) {
    Place place;
    place.name = settings.value(QStringLiteral("name")).toString().toStdString();
    place.state = settings.value(QStringLiteral("state")).toString().toStdString();
    place.country = settings.value(QStringLiteral("country")).toString().toStdString();
    place.countryCode = settings.value(QStringLiteral("countryCode")).toString().toStdString();
    place.timeZone = settings.value(QStringLiteral("timeZone")).toString().toStdString();
    place.latitudeDeg = settings.value(QStringLiteral("latitude")).toDouble();
    place.longitudeDeg = settings.value(QStringLiteral("longitude")).toDouble();
    if (place.name.empty() || place.timeZone.empty()) return std::nullopt;
    return place;
}

void WritePlace(QSettings& settings, const Place& place) {
    settings.setValue(QStringLiteral("name"), QString::fromStdString(place.name));
    settings.setValue(QStringLiteral("state"), QString::fromStdString(place.state));
    settings.setValue(QStringLiteral("country"), QString::fromStdString(place.country));
    settings.setValue(QStringLiteral("countryCode"), QString::fromStdString(place.countryCode));
    settings.setValue(QStringLiteral("timeZone"), QString::fromStdString(place.timeZone));
    settings.setValue(QStringLiteral("latitude"), place.latitudeDeg);
    settings.setValue(QStringLiteral("longitude"), place.longitudeDeg);
}

}  // namespace kalvora
