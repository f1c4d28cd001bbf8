#include "platform/help.h"
#include "platform/helpdocument.h"
#include "platform/messagebox.h"
#include "tests/support/sandbox.h"

#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextList>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>
#include <QWindow>

#include <algorithm>
#include <memory>

#include <sys/stat.h>

using namespace platform;

namespace {

const QString sourceDir = QStringLiteral(VUSKA_SOURCE_DIR);
const QString setDir = QStringLiteral(VUSKA_SET_DIR);
const QString realHelp = setDir + QStringLiteral("/vuska.hlp");
const QString authorEmail = QString::fromUtf8(VUSKA_AUTHOR_EMAIL);
const QString homePage = QString::fromUtf8(VUSKA_HOME_PAGE);

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QString plainText(const HelpTopic& topic)
{
    QTextDocument text;
    HelpDocument::render(topic, text);
    return text.toPlainText().simplified();
}

// The block of the rendered text that reads exactly so.
QTextBlock blockReading(const QTextDocument& text, const QString& wanted)
{
    for (QTextBlock block = text.begin(); block.isValid(); block = block.next()) {
        if (block.text() == wanted)
            return block;
    }
    return {};
}

// The format of the first character of the first place the text shows the given words.
std::optional<QTextCharFormat> formatOf(const QTextDocument& text, const QString& words)
{
    QTextCursor found = text.find(words);
    if (found.isNull())
        return std::nullopt;
    found.setPosition(found.selectionStart() + 1);
    return found.charFormat();
}

// A small document: topic a links to b, b has lists, a heading, links that lead nowhere and
// text that looks like HTML.
const QByteArray smallDocument = R"(<!-- vuska-help 1: Pieni ohje -->

<!-- topic a 1: öljy; aasi -->
# Ensimmäinen
Avaa [toinen aihe](#b) tästä.

<!-- topic b 2: Ässä; banaani; AASI -->
# Toinen <i>aihe</i>
Teksti <b>x</b> ja <img src=x> sekä <!-- ei kommentti --> ja **lihava** ja [kadonnut](#puuttuu)
ja [verkko](https://example.invalid/).

## Otsikko
* eka
  jatkuu
* toka

1. yksi
<!-- end -->
)";

QList<QWidget*> viewers()
{
    QList<QWidget*> found;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("helpViewer"))
            found.append(w);
    }
    return found;
}

QString shownText(QWidget* viewer)
{
    return viewer->findChild<QTextBrowser*>(QStringLiteral("topic"))->toPlainText();
}

QTreeWidgetItem* itemWithText(QTreeWidget* tree, const QString& text)
{
    const QList<QTreeWidgetItem*> items = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return items.isEmpty() ? nullptr : items.first();
}

// A click as the window system delivers it, so that a window blocked by a modal one
// does not get it.
void systemClick(QWidget* viewer, QWidget* target, QPoint at)
{
    QTest::mouseClick(viewer->windowHandle(), Qt::LeftButton, {}, target->mapTo(viewer, at));
}

// Clicks the words where the topic shows them.
bool clickText(QWidget* viewer, QTextBrowser* topic, const QString& words)
{
    QTextCursor at = topic->document()->find(words);
    if (at.isNull())
        return false;
    at.setPosition(at.selectionStart() + 1);
    systemClick(viewer, topic->viewport(), topic->cursorRect(at).center());
    return true;
}

bool clickContentsItem(QWidget* viewer, const QString& text)
{
    auto* tree = viewer->findChild<QTreeWidget*>(QStringLiteral("contents"));
    QTreeWidgetItem* item = itemWithText(tree, text);
    if (!item)
        return false;
    tree->scrollToItem(item);
    systemClick(viewer, tree->viewport(), tree->visualItemRect(item).center());
    return true;
}

} // namespace

class TestPlatformHelp : public QObject {
    Q_OBJECT

private slots:
    void cleanup()
    {
        for (QWidget* viewer : viewers())
            viewer->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(viewers().isEmpty());
    }

    // Every topic the program opens by number exists and speaks of the situation it is
    // opened in, naming what the user sees there; the keys topic tells how Enter, Esc and
    // Alt work in the game window and in the dialogs.
    void realDocumentExplainsEveryContext_data()
    {
        QTest::addColumn<int>("context");
        QTest::addColumn<QStringList>("phrases");
        QTest::newRow("9 picture missing") << 9 << QStringList{"ei löydy", "asenna ohjelma uudelleen", "tausta.jpg"};
        QTest::newRow("15 new game")
            << 15 << QStringList{"Haluatko varmasti keskeyttää nykyisen pelin ja aloittaa uuden?", "Kyllä", "Ei",
                                 "Enter-näppäintä", "uutta peliä ei voi aloittaa"};
        QTest::newRow("17 settings")
            << 17 << QStringList{"Vuoroaloitus", "Aloittaja arvotaan", "Pienimmän kortin omistaja aloittaa",
                                 "Edellisen pelin voittanut aloittaa", "Näytetään animaationa",
                                 "Vain korttien kääntö näytetään", "Korttien siirtymisvaiheita ei näytetä",
                                 "OK", "Peruuta", "jossa kohdistus on"};
        QTest::newRow("18 best results")
            << 18 << QStringList{"Tyhjennä", "Haluatko varmasti tyhjentää parhaiden tulosten listan?", "Kyllä",
                                 "Oona Ohjelmoija"};
        QTest::newRow("19 links") << 19 << QStringList{"Sähköpostin lähetys ei onnistunut.", "Vuskan kotisivun avaus ei onnistunut.",
                                                       authorEmail, homePage};
        QTest::newRow("24 keys")
            << 24 << QStringList{"Enter painaa sitä ikkunan alalaidan painiketta, jossa kohdistus on",
                                 "Kun painikkeet on piilotettu, Esc ei tee mitään", "Alt+U", "Alt+L",
                                 "Enter painaa OK-painiketta", "Esc painaa Peruuta-painiketta"};
        QTest::newRow("25 follow suit") << 25 << QStringList{"Tietokonevastustajasi on lyönyt eteen", "joten sinun on lyötävä sitä", "Lyötävä herttaa"};
    }
    void realDocumentExplainsEveryContext()
    {
        QFETCH(int, context);
        QFETCH(QStringList, phrases);
        const std::optional<HelpDocument> document = HelpDocument::load(realHelp);
        QVERIFY(document);
        const HelpTopic* topic = document->topicByContext(context);
        QVERIFY(topic);
        QVERIFY(!topic->title.isEmpty());
        const QString text = plainText(*topic);
        QVERIFY2(text.startsWith(topic->title + QLatin1Char(' ')), qPrintable(text.left(60)));
        QVERIFY2(text.split(QLatin1Char(' ')).size() >= 60, qPrintable(topic->id));
        for (const QString& phrase : phrases)
            QVERIFY2(text.contains(phrase), qPrintable(topic->id + ": " + phrase));
    }

    // The topics are numbered 1 to N without a gap, every link leads to a topic, the
    // contents file is found beside the document and names only topics that exist, and no
    // topic is left out of both the contents and the index.
    void realDocumentHangsTogether()
    {
        const std::optional<HelpDocument> document = HelpDocument::load(realHelp);
        QVERIFY(document);
        QVERIFY(document->topics().size() >= 20);
        QList<int> contexts;
        int links = 0;
        for (const HelpTopic& topic : document->topics()) {
            contexts.append(topic.context);
            QVERIFY2(!topic.keywords.isEmpty(), qPrintable(topic.id));
            for (const QString& target : HelpDocument::linkTargets(topic)) {
                QVERIFY2(document->topicById(HelpDocument::topicIdOf(QUrl(target))),
                         qPrintable(topic.id + " -> " + target));
                ++links;
            }
        }
        QVERIFY(links >= 40);
        std::sort(contexts.begin(), contexts.end());
        for (int i = 0; i < contexts.size(); ++i)
            QCOMPARE(contexts.at(i), i + 1);

        const std::optional<HelpContents> contents = loadHelpContents(realHelp, *document);
        QVERIFY(contents);
        QCOMPARE(contents->title, QStringLiteral("Vuskan ohje"));
        QSet<QString> listed;
        for (const HelpContentsEntry& entry : contents->entries) {
            if (!entry.topicId.isEmpty()) {
                QVERIFY2(document->topicById(entry.topicId), qPrintable(entry.topicId));
                listed.insert(entry.topicId);
            }
        }
        for (const HelpTopic& topic : document->topics())
            QVERIFY2(listed.contains(topic.id), qPrintable(topic.id));
    }

    // Each text that shows the author's addresses is made from a template that writes none
    // by hand, and shows the configured ones with no placeholder left over.
    void packageTextsShowTheConfiguredAddresses_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("emails");
        QTest::addColumn<int>("homePages");
        QTest::newRow("read-me") << "readme.txt" << 2 << 1;
        QTest::newRow("package description") << "file_id.diz" << 1 << 1;
        QTest::newRow("help") << "vuska.hlp" << 3 << 2;
    }
    void packageTextsShowTheConfiguredAddresses()
    {
        QFETCH(QString, name);
        QFETCH(int, emails);
        QFETCH(int, homePages);
        const QString shipped = QString::fromUtf8(readAll(setDir + "/" + name));
        const QString templ = QString::fromUtf8(readAll(sourceDir + "/assets/" + name + ".in"));
        QVERIFY2(!templ.isEmpty() && !shipped.isEmpty(), qPrintable(name));
        QVERIFY(!QFile::exists(sourceDir + "/assets/" + name));

        static const QRegularExpression address(QStringLiteral("[\\w.+-]+@[\\w-]+\\.[\\w.-]+|https?://\\S+"));
        QVERIFY2(!templ.contains(address), qPrintable(templ.mid(templ.indexOf(address), 40)));
        QCOMPARE(templ.count(QStringLiteral("@VUSKA_AUTHOR_EMAIL@")), emails);
        QCOMPARE(templ.count(QStringLiteral("@VUSKA_HOME_PAGE@")), homePages);

        static const QRegularExpression placeholder(QStringLiteral("@[A-Za-z_][A-Za-z0-9_]*@"));
        QVERIFY2(!shipped.contains(placeholder), qPrintable(shipped.mid(shipped.indexOf(placeholder), 40)));
        QVERIFY(shipped.count(authorEmail) >= emails);
        QVERIFY(shipped.count(homePage) >= homePages);
    }

    // The package description keeps to the FILE_ID.DIZ limits, counted in characters, and
    // the read-me names every file of the package and stays within its line width.
    void packageTextFiles()
    {
        const QString diz = QString::fromUtf8(readAll(setDir + "/file_id.diz"));
        QStringList lines = diz.split(QLatin1Char('\n'));
        if (lines.last().isEmpty())
            lines.removeLast();
        QVERIFY(!lines.isEmpty() && lines.size() <= 10);
        QVERIFY(lines.first().startsWith(QStringLiteral("Vuska 1.22 Freeware")));
        for (const QString& line : lines)
            QVERIFY2(line.size() <= 45 && !line.contains(QLatin1Char('\r')), qPrintable(line));

        const QString readme = QString::fromUtf8(readAll(setDir + "/readme.txt"));
        for (const QString& line : readme.split(QLatin1Char('\n')))
            QVERIFY2(line.size() <= 78, qPrintable(line));
        QStringList files{"file_id.diz", "readme.txt", "setup.exe", "tausta.jpg", "vuska.exe", "vuska.hlp", "vuska122.cnt"};
        for (const char* suit : {"hertta", "pata", "risti", "ruutu"}) {
            for (int value = 2; value <= 13; ++value)
                files << QString::fromLatin1(suit) + QString::number(value) + ".jpg";
            files << QString::fromLatin1(suit) + "a.jpg";
        }
        QCOMPARE(files.size(), 59);
        for (const QString& name : files) {
            const QRegularExpression whole("(^|[^\\w.])" + QRegularExpression::escape(name) + "(?!\\w)");
            QVERIFY2(readme.contains(whole), qPrintable(name));
            QVERIFY2(QFile::exists(setDir + "/" + name) || name.endsWith(".exe"), qPrintable(name));
        }
    }

    // Topics, their titles, keywords and text, and the caption are read as written.
    void parsesTopicsAndKeywords()
    {
        const std::optional<HelpDocument> document = HelpDocument::parse(smallDocument);
        QVERIFY(document);
        QCOMPARE(document->title(), QStringLiteral("Pieni ohje"));
        QCOMPARE(int(document->topics().size()), 2);
        QCOMPARE(document->topicByContext(2)->id, QStringLiteral("b"));
        QCOMPARE(document->topicById("a")->title, QStringLiteral("Ensimmäinen"));
        QCOMPARE(document->topicById("a")->markdown, QStringLiteral("# Ensimmäinen\nAvaa [toinen aihe](#b) tästä.\n\n"));
        QCOMPARE(document->topicById("b")->title, QStringLiteral("Toinen <i>aihe</i>"));
        QCOMPARE(document->topicById("b")->keywords, (QStringList{"Ässä", "banaani", "AASI"}));
        QVERIFY(!document->topicByContext(3));
        QVERIFY(!document->topicById("puuttuu"));
        QCOMPARE(HelpDocument::linkTargets(*document->topicById("a")), QStringList{"#b"});
        QCOMPARE(HelpDocument::linkTargets(*document->topicById("b")),
                 (QStringList{"#puuttuu", "https://example.invalid/"}));

        const std::optional<HelpDocument> untitled = HelpDocument::parse(
            QByteArray(smallDocument).replace("<!-- vuska-help 1: Pieni ohje -->", "<!-- vuska-help 1 -->"));
        QVERIFY(untitled);
        QCOMPARE(untitled->title(), QString());
    }

    // Only links of the form #id name topics; nothing else leads anywhere.
    void topicIdOfLinks_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("id");
        QTest::newRow("topic") << "#maan-tunnustaminen" << "maan-tunnustaminen";
        QTest::newRow("unknown topic") << "#puuttuu" << "puuttuu";
        QTest::newRow("web") << "https://example.invalid/#a" << "";
        QTest::newRow("file") << "file:///etc/passwd" << "";
        QTest::newRow("relative file") << "vuska.hlp#a" << "";
        QTest::newRow("not an id") << "#Iso Kirjain" << "";
        QTest::newRow("empty") << "#" << "";
    }
    void topicIdOfLinks()
    {
        QFETCH(QString, link);
        QFETCH(QString, id);
        QCOMPARE(HelpDocument::topicIdOf(QUrl(link)), id);
    }

    // The text is Markdown: headings, lists, bold and links become rich text; whatever looks
    // like HTML is shown as it stands.
    void rendersMarkdownAndShowsTheRestAsText()
    {
        const std::optional<HelpDocument> document = HelpDocument::parse(smallDocument);
        QVERIFY(document);
        QTextDocument b;
        HelpDocument::render(*document->topicById("b"), b);
        const QString text = b.toPlainText();
        QVERIFY2(text.contains("Teksti <b>x</b> ja <img src=x> sekä <!-- ei kommentti --> ja lihava"), qPrintable(text));
        QVERIFY(!b.toHtml().contains("<img") && !b.toHtml().contains("<i>"));
        QCOMPARE(blockReading(b, "Toinen <i>aihe</i>").blockFormat().headingLevel(), 1);
        QCOMPARE(blockReading(b, "Otsikko").blockFormat().headingLevel(), 2);
        const QTextBlock item = blockReading(b, "eka jatkuu");
        const auto bulleted = [](const QTextList* list) {
            return list && list->format().style() >= QTextListFormat::ListSquare && list->format().style() < 0;
        };
        QVERIFY(bulleted(item.textList()));
        QVERIFY(blockReading(b, "toka").textList() == item.textList());
        QVERIFY(blockReading(b, "yksi").textList() &&
                blockReading(b, "yksi").textList()->format().style() == QTextListFormat::ListDecimal);
        const std::optional<QTextCharFormat> bold = formatOf(b, "lihava");
        QVERIFY(bold && bold->fontWeight() == QFont::Bold && !bold->isAnchor());
        const std::optional<QTextCharFormat> plain = formatOf(b, "Teksti");
        QVERIFY(plain && plain->fontWeight() != QFont::Bold);

        QTextDocument a;
        HelpDocument::render(*document->topicById("a"), a);
        const std::optional<QTextCharFormat> link = formatOf(a, "toinen aihe");
        QVERIFY(link && link->isAnchor());
        QCOMPARE(link->anchorHref(), QStringLiteral("#b"));
        // A bare address stays text: links out of the help are not followed anyway.
        HelpTopic web{"w", 1, "W", {}, "# W\nKatso https://example.invalid/ tai vuska@example.invalid.\n"};
        QVERIFY(HelpDocument::linkTargets(web).isEmpty());
    }

    void refusesDamagedDocuments_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray ok = smallDocument;
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("header and end only") << QByteArray("<!-- vuska-help 1 -->\n<!-- end -->\n");
        QTest::newRow("other format") << QByteArray("?_\x03\x00 WinHelp", 12) + ok;
        QTest::newRow("plain Markdown") << QByteArray(ok).replace("<!-- vuska-help 1: Pieni ohje -->", "# Pieni ohje");
        QTest::newRow("newer version") << QByteArray(ok).replace("vuska-help 1", "vuska-help 2");
        QTest::newRow("no end") << QByteArray(ok).replace("<!-- end -->", "");
        QTest::newRow("end cut short") << QByteArray(ok).replace("<!-- end -->", "<!-- end --");
        QTest::newRow("text after end") << ok + "lisää\n";
        QTest::newRow("topic after end") << ok + "<!-- topic c 3: x -->\n# C\n";
        QTest::newRow("text before topics") << QByteArray(ok).replace("\n\n<!-- topic a", "\nirtoteksti\n<!-- topic a");
        QTest::newRow("unknown mark") << QByteArray(ok).replace("<!-- topic b 2:", "<!-- aihe b 2:");
        QTest::newRow("mark inside a topic") << QByteArray(ok).replace("## Otsikko", "<!-- huomautus -->");
        QTest::newRow("no title") << QByteArray(ok).replace("# Ensimmäinen\n", "");
        QTest::newRow("subheading for title") << QByteArray(ok).replace("# Ensimmäinen", "## Ensimmäinen");
        QTest::newRow("empty title") << QByteArray(ok).replace("# Ensimmäinen", "# ");
        QTest::newRow("topic ends before its title")
            << QByteArray(ok).replace("# Toinen <i>aihe</i>\n", "<!-- topic c 3: y -->\n# C\n");
        QTest::newRow("same id twice") << QByteArray(ok).replace("<!-- topic b 2", "<!-- topic a 2");
        QTest::newRow("same context twice") << QByteArray(ok).replace("<!-- topic b 2", "<!-- topic b 1");
        QTest::newRow("context zero") << QByteArray(ok).replace("<!-- topic a 1", "<!-- topic a 0");
        QTest::newRow("bad id") << QByteArray(ok).replace("<!-- topic a 1", "<!-- topic A 1");
        QTest::newRow("picture") << QByteArray(ok).replace("Avaa [toinen", "![kuva](/etc/passwd) [toinen");
        QTest::newRow("picture by reference") << QByteArray(ok).replace("* toka", "* ![toka][k]\n\n[k]: /dev/zero");
        QTest::newRow("not UTF-8") << QByteArray(ok).replace("Ensimm\xc3\xa4inen", "Ensimm\xe4inen");
        QTest::newRow("NUL byte") << QByteArray(ok).replace("tästä", QByteArray("t\0st", 4));
        QTest::newRow("lone CR") << QByteArray(ok).replace("tästä", "tä\rstä");
    }
    void refusesDamagedDocuments()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(!HelpDocument::parse(bytes));
        QTemporaryDir dir;
        const QString path = dir.filePath("vuska.hlp");
        QVERIFY(writeFile(path, bytes));
        QVERIFY(!openHelpTopic(path, 1));
        QVERIFY(!openHelpIndex(path));
        QVERIFY(!openHelpContents(path));
        QVERIFY(viewers().isEmpty());
    }

    // Line ends, blank lines around the marks and a file without a last line end are fine.
    void acceptsWhatTheFormatAllows_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray ok = smallDocument;
        QTest::newRow("as written") << ok;
        QTest::newRow("CR LF") << QByteArray(ok).replace("\n", "\r\n");
        QTest::newRow("no last line end") << ok.chopped(1);
        QTest::newRow("blank lines after end") << ok + "\n\n";
        QTest::newRow("blank line before title") << QByteArray(ok).replace("-->\n# Ensimmäinen", "-->\n\n# Ensimmäinen");
        QTest::newRow("no keywords") << QByteArray(ok).replace("<!-- topic a 1: öljy; aasi -->", "<!-- topic a 1 -->");
    }
    void acceptsWhatTheFormatAllows()
    {
        QFETCH(QByteArray, bytes);
        const std::optional<HelpDocument> document = HelpDocument::parse(bytes);
        QVERIFY(document);
        QCOMPARE(int(document->topics().size()), 2);
        QCOMPARE(document->topicById("a")->title, QStringLiteral("Ensimmäinen"));
        QVERIFY(plainText(*document->topicById("b")).endsWith(QStringLiteral("toka yksi")));
    }

    // A document cut short anywhere before its last line is damaged; garbage and mangled
    // copies of the real document never crash the reader or the renderer.
    void survivesTruncationAndGarbage()
    {
        const QByteArray real = readAll(realHelp);
        const QByteArray endMark = "\n<!-- end -->";
        const qsizetype endLine = real.lastIndexOf(endMark);
        QVERIFY(endLine > 0 && HelpDocument::parse(real));
        QVERIFY(HelpDocument::parse(real.left(endLine + endMark.size())));
        for (qsizetype n = 0; n < endLine + endMark.size(); n += (n < endLine - 64 ? 37 : 1))
            QVERIFY2(!HelpDocument::parse(real.left(n)), qPrintable(QString::number(n)));

        QRandomGenerator random(20240611);
        for (int round = 0; round < 300; ++round) {
            QByteArray bytes = round % 2 ? real : QByteArray(int(random.bounded(4000)), '\0');
            const int changes = round % 2 ? 1 + int(random.bounded(8)) : bytes.size();
            for (int i = 0; i < changes && !bytes.isEmpty(); ++i)
                bytes[qsizetype(random.bounded(quint32(bytes.size())))] = char(random.bounded(256));
            if (const std::optional<HelpDocument> document = HelpDocument::parse(bytes)) {
                for (const HelpTopic& topic : document->topics())
                    QVERIFY(!plainText(topic).isEmpty());
            }
            HelpContents::parse(bytes);
        }
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("vuska.hlp"), real.left(real.size() / 2)));
        QVERIFY(!openHelpTopic(dir.filePath("vuska.hlp"), 25));
        QVERIFY(!openHelpContents(dir.filePath("vuska.hlp")));
        QVERIFY(viewers().isEmpty());
    }

    // Nothing that is not a readable regular help file opens a window.
    void refusesWhatIsNotAReadableFile()
    {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("tyhja.hlp"), {}));
        QVERIFY(::mkfifo(QFile::encodeName(dir.filePath("putki.hlp")).constData(), 0600) == 0);
        QVERIFY(writeFile(dir.filePath("suljettu.hlp"), smallDocument));
        QFile::setPermissions(dir.filePath("suljettu.hlp"), QFileDevice::WriteOwner);
        QStringList paths{QString(), dir.filePath("puuttuu.hlp"), dir.path(), dir.filePath("tyhja.hlp"),
                          dir.filePath("putki.hlp"), dir.filePath(QString(300, QChar(u'ä')) + ".hlp")};
        if (!QFileInfo(dir.filePath("suljettu.hlp")).isReadable()) // (root reads it all the same)
            paths << dir.filePath("suljettu.hlp");
        for (const QString& path : paths) {
            QVERIFY2(!openHelpTopic(path, 1), qPrintable(path));
            QVERIFY2(!openHelpIndex(path), qPrintable(path));
            QVERIFY2(!openHelpContents(path), qPrintable(path));
        }
        QVERIFY(viewers().isEmpty());
        QCOMPARE(helpFileFailureText("/opt/peli/vuska.hlp"), QStringLiteral("Ohjetiedoston vuska.hlp avaus ei onnistu."));
        QCOMPARE(helpFileFailureText("ohje.hlp"), QStringLiteral("Ohjetiedoston ohje.hlp avaus ei onnistu."));
    }

    // The window opens at the numbered topic, follows links and the contents in place, goes
    // back, refuses unknown numbers, and one window serves each file.
    void viewerShowsTopicsInOneWindow()
    {
        QVERIFY(!openHelpTopic(realHelp, 424242));
        QVERIFY(viewers().isEmpty());
        QVERIFY(openHelpTopic(realHelp, 25));
        QCOMPARE(viewers().size(), 1);
        QWidget* viewer = viewers().first();
        QVERIFY(viewer->isVisible());
        QCOMPARE(viewer->windowTitle(), QStringLiteral("Vuskan ohje"));
        QCOMPARE(viewer->windowModality(), Qt::NonModal);
        QVERIFY(shownText(viewer).startsWith(QStringLiteral("Maan tunnustaminen")));
        QVERIFY(shownText(viewer).contains(QStringLiteral("Lyötävä herttaa")));
        auto* contents = viewer->findChild<QTreeWidget*>(QStringLiteral("contents"));
        QCOMPARE(contents->currentItem()->text(0), QStringLiteral("Maan tunnustaminen"));
        auto* back = viewer->findChild<QPushButton*>(QStringLiteral("back"));
        QVERIFY(!back->isEnabled());

        QVERIFY(openHelpTopic(realHelp, 17));
        QCOMPARE(viewers().size(), 1);
        QVERIFY(shownText(viewer).startsWith(QStringLiteral("Asetukset-ikkuna")));

        // The first link of the settings topic, followed from the keyboard.
        auto* topic = viewer->findChild<QTextBrowser*>(QStringLiteral("topic"));
        topic->setFocus();
        QTest::keyClick(topic, Qt::Key_Tab);
        QTest::keyClick(topic, Qt::Key_Return);
        QVERIFY2(shownText(viewer).startsWith(QStringLiteral("Pelin aloitustavat")), qPrintable(shownText(viewer).left(40)));

        QVERIFY(clickContentsItem(viewer, QStringLiteral("Levitysehdot")));
        QVERIFY(shownText(viewer).startsWith(QStringLiteral("Levitysehdot")));
        QVERIFY(back->isEnabled());
        back->click();
        QVERIFY(shownText(viewer).startsWith(QStringLiteral("Pelin aloitustavat")));
        back->click();
        back->click();
        QVERIFY(shownText(viewer).startsWith(QStringLiteral("Maan tunnustaminen")));
        QVERIFY(!back->isEnabled());
    }

    // Links to topics of the document are followed; a link to a topic it lacks or out of the
    // help leads nowhere and leaves the reader where he was.
    void linksLeadOnlyToTopics_data()
    {
        QTest::addColumn<QString>("words");
        QTest::addColumn<QString>("shownAfter");
        QTest::newRow("missing topic") << "kadonnut" << "Toinen <i>aihe</i>";
        QTest::newRow("out of the help") << "verkko" << "Toinen <i>aihe</i>";
    }
    void linksLeadOnlyToTopics()
    {
        QFETCH(QString, words);
        QFETCH(QString, shownAfter);
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("pieni.hlp"), smallDocument));
        QVERIFY(openHelpTopic(dir.filePath("pieni.hlp"), 2));
        QWidget* viewer = viewers().value(0);
        QVERIFY(viewer);
        auto* topic = viewer->findChild<QTextBrowser*>(QStringLiteral("topic"));
        QVERIFY(clickText(viewer, topic, words));
        QVERIFY2(shownText(viewer).startsWith(shownAfter), qPrintable(shownText(viewer).left(40)));
        QVERIFY(!viewer->findChild<QPushButton*>(QStringLiteral("back"))->isEnabled());
        QCOMPARE(topic->source(), QUrl());

        QVERIFY(openHelpTopic(dir.filePath("pieni.hlp"), 1));
        QVERIFY(clickText(viewer, topic, QStringLiteral("toinen aihe")));
        QVERIFY(shownText(viewer).startsWith(QStringLiteral("Toinen <i>aihe</i>")));
    }

    // A topic opens at its top, however far down the one before was read.
    void newTopicShownFromItsTop()
    {
        QVERIFY(openHelpTopic(realHelp, 16));
        QWidget* viewer = viewers().value(0);
        QVERIFY(viewer);
        viewer->resize(viewer->minimumSize());
        // (The text is laid out, and a view kept on its cursor scrolled, once events run.)
        QCoreApplication::processEvents();
        QScrollBar* bar = viewer->findChild<QTextBrowser*>(QStringLiteral("topic"))->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), 0);
        bar->setValue(bar->maximum());
        QVERIFY(openHelpTopic(realHelp, 17));
        QCoreApplication::processEvents();
        QCOMPARE(bar->value(), 0);
    }

    // The contents open on their tab at the first topic they list, from wherever the reader
    // was, who can still go back there; without a contents file, at the document's first topic.
    void contentsOpenAtTheirFirstTopic_data()
    {
        QTest::addColumn<QByteArray>("cnt");
        QTest::addColumn<QString>("first");
        QTest::newRow("no contents file") << QByteArray() << "Ensimmäinen";
        QTest::newRow("contents file") << QByteArray(":Base pieni.hlp\n1 Kirja\n2 Toka=b\n1 Eka=a\n") << "Toinen <i>aihe</i>";
    }
    void contentsOpenAtTheirFirstTopic()
    {
        QFETCH(QByteArray, cnt);
        QFETCH(QString, first);
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("pieni.hlp"), smallDocument));
        if (!cnt.isEmpty())
            QVERIFY(writeFile(dir.filePath("pieni.cnt"), cnt));
        QVERIFY(openHelpContents(dir.filePath("pieni.hlp")));
        QWidget* viewer = viewers().value(0);
        QVERIFY(viewer && viewer->isVisible());
        auto* tabs = viewer->findChild<QTabWidget*>(QStringLiteral("tabs"));
        QCOMPARE(tabs->currentWidget()->objectName(), QStringLiteral("contents"));
        QVERIFY2(shownText(viewer).startsWith(first), qPrintable(shownText(viewer).left(40)));
        QVERIFY(!viewer->findChild<QPushButton*>(QStringLiteral("back"))->isEnabled());
    }
    void contentsOfTheRealHelp()
    {
        QVERIFY(openHelpTopic(realHelp, 25));
        QVERIFY(openHelpIndex(realHelp));
        QWidget* viewer = viewers().value(0);
        QVERIFY(viewer);
        auto* tabs = viewer->findChild<QTabWidget*>(QStringLiteral("tabs"));
        QCOMPARE(tabs->currentWidget()->objectName(), QStringLiteral("indexPage"));

        QVERIFY(openHelpContents(realHelp));
        QCOMPARE(viewers().size(), 1);
        auto* contents = viewer->findChild<QTreeWidget*>(QStringLiteral("contents"));
        QCOMPARE(tabs->currentWidget(), contents);
        QCOMPARE(viewer->focusWidget(), contents);
        QVERIFY(shownText(viewer).startsWith(QStringLiteral("Vuska lyhyesti")));
        QCOMPARE(contents->currentItem()->text(0), QStringLiteral("Vuska lyhyesti"));
        auto* back = viewer->findChild<QPushButton*>(QStringLiteral("back"));
        QVERIFY(back->isEnabled());
        back->click();
        QVERIFY(shownText(viewer).startsWith(QStringLiteral("Maan tunnustaminen")));
    }

    // The index lists every keyword once in Finnish order, leads a word found in two topics
    // to both, filters as the user types and opens the chosen topic.
    void indexOpensTopics()
    {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("pieni.hlp"), smallDocument));
        QVERIFY(openHelpIndex(dir.filePath("pieni.hlp")));
        QWidget* viewer = viewers().value(0);
        QVERIFY(viewer);
        QCOMPARE(viewer->windowTitle(), QStringLiteral("Pieni ohje"));
        auto* tabs = viewer->findChild<QTabWidget*>(QStringLiteral("tabs"));
        QCOMPARE(tabs->currentWidget()->objectName(), QStringLiteral("indexPage"));
        auto* index = viewer->findChild<QTreeWidget*>(QStringLiteral("index"));
        QStringList words;
        for (int i = 0; i < index->topLevelItemCount(); ++i)
            words << index->topLevelItem(i)->text(0);
        QCOMPARE(words, (QStringList{"aasi", "banaani", "Ässä", "öljy"}));
        QCOMPARE(index->topLevelItem(0)->childCount(), 2);
        QCOMPARE(index->topLevelItem(0)->child(1)->text(0), QStringLiteral("Toinen <i>aihe</i>"));

        auto* filter = viewer->findChild<QLineEdit*>(QStringLiteral("indexFilter"));
        QTest::keyClicks(filter, QStringLiteral("NAA"));
        QVERIFY(!index->topLevelItem(1)->isHidden());
        QVERIFY(index->topLevelItem(0)->isHidden() && index->topLevelItem(3)->isHidden());
        QTest::keyClick(filter, Qt::Key_Return);
        QVERIFY(shownText(viewer).contains(QStringLiteral("<b>x</b> ja <img src=x> sekä <!-- ei kommentti -->")));
        QVERIFY(!viewer->findChild<QTextBrowser*>(QStringLiteral("topic"))->toHtml().contains("<img"));

        filter->clear();
        systemClick(viewer, index->viewport(), index->visualItemRect(index->topLevelItem(3)).center());
        QVERIFY(shownText(viewer).startsWith(QStringLiteral("Ensimmäinen")));
    }

    // The contents file is the .cnt beside the document that names it; a damaged one, or
    // one naming a missing topic, gives way to the document's own topic list.
    void contentsFileOrTopicList_data()
    {
        QTest::addColumn<QByteArray>("cnt");
        QTest::addColumn<QStringList>("topLevel");
        const QStringList ownList{"Ensimmäinen", "Toinen <i>aihe</i>"};
        QTest::newRow("good") << QByteArray(":Base pieni.hlp\n:Title Otsikko\n1 Kirja\n2 Eka=a\n1 Toka=b\n")
                              << QStringList{"Kirja", "Toka"};
        QTest::newRow("none") << QByteArray() << ownList;
        QTest::newRow("other base") << QByteArray(":Base muu.hlp\n1 Eka=a\n") << ownList;
        QTest::newRow("missing topic") << QByteArray(":Base pieni.hlp\n1 Eka=puuttuu\n") << ownList;
        QTest::newRow("level jump") << QByteArray(":Base pieni.hlp\n1 Kirja\n3 Eka=a\n") << ownList;
        QTest::newRow("bad line") << QByteArray(":Base pieni.hlp\nroskaa\n1 Eka=a\n") << ownList;
        QTest::newRow("headings only") << QByteArray(":Base pieni.hlp\n1 Kirja\n") << ownList;
    }
    void contentsFileOrTopicList()
    {
        QFETCH(QByteArray, cnt);
        QFETCH(QStringList, topLevel);
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("pieni.hlp"), smallDocument));
        if (!cnt.isEmpty())
            QVERIFY(writeFile(dir.filePath("pieni122.cnt"), cnt));
        QVERIFY(openHelpTopic(dir.filePath("pieni.hlp"), 2));
        QWidget* viewer = viewers().value(0);
        QVERIFY(viewer);
        auto* contents = viewer->findChild<QTreeWidget*>(QStringLiteral("contents"));
        QStringList shown;
        for (int i = 0; i < contents->topLevelItemCount(); ++i)
            shown << contents->topLevelItem(i)->text(0);
        QCOMPARE(shown, topLevel);
        QCOMPARE(viewer->windowTitle(), topLevel.first() == "Kirja" ? QStringLiteral("Otsikko") : QStringLiteral("Pieni ohje"));
    }

    // A changed file is read again into the same window; another file gets its own window,
    // and a closed window is replaced by a new one.
    void reusesAndReloads()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("pieni.hlp");
        QVERIFY(writeFile(path, smallDocument));
        QVERIFY(openHelpTopic(path, 1));
        QPointer<QWidget> first = viewers().value(0);
        QVERIFY(openHelpTopic(path, 2));
        QVERIFY(openHelpTopic(dir.path() + "/../" + dir.path().section('/', -1) + "/pieni.hlp", 1));
        QCOMPARE(viewers().size(), 1);
        QVERIFY(first->findChild<QPushButton*>(QStringLiteral("back"))->isEnabled());

        QVERIFY(writeFile(path, QByteArray(smallDocument).replace("Ensimmäinen", "Uusi nimi")));
        QVERIFY(openHelpTopic(path, 1));
        QCOMPARE(viewers().value(0), first.data());
        QVERIFY(shownText(first).startsWith(QStringLiteral("Uusi nimi")));
        QVERIFY(!first->findChild<QPushButton*>(QStringLiteral("back"))->isEnabled());

        QVERIFY(openHelpTopic(realHelp, 9));
        QCOMPARE(viewers().size(), 2);
        first->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());
        QVERIFY(openHelpTopic(path, 2));
        QCOMPARE(viewers().size(), 2);
    }

    // Help asked for from a modal message box can be read and clicked while the box waits
    // for its answer, and the box stays open until answered.
    void helpFromAModalBoxIsUsable()
    {
        MessageBoxRequest request;
        request.text = QStringLiteral("Tietokonevastustajasi on lyönyt eteen herttaa,\rjoten sinun on lyötävä sitä.");
        request.title = QStringLiteral("Lyötävä herttaa");
        request.helpFile = realHelp;
        request.helpContext = 25;
        bool boxStayedOpen = false;
        QString topicAfterClick;
        QTimer::singleShot(0, [&] {
            // Whatever happens here, the box must close, or the test would wait for ever.
            const auto answer = qScopeGuard([] {
                if (QWidget* open = QApplication::activeModalWidget())
                    open->close();
            });
            QWidget* box = QApplication::activeModalWidget();
            if (!box || box->objectName() != QLatin1String("messageBox"))
                return;
            box->findChild<QPushButton*>(QStringLiteral("helpButton"))->click();
            QWidget* viewer = viewers().value(0);
            if (!viewer || !viewer->isVisible() || !clickContentsItem(viewer, QStringLiteral("Tikin kulku")))
                return;
            topicAfterClick = shownText(viewer).section(QLatin1Char('\n'), 0, 0);
            boxStayedOpen = box->isVisible() && QApplication::activeModalWidget() == box;
        });
        QCOMPARE(messageBox(request), MsgAnswer::Ok);
        QCOMPARE(topicAfterClick, QStringLiteral("Tikin kulku"));
        QVERIFY(boxStayedOpen);
        QCOMPARE(viewers().size(), 1);
        QVERIFY(viewers().first()->isVisible());
    }

    // Help already open stays usable while modal dialogs come and go over the game, also
    // when the dialog it escaped through is gone and one below it is still open; a box
    // opened over the help window itself does block it.
    void modalDialogsComingAndGoing()
    {
        QVERIFY(openHelpTopic(realHelp, 1));
        QWidget* viewer = viewers().first();
        auto settings = std::make_unique<QDialog>();
        settings->setWindowModality(Qt::ApplicationModal);
        settings->show();
        QVERIFY(clickContentsItem(viewer, QStringLiteral("Sanasto")));
        QVERIFY(shownText(viewer).startsWith(QStringLiteral("Sanasto")));

        auto question = std::make_unique<QDialog>(settings.get());
        question->setWindowModality(Qt::ApplicationModal);
        question->show();
        QVERIFY(clickContentsItem(viewer, QStringLiteral("Pelivinkkejä")));
        QVERIFY(shownText(viewer).startsWith(QStringLiteral("Pelivinkkejä")));
        question.reset();
        QVERIFY(clickContentsItem(viewer, QStringLiteral("Levitysehdot")));
        QVERIFY(shownText(viewer).startsWith(QStringLiteral("Levitysehdot")));
        settings.reset();

        auto own = std::make_unique<QDialog>(viewer);
        own->setWindowModality(Qt::ApplicationModal);
        own->show();
        QVERIFY(clickContentsItem(viewer, QStringLiteral("Sanasto")));
        QVERIFY(shownText(viewer).startsWith(QStringLiteral("Levitysehdot")));
        own.reset();
        QVERIFY(clickContentsItem(viewer, QStringLiteral("Sanasto")));
        QVERIFY(shownText(viewer).startsWith(QStringLiteral("Sanasto")));
    }
};

VUSKA_TEST_MAIN(TestPlatformHelp)
#include "test_platform_help.moc"
