#include "analysis/Catalogue.h"

#include <QFile>

namespace Lex {

namespace {

QStringList readCatalogue()
{
    QFile file(QStringLiteral(":/catalogue.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(file.readAll());
    text.remove(u'\r');
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

const QStringList& FunctionCatalogueLines()
{
    static const QStringList lines = readCatalogue();
    return lines;
}

QString CatalogueName(const QString& line)
{
    const qsizetype blank = line.indexOf(u' ');
    return blank < 0 ? line : line.left(blank);
}

} // namespace Lex
