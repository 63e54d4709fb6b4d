// The Open and Save dialogs, driven for real: a timer finds the modal QFileDialog, types into its
// name field and presses its button, as a user would.

#include <functional>
#include <optional>

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QDeadlineTimer>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "explications_test_support.h"
#include "file_dialogs.h"
#include "modal_watchdog.h"
#include "resources.h"

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
    void filters_are_converted_to_qt_form_data();
    void filters_are_converted_to_qt_form();
    void open_dialog_shows_its_title_filter_and_an_empty_name();
    void save_dialog_shows_its_title_filter_and_an_empty_name();
    void cancel_gives_an_empty_name_data();
    void cancel_gives_an_empty_name();
    void open_accepts_a_name_that_does_not_exist();
    void open_gives_the_full_path_of_an_existing_file();
    void save_replaces_an_existing_file_without_asking();
    void save_adds_no_extension();
    void names_come_back_as_utf8();
    void filter_index_selects_the_filter_data();
    void filter_index_selects_the_filter();
    void parent_window_is_active_again_afterwards();
    void standard_dialog_texts_follow_a_french_locale();
    void screenshot_shows_the_save_dialog();

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
    QVERIFY(seen.options.testFlag(QFileDialog::DontConfirmOverwrite));
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

void FileDialogsTest::save_replaces_an_existing_file_without_asking() {
    const QString path = dir_.filePath(QStringLiteral("existante.sud"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("1\r\n");
    file.close();
    QWidget parent;
    vornel::QtFileDialogs dialogs(&parent);
    Seen seen;
    bool fired = false;
    const std::string name = drive([&] { return dialogs.ask_save_file_name(save_request()); }, {path}, seen, fired);
    QVERIFY2(!fired, "a confirmation box came up");
    QCOMPARE(QString::fromStdString(name), path);
}

void FileDialogsTest::save_adds_no_extension() {
    QWidget parent;
    vornel::QtFileDialogs dialogs(&parent);
    const QString path = dir_.filePath(QStringLiteral("grille"));
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

int run_file_dialogs_tests(int argc, char** argv) {
    FileDialogsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "file_dialogs_test.moc"
