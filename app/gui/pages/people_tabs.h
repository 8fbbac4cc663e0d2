#pragma once
// The people of the birth page: the first person's form (the page as it always was), and on "Add Person" a tab
// for each further person, typed or chosen from the saved people, with "Remove Person". Where the undertaking has
// roles (bride, groom) each person gets a role chooser, set from their sex until changed by hand. "Add Person" and
// the saved-group chooser sit in the page's navigation row, so that with one person the form is as it always was.
// The page reads its controls into a PeopleInput; it holds no rule of its own.

#include <vector>

#include <QString>
#include <QWidget>

#include "driver/people_calculation.h"
#include "store/people_store.h"

class QComboBox;
class QLabel;
class QPushButton;
class QStackedWidget;
class QTabBar;

namespace kalvora {

class AtlasSource;
class MomentForm;

class PeopleTabs : public QWidget {
    Q_OBJECT
public:
    // first: the birth page's form, which becomes the first tab; atlas: where further forms find places.
    PeopleTabs(MomentForm* first, AtlasSource* atlas, QWidget* parent = nullptr);

    // The forms of every person, the first person's first.
    const std::vector<MomentForm*>& Forms() const { return forms_; }
    int Count() const { return static_cast<int>(forms_.size()); }

    // "Add Person": a new tab with an empty form, shown; returns its form.
    MomentForm* AddPerson();
    // Removes a further person (index 1 and up); the first person stays.
    void RemovePerson(int index);
    // Shows the tab of a person.
    void ShowPerson(int index);

    // The undertaking chosen on the first page: the role choosers are shown where it has roles.
    void FollowUndertaking(const QString& subject);
    // The role chosen for a person (None where the undertaking has no roles).
    Role RoleOf(int index) const;
    void SetRole(int index, Role role);

    // The saved people offered in each further person's list, and the saved groups in the group chooser.
    void OfferPeople(const std::vector<StoredPerson>& people);
    void OfferGroups(const std::vector<StoredGroup>& groups);
    // Puts the members of a group on the page: the first on the first form, the others on tabs of their own (the
    // tabs before are replaced), each with the group's role or, where it gives none, the role of their sex.
    void ShowGroup(const std::vector<GroupPerson>& members);

    // The pages as the calculation of several people takes them: `first` (the one-person input read from the
    // pages) with a further person for each tab and the roles chosen, where the undertaking has roles.
    PeopleInput ReadPeople(const CalculationInput& first) const;

    QPushButton* addPerson;  // cmdAddPerson, "Add Person", in the navigation row
    QComboBox* groups;       // cboGroups, the saved groups, in the navigation row
    QWidget* navigation;     // holds the two, for the page's navigation row

Q_SIGNALS:
    // A saved group was chosen by name.
    void groupChosen(const QString& name);
    // "Add Person" made a further person's form.
    void formAdded(MomentForm* form);

private:
    struct PersonTab;
    // The tab page around a form, and its role row (with "Remove Person" on a further person's).
    QWidget* Wrap(MomentForm* form, bool removable);
    void FollowSex(int index);
    void Relabel();
    int IndexOf(const MomentForm* form) const;

    AtlasSource* atlas_;
    QTabBar* bar_ = nullptr;
    QStackedWidget* stack_ = nullptr;      // the forms
    QStackedWidget* roleStack_ = nullptr;  // each person's role row, beside the tabs
    QWidget* header_ = nullptr;            // the tabs and the role rows, shown for several people
    std::vector<MomentForm*> forms_;
    std::vector<QWidget*> roleRows_;      // per person: the role row
    std::vector<QComboBox*> roles_;       // per person: "Bride", "Groom"
    std::vector<StoredPerson> offered_;   // the saved people behind each further person's list
    bool withRoles_ = false;
};

}  // namespace kalvora
