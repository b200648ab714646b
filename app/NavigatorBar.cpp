#include "app/NavigatorBar.h"

#include "ui/Pictures.h"
#include "app/ProgramStyle.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QToolTip>
#include <QTreeWidget>
#include <qdrawutil.h>

namespace {

// Margins of the outlined frame inside the bar.
constexpr int kFrameLeft = 3;
constexpr int kFrameTop = 6;
constexpr int kFrameRight = 6;
constexpr int kFrameBottom = 6;
// The tree sits below the caption band, inside the frame.
constexpr int kTreeLeft = 5;
constexpr int kTreeTop = 8 + CNavigatorBar::kCaptionHeight + 1;
constexpr int kTreeRightGap = 8;
constexpr int kTreeBottomGap = 8;
constexpr int kCaptionTextIndent = 5;
constexpr int kTrackingLineWidth = 2;

QFont CaptionFont() {
    // The face names no installed font on purpose; the font mapper's substitute (with
    // CJK glyphs where needed) is what shows.
    QFont font(QStringLiteral("Time New Roman"));
    font.setPixelSize(14);
    font.setWeight(QFont::Normal);
    return font;
}

} // namespace

CNavigatorBar::CNavigatorBar(const QString& caption, QWidget* parent)
    : QWidget(parent), m_caption(caption), m_tree(new QTreeWidget(this)) {
    setWindowTitle(QStringLiteral("IE Control Bar"));
    setFont(CaptionFont());
    setMouseTracking(true);
    setFixedWidth(m_width);
    m_tree->setObjectName(QStringLiteral("navigationTree"));
    m_tree->setProperty("controlId", 1032);
    m_tree->setFont(CaptionFont());
    m_tree->setHeaderHidden(true);
    m_tree->setRootIsDecorated(true); // buttons and lines at the root
    m_tree->setProperty(kBranchLinesProperty, true);
    m_tree->setColumnCount(1);
}

QRect CNavigatorBar::frameRect() const {
    return rect().adjusted(kFrameLeft, kFrameTop, -kFrameRight, -kFrameBottom);
}

QRect CNavigatorBar::closeButtonRect() const {
    const QRect frame = frameRect();
    return QRect(QPoint(frame.right() - 20, frame.top() + 4), QSize(16, 15));
}

QRect CNavigatorBar::sizingStripRect() const {
    const QRect frame = frameRect();
    return QRect(frame.right() + 1, frame.top(), kSizingStripWidth, frame.height());
}

bool CNavigatorBar::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        if (closeButtonRect().contains(help->pos()))
            QToolTip::showText(help->globalPos(), QStringLiteral("Close"), this, closeButtonRect());
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void CNavigatorBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor gray = palette().color(QPalette::Disabled, QPalette::WindowText);
    const QRect frame = frameRect();
    painter.setPen(gray);
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
    painter.setPen(Qt::white);
    painter.drawLine(frame.left() + 1, frame.top() + 1, frame.left() + 1, frame.bottom() - 1);
    painter.drawLine(frame.left() + 1, frame.top() + 1, frame.right() - 1, frame.top() + 1);

    const QRect band(frame.left() + 1, frame.top() + 1, frame.width() - 2, kCaptionHeight);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(band.adjusted(kCaptionTextIndent, 0, -24, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     m_caption);
    painter.setPen(gray);
    painter.drawLine(band.left() + 1, band.bottom() + 1, band.right(), band.bottom() + 1);

    const QRect button = closeButtonRect();
    if (m_closePressed)
        qDrawShadeRect(&painter, button, palette(), true);
    else if (m_closeHot)
        qDrawShadeRect(&painter, button, palette(), false);
    CloseButtonIcon().paint(&painter, QRect(button.topLeft(), QSize(16, 16)));
}

void CNavigatorBar::resizeEvent(QResizeEvent*) {
    m_tree->setGeometry(kTreeLeft, kTreeTop, width() - kTreeRightGap - kTreeLeft,
                        height() - kTreeBottomGap - kTreeTop);
}

int CNavigatorBar::halfWindowWidth() const {
    return window()->width() / 2;
}

void CNavigatorBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    m_buttonHeld = true;
    const QPoint pos = event->position().toPoint();
    if (closeButtonRect().contains(pos))
        setCloseButtonState(m_closeHot, true);
    if (sizingStripRect().contains(pos)) {
        m_sizing = true;
        moveTrackingLine(pos.x());
    }
}

void CNavigatorBar::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (m_sizing)
        moveTrackingLine(pos.x());
    setCursor(sizingStripRect().contains(pos) || m_sizing ? Qt::SplitHCursor : Qt::ArrowCursor);
    const bool over = closeButtonRect().contains(pos);
    setCloseButtonState(over && !m_buttonHeld, over && m_buttonHeld);
}

void CNavigatorBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint pos = event->position().toPoint();
    const bool wasSizing = m_sizing;
    m_buttonHeld = false;
    m_sizing = false;
    setCloseButtonState(false, false);
    if (m_trackingLine)
        m_trackingLine->hide();
    if (closeButtonRect().contains(pos))
        emit closeRequested();
    if (wasSizing) {
        m_width = qBound(kMinWidth, pos.x(), qMax(kMinWidth, halfWindowWidth()));
        setFixedWidth(m_width);
        emit widthChanged(m_width);
    }
}

void CNavigatorBar::setBarWidth(int width) {
    m_width = qBound(kMinWidth, width, kMaxRestoredWidth);
    setFixedWidth(m_width);
}

void CNavigatorBar::mouseDoubleClickEvent(QMouseEvent*) {
    // The bar neither floats nor re-docks.
}

void CNavigatorBar::leaveEvent(QEvent*) {
    if (!m_buttonHeld)
        setCloseButtonState(false, false);
}

void CNavigatorBar::moveTrackingLine(int x) {
    if (!m_trackingLine)
        m_trackingLine = new QRubberBand(QRubberBand::Line, parentWidget());
    const int trackedX = qMax(kMinTrackingX, qMin(x, halfWindowWidth()));
    const QPoint top = mapTo(parentWidget(), QPoint(trackedX, 0));
    m_trackingLine->setGeometry(top.x(), top.y(), kTrackingLineWidth, height());
    m_trackingLine->show();
    m_trackingLine->raise();
}

void CNavigatorBar::setCloseButtonState(bool hot, bool pressed) {
    if (hot == m_closeHot && pressed == m_closePressed)
        return;
    m_closeHot = hot;
    m_closePressed = pressed;
    update(closeButtonRect().adjusted(-1, -1, 1, 1));
}
