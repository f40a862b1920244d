#include "ui/question/picture_widget.h"

#include <QMetaObject>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace quz::question {

namespace {

// The one opaque colour of every pixel of `image`, or nothing when it has
// more than one (or is not opaque, or too large to be worth the look).
std::optional<QRgb> uniformColour(const QImage &image)
{
    constexpr qsizetype kMaxPixels = 1 << 20;
    if (image.isNull() || qsizetype(image.width()) * image.height() > kMaxPixels
        || image.hasAlphaChannel())
        return std::nullopt;
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    const QRgb first = pixels.pixel(0, 0);
    for (int y = 0; y < pixels.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(pixels.constScanLine(y));
        if (!std::all_of(line, line + pixels.width(), [first](QRgb p) { return p == first; }))
            return std::nullopt;
    }
    return first;
}

} // namespace

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
    m_uniform.reset();
    m_jpeg = std::move(picture);
    replace();
}

void TImage::setImage(QImage image)
{
    // The same bitmap again (the placeholder of one question after the
    // other's) keeps the picture as it is.
    if (!m_jpeg && !m_image.isNull() && image == m_image)
        return;
    m_jpeg.reset();
    m_image = std::move(image);
    m_uniform = uniformColour(m_image);
    replace();
}

void TImage::clear()
{
    m_jpeg.reset();
    m_image = QImage();
    m_uniform.reset();
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
    // A bitmap of one colour (the blank placeholder) resamples to that
    // colour at any size: it is filled, not scaled, which keeps the change to
    // the next question cheap while the picture's height follows the
    // variant panel.
    if (m_uniform) {
        QPainter(this).fillRect(target, QColor::fromRgb(*m_uniform));
        m_lastDrawn = target;
        return;
    }
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
