#pragma once
// The main window frmMain: a wizard of stacked pages (the undertaking, the muhurtha, the native's birth), the wait
// panel and the results. The window reads its controls into a CalculationInput, calls Calculate and shows the
// Calculation; it holds no astronomy and no rule of its own.

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>

#include "driver/calculation.h"
#include "driver/day_view.h"
#include "driver/people_calculation.h"
#include "finder/finder.h"
#include "driver/panels.h"
#include "app/gui/shell/preferences.h"
#include "app/gui/shell/shell.h"
#include "atlas/atlas.h"
#include "report/document.h"
#include "store/people_store.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;

namespace kalvora {

class AtlasSource;
class ClickableLabel;
class FinderWindow;
class MomentForm;
class MonthWindow;
class PeopleController;
class PeopleTabs;
class ResultsView;
class SubjectChooser;
class YearStripWindow;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(ShellServices services = DesktopServices(), QWidget* parent = nullptr);
    ~MainWindow() override;

    // Next on the birth page, after its check: both moments, the wait panel, the results on "Birth Details".
    void Display();

    // The checks of the three pages; each shows its message and returns false on the first problem.
    bool CheckSubjectPage();
    bool CheckMuhurthaPage();
    bool CheckBirthPage();

    // The pages' controls as the calculation takes them.
    CalculationInput ReadCalculationInput() const;
    // The pages with every person of the birth page (the first person's name and sex as the page shows them), as
    // the calculation of several people takes them.
    PeopleInput ReadPeopleInput() const;
    // The birth page's people: the first person's form and a tab for each further person.
    PeopleTabs* BirthPeople() const { return peopleTabs_; }
    // The calculation of several people last shown; none after a one-person calculation.
    const std::optional<PeopleCalculation>& LastPeople() const { return lastPeople_; }

    // "Find Best Times...": opens the finder window, or brings it to the front.
    void OpenFinder();
    // The finder's input: the three page checks (each shows its message), then the pages as the calculation
    // takes them with the native's name and sex from the birth page; none when a check fails.
    std::optional<PeopleInput> ReadPagesForSearch();
    // A minute the finder found: the subject is ticked again, the muhurtha page takes the date and time, and the
    // calculation runs as from Next on the birth page.
    void ShowFoundMinute(const std::string& subject, LocalDate date, int minute);

    const QString& ChosenSubject() const;
    // The last calculation shown, none before the first.
    const std::optional<Calculation>& LastCalculation() const { return lastCalculation_; }
    // The analysis report of the last calculation, none when no rule set ran.
    const std::optional<ReportDocument>& LastReport() const { return lastReport_; }

    // "People...": opens the people window, or brings it to the front.
    void OpenPeople();
    // "Season of the Year...": opens the year strip on the muhurtha page's place, zone and year, or brings it to
    // the front.
    void OpenSeason();
    // "Month...": opens the month window on the muhurtha page's place and the month holding `date` (the page's
    // date when none), or brings it to the front on that month.
    void OpenMonth(std::optional<LocalDate> date = std::nullopt);
    // A date's Day tab: the pages take the date (keeping their time) and the calculation runs as from Next.
    void ShowDayOf(LocalDate date);
    // The people store behind the birth page and the people window.
    PeopleStore& People();
    // The places the muhurtha page offers as used recently, most recent first.
    const std::vector<kalvora::Place>& RecentPlaces() const { return recentPlaces_; }

    // "Edit > Preferences...": the dialog on the preferences in force; OK saves them and they take effect.
    void OpenPreferences();
    // The preferences in force, read when the window opens.
    const Preferences& CurrentPreferences() const { return preferences_; }
    // Fills the muhurtha page as a new page starts by the preferences, read at `now`: the date and time, and the
    // home place where the page starts at the next hour and one is set.
    void StartMuhurthaPage(const QDateTime& now);

    // "&Print" and "Save Report..." of the analysis tab.
    void PrintReport();
    void SaveReport();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Return or Enter that no control takes presses the focused button, else the page's Next.
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What the details panels show besides the calculation, taken from the pages when it starts.
    struct PanelInput {
        CalculationInput calculation;
        PlaceText birthPlace, muhurthaPlace;
    };

    void BuildMenus();
    QWidget* BuildHeader();
    QWidget* BuildFooter();
    QWidget* BuildSubjectPage();
    QWidget* BuildMomentPage(const char* pageName, const QString& title, QWidget* form, int pageIndex,
                             QWidget* extra = nullptr);
    QWidget* BuildWaitPanel();
    QWidget* BuildNavigation(int pageIndex, QWidget* extra = nullptr);
    QWidget* BuildExplanation();

    void ShowPage(QWidget* page);
    void OnNext(int page);
    // The birth page's name and sex become the native's.
    void TakeNative();
    void OnBack(int index);
    void OpenTimeZonePicker(MomentForm* form);
    // A form's messages, place search and time-zone picker.
    void WireForm(MomentForm* form);
    // The saved people and groups offered for the birth page's further people.
    void OfferPeopleAndGroups();
    // A saved group chosen on the birth page: its people fill the page.
    void UseGroup(const QString& name);
    void ApplyTimeZone(int eastHours, int eastMinutes);
    void LookUpCoordinates(MomentForm* form);
    void OpenPage(SitePage page);
    void ShowAbout();

    void Message(QMessageBox::Icon icon, std::string_view text);
    void Message(QMessageBox::Icon icon, const QString& text);
    bool RequireCoordinates(const MomentForm* form);
    // The City box names another place than the coordinates came from: the user picks the place or keeps them.
    bool ConfirmPlace(MomentForm* form);
    // A page's date and time in the chosen place's zone: a time the clocks jumped over is refused, and for one
    // that occurs twice the user chooses the offset.
    bool CheckZone(MomentForm* form);
    bool CheckBothDates();

    // Shows the wait panel for the pause with the input blocked and the window still painting.
    void PauseOnWaitPanel();
    // The day's warning above the factors when the chosen minute falls in a period to avoid.
    void ShowDayWarning(const DayPanelTexts& day);
    void ShowSeasonWarning(const std::string& warning);
    void ShowResultLabel(const Calculation& calculation);
    // The analysis report of a calculation goes into RTB here; its appendix names the muhurtha's place from the
    // page's City, State and Country boxes where the place did not come from the atlas.
    // With several people the report has a section for each and the combined verdict.
    void WriteReport(const Calculation& calculation, const PanelInput& input, const CalculationTimes& times,
                     const PeopleCalculation* people = nullptr);
    void FillBirthDetails(const Calculation& calculation, const PanelInput& input);
    void FillMuhurthaDetails(const Calculation& calculation, const PanelInput& input);

    // The muhurtha page's chosen place goes first in the recent places, kept beside the people file.
    void RememberPlace();

    // The title names the conventions in force that are not the program's own.
    void ApplyPreferences();

    ShellServices services_;
    Preferences preferences_;
    std::shared_ptr<AtlasSource> atlas_;
    std::optional<ReportDocument> lastReport_;

    QStackedWidget* pages_ = nullptr;
    QWidget* subjectPage_ = nullptr;   // picMainScreen
    QWidget* muhurthaPage_ = nullptr;  // picSearchMode
    QWidget* birthPage_ = nullptr;     // picBirthDetails
    QWidget* waitPanel_ = nullptr;     // picMessage
    ResultsView* results_ = nullptr;   // picMuhurthaResult
    MomentForm* muhurthaForm_ = nullptr;
    MomentForm* birthForm_ = nullptr;
    PeopleTabs* peopleTabs_ = nullptr;
    QPointer<MomentForm> zoneTarget_;  // the form the time-zone picker writes to
    SubjectChooser* subjects_ = nullptr;
    std::array<QLabel*, 4> steps_{};

    QString personName_;
    QString personSex_ = QStringLiteral("Male");
    bool waiting_ = false;
    std::optional<Calculation> lastCalculation_;
    std::optional<PeopleCalculation> lastPeople_;
    QPointer<FinderWindow> finder_;
    QPointer<YearStripWindow> season_;
    QPointer<MonthWindow> month_;

    std::unique_ptr<PeopleController> people_;
    std::vector<kalvora::Place> recentPlaces_;
};

}  // namespace kalvora
