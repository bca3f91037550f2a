<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AboutCommands</name>
    <message>
        <source>The about box could not be shown</source>
        <translation>Das Info-Fenster konnte nicht angezeigt werden</translation>
    </message>
    <message>
        <source>The address could not be opened</source>
        <translation>Die Adresse konnte nicht geöffnet werden</translation>
    </message>
</context>
<context>
    <name>AdvancedView</name>
    <message>
        <source>Show or hide the index panel</source>
        <translation>Indexleiste ein- oder ausblenden</translation>
    </message>
</context>
<context>
    <name>BrowserCapture</name>
    <message>
        <source>From Browser</source>
        <translation>Aus dem Browser</translation>
    </message>
</context>
<context>
    <name>BrowserLaunch</name>
    <message>
        <source>No browser program is set for %1</source>
        <translation>Für %1 ist kein Browserprogramm eingestellt</translation>
    </message>
    <message>
        <source>The browser could not be started: %1</source>
        <translation>Der Browser konnte nicht gestartet werden: %1</translation>
    </message>
</context>
<context>
    <name>DefaultStackFile</name>
    <message>
        <source>%1 (so it is not replaced)</source>
        <translation>%1 (daher wird sie nicht ersetzt)</translation>
    </message>
    <message>
        <source>The bookmarks were added to %1, which held bookmarks that were not loaded (its previous content is kept in %2)</source>
        <translation>Die Lesezeichen wurden zu %1 hinzugefügt, die nicht geladene Lesezeichen enthielt (ihr bisheriger Inhalt ist in %2 gesichert)</translation>
    </message>
</context>
<context>
    <name>DuplicatesCommands</name>
    <message numerus="yes">
        <source>%n entry(s)</source>
        <translation>
            <numerusform>%n Eintrag</numerusform>
            <numerusform>%n Einträge</numerusform>
        </translation>
    </message>
    <message>
        <source>Merge the duplicates? %1 will be removed.</source>
        <translation>Die Duplikate zusammenführen? %1 werden entfernt.</translation>
    </message>
    <message>
        <source>Duplicates</source>
        <translation>Duplikate</translation>
    </message>
    <message>
        <source>Merged the duplicates: %1 removed</source>
        <translation>Duplikate zusammengeführt: %1 entfernt</translation>
    </message>
    <message>
        <source>Merge Duplicates</source>
        <translation>Duplikate zusammenführen</translation>
    </message>
</context>
<context>
    <name>DuplicatesDialog</name>
    <message>
        <source>Duplicates</source>
        <translation>Duplikate</translation>
    </message>
    <message>
        <source>Sets of duplicates</source>
        <translation>Gruppen von Duplikaten</translation>
    </message>
    <message>
        <source>Keep / Title</source>
        <translation>Behalten / Titel</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>Gruppe</translation>
    </message>
    <message>
        <source>Created</source>
        <translation>Erstellt</translation>
    </message>
    <message>
        <source>Last Visited</source>
        <translation>Letzter Besuch</translation>
    </message>
    <message>
        <source>Visits</source>
        <translation>Besuche</translation>
    </message>
    <message>
        <source>Rating</source>
        <translation>Bewertung</translation>
    </message>
    <message>
        <source>No duplicates found.</source>
        <translation>Keine Duplikate gefunden.</translation>
    </message>
    <message>
        <source>Sets of entries with the same address: %1. Check the entry to keep in each set (Space); Merge keeps it with the earliest creation, the latest visit, the visits added up and the highest rating, and removes the others.</source>
        <translation>Gruppen von Einträgen mit derselben Adresse: %1. Markieren Sie in jeder Gruppe den Eintrag, der bleiben soll (Leertaste); „Zusammenführen“ behält ihn mit dem frühesten Erstellungsdatum, dem letzten Besuch, der Summe der Besuche und der höchsten Bewertung und entfernt die anderen.</translation>
    </message>
    <message>
        <source>&amp;Keep This</source>
        <translation>&amp;Behalten</translation>
    </message>
    <message>
        <source>&amp;Merge</source>
        <translation>&amp;Zusammenführen</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message numerus="yes">
        <source>Set %1: %n entries</source>
        <translation>
            <numerusform>Gruppe %1: %n Eintrag</numerusform>
            <numerusform>Gruppe %1: %n Einträge</numerusform>
        </translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Nie</translation>
    </message>
</context>
<context>
    <name>EntryDialogCommands</name>
    <message>
        <source>There is no group to put a new entry in: make one first (Groups, New Group)</source>
        <translation>Es gibt keine Gruppe für einen neuen Eintrag: Legen Sie zuerst eine an (Gruppen, Neue Gruppe)</translation>
    </message>
    <message>
        <source>The entry was not added: it names no group</source>
        <translation>Der Eintrag wurde nicht hinzugefügt: Er nennt keine Gruppe</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>New Entry</source>
        <translation>Neuer Eintrag</translation>
    </message>
    <message>
        <source>Move</source>
        <translation>Verschieben</translation>
    </message>
</context>
<context>
    <name>EntryEditor</name>
    <message>
        <source>URL Information</source>
        <translation>Lesezeichen-Informationen</translation>
    </message>
    <message>
        <source>Quick Edit</source>
        <translation>Schnellbearbeitung</translation>
    </message>
    <message>
        <source>Main URL Information store.</source>
        <translation>Die wichtigsten Angaben zum Lesezeichen.</translation>
    </message>
    <message>
        <source>Extended</source>
        <translation>Erweitert</translation>
    </message>
    <message>
        <source>Displays useful information</source>
        <translation>Zeigt nützliche Informationen</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>URL:</source>
        <translation>URL:</translation>
    </message>
    <message>
        <source>Rating:</source>
        <translation>Bewertung:</translation>
    </message>
    <message>
        <source>Group:</source>
        <translation>Gruppe:</translation>
    </message>
    <message>
        <source>Created:</source>
        <translation>Erstellt:</translation>
    </message>
    <message>
        <source>Last Accessed:</source>
        <translation>Letzter Zugriff:</translation>
    </message>
    <message>
        <source>Times Accessed:</source>
        <translation>Anzahl Zugriffe:</translation>
    </message>
    <message>
        <source>Accept</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Nie</translation>
    </message>
</context>
<context>
    <name>EntryListView</name>
    <message>
        <source>Entries</source>
        <translation>Einträge</translation>
    </message>
</context>
<context>
    <name>EntryPages</name>
    <message>
        <source>Advanced</source>
        <translation>Erweitert</translation>
    </message>
    <message>
        <source>Advanced URL View Pane</source>
        <translation>Erweiterte Lesezeichenansicht</translation>
    </message>
    <message>
        <source>Standard</source>
        <comment>the tab of the simple view</comment>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Standard URL View Pane</source>
        <translation>Einfache Lesezeichenansicht</translation>
    </message>
</context>
<context>
    <name>EntryRowTexts</name>
    <message>
        <source>Not Rated</source>
        <translation>Nicht bewertet</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Niedrig</translation>
    </message>
    <message>
        <source>Medium</source>
        <translation>Mittel</translation>
    </message>
    <message>
        <source>High</source>
        <translation>Hoch</translation>
    </message>
    <message>
        <source>V.High</source>
        <translation>Sehr hoch</translation>
    </message>
    <message>
        <source>Never</source>
        <comment>last visit</comment>
        <translation>Nie</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>URL</source>
        <translation>URL</translation>
    </message>
    <message>
        <source>Rated</source>
        <translation>Bewertung</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>Gruppe</translation>
    </message>
    <message>
        <source>Last Visited</source>
        <translation>Letzter Besuch</translation>
    </message>
    <message>
        <source>Created</source>
        <translation>Erstellt</translation>
    </message>
    <message>
        <source>Visited</source>
        <comment>times visited</comment>
        <translation>Besuche</translation>
    </message>
</context>
<context>
    <name>FilterSection</name>
    <message>
        <source>Days</source>
        <translation>Tage</translation>
    </message>
    <message>
        <source>Weeks</source>
        <translation>Wochen</translation>
    </message>
    <message>
        <source>Months</source>
        <translation>Monate</translation>
    </message>
    <message>
        <source>Importance Masks</source>
        <translation>Bewertungsfilter</translation>
    </message>
    <message>
        <source>Visited</source>
        <translation>Besucht</translation>
    </message>
    <message>
        <source>Times</source>
        <translation>Mal</translation>
    </message>
    <message>
        <source>Last Accessed</source>
        <translation>Letzter Zugriff</translation>
    </message>
    <message>
        <source>Added</source>
        <translation>Hinzugefügt</translation>
    </message>
    <message>
        <source>Text Masking</source>
        <translation>Textfilter</translation>
    </message>
    <message>
        <source>Not Rated</source>
        <translation>Nicht bewertet</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Niedrig</translation>
    </message>
    <message>
        <source>Medium</source>
        <translation>Mittel</translation>
    </message>
    <message>
        <source>High</source>
        <translation>Hoch</translation>
    </message>
    <message>
        <source>Very High</source>
        <translation>Sehr hoch</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>AUS</translation>
    </message>
    <message>
        <source>More Than</source>
        <translation>Mehr als</translation>
    </message>
    <message>
        <source>Less Than</source>
        <translation>Weniger als</translation>
    </message>
    <message>
        <source>Equal To</source>
        <translation>Gleich</translation>
    </message>
    <message>
        <source>Visited: comparison</source>
        <translation>Besucht: Vergleich</translation>
    </message>
    <message>
        <source>Visited: times</source>
        <translation>Besucht: Anzahl</translation>
    </message>
    <message>
        <source>Last Accessed: comparison</source>
        <translation>Letzter Zugriff: Vergleich</translation>
    </message>
    <message>
        <source>Last Accessed: amount</source>
        <translation>Letzter Zugriff: Menge</translation>
    </message>
    <message>
        <source>Last Accessed: unit</source>
        <translation>Letzter Zugriff: Einheit</translation>
    </message>
    <message>
        <source>Added: comparison</source>
        <translation>Hinzugefügt: Vergleich</translation>
    </message>
    <message>
        <source>Added: amount</source>
        <translation>Hinzugefügt: Menge</translation>
    </message>
    <message>
        <source>Added: unit</source>
        <translation>Hinzugefügt: Einheit</translation>
    </message>
    <message>
        <source>Title holds</source>
        <translation>Titel enthält</translation>
    </message>
    <message>
        <source>Clear</source>
        <comment>uncheck every rating</comment>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Set</source>
        <comment>check every rating</comment>
        <translation>Alle</translation>
    </message>
</context>
<context>
    <name>FindWindow</name>
    <message>
        <source>Find...</source>
        <translation>Suchen...</translation>
    </message>
    <message>
        <source>Find What:</source>
        <translation>Suchen nach:</translation>
    </message>
    <message>
        <source>Direction</source>
        <translation>Richtung</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Aufwärts</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Abwärts</translation>
    </message>
    <message>
        <source>Find Next</source>
        <translation>Weitersuchen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>FloatingButton</name>
    <message>
        <source>Offline</source>
        <translation>Offline</translation>
    </message>
    <message>
        <source>Online: Flushed</source>
        <translation>Online: freigegeben</translation>
    </message>
    <message>
        <source>Online: Ready</source>
        <translation>Online: bereit</translation>
    </message>
    <message>
        <source>Status: </source>
        <translation>Status: </translation>
    </message>
</context>
<context>
    <name>GroupCommands</name>
    <message>
        <source>Enter Group Name: </source>
        <translation>Gruppenname eingeben: </translation>
    </message>
    <message>
        <source>New Group..</source>
        <translation>Neue Gruppe..</translation>
    </message>
    <message>
        <source>Rename Group..</source>
        <translation>Gruppe umbenennen..</translation>
    </message>
    <message>
        <source>Remove Selected Group?</source>
        <translation>Ausgewählte Gruppe entfernen?</translation>
    </message>
    <message numerus="yes">
        <source>This will Delete %n contained entry(s).</source>
        <translation>
            <numerusform>Damit wird %n enthaltener Eintrag gelöscht.</numerusform>
            <numerusform>Damit werden %n enthaltene Einträge gelöscht.</numerusform>
        </translation>
    </message>
    <message>
        <source>Rename Group</source>
        <translation>Gruppe umbenennen</translation>
    </message>
    <message>
        <source>New Group</source>
        <translation>Neue Gruppe</translation>
    </message>
    <message>
        <source>Remove Group</source>
        <translation>Gruppe entfernen</translation>
    </message>
</context>
<context>
    <name>GroupListWidget</name>
    <message>
        <source>Groups</source>
        <translation>Gruppen</translation>
    </message>
    <message>
        <source>Index Mask</source>
        <translation>Indexfilter</translation>
    </message>
</context>
<context>
    <name>HelpPages</name>
    <message>
        <source>The help page %1 is missing</source>
        <translation>Die Hilfeseite %1 fehlt</translation>
    </message>
</context>
<context>
    <name>IndexPanel</name>
    <message>
        <source>Menu</source>
        <translation>Menü</translation>
    </message>
    <message>
        <source>Previous panel</source>
        <translation>Vorherige Leiste</translation>
    </message>
    <message>
        <source>Next panel</source>
        <translation>Nächste Leiste</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Apply Filter</source>
        <translation>Filter anwenden</translation>
    </message>
    <message>
        <source>Group List</source>
        <translation>Gruppenliste</translation>
    </message>
    <message>
        <source>Index Mask</source>
        <translation>Indexfilter</translation>
    </message>
    <message>
        <source>Set All</source>
        <comment>check every group</comment>
        <translation>Alle wählen</translation>
    </message>
    <message>
        <source>CLR</source>
        <comment>uncheck every group</comment>
        <translation>KEINE</translation>
    </message>
</context>
<context>
    <name>IndexPanelCommands</name>
    <message>
        <source>Index Mask</source>
        <translation>Indexfilter</translation>
    </message>
</context>
<context>
    <name>InstanceClient</name>
    <message>
        <source>the socket belongs to another user</source>
        <translation>der Socket gehört einem anderen Benutzer</translation>
    </message>
    <message>
        <source>no answer in time</source>
        <translation>keine Antwort in der vorgesehenen Zeit</translation>
    </message>
    <message>
        <source>the connection was closed unanswered</source>
        <translation>die Verbindung wurde ohne Antwort geschlossen</translation>
    </message>
    <message>
        <source>the answer is not understood</source>
        <translation>die Antwort ist unverständlich</translation>
    </message>
</context>
<context>
    <name>InstanceRequests</name>
    <message>
        <source>The running Tessaly does not understand requests of version %1.</source>
        <translation>Das laufende Tessaly versteht keine Anfragen der Version %1.</translation>
    </message>
    <message>
        <source>The running Tessaly does not know the request &quot;%1&quot;.</source>
        <translation>Das laufende Tessaly kennt die Anfrage „%1“ nicht.</translation>
    </message>
    <message>
        <source>Tessaly is running already, with the bookmarks of %1. Only one Tessaly runs per user, with one store, so %2 cannot be opened in another. Open it in the running Tessaly (&quot;Open As&quot; in the main window&apos;s File menu), or end that one (&quot;Unload&quot;) and start again.</source>
        <translation>Tessaly läuft bereits, mit den Lesezeichen aus %1. Pro Benutzer läuft nur ein Tessaly mit einem Bestand, daher kann %2 nicht in einem weiteren geöffnet werden. Öffnen Sie die Datei im laufenden Tessaly („Öffnen als“ im Menü „Datei“ des Hauptfensters) oder beenden Sie es („Beenden“) und starten Sie erneut.</translation>
    </message>
    <message>
        <source>Tessaly is ending: start it again in a moment.</source>
        <translation>Tessaly wird gerade beendet: Starten Sie es gleich noch einmal.</translation>
    </message>
</context>
<context>
    <name>InternetShortcut</name>
    <message>
        <source>%1: the folder could not be made</source>
        <translation>%1: Der Ordner konnte nicht angelegt werden</translation>
    </message>
    <message>
        <source>No shortcut is written: the setting turns them off</source>
        <translation>Es wird keine Verknüpfung geschrieben: Die Einstellung schaltet sie aus</translation>
    </message>
    <message>
        <source>%1: not written, its folder does not exist</source>
        <translation>%1: Nicht geschrieben, ihr Ordner existiert nicht</translation>
    </message>
    <message>
        <source>%1: not written, it lies outside the favorites folder</source>
        <translation>%1: Nicht geschrieben, sie liegt außerhalb des Favoritenordners</translation>
    </message>
</context>
<context>
    <name>LinkCheckCommands</name>
    <message numerus="yes">
        <source>%n entry(s)</source>
        <translation>
            <numerusform>%n Eintrag</numerusform>
            <numerusform>%n Einträge</numerusform>
        </translation>
    </message>
    <message>
        <source>Select the entries whose links to check</source>
        <translation>Wählen Sie die Einträge, deren Links geprüft werden sollen</translation>
    </message>
    <message>
        <source>Choose the group whose links to check</source>
        <translation>Wählen Sie die Gruppe, deren Links geprüft werden sollen</translation>
    </message>
    <message>
        <source>The group holds no entries</source>
        <translation>Die Gruppe enthält keine Einträge</translation>
    </message>
    <message>
        <source>Remove %1 whose page is gone?</source>
        <translation>%1 entfernen, deren Seite verschwunden ist?</translation>
    </message>
    <message>
        <source>Check Links</source>
        <translation>Links prüfen</translation>
    </message>
    <message>
        <source>removed</source>
        <translation>entfernt</translation>
    </message>
    <message>
        <source>Removed %1 whose page is gone</source>
        <translation>%1 entfernt, deren Seite verschwunden ist</translation>
    </message>
    <message>
        <source>Give %1 the new address of its page?</source>
        <translation>%1 die neue Adresse der Seite geben?</translation>
    </message>
    <message>
        <source>updated</source>
        <translation>aktualisiert</translation>
    </message>
    <message>
        <source>Updated the address of %1</source>
        <translation>Adresse von %1 aktualisiert</translation>
    </message>
    <message>
        <source>Remove Gone</source>
        <translation>Verschwundene entfernen</translation>
    </message>
    <message>
        <source>Update Moved</source>
        <translation>Verschobene aktualisieren</translation>
    </message>
</context>
<context>
    <name>LinkCheckDialog</name>
    <message>
        <source>Check Links</source>
        <translation>Links prüfen</translation>
    </message>
    <message>
        <source>Links checked</source>
        <translation>Geprüfte Links</translation>
    </message>
    <message>
        <source>Results of the link check</source>
        <translation>Ergebnisse der Linkprüfung</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>New Address / Reason</source>
        <translation>Neue Adresse / Grund</translation>
    </message>
    <message>
        <source>Remove &amp;Gone</source>
        <translation>&amp;Verschwundene entfernen</translation>
    </message>
    <message>
        <source>&amp;Update Moved</source>
        <translation>Verschobene &amp;aktualisieren</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>Abb&amp;rechen</translation>
    </message>
    <message>
        <source>C&amp;lose</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>waiting</source>
        <translation>wartet</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>in Ordnung</translation>
    </message>
    <message>
        <source>moved</source>
        <translation>verschoben</translation>
    </message>
    <message>
        <source>gone</source>
        <translation>verschwunden</translation>
    </message>
    <message>
        <source>error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>time-out</source>
        <translation>Zeitüberschreitung</translation>
    </message>
    <message>
        <source>not checked</source>
        <translation>nicht geprüft</translation>
    </message>
    <message>
        <source>Checked %1 of %2 links</source>
        <translation>%1 von %2 Links geprüft</translation>
    </message>
    <message>
        <source>(cancelled)</source>
        <translation>(abgebrochen)</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>abgebrochen</translation>
    </message>
</context>
<context>
    <name>LinkChecker</name>
    <message>
        <source>not a valid address</source>
        <translation>keine gültige Adresse</translation>
    </message>
</context>
<context>
    <name>LinkProbe</name>
    <message>
        <source>no answer within %1 s</source>
        <translation>keine Antwort innerhalb von %1 s</translation>
    </message>
    <message>
        <source>the server answered %1</source>
        <translation>der Server antwortete %1</translation>
    </message>
    <message>
        <source>redirected to an address that is not a web page: %1</source>
        <translation>umgeleitet auf eine Adresse, die keine Webseite ist: %1</translation>
    </message>
    <message>
        <source>redirect loop</source>
        <translation>Umleitungsschleife</translation>
    </message>
    <message>
        <source>more than %1 redirects</source>
        <translation>mehr als %1 Umleitungen</translation>
    </message>
</context>
<context>
    <name>LiveStoreRequests</name>
    <message>
        <source>Tessaly is busy (%1): try again when it is done.</source>
        <translation>Tessaly ist beschäftigt (%1): versuchen Sie es erneut, wenn es fertig ist.</translation>
    </message>
    <message>
        <source>Tessaly holds %1 but shows other bookmarks in its place: flush the main window (&quot;Flush&quot; in the tray menu) and try again.</source>
        <translation>Tessaly hält %1, zeigt aber an seiner Stelle andere Lesezeichen: geben Sie das Hauptfenster frei („Freigeben“ im Menü des Symbols) und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>the running Tessaly does not run this command</source>
        <translation>das laufende Tessaly führt diesen Befehl nicht aus</translation>
    </message>
    <message>
        <source>it is ending</source>
        <translation>es wird beendet</translation>
    </message>
    <message>
        <source>another tsy command is running</source>
        <translation>ein anderer tsy-Befehl läuft</translation>
    </message>
    <message>
        <source>it is loading the bookmarks</source>
        <translation>es lädt die Lesezeichen</translation>
    </message>
    <message>
        <source>a dialog or long work is open in it</source>
        <translation>ein Dialog oder eine lange Arbeit ist darin offen</translation>
    </message>
    <message>
        <source>tsy %1</source>
        <translation>tsy %1</translation>
    </message>
</context>
<context>
    <name>LongWorkDialog</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>Cancelling…</source>
        <translation>Wird abgebrochen …</translation>
    </message>
</context>
<context>
    <name>LongWorkRunner</name>
    <message>
        <source>%1…</source>
        <translation>%1 …</translation>
    </message>
    <message>
        <source>%1: %2%</source>
        <translation>%1: %2 %</translation>
    </message>
</context>
<context>
    <name>MainMenus</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Open URLs</source>
        <translation>URLs ö&amp;ffnen</translation>
    </message>
    <message>
        <source>&amp;Open Default</source>
        <translation>&amp;Standarddatei öffnen</translation>
    </message>
    <message>
        <source>Open &amp;As</source>
        <translation>Öffnen &amp;als...</translation>
    </message>
    <message>
        <source>&amp;Merge From</source>
        <translation>&amp;Zusammenführen aus</translation>
    </message>
    <message>
        <source>&amp;Tessaly .TSY</source>
        <translation>&amp;Tessaly .TSY</translation>
    </message>
    <message>
        <source>&amp;IE Favorites</source>
        <translation>&amp;IE-Favoriten</translation>
    </message>
    <message>
        <source>&amp;Netscape .HTM</source>
        <translation>&amp;Netscape .HTM</translation>
    </message>
    <message>
        <source>&amp;Save URLs</source>
        <translation>URLs &amp;speichern</translation>
    </message>
    <message>
        <source>Save &amp;Default</source>
        <translation>Als &amp;Standard speichern</translation>
    </message>
    <message>
        <source>Save &amp;As</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>&amp;Load All</source>
        <translation>Alles &amp;laden</translation>
    </message>
    <message>
        <source>Save &amp;All</source>
        <translation>&amp;Alles speichern</translation>
    </message>
    <message>
        <source>&amp;Eject Bookmarks</source>
        <translation>Lesezeichen aus&amp;werfen</translation>
    </message>
    <message>
        <source>&amp;Hide</source>
        <translation>&amp;Verbergen</translation>
    </message>
    <message>
        <source>&amp;Flush to Tray</source>
        <translation>In den &amp;Infobereich zurückziehen</translation>
    </message>
    <message>
        <source>&amp;Unload</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;URLs</source>
        <translation>&amp;Lesezeichen</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Hinzufügen</translation>
    </message>
    <message>
        <source>&amp;From Browser</source>
        <translation>Aus dem &amp;Browser</translation>
    </message>
    <message>
        <source>&amp;New Entry</source>
        <translation>&amp;Neuer Eintrag</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Move</source>
        <translation>&amp;Verschieben</translation>
    </message>
    <message>
        <source>Ra&amp;te</source>
        <translation>Be&amp;werten</translation>
    </message>
    <message>
        <source>&amp;Not Rated</source>
        <translation>&amp;Nicht bewertet</translation>
    </message>
    <message>
        <source>&amp;Low</source>
        <translation>N&amp;iedrig</translation>
    </message>
    <message>
        <source>&amp;Medium</source>
        <translation>&amp;Mittel</translation>
    </message>
    <message>
        <source>&amp;High</source>
        <translation>&amp;Hoch</translation>
    </message>
    <message>
        <source>&amp;Very High</source>
        <translation>&amp;Sehr hoch</translation>
    </message>
    <message>
        <source>&amp;Send</source>
        <translation>Sen&amp;den</translation>
    </message>
    <message>
        <source>&amp;Last Active</source>
        <translation>&amp;Zuletzt aktives Fenster</translation>
    </message>
    <message>
        <source>&amp;New Window</source>
        <translation>&amp;Neues Fenster</translation>
    </message>
    <message>
        <source>&amp;Bookmarks Folder</source>
        <translation>&amp;Lesezeichenordner</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation>&amp;Suchen</translation>
    </message>
    <message>
        <source>Find &amp;Next</source>
        <translation>&amp;Weitersuchen</translation>
    </message>
    <message>
        <source>Find &amp;Previous</source>
        <translation>&amp;Rückwärts suchen</translation>
    </message>
    <message>
        <source>S&amp;ort</source>
        <translation>S&amp;ortieren</translation>
    </message>
    <message>
        <source>&amp;Title</source>
        <translation>&amp;Titel</translation>
    </message>
    <message>
        <source>Times &amp;Visited</source>
        <translation>&amp;Anzahl Besuche</translation>
    </message>
    <message>
        <source>&amp;Last Visited Date</source>
        <translation>&amp;Letzter Besuch</translation>
    </message>
    <message>
        <source>&amp;URL</source>
        <translation>&amp;URL</translation>
    </message>
    <message>
        <source>&amp;Creation Date</source>
        <translation>&amp;Erstellungsdatum</translation>
    </message>
    <message>
        <source>C&amp;ategory</source>
        <translation>&amp;Kategorie</translation>
    </message>
    <message>
        <source>&amp;List All</source>
        <translation>&amp;Alle auflisten</translation>
    </message>
    <message>
        <source>&amp;Groups</source>
        <translation>&amp;Gruppen</translation>
    </message>
    <message>
        <source>&amp;New Group</source>
        <translation>&amp;Neue Gruppe</translation>
    </message>
    <message>
        <source>&amp;Rename Group</source>
        <translation>Gruppe &amp;umbenennen</translation>
    </message>
    <message>
        <source>Re&amp;move Group</source>
        <translation>Gruppe &amp;entfernen</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Einstellungen</translation>
    </message>
    <message>
        <source>&amp;Preferences</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>&amp;Load Settings</source>
        <translation>Einstellungen &amp;laden</translation>
    </message>
    <message>
        <source>&amp;Save Settings</source>
        <translation>Einstellungen &amp;speichern</translation>
    </message>
    <message>
        <source>&amp;Full Window (ESQ)</source>
        <translation>&amp;Ganzes Fenster (Esc)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>Ü&amp;ber</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>&amp;Umbenennen</translation>
    </message>
    <message>
        <source>Re&amp;move</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>&amp;Rated</source>
        <comment>sort by rating</comment>
        <translation>&amp;Bewertung</translation>
    </message>
    <message>
        <source>&amp;XBEL...</source>
        <translation>&amp;XBEL-Datei ...</translation>
    </message>
    <message>
        <source>Save As &amp;XBEL...</source>
        <translation>Speichern als &amp;XBEL-Datei ...</translation>
    </message>
    <message>
        <source>&amp;Duplicates...</source>
        <translation>Dupli&amp;kate ...</translation>
    </message>
    <message>
        <source>&amp;Firefox Profile…</source>
        <translation>&amp;Firefox-Profil …</translation>
    </message>
    <message>
        <source>&amp;Chromium Profile…</source>
        <translation>&amp;Chromium-Profil …</translation>
    </message>
    <message>
        <source>&amp;Quick Open...</source>
        <translation>Schnell ö&amp;ffnen ...</translation>
    </message>
    <message>
        <source>Chec&amp;k Links...</source>
        <translation>Links &amp;prüfen ...</translation>
    </message>
    <message>
        <source>&amp;Check Links...</source>
        <translation>Links &amp;prüfen ...</translation>
    </message>
</context>
<context>
    <name>MaskFilterDialog</name>
    <message>
        <source>Mask Filters</source>
        <translation>Maskenfilter</translation>
    </message>
    <message>
        <source>Rating Filter</source>
        <translation>Bewertungsfilter</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>AUS</translation>
    </message>
    <message>
        <source>More Than</source>
        <translation>Mehr als</translation>
    </message>
    <message>
        <source>Less Than</source>
        <translation>Weniger als</translation>
    </message>
    <message>
        <source>Equal To</source>
        <translation>Gleich</translation>
    </message>
    <message>
        <source>Accessed</source>
        <translation>Zugriffe</translation>
    </message>
    <message>
        <source>Last Accessed</source>
        <translation>Letzter Zugriff</translation>
    </message>
    <message>
        <source>: comparison</source>
        <translation>: Vergleich</translation>
    </message>
    <message>
        <source>: times</source>
        <translation>: Anzahl</translation>
    </message>
    <message>
        <source>Times</source>
        <translation>Mal</translation>
    </message>
    <message>
        <source>: amount</source>
        <translation>: Menge</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Tage</translation>
    </message>
    <message>
        <source>Weeks</source>
        <translation>Wochen</translation>
    </message>
    <message>
        <source>Months</source>
        <translation>Monate</translation>
    </message>
    <message>
        <source>: unit</source>
        <translation>: Einheit</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>CLR</source>
        <comment>uncheck every rating</comment>
        <translation>KEINE</translation>
    </message>
    <message>
        <source>SET</source>
        <comment>check every rating</comment>
        <translation>ALLE</translation>
    </message>
</context>
<context>
    <name>MergeCommands</name>
    <message>
        <source>Cannot read the folder %1</source>
        <translation>Der Ordner %1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>Merge From Favorites Folder</source>
        <translation>Aus Favoritenordner zusammenführen</translation>
    </message>
    <message numerus="yes">
        <source>%n entry(s)</source>
        <translation>
            <numerusform>%n Eintrag</numerusform>
            <numerusform>%n Einträge</numerusform>
        </translation>
    </message>
    <message>
        <source>Merged %1, %2</source>
        <translation>Zusammengeführt: %1, %2</translation>
    </message>
    <message numerus="yes">
        <source>%n group(s)</source>
        <translation>
            <numerusform>%n Gruppe</numerusform>
            <numerusform>%n Gruppen</numerusform>
        </translation>
    </message>
    <message>
        <source>; %1 already there</source>
        <translation>; %1 bereits vorhanden</translation>
    </message>
    <message>
        <source>; %1 found no room</source>
        <translation>; für %1 war kein Platz</translation>
    </message>
    <message>
        <source>Merging: %1%</source>
        <translation>Zusammenführen: %1 %</translation>
    </message>
    <message numerus="yes">
        <source>Merging: %n folder(s)</source>
        <translation>
            <numerusform>Zusammenführen: %n Ordner</numerusform>
            <numerusform>Zusammenführen: %n Ordner</numerusform>
        </translation>
    </message>
    <message>
        <source>Merging bookmarks</source>
        <translation>Lesezeichen werden zusammengeführt</translation>
    </message>
    <message>
        <source>Merge cancelled: nothing was added</source>
        <translation>Zusammenführen abgebrochen: Es wurde nichts hinzugefügt</translation>
    </message>
    <message>
        <source>No profile found</source>
        <translation>Kein Profil gefunden</translation>
    </message>
    <message>
        <source>Reading %1</source>
        <translation>%1 wird gelesen</translation>
    </message>
    <message>
        <source>, %1 of them with newer visits</source>
        <translation>, davon %1 mit neueren Besuchen</translation>
    </message>
    <message>
        <source>Merge</source>
        <translation>Zusammenführen</translation>
    </message>
</context>
<context>
    <name>MoveDialog</name>
    <message>
        <source>Move to...</source>
        <translation>Verschieben nach...</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>Gruppe</translation>
    </message>
    <message>
        <source>Accept</source>
        <translation>Übernehmen</translation>
    </message>
</context>
<context>
    <name>OpenableAddress</name>
    <message>
        <source>No address to open</source>
        <translation>Keine Adresse zum Öffnen</translation>
    </message>
    <message>
        <source>Not a valid address: %1</source>
        <translation>Keine gültige Adresse: %1</translation>
    </message>
    <message>
        <source>Addresses beginning &quot;%1:&quot; are not opened</source>
        <translation>Adressen, die mit „%1:“ beginnen, werden nicht geöffnet</translation>
    </message>
    <message>
        <source>The address names no host: %1</source>
        <translation>Die Adresse nennt keinen Host: %1</translation>
    </message>
    <message>
        <source>Not a valid host name: %1</source>
        <translation>Kein gültiger Hostname: %1</translation>
    </message>
    <message>
        <source>A file address needs a full path: %1</source>
        <translation>Eine Dateiadresse braucht einen vollständigen Pfad: %1</translation>
    </message>
    <message>
        <source>%1 is a program: it is not opened</source>
        <translation>%1 ist ein Programm: Es wird nicht geöffnet</translation>
    </message>
</context>
<context>
    <name>PreferencesCommands</name>
    <message>
        <source>The options cannot be shown: %1</source>
        <translation>Die Optionen können nicht angezeigt werden: %1</translation>
    </message>
</context>
<context>
    <name>ProgramPaths</name>
    <message>
        <source>%1 could not be moved to %2</source>
        <translation>%1 konnte nicht nach %2 verschoben werden</translation>
    </message>
    <message>
        <source>%1: is a folder, not a stack file</source>
        <translation>%1: ist ein Ordner, keine Stapeldatei</translation>
    </message>
    <message>
        <source>%1: cannot be read</source>
        <translation>%1: kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>%1: no such folder</source>
        <translation>%1: Ordner existiert nicht</translation>
    </message>
    <message>
        <source>%1 was left where it is: %2 has its own. Merge it in (File, Merge From) or move it away if it holds bookmarks you want</source>
        <translation>%1 blieb, wo sie ist: %2 hat eine eigene. Führen Sie sie zusammen (Datei, Zusammenführen aus) oder verschieben Sie sie, wenn sie Lesezeichen enthält, die Sie behalten möchten</translation>
    </message>
    <message>
        <source>Your bookmarks (%1) were moved from %2 to %3, where they are kept from now on</source>
        <translation>Ihre Lesezeichen (%1) wurden von %2 nach %3 verschoben und werden ab jetzt dort aufbewahrt</translation>
    </message>
</context>
<context>
    <name>QuickAddCommand</name>
    <message>
        <source>Quick Add</source>
        <translation>Schnell hinzufügen</translation>
    </message>
</context>
<context>
    <name>QuickOpenPopup</name>
    <message>
        <source>Quick Open</source>
        <translation>Schnell öffnen</translation>
    </message>
    <message>
        <source>Search text</source>
        <translation>Suchtext</translation>
    </message>
    <message>
        <source>Words of a title or address</source>
        <translation>Wörter aus Titel oder Adresse</translation>
    </message>
    <message>
        <source>Matching entries</source>
        <translation>Gefundene Einträge</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>Gruppe</translation>
    </message>
    <message>
        <source>No entry matches.</source>
        <translation>Kein Eintrag passt.</translation>
    </message>
    <message numerus="yes">
        <source>The best %1 of %n matching entries.</source>
        <translation>
            <numerusform>Die besten %1 von %n Treffer.</numerusform>
            <numerusform>Die besten %1 von %n Treffern.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n matching entry(s).</source>
        <translation>
            <numerusform>%n Treffer.</numerusform>
            <numerusform>%n Treffer.</numerusform>
        </translation>
    </message>
    <message>
        <source>Only the first %1 characters are searched.</source>
        <translation>Nur die ersten %1 Zeichen werden gesucht.</translation>
    </message>
</context>
<context>
    <name>SecondStart</name>
    <message>
        <source>Tessaly is running already but does not answer (%1).</source>
        <translation>Tessaly läuft bereits, antwortet aber nicht (%1).</translation>
    </message>
</context>
<context>
    <name>SelectionCommands</name>
    <message numerus="yes">
        <source>Remove %n item(s), are you sure?</source>
        <translation>
            <numerusform>%n Eintrag entfernen, sind Sie sicher?</numerusform>
            <numerusform>%n Einträge entfernen, sind Sie sicher?</numerusform>
        </translation>
    </message>
    <message>
        <source>Confirm Delete</source>
        <translation>Löschen bestätigen</translation>
    </message>
    <message numerus="yes">
        <source>%n shortcut(s)</source>
        <translation>
            <numerusform>%n Verknüpfung</numerusform>
            <numerusform>%n Verknüpfungen</numerusform>
        </translation>
    </message>
    <message>
        <source>No shortcuts written: shortcuts in the bookmarks folder are turned off</source>
        <translation>Keine Verknüpfungen geschrieben: Verknüpfungen im Lesezeichenordner sind ausgeschaltet</translation>
    </message>
    <message>
        <source>%1 of %2 written to %3: %4</source>
        <translation>%1 von %2 nach %3 geschrieben: %4</translation>
    </message>
    <message>
        <source>%1 written to %2</source>
        <translation>%1 nach %2 geschrieben</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Rate</source>
        <translation>Bewerten</translation>
    </message>
    <message>
        <source>Move</source>
        <translation>Verschieben</translation>
    </message>
</context>
<context>
    <name>StackCommands</name>
    <message>
        <source>Merge From Pemberly</source>
        <translation>Aus Pemberly zusammenführen</translation>
    </message>
    <message>
        <source>Open Pemberly As</source>
        <translation>Pemberly öffnen als</translation>
    </message>
    <message>
        <source>Save Pemberly As</source>
        <translation>Pemberly speichern unter</translation>
    </message>
    <message>
        <source>File Already Exists, Overwrite?</source>
        <translation>Die Datei existiert bereits. Überschreiben?</translation>
    </message>
    <message>
        <source>%1 holds bookmarks that are not loaded. Replace them with the bookmarks shown?

No adds the bookmarks shown to the file instead.</source>
        <translation>%1 enthält Lesezeichen, die nicht geladen sind. Durch die angezeigten Lesezeichen ersetzen?

„Nein“ fügt die angezeigten Lesezeichen stattdessen der Datei hinzu.</translation>
    </message>
    <message>
        <source>Loading bookmarks</source>
        <translation>Lesezeichen werden geladen</translation>
    </message>
    <message>
        <source>Loading %1 cancelled: nothing is loaded, and the file is kept as it is</source>
        <translation>Laden von %1 abgebrochen: Nichts ist geladen, die Datei bleibt, wie sie ist</translation>
    </message>
    <message>
        <source>Loading %1 cancelled: nothing is loaded</source>
        <translation>Laden von %1 abgebrochen: Nichts ist geladen</translation>
    </message>
    <message>
        <source>Merging bookmarks</source>
        <translation>Lesezeichen werden zusammengeführt</translation>
    </message>
    <message>
        <source>Merge cancelled: nothing was added</source>
        <translation>Zusammenführen abgebrochen: Es wurde nichts hinzugefügt</translation>
    </message>
    <message>
        <source>Saving bookmarks</source>
        <translation>Lesezeichen werden gespeichert</translation>
    </message>
    <message>
        <source>Save As cancelled: %1 was not written</source>
        <translation>Speichern unter abgebrochen: %1 wurde nicht geschrieben</translation>
    </message>
    <message>
        <source>Merge</source>
        <translation>Zusammenführen</translation>
    </message>
</context>
<context>
    <name>StandardView</name>
    <message>
        <source>Group</source>
        <translation>Gruppe</translation>
    </message>
    <message>
        <source>Groups</source>
        <translation>Gruppen</translation>
    </message>
    <message>
        <source>Group commands</source>
        <translation>Gruppenbefehle</translation>
    </message>
    <message>
        <source>Rating Filters</source>
        <translation>Bewertungsfilter</translation>
    </message>
</context>
<context>
    <name>StatusMessageBar</name>
    <message>
        <source>Viewed: %1</source>
        <translation>Angezeigt: %1</translation>
    </message>
    <message>
        <source>Total: %1</source>
        <translation>Gesamt: %1</translation>
    </message>
</context>
<context>
    <name>TrayWindow</name>
    <message>
        <source>No bookmarks loaded</source>
        <translation>Keine Lesezeichen geladen</translation>
    </message>
    <message numerus="yes">
        <source>%Ln bookmark(s) loaded</source>
        <translation>
            <numerusform>%Ln Lesezeichen geladen</numerusform>
            <numerusform>%Ln Lesezeichen geladen</numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;Tessaly</source>
        <translation>&amp;Tessaly</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>Tessaly &amp;Help</source>
        <translation>Tessaly-&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Contacting Orvane</source>
        <translation>Orvane &amp;kontaktieren</translation>
    </message>
    <message>
        <source>Tessaly &amp;Web Site</source>
        <translation>Tessaly-Web&amp;site</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>Ü&amp;ber</translation>
    </message>
    <message>
        <source>&amp;Unload</source>
        <translation>B&amp;eenden</translation>
    </message>
    <message>
        <source>Tessaly Tray Control
</source>
        <translation>Tessaly-Steuerung im Infobereich
</translation>
    </message>
    <message>
        <source>Loading bookmarks…</source>
        <translation>Lesezeichen werden geladen…</translation>
    </message>
    <message>
        <source>&amp;Flush</source>
        <comment>close the main window, keep the bookmarks saved and the program in the tray</comment>
        <translation>&amp;Freigeben</translation>
    </message>
</context>
<context>
    <name>UndoCommands</name>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>&amp;Rückgängig: %1</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>&amp;Wiederherstellen: %1</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>Undone: %1</source>
        <translation>Rückgängig gemacht: %1</translation>
    </message>
    <message>
        <source>Redone: %1</source>
        <translation>Wiederhergestellt: %1</translation>
    </message>
</context>
<context>
    <name>UnsavedStore</name>
    <message>
        <source>the bookmarks could not be saved%1, and could not be kept either: %2</source>
        <translation>die Lesezeichen konnten nicht gespeichert werden%1 und auch nicht aufbewahrt werden: %2</translation>
    </message>
    <message>
        <source>the bookmarks could not be saved%1; they are kept in %2</source>
        <translation>die Lesezeichen konnten nicht gespeichert werden%1; sie werden in %2 aufbewahrt</translation>
    </message>
    <message>
        <source>Bookmarks that could not be saved are kept in %1 (%2): bring them back with File, Merge From, Tessaly .TSY, then remove the file</source>
        <translation>Lesezeichen, die nicht gespeichert werden konnten, liegen in %1 (%2): Holen Sie sie mit Datei, Zusammenführen aus, Tessaly .TSY zurück und entfernen Sie dann die Datei</translation>
    </message>
</context>
<context>
    <name>WindowCommands</name>
    <message>
        <source>Not available yet</source>
        <translation>Noch nicht verfügbar</translation>
    </message>
    <message>
        <source>Not ejected, the bookmarks could not be saved: %1</source>
        <translation>Nicht ausgeworfen, die Lesezeichen konnten nicht gespeichert werden: %1</translation>
    </message>
</context>
<context>
    <name>XbelCommands</name>
    <message>
        <source>Merge From XBEL</source>
        <translation>Aus XBEL zusammenführen</translation>
    </message>
    <message>
        <source>Save As XBEL</source>
        <translation>Als XBEL speichern</translation>
    </message>
    <message>
        <source>File Already Exists, Overwrite?</source>
        <translation>Die Datei existiert bereits. Überschreiben?</translation>
    </message>
    <message>
        <source>Saved as XBEL: %1</source>
        <translation>Als XBEL gespeichert: %1</translation>
    </message>
</context>
</TS>
