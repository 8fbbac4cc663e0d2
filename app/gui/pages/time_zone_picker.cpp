#include "app/gui/pages/time_zone_picker.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/gui/shell/emblem.h"
#include "app/gui/shell/shell.h"
#include "app/gui/shell/theme.h"
#include "app/gui/pages/zones.h"

namespace kalvora {

namespace {

constexpr int ZoneIdRole = Qt::UserRole + 1;

LocalDateTime Now() {
    const QDateTime now = QDateTime::currentDateTime();
    return LocalDateTime{now.date().year(), now.date().month(), now.date().day(), now.time().hour(),
                         now.time().minute(), 0};
}

// The offset a zone's clocks show at a local date and time: the earlier one of a time they passed twice, the one
// after the jump of a time they jumped over.
ZoneOffset OffsetAt(const TimeZone& zone, const LocalDateTime& local) {
    const LocalTimeInZone found = LookUpLocalTime(zone, local);
    if (found.kind == LocalTimeKind::Missing) return found.jump.after;
    if (const auto offset = ChosenOffset(found, Fold::Earlier)) return *offset;
    return OffsetAtUt(zone, SecondsSinceEpoch(local));
}

// The zones of the database, opened once: reading them all takes a noticeable moment.
const std::vector<TimeZone>& DatabaseZones() {
    static const std::vector<TimeZone> zones = [] {
        std::vector<TimeZone> opened;
        for (const std::string& id : ZoneIds()) {
            if (std::optional<TimeZone> zone = OpenTimeZone(id)) opened.push_back(std::move(*zone));
        }
        return opened;
    }();
    return zones;
}

// What a search compares: lower case, an underscore of a zone id read as the space a user types.
QString Searchable(QString text) { return text.replace(QLatin1Char('_'), QLatin1Char(' ')).toLower(); }

}  // namespace

TimeZonePicker::TimeZonePicker(QWidget* parent, std::optional<LocalDateTime> at) : QDialog(parent) {
    setObjectName(QStringLiteral("frmTimeZone"));
    setWindowTitle(QString::fromLatin1(AppTitle));
    setWindowIcon(EmblemIcon());
    setModal(true);
    resize(820, 520);
    const LocalDateTime when = at.value_or(Now());

    auto* title = new QLabel(QStringLiteral("Choose Time Zone"));
    title->setProperty("role", "pageTitle");
    search_ = new QLineEdit;
    search_->setObjectName(QStringLiteral("txtZoneSearch"));
    search_->setPlaceholderText(QStringLiteral("Search both lists: a name, a city or an offset (Kathmandu, +05:45)"));
    search_->setClearButtonEnabled(true);
    search_->installEventFilter(this);

    auto* hint = new QLabel(QStringLiteral("Double-click a zone to enter its hours and minutes on the page."));
    hint->setProperty("role", "hint");
    hint->setWordWrap(true);
    list_ = new QListWidget;
    list_->setObjectName(QStringLiteral("lstTimeZone"));
    for (const NamedZone& zone : NamedZones) {
        list_->addItem(QString::fromUtf8(zone.text.data(), static_cast<qsizetype>(zone.text.size())));
    }
    list_->setCurrentRow(0);
    connect(list_, &QListWidget::activated, this, &TimeZonePicker::Apply);

    auto* databaseHint = new QLabel(
        QStringLiteral("The zone database, with each zone's offset on %1. Double-click a zone to use the offset "
                       "in force at the page's date and time.")
            .arg(QString::fromStdString(FormatLocalDateTime(when))));
    databaseHint->setProperty("role", "hint");
    databaseHint->setWordWrap(true);
    database_ = new QTreeWidget;
    database_->setObjectName(QStringLiteral("lstZoneDatabase"));
    database_->setColumnCount(2);
    database_->setHeaderLabels({QStringLiteral("Zone"), QStringLiteral("Offset")});
    database_->setRootIsDecorated(false);
    database_->setUniformRowHeights(true);
    database_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    database_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    database_->header()->setStretchLastSection(false);
    for (const TimeZone& zone : DatabaseZones()) {
        const ZoneOffset offset = OffsetAt(zone, when);
        QString offsetText = QString::fromStdString(FormatOffset(offset.offsetSeconds));
        if (!offset.abbreviation.empty()) offsetText += QLatin1Char(' ') + QString::fromStdString(offset.abbreviation);
        const QString id = QString::fromStdString(zone.id());
        auto* item = new QTreeWidgetItem(database_, {id, offsetText});
        item->setData(0, ZoneIdRole, id);
    }
    connect(database_, &QTreeWidget::activated, this, &TimeZonePicker::ApplyDatabaseZone);
    connect(search_, &QLineEdit::textChanged, this, &TimeZonePicker::Filter);
    connect(search_, &QLineEdit::returnPressed, this, &TimeZonePicker::ChooseFirstShown);

    auto* quit = new QPushButton(QStringLiteral("&Quit"));
    quit->setObjectName(QStringLiteral("cmdQuit"));
    quit->setAutoDefault(false);
    connect(quit, &QPushButton::clicked, this, &QDialog::reject);

    const auto column = [](const QString& caption, QLabel* about, QWidget* list) {
        auto* layout = new QVBoxLayout;
        layout->setSpacing(6);
        layout->addWidget(StyledLabel(caption, "cardTitle"));
        layout->addWidget(about);
        layout->addWidget(list, 1);
        return layout;
    };
    auto* lists = new QHBoxLayout;
    lists->setSpacing(14);
    lists->addLayout(column(QStringLiteral("Named Zones"), hint, list_), 1);
    lists->addLayout(column(QStringLiteral("Zone Database"), databaseHint, database_), 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(quit);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(8);
    layout->addWidget(title);
    layout->addWidget(search_);
    layout->addLayout(lists, 1);
    layout->addLayout(buttons);
    search_->setFocus();
}

void TimeZonePicker::Apply(const QModelIndex& index) {
    const int row = index.row();
    if (row < 0 || row >= static_cast<int>(NamedZones.size())) return;
    const NamedZone& zone = NamedZones[static_cast<std::size_t>(row)];
    Q_EMIT zoneChosen(zone.hours, zone.minutes);
    accept();
}

void TimeZonePicker::ApplyDatabaseZone(const QModelIndex& index) {
    const QString id = index.siblingAtColumn(0).data(ZoneIdRole).toString();
    if (id.isEmpty()) return;
    Q_EMIT zoneIdChosen(id);
    accept();
}

void TimeZonePicker::Filter(const QString& text) {
    const QString wanted = Searchable(text.trimmed());
    for (int row = 0; row < list_->count(); ++row) {
        QListWidgetItem* item = list_->item(row);
        item->setHidden(!Searchable(item->text()).contains(wanted));
    }
    for (int row = 0; row < database_->topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = database_->topLevelItem(row);
        item->setHidden(!Searchable(item->text(0) + QLatin1Char(' ') + item->text(1)).contains(wanted));
    }
}

void TimeZonePicker::ChooseFirstShown() {
    for (int row = 0; row < list_->count(); ++row) {
        if (!list_->item(row)->isHidden()) return Apply(list_->model()->index(row, 0));
    }
    for (int row = 0; row < database_->topLevelItemCount(); ++row) {
        if (!database_->topLevelItem(row)->isHidden()) {
            return ApplyDatabaseZone(database_->model()->index(row, 0));
        }
    }
}

bool TimeZonePicker::eventFilter(QObject* watched, QEvent* event) {
    // Down from the search field goes into the named zones, or the database when no named zone is shown.
    if (watched == search_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Down) {
        for (int row = 0; row < list_->count(); ++row) {
            if (!list_->item(row)->isHidden()) {
                list_->setCurrentRow(row);
                list_->setFocus();
                return true;
            }
        }
        for (int row = 0; row < database_->topLevelItemCount(); ++row) {
            if (!database_->topLevelItem(row)->isHidden()) {
                database_->setCurrentItem(database_->topLevelItem(row));
                database_->setFocus();
                return true;
            }
        }
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace kalvora
