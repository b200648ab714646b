#include "ViewFactory.h"

#include "ChildFrame.h"
#include "ProgramDoc.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {

// Stands in for the channel grid until the channel view is plugged in here.
class CPlaceholderView : public QWidget {
public:
    explicit CPlaceholderView(CProgramDoc* doc) {
        auto* layout = new QVBoxLayout(this);
        auto* label = new QLabel(this);
        label->setAlignment(Qt::AlignCenter);
        label->setText(doc->title());
        layout->addWidget(label);
        connect(doc, &CProgramDoc::modifiedChanged, label,
                [label, doc] { label->setText(doc->title()); });
    }
    QSize sizeHint() const override { return {720, 420}; }
};

} // namespace

QWidget* CreateChannelView(CProgramDoc* doc, CChildFrame* frame) {
    auto* view = new CPlaceholderView(doc);
    view->setParent(frame);
    return view;
}
