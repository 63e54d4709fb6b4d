// SPDX-License-Identifier: GPL-3.0-or-later
// The puzzle's ways in and out of the window besides the Open and Save dialogs: the clipboard
// ("Coller une grille", "Copier la grille") and drag and drop.

#include "puzzle_transfer.h"

#include "language_choice.h"

#include <bit>

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#include "cell_edit.h"
#include "guard.h"
#include "log_view.h"
#include "open_save.h"
#include "position_text.h"
#include "puzzle_text.h"
#include "tf_vrn.h"

namespace vornel {

namespace {

std::string utf8(const QString& text) { return text.toUtf8().toStdString(); }

// Takes puzzle drops on the widget it watches before the widget sees them; every other drag
// goes on to the widget as usual.
class PuzzleDrops final : public QObject {
public:
    explicit PuzzleDrops(Tf_vrn& window) : QObject(&window), window_(&window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::DragEnter:
            case QEvent::DragMove: {
                auto* drag = static_cast<QDragMoveEvent*>(event);
                // The data stays the same through one drag: read it once, on entering.
                if (event->type() == QEvent::DragEnter || drag->mimeData() != seen_) {
                    seen_ = drag->mimeData();
                    taken_ = puzzle_offer(seen_).kind != PuzzleOffer::Kind::none;
                }
                if (!taken_) return false;
                drag->setDropAction(Qt::CopyAction);
                drag->accept();
                return true;
            }
            case QEvent::Drop: {
                auto* drop = static_cast<QDropEvent*>(event);
                PuzzleOffer offer = puzzle_offer(drop->mimeData());
                if (offer.kind == PuzzleOffer::Kind::none) return false;
                drop->setDropAction(Qt::CopyAction);
                drop->accept();
                // Opened once the drop is over: a failure box must not hold up the program the
                // drag came from.
                QTimer::singleShot(0, window_, [window = window_, offer = std::move(offer)] {
                    if (!window) return;
                    if (offer.kind == PuzzleOffer::Kind::file)
                        window->open_puzzle_file(offer.path);
                    else
                        window->bring_in_puzzle_text(offer.text);
                });
                return true;
            }
            default: return QObject::eventFilter(watched, event);
        }
    }

private:
    QPointer<Tf_vrn> window_;
    const QMimeData* seen_ = nullptr; // the data of the drag under way, not owned
    bool taken_ = false;              // whether it holds a puzzle
};

} // namespace

PuzzleOffer puzzle_offer(const QMimeData* data) {
    PuzzleOffer offer;
    if (!data) return offer;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) continue;
        const QString path = url.toLocalFile();
        if (!path.endsWith(QStringLiteral(".sud"), Qt::CaseInsensitive)) continue;
        offer.kind = PuzzleOffer::Kind::file;
        offer.path = QFile::encodeName(path).toStdString();
        return offer;
    }
    if (data->hasUrls()) return offer; // files, but none of ours: their names are no puzzle
    if (data->hasText() && (read_puzzle_text(utf8(data->text())).ok || read_position_text(utf8(data->text())).ok)) {
        offer.kind = PuzzleOffer::Kind::text;
        offer.text = data->text();
    }
    return offer;
}

std::string refusal_message(TextSource source, const std::string& problem) {
    const QString first =
        source == TextSource::clipboard
            ? QCoreApplication::translate("vornel::Tf_vrn", "Le presse-papiers ne contient pas de grille.")
            : QCoreApplication::translate("vornel::Tf_vrn", "Le texte ne contient pas de grille.");
    return first.toStdString() + ("\n" + problem) + "\n" + std::string(puzzle_text_expected(installed_language()));
}

namespace {

// Brings in the puzzle `text` holds, or throws the failure that refuses it (board untouched). A
// position with its candidates puts its placed digits on the board and its candidates in pencil.
void show_text_puzzle(Engine& engine, WorkArea& area, ladder::LadderSession& ladder, const QString& text,
                      TextSource source) {
    const std::string bytes = utf8(text);
    const PuzzleText read = read_puzzle_text(bytes);
    if (read.ok) {
        store_values(area, read.values);
        engine.show_grid();
        return;
    }
    const Language language = installed_language();
    const PositionText position = read_position_text(bytes, language);
    if (!position.ok)
        throw Failure(refusal_message(source, position.problem.empty() ? text_problem_words(read.reason, language)
                                                                       : position.problem));
    Values placed{};
    for (std::size_t cell = 0; cell < 81; ++cell)
        if (std::has_single_bit(position.marks[cell]))
            placed[cell] = static_cast<std::int16_t>(std::countr_zero(position.marks[cell]));
    store_values(area, placed);
    engine.show_grid();
    ladder.show_position(position.marks);
}

} // namespace

// ---- The window's side ----

void Tf_vrn::build_transfer_menu() {
    auto* fichier = menuBar()->findChild<QMenu*>(QStringLiteral("m_fichier"));
    if (!fichier) return;
    struct Entry {
        const char* name;
        const char* caption;
        QKeySequence shortcut;
        void (Tf_vrn::*handler)();
    };
    const Entry entries[] = {
        {"m_paste", QT_TRANSLATE_NOOP("vornel::Tf_vrn", "Coller une grille"),
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V), &Tf_vrn::m_pasteClick},
        {"m_copy", QT_TRANSLATE_NOOP("vornel::Tf_vrn", "Copier la grille"),
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), &Tf_vrn::m_copyClick},
        {"m_generate", QT_TRANSLATE_NOOP("vornel::Tf_vrn", "Nouvelle grille générée..."), QKeySequence(),
         &Tf_vrn::m_generateClick},
    };
    for (const Entry& e : entries) {
        auto* action = new QAction(tr(e.caption), this);
        action->setObjectName(QString::fromUtf8(e.name));
        action->setShortcut(e.shortcut);
        connect(action, &QAction::triggered, this, e.handler);
        fichier->addAction(action);
    }
}

void Tf_vrn::accept_puzzle_drops() {
    auto* drops = new PuzzleDrops(*this);
    setAcceptDrops(true);
    installEventFilter(drops);
    for (CellEdit* target : cells_) target->installEventFilter(drops);
    memo_->installEventFilter(drops);
}

void Tf_vrn::open_puzzle_file(const std::string& path) {
    run_guarded([this, &path] {
        vornel::open_puzzle_file(engine_, path);
        show_puzzle_origin(path, {});
    });
}

void Tf_vrn::bring_in_puzzle_text(const QString& text) {
    run_guarded([this, &text] {
        show_text_puzzle(engine_, area_, ladder_, text, TextSource::drop);
        show_puzzle_origin({}, {});
    });
}

void Tf_vrn::m_pasteClick() {
    run_guarded([this] {
        show_text_puzzle(engine_, area_, ladder_, QGuiApplication::clipboard()->text(), TextSource::clipboard);
        show_puzzle_origin({}, {});
    });
}

void Tf_vrn::m_copyClick() {
    run_guarded(
        [this] { QGuiApplication::clipboard()->setText(QString::fromStdString(puzzle_line(values_of(area_)))); });
}

} // namespace vornel
