<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="fr">
<context>
    <name>QFileDialog</name>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 already exists.
Do you want to replace it?</translation>
    </message>
</context>
<context>
    <name>Tf_explications</name>
    <message>
        <source>Définitions</source>
        <translation>Definitions</translation>
    </message>
    <message>
        <source>------------</source>
        <translation>-----------</translation>
    </message>
    <message>
        <source>REGION : Une région est une zone de 9 cases adjacentes de la grille de Sudoku. Les </source>
        <translation>BOX: A box is an area of 9 adjacent cells of the Sudoku grid. The boxes are </translation>
    </message>
    <message>
        <source>régions sont séparées entre elles par des double traits. Il y a 9 régions de 9 cases dans une </source>
        <translation>separated from each other by double lines. There are 9 boxes of 9 cells in a </translation>
    </message>
    <message>
        <source>grille de Sudoku.</source>
        <translation>Sudoku grid.</translation>
    </message>
    <message>
        <source>LIGNE : Un ensemble de 9 cases horizontales. Il y a 9 lignes dans une grille de Sudoku.</source>
        <translation>ROW: A set of 9 horizontal cells. There are 9 rows in a Sudoku grid.</translation>
    </message>
    <message>
        <source>COLONNE : Un ensemble de 9 cases verticales. Il y a 9 colonnes dans une grille de Sudoku.</source>
        <translation>COLUMN: A set of 9 vertical cells. There are 9 columns in a Sudoku grid.</translation>
    </message>
    <message>
        <source>Code couleur</source>
        <translation>Colour code</translation>
    </message>
    <message>
        <source>---------------</source>
        <translation>-----------</translation>
    </message>
    <message>
        <source>Dans notre méthode de résolution, nous traitons les chiffres les uns après les autres en </source>
        <translation>In our solving method, we take the digits one after the other, in the order of </translation>
    </message>
    <message>
        <source>fonction de leur position dans le tableau des occurences. Pour chaque chiffre, nous colorons </source>
        <translation>their place in the occurrence table. For each digit, we colour the cells </translation>
    </message>
    <message>
        <source>les cases de cette façon :</source>
        <translation>this way:</translation>
    </message>
    <message>
        <source>- En rouge : Toutes les positions où l&apos;on ne peut pas écrire le chifrre.</source>
        <translation>- In red: every place where the digit cannot be written.</translation>
    </message>
    <message>
        <source>- En orange : La case est déjà occupée par un autre chiffre.</source>
        <translation>- In orange: the cell already holds another digit.</translation>
    </message>
    <message>
        <source>- En blanc : Case vide.</source>
        <translation>- In white: empty cell.</translation>
    </message>
    <message>
        <source>- En vert : Nous plaçons le chiffre.</source>
        <translation>- In green: we place the digit.</translation>
    </message>
    <message>
        <source>Quand placer un chiffre ?</source>
        <translation>When do we place a digit?</translation>
    </message>
    <message>
        <source>-----------------------------</source>
        <translation>-------------------------</translation>
    </message>
    <message>
        <source>Nous placons un chiffre quand il y a une seule case vide (en blanc) dans une région, </source>
        <translation>We place a digit when there is only one empty (white) cell in a box, a row </translation>
    </message>
    <message>
        <source>une ligne ou une colonne.</source>
        <translation>or a column.</translation>
    </message>
    <message>
        <source>Explications</source>
        <translation>Explanations</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>vornel::CellEdit</name>
    <message>
        <source>Ligne %1, colonne %2</source>
        <translation>Row %1, column %2</translation>
    </message>
</context>
<context>
    <name>vornel::ExplanationPrint</name>
    <message>
        <source>Étape %1</source>
        <translation>Step %1</translation>
    </message>
    <message>
        <source>Étape %1 : %2</source>
        <translation>Step %1: %2</translation>
    </message>
    <message>
        <source>La grille</source>
        <translation>The puzzle</translation>
    </message>
    <message>
        <source>La grille finale</source>
        <translation>The final grid</translation>
    </message>
</context>
<context>
    <name>vornel::GenerateDialog</name>
    <message>
        <source>Nouvelle grille générée</source>
        <translation>New generated puzzle</translation>
    </message>
    <message>
        <source>&amp;Niveau :</source>
        <translation>&amp;Level:</translation>
    </message>
    <message>
        <source>&amp;Technique à travailler :</source>
        <translation>&amp;Technique to practise:</translation>
    </message>
    <message>
        <source>Chiffres donnés &amp;symétriques (demi-tour autour du centre)</source>
        <translation>&amp;Symmetric givens (half turn about the centre)</translation>
    </message>
    <message>
        <source>&amp;Générer</source>
        <translation>&amp;Generate</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Arrêt de la recherche...</source>
        <translation>Stopping the search...</translation>
    </message>
    <message>
        <source>Recherche d&apos;une grille : %1 essais</source>
        <translation>Looking for a puzzle: %1 attempts</translation>
    </message>
    <message>
        <source>Recherche d&apos;une grille : %1 essai</source>
        <translation>Looking for a puzzle: %1 attempt</translation>
    </message>
</context>
<context>
    <name>vornel::PlayBoard</name>
    <message>
        <source>Grille</source>
        <translation>Grid</translation>
    </message>
    <message>
        <source>Partie en pause
Appuyez sur « Reprendre » pour continuer.</source>
        <translation>Game paused
Press “Resume” to go on.</translation>
    </message>
    <message>
        <source>Aucune partie</source>
        <translation>No game</translation>
    </message>
</context>
<context>
    <name>vornel::QtFileDialogs</name>
    <message>
        <source>Ouvrir</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Enregistrer sous</source>
        <translation>Save as</translation>
    </message>
</context>
<context>
    <name>vornel::Tf_games</name>
    <message>
        <source>Mes parties</source>
        <translation>My games</translation>
    </message>
    <message>
        <source>Supprimer la partie</source>
        <translation>Delete the game</translation>
    </message>
    <message>
        <source>Aucune partie pour l&apos;instant : chaque partie commencée viendra ici, et y restera jusqu&apos;à ce que vous la supprimiez.</source>
        <translation>No games yet: every game you start comes here, and stays until you delete it.</translation>
    </message>
    <message>
        <source>Grille</source>
        <translation>Puzzle</translation>
    </message>
    <message>
        <source>Commencée le</source>
        <translation>Started on</translation>
    </message>
    <message>
        <source>Temps</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Avancement</source>
        <translation>Progress</translation>
    </message>
    <message>
        <source>Indices</source>
        <translation>Hints</translation>
    </message>
    <message>
        <source>Erreurs</source>
        <translation>Mistakes</translation>
    </message>
    <message>
        <source>Reprendre</source>
        <translation>Resume</translation>
    </message>
    <message>
        <source>Reprendre la partie choisie (Entrée, ou double clic)</source>
        <translation>Resume the chosen game (Enter, or double click)</translation>
    </message>
    <message>
        <source>Supprimer...</source>
        <translation>Delete...</translation>
    </message>
    <message>
        <source>Supprimer la partie choisie (Suppr)</source>
        <translation>Delete the chosen game (Del)</translation>
    </message>
    <message>
        <source>Fermer</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Fermer la liste (Échap)</source>
        <translation>Close the list (Esc)</translation>
    </message>
    <message>
        <source>Illisible : %1</source>
        <translation>Unreadable: %1</translation>
    </message>
    <message>
        <source>Terminée</source>
        <translation>Finished</translation>
    </message>
    <message>
        <source>%1 sur %2 cases</source>
        <translation>%1 of %2 cells</translation>
    </message>
    <message>
        <source>(en cours)</source>
        <translation>(playing)</translation>
    </message>
    <message>
        <source>la partie commencée le %1 (%2)</source>
        <translation>the game started on %1 (%2)</translation>
    </message>
    <message>
        <source>Supprimer %1 ? Elle ne pourra plus être reprise.</source>
        <translation>Delete %1? It can no longer be resumed.</translation>
    </message>
</context>
<context>
    <name>vornel::Tf_learn</name>
    <message>
        <source>Vornel — Exercices</source>
        <translation>Vornel — Exercises</translation>
    </message>
    <message>
        <source>Technique</source>
        <translation>Technique</translation>
    </message>
    <message>
        <source>Réussis</source>
        <translation>Solved</translation>
    </message>
    <message>
        <source>Cliquez un candidat pour le retirer ; clic droit ou Maj+clic pour le placer. Au clavier : flèches, chiffre pour retirer, Maj+chiffre pour placer.</source>
        <translation>Click a candidate to remove it; right-click or Shift+click to place it. From the keyboard: arrows, a digit to remove, Shift+digit to place.</translation>
    </message>
    <message>
        <source>Valider</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>Entrée</source>
        <translation>Enter</translation>
    </message>
    <message>
        <source>Montrer le pas</source>
        <translation>Show the step</translation>
    </message>
    <message>
        <source>S</source>
        <translation>S</translation>
    </message>
    <message>
        <source>Exercice suivant</source>
        <translation>Next exercise</translation>
    </message>
    <message>
        <source>N</source>
        <translation>N</translation>
    </message>
    <message>
        <source>Page de la technique</source>
        <translation>Technique page</translation>
    </message>
    <message>
        <source>F1</source>
        <translation>F1</translation>
    </message>
    <message>
        <source>%1 ✓</source>
        <translation>%1 ✓</translation>
    </message>
    <message>
        <source>Préparation d&apos;un exercice…</source>
        <translation>Preparing an exercise…</translation>
    </message>
    <message>
        <source>Aucun exercice n&apos;a pu être préparé pour cette technique.</source>
        <translation>No exercise could be prepared for this technique.</translation>
    </message>
    <message>
        <source>Exercice %1 sur %2</source>
        <translation>Exercise %1 of %2</translation>
    </message>
    <message>
        <source>Exercice %1 (au-delà de la série)</source>
        <translation>Exercise %1 (beyond the series)</translation>
    </message>
    <message>
        <source>Trouvez un pas de cette technique et marquez ce qu&apos;il change, puis « Valider ».</source>
        <translation>Find a step of this technique and mark what it changes, then “Check”.</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;b&gt;Série terminée : %1 sur %2.&lt;/b&gt; « Exercice suivant » en donne d&apos;autres.&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;b&gt;Series done: %1 of %2.&lt;/b&gt; “Next exercise” gives more.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>vornel::Tf_play</name>
    <message>
        <source>Vornel — Jouer</source>
        <translation>Vornel — Play</translation>
    </message>
    <message>
        <source>&amp;Partie</source>
        <translation>&amp;Game</translation>
    </message>
    <message>
        <source>Nouvelle partie...</source>
        <translation>New game...</translation>
    </message>
    <message>
        <source>Enregistrer la partie...</source>
        <translation>Save the game...</translation>
    </message>
    <message>
        <source>Exporter la grille (.sud)...</source>
        <translation>Export the puzzle (.sud)...</translation>
    </message>
    <message>
        <source>Imprimer la grille...</source>
        <translation>Print the puzzle...</translation>
    </message>
    <message>
        <source>Fermer</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>&amp;Quitter</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>É&amp;dition</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Rétablir</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Remplir les candidats</source>
        <translation>Fill in the candidates</translation>
    </message>
    <message>
        <source>Vérifier</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>&amp;Aide</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Indice</source>
        <translation>Hint</translation>
    </message>
    <message>
        <source>Aide...</source>
        <translation>Help...</translation>
    </message>
    <message>
        <source>Mode crayon</source>
        <translation>Pencil mode</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Indice (H)</source>
        <translation>Hint (H)</translation>
    </message>
    <message>
        <source>Aucune erreur jusqu&apos;ici.</source>
        <translation>No mistakes so far.</translation>
    </message>
    <message>
        <source>Hachuré : %1, %2.</source>
        <translation>Hatched: %1, %2.</translation>
    </message>
    <message>
        <source>%1 chiffre faux</source>
        <translation>%1 wrong digit</translation>
    </message>
    <message>
        <source>%1 chiffres faux</source>
        <translation>%1 wrong digits</translation>
    </message>
    <message>
        <source>%1 case dont les candidats ont perdu le bon chiffre</source>
        <translation>%1 cell whose candidates have lost the right digit</translation>
    </message>
    <message>
        <source>%1 cases dont les candidats ont perdu le bon chiffre</source>
        <translation>%1 cells whose candidates have lost the right digit</translation>
    </message>
    <message>
        <source>Indice suivant (H)</source>
        <translation>Next hint (H)</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;b&gt;Indice, niveau %1 sur 3&lt;/b&gt;&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;b&gt;Hint, level %1 of 3&lt;/b&gt;&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;a href=&quot;%1&quot;&gt;Voir la page de la technique «&amp;nbsp;%2&amp;nbsp;»&lt;/a&gt;&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;a href=&quot;%1&quot;&gt;See the page of the technique “%2”&lt;/a&gt;&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Temps : %1</source>
        <translation>Time: %1</translation>
    </message>
    <message>
        <source>Ouvrir une partie</source>
        <translation>Open a game</translation>
    </message>
    <message>
        <source>Partie ou grille (*.vornel *.sud)|*.vornel;*.sud</source>
        <translation>Game or puzzle (*.vornel *.sud)|*.vornel;*.sud</translation>
    </message>
    <message>
        <source>Enregistrer la partie</source>
        <translation>Save the game</translation>
    </message>
    <message>
        <source>Partie Vornel (*.vornel)|*.vornel</source>
        <translation>Vornel game (*.vornel)|*.vornel</translation>
    </message>
    <message>
        <source>Impossible d&apos;enregistrer la partie dans « %1 » : %2</source>
        <translation>Cannot save the game to “%1”: %2</translation>
    </message>
    <message>
        <source>Partie enregistrée dans « %1 ».</source>
        <translation>Game saved to “%1”.</translation>
    </message>
    <message>
        <source>Exporter la grille</source>
        <translation>Export the puzzle</translation>
    </message>
    <message>
        <source>Sudoku (*.sud)|*.sud</source>
        <translation>Sudoku (*.sud)|*.sud</translation>
    </message>
    <message>
        <source>Impossible d&apos;écrire « %1 » : %2</source>
        <translation>Cannot write “%1”: %2</translation>
    </message>
    <message>
        <source>L&apos;impression n&apos;a pas pu commencer.</source>
        <translation>Printing could not start.</translation>
    </message>
    <message>
        <source>Aide</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>L&apos;ancienne partie en cours n&apos;a pas pu rejoindre vos parties : %1</source>
        <translation>The game left unfinished by an earlier version could not join your games: %1</translation>
    </message>
    <message>
        <source>Mes parties...</source>
        <translation>My games...</translation>
    </message>
    <message>
        <source>Ouvrir un fichier...</source>
        <translation>Open a file...</translation>
    </message>
    <message>
        <source>Retour avant ma première erreur</source>
        <translation>Back before my first mistake</translation>
    </message>
    <message>
        <source>Appliquer l&apos;indice</source>
        <translation>Apply the hint</translation>
    </message>
    <message>
        <source>Mettre la partie en pause ou la reprendre (Espace)</source>
        <translation>Pause or resume the game (Space)</translation>
    </message>
    <message>
        <source>Un indice de plus : où chercher, puis pourquoi, puis la réponse (H)</source>
        <translation>One more hint: where to look, then why, then the answer (H)</translation>
    </message>
    <message>
        <source>Vérifier (V)</source>
        <translation>Check (V)</translation>
    </message>
    <message>
        <source>Hachurer les chiffres faux et les candidats qui ont perdu le bon chiffre (V)</source>
        <translation>Hatch the wrong digits and the candidates that lost the right digit (V)</translation>
    </message>
    <message>
        <source>Remplir les candidats (C)</source>
        <translation>Fill in the candidates (C)</translation>
    </message>
    <message>
        <source>Donner leurs candidats aux cases vides qui n&apos;en ont pas ; les candidats déjà écrits restent comme vous les avez laissés (C)</source>
        <translation>Give their candidates to the empty cells that have none; candidates already written stay as you left them (C)</translation>
    </message>
    <message>
        <source>Appliquer (Entrée)</source>
        <translation>Apply (Enter)</translation>
    </message>
    <message>
        <source>Appliquer l&apos;indice : écrire ses chiffres et retirer ses candidats (Entrée ou A)</source>
        <translation>Apply the hint: write its digits and take out its candidates (Enter or A)</translation>
    </message>
    <message>
        <source>Annuler les coups jusqu&apos;à la dernière position sans erreur ; ils restent à rétablir (Ctrl+E)</source>
        <translation>Undo the moves back to the last position without a mistake; they stay to redo (Ctrl+E)</translation>
    </message>
    <message>
        <source>Rejouer</source>
        <translation>Play again</translation>
    </message>
    <message>
        <source>La même grille, depuis le début, dans une nouvelle partie</source>
        <translation>The same puzzle, from the start, in a new game</translation>
    </message>
    <message>
        <source>Nouvelle partie</source>
        <translation>New game</translation>
    </message>
    <message>
        <source>Une autre grille, du niveau de votre choix (Ctrl+N)</source>
        <translation>Another puzzle, at the level of your choice (Ctrl+N)</translation>
    </message>
    <message>
        <source>Effacer</source>
        <translation>Erase</translation>
    </message>
    <message>
        <source>Effacer le chiffre de la case, ou ses candidats (Retour arrière ou Suppr)</source>
        <translation>Erase the cell&apos;s digit, or its candidates (Backspace or Del)</translation>
    </message>
    <message>
        <source>Crayon (P)</source>
        <translation>Pencil (P)</translation>
    </message>
    <message>
        <source>Mode crayon : les chiffres ajoutent ou retirent des candidats (P ; Maj+chiffre pour un seul)</source>
        <translation>Pencil mode: digits add or take out candidates (P; Shift+digit for one)</translation>
    </message>
    <message>
        <source>%1
reste %2</source>
        <translation>%1
%2 left</translation>
    </message>
    <message>
        <source>%1
complet</source>
        <translation>%1
done</translation>
    </message>
    <message>
        <source>Ajouter ou retirer le candidat %1 (%1)</source>
        <translation>Add or take out the candidate %1 (%1)</translation>
    </message>
    <message>
        <source>Écrire %1 dans la case choisie ; encore %2 à placer (%1)</source>
        <translation>Write %1 in the chosen cell; %2 left to place (%1)</translation>
    </message>
    <message>
        <source>Effacer le %1</source>
        <translation>Erase the %1</translation>
    </message>
    <message>
        <source>Candidats de la case</source>
        <translation>Candidates of the cell</translation>
    </message>
    <message>
        <source>Retirer tous les candidats</source>
        <translation>Take out every candidate</translation>
    </message>
    <message>
        <source>Cette partie n&apos;a pas pu être enregistrée parmi vos parties : %1</source>
        <translation>This game could not be saved among your games: %1</translation>
    </message>
    <message>
        <source>Niveau : %1</source>
        <translation>Level: %1</translation>
    </message>
    <message>
        <source>La partie n&apos;a pas pu être enregistrée : %1</source>
        <translation>The game could not be saved: %1</translation>
    </message>
    <message>
        <source>Partie reprise avant votre première erreur ; Ctrl+Y rétablit les coups annulés.</source>
        <translation>Game taken back to before your first mistake; Ctrl+Y redoes the moves undone.</translation>
    </message>
    <message>
        <source>Aucune erreur à défaire dans cette position.</source>
        <translation>No mistake to undo in this position.</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;b&gt;Une erreur&lt;/b&gt;&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;b&gt;A mistake&lt;/b&gt;&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;b&gt;Bravo !&lt;/b&gt;&lt;/p&gt;&lt;p&gt;Grille résolue en %1. Difficulté : %2 (score %3). Indices demandés : %4. Erreurs : %5.&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;b&gt;Well done!&lt;/b&gt;&lt;/p&gt;&lt;p&gt;Puzzle solved in %1. Difficulty: %2 (score %3). Hints asked for: %4. Mistakes: %5.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Techniques rencontrées dans les indices :&lt;/p&gt;&lt;ul&gt;</source>
        <translation>&lt;p&gt;Techniques met in the hints:&lt;/p&gt;&lt;ul&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;La partie reste dans « Mes parties » (Ctrl+O).&lt;/p&gt;</source>
        <translation>&lt;p&gt;The game stays in “My games” (Ctrl+O).&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Reprendre (Espace)</source>
        <translation>Resume (Space)</translation>
    </message>
    <message>
        <source>Pause (Espace)</source>
        <translation>Pause (Space)</translation>
    </message>
    <message>
        <source>Souris : un clic choisit une case ; le pavé écrit un chiffre, efface ou passe en mode crayon ; un clic droit sur une case ouvre ses candidats.
Flèches : changer de case.
1 à 9 : écrire un chiffre ; Maj+chiffre ou mode crayon (P) : ajouter ou retirer un candidat.
Retour arrière ou Suppr : effacer.
Ctrl+Z : annuler ; Ctrl+Maj+Z ou Ctrl+Y : rétablir ; Ctrl+E : retour avant ma première erreur.
H : indice (trois niveaux, demandés l&apos;un après l&apos;autre) ; Entrée ou A : appliquer l&apos;indice ; V : vérifier ; C : remplir les candidats.
Espace : pause.
Ctrl+N : nouvelle partie ; Ctrl+O : mes parties ; Ctrl+Maj+O : ouvrir un fichier ; Ctrl+S : enregistrer ; Ctrl+P : imprimer la grille ; Ctrl+Q : quitter.</source>
        <translation>Mouse: a click chooses a cell; the pad writes a digit, erases or switches to pencil mode; a right click on a cell opens its candidates.
Arrows: move to another cell.
1 to 9: write a digit; Shift+digit or pencil mode (P): add or take out a candidate.
Backspace or Del: erase.
Ctrl+Z: undo; Ctrl+Shift+Z or Ctrl+Y: redo; Ctrl+E: back before my first mistake.
H: hint (three levels, asked for one after the other); Enter or A: apply the hint; V: check; C: fill in the candidates.
Space: pause.
Ctrl+N: new game; Ctrl+O: my games; Ctrl+Shift+O: open a file; Ctrl+S: save; Ctrl+P: print the puzzle; Ctrl+Q: quit.</translation>
    </message>
</context>
<context>
    <name>vornel::Tf_progress</name>
    <message>
        <source>Vornel — Progrès</source>
        <translation>Vornel — Progress</translation>
    </message>
    <message>
        <source>Technique</source>
        <translation>Technique</translation>
    </message>
    <message>
        <source>Exercices</source>
        <translation>Exercises</translation>
    </message>
    <message>
        <source>Réussis</source>
        <translation>Solved</translation>
    </message>
    <message>
        <source>Sans aide</source>
        <translation>Without help</translation>
    </message>
    <message>
        <source>Indices 1</source>
        <translation>Hints 1</translation>
    </message>
    <message>
        <source>Indices 2</source>
        <translation>Hints 2</translation>
    </message>
    <message>
        <source>Indices 3</source>
        <translation>Hints 3</translation>
    </message>
    <message>
        <source>Vue en partie</source>
        <translation>Seen in games</translation>
    </message>
    <message>
        <source> (maîtrisée)</source>
        <translation> (mastered)</translation>
    </message>
    <message>
        <source>Toutes les techniques sont maîtrisées.</source>
        <translation>Every technique is mastered.</translation>
    </message>
    <message>
        <source>À travailler ensuite : %1. Une technique est maîtrisée après trois exercices réussis sans aide et un emploi en partie.</source>
        <translation>To work on next: %1. A technique is mastered after three exercises solved without help and one use in a game.</translation>
    </message>
</context>
<context>
    <name>vornel::Tf_techniques</name>
    <message>
        <source>Techniques</source>
        <translation>Techniques</translation>
    </message>
    <message>
        <source>Fermer</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Exemple, étape %1 de l&apos;explication :
</source>
        <translation>Example, step %1 of the explanation:
</translation>
    </message>
</context>
<context>
    <name>vornel::Tf_vrn</name>
    <message>
        <source>Le presse-papiers ne contient pas de grille.</source>
        <translation>The clipboard holds no puzzle.</translation>
    </message>
    <message>
        <source>Le texte ne contient pas de grille.</source>
        <translation>The text holds no puzzle.</translation>
    </message>
    <message>
        <source>Coller une grille</source>
        <translation>Paste a puzzle</translation>
    </message>
    <message>
        <source>Copier la grille</source>
        <translation>Copy the puzzle</translation>
    </message>
    <message>
        <source>Nouvelle grille générée...</source>
        <translation>New generated puzzle...</translation>
    </message>
    <message>
        <source>&amp;Fichier</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>Nouveau Sudoku</source>
        <translation>New Sudoku</translation>
    </message>
    <message>
        <source>Ouvrir...</source>
        <translation>Open...</translation>
    </message>
    <message>
        <source>Enregistrer sous...</source>
        <translation>Save as...</translation>
    </message>
    <message>
        <source>&amp;Quitter</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>&amp;Sudoku</source>
        <translation>&amp;Sudoku</translation>
    </message>
    <message>
        <source>Résoudre pas à  pas</source>
        <translation>Solve step by step</translation>
    </message>
    <message>
        <source>Résoudre chiffre après chiffre</source>
        <translation>Solve digit by digit</translation>
    </message>
    <message>
        <source>Résoudre en une fois</source>
        <translation>Solve at once</translation>
    </message>
    <message>
        <source>?</source>
        <translation>?</translation>
    </message>
    <message>
        <source>Explications...</source>
        <translation>Explanations...</translation>
    </message>
    <message>
        <source>A propos...</source>
        <translation>About...</translation>
    </message>
    <message>
        <source>Occurences :</source>
        <translation>Occurrences:</translation>
    </message>
    <message>
        <source>Col %1</source>
        <translation>Col %1</translation>
    </message>
    <message>
        <source>Ligne %1</source>
        <translation>Row %1</translation>
    </message>
    <message>
        <source>Pas suivant</source>
        <translation>Next step</translation>
    </message>
    <message>
        <source>Chiffre suivant</source>
        <translation>Next digit</translation>
    </message>
    <message>
        <source>exclue</source>
        <translation>excluded</translation>
    </message>
    <message>
        <source>occupée par un autre chiffre</source>
        <translation>taken by another digit</translation>
    </message>
    <message>
        <source>chiffre placé</source>
        <translation>digit placed</translation>
    </message>
    <message>
        <source>libre</source>
        <translation>free</translation>
    </message>
    <message>
        <source>niveau %1</source>
        <translation>level %1</translation>
    </message>
    <message>
        <source>A propos</source>
        <translation>About</translation>
    </message>
    <message>
        <source>VRN v 1.0<byte value="xd"/>
© 2026 Les développeurs de Vornel</source>
        <translation>VRN v 1.0<byte value="xd"/>
© 2026 The Vornel developers</translation>
    </message>
    <message>
        <source>Logiciel libre sous licence GPL-3.0-or-later (GNU GPL version 3 ou ultérieure), sans aucune garantie.</source>
        <translation>Free software under the GPL-3.0-or-later licence (GNU GPL version 3 or later), with no warranty.</translation>
    </message>
    <message>
        <source>Vornel : explication avec toutes les techniques</source>
        <translation>Vornel: explanation with every technique</translation>
    </message>
    <message>
        <source>Vornel : explication chiffre par chiffre</source>
        <translation>Vornel: explanation digit by digit</translation>
    </message>
    <message>
        <source>explication</source>
        <translation>explanation</translation>
    </message>
    <message>
        <source>Exporter l&apos;explication...</source>
        <translation>Export the explanation...</translation>
    </message>
    <message>
        <source>Imprimer l&apos;explication...</source>
        <translation>Print the explanation...</translation>
    </message>
    <message>
        <source>Exporter l&apos;explication</source>
        <translation>Export the explanation</translation>
    </message>
    <message>
        <source>Page HTML|*.html;*.htm</source>
        <translation>HTML page|*.html;*.htm</translation>
    </message>
    <message>
        <source>L&apos;impression n&apos;a pas pu se faire</source>
        <translation>Printing failed</translation>
    </message>
    <message>
        <source>Toutes les techniques, pas à pas</source>
        <translation>Every technique, step by step</translation>
    </message>
    <message>
        <source>Toutes les techniques, en une fois</source>
        <translation>Every technique, at once</translation>
    </message>
    <message>
        <source>Modifier la grille</source>
        <translation>Edit the puzzle</translation>
    </message>
    <message>
        <source>Techniques...</source>
        <translation>Techniques...</translation>
    </message>
    <message>
        <source>Étape suivante</source>
        <translation>Next step</translation>
    </message>
    <message>
        <source>Étape précédente</source>
        <translation>Previous step</translation>
    </message>
    <message>
        <source>◀</source>
        <translation>◀</translation>
    </message>
    <message>
        <source>▶</source>
        <translation>▶</translation>
    </message>
    <message>
        <source>Tout</source>
        <translation>All</translation>
    </message>
    <message>
        <source>Technique de l&apos;étape : &lt;a href=&quot;%1&quot;&gt;%2&lt;/a&gt;</source>
        <translation>Technique of this step: &lt;a href=&quot;%1&quot;&gt;%2&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Ouvre l&apos;explication de la technique</source>
        <translation>Opens the explanation of the technique</translation>
    </message>
    <message>
        <source>Langue</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Le choix précédent est annulé : Vornel garde sa langue.</source>
        <translation>The earlier choice is cancelled: Vornel keeps its language.</translation>
    </message>
    <message>
        <source>Vornel parlera anglais à son prochain démarrage.</source>
        <translation>Vornel will speak English from its next start.</translation>
    </message>
    <message>
        <source>Vornel parlera français à son prochain démarrage.</source>
        <translation>Vornel will speak French from its next start.</translation>
    </message>
    <message>
        <source>Jouer cette grille</source>
        <translation>Play this puzzle</translation>
    </message>
    <message>
        <source>Nouvelle partie...</source>
        <translation>New game...</translation>
    </message>
    <message>
        <source>Motifs pour daltoniens</source>
        <translation>Patterns for colour-blind players</translation>
    </message>
    <message>
        <source>Lien ou branche précédents (Alt+Gauche)</source>
        <translation>Previous link or branch (Alt+Left)</translation>
    </message>
    <message>
        <source>Lien ou branche suivants (Alt+Droite)</source>
        <translation>Next link or branch (Alt+Right)</translation>
    </message>
    <message>
        <source>Toute l&apos;étape à la fois (Alt+Haut)</source>
        <translation>The whole step at once (Alt+Up)</translation>
    </message>
    <message>
        <source>Exercices...</source>
        <translation>Exercises...</translation>
    </message>
    <message>
        <source>Progrès...</source>
        <translation>Progress...</translation>
    </message>
    <message>
        <source>Reprendre la partie...</source>
        <translation>Resume a game...</translation>
    </message>
    <message>
        <source>Aucune partie à reprendre.</source>
        <translation>No game to resume.</translation>
    </message>
</context>
</TS>
