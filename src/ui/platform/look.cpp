#include "ui/platform/look.h"

#include <QApplication>
#include <QGroupBox>
#include <QPainter>
#include <QPalette>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionGroupBox>
#include <QWidget>
#include <qdrawutil.h>

namespace quz::platform::look {

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
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::WindowText, color);
        p.setColor(group, QPalette::ButtonText, color);
        p.setColor(group, QPalette::Text, color);
    }
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

namespace {

// The desktop's style with one change: a group box's caption sits on the
// frame's top line instead of above the frame. Checkable group boxes are
// left to the desktop's style.
class CaptionOnFrameStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl part,
                         const QWidget *widget) const override
    {
        const auto *box = qstyleoption_cast<const QStyleOptionGroupBox *>(option);
        if (control != CC_GroupBox || !box || (box->subControls & SC_GroupBoxCheckBox))
            return QProxyStyle::subControlRect(control, option, part, widget);
        const QRect all = box->rect;
        const int textHeight = box->text.isEmpty() ? 0 : box->fontMetrics.height();
        switch (part) {
        case SC_GroupBoxLabel:
            if (box->text.isEmpty())
                return {};
            return {all.left() + kGroupCaptionLeft, all.top(),
                    box->fontMetrics.horizontalAdvance(box->text), textHeight};
        case SC_GroupBoxFrame: return all.adjusted(0, std::max(0, textHeight / 2 - 1), 0, 0);
        case SC_GroupBoxContents: return all.adjusted(2, std::max(2, textHeight), -2, -2);
        default: return {};
        }
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                            QPainter *painter, const QWidget *widget) const override
    {
        const auto *box = qstyleoption_cast<const QStyleOptionGroupBox *>(option);
        if (control != CC_GroupBox || !box || (box->subControls & SC_GroupBoxCheckBox)) {
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            return;
        }
        const QRect label = subControlRect(control, option, SC_GroupBoxLabel, widget);
        if (box->subControls & SC_GroupBoxFrame) {
            // An etched frame (a dark and a light line), open under the caption.
            painter->save();
            QRegion visible(box->rect);
            visible -= label;
            painter->setClipRegion(visible);
            const QRect frame = subControlRect(control, option, SC_GroupBoxFrame, widget);
            qDrawShadeRect(painter, frame, box->palette, true, 1, 0);
            painter->restore();
        }
        if ((box->subControls & SC_GroupBoxLabel) && !box->text.isEmpty())
            drawItemText(painter, label, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextHideMnemonic,
                         box->palette, box->state & State_Enabled, box->text, QPalette::WindowText);
    }
};

QStyle *captionOnFrameStyle()
{
    // One instance for the application's life, over the style it runs with.
    static QPointer<CaptionOnFrameStyle> style;
    if (!style) {
        style = new CaptionOnFrameStyle(QStyleFactory::create(QApplication::style()->name()));
        style->setParent(QCoreApplication::instance());
    }
    return style;
}

} // namespace

void putCaptionOnFrame(QGroupBox *box) { box->setStyle(captionOnFrameStyle()); }

} // namespace quz::platform::look
