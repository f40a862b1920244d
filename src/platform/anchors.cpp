#include "platform/anchors.h"

#include <QEvent>
#include <QResizeEvent>
#include <QShowEvent>
#include <QVariant>
#include <QWidget>

namespace quz::platform {

Anchors::Anchors(QWidget *child, Qt::Edges edges)
    : QObject(child)
    , m_child(child)
    , m_edges(edges)
    , m_design(child->geometry())
    , m_parentDesign(child->parentWidget()->size())
{}

void Anchors::keep(QWidget *child, Qt::Edges edges)
{
    auto *anchors = new Anchors(child, edges);
    child->parentWidget()->installEventFilter(anchors);
}

bool Anchors::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && watched == m_child->parentWidget())
        apply(static_cast<QResizeEvent *>(event)->size());
    return false;
}

void Anchors::apply(QSize parentSize)
{
    const int dw = parentSize.width() - m_parentDesign.width();
    const int dh = parentSize.height() - m_parentDesign.height();
    QRect r = m_design;
    if (m_edges & Qt::RightEdge) {
        if (m_edges & Qt::LeftEdge)
            r.setWidth(std::max(0, m_design.width() + dw));
        else
            r.moveLeft(m_design.left() + dw);
    }
    if (m_edges & Qt::BottomEdge) {
        if (m_edges & Qt::TopEdge)
            r.setHeight(std::max(0, m_design.height() + dh));
        else
            r.moveTop(m_design.top() + dh);
    }
    m_child->setGeometry(r);
}

QRect outerGeometry(const QWidget *window) { return window->frameGeometry(); }

namespace {

// Once the window manager has given the window its frame, the client size is
// corrected so that the outer size is the one asked for.
class OuterSizeFix : public QObject {
public:
    OuterSizeFix(QWidget *window, QSize outer)
        : QObject(window)
        , m_outer(outer)
    {}
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *w = static_cast<QWidget *>(watched);
        if (event->type() == QEvent::Show || event->type() == QEvent::Move) {
            const QSize frame = w->frameGeometry().size() - w->geometry().size();
            if (!frame.isEmpty()) {
                w->resize(m_outer - frame);
                deleteLater();
                w->removeEventFilter(this);
            }
        }
        return false;
    }

private:
    QSize m_outer;
};

} // namespace

void setOuterGeometry(QWidget *window, int left, int top, int width, int height)
{
    window->move(left, top);
    const QSize frame = window->frameGeometry().size() - window->geometry().size();
    window->resize(std::max(1, width - frame.width()), std::max(1, height - frame.height()));
    if (!window->isVisible() && frame.isEmpty())
        window->installEventFilter(new OuterSizeFix(window, QSize(width, height)));
}

int tag(const QObject *control) { return control->property("tag").toInt(); }

void setTag(QObject *control, int value) { control->setProperty("tag", value); }

} // namespace quz::platform
