// LoadProject on any file; a project that loads saves and loads again to the same state.

#include "FuzzTargets.h"
#include "app/TForm1.h"
#include "project/Projekt.h"

#include <QFile>

namespace Fuzz {

namespace {

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::span<bool> stepDone(App::TForm1& form)
{
    return std::span<bool>(form.StepDone);
}

} // namespace

int Project(const std::uint8_t* data, std::size_t size)
{
    const QString dir = ScratchDir();
    const QString input = dir + QStringLiteral("/input.afp");
    {
        QFile file(input);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size));
    }

    App::TForm1 form;
    QString error;
    const int loaded =
        Projekt::LoadProject(input, form.projectData, form.optionPages(), stepDone(form), &error);
    FUZZ_CHECK(loaded == 0 || loaded == -1);
    if (loaded != 0)
        return 0;
    FUZZ_CHECK(form.projectData.ProjectPath == input);

    // Saved into a fresh file, loaded into a fresh window and saved again: the same bytes.
    const QString first = dir + QStringLiteral("/first.afp");
    const QString second = dir + QStringLiteral("/second.afp");
    QFile::remove(first);
    QFile::remove(second);
    FUZZ_CHECK(
        Projekt::SaveProject(first, form.projectData, form.optionPages(), stepDone(form)).ok);

    App::TForm1 again;
    FUZZ_CHECK(
        Projekt::LoadProject(first, again.projectData, again.optionPages(), stepDone(again)) == 0);
    FUZZ_CHECK(again.projectData.SourcePath == form.projectData.SourcePath);
    FUZZ_CHECK(again.projectData.Build == form.projectData.Build);
    FUZZ_CHECK(
        Projekt::SaveProject(second, again.projectData, again.optionPages(), stepDone(again)).ok);
    FUZZ_CHECK(readBytes(first) == readBytes(second));
    return 0;
}

} // namespace Fuzz
