#pragma once
// Keeps a degree or minute box numeric: at most three characters, digits only, whether the text is typed, pasted,
// dropped or composed. A refused character never reaches the box; refused() lets the window say why.

#include <QObject>
#include <QValidator>

class QLineEdit;

namespace kalvora {

// Accepts a text of at most three characters, all of them digits 0 to 9.
class DigitsValidator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;

Q_SIGNALS:
    // A text holding something other than a digit was refused.
    void nonDigitRefused() const;
};

class CoordinateGuard : public QObject {
    Q_OBJECT
public:
    // Guards box for its whole life (the guard is a child of the box).
    static CoordinateGuard* Install(QLineEdit* box);

Q_SIGNALS:
    void refused(QLineEdit* box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit CoordinateGuard(QLineEdit* box);
    void ReportLater();

    QLineEdit* box_;
    bool reportPending_ = false;
};

}  // namespace kalvora
