#pragma once
// Dialog units: the layout measure of the alignment dialogs. One horizontal unit is a
// quarter of the dialog font's average character width, one vertical unit an eighth of
// its height, so the dialogs keep their proportions with any font.

#include <QRect>
#include <QSize>

class QWidget;

class DialogUnits {
public:
    explicit DialogUnits(const QWidget* dialog);

    int x(int units) const { return units * m_baseX / 4; }
    int y(int units) const { return units * m_baseY / 8; }
    QSize size(int width, int height) const { return {x(width), y(height)}; }
    QRect rect(int left, int top, int width, int height) const {
        return {x(left), y(top), x(width), y(height)};
    }

private:
    int m_baseX;
    int m_baseY;
};
