#include "cli/report_output.h"

#include <cctype>

#include "appendix/calculation_appendix.h"
#include "report/report_builder.h"
#include "report/rtf.h"

#if KALVORA_CLI_PDF
#include <QGuiApplication>

#include "report/qt/month_page.h"
#include "report/qt/report_file.h"
#endif

namespace kalvora {
namespace {

bool EndsWithPdf(const std::string& path) {
    if (path.size() < 4) return false;
    std::string suffix = path.substr(path.size() - 4);
    for (char& c : suffix) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return suffix == ".pdf";
}

#if KALVORA_CLI_PDF
// Fonts and painting of the PDF need an application object; the command line has no display, so it uses the
// offscreen platform unless the caller chose another.
// Qt's own warnings (a missing runtime folder and the like) are not the command line's business.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) qt_message_output(type, {}, message);
}

void EnsureGuiApplication() {
    if (QGuiApplication::instance()) return;
    qInstallMessageHandler(QuietMessages);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "kalvora-cli";
    static char* argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
}
#endif

bool WriteReportDocument(const ReportDocument& report, const std::string& path, std::string* error) {
    if (!EndsWithPdf(path)) return WriteRtfFile(report, path, error);
#if KALVORA_CLI_PDF
    EnsureGuiApplication();
    return WriteReportFile(report, path, error);
#else
    if (error) *error = "this build of kalvora-cli writes RTF reports only (build with the desktop program for PDF)";
    return false;
#endif
}

constexpr std::string_view NoUndertaking = "no report: the subject names none of the undertakings";

}  // namespace

bool WriteCalculationReport(const CalculationInput& input, const Calculation& calculation, bool withAppendix,
                            const std::string& path, std::string* error) {
    if (!calculation.evaluation) {
        if (error) *error = NoUndertaking;
        return false;
    }
    ReportInput reportInput = MakeReportInput(*calculation.evaluation, calculation.evaluationInput);
    if (withAppendix) {
        reportInput.appendix = MakeReportAppendix(input, calculation, ComputeCalculationTimes(input));
    }
    return WriteReportDocument(BuildReportDocument(reportInput), path, error);
}

bool WritePeopleReport(const PeopleInput& input, const PeopleCalculation& people, bool withAppendix,
                       const std::string& path, std::string* error) {
    if (!people.First().evaluation) {
        if (error) *error = NoUndertaking;
        return false;
    }
    ReportInput reportInput = MakePeopleReportInput(people);
    if (withAppendix) {
        reportInput.appendix = MakeReportAppendix(input.first, people.First(), ComputeCalculationTimes(input.first));
    }
    return WriteReportDocument(BuildReportDocument(reportInput), path, error);
}

bool WriteMonthPdf(const MonthView& month, std::vector<std::string> notes, Paper paper, const std::string& path,
                   std::string* error) {
#if KALVORA_CLI_PDF
    EnsureGuiApplication();
    MonthSheet sheet = LayOutMonth(month, LocaleFirstWeekday());
    sheet.notes = std::move(notes);
    QString message;
    if (SaveMonthPdf(sheet, paper, QString::fromStdString(path), &message)) return true;
    if (error) *error = message.toStdString();
    return false;
#else
    (void)month, (void)notes, (void)paper, (void)path;
    if (error) *error = "this build of kalvora-cli cannot write PDF (build with the desktop program for PDF)";
    return false;
#endif
}

}  // namespace kalvora
