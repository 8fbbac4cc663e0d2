#include "app/gui/pages/moment_form.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <tuple>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QAbstractItemView>
#include <QCompleter>
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QVBoxLayout>

#include "app/gui/pages/atlas_source.h"
#include "app/gui/shell/clickable_label.h"
#include "app/gui/pages/coordinate_box.h"
#include "app/gui/shell/theme.h"
#include "astro/calendar.h"
#include "astro/ephemeris.h"
#include "astro/tables.h"

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

template <typename W>
W* Named(W* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

QComboBox* NumberList(const char* name, int first, int last, int width) {
    auto* box = Named(new QComboBox, QString::fromLatin1(name));
    for (int v = first; v <= last; ++v) box->addItem(QString::number(v));
    box->setCurrentIndex(0);
    box->setFixedWidth(width);
    return box;
}

template <std::size_t N>
QComboBox* TextList(const char* name, const std::array<std::string_view, N>& texts, int width) {
    auto* box = Named(new QComboBox, QString::fromLatin1(name));
    for (const std::string_view text : texts) box->addItem(QString::fromLatin1(text.data(), static_cast<int>(text.size())));
    box->setCurrentIndex(0);
    box->setFixedWidth(width);
    return box;
}

QLineEdit* TextBox(const char* name) { return Named(new QLineEdit, QString::fromLatin1(name)); }

QLabel* Caption(const QString& text, const char* role = "fieldCaption") { return StyledLabel(text, role); }

// A caption with a small unit hint beneath it ("DEG/MIN", "HH/MM/SS").
QWidget* CaptionWithHint(const QString& text, const QString& hint) {
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Caption(text));
    layout->addWidget(Caption(hint, "unitHint"));
    return box;
}

QHBoxLayout* Row(std::initializer_list<QWidget*> widgets, bool stretch = true) {
    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    for (QWidget* w : widgets) row->addWidget(w);
    if (stretch) row->addStretch(1);
    return row;
}

// Two option buttons <name>0 and <name>1 that exclude each other only.
std::pair<QRadioButton*, QRadioButton*> OptionPair(QWidget* owner, const char* name, const char* first,
                                                   const char* second) {
    auto* a = Named(new QRadioButton(QString::fromLatin1(first)), QString::fromLatin1(name) + QLatin1Char('0'));
    auto* b = Named(new QRadioButton(QString::fromLatin1(second)), QString::fromLatin1(name) + QLatin1Char('1'));
    auto* group = new QButtonGroup(owner);
    group->addButton(a, 0);
    group->addButton(b, 1);
    a->setChecked(true);
    return {a, b};
}

// The most places the City box offers at once.
constexpr std::size_t OfferedPlaces = 12;
// The item data of an offered place: its index into the atlas.
constexpr int PlaceIndexRole = Qt::UserRole + 1;

QString Utf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// One offered place: "Mumbai (Bombay), Maharashtra, India  ·  Asia/Kolkata".
QString OfferText(const Place& place, std::string_view formerName) {
    QString text = Utf8(place.name);
    if (!formerName.empty()) text += QStringLiteral(" (") + Utf8(formerName) + QLatin1Char(')');
    for (const std::string* part : {&place.state, &place.country}) {
        if (!part->empty()) text += QStringLiteral(", ") + Utf8(*part);
    }
    return text + QStringLiteral(" \u00B7 ") + Utf8(place.timeZone);
}

// Degrees to whole degrees and minutes of arc, rounded to the nearest minute.
std::pair<int, int> DegreesAndMinutes(double degrees) {
    const long minutes = std::lround(std::fabs(degrees) * 60.0);
    return {static_cast<int>(minutes / 60), static_cast<int>(minutes % 60)};
}

// The offset of a typed zone: the boxes' east-positive value and the daylight-saving hour.
std::int32_t TypedOffsetSeconds(const MomentInput& in) {
    const std::int32_t magnitude = in.zoneHours * 3600 + in.zoneMinutes * 60;
    return (in.zoneIsEast ? magnitude : -magnitude) + (in.isDst ? 3600 : 0);
}

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
    FollowDate();
    FollowZone();
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
        auto* row = new QStandardItem(OfferText(loaded->places()[match.index], match.formerName));
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

LocalDateTime MomentForm::LocalTime() const {
    return LocalDateTime{year->currentText().toInt(), month->currentIndex() + 1, day->currentText().toInt(),
                         hour->currentText().toInt(),  minute->currentText().toInt(), second->currentText().toInt()};
}

void MomentForm::ChoosePlace(const kalvora::Place& place) {
    city->setText(Utf8(place.name));
    state->setText(Utf8(place.state));
    country->setText(Utf8(place.country));
    WriteCoordinates(place.latitudeDeg, place.longitudeDeg);
    chosenPlace_ = place;
    zoneId_ = place.timeZone;
    zone_ = OpenTimeZone(place.timeZone);
    fold_.reset();
    FollowZone();
    CheckPlace();
}

bool MomentForm::PlaceIsStale() const {
    return chosenPlace_ && city->text().trimmed().compare(Utf8(chosenPlace_->name), Qt::CaseInsensitive) != 0;
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
                   .arg(Utf8(chosenPlace_->name), typed);
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

void MomentForm::ChooseZone(const std::string& zoneId) {
    DropAtlasZone();
    zoneId_ = zoneId;
    zone_ = OpenTimeZone(zoneId);
    FollowZone();
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

Person MomentForm::ReadPerson() const {
    Person person;
    if (name != nullptr) {
        person.name = name->text().trimmed().toStdString();
        person.sex = female->isChecked() ? "Female" : "Male";
    }
    const MomentInput in = ReadMoment();
    person.born = {in.year, in.month, in.day, in.hour, in.minute};
    const PlaceText names = Place();
    if (!names.city.empty() || !names.state.empty() || !names.country.empty()) {
        person.place = BirthPlace{names.city, names.state, names.country};
    }
    const auto signedDegrees = [](int degrees, int minutes, bool negative) {
        const double magnitude = degrees + minutes / 60.0;
        return negative ? -magnitude : magnitude;
    };
    person.latitude = signedDegrees(in.latitudeDegrees, in.latitudeMinutes, in.isSouth);
    person.longitude = signedDegrees(in.longitudeDegrees, in.longitudeMinutes, !in.isEast);
    if (const std::string id = ZoneId(); !id.empty()) {
        person.zone.id = id;
    } else {
        // The typed zone without its daylight-saving hour, which the DST box keeps.
        person.zone.offsetSeconds = TypedOffsetSeconds(in) - (in.isDst ? 3600 : 0);
        person.zone.dst = in.isDst;
    }
    return person;
}

void MomentForm::ShowPerson(const Person& person) {
    if (name != nullptr) {
        name->setText(Utf8(person.name));
        (person.sex == "Female" ? female : male)->setChecked(true);
    }
    SetDateAndTime(person.born.year, person.born.month, person.born.day, person.born.hour, person.born.minute);
    const BirthPlace names = person.place.value_or(BirthPlace{});
    if (person.zone.id) {
        kalvora::Place place;
        place.name = names.name;
        place.state = names.state;
        place.country = names.country;
        place.timeZone = *person.zone.id;
        place.latitudeDeg = person.latitude;
        place.longitudeDeg = person.longitude;
        ChoosePlace(place);
        return;
    }
    city->setText(Utf8(names.name));
    state->setText(Utf8(names.state));
    country->setText(Utf8(names.country));
    WriteCoordinates(person.latitude, person.longitude);
    // The boxes are west-positive: an offset east of UT is written as negative hours and minutes.
    const int offset = person.zone.offsetSeconds.value_or(0);
    SetZone(-(offset / 3600), -((offset % 3600) / 60));
    dst->setChecked(person.zone.dst);
    FollowZone();
}

void MomentForm::OfferRecentPlaces(const std::vector<kalvora::Place>& recent) {
    if (recentPlaces == nullptr) return;
    recent_ = recent;
    recentPlaces->clear();
    recentPlaces->addItem(QStringLiteral("Recent places"));
    for (const kalvora::Place& place : recent_) recentPlaces->addItem(OfferText(place, {}));
    recentPlaces->setEnabled(!recent_.empty());
}

std::string MomentForm::ZoneId() const { return zone_ ? zone_->id() : std::string(); }

std::optional<LocalTimeInZone> MomentForm::LookUpZone() const {
    if (!zone_) return std::nullopt;
    return LookUpLocalTime(*zone_, LocalTime());
}

void MomentForm::ChooseFold(Fold fold) {
    fold_ = fold;
    foldTime_ = LocalTime();
    FollowZone();
}

bool MomentForm::FoldChosen() const { return fold_ && foldTime_ == LocalTime(); }

std::optional<ZoneOffset> MomentForm::AtlasOffset() const {
    const auto found = LookUpZone();
    if (!found) return std::nullopt;
    return ChosenOffset(*found, FoldChosen() ? *fold_ : Fold::Earlier);
}

void MomentForm::WriteBoxes(const ZoneBoxes& boxes) {
    writingZone_ = true;
    zoneHour->setText(QString::number(boxes.isEast ? -boxes.hours : boxes.hours));
    zoneMinute->setText(QString::number(boxes.isEast ? -boxes.minutes : boxes.minutes));
    dst->setChecked(boxes.daylight);
    writingZone_ = false;
}

void MomentForm::DropAtlasZone() {
    zone_.reset();
    zoneId_.clear();
    chosenPlace_.reset();
    fold_.reset();
    if (placeCheck != nullptr) CheckPlace();
}

void MomentForm::FollowZone() {
    if (zoneId_.empty()) {
        zoneLine->setText(QStringLiteral("Zone typed by hand \u00B7 UTC") +
                          QString::fromStdString(FormatOffset(TypedOffsetSeconds(ReadMoment()))));
        zoneNote->clear();
        zoneNote->hide();
        return;
    }
    const QString separator = QStringLiteral(" \u00B7 ");
    QString text = Utf8(zoneId_);
    const LocalDateTime local = LocalTime();
    const auto found = LookUpZone();
    const auto offset = AtlasOffset();
    if (!zone_) text += QStringLiteral(": not in this computer's zone database; choose the zone with TZ Help");
    if (offset) {
        WriteBoxes(SplitIntoBoxes(*offset));
        if (!offset->abbreviation.empty()) text += separator + QString::fromStdString(offset->abbreviation);
        text += separator + QStringLiteral("UTC") + QString::fromStdString(FormatOffset(offset->offsetSeconds));
        const std::string_view period = ZonePeriodName(zoneId_, local, *offset);
        if (!period.empty()) text += QLatin1Char(' ') + Utf8(period);
    }
    zoneLine->setText(text);

    QStringList notes;
    // A time that needs the user's attention: the clocks jumped over it, or it occurs twice and no offset is chosen.
    if (found && found->kind != LocalTimeKind::Unique && !(found->kind == LocalTimeKind::Repeated && FoldChosen())) {
        notes << QString::fromStdString(DescribeLocalTime(zoneId_, local, *found));
    }
    // The region is the chosen place's, or for a zone chosen by id the page's coordinates (west-negative).
    const MomentTime typed = ConvertMoment(ReadMoment());
    const std::string_view regionNote =
        chosenPlace_ ? ZoneNoteFor(chosenPlace_->latitudeDeg, chosenPlace_->longitudeDeg, local)
                     : ZoneNoteFor(typed.latitude, -typed.longitude, local);
    if (!regionNote.empty()) notes << Utf8(regionNote);
    zoneNote->setText(notes.join(QLatin1Char('\n')));
    zoneNote->setVisible(!notes.isEmpty());
}

QWidget* MomentForm::BuildDetailsFrame(const MomentFormNames& n) {
    auto* frame = new QGroupBox(QString::fromLatin1(n.frameCaption));
    frame->setObjectName(n.withNative ? QStringLiteral("fraBirthDetails") : QStringLiteral("fraMuhurthaDetails"));
    auto* grid = new QGridLayout(frame);
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(n.withNative ? 5 : 9);  // the birth page has three rows more
    grid->setColumnMinimumWidth(0, 96);
    grid->setColumnStretch(1, 1);
    int row = 0;
    auto addRow = [&](QWidget* caption, QLayout* fields) {
        grid->addWidget(caption, row, 0, Qt::AlignLeft | Qt::AlignVCenter);
        grid->addLayout(fields, row, 1);
        ++row;
    };

    if (n.withNative) {
        people = Named(new QComboBox, QStringLiteral("cboPeople"));
        people->setEditable(true);
        people->setInsertPolicy(QComboBox::NoInsert);
        people->setMaxVisibleItems(12);
        people->lineEdit()->setPlaceholderText(QStringLiteral("Choose a saved person (type to filter)"));
        people->completer()->setFilterMode(Qt::MatchContains);
        people->completer()->setCaseSensitivity(Qt::CaseInsensitive);
        people->completer()->setCompletionMode(QCompleter::PopupCompletion);
        savePerson = Named(new QPushButton(QStringLiteral("&Save Person")), QStringLiteral("cmdSavePerson"));
        savePerson->setToolTip(QStringLiteral("Save this page as a person, or update the person chosen"));
        auto* peopleRow = new QHBoxLayout;
        peopleRow->setSpacing(6);
        peopleRow->addWidget(people, 1);
        peopleRow->addWidget(savePerson);
        addRow(Caption(QStringLiteral("Person")), peopleRow);

        peopleLine = Named(new QLabel, QStringLiteral("lblPeopleLine"));
        peopleLine->setProperty("role", "hint");
        peopleLine->setWordWrap(true);
        peopleLine->hide();
        setAside = Named(new QPushButton(QStringLiteral("Move &Aside and Start New")), QStringLiteral("cmdSetAsidePeople"));
        setAside->setToolTip(QStringLiteral("Keep the unreadable people file under a dated name and start an empty one"));
        setAside->hide();
        name = TextBox("txtBirthName");
        name->setMaxLength(60);
        auto* nameRow = new QHBoxLayout;
        nameRow->addWidget(name);
        addRow(Caption(QStringLiteral("Name")), nameRow);
        std::tie(male, female) = OptionPair(frame, "optSex", "Male", "Female");
        // What was saved last, or why people cannot be saved, beside the sex buttons where the row has room.
        auto* sexRow = Row({male, female}, false);
        sexRow->addSpacing(18);
        sexRow->addWidget(peopleLine, 10);
        sexRow->addWidget(setAside);
        sexRow->addStretch(1);  // keeps the buttons to their size while the line is hidden
        addRow(Caption(QStringLiteral("Sex")), sexRow);
    }

    month = TextList(n.month, MonthNames, 118);
    day = NumberList(n.day, 1, 31, 58);
    year = NumberList(n.year, FirstYear, LastYear, 76);
    // The weekday beside the date it follows, so that the page keeps to the height of a laptop's screen.
    weekday = TextList(n.weekday, WeekdayNames, 118);
    auto* dateRow = Row({month, day, year}, false);
    dateRow->addSpacing(18);
    dateRow->addWidget(Caption(QString::fromLatin1(n.weekdayCaption)));
    dateRow->addWidget(weekday);
    dateRow->addStretch(1);
    addRow(Caption(QString::fromLatin1(n.dateCaption)), dateRow);

    hour = NumberList(n.hour, 0, 23, 58);
    minute = NumberList(n.minute, 0, 59, 58);
    second = NumberList(n.second, 0, 59, 58);
    addRow(CaptionWithHint(QString::fromLatin1(n.timeCaption), QStringLiteral("HH/MM/SS")), Row({hour, minute, second}));

    // Degrees, minutes and the two hemispheres of one coordinate.
    const auto coordinateRow = [&](const char* caption, const char* degreeName, const char* minuteName,
                                   const char* optionName, const char* first, const char* second) {
        std::array<QLineEdit*, 2> boxes{};
        for (auto [box, boxName] : {std::pair{&boxes[0], degreeName}, std::pair{&boxes[1], minuteName}}) {
            *box = TextBox(boxName);
            (*box)->setFixedWidth(52);
            (*box)->setAlignment(Qt::AlignRight);
        }
        const auto options = OptionPair(frame, optionName, first, second);
        auto* fields = Row({boxes[0], boxes[1]});
        fields->insertSpacing(2, 10);
        fields->insertWidget(3, options.first);
        fields->insertWidget(4, options.second);
        addRow(CaptionWithHint(QString::fromLatin1(caption), QStringLiteral("DEG/MIN")), fields);
        return std::tuple{boxes[0], boxes[1], options.first, options.second};
    };
    std::tie(degreeLat, minuteLat, north, south) =
        coordinateRow("Latitude", n.degreeLat, n.minuteLat, n.optLat, "North", "South");
    std::tie(degreeLong, minuteLong, east, west) =
        coordinateRow("Longitude", n.degreeLong, n.minuteLong, n.optLong, "East", "West");

    city = TextBox(n.city);
    state = TextBox(n.state);
    country = TextBox(n.country);
    search = Named(new QPushButton(QStringLiteral("Click here to find &Latitude && Longitude")),
                   QString::fromLatin1(n.search));
    search->setCursor(Qt::PointingHandCursor);
    for (auto [caption, box] : {std::pair{"City", city}, std::pair{"State", state}, std::pair{"Country", country}}) {
        box->setMaxLength(60);
        auto* fieldRow = new QHBoxLayout;
        fieldRow->addWidget(box);
        if (box == city) fieldRow->addWidget(search);  // the atlas search for the City typed, beside it
        addRow(Caption(QString::fromLatin1(caption)), fieldRow);
    }
    const QString side = n.withNative ? QStringLiteral("_Birth") : QStringLiteral("_Muhurtha");
    placeCheck = Named(new QLabel, QStringLiteral("lblPlaceCheck") + side);
    placeCheck->setProperty("role", "warning");
    placeCheck->setWordWrap(true);
    placeCheck->hide();
    keepCoordinates = Named(new QPushButton(QStringLiteral("&Keep Coordinates")), QStringLiteral("cmdKeepCoordinates") + side);
    keepCoordinates->setToolTip(QStringLiteral("Use the coordinates and zone as they stand, under the typed City"));
    keepCoordinates->hide();
    // One widget for the row, hidden while there is nothing to say, so that the row then takes no room.
    placeCheckRow_ = new QWidget;
    auto* checkRow = new QHBoxLayout(placeCheckRow_);
    checkRow->setContentsMargins(0, 0, 0, 0);
    checkRow->addWidget(placeCheck, 1);
    checkRow->addWidget(keepCoordinates, 0, Qt::AlignTop);
    placeCheckRow_->hide();
    grid->addWidget(placeCheckRow_, row++, 1);

    if (!n.withNative) {
        recentPlaces = Named(new QComboBox, QStringLiteral("cboRecentPlaces"));
        recentPlaces->setToolTip(QStringLiteral("The places used recently"));
        recentPlaces->setMinimumWidth(180);
        recentPlaces->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        recentPlaces->setMinimumContentsLength(18);
        addRow(new QWidget, Row({recentPlaces}));
    }
    return frame;
}

QWidget* MomentForm::BuildZoneFrame(const MomentFormNames& n) {
    auto* frame = new QGroupBox(QStringLiteral("Time Zone"));
    frame->setObjectName(n.withNative ? QStringLiteral("fraTimeZone_Birth") : QStringLiteral("fraTimeZone_Muhurtha"));
    const auto zoneValue = [](const char* labelName) {
        auto* label = Named(new QLabel(QStringLiteral("0")), QString::fromLatin1(labelName));
        label->setProperty("role", "zoneValue");
        label->setAlignment(Qt::AlignCenter);
        return label;
    };
    zoneHour = zoneValue(n.zoneHour);
    zoneMinute = zoneValue(n.zoneMinute);
    dst = Named(new QCheckBox(QStringLiteral("DST")), QString::fromLatin1(n.dst));
    tzHelp = Named(new ClickableLabel(QStringLiteral("TZ Help")), QString::fromLatin1(n.tzHelp));
    StyleAsLink(tzHelp);
    tzHelp->setToolTip(QStringLiteral("Choose the time zone from the list of named zones"));

    zoneLine = Named(new QLabel, QString::fromLatin1(n.zoneLine));
    zoneLine->setProperty("role", "hint");
    zoneLine->setTextInteractionFlags(Qt::TextSelectableByMouse);
    zoneNote = Named(new QLabel, QString::fromLatin1(n.zoneNote));
    zoneNote->setProperty("role", "hint");
    zoneNote->setWordWrap(true);
    zoneNote->setTextInteractionFlags(Qt::TextSelectableByMouse);
    zoneNote->hide();

    auto* column = new QVBoxLayout(frame);
    column->setSpacing(6);
    auto* row = new QHBoxLayout;
    column->addLayout(row);
    column->addWidget(zoneNote);
    row->setSpacing(8);
    row->addWidget(Caption(QStringLiteral("Hour")));
    row->addWidget(zoneHour);
    row->addSpacing(10);
    row->addWidget(Caption(QStringLiteral("Min")));
    row->addWidget(zoneMinute);
    row->addSpacing(18);
    row->addWidget(dst);
    row->addSpacing(18);
    row->addWidget(tzHelp);
    // The zone line sits beside the boxes, so that the page keeps its height for the usual one-line zone.
    row->addSpacing(18);
    row->addWidget(zoneLine, 1);
    return frame;
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
    in.zoneHours = static_cast<std::int16_t>(std::abs(zoneHourValue));
    in.zoneMinutes = static_cast<std::int16_t>(std::abs(zoneMinuteValue));
    in.zoneIsEast = zoneHourValue < 0 || zoneMinuteValue < 0;  // the captions are west-positive
    in.longitudeDegrees = ValueOf(degreeLong->text());
    in.longitudeMinutes = ValueOf(minuteLong->text());
    in.latitudeDegrees = ValueOf(degreeLat->text());
    in.latitudeMinutes = ValueOf(minuteLat->text());
    in.isEast = east->isChecked();
    in.isSouth = south->isChecked();
    in.isDst = dst->isChecked();
    if (const auto offset = AtlasOffset()) SetMomentZone(in, *offset);
    return in;
}

MomentOrigin MomentForm::Origin() const {
    MomentOrigin origin;
    const std::optional<ZoneOffset> offset = AtlasOffset();
    if (!offset) return origin;
    origin.zone = ZoneOfMoment{ZoneId(), offset->abbreviation, offset->offsetSeconds, offset->daylight};
    // A zone chosen by id leaves the place typed.
    if (!chosenPlace_) return origin;
    // The coordinates as used: the page's boxes, to whole minutes of arc.
    const MomentTime time = ConvertMoment(ReadMoment());
    origin.place = PlaceOfMoment{chosenPlace_->name, chosenPlace_->state, chosenPlace_->country, time.latitude,
                                 -time.longitude};
    return origin;
}

PlaceText MomentForm::Place() const {
    return PlaceText{city->text().trimmed().toStdString(), state->text().trimmed().toStdString(),
                     country->text().trimmed().toStdString()};
}

void MomentForm::SetZone(int hourValue, int minuteValue) {
    DropAtlasZone();
    zoneHour->setText(QString::number(hourValue));
    zoneMinute->setText(QString::number(minuteValue));
    FollowZone();
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
