#include "cli/ProjectCommand.h"

#include "cli/CliTexts.h"
#include "cli/CommandLine.h"
#include "cli/Console.h"
#include "project/ProfileFile.h"

namespace Cli {

namespace {

const QString Section = QStringLiteral("DATA");

// The file as a project: read without error and marked "Projekt" (case counts).
bool openProject(const Definicje::ProfileFile& file, Console& console)
{
    if (!file.readError().isEmpty()) {
        console.error(Texts::CannotRead.arg(file.path(), file.readError()));
        return false;
    }
    if (file.readString(Section, QStringLiteral("EdytorAFL")) != QLatin1String("Projekt")) {
        console.error(Texts::NotAProject.arg(file.path()));
        return false;
    }
    return true;
}

int show(const QString& path, Console& console)
{
    const Definicje::ProfileFile file(path);
    if (!openProject(file, console))
        return BadInput;
    const QStringList sections = file.sections();
    for (const QString& section : sections) {
        const QStringList keys = file.keys(section);
        if (keys.isEmpty())
            continue;
        if (sections.size() > 1)
            console.line(QLatin1Char('[') + section + QLatin1Char(']'));
        for (const QString& key : keys)
            console.line(key + QLatin1Char('=') + file.readString(section, key));
    }
    return Success;
}

int set(const QString& path, const QStringList& assignments, Console& console)
{
    if (assignments.isEmpty()) {
        console.usageError(Texts::MissingAssignment);
        return BadInput;
    }
    QList<std::pair<QString, QString>> pairs;
    for (const QString& assignment : assignments) {
        const qsizetype eq = assignment.indexOf(u'=');
        const QString key = assignment.left(eq).trimmed();
        if (eq < 0 || key.isEmpty() || key.startsWith(u';') || key.startsWith(u'[')) {
            console.usageError(Texts::BadAssignment.arg(assignment));
            return BadInput;
        }
        pairs.append({key, assignment.mid(eq + 1)});
    }
    Definicje::ProfileFile file(path);
    if (!openProject(file, console))
        return BadInput;
    for (const auto& [key, value] : pairs)
        file.writeString(Section, key, value);
    const Platform::WriteResult written = file.save();
    if (!written.ok) {
        console.error(Texts::CannotWrite.arg(path, written.error));
        return BadInput;
    }
    return Success;
}

} // namespace

int runProject(const QStringList& args, Console& console)
{
    const QString action = args.value(0);
    if (action != QLatin1String("show") && action != QLatin1String("set")) {
        console.usageError(action.isEmpty()
                               ? Texts::MissingSubcommand
                               : Texts::UnknownCommand.arg(QStringLiteral("project ") + action));
        return BadInput;
    }
    const QString path = args.value(1);
    if (path.isEmpty()) {
        console.usageError(Texts::MissingFile);
        return BadInput;
    }
    if (action == QLatin1String("show")) {
        if (args.size() > 2) {
            console.usageError(Texts::ExtraArgument.arg(args.at(2)));
            return BadInput;
        }
        return show(path, console);
    }
    return set(path, args.mid(2), console);
}

} // namespace Cli
