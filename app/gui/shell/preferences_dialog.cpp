#include "app/gui/shell/preferences_dialog.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/gui/pages/place_search.h"
#include "app/gui/pages/recent_places.h"
#include "app/gui/shell/emblem.h"
#include "app/gui/shell/shell.h"
#include "app/gui/shell/theme.h"

namespace kalvora {

namespace {

// A chooser of one convention: its names (first letter raised, "The true amanta month") in the order of its words.
QComboBox* ConventionBox(const ConventionPreference& convention) {
    auto* box = new QComboBox;
    box->setObjectName(QString::fromLatin1(convention.box));
    for (const ConventionWord& word : convention.words) {
        QString text = FromView(word.name);
        text[0] = text[0].toUpper();
        box->addItem(text);
    }
    box->setToolTip(QString::fromUtf8(convention.tip));
    return box;
}

}  // namespace

PreferencesDialog::PreferencesDialog(const Preferences& shown, AtlasSource* atlas, QWidget* parent)
    : QDialog(parent), atlas_(atlas) {
    setObjectName(QStringLiteral("dlgPreferences"));
    setWindowTitle(QStringLiteral("Preferences - ") + QString::fromLatin1(AppTitle));
    setWindowIcon(EmblemIcon());
    setModal(true);

    // The conventions: the defaults are the program's own.
    auto* conventions = new QGroupBox(QStringLiteral("Conventions"));
    auto* conventionRows = new QFormLayout(conventions);
    for (std::size_t i = 0; i < ConventionPreferences.size(); ++i) {
        conventions_[i] = ConventionBox(ConventionPreferences[i]);
        conventionRows->addRow(QString::fromUtf8(ConventionPreferences[i].label), conventions_[i]);
    }

    // The home place, from the atlas as the muhurtha page's City box takes one.
    auto* home = new QGroupBox(QStringLiteral("Home Place"));
    auto* homeRow = new QHBoxLayout(home);
    home_ = new QLineEdit;
    home_->setObjectName(QStringLiteral("txtPrefHomePlace"));
    home_->setReadOnly(true);
    home_->setPlaceholderText(QStringLiteral("None"));
    home_->setMinimumWidth(320);
    auto* chooseHome = new QPushButton(QStringLiteral("C&hoose..."));
    chooseHome->setObjectName(QStringLiteral("cmdPrefChooseHome"));
    chooseHome->setAutoDefault(false);
    chooseHome->setToolTip(QStringLiteral("Find the home place in the atlas"));
    clearHome_ = new QPushButton(QStringLiteral("C&lear"));
    clearHome_->setObjectName(QStringLiteral("cmdPrefClearHome"));
    clearHome_->setAutoDefault(false);
    connect(chooseHome, &QPushButton::clicked, this, &PreferencesDialog::ChooseHomePlace);
    connect(clearHome_, &QPushButton::clicked, this, [this] {
        homePlace_.reset();
        ShowHomePlace();
    });
    homeRow->addWidget(home_, 1);
    homeRow->addWidget(chooseHome);
    homeRow->addWidget(clearHome_);

    auto* start = new QGroupBox(QStringLiteral("A New Muhurtha Page Starts"));
    auto* startRows = new QVBoxLayout(start);
    nextHour_ = new QRadioButton(QStringLiteral("&Today at the next whole hour, at the home place"));
    nextHour_->setObjectName(QStringLiteral("optPrefStart0"));
    firstDay_ = new QRadioButton(QStringLiteral("On &1 January 1901 at 00:00, with no place"));
    firstDay_->setObjectName(QStringLiteral("optPrefStart1"));
    startRows->addWidget(nextHour_);
    startRows->addWidget(firstDay_);

    auto* finder = new QGroupBox(QStringLiteral("Find Best Times"));
    auto* finderRows = new QVBoxLayout(finder);
    applyVetoes_ = new QCheckBox(QStringLiteral("Apply the undertaking's &vetoes of the season"));
    applyVetoes_->setObjectName(QStringLiteral("chkPrefApplyVetoes"));
    applyVetoes_->setToolTip(QStringLiteral("Tick the vetoes of the season the undertaking's rules hold when the "
                                            "search window opens and whenever the undertaking changes"));
    finderRows->addWidget(applyVetoes_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                                         QDialogButtonBox::RestoreDefaults);
    buttons->setObjectName(QStringLiteral("btnPrefButtons"));
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("cmdPrefOK"));
    ok->setProperty("role", "primary");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdPrefCancel"));
    QPushButton* restore = buttons->button(QDialogButtonBox::RestoreDefaults);
    restore->setObjectName(QStringLiteral("cmdPrefRestore"));
    restore->setText(QStringLiteral("Restore Defaults"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(restore, &QPushButton::clicked, this, [this] { Show(Preferences{}); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 14, 18, 14);
    layout->setSpacing(10);
    layout->addWidget(StyledLabel(QStringLiteral("Preferences"), "pageTitle"));
    for (QWidget* group : {conventions, home, start, finder}) layout->addWidget(group);
    auto* note = StyledLabel(QStringLiteral("The command line does not read these preferences: its options choose "
                                            "the conventions."),
                             "hint");
    note->setWordWrap(true);
    layout->addWidget(note);
    layout->addStretch(1);
    layout->addWidget(buttons);

    Show(shown);
}

Preferences PreferencesDialog::Chosen() const {
    Preferences chosen;
    for (std::size_t i = 0; i < ConventionPreferences.size(); ++i) {
        ConventionPreferences[i].choose(chosen.conventions,
                                        static_cast<std::size_t>(std::max(conventions_[i]->currentIndex(), 0)));
    }
    chosen.homePlace = homePlace_;
    chosen.pageStart = firstDay_->isChecked() ? PageStart::FirstDay : PageStart::NextHour;
    chosen.applyVetoes = applyVetoes_->isChecked();
    return chosen;
}

void PreferencesDialog::Show(const Preferences& preferences) {
    for (std::size_t i = 0; i < ConventionPreferences.size(); ++i) {
        conventions_[i]->setCurrentIndex(static_cast<int>(ConventionPreferences[i].chosen(preferences.conventions)));
    }
    homePlace_ = preferences.homePlace;
    ShowHomePlace();
    (preferences.pageStart == PageStart::FirstDay ? firstDay_ : nextHour_)->setChecked(true);
    applyVetoes_->setChecked(preferences.applyVetoes);
}

void PreferencesDialog::ChooseHomePlace() {
    PlaceSearchDialog search(atlas_, homePlace_ ? FromView(homePlace_->name) : QString(), this);
    connect(&search, &PlaceSearchDialog::placeChosen, this, [this](const Place& place) {
        homePlace_ = place;
        ShowHomePlace();
    });
    search.exec();
}

void PreferencesDialog::ShowHomePlace() {
    home_->setText(homePlace_ ? PlaceLine(*homePlace_) : QString());
    clearHome_->setEnabled(homePlace_.has_value());
}

}  // namespace kalvora
