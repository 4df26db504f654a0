// Choosing, loading and checking the source script on the first wizard page.

#include "analysis/Highlighter.h"
#include "app/TForm1.h"
#include "generator/Checks.h"
#include "generator/GeneratorTexts.h"
#include "generator/Reports.h"
#include "platform/TextFile.h"

namespace App {

namespace {

const QString Caption = QStringLiteral("Orvanta");

} // namespace

void TForm1::Button11Click()
{
    svOpenAFL.initialDir = aflDirectory();
    if (!dialogs().run(svOpenAFL))
        return;
    leAFL.setText(svOpenAFL.fileName);
    Button7.setEnabled(true);
    leAFL.setInvalid(false);
    rEdit.clear();
    rGenAFL.clear();
    rUwagi.clear();
    notifyChanged();
}

void TForm1::Button7Click()
{
    if (!leAFL.hasText())
        return;
    SourceLines.emplace();
    rEdit.clear();
    rGenAFL.clear();
    rUwagi.clear();
    notifyChanged();

    const Platform::ReadResult read = Platform::ReadTextFile(leAFL.text());
    if (!read.ok || read.lines.isEmpty()) {
        QString text = Afl::Texts::NotLoaded;
        if (read.refused && !read.error.isEmpty())
            text += QStringLiteral("\r\n") + read.error;
        dialogs().message(Caption, text, Buttons::Ok, Icon::Warning);
        scriptNotLoaded();
        notifyChanged();
        return;
    }
    *SourceLines = read.lines;
    leAFL.setInvalid(false);
    projectData.SourcePath = leAFL.text();
    rEdit.setLines(*SourceLines);
    Lex::HighlightScript(rEdit, analysis.reservedNames());
    CheckLoadedScript();
    if (!ScriptAccepted)
        return;
    MarkModified();
    if (!projectData.ProjectPath.isEmpty())
        Zapisz1.setEnabled(true);
    analysis.ResetReservedNames(true);
    showLoadedScript();
    btDalej.setEnabled(true);
}

void TForm1::showLoadedScript()
{
    pcEdits.setCurrentIndex(rUwagi.isEmpty() ? 0 : 2);
}

void TForm1::scriptNotLoaded()
{
    // No script is loaded now: step 1 is not done and the later steps wait for one.
    leAFL.setInvalid(true);
    ScriptAccepted = false;
    StepDone[PageStart] = false;
    btDalej.setEnabled(false);
    hideTabsFrom(PageGeneral);
}

void TForm1::CheckLoadedScript()
{
    const Afl::LoadCheck check = Afl::CheckLoadedScript(rEdit, analysis);
    const QStringList syntaxRemarks = Afl::SyntaxRemarks(check.syntaxErrors);
    if (check.accepted()) {
        // A syntax error refuses nothing: the remarks list it and the user goes on.
        for (const QString& line : syntaxRemarks)
            rUwagi.appendLine(line);
        ScriptAccepted = true;
        return;
    }

    dialogs().message(Caption,
                      Afl::Texts::PluginFound + QStringLiteral("\r\n") + Afl::Texts::NotEditable,
                      Buttons::Ok, Icon::None);
    rUwagi.clear();
    rUwagi.setLines(Afl::LoadRemarks(check) + syntaxRemarks);
    pcEdits.setCurrentIndex(2);
    if (SourceLines)
        SourceLines->clear();
    else
        SourceLines.emplace();
    ClearProject();
    ScriptAccepted = false;
    btDalej.setEnabled(false);
    hideTabsFrom(PageGeneral);
    ProjectModified = false;
    // The record is empty: the title names no file and Save has nothing to write into.
    setCaption(QStringLiteral("Orvanta"));
    Zapisz1.setEnabled(false);
    notifyChanged();
}

} // namespace App
