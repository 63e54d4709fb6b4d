// SPDX-License-Identifier: GPL-3.0-or-later
#include "game_file.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <variant>
#include <vector>

#include "sud_file.h"

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

    // The whole text: one object and nothing after it. A byte-order mark may come first.
    bool object(std::map<std::string, Value>& members) {
        if (text_.compare(0, 3, "\xEF\xBB\xBF") == 0) pos_ = 3;
        space();
        if (!take('{')) return fail(GameFileProblem::Kind::MustStartWithBrace);
        depth_ = 1;
        return members_of(members) && end();
    }

    const GameFileProblem& problem() const { return problem_; }

private:
    bool end() {
        space();
        if (pos_ != text_.size()) return fail(GameFileProblem::Kind::TextAfterObject);
        return true;
    }

    bool fail(GameFileProblem::Kind kind, const std::string& text = {}, long long number = 0) {
        if (!failed_) problem_ = {kind, line(), number, text};
        failed_ = true;
        return false;
    }

    // Enters an object or a list; false, with the failure said, beyond the depth limit. The
    // reader recurses once per level, so this bound is also the bound on its stack.
    bool deeper() {
        if (++depth_ > kGameFileDepthLimit) return fail(GameFileProblem::Kind::TooDeep, {}, kGameFileDepthLimit);
        return true;
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
            if (static_cast<unsigned char>(ch) < 0x20) return fail(GameFileProblem::Kind::ControlCharacter);
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
                    if (pos_ + 4 > text_.size()) return fail(GameFileProblem::Kind::IncompleteEscape);
                    pos_ += 4;
                    out += '?';
                    break;
                default: return fail(GameFileProblem::Kind::UnknownEscape);
            }
        }
        return fail(GameFileProblem::Kind::UnterminatedString);
    }

    bool any(Value& value) {
        space();
        if (pos_ >= text_.size()) return fail(GameFileProblem::Kind::ValueExpected);
        const char ch = text_[pos_];
        if (ch == '"') {
            std::string s;
            if (!string(s)) return false;
            value = std::move(s);
            return true;
        }
        if (ch == '[') {
            if (!deeper()) return false;
            const bool read = array(value);
            --depth_;
            return read;
        }
        if (ch == '{') {
            if (!deeper()) return false;
            std::map<std::string, Value> inner;
            take('{');
            if (!members_of(inner)) return false;
            --depth_;
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
        return fail(GameFileProblem::Kind::UnknownValue);
    }

    // The members of an object whose "{" has been read, up to its "}".
    bool members_of(std::map<std::string, Value>& members) {
        space();
        if (take('}')) return true;
        for (;;) {
            std::string key;
            space();
            if (!string(key)) return fail(GameFileProblem::Kind::MemberNameExpected);
            space();
            if (!take(':')) return fail(GameFileProblem::Kind::ColonExpected, key);
            Value v;
            if (!any(v)) return false;
            members[key] = std::move(v);
            space();
            if (take(',')) continue;
            if (take('}')) return true;
            return fail(GameFileProblem::Kind::CommaOrBraceExpected);
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
            return fail(GameFileProblem::Kind::CommaOrBracketExpected);
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
        if (digits == "-" || digits.empty()) return fail(GameFileProblem::Kind::BadNumber);
        if (!integer || digits.size() > 18) {
            value = Other{};
            return true;
        }
        value = std::stoll(digits);
        return true;
    }

    const std::string& text_;
    std::size_t pos_ = 0;
    int depth_ = 0;
    bool failed_ = false;
    GameFileProblem problem_;
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
    out += "  \"hints\": " + std::to_string(saved.hints) + ",\n";
    out += "  \"mistakes\": " + std::to_string(saved.mistakes) + ",\n";
    out += "  \"started\": " + std::to_string(saved.started) + ",\n";
    out += "  \"techniques\": [";
    for (std::size_t i = 0; i < saved.techniques.size(); ++i)
        out += (i ? ", " : "") + quoted(std::string(ladder::technique_id(saved.techniques[i])));
    out += "]\n";
    out += "}\n";
    return out;
}

std::optional<Game::Saved> read_game(const std::string& text, GameFileProblem& problem) {
    using Kind = GameFileProblem::Kind;
    if (text.size() > kGameFileByteLimit) {
        problem = {Kind::TooLarge, 0, static_cast<long long>(kGameFileByteLimit), {}};
        return std::nullopt;
    }
    std::map<std::string, Value> members;
    Reader reader(text);
    if (!reader.object(members)) {
        problem = reader.problem();
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
        problem = {Kind::WrongFormat, 0, 0, {}};
        return std::nullopt;
    }
    long long version = 1;
    if (!int_member("version", version) || version != 1) {
        problem = {Kind::NewerVersion, 0, version, {}};
        return std::nullopt;
    }
    Game::Saved saved;
    const std::string* givens = string_member("givens");
    if (!givens || !grid_from_line(*givens, saved.givens)) {
        problem = {Kind::BadGivens, 0, 0, {}};
        return std::nullopt;
    }
    saved.position.values = saved.givens;
    if (const std::string* digits = string_member("digits")) {
        Grid player{};
        if (!grid_from_line(*digits, player)) {
            problem = {Kind::BadDigits, 0, 0, {}};
            return std::nullopt;
        }
        for (std::size_t c = 0; c < 81; ++c) {
            if (!player[c]) continue;
            if (saved.givens[c]) {
                problem = {Kind::DigitOnGiven, 0, static_cast<long long>(c), {}};
                return std::nullopt;
            }
            saved.position.values[c] = player[c];
        }
    }
    if (auto found = members.find("marks"); found != members.end()) {
        const auto* marks = std::get_if<std::vector<std::string>>(&found->second);
        if (!marks || marks->size() != 81) {
            problem = {Kind::BadMarksList, 0, 0, {}};
            return std::nullopt;
        }
        for (std::size_t c = 0; c < 81; ++c) {
            for (const char ch : (*marks)[c]) {
                if (ch < '1' || ch > '9') {
                    problem = {Kind::BadMarks, 0, 0, (*marks)[c]};
                    return std::nullopt;
                }
                saved.position.marks[c] = static_cast<std::uint16_t>(saved.position.marks[c] | (1u << (ch - '0')));
            }
        }
    }
    long long elapsed = 0;
    long long hints = 0;
    if (!int_member("elapsed_ms", elapsed) || !int_member("hints", hints) || hints > 1000000) {
        problem = {Kind::BadTimeOrHints, 0, 0, {}};
        return std::nullopt;
    }
    if (elapsed > kMaxElapsedMs) {
        problem = {Kind::TimeTooLong, 0, kMaxElapsedMs / 3600000, {}};
        return std::nullopt;
    }
    saved.elapsed_ms = elapsed;
    saved.hints = static_cast<int>(hints);
    long long mistakes = 0;
    long long started = 0;
    // Up to the year 9999.
    if (!int_member("mistakes", mistakes) || mistakes > 1000000 || !int_member("started", started) ||
        started > 253402300799LL) {
        problem = {Kind::BadRecord, 0, 0, {}};
        return std::nullopt;
    }
    saved.mistakes = static_cast<int>(mistakes);
    saved.started = started;
    if (auto found = members.find("techniques"); found != members.end()) {
        const auto* ids = std::get_if<std::vector<std::string>>(&found->second);
        if (!ids) {
            problem = {Kind::BadRecord, 0, 0, {}};
            return std::nullopt;
        }
        // Ids this version does not know (a later one's techniques) are left out.
        for (const std::string& id : *ids) {
            ladder::Technique technique;
            if (ladder::technique_from_id(id, technique) &&
                std::find(saved.techniques.begin(), saved.techniques.end(), technique) == saved.techniques.end() &&
                saved.techniques.size() < static_cast<std::size_t>(ladder::kTechniqueCount))
                saved.techniques.push_back(technique);
        }
    }
    return saved;
}

std::optional<Game::Saved> read_game(const std::string& text, std::string& error, Language language) {
    GameFileProblem problem;
    std::optional<Game::Saved> saved = read_game(text, problem);
    if (!saved) error = problem_text(problem, language);
    return saved;
}

std::string problem_text(const GameFileProblem& problem, Language language) {
    using Kind = GameFileProblem::Kind;
    const bool en = language == Language::English;
    const std::string t = quoted_excerpt(problem.text);
    // What the JSON reader found, then where.
    std::string json;
    switch (problem.kind) {
        case Kind::MustStartWithBrace:
            json = en ? "the file must start with '{'" : "le fichier doit commencer par « { »";
            break;
        case Kind::TextAfterObject:
            json = en ? "text follows the end of the object" : "du texte suit la fin de l'objet";
            break;
        case Kind::ControlCharacter:
            json = en ? "control character in a string" : "caractère de contrôle dans une chaîne";
            break;
        case Kind::IncompleteEscape: json = en ? "incomplete \\u escape" : "échappement \\u incomplet"; break;
        case Kind::UnknownEscape:
            json = en ? "unknown escape in a string" : "échappement inconnu dans une chaîne";
            break;
        case Kind::UnterminatedString: json = en ? "unterminated string" : "chaîne non terminée"; break;
        case Kind::ValueExpected: json = en ? "a value is expected" : "une valeur est attendue"; break;
        case Kind::UnknownValue: json = en ? "unknown JSON value" : "valeur JSON inconnue"; break;
        case Kind::MemberNameExpected:
            json = en ? "a member name in double quotes is expected" : "un nom de membre entre guillemets est attendu";
            break;
        case Kind::ColonExpected:
            json = en ? "':' is expected after '" + t + "'" : "« : » est attendu après « " + t + " »";
            break;
        case Kind::CommaOrBraceExpected: json = en ? "',' or '}' is expected" : "« , » ou « } » est attendu"; break;
        case Kind::CommaOrBracketExpected: json = en ? "',' or ']' is expected" : "« , » ou « ] » est attendu"; break;
        case Kind::BadNumber: json = en ? "malformed number" : "nombre mal formé"; break;
        case Kind::TooDeep:
            json = en ? "values nest more than " + std::to_string(problem.number) + " levels deep"
                      : "les valeurs s'imbriquent sur plus de " + std::to_string(problem.number) + " niveaux";
            break;
        default: break;
    }
    if (!json.empty()) {
        const std::string line = std::to_string(problem.line);
        return en ? "This file is not a Vornel game: " + json + " (line " + line + ")."
                  : "Ce fichier n'est pas une partie de Vornel : " + json + " (ligne " + line + ").";
    }
    const std::string number = std::to_string(problem.number);
    switch (problem.kind) {
        case Kind::WrongFormat:
            return en ? "This file is not a Vornel game (its member 'format' must be 'vornel-partie')."
                      : "Ce fichier n'est pas une partie de Vornel (le membre « format » doit valoir « vornel-partie "
                        "»).";
        case Kind::NewerVersion:
            return en ? "This game was written by a newer version of Vornel (format " + number + ")."
                      : "Cette partie a été écrite par une version plus récente de Vornel (format " + number + ").";
        case Kind::BadGivens:
            return en ? "The game has no valid puzzle: 'givens' must hold 81 characters, digits or dots."
                      : "La partie n'a pas de grille valide : « givens » doit tenir 81 caractères, chiffres ou points.";
        case Kind::BadDigits:
            return en ? "The player's digits cannot be read: 'digits' must hold 81 characters, digits or dots."
                      : "Les chiffres du joueur sont illisibles : « digits » doit tenir 81 caractères, chiffres ou "
                        "points.";
        case Kind::DigitOnGiven: {
            const std::string row = std::to_string(problem.number / 9 + 1);
            const std::string col = std::to_string(problem.number % 9 + 1);
            return en ? "The game writes a digit in a given cell (row " + row + ", column " + col + ")."
                      : "La partie écrit un chiffre dans une case donnée (case " + row + ", " + col + ").";
        }
        case Kind::BadMarksList:
            return en ? "The game's candidates cannot be read: 'marks' must be a list of 81 strings."
                      : "Les candidats de la partie sont illisibles : « marks » doit être une liste de 81 chaînes.";
        case Kind::BadMarks:
            return en ? "The game's candidates cannot be read: '" + t + "' is not a string of digits."
                      : "Les candidats de la partie sont illisibles : « " + t + " » n'est pas une suite de chiffres.";
        case Kind::TooLarge: {
            const std::string size = byte_size_text(static_cast<std::size_t>(problem.number), language);
            return en ? "This file is not a Vornel game: it is larger than " + size + ", far more than a game needs."
                      : "Ce fichier n'est pas une partie de Vornel : il fait plus de " + size +
                            ", bien plus qu'une partie n'en demande.";
        }
        case Kind::TimeTooLong:
            return en ? "The game's time is longer than " + number +
                            " hours, the most a game counts: the file is damaged."
                      : "Le temps de la partie dépasse " + number +
                            " heures, le plus qu'une partie compte : le fichier est abîmé.";
        case Kind::BadTimeOrHints:
            return en ? "The game's time or number of hints is not a positive whole number."
                      : "Le temps ou le nombre d'indices de la partie n'est pas un entier positif.";
        case Kind::BadRecord:
            return en ? "The game's record cannot be read: 'mistakes' and 'started' must be positive whole numbers "
                        "and 'techniques' a list of strings."
                      : "L'historique de la partie est illisible : « mistakes » et « started » doivent être "
                        "des entiers positifs et « techniques » une liste de chaînes.";
        default: return {};
    }
}

std::string quoted_excerpt(const std::string& text) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        // A character starts at every byte that does not continue a UTF-8 sequence; bytes that
        // only continue (no valid text) are bounded too, as four times as many.
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && characters++ == kQuotedLimit)
            return text.substr(0, i) + "…";
        if (i == 4 * kQuotedLimit) return text.substr(0, i) + "…";
    }
    return text;
}

std::optional<Game::Saved> read_game_file(const std::string& path, std::string& error, Language language) {
    std::string text;
    try {
        text = read_small_file(path, kGameFileByteLimit);
    } catch (const Failure& failure) {
        // A refusal for the file's kind or size names the file itself; a failure to open it is
        // framed with the file's name.
        const std::string message = failure_text(file_failure_message(failure, language));
        if (dynamic_cast<const NotRegularFileError*>(&failure) || dynamic_cast<const FileTooLargeError*>(&failure))
            error = message;
        else if (language == Language::English)
            error = "Cannot open the file '" + path + "': " + message;
        else
            error = "Impossible d'ouvrir le fichier « " + path + " » : " + message;
        return std::nullopt;
    }
    return read_game(text, error, language);
}

bool write_game_file(const std::string& path, const Game::Saved& saved, std::string& error, Language language) {
    try {
        write_text_file(path, write_game(saved));
        return true;
    } catch (const Failure& failure) {
        error = failure_text(file_failure_message(failure, language));
        return false;
    }
}

} // namespace vornel::play
