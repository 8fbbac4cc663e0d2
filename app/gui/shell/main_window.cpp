#include "app/gui/shell/main_window.h"

#include <algorithm>

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCompleter>
#include <QDate>
#include <QEventLoop>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QShortcut>
#include <QStackedWidget>
#include <QTabWidget>
#include <QPrinter>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QVBoxLayout>

#include "app/gui/finder/finder_window.h"
#include "app/gui/month/month_window.h"
#include "app/gui/season/year_strip_window.h"
#include "app/gui/pages/atlas_source.h"
#include "app/gui/pages/input_checks.h"
#include "app/gui/pages/moment_form.h"
#include "app/gui/pages/place_search.h"
#include "app/gui/pages/recent_places.h"
#include "app/gui/pages/subject_chooser.h"
#include "app/gui/pages/time_zone_picker.h"
#include "app/gui/pages/people_tabs.h"
#include "app/gui/people/people_controller.h"
#include "app/gui/results/day_panel.h"
#include "app/gui/results/result_panels.h"
#include "app/gui/shell/about_dialog.h"
#include "app/gui/shell/clickable_label.h"
#include "app/gui/shell/emblem.h"
#include "app/gui/shell/preferences_dialog.h"
#include "app/gui/shell/theme.h"
#include "appendix/calculation_appendix.h"
#include "kalvora_version.h"
#include "report/qt/report_qt.h"
#include "report/report_builder.h"

namespace kalvora {

namespace {

constexpr char MuhurthaExplanation[] =
    "Muhurtha astrology also known as Electional astrology, forms an integral part of Hindu astrology. It is the "
    "art of choosing the moment at which an undertaking should begin, so that the work started in that hour is "
    "favoured by the stars and brings success, happiness and peace to the home.";

constexpr char KalvoraExplanation[] =
    "Kalvora Free is a 'Vedic Electional Astrology' software which finds out the auspicious time related to "
    "activity chosen by you. It weighs the Moon, the lagna and the panchanga of the proposed moment against your "
    "own birth star and Moon sign, and rates the muhurtha Good, Average or Bad.";

// The window opens at a size that fits a 1366x768 screen below its title bar and above a task bar; smaller, down to
// the least size, the pages' contents scroll while their buttons stay in view.
constexpr QSize OpeningSize(1180, 690);
constexpr QSize LeastSize(960, 600);

constexpr std::array<const char*, 4> StepCaptions = {"1  Undertaking", "2  Muhurtha", "3  Birth Details",
                                                     "4  Result"};

}  // namespace

MainWindow::MainWindow(ShellServices services, QWidget* parent)
    : QMainWindow(parent), services_(std::move(services)), preferences_(LoadPreferences()) {
    setObjectName(QStringLiteral("frmMain"));
    ApplyPreferences();
    setWindowIcon(EmblemIcon());

    atlas_ = services_.atlas != nullptr ? services_.atlas : std::make_shared<AtlasSource>();
    muhurthaForm_ = new MomentForm(MuhurthaFormNames, atlas_.get());
    birthForm_ = new MomentForm(BirthFormNames, atlas_.get());
    peopleTabs_ = new PeopleTabs(birthForm_, atlas_.get());
    subjects_ = new SubjectChooser;

    pages_ = new QStackedWidget;
    pages_->setObjectName(QStringLiteral("stkPages"));
    subjectPage_ = BuildSubjectPage();
    auto* findBestTimes = new QPushButton(QStringLiteral("Fin&d Best Times..."));
    findBestTimes->setObjectName(QStringLiteral("cmdFindBestTimes"));
    findBestTimes->setToolTip(QStringLiteral("Search a span of dates for the best times of the undertaking"));
    connect(findBestTimes, &QPushButton::clicked, this, &MainWindow::OpenFinder);
    muhurthaPage_ =
        BuildMomentPage("picSearchMode", QStringLiteral("The Proposed Muhurtha"), muhurthaForm_, 1, findBestTimes);
    birthPage_ = BuildMomentPage("picBirthDetails", QStringLiteral("Birth Details of the Native"), peopleTabs_, 2,
                                 peopleTabs_->navigation);
    waitPanel_ = BuildWaitPanel();
    results_ = new ResultsView;
    for (QWidget* page : {subjectPage_, muhurthaPage_, birthPage_, waitPanel_, static_cast<QWidget*>(results_)}) {
        pages_->addWidget(page);
    }

    auto* central = new QWidget;
    central->setObjectName(QStringLiteral("centralArea"));
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(BuildHeader());
    layout->addWidget(pages_, 1);
    layout->addWidget(BuildFooter());
    setCentralWidget(central);
    BuildMenus();

    for (MomentForm* form : {muhurthaForm_, birthForm_}) WireForm(form);
    connect(peopleTabs_, &PeopleTabs::formAdded, this, &MainWindow::WireForm);
    connect(peopleTabs_, &PeopleTabs::groupChosen, this, &MainWindow::UseGroup);
    connect(subjects_, &SubjectChooser::chosenChanged, peopleTabs_, &PeopleTabs::FollowUndertaking);

    // The tab strip brings its panel to the front by itself; Back on any result panel returns to page 1.
    connect(results_->birth->back, &QPushButton::clicked, this, [this] { OnBack(3); });
    connect(results_->analysisBack, &QPushButton::clicked, this, [this] { OnBack(4); });
    connect(results_->muhurtha->back, &QPushButton::clicked, this, [this] { OnBack(5); });
    connect(results_->day->back, &QPushButton::clicked, this, [this] { OnBack(6); });
    connect(results_->day->month, &QPushButton::clicked, this, [this] { OpenMonth(); });
    connect(results_->detailedAnalysisLink, &ClickableLabel::clicked, this,
            [this] { OpenPage(SitePage::DetailedAnalysis); });
    connect(results_->print, &QPushButton::clicked, this, &MainWindow::PrintReport);
    connect(results_->saveReport, &QPushButton::clicked, this, &MainWindow::SaveReport);
    // Ctrl+P and Ctrl+S (the desktop's keys for printing and saving) on every tab of the results.
    for (const auto& [keys, button] : {std::pair{QKeySequence::Print, results_->print},
                                       std::pair{QKeySequence::Save, results_->saveReport}}) {
        auto* shortcut = new QShortcut(QKeySequence(keys), results_);
        connect(shortcut, &QShortcut::activated, button, &QPushButton::click);
        button->setToolTip(QKeySequence(keys).toString(QKeySequence::NativeText));
    }

    people_ = std::make_unique<PeopleController>(birthForm_, services_, this);
    connect(people_.get(), &PeopleController::personUsed, this, [this] {
        if (!waiting_) ShowPage(birthPage_);
    });
    people_->Reload();
    OfferPeopleAndGroups();
    recentPlaces_ = LoadRecentPlaces();
    muhurthaForm_->OfferRecentPlaces(recentPlaces_);
    StartMuhurthaPage(QDateTime::currentDateTime());

    subjects_->ShowCategory(0);
    ShowPage(subjectPage_);
    // The atlas loads on a worker thread once the window is up, before the user reaches a City box.
    QTimer::singleShot(0, atlas_.get(), &AtlasSource::Start);
    setMinimumSize(LeastSize);
    resize(OpeningSize);
}

MainWindow::~MainWindow() = default;

// ---------------------------------------------------------------------------------------------------- building

void MainWindow::BuildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    QAction* monthPdf = file->addAction(QStringLiteral("Export &Month as PDF..."));
    monthPdf->setObjectName(QStringLiteral("mnuExportMonthPdf"));
    connect(monthPdf, &QAction::triggered, this, [this] {
        OpenMonth();
        month_->ExportPdf();
    });
    file->addSeparator();
    QAction* exit = file->addAction(QStringLiteral("E&xit"));
    exit->setObjectName(QStringLiteral("mnuExit"));
    connect(exit, &QAction::triggered, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    QAction* preferences = edit->addAction(QStringLiteral("&Preferences..."));
    preferences->setObjectName(QStringLiteral("mnuPreferences"));
    preferences->setMenuRole(QAction::PreferencesRole);
    connect(preferences, &QAction::triggered, this, &MainWindow::OpenPreferences);

    QMenu* tools = menuBar()->addMenu(QStringLiteral("&Tools"));
    tools->setObjectName(QStringLiteral("mnuTools"));
    QAction* find = tools->addAction(QStringLiteral("Find Best &Times..."));
    find->setObjectName(QStringLiteral("mnuFindBestTimes"));
    connect(find, &QAction::triggered, this, &MainWindow::OpenFinder);
    QAction* people = tools->addAction(QStringLiteral("&People..."));
    people->setObjectName(QStringLiteral("mnuPeople"));
    connect(people, &QAction::triggered, this, &MainWindow::OpenPeople);
    QAction* season = tools->addAction(QStringLiteral("Season of the &Year..."));
    season->setObjectName(QStringLiteral("mnuSeasonYear"));
    connect(season, &QAction::triggered, this, &MainWindow::OpenSeason);
    QAction* month = tools->addAction(QStringLiteral("&Month..."));
    month->setObjectName(QStringLiteral("mnuMonth"));
    connect(month, &QAction::triggered, this, [this] { OpenMonth(); });

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    const auto addPage = [this, help](const char* caption, const char* name, SitePage page) {
        QAction* action = help->addAction(QString::fromLatin1(caption));
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, [this, page] { OpenPage(page); });
    };
    addPage("&Online Help", "mnuOnline", SitePage::OnlineHelp);
    addPage("&Visit Us Online", "mnuVisit", SitePage::Home);
    addPage("Check for Software &Update", "mnuUpdate", SitePage::SoftwareUpdate);
    help->addSeparator();
    QAction* about = help->addAction(QStringLiteral("&About Software"));
    about->setObjectName(QStringLiteral("mnuAbout"));
    connect(about, &QAction::triggered, this, &MainWindow::ShowAbout);
}

QWidget* MainWindow::BuildHeader() {
    auto* band = new QWidget;
    band->setObjectName(QStringLiteral("headerBand"));
    band->setAttribute(Qt::WA_StyledBackground);
    auto* layout = new QHBoxLayout(band);
    layout->setContentsMargins(18, 6, 18, 6);
    layout->setSpacing(14);
    layout->addWidget(new EmblemWidget(44));

    auto* titles = new QVBoxLayout;
    titles->setSpacing(0);
    auto* title = new QLabel(QStringLiteral("Kalvora"));
    title->setObjectName(QStringLiteral("lblAppTitle"));
    auto* subtitle = new QLabel(QStringLiteral("Vedic Electional Astrology  \u00B7  Muhurtha  \u00B7  v" KALVORA_VERSION));
    subtitle->setObjectName(QStringLiteral("lblAppSubtitle"));
    titles->addStretch(1);
    titles->addWidget(title);
    titles->addWidget(subtitle);
    titles->addStretch(1);
    layout->addLayout(titles);
    layout->addStretch(1);

    for (std::size_t i = 0; i < steps_.size(); ++i) {
        steps_[i] = StyledLabel(QString::fromLatin1(StepCaptions[i]), "step");
        steps_[i]->setObjectName(QStringLiteral("lblStep") + QString::number(i));
        steps_[i]->setAlignment(Qt::AlignCenter);
        layout->addWidget(steps_[i], 0, Qt::AlignVCenter);
    }
    return band;
}

QWidget* MainWindow::BuildFooter() {
    auto* band = new QWidget;
    band->setObjectName(QStringLiteral("footerBand"));
    band->setAttribute(Qt::WA_StyledBackground);
    auto* layout = new QHBoxLayout(band);
    layout->setContentsMargins(18, 6, 18, 6);
    layout->addWidget(StyledLabel(QStringLiteral("Kalvora Free  \u00B7  everything is computed on this computer"), "hint"));
    layout->addStretch(1);
    auto* visit = new ClickableLabel(QStringLiteral("Visit Us Online at www.kalvora.example"));
    visit->setObjectName(QStringLiteral("lblVisitUs"));
    StyleAsLink(visit);
    connect(visit, &ClickableLabel::clicked, this, [this] { OpenPage(SitePage::Home); });
    layout->addWidget(visit);
    return band;
}

QWidget* MainWindow::BuildExplanation() {
    auto* card = Card();
    card->setFixedWidth(300);
    auto* layout = new QVBoxLayout(card);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(10);
    layout->addWidget(StyledLabel(QStringLiteral("About Muhurtha"), "cardTitle"));
    for (const char* text : {MuhurthaExplanation, KalvoraExplanation}) {
        auto* label = StyledLabel(QString::fromLatin1(text), "about");
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    layout->addStretch(1);
    auto* emblem = new EmblemWidget(84);
    layout->addWidget(emblem, 0, Qt::AlignHCenter);
    layout->addSpacing(6);
    return card;
}

QWidget* MainWindow::BuildNavigation(int pageIndex, QWidget* extra) {
    auto* bar = new QWidget;
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* back = new QPushButton(QStringLiteral("&Back"));
    back->setObjectName(QStringLiteral("cmdBack") + QString::number(pageIndex));
    back->setMinimumWidth(96);
    auto* next = new QPushButton(QStringLiteral("&Next"));
    next->setObjectName(QStringLiteral("cmdNext") + QString::number(pageIndex));
    next->setProperty("role", "primary");
    next->setMinimumWidth(96);
    connect(back, &QPushButton::clicked, this, [this, pageIndex] { OnBack(pageIndex); });
    connect(next, &QPushButton::clicked, this, [this, pageIndex] { OnNext(pageIndex); });
    layout->addWidget(back);
    layout->addStretch(1);
    if (extra != nullptr) layout->addWidget(extra);
    layout->addSpacing(12);
    layout->addWidget(next);
    return bar;
}

QWidget* MainWindow::BuildSubjectPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("picMainScreen"));

    auto* columns = new QHBoxLayout;
    columns->setSpacing(14);
    columns->addWidget(subjects_, 1);
    columns->addWidget(BuildExplanation());

    auto* proceed = StyledLabel(QStringLiteral("Click on Next to Proceed"), "hint");
    proceed->setObjectName(QStringLiteral("lblProceed"));

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(20, 12, 20, 10);
    layout->setSpacing(10);
    layout->addWidget(StyledLabel(QStringLiteral("Choose the Undertaking"), "pageTitle"));
    layout->addWidget(ScrollingContents(columns, "scrMainScreen"), 1);
    layout->addWidget(BuildNavigation(0, proceed));
    return page;
}

QWidget* MainWindow::BuildMomentPage(const char* pageName, const QString& title, QWidget* form, int pageIndex,
                                     QWidget* extra) {
    auto* page = new QWidget;
    page->setObjectName(QString::fromLatin1(pageName));

    auto* formColumn = new QVBoxLayout;
    formColumn->addWidget(form);
    formColumn->addStretch(1);

    auto* columns = new QHBoxLayout;
    columns->setSpacing(14);
    columns->addLayout(formColumn, 1);
    columns->addWidget(BuildExplanation());

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(20, 12, 20, 10);
    layout->setSpacing(10);
    layout->addWidget(StyledLabel(title, "pageTitle"));
    layout->addWidget(ScrollingContents(columns, pageIndex == 1 ? "scrSearchMode" : "scrBirthDetails"), 1);
    layout->addWidget(BuildNavigation(pageIndex, extra));
    return page;
}

QWidget* MainWindow::BuildWaitPanel() {
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("picMessage"));
    auto* wait = new QLabel(QStringLiteral("Please wait while Kalvora is generating the result...."));
    wait->setObjectName(QStringLiteral("lblWait"));
    auto* layout = new QVBoxLayout(panel);
    layout->addStretch(1);
    layout->addWidget(new EmblemWidget(120), 0, Qt::AlignHCenter);
    layout->addSpacing(18);
    layout->addWidget(wait, 0, Qt::AlignHCenter);
    layout->addStretch(2);
    return panel;
}

// ---------------------------------------------------------------------------------------------------- pages

void MainWindow::ShowPage(QWidget* page) {
    // The people may have changed in another program (kalvora-cli) since the list was read.
    if (page == birthPage_ && people_ != nullptr && pages_->currentWidget() != birthPage_) {
        people_->Reload();
        OfferPeopleAndGroups();
    }
    pages_->setCurrentWidget(page);
    const int step = page == subjectPage_ ? 0 : page == muhurthaPage_ ? 1 : page == birthPage_ ? 2 : 3;
    for (std::size_t i = 0; i < steps_.size(); ++i) SetStyleProperty(steps_[i], "current", static_cast<int>(i) == step);
}

void MainWindow::OnNext(int page) {
    // A failing step leaves the window on the page in front; the user can try again.
    try {
        switch (page) {
        case 0:
            if (CheckSubjectPage()) ShowPage(muhurthaPage_);
            break;
        case 1:
            if (CheckMuhurthaPage()) ShowPage(birthPage_);
            break;
        case 2:
            if (!CheckBirthPage()) break;
            TakeNative();
            Display();
            break;
        default: break;
        }
    } catch (...) {
        if (pages_->currentWidget() == waitPanel_) ShowPage(birthPage_);
    }
}

void MainWindow::TakeNative() {
    personName_ = birthForm_->name->text().trimmed();
    personSex_ = birthForm_->male->isChecked() ? QStringLiteral("Male") : QStringLiteral("Female");
}

void MainWindow::OnBack(int index) {
    // Going back keeps everything typed; from the results the subject is unticked for a fresh choice.
    switch (index) {
    case 1: ShowPage(subjectPage_); break;
    case 2: ShowPage(muhurthaPage_); break;
    case 3:
    case 4:
    case 5:
    case 6:
        subjects_->UntickAll();
        ShowPage(subjectPage_);
        break;
    default: break;  // Back on page 1 does nothing
    }
}

void MainWindow::WireForm(MomentForm* form) {
    connect(form, &MomentForm::coordinateRefused, this, [this](QLineEdit* box) {
        Message(QMessageBox::Critical, MsgOnlyDigits);
        box->setFocus();
    });
    connect(form, &MomentForm::searchRequested, this, [this, form] { LookUpCoordinates(form); });
    connect(form, &MomentForm::zoneHelpRequested, this, [this, form] { OpenTimeZonePicker(form); });
}

void MainWindow::OfferPeopleAndGroups() {
    std::vector<StoredPerson> people;
    std::vector<StoredGroup> groups;
    if (People().State() != StoreState::Unavailable) {
        try {
            people = People().List();
            groups = People().Groups();
        } catch (const StoreFailure&) {
            // The first person's list says what is wrong with the store.
        }
    }
    peopleTabs_->OfferPeople(people);
    peopleTabs_->OfferGroups(groups);
}

void MainWindow::UseGroup(const QString& name) {
    try {
        peopleTabs_->ShowGroup(GroupPeople(People(), name.toStdString()));
    } catch (const StoreFailure& e) {
        Message(QMessageBox::Critical, QString::fromStdString(e.what()));
    }
}

void MainWindow::OpenTimeZonePicker(MomentForm* form) {
    zoneTarget_ = form;
    TimeZonePicker picker(this, form->LocalTime());
    connect(&picker, &TimeZonePicker::zoneChosen, this, &MainWindow::ApplyTimeZone);
    // A zone of the database is taken as an atlas place's zone is: its offset follows the page's date and time.
    connect(&picker, &TimeZonePicker::zoneIdChosen, this,
            [form](const QString& zoneId) { form->ChooseZone(zoneId.toStdString()); });
    picker.exec();
}

void MainWindow::ApplyTimeZone(int eastHours, int eastMinutes) {
    if (zoneTarget_ != nullptr) zoneTarget_->SetZone(eastHours, eastMinutes);
}

void MainWindow::LookUpCoordinates(MomentForm* form) {
    // The place typed is looked up in the atlas on this computer: City, with State and Country where typed.
    if (form->city->text().trimmed().isEmpty()) {
        Message(QMessageBox::Information, MsgEnterCity);
        form->city->setFocus();
        return;
    }
    QStringList parts;
    for (const QLineEdit* box : {form->city, form->state, form->country}) {
        if (!box->text().trimmed().isEmpty()) parts << box->text().trimmed();
    }
    PlaceSearchDialog search(atlas_.get(), parts.join(QStringLiteral(", ")), this);
    connect(&search, &PlaceSearchDialog::placeChosen, form, &MomentForm::ChoosePlace);
    search.exec();
}

void MainWindow::OpenPage(SitePage page) {
    const QUrl address = PublisherPage(page);
    if (services_.openUrl && services_.openUrl(address)) return;
    Message(QMessageBox::Information, QStringLiteral("No web browser could be opened on this computer. The page is "
                                                     "at %1").arg(address.toString()));
}

void MainWindow::OpenPreferences() {
    PreferencesDialog dialog(preferences_, atlas_.get(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    preferences_ = dialog.Chosen();
    SavePreferences(preferences_);
    ApplyPreferences();
}

void MainWindow::ApplyPreferences() { setWindowTitle(TitleWithConventions(preferences_.conventions)); }

void MainWindow::StartMuhurthaPage(const QDateTime& now) {
    const LocalDateTime start = PageStartAt(preferences_.pageStart, now);
    muhurthaForm_->SetDateAndTime(start.year, start.month, start.day, start.hour, start.minute);
    if (preferences_.pageStart == PageStart::NextHour && preferences_.homePlace) {
        muhurthaForm_->ChoosePlace(*preferences_.homePlace);
    }
}

void MainWindow::ShowAbout() {
    AboutDialog about(this);
    about.exec();
}

// ---------------------------------------------------------------------------------------------------- checks

void MainWindow::Message(QMessageBox::Icon icon, std::string_view text) { Message(icon, FromView(text)); }

void MainWindow::Message(QMessageBox::Icon icon, const QString& text) { services_.showMessage(this, icon, text); }

const QString& MainWindow::ChosenSubject() const { return subjects_->Chosen(); }

bool MainWindow::CheckSubjectPage() {
    if (subjects_->Chosen().isEmpty()) {
        Message(QMessageBox::Critical, MsgSelectSubject);
        return false;
    }
    return CheckBothDates();
}

bool MainWindow::CheckMuhurthaPage() {
    return RequireCoordinates(muhurthaForm_) && CheckBothDates() && CheckZone(muhurthaForm_) &&
           ConfirmPlace(muhurthaForm_);
}

bool MainWindow::CheckBirthPage() {
    // Every person's form in turn, the one with a problem brought to the front.
    for (int i = 0; i < peopleTabs_->Count(); ++i) {
        MomentForm* form = peopleTabs_->Forms()[static_cast<std::size_t>(i)];
        if (i > 0) peopleTabs_->ShowPerson(i);
        if (form->name->text().trimmed().isEmpty()) {
            Message(QMessageBox::Critical, MsgEnterName);
            form->name->setFocus();
            return false;
        }
        const bool ok = RequireCoordinates(form) && (i > 0 || CheckBothDates()) && CheckZone(form) && ConfirmPlace(form);
        if (!ok) return false;
    }
    peopleTabs_->ShowPerson(0);
    return true;
}

bool MainWindow::ConfirmPlace(MomentForm* form) {
    if (!form->PlaceIsStale()) return true;
    const QString typed = form->city->text().trimmed();
    const QString chosen = QString::fromStdString(form->ChosenPlace()->name);
    const QString question =
        QStringLiteral("The City says \u201C%1\u201D, but the coordinates and zone are those of %2.").arg(typed, chosen);
    const int answer = services_.askChoice
                           ? services_.askChoice(this, question,
                                                 {QStringLiteral("Pick %1 from the List").arg(typed),
                                                  QStringLiteral("Keep the Coordinates of %1").arg(chosen)})
                           : -1;
    if (answer == 1) {
        form->KeepCoordinates();
        return true;
    }
    form->city->setFocus();
    return false;
}

bool MainWindow::CheckZone(MomentForm* form) {
    const auto found = form->LookUpZone();
    if (!found) return true;
    const QString description = QString::fromStdString(DescribeLocalTime(form->ZoneId(), form->LocalTime(), *found));
    switch (found->kind) {
    case LocalTimeKind::Unique:
    case LocalTimeKind::InvalidTime: return true;  // an impossible date has its own check
    case LocalTimeKind::Missing:
    case LocalTimeKind::UnknownZone:
        Message(QMessageBox::Critical, description);
        form->hour->setFocus();
        return false;
    case LocalTimeKind::Repeated: break;
    }
    if (form->FoldChosen()) return true;
    const auto answer = [](const char* which, const ZoneOffset& offset) {
        QString text = QString::fromLatin1(which) + QStringLiteral(" UTC") +
                       QString::fromStdString(OffsetText(offset.offsetSeconds));
        if (!offset.abbreviation.empty()) text += QLatin1Char(' ') + QString::fromStdString(offset.abbreviation);
        return text;
    };
    const QStringList answers{answer("Earlier:", found->offset), answer("Later:", found->later)};
    const int chosen = services_.askChoice
                           ? services_.askChoice(this, description + QStringLiteral("\n\nWhich of the two is meant?"),
                                                 answers)
                           : -1;
    if (chosen < 0) {
        form->hour->setFocus();
        return false;
    }
    form->ChooseFold(chosen == 0 ? Fold::Earlier : Fold::Later);
    return true;
}

bool MainWindow::RequireCoordinates(const MomentForm* form) {
    const std::array<std::pair<QLineEdit*, std::string_view>, 4> boxes = {{{form->degreeLat, MsgDegreeLat},
                                                                           {form->minuteLat, MsgMinuteLat},
                                                                           {form->degreeLong, MsgDegreeLong},
                                                                           {form->minuteLong, MsgMinuteLong}}};
    for (const auto& [box, message] : boxes) {
        if (box->text().trimmed().isEmpty()) {
            Message(QMessageBox::Critical, message);
            box->setFocus();
            return false;
        }
    }
    const auto value = [](const QLineEdit* box) { return box->text().trimmed().toInt(); };
    const auto problem = CheckCoordinateRanges(value(form->degreeLat), value(form->minuteLat), value(form->degreeLong),
                                               value(form->minuteLong));
    if (!problem) return true;
    Message(QMessageBox::Critical, problem->message);
    boxes.at(static_cast<std::size_t>(problem->box)).first->setFocus();
    return false;
}

bool MainWindow::CheckBothDates() {
    for (const MomentForm* form : {birthForm_, muhurthaForm_}) {
        const auto problem =
            CheckDate(form->year->currentText().trimmed().toInt(), form->month->currentIndex(), form->day->currentIndex());
        if (problem) {
            Message(QMessageBox::Information, *problem);
            return false;
        }
    }
    return true;
}

// ---------------------------------------------------------------------------------------------------- calculation

CalculationInput MainWindow::ReadCalculationInput() const {
    CalculationInput input;
    input.birth = birthForm_->ReadMoment();
    input.muhurtha = muhurthaForm_->ReadMoment();
    input.subject = subjects_->Chosen().toStdString();
    input.personName = personName_.toStdString();
    input.personSex = personSex_.toStdString();
    input.muhurthaWeekdayBox = muhurthaForm_->weekday->currentText().toStdString();
    input.birthOrigin = birthForm_->Origin();
    input.muhurthaOrigin = muhurthaForm_->Origin();
    input.conventions = preferences_.conventions;
    return input;
}

PeopleInput MainWindow::ReadPeopleInput() const {
    CalculationInput first = ReadCalculationInput();
    first.personName = birthForm_->name->text().trimmed().toStdString();
    first.personSex = birthForm_->female->isChecked() ? "Female" : "Male";
    return peopleTabs_->ReadPeople(first);
}

void MainWindow::OpenFinder() {
    if (finder_ == nullptr) {
        FinderPages pages;
        pages.read = [this] { return ReadPagesForSearch(); };
        // Queued, so that the finder's list is off the stack while the wait panel's pause runs its event loop.
        pages.show = [this](const std::string& subject, LocalDate date, int minute) {
            QTimer::singleShot(0, this, [this, subject, date, minute] { ShowFoundMinute(subject, date, minute); });
        };
        pages.showMessage = services_.showMessage;
        pages.showSeason = [this] { OpenSeason(); };
        pages.showMonth = [this] { OpenMonth(); };
        pages.askCalendarPath = services_.askCalendarPath;
        // The span starts on the muhurtha page's date (an impossible day becomes the month's last day).
        const QDate month(muhurthaForm_->year->currentText().toInt(), muhurthaForm_->month->currentIndex() + 1, 1);
        const LocalDate start{month.year(), month.month(),
                              std::min(muhurthaForm_->day->currentIndex() + 1, month.daysInMonth())};
        auto* finder = new FinderWindow(std::move(pages), start, this);
        // The season's vetoes ticked from the undertaking's, now and whenever it changes, unless the preferences
        // leave them to the user.
        if (preferences_.applyVetoes) finder->FollowUndertaking(subjects_->Chosen().toStdString());
        connect(subjects_, &SubjectChooser::chosenChanged, finder, [this, finder](const QString& subject) {
            if (preferences_.applyVetoes) finder->FollowUndertaking(subject.toStdString());
        });
        ForgetWhenClosed(this, finder_, finder);
        finder_ = finder;
    }
    BringToFront(finder_);
}

std::optional<PeopleInput> MainWindow::ReadPagesForSearch() {
    if (!CheckSubjectPage() || !CheckMuhurthaPage() || !CheckBirthPage()) return std::nullopt;
    TakeNative();
    return ReadPeopleInput();
}

void MainWindow::ShowFoundMinute(const std::string& subject, LocalDate date, int minute) {
    if (waiting_) return;
    // The found time replaces the undertaking, date and time of the pages: the user is asked first when the pages
    // hold another.
    const MomentInput page = muhurthaForm_->ReadMoment();
    const bool samePages = subjects_->Chosen().toStdString() == subject && page.year == date.year &&
                           page.month == date.month && page.day == date.day && page.hour == minute / 60 &&
                           page.minute == minute % 60;
    if (!samePages) {
        const QString when = QString::fromStdString(DateText(date)) +
                             QStringLiteral(" %1:%2").arg(minute / 60, 2, 10, QLatin1Char('0')).arg(minute % 60, 2, 10, QLatin1Char('0'));
        const QString question =
            QStringLiteral("Show %1 at %2? It replaces the undertaking, date and time on the pages.")
                .arg(QString::fromStdString(subject), when);
        const int answer = services_.askChoice
                               ? services_.askChoice(this, question, {QStringLiteral("Show It"), QStringLiteral("Cancel")})
                               : -1;
        if (answer != 0) return;
    }
    subjects_->Select(QString::fromStdString(subject));
    muhurthaForm_->SetDateAndTime(date.year, date.month, date.day, minute / 60, minute % 60);
    raise();
    activateWindow();
    if (CheckSubjectPage() && CheckMuhurthaPage()) OnNext(2);
}

void MainWindow::Display() {
    const PanelInput input{ReadCalculationInput(), birthForm_->Place(), muhurthaForm_->Place()};
    // Several people: each evaluated at the one muhurtha, the first person's calculation shown as for one.
    std::optional<PeopleCalculation> people;
    Calculation calculation;
    if (peopleTabs_->Count() > 1) {
        people = CalculatePeople(peopleTabs_->ReadPeople(input.calculation));
        calculation = people->First();
    } else {
        calculation = Calculate(input.calculation);
    }
    RememberPlace();
    const CalculationTimes times = ComputeCalculationTimes(input.calculation);

    PauseOnWaitPanel();

    lastCalculation_ = std::move(calculation);
    lastPeople_ = std::move(people);
    ShowResultLabel(*lastCalculation_);
    results_->ShowPeople(lastPeople_ ? &*lastPeople_ : nullptr);
    WriteReport(*lastCalculation_, input, times, lastPeople_ ? &*lastPeople_ : nullptr);
    FillBirthDetails(*lastCalculation_, input);
    FillMuhurthaDetails(*lastCalculation_, input);
    results_->birth->ShowUntil(PanelUntilTexts(times.birthLimbs, input.calculation.birth));
    results_->muhurtha->ShowUntil(PanelUntilTexts(times.muhurthaLimbs, input.calculation.muhurtha));
    results_->day->ShowDay(times.muhurthaDay, times.muhurthaSeason, input.calculation.muhurtha);
    ShowDayWarning(DayPanelTextsOf(times.muhurthaDay, input.calculation.muhurtha));
    ShowSeasonWarning(times.seasonWarning);

    ShowPage(results_);
    results_->tabs->setCurrentIndex(0);
}

void MainWindow::PauseOnWaitPanel() {
    ShowPage(waitPanel_);
    repaint();
    if (services_.waitPauseMs <= 0) return;
    // A local event loop keeps the window painting; the event filter swallows the user's input meanwhile.
    waiting_ = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    qApp->installEventFilter(this);
    QEventLoop loop;
    QTimer::singleShot(services_.waitPauseMs, &loop, &QEventLoop::quit);
    loop.exec();
    qApp->removeEventFilter(this);
    QApplication::restoreOverrideCursor();
    waiting_ = false;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (waiting_) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd: return true;
        default: break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    const bool enter = (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
                       (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (!enter || waiting_) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    QWidget* page = pages_->currentWidget();
    auto* button = qobject_cast<QPushButton*>(focusWidget());
    if (button == nullptr || !page->isAncestorOf(button)) {
        const int index = page == subjectPage_ ? 0 : page == muhurthaPage_ ? 1 : page == birthPage_ ? 2 : -1;
        button = index < 0 ? nullptr : page->findChild<QPushButton*>(QStringLiteral("cmdNext") + QString::number(index));
    }
    if (button == nullptr || !button->isEnabled()) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    event->accept();
    button->click();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The result is being prepared: the window stays until it is shown.
    if (waiting_) {
        event->ignore();
        return;
    }
    if (finder_ != nullptr) finder_->close();  // stops a search it runs
    people_->CloseWindow();
    QMainWindow::closeEvent(event);
}

void MainWindow::ShowDayWarning(const DayPanelTexts& day) {
    QLabel* warning = results_->dayWarning;
    warning->setText(day.chosenAvoided ? QString::fromStdString(day.chosen) + QStringLiteral(" See the Day tab.")
                                       : QString());
    warning->setVisible(day.chosenAvoided);
}

void MainWindow::ShowSeasonWarning(const std::string& warning) {
    QLabel* label = results_->seasonWarning;
    label->setText(warning.empty() ? QString() : QString::fromStdString(warning) + QStringLiteral(" See the Day tab."));
    label->setVisible(!warning.empty());
}

void MainWindow::ShowResultLabel(const Calculation& calculation) {
    const auto& evaluation = calculation.evaluation;
    if (!evaluation || evaluation->stopped) {
        results_->result->clear();
        return;
    }
    QString text = QString::fromStdString(evaluation->resultText);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    results_->result->setText(text);
}

void MainWindow::WriteReport(const Calculation& calculation, const PanelInput& input, const CalculationTimes& times,
                             const PeopleCalculation* people) {
    QTextBrowser* view = results_->report;
    view->clear();
    lastReport_.reset();
    // No rule set ran for a subject that names no undertaking: there is no report.
    if (!calculation.evaluation) return;
    ReportInput report = people != nullptr ? MakePeopleReportInput(*people)
                                           : MakeReportInput(*calculation.evaluation, calculation.evaluationInput);
    report.appendix = MakeReportAppendix(input.calculation, calculation, times, input.muhurthaPlace);
    lastReport_ = BuildReportDocument(report);
    ShowReport(*lastReport_, view);
}

void MainWindow::PrintReport() {
    if (!lastReport_) {
        Message(QMessageBox::Information, QStringLiteral("There is no report to print yet."));
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Kalvora Report"));
    if (!services_.askPrinter || !services_.askPrinter(this, printer)) return;
    QString error;
    if (!kalvora::PrintReport(*lastReport_, &printer, &error)) Message(QMessageBox::Critical, error);
}

void MainWindow::SaveReport() {
    if (!lastReport_) {
        Message(QMessageBox::Information, QStringLiteral("There is no report to save yet."));
        return;
    }
    const QString path = services_.askSavePath ? services_.askSavePath(this) : QString();
    if (path.isEmpty()) return;
    QString error;
    if (!kalvora::SaveReport(*lastReport_, path, &error)) Message(QMessageBox::Critical, error);
}

void MainWindow::FillBirthDetails(const Calculation& calculation, const PanelInput& input) {
    results_->birth->ShowValues(PanelValues(input.calculation.personName, input.calculation.birth, input.birthPlace,
                                            calculation.birth.details));
    results_->birth->ShowPlanets(calculation.birth.sky);
    results_->birth->ShowAyanamsa(
        AyanamsaText(ReckoningOf(input.calculation.conventions), JulianDayUt(calculation.birth.time)));
}

void MainWindow::FillMuhurthaDetails(const Calculation& calculation, const PanelInput& input) {
    results_->muhurtha->ShowValues(PanelValues(input.calculation.personName, input.calculation.muhurtha,
                                               input.muhurthaPlace, calculation.muhurtha.details));
    results_->muhurtha->ShowPlanets(calculation.muhurtha.sky);
    results_->muhurtha->ShowAyanamsa(
        AyanamsaText(ReckoningOf(input.calculation.conventions), JulianDayUt(calculation.muhurtha.time)));
}

// ---------------------------------------------------------------------------------------------------- people

PeopleStore& MainWindow::People() { return people_->Store(); }

void MainWindow::OpenPeople() { people_->OpenWindow(); }

namespace {

// "New Delhi, Delhi, India": the page's place as its boxes name it, "" for none.
QString PlaceCaption(const PlaceText& place) {
    QStringList named;
    for (const std::string* part : {&place.city, &place.state, &place.country}) {
        if (!part->empty()) named << QString::fromStdString(*part);
    }
    return named.join(QStringLiteral(", "));
}

}  // namespace

void MainWindow::OpenSeason() {
    if (season_ == nullptr) {
        const PlaceText place = muhurthaForm_->Place();
        SeasonPlace read{PlaceCaption(place), muhurthaForm_->ReadMoment().zone, muhurthaForm_->ZoneId(),
                         ReckoningOf(preferences_.conventions)};
        // The page's year, or this year where the year box holds none.
        const int year = muhurthaForm_->year->currentText().trimmed().toInt();
        auto* season = new YearStripWindow(std::move(read), year != 0 ? year : QDate::currentDate().year(), this);
        ForgetWhenClosed(this, season_, season);
        season_ = season;
    }
    BringToFront(season_);
}

void MainWindow::OpenMonth(std::optional<LocalDate> date) {
    if (!date) {
        // The page's date, or today where the year box holds none (an impossible day becomes the month's first).
        const int year = muhurthaForm_->year->currentText().trimmed().toInt();
        const QDate today = QDate::currentDate();
        date = year != 0 ? LocalDate{year, muhurthaForm_->month->currentIndex() + 1, 1}
                         : LocalDate{today.year(), today.month(), 1};
    }
    // The pages' place as it is now, also for a window already open.
    const PlaceText place = muhurthaForm_->Place();
    const MomentInput moment = muhurthaForm_->ReadMoment();
    MonthPlace read{PlaceCaption(place), moment.place, moment.zone, muhurthaForm_->ZoneId(), preferences_.conventions};
    if (month_ == nullptr) {
        MonthPages pages;
        pages.read = [this] { return ReadPagesForSearch(); };
        // Queued, as from the finder: the grid's click is off the stack while the wait panel's pause runs.
        pages.showDay = [this](LocalDate day) { QTimer::singleShot(0, this, [this, day] { ShowDayOf(day); }); };
        pages.show = [this](const std::string& subject, LocalDate day, int minute) {
            QTimer::singleShot(0, this, [this, subject, day, minute] { ShowFoundMinute(subject, day, minute); });
        };
        pages.shell = services_;
        auto* window = new MonthWindow(std::move(read), std::move(pages), *date, this);
        ForgetWhenClosed(this, month_, window);
        month_ = window;
    } else {
        month_->ShowMonthAt(std::move(read), date->year, date->month);
    }
    BringToFront(month_);
}

void MainWindow::ShowDayOf(LocalDate date) {
    const MomentInput page = muhurthaForm_->ReadMoment();
    ShowFoundMinute(subjects_->Chosen().toStdString(), date, page.hour * 60 + page.minute);
    // Shown only when the result is that date's (the user may have kept the pages as they were).
    const MomentInput shown = muhurthaForm_->ReadMoment();
    if (pages_->currentWidget() == results_ && shown.year == date.year && shown.month == date.month &&
        shown.day == date.day) {
        results_->tabs->setCurrentWidget(results_->day);
    }
}

void MainWindow::RememberPlace() {
    const std::optional<Place>& place = muhurthaForm_->ChosenPlace();
    if (!place) return;
    PutFirst(recentPlaces_, *place);
    SaveRecentPlaces(recentPlaces_);
    muhurthaForm_->OfferRecentPlaces(recentPlaces_);
}

}  // namespace kalvora
