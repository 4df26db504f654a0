#include "FuzzTargets.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <QDir>
#include <QTemporaryDir>

namespace Fuzz {

namespace {

bool throwOnFailure = false;

constexpr TargetInfo AllTargets[] = {
    {"analysis", &Analysis}, {"pipeline", &Pipeline},     {"profile", &Profile},
    {"project", &Project},   {"userreg", &UserReg},       {"decode", &Decode},
    {"syntax", &Parse},      {"interpreter", &Interpret},
};

} // namespace

std::span<const TargetInfo> Targets()
{
    return AllTargets;
}

Target FindTarget(const char* name)
{
    for (const TargetInfo& info : AllTargets) {
        if (std::strcmp(info.name, name) == 0)
            return info.run;
    }
    return nullptr;
}

void Fail(const char* expression, const char* file, int line)
{
    const QString what = QStringLiteral("property broken: %1 (%2:%3)")
                             .arg(QString::fromUtf8(expression), QString::fromUtf8(file))
                             .arg(line);
    if (throwOnFailure)
        throw PropertyFailure{what};
    std::fprintf(stderr, "%s\n", qPrintable(what));
    std::abort();
}

void SetThrowOnFailure(bool enabled)
{
    throwOnFailure = enabled;
}

QString ScratchDir()
{
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/orvanta-fuzz-XXXXXX"));
    return dir.path();
}

} // namespace Fuzz
