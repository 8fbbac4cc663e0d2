#pragma once
// What the windows need from the desktop around them: the program's title, the publisher's addresses, message
// boxes and the web browser. Message boxes and page opening go through ShellServices so that a test can replace
// them (and choose the answer) without a dialog or a browser ever appearing.

#include <functional>
#include <memory>

#include "kalvora_version.h"
#include "report/publisher.h"

#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QUrl>

class QPrinter;
class QWidget;

namespace kalvora {

class AtlasSource;

// The title of every window and message box: the program's name and release.
inline constexpr char AppTitle[] = "Kalvora v" KALVORA_VERSION;

// The publisher's web site; every address the program opens starts here.
inline constexpr const char* PublisherSite = PublisherWebAddress.data();

enum class SitePage { Home, OnlineHelp, SoftwareUpdate, DetailedAnalysis };

// Address of one page of the publisher's web site.
QUrl PublisherPage(SitePage page);

// Shows one modal message with an OK button and the program's title.
using MessageFunction = std::function<void(QWidget* parent, QMessageBox::Icon icon, const QString& text)>;
// Opens an address in the default browser; false when no browser could be opened.
using UrlFunction = std::function<bool(const QUrl& url)>;

// Asks where to save a file; returns the chosen path (the report's ending in .rtf or .pdf, a calendar's in .ics),
// or "" when cancelled.
using SavePathFunction = std::function<QString(QWidget* parent)>;
// Lets the user choose and set up the printer; returns false when cancelled.
using PrinterFunction = std::function<bool(QWidget* parent, QPrinter& printer)>;
// Asks a question with one button per answer; returns the index of the chosen answer, or -1 when cancelled.
using ChoiceFunction = std::function<int(QWidget* parent, const QString& question, const QStringList& answers)>;

struct ShellServices {
    MessageFunction showMessage;
    UrlFunction openUrl;
    int waitPauseMs = 3000;  // how long the wait panel shows before the results
    SavePathFunction askSavePath;  // unset: saving is cancelled
    PrinterFunction askPrinter;    // unset: printing is cancelled
    ChoiceFunction askChoice;      // unset: the question is cancelled
    // The atlas of places behind the City boxes; unset: each window loads its own.
    std::shared_ptr<AtlasSource> atlas;
    SavePathFunction askCalendarPath;  // where to save a calendar file; unset: saving is cancelled
    SavePathFunction askPdfPath;       // where to save a month as PDF; unset: saving is cancelled
};

// The real message box, browser and pause.
ShellServices DesktopServices();

void ShowMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& text);
bool OpenInBrowser(const QUrl& url);
QString AskReportPath(QWidget* parent);
QString AskCalendarPath(QWidget* parent);
QString AskMonthPdfPath(QWidget* parent);
bool AskPrinter(QWidget* parent, QPrinter& printer);
int AskChoice(QWidget* parent, const QString& question, const QStringList& answers);

// A window the program keeps one of (the finder, the people): `open` names it while it is open; once it is closed
// it is forgotten and deleted. `context`, which holds `open`, owns the connection.
template <typename Window>
void ForgetWhenClosed(QObject* context, QPointer<Window>& open, Window* window) {
    QObject::connect(window, &QDialog::finished, context, [&open, window] {
        if (open == window) open = nullptr;
        window->deleteLater();
    });
}

// Shows a window and brings it to the front, active.
void BringToFront(QWidget* window);

}  // namespace kalvora
