<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
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
        <source>Questions? Please contact Team Teskaro at </source>
        <translation>Des questions&#xa0;? Contactez l’équipe Teskaro à l’adresse </translation>
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
        <source>Text Files (*.txt)</source>
        <translation>Fichiers texte (*.txt)</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
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
