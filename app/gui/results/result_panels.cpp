#include "app/gui/results/result_panels.h"

#include <algorithm>

#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "app/gui/shell/clickable_label.h"
#include "app/gui/results/day_panel.h"
#include "app/gui/shell/emblem.h"
#include "app/gui/shell/shell.h"
#include "app/gui/shell/theme.h"

namespace kalvora {

const DetailsPanelLayout BirthPanelLayout = {
    "picResultBirth", "Birth Details of the Native", "lblResultBirth", "cmdBack3", "", &BirthPanelHeadings,
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12},
};

const DetailsPanelLayout MuhurthaPanelLayout = {
    "picMuhurthaDetails", "Details of the Chosen Muhurtha", "lblMuhurthaDetails", "cmdBack5", "Muhurtha Details",
    &MuhurthaPanelHeadings,
    {9, 10, 11, 12, 0, 1, 2, 3, 4, 5, 6, 7, 8},
};

namespace {

}  // namespace

QPushButton* BackButton(const char* name) {
    auto* back = new QPushButton(QStringLiteral("&Back"));
    back->setObjectName(QString::fromLatin1(name));
    back->setMinimumWidth(96);
    return back;
}

QVBoxLayout* ResultTabLayout(QWidget* tab) {
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(16, 10, 16, 10);
    layout->setSpacing(10);
    return layout;
}

QHBoxLayout* BackRow(QPushButton* back) {
    auto* row = new QHBoxLayout;
    row->addWidget(back);
    row->addStretch(1);
    return row;
}

namespace {

// Emblem, "Kalvora Report" and the panel's subtitle.
QWidget* ReportHeading(const QString& subtitle) {
    auto* heading = new QWidget;
    auto* layout = new QHBoxLayout(heading);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(14);
    layout->addWidget(new EmblemWidget(58));
    auto* titles = new QVBoxLayout;
    titles->setSpacing(2);
    titles->addStretch(1);
    titles->addWidget(StyledLabel(QStringLiteral("Kalvora Report"), "reportTitle"));
    titles->addWidget(StyledLabel(subtitle, "reportSubtitle"));
    titles->addStretch(1);
    layout->addLayout(titles, 1);
    return heading;
}

// What the names on a details panel mean, for the reader of the results.
QFrame* Glossary() {
    auto* card = Card();
    card->setFixedWidth(250);
    auto* layout = new QVBoxLayout(card);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(8);
    layout->addWidget(StyledLabel(QStringLiteral("Reading the Details"), "cardTitle"));
    const std::pair<const char*, const char*> terms[] = {
        {"Rashi", "the sign the Moon stands in, and its ruling planet"},
        {"Nakshatra", "the lunar mansion of the Moon, one of twenty-seven, and its lord"},
        {"Lagna", "the sign rising on the eastern horizon"},
        {"Tithi", "the lunar day, from the Moon's distance to the Sun"},
        {"Yoga", "one of twenty-seven, from the sum of Sun and Moon"},
        {"Karana", "half of a tithi"},
        {"Vaar", "the day of the week"},
    };
    for (const auto& [term, meaning] : terms) {
        auto* label = StyledLabel(QStringLiteral("<b>%1</b> — %2").arg(QString::fromLatin1(term),
                                                                   QString::fromLatin1(meaning)),
                             "about");
        label->setTextFormat(Qt::RichText);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    layout->addStretch(1);
    return card;
}

}  // namespace

DetailsPanel::DetailsPanel(const DetailsPanelLayout& design, QWidget* parent) : QWidget(parent) {
    setObjectName(QString::fromLatin1(design.panelName));

    auto* card = Card();
    auto* rows = new QVBoxLayout(card);
    rows->setContentsMargins(14, 12, 14, 12);
    rows->setSpacing(1);
    for (std::size_t r = 0; r < PanelRowCount; ++r) {
        auto* row = new QWidget;
        row->setAttribute(Qt::WA_StyledBackground);
        row->setProperty("role", r % 2 == 0 ? "rowEven" : "rowOdd");
        auto* line = new QHBoxLayout(row);
        line->setContentsMargins(0, 0, 0, 0);
        auto* heading = StyledLabel(FromView((*design.headings)[r]), "rowHeading");
        heading->setObjectName(QString::fromLatin1(design.valueName) + QStringLiteral("Heading") + QString::number(r));
        heading->setFixedWidth(215);
        heading->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        const int index = design.valueIndexes[r];
        auto* value = StyledLabel(QString::fromLatin1(design.initialValue), "rowValue");
        value->setObjectName(QString::fromLatin1(design.valueName) + QString::number(index));
        value->setTextFormat(Qt::PlainText);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        value->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        rowValues_[r] = value;
        line->addWidget(heading);
        line->addWidget(value, 1);
        const auto limb = std::find(LimbPanelRows.begin(), LimbPanelRows.end(), r);
        if (limb != LimbPanelRows.end()) {
            auto* until = StyledLabel(QString(), "rowUntil");
            until->setObjectName(QString::fromLatin1(design.valueName) + QStringLiteral("Until") +
                                 QString::number(index));
            until->setTextFormat(Qt::PlainText);
            until->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            untilLabels_[static_cast<std::size_t>(limb - LimbPanelRows.begin())] = until;
            line->addWidget(until);
        }
        rows->addWidget(row);
    }
    // Another ayanamsa than the program's Lahiri is named under the names, with its value at the moment.
    ayanamsa_ = StyledLabel(QString(), "hint");
    ayanamsa_->setObjectName(QString::fromLatin1(design.valueName) + QStringLiteral("Ayanamsa"));
    ayanamsa_->setTextFormat(Qt::PlainText);
    ayanamsa_->setContentsMargins(0, 6, 0, 0);
    ayanamsa_->hide();
    rows->addWidget(ayanamsa_);

    // The planets block, a grid of the nine bodies below the names.
    planets_ = Card();
    planets_->setObjectName(QString::fromLatin1(design.valueName) + QStringLiteral("Planets"));
    auto* grid = new QGridLayout(planets_);
    grid->setContentsMargins(16, 14, 16, 14);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);
    grid->addWidget(StyledLabel(QStringLiteral("Planets"), "cardTitle"), 0, 0, 1, static_cast<int>(PlanetColumns));
    for (std::size_t b = 0; b < planetCells_.size(); ++b) {
        for (std::size_t c = 0; c < PlanetColumns; ++c) {
            auto* cell = StyledLabel(QString(), c == 0 ? "rowHeading" : "rowValue");
            cell->setObjectName(QString::fromLatin1(design.valueName) + QStringLiteral("Planet") +
                                QString::number(b) + QStringLiteral("_") + QString::number(c));
            cell->setTextFormat(Qt::PlainText);
            cell->setTextInteractionFlags(Qt::TextSelectableByMouse);
            if (c == 3) cell->setMinimumWidth(160);  // room for the longest nakshatra, "Poorva Bhadrapada"
            planetCells_[b][c] = cell;
            grid->addWidget(cell, static_cast<int>(b) + 1, static_cast<int>(c));
        }
    }
    planets_->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Maximum);  // the names keep the room they need
    planets_->hide();

    back = BackButton(design.backName);
    auto* layout = ResultTabLayout(this);
    // Beside the names: the planets when the calculation placed them, else what the names mean.
    glossary_ = Glossary();
    auto* columns = new QHBoxLayout;
    columns->setSpacing(14);
    card->setMinimumWidth(505);  // the longest value, a date with its "MM:DD:YYYY", whole
    columns->addWidget(card, 1, Qt::AlignTop);
    columns->addWidget(planets_, 0, Qt::AlignTop);
    columns->addWidget(glossary_, 0, Qt::AlignTop);
    // The heading and the names scroll in a window smaller than they are; Back stays in view.
    auto* contents = new QVBoxLayout;
    contents->setSpacing(layout->spacing());
    contents->addWidget(ReportHeading(QString::fromLatin1(design.subtitle)));
    contents->addLayout(columns);
    contents->addStretch(1);
    layout->addWidget(ScrollingContents(contents, "scrDetails"), 1);
    layout->addLayout(BackRow(back));
}

void DetailsPanel::ShowValues(const std::array<std::string, PanelRowCount>& values) {
    for (std::size_t r = 0; r < PanelRowCount; ++r) rowValues_[r]->setText(QString::fromStdString(values[r]));
}

void DetailsPanel::ShowUntil(const std::array<std::string, PanelRowCount>& texts) {
    for (std::size_t i = 0; i < LimbCount; ++i) untilLabels_[i]->setText(QString::fromStdString(texts[LimbPanelRows[i]]));
}

void DetailsPanel::ShowAyanamsa(const std::string& text) {
    ayanamsa_->setText(QStringLiteral("Ayanamsa: ") + QString::fromStdString(text));
    ayanamsa_->setVisible(!text.empty());
}

void DetailsPanel::ShowPlanets(const std::optional<Sky>& sky) {
    planets_->setVisible(sky.has_value());
    glossary_->setVisible(!sky.has_value());
    if (!sky) return;
    const auto rows = PlanetRows(*sky);
    for (std::size_t b = 0; b < rows.size(); ++b) {
        const PlanetRow& row = rows[b];
        const std::array<QString, PlanetColumns> texts = {FromView(row.body), FromView(row.sign),
                                                          QString::fromStdString(row.degrees),
                                                          FromView(row.nakshatra),
                                                          row.retrograde ? QStringLiteral("R") : QString()};
        for (std::size_t c = 0; c < PlanetColumns; ++c) planetCells_[b][c]->setText(texts[c]);
    }
}

ResultsView::ResultsView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picMuhurthaResult"));
    birth = new DetailsPanel(BirthPanelLayout);
    muhurtha = new DetailsPanel(MuhurthaPanelLayout);
    analysis = BuildAnalysisPanel();
    day = new DayPanel;

    tabs = new QTabWidget;
    tabs->setObjectName(QStringLiteral("TS"));
    tabs->setUsesScrollButtons(false);
    tabs->tabBar()->setExpanding(false);
    tabs->addTab(birth, QStringLiteral("Birth Details"));
    tabs->addTab(muhurtha, QStringLiteral("Muhurtha Details"));
    tabs->addTab(analysis, QStringLiteral("Muhurtha Analysis"));
    tabs->addTab(day, QStringLiteral("Day"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 8, 12, 8);
    layout->addWidget(tabs);
}

QWidget* ResultsView::BuildAnalysisPanel() {
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("picResultMuhurtha"));

    // The factor lines, total score and rating of the muhurtha.
    result = new QLabel;
    result->setObjectName(QStringLiteral("lblResult"));
    result->setTextFormat(Qt::PlainText);
    result->setWordWrap(true);
    result->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    result->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setWidget(result);
    scroll->setFrameShape(QFrame::NoFrame);
    result->setStyleSheet(QStringLiteral("background: transparent;"));

    resultScroll_ = scroll;
    peopleScroll_ = new QScrollArea;
    auto* peopleArea = static_cast<QScrollArea*>(peopleScroll_);
    peopleArea->setWidgetResizable(true);
    peopleArea->setFrameShape(QFrame::NoFrame);
    auto* peopleBox = new QWidget;
    peopleBox->setStyleSheet(QStringLiteral("background: transparent;"));
    peopleRow_ = new QHBoxLayout(peopleBox);
    peopleRow_->setContentsMargins(0, 0, 0, 0);
    peopleRow_->setSpacing(14);
    peopleRow_->addStretch(1);
    peopleArea->setWidget(peopleBox);
    peopleScroll_->hide();

    auto* verdict = Card();
    verdictCard_ = verdict;
    verdict->setFixedWidth(340);
    auto* verdictLayout = new QVBoxLayout(verdict);
    verdictLayout->setContentsMargins(14, 12, 8, 12);
    verdictLayout->addWidget(StyledLabel(QStringLiteral("Muhurtha Factors"), "cardTitle"));
    dayWarning = new QLabel;
    dayWarning->setObjectName(QStringLiteral("lblDayWarning"));
    dayWarning->setProperty("role", "warning");
    dayWarning->setWordWrap(true);
    dayWarning->hide();
    verdictLayout->addWidget(dayWarning);
    verdictLayout->addWidget(scroll, 1);
    verdictLayout->addWidget(peopleScroll_, 1);
    seasonWarning = new QLabel;
    seasonWarning->setObjectName(QStringLiteral("lblSeasonWarning"));
    seasonWarning->setProperty("role", "warning");
    seasonWarning->setWordWrap(true);
    seasonWarning->hide();
    verdictLayout->addWidget(seasonWarning);

    report = new QTextBrowser;
    report->setObjectName(QStringLiteral("RTB"));
    report->setReadOnly(true);
    report->setOpenExternalLinks(false);
    report->setOpenLinks(false);
    report->setPlaceholderText(QStringLiteral("The analysis of the muhurtha appears here."));

    auto* columns = new QHBoxLayout;
    columns->setSpacing(12);
    columns->addWidget(verdict);
    columns->addWidget(report, 1);

    detailedAnalysisLink = new ClickableLabel(QStringLiteral("For Detailed Analysis Visit ") +
                                              QString::fromLatin1(PublisherSite));
    detailedAnalysisLink->setObjectName(QStringLiteral("lblDetailedAnalysis"));
    StyleAsLink(detailedAnalysisLink);

    print = new QPushButton(QStringLiteral("&Print"));
    print->setObjectName(QStringLiteral("cmdSave"));
    print->setProperty("role", "primary");
    print->setMinimumWidth(96);
    saveReport = new QPushButton(QStringLiteral("&Save Report..."));
    saveReport->setObjectName(QStringLiteral("cmdSaveReport"));
    saveReport->setMinimumWidth(120);
    analysisBack = BackButton("cmdBack4");

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(analysisBack);
    buttons->addSpacing(12);
    buttons->addWidget(detailedAnalysisLink);
    buttons->addStretch(1);
    buttons->addWidget(saveReport);
    buttons->addWidget(print);

    combined = new QLabel;
    combined->setObjectName(QStringLiteral("lblCombined"));
    combined->setProperty("role", "cardTitle");
    combined->setWordWrap(true);
    combined->setTextInteractionFlags(Qt::TextSelectableByMouse);
    combined->hide();

    auto* layout = ResultTabLayout(panel);
    layout->addWidget(combined);
    layout->addLayout(columns, 1);
    layout->addLayout(buttons);
    return panel;
}

void ResultsView::ShowPeople(const PeopleCalculation* people) {
    for (QWidget* column : personColumns) delete column;
    personColumns.clear();
    const bool several = people != nullptr && people->people.size() > 1;
    combined->setVisible(several && people->combined.has_value());
    resultScroll_->setVisible(!several);
    peopleScroll_->setVisible(several);
    // Two columns fit beside the report; a third and more are scrolled to.
    verdictCard_->setFixedWidth(several ? 640 : 340);
    if (!several) {
        combined->clear();
        return;
    }
    if (const std::optional<CombinedVerdict>& verdict = people->combined) {
        std::string names;
        for (const std::string& name : verdict->decidedBy) names += (names.empty() ? "" : ", ") + name;
        QString text = QStringLiteral("Combined Verdict: ") +
                       QString::fromStdString(verdict->stopped ? std::string("not rated")
                                                               : std::string(RatingWord(verdict->rating)));
        if (!names.empty()) text += QStringLiteral("  (decided by ") + QString::fromStdString(names) + QLatin1Char(')');
        text += QLatin1Char('\n') + QString::fromStdString(verdict->reason);
        combined->setText(text);
    }
    for (std::size_t i = 0; i < people->people.size(); ++i) {
        const PersonResult& person = people->people[i];
        std::string heading = person.name;
        if (person.role != Role::None) heading += " (" + std::string(RoleWord(person.role)) + ")";
        std::string text;
        if (const std::optional<Evaluation>& e = person.calculation.evaluation) {
            text += e->stopped ? e->message : e->resultText;
        }
        if (person.bala) text += "\r\n\r\n" + BalaLine(*person.bala);
        QString shown = QString::fromStdString(text);
        shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));

        auto* column = new QWidget;
        column->setObjectName(QStringLiteral("colPerson%1").arg(i + 1));
        column->setFixedWidth(290);
        auto* columnLayout = new QVBoxLayout(column);
        columnLayout->setContentsMargins(0, 0, 0, 0);
        auto* name = new QLabel(QString::fromStdString(heading));
        name->setObjectName(QStringLiteral("lblPersonName%1").arg(i + 1));
        name->setWordWrap(true);
        QFont bold = name->font();
        bold.setBold(true);
        name->setFont(bold);
        auto* lines = new QLabel(shown);
        lines->setObjectName(QStringLiteral("lblPerson%1").arg(i + 1));
        lines->setTextFormat(Qt::PlainText);
        lines->setWordWrap(true);
        lines->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        lines->setTextInteractionFlags(Qt::TextSelectableByMouse);
        columnLayout->addWidget(name);
        columnLayout->addWidget(lines);
        columnLayout->addStretch(1);
        peopleRow_->insertWidget(static_cast<int>(i), column);
        personColumns.push_back(column);
    }
}

}  // namespace kalvora
