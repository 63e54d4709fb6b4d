// SPDX-License-Identifier: GPL-3.0-or-later
// The exercises and the progress windows end to end, with real clicks and keys: the entries of
// the main window, an exercise marked on the board and validated, a wrong mark explained, the
// record of progress written and shown, and `vornel --learn ID`.

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTest>

#include <memory>

#include "command_line.h"
#include "exercise_board.h"
#include "ladder/technique_table.h"
#include "learn_window.h"
#include "progress_window.h"
#include "tf_vrn.h"

using vornel::Tf_learn;
using vornel::ladder::Technique;

class LearnWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QFile::remove(Tf_learn::progress_path()); }
    void main_window_entries_follow_the_game_entries();
    void an_exercise_marked_with_the_mouse_is_validated_and_recorded();
    void a_false_mark_is_explained_and_the_step_can_be_shown();
    void command_line_takes_learn_with_a_technique();

private:
    // Clicks the candidate `digit` of `cell` on the exercise board.
    static void click(vornel::ExerciseBoard* board, int cell, int digit, Qt::MouseButton button = Qt::LeftButton) {
        const QRect r = board->cell_rect(cell);
        const QPoint at(r.left() + r.width() * ((digit - 1) % 3 * 2 + 1) / 6,
                        r.top() + r.height() * ((digit - 1) / 3 * 2 + 1) / 6);
        QTest::mouseClick(board, button, Qt::NoModifier, at);
    }
    static std::unique_ptr<Tf_learn> ready_window(Technique technique) {
        auto window = std::make_unique<Tf_learn>(nullptr);
        window->set_seed(11);
        window->open(technique);
        return window;
    }
};

void LearnWindowTest::main_window_entries_follow_the_game_entries() {
    vornel::Tf_vrn main;
    QMenu* menu = main.menuBar()->findChild<QMenu*>(QStringLiteral("m_sudoku"));
    const QList<QAction*> actions = menu->actions();
    QVERIFY(actions.size() >= 2);
    QCOMPARE(actions[actions.size() - 2]->objectName(), QStringLiteral("m_learn"));
    QCOMPARE(actions[actions.size() - 2]->text(), QStringLiteral("Exercices..."));
    QCOMPARE(actions.back()->objectName(), QStringLiteral("m_progress"));
    QCOMPARE(actions.back()->text(), QStringLiteral("Progrès..."));
    // The specified entries keep their places at the head of the menu.
    QCOMPARE(actions[0]->objectName(), QStringLiteral("m_step"));
    actions.back()->trigger();
    auto* progress = main.findChild<vornel::Tf_progress*>();
    QVERIFY(progress && progress->isVisible());
    QVERIFY(progress->table()->rowCount() >= 40);
}

void LearnWindowTest::an_exercise_marked_with_the_mouse_is_validated_and_recorded() {
    std::unique_ptr<Tf_learn> w = ready_window(Technique::NakedPair);
    QTRY_VERIFY_WITH_TIMEOUT(w->exercise() != nullptr, 60000);
    QCOMPARE(w->exercise_number(), 1);
    const vornel::ladder::Step step = w->exercise()->step;
    QVERIFY(!step.eliminations.empty());
    for (const vornel::ladder::Candidate& c : step.eliminations) click(w->board(), c.cell, c.digit);
    QCOMPARE(w->board()->marked().eliminations.size(), step.eliminations.size());
    QTest::keyClick(w->board(), Qt::Key_Return);
    QVERIFY2(w->verdict_label()->text().startsWith(QStringLiteral("Bien vu")), qPrintable(w->verdict_label()->text()));
    QCOMPARE(w->progress().of(Technique::NakedPair).solved, 1);
    QCOMPARE(w->progress().of(Technique::NakedPair).solved_without_hints, 1);
    QFile file(Tf_learn::progress_path());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("technique naked-pair 1 1 1 0 0 0 0"));
    // The next exercise was prepared meanwhile: N brings it.
    QTRY_VERIFY_WITH_TIMEOUT(w->findChild<QPushButton*>(QStringLiteral("LearnNext"))->isEnabled(), 60000);
    QTest::keyClick(w->board(), Qt::Key_N);
    QCOMPARE(w->exercise_number(), 2);
    QVERIFY(w->board()->marked().empty());
}

void LearnWindowTest::a_false_mark_is_explained_and_the_step_can_be_shown() {
    std::unique_ptr<Tf_learn> w = ready_window(Technique::XWing);
    QTRY_VERIFY_WITH_TIMEOUT(w->exercise() != nullptr, 60000);
    const vornel::learn::Exercise& exercise = *w->exercise();
    // The solution's digit of the first cell with two candidates or more.
    int cell = 0;
    while (exercise.position.value(cell) != 0 || __builtin_popcount(exercise.position.mask(cell)) < 2) ++cell;
    click(w->board(), cell, exercise.solution[static_cast<std::size_t>(cell)]);
    QTest::keyClick(w->board(), Qt::Key_Return);
    QVERIFY2(w->verdict_label()->text().startsWith(QStringLiteral("Non")), qPrintable(w->verdict_label()->text()));
    QCOMPARE(w->progress().of(Technique::XWing).tried, 1);
    QCOMPARE(w->progress().of(Technique::XWing).solved, 0);
    // Clicking the same candidate again takes the mark back; S shows the ladder's step.
    click(w->board(), cell, exercise.solution[static_cast<std::size_t>(cell)]);
    QVERIFY(w->board()->marked().empty());
    QTest::keyClick(w->board(), Qt::Key_S);
    QVERIFY(!w->findChild<QPushButton*>(QStringLiteral("LearnValidate"))->isEnabled());
    QVERIFY(!w->verdict_label()->text().isEmpty());
    QCOMPARE(w->progress().of(Technique::XWing).tried, 1);
}

void LearnWindowTest::command_line_takes_learn_with_a_technique() {
    const struct {
        std::vector<std::string> args;
        bool learn;
        std::string id;
        std::string file;
        bool error;
    } cases[] = {
        {{"--learn"}, true, "", "", false},
        {{"--learn", "x-wing"}, true, "x-wing", "", false},
        {{"--learn", "grille.sud"}, true, "", "grille.sud", false},
        {{"--learn=naked-pair"}, true, "naked-pair", "", false},
        {{"--learn=nothing"}, true, "nothing", "", true},
    };
    for (const auto& c : cases) {
        const vornel::CommandLine line = vornel::parse_command_line(c.args);
        QCOMPARE(line.action == vornel::CommandLine::Action::usage_error, c.error);
        if (c.error) {
            QCOMPARE(line.message, std::string("technique inconnue \u00ab nothing \u00bb"));
            continue;
        }
        QCOMPARE(line.learn, c.learn);
        QCOMPARE(line.learn_id, c.id);
        QCOMPARE(line.file, c.file);
    }
}

int main(int argc, char** argv) {
    QStandardPaths::setTestModeEnabled(true);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    LearnWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "learn_window_test.moc"
