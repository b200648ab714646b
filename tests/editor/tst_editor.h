#pragma once
#include <QObject>

class FlexGridTest : public QObject {
    Q_OBJECT
private slots:
    void sizeAndTexts();
    void currentCellEventsInOrder();
    void mouseAndKeyboardMoveTheCurrentCell();
    void geometryInTwips();
    void alignmentColourAndHighlight();
    void scrollingRaisesScroll();
};
