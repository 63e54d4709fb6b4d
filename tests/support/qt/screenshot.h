// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Saves a widget as a picture for a person to look at, once pending events have painted it, and
// says on standard output what was written.

#include <QCoreApplication>
#include <QDir>
#include <QPixmap>
#include <QWidget>
#include <cstdio>

namespace vornel::test {

inline bool save_screenshot(QWidget& w, const QDir& dir, const QString& name) {
    QCoreApplication::processEvents();
    const QString path = dir.filePath(name);
    const bool ok = w.grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

} // namespace vornel::test
