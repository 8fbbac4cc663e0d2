#pragma once
// A main window with its message boxes, browser and pause replaced: messages are recorded (no dialog is ever
// created), addresses are recorded, and the wait panel does not wait. Helpers find controls by object name and
// work them the way a user does.

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include "app/gui/finder/finder_window.h"
#include "app/gui/shell/main_window.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace kalvora::test {

struct RecordedMessage {
    QMessageBox::Icon icon;
    QString text;
};

// One moment as a user types it on a page.
struct MomentEntry {
    const char* month = "January";
    int day = 1;
    int year = 1901;
    int hour = 0, minute = 0, second = 0;
    const char* degreeLat = "0";
    const char* minuteLat = "0";
    bool south = false;
    const char* degreeLong = "0";
    const char* minuteLong = "0";
    bool west = false;
    int zoneRow = -1;  // row of the time-zone picker, -1 keeps "0" "0"
    bool dst = false;
    const char* city = "";
    const char* state = "";
    const char* country = "";
};

// The documentation's example: a muhurtha at New Delhi on 10 December 2026, 10:30, for a birth at Mumbai on
// 15 August 1995, 06:45, both on Indian time (picker row 34).
inline const MomentEntry DelhiMuhurtha{"December", 10, 2026, 10, 30, 0, "28", "39", false, "77", "13", false, 34, false,
                                       "New Delhi", "Delhi", "India"};
inline const MomentEntry MumbaiBirth{"August", 15, 1995, 6, 45, 0, "19", "4", false, "72", "52", false, 34, false,
                                     "Mumbai", "Maharashtra", "India"};

// Runs action on the next modal window as soon as it is shown (polling from the event loop). A modal window that
// is still open some turns after the action is closed and reported, so a test never hangs on it.
void WhenModalShows(std::function<void(QWidget* modal)> action);

void DoubleClickItem(QListWidget* list, QListWidgetItem* item);
void DoubleClickItem(QTreeWidget* tree, QTreeWidgetItem* item);

class WindowTest : public ::testing::Test {
public:
    void SetUp() override;
    void TearDown() override;

    // Recreates the window with another pause of the wait panel.
    void MakeWindow(int waitPauseMs);

    template <typename T>
    T* Find(const QString& name) const {
        T* widget = window->findChild<T*>(name);
        if (widget == nullptr) throw std::runtime_error("no control named " + name.toStdString());
        return widget;
    }

    QWidget* CurrentPage() const { return Find<QStackedWidget>(QStringLiteral("stkPages"))->currentWidget(); }
    QString CurrentPageName() const { return CurrentPage()->objectName(); }
    QString Text(const QString& labelOrBox) const;
    // Brings a page to the front directly (for tests of one page's controls).
    void ShowPageNamed(const QString& pageName);

    void Click(const QString& name);
    void Pick(const QString& comboName, const QString& text);
    void Type(const QString& boxName, const QString& text);
    void ClearAndType(const QString& boxName, const QString& text);

    // Shows the subject's category and ticks the subject.
    void TickSubject(const QString& subject);
    // Picks a time-zone row through the picker of a page.
    void ChooseZone(bool muhurthaPage, int row);

    void FillMoment(bool muhurthaPage, const MomentEntry& m);
    void FillMuhurthaPage(const MomentEntry& m);
    void FillBirthPage(const QString& name, bool female, const MomentEntry& b);
    // The whole wizard: subject, muhurtha page, birth page, Next to the results (asserts each page is reached).
    void RunToResults(const QString& subject, const QString& name, bool female, const MomentEntry& muhurtha,
                      const MomentEntry& birth);

    // Opens "Find Best Times..." through its menu entry and returns the finder window.
    FinderWindow* OpenFinder();
    // Presses Search on the finder and lets the event loop run until the search has ended.
    void SearchAndWait(FinderWindow* finder);

    // Each test's people file and recent places live in a folder of its own (KALVORA_DATA_DIR).
    std::unique_ptr<QTemporaryDir> dataFolder;
    std::unique_ptr<MainWindow> window;
    std::vector<RecordedMessage> messages;
    std::vector<QUrl> urls;
    bool browserOpens = true;  // what opening an address in the browser answers
    QString savePath;         // what the "Save Report" dialog answers ("" = cancelled)
    QString calendarPath;     // what the "Export to Calendar" dialog answers ("" = cancelled)
    QString printToPdf;       // the print dialog prints to this PDF file ("" = cancelled)
    QString pdfPath;          // what the "Export Month as PDF" dialog answers ("" = cancelled)
    int choiceAnswer = -1;    // what a question with several answers gets (-1 = cancelled)
    struct AskedChoice {
        QString question;
        QStringList answers;
    };
    std::vector<AskedChoice> choices;  // every such question asked
};

// The atlas every test window shares, loaded once.
std::shared_ptr<AtlasSource> SharedAtlas();

}  // namespace kalvora::test
