#include "ui/exam/notice_area.h"

#include "ui/exam/exam_look.h"

#include <QLabel>
#include <QScrollBar>

namespace quz::examui {

NoticeArea::NoticeArea(int maxLines, QWidget *parent)
    : QScrollArea(parent)
    , m_maxLines(maxLines)
{
    m_label = new QLabel(this);
    m_label->setWordWrap(true);
    m_label->setTextFormat(Qt::PlainText);
    m_label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    platform::look::setTextColor(m_label, noticeColor());
    setWidget(m_label);
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    hide();
}

void NoticeArea::setLines(const QStringList &lines)
{
    m_label->setText(lines.join(u'\n'));
    setVisible(!lines.isEmpty());
    fitHeight();
}

QString NoticeArea::text() const { return m_label->text(); }

void NoticeArea::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    fitHeight();
}

// The text's height at the present width, up to m_maxLines lines.
void NoticeArea::fitHeight()
{
    const int width = viewport()->width() - verticalScrollBar()->sizeHint().width();
    const int wanted = m_label->heightForWidth(std::max(1, width));
    const int most = m_maxLines * m_label->fontMetrics().lineSpacing();
    const int height = std::clamp(wanted, m_label->fontMetrics().lineSpacing(), most);
    if (height != this->height())
        setFixedHeight(height);
}

} // namespace quz::examui
