#pragma once
// "Click here to find Latitude & Longitude": a search of the offline atlas for the place typed on a page. The
// matches are listed with their coordinates and time zone as the search field is typed in; a double-click, Return
// or "&Use Place" hands the place to the page (as choosing it from the City box's list does) and closes the window.

#include <vector>

#include <QDialog>

#include "atlas/atlas.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace kalvora {

class AtlasSource;

class PlaceSearchDialog : public QDialog {
    Q_OBJECT
public:
    // query: the place as the page holds it, "City, State, Country" with the empty parts left out.
    PlaceSearchDialog(AtlasSource* atlas, const QString& query, QWidget* parent = nullptr);

Q_SIGNALS:
    void placeChosen(const kalvora::Place& place);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Lists the matches of the search field's text: the places it names, else those of its city part alone,
    // else the places whose names are nearest in spelling.
    void ShowMatches();
    void Choose();

    AtlasSource* atlas_;
    QLineEdit* search_;
    QTreeWidget* matches_;
    QLabel* status_;
    QPushButton* use_;
    std::vector<std::size_t> shown_;  // the atlas index of each listed row
};

}  // namespace kalvora
