#pragma once
// An edit field with a spin control at its right edge. The spin has no range and no
// value of its own: a click, an arrow key or the wheel only proposes a change, which
// the dialog turns into a new text with its own stepping rules.

#include <QAbstractSpinBox>

class StepEdit : public QAbstractSpinBox {
    Q_OBJECT
public:
    enum class Input { AnyText, DigitsOnly };
    explicit StepEdit(Input input, QWidget* parent = nullptr);

    void setText(const QString& text);
    void stepBy(int steps) override;

signals:
    // Positive for up, negative for down.
    void stepRequested(int change);
    // The focus went to another control of the same window.
    void focusLost();

protected:
    StepEnabled stepEnabled() const override;
    QValidator::State validate(QString& input, int& pos) const override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    Input m_input;
};
