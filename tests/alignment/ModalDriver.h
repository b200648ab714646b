#pragma once
// Answers modal dialogs that the code under test opens with exec(): a short polling
// timer waits for the first active modal widget of type T and hands it to `act`.

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>

template <typename T> void WhenModal(std::function<void(T*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* widget = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(widget);
        }
    });
    timer->start();
}

// What a message box showed before it was answered with OK.
struct SeenMessage {
    QString text;
    QString caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QString okText;
    int count = 0;
};

inline void AnswerNextMessage(SeenMessage* seen) {
    WhenModal<QMessageBox>([seen](QMessageBox* box) {
        seen->text = box->text();
        seen->caption = box->windowTitle();
        seen->icon = box->icon();
        seen->buttons = box->standardButtons();
        seen->okText = box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->text() : "";
        ++seen->count;
        box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->click() : box->reject();
    });
}
