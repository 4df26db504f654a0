#pragma once
// Presentation model of the simulation dialog: the quotes file and the options of a dry run of
// the finished script, the run on a worker thread, its order table, chart data and exports.

#include "app/OrderTableModel.h"
#include "app/Simulation.h"
#include "controls/Button.h"
#include "controls/CheckBox.h"
#include "controls/Edit.h"
#include "controls/Page.h"
#include "controls/SpinEdit.h"
#include "platform/Dialogs.h"

#include <atomic>
#include <functional>
#include <memory>

#include <QObject>
#include <QString>

class QThread;

namespace App {

class TForm1;

/// The dialog "Symulacja". The window gives it the finished script (takeScript); the user picks
/// a quotes file (its folder is remembered in the settings file under QuotesDirKey), sets the
/// options and runs. The replay runs on a worker thread: progress() reports the bars done,
/// cancel() stops it; finished() follows. A run that reached the quotes fills the order table,
/// the chart's data and the result text, and enables the two exports.
class SimulationForm : public QObject
{
    Q_OBJECT
public:
    /// The settings file's key (section DATA) of the folder of the last quotes file picked.
    static inline const QString QuotesDirKey = QStringLiteral("QuotesDir");

    /// Writes the chart of a run as an image file; the reason of a failure, or nothing. The
    /// painting lives above this layer, which needs QtCore only.
    using ChartWriter =
        std::function<QString(const SimulationOutcome& outcome, const QString& path)>;

    /// settingsPath: default Platform::SettingsFilePath().
    SimulationForm(Dialogs& dialogs, ChartWriter writeChart,
                   const QString& settingsPath = QString());
    ~SimulationForm() override;
    SimulationForm(const SimulationForm&) = delete;
    SimulationForm& operator=(const SimulationForm&) = delete;

    /// The script to simulate: the finished script of the form, its source's folder for
    /// #include, and whether it has the master switch (which enables cbArm).
    void takeScript(const TForm1& form);
    void setScript(const QString& script, const QString& folder, bool hasMasterSwitch);

    /// "...": picks the quotes file, starting in the remembered folder, and remembers its folder.
    void btQuotesClick();
    /// Starts the replay on a worker; false (and a message) when an option cannot be used.
    bool btRunClick();
    /// Asks the running replay to stop after the bar it is on.
    void btCancelClick();
    /// Writes the order log as CSV to a file chosen in a save dialog; true when written.
    bool btSaveLogClick();
    /// Writes the chart as a PNG file chosen in a save dialog; true when written.
    bool btSaveChartClick();

    /// Waits for a running replay to finish and delivers it (tests; the window uses signals).
    void waitForFinished();

    bool isRunning() const { return m_worker != nullptr; }
    int progressDone() const { return m_done; }
    int progressTotal() const { return m_total; }
    /// The last outcome; its quotes and result feed the chart.
    const SimulationOutcome& outcome() const { return m_outcome; }
    /// True when the last run reached the quotes (it ran, stopped or was cancelled).
    bool hasResult() const;
    /// The counts, the failure or the reason the run did not start, and the warnings.
    QString resultText() const;
    OrderTableModel& orders() { return m_orders; }
    /// The folder remembered in the settings file; empty when the file has none.
    QString rememberedFolder() const;

    Controls::Page page;
    Controls::LabeledEdit leQuotes;
    Controls::Button btQuotes{QStringLiteral("btQuotes"), QStringLiteral("...")};
    Controls::SpinEdit seRefreshes{QStringLiteral("seRefreshes"), 1, 100, 1};
    Controls::SpinEdit seHolding{QStringLiteral("seHolding"), -1'000'000'000, 1'000'000'000, 0};
    Controls::CheckBox cbRestart;
    Controls::Edit edRestart{QStringLiteral("edRestart")};
    Controls::CheckBox cbArm;
    Controls::Button btRun;
    Controls::Button btCancel;
    Controls::Button btSaveLog;
    Controls::Button btSaveChart;

    FileDialog svOpenQuotes;
    FileDialog svSaveLog;
    FileDialog svSaveChart;

Q_SIGNALS:
    /// From the GUI thread while a replay runs, at most once per percent.
    void progress(int done, int total);
    /// A replay ended (or did not start); the outcome and the table are up to date.
    void finished();

private:
    void finish();
    void updateButtons();
    /// Runs a save dialog and write(path), which gives the reason of a failure or nothing.
    bool save(FileDialog& dialog, const std::function<QString(const QString&)>& write);
    void reportWriteFailure(const QString& path, const QString& reason);
    QString startFolder() const;

    Dialogs& m_dialogs;
    ChartWriter m_writeChart;
    QString m_settingsPath;
    QString m_script;
    QString m_scriptFolder;
    bool m_hasMasterSwitch = false;

    QThread* m_worker = nullptr;
    std::atomic_bool m_cancel = false;
    std::atomic_int m_reported = -1; // the last percent reported
    std::unique_ptr<SimulationOutcome> m_pending;
    int m_done = 0;
    int m_total = 0;
    SimulationOutcome m_outcome;
    bool m_started = false;
    OrderTableModel m_orders;
};

} // namespace App
