// The birth page's people: the tabs of the forms, the role choosers, the saved people and groups offered, and the
// page read as a PeopleInput.

#include "app/gui/pages/people_tabs.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

#include "app/gui/pages/moment_form.h"
#include "app/gui/people/people_window.h"
#include "app/gui/shell/theme.h"
#include "muhurtha/subjects.h"

namespace kalvora {

namespace {

Role RoleOfWord(const std::string& word) {
    for (const RoleName& name : RoleNames) {
        if (name.word == word) return name.role;
    }
    return Role::None;
}

}  // namespace

PeopleTabs::PeopleTabs(MomentForm* first, AtlasSource* atlas, QWidget* parent) : QWidget(parent), atlas_(atlas) {
    setObjectName(QStringLiteral("picPeople"));
    bar_ = new QTabBar;
    bar_->setObjectName(QStringLiteral("tabPeople"));
    bar_->setExpanding(false);
    bar_->setDrawBase(false);
    bar_->hide();  // one person: the page as it always was
    stack_ = new QStackedWidget;
    // The shown person's role and "Remove Person" beside the tabs, so that the form keeps its height.
    roleStack_ = new QStackedWidget;
    header_ = new QWidget;
    auto* headerRow = new QHBoxLayout(header_);
    headerRow->setContentsMargins(0, 0, 0, 0);
    headerRow->setSpacing(12);
    headerRow->addWidget(bar_, 0, Qt::AlignBottom);
    headerRow->addStretch(1);
    headerRow->addWidget(roleStack_);
    header_->hide();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(header_);
    layout->addWidget(stack_);
    connect(bar_, &QTabBar::currentChanged, stack_, &QStackedWidget::setCurrentIndex);
    connect(bar_, &QTabBar::currentChanged, roleStack_, &QStackedWidget::setCurrentIndex);

    addPerson = new QPushButton(QStringLiteral("Add &Person"));
    addPerson->setObjectName(QStringLiteral("cmdAddPerson"));
    addPerson->setToolTip(QStringLiteral("Add another person to the muhurtha: a partner, a member of the family"));
    groups = new QComboBox;
    groups->setObjectName(QStringLiteral("cboGroups"));
    groups->setToolTip(QStringLiteral("Put a saved group's people on the page"));
    groups->setMinimumContentsLength(14);
    groups->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    navigation = new QWidget;
    auto* row = new QHBoxLayout(navigation);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    row->addWidget(groups);
    row->addWidget(addPerson);
    connect(addPerson, &QPushButton::clicked, this, [this] { AddPerson(); });
    connect(groups, &QComboBox::activated, this, [this](int index) {
        if (index > 0) Q_EMIT groupChosen(groups->itemText(index));
        const QSignalBlocker quiet(groups);
        groups->setCurrentIndex(0);
    });
    OfferGroups({});

    forms_.push_back(first);
    stack_->addWidget(Wrap(first, false));
    bar_->addTab(QString());
    Relabel();
}

QWidget* PeopleTabs::Wrap(MomentForm* form, bool removable) {
    const int index = static_cast<int>(forms_.size()) - 1;
    const QString suffix = index == 0 ? QString() : QStringLiteral("_P%1").arg(index + 1);
    auto* page = new QWidget;
    auto* roleRow = new QWidget;
    auto* row = new QHBoxLayout(roleRow);
    row->setContentsMargins(0, 0, 0, 0);
    auto* roleCaption = StyledLabel(QStringLiteral("Role"), "fieldCaption");
    auto* role = new QComboBox;
    role->setObjectName(QStringLiteral("cboRole") + (index == 0 ? QString() : suffix));
    role->addItem(QStringLiteral("Bride"), static_cast<int>(Role::Bride));
    role->addItem(QStringLiteral("Groom"), static_cast<int>(Role::Groom));
    role->setToolTip(QStringLiteral("The person's part in the undertaking; it follows the sex until chosen here"));
    row->addStretch(1);  // to the right, beside the tabs
    row->addWidget(roleCaption);
    row->addWidget(role);
    if (removable) {
        auto* remove = new QPushButton(QStringLiteral("&Remove Person"));
        remove->setObjectName(QStringLiteral("cmdRemovePerson") + suffix);
        row->addWidget(remove);
        connect(remove, &QPushButton::clicked, this, [this, form] { RemovePerson(IndexOf(form)); });
    }
    roleCaption->setVisible(withRoles_);
    role->setVisible(withRoles_);
    roleRows_.push_back(roleRow);
    roles_.push_back(role);

    roleStack_->addWidget(roleRow);
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(form, 1);

    connect(form->male, &QRadioButton::toggled, this, [this, form] { FollowSex(IndexOf(form)); });
    connect(form->name, &QLineEdit::textChanged, this, &PeopleTabs::Relabel);
    FollowSex(index);
    return page;
}

MomentForm* PeopleTabs::AddPerson() {
    auto* form = new MomentForm(BirthFormNames, atlas_);
    const QString suffix = QStringLiteral("_P%1").arg(forms_.size() + 1);
    form->setObjectName(QStringLiteral("frmPerson") + suffix);
    for (QObject* child : form->findChildren<QObject*>()) {
        if (!child->objectName().isEmpty() && !child->objectName().startsWith(QLatin1String("qt_"))) {
            child->setObjectName(child->objectName() + suffix);
        }
    }
    // A further person is chosen from the saved people or typed; saving stays with the first person's form.
    form->savePerson->hide();
    connect(form->people, &QComboBox::activated, this, [this, form](int row) {
        if (row >= 0 && row < static_cast<int>(offered_.size())) form->ShowPerson(offered_[static_cast<std::size_t>(row)].person);
    });
    forms_.push_back(form);
    stack_->addWidget(Wrap(form, true));
    bar_->addTab(QString());
    OfferPeople(offered_);
    Relabel();
    ShowPerson(Count() - 1);
    Q_EMIT formAdded(form);
    return form;
}

void PeopleTabs::RemovePerson(int index) {
    if (index <= 0 || index >= Count()) return;
    for (QStackedWidget* stack : {stack_, roleStack_}) {
        QWidget* page = stack->widget(index);
        stack->removeWidget(page);
        page->deleteLater();
    }
    bar_->removeTab(index);
    forms_.erase(forms_.begin() + index);
    roleRows_.erase(roleRows_.begin() + index);
    roles_.erase(roles_.begin() + index);
    Relabel();
    ShowPerson(std::min(index, Count() - 1));
}

void PeopleTabs::ShowPerson(int index) {
    bar_->setCurrentIndex(index);
    stack_->setCurrentIndex(index);
    roleStack_->setCurrentIndex(index);
}

int PeopleTabs::IndexOf(const MomentForm* form) const {
    for (std::size_t i = 0; i < forms_.size(); ++i) {
        if (forms_[i] == form) return static_cast<int>(i);
    }
    return -1;
}

void PeopleTabs::Relabel() {
    for (int i = 0; i < Count(); ++i) {
        const QString name = forms_[static_cast<std::size_t>(i)]->name->text().trimmed();
        bar_->setTabText(i, name.isEmpty() ? QStringLiteral("Person %1").arg(i + 1) : name);
    }
    // The tabs and the roles only once there is someone to share the undertaking with.
    const bool several = Count() > 1;
    bar_->setVisible(several);
    header_->setVisible(several);
}

void PeopleTabs::FollowUndertaking(const QString& subject) {
    const std::optional<MuhurthaSubject> found = FindSubject(subject.toStdString());
    withRoles_ = found && HasRoles(*found);
    for (QWidget* row : roleRows_) {
        for (QWidget* child : row->findChildren<QWidget*>()) {
            if (qobject_cast<QPushButton*>(child) == nullptr) child->setVisible(withRoles_);
        }
    }
    Relabel();
}

Role PeopleTabs::RoleOf(int index) const {
    if (!withRoles_) return Role::None;
    return static_cast<Role>(roles_[static_cast<std::size_t>(index)]->currentData().toInt());
}

void PeopleTabs::SetRole(int index, Role role) {
    QComboBox* box = roles_[static_cast<std::size_t>(index)];
    box->setCurrentIndex(box->findData(static_cast<int>(role)));
}

void PeopleTabs::FollowSex(int index) {
    if (index < 0 || index >= static_cast<int>(roles_.size())) return;
    SetRole(index, forms_[static_cast<std::size_t>(index)]->female->isChecked() ? Role::Bride : Role::Groom);
}

void PeopleTabs::OfferPeople(const std::vector<StoredPerson>& people) {
    offered_ = people;
    std::erase_if(offered_, [](const StoredPerson& p) { return !p.damage.empty(); });
    const QStringList labels = PersonLabels(offered_);
    for (std::size_t i = 1; i < forms_.size(); ++i) {
        QComboBox* list = forms_[i]->people;
        const QSignalBlocker quiet(list);
        list->clear();
        list->addItems(labels);
        list->setCurrentIndex(-1);
        list->setEnabled(!offered_.empty());
    }
}

void PeopleTabs::OfferGroups(const std::vector<StoredGroup>& saved) {
    const QSignalBlocker quiet(groups);
    groups->clear();
    groups->addItem(QStringLiteral("Saved groups"));
    for (const StoredGroup& group : saved) {
        if (group.damage.empty()) groups->addItem(QString::fromStdString(group.group.name));
    }
    groups->setCurrentIndex(0);
    groups->setEnabled(groups->count() > 1);
}

void PeopleTabs::ShowGroup(const std::vector<GroupPerson>& members) {
    if (members.empty()) return;
    while (Count() > 1) RemovePerson(Count() - 1);
    for (std::size_t i = 0; i < members.size(); ++i) {
        MomentForm* form = i == 0 ? forms_.front() : AddPerson();
        form->ShowPerson(members[i].stored.person);
        if (const Role role = RoleOfWord(members[i].role); role != Role::None) SetRole(static_cast<int>(i), role);
    }
    ShowPerson(0);
}

PeopleInput PeopleTabs::ReadPeople(const CalculationInput& first) const {
    PeopleInput input;
    input.first = first;
    for (std::size_t i = 1; i < forms_.size(); ++i) {
        const MomentForm* form = forms_[i];
        input.others.push_back(OtherPerson{form->name->text().trimmed().toStdString(),
                                           form->female->isChecked() ? "Female" : "Male", form->ReadMoment(),
                                           form->Origin()});
    }
    if (withRoles_) {
        for (int i = 0; i < Count(); ++i) input.roles.push_back(RoleOf(i));
    }
    return input;
}

}  // namespace kalvora
