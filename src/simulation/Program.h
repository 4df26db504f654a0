#pragma once
// A script ready to run: parsed once with its #include files, each name's scope decided.

#include <functional>
#include <memory>
#include <optional>

#include <QList>
#include <QString>

namespace Sim {

struct ProgramData;

/// Reads an #include'd file: its text, or nullopt when there is no such file. The path is the
/// one the directive names, read against the script's folder (ScriptSource::folder), with `/`
/// between its parts.
using IncludeReader = std::function<std::optional<QString>(const QString& path)>;

/// A script and where its #include files come from. Nothing here reads files: the caller gives
/// the text and a reader.
struct ScriptSource
{
    QString text;
    /// The script's folder; relative #include paths are read against it, also in included
    /// files. Empty: relative paths stay as written.
    QString folder;
    /// Empty: every #include is a missing file.
    IncludeReader readInclude;
};

/// Something that keeps a script from running at all: a syntax error of the script or of an
/// included file, or an #include that cannot be followed.
struct ScriptDiagnostic
{
    /// Empty for the script itself; otherwise the included file as its directive names it.
    QString file;
    int line = 1;
    int column = 1;
    QString message;

    /// "wiersz 3, znak 5: brak średnika", prefixed with the file when it is not the script.
    QString text() const;
};

/// A parsed script with every #include followed (in text order; `#include_once` includes a
/// file at its first directive only) and the scope of each name inside each function decided
/// (docs/decisions/simulation.md). Immutable and cheap to copy; an Interpreter runs it.
class Program
{
public:
    static Program Load(const ScriptSource& source);

    /// True when it can run: no syntax error, every #include read.
    bool ok() const;
    const QList<ScriptDiagnostic>& diagnostics() const;

    const ProgramData& data() const { return *d; }

private:
    explicit Program(std::shared_ptr<const ProgramData> data);
    std::shared_ptr<const ProgramData> d;
};

} // namespace Sim
