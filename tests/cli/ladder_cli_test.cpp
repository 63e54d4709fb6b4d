// vornel-explain --techniques all: the narrative, the summary and the JSON lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <sstream>

#include "explain_cli.h"
#include "ladder_report.h"

namespace {

struct Result {
    int status;
    std::string out;
    std::string err;
};

Result run(const std::vector<std::string>& args, const std::string& input) {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = vornel::run_explain(args, in, out, err);
    return {status, out.str(), err.str()};
}

// A small strict JSON reader, enough to check the shape of each line.
struct Json {
    enum Kind { Null, Bool, Number, String, Array, Object } kind = Null;
    double number = 0;
    std::string text;
    std::vector<Json> items;
    std::map<std::string, Json> fields;
    std::vector<std::string> keys; // in order
};

class Reader {
public:
    explicit Reader(const std::string& text) : s_(text) {}
    bool read(Json& value) {
        if (!parse(value)) return false;
        skip();
        return i_ == s_.size();
    }

private:
    void skip() {
        while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\n' || s_[i_] == '\t' || s_[i_] == '\r')) ++i_;
    }
    bool literal(const char* word) {
        const std::string w(word);
        if (s_.compare(i_, w.size(), w) != 0) return false;
        i_ += w.size();
        return true;
    }
    bool string(std::string& out) {
        if (s_[i_] != '"') return false;
        for (++i_; i_ < s_.size(); ++i_) {
            const char ch = s_[i_];
            if (ch == '"') {
                ++i_;
                return true;
            }
            if (static_cast<unsigned char>(ch) < 0x20) return false;
            if (ch != '\\') {
                out += ch;
                continue;
            }
            if (++i_ >= s_.size()) return false;
            const char e = s_[i_];
            if (e == 'u') {
                if (i_ + 4 >= s_.size()) return false;
                out += static_cast<char>(std::stoi(s_.substr(i_ + 1, 4), nullptr, 16));
                i_ += 4;
            } else if (std::string("\"\\/bfnrt").find(e) != std::string::npos) {
                out += e == 'n' ? '\n' : e == 't' ? '\t' : e;
            } else {
                return false;
            }
        }
        return false;
    }
    bool parse(Json& v) {
        skip();
        if (i_ >= s_.size()) return false;
        const char ch = s_[i_];
        if (ch == '{') {
            v.kind = Json::Object;
            ++i_;
            skip();
            if (s_[i_] == '}') return ++i_, true;
            while (true) {
                skip();
                std::string key;
                if (!string(key)) return false;
                skip();
                if (s_[i_++] != ':') return false;
                Json item;
                if (!parse(item)) return false;
                v.keys.push_back(key);
                v.fields[key] = std::move(item);
                skip();
                if (s_[i_] == ',') {
                    ++i_;
                    continue;
                }
                return s_[i_++] == '}';
            }
        }
        if (ch == '[') {
            v.kind = Json::Array;
            ++i_;
            skip();
            if (s_[i_] == ']') return ++i_, true;
            while (true) {
                Json item;
                if (!parse(item)) return false;
                v.items.push_back(std::move(item));
                skip();
                if (s_[i_] == ',') {
                    ++i_;
                    continue;
                }
                return s_[i_++] == ']';
            }
        }
        if (ch == '"') return v.kind = Json::String, string(v.text);
        if (literal("null")) return v.kind = Json::Null, true;
        if (literal("true") || literal("false")) return v.kind = Json::Bool, true;
        std::size_t used = 0;
        try {
            v.number = std::stod(s_.substr(i_), &used);
        } catch (...) { return false; }
        v.kind = Json::Number;
        i_ += used;
        return used > 0;
    }

    const std::string& s_;
    std::size_t i_ = 0;
};

constexpr const char* kEasy = "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";
constexpr const char* kSolution = "534678912672195348198342567859761423426853791713924856961537284287419635345286179";
// Two solutions: a rectangle of 1s and 3s may swap.
constexpr const char* kSeveral = "53.67891267219534819834256785976.42.42685.79.71392485696153728428741963534528617.";

} // namespace

TEST(LadderCli, narrative_numbers_the_steps_then_verdict_rating_and_grid) {
    const Result r = run({"--techniques", "all", "--lines", "-"}, std::string(kEasy) + "\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out.rfind("1. ", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("\n51. "), std::string::npos);
    EXPECT_EQ(r.out.find("\n52. "), std::string::npos);
    EXPECT_NE(r.out.find("\n\nLe sudoku est résolu en 51 étapes.\nDifficulté : "), std::string::npos);
    EXPECT_NE(r.out.find("\n\n534678912\n672195348\n198342567\n859761423\n426853791\n713924856\n961537284\n"
                         "287419635\n345286179\n"),
              std::string::npos);
}

TEST(LadderCli, summary_is_one_line_per_puzzle) {
    const Result r = run({"--techniques=all", "--summary", "--lines", "-"},
                         std::string(kEasy) + "\n" + kSeveral + "\n55" + std::string(79, '.') + "\n");
    EXPECT_EQ(r.status, 0);
    std::istringstream lines(r.out);
    std::string line;
    std::vector<std::string> all;
    while (std::getline(lines, line)) all.push_back(line);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].rfind(std::string(kSolution) + "\tsolved\t51\t1\t", 0), 0u) << all[0];
    EXPECT_EQ(all[1].rfind("\tmultiple-solutions\t2\t2+\t"), 81u) << all[1];
    // The level keeps its space inside its field: every line has seven fields.
    EXPECT_EQ(all[2], "55" + std::string(79, '.') + "\tinvalid\t0\t0\t0\ttrès facile\t-");
    for (const std::string& fields : all) EXPECT_EQ(std::count(fields.begin(), fields.end(), '\t'), 6) << fields;
}

TEST(LadderCli, json_lines_carry_the_agreed_keys) {
    const Result r =
        run({"--techniques", "all", "--json", "--lines", "-"}, std::string(kEasy) + "\n" + kSeveral + "\n");
    EXPECT_EQ(r.status, 0);
    std::istringstream lines(r.out);
    std::string line;
    int count = 0;
    while (std::getline(lines, line)) {
        ++count;
        Json doc;
        ASSERT_TRUE(Reader(line).read(doc)) << line;
        ASSERT_EQ(doc.kind, Json::Object);
        for (const char* key :
             {"source", "line", "puzzle", "verdict", "solutions", "steps", "grid", "rating", "hardest"})
            EXPECT_EQ(doc.fields.count(key), 1u) << key;
        EXPECT_EQ(doc.fields["puzzle"].text.size(), 81u);
        EXPECT_EQ(doc.fields["grid"].text.size(), 81u);
        EXPECT_EQ(doc.fields["rating"].fields.count("score"), 1u);
        EXPECT_EQ(doc.fields["rating"].fields["level"].kind, Json::String);
        for (const Json& step : doc.fields["steps"].items) {
            EXPECT_EQ(step.fields.at("technique").kind, Json::String);
            for (const char* list : {"place", "eliminate"})
                for (const Json& triple : step.fields.at(list).items) {
                    ASSERT_EQ(triple.items.size(), 3u);
                    for (const Json& n : triple.items) EXPECT_TRUE(n.number >= 1 && n.number <= 9);
                }
            EXPECT_EQ(step.fields.at("place").items.size() + step.fields.at("eliminate").items.size() > 0, true);
            ASSERT_FALSE(step.fields.at("text").items.empty());
        }
    }
    ASSERT_EQ(count, 2);
    Json first;
    ASSERT_TRUE(Reader(r.out.substr(0, r.out.find('\n'))).read(first));
    EXPECT_EQ(first.fields["puzzle"].text,
              "530070000600195000098000060800060003400803001700020006060000280000419005000080079");
    EXPECT_EQ(first.fields["verdict"].text, "solved");
    EXPECT_EQ(first.fields["source"].text, "-");
    EXPECT_EQ(first.fields["line"].number, 1);
    EXPECT_EQ(first.fields["solutions"].number, 1);
    EXPECT_EQ(first.fields["grid"].text, kSolution);
    EXPECT_EQ(first.fields["steps"].items.size(), 51u);
    const Json& step = first.fields["steps"].items[0];
    EXPECT_EQ(step.fields.at("place").items.size(), 1u);
    EXPECT_NE(step.fields.at("text").items[0].text.find("nous écrivons un"), std::string::npos);
}

TEST(LadderCli, reads_sud_files_and_names_values_no_cell_can_hold) {
    const std::string file = std::string(VORNEL_TEST_DATA) + "/odd_values.sud";
    const Result narrative = run({"--techniques", "all", file}, "");
    EXPECT_EQ(narrative.out.rfind("La case ligne 9, colonne 9 contient -5, qui n'est pas un chiffre.\n"
                                  "Le sudoku n'est pas valide.\n\n",
                                  0),
              0u)
        << narrative.out;
    const Result json = run({"--json", file}, ""); // --json implies the ladder
    Json doc;
    ASSERT_TRUE(Reader(json.out.substr(0, json.out.find('\n'))).read(doc)) << json.out;
    EXPECT_EQ(doc.fields["verdict"].text, "invalid");
    EXPECT_EQ(doc.fields["source"].text, file);
    EXPECT_EQ(doc.fields.count("line"), 0u) << "a .sud file is one puzzle: no line";
    // 81 digits always: the value no cell can hold reads as empty, and the problems name it.
    EXPECT_EQ(doc.fields["puzzle"].text, std::string(3, '0') + '1' + std::string(77, '0'));
    EXPECT_EQ(doc.fields["hardest"].kind, Json::Null);
    ASSERT_EQ(doc.fields["problems"].items.size(), 1u);
}

TEST(LadderCli, json_strings_escape_quotes_backslashes_and_controls) {
    EXPECT_EQ(vornel::json_string("a\"b\\c\nd\x01é"), "\"a\\\"b\\\\c\\nd\\u0001é\"");
}

TEST(LadderCli, options_that_do_not_fit_the_ladder_are_refused) {
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"--techniques", "classic", "--json", "-"}, "--json demande --techniques all"},
        {{"--techniques", "all", "--trace", "-"}, "--trace demande --techniques classic"},
        {{"--techniques", "some", "-"}, "techniques inconnues « some » : classic ou all"},
        {{"--techniques"}, "--techniques attend une valeur : classic ou all"},
        {{"--techniques", "all", "--summary", "--json", "-"}, "--summary et --json ne vont pas ensemble"},
    };
    for (const auto& c : cases) {
        const Result r = run(c.args, "");
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err.rfind(std::string("vornel-explain: ") + c.message + "\n", 0), 0u) << r.err;
    }
}

TEST(LadderCli, classic_stays_the_default) {
    const Result classic = run({"--summary", "--lines", "-"}, std::string(kEasy) + "\n");
    const Result named = run({"--techniques", "classic", "--summary", "--lines", "-"}, std::string(kEasy) + "\n");
    EXPECT_EQ(classic.out, named.out);
    EXPECT_NE(classic.out.find("\tterminé\t"), std::string::npos);
}
