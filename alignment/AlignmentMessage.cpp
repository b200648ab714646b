#include "alignment/AlignmentMessage.h"

#include "config/StartupConfig.h"

void ShowAlignmentMessage(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                          const QString& caption) {
    QMessageBox box(icon, caption.isEmpty() ? startupConfig().applicationName : caption, text,
                    QMessageBox::Ok, parent);
    box.exec();
}
