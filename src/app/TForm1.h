#pragma once
// Presentation model of the main window: every wizard control, the views, flags and handlers.

#include "analysis/AnalysisContext.h"
#include "analysis/ScriptView.h"
#include "app/Dialogs.h"
#include "controls/Button.h"
#include "controls/CheckBox.h"
#include "controls/ComboBox.h"
#include "controls/Edit.h"
#include "controls/PageControl.h"
#include "controls/RadioGroup.h"
#include "controls/SpinEdit.h"
#include "generator/GeneratorSettings.h"
#include "generator/GeneratorTexts.h"
#include "generator/Pipeline.h"
#include "generator/Summary.h"
#include "project/ProjectData.h"

#include <array>
#include <functional>
#include <optional>

#include <QLocale>
#include <QObject>
#include <QStringList>

class TfmSetup;

namespace App {

/// The main window without a window: controls, views, run-time flags and every handler.
/// The Qt shell draws it and forwards input; tests and the command line drive it directly.
class TForm1 : public QObject
{
    Q_OBJECT
public:
    /// Page indexes of pcTab.
    enum PageIndex
    {
        PageStart = 0,
        PageGeneral = 1,
        PageSafeguards = 2,
        PagePositions = 3,
        PageOrders = 4,
        PageEnd = 5,
    };
    static constexpr int WizardPageCount = 6;

    explicit TForm1(QObject* parent = nullptr);
    ~TForm1() override;

    void setDialogs(Dialogs* dialogs) { m_dialogs = dialogs; }
    /// The dialogs in use; a silent one (No, Cancel, no file) while none was set.
    Dialogs& dialogs() const;
    void setSetup(TfmSetup* setup) { m_setup = setup; }
    TfmSetup* setup() const { return m_setup; }
    /// The user's locale for numbers typed into the edits and shown in the summary.
    void setLocale(const QLocale& locale) { m_locale = locale; }
    const QLocale& locale() const { return m_locale; }

    // Window-level texts the shell shows.
    const QString& caption() const { return m_caption; }
    void setCaption(const QString& caption);
    /// Text of the step title panel (Panel2) and of the hint box (Memo1).
    const QString& stepTitle() const { return m_stepTitle; }
    const QString& stepHint() const { return m_stepHint; }
    /// The control most recently asked to take the keyboard focus (null when none).
    Controls::Control* focusRequest() const { return m_focusRequest; }

    // ---- Page 0 "Start"
    Controls::LabeledEdit leAFL{QStringLiteral("leAFL"), QStringLiteral("Wczytaj kod AFL:")};
    Controls::CheckBox cbComments{QStringLiteral("cbComments"),
                                  QStringLiteral("Generuj komentarze do kodu wynikowego"),
                                  Controls::CheckState::Checked};
    Controls::Button Button11{QStringLiteral("Button11"), QStringLiteral("&Wybierz...")};
    Controls::Button Button7{QStringLiteral("Button7"), QStringLiteral("Wczytaj"), false};

    // ---- Page 1 "Ogólne"
    Controls::RadioGroup rgTicker{
        QStringLiteral("rgTicker"),
        QStringLiteral("Walory"),
        {QStringLiteral("Pobierz z wykresu w Amibrokerze"), QStringLiteral("Zdefiniuj:")}};
    Controls::Edit edName{QStringLiteral("edName")};
    Controls::RadioGroup rgSignals{QStringLiteral("rgSignals"),
                                   QStringLiteral("Sygnały BUY/SELL"),
                                   {QStringLiteral("sygnał pada w bieżącej świeczce"),
                                    QStringLiteral("sygnał pada w poprzedniej świeczce")}};
    Controls::CheckBox cbShow{QStringLiteral("cbShow"),
                              QStringLiteral("Wyświetl sygnały kupna/sprzedaży"),
                              Controls::CheckState::Grayed};
    Controls::RadioGroup rgAccount{
        QStringLiteral("rgAccount"),
        QStringLiteral("Numer rachunku"),
        {QStringLiteral("Określony automatycznie na podstawie nazwy waloru"),
         QStringLiteral("Zdefiniuj:")}};
    Controls::Edit edAccount{QStringLiteral("edAccount")};
    Controls::CheckBox cbRefresh{QStringLiteral("cbRefresh"),
                                 QStringLiteral("Automatycznie odświeżaj wykres co [sek]:"),
                                 Controls::CheckState::Grayed};
    Controls::SpinEdit csRefresh{QStringLiteral("csRefresh"), 1, 3600, 1};

    // ---- Page 2 "Zabezpieczenia"
    Controls::RadioGroup rgInterval{
        QStringLiteral("rgInterval"),
        QStringLiteral("Interwał"),
        {QStringLiteral("Pobierz z wykresu w Amibrokerze (brak zabezpieczenia)"),
         QStringLiteral("Standardowy:"), QStringLiteral("Dowolny w sekundach:"),
         QStringLiteral("Dowolny w tickach:")}};
    Controls::ComboBox cbIntSecs{QStringLiteral("cbIntSecs"),
                                 {QStringLiteral("1 Dzień"), QStringLiteral("1 Godzina"),
                                  QStringLiteral("15 minut"), QStringLiteral("5 minut"),
                                  QStringLiteral("1 minuta"), QStringLiteral("15 sekund"),
                                  QStringLiteral("5 sekund"), QStringLiteral("1 sekunda")},
                                 3};
    Controls::SpinEdit csIntSecs{QStringLiteral("csIntSecs"), 0, 100000000, 300};
    Controls::SpinEdit csIntTicks{QStringLiteral("csIntTicks"), 1, 100000000, 100};
    /// Caption of the frame around cbReverse and cbOneSignal.
    static inline const QString ReverseFrameCaption = QStringLiteral("Zlecenia-transakcje");
    Controls::CheckBox cbReverse{QStringLiteral("cbReverse"),
                                 QStringLiteral("Następna transakcja odwrotna do poprzedniej"),
                                 Controls::CheckState::Grayed};
    Controls::CheckBox cbOneSignal{QStringLiteral("cbOneSignal"),
                                   QStringLiteral("Tylko jedno zlecenie w świeczce"),
                                   Controls::CheckState::Grayed};
    /// The group of safety switches below the page's questions; a container of its own, so
    /// its keys follow every other key of a project (switchPages).
    Controls::Page gbSwitches{QStringLiteral("gbSwitches"), Afl::Texts::SwitchesCaption};
    Controls::CheckBox cbTestMode{QStringLiteral("cbTestMode"), Afl::Texts::TestModeCaption,
                                  Controls::CheckState::Unchecked};
    Controls::CheckBox cbSwitch{QStringLiteral("cbSwitch"), Afl::Texts::MasterSwitchCaption,
                                Controls::CheckState::Unchecked};
    Controls::CheckBox cbOrderLog{QStringLiteral("cbOrderLog"), Afl::Texts::OrderLogCaption,
                                  Controls::CheckState::Unchecked};
    /// "Najwyżej" [csDailyCap] "zleceń dziennie".
    Controls::CheckBox cbDailyCap{QStringLiteral("cbDailyCap"), Afl::Texts::DailyCapBefore,
                                  Controls::CheckState::Unchecked};
    static constexpr int DailyCapDefault = 10;
    Controls::SpinEdit csDailyCap{QStringLiteral("csDailyCap"), 1, 100, DailyCapDefault};

    // ---- Page 3 "Pozycje"
    Controls::RadioGroup rgHowPosition{
        QStringLiteral("rgHowPosition"),
        QStringLiteral("Operowanie pozycjami"),
        {QStringLiteral("Dokup aby osiągnąć docelową ilość (wartość)/Sprzedaj wszystko"),
         QStringLiteral("Wielkość (wartość) pozycji określona przez system")}};
    Controls::RadioGroup rgPositions{
        QStringLiteral("rgPositions"),
        QStringLiteral("Pozycje"),
        {QStringLiteral("Wielkość pozycji (szt.)"), QStringLiteral("Wartość pozycji  (zł)")}};
    Controls::SpinEdit csCount{QStringLiteral("csCount"), 1, 1000000000, 1};
    Controls::SpinEdit csValue{QStringLiteral("csValue"), 1, 1000000000, 1};

    // ---- Page 4 "Zlecenia"
    Controls::RadioGroup rgOrders{QStringLiteral("rgOrders"),
                                  QStringLiteral("Wyślij zlecenie"),
                                  {QStringLiteral("PKC"), QStringLiteral("Z limitem (zł/pkt.)"),
                                   QStringLiteral("Z limitem (% odchylenia)")}};
    Controls::RadioGroup rgDeviation{
        QStringLiteral("rgDeviation"),
        QStringLiteral("Odchylenie lub/i limit aktywacji względem"),
        {QStringLiteral("Kursu odniesienia (zamknięcie poprzedniego dnia)"),
         QStringLiteral("Kursu ostatniej transakcji"), QStringLiteral("Innego kursu:")}};
    Controls::Edit edOtherPrice{QStringLiteral("edOtherPrice")};
    Controls::Edit edValDev{QStringLiteral("edValDev")};
    Controls::Edit edCentDev{QStringLiteral("edCentDev")};
    Controls::Edit edLimAkt{QStringLiteral("edLimAkt")};
    Controls::CheckBox cbLimAkt{QStringLiteral("cbLimAkt"),
                                QStringLiteral("Dodaj limit aktywacji:"),
                                Controls::CheckState::Grayed};
    Controls::RadioGroup rgCentPkt{
        QStringLiteral("rgCentPkt"), QString(), {QStringLiteral("%"), QStringLiteral("zł/pkt.")}};
    Controls::CheckBox cbPEG{QStringLiteral("cbPEG"), QStringLiteral("Zlecenie PEG"),
                             Controls::CheckState::Unchecked};

    // ---- Page 5 "Zakończ"
    Controls::Button btGeneruj{QStringLiteral("btGeneruj"), QStringLiteral("Wygeneruj  AFL")};
    Controls::Button btZapisz{QStringLiteral("btZapisz"), QStringLiteral("Zapisz AFL"), false};
    Controls::Button btExport{QStringLiteral("btExport"),
                              QStringLiteral("Eksportuj AFL do Amibrokera"), false};
    /// The summary tree: nine headers with their values in display order (tbEndShow).
    QList<Afl::SummaryNode> tvSummary;

    // ---- Navigation
    Controls::Button btWstecz{QStringLiteral("btWstecz"), QStringLiteral("<- Wstecz"), false};
    Controls::Button btDalej{QStringLiteral("btDalej"), QStringLiteral("Dalej ->"), false};

    // ---- Main menu
    Controls::Button Uruchomwizarda1{QStringLiteral("Uruchomwizarda1"),
                                     QStringLiteral("Start &wizard")};
    Controls::Button Nowy1{QStringLiteral("Nowy1"), QStringLiteral("&Nowy projekt")};
    Controls::Button Otwrz1{QStringLiteral("Otwrz1"), QStringLiteral("&Otwórz projekt...")};
    Controls::Button Zapisz1{QStringLiteral("Zapisz1"), QStringLiteral("Zapi&sz"), false};
    Controls::Button Zapiszjako1{QStringLiteral("Zapiszjako1"),
                                 QStringLiteral("Zapisz projekt &jako...")};
    Controls::Button Koniec1{QStringLiteral("Koniec1"), QStringLiteral("&Koniec")};
    /// "Symulacja…": enabled exactly while "Zapisz AFL" is (a finished script is there to save).
    Controls::Button Symulacja1{QStringLiteral("Symulacja1"), QStringLiteral("&Symulacja…"), false};
    Controls::Button Ustawienia1{QStringLiteral("Ustawienia1"), QStringLiteral("&Ustawienia")};
    Controls::Button Oprogramie1{QStringLiteral("Oprogramie1"), QStringLiteral("O p&rogramie")};

    // ---- Pages; each holds its direct controls in the project file's key order.
    Controls::Page tbStart{QStringLiteral("tbStart"), QStringLiteral("Start")};
    Controls::Page tbOgolne{QStringLiteral("tbOgolne"), QStringLiteral("Ogólne")};
    Controls::Page tbSecurity{QStringLiteral("tbSecurity"), QStringLiteral("Zabezpieczenia")};
    Controls::Page tbPositions{QStringLiteral("tbPositions"), QStringLiteral("Pozycje")};
    Controls::Page tbOrders{QStringLiteral("tbOrders"), QStringLiteral("Zlecenia")};
    Controls::Page tbEnd{QStringLiteral("tbEnd"), QStringLiteral("Zakończ")};
    Controls::PageControl pcTab{QStringLiteral("pcTab")};

    Controls::Page tbOryginal{QStringLiteral("tbOryginal"), QStringLiteral("Oryginalny AFL")};
    Controls::Page tbGenerated{QStringLiteral("tbGenerated"), QStringLiteral("Wygenerowany AFL")};
    Controls::Page tbUwagi{QStringLiteral("tbUwagi"), QStringLiteral("Uwagi")};
    Controls::PageControl pcEdits{QStringLiteral("pcEdits")};

    /// The five pages whose controls a project stores, in the file's order.
    QList<Controls::Page*> optionPages() const;
    /// The containers whose controls a project stores after the panel keys.
    QList<Controls::Page*> switchPages() const;

    // ---- Views
    Lex::ScriptView rEdit;
    Lex::ScriptView rGenAFL;
    Lex::ScriptView rUwagi;

    // ---- File dialogs of the window (each remembers its last file name)
    FileDialog svOpenAFL;
    FileDialog svOpenProject;
    FileDialog svSaveProject;
    FileDialog svSaveAFL;
    FileDialog svExportAFL;

    // ---- Run-time state
    /// One flag per wizard page: the page was completed (see stepDone for reading it).
    std::array<bool, WizardPageCount> StepDone{};
    bool ProjectModified = false;
    bool GeneratedUnsaved = false;
    bool ProjectAutoSaved = false;
    bool ScriptAccepted = false;
    /// Lines of the loaded script (after a generation: of the finished one); empty optional
    /// until a script is first loaded or a project opened.
    std::optional<QStringList> SourceLines;
    Projekt::ProjectData projectData;
    Lex::AnalysisContext analysis;
    Afl::GeneratorSettings settings;
    /// StepTitle and StepHint, six texts each, filled once by FillStepTexts.
    QStringList StepTitle;
    QStringList StepHint;

    // ---- Options (TForm1Options.cpp)
    void MarkModified();
    void ResetOptions();
    bool CheckGeneralStep();
    bool CheckSafeguardsStep();
    bool CheckPositionsStep();
    bool CheckOrdersStep();
    void rgTickerClick();
    void edNameChange();
    void rgAccountClick();
    void edAccountChange();
    void rgSignalsClick();
    void cbShowClick();
    void cbRefreshClick();
    void cbReverseClick();
    void cbOneSignalClick();
    void rgIntervalClick();
    void rgHowPositionClick();
    void rgPositionsClick();
    void rgOrdersClick();
    void rgDeviationClick();
    void cbLimAktMouseDown();
    void cbLimAktClick();
    void rgCentPktClick();
    /// One change handler for edOtherPrice, edValDev, edCentDev and edLimAkt.
    void edLimAktChange(Controls::Edit& sender);
    /// The user's click on cbPEG: rebuilds the order list without a selection.
    void cbPEGClick();
    /// The safety switches: each marks the project modified (cbDailyCap also enables the
    /// spin edit); none is a question of the step.
    void cbTestModeClick();
    void cbSwitchClick();
    void cbOrderLogClick();
    void cbDailyCapClick();
    void csDailyCapChange();
    /// Whether cbLimAkt's from-grayed marker (the sign of its tag) is armed.
    bool limAktFromGrayed() const { return cbLimAkt.tag() < 0; }
    /// Empties ProjectData and every StepDone flag.
    void ClearProject();

    // ---- Completeness (TForm1Steps.cpp)
    /// Whether the step of page is done; false for an index outside the pages.
    bool stepDone(int page) const;
    /// The first control of page that still needs an answer, in the order the user answers
    /// them; null when the page is complete. The step checks and the focus both ask it.
    Controls::Control* firstUnanswered(int page) const;
    /// The page index of the first of steps 1 to 5 that is not done or whose controls are
    /// not all answered; -1 when there is none.
    int firstIncompleteStep() const;
    /// Generation is possible: every step of 1 to 5 is done and its controls are answered.
    /// The generate button, its command and the command line all ask this.
    bool generationAllowed() const { return firstIncompleteStep() < 0; }

    // ---- Navigation (TForm1Navigation.cpp)
    void btDalejClick();
    void btWsteczClick();
    void pcTabChanging();
    void pcTabChange();
    void Uruchomwizarda1Click();
    /// Shows the title and hint of page in the title panel and the hint box.
    void ShowStep(int page);
    /// Fills StepTitle and StepHint from Dymki.
    void FillStepTexts();

    // ---- Loading the source script (TForm1Script.cpp)
    void Button11Click();
    void Button7Click();
    void CheckLoadedScript();

    // ---- Summary and generation (TForm1Generate.cpp)
    void tbEndShow();
    /// The option controls as the capture of the settings block reads them.
    Afl::OptionSnapshot optionSnapshot() const;
    void btGenerujClick();
    /// What the last generation of this run found and whether it succeeded (its lines are
    /// in SourceLines); a failed, empty result before the first.
    const Afl::GenerationResult& lastGeneration() const { return m_lastGeneration; }

    // ---- Project and output commands (TForm1Project.cpp, TForm1Output.cpp)
    void FormShow();
    void Nowy1Click();
    void Otwrz1Click();
    /// Opens the project file path as the Open command does after its dialog.
    void OpenProjectFile(const QString& path);
    void Zapisz1Click();
    void Zapiszjako1Click();
    /// True when the window may close (asks to save a modified project).
    bool FormCloseQuery();
    void btZapiszClick();
    void btExportClick();

    /// The settings dialog's default folder of AFL formulas (empty without a settings model).
    QString aflDirectory() const;
    /// The settings dialog's default folder of projects (empty without a settings model).
    QString projectDirectory() const;

Q_SIGNALS:
    /// Window-level state changed: caption, step title or hint, summary, flags or views.
    void changed();

protected:
    /// Runs a command; an exception that escapes it is shown through Dialogs.
    void guarded(const std::function<void()>& command);
    /// Sets btDalej from a step check's result.
    void updateNext(bool complete) { btDalej.setEnabled(complete); }
    /// Asks edit for the focus when it is enabled and page is the current page.
    void focusOnPage(Controls::Edit& edit, int page);
    /// After navigation: the focus goes to the first unanswered control of the page shown,
    /// else to Next, else (summary) to the generate button or Back.
    void focusShownStep();
    void hideTabsFrom(int first);
    /// After a script that could not be read: the path is marked, step 1 is not done, Next
    /// is disabled and the later tabs are hidden.
    void scriptNotLoaded();
    /// After an accepted script: the source view in front, or the remarks when the load
    /// wrote any (its syntax errors).
    void showLoadedScript();
    /// Rebuilds the order list; keepOrder selects the previous order type again.
    void rebuildOrders(bool keepOrder);
    void setStepTexts(const QString& title, const QString& hint);
    void notifyChanged() { Q_EMIT changed(); }

private:
    void buildPages();
    void bindHandlers();
    void setInitialStates();
    void setUpDialogs();

    Dialogs* m_dialogs = nullptr;
    TfmSetup* m_setup = nullptr;
    QLocale m_locale = QLocale::system();
    QString m_caption = QStringLiteral("Orvanta");
    QString m_stepTitle;
    QString m_stepHint;
    Controls::Control* m_focusRequest = nullptr;
    Afl::GenerationResult m_lastGeneration;
};

} // namespace App
