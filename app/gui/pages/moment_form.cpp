// The moment form in parts: this file holds the control names, the wiring and the moment read from the boxes;
// moment_form_build.cpp builds the frames, moment_form_place.cpp the place boxes and the atlas's offers,
// moment_form_zone.cpp the zone and moment_form_person.cpp the person saved from and shown on the birth page.

#include "app/gui/pages/moment_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/gui/pages/coordinate_box.h"
#include "app/gui/shell/clickable_label.h"

namespace kalvora {

const MomentFormNames MuhurthaFormNames = {
    .frameCaption = "Enter Chosen Muhurtha / Election Details",
    .dateCaption = "Date",
    .weekdayCaption = "Weekday",
    .timeCaption = "Time",
    .month = "cboMuhurthaMonth",
    .day = "cboMuhurthaDate",
    .year = "cboMuhurthaYear",
    .weekday = "cboMuhurthaWeekday",
    .hour = "cboHourFrom",
    .minute = "cboMinuteFrom",
    .second = "cboSecondFrom",
    .degreeLat = "txtDegreeLat",
    .minuteLat = "txtMinuteLat",
    .optLat = "optLat_Muhurtha",
    .degreeLong = "txtDegreeLong",
    .minuteLong = "txtMinuteLong",
    .optLong = "optLong_Muhurtha",
    .city = "txtCity",
    .state = "txtState",
    .country = "txtCountry",
    .search = "cmdSearch0",
    .zoneHour = "lblZoneHour_Muhurtha",
    .zoneMinute = "lblZoneMinute_Muhurtha",
    .dst = "chkDST_Muhurtha",
    .tzHelp = "lblTZHelp_Muhurtha",
    .zoneLine = "lblZoneLine_Muhurtha",
    .zoneNote = "lblZoneNote_Muhurtha",
    .places = "cmpPlaces_Muhurtha",
    .withNative = false,
};

const MomentFormNames BirthFormNames = {
    .frameCaption = "Enter Birth Details of Native",
    .dateCaption = "Birth Date",
    .weekdayCaption = "Birth Day",
    .timeCaption = "Birth Time",
    .month = "cboMonth",
    .day = "cboDate",
    .year = "cboYear",
    .weekday = "cboWeekday",
    .hour = "cboBirthHour",
    .minute = "cboBirthMinute",
    .second = "cboBirthSecond",
    .degreeLat = "txtBirthDegreeLat",
    .minuteLat = "txtBirthMinuteLat",
    .optLat = "optLat_Birth",
    .degreeLong = "txtBirthDegreeLong",
    .minuteLong = "txtBirthMinuteLong",
    .optLong = "optLong_Birth",
    .city = "txtBirthCity",
    .state = "txtBirthState",
    .country = "txtBirthCountry",
    .search = "cmdSearch1",
    .zoneHour = "lblZoneHour_Birth",
    .zoneMinute = "lblZoneMinute_Birth",
    .dst = "chkDST_Birth",
    .tzHelp = "lblTZHelp_Birth",
    .zoneLine = "lblZoneLine_Birth",
    .zoneNote = "lblZoneNote_Birth",
    .places = "cmpPlaces_Birth",
    .withNative = true,
};

namespace {

std::int16_t ValueOf(const QString& text) { return static_cast<std::int16_t>(text.trimmed().toInt()); }

}  // namespace

MomentForm::MomentForm(const MomentFormNames& names, AtlasSource* atlas, QWidget* parent)
    : QWidget(parent), atlas_(atlas) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    layout->addWidget(BuildDetailsFrame(names));
    layout->addWidget(BuildZoneFrame(names));
    layout->addStretch(1);  // room to spare goes below the frames, not into them

    for (QComboBox* box : {month, day, year}) {
        connect(box, &QComboBox::currentIndexChanged, this, &MomentForm::FollowDate);
    }
    for (QLineEdit* box : {degreeLat, minuteLat, degreeLong, minuteLong}) {
        connect(CoordinateGuard::Install(box), &CoordinateGuard::refused, this, &MomentForm::coordinateRefused);
    }
    connect(search, &QPushButton::clicked, this, &MomentForm::searchRequested);
    connect(tzHelp, &ClickableLabel::clicked, this, &MomentForm::zoneHelpRequested);

    // The chosen place's zone follows the date and time; a daylight-saving box ticked by hand types the zone.
    for (QComboBox* box : {month, day, year, hour, minute, second}) {
        connect(box, &QComboBox::currentIndexChanged, this, &MomentForm::FollowZone);
    }
    connect(dst, &QCheckBox::toggled, this, [this] {
        if (writingZone_) return;
        DropAtlasZone();
        FollowZone();
    });

    SetUpPlaceOffers(names);
    FollowDate();
    FollowZone();
}

LocalDateTime MomentForm::LocalTime() const {
    return LocalDateTime{year->currentText().toInt(), month->currentIndex() + 1, day->currentText().toInt(),
                         hour->currentText().toInt(),  minute->currentText().toInt(), second->currentText().toInt()};
}

MomentInput MomentForm::ReadMoment() const {
    MomentInput in;
    in.month = static_cast<std::int16_t>(month->currentIndex() + 1);
    in.day = ValueOf(day->currentText());
    in.year = ValueOf(year->currentText());
    in.hour = ValueOf(hour->currentText());
    in.minute = ValueOf(minute->currentText());
    const std::int16_t zoneHourValue = ValueOf(zoneHour->text());
    const std::int16_t zoneMinuteValue = ValueOf(zoneMinute->text());
    in.zone.hours = static_cast<std::int16_t>(std::abs(zoneHourValue));
    in.zone.minutes = static_cast<std::int16_t>(std::abs(zoneMinuteValue));
    in.zone.isEast = zoneHourValue < 0 || zoneMinuteValue < 0;  // the captions are west-positive
    in.place.longitudeDegrees = ValueOf(degreeLong->text());
    in.place.longitudeMinutes = ValueOf(minuteLong->text());
    in.place.latitudeDegrees = ValueOf(degreeLat->text());
    in.place.latitudeMinutes = ValueOf(minuteLat->text());
    in.place.isEast = east->isChecked();
    in.place.isSouth = south->isChecked();
    in.zone.isDst = dst->isChecked();
    if (const auto offset = AtlasOffset()) in.zone = TypedZoneOf(*offset);
    return in;
}

void MomentForm::FollowDate() {
    const QDate date(year->currentText().toInt(), month->currentIndex() + 1, day->currentText().toInt());
    if (!date.isValid()) return;
    weekday->setCurrentIndex(date.dayOfWeek() % 7);  // dayOfWeek: Monday 1 .. Sunday 7
}

void MomentForm::SetDateAndTime(int yearValue, int monthValue, int dayValue, int hourValue, int minuteValue) {
    const auto pick = [](QComboBox* box, int value) { box->setCurrentIndex(box->findText(QString::number(value))); };
    month->setCurrentIndex(monthValue - 1);
    pick(day, dayValue);
    pick(year, yearValue);
    pick(hour, hourValue);
    pick(minute, minuteValue);
    second->setCurrentIndex(0);
}

}  // namespace kalvora
