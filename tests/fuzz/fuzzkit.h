#pragma once

#include <QString>
#include <QTemporaryDir>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

// What the fuzz targets share.

// Ends the run on an input that breaks a reader's promise; libFuzzer saves the input.
[[noreturn]] inline void failWith(const char *what)
{
    std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, what);
    std::abort();
}

// A file named `name` in a folder of the run's own, where a target writes what it reads.
inline QString fuzzFilePath(const QString &name)
{
    static const QTemporaryDir dir;
    return dir.filePath(name);
}
