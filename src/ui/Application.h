#pragma once
// The application object of the window: an exception escaping an event is shown, not fatal.

#include <QApplication>

namespace Shell {

/// QApplication whose event delivery catches what a handler let escape and reports it
/// through Shell::reportException; the event counts as not handled and the loop goes on.
class Application : public QApplication
{
    Q_OBJECT
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace Shell
