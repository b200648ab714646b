#include "app/CaptionFit.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLayout>
#include <QMessageBox>
#include <QSpacerItem>

namespace {

// The window icon and the minimise, maximise and close buttons, each about two lines
// high, plus the frame's own padding.
constexpr int kFrameItems = 4;
constexpr int kFramePadding = 24;
constexpr char kFittedProperty[] = "captionFitted";

} // namespace

CCaptionFit::CCaptionFit(QObject* parent) : QObject(parent) {}

int CCaptionFit::widthForCaption(const QString& caption) {
    const QFontMetrics metrics(QApplication::font());
    return metrics.horizontalAdvance(caption) + kFrameItems * 2 * metrics.height() + kFramePadding;
}

void CCaptionFit::fit(QDialog* dialog) {
    const int width = widthForCaption(dialog->windowTitle());
    QLayout* layout = dialog->layout();
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
        // A message box sizes itself from its layout each time it shows: a spacer as wide
        // as the caption needs widens it.
        if (auto* grid = qobject_cast<QGridLayout*>(box->layout()))
            grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                          grid->rowCount(), 0, 1, grid->columnCount());
    } else if (layout && layout->sizeConstraint() == QLayout::SetFixedSize) {
        if (layout->minimumSize().width() < width)
            layout->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed));
    } else if (dialog->minimumWidth() == dialog->maximumWidth()) {
        if (dialog->width() < width)
            dialog->setFixedWidth(width);
    } else if (dialog->minimumWidth() < width) {
        dialog->setMinimumWidth(width);
    }
}

bool CCaptionFit::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show) {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (dialog && dialog->isWindow() && !dialog->property(kFittedProperty).toBool()) {
            dialog->setProperty(kFittedProperty, true);
            fit(dialog);
        }
    }
    return QObject::eventFilter(watched, event);
}
