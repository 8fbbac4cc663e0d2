#pragma once
// The time-zone picker: the named zones in a list; a double-click hands the zone to the page that opened the
// picker and closes it, "&Quit" closes it without a change.

#include <QDialog>

class QListWidget;
class QModelIndex;

namespace kalvora {

class TimeZonePicker : public QDialog {
    Q_OBJECT
public:
    explicit TimeZonePicker(QWidget* parent = nullptr);

Q_SIGNALS:
    // A zone row was chosen: its west-positive hour and minute values.
    void zoneChosen(int hourValue, int minuteValue);

private:
    void Apply(const QModelIndex& index);

    QListWidget* list_;
};

}  // namespace kalvora
