#include "narrator_fr.h"

#include <array>

namespace vornel::ladder {

namespace {

// What the narrator says of each technique: its name as French-speaking players say it, and its
// help page. One row per technique, in Technique order.
struct TechniqueWords {
    Technique technique;
    const char* name;
    const char* help;
};

using T = Technique;

constexpr std::array<TechniqueWords, kTechniqueCount> kWords = {{
    {T::FullHouse, "Dernière case libre",
     "Une région, une ligne ou une colonne n'a plus qu'une case vide : elle reçoit le seul chiffre "
     "qui manque à cette région, cette ligne ou cette colonne."},
    {T::HiddenSingle, "Singleton caché",
     "Dans une région, une ligne ou une colonne, un chiffre n'a plus qu'une case où aller : nous "
     "l'y écrivons, même si la case admet d'autres candidats."},
    {T::NakedSingle, "Singleton nu",
     "Une case n'a plus qu'un candidat : tous les autres chiffres sont déjà dans sa ligne, sa "
     "colonne ou sa région. Nous y écrivons ce chiffre."},
    {T::Pointing, "Intersection pointante",
     "Dans une région, les places d'un chiffre sont toutes sur une même ligne (ou une même "
     "colonne). Le chiffre de cette région sera sur cette ligne : nous le retirons des autres "
     "cases de la ligne, hors de la région."},
    {T::Claiming, "Intersection réclamante",
     "Dans une ligne (ou une colonne), les places d'un chiffre sont toutes dans une même région. "
     "Le chiffre de cette ligne sera dans cette région : nous le retirons des autres cases de la "
     "région."},
    {T::NakedPair, "Paire nue",
     "Deux cases d'une même région, ligne ou colonne ne peuvent contenir que les deux mêmes "
     "chiffres. Ces deux chiffres iront dans ces deux cases : nous les retirons des autres cases "
     "de cette région, ligne ou colonne."},
    {T::HiddenPair, "Paire cachée",
     "Dans une région, une ligne ou une colonne, deux chiffres n'ont que les deux mêmes cases où "
     "aller. Ces deux cases leur sont réservées : nous en retirons tous les autres candidats."},
    {T::NakedTriple, "Triplet nu",
     "Trois cases d'une même région, ligne ou colonne ne peuvent contenir, à elles trois, que trois "
     "chiffres. Ces trois chiffres y iront : nous les retirons des autres cases de l'ensemble."},
    {T::HiddenTriple, "Triplet caché",
     "Dans une région, une ligne ou une colonne, trois chiffres n'ont, à eux trois, que trois cases "
     "où aller. Ces cases leur sont réservées : nous en retirons les autres candidats."},
    {T::NakedQuad, "Quadruplet nu",
     "Quatre cases d'une même région, ligne ou colonne ne peuvent contenir, à elles quatre, que "
     "quatre chiffres : nous retirons ces chiffres des autres cases de l'ensemble."},
    {T::HiddenQuad, "Quadruplet caché",
     "Dans une région, une ligne ou une colonne, quatre chiffres n'ont, à eux quatre, que quatre "
     "cases où aller : nous retirons de ces cases tous les autres candidats."},
    {T::XWing, "X-Wing",
     "Dans deux lignes, un chiffre n'a que deux places, et ce sont les deux mêmes colonnes. Il "
     "occupera ces deux colonnes dans ces deux lignes, en diagonale : nous le retirons des autres "
     "cases de ces colonnes. (Lignes et colonnes peuvent échanger leurs rôles.)"},
    {T::Skyscraper, "Gratte-ciel",
     "Dans deux lignes, un chiffre n'a que deux places chacune, et l'une des places est dans la "
     "même colonne pour les deux. Des deux autres places, l'une au moins reçoit le chiffre : nous "
     "le retirons des cases qui voient ces deux places à la fois."},
    {T::TwoStringKite, "Cerf-volant",
     "Un chiffre n'a que deux places dans une ligne et deux places dans une colonne, et une place "
     "de chacune tombe dans la même région. L'une des deux autres places reçoit le chiffre : nous "
     "le retirons de la case qui les voit toutes les deux."},
    {T::Swordfish, "Swordfish",
     "Un X-Wing à trois lignes : dans trois lignes, les places d'un chiffre tiennent dans trois "
     "colonnes. Le chiffre occupera ces trois colonnes dans ces lignes : nous le retirons des "
     "autres cases de ces colonnes."},
    {T::FinnedXWing, "X-Wing à aileron",
     "Un X-Wing presque complet : une place en trop (l'aileron) empêche de conclure partout. Soit "
     "le X-Wing tient, soit l'aileron reçoit le chiffre : nous le retirons des cases qui voient "
     "l'aileron et que le X-Wing éliminerait."},
    {T::XyWing, "XY-Wing",
     "Une case pivot à deux candidats XY voit deux cases, l'une XZ, l'autre YZ. Quel que soit le "
     "chiffre du pivot, l'une des deux ailes vaut Z : nous retirons Z des cases qui voient les deux "
     "ailes."},
    {T::FinnedSwordfish, "Swordfish à aileron",
     "Un Swordfish avec un aileron : nous ne retirons le chiffre que des cases que le Swordfish "
     "éliminerait et qui voient aussi l'aileron."},
    {T::XyzWing, "XYZ-Wing",
     "Comme le XY-Wing, mais le pivot a trois candidats XYZ. Z est alors dans le pivot ou dans "
     "l'une des ailes : nous le retirons des cases qui voient les trois."},
    {T::WWing, "W-Wing",
     "Deux cases éloignées ne peuvent contenir que les deux mêmes chiffres X et Y, et X n'a que deux "
     "places dans une ligne, une colonne ou une région, chacune vue par l'une des deux cases. L'une "
     "des deux cases vaut donc Y : nous retirons Y des cases qui les voient toutes les deux."},
    {T::UniqueRectangle, "Rectangle unique",
     "Quatre cases sur deux lignes, deux colonnes et deux régions porteraient les deux mêmes "
     "chiffres : la grille aurait alors deux solutions. Comme la grille n'en a qu'une, nous "
     "écartons ce qui formerait ce rectangle."},
    {T::BugPlusOne, "BUG+1",
     "Toutes les cases vides ont deux candidats sauf une, qui en a trois : sans elle, la grille "
     "aurait plusieurs solutions. La case reçoit le candidat qui apparaît trois fois dans ses "
     "ensembles."},
    {T::Jellyfish, "Jellyfish",
     "Le même raisonnement à quatre lignes : les places d'un chiffre dans quatre lignes tiennent "
     "dans quatre colonnes, d'où nous le retirons ailleurs."},
    {T::SimpleColouring, "Coloriage simple",
     "Pour un chiffre, nous suivons les ensembles où il n'a que deux places et colorions ces places "
     "de deux couleurs alternées : l'une des couleurs est la bonne. Une case qui voit les deux "
     "couleurs perd le chiffre, et une couleur qui se voit elle-même est fausse."},
    {T::RemotePair, "Paires distantes",
     "Des cases à deux candidats, toutes les mêmes, qui se voient l'une l'autre en chaîne : elles "
     "alternent entre les deux chiffres. Une case qui voit deux cases de parité opposée ne peut "
     "contenir aucun des deux chiffres."},
    {T::XChain, "Chaîne X",
     "Une chaîne de places d'un même chiffre, reliées tour à tour par des liens forts (l'une ou "
     "l'autre est vraie) et faibles. Une des deux extrémités est vraie : nous retirons le chiffre "
     "des cases qui voient les deux extrémités."},
    {T::XyChain, "Chaîne XY",
     "Une chaîne de cases à deux candidats, où chaque case partage un chiffre avec la suivante. Si "
     "la première ne vaut pas X, la dernière vaut X : nous retirons X des cases qui voient les deux "
     "extrémités."},
    {T::Aic, "Chaîne d'inférences alternées",
     "Une chaîne qui alterne liens forts et liens faibles entre des candidats quelconques, dans une "
     "case ou entre des cases. Ses deux extrémités ne peuvent être fausses ensemble : nous "
     "retirons ce qui contredit les deux."},
    {T::ForcingChain, "Chaîne forcée",
     "Nous supposons un candidat vrai et suivons les déductions simples qui en découlent. Si elles "
     "mènent à une contradiction, le candidat est faux ; si toutes les possibilités d'une case ou "
     "d'un ensemble mènent au même chiffre, ce chiffre est sûr."},
    {T::Trial, "Essai",
     "Dernier recours : nous essayons un chiffre et cherchons toutes les suites possibles. Quand "
     "l'essai mène à une impasse, le chiffre est retiré. C'est un essai, pas une déduction, et nous "
     "le disons."},
}};

consteval bool one_row_each() {
    for (int t = 0; t < kTechniqueCount; ++t) {
        const TechniqueWords& row = kWords[static_cast<std::size_t>(t)];
        if (static_cast<int>(row.technique) != t || row.name == nullptr || row.help == nullptr) return false;
    }
    return true;
}
static_assert(one_row_each(), "one row of words per technique, in Technique order");

constexpr std::array<const char*, kLevelCount> kLevels = {"très facile", "facile",         "moyen",
                                                          "difficile",   "très difficile", "diabolique"};

} // namespace

std::string technique_name_fr(Technique technique) { return kWords[static_cast<std::size_t>(technique)].name; }

std::string_view technique_help_fr(Technique technique) { return kWords[static_cast<std::size_t>(technique)].help; }

std::string_view level_name_fr(Level level) { return kLevels[static_cast<std::size_t>(level)]; }

} // namespace vornel::ladder
