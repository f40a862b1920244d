#include "ui/platform/anchors.h"

#include <QEvent>
#include <QResizeEvent>
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

} // namespace quz::platform
