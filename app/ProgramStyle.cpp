#include "app/ProgramStyle.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOption>
#include <QWidget>

namespace {

constexpr int kButtonBoxSize = 9; // the +/- box of a branch, in pixels

} // namespace

ProgramStyle::ProgramStyle() : QProxyStyle() {}

void ProgramStyle::install() {
    if (!qobject_cast<ProgramStyle*>(QApplication::style()))
        QApplication::setStyle(new ProgramStyle);
}

int ProgramStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                            QStyleHintReturn* returnData) const {
    if (hint == SH_DialogButtonBox_ButtonsHaveIcons)
        return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void ProgramStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const {
    if (element == PE_IndicatorBranch && widget && widget->property(kBranchLinesProperty).toBool()) {
        drawBranch(option, painter);
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

// Dotted lines from the parent down past its children and across to each item, and
// a boxed + or - where an item has children.
void ProgramStyle::drawBranch(const QStyleOption* option, QPainter* painter) {
    const QRect& rect = option->rect;
    const int midX = rect.x() + rect.width() / 2;
    const int midY = rect.y() + rect.height() / 2;
    int boxLeft = midX, boxTop = midY, boxRight = midX, boxBottom = midY;
    painter->save();
    if (option->state & State_Children) {
        const int half = kButtonBoxSize / 2;
        boxLeft -= half;
        boxTop -= half;
        boxRight += half;
        boxBottom += half;
        painter->setPen(option->palette.text().color());
        painter->drawLine(boxLeft + 2, midY, boxRight - 2, midY);
        if (!(option->state & State_Open))
            painter->drawLine(midX, boxTop + 2, midX, boxBottom - 2);
        painter->setPen(option->palette.dark().color());
        painter->drawRect(boxLeft, boxTop, kButtonBoxSize - 1, kButtonBoxSize - 1);
    }
    const QBrush dots(option->palette.dark().color(), Qt::Dense4Pattern);
    if (option->state & State_Item) {
        if (option->direction == Qt::RightToLeft)
            painter->fillRect(rect.left(), midY, boxLeft - rect.left(), 1, dots);
        else
            painter->fillRect(boxRight + 1, midY, rect.right() - boxRight, 1, dots);
    }
    if (option->state & State_Sibling)
        painter->fillRect(midX, boxBottom + 1, 1, rect.bottom() - boxBottom, dots);
    if (option->state & (State_Open | State_Children | State_Item | State_Sibling))
        painter->fillRect(midX, rect.y(), 1, boxTop - rect.y(), dots);
    painter->restore();
}
