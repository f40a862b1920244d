#pragma once
// The main window's status bar: the hint panel (400 px) and the credit panel,
// which reaches to the right end and right-aligns its text, with a size grip.
// The hint panel shows the hints of all three windows (see HintTracker).

#include "ui/platform/hint_tracker.h"

#include <QWidget>

class QLabel;

namespace quz::practice {

class TStatusBar : public QWidget, public quz::platform::HintSink {
    Q_OBJECT
public:
    explicit TStatusBar(QWidget *parent = nullptr);
    // The hint panel shows what the application's hint tracker finds.
    void showHint(const QString &text) override { setHintText(text); }
    void setHintText(const QString &text);
    QString hintText() const;
    void setCreditText(const QString &text);
    QString creditText() const;
    static constexpr int kHintPanelWidth = 400;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void fitCredit();

    QString m_creditText;
    QLabel *m_hint;
    QLabel *m_credit;
    QWidget *m_grip;
};

} // namespace quz::practice
