#pragma once
// The results of a calculation: the tab strip TS with the birth details, the muhurtha details, the muhurtha
// analysis (the report view RTB, the result label lblResult with the factor lines, and "&Print") and the day of
// the muhurtha.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QWidget>

#include "driver/panels.h"
#include "driver/people_calculation.h"

class QHBoxLayout;
class QLabel;
class QPushButton;
class QTabWidget;
class QTextBrowser;
class QVBoxLayout;

namespace kalvora {

class ClickableLabel;
class DayPanel;

// Thirteen rows of heading and value. Value labels are named <valueName><index>; the index of each row's value
// label is given per row, because the muhurtha panel numbers its labels from the computed names first. Below them
// the planets block: for each of the nine bodies its sign, degrees and minutes within the sign, nakshatra and "R"
// when retrograde, in labels named <valueName>Planet<body>_<column> (body 0 = Sun .. 8 = Ketu). Beside the tithi,
// nakshatra, yoga and karana values, when each ends, in labels named <valueName>Until<index>.
struct DetailsPanelLayout {
    const char* panelName;
    const char* subtitle;
    const char* valueName;
    const char* backName;
    const char* initialValue;
    const std::array<std::string_view, PanelRowCount>* headings;
    std::array<int, PanelRowCount> valueIndexes;
};

// The Back button of a result tab; every one returns to the first page.
QPushButton* BackButton(const char* name);
// The column of a result tab, with the tabs' margins and spacing.
QVBoxLayout* ResultTabLayout(QWidget* tab);
// The row under a tab's contents: its Back button on the left.
QHBoxLayout* BackRow(QPushButton* back);

extern const DetailsPanelLayout BirthPanelLayout;
extern const DetailsPanelLayout MuhurthaPanelLayout;

class DetailsPanel : public QWidget {
    Q_OBJECT
public:
    explicit DetailsPanel(const DetailsPanelLayout& layout, QWidget* parent = nullptr);

    // Writes the thirteen values, top row first.
    void ShowValues(const std::array<std::string, PanelRowCount>& values);
    // Writes the "until" texts beside the limb rows (by row; the other rows' texts are not read).
    void ShowUntil(const std::array<std::string, PanelRowCount>& texts);
    // Fills the planets block from the moment's sky; hides it for a calculation that places no planets.
    void ShowPlanets(const std::optional<Sky>& sky);
    // Names another ayanamsa than Lahiri under the values ("Raman, 22°46'12\""); hidden for "".
    void ShowAyanamsa(const std::string& text);

    QPushButton* back;

private:
    static constexpr std::size_t PlanetColumns = 5;  // body, sign, degrees, nakshatra, "R"
    std::array<QLabel*, PanelRowCount> rowValues_{};  // by row, top to bottom
    std::array<QLabel*, LimbCount> untilLabels_{};     // in the order of Limbs
    QWidget* planets_ = nullptr;
    QWidget* glossary_ = nullptr;
    QLabel* ayanamsa_ = nullptr;
    std::array<std::array<QLabel*, PlanetColumns>, BodyNames.size()> planetCells_{};  // Sun to Ketu
};

class ResultsView : public QWidget {
    Q_OBJECT
public:
    explicit ResultsView(QWidget* parent = nullptr);

    QTabWidget* tabs;  // TS
    DetailsPanel* birth;     // picResultBirth, cmdBack3
    DetailsPanel* muhurtha;  // picMuhurthaDetails, cmdBack5
    QWidget* analysis;       // picResultMuhurtha
    DayPanel* day;           // picDay, cmdBack6
    QLabel* result;          // lblResult
    // Above the factors: the day's own warning when the chosen minute falls in a period a beginning avoids
    // (Rahu kalam, Yamaganda, Gulika, a Durmuhurta), so that the verdict is never read without it.
    QLabel* dayWarning;
    // Under the factors: the season's warning when a veto of the undertaking is in force at the chosen minute
    // (Jupiter or Venus combust, the leap month, Chaturmas, Kharmas, Pitru paksha).
    QLabel* seasonWarning;
    QTextBrowser* report;    // RTB
    QPushButton* print;      // cmdSave
    QPushButton* saveReport; // cmdSaveReport, "Save Report..." as RTF or PDF
    QPushButton* analysisBack;  // cmdBack4
    ClickableLabel* detailedAnalysisLink;
    // Several people: the combined verdict above the analysis (lblCombined), and a column per person in place of
    // the factor lines (their name and role, factor lines and rating, and their Surya or Guru bala).
    QLabel* combined;
    // colPerson1, colPerson2 ...: the name and role (lblPersonName1 ...) over the lines (lblPerson1 ...).
    std::vector<QWidget*> personColumns;

    // Shows the combined verdict and the people's columns; with none (one person) the tab is as it always was.
    void ShowPeople(const PeopleCalculation* people);

private:
    QWidget* BuildAnalysisPanel();
    QWidget* verdictCard_ = nullptr;
    QWidget* resultScroll_ = nullptr;   // lblResult's
    QWidget* peopleScroll_ = nullptr;   // the people's columns
    QHBoxLayout* peopleRow_ = nullptr;
};

}  // namespace kalvora
