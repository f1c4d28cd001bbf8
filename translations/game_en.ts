<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="fi">
<context>
    <name>vuska::Suit</name>
    <message>
        <source>herttaa</source>
        <extracomment>The suit as the follow-suit message names it: &quot;... has led hearts, so you must play it&quot;.</extracomment>
        <translation>hearts</translation>
    </message>
    <message>
        <source>pataa</source>
        <extracomment>The suit as the follow-suit message names it.</extracomment>
        <translation>spades</translation>
    </message>
    <message>
        <source>ristiä</source>
        <extracomment>The suit as the follow-suit message names it.</extracomment>
        <translation>clubs</translation>
    </message>
    <message>
        <source>ruutua</source>
        <extracomment>The suit as the follow-suit message names it.</extracomment>
        <translation>diamonds</translation>
    </message>
</context>
<context>
    <name>vuska::frmAsetukset</name>
    <message>
        <source>Asetukset</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Peruuta</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>&amp;Ohje</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Pelin aloitustapa</source>
        <translation>Who Starts a Game</translation>
    </message>
    <message>
        <source>&amp;Vuoroaloitus</source>
        <translation>&amp;Take turns</translation>
    </message>
    <message>
        <source>&amp;Aloittaja arvotaan</source>
        <translation>Starter drawn by &amp;lot</translation>
    </message>
    <message>
        <source>&amp;Pienimmän kortin omistaja aloittaa</source>
        <translation>Lowest &amp;card starts</translation>
    </message>
    <message>
        <source>E&amp;dellisen pelin voittanut aloittaa</source>
        <translation>&amp;Winner of the last game starts</translation>
    </message>
    <message>
        <source>Korttien sekoitus ja jako</source>
        <translation>Shuffling and Dealing</translation>
    </message>
    <message>
        <source>&amp;Näytetään animaationa</source>
        <translation>Show as &amp;animation</translation>
    </message>
    <message>
        <source>Vain &amp;korttien kääntö näytetään</source>
        <translation>Show cards turning &amp;over only</translation>
    </message>
    <message>
        <source>Korttien siirto</source>
        <translation>Card Movement</translation>
    </message>
    <message>
        <source>Näyt&amp;etään animaationa</source>
        <translation>Show as a&amp;nimation</translation>
    </message>
    <message>
        <source>Korttien &amp;siirtymisvaiheita ei näytetä</source>
        <translation>Do not show card &amp;moves</translation>
    </message>
    <message>
        <source>Animaationope&amp;us (hidas - nopea)</source>
        <translation>Animation &amp;speed (slow - fast)</translation>
    </message>
</context>
<context>
    <name>vuska::frmKysyNimi</name>
    <message>
        <source>Onneksi olkoon!</source>
        <translation>Congratulations!</translation>
    </message>
    <message>
        <source>Nimetön</source>
        <translation>Anonymous</translation>
    </message>
    <message>
        <source>Nimesi</source>
        <translation>Your name</translation>
    </message>
    <message>
        <source>Peruuta</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Voitit 1 pelin peräkkäin ja pääset tuloksellasi parhaiden tulosten listalle.</source>
        <translation>You won 1 game in a row, and your result makes the best results list.</translation>
    </message>
    <message>
        <source>Voitit %1 peliä peräkkäin ja pääset tuloksellasi parhaiden tulosten listalle.</source>
        <translation>You won %1 games in a row, and your result makes the best results list.</translation>
    </message>
    <message>
        <source>Kirjoita nimesi:</source>
        <translation>Type your name:</translation>
    </message>
</context>
<context>
    <name>vuska::frmParhaatTulokset</name>
    <message>
        <source>Parhaat tulokset</source>
        <translation>Best Results</translation>
    </message>
    <message>
        <source>Eniten pelejä peräkkäin voittaneet</source>
        <translation>Most Games Won in a Row</translation>
    </message>
    <message>
        <source>&amp;Tyhjennä</source>
        <translation>&amp;Clear</translation>
    </message>
    <message>
        <source>&amp;Ohje</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Haluatko varmasti tyhjentää parhaiden tulosten listan?</source>
        <translation>Do you really want to clear the best results list?</translation>
    </message>
    <message>
        <source>Tyhjennä</source>
        <translation>Clear</translation>
    </message>
</context>
<context>
    <name>vuska::frmTietoja</name>
    <message>
        <source>Tietoja ohjelmasta</source>
        <translation>About Vuska</translation>
    </message>
    <message>
        <source>Vuskan kuva: hertta rouva kortin selkäpuolen päällä</source>
        <translation>Picture of Vuska: the queen of hearts on the back of a card</translation>
    </message>
    <message>
        <source>Versio 1.22 Freeware</source>
        <translation>Version 1.22 Freeware</translation>
    </message>
    <message>
        <source>Kommentit, kehitysideat ja virheilmoitukset:</source>
        <translation>Comments, suggestions and bug reports:</translation>
    </message>
    <message>
        <source>Viimeisimmät tiedotteet ja päivitykset:</source>
        <translation>Latest news and updates:</translation>
    </message>
    <message>
        <source>Tekijä: %1</source>
        <extracomment>%1 is the author&apos;s name.</extracomment>
        <translation>Author: %1</translation>
    </message>
    <message>
        <source>Sähköpostin lähetys ei onnistunut.</source>
        <translation>Could not send e-mail.</translation>
    </message>
    <message>
        <source>Vuskan kotisivun avaus ei onnistunut.</source>
        <translation>Could not open Vuska&apos;s home page.</translation>
    </message>
    <message>
        <source>Virhe</source>
        <translation>Error</translation>
    </message>
</context>
<context>
    <name>vuska::frmVuska</name>
    <message>
        <source>&amp;Uusi peli</source>
        <translation>&amp;New Game</translation>
    </message>
    <message>
        <source>&amp;Lopeta</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>Pelipöytä</source>
        <translation>Game table</translation>
    </message>
    <message>
        <source>&amp;Peli</source>
        <translation>&amp;Game</translation>
    </message>
    <message>
        <source>&amp;Uusi peli      </source>
        <extracomment>The blanks keep the menu as wide as it was made; a translation need not have them.</extracomment>
        <translation>&amp;New Game</translation>
    </message>
    <message>
        <source>&amp;Näytä</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>&amp;Ikkunan alalaidan painikkeet</source>
        <translation>&amp;Buttons at the Bottom of the Window</translation>
    </message>
    <message>
        <source>&amp;Parhaat tulokset...</source>
        <translation>Best &amp;Results...</translation>
    </message>
    <message>
        <source>&amp;Asetukset...</source>
        <translation>&amp;Settings...</translation>
    </message>
    <message>
        <source>&amp;Ohje</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;Ohjeen aiheet</source>
        <translation>&amp;Help Topics</translation>
    </message>
    <message>
        <source>&amp;Tietoja ohjelmasta...      </source>
        <extracomment>The blanks keep the menu as wide as it was made; a translation need not have them.</extracomment>
        <translation>&amp;About Vuska...</translation>
    </message>
    <message>
        <source>Ohjelman ulkoasussa saattaa esiintyä puutteita
käyttämilläsi näytön asetuksilla.</source>
        <translation>The program may not look right
with your display settings.</translation>
    </message>
    <message>
        <source>Tiedoksi</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Haluatko varmasti keskeyttää nykyisen pelin ja
aloittaa uuden?</source>
        <translation>Do you really want to abandon the current game
and start a new one?</translation>
    </message>
    <message>
        <source>Uusi peli</source>
        <translation>New Game</translation>
    </message>
    <message>
        <source>Haluatko varmasti lopettaa Vuska-ohjelman käytön?</source>
        <translation>Do you really want to quit Vuska?</translation>
    </message>
    <message>
        <source>Lopeta</source>
        <translation>Quit</translation>
    </message>
</context>
<context>
    <name>vuska::helpcommand</name>
    <message>
        <source>Ohjetiedoston vuska.hlp avaus ei onnistu.</source>
        <translation>Cannot open the help file vuska.hlp.</translation>
    </message>
    <message>
        <source>Virhe</source>
        <translation>Error</translation>
    </message>
</context>
<context>
    <name>vuska::mdlVuska</name>
    <message>
        <source>Tiedostoa %1 ei löydy.
Ole hyvä ja asenna ohjelma uudelleen.</source>
        <translation>File %1 not found.
Please reinstall the program.</translation>
    </message>
    <message>
        <source>Virhe</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Tietokonevastustajasi on lyönyt eteen %1,<byte value="xd"/>joten sinun on lyötävä sitä.</source>
        <extracomment>%1 is the suit (herttaa: hearts); the carriage return breaks the line.</extracomment>
        <translation>Your computer opponent has led %1,<byte value="xd"/>so you must play %1.</translation>
    </message>
    <message>
        <source>Lyötävä %1</source>
        <extracomment>%1 is the suit (herttaa: hearts).</extracomment>
        <translation>Must play %1</translation>
    </message>
    <message>
        <source>Onnittelut, voitit pelin!</source>
        <translation>Congratulations, you won the game!</translation>
    </message>
    <message>
        <source>Voitit</source>
        <translation>You Won</translation>
    </message>
    <message>
        <source>Harmi, hävisit pelin!</source>
        <translation>Too bad, you lost the game!</translation>
    </message>
    <message>
        <source>Hävisit</source>
        <translation>You Lost</translation>
    </message>
</context>
<context>
    <name>vuska::speech</name>
    <message>
        <source>2</source>
        <extracomment>The card&apos;s value as a screen reader speaks it in a card&apos;s name.</extracomment>
        <translation>two</translation>
    </message>
    <message>
        <source>3</source>
        <translation>three</translation>
    </message>
    <message>
        <source>4</source>
        <translation>four</translation>
    </message>
    <message>
        <source>5</source>
        <translation>five</translation>
    </message>
    <message>
        <source>6</source>
        <translation>six</translation>
    </message>
    <message>
        <source>7</source>
        <translation>seven</translation>
    </message>
    <message>
        <source>8</source>
        <translation>eight</translation>
    </message>
    <message>
        <source>9</source>
        <translation>nine</translation>
    </message>
    <message>
        <source>10</source>
        <translation>ten</translation>
    </message>
    <message>
        <source>jätkä</source>
        <translation>jack</translation>
    </message>
    <message>
        <source>rouva</source>
        <translation>queen</translation>
    </message>
    <message>
        <source>kuningas</source>
        <translation>king</translation>
    </message>
    <message>
        <source>ässä</source>
        <translation>ace</translation>
    </message>
    <message>
        <source>hertta</source>
        <extracomment>The suit as a screen reader speaks it in a card&apos;s name.</extracomment>
        <translation>hearts</translation>
    </message>
    <message>
        <source>pata</source>
        <translation>spades</translation>
    </message>
    <message>
        <source>risti</source>
        <translation>clubs</translation>
    </message>
    <message>
        <source>ruutu</source>
        <translation>diamonds</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <extracomment>A card&apos;s name: %1 the suit, %2 the value (&quot;hertta 7&quot;: seven of hearts).</extracomment>
        <translation>%2 of %1</translation>
    </message>
    <message>
        <source>oma kortti, kuvapuoli alaspäin</source>
        <translation>your card, face down</translation>
    </message>
    <message>
        <source>tietokoneen kortti, kuvapuoli alaspäin</source>
        <translation>computer&apos;s card, face down</translation>
    </message>
    <message>
        <source>%1, oma kortti pöydällä</source>
        <extracomment>%1 is the card&apos;s name.</extracomment>
        <translation>%1, your card on the table</translation>
    </message>
    <message>
        <source>%1, tietokoneen kortti pöydällä</source>
        <translation>%1, computer&apos;s card on the table</translation>
    </message>
    <message>
        <source>Löit %1.</source>
        <extracomment>%1 is the card&apos;s name.</extracomment>
        <translation>You played %1.</translation>
    </message>
    <message>
        <source>Tietokone lyö %1.</source>
        <translation>The computer plays %1.</translation>
    </message>
    <message>
        <source>Voitit tikin.</source>
        <translation>You won the trick.</translation>
    </message>
    <message>
        <source>Tietokone voitti tikin.</source>
        <translation>The computer won the trick.</translation>
    </message>
    <message>
        <source>Uusi jako, sinä aloitat.</source>
        <translation>New deal, you start.</translation>
    </message>
    <message>
        <source>Uusi jako, tietokone aloittaa.</source>
        <translation>New deal, the computer starts.</translation>
    </message>
    <message>
        <source>Sinun vuorosi.</source>
        <translation>Your turn.</translation>
    </message>
    <message>
        <source>Tietokoneen vuoro.</source>
        <translation>The computer&apos;s turn.</translation>
    </message>
</context>
</TS>
