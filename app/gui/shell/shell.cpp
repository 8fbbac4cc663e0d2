#include "app/gui/shell/shell.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace kalvora {

QUrl PublisherPage(SitePage page) {
    const QString site = QString::fromLatin1(PublisherSite);
    switch (page) {
    case SitePage::Home: return QUrl(site);
    case SitePage::OnlineHelp: return QUrl(site + QStringLiteral("/help"));
    case SitePage::SoftwareUpdate: return QUrl(site + QStringLiteral("/update"));
    case SitePage::DetailedAnalysis: return QUrl(site + QStringLiteral("/analysis"));
    }
    return QUrl(site);
}

void ShowMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
    QMessageBox box(icon, QString::fromLatin1(AppTitle), text, QMessageBox::Ok, parent);
    box.exec();
}

bool OpenInBrowser(const QUrl& url) { return QDesktopServices::openUrl(url); }

QString AskReportPath(QWidget* parent) {
    const QString rtf = QStringLiteral("Rich Text Format (*.rtf)");
    const QString pdf = QStringLiteral("PDF Document (*.pdf)");
    QString chosenFilter = rtf;
    QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("Save Report"),
                                                QStringLiteral("Muhurtha Report.rtf"), rtf + QStringLiteral(";;") + pdf,
                                                &chosenFilter);
    if (path.isEmpty()) return path;
    // A name typed without an extension takes the one of the chosen file type.
    if (!path.endsWith(QStringLiteral(".rtf"), Qt::CaseInsensitive) &&
        !path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        path += chosenFilter == pdf ? QStringLiteral(".pdf") : QStringLiteral(".rtf");
    }
    return path;
}

QString AskCalendarPath(QWidget* parent) {
    QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("Export to Calendar"),
                                                QStringLiteral("Muhurtha Times.ics"),
                                                QStringLiteral("iCalendar (*.ics)"));
    if (!path.isEmpty() && !path.endsWith(QStringLiteral(".ics"), Qt::CaseInsensitive)) path += QStringLiteral(".ics");
    return path;
}

QString AskMonthPdfPath(QWidget* parent) {
    QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("Export Month as PDF"),
                                                QStringLiteral("Muhurtha Month.pdf"),
                                                QStringLiteral("PDF Document (*.pdf)"));
    if (!path.isEmpty() && !path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) path += QStringLiteral(".pdf");
    return path;
}

bool AskPrinter(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QString::fromLatin1(AppTitle));
    return dialog.exec() == QDialog::Accepted;
}

int AskChoice(QWidget* parent, const QString& question, const QStringList& answers) {
    QMessageBox box(QMessageBox::Question, QString::fromLatin1(AppTitle), question, QMessageBox::Cancel, parent);
    QList<QAbstractButton*> buttons;
    for (const QString& answer : answers) buttons.append(box.addButton(answer, QMessageBox::AcceptRole));
    box.exec();
    return static_cast<int>(buttons.indexOf(box.clickedButton()));
}

ShellServices DesktopServices() {
    return ShellServices{ShowMessageBox, OpenInBrowser, 3000, AskReportPath, AskPrinter, AskChoice, nullptr,
                         AskCalendarPath, AskMonthPdfPath};
}

void BringToFront(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace kalvora
