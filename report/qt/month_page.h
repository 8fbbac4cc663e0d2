#pragma once
// The month sheet on paper: one landscape page with the title, the notes, the grid of the weeks and the legend,
// every mark a symbol in black type (a light tint besides), printed or saved as PDF.

#include <string>

#include <QString>

#include "month/month_sheet.h"

class QPagedPaintDevice;
class QPrinter;

namespace kalvora {

// The locale's first day of the week as the sheet counts weekdays (1 = Sunday .. 7 = Saturday).
int LocaleFirstWeekday();

// Paints the sheet on one page of `device` (set up landscape by the caller): the cells' type shrinks until the
// fullest day fits its cell.
bool PaintMonthSheet(const MonthSheet& sheet, QPagedPaintDevice* device, QString* error);

// Prints the sheet on a printer set up by the caller, turned to landscape.
bool PrintMonthSheet(const MonthSheet& sheet, QPrinter* printer, QString* error);

// Saves the sheet as a one-page landscape PDF on `paper`. Returns false with a message naming the file and the
// cause when it cannot be saved; an existing file is replaced only on success, as by ReplaceFile. A
// QGuiApplication must exist (for the command line, on the offscreen platform).
bool SaveMonthPdf(const MonthSheet& sheet, Paper paper, const QString& path, QString* error);

}  // namespace kalvora
