#include "app/gui/month/month_window.h"

#include <algorithm>

#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/gui/shell/shell.h"
#include "app/gui/shell/theme.h"
#include "report/qt/month_page.h"
#include "astro/calendar.h"
#include "driver/season.h"
#include "zone/zone.h"

namespace kalvora {
namespace {

constexpr int DateRole = Qt::UserRole;  // the cell's date as yyyymmdd

QColor RatingTint(Rating rating) {
    switch (rating) {
        case Rating::Good: return QColor(0xdf, 0xf2, 0xdc);
        case Rating::Average: return QColor(0xfb, 0xef, 0xcf);
        case Rating::Bad: return QColor(0xf6, 0xdc, 0xda);
        case Rating::NotRated: break;
    }
    return QColor(Qt::white);
}

QString Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// The search of the pages' undertaking and people, with the undertaking's vetoes as the finder searches by default.
FinderQuery SearchOf(const PeopleInput& people) {
    FinderQuery search;
    search.input = people.first;
    search.others = people.others;
    search.roles = people.roles;
    if (const std::optional<MuhurthaSubject> subject = FindSubject(people.first.subject)) {
        search.vetoes = VetoesOf(*subject);
    }
    return search;
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
}

void MonthGrid::ShowMonth(const MonthView& month) {
    clearContents();
    sheet_ = LayOutMonth(month, LocaleFirstWeekday());
    const MonthSheet& sheet = sheet_;
    QStringList headings;
    for (const std::string& heading : sheet.headings) headings << Text(heading);
    setHorizontalHeaderLabels(headings);
    setRowCount(sheet.rows);
    for (const MonthCell& cell : sheet.cells) {
        QStringList lines;
        for (const std::string& line : cell.lines) lines << Text(line);
        auto* item = new QTableWidgetItem(lines.join(QLatin1Char('\n')));
        item->setData(DateRole, DateKey(cell.date));
        item->setTextAlignment(Qt::AlignLeft | Qt::AlignTop);
        if (cell.best) item->setBackground(RatingTint(*cell.best));
        item->setToolTip(item->text());
        setItem(cell.row, cell.column, item);
    }
    setAccessibleDescription(Text(sheet.description));
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

    legend_ = StyledLabel(QString(), "hint");
    legend_->setObjectName(QStringLiteral("lblMonthLegend"));
    legend_->setWordWrap(true);

    showDay_ = new QPushButton(QStringLiteral("Show &Day"));
    showDay_->setObjectName(QStringLiteral("cmdMonthShowDay"));
    connect(showDay_, &QPushButton::clicked, this, &MonthWindow::ShowSelectedDay);
    showBest_ = new QPushButton(QStringLiteral("Show &Best Window"));
    showBest_->setObjectName(QStringLiteral("cmdMonthShowBest"));
    connect(showBest_, &QPushButton::clicked, this, &MonthWindow::ShowSelectedBest);
    print_ = new QPushButton(QStringLiteral("&Print..."));
    print_->setObjectName(QStringLiteral("cmdMonthPrint"));
    connect(print_, &QPushButton::clicked, this, &MonthWindow::Print);
    exportPdf_ = new QPushButton(QStringLiteral("Export as P&DF..."));
    exportPdf_->setObjectName(QStringLiteral("cmdMonthExportPdf"));
    connect(exportPdf_, &QPushButton::clicked, this, &MonthWindow::ExportPdf);
    auto* close = new QPushButton(QStringLiteral("Cl&ose"));
    close->setObjectName(QStringLiteral("cmdMonthClose"));
    close->setMinimumWidth(96);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(showDay_);
    bottom->addWidget(showBest_);
    bottom->addStretch(1);
    bottom->addWidget(print_);
    bottom->addWidget(exportPdf_);
    bottom->addSpacing(12);
    bottom->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 14, 18, 14);
    layout->setSpacing(8);
    layout->addLayout(top);
    layout->addWidget(clock_);
    layout->addWidget(best_);
    layout->addWidget(searched_);
    layout->addWidget(grid_, 1);
    layout->addWidget(legend_);
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
    query.conventions = place_.conventions;
    if (!place_.zoneId.empty()) query.timeZone = OpenTimeZone(place_.zoneId);
    if (people_) query.undertaking = SearchOf(*people_);
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
    legend_->setText(Text(grid_->Sheet().legend) + QStringLiteral(" Click a day for its Day tab."));
    title_->setText(Text(MonthName(month)) + QLatin1Char(' ') + QString::number(year));
    goTo_->setDate(QDate(year, month, 1));
    const bool followsZone = query.timeZone.has_value();
    const QString zone = followsZone ? QString::fromStdString(place_.zoneId)
                                     : QStringLiteral("UTC") + QString::fromStdString(OffsetText(ZoneOffsetSeconds(place_.zone)));
    clock_->setText(Text(MonthClockNote(place_.caption.toStdString(), zone.toStdString())));
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
            searchedText_ = Text(MonthSearchNote(SearchOf(*people_)));
        }
    }
    ShowMonth(month_.year, month_.month);
}

MonthSheet MonthWindow::PrintedSheet() const {
    MonthSheet sheet = grid_->Sheet();
    sheet.notes = {clock_->text().toStdString()};
    if (!searched_->text().isEmpty()) sheet.notes.push_back(searched_->text().toStdString());
    return sheet;
}

void MonthWindow::Print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    if (!pages_.shell.askPrinter || !pages_.shell.askPrinter(this, printer)) return;
    QString error;
    if (!PrintMonthSheet(PrintedSheet(), &printer, &error) && pages_.shell.showMessage) {
        pages_.shell.showMessage(this, QMessageBox::Critical, error);
    }
}

void MonthWindow::ExportPdf() {
    const QString path = pages_.shell.askPdfPath ? pages_.shell.askPdfPath(this) : QString();
    if (path.isEmpty()) return;
    const Paper paper = QLocale().measurementSystem() == QLocale::ImperialUSSystem ? Paper::Letter : Paper::A4;
    QString error;
    if (!SaveMonthPdf(PrintedSheet(), paper, path, &error) && pages_.shell.showMessage) {
        pages_.shell.showMessage(this, QMessageBox::Critical, error);
    }
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
