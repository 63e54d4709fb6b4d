// SPDX-License-Identifier: GPL-3.0-or-later
#include "learn_window.h"

#include <random>

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QThread>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "exercise_board.h"
#include "ladder/narration.h"
#include "ladder/technique_table.h"
#include "language_choice.h"
#include "techniques_window.h"

namespace vornel {

namespace {

QString from_utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string local(const QString& path) {
    const QByteArray bytes = path.toUtf8();
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

constexpr int kSeries = 10;

} // namespace

Tf_learn::Tf_learn(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("f_learn"));
    setWindowTitle(tr("Vornel — Exercices"));
    seed_ = std::random_device{}();
    std::string warning;
    progress_ = learn::load_progress(local(progress_path()), warning, installed_language());
    build();
    if (!warning.empty()) verdict_->setText(from_utf8(warning).toHtmlEscaped());
}

Tf_learn::~Tf_learn() {
    if (worker_) {
        stop_->store(true);
        worker_->wait();
    }
}

QString Tf_learn::progress_path() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/progres.txt");
}

void Tf_learn::build() {
    auto* row = new QHBoxLayout(this);
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("LearnTechniques"));
    list_->setHeaderLabels({tr("Technique"), tr("Réussis")});
    list_->setMinimumWidth(330);
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    list_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    row->addWidget(list_);
    connect(list_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (!item || !item->data(0, Qt::UserRole).isValid()) return;
        const auto technique = static_cast<ladder::Technique>(item->data(0, Qt::UserRole).toInt());
        if (technique != technique_) select(technique);
    });

    board_ = new ExerciseBoard(this);
    row->addWidget(board_, 1);

    auto* panel = new QVBoxLayout;
    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("LearnTitle"));
    QFont bold = title_->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    title_->setFont(bold);
    title_->setWordWrap(true);
    panel->addWidget(title_);
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("LearnCount"));
    panel->addWidget(count_);
    auto* how = new QLabel(tr("Cliquez un candidat pour le retirer ; clic droit ou Maj+clic pour le placer. Au "
                              "clavier : flèches, chiffre pour retirer, Maj+chiffre pour placer."),
                           this);
    how->setWordWrap(true);
    panel->addWidget(how);
    verdict_ = new QLabel(this);
    verdict_->setObjectName(QStringLiteral("LearnVerdict"));
    verdict_->setWordWrap(true);
    verdict_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    verdict_->setMinimumWidth(280);
    panel->addWidget(verdict_, 1);
    auto add = [&](const char* name, const QString& caption, const QString& tip, void (Tf_learn::*slot)()) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QString::fromUtf8(name));
        button->setToolTip(tip);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QPushButton::clicked, this, slot);
        panel->addWidget(button);
        return button;
    };
    validate_ = add("LearnValidate", tr("Valider"), tr("Entrée"), &Tf_learn::validate);
    show_ = add("LearnShow", tr("Montrer le pas"), tr("S"), &Tf_learn::show_step);
    next_ = add("LearnNext", tr("Exercice suivant"), tr("N"), &Tf_learn::next_exercise);
    add("LearnHelp", tr("Page de la technique"), tr("F1"), &Tf_learn::show_help);
    row->addLayout(panel);
    fill_list();
    resize(1080, 620);
}

void Tf_learn::fill_list() {
    list_->clear();
    const Language language = installed_language();
    QTreeWidgetItem* families[learn::kFamilyCount] = {};
    for (const ladder::TechniqueRow& row : ladder::technique_table()) {
        if (!learn::can_practise(row.technique)) continue;
        const auto family = static_cast<std::size_t>(learn::family_of(row.technique));
        if (!families[family]) {
            families[family] =
                new QTreeWidgetItem(list_, {from_utf8(learn::family_name(learn::family_of(row.technique), language))});
            families[family]->setFlags(Qt::ItemIsEnabled);
            families[family]->setExpanded(true);
        }
        const learn::TechniqueProgress& p = progress_.of(row.technique);
        const QString done = learn::mastered(p) ? tr("%1 ✓").arg(p.solved) : QString::number(p.solved);
        auto* item =
            new QTreeWidgetItem(families[family], {from_utf8(ladder::technique_name(row.technique, language)), done});
        item->setData(0, Qt::UserRole, static_cast<int>(row.technique));
    }
}

void Tf_learn::open(std::optional<ladder::Technique> technique) {
    if (!technique) technique = learn::next_to_master(progress_);
    select(technique.value_or(ladder::Technique::HiddenSingle));
    show();
    raise();
    activateWindow();
    board_->setFocus();
}

void Tf_learn::select(ladder::Technique technique) {
    technique_ = technique;
    exercise_.reset();
    next_ready_.reset();
    number_ = 0;
    solved_in_series_ = 0;
    for (QTreeWidgetItemIterator it(list_); *it; ++it)
        if ((*it)->data(0, Qt::UserRole).isValid() &&
            (*it)->data(0, Qt::UserRole).toInt() == static_cast<int>(technique))
            list_->setCurrentItem(*it);
    title_->setText(from_utf8(ladder::technique_name(technique, installed_language())));
    board_->set_exercise(nullptr);
    verdict_->setText(tr("Préparation d'un exercice…"));
    validate_->setEnabled(false);
    show_->setEnabled(false);
    next_->setEnabled(false);
    // An exercise under way for another technique is abandoned.
    if (worker_ && worker_technique_ != technique) stop_->store(true);
    prepare();
}

void Tf_learn::prepare() {
    if (worker_) return;
    stop_ = std::make_shared<std::atomic<bool>>(false);
    result_ = std::make_shared<std::optional<learn::Exercise>>();
    worker_technique_ = technique_;
    const ladder::Technique technique = technique_;
    const std::uint64_t seed = seed_++;
    auto stop = stop_;
    auto result = result_;
    worker_ =
        QThread::create([technique, seed, stop, result] { *result = learn::make_exercise(technique, seed, *stop); });
    connect(worker_, &QThread::finished, this, &Tf_learn::prepared);
    worker_->start(QThread::LowPriority);
}

void Tf_learn::prepared() {
    worker_->deleteLater();
    worker_ = nullptr;
    const bool current = worker_technique_ == technique_ && !stop_->load();
    std::optional<learn::Exercise> made = std::move(*result_);
    if (!current) {
        prepare();
        return;
    }
    if (!made) {
        verdict_->setText(tr("Aucun exercice n'a pu être préparé pour cette technique."));
        return;
    }
    if (!exercise_) {
        present(std::move(*made));
        prepare(); // the next one, while the player works
    } else {
        next_ready_ = std::move(made);
        next_->setEnabled(true);
    }
}

void Tf_learn::present(learn::Exercise exercise) {
    exercise_ = std::move(exercise);
    ++number_;
    step_shown_ = false;
    answered_ = false;
    board_->set_exercise(&*exercise_);
    count_->setText(number_ <= kSeries ? tr("Exercice %1 sur %2").arg(number_).arg(kSeries)
                                       : tr("Exercice %1 (au-delà de la série)").arg(number_));
    verdict_->setText(tr("Trouvez un pas de cette technique et marquez ce qu'il change, puis « Valider »."));
    validate_->setEnabled(true);
    show_->setEnabled(true);
    next_->setEnabled(next_ready_.has_value());
    board_->setFocus();
}

void Tf_learn::validate() {
    if (!exercise_ || step_shown_) return;
    const learn::Judgement judgement = learn::judge(*exercise_, board_->marked());
    const Language language = installed_language();
    QString text = from_utf8(learn::judgement_text(judgement, *exercise_, language)).toHtmlEscaped();
    if (judgement.kind == learn::Judgement::Kind::Empty) {
        verdict_->setText(text);
        return;
    }
    learn::TechniqueProgress& p = progress_.of(exercise_->technique);
    if (!answered_) {
        ++p.tried;
        answered_ = true;
    }
    if (judgement.kind == learn::Judgement::Kind::Found) {
        ++p.solved;
        ++p.solved_without_hints;
        ++solved_in_series_;
        step_shown_ = true; // answered: the step is shown, the exercise is over
        board_->show_step(judgement.instance);
        for (const std::string& line : ladder::narrate_sentences(*judgement.instance, language))
            text += QStringLiteral("<p>%1</p>").arg(from_utf8(line).toHtmlEscaped());
        validate_->setEnabled(false);
        if (number_ == kSeries)
            text += tr("<p><b>Série terminée : %1 sur %2.</b> « Exercice suivant » en donne d'autres.</p>")
                        .arg(solved_in_series_)
                        .arg(kSeries);
    }
    verdict_->setText(text);
    save_progress();
    fill_list();
}

void Tf_learn::show_step() {
    if (!exercise_) return;
    if (!answered_) {
        ++progress_.of(exercise_->technique).tried;
        answered_ = true;
        save_progress();
        fill_list();
    }
    step_shown_ = true;
    board_->show_step(exercise_->step);
    QString text;
    for (const std::string& line : ladder::narrate_sentences(exercise_->step, installed_language()))
        text += QStringLiteral("<p>%1</p>").arg(from_utf8(line).toHtmlEscaped());
    verdict_->setText(text);
    validate_->setEnabled(false);
}

void Tf_learn::next_exercise() {
    if (!next_ready_) return;
    learn::Exercise next = std::move(*next_ready_);
    next_ready_.reset();
    present(std::move(next));
    prepare();
}

void Tf_learn::show_help() {
    if (!techniques_) techniques_ = new Tf_techniques(this);
    techniques_->select(technique_);
    techniques_->open();
}

void Tf_learn::save_progress() {
    QDir().mkpath(QFileInfo(progress_path()).absolutePath());
    std::string error;
    if (!learn::save_progress(local(progress_path()), progress_, error, installed_language()))
        verdict_->setText(verdict_->text() + QStringLiteral("<p>%1</p>").arg(from_utf8(error).toHtmlEscaped()));
}

void Tf_learn::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: validate(); return;
        case Qt::Key_S: show_step(); return;
        case Qt::Key_N: next_exercise(); return;
        case Qt::Key_F1: show_help(); return;
        case Qt::Key_Escape: close(); return;
        default: QWidget::keyPressEvent(event);
    }
}

} // namespace vornel
