// debian/copyright is machine-readable (DEP-5), and the licence it gives the game is the terms
// of use the installer shows, word for word, so the package grants what the installer asks the
// user to accept.
#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include "setup/wizard/kayttoehdot.h"

using namespace vuska::setup;

namespace {

// One paragraph of the file: its fields in order, each value with its continuation lines
// (the leading space taken off, a lone "." read as an empty line).
struct Field {
    QString name;
    QStringList lines;
};
using Paragraph = QList<Field>;

QList<Paragraph> readCopyright()
{
    QFile file(QStringLiteral(VUSKA_COPYRIGHT_FILE));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", VUSKA_COPYRIGHT_FILE);
    QList<Paragraph> paragraphs(1);
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (line.trimmed().isEmpty()) {
            if (!paragraphs.last().isEmpty())
                paragraphs.append(Paragraph());
        } else if (line.startsWith(u' ') || line.startsWith(u'\t')) {
            if (paragraphs.last().isEmpty())
                qFatal("a continuation line opens a paragraph: %s", qPrintable(line));
            paragraphs.last().last().lines << (line.trimmed() == u'.' ? QString() : line.mid(1));
        } else {
            const qsizetype colon = line.indexOf(u':');
            if (colon <= 0)
                qFatal("a line is neither a field nor a continuation: %s", qPrintable(line));
            paragraphs.last().append({line.left(colon), {line.mid(colon + 1).trimmed()}});
        }
    }
    if (paragraphs.last().isEmpty())
        paragraphs.removeLast();
    return paragraphs;
}

const Field* field(const Paragraph& paragraph, const QString& name)
{
    for (const Field& f : paragraph)
        if (f.name == name)
            return &f;
    return nullptr;
}

// The text's paragraphs (blocks between empty lines), each with its white space made single
// spaces: the file folds long lines where the installer's window wraps them.
QStringList paragraphsOf(const QStringList& lines)
{
    QStringList out;
    QString current;
    for (const QString& line : lines) {
        if (line.trimmed().isEmpty()) {
            if (!current.isEmpty())
                out << current;
            current.clear();
        } else {
            current += (current.isEmpty() ? QString() : QStringLiteral(" ")) + line.simplified();
        }
    }
    if (!current.isEmpty())
        out << current;
    return out;
}

} // namespace

class TestPackagingCopyright : public QObject {
    Q_OBJECT
private slots:
    void headerNamesTheFormat();
    void everyLicenceHasItsText();
    void gameLicenceIsTheTerms_data();
    void gameLicenceIsTheTerms();
};

void TestPackagingCopyright::headerNamesTheFormat()
{
    const QList<Paragraph> paragraphs = readCopyright();
    QVERIFY2(!paragraphs.isEmpty(), "debian/copyright is empty");
    const Field* format = field(paragraphs.first(), QStringLiteral("Format"));
    QVERIFY2(format, "the first paragraph has no Format field");
    QCOMPARE(format->lines.first(), QStringLiteral("https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/"));
    const Field* contact = field(paragraphs.first(), QStringLiteral("Upstream-Contact"));
    QVERIFY2(contact && contact->lines.first().contains(u'@'), "the header names no contact address");
}

void TestPackagingCopyright::everyLicenceHasItsText()
{
    const QList<Paragraph> paragraphs = readCopyright();
    QStringList named, withText;
    bool everything = false;
    for (const Paragraph& p : paragraphs.mid(1)) {
        const Field* licence = field(p, QStringLiteral("License"));
        QVERIFY2(licence, "a paragraph has no License field");
        if (const Field* files = field(p, QStringLiteral("Files"))) {
            QVERIFY2(field(p, QStringLiteral("Copyright")), qPrintable(QStringLiteral("no Copyright for ") + files->lines.first()));
            everything = everything || files->lines.first() == u'*';
            named << licence->lines.first();
        } else {
            QVERIFY2(licence->lines.size() > 1, qPrintable(QStringLiteral("the licence ") + licence->lines.first() + QStringLiteral(" has no text")));
            withText << licence->lines.first();
        }
    }
    QVERIFY2(everything, "no paragraph covers every file (Files: *)");
    for (const QString& name : named)
        QVERIFY2(withText.contains(name), qPrintable(QStringLiteral("the licence ") + name + QStringLiteral(" has no text")));
}

void TestPackagingCopyright::gameLicenceIsTheTerms_data()
{
    const QList<Paragraph> paragraphs = readCopyright();
    // The file names the author's address of the package build; this build may have another.
    static const QRegularExpression angled(QStringLiteral("<([^>]+)>"));
    const QString packageAddress = angled.match(field(paragraphs.first(), QStringLiteral("Upstream-Contact"))->lines.first()).captured(1);
    QVERIFY2(!packageAddress.isEmpty(), "the contact has no <address>");

    QStringList licence;
    for (const Paragraph& p : paragraphs)
        if (!field(p, QStringLiteral("Files")) && field(p, QStringLiteral("License")) &&
            field(p, QStringLiteral("License"))->lines.first() == QLatin1String("Vuska-freeware"))
            licence = field(p, QStringLiteral("License"))->lines.mid(1);
    QVERIFY2(!licence.isEmpty(), "no text for the licence Vuska-freeware");

    QString terms = termsText();
    terms.replace(authorEmail(), packageAddress);
    const QStringList expected = paragraphsOf(terms.split(QStringLiteral("\r\n")));
    const QStringList actual = paragraphsOf(licence);

    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("actual");
    for (qsizetype i = 0; i < std::max(expected.size(), actual.size()); ++i)
        QTest::addRow("paragraph %d", int(i + 1)) << expected.value(i) << actual.value(i);
}

void TestPackagingCopyright::gameLicenceIsTheTerms()
{
    QFETCH(QString, expected);
    QFETCH(QString, actual);
    QCOMPARE(actual, expected);
}

QTEST_GUILESS_MAIN(TestPackagingCopyright)
#include "test_packaging_copyright.moc"
