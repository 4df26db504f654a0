// Project commands of the main window: start-up, New, Open, Save, Save As, close query,
// and the script save and export commands.

#include "app/TForm1.h"

namespace App {

void TForm1::FormShow()
{
    FillStepTexts();
    ProjectModified = false;
    ShowStep(PageStart);
    Nowy1Click();
}

void TForm1::Nowy1Click()
{
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
}

void TForm1::Otwrz1Click() {}

void TForm1::OpenProjectFile(const QString&) {}

void TForm1::Zapisz1Click() {}

void TForm1::Zapiszjako1Click() {}

bool TForm1::FormCloseQuery()
{
    return true;
}

void TForm1::btZapiszClick() {}

void TForm1::btExportClick() {}

} // namespace App
