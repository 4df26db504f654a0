#include "ui/DialogStyle.h"

#include <QDialog>
#include <QGuiApplication>
#include <QScreen>

namespace Shell {

QStringList DialogStyle::tahomaFamilies()
{
    // DejaVu Sans Condensed and Liberation Sans Narrow come close to Tahoma's width, so the
    // texts fit the controls the layout gives them.
    return {QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans Condensed"),
            QStringLiteral("Liberation Sans Narrow"), QStringLiteral("Liberation Sans"),
            QStringLiteral("DejaVu Sans")};
}

QFont DialogStyle::tahomaPoints(qreal points)
{
    QFont font;
    font.setFamilies(tahomaFamilies());
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    return font;
}

QFont DialogStyle::tahomaPixels(int pixels)
{
    QFont font;
    font.setFamilies(tahomaFamilies());
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels);
    return font;
}

void DialogStyle::makeFixed(QDialog* dialog, QSize size)
{
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    dialog->setFixedSize(size);
    dialog->setSizeGripEnabled(false);
}

QPoint DialogStyle::centred(QSize frame, const QRect& area, const QRect& bounds)
{
    QPoint topLeft(area.x() + (area.width() - frame.width()) / 2,
                   area.y() + (area.height() - frame.height()) / 2);
    if (bounds.isValid()) {
        // A window larger than the screen keeps its title bar reachable.
        topLeft.setX(
            std::max(bounds.left(), std::min(topLeft.x(), bounds.right() + 1 - frame.width())));
        topLeft.setY(
            std::max(bounds.top(), std::min(topLeft.y(), bounds.bottom() + 1 - frame.height())));
    }
    return topLeft;
}

void DialogStyle::centreOn(QWidget* window, const QRect& area)
{
    QSize frame = window->frameGeometry().size();
    const QSize client = window->size();
    if (frame == client && window->parentWidget()) {
        // Not shown yet: take the parent's decorations as the estimate.
        const QWidget* parent = window->parentWidget()->window();
        frame += parent->frameGeometry().size() - parent->size();
    }
    QScreen* screen = QGuiApplication::screenAt(area.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect bounds = screen ? screen->availableGeometry() : QRect();
    const QPoint topLeft = centred(frame, area, bounds);
    // move() places the frame's top-left corner.
    window->move(topLeft);
}

} // namespace Shell
