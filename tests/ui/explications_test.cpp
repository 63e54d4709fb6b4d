// SPDX-License-Identifier: GPL-3.0-or-later
// The explanations window: its look, its fixed texts and its lifecycle.

#include <memory>

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QWindow>

#include "explications.h"
#include "explications_test_support.h"
#include "resources.h"

namespace {

// A stand-in main window: a top-level widget with one edit, as the owner of explanation windows.
std::unique_ptr<QWidget> make_owner() {
    auto owner = std::make_unique<QWidget>();
    owner->setObjectName(QStringLiteral("owner"));
    owner->resize(300, 200);
    auto* edit = new QLineEdit(owner.get());
    edit->setObjectName(QStringLiteral("Edit11"));
    return owner;
}

void show_and_activate(QWidget& w) {
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTRY_COMPARE(QApplication::activeWindow(), &w);
}

QStringList block_texts(const QPlainTextEdit& memo) {
    QStringList texts;
    for (QTextBlock b = memo.document()->firstBlock(); b.isValid(); b = b.next()) texts << b.text();
    return texts;
}

} // namespace

class ExplicationsTest : public QObject {
    Q_OBJECT

private slots:
    void window_has_its_caption_name_and_icon();
    void window_is_an_owned_non_modal_sizeable_top_level();
    void outer_size_is_573_by_460_centred_on_the_screen();
    void background_is_sky_blue_around_the_controls();
    void controls_have_their_names_kinds_and_places_data();
    void controls_have_their_names_kinds_and_places();
    void tab_moves_through_memo1_button1_memo2_memo3_and_back();
    void panels_hold_their_texts_one_block_per_line_data();
    void panels_hold_their_texts_one_block_per_line();
    void panels_are_read_only_wrapped_tahoma_13_without_scroll_bars();
    void ok_is_the_default_button_in_tahoma_11();
    void ok_hides_the_window_without_destroying_it();
    void close_box_hides_the_window_without_destroying_it();
    void return_in_a_panel_presses_ok();
    void hiding_re_activates_the_owner();
    void two_windows_can_be_open_at_once_with_the_same_texts();
    void destroying_the_owner_destroys_every_window();
    void tahoma_is_available_when_the_wine_font_is_installed();
    void screenshot_shows_the_window();
};

void ExplicationsTest::window_has_its_caption_name_and_icon() {
    auto owner = make_owner();
    Tf_explications w(owner.get());
    QCOMPARE(w.windowTitle(), QStringLiteral("Explications"));
    QCOMPARE(w.objectName(), QStringLiteral("f_explications"));
    QVERIFY(QFile::exists(QStringLiteral(":/vornel/vornel.png")));
    const QImage expected =
        QImage(QStringLiteral(":/vornel/vornel.png")).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QCOMPARE(expected.size(), QSize(64, 64));
    const QImage shown = w.windowIcon().pixmap(64, 64).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QCOMPARE(shown, expected);
    QCOMPARE(vornel::app_icon().pixmap(64, 64).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
             expected);
}

void ExplicationsTest::window_is_an_owned_non_modal_sizeable_top_level() {
    auto owner = make_owner();
    auto* w = new Tf_explications(owner.get());
    QVERIFY(w->isWindow());
    QCOMPARE(w->parentWidget(), owner.get());
    QCOMPARE(w->windowModality(), Qt::NonModal);
    // Closing it hides it and never counts towards ending the program.
    QVERIFY(!w->testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(!w->testAttribute(Qt::WA_QuitOnClose));
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    const Qt::WindowFlags flags = w->windowFlags();
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Window);
    QVERIFY(flags & Qt::WindowTitleHint);
    QVERIFY(flags & Qt::WindowSystemMenuHint);
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(flags & Qt::WindowMaximizeButtonHint);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(w->minimumSize() != w->maximumSize()); // sizeable
    w->resize(700, 500);
    QTRY_COMPARE(w->size(), QSize(700, 500));
}

void ExplicationsTest::outer_size_is_573_by_460_centred_on_the_screen() {
    auto owner = make_owner();
    auto* w = show_explications(owner.get());
    QVERIFY(QTest::qWaitForWindowExposed(w));
    // A window manager frames the window some time after it is shown (the window then fits itself
    // to the frame): on a real display give it that time.
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) QTest::qWait(1500);
    QTRY_COMPARE(w->frameGeometry().size(), QSize(573, 460));
    // The client area fills what the frame leaves (all of it when there is no frame).
    const QMargins frame = w->windowHandle()->frameMargins();
    QCOMPARE(w->size(), QSize(573 - frame.left() - frame.right(), 460 - frame.top() - frame.bottom()));
    const QRect screen = w->screen()->geometry();
    QTRY_COMPARE(w->frameGeometry().topLeft(),
                 QPoint(screen.x() + (screen.width() - 573) / 2, screen.y() + (screen.height() - 460) / 2));
}

void ExplicationsTest::background_is_sky_blue_around_the_controls() {
    QCOMPARE(Tf_explications::background(), QColor(166, 202, 240));
    auto owner = make_owner();
    auto* w = show_explications(owner.get());
    QVERIFY(QTest::qWaitForWindowExposed(w));
    const QImage image = w->grab().toImage();
    // Corners, the strips between the panels and both sides of the button.
    for (const QPoint p : {QPoint(2, 2), QPoint(565, 4), QPoint(300, 136), QPoint(300, 304), QPoint(100, 390),
                           QPoint(200, 412), QPoint(330, 412), QPoint(4, 420), QPoint(560, 420)}) {
        QVERIFY2(
            image.pixelColor(p) == QColor(166, 202, 240),
            qPrintable(QStringLiteral("pixel (%1,%2) is %3").arg(p.x()).arg(p.y()).arg(image.pixelColor(p).name())));
    }
    // The panels keep the default text-box colour.
    QCOMPARE(image.pixelColor(540, 70),
             w->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))->palette().color(QPalette::Base));
}

void ExplicationsTest::controls_have_their_names_kinds_and_places_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QRect>("geometry");
    QTest::newRow("Memo1") << "Memo1"
                           << "QPlainTextEdit" << QRect(8, 8, 545, 121);
    QTest::newRow("Button1") << "Button1"
                             << "QPushButton" << QRect(216, 400, 97, 25);
    QTest::newRow("Memo2") << "Memo2"
                           << "QPlainTextEdit" << QRect(8, 144, 545, 153);
    QTest::newRow("Memo3") << "Memo3"
                           << "QPlainTextEdit" << QRect(8, 312, 545, 73);
}

void ExplicationsTest::controls_have_their_names_kinds_and_places() {
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QRect, geometry);
    auto owner = make_owner();
    auto* w = show_explications(owner.get());
    QVERIFY(QTest::qWaitForWindowExposed(w));
    const QList<QWidget*> found = w->findChildren<QWidget*>(name);
    QCOMPARE(found.size(), 1);
    QCOMPARE(found[0]->parentWidget(), static_cast<QWidget*>(w));
    QCOMPARE(QString::fromLatin1(found[0]->metaObject()->className()), className);
    QCOMPARE(found[0]->geometry(), geometry);
    QVERIFY(found[0]->isVisible());
}

void ExplicationsTest::tab_moves_through_memo1_button1_memo2_memo3_and_back() {
    auto owner = make_owner();
    auto* w = show_explications(owner.get());
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(w));
    const QStringList order{"Memo1", "Button1", "Memo2", "Memo3", "Memo1"};
    QTRY_VERIFY(QApplication::focusWidget() != nullptr);
    QCOMPARE(QApplication::focusWidget()->objectName(), order[0]);
    for (qsizetype i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), order[i]);
    }
    for (qsizetype i = order.size() - 2; i >= 0; --i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), order[i]);
    }
    QVERIFY(w->isVisible()); // Tab typed nothing and pressed nothing
}

void ExplicationsTest::panels_hold_their_texts_one_block_per_line_data() {
    // Written out here on their own, not taken from the window's code. The trailing blanks, the
    // misspellings and the missing cedilla are part of the texts.
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("Memo1")
        << "Memo1"
        << QStringList{
               QString::fromUtf8("D\xc3\xa9"
                                 "finitions"),
               QString(12, QLatin1Char('-')),
               QString::fromUtf8("REGION : Une r\xc3\xa9gion est une zone de 9 cases adjacentes de la "
                                 "grille de Sudoku. Les "),
               QString::fromUtf8("r\xc3\xa9gions sont s\xc3\xa9par\xc3\xa9"
                                 "es entre elles par des double "
                                 "traits. Il y a 9 r\xc3\xa9gions de 9 cases dans une "),
               QStringLiteral("grille de Sudoku."),
               QStringLiteral("LIGNE : Un ensemble de 9 cases horizontales. Il y a 9 lignes dans une "
                              "grille de Sudoku."),
               QStringLiteral("COLONNE : Un ensemble de 9 cases verticales. Il y a 9 colonnes dans "
                              "une grille de Sudoku."),
               QString(),
           };
    QTest::newRow("Memo2") << "Memo2"
                           << QStringList{
                                  QStringLiteral("Code couleur"),
                                  QString(15, QLatin1Char('-')),
                                  QString::fromUtf8("Dans notre m\xc3\xa9thode de r\xc3\xa9solution, nous traitons les "
                                                    "chiffres les uns apr\xc3\xa8s les autres en "),
                                  QStringLiteral(
                                      "fonction de leur position dans le tableau des occurences. Pour chaque "
                                      "chiffre, nous colorons "),
                                  QString::fromUtf8("les cases de cette fa\xc3\xa7on :"),
                                  QString::fromUtf8("- En rouge : Toutes les positions o\xc3\xb9 l'on ne peut pas "
                                                    "\xc3\xa9"
                                                    "crire le chifrre."),
                                  QString::fromUtf8("- En orange : La case est d\xc3\xa9j\xc3\xa0 occup\xc3\xa9"
                                                    "e par un "
                                                    "autre chiffre."),
                                  QStringLiteral("- En blanc : Case vide."),
                                  QString::fromUtf8("- En vert : Nous pla\xc3\xa7ons le chiffre."),
                                  QString(),
                              };
    QTest::newRow("Memo3") << "Memo3"
                           << QStringList{
                                  QStringLiteral("Quand placer un chiffre ?"),
                                  QString(29, QLatin1Char('-')),
                                  QString::fromUtf8(
                                      "Nous placons un chiffre quand il y a une seule case vide (en blanc) "
                                      "dans une r\xc3\xa9gion, "),
                                  QStringLiteral("une ligne ou une colonne."),
                              };
}

void ExplicationsTest::panels_hold_their_texts_one_block_per_line() {
    QFETCH(QString, name);
    QFETCH(QStringList, lines);
    auto owner = make_owner();
    Tf_explications w(owner.get());
    auto* memo = w.findChild<QPlainTextEdit*>(name);
    QVERIFY(memo);
    const QStringList shown = block_texts(*memo);
    QCOMPARE(shown.size(), lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QVERIFY2(shown[i] == lines[i],
                 qPrintable(QStringLiteral("line %1: [%2] instead of [%3]").arg(i + 1).arg(shown[i], lines[i])));
    }
    QCOMPARE(memo->toPlainText(), lines.join(QLatin1Char('\n')));
}

void ExplicationsTest::panels_are_read_only_wrapped_tahoma_13_without_scroll_bars() {
    auto owner = make_owner();
    auto* w = show_explications(owner.get());
    QVERIFY(QTest::qWaitForWindowExposed(w));
    for (const char* name : {"Memo1", "Memo2", "Memo3"}) {
        auto* memo = w->findChild<QPlainTextEdit*>(QLatin1String(name));
        QVERIFY(memo);
        QVERIFY(memo->isReadOnly());
        QCOMPARE(memo->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QVERIFY(!memo->verticalScrollBar()->isVisible());
        QVERIFY(!memo->horizontalScrollBar()->isVisible());
        QCOMPARE(memo->font().family(), QStringLiteral("Tahoma"));
        QCOMPARE(memo->font().pixelSize(), 13);
        // Typing changes nothing.
        const QString before = memo->toPlainText();
        memo->setFocus();
        QTest::keyClicks(memo, QStringLiteral("xyz"));
        QTest::keyClick(memo, Qt::Key_Backspace);
        QTest::keyClick(memo, Qt::Key_Delete);
        QCOMPARE(memo->toPlainText(), before);
    }
    // Every line fits its panel at the given sizes, as laid out; a narrower panel wraps the long
    // lines instead of scrolling sideways.
    auto* memo1 = w->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"));
    QCOMPARE(memo1->document()->findBlockByNumber(3).layout()->lineCount(), 1);
    memo1->resize(200, 121);
    QTRY_VERIFY(memo1->document()->findBlockByNumber(3).layout()->lineCount() > 1);
    QVERIFY(!memo1->horizontalScrollBar()->isVisible());
}

void ExplicationsTest::ok_is_the_default_button_in_tahoma_11() {
    auto owner = make_owner();
    Tf_explications w(owner.get());
    auto* ok = w.findChild<QPushButton*>(QStringLiteral("Button1"));
    QVERIFY(ok);
    QCOMPARE(ok->text(), QStringLiteral("Ok"));
    QVERIFY(ok->isDefault());
    QCOMPARE(ok->font().family(), QStringLiteral("Tahoma"));
    QCOMPARE(ok->font().pixelSize(), 11);
}

void ExplicationsTest::ok_hides_the_window_without_destroying_it() {
    auto owner = make_owner();
    QPointer<Tf_explications> w = show_explications(owner.get());
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
    QVERIFY(!w->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!w.isNull());
    QCOMPARE(w->parentWidget(), owner.get());
}

void ExplicationsTest::close_box_hides_the_window_without_destroying_it() {
    auto owner = make_owner();
    QPointer<Tf_explications> w = show_explications(owner.get());
    QVERIFY(QTest::qWaitForWindowExposed(w));
    // What the close box does: the platform window asks the widget to close.
    QVERIFY(w->windowHandle()->close());
    QVERIFY(!w->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!w.isNull());
}

void ExplicationsTest::return_in_a_panel_presses_ok() {
    auto owner = make_owner();
    QPointer<Tf_explications> w = show_explications(owner.get());
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(w));
    auto* memo2 = w->findChild<QPlainTextEdit*>(QStringLiteral("Memo2"));
    memo2->setFocus(Qt::TabFocusReason);
    QTest::keyClick(memo2, Qt::Key_Return);
    QVERIFY(!w->isVisible());
    QVERIFY(!w.isNull());
    QCOMPARE(memo2->toPlainText(), Tf_explications::memo2_lines().join(QLatin1Char('\n')));
}

void ExplicationsTest::hiding_re_activates_the_owner() {
    auto owner = make_owner();
    show_and_activate(*owner);
    auto* w = show_explications(owner.get());
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(w));
    QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
    QTRY_COMPARE(QApplication::activeWindow(), owner.get());
}

void ExplicationsTest::two_windows_can_be_open_at_once_with_the_same_texts() {
    auto owner = make_owner();
    show_and_activate(*owner);
    auto* first = show_explications(owner.get());
    auto* second = show_explications(owner.get());
    QVERIFY(first != second);
    QVERIFY(first->isVisible());
    QVERIFY(second->isVisible());
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(second));
    QCOMPARE(owner->findChildren<Tf_explications*>().size(), 2);
    for (const char* name : {"Memo1", "Memo2", "Memo3"}) {
        QCOMPARE(first->findChild<QPlainTextEdit*>(QLatin1String(name))->toPlainText(),
                 second->findChild<QPlainTextEdit*>(QLatin1String(name))->toPlainText());
    }
    // The owner keeps working meanwhile.
    auto* edit = owner->findChild<QLineEdit*>(QStringLiteral("Edit11"));
    owner->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), owner.get());
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("7"));
    QCOMPARE(edit->text(), QStringLiteral("7"));
    QVERIFY(first->isVisible());
    QVERIFY(second->isVisible());
}

void ExplicationsTest::destroying_the_owner_destroys_every_window() {
    auto owner = make_owner();
    show_and_activate(*owner);
    QPointer<Tf_explications> open = show_explications(owner.get());
    QPointer<Tf_explications> hidden = show_explications(owner.get());
    hidden->close();
    QVERIFY(!open.isNull());
    QVERIFY(!hidden.isNull());
    owner.reset();
    QVERIFY(open.isNull());
    QVERIFY(hidden.isNull());
}

void ExplicationsTest::tahoma_is_available_when_the_wine_font_is_installed() {
    vornel::ensure_tahoma();
    vornel::ensure_tahoma(); // a second call adds nothing
    if (!QFile::exists(vornel::wine_tahoma_file()))
        QSKIP("fonts-wine is not installed: Tahoma falls back to another family");
    QVERIFY(QFontDatabase::families().contains(QStringLiteral("Tahoma")));
    QCOMPARE(QFontInfo(vornel::tahoma(13)).family(), QStringLiteral("Tahoma"));
    auto owner = make_owner();
    Tf_explications w(owner.get());
    QCOMPARE(QFontInfo(w.findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))->font()).family(),
             QStringLiteral("Tahoma"));
    QCOMPARE(QFontInfo(w.findChild<QPushButton*>(QStringLiteral("Button1"))->font()).pixelSize(), 11);
}

void ExplicationsTest::screenshot_shows_the_window() {
    auto owner = make_owner();
    auto* w = show_explications(owner.get());
    QVERIFY(QTest::qWaitForWindowExposed(w));
    const QPixmap shot = w->grab();
    QCOMPARE(shot.size(), w->size());
    const QString dir = screenshot_dir();
    if (dir.isEmpty()) return;
    const QString platform = QGuiApplication::platformName();
    QVERIFY(shot.save(dir + QStringLiteral("/explications-%1.png").arg(platform)));
    // On a real X server, also the whole screen as the user sees it (frame, title, centring).
    if (platform == QLatin1String("xcb") && QFile::exists(QStringLiteral("/usr/bin/import"))) {
        QTest::qWait(500);
        QCOMPARE(
            QProcess::execute(QStringLiteral("/usr/bin/import"), {QStringLiteral("-window"), QStringLiteral("root"),
                                                                  dir + QStringLiteral("/explications-screen.png")}),
            0);
        const QRect frame = w->frameGeometry();
        const QMargins margins = w->windowHandle()->frameMargins();
        qInfo("frame %dx%d at (%d,%d), client %dx%d, margins %d %d %d %d", frame.width(), frame.height(), frame.x(),
              frame.y(), w->width(), w->height(), margins.left(), margins.top(), margins.right(), margins.bottom());
    }
}

int run_explications_tests(int argc, char** argv) {
    ExplicationsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "explications_test.moc"
