<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="cs">
<context>
    <name>Butterfly</name>
    <message>
        <source>Motýlek   Fakule</source>
        <translation>Butterfly diagram – faculae</translation>
    </message>
    <message>
        <source>Motýlek   Skvrny a fakule</source>
        <translation>Butterfly diagram – spots and faculae</translation>
    </message>
    <message>
        <source>Motýlek   Skvrny</source>
        <translation>Butterfly diagram – spots</translation>
    </message>
</context>
<context>
    <name>Certificate</name>
    <message>
        <source>Station:</source>
        <translation>Station:</translation>
    </message>
    <message>
        <source>Instrument:</source>
        <translation>Instrument:</translation>
    </message>
    <message>
        <source>Lens:</source>
        <translation>Aperture:</translation>
    </message>
    <message>
        <source>Focus lens:</source>
        <translation>Focal length:</translation>
    </message>
    <message>
        <source>Eyepiece:</source>
        <translation>Eyepiece:</translation>
    </message>
    <message>
        <source>Method:</source>
        <translation>Method:</translation>
    </message>
    <message>
        <source>Magnification:</source>
        <translation>Magnification:</translation>
    </message>
    <message>
        <source>CERTIFICATE  OF  DRAWING  SUN  SPOTS</source>
        <translation>CERTIFICATE OF SUNSPOT DRAWINGS</translation>
    </message>
    <message>
        <source>DATUM</source>
        <translation>DATE</translation>
    </message>
    <message>
        <source> North</source>
        <translation> North</translation>
    </message>
    <message>
        <source> South</source>
        <translation> South</translation>
    </message>
    <message>
        <source> Center</source>
        <translation> Centre</translation>
    </message>
    <message>
        <source>Autor</source>
        <translation>Observer</translation>
    </message>
    <message>
        <source>Projection drawing</source>
        <translation>Projection drawing</translation>
    </message>
</context>
<context>
    <name>Cli</name>
    <message>
        <source>-d, --data ADRESÁŘ  datový adresář (výchozí: aktuální)
--lang cs|en        jazyk zpráv (výchozí: podle prostředí)
-h, --help          tento text
--version           verze programu
Podrobný popis: man orvanek-cli</source>
        <translation>-d, --data DIR      data directory (default: the current one)
--lang cs|en        language of the messages (default: from the environment)
-h, --help          this text
--version           the program&apos;s version
Full description: man orvanek-cli</translation>
    </message>
    <message>
        <source>záznam %1: nečitelné datum „%2“</source>
        <translation>record %1: unreadable date “%2”</translation>
    </message>
    <message>
        <source>„%1“ není datum DD.MM.RRRR</source>
        <translation>“%1” is not a date DD.MM.YYYY</translation>
    </message>
    <message>
        <source>„%1“ není čas HHMM</source>
        <translation>“%1” is not a time HHMM</translation>
    </message>
    <message>
        <source>%1 neexistuje</source>
        <translation>%1 does not exist</translation>
    </message>
    <message>
        <source>nečitelné datum „%1“</source>
        <translation>unreadable date “%1”</translation>
    </message>
    <message>
        <source>datum %1 je dřívější než u předchozího záznamu</source>
        <translation>date %1 is earlier than that of the record before</translation>
    </message>
    <message>
        <source>počet skupin %1 je větší než 30</source>
        <translation>number of groups %1 is more than 30</translation>
    </message>
    <message>
        <source>počet fakulí %1 je větší než 30</source>
        <translation>number of faculae %1 is more than 30</translation>
    </message>
    <message>
        <source>adresář</source>
        <translation>directory</translation>
    </message>
    <message>
        <source>adresář %1 neexistuje</source>
        <translation>directory %1 does not exist</translation>
    </message>
    <message>
        <source>poloměr %1 mm, %2</source>
        <translation>radius %1 mm, %2</translation>
    </message>
    <message>
        <source>heliografické souřadnice</source>
        <translation>heliographic coordinates</translation>
    </message>
    <message>
        <source>polární souřadnice</source>
        <translation>polar coordinates</translation>
    </message>
    <message>
        <source>data už mají nastavení zákresu (%1)</source>
        <translation>the data already have their drawing setup (%1)</translation>
    </message>
    <message>
        <source>data nemají nastavení zákresu: zadejte --radius R a --polar nebo --heliographic</source>
        <translation>the data have no drawing setup: give --radius R and --polar or --heliographic</translation>
    </message>
    <message>
        <source>adresář %1 nelze založit</source>
        <translation>directory %1 cannot be created</translation>
    </message>
    <message>
        <source>%1 už existuje</source>
        <translation>%1 exists already</translation>
    </message>
    <message>
        <source>chybí --rotation N</source>
        <translation>--rotation N is missing</translation>
    </message>
    <message>
        <source>--rotation: „%1“ není číslo rotace</source>
        <translation>--rotation: “%1” is not a rotation number</translation>
    </message>
    <message>
        <source>rotace %1 nemá v datech žádný zákres</source>
        <translation>rotation %1 has no drawing in the data</translation>
    </message>
    <message>
        <source>--%1: „%2“ není datum DD.MM.RRRR</source>
        <translation>--%1: “%2” is not a date DD.MM.YYYY</translation>
    </message>
    <message>
        <source>soubor %1 nelze zapsat</source>
        <translation>file %1 cannot be written</translation>
    </message>
    <message>
        <source>„%1“ není číslo záznamu</source>
        <translation>“%1” is not a record number</translation>
    </message>
    <message>
        <source>--%1: „%2“ není celé číslo od %3 do %4</source>
        <translation>--%1: “%2” is not a whole number from %3 to %4</translation>
    </message>
    <message>
        <source>doplňková data (Motfakul.dat) nejsou k dispozici</source>
        <translation>no supplementary data (Motfakul.dat)</translation>
    </message>
    <message>
        <source>„%1“ není měsíc MĚSÍC.ROK (2.2000)</source>
        <translation>“%1” is not a month MONTH.YEAR (2.2000)</translation>
    </message>
    <message>
        <source>v měsíci %1.%2 není žádný záznam</source>
        <translation>there is no record in month %1.%2</translation>
    </message>
    <message>
        <source>pristroj.dat nemá na 6. řádku stanici</source>
        <translation>pristroj.dat has no station on its 6th line</translation>
    </message>
    <message>
        <source>Výsledky    oficiální</source>
        <translation>Results – certificate</translation>
    </message>
    <message>
        <source>--quantity: „%1“ není g, f ani r</source>
        <translation>--quantity: “%1” is none of g, f, r</translation>
    </message>
    <message>
        <source>--mode: „%1“ není all, total, north ani south</source>
        <translation>--mode: “%1” is none of all, total, north, south</translation>
    </message>
    <message>
        <source>--quantity: „%1“ není g, f, r, cv, sn, rb, area ani hemisphere</source>
        <translation>--quantity: “%1” is none of g, f, r, cv, sn, rb, area, hemisphere</translation>
    </message>
    <message>
        <source>soubor %1: umím jen .png, .bmp a .pdf</source>
        <translation>file %1: only .png, .bmp and .pdf can be written</translation>
    </message>
    <message>
        <source>kreslení potřebuje grafickou aplikaci</source>
        <translation>drawing needs a graphical application</translation>
    </message>
    <message>
        <source>záznam 1 nemá nastavení zákresu (poloměr, souřadnice)</source>
        <translation>record 1 has no drawing setup (radius, coordinates)</translation>
    </message>
    <message>
        <source>„%1“ není oblast total, north ani south</source>
        <translation>“%1” is none of the regions total, north, south</translation>
    </message>
    <message>
        <source>--paper: „%1“ není A4 ani A3</source>
        <translation>--paper: “%1” is neither A4 nor A3</translation>
    </message>
    <message>
        <source>soubor %1: umím jen .pdf a .png</source>
        <translation>file %1: only .pdf and .png can be written</translation>
    </message>
    <message>
        <source>Pozor: šablona má poloměr %1 mm, zákresy v datech %2 mm; vzdálenosti změřené na šabloně před zadáním přepočtěte.</source>
        <translation>Note: the sheet has a radius of %1 mm, the drawings in the data %2 mm; convert distances measured on the sheet before typing them in.</translation>
    </message>
    <message>
        <source>--radius: „%1“ není poloměr v celých mm od %2 do %3</source>
        <translation>--radius: “%1” is not a radius in whole mm from %2 to %3</translation>
    </message>
    <message>
        <source>nedostatek paměti, příkaz nebyl dokončen</source>
        <translation>out of memory, the command was not finished</translation>
    </message>
    <message>
        <source>použití: orvanek-cli [-d ADRESÁŘ] info | records | groups | export-ascii | check [--positions] | ephemeris DD.MM.RRRR HHMM [DD.MM.RRRR HHMM ...] | render drawing [--record N] [--mirror-x] [--mirror-y] --out SOUBOR.png|.bmp|.pdf | render butterfly [--latitude-scale 1..9] [--rotation-width 1..16] [--supplementary] [--width Š --height V] --out SOUBOR | render map --rotation N [--width Š] --out SOUBOR | map-groups --rotation N | certificate MĚSÍC.ROK --out SOUBOR.png|.bmp|.pdf | statistics [--smoothed] [--region total|north|south] | observers | render graphs [--quantity g|f|r] [--mode all|total|north|south] [--width Š --height V] --out SOUBOR | render smoothed [--quantity g|f|r|cv|sn|rb|area|hemisphere] [--months-px 1..5] [--width Š --height V] --out SOUBOR | series [--quantity g|f|r|cv|sn|rb|area|hemisphere] | import SOUBOR [--radius R --polar|--heliographic] | make-demo ADRESÁŘ [--from ROK --to ROK --seed N] | template --date DD.MM.RRRR --time HHMM [--radius R] [--mirror-x] [--mirror-y] [--paper A4|A3] --out SOUBOR.pdf|.png | scan OBRÁZEK [--date DD.MM.RRRR --time HHMM] [--radius R] [--north-angle STUPNĚ] [--mirror-x] [--mirror-y] [--at X,Y ...] [--spots] | compare-silso SOUBOR | daily [--from DD.MM.RRRR] [--to DD.MM.RRRR]</source>
        <translation>usage: orvanek-cli [-d DIR] info | records | groups | export-ascii | check [--positions] | ephemeris DD.MM.YYYY HHMM [DD.MM.YYYY HHMM ...] | render drawing [--record N] [--mirror-x] [--mirror-y] --out FILE.png|.bmp|.pdf | render butterfly [--latitude-scale 1..9] [--rotation-width 1..16] [--supplementary] [--width W --height H] --out FILE | render map --rotation N [--width W] --out FILE | map-groups --rotation N | certificate MONTH.YEAR --out FILE.png|.bmp|.pdf | statistics [--smoothed] [--region total|north|south] | observers | render graphs [--quantity g|f|r] [--mode all|total|north|south] [--width W --height H] --out FILE | render smoothed [--quantity g|f|r|cv|sn|rb|area|hemisphere] [--months-px 1..5] [--width W --height H] --out FILE | series [--quantity g|f|r|cv|sn|rb|area|hemisphere] | import FILE [--radius R --polar|--heliographic] | make-demo DIR [--from YEAR --to YEAR --seed N] | template --date DD.MM.YYYY --time HHMM [--radius R] [--mirror-x] [--mirror-y] [--paper A4|A3] --out FILE.pdf|.png | scan IMAGE [--date DD.MM.YYYY --time HHMM] [--radius R] [--north-angle DEGREES] [--mirror-x] [--mirror-y] [--at X,Y ...] [--spots] | compare-silso FILE | daily [--from DD.MM.YYYY] [--to DD.MM.YYYY]</translation>
    </message>
    <message>
        <source>příkazu %1 chybí argument</source>
        <translation>the command %1 needs an argument</translation>
    </message>
    <message>
        <source>ke každému datu patří čas</source>
        <translation>every date needs its time</translation>
    </message>
    <message>
        <source>soubor %1 nelze zapsat: %2</source>
        <translation>file %1 cannot be written: %2</translation>
    </message>
    <message>
        <source>%1 není adresář</source>
        <translation>%1 is not a directory</translation>
    </message>
    <message>
        <source>neznámá volba %1</source>
        <translation>unknown option %1</translation>
    </message>
    <message>
        <source>volbě %1 chybí hodnota</source>
        <translation>the option %1 needs a value</translation>
    </message>
    <message>
        <source>příkazy: %1 (popis: orvanek-cli --help)</source>
        <translation>commands: %1 (described by orvanek-cli --help)</translation>
    </message>
    <message>
        <source>--lang: „%1“ není cs ani en</source>
        <translation>--lang: “%1” is neither cs nor en</translation>
    </message>
    <message>
        <source>neznámý příkaz „%1“</source>
        <translation>unknown command “%1”</translation>
    </message>
    <message>
        <source>příkaz %1 nebere argument „%2“</source>
        <translation>the command %1 takes no argument “%2”</translation>
    </message>
    <message>
        <source>příkaz %1 nezná volbu %2</source>
        <translation>the command %1 takes no option %2</translation>
    </message>
    <message>
        <source>render nezná pohled „%1“</source>
        <translation>render knows no view “%1”</translation>
    </message>
    <message>
        <source>chybí --out SOUBOR</source>
        <translation>--out FILE is missing</translation>
    </message>
    <message>
        <source>příkaz render %1 nebere argument „%2“</source>
        <translation>the command render %1 takes no argument “%2”</translation>
    </message>
    <message numerus="yes">
        <source>neúplný záznam na konci souboru (%n bajtů)</source>
        <translation>
            <numerusform>incomplete record at the end of the file (%n byte)</numerusform>
            <numerusform>incomplete record at the end of the file (%n bytes)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n záznamů vynecháno: nečitelné datum</source>
        <translation>
            <numerusform>%n record left out: unreadable date</numerusform>
            <numerusform>%n records left out: unreadable date</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>záznam %1 neexistuje (záznamů je %n)</source>
        <translation>
            <numerusform>record %1 does not exist (there is %n record)</numerusform>
            <numerusform>record %1 does not exist (there are %n records)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>konec souboru %1 (%n bajtů) netvoří celý záznam, je uložen v souboru %2</source>
        <translation>
            <numerusform>the end of the file %1 (%n byte) is no whole record; it is kept in the file %2</numerusform>
            <numerusform>the end of the file %1 (%n bytes) is no whole record; it is kept in the file %2</numerusform>
        </translation>
    </message>
    <message>
        <source>--radius je celý počet mm od 1 do 999; --polar a --heliographic nejdou spolu</source>
        <translation>--radius is a whole number of mm from 1 to 999; --polar and --heliographic do not go together</translation>
    </message>
    <message>
        <source>--from a --to jsou roky 1 až 9999 (--from nejvýše --to), --seed celé nezáporné číslo</source>
        <translation>--from and --to are years 1 to 9999 (--from not after --to), --seed a whole number not below 0</translation>
    </message>
    <message>
        <source>příkaz template chce --date, --time a --out</source>
        <translation>the command template needs --date, --time and --out</translation>
    </message>
</context>
<context>
    <name>Commit</name>
    <message>
        <source>„%1“ není celé číslo – %2</source>
        <translation>“%1” is not a whole number – %2</translation>
    </message>
    <message>
        <source>„%1“ není počet od 0 do 30 – %2</source>
        <translation>“%1” is not a count from 0 to 30 – %2</translation>
    </message>
    <message>
        <source>řádek %1</source>
        <translation>row %1</translation>
    </message>
    <message>
        <source>„%1“ není číslo – %2</source>
        <translation>“%1” is not a number – %2</translation>
    </message>
    <message>
        <source>„%1“ nesmí být záporné – %2</source>
        <translation>“%1” must not be negative – %2</translation>
    </message>
    <message>
        <source>„%1“ je mimo rozsah %2 až %3 – %4</source>
        <translation>“%1” is outside the range %2 to %3 – %4</translation>
    </message>
    <message>
        <source>Skupina v řádku %1 (l = %2, b = %3) leží na odvrácené straně Slunce, L0 = %4</source>
        <translation>The group in row %1 (l = %2, b = %3) lies on the far side of the Sun, L0 = %4</translation>
    </message>
    <message>
        <source>Špatně zadaná vzdálenost u skupin max. </source>
        <translation>Wrong distance of a group, at most </translation>
    </message>
    <message>
        <source>Špatně zadaná vzdálenost u fakulí max. </source>
        <translation>Wrong distance of a facula, at most </translation>
    </message>
    <message>
        <source>Úhel je maximálně 360 stupňů </source>
        <translation>The angle is at most 360 degrees </translation>
    </message>
    <message>
        <source>Maximální číslo v otočce je 70</source>
        <translation>The largest number in a rotation is 70</translation>
    </message>
    <message>
        <source>Pozorovatel</source>
        <translation>Observer</translation>
    </message>
    <message>
        <source>Datum</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Čas UT</source>
        <translation>Time UT</translation>
    </message>
    <message>
        <source>PP</source>
        <translation>Cond.</translation>
    </message>
    <message>
        <source>Obr.</source>
        <translation>Image</translation>
    </message>
    <message>
        <source>Počet skupin</source>
        <translation>Number of groups</translation>
    </message>
    <message>
        <source>Počet fakulí</source>
        <translation>Number of faculae</translation>
    </message>
    <message>
        <source>Stanice</source>
        <translation>Station</translation>
    </message>
    <message>
        <source>Zvlášťní záznam</source>
        <translation>Special drawing</translation>
    </message>
    <message>
        <source>Skupiny</source>
        <translation>Groups</translation>
    </message>
    <message>
        <source>Fakule</source>
        <translation>Faculae</translation>
    </message>
    <message>
        <source>Typ</source>
        <translation>Class</translation>
    </message>
    <message>
        <source>poč</source>
        <translation>spots</translation>
    </message>
    <message>
        <source>s pen.</source>
        <translation>pen.</translation>
    </message>
    <message>
        <source>úhel</source>
        <translation>angle</translation>
    </message>
    <message>
        <source>vzd.</source>
        <translation>dist.</translation>
    </message>
    <message>
        <source>plocha.</source>
        <translation>area</translation>
    </message>
    <message>
        <source>mal.s.</source>
        <translation>small</translation>
    </message>
    <message>
        <source>č.sk1</source>
        <translation>no.1</translation>
    </message>
    <message>
        <source>č.sk2</source>
        <translation>no.2</translation>
    </message>
    <message>
        <source>úhel1</source>
        <translation>angle1</translation>
    </message>
    <message>
        <source>vzd.1</source>
        <translation>dist.1</translation>
    </message>
    <message>
        <source>plo.1</source>
        <translation>area1</translation>
    </message>
    <message>
        <source>úhel2</source>
        <translation>angle2</translation>
    </message>
    <message>
        <source>vzd.2</source>
        <translation>dist.2</translation>
    </message>
    <message>
        <source>plo.2</source>
        <translation>area2</translation>
    </message>
    <message>
        <source>U%1</source>
        <translation>A%1</translation>
    </message>
    <message>
        <source>V%1</source>
        <translation>D%1</translation>
    </message>
    <message>
        <source>Není zvolen poloměr zákresu</source>
        <translation>No drawing radius has been chosen</translation>
    </message>
    <message>
        <source>Není vybrán žádný záznam k opravě</source>
        <translation>No record has been chosen for correction</translation>
    </message>
    <message>
        <source>Maximálni počet skupin je 30 !</source>
        <translation>The largest number of groups is 30!</translation>
    </message>
    <message>
        <source>Maximálni počet fakulí je 30 !</source>
        <translation>The largest number of faculae is 30!</translation>
    </message>
    <message>
        <source>Není zadáno datum</source>
        <translation>No date has been given</translation>
    </message>
    <message>
        <source>„%1“ není platné datum – Datum</source>
        <translation>“%1” is not a valid date – Date</translation>
    </message>
    <message>
        <source>Opravu nelze uložit dávkou</source>
        <translation>A correction cannot be stored in a batch</translation>
    </message>
    <message>
        <source>Některé pozorování nelze uložit</source>
        <translation>Some observation cannot be stored</translation>
    </message>
    <message>
        <source>„%1“ není čas hhmm (hodiny 0 až 23, minuty 0 až 59) – %2</source>
        <translation>“%1” is not a time hhmm (hours 0 to 23, minutes 0 to 59) – %2</translation>
    </message>
</context>
<context>
    <name>DataLock</name>
    <message>
        <source>Data v adresáři %1 používá program Orvanek na počítači %2.<byte value="xd"/>Pokud tam už neběží, smažte soubor %3 a spusťte program znovu.</source>
        <translation>The data in directory %1 are in use by Orvanek on computer %2.<byte value="xd"/>If it no longer runs there, delete the file %3 and start the program again.</translation>
    </message>
    <message>
        <source>Data v adresáři %1 už používá jiná spuštěná kopie programu Orvanek (proces %2).<byte value="xd"/>Ukončete ji a spusťte program znovu.</source>
        <translation>The data in directory %1 are in use by another running copy of Orvanek (process %2).<byte value="xd"/>Close it and start the program again.</translation>
    </message>
    <message>
        <source>Data v adresáři %1 už používá jiná spuštěná kopie programu Orvanek.<byte value="xd"/>Ukončete ji a spusťte program znovu.</source>
        <translation>The data in directory %1 are in use by another running copy of Orvanek.<byte value="xd"/>Close it and start the program again.</translation>
    </message>
    <message>
        <source>Zámek %1 nelze vytvořit.</source>
        <translation>The lock %1 cannot be created.</translation>
    </message>
    <message>
        <source>Do adresáře %1 nelze zapisovat: %2</source>
        <translation>Directory %1 cannot be written to: %2</translation>
    </message>
    <message>
        <source>Na místě zámku %1 je odkaz na %2, ne zámek programu.<byte value="xd"/>Smažte ho a spusťte program znovu.</source>
        <translation>In place of the lock %1 there is a link to %2, not the program&apos;s lock.<byte value="xd"/>Delete it and start the program again.</translation>
    </message>
    <message>
        <source>Na místě zámku %1 je adresář, ne zámek programu.<byte value="xd"/>Přejmenujte ho a spusťte program znovu.</source>
        <translation>In place of the lock %1 there is a directory, not the program&apos;s lock.<byte value="xd"/>Rename it and start the program again.</translation>
    </message>
    <message>
        <source>Na místě zámku %1 je roura nebo zařízení, ne zámek programu.<byte value="xd"/>Smažte ho a spusťte program znovu.</source>
        <translation>In place of the lock %1 there is a pipe or a device, not the program&apos;s lock.<byte value="xd"/>Delete it and start the program again.</translation>
    </message>
</context>
<context>
    <name>Demo</name>
    <message>
        <source>Ukázková data se zakládají jen do prázdné složky</source>
        <translation>Demo data are made only in an empty folder</translation>
    </message>
    <message>
        <source>Roky %1 až %2 nejsou platné</source>
        <translation>The years %1 to %2 are not valid</translation>
    </message>
</context>
<context>
    <name>Drawing</name>
    <message>
        <source>Zákres    </source>
        <translation>Drawing </translation>
    </message>
    <message>
        <source>Čas UT</source>
        <translation>Time UT</translation>
    </message>
    <message>
        <source>Podmínky</source>
        <translation>Conditions</translation>
    </message>
    <message>
        <source>Obraz</source>
        <translation>Image</translation>
    </message>
    <message>
        <source>Kvalita</source>
        <translation>Quality</translation>
    </message>
    <message>
        <source>Rotace</source>
        <translation>Rotation</translation>
    </message>
    <message>
        <source>Typ</source>
        <translation>Class</translation>
    </message>
    <message>
        <source>poč.skv.</source>
        <translation>spots</translation>
    </message>
    <message>
        <source>číslo sku.</source>
        <translation>group no.</translation>
    </message>
    <message>
        <source>Datum :             </source>
        <translation>Date: </translation>
    </message>
    <message>
        <source>Pozorovatel :   </source>
        <translation>Observer: </translation>
    </message>
    <message>
        <source>Stanice :           </source>
        <translation>Station: </translation>
    </message>
    <message>
        <source>Lt</source>
        <translation>L0</translation>
    </message>
    <message>
        <source>Bo</source>
        <translation>B0</translation>
    </message>
</context>
<context>
    <name>Graphs</name>
    <message>
        <source> Počet skupin</source>
        <translation> Number of groups</translation>
    </message>
    <message>
        <source> Počet skvrn</source>
        <translation> Number of spots</translation>
    </message>
    <message>
        <source> Relativní číslo</source>
        <translation> Relative sunspot number (Wolf number)</translation>
    </message>
    <message>
        <source>SEVER + JIH</source>
        <translation>NORTH + SOUTH</translation>
    </message>
    <message>
        <source>SEVER</source>
        <translation>NORTH</translation>
    </message>
    <message>
        <source>JIH</source>
        <translation>SOUTH</translation>
    </message>
    <message>
        <source>Celkový  Sever  Jih   -</source>
        <translation>total, north, south –</translation>
    </message>
    <message>
        <source>Celkový   -</source>
        <translation>total –</translation>
    </message>
    <message>
        <source>Sever   -</source>
        <translation>north –</translation>
    </message>
    <message>
        <source>Jih   -</source>
        <translation>south –</translation>
    </message>
    <message>
        <source>Celkový   Sever   Jih  -</source>
        <translation>total, north, south –</translation>
    </message>
    <message>
        <source>Graf   </source>
        <translation>Graph: </translation>
    </message>
    <message>
        <source>Leden</source>
        <translation>January</translation>
    </message>
    <message>
        <source>Únor</source>
        <translation>February</translation>
    </message>
    <message>
        <source>Březen</source>
        <translation>March</translation>
    </message>
    <message>
        <source>Duben</source>
        <translation>April</translation>
    </message>
    <message>
        <source>Květen</source>
        <translation>May</translation>
    </message>
    <message>
        <source>Červen</source>
        <translation>June</translation>
    </message>
    <message>
        <source>Červenec</source>
        <translation>July</translation>
    </message>
    <message>
        <source>Srpen</source>
        <translation>August</translation>
    </message>
    <message>
        <source>Září</source>
        <translation>September</translation>
    </message>
    <message>
        <source>Říjen</source>
        <translation>October</translation>
    </message>
    <message>
        <source>Listopad</source>
        <translation>November</translation>
    </message>
    <message>
        <source>Prosinec</source>
        <translation>December</translation>
    </message>
    <message>
        <source>Led</source>
        <comment>January</comment>
        <translation>Jan</translation>
    </message>
    <message>
        <source>Úno</source>
        <comment>February</comment>
        <translation>Feb</translation>
    </message>
    <message>
        <source>Bře</source>
        <comment>March</comment>
        <translation>Mar</translation>
    </message>
    <message>
        <source>Dub</source>
        <comment>April</comment>
        <translation>Apr</translation>
    </message>
    <message>
        <source>Kvě</source>
        <comment>May</comment>
        <translation>May</translation>
    </message>
    <message>
        <source>Čer</source>
        <comment>June</comment>
        <translation>Jun</translation>
    </message>
    <message>
        <source>Čer</source>
        <comment>July</comment>
        <translation>Jul</translation>
    </message>
    <message>
        <source>Srp</source>
        <comment>August</comment>
        <translation>Aug</translation>
    </message>
    <message>
        <source>Zář</source>
        <comment>September</comment>
        <translation>Sep</translation>
    </message>
    <message>
        <source>Říj</source>
        <comment>October</comment>
        <translation>Oct</translation>
    </message>
    <message>
        <source>Lis</source>
        <comment>November</comment>
        <translation>Nov</translation>
    </message>
    <message>
        <source>Pro</source>
        <comment>December</comment>
        <translation>Dec</translation>
    </message>
    <message>
        <source>Počet skupin</source>
        <translation>Number of groups</translation>
    </message>
    <message>
        <source>Počet skvrn</source>
        <translation>Number of spots</translation>
    </message>
    <message>
        <source>Relativní číslo</source>
        <translation>Relative sunspot number (Wolf number)</translation>
    </message>
    <message>
        <source> CV  (McIntoshovo číslo)</source>
        <translation> CV (McIntosh number)</translation>
    </message>
    <message>
        <source> SN  (Pettisovo číslo)</source>
        <translation> SN (Pettis number)</translation>
    </message>
    <message>
        <source> RB  (Beckovo číslo)</source>
        <translation> RB (Beck number)</translation>
    </message>
    <message>
        <source> Plocha  skvrn  disk</source>
        <translation> Sunspot area (millionths of the disk)</translation>
    </message>
    <message>
        <source> Plocha skvrn  polokoule</source>
        <translation> Corrected sunspot area (millionths of the hemisphere)</translation>
    </message>
    <message>
        <source>Vyhlazovací   grafy</source>
        <translation>Smoothed graphs</translation>
    </message>
    <message>
        <source>Asymetrie    graf</source>
        <translation>Asymmetry graph</translation>
    </message>
    <message>
        <source>%1   %2</source>
        <comment>a panel&apos;s title: its curve, the quantity</comment>
        <translation>%1 –%2</translation>
    </message>
</context>
<context>
    <name>Import</name>
    <message>
        <source>řádek %1 nenásleduje po řádku O</source>
        <translation>a %1 line that does not follow an O line</translation>
    </message>
    <message>
        <source>neznámý druh řádku „%1“ (má být O, G nebo F)</source>
        <translation>unknown kind of line “%1” (should be O, G or F)</translation>
    </message>
    <message>
        <source>příliš mnoho polí (nejvýše %1)</source>
        <translation>too many fields (at most %1)</translation>
    </message>
    <message>
        <source>řádek %1: %2</source>
        <translation>line %1: %2</translation>
    </message>
    <message>
        <source>text není v kódování UTF-8</source>
        <translation>the text is not UTF-8</translation>
    </message>
    <message>
        <source>jméno pozorovatele má víc než %1 znaků; uloženo je „%2“</source>
        <translation>the observer’s name has more than %1 characters; “%2” was stored</translation>
    </message>
    <message>
        <source>stanice má víc než %1 znaků; uložena je „%2“</source>
        <translation>the station has more than %1 characters; “%2” was stored</translation>
    </message>
    <message>
        <source>příliš mnoho chyb; další řádky nebyly čteny</source>
        <translation>too many faults; the lines after this were not read</translation>
    </message>
</context>
<context>
    <name>InstrumentFile</name>
    <message>
        <source>„%1“ obsahuje konec řádku; %2 nebyl zapsán</source>
        <translation>“%1” holds a line break; %2 was not written</translation>
    </message>
</context>
<context>
    <name>Map</name>
    <message>
        <source>Mapa   </source>
        <translation>Map   </translation>
    </message>
    <message>
        <source>Číslo rotace  </source>
        <translation>Rotation number </translation>
    </message>
</context>
<context>
    <name>MonthPrompt</name>
    <message>
        <source>Zadaní</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>Zadej měsíc a rok ? (2.2000)</source>
        <translation>Enter the month and year (2.2000)</translation>
    </message>
</context>
<context>
    <name>PositionCheck</name>
    <message>
        <source>%1 a %2</source>
        <translation>%1 and %2</translation>
    </message>
    <message>
        <source>Skupina %1: o %2° v délce a o %3° v šířce jinde, než čekám podle %4</source>
        <translation>Group %1: %2° in longitude and %3° in latitude off the place expected from %4</translation>
    </message>
    <message>
        <source>Skupina %1: o %2° v šířce jinde, než čekám podle %3</source>
        <translation>Group %1: %2° in latitude off the place expected from %3</translation>
    </message>
    <message>
        <source>Skupina %1: o %2° v délce jinde, než čekám podle %3</source>
        <translation>Group %1: %2° in longitude off the place expected from %3</translation>
    </message>
    <message>
        <source>tolerance: šířka %1°, délka %2° + %3°/den, pevná (jen %4 dvojic)</source>
        <translation>tolerance: latitude %1°, longitude %2° + %3°/day, fixed (only %4 pairs)</translation>
    </message>
    <message>
        <source>tolerance: šířka %1°, délka %2° + %3°/den, z %4 dvojic celého souboru</source>
        <translation>tolerance: latitude %1°, longitude %2° + %3°/day, from %4 pairs of the whole data set</translation>
    </message>
    <message>
        <source>tolerance: šířka %1°, délka %2° + %3°/den, z %4 dvojic pozorovatele %5</source>
        <translation>tolerance: latitude %1°, longitude %2° + %3°/day, from %4 pairs of observer %5</translation>
    </message>
    <message>
        <source>skupiny %1 ze dnů %2 a %3 se neshodují; jedna z nich je jinde</source>
        <translation>groups %1 on %2 and %3 disagree; one of them is misplaced</translation>
    </message>
    <message>
        <source>Zákres %1 %2 UT: skupiny sedí na čas o %3 h pozdější, %4 %5 UT</source>
        <translation>Drawing %1 %2 UT: its groups fit a time %3 h later, %4 %5 UT</translation>
    </message>
    <message>
        <source>Zákres %1 %2 UT: skupiny sedí na čas o %3 h dřívější, %4 %5 UT</source>
        <translation>Drawing %1 %2 UT: its groups fit a time %3 h earlier, %4 %5 UT</translation>
    </message>
    <message>
        <source>Zákres %1: skupiny sedí na předchozí den, %2</source>
        <translation>Drawing %1: its groups fit the day before, %2</translation>
    </message>
    <message>
        <source>Zákres %1: skupiny sedí na následující den, %2</source>
        <translation>Drawing %1: its groups fit the day after, %2</translation>
    </message>
    <message>
        <source>Zákres %1: východ a západ jsou zrcadlově prohozené</source>
        <translation>Drawing %1: east and west are mirrored</translation>
    </message>
    <message>
        <source>Zákres %1: sever a jih jsou zrcadlově prohozené</source>
        <translation>Drawing %1: north and south are mirrored</translation>
    </message>
</context>
<context>
    <name>PrintView</name>
    <message>
        <source>Tisk se nepodařil.</source>
        <translation>Printing failed.</translation>
    </message>
    <message>
        <source>Tiskárna není k dispozici – uložit tisk do souboru PDF</source>
        <translation>No printer available – save the print as a PDF file</translation>
    </message>
    <message>
        <source>Dokument PDF (*.pdf)</source>
        <translation>PDF document (*.pdf)</translation>
    </message>
    <message>
        <source>Soubor %1 nelze zapsat.</source>
        <translation>File %1 cannot be written.</translation>
    </message>
    <message>
        <source>Není vybráno nic k tisku.</source>
        <translation>Nothing has been chosen to print.</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Ze skenu – obrázek zákresu</source>
        <translation>From a scan – image of the drawing</translation>
    </message>
</context>
<context>
    <name>SafeFile</name>
    <message>
        <source>%1 je odkaz na jiný soubor; program zapisuje jen do obyčejných souborů svého adresáře, nic nebylo zapsáno</source>
        <translation>%1 is a link to another file; the program writes only plain files of its own directory, nothing was written</translation>
    </message>
    <message>
        <source>%1 není obyčejný soubor; nic nebylo zapsáno</source>
        <translation>%1 is not a plain file; nothing was written</translation>
    </message>
    <message>
        <source>na disku není místo</source>
        <translation>the disk is full</translation>
    </message>
    <message>
        <source>je vyčerpána kvóta disku</source>
        <translation>the disk quota is used up</translation>
    </message>
    <message>
        <source>chybí oprávnění</source>
        <translation>permission denied</translation>
    </message>
    <message>
        <source>disk je jen pro čtení</source>
        <translation>the disk is read-only</translation>
    </message>
    <message>
        <source>soubor je větší, než systém dovolí</source>
        <translation>the file is larger than the system allows</translation>
    </message>
    <message>
        <source>soubor nebo adresář neexistuje</source>
        <translation>no such file or directory</translation>
    </message>
    <message>
        <source>je to adresář</source>
        <translation>it is a directory</translation>
    </message>
    <message>
        <source>část cesty není adresář</source>
        <translation>a part of the path is not a directory</translation>
    </message>
    <message>
        <source>chyba čtení nebo zápisu na disku</source>
        <translation>the disk failed to read or write</translation>
    </message>
    <message>
        <source>příliš mnoho odkazů za sebou</source>
        <translation>too many links in a row</translation>
    </message>
    <message>
        <source>příliš dlouhé jméno souboru</source>
        <translation>the file name is too long</translation>
    </message>
    <message>
        <source>příliš mnoho otevřených souborů</source>
        <translation>too many open files</translation>
    </message>
    <message>
        <source>nedostatek paměti</source>
        <translation>out of memory</translation>
    </message>
    <message>
        <source>soubor právě používá jiný program</source>
        <translation>another program is using the file</translation>
    </message>
    <message>
        <source>zařízení neexistuje</source>
        <translation>no such device</translation>
    </message>
    <message>
        <source>soubor už existuje</source>
        <translation>the file exists already</translation>
    </message>
    <message>
        <source>soubor je na jiném disku</source>
        <translation>the file is on another disk</translation>
    </message>
    <message>
        <source>%1 je jen pro čtení; nic nebylo zapsáno</source>
        <translation>%1 is read-only; nothing was written</translation>
    </message>
    <message>
        <source>%1 má %2 MB, víc, než program přečte (nejvýše %3 MB); nic nebylo přečteno</source>
        <translation>%1 has %2 MB, more than the program reads (at most %3 MB); nothing was read</translation>
    </message>
    <message>
        <source>adresář</source>
        <translation>a directory</translation>
    </message>
    <message>
        <source>roura</source>
        <translation>a pipe</translation>
    </message>
    <message>
        <source>soket</source>
        <translation>a socket</translation>
    </message>
    <message>
        <source>zařízení</source>
        <translation>a device</translation>
    </message>
    <message>
        <source>%1 není obyčejný soubor, ale %2; nic nebylo přečteno</source>
        <translation>%1 is not a plain file but %2; nothing was read</translation>
    </message>
    <message>
        <source>%1 není obyčejný soubor; nic nebylo přečteno</source>
        <translation>%1 is not a plain file; nothing was read</translation>
    </message>
</context>
<context>
    <name>ScanCommand</name>
    <message>
        <source>--date a --time se zadávají spolu</source>
        <translation>--date and --time are given together</translation>
    </message>
    <message>
        <source>„%1“ není datum DD.MM.RRRR</source>
        <translation>“%1” is not a date DD.MM.YYYY</translation>
    </message>
    <message>
        <source>„%1“ není čas HHMM</source>
        <translation>“%1” is not a time HHMM</translation>
    </message>
    <message>
        <source>--radius: „%1“ není poloměr v mm</source>
        <translation>--radius: “%1” is not a radius in mm</translation>
    </message>
    <message>
        <source>--north-angle: „%1“ není úhel ve stupních</source>
        <translation>--north-angle: “%1” is not an angle in degrees</translation>
    </message>
    <message>
        <source>--at: „%1“ není bod X,Y v pixelech</source>
        <translation>--at: “%1” is not a point X,Y in pixels</translation>
    </message>
    <message>
        <source>Na obrázku %1 není nalezen okraj kotouče.</source>
        <translation>No limb of the disk found in the image %1.</translation>
    </message>
    <message>
        <source>Obrázek %1 nemá kód šablony: zadejte okamžik volbami --date a --time.</source>
        <translation>The image %1 has no sheet code: give the moment with --date and --time.</translation>
    </message>
    <message>
        <source>Pozor: %1; platí volba.</source>
        <translation>Warning: %1; the option holds.</translation>
    </message>
    <message>
        <source>Bod %1,%2 leží mimo kotouč (%3 mm od středu, poloměr %4 mm).</source>
        <translation>The point %1,%2 lies outside the disk (%3 mm from the centre, radius %4 mm).</translation>
    </message>
    <message>
        <source>--at: bod %1 leží mimo obrázek (%2 × %3 bodů)</source>
        <translation>--at: the point %1 lies off the image (%2 × %3 pixels)</translation>
    </message>
</context>
<context>
    <name>ScanEntry</name>
    <message>
        <source>Bod leží za okrajem kotouče, na odvrácené straně Slunce.</source>
        <translation>The point lies beyond the limb, on the far side of the Sun.</translation>
    </message>
    <message>
        <source>Bez okamžiku zákresu nelze určit l a b: zadejte datum a čas.</source>
        <translation>Without the moment of the drawing l and b cannot be found: enter the date and time.</translation>
    </message>
    <message>
        <source>Bod leží mimo kotouč: %1 mm od středu, poloměr je %2 mm.</source>
        <translation>The point lies outside the disk: %1 mm from the centre, the radius is %2 mm.</translation>
    </message>
</context>
<context>
    <name>ScanImage</name>
    <message>
        <source>soubor neexistuje</source>
        <translation>the file does not exist</translation>
    </message>
    <message>
        <source>soubor nelze číst</source>
        <translation>the file cannot be read</translation>
    </message>
    <message>
        <source>takový druh obrázku program nečte</source>
        <translation>the program does not read this kind of image</translation>
    </message>
    <message>
        <source>data obrázku jsou poškozená</source>
        <translation>the image data are damaged</translation>
    </message>
    <message>
        <source>neznámá chyba</source>
        <translation>unknown error</translation>
    </message>
    <message>
        <source>Obrázek %1 nelze přečíst: %2.</source>
        <translation>The image %1 cannot be read: %2.</translation>
    </message>
    <message>
        <source>Obrázky (*.png *.jpg *.jpeg *.tif *.tiff *.bmp);;Všechny soubory (*)</source>
        <translation>Images (*.png *.jpg *.jpeg *.tif *.tiff *.bmp);;All files (*)</translation>
    </message>
    <message>
        <source>Obrázek %1 nelze přečíst: po otevření by zabral víc než 1 GB paměti (%2 × %3 bodů).</source>
        <translation>The image %1 cannot be read: it would take more than 1 GB of memory when opened (%2 × %3 pixels).</translation>
    </message>
</context>
<context>
    <name>ScanOverlay</name>
    <message>
        <source>S</source>
        <comment>north</comment>
        <translation>N</translation>
    </message>
</context>
<context>
    <name>ScanRegistration</name>
    <message>
        <source>okamžik %1 %2 se liší od kódu šablony (%3 %4)</source>
        <translation>the moment %1 %2 differs from the sheet code (%3 %4)</translation>
    </message>
    <message>
        <source>poloměr %1 mm se liší od kódu šablony (%2 mm)</source>
        <translation>the radius %1 mm differs from the sheet code (%2 mm)</translation>
    </message>
    <message>
        <source>zrcadlení východ–západ se liší od kódu šablony (nezrcadleno)</source>
        <translation>the east–west mirroring differs from the sheet code (not mirrored)</translation>
    </message>
    <message>
        <source>zrcadlení sever–jih se liší od kódu šablony (nezrcadleno)</source>
        <translation>the north–south mirroring differs from the sheet code (not mirrored)</translation>
    </message>
    <message>
        <source>sever ve směru %1° se liší od změřeného podle šablony (%2°)</source>
        <translation>north at %1° differs from the one measured on the sheet (%2°)</translation>
    </message>
</context>
<context>
    <name>Sheet</name>
    <message>
        <source>Pozorovatel:</source>
        <translation>Observer:</translation>
    </message>
    <message>
        <source>Stanice:</source>
        <translation>Station:</translation>
    </message>
    <message>
        <source>PP:</source>
        <translation>Cond.:</translation>
    </message>
    <message>
        <source>Obr.:</source>
        <translation>Image:</translation>
    </message>
    <message>
        <source>Šablona pro kresbu Slunce</source>
        <translation>Sheet for drawing the Sun</translation>
    </message>
    <message>
        <source>Datum: %1     Čas UT: %2     Rotace: %3</source>
        <translation>Date: %1     Time UT: %2     Rotation: %3</translation>
    </message>
    <message>
        <source>B0 = %1     P = %2     L0 = %3     průměr kotouče %4 mm</source>
        <translation>B0 = %1     P = %2     L0 = %3     disk diameter %4 mm</translation>
    </message>
    <message>
        <source>S</source>
        <comment>north</comment>
        <translation>N</translation>
    </message>
    <message>
        <source>J</source>
        <comment>south</comment>
        <translation>S</translation>
    </message>
    <message>
        <source>Z</source>
        <comment>west</comment>
        <translation>W</translation>
    </message>
    <message>
        <source>V</source>
        <comment>east</comment>
        <translation>E</translation>
    </message>
    <message>
        <source>č.</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Kotouč o průměru %1 mm se s okraji nevejde na papír %2 (největší průměr na něm je %3 mm).</source>
        <translation>A disk %1 mm across does not fit on %2 paper with its margins (the largest there is %3 mm).</translation>
    </message>
    <message>
        <source>Kotouč o průměru %1 mm se s okraji nevejde ani na papír A3 (největší průměr je %2 mm).</source>
        <translation>A disk %1 mm across does not fit even on A3 paper with its margins (the largest is %2 mm).</translation>
    </message>
    <message>
        <source>Šablona pro kresbu  </source>
        <translation>Drawing sheet  </translation>
    </message>
    <message>
        <source>Sablona%1_%2.pdf</source>
        <translation>Sheet%1_%2.pdf</translation>
    </message>
    <message>
        <source>Q:</source>
        <translation>Qual.:</translation>
    </message>
</context>
<context>
    <name>SheetCommand</name>
    <message>
        <source>Šablona pro kresbu</source>
        <translation>Drawing sheet</translation>
    </message>
    <message>
        <source>Datum (DD.MM.RRRR)</source>
        <translation>Date (DD.MM.YYYY)</translation>
    </message>
    <message>
        <source>„%1“ není platné datum.</source>
        <translation>“%1” is not a valid date.</translation>
    </message>
    <message>
        <source>Čas UT (bez dvojtečky, 7:05 = 705)</source>
        <translation>Time UT (without a colon, 7:05 = 705)</translation>
    </message>
    <message>
        <source>„%1“ není čas HHMM (0 až 2359).</source>
        <translation>“%1” is not a time HHMM (0 to 2359).</translation>
    </message>
    <message>
        <source>Kotouč o průměru %1 mm se na zvolený papír nevejde; zvolte %2.</source>
        <translation>A disk %1 mm across does not fit on the paper chosen; choose %2.</translation>
    </message>
</context>
<context>
    <name>Silso</name>
    <message>
        <source>nelze určit</source>
        <translation>cannot be found</translation>
    </message>
    <message>
        <source>, sever %1, jih %2</source>
        <translation>, north %1, south %2</translation>
    </message>
    <message>
        <source>vlastní měsíční R × k</source>
        <translation>own monthly R × k</translation>
    </message>
    <message>
        <source>vlastní měsíční R</source>
        <translation>own monthly R</translation>
    </message>
    <message>
        <source>SILSO, průměr ze stejných dní</source>
        <translation>SILSO, mean of the same days</translation>
    </message>
    <message>
        <source>měsíční k</source>
        <translation>monthly k</translation>
    </message>
    <message>
        <source> (čára: k = %1 ze všech dní)</source>
        <translation> (line: k = %1 from all days)</translation>
    </message>
    <message>
        <source>V datech není žádné řádné pozorování s čitelným datem.</source>
        <translation>The data hold no ordinary observation with a readable date.</translation>
    </message>
    <message>
        <source>bez jediné hodnoty</source>
        <translation>without a single value</translation>
    </message>
    <message>
        <source>Soubor %1 nemá s pozorováními žádný společný den (pozorování %2 – %3, soubor %4).</source>
        <translation>File %1 has no day in common with the observations (observations %2 – %3, file %4).</translation>
    </message>
    <message>
        <source>Srovnání s SILSO  </source>
        <translation>Comparison with SILSO  </translation>
    </message>
    <message>
        <source>%1 není relativní číslo (%2 pro den bez hodnoty, jinak 0 až %3).</source>
        <translation>%1 is no sunspot number (%2 for a day without a value, else 0 to %3).</translation>
    </message>
    <message numerus="yes">
        <source>Srovnání s SILSO: %1, %n společných dní, k = %2</source>
        <translation>
            <numerusform>Comparison with SILSO: %1, %n common day, k = %2</numerusform>
            <numerusform>Comparison with SILSO: %1, %n common days, k = %2</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SilsoFile</name>
    <message>
        <source>Soubor %1, řádek %2: %3</source>
        <translation>File %1, line %2: %3</translation>
    </message>
    <message>
        <source>„%1“</source>
        <translation>“%1”</translation>
    </message>
    <message>
        <source>počet polí %1; denní soubor SILSO (SN_d_tot) jich má %2, hemisférický (SN_d_hem) %3.</source>
        <translation>%1 fields; a daily SILSO file (SN_d_tot) has %2, a hemispheric one (SN_d_hem) %3.</translation>
    </message>
    <message>
        <source> Měsíční soubor (SN_m_tot) nestačí, je třeba denní.</source>
        <translation> A monthly file (SN_m_tot) will not do, a daily one is needed.</translation>
    </message>
    <message>
        <source>počet polí %1 místo %2 jako na prvním řádku.</source>
        <translation>%1 fields instead of %2 as on the first line.</translation>
    </message>
    <message>
        <source> není celé číslo.</source>
        <translation> is not a whole number.</translation>
    </message>
    <message>
        <source>datum %1.%2.%3 neexistuje.</source>
        <translation>the date %1.%2.%3 does not exist.</translation>
    </message>
    <message>
        <source> není číslo.</source>
        <translation> is not a number.</translation>
    </message>
    <message>
        <source>Soubor %1 neobsahuje žádný řádek s daty.</source>
        <translation>File %1 holds no line of data.</translation>
    </message>
    <message>
        <source>den %1.%2.%3 už je na řádku %4.</source>
        <translation>the day %1.%2.%3 is on line %4 already.</translation>
    </message>
    <message>
        <source>Soubor %1 nelze otevřít: %2</source>
        <translation>File %1 cannot be opened: %2</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>použití: orvanek [ADRESÁŘ] | --version | --help
Otevře datový adresář ADRESÁŘ (výchozí: aktuální adresář).</source>
        <translation>usage: orvanek [DIR] | --version | --help
Opens the data directory DIR (default: the current directory).</translation>
    </message>
    <message>
        <source>Adresář %1 neexistuje.</source>
        <translation>Directory %1 does not exist.</translation>
    </message>
    <message>
        <source>%1 není adresář.</source>
        <translation>%1 is not a directory.</translation>
    </message>
</context>
<context>
    <name>Statistics</name>
    <message>
        <source>Počet hodnot je = </source>
        <translation>Number of values = </translation>
    </message>
    <message>
        <source>  str.)</source>
        <translation>  pages)</translation>
    </message>
    <message>
        <source>Stránka </source>
        <translation>Page </translation>
    </message>
</context>
<context>
    <name>Store</name>
    <message>
        <source>Záznam %1: „%2“ není platné datum</source>
        <translation>Record %1: “%2” is not a valid date</translation>
    </message>
    <message>
        <source>Není vybrán žádný záznam k opravě</source>
        <translation>No record has been chosen for correction</translation>
    </message>
</context>
<context>
    <name>orvanek</name>
    <message>
        <source>Nedostatek paměti.</source>
        <translation>Out of memory.</translation>
    </message>
    <message>
        <source>Soubor %1 je jen pro čtení, změny nelze uložit.</source>
        <translation>The file %1 is read-only, changes cannot be saved.</translation>
    </message>
</context>
<context>
    <name>orvanek::ButterflyWindow</name>
    <message>
        <source>&amp;Zavřít</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>&amp;Tisk </source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>&amp;Zobrazeni</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>&amp;Skvrny</source>
        <translation>&amp;Spots</translation>
    </message>
    <message>
        <source>&amp;Fakule</source>
        <translation>&amp;Faculae</translation>
    </message>
    <message>
        <source>&amp;Celek</source>
        <translation>&amp;Both</translation>
    </message>
    <message>
        <source>&amp;Ohraničení</source>
        <translation>&amp;Outlines</translation>
    </message>
    <message>
        <source>&amp;Doplňková data</source>
        <translation>&amp;Supplementary data</translation>
    </message>
    <message>
        <source>Zapnout</source>
        <translation>Switch on</translation>
    </message>
    <message>
        <source>&amp;Stupnice</source>
        <translation>S&amp;cale</translation>
    </message>
    <message>
        <source>Vypnout</source>
        <translation>Switch off</translation>
    </message>
    <message>
        <source>Motylek.pdf</source>
        <translation>Butterfly diagram.pdf</translation>
    </message>
</context>
<context>
    <name>orvanek::CoordinateModeDialog</name>
    <message>
        <source>Zadání souřadnic</source>
        <translation>Coordinates</translation>
    </message>
    <message>
        <source>Zadej souřadnice skupin</source>
        <translation>Enter the groups’ coordinates as</translation>
    </message>
    <message>
        <source>Polární souřadnice</source>
        <translation>Polar coordinates</translation>
    </message>
    <message>
        <source>Heliografické souřadnice</source>
        <translation>Heliographic coordinates</translation>
    </message>
    <message>
        <source>Poloměr zákresu</source>
        <translation>Drawing radius (mm)</translation>
    </message>
    <message>
        <source>Potvrdit</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>Poloměr zákresu musí být kladné celé číslo v milimetrech, nejvýše 999</source>
        <translation>The drawing radius must be a positive whole number of millimetres, at most 999</translation>
    </message>
    <message>
        <source>Nebyl zvolen typ souřednic</source>
        <translation>No kind of coordinates was chosen</translation>
    </message>
</context>
<context>
    <name>orvanek::DateListWindow</name>
    <message>
        <source>Výběr datumu</source>
        <translation>Dates</translation>
    </message>
</context>
<context>
    <name>orvanek::DrawingWindow</name>
    <message>
        <source>Orientace</source>
        <translation>Orientation</translation>
    </message>
    <message>
        <source>Z - V</source>
        <translation>W - E</translation>
    </message>
    <message>
        <source>S - J</source>
        <translation>N - S</translation>
    </message>
    <message>
        <source>Tisk zákresu</source>
        <translation>Print drawing</translation>
    </message>
    <message>
        <source>V - Z</source>
        <translation>E - W</translation>
    </message>
    <message>
        <source>J - S</source>
        <translation>S - N</translation>
    </message>
    <message>
        <source>Uložit bitmapu zákresu</source>
        <translation>Save the drawing as a bitmap?</translation>
    </message>
    <message>
        <source>Složka %1 je odkaz jinam; program ukládá jen do svého adresáře, nic nebylo uloženo.</source>
        <translation>Folder %1 is a link elsewhere; the program saves only into its own directory, nothing was saved.</translation>
    </message>
    <message>
        <source>Složku %1 nelze vytvořit.</source>
        <translation>Folder %1 cannot be created.</translation>
    </message>
    <message>
        <source>Soubor %1 nelze uložit.</source>
        <translation>File %1 cannot be saved.</translation>
    </message>
    <message>
        <source>Zákres nebyl uložen: %1</source>
        <translation>The drawing was not saved: %1</translation>
    </message>
    <message>
        <source>Zákres uložen do %1</source>
        <translation>Drawing saved to %1</translation>
    </message>
    <message>
        <source>Zakres%1.pdf</source>
        <translation>Drawing%1.pdf</translation>
    </message>
</context>
<context>
    <name>orvanek::EntryDialog</name>
    <message>
        <source>Pozorovatel</source>
        <translation>Observer</translation>
    </message>
    <message>
        <source>Jméno pozorovatele</source>
        <translation>Observer’s name</translation>
    </message>
    <message>
        <source>Datum</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Datum zákresu</source>
        <translation>Date of the drawing</translation>
    </message>
    <message>
        <source>Čas    UT</source>
        <translation>Time UT</translation>
    </message>
    <message>
        <source>Zadat čas ve formátu  bez dvojtečky   7:05  =  705</source>
        <translation>Type the time without a colon: 7:05 = 705</translation>
    </message>
    <message>
        <source>PP</source>
        <translation>Cond.</translation>
    </message>
    <message>
        <source>Podmínky pozorování</source>
        <translation>Conditions: the observing conditions</translation>
    </message>
    <message>
        <source>Obr.</source>
        <translation>Image</translation>
    </message>
    <message>
        <source>Kvalita obrazu</source>
        <translation>Image: the quality of the image</translation>
    </message>
    <message>
        <source>Q</source>
        <translation>Qual.</translation>
    </message>
    <message>
        <source>Kvalita pozorovacích podmínek</source>
        <translation>Quality: the quality of the observing conditions</translation>
    </message>
    <message>
        <source>qc</source>
        <translation>qc</translation>
    </message>
    <message>
        <source>Počet skupin v centrální oblasti</source>
        <translation>Number of groups in the central zone</translation>
    </message>
    <message>
        <source>fc</source>
        <translation>fc</translation>
    </message>
    <message>
        <source>Počet skvrn v centrální oblasti</source>
        <translation>Number of spots in the central zone</translation>
    </message>
    <message>
        <source>rc</source>
        <translation>rc</translation>
    </message>
    <message>
        <source>Relativní číslo centrální oblasti</source>
        <translation>Relative sunspot number of the central zone</translation>
    </message>
    <message>
        <source>Počet skupin</source>
        <translation>No. of groups</translation>
    </message>
    <message>
        <source>Počet skupin na zákresu</source>
        <translation>Number of groups on the drawing</translation>
    </message>
    <message>
        <source>Počet fakulí</source>
        <translation>No. of faculae</translation>
    </message>
    <message>
        <source>Počet fakulových polí pro jejich zakreslování</source>
        <translation>Number of faculae fields to be outlined</translation>
    </message>
    <message>
        <source>F</source>
        <translation>F</translation>
    </message>
    <message>
        <source>Počet falulových polí </source>
        <translation>Number of faculae fields</translation>
    </message>
    <message>
        <source>Stanice</source>
        <translation>Station</translation>
    </message>
    <message>
        <source>Místo pozorování</source>
        <translation>Place of observation</translation>
    </message>
    <message>
        <source>Potvrdit  zadávání</source>
        <translation>Confirm entry</translation>
    </message>
    <message>
        <source>Návrat</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Skupiny</source>
        <translation>Groups</translation>
    </message>
    <message>
        <source>Fakule</source>
        <translation>Faculae</translation>
    </message>
    <message>
        <source>Zde se zadávají souřednice  vrcholů</source>
        <translation>Here go the coordinates of the corners</translation>
    </message>
    <message>
        <source> jednotlivých fakulových polí. </source>
        <translation> of each faculae field. </translation>
    </message>
    <message>
        <source> Na jedno pole max. 6 vrcholů</source>
        <translation> At most 6 corners to a field</translation>
    </message>
    <message>
        <source>Nový zákres  </source>
        <translation>New drawing</translation>
    </message>
    <message>
        <source>Zvlášťní záznam  </source>
        <translation>Special drawing</translation>
    </message>
    <message>
        <source>Oprava dat  </source>
        <translation>Correct a drawing</translation>
    </message>
    <message>
        <source>    l </source>
        <translation>    l </translation>
    </message>
    <message>
        <source>   b </source>
        <translation>   b </translation>
    </message>
    <message>
        <source>Zahodit zadané údaje?</source>
        <translation>Discard what has been typed?</translation>
    </message>
    <message>
        <source>Maximálni počet skupin je 30 !</source>
        <translation>The largest number of groups is 30!</translation>
    </message>
    <message>
        <source>Maximálni počet fakulí je 30 !</source>
        <translation>The largest number of faculae is 30!</translation>
    </message>
    <message>
        <source>Typ   = Typ skupiny</source>
        <translation>Class  = McIntosh class of the group</translation>
    </message>
    <message>
        <source>poč.  = počet skvrn ve skupině</source>
        <translation>spots  = number of spots in the group</translation>
    </message>
    <message>
        <source>s pen = počet penumber ve skupině</source>
        <translation>pen.   = number of penumbrae in the group</translation>
    </message>
    <message>
        <source>  l        = heliografická délka</source>
        <translation>  l        = heliographic longitude</translation>
    </message>
    <message>
        <source>  b       = heliografická šířka</source>
        <translation>  b       = heliographic latitude</translation>
    </message>
    <message>
        <source> plocha= plocha skvrn ve skupině v mm2</source>
        <translation> area   = sunspot area of the group in mm² of the drawing</translation>
    </message>
    <message>
        <source> mal.s = počet malých skvrn menší než 1 mm2</source>
        <translation> small  = number of small spots under 1 mm²</translation>
    </message>
    <message>
        <source>č.sk1. = číslo skupiny globalní</source>
        <translation>no.1   = group no., global</translation>
    </message>
    <message>
        <source>č.sk2. = číslo skupiny v rotaci( dúležité)</source>
        <translation>no.2   = group no. in the rotation (important)</translation>
    </message>
    <message>
        <source> úhel = polární souřadnice  úhel</source>
        <translation> angle  = polar coordinate: angle</translation>
    </message>
    <message>
        <source> vzd.  = polární souřednice  vzdálenost</source>
        <translation> dist.  = polar coordinate: distance</translation>
    </message>
    <message>
        <source>č.sk2. = číslo skupiny v rotaci( důležité)</source>
        <translation>no.2   = group no. in the rotation (important)</translation>
    </message>
    <message>
        <source>uhel1  = úhel 1. pomocné skvrny</source>
        <translation>angle1 = angle of the 1st auxiliary spot</translation>
    </message>
    <message>
        <source> vzd1. = vzdálenost 1. pomocné skvrny</source>
        <translation> dist.1 = distance of the 1st auxiliary spot</translation>
    </message>
    <message>
        <source> plo.1 = plocha 1. pomocné skvrny v mm2</source>
        <translation> area1  = area of the 1st auxiliary spot in mm²</translation>
    </message>
    <message>
        <source>uhel2  = úhel 2. pomocné skvrny</source>
        <translation>angle2 = angle of the 2nd auxiliary spot</translation>
    </message>
    <message>
        <source> vzd2. = vzdálenost 2. pomocné skvrny</source>
        <translation> dist.2 = distance of the 2nd auxiliary spot</translation>
    </message>
    <message>
        <source> plo.2 = plocha 2. pomocné skvrny v mm2</source>
        <translation> area2  = area of the 2nd auxiliary spot in mm²</translation>
    </message>
    <message>
        <source>Převzít skupiny</source>
        <translation>Take the groups</translation>
    </message>
    <message>
        <source>Vyplní skupiny podle skvrn nalezených na skenu: počet skvrn, penumbry, polohu a plochu; typ doplníte sami</source>
        <translation>Fills the groups from the spots found on the scan: the number of spots, penumbrae, the position and the area; you add the McIntosh class</translation>
    </message>
    <message>
        <source>Na skenu nejsou žádné skvrny.</source>
        <translation>There are no spots on the scan.</translation>
    </message>
</context>
<context>
    <name>orvanek::GraphWindow</name>
    <message>
        <source>&amp;Zavřít</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>&amp;Výběr grafu</source>
        <translation>&amp;Graph</translation>
    </message>
    <message>
        <source>&amp;g    Počet skupin</source>
        <translation>&amp;g Number of groups</translation>
    </message>
    <message>
        <source>&amp;f      Počet skvrn</source>
        <translation>&amp;f Number of spots</translation>
    </message>
    <message>
        <source>&amp;r     Relativní číslo</source>
        <translation>&amp;r Relative sunspot number (Wolf number)</translation>
    </message>
    <message>
        <source>CV  (McIntoshovo číslo)</source>
        <translation>CV (McIntosh number)</translation>
    </message>
    <message>
        <source>SN  (Pettisovo číslo)</source>
        <translation>SN (Pettis number)</translation>
    </message>
    <message>
        <source>RB  (Beckovo číslo)</source>
        <translation>RB (Beck number)</translation>
    </message>
    <message>
        <source>Plocha skupin</source>
        <translation>Sunspot area (millionths of the disk)</translation>
    </message>
    <message>
        <source>Plocha  polokoule</source>
        <translation>Corrected sunspot area (millionths of the hemisphere)</translation>
    </message>
    <message>
        <source>Ty&amp;p zobrazení</source>
        <translation>&amp;Display</translation>
    </message>
    <message>
        <source>Všechny tři</source>
        <translation>All three</translation>
    </message>
    <message>
        <source>Celkový</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>Sever</source>
        <translation>North</translation>
    </message>
    <message>
        <source>Jih</source>
        <translation>South</translation>
    </message>
    <message>
        <source>&amp;Tisk </source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>&amp;Stupnice</source>
        <translation>S&amp;cale</translation>
    </message>
    <message>
        <source>&amp;Rozměr uložení</source>
        <translation>Save si&amp;ze</translation>
    </message>
    <message>
        <source>400x400</source>
        <translation>400x400</translation>
    </message>
    <message>
        <source>500x500</source>
        <translation>500x500</translation>
    </message>
    <message>
        <source>600x600</source>
        <translation>600x600</translation>
    </message>
    <message>
        <source>Celé okno</source>
        <translation>Whole window</translation>
    </message>
    <message>
        <source>Uložit </source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Grafy.pdf</source>
        <translation>Graphs.pdf</translation>
    </message>
</context>
<context>
    <name>orvanek::MainWindow</name>
    <message>
        <source>Došlo k chybě zápisu data<byte value="xd"/>bube automaticky opraven</source>
        <translation>A date was stored wrongly;<byte value="xd"/>it is being repaired</translation>
    </message>
    <message>
        <source>Počet odstraněných záznamů: %1, jsou uloženy v souboru %2</source>
        <translation>Records removed: %1, they are kept in the file %2</translation>
    </message>
    <message>
        <source> (Heliografické souřadnice)</source>
        <translation> (Heliographic coordinates)</translation>
    </message>
    <message>
        <source> (Polární souřednice)</source>
        <translation> (Polar coordinates)</translation>
    </message>
    <message>
        <source>  – jen pro čtení</source>
        <translation> – read-only</translation>
    </message>
    <message>
        <source>&amp;Zadávání</source>
        <translation>&amp;Entry</translation>
    </message>
    <message>
        <source>&amp;Nový zákres</source>
        <translation>&amp;New drawing</translation>
    </message>
    <message>
        <source>&amp;Zvlášťní zákres</source>
        <translation>&amp;Special drawing</translation>
    </message>
    <message>
        <source>&amp;Oprava  dat</source>
        <translation>&amp;Correct a drawing</translation>
    </message>
    <message>
        <source>&amp;Uložit data</source>
        <translation>&amp;Save data</translation>
    </message>
    <message>
        <source>Uložít data</source>
        <translation>Save data</translation>
    </message>
    <message>
        <source>Uložit jako ASCI</source>
        <translation>Save as ASCII</translation>
    </message>
    <message>
        <source>&amp;Poslední zákres</source>
        <translation>&amp;Last drawing</translation>
    </message>
    <message>
        <source>Tisk zákresu</source>
        <translation>Print drawing</translation>
    </message>
    <message>
        <source>&amp;Konec</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>&amp;Grafy</source>
        <translation>&amp;Graphs</translation>
    </message>
    <message>
        <source>&amp;Motýlek</source>
        <translation>&amp;Butterfly diagram</translation>
    </message>
    <message>
        <source>&amp;Vyhlazovací</source>
        <translation>&amp;Smoothed graphs</translation>
    </message>
    <message>
        <source>&amp;Asymetrie</source>
        <translation>&amp;Asymmetry</translation>
    </message>
    <message>
        <source>&amp;Mapy</source>
        <translation>&amp;Maps</translation>
    </message>
    <message>
        <source>&amp;Výsledky</source>
        <translation>&amp;Results</translation>
    </message>
    <message>
        <source>Nápověda</source>
        <translation>Tooltips</translation>
    </message>
    <message>
        <source>N</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Nový  zákres</source>
        <translation>New drawing</translation>
    </message>
    <message>
        <source>Z</source>
        <translation>Special</translation>
    </message>
    <message>
        <source>Zvláštní zákres</source>
        <translation>Special drawing</translation>
    </message>
    <message>
        <source>O</source>
        <translation>Correct</translation>
    </message>
    <message>
        <source>Oprava  záznamu</source>
        <translation>Correct a drawing</translation>
    </message>
    <message>
        <source>U</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Uložit data</source>
        <translation>Save data</translation>
    </message>
    <message>
        <source>P</source>
        <translation>Last</translation>
    </message>
    <message>
        <source>Poslední záznam</source>
        <translation>Last drawing</translation>
    </message>
    <message>
        <source>M</source>
        <translation>Butterfly diagram</translation>
    </message>
    <message>
        <source>Motýlek</source>
        <translation>Butterfly diagram</translation>
    </message>
    <message>
        <source>G</source>
        <translation>Graphs</translation>
    </message>
    <message>
        <source>Grafy</source>
        <translation>Graphs</translation>
    </message>
    <message>
        <source>V</source>
        <translation>Smoothed graphs</translation>
    </message>
    <message>
        <source>Vyhlazené</source>
        <translation>Smoothed graphs</translation>
    </message>
    <message>
        <source>Ma</source>
        <translation>Maps</translation>
    </message>
    <message>
        <source>Mapy</source>
        <translation>Maps</translation>
    </message>
    <message>
        <source>Vý</source>
        <translation>Results</translation>
    </message>
    <message>
        <source>Výsledky</source>
        <translation>Results</translation>
    </message>
    <message>
        <source>Or</source>
        <translation>Orientation</translation>
    </message>
    <message>
        <source>Orientace</source>
        <translation>Orientation</translation>
    </message>
    <message>
        <source>&lt;</source>
        <translation>&lt;</translation>
    </message>
    <message>
        <source>Zúžit </source>
        <translation>Narrower</translation>
    </message>
    <message>
        <source>&gt;</source>
        <translation>&gt;</translation>
    </message>
    <message>
        <source>Rozšířit</source>
        <translation>Wider</translation>
    </message>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>Zvýšit</source>
        <translation>Taller</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <source>Snížit</source>
        <translation>Lower</translation>
    </message>
    <message>
        <source>Počet skupin</source>
        <translation>Number of groups</translation>
    </message>
    <message>
        <source>Počet skvrn</source>
        <translation>Number of spots</translation>
    </message>
    <message>
        <source>Relativní číslo</source>
        <translation>Relative sunspot number (Wolf number)</translation>
    </message>
    <message>
        <source>CV  (McIntoshovo číslo)</source>
        <translation>CV (McIntosh number)</translation>
    </message>
    <message>
        <source>SN  (Pettisovo číslo)</source>
        <translation>SN (Pettis number)</translation>
    </message>
    <message>
        <source>RB  (Beckovo číslo)</source>
        <translation>RB (Beck number)</translation>
    </message>
    <message>
        <source>Plocha skupin</source>
        <translation>Sunspot area (millionths of the disk)</translation>
    </message>
    <message>
        <source>Plocha  polokoule</source>
        <translation>Corrected sunspot area (millionths of the hemisphere)</translation>
    </message>
    <message>
        <source>3</source>
        <translation>All three</translation>
    </message>
    <message>
        <source>Tři  křivky</source>
        <translation>Three curves</translation>
    </message>
    <message>
        <source>C</source>
        <translation>Whole disk</translation>
    </message>
    <message>
        <source>Celá plocha</source>
        <translation>Whole disk</translation>
    </message>
    <message>
        <source>S</source>
        <translation>North</translation>
    </message>
    <message>
        <source>Severní  polokoule</source>
        <translation>Northern hemisphere</translation>
    </message>
    <message>
        <source>J</source>
        <translation>South</translation>
    </message>
    <message>
        <source>Jižní polokoule</source>
        <translation>Southern hemisphere</translation>
    </message>
    <message>
        <source>St</source>
        <translation>Scale</translation>
    </message>
    <message>
        <source>Stupnice</source>
        <translation>Scale</translation>
    </message>
    <message>
        <source>Plocha  skupin</source>
        <translation>Sunspot area (millionths of the disk)</translation>
    </message>
    <message>
        <source>R</source>
        <translation>Rotation</translation>
    </message>
    <message>
        <source>Výběr rotace</source>
        <translation>Choose rotation</translation>
    </message>
    <message>
        <source>Mapa</source>
        <translation>Map</translation>
    </message>
    <message>
        <source>Vla</source>
        <translation>Own results</translation>
    </message>
    <message>
        <source>Vlastní výsledky</source>
        <translation>Own results</translation>
    </message>
    <message>
        <source>Ofi</source>
        <translation>Certificate</translation>
    </message>
    <message>
        <source>Oficiální výsledky</source>
        <translation>Certificate</translation>
    </message>
    <message>
        <source>Naměřené  celkové</source>
        <translation>Measured, total</translation>
    </message>
    <message>
        <source>Naměřené  sever</source>
        <translation>Measured, north</translation>
    </message>
    <message>
        <source>Naměřené  jih</source>
        <translation>Measured, south</translation>
    </message>
    <message>
        <source>Vyhlazené  celkové</source>
        <translation>Smoothed, total</translation>
    </message>
    <message>
        <source>Vyhlazené sever</source>
        <translation>Smoothed, north</translation>
    </message>
    <message>
        <source>Vyhlazené  jih</source>
        <translation>Smoothed, south</translation>
    </message>
    <message>
        <source>Pozorovatelé</source>
        <translation>Observers</translation>
    </message>
    <message>
        <source>Výskyt typu skupin</source>
        <translation>McIntosh classes of the groups</translation>
    </message>
    <message>
        <source>Data jsou otevřena jen pro čtení, zadávat nelze.<byte value="xd"/>%1</source>
        <translation>The data are open read-only, nothing can be entered.<byte value="xd"/>%1</translation>
    </message>
    <message>
        <source>Data nebyla uložena: %1</source>
        <translation>The data were not saved: %1</translation>
    </message>
    <message>
        <source>Data uložena do %1, záznamů: %2</source>
        <translation>Data saved to %1, records: %2</translation>
    </message>
    <message>
        <source>Soubor ASCII nebyl uložen: %1</source>
        <translation>The ASCII file was not saved: %1</translation>
    </message>
    <message>
        <source>Soubor ASCII uložen do %1, řádků: %2</source>
        <translation>ASCII file saved to %1, lines: %2</translation>
    </message>
    <message>
        <source>Bude se zobrazovat plovoucí nápověda</source>
        <translation>Tooltips will be shown</translation>
    </message>
    <message>
        <source>Nebude se zobrazovat plovoucí nápověda</source>
        <translation>Tooltips will not be shown</translation>
    </message>
    <message>
        <source>Data se nepodařilo uložit. Ukončit program bez uložení?</source>
        <translation>The data could not be saved. Quit without saving?</translation>
    </message>
    <message>
        <source>Šablona pro &amp;kresbu…</source>
        <translation>Drawing &amp;sheet…</translation>
    </message>
    <message>
        <source>&amp;Srovnání s SILSO…</source>
        <translation>Comparison with S&amp;ILSO…</translation>
    </message>
    <message>
        <source>Pl</source>
        <translation>Area</translation>
    </message>
    <message>
        <source>Pk</source>
        <translation>Corrected area</translation>
    </message>
    <message>
        <source>NC</source>
        <translation>Measured total</translation>
    </message>
    <message>
        <source>NS</source>
        <translation>Measured north</translation>
    </message>
    <message>
        <source>NJ</source>
        <translation>Measured south</translation>
    </message>
    <message>
        <source>VC</source>
        <translation>Smoothed total</translation>
    </message>
    <message>
        <source>VS</source>
        <translation>Smoothed north</translation>
    </message>
    <message>
        <source>VJ</source>
        <translation>Smoothed south</translation>
    </message>
    <message>
        <source>Po</source>
        <translation>Observers</translation>
    </message>
    <message>
        <source>Ty</source>
        <translation>McIntosh classes</translation>
    </message>
    <message>
        <source>Na&amp;stavení</source>
        <translation>Se&amp;ttings</translation>
    </message>
    <message>
        <source>&amp;Jazyk</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>Podle systému</source>
        <translation>As the system</translation>
    </message>
    <message>
        <source>Jazyk se změní při příštím spuštění programu.</source>
        <translation>The language changes when the program next starts.</translation>
    </message>
    <message>
        <source>Data změněna, nejsou uložena</source>
        <translation>Data changed, not saved</translation>
    </message>
    <message>
        <source>Klepnutím ukážete zákres</source>
        <translation>Click to show the drawing</translation>
    </message>
    <message>
        <source>Zákres %1: skupiny jinde, než čekám podle sousedních dnů</source>
        <translation>Drawing %1: groups away from where the days around it place them</translation>
    </message>
    <message>
        <source>Ze &amp;skenu…</source>
        <translation>From a &amp;scan…</translation>
    </message>
    <message numerus="yes">
        <source>Konec souboru %1 (%n bajtů) netvoří celý záznam, je uložen v souboru %2</source>
        <translation>
            <numerusform>The end of the file %1 (%n byte) is no whole record; it is kept in the file %2</numerusform>
            <numerusform>The end of the file %1 (%n bytes) is no whole record; it is kept in the file %2</numerusform>
        </translation>
    </message>
    <message>
        <source>Orvanek  %1</source>
        <translation>Orvanek%1</translation>
    </message>
    <message>
        <source>Orvanek %1  (průměr zákresu  %2 mm)</source>
        <translation>Orvanek%1 (drawing diameter %2 mm)</translation>
    </message>
    <message>
        <source>Program je určen pro rozlišení 1024x768 a větší<byte value="xd"/>
                       Zobrazení nebude dobré</source>
        <translation>Orvanek is made for screens of 1024 × 768 and larger: at this size its windows will not show well.</translation>
    </message>
</context>
<context>
    <name>orvanek::MapWindow</name>
    <message>
        <source>Mapa</source>
        <translation>Map</translation>
    </message>
    <message>
        <source>&amp;Zavřít</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source> &amp;Rotace</source>
        <translation> &amp;Rotation</translation>
    </message>
    <message>
        <source>&amp;Mapy</source>
        <translation>&amp;Maps</translation>
    </message>
    <message>
        <source>Mapa otočky</source>
        <translation>Map of the rotation</translation>
    </message>
    <message>
        <source>Dlouhá  mapa</source>
        <translation>Long map</translation>
    </message>
    <message>
        <source>Vysoká  mapa</source>
        <translation>Tall map</translation>
    </message>
    <message>
        <source>&amp;Tisk</source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>Mapa%1.pdf</source>
        <translation>Map%1.pdf</translation>
    </message>
</context>
<context>
    <name>orvanek::ResultsWindow</name>
    <message>
        <source>&amp;Zavřit</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>&amp;Výběr </source>
        <translation>&amp;Choose</translation>
    </message>
    <message>
        <source>&amp;Vlastní</source>
        <translation>&amp;Own results</translation>
    </message>
    <message>
        <source>&amp;Oficiální</source>
        <translation>&amp;Certificate</translation>
    </message>
    <message>
        <source>&amp;Statistika</source>
        <translation>&amp;Statistics</translation>
    </message>
    <message>
        <source>&amp;Naměřená</source>
        <translation>&amp;Measured</translation>
    </message>
    <message>
        <source>&amp;Celkový</source>
        <translation>&amp;Total</translation>
    </message>
    <message>
        <source>&amp;Sever</source>
        <translation>&amp;North</translation>
    </message>
    <message>
        <source>&amp;Jih</source>
        <translation>&amp;South</translation>
    </message>
    <message>
        <source>&amp;Vyhlazená</source>
        <translation>S&amp;moothed</translation>
    </message>
    <message>
        <source>&amp;Pozorovatelé</source>
        <translation>&amp;Observers</translation>
    </message>
    <message>
        <source>Výskyt  typu &amp;skupiny</source>
        <translation>&amp;McIntosh classes</translation>
    </message>
    <message>
        <source>Vývo&amp;j skupin</source>
        <translation>Group &amp;development</translation>
    </message>
    <message>
        <source>Ú&amp;daje pro mapu</source>
        <translation>Map &amp;data</translation>
    </message>
    <message>
        <source>&amp;Tisk</source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>Změna &amp;přístroje</source>
        <translation>Change &amp;instrument</translation>
    </message>
    <message>
        <source>&amp;Uložit do souboru</source>
        <translation>&amp;Save to file</translation>
    </message>
    <message>
        <source>Tiskový panel</source>
        <translation>Print panel</translation>
    </message>
    <message>
        <source>Výběr typu tisku</source>
        <translation>What to print</translation>
    </message>
    <message>
        <source>Všechny hodnoty</source>
        <translation>All values</translation>
    </message>
    <message>
        <source>Vše od kurzoru</source>
        <translation>All from the cursor</translation>
    </message>
    <message>
        <source>1 strana od kurzoru</source>
        <translation>1 page from the cursor</translation>
    </message>
    <message>
        <source>Tisk</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Storno</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Prametry přístroje</source>
        <translation>Instrument and station</translation>
    </message>
    <message>
        <source>Observatoř</source>
        <translation>Station</translation>
    </message>
    <message>
        <source>Přístroj</source>
        <translation>Instrument</translation>
    </message>
    <message>
        <source>Průměr/ohnisko</source>
        <translation>Aperture/focal length (mm)</translation>
    </message>
    <message>
        <source>Okulár</source>
        <translation>Eyepiece (mm)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Číslo otočky</source>
        <translation>Rotation number</translation>
    </message>
    <message>
        <source>Mení zadáno žádné jméno pozorovatele</source>
        <translation>No observer’s name has been given</translation>
    </message>
    <message>
        <source>Ještě není znám žádný pozorovatel</source>
        <translation>No observer is known yet</translation>
    </message>
    <message>
        <source>Nebyl zybrán typ tisku! </source>
        <translation>Nothing was chosen to print!</translation>
    </message>
    <message>
        <source>Výsledky    statistika - naměřené - celkový</source>
        <translation>Results – statistics – measured – total</translation>
    </message>
    <message>
        <source>Výsledky    statistika - naměřené - sever</source>
        <translation>Results – statistics – measured – north</translation>
    </message>
    <message>
        <source>Výsledky    statistika - naměřené - jih</source>
        <translation>Results – statistics – measured – south</translation>
    </message>
    <message>
        <source>Výsledky    statistika - vyhlazené - celkový</source>
        <translation>Results – statistics – smoothed – total</translation>
    </message>
    <message>
        <source>Výsledky    statistika - vyhlazené - sever</source>
        <translation>Results – statistics – smoothed – north</translation>
    </message>
    <message>
        <source>Výsledky    statistika - vyhlazené - jih</source>
        <translation>Results – statistics – smoothed – south</translation>
    </message>
    <message>
        <source>Výsledky</source>
        <translation>Results</translation>
    </message>
    <message>
        <source>Výsledky    oficiální</source>
        <translation>Results – certificate</translation>
    </message>
    <message>
        <source>Výsledky  vlastní</source>
        <translation>Results – own</translation>
    </message>
    <message>
        <source>Výsledky    pozorovatelé</source>
        <translation>Results – observers</translation>
    </message>
    <message>
        <source>Výsledky    vývoj skupin</source>
        <translation>Results – group development</translation>
    </message>
    <message>
        <source>Suma</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>V datech není žádné pozorování, výsledky nejsou z čeho sestavit.</source>
        <translation>The data hold no observation: there is nothing to compile results from.</translation>
    </message>
    <message>
        <source>Zadejte měsíc a rok, například 2.2000.</source>
        <translation>Type the month and the year, for example 2.2000.</translation>
    </message>
    <message>
        <source>„%1“ není měsíc a rok: zadejte je jako 2.2000 (měsíc 1 až 12).</source>
        <translation>“%1” is not a month and a year: type them as 2.2000 (month 1 to 12).</translation>
    </message>
    <message>
        <source>V měsíci %1.%2 není v datech žádné pozorování.</source>
        <translation>The data hold no observation in the month %1.%2.</translation>
    </message>
    <message>
        <source>Certifikat_%1_%2.pdf</source>
        <translation>Certificate_%1_%2.pdf</translation>
    </message>
    <message>
        <source>Pozorovatele.pdf</source>
        <translation>Observers.pdf</translation>
    </message>
    <message>
        <source>Statistika_vyhlazena.pdf</source>
        <translation>Statistics_smoothed.pdf</translation>
    </message>
    <message>
        <source>Statistika.pdf</source>
        <translation>Statistics.pdf</translation>
    </message>
</context>
<context>
    <name>orvanek::ScanWindow</name>
    <message>
        <source>Ze skenu – %1</source>
        <translation>From a scan – %1</translation>
    </message>
    <message>
        <source>Sken je v okně vedle dialogu zadávání.</source>
        <translation>The scan is in a window beside the entry dialog.</translation>
    </message>
    <message>
        <source>Přizpůsobit</source>
        <translation>Fit</translation>
    </message>
    <message>
        <source>Celý sken v okně</source>
        <translation>The whole scan in the window</translation>
    </message>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>Přiblížit (klávesa +, kolečko myši)</source>
        <translation>Zoom in (key +, mouse wheel)</translation>
    </message>
    <message>
        <source>−</source>
        <translation>−</translation>
    </message>
    <message>
        <source>Oddálit (klávesa −, kolečko myši)</source>
        <translation>Zoom out (key −, mouse wheel)</translation>
    </message>
    <message>
        <source>Síť</source>
        <translation>Grid</translation>
    </message>
    <message>
        <source>Síť rovnoběžek a poledníků okamžiku přes sken</source>
        <translation>The grid of parallels and meridians of the moment over the scan</translation>
    </message>
    <message>
        <source>Sever kliknutím</source>
        <translation>North by a click</translation>
    </message>
    <message>
        <source>Další klepnutí na okraj kotouče určí severní bod</source>
        <translation>The next click on the limb sets the north point</translation>
    </message>
    <message>
        <source>Z - V</source>
        <translation>W - E</translation>
    </message>
    <message>
        <source>Zrcadlení východ – západ, jako v okně zákresu</source>
        <translation>East – west mirroring, as in the drawing window</translation>
    </message>
    <message>
        <source>S - J</source>
        <translation>N - S</translation>
    </message>
    <message>
        <source>Zrcadlení sever – jih, jako v okně zákresu</source>
        <translation>North – south mirroring, as in the drawing window</translation>
    </message>
    <message>
        <source>Zavřít</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Zavřít sken</source>
        <translation>Close the scan</translation>
    </message>
    <message>
        <source>O kolik stupňů je papír na skenu pootočen po směru hodinových ručiček</source>
        <translation>How many degrees the paper is turned clockwise on the scan</translation>
    </message>
    <message>
        <source> Otočení </source>
        <translation> Turn </translation>
    </message>
    <message>
        <source>DD.MM.RRRR</source>
        <translation>DD.MM.YYYY</translation>
    </message>
    <message>
        <source>HHMM</source>
        <translation>HHMM</translation>
    </message>
    <message>
        <source>Čas UT bez dvojtečky, 7:05 = 705</source>
        <translation>Time UT without a colon, 7:05 = 705</translation>
    </message>
    <message>
        <source>Poloměr kotouče zákresu na papíře</source>
        <translation>The radius of the drawn disk on the paper</translation>
    </message>
    <message>
        <source> mm</source>
        <translation> mm</translation>
    </message>
    <message>
        <source>Datum </source>
        <translation>Date </translation>
    </message>
    <message>
        <source> Čas UT </source>
        <translation> Time UT </translation>
    </message>
    <message>
        <source> R </source>
        <translation> R </translation>
    </message>
    <message>
        <source>V - Z</source>
        <translation>E - W</translation>
    </message>
    <message>
        <source>J - S</source>
        <translation>S - N</translation>
    </message>
    <message>
        <source>Okraj kotouče se nenašel: přetáhněte červenou kružnici na okraj zákresu (střed za křížek, poloměr za kružnici).</source>
        <translation>The limb was not found: drag the red circle onto the drawn limb (the centre by its cross, the radius by the circle).</translation>
    </message>
    <message>
        <source>Okraj kotouče: střed %1, %2 px, poloměr %3 px (%4 px/mm).</source>
        <translation>Limb: centre %1, %2 px, radius %3 px (%4 px/mm).</translation>
    </message>
    <message>
        <source>Šablona: %1 %2 UT, R %3 mm, papír %4, otočení %5° (terčíky: %6 ze 3).</source>
        <translation>Sheet: %1 %2 UT, R %3 mm, paper %4, turn %5° (dots: %6 of 3).</translation>
    </message>
    <message>
        <source>Bez kódu šablony: zadejte datum, čas UT a R, sever klepnutím na okraj („Sever kliknutím“) nebo otočením a zrcadlení tlačítky.</source>
        <translation>No sheet code: enter the date, time UT and R, north by a click on the limb (“North by a click”) or by the turn, and the mirroring by the buttons.</translation>
    </message>
    <message>
        <source>Severní bod nastaven, otočení %1°.</source>
        <translation>North point set, turn %1°.</translation>
    </message>
    <message>
        <source>Tabulka skupin je plná (30 řádků).</source>
        <translation>The group table is full (30 rows).</translation>
    </message>
    <message>
        <source>Řádek %1: %2, %3. Další klepnutí vyplní řádek %4.</source>
        <translation>Row %1: %2, %3. The next click fills row %4.</translation>
    </message>
    <message>
        <source>Úhel %1°, vzdálenost %2 mm</source>
        <translation>Angle %1°, distance %2 mm</translation>
    </message>
    <message>
        <source> – mimo kotouč.</source>
        <translation> – outside the disk.</translation>
    </message>
    <message>
        <source>; b %1°, l %2°.</source>
        <translation>; b %1°, l %2°.</translation>
    </message>
    <message>
        <source>; b a l až se zadaným okamžikem.</source>
        <translation>; b and l once the moment is entered.</translation>
    </message>
    <message>
        <source>Okraj kotouče: střed %1, %2 px, poloměr %3 px.</source>
        <translation>Limb: centre %1, %2 px, radius %3 px.</translation>
    </message>
    <message>
        <source>Sken – klepnutím na skupinu vyplníte její polohu</source>
        <translation>Scan – a click on a group fills its position</translation>
    </message>
    <message>
        <source>Klepnutí na skupinu vyplní polohu v řádku %1 tabulky skupin.</source>
        <translation>A click on a group fills the position in row %1 of the group table.</translation>
    </message>
    <message>
        <source>Pozor: zákres v dialogu je z %1 %2 UT, sken z %3 %4 UT; síť a l, b platí pro okamžik v dialogu.</source>
        <translation>Warning: the drawing in the dialog is of %1 %2 UT, the scan of %3 %4 UT; the grid and l, b hold for the moment in the dialog.</translation>
    </message>
    <message>
        <source>Najít skvrny</source>
        <translation>Find spots</translation>
    </message>
    <message>
        <source>Najde skvrny nakreslené uvnitř okraje a navrhne skupiny; klepnutím na skvrnu ji odeberete, klepnutím jinam přidáte, přetažením na jinou skvrnu ji převedete do její skupiny</source>
        <translation>Finds the spots drawn inside the limb and proposes groups; a click on a spot takes it out, a click elsewhere adds one, dragging a spot onto another moves it into that one&apos;s group</translation>
    </message>
    <message>
        <source>Skvrny se hledají uvnitř okraje kotouče a seskupují podle okamžiku zákresu: nejdřív nastavte okraj a zadejte datum a čas.</source>
        <translation>Spots are looked for inside the disk&apos;s limb and grouped by the drawing&apos;s moment: set the limb and enter the date and time first.</translation>
    </message>
    <message>
        <source>Skvrny skryty; klepnutí opět určuje polohu.</source>
        <translation>Spots hidden; a click gives a position again.</translation>
    </message>
    <message>
        <source>Skvrna odebrána.</source>
        <translation>Spot taken out.</translation>
    </message>
    <message>
        <source>Bod leží mimo kotouč.</source>
        <translation>The point lies outside the disk.</translation>
    </message>
    <message>
        <source>Skvrna přidána do skupiny %1.</source>
        <translation>Spot added to group %1.</translation>
    </message>
    <message>
        <source>Skvrna převedena do skupiny %1.</source>
        <translation>Spot moved to group %1.</translation>
    </message>
    <message>
        <source>Skvrny: %1, skupiny: %2.</source>
        <translation>Spots: %1, groups: %2.</translation>
    </message>
    <message>
        <source>Klepnutím na skvrnu ji odeberete, klepnutím jinam přidáte, přetažením na jinou skvrnu ji převedete do její skupiny.</source>
        <translation>A click on a spot takes it out, a click elsewhere adds one, dragging a spot onto another moves it into that one&apos;s group.</translation>
    </message>
</context>
<context>
    <name>orvanek::SilsoWindow</name>
    <message>
        <source>Jiný &amp;soubor…</source>
        <translation>Other &amp;file…</translation>
    </message>
    <message>
        <source>&amp;Tisk</source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>&amp;Zavřít</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>Srovnání s SILSO – denní soubor (SN_d_tot nebo SN_d_hem)</source>
        <translation>Comparison with SILSO – daily file (SN_d_tot or SN_d_hem)</translation>
    </message>
    <message>
        <source>Soubory SILSO (*.csv *.txt);;Všechny soubory (*)</source>
        <translation>SILSO files (*.csv *.txt);;All files (*)</translation>
    </message>
    <message>
        <source>SrovnaniSILSO.pdf</source>
        <translation>SILSO comparison.pdf</translation>
    </message>
</context>
<context>
    <name>orvanek::SmoothedWindow</name>
    <message>
        <source>&amp;Zavřít</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>&amp;Výběr grafu</source>
        <translation>&amp;Graph</translation>
    </message>
    <message>
        <source>Zvětš&amp;ovat</source>
        <translation>&amp;Widen</translation>
    </message>
    <message>
        <source>Ty&amp;p grafu</source>
        <translation>Graph &amp;kind</translation>
    </message>
    <message>
        <source>&amp;Záznamový</source>
        <translation>&amp;Per record</translation>
    </message>
    <message>
        <source>&amp;Měsíční</source>
        <translation>&amp;Monthly</translation>
    </message>
    <message>
        <source>&amp;Roční</source>
        <translation>&amp;Yearly</translation>
    </message>
    <message>
        <source>&amp;Tisk </source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>&amp;Stupnice</source>
        <translation>S&amp;cale</translation>
    </message>
    <message>
        <source>Zvětšovat</source>
        <translation>Widen</translation>
    </message>
    <message>
        <source>Šířku</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>Potvrdit</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>&amp;g    Počet skupin</source>
        <translation>&amp;g Number of groups</translation>
    </message>
    <message>
        <source>&amp;f      Počet skvrn</source>
        <translation>&amp;f Number of spots</translation>
    </message>
    <message>
        <source>&amp;r     Relativní číslo</source>
        <translation>&amp;r Relative sunspot number (Wolf number)</translation>
    </message>
    <message>
        <source>CV  (McIntoshovo číslo)</source>
        <translation>CV (McIntosh number)</translation>
    </message>
    <message>
        <source>SN  (Pettisovo číslo)</source>
        <translation>SN (Pettis number)</translation>
    </message>
    <message>
        <source>RB  (Beckovo číslo)</source>
        <translation>RB (Beck number)</translation>
    </message>
    <message>
        <source>Plocha  skupin</source>
        <translation>Sunspot area (millionths of the disk)</translation>
    </message>
    <message>
        <source>Plocha  polokoule</source>
        <translation>Corrected sunspot area (millionths of the hemisphere)</translation>
    </message>
    <message>
        <source>Vyhlazovaci grafy.pdf</source>
        <translation>Smoothed graphs.pdf</translation>
    </message>
</context>
</TS>
