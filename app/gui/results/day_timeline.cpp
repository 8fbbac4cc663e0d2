#include "app/gui/results/day_timeline.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>
#include <vector>

#include <QPainter>
#include <QPainterPath>

#include "app/gui/shell/theme.h"
#include "driver/panels.h"

namespace kalvora {

namespace {

// Room for the lane captions on the left, and the lanes' places from the top (pixels).
constexpr int Gutter = 86;
constexpr int RightMargin = 14;
constexpr int ScaleTop = 2;
constexpr int SkyTop = 20;
constexpr int SkyHeight = 28;
constexpr int LaneHeight = 20;
constexpr int LimbLaneHeight = 18;
constexpr int LaneGap = 4;
constexpr int KalamTop = SkyTop + SkyHeight + 8;
constexpr int MuhurtaTop = KalamTop + LaneHeight + LaneGap;
constexpr int ChoghadiyaTop = MuhurtaTop + LaneHeight + LaneGap;
constexpr int LimbTop = ChoghadiyaTop + LaneHeight + 8;
constexpr int LanesBottom = LimbTop + static_cast<int>(LimbCount) * (LimbLaneHeight + LaneGap) - LaneGap;
constexpr int LegendTop = LanesBottom + 14;
constexpr int LegendRowHeight = 18;
constexpr int LegendRows = 2;

namespace palette {
const QColor Track{0xF6, 0xF0, 0xE3};
const QColor HourLine{0xE6, 0xDC, 0xC6};
const QColor DayTop{0xFB, 0xE9, 0xB7};
const QColor DayBottom{0xF2, 0xCF, 0x7E};
const QColor Night{0x2E, 0x3A, 0x63};
const QColor NightText{0xDD, 0xE1, 0xF2};
const QColor RahuKalam{0xC0, 0x39, 0x2B};
const QColor Yamaganda{0xD9, 0x82, 0x2B};
const QColor Gulika{0x7D, 0x4E, 0x9A};
const QColor Durmuhurta{0x55, 0x6B, 0x7D};
const QColor Abhijit{0x2E, 0x8B, 0x57};
const QColor GoodPart{0xCF, 0xE8, 0xC9};
const QColor GoodText{0x1F, 0x5E, 0x32};
const QColor BadPart{0xF4, 0xD2, 0xC9};
const QColor BadText{0x8B, 0x2A, 0x14};
const QColor LimbEven{0xEF, 0xE4, 0xCC};
const QColor LimbOdd{0xF9, 0xF3, 0xE6};
const QColor LimbTick{0xC8, 0x78, 0x2A};
const QColor Chosen{0x1F, 0x5F, 0xA8};
}  // namespace palette

// The colour of each avoided period, in the order of InauspiciousPeriod.
const std::array<QColor, 4> PeriodColours = {palette::RahuKalam, palette::Yamaganda, palette::Gulika,
                                             palette::Durmuhurta};

// What a period's band says where its whole name does not fit, in the order of InauspiciousPeriod.
constexpr auto ShortPeriodNames = std::to_array<std::string_view>({"Rahu", "Yama", "Gulika", "Dur."});
static_assert(ShortPeriodNames.size() == InauspiciousPeriodNames.size());

struct LegendEntry {
    const char* text;
    QColor colour;
};

// A local clock minute's time of day, "HH:MM".
QString TimeOfDayText(ClockMinute minute) { return QString::fromStdString(ClockText(MinuteOfDay(minute))); }

// The top of limb i's lane.
constexpr int LimbLaneTop(std::size_t i) { return LimbTop + static_cast<int>(i) * (LimbLaneHeight + LaneGap); }

}  // namespace

DayTimeline::DayTimeline(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("wDayTimeline"));
    setAccessibleName(QStringLiteral("The day at a glance"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize DayTimeline::sizeHint() const { return {900, minimumSizeHint().height()}; }

QSize DayTimeline::minimumSizeHint() const {
    return {520, LegendTop + LegendRows * LegendRowHeight + 4};
}

void DayTimeline::ShowDay(const DayView& day, double chosenJdUt) {
    day_ = day;
    chosenJdUt_ = chosenJdUt;
    if (day.sun.sunriseJdUt && day.sun.nextSunriseJdUt) {
        startJdUt_ = *day.sun.sunriseJdUt;
        endJdUt_ = *day.sun.nextSunriseJdUt;
    } else {
        startJdUt_ = LocalMidnightJdUt(day.sun.date, day.place.zoneOffsetSeconds);
        endJdUt_ = startJdUt_ + 1.0;
    }
    update();
}

double DayTimeline::XOf(double jdUt) const {
    const double fraction = (jdUt - startJdUt_) / (endJdUt_ - startJdUt_);
    return Gutter + std::clamp(fraction, 0.0, 1.0) * (width() - Gutter - RightMargin);
}

double DayTimeline::JdUtOfMinute(ClockMinute minute) const {
    const int offset = day_ ? day_->place.zoneOffsetSeconds : 0;
    return JdUtOfClockMinute(minute, offset);
}

// The painter with the small font, the drawn span's edges, and the two ways every part draws: a band over a span of
// time and a text inside a box.
struct DayTimeline::Canvas {
    const DayTimeline& timeline;
    QPainter& painter;
    const QFontMetrics& metrics;
    double left = Gutter;
    double right = timeline.width() - RightMargin;

    // The time of day of a moment on the day's clock.
    QString Clock(double jdUt) const {
        return TimeOfDayText(ClockMinuteHolding(jdUt, timeline.day_->place.zoneOffsetSeconds));
    }
    bool Inside(double jdUt) const { return timeline.startJdUt_ <= jdUt && jdUt < timeline.endJdUt_; }

    // Text drawn in a box only where it fits whole.
    bool FittedText(const QRectF& box, const QString& text, const QColor& colour, Qt::Alignment align) {
        if (metrics.horizontalAdvance(text) + 8 > box.width()) return false;
        painter.setPen(colour);
        painter.drawText(box.adjusted(4, 0, -4, 0), static_cast<int>(align | Qt::AlignVCenter), text);
        return true;
    }
    QRectF Band(int top, int height, double fromJdUt, double toJdUt, const QBrush& brush) {
        const double x0 = timeline.XOf(fromJdUt);
        const double x1 = timeline.XOf(toJdUt);
        const QRectF box(x0, top, std::max(1.0, x1 - x0), height);
        painter.setPen(Qt::NoPen);
        painter.setBrush(brush);
        painter.drawRoundedRect(box.adjusted(0.5, 0, -0.5, 0), 3, 3);
        return box;
    }
};

void DayTimeline::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont small = font();
    small.setPointSizeF(8.0);
    painter.setFont(small);
    const QFontMetrics metrics(small);
    if (!day_) return;
    Canvas canvas{*this, painter, metrics};
    PaintLanes(canvas);
    PaintHours(canvas);
    PaintSky(canvas);
    PaintPeriods(canvas);
    PaintLimbs(canvas);
    PaintChosenMinute(canvas);
    PaintLegend(canvas);
}

void DayTimeline::PaintLanes(Canvas& canvas) const {
    struct Lane {
        QString caption;
        int top, height;
    };
    std::vector<Lane> lanes = {{QStringLiteral("Sun"), SkyTop, SkyHeight},
                               {QStringLiteral("Kalams"), KalamTop, LaneHeight},
                               {QStringLiteral("Muhurtas"), MuhurtaTop, LaneHeight},
                               {QStringLiteral("Choghadiya"), ChoghadiyaTop, LaneHeight}};
    for (std::size_t i = 0; i < LimbCount; ++i) {
        lanes.push_back({FromView(LimbHeadings[i]), LimbLaneTop(i), LimbLaneHeight});
    }
    QPainter& painter = canvas.painter;
    for (const Lane& lane : lanes) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(palette::Track);
        painter.drawRoundedRect(QRectF(canvas.left, lane.top, canvas.right - canvas.left, lane.height), 3, 3);
        painter.setPen(colours::Muted);
        painter.drawText(QRectF(0, lane.top, Gutter - 8, lane.height), Qt::AlignRight | Qt::AlignVCenter,
                         lane.caption);
    }
}

void DayTimeline::PaintHours(Canvas& canvas) const {
    QPainter& painter = canvas.painter;
    const ClockMinute firstMinute = ClockMinuteHolding(startJdUt_, day_->place.zoneOffsetSeconds);
    for (ClockMinute minute = (firstMinute + 59) / 60 * 60; JdUtOfMinute(minute) <= endJdUt_ + 1e-9; minute += 60) {
        const double x = XOf(JdUtOfMinute(minute));
        painter.setPen(QPen(palette::HourLine, 1));
        painter.drawLine(QPointF(x, SkyTop + SkyHeight), QPointF(x, LanesBottom));
        if ((minute / 60) % 3 != 0) continue;
        const QString label = TimeOfDayText(minute);
        const double half = canvas.metrics.horizontalAdvance(label) / 2.0;
        if (x - half < canvas.left || x + half > canvas.right) continue;
        painter.setPen(colours::Muted);
        painter.drawText(QRectF(x - half - 2, ScaleTop, 2 * half + 4, SkyTop - ScaleTop - 2), Qt::AlignCenter, label);
        painter.setPen(QPen(palette::HourLine, 1));
        painter.drawLine(QPointF(x, SkyTop - 3), QPointF(x, SkyTop));
    }
}

void DayTimeline::PaintSky(Canvas& canvas) const {
    const SunDay& sun = day_->sun;
    canvas.Band(SkyTop, SkyHeight, startJdUt_, endJdUt_, palette::Night);
    const bool staysUp = sun.course == SunCourse::MidnightSun && !sun.sunriseJdUt;
    if (!sun.sunriseJdUt && !staysUp) {
        canvas.FittedText(QRectF(canvas.left, SkyTop, canvas.right - canvas.left, SkyHeight),
                          QStringLiteral("The Sun stays below the horizon"), palette::NightText, Qt::AlignLeft);
        return;
    }
    const double up = sun.sunriseJdUt ? std::max(*sun.sunriseJdUt, startJdUt_) : startJdUt_;
    const double down = sun.sunsetJdUt ? std::min(*sun.sunsetJdUt, endJdUt_) : endJdUt_;
    QLinearGradient gradient(0, SkyTop, 0, SkyTop + SkyHeight);
    gradient.setColorAt(0, palette::DayTop);
    gradient.setColorAt(1, palette::DayBottom);
    const QRectF dayBox = canvas.Band(SkyTop, SkyHeight, up, down, gradient);
    if (sun.sunriseJdUt && canvas.Inside(*sun.sunriseJdUt)) {
        canvas.FittedText(dayBox, QStringLiteral("Sunrise ") + canvas.Clock(*sun.sunriseJdUt), colours::Ink,
                          Qt::AlignLeft);
    }
    if (sun.sunsetJdUt && canvas.Inside(*sun.sunsetJdUt)) {
        canvas.FittedText(dayBox, QStringLiteral("Sunset ") + canvas.Clock(*sun.sunsetJdUt), colours::Ink,
                          Qt::AlignRight);
        const QRectF nightBox(XOf(*sun.sunsetJdUt), SkyTop, canvas.right - XOf(*sun.sunsetJdUt), SkyHeight);
        if (sun.nextSunriseJdUt && day_->periods) {
            canvas.FittedText(nightBox,
                              QStringLiteral("Night  \u00B7  next sunrise ") + canvas.Clock(*sun.nextSunriseJdUt),
                              palette::NightText, Qt::AlignRight);
        }
    }
    if (staysUp) {
        canvas.FittedText(dayBox, QStringLiteral("The Sun stays above the horizon"), colours::Ink, Qt::AlignLeft);
    }
}

void DayTimeline::PaintPeriods(Canvas& canvas) const {
    if (!day_->periods) {
        for (const int top : {KalamTop, MuhurtaTop, ChoghadiyaTop}) {
            canvas.FittedText(QRectF(canvas.left, top, canvas.right - canvas.left, LaneHeight),
                              QStringLiteral("no periods without sunrise and sunset"), colours::Muted, Qt::AlignLeft);
        }
        return;
    }
    const DayPeriods& periods = *day_->periods;
    for (const auto& [period, span] : AvoidedSpans(periods)) {
        const bool muhurta = period == InauspiciousPeriod::Durmuhurta;
        const QRectF box = canvas.Band(muhurta ? MuhurtaTop : KalamTop, LaneHeight, span.startJdUt, span.endJdUt,
                                       PeriodColours[static_cast<std::size_t>(period)]);
        if (!canvas.FittedText(box, FromView(NameOf(period)), Qt::white, Qt::AlignHCenter)) {
            canvas.FittedText(box, FromView(ShortPeriodNames[static_cast<std::size_t>(period)]), Qt::white,
                              Qt::AlignHCenter);
        }
    }
    if (periods.abhijit) {
        const QRectF box = canvas.Band(MuhurtaTop, LaneHeight, periods.abhijit->startJdUt, periods.abhijit->endJdUt,
                                       palette::Abhijit);
        canvas.FittedText(box, QStringLiteral("Abhijit"), Qt::white, Qt::AlignHCenter);
    }
    for (const ChoghadiyaPart& part : periods.choghadiyas) {
        const QRectF box = canvas.Band(ChoghadiyaTop, LaneHeight, part.span.startJdUt, part.span.endJdUt,
                                       part.good ? palette::GoodPart : palette::BadPart);
        canvas.FittedText(box, FromView(RowOf(part.choghadiya).name), part.good ? palette::GoodText : palette::BadText,
                          Qt::AlignHCenter);
    }
}

void DayTimeline::PaintLimbs(Canvas& canvas) const {
    QPainter& painter = canvas.painter;
    for (std::size_t i = 0; i < LimbCount; ++i) {
        const int top = LimbLaneTop(i);
        const auto& spans = day_->limbs[i];
        for (std::size_t s = 0; s < spans.size(); ++s) {
            const double from = std::max(JdUtOfMinute(spans[s].start), startJdUt_);
            const double to = std::min(JdUtOfMinute(spans[s].end), endJdUt_);
            if (to <= from) continue;
            const QRectF box =
                canvas.Band(top, LimbLaneHeight, from, to, s % 2 == 0 ? palette::LimbEven : palette::LimbOdd);
            QString endLabel;
            if (canvas.Inside(JdUtOfMinute(spans[s].end))) {
                endLabel = TimeOfDayText(spans[s].end);
                canvas.FittedText(box, endLabel, palette::LimbTick, Qt::AlignRight);
                const double x = XOf(JdUtOfMinute(spans[s].end));
                painter.setPen(QPen(palette::LimbTick, 2));
                painter.drawLine(QPointF(x, top - 2), QPointF(x, top + LimbLaneHeight + 2));
            }
            const double room =
                box.width() - 12 - (endLabel.isEmpty() ? 0 : canvas.metrics.horizontalAdvance(endLabel) + 8);
            const QString name = canvas.metrics.elidedText(FromView(spans[s].value.name), Qt::ElideRight,
                                                           static_cast<int>(std::max(0.0, room)));
            if (name.size() >= 5) {  // a name cut to a stub says nothing
                canvas.FittedText(box, name, colours::Ink, Qt::AlignLeft);
            }
        }
    }
}

void DayTimeline::PaintChosenMinute(Canvas& canvas) const {
    if (!canvas.Inside(chosenJdUt_)) return;
    QPainter& painter = canvas.painter;
    const double x = XOf(chosenJdUt_);
    painter.setPen(QPen(palette::Chosen, 2));
    painter.drawLine(QPointF(x, SkyTop - 2), QPointF(x, LanesBottom + 3));
    const QString label = canvas.Clock(chosenJdUt_);
    const double w = canvas.metrics.horizontalAdvance(label) + 10;
    const double flagLeft = std::clamp(x - w / 2, canvas.left, canvas.right - w);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette::Chosen);
    const QRectF flag(flagLeft, ScaleTop, w, SkyTop - ScaleTop - 2);
    painter.drawRoundedRect(flag, 3, 3);
    painter.setPen(Qt::white);
    painter.drawText(flag, Qt::AlignCenter, label);
}

void DayTimeline::PaintLegend(Canvas& canvas) const {
    const auto legend = std::to_array<LegendEntry>({
        {"Day", palette::DayBottom},
        {"Night", palette::Night},
        {"Rahu kalam", palette::RahuKalam},
        {"Yamaganda", palette::Yamaganda},
        {"Gulika", palette::Gulika},
        {"Durmuhurta", palette::Durmuhurta},
        {"Abhijit", palette::Abhijit},
        {"Good choghadiya", palette::GoodPart},
        {"Bad choghadiya", palette::BadPart},
        {"Change of a limb", palette::LimbTick},
        {"Chosen time", palette::Chosen},
    });
    QPainter& painter = canvas.painter;
    double x = canvas.left;
    double y = LegendTop;
    for (const LegendEntry& entry : legend) {
        const QString text = QString::fromLatin1(entry.text);
        const double w = 12 + 5 + canvas.metrics.horizontalAdvance(text) + 16;
        if (x + w > canvas.right && x > canvas.left) {
            x = canvas.left;
            y += LegendRowHeight;
        }
        painter.setPen(QPen(entry.colour.darker(115), 1));
        painter.setBrush(entry.colour);
        painter.drawRoundedRect(QRectF(x, y + 3, 12, 12), 2, 2);
        painter.setPen(colours::Ink);
        painter.drawText(QRectF(x + 17, y, w - 17, LegendRowHeight), Qt::AlignLeft | Qt::AlignVCenter, text);
        x += w;
    }
}

}  // namespace kalvora
