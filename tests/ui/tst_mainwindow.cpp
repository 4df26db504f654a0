// The main window driven as a user drives it: clicks, typing, Next, Back, tabs and the menu.

#include "../support/TempFiles.h"
#include "app/ScriptedDialogs.h"
#include "app/SimulationForm.h"
#include "app/TForm1.h"
#include "project/TfmInfo.h"
#include "project/TfmSetup.h"
#include "ui/Application.h"
#include "ui/ButtonWidget.h"
#include "ui/ChartWidget.h"
#include "ui/CheckBoxWidget.h"
#include "ui/ComboBoxWidget.h"
#include "ui/EditWidget.h"
#include "ui/InfoDialog.h"
#include "ui/MainWindow.h"
#include "ui/MenuAction.h"
#include "ui/PageControlWidget.h"
#include "ui/RadioGroupWidget.h"
#include "ui/ScriptViewWidget.h"
#include "ui/SetupDialog.h"
#include "ui/SimulationDialog.h"
#include "ui/SpinEditWidget.h"
#include "ui/Startup.h"
#include "ui/StartupTexts.h"
#include "ui/SummaryTree.h"
#include "ui/WizardTabBar.h"

#include <memory>
#include <stdexcept>

#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using Controls::CheckState;

namespace {

/// A started window over a form with scripted dialogs, a settings file of its own and a
/// Polish locale (comma as decimal separator).
struct Harness
{
    TestSupport::TempFiles files;
    const QTemporaryDir& dir = files.dir();
    App::ScriptedDialogs dialogs;
    App::TForm1 form;
    Shell::MainWindow window{form};
    TfmSetup setup{dialogs, dir.filePath(QStringLiteral("Orvanta.ini"))};
    TfmInfo info;

    Harness()
    {
        form.setLocale(QLocale(QLocale::Polish, QLocale::Poland));
        form.setDialogs(&dialogs);
        form.setSetup(&setup);
        window.setSetup(&setup);
        window.setInfo(&info);
        window.show();
        (void)QTest::qWaitForWindowExposed(&window);
    }

    template <typename W> W* find(const QString& name) const { return window.findChild<W*>(name); }
    Shell::PageControlWidget* pcTab() const
    {
        return find<Shell::PageControlWidget>(QStringLiteral("pcTab"));
    }
    Shell::WizardTabBar* tabBar() const
    {
        return static_cast<Shell::WizardTabBar*>(pcTab()->tabBar());
    }

    /// A click near the left edge, where the box or the radio indicator is.
    static void clickAt(QWidget* widget)
    {
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(8, widget->height() / 2));
    }
    void press(const QString& button) const
    {
        QWidget* widget = find<Shell::ButtonWidget>(button);
        QVERIFY2(widget, qPrintable(button));
        QTest::mouseClick(widget, Qt::LeftButton);
    }
    void clickItem(const QString& group, int item) const
    {
        auto* widget = find<Shell::RadioGroupWidget>(group);
        QVERIFY2(widget && widget->button(item), qPrintable(group));
        clickAt(widget->button(item));
    }
    void clickBox(const QString& box) const
    {
        auto* widget = find<Shell::CheckBoxWidget>(box);
        QVERIFY2(widget, qPrintable(box));
        clickAt(widget);
    }
    void type(const QString& edit, const QString& text) const
    {
        auto* widget = find<QLineEdit>(edit);
        QVERIFY2(widget, qPrintable(edit));
        widget->selectAll();
        if (widget->hasSelectedText())
            QTest::keyClick(widget, Qt::Key_Backspace);
        QTest::keyClicks(widget, text);
    }
    void clickTab(int index) const
    {
        QTest::mouseClick(tabBar(), Qt::LeftButton, {}, tabBar()->tabRect(index).center());
    }
    bool enabled(const QString& name) const
    {
        auto* widget = find<QWidget>(name);
        return widget && widget->isEnabled();
    }
    bool red(const QString& edit) const
    {
        auto* widget = find<Shell::EditWidget>(edit);
        return widget && widget->background() == QColor(255, 0, 0);
    }
    QList<int> visibleTabs() const
    {
        QList<int> tabs;
        for (int i = 0; i < pcTab()->count(); ++i) {
            if (pcTab()->isTabVisible(i))
                tabs.append(i);
        }
        return tabs;
    }

    QString writeScript(const QByteArray& text)
    {
        return files.write(QStringLiteral("script.afl"), text);
    }
    void load(const QString& path)
    {
        dialogs.queueFile(path);
        press(QStringLiteral("Button11"));
        press(QStringLiteral("Button7"));
    }
    void loadSimple()
    {
        load(writeScript("// crossover\r\nBuy = Cross(C, MA(C, 10));\r\n"
                         "Sell = Cross(MA(C, 10), C);\r\n"));
    }

    /// Answers page with clicks, as the shortest complete answers.
    void answer(int page)
    {
        switch (page) {
        case 1:
            clickItem(QStringLiteral("rgTicker"), 0);
            clickItem(QStringLiteral("rgAccount"), 0);
            clickItem(QStringLiteral("rgSignals"), 0);
            clickBox(QStringLiteral("cbShow"));
            clickBox(QStringLiteral("cbRefresh"));
            break;
        case 2:
            clickBox(QStringLiteral("cbReverse"));
            clickBox(QStringLiteral("cbOneSignal"));
            clickItem(QStringLiteral("rgInterval"), 0);
            break;
        case 3:
            clickItem(QStringLiteral("rgHowPosition"), 1);
            break;
        case 4:
            clickItem(QStringLiteral("rgOrders"), 0);
            clickBox(QStringLiteral("cbLimAkt"));
            break;
        default:
            break;
        }
    }
    /// Loads the simple script and walks with Next to page, answering the pages on the way.
    void walkTo(int page)
    {
        loadSimple();
        for (int p = 0; p < page; ++p) {
            answer(p);
            press(QStringLiteral("btDalej"));
        }
    }
};

QString dataPath(const QString& name)
{
    return QStringLiteral(ORVANTA_TEST_DATA "/") + name;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void startUp();
    void layout();
    void menu_data();
    void menu();
    void resizing_data();
    void resizing();
    void fullRun();
    void checkBoxClicks_data();
    void checkBoxClicks();
    void limAktInput_data();
    void limAktInput();
    void orderEdits_data();
    void orderEdits();
    void tabsAndBack();
    void pegRebuildMovesEdits();
    void switchesFitTheirPage();
    void spinLeave_data();
    void spinLeave();
    void exceptions();
    void closeQuery_data();
    void closeQuery();
    void settingsAndAbout();
    void simulation();
    void arguments_data();
    void arguments();
    void focusFollowsTheWizard_data();
    void focusFollowsTheWizard();
    void qtTextsArePolish();
    void program_data();
    void programWithoutDisplay_data();
    void programWithoutDisplay();
    void program();
};

void TestMainWindow::initTestCase()
{
    // GetAmiBrokerDir reads nothing of the machine's own Wine prefix.
    static QTemporaryDir wine;
    qputenv("WINEPREFIX", wine.path().toLocal8Bit());
}

void TestMainWindow::startUp()
{
    Harness h;
    QCOMPARE(h.window.windowTitle(), QStringLiteral("Orvanta"));
    QCOMPARE(h.find<QLabel>(QStringLiteral("Panel2"))->text(),
             QStringLiteral("Krok 1/6 - Wczytaj swój AFL"));
    QVERIFY(h.find<QPlainTextEdit>(QStringLiteral("Memo1"))
                ->toPlainText()
                .startsWith(QStringLiteral("Krok pierwszy pozwala na wczytanie kodu AFL")));
    QCOMPARE(h.visibleTabs(), QList<int>{0});
    QCOMPARE(h.pcTab()->currentIndex(), 0);
    QVERIFY(!h.enabled(QStringLiteral("btWstecz")));
    QVERIFY(!h.enabled(QStringLiteral("btDalej")));
    QVERIFY(!h.enabled(QStringLiteral("Button7")));
    QVERIFY(!h.window.menuAction(QStringLiteral("Zapisz1"))->isEnabled());
    // An empty settings folder becomes AmiBroker's (none here) custom formulas folder.
    QCOMPARE(h.setup.leAFLDir.text(), QStringLiteral("/Formulas/Custom"));
    QCOMPARE(h.tabBar()->captionColour(0), QColor(128, 128, 128));
    QVERIFY(h.dialogs.messages().isEmpty());
}

void TestMainWindow::layout()
{
    Harness h;
    QCOMPARE(h.window.centralWidget()->size(),
             QSize(Shell::MainWindow::ClientWidth, Shell::MainWindow::ClientHeight));
    QCOMPARE(h.pcTab()->width(), Shell::MainWindow::WizardWidth);
    QCOMPARE(h.window.minimumWidth(), Shell::MainWindow::MinimumWidth);
    QVERIFY(QFontInfo(h.window.font()).pointSizeF() > 7.5);
    QVERIFY(QFontInfo(h.window.font()).pointSizeF() < 8.5);

    auto* title = h.find<QLabel>(QStringLiteral("Panel2"));
    QVERIFY(title->font().bold());
    auto* hint = h.find<QPlainTextEdit>(QStringLiteral("Memo1"));
    QCOMPARE(hint->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QCOMPARE(hint->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(hint->palette().color(QPalette::Base), hint->palette().color(QPalette::ToolTipBase));

    for (const char* name : {"rEdit", "rGenAFL", "rUwagi"}) {
        auto* view = h.find<Shell::ScriptViewWidget>(QString::fromLatin1(name));
        QVERIFY2(view, name);
        QVERIFY(view->isReadOnly());
        QCOMPARE(view->lineWrapMode(), QPlainTextEdit::NoWrap);
        QCOMPARE(view->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(view->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QVERIFY(QFontInfo(view->font()).fixedPitch());
        QCOMPARE(QFontInfo(view->font()).pixelSize(), 13);
        QCOMPARE(view->palette().color(QPalette::Base),
                 view->palette().color(QPalette::ToolTipBase));
        QCOMPARE(view->palette().color(QPalette::Text), QColor(Qt::black));
        QVERIFY(view->viewport()->geometry().left() >= Shell::ScriptViewWidget::LeftMargin);
    }
    auto* edits = h.find<Shell::PageControlWidget>(QStringLiteral("pcEdits"));
    QCOMPARE(edits->count(), 3);
    QCOMPARE(edits->tabText(0), QStringLiteral("Oryginalny AFL"));
    QCOMPARE(edits->tabText(1), QStringLiteral("Wygenerowany AFL"));
    QCOMPARE(edits->tabText(2), QStringLiteral("Uwagi"));
    QVERIFY(edits->geometry().top() >= Shell::MainWindow::UpperHeight);

    // Every control of the wizard pages has its widget, named after it.
    for (Controls::Page* page : h.form.pcTab.pages()) {
        for (Controls::Control* control : page->controls())
            QVERIFY2(h.find<QWidget>(control->name()), qPrintable(control->name()));
    }
    QCOMPARE(h.find<Shell::RadioGroupWidget>(QStringLiteral("rgTicker"))->toolTip(),
             h.form.rgTicker.hint());
    QVERIFY(h.find<Shell::RadioGroupWidget>(QStringLiteral("rgAccount"))->toolTip().isEmpty());
}

void TestMainWindow::menu_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::addColumn<bool>("enabled");
    const QString file = QStringLiteral("&Plik");
    QTest::newRow("wizard") << "Uruchomwizarda1" << file << "Start &wizard" << QKeySequence()
                            << true;
    QTest::newRow("new") << "Nowy1" << file << "&Nowy projekt" << QKeySequence() << true;
    QTest::newRow("open") << "Otwrz1" << file << "&Otwórz projekt..." << QKeySequence() << true;
    QTest::newRow("save") << "Zapisz1" << file << "Zapi&sz" << QKeySequence(Qt::CTRL | Qt::Key_S)
                          << false;
    QTest::newRow("save as") << "Zapiszjako1" << file << "Zapisz projekt &jako..." << QKeySequence()
                             << true;
    QTest::newRow("end") << "Koniec1" << file << "&Koniec" << QKeySequence() << true;
    QTest::newRow("simulation") << "Symulacja1"
                                << "&Opcje"
                                << "&Symulacja…" << QKeySequence() << false;
    QTest::newRow("settings") << "Ustawienia1"
                              << "&Opcje"
                              << "&Ustawienia" << QKeySequence() << true;
    QTest::newRow("about") << "Oprogramie1" << QString() << "O p&rogramie" << QKeySequence()
                           << true;
}

void TestMainWindow::menu()
{
    QFETCH(QString, name);
    QFETCH(QString, menu);
    QFETCH(QString, caption);
    QFETCH(QKeySequence, shortcut);
    QFETCH(bool, enabled);
    Harness h;
    Shell::MenuAction* action = h.window.menuAction(name);
    QVERIFY(action);
    QCOMPARE(action->text(), caption);
    QCOMPARE(action->shortcut(), shortcut);
    QCOMPARE(action->isEnabled(), enabled);
    QStringList holders;
    for (QAction* top : h.window.menuBar()->actions()) {
        if (top == action)
            holders.append(QString());
        else if (top->menu() && top->menu()->actions().contains(action))
            holders.append(top->text());
    }
    QCOMPARE(holders, QStringList{menu});
}

void TestMainWindow::resizing_data()
{
    QTest::addColumn<QSize>("asked");
    QTest::addColumn<QSize>("got");
    QTest::newRow("narrower than 810") << QSize(600, 700) << QSize(810, 700);
    QTest::newRow("exactly 810") << QSize(810, 700) << QSize(810, 700);
    QTest::newRow("any small height") << QSize(900, 120) << QSize(900, 120);
    QTest::newRow("tall and wide") << QSize(1100, 1000) << QSize(1100, 1000);
}

void TestMainWindow::resizing()
{
    QFETCH(QSize, asked);
    QFETCH(QSize, got);
    Harness h;
    h.window.resize(asked);
    QCOMPARE(h.window.size(), got);
}

void TestMainWindow::fullRun()
{
    Harness h;
    const QString script = dataPath(QStringLiteral("generator/crossover.afl"));
    h.load(script);
    QCOMPARE(h.find<QLineEdit>(QStringLiteral("leAFL"))->text(), script);
    QVERIFY(h.enabled(QStringLiteral("btDalej")));

    // The source view shows the script with the comment green italic, a catalogue word blue.
    auto* source = h.find<Shell::ScriptViewWidget>(QStringLiteral("rEdit"));
    QVERIFY(source->toPlainText().startsWith(QStringLiteral("// Crossover")));
    const QTextCharFormat comment = source->formatAt(3);
    QCOMPARE(comment.foreground().color(), QColor(0, 128, 0));
    QVERIFY(comment.fontItalic());
    const int cross = h.form.rEdit.findWord(u"Cross", 0, h.form.rEdit.length());
    QVERIFY(cross > 0);
    QCOMPARE(source->formatAt(cross).foreground().color(), QColor(0, 0, 255));
    QVERIFY(!source->formatAt(cross).fontItalic());

    // Page 1: a defined security with an empty name is red, focused, and blocks Next.
    h.press(QStringLiteral("btDalej"));
    QCOMPARE(h.pcTab()->currentIndex(), 1);
    QCOMPARE(h.tabBar()->captionColour(0), QColor(0, 0, 0));
    QCOMPARE(h.find<QLabel>(QStringLiteral("Panel2"))->text(),
             QStringLiteral("Krok 2/6 - Ustawienia ogólne"));
    QVERIFY(h.enabled(QStringLiteral("btWstecz")));
    h.clickItem(QStringLiteral("rgTicker"), 1);
    QVERIFY(h.red(QStringLiteral("edName")));
    QCOMPARE(h.window.focusWidget(), h.find<QWidget>(QStringLiteral("edName")));
    QVERIFY(!h.enabled(QStringLiteral("btDalej")));
    h.type(QStringLiteral("edName"), QStringLiteral("KGHM"));
    QVERIFY(!h.red(QStringLiteral("edName")));
    QCOMPARE(h.form.edName.text(), QStringLiteral("KGHM"));
    QVERIFY(!h.enabled(QStringLiteral("rgSignals")));
    h.clickItem(QStringLiteral("rgAccount"), 0);
    QVERIFY(h.enabled(QStringLiteral("rgSignals")));
    h.clickItem(QStringLiteral("rgSignals"), 1);
    h.clickBox(QStringLiteral("cbShow"));
    QVERIFY(h.enabled(QStringLiteral("cbRefresh")));
    QVERIFY(!h.enabled(QStringLiteral("csRefresh")));
    h.clickBox(QStringLiteral("cbRefresh"));
    QVERIFY(h.enabled(QStringLiteral("csRefresh")));
    QVERIFY(h.enabled(QStringLiteral("btDalej")));
    h.press(QStringLiteral("btDalej"));

    // Page 2: the interval's value controls follow the chosen item.
    QCOMPARE(h.pcTab()->currentIndex(), 2);
    h.clickBox(QStringLiteral("cbReverse"));
    h.clickBox(QStringLiteral("cbOneSignal"));
    h.clickItem(QStringLiteral("rgInterval"), 1);
    QVERIFY(h.enabled(QStringLiteral("cbIntSecs")));
    QVERIFY(!h.enabled(QStringLiteral("csIntSecs")));
    auto* standard = h.find<Shell::ComboBoxWidget>(QStringLiteral("cbIntSecs"));
    QCOMPARE(standard->currentText(), QStringLiteral("5 minut"));
    h.press(QStringLiteral("btDalej"));

    // Page 3: a value of the position typed into the spin box.
    h.clickItem(QStringLiteral("rgHowPosition"), 0);
    h.clickItem(QStringLiteral("rgPositions"), 1);
    QVERIFY(h.enabled(QStringLiteral("csValue")));
    QVERIFY(!h.enabled(QStringLiteral("csCount")));
    auto* value = h.find<Shell::SpinEditWidget>(QStringLiteral("csValue"));
    value->setFocus();
    value->selectAll();
    QTest::keyClicks(value, QStringLiteral("5000"));
    QCOMPARE(h.form.csValue.value(), 5000);
    h.press(QStringLiteral("btDalej"));

    // Page 4: a limit in złoty typed with the locale's comma; the activation limit declined.
    QCOMPARE(h.pcTab()->currentIndex(), 4);
    h.clickItem(QStringLiteral("rgOrders"), 1);
    QVERIFY(h.red(QStringLiteral("edValDev")));
    QCOMPARE(h.window.focusWidget(), h.find<QWidget>(QStringLiteral("edValDev")));
    h.type(QStringLiteral("edValDev"), QStringLiteral("2,5"));
    QVERIFY(!h.red(QStringLiteral("edValDev")));
    QVERIFY(h.enabled(QStringLiteral("cbLimAkt")));
    QVERIFY(!h.enabled(QStringLiteral("btDalej")));
    h.clickBox(QStringLiteral("cbLimAkt"));
    QCOMPARE(h.form.cbLimAkt.state(), CheckState::Unchecked);
    QVERIFY(h.enabled(QStringLiteral("btDalej")));
    h.press(QStringLiteral("btDalej"));

    // Page 5: the summary tree and the generation.
    QCOMPARE(h.pcTab()->currentIndex(), 5);
    QVERIFY(!h.enabled(QStringLiteral("btDalej")));
    auto* tree = h.find<Shell::SummaryTree>(QStringLiteral("tvSummary"));
    QCOMPARE(tree->topLevelItemCount(), 9);
    const struct
    {
        int header;
        const char16_t* headerText;
        const char16_t* firstValue;
    } expected[] = {
        {0, u"Walor:", u"KGHM"},
        {1, u"Rachunek:", u"Określany automatycznie"},
        {2, u"Sygnały kupna/sprzedaży:", u" Sygnał pada w poprzedniej lub wcześniejszej świeczce"},
        {4, u"Interwał:", u"Standardowy 5 minut"},
        {5, u"Operuj pozycjami:", u"Wartość pozycji = 5000 zł"},
        {6, u"Parametry zleceń:", u"Limit kwotowy 2,5 zł/pkt."},
        {8, u"Limit aktywacji:", u"Brak"},
    };
    for (const auto& row : expected) {
        QTreeWidgetItem* header = tree->topLevelItem(row.header);
        QCOMPARE(header->text(0), QString::fromUtf16(row.headerText));
        QVERIFY(header->font(0).bold());
        QVERIFY(header->font(0).underline());
        QVERIFY(header->isExpanded());
        QCOMPARE(header->child(0)->text(0), QString::fromUtf16(row.firstValue));
        QVERIFY(!header->child(0)->font(0).bold());
    }
    QVERIFY(h.enabled(QStringLiteral("btGeneruj")));
    QVERIFY(!h.enabled(QStringLiteral("btZapisz")));
    h.press(QStringLiteral("btGeneruj"));
    auto* generated = h.find<Shell::ScriptViewWidget>(QStringLiteral("rGenAFL"));
    QVERIFY(generated->toPlainText().contains(QStringLiteral("voxInit")));
    QCOMPARE(generated->toPlainText(),
             QString(h.form.rGenAFL.text()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    QCOMPARE(h.find<Shell::PageControlWidget>(QStringLiteral("pcEdits"))->currentIndex(), 2);
    QVERIFY(!h.enabled(QStringLiteral("btGeneruj")));
    QVERIFY(h.enabled(QStringLiteral("btZapisz")));
    QVERIFY(h.enabled(QStringLiteral("btExport")));
    // The plug-in's function is red in the generated view.
    const int init = h.form.rGenAFL.findWord(u"voxInit", 0, h.form.rGenAFL.length());
    QVERIFY(init >= 0);
    QCOMPARE(generated->formatAt(init).foreground().color(), QColor(255, 0, 0));

    // Saving the script asks to save the project too; the caption names the project.
    const QString saved = h.dir.filePath(QStringLiteral("wynik.afl"));
    const QString project = h.dir.filePath(QStringLiteral("projekt.afp"));
    h.dialogs.queueFile(saved);
    h.dialogs.queueAnswer(App::Answer::Yes);
    h.dialogs.queueFile(project);
    h.press(QStringLiteral("btZapisz"));
    QVERIFY2(!h.dialogs.failed(), qPrintable(h.dialogs.failures().join(u'\n')));
    QVERIFY(QFile::exists(saved));
    QVERIFY(QFile::exists(project));
    QCOMPARE(h.window.windowTitle(), QStringLiteral("Orvanta [") + project + u']');

    const QString exported = h.dir.filePath(QStringLiteral("eksport.afl"));
    h.dialogs.queueFile(exported);
    h.press(QStringLiteral("btExport"));
    QVERIFY(QFile::exists(exported));
    QFile a(saved), b(exported);
    QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    QCOMPARE(a.readAll(), b.readAll());
    QVERIFY(h.dialogs.exhausted());

    // Every step done is drawn black, the summary's own tab grey; the selected tab is light.
    for (int i = 0; i < 5; ++i)
        QCOMPARE(h.tabBar()->captionColour(i), QColor(0, 0, 0));
    QCOMPARE(h.tabBar()->captionColour(5), QColor(128, 128, 128));
    QCOMPARE(h.tabBar()->fillColour(5), h.tabBar()->palette().color(QPalette::Light));
    QCOMPARE(h.tabBar()->fillColour(0), h.tabBar()->palette().color(QPalette::Button));
}

void TestMainWindow::checkBoxClicks_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QList<CheckState>>("states"); // before the first click, then after each
    using S = CheckState;
    QTest::newRow("comments start checked")
        << 0 << "cbComments" << QList<S>{S::Checked, S::Unchecked, S::Checked, S::Unchecked};
    QTest::newRow("grayed show becomes checked")
        << 1 << "cbShow" << QList<S>{S::Grayed, S::Checked, S::Unchecked, S::Checked};
    QTest::newRow("grayed reverse becomes checked")
        << 2 << "cbReverse" << QList<S>{S::Grayed, S::Checked, S::Unchecked, S::Checked};
    QTest::newRow("peg starts unchecked")
        << 4 << "cbPEG" << QList<S>{S::Unchecked, S::Checked, S::Unchecked, S::Checked};
}

void TestMainWindow::checkBoxClicks()
{
    QFETCH(int, page);
    QFETCH(QString, box);
    QFETCH(QList<CheckState>, states);
    Harness h;
    h.walkTo(page);
    if (box == QLatin1String("cbShow")) {
        h.clickItem(QStringLiteral("rgTicker"), 0);
        h.clickItem(QStringLiteral("rgAccount"), 0);
        h.clickItem(QStringLiteral("rgSignals"), 0);
    }
    auto* widget = h.find<Shell::CheckBoxWidget>(box);
    auto* model = widget->model();
    const auto shown = [&] {
        switch (widget->checkState()) {
        case Qt::Checked:
            return CheckState::Checked;
        case Qt::PartiallyChecked:
            return CheckState::Grayed;
        default:
            return CheckState::Unchecked;
        }
    };
    QCOMPARE(model->state(), states.first());
    QCOMPARE(shown(), states.first());
    for (int i = 1; i < states.size(); ++i) {
        h.clickBox(box);
        QCOMPARE(model->state(), states[i]);
        QCOMPARE(shown(), states[i]);
    }
}

void TestMainWindow::limAktInput_data()
{
    // m: a pointer click, k: the space key on the focused box.
    QTest::addColumn<QString>("inputs");
    QTest::addColumn<CheckState>("result");
    QTest::newRow("pointer on grayed") << "m" << CheckState::Unchecked;
    QTest::newRow("second pointer click") << "mm" << CheckState::Checked;
    QTest::newRow("third pointer click") << "mmm" << CheckState::Unchecked;
    QTest::newRow("key while armed ends unchecked") << "mk" << CheckState::Unchecked;
    QTest::newRow("key after a disarming press") << "mmk" << CheckState::Unchecked;
    QTest::newRow("two keys after a disarming press") << "mmkk" << CheckState::Checked;
}

void TestMainWindow::limAktInput()
{
    QFETCH(QString, inputs);
    QFETCH(CheckState, result);
    Harness h;
    h.walkTo(4);
    h.clickItem(QStringLiteral("rgOrders"), 0);
    auto* box = h.find<Shell::CheckBoxWidget>(QStringLiteral("cbLimAkt"));
    QVERIFY(box->isEnabled());
    QCOMPARE(h.form.cbLimAkt.state(), CheckState::Grayed);
    for (QChar input : inputs) {
        if (input == u'm') {
            h.clickBox(QStringLiteral("cbLimAkt"));
        } else {
            box->setFocus();
            QTest::keyClick(box, Qt::Key_Space);
        }
    }
    QCOMPARE(h.form.cbLimAkt.state(), result);
    const bool checked = result == CheckState::Checked;
    QCOMPARE(h.enabled(QStringLiteral("edLimAkt")), checked);
    QCOMPARE(h.enabled(QStringLiteral("rgCentPkt")), checked);
    QCOMPARE(h.red(QStringLiteral("edLimAkt")), checked);
}

void TestMainWindow::orderEdits_data()
{
    QTest::addColumn<int>("order");
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("red");
    QTest::newRow("zero") << 1 << "edValDev"
                          << "0" << false;
    QTest::newRow("comma decimal") << 1 << "edValDev"
                                   << "1,25" << false;
    QTest::newRow("minus one") << 1 << "edValDev"
                               << "-1" << true;
    QTest::newRow("point under a comma locale") << 1 << "edValDev"
                                                << "1.5" << true;
    QTest::newRow("letters") << 1 << "edValDev"
                             << "abc" << true;
    QTest::newRow("percent") << 2 << "edCentDev"
                             << "3" << false;
    QTest::newRow("negative percent") << 2 << "edCentDev"
                                      << "-0,5" << true;
}

void TestMainWindow::orderEdits()
{
    QFETCH(int, order);
    QFETCH(QString, edit);
    QFETCH(QString, text);
    QFETCH(bool, red);
    Harness h;
    h.walkTo(4);
    h.clickItem(QStringLiteral("rgOrders"), order);
    QVERIFY(h.red(edit));
    h.type(edit, text);
    QCOMPARE(h.red(edit), red);
    // Clearing the edit marks it again.
    h.type(edit, QString());
    QVERIFY(h.red(edit));
}

void TestMainWindow::tabsAndBack()
{
    Harness h;
    h.walkTo(5);
    QCOMPARE(h.visibleTabs(), (QList<int>{0, 1, 2, 3, 4, 5}));

    // Back to the orders by their tab: the order type answered stays selected.
    h.clickTab(4);
    QCOMPARE(h.pcTab()->currentIndex(), 4);
    QCOMPARE(h.find<QLabel>(QStringLiteral("Panel2"))->text(),
             QStringLiteral("Krok 5/6 - Zlecenia"));
    auto* orders = h.find<Shell::RadioGroupWidget>(QStringLiteral("rgOrders"));
    QVERIFY(orders->button(0)->isChecked());
    QVERIFY(h.enabled(QStringLiteral("btDalej")));

    // A PEG order rebuilds the list without a selection: the step is not done, so Next
    // and the summary's tab are gone until an order type is chosen again.
    h.clickBox(QStringLiteral("cbPEG"));
    for (int i = 0; i < orders->buttonCount(); ++i)
        QVERIFY(!orders->button(i)->isChecked());
    QVERIFY(!h.enabled(QStringLiteral("btDalej")));
    QCOMPARE(h.visibleTabs(), (QList<int>{0, 1, 2, 3, 4}));
    h.clickItem(QStringLiteral("rgOrders"), 0);
    QVERIFY(h.enabled(QStringLiteral("btDalej")));

    // The summary marks an unanswered value "?" bold on red.
    auto* tree = h.find<Shell::SummaryTree>(QStringLiteral("tvSummary"));
    tree->setSummary({{QStringLiteral("Parametry zleceń:"), {{QStringLiteral("?"), true}}},
                      {QStringLiteral("Limit aktywacji:"), {{QStringLiteral("Brak"), false}}}});
    QTreeWidgetItem* orderValue = tree->topLevelItem(0)->child(0);
    QVERIFY(orderValue->font(0).bold());
    QCOMPARE(orderValue->background(0).color(), QColor(255, 0, 0));
    QVERIFY(!tree->topLevelItem(1)->child(0)->font(0).bold());

    // Making page 1 incomplete hides every later tab.
    h.clickTab(1);
    h.clickItem(QStringLiteral("rgTicker"), 1);
    QCOMPARE(h.visibleTabs(), (QList<int>{0, 1}));
    QCOMPARE(h.tabBar()->captionColour(1), QColor(128, 128, 128)); // its check failed

    // Back to page 0 disables Back; page 1 was left with Next disabled and stays grey.
    h.press(QStringLiteral("btWstecz"));
    QCOMPARE(h.pcTab()->currentIndex(), 0);
    QVERIFY(!h.enabled(QStringLiteral("btWstecz")));
    QCOMPARE(h.tabBar()->captionColour(1), QColor(128, 128, 128));

    // The wizard restart from the menu: page 0 alone, the script reloaded, Next enabled.
    h.window.menuAction(QStringLiteral("Uruchomwizarda1"))->trigger();
    QCOMPARE(h.visibleTabs(), QList<int>{0});
    QVERIFY(h.enabled(QStringLiteral("btDalej")));
    QVERIFY(!h.enabled(QStringLiteral("btWstecz")));
    QCOMPARE(h.find<QLabel>(QStringLiteral("Panel2"))->text(),
             QStringLiteral("Krok 1/6 - Wczytaj swój AFL"));
}

void TestMainWindow::pegRebuildMovesEdits()
{
    Harness h;
    h.walkTo(4);
    auto* orders = h.find<Shell::RadioGroupWidget>(QStringLiteral("rgOrders"));
    auto* valDev = h.find<QWidget>(QStringLiteral("edValDev"));
    auto* centDev = h.find<QWidget>(QStringLiteral("edCentDev"));
    const auto besideItem = [&](QWidget* widget, int item) {
        const QRect row = orders->itemGeometry(item);
        return widget->geometry().center().y() >= row.top() &&
               widget->geometry().center().y() <= row.bottom() + 1 &&
               widget->x() > row.left() + orders->button(item)->sizeHint().width();
    };
    QCOMPARE(orders->buttonCount(), 3);
    QVERIFY(besideItem(valDev, 1));
    QVERIFY(besideItem(centDev, 2));
    QVERIFY(!centDev->isHidden());

    h.clickBox(QStringLiteral("cbPEG"));
    QCOMPARE(orders->buttonCount(), 2);
    QCOMPARE(orders->button(0)->text(), QStringLiteral("Bez limitu"));
    QVERIFY(besideItem(valDev, 1));
    QVERIFY(centDev->isHidden());
    QVERIFY(!h.enabled(QStringLiteral("cbLimAkt")));
    QVERIFY(!h.enabled(QStringLiteral("rgDeviation")));

    h.clickBox(QStringLiteral("cbPEG"));
    QCOMPARE(orders->buttonCount(), 3);
    QVERIFY(besideItem(valDev, 1));
    QVERIFY(besideItem(centDev, 2));
    QVERIFY(!centDev->isHidden());
}

// The group of safety switches lies below the interval question, whole, inside its page of
// the fixed-size window; its cap can be edited once its box is checked.
void TestMainWindow::switchesFitTheirPage()
{
    Harness h;
    h.walkTo(2);
    auto* group = h.find<QGroupBox>(QStringLiteral("gbSwitches"));
    QVERIFY(group && group->isVisible());
    const QWidget* page = group->parentWidget();
    QVERIFY(page->rect().contains(group->geometry()));
    QVERIFY(group->geometry().top() >
            h.find<QWidget>(QStringLiteral("rgInterval"))->geometry().bottom());
    for (const QWidget* child : group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        QVERIFY2(group->contentsRect().contains(child->geometry()),
                 qPrintable(child->objectName()));
        QVERIFY2(child->width() >= child->sizeHint().width(), qPrintable(child->objectName()));
    }
    QVERIFY(!h.enabled(QStringLiteral("csDailyCap")));
    h.clickBox(QStringLiteral("cbDailyCap"));
    QVERIFY(h.enabled(QStringLiteral("csDailyCap")));
    QVERIFY(h.form.cbDailyCap.isChecked());
}

void TestMainWindow::spinLeave_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("value");
    QTest::newRow("a number") << "42" << 42;
    QTest::newRow("nothing reads as the minimum") << "" << 1;
    QTest::newRow("the maximum") << "3600" << 3600;
}

void TestMainWindow::spinLeave()
{
    QFETCH(QString, typed);
    QFETCH(int, value);
    Harness h;
    h.walkTo(1);
    h.answer(1);
    auto* spin = h.find<Shell::SpinEditWidget>(QStringLiteral("csRefresh"));
    QVERIFY(spin->isEnabled());
    spin->setValue(7);
    QCOMPARE(h.form.csRefresh.value(), 7);
    spin->setFocus();
    spin->selectAll();
    QTest::keyClick(spin, Qt::Key_Backspace);
    QTest::keyClicks(spin, typed);
    // Leaving the box by Return commits what was typed.
    QTest::keyClick(spin, Qt::Key_Return);
    QCOMPARE(h.form.csRefresh.value(), value);
    QCOMPARE(spin->value(), value);
    // Spin values change no step and mark nothing.
    QVERIFY(h.enabled(QStringLiteral("btDalej")));
}

void TestMainWindow::exceptions()
{
    Harness h;
    h.walkTo(1);
    // A handler that throws: the text is shown, the window goes on.
    h.form.rgSignals.setEnabled(true);
    h.form.rgSignals.setOnClick([] { throw std::runtime_error("Błąd obsługi"); });
    h.clickItem(QStringLiteral("rgSignals"), 0);
    QCOMPARE(h.dialogs.messages().size(), 1);
    QCOMPARE(h.dialogs.messages().last().caption, QStringLiteral("Orvanta"));
    QCOMPARE(h.dialogs.messages().last().text, QStringLiteral("Błąd obsługi"));
    h.clickItem(QStringLiteral("rgTicker"), 0);
    QCOMPARE(h.form.rgTicker.itemIndex(), 0);

    // An exception that is no std::exception shows an empty text.
    h.form.rgSignals.setOnClick([] { throw 42; });
    h.clickItem(QStringLiteral("rgSignals"), 1);
    QCOMPARE(h.dialogs.messages().size(), 2);
    QVERIFY(h.dialogs.messages().last().text.isEmpty());

    // One that escapes an event handler is caught by the application object.
    struct Thrower : QObject
    {
        bool event(QEvent* event) override
        {
            if (event->type() == QEvent::User)
                throw std::runtime_error("Zdarzenie");
            return QObject::event(event);
        }
    } thrower;
    QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    QCOMPARE(h.dialogs.messages().size(), 3);
    QCOMPARE(h.dialogs.messages().last().text, QStringLiteral("Zdarzenie"));
    QVERIFY(h.window.isVisible());
}

void TestMainWindow::closeQuery_data()
{
    QTest::addColumn<bool>("modified");
    QTest::addColumn<bool>("byMenu");
    QTest::addColumn<int>("answer"); // -1: no question expected
    QTest::addColumn<bool>("closed");
    QTest::newRow("unmodified closes without asking") << false << false << -1 << true;
    QTest::newRow("unmodified by Koniec") << false << true << -1 << true;
    QTest::newRow("cancel keeps the window") << true << false << int(App::Answer::Cancel) << false;
    QTest::newRow("cancel by Koniec") << true << true << int(App::Answer::Cancel) << false;
    QTest::newRow("no closes") << true << true << int(App::Answer::No) << true;
}

void TestMainWindow::closeQuery()
{
    QFETCH(bool, modified);
    QFETCH(bool, byMenu);
    QFETCH(int, answer);
    QFETCH(bool, closed);
    Harness h;
    if (modified)
        h.walkTo(1);
    QCOMPARE(h.form.ProjectModified, modified);
    if (answer >= 0)
        h.dialogs.queueAnswer(App::Answer(answer));
    if (byMenu)
        h.window.menuAction(QStringLiteral("Koniec1"))->trigger();
    else
        h.window.close();
    QCOMPARE(h.window.isVisible(), !closed);
    QCOMPARE(h.dialogs.messages().size(), answer >= 0 ? 1 : 0);
    if (answer >= 0) {
        QCOMPARE(h.dialogs.messages().first().caption, QStringLiteral("Uwaga!"));
        QCOMPARE(h.dialogs.messages().first().buttons, App::Buttons::YesNoCancel);
    }
    QVERIFY(!h.dialogs.failed());
}

void TestMainWindow::settingsAndAbout()
{
    Harness h;
    // The dialogs are modal: close each as soon as it is shown.
    QTimer::singleShot(0, &h.window, [&h] {
        if (QDialog* dialog = h.window.setupDialog())
            dialog->reject();
    });
    h.window.menuAction(QStringLiteral("Ustawienia1"))->trigger();
    QVERIFY(h.window.setupDialog());
    QVERIFY(!h.window.setupDialog()->isVisible());
    QDialog* first = h.window.setupDialog();
    QTimer::singleShot(0, &h.window, [&h] { h.window.setupDialog()->reject(); });
    h.window.menuAction(QStringLiteral("Ustawienia1"))->trigger();
    QCOMPARE(h.window.setupDialog(), first); // shown again, not made anew

    QTimer::singleShot(0, &h.window, [&h] {
        if (QDialog* dialog = h.window.infoDialog())
            dialog->reject();
    });
    h.window.menuAction(QStringLiteral("Oprogramie1"))->trigger();
    QVERIFY(h.window.infoDialog());
    QVERIFY(!h.window.infoDialog()->isVisible());
    QVERIFY(!h.form.ProjectModified);
}

void TestMainWindow::simulation()
{
    // The demo project generated, simulated over the demo quotes from the menu.
    Harness h;
    const QString source = QStringLiteral(ORVANTA_SOURCE_DIR "/examples/");
    h.form.OpenProjectFile(source + QStringLiteral("demo.afp"));
    Shell::MenuAction* action = h.window.menuAction(QStringLiteral("Symulacja1"));
    QVERIFY(!action->isEnabled());
    h.form.btDalej.click(); // to the summary, as the user goes
    QCOMPARE(h.form.pcTab.currentIndex(), int(App::TForm1::PageEnd));
    h.form.btGeneruj.click();
    QVERIFY(action->isEnabled());
    action->trigger();
    Shell::SimulationDialog* dialog = h.window.simulationDialog();
    QVERIFY(dialog && dialog->isVisible());
    h.dialogs.queueFile(source + QStringLiteral("demo-notowania-syntetyczne.csv"));
    QTest::mouseClick(dialog->findChild<Shell::ButtonWidget*>(QStringLiteral("btQuotes")),
                      Qt::LeftButton);
    QTest::mouseClick(dialog->findChild<Shell::ButtonWidget*>(QStringLiteral("btRun")),
                      Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->model().isRunning(), 60000);
    QCOMPARE(dialog->model().outcome().status, App::SimulationStatus::Ran);
    const QAbstractItemModel* table = dialog->table()->model();
    QCOMPARE(table->rowCount(), dialog->model().outcome().result.orders.size());
    QVERIFY2(table->rowCount() > 0, qPrintable(dialog->model().resultText()));
    QCOMPARE(table->headerData(0, Qt::Horizontal).toString(), QStringLiteral("świeca"));
    QCOMPARE(table->index(0, 4).data().toString(), QStringLiteral("kupno"));
    QVERIFY(dialog->resultView()->toPlainText().contains(QStringLiteral("wysłane: ")));
    QCOMPARE(dialog->progressBar()->value(), dialog->progressBar()->maximum());
    QVERIFY(dialog->findChild<Shell::ButtonWidget*>(QStringLiteral("btSaveChart"))->isEnabled());
    // The chart shows the orders: the green of a buy marker is painted.
    const QImage chart = dialog->chart()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    bool green = false;
    for (int y = 0; y < chart.height() && !green; ++y)
        for (int x = 0; x < chart.width() && !green; ++x)
            green = chart.pixel(x, y) == qRgb(22, 140, 64);
    QVERIFY(green);
    dialog->reject();
    QVERIFY(!dialog->isVisible());
    QVERIFY(!h.dialogs.failed());
}

void TestMainWindow::arguments_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("commandLine");
    QTest::addColumn<int>("kind");
    using K = Shell::WindowLaunch::Kind;
    QTest::newRow("none") << QStringList{} << false << int(K::Wizard);
    QTest::newRow("project") << QStringList{"demo.afp"} << false << int(K::Project);
    QTest::newRow("any other single file") << QStringList{"notes.txt"} << false << int(K::Project);
    QTest::newRow("two files") << QStringList{"a.afp", "b.afp"} << false << int(K::TooMany);
    for (const char* command : {"check", "generate", "simulate", "project", "help", "-h", "--help"})
        QTest::newRow(qPrintable(QStringLiteral("command ") + QLatin1String(command)))
            << QStringList{QString::fromLatin1(command), "x"} << true << -1;
    // Unknown ones go to the command line too, which answers with its usage.
    QTest::newRow("unknown option") << QStringList{"--bogus"} << true << -1;
    QTest::newRow("unknown sub-command") << QStringList{"replay", "x", "y"} << true << -1;
    QTest::newRow("Qt's own option") << QStringList{"-style", "fusion"} << false << int(K::Wizard);
}

void TestMainWindow::arguments()
{
    QFETCH(QStringList, args);
    QFETCH(bool, commandLine);
    QFETCH(int, kind);
    QCOMPARE(!args.isEmpty() && Shell::isCommandLineArgument(args.first()), commandLine);
    if (commandLine)
        return;
    const Shell::WindowLaunch launch =
        Shell::classifyWindowArguments(Shell::withoutQtOptions(args));
    QCOMPARE(int(launch.kind), kind);
    if (launch.kind == Shell::WindowLaunch::Kind::Project) {
        QVERIFY(QFileInfo(launch.project).isAbsolute());
        QCOMPARE(QFileInfo(launch.project).fileName(), args.first());
    }
}

void TestMainWindow::program_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("error");
    QTest::newRow("wizard") << QStringList{} << 0 << QString();
    QTest::newRow("demo project") << QStringList{QStringLiteral(ORVANTA_SOURCE_DIR
                                                                "/examples/demo.afp")}
                                  << 0 << QString();
    QTest::newRow("too many")
        << QStringList{"a.afp", "b.afp"} << 2
        << QStringLiteral("orvanta: za dużo argumentów: okno otwiera najwyżej jeden plik projektu");
    QTest::newRow("sub-command") << QStringList{"check"} << 2 << QStringLiteral("orvanta");
}

void TestMainWindow::focusFollowsTheWizard_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("click");
    QTest::addColumn<QString>("focus");
    QTest::newRow("Next onto an unanswered page") << 1 << QString() << QStringLiteral("rgTicker");
    QTest::newRow("another price") << 4 << QStringLiteral("rgDeviation") << "edOtherPrice";
}

// The keyboard focus lands where the user must answer, never on the views below.
void TestMainWindow::focusFollowsTheWizard()
{
    QFETCH(int, page);
    QFETCH(QString, click);
    QFETCH(QString, focus);
    Harness h;
    h.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&h.window));
    h.walkTo(page);
    if (!click.isEmpty()) {
        h.clickItem(QStringLiteral("rgOrders"), 2);
        h.type(QStringLiteral("edCentDev"), QStringLiteral("1"));
        h.clickItem(click, 2);
    }
    QWidget* focused = QApplication::focusWidget();
    QVERIFY(focused);
    QWidget* target = h.find<QWidget>(focus);
    QVERIFY2(focused == target || target->isAncestorOf(focused),
             qPrintable(focused->objectName() + u' ' + focused->metaObject()->className()));
}

// Qt's own dialogs speak Polish once its translation is installed.
void TestMainWindow::qtTextsArePolish()
{
    QVERIFY(Shell::installQtTranslation(*qApp));
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    auto* lookIn = dialog.findChild<QLabel*>(QStringLiteral("lookInLabel"));
    QVERIFY(lookIn);
    QVERIFY(!lookIn->text().isEmpty());
    QVERIFY2(lookIn->text() != QLatin1String("Look in:"), qPrintable(lookIn->text()));
    QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), lookIn->text());
    // The views' context menu.
    QVERIFY(QCoreApplication::translate("QWidgetTextControl", "Select All") !=
            QLatin1String("Select All"));
}

void TestMainWindow::programWithoutDisplay_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("error");
    const QString usage = QStringLiteral("Użycie:");
    const QString noDisplay = Shell::StartupTexts::NoDisplay;
    QTest::newRow("unknown option") << QStringList{"--bogus"} << QString() << usage;
    QTest::newRow("unknown sub-command") << QStringList{"replay", "x", "y"} << QString() << usage;
    QTest::newRow("project") << QStringList{"foo.afp"} << QString() << noDisplay;
    QTest::newRow("wizard") << QStringList{} << QString() << noDisplay;
    QTest::newRow("display set, no server") << QStringList{} << QStringLiteral(":97") << noDisplay;
}

// Nothing aborts: each ends with status 2 and a Polish line (or the usage).
void TestMainWindow::programWithoutDisplay()
{
    QFETCH(QStringList, args);
    QFETCH(QString, display);
    QFETCH(QString, error);
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    if (!display.isEmpty())
        env.insert(QStringLiteral("DISPLAY"), display);
    env.insert(QStringLiteral("ORVANTA_QUIT_AFTER_PAINT"), QStringLiteral("1"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(ORVANTA_BINARY), args);
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 2);
    const QString stderrText = QString::fromUtf8(process.readAllStandardError());
    QVERIFY2(stderrText.contains(error), qPrintable(stderrText));
    if (error == Shell::StartupTexts::NoDisplay)
        QCOMPARE(stderrText, error + u'\n');
}

void TestMainWindow::program()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, error);
    QTemporaryDir config;
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ORVANTA_QUIT_AFTER_PAINT"), QStringLiteral("1"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(ORVANTA_BINARY), args);
    QVERIFY(process.waitForStarted());
    const bool finished = process.waitForFinished(30000);
    if (!finished)
        process.kill();
    QVERIFY2(finished, "the window did not quit after its first paint");
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), status);
    const QString stderrText = QString::fromUtf8(process.readAllStandardError());
    if (!error.isEmpty())
        QVERIFY2(stderrText.contains(error), qPrintable(stderrText));
}

int main(int argc, char** argv)
{
    Shell::Application app(argc, argv);
    TestMainWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mainwindow.moc"
