#pragma once
// The report's closing appendix, "Details of the Calculation", as composed texts: parts with a heading and rows,
// each row a label and its value (a table row is its value alone, already laid out in columns). The builder writes
// it after the report's sections; appendix/calculation_appendix.h fills it from a calculation.

#include <string>
#include <vector>

namespace kalvora {

struct AppendixRow {
    std::string label;  // "" for a row of a table or a sentence, whose value is the whole line
    std::string value;
    friend bool operator==(const AppendixRow&, const AppendixRow&) = default;
};

struct AppendixPart {
    std::string heading;
    std::vector<AppendixRow> rows;
    friend bool operator==(const AppendixPart&, const AppendixPart&) = default;
};

struct ReportAppendix {
    std::vector<AppendixPart> parts;
    friend bool operator==(const ReportAppendix&, const ReportAppendix&) = default;
};

}  // namespace kalvora
