#pragma once
// The time-zone picker: the named zones in one list and every zone of the system's zone database, by id with its
// offset at the page's date and time, in another; a search field filters both as it is typed. A double-click (or
// Return) hands the zone to the page that opened the picker and closes it, "&Quit" closes it without a change.

#include <QDialog>

#include "zone/zone.h"

class QLineEdit;
class QListWidget;
class QModelIndex;
class QTreeWidget;

namespace kalvora {

class TimeZonePicker : public QDialog {
    Q_OBJECT
public:
    // at: the page's date and time, at which the zones of the database show their offsets (today when none).
    explicit TimeZonePicker(QWidget* parent = nullptr, std::optional<LocalDateTime> at = std::nullopt);

Q_SIGNALS:
    // A named zone was chosen: its east-positive hours and minutes.
    void zoneChosen(int eastHours, int eastMinutes);
    // A zone of the zone database was chosen: its id ("Asia/Kathmandu").
    void zoneIdChosen(const QString& zoneId);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Apply(const QModelIndex& index);
    void ApplyDatabaseZone(const QModelIndex& index);
    // Hides the rows of both lists that do not hold the typed text.
    void Filter(const QString& text);
    // Return in the search field: the first row still shown, of the named zones first.
    void ChooseFirstShown();

    QLineEdit* search_;
    QListWidget* list_;        // lstTimeZone
    QTreeWidget* database_;    // lstZoneDatabase
};

}  // namespace kalvora
