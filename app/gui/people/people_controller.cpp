#include "app/gui/people/people_controller.h"

#include <algorithm>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/gui/pages/moment_form.h"
#include "app/gui/people/people_window.h"
#include "store/save_decision.h"

namespace kalvora {

namespace {

// A birth as the questions show it: "1990-08-15 06:30".
QString BornForQuestion(const BirthClock& born) {
    return QString::fromStdString(BornText(born)).replace(QLatin1Char('T'), QLatin1Char(' '));
}

}  // namespace

PeopleController::PeopleController(MomentForm* birthForm, const ShellServices& services, QWidget* window)
    : birthForm_(birthForm), services_(services), window_(window), store_(std::make_unique<PeopleStore>()) {
    connect(birthForm_->people, &QComboBox::activated, this, [this](int index) {
        if (index >= 0 && static_cast<std::size_t>(index) < listed_.size()) {
            Choose(listed_[static_cast<std::size_t>(index)].key);
        }
    });
    // Clearing the list's text lets go of the chosen person: Save Person then adds the page as someone new.
    connect(birthForm_->people->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
        if (text.isEmpty()) chosenPerson_.reset();
    });
    connect(birthForm_->savePerson, &QPushButton::clicked, this, &PeopleController::Save);
    connect(birthForm_->setAside, &QPushButton::clicked, this, &PeopleController::SetAside);
}

PeopleController::~PeopleController() = default;

void PeopleController::Message(QMessageBox::Icon icon, const QString& text) {
    services_.showMessage(window_, icon, text);
}

void PeopleController::Reload() {
    const QString problem = StoreStateText(*store_);
    ShowLine(problem);
    birthForm_->setAside->setVisible(store_->State() == StoreState::Unavailable && store_->SetAsideHelps());
    birthForm_->savePerson->setEnabled(store_->State() == StoreState::Ready);
    listed_.clear();
    if (store_->State() != StoreState::Unavailable) {
        try {
            listed_ = store_->List();
        } catch (const StoreFailure& e) {
            ShowLine(QString::fromStdString(e.what()));
        }
    }
    // A damaged row is never offered for a calculation; the People window shows it, to be deleted.
    const auto damaged = std::erase_if(listed_, [](const StoredPerson& p) { return !p.damage.empty(); });
    if (damaged > 0 && problem.isEmpty()) {
        ShowLine(QStringLiteral("%1 saved %2 damaged and not offered here; Tools > People shows %3.")
                     .arg(damaged)
                     .arg(damaged == 1 ? QStringLiteral("person is") : QStringLiteral("people are"),
                          damaged == 1 ? QStringLiteral("it") : QStringLiteral("them")));
    }
    if (chosenPerson_ && !Loaded()) chosenPerson_.reset();
    QComboBox* list = birthForm_->people;
    const QSignalBlocker quiet(list);
    list->clear();
    const QStringList labels = PersonLabels(listed_);
    int chosenRow = -1;
    for (std::size_t i = 0; i < listed_.size(); ++i) {
        list->addItem(labels[static_cast<qsizetype>(i)], QVariant::fromValue<qlonglong>(listed_[i].key));
        if (chosenPerson_ && listed_[i].key == *chosenPerson_) chosenRow = static_cast<int>(i);
    }
    list->setCurrentIndex(chosenRow);
    list->setEnabled(!listed_.empty());
    if (peopleWindow_ != nullptr) peopleWindow_->Reload();
}

void PeopleController::ShowLine(const QString& text) {
    birthForm_->peopleLine->setText(text);
    birthForm_->peopleLine->setVisible(!text.isEmpty());
}

std::optional<StoredPerson> PeopleController::Loaded() const {
    const auto at = std::find_if(listed_.begin(), listed_.end(),
                                 [&](const StoredPerson& p) { return chosenPerson_ && p.key == *chosenPerson_; });
    return at != listed_.end() ? std::optional<StoredPerson>(*at) : std::nullopt;
}

void PeopleController::Choose(std::int64_t key) {
    const auto at = std::find_if(listed_.begin(), listed_.end(), [&](const StoredPerson& p) { return p.key == key; });
    if (at == listed_.end()) return;
    chosenPerson_ = key;
    birthForm_->ShowPerson(at->person);
    const QSignalBlocker quiet(birthForm_->people);
    birthForm_->people->setCurrentIndex(static_cast<int>(at - listed_.begin()));
}

void PeopleController::Save() {
    if (store_->State() != StoreState::Ready) {
        Message(QMessageBox::Critical, StoreStateText(*store_));
        return;
    }
    const Person person = birthForm_->ReadPerson();
    if (const std::string problem = PersonProblem(person); !problem.empty()) {
        Message(QMessageBox::Critical, QString::fromStdString(problem));
        return;
    }
    try {
        const std::optional<StoredPerson> loaded = Loaded();
        const SaveDecision decision = DecideSave(person, loaded, store_->Named(person.name));
        std::size_t answer = 0;
        if (decision.kind == SaveDecision::Kind::Ask) {
            // The user says whether this is one of the people offered or someone new.
            QStringList answers;
            for (const StoredPerson& p : decision.candidates) {
                answers << QStringLiteral("Update %1, born %2")
                               .arg(QString::fromStdString(p.person.name), BornForQuestion(p.person.born));
            }
            answers << QStringLiteral("Save as a new person");
            const bool birthChanged = loaded && loaded->person.name == person.name;
            const QString question =
                birthChanged
                    ? QStringLiteral("%1 was chosen with another birth (%2). Update that person, or save a new one?")
                          .arg(QString::fromStdString(person.name), BornForQuestion(loaded->person.born))
                    : QStringLiteral("A person named %1 is saved already. Is this the same person?")
                          .arg(QString::fromStdString(person.name));
            const int chosen = services_.askChoice ? services_.askChoice(window_, question, answers) : -1;
            if (chosen < 0) return;
            answer = static_cast<std::size_t>(chosen);
        }
        chosenPerson_ = WritePagePerson(*store_, person, PersonToUpdate(decision, answer));
    } catch (const StoreFailure& e) {
        Message(QMessageBox::Critical, QString::fromStdString(e.what()));
        Reload();
        return;
    }
    Reload();
    ShowLine(QStringLiteral("Saved %1, born %2.")
                 .arg(QString::fromStdString(person.name), QString::fromStdString(BirthDateText(person.born))));
}

void PeopleController::SetAside() {
    SetAsideWithMessage(*store_, window_, services_);
    Reload();
}

void PeopleController::OpenWindow() {
    if (peopleWindow_ == nullptr) {
        auto* window = new PeopleWindow(*store_, services_, window_);
        connect(window, &PeopleWindow::changed, this, &PeopleController::Reload);
        connect(window, &PeopleWindow::useRequested, this, [this](std::int64_t key) {
            Choose(key);
            Q_EMIT personUsed();
        });
        ForgetWhenClosed(this, peopleWindow_, window);
        peopleWindow_ = window;
    }
    peopleWindow_->Reload();
    BringToFront(peopleWindow_);
}

void PeopleController::CloseWindow() {
    if (peopleWindow_ != nullptr) peopleWindow_->close();
}

}  // namespace kalvora
