<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="fi">
<context>
    <name>vuska::setup::CopySequence</name>
    <message>
        <source>Virhe</source>
        <extracomment>The title of an error message.</extracomment>
        <translation>Error</translation>
    </message>
    <message>
        <source>Kansioon %1 ei voi asentaa, koska asennusohjelma on
käynnistetty sieltä. Valitse kansio uudelleen.</source>
        <extracomment>%1 is the destination folder, which turns out to be the folder setup was started from.</extracomment>
        <translation>Setup cannot install into %1, because it was
started from there. Choose another folder.</translation>
    </message>
    <message>
        <source>Kansion %1 luominen ei onnistu.
Valitse kansio uudelleen.</source>
        <extracomment>%1 is the destination folder.</extracomment>
        <translation>The folder %1 cannot be created.
Choose another folder.</translation>
    </message>
    <message>
        <source>Kopioidaan: %1</source>
        <extracomment>The copy window&apos;s first status line: %1 is the file being copied, with its folder. The line is about 60 characters wide; a longer path is shortened in the middle.</extracomment>
        <translation>Copying: %1</translation>
    </message>
    <message>
        <source>Kohde: %1</source>
        <extracomment>The copy window&apos;s second status line: %1 is where the file goes, with its folder.</extracomment>
        <translation>To: %1</translation>
    </message>
    <message>
        <source>Jo olemassa olevan tiedoston %1 poisto ei onnistu.
Asennus keskeytetään.</source>
        <extracomment>%1 is a file name: a file of an earlier installation that could not be set aside.</extracomment>
        <translation>The existing file %1 cannot be removed.
The installation is stopped.</translation>
    </message>
    <message>
        <source>Tiedoston %1 kopiointi ei onnistu. Asennus
keskeytetään ja jo asennetut tiedostot poistetaan.</source>
        <extracomment>%1 is a file name.</extracomment>
        <translation>The file %1 cannot be copied. The installation
is stopped and the files already installed are removed.</translation>
    </message>
    <message>
        <source>Asennustietojen tallennus epäonnistui. Asennus
keskeytetään ja jo asennetut tiedostot poistetaan.</source>
        <extracomment>The installation could not be recorded (so that it could be removed later).</extracomment>
        <translation>The installation details could not be saved. The installation
is stopped and the files already installed are removed.</translation>
    </message>
    <message>
        <source>Tiedostoa %1 ei löydy, joten ohjelman
asennus keskeytetään.</source>
        <extracomment>%1 is the name of a file of the installation set, missing beside setup.</extracomment>
        <translation>The file %1 cannot be found, so the
installation is stopped.</translation>
    </message>
    <message>
        <source>Ei tiedostoa</source>
        <extracomment>The title of the box that says a file of the installation set is missing.</extracomment>
        <translation>File Not Found</translation>
    </message>
    <message>
        <source>Tiedostoa %1 on muokattu luvattomasti. Asennus
keskeytetään.</source>
        <extracomment>%1 is the name of a file of the installation set whose size is not what it should be.</extracomment>
        <translation>The file %1 has been modified without permission.
The installation is stopped.</translation>
    </message>
    <message>
        <source>Tiedostoa muokattu</source>
        <extracomment>The title of the box that says a file of the installation set has been changed.</extracomment>
        <translation>File Modified</translation>
    </message>
</context>
<context>
    <name>vuska::setup::ProgramInfo</name>
    <message>
        <source>Vuska-ohjelman asennus</source>
        <extracomment>The caption of every page of the setup wizard.</extracomment>
        <translation>Vuska Setup</translation>
    </message>
</context>
<context>
    <name>vuska::setup::Registration</name>
    <message>
        <source>Virhe</source>
        <extracomment>The title of an error message.</extracomment>
        <translation>Error</translation>
    </message>
    <message>
        <source>Luodaan ohjelmaryhmä...</source>
        <extracomment>The copy window&apos;s status line while the program group is made.</extracomment>
        <translation>Creating the program group...</translation>
    </message>
    <message>
        <source>Ohjelmaryhmän luonti epäonnistui.</source>
        <translation>The program group could not be created.</translation>
    </message>
    <message>
        <source>Luodaan ohjelmaryhmän kuvakkeet...</source>
        <extracomment>The copy window&apos;s status line while the shortcuts are made in the program group.</extracomment>
        <translation>Creating the shortcuts in the program group...</translation>
    </message>
    <message>
        <source>Päivitetään järjestelmätiedot...</source>
        <extracomment>The copy window&apos;s status line while the uninstall entry is written.</extracomment>
        <translation>Updating the system information...</translation>
    </message>
    <message>
        <source>Järjestelmätietojen päivitys epäonnistui.</source>
        <extracomment>The uninstall entry (the system&apos;s list of installed programs) could not be written.</extracomment>
        <translation>The system information could not be updated.</translation>
    </message>
</context>
<context>
    <name>vuska::setup::Removal</name>
    <message>
        <source>Sulje nyt asennuksen poisto-ohjelma. Poista sitten kansio
%1 ja seuraavat siellä vielä olevat tiedostot:</source>
        <extracomment>Above the list of files the removal could not delete. %1 is the installation folder, which setup made: the user is to delete it too. The line break puts the folder on a line of its own.</extracomment>
        <translation>Now close the uninstall program. Then delete the folder
%1 and the following files still in it:</translation>
    </message>
    <message>
        <source>Sulje nyt asennuksen poisto-ohjelma. Poista sitten kansiosta
%1 seuraavat tiedostot:</source>
        <extracomment>Above the list of files the removal could not delete. %1 is the installation folder, which was there before setup: only the files are to be deleted from it.</extracomment>
        <translation>Now close the uninstall program. Then delete from the folder
%1 the following files:</translation>
    </message>
    <message>
        <source>Virhe ohjelman rekisteritiedoissa. Poisto ei onnistu.</source>
        <extracomment>The installation record names no folder: nothing can be removed, and the program ends.</extracomment>
        <translation>Error in the program&apos;s registry data. The removal cannot proceed.</translation>
    </message>
    <message>
        <source>Tiedoston %1 poisto ei onnistu.</source>
        <extracomment>%1 is the name of a file of the game that could not be deleted.</extracomment>
        <translation>The file %1 cannot be removed.</translation>
    </message>
    <message>
        <source>Ohjelman kuvakkeen poisto ei onnistu.</source>
        <extracomment>A shortcut (menu entry) of the program group could not be removed.</extracomment>
        <translation>The program&apos;s shortcut cannot be removed.</translation>
    </message>
    <message>
        <source>Vuskan ohjelmaryhmän poisto ei onnistu.</source>
        <translation>The Vuska program group cannot be removed.</translation>
    </message>
    <message>
        <source>Vuskan järjestelmätietojen poisto ei onnistu.</source>
        <extracomment>The game&apos;s settings and its entry in the system&apos;s list of installed programs could not be removed.</extracomment>
        <translation>The Vuska system information cannot be removed.</translation>
    </message>
    <message>
        <source>Virhe</source>
        <extracomment>The title of an error message.</extracomment>
        <translation>Error</translation>
    </message>
</context>
<context>
    <name>vuska::setup::TermsOfUse</name>
    <message>
        <source>Vahingot ja vastuu</source>
        <extracomment>The terms of use on the second page of setup: the heading of the first section.</extracomment>
        <translation>Damages and liability</translation>
    </message>
    <message>
        <source>Vuska-ohjelma on testattu huolellisesti. Ohjelman tekijä ei kuitenkaan vastaa vahingoista, joita ohjelman asentaminen, käyttö tai poistaminen saattaa aiheuttaa. Käytät ohjelmaa omalla vastuullasi.</source>
        <translation>The Vuska program has been carefully tested. However, the author of the program is not liable for any damage that installing, using or removing the program may cause. You use the program at your own risk.</translation>
    </message>
    <message>
        <source>Levitys ja jakelu</source>
        <extracomment>The heading of the second section of the terms of use.</extracomment>
        <translation>Copying and distribution</translation>
    </message>
    <message>
        <source>Tätä Vuska-ohjelman versiota 1.22 Freeware saa kopioida ja levittää vapaasti. Ohjelman levittäminen Internetin ja BBS-palvelujen kautta sekä ohjelmakokoelmissa on sallittua, mutta siitä on ilmoitettava tekijälle sähköpostitse osoitteeseen %1. Levittämisen ehdot ovat seuraavat:</source>
        <extracomment>%1 is the author&apos;s e-mail address.</extracomment>
        <translation>This version of Vuska, 1.22 Freeware, may be copied and distributed freely. Distributing the program through the Internet and BBS services and in software collections is permitted, but the author must be notified of it by e-mail at %1. The conditions of distribution are as follows:</translation>
    </message>
    <message>
        <source>1) Tämä versio levitetään yhtenä ZIP-pakettina, joka sisältää täsmälleen seuraavat %1 tiedostoa:</source>
        <extracomment>%1 is the number of files; their names follow, one a line.</extracomment>
        <translation>1) This version is distributed as one ZIP package that contains exactly the following %1 files:</translation>
    </message>
    <message>
        <source>Jos paketista puuttuu jokin näistä tiedostoista, ota yhteyttä tekijään sähköpostitse osoitteeseen %1.</source>
        <extracomment>%1 is the author&apos;s e-mail address.</extracomment>
        <translation>If any of these files is missing from the package, please contact the author by e-mail at %1.</translation>
    </message>
    <message>
        <source>2) Mitään paketin tiedostoista ei saa muuttaa millään tavalla.</source>
        <translation>2) None of the files in the package may be changed in any way.</translation>
    </message>
    <message>
        <source>3) Tätä versiota ei saa myydä. Levityksestä saa kuitenkin periä pienen maksun.</source>
        <translation>3) This version may not be sold. A small fee may, however, be charged for distributing it.</translation>
    </message>
</context>
<context>
    <name>vuska::setup::WizardPage</name>
    <message>
        <source>Vuskan kuva: neljä pelikorttia viuhkana</source>
        <extracomment>Read out by a screen reader for the picture at the left of every setup window.</extracomment>
        <translation>Vuska picture: four playing cards in a fan</translation>
    </message>
    <message>
        <source>Peruuta</source>
        <extracomment>Button: abandons the installation (after a question). No access key: Esc presses it.</extracomment>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>&lt; &amp;Edellinen</source>
        <extracomment>Button: back to the previous page. Short: the button is about 12 characters wide.</extracomment>
        <translation>&lt; &amp;Back</translation>
    </message>
    <message>
        <source>&amp;Seuraava &gt;</source>
        <extracomment>Button: on to the next page. Short: the button is about 12 characters wide.</extracomment>
        <translation>&amp;Next &gt;</translation>
    </message>
</context>
<context>
    <name>vuska::setup::frmKohdekansionValinta</name>
    <message>
        <source>Valitse kohdekansio</source>
        <extracomment>The title of the folder chooser that the Browse button opens.</extracomment>
        <translation>Choose Destination Folder</translation>
    </message>
    <message>
        <source>&amp;Kansio, jonne haluat asentaa:</source>
        <extracomment>The label of the folder&apos;s text box: one line of about 50 characters. Its access key must differ from the OK and Cancel buttons&apos;.</extracomment>
        <translation>&amp;Folder to install into:</translation>
    </message>
    <message>
        <source>Kansiot</source>
        <extracomment>Screen reader&apos;s name of the list of folders.</extracomment>
        <translation>Folders</translation>
    </message>
    <message>
        <source>Asemat</source>
        <extracomment>Screen reader&apos;s name of the list of drives (never shown).</extracomment>
        <translation>Drives</translation>
    </message>
    <message>
        <source>OK</source>
        <extracomment>Button: takes the folder. About 12 characters.</extracomment>
        <translation>OK</translation>
    </message>
    <message>
        <source>Peruuta</source>
        <extracomment>Button: closes the chooser. No access key: Esc presses it.</extracomment>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Virhe</source>
        <extracomment>The title of an error message.</extracomment>
        <translation>Error</translation>
    </message>
    <message>
        <source>Asemassa ei ole levyä.</source>
        <extracomment>The drive chosen is a removable one with nothing in it (its folder is not there).</extracomment>
        <translation>There is no disk in the drive.</translation>
    </message>
    <message>
        <source>Asema ei ole valmiustilassa.</source>
        <extracomment>The drive chosen cannot be read (no permission, a read error).</extracomment>
        <translation>The drive is not ready.</translation>
    </message>
    <message>
        <source>Asemaa ei voi valita.</source>
        <extracomment>The drive chosen is not in the drive map.</extracomment>
        <translation>The drive cannot be selected.</translation>
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
        <translation>Files not removed</translation>
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
        <translation>Remove Vuska</translation>
    </message>
    <message>
        <source>Tämä ohjelma poistaa tietokoneeltasi Vuska-ohjelman version 1.22 Freeware.</source>
        <extracomment>The removal window, first paragraph (at most three lines).</extracomment>
        <translation>This program removes Vuska version 1.22 Freeware from your computer.</translation>
    </message>
    <message>
        <source>Muiden Windows-sovellusten sulkeminen ennen poiston aloittamista on erittäin suositeltavaa.</source>
        <extracomment>At most three lines.</extracomment>
        <translation>It is strongly recommended that you close all other applications before starting the removal.</translation>
    </message>
    <message>
        <source>Paina Poista-painiketta poistaaksesi Vuska-ohjelman.</source>
        <extracomment>At most two lines. &quot;Poista&quot; is the caption of the Remove button, without its access key.</extracomment>
        <translation>Click Remove to remove Vuska.</translation>
    </message>
    <message>
        <source>Huom! Jos painat Poista-painiketta, et voi keskeyttää ohjelman poistoa.</source>
        <extracomment>At most three lines. &quot;Poista&quot; is the caption of the Remove button, without its access key.</extracomment>
        <translation>Note: once you click Remove, you cannot interrupt the removal.</translation>
    </message>
    <message>
        <source>&amp;Poista</source>
        <extracomment>Button: removes the game. Short: the button is about 12 characters wide.</extracomment>
        <translation>&amp;Remove</translation>
    </message>
    <message>
        <source>Peruuta</source>
        <extracomment>Button: ends the program without removing anything. No access key: Esc presses it.</extracomment>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Sulje</source>
        <extracomment>The caption the Cancel button takes once the removal is done: it ends the program.</extracomment>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>vuska::setup::frmTiedostojenKopiointi</name>
    <message>
        <source>Kopioidaan tiedostoja</source>
        <extracomment>The title of the window that shows the copying of the files.</extracomment>
        <translation>Copying Files</translation>
    </message>
    <message>
        <source>Kopioinnin edistyminen</source>
        <extracomment>Screen reader&apos;s name of the progress bar of the copy.</extracomment>
        <translation>Copy progress</translation>
    </message>
</context>
<context>
    <name>vuska::setup::frmVaihe0</name>
    <message>
        <source>Tämä asennusohjelma asentaa Vuska-ohjelman version 1.22 Freeware.</source>
        <extracomment>Welcome page, first paragraph (at most three lines).</extracomment>
        <translation>This setup program installs Vuska version 1.22 Freeware.</translation>
    </message>
    <message>
        <source>Muiden Windows-sovellusten sulkeminen ennen itse asennuksen aloittamista on erittäin suositeltavaa.</source>
        <extracomment>Welcome page, second paragraph (at most three lines).</extracomment>
        <translation>It is strongly recommended that you close all other applications before starting the installation itself.</translation>
    </message>
</context>
<context>
    <name>vuska::setup::frmVaihe1</name>
    <message>
        <source>&amp;Hyväksy &gt;</source>
        <extracomment>Button: accepts the terms of use and goes on. Short: the button is about 12 characters wide.</extracomment>
        <translation>I &amp;Agree &gt;</translation>
    </message>
    <message>
        <source>Käyttöehdot</source>
        <extracomment>Screen reader&apos;s name of the box that shows the terms of use.</extracomment>
        <translation>Terms of use</translation>
    </message>
</context>
<context>
    <name>vuska::setup::frmVaihe2</name>
    <message>
        <source>Vuska asennetaan alempana näkyvään kohdekansioon.</source>
        <extracomment>Destination folder page, first paragraph (at most two lines).</extracomment>
        <translation>Vuska will be installed in the destination folder shown below.</translation>
    </message>
    <message>
        <source>Jos haluat asentaa ohjelman valittuun kansioon, paina Seuraava-painiketta.</source>
        <extracomment>At most two lines. &quot;Seuraava&quot; is the caption of the Next button, without its access key.</extracomment>
        <translation>To install the program in the chosen folder, click Next.</translation>
    </message>
    <message>
        <source>Jos haluat asentaa eri kansioon, paina Selaa-painiketta ja valitse haluamasi kansio.</source>
        <extracomment>At most two lines. &quot;Selaa&quot; is the caption of the Browse button, without its access key.</extracomment>
        <translation>To install in a different folder, click Browse and choose the folder you want.</translation>
    </message>
    <message>
        <source>Kohdekansio</source>
        <extracomment>The title of the frame around the folder&apos;s text box and the Browse button; also what a screen reader calls the text box.</extracomment>
        <translation>Destination folder</translation>
    </message>
    <message>
        <source>&amp;Selaa...</source>
        <extracomment>Button: opens the folder chooser. Short: the button is about 12 characters wide.</extracomment>
        <translation>B&amp;rowse...</translation>
    </message>
    <message>
        <source>Valitsemasi levyasema ei ole kelvollinen.</source>
        <translation>The drive you chose is not valid.</translation>
    </message>
    <message>
        <source>Asema kelvoton</source>
        <extracomment>The title of the box that refuses the drive typed.</extracomment>
        <translation>Invalid Drive</translation>
    </message>
    <message>
        <source>Valitsemasi kohdekansio ei ole kelvollinen.</source>
        <translation>The destination folder you chose is not valid.</translation>
    </message>
    <message>
        <source>Kohdekansio kelvoton</source>
        <extracomment>The title of the box that refuses the folder typed.</extracomment>
        <translation>Invalid Destination Folder</translation>
    </message>
    <message>
        <source>Asemassa ei ole tarpeeksi vapaata tilaa. Valitse
toinen asema ja yritä uudelleen.</source>
        <extracomment>A message box&apos;s text; the line break keeps the box narrow.</extracomment>
        <translation>There is not enough free space on the drive. Choose
another drive and try again.</translation>
    </message>
    <message>
        <source>Ei tarpeeksi levytilaa</source>
        <extracomment>The title of the box that says the drive is full.</extracomment>
        <translation>Not Enough Disk Space</translation>
    </message>
    <message>
        <source>Ei kansiota</source>
        <extracomment>The title of the question whether to make the destination folder.</extracomment>
        <translation>Folder Does Not Exist</translation>
    </message>
    <message>
        <source>Kansiota %1 ei ole olemassa.

Haluatko luoda sen?</source>
        <extracomment>%1 is the destination folder. Answered with Yes or No.</extracomment>
        <translation>The folder %1 does not exist.

Do you want to create it?</translation>
    </message>
    <message>
        <source>Kansio jo olemassa</source>
        <extracomment>The title of the question whether to install into a folder that is there already.</extracomment>
        <translation>Folder Already Exists</translation>
    </message>
    <message>
        <source>Kansio %1 on jo olemassa.

Haluatko korvata siellä mahdollisesti olevat samannimiset
tiedostot?</source>
        <extracomment>%1 is the destination folder. Answered with Yes or No; the line break keeps the box narrow.</extracomment>
        <translation>The folder %1 already exists.

Do you want to replace any files in it
that have the same names?</translation>
    </message>
</context>
<context>
    <name>vuska::setup::frmVaihe3</name>
    <message>
        <source>Vuska-ohjelman ja sen ohjetiedoston kuvakkeet lisätään alla olevaan kenttään kirjoittamaasi tai listasta valitsemaasi ohjelmaryhmään.</source>
        <extracomment>Program group page (at most three lines): the text box and the list of existing groups follow.</extracomment>
        <translation>The icons of Vuska and its help file will be added to the program group you type in the box below or choose from the list.</translation>
    </message>
    <message>
        <source>Ohjelmaryhmä</source>
        <extracomment>Screen reader&apos;s name of the text box that holds the program group&apos;s name.</extracomment>
        <translation>Program group</translation>
    </message>
    <message>
        <source>Ohjelmaryhmät</source>
        <extracomment>Screen reader&apos;s name of the list of the program groups there are.</extracomment>
        <translation>Program groups</translation>
    </message>
    <message>
        <source>&amp;Ohjelman kuvakkeita ei lisätä ohjelmaryhmään</source>
        <extracomment>Check box: no shortcuts are made at all. One line of about 50 characters; its access key must differ from the Next and Back buttons&apos;.</extracomment>
        <translation>&amp;Do not add the icons to a program group</translation>
    </message>
</context>
<context>
    <name>vuska::setup::frmVaihe4</name>
    <message>
        <source>Asennusohjelma on nyt valmis aloittamaan Vuskan tiedostojen kopioimisen aiemmin valitsemaasi kansioon.</source>
        <extracomment>Ready page, first paragraph (at most three lines).</extracomment>
        <translation>Setup is now ready to start copying the Vuska files to the folder you chose.</translation>
    </message>
    <message>
        <source>Paina Seuraava-painiketta aloittaaksesi asennuksen.</source>
        <extracomment>At most two lines. &quot;Seuraava&quot; is the caption of the Next button, without its access key.</extracomment>
        <translation>Click Next to start the installation.</translation>
    </message>
    <message>
        <source>Jos haluat muuttaa antamiasi asennustietoja, paina Edellinen-painiketta.</source>
        <extracomment>At most two lines. &quot;Edellinen&quot; is the caption of the Back button, without its access key.</extracomment>
        <translation>To change the setup details you have given, click Back.</translation>
    </message>
</context>
<context>
    <name>vuska::setup::frmVaihe5</name>
    <message>
        <source>&amp;Lopeta</source>
        <extracomment>Button of the last page: closes setup. Short: the button is about 12 characters wide.</extracomment>
        <translation>&amp;Finish</translation>
    </message>
    <message>
        <source>Ohjelma on nyt asennettu. Kiitos Vuskan asentamisesta!</source>
        <extracomment>Last page, at most two lines.</extracomment>
        <translation>The program is now installed. Thank you for installing Vuska!</translation>
    </message>
    <message>
        <source>Paina Lopeta-painiketta sulkeaksesi asennusohjelman.</source>
        <extracomment>At most two lines. &quot;Lopeta&quot; is the caption of the Finish button, without its access key.</extracomment>
        <translation>Click Finish to close Setup.</translation>
    </message>
</context>
<context>
    <name>vuska::setup::mdlVuskanAsennus</name>
    <message>
        <source>Jos lopetat nyt, Vuska-ohjelmaa ei asenneta. Voit ajaa
asennusohjelman uudelleen milloin tahansa.

Haluatko varmasti keskeyttää asennuksen?</source>
        <extracomment>Asked when the user cancels setup; answered with Yes (give up) or No (go on). The line breaks keep the box narrow.</extracomment>
        <translation>If you quit now, Vuska will not be installed. You can run
Setup again at any time.

Do you really want to cancel the installation?</translation>
    </message>
    <message>
        <source>Lopeta</source>
        <extracomment>The title of the question whether to give up the installation.</extracomment>
        <translation>Cancel Setup</translation>
    </message>
</context>
</TS>
