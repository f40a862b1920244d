#pragma once
// The hint panel's source: one tracker for the whole application that finds
// the hint belonging to the pointer's place and hands it to a sink (the main
// window's status bar). It covers every window of the program, so the
// secondary windows, which have no status bar, need do nothing for their
// hints to be shown.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class QWidget;

namespace quz::platform {

// Where the hint goes.
class HintSink {
public:
    virtual void showHint(const QString &text) = 0;

protected:
    ~HintSink() = default;
};

// The hint of `control` or, when it has none, of its nearest parent that has
// one; empty when no control on that chain has a hint (or for no control).
QString hintAt(const QWidget *control);

// Watches the pointer across the application. Whenever the pointer has moved,
// entered or left a control, a menu item was highlighted, or a window was
// shown or hidden, the hint is worked out again once the program is idle:
// the hint of the highlighted item while a popup menu is open, otherwise
// hintAt() of the control under the pointer. The sink is only told about
// changes. Create one, owned by the sink's widget, for the program's life.
class HintTracker : public QObject {
public:
    explicit HintTracker(HintSink &sink, QObject *parent = nullptr);
    ~HintTracker() override;

    // The hint for the present state, as the idle update works it out.
    static QString currentHint();

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void update();

    HintSink &m_sink;
    QTimer m_idle;
    QString m_shown;
};

} // namespace quz::platform
