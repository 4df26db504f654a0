// Choosing, loading and checking the source script on the first wizard page.

#include "analysis/Highlighter.h"
#include "analysis/Rewriter.h"
#include "app/TForm1.h"
#include "platform/TextFile.h"

namespace App {

namespace {

const QString Caption = QStringLiteral("Orvanta");
const QString NotLoaded = QStringLiteral("Uwaga! Nie został wczytany kod AFL");
const QString MissingBuy =
    QStringLiteral("W oryginalnym kodzie AFL brakuje definicji sygnału BUY!");
const QString MissingSell =
    QStringLiteral("W oryginalnym kodzie AFL brakuje definicji sygnału SELL!");
const QString PluginHeading =
    QStringLiteral("W oryginalnum kodzie AFL znaleziono wywołania następujących funkcji plugina:");
const QString RemovePluginCalls =
    QStringLiteral("Należy usunąć wszelkie odwołania do funkcji plugina");
const QString NotEditable =
    QStringLiteral("Skrypt AFL nie może być redagowany za pomocą tego edytora!");
const QString PluginFound = QStringLiteral("Znaleziono odwołania do funkcji plugina!");

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
        QString text = NotLoaded;
        if (read.refused && !read.error.isEmpty())
            text += QStringLiteral("\r\n") + read.error;
        dialogs().message(Caption, text, Buttons::Ok, Icon::Warning);
        leAFL.setInvalid(true);
        // No script is loaded now: step 1 is not done and the later steps wait for one.
        ScriptAccepted = false;
        StepDone[PageStart] = false;
        btDalej.setEnabled(false);
        hideTabsFrom(PageGeneral);
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
    pcEdits.setCurrentIndex(0);
    btDalej.setEnabled(true);
}

void TForm1::CheckLoadedScript()
{
    QStringList& remarks = analysis.loadRemarks();
    remarks.clear();
    if (rEdit.findWord(u"Buy", 0, rEdit.length()) < 0)
        remarks.append(MissingBuy);
    if (rEdit.findWord(u"Sell", 0, rEdit.length()) < 0)
        remarks.append(MissingSell);
    if (Lex::FindPluginCalls(rEdit, analysis) == 0) {
        ScriptAccepted = true;
        return;
    }

    remarks.prepend(PluginHeading);
    remarks.prepend(QString());
    remarks << QString() << RemovePluginCalls << QString() << NotEditable;
    dialogs().message(Caption, PluginFound + QStringLiteral("\r\n") + NotEditable, Buttons::Ok,
                      Icon::None);
    rUwagi.clear();
    rUwagi.setLines(remarks);
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
