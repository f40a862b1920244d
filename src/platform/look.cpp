#include "platform/look.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

namespace quz::look {

QColor btnFace() { return QApplication::palette().color(QPalette::Button); }
QColor light3D() { return btnFace().darker(106); }
QColor windowColor() { return QApplication::palette().color(QPalette::Base); }

static int pixels(int pointSize)
{
    return (pointSize * 96 + 36) / 72; // 8 pt -> 11 px, 10 pt -> 13 px, 12 pt -> 16 px
}

QFont windowFont(int pointSize, bool bold)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixels(pointSize));
    f.setBold(bold);
    // Set explicitly so that no spacing of a parent's font is inherited.
    f.setLetterSpacing(QFont::PercentageSpacing, 100);
    f.setWordSpacing(0);
    return f;
}

QFont questionFont()
{
    QFont f(QStringLiteral("Liberation Mono"));
    f.setStyleHint(QFont::Monospace);
    f.setPixelSize(pixels(10));
    f.setLetterSpacing(QFont::PercentageSpacing, 100);
    f.setWordSpacing(0);
    return f;
}

QFont statusFont() { return windowFont(8); }

void setTextColor(QWidget *w, const QColor &color)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, color);
    p.setColor(QPalette::ButtonText, color);
    p.setColor(QPalette::Text, color);
    w->setPalette(p);
}

void setBackground(QWidget *w, const QColor &color)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, color);
    p.setColor(QPalette::Base, color);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

} // namespace quz::look
