// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the program as `vornel FICHIER` would (run_program with a command line), with a good,
// a bad or a missing file, and checks what the user then sees: the puzzle on the board, or the
// failure box over the window that stays, the board as it was. Exit status 0 when all is right.
// Usage: vornel_start_probe good|bad|missing

#include <cstdio>
#include <fstream>
#include <string>

#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include "cell_edit.h"
#include "start_up.h"
#include "tf_vrn.h"

namespace {

int failures = 0;

void check(bool ok, const std::string& what) {
    if (ok) return;
    ++failures;
    std::fprintf(stderr, "FAIL: %s\n", what.c_str());
}

// The first row of the published puzzle written by the file, the rest empty.
constexpr int kRow1[9] = {5, 3, 0, 0, 7, 0, 0, 0, 0};

} // namespace

int main(int argc, char** argv) {
    const std::string kind = argc > 1 ? argv[1] : "";
    if (kind != "good" && kind != "bad" && kind != "missing") {
        std::fprintf(stderr, "usage: vornel_start_probe good|bad|missing\n");
        return 2;
    }
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("grille.sud")).toStdString();
    if (kind != "missing") {
        std::ofstream out(path, std::ios::binary);
        for (int i = 0; i < 81; ++i) {
            if (kind == "bad" && i == 3) out << "x\r\n"; // a non-numeric line stops the read
            out << (i < 9 ? kRow1[i] : 0) << "\r\n";
        }
    }
    const std::string program = "vornel";
    std::string file = path;
    char* args[] = {const_cast<char*>(program.c_str()), file.data(), nullptr};
    int count = 2;

    const int status = vornel::run_program(count, args, [&](vornel::Tf_vrn& w) {
        check(w.isVisible(), "the window shows");
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (kind == "good") {
            check(box == nullptr, "no box for a good file");
            for (int c = 1; c <= 9; ++c) {
                const QString expected = kRow1[c - 1] ? QString::number(kRow1[c - 1]) : QString();
                check(w.cell(1, c)->text() == expected, "cell 1," + std::to_string(c) + " shows the file's digit");
                check(w.area().grid[1][c] == kRow1[c - 1], "grid 1," + std::to_string(c) + " holds the file's value");
            }
        } else {
            const QString text =
                kind == "bad" ? QStringLiteral("Saisie numérique incorrecte.") : QStringLiteral("Fichier introuvable.");
            check(box != nullptr, "a failure box comes up");
            if (box) {
                check(box->text() == text, "the box says " + text.toStdString() + ", not " + box->text().toStdString());
                check(box->icon() == QMessageBox::Critical, "the box has the stop icon");
                check(box->isVisible() && w.isVisible(), "the box stands over the window");
                box->done(QMessageBox::Ok);
            }
            for (int r = 1; r <= 9; ++r)
                for (int c = 1; c <= 9; ++c) {
                    check(w.cell(r, c)->text().isEmpty(), "the board stays empty");
                    check(w.area().grid[r][c] == 0, "the grid stays empty");
                }
        }
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    });
    check(status == 0, "the event loop ends normally");
    if (failures == 0) std::printf("ok: %s\n", kind.c_str());
    return failures == 0 ? 0 : 1;
}
