#include "app/gui/finder/finder_window.h"

#include <algorithm>
#include <ctime>
#include <exception>
#include <memory>
#include <utility>

#include <QCheckBox>
#include <QDate>
#include <QDateEdit>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTime>
#include <QTimeEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "appendix/calculation_appendix.h"
#include "finder/window_events.h"
#include "report/file_replace.h"
#include "zone/zone.h"
#include "app/gui/shell/emblem.h"
#include "app/gui/pages/moment_form.h"
#include "app/gui/shell/theme.h"
#include "astro/tables.h"

namespace kalvora {

namespace {

constexpr int DefaultSpanDays = 30;
constexpr int DefaultTop = 20;
constexpr int MaximumTop = 999;

// The columns of the list, in order.
enum Column {
    ColDate,
    ColWeekday,
    ColFrom,
    ColTo,
    ColBest,
    ColRating,
    ColCount,
    ColScore,
    ColNakshatra,
    ColTithi,
    ColLagna,
    ColPeople,  // shown only for several people
    ColumnCount
};
constexpr std::array<const char*, ColumnCount> ColumnCaptions = {
    "Date", "Weekday", "From", "To", "Best At", "Rating", "Count", "Score", "Nakshatra", "Tithi", "Lagna", "Everyone"};

// Colour hints of the rating cell: text and background of each rating, in the ratings' order.
struct RatingColours {
    Rating rating;
    QColor text, background;
};
const auto RatingHints = std::to_array<RatingColours>({
    {Rating::NotRated, QColor(0x6B, 0x6F, 0x85), QColor(0xF1, 0xEE, 0xE8)},
    {Rating::Bad, QColor(0x9B, 0x34, 0x26), QColor(0xF7, 0xE0, 0xDA)},
    {Rating::Good, QColor(0x2E, 0x6B, 0x2F), QColor(0xE3, 0xF0, 0xDC)},
    {Rating::Average, QColor(0x8A, 0x64, 0x14), QColor(0xFB, 0xEF, 0xD3)},
});
static_assert(std::tuple_size_v<decltype(RatingHints)> == RatingNames.size(), "every rating has its colours");

const RatingColours& HintOf(Rating rating) {
    const RatingColours& hint = RatingHints.at(static_cast<std::size_t>(rating));
    Q_ASSERT(hint.rating == rating);
    return hint;
}

// The date and time boxes, spin box and progress bar dressed like the pages' boxes.
constexpr char FinderStyle[] = R"(
QDateEdit, QTimeEdit, QSpinBox { background: #FFFFFF; border: 1px solid #CFC4AC; border-radius: 4px;
                                 padding: 3px 6px; min-height: 20px; selection-background-color: #C8782A; }
QDateEdit:focus, QTimeEdit:focus, QSpinBox:focus { border: 1px solid #C8782A; }
QDateEdit:disabled, QTimeEdit:disabled { background: #F1EEE8; color: #9A9DAE; }
QDateEdit::drop-down { border: none; width: 18px; }
QTimeEdit::up-button, QSpinBox::up-button { subcontrol-origin: border; subcontrol-position: top right; width: 16px;
                                            border: none; }
QTimeEdit::down-button, QSpinBox::down-button { subcontrol-origin: border; subcontrol-position: bottom right;
                                                width: 16px; border: none; }
QProgressBar { background: #FFFFFF; border: 1px solid #CFC4AC; border-radius: 4px; text-align: center;
               min-height: 18px; color: #4A3520; }
QProgressBar::chunk { background: #E7B46A; border-radius: 3px; }
QLabel#lblNoWindows { color: #6B6F85; font-size: 10.5pt; padding: 24px; }
)";

QDate ToQDate(LocalDate date) { return QDate(date.year, date.month, date.day); }
LocalDate FromQDate(const QDate& date) { return LocalDate{date.year(), date.month(), date.day()}; }
int MinuteOf(const QTime& time) { return time.hour() * 60 + time.minute(); }

QString Text(const std::string& text) { return QString::fromStdString(text); }

// What a search runs on: "Marriage for Asha · New Delhi, National Capital Territory of Delhi, India
// (28°39'N 77°13'E) · Asia/Kolkata (IST), UTC+05:30".
QString SearchedText(const FinderQuery& query) {
    const CalculationInput& input = query.input;
    const QString separator = QStringLiteral(" \u00B7 ");
    QString text = QString::fromStdString(input.subject);
    QStringList names;
    if (!input.personName.empty()) names << QString::fromStdString(input.personName);
    for (const OtherPerson& other : query.others) names << QString::fromStdString(other.name);
    if (!names.isEmpty()) text += QStringLiteral(" for ") + names.join(QStringLiteral(", "));
    const std::string place = MomentPlaceText(input.muhurthaOrigin);
    const QString coordinates = QString::fromStdString(CoordinatesText(input.muhurtha.place));
    text += separator + (place.empty() ? coordinates
                                       : QString::fromStdString(place) + QStringLiteral(" (") + coordinates + QLatin1Char(')'));
    return text + separator + QString::fromStdString(MomentZoneText(input.muhurtha.zone, input.muhurthaOrigin));
}

// A message of the finder ("the last date ... comes before ...") as a sentence.
QString Sentence(const std::string& message) {
    QString text = Text(message);
    if (!text.isEmpty()) text[0] = text[0].toUpper();
    if (!text.endsWith(QLatin1Char('.'))) text += QLatin1Char('.');
    return text;
}

QDateEdit* DateBox(const char* name, LocalDate date) {
    auto* box = new QDateEdit(ToQDate(date));
    box->setObjectName(QString::fromLatin1(name));
    box->setDateRange(QDate(FirstYear, 1, 1), QDate(LastYear, 12, 31));
    box->setDisplayFormat(QStringLiteral("d MMMM yyyy"));
    box->setCalendarPopup(true);
    box->setMinimumWidth(150);
    return box;
}

QTimeEdit* TimeBox(const char* name, int hour) {
    auto* box = new QTimeEdit(QTime(hour, 0));
    box->setObjectName(QString::fromLatin1(name));
    box->setDisplayFormat(QStringLiteral("HH:mm"));
    box->setEnabled(false);
    return box;
}

QLabel* Caption(const QString& text) { return StyledLabel(text, "fieldCaption"); }

// "chkVetoGuruAsta" of "guru-asta".
QString VetoBoxName(std::string_view id) {
    QString name = QStringLiteral("chkVeto");
    bool wordStart = true;
    for (const char c : id) {
        if (c == '-') {
            wordStart = true;
            continue;
        }
        name += wordStart ? QChar(QLatin1Char(c)).toUpper() : QChar(QLatin1Char(c));
        wordStart = false;
    }
    return name;
}

// "1 date", "3 dates".
QString Counted(std::size_t count, const char* word) {
    return QString::number(count) + QLatin1Char(' ') + QString::fromLatin1(word) +
           (count == 1 ? QString() : QStringLiteral("s"));
}

// The status line after a search: dates searched, times found and how many of them are listed.
QString Summary(const FinderResult& result, std::size_t found, std::size_t listed) {
    QString text =
        result.cancelled
            ? QStringLiteral("Search cancelled after %1 of %2 dates; ").arg(result.datesSearched).arg(result.datesTotal)
            : Counted(static_cast<std::size_t>(result.datesSearched), "date") + QStringLiteral(" searched; ");
    if (found == 0) return text + QStringLiteral("no times found.");
    text +=
        Counted(found, "time") + (result.cancelled ? QStringLiteral(" found so far, ") : QStringLiteral(" found, "));
    return text + (listed == found ? QStringLiteral("all listed.") : QStringLiteral("the best %1 listed.").arg(listed));
}

}  // namespace

FinderWindow::FinderWindow(FinderPages pages, LocalDate start, QWidget* parent)
    : QDialog(parent), pages_(std::move(pages)) {
    setObjectName(QStringLiteral("frmFindBestTimes"));
    setWindowTitle(QStringLiteral("Find Best Times - ") + QString::fromLatin1(AppTitle));
    setWindowIcon(EmblemIcon());
    setStyleSheet(QString::fromLatin1(FinderStyle));
    setModal(false);

    const QDate first = ToQDate(start).isValid() ? ToQDate(start) : QDate(FirstYear, 1, 1);
    from_ = DateBox("dtpFindFrom", FromQDate(first));
    to_ = DateBox("dtpFindTo", FromQDate(std::min(first.addDays(DefaultSpanDays), QDate(LastYear, 12, 31))));

    auto* title = StyledLabel(QStringLiteral("Find Best Times"), "pageTitle");
    auto* hint = StyledLabel(QStringLiteral("Kalvora tries every minute of the span for the undertaking, the birth "
                                            "details and the place entered on the pages, and lists the best times "
                                            "first."),
                             "hint");
    hint->setWordWrap(true);

    auto* close = new QPushButton(QStringLiteral("Cl&ose"));
    close->setObjectName(QStringLiteral("cmdFindClose"));
    close->setMinimumWidth(96);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(StyledLabel(QStringLiteral("Double-click a time to see its full result."), "hint"));
    bottom->addStretch(1);
    exportIcs_ = new QPushButton(QStringLiteral("&Export to Calendar..."));
    exportIcs_->setObjectName(QStringLiteral("cmdFindExportIcs"));
    exportIcs_->setToolTip(QStringLiteral("Write the times listed to a calendar file (.ics) for a calendar program"));
    connect(exportIcs_, &QPushButton::clicked, this, &FinderWindow::ExportCalendar);
    bottom->addWidget(exportIcs_);
    if (pages_.showSeason) {
        auto* season = new QPushButton(QStringLiteral("Season of the &Year..."));
        season->setObjectName(QStringLiteral("cmdFindSeason"));
        connect(season, &QPushButton::clicked, this, [this] { pages_.showSeason(); });
        bottom->addWidget(season);
    }
    if (pages_.showMonth) {
        auto* month = new QPushButton(QStringLiteral("&Month..."));
        month->setObjectName(QStringLiteral("cmdFindMonth"));
        connect(month, &QPushButton::clicked, this, [this] { pages_.showMonth(); });
        bottom->addWidget(month);
    }
    bottom->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 14);
    layout->setSpacing(10);
    layout->addWidget(title);
    layout->addWidget(hint);
    layout->addWidget(BuildOptions());
    layout->addWidget(BuildProgressRow());
    searched_ = StyledLabel(QStringLiteral("The undertaking, person, place and zone of the pages are searched."), "hint");
    searched_->setObjectName(QStringLiteral("lblFindSearched"));
    searched_->setWordWrap(true);
    searched_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(searched_);
    layout->addWidget(BuildList(), 1);
    layout->addLayout(bottom);

    // Return presses Search: made the default once it is in the window, which then keeps it as its default.
    search_->setDefault(true);
    SetSearching(false);
    resize(980, 680);  // within a 1366x768 screen with its task bar and title bar
}

FinderWindow::~FinderWindow() { StopWorker(); }

QWidget* FinderWindow::BuildOptions() {
    auto* frame = new QGroupBox(QStringLiteral("Search"));
    frame->setObjectName(QStringLiteral("fraFindOptions"));
    auto* grid = new QGridLayout(frame);
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(9);
    grid->setColumnMinimumWidth(0, 96);
    grid->setColumnStretch(1, 1);

    const auto row = [](std::initializer_list<QWidget*> widgets) {
        auto* fields = new QHBoxLayout;
        fields->setSpacing(8);
        for (QWidget* w : widgets) fields->addWidget(w);
        fields->addStretch(1);
        return fields;
    };

    grid->addWidget(Caption(QStringLiteral("Dates")), 0, 0);
    grid->addLayout(row({from_, StyledLabel(QStringLiteral("to"), "hint"), to_}), 0, 1);

    between_ = new QCheckBox(QStringLiteral("Only between"));
    between_->setObjectName(QStringLiteral("chkFindBetween"));
    firstTime_ = TimeBox("timFindFrom", 6);
    lastTime_ = TimeBox("timFindTo", 20);
    for (QTimeEdit* box : {firstTime_, lastTime_}) {
        box->setToolTip(QStringLiteral("A window that ends before it begins runs past midnight"));
        connect(between_, &QCheckBox::toggled, box, &QWidget::setEnabled);
    }
    grid->addWidget(Caption(QStringLiteral("Time")), 1, 0);
    grid->addLayout(row({between_, firstTime_, StyledLabel(QStringLiteral("and"), "hint"), lastTime_}), 1, 1);

    auto* weekdays = new QHBoxLayout;
    weekdays->setSpacing(12);
    for (std::size_t i = 0; i < leaveOut_.size(); ++i) {
        const QString name = QString::fromLatin1(WeekdayNames[i].data(), static_cast<int>(WeekdayNames[i].size()));
        leaveOut_[i] = new QCheckBox(name.left(3));
        leaveOut_[i]->setObjectName(QStringLiteral("chkFindLeaveOut") + QString::number(i));
        leaveOut_[i]->setToolTip(QStringLiteral("Leave out every ") + name);
        weekdays->addWidget(leaveOut_[i]);
    }
    weekdays->addStretch(1);
    grid->addWidget(Caption(QStringLiteral("Leave Out")), 2, 0);
    grid->addLayout(weekdays, 2, 1);

    // The periods of the day a search can leave out, in the order of InauspiciousPeriod.
    static constexpr auto avoidNames =
        std::to_array<const char*>({"chkAvoidRahu", "chkAvoidYamaganda", "chkAvoidGulika", "chkAvoidDurmuhurta"});
    static_assert(avoidNames.size() == InauspiciousPeriodNames.size());
    auto* periods = new QHBoxLayout;
    periods->setSpacing(12);
    for (std::size_t i = 0; i < avoid_.size(); ++i) {
        const std::string_view name = InauspiciousPeriodNames[i];
        avoid_[i] = new QCheckBox(QString::fromLatin1(name.data(), static_cast<int>(name.size())));
        avoid_[i]->setObjectName(QString::fromLatin1(avoidNames[i]));
        avoid_[i]->setToolTip(QStringLiteral("Leave out the minutes of every day's ") + avoid_[i]->text());
        periods->addWidget(avoid_[i]);
    }
    // And the spans of the day's table, in the order of MoonMark.
    static constexpr auto markNames = std::to_array<const char*>({"chkAvoidVarjyam", "chkAvoidBhadra", "chkAvoidPanchaka"});
    static_assert(markNames.size() == MoonMarkNames.size());
    for (std::size_t i = 0; i < avoidMarks_.size(); ++i) {
        avoidMarks_[i] = new QCheckBox(FromView(MoonMarkNames[i]));
        avoidMarks_[i]->setObjectName(QString::fromLatin1(markNames[i]));
        avoidMarks_[i]->setToolTip(QStringLiteral("Leave out the minutes of every ") + avoidMarks_[i]->text() +
                                   QStringLiteral(", as the Day tab lists them"));
        periods->addWidget(avoidMarks_[i]);
    }
    periods->addStretch(1);
    grid->addWidget(Caption(QStringLiteral("Avoid")), 3, 0);
    grid->addLayout(periods, 3, 1);

    // The vetoes of the season a search can leave out, in the order of VetoTable.
    auto* season = new QHBoxLayout;
    season->setSpacing(12);
    for (std::size_t i = 0; i < vetoes_.size(); ++i) {
        const VetoRow& row = VetoTable[i];
        vetoes_[i] = new QCheckBox(FromView(row.name));
        vetoes_[i]->setObjectName(VetoBoxName(row.id));
        QString tip = QStringLiteral("Leave out the minutes while ") + FromView(row.what);
        if (row.veto == Veto::GuruAsta || row.veto == Veto::ShukraAsta) {
            tip += QStringLiteral(". ") + FromView(CombustionNote);
        }
        vetoes_[i]->setToolTip(tip);
        season->addWidget(vetoes_[i]);
    }
    season->addStretch(1);
    grid->addWidget(Caption(QStringLiteral("Season")), 4, 0);
    grid->addLayout(season, 4, 1);

    top_ = new QSpinBox;
    top_->setObjectName(QStringLiteral("spnFindTop"));
    top_->setRange(0, MaximumTop);
    top_->setSpecialValueText(QStringLiteral("All"));
    top_->setValue(DefaultTop);
    top_->setMinimumWidth(80);
    allGood_ = new QCheckBox(QStringLiteral("only Good times, for everyone"));
    allGood_->setObjectName(QStringLiteral("chkFindAllGood"));
    allGood_->setToolTip(QStringLiteral("Keep only the minutes rated Good; for several people, those whose combined "
                                        "verdict is Good (everyone Good and no bad Surya or Guru bala)"));
    grid->addWidget(Caption(QStringLiteral("List")), 5, 0);
    grid->addLayout(row({StyledLabel(QStringLiteral("the best"), "hint"), top_, StyledLabel(QStringLiteral("times"), "hint"),
                         allGood_}),
                    5, 1);
    return frame;
}

QWidget* FinderWindow::BuildProgressRow() {
    auto* bar = new QWidget;
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);

    progress_ = new QProgressBar;
    progress_->setObjectName(QStringLiteral("prgFind"));
    progress_->setRange(0, 1);
    progress_->setValue(0);
    progress_->setFixedWidth(220);
    status_ = StyledLabel(QStringLiteral("Choose the dates and press Search."), "hint");
    status_->setObjectName(QStringLiteral("lblFindStatus"));
    status_->setWordWrap(true);

    search_ = new QPushButton(QStringLiteral("&Search"));
    search_->setObjectName(QStringLiteral("cmdFindSearch"));
    search_->setProperty("role", "primary");
    search_->setMinimumWidth(96);
    cancelButton_ = new QPushButton(QStringLiteral("&Cancel"));
    cancelButton_->setObjectName(QStringLiteral("cmdFindCancel"));
    cancelButton_->setMinimumWidth(96);
    connect(search_, &QPushButton::clicked, this, &FinderWindow::StartSearch);
    connect(cancelButton_, &QPushButton::clicked, this, &FinderWindow::CancelSearch);

    layout->addWidget(progress_);
    layout->addWidget(status_, 1);
    layout->addWidget(cancelButton_);
    layout->addWidget(search_);
    return bar;
}

QWidget* FinderWindow::BuildList() {
    list_ = new QTreeWidget;
    list_->setObjectName(QStringLiteral("lstFoundWindows"));
    list_->setColumnCount(ColumnCount);
    QStringList captions;
    for (const char* caption : ColumnCaptions) captions << QString::fromLatin1(caption);
    list_->setHeaderLabels(captions);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAlternatingRowColors(false);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->header()->setStretchLastSection(true);
    list_->headerItem()->setToolTip(ColCount, QStringLiteral("Factors counted / threshold of the undertaking"));
    list_->headerItem()->setToolTip(ColBest, QStringLiteral("The minute a double-click shows"));
    // A double-click (or Enter) on a row activates it.
    connect(list_, &QTreeWidget::itemActivated, this, &FinderWindow::ShowFound);

    noWindows_ = new QLabel;
    noWindows_->setObjectName(QStringLiteral("lblNoWindows"));
    noWindows_->setAlignment(Qt::AlignCenter);
    noWindows_->setWordWrap(true);

    listArea_ = new QStackedWidget;
    listArea_->addWidget(list_);
    listArea_->addWidget(noWindows_);
    return listArea_;
}

// ---------------------------------------------------------------------------------------------------- searching

std::optional<FinderQuery> FinderWindow::ReadQuery() {
    const std::optional<PeopleInput> people = pages_.read ? pages_.read() : std::nullopt;
    if (!people) return std::nullopt;
    FinderQuery query;
    query.input = people->first;
    query.others = people->others;
    query.roles = people->roles;
    query.allGood = allGood_->isChecked();
    query.from = FromQDate(from_->date());
    query.to = FromQDate(to_->date());
    if (between_->isChecked()) query.between = DailyWindow{MinuteOf(firstTime_->time()), MinuteOf(lastTime_->time())};
    for (std::size_t i = 0; i < leaveOut_.size(); ++i) query.leftOutWeekdays[i] = leaveOut_[i]->isChecked();
    for (std::size_t i = 0; i < avoid_.size(); ++i) query.avoidedPeriods[i] = avoid_[i]->isChecked();
    for (std::size_t i = 0; i < avoidMarks_.size(); ++i) query.avoidedMarks[i] = avoidMarks_[i]->isChecked();
    for (std::size_t i = 0; i < vetoes_.size(); ++i) query.vetoes[i] = vetoes_[i]->isChecked();
    // A zone from the atlas: every minute of the span on the offset its zone had then, as the command line does.
    if (const auto& zone = query.input.muhurthaOrigin.zone; zone && zone->id) {
        if (const std::optional<TimeZone> opened = OpenTimeZone(*zone->id)) {
            query.clock = ClockOfZone(*opened, query.from, LastDateLookedAhead(query.to));
        }
    }
    if (const std::string problem = QueryProblem(query); !problem.empty()) {
        // Said in the window as well, where it stays after the message is closed.
        status_->setText(QStringLiteral("Not searched: ") + Sentence(problem));
        if (pages_.showMessage) pages_.showMessage(this, QMessageBox::Information, Sentence(problem));
        return std::nullopt;
    }
    searched_->setText(SearchedText(query));
    return query;
}

void FinderWindow::StartSearch() {
    if (Searching()) return;
    std::optional<FinderQuery> query = ReadQuery();
    if (!query) return;

    lastQuery_ = *query;
    listed_.clear();
    list_->clear();
    listArea_->setCurrentWidget(list_);
    const int total = DatesInSpan(query->from, query->to);
    progress_->setRange(0, total);
    progress_->setValue(0);
    status_->setText(QStringLiteral("Searching ") + Counted(static_cast<std::size_t>(total), "date") +
                     QStringLiteral("..."));
    cancel_ = false;
    SetSearching(true);

    // The worker talks to the window only through queued calls; the window joins it before it goes away, and
    // calls still queued for a window that is gone are dropped with it.
    worker_ = std::thread([this, query = std::move(*query)] {
        auto outcome = std::make_shared<Outcome>();
        try {
            FinderControl control;
            control.cancel = &cancel_;
            control.progress = [this](int done, int all) {
                QMetaObject::invokeMethod(
                    this, [this, done, all] { ShowProgress(done, all); }, Qt::QueuedConnection);
            };
            outcome->result = FindWindows(query, control);
        } catch (const std::exception& e) {
            outcome->error = e.what();
        } catch (...) {
            outcome->error = "the search stopped on an unknown error";
        }
        QMetaObject::invokeMethod(
            this, [this, outcome] { FinishSearch(*outcome); }, Qt::QueuedConnection);
    });
}

void FinderWindow::FollowUndertaking(const std::string& subject) {
    const std::optional<MuhurthaSubject> undertaking = FindSubject(subject);
    if (!undertaking) return;
    const std::array<bool, VetoCount> vetoes = VetoesOf(*undertaking);
    for (std::size_t i = 0; i < vetoes_.size(); ++i) vetoes_[i]->setChecked(vetoes[i]);
}

void FinderWindow::CancelSearch() {
    if (!Searching()) return;
    cancel_ = true;
    cancelButton_->setEnabled(false);
    status_->setText(QStringLiteral("Cancelling..."));
}

void FinderWindow::SetSearching(bool searching) {
    search_->setEnabled(!searching);
    cancelButton_->setEnabled(searching);
    for (QWidget* box : {static_cast<QWidget*>(from_), static_cast<QWidget*>(to_), static_cast<QWidget*>(between_),
                         static_cast<QWidget*>(top_)}) {
        box->setEnabled(!searching);
    }
    for (QCheckBox* box : leaveOut_) box->setEnabled(!searching);
    for (QCheckBox* box : avoid_) box->setEnabled(!searching);
    for (QCheckBox* box : vetoes_) box->setEnabled(!searching);
    firstTime_->setEnabled(!searching && between_->isChecked());
    lastTime_->setEnabled(!searching && between_->isChecked());
    UpdateExport();
}

void FinderWindow::UpdateExport() { exportIcs_->setEnabled(!Searching() && !listed_.empty()); }

void FinderWindow::ExportCalendar() {
    if (Searching() || listed_.empty() || !lastQuery_) return;
    const QString path = pages_.askCalendarPath ? pages_.askCalendarPath(this) : QString();
    if (path.isEmpty()) return;
    const std::string text =
        CalendarText(WindowEvents(*lastQuery_, listed_), static_cast<std::int64_t>(std::time(nullptr)));
    std::string cause;
    if (!ReplaceFile(QFile::encodeName(path).toStdString(), text, &cause)) {
        if (pages_.showMessage) {
            pages_.showMessage(this, QMessageBox::Critical,
                               QStringLiteral("Cannot write the calendar to \"%1\": %2").arg(path, Text(cause)));
        }
        return;
    }
    status_->setText(QStringLiteral("%1 written to %2.")
                         .arg(Counted(listed_.size(), "time"), QFileInfo(path).fileName()));
}

void FinderWindow::ShowProgress(int datesDone, int datesTotal) {
    if (!Searching() || cancel_) return;
    progress_->setMaximum(datesTotal);
    progress_->setValue(datesDone);
    status_->setText(QStringLiteral("Searching: %1 of %2 dates...").arg(datesDone).arg(datesTotal));
}

void FinderWindow::FinishSearch(const Outcome& outcome) {
    if (worker_.joinable()) worker_.join();  // queueing this call was the worker's last act
    SetSearching(false);
    const FinderResult& result = outcome.result;
    if (!outcome.error.empty()) {
        status_->setText(QStringLiteral("The search stopped: ") + Sentence(outcome.error));
        if (pages_.showMessage) pages_.showMessage(this, QMessageBox::Critical, Sentence(outcome.error));
        Q_EMIT searchFinished();
        return;
    }
    progress_->setMaximum(std::max(result.datesTotal, 1));
    progress_->setValue(result.datesSearched);

    const std::vector<FoundWindow> ranked = ListWindows(result.windows, WindowListing{});  // best first, joined
    const std::size_t top = static_cast<std::size_t>(top_->value());                       // 0: all
    const std::size_t shown = top == 0 ? ranked.size() : std::min(top, ranked.size());
    ShowWindows({ranked.begin(), ranked.begin() + static_cast<std::ptrdiff_t>(shown)});
    if (ranked.empty()) ShowNoWindows(result);
    status_->setText(Summary(result, ranked.size(), shown));
    Q_EMIT searchFinished();
}

void FinderWindow::ShowWindows(const std::vector<FoundWindow>& windows) {
    listed_ = windows;
    list_->clear();
    QList<QTreeWidgetItem*> items;
    for (std::size_t i = 0; i < listed_.size(); ++i) {
        const FoundWindow& w = listed_[i];
        // Several people: the rating the window is ranked by is the combined one, everyone's beside it.
        const Rating ranked = RankedRating(w);
        const QString rating = ranked == Rating::NotRated ? QStringLiteral("Not rated") : FromView(RatingWord(ranked));
        auto* item = new QTreeWidgetItem(
            QStringList{Text(DateText(w.date)), FromView(w.names.weekday), Text(ClockText(w.firstMinute)),
                        Text(ClockText(w.lastMinute)), Text(ClockText(w.bestFirstMinute)), rating,
                        QStringLiteral("%1/%2").arg(w.count).arg(w.threshold), QString::number(w.totalScore),
                        FromView(w.names.nakshatra), FromView(w.names.tithi), FromView(w.names.lagna),
                        w.people ? Text(WindowPeopleText(*w.people)) : QString()});
        item->setData(0, Qt::UserRole, static_cast<int>(i));
        item->setToolTip(ColPeople, item->text(ColPeople));  // the whole text where the column cuts it short
        const RatingColours& hint = HintOf(ranked);
        item->setForeground(ColRating, hint.text);
        item->setBackground(ColRating, hint.background);
        QFont bold = item->font(ColRating);
        bold.setBold(true);
        item->setFont(ColRating, bold);
        item->setTextAlignment(ColCount, Qt::AlignCenter);
        item->setTextAlignment(ColScore, Qt::AlignRight | Qt::AlignVCenter);
        items << item;
    }
    list_->addTopLevelItems(items);
    const bool severalPeople = !windows.empty() && windows.front().people != nullptr;
    list_->setColumnHidden(ColPeople, !severalPeople);
    for (int c = 0; c < ColumnCount - 1; ++c) list_->resizeColumnToContents(c);
    listArea_->setCurrentWidget(list_);
    UpdateExport();
}

void FinderWindow::ShowNoWindows(const FinderResult& result) {
    const QString span = Text(DateText(lastQuery_->from)) + QStringLiteral(" to ") + Text(DateText(lastQuery_->to));
    noWindows_->setText(
        result.cancelled ? QStringLiteral("The search was cancelled before any time was found.")
        : result.vetoed  ? Text(VetoedSpanText(*result.vetoed))
                         : QStringLiteral("No times found: every date from %1 falls on a weekday left out.").arg(span));
    listArea_->setCurrentWidget(noWindows_);
}

void FinderWindow::ShowFound(QTreeWidgetItem* item) {
    if (item == nullptr || !lastQuery_ || !pages_.show) return;
    const std::size_t index = static_cast<std::size_t>(item->data(0, Qt::UserRole).toInt());
    if (index >= listed_.size()) return;
    const FoundWindow& window = listed_[index];
    pages_.show(lastQuery_->input.subject, window.date, window.bestFirstMinute);
}

void FinderWindow::StopWorker() {
    if (!worker_.joinable()) return;
    cancel_ = true;
    worker_.join();
}

void FinderWindow::done(int result) {
    StopWorker();
    QDialog::done(result);
}

}  // namespace kalvora
