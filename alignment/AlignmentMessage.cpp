#include "AlignmentMessage.h"

#include "AppConfig.h"

#include <QAbstractButton>

void ShowAlignmentMessage(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                          const QString& caption) {
    QMessageBox box(icon, caption.isEmpty() ? appConfig().applicationName : caption, text,
                    QMessageBox::Ok, parent);
    box.button(QMessageBox::Ok)->setText(Tr(appConfig().language(), "OK", "確定"));
    box.exec();
}
