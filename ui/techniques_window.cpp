// SPDX-License-Identifier: GPL-3.0-or-later
#include "techniques_window.h"

#include <array>

#include <QHBoxLayout>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "ladder/ladder.h"
#include "ladder/narration.h"
#include "ladder/narrator_fr.h"
#include "ladder/narrator_fr_chains.h"
#include "ladder/technique_table.h"
#include "ladder_board.h"
#include "language_choice.h"

namespace vornel {

namespace {

using ladder::Technique;

QString from_utf8(const std::string& text) { return QString::fromStdString(text); }

QFont tahoma(int pixels, bool bold = false) {
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

} // namespace

Tf_techniques::Tf_techniques(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("f_techniques"));
    setWindowTitle(tr("Techniques"));
    if (owner) setWindowIcon(owner->windowIcon());
    setFont(tahoma(11));

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("TechniqueList"));
    list_->setFont(tahoma(13));
    for (int t = 0; t < ladder::kTechniqueCount; ++t)
        list_->addItem(from_utf8(ladder::technique_name(static_cast<Technique>(t), installed_language())));
    list_->setFixedWidth(230);

    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("TechniqueTitle"));
    title_->setFont(tahoma(16, true));
    text_ = new QLabel(this);
    text_->setObjectName(QStringLiteral("TechniqueText"));
    text_->setFont(tahoma(13));
    text_->setWordWrap(true);
    text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text_->setMinimumHeight(90);
    board_ = new PictureBoard(this);
    board_->setObjectName(QStringLiteral("TechniqueBoard"));
    board_->setFixedSize(board_->sizeHint());
    example_ = new QLabel(this);
    example_->setObjectName(QStringLiteral("TechniqueExample"));
    example_->setFont(tahoma(12));
    example_->setWordWrap(true);
    example_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    close_ = new QPushButton(tr("Fermer"), this);
    close_->setObjectName(QStringLiteral("TechniqueClose"));
    close_->setDefault(true);
    connect(close_, &QPushButton::clicked, this, &QWidget::hide);

    auto* example_row = new QHBoxLayout;
    example_row->addWidget(board_, 0, Qt::AlignTop);
    example_row->addWidget(example_, 1);
    auto* key = new QLabel(from_utf8(ladder::cell_key(installed_language())), this);
    key->setObjectName(QStringLiteral("CellKey"));
    key->setFont(tahoma(11));
    auto* page = new QVBoxLayout;
    page->addWidget(key);
    page->addWidget(title_);
    page->addWidget(text_);
    page->addLayout(example_row, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close_);
    page->addLayout(buttons);
    auto* whole = new QHBoxLayout(this);
    whole->addWidget(list_);
    whole->addLayout(page, 1);
    resize(900, 520);

    connect(list_, &QListWidget::currentRowChanged, this, &Tf_techniques::show_page);
    list_->setCurrentRow(0);
}

void Tf_techniques::open() {
    show();
    raise();
    activateWindow();
}

void Tf_techniques::select(Technique technique) { list_->setCurrentRow(static_cast<int>(technique)); }

Technique Tf_techniques::selected() const { return static_cast<Technique>(std::max(0, list_->currentRow())); }

void Tf_techniques::show_page(int row) {
    if (row < 0 || row >= ladder::kTechniqueCount) return;
    const auto technique = static_cast<Technique>(row);
    const char* const example_puzzle = ladder::technique_row(technique).example;
    const std::string_view help = ladder::technique_help(technique, installed_language());
    title_->setText(from_utf8(ladder::technique_name(technique, installed_language())));
    text_->setText(QString::fromUtf8(help.data(), static_cast<qsizetype>(help.size())));

    auto found = examples_.find(row);
    if (found == examples_.end()) {
        Example example;
        if (example_puzzle) {
            vornel::Grid grid{};
            for (int i = 0; i < 81; ++i)
                grid[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(
                    example_puzzle[i] >= '1' && example_puzzle[i] <= '9' ? example_puzzle[i] - '0' : 0);
            const ladder::Explanation explanation = ladder::explain(grid);
            ladder::Candidates state(explanation.puzzle);
            for (std::size_t k = 0; k < explanation.steps.size(); ++k) {
                const ladder::Step& step = explanation.steps[k];
                if (step.technique == technique) {
                    example.picture = ladder::picture_of(state, step, static_cast<int>(k + 1));
                    QStringList sentences;
                    for (const std::string& s : ladder::narrate(step, installed_language())) sentences << from_utf8(s);
                    example.sentences =
                        tr("Exemple, étape %1 de l'explication :\n").arg(k + 1) + sentences.join(QLatin1Char(' '));
                    break;
                }
                state.apply(step);
            }
        }
        found = examples_.emplace(row, std::move(example)).first;
    }
    const Example& example = found->second;
    board_->setVisible(example.picture.has_value());
    if (example.picture) board_->set_picture(*example.picture);
    example_->setText(example.picture ? example.sentences : QString());
}

void Tf_techniques::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (placed_) return;
    placed_ = true;
    QScreen* screen = parentWidget() ? parentWidget()->screen() : this->screen();
    if (!screen) return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

void Tf_techniques::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Tf_techniques::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (QWidget* owner = parentWidget(); owner && !event->spontaneous()) owner->activateWindow();
}

} // namespace vornel
