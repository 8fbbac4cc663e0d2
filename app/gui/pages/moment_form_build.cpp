// MomentForm's frames: the details frame row by row (person, date and time, coordinates, place, recent places)
// and the time zone frame. The widgets are made in the order the user tabs through them.

#include "app/gui/pages/moment_form.h"

#include <array>
#include <tuple>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/gui/shell/clickable_label.h"
#include "app/gui/shell/theme.h"
#include "astro/calendar.h"
#include "astro/tables.h"

namespace kalvora {

namespace {

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

}  // namespace

// The details frame's grid: a caption in the first column and its fields beside it, row after row.
struct MomentForm::FormRows {
    QGroupBox* frame;
    QGridLayout* grid;
    int row = 0;

    void Add(QWidget* caption, QLayout* fields) {
        grid->addWidget(caption, row, 0, Qt::AlignLeft | Qt::AlignVCenter);
        grid->addLayout(fields, row, 1);
        ++row;
    }
};

QWidget* MomentForm::BuildDetailsFrame(const MomentFormNames& n) {
    auto* frame = new QGroupBox(QString::fromLatin1(n.frameCaption));
    frame->setObjectName(n.withNative ? QStringLiteral("fraBirthDetails") : QStringLiteral("fraMuhurthaDetails"));
    auto* grid = new QGridLayout(frame);
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(n.withNative ? 5 : 9);  // the birth page has three rows more
    grid->setColumnMinimumWidth(0, 96);
    grid->setColumnStretch(1, 1);
    FormRows rows{frame, grid};
    if (n.withNative) AddNativeRows(rows);
    AddDateAndTimeRows(rows, n);
    AddCoordinateRows(rows, n);
    AddPlaceRows(rows, n);
    if (!n.withNative) AddRecentPlacesRow(rows);
    return frame;
}

void MomentForm::AddNativeRows(FormRows& rows) {
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
    rows.Add(Caption(QStringLiteral("Person")), peopleRow);

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
    rows.Add(Caption(QStringLiteral("Name")), nameRow);
    std::tie(male, female) = OptionPair(rows.frame, "optSex", "Male", "Female");
    // What was saved last, or why people cannot be saved, beside the sex buttons where the row has room.
    auto* sexRow = Row({male, female}, false);
    sexRow->addSpacing(18);
    sexRow->addWidget(peopleLine, 10);
    sexRow->addWidget(setAside);
    sexRow->addStretch(1);  // keeps the buttons to their size while the line is hidden
    rows.Add(Caption(QStringLiteral("Sex")), sexRow);
}

void MomentForm::AddDateAndTimeRows(FormRows& rows, const MomentFormNames& n) {
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
    rows.Add(Caption(QString::fromLatin1(n.dateCaption)), dateRow);

    hour = NumberList(n.hour, 0, 23, 58);
    minute = NumberList(n.minute, 0, 59, 58);
    second = NumberList(n.second, 0, 59, 58);
    rows.Add(CaptionWithHint(QString::fromLatin1(n.timeCaption), QStringLiteral("HH/MM/SS")), Row({hour, minute, second}));
}

void MomentForm::AddCoordinateRows(FormRows& rows, const MomentFormNames& n) {
    // Degrees, minutes and the two hemispheres of one coordinate.
    const auto coordinateRow = [&](const char* caption, const char* degreeName, const char* minuteName,
                                   const char* optionName, const char* first, const char* second) {
        std::array<QLineEdit*, 2> boxes{};
        for (auto [box, boxName] : {std::pair{&boxes[0], degreeName}, std::pair{&boxes[1], minuteName}}) {
            *box = TextBox(boxName);
            (*box)->setFixedWidth(52);
            (*box)->setAlignment(Qt::AlignRight);
        }
        const auto options = OptionPair(rows.frame, optionName, first, second);
        auto* fields = Row({boxes[0], boxes[1]});
        fields->insertSpacing(2, 10);
        fields->insertWidget(3, options.first);
        fields->insertWidget(4, options.second);
        rows.Add(CaptionWithHint(QString::fromLatin1(caption), QStringLiteral("DEG/MIN")), fields);
        return std::tuple{boxes[0], boxes[1], options.first, options.second};
    };
    std::tie(degreeLat, minuteLat, north, south) =
        coordinateRow("Latitude", n.degreeLat, n.minuteLat, n.optLat, "North", "South");
    std::tie(degreeLong, minuteLong, east, west) =
        coordinateRow("Longitude", n.degreeLong, n.minuteLong, n.optLong, "East", "West");
}

void MomentForm::AddPlaceRows(FormRows& rows, const MomentFormNames& n) {
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
        rows.Add(Caption(QString::fromLatin1(caption)), fieldRow);
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
    rows.grid->addWidget(placeCheckRow_, rows.row++, 1);
}

void MomentForm::AddRecentPlacesRow(FormRows& rows) {
    recentPlaces = Named(new QComboBox, QStringLiteral("cboRecentPlaces"));
    recentPlaces->setToolTip(QStringLiteral("The places used recently"));
    recentPlaces->setMinimumWidth(180);
    recentPlaces->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    recentPlaces->setMinimumContentsLength(18);
    rows.Add(new QWidget, Row({recentPlaces}));
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

}  // namespace kalvora
