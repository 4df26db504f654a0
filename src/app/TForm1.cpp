#include "app/TForm1.h"

#include "project/TfmSetup.h"

#include <exception>

namespace App {

namespace {

/// Answers every question negatively and runs no file dialog.
class SilentDialogs : public Dialogs
{
public:
    Answer message(const QString&, const QString&, Buttons buttons, Icon) override
    {
        return Declined(buttons);
    }
    bool run(FileDialog&) override { return false; }
};

} // namespace

TForm1::TForm1(QObject* parent)
    : QObject(parent)
{
    for (int i = 0; i < WizardPageCount; ++i) {
        StepTitle.append(QString());
        StepHint.append(QString());
    }
    setInitialStates();
    buildPages();
    setUpDialogs();
    bindHandlers();
}

TForm1::~TForm1()
{
    analysis.ReleaseAnalysisLists();
}

Dialogs& TForm1::dialogs() const
{
    static SilentDialogs silent;
    return m_dialogs ? *m_dialogs : silent;
}

void TForm1::setCaption(const QString& caption)
{
    if (m_caption == caption)
        return;
    m_caption = caption;
    notifyChanged();
}

void TForm1::setStepTexts(const QString& title, const QString& hint)
{
    m_stepTitle = title;
    m_stepHint = hint;
    notifyChanged();
}

void TForm1::setInitialStates()
{
    rgTicker.setHint(QStringLiteral(
        "Zaznacz w jaki sposób wybrany jest walor do tradingu.\\r\\nJeśli wybierzesz opcję "
        "\"Pobierz...\", to skrypt będzie pracował dla każdego waloru.\\r\\n"));
    edName.setEnabled(false);
    edAccount.setEnabled(false);
    rgSignals.setEnabled(false);
    cbShow.setEnabled(false);
    cbRefresh.setEnabled(false);
    csRefresh.setEnabled(false);

    cbOneSignal.setEnabled(false);
    rgInterval.setEnabled(false);
    csDailyCap.setEnabled(false);
    cbIntSecs.setEnabled(false);
    csIntSecs.setEnabled(false);
    csIntTicks.setEnabled(false);

    rgPositions.setEnabled(false);
    csCount.setEnabled(false);
    csValue.setEnabled(false);

    edValDev.setEnabled(false);
    edCentDev.setEnabled(false);
    rgDeviation.setEnabled(false);
    edOtherPrice.setEnabled(false);
    cbLimAkt.setEnabled(false);
    cbLimAkt.setTag(1);
    edLimAkt.setEnabled(false);
    rgCentPkt.setEnabled(false);
    rgCentPkt.setColumns(2);
}

void TForm1::buildPages()
{
    for (Controls::Control* c :
         std::initializer_list<Controls::Control*>{&leAFL, &cbComments, &Button11, &Button7})
        tbStart.add(c);
    for (Controls::Control* c :
         std::initializer_list<Controls::Control*>{&rgTicker, &edName, &rgSignals, &cbShow,
                                                   &rgAccount, &edAccount, &cbRefresh, &csRefresh})
        tbOgolne.add(c);
    for (Controls::Control* c :
         std::initializer_list<Controls::Control*>{&rgInterval, &cbIntSecs, &csIntSecs, &csIntTicks,
                                                   &cbReverse, &cbOneSignal, &gbSwitches})
        tbSecurity.add(c);
    for (Controls::Control* c : std::initializer_list<Controls::Control*>{
             &cbTestMode, &cbSwitch, &cbOrderLog, &cbDailyCap, &csDailyCap})
        gbSwitches.add(c);
    for (Controls::Control* c : std::initializer_list<Controls::Control*>{
             &rgHowPosition, &rgPositions, &csCount, &csValue})
        tbPositions.add(c);
    for (Controls::Control* c : std::initializer_list<Controls::Control*>{
             &rgOrders, &rgDeviation, &edOtherPrice, &edValDev, &edCentDev, &edLimAkt, &cbLimAkt,
             &rgCentPkt, &cbPEG})
        tbOrders.add(c);
    for (Controls::Control* c :
         std::initializer_list<Controls::Control*>{&btGeneruj, &btZapisz, &btExport})
        tbEnd.add(c);
    for (Controls::Page* page : {&tbStart, &tbOgolne, &tbSecurity, &tbPositions, &tbOrders, &tbEnd})
        pcTab.addPage(page);
    for (Controls::Page* page : {&tbOryginal, &tbGenerated, &tbUwagi})
        pcEdits.addPage(page);

    QList<Controls::Control*> focusable{&btWstecz, &btDalej};
    for (Controls::Page* page :
         {&tbStart, &tbOgolne, &tbSecurity, &gbSwitches, &tbPositions, &tbOrders, &tbEnd})
        focusable.append(page->controls());
    for (Controls::Control* control : std::as_const(focusable)) {
        connect(control, &Controls::Control::focusRequested, this,
                [this, control] { m_focusRequest = control; });
    }
}

QList<Controls::Page*> TForm1::optionPages() const
{
    auto* self = const_cast<TForm1*>(this);
    return {&self->tbStart, &self->tbOgolne, &self->tbSecurity, &self->tbPositions,
            &self->tbOrders};
}

QList<Controls::Page*> TForm1::switchPages() const
{
    return {const_cast<Controls::Page*>(&gbSwitches)};
}

void TForm1::setUpDialogs()
{
    svOpenAFL.objectName = QStringLiteral("svOpenAFL");
    svOpenAFL.mode = FileDialog::Mode::Open;
    svOpenAFL.title = QStringLiteral("Otwórz skrypt AFL");
    svOpenAFL.filter = QStringLiteral("Plik AFL|*afl|Plik tekstowy|*.txt|Dowolny plik|*.*");
    svOpenAFL.defaultExt = QStringLiteral("*.afl");

    svOpenProject.objectName = QStringLiteral("svOpenProject");
    svOpenProject.mode = FileDialog::Mode::Open;
    svOpenProject.title = QStringLiteral("Otwórz projekt");
    svOpenProject.filter = QStringLiteral("Projekt|*afp");
    svOpenProject.defaultExt = QStringLiteral("afp");

    svSaveProject.objectName = QStringLiteral("svSaveProject");
    svSaveProject.mode = FileDialog::Mode::Save;
    svSaveProject.title = QStringLiteral("Zapisz projekt");
    svSaveProject.filter = QStringLiteral("Projekt|*.AFP");
    svSaveProject.defaultExt = QStringLiteral("afp");
    svSaveProject.overwritePrompt = true;

    for (FileDialog* dialog : {&svSaveAFL, &svExportAFL}) {
        dialog->mode = FileDialog::Mode::Save;
        dialog->title = QStringLiteral("Zapisz skrypt AFL");
        dialog->filter = QStringLiteral("Skrypt AFL|*.afl|Plik tekstowy|*.txt");
        dialog->defaultExt = QStringLiteral("afl");
        dialog->overwritePrompt = true;
    }
    svSaveAFL.objectName = QStringLiteral("svSaveAFL");
    svExportAFL.objectName = QStringLiteral("svExportAFL");
}

void TForm1::bindHandlers()
{
    rgTicker.setOnClick([this] { rgTickerClick(); });
    edName.setOnChange([this] { edNameChange(); });
    rgAccount.setOnClick([this] { rgAccountClick(); });
    edAccount.setOnChange([this] { edAccountChange(); });
    rgSignals.setOnClick([this] { rgSignalsClick(); });
    cbShow.setOnClick([this] { cbShowClick(); });
    cbRefresh.setOnClick([this] { cbRefreshClick(); });
    cbReverse.setOnClick([this] { cbReverseClick(); });
    cbOneSignal.setOnClick([this] { cbOneSignalClick(); });
    rgInterval.setOnClick([this] { rgIntervalClick(); });
    rgHowPosition.setOnClick([this] { rgHowPositionClick(); });
    rgPositions.setOnClick([this] { rgPositionsClick(); });
    rgOrders.setOnClick([this] { rgOrdersClick(); });
    // Choosing an option that makes an edit required puts the focus into that edit (the
    // handlers themselves also run nested, where the focus must stay where it is).
    rgDeviation.setOnClick([this] {
        rgDeviationClick();
        if (rgDeviation.itemIndex() == 2)
            focusOnPage(edOtherPrice, PageOrders);
    });
    cbLimAkt.setOnClick([this] {
        cbLimAktClick();
        if (cbLimAkt.isChecked())
            focusOnPage(edLimAkt, PageOrders);
    });
    cbLimAkt.setOnMouseDown([this] { cbLimAktMouseDown(); });
    rgCentPkt.setOnClick([this] { rgCentPktClick(); });
    for (Controls::Edit* edit : {&edOtherPrice, &edValDev, &edCentDev, &edLimAkt})
        edit->setOnChange([this, edit] { edLimAktChange(*edit); });
    cbPEG.setOnClick([this] { cbPEGClick(); });
    cbTestMode.setOnClick([this] { cbTestModeClick(); });
    cbSwitch.setOnClick([this] { cbSwitchClick(); });
    cbOrderLog.setOnClick([this] { cbOrderLogClick(); });
    cbDailyCap.setOnClick([this] { cbDailyCapClick(); });
    csDailyCap.setOnChange([this] { csDailyCapChange(); });

    // Back is never usable on the first page, however that page became current.
    connect(&pcTab, &Controls::Control::changed, this, [this] {
        if (pcTab.currentIndex() == PageStart)
            btWstecz.setEnabled(false);
    });
    // Load has nothing to load while the path is empty.
    connect(&leAFL, &Controls::Control::changed, this, [this] {
        if (!leAFL.hasText())
            Button7.setEnabled(false);
    });
    connect(&btZapisz, &Controls::Control::changed, this,
            [this] { Symulacja1.setEnabled(btZapisz.isEnabled()); });
    pcTab.setOnChanging([this] { pcTabChanging(); });
    pcTab.setOnChange([this] { pcTabChange(); });
    tbEnd.setOnShow([this] { tbEndShow(); });

    const auto bind = [this](Controls::Button& button, void (TForm1::*handler)()) {
        button.setOnClick([this, handler] { guarded([this, handler] { (this->*handler)(); }); });
    };
    bind(Button11, &TForm1::Button11Click);
    bind(Button7, &TForm1::Button7Click);
    bind(btGeneruj, &TForm1::btGenerujClick);
    bind(btZapisz, &TForm1::btZapiszClick);
    bind(btExport, &TForm1::btExportClick);
    bind(btWstecz, &TForm1::btWsteczClick);
    bind(btDalej, &TForm1::btDalejClick);
    bind(Uruchomwizarda1, &TForm1::Uruchomwizarda1Click);
    bind(Nowy1, &TForm1::Nowy1Click);
    bind(Otwrz1, &TForm1::Otwrz1Click);
    bind(Zapisz1, &TForm1::Zapisz1Click);
    bind(Zapiszjako1, &TForm1::Zapiszjako1Click);
}

void TForm1::guarded(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& e) {
        dialogs().message(QStringLiteral("Orvanta"), QString::fromLocal8Bit(e.what()), Buttons::Ok,
                          Icon::Error);
    } catch (...) {
        dialogs().message(QStringLiteral("Orvanta"), QString(), Buttons::Ok, Icon::Error);
    }
    notifyChanged();
}

void TForm1::focusOnPage(Controls::Edit& edit, int page)
{
    if (edit.isEnabled() && pcTab.currentIndex() == page)
        edit.requestFocus();
}

void TForm1::hideTabsFrom(int first)
{
    for (int i = first; i < WizardPageCount; ++i)
        pcTab.setTabVisible(i, false);
}

void TForm1::ClearProject()
{
    projectData.clear();
    for (bool& done : StepDone)
        done = false;
}

QString TForm1::aflDirectory() const
{
    if (m_setup)
        return m_setup->leAFLDir.text();
    return QString();
}

QString TForm1::projectDirectory() const
{
    if (m_setup)
        return m_setup->leProjectDir.text();
    return QString();
}

} // namespace App
