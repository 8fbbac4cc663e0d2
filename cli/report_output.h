#pragma once
// The analysis report of a calculation written to FILE.rtf or FILE.pdf.

#include <string>

#include "driver/calculation.h"
#include "driver/people_calculation.h"

namespace kalvora {

// The report ends with the details of the calculation when `withAppendix` is set. Returns false with a message
// naming the file and the cause when the report cannot be written.
bool WriteCalculationReport(const CalculationInput& input, const Calculation& calculation, bool withAppendix,
                            const std::string& path, std::string* error);

// The report of several people: a section for each, then the combined verdict; the appendix is the first
// person's calculation.
bool WritePeopleReport(const PeopleInput& input, const PeopleCalculation& people, bool withAppendix,
                       const std::string& path, std::string* error);

}  // namespace kalvora
