#pragma once
// Lines that say what the program folder lacks, in dark red and word-wrapped,
// at most a few lines high: what does not fit scrolls, so that a long list
// never pushes the question or the buttons out of the window. Hidden while
// there is nothing to say.

#include <QScrollArea>
#include <QStringList>

class QLabel;

namespace quz::examui {

class NoticeArea : public QScrollArea {
    Q_OBJECT
public:
    NoticeArea(int maxLines, QWidget *parent = nullptr);

    void setLines(const QStringList &lines);
    QString text() const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void fitHeight();

    QLabel *m_label = nullptr;
    int m_maxLines;
};

} // namespace quz::examui
