#include "AlignmentMessage.h"

#include "AppConfig.h"


void ShowAlignmentMessage(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                          const QString& caption) {
    QMessageBox box(icon, caption.isEmpty() ? appConfig().applicationName : caption, text,
                    QMessageBox::Ok, parent);
    box.exec();
}
