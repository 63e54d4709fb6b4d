// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's ladder: its menu entries, Button7/Button8, the technique link, the drawing
// over the board, and the ladder view it implements for the ladder session.
#include <QAction>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>

#include "board_widgets.h"
#include "cell_edit.h"
#include "guard.h"
#include "ladder/narration.h"
#include "ladder/narrator_fr.h"
#include "ladder_board.h"
#include "language_choice.h"
#include "log_view.h"
#include "techniques_window.h"
#include "tf_vrn.h"

namespace vornel {

namespace {

// column (or row) 1-9; returns the cell's left (or top) edge in the client area
constexpr int cell_offset(int index) { return 40 * (index - 1) + 8 * ((index - 1) / 3); }
constexpr int kCellSize = 37;

QString from_utf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

} // namespace

template<typename Command>
void Tf_vrn::run_ladder(Command&& command) {
    in_ladder_ = true;
    run_guarded(std::forward<Command>(command));
    in_ladder_ = false;
}

void Tf_vrn::build_ladder() {
    // The log speaks the window's language.
    ladder_.set_language(installed_language());
    // The log wraps its lines to its width: each sentence comes whole, never broken mid-way.
    ladder_.set_line_breaks(ladder::LineBreaks::Whole);
    // Menu entries after the others of their menus.
    struct Entry {
        const char* menu;
        const char* name;
        const char* caption;
        void (Tf_vrn::*handler)();
    };
    const Entry entries[] = {
        {"m_sudoku", "m_ladder_step", QT_TRANSLATE_NOOP("vornel::Tf_vrn", "Toutes les techniques, pas à pas"),
         &Tf_vrn::m_ladder_stepClick},
        {"m_sudoku", "m_ladder_once", QT_TRANSLATE_NOOP("vornel::Tf_vrn", "Toutes les techniques, en une fois"),
         &Tf_vrn::m_ladder_onceClick},
        {"m_sudoku", "m_edit", QT_TRANSLATE_NOOP("vornel::Tf_vrn", "Modifier la grille"), &Tf_vrn::m_editClick},
        {"m_interro", "m_techniques", QT_TRANSLATE_NOOP("vornel::Tf_vrn", "Techniques..."), &Tf_vrn::m_techniquesClick},
    };
    for (const Entry& e : entries) {
        QMenu* menu = menuBar()->findChild<QMenu*>(QString::fromUtf8(e.menu));
        auto* action = new QAction(tr(e.caption), this);
        action->setObjectName(QString::fromUtf8(e.name));
        connect(action, &QAction::triggered, this, e.handler);
        menu->addAction(action);
    }

    // The drawing over the board, above the cells.
    marks_ = new LadderMarks(client_, [](int cell) {
        return QRect(cell_offset(cell % 9 + 1), cell_offset(cell / 9 + 1), kCellSize, kCellSize);
    });
    marks_->setObjectName(QStringLiteral("LadderMarks"));
    marks_->setGeometry(0, 0, 373, 373);
    marks_->hide();

    // Button7 shares Button5's rectangle; Button8 stands to its left, in the free space between
    // the occurrence table and the step buttons; the technique link between the log and them.
    button7_ = new QPushButton(tr("Étape suivante"), client_);
    button7_->setObjectName(QStringLiteral("Button7"));
    button7_->setGeometry(504, 416, 153, 49);
    button7_->hide();
    connect(button7_, &QPushButton::clicked, this, &Tf_vrn::Button7Click);

    button8_ = new QPushButton(tr("Étape précédente"), client_);
    button8_->setObjectName(QStringLiteral("Button8"));
    button8_->setGeometry(380, 416, 120, 49);
    button8_->hide();
    connect(button8_, &QPushButton::clicked, this, &Tf_vrn::Button8Click);

    technique_link_ = new QLabel(client_);
    technique_link_->setObjectName(QStringLiteral("LadderTechnique"));
    technique_link_->setGeometry(432, 392, 305, 20);
    technique_link_->setTextFormat(Qt::RichText);
    technique_link_->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    technique_link_->hide();
    connect(technique_link_, &QLabel::linkActivated, this, &Tf_vrn::open_technique);

    // The walk through the step's links or branches: back, forward (Alt+Left, Alt+Right) and the
    // whole step, in the free space right of Button7.
    const struct {
        QPushButton*& button;
        const char* name;
        const char* caption;
        const char* tip;
        QKeyCombination key;
        QRect rect;
        void (Tf_vrn::*handler)();
    } walks[] = {
        {walk_back_, "WalkBack", QT_TRANSLATE_NOOP("vornel::Tf_vrn", "◀"),
         QT_TRANSLATE_NOOP("vornel::Tf_vrn", "Lien ou branche précédents (Alt+Gauche)"), Qt::ALT | Qt::Key_Left,
         QRect(661, 416, 37, 23), &Tf_vrn::walk_backClick},
        {walk_next_, "WalkNext", QT_TRANSLATE_NOOP("vornel::Tf_vrn", "▶"),
         QT_TRANSLATE_NOOP("vornel::Tf_vrn", "Lien ou branche suivants (Alt+Droite)"), Qt::ALT | Qt::Key_Right,
         QRect(700, 416, 37, 23), &Tf_vrn::walk_nextClick},
        {walk_whole_, "WalkWhole", QT_TRANSLATE_NOOP("vornel::Tf_vrn", "Tout"),
         QT_TRANSLATE_NOOP("vornel::Tf_vrn", "Toute l'étape à la fois (Alt+Haut)"), Qt::ALT | Qt::Key_Up,
         QRect(661, 442, 76, 23), &Tf_vrn::walk_wholeClick},
    };
    for (const auto& w : walks) {
        w.button = new QPushButton(tr(w.caption), client_);
        w.button->setObjectName(QString::fromUtf8(w.name));
        w.button->setToolTip(tr(w.tip));
        w.button->setShortcut(QKeySequence(w.key));
        w.button->setGeometry(w.rect);
        w.button->hide();
        connect(w.button, &QPushButton::clicked, this, w.handler);
    }

    QWidget::setTabOrder(button6_, button7_);
    QWidget::setTabOrder(button7_, button8_);
    QWidget::setTabOrder(button8_, walk_back_);
    QWidget::setTabOrder(walk_back_, walk_next_);
    QWidget::setTabOrder(walk_next_, walk_whole_);
    QWidget::setTabOrder(walk_whole_, technique_link_);
}

// ---- Commands ----

void Tf_vrn::m_ladder_stepClick() {
    const Values start = values_of(area_);
    run_ladder([this] { ladder_.start(ladder::LadderSession::Mode::Step); });
    explained_by(report::Engine::Ladder, start);
    if (ladder_.active() && ladder_.explanation().verdict == ladder::Verdict::Solved)
        show_puzzle_rating(ladder_.explanation().rating);
}

void Tf_vrn::m_ladder_onceClick() {
    const Values start = values_of(area_);
    run_ladder([this] { ladder_.start(ladder::LadderSession::Mode::Once); });
    explained_by(report::Engine::Ladder, start);
    if (ladder_.active() && ladder_.explanation().verdict == ladder::Verdict::Solved)
        show_puzzle_rating(ladder_.explanation().rating);
}

void Tf_vrn::show_puzzle_rating(const std::optional<ladder::Rating>& rating) {
    show_puzzle_level(rating ? std::string(ladder::level_name(rating->level, installed_language())) : std::string());
}

void Tf_vrn::m_editClick() {
    run_ladder([this] { ladder_.edit(); });
}

void Tf_vrn::Button7Click() {
    run_ladder([this] { ladder_.next(); });
}

void Tf_vrn::Button8Click() {
    run_ladder([this] { ladder_.back(); });
}

void Tf_vrn::walk_backClick() {
    run_ladder([this] { ladder_.walk(-1); });
}

void Tf_vrn::walk_nextClick() {
    run_ladder([this] { ladder_.walk(+1); });
}

void Tf_vrn::walk_wholeClick() {
    run_ladder([this] { ladder_.whole(); });
}

void Tf_vrn::m_techniquesClick() {
    run_guarded([this] {
        if (!techniques_) techniques_ = new Tf_techniques(this);
        techniques_->open();
    });
}

void Tf_vrn::open_technique(const QString& id) {
    run_guarded([this, id] {
        if (!techniques_) techniques_ = new Tf_techniques(this);
        ladder::Technique technique;
        if (ladder::technique_from_id(id.toStdString(), technique)) techniques_->select(technique);
        techniques_->open();
    });
}

// ---- Ladder view ----

void Tf_vrn::show_picture(const ladder::BoardPicture& picture) {
    marks_->set_picture(picture);
    marks_->show();
    marks_->raise();
    for (std::size_t i = 0; i < 81; ++i)
        ladder_descriptions_[i] = from_utf8(ladder::describe_cell(picture.cells[i], installed_language()));
    paint_cells();
}

void Tf_vrn::hide_picture() {
    marks_->hide();
    for (QString& description : ladder_descriptions_) description.clear();
    paint_cells();
}

void Tf_vrn::set_ladder_button_visible(ladder::LadderButton button, bool visible) {
    (button == ladder::LadderButton::Button7 ? button7_ : button8_)->setVisible(visible);
}

void Tf_vrn::show_technique(std::optional<ladder::Technique> technique) {
    if (!technique) {
        technique_link_->hide();
        return;
    }
    const QString name = from_utf8(ladder::technique_name(*technique, installed_language())).toHtmlEscaped();
    const QString id = from_utf8(ladder::technique_id(*technique));
    technique_text_ = tr("Technique de l'étape : <a href=\"%1\">%2</a>").arg(id, name);
    technique_link_->setText(technique_text_);
    technique_link_->setToolTip(tr("Ouvre l'explication de la technique"));
    technique_link_->show();
}

void Tf_vrn::show_walk(int part, int parts, const std::string& caption) {
    for (QPushButton* b : {walk_back_, walk_next_, walk_whole_}) b->setVisible(parts > 0);
    walk_whole_->setEnabled(part > 0);
    // While a part is drawn, the step's entry in the log is marked, the line under the log tells
    // the part (shortened to fit; whole in the tooltip), and the technique comes back with the
    // whole step.
    const auto [first, count] =
        part > 0 ? ladder_.log_entry(ladder_.position()) : std::pair<std::size_t, std::size_t>{};
    memo_->highlight_lines(static_cast<int>(first), static_cast<int>(count));
    if (part == 0) {
        technique_link_->setText(technique_text_);
        technique_link_->setToolTip(tr("Ouvre l'explication de la technique"));
        return;
    }
    const QString text = from_utf8(caption);
    technique_link_->setText(
        technique_link_->fontMetrics().elidedText(text, Qt::ElideRight, technique_link_->width()).toHtmlEscaped());
    technique_link_->setToolTip(text);
}

void Tf_vrn::keep_log_line_in_view(std::size_t line) { memo_->keep_line_in_view(static_cast<int>(line)); }

bool Tf_vrn::cells_locked() const {
    for (const CellEdit* c : cells_)
        if (!c->isReadOnly()) return false;
    return true;
}

} // namespace vornel
