#pragma once
// The main window: wizard pages, step title and hint, Back and Next, the script views, menu.

#include "generator/Summary.h"
#include "ui/QtDialogs.h"

#include <memory>

#include <QList>
#include <QMainWindow>

class QLabel;
class QPlainTextEdit;
class TfmInfo;
class TfmSetup;

namespace App {
class SimulationForm;
class TForm1;
} // namespace App

namespace Shell {

class ButtonWidget;
class InfoDialog;
class SetupDialog;
class SimulationDialog;
class MenuAction;
class PageControlWidget;
class ScriptViewWidget;
class SummaryTree;
class WizardTabBar;

/// Draws an App::TForm1 and forwards the user's input to it; it holds no rule of its own.
/// It installs Qt dialogs on the form (replace them with setDialogs on the form before
/// show() to script them) and runs FormShow when it is first shown.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(App::TForm1& form, QWidget* parent = nullptr);
    ~MainWindow() override;

    App::TForm1& form() const { return m_form; }
    /// The settings dialog's model (menu "&Opcje" / "&Ustawienia"); its dialog is made on
    /// first use and shown modally.
    void setSetup(TfmSetup* setup);
    /// The About window's model (menu "O p&rogramie"), shown modally the same way.
    void setInfo(TfmInfo* info);
    SetupDialog* setupDialog() const { return m_setupDialog; }
    /// The simulation dialog (menu "&Opcje" / "&Symulacja…"), made on first use with its model
    /// and shown window-modal; null until then.
    SimulationDialog* simulationDialog() const { return m_simulationDialog; }
    InfoDialog* infoDialog() const { return m_infoDialog; }

    /// Tahoma 8 pt, or the nearest font present.
    static QFont windowFont();
    /// The client area when the window opens (the menu bar comes on top).
    static constexpr int ClientWidth = 885;
    static constexpr int ClientHeight = 845;
    static constexpr int UpperHeight = 392;
    static constexpr int WizardWidth = 546;
    static constexpr int MinimumWidth = 810;

    /// The menu item of a model (Uruchomwizarda1, Nowy1, ...), null when unknown.
    MenuAction* menuAction(const QString& name) const;
    QList<MenuAction*> menuActions() const { return m_actions; }

public Q_SLOTS:
    /// Copies the window-level state of the form: caption, step texts, summary, views, tabs.
    void syncWindow();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenu();
    QWidget* buildUpperPart();
    QWidget* buildLowerPart();
    void connectModels();
    void showSetup();
    void showInfo();
    void showSimulation();
    void centre();

    App::TForm1& m_form;
    QtDialogs m_dialogs;
    TfmSetup* m_setup = nullptr;
    TfmInfo* m_info = nullptr;
    SetupDialog* m_setupDialog = nullptr;
    InfoDialog* m_infoDialog = nullptr;
    std::unique_ptr<App::SimulationForm> m_simulation;
    SimulationDialog* m_simulationDialog = nullptr;
    bool m_shown = false;

    PageControlWidget* m_pcTab = nullptr;
    WizardTabBar* m_tabBar = nullptr;
    PageControlWidget* m_pcEdits = nullptr;
    QLabel* m_title = nullptr;
    QPlainTextEdit* m_hint = nullptr;
    SummaryTree* m_summary = nullptr;
    QList<ScriptViewWidget*> m_views;
    QList<MenuAction*> m_actions;
    QList<Afl::SummaryNode> m_shownSummary;
    QString m_shownHint;
};

} // namespace Shell
