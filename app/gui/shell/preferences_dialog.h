#pragma once
// "Edit > Preferences..." dlgPreferences: the conventions the calculations follow, the home place, how a new
// muhurtha page starts and whether the finder ticks the undertaking's vetoes. The dialog only shows and edits a
// Preferences record; the main window saves it on OK. "Restore Defaults" puts the controls back to the defaults.

#include <array>
#include <optional>

#include <QDialog>

#include "app/gui/shell/preferences.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kalvora {

class AtlasSource;

class PreferencesDialog : public QDialog {
    Q_OBJECT
public:
    // atlas: where "Choose..." finds the home place.
    PreferencesDialog(const Preferences& shown, AtlasSource* atlas, QWidget* parent = nullptr);

    // The preferences as the controls hold them.
    Preferences Chosen() const;
    // Puts a record into the controls.
    void Show(const Preferences& preferences);

private:
    void ChooseHomePlace();
    void ShowHomePlace();

    AtlasSource* atlas_;
    std::optional<Place> homePlace_;
    std::array<QComboBox*, ConventionPreferences.size()> conventions_{};  // a chooser a convention, in their order
    QLineEdit* home_ = nullptr;            // txtPrefHomePlace, read only
    QPushButton* clearHome_ = nullptr;     // cmdPrefClearHome
    QRadioButton* nextHour_ = nullptr;     // optPrefStart0
    QRadioButton* firstDay_ = nullptr;     // optPrefStart1
    QCheckBox* applyVetoes_ = nullptr;     // chkPrefApplyVetoes
};

}  // namespace kalvora
