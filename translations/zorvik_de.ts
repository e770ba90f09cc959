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
