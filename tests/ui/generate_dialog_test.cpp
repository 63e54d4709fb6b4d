// SPDX-License-Identifier: GPL-3.0-or-later
// The "Nouvelle grille générée..." dialog, alone and from the main window's menu.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

#include "cell_edit.h"
#include "generate_dialog.h"
#include "ladder.h"
#include "log_view.h"
#include "modal_watchdog.h"
#include "narrator_fr.h"
#include "plain_solver.h"
#include "tf_vrn.h"

using vornel::GenerateDialog;
using vornel::Grid;
using vornel::Tf_vrn;

Q_DECLARE_METATYPE(vornel::Grid)

namespace {

std::string level_of(const Grid& puzzle) {
    vornel::Grid grid{};
    for (int c = 0; c < 81; ++c) grid[c] = puzzle[c];
    const auto rating = vornel::ladder::explain(grid).rating;
    return rating ? std::string(vornel::ladder::level_name_fr(rating->level)) : std::string();
}

template<typename T>
T* child(QObject* parent, const char* name) {
    return parent->findChild<T*>(QString::fromLatin1(name));
}

// A request that takes many attempts with this seed: a jellyfish, the rarest fish.
void ask_for_a_long_search(GenerateDialog& dialog) {
    child<QRadioButton>(&dialog, "technique_choice")->click();
    auto* techniques = child<QComboBox>(&dialog, "technique_box");
    techniques->setCurrentIndex(techniques->findData(QStringLiteral("jellyfish")));
    child<QCheckBox>(&dialog, "symmetric_box")->setChecked(true);
    dialog.set_seed(1);
}

} // namespace

class GenerateDialogTest : public QObject {
    Q_OBJECT

private slots:
    void choices_default_to_a_level_and_offer_the_techniques();
    void finished_generation_emits_a_minimal_puzzle_of_the_level_and_accepts();
    void cancel_during_generation_stops_the_worker_and_emits_nothing();
    void window_menu_puts_the_generated_puzzle_on_the_board_as_open_does();
    void window_board_is_untouched_when_the_generation_is_cancelled();
};

void GenerateDialogTest::choices_default_to_a_level_and_offer_the_techniques() {
    GenerateDialog dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Nouvelle grille générée"));
    auto* levels = child<QComboBox>(&dialog, "level_box");
    QCOMPARE(levels->count(), 6);
    QCOMPARE(levels->itemText(0), QStringLiteral("très facile"));
    QCOMPARE(levels->itemText(5), QStringLiteral("diabolique"));
    QCOMPARE(dialog.request().level, 1);
    QVERIFY(!dialog.request().needs);
    QVERIFY(!child<QComboBox>(&dialog, "technique_box")->isEnabled());
    QCOMPARE(child<QPushButton>(&dialog, "cancel_button")->text(), QStringLiteral("Annuler"));

    child<QRadioButton>(&dialog, "technique_choice")->click();
    child<QCheckBox>(&dialog, "symmetric_box")->setChecked(true);
    const vornel::generator::Request request = dialog.request();
    QCOMPARE(request.level, -1);
    QVERIFY(request.needs == vornel::ladder::Technique::XWing);
    QVERIFY(request.symmetric);
    QVERIFY(!levels->isEnabled());
    auto* techniques = child<QComboBox>(&dialog, "technique_box");
    QVERIFY(techniques->findData(QStringLiteral("hidden-pair")) >= 0);
    QCOMPARE(techniques->findData(QStringLiteral("trial")), -1);
}

void GenerateDialogTest::finished_generation_emits_a_minimal_puzzle_of_the_level_and_accepts() {
    GenerateDialog dialog;
    child<QComboBox>(&dialog, "level_box")->setCurrentIndex(2); // moyen
    child<QCheckBox>(&dialog, "symmetric_box")->setChecked(true);
    dialog.set_seed(8);
    QSignalSpy generated(&dialog, &GenerateDialog::generated);
    QSignalSpy accepted(&dialog, &QDialog::accepted);
    dialog.show();
    child<QPushButton>(&dialog, "generate_button")->click();
    QVERIFY(dialog.running() || generated.count() == 1);
    QTRY_COMPARE_WITH_TIMEOUT(accepted.count(), 1, 20000);
    QCOMPARE(generated.count(), 1);
    QVERIFY(!dialog.running());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const Grid puzzle = generated.at(0).at(0).value<Grid>();
    QVERIFY(vornel::test::plain_minimal(vornel::test::plain_of(puzzle), true));
    QCOMPARE(level_of(puzzle), std::string("moyen"));
}

void GenerateDialogTest::cancel_during_generation_stops_the_worker_and_emits_nothing() {
    GenerateDialog dialog;
    ask_for_a_long_search(dialog);
    QSignalSpy generated(&dialog, &GenerateDialog::generated);
    QSignalSpy rejected(&dialog, &QDialog::rejected);
    dialog.show();
    child<QPushButton>(&dialog, "generate_button")->click();
    QVERIFY(dialog.running());
    QVERIFY(child<QProgressBar>(&dialog, "progress_bar")->isVisible());
    QVERIFY(!child<QPushButton>(&dialog, "generate_button")->isEnabled());
    QVERIFY(!child<QComboBox>(&dialog, "technique_box")->isEnabled());
    // The event loop keeps running while the worker searches: the count of attempts goes up.
    QTRY_VERIFY(
        child<QLabel>(&dialog, "progress_label")->text().startsWith(QStringLiteral("Recherche d'une grille : ")));
    QTRY_VERIFY(!child<QLabel>(&dialog, "progress_label")->text().endsWith(QStringLiteral(" 0 essai")));
    child<QPushButton>(&dialog, "cancel_button")->click();
    QTRY_COMPARE_WITH_TIMEOUT(rejected.count(), 1, 10000);
    QVERIFY(!dialog.running());
    QCOMPARE(generated.count(), 0);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

void GenerateDialogTest::window_menu_puts_the_generated_puzzle_on_the_board_as_open_does() {
    vornel::test::ModalWatchdog watchdog;
    Tf_vrn w;
    w.show();
    GenerateDialog* dialog = nullptr;
    watchdog.expect([&](QWidget* modal) {
        if (!dialog) dialog = qobject_cast<GenerateDialog*>(modal);
    });
    // Something typed before: the new puzzle replaces it and the log is cleared.
    w.cell(1, 1)->setText(QStringLiteral("5"));
    child<QAction>(&w, "m_generate")->trigger();
    QTRY_VERIFY(dialog != nullptr);
    QCOMPARE(w.findChild<QAction*>(QStringLiteral("m_generate"))->text(), QStringLiteral("Nouvelle grille générée..."));
    dialog->set_seed(21);
    QSignalSpy generated(dialog, &GenerateDialog::generated);
    child<QPushButton>(dialog, "generate_button")->click();
    QTRY_COMPARE_WITH_TIMEOUT(generated.count(), 1, 20000);
    const Grid puzzle = generated.at(0).at(0).value<Grid>();
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
    for (int r = 1; r <= 9; ++r) {
        for (int c = 1; c <= 9; ++c) {
            const int value = puzzle[static_cast<std::size_t>((r - 1) * 9 + c - 1)];
            QCOMPARE(w.area().grid[r][c], value);
            QCOMPARE(w.cell(r, c)->text(), value == 0 ? QString() : QString::number(value));
            QVERIFY(!w.cell(r, c)->isReadOnly());
        }
    }
    QCOMPARE(level_of(puzzle), std::string("facile"));
}

void GenerateDialogTest::window_board_is_untouched_when_the_generation_is_cancelled() {
    vornel::test::ModalWatchdog watchdog;
    Tf_vrn w;
    w.show();
    GenerateDialog* dialog = nullptr;
    watchdog.expect([&](QWidget* modal) {
        if (!dialog) dialog = qobject_cast<GenerateDialog*>(modal);
    });
    w.cell(2, 3)->setText(QStringLiteral("7"));
    child<QAction>(&w, "m_generate")->trigger();
    QTRY_VERIFY(dialog != nullptr);
    ask_for_a_long_search(*dialog);
    child<QPushButton>(dialog, "generate_button")->click();
    QTRY_VERIFY(!child<QLabel>(dialog, "progress_label")->text().endsWith(QStringLiteral(" 0 essai")));
    child<QPushButton>(dialog, "cancel_button")->click();
    QTRY_VERIFY_WITH_TIMEOUT(QApplication::activeModalWidget() == nullptr, 10000);
    QCOMPARE(w.area().grid[2][3], 7);
    QCOMPARE(w.cell(2, 3)->text(), QStringLiteral("7"));
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c)
            if (r != 2 || c != 3) QCOMPARE(w.area().grid[r][c], 0);
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    GenerateDialogTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "generate_dialog_test.moc"
