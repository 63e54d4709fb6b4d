// SPDX-License-Identifier: GPL-3.0-or-later
// vornel._vornel: the C++ API for Python. Every function releases the GIL while the engine works,
// so that threads explain puzzles in parallel. The texts it returns are the tools' own JSON; the
// package's Python side (vornel/__init__.py) turns them into dicts and lists.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <optional>
#include <string>
#include <vector>

#include "vornel/vornel.h"

namespace py = pybind11;
using namespace vornel::api;

namespace {

Language language_of(const std::string& code) {
    if (code == "fr") return Language::French;
    if (code == "en") return Language::English;
    throw py::value_error("unknown language '" + code + "': fr or en");
}

Origin origin_of(const std::optional<std::string>& source, std::uint64_t line) { return Origin{source, line}; }

BatchReport report_of(const std::string& kind) {
    if (kind == "explain") return BatchReport::Explain;
    if (kind == "rate") return BatchReport::Rate;
    if (kind == "summary") return BatchReport::Summary;
    throw py::value_error("unknown report '" + kind + "': explain, rate or summary");
}

// A text of the engine as str, a byte that is not UTF-8 (quoted from a malformed input) kept as a
// lone surrogate, so that encoding it back with "surrogateescape" gives the tool's bytes.
py::str loose_text(const std::string& text) {
    PyObject* decoded = PyUnicode_DecodeUTF8(text.data(), static_cast<Py_ssize_t>(text.size()), "surrogateescape");
    if (decoded == nullptr) throw py::error_already_set();
    return py::reinterpret_steal<py::str>(decoded);
}

// Reads the puzzle, then runs `work` on it without the GIL.
template<typename Work>
auto on_puzzle(const std::string& text, Language language, Work work) {
    py::gil_scoped_release release;
    return work(Puzzle::parse(text, language));
}

} // namespace

PYBIND11_MODULE(_vornel, m) {
    m.doc() = "The Vornel engine: Sudoku explained step by step with named techniques";
    py::register_exception<Error>(m, "Error", PyExc_ValueError);

    m.def("version", &version);
    m.def("technique_ids", &technique_ids);
    m.def("levels", &levels);

    m.def("parse", [](const std::string& text, const std::string& lang) {
        return on_puzzle(text, language_of(lang), [](const Puzzle& p) { return p.text(); });
    });
    m.def("explain_json",
          [](const std::string& text, const std::string& lang, std::optional<std::string> source, std::uint64_t line) {
              const Language language = language_of(lang);
              return on_puzzle(text, language,
                               [&](const Puzzle& p) { return explain_json(p, language, origin_of(source, line)); });
          });
    m.def("rate_json",
          [](const std::string& text, const std::string& lang, std::optional<std::string> source, std::uint64_t line) {
              const Language language = language_of(lang);
              return on_puzzle(text, language,
                               [&](const Puzzle& p) { return rate_json(p, language, origin_of(source, line)); });
          });
    m.def("summary_row", [](const std::string& text, std::optional<std::string> source, std::uint64_t line) {
        return on_puzzle(text, Language::French,
                         [&](const Puzzle& p) { return summary_row(p, origin_of(source, line)); });
    });
    // The "bad-input" object or row of an input that cannot be read (the cluster command's lines
    // too long to be kept).
    m.def("bad_input", [](const std::string& kind, const std::string& reason, std::optional<std::string> source,
                          std::uint64_t line) { return bad_input(report_of(kind), origin_of(source, line), reason); });
    m.def("next_json",
          [](const std::string& text, const std::string& lang, std::optional<std::string> source, std::uint64_t line) {
              const Language language = language_of(lang);
              return on_puzzle(text, language,
                               [&](const Puzzle& p) { return next_json(p, language, origin_of(source, line)); });
          });
    m.def("find_json", [](const std::string& text, const std::string& technique, const std::string& lang,
                          std::optional<std::string> source, std::uint64_t line) {
        const Language language = language_of(lang);
        return on_puzzle(text, language,
                         [&](const Puzzle& p) { return find_json(p, technique, language, origin_of(source, line)); });
    });
    m.def("count_solutions", [](const std::string& text, int limit) {
        return on_puzzle(text, Language::French, [&](const Puzzle& p) { return count_solutions(p, limit); });
    });
    m.def("generate", [](const std::string& level, const std::string& needs, bool symmetric, std::uint64_t seed,
                         int count, const std::string& lang) {
        const Language language = language_of(lang);
        py::gil_scoped_release release;
        return generate(GenerateRequest{level, needs, symmetric, seed, count}, language);
    });
    // Many puzzles on `jobs` threads: a list of (text, error) pairs in input order, one of the two
    // empty. `origins` is empty or gives each puzzle's (source, line).
    m.def("run_batch",
          [](const std::vector<std::string>& texts, const std::string& kind, unsigned jobs, const std::string& lang,
             const std::vector<std::pair<std::optional<std::string>, std::uint64_t>>& origins) {
              const Language language = language_of(lang);
              const BatchReport report = report_of(kind);
              std::vector<Origin> where;
              where.reserve(origins.size());
              for (const auto& [source, line] : origins) where.push_back(origin_of(source, line));
              std::vector<BatchResult> results;
              {
                  py::gil_scoped_release release;
                  results = run_batch(texts, report, jobs, language, where);
              }
              py::list out(results.size());
              for (std::size_t i = 0; i < results.size(); ++i)
                  out[i] = py::make_tuple(loose_text(results[i].text), loose_text(results[i].error));
              return out;
          });
}
