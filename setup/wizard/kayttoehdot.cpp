#include "setup/wizard/kayttoehdot.h"

#include <QCoreApplication>
#include <QStringList>

#include "setup/wizard/filetable.h"

namespace vuska::setup {

QString authorEmail()
{
    return QStringLiteral(VUSKA_AUTHOR_EMAIL);
}

QString termsText()
{
    const QString email = authorEmail();
    const auto files = installationFiles();

    // A message for each heading, paragraph and condition; the list of files between them
    // stays as it is in every language.
    QStringList lines;
    //: The terms of use on the second page of setup: the heading of the first section.
    lines << QCoreApplication::translate("vuska::setup::TermsOfUse", "Vahingot ja vastuu")
          << QString()
          << QCoreApplication::translate("vuska::setup::TermsOfUse",
                                         "Vuska-ohjelma on testattu huolellisesti. Ohjelman tekijä ei kuitenkaan "
                                         "vastaa vahingoista, joita ohjelman asentaminen, käyttö tai poistaminen "
                                         "saattaa aiheuttaa. Käytät ohjelmaa omalla vastuullasi.")
          << QString()
          //: The heading of the second section of the terms of use.
          << QCoreApplication::translate("vuska::setup::TermsOfUse", "Levitys ja jakelu")
          << QString()
          //: %1 is the author's e-mail address.
          << QCoreApplication::translate("vuska::setup::TermsOfUse",
                                         "Tätä Vuska-ohjelman versiota 1.22 Freeware saa kopioida ja levittää "
                                         "vapaasti. Ohjelman levittäminen Internetin ja BBS-palvelujen kautta sekä "
                                         "ohjelmakokoelmissa on sallittua, mutta siitä on ilmoitettava tekijälle "
                                         "sähköpostitse osoitteeseen %1. Levittämisen ehdot ovat seuraavat:")
                 .arg(email)
          << QString()
          //: %1 is the number of files; their names follow, one a line.
          << QCoreApplication::translate("vuska::setup::TermsOfUse",
                                         "1) Tämä versio levitetään yhtenä ZIP-pakettina, joka sisältää "
                                         "täsmälleen seuraavat %1 tiedostoa:")
                 .arg(files.size())
          << QString();
    for (const InstallFile& file : files)
        lines << QStringLiteral("    ") + QString::fromUtf8(file.name).toUpper();
    lines << QString()
          //: %1 is the author's e-mail address.
          << QCoreApplication::translate("vuska::setup::TermsOfUse",
                                         "Jos paketista puuttuu jokin näistä tiedostoista, ota yhteyttä tekijään "
                                         "sähköpostitse osoitteeseen %1.")
                 .arg(email)
          << QString()
          << QCoreApplication::translate("vuska::setup::TermsOfUse",
                                         "2) Mitään paketin tiedostoista ei saa muuttaa millään tavalla.")
          << QString()
          << QCoreApplication::translate("vuska::setup::TermsOfUse",
                                         "3) Tätä versiota ei saa myydä. Levityksestä saa kuitenkin periä pienen "
                                         "maksun.");
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace vuska::setup
