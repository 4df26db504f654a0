#include "ui/MainWindow.h"

#include "app/SimulationForm.h"
#include "app/TForm1.h"
#include "chart/Painter.h"
#include "project/TfmSetup.h"
#include "ui/ButtonWidget.h"
#include "ui/DialogStyle.h"
#include "ui/Guard.h"
#include "ui/InfoDialog.h"
#include "ui/MenuAction.h"
#include "ui/PageControlWidget.h"
#include "ui/ScriptViewWidget.h"
#include "ui/SetupDialog.h"
#include "ui/SimulationDialog.h"
#include "ui/SummaryTree.h"
#include "ui/WizardPages.h"
#include "ui/WizardTabBar.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTabBar>
#include <QVBoxLayout>

namespace Shell {

namespace {

/// The client area: the upper part keeps its height, the views take the rest; the window
/// may be made as low as the user likes (the views then shrink to nothing).
class ClientArea : public QWidget
{
public:
    using QWidget::QWidget;
    QSize minimumSizeHint() const override { return {0, 0}; }
};

bool sameSummary(const QList<Afl::SummaryNode>& a, const QList<Afl::SummaryNode>& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i].header != b[i].header || a[i].values.size() != b[i].values.size())
            return false;
        for (qsizetype j = 0; j < a[i].values.size(); ++j) {
            if (a[i].values[j].text != b[i].values[j].text ||
                a[i].values[j].unanswered != b[i].values[j].unanswered)
                return false;
        }
    }
    return true;
}

QString shownText(const QString& text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

} // namespace

MainWindow::MainWindow(App::TForm1& form, QWidget* parent)
    : QMainWindow(parent)
    , m_form(form)
    , m_dialogs(this)
{
    setObjectName(QStringLiteral("Form1"));
    setFont(windowFont());
    setWindowIcon(QIcon(QStringLiteral(":/orvanta.png")));
    m_form.setDialogs(&m_dialogs);
    setExceptionReporter([this](const QString& text) {
        m_form.dialogs().message(QStringLiteral("Orvanta"), text, App::Buttons::Ok,
                                 App::Icon::Error);
    });

    auto* client = new ClientArea(this);
    client->setObjectName(QStringLiteral("clientArea"));
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildUpperPart());
    layout->addWidget(buildLowerPart(), 1);
    setCentralWidget(client);
    buildMenu();
    connectModels();

    setMinimumWidth(MinimumWidth);
    resize(ClientWidth, ClientHeight + menuBar()->sizeHint().height());
    centre();
    syncWindow();
}

MainWindow::~MainWindow()
{
    // The form may outlive the window: nothing of the window stays bound to it.
    for (Controls::Button* item :
         {&m_form.Koniec1, &m_form.Symulacja1, &m_form.Ustawienia1, &m_form.Oprogramie1})
        item->setOnClick({});
    // The dialog goes before its model (a running replay is stopped by the dialog).
    delete m_simulationDialog;
    setExceptionReporter({});
    m_form.setDialogs(nullptr);
}

QFont MainWindow::windowFont()
{
    return DialogStyle::tahomaPoints(8);
}

void MainWindow::setSetup(TfmSetup* setup)
{
    m_setup = setup;
}

void MainWindow::setInfo(TfmInfo* info)
{
    m_info = info;
}

QWidget* MainWindow::buildUpperPart()
{
    auto* upper = new QWidget(this);
    upper->setObjectName(QStringLiteral("upperPart"));
    upper->setFixedHeight(UpperHeight);
    auto* row = new QHBoxLayout(upper);
    row->setContentsMargins(0, 0, 4, 0);
    row->setSpacing(4);

    m_tabBar = new WizardTabBar;
    m_tabBar->setStepDone([this](int page) { return m_form.stepDone(page); });
    m_pcTab = new PageControlWidget(&m_form.pcTab, upper, m_tabBar);
    m_pcTab->setFixedWidth(WizardWidth);
    // The page control's own background is the button face.
    QPalette face = m_pcTab->palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button));
    m_pcTab->setPalette(face);
    for (QWidget* page : WizardPages::build(m_form, m_pcTab, &m_summary))
        m_pcTab->addPageWidget(page);
    row->addWidget(m_pcTab);

    auto* column = new QVBoxLayout;
    column->setContentsMargins(0, 4, 0, 4);
    column->setSpacing(4);
    m_title = new QLabel(upper);
    m_title->setObjectName(QStringLiteral("Panel2"));
    m_title->setFixedHeight(41);
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setWordWrap(true);
    m_title->setFrameStyle(QFrame::Panel | QFrame::Raised);
    QFont bold = font();
    bold.setBold(true);
    m_title->setFont(bold);
    column->addWidget(m_title);

    m_hint = new QPlainTextEdit(upper);
    m_hint->setObjectName(QStringLiteral("Memo1"));
    m_hint->setReadOnly(true);
    m_hint->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_hint->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_hint->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_hint->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_hint->setFixedHeight(303);
    QPalette tip = m_hint->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        tip.setColor(group, QPalette::Base, tip.color(QPalette::ToolTipBase));
        tip.setColor(group, QPalette::Text, tip.color(QPalette::ToolTipText));
    }
    m_hint->setPalette(tip);
    column->addWidget(m_hint);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    buttons->addStretch(1);
    for (Controls::Button* model : {&m_form.btWstecz, &m_form.btDalej}) {
        auto* button = new ButtonWidget(model, upper);
        button->setFixedSize(std::max(74, button->sizeHint().width()),
                             std::max(19, button->sizeHint().height()));
        buttons->addWidget(button);
    }
    column->addLayout(buttons);
    column->addStretch(1);
    row->addLayout(column, 1);
    return upper;
}

QWidget* MainWindow::buildLowerPart()
{
    m_pcEdits = new PageControlWidget(&m_form.pcEdits, this);
    const std::pair<const char*, const Lex::ScriptView*> views[] = {
        {"rEdit", &m_form.rEdit}, {"rGenAFL", &m_form.rGenAFL}, {"rUwagi", &m_form.rUwagi}};
    for (const auto& [name, model] : views) {
        auto* page = new QWidget(m_pcEdits);
        auto* layout = new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* view = new ScriptViewWidget(QString::fromLatin1(name), page);
        view->setModel(model);
        layout->addWidget(view);
        m_views.append(view);
        m_pcEdits->addPageWidget(page);
    }
    return m_pcEdits;
}

void MainWindow::buildMenu()
{
    const auto action = [this](Controls::Button& model) {
        auto* item = new MenuAction(&model, this);
        m_actions.append(item);
        return item;
    };
    const auto separator = [](QMenu* menu, const char* name) {
        menu->addSeparator()->setObjectName(QString::fromLatin1(name));
    };

    QMenu* file = menuBar()->addMenu(QStringLiteral("&Plik"));
    file->setObjectName(QStringLiteral("Plik1"));
    file->addAction(action(m_form.Uruchomwizarda1));
    separator(file, "N2");
    file->addAction(action(m_form.Nowy1));
    file->addAction(action(m_form.Otwrz1));
    MenuAction* save = action(m_form.Zapisz1);
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    file->addAction(save);
    file->addAction(action(m_form.Zapiszjako1));
    separator(file, "N1");
    file->addAction(action(m_form.Koniec1));

    QMenu* options = menuBar()->addMenu(QStringLiteral("&Opcje"));
    options->setObjectName(QStringLiteral("Opcje1"));
    options->addAction(action(m_form.Symulacja1));
    separator(options, "N3");
    options->addAction(action(m_form.Ustawienia1));

    menuBar()->addAction(action(m_form.Oprogramie1));

    // The four items without a command of the form's own.
    m_form.Koniec1.setOnClick([this] { close(); });
    m_form.Symulacja1.setOnClick([this] { showSimulation(); });
    m_form.Ustawienia1.setOnClick([this] { showSetup(); });
    m_form.Oprogramie1.setOnClick([this] { showInfo(); });
}

MenuAction* MainWindow::menuAction(const QString& name) const
{
    for (MenuAction* item : m_actions) {
        if (item->objectName() == name)
            return item;
    }
    return nullptr;
}

void MainWindow::connectModels()
{
    connect(&m_form, &App::TForm1::changed, this, &MainWindow::syncWindow);
    // A handler may change a view or a StepDone flag without a window-level signal; every
    // control change is followed by a look at the window's own state.
    QList<Controls::Control*> controls{&m_form.pcTab, &m_form.pcEdits, &m_form.btWstecz,
                                       &m_form.btDalej};
    for (Controls::Page* page : m_form.pcTab.pages())
        controls.append(page->controls());
    for (Controls::Control* control : std::as_const(controls))
        connect(control, &Controls::Control::changed, this, &MainWindow::syncWindow);
}

void MainWindow::syncWindow()
{
    if (windowTitle() != m_form.caption())
        setWindowTitle(m_form.caption());
    if (m_title->text() != m_form.stepTitle())
        m_title->setText(m_form.stepTitle());
    if (m_shownHint != m_form.stepHint()) {
        m_shownHint = m_form.stepHint();
        m_hint->setPlainText(shownText(m_shownHint));
    }
    if (!sameSummary(m_shownSummary, m_form.tvSummary)) {
        m_shownSummary = m_form.tvSummary;
        m_summary->setSummary(m_shownSummary);
    }
    for (ScriptViewWidget* view : std::as_const(m_views))
        view->refresh();
    m_tabBar->update();
}

void MainWindow::showSetup()
{
    if (!m_setup)
        return;
    // Made once and shown again, so it keeps what it shows between showings.
    if (!m_setupDialog)
        m_setupDialog = new SetupDialog(*m_setup, this);
    m_setupDialog->exec();
}

void MainWindow::showInfo()
{
    if (!m_info)
        return;
    if (!m_infoDialog)
        m_infoDialog = new InfoDialog(*m_info, this);
    m_infoDialog->exec();
}

void MainWindow::showSimulation()
{
    // Made once, so the quotes file, the options and the last result stay between showings.
    if (!m_simulation) {
        m_simulation = std::make_unique<App::SimulationForm>(
            m_form.dialogs(),
            [](const App::SimulationOutcome& outcome, const QString& path) {
                return Chart::SavePng(outcome.quotes, outcome.result, path);
            },
            m_setup ? m_setup->settingsPath() : QString());
        m_simulationDialog = new SimulationDialog(*m_simulation, this);
    }
    m_simulation->takeScript(m_form);
    m_simulationDialog->open();
}

void MainWindow::centre()
{
    const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!shown)
        return;
    const QRect area = shown->availableGeometry();
    QRect frame(QPoint(), size());
    frame.moveCenter(area.center());
    move(frame.topLeft());
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    guarded([this] { m_form.FormShow(); });
    syncWindow();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // A failing query keeps the window open: nothing is lost.
    bool mayClose = false;
    guarded([this, &mayClose] { mayClose = m_form.FormCloseQuery(); });
    event->setAccepted(mayClose);
}

} // namespace Shell
