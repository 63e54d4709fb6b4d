// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's way into learning: "Exercices..." and "Progrès..." in the "Sudoku" menu,
// after the entries before them, and `vornel --learn [ID]`.
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "learn_window.h"
#include "progress_window.h"
#include "tf_vrn.h"

namespace vornel {

void Tf_vrn::build_learn_menu() {
    add_sudoku_entries({
        {"m_learn", QT_TRANSLATE_NOOP("vornel::Tf_vrn", "Exercices..."), &Tf_vrn::m_learnClick},
        {"m_progress", QT_TRANSLATE_NOOP("vornel::Tf_vrn", "Progrès..."), &Tf_vrn::m_progressClick},
    });
}

Tf_learn* Tf_vrn::learn_window(bool create) {
    if (!learn_ && create) learn_ = new Tf_learn(this);
    return learn_;
}

void Tf_vrn::open_learning(std::optional<ladder::Technique> technique) {
    run_guarded([this, technique] { learn_window(true)->open(technique); });
}

void Tf_vrn::m_learnClick() { open_learning(std::nullopt); }

void Tf_vrn::m_progressClick() {
    run_guarded([this] {
        if (!progress_) progress_ = new Tf_progress(this);
        progress_->open();
    });
}

} // namespace vornel
