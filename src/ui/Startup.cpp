#include "ui/Startup.h"

#include "app/TForm1.h"
#include "project/TfmInfo.h"
#include "project/TfmSetup.h"
#include "ui/Application.h"
#include "ui/Guard.h"
#include "ui/MainWindow.h"
#include "ui/StartupTexts.h"

#include <cstdio>
#include <exception>
#include <memory>
#include <vector>

#include <QFileInfo>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QTimer>
#include <QTranslator>

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

/// Qt's own options that take the next argument as their value, and those that take none
/// (QGuiApplication and QApplication; "-name=value" and "--name" are accepted too).
const QStringList QtValueOptions{
    QStringLiteral("platform"),        QStringLiteral("platformpluginpath"),
    QStringLiteral("platformtheme"),   QStringLiteral("plugin"),
    QStringLiteral("qwindowgeometry"), QStringLiteral("qwindowicon"),
    QStringLiteral("qwindowtitle"),    QStringLiteral("session"),
    QStringLiteral("style"),           QStringLiteral("stylesheet"),
    QStringLiteral("display"),         QStringLiteral("geometry")};
const QStringList QtFlagOptions{QStringLiteral("reverse"), QStringLiteral("widgetcount"),
                                QStringLiteral("nograb"),  QStringLiteral("dograb"),
                                QStringLiteral("sync"),    QStringLiteral("qmljsdebugger"),
                                QStringLiteral("dialogs"), QStringLiteral("fontengine")};

/// The name of a Qt option in arg ("-style", "--style=x" give "style"), empty for others.
QString qtOptionName(const QString& arg, bool* takesValue)
{
    if (!arg.startsWith(u'-'))
        return QString();
    QString name = arg.mid(arg.startsWith(QLatin1String("--")) ? 2 : 1);
    const qsizetype eq = name.indexOf(u'=');
    if (eq >= 0)
        name.truncate(eq);
    *takesValue = eq < 0 && QtValueOptions.contains(name);
    return QtValueOptions.contains(name) || QtFlagOptions.contains(name) ? name : QString();
}

/// The platform plugins Qt is asked for: -platform, else QT_QPA_PLATFORM, else Qt's own
/// choice on this system (Wayland in a Wayland session, then X11).
QString requestedPlatform(const QStringList& args)
{
    for (qsizetype i = 0; i + 1 < args.size(); ++i) {
        bool takesValue = false;
        if (qtOptionName(args.at(i), &takesValue) == QLatin1String("platform") && takesValue)
            return args.at(i + 1);
    }
    const QString env = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (!env.isEmpty())
        return env;
    if (qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland"))
        return QStringLiteral("wayland;xcb");
    return QStringLiteral("xcb");
}

/// The platform that takes over when none of the requested ones can open a display.
const QString FallbackPlatform = QStringLiteral("offscreen");

/// Swallows Qt's own messages while the platform plugin is being chosen.
void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

bool installQtTranslation(QCoreApplication& app)
{
    auto* translator = new QTranslator(&app);
    if (!translator->load(QLocale(QLocale::Polish, QLocale::Poland), QStringLiteral("qt"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

bool isCommandLineArgument(const QString& first)
{
    static const QStringList commands{QStringLiteral("check"),    QStringLiteral("generate"),
                                      QStringLiteral("simulate"), QStringLiteral("project"),
                                      QStringLiteral("help"),     QStringLiteral("-h"),
                                      QStringLiteral("--help")};
    if (commands.contains(first))
        return true;
    bool takesValue = false;
    if (first.size() > 1 && first.startsWith(u'-'))
        return qtOptionName(first, &takesValue).isEmpty();
    static const QRegularExpression word(QStringLiteral("^[A-Za-z][A-Za-z0-9_-]*$"));
    return word.match(first).hasMatch() && !QFileInfo::exists(first);
}

QStringList withoutQtOptions(const QStringList& args)
{
    QStringList own;
    for (qsizetype i = 0; i < args.size(); ++i) {
        bool takesValue = false;
        if (qtOptionName(args.at(i), &takesValue).isEmpty())
            own.append(args.at(i));
        else if (takesValue)
            ++i;
    }
    return own;
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
    // Qt ends the process when no platform plugin can start; offered last, the offscreen
    // one always starts, and then there is no display to show the window on.
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    const QString requested = requestedPlatform(args);
    const QByteArray previousPlatform = qgetenv("QT_QPA_PLATFORM");
    const bool hadPlatform = qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
    std::vector<QByteArray> storage;
    std::vector<char*> arguments(argv, argv + argc);
    const QByteArray platforms = (requested + u';' + FallbackPlatform).toLocal8Bit();
    const qsizetype platformArg = args.indexOf(QRegularExpression(QStringLiteral("^--?platform$")));
    if (platformArg >= 0 && platformArg + 1 < args.size()) {
        storage.push_back(platforms);
        arguments[platformArg + 2] = storage.back().data();
    } else {
        qputenv("QT_QPA_PLATFORM", platforms);
    }
    arguments.push_back(nullptr);
    int count = argc;
    const QtMessageHandler previousHandler = qInstallMessageHandler(quiet);
    Application app(count, arguments.data());
    qInstallMessageHandler(previousHandler);
    if (hadPlatform)
        qputenv("QT_QPA_PLATFORM", previousPlatform);
    else
        qunsetenv("QT_QPA_PLATFORM");
    if (QGuiApplication::platformName() == FallbackPlatform &&
        !requested.split(u';').contains(FallbackPlatform)) {
        std::fputs((StartupTexts::NoDisplay + u'\n').toUtf8().constData(), stderr);
        return 2;
    }
    installQtTranslation(app);

    const WindowLaunch launch = classifyWindowArguments(app.arguments().mid(1));
    if (launch.kind == WindowLaunch::Kind::TooMany) {
        std::fputs((StartupTexts::TooManyArguments + u'\n').toUtf8().constData(), stderr);
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
