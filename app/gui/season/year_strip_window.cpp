#include "app/gui/season/year_strip_window.h"

#include <algorithm>

#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/gui/season/year_strip.h"
#include "app/gui/shell/shell.h"
#include "app/gui/shell/theme.h"
#include "zone/zone.h"

namespace kalvora {

SeasonClock SeasonClockOfPlace(const SeasonPlace& place, int year) {
    if (!place.zoneId.empty()) {
        if (const std::optional<TimeZone> zone = OpenTimeZone(place.zoneId)) {
            const auto [from, to] = SeasonClockDates(year);
            return ClockOfZone(*zone, from, to);
        }
    }
    return FixedClock(place.zone);
}

YearStripWindow::YearStripWindow(SeasonPlace place, int year, QWidget* parent)
    : QDialog(parent), place_(std::move(place)) {
    setObjectName(QStringLiteral("dlgSeasonYear"));
    setWindowTitle(QStringLiteral("Season of the Year - ") + QString::fromLatin1(AppTitle));
    setAttribute(Qt::WA_StyledBackground);

    previous_ = new QPushButton(QStringLiteral("\u25C0 &Previous Year"));
    previous_->setObjectName(QStringLiteral("cmdSeasonPrevious"));
    next_ = new QPushButton(QStringLiteral("&Next Year \u25B6"));
    next_->setObjectName(QStringLiteral("cmdSeasonNext"));
    connect(previous_, &QPushButton::clicked, this, [this] { ShowYear(Year() - 1); });
    connect(next_, &QPushButton::clicked, this, [this] { ShowYear(Year() + 1); });
    title_ = StyledLabel(QString(), "pageTitle");
    title_->setObjectName(QStringLiteral("lblSeasonYear"));
    auto* top = new QHBoxLayout;
    top->addWidget(title_);
    top->addStretch(1);
    top->addWidget(previous_);
    top->addWidget(next_);

    clock_ = StyledLabel(QString(), "hint");
    clock_->setObjectName(QStringLiteral("lblSeasonClock"));
    clock_->setWordWrap(true);
    strip_ = new YearStrip;
    auto* note = StyledLabel(QStringLiteral("Rest the pointer on a month or a span for its exact start and end. ") +
                                 FromView(CombustionNote),
                             "hint");
    note->setObjectName(QStringLiteral("lblSeasonNote"));
    note->setWordWrap(true);

    auto* close = new QPushButton(QStringLiteral("Cl&ose"));
    close->setObjectName(QStringLiteral("cmdSeasonClose"));
    close->setMinimumWidth(96);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 14, 18, 14);
    layout->setSpacing(10);
    layout->addLayout(top);
    layout->addWidget(clock_);
    layout->addWidget(strip_);
    layout->addWidget(note);
    layout->addStretch(1);
    layout->addLayout(bottom);
    ShowYear(year);
    resize(1120, sizeHint().height());
}

void YearStripWindow::ShowYear(int year) {
    year = std::clamp(year, FirstYear, LastYear);
    const SeasonClock clock = SeasonClockOfPlace(place_, year);
    season_ = SeasonOfYear(year, clock, place_.reckoning);
    const double now = EpochJdUt + static_cast<double>(QDateTime::currentSecsSinceEpoch()) / SecondsPerDay;
    strip_->ShowSeason(season_, FirstMinuteFrom(now, OffsetOnClock(clock, now)));
    title_->setText(QStringLiteral("Season of %1").arg(year));
    const bool followsZone = !place_.zoneId.empty() && OpenTimeZone(place_.zoneId).has_value();
    const QString zone = followsZone
                             ? QString::fromStdString(place_.zoneId)
                             : QStringLiteral("UTC") + QString::fromStdString(OffsetText(ZoneOffsetSeconds(place_.zone)));
    QString where = place_.caption.isEmpty() ? QString() : place_.caption + QStringLiteral(": ");
    where += QStringLiteral("the lunar months and the vetoes on the clock of ") + zone;
    if (season_.clockChanges) where += QStringLiteral(", each time on the offset in force then");
    clock_->setText(where + QLatin1Char('.'));
    previous_->setEnabled(year > FirstYear);
    next_->setEnabled(year < LastYear);
}

}  // namespace kalvora
