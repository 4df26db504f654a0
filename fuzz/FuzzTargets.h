#pragma once
// Entry points of the fuzz targets, shared by the libFuzzer executables and the corpus test.

#include <cstddef>
#include <cstdint>
#include <span>

#include <QByteArray>
#include <QString>

namespace Fuzz {

/// One fuzz target: takes arbitrary bytes, checks its properties, returns 0.
using Target = int (*)(const std::uint8_t* data, std::size_t size);

struct TargetInfo
{
    const char* name; // also the folder of its seed corpus, fuzz/corpus/<name>
    Target run;
};

/// Every target, by name.
std::span<const TargetInfo> Targets();
/// The target called name, or null.
Target FindTarget(const char* name);

int Analysis(const std::uint8_t* data, std::size_t size);
int Pipeline(const std::uint8_t* data, std::size_t size);
int Profile(const std::uint8_t* data, std::size_t size);
int Project(const std::uint8_t* data, std::size_t size);
int UserReg(const std::uint8_t* data, std::size_t size);
int Decode(const std::uint8_t* data, std::size_t size);
/// The AFL front end (corpus folder "syntax").
int Parse(const std::uint8_t* data, std::size_t size);
/// The dry run's interpreter, recorder and replay (corpus folder "interpreter").
int Interpret(const std::uint8_t* data, std::size_t size);

/// Reports a broken property: aborts (so libFuzzer keeps the input), or throws
/// PropertyFailure when throwing was switched on.
[[noreturn]] void Fail(const char* expression, const char* file, int line);
void SetThrowOnFailure(bool enabled);

struct PropertyFailure
{
    QString what;
};

/// A folder for the files a target writes, one per process, removed at exit.
QString ScratchDir();

} // namespace Fuzz

#define FUZZ_CHECK(condition) ((condition) ? void() : Fuzz::Fail(#condition, __FILE__, __LINE__))
