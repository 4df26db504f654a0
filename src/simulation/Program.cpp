#include "simulation/Program.h"

#include "simulation/Environment.h"
#include "simulation/ProgramData.h"
#include "simulation/SimTexts.h"
#include "syntax/TreeQueries.h"

#include <algorithm>

#include <QSet>

namespace Sim {

namespace {

using namespace Syntax;

/// #include files nested deeper than this are refused.
constexpr int MaxIncludeDepth = 16;

bool IsAbsolute(const QString& path)
{
    return path.startsWith(u'/') ||
           (path.size() >= 2 && path.at(1) == u':' && path.at(0).isLetter());
}

// Collapses "." and ".." and repeated slashes of a path written with `/`.
QString CleanPath(const QString& path)
{
    const bool absolute = path.startsWith(u'/');
    QStringList parts;
    for (const QString& part : path.split(u'/', Qt::SkipEmptyParts)) {
        if (part == u".")
            continue;
        if (part == u".." && !parts.isEmpty() && parts.last() != u"..")
            parts.removeLast();
        else if (part != u".." || !absolute)
            parts.append(part);
    }
    return (absolute ? QStringLiteral("/") : QString()) + parts.join(u'/');
}

// Reads the script and its includes and decides each name's scope, in one walk in text order.
class Loader
{
public:
    Loader(const ScriptSource& source, ProgramData& data)
        : m_source(source)
        , d(data)
    {
        for (const QString& name : GlobalVariables())
            markGlobal(intern(name));
    }

    void load()
    {
        const Unit* script = addUnit(QString(), m_source.text);
        if (!d.diagnostics.isEmpty())
            return;
        scanStatements(script->tree.statements(), *script);
    }

private:
    struct Scope
    {
        QSet<int> locals;
        QSet<int> globals;
        QList<int> used;
    };

    int intern(const QString& folded)
    {
        const auto it = m_canonical.constFind(folded);
        if (it != m_canonical.cend())
            return *it;
        const int id = int(d.keys.size());
        d.keys.push_back(folded);
        d.isFunctionName.push_back(false);
        m_canonical.insert(folded, id);
        return id;
    }

    void markGlobal(int id)
    {
        if (std::size_t(id) >= m_globalSeen.size())
            m_globalSeen.resize(std::size_t(id) + 1, false);
        m_globalSeen[std::size_t(id)] = true;
    }
    bool isGlobal(int id) const
    {
        return std::size_t(id) < m_globalSeen.size() && m_globalSeen[std::size_t(id)];
    }

    void diagnose(const Unit& unit, int offset, const QString& message)
    {
        const TextPosition at = unit.tree.position(offset);
        d.diagnostics.append({unit.file, at.line, at.column, message});
    }

    // Parses a text, numbers its names and keeps its syntax errors.
    const Unit* addUnit(const QString& file, const QString& text)
    {
        auto unit = std::make_unique<Unit>(Unit{file, SyntaxTree::parse(text), 0, 1});
        unit->nameBase = int(d.canonicalOf.size());
        d.canonicalOf.resize(d.canonicalOf.size() + std::size_t(unit->tree.nameCount()), -1);
        for (const Diagnostic& e : unit->tree.diagnostics())
            d.diagnostics.append({file, e.line, e.column, e.message});
        const Unit& u = *unit;
        Walk(u.tree, [&](const Node& node, ParentChain) {
            if (const auto* identifier = NodeCast<Identifier>(&node)) {
                int& id = d.canonicalOf[std::size_t(u.nameBase + identifier->name->id)];
                if (id < 0)
                    id = intern(identifier->folded().toString().toCaseFolded());
            }
            return true;
        });
        for (const Statement* statement : u.tree.statements())
            unit->height = std::max<int>(unit->height, statement->height);
        d.units.push_back(std::move(unit));
        return d.units.back().get();
    }

    void scanStatements(std::span<const Statement* const> statements, const Unit& unit)
    {
        for (const Statement* statement : statements)
            scan(*statement, unit);
    }

    // A name used as a variable: global when met outside every function, otherwise noted for
    // the function's scope.
    void use(const Identifier& identifier, const Unit& unit)
    {
        const int id = d.canonical(unit, identifier);
        if (m_scope)
            m_scope->used.append(id);
        else
            markGlobal(id);
    }

    void scan(const Node& node, const Unit& unit)
    {
        switch (node.kind) {
        case NodeKind::Identifier:
            use(static_cast<const Identifier&>(node), unit);
            return;
        case NodeKind::Call: {
            const auto& call = static_cast<const CallExpression&>(node);
            if (!call.function())
                scan(*call.callee, unit);
            for (const Expression* argument : call.arguments)
                scan(*argument, unit);
            return;
        }
        case NodeKind::Member:
            scan(*static_cast<const MemberExpression&>(node).object, unit);
            return;
        case NodeKind::Function:
            scanFunction(static_cast<const FunctionDefinition&>(node), unit);
            return;
        case NodeKind::Declaration:
            for (const Declarator& declarator : static_cast<const Declaration&>(node).declarators) {
                const int id = d.canonical(unit, *declarator.name);
                const auto scope = static_cast<const Declaration&>(node).scope;
                if (!m_scope)
                    markGlobal(id);
                else if (scope == DeclarationScope::Global)
                    m_scope->globals.insert(id);
                else
                    m_scope->locals.insert(id);
                if (declarator.initializer)
                    scan(*declarator.initializer, unit);
            }
            return;
        case NodeKind::Directive:
            follow(static_cast<const Directive&>(node), unit);
            return;
        default:
            ForEachChild(node, [&](const Node& child) { scan(child, unit); });
            return;
        }
    }

    void scanFunction(const FunctionDefinition& function, const Unit& unit)
    {
        const int name = d.canonical(unit, *function.name);
        d.isFunctionName[std::size_t(name)] = true;
        Scope scope;
        Scope* const outer = m_scope;
        m_scope = &scope;
        if (function.body)
            scan(*function.body, unit);
        m_scope = outer;
        if (d.functions.count(&function))
            return; // a file included twice: its first reading counts

        FunctionInfo info;
        info.node = &function;
        info.unit = &unit;
        info.name = name;
        auto slotOf = [&info](int id) {
            const auto it = info.slots.constFind(id);
            if (it != info.slots.cend())
                return *it;
            info.slots.insert(id, info.slotCount);
            return info.slotCount++;
        };
        for (const Identifier* parameter : function.parameters)
            info.parameterSlots.push_back(slotOf(d.canonical(unit, *parameter)));
        for (const int id : std::as_const(scope.locals))
            slotOf(id);
        for (const int id : std::as_const(scope.used)) {
            if (!scope.globals.contains(id) && !isGlobal(id))
                slotOf(id);
        }
        d.functions.emplace(&function, std::move(info));
    }

    // An #include: the file read and walked where the directive stands.
    void follow(const Directive& directive, const Unit& unit)
    {
        if (directive.directive != DirectiveKind::Include &&
            directive.directive != DirectiveKind::IncludeOnce)
            return;
        if (m_decided.contains(&directive)) {
            const auto it = d.includes.find(&directive);
            if (it != d.includes.end())
                expand(*it->second, directive, unit);
            return;
        }
        m_decided.insert(&directive);
        const QString written = directive.argument.toString();
        if (written.startsWith(u'@')) {
            diagnose(unit, directive.range.begin, Texts::IncludeNotAFile(written));
            return;
        }
        QString path = written;
        path.replace(u'\\', u'/');
        if (!IsAbsolute(path) && !m_source.folder.isEmpty())
            path = m_source.folder + u'/' + path;
        path = CleanPath(path);
        if (directive.directive == DirectiveKind::IncludeOnce && m_included.contains(path))
            return;
        const Unit* included = m_byPath.value(path);
        if (!included) {
            const std::optional<QString> text =
                m_source.readInclude ? m_source.readInclude(path) : std::nullopt;
            if (!text) {
                diagnose(unit, directive.range.begin, Texts::IncludeMissing(written));
                return;
            }
            included = addUnit(written, *text);
            m_byPath.insert(path, included);
        }
        m_included.insert(path);
        d.includes.emplace(&directive, included);
        expand(*included, directive, unit);
    }

    // Walks an included file where its directive stands, unless it is already being walked.
    void expand(const Unit& included, const Directive& directive, const Unit& unit)
    {
        if (m_chain.contains(&included)) {
            d.includes.erase(&directive);
            diagnose(unit, directive.range.begin, Texts::IncludeCycle(included.file));
            return;
        }
        if (m_chain.size() >= MaxIncludeDepth) {
            d.includes.erase(&directive);
            diagnose(unit, directive.range.begin, Texts::IncludeTooDeep(MaxIncludeDepth));
            return;
        }
        m_chain.append(&included);
        if (included.tree.diagnostics().isEmpty())
            scanStatements(included.tree.statements(), included);
        m_chain.removeLast();
    }

    const ScriptSource& m_source;
    ProgramData& d;
    QHash<QString, int> m_canonical;
    std::vector<bool> m_globalSeen;
    Scope* m_scope = nullptr;
    QHash<QString, const Unit*> m_byPath;
    QSet<QString> m_included;
    QSet<const Directive*> m_decided;
    /// The included files being walked, outermost first.
    QList<const Unit*> m_chain;
};

} // namespace

QString ScriptDiagnostic::text() const
{
    const QString located = Texts::AtPosition(line, column, message);
    return file.isEmpty() ? located : Texts::InFile(file, located);
}

Program::Program(std::shared_ptr<const ProgramData> data)
    : d(std::move(data))
{}

Program Program::Load(const ScriptSource& source)
{
    auto data = std::make_shared<ProgramData>();
    Loader(source, *data).load();
    return Program(std::move(data));
}

bool Program::ok() const
{
    return d->diagnostics.isEmpty();
}

const QList<ScriptDiagnostic>& Program::diagnostics() const
{
    return d->diagnostics;
}

} // namespace Sim
