// MomentForm's place: the City box's offers from the atlas and the recent places, a place chosen into the boxes,
// and the check that the City still names the place the coordinates came from.

#include "app/gui/pages/moment_form.h"

#include <cmath>

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>

#include "app/gui/pages/atlas_source.h"
#include "app/gui/pages/recent_places.h"
#include "app/gui/shell/theme.h"

namespace kalvora {

namespace {

// The most places the City box offers at once.
constexpr std::size_t OfferedPlaces = 12;

// The item data of an offered place: its index into the atlas.
constexpr int PlaceIndexRole = Qt::UserRole + 1;

// Degrees to whole degrees and minutes of arc, rounded to the nearest minute.
std::pair<int, int> DegreesAndMinutes(double degrees) {
    const long minutes = std::lround(std::fabs(degrees) * 60.0);
    return {static_cast<int>(minutes / 60), static_cast<int>(minutes % 60)};
}

}  // namespace

void MomentForm::SetUpPlaceOffers(const MomentFormNames& names) {
    places = new QCompleter(this);
    places->setObjectName(QString::fromLatin1(names.places));
    placeRows_ = new QStandardItemModel(places);
    places->setModel(placeRows_);
    places->setWidget(city);
    places->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    places->setMaxVisibleItems(10);
    connect(city, &QLineEdit::textEdited, this, &MomentForm::OfferPlaces);
    connect(city, &QLineEdit::textChanged, this, &MomentForm::CheckPlace);
    connect(keepCoordinates, &QPushButton::clicked, this, &MomentForm::KeepCoordinates);
    connect(places, qOverload<const QModelIndex&>(&QCompleter::activated), this, [this](const QModelIndex& index) {
        const Atlas* loaded = atlas_ != nullptr ? atlas_->IfReady() : nullptr;
        const QVariant row = index.data(PlaceIndexRole);
        if (loaded == nullptr || !row.isValid()) return;
        ChoosePlace(loaded->places()[row.toULongLong()]);
    });
    if (atlas_ != nullptr) {
        // Typing began before the atlas was loaded: offer the places now.
        connect(atlas_, &AtlasSource::ready, this, [this] {
            if (city->hasFocus() && !city->text().trimmed().isEmpty()) OfferPlaces();
            CheckPlace();
        });
    }
    if (recentPlaces != nullptr) {
        OfferRecentPlaces({});
        connect(recentPlaces, &QComboBox::activated, this, [this](int index) {
            if (index >= 1 && static_cast<std::size_t>(index) <= recent_.size()) {
                ChoosePlace(recent_[static_cast<std::size_t>(index - 1)]);
            }
            recentPlaces->setCurrentIndex(0);
        });
    }
}

void MomentForm::OfferPlaces() {
    QWidget* popup = places->popup();
    const QString query = city->text().trimmed();
    const Atlas* loaded = atlas_ != nullptr ? atlas_->IfReady() : nullptr;
    if (loaded == nullptr || query.isEmpty()) {
        popup->hide();
        return;
    }
    placeRows_->clear();
    for (const PlaceMatch& match : SearchPlaces(*loaded, query.toStdString(), OfferedPlaces)) {
        auto* row = new QStandardItem(PlaceLine(loaded->places()[match.index], match.formerName));
        row->setData(QVariant::fromValue<qulonglong>(match.index), PlaceIndexRole);
        row->setEditable(false);
        placeRows_->appendRow(row);
    }
    if (placeRows_->rowCount() == 0) {
        popup->hide();
        return;
    }
    popup->setMinimumWidth(std::max(city->width(), 420));
    places->complete();
}

void MomentForm::OfferRecentPlaces(const std::vector<kalvora::Place>& recent) {
    if (recentPlaces == nullptr) return;
    recent_ = recent;
    recentPlaces->clear();
    recentPlaces->addItem(QStringLiteral("Recent places"));
    for (const kalvora::Place& place : recent_) recentPlaces->addItem(PlaceLine(place, {}));
    recentPlaces->setEnabled(!recent_.empty());
}

void MomentForm::ChoosePlace(const kalvora::Place& place) {
    city->setText(FromView(place.name));
    state->setText(FromView(place.state));
    country->setText(FromView(place.country));
    WriteCoordinates(place.latitudeDeg, place.longitudeDeg);
    chosenPlace_ = place;
    zoneId_ = place.timeZone;
    zone_ = OpenTimeZone(place.timeZone);
    fold_.reset();
    FollowZone();
    CheckPlace();
}

void MomentForm::WriteCoordinates(double latitudeDeg, double longitudeDeg) {
    const auto write = [](double value, QLineEdit* degrees, QLineEdit* minutes, QRadioButton* positive,
                          QRadioButton* negative) {
        const auto [whole, rest] = DegreesAndMinutes(value);
        degrees->setText(QString::number(whole));
        minutes->setText(QString::number(rest));
        (value < 0.0 ? negative : positive)->setChecked(true);
    };
    write(latitudeDeg, degreeLat, minuteLat, north, south);
    write(longitudeDeg, degreeLong, minuteLong, east, west);
}

bool MomentForm::PlaceIsStale() const {
    return chosenPlace_ && city->text().trimmed().compare(FromView(chosenPlace_->name), Qt::CaseInsensitive) != 0;
}

void MomentForm::KeepCoordinates() {
    DropAtlasZone();
    FollowZone();
    CheckPlace();
}

void MomentForm::CheckPlace() {
    QString text;
    const QString typed = city->text().trimmed();
    if (PlaceIsStale()) {
        text = QStringLiteral("The coordinates and zone are still those of %1, not of \u201C%2\u201D: pick %2 "
                              "from the list under City, or keep them on purpose.")
                   .arg(FromView(chosenPlace_->name), typed);
    } else if (const Atlas* loaded = atlas_ != nullptr ? atlas_->IfReady() : nullptr;
               !chosenPlace_ && loaded != nullptr && !typed.isEmpty() &&
               SearchPlaces(*loaded, typed.toStdString(), 1).empty()) {
        text = QStringLiteral("The atlas does not know \u201C%1\u201D: type its latitude, longitude and zone.")
                   .arg(typed);
    }
    placeCheck->setText(text);
    placeCheck->setVisible(!text.isEmpty());
    placeCheckRow_->setVisible(!text.isEmpty());
    keepCoordinates->setVisible(PlaceIsStale());
}

PlaceText MomentForm::Place() const {
    return PlaceText{city->text().trimmed().toStdString(), state->text().trimmed().toStdString(),
                     country->text().trimmed().toStdString()};
}

}  // namespace kalvora
