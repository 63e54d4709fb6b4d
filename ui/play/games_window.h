// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include <QDialog>

#include "game_store.h"

class QLabel;
class QPushButton;
class QTreeWidget;

namespace vornel {

// "Mes parties": every game of the store, the most recent first, each with a thumbnail of its
// board, when it was started, the time played, its progress (or "Terminée"), hints and mistakes.
// "Reprendre" (Enter, a double click) resumes the game chosen, finished ones included (to look
// at them); "Supprimer" (Del) deletes its file after asking; the game in play cannot be deleted.
// A file that cannot be read is listed with its problem, so that it can be deleted.
class Tf_games final : public QDialog {
    Q_OBJECT

public:
    Tf_games(QWidget* parent, const play::GameStore& store, QString playing);

    // Reads the folder again.
    void reload();
    QTreeWidget* list() const { return list_; }
    // The question asked before deleting (tests answer it).
    void set_confirm(std::function<bool(const QString&)> confirm) { confirm_ = std::move(confirm); }

signals:
    void resume_requested(const QString& path);

public slots:
    void resume_selected();
    void delete_selected();

private:
    void selection_changed();

    play::GameStore store_;
    QString playing_;
    QTreeWidget* list_ = nullptr;
    QLabel* empty_ = nullptr;
    QPushButton* resume_ = nullptr;
    QPushButton* delete_ = nullptr;
    std::function<bool(const QString&)> confirm_;
};

// A small picture of a game's board: givens in black, the player's digits in blue.
QPixmap game_thumbnail(const play::Game::Saved& saved, int side);

} // namespace vornel
