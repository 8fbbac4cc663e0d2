#pragma once
// The analysis report in Qt: rendered into a QTextDocument for the read-only rich-text view, printed to a printer
// or a PDF writer, and saved as RTF or PDF.

#include <QImage>
#include <QString>

#include "report/document.h"

class QPagedPaintDevice;
class QPrinter;
class QTextDocument;
class QTextEdit;

namespace kalvora {

QImage ToQImage(const Bitmap& bitmap);

// Replaces the content of `target` by the report: runs with their weight, palette colour and point size, CR LF
// as paragraph breaks, pictures as images kept in the document's resources.
void RenderReport(const ReportDocument& report, QTextDocument* target);

// Shows the report in a rich-text view (QTextEdit or QTextBrowser), read-only, scrolled to its top.
void ShowReport(const ReportDocument& report, QTextEdit* view);

// Lays the report out on the pages of a printer or PDF writer and paints it.
bool PaintReport(const ReportDocument& report, QPagedPaintDevice* device, QString* error);

// Prints the report on a printer set up by the caller (for example through QPrintDialog); a printer whose output
// format is PDF writes its output file.
bool PrintReport(const ReportDocument& report, QPrinter* printer, QString* error);

// Saves the report as RTF or PDF by the extension of `path` (".rtf" or ".pdf", any case). Returns false with a
// message naming the file and the cause when it cannot be saved; an existing file is replaced only on success and
// only when it is a regular file (or a symbolic link to one, which is kept), as by ReplaceFile.
bool SaveReport(const ReportDocument& report, const QString& path, QString* error);

}  // namespace kalvora
