#include <memory>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "game/registry/mdlvuska2.h"
#include "game/registry/settingskey.h"
#include "platform/appearance.h"
#include "platform/drives.h"
#include "platform/lifetime.h"
#include "platform/pointer.h"
#include "platform/screen.h"
#include "setup/wizard/folderlist.h"
#include "setup/wizard/frmkohdekansionvalinta.h"
#include "setup/wizard/frmvaihe0.h"
#include "setup/wizard/frmvaihe2.h"
#include "setup/wizard/frmvaihe3.h"
#include "setup/wizard/mdlvuskanasennus.h"
#include "setup/wizard/targetfolder.h"
#include "tests/support/installersandbox.h"
#include "tests/support/layoutcheck.h"
#include "tests/support/messageboxscript.h"
#include "tests/support/modal.h"
#include "tests/support/sandbox.h"

using namespace vuska::setup;
using platform::MsgButtons;
using platform::MsgDefault;
using platform::MsgIcon;
using vuska::test::InstallerSandbox;
using vuska::test::MessageBoxScript;
using vuska::test::OnModal;

namespace {

const QString kInvalidDrive = QStringLiteral("Asema kelvoton");
const QString kInvalidFolder = QStringLiteral("Kohdekansio kelvoton");
const QString kNoSpace = QStringLiteral("Ei tarpeeksi levytilaa");
const QString kMissing = QStringLiteral("Ei kansiota");
const QString kExists = QStringLiteral("Kansio jo olemassa");

QString refusalText(const QString& title)
{
    if (title == kInvalidDrive)
        return QStringLiteral("Valitsemasi levyasema ei ole kelvollinen.");
    if (title == kInvalidFolder)
        return QStringLiteral("Valitsemasi kohdekansio ei ole kelvollinen.");
    return QStringLiteral("Asemassa ei ole tarpeeksi vapaata tilaa. Valitse\ntoinen asema ja yritä uudelleen.");
}

// Step 2 shown, as the user reaches it, in its own sandbox; the program lies in C:\Temp.
struct Page {
    explicit Page(std::optional<qint64> free = 1'000'000'000, const QString& programFolder = QStringLiteral("/Temp"))
        : sandbox(free)
    {
        QDir().mkpath(sandbox.cRoot() + programFolder);
        installer = std::make_unique<mdlVuskanAsennus>(sandbox.cRoot() + programFolder);
        installer->start();
        installer->goTo(&installer->vaihe0(), &installer->vaihe2());
        platform::lifetime::setEndHandler([this](int) { ++ends; });
    }
    ~Page() { platform::lifetime::setEndHandler([](int) {}); }

    frmVaihe2& p2() { return installer->vaihe2(); }
    QLineEdit* text() { return p2().txtKohdekansio(); }
    bool nextEnabled() { return p2().cmdPainike(2)->isEnabled(); }
    // Types the text and presses Next.
    void next(const QString& folder)
    {
        text()->setText(folder);
        p2().cmdPainike(2)->click();
    }
    bool onStep3() { return installer->isLoaded(3) && installer->vaihe3().isVisible(); }

    InstallerSandbox sandbox;
    std::unique_ptr<mdlVuskanAsennus> installer;
    int ends = 0;
};

void checkRefusal(const MessageBoxScript& boxes, const QString& title)
{
    QCOMPARE(boxes.shown().size(), 1);
    const platform::MessageBoxRequest& box = boxes.last();
    QCOMPARE(box.title, title);
    QCOMPARE(box.text, refusalText(title));
    QCOMPARE(box.icon, MsgIcon::Exclamation);
    QCOMPARE(box.buttons, MsgButtons::Ok);
}

void checkQuestion(const platform::MessageBoxRequest& box, const QString& title, const QString& folder)
{
    QCOMPARE(box.title, title);
    QCOMPARE(box.icon, MsgIcon::Question);
    QCOMPARE(box.buttons, MsgButtons::YesNo);
    if (title == kMissing) {
        QCOMPARE(box.text,
                 QStringLiteral("Kansiota ") + folder + QStringLiteral(" ei ole olemassa.\n\nHaluatko luoda sen?"));
        QCOMPARE(box.defaultButton, MsgDefault::First);
    } else {
        QCOMPARE(box.text, QStringLiteral("Kansio ") + folder +
                               QStringLiteral(" on jo olemassa.\n\nHaluatko korvata siellä mahdollisesti olevat "
                                              "samannimiset\ntiedostot?"));
        QCOMPARE(box.defaultButton, MsgDefault::Second);
    }
}

// A folder on C: whose text takes exactly `bytes` bytes in UTF-8: names of `letter` (200
// bytes at most each), with an 'a' where a letter would not fit.
QString folderOfBytes(qsizetype bytes, QChar letter)
{
    const qsizetype letterBytes = QString(letter).toUtf8().size();
    QString folder = QStringLiteral("C:");
    qsizetype left = bytes - folder.size();
    while (left > 0) {
        qsizetype take = std::min<qsizetype>(left - 1, 200);
        if (left - 1 - take == 1)
            --take; // the next name must not be left without a byte
        folder += u'\\' + QString(take / letterBytes, letter) + QString(take % letterBytes, u'a');
        left -= take + 1;
    }
    return folder;
}

QStringList entries(const QTreeWidget* list)
{
    QStringList texts;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(list)); *it; ++it)
        texts << (*it)->text(0);
    return texts;
}

QTreeWidgetItem* entry(const QTreeWidget* list, const QString& text)
{
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(list)); *it; ++it)
        if ((*it)->text(0) == text)
            return *it;
    return nullptr;
}

} // namespace

class TestSetupTargetFolder : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        platform::applyProgramFont();
        platform::screen::setTwipsPerPixelOverride(15, 15);
    }

    void init()
    {
        platform::lifetime::reset();
        QDir::setCurrent(QDir::tempPath());
    }

    void cleanup() { platform::setScreenPointer(platform::ScreenPointer::Default); }

    // The page's texts, its frame and its folder as it starts.
    void pageTexts()
    {
        Page page;
        frmVaihe2& p = page.p2();
        QCOMPARE(p.lblTeksti(0)->text(), QStringLiteral("Vuska asennetaan alempana näkyvään kohdekansioon."));
        QCOMPARE(p.lblTeksti(1)->text(),
                 QStringLiteral("Jos haluat asentaa ohjelman valittuun kansioon, paina Seuraava-painiketta."));
        QCOMPARE(p.lblTeksti(2)->text(), QStringLiteral("Jos haluat asentaa eri kansioon, paina Selaa-painiketta ja "
                                                        "valitse haluamasi kansio."));
        QCOMPARE(p.Frame2()->objectName(), QStringLiteral("Frame2"));
        QCOMPARE(p.Frame2()->title(), QStringLiteral("Kohdekansio"));
        QCOMPARE(p.txtKohdekansio()->objectName(), QStringLiteral("txtKohdekansio"));
        QCOMPARE(p.txtKohdekansio()->text(), QStringLiteral("C:\\Program Files\\Vuska"));
        QCOMPARE(p.cmdPainike(3)->text(), QStringLiteral("&Selaa..."));
        QCOMPARE(p.cmdPainike(3)->objectName(), QStringLiteral("cmdPainike_3"));
        QVERIFY(p.cmdPainike(2)->isEnabled());
    }

    void nextRule_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("the own folder") << "C:\\Temp" << false;
        QTest::newRow("with a backslash") << "C:\\Temp\\" << false;
        QTest::newRow("in another case") << "c:\\tEMP" << false;
        QTest::newRow("upper case with a backslash") << "C:\\TEMP\\" << false;
        QTest::newRow("two backslashes, still the same folder") << "C:\\Temp\\\\" << false;
        QTest::newRow("a folder inside") << "C:\\Temp\\Vuska" << true;
        QTest::newRow("the drive") << "C:\\" << true;
        QTest::newRow("empty") << "" << true;
    }

    // Next is refused while the text names the program's own folder, with or without one
    // trailing backslash, in any letter case.
    void nextRule()
    {
        QFETCH(QString, text);
        QFETCH(bool, enabled);
        Page page;
        page.text()->setText(QStringLiteral("x"));
        page.text()->setText(text);
        QCOMPARE(page.nextEnabled(), enabled);
    }

    void nextRuleAtLoad_data()
    {
        QTest::addColumn<QString>("programFolder");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("elsewhere") << "/Temp" << true;
        QTest::newRow("the preset folder") << "/Program Files/Vuska" << false;
        QTest::newRow("the preset folder in another case") << "/PROGRAM FILES/vuska" << false;
    }

    // When the page loads, Next is refused if the preset text is the program's own folder.
    void nextRuleAtLoad()
    {
        QFETCH(QString, programFolder);
        QFETCH(bool, enabled);
        Page page(1'000'000'000, programFolder);
        QCOMPARE(page.nextEnabled(), enabled);
    }

    // From a drive's root the source is "C:": typing "C:" or "C:\" refuses Next.
    void nextRuleFromADrivesRoot()
    {
        Page page(1'000'000'000, QString());
        QCOMPARE(page.installer->SourceFolder, QStringLiteral("C:"));
        page.text()->setText(QStringLiteral("c:"));
        QVERIFY(!page.nextEnabled());
        page.text()->setText(QStringLiteral("C:\\"));
        QVERIFY(!page.nextEnabled());
        page.text()->setText(QStringLiteral("C:\\Vuska"));
        QVERIFY(page.nextEnabled());
    }

    void nextRuleSeesTheHostFolder_data()
    {
        QTest::addColumn<QString>("text"); // "@Z" stands for C:'s folder in Z: form
        QTest::addColumn<bool>("enabled");
        QTest::newRow("a dot after it") << "C:\\Temp\\." << false;
        QTest::newRow("a dot and a backslash") << "C:\\Temp\\.\\" << false;
        QTest::newRow("through its neighbour") << "C:\\Paketti\\..\\Temp" << false;
        QTest::newRow("through another drive") << "D:\\TEMP" << false;
        QTest::newRow("through the host's root") << "@Z\\Temp" << false;
        QTest::newRow("through a link") << "C:\\Linkki" << false;
        QTest::newRow("a folder inside, through a link") << "C:\\Linkki\\Vuska" << true;
        QTest::newRow("its neighbour") << "C:\\Paketti" << true;
    }

    // The program's own folder is refused however it is reached: "." and ".." resolved,
    // another drive of the same folder, or a link that leads to it.
    void nextRuleSeesTheHostFolder()
    {
        QFETCH(QString, text);
        QFETCH(bool, enabled);
        Page page;
        const QString c = page.sandbox.cRoot();
        page.sandbox.writeDriveMap(QStringLiteral("C=%1\nD=%1\nZ=/\n").arg(c));
        page.sandbox.makeFolder(QStringLiteral("c/Paketti"));
        QVERIFY(QFile::link(c + QStringLiteral("/Temp"), c + QStringLiteral("/Linkki")));
        text.replace(QStringLiteral("@Z"), QStringLiteral("Z:") + QString(c).replace(u'/', u'\\'));
        page.text()->setText(text);
        QCOMPARE(page.nextEnabled(), enabled);
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::newRow("no backslash after the colon") << "C:Program Files" << kInvalidDrive;
        QTest::newRow("a network path") << "\\\\palvelin\\jako" << kInvalidDrive;
        QTest::newRow("a drive letter only") << "C:" << kInvalidDrive;
        QTest::newRow("a leading blank") << " C:\\Vuska" << kInvalidDrive;
        QTest::newRow("a slash") << "C:\\a/b" << kInvalidFolder;
        QTest::newRow("a slash for the backslash") << "C:/Vuska" << kInvalidDrive;
        QTest::newRow("a star") << "C:\\Vu*ska" << kInvalidFolder;
        QTest::newRow("a question mark") << "C:\\Vuska?" << kInvalidFolder;
        QTest::newRow("a double quote") << "C:\\\"Vuska\"" << kInvalidFolder;
        QTest::newRow("a less-than sign") << "C:\\<Vuska" << kInvalidFolder;
        QTest::newRow("a greater-than sign") << "C:\\Vuska>" << kInvalidFolder;
        QTest::newRow("a pipe") << "C:\\Vu|ska" << kInvalidFolder;
        QTest::newRow("an unmapped drive") << "Q:\\Vuska" << kInvalidDrive;
        QTest::newRow("an unmapped drive before a bad character") << "Q:\\Vu*ska" << kInvalidDrive;
        QTest::newRow("a drive whose folder is missing") << "D:\\Vuska" << kInvalidDrive;
        QTest::newRow("a name too long for the host") << "C:\\" + QString(300, u'a') << kInvalidFolder;
        QTest::newRow("a path of thousands of characters")
            << "C:\\" + QStringLiteral("kansio\\").repeated(900) + "Vuska" << kInvalidFolder;
    }

    // Each refusal has its title and text, exclamation and OK; the user stays on step 2
    // with the text unchanged, the pointer back to the default, and the free space is not
    // measured before the drive and the characters have passed.
    void refusals()
    {
        QFETCH(QString, text);
        QFETCH(QString, title);
        Page page;
        page.sandbox.writeDriveMap(QStringLiteral("C=") + page.sandbox.cRoot() + QStringLiteral("\nD=") +
                                   page.sandbox.root() + QStringLiteral("/puuttuu\n"));
        MessageBoxScript boxes;
        boxes.ok();
        page.next(text);
        checkRefusal(boxes, title);
        QCOMPARE(page.text()->text(), text);
        QVERIFY(page.p2().isVisible());
        QVERIFY(!page.installer->isLoaded(3));
        QCOMPARE(page.sandbox.freeSpaceQueries(), 0);
        QCOMPARE(platform::screenPointer(), platform::ScreenPointer::Default);
        QCOMPARE(page.ends, 0);
    }

    // The verdict without the page: the folder as it is kept and where it lies on the host
    // (relative to C:'s folder; "-" for none).
    void checkWithoutPage_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("verdict");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("host");
        const int accepted = int(TargetFolderCheck::Verdict::Accepted);
        const int badDrive = int(TargetFolderCheck::Verdict::InvalidDrive);
        const int badFolder = int(TargetFolderCheck::Verdict::InvalidFolder);
        QTest::newRow("a plain folder") << "C:\\Peli\\Vuska" << accepted << "C:\\Peli\\Vuska" << "/Peli/Vuska";
        QTest::newRow("a trailing backslash is dropped") << "C:\\Vuska\\" << accepted << "C:\\Vuska" << "/Vuska";
        QTest::newRow("the drive's root") << "C:\\" << accepted << "C:" << "";
        QTest::newRow("blanks inside") << "C:\\a b\\c" << accepted << "C:\\a b\\c" << "/a b/c";
        QTest::newRow("an unmapped drive") << "Q:\\Vuska" << badDrive << "" << "-";
        QTest::newRow("no backslash") << "C:Vuska" << badDrive << "" << "-";
        QTest::newRow("a star") << "C:\\Vu*ska" << badFolder << "" << "-";
        QTest::newRow("a name too long") << "C:\\" + QString(300, u'a') << badFolder << "" << "-";
    }

    void checkWithoutPage()
    {
        QFETCH(QString, text);
        QFETCH(int, verdict);
        QFETCH(QString, folder);
        QFETCH(QString, host);
        InstallerSandbox sandbox(1'000'000'000);
        sandbox.writeDriveMap(QStringLiteral("C=") + sandbox.cRoot() + u'\n');
        const TargetFolderCheck check = checkTargetFolder(text);
        QCOMPARE(int(check.verdict), verdict);
        QCOMPARE(check.folder, folder);
        if (host == QLatin1String("-"))
            QVERIFY2(!check.host, qPrintable(check.host.value_or(QString())));
        else
            QCOMPARE(QDir::cleanPath(check.host.value_or(QStringLiteral("(none)"))), QDir::cleanPath(sandbox.cRoot() + host));
    }

    void onlyWhatTheStoreGivesBack_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("2047 bytes") << folderOfBytes(2047, u'a') << true;
        QTest::newRow("2047 bytes and a backslash") << folderOfBytes(2047, u'a') + u'\\' << true;
        QTest::newRow("2048 bytes") << folderOfBytes(2048, u'a') << false;
        QTest::newRow("2047 bytes, mostly two-byte letters") << folderOfBytes(2047, u'ä') << true;
        QTest::newRow("2048 bytes in far fewer letters") << folderOfBytes(2048, u'ä') << false;
    }

    // The installation is known by the folder recorded in the store: a folder the store could
    // not give back again is refused as an invalid folder, counted in the bytes it keeps.
    void onlyWhatTheStoreGivesBack()
    {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        InstallerSandbox sandbox(1'000'000'000);
        const QString folder = text.endsWith(u'\\') ? text.chopped(1) : text;
        const TargetFolderCheck check = checkTargetFolder(text);
        QCOMPARE(int(check.verdict), int(accepted ? TargetFolderCheck::Verdict::Accepted
                                                  : TargetFolderCheck::Verdict::InvalidFolder));
        if (accepted)
            QCOMPARE(check.folder, folder);
        QVERIFY(vuska::WriteRegistryValue(vuska::HKEY_CURRENT_USER, vuska::SettingsKeyForWrite,
                                          QStringLiteral("Kansio"), 1, folder));
        const QString read = vuska::ReadRegistryValue(vuska::HKEY_CURRENT_USER, vuska::SettingsKey,
                                                      QStringLiteral("Kansio"));
        QCOMPARE(read == folder, accepted);
    }

    void freeSpace_data()
    {
        QTest::addColumn<qint64>("free");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("999 bytes") << qint64(999) << false;
        QTest::newRow("1000 bytes") << qint64(1000) << true;
        QTest::newRow("none") << qint64(0) << false;
        QTest::newRow("more than 32 bits hold") << qint64(5'000'000'000) << true;
        QTest::newRow("exactly 2^31") << qint64(2'147'483'648) << true;
    }

    // The free space is measured on the text's drive at every Next; below 1000 bytes the
    // drive is refused. A large drive keeps its whole count.
    void freeSpace()
    {
        QFETCH(qint64, free);
        QFETCH(bool, accepted);
        Page page(free);
        MessageBoxScript boxes;
        if (accepted)
            boxes.no();
        else
            boxes.ok();
        page.next(QStringLiteral("C:\\Vuska"));
        QCOMPARE(page.installer->FreeBytes, free);
        QCOMPARE(page.sandbox.freeSpaceQueries(), 1);
        if (accepted) {
            checkQuestion(boxes.last(), kMissing, QStringLiteral("C:\\Vuska"));
        } else {
            checkRefusal(boxes, kNoSpace);
        }
        QVERIFY(!page.onStep3());
    }

    // A measurement that fails keeps the last count: 0 before any, so the first Next is
    // refused; after a good one the count stands.
    void failedMeasurementKeepsTheLastCount()
    {
        Page page(std::nullopt);
        {
            MessageBoxScript boxes;
            boxes.ok();
            page.next(QStringLiteral("C:\\Vuska"));
            checkRefusal(boxes, kNoSpace);
            QCOMPARE(page.installer->FreeBytes, qint64(0));
        }
        page.sandbox.setFreeBytes(123'456);
        page.installer->MeasureFreeSpace();
        QCOMPARE(page.installer->FreeBytes, qint64(123'456));
        page.sandbox.setFreeBytes(std::nullopt);
        {
            MessageBoxScript boxes;
            boxes.no();
            page.next(QStringLiteral("C:\\Vuska"));
            checkQuestion(boxes.last(), kMissing, QStringLiteral("C:\\Vuska"));
        }
        QCOMPARE(page.installer->FreeBytes, qint64(123'456));
    }

    void measureTakesTheFolderThatWillHoldIt_data()
    {
        QTest::addColumn<QString>("text"); // "@S" stands for the sandbox in Z: form
        QTest::addColumn<QString>("measured"); // under the sandbox
        QTest::newRow("a new folder") << "C:\\Program Files\\Vuska" << "/c/Program Files";
        QTest::newRow("an existing folder") << "C:\\Program Files" << "/c/Program Files";
        QTest::newRow("in another letter case") << "c:\\PROGRAM FILES\\vuska" << "/c/Program Files";
        QTest::newRow("two levels to make") << "C:\\Uusi\\Syvempi\\Vuska" << "/c";
        QTest::newRow("the drive's root") << "C:\\" << "/c";
        QTest::newRow("a file in the way") << "C:\\tiedosto\\Vuska" << "/c";
        QTest::newRow("through a link to a stick") << "C:\\Tikku\\Vuska" << "/c/Tikku";
        QTest::newRow("another drive, blanks around") << "  @S\\tikku\\Vuska  " << "/tikku";
    }

    // The free space is that of the file system that will hold the folder: the nearest
    // folder of the trimmed text that is there, wherever its drive's root lies.
    void measureTakesTheFolderThatWillHoldIt()
    {
        QFETCH(QString, text);
        QFETCH(QString, measured);
        Page page;
        page.sandbox.makeFolder(QStringLiteral("tikku"));
        page.sandbox.makeFile(QStringLiteral("c/tiedosto"));
        QVERIFY(QFile::link(page.sandbox.root() + QStringLiteral("/tikku"),
                            page.sandbox.cRoot() + QStringLiteral("/Tikku")));
        text.replace(QStringLiteral("@S"), QStringLiteral("Z:") + page.sandbox.root().replace(u'/', u'\\'));
        QString asked;
        platform::drives::setFreeSpaceQuery([&](const QString& host) {
            asked = host;
            return std::optional<qint64>(4242);
        });
        page.text()->setText(text);
        page.installer->MeasureFreeSpace();
        QCOMPARE(page.installer->FreeBytes, qint64(4242));
        QCOMPARE(asked, page.sandbox.root() + measured);
    }

    void existence_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("make"); // "folder:..." or "file:..." under C:'s folder, or ""
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("recorded");
        QTest::newRow("a new folder") << "C:\\Program Files\\Vuska" << "" << kMissing << "C:\\Program Files\\Vuska";
        QTest::newRow("with a trailing backslash")
            << "C:\\Program Files\\Vuska\\" << "" << kMissing << "C:\\Program Files\\Vuska";
        QTest::newRow("an existing folder") << "C:\\Program Files" << "" << kExists << "C:\\Program Files";
        QTest::newRow("an existing folder in another case")
            << "c:\\PROGRAM FILES\\" << "" << kExists << "c:\\PROGRAM FILES";
        QTest::newRow("a file where the folder would be") << "C:\\Vuska" << "file:Vuska" << kExists << "C:\\Vuska";
        QTest::newRow("a colon after the drive") << "C:\\Vuska:1" << "" << kMissing << "C:\\Vuska:1";
        QTest::newRow("trailing blanks kept as typed") << "C:\\Vuska  " << "" << kMissing << "C:\\Vuska  ";
        QTest::newRow("climbing stays inside C:, missing") << "C:\\..\\..\\etc" << "" << kMissing << "C:\\..\\..\\etc";
        QTest::newRow("climbing stays inside C:, present")
            << "C:\\..\\..\\etc" << "folder:etc" << kExists << "C:\\..\\..\\etc";
        QTest::newRow("a drive's root") << "C:\\" << "" << kExists << "C:";
        QTest::newRow("the host through Z:") << "Z:\\tmp" << "" << kExists << "Z:\\tmp";
    }

    // A valid folder is looked up (a file of that name counts as there) and the user is asked
    // whether to make it, or whether to replace files in it. The folder is recorded without
    // a trailing backslash while the text keeps it. No stays; Yes records whether to make it
    // and goes on to step 3.
    void existence()
    {
        QFETCH(QString, text);
        QFETCH(QString, make);
        QFETCH(QString, title);
        QFETCH(QString, recorded);
        Page page;
        if (make.startsWith(QLatin1String("folder:")))
            page.sandbox.makeFolder(QStringLiteral("c/") + make.mid(7));
        else if (make.startsWith(QLatin1String("file:")))
            page.sandbox.makeFile(QStringLiteral("c/") + make.mid(5));
        {
            MessageBoxScript boxes;
            boxes.no();
            page.next(text);
            QCOMPARE(boxes.shown().size(), 1);
            checkQuestion(boxes.last(), title, recorded);
        }
        QCOMPARE(page.installer->TargetFolder, recorded);
        QCOMPARE(page.text()->text(), text);
        QVERIFY(!page.onStep3());
        QVERIFY(page.p2().isVisible());
        QCOMPARE(platform::screenPointer(), platform::ScreenPointer::Default);

        page.installer->CreateTargetFolder = title == kExists;
        {
            MessageBoxScript boxes;
            boxes.yes();
            page.next(text);
            checkQuestion(boxes.last(), title, recorded);
        }
        QVERIFY(page.onStep3());
        QVERIFY(!page.p2().isVisible());
        QCOMPARE(page.installer->CreateTargetFolder, title == kMissing);
        QCOMPARE(page.installer->TargetFolder, recorded);
        QCOMPARE(platform::screenPointer(), platform::ScreenPointer::Default);
        // Nothing is made here.
        QVERIFY(!QFileInfo::exists(page.sandbox.cRoot() + QStringLiteral("/Program Files/Vuska")));
    }

    // The browse dialog opens modally at the process's current folder, lists its drives in
    // lower case and the folder's path and subfolders, and shows its texts.
    void browseDialogOpens()
    {
        Page page;
        page.sandbox.makeFolder(QStringLiteral("c/Program Files/Pelit"));
        page.sandbox.makeFolder(QStringLiteral("c/Program Files/Apuohjelmat"));
        QVERIFY(QDir::setCurrent(page.sandbox.cRoot() + QStringLiteral("/Program Files")));
        bool seen = false;
        const OnModal modal([&](QWidget* w) {
            auto* d = qobject_cast<frmKohdekansionValinta*>(w);
            QVERIFY(d);
            seen = true;
            QCOMPARE(d, page.installer->kohdekansionValinta());
            QCOMPARE(d->windowTitle(), QStringLiteral("Valitse kohdekansio"));
            QCOMPARE(d->lblTeksti()->objectName(), QStringLiteral("lblTeksti"));
            QCOMPARE(d->lblTeksti()->text(), QStringLiteral("&Kansio, jonne haluat asentaa:"));
            QCOMPARE(d->lblTeksti()->buddy(), d->txtKohdekansio());
            QCOMPARE(d->cmdPainike(0)->text(), QStringLiteral("OK"));
            QCOMPARE(d->cmdPainike(1)->text(), QStringLiteral("Peruuta"));
            QVERIFY(d->cmdPainike(0)->isDefault());
            QCOMPARE(d->drvAsemat()->objectName(), QStringLiteral("drvAsemat"));
            QCOMPARE(d->dirKansiot()->objectName(), QStringLiteral("dirKansiot"));
            QCOMPARE(d->txtKohdekansio()->text(), QStringLiteral("C:\\Program Files"));
            QCOMPARE(d->dirKansiot()->path(), QStringLiteral("C:\\Program Files"));
            QCOMPARE(d->drvAsemat()->count(), 2);
            QCOMPARE(d->drvAsemat()->itemText(0), QStringLiteral("c:"));
            QCOMPARE(d->drvAsemat()->itemText(1), QStringLiteral("z:"));
            QCOMPARE(d->drvAsemat()->currentText(), QStringLiteral("c:"));
            QCOMPARE(entries(d->dirKansiot()),
                     (QStringList{"c:\\", "Program Files", "Apuohjelmat", "Pelit"}));
            QCOMPARE(d->dirKansiot()->currentItem()->text(0), QStringLiteral("Program Files"));
            const QStringList faults = vuska::test::layoutFaults(d);
            QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
            // Centred on the screen.
            const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
            QVERIFY(qAbs(d->geometry().center().x() - screen.center().x()) <= 1);
            d->cmdPainike(1)->click();
        });
        page.p2().cmdPainike(3)->click();
        QVERIFY(seen);
        QVERIFY(!page.installer->kohdekansionValinta());
        QCOMPARE(platform::screenPointer(), platform::ScreenPointer::Default);
    }

    void browseStartsSomewhereSensible_data()
    {
        QTest::addColumn<bool>("programFiles");
        QTest::addColumn<QString>("shown");
        QTest::newRow("C:\\Program Files") << true << "C:\\Program Files";
        QTest::newRow("without it, C:\\") << false << "C:\\";
    }

    // When the process's current folder lies on no drive, the lists start at
    // C:\Program Files, or at C:\ when that is not there.
    void browseStartsSomewhereSensible()
    {
        QFETCH(bool, programFiles);
        QFETCH(QString, shown);
        Page page;
        page.sandbox.writeDriveMap(QStringLiteral("C=") + page.sandbox.cRoot() + u'\n');
        if (!programFiles)
            QVERIFY(QDir(page.sandbox.cRoot() + QStringLiteral("/Program Files")).removeRecursively());
        QVERIFY(QDir::setCurrent(page.sandbox.root()));
        QString text;
        const OnModal modal([&](QWidget* w) {
            auto* d = qobject_cast<frmKohdekansionValinta*>(w);
            text = d->txtKohdekansio()->text();
            QTest::keyClick(d, Qt::Key_Escape);
        });
        page.p2().cmdPainike(3)->click();
        QCOMPARE(text, shown);
    }

    // A double click or Enter on a folder opens it and puts its path into the text; a single
    // click only moves the highlight; Enter in the list does not press OK.
    void browseFolderList()
    {
        Page page;
        page.sandbox.makeFolder(QStringLiteral("c/Program Files/Pelit/Kortit"));
        QVERIFY(QDir::setCurrent(page.sandbox.cRoot() + QStringLiteral("/Program Files")));
        const OnModal modal([&](QWidget* w) {
            auto* d = qobject_cast<frmKohdekansionValinta*>(w);
            FolderList* list = d->dirKansiot();
            QTreeWidgetItem* pelit = entry(list, QStringLiteral("Pelit"));
            QVERIFY(pelit);
            const QPoint at = list->visualItemRect(pelit).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
            QCOMPARE(list->currentItem(), pelit);
            QCOMPARE(list->path(), QStringLiteral("C:\\Program Files"));
            QCOMPARE(d->txtKohdekansio()->text(), QStringLiteral("C:\\Program Files"));
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
            QCOMPARE(list->path(), QStringLiteral("C:\\Program Files\\Pelit"));
            QCOMPARE(d->txtKohdekansio()->text(), QStringLiteral("C:\\Program Files\\Pelit"));
            QCOMPARE(entries(list), (QStringList{"c:\\", "Program Files", "Pelit", "Kortit"}));

            list->setFocus();
            list->setCurrentItem(entry(list, QStringLiteral("Kortit")));
            QTest::keyClick(list, Qt::Key_Return);
            QVERIFY(d->isVisible());
            QCOMPARE(d->txtKohdekansio()->text(), QStringLiteral("C:\\Program Files\\Pelit\\Kortit"));
            list->setCurrentItem(entry(list, QStringLiteral("c:\\")));
            QTest::keyClick(list, Qt::Key_Return);
            QCOMPARE(d->txtKohdekansio()->text(), QStringLiteral("C:\\"));
            QCOMPARE(entries(list), (QStringList{"c:\\", "Program Files", "Temp"}));
            d->cmdPainike(1)->click();
        });
        page.p2().cmdPainike(3)->click();
        QCOMPARE(page.text()->text(), QStringLiteral("C:\\Program Files\\Vuska"));
    }

    void browseDriveFailures_data()
    {
        QTest::addColumn<QString>("drive");
        QTest::addColumn<QString>("message");
        QTest::newRow("no medium") << "d:" << "Asemassa ei ole levyä.";
        QTest::newRow("not ready") << "e:" << "Asema ei ole valmiustilassa.";
        QTest::newRow("gone from the map") << "f:" << "Asemaa ei voi valita.";
    }

    // A drive that cannot be chosen is reported by why, titled "Virhe" with the exclamation;
    // the folder list and the text stay as they were.
    void browseDriveFailures()
    {
        QFETCH(QString, drive);
        QFETCH(QString, message);
        Page page;
        const QString file = page.sandbox.makeFile(QStringLiteral("levy.img"));
        const QString stick = page.sandbox.makeFolder(QStringLiteral("tikku"));
        const QString map =
            QStringLiteral("C=%1\nD=%2/puuttuu\nE=%3\n").arg(page.sandbox.cRoot(), page.sandbox.root(), file);
        page.sandbox.writeDriveMap(map + QStringLiteral("F=") + stick + u'\n');
        QVERIFY(QDir::setCurrent(page.sandbox.cRoot() + QStringLiteral("/Program Files")));
        MessageBoxScript boxes;
        boxes.ok();
        const OnModal modal([&](QWidget* w) {
            auto* d = qobject_cast<frmKohdekansionValinta*>(w);
            QCOMPARE(d->drvAsemat()->count(), 4);
            if (drive == QLatin1String("f:"))
                page.sandbox.writeDriveMap(map);
            d->drvAsemat()->setCurrentIndex(d->drvAsemat()->findText(drive));
            QCOMPARE(boxes.shown().size(), 1);
            QCOMPARE(boxes.last().text, message);
            QCOMPARE(boxes.last().title, QStringLiteral("Virhe"));
            QCOMPARE(boxes.last().icon, MsgIcon::Exclamation);
            QCOMPARE(boxes.last().buttons, MsgButtons::Ok);
            QCOMPARE(d->dirKansiot()->path(), QStringLiteral("C:\\Program Files"));
            QCOMPARE(d->txtKohdekansio()->text(), QStringLiteral("C:\\Program Files"));
            d->cmdPainike(1)->click();
        });
        page.p2().cmdPainike(3)->click();
    }

    // A drive that can be chosen opens at its current folder.
    void browseDriveChange()
    {
        Page page;
        const QString stick = page.sandbox.makeFolder(QStringLiteral("tikku/Pelit"));
        page.sandbox.writeDriveMap(
            QStringLiteral("C=%1\nD=%2\n").arg(page.sandbox.cRoot(), page.sandbox.root() + "/tikku"));
        QVERIFY(QDir::setCurrent(page.sandbox.cRoot() + QStringLiteral("/Program Files")));
        const OnModal modal([&](QWidget* w) {
            auto* d = qobject_cast<frmKohdekansionValinta*>(w);
            d->drvAsemat()->setCurrentIndex(d->drvAsemat()->findText(QStringLiteral("d:")));
            QCOMPARE(d->dirKansiot()->path(), QStringLiteral("D:\\"));
            QCOMPARE(d->txtKohdekansio()->text(), QStringLiteral("D:\\"));
            QCOMPARE(entries(d->dirKansiot()), (QStringList{"d:\\", "Pelit"}));
            d->cmdPainike(1)->click();
        });
        page.p2().cmdPainike(3)->click();
    }

    // OK is offered only with a text; it gives the text to step 2, which applies its Next
    // rule to it, and unloads the dialog.
    void browseOk()
    {
        Page page;
        QVERIFY(QDir::setCurrent(page.sandbox.cRoot() + QStringLiteral("/Program Files")));
        const OnModal modal([&](QWidget* w) {
            auto* d = qobject_cast<frmKohdekansionValinta*>(w);
            QVERIFY(d->cmdPainike(0)->isEnabled());
            d->txtKohdekansio()->clear();
            QVERIFY(!d->cmdPainike(0)->isEnabled());
            d->cmdPainike(0)->click();
            QVERIFY(d->isVisible());
            QTest::keyClicks(d->txtKohdekansio(), QStringLiteral("c:\\temp\\"));
            QVERIFY(d->cmdPainike(0)->isEnabled());
            QTest::keyClick(d->txtKohdekansio(), Qt::Key_Return); // Enter in the text presses OK
        });
        page.p2().cmdPainike(3)->click();
        QCOMPARE(page.text()->text(), QStringLiteral("c:\\temp\\"));
        QVERIFY(!page.nextEnabled()); // the program's own folder
        QVERIFY(!page.installer->kohdekansionValinta());
        QVERIFY(page.p2().isVisible());
        QCOMPARE(platform::screenPointer(), platform::ScreenPointer::Default);
    }

    void browseCancel_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Peruuta") << "Peruuta";
        QTest::newRow("Esc") << "Esc";
        QTest::newRow("close box") << "close box";
    }

    // Peruuta, Esc and the close box leave step 2's text as it was.
    void browseCancel()
    {
        QFETCH(QString, how);
        Page page;
        page.text()->setText(QStringLiteral("C:\\Omat\\Vuska"));
        QVERIFY(QDir::setCurrent(page.sandbox.cRoot() + QStringLiteral("/Program Files")));
        const OnModal modal([&](QWidget* w) {
            auto* d = qobject_cast<frmKohdekansionValinta*>(w);
            d->txtKohdekansio()->setText(QStringLiteral("C:\\Muu"));
            if (how == QLatin1String("Peruuta"))
                d->cmdPainike(1)->click();
            else if (how == QLatin1String("Esc"))
                QTest::keyClick(d->txtKohdekansio(), Qt::Key_Escape);
            else
                d->close();
        });
        page.p2().cmdPainike(3)->click();
        QCOMPARE(page.text()->text(), QStringLiteral("C:\\Omat\\Vuska"));
        QVERIFY(!page.installer->kohdekansionValinta());
    }

    // A request to end while the dialog is up asks; Yes unloads the dialog first, then the
    // pages, and the program ends cleanly out of the dialog.
    void endRequestDuringBrowse()
    {
        Page page;
        QStringList unloaded;
        QObject::connect(page.installer.get(), &mdlVuskanAsennus::windowUnloaded,
                         [&](const QString& name) { unloaded << name; });
        MessageBoxScript boxes;
        boxes.yes();
        const OnModal modal([&](QWidget*) { page.installer->endRequested(platform::UnloadMode::AppTaskManager); });
        page.p2().cmdPainike(3)->click();
        QCOMPARE(page.ends, 1);
        QCOMPARE(boxes.shown().size(), 1);
        QCOMPARE(boxes.last().title, QStringLiteral("Lopeta"));
        QCOMPARE(unloaded, (QStringList{"frmKohdekansionValinta", "frmVaihe0", "frmVaihe2"}));
        QVERIFY(!page.p2().isVisible());
    }
};

VUSKA_TEST_MAIN(TestSetupTargetFolder)
#include "test_setup_targetfolder.moc"
