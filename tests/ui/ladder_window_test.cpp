// SPDX-License-Identifier: GPL-3.0-or-later
// The ladder in the main window, driven as a user drives it (menu actions, button clicks, typed
// givens), compared with the same ladder session run on the headless board.

#include <QAccessible>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>

#include <memory>

#include "cell_edit.h"
#include "engine.h"
#include "headless_board.h"
#include "ladder/headless_ladder_view.h"
#include "ladder/ladder.h"
#include "ladder/ladder_session.h"
#include "ladder/narrator_fr.h"
#include "ladder_board.h"
#include "log_view.h"
#include "modal_watchdog.h"
#include "recorded_boxes.h"
#include "techniques_window.h"
#include "tf_vrn.h"

using vornel::BoxRequest;
using vornel::CellEdit;
using vornel::Tf_vrn;
namespace ladder = vornel::ladder;

namespace {

const char* const kEasy = "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";
// Needs intersections and subsets besides singles.
const char* const kExpert = "..83....15.6..4..8..2..83....9.......8...36...25....944..9........6..........52.9";
const char* const kHard = "4.....8.5.3..........7......2.....6.....8.4......1.......6.3.7.5..2.....1.4......";
const char* const kInvalid = "55..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";
// A hard published puzzle whose explanation has chains and forcing chains.
const char* const kForcingPuzzle = "060501090100090053900007000040800070000000508081705030000050200000000000076008000";

QStringList corpus() {
    QFile file(QStringLiteral(VORNEL_TEST_DATA "/ladder-window.txt"));
    QStringList puzzles;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return puzzles;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.size() >= 81 && !line.startsWith(QLatin1Char('#'))) puzzles << line.left(81);
    }
    return puzzles;
}

vornel::Grid grid_of(const QString& puzzle) {
    vornel::Grid grid{};
    for (int i = 0; i < 81; ++i) {
        const char ch = puzzle.at(i).toLatin1();
        grid[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(ch >= '1' && ch <= '9' ? ch - '0' : 0);
    }
    return grid;
}

QStringList qt_lines(const std::vector<std::string>& lines) {
    QStringList result;
    for (const std::string& line : lines) result << QString::fromStdString(line);
    return result;
}

// The same session on the headless board.
struct Headless {
    vornel::WorkArea area;
    vornel::HeadlessBoard board{area};
    ladder::HeadlessLadderView view{board};
    vornel::Engine engine{area, board};
    ladder::LadderSession session{area, board, view};
    explicit Headless(const QString& puzzle) {
        for (int i = 0; i < 81; ++i) {
            const char ch = puzzle.at(i).toLatin1();
            area.grid[i / 9 + 1][i % 9 + 1] = static_cast<std::int16_t>(ch >= '1' && ch <= '9' ? ch - '0' : 0);
        }
        engine.show_grid();
    }
};

} // namespace

class LadderWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Tf_vrn> w;
    std::shared_ptr<std::vector<BoxRequest>> boxes;
    std::unique_ptr<vornel::test::ModalWatchdog> watchdog;

    CellEdit* cell(int row, int col) const { return w->cell(row, col); }
    QAction* action(const char* name) const { return w->findChild<QAction*>(QString::fromLatin1(name)); }
    QPushButton* button(const char* name) const { return w->findChild<QPushButton*>(QString::fromLatin1(name)); }
    void type_puzzle(const QString& puzzle) {
        for (int i = 0; i < 81; ++i) {
            const QChar ch = puzzle.at(i);
            if (ch >= QLatin1Char('1') && ch <= QLatin1Char('9'))
                QTest::keyClick(cell(i / 9 + 1, i % 9 + 1), ch.toLatin1());
        }
    }
    QString grid() const {
        QString s;
        for (int r = 1; r <= 9; ++r)
            for (int c = 1; c <= 9; ++c)
                s += w->area().grid[r][c] == 0 ? QLatin1Char('.') : QChar(u'0' + w->area().grid[r][c]);
        return s;
    }
    int visible_step_buttons() const {
        return int(button("Button5")->isVisible()) + int(button("Button6")->isVisible()) +
               int(button("Button7")->isVisible());
    }
    // "" when the window shows what the headless session shows, else the differences.
    QString differences(const Headless& h) const;
    void check_edited(const QString& expected_grid);

private slots:
    void init();
    void cleanup();

    void ladder_entries_follow_the_classic_entries_of_their_menus();
    void ladder_buttons_share_the_step_place_and_move_no_control();
    void window_steps_are_the_headless_ladders_steps_across_the_corpus_data();
    void window_steps_are_the_headless_ladders_steps_across_the_corpus();
    void once_shows_the_whole_explanation_then_steps_back();
    void step_back_undoes_a_placement_and_an_elimination();
    void edit_puts_back_the_grid_after_each_kind_of_solve_data();
    void edit_puts_back_the_grid_after_each_kind_of_solve();
    void invalid_grid_is_reported_and_stays_editable();
    void step_is_drawn_over_the_board_and_described_in_words();
    void chains_and_forcing_chains_are_walked_part_by_part();
    void walk_keys_change_the_part_and_mark_the_step_in_the_log();
    void current_step_stays_in_view_and_history_is_kept();
    void classic_solve_and_new_end_the_ladder_display();
    void techniques_window_explains_every_technique_with_a_drawn_example();
    void technique_link_opens_the_step_technique_page();
};

void LadderWindowTest::init() {
    watchdog = std::make_unique<vornel::test::ModalWatchdog>();
    boxes = std::make_shared<std::vector<BoxRequest>>();
    w = std::make_unique<Tf_vrn>();
    w->set_message_boxes(std::make_unique<vornel::test::RecordedBoxes>(boxes));
    w->show();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
}

void LadderWindowTest::cleanup() {
    w.reset();
    QVERIFY2(watchdog->unexpected().isEmpty(), qPrintable(watchdog->unexpected().join(QLatin1Char('\n'))));
    watchdog.reset();
    QVERIFY(boxes->empty());
}

QString LadderWindowTest::differences(const Headless& h) const {
    QCoreApplication::processEvents();
    QStringList diff;
    const QStringList expected_log = qt_lines(h.board.log());
    if (w->log_view()->lines() != expected_log)
        diff << QStringLiteral("log: window %1 lines, headless %2; window tail \"%3\", headless tail \"%4\"")
                    .arg(w->log_view()->line_count())
                    .arg(expected_log.size())
                    .arg(w->log_view()->lines().value(w->log_view()->line_count() - 1),
                         expected_log.value(expected_log.size() - 1));
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) {
            const auto& hc = h.board.cell(r, c);
            if (cell(r, c)->text() != QString::fromStdString(hc.text) ||
                cell(r, c)->colour() != hc.colour.value_or(0) || cell(r, c)->isReadOnly() != hc.read_only ||
                w->area().grid[r][c] != h.area.grid[r][c])
                diff << QStringLiteral("Edit%1%2").arg(r).arg(c);
        }
    if (w->ladder_marks()->isVisible() != h.view.picture().has_value())
        diff << QStringLiteral("picture shown: window %1").arg(w->ladder_marks()->isVisible());
    else if (h.view.picture() && w->ladder_marks()->picture() != *h.view.picture())
        diff << QStringLiteral("picture differs");
    if (button("Button7")->isVisible() != h.view.button_visible(ladder::LadderButton::Button7))
        diff << QStringLiteral("Button7");
    if (button("Button8")->isVisible() != h.view.button_visible(ladder::LadderButton::Button8))
        diff << QStringLiteral("Button8");
    auto* link = w->findChild<QLabel*>(QStringLiteral("LadderTechnique"));
    if (link->isVisible() != h.view.technique().has_value()) diff << QStringLiteral("technique link");
    return diff.join(QStringLiteral("; "));
}

void LadderWindowTest::ladder_entries_follow_the_classic_entries_of_their_menus() {
    struct Expected {
        const char* menu;
        QStringList names;
        QStringList captions;
    };
    const Expected expected[] = {
        {"m_sudoku",
         {"m_step", "m_number", "m_once", "m_ladder_step", "m_ladder_once", "m_edit"},
         {QStringLiteral("Résoudre pas à  pas"), QStringLiteral("Résoudre chiffre après chiffre"),
          QStringLiteral("Résoudre en une fois"), QStringLiteral("Toutes les techniques, pas à pas"),
          QStringLiteral("Toutes les techniques, en une fois"), QStringLiteral("Modifier la grille")}},
        {"m_interro",
         {"m_explications", "m_about", "m_techniques"},
         {QStringLiteral("Explications..."), QStringLiteral("A propos..."), QStringLiteral("Techniques...")}},
    };
    for (const Expected& e : expected) {
        auto* menu = w->menuBar()->findChild<QMenu*>(QString::fromLatin1(e.menu));
        QVERIFY(menu);
        const QList<QAction*> actions = menu->actions();
        // The classic entries come first and stay as they are; the ladder's follow them in order.
        for (int i = 0; i < e.names.size(); ++i) {
            QVERIFY2(i < actions.size(), e.menu);
            QCOMPARE(actions[i]->objectName(), e.names[i]);
            QCOMPARE(actions[i]->text(), e.captions[i]);
            QVERIFY(actions[i]->shortcut().isEmpty());
        }
    }
}

void LadderWindowTest::ladder_buttons_share_the_step_place_and_move_no_control() {
    QCOMPARE(button("Button7")->text(), QStringLiteral("Étape suivante"));
    QCOMPARE(button("Button8")->text(), QStringLiteral("Étape précédente"));
    QCOMPARE(button("Button7")->geometry(), button("Button5")->geometry());
    QCOMPARE(button("Button7")->parentWidget(), w->centralWidget());
    QVERIFY(button("Button7")->isHidden());
    QVERIFY(button("Button8")->isHidden());
    // Button8 and the technique link overlap no control the window had before them, and fit.
    const QRect client(QPoint(0, 0), w->centralWidget()->size());
    for (const char* name : {"Button8", "LadderTechnique"}) {
        QWidget* added = w->findChild<QWidget*>(QString::fromLatin1(name));
        QVERIFY(client.contains(added->geometry()));
        for (QWidget* other : w->centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            const QString n = other->objectName();
            if (other == added || n == QLatin1String("LadderMarks") || n.startsWith(QLatin1String("Label")) ||
                n == QLatin1String("Button7") || n == QLatin1String("Button8") || n == QLatin1String("LadderTechnique"))
                continue;
            QVERIFY2(!added->geometry().intersects(other->geometry()), qPrintable(QString::fromLatin1(name) + n));
        }
    }
    // Its caption fits in it.
    auto* b8 = button("Button8");
    QVERIFY(b8->fontMetrics().horizontalAdvance(b8->text()) + 8 <= b8->width());

    // At most one of Button5, Button6 and Button7 shows, whatever the user does.
    type_puzzle(QString::fromLatin1(kExpert));
    const char* const sequence[] = {"m_step",        "Button5",       "m_ladder_step", "Button7", "m_number",
                                    "Button6",       "m_ladder_step", "Button8",       "Button7", "m_once",
                                    "m_ladder_once", "Button8",       "m_edit"};
    for (const char* what : sequence) {
        if (QAction* a = action(what))
            a->trigger();
        else if (button(what)->isVisible())
            QTest::mouseClick(button(what), Qt::LeftButton);
        QVERIFY2(visible_step_buttons() <= 1, what);
    }
    QCOMPARE(visible_step_buttons(), 0);
    QVERIFY(button("Button8")->isHidden());
}

void LadderWindowTest::window_steps_are_the_headless_ladders_steps_across_the_corpus_data() {
    QTest::addColumn<QString>("puzzle");
    const QStringList puzzles = corpus();
    QVERIFY(puzzles.size() >= 15);
    for (const QString& p : puzzles) QTest::newRow(qPrintable(p)) << p;
}

// Every step of every puzzle: log, cells, grid, picture and buttons are the headless session's;
// at the end the log is the headless explanation's text.
void LadderWindowTest::window_steps_are_the_headless_ladders_steps_across_the_corpus() {
    QFETCH(QString, puzzle);
    type_puzzle(puzzle);
    Headless h(puzzle);
    action("m_ladder_step")->trigger();
    // The window's log wraps its own lines, so it gets each sentence whole.
    h.session.set_line_breaks(ladder::LineBreaks::Whole);
    h.session.start(ladder::LadderSession::Mode::Step);
    QCOMPARE(differences(h), QString());
    int clicks = 0;
    while (button("Button7")->isVisible()) {
        QTest::mouseClick(button("Button7"), Qt::LeftButton);
        h.session.next();
        QCOMPARE(differences(h), QString());
        QVERIFY(++clicks < 1000);
    }
    const ladder::Explanation expected = ladder::explain(grid_of(puzzle));
    QCOMPARE(w->log_view()->lines(),
             qt_lines(ladder::explanation_log_lines(expected, vornel::Language::French, ladder::LineBreaks::Whole)));
    QCOMPARE(clicks, expected.verdict == ladder::Verdict::Invalid ? 0 : int(expected.steps.size()));
}

void LadderWindowTest::once_shows_the_whole_explanation_then_steps_back() {
    type_puzzle(QString::fromLatin1(kHard));
    action("m_ladder_once")->trigger();
    QCoreApplication::processEvents();
    const ladder::Explanation expected = ladder::explain(grid_of(QString::fromLatin1(kHard)));
    QCOMPARE(w->log_view()->lines(),
             qt_lines(ladder::explanation_log_lines(expected, vornel::Language::French, ladder::LineBreaks::Whole)));
    QCOMPARE(expected.verdict, ladder::Verdict::Solved);
    QVERIFY(!grid().contains(QLatin1Char('.')));
    QVERIFY(button("Button7")->isHidden());
    QVERIFY(button("Button8")->isVisible());
    // The verdict, rating and hardest technique are the log's last lines, in view.
    const QStringList verdict = qt_lines(ladder::narrate_verdict(expected));
    QCOMPARE(w->log_view()->lines().mid(w->log_view()->line_count() - verdict.size()), verdict);
    QScrollBar* bar = w->log_view()->verticalScrollBar();
    QCOMPARE(bar->value(), bar->maximum());
    QTest::mouseClick(button("Button8"), Qt::LeftButton);
    QVERIFY(button("Button7")->isVisible());
    QCOMPARE(w->ladder_session().position(), int(expected.steps.size()));
}

void LadderWindowTest::step_back_undoes_a_placement_and_an_elimination() {
    const ladder::Explanation expected = ladder::explain(grid_of(QString::fromLatin1(kExpert)));
    int placement = 0, elimination = 0;
    for (std::size_t k = 0; k < expected.steps.size(); ++k) {
        if (!placement && !expected.steps[k].placements.empty()) placement = int(k + 1);
        if (!elimination && expected.steps[k].placements.empty()) elimination = int(k + 1);
    }
    QVERIFY(placement > 0 && elimination > 0);
    type_puzzle(QString::fromLatin1(kExpert));
    action("m_ladder_step")->trigger();
    auto* next = button("Button7");
    auto* back = button("Button8");

    while (w->ladder_session().position() < placement) QTest::mouseClick(next, Qt::LeftButton);
    const ladder::Candidate placed = expected.steps[std::size_t(placement - 1)].placements[0];
    CellEdit* target = cell(ladder::row_of(placed.cell) + 1, ladder::col_of(placed.cell) + 1);
    QCOMPARE(target->text(), QString::number(placed.digit));
    QCOMPARE(target->colour(), vornel::kGreen);
    const int lines = w->log_view()->line_count();
    QTest::mouseClick(back, Qt::LeftButton);
    QCOMPARE(target->text(), QString());
    QCOMPARE(w->area().grid[target->row()][target->col()], 0);
    QCOMPARE(target->colour(), vornel::kWhite);
    QVERIFY(w->log_view()->line_count() < lines);
    QVERIFY(w->ladder_marks()->picture().cells[placed.cell].candidates >> placed.digit & 1);

    while (w->ladder_session().position() < elimination + 1) QTest::mouseClick(next, Qt::LeftButton);
    const ladder::Candidate removed = expected.steps[std::size_t(elimination - 1)].eliminations[0];
    QVERIFY(!(w->ladder_marks()->picture().cells[removed.cell].candidates >> removed.digit & 1));
    const QStringList before_back = w->log_view()->lines();
    QTest::mouseClick(back, Qt::LeftButton);
    // The elimination step is shown again: the candidate is back, struck, and the log lost one step.
    QVERIFY(w->ladder_marks()->picture().cells[removed.cell].removed >> removed.digit & 1);
    QCOMPARE(w->log_view()->lines(), before_back.mid(0, w->log_view()->line_count()));
    QVERIFY(w->log_view()->line_count() < before_back.size());
    QTest::mouseClick(back, Qt::LeftButton);
    QVERIFY(w->ladder_marks()->picture().cells[removed.cell].candidates >> removed.digit & 1);
    QVERIFY(!(w->ladder_marks()->picture().cells[removed.cell].removed >> removed.digit & 1));
}

void LadderWindowTest::edit_puts_back_the_grid_after_each_kind_of_solve_data() {
    QTest::addColumn<QStringList>("commands");
    QTest::newRow("classic step") << QStringList{"m_step", "Button5", "Button5", "Button5"};
    QTest::newRow("classic digit") << QStringList{"m_number", "Button6"};
    QTest::newRow("classic once") << QStringList{"m_once"};
    QTest::newRow("ladder step") << QStringList{"m_ladder_step", "Button7", "Button7"};
    QTest::newRow("ladder step and back") << QStringList{"m_ladder_step", "Button7", "Button8"};
    QTest::newRow("ladder once") << QStringList{"m_ladder_once"};
}

void LadderWindowTest::check_edited(const QString& expected_grid) {
    QCoreApplication::processEvents();
    QCOMPARE(grid(), expected_grid);
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) {
            QVERIFY(!cell(r, c)->isReadOnly());
            QCOMPARE(cell(r, c)->colour(), vornel::kWhite);
            QCOMPARE(cell(r, c)->palette().color(QPalette::Base), QColor(Qt::white));
            QCOMPARE(cell(r, c)->accessibleDescription(), QStringLiteral("libre"));
        }
    QCOMPARE(w->log_view()->line_count(), 0);
    for (const char* name : {"Button5", "Button6", "Button7", "Button8"}) QVERIFY2(button(name)->isHidden(), name);
    QVERIFY(w->ladder_marks()->isHidden());
    QVERIFY(w->findChild<QLabel*>(QStringLiteral("LadderTechnique"))->isHidden());
}

void LadderWindowTest::edit_puts_back_the_grid_after_each_kind_of_solve() {
    QFETCH(QStringList, commands);
    const QString puzzle = QString::fromLatin1(kExpert);
    type_puzzle(puzzle);
    const QString before = grid();
    for (const QString& command : commands) {
        if (QAction* a = action(qPrintable(command)))
            a->trigger();
        else
            QTest::mouseClick(button(qPrintable(command)), Qt::LeftButton);
    }
    if (commands.size() > 1 && commands.last() != QLatin1String("Button8")) QVERIFY(grid() != before);
    action("m_edit")->trigger();
    check_edited(before);
    // The board is the user's again: a digit typed into an empty cell goes in.
    int empty = puzzle.indexOf(QLatin1Char('.'));
    QTest::keyClick(cell(empty / 9 + 1, empty % 9 + 1), '1');
    QCOMPARE(w->area().grid[empty / 9 + 1][empty % 9 + 1], 1);
    // A second "Modifier la grille" keeps what was typed since.
    action("m_edit")->trigger();
    QCOMPARE(w->area().grid[empty / 9 + 1][empty % 9 + 1], 1);
}

void LadderWindowTest::invalid_grid_is_reported_and_stays_editable() {
    type_puzzle(QString::fromLatin1(kInvalid));
    action("m_ladder_step")->trigger();
    QCoreApplication::processEvents();
    const ladder::Explanation expected = ladder::explain(grid_of(QString::fromLatin1(kInvalid)));
    QCOMPARE(expected.verdict, ladder::Verdict::Invalid);
    QCOMPARE(w->log_view()->lines(), qt_lines(ladder::narrate_verdict(expected)));
    QVERIFY(!cell(1, 1)->isReadOnly());
    QVERIFY(w->ladder_marks()->isHidden());
    QCOMPARE(visible_step_buttons(), 0);
    QVERIFY(button("Button8")->isHidden());
}

void LadderWindowTest::step_is_drawn_over_the_board_and_described_in_words() {
    type_puzzle(QString::fromLatin1(kExpert));
    const ladder::Explanation expected = ladder::explain(grid_of(QString::fromLatin1(kExpert)));
    int elimination = 0;
    for (std::size_t k = 0; k < expected.steps.size() && !elimination; ++k)
        if (expected.steps[k].placements.empty()) elimination = int(k + 1);
    QVERIFY(elimination > 0);
    action("m_ladder_step")->trigger();
    while (w->ladder_session().position() < elimination) QTest::mouseClick(button("Button7"), Qt::LeftButton);
    QCoreApplication::processEvents();
    const ladder::BoardPicture& picture = w->ladder_marks()->picture();
    QVERIFY(w->ladder_marks()->isVisible());
    QCOMPARE(w->ladder_marks()->geometry(), QRect(0, 0, 373, 373));
    QVERIFY(w->ladder_marks()->testAttribute(Qt::WA_TransparentForMouseEvents));

    const QImage image = w->centralWidget()->grab().toImage();
    // Every cell's accessible description says what the picture shows, in words.
    for (int i = 0; i < 81; ++i)
        QCOMPARE(cell(i / 9 + 1, i % 9 + 1)->accessibleDescription(),
                 QString::fromStdString(ladder::describe_cell(picture.cells[std::size_t(i)])));
    // A removed candidate is drawn in red over its cell; a pattern cell has a frame of its own.
    const ladder::Candidate removed = expected.steps[std::size_t(elimination - 1)].eliminations[0];
    CellEdit* target = cell(ladder::row_of(removed.cell) + 1, ladder::col_of(removed.cell) + 1);
    bool red = false;
    const QRect box = target->geometry();
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            red = red || (c.red() > 180 && c.green() < 80 && c.blue() < 80);
        }
    QVERIFY2(red, "no red stroke in the cell of the removed candidate");
    const std::uint8_t pattern_cell = expected.steps[std::size_t(elimination - 1)].cells.front();
    const QRect pbox = cell(ladder::row_of(pattern_cell) + 1, ladder::col_of(pattern_cell) + 1)->geometry();
    const QColor frame = image.pixelColor(pbox.left() + 3, pbox.center().y());
    QVERIFY2(frame.blue() > 150 && frame.red() < 100, qPrintable(frame.name()));
    // Empty cells show pencil marks: an empty cell's picture is not blank.
    int empty = -1;
    for (int i = 0; i < 81 && empty < 0; ++i)
        if (picture.cells[std::size_t(i)].value == 0 && !picture.cells[std::size_t(i)].pattern &&
            !picture.cells[std::size_t(i)].in_unit)
            empty = i;
    QVERIFY(empty >= 0);
    const QRect ebox = cell(empty / 9 + 1, empty % 9 + 1)->geometry().adjusted(3, 3, -3, -3);
    int dark = 0;
    for (int y = ebox.top(); y <= ebox.bottom(); ++y)
        for (int x = ebox.left(); x <= ebox.right(); ++x) dark += image.pixelColor(x, y).lightness() < 128;
    QVERIFY2(dark > 10, "no pencil marks drawn in an empty cell");
}

void LadderWindowTest::current_step_stays_in_view_and_history_is_kept() {
    type_puzzle(QString::fromLatin1(kHard));
    action("m_ladder_step")->trigger();
    QStringList previous;
    for (int i = 0; i < 40 && button("Button7")->isVisible(); ++i) {
        QTest::mouseClick(button("Button7"), Qt::LeftButton);
        QCoreApplication::processEvents();
        const QStringList lines = w->log_view()->lines();
        // History kept: what was there is still there, in front.
        QCOMPARE(lines.mid(0, previous.size()), previous);
        previous = lines;
        // The current step's first line is in view.
        const int position = w->ladder_session().position();
        const QString prefix = QStringLiteral("%1. ").arg(position);
        int first = -1;
        for (int k = lines.size() - 1; k >= 0 && first < 0; --k)
            if (lines[k].startsWith(prefix)) first = k;
        QVERIFY(first >= 0);
        auto* log = w->log_view();
        const QTextBlock block = log->document()->findBlockByNumber(first);
        const QRect rect = log->cursorRect(QTextCursor(block)); // in viewport coordinates
        QVERIFY2(rect.top() >= 0 && rect.top() < log->viewport()->height(), qPrintable(prefix));
    }
    QVERIFY(previous.size() > 20);
}

void LadderWindowTest::classic_solve_and_new_end_the_ladder_display() {
    type_puzzle(QString::fromLatin1(kEasy));
    action("m_ladder_step")->trigger();
    QVERIFY(w->ladder_marks()->isVisible());
    action("m_step")->trigger();
    QVERIFY(w->ladder_marks()->isHidden());
    QVERIFY(button("Button7")->isHidden());
    QVERIFY(button("Button8")->isHidden());
    QVERIFY(button("Button5")->isVisible());
    QCOMPARE(w->log_view()->lines().value(0), QStringLiteral("Nouveau cycle."));
    action("m_ladder_step")->trigger();
    QVERIFY(button("Button5")->isHidden());
    QVERIFY(button("Button7")->isVisible());
    action("m_new")->trigger();
    QVERIFY(w->ladder_marks()->isHidden());
    QVERIFY(button("Button7")->isHidden());
    QVERIFY(button("Button8")->isHidden());
    QVERIFY(!cell(1, 1)->isReadOnly());
    QCOMPARE(cell(1, 1)->text(), QString());
}

void LadderWindowTest::techniques_window_explains_every_technique_with_a_drawn_example() {
    action("m_techniques")->trigger();
    auto* t = w->techniques_window();
    QVERIFY(t);
    QCOMPARE(t->objectName(), QStringLiteral("f_techniques"));
    QVERIFY(t->isVisible());
    QVERIFY(!t->isModal());
    QVERIFY(t->isWindow());
    QCOMPARE(t->parentWidget(), w.get());
    QCOMPARE(t->list()->count(), ladder::kTechniqueCount);
    int with_example = 0;
    for (int i = 0; i < ladder::kTechniqueCount; ++i) {
        const auto technique = static_cast<ladder::Technique>(i);
        t->select(technique);
        QCOMPARE(t->list()->item(i)->text(), QString::fromStdString(ladder::technique_name_fr(technique)));
        QVERIFY(t->text_label()->text().size() > 60);
        if (t->board()->isVisibleTo(t)) {
            ++with_example;
            QCOMPARE(t->board()->picture().technique, technique);
            QVERIFY(t->example_label()->text().startsWith(QStringLiteral("Exemple, étape ")));
            QVERIFY(t->board()->picture().step_number >= 1);
        }
    }
    // The simple techniques all have an example board.
    QVERIFY(with_example >= 5);
    // The main window keeps working while it is open.
    QTest::keyClick(cell(1, 1), '5');
    QCOMPARE(w->area().grid[1][1], 5);
    // A second choice of the entry brings the same window back.
    action("m_techniques")->trigger();
    QCOMPARE(w->findChildren<vornel::Tf_techniques*>().size(), 1);
}

void LadderWindowTest::technique_link_opens_the_step_technique_page() {
    type_puzzle(QString::fromLatin1(kExpert));
    action("m_ladder_step")->trigger();
    auto* link = w->findChild<QLabel*>(QStringLiteral("LadderTechnique"));
    QVERIFY(link->isVisible());
    const ladder::Explanation expected = ladder::explain(grid_of(QString::fromLatin1(kExpert)));
    const ladder::Technique first = expected.steps[0].technique;
    QVERIFY(link->text().contains(QString::fromStdString(ladder::technique_name_fr(first)).toHtmlEscaped()));
    emit link->linkActivated(QString::fromUtf8(ladder::technique_id(first).data()));
    QVERIFY(w->techniques_window());
    QVERIFY(w->techniques_window()->isVisible());
    QCOMPARE(w->techniques_window()->selected(), first);
}

// A forcing chain walked branch by branch and a chain link by link with the walk buttons: each
// part draws only its own links (the current one heavier) and tells its line under the log; past
// the last part the whole step comes back. With VORNEL_SCREENSHOTS set to a folder, each part of
// the forcing chain is saved there as walk-<step>-<part>.png.
void LadderWindowTest::chains_and_forcing_chains_are_walked_part_by_part() {
    type_puzzle(QString::fromLatin1(kForcingPuzzle));
    action("m_ladder_step")->trigger();
    const ladder::Explanation expected = ladder::explain(grid_of(QString::fromLatin1(kForcingPuzzle)));
    QPushButton* next = button("WalkNext");
    QPushButton* back = button("WalkBack");
    QPushButton* whole = button("WalkWhole");
    auto* link = w->findChild<QLabel*>(QStringLiteral("LadderTechnique"));
    const QString shots = qEnvironmentVariable("VORNEL_SCREENSHOTS");
    bool forcing = false, chain = false;
    for (std::size_t k = 0; k < expected.steps.size() && !(forcing && chain); ++k) {
        const ladder::Step& step = expected.steps[k];
        const int parts = ladder::walk_parts(step);
        QCOMPARE(next->isVisible(), parts > 0);
        QCOMPARE(back->isVisible(), parts > 0);
        const bool is_forcing = !step.branches.empty();
        if (parts > 0 && ((is_forcing && !forcing) || (!is_forcing && !chain))) {
            (is_forcing ? forcing : chain) = true;
            QVERIFY(!whole->isEnabled());
            for (int part = 1; part <= parts; ++part) {
                QTest::mouseClick(next, Qt::LeftButton);
                QCOMPARE(w->ladder_session().part(), part);
                QVERIFY(whole->isEnabled());
                const ladder::BoardPicture& shown = w->ladder_marks()->picture();
                QCOMPARE(shown.step_number, static_cast<int>(k + 1));
                if (is_forcing) {
                    // The branch's placements, in order, from its assumption.
                    std::size_t placed = 0;
                    for (const auto& imp : step.branches[static_cast<std::size_t>(part - 1)].implications)
                        placed += imp.place ? 1 : 0;
                    QCOMPARE(shown.links.size(), placed);
                    QVERIFY(link->toolTip().startsWith(QStringLiteral("Branche %1 sur %2").arg(part).arg(parts)));
                } else {
                    QCOMPARE(shown.links.size(), static_cast<std::size_t>(part));
                    QCOMPARE(shown.current_link, part - 1);
                    QVERIFY(link->toolTip().startsWith(QStringLiteral("Lien %1 sur %2").arg(part).arg(parts)));
                }
                if (!shots.isEmpty() && is_forcing)
                    QVERIFY(w->grab().save(shots + QStringLiteral("/walk-%1-%2.png").arg(k + 1).arg(part)));
            }
            // Past the last part, the whole step again; back from it, the last part.
            QTest::mouseClick(next, Qt::LeftButton);
            QCOMPARE(w->ladder_session().part(), 0);
            QCOMPARE(w->ladder_marks()->picture().links, step.links);
            QVERIFY(link->text().contains(
                QString::fromStdString(ladder::technique_name_fr(step.technique)).toHtmlEscaped()));
            QTest::mouseClick(back, Qt::LeftButton);
            QCOMPARE(w->ladder_session().part(), parts);
            QTest::mouseClick(whole, Qt::LeftButton);
            QCOMPARE(w->ladder_session().part(), 0);
            if (!shots.isEmpty() && is_forcing)
                QVERIFY(w->grab().save(shots + QStringLiteral("/walk-%1-whole.png").arg(k + 1)));
        }
        QTest::mouseClick(button("Button7"), Qt::LeftButton);
    }
    QVERIFY(forcing);
    QVERIFY(chain);
}

// The walk's keys, as the buttons' tooltips give them: Alt+Right shows the next link or branch,
// Alt+Left the one before (the whole step lies between the last part and the first), Alt+Up the
// whole step. While a part is shown, the step's entry in the log (and only it) is marked; with the
// whole step, or on the next step, nothing is.
void LadderWindowTest::walk_keys_change_the_part_and_mark_the_step_in_the_log() {
    QVERIFY(button("WalkNext")->toolTip().contains(QStringLiteral("Alt+Droite")));
    QVERIFY(button("WalkBack")->toolTip().contains(QStringLiteral("Alt+Gauche")));
    QVERIFY(button("WalkWhole")->toolTip().contains(QStringLiteral("Alt+Haut")));
    type_puzzle(QString::fromLatin1(kForcingPuzzle));
    action("m_ladder_step")->trigger();
    const ladder::Explanation expected = ladder::explain(grid_of(QString::fromLatin1(kForcingPuzzle)));
    auto* link = w->findChild<QLabel*>(QStringLiteral("LadderTechnique"));
    const auto marked = [&] {
        QCoreApplication::processEvents();
        QList<int> lines;
        for (const QTextEdit::ExtraSelection& mark : w->log_view()->extraSelections())
            lines << mark.cursor.block().blockNumber();
        return lines;
    };
    // A button's shortcut clicks it the way animateClick() does: pressed at once, released (and
    // clicked) a moment later.
    const auto press = [&](Qt::Key key, int part) {
        QTest::keyClick(w.get(), key, Qt::AltModifier);
        QTRY_COMPARE(w->ladder_session().part(), part);
    };
    bool forcing = false, chain = false;
    for (std::size_t k = 0; k < expected.steps.size() && !(forcing && chain); ++k) {
        const ladder::Step& step = expected.steps[k];
        const int parts = ladder::walk_parts(step);
        const bool is_forcing = !step.branches.empty();
        if (parts > 0 && !(is_forcing ? forcing : chain)) {
            (is_forcing ? forcing : chain) = true;
            const QString word = is_forcing ? QStringLiteral("Branche") : QStringLiteral("Lien");
            QVERIFY(marked().isEmpty());
            // The step's entry: its numbered first line and the lines under it.
            const auto [first, count] = w->ladder_session().log_entry(static_cast<int>(k + 1));
            QCOMPARE(count, ladder::narrate_sentences(step).size());
            QList<int> entry;
            for (std::size_t i = 0; i < count; ++i) entry << static_cast<int>(first + i);
            QVERIFY(w->log_view()->lines().value(entry.front()).startsWith(QStringLiteral("%1. ").arg(k + 1)));

            press(Qt::Key_Right, 1);
            QVERIFY(link->toolTip().startsWith(QStringLiteral("%1 1 sur %2").arg(word).arg(parts)));
            QCOMPARE(marked(), entry);
            const ladder::BoardPicture one = w->ladder_marks()->picture();
            // Back from the first part: the whole step; back again: the last part.
            press(Qt::Key_Left, 0);
            QCOMPARE(w->ladder_marks()->picture().links, step.links);
            QVERIFY(marked().isEmpty());
            press(Qt::Key_Left, parts);
            QVERIFY(link->toolTip().startsWith(QStringLiteral("%1 %2 sur %2").arg(word).arg(parts)));
            QCOMPARE(marked(), entry);
            press(Qt::Key_Up, 0);
            QCOMPARE(w->ladder_marks()->picture().links, step.links);
            QVERIFY(marked().isEmpty());
            QVERIFY(link->text().contains(
                QString::fromStdString(ladder::technique_name_fr(step.technique)).toHtmlEscaped()));
            press(Qt::Key_Right, 1);
            QCOMPARE(w->ladder_marks()->picture().links, one.links);
            QCOMPARE(marked(), entry);
        }
        QTest::mouseClick(button("Button7"), Qt::LeftButton);
        QVERIFY(marked().isEmpty());
    }
    QVERIFY(forcing);
    QVERIFY(chain);
}

QTEST_MAIN(LadderWindowTest)
#include "ladder_window_test.moc"
