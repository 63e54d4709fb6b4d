// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <optional>

#include <QWidget>

#include "ladder/ladder_picture.h"
#include "ladder/step.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace vornel {

class PictureBoard;

// The techniques window "f_techniques": every technique of the ladder, simplest first, each told
// in a few French sentences with a small example board drawn as the main board draws a step (the
// example is the first step of that technique in its puzzle's explanation, with that step's
// sentences under it).
//
// Lifecycle: one window, created by the main window on first use, owned by it (a Qt parent with
// the Qt::Window flag) and destroyed with it. Not modal; "Fermer" and the close box only hide it,
// and each time it is hidden it re-activates its owner. open() shows it and brings it to the front;
// the first show centres it on the owner's screen.
class Tf_techniques final : public QWidget {
    Q_OBJECT

public:
    explicit Tf_techniques(QWidget* owner);

    void open();
    void select(ladder::Technique technique);
    ladder::Technique selected() const;

    QListWidget* list() const { return list_; }
    PictureBoard* board() const { return board_; }
    QLabel* text_label() const { return text_; }
    QLabel* example_label() const { return example_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    // Escape closes the window, as "Fermer" does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void show_page(int row);

    QListWidget* list_ = nullptr;
    QLabel* title_ = nullptr;
    QLabel* text_ = nullptr;
    PictureBoard* board_ = nullptr;
    QLabel* example_ = nullptr;
    QPushButton* close_ = nullptr;
    // The example picture and sentences of each technique, once worked out.
    struct Example {
        std::optional<ladder::BoardPicture> picture;
        QString sentences;
    };
    std::map<int, Example> examples_;
    bool placed_ = false; // centred on its owner's screen at the first show
};

} // namespace vornel
