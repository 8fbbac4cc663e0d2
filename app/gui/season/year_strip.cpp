#include "app/gui/season/year_strip.h"

#include <algorithm>
#include <array>

#include <QHelpEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

#include "app/gui/shell/theme.h"

namespace kalvora {
namespace {

// How each veto is drawn: a tint and a hatching of its own, so that the rows read apart without colour too.
struct VetoLook {
    QColor colour;
    Qt::BrushStyle hatching;
};
const std::array<VetoLook, VetoCount> VetoLooks = {{
    {QColor(0xC9, 0x8A, 0x1E), Qt::FDiagPattern},     // Guru asta
    {QColor(0xC2, 0x4F, 0x86), Qt::BDiagPattern},     // Shukra asta
    {QColor(0x74, 0x52, 0xA8), Qt::DiagCrossPattern}, // Adhika masa
    {QColor(0x2E, 0x86, 0x78), Qt::HorPattern},       // Chaturmas
    {QColor(0xB0, 0x40, 0x2A), Qt::VerPattern},       // Kharmas
    {QColor(0x55, 0x5A, 0x70), Qt::CrossPattern},     // Pitru paksha
}};
const QColor MonthTint{0xF2, 0xE4, 0xC4};
const QColor OtherMonthTint{0xD8, 0xE3, 0xEF};
const QColor TodayColour{0xB0, 0x1E, 0x1E};

constexpr double LabelWidth = 112.0;
constexpr double RightMargin = 14.0;
constexpr double ScaleHeight = 22.0;
constexpr double MonthRowHeight = 46.0;
constexpr double VetoRowPitch = 28.0;
constexpr double BarHeight = 22.0;
constexpr double LegendLine = 20.0;
constexpr double TodayFlagHeight = 18.0;
constexpr double LegendSwatch = 30.0;  // the swatch and the gap after it
constexpr double LegendGap = 18.0;     // between entries
constexpr int WidestDrawing = 1000;

QString Text(std::string_view text) { return FromView(text); }

// "14 Jul-13 Aug": the dates of a span's first minute and of its end, as short as a bar can hold.
QString ShortDates(ClockMinute start, ClockMinute end) {
    const auto date = [](ClockMinute minute) {
        const LocalDate d = DateOfClockMinute(minute);
        return QString::number(d.day) + QLatin1Char(' ') + Text(MonthName(d.month).substr(0, 3));
    };
    return date(start) + QStringLiteral("\u2013") + date(end);
}

QString Tip(const QString& name, const SeasonEdge& start, const SeasonEdge& end, bool offsets) {
    return name + QLatin1Char('\n') + QString::fromStdString(SeasonEdgeText(start, offsets)) + QStringLiteral(" to ") +
           QString::fromStdString(SeasonEdgeText(end, offsets));
}

void Hatch(QPainter& painter, const QRectF& rect, const QColor& colour, Qt::BrushStyle style) {
    painter.fillRect(rect, colour.lighter(185));
    painter.fillRect(rect, QBrush(colour.darker(120), style));
}

// One entry of the legend: a veto's hatching, a month's, or today's line.
struct LegendEntry {
    QString text;
    std::optional<VetoLook> look;
    Qt::BrushStyle monthHatching = Qt::NoBrush;
    bool today = false;
};
std::vector<LegendEntry> LegendEntries() {
    std::vector<LegendEntry> entries;
    for (const VetoRow& row : VetoTable) {
        entries.push_back({Text(row.name) + QStringLiteral(": ") + Text(row.what),
                           VetoLooks[static_cast<std::size_t>(row.veto)]});
    }
    entries.push_back({QStringLiteral("Adhika (leap) month"), std::nullopt, Qt::BDiagPattern});
    entries.push_back({QStringLiteral("Kshaya (lost) month"), std::nullopt, Qt::CrossPattern});
    entries.push_back({QStringLiteral("Today"), std::nullopt, Qt::NoBrush, true});
    return entries;
}

}  // namespace

YearStrip::YearStrip(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picYearStrip"));
    setAccessibleName(QStringLiteral("The lunar months and vetoes of the year"));
    setMouseTracking(true);
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void YearStrip::ShowSeason(const SeasonYear& season, std::optional<ClockMinute> today) {
    season_ = season;
    today_ = today;
    // What the drawing shows, for a screen reader: each month, then each veto span, with its dates.
    QStringList parts;
    for (const SeasonYearMonth& m : season.months) {
        parts << Tip(QString::fromStdString(LunarMonthText(m.month)), m.start, m.end, season.clockChanges);
    }
    for (const SeasonYearVeto& v : season.vetoes) {
        parts << Tip(Text(RowOf(v.veto).name) + QStringLiteral(": ") + Text(RowOf(v.veto).what), v.start, v.end,
                     season.clockChanges);
    }
    setAccessibleDescription(parts.join(QStringLiteral(";\n")).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    update();
}

std::vector<QPointF> YearStrip::LegendPlaces(double right) const {
    const QFontMetricsF metrics(font());
    std::vector<QPointF> places;
    double x = 4;
    double y = LegendTop();
    for (const LegendEntry& e : LegendEntries()) {
        const double wide = LegendSwatch + metrics.horizontalAdvance(e.text) + LegendGap;
        if (x + wide > right && x > 4) {
            x = 4;
            y += LegendLine;
        }
        places.emplace_back(x, y);
        x += wide;
    }
    return places;
}

int YearStrip::heightForWidth(int width) const {
    return static_cast<int>(LegendPlaces(width - RightMargin).back().y() + LegendLine + 6);
}
QSize YearStrip::sizeHint() const { return {WidestDrawing, heightForWidth(WidestDrawing)}; }
QSize YearStrip::minimumSizeHint() const { return {720, heightForWidth(720)}; }

double YearStrip::XOf(ClockMinute minute) const {
    if (!season_) return LabelWidth;
    const ClockMinute first = ClockMinuteOf({season_->year, 1, 1}, 0);
    const ClockMinute next = ClockMinuteOf({season_->year + 1, 1, 1}, 0);
    const double width = std::max(1.0, this->width() - LabelWidth - RightMargin);
    const double share = static_cast<double>(std::clamp(minute, first, next) - first) / static_cast<double>(next - first);
    return LabelWidth + share * width;
}

double YearStrip::RowTop(int row) const {
    return row == 0 ? ScaleHeight : ScaleHeight + MonthRowHeight + 8.0 + (row - 1) * VetoRowPitch;
}
double YearStrip::LegendTop() const { return RowTop(1 + static_cast<int>(VetoCount)) + TodayFlagHeight + 10.0; }

std::vector<YearStrip::Piece> YearStrip::Pieces() const {
    std::vector<Piece> pieces;
    if (!season_) return pieces;
    const ClockMinute first = ClockMinuteOf({season_->year, 1, 1}, 0);
    const ClockMinute next = ClockMinuteOf({season_->year + 1, 1, 1}, 0);
    const bool offsets = season_->clockChanges;
    const auto span = [&](const SeasonEdge& start, const SeasonEdge& end, int row, double height) {
        Piece piece;
        piece.row = row;
        piece.rect = QRectF(QPointF(XOf(start.minute), RowTop(row)), QPointF(XOf(end.minute), RowTop(row) + height));
        piece.fromBefore = start.minute < first;
        piece.intoNext = end.minute > next;
        return piece;
    };
    std::vector<SeasonYearMonth> months;
    if (season_->monthRunning) months.push_back(*season_->monthRunning);
    months.insert(months.end(), season_->months.begin(), season_->months.end());
    for (const SeasonYearMonth& m : months) {
        Piece piece = span(m.start, m.end, 0, MonthRowHeight);
        piece.label = QString::fromStdString(LunarMonthText(m.month));
        piece.tip = Tip(piece.label, m.start, m.end, offsets);
        piece.adhika = m.month.adhika;
        piece.kshaya = m.month.kshaya;
        piece.alternate = pieces.size() % 2 == 1;
        pieces.push_back(piece);
    }
    std::vector<SeasonYearVeto> vetoes = season_->vetoesRunning;
    vetoes.insert(vetoes.end(), season_->vetoes.begin(), season_->vetoes.end());
    for (const SeasonYearVeto& v : vetoes) {
        const VetoRow& row = RowOf(v.veto);
        Piece piece = span(v.start, v.end, 1 + static_cast<int>(v.veto), BarHeight);
        piece.label = ShortDates(v.start.minute, v.end.minute);
        piece.tip = Tip(Text(row.name) + QStringLiteral(": ") + Text(row.what), v.start, v.end, offsets);
        pieces.push_back(piece);
    }
    return pieces;
}

QString YearStrip::TipAt(const QPointF& point) const {
    for (const Piece& piece : Pieces()) {
        if (piece.rect.contains(point)) return piece.tip;
    }
    return {};
}

bool YearStrip::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = TipAt(help->pos());
        if (tip.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), tip, this);
        }
        return true;
    }
    return QWidget::event(event);
}

void YearStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), colours::Card);
    if (!season_) return;
    const double left = LabelWidth;
    const double right = width() - RightMargin;
    const double bottom = RowTop(1 + static_cast<int>(VetoCount)) - (VetoRowPitch - BarHeight);
    const QFontMetricsF metrics(font());
    QFont bold = font();
    bold.setBold(true);

    // The Gregorian months along the top.
    painter.setPen(colours::Muted);
    for (int month = 1; month <= 12; ++month) {
        const double x = XOf(ClockMinuteOf({season_->year, month, 1}, 0));
        const double end = XOf(ClockMinuteOf(month == 12 ? LocalDate{season_->year + 1, 1, 1}
                                                         : LocalDate{season_->year, month + 1, 1}, 0));
        painter.drawLine(QPointF(x, 4), QPointF(x, ScaleHeight));
        painter.drawText(QRectF(x, 0, end - x, ScaleHeight - 2), Qt::AlignCenter, Text(MonthName(month).substr(0, 3)));
    }
    painter.drawLine(QPointF(right, 4), QPointF(right, ScaleHeight));

    // The row captions.
    painter.setPen(colours::Ink);
    painter.setFont(bold);
    painter.drawText(QRectF(4, RowTop(0), LabelWidth - 10, MonthRowHeight), Qt::AlignVCenter | Qt::AlignLeft,
                     QStringLiteral("Lunar month"));
    for (const VetoRow& row : VetoTable) {
        const int at = 1 + static_cast<int>(row.veto);
        painter.drawText(QRectF(4, RowTop(at), LabelWidth - 10, BarHeight), Qt::AlignVCenter | Qt::AlignLeft,
                         Text(row.name));
    }
    painter.setFont(font());

    const std::vector<Piece> pieces = Pieces();
    // The months: bands in the top row, and their tints carried faintly under the veto rows.
    for (const Piece& p : pieces) {
        if (p.row != 0) continue;
        QColor tint = p.alternate ? OtherMonthTint : MonthTint;
        QColor faint = tint;
        faint.setAlpha(110);
        painter.fillRect(QRectF(p.rect.left(), p.rect.bottom(), p.rect.width(), bottom - p.rect.bottom()), faint);
        painter.fillRect(p.rect, tint);
        if (p.adhika) painter.fillRect(p.rect, QBrush(colours::Muted, Qt::BDiagPattern));
        if (p.kshaya) painter.fillRect(p.rect, QBrush(colours::Muted, Qt::CrossPattern));
        painter.setPen(QPen(colours::Muted, 1, Qt::DotLine));
        painter.drawLine(QPointF(p.rect.left(), p.rect.top()), QPointF(p.rect.left(), bottom));
        painter.setPen(QPen(colours::Ink, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(p.rect);
        // The name, on two lines where one does not fit, shortened where two do not.
        QString label = p.label;
        const double room = p.rect.width() - 6;
        if (metrics.horizontalAdvance(label) > room) label.replace(QLatin1Char(' '), QLatin1Char('\n'));
        const QStringList lines = label.split(QLatin1Char('\n'));
        const bool fits = std::ranges::all_of(lines, [&](const QString& l) { return metrics.horizontalAdvance(l) <= room; });
        if (!fits) label = metrics.elidedText(p.label, Qt::ElideRight, room);
        if (p.adhika || p.kshaya) {
            // A backing, so that the name reads over the hatching.
            const QRectF text = metrics.boundingRect(p.rect, Qt::AlignCenter, label).adjusted(-3, -1, 3, 1);
            painter.setPen(Qt::NoPen);
            painter.setBrush(colours::Card);
            painter.drawRoundedRect(text, 3, 3);
        }
        painter.setPen(colours::Ink);
        painter.setFont(p.adhika || p.kshaya ? bold : font());
        painter.drawText(p.rect, Qt::AlignCenter, label);
        painter.setFont(font());
    }

    // The veto spans: hatched bars, their dates written on them where they fit; an arrow at an edge of the year
    // where a span runs beyond it.
    for (const Piece& p : pieces) {
        if (p.row == 0) continue;
        const VetoLook& look = VetoLooks[static_cast<std::size_t>(p.row - 1)];
        Hatch(painter, p.rect, look.colour, look.hatching);
        painter.setPen(QPen(look.colour.darker(160), 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(p.rect);
        QString label = p.label;
        if (p.fromBefore) label.prepend(QStringLiteral("\u25C0 "));
        if (p.intoNext) label.append(QStringLiteral(" \u25B6"));
        const double wide = metrics.horizontalAdvance(label) + 8;
        QRectF text(p.rect.center().x() - wide / 2, p.rect.top() + 3, wide, p.rect.height() - 6);
        if (wide > p.rect.width()) {
            // Beside the bar, after it or before it, where nothing else of the row lies.
            text.moveLeft(p.rect.right() + 2);
            if (text.right() > right) text.moveRight(p.rect.left() - 2);
            const bool clear = text.left() >= left && std::ranges::none_of(pieces, [&](const Piece& other) {
                return other.row == p.row && &other != &p && other.rect.intersects(text);
            });
            if (!clear) continue;
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(colours::Card);
        painter.drawRoundedRect(text, 3, 3);
        painter.setPen(colours::Ink);
        painter.drawText(text, Qt::AlignCenter, label);
    }

    // Today.
    if (today_ && XOf(*today_) > left && XOf(*today_) < right) {
        const double x = XOf(*today_);
        painter.setPen(QPen(TodayColour, 2, Qt::DashLine));
        painter.drawLine(QPointF(x, ScaleHeight - 4), QPointF(x, bottom + 4));
        const QString today = QStringLiteral("Today");
        const double wide = metrics.horizontalAdvance(today) + 8;
        const QRectF flag(std::min(x - wide / 2, right - wide), bottom + 4, wide, TodayFlagHeight);
        painter.setPen(Qt::NoPen);
        painter.setBrush(TodayColour);
        painter.drawRoundedRect(flag, 3, 3);
        painter.setPen(Qt::white);
        painter.setFont(bold);
        painter.drawText(flag, Qt::AlignCenter, today);
        painter.setFont(font());
    }

    // The legend, in lines that wrap at the right edge.
    const std::vector<LegendEntry> entries = LegendEntries();
    const std::vector<QPointF> places = LegendPlaces(right);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const LegendEntry& e = entries[i];
        const double x = places[i].x();
        const double y = places[i].y();
        const QRectF swatch(x, y + 3, 24, LegendLine - 6);
        if (e.look) {
            Hatch(painter, swatch, e.look->colour, e.look->hatching);
            painter.setPen(QPen(e.look->colour.darker(160), 1));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(swatch);
        } else if (e.today) {
            painter.setPen(QPen(TodayColour, 2, Qt::DashLine));
            painter.drawLine(QPointF(swatch.center().x(), swatch.top()), QPointF(swatch.center().x(), swatch.bottom()));
        } else {
            painter.fillRect(swatch, MonthTint);
            painter.fillRect(swatch, QBrush(colours::Muted, e.monthHatching));
            painter.setPen(QPen(colours::Ink, 1));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(swatch);
        }
        painter.setPen(colours::Ink);
        painter.drawText(QRectF(x + LegendSwatch, y, right - x - LegendSwatch, LegendLine),
                         Qt::AlignVCenter | Qt::AlignLeft, e.text);
    }
}

}  // namespace kalvora
