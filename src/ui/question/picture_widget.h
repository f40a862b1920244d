#pragma once
// The picture control of the question panel (`Image1`).

#include "core/bank/picture_store.h"

#include <QImage>
#include <QRect>
#include <QWidget>

#include <optional>

namespace quz::question {

// Shows at most one picture, a JPEG or a plain bitmap (such as the blank
// placeholder), scaled by the fit rule (bank::fitRect) into the control and
// smoothly resampled. Nothing else is painted: the parts of the control the
// picture leaves free show the parent's background.
//
// A JPEG is decoded at the first paint after it was set, once; a decode error
// is reported by pictureError() once per picture, queued so that the receiver
// may open a modal box outside the paint.
//
// Not responsible for: choosing the picture, reading files, hints, or what a
// click or double-click means (it only signals them).
class TImage : public QWidget {
    Q_OBJECT
public:
    explicit TImage(QWidget *parent = nullptr);

    // Each replaces the picture held before and repaints.
    void setJpeg(bank::JpegPicture picture);
    void setImage(QImage image);
    void clear();

    bool isEmpty() const;
    // The JPEG held, or null when the picture is a plain bitmap or none.
    bank::JpegPicture *jpeg();
    // The pixel size of the picture held (0 x 0 when none).
    QSize pictureSize() const;
    // Where the current picture goes at the control's current size.
    QRect targetRect() const;
    // Where the last paint drew a picture; null when it drew none.
    QRect lastDrawnRect() const { return m_lastDrawn; }

signals:
    // A left click on the picture (also the first click of a double-click).
    void clicked();
    void doubleClicked();
    // The decode of the JPEG failed at the first paint ("JPEG error #<n>").
    void pictureError(const QString &message);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void replace();
    // The full-size bitmap to draw; decodes a JPEG on first use.
    const QImage &source();

    std::optional<bank::JpegPicture> m_jpeg;
    QImage m_image;
    // The colour of a bitmap whose pixels are all one colour.
    std::optional<QRgb> m_uniform;
    bool m_errorReported = false;
    QImage m_scaled; // source resampled to m_scaledFor
    QSize m_scaledFor;
    qint64 m_scaledKey = 0;
    QRect m_lastDrawn;
    bool m_pressed = false;
};

} // namespace quz::question
