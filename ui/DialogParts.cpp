#include "ui/DialogParts.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVariant>
#include <QWidget>

namespace {
constexpr char kControlIdProperty[] = "controlId";
}

void SetControlId(QWidget* control, int id) {
    control->setProperty(kControlIdProperty, id);
}

int ControlIdOf(const QWidget* widget) {
    for (; widget; widget = widget->parentWidget()) {
        const QVariant id = widget->property(kControlIdProperty);
        if (id.isValid())
            return id.toInt();
    }
    return 0;
}

int HelpKeyContext(const QObject* watched, const QEvent* event) {
    if (event->type() != QEvent::KeyPress ||
        static_cast<const QKeyEvent*>(event)->key() != Qt::Key_F1)
        return 0;
    // The key is first delivered to the focused widget of its window, else the window.
    if (!watched->isWidgetType())
        return 0;
    const QWidget* window = static_cast<const QWidget*>(watched)->window();
    const QWidget* focus = window->focusWidget();
    if (watched != (focus ? focus : window))
        return 0;
    return ControlIdOf(static_cast<const QWidget*>(watched));
}

QLabel* RightAlignedLabel(const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

OkCancelButtons MakeOkCancelButtons(QWidget* dialog) {
    OkCancelButtons buttons{new QPushButton(QStringLiteral("OK"), dialog),
                            new QPushButton(QStringLiteral("Cancel"), dialog), new QHBoxLayout};
    buttons.ok->setObjectName(QStringLiteral("ok"));
    buttons.ok->setDefault(true);
    SetControlId(buttons.ok, kIdOk);
    buttons.cancel->setObjectName(QStringLiteral("cancel"));
    SetControlId(buttons.cancel, kIdCancel);
    buttons.row->addStretch();
    buttons.row->addWidget(buttons.ok);
    buttons.row->addStretch();
    buttons.row->addWidget(buttons.cancel);
    buttons.row->addStretch();
    return buttons;
}
