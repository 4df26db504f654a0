#pragma once
// What the two dialogs share: the Tahoma font or its nearest stand-in, the fixed border, centring.

#include <QFont>
#include <QRect>
#include <QSize>

class QDialog;
class QWidget;

namespace Shell {

/// Helpers for the fixed-size dialogs of the program.
class DialogStyle
{
public:
    /// Tahoma, or the nearest installed face of the same width (a condensed sans serif).
    static QStringList tahomaFamilies();
    static QFont tahomaPoints(qreal points);
    static QFont tahomaPixels(int pixels);

    /// A fixed dialog border with only the close box; the client area is size.
    static void makeFixed(QDialog* dialog, QSize size);

    /// The position that puts a window of frame size frame in the middle of area, kept
    /// inside bounds when bounds is valid.
    static QPoint centred(QSize frame, const QRect& area, const QRect& bounds = QRect());
    /// Moves window so that its frame is centred on area (the frame is estimated before
    /// the first show).
    static void centreOn(QWidget* window, const QRect& area);
};

} // namespace Shell
