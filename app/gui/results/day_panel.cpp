#include "app/gui/results/day_panel.h"

#include <string>
#include <vector>

#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/gui/results/day_timeline.h"
#include "app/gui/results/result_panels.h"
#include "app/gui/shell/theme.h"
#include "astro/calendar.h"
#include "driver/panels.h"

namespace kalvora {

namespace {

constexpr int TableRowHeight = 24;

// A read-only table that shows all its rows without scrolling.
QTableWidget* ReadOnlyTable(const char* name, const QStringList& headings) {
    auto* table = new QTableWidget(0, static_cast<int>(headings.size()));
    table->setObjectName(QString::fromLatin1(name));
    table->setHorizontalHeaderLabels(headings);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(TableRowHeight);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    table->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setFocusPolicy(Qt::NoFocus);
    table->setAlternatingRowColors(true);
    table->setShowGrid(false);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return table;
}

// One row of a table: its cells, and whether it holds the chosen minute (shown bold on the chosen time's blue).
struct TableRow {
    QStringList cells;
    bool chosen = false;
};

// Writes the rows and makes the table as tall as they are.
void Fill(QTableWidget* table, const std::vector<TableRow>& rows) {
    table->setRowCount(static_cast<int>(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows[r].cells.size(); ++c) {
            auto* item = new QTableWidgetItem(rows[r].cells[c]);
            if (rows[r].chosen) {
                QFont bold = table->font();
                bold.setBold(true);
                item->setFont(bold);
                item->setBackground(QColor(0xE1, 0xEB, 0xF7));
            }
            table->setItem(static_cast<int>(r), c, item);
        }
    }
    // As wide as its columns need, measured before the last column stretches to the table's width.
    table->horizontalHeader()->setStretchLastSection(false);
    table->resizeColumnsToContents();
    int width = 0;
    for (int c = 0; c < table->columnCount(); ++c) width += table->columnWidth(c);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setMinimumWidth(width + 2 * table->frameWidth());
    table->setFixedHeight(table->horizontalHeader()->sizeHint().height() +
                          static_cast<int>(rows.size()) * TableRowHeight + 2 * table->frameWidth());
}

QString Text(const std::string& text) { return QString::fromStdString(text); }

// "14 July 2026 18:04": a veto's minute, with its year, since a span may run over months.
QString VetoMinuteText(ClockMinute minute) {
    const LocalDate date = DateOfClockMinute(minute);
    return Text(std::to_string(date.day) + " " + std::string(MonthName(date.month)) + " " +
                std::to_string(date.year) + " " + ClockText(MinuteOfDay(minute)));
}

QLabel* Note(const char* name) {
    auto* label = new QLabel;
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

// A card with a title above its contents.
QFrame* TitledCard(const QString& title, const std::vector<QWidget*>& contents) {
    auto* card = Card();
    auto* layout = new QVBoxLayout(card);
    layout->setContentsMargins(14, 12, 14, 12);
    layout->setSpacing(8);
    layout->addWidget(StyledLabel(title, "cardTitle"));
    for (QWidget* widget : contents) layout->addWidget(widget);
    layout->addStretch(1);
    return card;
}

QLabel* Banner(const char* name) {
    auto* label = StyledLabel(QString(), "dayNote");
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->hide();
    return label;
}

void SetRole(QWidget* widget, const char* role) {
    widget->setProperty("role", role);
    widget->style()->unpolish(widget);
    widget->style()->polish(widget);
}

}  // namespace

DayPanel::DayPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picDay"));

    title_ = StyledLabel(QStringLiteral("The Day of the Muhurtha"), "reportTitle");
    title_->setObjectName(QStringLiteral("lblDayTitle"));
    span_ = StyledLabel(QString(), "reportSubtitle");
    span_->setObjectName(QStringLiteral("lblDaySpan"));
    chosen_ = Banner("lblDayChosen");
    sunNote_ = Banner("lblDaySunNote");

    timeline_ = new DayTimeline;
    sun_ = ReadOnlyTable("tblDaySun", {QStringLiteral("Sun"), QStringLiteral("Time")});
    periods_ = ReadOnlyTable("tblDayPeriods", {QStringLiteral("Period"), QStringLiteral("From \u2013 to")});
    limbs_ = ReadOnlyTable("tblDayLimbs",
                      {QStringLiteral("Limb"), QStringLiteral("Value"), QStringLiteral("From"), QStringLiteral("To")});
    choghadiyas_ = ReadOnlyTable("tblDayChoghadiya", {QStringLiteral("Choghadiya"), QStringLiteral("Quality"),
                                                 QStringLiteral("From"), QStringLiteral("To")});
    horas_ = ReadOnlyTable("tblDayHora", {QStringLiteral("Lord"), QStringLiteral("From"), QStringLiteral("To")});
    season_ = ReadOnlyTable("tblDaySeason", {QStringLiteral("At sunrise"), QStringLiteral("")});
    vetoes_ = ReadOnlyTable("tblDayVetoes", {QStringLiteral("Veto"), QStringLiteral("What"), QStringLiteral("From"),
                                        QStringLiteral("To")});
    lagnas_ = ReadOnlyTable("tblDayLagnas", {QStringLiteral("Lagna"), QStringLiteral("From"), QStringLiteral("To")});
    marked_ = ReadOnlyTable("tblDayMarked", {QStringLiteral("Span"), QStringLiteral("From \u2013 to")});
    noVeto_ = Note("lblDayNoVeto");
    noVeto_->setText(QStringLiteral("No veto is in force during this day."));
    seasonNote_ = Note("lblDaySeasonNote");

    auto* timelineCard = TitledCard(QStringLiteral("The Day at a Glance"), {timeline_});
    periodsCard_ = TitledCard(QStringLiteral("Periods of the Day"), {periods_});
    auto* details = new QHBoxLayout;
    details->setSpacing(12);
    details->addWidget(TitledCard(QStringLiteral("Sunrise and Sunset"), {sun_}), 2, Qt::AlignTop);
    details->addWidget(periodsCard_, 3, Qt::AlignTop);
    details->addWidget(TitledCard(QStringLiteral("Tithi, Nakshatra, Yoga and Karana"), {limbs_}), 5, Qt::AlignTop);

    auto* seasonRow = new QHBoxLayout;
    seasonRow->setSpacing(12);
    seasonRow->addWidget(TitledCard(QStringLiteral("Lunar Month and Samvat"), {season_}), 2, Qt::AlignTop);
    seasonRow->addWidget(TitledCard(QStringLiteral("Season"), {vetoes_, noVeto_, seasonNote_}), 3, Qt::AlignTop);

    auto* tableRow = new QHBoxLayout;
    tableRow->setSpacing(12);
    tableRow->addWidget(TitledCard(QStringLiteral("Lagnas of the Day"), {lagnas_}), 2, Qt::AlignTop);
    tableRow->addWidget(TitledCard(QStringLiteral("Varjyam, Amrit Kalam, Bhadra and Panchaka"), {marked_}), 3,
                        Qt::AlignTop);

    partsRow_ = new QWidget;
    auto* parts = new QHBoxLayout(partsRow_);
    parts->setContentsMargins(0, 0, 0, 0);
    parts->setSpacing(12);
    parts->addWidget(TitledCard(QStringLiteral("Choghadiya"), {choghadiyas_}), 1, Qt::AlignTop);
    parts->addWidget(TitledCard(QStringLiteral("Hora"), {horas_}), 1, Qt::AlignTop);

    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("picDayContent"));
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 6, 0);
    column->setSpacing(10);
    column->addWidget(title_);
    column->addWidget(span_);
    column->addWidget(chosen_);
    column->addWidget(sunNote_);
    column->addWidget(timelineCard);
    column->addLayout(details);
    column->addLayout(seasonRow);
    column->addLayout(tableRow);
    column->addWidget(partsRow_);
    column->addStretch(1);

    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(content);
    content->setStyleSheet(QStringLiteral("QWidget#picDayContent { background: transparent; }"));
    scroll->viewport()->setAutoFillBackground(false);

    back = BackButton("cmdBack6");
    auto* layout = ResultTabLayout(this);
    layout->addWidget(scroll, 1);
    month = new QPushButton(QStringLiteral("&Month..."));
    month->setObjectName(QStringLiteral("cmdDayMonth"));
    QHBoxLayout* row = BackRow(back);
    row->addWidget(month);
    layout->addLayout(row);
}

void DayPanel::ShowDay(const DayView& day, const DaySeason& season, const MomentInput& chosen) {
    const DayPanelTexts texts = DayPanelTextsOf(day, chosen);
    title_->setText(QStringLiteral("The Day of ") + Text(texts.title));
    span_->setText(Text(texts.span));

    chosen_->setText(Text(texts.chosen));
    chosen_->setVisible(!texts.chosen.empty());
    SetRole(chosen_, texts.chosenAvoided ? "dayAlert" : "dayNote");
    sunNote_->setText(Text(texts.sunNote));
    sunNote_->setVisible(!texts.sunNote.empty());

    timeline_->ShowDay(day, JdUtOfClockMinute(ClockMinuteOf(chosen), chosen.zone));
    timeline_->setAccessibleDescription(Text(DayDescriptionOf(texts)));

    const auto lines = [](const std::vector<DayLine>& from) {
        std::vector<TableRow> rows;
        for (const DayLine& line : from) rows.push_back({{Text(line.heading), Text(line.text)}, line.holdsChosen});
        return rows;
    };
    Fill(sun_, lines(texts.sun));
    Fill(periods_, lines(texts.periods));
    periodsCard_->setVisible(!texts.periods.empty());

    std::vector<TableRow> rows;
    for (const DayRow& row : texts.limbs) {
        rows.push_back({{Text(row.detail), Text(row.name), Text(row.start), Text(row.end)}, row.holdsChosen});
    }
    Fill(limbs_, rows);
    rows.clear();
    for (const DayRow& row : texts.choghadiyas) {
        rows.push_back({{Text(row.name), Text(row.detail), Text(row.start), Text(row.end)}, row.holdsChosen});
    }
    Fill(choghadiyas_, rows);
    for (int r = 0; r < choghadiyas_->rowCount(); ++r) {
        const bool good = texts.choghadiyas[static_cast<std::size_t>(r)].good;
        choghadiyas_->item(r, 1)->setForeground(good ? QColor(0x1F, 0x5E, 0x32) : QColor(0x8B, 0x2A, 0x14));
    }
    rows.clear();
    for (const DayRow& row : texts.horas) rows.push_back({{Text(row.name), Text(row.start), Text(row.end)}, row.holdsChosen});
    Fill(horas_, rows);
    partsRow_->setVisible(!texts.choghadiyas.empty());
    rows.clear();
    for (const DayRow& row : texts.lagnas) rows.push_back({{Text(row.name), Text(row.start), Text(row.end)}, row.holdsChosen});
    Fill(lagnas_, rows);
    Fill(marked_, lines(texts.marked));

    const SeasonTexts seasonTexts = SeasonTextsOf(season);
    Fill(season_, {{{QStringLiteral("Lunar month"), Text(seasonTexts.months)}},
                   {{QStringLiteral("Samvat"), Text(seasonTexts.years)}}});
    const ClockMinute chosenMinute = ClockMinuteOf(chosen);
    rows.clear();
    for (const SeasonTexts::VetoLine& v : seasonTexts.vetoes) {
        rows.push_back({{Text(v.name), Text(v.what), VetoMinuteText(v.start), VetoMinuteText(v.end)},
                        v.start <= chosenMinute && chosenMinute < v.end});
    }
    Fill(vetoes_, rows);
    vetoes_->setVisible(!rows.empty());
    noVeto_->setVisible(rows.empty());
    seasonNote_->setText(Text(seasonTexts.note));
    seasonNote_->setVisible(!seasonTexts.note.empty());
}

}  // namespace kalvora
