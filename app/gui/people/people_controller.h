#pragma once
// The saved people behind the birth page: its list of people and "Save Person", the line under them that says what
// was saved or why nothing can be, and the "People..." window. Which stored person a save writes over is decided in
// the store (DecideSave, PersonToUpdate); this class asks the user where the decision asks and shows the outcome.

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include <QMessageBox>
#include <QObject>
#include <QPointer>

#include "app/gui/shell/shell.h"
#include "store/people_store.h"

class QWidget;

namespace kalvora {

class MomentForm;
class PeopleWindow;

class PeopleController : public QObject {
    Q_OBJECT
public:
    // birthForm: the birth page whose people rows this fills; window: the parent of the messages, the questions and
    // the People window. Both outlive the controller, as do the services.
    PeopleController(MomentForm* birthForm, const ShellServices& services, QWidget* window);
    ~PeopleController() override;

    PeopleStore& Store() { return *store_; }

    // Reads the people again into the birth page's list (and the People window) and shows the store's state.
    void Reload();
    // The birth page takes a saved person's data; the person becomes the one "Save Person" updates.
    void Choose(std::int64_t key);
    // "Save Person": adds the page as a person, or updates the chosen one; asks which when another person of the
    // name is saved already.
    void Save();
    // "Move Aside and Start New" under an unreadable people file.
    void SetAside();
    // "People...": opens the people window, or brings it to the front.
    void OpenWindow();
    void CloseWindow();

Q_SIGNALS:
    // "Use on Birth Page" in the People window: the person is on the birth page, which should come to the front.
    void personUsed();

private:
    void ShowLine(const QString& text);
    void Message(QMessageBox::Icon icon, const QString& text);
    // The person chosen on the page, as listed.
    std::optional<StoredPerson> Loaded() const;

    MomentForm* birthForm_;
    const ShellServices& services_;
    QWidget* window_;
    std::unique_ptr<PeopleStore> store_;
    std::vector<StoredPerson> listed_;           // the people of the birth page's list, in its order
    std::optional<std::int64_t> chosenPerson_;  // the person "Save Person" updates
    QPointer<PeopleWindow> peopleWindow_;
};

}  // namespace kalvora
