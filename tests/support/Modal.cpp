#include "tests/support/Modal.h"

#include <QAbstractButton>

void AnswerNextMessage(SeenMessage* seen, QMessageBox::StandardButton button) {
    WhenModal<QMessageBox>([seen, button](QMessageBox* box) {
        seen->text = box->text();
        seen->detail = box->informativeText();
        seen->caption = box->windowTitle();
        seen->buttons = box->standardButtons();
        ++seen->count;
        QAbstractButton* answer = box->button(button);
        answer ? answer->click() : box->reject();
    });
}
