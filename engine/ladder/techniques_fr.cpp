// SPDX-License-Identifier: GPL-3.0-or-later
#include "narration.h"
#include "technique_words.h"

#include <array>

namespace vornel::ladder {

namespace {

// What the narrator says of each technique: its name as French-speaking players say it, and its
// help page. One row per technique, in Technique order.
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
    {T::EmptyRectangle, "Rectangle vide",
     "Dans une région, les places d'un chiffre tiennent toutes sur une ligne et une colonne qui s'y "
     "croisent (le reste de la région forme un rectangle vide). Avec une ligne ou une colonne où le "
     "chiffre n'a que deux places, dont l'une est alignée sur cette croix, la case qui voit l'autre "
     "place et la branche opposée de la croix perd le chiffre."},
    {T::TurbotFish, "Poisson turbot",
     "Deux ensembles où un chiffre n'a que deux places, dont une place de l'un voit une place de "
     "l'autre, l'un des deux étant une région ou les deux se voyant par une région : l'une des deux "
     "autres places contient le chiffre, et les cases qui les voient toutes deux le perdent."},
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
    {T::HiddenRectangle, "Rectangle caché",
     "Quatre cases sur deux lignes, deux colonnes et deux régions peuvent toutes contenir les deux "
     "mêmes chiffres, et l'une ne contient que ces deux-là. Si l'un des deux chiffres n'a pas d'autre "
     "place que le rectangle dans la ligne et dans la colonne du coin opposé, ce coin ne peut pas "
     "contenir l'autre chiffre : le rectangle se remplirait de deux façons."},
    {T::AvoidableRectangle, "Rectangle évitable",
     "Quatre cases sur deux lignes, deux colonnes et deux régions, dont aucune n'est une case donnée. "
     "Si les chiffres déjà trouvés dans certaines d'entre elles permettaient de les compléter avec "
     "deux chiffres échangeables, la grille aurait deux solutions. Nous retirons le candidat qui "
     "achèverait ce motif ; quand deux cases restent vides, le chiffre qui l'évite est dans l'une "
     "d'elles, et nous le retirons des cases qui les voient toutes les deux."},
    {T::WxyzWing, "WXYZ-Wing",
     "Quatre cases ne peuvent contenir, à elles quatre, que quatre chiffres. Trois de ces chiffres ne "
     "peuvent y être qu'une fois chacun, car les cases qui les portent se voient : le quatrième est "
     "forcément dans l'une des cases. Nous le retirons des cases qui voient toutes celles qui le "
     "portent."},
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
    {T::FinnedJellyfish, "Jellyfish à aileron",
     "Un Jellyfish auquel s'ajoutent quelques places, les ailerons, dans une même région : soit un "
     "aileron porte le chiffre, soit le Jellyfish tient. Seules les cases qui voient tous les "
     "ailerons et que le Jellyfish vide perdent le chiffre."},
    {T::MultiColouring, "Coloriage multiple",
     "Le coloriage simple fait sur plusieurs groupes de places d'un même chiffre. Quand une couleur "
     "d'un groupe voit une couleur d'un autre, elles ne sont pas vraies ensemble : l'une des deux "
     "autres l'est, et une case qui voit ces deux autres couleurs perd le chiffre."},
    {T::SueDeCoq, "Sue de Coq",
     "Deux ou trois cases à la croisée d'une ligne et d'une région portent au moins deux chiffres de "
     "plus qu'elles n'ont de cases. Avec d'autres cases de la ligne et d'autres cases de la région, "
     "dont les chiffres ne se mêlent pas, elles forment autant de cases que de chiffres : chaque "
     "chiffre y est une fois, et nous le retirons du reste de la ligne, de la région, ou des deux."},
    {T::XChain, "Chaîne X",
     "Une chaîne de places d'un même chiffre, reliées tour à tour par des liens forts (l'une ou "
     "l'autre est vraie) et faibles. Une des deux extrémités est vraie : nous retirons le chiffre "
     "des cases qui voient les deux extrémités."},
    {T::XyChain, "Chaîne XY",
     "Une chaîne de cases à deux candidats, où chaque case partage un chiffre avec la suivante. Si "
     "la première ne vaut pas X, la dernière vaut X : nous retirons X des cases qui voient les deux "
     "extrémités."},
    {T::Medusa3D, "Medusa 3D",
     "Un coloriage de candidats de tous les chiffres, reliés par les cases à deux candidats et par "
     "les ensembles où un chiffre n'a que deux places. Une couleur qui se contredit est fausse ; un "
     "candidat qui voit les deux couleurs, par sa case ou par ses voisines, est faux."},
    {T::AlignedPairExclusion, "Exclusion de paires alignées",
     "Deux cases d'une même ligne, colonne ou région : nous passons en revue les paires de chiffres "
     "qu'elles pourraient contenir ensemble. Une paire tombe si les deux chiffres sont égaux, ou si "
     "une case (ou deux cases) qui voit les deux n'aurait plus assez de chiffres. Un chiffre qui ne "
     "forme plus aucune paire est retiré."},
    {T::Aic, "Chaîne d'inférences alternées",
     "Une chaîne qui alterne liens forts et liens faibles entre des candidats quelconques, dans une "
     "case ou entre des cases. Ses deux extrémités ne peuvent être fausses ensemble : nous "
     "retirons ce qui contredit les deux."},
    {T::GroupedAic, "Chaîne d'inférences alternées groupée",
     "Une chaîne d'inférences alternées dont un maillon peut être un groupe : les places d'un "
     "chiffre là où une région croise une ligne ou une colonne, vrai dès que l'une l'est. Ses deux "
     "extrémités ne peuvent être fausses ensemble."},
    {T::AlsXz, "ALS-XZ",
     "Un ensemble presque bloqué est un groupe de cases d'une même ligne, colonne ou région qui a "
     "un chiffre de plus que de cases. Deux tels groupes partagent un chiffre X dont les places "
     "dans l'un voient toutes celles dans l'autre : X est dans l'un au plus, et l'autre contient "
     "tous ses autres chiffres. Un chiffre Z commun aux deux est donc dans l'un d'eux : nous le "
     "retirons des cases qui voient toutes ses places dans les deux groupes."},
    {T::FrankenFish, "Poisson franken",
     "Un poisson dont les ensembles de départ ou de couverture comptent une région : n ensembles "
     "sans place commune contiennent n fois le chiffre, toutes dans n ensembles de couverture, qui "
     "le perdent ailleurs (avec des ailerons, seulement dans les cases qui les voient tous)."},
    {T::AlsXyWing, "ALS-XY-Wing",
     "Trois ensembles presque bloqués : celui du milieu partage un chiffre X avec le premier et un "
     "chiffre Y avec le troisième, chacun ne pouvant être que dans l'un des deux groupes qu'il "
     "relie. Le groupe du milieu ne peut perdre X et Y à la fois : le premier ou le troisième "
     "contient tous ses autres chiffres, et un chiffre Z commun aux deux est retiré des cases qui "
     "voient toutes ses places dans ces deux groupes."},
    {T::MutantFish, "Poisson mutant",
     "Un poisson qui mêle lignes et colonnes du même côté : n ensembles sans place commune, n "
     "ensembles de couverture qui contiennent toutes leurs places, et le chiffre retiré du reste "
     "de la couverture (avec des ailerons, seulement dans les cases qui les voient tous)."},
    {T::AlsChain, "Chaîne d'ALS",
     "Une suite d'ensembles presque bloqués, chacun relié au suivant par un chiffre qui ne peut "
     "être que dans l'un des deux, deux liens voisins portant des chiffres différents. Si un "
     "chiffre Z du premier et du dernier groupe manquait aux deux, chaque groupe forcerait le "
     "suivant jusqu'au dernier, qui contiendrait Z : Z est donc dans le premier ou le dernier, et "
     "nous le retirons des cases qui voient toutes ses places dans ces deux groupes."},
    {T::DeathBlossom, "Fleur de la mort",
     "Une case, la tige, et pour chacun de ses chiffres un ensemble presque bloqué, un pétale, dont "
     "toutes les places de ce chiffre voient la tige. Le chiffre de la tige manque à son pétale, qui "
     "contient alors tous ses autres chiffres : un chiffre Z commun à tous les pétales est dans "
     "l'un d'eux, et nous le retirons des cases qui voient toutes ses places."},
    {T::Nishio, "Nishio",
     "Nous supposons un chiffre dans une case et ne suivons que ce chiffre : dans chaque ligne, "
     "colonne ou région où il n'a plus qu'une place, il va à cette place. Si une ligne, une colonne "
     "ou une région se retrouve sans place pour lui, la supposition est fausse, et nous retirons le "
     "chiffre de la case."},
    {T::AlsAic, "Chaîne d'inférences alternées avec ALS",
     "Une chaîne d'inférences alternées dont un maillon peut aussi être les cases d'un ensemble "
     "presque bloqué (N cases, N + 1 chiffres) qui portent un de ses chiffres. Si ce chiffre manque "
     "à l'ensemble, ses N autres chiffres le remplissent et chacun y est vrai : c'est le lien fort "
     "qui traverse l'ensemble. Ses deux extrémités ne peuvent être fausses ensemble : nous retirons "
     "ce qui contredit les deux."},
    {T::ForcingChain, "Chaîne forcée",
     "Nous supposons un candidat vrai et suivons les déductions simples qui en découlent. Si elles "
     "mènent à une contradiction, le candidat est faux ; si toutes les possibilités d'une case ou "
     "d'un ensemble mènent au même chiffre, ce chiffre est sûr."},
    {T::Trial, "Essai",
     "Dernier recours : nous essayons un chiffre et cherchons toutes les suites possibles. Quand "
     "l'essai mène à une impasse, le chiffre est retiré. C'est un essai, pas une déduction, et nous "
     "le disons."},
}};

static_assert(one_row_each(kWords), "one row of words per technique, in Technique order");

constexpr std::array<const char*, kLevelCount> kLevelsFr = {"très facile", "facile",         "moyen",
                                                            "difficile",   "très difficile", "diabolique"};

constexpr std::array<const char*, kLevelCount> kLevelsEn = {"very easy", "easy",      "medium",
                                                            "hard",      "very hard", "diabolical"};

const TechniqueWords& words(Technique technique, Language language) {
    const auto table = language == Language::English ? english_technique_words() : french_technique_words();
    return table[static_cast<std::size_t>(technique)];
}

} // namespace

std::span<const TechniqueWords> french_technique_words() { return kWords; }

std::string technique_name(Technique technique, Language language) { return words(technique, language).name; }

std::string_view technique_help(Technique technique, Language language) { return words(technique, language).help; }

std::string_view level_name(Level level, Language language) {
    return (language == Language::English ? kLevelsEn : kLevelsFr)[static_cast<std::size_t>(level)];
}

} // namespace vornel::ladder
