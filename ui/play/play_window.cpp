// SPDX-License-Identifier: GPL-3.0-or-later
#include "play_window.h"

#include <fstream>
#include <sstream>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>

#include "file_dialogs.h"
#include "game_file.h"
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

// The picture the coach draws at `level` from a step hint: level 2 the pattern over the candidates
// the step starts from, level 3 the whole step as the ladder draws it.
std::optional<ladder::BoardPicture> hint_picture(const play::Hint& hint, int level) {
    if (hint.kind != play::Hint::Kind::Step || !hint.before || level < 2) return std::nullopt;
    if (level >= 3) return ladder::picture_of(*hint.before, hint.step, 1);
    ladder::BoardPicture picture = ladder::picture_of(*hint.before);
    for (const std::uint8_t cell : hint.step.cells) picture.cells[cell].pattern = true;
    for (const ladder::Candidate& c : hint.step.highlighted)
        picture.cells[c.cell].highlighted =
            static_cast<std::uint16_t>(picture.cells[c.cell].highlighted | (1u << c.digit));
    for (const std::uint8_t unit : hint.step.units)
        for (const std::uint8_t cell : ladder::geometry().unit_cells[unit]) picture.cells[cell].in_unit = true;
    return picture;
}

} // namespace

Tf_play::Tf_play(QWidget* parent) : QMainWindow(parent), boxes_(std::make_unique<QtMessageBoxes>(this)) {
    setObjectName(QStringLiteral("f_play"));
    setWindowFlag(Qt::Window, true);
    setWindowTitle(tr("Vornel — Jouer"));
    setWindowIcon(app_icon());
    setMinimumSize(640, 480);
    dialogs_ = std::make_unique<QtFileDialogs>(this);
    print_dialog_ = [this](QPrinter& printer) {
        QPrintDialog dialog(&printer, this);
        return dialog.exec() == QDialog::Accepted;
    };

    board_ = new PlayBoard(this);
    board_->set_key_handler([this](QKeyEvent* event) { return on_key(event); });
    connect(board_, &PlayBoard::cell_clicked, this, [this](int cell) {
        board_->set_selected(cell);
        if (game_ && game_->value(cell)) board_->set_highlighted_digit(game_->value(cell));
    });

    build_menus();
    build_panel();

    timer_ = new QTimer(this);
    timer_->setInterval(250);
    connect(timer_, &QTimer::timeout, this, &Tf_play::tick);

    // Quitting from the main window (its close box, "Quitter") ends the event loop without closing
    // this window: the game is kept all the same.
    connect(qApp, &QCoreApplication::aboutToQuit, this, &Tf_play::save_for_resume);

    // Fits a 1366 x 768 screen with its panels; at least the minimum size.
    resize(900, 640);
    refresh();
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
          {"p_open",
           QT_TRANSLATE_NOOP("vornel::Tf_play", "Ouvrir une partie..."),
           {QKeySequence(Qt::CTRL | Qt::Key_O)},
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
          {"p_fill", QT_TRANSLATE_NOOP("vornel::Tf_play", "Remplir les candidats"), {}, &Tf_play::fill_candidates},
          {"p_check", QT_TRANSLATE_NOOP("vornel::Tf_play", "Vérifier"), {}, &Tf_play::check}}},
        {"p_aide",
         QT_TRANSLATE_NOOP("vornel::Tf_play", "&Aide"),
         {{"p_hint", QT_TRANSLATE_NOOP("vornel::Tf_play", "Indice"), {QKeySequence(Qt::Key_H)}, &Tf_play::hint},
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
            action->setObjectName(QString::fromUtf8(e.name));
            action->setShortcuts(e.keys);
            if (e.handler)
                connect(action, &QAction::triggered, this, e.handler);
            else
                connect(action, &QAction::triggered, this, &QWidget::close);
            menu->addAction(action);
            if (e.handler == &Tf_play::undo) undo_action_ = action;
            if (e.handler == &Tf_play::redo) redo_action_ = action;
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

    auto* panel = new QVBoxLayout;
    clock_ = new QLabel(central);
    clock_->setObjectName(QStringLiteral("PlayClock"));
    QFont big = clock_->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    clock_->setFont(big);
    panel->addWidget(clock_);

    pause_button_ = new QPushButton(tr("Pause"), central);
    pause_button_->setObjectName(QStringLiteral("PlayPause"));
    pause_button_->setCheckable(true);
    pause_button_->setFocusPolicy(Qt::NoFocus);
    connect(pause_button_, &QPushButton::toggled, this, &Tf_play::set_paused);
    panel->addWidget(pause_button_);

    auto add_button = [&](const char* name, const char* caption, void (Tf_play::*slot)()) {
        auto* button = new QPushButton(tr(caption), central);
        button->setObjectName(QString::fromUtf8(name));
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QPushButton::clicked, this, slot);
        panel->addWidget(button);
        return button;
    };
    hint_button_ = add_button("PlayHint", QT_TRANSLATE_NOOP("vornel::Tf_play", "Indice (H)"), &Tf_play::hint);
    add_button("PlayCheck", QT_TRANSLATE_NOOP("vornel::Tf_play", "Vérifier"), &Tf_play::check);
    add_button("PlayFill", QT_TRANSLATE_NOOP("vornel::Tf_play", "Remplir les candidats"), &Tf_play::fill_candidates);
    auto* pencil = new QPushButton(tr("Mode crayon (P)"), central);
    pencil->setObjectName(QStringLiteral("PlayPencil"));
    pencil->setCheckable(true);
    pencil->setFocusPolicy(Qt::NoFocus);
    connect(pencil, &QPushButton::toggled, pencil_action_, &QAction::setChecked);
    connect(pencil_action_, &QAction::toggled, pencil, &QPushButton::setChecked);
    panel->addWidget(pencil);

    hint_label_ = new QLabel(central);
    hint_label_->setObjectName(QStringLiteral("PlayHintText"));
    hint_label_->setWordWrap(true);
    hint_label_->setTextFormat(Qt::RichText);
    hint_label_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    hint_label_->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(hint_label_, &QLabel::linkActivated, this, [this](const QString& id) {
        guarded([this](const std::string& m) { report(from_utf8(m)); },
                [&] {
                    if (!techniques_) techniques_ = new Tf_techniques(this);
                    ladder::Technique technique;
                    if (ladder::technique_from_id(id.toStdString(), technique)) techniques_->select(technique);
                    techniques_->open();
                });
    });
    // Long steps (forcing chains) scroll rather than push the buttons off a small window.
    auto* scroll = new QScrollArea(central);
    scroll->setObjectName(QStringLiteral("PlayHintScroll"));
    scroll->setWidget(hint_label_);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setMinimumWidth(270);
    scroll->setMaximumWidth(360);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    panel->addWidget(scroll, 1);

    apply_button_ = add_button("PlayApply", QT_TRANSLATE_NOOP("vornel::Tf_play", "Appliquer"), &Tf_play::apply_hint);
    apply_button_->hide();

    status_ = new QLabel(central);
    status_->setObjectName(QStringLiteral("PlayStatus"));
    status_->setWordWrap(true);
    status_->setMaximumWidth(340);
    panel->addWidget(status_);

    row->addLayout(panel);
    setCentralWidget(central);
    board_->setFocus();
}

void Tf_play::play(play::Game game) {
    if (game_ && !game_->finished()) save_for_resume();
    game_ = std::move(game);
    hint_.reset();
    hint_level_ = 0;
    finished_told_ = game_->finished();
    file_.clear();
    board_->set_game(&*game_);
    board_->set_check(std::nullopt);
    board_->set_hint_picture(std::nullopt);
    int first = 0;
    while (first < 80 && game_->is_given(first)) ++first;
    board_->set_selected(first);
    board_->set_highlighted_digit(0);
    pause_button_->setChecked(false);
    game_->set_paused(false);
    hint_label_->clear();
    apply_button_->hide();
    status_->clear();
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

QString Tf_play::resume_path() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/partie-en-cours.vornel");
}

void Tf_play::save_for_resume() {
    if (!game_) return;
    if (game_->finished()) {
        QFile::remove(resume_path());
        last_resume_text_.clear();
        return;
    }
    // Quitting saves from the menu entry and again as the event loop ends: the second write of
    // the same game is skipped.
    const std::string text = play::write_game(game_->saved());
    if (text == last_resume_text_ && QFileInfo::exists(resume_path())) return;
    QDir().mkpath(QFileInfo(resume_path()).absolutePath());
    const QByteArray name = resume_path().toUtf8();
    std::string error;
    if (!play::write_game_file(std::string(name.constData(), static_cast<std::size_t>(name.size())), game_->saved(),
                               error, installed_language())) {
        status_->setText(tr("La partie n'a pas pu être gardée pour la reprendre : %1").arg(from_utf8(error)));
        return;
    }
    last_resume_text_ = text;
}

void Tf_play::report(const QString& text) { boxes_->show({BoxKind::Failure, application_title(), text}); }

// ---- Keys ----

bool Tf_play::on_key(QKeyEvent* event) {
    if (!game_ || board_->hidden()) return false;
    const int cell = board_->selected();
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    switch (event->key()) {
        case Qt::Key_Left: board_->set_selected(cell % 9 == 0 ? cell + 8 : cell - 1); return true;
        case Qt::Key_Right: board_->set_selected(cell % 9 == 8 ? cell - 8 : cell + 1); return true;
        case Qt::Key_Up: board_->set_selected(cell < 9 ? cell + 72 : cell - 9); return true;
        case Qt::Key_Down: board_->set_selected(cell >= 72 ? cell - 72 : cell + 9); return true;
        case Qt::Key_Backspace:
        case Qt::Key_Delete: moved(game_->clear(cell)); return true;
        default: break;
    }
    if (mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const int digit = digit_key(*event);
    if (!digit) return false;
    const bool pencil = (mods & Qt::ShiftModifier) || pencil_action_->isChecked();
    board_->set_highlighted_digit(digit);
    moved(pencil ? game_->toggle_mark(cell, digit) : game_->write(cell, digit));
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
    board_->set_hint_picture(std::nullopt);
    board_->set_check(std::nullopt);
    status_->clear();
    refresh();
    if (game_->finished() && !finished_told_) finish();
}

void Tf_play::undo() {
    if (game_) moved(game_->undo());
}

void Tf_play::redo() {
    if (game_) moved(game_->redo());
}

void Tf_play::fill_candidates() {
    if (game_) moved(game_->fill_candidates());
}

void Tf_play::check() {
    if (!game_ || board_->hidden()) return;
    const play::CheckResult result = game_->check();
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
}

void Tf_play::hint() {
    if (!game_ || board_->hidden() || game_->finished()) return;
    if (!hint_ || hint_level_ >= 3) {
        hint_ = game_->hint(true);
        hint_level_ = 1;
    } else {
        ++hint_level_;
    }
    show_hint_text(play::hint_text(*hint_, static_cast<play::HintLevel>(hint_level_), installed_language()));
    board_->set_hint_picture(hint_picture(*hint_, hint_level_));
    const bool mistake = hint_->kind == play::Hint::Kind::WrongDigit || hint_->kind == play::Hint::Kind::MissingMark;
    if (mistake) {
        board_->set_selected(hint_->where.cell);
        play::CheckResult only;
        if (hint_->kind == play::Hint::Kind::WrongDigit)
            only.wrong_cells.push_back(hint_->where.cell);
        else
            only.missing_marks.push_back(hint_->where);
        board_->set_check(only);
    }
    apply_button_->setVisible(hint_->kind == play::Hint::Kind::Step && hint_level_ == 3);
    hint_button_->setText(hint_level_ < 3 && hint_->kind == play::Hint::Kind::Step ? tr("Indice suivant (H)")
                                                                                   : tr("Indice (H)"));
}

void Tf_play::show_hint_text(const std::vector<std::string>& lines) {
    QString html = tr("<p><b>Indice, niveau %1 sur 3</b></p>").arg(hint_level_);
    for (const std::string& line : lines) html += QStringLiteral("<p>%1</p>").arg(from_utf8(line).toHtmlEscaped());
    if (hint_ && hint_->kind == play::Hint::Kind::Step)
        html +=
            tr("<p><a href=\"%1\">Voir la page de la technique «&nbsp;%2&nbsp;»</a></p>")
                .arg(from_utf8(std::string(ladder::technique_id(hint_->step.technique))),
                     from_utf8(ladder::technique_name(hint_->step.technique, installed_language())).toHtmlEscaped());
    hint_label_->setText(html);
}

void Tf_play::apply_hint() {
    if (!game_ || !hint_ || board_->hidden()) return;
    moved(game_->apply(*hint_));
}

void Tf_play::finish() {
    finished_told_ = true;
    timer_->stop();
    QFile::remove(resume_path());
    last_resume_text_.clear();
    const ladder::Rating& rating = game_->rating();
    boxes_->show({BoxKind::Information, tr("Bravo !"),
                  tr("Grille résolue en %1.\nDifficulté : %2 (score %3).\nIndices demandés : %4.")
                      .arg(from_utf8(play::clock_text(game_->elapsed_ms())),
                           from_utf8(std::string(ladder::level_name(rating.level, installed_language()))))
                      .arg(rating.score)
                      .arg(game_->hints_used())});
}

// ---- Timer ----

void Tf_play::tick() {
    if (!game_) return;
    game_->add_time(since_tick_.restart());
    clock_->setText(tr("Temps : %1").arg(from_utf8(play::clock_text(game_->elapsed_ms()))));
}

void Tf_play::set_paused(bool paused) {
    if (!game_) return;
    tick();
    game_->set_paused(paused);
    board_->set_hidden(paused);
    pause_button_->setChecked(paused);
    pause_button_->setText(paused ? tr("Reprendre") : tr("Pause"));
    if (!paused) board_->setFocus();
}

void Tf_play::refresh() {
    const bool playing = game_.has_value();
    undo_action_->setEnabled(playing && game_->can_undo());
    redo_action_->setEnabled(playing && game_->can_redo());
    if (playing) clock_->setText(tr("Temps : %1").arg(from_utf8(play::clock_text(game_->elapsed_ms()))));
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
    QMainWindow::hideEvent(event);
}

void Tf_play::closeEvent(QCloseEvent* event) {
    save_for_resume();
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
    if (!game_) return;
    FileDialogRequest request{tr("Enregistrer la partie").toStdString(),
                              tr("Partie Vornel (*.vornel)|*.vornel").toStdString(), 1, "", no_replaced_file};
    std::string path = dialogs_->ask_save_file_name(request);
    if (path.empty()) return;
    QString name = from_utf8(path);
    if (!name.endsWith(QStringLiteral(".vornel"))) name += QStringLiteral(".vornel");
    const QByteArray bytes = name.toUtf8();
    std::string error;
    if (!play::write_game_file(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())), game_->saved(),
                               error, installed_language())) {
        report(tr("Impossible d'enregistrer la partie dans « %1 » : %2").arg(name, from_utf8(error)));
        return;
    }
    file_ = name;
    status_->setText(tr("Partie enregistrée dans « %1 ».").arg(QFileInfo(name).fileName()));
}

void Tf_play::export_sud() {
    if (!game_) return;
    std::string path = dialogs_->ask_save_file_name(
        {tr("Exporter la grille").toStdString(), tr("Sudoku (*.sud)|*.sud").toStdString(), 1, ""});
    if (path.empty()) return;
    Values values{};
    for (std::size_t c = 0; c < 81; ++c) values[c] = game_->givens()[c];
    std::string error;
    guarded([&](const std::string& m) { error = m; }, [&] { write_puzzle_file(path, values); });
    if (!error.empty()) report(tr("Impossible d'écrire « %1 » : %2").arg(from_utf8(path), from_utf8(error)));
}

void Tf_play::print_puzzle() {
    if (!game_) return;
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
        look.value = game_->givens()[static_cast<std::size_t>(cell)];
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
                  tr("Flèches : changer de case.\n1 à 9 : écrire un chiffre ; Maj+chiffre ou mode crayon (P) "
                     ": ajouter ou retirer un candidat.\nRetour arrière ou Suppr : effacer.\nCtrl+Z : "
                     "annuler ; Ctrl+Maj+Z ou Ctrl+Y : rétablir.\nH : indice (trois niveaux, demandés "
                     "l'un après l'autre).\nCtrl+N : nouvelle partie ; Ctrl+O : ouvrir ; Ctrl+S : "
                     "enregistrer ; Ctrl+P : imprimer la grille ; Ctrl+Q : quitter.")});
}

void Tf_play::quit_program() {
    save_for_resume();
    QCoreApplication::exit(0);
}

} // namespace vornel
