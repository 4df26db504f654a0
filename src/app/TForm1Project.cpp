// Project commands of the main window: start-up, New, Open, Save, Save As and the close query.

#include "analysis/Highlighter.h"
#include "app/ProjectSaving.h"
#include "app/TForm1.h"
#include "platform/GetAmiBrokerDir.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "project/ProfileFile.h"
#include "project/ProjectTexts.h"
#include "project/Projekt.h"
#include "project/TfmSetup.h"

#include <cstdlib>

#include <QDir>
#include <QFileInfo>

namespace App {

namespace Texts = Projekt::Texts;

bool SaveProjectAndReport(TForm1& form, const QString& path)
{
    const Platform::WriteResult result =
        Projekt::SaveProject(path, form.projectData, form.optionPages(),
                             std::span<const bool>(form.StepDone), form.switchPages());
    if (!result.ok) {
        form.dialogs().message(Texts::Caption, Texts::CannotWrite(path, result.error), Buttons::Ok,
                               Icon::Warning);
        return false;
    }
    if (result.outsideWindows1250)
        form.rUwagi.appendLine(Texts::Utf8Remark);
    return true;
}

SaveAsOutcome RunSaveAs(TForm1& form)
{
    if (!form.projectData.ProjectPath.isEmpty())
        form.svSaveProject.fileName = form.projectData.ProjectPath;
    else
        form.svSaveProject.initialDir = form.projectDirectory();
    if (!form.dialogs().run(form.svSaveProject))
        return SaveAsOutcome::Cancelled;
    if (!SaveProjectAndReport(form, form.svSaveProject.fileName))
        return SaveAsOutcome::Failed;
    form.ProjectModified = false;
    form.setCaption(QStringLiteral("Orvanta [") + form.projectData.ProjectPath + u']');
    return SaveAsOutcome::Saved;
}

namespace {

/// Saves the project into its file, or through Save As while it has none.
SaveAsOutcome saveOrSaveAs(TForm1& form)
{
    if (!form.projectData.ProjectPath.isEmpty())
        return SaveProjectAndReport(form, form.projectData.ProjectPath) ? SaveAsOutcome::Saved
                                                                        : SaveAsOutcome::Failed;
    return RunSaveAs(form);
}

/// The question before New and Open; the command goes on whatever the answer.
void askToSaveFirst(TForm1& form)
{
    if (!form.ProjectModified)
        return;
    if (form.dialogs().message(Texts::QuestionCaption, Texts::ProjectChanged, Buttons::YesNo,
                               Icon::None) == Answer::Yes)
        saveOrSaveAs(form);
}

} // namespace

void TForm1::FormShow()
{
    FillStepTexts();
    if (m_setup && m_setup->leAFLDir.text().isEmpty())
        m_setup->leAFLDir.setText(Platform::GetAmiBrokerDir() + QStringLiteral("/Formulas/Custom"));
    ProjectModified = false;
    ShowStep(PageStart);
    Nowy1Click();
    Platform::RecordStartDirectory();
    notifyChanged();
}

void TForm1::Nowy1Click()
{
    askToSaveFirst(*this);
    analysis.ResetReservedNames(true);
    if (SourceLines)
        SourceLines->clear();
    rEdit.clear();
    rGenAFL.clear();
    rUwagi.clear();
    ClearProject();
    settings = Afl::GeneratorSettings();
    pcEdits.setCurrentIndex(0);
    ResetOptions();
    ProjectModified = false;
    Zapisz1.setEnabled(false);
    ShowStep(PageStart);
    GeneratedUnsaved = false;
    setCaption(QStringLiteral("Orvanta"));
    leAFL.setText(QString());
    notifyChanged();
}

void TForm1::Otwrz1Click()
{
    askToSaveFirst(*this);
    svOpenProject.initialDir = projectDirectory();
    if (!dialogs().run(svOpenProject))
        return;
    OpenProjectFile(svOpenProject.fileName);
}

void TForm1::OpenProjectFile(const QString& path)
{
    analysis.ResetReservedNames(true);
    rUwagi.clear();
    rGenAFL.clear();
    ResetOptions();
    // A from-grayed marker left armed would turn a restored checked box back to unchecked.
    cbLimAkt.setTag(cbLimAkt.tag() == 0 ? 1 : std::abs(cbLimAkt.tag()));

    const std::span<bool> done(StepDone);
    if (Projekt::LoadProject(path, projectData, optionPages(), done, nullptr, switchPages()) != 0) {
        // The file must not become the current project: a later Save would write into it.
        dialogs().message(Texts::Caption, Texts::NotAProject(path), Buttons::Ok, Icon::Warning);
        ProjectModified = false;
        Nowy1Click();
        return;
    }
    // Restoring cbPEG rebuilt the order list without a selection: select the stored item.
    rgOrders.setItemIndex(Definicje::ProfileFile(path).readInt(QStringLiteral("DATA"),
                                                               QStringLiteral("rgOrders"), 0));

    // A relative script path belongs to the project's folder, not to wherever the program runs.
    // Saving writes it back in the same relative form.
    if (!projectData.SourcePath.isEmpty() && QFileInfo(projectData.SourcePath).isRelative()) {
        projectData.RelativeSourcePath = projectData.SourcePath;
        projectData.SourcePath =
            QDir::cleanPath(QFileInfo(path).absoluteDir().filePath(projectData.SourcePath));
    }
    leAFL.setText(projectData.SourcePath);
    SourceLines.emplace();
    bool scriptRead = true;
    if (!projectData.SourcePath.isEmpty()) {
        const Platform::ReadResult read = Platform::ReadTextFile(projectData.SourcePath);
        scriptRead = read.ok;
        if (read.ok)
            *SourceLines = read.lines;
        else
            dialogs().message(Texts::Caption,
                              Texts::ScriptNotRead(projectData.SourcePath, read.error), Buttons::Ok,
                              Icon::Warning);
    }
    rEdit.clear();
    rEdit.setLines(*SourceLines);
    Lex::HighlightScript(rEdit, analysis.reservedNames());
    if (scriptRead) {
        CheckLoadedScript();
        if (!ScriptAccepted) {
            notifyChanged();
            return;
        }
    }

    showLoadedScript();
    // Page 0 is current after the reset; with no later step complete its texts must show,
    // not those of the project open before.
    ShowStep(PageStart);
    // Without its script the project waits on step 1 with its later tabs hidden.
    for (int i = PageGeneral; scriptRead && i <= PageEnd; ++i) {
        pcTab.setTabVisible(i, StepDone[i]);
        if (StepDone[i])
            ShowStep(i);
    }
    if (StepDone[PageGeneral]) {
        rgTickerClick();
        rgAccountClick();
        rgSignalsClick();
        cbShowClick();
    }
    if (StepDone[PageSafeguards]) {
        cbReverseClick();
        cbOneSignalClick();
        rgIntervalClick();
    }
    if (StepDone[PagePositions]) {
        rgHowPositionClick();
        rgPositionsClick();
    }
    if (StepDone[PageOrders]) {
        rgOrdersClick();
        rgDeviationClick();
        rgCentPktClick();
        cbLimAktClick();
    }
    btWstecz.setEnabled(StepDone[PageGeneral]);

    ProjectModified = false;
    setCaption(QStringLiteral("Orvanta [") + projectData.ProjectPath + u']');
    Zapisz1.setEnabled(true);
    GeneratedUnsaved = false;
    if (!scriptRead) {
        // The path can be corrected, or the same file loaded again once it can be read.
        scriptNotLoaded();
        pcTab.setCurrentIndex(PageStart);
        btWstecz.setEnabled(false);
        Button7.setEnabled(leAFL.hasText());
        notifyChanged();
        return;
    }
    for (int j = PageStart; j <= PageEnd; ++j) {
        if (StepDone[j])
            pcTab.setCurrentIndex(j);
    }
    notifyChanged();
}

void TForm1::Zapisz1Click()
{
    if (!projectData.ProjectPath.isEmpty() && !SaveProjectAndReport(*this, projectData.ProjectPath))
        return; // still modified: nothing reached the file
    ProjectModified = false;
    notifyChanged();
}

void TForm1::Zapiszjako1Click()
{
    RunSaveAs(*this);
    notifyChanged();
}

bool TForm1::FormCloseQuery()
{
    if ((!ProjectModified && !GeneratedUnsaved) || !SourceLines)
        return true;
    switch (dialogs().message(Texts::QuestionCaption, Texts::ProjectChanged, Buttons::YesNoCancel,
                              Icon::None)) {
    case Answer::Yes:
        // A cancelled Save As still closes; a failed write keeps the window and its work.
        return saveOrSaveAs(*this) != SaveAsOutcome::Failed;
    case Answer::No:
        return true;
    default:
        return false;
    }
}

} // namespace App
