#pragma once
// The fields of one moment as an input page shows them: date, weekday, time, latitude, longitude, place and time
// zone. The muhurtha page and the birth page each build one, under their own control names; the birth page adds
// the native's name and sex at the top.

#include <QString>
#include <QWidget>

#include "driver/panels.h"
#include "astro/moment.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kalvora {

class ClickableLabel;

// Control names and captions of one page.
struct MomentFormNames {
    const char* frameCaption;
    const char* dateCaption;
    const char* weekdayCaption;
    const char* timeCaption;
    const char* month;
    const char* day;
    const char* year;
    const char* weekday;
    const char* hour;
    const char* minute;
    const char* second;
    const char* degreeLat;
    const char* minuteLat;
    const char* optLat;  // "North" is <name>0, "South" <name>1
    const char* degreeLong;
    const char* minuteLong;
    const char* optLong;  // "East" is <name>0, "West" <name>1
    const char* city;
    const char* state;
    const char* country;
    const char* search;
    const char* zoneHour;
    const char* zoneMinute;
    const char* dst;
    const char* tzHelp;
    bool withNative;  // Name and Sex rows (txtBirthName, optSex0/1)
};

extern const MomentFormNames MuhurthaFormNames;
extern const MomentFormNames BirthFormNames;

class MomentForm : public QWidget {
    Q_OBJECT
public:
    MomentForm(const MomentFormNames& names, QWidget* parent = nullptr);

    // The moment as typed: list positions and box values, the zone labels' magnitudes and the zone's side
    // (east when a zone caption is negative).
    MomentInput ReadMoment() const;

    // City, state and country as typed, each trimmed.
    PlaceText Place() const;

    // Writes a zone as the picker gives it (west-positive hour and minute values).
    void SetZone(int hourValue, int minuteValue);

    // Sets the weekday box to the weekday of the date in the date boxes (left alone for an impossible date).
    void FollowDate();

    // Puts a date (month 1..12) and a time of day with 0 seconds into the boxes; the weekday follows the date.
    void SetDateAndTime(int yearValue, int monthValue, int dayValue, int hourValue, int minuteValue);

    // Native rows (birth page only; null on the muhurtha page).
    QLineEdit* name = nullptr;
    QRadioButton* male = nullptr;
    QRadioButton* female = nullptr;

    QComboBox* month;
    QComboBox* day;
    QComboBox* year;
    QComboBox* weekday;
    QComboBox* hour;
    QComboBox* minute;
    QComboBox* second;
    QLineEdit* degreeLat;
    QLineEdit* minuteLat;
    QRadioButton* north;
    QRadioButton* south;
    QLineEdit* degreeLong;
    QLineEdit* minuteLong;
    QRadioButton* east;
    QRadioButton* west;
    QLineEdit* city;
    QLineEdit* state;
    QLineEdit* country;
    QPushButton* search;
    QLabel* zoneHour;
    QLabel* zoneMinute;
    QCheckBox* dst;
    ClickableLabel* tzHelp;

Q_SIGNALS:
    void coordinateRefused(QLineEdit* box);
    void searchRequested();
    void zoneHelpRequested();

private:
    QWidget* BuildDetailsFrame(const MomentFormNames& names);
    QWidget* BuildZoneFrame(const MomentFormNames& names);
};

}  // namespace kalvora
