#include "report/qt/month_page.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include "report/file_replace.h"

namespace kalvora {
namespace {

constexpr double MarginMm = 10.0;
constexpr double LargestCellPt = 10.0;  // the cells' type, shrunk in steps until the fullest day fits
constexpr double SmallestCellPt = 4.5;
constexpr double CellStepPt = 0.25;

QString Text(const std::string& text) { return QString::fromStdString(text); }

QFont SheetFont(double points, bool bold = false) {
    QFont font(QStringLiteral("Arial"));
    // Without shaping there are no ligatures, so the text of the PDF reads back (and is found) letter by letter.
    font.setStyleHint(QFont::SansSerif, QFont::PreferNoShaping);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// Light tints that print as pale greys; the rating's symbol carries the meaning in black and white.
QColor Tint(Rating rating) {
    switch (rating) {
        case Rating::Good: return QColor(0xe4, 0xf2, 0xe1);
        case Rating::Average: return QColor(0xfb, 0xf1, 0xd6);
        case Rating::Bad: return QColor(0xf6, 0xe0, 0xde);
        case Rating::NotRated: break;
    }
    return QColor(Qt::white);
}

bool Emphasised(const MonthCell& cell, std::size_t line) { return cell.best.has_value() && line == cell.bestLine; }

// The height of `text` wrapped to `width` in `font` on the device.
double WrappedHeight(const QString& text, const QFont& font, double width, QPaintDevice* device) {
    return QFontMetricsF(font, device).boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, text).height();
}

// The first line: the date in larger bold type on the left, sunrise and sunset on the right, or under the date
// where the cell is too narrow for both. Returns the height it takes; draws only with a painter.
double DateLine(const MonthCell& cell, double points, const QRectF& area, QPaintDevice* device,
                QPainter* painter = nullptr) {
    const QFont dateFont = SheetFont(points * 1.2, true);
    const QFont sunFont = SheetFont(points);
    const QFontMetricsF date(dateFont, device);
    const QFontMetricsF sun(sunFont, device);
    const QString dateText = Text(cell.dateText);
    const QString sunText = Text(cell.sunText);
    const bool oneLine = date.horizontalAdvance(dateText) + sun.horizontalAdvance(QStringLiteral("  ") + sunText) <=
                         area.width();
    const double height = oneLine ? date.height() : date.height() + sun.height();
    if (painter != nullptr) {
        painter->setFont(dateFont);
        painter->drawText(QRectF(area.left(), area.top(), area.width(), date.height()), Qt::AlignLeft | Qt::AlignBottom,
                          dateText);
        painter->setFont(sunFont);
        const QRectF sunArea = oneLine ? QRectF(area.left(), area.top(), area.width(), date.height())
                                       : QRectF(area.left(), area.top() + date.height(), area.width(), sun.height());
        painter->drawText(sunArea, (oneLine ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignBottom, sunText);
    }
    return height;
}

double CellTextHeight(const MonthCell& cell, double points, double width, QPaintDevice* device) {
    double height = DateLine(cell, points, QRectF(0, 0, width, 0), device);
    for (std::size_t i = 1; i < cell.lines.size(); ++i) {
        height += WrappedHeight(Text(cell.lines[i]), SheetFont(points, Emphasised(cell, i)), width, device);
    }
    return height;
}

// The largest size of the cells' type at which every day's lines fit their cell.
double CellPoints(const MonthSheet& sheet, QSizeF inside, QPaintDevice* device) {
    for (double points = LargestCellPt; points > SmallestCellPt; points -= CellStepPt) {
        const bool fits = std::ranges::all_of(sheet.cells, [&](const MonthCell& cell) {
            return CellTextHeight(cell, points, inside.width(), device) <= inside.height();
        });
        if (fits) return points;
    }
    return SmallestCellPt;
}

// Draws `text` wrapped in the width of `area` from its top; returns the height taken.
double DrawWrapped(QPainter& painter, const QRectF& area, const QString& text, const QFont& font) {
    painter.setFont(font);
    QRectF taken;
    painter.drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text, &taken);
    return taken.height();
}

QString PathText(const QString& path) { return QStringLiteral("\"%1\"").arg(path); }

}  // namespace

int LocaleFirstWeekday() {
    // Qt counts 1 = Monday .. 7 = Sunday.
    return static_cast<int>(QLocale().firstDayOfWeek()) % 7 + 1;
}

bool PaintMonthSheet(const MonthSheet& sheet, QPagedPaintDevice* device, QString* error) {
    QPainter painter;
    if (!painter.begin(device)) {
        if (error) *error = QStringLiteral("the page output could not be started");
        return false;
    }
    const QRect body = device->pageLayout().paintRectPixels(device->logicalDpiX());
    const double perPoint = device->logicalDpiY() / 72.0;
    const double width = body.width();
    painter.setPen(Qt::black);

    // The title and the notes at the top, the legend at the foot, the grid between them.
    double y = DrawWrapped(painter, QRectF(0, 0, width, body.height()), Text(sheet.title), SheetFont(16, true));
    for (const std::string& note : sheet.notes) {
        y += DrawWrapped(painter, QRectF(0, y, width, body.height() - y), Text(note), SheetFont(8.5));
    }
    y += 4 * perPoint;
    const QFont legendFont = SheetFont(7.5);
    const double legendHeight = WrappedHeight(Text(sheet.legend), legendFont, width, device);
    const double gridBottom = body.height() - legendHeight - 4 * perPoint;
    DrawWrapped(painter, QRectF(0, gridBottom + 4 * perPoint, width, legendHeight + perPoint), Text(sheet.legend),
                legendFont);

    const QFont headingFont = SheetFont(8.5, true);
    const double headingHeight = QFontMetricsF(headingFont, device).height() * 1.6;
    const int rows = std::max(sheet.rows, 1);
    const double columnWidth = width / 7;
    const double rowHeight = (gridBottom - y - headingHeight) / rows;
    if (rowHeight <= 0) {
        if (error) *error = QStringLiteral("the page is too small for the month");
        painter.end();
        return false;
    }
    const double pad = 2.5 * perPoint;
    const QPen rule(Qt::black, 0.6 * perPoint);

    painter.setFont(headingFont);
    for (int c = 0; c < 7; ++c) {
        const QRectF heading(c * columnWidth, y, columnWidth, headingHeight);
        painter.fillRect(heading, QColor(0xe6, 0xe6, 0xe6));
        painter.drawText(heading, Qt::AlignCenter, Text(sheet.headings[static_cast<std::size_t>(c)]));
    }
    const double top = y + headingHeight;
    // The days outside the month are shaded, so that the month's own cells stand out.
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < 7; ++c) {
            painter.fillRect(QRectF(c * columnWidth, top + r * rowHeight, columnWidth, rowHeight),
                             QColor(0xf3, 0xf3, 0xf3));
        }
    }
    const QSizeF inside(columnWidth - 2 * pad, rowHeight - 2 * pad);
    const double points = CellPoints(sheet, inside, device);
    for (const MonthCell& cell : sheet.cells) {
        const QRectF box(cell.column * columnWidth, top + cell.row * rowHeight, columnWidth, rowHeight);
        painter.fillRect(box, cell.best ? Tint(*cell.best) : QColor(Qt::white));
        const QRectF area(box.left() + pad, box.top() + pad, inside.width(), inside.height());
        double lineTop = area.top() + DateLine(cell, points, area, device, &painter);
        for (std::size_t i = 1; i < cell.lines.size(); ++i) {
            lineTop += DrawWrapped(painter, QRectF(box.left() + pad, lineTop, inside.width(), box.bottom() - lineTop),
                                   Text(cell.lines[i]), SheetFont(points, Emphasised(cell, i)));
        }
    }
    painter.setPen(rule);
    for (int c = 0; c <= 7; ++c) painter.drawLine(QPointF(c * columnWidth, y), QPointF(c * columnWidth, gridBottom));
    painter.drawLine(QPointF(0, y), QPointF(width, y));
    for (int r = 0; r <= rows; ++r) {
        painter.drawLine(QPointF(0, top + r * rowHeight), QPointF(width, top + r * rowHeight));
    }
    if (!painter.end()) {
        if (error) *error = QStringLiteral("the page output could not be finished");
        return false;
    }
    return true;
}

bool PrintMonthSheet(const MonthSheet& sheet, QPrinter* printer, QString* error) {
    if (printer == nullptr || !printer->isValid()) {
        if (error) *error = QStringLiteral("Cannot print the month: no printer is available");
        return false;
    }
    printer->setPageOrientation(QPageLayout::Landscape);
    printer->setPageMargins(QMarginsF(MarginMm, MarginMm, MarginMm, MarginMm), QPageLayout::Millimeter);
    QString paintError;
    if (PaintMonthSheet(sheet, printer, &paintError)) return true;
    if (error) {
        const QString target = printer->outputFileName().isEmpty() ? printer->printerName() : printer->outputFileName();
        *error = QStringLiteral("Cannot print the month to %1: %2").arg(PathText(target), paintError);
    }
    return false;
}

bool SaveMonthPdf(const MonthSheet& sheet, Paper paper, const QString& path, QString* error) {
    QByteArray pdf;
    QString paintError;
    bool painted = false;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setTitle(QStringLiteral("Kalvora Month: ") + Text(sheet.title));
        writer.setCreator(QStringLiteral("Kalvora"));
        writer.setPageLayout(QPageLayout(QPageSize(paper == Paper::Letter ? QPageSize::Letter : QPageSize::A4),
                                         QPageLayout::Landscape,
                                         QMarginsF(MarginMm, MarginMm, MarginMm, MarginMm), QPageLayout::Millimeter));
        painted = PaintMonthSheet(sheet, &writer, &paintError);
    }
    std::string cause = paintError.toStdString();
    if (painted && ReplaceFile(path.toStdString(), std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())),
                               &cause)) {
        return true;
    }
    if (error) *error = QStringLiteral("Cannot save the month to %1: %2").arg(PathText(path), Text(cause));
    return false;
}

}  // namespace kalvora
