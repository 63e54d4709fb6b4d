// SPDX-License-Identifier: GPL-3.0-or-later
#include "play_window.h"

#include <fstream>
#include <sstream>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>

#include "file_dialogs.h"
#include "game_file.h"
#include "games_window.h"
#include "generate_dialog.h"
#include "guard.h"
#include "ladder/narration.h"
#include "ladder/narrator_fr.h"
#include "language_choice.h"
#include "message_box.h"
#include "play_board.h"
#include "resources.h"
#include "sud_file.h"
#include "techniques_window.h"

namespace vornel {

namespace {

QString from_utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string no_replaced_file(const std::string&) { return {}; }

// The digit a key stands for, 0 for none, whatever the keyboard layout: the digit it types
// ("1", keypad included), or, on the digit row, what that row types without the digit. With
// Shift a US layout gives "!@#..." for the digit keys; without Shift a French one gives
// "&é\"'(-è_ç". So a digit key always names its digit, and Shift always means a pencil mark.
int digit_key(const QKeyEvent& event) {
    const QString text = event.text();
    if (text.size() != 1) return 0;
    const QChar ch = text[0];
    if (ch >= QLatin1Char('1') && ch <= QLatin1Char('9')) return ch.unicode() - u'0';
    static const QString shifted_us = QStringLiteral("!@#$%^&*(");
    static const QString plain_fr = QStringLiteral("&é\"'(-è_ç");
    const bool shift = event.modifiers() & Qt::ShiftModifier;
    const qsizetype at = (shift ? shifted_us : plain_fr).indexOf(ch);
    return at < 0 ? 0 : static_cast<int>(at) + 1;
}

QSettings settings() {
    return {QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("vornel"), QStringLiteral("vornel")};
}

const QString kSizeKey = QStringLiteral("jeu/taille");

std::int64_t now_seconds() { return QDateTime::currentSecsSinceEpoch(); }

} // namespace

Tf_play::Tf_play(QWidget* parent)
    : QMainWindow(parent), store_(store_folder().toStdString()), session_(store_, installed_language()),
      boxes_(std::make_unique<QtMessageBoxes>(this)) {
    setObjectName(QStringLiteral("f_play"));
    setWindowFlag(Qt::Window, true);
    setWindowTitle(tr("Vornel — Jouer"));
    setWindowIcon(app_icon());
    dialogs_ = std::make_unique<QtFileDialogs>(this);
    print_dialog_ = [this](QPrinter& printer) {
        QPrintDialog dialog(&printer, this);
        return dialog.exec() == QDialog::Accepted;
    };

    board_ = new PlayBoard(this);
    board_->set_key_handler([this](QKeyEvent* event) { return on_key(event); });
    connect(board_, &PlayBoard::cell_clicked, this, [this](int cell) {
        board_->set_selected(cell);
        if (game() && game()->value(cell)) board_->set_highlighted_digit(game()->value(cell));
    });
    connect(board_, &PlayBoard::cell_right_clicked, this, [this](int cell, const QPoint& where) {
        if (!game() || board_->hidden() || game()->is_given(cell)) return;
        QMenu* menu = pencil_menu(cell);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(where);
    });

    build_menus();
    build_panel();

    timer_ = new QTimer(this);
    timer_->setInterval(250);
    connect(timer_, &QTimer::timeout, this, &Tf_play::tick);

    // Quitting from the main window (its close box, "Quitter") ends the event loop without closing
    // this window: the game is kept all the same.
    // The clock stops there: the time saved is the time played.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] {
        save_for_resume();
        timer_->stop();
        if (game()) game()->set_paused(true);
    });

    // The single resume file of earlier versions becomes a game of the store.
    std::string adopt_error;
    if (!store_.adopt(resume_path().toStdString(), now_seconds(), adopt_error))
        status_->setText(
            tr("L'ancienne partie en cours n'a pas pu rejoindre vos parties : %1").arg(from_utf8(adopt_error)));
    fit_to_screen();
    refresh();
}

void Tf_play::fit_to_screen() {
    // The size the player left it at (first 900 x 640, which fits a 1366 x 768 screen), never more
    // than the screen's free area at the scale in use.
    QSize size = settings().value(kSizeKey, QSize(900, 640)).toSize();
    if (!size.isValid()) size = QSize(900, 640);
    if (const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        const QSize room = screen->availableGeometry().size() - QSize(16, 48); // frame and title bar
        setMinimumSize(std::min(560, room.width()), std::min(400, room.height()));
        size = size.boundedTo(room);
    }
    resize(size.expandedTo(minimumSize()));
}

Tf_play::~Tf_play() = default;

void Tf_play::set_message_boxes(std::unique_ptr<MessageBoxes> boxes) {
    if (boxes) boxes_ = std::move(boxes);
}

void Tf_play::set_file_dialogs(std::unique_ptr<FileDialogs> dialogs) {
    if (dialogs) dialogs_ = std::move(dialogs);
}

void Tf_play::build_menus() {
    struct Entry {
        const char* name;
        const char* caption;
        QList<QKeySequence> keys;
        void (Tf_play::*handler)();
    };
    struct Menu {
        const char* name;
        const char* caption;
        std::vector<Entry> entries;
    };
    const Menu menus[] = {
        {"p_partie",
         QT_TRANSLATE_NOOP("vornel::Tf_play", "&Partie"),
         {{"p_new",
           QT_TRANSLATE_NOOP("vornel::Tf_play", "Nouvelle partie..."),
           {QKeySequence(Qt::CTRL | Qt::Key_N)},
           &Tf_play::new_game},
          {"p_games",
           QT_TRANSLATE_NOOP("vornel::Tf_play", "Mes parties..."),
           {QKeySequence(Qt::CTRL | Qt::Key_O)},
           &Tf_play::show_games},
          {"p_open",
           QT_TRANSLATE_NOOP("vornel::Tf_play", "Ouvrir un fichier..."),
           {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O)},
           &Tf_play::open_game},
          {"p_save",
           QT_TRANSLATE_NOOP("vornel::Tf_play", "Enregistrer la partie..."),
           {QKeySequence(Qt::CTRL | Qt::Key_S)},
           &Tf_play::save_game},
          {"p_export", QT_TRANSLATE_NOOP("vornel::Tf_play", "Exporter la grille (.sud)..."), {}, &Tf_play::export_sud},
          {"p_print",
           QT_TRANSLATE_NOOP("vornel::Tf_play", "Imprimer la grille..."),
           {QKeySequence(Qt::CTRL | Qt::Key_P)},
           &Tf_play::print_puzzle},
          {"p_pause",
           QT_TRANSLATE_NOOP("vornel::Tf_play", "Pause"),
           {QKeySequence(Qt::Key_Space), QKeySequence(Qt::Key_Pause)},
           nullptr},
          {"p_close", QT_TRANSLATE_NOOP("vornel::Tf_play", "Fermer"), {QKeySequence(Qt::CTRL | Qt::Key_W)}, nullptr},
          {"p_quit",
           QT_TRANSLATE_NOOP("vornel::Tf_play", "&Quitter"),
           {QKeySequence(Qt::CTRL | Qt::Key_Q)},
           &Tf_play::quit_program}}},
        {"p_edition",
         QT_TRANSLATE_NOOP("vornel::Tf_play", "É&dition"),
         {{"p_undo",
           QT_TRANSLATE_NOOP("vornel::Tf_play", "Annuler"),
           {QKeySequence(Qt::CTRL | Qt::Key_Z)},
           &Tf_play::undo},
          {"p_redo",
           QT_TRANSLATE_NOOP("vornel::Tf_play", "Rétablir"),
           {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)},
           &Tf_play::redo},
          {"p_fill",
           QT_TRANSLATE_NOOP("vornel::Tf_play", "Remplir les candidats"),
           {QKeySequence(Qt::Key_C)},
           &Tf_play::fill_candidates},
          {"p_check", QT_TRANSLATE_NOOP("vornel::Tf_play", "Vérifier"), {QKeySequence(Qt::Key_V)}, &Tf_play::check},
          {"p_back",
           QT_TRANSLATE_NOOP("vornel::Tf_play", "Retour avant ma première erreur"),
           {QKeySequence(Qt::CTRL | Qt::Key_E)},
           &Tf_play::undo_mistakes}}},
        {"p_aide",
         QT_TRANSLATE_NOOP("vornel::Tf_play", "&Aide"),
         {{"p_hint", QT_TRANSLATE_NOOP("vornel::Tf_play", "Indice"), {QKeySequence(Qt::Key_H)}, &Tf_play::hint},
          {"p_apply",
           QT_TRANSLATE_NOOP("vornel::Tf_play", "Appliquer l'indice"),
           {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter), QKeySequence(Qt::Key_A)},
           &Tf_play::apply_hint},
          {"p_help",
           QT_TRANSLATE_NOOP("vornel::Tf_play", "Aide..."),
           {QKeySequence(Qt::Key_F1)},
           &Tf_play::show_help}}},
    };
    for (const Menu& m : menus) {
        QMenu* menu = menuBar()->addMenu(tr(m.caption));
        menu->setObjectName(QString::fromUtf8(m.name));
        for (const Entry& e : m.entries) {
            auto* action = new QAction(tr(e.caption), this);
            const QString name = QString::fromUtf8(e.name);
            action->setObjectName(name);
            action->setShortcuts(e.keys);
            if (e.handler)
                connect(action, &QAction::triggered, this, e.handler);
            else if (name == QStringLiteral("p_pause"))
                connect(action, &QAction::triggered, this, [this] { set_paused(!board_->hidden()); });
            else
                connect(action, &QAction::triggered, this, &QWidget::close);
            menu->addAction(action);
            if (e.handler == &Tf_play::undo) undo_action_ = action;
            if (e.handler == &Tf_play::redo) redo_action_ = action;
            if (e.handler == &Tf_play::hint) hint_action_ = action;
            if (e.handler == &Tf_play::check) check_action_ = action;
            if (e.handler == &Tf_play::undo_mistakes) back_action_ = action;
            if (e.handler == &Tf_play::apply_hint) apply_action_ = action;
        }
        if (QString::fromUtf8(m.name) == QStringLiteral("p_edition")) {
            pencil_action_ = new QAction(tr("Mode crayon"), this);
            pencil_action_->setObjectName(QStringLiteral("p_pencil"));
            pencil_action_->setCheckable(true);
            pencil_action_->setShortcut(QKeySequence(Qt::Key_P));
            menu->addAction(pencil_action_);
        }
    }
}

void Tf_play::build_panel() {
    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    row->addWidget(board_, 1);

    // The panel scrolls as a whole when the screen is too small for it (200 % on a laptop).
    auto* outer = new QScrollArea(central);
    outer->setObjectName(QStringLiteral("PlayPanelScroll"));
    outer->setWidgetResizable(true);
    outer->setFrameShape(QFrame::NoFrame);
    outer->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    outer->setFocusPolicy(Qt::NoFocus);
    auto* holder = new QWidget(outer);
    auto* panel = new QVBoxLayout(holder);
    panel->setContentsMargins(0, 0, 0, 0);
    outer->setWidget(holder);
    outer->setMaximumWidth(340);

    clock_ = new QLabel(holder);
    clock_->setObjectName(QStringLiteral("PlayClock"));
    QFont big = clock_->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    clock_->setFont(big);
    panel->addWidget(clock_);
    level_ = new QLabel(holder);
    level_->setObjectName(QStringLiteral("PlayLevel"));
    panel->addWidget(level_);

    const auto key_tip = [](QPushButton* button, const QString& keys) { button->setToolTip(keys); };
    pause_button_ = new QPushButton(tr("Pause"), holder);
    pause_button_->setObjectName(QStringLiteral("PlayPause"));
    pause_button_->setCheckable(true);
    pause_button_->setFocusPolicy(Qt::NoFocus);
    key_tip(pause_button_, tr("Mettre la partie en pause ou la reprendre (Espace)"));
    connect(pause_button_, &QPushButton::clicked, this, &Tf_play::set_paused);
    panel->addWidget(pause_button_);

    build_pad(panel, holder);

    auto add_button = [&](const char* name, const char* caption, const QString& tip, void (Tf_play::*slot)()) {
        auto* button = new QPushButton(tr(caption), holder);
        button->setObjectName(QString::fromUtf8(name));
        button->setFocusPolicy(Qt::NoFocus);
        button->setToolTip(tip);
        connect(button, &QPushButton::clicked, this, slot);
        panel->addWidget(button);
        return button;
    };
    hint_button_ =
        add_button("PlayHint", QT_TRANSLATE_NOOP("vornel::Tf_play", "Indice (H)"),
                   tr("Un indice de plus : où chercher, puis pourquoi, puis la réponse (H)"), &Tf_play::hint);
    check_button_ =
        add_button("PlayCheck", QT_TRANSLATE_NOOP("vornel::Tf_play", "Vérifier (V)"),
                   tr("Hachurer les chiffres faux et les candidats qui ont perdu le bon chiffre (V)"), &Tf_play::check);
    fill_button_ = add_button("PlayFill", QT_TRANSLATE_NOOP("vornel::Tf_play", "Remplir les candidats (C)"),
                              tr("Donner leurs candidats aux cases vides qui n'en ont pas ; les candidats déjà "
                                 "écrits restent comme vous les avez laissés (C)"),
                              &Tf_play::fill_candidates);

    hint_label_ = new QLabel(holder);
    hint_label_->setObjectName(QStringLiteral("PlayHintText"));
    hint_label_->setWordWrap(true);
    hint_label_->setTextFormat(Qt::RichText);
    hint_label_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    // Links by mouse only: the label never takes the keyboard from the board.
    hint_label_->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    hint_label_->setFocusPolicy(Qt::NoFocus);
    connect(hint_label_, &QLabel::linkActivated, this, &Tf_play::open_help_page);
    // Long steps (forcing chains) scroll rather than push the buttons off a small window.
    auto* scroll = new QScrollArea(holder);
    scroll->setObjectName(QStringLiteral("PlayHintScroll"));
    scroll->setWidget(hint_label_);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setMinimumHeight(120);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    panel->addWidget(scroll, 1);

    apply_button_ = add_button("PlayApply", QT_TRANSLATE_NOOP("vornel::Tf_play", "Appliquer (Entrée)"),
                               tr("Appliquer l'indice : écrire ses chiffres et retirer ses candidats (Entrée ou A)"),
                               &Tf_play::apply_hint);
    apply_button_->hide();
    back_button_ = add_button("PlayBack", QT_TRANSLATE_NOOP("vornel::Tf_play", "Retour avant ma première erreur"),
                              tr("Annuler les coups jusqu'à la dernière position sans erreur ; ils restent à "
                                 "rétablir (Ctrl+E)"),
                              &Tf_play::undo_mistakes);
    back_button_->hide();

    // The end of a game: what comes next.
    finish_box_ = new QWidget(holder);
    finish_box_->setObjectName(QStringLiteral("PlayFinish"));
    auto* finish_row = new QHBoxLayout(finish_box_);
    finish_row->setContentsMargins(0, 0, 0, 0);
    auto* again = new QPushButton(tr("Rejouer"), finish_box_);
    again->setObjectName(QStringLiteral("PlayReplay"));
    again->setToolTip(tr("La même grille, depuis le début, dans une nouvelle partie"));
    again->setFocusPolicy(Qt::NoFocus);
    connect(again, &QPushButton::clicked, this, &Tf_play::replay);
    auto* next = new QPushButton(tr("Nouvelle partie"), finish_box_);
    next->setObjectName(QStringLiteral("PlayNext"));
    next->setToolTip(tr("Une autre grille, du niveau de votre choix (Ctrl+N)"));
    next->setFocusPolicy(Qt::NoFocus);
    connect(next, &QPushButton::clicked, this, &Tf_play::new_game);
    finish_row->addWidget(next);
    finish_row->addWidget(again);
    panel->addWidget(finish_box_);
    finish_box_->hide();

    status_ = new QLabel(holder);
    status_->setObjectName(QStringLiteral("PlayStatus"));
    status_->setWordWrap(true);
    // Room for two lines whether or not a message shows: the buttons above never move under the
    // pointer when one comes or goes.
    status_->setMinimumHeight(2 * status_->fontMetrics().lineSpacing() + 2);
    status_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    panel->addWidget(status_);

    panel_scroll_ = outer;
    row->addWidget(outer);
    setCentralWidget(central);
    board_->setFocus();
}

void Tf_play::build_pad(QVBoxLayout* panel, QWidget* parent) {
    pad_ = new QWidget(parent);
    pad_->setObjectName(QStringLiteral("PlayPad"));
    auto* grid = new QGridLayout(pad_);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(3);
    for (int d = 1; d <= 9; ++d) {
        auto* button = new QPushButton(pad_);
        button->setObjectName(QStringLiteral("PlayPad%1").arg(d));
        button->setFocusPolicy(Qt::NoFocus);
        button->setMinimumHeight(44);
        connect(button, &QPushButton::clicked, this, [this, d] { pad_digit(d); });
        grid->addWidget(button, (d - 1) / 3, (d - 1) % 3);
        pad_digits_.push_back(button);
    }
    auto* erase = new QPushButton(tr("Effacer"), pad_);
    erase->setObjectName(QStringLiteral("PlayPadErase"));
    erase->setFocusPolicy(Qt::NoFocus);
    erase->setToolTip(tr("Effacer le chiffre de la case, ou ses candidats (Retour arrière ou Suppr)"));
    connect(erase, &QPushButton::clicked, this, &Tf_play::pad_erase);
    grid->addWidget(erase, 3, 0, 1, 1);
    auto* pencil = new QPushButton(tr("Crayon (P)"), pad_);
    pencil->setObjectName(QStringLiteral("PlayPencil"));
    pencil->setCheckable(true);
    pencil->setFocusPolicy(Qt::NoFocus);
    pencil->setToolTip(tr("Mode crayon : les chiffres ajoutent ou retirent des candidats (P ; Maj+chiffre pour "
                          "un seul)"));
    connect(pencil, &QPushButton::toggled, pencil_action_, &QAction::setChecked);
    connect(pencil_action_, &QAction::toggled, pencil, &QPushButton::setChecked);
    connect(pencil_action_, &QAction::toggled, this, [this] { refresh_pad(); });
    grid->addWidget(pencil, 3, 1, 1, 2);
    panel->addWidget(pad_);
}

void Tf_play::refresh_pad() {
    const play::Game* g = game();
    const bool pencil = pencil_action_->isChecked();
    for (int d = 1; d <= 9; ++d) {
        QPushButton* button = pad_digits_[static_cast<std::size_t>(d - 1)];
        int placed = 0;
        if (g)
            for (int c = 0; c < 81; ++c) placed += g->value(c) == d;
        const int left = std::max(0, 9 - placed);
        // The digit, and how many are left to place (none left: the digit is done).
        button->setText(left ? tr("%1\nreste %2").arg(d).arg(left) : tr("%1\ncomplet").arg(d));
        button->setToolTip(pencil ? tr("Ajouter ou retirer le candidat %1 (%1)").arg(d)
                                  : tr("Écrire %1 dans la case choisie ; encore %2 à placer (%1)").arg(d).arg(left));
        QFont font = button->font();
        font.setBold(!pencil);
        font.setItalic(pencil);
        button->setFont(font);
    }
    // The panel as wide as its widest row, the pad's, so that nothing is cut; the board takes the
    // rest.
    QWidget* holder = panel_scroll_->widget();
    panel_scroll_->setMinimumWidth(
        std::min(panel_scroll_->maximumWidth(),
                 holder->minimumSizeHint().width() + panel_scroll_->verticalScrollBar()->sizeHint().width() + 4));
}

void Tf_play::pad_digit(int digit) {
    if (!game() || board_->hidden()) return;
    const int cell = board_->selected();
    board_->set_highlighted_digit(digit);
    moved(pencil_action_->isChecked() ? game()->toggle_mark(cell, digit) : game()->write(cell, digit));
    board_->setFocus();
}

void Tf_play::pad_erase() {
    if (!game() || board_->hidden()) return;
    moved(game()->clear(board_->selected()));
    board_->setFocus();
}

QMenu* Tf_play::pencil_menu(int cell) {
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("PlayPencilMenu"));
    if (!game()) return menu;
    if (game()->value(cell)) {
        QAction* erase = menu->addAction(tr("Effacer le %1").arg(game()->value(cell)));
        erase->setObjectName(QStringLiteral("PlayMenuErase"));
        connect(erase, &QAction::triggered, this, [this, cell] { moved(game() && game()->clear(cell)); });
        return menu;
    }
    menu->addSection(tr("Candidats de la case"));
    const std::uint16_t marks = game()->marks(cell);
    for (int d = 1; d <= 9; ++d) {
        QAction* mark = menu->addAction(QString::number(d));
        mark->setObjectName(QStringLiteral("PlayMenuMark%1").arg(d));
        mark->setCheckable(true);
        mark->setChecked((marks >> d) & 1);
        connect(mark, &QAction::triggered, this, [this, cell, d] {
            if (!game() || board_->hidden()) return;
            board_->set_highlighted_digit(d);
            moved(game()->toggle_mark(cell, d));
        });
    }
    menu->addSeparator();
    QAction* clear = menu->addAction(tr("Retirer tous les candidats"));
    clear->setObjectName(QStringLiteral("PlayMenuClear"));
    clear->setEnabled(marks != 0);
    connect(clear, &QAction::triggered, this, [this, cell] { moved(game() && game()->clear(cell)); });
    return menu;
}

void Tf_play::play(play::Game next) {
    if (game()) tick();
    std::string error;
    if (!session_.start(std::move(next), now_seconds(), error))
        error =
            tr("Cette partie n'a pas pu être enregistrée parmi vos parties : %1").arg(from_utf8(error)).toStdString();
    show_game();
    if (!error.empty()) status_->setText(from_utf8(error));
}

bool Tf_play::resume(const QString& path) {
    if (game()) tick();
    std::string error;
    if (!session_.resume(path.toStdString(), error, installed_language())) {
        report(from_utf8(error));
        return false;
    }
    show_game();
    return true;
}

void Tf_play::show_game() {
    hint_.reset();
    hint_level_ = 0;
    finished_told_ = game()->finished();
    file_.clear();
    board_->set_game(game());
    board_->set_check(std::nullopt);
    board_->set_hint_picture(std::nullopt);
    int first = 0;
    while (first < 80 && game()->is_given(first)) ++first;
    board_->set_selected(first);
    board_->set_highlighted_digit(0);
    game()->set_paused(false);
    set_paused(false);
    hint_label_->clear();
    apply_button_->hide();
    back_button_->hide();
    finish_box_->setVisible(finished_told_);
    status_->clear();
    const ladder::Rating& rating = game()->rating();
    level_->setText(
        tr("Niveau : %1").arg(from_utf8(std::string(ladder::level_name(rating.level, installed_language())))));
    if (finished_told_) show_summary();
    since_tick_.start();
    if (isVisible()) timer_->start();
    refresh();
}

bool Tf_play::play_givens(const play::Grid& givens) {
    std::string error;
    std::optional<play::Game> game = play::Game::start(givens, error, installed_language());
    if (!game) {
        report(from_utf8(error));
        return false;
    }
    play(std::move(*game));
    return true;
}

bool Tf_play::open_file(const QString& path) {
    // Both kinds of file go through the bounded readers: regular files only, opened without
    // blocking, with a size bound, so that a named pipe or a device never holds the window.
    const QByteArray name = path.toUtf8();
    const std::string file_name(name.constData(), static_cast<std::size_t>(name.size()));
    std::string error;
    if (path.endsWith(QStringLiteral(".sud"), Qt::CaseInsensitive)) {
        bool ok = false;
        guarded([&](const std::string& m) { error = m; },
                [&] {
                    const Values values = read_puzzle_file(file_name, Readable::regular_files);
                    play::Grid givens{};
                    // A value no cell can hold makes a grid nobody can play: Game::start says so.
                    for (std::size_t c = 0; c < 81; ++c)
                        givens[c] = static_cast<std::uint8_t>(values[c] < 0 || values[c] > 9 ? 10 : values[c]);
                    ok = play_givens(givens);
                });
        if (!error.empty()) report(from_utf8(failure_text(error)));
        return ok;
    }
    const std::optional<play::Game::Saved> saved = play::read_game_file(file_name, error, installed_language());
    std::optional<play::Game> game;
    if (saved) game = play::Game::restore(*saved, error, installed_language());
    if (!game) {
        report(from_utf8(error));
        return false;
    }
    play(std::move(*game));
    file_ = path;
    return true;
}

QString Tf_play::store_folder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/parties");
}

QString Tf_play::resume_path() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/partie-en-cours.vornel");
}

QString Tf_play::last_unfinished() {
    const play::GameStore store(store_folder().toStdString());
    for (const play::StoredGame& g : store.list())
        if (g.saved && !g.finished) return QString::fromStdString(g.path);
    return {};
}

void Tf_play::save_for_resume() {
    if (!game()) return;
    tick();
    std::string error;
    if (!session_.save(error)) status_->setText(tr("La partie n'a pas pu être enregistrée : %1").arg(from_utf8(error)));
}

void Tf_play::report(const QString& text) { boxes_->show({BoxKind::Failure, application_title(), text}); }

// ---- Keys ----

bool Tf_play::on_key(QKeyEvent* event) {
    if (!game() || board_->hidden()) return false;
    const int cell = board_->selected();
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    switch (event->key()) {
        case Qt::Key_Left: board_->set_selected(cell % 9 == 0 ? cell + 8 : cell - 1); return true;
        case Qt::Key_Right: board_->set_selected(cell % 9 == 8 ? cell - 8 : cell + 1); return true;
        case Qt::Key_Up: board_->set_selected(cell < 9 ? cell + 72 : cell - 9); return true;
        case Qt::Key_Down: board_->set_selected(cell >= 72 ? cell - 72 : cell + 9); return true;
        case Qt::Key_Backspace:
        case Qt::Key_Delete: moved(game()->clear(cell)); return true;
        default: break;
    }
    if (mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const int digit = digit_key(*event);
    if (!digit) return false;
    const bool pencil = (mods & Qt::ShiftModifier) || pencil_action_->isChecked();
    board_->set_highlighted_digit(digit);
    moved(pencil ? game()->toggle_mark(cell, digit) : game()->write(cell, digit));
    return true;
}

// ---- Moves ----

void Tf_play::moved(bool changed) {
    if (!changed) {
        refresh();
        return;
    }
    hint_.reset();
    hint_level_ = 0;
    hint_label_->clear();
    apply_button_->hide();
    back_button_->hide();
    board_->set_hint_picture(std::nullopt);
    board_->set_check(std::nullopt);
    status_->clear();
    hint_button_->setText(tr("Indice (H)"));
    // Every move is written at once: a crash or a kill loses at most the move being made.
    save_for_resume();
    refresh();
    if (game()->finished() && !finished_told_) finish();
}

void Tf_play::undo() {
    if (game() && !board_->hidden()) moved(game()->undo());
}

void Tf_play::redo() {
    if (game() && !board_->hidden()) moved(game()->redo());
}

void Tf_play::fill_candidates() {
    if (game() && !board_->hidden()) moved(game()->fill_candidates());
}

void Tf_play::undo_mistakes() {
    if (!game() || board_->hidden()) return;
    const bool changed = game()->undo_mistakes();
    moved(changed);
    status_->setText(changed ? tr("Partie reprise avant votre première erreur ; Ctrl+Y rétablit les coups annulés.")
                             : tr("Aucune erreur à défaire dans cette position."));
    board_->setFocus();
}

void Tf_play::check() {
    if (!game() || board_->hidden()) return;
    const play::CheckResult result = game()->check();
    board_->set_check(result);
    if (result.clean()) {
        status_->setText(tr("Aucune erreur jusqu'ici."));
        return;
    }
    const auto count = [](std::size_t n, const QString& one, const QString& many) {
        return (n <= 1 ? one : many).arg(n);
    };
    status_->setText(
        tr("Hachuré : %1, %2.")
            .arg(count(result.wrong_cells.size(), tr("%1 chiffre faux"), tr("%1 chiffres faux")),
                 count(result.missing_marks.size(), tr("%1 case dont les candidats ont perdu le bon chiffre"),
                       tr("%1 cases dont les candidats ont perdu le bon chiffre"))));
    back_button_->show();
}

void Tf_play::hint() {
    if (!game() || board_->hidden() || game()->finished()) return;
    status_->clear();
    if (!hint_ || hint_level_ >= 3) {
        hint_ = game()->hint(true);
        hint_level_ = 1;
        save_for_resume(); // the hint counted, and the technique met, are kept
    } else {
        ++hint_level_;
    }
    const play::Advice advice = play::advise(*hint_, static_cast<play::HintLevel>(hint_level_), installed_language());
    show_advice(advice);
    board_->set_hint_picture(advice.picture);
    if (advice.mistake) board_->set_selected(hint_->where.cell);
    board_->set_check(std::nullopt);
    apply_button_->setVisible(advice.can_apply);
    apply_action_->setEnabled(advice.can_apply);
    back_button_->setVisible(advice.mistake);
    const bool more =
        hint_level_ < 3 &&
        (hint_->kind == play::Hint::Kind::Step ||
         (hint_->kind == play::Hint::Kind::WrongDigit && hint_->mistake.kind == play::Mistake::Kind::Contradiction));
    hint_button_->setText(more ? tr("Indice suivant (H)") : tr("Indice (H)"));
}

void Tf_play::show_advice(const play::Advice& advice) {
    QString html =
        advice.mistake ? tr("<p><b>Une erreur</b></p>") : tr("<p><b>Indice, niveau %1 sur 3</b></p>").arg(hint_level_);
    // Whole sentences, one paragraph each: the label wraps them to its width.
    for (const std::string& line : advice.lines)
        html += QStringLiteral("<p>%1</p>").arg(from_utf8(line).toHtmlEscaped());
    if (advice.technique)
        html += tr("<p><a href=\"%1\">Voir la page de la technique «&nbsp;%2&nbsp;»</a></p>")
                    .arg(from_utf8(std::string(ladder::technique_id(*advice.technique))),
                         from_utf8(ladder::technique_name(*advice.technique, installed_language())).toHtmlEscaped());
    hint_label_->setText(html);
}

void Tf_play::open_help_page(const QString& id) {
    guarded([this](const std::string& m) { report(from_utf8(m)); },
            [&] {
                if (!techniques_) {
                    techniques_ = new Tf_techniques(this);
                    // Back on the board when the page closes: keys go to the game again.
                    techniques_->installEventFilter(this);
                }
                ladder::Technique technique;
                if (ladder::technique_from_id(id.toStdString(), technique)) techniques_->select(technique);
                techniques_->open();
            });
}

bool Tf_play::eventFilter(QObject* watched, QEvent* event) {
    if (watched == techniques_ && (event->type() == QEvent::Hide || event->type() == QEvent::Close)) {
        QTimer::singleShot(0, this, [this] {
            activateWindow();
            board_->setFocus(Qt::OtherFocusReason);
        });
    }
    return QMainWindow::eventFilter(watched, event);
}

void Tf_play::apply_hint() {
    if (!game() || !hint_ || board_->hidden() || apply_button_->isHidden()) return;
    moved(game()->apply(*hint_));
}

void Tf_play::finish() {
    finished_told_ = true;
    timer_->stop();
    save_for_resume();
    show_summary();
    finish_box_->show();
}

void Tf_play::show_summary() {
    const ladder::Rating& rating = game()->rating();
    QString html = tr("<p><b>Bravo !</b></p><p>Grille résolue en %1. Difficulté : %2 (score %3). Indices "
                      "demandés : %4. Erreurs : %5.</p>")
                       .arg(from_utf8(play::clock_text(game()->elapsed_ms())),
                            from_utf8(std::string(ladder::level_name(rating.level, installed_language()))))
                       .arg(rating.score)
                       .arg(game()->hints_used())
                       .arg(game()->mistakes());
    if (!game()->techniques_met().empty()) {
        html += tr("<p>Techniques rencontrées dans les indices :</p><ul>");
        for (const ladder::Technique t : game()->techniques_met())
            html += QStringLiteral("<li><a href=\"%1\">%2</a></li>")
                        .arg(from_utf8(std::string(ladder::technique_id(t))),
                             from_utf8(ladder::technique_name(t, installed_language())).toHtmlEscaped());
        html += QStringLiteral("</ul>");
    }
    html += tr("<p>La partie reste dans « Mes parties » (Ctrl+O).</p>");
    hint_label_->setText(html);
}

void Tf_play::replay() {
    if (!game()) return;
    std::string error;
    std::optional<play::Game> again = play::Game::start(game()->givens(), error, installed_language());
    if (again) play(std::move(*again));
}

void Tf_play::show_games() {
    if (game()) save_for_resume();
    if (games_) games_->deleteLater();
    games_ = new Tf_games(this, store_, game_path());
    games_->setAttribute(Qt::WA_DeleteOnClose);
    connect(games_, &Tf_games::resume_requested, this, [this](const QString& path) {
        if (resume(path)) {
            show();
            raise();
            activateWindow();
        }
    });
    connect(games_, &QDialog::finished, this, [this] { board_->setFocus(); });
    games_->open();
}

// ---- Timer ----

void Tf_play::tick() {
    if (!game()) return;
    game()->add_time(since_tick_.restart());
    clock_->setText(tr("Temps : %1").arg(from_utf8(play::clock_text(game()->elapsed_ms()))));
}

void Tf_play::set_paused(bool paused) {
    if (!game()) return;
    tick();
    game()->set_paused(paused);
    board_->set_hidden(paused);
    pause_button_->setChecked(paused);
    pause_button_->setText(paused ? tr("Reprendre (Espace)") : tr("Pause (Espace)"));
    if (paused) {
        save_for_resume();
        // Nothing reads the hidden board: no hint, check or undo behind it.
        hint_label_->clear();
        board_->set_hint_picture(std::nullopt);
        hint_.reset();
        hint_level_ = 0;
        apply_button_->hide();
        back_button_->hide();
    }
    refresh();
    board_->setFocus();
}

void Tf_play::refresh() {
    const bool playing = game() != nullptr;
    const bool open = playing && !board_->hidden();
    const bool live = open && !game()->finished();
    undo_action_->setEnabled(open && game()->can_undo());
    redo_action_->setEnabled(open && game()->can_redo());
    for (QAction* a : {hint_action_, check_action_, back_action_}) a->setEnabled(live);
    apply_action_->setEnabled(live && !apply_button_->isHidden());
    for (QPushButton* b : {hint_button_, check_button_, fill_button_, back_button_, apply_button_}) b->setEnabled(live);
    pad_->setEnabled(live);
    if (playing) clock_->setText(tr("Temps : %1").arg(from_utf8(play::clock_text(game()->elapsed_ms()))));
    refresh_pad();
    board_->update();
}

void Tf_play::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    since_tick_.start();
    timer_->start();
    board_->setFocus();
}

void Tf_play::hideEvent(QHideEvent* event) {
    tick();
    timer_->stop();
    save_for_resume();
    QMainWindow::hideEvent(event);
}

void Tf_play::closeEvent(QCloseEvent* event) {
    save_for_resume();
    settings().setValue(kSizeKey, size());
    QMainWindow::closeEvent(event);
}

// ---- Files ----

void Tf_play::new_game() {
    auto* dialog = new GenerateDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &GenerateDialog::generated, this, [this](const generator::Grid& puzzle) {
        play::Grid givens{};
        for (std::size_t c = 0; c < 81; ++c) givens[c] = static_cast<std::uint8_t>(puzzle[c]);
        play_givens(givens);
    });
    dialog->open();
}

void Tf_play::open_game() {
    const std::string path = dialogs_->ask_open_file_name(
        {tr("Ouvrir une partie").toStdString(), tr("Partie ou grille (*.vornel *.sud)|*.vornel;*.sud").toStdString(), 1,
         "", no_replaced_file});
    if (!path.empty()) open_file(from_utf8(path));
}

void Tf_play::save_game() {
    if (!game()) return;
    FileDialogRequest request{tr("Enregistrer la partie").toStdString(),
                              tr("Partie Vornel (*.vornel)|*.vornel").toStdString(), 1, "", no_replaced_file};
    std::string path = dialogs_->ask_save_file_name(request);
    if (path.empty()) return;
    QString name = from_utf8(path);
    if (!name.endsWith(QStringLiteral(".vornel"))) name += QStringLiteral(".vornel");
    const QByteArray bytes = name.toUtf8();
    std::string error;
    if (!play::write_game_file(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())), game()->saved(),
                               error, installed_language())) {
        report(tr("Impossible d'enregistrer la partie dans « %1 » : %2").arg(name, from_utf8(error)));
        return;
    }
    file_ = name;
    status_->setText(tr("Partie enregistrée dans « %1 ».").arg(QFileInfo(name).fileName()));
}

void Tf_play::export_sud() {
    if (!game()) return;
    std::string path = dialogs_->ask_save_file_name(
        {tr("Exporter la grille").toStdString(), tr("Sudoku (*.sud)|*.sud").toStdString(), 1, ""});
    if (path.empty()) return;
    Values values{};
    for (std::size_t c = 0; c < 81; ++c) values[c] = game()->givens()[c];
    std::string error;
    guarded([&](const std::string& m) { error = m; }, [&] { write_puzzle_file(path, values); });
    if (!error.empty()) report(tr("Impossible d'écrire « %1 » : %2").arg(from_utf8(path), from_utf8(error)));
}

void Tf_play::print_puzzle() {
    if (!game()) return;
    QPrinter printer(QPrinter::HighResolution);
    if (!print_dialog_ || !print_dialog_(printer)) return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        report(tr("L'impression n'a pas pu commencer."));
        return;
    }
    // The givens only, as a blank puzzle to solve on paper.
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const int side = std::min(page.width(), page.height()) * 8 / 10 / 9;
    const QPoint origin((page.width() - 9 * side) / 2, page.height() / 10);
    for (int cell = 0; cell < 81; ++cell) {
        CellLook look;
        look.value = game()->givens()[static_cast<std::size_t>(cell)];
        look.given = look.value != 0;
        const QRect r(origin.x() + (cell % 9) * side, origin.y() + (cell / 9) * side, side, side);
        paint_cell_look(painter, r, look);
    }
    for (int i = 0; i <= 9; ++i) {
        painter.setPen(QPen(Qt::black, i % 3 == 0 ? side / 12 : side / 40));
        painter.drawLine(origin.x() + i * side, origin.y(), origin.x() + i * side, origin.y() + 9 * side);
        painter.drawLine(origin.x(), origin.y() + i * side, origin.x() + 9 * side, origin.y() + i * side);
    }
    painter.end();
}

void Tf_play::show_help() {
    boxes_->show({BoxKind::Information, tr("Aide"),
                  tr("Souris : un clic choisit une case ; le pavé écrit un chiffre, efface ou passe en mode "
                     "crayon ; un clic droit sur une case ouvre ses candidats.\nFlèches : changer de case.\n1 à 9 : "
                     "écrire un chiffre ; Maj+chiffre ou mode crayon (P) : ajouter ou retirer un candidat.\nRetour "
                     "arrière ou Suppr : effacer.\nCtrl+Z : annuler ; Ctrl+Maj+Z ou Ctrl+Y : rétablir ; Ctrl+E : "
                     "retour avant ma première erreur.\nH : indice (trois niveaux, demandés l'un après l'autre) ; "
                     "Entrée ou A : appliquer l'indice ; V : vérifier ; C : remplir les candidats.\nEspace : "
                     "pause.\nCtrl+N : nouvelle partie ; Ctrl+O : mes parties ; Ctrl+Maj+O : ouvrir un fichier ; "
                     "Ctrl+S : enregistrer ; Ctrl+P : imprimer la grille ; Ctrl+Q : quitter.")});
    board_->setFocus();
}

void Tf_play::quit_program() {
    save_for_resume();
    settings().setValue(kSizeKey, size());
    QCoreApplication::exit(0);
}

} // namespace vornel
