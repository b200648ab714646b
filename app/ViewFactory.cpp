#include "app/ViewFactory.h"

#include "config/StartupConfig.h"
#include "editor/CProgramView.h"

DocumentView* CreateChannelView(CProgramDoc* doc, const ViewSurroundings& surroundings,
                                QWidget* frame, std::function<void(const QString&)> showMainTitle) {
    auto* view = new CProgramView(doc, ChannelViewRun::Of(startupConfig()), &surroundings.session,
                                  &surroundings.prompts, frame);
    view->setHelpHandler(surroundings.showHelp);
    QObject::connect(view, &CProgramView::titleChanged, frame, std::move(showMainTitle));
    view->OnInitialUpdate();
    return view;
}
