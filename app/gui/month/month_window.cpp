#include "app/gui/month/month_window.h"

#include <algorithm>

#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/gui/shell/shell.h"
#include "app/gui/shell/theme.h"
#include "astro/calendar.h"
#include "astro/tables.h"
#include "driver/panels.h"
#include "driver/season.h"
#include "panchanga/tables.h"
#include "season/tables.h"
#include "zone/zone.h"

namespace kalvora {
namespace {

constexpr int DateRole = Qt::UserRole;  // the cell's date as yyyymmdd

// The mark of a rating beside its colour, so that the grid reads in black and white.
QString RatingSymbol(Rating rating) {
    switch (rating) {
        case Rating::Good: return QStringLiteral("\u2605");     // a star
        case Rating::Average: return QStringLiteral("\u25C6");  // a diamond
        case Rating::Bad: return QStringLiteral("\u2716");      // a cross
        case Rating::NotRated: break;
    }
    return QString();
}

QColor RatingTint(Rating rating) {
    switch (rating) {
        case Rating::Good: return QColor(0xdf, 0xf2, 0xdc);
        case Rating::Average: return QColor(0xfb, 0xef, 0xcf);
        case Rating::Bad: return QColor(0xf6, 0xdc, 0xda);
        case Rating::NotRated: break;
    }
    return QColor(Qt::white);
}

QString VetoSymbol() { return QStringLiteral("\u2298"); }  // a circle struck through

QString Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QString Paksha(const DayView& day) {
    const auto& tithis = day.limbs[static_cast<std::size_t>(Limb::Tithi)];
    if (tithis.empty()) return QString();
    return Text(PakshaNames[tithis.front().value.index < 15 ? 0 : 1]);
}

QString LimbLine(const DayView& day, Limb limb) {
    const auto& spans = day.limbs[static_cast<std::size_t>(limb)];
    if (spans.empty()) return QString();
    return Text(spans.front().value.name) + QStringLiteral(" to ") +
           QString::fromStdString(ShortClockText(spans.front().end, day.sun.date));
}

QString SunLine(const DayView& day) {
    const auto clock = [&](const std::optional<double>& jd) {
        return jd ? QString::fromStdString(
                        ShortClockText(ClockMinuteHolding(*jd, day.place.zoneOffsetSeconds), day.sun.date))
                  : QStringLiteral("none");
    };
    return QStringLiteral("\u2600 %1\u2013%2").arg(clock(day.sun.sunriseJdUt), clock(day.sun.sunsetJdUt));
}

QString BestLine(const FoundWindow& best) {
    const Rating rating = RankedRating(best);
    return RatingSymbol(rating) + QLatin1Char(' ') + Text(RatingWord(rating)) + QLatin1Char(' ') +
           QString::fromStdString(ClockText(best.firstMinute)) + QStringLiteral("\u2013") +
           QString::fromStdString(ClockText(best.lastMinute));
}

QString VetoLine(const DaySeason& season) {
    QStringList names;
    for (const VetoMinutes& veto : season.vetoes) names << Text(RowOf(veto.veto).name);
    return names.isEmpty() ? QString() : VetoSymbol() + QLatin1Char(' ') + names.join(QStringLiteral(", "));
}

// The lunar month and paksha, said on the month's first date and wherever either changes.
QString MonthLine(const MonthDay& day, const MonthDay* before) {
    const QString month = QString::fromStdString(LunarMonthText(day.season.atSunrise.month));
    const QString paksha = Paksha(day.view);
    if (before != nullptr && QString::fromStdString(LunarMonthText(before->season.atSunrise.month)) == month &&
        Paksha(before->view) == paksha) {
        return QString();
    }
    return month + QStringLiteral(", ") + paksha;
}

QString DateKey(LocalDate date) { return QString::number(date.year * 10000 + date.month * 100 + date.day); }

}  // namespace

MonthGrid::MonthGrid(QWidget* parent) : QTableWidget(parent) {
    setObjectName(QStringLiteral("tblMonth"));
    setAccessibleName(QStringLiteral("Month"));
    setColumnCount(7);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(true);
    setTextElideMode(Qt::ElideNone);
    verticalHeader()->setVisible(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    // Each week as tall as its fullest day, so that no mark is cut off; the grid scrolls on a small screen.
    verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    QStringList headings;
    const QLocale locale;
    const int first = static_cast<int>(locale.firstDayOfWeek());  // 1 = Monday .. 7 = Sunday
    for (int i = 0; i < 7; ++i) headings << locale.dayName((first - 1 + i) % 7 + 1, QLocale::LongFormat);
    setHorizontalHeaderLabels(headings);
}

void MonthGrid::ShowMonth(const MonthView& month) {
    clearContents();
    const int first = static_cast<int>(QLocale().firstDayOfWeek());  // Qt: 1 = Monday .. 7 = Sunday
    const auto columnOf = [first](int weekday) {                      // weekday: 1 = Sunday .. 7 = Saturday
        const int qtDay = weekday == 1 ? 7 : weekday - 1;
        return (qtDay - first + 7) % 7;
    };
    // The column of the 1st, counted back from the first date listed (a date the clocks skipped is left out).
    const int lead = month.days.empty() ? 0
                                        : ((columnOf(month.days.front().view.sun.weekday) -
                                            (month.days.front().view.sun.date.day - 1)) % 7 + 7) % 7;
    const int lastDay = month.days.empty() ? 0 : month.days.back().view.sun.date.day;
    setRowCount((lead + lastDay + 6) / 7);
    QStringList marks;
    for (std::size_t i = 0; i < month.days.size(); ++i) {
        const MonthDay& day = month.days[i];
        const DayView& view = day.view;
        const LocalDate& date = view.sun.date;
        const int place = lead + date.day - 1;
        QStringList lines;
        lines << QStringLiteral("%1 %2   %3")
                     .arg(date.day)
                     .arg(Text(WeekdayNames[static_cast<std::size_t>(view.sun.weekday - 1)]).left(3), SunLine(view));
        lines << LimbLine(view, Limb::Tithi) << LimbLine(view, Limb::Nakshatra);
        const QString lunar = MonthLine(day, i == 0 ? nullptr : &month.days[i - 1]);
        if (!lunar.isEmpty()) lines << lunar;
        const QString vetoes = VetoLine(day.season);
        if (!vetoes.isEmpty()) lines << vetoes;
        if (month.searched) lines << (day.best ? BestLine(*day.best) : QStringLiteral("\u2013 no rated window"));

        auto* item = new QTableWidgetItem(lines.join(QLatin1Char('\n')));
        item->setData(DateRole, DateKey(date));
        item->setTextAlignment(Qt::AlignLeft | Qt::AlignTop);
        if (day.best) item->setBackground(RatingTint(RankedRating(*day.best)));
        const QString mark = QString::fromStdString(DateText(date)) + QLatin1Char(' ') +
                             lines.mid(1).join(QStringLiteral(", "));
        item->setToolTip(lines.join(QLatin1Char('\n')));
        setItem(place / 7, place % 7, item);
        if (!vetoes.isEmpty() || day.best) marks << mark;
    }
    QString description = marks.isEmpty() ? QStringLiteral("No day of the month is marked.")
                                           : QStringLiteral("Marked days: ") + marks.join(QStringLiteral("; ")) + QLatin1Char('.');
    description += QStringLiteral(" Symbols: %1 a veto of the season in force; ").arg(VetoSymbol());
    description += QStringLiteral("best window %1 Good, %2 Average, %3 Bad.")
                       .arg(RatingSymbol(Rating::Good), RatingSymbol(Rating::Average), RatingSymbol(Rating::Bad));
    setAccessibleDescription(description);
}

QTableWidgetItem* MonthGrid::CellOf(LocalDate date) const {
    const QString key = DateKey(date);
    for (int r = 0; r < rowCount(); ++r) {
        for (int c = 0; c < columnCount(); ++c) {
            if (QTableWidgetItem* cell = item(r, c); cell && cell->data(DateRole).toString() == key) return cell;
        }
    }
    return nullptr;
}

std::optional<LocalDate> MonthGrid::DateAt(int row, int column) const {
    const QTableWidgetItem* cell = item(row, column);
    if (cell == nullptr) return std::nullopt;
    const int key = cell->data(DateRole).toString().toInt();
    return LocalDate{key / 10000, key / 100 % 100, key % 100};
}

MonthWindow::MonthWindow(MonthPlace place, MonthPages pages, LocalDate date, QWidget* parent)
    : QDialog(parent), place_(std::move(place)), pages_(std::move(pages)) {
    setObjectName(QStringLiteral("dlgMonth"));
    setWindowTitle(QStringLiteral("Month - ") + QString::fromLatin1(AppTitle));
    setAttribute(Qt::WA_StyledBackground);

    title_ = StyledLabel(QString(), "pageTitle");
    title_->setObjectName(QStringLiteral("lblMonthTitle"));
    previous_ = new QPushButton(QStringLiteral("\u25C0 &Previous Month"));
    previous_->setObjectName(QStringLiteral("cmdMonthPrevious"));
    next_ = new QPushButton(QStringLiteral("&Next Month \u25B6"));
    next_->setObjectName(QStringLiteral("cmdMonthNext"));
    goTo_ = new QDateEdit;
    goTo_->setObjectName(QStringLiteral("dtpMonthGoTo"));
    goTo_->setAccessibleName(QStringLiteral("Go to date"));
    goTo_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    goTo_->setDateRange(QDate(FirstYear, 1, 1), QDate(LastYear, 12, 31));
    auto* go = new QPushButton(QStringLiteral("&Go"));
    go->setObjectName(QStringLiteral("cmdMonthGo"));
    connect(previous_, &QPushButton::clicked, this, [this] {
        ShowMonth(month_.month == 1 ? month_.year - 1 : month_.year, month_.month == 1 ? 12 : month_.month - 1);
    });
    connect(next_, &QPushButton::clicked, this, [this] {
        ShowMonth(month_.month == 12 ? month_.year + 1 : month_.year, month_.month == 12 ? 1 : month_.month + 1);
    });
    connect(go, &QPushButton::clicked, this, [this] { ShowMonth(goTo_->date().year(), goTo_->date().month()); });
    auto* top = new QHBoxLayout;
    top->addWidget(title_);
    top->addStretch(1);
    top->addWidget(previous_);
    top->addWidget(next_);
    top->addSpacing(12);
    top->addWidget(goTo_);
    top->addWidget(go);

    clock_ = StyledLabel(QString(), "hint");
    clock_->setObjectName(QStringLiteral("lblMonthClock"));
    clock_->setWordWrap(true);
    best_ = new QCheckBox(QStringLiteral("Best &window of each day for the pages' undertaking and people"));
    best_->setObjectName(QStringLiteral("chkMonthBest"));
    connect(best_, &QCheckBox::toggled, this, &MonthWindow::SetBestWindows);
    searched_ = StyledLabel(QString(), "hint");
    searched_->setObjectName(QStringLiteral("lblMonthSearched"));
    searched_->setWordWrap(true);

    grid_ = new MonthGrid;
    connect(grid_, &QTableWidget::cellClicked, this, [this](int, int) { ShowSelectedDay(); });
    connect(grid_, &QTableWidget::currentCellChanged, this, [this] { UpdateButtons(); });

    auto* legend = StyledLabel(
        QStringLiteral("Tithi and nakshatra at sunrise, each to its end; \u2600 sunrise \u2013 sunset; %1 vetoes of the "
                       "season in force during the day; best window %2 Good, %3 Average, %4 Bad. Click a day for its "
                       "Day tab.")
            .arg(VetoSymbol(), RatingSymbol(Rating::Good), RatingSymbol(Rating::Average), RatingSymbol(Rating::Bad)),
        "hint");
    legend->setObjectName(QStringLiteral("lblMonthLegend"));
    legend->setWordWrap(true);

    showDay_ = new QPushButton(QStringLiteral("Show &Day"));
    showDay_->setObjectName(QStringLiteral("cmdMonthShowDay"));
    connect(showDay_, &QPushButton::clicked, this, &MonthWindow::ShowSelectedDay);
    showBest_ = new QPushButton(QStringLiteral("Show &Best Window"));
    showBest_->setObjectName(QStringLiteral("cmdMonthShowBest"));
    connect(showBest_, &QPushButton::clicked, this, &MonthWindow::ShowSelectedBest);
    auto* close = new QPushButton(QStringLiteral("Cl&ose"));
    close->setObjectName(QStringLiteral("cmdMonthClose"));
    close->setMinimumWidth(96);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(showDay_);
    bottom->addWidget(showBest_);
    bottom->addStretch(1);
    bottom->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 14, 18, 14);
    layout->setSpacing(8);
    layout->addLayout(top);
    layout->addWidget(clock_);
    layout->addWidget(best_);
    layout->addWidget(searched_);
    layout->addWidget(grid_, 1);
    layout->addWidget(legend);
    layout->addLayout(bottom);
    ShowMonth(std::clamp(date.year, FirstYear, LastYear), std::clamp(date.month, 1, 12));
    resize(1240, 690);
}

void MonthWindow::ShowMonth(int year, int month) {
    if (!MonthProblem(year, month).empty()) return;
    MonthQuery query;
    query.year = year;
    query.month = month;
    query.place = place_.place;
    query.zone = place_.zone;
    if (!place_.zoneId.empty()) query.timeZone = OpenTimeZone(place_.zoneId);
    if (people_) {
        FinderQuery undertaking;
        undertaking.input = people_->first;
        undertaking.others = people_->others;
        undertaking.roles = people_->roles;
        if (const std::optional<MuhurthaSubject> subject = FindSubject(people_->first.subject)) {
            undertaking.vetoes = VetoesOf(*subject);  // as the finder searches by default
        }
        query.undertaking = std::move(undertaking);
    }
    searched_->setText(searchedText_);
    try {
        month_ = ComputeMonth(query);
    } catch (const FinderError& e) {
        // The month's days stay; only the search is said to have been refused.
        query.undertaking.reset();
        month_ = ComputeMonth(query);
        searched_->setText(QStringLiteral("Not searched: ") + QString::fromStdString(e.what()));
    }
    grid_->ShowMonth(month_);
    title_->setText(Text(MonthName(month)) + QLatin1Char(' ') + QString::number(year));
    goTo_->setDate(QDate(year, month, 1));
    const bool followsZone = query.timeZone.has_value();
    const QString zone = followsZone ? QString::fromStdString(place_.zoneId)
                                     : QStringLiteral("UTC") + QString::fromStdString(OffsetText(ZoneOffsetSeconds(place_.zone)));
    QString where = place_.caption.isEmpty() ? QString() : place_.caption + QStringLiteral(": ");
    clock_->setText(where + QStringLiteral("each day from sunrise, on the clock of ") + zone + QLatin1Char('.'));
    previous_->setEnabled(MonthProblem(month == 1 ? year - 1 : year, month == 1 ? 12 : month - 1).empty());
    next_->setEnabled(MonthProblem(month == 12 ? year + 1 : year, month == 12 ? 1 : month + 1).empty());
    UpdateButtons();
}

void MonthWindow::ShowMonthAt(MonthPlace place, int year, int month) {
    place_ = std::move(place);
    ShowMonth(year, month);
}

void MonthWindow::SetBestWindows(bool on) {
    people_.reset();
    searchedText_.clear();
    if (on) {
        people_ = pages_.read ? pages_.read() : std::nullopt;
        if (!people_) {
            const QSignalBlocker quiet(best_);
            best_->setChecked(false);
        } else {
            QStringList names;
            names << QString::fromStdString(people_->first.personName);
            for (const auto& other : people_->others) names << QString::fromStdString(other.name);
            names.removeAll(QString());
            searchedText_ = (QString::fromStdString(people_->first.subject) +
                               (names.isEmpty() ? QString() : QStringLiteral(" for ") + names.join(QStringLiteral(", "))) +
                               QStringLiteral(": the first window the finder ranks on each date, with the undertaking's vetoes."));
        }
    }
    ShowMonth(month_.year, month_.month);
}

const MonthDay* MonthWindow::SelectedDay() const {
    const std::optional<LocalDate> date = grid_->DateAt(grid_->currentRow(), grid_->currentColumn());
    if (!date) return nullptr;
    const auto found = std::ranges::find_if(month_.days, [&](const MonthDay& d) { return d.view.sun.date == *date; });
    return found == month_.days.end() ? nullptr : &*found;
}

void MonthWindow::ShowSelectedDay() {
    const MonthDay* day = SelectedDay();
    if (day != nullptr && pages_.showDay) pages_.showDay(day->view.sun.date);
}

void MonthWindow::ShowSelectedBest() {
    const MonthDay* day = SelectedDay();
    if (day == nullptr || !day->best || !people_ || !pages_.show) return;
    pages_.show(people_->first.subject, day->best->date, day->best->firstMinute);
}

void MonthWindow::UpdateButtons() {
    const MonthDay* day = SelectedDay();
    showDay_->setEnabled(day != nullptr);
    showBest_->setEnabled(day != nullptr && day->best.has_value());
}

}  // namespace kalvora
