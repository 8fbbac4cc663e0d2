#include "app/gui/pages/coordinate_box.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "app/gui/pages/input_checks.h"

namespace kalvora {

QValidator::State DigitsValidator::validate(QString& input, int& /*pos*/) const {
    for (const QChar c : input) {
        if (!IsCoordinateDigit(c.unicode())) {
            Q_EMIT nonDigitRefused();
            return Invalid;
        }
    }
    return input.size() <= CoordinateMaxLength ? Acceptable : Invalid;
}

CoordinateGuard* CoordinateGuard::Install(QLineEdit* box) { return new CoordinateGuard(box); }

CoordinateGuard::CoordinateGuard(QLineEdit* box) : QObject(box), box_(box) {
    box->setMaxLength(CoordinateMaxLength);
    auto* validator = new DigitsValidator(box);
    box->setValidator(validator);
    // Pasted, dropped or composed text reaches only the validator; tell the user once the edit is over.
    connect(validator, &DigitsValidator::nonDigitRefused, this, &CoordinateGuard::ReportLater);
    box->installEventFilter(this);
}

void CoordinateGuard::ReportLater() {
    if (reportPending_) return;
    reportPending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            reportPending_ = false;
            Q_EMIT refused(box_);
        },
        Qt::QueuedConnection);
}

bool CoordinateGuard::eventFilter(QObject* watched, QEvent* event) {
    if (watched == box_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // A typed printable character that is not a digit is discarded before the box sees it. Control
        // characters (backspace, delete) and shortcuts (Ctrl+V, Ctrl+Z, ...) pass; the validator guards what
        // a shortcut inserts.
        if (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return QObject::eventFilter(watched, event);
        for (const QChar c : key->text()) {
            if (c.isPrint() && !IsCoordinateDigit(c.unicode())) {
                Q_EMIT refused(box_);
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace kalvora
