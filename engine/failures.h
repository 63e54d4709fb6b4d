// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "language.h"

namespace vornel {

// The program's one family of failures. Each knows the French message the user is shown.
// They are thrown by the file and conversion code and caught in exactly one guard per entry
// point (window handler, headless board write, command-line puzzle), never further up.
class Failure : public std::runtime_error {
public:
    explicit Failure(const std::string& message) : std::runtime_error(message) {}
    std::string message() const { return what(); }
};

// A text that is not an integer: "'%s' n'est pas une valeur entière correcte".
class ConvertError : public Failure {
public:
    explicit ConvertError(std::string_view text);
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

// An input/output failure with its numeric code (2 file not found, 106 bad number, ...).
class InOutError : public Failure {
public:
    explicit InOutError(int code);
    // A failure of that code told in words of its own (a message that says more than the code's).
    InOutError(int code, const std::string& message);
    int code() const { return code_; }

private:
    int code_;
};

// A source that gave no puzzle within its first mebibyte (no operating-system code comes near it).
inline constexpr int kInOutNoPuzzleWithinBound = 2001;

// The message shown for an input/output failure code, e.g. 2 -> "Fichier introuvable",
// 7 -> "Erreur E/S 7".
std::string in_out_message(int code, Language language = Language::French);

// The message of any failure in the language: the coded ones and ConvertError in its words; a
// failure that carries a message of its own keeps it.
std::string failure_message(const Failure& failure, Language language);

// The text of the failure box: the message, with "." appended when it is not empty and its last
// byte sorts after "." (so "...incorrecte" gains one and "...fichier." or "(x)" do not).
std::string failure_text(std::string_view message);

// The application title derived from the program file: its name without folder, cut before the
// first ".", every character after the first lower-cased ("/opt/VORNEL.EXE" -> "Vornel").
std::string app_title(std::string_view program_path);

} // namespace vornel
