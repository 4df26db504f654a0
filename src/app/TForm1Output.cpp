// Writing the generated script to a file ("Zapisz AFL", "Eksportuj AFL do Amibrokera") and
// the automatic project save that follows once per generated script.

#include "app/ProjectSaving.h"
#include "app/TForm1.h"
#include "platform/GetAmiBrokerDir.h"
#include "platform/TextFile.h"
#include "project/ProjectTexts.h"

namespace App {

namespace {

namespace Texts = Projekt::Texts;

void writeGeneratedScript(TForm1& form, FileDialog& dialog, const QString& startFolder)
{
    dialog.initialDir = startFolder;
    if (!form.dialogs().run(dialog))
        return;
    const QString path = dialog.fileName;
    const Platform::WriteResult written = Platform::WriteTextFile(path, form.rGenAFL.text());
    if (!written.ok) {
        form.dialogs().message(Texts::Caption, Texts::CannotWrite(path, written.error), Buttons::Ok,
                               Icon::Warning);
        return;
    }
    if (written.outsideWindows1250)
        form.rUwagi.appendLine(Texts::Utf8Remark);
    form.GeneratedUnsaved = false;

    if (form.projectData.ProjectPath.isEmpty()) {
        if (form.dialogs().message(Texts::QuestionCaption, Texts::ProjectNotSaved, Buttons::YesNo,
                                   Icon::None) == Answer::Yes)
            RunSaveAs(form);
    } else if (!form.ProjectAutoSaved) {
        if (SaveProjectAndReport(form, form.projectData.ProjectPath)) {
            form.rUwagi.appendLine(Texts::AutoSaved);
            form.ProjectAutoSaved = true;
        }
    }
}

} // namespace

void TForm1::btZapiszClick()
{
    writeGeneratedScript(*this, svSaveAFL, aflDirectory());
    notifyChanged();
}

void TForm1::btExportClick()
{
    writeGeneratedScript(*this, svExportAFL,
                         Platform::GetAmiBrokerDir() + QStringLiteral("/Formulas/Custom"));
    notifyChanged();
}

} // namespace App
