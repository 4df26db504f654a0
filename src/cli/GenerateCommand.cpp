#include "cli/GenerateCommand.h"

#include "cli/Arguments.h"
#include "cli/CliTexts.h"
#include "cli/CommandLine.h"
#include "cli/Console.h"
#include "generator/Reports.h"
#include "platform/TextFile.h"
#include "project/ProfileFile.h"
#include "project/ProjectTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace Cli {

namespace {

const QString Section = QStringLiteral("DATA");
const QString FilenameKey = QStringLiteral("Filename");

// The file can be read and carries the project marker; otherwise the reason is printed.
bool checkProjectFile(const QString& path, const Definicje::ProfileFile& file, Console& console)
{
    QFile probe(path);
    if (!probe.open(QIODevice::ReadOnly)) {
        console.error(Texts::CannotRead.arg(path, probe.errorString()));
        return false;
    }
    if (!file.readError().isEmpty()) {
        console.error(Texts::CannotRead.arg(path, file.readError()));
        return false;
    }
    if (file.readString(Section, QStringLiteral("EdytorAFL")) != Projekt::Texts::ProjectMarker) {
        console.error(Texts::NotAProject.arg(path));
        return false;
    }
    return true;
}

} // namespace

void ReportProject(const GeneratedProject& generated, Console& console)
{
    if (!generated.form.rUwagi.isEmpty())
        console.note(generated.form.rUwagi.text());
    for (const BatchDialogs::Message& message : generated.dialogs.messages())
        console.error(message.text);
}

int OpenAndGenerate(const QString& projectPath, const QString& source, GeneratedProject& generated,
                    Console& console)
{
    Definicje::ProfileFile project(projectPath);
    if (!checkProjectFile(projectPath, project, console))
        return BadInput;

    // Open takes a relative stored script path against the project file's folder itself;
    // --source (against the working folder) is put into a copy that Open reads instead.
    if (source.isEmpty() && project.readString(Section, FilenameKey).isEmpty()) {
        console.error(Texts::NoSource);
        return BadInput;
    }
    QString openPath = projectPath;
    QTemporaryDir& copyDir = generated.copyDir;
    if (!source.isEmpty()) {
        if (!copyDir.isValid()) {
            console.error(Texts::CannotWrite.arg(copyDir.path(), copyDir.errorString()));
            return BadInput;
        }
        openPath = copyDir.filePath(QFileInfo(projectPath).fileName());
        project.writeString(Section, FilenameKey,
                            QDir::cleanPath(QDir::current().absoluteFilePath(source)));
        const Platform::WriteResult copied =
            Platform::WriteFileAtomically(openPath, project.toBytes());
        if (!copied.ok) {
            console.error(Texts::CannotWrite.arg(openPath, copied.error));
            return BadInput;
        }
    }

    App::TForm1& form = generated.form;
    form.setDialogs(&generated.dialogs);
    form.FormShow();
    form.OpenProjectFile(openPath);
    if (!generated.dialogs.messages().isEmpty() || !form.ScriptAccepted) {
        ReportProject(generated, console);
        return BadInput;
    }

    form.tbEndShow();
    if (!form.generationAllowed()) {
        console.error(Texts::Incomplete.arg(form.firstIncompleteStep() + 1));
        return BadInput;
    }

    form.btGenerujClick();
    const Afl::GenerationResult& generation = form.lastGeneration();
    if (!generation.success) {
        ReportProject(generated, console);
        const QStringList why = generation.outputError
                                    ? Afl::OutputErrorRemarks(*generation.outputError)
                                    : Afl::FailureRemarks(generation.noBuy);
        console.error(why.join(QStringLiteral("\r\n")));
        return Failed;
    }
    return Success;
}

int runGenerate(const QStringList& args, Console& console)
{
    const std::optional<Arguments> arguments = ParseArguments(
        args, {{QStringLiteral("--source")}, {QStringLiteral("--output")}}, 1, console);
    if (!arguments)
        return BadInput;

    GeneratedProject generated;
    const int status = OpenAndGenerate(
        arguments->files.first(), arguments->value(QStringLiteral("--source")), generated, console);
    if (status != Success)
        return status;

    App::TForm1& form = generated.form;
    const QString script = form.rGenAFL.text();
    const QString output = arguments->value(QStringLiteral("--output"));
    if (output.isEmpty()) {
        console.bytes(script.toUtf8());
    } else {
        const Platform::WriteResult written = Platform::WriteTextFile(output, script);
        if (!written.ok) {
            ReportProject(generated, console);
            console.error(Texts::CannotWrite.arg(output, written.error));
            return BadInput;
        }
        if (written.outsideWindows1250)
            form.rUwagi.appendLine(Projekt::Texts::Utf8Remark);
    }
    ReportProject(generated, console);
    return generated.dialogs.messages().isEmpty() ? Success : Failed;
}

} // namespace Cli
