#pragma once
// Helpers the section builders share: the line writer and the texts of names and order calls.

#include "generator/GeneratorSettings.h"

#include <QString>
#include <QStringView>

namespace Afl {

inline const QString CrLf = QStringLiteral("\r\n");

/// Collects lines; trailing comments are written only when comments are switched on.
class LineWriter
{
public:
    explicit LineWriter(bool comments)
        : m_comments(comments)
    {}

    void line(const QString& code = QString(), QStringView comment = {})
    {
        m_text += code;
        if (m_comments)
            m_text += comment;
        m_text += CrLf;
    }
    /// A line holding only a comment, left out entirely when comments are switched off.
    void commentLine(QStringView comment)
    {
        if (m_comments)
            line(QString(), comment);
    }
    void raw(const QString& text) { m_text += text; }
    const QString& text() const { return m_text; }

private:
    bool m_comments;
    QString m_text;
};

/// A name as the contents of an AFL string literal.
QString Escaped(const QString& name);

/// The plug-in call of one side without its assignment: function (voxBuy or voxSell, with
/// PEG when the settings say so) with the security, the account and the three arguments.
QString PluginOrderCall(const GeneratorSettings& s, const QString& function,
                        const QString& quantity, const QString& limit, const QString& activation);

} // namespace Afl
