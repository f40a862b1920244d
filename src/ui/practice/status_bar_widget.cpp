#include "ui/practice/status_bar_widget.h"

#include "ui/platform/look.h"

#include <QLabel>
#include <QSizeGrip>

#include <algorithm>

namespace quz::practice {

TStatusBar::TStatusBar(QWidget *parent)
    : QWidget(parent)
    , m_hint(new QLabel(this))
    , m_credit(new QLabel(this))
    , m_grip(new QSizeGrip(this))
{
    setFont(quz::platform::look::statusFont());
    quz::platform::look::setTextColor(this, quz::platform::look::blue());
    for (QLabel *panel : {m_hint, m_credit}) {
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setIndent(2);
    }
    m_credit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void TStatusBar::setHintText(const QString &text) { m_hint->setText(text); }
QString TStatusBar::hintText() const { return m_hint->text(); }
void TStatusBar::setCreditText(const QString &text)
{
    m_creditText = text;
    fitCredit();
}

QString TStatusBar::creditText() const { return m_creditText; }

// A credit wider than its panel (a narrow window) loses its end, not its
// start, which right-aligned text would otherwise lose.
void TStatusBar::fitCredit()
{
    const int room = m_credit->contentsRect().width() - m_credit->indent() - 2;
    m_credit->setText(
        m_credit->fontMetrics().elidedText(m_creditText, Qt::ElideRight, std::max(0, room)));
}

void TStatusBar::resizeEvent(QResizeEvent *)
{
    const int gripWidth = 16;
    m_hint->setGeometry(0, 2, kHintPanelWidth, height() - 2);
    m_credit->setGeometry(kHintPanelWidth + 2, 2,
                          std::max(0, width() - kHintPanelWidth - 2 - gripWidth), height() - 2);
    m_grip->setGeometry(width() - gripWidth, height() - gripWidth, gripWidth, gripWidth);
    m_hint->lower();
    fitCredit();
}

} // namespace quz::practice
