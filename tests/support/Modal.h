#pragma once
// Answers the message boxes and modal dialogs that the code under test opens with
// exec(): a short polling timer waits for the active modal widget.

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>

// Hands the next active modal widget of type T to `act`.
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

// What a message box showed before it was answered.
struct SeenMessage {
    QString text;
    QString detail; // the informative text
    QString caption;
    QMessageBox::StandardButtons buttons;
    int count = 0;
};

// Answers the next message box with `button` (or closes it when it has none), recording
// it in `seen`.
void AnswerNextMessage(SeenMessage* seen, QMessageBox::StandardButton button = QMessageBox::Ok);
