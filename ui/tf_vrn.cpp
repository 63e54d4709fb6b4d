// SPDX-License-Identifier: GPL-3.0-or-later
#include "tf_vrn.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>

#include "board_widgets.h"
#include "cell_edit.h"
#include "cell_rule.h"
#include "explications.h"
#include "failures.h"
#include "file_dialogs.h"
#include "generate_dialog.h"
#include "guard.h"
#include "ladder.h"
#include "language_choice.h"
#include "log_view.h"
#include "message_box.h"
#include "occurrence_table.h"
#include "open_save.h"
#include "qt_colour.h"
#include "resources.h"
#include "sud_file.h"

namespace vornel {

namespace {

constexpr int kClientWidth = 746;
constexpr int kClientHeight = 482;
constexpr int kCellSize = 37;

// column (or row) 1-9; returns the cell's left (or top) edge in the client area
constexpr int cell_offset(int index) { return 40 * (index - 1) + 8 * ((index - 1) / 3); }

// Rows 1-9: the tops of the row labels "Ligne 1".."Ligne 9".
constexpr int kRowLabelTops[9] = {12, 52, 90, 139, 179, 219, 268, 308, 347};

QString from_utf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

std::size_t cell_index(int row, int col) { return static_cast<std::size_t>((row - 1) * 9 + (col - 1)); }

} // namespace

Tf_vrn::Tf_vrn() : engine_(area_, *this), boxes_(std::make_unique<QtMessageBoxes>(this)) {
    // The classic engine's log speaks the window's language.
    engine_.set_language(installed_language());
    ensure_tahoma();
    setObjectName(QStringLiteral("f_vrn"));
    setWindowTitle(QStringLiteral("Vornel"));
    setWindowIcon(app_icon());
    dialogs_ = std::make_unique<QtFileDialogs>(this);

    build_menu();
    build_transfer_menu();
    build_client();
    build_tab_order();
    build_ladder();
    accept_puzzle_drops();
    build_export_menu();
    build_play_menu();
    build_learn_menu();
    build_language_menu();
    // A fixed border: the window takes exactly the menu bar plus the fixed-size client area.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    FormCreate();
}

Tf_vrn::~Tf_vrn() = default;

void Tf_vrn::build_menu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    struct Entry {
        const char* name;
        const char* caption;
        void (Tf_vrn::*handler)();
    };
    struct Menu {
        const char* name;
        const char* caption;
        std::initializer_list<Entry> entries;
    };
    const Menu menus[] = {
        {"m_fichier",
         QT_TRANSLATE_NOOP("vornel::Tf_vrn", "&Fichier"),
         {{"m_new", QT_TRANSLATE_NOOP("vornel::Tf_vrn", "Nouveau Sudoku"), &Tf_vrn::m_newClick},
          {"m_open", QT_TRANSLATE_NOOP("vornel::Tf_vrn", "Ouvrir..."), &Tf_vrn::m_openClick},
          {"m_save", QT_TRANSLATE_NOOP("vornel::Tf_vrn", "Enregistrer sous..."), &Tf_vrn::m_saveClick},
          {"m_quitter", QT_TRANSLATE_NOOP("vornel::Tf_vrn", "&Quitter"), &Tf_vrn::m_quitterClick}}},
        {"m_sudoku",
         QT_TRANSLATE_NOOP("vornel::Tf_vrn", "&Sudoku"),
         {{"m_step", QT_TRANSLATE_NOOP("vornel::Tf_vrn", "Résoudre pas à  pas"), &Tf_vrn::m_stepClick},
          {"m_number", QT_TRANSLATE_NOOP("vornel::Tf_vrn", "Résoudre chiffre après chiffre"), &Tf_vrn::m_numberClick},
          {"m_once", QT_TRANSLATE_NOOP("vornel::Tf_vrn", "Résoudre en une fois"), &Tf_vrn::m_onceClick}}},
        {"m_interro",
         QT_TRANSLATE_NOOP("vornel::Tf_vrn", "?"),
         {{"m_explications", QT_TRANSLATE_NOOP("vornel::Tf_vrn", "Explications..."), &Tf_vrn::m_explicationsClick},
          {"m_about", QT_TRANSLATE_NOOP("vornel::Tf_vrn", "A propos..."), &Tf_vrn::m_aboutClick}}},
    };
    for (const Menu& m : menus) {
        QMenu* menu = bar->addMenu(tr(m.caption));
        menu->setObjectName(QString::fromUtf8(m.name));
        menu->menuAction()->setObjectName(QString::fromUtf8(m.name) + QStringLiteral("_menu"));
        for (const Entry& e : m.entries) {
            auto* action = new QAction(tr(e.caption), this);
            action->setObjectName(QString::fromUtf8(e.name));
            connect(action, &QAction::triggered, this, e.handler);
            menu->addAction(action);
        }
    }
}

void Tf_vrn::build_client() {
    client_ = new ClientArea(this);
    client_->setObjectName(QStringLiteral("Client"));
    client_->setFixedSize(kClientWidth, kClientHeight);
    client_->setFont(tahoma(11));
    setCentralWidget(client_);

    for (int r = 1; r <= 9; ++r) {
        for (int c = 1; c <= 9; ++c) {
            auto* cell = new CellEdit(r, c, client_);
            cell->setGeometry(cell_offset(c), cell_offset(r), kCellSize, kCellSize);
            cell->setFont(tahoma(24));
            cell->setAccessibleDescription(colour_description(kWhite));
            cell->set_key_hook(
                [this](CellEdit& sender, char16_t& key) { run_guarded([&] { Edit11KeyPress(sender, key); }); });
            connect(cell, &QLineEdit::textChanged, this, [this, cell] { run_guarded([&] { Edit11Change(*cell); }); });
            cells_[cell_index(r, c)] = cell;
        }
    }

    const QRect shapeRects[4] = {{120, 0, 4, 373}, {248, 0, 4, 373}, {0, 120, 372, 4}, {0, 248, 372, 4}};
    for (int i = 0; i < 4; ++i) {
        auto* shape = new Shape(client_);
        shape->setObjectName(QStringLiteral("Shape%1").arg(i + 1));
        shape->setGeometry(shapeRects[i]);
        shapes_[static_cast<std::size_t>(i)] = shape;
    }

    // Labels are sized to their text, text centred.
    auto make_label = [this](int number, const QString& text, int left, int top) {
        auto* label = new QLabel(text, client_);
        label->setObjectName(QStringLiteral("Label%1").arg(number));
        label->setAlignment(Qt::AlignCenter);
        label->adjustSize();
        label->move(left, top);
        return label;
    };
    label1_ = new QLabel(tr("Occurences :"), client_);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setAlignment(Qt::AlignCenter);
    label1_->setFont(tahoma(13, true));
    label1_->adjustSize();
    label1_->move(8, 400);
    label1_->hide();
    for (int c = 1; c <= 9; ++c) make_label(c + 1, tr("Col %1").arg(c), cell_offset(c) + 8, 376);
    for (int r = 1; r <= 9; ++r) make_label(r + 10, tr("Ligne %1").arg(r), 380, kRowLabelTops[r - 1]);

    gr1_ = new OccurrenceTable(client_);
    gr1_->setObjectName(QStringLiteral("gr1"));
    gr1_->setGeometry(-2, 416, 374, 50);
    gr1_->setFont(tahoma(16));
    gr1_->setEnabled(false);
    gr1_->hide();

    memo_ = new LogView(client_);
    memo_->setObjectName(QStringLiteral("Memo1"));
    memo_->setGeometry(432, 8, 305, 380);
    memo_->setFont(tahoma(13));

    button5_ = new QPushButton(tr("Pas suivant"), client_);
    button5_->setObjectName(QStringLiteral("Button5"));
    button5_->setGeometry(504, 416, 153, 49);
    button5_->hide();
    connect(button5_, &QPushButton::clicked, this, &Tf_vrn::Button5Click);

    button6_ = new QPushButton(tr("Chiffre suivant"), client_);
    button6_->setObjectName(QStringLiteral("Button6"));
    button6_->setGeometry(504, 416, 153, 49);
    button6_->hide();
    connect(button6_, &QPushButton::clicked, this, &Tf_vrn::Button6Click);
}

void Tf_vrn::build_tab_order() {
    // Box by box in reading order, and inside each box row by row; then gr1, Memo1 and the buttons.
    QWidget* previous = nullptr;
    auto chain = [&previous](QWidget* next) {
        if (previous) QWidget::setTabOrder(previous, next);
        previous = next;
    };
    for (int box = 1; box <= 9; ++box) {
        const int top = 3 * ((box - 1) / 3) + 1;
        const int left = 3 * ((box - 1) % 3) + 1;
        for (int r = top; r < top + 3; ++r)
            for (int c = left; c < left + 3; ++c) chain(cell(r, c));
    }
    chain(gr1_);
    chain(memo_);
    chain(button5_);
    chain(button6_);
}

void Tf_vrn::FormCreate() {
    client_->set_background(to_qcolor(kBackground));
    for (Shape* shape : shapes_) shape->set_brush(to_qcolor(kBackground));
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) area_.grid[r][c] = 0;
    gr1_->set_column_width(0, 0);
}

CellEdit* Tf_vrn::cell(int row, int col) const {
    if (row < 1 || row > 9 || col < 1 || col > 9) return nullptr;
    return cells_[cell_index(row, col)];
}

void Tf_vrn::set_message_boxes(std::unique_ptr<MessageBoxes> boxes) {
    if (boxes) boxes_ = std::move(boxes);
}

void Tf_vrn::set_file_dialogs(std::unique_ptr<FileDialogs> dialogs) {
    if (dialogs) dialogs_ = std::move(dialogs);
}

void Tf_vrn::report_failure(const std::string& message) {
    boxes_->show({BoxKind::Failure, application_title(), QString::fromStdString(failure_text(message))});
}

// ---- Cell entry ----

void Tf_vrn::Edit11KeyPress(CellEdit& sender, char16_t& key) {
    const bool digit = key >= u'0' && key <= u'9';
    if (!(key == u'\x08' || key == u'.' || digit))
        key = 0;
    else if (digit && !sender.text().isEmpty())
        key = 0;
}

void Tf_vrn::Edit11Change(CellEdit& sender) {
    const QByteArray text = sender.text().toUtf8();
    store_cell_text(area_, sender.tag(), std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
    ladder_.board_edited();
}

void Tf_vrn::activate2() {
    if (CellEdit* first = cell(1, 1)) first->setFocus(Qt::OtherFocusReason);
}

void Tf_vrn::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange) {
        palettes_.clear(); // rebuilt from the new palette at the next paint
        return;
    }
    if (event->type() != QEvent::ActivationChange) return;
    if (isActiveWindow()) {
        // Coming back from a modal box or dialog is no return from another window: the focus
        // goes back where it was.
        if (skip_next_activation_) {
            skip_next_activation_ = false;
            return;
        }
        run_guarded([this] { activate2(); });
    } else {
        QWidget* now = QApplication::activeWindow();
        skip_next_activation_ = (now && now->isModal()) || QApplication::activeModalWidget() != nullptr;
    }
}

void Tf_vrn::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (centred_) return;
    centred_ = true;
    if (QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void Tf_vrn::closeEvent(QCloseEvent* event) {
    // Closing the main window ends the program, explanations windows open or not.
    QMainWindow::closeEvent(event);
    if (event->isAccepted()) QCoreApplication::exit(0);
}

// ---- Board view ----

QString Tf_vrn::colour_description(Colour colour) {
    switch (colour) {
        case kRed: return tr("exclue");
        case kOrange: return tr("occupée par un autre chiffre");
        case kGreen: return tr("chiffre placé");
        default: return tr("libre");
    }
}

void Tf_vrn::set_cell_colour(int row, int col, Colour colour) {
    cell(row, col)->set_colour(colour);
    if (!paint_posted_) {
        paint_posted_ = true;
        QMetaObject::invokeMethod(this, &Tf_vrn::paint_cells, Qt::QueuedConnection);
    }
}

void Tf_vrn::paint_cells() {
    paint_posted_ = false;
    for (CellEdit* target : cells_) {
        const Colour colour = target->colour();
        auto found = palettes_.find(colour);
        if (found == palettes_.end()) {
            QPalette palette = target->palette();
            palette.setColor(QPalette::Base, to_qcolor(colour));
            found = palettes_.emplace(colour, palette).first;
        }
        const QString& ladder =
            ladder_descriptions_[static_cast<std::size_t>((target->row() - 1) * 9 + target->col() - 1)];
        target->apply_colour(found->second, ladder.isEmpty() ? colour_description(colour) : ladder);
    }
}

Colour Tf_vrn::cell_colour(int row, int col) const { return cell(row, col)->colour(); }

void Tf_vrn::set_cell_text(int row, int col, std::string_view text) { cell(row, col)->setText(from_utf8(text)); }

void Tf_vrn::set_cell_read_only(int row, int col, bool read_only) { cell(row, col)->setReadOnly(read_only); }

void Tf_vrn::clear_log() {
    // Another command taking the board over ends the ladder's display.
    if (!in_ladder_ && ladder_.active()) ladder_.taken_over();
    // A new grid also forgets the candidates of a pasted position.
    if (!in_ladder_) ladder_.forget_position();
    // So does a new grid (New, Open, a paste): nothing explained since, nothing to export.
    if (!in_ladder_ && !in_solve_) forget_explanation();
    memo_->clear_log();
}

void Tf_vrn::append_log(std::string_view line) { memo_->append_line(from_utf8(line)); }

void Tf_vrn::set_button_visible(StepButton button, bool visible) {
    (button == StepButton::Button5 ? button5_ : button6_)->setVisible(visible);
}

void Tf_vrn::show_occurrence_table() {
    label1_->show();
    gr1_->show();
}

void Tf_vrn::set_occurrence_cell(int col, int row, std::string_view text) { gr1_->set_cell(col, row, from_utf8(text)); }

// ---- Commands ----

void Tf_vrn::m_newClick() {
    run_guarded([this] {
        engine_.new_puzzle();
        show_puzzle_origin({}, {});
    });
}

void Tf_vrn::m_openClick() {
    run_guarded([this] {
        if (const std::string name = open_command(engine_, *dialogs_); !name.empty()) show_puzzle_origin(name, {});
    });
}

void Tf_vrn::m_saveClick() {
    run_guarded([this] {
        if (const std::string name = save_command(engine_, *dialogs_); !name.empty())
            show_puzzle_origin(name, origin_level_.toStdString());
    });
}

void Tf_vrn::show_puzzle_origin(const std::string& file, const std::string& level) {
    origin_file_ = QFileInfo(QFile::decodeName(file.c_str())).fileName();
    show_puzzle_level(level);
}

void Tf_vrn::show_puzzle_level(const std::string& level) {
    origin_level_ = from_utf8(level);
    QStringList parts;
    if (!origin_file_.isEmpty()) parts << origin_file_;
    if (!origin_level_.isEmpty()) parts << tr("niveau %1").arg(origin_level_);
    setWindowTitle(parts.isEmpty() ? QStringLiteral("Vornel")
                                   : QStringLiteral("Vornel — ") + parts.join(QStringLiteral(", ")));
}

void Tf_vrn::m_quitterClick() {
    run_guarded([] { QCoreApplication::exit(0); });
}

// A puzzle from the generator is shown as "Ouvrir..." shows a puzzle read from a file.
void Tf_vrn::m_generateClick() {
    auto* dialog = new GenerateDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &GenerateDialog::generated, this, [this](const generator::Grid& puzzle) {
        run_guarded([this, &puzzle] {
            Values values{};
            for (std::size_t c = 0; c < values.size(); ++c) values[c] = puzzle[c];
            store_values(area_, values);
            engine_.show_grid();
            // The generator rated it already; rating it again takes milliseconds.
            origin_file_.clear();
            show_puzzle_rating(ladder::explain(values).rating);
        });
    });
    dialog->open();
}

void Tf_vrn::run_solve_command(void (Engine::*command)()) {
    run_guarded([this, command] {
        const Values start = values_of(area_);
        in_solve_ = true;
        ladder_.solve_command_started();
        (engine_.*command)();
        explained_by(report::Engine::Classic, start);
    });
    in_solve_ = false;
}

void Tf_vrn::m_stepClick() { run_solve_command(&Engine::m_stepClick); }

void Tf_vrn::m_numberClick() { run_solve_command(&Engine::m_numberClick); }

void Tf_vrn::m_onceClick() { run_solve_command(&Engine::m_onceClick); }

void Tf_vrn::Button5Click() {
    in_solve_ = true;
    run_guarded([this] { engine_.Button5Click(); });
    in_solve_ = false;
}

void Tf_vrn::Button6Click() {
    in_solve_ = true;
    run_guarded([this] { engine_.Button6Click(); });
    in_solve_ = false;
}

void Tf_vrn::m_explicationsClick() {
    run_guarded([this] { show_explications(this); });
}

void Tf_vrn::m_aboutClick() {
    run_guarded([this] {
        boxes_->show({BoxKind::Information, tr("A propos"), tr("VRN v 1.0\r\n© 2026 Les développeurs de Vornel"),
                      tr("Logiciel libre sous licence GPL-3.0-or-later (GNU GPL version 3 ou ultérieure), "
                         "sans aucune garantie.")});
    });
}

} // namespace vornel
