#include "app/gui/pages/subject_chooser.h"

#include <algorithm>

#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/gui/shell/clickable_label.h"
#include "app/gui/shell/theme.h"
#include "muhurtha/subjects.h"

namespace kalvora {

SubjectChooser::SubjectChooser(QWidget* parent) : QWidget(parent) {
    static_assert(std::tuple_size_v<decltype(categories_)> == SubjectCategories.size());

    auto* categoryCard = Card();
    categoryCard->setFixedWidth(240);
    auto* categoryLayout = new QVBoxLayout(categoryCard);
    categoryLayout->setContentsMargins(10, 12, 10, 12);
    categoryLayout->setSpacing(1);
    auto* categoryTitle = StyledLabel(QStringLiteral("Undertakings"), "cardTitle");
    categoryTitle->setContentsMargins(10, 0, 0, 6);
    categoryLayout->addWidget(categoryTitle);
    for (std::size_t i = 0; i < SubjectCategories.size(); ++i) {
        auto* label = new ClickableLabel(FromView(SubjectCategories[i].caption));
        label->setObjectName(QStringLiteral("lblMainOptions") + QString::number(i));
        label->setProperty("role", "category");
        const int index = static_cast<int>(i);
        connect(label, &ClickableLabel::clicked, this, [this, index] { ShowCategory(index); });
        connect(label, &ClickableLabel::hovered, this, [this, index](bool inside) { HighlightCategory(index, inside); });
        label->installEventFilter(this);
        categories_[i] = label;
        categoryLayout->addWidget(label);
    }
    categoryLayout->addStretch(1);

    auto* options = new QWidget;
    options->setObjectName(QStringLiteral("picOptions"));
    auto* optionsLayout = new QVBoxLayout(options);
    optionsLayout->setContentsMargins(0, 0, 0, 0);
    optionsLayout->setSpacing(8);
    auto* hint = StyledLabel(QStringLiteral("Select one of the options from the list of activities for which the Muhurtha "
                                            "or Electional time needs to be found."),
                             "hint");
    hint->setWordWrap(true);
    subjects_ = new QTreeWidget;
    subjects_->setObjectName(QStringLiteral("lstOptions"));
    subjects_->setColumnCount(1);
    subjects_->setHeaderLabels({QStringLiteral("Options")});
    subjects_->setRootIsDecorated(false);
    subjects_->setUniformRowHeights(true);
    subjects_->header()->setSectionResizeMode(QHeaderView::Stretch);
    connect(subjects_, &QTreeWidget::itemChanged, this, &SubjectChooser::OnItemChanged);
    optionsLayout->addWidget(hint);
    optionsLayout->addWidget(subjects_, 1);

    auto* columns = new QHBoxLayout(this);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(14);
    columns->addWidget(categoryCard);
    columns->addWidget(options, 1);
}

void SubjectChooser::ShowCategory(int index) {
    const SubjectCategory& category = SubjectCategories.at(static_cast<std::size_t>(index));
    const QSignalBlocker blocker(subjects_);
    subjects_->clear();
    for (std::size_t i = 0; i < category.size; ++i) {
        const QString text = FromView(SubjectText(category.subjects[i]));
        auto* item = new QTreeWidgetItem(subjects_, {text});
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        // The chosen subject stays ticked when its category is shown again.
        item->setCheckState(0, text == chosen_ ? Qt::Checked : Qt::Unchecked);
    }
    // Only the shown category's caption takes Tab, so that Tab goes on to the list; focus follows the shown one.
    const bool focused = categories_[static_cast<std::size_t>(shown_)]->hasFocus();
    shown_ = index;
    for (std::size_t i = 0; i < categories_.size(); ++i) {
        SetStyleProperty(categories_[i], "current", static_cast<int>(i) == index);
        categories_[i]->setFocusPolicy(static_cast<int>(i) == index ? Qt::TabFocus : Qt::NoFocus);
    }
    if (focused) categories_[static_cast<std::size_t>(index)]->setFocus(Qt::OtherFocusReason);
}

bool SubjectChooser::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || watched != categories_[static_cast<std::size_t>(shown_)]) {
        return QWidget::eventFilter(watched, event);
    }
    const int last = static_cast<int>(categories_.size()) - 1;
    int index = -1;
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Up: index = std::max(shown_ - 1, 0); break;
    case Qt::Key_Down: index = std::min(shown_ + 1, last); break;
    case Qt::Key_Home: index = 0; break;
    case Qt::Key_End: index = last; break;
    default: return QWidget::eventFilter(watched, event);
    }
    if (index != shown_) ShowCategory(index);
    return true;
}

void SubjectChooser::HighlightCategory(int index, bool inside) {
    for (std::size_t i = 0; i < categories_.size(); ++i) {
        SetStyleProperty(categories_[i], "hover", inside && static_cast<int>(i) == index);
    }
}

void SubjectChooser::OnItemChanged(QTreeWidgetItem* item) {
    // At most one subject is ticked: ticking one unticks the others; unticking the last clears the choice.
    const QSignalBlocker blocker(subjects_);
    if (item->checkState(0) == Qt::Checked) {
        for (int i = 0; i < subjects_->topLevelItemCount(); ++i) {
            QTreeWidgetItem* other = subjects_->topLevelItem(i);
            if (other != item) other->setCheckState(0, Qt::Unchecked);
        }
        SetChosen(item->text(0));
        return;
    }
    for (int i = 0; i < subjects_->topLevelItemCount(); ++i) {
        if (subjects_->topLevelItem(i)->checkState(0) == Qt::Checked) return;
    }
    SetChosen({});
}

void SubjectChooser::SetChosen(const QString& subject) {
    if (subject == chosen_) return;
    chosen_ = subject;
    Q_EMIT chosenChanged(chosen_);
}

void SubjectChooser::UntickAll() {
    const QSignalBlocker blocker(subjects_);
    for (int i = 0; i < subjects_->topLevelItemCount(); ++i) subjects_->topLevelItem(i)->setCheckState(0, Qt::Unchecked);
    SetChosen({});
}

void SubjectChooser::Select(const QString& subject) {
    if (subject == chosen_) return;
    for (std::size_t c = 0; c < SubjectCategories.size(); ++c) {
        const SubjectCategory& category = SubjectCategories[c];
        for (std::size_t i = 0; i < category.size; ++i) {
            if (FromView(SubjectText(category.subjects[i])) != subject) continue;
            ShowCategory(static_cast<int>(c));
            subjects_->topLevelItem(static_cast<int>(i))->setCheckState(0, Qt::Checked);  // OnItemChanged
            return;
        }
    }
}

}  // namespace kalvora
