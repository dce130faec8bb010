#pragma once
// For tests: an equipment's source compiled again where it lies, and its
// object file read back line by line for byte comparisons.

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

#include "editor/testing/test_equipment.h"

namespace zor::editor::testing {

// The object file's lines keyed by kind and name ("EC:EC_X"), bytes
// untouched (CR LF ends cut). Empty when the file cannot be read. Names are
// unique per kind, as the compiler checks.
QMap<QByteArray, QByteArray> objectLines(const QString& path);

// The keys whose lines differ between two such maps, or that one lacks:
// a's keys first, then those only b has.
QStringList changedKeys(const QMap<QByteArray, QByteArray>& a,
                        const QMap<QByteArray, QByteArray>& b);

// Runs ZorCompile on eq.source in its directory, waiting; its exit code.
int compileInPlace(const Equipment& eq);

}  // namespace zor::editor::testing
