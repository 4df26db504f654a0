#include "cli/GenerateCommand.h"

#include "app/TForm1.h"
#include "cli/BatchDialogs.h"
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

struct Arguments
{
    QString project;
    QString source;
    QString output;
};

// Reads "--source FILE", "--source=FILE" and the same for --output; false after an error.
bool parseArguments(const QStringList& args, Arguments& parsed, Console& console)
{
    bool sourceSet = false;
    bool outputSet = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        const qsizetype eq = arg.startsWith(QLatin1String("--")) ? arg.indexOf(u'=') : -1;
        const QString name = eq < 0 ? arg : arg.left(eq);
        const bool isSource = name == QLatin1String("--source");
        if (isSource || name == QLatin1String("--output")) {
            QString value;
            if (eq >= 0)
                value = arg.mid(eq + 1);
            else if (i + 1 < args.size())
                value = args.at(++i);
            if (value.isEmpty()) {
                console.usageError(Texts::MissingValue.arg(name));
                return false;
            }
            bool& set = isSource ? sourceSet : outputSet;
            if (set) {
                console.usageError(Texts::RepeatedOption.arg(name));
                return false;
            }
            set = true;
            (isSource ? parsed.source : parsed.output) = value;
        } else if (arg.startsWith(u'-') && arg.size() > 1) {
            console.usageError(Texts::UnknownOption.arg(arg));
            return false;
        } else if (parsed.project.isEmpty()) {
            parsed.project = arg;
        } else {
            console.usageError(Texts::ExtraArgument.arg(arg));
            return false;
        }
    }
    if (parsed.project.isEmpty()) {
        console.usageError(Texts::MissingFile);
        return false;
    }
    return true;
}

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

// Remarks of the window first, then every message box as a reason line.
void report(const App::TForm1& form, const BatchDialogs& dialogs, qsizetype firstMessage,
            Console& console)
{
    if (!form.rUwagi.isEmpty())
        console.note(form.rUwagi.text());
    for (qsizetype i = firstMessage; i < dialogs.messages().size(); ++i)
        console.error(dialogs.messages().at(i).text);
}

} // namespace

int runGenerate(const QStringList& args, Console& console)
{
    Arguments arguments;
    if (!parseArguments(args, arguments, console))
        return BadInput;

    Definicje::ProfileFile project(arguments.project);
    if (!checkProjectFile(arguments.project, project, console))
        return BadInput;

    // Open takes a relative stored script path against the project file's folder itself;
    // --source (against the working folder) is put into a copy that Open reads instead.
    if (arguments.source.isEmpty() && project.readString(Section, FilenameKey).isEmpty()) {
        console.error(Texts::NoSource);
        return BadInput;
    }
    QString openPath = arguments.project;
    QTemporaryDir copyDir;
    if (!arguments.source.isEmpty()) {
        if (!copyDir.isValid()) {
            console.error(Texts::CannotWrite.arg(copyDir.path(), copyDir.errorString()));
            return BadInput;
        }
        openPath = copyDir.filePath(QFileInfo(arguments.project).fileName());
        project.writeString(Section, FilenameKey,
                            QDir::cleanPath(QDir::current().absoluteFilePath(arguments.source)));
        const Platform::WriteResult copied =
            Platform::WriteFileAtomically(openPath, project.toBytes());
        if (!copied.ok) {
            console.error(Texts::CannotWrite.arg(openPath, copied.error));
            return BadInput;
        }
    }

    BatchDialogs dialogs;
    App::TForm1 form;
    form.setDialogs(&dialogs);
    form.FormShow();
    form.OpenProjectFile(openPath);
    if (!dialogs.messages().isEmpty() || !form.ScriptAccepted) {
        report(form, dialogs, 0, console);
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
        report(form, dialogs, 0, console);
        const QStringList why = generation.outputError
                                    ? Afl::OutputErrorRemarks(*generation.outputError)
                                    : Afl::FailureRemarks(generation.noBuy);
        console.error(why.join(QStringLiteral("\r\n")));
        return Failed;
    }

    const QString script = form.rGenAFL.text();
    if (arguments.output.isEmpty()) {
        console.bytes(script.toUtf8());
    } else {
        const Platform::WriteResult written = Platform::WriteTextFile(arguments.output, script);
        if (!written.ok) {
            report(form, dialogs, 0, console);
            console.error(Texts::CannotWrite.arg(arguments.output, written.error));
            return BadInput;
        }
        if (written.outsideWindows1250)
            form.rUwagi.appendLine(Projekt::Texts::Utf8Remark);
    }
    report(form, dialogs, 0, console);
    return dialogs.messages().isEmpty() ? Success : Failed;
}

} // namespace Cli
