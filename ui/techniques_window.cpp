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
#include "ladder/narrator_fr.h"
#include "ladder/narrator_fr_chains.h"
#include "ladder_board.h"

namespace vornel {

namespace {

using ladder::Technique;

// In the order of the Technique list. The examples are puzzles in which the ladder needs the
// technique; the page shows its first use.
const std::array<TechniquePage, ladder::kTechniqueCount> kPages = {{
    // FullHouse
    {"Une région, une ligne ou une colonne n'a plus qu'une case vide : elle reçoit le seul chiffre "
     "qui manque à cette région, cette ligne ou cette colonne.",
     "600001000050000000308960000430000000905308160000600000000000000001807930507004010"},
    // HiddenSingle
    {"Dans une région, une ligne ou une colonne, un chiffre n'a plus qu'une case où aller : nous "
     "l'y écrivons, même si la case admet d'autres candidats.",
     "400070100001904605000001000000700002002030000847006000014000806020000300600090000"},
    // NakedSingle
    {"Une case n'a plus qu'un candidat : tous les autres chiffres sont déjà dans sa ligne, sa "
     "colonne ou sa région. Nous y écrivons ce chiffre.",
     "000030800700280503000000070000003905100028060000900007300600700020095010010070002"},
    // Pointing
    {"Dans une région, les places d'un chiffre sont toutes sur une même ligne (ou une même "
     "colonne). Le chiffre de cette région sera sur cette ligne : nous le retirons des autres "
     "cases de la ligne, hors de la région.",
     "000000700000500043010300895020400000090800400300002900500004000401030520072010000"},
    // Claiming
    {"Dans une ligne (ou une colonne), les places d'un chiffre sont toutes dans une même région. "
     "Le chiffre de cette ligne sera dans cette région : nous le retirons des autres cases de la "
     "région.",
     "249060003030000200800000005000006000000200000010040820090500700004000001070003000"},
    // NakedPair
    {"Deux cases d'une même région, ligne ou colonne ne peuvent contenir que les deux mêmes "
     "chiffres. Ces deux chiffres iront dans ces deux cases : nous les retirons des autres cases "
     "de cette région, ligne ou colonne.",
     "000014000030000200070000000000900030601000000000000080200000104000050600000708000"},
    // HiddenPair
    {"Dans une région, une ligne ou une colonne, deux chiffres n'ont que les deux mêmes cases où "
     "aller. Ces deux cases leur sont réservées : nous en retirons tous les autres candidats.",
     "469000502051000609000000000014000006000003000675900000090106700000500000000470305"},
    // NakedTriple
    {"Trois cases d'une même région, ligne ou colonne ne peuvent contenir, à elles trois, que trois "
     "chiffres. Ces trois chiffres y iront : nous les retirons des autres cases de l'ensemble.",
     "100000308060400000000000000203010000000000095800000000050600070000080200040000000"},
    // HiddenTriple
    {"Dans une région, une ligne ou une colonne, trois chiffres n'ont, à eux trois, que trois cases "
     "où aller. Ces cases leur sont réservées : nous en retirons les autres candidats.",
     "530020900024030050009000000000010827000700000000098100000000000006400009102050430"},
    // NakedQuad
    {"Quatre cases d'une même région, ligne ou colonne ne peuvent contenir, à elles quatre, que "
     "quatre chiffres : nous retirons ces chiffres des autres cases de l'ensemble.",
     "000070080006000500020003061010007002008005340200900000002000000580006030400010000"},
    // HiddenQuad
    {"Dans une région, une ligne ou une colonne, quatre chiffres n'ont, à eux quatre, que quatre "
     "cases où aller : nous retirons de ces cases tous les autres candidats.",
     nullptr},
    // XWing
    {"Dans deux lignes, un chiffre n'a que deux places, et ce sont les deux mêmes colonnes. Il "
     "occupera ces deux colonnes dans ces deux lignes, en diagonale : nous le retirons des autres "
     "cases de ces colonnes. (Lignes et colonnes peuvent échanger leurs rôles.)",
     "100000004000920000045000200604070085508600009070000600000000960000000000829400057"},
    // Skyscraper
    {"Dans deux lignes, un chiffre n'a que deux places chacune, et l'une des places est dans la "
     "même colonne pour les deux. Des deux autres places, l'une au moins reçoit le chiffre : nous "
     "le retirons des cases qui voient ces deux places à la fois.",
     "000000000072060100005100082080001300400000000037090010000023800504009000000000790"},
    // TwoStringKite
    {"Un chiffre n'a que deux places dans une ligne et deux places dans une colonne, et une place "
     "de chacune tombe dans la même région. L'une des deux autres places reçoit le chiffre : nous "
     "le retirons de la case qui les voit toutes les deux.",
     "047020000800001000030000902000005000600810050000040000070000304000900010400270800"},
    // Swordfish
    {"Un X-Wing à trois lignes : dans trois lignes, les places d'un chiffre tiennent dans trois "
     "colonnes. Le chiffre occupera ces trois colonnes dans ces lignes : nous le retirons des "
     "autres cases de ces colonnes.",
     "008090100060500020000006000030107050000000009004000300050000200070003080200700004"},
    // Jellyfish
    {"Le même raisonnement à quatre lignes : les places d'un chiffre dans quatre lignes tiennent "
     "dans quatre colonnes, d'où nous le retirons ailleurs.",
     "300001000000006050025804006040003000502000070037000000400100020000005380083400060"},
    // FinnedXWing
    {"Un X-Wing presque complet : une place en trop (l'aileron) empêche de conclure partout. Soit "
     "le X-Wing tient, soit l'aileron reçoit le chiffre : nous le retirons des cases qui voient "
     "l'aileron et que le X-Wing éliminerait.",
     "098200000600930000050000000100090003000307021000600500980006300020000170007000600"},
    // FinnedSwordfish
    {"Un Swordfish avec un aileron : nous ne retirons le chiffre que des cases que le Swordfish "
     "éliminerait et qui voient aussi l'aileron.",
     "150300000070040200004072000008000000000900108010080790000003800000000000600007423"},
    // XyWing
    {"Une case pivot à deux candidats XY voit deux cases, l'une XZ, l'autre YZ. Quel que soit le "
     "chiffre du pivot, l'une des deux ailes vaut Z : nous retirons Z des cases qui voient les deux "
     "ailes.",
     "000000003003068000040500708006053100002100400050400030060000000000000500080007026"},
    // XyzWing
    {"Comme le XY-Wing, mais le pivot a trois candidats XYZ. Z est alors dans le pivot ou dans "
     "l'une des ailes : nous le retirons des cases qui voient les trois.",
     "000005000000107080000060701700800200000050600800703109010000023009500000030000906"},
    // WWing
    {"Deux cases éloignées ne peuvent contenir que les deux mêmes chiffres X et Y, et X n'a que deux "
     "places dans une ligne, une colonne ou une région, chacune vue par l'une des deux cases. L'une "
     "des deux cases vaut donc Y : nous retirons Y des cases qui les voient toutes les deux.",
     "098200000600930000050000000100090003000307021000600500980006300020000170007000600"},
    // SimpleColouring
    {"Pour un chiffre, nous suivons les ensembles où il n'a que deux places et colorions ces places "
     "de deux couleurs alternées : l'une des couleurs est la bonne. Une case qui voit les deux "
     "couleurs perd le chiffre, et une couleur qui se voit elle-même est fausse.",
     "400000000650908007007010060010070004390004000008196005000703000004600008980000000"},
    // XChain
    {"Une chaîne de places d'un même chiffre, reliées tour à tour par des liens forts (l'une ou "
     "l'autre est vraie) et faibles. Une des deux extrémités est vraie : nous retirons le chiffre "
     "des cases qui voient les deux extrémités.",
     "005008001800000090000000780000400000640000900000053002060000000001380050000907140"},
    // RemotePair
    {"Des cases à deux candidats, toutes les mêmes, qui se voient l'une l'autre en chaîne : elles "
     "alternent entre les deux chiffres. Une case qui voit deux cases de parité opposée ne peut "
     "contenir aucun des deux chiffres.",
     nullptr},
    // XyChain
    {"Une chaîne de cases à deux candidats, où chaque case partage un chiffre avec la suivante. Si "
     "la première ne vaut pas X, la dernière vaut X : nous retirons X des cases qui voient les deux "
     "extrémités.",
     "070090050000700000000008900003500290009082705000041030092070004040800570000034100"},
    // Aic
    {"Une chaîne qui alterne liens forts et liens faibles entre des candidats quelconques, dans une "
     "case ou entre des cases. Ses deux extrémités ne peuvent être fausses ensemble : nous "
     "retirons ce qui contredit les deux.",
     "800700004050000600000000000030970008000043005000020900006000000200060007071008302"},
    // UniqueRectangle
    {"Quatre cases sur deux lignes, deux colonnes et deux régions porteraient les deux mêmes "
     "chiffres : la grille aurait alors deux solutions. Comme la grille n'en a qu'une, nous "
     "écartons ce qui formerait ce rectangle.",
     "530020900024030050009000000000010827000700000000098100000000000006400009102050430"},
    // BugPlusOne
    {"Toutes les cases vides ont deux candidats sauf une, qui en a trois : sans elle, la grille "
     "aurait plusieurs solutions. La case reçoit le candidat qui apparaît trois fois dans ses "
     "ensembles.",
     nullptr},
    // ForcingChain
    {"Nous supposons un candidat vrai et suivons les déductions simples qui en découlent. Si elles "
     "mènent à une contradiction, le candidat est faux ; si toutes les possibilités d'une case ou "
     "d'un ensemble mènent au même chiffre, ce chiffre est sûr.",
     "904005000250600100310000008070009000400260000001470000700000002000300806040000090"},
    // Trial
    {"Dernier recours : nous essayons un chiffre et cherchons toutes les suites possibles. Quand "
     "l'essai mène à une impasse, le chiffre est retiré. C'est un essai, pas une déduction, et nous "
     "le disons.",
     nullptr},
}};

QString from_utf8(const std::string& text) { return QString::fromStdString(text); }

QFont tahoma(int pixels, bool bold = false) {
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

} // namespace

const TechniquePage& technique_page(Technique technique) { return kPages[static_cast<std::size_t>(technique)]; }

Tf_techniques::Tf_techniques(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("f_techniques"));
    setWindowTitle(QStringLiteral("Techniques"));
    if (owner) setWindowIcon(owner->windowIcon());
    setFont(tahoma(11));

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("TechniqueList"));
    list_->setFont(tahoma(13));
    for (int t = 0; t < ladder::kTechniqueCount; ++t)
        list_->addItem(from_utf8(ladder::technique_name_fr(static_cast<Technique>(t))));
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
    close_ = new QPushButton(QStringLiteral("Fermer"), this);
    close_->setObjectName(QStringLiteral("TechniqueClose"));
    close_->setDefault(true);
    connect(close_, &QPushButton::clicked, this, &QWidget::hide);

    auto* example_row = new QHBoxLayout;
    example_row->addWidget(board_, 0, Qt::AlignTop);
    example_row->addWidget(example_, 1);
    auto* key = new QLabel(from_utf8(ladder::cell_key_line()), this);
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
    const TechniquePage& page = technique_page(technique);
    title_->setText(from_utf8(ladder::technique_name_fr(technique)));
    text_->setText(QString::fromUtf8(page.text));

    auto found = examples_.find(row);
    if (found == examples_.end()) {
        Example example;
        if (page.example) {
            ladder::Grid grid{};
            for (int i = 0; i < 81; ++i)
                grid[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(
                    page.example[i] >= '1' && page.example[i] <= '9' ? page.example[i] - '0' : 0);
            const ladder::Explanation explanation = ladder::explain(grid);
            ladder::Candidates state(explanation.puzzle);
            for (std::size_t k = 0; k < explanation.steps.size(); ++k) {
                const ladder::Step& step = explanation.steps[k];
                if (step.technique == technique) {
                    example.picture = ladder::picture_of(state, step, static_cast<int>(k + 1));
                    QStringList sentences;
                    for (const std::string& s : ladder::narrate(step)) sentences << from_utf8(s);
                    example.sentences = QStringLiteral("Exemple, étape %1 de l'explication :\n").arg(k + 1) +
                                        sentences.join(QLatin1Char(' '));
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
