#pragma once
// The undertakings as the first page shows them: the category captions on the left (lblMainOptions0..11: a click
// shows the category, the pointer highlights it) and the undertakings of the shown category as a ticked list on
// the right (lstOptions). At most one undertaking is ticked, and it stays chosen while other categories are shown.
// From the keyboard the captions are one stop of Tab, the shown category's: Up and Down (Home, End) show the
// category above or below.

#include <array>

#include <QString>
#include <QWidget>

class QTreeWidget;
class QTreeWidgetItem;

namespace kalvora {

class ClickableLabel;

class SubjectChooser : public QWidget {
    Q_OBJECT
public:
    explicit SubjectChooser(QWidget* parent = nullptr);

    // The ticked undertaking's text; empty when none is ticked.
    const QString& Chosen() const { return chosen_; }

    // Lists the undertakings of category `index` (of SubjectCategories) and marks its caption as current.
    void ShowCategory(int index);
    // Shows the category of an undertaking and ticks it; an unknown text or the one already chosen changes nothing.
    void Select(const QString& subject);
    // Unticks every undertaking: nothing is chosen.
    void UntickAll();

Q_SIGNALS:
    // The ticked undertaking changed (empty when none is ticked).
    void chosenChanged(const QString& subject);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void HighlightCategory(int index, bool inside);
    void OnItemChanged(QTreeWidgetItem* item);
    void SetChosen(const QString& subject);

    QTreeWidget* subjects_ = nullptr;  // lstOptions
    std::array<ClickableLabel*, 12> categories_{};
    QString chosen_;
    int shown_ = 0;  // the category listed
};

}  // namespace kalvora
