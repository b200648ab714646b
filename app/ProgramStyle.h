#pragma once
// The platform's widget style with the program's own touches, whatever style the
// platform chooses: dialog buttons are plain text (no check-mark and cross icons), and
// a tree marked with the property `kBranchLinesProperty` draws its connecting lines,
// the lines at its root and boxed +/- buttons.

#include <QProxyStyle>

constexpr const char* kBranchLinesProperty = "branchLines";

class ProgramStyle : public QProxyStyle {
    Q_OBJECT
public:
    ProgramStyle();

    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;

    // Makes this style the application's, once.
    static void install();

private:
    static void drawBranch(const QStyleOption* option, QPainter* painter);
};
