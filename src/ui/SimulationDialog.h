#pragma once
// The simulation dialog "Symulacja": the view of App::SimulationForm.

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QTableView;

namespace App {
class SimulationForm;
}

namespace Shell {

class ChartWidget;

/// Shows the simulation model: the quotes file with its "..." picker, the options, the run and
/// cancel buttons with a progress bar, the chart above the order table and the result text,
/// and the two exports. Every control widget is bound to the model's control of the same name;
/// closing the dialog while a replay runs cancels it.
class SimulationDialog : public QDialog
{
    Q_OBJECT
public:
    explicit SimulationDialog(App::SimulationForm& model, QWidget* parent = nullptr);

    App::SimulationForm& model() const { return m_model; }
    ChartWidget* chart() const { return m_chart; }
    QTableView* table() const { return m_table; }
    QPlainTextEdit* resultView() const { return m_result; }
    QProgressBar* progressBar() const { return m_progress; }

    void done(int result) override;

private:
    void showProgress(int done, int total);
    void showOutcome();

    App::SimulationForm& m_model;
    ChartWidget* m_chart = nullptr;
    QTableView* m_table = nullptr;
    QPlainTextEdit* m_result = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_status = nullptr;
};

} // namespace Shell
