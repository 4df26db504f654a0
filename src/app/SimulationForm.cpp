#include "app/SimulationForm.h"

#include "app/SimulationFormTexts.h"
#include "app/TForm1.h"
#include "platform/Paths.h"
#include "project/ProfileFile.h"
#include "project/ProjectTexts.h"

#include <QDir>
#include <QFileInfo>
#include <QThread>
#include <QTime>

namespace App {

namespace Texts = SimulationFormTexts;

namespace {

const QString Section = QStringLiteral("DATA");

// HH:MM or HH:MM:SS as seconds after midnight.
std::optional<int> TimeOfDay(const QString& text)
{
    for (const QString& format : {QStringLiteral("H:mm"), QStringLiteral("H:mm:ss")}) {
        const QTime time = QTime::fromString(text.trimmed(), format);
        if (time.isValid())
            return time.msecsSinceStartOfDay() / 1000;
    }
    return std::nullopt;
}

} // namespace

SimulationForm::SimulationForm(Dialogs& dialogs, ChartWriter writeChart,
                               const QString& settingsPath)
    : page(QStringLiteral("fmSimulation"), Texts::Caption)
    , leQuotes(QStringLiteral("leQuotes"), Texts::Quotes)
    , cbRestart(QStringLiteral("cbRestart"), Texts::Restart, Controls::CheckState::Unchecked)
    , cbArm(QStringLiteral("cbArm"), Texts::Arm, Controls::CheckState::Unchecked)
    , btRun(QStringLiteral("btRun"), Texts::Run)
    , btCancel(QStringLiteral("btCancel"), Texts::Cancel, false)
    , btSaveLog(QStringLiteral("btSaveLog"), Texts::SaveLog, false)
    , btSaveChart(QStringLiteral("btSaveChart"), Texts::SaveChart, false)
    , m_dialogs(dialogs)
    , m_writeChart(std::move(writeChart))
    , m_settingsPath(settingsPath.isEmpty() ? Platform::SettingsFilePath() : settingsPath)
{
    for (Controls::Control* control : std::initializer_list<Controls::Control*>{
             &leQuotes, &btQuotes, &seRefreshes, &seHolding, &cbRestart, &edRestart, &cbArm, &btRun,
             &btCancel, &btSaveLog, &btSaveChart})
        page.add(control);
    edRestart.setText(QStringLiteral("08:00"));
    edRestart.setEnabled(false);
    cbArm.setEnabled(false);
    cbRestart.setOnClick([this] { edRestart.setEnabled(cbRestart.isChecked()); });
    btQuotes.setOnClick([this] { btQuotesClick(); });
    btRun.setOnClick([this] { btRunClick(); });
    btCancel.setOnClick([this] { btCancelClick(); });
    btSaveLog.setOnClick([this] { btSaveLogClick(); });
    btSaveChart.setOnClick([this] { btSaveChartClick(); });

    svOpenQuotes.objectName = QStringLiteral("svOpenQuotes");
    svOpenQuotes.title = Texts::OpenQuotesTitle;
    svOpenQuotes.filter = Texts::QuotesFilter;
    svOpenQuotes.defaultExt = QStringLiteral("csv");
    const auto saveDialog = [](FileDialog& dialog, const QString& name, const QString& title,
                               const QString& filter, const QString& extension) {
        dialog.objectName = name;
        dialog.mode = FileDialog::Mode::Save;
        dialog.title = title;
        dialog.filter = filter;
        dialog.defaultExt = extension;
        dialog.overwritePrompt = true;
    };
    saveDialog(svSaveLog, QStringLiteral("svSaveLog"), Texts::SaveLogTitle, Texts::LogFilter,
               QStringLiteral("csv"));
    saveDialog(svSaveChart, QStringLiteral("svSaveChart"), Texts::SaveChartTitle,
               Texts::ChartFilter, QStringLiteral("png"));
}

SimulationForm::~SimulationForm()
{
    if (m_worker) {
        m_cancel = true;
        m_worker->wait();
        delete m_worker;
    }
}

void SimulationForm::takeScript(const TForm1& form)
{
    const QString source =
        form.projectData.SourcePath.isEmpty() ? form.leAFL.text() : form.projectData.SourcePath;
    setScript(form.rGenAFL.text(), source.isEmpty() ? QString() : QFileInfo(source).absolutePath(),
              form.settings.switches.masterSwitch);
}

void SimulationForm::setScript(const QString& script, const QString& folder, bool hasMasterSwitch)
{
    m_script = script;
    m_scriptFolder = folder;
    m_hasMasterSwitch = hasMasterSwitch;
    if (!hasMasterSwitch)
        cbArm.setChecked(false);
    updateButtons();
}

QString SimulationForm::rememberedFolder() const
{
    return Definicje::GetPrivateProfileString(Section, QuotesDirKey, QString(), m_settingsPath);
}

QString SimulationForm::startFolder() const
{
    if (leQuotes.hasText())
        return Platform::FolderPart(leQuotes.text());
    const QString remembered = rememberedFolder();
    return remembered.isEmpty() ? m_scriptFolder : remembered;
}

void SimulationForm::btQuotesClick()
{
    svOpenQuotes.initialDir = startFolder();
    if (!m_dialogs.run(svOpenQuotes))
        return;
    leQuotes.setText(svOpenQuotes.fileName);
    const QString folder = QFileInfo(svOpenQuotes.fileName).absolutePath();
    if (folder == rememberedFolder())
        return;
    QDir().mkpath(QFileInfo(m_settingsPath).absolutePath());
    const Platform::WriteResult written =
        Definicje::WritePrivateProfileString(Section, QuotesDirKey, folder, m_settingsPath);
    if (!written.ok)
        reportWriteFailure(m_settingsPath, written.error);
}

bool SimulationForm::btRunClick()
{
    if (m_worker || m_script.isEmpty())
        return false;
    SimulationRequest request;
    request.script = m_script;
    request.scriptFolder = m_scriptFolder;
    request.quotesPath = leQuotes.text().trimmed();
    request.options.refreshesPerBar = seRefreshes.value();
    request.options.startingHolding = seHolding.value();
    request.armed = m_hasMasterSwitch && cbArm.isChecked();
    if (cbRestart.isChecked()) {
        request.options.restartTime = TimeOfDay(edRestart.text());
        if (!request.options.restartTime) {
            m_dialogs.message(Texts::Caption, Texts::BadRestartTime(edRestart.text()), Buttons::Ok,
                              Icon::Warning);
            edRestart.requestFocus();
            return false;
        }
    }

    m_cancel = false;
    m_reported = -1;
    m_done = 0;
    m_total = 0;
    m_started = true;
    m_pending = std::make_unique<SimulationOutcome>();
    SimulationOutcome* pending = m_pending.get();
    const Sim::ReplayProgress report = [this](int done, int total) {
        const int percent = total > 0 ? int(qint64(done) * 100 / total) : 100;
        if (m_reported.exchange(percent) != percent) {
            QMetaObject::invokeMethod(
                this,
                [this, done, total] {
                    if (!m_worker)
                        return; // delivered after the replay ended
                    m_done = done;
                    m_total = total;
                    Q_EMIT this->progress(done, total);
                },
                Qt::QueuedConnection);
        }
        return !m_cancel;
    };
    m_worker =
        QThread::create([request, report, pending] { *pending = RunSimulation(request, report); });
    connect(m_worker, &QThread::finished, this, &SimulationForm::finish);
    updateButtons();
    m_worker->start();
    return true;
}

void SimulationForm::btCancelClick()
{
    m_cancel = true;
}

void SimulationForm::waitForFinished()
{
    if (!m_worker)
        return;
    m_worker->wait();
    finish();
}

void SimulationForm::finish()
{
    if (!m_worker)
        return;
    m_worker->wait();
    m_worker->deleteLater();
    m_worker = nullptr;
    m_outcome = std::move(*m_pending);
    m_pending.reset();
    m_orders.setOrders(m_outcome.result.orders);
    updateButtons();
    Q_EMIT finished();
}

bool SimulationForm::hasResult() const
{
    return m_started && m_outcome.status != SimulationStatus::BadInput &&
           m_outcome.result.status != Sim::ReplayStatus::NotRun;
}

QString SimulationForm::resultText() const
{
    QStringList parts;
    if (hasResult())
        parts.append(CountsText(m_outcome.result));
    if (!m_outcome.message.isEmpty())
        parts.append(m_outcome.message);
    parts.append(m_outcome.warnings);
    return m_started ? parts.join(QStringLiteral("\r\n")) : QString();
}

void SimulationForm::updateButtons()
{
    const bool running = m_worker != nullptr;
    btRun.setEnabled(!running && !m_script.isEmpty());
    btCancel.setEnabled(running);
    for (Controls::Control* c : std::initializer_list<Controls::Control*>{
             &leQuotes, &btQuotes, &seRefreshes, &seHolding, &cbRestart})
        c->setEnabled(!running);
    edRestart.setEnabled(!running && cbRestart.isChecked());
    cbArm.setEnabled(!running && m_hasMasterSwitch);
    btSaveLog.setEnabled(!running && hasResult());
    btSaveChart.setEnabled(!running && hasResult());
}

bool SimulationForm::save(FileDialog& dialog, const std::function<QString(const QString&)>& write)
{
    if (!hasResult())
        return false;
    dialog.initialDir = startFolder();
    if (!m_dialogs.run(dialog))
        return false;
    const QString error = write(dialog.fileName);
    if (!error.isEmpty())
        reportWriteFailure(dialog.fileName, error);
    return error.isEmpty();
}

bool SimulationForm::btSaveLogClick()
{
    return save(svSaveLog, [this](const QString& path) {
        const Platform::WriteResult written = WriteOrderLog(path, m_outcome.result);
        return written.ok ? QString() : written.error;
    });
}

bool SimulationForm::btSaveChartClick()
{
    return save(svSaveChart, [this](const QString& path) { return m_writeChart(m_outcome, path); });
}

void SimulationForm::reportWriteFailure(const QString& path, const QString& reason)
{
    m_dialogs.message(Projekt::Texts::Caption, Projekt::Texts::CannotWrite(path, reason),
                      Buttons::Ok, Icon::Warning);
}

} // namespace App
