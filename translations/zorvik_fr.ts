<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>CopyResults</name>
    <message>
        <source>No result is checked.</source>
        <translation>Aucun résultat n’est coché.</translation>
    </message>
    <message>
        <source>Results have been copied to the clipboard.</source>
        <translation>Les résultats ont été copiés dans le presse-papiers.</translation>
    </message>
    <message>
        <source>Click a text area where you normally type and press Ctrl+V to paste the clipboard.</source>
        <translation>Cliquez dans une zone où vous tapez du texte et appuyez sur Ctrl+V pour coller le presse-papiers.</translation>
    </message>
</context>
<context>
    <name>CriteriaPanel</name>
    <message>
        <source>Must be a numeric entry.</source>
        <translation>Il faut saisir un nombre.</translation>
    </message>
</context>
<context>
    <name>FileProgress</name>
    <message>
        <source>Moving file %1 of %2 to the trash (%3 of %4)</source>
        <translation>Mise à la corbeille du fichier %1 sur %2 (%3 sur %4)</translation>
    </message>
    <message>
        <source>Moving file %1 of %2 (%3 of %4): %5</source>
        <translation>Déplacement du fichier %1 sur %2 (%3 sur %4)&#xa0;: %5</translation>
    </message>
    <message>
        <source>Putting back file %1 of %2 (%3 of %4): %5</source>
        <translation>Remise en place du fichier %1 sur %2 (%3 sur %4)&#xa0;: %5</translation>
    </message>
</context>
<context>
    <name>FolderCommands</name>
    <message>
        <source>1 folder given on the command line was not added:</source>
        <translation>1 dossier donné sur la ligne de commande n’a pas été ajouté&#xa0;:</translation>
    </message>
    <message numerus="yes">
        <source>%n folders given on the command line were not added:</source>
        <translation>
            <numerusform>%n dossier donné sur la ligne de commande n’a pas été ajouté&#xa0;:</numerusform>
            <numerusform>%n dossiers donnés sur la ligne de commande n’ont pas été ajoutés&#xa0;:</numerusform>
        </translation>
    </message>
    <message>
        <source>Add Folder to Search</source>
        <translation>Ajouter un dossier à la recherche</translation>
    </message>
    <message>
        <source>Add Folder to Skip</source>
        <translation>Ajouter un dossier à ignorer</translation>
    </message>
</context>
<context>
    <name>FoundFileAccess</name>
    <message>
        <source>It has changed since the search.</source>
        <translation>Il a changé depuis la recherche.</translation>
    </message>
    <message>
        <source>The row names no file.</source>
        <translation>La ligne ne nomme aucun fichier.</translation>
    </message>
</context>
<context>
    <name>FreedesktopTrash</name>
    <message>
        <source>The file system it is on keeps no trash.</source>
        <translation>Son système de fichiers n’a pas de corbeille.</translation>
    </message>
    <message>
        <source>The trash folder of this file system belongs to someone else.</source>
        <translation>La corbeille de ce système de fichiers appartient à quelqu’un d’autre.</translation>
    </message>
</context>
<context>
    <name>IniSettingsStore</name>
    <message>
        <source>it is no longer a regular file</source>
        <translation>ce n’est plus un fichier ordinaire</translation>
    </message>
    <message>
        <source>it is %1, not a regular file</source>
        <translation>c’est %1, pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>it is larger than 1 MB</source>
        <translation>il dépasse 1 Mo</translation>
    </message>
    <message>
        <source>The settings file %1 is not used: %2.</source>
        <translation>Le fichier de réglages %1 n’est pas utilisé&#xa0;: %2.</translation>
    </message>
    <message>
        <source>Zorvik starts with its default settings and saves no changes to them this time.</source>
        <translation>Zorvik démarre avec ses réglages par défaut et n’enregistre cette fois aucune modification.</translation>
    </message>
</context>
<context>
    <name>MoveChecked</name>
    <message>
        <source>The row names no file.</source>
        <translation>La ligne ne nomme aucun fichier.</translation>
    </message>
    <message>
        <source>1 file of the same name that was in that folder is now in the trash.</source>
        <translation>1 fichier du même nom qui se trouvait dans ce dossier est maintenant dans la corbeille.</translation>
    </message>
    <message numerus="yes">
        <source>%n files of the same name that were in that folder are now in the trash.</source>
        <translation>
            <numerusform>%n fichier du même nom qui se trouvait dans ce dossier est maintenant dans la corbeille.</numerusform>
            <numerusform>%n fichiers du même nom qui se trouvaient dans ce dossier sont maintenant dans la corbeille.</numerusform>
        </translation>
    </message>
    <message>
        <source>1 file was not moved:</source>
        <translation>1 fichier n’a pas été déplacé&#xa0;:</translation>
    </message>
    <message numerus="yes">
        <source>%n files were not moved:</source>
        <translation>
            <numerusform>%n fichier n’a pas été déplacé&#xa0;:</numerusform>
            <numerusform>%n fichiers n’ont pas été déplacés&#xa0;:</numerusform>
        </translation>
    </message>
    <message>
        <source>Move Checked Files To</source>
        <translation>Déplacer les fichiers cochés vers</translation>
    </message>
    <message>
        <source>Stopped: the file was not moved.</source>
        <translation>Arrêté&#xa0;: le fichier n’a pas été déplacé.</translation>
    </message>
    <message numerus="yes">
        <source>Stopped: %1 of %n files moved.</source>
        <translation>
            <numerusform>Arrêté&#xa0;: %1 sur %n fichier déplacé.</numerusform>
            <numerusform>Arrêté&#xa0;: %1 sur %n fichiers déplacés.</numerusform>
        </translation>
    </message>
    <message>
        <source>A file of the same name was just moved there from another folder.</source>
        <translation>Un fichier du même nom vient d’y être déplacé depuis un autre dossier.</translation>
    </message>
</context>
<context>
    <name>PosixFileOperations</name>
    <message>
        <source>It is a folder.</source>
        <translation>C’est un dossier.</translation>
    </message>
    <message>
        <source>It is already in that folder.</source>
        <translation>Il est déjà dans ce dossier.</translation>
    </message>
    <message>
        <source>A checked file of the same name is in that folder.</source>
        <translation>Un fichier coché du même nom se trouve dans ce dossier.</translation>
    </message>
    <message>
        <source>The file of the same name in that folder could not be put in the trash: %1</source>
        <translation>Le fichier du même nom dans ce dossier n’a pas pu aller à la corbeille&#xa0;: %1</translation>
    </message>
    <message>
        <source>It was copied, but the original could not be removed: %1</source>
        <translation>Il a été copié, mais l’original n’a pas pu être supprimé&#xa0;: %1</translation>
    </message>
    <message>
        <source>It is not an ordinary file.</source>
        <translation>Ce n’est pas un fichier ordinaire.</translation>
    </message>
    <message>
        <source>The copy came out at a different size.</source>
        <translation>La copie n’a pas la même taille que l’original.</translation>
    </message>
    <message>
        <source>It changed during the move.</source>
        <translation>Il a changé pendant le déplacement.</translation>
    </message>
    <message>
        <source>A folder of the same name is in that folder.</source>
        <translation>Un dossier du même nom se trouve dans ce dossier.</translation>
    </message>
    <message>
        <source>A link or other special file of the same name is in that folder.</source>
        <translation>Un lien ou un autre fichier spécial du même nom se trouve dans ce dossier.</translation>
    </message>
</context>
<context>
    <name>PruneResults</name>
    <message>
        <source>Remove entries containing: </source>
        <translation>Retirer les entrées contenant&#xa0;: </translation>
    </message>
    <message>
        <source>Remove entries not containing: </source>
        <translation>Retirer les entrées ne contenant pas&#xa0;: </translation>
    </message>
</context>
<context>
    <name>PutBack</name>
    <message>
        <source>Another file now has its name there; both are kept.</source>
        <translation>Un autre fichier porte maintenant son nom à cet endroit&#xa0;; les deux sont conservés.</translation>
    </message>
    <message>
        <source>It is no longer in the trash.</source>
        <translation>Il n’est plus dans la corbeille.</translation>
    </message>
    <message>
        <source>It is no longer in the folder it was moved to.</source>
        <translation>Il n’est plus dans le dossier où il a été déplacé.</translation>
    </message>
</context>
<context>
    <name>RecycleChecked</name>
    <message>
        <source>No result is checked.</source>
        <translation>Aucun résultat n’est coché.</translation>
    </message>
    <message>
        <source>1 file could not be moved to the trash:</source>
        <translation>1 fichier n’a pas pu être mis à la corbeille&#xa0;:</translation>
    </message>
    <message numerus="yes">
        <source>%n files could not be moved to the trash:</source>
        <translation>
            <numerusform>%n fichier n’a pas pu être mis à la corbeille&#xa0;:</numerusform>
            <numerusform>%n fichiers n’ont pas pu être mis à la corbeille&#xa0;:</numerusform>
        </translation>
    </message>
    <message>
        <source>Move the checked file (%1) to the trash?</source>
        <translation>Mettre le fichier coché (%1) à la corbeille&#xa0;?</translation>
    </message>
    <message numerus="yes">
        <source>Move the %1 checked files (%2) to the trash?</source>
        <translation>
            <numerusform>Mettre %1 fichier coché (%2) à la corbeille&#xa0;?</numerusform>
            <numerusform>Mettre les %1 fichiers cochés (%2) à la corbeille&#xa0;?</numerusform>
        </translation>
    </message>
    <message>
        <source>Stopped: the file was not moved to the trash.</source>
        <translation>Arrêté&#xa0;: le fichier n’a pas été mis à la corbeille.</translation>
    </message>
    <message numerus="yes">
        <source>Stopped: %1 of %n files moved to the trash.</source>
        <translation>
            <numerusform>Arrêté&#xa0;: %1 sur %n fichier mis à la corbeille.</numerusform>
            <numerusform>Arrêté&#xa0;: %1 sur %n fichiers mis à la corbeille.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RegularFile</name>
    <message>
        <source>a folder</source>
        <translation>un dossier</translation>
    </message>
    <message>
        <source>a named pipe</source>
        <translation>un tube nommé</translation>
    </message>
    <message>
        <source>a device</source>
        <translation>un périphérique</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>une socket</translation>
    </message>
    <message>
        <source>a special file</source>
        <translation>un fichier spécial</translation>
    </message>
</context>
<context>
    <name>RowActions</name>
    <message>
        <source>%1 could not be opened:</source>
        <translation>%1 n’a pas pu être ouvert&#xa0;:</translation>
    </message>
    <message>
        <source>%1 could not be shown in its folder:</source>
        <translation>%1 n’a pas pu être montré dans son dossier&#xa0;:</translation>
    </message>
</context>
<context>
    <name>SaveResults</name>
    <message>
        <source>Zorvik results.txt</source>
        <translation>Résultats Zorvik.txt</translation>
    </message>
    <message>
        <source>Are you sure you wish to overwrite %1 ?</source>
        <translation>Voulez-vous vraiment remplacer %1&#xa0;?</translation>
    </message>
    <message>
        <source>Done.</source>
        <translation>Terminé.</translation>
    </message>
</context>
<context>
    <name>SearchRun</name>
    <message>
        <source>Searching </source>
        <translation>Recherche dans </translation>
    </message>
    <message>
        <source>The file system cannot be reached.</source>
        <translation>Le système de fichiers est injoignable.</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>No folders added.</source>
        <translation>Aucun dossier ajouté.</translation>
    </message>
    <message>
        <source>Folder(s)</source>
        <translation>Dossier(s)</translation>
    </message>
    <message>
        <source>1 folder could not be searched and was skipped:</source>
        <translation>1 dossier n’a pas pu être parcouru et a été ignoré&#xa0;:</translation>
    </message>
    <message numerus="yes">
        <source>%n folders could not be searched and were skipped:</source>
        <translation>
            <numerusform>%n dossier n’a pas pu être parcouru et a été ignoré&#xa0;:</numerusform>
            <numerusform>%n dossiers n’ont pas pu être parcourus et ont été ignorés&#xa0;:</numerusform>
        </translation>
    </message>
    <message>
        <source>Done.</source>
        <translation>Terminé.</translation>
    </message>
    <message>
        <source>Done. 1 folder skipped</source>
        <translation>Terminé. 1 dossier ignoré</translation>
    </message>
    <message numerus="yes">
        <source>Done. %n folders skipped</source>
        <translation>
            <numerusform>Terminé. %n dossier ignoré</numerusform>
            <numerusform>Terminé. %n dossiers ignorés</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SizeTest</name>
    <message>
        <source>Type mismatch: &quot;%1&quot; is not a number.</source>
        <translation>Type incompatible&#xa0;: «&#xa0;%1&#xa0;» n’est pas un nombre.</translation>
    </message>
</context>
<context>
    <name>Skin</name>
    <message>
        <source>The skin %1 is not valid UTF-8</source>
        <translation>L’habillage %1 n’est pas de l’UTF-8 valide</translation>
    </message>
    <message>
        <source>The skin %1 is larger than 1 MB</source>
        <translation>L’habillage %1 dépasse 1 Mo</translation>
    </message>
    <message>
        <source>The skin %1 is not a style sheet that Qt can read</source>
        <translation>L’habillage %1 n’est pas une feuille de style lisible par Qt</translation>
    </message>
</context>
<context>
    <name>TotalsText</name>
    <message>
        <source>1 file</source>
        <translation>1 fichier</translation>
    </message>
    <message numerus="yes">
        <source>%1 files</source>
        <translation>
            <numerusform>%1 fichier</numerusform>
            <numerusform>%1 fichiers</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 checked</source>
        <translation>
            <numerusform>%1 coché</numerusform>
            <numerusform>%1 cochés</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>UndoLast</name>
    <message>
        <source>Stopped: the file was not put back.</source>
        <translation>Arrêté&#xa0;: le fichier n’a pas été remis en place.</translation>
    </message>
    <message numerus="yes">
        <source>Stopped: %1 of %n files put back.</source>
        <translation>
            <numerusform>Arrêté&#xa0;: %1 fichier sur %n remis en place.</numerusform>
            <numerusform>Arrêté&#xa0;: %1 fichiers sur %n remis en place.</numerusform>
        </translation>
    </message>
    <message>
        <source>1 file is back where it was.</source>
        <translation>1 fichier est de retour à sa place.</translation>
    </message>
    <message numerus="yes">
        <source>%n files are back where they were.</source>
        <translation>
            <numerusform>%n fichier est de retour à sa place.</numerusform>
            <numerusform>%n fichiers sont de retour à leur place.</numerusform>
        </translation>
    </message>
    <message>
        <source>1 file of the same name is back from the trash.</source>
        <translation>1 fichier du même nom est revenu de la corbeille.</translation>
    </message>
    <message numerus="yes">
        <source>%n files of the same name are back from the trash.</source>
        <translation>
            <numerusform>%n fichier du même nom est revenu de la corbeille.</numerusform>
            <numerusform>%n fichiers du même nom sont revenus de la corbeille.</numerusform>
        </translation>
    </message>
    <message>
        <source>1 file was not put back:</source>
        <translation>1 fichier n’a pas été remis en place&#xa0;:</translation>
    </message>
    <message numerus="yes">
        <source>%n files were not put back:</source>
        <translation>
            <numerusform>%n fichier n’a pas été remis en place&#xa0;:</numerusform>
            <numerusform>%n fichiers n’ont pas été remis en place&#xa0;:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>UndoStack</name>
    <message>
        <source>Undo Move of 1 File</source>
        <translation>Annuler le déplacement de 1 fichier</translation>
    </message>
    <message numerus="yes">
        <source>Undo Move of %n Files</source>
        <translation>
            <numerusform>Annuler le déplacement de %n fichier</numerusform>
            <numerusform>Annuler le déplacement de %n fichiers</numerusform>
        </translation>
    </message>
    <message>
        <source>Undo Trash of 1 File</source>
        <translation>Annuler la mise à la corbeille de 1 fichier</translation>
    </message>
    <message numerus="yes">
        <source>Undo Trash of %n Files</source>
        <translation>
            <numerusform>Annuler la mise à la corbeille de %n fichier</numerusform>
            <numerusform>Annuler la mise à la corbeille de %n fichiers</numerusform>
        </translation>
    </message>
    <message>
        <source>Nothing to undo</source>
        <translation>Rien à annuler</translation>
    </message>
</context>
<context>
    <name>zorvik::Clipboard</name>
    <message>
        <source>The clipboard did not take the text.</source>
        <translation>Le presse-papiers n’a pas accepté le texte.</translation>
    </message>
</context>
<context>
    <name>zorvik::ErrorReport</name>
    <message>
        <source>Please email screenshot of this message to </source>
        <translation>Veuillez envoyer une capture d’écran de ce message à </translation>
    </message>
</context>
<context>
    <name>zorvik::FolderList</name>
    <message>
        <source>The folder list has no column</source>
        <translation>La liste des dossiers n’a pas de colonne</translation>
    </message>
    <message>
        <source>There is no folder at position %1.</source>
        <translation>Il n’y a pas de dossier à la position %1.</translation>
    </message>
    <message>
        <source>Index out of bounds</source>
        <translation>Indice hors limites</translation>
    </message>
    <message>
        <source>%1, skipped</source>
        <translation>%1, ignoré</translation>
    </message>
    <message>
        <source>Skipped: no search enters this folder</source>
        <translation>Ignoré&#xa0;: aucune recherche n’entre dans ce dossier</translation>
    </message>
</context>
<context>
    <name>zorvik::FolderListControls</name>
    <message>
        <source>Add Folder to Skip…</source>
        <translation>Ajouter un dossier à ignorer…</translation>
    </message>
    <message>
        <source>Search This Folder</source>
        <translation>Rechercher dans ce dossier</translation>
    </message>
    <message>
        <source>Skip This Folder</source>
        <translation>Ignorer ce dossier</translation>
    </message>
    <message>
        <source>Search Options…</source>
        <translation>Options de recherche…</translation>
    </message>
</context>
<context>
    <name>zorvik::Form1</name>
    <message>
        <source>Between</source>
        <translation>Entre</translation>
    </message>
    <message>
        <source>and</source>
        <extracomment>The word between the two bounds of &quot;Between ... and ...&quot;.</extracomment>
        <translation>et</translation>
    </message>
    <message>
        <source>Double-click item to remove it. Move | line to right and out of window to reveal full names.</source>
        <translation>Double-cliquez sur un élément pour le retirer. Tirez le trait | vers la droite, hors de la fenêtre, pour voir les noms complets.</translation>
    </message>
    <message>
        <source>Add Folder to Search</source>
        <translation>Ajouter un dossier à la recherche</translation>
    </message>
    <message>
        <source>Search Option</source>
        <translation>Condition de recherche</translation>
    </message>
    <message>
        <source>Greater than</source>
        <translation>Plus de</translation>
    </message>
    <message>
        <source>Less than</source>
        <translation>Moins de</translation>
    </message>
    <message>
        <source>Equal to</source>
        <translation>Égal à</translation>
    </message>
    <message>
        <source>Start Finding</source>
        <translation>Lancer la recherche</translation>
    </message>
    <message>
        <source>Save Results As Text File</source>
        <translation>Enregistrer en fichier texte</translation>
    </message>
    <message>
        <source>Clear Results</source>
        <translation>Vider les résultats</translation>
    </message>
    <message>
        <source>Copy Results To Clipboard</source>
        <translation>Copier les résultats</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Clear Results Containing X</source>
        <translation>Retirer les résultats avec X</translation>
    </message>
    <message>
        <source>Clear Results Not Containing X</source>
        <translation>Retirer les résultats sans X</translation>
    </message>
    <message>
        <source>Send Checked To Recycle Bin</source>
        <translation>Cochés à la corbeille</translation>
    </message>
    <message>
        <source>Move Checked To Folder</source>
        <translation>Déplacer les cochés</translation>
    </message>
    <message>
        <source>Folder(s)</source>
        <translation>Dossier(s)</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>Résultats</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>Invalid picture</source>
        <translation>Image non valide</translation>
    </message>
    <message>
        <source>Folders to search</source>
        <translation>Dossiers à parcourir</translation>
    </message>
    <message>
        <source>Opens a folder chooser and adds the chosen folder to the list</source>
        <translation>Ouvre un sélecteur de dossier et ajoute le dossier choisi à la liste</translation>
    </message>
    <message>
        <source>Size condition</source>
        <translation>Condition de taille</translation>
    </message>
    <message>
        <source>Ctrl+F goes to the size of the chosen condition</source>
        <translation>Ctrl+F va à la taille de la condition choisie</translation>
    </message>
    <message>
        <source>Files from the lower to the upper bound, both included</source>
        <translation>Fichiers de la borne inférieure à la borne supérieure, incluses</translation>
    </message>
    <message>
        <source>Return starts finding</source>
        <translation>Entrée lance la recherche</translation>
    </message>
    <message>
        <source>Lower bound</source>
        <translation>Borne inférieure</translation>
    </message>
    <message>
        <source>Unit of the lower bound</source>
        <translation>Unité de la borne inférieure</translation>
    </message>
    <message>
        <source>Upper bound</source>
        <translation>Borne supérieure</translation>
    </message>
    <message>
        <source>Unit of the upper bound</source>
        <translation>Unité de la borne supérieure</translation>
    </message>
    <message>
        <source>Size for %1</source>
        <translation>Taille pour «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>Unit for %1</source>
        <translation>Unité pour «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>Searches the listed folders and their sub-folders; Escape stops a search</source>
        <translation>Parcourt les dossiers de la liste et leurs sous-dossiers&#xa0;; Échap arrête la recherche</translation>
    </message>
    <message>
        <source>Writes the path of every result into a text file</source>
        <translation>Écrit le chemin de chaque résultat dans un fichier texte</translation>
    </message>
    <message>
        <source>Empties the result list; no file is touched</source>
        <translation>Vide la liste des résultats&#xa0;; aucun fichier n’est modifié</translation>
    </message>
    <message>
        <source>Copies the checked results as a table</source>
        <translation>Copie les résultats cochés sous forme de tableau</translation>
    </message>
    <message>
        <source>How to reach support, and the keys (F1)</source>
        <translation>Comment joindre l’assistance, et les touches (F1)</translation>
    </message>
    <message>
        <source>Asks for a text and removes the results whose path contains it</source>
        <translation>Demande un texte et retire les résultats dont le chemin le contient</translation>
    </message>
    <message>
        <source>Asks for a text and removes the results whose path does not contain it</source>
        <translation>Demande un texte et retire les résultats dont le chemin ne le contient pas</translation>
    </message>
    <message>
        <source>Moves the files of the checked results to the trash</source>
        <translation>Met les fichiers des résultats cochés à la corbeille</translation>
    </message>
    <message>
        <source>Moves the files of the checked results into a folder you choose</source>
        <translation>Déplace les fichiers des résultats cochés dans un dossier de votre choix</translation>
    </message>
    <message>
        <source>No results</source>
        <translation>Aucun résultat</translation>
    </message>
    <message>
        <source>Check the files to work on; right-click for more. Move | line to right and out of window to reveal full names.</source>
        <translation>Cochez les fichiers à traiter ; clic droit pour plus. Tirez la ligne | vers la droite, hors de la fenêtre, pour voir les noms entiers.</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
</context>
<context>
    <name>zorvik::HelpWindow</name>
    <message>
        <source>Finding files by size</source>
        <translation>Trouver des fichiers par leur taille</translation>
    </message>
    <message>
        <source>Add the folders to search with &quot;Add Folder to Search&quot;; the folders below them are searched too. Choose a condition, type its size, choose its unit and press &quot;Start Finding&quot;.</source>
        <translation>Ajoutez les dossiers à parcourir avec «&#xa0;Ajouter un dossier à la recherche&#xa0;»&#xa0;; les dossiers qu’ils contiennent sont parcourus aussi. Choisissez une condition, tapez sa taille, choisissez son unité et cliquez sur «&#xa0;Lancer la recherche&#xa0;».</translation>
    </message>
    <message>
        <source>Type a number as your language writes it: 1.5 in English, 1,5 in German or French.</source>
        <translation>Écrivez un nombre comme votre langue l’écrit&#xa0;: 1,5 en français ou en allemand, 1.5 en anglais.</translation>
    </message>
    <message>
        <source>Conditions</source>
        <translation>Conditions</translation>
    </message>
    <message>
        <source>Between: from the lower to the upper size, both included. Each bound is read in the unit beside it, so &quot;between 500 KB and 2 MB&quot; means what it says.</source>
        <translation>Entre&#xa0;: de la taille inférieure à la taille supérieure, toutes deux comprises. Chaque borne est lue dans l’unité à côté d’elle&#xa0;: «&#xa0;entre 500 KB et 2 MB&#xa0;» veut dire ce que cela dit.</translation>
    </message>
    <message>
        <source>Greater than and Less than: strictly larger or smaller. Equal to: exactly that size.</source>
        <translation>Plus de et Moins de&#xa0;: strictement plus grand ou plus petit. Égal à&#xa0;: exactement cette taille.</translation>
    </message>
    <message>
        <source>Units and rounding</source>
        <translation>Unités et arrondi</translation>
    </message>
    <message>
        <source>1 KB is 1,024 bytes, 1 MB is 1,024 KB and 1 GB is 1,024 MB.</source>
        <translation>1 KB vaut 1&#xa0;024 octets, 1 MB vaut 1&#xa0;024 KB et 1 GB vaut 1&#xa0;024 MB.</translation>
    </message>
    <message>
        <source>Under KB a file&apos;s size is rounded to whole KB before it is compared, a half going to the even neighbour: a file of 1,536 bytes (1.5 KB) counts as 2 KB, one of 2,560 bytes (2.5 KB) also as 2 KB.</source>
        <translation>Sous KB, la taille d’un fichier est arrondie au KB entier avant d’être comparée, une moitié allant vers le voisin pair&#xa0;: un fichier de 1&#xa0;536 octets (1,5 KB) compte pour 2 KB, un de 2&#xa0;560 octets (2,5 KB) aussi pour 2 KB.</translation>
    </message>
    <message>
        <source>The upper bound of Between sees the unrounded size: between 1 and 2 KB takes a file of 2,048 bytes but not one of 2,049.</source>
        <translation>La borne supérieure de Entre voit la taille non arrondie&#xa0;: entre 1 et 2 KB prend un fichier de 2&#xa0;048 octets, mais pas un de 2&#xa0;049.</translation>
    </message>
    <message>
        <source>Under MB and GB nothing is rounded: equal to 1 MB finds only files of exactly 1,048,576 bytes.</source>
        <translation>Sous MB et GB, rien n’est arrondi&#xa0;: égal à 1 MB ne trouve que les fichiers d’exactement 1&#xa0;048&#xa0;576 octets.</translation>
    </message>
    <message>
        <source>Commands</source>
        <translation>Commandes</translation>
    </message>
    <message>
        <source>Add Folder to Search: adds a folder to the list. Double-click a folder, or press Delete, to take it off.</source>
        <translation>Ajouter un dossier à la recherche&#xa0;: ajoute un dossier à la liste. Un double-clic sur un dossier, ou la touche Suppr, l’en retire.</translation>
    </message>
    <message>
        <source>Start Finding: searches the folders; while it runs the button reads Stop.</source>
        <translation>Lancer la recherche&#xa0;: parcourt les dossiers&#xa0;; pendant la recherche, le bouton devient Arrêter.</translation>
    </message>
    <message>
        <source>Save Results As Text File: saves the paths, or the paths with their sizes as CSV.</source>
        <translation>Enregistrer en fichier texte&#xa0;: enregistre les chemins, ou les chemins avec leurs tailles en CSV.</translation>
    </message>
    <message>
        <source>Copy Results To Clipboard: copies the paths of the checked files.</source>
        <translation>Copier les résultats&#xa0;: copie les chemins des fichiers cochés dans le presse-papiers.</translation>
    </message>
    <message>
        <source>Clear Results: empties the result list.</source>
        <translation>Vider les résultats&#xa0;: vide la liste des résultats.</translation>
    </message>
    <message>
        <source>Clear Results Containing X, Clear Results Not Containing X: removes the rows whose path contains, or does not contain, a text you type.</source>
        <translation>Retirer les résultats avec X, Retirer les résultats sans X&#xa0;: retire les lignes dont le chemin contient, ou ne contient pas, un texte que vous tapez.</translation>
    </message>
    <message>
        <source>Send Checked To Recycle Bin: moves the checked files to the trash, after asking.</source>
        <translation>Cochés à la corbeille&#xa0;: met les fichiers cochés à la corbeille, après confirmation.</translation>
    </message>
    <message>
        <source>Move Checked To Folder: moves the checked files into a folder you choose, after asking.</source>
        <translation>Déplacer les cochés&#xa0;: déplace les fichiers cochés dans un dossier de votre choix, après confirmation.</translation>
    </message>
    <message>
        <source>Right-click a result to open it, show it in its folder, copy its path or change the checks.</source>
        <translation>Un clic droit sur un résultat l’ouvre, le montre dans son dossier, copie son chemin ou change les coches.</translation>
    </message>
    <message>
        <source>Keys</source>
        <translation>Touches</translation>
    </message>
    <message>
        <source>Ctrl+F: go to the size of the chosen condition</source>
        <translation>Ctrl+F&#xa0;: aller à la taille de la condition choisie</translation>
    </message>
    <message>
        <source>Return in a size box: start finding</source>
        <translation>Entrée dans une case de taille&#xa0;: lancer la recherche</translation>
    </message>
    <message>
        <source>Escape: stop a running search</source>
        <translation>Échap&#xa0;: arrêter la recherche en cours</translation>
    </message>
    <message>
        <source>Delete in the folder list: remove the selected folder</source>
        <translation>Suppr dans la liste des dossiers&#xa0;: retirer le dossier sélectionné</translation>
    </message>
    <message>
        <source>Space in the result list: check or uncheck the selected rows</source>
        <translation>Espace dans la liste des résultats&#xa0;: cocher ou décocher les lignes sélectionnées</translation>
    </message>
    <message>
        <source>Ctrl+Return in the result list: show the file in its folder</source>
        <translation>Ctrl+Entrée dans la liste des résultats&#xa0;: montrer le fichier dans son dossier</translation>
    </message>
    <message>
        <source>Menu or Shift+F10 in the result list: its commands</source>
        <translation>Menu ou Maj+F10 dans la liste des résultats&#xa0;: ses commandes</translation>
    </message>
    <message>
        <source>F1: this help</source>
        <translation>F1&#xa0;: cette aide</translation>
    </message>
    <message>
        <source>Escape in this help: close it</source>
        <translation>Échap dans cette aide&#xa0;: la fermer</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Réglages</translation>
    </message>
    <message>
        <source>The condition, its units, the last folder of a move and the window&apos;s size are kept in %1, section [Zorvik]. Delete that section to start afresh.</source>
        <translation>La condition, ses unités, le dernier dossier d’un déplacement et la taille de la fenêtre sont gardés dans %1, section [Zorvik]. Supprimez cette section pour repartir de zéro.</translation>
    </message>
    <message>
        <source>More</source>
        <translation>Plus</translation>
    </message>
    <message>
        <source>The manual page tells all, also how to search without a window: type %1 in a terminal.</source>
        <translation>La page de manuel dit tout, aussi comment chercher sans fenêtre&#xa0;: tapez %1 dans un terminal.</translation>
    </message>
    <message>
        <source>Questions? Please contact Team Teskaro at </source>
        <translation>Des questions&#xa0;? Contactez l’équipe Teskaro à l’adresse </translation>
    </message>
    <message>
        <source>%1 Help</source>
        <translation>Aide de %1</translation>
    </message>
    <message>
        <source>Help text</source>
        <translation>Texte de l’aide</translation>
    </message>
    <message>
        <source>Menu or Shift+F10 in the folder list: folders to skip, search options</source>
        <translation>Menu ou Maj+F10 dans la liste des dossiers : dossiers à ignorer, options de recherche</translation>
    </message>
</context>
<context>
    <name>zorvik::NumberReading</name>
    <message>
        <source>Use a comma (,) as the decimal separator.</source>
        <translation>Utilisez une virgule (,) comme séparateur décimal.</translation>
    </message>
    <message>
        <source>Use a point (.) as the decimal separator.</source>
        <translation>Utilisez un point (.) comme séparateur décimal.</translation>
    </message>
</context>
<context>
    <name>zorvik::QtDesktop</name>
    <message>
        <source>The desktop has no application to open it.</source>
        <translation>Le bureau n’a aucune application pour l’ouvrir.</translation>
    </message>
</context>
<context>
    <name>zorvik::QtDialogs</name>
    <message>
        <source>Application Error</source>
        <translation>Erreur de l’application</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Text (*.txt)</source>
        <translation>Texte (*.txt)</translation>
    </message>
    <message>
        <source>CSV with sizes (*.csv)</source>
        <translation>CSV avec tailles (*.csv)</translation>
    </message>
</context>
<context>
    <name>zorvik::ResultListControls</name>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Show in Folder</source>
        <translation>Afficher dans le dossier</translation>
    </message>
    <message>
        <source>Copy Path</source>
        <translation>Copier le chemin</translation>
    </message>
    <message>
        <source>Check All</source>
        <translation>Tout cocher</translation>
    </message>
    <message>
        <source>Uncheck All</source>
        <translation>Tout décocher</translation>
    </message>
    <message>
        <source>Invert Checks</source>
        <translation>Inverser les coches</translation>
    </message>
    <message>
        <source>Check Selected</source>
        <translation>Cocher la sélection</translation>
    </message>
    <message>
        <source>Uncheck Selected</source>
        <translation>Décocher la sélection</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>zorvik::SearchOptionsDialog</name>
    <message>
        <source>Search Options</source>
        <translation>Options de recherche</translation>
    </message>
    <message>
        <source>Names to &amp;skip, one pattern a line (node_modules, .git, *.iso):</source>
        <translation>Noms à &amp;ignorer, un motif par ligne (node_modules, .git, *.iso)&#xa0;:</translation>
    </message>
    <message>
        <source>Names to skip</source>
        <translation>Noms à ignorer</translation>
    </message>
    <message>
        <source>Names to search &amp;for, one pattern a line (empty: every name):</source>
        <translation>Noms à &amp;rechercher, un motif par ligne (vide&#xa0;: tous les noms)&#xa0;:</translation>
    </message>
    <message>
        <source>Names to search for</source>
        <translation>Noms à rechercher</translation>
    </message>
    <message>
        <source>Stay on the file s&amp;ystem of each listed folder</source>
        <translation>Rester sur le &amp;système de fichiers de chaque dossier listé</translation>
    </message>
    <message>
        <source>Skip folders tagged as &amp;caches (CACHEDIR.TAG)</source>
        <translation>Ignorer les dossiers marqués comme &amp;caches (CACHEDIR.TAG)</translation>
    </message>
    <message>
        <source>Skip the &amp;kernel&apos;s file systems (proc, sysfs, …)</source>
        <translation>Ignorer les systèmes de fichiers du &amp;noyau (proc, sysfs, …)</translation>
    </message>
</context>
<context>
    <name>zorvik::StoredValues</name>
    <message>
        <source>Type mismatch</source>
        <translation>Type incompatible</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>Dépassement de capacité</translation>
    </message>
    <message>
        <source>Invalid property value</source>
        <translation>Valeur de propriété non valide</translation>
    </message>
</context>
</TS>
