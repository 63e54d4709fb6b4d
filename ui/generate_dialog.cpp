// SPDX-License-Identifier: GPL-3.0-or-later
#include "generate_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include "language_choice.h"
#include "narration.h"
#include "narrator_fr.h"

namespace vornel {

namespace {

QString from_utf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// The techniques offered for practice: every step of the ladder a puzzle can be built around.
// A full house alone never finishes a minimal puzzle, and trial is no technique to practise.
bool offered(ladder::Technique technique) {
    return technique != ladder::Technique::FullHouse && technique != ladder::Technique::Trial;
}

} // namespace

GenerateDialog::GenerateDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("generate_dialog"));
    setWindowTitle(tr("Nouvelle grille générée"));

    level_choice_ = new QRadioButton(tr("&Niveau :"), this);
    level_choice_->setObjectName(QStringLiteral("level_choice"));
    level_choice_->setChecked(true);
    level_box_ = new QComboBox(this);
    level_box_->setObjectName(QStringLiteral("level_box"));
    // The generator's levels are the ladder's, in the same order.
    for (int level = 0; level < ladder::kLevelCount; ++level)
        level_box_->addItem(from_utf8(ladder::level_name(static_cast<ladder::Level>(level), installed_language())));
    level_box_->setCurrentIndex(1);

    technique_choice_ = new QRadioButton(tr("&Technique à travailler :"), this);
    technique_choice_->setObjectName(QStringLiteral("technique_choice"));
    technique_box_ = new QComboBox(this);
    technique_box_->setObjectName(QStringLiteral("technique_box"));
    for (int t = 0; t < ladder::kTechniqueCount; ++t) {
        const auto technique = static_cast<ladder::Technique>(t);
        if (offered(technique))
            technique_box_->addItem(QString::fromStdString(ladder::technique_name(technique, installed_language())),
                                    from_utf8(ladder::technique_id(technique)));
    }
    technique_box_->setCurrentIndex(technique_box_->findData(QStringLiteral("x-wing")));
    technique_box_->setEnabled(false);
    connect(level_choice_, &QRadioButton::toggled, this, [this](bool on) {
        level_box_->setEnabled(on);
        technique_box_->setEnabled(!on);
    });

    symmetric_box_ = new QCheckBox(tr("Chiffres donnés &symétriques (demi-tour autour du centre)"), this);
    symmetric_box_->setObjectName(QStringLiteral("symmetric_box"));

    progress_label_ = new QLabel(this);
    progress_label_->setObjectName(QStringLiteral("progress_label"));
    progress_bar_ = new QProgressBar(this);
    progress_bar_->setObjectName(QStringLiteral("progress_bar"));
    progress_bar_->setRange(0, 0); // busy: the number of attempts a request needs is not known
    progress_bar_->setTextVisible(false);
    progress_bar_->hide();

    auto* buttons = new QDialogButtonBox(this);
    generate_button_ = buttons->addButton(tr("&Générer"), QDialogButtonBox::AcceptRole);
    generate_button_->setObjectName(QStringLiteral("generate_button"));
    generate_button_->setDefault(true);
    cancel_button_ = buttons->addButton(tr("Annuler"), QDialogButtonBox::RejectRole);
    cancel_button_->setObjectName(QStringLiteral("cancel_button"));
    connect(generate_button_, &QPushButton::clicked, this, &GenerateDialog::start);
    connect(cancel_button_, &QPushButton::clicked, this, &GenerateDialog::reject);

    auto* choices = new QGridLayout;
    choices->addWidget(level_choice_, 0, 0);
    choices->addWidget(level_box_, 0, 1);
    choices->addWidget(technique_choice_, 1, 0);
    choices->addWidget(technique_box_, 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(symmetric_box_);
    layout->addWidget(progress_label_);
    layout->addWidget(progress_bar_);
    layout->addWidget(buttons);

    progress_timer_ = new QTimer(this);
    progress_timer_->setInterval(200);
    connect(progress_timer_, &QTimer::timeout, this, &GenerateDialog::show_progress);
}

GenerateDialog::~GenerateDialog() {
    if (worker_) {
        stop_ = true;
        worker_->wait();
    }
}

generator::Request GenerateDialog::request() const {
    generator::Request request;
    if (level_choice_->isChecked()) {
        request.level = level_box_->currentIndex();
    } else {
        ladder::Technique technique{};
        if (ladder::technique_from_id(technique_box_->currentData().toString().toStdString(), technique))
            request.needs = technique;
    }
    request.symmetric = symmetric_box_->isChecked();
    return request;
}

void GenerateDialog::start() {
    if (worker_) return;
    for (QWidget* choice : {static_cast<QWidget*>(level_choice_), static_cast<QWidget*>(level_box_),
                            static_cast<QWidget*>(technique_choice_), static_cast<QWidget*>(technique_box_),
                            static_cast<QWidget*>(symmetric_box_), static_cast<QWidget*>(generate_button_)})
        choice->setEnabled(false);
    stop_ = false;
    attempts_ = 0;
    result_.reset();
    const generator::Request request = this->request();
    const std::uint64_t seed = seed_ ? *seed_ : generator::fresh_seed();
    worker_.reset(QThread::create([this, request, seed] {
        generator::Generator generator(request, seed);
        while (!stop_.load(std::memory_order_relaxed)) {
            auto puzzle = generator.attempt();
            attempts_.store(generator.attempts(), std::memory_order_relaxed);
            if (puzzle) {
                result_ = puzzle;
                return;
            }
        }
    }));
    connect(worker_.get(), &QThread::finished, this, &GenerateDialog::worker_done);
    progress_bar_->show();
    show_progress();
    progress_timer_->start();
    worker_->start();
}

void GenerateDialog::show_progress() {
    const long attempts = attempts_.load(std::memory_order_relaxed);
    if (stop_)
        progress_label_->setText(tr("Arrêt de la recherche..."));
    else
        progress_label_->setText(
            (attempts > 1 ? tr("Recherche d'une grille : %1 essais") : tr("Recherche d'une grille : %1 essai"))
                .arg(attempts));
}

void GenerateDialog::worker_done() {
    progress_timer_->stop();
    worker_->wait();
    worker_.reset();
    if (result_ && !stop_) {
        emit generated(*result_);
        accept();
    } else {
        QDialog::reject();
    }
}

void GenerateDialog::reject() {
    if (!worker_) {
        QDialog::reject();
        return;
    }
    // The dialog closes once the worker has ended (worker_done).
    stop_ = true;
    cancel_button_->setEnabled(false);
    show_progress();
}

} // namespace vornel
