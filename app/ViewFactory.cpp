#include "app/ViewFactory.h"

#include "editor/CProgramView.h"
#include "app/ChildFrame.h"
#include "config/StartupConfig.h"

DocumentView* CreateChannelView(CProgramDoc* doc, const ViewSurroundings& surroundings,
                                CChildFrame* frame) {
    auto* view = new CProgramView(doc, ChannelViewRun::Of(startupConfig()), &surroundings.session,
                                  &surroundings.prompts, frame);
    view->setHelpHandler(surroundings.showHelp);
    QObject::connect(view, &CProgramView::titleChanged, frame, &CChildFrame::setMainTitle);
    view->OnInitialUpdate();
    return view;
}
