#pragma once
// The about box: the program's name and version and what it does.

#include <QDialog>

namespace kalvora {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace kalvora
