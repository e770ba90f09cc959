<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>zorvik::ErrorReport</name>
    <message>
        <source>Please email screenshot of this message to </source>
        <translation>Bitte senden Sie ein Bildschirmfoto dieser Meldung an </translation>
    </message>
</context>
<context>
    <name>zorvik::FolderList</name>
    <message>
        <source>The folder list has no column</source>
        <translation>Die Ordnerliste hat keine Spalte</translation>
    </message>
    <message>
        <source>There is no folder at position %1.</source>
        <translation>An Position %1 steht kein Ordner.</translation>
    </message>
    <message>
        <source>Index out of bounds</source>
        <translation>Index außerhalb des gültigen Bereichs</translation>
    </message>
</context>
<context>
    <name>zorvik::Form1</name>
    <message>
        <source>Between</source>
        <translation>Zwischen</translation>
    </message>
    <message>
        <source>and</source>
        <extracomment>The word between the two bounds of &quot;Between ... and ...&quot;.</extracomment>
        <translation>und</translation>
    </message>
    <message>
        <source>Double-click item to remove it. Move | line to right and out of window to reveal full names.</source>
        <translation>Doppelklick entfernt den Eintrag. Die Linie | nach rechts aus dem Fenster ziehen, um die ganzen Namen zu sehen.</translation>
    </message>
    <message>
        <source>Add Folder to Search</source>
        <translation>Ordner zur Suche hinzufügen</translation>
    </message>
    <message>
        <source>Search Option</source>
        <translation>Suchbedingung</translation>
    </message>
    <message>
        <source>Greater than</source>
        <translation>Größer als</translation>
    </message>
    <message>
        <source>Less than</source>
        <translation>Kleiner als</translation>
    </message>
    <message>
        <source>Equal to</source>
        <translation>Gleich</translation>
    </message>
    <message>
        <source>Start Finding</source>
        <translation>Suche starten</translation>
    </message>
    <message>
        <source>Save Results As Text File</source>
        <translation>Als Textdatei speichern</translation>
    </message>
    <message>
        <source>Clear Results</source>
        <translation>Ergebnisse leeren</translation>
    </message>
    <message>
        <source>Copy Results To Clipboard</source>
        <translation>Ergebnisse kopieren</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Clear Results Containing X</source>
        <translation>Ergebnisse mit X entfernen</translation>
    </message>
    <message>
        <source>Clear Results Not Containing X</source>
        <translation>Ergebnisse ohne X entfernen</translation>
    </message>
    <message>
        <source>Send Checked To Recycle Bin</source>
        <translation>Angehakte in den Papierkorb</translation>
    </message>
    <message>
        <source>Move Checked To Folder</source>
        <translation>Angehakte verschieben</translation>
    </message>
    <message>
        <source>Folder(s)</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>Ergebnisse</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Invalid picture</source>
        <translation>Ungültiges Bild</translation>
    </message>
    <message>
        <source>Questions? Please contact Team Teskaro at </source>
        <translation>Fragen? Bitte wenden Sie sich an Team Teskaro unter </translation>
    </message>
    <message>
        <source>Folders to search</source>
        <translation>Zu durchsuchende Ordner</translation>
    </message>
    <message>
        <source>Opens a folder chooser and adds the chosen folder to the list</source>
        <translation>Öffnet eine Ordnerauswahl und fügt den gewählten Ordner der Liste hinzu</translation>
    </message>
    <message>
        <source>Size condition</source>
        <translation>Größenbedingung</translation>
    </message>
    <message>
        <source>Ctrl+F goes to the size of the chosen condition</source>
        <translation>Strg+F springt zur Größe der gewählten Bedingung</translation>
    </message>
    <message>
        <source>Files from the lower to the upper bound, both included</source>
        <translation>Dateien von der Unter- bis zur Obergrenze, beide eingeschlossen</translation>
    </message>
    <message>
        <source>Return starts finding</source>
        <translation>Eingabetaste startet die Suche</translation>
    </message>
    <message>
        <source>Lower bound</source>
        <translation>Untergrenze</translation>
    </message>
    <message>
        <source>Unit of the lower bound</source>
        <translation>Einheit der Untergrenze</translation>
    </message>
    <message>
        <source>Upper bound</source>
        <translation>Obergrenze</translation>
    </message>
    <message>
        <source>Unit of the upper bound</source>
        <translation>Einheit der Obergrenze</translation>
    </message>
    <message>
        <source>Size for %1</source>
        <translation>Größe für „%1“</translation>
    </message>
    <message>
        <source>Unit for %1</source>
        <translation>Einheit für „%1“</translation>
    </message>
    <message>
        <source>Searches the listed folders and their sub-folders; Escape stops a search</source>
        <translation>Durchsucht die aufgeführten Ordner samt Unterordnern; Esc hält die Suche an</translation>
    </message>
    <message>
        <source>Writes the path of every result into a text file</source>
        <translation>Schreibt den Pfad jedes Ergebnisses in eine Textdatei</translation>
    </message>
    <message>
        <source>Empties the result list; no file is touched</source>
        <translation>Leert die Ergebnisliste; keine Datei wird verändert</translation>
    </message>
    <message>
        <source>Copies the checked results as a table</source>
        <translation>Kopiert die angehakten Ergebnisse als Tabelle</translation>
    </message>
    <message>
        <source>How to reach support, and the keys (F1)</source>
        <translation>Wie Sie den Support erreichen, und die Tasten (F1)</translation>
    </message>
    <message>
        <source>Asks for a text and removes the results whose path contains it</source>
        <translation>Fragt nach einem Text und entfernt die Ergebnisse, deren Pfad ihn enthält</translation>
    </message>
    <message>
        <source>Asks for a text and removes the results whose path does not contain it</source>
        <translation>Fragt nach einem Text und entfernt die Ergebnisse, deren Pfad ihn nicht enthält</translation>
    </message>
    <message>
        <source>Moves the files of the checked results to the trash</source>
        <translation>Verschiebt die Dateien der angehakten Ergebnisse in den Papierkorb</translation>
    </message>
    <message>
        <source>Moves the files of the checked results into a folder you choose</source>
        <translation>Verschiebt die Dateien der angehakten Ergebnisse in einen Ordner Ihrer Wahl</translation>
    </message>
    <message>
        <source>No results</source>
        <translation>Keine Ergebnisse</translation>
    </message>
    <message>
        <source>Keys:
Ctrl+F – go to the size of the chosen condition
Return in a size box – start finding
Escape – stop a running search
Delete in the folder list – remove the selected folder
Space in the result list – check or uncheck the selected rows
Ctrl+Return in the result list – show the file in its folder
Menu or Shift+F10 in the result list – its commands
F1 – this help</source>
        <translation>Tasten:
Strg+F – zur Größe der gewählten Bedingung
Eingabetaste in einem Größenfeld – Suche starten
Esc – laufende Suche anhalten
Entf in der Ordnerliste – gewählten Ordner entfernen
Leertaste in der Ergebnisliste – gewählte Zeilen an- oder abhaken
Strg+Eingabetaste in der Ergebnisliste – Datei im Ordner zeigen
Menütaste oder Umschalt+F10 in der Ergebnisliste – ihre Befehle
F1 – diese Hilfe</translation>
    </message>
    <message>
        <source>Check the files to work on; right-click for more. Move | line to right and out of window to reveal full names.</source>
        <translation>Dateien zum Bearbeiten abhaken; Rechtsklick für mehr. Die Linie | nach rechts aus dem Fenster ziehen, um die ganzen Namen zu sehen.</translation>
    </message>
</context>
<context>
    <name>zorvik::QtDesktop</name>
    <message>
        <source>The desktop has no application to open it.</source>
        <translation>Die Arbeitsumgebung hat kein Programm, um sie zu öffnen.</translation>
    </message>
</context>
<context>
    <name>zorvik::QtDialogs</name>
    <message>
        <source>Application Error</source>
        <translation>Anwendungsfehler</translation>
    </message>
    <message>
        <source>Text Files (*.txt)</source>
        <translation>Textdateien (*.txt)</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
</context>
<context>
    <name>zorvik::ResultListControls</name>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Show in Folder</source>
        <translation>Im Ordner zeigen</translation>
    </message>
    <message>
        <source>Copy Path</source>
        <translation>Pfad kopieren</translation>
    </message>
    <message>
        <source>Check All</source>
        <translation>Alle anhaken</translation>
    </message>
    <message>
        <source>Uncheck All</source>
        <translation>Alle Haken entfernen</translation>
    </message>
    <message>
        <source>Invert Checks</source>
        <translation>Haken umkehren</translation>
    </message>
    <message>
        <source>Check Selected</source>
        <translation>Ausgewählte anhaken</translation>
    </message>
    <message>
        <source>Uncheck Selected</source>
        <translation>Haken der Ausgewählten entfernen</translation>
    </message>
</context>
<context>
    <name>zorvik::StoredValues</name>
    <message>
        <source>Type mismatch</source>
        <translation>Typen unverträglich</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>Überlauf</translation>
    </message>
    <message>
        <source>Invalid property value</source>
        <translation>Ungültiger Eigenschaftswert</translation>
    </message>
</context>
</TS>
