#pragma once
// The analysis report builder: picture, title, the chosen undertaking and date, the overall effect, one section
// per evaluated factor and, where given, the appendix with the details of the calculation, written through a
// RichTextWriter.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "muhurtha/combined_verdict.h"
#include "muhurtha/evaluation.h"
#include "muhurtha/moment_details.h"
#include "report/appendix.h"
#include "report/document.h"
#include "report/report_texts.h"

namespace kalvora {

// Point size of every text run of the report but the appendix's rows.
inline constexpr int ReportTextSizePt = 12;
// Point size of the appendix's rows, set in a fixed-pitch font so that their columns line up.
inline constexpr int AppendixRowSizePt = 10;

// One person's section of the report of several people: their evaluation and their Surya or Guru bala.
struct ReportPerson {
    std::string heading;  // the person's name, with the role where the undertaking has roles: "Asha (bride)"
    Rating rating = Rating::NotRated;
    FactorCodes codes;
    bool stopped = false;
    std::string stopMessage;
    std::string balaLine;  // BalaLine of the person's reading, "" where they have none
};

// Everything the report shows, as left by the evaluation of one calculation.
struct ReportInput {
    std::string subject;       // the chosen subject text
    MomentDetails muhurtha;    // names of the muhurtha moment
    std::int16_t muhurthaDay = 1, muhurthaMonth = 1, muhurthaYear = 1901;  // month 1..12
    Rating rating = Rating::NotRated;  // not rated leaves out the date and the overall effect
    FactorCodes codes;  // per kind: 0 not evaluated (section left out), 1 unfavourable, anything else favourable
    bool stopped = false;      // the date-order check stopped the evaluation: the report is only its message
    std::string stopMessage;
    // Written after everything above when present (a stopped evaluation's report stays its message alone).
    std::optional<ReportAppendix> appendix;
    // Several people: a section each in place of the one rating and its factors, then the combined verdict. A
    // stopped combined verdict makes the report its reason alone. Empty for one person.
    std::vector<ReportPerson> people;
    std::optional<CombinedVerdict> combined;
};

// The report's inputs from an evaluation and the inputs it was run on.
ReportInput MakeReportInput(const Evaluation& evaluation, const EvaluationInput& input);

// One person's section from their name, role, evaluation and bala.
ReportPerson MakeReportPerson(const std::string& name, Role role, const Evaluation& evaluation,
                              const std::optional<BalaReading>& bala);

// The date line of the report: month name, " ", day, ", ", year (5 March 2010 gives "March 5, 2010").
std::string ReportDateText(int day, int month, int year);

// Writes the whole report into the writer, replacing what it held.
void BuildReport(const ReportInput& input, RichTextWriter& writer);

// The report as a document.
ReportDocument BuildReportDocument(const ReportInput& input);

}  // namespace kalvora
