#include "report/qt/report_qt.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QUrl>

#include "report/file_replace.h"
#include "report/qt/report_file.h"
#include "report/rtf.h"

namespace kalvora {
namespace {

constexpr double PdfMarginMm = 20.0;

QTextCharFormat CharFormat(const TextStyle& style) {
    QTextCharFormat format;
    QFont font(style.fixedPitch ? QStringLiteral("Courier New") : QStringLiteral("Arial"));
    // Without shaping there are no ligatures, so the text of a PDF reads back (and is found) letter by letter.
    font.setStyleHint(style.fixedPitch ? QFont::TypeWriter : QFont::SansSerif, QFont::PreferNoShaping);
    font.setFixedPitch(style.fixedPitch);
    font.setPointSize(style.sizePt);
    font.setBold(style.bold);
    format.setFont(font);
    const Rgb c = PaletteRgb(style.colour);
    format.setForeground(QColor(c.r, c.g, c.b));
    return format;
}

// Inserts text with the given format; CR LF, a lone CR or a lone LF starts a new paragraph.
void InsertRun(QTextCursor& cursor, const TextRun& run) {
    const QTextCharFormat format = CharFormat(run.style);
    const QString text = QString::fromStdString(run.text);
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const bool end = i == text.size();
        if (!end && text[i] != u'\r' && text[i] != u'\n') continue;
        if (i > start) cursor.insertText(text.mid(start, i - start), format);
        if (end) break;
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        cursor.insertBlock(QTextBlockFormat(), format);
        start = i + 1;
    }
}

void InsertImage(QTextCursor& cursor, QTextDocument* document, const Bitmap& picture, int index) {
    const QUrl name(QStringLiteral("kalvora-report-picture:%1").arg(index));
    document->addResource(QTextDocument::ImageResource, name, ToQImage(picture));
    QTextImageFormat format;
    format.setName(name.toString());
    format.setWidth(picture.width);
    format.setHeight(picture.height);
    cursor.insertImage(format);
}

QString PathText(const QString& path) { return QStringLiteral("\"%1\"").arg(path); }

// The footer of every printed page, "Page 3 of 5", centred in small grey type.
QFont FooterFont() {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif, QFont::PreferNoShaping);
    font.setPointSize(9);
    return font;
}

// Where the footer goes on a page, in the painter's coordinates (origin at the top left of the area inside the
// margins): in the bottom margin, centred in the part of it the device can print, when that part has room for the
// line with space around it (a saved PDF's margin of 20 mm has); otherwise at the foot of the area inside the
// margins, whose text then stops a line short of it.
struct FooterPlace {
    double textHeight = 0;  // the height left to the report's text on each page
    QRectF line;            // the footer's line
};

FooterPlace PlaceFooter(const QPagedPaintDevice& device, const QRect& body, const QFont& font) {
    const double lineHeight = QFontMetricsF(font, &device).height();
    QPageLayout layout = device.pageLayout();
    layout.setUnits(QPageLayout::Point);
    const double pixelsPerPoint = device.logicalDpiY() / 72.0;
    const double room = (layout.margins().bottom() - layout.minimumMargins().bottom()) * pixelsPerPoint;
    FooterPlace place;
    if (room >= 2 * lineHeight) {
        place.textHeight = body.height();
        place.line = QRectF(0, body.height() + (room - lineHeight) / 2, body.width(), lineHeight);
    } else {
        place.textHeight = body.height() - 2 * lineHeight;
        place.line = QRectF(0, body.height() - lineHeight, body.width(), lineHeight);
    }
    return place;
}

// Both formats reach the disk through ReplaceFile: the PDF is painted in memory first.
bool SaveBytes(const QString& path, std::string_view bytes, QString* error) {
    std::string cause;
    if (ReplaceFile(path.toStdString(), bytes, &cause)) return true;
    if (error) *error = QStringLiteral("Cannot save the report to %1: %2").arg(PathText(path), QString::fromStdString(cause));
    return false;
}

bool SaveRtf(const ReportDocument& report, const QString& path, QString* error) {
    return SaveBytes(path, ReportToRtf(report), error);
}

bool SavePdf(const ReportDocument& report, const QString& path, QString* error) {
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setTitle(QStringLiteral("Kalvora Report"));
        writer.setCreator(QStringLiteral("Kalvora"));
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(PdfMarginMm, PdfMarginMm, PdfMarginMm, PdfMarginMm), QPageLayout::Millimeter);
        QString paintError;
        if (!PaintReport(report, &writer, &paintError)) {
            if (error) *error = QStringLiteral("Cannot save the report to %1: %2").arg(PathText(path), paintError);
            return false;
        }
    }
    return SaveBytes(path, std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())), error);
}

}  // namespace

QImage ToQImage(const Bitmap& bitmap) {
    QImage image(bitmap.width, bitmap.height, QImage::Format_RGB888);
    for (int y = 0; y < bitmap.height; ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < bitmap.width; ++x) {
            const Rgb& c = bitmap.At(x, y);
            line[3 * x] = c.r;
            line[3 * x + 1] = c.g;
            line[3 * x + 2] = c.b;
        }
    }
    return image;
}

void RenderReport(const ReportDocument& report, QTextDocument* target) {
    target->clear();
    QTextCursor cursor(target);
    cursor.setBlockCharFormat(CharFormat(TextStyle{}));
    int pictures = 0;
    for (const ReportItem& item : report.items) {
        if (const auto* run = std::get_if<TextRun>(&item)) {
            InsertRun(cursor, *run);
        } else {
            InsertImage(cursor, target, std::get<PictureItem>(item).picture, ++pictures);
        }
    }
}

void ShowReport(const ReportDocument& report, QTextEdit* view) {
    view->setReadOnly(true);
    RenderReport(report, view->document());
    QTextCursor top(view->document());
    top.movePosition(QTextCursor::Start);
    view->setTextCursor(top);
    view->ensureCursorVisible();
}

bool PaintReport(const ReportDocument& report, QPagedPaintDevice* device, QString* error) {
    QPainter painter;
    if (!painter.begin(device)) {
        if (error) *error = QStringLiteral("the page output could not be started");
        return false;
    }
    QTextDocument document;
    document.documentLayout()->setPaintDevice(device);
    RenderReport(report, &document);

    // The painter's origin is the top left corner of the printable area; lay the text out on pages of its size,
    // less the footer's line where the footer cannot go into the bottom margin.
    const QRect body = device->pageLayout().paintRectPixels(device->logicalDpiX());
    const QFont footerFont = FooterFont();
    const FooterPlace footer = PlaceFooter(*device, body, footerFont);
    document.setPageSize(QSizeF(body.width(), footer.textHeight));
    const int pages = document.pageCount();
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device->newPage()) {
            if (error) *error = QStringLiteral("page %1 could not be started").arg(page + 1);
            return false;
        }
        painter.save();
        const QRectF view(0, page * footer.textHeight, body.width(), footer.textHeight);
        painter.translate(0, -view.top());
        painter.setClipRect(view);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = view;
        document.documentLayout()->draw(&painter, context);
        painter.restore();

        const Rgb grey = PaletteRgb(PaletteColour::DarkGrey);
        painter.setFont(footerFont);
        painter.setPen(QColor(grey.r, grey.g, grey.b));
        painter.drawText(footer.line, Qt::AlignHCenter | Qt::AlignVCenter,
                         QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages));
    }
    if (!painter.end()) {
        if (error) *error = QStringLiteral("the page output could not be finished");
        return false;
    }
    return true;
}

bool PrintReport(const ReportDocument& report, QPrinter* printer, QString* error) {
    if (printer == nullptr || !printer->isValid()) {
        if (error) *error = QStringLiteral("Cannot print the report: no printer is available");
        return false;
    }
    QString paintError;
    if (!PaintReport(report, printer, &paintError)) {
        if (error) {
            const QString target = printer->outputFileName().isEmpty() ? printer->printerName()
                                                                       : printer->outputFileName();
            *error = QStringLiteral("Cannot print the report to %1: %2").arg(PathText(target), paintError);
        }
        return false;
    }
    return true;
}

bool SaveReport(const ReportDocument& report, const QString& path, QString* error) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("rtf")) return SaveRtf(report, path, error);
    if (suffix == QLatin1String("pdf")) return SavePdf(report, path, error);
    if (error) {
        *error = QStringLiteral("Cannot save the report to %1: the file name must end in .rtf or .pdf")
                     .arg(PathText(path));
    }
    return false;
}

bool WriteReportFile(const ReportDocument& report, const std::string& path, std::string* error) {
    QString message;
    const bool saved = SaveReport(report, QString::fromStdString(path), &message);
    if (!saved && error) *error = message.toStdString();
    return saved;
}

}  // namespace kalvora
