// SPDX-License-Identifier: GPL-3.0-or-later
#include "failures.h"

#include <cctype>

namespace vornel {

ConvertError::ConvertError(std::string_view text)
    : Failure("'" + std::string(text) + "' n'est pas une valeur entière correcte"), text_(text) {}

InOutError::InOutError(int code) : Failure(in_out_message(code)), code_(code) {}

InOutError::InOutError(int code, const std::string& message) : Failure(message), code_(code) {}

std::string in_out_message(int code, Language language) {
    if (language == Language::English) {
        switch (code) {
            case 2: return "File not found";
            case 3: return "Invalid file name";
            case 4: return "Too many open files";
            case 5: return "File access denied";
            case 100: return "Read beyond end of file";
            case 101: return "Disk full";
            case 106: return "Invalid numeric input";
            case kInOutNoPuzzleWithinBound: return "No puzzle in the first mebibyte: this is not a puzzle file";
            default: return "I/O error " + std::to_string(code);
        }
    }
    switch (code) {
        case 2: return "Fichier introuvable";
        case 3: return "Nom de fichier incorrect";
        case 4: return "Trop de fichiers ouverts";
        case 5: return "Accès au fichier refusé";
        case 100: return "Lecture au-delà de la fin de fichier";
        case 101: return "Disque plein";
        case 106: return "Saisie numérique incorrecte";
        case kInOutNoPuzzleWithinBound:
            return "Pas de grille dans le premier mégaoctet : ce n'est pas un fichier de grille";
        default: return "Erreur E/S " + std::to_string(code);
    }
}

std::string failure_message(const Failure& failure, Language language) {
    if (language == Language::French) return failure.message();
    if (const auto* convert = dynamic_cast<const ConvertError*>(&failure))
        return "'" + convert->text() + "' is not a valid whole number";
    // A coded failure told in words of its own keeps them; the plain code is told anew.
    if (const auto* coded = dynamic_cast<const InOutError*>(&failure);
        coded && failure.message() == in_out_message(coded->code()))
        return in_out_message(coded->code(), language);
    return failure.message();
}

std::string failure_text(std::string_view message) {
    std::string text(message);
    if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) text += '.';
    return text;
}

std::string app_title(std::string_view program_path) {
    const auto slash = program_path.find_last_of("/\\");
    std::string_view name = slash == std::string_view::npos ? program_path : program_path.substr(slash + 1);
    name = name.substr(0, name.find('.'));
    std::string title(name);
    for (std::size_t i = 1; i < title.size(); ++i)
        title[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(title[i])));
    return title;
}

} // namespace vornel
