#pragma once
// The "Find Best Times" window frmFindBestTimes: a span of dates, an optional daily time window, weekdays to
// leave out, periods of the day to avoid and the vetoes of the season to leave out (ticked from the undertaking's
// whenever it changes); the subject, the birth data and the place come from the main window's pages. The search
// runs on a worker thread with a progress bar and Cancel; the windows found are listed best first, and
// double-clicking one shows that minute's full result on the main window; "Export to Calendar..." writes the listed
// windows to a calendar file.

#include <array>
#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <QDialog>

#include "driver/calculation.h"
#include "finder/finder.h"
#include "app/gui/shell/shell.h"

class QCheckBox;
class QDateEdit;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QTimeEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace kalvora {

// What the window needs from the main window.
struct FinderPages {
    // Runs the pages' checks (each shows its own message) and reads the pages as the calculation takes them;
    // none when a check fails.
    std::function<std::optional<PeopleInput>()> read;
    // Shows one found minute of a subject as the result of the main window.
    std::function<void(const std::string& subject, LocalDate date, int minute)> show;
    MessageFunction showMessage;
    // Opens the season of the year of the pages' place (the button is left out when unset).
    std::function<void()> showSeason;
    // Opens the month of the pages' place (the button is left out when unset).
    std::function<void()> showMonth;
    // Asks where to write the calendar file of the listed windows ("" or unset: not written).
    SavePathFunction askCalendarPath;
};

class FinderWindow : public QDialog {
    Q_OBJECT
public:
    // The span starts on `start` and runs 30 days.
    FinderWindow(FinderPages pages, LocalDate start, QWidget* parent = nullptr);
    ~FinderWindow() override;

    // Search: reads the pages and the window's options and starts the worker; nothing when a search runs.
    void StartSearch();
    // Cancel: the search stops after the date it is on; the windows found so far are listed.
    void CancelSearch();
    // Export to Calendar: asks for a file and writes the listed windows to it as calendar events, in the order
    // listed; a file that cannot be written is said in a message and any earlier file kept as it was.
    void ExportCalendar();
    // Ticks the vetoes of an undertaking (of the 34 subject texts), unticks the others; another text changes
    // nothing.
    void FollowUndertaking(const std::string& subject);
    bool Searching() const { return worker_.joinable(); }

    // The query of the last search started, and the windows listed (row by row).
    const std::optional<FinderQuery>& LastQuery() const { return lastQuery_; }
    const std::vector<FoundWindow>& ListedWindows() const { return listed_; }

    // Closing the window stops a running search and waits for the worker.
    void done(int result) override;

Q_SIGNALS:
    // After each search, whether it ended, was cancelled or failed.
    void searchFinished();

private:
    struct Outcome {
        FinderResult result;
        std::string error;  // "" when the search ran
    };

    QWidget* BuildOptions();
    QWidget* BuildProgressRow();
    QWidget* BuildList();
    std::optional<FinderQuery> ReadQuery();
    void SetSearching(bool searching);
    void ShowProgress(int datesDone, int datesTotal);
    void FinishSearch(const Outcome& outcome);
    void ShowWindows(const std::vector<FoundWindow>& windows);
    void ShowNoWindows(const FinderResult& result);
    void ShowFound(QTreeWidgetItem* item);
    void StopWorker();
    void UpdateExport();

    FinderPages pages_;
    std::thread worker_;
    std::atomic<bool> cancel_{false};
    std::optional<FinderQuery> lastQuery_;
    std::vector<FoundWindow> listed_;

    QDateEdit* from_ = nullptr;             // dtpFindFrom
    QDateEdit* to_ = nullptr;               // dtpFindTo
    QCheckBox* between_ = nullptr;          // chkFindBetween
    QTimeEdit* firstTime_ = nullptr;        // timFindFrom
    QTimeEdit* lastTime_ = nullptr;         // timFindTo
    std::array<QCheckBox*, 7> leaveOut_{};  // chkFindLeaveOut0 (Sunday) .. 6 (Saturday)
    std::array<QCheckBox*, 4> avoid_{};     // chkAvoidRahu, chkAvoidYamaganda, chkAvoidGulika, chkAvoidDurmuhurta
    std::array<QCheckBox*, 3> avoidMarks_{};  // chkAvoidVarjyam, chkAvoidBhadra, chkAvoidPanchaka
    std::array<QCheckBox*, VetoCount> vetoes_{};  // chkVetoGuruAsta .. chkVetoPitruPaksha, by Veto
    QSpinBox* top_ = nullptr;               // spnFindTop, 0 shows "All"
    QCheckBox* allGood_ = nullptr;          // chkFindAllGood: only Good minutes (the combined verdict's)
    QPushButton* search_ = nullptr;         // cmdFindSearch
    QPushButton* cancelButton_ = nullptr;   // cmdFindCancel
    QPushButton* exportIcs_ = nullptr;      // cmdFindExportIcs: enabled while windows are listed
    QProgressBar* progress_ = nullptr;      // prgFind
    QLabel* status_ = nullptr;              // lblFindStatus
    QLabel* searched_ = nullptr;            // lblFindSearched: the undertaking, person, place and zone searched
    QStackedWidget* listArea_ = nullptr;
    QTreeWidget* list_ = nullptr;  // lstFoundWindows
    QLabel* noWindows_ = nullptr;  // lblNoWindows
};

}  // namespace kalvora
