#pragma once
// The "People..." window dlgPeople: the saved people with a search box, their name, sex and note edited in place,
// "Use on Birth Page" for the rest of the birth data, and Delete (asked first). The list is read again from the
// store after every write, so that it shows what the file holds; a write that fails is shown as a message.

#include <cstdint>
#include <optional>
#include <vector>

#include <QDialog>
#include <QString>
#include <QStringList>

#include "app/gui/shell/shell.h"
#include "store/people_store.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace kalvora {

// The names the people lists show, one per person in order: the name alone, or with the birth date when another
// person of the list has the same name ("Asha (1990-03-05)").
QStringList PersonLabels(const std::vector<StoredPerson>& people);

// What the windows say about a store that is not Ready ("" when it is): whether people can still be read, and why
// they cannot be saved.
QString StoreStateText(const PeopleStore& store);

// Moves an unreadable people file aside and starts a new one, telling the user where the old file went or why it
// could not be moved. Returns whether it was moved.
bool SetAsideWithMessage(PeopleStore& store, QWidget* parent, const ShellServices& services);

class PeopleWindow : public QDialog {
    Q_OBJECT
public:
    PeopleWindow(PeopleStore& store, ShellServices services, QWidget* parent = nullptr);

    // Reads the store again and lists the people the search box matches, keeping the selected one.
    void Reload();
    // The person of the selected row, none when no row is selected.
    std::optional<StoredPerson> Selected() const;

Q_SIGNALS:
    // The store was written (or moved aside): lists elsewhere follow.
    void changed();
    // "Use on Birth Page": the birth page takes the person's data.
    void useRequested(std::int64_t key);

private:
    void ShowList();
    void ShowSelected();
    void SaveChanges();
    void Delete();
    void Message(QMessageBox::Icon icon, const QString& text);

    PeopleStore& store_;
    ShellServices services_;
    std::vector<StoredPerson> everyone_;

    QLineEdit* search_;
    QTableWidget* list_;
    QLineEdit* name_;
    QRadioButton* male_;
    QRadioButton* female_;
    QLineEdit* note_;
    QPushButton* save_;
    QPushButton* use_;
    QPushButton* delete_;
    QLabel* state_;
    QPushButton* setAside_;
};

}  // namespace kalvora
