<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>MainMenus</name>
    <message>
        <source>&amp;Language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;System</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Takes effect at the next start</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>lastling::social::ChatEntry</name>
    <message>
        <source>Paste</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>lastling::social::ChatPanel</name>
    <message>
        <source>Chat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Chat message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Smileys</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear Main Chat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scroll Chat Off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text Color</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>lastling::social::PhraseEditor</name>
    <message>
        <source>Lastling - Phrase Buttons </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Buttons can only be used once every 2 seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Done</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Phrase Button %1:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>lastling::social::PhraseRow</name>
    <message>
        <source>Chatter Sounds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Chatter sounds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;Cancel&gt;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
