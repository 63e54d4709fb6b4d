// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include "progress.h"

class QLabel;
class QTableWidget;

namespace vornel {

// The "Progrès" window "f_progress": the record of progress technique by technique (exercises
// tried and solved, solved without help, hints asked in games at each level, moves recognised in
// games, mastered or not), a chart of how much of each family is mastered, and the techniques
// that come next on the ladder.
class Tf_progress final : public QWidget {
    Q_OBJECT

public:
    explicit Tf_progress(QWidget* owner);
    // Reads the record again and shows the window.
    void open();
    void show_progress(const learn::Progress& progress);
    QTableWidget* table() const { return table_; }
    QLabel* next_label() const { return next_; }

private:
    QTableWidget* table_ = nullptr;
    QLabel* next_ = nullptr;
    class Chart;
    Chart* chart_ = nullptr;
};

} // namespace vornel
