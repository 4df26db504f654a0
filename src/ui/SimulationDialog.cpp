#include "ui/SimulationDialog.h"

#include "app/SimulationForm.h"
#include "app/SimulationFormTexts.h"
#include "app/SimulationTexts.h"
#include "ui/ButtonWidget.h"
#include "ui/ChartWidget.h"
#include "ui/CheckBoxWidget.h"
#include "ui/EditWidget.h"
#include "ui/SpinEditWidget.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

namespace Shell {

namespace Texts = App::SimulationFormTexts;

namespace {

// The order table as the view shows it: refused orders in grey.
class OrderTableView final : public QIdentityProxyModel
{
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role == Qt::ForegroundRole && index.data(App::OrderTableModel::RefusedRole).toBool())
            return QColor(Qt::gray);
        return QIdentityProxyModel::data(index, role);
    }
};

} // namespace

SimulationDialog::SimulationDialog(App::SimulationForm& model, QWidget* parent)
    : QDialog(parent)
    , m_model(model)
{
    setObjectName(QStringLiteral("fmSimulation"));
    setWindowTitle(model.page.caption());
    setSizeGripEnabled(true);
    auto* layout = new QVBoxLayout(this);

    // The quotes file and the options.
    auto* options = new QGridLayout;
    auto* quotes = new EditWidget(&model.leQuotes, this);
    auto* quotesLabel = new QLabel(model.leQuotes.label(), this);
    quotesLabel->setBuddy(quotes);
    options->addWidget(quotesLabel, 0, 0);
    options->addWidget(quotes, 0, 1, 1, 5);
    options->addWidget(new ButtonWidget(&model.btQuotes, this), 0, 6);
    auto* refreshes = new SpinEditWidget(&model.seRefreshes, this);
    auto* refreshesLabel = new QLabel(Texts::Refreshes, this);
    refreshesLabel->setBuddy(refreshes);
    options->addWidget(refreshesLabel, 1, 0);
    options->addWidget(refreshes, 1, 1);
    auto* holding = new SpinEditWidget(&model.seHolding, this);
    auto* holdingLabel = new QLabel(Texts::Holding, this);
    holdingLabel->setBuddy(holding);
    options->addWidget(holdingLabel, 1, 2, Qt::AlignRight);
    options->addWidget(holding, 1, 3);
    auto* restart = new QHBoxLayout;
    restart->addWidget(new CheckBoxWidget(&model.cbRestart, this));
    auto* restartTime = new EditWidget(&model.edRestart, this);
    restartTime->setMaximumWidth(
        restartTime->fontMetrics().horizontalAdvance(QStringLiteral("00:00:00")) * 2);
    restart->addWidget(restartTime);
    options->addLayout(restart, 1, 4);
    options->addWidget(new CheckBoxWidget(&model.cbArm, this), 1, 5);
    options->setColumnStretch(5, 1);
    layout->addLayout(options);

    // Run, cancel and progress.
    auto* running = new QHBoxLayout;
    auto* run = new ButtonWidget(&model.btRun, this);
    run->setDefault(true);
    running->addWidget(run);
    running->addWidget(new ButtonWidget(&model.btCancel, this));
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progress"));
    m_progress->setTextVisible(true);
    m_progress->setFormat(QStringLiteral("%p%"));
    m_progress->setValue(0);
    running->addWidget(m_progress, 1);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("status"));
    running->addWidget(m_status);
    layout->addLayout(running);

    // The chart above the table and the result text.
    auto* split = new QSplitter(Qt::Vertical, this);
    m_chart = new ChartWidget(split);
    auto* lower = new QSplitter(Qt::Horizontal, split);
    m_table = new QTableView(lower);
    m_table->setObjectName(QStringLiteral("orders"));
    auto* orders = new OrderTableView(m_table);
    orders->setSourceModel(&model.orders());
    m_table->setModel(orders);
    m_table->setAlternatingRowColors(true);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_result = new QPlainTextEdit(lower);
    m_result->setObjectName(QStringLiteral("result"));
    m_result->setReadOnly(true);
    lower->setStretchFactor(0, 3);
    lower->setStretchFactor(1, 1);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    // The chart first, and room for a dozen orders below it.
    split->setSizes({390, 250});
    layout->addWidget(split, 1);

    // Exports and close.
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new ButtonWidget(&model.btSaveLog, this));
    bottom->addWidget(new ButtonWidget(&model.btSaveChart, this));
    bottom->addStretch(1);
    auto* close = new QPushButton(Texts::Close, this);
    close->setObjectName(QStringLiteral("btClose"));
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    bottom->addWidget(close);
    layout->addLayout(bottom);

    connect(&model, &App::SimulationForm::progress, this, &SimulationDialog::showProgress);
    connect(&model, &App::SimulationForm::finished, this, &SimulationDialog::showOutcome);
    connect(&model.btRun, &Controls::Control::changed, this, [this] {
        if (m_model.isRunning()) {
            m_progress->setValue(0);
            m_status->clear();
        }
    });
    resize(1100, 780);
    showOutcome();
}

void SimulationDialog::showProgress(int done, int total)
{
    m_progress->setMaximum(std::max(total, 1));
    m_progress->setValue(done);
    m_status->setText(App::SimulationTexts::Progress(done, total));
}

void SimulationDialog::showOutcome()
{
    const App::SimulationOutcome& outcome = m_model.outcome();
    m_chart->setData(outcome.quotes, outcome.result);
    m_result->setPlainText(m_model.resultText());
    m_table->resizeColumnsToContents();
    if (m_model.hasResult()) {
        m_progress->setMaximum(std::max<int>(int(outcome.quotes.bars.size()), 1));
        m_progress->setValue(outcome.result.barsRun);
    }
    m_status->clear();
}

void SimulationDialog::done(int result)
{
    // A replay still running is stopped before the dialog goes.
    if (m_model.isRunning()) {
        m_model.btCancelClick();
        m_model.waitForFinished();
    }
    QDialog::done(result);
}

} // namespace Shell
