// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>

#include <QWidget>

#include "exercise.h"
#include "progress.h"

class QLabel;
class QPushButton;
class QThread;
class QTreeWidget;

namespace vornel {

class ExerciseBoard;
class Tf_techniques;

// The exercises window "f_learn": the player picks a technique (grouped by family, lightest
// first, each with its help page), gets a position where it applies and no lighter one does, marks
// what a step of it changes and presses "Valider". Vornel says whether that is a step of the
// technique (any instance counts), what is missing or wrong, and can show the ladder's own step;
// then the next exercise, ten a series, more on demand. The next exercise is prepared off the GUI
// thread while the player works on the present one. Answers go into the record of progress.
//
// Keys: Enter validates, S shows the step, N goes to the next exercise, F1 opens the help page.
class Tf_learn final : public QWidget {
    Q_OBJECT

public:
    explicit Tf_learn(QWidget* owner);
    ~Tf_learn() override;

    // Shows the window, on `technique` when given (else the next one to master).
    void open(std::optional<ladder::Technique> technique = std::nullopt);
    void select(ladder::Technique technique);
    ladder::Technique technique() const { return technique_; }
    const learn::Exercise* exercise() const { return exercise_ ? &*exercise_ : nullptr; }
    int exercise_number() const { return number_; }
    ExerciseBoard* board() const { return board_; }
    QLabel* verdict_label() const { return verdict_; }
    QTreeWidget* list() const { return list_; }
    const learn::Progress& progress() const { return progress_; }
    // The seed of the next exercises (tests fix it).
    void set_seed(std::uint64_t seed) { seed_ = seed; }
    // Where the record of progress is kept (the application's data folder).
    static QString progress_path();

public slots:
    void validate();
    void show_step();
    void next_exercise();
    void show_help();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void build();
    void fill_list();
    // Starts preparing an exercise for the present technique, unless one is under way.
    void prepare();
    void prepared();
    void present(learn::Exercise exercise);
    void save_progress();

    QTreeWidget* list_ = nullptr;
    ExerciseBoard* board_ = nullptr;
    QLabel* title_ = nullptr;
    QLabel* count_ = nullptr;
    QLabel* verdict_ = nullptr;
    QPushButton* validate_ = nullptr;
    QPushButton* show_ = nullptr;
    QPushButton* next_ = nullptr;
    Tf_techniques* techniques_ = nullptr;

    ladder::Technique technique_ = ladder::Technique::HiddenSingle;
    std::optional<learn::Exercise> exercise_;
    std::optional<learn::Exercise> next_ready_;
    QThread* worker_ = nullptr;
    std::shared_ptr<std::atomic<bool>> stop_;
    std::shared_ptr<std::optional<learn::Exercise>> result_;
    ladder::Technique worker_technique_ = ladder::Technique::HiddenSingle;
    std::uint64_t seed_ = 0;
    int number_ = 0; // the exercise of the series, 1-10 and on
    int solved_in_series_ = 0;
    bool step_shown_ = false; // the ladder's step was shown before the answer
    bool answered_ = false;   // counted in the record already
    learn::Progress progress_;
};

} // namespace vornel
