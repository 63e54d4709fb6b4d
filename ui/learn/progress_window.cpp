// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress_window.h"

#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QTableWidget>
#include <QVBoxLayout>

#include "exercise.h"
#include "ladder/narration.h"
#include "ladder/technique_table.h"
#include "language_choice.h"
#include "learn_window.h"

namespace vornel {

namespace {

QString from_utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

// One bar per family: the share of its techniques mastered, with the count written in it, so
// that the chart reads without colour.
class Tf_progress::Chart final : public QWidget {
public:
    explicit Chart(QWidget* parent) : QWidget(parent) { setMinimumHeight(learn::kFamilyCount * 22 + 8); }
    void set(const learn::Progress& progress) {
        mastered_.fill(0);
        total_.fill(0);
        for (const ladder::TechniqueRow& row : ladder::technique_table()) {
            if (!learn::can_practise(row.technique)) continue;
            const auto f = static_cast<std::size_t>(learn::family_of(row.technique));
            ++total_[f];
            if (learn::mastered(progress.of(row.technique))) ++mastered_[f];
        }
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const int label = 200;
        const int bar = std::max(60, width() - label - 12);
        for (int f = 0; f < learn::kFamilyCount; ++f) {
            const auto i = static_cast<std::size_t>(f);
            if (total_[i] == 0) continue;
            const int y = 4 + f * 22;
            p.setPen(palette().color(QPalette::WindowText));
            p.drawText(QRect(0, y, label - 8, 18), Qt::AlignRight | Qt::AlignVCenter,
                       from_utf8(learn::family_name(static_cast<learn::Family>(f), installed_language())));
            const QRect whole(label, y, bar, 18);
            p.setPen(QPen(Qt::black, 1));
            p.setBrush(Qt::white);
            p.drawRect(whole);
            QRect done = whole;
            done.setWidth(bar * mastered_[i] / total_[i]);
            p.setBrush(QBrush(QColor(0, 90, 181), Qt::BDiagPattern)); // hatched: reads in greyscale too
            p.drawRect(done);
            p.drawText(whole, Qt::AlignCenter, QStringLiteral("%1 / %2").arg(mastered_[i]).arg(total_[i]));
        }
    }

private:
    std::array<int, learn::kFamilyCount> mastered_{};
    std::array<int, learn::kFamilyCount> total_{};
};

Tf_progress::Tf_progress(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("f_progress"));
    setWindowTitle(tr("Vornel — Progrès"));
    auto* layout = new QVBoxLayout(this);
    next_ = new QLabel(this);
    next_->setObjectName(QStringLiteral("ProgressNext"));
    next_->setWordWrap(true);
    layout->addWidget(next_);
    chart_ = new Chart(this);
    layout->addWidget(chart_);
    table_ = new QTableWidget(this);
    table_->setObjectName(QStringLiteral("ProgressTable"));
    table_->setColumnCount(8);
    table_->setHorizontalHeaderLabels({tr("Technique"), tr("Exercices"), tr("Réussis"), tr("Sans aide"),
                                       tr("Indices 1"), tr("Indices 2"), tr("Indices 3"), tr("Vue en partie")});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    layout->addWidget(table_, 1);
    resize(820, 640);
}

void Tf_progress::open() {
    std::string warning;
    const QByteArray path = Tf_learn::progress_path().toUtf8();
    show_progress(learn::load_progress(std::string(path.constData(), static_cast<std::size_t>(path.size())), warning,
                                       installed_language()));
    if (!warning.empty()) next_->setText(next_->text() + QStringLiteral("\n") + from_utf8(warning));
    show();
    raise();
    activateWindow();
}

void Tf_progress::show_progress(const learn::Progress& progress) {
    const Language language = installed_language();
    table_->setRowCount(0);
    for (const ladder::TechniqueRow& row : ladder::technique_table()) {
        if (!learn::can_practise(row.technique)) continue;
        const learn::TechniqueProgress& p = progress.of(row.technique);
        const int r = table_->rowCount();
        table_->insertRow(r);
        QString name = from_utf8(ladder::technique_name(row.technique, language));
        if (learn::mastered(p)) name += tr(" (maîtrisée)");
        const QString cells[] = {name,
                                 QString::number(p.tried),
                                 QString::number(p.solved),
                                 QString::number(p.solved_without_hints),
                                 QString::number(p.hints[0]),
                                 QString::number(p.hints[1]),
                                 QString::number(p.hints[2]),
                                 QString::number(p.recognised)};
        for (int c = 0; c < 8; ++c) table_->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
    chart_->set(progress);
    // The next techniques on the ladder: the first three not mastered.
    QStringList next;
    for (const ladder::TechniqueRow& row : ladder::technique_table())
        if (learn::can_practise(row.technique) && !learn::mastered(progress.of(row.technique)) && next.size() < 3)
            next << from_utf8(ladder::technique_name(row.technique, language));
    next_->setText(next.isEmpty() ? tr("Toutes les techniques sont maîtrisées.")
                                  : tr("À travailler ensuite : %1. Une technique est maîtrisée après trois exercices "
                                       "réussis sans aide et un emploi en partie.")
                                        .arg(next.join(QStringLiteral(", "))));
}

} // namespace vornel
