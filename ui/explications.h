// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDeadlineTimer>
#include <QWidget>

class QPlainTextEdit;
class QPushButton;

// The explanations window: fixed texts on the vocabulary, the colour code and when a digit is
// placed. It holds no state and reads nothing from the puzzle.
//
// Lifecycle: created with the main window as `owner` (a Qt parent with the Qt::Window flag), so it
// is a separate, non-modal top-level window that the owner destroys with itself. "Ok"
// (Button1Click) and the close box only hide it; nothing but its owner deletes it. Each time it is
// hidden it re-activates its owner, so that the owner's activation handling runs as when a user
// returns to it.
//
// Geometry: the outer size (frame included) is 573 x 460. Where no window manager draws a frame
// the client area is the whole 573 x 460; where one does, the client area is shrunk by the frame
// once its size is known. The first show centres the frame on the owner's screen.
class Tf_explications : public QWidget {
    Q_OBJECT

public:
    explicit Tf_explications(QWidget* owner);

    static constexpr int kOuterWidth = 573;
    static constexpr int kOuterHeight = 460;

    // The window's background, 0xF0CAA6 in 0x00BBGGRR form.
    static QColor background();

    // The fixed texts of the three panels, one entry per line (one text block per line).
    static QStringList memo1_lines();
    static QStringList memo2_lines();
    static QStringList memo3_lines();

private slots:
    void Button1Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Sizes the client area so that client plus window-manager frame measures 573 x 460 and puts
    // the frame's corner where centring wants it. True when it held already, with a frame drawn.
    bool keep_outer_geometry();
    QPoint centred_corner() const;
    void centre_on_screen();

    static constexpr int kFrameWatchMs = 3000; // how long after the first show the frame may change

    QPlainTextEdit* Memo1 = nullptr; // owned by this widget through Qt parenting
    QPushButton* Button1 = nullptr;
    QPlainTextEdit* Memo2 = nullptr;
    QPlainTextEdit* Memo3 = nullptr;
    bool shown_once_ = false;
    QDeadlineTimer frame_watch_{0};
};

// Opens one more explanations window owned by `owner` and brings it to the front without blocking:
// creates it, shows it, raises and activates it (activation is explicit because a bare show() does
// not activate a window on every platform). `owner` must not be null; the returned window belongs
// to it.
Tf_explications* show_explications(QWidget* owner);
