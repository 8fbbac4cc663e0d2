#pragma once
// The analysis report of a calculation written to FILE.rtf or FILE.pdf, and the month written as a PDF page.

#include <string>

#include "driver/calculation.h"
#include "driver/people_calculation.h"
#include "month/month_sheet.h"

namespace kalvora {

// The report ends with the details of the calculation when `withAppendix` is set. Returns false with a message
// naming the file and the cause when the report cannot be written.
bool WriteCalculationReport(const CalculationInput& input, const Calculation& calculation, bool withAppendix,
                            const std::string& path, std::string* error);

// The report of several people: a section for each, then the combined verdict; the appendix is the first
// person's calculation.
bool WritePeopleReport(const PeopleInput& input, const PeopleCalculation& people, bool withAppendix,
                       const std::string& path, std::string* error);

// The month on one landscape page of `paper` as PDF, a week a row from the locale's first day, with `notes`
// under its title. Returns false with a message naming the file and the cause when it cannot be written.
bool WriteMonthPdf(const MonthView& month, std::vector<std::string> notes, Paper paper, const std::string& path,
                   std::string* error);

}  // namespace kalvora
