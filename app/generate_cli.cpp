#include "generate_cli.h"

#include <charconv>
#include <chrono>
#include <ostream>

#include "generate.h"

namespace vornel {

namespace {

constexpr const char* kUsage =
    "Usage : vornel-generate [--count N] [--level NIVEAU] [--needs TECHNIQUE] [--seed S] [--symmetric]\n"
    "\n"
    "Crée de nouvelles grilles de Sudoku et les écrit une par ligne : 81 chiffres, 0 pour une case\n"
    "vide. Chaque grille a une seule solution et aucun chiffre donné ne peut être retiré sans en\n"
    "perdre l'unicité.\n"
    "  --count N          nombre de grilles (1 par défaut)\n"
    "  --level NIVEAU     niveau de l'explication complète : très facile (tres-facile), facile,\n"
    "                     moyen, difficile, très difficile (tres-difficile), diabolique\n"
    "  --needs TECHNIQUE  l'explication utilise cette technique au moins une fois et rien de plus\n"
    "                     difficile (identifiant de l'échelle, par exemple x-wing)\n"
    "  --seed S           graine (entier de 0 à 18446744073709551615) : la même graine donne les\n"
    "                     mêmes grilles ; sans elle, des grilles nouvelles à chaque fois\n"
    "  --symmetric        chiffres donnés symétriques par un demi-tour autour du centre\n"
    "  --help             affiche cette aide\n"
    "\n"
    "Une demande difficile à satisfaire affiche sa progression sur la sortie d'erreur ; Ctrl+C\n"
    "l'arrête proprement, les grilles déjà écrites restent intactes.\n";

int usage_error(std::ostream& err, const std::string& message) {
    err << "vornel-generate : " << message << "\nPour l'aide : vornel-generate --help\n";
    return 2;
}

std::string technique_list() {
    std::string list;
    for (int t = 0; t < ladder::kTechniqueCount; ++t) {
        if (t > 0) list += ", ";
        list += ladder::technique_id(static_cast<ladder::Technique>(t));
    }
    return list;
}

template<typename Number>
bool parse_number(const std::string& text, Number& number) {
    if (text.empty() || text[0] == '-' || text[0] == '+') return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return error == std::errc() && end == text.data() + text.size();
}

std::string line_of(const generator::Grid& puzzle) {
    std::string line(81, '0');
    for (int c = 0; c < 81; ++c) line[static_cast<std::size_t>(c)] = static_cast<char>('0' + puzzle[c]);
    return line;
}

} // namespace

int run_generate(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                 const std::atomic<bool>& stop) {
    long count = 1;
    generator::Request request;
    std::uint64_t seed = 0;
    bool seeded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string option = arg, value;
        const auto equals = arg.find('=');
        const bool inline_value = arg.rfind("--", 0) == 0 && equals != std::string::npos;
        if (inline_value) {
            option = arg.substr(0, equals);
            value = arg.substr(equals + 1);
        }
        const auto take_value = [&] {
            if (inline_value) return true;
            if (i + 1 >= args.size()) return false;
            value = args[++i];
            return true;
        };
        if (option == "--help" || option == "-h") {
            out << kUsage;
            return 0;
        } else if (option == "--symmetric" && !inline_value) {
            request.symmetric = true;
        } else if (option == "--count") {
            if (!take_value()) return usage_error(err, "l'option --count attend un nombre de grilles");
            if (!parse_number(value, count) || count < 1)
                return usage_error(err,
                                   "nombre de grilles invalide « " + value + " » : il faut un entier d'au moins 1");
        } else if (option == "--level") {
            if (!take_value()) return usage_error(err, "l'option --level attend un niveau");
            request.level = generator::level_from_name(value);
            if (request.level < 0)
                return usage_error(err, "niveau inconnu « " + value +
                                            " » ; niveaux : très facile (tres-facile), facile, moyen, difficile, "
                                            "très difficile (tres-difficile), diabolique");
        } else if (option == "--needs") {
            if (!take_value()) return usage_error(err, "l'option --needs attend une technique");
            ladder::Technique technique{};
            if (!ladder::technique_from_id(value, technique))
                return usage_error(err, "technique inconnue « " + value + " » ; techniques : " + technique_list());
            request.needs = technique;
        } else if (option == "--seed") {
            if (!take_value()) return usage_error(err, "l'option --seed attend une graine");
            if (!parse_number(value, seed))
                return usage_error(err,
                                   "graine invalide « " + value + " » : il faut un entier de 0 à 18446744073709551615");
            seeded = true;
        } else {
            return usage_error(err, "option inconnue « " + arg + " »");
        }
    }
    if (const std::string why = generator::impossible(request); !why.empty()) return usage_error(err, why);

    generator::Generator generator(request, seeded ? seed : generator::fresh_seed());
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    Clock::time_point next_report = start + std::chrono::seconds(1);
    bool reported = false;
    long written = 0;
    while (written < count) {
        if (stop.load(std::memory_order_relaxed)) {
            err << "vornel-generate : interrompu, " << written << " grille" << (written > 1 ? "s" : "") << " sur "
                << count << " écrite" << (written > 1 ? "s" : "") << ".\n";
            return 130;
        }
        if (const auto puzzle = generator.attempt()) {
            out << line_of(*puzzle) << '\n';
            out.flush();
            ++written;
        }
        const Clock::time_point now = Clock::now();
        if (now >= next_report) {
            const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(now - start).count();
            err << "vornel-generate : " << written << " grille" << (written > 1 ? "s" : "") << " sur " << count << ", "
                << generator.attempts() << " essai" << (generator.attempts() > 1 ? "s" : "") << ", " << seconds
                << " s\n";
            next_report = now + std::chrono::seconds(1);
            reported = true;
        }
    }
    if (reported)
        err << "vornel-generate : " << count << " grille" << (count > 1 ? "s" : "") << " sur " << count << ", "
            << generator.attempts() << " essai" << (generator.attempts() > 1 ? "s" : "") << ", terminé.\n";
    return 0;
}

} // namespace vornel
