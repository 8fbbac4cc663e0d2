// The analysis tab: the report in RTB after a calculation, "&Print" through the print dialog, and
// "Save Report..." as RTF or PDF with its failures reported.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>

#include "tests/gui/window_fixture.h"

namespace kalvora::test {
namespace {

const MomentEntry& Muhurtha = DelhiMuhurtha;
const MomentEntry& Birth = MumbaiBirth;

QString PdfText(const QString& path) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    pdftotext.waitForFinished(30000);
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

class ReportTabTest : public WindowTest {
protected:
    void Calculate(const char* subject) {
        RunToResults(QString::fromLatin1(subject), QStringLiteral("Asha"), true, Muhurtha, Birth);
    }
    QTemporaryDir folder;
};

TEST_F(ReportTabTest, TheReportOfTheCalculationIsShown) {
    Calculate("Domestic Journey");
    ASSERT_TRUE(window->LastReport().has_value());
    const QString text = Find<QTextBrowser>(QStringLiteral("RTB"))->toPlainText();
    EXPECT_TRUE(text.contains(QStringLiteral("Kalvora Report")));
    EXPECT_TRUE(text.contains(QStringLiteral("Domestic Journey")));
    EXPECT_TRUE(text.contains(QStringLiteral("December 10, 2026")));
    EXPECT_TRUE(text.contains(QStringLiteral("Strength of Star (Tarabala)")));
    // The details of the calculation close it, with the chosen time.
    const qsizetype details = text.indexOf(QStringLiteral("Details of the Calculation"));
    ASSERT_GT(details, text.indexOf(QStringLiteral("Strength of Star (Tarabala)")));
    EXPECT_GT(text.indexOf(QStringLiteral("10:30"), details), details);
    // The muhurtha's zone came from the picker: its place is named from the page's City, State and Country.
    EXPECT_GT(text.indexOf(QStringLiteral("New Delhi, Delhi, India"), details), details);
}

TEST_F(ReportTabTest, SaveAsRtfAndPdf) {
    Calculate("Marriage");
    savePath = folder.filePath(QStringLiteral("report.rtf"));
    Click(QStringLiteral("cmdSaveReport"));
    EXPECT_TRUE(messages.empty());
    QFile rtf(savePath);
    ASSERT_TRUE(rtf.open(QIODevice::ReadOnly));
    const QByteArray content = rtf.readAll();
    EXPECT_TRUE(content.startsWith("{\\rtf1"));
    EXPECT_TRUE(content.contains("{\\pict\\wmetafile8"));

    savePath = folder.filePath(QStringLiteral("report.PDF"));
    Click(QStringLiteral("cmdSaveReport"));
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(PdfText(savePath).contains(QStringLiteral("Overall Effect of Muhurtha")));
}

TEST_F(ReportTabTest, AFailedSaveIsReportedAndACancelledOneDoesNothing) {
    Calculate("Legal");
    savePath = folder.filePath(QStringLiteral("no/such/folder/report.rtf"));
    Click(QStringLiteral("cmdSaveReport"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("report.rtf"))) << messages[0].text.toStdString();

    messages.clear();
    savePath.clear();
    Click(QStringLiteral("cmdSaveReport"));
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(ReportTabTest, PrintGoesThroughThePrintDialog) {
    Calculate("Sell Item");
    printToPdf = folder.filePath(QStringLiteral("printed.pdf"));
    Click(QStringLiteral("cmdSave"));
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(PdfText(printToPdf).contains(QStringLiteral("Kalvora Report")));

    // A cancelled print dialog prints nothing.
    const QString second = folder.filePath(QStringLiteral("second.pdf"));
    printToPdf.clear();
    Click(QStringLiteral("cmdSave"));
    EXPECT_FALSE(QFile::exists(second));
    EXPECT_TRUE(messages.empty());
}

TEST_F(ReportTabTest, NothingToPrintOrSaveBeforeACalculation) {
    savePath = folder.filePath(QStringLiteral("early.rtf"));
    printToPdf = folder.filePath(QStringLiteral("early.pdf"));
    window->PrintReport();
    window->SaveReport();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].icon, QMessageBox::Information);
    EXPECT_FALSE(QFile::exists(savePath));
    EXPECT_FALSE(QFile::exists(printToPdf));
}

}  // namespace
}  // namespace kalvora::test
