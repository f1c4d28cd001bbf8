#include "setup/wizard/kayttoehdot.h"

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

    QStringList lines;
    lines << QStringLiteral("Vahingot ja vastuu")
          << QString()
          << QStringLiteral("Vuska-ohjelma on testattu huolellisesti. Ohjelman tekijä ei kuitenkaan vastaa "
                            "vahingoista, joita ohjelman asentaminen, käyttö tai poistaminen saattaa aiheuttaa. "
                            "Käytät ohjelmaa omalla vastuullasi.")
          << QString()
          << QStringLiteral("Levitys ja jakelu")
          << QString()
          << QStringLiteral("Tätä Vuska-ohjelman versiota 1.22 Freeware saa kopioida ja levittää vapaasti. "
                            "Ohjelman levittäminen Internetin ja BBS-palvelujen kautta sekä ohjelmakokoelmissa on "
                            "sallittua, mutta siitä on ilmoitettava tekijälle sähköpostitse osoitteeseen ") +
                 email + QStringLiteral(". Levittämisen ehdot ovat seuraavat:")
          << QString()
          << QStringLiteral("1) Tämä versio levitetään yhtenä ZIP-pakettina, joka sisältää "
                            "täsmälleen seuraavat %1 tiedostoa:")
                 .arg(files.size())
          << QString();
    for (const InstallFile& file : files)
        lines << QStringLiteral("    ") + QString::fromUtf8(file.name).toUpper();
    lines << QString()
          << QStringLiteral("Jos paketista puuttuu jokin näistä tiedostoista, ota yhteyttä tekijään "
                            "sähköpostitse osoitteeseen ") + email + u'.'
          << QString()
          << QStringLiteral("2) Mitään paketin tiedostoista ei saa muuttaa millään tavalla.")
          << QString()
          << QStringLiteral("3) Tätä versiota ei saa myydä. Levityksestä saa kuitenkin periä pienen maksun.");
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace vuska::setup
