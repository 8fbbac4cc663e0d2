// Edit > Preferences...: the preferences file read and written by its words, the dialog's OK, Cancel and Restore
// Defaults, and the preferences at work: the muhurtha page's start, the conventions of the calculation and the
// window's title, and the finder's vetoes.

#include <array>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QtTest/QTest>

#include "app/gui/pages/atlas_source.h"
#include "app/gui/shell/preferences.h"
#include "store/people_store.h"
#include "tests/gui/window_fixture.h"

namespace kalvora::test {
namespace {

const Place Chennai{"Chennai", "Tamil Nadu", "India", "IN", "Asia/Kolkata", 13.0878, 80.2785, 0};

QString PreferencesPath() {
    return QDir(QString::fromStdString(PeopleFolder())).filePath(QStringLiteral("preferences.ini"));
}

class PreferencesTest : public WindowTest {
protected:
    // Opens the dialog through its menu entry, lets `act` work its controls, then presses `button`.
    void EditPreferences(const std::function<void(QWidget*)>& act, const char* button) {
        WhenModalShows([act, button](QWidget* dialog) {
            ASSERT_EQ(dialog->objectName(), QStringLiteral("dlgPreferences"));
            act(dialog);
            QTest::mouseClick(dialog->findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
        });
        window->findChild<QAction*>(QStringLiteral("mnuPreferences"))->trigger();
    }
};

TEST_F(PreferencesTest, TheFileKeepsTheChoicesByTheirWordsAndReadsAnUnknownWordAsTheDefault) {
    Preferences chosen;
    chosen.conventions.ayanamsa = Ayanamsa::Raman;
    chosen.conventions.lunarMonth = LunarMonthRule::Purnimanta;
    chosen.conventions.weekday = WeekdayRule::Sunrise;
    chosen.conventions.sunrise = SunriseDefinition::Standard;
    chosen.conventions.ephemeris = EphemerisChoice::Precise;
    chosen.homePlace = Chennai;
    chosen.pageStart = PageStart::NextHour;
    chosen.applyVetoes = false;
    SavePreferences(chosen);
    const Preferences read = LoadPreferences();
    EXPECT_EQ(read.conventions, chosen.conventions);
    EXPECT_EQ(read.homePlace, chosen.homePlace);
    EXPECT_EQ(read.pageStart, PageStart::NextHour);
    EXPECT_FALSE(read.applyVetoes);
    EXPECT_EQ(QSettings(PreferencesPath(), QSettings::IniFormat).value(QStringLiteral("conventions/ayanamsa")),
              QStringLiteral("raman"));
    EXPECT_EQ(QSettings(PreferencesPath(), QSettings::IniFormat).value(QStringLiteral("conventions/lunarMonth")),
              QStringLiteral("purnimanta"));
    EXPECT_EQ(QSettings(PreferencesPath(), QSettings::IniFormat).value(QStringLiteral("conventions/weekday")),
              QStringLiteral("sunrise"));
    EXPECT_EQ(QSettings(PreferencesPath(), QSettings::IniFormat).value(QStringLiteral("conventions/ephemeris")),
              QStringLiteral("precise"));

    // A file written by hand or by another release: each word as it names a choice, anything else the default.
    struct Case {
        const char* ayanamsa;  // nullptr: no key
        Ayanamsa expected;
    };
    for (const Case& c : {Case{"true-chitra", Ayanamsa::TrueChitra}, Case{"fagan-bradley", Ayanamsa::FaganBradley},
                          Case{"Raman", Ayanamsa::Lahiri}, Case{"tropical", Ayanamsa::Lahiri},
                          Case{nullptr, Ayanamsa::Lahiri}}) {
        {
            QSettings file(PreferencesPath(), QSettings::IniFormat);
            file.clear();
            if (c.ayanamsa != nullptr) file.setValue(QStringLiteral("conventions/ayanamsa"), c.ayanamsa);
            file.setValue(QStringLiteral("conventions/lunarMonth"), QStringLiteral("Amanta"));
            file.setValue(QStringLiteral("conventions/sunrise"), QStringLiteral("upper-limb"));
            file.setValue(QStringLiteral("conventions/ephemeris"), QStringLiteral("Precise"));
            file.setValue(QStringLiteral("newPage/start"), QStringLiteral("someday"));
        }
        const Preferences loaded = LoadPreferences();
        EXPECT_EQ(loaded.conventions.ayanamsa, c.expected) << (c.ayanamsa ? c.ayanamsa : "(none)");
        EXPECT_EQ(loaded.conventions, (Conventions{.ayanamsa = c.expected}));
        EXPECT_FALSE(loaded.homePlace);
        EXPECT_EQ(loaded.pageStart, PageStart::NextHour);
        EXPECT_TRUE(loaded.applyVetoes);
    }
}

TEST_F(PreferencesTest, RestoreDefaultsResetsTheControlsAndOnlyOkSavesThem) {
    Preferences saved;
    saved.conventions.ayanamsa = Ayanamsa::Krishnamurti;
    saved.conventions.lunarMonth = LunarMonthRule::Amanta;
    saved.homePlace = Chennai;
    saved.pageStart = PageStart::FirstDay;
    saved.applyVetoes = false;
    SavePreferences(saved);
    MakeWindow(0);

    const auto restore = [](QWidget* dialog) {
        auto* ayanamsa = dialog->findChild<QComboBox*>(QStringLiteral("cboPrefAyanamsa"));
        EXPECT_EQ(ayanamsa->currentText(), QStringLiteral("Krishnamurti"));
        auto* lunarMonth = dialog->findChild<QComboBox*>(QStringLiteral("cboPrefLunarMonth"));
        EXPECT_EQ(lunarMonth->currentText(), QStringLiteral("The true amanta month"));
        EXPECT_TRUE(dialog->findChild<QLineEdit*>(QStringLiteral("txtPrefHomePlace"))->text().startsWith("Chennai"));
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdPrefRestore")), Qt::LeftButton);
        EXPECT_EQ(ayanamsa->currentText(), QStringLiteral("Lahiri"));
        EXPECT_EQ(lunarMonth->currentText(), QStringLiteral("The lunar month table"));
        EXPECT_EQ(ayanamsa->count(), static_cast<int>(AyanamsaWords.size()));
        EXPECT_TRUE(dialog->findChild<QLineEdit*>(QStringLiteral("txtPrefHomePlace"))->text().isEmpty());
        EXPECT_TRUE(dialog->findChild<QRadioButton*>(QStringLiteral("optPrefStart0"))->isChecked());
        EXPECT_TRUE(dialog->findChild<QCheckBox*>(QStringLiteral("chkPrefApplyVetoes"))->isChecked());
    };
    // Cancel keeps what was saved, in the file and in the window.
    EditPreferences(restore, "cmdPrefCancel");
    EXPECT_EQ(LoadPreferences().conventions.ayanamsa, Ayanamsa::Krishnamurti);
    EXPECT_EQ(window->CurrentPreferences().conventions.ayanamsa, Ayanamsa::Krishnamurti);
    EXPECT_EQ(LoadPreferences().conventions.lunarMonth, LunarMonthRule::Amanta);
    EXPECT_EQ(window->windowTitle(),
              QString::fromLatin1(AppTitle) + QStringLiteral(" - Krishnamurti ayanamsa, the true amanta month"));

    EditPreferences(restore, "cmdPrefOK");
    const Preferences after = LoadPreferences();
    EXPECT_EQ(after.conventions, Conventions{});
    EXPECT_FALSE(after.homePlace);
    EXPECT_EQ(after.pageStart, PageStart::NextHour);
    EXPECT_TRUE(after.applyVetoes);
    EXPECT_EQ(window->windowTitle(), QString::fromLatin1(AppTitle));
}

TEST_F(PreferencesTest, TheHomePlaceIsChosenFromTheAtlasAndCleared) {
    SharedAtlas()->Wait();
    EditPreferences(
        [](QWidget* dialog) {
            WhenModalShows([](QWidget* search) {
                EXPECT_EQ(search->objectName(), QStringLiteral("frmPlaceSearch"));
                auto* box = search->findChild<QLineEdit*>(QStringLiteral("txtPlaceSearch"));
                box->setText(QStringLiteral("Chennai, India"));
                QTest::keyClick(box, Qt::Key_Return);
            });
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdPrefChooseHome")), Qt::LeftButton);
            EXPECT_TRUE(dialog->findChild<QLineEdit*>(QStringLiteral("txtPrefHomePlace"))
                            ->text()
                            .startsWith(QStringLiteral("Chennai, Tamil Nadu, India")));
        },
        "cmdPrefOK");
    const std::optional<Place> home = LoadPreferences().homePlace;
    ASSERT_TRUE(home);
    EXPECT_EQ(home->timeZone, "Asia/Kolkata");
    ASSERT_TRUE(window->CurrentPreferences().homePlace);
    Place held = *window->CurrentPreferences().homePlace;
    held.population = 0;  // a page has no use for it; the file keeps none
    EXPECT_EQ(held, *home);
    EditPreferences(
        [](QWidget* dialog) {
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdPrefClearHome")), Qt::LeftButton);
        },
        "cmdPrefOK");
    EXPECT_FALSE(LoadPreferences().homePlace);
}

TEST(PageStart, TheNextWholeHourOfTodayOrTheFirstDay) {
    struct Case {
        PageStart start;
        QDateTime now;
        LocalDateTime expected;
    };
    const auto at = [](int y, int mo, int d, int h, int mi, int s = 0) { return QDateTime(QDate(y, mo, d), QTime(h, mi, s)); };
    const auto cases = std::to_array<Case>({
        {PageStart::NextHour, at(2026, 12, 10, 10, 20), {2026, 12, 10, 11, 0, 0}},
        {PageStart::NextHour, at(2026, 12, 10, 10, 0), {2026, 12, 10, 11, 0, 0}},
        {PageStart::NextHour, at(2026, 12, 10, 23, 40), {2026, 12, 11, 0, 0, 0}},
        {PageStart::NextHour, at(2026, 12, 31, 23, 59, 59), {2027, 1, 1, 0, 0, 0}},
        {PageStart::NextHour, at(2028, 2, 28, 23, 5), {2028, 2, 29, 0, 0, 0}},
        // A next hour beyond the years the program computes starts where the program always did.
        {PageStart::NextHour, at(2050, 12, 31, 23, 30), {1901, 1, 1, 0, 0, 0}},
        {PageStart::FirstDay, at(2026, 12, 10, 10, 20), {1901, 1, 1, 0, 0, 0}},
    });
    for (const Case& c : cases) {
        EXPECT_EQ(PageStartAt(c.start, c.now), c.expected) << c.now.toString(Qt::ISODate).toStdString();
    }
}

TEST_F(PreferencesTest, ANewPageStartsAtTheNextHourAtTheHomePlace) {
    Preferences home;
    home.homePlace = Chennai;
    SavePreferences(home);
    MakeWindow(0);
    window->StartMuhurthaPage(QDateTime(QDate(2026, 12, 10), QTime(23, 40)));
    const MomentInput page = window->ReadCalculationInput().muhurtha;
    EXPECT_EQ((std::array<int, 5>{page.year, page.month, page.day, page.hour, page.minute}),
              (std::array<int, 5>{2026, 12, 11, 0, 0}));
    EXPECT_EQ(Text(QStringLiteral("txtCity")), QStringLiteral("Chennai"));
    EXPECT_EQ(Text(QStringLiteral("txtDegreeLat")), QStringLiteral("13"));
    const MomentOrigin origin = window->ReadCalculationInput().muhurthaOrigin;
    ASSERT_TRUE(origin.zone);
    EXPECT_EQ(origin.zone->id, std::optional<std::string>("Asia/Kolkata"));
    // The page as the program always started it: no place.
    home.pageStart = PageStart::FirstDay;
    SavePreferences(home);
    MakeWindow(0);
    EXPECT_EQ(Text(QStringLiteral("cboMuhurthaYear")), QStringLiteral("1901"));
    EXPECT_EQ(Text(QStringLiteral("cboHourFrom")), QStringLiteral("0"));
    EXPECT_TRUE(Text(QStringLiteral("txtCity")).isEmpty());
}

TEST_F(PreferencesTest, TheChosenAyanamsaReachesTheCalculationAndTheTitle) {
    EXPECT_EQ(window->windowTitle(), QString::fromLatin1(AppTitle));
    EXPECT_EQ(window->ReadCalculationInput().conventions, Conventions{});
    EditPreferences(
        [](QWidget* dialog) {
            auto* ayanamsa = dialog->findChild<QComboBox*>(QStringLiteral("cboPrefAyanamsa"));
            ayanamsa->setCurrentIndex(ayanamsa->findText(QStringLiteral("Raman")));
        },
        "cmdPrefOK");
    EXPECT_EQ(window->windowTitle(), QString::fromLatin1(AppTitle) + QStringLiteral(" - Raman ayanamsa"));
    EXPECT_EQ(window->ReadCalculationInput().conventions.ayanamsa, Ayanamsa::Raman);
    EXPECT_EQ(window->ReadPeopleInput().first.conventions.ayanamsa, Ayanamsa::Raman);
    // Saved: the next window opens on it.
    MakeWindow(0);
    EXPECT_EQ(window->ReadCalculationInput().conventions.ayanamsa, Ayanamsa::Raman);
    EXPECT_EQ(window->windowTitle(), QString::fromLatin1(AppTitle) + QStringLiteral(" - Raman ayanamsa"));
    // The details name it with its value at each moment, and the report's appendix at the muhurtha.
    RunToResults(QStringLiteral("Marriage"), QStringLiteral("Asha Menon"), true, DelhiMuhurtha, MumbaiBirth);
    const auto* label = window->findChild<QLabel*>(QStringLiteral("lblMuhurthaDetailsAyanamsa"));
    ASSERT_NE(label, nullptr);
    EXPECT_FALSE(label->isHidden());
    EXPECT_EQ(label->text(), QStringLiteral("Ayanamsa: Raman, 22\u00b047'23\""));
    ASSERT_TRUE(window->LastReport().has_value());
    EXPECT_NE(PlainText(*window->LastReport()).find("Raman, 22\u00b047'23\""), std::string::npos);
}

TEST_F(PreferencesTest, TheFindersVetoesFollowTheUndertakingOnlyWhenThePreferencesSaySo) {
    for (const bool apply : {true, false}) {
        Preferences preferences;
        preferences.pageStart = PageStart::FirstDay;
        preferences.applyVetoes = apply;
        SavePreferences(preferences);
        MakeWindow(0);
        TickSubject(QStringLiteral("Marriage"));
        OpenFinder();
        EXPECT_EQ(Find<QCheckBox>(QStringLiteral("chkVetoGuruAsta"))->isChecked(), apply) << "opened, apply " << apply;
        // Opened before the undertaking is chosen: the boxes follow the choice only where the vetoes apply.
        MakeWindow(0);
        OpenFinder();
        TickSubject(QStringLiteral("Marriage"));
        EXPECT_EQ(Find<QCheckBox>(QStringLiteral("chkVetoGuruAsta"))->isChecked(), apply) << "chosen, apply " << apply;
    }
}

}  // namespace
}  // namespace kalvora::test
