#include "Modal.h"

#include <QAbstractButton>

void AnswerNextMessage(SeenMessage* seen) {
    WhenModal<QMessageBox>([seen](QMessageBox* box) {
        seen->text = box->text();
        seen->caption = box->windowTitle();
        seen->icon = box->icon();
        seen->buttons = box->standardButtons();
        QAbstractButton* ok = box->button(QMessageBox::Ok);
        seen->okText = ok ? ok->text() : QString();
        ++seen->count;
        ok ? ok->click() : box->reject();
    });
}

MessageAnswerer::MessageAnswerer(QMessageBox::StandardButton button) : m_button(button) {
    connect(&m_timer, &QTimer::timeout, this, [this] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        texts << box->text();
        details << box->informativeText();
        if (QAbstractButton* b = box->button(m_button))
            b->click();
        else
            box->reject();
    });
    m_timer.start(20);
}
