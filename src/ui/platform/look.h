#pragma once
// The program's fonts and named colours on this desktop, and the few places
// where the desktop's style is adjusted to the window design.
//
// The window font is an 8 pt sans serif at 96 dpi (11 px; Liberation Sans,
// whose widths are close to the fonts the layout was designed with, or the
// desktop's sans serif where it is missing). Sizes are given in pixels so
// that the text metrics, and with them the variant lines, do not depend on
// the screen.

#include <QColor>
#include <QFont>

class QGroupBox;
class QWidget;

namespace quz::platform::look {

inline QColor moneyGreen() { return QColor(192, 220, 192); }
inline QColor cream() { return QColor(255, 251, 240); }
inline QColor olive() { return QColor(128, 128, 0); }
inline QColor teal() { return QColor(0, 128, 128); }
inline QColor purple() { return QColor(128, 0, 128); }
inline QColor green() { return QColor(0, 128, 0); }
inline QColor lime() { return QColor(0, 255, 0); }
inline QColor navy() { return QColor(0, 0, 128); }
inline QColor red() { return QColor(255, 0, 0); }
inline QColor blue() { return QColor(0, 0, 255); }
inline QColor white() { return QColor(255, 255, 255); }
// The system colours of button faces (window and panel backgrounds), of light
// 3-D edges (behind the question and the comment text) and of windows.
QColor btnFace();
QColor light3D();
QColor windowColor();

// pointSize 8, 10 or 12 as designed.
QFont windowFont(int pointSize = 8, bool bold = false);
QFont questionFont(); // the monospaced 10 pt font of the question text
QFont statusFont();   // the 8 pt font of the status bar

// Sets the text colour of an enabled control (active and inactive window).
// A disabled control keeps the desktop's disabled text colour, so that it
// looks disabled whatever colour its caption has.
void setTextColor(QWidget *w, const QColor &color);
void setBackground(QWidget *w, const QColor &color);

// Where a group box's caption starts, from the box's left edge.
inline constexpr int kGroupCaptionLeft = 8;

// Draws the group box with its caption on the frame's top line: the line
// runs at half the caption's height and is left open under the caption,
// which starts kGroupCaptionLeft px from the left. Controls placed at the
// designed distances below the caption then lie inside the frame. Only the
// box itself changes; its children keep the desktop's style.
void putCaptionOnFrame(QGroupBox *box);

} // namespace quz::platform::look
