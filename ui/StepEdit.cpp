#include "ui/StepEdit.h"

#include <QFocusEvent>
#include <QLineEdit>

StepEdit::StepEdit(Input input, QWidget* parent) : QAbstractSpinBox(parent), m_input(input) {
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
}

void StepEdit::setText(const QString& text) {
    lineEdit()->setText(text);
}

void StepEdit::stepBy(int steps) {
    if (steps != 0)
        emit stepRequested(steps);
}

QAbstractSpinBox::StepEnabled StepEdit::stepEnabled() const {
    return isReadOnly() ? StepNone : (StepUpEnabled | StepDownEnabled);
}

QValidator::State StepEdit::validate(QString& input, int&) const {
    if (m_input == Input::AnyText)
        return QValidator::Acceptable;
    for (QChar c : input) {
        if (c < u'0' || c > u'9')
            return QValidator::Invalid;
    }
    return QValidator::Acceptable;
}

void StepEdit::focusOutEvent(QFocusEvent* event) {
    QAbstractSpinBox::focusOutEvent(event);
    // Switching to another window or opening a menu is not leaving the field.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        emit focusLost();
}
