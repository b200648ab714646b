#include "ViewFactory.h"

#include "CProgramView.h"
#include "ChildFrame.h"

QWidget* CreateChannelView(CProgramDoc* doc, CChildFrame* frame) {
    auto* view = new CProgramView(doc, frame);
    QObject::connect(view, &CProgramView::titleChanged, frame, &CChildFrame::setMainTitle);
    view->OnInitialUpdate();
    return view;
}
