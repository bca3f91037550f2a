<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>ClipboardKeeper</name>
    <message>
        <source>no clipboard keeper is set</source>
        <translation>kein Zwischenablagedienst festgelegt</translation>
    </message>
    <message>
        <source>the clipboard keeper could not be started</source>
        <translation>der Zwischenablagedienst konnte nicht gestartet werden</translation>
    </message>
    <message>
        <source>the clipboard keeper %1 did not answer</source>
        <translation>der Zwischenablagedienst %1 hat nicht geantwortet</translation>
    </message>
</context>
<context>
    <name>ComponentRegistry</name>
    <message>
        <source>%1 does not exist</source>
        <translation>%1 existiert nicht</translation>
    </message>
    <message>
        <source>%1 cannot be loaded: %2</source>
        <translation>%1 kann nicht geladen werden: %2</translation>
    </message>
    <message>
        <source>%1 is a plugin of another kind, not a Pemberly library</source>
        <translation>%1 ist ein Plugin anderer Art, keine Pemberly-Bibliothek</translation>
    </message>
    <message>
        <source>%1 does not provide the class %2</source>
        <translation>%1 stellt die Klasse %2 nicht bereit</translation>
    </message>
    <message>
        <source>%1 did not create %2</source>
        <translation>%1 hat %2 nicht erzeugt</translation>
    </message>
    <message>
        <source>%1 could not be registered for %2 (registry status %3)</source>
        <translation>%1 konnte nicht für %2 registriert werden (Registrierungsstatus %3)</translation>
    </message>
    <message>
        <source>%1 could not be registered: %2</source>
        <translation>%1 konnte nicht registriert werden: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a program identifier (Library.Class)</source>
        <translation>„%1“ ist keine Programmkennung (Bibliothek.Klasse)</translation>
    </message>
    <message>
        <source>it is not registered</source>
        <translation>nicht registriert</translation>
    </message>
    <message>
        <source>no %1 in the folders searched (%2)</source>
        <translation>kein %1 in den durchsuchten Ordnern (%2)</translation>
    </message>
    <message>
        <source>%1 cannot be created: %2</source>
        <translation>%1 kann nicht erzeugt werden: %2</translation>
    </message>
</context>
<context>
    <name>DesktopUrlOpener</name>
    <message>
        <source>Not an address that can be opened</source>
        <translation>Keine Adresse, die sich öffnen lässt</translation>
    </message>
    <message>
        <source>%1 is a program: it is not opened</source>
        <translation>%1 ist ein Programm: es wird nicht geöffnet</translation>
    </message>
    <message>
        <source>The browser could not be started (%1 is missing)</source>
        <translation>Der Browser konnte nicht gestartet werden (%1 fehlt)</translation>
    </message>
</context>
<context>
    <name>FileIO</name>
    <message>
        <source>%1: could not be opened: %2</source>
        <translation>%1: konnte nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>Datei nicht gefunden</translation>
    </message>
    <message>
        <source>%1: could not be opened: not a regular file</source>
        <translation>%1: konnte nicht geöffnet werden: keine reguläre Datei</translation>
    </message>
    <message>
        <source>%1: could not be read: %2</source>
        <translation>%1: konnte nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>%1: could not be written: %2</source>
        <translation>%1: konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>%1: could not be backed up: no such file</source>
        <translation>%1: konnte nicht gesichert werden: Datei nicht gefunden</translation>
    </message>
    <message>
        <source>%1: is its own backup %2</source>
        <translation>%1: ist ihre eigene Sicherung %2</translation>
    </message>
</context>
<context>
    <name>LinuxProgramStarter</name>
    <message>
        <source>The program %1 cannot be found</source>
        <translation>Das Programm %1 wurde nicht gefunden</translation>
    </message>
    <message>
        <source>The program %1 could not be started</source>
        <translation>Das Programm %1 konnte nicht gestartet werden</translation>
    </message>
</context>
<context>
    <name>OptionsBrowserPage</name>
    <message>
        <source>Preferred Browser</source>
        <translation>Bevorzugter Browser</translation>
    </message>
    <message>
        <source>Default Browser</source>
        <translation>Standardbrowser</translation>
    </message>
    <message>
        <source>Firefox</source>
        <translation>Firefox</translation>
    </message>
    <message>
        <source>Opera</source>
        <translation>Opera</translation>
    </message>
    <message>
        <source>A browser window that is open, else the desktop&apos;s default browser</source>
        <translation>Ein geöffnetes Browserfenster, sonst der Standardbrowser der Arbeitsumgebung</translation>
    </message>
    <message>
        <source>When Adding URLs</source>
        <translation>Beim Hinzufügen von Lesezeichen</translation>
    </message>
    <message>
        <source>Store Locally</source>
        <translation>Nur lokal speichern</translation>
    </message>
    <message>
        <source>Additionally Store In Bookmarks Folder - Group Folder</source>
        <translation>Auch im Lesezeichenordner speichern – im Ordner der Gruppe</translation>
    </message>
    <message>
        <source>Additionally Store In Bookmarks Folder - Root</source>
        <translation>Auch im Lesezeichenordner speichern – oberste Ebene</translation>
    </message>
    <message>
        <source>.. within Tessaly only</source>
        <translation>… nur in Tessaly</translation>
    </message>
    <message>
        <source>If no folder exists, one is created based on current Group.</source>
        <translation>Fehlt der Ordner, wird er nach der aktuellen Gruppe angelegt.</translation>
    </message>
    <message>
        <source>URLs stored within main Root of Bookmarks folder</source>
        <translation>Lesezeichen kommen in die oberste Ebene des Lesezeichenordners</translation>
    </message>
</context>
<context>
    <name>OptionsGeneralPage</name>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Tessaly In Startup Folder</source>
        <translation>Tessaly beim Anmelden starten</translation>
    </message>
    <message>
        <source>Main Window Always On Top</source>
        <translation>Hauptfenster immer im Vordergrund</translation>
    </message>
    <message>
        <source>Tab Placement</source>
        <translation>Lage der Registerkarten</translation>
    </message>
    <message>
        <source>Window placement of Tabs</source>
        <translation>Wo das Hauptfenster seine Registerkarten zeigt</translation>
    </message>
    <message>
        <source>Top</source>
        <comment>tab placement</comment>
        <translation>Oben</translation>
    </message>
    <message>
        <source>Bottom</source>
        <comment>tab placement</comment>
        <translation>Unten</translation>
    </message>
    <message>
        <source>Left</source>
        <comment>tab placement</comment>
        <translation>Links</translation>
    </message>
    <message>
        <source>Right</source>
        <comment>tab placement</comment>
        <translation>Rechts</translation>
    </message>
    <message>
        <source>Active Icon Control</source>
        <translation>Aktives Symbol</translation>
    </message>
    <message>
        <source>Enable Active Icon</source>
        <translation>Aktives Symbol einschalten</translation>
    </message>
    <message>
        <source>Always On Top During Connection</source>
        <translation>Während einer Verbindung immer im Vordergrund</translation>
    </message>
    <message>
        <source>Active Icon is ALWAYS on top during an active internet connection session.</source>
        <translation>Das aktive Symbol bleibt IMMER im Vordergrund, solange eine Internetverbindung besteht.</translation>
    </message>
    <message>
        <source>Hide Active Icon Until Connection</source>
        <translation>Aktives Symbol erst bei einer Verbindung zeigen</translation>
    </message>
    <message>
        <source>Active Icon becomes active only when an established Internet connection is made.</source>
        <translation>Das aktive Symbol erscheint erst, wenn eine Internetverbindung hergestellt ist.</translation>
    </message>
    <message>
        <source>Disable Tray Icon When Active Icon In Use</source>
        <translation>Kein Symbol im Benachrichtigungsfeld bei aktivem Symbol</translation>
    </message>
</context>
<context>
    <name>OptionsInternetPage</name>
    <message>
        <source>Internet Detection</source>
        <translation>Internetverbindung erkennen</translation>
    </message>
    <message>
        <source>Monitor VPN and Dial-up Connections</source>
        <translation>VPN- und Einwahlverbindungen überwachen</translation>
    </message>
    <message>
        <source>Monitor Any Network Connection</source>
        <translation>Jede Netzwerkverbindung überwachen</translation>
    </message>
    <message>
        <source>Always Connected To Internet</source>
        <translation>Immer mit dem Internet verbunden</translation>
    </message>
    <message>
        <source>Online while a dial-up, mobile or VPN connection is up</source>
        <translation>Online, solange eine Einwahl-, Mobilfunk- oder VPN-Verbindung besteht</translation>
    </message>
    <message>
        <source>Online while the desktop reports a network connection</source>
        <translation>Online, solange die Arbeitsumgebung eine Netzwerkverbindung meldet</translation>
    </message>
</context>
<context>
    <name>OptionsSessionPage</name>
    <message>
        <source>Start Session</source>
        <translation>Sitzungsbeginn</translation>
    </message>
    <message>
        <source>Auto Load Settings</source>
        <translation>Einstellungen automatisch laden</translation>
    </message>
    <message>
        <source>Auto Load URLs</source>
        <translation>Lesezeichen automatisch laden</translation>
    </message>
    <message>
        <source>Perform Upon Connection</source>
        <translation>Erst beim Verbinden ausführen</translation>
    </message>
    <message>
        <source>Runs Auto Load Settings Upon Connection</source>
        <translation>Lädt die Einstellungen automatisch, sobald eine Verbindung besteht</translation>
    </message>
    <message>
        <source>End Session / Flushing</source>
        <translation>Sitzungsende / Leeren</translation>
    </message>
    <message>
        <source>Auto Save Settings</source>
        <translation>Einstellungen automatisch speichern</translation>
    </message>
    <message>
        <source>Auto Save URLs</source>
        <translation>Lesezeichen automatisch speichern</translation>
    </message>
</context>
<context>
    <name>Registry</name>
    <message>
        <source>not a registry hive: %1</source>
        <translation>kein Registrierungszweig: %1</translation>
    </message>
    <message>
        <source>%1: could not be created</source>
        <translation>%1: konnte nicht angelegt werden</translation>
    </message>
    <message>
        <source>%1: could not be locked (%2)</source>
        <translation>%1: konnte nicht gesperrt werden (%2)</translation>
    </message>
    <message>
        <source>%1: is locked by another process</source>
        <translation>%1: ist von einem anderen Prozess gesperrt</translation>
    </message>
</context>
<context>
    <name>SessionStore</name>
    <message>
        <source>The session store is truncated</source>
        <translation>Der Sitzungsspeicher ist unvollständig</translation>
    </message>
    <message>
        <source>The session store is not a mozLz4 file</source>
        <translation>Der Sitzungsspeicher ist keine mozLz4-Datei</translation>
    </message>
    <message>
        <source>The session store claims %1 bytes: too large</source>
        <translation>Der Sitzungsspeicher gibt %1 Bytes an: zu groß</translation>
    </message>
    <message>
        <source>The session store&apos;s data is damaged</source>
        <translation>Die Daten des Sitzungsspeichers sind beschädigt</translation>
    </message>
    <message>
        <source>The session store holds no session</source>
        <translation>Der Sitzungsspeicher enthält keine Sitzung</translation>
    </message>
    <message>
        <source>The session has no selected window</source>
        <translation>Die Sitzung hat kein ausgewähltes Fenster</translation>
    </message>
    <message>
        <source>The session&apos;s window has no selected tab</source>
        <translation>Das Fenster der Sitzung hat keinen ausgewählten Tab</translation>
    </message>
    <message>
        <source>The session&apos;s tab shows no page</source>
        <translation>Der Tab der Sitzung zeigt keine Seite</translation>
    </message>
    <message>
        <source>The session&apos;s tab has no current page</source>
        <translation>Der Tab der Sitzung hat keine aktuelle Seite</translation>
    </message>
    <message>
        <source>No session store in %1</source>
        <translation>Kein Sitzungsspeicher in %1</translation>
    </message>
    <message>
        <source>The session store %1 is too large</source>
        <translation>Der Sitzungsspeicher %1 ist zu groß</translation>
    </message>
</context>
<context>
    <name>StackFileLock</name>
    <message>
        <source>%1 is open in Tessaly: flush it first</source>
        <translation>%1 ist in Tessaly geöffnet: zuerst das Hauptfenster leeren</translation>
    </message>
    <message>
        <source>%1 is being changed by another tsy command: try again</source>
        <translation>%1 wird gerade von einem anderen tsy-Befehl geändert: bitte erneut versuchen</translation>
    </message>
    <message>
        <source>%1 is locked by another writer (%2): try again</source>
        <translation>%1 ist von einem anderen Schreibvorgang gesperrt (%2): bitte erneut versuchen</translation>
    </message>
    <message>
        <source>%1: could not be locked (%2): %3</source>
        <translation>%1: konnte nicht gesperrt werden (%2): %3</translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <source>Version %1.%2a</source>
        <translation>Version %1.%2a</translation>
    </message>
    <message>
        <source>About Tessaly</source>
        <translation>Über Tessaly</translation>
    </message>
</context>
<context>
    <name>frmOptions</name>
    <message>
        <source>Options</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>&amp;General</source>
        <translation>&amp;Allgemein</translation>
    </message>
    <message>
        <source>General Options</source>
        <translation>Allgemeine Einstellungen</translation>
    </message>
    <message>
        <source>&amp;Browser</source>
        <translation>&amp;Browser</translation>
    </message>
    <message>
        <source>Browser Control Options</source>
        <translation>Wie Tessaly den Browser anspricht</translation>
    </message>
    <message>
        <source>&amp;Session</source>
        <translation>&amp;Sitzung</translation>
    </message>
    <message>
        <source>Session Auto Settings</source>
        <translation>Was zu Beginn und am Ende einer Sitzung automatisch geschieht</translation>
    </message>
    <message>
        <source>&amp;Internet</source>
        <translation>&amp;Internet</translation>
    </message>
    <message>
        <source>Internet Options</source>
        <translation>Interneteinstellungen</translation>
    </message>
</context>
<context>
    <name>mergeBrow</name>
    <message>
        <source>Merge From Netscape Bookmarks</source>
        <translation>Aus Netscape-Lesezeichen zusammenführen</translation>
    </message>
    <message>
        <source>Open Netscape Bookmarks As</source>
        <translation>Netscape-Lesezeichen öffnen als</translation>
    </message>
</context>
</TS>
