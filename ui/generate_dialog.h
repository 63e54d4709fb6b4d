// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>

#include "generate.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QThread;
class QTimer;

namespace vornel {

// "Nouvelle grille générée...": the user picks a level, or a technique to practise, and whether
// the givens are symmetric, then "Générer". The puzzle is searched on a worker thread while the
// dialog shows the attempts made so far; the window stays responsive throughout.
//
// Protocol: "Générer" locks the choices and starts the search. When a puzzle is found the dialog
// emits generated(puzzle), then accepts. "Annuler" (or Escape, or the close box) before a search
// closes the dialog; during one it asks the worker to stop, which it does between two attempts,
// and the dialog rejects once the worker has ended, emitting nothing. The dialog never outlives
// its worker: destroying it stops the search and waits for it.
class GenerateDialog final : public QDialog {
    Q_OBJECT

public:
    explicit GenerateDialog(QWidget* parent = nullptr);
    ~GenerateDialog() override;

    // The seed of the next search; by default a fresh one for each search.
    void set_seed(std::uint64_t seed) { seed_ = seed; }
    // What the choices ask for.
    generator::Request request() const;
    bool running() const { return worker_ != nullptr; }

public slots:
    void reject() override;

signals:
    void generated(const vornel::generator::Grid& puzzle);

private slots:
    void start();
    void show_progress();
    void worker_done();

private:
    QRadioButton* level_choice_ = nullptr;
    QComboBox* level_box_ = nullptr;
    QRadioButton* technique_choice_ = nullptr;
    QComboBox* technique_box_ = nullptr;
    QCheckBox* symmetric_box_ = nullptr;
    QLabel* progress_label_ = nullptr;
    QProgressBar* progress_bar_ = nullptr;
    QPushButton* generate_button_ = nullptr;
    QPushButton* cancel_button_ = nullptr;
    QTimer* progress_timer_ = nullptr;

    std::unique_ptr<QThread> worker_;
    std::atomic<bool> stop_{false};
    std::atomic<long> attempts_{0};
    std::optional<generator::Grid> result_; // written by the worker, read once it has ended
    std::optional<std::uint64_t> seed_;
};

} // namespace vornel
