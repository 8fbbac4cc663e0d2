#include "app/gui/people/people_window.h"

#include <algorithm>
#include <map>

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/gui/shell/theme.h"

namespace kalvora {
namespace {

QString Utf8(const std::string& text) { return QString::fromStdString(text); }

// The columns of the list.
constexpr auto PeopleColumns = std::to_array<const char*>({"Name", "Sex", "Born", "Place", "Note"});

// The birth place as the list shows it: the names, or the coordinates when none were typed.
QString PlaceCell(const Person& p) {
    QStringList parts;
    if (p.place) {
        for (const std::string* part : {&p.place->name, &p.place->state, &p.place->country}) {
            if (!part->empty()) parts << Utf8(*part);
        }
    }
    if (!parts.isEmpty()) return parts.join(QStringLiteral(", "));
    return QStringLiteral("%1, %2").arg(p.latitude, 0, 'f', 2).arg(p.longitude, 0, 'f', 2);
}

QString BornCell(const BirthClock& born) { return Utf8(BornText(born)).replace(QLatin1Char('T'), QLatin1Char(' ')); }

template <typename W>
W* Named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

}  // namespace

QStringList PersonLabels(const std::vector<StoredPerson>& people) {
    std::map<std::string, int> count;
    for (const StoredPerson& p : people) ++count[p.person.name];
    QStringList labels;
    for (const StoredPerson& p : people) {
        QString label = Utf8(p.person.name);
        if (count[p.person.name] > 1) label += QStringLiteral(" (") + Utf8(BirthDateText(p.person.born)) + QLatin1Char(')');
        labels << label;
    }
    return labels;
}

QString StoreStateText(const PeopleStore& store) {
    switch (store.State()) {
    case StoreState::Ready: return {};
    case StoreState::ReadOnly:
        return QStringLiteral("Saved people can be chosen but not saved: ") + Utf8(store.Problem());
    case StoreState::Unavailable:
        return QStringLiteral("Saved people are not available: ") + Utf8(store.Problem()) +
               QStringLiteral(". Kalvora works on without saving people.");
    }
    return {};
}

bool SetAsideWithMessage(PeopleStore& store, QWidget* parent, const ShellServices& services) {
    try {
        const std::string aside = store.SetAsideAndStartNew();
        services.showMessage(parent, QMessageBox::Information,
                             QStringLiteral("The old people file was moved to %1; a new, empty one was started.")
                                 .arg(Utf8(aside)));
        return true;
    } catch (const StoreFailure& e) {
        services.showMessage(parent, QMessageBox::Critical, Utf8(e.what()));
        return false;
    }
}

PeopleWindow::PeopleWindow(PeopleStore& store, ShellServices services, QWidget* parent)
    : QDialog(parent), store_(store), services_(std::move(services)) {
    setObjectName(QStringLiteral("dlgPeople"));
    setWindowTitle(QStringLiteral("People"));

    search_ = Named(new QLineEdit, "txtPeopleSearch");
    search_->setPlaceholderText(QStringLiteral("Search by name, place or note"));
    search_->setClearButtonEnabled(true);

    list_ = Named(new QTableWidget(0, static_cast<int>(PeopleColumns.size())), "lstPeople");
    QStringList headers;
    for (const char* caption : PeopleColumns) headers << QString::fromLatin1(caption);
    list_->setHorizontalHeaderLabels(headers);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->verticalHeader()->hide();
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->setAlternatingRowColors(true);

    name_ = Named(new QLineEdit, "txtPeopleName");
    name_->setMaxLength(60);
    male_ = Named(new QRadioButton(QStringLiteral("Male")), "optPeopleSex0");
    female_ = Named(new QRadioButton(QStringLiteral("Female")), "optPeopleSex1");
    auto* sexes = new QButtonGroup(this);
    sexes->addButton(male_);
    sexes->addButton(female_);
    male_->setChecked(true);
    note_ = Named(new QLineEdit, "txtPeopleNote");
    save_ = Named(new QPushButton(QStringLiteral("&Save Changes")), "cmdPeopleSave");
    use_ = Named(new QPushButton(QStringLiteral("&Use on Birth Page")), "cmdPeopleUse");
    use_->setToolTip(QStringLiteral("Fill the birth page with this person; change the birth data there and Save Person"));
    delete_ = Named(new QPushButton(QStringLiteral("&Delete...")), "cmdPeopleDelete");
    auto* close = Named(new QPushButton(QStringLiteral("&Close")), "cmdPeopleClose");

    state_ = Named(new QLabel, "lblPeopleState");
    state_->setProperty("role", "hint");
    state_->setWordWrap(true);
    setAside_ = Named(new QPushButton(QStringLiteral("Move &Aside and Start New")), "cmdPeopleSetAside");

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(10);
    fields->addWidget(StyledLabel(QStringLiteral("Name"), "fieldCaption"), 0, 0);
    fields->addWidget(name_, 0, 1);
    auto* sexRow = new QHBoxLayout;
    sexRow->addWidget(male_);
    sexRow->addWidget(female_);
    sexRow->addStretch(1);
    fields->addWidget(StyledLabel(QStringLiteral("Sex"), "fieldCaption"), 0, 2);
    fields->addLayout(sexRow, 0, 3);
    fields->addWidget(StyledLabel(QStringLiteral("Note"), "fieldCaption"), 1, 0);
    fields->addWidget(note_, 1, 1, 1, 3);
    fields->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(save_);
    buttons->addWidget(use_);
    buttons->addWidget(delete_);
    buttons->addStretch(1);
    buttons->addWidget(close);

    auto* stateRow = new QHBoxLayout;
    stateRow->addWidget(state_, 1);
    stateRow->addWidget(setAside_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(10);
    layout->addLayout(stateRow);
    layout->addWidget(search_);
    layout->addWidget(list_, 1);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    connect(search_, &QLineEdit::textChanged, this, &PeopleWindow::ShowList);
    connect(list_, &QTableWidget::itemSelectionChanged, this, &PeopleWindow::ShowSelected);
    connect(save_, &QPushButton::clicked, this, &PeopleWindow::SaveChanges);
    connect(delete_, &QPushButton::clicked, this, &PeopleWindow::Delete);
    connect(use_, &QPushButton::clicked, this, [this] {
        if (const auto person = Selected()) Q_EMIT useRequested(person->key);
    });
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(setAside_, &QPushButton::clicked, this, [this] {
        SetAsideWithMessage(store_, this, services_);
        Reload();
        Q_EMIT changed();
    });

    resize(760, 480);
    Reload();
}

void PeopleWindow::Message(QMessageBox::Icon icon, const QString& text) { services_.showMessage(this, icon, text); }

void PeopleWindow::Reload() {
    const QString text = StoreStateText(store_);
    state_->setText(text);
    state_->setVisible(!text.isEmpty());
    setAside_->setVisible(store_.SetAsideHelps());
    everyone_.clear();
    if (store_.State() != StoreState::Unavailable) {
        try {
            everyone_ = store_.List();
        } catch (const StoreFailure& e) {
            Message(QMessageBox::Critical, Utf8(e.what()));
        }
    }
    const bool writable = store_.State() == StoreState::Ready;
    for (QWidget* w : std::initializer_list<QWidget*>{save_, delete_, name_, male_, female_, note_}) {
        w->setEnabled(writable);
    }
    ShowList();
}

void PeopleWindow::ShowList() {
    const std::optional<StoredPerson> selected = Selected();
    const QString query = search_->text().trimmed();
    const QStringList labels = PersonLabels(everyone_);
    QSignalBlocker quiet(list_);
    list_->setRowCount(0);
    int selectRow = -1;
    for (std::size_t i = 0; i < everyone_.size(); ++i) {
        const StoredPerson& stored = everyone_[i];
        const Person& p = stored.person;
        // A damaged row shows what is wrong in place of its data; it can only be deleted.
        const QStringList cells = stored.damage.empty()
                                      ? QStringList{labels[static_cast<qsizetype>(i)], Utf8(p.sex), BornCell(p.born),
                                                    PlaceCell(p), Utf8(p.note)}
                                      : QStringList{labels[static_cast<qsizetype>(i)], QStringLiteral("damaged"),
                                                    QString(), Utf8(stored.damage), QString()};
        const bool matches = query.isEmpty() || std::any_of(cells.begin(), cells.end(), [&](const QString& cell) {
                                 return cell.contains(query, Qt::CaseInsensitive);
                             });
        if (!matches) continue;
        const int row = list_->rowCount();
        list_->insertRow(row);
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setData(Qt::UserRole, QVariant::fromValue<qlonglong>(stored.key));
            list_->setItem(row, column, item);
        }
        if (selected && selected->key == stored.key) selectRow = row;
    }
    list_->resizeColumnsToContents();
    if (selectRow >= 0) list_->selectRow(selectRow);
    quiet.unblock();
    ShowSelected();
}

std::optional<StoredPerson> PeopleWindow::Selected() const {
    const QList<QTableWidgetItem*> items = list_->selectedItems();
    if (items.isEmpty()) return std::nullopt;
    const qlonglong key = items.front()->data(Qt::UserRole).toLongLong();
    const auto at = std::find_if(everyone_.begin(), everyone_.end(), [&](const StoredPerson& p) { return p.key == key; });
    if (at == everyone_.end()) return std::nullopt;
    return *at;
}

void PeopleWindow::ShowSelected() {
    const std::optional<StoredPerson> person = Selected();
    const bool writable = store_.State() == StoreState::Ready;
    const bool usable = person.has_value() && person->damage.empty();
    save_->setEnabled(usable && writable);
    delete_->setEnabled(person.has_value() && writable);
    use_->setEnabled(usable);
    name_->setText(person ? Utf8(person->person.name) : QString());
    (person && person->person.sex == "Female" ? female_ : male_)->setChecked(true);
    note_->setText(person ? Utf8(person->person.note) : QString());
}

void PeopleWindow::SaveChanges() {
    const std::optional<StoredPerson> stored = Selected();
    if (!stored) return;
    Person person = stored->person;
    person.name = name_->text().trimmed().toStdString();
    person.sex = female_->isChecked() ? "Female" : "Male";
    person.note = note_->text().trimmed().toStdString();
    if (const std::string problem = PersonProblem(person); !problem.empty()) {
        Message(QMessageBox::Critical, Utf8(problem));
        return;
    }
    try {
        store_.Update(stored->key, person);
    } catch (const StoreFailure& e) {
        Message(QMessageBox::Critical, Utf8(e.what()));
    }
    Reload();
    Q_EMIT changed();
}

void PeopleWindow::Delete() {
    const std::optional<StoredPerson> stored = Selected();
    if (!stored) return;
    const QString question =
        stored->damage.empty()
            ? QStringLiteral("Delete %1, born %2? The person cannot be brought back.")
                  .arg(Utf8(stored->person.name), BornCell(stored->person.born))
            : QStringLiteral("Delete the damaged row of %1? It cannot be brought back.").arg(Utf8(stored->person.name));
    const int answer = services_.askChoice
                           ? services_.askChoice(this, question, {QStringLiteral("Delete"), QStringLiteral("Keep")})
                           : -1;
    if (answer != 0) return;
    try {
        store_.Remove(stored->key);
    } catch (const StoreFailure& e) {
        Message(QMessageBox::Critical, Utf8(e.what()));
    }
    Reload();
    Q_EMIT changed();
}

}  // namespace kalvora
