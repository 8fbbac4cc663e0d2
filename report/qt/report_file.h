#pragma once
// Writing the analysis report to a file for the command line; the file name's extension (.rtf or .pdf, any case)
// picks the format. Built into kalvora_report_qt: a QGuiApplication (for example on the offscreen platform) must
// exist before the call, for the PDF's fonts and painting.

#include <string>

#include "report/document.h"

namespace kalvora {

// Returns false with a message naming the file and the cause when the file cannot be written.
bool WriteReportFile(const ReportDocument& report, const std::string& path, std::string* error);

}  // namespace kalvora
