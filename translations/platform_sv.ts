<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="sv_SE" sourcelanguage="fi">
<context>
    <name>platform::HelpViewer</name>
    <message>
        <source>&amp;Edellinen</source>
        <translation>&amp;Bakåt</translation>
    </message>
    <message>
        <source>&amp;Kirjoita etsittävä sana:</source>
        <translation>&amp;Skriv ordet du söker:</translation>
    </message>
    <message>
        <source>&amp;Sisällys</source>
        <translation>&amp;Innehåll</translation>
    </message>
    <message>
        <source>&amp;Hakemisto</source>
        <translation>&amp;Register</translation>
    </message>
    <message>
        <source>Ohje</source>
        <translation>Hjälp</translation>
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
        <translation>Fråga</translation>
    </message>
    <message>
        <source>Varoitus</source>
        <translation>Varning</translation>
    </message>
    <message>
        <source>&amp;Kyllä</source>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>&amp;Ei</source>
        <translation>&amp;Nej</translation>
    </message>
    <message>
        <source>Ohje</source>
        <translation>Hjälp</translation>
    </message>
    <message>
        <source>Virhe</source>
        <translation>Fel</translation>
    </message>
</context>
<context>
    <name>platform::help</name>
    <message>
        <source>Ohjetiedoston %1 avaus ei onnistu.</source>
        <extracomment>%1 is the help file&apos;s name.</extracomment>
        <translation>Det gick inte att öppna hjälpfilen %1.</translation>
    </message>
</context>
</TS>
