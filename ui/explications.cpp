// SPDX-License-Identifier: GPL-3.0-or-later
#include "explications.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include "ladder/narration.h"
#include "ladder/narrator_fr_chains.h"
#include "language_choice.h"
#include "qt_colour.h"
#include "resources.h"

namespace {

constexpr vornel::Colour kSkyBlue = 0xF0CAA6;

// A read-only panel at a fixed place: Tahoma 13 px, wrapped at its width, no scroll bars (text
// that does not fit stays reachable with the keyboard), Tab leaves it instead of being typed.
QPlainTextEdit* make_memo(QWidget* parent, const char* name, QRect geometry, const QStringList& lines) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(QLatin1String(name));
    memo->setGeometry(geometry);
    memo->setFont(vornel::tahoma(13));
    memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setTabChangesFocus(true);
    // Joining with '\n' gives exactly one block per line, the last (empty) line included.
    memo->setPlainText(lines.join(QLatin1Char('\n')));
    memo->setReadOnly(true);
    memo->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    memo->moveCursor(QTextCursor::Start);
    return memo;
}

} // namespace

QColor Tf_explications::background() { return vornel::to_qcolor(kSkyBlue); }

QStringList Tf_explications::memo1_lines() {
    return {
        tr("Définitions"),
        tr("------------"),
        tr("REGION : Une région est une zone de 9 cases adjacentes de la grille de Sudoku. Les "),
        tr("régions sont séparées entre elles par des double traits. Il y a 9 régions de 9 cases dans une "),
        tr("grille de Sudoku."),
        tr("LIGNE : Un ensemble de 9 cases horizontales. Il y a 9 lignes dans une grille de Sudoku."),
        tr("COLONNE : Un ensemble de 9 cases verticales. Il y a 9 colonnes dans une grille de Sudoku."),
        QString(),
    };
}

QStringList Tf_explications::memo2_lines() {
    return {
        tr("Code couleur"),
        tr("---------------"),
        tr("Dans notre méthode de résolution, nous traitons les chiffres les uns après les autres en "),
        tr("fonction de leur position dans le tableau des occurences. Pour chaque chiffre, nous colorons "),
        tr("les cases de cette façon :"),
        tr("- En rouge : Toutes les positions où l'on ne peut pas écrire le chifrre."),
        tr("- En orange : La case est déjà occupée par un autre chiffre."),
        tr("- En blanc : Case vide."),
        tr("- En vert : Nous plaçons le chiffre."),
        QString(),
    };
}

QStringList Tf_explications::memo3_lines() {
    return {
        tr("Quand placer un chiffre ?"),
        tr("-----------------------------"),
        tr("Nous placons un chiffre quand il y a une seule case vide (en blanc) dans une région, "),
        tr("une ligne ou une colonne."),
    };
}

Tf_explications::Tf_explications(QWidget* owner) : QWidget(owner, Qt::Window) {
    vornel::ensure_tahoma();
    setObjectName(QStringLiteral("f_explications"));
    setWindowTitle(tr("Explications"));
    setWindowIcon(vornel::app_icon());
    // Closing only hides it, and hiding it must never end the program.
    setAttribute(Qt::WA_DeleteOnClose, false);
    setAttribute(Qt::WA_QuitOnClose, false);

    // The window's own font is the button's; the panels set theirs.
    setFont(vornel::tahoma(11));

    // Controls are made in tab order.
    Memo1 = make_memo(this, "Memo1", QRect(8, 8, 545, 121), memo1_lines());

    Button1 = new QPushButton(tr("Ok"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(216, 400, 97, 25);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &Tf_explications::Button1Click);

    Memo2 = make_memo(this, "Memo2", QRect(8, 144, 545, 153), memo2_lines());
    Memo3 = make_memo(this, "Memo3", QRect(8, 312, 545, 73), memo3_lines());

    // Beside the fixed texts: the key to the compact cell names the ladder's chains use.
    auto* key = new QLabel(QString::fromStdString(vornel::ladder::cell_key(vornel::installed_language())), this);
    key->setObjectName(QStringLiteral("CellKey"));
    key->setGeometry(8, 432, 545, 20);
    key->setFont(vornel::tahoma(11));

    setTabOrder(Memo1, Button1);
    setTabOrder(Button1, Memo2);
    setTabOrder(Memo2, Memo3);
    Memo1->setFocus(Qt::OtherFocusReason);

    // Without a window manager's frame the client area is the whole outer size.
    resize(kOuterWidth, kOuterHeight);
}

void Tf_explications::Button1Click() { close(); }

void Tf_explications::paintEvent(QPaintEvent* event) {
    // Painted rather than set in the palette: a palette's window colour would also tint the
    // panels' frames and the button, which keep the default colours.
    QPainter painter(this);
    painter.fillRect(event->rect(), background());
}

void Tf_explications::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous() || shown_once_) return;
    shown_once_ = true;
    centre_on_screen();
    // A window manager frames the window some time after it is mapped; no particular event says
    // so (under X11 no move arrives), the reported frame passes through passing values, and a
    // placement asked for while the frame is being added can be undone by the manager's own
    // placement. So for a short while the outer geometry is checked on a timer and put right,
    // until it has held with a real frame for half a second.
    frame_watch_ = QDeadlineTimer(kFrameWatchMs);
    auto* tick = new QTimer(this); // a child of this window, deleted when the watch ends
    connect(tick, &QTimer::timeout, this, [this, tick, held = 0]() mutable {
        held = keep_outer_geometry() ? held + 1 : 0;
        if (held >= 10 || frame_watch_.hasExpired() || !isVisible()) {
            tick->stop();
            tick->deleteLater();
        }
    });
    tick->start(50);
}

void Tf_explications::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // Minimising is a spontaneous hide: the window manager picks the next window itself.
    if (event->spontaneous()) return;
    if (QWidget* owner = parentWidget(); owner && owner->isVisible()) owner->window()->activateWindow();
}

void Tf_explications::keyPressEvent(QKeyEvent* event) {
    // The panels are read-only and leave Return to the window: it presses the default button.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && Button1->isEnabled()) {
        Button1->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

QPoint Tf_explications::centred_corner() const {
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s) return pos();
    const QRect area = s->geometry();
    return {area.x() + (area.width() - kOuterWidth) / 2, area.y() + (area.height() - kOuterHeight) / 2};
}

void Tf_explications::centre_on_screen() {
    // The frame's top-left corner is placed, so the outer size is what gets centred. Once the
    // window exists the client's position is asked for, from the frame's known widths: a frame
    // position (QWidget::move, QWindow::setFramePosition) was seen to be skipped or ignored while
    // a window manager was still framing the window.
    if (QWindow* handle = windowHandle()) {
        const QMargins frame = handle->frameMargins();
        handle->setPosition(centred_corner() + QPoint(frame.left(), frame.top()));
    } else {
        move(centred_corner());
    }
}

bool Tf_explications::keep_outer_geometry() {
    QWindow* handle = windowHandle();
    if (!handle) return false;
    const QMargins frame = handle->frameMargins();
    for (const int width : {frame.left(), frame.top(), frame.right(), frame.bottom()}) {
        if (width < 0 || width > 100) // not a frame a window manager would draw
            return false;
    }
    const QSize client(kOuterWidth - frame.left() - frame.right(), kOuterHeight - frame.top() - frame.bottom());
    bool held = true;
    if (size() != client) {
        resize(client);
        held = false;
    }
    if (handle->framePosition() != centred_corner()) {
        centre_on_screen();
        held = false;
    }
    return held && !frame.isNull();
}

Tf_explications* show_explications(QWidget* owner) {
    Q_ASSERT(owner);                           // an unowned window would never be deleted
    auto* window = new Tf_explications(owner); // owned by `owner` through Qt parenting
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}
