#pragma once
// The analysis report of a calculation written to FILE.rtf or FILE.pdf.

#include <string>

#include "driver/calculation.h"

namespace kalvora {

// Returns false with a message naming the file and the cause when the report cannot be written.
bool WriteCalculationReport(const Calculation& calculation, const std::string& path, std::string* error);

}  // namespace kalvora
