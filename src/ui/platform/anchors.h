#pragma once
// Keeps a child control at its designed distances from the sides of its
// parent that it is anchored to, when the parent is resized: anchored to both
// left and right, it stretches; to right only, it moves; the same vertically.

#include <QObject>
#include <QRect>
#include <QSize>

class QWidget;

namespace quz::platform {

class Anchors : public QObject {
public:
    // Records the child's current geometry against the parent's current size.
    static void keep(QWidget *child, Qt::Edges edges);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Anchors(QWidget *child, Qt::Edges edges);
    void apply(QSize parentSize);

    QWidget *m_child;
    Qt::Edges m_edges;
    QRect m_design;
    QSize m_parentDesign;
};

} // namespace quz::platform
