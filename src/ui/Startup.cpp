#include "ui/Startup.h"

#include "app/TForm1.h"
#include "project/TfmInfo.h"
#include "project/TfmSetup.h"
#include "ui/Application.h"
#include "ui/Guard.h"
#include "ui/MainWindow.h"

#include <cstdio>
#include <exception>
#include <memory>

#include <QFileInfo>
#include <QTimer>

namespace Shell {

namespace {

/// Ends the loop once the main window has painted for the first time.
class QuitAfterPaint : public QObject
{
public:
    explicit QuitAfterPaint(QWidget* window)
        : QObject(window)
        , m_window(window)
    {
        qApp->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!m_done && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() == m_window) {
            m_done = true;
            qApp->removeEventFilter(this);
            // After this paint is finished and flushed.
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }

private:
    QWidget* m_window;
    bool m_done = false;
};

void reportEscaped(const std::exception_ptr& escaped)
{
    // The window may be gone: show it in a box of its own.
    setExceptionReporter({});
    try {
        std::rethrow_exception(escaped);
    } catch (const std::exception& e) {
        reportException(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        reportException(QString());
    }
}

} // namespace

bool isCommandLineArgument(const QString& first)
{
    static const QStringList commands{QStringLiteral("check"),   QStringLiteral("generate"),
                                      QStringLiteral("project"), QStringLiteral("help"),
                                      QStringLiteral("-h"),      QStringLiteral("--help")};
    return commands.contains(first);
}

WindowLaunch classifyWindowArguments(const QStringList& args)
{
    WindowLaunch launch;
    if (args.isEmpty())
        return launch;
    if (args.size() > 1) {
        launch.kind = WindowLaunch::Kind::TooMany;
        return launch;
    }
    launch.kind = WindowLaunch::Kind::Project;
    launch.project =
        args.first().isEmpty() ? QString() : QFileInfo(args.first()).absoluteFilePath();
    return launch;
}

int runWindow(int argc, char** argv)
{
    Application app(argc, argv);
    const WindowLaunch launch = classifyWindowArguments(app.arguments().mid(1));
    if (launch.kind == WindowLaunch::Kind::TooMany) {
        std::fputs("orvanta: za dużo argumentów: okno otwiera najwyżej jeden plik projektu\n",
                   stderr);
        return 2;
    }
    QApplication::setFont(MainWindow::windowFont());

    std::unique_ptr<App::TForm1> form;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<TfmSetup> setup;
    std::unique_ptr<TfmInfo> info;
    try {
        form = std::make_unique<App::TForm1>();
        window = std::make_unique<MainWindow>(*form);
        setup = std::make_unique<TfmSetup>(form->dialogs());
        info = std::make_unique<TfmInfo>();
        form->setSetup(setup.get());
        window->setSetup(setup.get());
        window->setInfo(info.get());
        if (qEnvironmentVariable("ORVANTA_QUIT_AFTER_PAINT") == QLatin1String("1"))
            new QuitAfterPaint(window.get());
        window->show(); // FormShow
        if (launch.kind == WindowLaunch::Kind::Project)
            guarded([&] { form->OpenProjectFile(launch.project); });
        app.exec();
    } catch (...) {
        reportEscaped(std::current_exception());
    }
    // FormDestroy: the window goes first, then the dialogs' models and the form.
    window.reset();
    info.reset();
    setup.reset();
    form.reset();
    return 0;
}

} // namespace Shell
