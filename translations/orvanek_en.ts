<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="cs">
<context>
    <name>QObject</name>
    <message>
        <source>Typ   = Typ skupiny</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>poč.  = počet skvrn ve skupině</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>s pen = počet penumber ve skupině</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  l        = heliografická délka</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  b       = heliografická šířka</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> plocha= plocha skvrn ve skupině v mm2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> mal.s = počet malých skvrn menší než 1 mm2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>č.sk1. = číslo skupiny globalní</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>č.sk2. = číslo skupiny v rotaci( dúležité)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> úhel = polární souřadnice  úhel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> vzd.  = polární souřednice  vzdálenost</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>č.sk2. = číslo skupiny v rotaci( důležité)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>uhel1  = úhel 1. pomocné skvrny</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> vzd1. = vzdálenost 1. pomocné skvrny</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> plo.1 = plocha 1. pomocné skvrny v mm2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>uhel2  = úhel 2. pomocné skvrny</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> vzd2. = vzdálenost 2. pomocné skvrny</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> plo.2 = plocha 2. pomocné skvrny v mm2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Srovnání s SILSO – denní soubor (SN_d_tot nebo SN_d_hem)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Soubory SILSO (*.csv *.txt);;Všechny soubory (*)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orvanek</name>
    <message>
        <source>Data v adresáři %1 používá program Orvanek na počítači %2.<byte value="xd"/>Pokud tam už neběží, smažte soubor %3 a spusťte program znovu.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data v adresáři %1 už používá jiná spuštěná kopie programu Orvanek (proces %2).<byte value="xd"/>Ukončete ji a spusťte program znovu.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data v adresáři %1 už používá jiná spuštěná kopie programu Orvanek.<byte value="xd"/>Ukončete ji a spusťte program znovu.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zámek %1 nelze vytvořit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do adresáře %1 nelze zapisovat: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tisk se nepodařil.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tiskárna není k dispozici – uložit tisk do souboru PDF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dokument PDF (*.pdf)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Soubor %1 nelze zapsat.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Šablona pro kresbu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Datum (DD.MM.RRRR)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>„%1“ není platné datum.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Čas UT (bez dvojtečky, 7:05 = 705)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>„%1“ není čas HHMM (0 až 2359).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kotouč o průměru %1 mm se na zvolený papír nevejde; zvolte %2.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orvanek::ButterflyWindow</name>
    <message>
        <source>&amp;Zavřít</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Tisk </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Zobrazeni</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Skvrny</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Fakule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Celek</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Ohraničení</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Doplňková data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zapnout</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Stupnice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vypnout</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orvanek::CoordinateModeDialog</name>
    <message>
        <source>Zadání souřadnic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zadej souřadnice skupin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Polární souřadnice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Heliografické souřadnice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Poloměr zákresu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Potvrdit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Poloměr zákresu musí být kladné celé číslo v milimetrech, nejvýše 999</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nebyl zvolen typ souřednic</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orvanek::DateListWindow</name>
    <message>
        <source>Výběr datumu</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orvanek::DrawingWindow</name>
    <message>
        <source>Orientace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Z - V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S - J</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tisk zákresu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>V - Z</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>J - S</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uložit bitmapu zákresu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Složka %1 je odkaz jinam; program ukládá jen do svého adresáře, nic nebylo uloženo.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Složku %1 nelze vytvořit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Soubor %1 nelze uložit.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orvanek::EntryDialog</name>
    <message>
        <source>Pozorovatel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jméno pozorovatele</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Datum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Datum zákresu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Čas    UT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zadat čas ve formátu  bez dvojtečky   7:05  =  705</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Podmínky pozorování</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Obr.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kvalita obrazu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Q</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kvalita pozorovacích podmínek</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>qc</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Počet skupin v centrální oblasti</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>fc</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Počet skvrn v centrální oblasti</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>rc</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Relativní číslo centrální oblasti</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Počet skupin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Počet skupin na zákresu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Počet fakulí</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Počet fakulových polí pro jejich zakreslování</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Počet falulových polí </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stanice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Místo pozorování</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Potvrdit  zadávání</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Návrat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skupiny</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fakule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zde se zadávají souřednice  vrcholů</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> jednotlivých fakulových polí. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Na jedno pole max. 6 vrcholů</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nový zákres  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zvlášťní záznam  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Oprava dat  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>    l </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>   b </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zahodit zadané údaje?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maximálni počet skupin je 30 !</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maximálni počet fakulí je 30 !</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orvanek::GraphWindow</name>
    <message>
        <source>&amp;Zavřít</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Výběr grafu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;g    Počet skupin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;f      Počet skvrn</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;r     Relativní číslo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CV  (McIntoshovo číslo)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SN  (Pettisovo číslo)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RB  (Beckovo číslo)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Plocha skupin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Plocha  polokoule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ty&amp;p zobrazení</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Všechny tři</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Celkový</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sever</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jih</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Tisk </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Stupnice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Rozměr uložení</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>400x400</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>500x500</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>600x600</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Celé okno</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uložit </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orvanek::MainWindow</name>
    <message>
        <source>Program je určen pro rozlišení 1024x768 a větší</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zobrazení nebude dobré</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Došlo k chybě zápisu data<byte value="xd"/>bube automaticky opraven</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Počet odstraněných záznamů: %1, jsou uloženy v souboru %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Konec souboru %1 (%2 bajtů) netvoří celý záznam, je uložen v souboru %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (Heliografické souřadnice)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (Polární souřednice)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  (průměr zákresu  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> mm)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  – jen pro čtení</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Zadávání</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Nový zákres</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Zvlášťní zákres</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Oprava  dat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Uložit data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uložít data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uložit jako ASCI</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Poslední zákres</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tisk zákresu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Konec</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Grafy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Motýlek</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Vyhlazovací</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Asymetrie</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Mapy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Výsledky</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nápověda</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>N</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nový  zákres</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Z</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zvláštní zákres</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>O</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Oprava  záznamu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>U</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uložit data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Poslední záznam</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>M</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Motýlek</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>G</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Grafy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vyhlazené</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ma</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mapy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vý</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Výsledky</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Or</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Orientace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zúžit </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rozšířit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zvýšit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>-</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Snížit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Počet skupin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Počet skvrn</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Relativní číslo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CV  (McIntoshovo číslo)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SN  (Pettisovo číslo)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RB  (Beckovo číslo)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Plocha skupin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Plocha  polokoule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tři  křivky</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Celá plocha</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Severní  polokoule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>J</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jižní polokoule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>St</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stupnice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Plocha  skupin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>R</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Výběr rotace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mapa</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vla</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vlastní výsledky</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ofi</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Oficiální výsledky</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Naměřené  celkové</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Naměřené  sever</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Naměřené  jih</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vyhlazené  celkové</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vyhlazené sever</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vyhlazené  jih</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pozorovatelé</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Výskyt typu skupin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data jsou otevřena jen pro čtení, zadávat nelze.<byte value="xd"/>%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data nebyla uložena: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data uložena do %1, záznamů: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Soubor ASCII nebyl uložen: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Soubor ASCII uložen do %1, řádků: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bude se zobrazovat plovoucí nápověda</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nebude se zobrazovat plovoucí nápověda</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data se nepodařilo uložit. Ukončit program bez uložení?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Šablona pro &amp;kresbu…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Srovnání s SILSO…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orvanek::MapWindow</name>
    <message>
        <source>Mapa</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Zavřít</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> &amp;Rotace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Mapy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mapa otočky</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dlouhá  mapa</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vysoká  mapa</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Tisk</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orvanek::ResultsWindow</name>
    <message>
        <source>&amp;Zavřit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Výběr </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Vlastní</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Oficiální</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Statistika</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Naměřená</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Celkový</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Sever</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Jih</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Vyhlazená</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Pozorovatelé</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Výskyt  typu &amp;skupiny</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vývo&amp;j skupin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ú&amp;daje pro mapu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Tisk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Změna &amp;přístroje</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Uložit do souboru</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tiskový panel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Výběr typu tisku</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Všechny hodnoty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vše od kurzoru</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 strana od kurzoru</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tisk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Storno</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Prametry přístroje</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Observatoř</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Přístroj</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Průměr/ohnisko</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Okulár</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Číslo otočky</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mení zadáno žádné jméno pozorovatele</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ještě není znám žádný pozorovatel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nebyl zybrán typ tisku! </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orvanek::SilsoWindow</name>
    <message>
        <source>Jiný &amp;soubor…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Tisk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Zavřít</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orvanek::SmoothedWindow</name>
    <message>
        <source>&amp;Zavřít</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Výběr grafu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zvětš&amp;ovat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ty&amp;p grafu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Záznamový</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Měsíční</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Roční</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Tisk </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Stupnice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zvětšovat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Šířku</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Potvrdit</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
