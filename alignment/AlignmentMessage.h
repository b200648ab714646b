#pragma once
// The message boxes of the alignment functions: an OK button only, worded in the
// run's language; without a caption of their own they carry the application name.

#include <QMessageBox>
#include <QString>

void ShowAlignmentMessage(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                          const QString& caption = QString());
