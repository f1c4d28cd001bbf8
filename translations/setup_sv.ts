<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="sv_SE" sourcelanguage="fi">
<context>
    <name>vuska::setup::CopySequence</name>
    <message>
        <source>Virhe</source>
        <extracomment>The title of an error message.</extracomment>
        <translation>Fel</translation>
    </message>
    <message>
        <source>Kansioon %1 ei voi asentaa, koska asennusohjelma on
käynnistetty sieltä. Valitse kansio uudelleen.</source>
        <extracomment>%1 is the destination folder, which turns out to be the folder setup was started from.</extracomment>
        <translation>Det går inte att installera i %1, eftersom
installationsprogrammet startades därifrån. Välj en annan mapp.</translation>
    </message>
    <message>
        <source>Kansion %1 luominen ei onnistu.
Valitse kansio uudelleen.</source>
        <extracomment>%1 is the destination folder.</extracomment>
        <translation>Det går inte att skapa mappen %1.
Välj en annan mapp.</translation>
    </message>
    <message>
        <source>Kopioidaan: %1</source>
        <extracomment>The copy window&apos;s first status line: %1 is the file being copied, with its folder. The line is about 60 characters wide; a longer path is shortened in the middle.</extracomment>
        <translation>Kopierar: %1</translation>
    </message>
    <message>
        <source>Kohde: %1</source>
        <extracomment>The copy window&apos;s second status line: %1 is where the file goes, with its folder.</extracomment>
        <translation>Till: %1</translation>
    </message>
    <message>
        <source>Jo olemassa olevan tiedoston %1 poisto ei onnistu.
Asennus keskeytetään.</source>
        <extracomment>%1 is a file name: a file of an earlier installation that could not be set aside.</extracomment>
        <translation>Det går inte att ta bort den befintliga filen %1.
Installationen avbryts.</translation>
    </message>
    <message>
        <source>Tiedoston %1 kopiointi ei onnistu. Asennus
keskeytetään ja jo asennetut tiedostot poistetaan.</source>
        <extracomment>%1 is a file name.</extracomment>
        <translation>Det går inte att kopiera filen %1. Installationen
avbryts och de filer som redan har installerats tas bort.</translation>
    </message>
    <message>
        <source>Asennustietojen tallennus epäonnistui. Asennus
keskeytetään ja jo asennetut tiedostot poistetaan.</source>
        <extracomment>The installation could not be recorded (so that it could be removed later).</extracomment>
        <translation>Det gick inte att spara installationsuppgifterna. Installationen
avbryts och de filer som redan har installerats tas bort.</translation>
    </message>
    <message>
        <source>Tiedostoa %1 ei löydy, joten ohjelman
asennus keskeytetään.</source>
        <extracomment>%1 is the name of a file of the installation set, missing beside setup.</extracomment>
        <translation>Filen %1 hittas inte, så
installationen avbryts.</translation>
    </message>
    <message>
        <source>Ei tiedostoa</source>
        <extracomment>The title of the box that says a file of the installation set is missing.</extracomment>
        <translation>Filen saknas</translation>
    </message>
    <message>
        <source>Tiedostoa %1 on muokattu luvattomasti. Asennus
keskeytetään.</source>
        <extracomment>%1 is the name of a file of the installation set whose size is not what it should be.</extracomment>
        <translation>Filen %1 har ändrats utan tillstånd.
Installationen avbryts.</translation>
    </message>
    <message>
        <source>Tiedostoa muokattu</source>
        <extracomment>The title of the box that says a file of the installation set has been changed.</extracomment>
        <translation>Filen har ändrats</translation>
    </message>
</context>
<context>
    <name>vuska::setup::ProgramInfo</name>
    <message>
        <source>Vuska-ohjelman asennus</source>
        <extracomment>The caption of every page of the setup wizard.</extracomment>
        <translation>Installation av Vuska</translation>
    </message>
</context>
<context>
    <name>vuska::setup::Registration</name>
    <message>
        <source>Virhe</source>
        <extracomment>The title of an error message.</extracomment>
        <translation>Fel</translation>
    </message>
    <message>
        <source>Luodaan ohjelmaryhmä...</source>
        <extracomment>The copy window&apos;s status line while the program group is made.</extracomment>
        <translation>Skapar programgruppen...</translation>
    </message>
    <message>
        <source>Ohjelmaryhmän luonti epäonnistui.</source>
        <translation>Det gick inte att skapa programgruppen.</translation>
    </message>
    <message>
        <source>Luodaan ohjelmaryhmän kuvakkeet...</source>
        <extracomment>The copy window&apos;s status line while the shortcuts are made in the program group.</extracomment>
        <translation>Skapar genvägarna i programgruppen...</translation>
    </message>
    <message>
        <source>Päivitetään järjestelmätiedot...</source>
        <extracomment>The copy window&apos;s status line while the uninstall entry is written.</extracomment>
        <translation>Uppdaterar systeminformationen...</translation>
    </message>
    <message>
        <source>Järjestelmätietojen päivitys epäonnistui.</source>
        <extracomment>The uninstall entry (the system&apos;s list of installed programs) could not be written.</extracomment>
        <translation>Det gick inte att uppdatera systeminformationen.</translation>
    </message>
</context>
<context>
    <name>vuska::setup::Removal</name>
    <message>
        <source>Sulje nyt asennuksen poisto-ohjelma. Poista sitten kansio
%1 ja seuraavat siellä vielä olevat tiedostot:</source>
        <extracomment>Above the list of files the removal could not delete. %1 is the installation folder, which setup made: the user is to delete it too. The line break puts the folder on a line of its own.</extracomment>
        <translation>Stäng nu avinstallationsprogrammet. Ta sedan bort mappen
%1 och följande filer som fortfarande finns i den:</translation>
    </message>
    <message>
        <source>Sulje nyt asennuksen poisto-ohjelma. Poista sitten kansiosta
%1 seuraavat tiedostot:</source>
        <extracomment>Above the list of files the removal could not delete. %1 is the installation folder, which was there before setup: only the files are to be deleted from it.</extracomment>
        <translation>Stäng nu avinstallationsprogrammet. Ta sedan bort ur mappen
%1 följande filer:</translation>
    </message>
    <message>
        <source>Virhe ohjelman rekisteritiedoissa. Poisto ei onnistu.</source>
        <extracomment>The installation record names no folder: nothing can be removed, and the program ends.</extracomment>
        <translation>Fel i programmets registeruppgifter. Avinstallationen kan inte genomföras.</translation>
    </message>
    <message>
        <source>Tiedoston %1 poisto ei onnistu.</source>
        <extracomment>%1 is the name of a file of the game that could not be deleted.</extracomment>
        <translation>Det går inte att ta bort filen %1.</translation>
    </message>
    <message>
        <source>Ohjelman kuvakkeen poisto ei onnistu.</source>
        <extracomment>A shortcut (menu entry) of the program group could not be removed.</extracomment>
        <translation>Det går inte att ta bort programmets genväg.</translation>
    </message>
    <message>
        <source>Vuskan ohjelmaryhmän poisto ei onnistu.</source>
        <translation>Det går inte att ta bort Vuskas programgrupp.</translation>
    </message>
    <message>
        <source>Vuskan järjestelmätietojen poisto ei onnistu.</source>
        <extracomment>The game&apos;s settings and its entry in the system&apos;s list of installed programs could not be removed.</extracomment>
        <translation>Det går inte att ta bort Vuskas systeminformation.</translation>
    </message>
    <message>
        <source>Virhe</source>
        <extracomment>The title of an error message.</extracomment>
        <translation>Fel</translation>
    </message>
</context>
<context>
    <name>vuska::setup::TermsOfUse</name>
    <message>
        <source>Vahingot ja vastuu</source>
        <extracomment>The terms of use on the second page of setup: the heading of the first section.</extracomment>
        <translation>Skador och ansvar</translation>
    </message>
    <message>
        <source>Vuska-ohjelma on testattu huolellisesti. Ohjelman tekijä ei kuitenkaan vastaa vahingoista, joita ohjelman asentaminen, käyttö tai poistaminen saattaa aiheuttaa. Käytät ohjelmaa omalla vastuullasi.</source>
        <translation>Programmet Vuska har testats noggrant. Programmets upphovsman ansvarar dock inte för skador som installation, användning eller borttagning av programmet kan orsaka. Du använder programmet på eget ansvar.</translation>
    </message>
    <message>
        <source>Levitys ja jakelu</source>
        <extracomment>The heading of the second section of the terms of use.</extracomment>
        <translation>Spridning och distribution</translation>
    </message>
    <message>
        <source>Tätä Vuska-ohjelman versiota 1.22 Freeware saa kopioida ja levittää vapaasti. Ohjelman levittäminen Internetin ja BBS-palvelujen kautta sekä ohjelmakokoelmissa on sallittua, mutta siitä on ilmoitettava tekijälle sähköpostitse osoitteeseen %1. Levittämisen ehdot ovat seuraavat:</source>
        <extracomment>%1 is the author&apos;s e-mail address.</extracomment>
        <translation>Denna version av Vuska, 1.22 Freeware, får kopieras och spridas fritt. Det är tillåtet att sprida programmet via Internet och BBS-tjänster samt i programsamlingar, men upphovsmannen ska underrättas om det per e-post på adressen %1. Villkoren för spridningen är följande:</translation>
    </message>
    <message>
        <source>1) Tämä versio levitetään yhtenä ZIP-pakettina, joka sisältää täsmälleen seuraavat %1 tiedostoa:</source>
        <extracomment>%1 is the number of files; their names follow, one a line.</extracomment>
        <translation>1) Denna version sprids som ett enda ZIP-paket som innehåller exakt följande %1 filer:</translation>
    </message>
    <message>
        <source>Jos paketista puuttuu jokin näistä tiedostoista, ota yhteyttä tekijään sähköpostitse osoitteeseen %1.</source>
        <extracomment>%1 is the author&apos;s e-mail address.</extracomment>
        <translation>Om någon av dessa filer saknas i paketet, kontakta upphovsmannen per e-post på adressen %1.</translation>
    </message>
    <message>
        <source>2) Mitään paketin tiedostoista ei saa muuttaa millään tavalla.</source>
        <translation>2) Ingen av filerna i paketet får ändras på något sätt.</translation>
    </message>
    <message>
        <source>3) Tätä versiota ei saa myydä. Levityksestä saa kuitenkin periä pienen maksun.</source>
        <translation>3) Denna version får inte säljas. En mindre avgift får dock tas ut för spridningen.</translation>
    </message>
</context>
<context>
    <name>vuska::setup::WizardPage</name>
    <message>
        <source>Vuskan kuva: neljä pelikorttia viuhkana</source>
        <extracomment>Read out by a screen reader for the picture at the left of every setup window.</extracomment>
        <translation>Bild för Vuska: fyra spelkort i en solfjäder</translation>
    </message>
    <message>
        <source>Peruuta</source>
        <extracomment>Button: abandons the installation (after a question). No access key: Esc presses it.</extracomment>
        <translation>Avbryt</translation>
    </message>
    <message>
        <source>&lt; &amp;Edellinen</source>
        <extracomment>Button: back to the previous page. Short: the button is about 12 characters wide.</extracomment>
        <translation>&lt; &amp;Föregående</translation>
    </message>
    <message>
        <source>&amp;Seuraava &gt;</source>
        <extracomment>Button: on to the next page. Short: the button is about 12 characters wide.</extracomment>
        <translation>&amp;Nästa &gt;</translation>
    </message>
</context>
<context>
    <name>vuska::setup::frmKohdekansionValinta</name>
    <message>
        <source>Valitse kohdekansio</source>
        <extracomment>The title of the folder chooser that the Browse button opens.</extracomment>
        <translation>Välj målmapp</translation>
    </message>
    <message>
        <source>&amp;Kansio, jonne haluat asentaa:</source>
        <extracomment>The label of the folder&apos;s text box: one line of about 50 characters. Its access key must differ from the OK and Cancel buttons&apos;.</extracomment>
        <translation>&amp;Mapp att installera i:</translation>
    </message>
    <message>
        <source>Kansiot</source>
        <extracomment>Screen reader&apos;s name of the list of folders.</extracomment>
        <translation>Mappar</translation>
    </message>
    <message>
        <source>Asemat</source>
        <extracomment>Screen reader&apos;s name of the list of drives (never shown).</extracomment>
        <translation>Enheter</translation>
    </message>
    <message>
        <source>OK</source>
        <extracomment>Button: takes the folder. About 12 characters.</extracomment>
        <translation>OK</translation>
    </message>
    <message>
        <source>Peruuta</source>
        <extracomment>Button: closes the chooser. No access key: Esc presses it.</extracomment>
        <translation>Avbryt</translation>
    </message>
    <message>
        <source>Virhe</source>
        <extracomment>The title of an error message.</extracomment>
        <translation>Fel</translation>
    </message>
    <message>
        <source>Asemassa ei ole levyä.</source>
        <extracomment>The drive chosen is a removable one with nothing in it (its folder is not there).</extracomment>
        <translation>Det finns ingen skiva i enheten.</translation>
    </message>
    <message>
        <source>Asema ei ole valmiustilassa.</source>
        <extracomment>The drive chosen cannot be read (no permission, a read error).</extracomment>
        <translation>Enheten är inte klar.</translation>
    </message>
    <message>
        <source>Asemaa ei voi valita.</source>
        <extracomment>The drive chosen is not in the drive map.</extracomment>
        <translation>Det går inte att välja enheten.</translation>
    </message>
</context>
<context>
    <name>vuska::setup::frmPoistamattomatTiedostot</name>
    <message>
        <source>Tiedoksi</source>
        <extracomment>The title of the window that lists what the user must still delete after the removal.</extracomment>
        <translation>Information</translation>
    </message>
    <message>
        <source>Poistamatta jääneet tiedostot</source>
        <extracomment>Screen reader&apos;s name of the list of files that could not be deleted.</extracomment>
        <translation>Filer som inte togs bort</translation>
    </message>
    <message>
        <source>OK</source>
        <extracomment>Button: closes the window.</extracomment>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>vuska::setup::frmPoisto</name>
    <message>
        <source>Vuska-ohjelman asennuksen poisto</source>
        <extracomment>The title of the removal window.</extracomment>
        <translation>Avinstallera Vuska</translation>
    </message>
    <message>
        <source>Tämä ohjelma poistaa tietokoneeltasi Vuska-ohjelman version 1.22 Freeware.</source>
        <extracomment>The removal window, first paragraph (at most three lines).</extracomment>
        <translation>Det här programmet tar bort Vuska version 1.22 Freeware från datorn.</translation>
    </message>
    <message>
        <source>Muiden Windows-sovellusten sulkeminen ennen poiston aloittamista on erittäin suositeltavaa.</source>
        <extracomment>At most three lines.</extracomment>
        <translation>Vi rekommenderar starkt att du stänger alla andra program innan du startar avinstallationen.</translation>
    </message>
    <message>
        <source>Paina Poista-painiketta poistaaksesi Vuska-ohjelman.</source>
        <extracomment>At most two lines. &quot;Poista&quot; is the caption of the Remove button, without its access key.</extracomment>
        <translation>Klicka på Ta bort för att ta bort Vuska.</translation>
    </message>
    <message>
        <source>Huom! Jos painat Poista-painiketta, et voi keskeyttää ohjelman poistoa.</source>
        <extracomment>At most three lines. &quot;Poista&quot; is the caption of the Remove button, without its access key.</extracomment>
        <translation>Obs! När du har klickat på Ta bort kan du inte avbryta avinstallationen.</translation>
    </message>
    <message>
        <source>&amp;Poista</source>
        <extracomment>Button: removes the game. Short: the button is about 12 characters wide.</extracomment>
        <translation>&amp;Ta bort</translation>
    </message>
    <message>
        <source>Peruuta</source>
        <extracomment>Button: ends the program without removing anything. No access key: Esc presses it.</extracomment>
        <translation>Avbryt</translation>
    </message>
    <message>
        <source>Sulje</source>
        <extracomment>The caption the Cancel button takes once the removal is done: it ends the program.</extracomment>
        <translation>Stäng</translation>
    </message>
</context>
<context>
    <name>vuska::setup::frmTiedostojenKopiointi</name>
    <message>
        <source>Kopioidaan tiedostoja</source>
        <extracomment>The title of the window that shows the copying of the files.</extracomment>
        <translation>Kopierar filer</translation>
    </message>
    <message>
        <source>Kopioinnin edistyminen</source>
        <extracomment>Screen reader&apos;s name of the progress bar of the copy.</extracomment>
        <translation>Kopieringens förlopp</translation>
    </message>
</context>
<context>
    <name>vuska::setup::frmVaihe0</name>
    <message>
        <source>Tämä asennusohjelma asentaa Vuska-ohjelman version 1.22 Freeware.</source>
        <extracomment>Welcome page, first paragraph (at most three lines).</extracomment>
        <translation>Det här installationsprogrammet installerar Vuska version 1.22 Freeware.</translation>
    </message>
    <message>
        <source>Muiden Windows-sovellusten sulkeminen ennen itse asennuksen aloittamista on erittäin suositeltavaa.</source>
        <extracomment>Welcome page, second paragraph (at most three lines).</extracomment>
        <translation>Vi rekommenderar starkt att du stänger alla andra program innan du startar själva installationen.</translation>
    </message>
</context>
<context>
    <name>vuska::setup::frmVaihe1</name>
    <message>
        <source>&amp;Hyväksy &gt;</source>
        <extracomment>Button: accepts the terms of use and goes on. Short: the button is about 12 characters wide.</extracomment>
        <translation>&amp;Godkänn &gt;</translation>
    </message>
    <message>
        <source>Käyttöehdot</source>
        <extracomment>Screen reader&apos;s name of the box that shows the terms of use.</extracomment>
        <translation>Användarvillkor</translation>
    </message>
</context>
<context>
    <name>vuska::setup::frmVaihe2</name>
    <message>
        <source>Vuska asennetaan alempana näkyvään kohdekansioon.</source>
        <extracomment>Destination folder page, first paragraph (at most two lines).</extracomment>
        <translation>Vuska installeras i målmappen som visas nedan.</translation>
    </message>
    <message>
        <source>Jos haluat asentaa ohjelman valittuun kansioon, paina Seuraava-painiketta.</source>
        <extracomment>At most two lines. &quot;Seuraava&quot; is the caption of the Next button, without its access key.</extracomment>
        <translation>Om du vill installera programmet i den valda mappen klickar du på Nästa.</translation>
    </message>
    <message>
        <source>Jos haluat asentaa eri kansioon, paina Selaa-painiketta ja valitse haluamasi kansio.</source>
        <extracomment>At most two lines. &quot;Selaa&quot; is the caption of the Browse button, without its access key.</extracomment>
        <translation>Om du vill installera i en annan mapp klickar du på Bläddra och väljer den mapp du vill ha.</translation>
    </message>
    <message>
        <source>Kohdekansio</source>
        <extracomment>The title of the frame around the folder&apos;s text box and the Browse button; also what a screen reader calls the text box.</extracomment>
        <translation>Målmapp</translation>
    </message>
    <message>
        <source>&amp;Selaa...</source>
        <extracomment>Button: opens the folder chooser. Short: the button is about 12 characters wide.</extracomment>
        <translation>&amp;Bläddra...</translation>
    </message>
    <message>
        <source>Valitsemasi levyasema ei ole kelvollinen.</source>
        <translation>Den enhet du valde är inte giltig.</translation>
    </message>
    <message>
        <source>Asema kelvoton</source>
        <extracomment>The title of the box that refuses the drive typed.</extracomment>
        <translation>Ogiltig enhet</translation>
    </message>
    <message>
        <source>Valitsemasi kohdekansio ei ole kelvollinen.</source>
        <translation>Den målmapp du valde är inte giltig.</translation>
    </message>
    <message>
        <source>Kohdekansio kelvoton</source>
        <extracomment>The title of the box that refuses the folder typed.</extracomment>
        <translation>Ogiltig målmapp</translation>
    </message>
    <message>
        <source>Asemassa ei ole tarpeeksi vapaata tilaa. Valitse
toinen asema ja yritä uudelleen.</source>
        <extracomment>A message box&apos;s text; the line break keeps the box narrow.</extracomment>
        <translation>Det finns inte tillräckligt med ledigt utrymme på enheten.
Välj en annan enhet och försök igen.</translation>
    </message>
    <message>
        <source>Ei tarpeeksi levytilaa</source>
        <extracomment>The title of the box that says the drive is full.</extracomment>
        <translation>För lite diskutrymme</translation>
    </message>
    <message>
        <source>Ei kansiota</source>
        <extracomment>The title of the question whether to make the destination folder.</extracomment>
        <translation>Mappen finns inte</translation>
    </message>
    <message>
        <source>Kansiota %1 ei ole olemassa.

Haluatko luoda sen?</source>
        <extracomment>%1 is the destination folder. Answered with Yes or No.</extracomment>
        <translation>Mappen %1 finns inte.

Vill du skapa den?</translation>
    </message>
    <message>
        <source>Kansio jo olemassa</source>
        <extracomment>The title of the question whether to install into a folder that is there already.</extracomment>
        <translation>Mappen finns redan</translation>
    </message>
    <message>
        <source>Kansio %1 on jo olemassa.

Haluatko korvata siellä mahdollisesti olevat samannimiset
tiedostot?</source>
        <extracomment>%1 is the destination folder. Answered with Yes or No; the line break keeps the box narrow.</extracomment>
        <translation>Mappen %1 finns redan.

Vill du ersätta eventuella filer i den
som har samma namn?</translation>
    </message>
</context>
<context>
    <name>vuska::setup::frmVaihe3</name>
    <message>
        <source>Vuska-ohjelman ja sen ohjetiedoston kuvakkeet lisätään alla olevaan kenttään kirjoittamaasi tai listasta valitsemaasi ohjelmaryhmään.</source>
        <extracomment>Program group page (at most three lines): the text box and the list of existing groups follow.</extracomment>
        <translation>Ikonerna för Vuska och dess hjälpfil läggs till i den programgrupp som du skriver i rutan nedan eller väljer i listan.</translation>
    </message>
    <message>
        <source>Ohjelmaryhmä</source>
        <extracomment>Screen reader&apos;s name of the text box that holds the program group&apos;s name.</extracomment>
        <translation>Programgrupp</translation>
    </message>
    <message>
        <source>Ohjelmaryhmät</source>
        <extracomment>Screen reader&apos;s name of the list of the program groups there are.</extracomment>
        <translation>Programgrupper</translation>
    </message>
    <message>
        <source>&amp;Ohjelman kuvakkeita ei lisätä ohjelmaryhmään</source>
        <extracomment>Check box: no shortcuts are made at all. One line of about 50 characters; its access key must differ from the Next and Back buttons&apos;.</extracomment>
        <translation>&amp;Lägg inte till ikonerna i en programgrupp</translation>
    </message>
</context>
<context>
    <name>vuska::setup::frmVaihe4</name>
    <message>
        <source>Asennusohjelma on nyt valmis aloittamaan Vuskan tiedostojen kopioimisen aiemmin valitsemaasi kansioon.</source>
        <extracomment>Ready page, first paragraph (at most three lines).</extracomment>
        <translation>Installationsprogrammet är nu klart att börja kopiera Vuskas filer till den mapp du valde.</translation>
    </message>
    <message>
        <source>Paina Seuraava-painiketta aloittaaksesi asennuksen.</source>
        <extracomment>At most two lines. &quot;Seuraava&quot; is the caption of the Next button, without its access key.</extracomment>
        <translation>Klicka på Nästa för att starta installationen.</translation>
    </message>
    <message>
        <source>Jos haluat muuttaa antamiasi asennustietoja, paina Edellinen-painiketta.</source>
        <extracomment>At most two lines. &quot;Edellinen&quot; is the caption of the Back button, without its access key.</extracomment>
        <translation>Om du vill ändra de installationsuppgifter du har angett klickar du på Föregående.</translation>
    </message>
</context>
<context>
    <name>vuska::setup::frmVaihe5</name>
    <message>
        <source>&amp;Lopeta</source>
        <extracomment>Button of the last page: closes setup. Short: the button is about 12 characters wide.</extracomment>
        <translation>&amp;Slutför</translation>
    </message>
    <message>
        <source>Ohjelma on nyt asennettu. Kiitos Vuskan asentamisesta!</source>
        <extracomment>Last page, at most two lines.</extracomment>
        <translation>Programmet är nu installerat. Tack för att du installerade Vuska!</translation>
    </message>
    <message>
        <source>Paina Lopeta-painiketta sulkeaksesi asennusohjelman.</source>
        <extracomment>At most two lines. &quot;Lopeta&quot; is the caption of the Finish button, without its access key.</extracomment>
        <translation>Klicka på Slutför för att stänga installationsprogrammet.</translation>
    </message>
</context>
<context>
    <name>vuska::setup::mdlVuskanAsennus</name>
    <message>
        <source>Jos lopetat nyt, Vuska-ohjelmaa ei asenneta. Voit ajaa
asennusohjelman uudelleen milloin tahansa.

Haluatko varmasti keskeyttää asennuksen?</source>
        <extracomment>Asked when the user cancels setup; answered with Yes (give up) or No (go on). The line breaks keep the box narrow.</extracomment>
        <translation>Om du avslutar nu installeras inte Vuska. Du kan köra
installationsprogrammet igen när som helst.

Vill du verkligen avbryta installationen?</translation>
    </message>
    <message>
        <source>Lopeta</source>
        <extracomment>The title of the question whether to give up the installation.</extracomment>
        <translation>Avbryt installationen</translation>
    </message>
</context>
</TS>
