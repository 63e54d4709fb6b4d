// SPDX-License-Identifier: GPL-3.0-or-later
// The Open and Save dialogs, driven for real: a timer finds the modal QFileDialog, types into its
// name field and presses its button, as a user would.

#include <functional>
#include <memory>
#include <optional>

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QDeadlineTimer>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "engine.h"
#include "explications_test_support.h"
#include "file_dialogs.h"
#include "headless_board.h"
#include "modal_watchdog.h"
#include "resources.h"
#include "sud_file.h"

namespace {

// Types `text` key by key; characters outside ASCII (which QTest::keyClicks refuses) go as key
// events carrying their text, as an input method or a French keyboard would send them.
void type_text(QWidget* target, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(target, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// What the dialog looked like when it came up.
struct Seen {
    QString objectName;
    QString title;
    QStringList nameFilters;
    QString selectedNameFilter;
    QString nameField;
    QFileDialog::FileMode fileMode = QFileDialog::AnyFile;
    QFileDialog::AcceptMode acceptMode = QFileDialog::AcceptOpen;
    QFileDialog::Options options;
    QString defaultSuffix;
    bool modal = false;
    bool acceptEnabledEmpty = true; // the Open/Save button could be pressed before any typing
    QString typed;                  // the name field after typing
    bool stillOpen = false;         // the dialog was still open right after its button was pressed
};

// How the scripted user answers: type `name` if there is one, then press the accept button, or
// Cancel when there is no name or `cancel` is set.
struct Answer {
    std::optional<QString> name;
    bool cancel = false;
};

// Runs `ask` (which shows a dialog modally) while a timer plays the user. Returns what `ask`
// returned; `seen` receives the dialog's state, `watchdog_fired` whether a modal had to be forced
// shut (a stray confirmation box, or a dialog that did not accept the answer).
std::string drive(const std::function<std::string()>& ask, const Answer& answer, Seen& seen, bool& watchdog_fired) {
    vornel::test::ModalWatchdog watchdog(5000);
    QTimer poll;
    poll.setInterval(10);
    bool answered = false;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (answered || !dialog || !dialog->isVisible()) return;
        answered = true;
        seen.objectName = dialog->objectName();
        seen.title = dialog->windowTitle();
        seen.nameFilters = dialog->nameFilters();
        seen.selectedNameFilter = dialog->selectedNameFilter();
        auto* nameEdit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        seen.nameField = nameEdit ? nameEdit->text() : QStringLiteral("<no name field>");
        seen.fileMode = dialog->fileMode();
        seen.acceptMode = dialog->acceptMode();
        seen.options = dialog->options();
        seen.defaultSuffix = dialog->defaultSuffix();
        seen.modal = dialog->isModal();
        auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        if (!buttons || !nameEdit) return; // the watchdog closes it and the test fails
        const auto role =
            dialog->acceptMode() == QFileDialog::AcceptOpen ? QDialogButtonBox::Open : QDialogButtonBox::Save;
        QPushButton* accept = buttons->button(role);
        seen.acceptEnabledEmpty = accept && accept->isEnabled();
        if (answer.name) {
            // As for a user, the name field must have the focus while the name is typed: the
            // dialog then drops the items it selected in its list for the partial names typed on
            // the way (without the focus they would stay selected and win over the typed name).
            dialog->activateWindow();
            nameEdit->setFocus(Qt::OtherFocusReason);
            QDeadlineTimer deadline(2000);
            while (!nameEdit->hasFocus() && !deadline.hasExpired()) QTest::qWait(10);
            type_text(nameEdit, *answer.name);
            // The name completer's list, which may open over the dialog at any moment as the folder
            // is read, would swallow a mouse click on the button: close it, and press the button
            // with click() rather than with mouse events.
            if (QCompleter* completer = nameEdit->completer(); completer && completer->popup()->isVisible())
                completer->popup()->hide();
        }
        if (!answer.name || answer.cancel) {
            buttons->button(QDialogButtonBox::Cancel)->click();
            return;
        }
        seen.typed = nameEdit->text();
        if (accept && accept->isEnabled()) accept->click();
        seen.stillOpen = dialog->isVisible();
    });
    poll.start();
    const std::string result = ask();
    poll.stop();
    watchdog_fired = watchdog.fired();
    if (!answered) qWarning("no file dialog came up");
    return result;
}

// Why a dialog had to be forced shut.
QString stuck(const Seen& seen) {
    return QStringLiteral("the dialog stayed open; name field [%1], open after its button: %2")
        .arg(seen.typed)
        .arg(seen.stillOpen);
}

vornel::FileDialogRequest open_request() { return {"Ouvrir", "Sudoku (*.sud)|*.sud", 1, ""}; }

vornel::FileDialogRequest save_request() { return {"Enregistrer sous", "Sudoku (*.sud)|*.sud", 1, ""}; }

} // namespace

class FileDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void watchdog_ends_a_stray_modal_box();
    void open_starts_in_the_examples_until_a_folder_is_remembered();
    void filters_are_converted_to_qt_form_data();
    void filters_are_converted_to_qt_form();
    void open_dialog_shows_its_title_filter_and_an_empty_name();
    void save_dialog_shows_its_title_filter_and_an_empty_name();
    void cancel_gives_an_empty_name_data();
    void cancel_gives_an_empty_name();
    void open_accepts_a_name_that_does_not_exist();
    void open_gives_the_full_path_of_an_existing_file();
    void save_asks_before_replacing_an_existing_file_data();
    void save_asks_before_replacing_an_existing_file();
    void save_asks_nothing_for_a_new_file();
    void dialogs_start_in_the_last_folder_chosen();
    void save_adds_no_extension();
    void names_come_back_as_utf8();
    void filter_index_selects_the_filter_data();
    void filter_index_selects_the_filter();
    void parent_window_is_active_again_afterwards();
    void standard_dialog_texts_follow_a_french_locale();
    void screenshot_shows_the_save_dialog();
    void standard_texts_are_french_whatever_the_locale();
    void screenshot_shows_the_replace_question();

private:
    QTemporaryDir dir_;
};

void FileDialogsTest::watchdog_ends_a_stray_modal_box() {
    // A box nobody answers: the watchdog ends it, says so, and the test goes on.
    vornel::test::ModalWatchdog watchdog(200);
    QMessageBox box(QMessageBox::Critical, QStringLiteral("x"), QStringLiteral("stray"), QMessageBox::Ok);
    QElapsedTimer clock;
    clock.start();
    box.exec();
    QVERIFY(watchdog.fired());
    QVERIFY(clock.elapsed() < 5000);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

void FileDialogsTest::open_starts_in_the_examples_until_a_folder_is_remembered() {
    // State: no folder remembered yet (a first run).
    QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("vornel"), QStringLiteral("vornel"))
        .clear();
    QCOMPARE(vornel::remembered_folder(), QString());
    const QString examples = vornel::examples_folder();
    QVERIFY2(QFileInfo::exists(examples + QStringLiteral("/moyen.sud")), qPrintable(examples));
    QWidget parent;
    vornel::QtFileDialogs dialogs(&parent);
    QString startedIn;
    QList<QUrl> places;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) return;
        startedIn = dialog->directory().absolutePath();
        places = dialog->sidebarUrls();
        dialog->reject();
    });
    poll.start();
    vornel::test::ModalWatchdog watchdog(5000);
    // Action: Open, cancelled.
    dialogs.ask_open_file_name(open_request());
    QVERIFY(!watchdog.fired());
    // Expected: it started in the examples, which its side panel offers too; a cancel remembers nothing.
    QCOMPARE(startedIn, examples);
    QVERIFY(places.contains(QUrl::fromLocalFile(examples)));
    QCOMPARE(vornel::remembered_folder(), QString());
}

void FileDialogsTest::filters_are_converted_to_qt_form_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("the program's own") << "Sudoku (*.sud)|*.sud" << QStringList{"Sudoku (*.sud)"};
    QTest::newRow("description without patterns") << "Sudoku|*.sud" << QStringList{"Sudoku (*.sud)"};
    QTest::newRow("several patterns and pairs")
        << "Images|*.png;*.jpg|Tout (*.*)|*.*" << QStringList{"Images (*.png *.jpg)", "Tout (*.*)"};
    QTest::newRow("other brackets in the description")
        << "Grilles (anciennes)|*.sud" << QStringList{"Grilles (anciennes) (*.sud)"};
    QTest::newRow("no description") << "|*.sud" << QStringList{"*.sud"};
    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("unpaired description") << "Sudoku (*.sud)" << QStringList{};
}

void FileDialogsTest::filters_are_converted_to_qt_form() {
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    QCOMPARE(vornel::qt_name_filters(filter.toStdString()), expected);
}

void FileDialogsTest::open_dialog_shows_its_title_filter_and_an_empty_name() {
    QWidget parent;
    vornel::QtFileDialogs dialogs(&parent);
    Seen seen;
    bool fired = false;
    const std::string name = drive([&] { return dialogs.ask_open_file_name(open_request()); }, {}, seen, fired);
    QVERIFY2(!fired, qPrintable(stuck(seen)));
    QCOMPARE(seen.objectName, QStringLiteral("OpenDialog1"));
    QCOMPARE(seen.title, QStringLiteral("Ouvrir"));
    QCOMPARE(seen.nameFilters, QStringList{QStringLiteral("Sudoku (*.sud)")});
    QCOMPARE(seen.selectedNameFilter, QStringLiteral("Sudoku (*.sud)"));
    QCOMPARE(seen.nameField, QString());
    QCOMPARE(seen.acceptMode, QFileDialog::AcceptOpen);
    QCOMPARE(seen.fileMode, QFileDialog::AnyFile);
    QVERIFY(seen.options.testFlag(QFileDialog::DontUseNativeDialog));
    QVERIFY(seen.modal);
    QVERIFY(!seen.acceptEnabledEmpty); // nothing to open before a name is typed
    QCOMPARE(name, std::string());
}

void FileDialogsTest::save_dialog_shows_its_title_filter_and_an_empty_name() {
    QWidget parent;
    vornel::QtFileDialogs dialogs(&parent);
    Seen seen;
    bool fired = false;
    const std::string name = drive([&] { return dialogs.ask_save_file_name(save_request()); }, {}, seen, fired);
    QVERIFY2(!fired, qPrintable(stuck(seen)));
    QCOMPARE(seen.objectName, QStringLiteral("SaveDialog1"));
    QCOMPARE(seen.title, QStringLiteral("Enregistrer sous"));
    QCOMPARE(seen.nameFilters, QStringList{QStringLiteral("Sudoku (*.sud)")});
    QCOMPARE(seen.selectedNameFilter, QStringLiteral("Sudoku (*.sud)"));
    QCOMPARE(seen.nameField, QString());
    QCOMPARE(seen.acceptMode, QFileDialog::AcceptSave);
    QVERIFY(seen.options.testFlag(QFileDialog::DontUseNativeDialog));
    QVERIFY(seen.options.testFlag(QFileDialog::DontConfirmOverwrite)); // SaveDialog asks itself
    QCOMPARE(seen.defaultSuffix, QString());
    QVERIFY(seen.modal);
    QVERIFY(!seen.acceptEnabledEmpty);
    QCOMPARE(name, std::string());
}

void FileDialogsTest::cancel_gives_an_empty_name_data() {
    QTest::addColumn<bool>("save");
    QTest::newRow("open") << false;
    QTest::newRow("save") << true;
}

void FileDialogsTest::cancel_gives_an_empty_name() {
    QFETCH(bool, save);
    QVERIFY(dir_.isValid());
    QWidget parent;
    vornel::QtFileDialogs dialogs(&parent);
    Seen seen;
    bool fired = false;
    // A name typed and then cancelled is not handed back.
    const QString typed = dir_.filePath(QStringLiteral("annule.sud"));
    const std::string name = drive(
        [&] { return save ? dialogs.ask_save_file_name(save_request()) : dialogs.ask_open_file_name(open_request()); },
        {typed, true}, seen, fired);
    QVERIFY2(!fired, qPrintable(stuck(seen)));
    QVERIFY(!seen.title.isEmpty()); // the dialog did come up
    QCOMPARE(name, std::string());
    QVERIFY(QDir(dir_.path()).entryList(QDir::Files).isEmpty()); // nothing written
}

void FileDialogsTest::open_accepts_a_name_that_does_not_exist() {
    QWidget parent;
    vornel::QtFileDialogs dialogs(&parent);
    const QString missing = dir_.filePath(QStringLiteral("absente.sud"));
    QVERIFY(!QFile::exists(missing));
    Seen seen;
    bool fired = false;
    const std::string name = drive([&] { return dialogs.ask_open_file_name(open_request()); }, {missing}, seen, fired);
    QVERIFY2(!fired, qPrintable(stuck(seen)));
    QCOMPARE(QString::fromStdString(name), missing);
}

void FileDialogsTest::open_gives_the_full_path_of_an_existing_file() {
    const QString path = dir_.filePath(QStringLiteral("grille.sud"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("0\r\n");
    file.close();
    QWidget parent;
    vornel::QtFileDialogs dialogs(&parent);
    Seen seen;
    bool fired = false;
    const std::string name = drive([&] { return dialogs.ask_open_file_name(open_request()); }, {path}, seen, fired);
    QVERIFY2(!fired, qPrintable(stuck(seen)));
    QCOMPARE(QString::fromStdString(name), path);
}

namespace {

// What the question before replacing a file looked like, and what became of the dialog.
struct Question {
    int asked = 0;
    QString objectName;
    QString title;
    QString text;
    QStringList buttons; // the buttons' texts, without "&"
    QString defaultButton;
    bool dialogStayed = false; // the save dialog was still open after "Non"
};

// Plays a user who types `typed` into the save dialog and presses Enregistrer, answers the
// question with `yes`, and after a "Non" types `then` (or cancels when it is empty).
std::string drive_replace(const std::function<std::string()>& ask, const QString& typed, bool yes, const QString& then,
                          Question& question, bool& watchdog_fired) {
    vornel::test::ModalWatchdog watchdog(8000);
    int typedCount = 0;
    // Two timers: one plays the dialog, the other the question, which comes up inside the
    // dialog's button press (a timer does not fire again while its own handler runs).
    QTimer dialogPoll;
    QTimer questionPoll;
    dialogPoll.setInterval(10);
    questionPoll.setInterval(10);
    QObject::connect(&dialogPoll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) return;
        auto* nameEdit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        if (!nameEdit || !buttons) return;
        if (typedCount == 1 && question.asked == 1) question.dialogStayed = true;
        const QString name = typedCount == 0 ? typed : then;
        if (typedCount >= 2 || (typedCount == 1 && question.asked == 0)) return;
        ++typedCount;
        if (name.isEmpty()) {
            buttons->button(QDialogButtonBox::Cancel)->click();
            return;
        }
        // With the focus in the name field, as drive() does: the list's selection must not win.
        dialog->activateWindow();
        nameEdit->setFocus(Qt::OtherFocusReason);
        QDeadlineTimer deadline(2000);
        while (!nameEdit->hasFocus() && !deadline.hasExpired()) QTest::qWait(10);
        nameEdit->clear();
        type_text(nameEdit, name);
        if (QCompleter* completer = nameEdit->completer(); completer && completer->popup()->isVisible())
            completer->popup()->hide();
        buttons->button(QDialogButtonBox::Save)->click();
    });
    QObject::connect(&questionPoll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        ++question.asked;
        question.objectName = box->objectName();
        question.title = box->windowTitle();
        question.text = box->text();
        question.buttons.clear();
        for (QAbstractButton* b : box->buttons()) question.buttons << b->text().remove(QLatin1Char('&'));
        question.defaultButton =
            box->defaultButton() ? box->defaultButton()->text().remove(QLatin1Char('&')) : QString();
        box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
    });
    dialogPoll.start();
    questionPoll.start();
    const std::string result = ask();
    watchdog_fired = watchdog.fired();
    return result;
}

} // namespace

void FileDialogsTest::save_asks_before_replacing_an_existing_file_data() {
    QTest::addColumn<QString>("existing");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("then");
    QTest::newRow("oui") << "existante.sud"
                         << "existante.sud" << true << "";
    QTest::newRow("oui, the name without its extension") << "grille.sud"
                                                         << "grille" << true << "";
    QTest::newRow("non, then cancel") << "existante.sud"
                                      << "existante.sud" << false << "";
    QTest::newRow("non, then another name") << "existante.sud"
                                            << "existante.sud" << false << "nouvelle.sud";
}

void FileDialogsTest::save_asks_before_replacing_an_existing_file() {
    QFETCH(QString, existing);
    QFETCH(QString, typed);
    QFETCH(bool, yes);
    QFETCH(QString, then);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString old = dir.filePath(existing);
    {
        QFile file(old);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("1\r\n");
    }
    // The Save command itself, with the real dialog, on a puzzle of one digit.
    vornel::WorkArea area;
    area.grid[1][1] = 7;
    vornel::HeadlessBoard board(area);
    vornel::Engine engine(area, board);
    QWidget parent;
    vornel::QtFileDialogs dialogs(&parent);
    Question question;
    bool fired = false;
    drive_replace(
        [&] {
            vornel::save_command(engine, dialogs);
            return std::string();
        },
        dir.filePath(typed), yes, then.isEmpty() ? QString() : dir.filePath(then), question, fired);
    QVERIFY(!fired);
    QCOMPARE(question.asked, 1);
    QCOMPARE(question.objectName, QStringLiteral("ReplaceQuestion"));
    QCOMPARE(question.title, QStringLiteral("Enregistrer sous"));
    // Qt's own question, naming the file Save would write.
    QCOMPARE(question.text, QFileDialog::tr("%1 already exists.\nDo you want to replace it?").arg(existing));
    QCOMPARE(question.buttons.size(), 2);
    QCOMPARE(question.defaultButton,
             question.buttons.contains(QStringLiteral("Non")) ? QStringLiteral("Non") : QStringLiteral("No"));
    QFile file(old);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray written = QByteArray::fromStdString(vornel::puzzle_text(vornel::values_of(area)));
    QCOMPARE(file.readAll(), yes ? written : QByteArray("1\r\n"));
    if (!yes) QVERIFY(question.dialogStayed); // "Non" goes back to the dialog
    if (!then.isEmpty()) {
        QFile other(dir.filePath(then));
        QVERIFY(other.open(QIODevice::ReadOnly));
        QCOMPARE(other.readAll(), written);
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), then.isEmpty() ? 1 : 2);
}

void FileDialogsTest::save_asks_nothing_for_a_new_file() {
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("grille"))); // "grille" saves as grille.sud, which is free
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QWidget parent;
    vornel::QtFileDialogs dialogs(&parent);
    Question question;
    bool fired = false;
    const std::string name = drive_replace([&] { return dialogs.ask_save_file_name(save_request()); },
                                           dir.filePath(QStringLiteral("grille")), true, QString(), question, fired);
    QVERIFY(!fired);
    QCOMPARE(question.asked, 0);
    QCOMPARE(QString::fromStdString(name), dir.filePath(QStringLiteral("grille")));
}

void FileDialogsTest::dialogs_start_in_the_last_folder_chosen() {
    // State: a folder chosen in the save dialog.
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("grilles")));
    const QString folder = dir.filePath(QStringLiteral("grilles"));
    QWidget parent;
    vornel::QtFileDialogs dialogs(&parent);
    Seen seen;
    bool fired = false;
    drive([&] { return dialogs.ask_save_file_name(save_request()); }, {folder + QStringLiteral("/une.sud")}, seen,
          fired);
    QVERIFY(!fired);
    // Expected: the open dialog starts there, and a later run reads it back from the settings.
    QCOMPARE(vornel::remembered_folder(), folder);
    QSettings later(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("vornel"), QStringLiteral("vornel"));
    QVERIFY(later.fileName().startsWith(qEnvironmentVariable("XDG_CONFIG_HOME")));
    QString startedIn;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) return;
        startedIn = dialog->directory().absolutePath();
        dialog->reject();
    });
    poll.start();
    vornel::test::ModalWatchdog watchdog(5000);
    dialogs.ask_open_file_name(open_request());
    QVERIFY(!watchdog.fired());
    QCOMPARE(startedIn, folder);
    // A folder that went away is not where the dialog starts, and is not recorded.
    vornel::remember_folder(dir.filePath(QStringLiteral("absent")));
    QCOMPARE(vornel::remembered_folder(), folder);
}

void FileDialogsTest::save_adds_no_extension() {
    QWidget parent;
    vornel::QtFileDialogs dialogs(&parent);
    const QString path = dir_.filePath(QStringLiteral("sans-extension"));
    Seen seen;
    bool fired = false;
    const std::string name = drive([&] { return dialogs.ask_save_file_name(save_request()); }, {path}, seen, fired);
    QVERIFY2(!fired, qPrintable(stuck(seen)));
    QCOMPARE(QString::fromStdString(name), path);
    QVERIFY(!QFile::exists(path)); // a dialog only chooses; it writes nothing
}

void FileDialogsTest::names_come_back_as_utf8() {
    QWidget parent;
    vornel::QtFileDialogs dialogs(&parent);
    const QString path = dir_.filePath(QString::fromUtf8("r\xc3\xa9solu \xc3\xa0 moiti\xc3\xa9.sud"));
    Seen seen;
    bool fired = false;
    const std::string name = drive([&] { return dialogs.ask_save_file_name(save_request()); }, {path}, seen, fired);
    QVERIFY2(!fired, qPrintable(stuck(seen)));
    QCOMPARE(name, dir_.path().toStdString() + "/r\xc3\xa9solu \xc3\xa0 moiti\xc3\xa9.sud");
}

void FileDialogsTest::filter_index_selects_the_filter_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("selected");
    QTest::newRow("first") << 1 << "Sudoku (*.sud)";
    QTest::newRow("second") << 2 << "Texte (*.txt)";
    QTest::newRow("zero keeps the first") << 0 << "Sudoku (*.sud)";
    QTest::newRow("beyond the last keeps the first") << 3 << "Sudoku (*.sud)";
}

void FileDialogsTest::filter_index_selects_the_filter() {
    QFETCH(int, index);
    QFETCH(QString, selected);
    QWidget parent;
    vornel::QtFileDialogs dialogs(&parent);
    Seen seen;
    bool fired = false;
    const vornel::FileDialogRequest request{"Ouvrir", "Sudoku (*.sud)|*.sud|Texte|*.txt", index, ""};
    drive([&] { return dialogs.ask_open_file_name(request); }, {}, seen, fired);
    QVERIFY2(!fired, qPrintable(stuck(seen)));
    QCOMPARE(seen.nameFilters, (QStringList{"Sudoku (*.sud)", "Texte (*.txt)"}));
    QCOMPARE(seen.selectedNameFilter, selected);
}

void FileDialogsTest::parent_window_is_active_again_afterwards() {
    QWidget parent;
    parent.resize(200, 100);
    parent.show();
    parent.activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), &parent);
    vornel::QtFileDialogs dialogs(&parent);
    Seen seen;
    bool fired = false;
    drive([&] { return dialogs.ask_open_file_name(open_request()); }, {}, seen, fired);
    QVERIFY2(!fired, qPrintable(stuck(seen)));
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QTRY_COMPARE(QApplication::activeWindow(), &parent);
}

void FileDialogsTest::standard_dialog_texts_follow_a_french_locale() {
    // State: a French user's locale. This stays for the rest of the run (the screenshot after this
    // test shows the French dialog); the translations are installed once per process.
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFile::exists(folder + QStringLiteral("/qtbase_fr.qm"))) QSKIP("qt6-translations-l10n is not installed");
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    vornel::install_qt_translations();
    vornel::install_qt_translations(); // a second call adds nothing

    QWidget parent;
    vornel::QtFileDialogs dialogs(&parent);
    vornel::test::ModalWatchdog watchdog(5000);
    QString cancel;
    QString save;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!cancel.isEmpty() || !dialog || !dialog->isVisible()) return;
        auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        cancel = buttons->button(QDialogButtonBox::Cancel)->text();
        save = buttons->button(QDialogButtonBox::Save)->text();
        dialog->reject();
    });
    poll.start();
    dialogs.ask_save_file_name(save_request());
    QVERIFY(!watchdog.fired());
    QCOMPARE(cancel.remove(QLatin1Char('&')), QStringLiteral("Annuler"));
    QCOMPARE(save.remove(QLatin1Char('&')), QStringLiteral("Enregistrer"));
}

void FileDialogsTest::screenshot_shows_the_save_dialog() {
    const QString dir = screenshot_dir();
    QWidget parent;
    vornel::QtFileDialogs dialogs(&parent);
    vornel::test::ModalWatchdog watchdog(5000);
    bool grabbed = false;
    QTimer poll;
    poll.setInterval(50);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (grabbed || !dialog || !dialog->isVisible()) return;
        grabbed = true;
        QTest::qWait(100); // let the folder view fill in
        const QPixmap shot = dialog->grab();
        if (!dir.isEmpty()) shot.save(dir + QStringLiteral("/save-dialog.png"));
        dialog->reject();
    });
    poll.start();
    dialogs.ask_save_file_name(save_request());
    QVERIFY(grabbed);
    QVERIFY(!watchdog.fired());
}

void FileDialogsTest::standard_texts_are_french_whatever_the_locale() {
    // Run by itself under LANG=C (see tests/ui/CMakeLists.txt): the desktop's locale is not French.
    if (QLocale::system().language() == QLocale::French) QSKIP("run under LANG=C to mean something");
    vornel::install_qt_translations();
    QCOMPARE(QLocale().language(), QLocale::French);
    // The save dialog's buttons.
    QWidget parent;
    vornel::QtFileDialogs dialogs(&parent);
    QStringList seen;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!seen.isEmpty() || !dialog || !dialog->isVisible()) return;
        auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        seen << buttons->button(QDialogButtonBox::Save)->text() << buttons->button(QDialogButtonBox::Cancel)->text();
        if (auto* label = dialog->findChild<QLabel*>(QStringLiteral("fileNameLabel"))) seen << label->text();
        dialog->reject();
    });
    poll.start();
    vornel::test::ModalWatchdog watchdog(5000);
    dialogs.ask_save_file_name(save_request());
    QVERIFY(!watchdog.fired());
    for (QString& s : seen) s.remove(QLatin1Char('&'));
    QCOMPARE(seen, (QStringList{"Enregistrer", "Annuler", "Nom de fichier :"}));
    // The question before replacing, with its buttons.
    QCOMPARE(QFileDialog::tr("%1 already exists.\nDo you want to replace it?").arg(QStringLiteral("grille.sud")),
             QStringLiteral("Le fichier grille.sud existe déjà\nVoulez-vous l'écraser ?"));
    QStringList answers;
    QTimer::singleShot(50, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        for (QAbstractButton* b : box->buttons()) answers << b->text().remove(QLatin1Char('&'));
        box->button(QMessageBox::No)->click();
    });
    QVERIFY(!vornel::confirm_replace(&parent, QStringLiteral("/tmp/grille.sud")));
    answers.sort();
    QCOMPARE(answers, (QStringList{"Non", "Oui"}));
    // A cell's context menu.
    QLineEdit edit;
    edit.setText(QStringLiteral("5"));
    const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList entries;
    for (QAction* a : menu->actions())
        if (!a->isSeparator()) entries << a->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
    QVERIFY2(entries.contains(QStringLiteral("Coller")) && entries.contains(QStringLiteral("Tout sélectionner")),
             qPrintable(entries.join(QLatin1Char('|'))));
}

void FileDialogsTest::screenshot_shows_the_replace_question() {
    const QString dir = screenshot_dir();
    QWidget parent;
    parent.setWindowTitle(QStringLiteral("Enregistrer sous"));
    bool grabbed = false;
    QTimer poll;
    poll.setInterval(50);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (grabbed || !box || !box->isVisible()) return;
        grabbed = true;
        QTest::qWait(50);
        if (!dir.isEmpty()) box->grab().save(dir + QStringLiteral("/replace-question.png"));
        box->button(QMessageBox::No)->click();
    });
    poll.start();
    vornel::test::ModalWatchdog watchdog(5000);
    QVERIFY(!vornel::confirm_replace(&parent, QStringLiteral("/tmp/grille.sud")));
    QVERIFY(grabbed);
    QVERIFY(!watchdog.fired());
}

int run_file_dialogs_tests(int argc, char** argv) {
    FileDialogsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "file_dialogs_test.moc"
