<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="fi">
<context>
    <name>platform::HelpViewer</name>
    <message>
        <source>&amp;Edellinen</source>
        <translation>&amp;Back</translation>
    </message>
    <message>
        <source>&amp;Kirjoita etsittävä sana:</source>
        <translation>&amp;Type the word to look for:</translation>
    </message>
    <message>
        <source>&amp;Sisällys</source>
        <translation>&amp;Contents</translation>
    </message>
    <message>
        <source>&amp;Hakemisto</source>
        <translation>&amp;Index</translation>
    </message>
    <message>
        <source>Ohje</source>
        <translation>Help</translation>
    </message>
</context>
<context>
    <name>platform::MessageBox</name>
    <message>
        <source>Tiedoksi</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Kysymys</source>
        <translation>Question</translation>
    </message>
    <message>
        <source>Varoitus</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>&amp;Kyllä</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>&amp;Ei</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>Ohje</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Virhe</source>
        <translation>Error</translation>
    </message>
</context>
<context>
    <name>platform::help</name>
    <message>
        <source>Ohjetiedoston %1 avaus ei onnistu.</source>
        <extracomment>%1 is the help file&apos;s name.</extracomment>
        <translation>Cannot open the help file %1.</translation>
    </message>
</context>
</TS>
