#include "ui/question/picture_widget.h"

#include <QMetaObject>
#include <QMouseEvent>
#include <QPainter>

namespace quz::question {

TImage::TImage(QWidget *parent)
    : QWidget(parent)
{
    // The parent's background shows wherever the picture does not cover.
    setAutoFillBackground(false);
}

void TImage::replace()
{
    m_errorReported = false;
    m_scaled = QImage();
    m_scaledFor = QSize();
    m_scaledKey = 0;
    m_lastDrawn = QRect();
    update();
}

void TImage::setJpeg(bank::JpegPicture picture)
{
    m_image = QImage();
    m_jpeg = std::move(picture);
    replace();
}

void TImage::setImage(QImage image)
{
    m_jpeg.reset();
    m_image = std::move(image);
    replace();
}

void TImage::clear()
{
    m_jpeg.reset();
    m_image = QImage();
    replace();
}

bool TImage::isEmpty() const { return m_jpeg ? m_jpeg->isNull() : m_image.isNull(); }

bank::JpegPicture *TImage::jpeg() { return m_jpeg ? &*m_jpeg : nullptr; }

QSize TImage::pictureSize() const
{
    if (m_jpeg)
        return m_jpeg->size();
    return m_image.isNull() ? QSize(0, 0) : m_image.size();
}

QRect TImage::targetRect() const
{
    const QSize picture = pictureSize();
    return bank::fitRect(picture.width(), picture.height(), width(), height());
}

const QImage &TImage::source()
{
    if (!m_jpeg)
        return m_image;
    const QImage &decoded = m_jpeg->image();
    if (!m_errorReported) {
        m_errorReported = true;
        if (const quz::Status &result = m_jpeg->decodeResult(); !result) {
            const QString message = result.error();
            QMetaObject::invokeMethod(
                this, [this, message] { emit pictureError(message); }, Qt::QueuedConnection);
        }
    }
    return decoded;
}

void TImage::paintEvent(QPaintEvent *)
{
    m_lastDrawn = QRect();
    if (isEmpty())
        return;
    const QImage &full = source();
    const QRect target = targetRect();
    if (full.isNull() || target.isEmpty())
        return;
    if (m_scaled.isNull() || m_scaledFor != target.size() || m_scaledKey != full.cacheKey()) {
        m_scaled = full.size() == target.size() ? full
                                                : full.scaled(target.size(), Qt::IgnoreAspectRatio,
                                                              Qt::SmoothTransformation);
        m_scaledFor = target.size();
        m_scaledKey = full.cacheKey();
    }
    QPainter painter(this);
    painter.drawImage(target.topLeft(), m_scaled);
    m_lastDrawn = target;
}

void TImage::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    QWidget::mousePressEvent(event);
}

void TImage::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton
                       && rect().contains(event->position().toPoint());
    m_pressed = false;
    QWidget::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}

void TImage::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double-click is no click of its own.
    m_pressed = false;
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
    else
        QWidget::mouseDoubleClickEvent(event);
}

} // namespace quz::question
