// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's way into the game window: its "Sudoku" entries, the game left at the last
// close, and the colour-blind patterns over the cells.
#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>

#include "cell_edit.h"
#include "generate_dialog.h"
#include "language_choice.h"
#include "message_box.h"
#include "play_window.h"
#include "sud_file.h"
#include "tf_vrn.h"

namespace vornel {

namespace {

QSettings settings() {
    return {QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("vornel"), QStringLiteral("vornel")};
}

const QString kPatternsKey = QStringLiteral("affichage/motifs");

} // namespace

std::vector<QAction*> Tf_vrn::add_sudoku_entries(std::initializer_list<SudokuEntry> entries) {
    QMenu* menu = menuBar()->findChild<QMenu*>(QStringLiteral("m_sudoku"));
    std::vector<QAction*> actions;
    for (const SudokuEntry& e : entries) {
        auto* action = new QAction(tr(e.caption), this);
        action->setObjectName(QString::fromUtf8(e.name));
        connect(action, &QAction::triggered, this, e.handler);
        menu->addAction(action);
        actions.push_back(action);
    }
    return actions;
}

void Tf_vrn::build_play_menu() {
    QMenu* menu = menuBar()->findChild<QMenu*>(QStringLiteral("m_sudoku"));
    resume_action_ =
        add_sudoku_entries(
            {
                {"m_play", QT_TRANSLATE_NOOP("vornel::Tf_vrn", "Jouer cette grille"), &Tf_vrn::m_playClick},
                {"m_play_new", QT_TRANSLATE_NOOP("vornel::Tf_vrn", "Nouvelle partie..."), &Tf_vrn::m_play_newClick},
                {"m_play_resume", QT_TRANSLATE_NOOP("vornel::Tf_vrn", "Reprendre la partie..."),
                 &Tf_vrn::m_play_resumeClick},
            })
            .back();
    // Always offered: the list of games says when there is none yet.

    auto* patterns = new QAction(tr("Motifs pour daltoniens"), this);
    patterns->setObjectName(QStringLiteral("m_patterns"));
    patterns->setCheckable(true);
    menu->addAction(patterns);
    const bool on = settings().value(kPatternsKey, false).toBool();
    patterns->setChecked(on);
    for (CellEdit* target : cells_) target->set_patterns(on);
    connect(patterns, &QAction::toggled, this, &Tf_vrn::m_patternsClick);
}

namespace {

// The game window's boxes shown through the main window's seam, whichever it holds at the time.
class ForwardedBoxes final : public MessageBoxes {
public:
    explicit ForwardedBoxes(std::function<void(const BoxRequest&)> show) : show_(std::move(show)) {}
    void show(const BoxRequest& request) override { show_(request); }

private:
    std::function<void(const BoxRequest&)> show_;
};

} // namespace

Tf_play* Tf_vrn::play_window(bool create) {
    if (!play_ && create) {
        play_ = new Tf_play(this);
        play_->setWindowFlag(Qt::Window, true);
        play_->set_message_boxes(std::make_unique<ForwardedBoxes>([this](const BoxRequest& r) { boxes_->show(r); }));
    }
    return play_;
}

void Tf_vrn::m_playClick() {
    run_guarded([this] {
        const Values values = values_of(area_);
        play::Grid givens{};
        for (std::size_t c = 0; c < 81; ++c)
            givens[c] = static_cast<std::uint8_t>(values[c] < 0 || values[c] > 9 ? 10 : values[c]);
        std::string error;
        std::optional<play::Game> game = play::Game::start(givens, error, installed_language());
        if (!game) {
            report_failure(error);
            return;
        }
        Tf_play* window = play_window(true);
        window->play(std::move(*game));
        window->show();
        window->raise();
        window->activateWindow();
    });
}

void Tf_vrn::m_play_newClick() {
    run_guarded([this] {
        Tf_play* window = play_window(true);
        auto* dialog = new GenerateDialog(this);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        connect(dialog, &GenerateDialog::generated, this, [this, window](const generator::Grid& puzzle) {
            play::Grid givens{};
            for (std::size_t c = 0; c < 81; ++c) givens[c] = static_cast<std::uint8_t>(puzzle[c]);
            if (window->play_givens(givens)) window->show();
        });
        dialog->open();
    });
}

// "Reprendre la partie...": the list of every game kept, to resume any of them.
void Tf_vrn::m_play_resumeClick() {
    run_guarded([this] {
        Tf_play* window = play_window(true);
        window->show_games();
    });
}

void Tf_vrn::start_playing(const QString& path) {
    run_guarded([this, &path] {
        Tf_play* window = play_window(true);
        if (path.isEmpty()) {
            // The game played last and not finished, from the store of games.
            const QString last = Tf_play::last_unfinished();
            if (last.isEmpty()) {
                boxes_->show({BoxKind::Information, application_title(), tr("Aucune partie à reprendre.")});
                return;
            }
            if (window->resume(last)) {
                window->show();
                window->raise();
                window->activateWindow();
            }
            return;
        }
        if (window->open_file(path)) {
            window->show();
            window->raise();
            window->activateWindow();
        }
    });
}

void Tf_vrn::m_patternsClick(bool on) {
    run_guarded([this, on] {
        settings().setValue(kPatternsKey, on);
        for (CellEdit* target : cells_) target->set_patterns(on);
    });
}

} // namespace vornel
