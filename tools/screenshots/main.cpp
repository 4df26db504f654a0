// Builds the main window as start-up does, walks the wizard on examples/demo.afl and writes
// a PNG of every step (the safety switches on and off), of the generated script, the remarks,
// both dialogs and the simulation of the demo project over the demo quotes.
//
// orvanta_screenshots [OUTPUT_FOLDER] (default: screenshots)

#include "app/ScriptedDialogs.h"
#include "app/SimulationForm.h"
#include "app/TForm1.h"
#include "project/TfmInfo.h"
#include "project/TfmSetup.h"
#include "ui/Application.h"
#include "ui/MainWindow.h"
#include "ui/QtDialogs.h"
#include "ui/SimulationDialog.h"
#include "ui/Startup.h"

#include <cstdio>
#include <memory>

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QMenu>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {

/// Lets the window lay out and paint.
void settle(int ms = 150)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

class Shooter
{
public:
    explicit Shooter(const QString& folder)
        : m_folder(folder)
    {}

    bool shoot(QWidget* widget, const QString& name)
    {
        settle();
        return save(widget->grab(), name);
    }
    bool save(const QPixmap& picture, const QString& name)
    {
        const QString path = m_folder + u'/' + name + QStringLiteral(".png");
        const bool ok = !picture.isNull() && picture.save(path, "PNG");
        std::fprintf(ok ? stdout : stderr, "%s %s\n", ok ? "zapisano" : "nie zapisano",
                     qPrintable(QDir::toNativeSeparators(path)));
        std::fflush(ok ? stdout : stderr);
        m_failed = m_failed || !ok;
        return ok;
    }
    bool failed() const { return m_failed; }

private:
    QString m_folder;
    bool m_failed = false;
};

bool require(bool condition, const char* what)
{
    if (!condition)
        std::fprintf(stderr, "orvanta_screenshots: %s\n", what);
    return condition;
}

} // namespace

int main(int argc, char** argv)
{
    // A settings file, menu entry and Wine prefix of the run's own; the header date fixed.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path() + QStringLiteral("/config")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.path() + QStringLiteral("/data")));
    qputenv("WINEPREFIX", QFile::encodeName(home.path() + QStringLiteral("/wine")));
    qputenv("SOURCE_DATE_EPOCH", "1700000000");

    Shell::Application app(argc, argv);
    const QStringList args = app.arguments();
    const QString folder =
        QDir(args.size() > 1 ? args.at(1) : QStringLiteral("screenshots")).absolutePath();
    if (!require(QDir().mkpath(folder), "nie można utworzyć katalogu na zrzuty"))
        return 1;
    Shell::installQtTranslation(app);
    QApplication::setFont(Shell::MainWindow::windowFont());

    // The windows in start-up's order, with scripted answers instead of real file dialogs.
    App::ScriptedDialogs dialogs;
    App::TForm1 form;
    Shell::MainWindow window(form);
    // The window installs Qt's dialogs on the form; the scripted ones replace them.
    form.setDialogs(&dialogs);
    TfmSetup setup(dialogs);
    TfmInfo info;
    form.setSetup(&setup);
    window.setSetup(&setup);
    window.setInfo(&info);
    window.show();
    Shooter shots(folder);

    // Step 1: the script chosen and loaded.
    shots.shoot(&window, QStringLiteral("01-start"));
    dialogs.queueFile(QStringLiteral(ORVANTA_SOURCE_DIR "/examples/demo.afl"));
    form.Button11.click();
    form.Button7.click();
    if (!require(form.ScriptAccepted, "skrypt demo.afl nie został przyjęty"))
        return 1;
    shots.shoot(&window, QStringLiteral("02-wczytany-skrypt"));
    window.activateWindow();
    form.btDalej.click();
    // The focus waits on the first question of the step.
    shots.shoot(&window, QStringLiteral("02a-fokus-na-pierwszym-pytaniu"));
    const QWidget* focused = QApplication::focusWidget();
    if (!require(focused && focused->parentWidget() &&
                     focused->parentWidget()->objectName() == QLatin1String("rgTicker"),
                 "fokus nie trafił do pierwszego pytania"))
        return 1;

    // Step 2: a named security and account, previous candle, arrows and refresh.
    form.rgTicker.click(1);
    form.edName.setText(QStringLiteral("KGHM"));
    form.rgAccount.click(1);
    form.edAccount.setText(QStringLiteral("00-123"));
    form.rgSignals.click(1);
    form.cbShow.click();
    form.cbRefresh.click();
    form.csRefresh.setText(QStringLiteral("5"));
    shots.shoot(&window, QStringLiteral("03-ustawienia-ogolne"));
    form.btDalej.click();

    // Step 3: safeguards.
    form.cbReverse.click();
    form.cbOneSignal.click();
    form.rgInterval.click(1);
    form.cbIntSecs.setItemIndex(1);
    shots.shoot(&window, QStringLiteral("04-zabezpieczenia"));
    form.btDalej.click();

    // Step 4: position size.
    form.rgHowPosition.click(0);
    form.rgPositions.click(1);
    form.csValue.setText(QStringLiteral("5000"));
    shots.shoot(&window, QStringLiteral("05-wielkosc-pozycji"));
    form.btDalej.click();

    // Step 5: a percentage limit; first with the deviation still missing (red edit).
    form.rgOrders.click(2);
    shots.shoot(&window, QStringLiteral("06-cena-zlecenia-brak-odchylenia"));
    form.edCentDev.setText(form.locale().toString(1.5));
    form.rgDeviation.click(1);
    form.cbLimAkt.mouseDown();
    form.cbLimAkt.click();
    shots.shoot(&window, QStringLiteral("07-cena-zlecenia"));
    // A PEG order rebuilds the order list without a selection: Next and the summary wait.
    form.cbPEG.click();
    shots.shoot(&window, QStringLiteral("07a-peg-bez-rodzaju-zlecenia"));
    form.cbPEG.click();
    form.rgOrders.click(2);
    form.rgDeviation.click(2);
    shots.shoot(&window, QStringLiteral("07b-fokus-na-innym-kursie"));
    form.rgDeviation.click(1);
    form.btDalej.click();

    // Step 6: the summary, then the generated script and the remarks.
    if (!require(form.pcTab.currentIndex() == App::TForm1::PageEnd,
                 "kreator nie doszedł do podsumowania"))
        return 1;
    shots.shoot(&window, QStringLiteral("08-podsumowanie"));

    // The safety switches, all four on, and the summary that lists them; then off again.
    const auto setSwitches = [&form](bool on) {
        for (Controls::CheckBox* box :
             {&form.cbTestMode, &form.cbSwitch, &form.cbOrderLog, &form.cbDailyCap})
            box->setChecked(on);
    };
    form.pcTab.clickTab(App::TForm1::PageSafeguards);
    setSwitches(true);
    form.csDailyCap.setText(QStringLiteral("5"));
    shots.shoot(&window, QStringLiteral("08a-kontrola-zlecen"));
    form.pcTab.clickTab(App::TForm1::PageEnd);
    shots.shoot(&window, QStringLiteral("08b-podsumowanie-kontrola-zlecen"));
    form.btGeneruj.click();
    form.pcEdits.setCurrentIndex(1);
    shots.shoot(&window, QStringLiteral("08c-skrypt-testowy"));
    form.pcTab.clickTab(App::TForm1::PageSafeguards);
    setSwitches(false);
    form.csDailyCap.setText(QStringLiteral("10"));
    form.pcTab.clickTab(App::TForm1::PageEnd);
    form.pcEdits.setCurrentIndex(0);
    if (!require(form.tvSummary.size() == 9, "przełączniki nie zostały wyłączone"))
        return 1;
    form.btGeneruj.click();
    if (!require(!form.rGenAFL.isEmpty(), "skrypt nie został wygenerowany"))
        return 1;
    shots.shoot(&window, QStringLiteral("09-uwagi"));
    form.pcEdits.setCurrentIndex(1);
    shots.shoot(&window, QStringLiteral("10-wygenerowany-afl"));

    // The two dialogs as the menu opens them, alone and over the window on the screen.
    const auto shootModal = [&shots](Controls::Button& item, const QString& name) {
        bool shown = false;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog)
                return;
            shown = true;
            shots.shoot(dialog, name);
            if (QScreen* screen = dialog->screen())
                shots.save(screen->grabWindow(0), name + QStringLiteral("-ekran"));
            dialog->close();
        });
        item.click();
        return shown;
    };
    if (!require(shootModal(form.Ustawienia1, QStringLiteral("11-ustawienia")),
                 "okno ustawień się nie pokazało") ||
        !require(shootModal(form.Oprogramie1, QStringLiteral("12-o-programie")),
                 "okno O programie się nie pokazało"))
        return 1;

    // A Qt file dialog as the window shows it, in Polish.
    Shell::QtDialogs qtDialogs(&window);
    App::FileDialog saveAfl = form.svSaveAFL;
    saveAfl.initialDir = QStringLiteral(ORVANTA_SOURCE_DIR "/examples");
    QTimer::singleShot(300, [&] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            shots.shoot(dialog, QStringLiteral("13-okno-pliku"));
            dialog->close();
        }
    });
    qtDialogs.run(saveAfl);

    // A failed load and a refused script leave step 1 undone: no Next, no later tabs.
    form.Nowy1Click();
    QTemporaryDir scripts;
    const QString empty = scripts.filePath(QStringLiteral("pusty.afl"));
    QFile(empty).open(QIODevice::WriteOnly);
    dialogs.queueFile(empty);
    form.Button11.click();
    form.Button7.click();
    shots.shoot(&window, QStringLiteral("14-nieudane-wczytanie"));
    // A project saved and opened again, then a refused script: no project left to save.
    const QString project = scripts.filePath(QStringLiteral("projekt.afp"));
    dialogs.queueFile(QStringLiteral(ORVANTA_SOURCE_DIR "/examples/demo.afl"));
    form.Button11.click();
    form.Button7.click();
    dialogs.queueFile(project);
    form.Zapiszjako1.click();
    form.OpenProjectFile(project);
    const QString refused = scripts.filePath(QStringLiteral("plugin.afl"));
    QFile plugin(refused);
    if (plugin.open(QIODevice::WriteOnly))
        plugin.write("Buy = 1;\r\nSell = 0;\r\nvoxInit();\r\n");
    plugin.close();
    dialogs.queueFile(refused);
    form.Button11.click();
    form.Button7.click();
    shots.shoot(&window, QStringLiteral("15-odrzucony-skrypt"));
    if (auto* file = window.findChild<QMenu*>(QStringLiteral("Plik1"))) {
        file->popup(window.mapToGlobal(QPoint(0, 20)));
        shots.shoot(file, QStringLiteral("16-menu-po-odrzuceniu"));
        file->close();
    }
    std::printf("tytuł: %s\n", qPrintable(form.caption()));

    // A script with syntax errors is accepted; the remarks list the errors.
    const QString broken = scripts.filePath(QStringLiteral("bledy.afl"));
    QFile brokenFile(broken);
    if (brokenFile.open(QIODevice::WriteOnly))
        brokenFile.write("// Przecięcie średnich\r\nszybka = MA(C, 10)\r\nwolna = MA(C, 30);\r\n"
                         "Buy = Cross(szybka, wolna;\r\nSell = Cross(wolna, szybka);\r\n");
    brokenFile.close();
    dialogs.queueFile(broken);
    form.Button11.click();
    form.Button7.click();
    if (!require(form.ScriptAccepted && form.pcEdits.currentIndex() == 2,
                 "skrypt z błędami składni nie pokazał uwag"))
        return 1;
    shots.shoot(&window, QStringLiteral("17-bledy-skladni"));

    // The demo project generated and simulated over the demo quotes from "Opcje" → "Symulacja…".
    form.OpenProjectFile(QStringLiteral(ORVANTA_SOURCE_DIR "/examples/demo.afp"));
    form.btDalej.click();
    form.btGeneruj.click();
    if (!require(form.Symulacja1.isEnabled(), "polecenie Symulacja… jest niedostępne"))
        return 1;
    form.Symulacja1.click();
    Shell::SimulationDialog* simulation = window.simulationDialog();
    if (!require(simulation && simulation->isVisible(), "okno symulacji się nie pokazało"))
        return 1;
    dialogs.queueFile(
        QStringLiteral(ORVANTA_SOURCE_DIR "/examples/demo-notowania-syntetyczne.csv"));
    simulation->model().btQuotes.click();
    simulation->model().btRun.click();
    simulation->model().waitForFinished();
    if (!require(
            simulation->model().outcome().status == App::SimulationStatus::Ran &&
                !simulation->model().outcome().result.orders.isEmpty(),
            qPrintable(u"symulacja nie złożyła zleceń: "_s + simulation->model().resultText())))
        return 1;
    shots.shoot(simulation, QStringLiteral("18-symulacja"));
    if (QScreen* screen = simulation->screen())
        shots.save(screen->grabWindow(0), QStringLiteral("18-symulacja-ekran"));
    simulation->close();

    if (!require(!dialogs.failed(), qPrintable(dialogs.failures().join(u'\n'))))
        return 1;
    return shots.failed() ? 1 : 0;
}
