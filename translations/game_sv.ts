<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="sv_SE" sourcelanguage="fi">
<context>
    <name>vuska::Suit</name>
    <message>
        <source>herttaa</source>
        <extracomment>The suit as the follow-suit message names it: &quot;... has led hearts, so you must play it&quot;.</extracomment>
        <translation>hjärter</translation>
    </message>
    <message>
        <source>pataa</source>
        <extracomment>The suit as the follow-suit message names it.</extracomment>
        <translation>spader</translation>
    </message>
    <message>
        <source>ristiä</source>
        <extracomment>The suit as the follow-suit message names it.</extracomment>
        <translation>klöver</translation>
    </message>
    <message>
        <source>ruutua</source>
        <extracomment>The suit as the follow-suit message names it.</extracomment>
        <translation>ruter</translation>
    </message>
</context>
<context>
    <name>vuska::frmAsetukset</name>
    <message>
        <source>Asetukset</source>
        <translation>Inställningar</translation>
    </message>
    <message>
        <source>Peruuta</source>
        <translation>Avbryt</translation>
    </message>
    <message>
        <source>&amp;Ohje</source>
        <translation>&amp;Hjälp</translation>
    </message>
    <message>
        <source>Pelin aloitustapa</source>
        <translation>Vem som börjar</translation>
    </message>
    <message>
        <source>&amp;Vuoroaloitus</source>
        <translation>&amp;Turas om</translation>
    </message>
    <message>
        <source>&amp;Aloittaja arvotaan</source>
        <translation>&amp;Lottas</translation>
    </message>
    <message>
        <source>&amp;Pienimmän kortin omistaja aloittaa</source>
        <translation>&amp;Minsta kortets ägare börjar</translation>
    </message>
    <message>
        <source>E&amp;dellisen pelin voittanut aloittaa</source>
        <translation>Förra spelets &amp;vinnare börjar</translation>
    </message>
    <message>
        <source>Korttien sekoitus ja jako</source>
        <translation>Blandning och given</translation>
    </message>
    <message>
        <source>&amp;Näytetään animaationa</source>
        <translation>Visas som &amp;animering</translation>
    </message>
    <message>
        <source>Vain &amp;korttien kääntö näytetään</source>
        <translation>Bara &amp;kortvändningen visas</translation>
    </message>
    <message>
        <source>Korttien siirto</source>
        <translation>Kortens förflyttning</translation>
    </message>
    <message>
        <source>Näyt&amp;etään animaationa</source>
        <translation>Visas som a&amp;nimering</translation>
    </message>
    <message>
        <source>Korttien &amp;siirtymisvaiheita ei näytetä</source>
        <translation>Förflyttningens &amp;steg visas inte</translation>
    </message>
    <message>
        <source>Animaationope&amp;us (hidas - nopea)</source>
        <translation>Animations&amp;fart (långsam - snabb)</translation>
    </message>
</context>
<context>
    <name>vuska::frmKysyNimi</name>
    <message>
        <source>Onneksi olkoon!</source>
        <translation>Grattis!</translation>
    </message>
    <message>
        <source>Nimetön</source>
        <translation>Anonym</translation>
    </message>
    <message>
        <source>Nimesi</source>
        <translation>Ditt namn</translation>
    </message>
    <message>
        <source>Peruuta</source>
        <translation>Avbryt</translation>
    </message>
    <message>
        <source>Voitit 1 pelin peräkkäin ja pääset tuloksellasi parhaiden tulosten listalle.</source>
        <translation>Du vann 1 spel i rad och ditt resultat kommer in på listan över bästa resultat.</translation>
    </message>
    <message>
        <source>Voitit %1 peliä peräkkäin ja pääset tuloksellasi parhaiden tulosten listalle.</source>
        <translation>Du vann %1 spel i rad och ditt resultat kommer in på listan över bästa resultat.</translation>
    </message>
    <message>
        <source>Kirjoita nimesi:</source>
        <translation>Skriv ditt namn:</translation>
    </message>
</context>
<context>
    <name>vuska::frmParhaatTulokset</name>
    <message>
        <source>Parhaat tulokset</source>
        <translation>Bästa resultat</translation>
    </message>
    <message>
        <source>Eniten pelejä peräkkäin voittaneet</source>
        <translation>Flest vunna spel i rad</translation>
    </message>
    <message>
        <source>&amp;Tyhjennä</source>
        <translation>&amp;Töm</translation>
    </message>
    <message>
        <source>&amp;Ohje</source>
        <translation>&amp;Hjälp</translation>
    </message>
    <message>
        <source>Haluatko varmasti tyhjentää parhaiden tulosten listan?</source>
        <translation>Vill du verkligen tömma listan över bästa resultat?</translation>
    </message>
    <message>
        <source>Tyhjennä</source>
        <translation>Töm</translation>
    </message>
</context>
<context>
    <name>vuska::frmTietoja</name>
    <message>
        <source>Tietoja ohjelmasta</source>
        <translation>Om Vuska</translation>
    </message>
    <message>
        <source>Vuskan kuva: hertta rouva kortin selkäpuolen päällä</source>
        <translation>Bild av Vuska: hjärter dam ovanpå en kortbaksida</translation>
    </message>
    <message>
        <source>Versio 1.22 Freeware</source>
        <translation>Version 1.22 Freeware</translation>
    </message>
    <message>
        <source>Kommentit, kehitysideat ja virheilmoitukset:</source>
        <translation>Kommentarer, förslag och felrapporter:</translation>
    </message>
    <message>
        <source>Viimeisimmät tiedotteet ja päivitykset:</source>
        <translation>Senaste nytt och uppdateringar:</translation>
    </message>
    <message>
        <source>Tekijä: %1</source>
        <extracomment>%1 is the author&apos;s name.</extracomment>
        <translation>Upphovsman: %1</translation>
    </message>
    <message>
        <source>Sähköpostin lähetys ei onnistunut.</source>
        <translation>Det gick inte att skicka e-post.</translation>
    </message>
    <message>
        <source>Vuskan kotisivun avaus ei onnistunut.</source>
        <translation>Det gick inte att öppna Vuskas hemsida.</translation>
    </message>
    <message>
        <source>Virhe</source>
        <translation>Fel</translation>
    </message>
</context>
<context>
    <name>vuska::frmVuska</name>
    <message>
        <source>&amp;Uusi peli</source>
        <translation>&amp;Nytt spel</translation>
    </message>
    <message>
        <source>&amp;Lopeta</source>
        <translation>&amp;Avsluta</translation>
    </message>
    <message>
        <source>Pelipöytä</source>
        <translation>Spelbord</translation>
    </message>
    <message>
        <source>&amp;Peli</source>
        <translation>&amp;Spel</translation>
    </message>
    <message>
        <source>&amp;Uusi peli      </source>
        <extracomment>The blanks keep the menu as wide as it was made; a translation need not have them.</extracomment>
        <translation>&amp;Nytt spel</translation>
    </message>
    <message>
        <source>&amp;Näytä</source>
        <translation>&amp;Visa</translation>
    </message>
    <message>
        <source>&amp;Ikkunan alalaidan painikkeet</source>
        <translation>&amp;Knappar längst ned i fönstret</translation>
    </message>
    <message>
        <source>&amp;Parhaat tulokset...</source>
        <translation>&amp;Bästa resultat...</translation>
    </message>
    <message>
        <source>&amp;Asetukset...</source>
        <translation>&amp;Inställningar...</translation>
    </message>
    <message>
        <source>&amp;Ohje</source>
        <translation>&amp;Hjälp</translation>
    </message>
    <message>
        <source>&amp;Ohjeen aiheet</source>
        <translation>&amp;Hjälpavsnitt</translation>
    </message>
    <message>
        <source>&amp;Tietoja ohjelmasta...      </source>
        <extracomment>The blanks keep the menu as wide as it was made; a translation need not have them.</extracomment>
        <translation>&amp;Om Vuska...</translation>
    </message>
    <message>
        <source>Ohjelman ulkoasussa saattaa esiintyä puutteita
käyttämilläsi näytön asetuksilla.</source>
        <translation>Programmet kanske inte ser rätt ut
med dina bildskärmsinställningar.</translation>
    </message>
    <message>
        <source>Tiedoksi</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Haluatko varmasti keskeyttää nykyisen pelin ja
aloittaa uuden?</source>
        <translation>Vill du verkligen avbryta det pågående spelet
och börja ett nytt?</translation>
    </message>
    <message>
        <source>Uusi peli</source>
        <translation>Nytt spel</translation>
    </message>
    <message>
        <source>Haluatko varmasti lopettaa Vuska-ohjelman käytön?</source>
        <translation>Vill du verkligen avsluta Vuska?</translation>
    </message>
    <message>
        <source>Lopeta</source>
        <translation>Avsluta</translation>
    </message>
</context>
<context>
    <name>vuska::helpcommand</name>
    <message>
        <source>Ohjetiedoston vuska.hlp avaus ei onnistu.</source>
        <translation>Det gick inte att öppna hjälpfilen vuska.hlp.</translation>
    </message>
    <message>
        <source>Virhe</source>
        <translation>Fel</translation>
    </message>
</context>
<context>
    <name>vuska::mdlVuska</name>
    <message>
        <source>Tiedostoa %1 ei löydy.
Ole hyvä ja asenna ohjelma uudelleen.</source>
        <translation>Filen %1 hittades inte.
Installera om programmet.</translation>
    </message>
    <message>
        <source>Virhe</source>
        <translation>Fel</translation>
    </message>
    <message>
        <source>Tietokonevastustajasi on lyönyt eteen %1,<byte value="xd"/>joten sinun on lyötävä sitä.</source>
        <extracomment>%1 is the suit (herttaa: hearts); the carriage return breaks the line.</extracomment>
        <translation>Din datormotståndare har spelat ut %1,<byte value="xd"/>så du måste spela %1.</translation>
    </message>
    <message>
        <source>Lyötävä %1</source>
        <extracomment>%1 is the suit (herttaa: hearts).</extracomment>
        <translation>Du måste spela %1</translation>
    </message>
    <message>
        <source>Onnittelut, voitit pelin!</source>
        <translation>Grattis, du vann spelet!</translation>
    </message>
    <message>
        <source>Voitit</source>
        <translation>Du vann</translation>
    </message>
    <message>
        <source>Harmi, hävisit pelin!</source>
        <translation>Synd, du förlorade spelet!</translation>
    </message>
    <message>
        <source>Hävisit</source>
        <translation>Du förlorade</translation>
    </message>
</context>
<context>
    <name>vuska::speech</name>
    <message>
        <source>2</source>
        <extracomment>The card&apos;s value as a screen reader speaks it in a card&apos;s name.</extracomment>
        <translation>två</translation>
    </message>
    <message>
        <source>3</source>
        <translation>tre</translation>
    </message>
    <message>
        <source>4</source>
        <translation>fyra</translation>
    </message>
    <message>
        <source>5</source>
        <translation>fem</translation>
    </message>
    <message>
        <source>6</source>
        <translation>sex</translation>
    </message>
    <message>
        <source>7</source>
        <translation>sju</translation>
    </message>
    <message>
        <source>8</source>
        <translation>åtta</translation>
    </message>
    <message>
        <source>9</source>
        <translation>nio</translation>
    </message>
    <message>
        <source>10</source>
        <translation>tio</translation>
    </message>
    <message>
        <source>jätkä</source>
        <translation>knekt</translation>
    </message>
    <message>
        <source>rouva</source>
        <translation>dam</translation>
    </message>
    <message>
        <source>kuningas</source>
        <translation>kung</translation>
    </message>
    <message>
        <source>ässä</source>
        <translation>ess</translation>
    </message>
    <message>
        <source>hertta</source>
        <extracomment>The suit as a screen reader speaks it in a card&apos;s name.</extracomment>
        <translation>hjärter</translation>
    </message>
    <message>
        <source>pata</source>
        <translation>spader</translation>
    </message>
    <message>
        <source>risti</source>
        <translation>klöver</translation>
    </message>
    <message>
        <source>ruutu</source>
        <translation>ruter</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <extracomment>A card&apos;s name: %1 the suit, %2 the value (&quot;hertta 7&quot;: seven of hearts).</extracomment>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>oma kortti, kuvapuoli alaspäin</source>
        <translation>ditt kort, med baksidan upp</translation>
    </message>
    <message>
        <source>tietokoneen kortti, kuvapuoli alaspäin</source>
        <translation>datorns kort, med baksidan upp</translation>
    </message>
    <message>
        <source>%1, oma kortti pöydällä</source>
        <extracomment>%1 is the card&apos;s name.</extracomment>
        <translation>%1, ditt kort på bordet</translation>
    </message>
    <message>
        <source>%1, tietokoneen kortti pöydällä</source>
        <translation>%1, datorns kort på bordet</translation>
    </message>
    <message>
        <source>Löit %1.</source>
        <extracomment>%1 is the card&apos;s name.</extracomment>
        <translation>Du spelade %1.</translation>
    </message>
    <message>
        <source>Tietokone lyö %1.</source>
        <translation>Datorn spelar %1.</translation>
    </message>
    <message>
        <source>Voitit tikin.</source>
        <translation>Du vann sticket.</translation>
    </message>
    <message>
        <source>Tietokone voitti tikin.</source>
        <translation>Datorn vann sticket.</translation>
    </message>
    <message>
        <source>Uusi jako, sinä aloitat.</source>
        <translation>Ny giv, du börjar.</translation>
    </message>
    <message>
        <source>Uusi jako, tietokone aloittaa.</source>
        <translation>Ny giv, datorn börjar.</translation>
    </message>
    <message>
        <source>Sinun vuorosi.</source>
        <translation>Din tur.</translation>
    </message>
    <message>
        <source>Tietokoneen vuoro.</source>
        <translation>Datorns tur.</translation>
    </message>
</context>
</TS>
