#pragma once
// The fields of one moment as an input page shows them: date, weekday, time, latitude, longitude, place and time
// zone. The muhurtha page and the birth page each build one, under their own control names; the birth page adds
// the native's name and sex at the top.

#include <cstdint>
#include <optional>
#include <vector>

#include <QString>
#include <QWidget>

#include "astro/moment.h"
#include "atlas/atlas.h"
#include "driver/calculation.h"
#include "driver/panels.h"
#include "store/person.h"
#include "zone/zone.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QCompleter;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStandardItemModel;

namespace kalvora {

class AtlasSource;
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
    const char* zoneLine;  // the zone's name, abbreviation and offset beside the zone boxes
    const char* zoneNote;  // under them: a local time that needs attention, a region that kept its own time
    const char* places;    // the list of places offered while the City box is typed in
    bool withNative;  // Name and Sex rows (txtBirthName, optSex0/1)
};

extern const MomentFormNames MuhurthaFormNames;
extern const MomentFormNames BirthFormNames;

class MomentForm : public QWidget {
    Q_OBJECT
public:
    // atlas: where the City box finds places; none offers no places.
    MomentForm(const MomentFormNames& names, AtlasSource* atlas = nullptr, QWidget* parent = nullptr);

    // The moment as typed: list positions and box values, the zone labels' magnitudes and the zone's side
    // (east when a zone caption is negative). While the zone comes from a chosen place, the zone fields hold
    // that zone's exact offset for the page's date and time, seconds included.
    MomentInput ReadMoment() const;

    // The page's date and time as a clock shows it.
    LocalDateTime LocalTime() const;

    // Fills City, State, Country, the coordinates (to whole minutes of arc) and the zone from a place of the
    // atlas; the zone then follows the page's date and time.
    void ChoosePlace(const kalvora::Place& place);
    // The place last chosen while its zone is in use; none once the zone is typed.
    const std::optional<kalvora::Place>& ChosenPlace() const { return chosenPlace_; }
    // The zone id of the chosen place or zone ("" for a typed zone).
    std::string ZoneId() const;
    // Where the moment's place and zone came from: the chosen place and its zone, or none for typed ones.
    MomentOrigin Origin() const;
    // The page's date and time looked up in the chosen place's zone; none for a typed zone.
    std::optional<LocalTimeInZone> LookUpZone() const;
    // Chooses one of the two offsets of the page's repeated local time; it holds until the date or time changes.
    void ChooseFold(Fold fold);
    // Whether the offset of the page's repeated local time has been chosen.
    bool FoldChosen() const;

    // Whether the City box no longer names the place the coordinates and zone came from ("Bombay" typed over a
    // chosen Chennai); the page then says so under the place boxes.
    bool PlaceIsStale() const;
    // Keeps the coordinates and the zone as they stand under the typed City, on purpose: the place is let go of.
    void KeepCoordinates();

    // City, state and country as typed, each trimmed.
    PlaceText Place() const;

    // Takes a zone of the zone database by id ("Asia/Kathmandu") for the page's place as typed: the zone then
    // follows the page's date and time as a chosen place's zone does, and the typed place and coordinates stay.
    void ChooseZone(const std::string& zoneId);

    // Writes a zone's east-positive hours and minutes (same sign) into the west-positive zone boxes; the zone is
    // then typed, and the chosen place's zone is dropped.
    void SetZone(int eastHours, int eastMinutes);

    // Sets the weekday box to the weekday of the date in the date boxes (left alone for an impossible date).
    void FollowDate();

    // Puts a date (month 1..12) and a time of day with 0 seconds into the boxes; the weekday follows the date.
    void SetDateAndTime(int yearValue, int monthValue, int dayValue, int hourValue, int minuteValue);

    // The birth page as a person to save: name, sex, date and time to the minute, the City, State and Country
    // boxes (none when all three are empty), the coordinates as typed, and the zone as entered: the chosen
    // place's zone id, or the typed offset with the DST box. The note is left empty.
    Person ReadPerson() const;
    // Fills every field of the page from a saved person, so that the page reads back as it was saved: a zone id
    // is taken as a place chosen from the atlas with the saved names and coordinates (the zone line and the
    // offsets follow the date as for a chosen place), a typed offset goes into the zone boxes and the DST box.
    void ShowPerson(const Person& person);

    // The muhurtha page's list of places used recently (most recent first); choosing one chooses the place.
    void OfferRecentPlaces(const std::vector<kalvora::Place>& recent);

    // Native rows (birth page only; null on the muhurtha page).
    QLineEdit* name = nullptr;
    QRadioButton* male = nullptr;
    QRadioButton* female = nullptr;
    QComboBox* people = nullptr;        // the saved people, typed into to filter them
    QPushButton* savePerson = nullptr;  // "Save Person"
    QLabel* peopleLine = nullptr;       // why people cannot be saved, or what was saved last
    QPushButton* setAside = nullptr;    // moves an unreadable people file aside (shown only then)
    // The places used recently (muhurtha page only; null on the birth page).
    QComboBox* recentPlaces = nullptr;

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
    QLabel* zoneLine;
    QLabel* zoneNote;  // hidden when there is nothing to say
    QCompleter* places;
    QLabel* placeCheck;             // under the place boxes: a City that is not the chosen place, or unknown
    QPushButton* keepCoordinates;   // beside it while the City is not the chosen place

Q_SIGNALS:
    void coordinateRefused(QLineEdit* box);
    void searchRequested();
    void zoneHelpRequested();

private:
    struct FormRows;

    // The frames and their rows, built in the order the user tabs through them (moment_form_build.cpp).
    QWidget* BuildDetailsFrame(const MomentFormNames& names);
    void AddNativeRows(FormRows& rows);  // the birth page's person, name and sex
    void AddDateAndTimeRows(FormRows& rows, const MomentFormNames& names);
    void AddCoordinateRows(FormRows& rows, const MomentFormNames& names);
    void AddPlaceRows(FormRows& rows, const MomentFormNames& names);  // City, State, Country and the place check
    void AddRecentPlacesRow(FormRows& rows);                          // the muhurtha page's recent places
    QWidget* BuildZoneFrame(const MomentFormNames& names);

    // The City box's list of the atlas's places and the recent places' list, wired to choose a place.
    void SetUpPlaceOffers(const MomentFormNames& names);
    // Offers the places matching the City box's text in the list under it.
    void OfferPlaces();

    // The offset of the chosen place's zone for the page's date and time (the chosen one of a repeated time);
    // none for a typed zone or a time the clocks jumped over.
    std::optional<ZoneOffset> AtlasOffset() const;
    // Writes the zone boxes and the zone line from the chosen place's zone, or the line of a typed zone.
    void FollowZone();
    // The chosen zone's boxes and line: its name, abbreviation, offset and the period it is in.
    void ShowChosenZone(const LocalDateTime& local, const std::optional<ZoneOffset>& offset);
    // Under the zone boxes: a local time that needs attention, a region that kept its own time.
    void ShowZoneNotes(const LocalDateTime& local, const std::optional<LocalTimeInZone>& found);
    void WriteBoxes(const ZoneBoxes& boxes);
    // Writes signed degrees to the coordinate boxes, to whole minutes of arc.
    void WriteCoordinates(double latitudeDeg, double longitudeDeg);
    void DropAtlasZone();
    // Says under the place boxes whether the City box names the chosen place, or a place the atlas does not know.
    void CheckPlace();

    AtlasSource* atlas_ = nullptr;
    QWidget* placeCheckRow_ = nullptr;          // holds placeCheck and keepCoordinates
    QStandardItemModel* placeRows_ = nullptr;
    std::optional<kalvora::Place> chosenPlace_;
    std::vector<kalvora::Place> recent_;       // the places behind recentPlaces' rows after the first
    std::optional<TimeZone> zone_;              // the chosen place's zone, or the zone chosen by id
    std::string zoneId_;                        // its id as chosen ("" for a typed zone)
    std::optional<Fold> fold_;                  // the offset chosen for a repeated local time ...
    LocalDateTime foldTime_;                    // ... and that local time
    bool writingZone_ = false;                  // the zone boxes are being written from the chosen place's zone
};

}  // namespace kalvora
