#include "analysis/Highlighter.h"

#include "analysis/AnalysisContext.h"
#include "analysis/Catalogue.h"
#include "analysis/Scanner.h"
#include "analysis/WordTable.h"

#include <cstdint>

namespace Lex {

namespace {

struct WordStyle
{
    int order = -1;
    Colour colour = Colours::Black;
    Styles styles = NoStyle;
};

struct NamedStyle
{
    QString name;
    Colour colour;
    Styles styles;
};

// The identifier passes in their order: catalogue lines, then the current reserved values.
QList<NamedStyle> identifierPasses(const AnalysisContext& context)
{
    QList<NamedStyle> passes;
    const QStringList& catalogue = context.functionCatalogue();
    passes.reserve(catalogue.size() + context.reservedNames().size());
    for (const QString& line : catalogue) {
        const QString name = CatalogueName(line);
        if (name.isEmpty())
            continue;
        if (line.contains(u"vox$"))
            passes.append(NamedStyle{name, Colours::Plugin, NoStyle});
        else if (line.contains(u"lang#"))
            passes.append(NamedStyle{name, Colours::Black, Bold});
        else
            passes.append(NamedStyle{name, Colours::Catalogue, NoStyle});
    }
    for (const ReservedName& pair : context.reservedNames())
        passes.append(NamedStyle{pair.value, Colours::Reserved, NoStyle});
    return passes;
}

// Colours every identifier of the view in one pass. A name made of word characters can only
// match a whole identifier; a name "#word" matches "#" followed by the identifier word when
// no word character stands before the "#". For each identifier the pass applies the last
// name (in pass order) of either kind, the earlier kind first, which is what running
// HighlightWord name by name leaves behind. Returns false, colouring nothing, when a name
// has any other form.
bool highlightIdentifiers(ScriptView& view, const QList<NamedStyle>& passes)
{
    WordTable<WordStyle> plain;
    WordTable<WordStyle> hashed;
    for (int i = 0; i < passes.size(); ++i) {
        const NamedStyle& pass = passes.at(i);
        const QStringView name(pass.name);
        if (AllWordChars(name)) {
            plain.insert(FoldedWord(name), WordStyle{i, pass.colour, pass.styles});
        } else if (name.startsWith(u'#') && AllWordChars(name.mid(1))) {
            hashed.insert(FoldedWord(name.mid(1)), WordStyle{i, pass.colour, pass.styles});
        } else {
            return false;
        }
    }

    const char16_t* text = CodeUnits(view.text());
    const char16_t* folded = CodeUnits(view.foldedText());
    ForEachWord(view, [&](int start, int end, std::uint32_t h) {
        const char16_t* token = folded + start;
        WordStyle word;
        if (const WordStyle* found = plain.find(h, token, end - start);
            found && !IsInComment(view, start))
            word = *found;
        WordStyle hash;
        const bool hashPossible = !hashed.isEmpty() && start > 0 && text[start - 1] == u'#' &&
                                  (start == 1 || !IsWordChar(text[start - 2]));
        if (hashPossible) {
            if (const WordStyle* found = hashed.find(h, token, end - start);
                found && !IsInComment(view, start - 1))
                hash = *found;
        }
        const auto applyWord = [&] {
            if (word.order >= 0)
                view.setRangeStyle(start, end - start, word.colour, word.styles);
        };
        const auto applyHash = [&] {
            if (hash.order >= 0)
                view.setRangeStyle(start - 1, end - start + 1, hash.colour, hash.styles);
        };
        if (word.order < hash.order) {
            applyWord();
            applyHash();
        } else {
            applyHash();
            applyWord();
        }
    });
    return true;
}

} // namespace

void HighlightComments(ScriptView& view, Colour colour, Styles styles)
{
    const int n = view.length();
    const int rounds = view.lineCount();
    int from = 0;
    for (int round = 0; round < rounds && from < n; ++round) {
        const int open = view.findPlain(u"/*", from, n - from);
        if (open < 0)
            break;
        int close = view.findPlain(u"*/", from, n - from);
        // A "*/" before the "/*" closes nothing; the comment ends at the first "*/" found
        // from the "/*" on.
        if (close >= 0 && close < open)
            close = view.findPlain(u"*/", open, n - open);
        if (close < 0) {
            view.setRangeStyle(open, n - open, colour, styles);
            break;
        }
        view.setRangeStyle(open, close + 2 - open, colour, styles);
        from = close + 2;
    }

    const QString& text = view.text();
    int p = view.findPlain(u"//", 0, n);
    while (p >= 0) {
        // A CR in the view's text always starts a CR LF.
        qsizetype lineEnd = text.indexOf(u'\r', p);
        if (lineEnd < 0)
            lineEnd = n;
        if (view.charColourAt(p) == Colours::Black)
            view.setRangeStyle(p, int(lineEnd) - p, colour, styles);
        p = view.findPlain(u"//", int(lineEnd), n - int(lineEnd));
    }
}

void HighlightStrings(ScriptView& view, Colour colour, Styles styles)
{
    const QString& text = view.text();
    qsizetype open = text.indexOf(u'"');
    while (open >= 0) {
        const qsizetype close = text.indexOf(u'"', open + 1);
        if (close < 0)
            return;
        if (view.charColourAt(int(open)) == Colours::Black)
            view.setRangeStyle(int(open), int(close - open + 1), colour, styles);
        open = text.indexOf(u'"', close + 1);
    }
}

void HighlightWord(ScriptView& view, QStringView word, Colour colour, Styles styles)
{
    if (word.isEmpty())
        return;
    const int n = view.length();
    const int len = int(word.size());
    int p = view.findWord(word, 0, n);
    while (p >= 0) {
        if (!IsInComment(view, p))
            view.setRangeStyle(p, len, colour, styles);
        p = view.findWord(word, p + len, n - p - len);
    }
}

void HighlightScript(ScriptView& view, AnalysisContext& context)
{
    HighlightComments(view, Colours::Comment, Italic);
    HighlightStrings(view, Colours::String, NoStyle);
    context.ResetReservedNames(false);
    const QList<NamedStyle> passes = identifierPasses(context);
    if (highlightIdentifiers(view, passes))
        return;
    for (const NamedStyle& pass : passes)
        HighlightWord(view, pass.name, pass.colour, pass.styles);
}

} // namespace Lex
