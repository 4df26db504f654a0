#pragma once
// A view's text with every run that is not plain marked as {class}text{/} (LF line ends): the
// form of the golden files of colouring.

#include "analysis/ScriptView.h"

namespace TestSupport {

inline QString ClassName(const Lex::Run& run)
{
    if (run.size != 0)
        return QStringLiteral("size%1").arg(run.size);
    switch (run.kind) {
    case Lex::Kind::Comment:
        return QStringLiteral("comment");
    case Lex::Kind::String:
        return QStringLiteral("string");
    case Lex::Kind::Catalogue:
        return QStringLiteral("word");
    case Lex::Kind::Plugin:
        return QStringLiteral("plugin");
    case Lex::Kind::Language:
        return QStringLiteral("lang");
    case Lex::Kind::Reserved:
        return QStringLiteral("reserved");
    case Lex::Kind::Plain:
        break;
    }
    return QStringLiteral("#%1/%2").arg(run.colour, 6, 16, QLatin1Char('0')).arg(run.styles);
}

inline QString StyledText(const Lex::ScriptView& view)
{
    QString out;
    for (const Lex::Run& run : view.runs(0, view.length())) {
        const QString part = view.text().mid(run.start, run.length);
        if (run.kind == Lex::Kind::Plain && run.colour == Lex::Colours::Black &&
            run.styles == Lex::NoStyle && run.size == 0)
            out += part;
        else
            out += u'{' + ClassName(run) + u'}' + part + QStringLiteral("{/}");
    }
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return out;
}

} // namespace TestSupport
