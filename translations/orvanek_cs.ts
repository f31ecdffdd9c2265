<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="cs" sourcelanguage="cs">
<context>
    <name>Cli</name>
    <message numerus="yes">
        <source>neúplný záznam na konci souboru (%n bajtů)</source>
        <translation>
            <numerusform>neúplný záznam na konci souboru (%n bajt)</numerusform>
            <numerusform>neúplný záznam na konci souboru (%n bajty)</numerusform>
            <numerusform>neúplný záznam na konci souboru (%n bajtů)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n záznamů vynecháno: nečitelné datum</source>
        <translation>
            <numerusform>%n záznam vynechán: nečitelné datum</numerusform>
            <numerusform>%n záznamy vynechány: nečitelné datum</numerusform>
            <numerusform>%n záznamů vynecháno: nečitelné datum</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>záznam %1 neexistuje (záznamů je %n)</source>
        <translation>
            <numerusform>záznam %1 neexistuje (je jen %n záznam)</numerusform>
            <numerusform>záznam %1 neexistuje (jsou jen %n záznamy)</numerusform>
            <numerusform>záznam %1 neexistuje (záznamů je %n)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>konec souboru %1 (%n bajtů) netvoří celý záznam, je uložen v souboru %2</source>
        <translation>
            <numerusform>konec souboru %1 (%n bajt) netvoří celý záznam, je uložen v souboru %2</numerusform>
            <numerusform>konec souboru %1 (%n bajty) netvoří celý záznam, je uložen v souboru %2</numerusform>
            <numerusform>konec souboru %1 (%n bajtů) netvoří celý záznam, je uložen v souboru %2</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Silso</name>
    <message numerus="yes">
        <source>Srovnání s SILSO: %1, %n společných dní, k = %2</source>
        <translation>
            <numerusform>Srovnání s SILSO: %1, %n společný den, k = %2</numerusform>
            <numerusform>Srovnání s SILSO: %1, %n společné dny, k = %2</numerusform>
            <numerusform>Srovnání s SILSO: %1, %n společných dní, k = %2</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>orvanek::MainWindow</name>
    <message numerus="yes">
        <source>Konec souboru %1 (%n bajtů) netvoří celý záznam, je uložen v souboru %2</source>
        <translation>
            <numerusform>Konec souboru %1 (%n bajt) netvoří celý záznam, je uložen v souboru %2</numerusform>
            <numerusform>Konec souboru %1 (%n bajty) netvoří celý záznam, je uložen v souboru %2</numerusform>
            <numerusform>Konec souboru %1 (%n bajtů) netvoří celý záznam, je uložen v souboru %2</numerusform>
        </translation>
    </message>
</context>
</TS>
