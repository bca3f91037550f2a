<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>DuplicatesCommands</name>
    <message numerus="yes">
        <source>%n entry(s)</source>
        <translation>
            <numerusform>%n entry</numerusform>
            <numerusform>%n entries</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DuplicatesDialog</name>
    <message numerus="yes">
        <source>Set %1: %n entries</source>
        <translation>
            <numerusform>Set %1: %n entry</numerusform>
            <numerusform>Set %1: %n entries</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>GroupCommands</name>
    <message numerus="yes">
        <source>This will Delete %n contained entry(s).</source>
        <translation>
            <numerusform>This will Delete %n contained entry.</numerusform>
            <numerusform>This will Delete %n contained entries.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>LinkCheckCommands</name>
    <message numerus="yes">
        <source>%n entry(s)</source>
        <translation>
            <numerusform>%n entry</numerusform>
            <numerusform>%n entries</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MergeCommands</name>
    <message numerus="yes">
        <source>%n entry(s)</source>
        <translation>
            <numerusform>%n entry</numerusform>
            <numerusform>%n entries</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n group(s)</source>
        <translation>
            <numerusform>%n group</numerusform>
            <numerusform>%n groups</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Merging: %n folder(s)</source>
        <translation>
            <numerusform>Merging: %n folder</numerusform>
            <numerusform>Merging: %n folders</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>QuickOpenPopup</name>
    <message numerus="yes">
        <source>The best %1 of %n matching entries.</source>
        <translation>
            <numerusform>The best %1 of %n matching entry.</numerusform>
            <numerusform>The best %1 of %n matching entries.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n matching entry(s).</source>
        <translation>
            <numerusform>%n matching entry.</numerusform>
            <numerusform>%n matching entries.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SelectionCommands</name>
    <message numerus="yes">
        <source>Remove %n item(s), are you sure?</source>
        <translation>
            <numerusform>Remove %n item, are you sure?</numerusform>
            <numerusform>Remove %n items, are you sure?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n shortcut(s)</source>
        <translation>
            <numerusform>%n shortcut</numerusform>
            <numerusform>%n shortcuts</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TrayWindow</name>
    <message numerus="yes">
        <source>%Ln bookmark(s) loaded</source>
        <translation>
            <numerusform>%Ln bookmark loaded</numerusform>
            <numerusform>%Ln bookmarks loaded</numerusform>
        </translation>
    </message>
</context>
</TS>
