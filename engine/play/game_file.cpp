#include "game_file.h"

#include <cctype>
#include <map>
#include <variant>
#include <vector>

namespace vornel::play {

namespace {

constexpr const char* kFormat = "vornel-partie";

// The JSON values a game file uses: strings, integers and arrays of strings. Anything else JSON
// allows (objects inside, true, false, null, fractions) is read and kept as "other", so that a
// later version's extra members do not stop this one.
struct Other {};
using Value = std::variant<std::string, long long, std::vector<std::string>, Other>;

class Reader {
public:
    explicit Reader(const std::string& text) : text_(text) {}

    // The whole text: one object and nothing after it.
    bool object(std::map<std::string, Value>& members) {
        space();
        if (!take('{')) return fail("le fichier doit commencer par « { »");
        return members_of(members) && end();
    }

    const std::string& error() const { return error_; }

private:
    bool end() {
        space();
        if (pos_ != text_.size()) return fail("du texte suit la fin de l'objet");
        return true;
    }

    bool fail(const std::string& what) {
        if (error_.empty()) error_ = what + " (ligne " + std::to_string(line()) + ")";
        return false;
    }

    int line() const {
        int n = 1;
        for (std::size_t i = 0; i < pos_ && i < text_.size(); ++i)
            if (text_[i] == '\n') ++n;
        return n;
    }

    void space() {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
    }

    bool take(char ch) {
        if (pos_ < text_.size() && text_[pos_] == ch) {
            ++pos_;
            return true;
        }
        return false;
    }

    bool string(std::string& out) {
        if (!take('"')) return false;
        while (pos_ < text_.size()) {
            const char ch = text_[pos_++];
            if (ch == '"') return true;
            if (static_cast<unsigned char>(ch) < 0x20) return fail("caractère de contrôle dans une chaîne");
            if (ch != '\\') {
                out += ch;
                continue;
            }
            if (pos_ >= text_.size()) break;
            const char esc = text_[pos_++];
            switch (esc) {
                case '"': out += '"'; break;
                case '\\': out += '\\'; break;
                case '/': out += '/'; break;
                case 'n': out += '\n'; break;
                case 't': out += '\t'; break;
                case 'r': out += '\r'; break;
                case 'b': out += '\b'; break;
                case 'f': out += '\f'; break;
                case 'u':
                    // Game files hold ASCII only; other characters are kept as '?'.
                    if (pos_ + 4 > text_.size()) return fail("échappement \\u incomplet");
                    pos_ += 4;
                    out += '?';
                    break;
                default: return fail("échappement inconnu dans une chaîne");
            }
        }
        return fail("chaîne non terminée");
    }

    bool any(Value& value) {
        space();
        if (pos_ >= text_.size()) return fail("une valeur est attendue");
        const char ch = text_[pos_];
        if (ch == '"') {
            std::string s;
            if (!string(s)) return false;
            value = std::move(s);
            return true;
        }
        if (ch == '[') return array(value);
        if (ch == '{') {
            std::map<std::string, Value> inner;
            take('{');
            if (!members_of(inner)) return false;
            value = Other{};
            return true;
        }
        if (ch == '-' || std::isdigit(static_cast<unsigned char>(ch))) return number(value);
        for (const char* word : {"true", "false", "null"}) {
            const std::string w(word);
            if (text_.compare(pos_, w.size(), w) == 0) {
                pos_ += w.size();
                value = Other{};
                return true;
            }
        }
        return fail("valeur JSON inconnue");
    }

    // The members of an object whose "{" has been read, up to its "}".
    bool members_of(std::map<std::string, Value>& members) {
        space();
        if (take('}')) return true;
        for (;;) {
            std::string key;
            space();
            if (!string(key)) return fail("un nom de membre entre guillemets est attendu");
            space();
            if (!take(':')) return fail("« : » est attendu après « " + key + " »");
            Value v;
            if (!any(v)) return false;
            members[key] = std::move(v);
            space();
            if (take(',')) continue;
            if (take('}')) return true;
            return fail("« , » ou « } » est attendu");
        }
    }

    bool array(Value& value) {
        take('[');
        std::vector<std::string> items;
        bool only_strings = true;
        space();
        if (take(']')) {
            value = std::move(items);
            return true;
        }
        for (;;) {
            Value item;
            if (!any(item)) return false;
            if (auto* s = std::get_if<std::string>(&item))
                items.push_back(std::move(*s));
            else
                only_strings = false;
            space();
            if (take(',')) continue;
            if (take(']')) break;
            return fail("« , » ou « ] » est attendu");
        }
        if (only_strings)
            value = std::move(items);
        else
            value = Other{};
        return true;
    }

    bool number(Value& value) {
        const std::size_t start = pos_;
        if (text_[pos_] == '-') ++pos_;
        while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]))) ++pos_;
        bool integer = true;
        while (pos_ < text_.size() &&
               (text_[pos_] == '.' || text_[pos_] == 'e' || text_[pos_] == 'E' || text_[pos_] == '+' ||
                text_[pos_] == '-' || std::isdigit(static_cast<unsigned char>(text_[pos_])))) {
            integer = false;
            ++pos_;
        }
        const std::string digits = text_.substr(start, pos_ - start);
        if (digits == "-" || digits.empty()) return fail("nombre mal formé");
        if (!integer || digits.size() > 18) {
            value = Other{};
            return true;
        }
        value = std::stoll(digits);
        return true;
    }

    const std::string& text_;
    std::size_t pos_ = 0;
    std::string error_;
};

std::string quoted(const std::string& s) { return "\"" + s + "\""; }

} // namespace

std::string write_game(const Game::Saved& saved) {
    Grid digits{};
    for (std::size_t c = 0; c < 81; ++c)
        if (!saved.givens[c]) digits[c] = saved.position.values[c];
    std::string out = "{\n";
    out += "  \"format\": " + quoted(kFormat) + ",\n";
    out += "  \"version\": 1,\n";
    out += "  \"givens\": " + quoted(grid_line(saved.givens)) + ",\n";
    out += "  \"digits\": " + quoted(grid_line(digits)) + ",\n";
    out += "  \"marks\": [";
    for (std::size_t c = 0; c < 81; ++c) {
        if (c % 9 == 0) out += "\n    ";
        std::string marks;
        for (int d = 1; d <= 9; ++d)
            if ((saved.position.marks[c] >> d) & 1) marks += static_cast<char>('0' + d);
        out += quoted(marks);
        if (c != 80) out += c % 9 == 8 ? "," : ", ";
    }
    out += "\n  ],\n";
    out += "  \"elapsed_ms\": " + std::to_string(saved.elapsed_ms) + ",\n";
    out += "  \"hints\": " + std::to_string(saved.hints) + "\n";
    out += "}\n";
    return out;
}

std::optional<Game::Saved> read_game(const std::string& text, std::string& error) {
    std::map<std::string, Value> members;
    Reader reader(text);
    if (!reader.object(members)) {
        error = "Ce fichier n'est pas une partie de Vornel : " + reader.error() + ".";
        return std::nullopt;
    }
    auto string_member = [&](const char* name) -> const std::string* {
        auto found = members.find(name);
        return found == members.end() ? nullptr : std::get_if<std::string>(&found->second);
    };
    auto int_member = [&](const char* name, long long& out) {
        auto found = members.find(name);
        if (found == members.end()) return true;
        const long long* v = std::get_if<long long>(&found->second);
        if (!v || *v < 0) return false;
        out = *v;
        return true;
    };
    const std::string* format = string_member("format");
    if (!format || *format != kFormat) {
        error = "Ce fichier n'est pas une partie de Vornel (le membre « format » doit valoir « vornel-partie »).";
        return std::nullopt;
    }
    long long version = 1;
    if (!int_member("version", version) || version != 1) {
        error = "Cette partie a été écrite par une version plus récente de Vornel (format " + std::to_string(version) +
                ").";
        return std::nullopt;
    }
    Game::Saved saved;
    const std::string* givens = string_member("givens");
    if (!givens || !grid_from_line(*givens, saved.givens)) {
        error = "La partie n'a pas de grille valide : « givens » doit tenir 81 caractères, chiffres ou points.";
        return std::nullopt;
    }
    saved.position.values = saved.givens;
    if (const std::string* digits = string_member("digits")) {
        Grid player{};
        if (!grid_from_line(*digits, player)) {
            error = "Les chiffres du joueur sont illisibles : « digits » doit tenir 81 caractères, chiffres ou points.";
            return std::nullopt;
        }
        for (std::size_t c = 0; c < 81; ++c) {
            if (!player[c]) continue;
            if (saved.givens[c]) {
                error = "La partie écrit un chiffre dans une case donnée (case " + std::to_string(c / 9 + 1) + ", " +
                        std::to_string(c % 9 + 1) + ").";
                return std::nullopt;
            }
            saved.position.values[c] = player[c];
        }
    }
    if (auto found = members.find("marks"); found != members.end()) {
        const auto* marks = std::get_if<std::vector<std::string>>(&found->second);
        if (!marks || marks->size() != 81) {
            error = "Les candidats de la partie sont illisibles : « marks » doit être une liste de 81 chaînes.";
            return std::nullopt;
        }
        for (std::size_t c = 0; c < 81; ++c) {
            for (const char ch : (*marks)[c]) {
                if (ch < '1' || ch > '9') {
                    error = "Les candidats de la partie sont illisibles : « " + (*marks)[c] +
                            " » n'est pas une suite de chiffres.";
                    return std::nullopt;
                }
                saved.position.marks[c] = static_cast<std::uint16_t>(saved.position.marks[c] | (1u << (ch - '0')));
            }
        }
    }
    long long elapsed = 0;
    long long hints = 0;
    if (!int_member("elapsed_ms", elapsed) || !int_member("hints", hints) || hints > 1000000) {
        error = "Le temps ou le nombre d'indices de la partie n'est pas un entier positif.";
        return std::nullopt;
    }
    saved.elapsed_ms = elapsed;
    saved.hints = static_cast<int>(hints);
    return saved;
}

} // namespace vornel::play
