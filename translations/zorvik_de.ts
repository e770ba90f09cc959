<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CopyResults</name>
    <message>
        <source>No result is checked.</source>
        <translation>Kein Ergebnis ist angehakt.</translation>
    </message>
    <message>
        <source>Results have been copied to the clipboard.</source>
        <translation>Die Ergebnisse wurden in die Zwischenablage kopiert.</translation>
    </message>
    <message>
        <source>Click a text area where you normally type and press Ctrl+V to paste the clipboard.</source>
        <translation>Klicken Sie in ein Feld, in dem Sie sonst schreiben, und drücken Sie Strg+V, um die Zwischenablage einzufügen.</translation>
    </message>
</context>
<context>
    <name>CriteriaPanel</name>
    <message>
        <source>Must be a numeric entry.</source>
        <translation>Hier muss eine Zahl stehen.</translation>
    </message>
</context>
<context>
    <name>FileProgress</name>
    <message>
        <source>Moving file %1 of %2 to the trash (%3 of %4)</source>
        <translation>Datei %1 von %2 wird in den Papierkorb verschoben (%3 von %4)</translation>
    </message>
    <message>
        <source>Moving file %1 of %2 (%3 of %4): %5</source>
        <translation>Datei %1 von %2 wird verschoben (%3 von %4): %5</translation>
    </message>
    <message>
        <source>Putting back file %1 of %2 (%3 of %4): %5</source>
        <translation>Datei %1 von %2 wird zurückgelegt (%3 von %4): %5</translation>
    </message>
</context>
<context>
    <name>FolderCommands</name>
    <message>
        <source>1 folder given on the command line was not added:</source>
        <translation>1 auf der Befehlszeile genannter Ordner wurde nicht hinzugefügt:</translation>
    </message>
    <message numerus="yes">
        <source>%n folders given on the command line were not added:</source>
        <translation>
            <numerusform>%n auf der Befehlszeile genannter Ordner wurde nicht hinzugefügt:</numerusform>
            <numerusform>%n auf der Befehlszeile genannte Ordner wurden nicht hinzugefügt:</numerusform>
        </translation>
    </message>
    <message>
        <source>Add Folder to Search</source>
        <translation>Ordner zur Suche hinzufügen</translation>
    </message>
    <message>
        <source>Add Folder to Skip</source>
        <translation>Zu überspringenden Ordner hinzufügen</translation>
    </message>
</context>
<context>
    <name>FoundFileAccess</name>
    <message>
        <source>It has changed since the search.</source>
        <translation>Sie hat sich seit der Suche geändert.</translation>
    </message>
    <message>
        <source>The row names no file.</source>
        <translation>Die Zeile nennt keine Datei.</translation>
    </message>
</context>
<context>
    <name>FreedesktopTrash</name>
    <message>
        <source>The file system it is on keeps no trash.</source>
        <translation>Ihr Dateisystem hat keinen Papierkorb.</translation>
    </message>
    <message>
        <source>The trash folder of this file system belongs to someone else.</source>
        <translation>Der Papierkorb dieses Dateisystems gehört jemand anderem.</translation>
    </message>
</context>
<context>
    <name>IniSettingsStore</name>
    <message>
        <source>it is no longer a regular file</source>
        <translation>sie ist keine reguläre Datei mehr</translation>
    </message>
    <message>
        <source>it is %1, not a regular file</source>
        <translation>sie ist %1, keine reguläre Datei</translation>
    </message>
    <message>
        <source>it is larger than 1 MB</source>
        <translation>sie ist größer als 1 MB</translation>
    </message>
    <message>
        <source>The settings file %1 is not used: %2.</source>
        <translation>Die Einstellungsdatei %1 wird nicht verwendet: %2.</translation>
    </message>
    <message>
        <source>Zorvik starts with its default settings and saves no changes to them this time.</source>
        <translation>Zorvik startet mit den voreingestellten Werten und speichert diesmal keine Änderungen daran.</translation>
    </message>
</context>
<context>
    <name>MoveChecked</name>
    <message>
        <source>The row names no file.</source>
        <translation>Die Zeile nennt keine Datei.</translation>
    </message>
    <message>
        <source>1 file of the same name that was in that folder is now in the trash.</source>
        <translation>1 gleichnamige Datei, die in diesem Ordner war, liegt jetzt im Papierkorb.</translation>
    </message>
    <message numerus="yes">
        <source>%n files of the same name that were in that folder are now in the trash.</source>
        <translation>
            <numerusform>%n gleichnamige Datei, die in diesem Ordner war, liegt jetzt im Papierkorb.</numerusform>
            <numerusform>%n gleichnamige Dateien, die in diesem Ordner waren, liegen jetzt im Papierkorb.</numerusform>
        </translation>
    </message>
    <message>
        <source>1 file was not moved:</source>
        <translation>1 Datei wurde nicht verschoben:</translation>
    </message>
    <message numerus="yes">
        <source>%n files were not moved:</source>
        <translation>
            <numerusform>%n Datei wurde nicht verschoben:</numerusform>
            <numerusform>%n Dateien wurden nicht verschoben:</numerusform>
        </translation>
    </message>
    <message>
        <source>Move Checked Files To</source>
        <translation>Angehakte Dateien verschieben nach</translation>
    </message>
    <message>
        <source>Stopped: the file was not moved.</source>
        <translation>Angehalten: Die Datei wurde nicht verschoben.</translation>
    </message>
    <message numerus="yes">
        <source>Stopped: %1 of %n files moved.</source>
        <translation>
            <numerusform>Angehalten: %1 von %n Datei verschoben.</numerusform>
            <numerusform>Angehalten: %1 von %n Dateien verschoben.</numerusform>
        </translation>
    </message>
    <message>
        <source>A file of the same name was just moved there from another folder.</source>
        <translation>Eine Datei gleichen Namens wurde gerade aus einem anderen Ordner dorthin verschoben.</translation>
    </message>
</context>
<context>
    <name>PosixFileOperations</name>
    <message>
        <source>It is a folder.</source>
        <translation>Es ist ein Ordner.</translation>
    </message>
    <message>
        <source>It is already in that folder.</source>
        <translation>Sie liegt schon in diesem Ordner.</translation>
    </message>
    <message>
        <source>A checked file of the same name is in that folder.</source>
        <translation>In diesem Ordner liegt eine angehakte Datei gleichen Namens.</translation>
    </message>
    <message>
        <source>The file of the same name in that folder could not be put in the trash: %1</source>
        <translation>Die gleichnamige Datei in diesem Ordner konnte nicht in den Papierkorb: %1</translation>
    </message>
    <message>
        <source>It was copied, but the original could not be removed: %1</source>
        <translation>Sie wurde kopiert, aber das Original konnte nicht entfernt werden: %1</translation>
    </message>
    <message>
        <source>It is not an ordinary file.</source>
        <translation>Es ist keine gewöhnliche Datei.</translation>
    </message>
    <message>
        <source>The copy came out at a different size.</source>
        <translation>Die Kopie hat eine andere Größe als das Original.</translation>
    </message>
    <message>
        <source>It changed during the move.</source>
        <translation>Sie hat sich während des Verschiebens geändert.</translation>
    </message>
    <message>
        <source>A folder of the same name is in that folder.</source>
        <translation>In diesem Ordner liegt ein Ordner gleichen Namens.</translation>
    </message>
    <message>
        <source>A link or other special file of the same name is in that folder.</source>
        <translation>In diesem Ordner liegt eine Verknüpfung oder andere besondere Datei gleichen Namens.</translation>
    </message>
</context>
<context>
    <name>PruneResults</name>
    <message>
        <source>Remove entries containing: </source>
        <translation>Einträge entfernen, die Folgendes enthalten: </translation>
    </message>
    <message>
        <source>Remove entries not containing: </source>
        <translation>Einträge entfernen, die Folgendes nicht enthalten: </translation>
    </message>
</context>
<context>
    <name>PutBack</name>
    <message>
        <source>Another file now has its name there; both are kept.</source>
        <translation>Dort trägt jetzt eine andere Datei ihren Namen; beide bleiben erhalten.</translation>
    </message>
    <message>
        <source>It is no longer in the trash.</source>
        <translation>Sie ist nicht mehr im Papierkorb.</translation>
    </message>
    <message>
        <source>It is no longer in the folder it was moved to.</source>
        <translation>Sie ist nicht mehr in dem Ordner, in den sie verschoben wurde.</translation>
    </message>
</context>
<context>
    <name>RecycleChecked</name>
    <message>
        <source>No result is checked.</source>
        <translation>Kein Ergebnis ist angehakt.</translation>
    </message>
    <message>
        <source>1 file could not be moved to the trash:</source>
        <translation>1 Datei konnte nicht in den Papierkorb verschoben werden:</translation>
    </message>
    <message numerus="yes">
        <source>%n files could not be moved to the trash:</source>
        <translation>
            <numerusform>%n Datei konnte nicht in den Papierkorb verschoben werden:</numerusform>
            <numerusform>%n Dateien konnten nicht in den Papierkorb verschoben werden:</numerusform>
        </translation>
    </message>
    <message>
        <source>Move the checked file (%1) to the trash?</source>
        <translation>Die angehakte Datei (%1) in den Papierkorb verschieben?</translation>
    </message>
    <message numerus="yes">
        <source>Move the %1 checked files (%2) to the trash?</source>
        <translation>
            <numerusform>Die %1 angehakte Datei (%2) in den Papierkorb verschieben?</numerusform>
            <numerusform>Die %1 angehakten Dateien (%2) in den Papierkorb verschieben?</numerusform>
        </translation>
    </message>
    <message>
        <source>Stopped: the file was not moved to the trash.</source>
        <translation>Angehalten: Die Datei wurde nicht in den Papierkorb verschoben.</translation>
    </message>
    <message numerus="yes">
        <source>Stopped: %1 of %n files moved to the trash.</source>
        <translation>
            <numerusform>Angehalten: %1 von %n Datei in den Papierkorb verschoben.</numerusform>
            <numerusform>Angehalten: %1 von %n Dateien in den Papierkorb verschoben.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RegularFile</name>
    <message>
        <source>a folder</source>
        <translation>ein Ordner</translation>
    </message>
    <message>
        <source>a named pipe</source>
        <translation>eine benannte Pipe</translation>
    </message>
    <message>
        <source>a device</source>
        <translation>ein Gerät</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>ein Socket</translation>
    </message>
    <message>
        <source>a special file</source>
        <translation>eine Spezialdatei</translation>
    </message>
</context>
<context>
    <name>RowActions</name>
    <message>
        <source>%1 could not be opened:</source>
        <translation>%1 konnte nicht geöffnet werden:</translation>
    </message>
    <message>
        <source>%1 could not be shown in its folder:</source>
        <translation>%1 konnte nicht in seinem Ordner gezeigt werden:</translation>
    </message>
</context>
<context>
    <name>SaveResults</name>
    <message>
        <source>Zorvik results.txt</source>
        <translation>Zorvik-Ergebnisse.txt</translation>
    </message>
    <message>
        <source>Are you sure you wish to overwrite %1 ?</source>
        <translation>Soll %1 wirklich überschrieben werden?</translation>
    </message>
    <message>
        <source>Done.</source>
        <translation>Fertig.</translation>
    </message>
</context>
<context>
    <name>SearchRun</name>
    <message>
        <source>Searching </source>
        <translation>Durchsuche </translation>
    </message>
    <message>
        <source>The file system cannot be reached.</source>
        <translation>Das Dateisystem ist nicht erreichbar.</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>No folders added.</source>
        <translation>Keine Ordner hinzugefügt.</translation>
    </message>
    <message>
        <source>Folder(s)</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>1 folder could not be searched and was skipped:</source>
        <translation>1 Ordner konnte nicht durchsucht werden und wurde übersprungen:</translation>
    </message>
    <message numerus="yes">
        <source>%n folders could not be searched and were skipped:</source>
        <translation>
            <numerusform>%n Ordner konnte nicht durchsucht werden und wurde übersprungen:</numerusform>
            <numerusform>%n Ordner konnten nicht durchsucht werden und wurden übersprungen:</numerusform>
        </translation>
    </message>
    <message>
        <source>Done.</source>
        <translation>Fertig.</translation>
    </message>
    <message>
        <source>Done. 1 folder skipped</source>
        <translation>Fertig. 1 Ordner übersprungen</translation>
    </message>
    <message numerus="yes">
        <source>Done. %n folders skipped</source>
        <translation>
            <numerusform>Fertig. %n Ordner übersprungen</numerusform>
            <numerusform>Fertig. %n Ordner übersprungen</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SizeTest</name>
    <message>
        <source>Type mismatch: &quot;%1&quot; is not a number.</source>
        <translation>Typen unverträglich: „%1“ ist keine Zahl.</translation>
    </message>
</context>
<context>
    <name>Skin</name>
    <message>
        <source>The skin %1 is not valid UTF-8</source>
        <translation>Die Oberfläche %1 ist kein gültiges UTF-8</translation>
    </message>
    <message>
        <source>The skin %1 is larger than 1 MB</source>
        <translation>Die Oberfläche %1 ist größer als 1 MB</translation>
    </message>
    <message>
        <source>The skin %1 is not a style sheet that Qt can read</source>
        <translation>Die Oberfläche %1 ist kein Stylesheet, das Qt lesen kann</translation>
    </message>
</context>
<context>
    <name>TotalsText</name>
    <message>
        <source>1 file</source>
        <translation>1 Datei</translation>
    </message>
    <message numerus="yes">
        <source>%1 files</source>
        <translation>
            <numerusform>%1 Datei</numerusform>
            <numerusform>%1 Dateien</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 checked</source>
        <translation>
            <numerusform>%1 angehakt</numerusform>
            <numerusform>%1 angehakt</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>UndoLast</name>
    <message>
        <source>Stopped: the file was not put back.</source>
        <translation>Angehalten: Die Datei wurde nicht zurückgelegt.</translation>
    </message>
    <message numerus="yes">
        <source>Stopped: %1 of %n files put back.</source>
        <translation>
            <numerusform>Angehalten: %1 von %n Datei zurückgelegt.</numerusform>
            <numerusform>Angehalten: %1 von %n Dateien zurückgelegt.</numerusform>
        </translation>
    </message>
    <message>
        <source>1 file is back where it was.</source>
        <translation>1 Datei ist wieder dort, wo sie war.</translation>
    </message>
    <message numerus="yes">
        <source>%n files are back where they were.</source>
        <translation>
            <numerusform>%n Datei ist wieder dort, wo sie war.</numerusform>
            <numerusform>%n Dateien sind wieder dort, wo sie waren.</numerusform>
        </translation>
    </message>
    <message>
        <source>1 file of the same name is back from the trash.</source>
        <translation>1 gleichnamige Datei ist aus dem Papierkorb zurück.</translation>
    </message>
    <message numerus="yes">
        <source>%n files of the same name are back from the trash.</source>
        <translation>
            <numerusform>%n gleichnamige Datei ist aus dem Papierkorb zurück.</numerusform>
            <numerusform>%n gleichnamige Dateien sind aus dem Papierkorb zurück.</numerusform>
        </translation>
    </message>
    <message>
        <source>1 file was not put back:</source>
        <translation>1 Datei wurde nicht zurückgelegt:</translation>
    </message>
    <message numerus="yes">
        <source>%n files were not put back:</source>
        <translation>
            <numerusform>%n Datei wurde nicht zurückgelegt:</numerusform>
            <numerusform>%n Dateien wurden nicht zurückgelegt:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>UndoStack</name>
    <message>
        <source>Undo Move of 1 File</source>
        <translation>Verschieben von 1 Datei rückgängig machen</translation>
    </message>
    <message numerus="yes">
        <source>Undo Move of %n Files</source>
        <translation>
            <numerusform>Verschieben von %n Datei rückgängig machen</numerusform>
            <numerusform>Verschieben von %n Dateien rückgängig machen</numerusform>
        </translation>
    </message>
    <message>
        <source>Undo Trash of 1 File</source>
        <translation>Papierkorb für 1 Datei rückgängig machen</translation>
    </message>
    <message numerus="yes">
        <source>Undo Trash of %n Files</source>
        <translation>
            <numerusform>Papierkorb für %n Datei rückgängig machen</numerusform>
            <numerusform>Papierkorb für %n Dateien rückgängig machen</numerusform>
        </translation>
    </message>
    <message>
        <source>Nothing to undo</source>
        <translation>Nichts rückgängig zu machen</translation>
    </message>
</context>
<context>
    <name>zorvik::Clipboard</name>
    <message>
        <source>The clipboard did not take the text.</source>
        <translation>Die Zwischenablage hat den Text nicht übernommen.</translation>
    </message>
</context>
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
    <message>
        <source>%1, skipped</source>
        <translation>%1, übersprungen</translation>
    </message>
    <message>
        <source>Skipped: no search enters this folder</source>
        <translation>Übersprungen: keine Suche durchsucht diesen Ordner</translation>
    </message>
</context>
<context>
    <name>zorvik::FolderListControls</name>
    <message>
        <source>Add Folder to Skip…</source>
        <translation>Zu überspringenden Ordner hinzufügen…</translation>
    </message>
    <message>
        <source>Search This Folder</source>
        <translation>Diesen Ordner durchsuchen</translation>
    </message>
    <message>
        <source>Skip This Folder</source>
        <translation>Diesen Ordner überspringen</translation>
    </message>
    <message>
        <source>Search Options…</source>
        <translation>Suchoptionen…</translation>
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
        <source>Check the files to work on; right-click for more. Move | line to right and out of window to reveal full names.</source>
        <translation>Dateien zum Bearbeiten abhaken; Rechtsklick für mehr. Die Linie | nach rechts aus dem Fenster ziehen, um die ganzen Namen zu sehen.</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Anhalten</translation>
    </message>
</context>
<context>
    <name>zorvik::HelpWindow</name>
    <message>
        <source>Finding files by size</source>
        <translation>Dateien nach Größe finden</translation>
    </message>
    <message>
        <source>Add the folders to search with &quot;Add Folder to Search&quot;; the folders below them are searched too. Choose a condition, type its size, choose its unit and press &quot;Start Finding&quot;.</source>
        <translation>Fügen Sie die zu durchsuchenden Ordner mit „Ordner zur Suche hinzufügen“ hinzu; die Ordner darunter werden mit durchsucht. Wählen Sie eine Bedingung, geben Sie ihre Größe ein, wählen Sie ihre Einheit und klicken Sie auf „Suche starten“.</translation>
    </message>
    <message>
        <source>Type a number as your language writes it: 1.5 in English, 1,5 in German or French.</source>
        <translation>Schreiben Sie eine Zahl so, wie Ihre Sprache sie schreibt: 1,5 auf Deutsch oder Französisch, 1.5 auf Englisch.</translation>
    </message>
    <message>
        <source>Conditions</source>
        <translation>Bedingungen</translation>
    </message>
    <message>
        <source>Between: from the lower to the upper size, both included. Each bound is read in the unit beside it, so &quot;between 500 KB and 2 MB&quot; means what it says.</source>
        <translation>Zwischen: von der unteren bis zur oberen Größe, beide eingeschlossen. Jede Grenze gilt in der Einheit daneben, „zwischen 500 KB und 2 MB“ meint also genau das.</translation>
    </message>
    <message>
        <source>Greater than and Less than: strictly larger or smaller. Equal to: exactly that size.</source>
        <translation>Größer als und Kleiner als: echt größer oder kleiner. Gleich: genau diese Größe.</translation>
    </message>
    <message>
        <source>Units and rounding</source>
        <translation>Einheiten und Rundung</translation>
    </message>
    <message>
        <source>1 KB is 1,024 bytes, 1 MB is 1,024 KB and 1 GB is 1,024 MB.</source>
        <translation>1 KB sind 1.024 Bytes, 1 MB sind 1.024 KB und 1 GB sind 1.024 MB.</translation>
    </message>
    <message>
        <source>Under KB a file&apos;s size is rounded to whole KB before it is compared, a half going to the even neighbour: a file of 1,536 bytes (1.5 KB) counts as 2 KB, one of 2,560 bytes (2.5 KB) also as 2 KB.</source>
        <translation>Unter KB wird die Größe einer Datei vor dem Vergleich auf ganze KB gerundet, eine Hälfte zum geraden Nachbarn: Eine Datei mit 1.536 Bytes (1,5 KB) zählt als 2 KB, eine mit 2.560 Bytes (2,5 KB) ebenfalls als 2 KB.</translation>
    </message>
    <message>
        <source>The upper bound of Between sees the unrounded size: between 1 and 2 KB takes a file of 2,048 bytes but not one of 2,049.</source>
        <translation>Die obere Grenze von Zwischen sieht die ungerundete Größe: Zwischen 1 und 2 KB nimmt eine Datei mit 2.048 Bytes, aber keine mit 2.049.</translation>
    </message>
    <message>
        <source>Under MB and GB nothing is rounded: equal to 1 MB finds only files of exactly 1,048,576 bytes.</source>
        <translation>Unter MB und GB wird nichts gerundet: Gleich 1 MB findet nur Dateien mit genau 1.048.576 Bytes.</translation>
    </message>
    <message>
        <source>Commands</source>
        <translation>Befehle</translation>
    </message>
    <message>
        <source>Add Folder to Search: adds a folder to the list. Double-click a folder, or press Delete, to take it off.</source>
        <translation>Ordner zur Suche hinzufügen: fügt der Liste einen Ordner hinzu. Ein Doppelklick auf einen Ordner oder die Taste Entf nimmt ihn wieder heraus.</translation>
    </message>
    <message>
        <source>Start Finding: searches the folders; while it runs the button reads Stop.</source>
        <translation>Suche starten: durchsucht die Ordner; solange die Suche läuft, heißt die Schaltfläche Anhalten.</translation>
    </message>
    <message>
        <source>Save Results As Text File: saves the paths, or the paths with their sizes as CSV.</source>
        <translation>Als Textdatei speichern: speichert die Pfade, oder die Pfade mit ihren Größen als CSV.</translation>
    </message>
    <message>
        <source>Copy Results To Clipboard: copies the paths of the checked files.</source>
        <translation>Ergebnisse kopieren: kopiert die Pfade der angehakten Dateien in die Zwischenablage.</translation>
    </message>
    <message>
        <source>Clear Results: empties the result list.</source>
        <translation>Ergebnisse leeren: leert die Ergebnisliste.</translation>
    </message>
    <message>
        <source>Clear Results Containing X, Clear Results Not Containing X: removes the rows whose path contains, or does not contain, a text you type.</source>
        <translation>Ergebnisse mit X entfernen, Ergebnisse ohne X entfernen: entfernt die Zeilen, deren Pfad einen eingegebenen Text enthält oder nicht enthält.</translation>
    </message>
    <message>
        <source>Send Checked To Recycle Bin: moves the checked files to the trash, after asking.</source>
        <translation>Angehakte in den Papierkorb: verschiebt die angehakten Dateien nach einer Rückfrage in den Papierkorb.</translation>
    </message>
    <message>
        <source>Move Checked To Folder: moves the checked files into a folder you choose, after asking.</source>
        <translation>Angehakte verschieben: verschiebt die angehakten Dateien nach einer Rückfrage in einen Ordner Ihrer Wahl.</translation>
    </message>
    <message>
        <source>Right-click a result to open it, show it in its folder, copy its path or change the checks.</source>
        <translation>Ein Rechtsklick auf ein Ergebnis öffnet es, zeigt es in seinem Ordner, kopiert seinen Pfad oder ändert die Haken.</translation>
    </message>
    <message>
        <source>Keys</source>
        <translation>Tasten</translation>
    </message>
    <message>
        <source>Ctrl+F: go to the size of the chosen condition</source>
        <translation>Strg+F: zur Größe der gewählten Bedingung</translation>
    </message>
    <message>
        <source>Return in a size box: start finding</source>
        <translation>Eingabetaste in einem Größenfeld: Suche starten</translation>
    </message>
    <message>
        <source>Escape: stop a running search</source>
        <translation>Esc: laufende Suche anhalten</translation>
    </message>
    <message>
        <source>Delete in the folder list: remove the selected folder</source>
        <translation>Entf in der Ordnerliste: gewählten Ordner entfernen</translation>
    </message>
    <message>
        <source>Space in the result list: check or uncheck the selected rows</source>
        <translation>Leertaste in der Ergebnisliste: gewählte Zeilen an- oder abhaken</translation>
    </message>
    <message>
        <source>Ctrl+Return in the result list: show the file in its folder</source>
        <translation>Strg+Eingabetaste in der Ergebnisliste: Datei in ihrem Ordner zeigen</translation>
    </message>
    <message>
        <source>Menu or Shift+F10 in the result list: its commands</source>
        <translation>Menütaste oder Umschalt+F10 in der Ergebnisliste: ihre Befehle</translation>
    </message>
    <message>
        <source>F1: this help</source>
        <translation>F1: diese Hilfe</translation>
    </message>
    <message>
        <source>Escape in this help: close it</source>
        <translation>Esc in dieser Hilfe: sie schließen</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>The condition, its units, the last folder of a move and the window&apos;s size are kept in %1, section [Zorvik]. Delete that section to start afresh.</source>
        <translation>Die Bedingung, ihre Einheiten, der letzte Zielordner einer Verschiebung und die Fenstergröße stehen in %1, Abschnitt [Zorvik]. Löschen Sie diesen Abschnitt, um neu zu beginnen.</translation>
    </message>
    <message>
        <source>More</source>
        <translation>Mehr</translation>
    </message>
    <message>
        <source>The manual page tells all, also how to search without a window: type %1 in a terminal.</source>
        <translation>Die Handbuchseite sagt alles, auch wie man ohne Fenster sucht: Geben Sie %1 in einem Terminal ein.</translation>
    </message>
    <message>
        <source>Questions? Please contact Team Teskaro at </source>
        <translation>Fragen? Bitte wenden Sie sich an Team Teskaro unter </translation>
    </message>
    <message>
        <source>%1 Help</source>
        <translation>%1-Hilfe</translation>
    </message>
    <message>
        <source>Help text</source>
        <translation>Hilfetext</translation>
    </message>
    <message>
        <source>Menu or Shift+F10 in the folder list: folders to skip, search options</source>
        <translation>Menütaste oder Umschalt+F10 in der Ordnerliste: zu überspringende Ordner, Suchoptionen</translation>
    </message>
</context>
<context>
    <name>zorvik::NumberReading</name>
    <message>
        <source>Use a comma (,) as the decimal separator.</source>
        <translation>Verwenden Sie ein Komma (,) als Dezimaltrennzeichen.</translation>
    </message>
    <message>
        <source>Use a point (.) as the decimal separator.</source>
        <translation>Verwenden Sie einen Punkt (.) als Dezimaltrennzeichen.</translation>
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
        <source>All Files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Text (*.txt)</source>
        <translation>Text (*.txt)</translation>
    </message>
    <message>
        <source>CSV with sizes (*.csv)</source>
        <translation>CSV mit Größen (*.csv)</translation>
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
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
</context>
<context>
    <name>zorvik::SearchOptionsDialog</name>
    <message>
        <source>Search Options</source>
        <translation>Suchoptionen</translation>
    </message>
    <message>
        <source>Names to &amp;skip, one pattern a line (node_modules, .git, *.iso):</source>
        <translation>Zu &amp;überspringende Namen, ein Muster je Zeile (node_modules, .git, *.iso):</translation>
    </message>
    <message>
        <source>Names to skip</source>
        <translation>Zu überspringende Namen</translation>
    </message>
    <message>
        <source>Names to search &amp;for, one pattern a line (empty: every name):</source>
        <translation>&amp;Gesuchte Namen, ein Muster je Zeile (leer: jeder Name):</translation>
    </message>
    <message>
        <source>Names to search for</source>
        <translation>Gesuchte Namen</translation>
    </message>
    <message>
        <source>Stay on the file s&amp;ystem of each listed folder</source>
        <translation>Im &amp;Dateisystem jedes aufgeführten Ordners bleiben</translation>
    </message>
    <message>
        <source>Skip folders tagged as &amp;caches (CACHEDIR.TAG)</source>
        <translation>Als &amp;Zwischenspeicher markierte Ordner überspringen (CACHEDIR.TAG)</translation>
    </message>
    <message>
        <source>Skip the &amp;kernel&apos;s file systems (proc, sysfs, …)</source>
        <translation>Dateisysteme des &amp;Kernels überspringen (proc, sysfs, …)</translation>
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
