// SPDX-License-Identifier: GPL-3.0-or-later
// The main window, driven as a user drives it: real key events into real cells, menu actions,
// button clicks; every board-view effect is compared with the headless engine on the same puzzle.

#include <QAccessible>
#include <QClipboard>
#include <QFile>
#include <QFontInfo>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <memory>

#include "board_widgets.h"
#include "cell_edit.h"
#include "colour_letters.h"
#include "engine.h"
#include "explications.h"
#include "failures.h"
#include "file_dialogs.h"
#include "headless_board.h"
#include "log_view.h"
#include "message_box.h"
#include "modal_watchdog.h"
#include "occurrence_table.h"
#include "puzzles.h"
#include "qt_colour.h"
#include "recorded_boxes.h"
#include "resources.h"
#include "scripted_dialogs.h"
#include "tf_vrn.h"

using vornel::BoxKind;
using vornel::BoxRequest;
using vornel::CellEdit;
using vornel::Colour;
using vornel::Tf_vrn;

namespace {

// Puzzles as 81 characters, row by row, "0" for an empty cell.
// Solved by single placements alone (49 placements).
const char* const kEasy = "003020600900305001001806400008102900700000008006708200002609500800203009005010300";
// 17 givens; the engine still finishes it, with 64 placements over many cycles.
const char* const kHard = vornel::test::kSeventeenGivens.data();
// The engine places 28 digits, then a whole cycle places nothing; the puzzle has one solution.
const char* const kStuck = vornel::test::kStuckAfter28.data();
// kEasy with a second 3 in row 1 and region 1.
const char* const kInvalid = "303020600900305001001806400008102900700000008006708200002609500800203009005010300";

QString conversion_report(const QString& character) {
    return QStringLiteral("'%1' n'est pas une valeur entière correcte.").arg(character);
}

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Tf_vrn> w_;
    std::shared_ptr<std::vector<BoxRequest>> boxes_;
    std::shared_ptr<vornel::test::ScriptedDialogs::Script> script_;
    std::unique_ptr<vornel::test::ModalWatchdog> watchdog_;

    CellEdit* cell(int row, int col) const { return w_->cell(row, col); }
    QAction* action(const char* name) const { return w_->findChild<QAction*>(QString::fromLatin1(name)); }
    QPushButton* button(const char* name) const { return w_->findChild<QPushButton*>(QString::fromLatin1(name)); }
    QStringList reports() const {
        QStringList texts;
        for (const BoxRequest& box : *boxes_)
            if (box.kind == BoxKind::Failure) texts << box.text;
        return texts;
    }
    void type_puzzle(const char* puzzle);
    void type_keys(CellEdit* target, const QStringList& keys);
    QString differences(const vornel::HeadlessBoard& board, const vornel::WorkArea& area) const;

private slots:
    void init();
    void cleanup();

    // Layout
    void every_control_has_its_name_kind_and_place_data();
    void every_control_has_its_name_kind_and_place();
    void every_cell_carries_its_cell_code_as_tag_and_its_accessible_name();
    void window_is_a_fixed_746_by_482_client_below_the_menu_bar();
    void window_starts_empty_editable_with_hidden_table_and_buttons_and_one_empty_log_line();
    void form_create_paints_the_background_and_separators_and_hides_column_zero();
    void fonts_are_tahoma_at_their_pixel_sizes();
    void menu_entries_have_their_names_and_exact_captions_data();
    void menu_entries_have_their_names_and_exact_captions();
    void tab_runs_box_by_box_then_to_the_log_and_back();

    // Cell entry
    void typed_keys_reach_the_cell_and_grid_as_the_filter_allows_data();
    void typed_keys_reach_the_cell_and_grid_as_the_filter_allows();
    void pasted_text_skips_the_filter_and_stores_its_first_digit_data();
    void pasted_text_skips_the_filter_and_stores_its_first_digit();
    void input_method_text_goes_through_the_filter_data();
    void input_method_text_goes_through_the_filter();
    void locked_cell_ignores_typing_but_takes_the_solvers_digit();
    void failure_of_a_program_write_is_reported_there_and_the_caller_carries_on();
    void failure_box_has_the_dot_rule_and_the_program_title_as_caption();
    void any_exception_escaping_a_command_is_reported_and_the_window_goes_on();
    void entering_a_cell_selects_its_text_unless_by_mouse_or_coming_back_data();
    void entering_a_cell_selects_its_text_unless_by_mouse_or_coming_back();
    void window_activation_puts_the_focus_on_edit11_with_its_text_selected();
    void closing_an_explanations_window_puts_the_focus_back_on_edit11();
    void closing_a_message_box_leaves_the_focus_where_it_was();

    // Colouring and occurrence table
    void cell_colour_is_painted_and_read_back_exactly_data();
    void cell_colour_is_painted_and_read_back_exactly();
    void board_colouring_keeps_green_and_paints_marks_data();
    void board_colouring_keeps_green_and_paints_marks();
    void occurrence_table_shows_counts_from_the_left_edge_after_a_solve();
    void occurrence_table_is_disabled_yet_painted_in_active_colours();
    void occurrence_table_answers_the_accessible_table_interface();
    void log_keeps_one_block_per_line();

    // Commands
    void each_tempo_matches_the_headless_engine_at_every_request_data();
    void each_tempo_matches_the_headless_engine_at_every_request();
    void new_in_the_middle_of_a_step_solve_empties_and_unlocks_the_board();
    void about_box_shows_the_version_and_the_makers_notice();
    void about_box_is_a_modal_information_box_with_one_ok();
    void failure_box_is_a_modal_stop_box_with_one_ok();
    void explanations_opens_one_more_window_each_time();
    void save_then_open_round_trips_the_puzzle_through_the_dialogs();
    void open_of_a_negative_value_reports_it_and_finishes_the_refresh();
    void open_of_a_missing_file_reports_it_and_leaves_the_board();
    void caption_names_the_open_file_and_then_its_level();
    void quit_ends_the_event_loop_with_explanations_windows_open();
    void closing_the_main_window_ends_the_event_loop();
};

void WindowTest::init() {
    watchdog_ = std::make_unique<vornel::test::ModalWatchdog>();
    boxes_ = std::make_shared<std::vector<BoxRequest>>();
    script_ = std::make_shared<vornel::test::ScriptedDialogs::Script>();
    w_ = std::make_unique<Tf_vrn>();
    w_->set_message_boxes(std::make_unique<vornel::test::RecordedBoxes>(boxes_));
    w_->set_file_dialogs(std::make_unique<vornel::test::ScriptedDialogs>(script_));
    w_->show();
    w_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w_.get()));
}

void WindowTest::cleanup() {
    w_.reset();
    QVERIFY2(watchdog_->unexpected().isEmpty(), qPrintable(watchdog_->unexpected().join(QLatin1Char('\n'))));
    watchdog_.reset();
    QCOMPARE(script_->unexpected, 0);
}

void WindowTest::type_keys(CellEdit* target, const QStringList& keys) {
    for (const QString& key : keys) {
        if (key == QLatin1String("<BS>"))
            QTest::keyClick(target, Qt::Key_Backspace);
        else if (key == QLatin1String("<DEL>"))
            QTest::keyClick(target, Qt::Key_Delete);
        else if (key == QLatin1String("<HOME>"))
            QTest::keyClick(target, Qt::Key_Home);
        else if (key == QLatin1String("<END>"))
            QTest::keyClick(target, Qt::Key_End);
        else if (key == QLatin1String("<RET>"))
            QTest::keyClick(target, Qt::Key_Return);
        else if (key == QLatin1String("<ESC>"))
            QTest::keyClick(target, Qt::Key_Escape);
        else if (key == QLatin1String("^V"))
            QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
        else if (key == QLatin1String("^A"))
            QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
        else if (key == QLatin1String("<S-INS>"))
            QTest::keyClick(target, Qt::Key_Insert, Qt::ShiftModifier);
        else
            QTest::keyClick(target, key.at(0).toLatin1());
    }
}

void WindowTest::type_puzzle(const char* puzzle) {
    for (int i = 0; i < 81; ++i) {
        const char ch = puzzle[i];
        if (ch >= '1' && ch <= '9') QTest::keyClick(cell(i / 9 + 1, i % 9 + 1), ch);
    }
}

// "" when the window shows exactly what the headless board holds, else the first differences.
QString WindowTest::differences(const vornel::HeadlessBoard& board, const vornel::WorkArea& area) const {
    QCoreApplication::processEvents(); // the palettes and the log's document catch up
    QStringList diff;
    QStringList expected_log;
    for (const std::string& line : board.log()) expected_log << QString::fromStdString(line);
    if (w_->log_view()->lines() != expected_log ||
        w_->log_view()->document()->blockCount() != std::max(1, int(expected_log.size())))
        diff << QStringLiteral("log: window %1 lines, headless %2 lines; window tail \"%3\", headless tail \"%4\"")
                    .arg(w_->log_view()->line_count())
                    .arg(expected_log.size())
                    .arg(w_->log_view()->lines().value(w_->log_view()->line_count() - 1),
                         expected_log.value(expected_log.size() - 1));
    const vornel::WorkArea& mine = w_->area();
    for (int r = 1; r <= 9; ++r) {
        for (int c = 1; c <= 9; ++c) {
            const auto& expected = board.cell(r, c);
            CellEdit* e = cell(r, c);
            if (e->text() != QString::fromStdString(expected.text))
                diff << QStringLiteral("Edit%1%2 text \"%3\"").arg(r).arg(c).arg(e->text());
            if (w_->cell_colour(r, c) != board.cell_colour(r, c) ||
                vornel::from_qcolor(e->palette().color(QPalette::Base)) != board.cell_colour(r, c))
                diff << QStringLiteral("Edit%1%2 colour %3").arg(r).arg(c).arg(w_->cell_colour(r, c), 6, 16);
            if (e->accessibleDescription() != Tf_vrn::colour_description(board.cell_colour(r, c)))
                diff << QStringLiteral("Edit%1%2 description %3").arg(r).arg(c).arg(e->accessibleDescription());
            if (e->isReadOnly() != expected.read_only)
                diff << QStringLiteral("Edit%1%2 read-only %3").arg(r).arg(c).arg(e->isReadOnly());
            if (mine.grid[r][c] != area.grid[r][c] || mine.pres[r][c] != area.pres[r][c])
                diff << QStringLiteral("grid/pres at %1%2").arg(r).arg(c);
        }
    }
    for (int d = 1; d <= 9; ++d)
        if (mine.freq[d] != area.freq[d] || mine.treated[d] != area.treated[d])
            diff << QStringLiteral("freq/treated of %1").arg(d);
    if (mine.total_filled != area.total_filled || mine.tour_placed != area.tour_placed ||
        mine.digit_placed != area.digit_placed || mine.cur_digit != area.cur_digit)
        diff << QStringLiteral("counters");
    if (button("Button5")->isHidden() == board.button_visible(vornel::StepButton::Button5))
        diff << QStringLiteral("Button5 visibility");
    if (button("Button6")->isHidden() == board.button_visible(vornel::StepButton::Button6))
        diff << QStringLiteral("Button6 visibility");
    if (w_->findChild<QLabel*>(QStringLiteral("Label1"))->isHidden() == board.label1_visible())
        diff << QStringLiteral("Label1 visibility");
    if (w_->occurrence_table()->isHidden() == board.gr1_visible()) diff << QStringLiteral("gr1 visibility");
    for (int row = 0; row <= 1; ++row)
        for (int col = 0; col <= 9; ++col)
            if (w_->occurrence_table()->cell(col, row) != QString::fromStdString(board.occurrence_cell(col, row)))
                diff << QStringLiteral("gr1 (%1,%2)").arg(col).arg(row);
    while (diff.size() > 8) diff.removeLast();
    return diff.join(QStringLiteral("; "));
}

// ---------------------------------------------------------------------------------------------
// Layout

void WindowTest::every_control_has_its_name_kind_and_place_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QRect>("geometry");
    const int offsets[] = {0, 40, 80, 128, 168, 208, 256, 296, 336};
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) {
            const QString name = QStringLiteral("Edit%1%2").arg(r).arg(c);
            QTest::newRow(qPrintable(name))
                << name << "vornel::CellEdit" << QRect(offsets[c - 1], offsets[r - 1], 37, 37);
        }
    QTest::newRow("Shape1") << "Shape1"
                            << "vornel::Shape" << QRect(120, 0, 4, 373);
    QTest::newRow("Shape2") << "Shape2"
                            << "vornel::Shape" << QRect(248, 0, 4, 373);
    QTest::newRow("Shape3") << "Shape3"
                            << "vornel::Shape" << QRect(0, 120, 372, 4);
    QTest::newRow("Shape4") << "Shape4"
                            << "vornel::Shape" << QRect(0, 248, 372, 4);
    QTest::newRow("gr1") << "gr1"
                         << "vornel::OccurrenceTable" << QRect(-2, 416, 374, 50);
    QTest::newRow("Memo1") << "Memo1"
                           << "vornel::LogView" << QRect(432, 8, 305, 380);
    QTest::newRow("Button5") << "Button5"
                             << "QPushButton" << QRect(504, 416, 153, 49);
    QTest::newRow("Button6") << "Button6"
                             << "QPushButton" << QRect(504, 416, 153, 49);
    // Labels are sized to their text: only their top-left corner is fixed.
    QTest::newRow("Label1") << "Label1"
                            << "QLabel" << QRect(8, 400, -1, -1);
    const int rowTops[] = {12, 52, 90, 139, 179, 219, 268, 308, 347};
    for (int i = 1; i <= 9; ++i) {
        const QString col = QStringLiteral("Label%1").arg(i + 1);
        QTest::newRow(qPrintable(col)) << col << "QLabel" << QRect(offsets[i - 1] + 8, 376, -1, -1);
        const QString row = QStringLiteral("Label%1").arg(i + 10);
        QTest::newRow(qPrintable(row)) << row << "QLabel" << QRect(380, rowTops[i - 1], -1, -1);
    }
}

void WindowTest::every_control_has_its_name_kind_and_place() {
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QRect, geometry);
    const QList<QWidget*> found = w_->findChildren<QWidget*>(name);
    QCOMPARE(found.size(), 1);
    QWidget* widget = found.first();
    QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), kind);
    QCOMPARE(widget->parentWidget(), w_->centralWidget());
    if (geometry.width() < 0) {
        QCOMPARE(widget->pos(), geometry.topLeft());
        auto* label = qobject_cast<QLabel*>(widget);
        QCOMPARE(widget->size(), label->sizeHint());
        QCOMPARE(label->alignment(), Qt::AlignCenter);
    } else {
        QCOMPARE(widget->geometry(), geometry);
    }
}

void WindowTest::every_cell_carries_its_cell_code_as_tag_and_its_accessible_name() {
    for (int r = 1; r <= 9; ++r) {
        for (int c = 1; c <= 9; ++c) {
            auto* e = w_->findChild<QLineEdit*>(QStringLiteral("Edit%1%2").arg(r).arg(c));
            QVERIFY(e);
            QCOMPARE(e, cell(r, c));
            QCOMPARE(e->property("Tag").toInt(), r * 10 + c);
            QCOMPARE(e->accessibleName(), QStringLiteral("Ligne %1, colonne %2").arg(r).arg(c));
        }
    }
}

void WindowTest::window_is_a_fixed_746_by_482_client_below_the_menu_bar() {
    QCOMPARE(w_->objectName(), QStringLiteral("f_vrn"));
    QCOMPARE(w_->windowTitle(), QStringLiteral("Vornel"));
    QVERIFY(!w_->windowIcon().isNull());
    QCOMPARE(w_->centralWidget()->size(), QSize(746, 482));
    QCOMPARE(w_->menuBar()->objectName(), QStringLiteral("MainMenu1"));
    QCOMPARE(w_->centralWidget()->y(), w_->menuBar()->height());
    QCOMPARE(w_->size(), QSize(746, 482 + w_->menuBar()->height()));
    QCOMPARE(w_->minimumSize(), w_->maximumSize());
    w_->resize(900, 700);
    QCOMPARE(w_->centralWidget()->size(), QSize(746, 482));
    QCOMPARE(w_->size(), QSize(746, 482 + w_->menuBar()->height()));
}

void WindowTest::window_starts_empty_editable_with_hidden_table_and_buttons_and_one_empty_log_line() {
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) {
            QVERIFY(cell(r, c)->text().isEmpty());
            QVERIFY(!cell(r, c)->isReadOnly());
            QCOMPARE(w_->area().grid[r][c], 0);
        }
    QVERIFY(w_->findChild<QLabel*>(QStringLiteral("Label1"))->isHidden());
    QVERIFY(w_->occurrence_table()->isHidden());
    QVERIFY(button("Button5")->isHidden());
    QVERIFY(button("Button6")->isHidden());
    QCOMPARE(w_->log_view()->lines(), QStringList{QString()});
    QVERIFY(w_->log_view()->isReadOnly());
    QCOMPARE(w_->log_view()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(w_->log_view()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QVERIFY(!w_->occurrence_table()->isEnabled());
    QCOMPARE(w_->occurrence_table()->focusPolicy(), Qt::NoFocus);
    QVERIFY(boxes_->empty());
}

void WindowTest::form_create_paints_the_background_and_separators_and_hides_column_zero() {
    auto* client = qobject_cast<vornel::ClientArea*>(w_->centralWidget());
    QVERIFY(client);
    QCOMPARE(vornel::from_qcolor(client->background()), vornel::kBackground);
    for (int i = 1; i <= 4; ++i)
        QCOMPARE(vornel::from_qcolor(w_->findChild<vornel::Shape*>(QStringLiteral("Shape%1").arg(i))->brush()),
                 vornel::kBackground);
    QCOMPARE(w_->occurrence_table()->column_width(0), 0);
    for (int c = 1; c <= 9; ++c) QCOMPARE(w_->occurrence_table()->column_width(c), 40);

    // On screen: the gap between two boxes shows black, yellow, yellow, black; a gap inside a box
    // shows the background.
    const QImage image = w_->centralWidget()->grab().toImage();
    const QRgb yellow = qRgb(255, 255, 153);
    QCOMPARE(image.pixel(120, 60), qRgb(0, 0, 0));
    QCOMPARE(image.pixel(121, 60), yellow);
    QCOMPARE(image.pixel(122, 60), yellow);
    QCOMPARE(image.pixel(123, 60), qRgb(0, 0, 0));
    QCOMPARE(image.pixel(60, 249), yellow);
    QCOMPARE(image.pixel(38, 20), yellow);
    QCOMPARE(image.pixel(420, 470), yellow);
}

void WindowTest::fonts_are_tahoma_at_their_pixel_sizes() {
    struct Expected {
        QWidget* widget;
        int pixels;
        bool italic;
    };
    const Expected expected[] = {
        {w_->centralWidget(), 11, false},
        {cell(4, 7), 24, false},
        {w_->findChild<QLabel*>(QStringLiteral("Label2")), 11, false},
        {w_->findChild<QLabel*>(QStringLiteral("Label1")), 13, true},
        {w_->occurrence_table(), 16, false},
        {w_->log_view(), 13, false},
        {button("Button5"), 11, false},
    };
    const bool tahomaInstalled = QFile::exists(vornel::wine_tahoma_file());
    for (const Expected& e : expected) {
        QCOMPARE(e.widget->font().family(), QStringLiteral("Tahoma"));
        QCOMPARE(e.widget->font().pixelSize(), e.pixels);
        QCOMPARE(e.widget->font().italic(), e.italic);
        if (tahomaInstalled) QCOMPARE(QFontInfo(e.widget->font()).family(), QStringLiteral("Tahoma"));
    }
}

void WindowTest::menu_entries_have_their_names_and_exact_captions_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("menuCaption");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("m_fichier") << "m_fichier"
                               << "&Fichier" << QStringList{"m_new", "m_open", "m_save", "m_quitter"}
                               << QStringList{"Nouveau Sudoku", "Ouvrir...", "Enregistrer sous...", "&Quitter"};
    QTest::newRow("m_sudoku") << "m_sudoku"
                              << "&Sudoku" << QStringList{"m_step", "m_number", "m_once"}
                              << QStringList{QStringLiteral("Résoudre pas à  pas"),
                                             QStringLiteral("Résoudre chiffre après chiffre"),
                                             QStringLiteral("Résoudre en une fois")};
    QTest::newRow("m_interro") << "m_interro"
                               << "?" << QStringList{"m_explications", "m_about"}
                               << QStringList{"Explications...", "A propos..."};
}

void WindowTest::menu_entries_have_their_names_and_exact_captions() {
    QFETCH(QString, menu);
    QFETCH(QString, menuCaption);
    QFETCH(QStringList, names);
    QFETCH(QStringList, captions);
    auto* m = w_->menuBar()->findChild<QMenu*>(menu);
    QVERIFY(m);
    QCOMPARE(m->title(), menuCaption);
    QVERIFY(w_->menuBar()->actions().contains(m->menuAction()));
    // These entries come first, as they are; entries added later follow them.
    const QList<QAction*> actions = m->actions();
    QVERIFY(actions.size() >= names.size());
    for (int i = 0; i < names.size(); ++i) {
        QCOMPARE(actions[i]->objectName(), names[i]);
        QCOMPARE(actions[i]->text(), captions[i]);
        QVERIFY(actions[i]->shortcut().isEmpty());
        QVERIFY(!actions[i]->isCheckable());
        QVERIFY(actions[i]->isEnabled());
        QCOMPARE(w_->findChild<QAction*>(names[i]), actions[i]);
    }
}

void WindowTest::tab_runs_box_by_box_then_to_the_log_and_back() {
    QStringList expected;
    for (int box = 1; box <= 9; ++box)
        for (int r = 3 * ((box - 1) / 3) + 1, n = 0; n < 3; ++r, ++n)
            for (int c = 3 * ((box - 1) % 3) + 1, m = 0; m < 3; ++c, ++m)
                expected << QStringLiteral("Edit%1%2").arg(r).arg(c);
    // gr1 (disabled, hidden) and Button6 (hidden) are skipped; Button5 is hidden at start too.
    expected << QStringLiteral("Memo1") << QStringLiteral("Edit11");
    QCOMPARE(expected[9], QStringLiteral("Edit14"));
    QCOMPARE(expected[80], QStringLiteral("Edit99"));

    cell(1, 1)->setFocus(Qt::OtherFocusReason);
    QStringList seen{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < expected.size() - 1; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(seen, expected);

    // The declared chain also holds gr1, then Memo1, Button5, Button6, after Edit99.
    const QStringList controls{"gr1", "Memo1", "Button5", "Button6", "Edit11"};
    QStringList chain;
    for (QWidget* next = cell(9, 9)->nextInFocusChain(); chain.size() < 5; next = next->nextInFocusChain())
        if (controls.contains(next->objectName()) || next->objectName().startsWith(QLatin1String("Edit")))
            chain << next->objectName();
    QCOMPARE(chain, controls);
}

// ---------------------------------------------------------------------------------------------
// Cell entry

void WindowTest::typed_keys_reach_the_cell_and_grid_as_the_filter_allows_data() {
    QTest::addColumn<QString>("initial"); // the program's write before the user starts
    QTest::addColumn<QString>("entry");   // "tab": entered with Tab (all selected); "click": mouse at the end
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::addColumn<QStringList>("reported");
    using L = QStringList;
    QTest::newRow("7 into an empty cell") << ""
                                          << "tab" << L{"7"} << "7" << 7 << L{};
    QTest::newRow("7 then backspace") << ""
                                      << "tab" << L{"7", "<BS>"} << "" << 0 << L{};
    QTest::newRow("second digit dropped") << ""
                                          << "tab" << L{"7", "3"} << "7" << 7 << L{};
    QTest::newRow("digit over a selected digit dropped") << "3"
                                                         << "tab" << L{"7"} << "3" << 3 << L{};
    QTest::newRow("digit after a clicked digit dropped") << "3"
                                                         << "click" << L{"7"} << "3" << 3 << L{};
    QTest::newRow("dot into an empty cell") << ""
                                            << "tab" << L{"."} << "." << 0 << L{conversion_report(".")};
    QTest::newRow("dot over a selected 3") << "3"
                                           << "tab" << L{"."} << "." << 3 << L{conversion_report(".")};
    QTest::newRow("dot after a 3") << "3"
                                   << "click" << L{"."} << "3." << 3 << L{};
    QTest::newRow("dot before a 3") << "3"
                                    << "click" << L{"<HOME>", "."} << ".3" << 3 << L{conversion_report(".")};
    QTest::newRow("zero shows and stores 0") << ""
                                             << "tab" << L{"0"} << "0" << 0 << L{};
    QTest::newRow("letters blank enter escape dropped")
        << ""
        << "tab" << L{"a", "Z", " ", "<RET>", "<ESC>", "-"} << "" << 0 << L{};
    QTest::newRow("home and delete delete") << "5"
                                            << "click" << L{"<HOME>", "<DEL>"} << "" << 0 << L{};
    QTest::newRow("delete then a digit") << "5"
                                         << "tab" << L{"<DEL>", "8"} << "8" << 8 << L{};
    QTest::newRow("ctrl+A is a control character") << "5"
                                                   << "click" << L{"^A", "<BS>"} << "" << 0 << L{};
    QTest::newRow("ctrl+V is a control character") << ""
                                                   << "tab" << L{"^V"} << "" << 0 << L{};
}

void WindowTest::typed_keys_reach_the_cell_and_grid_as_the_filter_allows() {
    QFETCH(QString, initial);
    QFETCH(QString, entry);
    QFETCH(QStringList, keys);
    QFETCH(QString, text);
    QFETCH(int, value);
    QFETCH(QStringList, reported);
    QGuiApplication::clipboard()->setText(QStringLiteral("9"));

    CellEdit* target = cell(5, 6);
    w_->set_cell_text(5, 6, initial.toStdString());
    if (entry == QLatin1String("tab")) {
        cell(5, 5)->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(cell(5, 5), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), target);
        QCOMPARE(target->selectedText(), initial);
    } else {
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(34, 18));
        QCOMPARE(QApplication::focusWidget(), target);
        QVERIFY(!target->hasSelectedText() || initial.isEmpty());
        QCOMPARE(target->cursorPosition(), initial.size());
    }
    type_keys(target, keys);
    QCOMPARE(target->text(), text);
    QCOMPARE(w_->area().grid[5][6], value);
    QCOMPARE(reports(), reported);
}

void WindowTest::pasted_text_skips_the_filter_and_stores_its_first_digit_data() {
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("value");
    QTest::addColumn<QStringList>("reported");
    QTest::newRow("12 by shift+insert") << "12"
                                        << "key" << 1 << QStringList{};
    QTest::newRow("12 by the paste command") << "12"
                                             << "command" << 1 << QStringList{};
    QTest::newRow("x by the paste command") << "x"
                                            << "command" << 0 << QStringList{conversion_report("x")};
    QTest::newRow("é by shift+insert") << QStringLiteral("é") << "key" << 0
                                       << QStringList{conversion_report(QStringLiteral("é"))};
}

void WindowTest::pasted_text_skips_the_filter_and_stores_its_first_digit() {
    QFETCH(QString, clipboard);
    QFETCH(QString, how);
    QFETCH(int, value);
    QFETCH(QStringList, reported);
    QGuiApplication::clipboard()->setText(clipboard);
    CellEdit* target = cell(2, 8);
    target->setFocus(Qt::OtherFocusReason);
    if (how == QLatin1String("key"))
        type_keys(target, {"<S-INS>"});
    else
        target->paste();
    QCOMPARE(target->text(), clipboard);
    QCOMPARE(w_->area().grid[2][8], value);
    QCOMPARE(reports(), reported);
}

void WindowTest::input_method_text_goes_through_the_filter_data() {
    QTest::addColumn<QString>("initial");
    QTest::addColumn<QString>("commit");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("a digit into an empty cell") << ""
                                                << "7"
                                                << "7" << 7;
    QTest::newRow("letters dropped, first digit kept") << "" << QStringLiteral("é7a3") << "7" << 7;
    QTest::newRow("a digit into a full cell dropped") << "3"
                                                      << "5"
                                                      << "3" << 3;
    QTest::newRow("a dot after a digit kept") << "3"
                                              << "."
                                              << "3." << 3;
}

void WindowTest::input_method_text_goes_through_the_filter() {
    QFETCH(QString, initial);
    QFETCH(QString, commit);
    QFETCH(QString, text);
    QFETCH(int, value);
    CellEdit* target = cell(6, 6);
    w_->set_cell_text(6, 6, initial.toStdString());
    QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(34, 18));
    QInputMethodEvent event;
    event.setCommitString(commit);
    QApplication::sendEvent(target, &event);
    QCOMPARE(target->text(), text);
    QCOMPARE(w_->area().grid[6][6], value);
    QVERIFY(reports().isEmpty());
}

void WindowTest::locked_cell_ignores_typing_but_takes_the_solvers_digit() {
    type_puzzle(kEasy);
    action("m_step")->trigger();
    CellEdit* target = cell(1, 1); // empty in kEasy
    QVERIFY(target->isReadOnly());
    QVERIFY(target->text().isEmpty());
    type_keys(target, {"4"});
    QVERIFY(target->text().isEmpty());
    QCOMPARE(w_->area().grid[1][1], 0);
    // Solve to the end: every empty cell, locked as it is, takes the solver's digit.
    for (int i = 0; i < 500 && !button("Button5")->isHidden(); ++i)
        QTest::mouseClick(button("Button5"), Qt::LeftButton);
    QVERIFY(button("Button5")->isHidden());
    QCOMPARE(w_->log_view()->lines().last(), QStringLiteral("Le sudoku est terminé."));
    QCOMPARE(target->text(), QStringLiteral("4"));
    QCOMPARE(w_->area().grid[1][1], 4);
    QVERIFY(target->isReadOnly());
    QVERIFY(reports().isEmpty());
}

void WindowTest::failure_of_a_program_write_is_reported_there_and_the_caller_carries_on() {
    // Cells shown by the engine from the grid: -5 cannot be converted, so its change handling
    // fails inside the write; the report comes at once and the refresh goes on to the next cell.
    w_->area().grid[1][1] = -5;
    w_->area().grid[1][2] = 12;
    w_->area().grid[9][9] = 7;
    w_->engine().show_grid();
    QCOMPARE(reports(), QStringList{conversion_report("-")});
    QCOMPARE(cell(1, 1)->text(), QStringLiteral("-5"));
    QCOMPARE(w_->area().grid[1][1], -5);
    QCOMPARE(cell(1, 2)->text(), QStringLiteral("12"));
    QCOMPARE(w_->area().grid[1][2], 1);
    QCOMPARE(cell(9, 9)->text(), QStringLiteral("7"));
    QCOMPARE(w_->area().grid[9][9], 7);
    QCOMPARE(w_->log_view()->lines(), QStringList{});

    // Through a menu command: New empties "-5" without a failure, the rest of New runs.
    boxes_->clear();
    action("m_new")->trigger();
    QVERIFY(boxes_->empty());
    QCOMPARE(w_->area().grid[1][1], 0);
    QVERIFY(cell(9, 9)->text().isEmpty());
}

void WindowTest::failure_box_has_the_dot_rule_and_the_program_title_as_caption() {
    w_->set_cell_text(3, 3, "x");
    w_->report_failure("Accès au fichier refusé");
    w_->report_failure("Fin.");
    w_->report_failure("");
    QCOMPARE(boxes_->size(), std::size_t{4});
    const QByteArray path = QCoreApplication::applicationFilePath().toUtf8();
    const QString title = QString::fromStdString(vornel::app_title(path.toStdString()));
    QCOMPARE(title, QStringLiteral("ui_window_tests")); // first character kept as it is, the rest lower-cased
    for (const BoxRequest& box : *boxes_) {
        QCOMPARE(box.kind, BoxKind::Failure);
        QCOMPARE(box.caption, title);
    }
    QCOMPARE(reports(), (QStringList{conversion_report("x"), QStringLiteral("Accès au fichier refusé."),
                                     QStringLiteral("Fin."), QString()}));
}

namespace {
// A dialog seam that breaks the way library code can: with an exception outside the program's
// own failure family.
class BrokenDialogs final : public vornel::FileDialogs {
public:
    std::string ask_open_file_name(const vornel::FileDialogRequest&) override { throw std::runtime_error("boom"); }
    std::string ask_save_file_name(const vornel::FileDialogRequest&) override { throw std::bad_alloc(); }
};
} // namespace

void WindowTest::any_exception_escaping_a_command_is_reported_and_the_window_goes_on() {
    w_->set_file_dialogs(std::make_unique<BrokenDialogs>());
    action("m_open")->trigger();
    action("m_save")->trigger();
    QCOMPARE(reports().size(), 2);
    QCOMPARE(reports()[0], QStringLiteral("boom."));
    QVERIFY(!reports()[1].isEmpty());
    // Still alive and answering.
    type_keys(cell(1, 1), {"5"});
    QCOMPARE(w_->area().grid[1][1], 5);
}

void WindowTest::entering_a_cell_selects_its_text_unless_by_mouse_or_coming_back_data() {
    QTest::addColumn<int>("reason");
    QTest::addColumn<bool>("selected");
    QTest::newRow("tab") << int(Qt::TabFocusReason) << true;
    QTest::newRow("backtab") << int(Qt::BacktabFocusReason) << true;
    QTest::newRow("shortcut") << int(Qt::ShortcutFocusReason) << true;
    QTest::newRow("the program") << int(Qt::OtherFocusReason) << true;
    QTest::newRow("mouse") << int(Qt::MouseFocusReason) << false;
    QTest::newRow("popup closed") << int(Qt::PopupFocusReason) << false;
    QTest::newRow("menu bar left") << int(Qt::MenuBarFocusReason) << false;
    QTest::newRow("window re-activated") << int(Qt::ActiveWindowFocusReason) << false;
}

void WindowTest::entering_a_cell_selects_its_text_unless_by_mouse_or_coming_back() {
    QFETCH(int, reason);
    QFETCH(bool, selected);
    w_->set_cell_text(8, 2, "4");
    cell(8, 2)->deselect();
    cell(1, 1)->setFocus(Qt::OtherFocusReason);
    cell(8, 2)->setFocus(static_cast<Qt::FocusReason>(reason));
    QCOMPARE(QApplication::focusWidget(), cell(8, 2));
    QCOMPARE(cell(8, 2)->hasSelectedText(), selected);
}

void WindowTest::window_activation_puts_the_focus_on_edit11_with_its_text_selected() {
    // Activated once by init(): the focus went to Edit11.
    QCOMPARE(QApplication::focusWidget(), cell(1, 1));
    w_->set_cell_text(1, 1, "6");
    QTest::mouseClick(cell(4, 4), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), cell(4, 4));

    QWidget other;
    other.setWindowTitle(QStringLiteral("other"));
    other.show();
    other.activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), &other);
    w_->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), w_.get());
    QCOMPARE(QApplication::focusWidget(), cell(1, 1));
    QCOMPARE(cell(1, 1)->selectedText(), QStringLiteral("6"));
}

void WindowTest::closing_an_explanations_window_puts_the_focus_back_on_edit11() {
    w_->set_cell_text(1, 1, "2");
    QTest::mouseClick(cell(5, 5), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), cell(5, 5));
    action("m_explications")->trigger();
    const QList<Tf_explications*> windows = w_->findChildren<Tf_explications*>();
    QCOMPARE(windows.size(), 1);
    QTRY_COMPARE(QApplication::activeWindow(), windows.first());
    windows.first()->close();
    QTRY_COMPARE(QApplication::activeWindow(), w_.get());
    QCOMPARE(QApplication::focusWidget(), cell(1, 1));
    QCOMPARE(cell(1, 1)->selectedText(), QStringLiteral("2"));
}

void WindowTest::closing_a_message_box_leaves_the_focus_where_it_was() {
    w_->set_message_boxes(std::make_unique<vornel::QtMessageBoxes>(w_.get()));
    QTest::mouseClick(cell(5, 5), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), cell(5, 5));
    bool seen = false;
    watchdog_->expect([&seen](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box) return;
        seen = true;
        box->button(QMessageBox::Ok)->click();
    });
    QTest::keyClick(cell(5, 5), '.');
    watchdog_->expect_none();
    QVERIFY(seen);
    QTRY_COMPARE(QApplication::activeWindow(), w_.get());
    QCOMPARE(QApplication::focusWidget(), cell(5, 5));
    QCOMPARE(cell(5, 5)->text(), QStringLiteral("."));
    QVERIFY(!cell(1, 1)->hasFocus());
}

// ---------------------------------------------------------------------------------------------
// Colouring and occurrence table

void WindowTest::cell_colour_is_painted_and_read_back_exactly_data() {
    QTest::addColumn<uint>("colour");
    QTest::addColumn<QString>("description");
    QTest::newRow("white") << uint{vornel::kWhite} << "libre";
    QTest::newRow("red") << uint{vornel::kRed} << "exclue";
    QTest::newRow("orange") << uint{vornel::kOrange} << QStringLiteral("occupée par un autre chiffre");
    QTest::newRow("green") << uint{vornel::kGreen} << QStringLiteral("chiffre placé");
}

void WindowTest::cell_colour_is_painted_and_read_back_exactly() {
    QFETCH(uint, colour);
    QFETCH(QString, description);
    w_->set_cell_colour(6, 2, colour);
    QCOMPARE(w_->cell_colour(6, 2), Colour{colour});
    QCoreApplication::processEvents(); // paints the cell
    QCOMPARE(vornel::from_qcolor(cell(6, 2)->palette().color(QPalette::Base)), Colour{colour});
    QCOMPARE(cell(6, 2)->styleSheet(), QString());
    QCOMPARE(cell(6, 2)->accessibleDescription(), description);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(cell(6, 2));
    QVERIFY(iface);
    QCOMPARE(iface->text(QAccessible::Description), description);
    const QImage image = cell(6, 2)->grab().toImage();
    QCOMPARE(QColor(image.pixel(30, 30)), vornel::to_qcolor(colour));
    QCOMPARE(QColor(image.pixel(18, 18)), vornel::to_qcolor(colour));
}

void WindowTest::board_colouring_keeps_green_and_paints_marks_data() {
    QTest::addColumn<uint>("before");
    QTest::addColumn<int>("mark");
    QTest::addColumn<uint>("after");
    for (const Colour before : vornel::test::kCellColours) {
        const Colour mark1 = before == vornel::kGreen ? vornel::kGreen : vornel::kRed;
        const Colour mark2 = before == vornel::kGreen ? vornel::kGreen : vornel::kOrange;
        const QString name = QString::number(before, 16);
        QTest::newRow(qPrintable(name + QStringLiteral(" marked 0"))) << uint{before} << 0 << uint{before};
        QTest::newRow(qPrintable(name + QStringLiteral(" marked 1"))) << uint{before} << 1 << uint{mark1};
        QTest::newRow(qPrintable(name + QStringLiteral(" marked 2"))) << uint{before} << 2 << uint{mark2};
    }
}

void WindowTest::board_colouring_keeps_green_and_paints_marks() {
    QFETCH(uint, before);
    QFETCH(int, mark);
    QFETCH(uint, after);
    w_->set_cell_colour(7, 3, before);
    w_->area().pres[7][3] = static_cast<std::int16_t>(mark);
    w_->engine().affiche_pres();
    QCOMPARE(w_->cell_colour(7, 3), Colour{after});
    QCoreApplication::processEvents();
    QCOMPARE(vornel::from_qcolor(cell(7, 3)->palette().color(QPalette::Base)), Colour{after});
    QCOMPARE(cell(7, 3)->accessibleDescription(), Tf_vrn::colour_description(after));
}

void WindowTest::occurrence_table_shows_counts_from_the_left_edge_after_a_solve() {
    type_puzzle(kEasy);
    action("m_once")->trigger();
    vornel::OccurrenceTable* gr1 = w_->occurrence_table();
    QVERIFY(!gr1->isHidden());
    QVERIFY(!w_->findChild<QLabel*>(QStringLiteral("Label1"))->isHidden());
    for (int c = 1; c <= 9; ++c) QCOMPARE(gr1->cell(c, 0), QString::number(c));
    QCOMPARE(gr1->cell(0, 0), QString());
    QCOMPARE(gr1->cell(0, 1), QString());
    // The counts are those of the last count of the solve, as the engine keeps them in freq.
    for (int c = 1; c <= 9; ++c) QCOMPARE(gr1->cell(c, 1), QString::number(w_->area().freq[c]));
    // Column 0 takes no room: column 1 starts right after the 2-pixel border and its grid line.
    QCOMPARE(gr1->cell_rect(0, 0).width(), 0);
    QCOMPARE(gr1->cell_rect(1, 0).left(), 3);
    QCOMPARE(gr1->cell_rect(9, 1), QRect(3 + 8 * 41, 2 + 25, 40, 24));
    QCOMPARE(gr1->x() + gr1->cell_rect(1, 0).left(), 1);
}

void WindowTest::occurrence_table_is_disabled_yet_painted_in_active_colours() {
    vornel::OccurrenceTable* gr1 = w_->occurrence_table();
    w_->engine().affiche_freq();
    w_->show_occurrence_table();
    QVERIFY(!gr1->isEnabled());
    const QImage disabled = gr1->grab().toImage();
    gr1->setEnabled(true);
    const QImage enabled = gr1->grab().toImage();
    QCOMPARE(disabled, enabled);
    // Something is drawn in the text colour of the counts row: the "0" of digit 1.
    const QRect count = gr1->cell_rect(1, 1);
    bool dark = false;
    for (int y = count.top(); y < count.bottom() && !dark; ++y)
        for (int x = count.left(); x < count.right() && !dark; ++x) dark = qGray(disabled.pixel(x, y)) < 100;
    QVERIFY(dark);
}

void WindowTest::occurrence_table_answers_the_accessible_table_interface() {
    w_->engine().affiche_freq();
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w_->occurrence_table());
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::Table);
    QAccessibleTableInterface* table = iface->tableInterface();
    QVERIFY(table);
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(table->columnCount(), 10);
    QCOMPARE(iface->childCount(), 20);
    for (int c = 1; c <= 9; ++c) {
        QAccessibleInterface* header = table->cellAt(0, c);
        QAccessibleInterface* count = table->cellAt(1, c);
        QVERIFY(header && count);
        QCOMPARE(header->text(QAccessible::Name), QString::number(c));
        QCOMPARE(header->role(), QAccessible::ColumnHeader);
        QCOMPARE(count->text(QAccessible::Name), QStringLiteral("0"));
        QCOMPARE(count->tableCellInterface()->rowIndex(), 1);
        QCOMPARE(count->tableCellInterface()->columnIndex(), c);
        QCOMPARE(count->tableCellInterface()->columnHeaderCells(), QList<QAccessibleInterface*>{header});
        QCOMPARE(iface->indexOfChild(count), 10 + c);
        QCOMPARE(table->columnDescription(c), QString::number(c));
    }
    QVERIFY(!table->cellAt(2, 0));
    QVERIFY(!table->cellAt(0, 10));
    w_->set_occurrence_cell(4, 1, "7");
    QCOMPARE(table->cellAt(1, 4)->text(QAccessible::Name), QStringLiteral("7"));
}

void WindowTest::log_keeps_one_block_per_line() {
    vornel::LogView* memo = w_->log_view();
    QCOMPARE(memo->lines(), QStringList{QString()});
    QCOMPARE(memo->document()->blockCount(), 1);
    w_->append_log("a");
    QCOMPARE(memo->lines(), (QStringList{QString(), "a"}));
    QCoreApplication::processEvents();
    QCOMPARE(memo->toPlainText(), QStringLiteral("\na"));
    w_->append_log("z"); // still waiting when the log is cleared: it goes too
    w_->clear_log();
    QCOMPARE(memo->lines(), QStringList{});
    QCoreApplication::processEvents();
    QCOMPARE(memo->toPlainText(), QString());
    QCOMPARE(memo->lines(), QStringList{});
    w_->append_log("Nous écrivons un 5.");
    w_->append_log("");
    w_->append_log("b");
    QCOMPARE(memo->lines(), (QStringList{QStringLiteral("Nous écrivons un 5."), QString(), "b"}));
    QCoreApplication::processEvents(); // the waiting lines reach the document
    QCOMPARE(memo->document()->blockCount(), 3);
    QCOMPARE(memo->toPlainText(), QStringLiteral("Nous écrivons un 5.\n\nb"));
    // The newest line is scrolled into view.
    for (int i = 0; i < 100; ++i)
        w_->append_log("Il y a une seule case vide dans la colonne " + std::to_string(i % 9 + 1) + ",");
    QCoreApplication::processEvents();
    QCOMPARE(memo->document()->blockCount(), 103);
    QVERIFY(memo->verticalScrollBar()->maximum() > 0);
    QCOMPARE(memo->verticalScrollBar()->value(), memo->verticalScrollBar()->maximum());
}

// ---------------------------------------------------------------------------------------------
// Commands

void WindowTest::each_tempo_matches_the_headless_engine_at_every_request_data() {
    QTest::addColumn<QString>("tempo");
    QTest::addColumn<QString>("puzzle");
    for (const char* tempo : {"m_step", "m_number", "m_once"}) {
        QTest::newRow(qPrintable(QStringLiteral("%1 easy").arg(tempo))) << tempo << kEasy;
        QTest::newRow(qPrintable(QStringLiteral("%1 hard").arg(tempo))) << tempo << kHard;
        QTest::newRow(qPrintable(QStringLiteral("%1 stuck").arg(tempo))) << tempo << kStuck;
        QTest::newRow(qPrintable(QStringLiteral("%1 invalid").arg(tempo))) << tempo << kInvalid;
    }
}

void WindowTest::each_tempo_matches_the_headless_engine_at_every_request() {
    QFETCH(QString, tempo);
    QFETCH(QString, puzzle);
    const QByteArray givens = puzzle.toLatin1();

    vornel::WorkArea area;
    std::vector<std::string> headlessReports;
    vornel::HeadlessBoard board(area, [&](const std::string& m) { headlessReports.push_back(m); });
    vornel::Engine engine(area, board);
    vornel::test::type_givens(board, givens.constData());
    type_puzzle(givens.constData());
    QCOMPARE(differences(board, area), QString());

    action(tempo.toLatin1().constData())->trigger();
    if (tempo == QLatin1String("m_step"))
        engine.m_stepClick();
    else if (tempo == QLatin1String("m_number"))
        engine.m_numberClick();
    else
        engine.m_onceClick();
    QCOMPARE(differences(board, area), QString());

    int requests = 1;
    for (; requests < 2000; ++requests) {
        if (board.button_visible(vornel::StepButton::Button5)) {
            QTest::mouseClick(button("Button5"), Qt::LeftButton);
            engine.Button5Click();
        } else if (board.button_visible(vornel::StepButton::Button6)) {
            QTest::mouseClick(button("Button6"), Qt::LeftButton);
            engine.Button6Click();
        } else {
            break;
        }
        const QString diff = differences(board, area);
        QVERIFY2(diff.isEmpty(), qPrintable(QStringLiteral("request %1: %2").arg(requests).arg(diff)));
    }
    QVERIFY(requests < 2000);
    QVERIFY(headlessReports.empty());
    QVERIFY(reports().isEmpty());
    const QString last = w_->log_view()->lines().last();
    if (puzzle == QLatin1String(kInvalid)) {
        QCOMPARE(last, QStringLiteral("Le sudoku n'est pas valide."));
        QCOMPARE(requests, 1);
    } else if (puzzle == QLatin1String(kStuck)) {
        QCOMPARE(last,
                 QStringLiteral("Le sudoku a une solution unique, mais notre méthode ne permet pas de la trouver."));
    } else {
        QCOMPARE(last, QStringLiteral("Le sudoku est terminé."));
    }
    if (tempo == QLatin1String("m_once")) QCOMPARE(requests, 1);
}

void WindowTest::new_in_the_middle_of_a_step_solve_empties_and_unlocks_the_board() {
    type_puzzle(kEasy);
    action("m_step")->trigger();
    // Step until a placement shows green, the solve still under way.
    bool someGreen = false;
    for (int i = 0; i < 50 && !someGreen; ++i) {
        QTest::mouseClick(button("Button5"), Qt::LeftButton);
        for (int r = 1; r <= 9; ++r)
            for (int c = 1; c <= 9; ++c) someGreen = someGreen || w_->cell_colour(r, c) == vornel::kGreen;
    }
    QVERIFY(someGreen);
    QVERIFY(!button("Button5")->isHidden());
    QStringList counts;
    for (int c = 1; c <= 9; ++c) counts << w_->occurrence_table()->cell(c, 1);

    action("m_new")->trigger();
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) {
            QVERIFY(cell(r, c)->text().isEmpty());
            QCOMPARE(w_->cell_colour(r, c), vornel::kWhite);
            QVERIFY(!cell(r, c)->isReadOnly());
            QCOMPARE(w_->area().grid[r][c], 0);
        }
    QCOMPARE(w_->log_view()->lines(), QStringList{});
    QVERIFY(button("Button5")->isHidden());
    QVERIFY(button("Button6")->isHidden());
    QVERIFY(!w_->occurrence_table()->isHidden());
    QVERIFY(!w_->findChild<QLabel*>(QStringLiteral("Label1"))->isHidden());
    QStringList after;
    for (int c = 1; c <= 9; ++c) after << w_->occurrence_table()->cell(c, 1);
    QCOMPARE(after, counts);
    // The board is editable again.
    type_keys(cell(1, 1), {"8"});
    QCOMPARE(w_->area().grid[1][1], 8);
    QVERIFY(reports().isEmpty());
}

void WindowTest::about_box_shows_the_version_and_the_makers_notice() {
    action("m_about")->trigger();
    QCOMPARE(boxes_->size(), std::size_t{1});
    const BoxRequest& box = boxes_->front();
    QCOMPARE(box.kind, BoxKind::Information);
    QCOMPARE(box.caption, QStringLiteral("A propos"));
    const QStringList lines = box.text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0], QStringLiteral("VRN v 1.0"));
    QVERIFY(lines[1].contains(QStringLiteral("Vornel")));
    // The licence is told under the notice, in a paragraph of its own.
    QVERIFY(box.more.contains(QStringLiteral("GPL-3.0-or-later")));
}

// "title|text|icon is as expected|number of buttons|modal", for one comparison per box.
static QString describe_box(const QMessageBox& box, QMessageBox::Icon icon) {
    return QStringLiteral("%1|%2|%3|%4|%5")
        .arg(box.windowTitle(), box.text())
        .arg(box.icon() == icon)
        .arg(box.buttons().size())
        .arg(box.isModal());
}

void WindowTest::about_box_is_a_modal_information_box_with_one_ok() {
    w_->set_message_boxes(std::make_unique<vornel::QtMessageBoxes>(w_.get()));
    QString seen, informative;
    watchdog_->expect([&seen, &informative](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box) return;
        seen = describe_box(*box, QMessageBox::Information);
        informative = box->informativeText();
        box->button(QMessageBox::Ok)->click();
    });
    action("m_about")->trigger();
    watchdog_->expect_none();
    QCOMPARE(seen, QStringLiteral("A propos|VRN v 1.0\r\n© 2026 Les développeurs de Vornel|1|1|1"));
    QVERIFY(informative.contains(QStringLiteral("GPL-3.0-or-later")));
}

void WindowTest::failure_box_is_a_modal_stop_box_with_one_ok() {
    w_->set_message_boxes(std::make_unique<vornel::QtMessageBoxes>(w_.get()));
    QString seen;
    watchdog_->expect([&seen](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box) return;
        seen = describe_box(*box, QMessageBox::Critical);
        box->button(QMessageBox::Ok)->click();
    });
    w_->set_cell_text(8, 8, "x");
    watchdog_->expect_none();
    QCOMPARE(seen, QStringLiteral("ui_window_tests|") + conversion_report("x") + QStringLiteral("|1|1|1"));
}

void WindowTest::explanations_opens_one_more_window_each_time() {
    action("m_explications")->trigger();
    action("m_explications")->trigger();
    const QList<Tf_explications*> windows = w_->findChildren<Tf_explications*>();
    QCOMPARE(windows.size(), 2);
    for (Tf_explications* window : windows) {
        QVERIFY(window->isVisible());
        QVERIFY(window->isWindow());
        QVERIFY(!window->isModal());
    }
    windows[0]->close();
    QCOMPARE(w_->findChildren<Tf_explications*>().size(), 2);
    // The main window stays usable meanwhile.
    type_keys(cell(3, 3), {"9"});
    QCOMPARE(w_->area().grid[3][3], 9);
}

void WindowTest::save_then_open_round_trips_the_puzzle_through_the_dialogs() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const std::string name = dir.filePath(QStringLiteral("grille")).toStdString();
    type_puzzle(kEasy);
    script_->answers = {name};
    action("m_save")->trigger();
    QVERIFY(reports().isEmpty());
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("grille.sud"))));
    QCOMPARE(script_->save_requests.size(), std::size_t{1});
    QCOMPARE(script_->save_requests[0].title, std::string("Enregistrer sous"));
    QCOMPARE(script_->save_requests[0].filter, std::string("Sudoku (*.sud)|*.sud"));

    action("m_step")->trigger();
    QTest::mouseClick(button("Button5"), Qt::LeftButton);
    script_->answers = {name + ".sud"};
    action("m_open")->trigger();
    QVERIFY(reports().isEmpty());
    QCOMPARE(script_->open_requests.size(), std::size_t{1});
    QCOMPARE(script_->open_requests[0].title, std::string("Ouvrir"));
    for (int i = 0; i < 81; ++i) {
        const int r = i / 9 + 1;
        const int c = i % 9 + 1;
        const char ch = kEasy[i];
        QCOMPARE(cell(r, c)->text(), ch == '0' ? QString() : QString(QLatin1Char(ch)));
        QCOMPARE(w_->area().grid[r][c], ch - '0');
        QCOMPARE(w_->cell_colour(r, c), vornel::kWhite);
        QVERIFY(!cell(r, c)->isReadOnly());
    }
    QCOMPARE(w_->log_view()->lines(), QStringList{});
    QVERIFY(button("Button5")->isHidden());

    // Cancelling changes nothing.
    script_->answers = {""};
    action("m_open")->trigger();
    script_->answers = {""};
    action("m_save")->trigger();
    QVERIFY(reports().isEmpty());
    QCOMPARE(cell(1, 3)->text(), QStringLiteral("3"));
}

void WindowTest::open_of_a_negative_value_reports_it_and_finishes_the_refresh() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("neg.sud"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QByteArray content = "-3\r\n12\r\n";
    for (int i = 2; i < 80; ++i) content += "0\r\n";
    content += "9\r\n";
    file.write(content);
    file.close();
    script_->answers = {path.toStdString()};
    action("m_open")->trigger();
    QCOMPARE(reports(), QStringList{conversion_report("-")});
    QCOMPARE(cell(1, 1)->text(), QStringLiteral("-3"));
    QCOMPARE(w_->area().grid[1][1], -3);
    QCOMPARE(cell(1, 2)->text(), QStringLiteral("12"));
    QCOMPARE(w_->area().grid[1][2], 1);
    QCOMPARE(cell(9, 9)->text(), QStringLiteral("9"));
    QCOMPARE(w_->log_view()->lines(), QStringList{});
}

void WindowTest::open_of_a_missing_file_reports_it_and_leaves_the_board() {
    type_puzzle(kEasy);
    action("m_step")->trigger();
    const QStringList logBefore = w_->log_view()->lines();
    QTemporaryDir dir;
    script_->answers = {dir.filePath(QStringLiteral("absent.sud")).toStdString()};
    action("m_open")->trigger();
    QCOMPARE(reports(), QStringList{QStringLiteral("Fichier introuvable.")});
    QCOMPARE(w_->log_view()->lines(), logBefore);
    QVERIFY(!button("Button5")->isHidden());
    QCOMPARE(cell(1, 3)->text(), QStringLiteral("3"));
    QVERIFY(cell(1, 3)->isReadOnly());
}

void WindowTest::caption_names_the_open_file_and_then_its_level() {
    const QString examples = vornel::examples_folder();
    QVERIFY(!examples.isEmpty());
    QTemporaryDir dir;
    // Each row: the command, the dialog's answer, the caption afterwards.
    const struct {
        const char* action;
        std::string answer;
        const char* caption;
    } rows[] = {
        {"m_open", (examples + QStringLiteral("/difficile.sud")).toStdString(), "Vornel — difficile.sud"},
        {"m_ladder_once", "", "Vornel — difficile.sud, niveau difficile"},
        {"m_open", "", "Vornel — difficile.sud, niveau difficile"}, // cancelled
        {"m_open", dir.filePath(QStringLiteral("absent.sud")).toStdString(),
         "Vornel — difficile.sud, niveau difficile"}, // failed: the board is the same puzzle
        {"m_save", dir.filePath(QStringLiteral("copie")).toStdString(), "Vornel — copie.sud, niveau difficile"},
        {"m_new", "", "Vornel"},
        {"m_open", (examples + QStringLiteral("/tres-facile.sud")).toStdString(), "Vornel — tres-facile.sud"},
        {"m_ladder_step", "", "Vornel — tres-facile.sud, niveau très facile"},
    };
    for (const auto& row : rows) {
        script_->answers = {row.answer};
        action(row.action)->trigger();
        QCOMPARE(w_->windowTitle(), QString::fromUtf8(row.caption));
    }
    QCOMPARE(reports(), QStringList{QStringLiteral("Fichier introuvable.")});
}

void WindowTest::quit_ends_the_event_loop_with_explanations_windows_open() {
    action("m_explications")->trigger();
    action("m_explications")->trigger();
    QTimer::singleShot(0, action("m_quitter"), &QAction::trigger);
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); }); // fails the test rather than hang
    QCOMPARE(QApplication::exec(), 0);
}

void WindowTest::closing_the_main_window_ends_the_event_loop() {
    action("m_explications")->trigger();
    QTimer::singleShot(0, w_.get(), &QWidget::close);
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
    QCOMPARE(QApplication::exec(), 0);
}

int main(int argc, char** argv) {
    vornel::test::default_to_offscreen();
    QApplication app(argc, argv);
    WindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "window_test.moc"
