#include "report/qt/report_qt.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFontInfo>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "report/picture.h"
#include "report/qt/report_file.h"
#include "report/rtf.h"
#include "tests/report/report_samples.h"

namespace kalvora {
namespace {

// Output of a shell command; empty when it cannot run.
std::string Shell(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}

bool HavePdfTools() { return !Shell("command -v pdftotext pdfimages").empty(); }

std::string PdfText(const QString& path) { return Shell("pdftotext -layout '" + path.toStdString() + "' -"); }

ReportInput FullInput() {
    ReportInput input = test::SampleInput();
    test::SetAllCodes(input, 2);
    input.codes[FactorKind::Tithi] = 1;
    for (const FactorKind flag : {FactorKind::Mrityu, FactorKind::Dagdha, FactorKind::Yamaghata}) input.codes[flag] = 1;
    return input;
}

// The document's text as Qt shows it: LF between paragraphs, the picture as one object character.
QString ExpectedViewText(const ReportDocument& document) {
    QString text;
    for (const ReportItem& item : document.items) {
        if (const auto* run = std::get_if<TextRun>(&item)) text += QString::fromStdString(run->text);
        else text += QChar(0xFFFC);
    }
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

TEST(ReportQt, RendersTextFormatsAndPicture) {
    const ReportDocument report = BuildReportDocument(FullInput());
    QTextDocument document;
    RenderReport(report, &document);
    EXPECT_EQ(document.toPlainText(), ExpectedViewText(report));

    struct Case {
        const char* text;
        bool bold;
        PaletteColour colour;
    };
    const std::vector<Case> cases = {
        {"Kalvora Report", true, PaletteColour::LightBlue},
        {"Marriage", true, PaletteColour::Blue},
        {"Chosen Muhurtha Date", true, PaletteColour::Red},
        {"March 5, 2010", false, PaletteColour::Black},
        {"Overall Effect of Muhurtha", true, PaletteColour::Magenta},
        {"Muhurtha means auspicious.", false, PaletteColour::Magenta},
        {"Tithi: Shukla Panchami", true, PaletteColour::Red},
        {"Inauspicious Tithi", false, PaletteColour::Black},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        QTextCursor found = document.find(QString::fromLatin1(c.text));
        ASSERT_FALSE(found.isNull());
        const QTextCharFormat format = found.charFormat();
        EXPECT_EQ(format.font().bold(), c.bold);
        EXPECT_EQ(format.font().pointSize(), 12);
        const Rgb rgb = PaletteRgb(c.colour);
        EXPECT_EQ(format.foreground().color(), QColor(rgb.r, rgb.g, rgb.b));
    }

    QTextCursor first(&document);
    first.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
    ASSERT_TRUE(first.charFormat().isImageFormat());
    const QTextImageFormat image = first.charFormat().toImageFormat();
    EXPECT_EQ(image.width(), ReportPictureSize);
    const QImage shown = document.resource(QTextDocument::ImageResource, QUrl(image.name())).value<QImage>();
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(shown.convertToFormat(QImage::Format_RGB888), ToQImage(ReportPicture()));
}

TEST(ReportQt, ViewShowsTheLatestReportReadOnlyFromTheTop) {
    QTextBrowser view;
    ShowReport(BuildReportDocument(FullInput()), &view);
    ReportInput stopped = test::SampleInput();
    stopped.stopped = true;
    stopped.stopMessage = "Your Muhurtha Date is more than Your Birth Date. Please check.";
    ShowReport(BuildReportDocument(stopped), &view);
    EXPECT_TRUE(view.isReadOnly());
    EXPECT_EQ(view.toPlainText(), QString::fromStdString(stopped.stopMessage));
    EXPECT_EQ(view.textCursor().position(), 0);
}

TEST(ReportQt, SavedPdfHoldsTheReportTextAndPicture) {
    if (!HavePdfTools()) GTEST_SKIP() << "pdftotext and pdfimages are not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("report.PDF"));
    QString error;
    ASSERT_TRUE(SaveReport(BuildReportDocument(FullInput()), path, &error)) << error.toStdString();

    const std::string text = PdfText(path);
    for (const char* part : {"Kalvora Report", "Marriage", "Chosen Muhurtha Date", "March 5, 2010",
                             "Overall Effect of Muhurtha", "Strength of Star (Tarabala)", "Tithi: Shukla Panchami",
                             "Amrita Siddhi Yoga", "Daghda Yoga"}) {
        EXPECT_NE(text.find(part), std::string::npos) << part;
    }
    // Title, date, overall effect and the 19 sections each close with the footer, none lost between pages.
    EXPECT_EQ(test::CountOf(text, test::FooterLine), 22u) << text;
    const std::string images = Shell("pdfimages -list '" + path.toStdString() + "'");
    EXPECT_NE(images.find(" 120   120 "), std::string::npos) << images;
}

TEST(ReportQt, TheAppendixIsPaintedAfterTheReportWithItsRowsInAFixedPitchFont) {
    ReportInput input = FullInput();
    input.appendix = ReportAppendix{{{"The Day of the Muhurtha", {{"Sunrise", "07:07"}, {"Rahu kalam", "13:30"}}}}};
    const ReportDocument report = BuildReportDocument(input);

    QTextDocument document;
    RenderReport(report, &document);
    const QTextCursor row = document.find(QStringLiteral("Rahu kalam"));
    ASSERT_FALSE(row.isNull());
    EXPECT_TRUE(QFontInfo(row.charFormat().font()).fixedPitch());
    EXPECT_EQ(row.charFormat().font().pointSize(), AppendixRowSizePt);
    const QTextCursor heading = document.find(QStringLiteral("Details of the Calculation"));
    ASSERT_FALSE(heading.isNull());
    EXPECT_FALSE(QFontInfo(heading.charFormat().font()).fixedPitch());

    if (!HavePdfTools()) GTEST_SKIP() << "pdftotext is not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    QString error;
    ASSERT_TRUE(SaveReport(report, path, &error)) << error.toStdString();
    const std::string text = PdfText(path);
    const std::size_t title = text.find("Details of the Calculation");
    ASSERT_NE(title, std::string::npos) << text;
    EXPECT_GT(title, text.rfind(test::FooterLine));
    EXPECT_NE(text.find("Rahu kalam", title), std::string::npos) << text;
}

TEST(ReportQt, PrintsToAPdfPrinter) {
    if (!HavePdfTools()) GTEST_SKIP() << "pdftotext is not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("printed.pdf")));
    QString error;
    ASSERT_TRUE(PrintReport(BuildReportDocument(test::SampleInput()), &printer, &error)) << error.toStdString();
    const std::string text = PdfText(printer.outputFileName());
    EXPECT_NE(text.find("Overall Effect of Muhurtha"), std::string::npos) << text;
    EXPECT_NE(text.find(test::FooterLine), std::string::npos) << text;

    QPrinter nowhere(QPrinter::HighResolution);
    nowhere.setOutputFormat(QPrinter::PdfFormat);
    nowhere.setOutputFileName(QStringLiteral("/nonexistent-kalvora-dir/printed.pdf"));
    error.clear();
    EXPECT_FALSE(PrintReport(BuildReportDocument(test::SampleInput()), &nowhere, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("/nonexistent-kalvora-dir/printed.pdf"))) << error.toStdString();
    EXPECT_FALSE(PrintReport(BuildReportDocument(test::SampleInput()), nullptr, &error));
    EXPECT_FALSE(error.isEmpty());
}

// The lines of one page of a PDF as pdftotext lays them out, blank ones left out and each trimmed.
std::vector<std::string> PdfPageLines(const std::string& path, int page) {
    const std::string text =
        Shell("pdftotext -layout -f " + std::to_string(page) + " -l " + std::to_string(page) + " '" + path + "' -");
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\n\f", start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        const std::size_t first = line.find_first_not_of(' ');
        if (first != std::string::npos) lines.push_back(line.substr(first, line.find_last_not_of(' ') + 1 - first));
        start = end + 1;
    }
    return lines;
}

int PdfPageCount(const std::string& path) {
    const std::string info = Shell("pdfinfo '" + path + "'");
    const std::size_t at = info.find("Pages:");
    return at == std::string::npos ? 0 : std::stoi(info.substr(at + 6));
}

TEST(ReportQt, EveryPrintedPageEndsWithItsNumber) {
    if (!HavePdfTools()) GTEST_SKIP() << "pdftotext is not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // Long enough for several pages: the whole report and an appendix of sixty rows.
    ReportInput input = FullInput();
    ReportAppendix appendix{{{"The Day of the Muhurtha", {}}}};
    for (int i = 0; i < 60; ++i) appendix.parts[0].rows.push_back({"Row " + std::to_string(i), "value"});
    input.appendix = appendix;
    const ReportDocument report = BuildReportDocument(input);

    // A saved PDF has room for the footer in its bottom margin; a printer whose margins are its least has none,
    // and the footer takes the foot of the text's area.
    const auto printed = [&](const QString& path, bool noMargins) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        if (noMargins) printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
        QString error;
        return PrintReport(report, &printer, &error);
    };
    struct Case {
        const char* what;
        std::function<bool(const QString&)> write;
    };
    const std::vector<Case> cases = {
        {"saved", [&](const QString& path) { return SaveReport(report, path, nullptr); }},
        {"printed", [&](const QString& path) { return printed(path, false); }},
        {"printed without margins", [&](const QString& path) { return printed(path, true); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = dir.filePath(QString::fromLatin1(c.what) + QStringLiteral(".pdf"));
        ASSERT_TRUE(c.write(path));
        const int pages = PdfPageCount(path.toStdString());
        ASSERT_GE(pages, 3);
        for (int page = 1; page <= pages; ++page) {
            const std::vector<std::string> lines = PdfPageLines(path.toStdString(), page);
            ASSERT_FALSE(lines.empty());
            EXPECT_EQ(lines.back(), "Page " + std::to_string(page) + " of " + std::to_string(pages));
        }
        // Nothing of the report is lost under the footers.
        const std::string text = PdfText(path);
        EXPECT_EQ(test::CountOf(text, test::FooterLine), 22u);
        EXPECT_NE(text.find("Row 59"), std::string::npos);
    }
}

TEST(ReportQt, SavedRtfIsTheReportsRtf) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const ReportDocument report = BuildReportDocument(test::SampleInput());
    const QString path = dir.filePath(QStringLiteral("report.rtf"));
    QString error;
    ASSERT_TRUE(SaveReport(report, path, &error)) << error.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), ReportToRtf(report));
}

TEST(ReportQt, SaveFailuresAreNamed) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const ReportDocument report = BuildReportDocument(test::SampleInput());
    const std::vector<QString> paths = {
        QStringLiteral("/nonexistent-kalvora-dir/report.pdf"),
        QStringLiteral("/nonexistent-kalvora-dir/report.rtf"),
        QStringLiteral("/proc/version/report.pdf"),  // below a file, not a folder
        dir.filePath(QStringLiteral("report.txt")),
        dir.filePath(QStringLiteral("report")),
    };
    for (const QString& path : paths) {
        SCOPED_TRACE(path.toStdString());
        QString error;
        EXPECT_FALSE(SaveReport(report, path, &error));
        EXPECT_TRUE(error.contains(path)) << error.toStdString();
        EXPECT_FALSE(QFile::exists(path));
    }
    std::string cliError;
    EXPECT_FALSE(WriteReportFile(report, "/nonexistent-kalvora-dir/report.pdf", &cliError));
    EXPECT_NE(cliError.find("/nonexistent-kalvora-dir/report.pdf"), std::string::npos) << cliError;
}

TEST(ReportQt, CommandLineWritesBothFormats) {
    if (!HavePdfTools()) GTEST_SKIP() << "pdftotext is not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const ReportDocument report = BuildReportDocument(test::SampleInput());
    std::string error;
    const std::string pdf = dir.filePath(QStringLiteral("cli.pdf")).toStdString();
    const std::string rtf = dir.filePath(QStringLiteral("cli.rtf")).toStdString();
    ASSERT_TRUE(WriteReportFile(report, pdf, &error)) << error;
    ASSERT_TRUE(WriteReportFile(report, rtf, &error)) << error;
    EXPECT_NE(PdfText(QString::fromStdString(pdf)).find("March 5, 2010"), std::string::npos);
    EXPECT_TRUE(QFile::exists(QString::fromStdString(rtf)));
}

}  // namespace
}  // namespace kalvora

int main(int argc, char** argv) {
    // Test discovery runs this program during the build, where there is no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
