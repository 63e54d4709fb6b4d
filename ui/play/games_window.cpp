// SPDX-License-Identifier: GPL-3.0-or-later
#include "games_window.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "language_choice.h"

namespace vornel {

namespace {

QString from_utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

constexpr int kPathRole = Qt::UserRole;

} // namespace

QPixmap game_thumbnail(const play::Game::Saved& saved, int side) {
    const qreal ratio = 2.0; // sharp at 200 %
    QPixmap pixmap(QSize(side, side) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const qreal cell = (side - 1) / 9.0;
    QFont font = painter.font();
    font.setPixelSize(std::max(5, static_cast<int>(cell * 0.75)));
    painter.setFont(font);
    for (int c = 0; c < 81; ++c) {
        const QRectF r((c % 9) * cell, (c / 9) * cell, cell, cell);
        const std::uint8_t given = saved.givens[static_cast<std::size_t>(c)];
        const std::uint8_t value = saved.position.values[static_cast<std::size_t>(c)];
        if (given) painter.fillRect(r, QColor(226, 226, 226));
        if (!value) continue;
        painter.setPen(given ? QColor(Qt::black) : QColor(20, 70, 200));
        painter.drawText(r, Qt::AlignCenter, QString::number(value));
    }
    for (int i = 0; i <= 9; ++i) {
        painter.setPen(QPen(i % 3 == 0 ? QColor(20, 20, 20) : QColor(180, 180, 180), i % 3 == 0 ? 1.0 : 0.5));
        painter.drawLine(QPointF(i * cell, 0), QPointF(i * cell, 9 * cell));
        painter.drawLine(QPointF(0, i * cell), QPointF(9 * cell, i * cell));
    }
    return pixmap;
}

Tf_games::Tf_games(QWidget* parent, const play::GameStore& store, QString playing)
    : QDialog(parent), store_(store), playing_(std::move(playing)) {
    setObjectName(QStringLiteral("f_games"));
    setWindowTitle(tr("Mes parties"));
    confirm_ = [this](const QString& text) {
        return QMessageBox::question(this, tr("Supprimer la partie"), text, QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::No) == QMessageBox::Yes;
    };
    auto* column = new QVBoxLayout(this);
    empty_ = new QLabel(tr("Aucune partie pour l'instant : chaque partie commencée viendra ici, et y restera jusqu'à "
                           "ce que vous la supprimiez."),
                        this);
    empty_->setObjectName(QStringLiteral("GamesEmpty"));
    empty_->setWordWrap(true);
    column->addWidget(empty_);
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("GamesList"));
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setHeaderLabels(
        {tr("Grille"), tr("Commencée le"), tr("Temps"), tr("Avancement"), tr("Indices"), tr("Erreurs")});
    list_->setIconSize(QSize(54, 54));
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    column->addWidget(list_, 1);
    connect(list_, &QTreeWidget::itemActivated, this, &Tf_games::resume_selected);
    connect(list_, &QTreeWidget::currentItemChanged, this, &Tf_games::selection_changed);

    auto* buttons = new QHBoxLayout;
    resume_ = new QPushButton(tr("Reprendre"), this);
    resume_->setObjectName(QStringLiteral("GamesResume"));
    resume_->setToolTip(tr("Reprendre la partie choisie (Entrée, ou double clic)"));
    resume_->setDefault(true);
    delete_ = new QPushButton(tr("Supprimer..."), this);
    delete_->setObjectName(QStringLiteral("GamesDelete"));
    delete_->setToolTip(tr("Supprimer la partie choisie (Suppr)"));
    auto* close = new QPushButton(tr("Fermer"), this);
    close->setObjectName(QStringLiteral("GamesClose"));
    close->setToolTip(tr("Fermer la liste (Échap)"));
    buttons->addWidget(resume_);
    buttons->addWidget(delete_);
    buttons->addStretch(1);
    buttons->addWidget(close);
    column->addLayout(buttons);
    connect(resume_, &QPushButton::clicked, this, &Tf_games::resume_selected);
    connect(delete_, &QPushButton::clicked, this, &Tf_games::delete_selected);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* del = new QShortcut(QKeySequence::Delete, this);
    connect(del, &QShortcut::activated, this, &Tf_games::delete_selected);
    resize(720, 480);
    reload();
}

void Tf_games::reload() {
    const Language language = installed_language();
    list_->clear();
    for (const play::StoredGame& g : store_.list(language)) {
        auto* item = new QTreeWidgetItem(list_);
        const QString path = QString::fromStdString(g.path);
        item->setData(0, kPathRole, path);
        if (!g.saved) {
            item->setText(0, QFileInfo(path).fileName());
            item->setText(3, tr("Illisible : %1").arg(from_utf8(g.problem)));
            item->setToolTip(3, from_utf8(g.problem));
            continue;
        }
        const play::Game::Saved& s = *g.saved;
        item->setIcon(0, QIcon(game_thumbnail(s, 54)));
        const std::int64_t when = s.started ? s.started : g.modified;
        item->setText(1, QLocale().toString(QDateTime::fromSecsSinceEpoch(when), QLocale::ShortFormat));
        item->setText(2, from_utf8(play::clock_text(s.elapsed_ms)));
        item->setText(3, g.finished ? tr("Terminée") : tr("%1 sur %2 cases").arg(g.filled).arg(g.to_fill));
        item->setText(4, QString::number(s.hints));
        item->setText(5, QString::number(s.mistakes));
        if (path == playing_) item->setText(0, tr("(en cours)"));
    }
    if (list_->topLevelItemCount()) list_->setCurrentItem(list_->topLevelItem(0));
    empty_->setVisible(list_->topLevelItemCount() == 0);
    selection_changed();
}

void Tf_games::selection_changed() {
    const QTreeWidgetItem* item = list_->currentItem();
    const QString path = item ? item->data(0, kPathRole).toString() : QString();
    resume_->setEnabled(item && !item->text(1).isEmpty());
    delete_->setEnabled(item && path != playing_);
}

void Tf_games::resume_selected() {
    const QTreeWidgetItem* item = list_->currentItem();
    if (!item || item->text(1).isEmpty()) return;
    emit resume_requested(item->data(0, kPathRole).toString());
    accept();
}

void Tf_games::delete_selected() {
    const QTreeWidgetItem* item = list_->currentItem();
    if (!item) return;
    const QString path = item->data(0, kPathRole).toString();
    if (path == playing_) return;
    const QString what = item->text(1).isEmpty()
                             ? QFileInfo(path).fileName()
                             : tr("la partie commencée le %1 (%2)").arg(item->text(1), item->text(3));
    if (!confirm_(tr("Supprimer %1 ? Elle ne pourra plus être reprise.").arg(what))) return;
    std::string error;
    if (!store_.remove(path.toStdString(), error)) {
        QMessageBox::warning(this, tr("Supprimer la partie"), from_utf8(error));
        return;
    }
    reload();
}

} // namespace vornel
