// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>

#include <QLineEdit>

#include "colours.h"

class QKeyEvent;

namespace vornel {

// The character a key press would deliver to a Windows edit box, derived from the key rather
// than from QKeyEvent::text() (which differs between platforms): Ctrl+A..Ctrl+Z give the control
// codes 1..26, Backspace 8, Return and Enter 13, Escape 27, a printable key its first character.
// Keys that type nothing (arrows, Home, End, Delete, modifiers, Tab) give no character.
std::optional<char16_t> typed_character(const QKeyEvent& event);

// One board cell: a QLineEdit whose typed characters first go through a key hook that may
// discard them, and that selects its whole text whenever it is entered other than by the mouse.
// Text committed by an input method counts as typed, one character after the other; pasting
// does not go through the hook.
class CellEdit final : public QLineEdit {
    Q_OBJECT

public:
    // Receives the cell and the character about to be typed; setting the character to 0
    // discards the keystroke.
    using KeyHook = std::function<void(CellEdit& cell, char16_t& key)>;

    CellEdit(int row, int col, QWidget* parent);

    int row() const { return row_; }
    int col() const { return col_; }
    int tag() const { return row_ * 10 + col_; }

    void set_key_hook(KeyHook hook) { hook_ = std::move(hook); }

    // The background colour last set on the cell, or the default edit background before any set.
    // set_colour() takes effect at once for colour() and is painted (through the palette's Base
    // role, with the accessible description) by apply_colour(), which the window runs once per
    // handler: a solve recolours cells thousands of times, and a palette change is costly.
    Colour colour() const { return colour_; }
    void set_colour(Colour colour) { colour_ = colour; }
    // Brings the palette's Base role and the accessible description in line with colour();
    // returns false when they already were.
    bool apply_colour(const QPalette& palette, const QString& description);

    // "Motifs pour daltoniens": over a red cell hatching, over an orange one dots, around a green
    // one a double frame (the marks of the printed pages), so the colours read without their hue.
    void set_patterns(bool on);
    bool patterns() const { return patterns_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    int row_;
    int col_;
    KeyHook hook_;
    Colour colour_ = kWhite;
    bool patterns_ = false;
};

} // namespace vornel
