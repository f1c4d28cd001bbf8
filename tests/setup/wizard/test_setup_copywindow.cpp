#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

#include "game/registry/mdlvuska2.h"
#include "game/registry/settingskey.h"
#include "platform/appearance.h"
#include "platform/drives.h"
#include "platform/installfiles.h"
#include "platform/lifetime.h"
#include "platform/shelllinks.h"
#include "platform/unloadmode.h"
#include "setup/wizard/frmtiedostojenkopiointi.h"
#include "setup/wizard/frmvaihe2.h"
#include "setup/wizard/frmvaihe4.h"
#include "setup/wizard/frmvaihe5.h"
#include "setup/wizard/mdlvuskanasennus.h"
#include "setup/wizard/registration.h"
#include "tests/support/foldersnapshot.h"
#include "tests/support/installersandbox.h"
#include "tests/support/messageboxscript.h"
#include "tests/support/sandbox.h"

using namespace vuska;
using namespace vuska::setup;
using platform::installfiles::InterceptingFileSystem;
using platform::installfiles::Operation;
using platform::UnloadMode;
using vuska::test::FolderSnapshot;
using vuska::test::InstallerSandbox;
using vuska::test::MessageBoxScript;

namespace {

// A small installation set of three files.
const InstallFile kFiles[] = {{"file_id.diz", 5}, {"readme.txt", 7}, {"vuska.exe", 3}};

struct Machine {
    InstallerSandbox sandbox;
    QString source;
    std::unique_ptr<mdlVuskanAsennus> installer;

    Machine()
    {
        source = sandbox.makeInstallationSet(kFiles);
        installer = std::make_unique<mdlVuskanAsennus>(source);
        installer->SourceFolder = QStringLiteral("C:\\Temp\\vuska122");
        installer->TargetFolder = QStringLiteral("C:\\Program Files\\Vuska\\");
        installer->CreateTargetFolder = true;
        installer->ProgramGroup = QStringLiteral("Vuska");
        installer->CreateProgramGroup = true;
        installer->vaihe4().move(140, 90);
        installer->vaihe4().show();
    }
    QString target() const { return sandbox.cRoot() + QStringLiteral("/Program Files/Vuska"); }
    QString file(const InstallFile& f) const { return target() + QLatin1Char('/') + QLatin1String(f.name); }
};

} // namespace

class TestSetupCopyWindow : public QObject {
    Q_OBJECT

    int ends_ = 0;

private slots:
    void initTestCase()
    {
        platform::applyProgramFont();
        platform::lifetime::setEndHandler([this](int) { ++ends_; });
    }
    void init()
    {
        platform::lifetime::reset();
        ends_ = 0;
    }

    // The window copies and registers once it is up, cannot be closed meanwhile, runs its
    // work once however often it is activated, and then puts step 5 in step 4's place.
    void copiesOnceThenStepFive()
    {
        Machine m;
        InterceptingFileSystem fs;
        frmTiedostojenKopiointi window(*m.installer, &m.installer->vaihe4(), fs, kFiles);
        QCOMPARE(window.windowTitle(), QStringLiteral("Kopioidaan tiedostoja"));
        QCOMPARE(window.pbPalkki()->minimum(), 0);
        QCOMPARE(window.pbPalkki()->maximum(), 58);
        QCOMPARE(window.tmrAjastin()->interval(), 100);
        bool closeRefused = true;
        bool triedAgain = false;
        fs.fail = [&](Operation operation, const QString&, int) {
            if (operation == Operation::CopyNew && !triedAgain) {
                triedAgain = true;
                closeRefused = !window.close() && window.isVisible();
                window.Form_GotFocus(); // the window activated again during a turn of the loop
            }
            return false;
        };
        window.showModal();
        QVERIFY(triedAgain);
        QVERIFY(closeRefused);
        QVERIFY(window.KaikkiValmista);
        QCOMPARE(fs.calls(Operation::CopyNew), 3);
        QCOMPARE(window.pbPalkki()->value(), 3);
        for (const InstallFile& f : kFiles)
            QVERIFY(QFile::exists(m.target() + QLatin1Char('/') + QLatin1String(f.name)));
        QCOMPARE(m.installer->TargetFolder, QStringLiteral("C:\\Program Files\\Vuska"));
        QCOMPARE(ReadRegistryValue(HKEY_CURRENT_USER, SettingsKey, QStringLiteral("Kansio")),
                 QStringLiteral("C:\\Program Files\\Vuska"));
        QVERIFY(!window.isVisible());
        QVERIFY(m.installer->isLoaded(5));
        QVERIFY(m.installer->vaihe5().isVisible());
        QCOMPARE(m.installer->vaihe5().pos(), QPoint(140, 90));
        QVERIFY(!m.installer->isLoaded(4));
        window.Form_GotFocus();
        QCOMPARE(fs.calls(Operation::CopyNew), 3);
        QCOMPARE(ends_, 0);
    }

    // A target folder that cannot be made: the message, then step 2 in step 4's place.
    void folderThatCannotBeMadeLeadsBackToStepTwo()
    {
        Machine m;
        m.installer->TargetFolder = QStringLiteral("C:\\Ei ole\\Vuska");
        m.installer->vaihe2().hide();
        MessageBoxScript boxes;
        boxes.ok();
        frmTiedostojenKopiointi window(*m.installer, &m.installer->vaihe4(), platform::installfiles::realFileSystem(),
                                       kFiles);
        window.showModal();
        QCOMPARE(boxes.last().title, QStringLiteral("Virhe"));
        QCOMPARE(boxes.last().text,
                 QStringLiteral("Kansion C:\\Ei ole\\Vuska luominen ei onnistu.\nValitse kansio uudelleen."));
        QVERIFY(!window.isVisible());
        QVERIFY(m.installer->vaihe2().isVisible());
        QCOMPARE(m.installer->vaihe2().pos(), QPoint(140, 90));
        QVERIFY(!m.installer->isLoaded(4));
        QTest::qWait(250); // the window's timer must not show step 5 afterwards
        QVERIFY(!m.installer->isLoaded(5));
        QCOMPARE(ends_, 0);
    }

    // A file missing beside setup ends the program with nothing copied.
    void missingSourceEndsTheProgram()
    {
        Machine m;
        QVERIFY(QFile::remove(m.source + QStringLiteral("/readme.txt")));
        MessageBoxScript boxes;
        boxes.ok();
        frmTiedostojenKopiointi window(*m.installer, &m.installer->vaihe4(), platform::installfiles::realFileSystem(),
                                       kFiles);
        window.showModal();
        QCOMPARE(boxes.last().title, QStringLiteral("Ei tiedostoa"));
        QCOMPARE(ends_, 1);
        QVERIFY(!window.isVisible());
        QVERIFY(QDir(m.target()).isEmpty());
    }

    void recordThatCannotBeWrittenTakesItBack_data()
    {
        QTest::addColumn<bool>("earlier"); // the folder holds an earlier installation
        QTest::newRow("into a new folder") << false;
        QTest::newRow("over an earlier installation") << true;
    }

    // When the current user's store does not take the record, setup could never find the
    // installation again: the user hears it, everything is taken back as after a failed copy
    // (the files, a folder setup made; no group, shortcut or uninstall entry is left), and
    // the program ends instead of telling that the game is installed.
    void recordThatCannotBeWrittenTakesItBack()
    {
        QFETCH(bool, earlier);
        Machine m;
        FolderSnapshot before;
        if (earlier) {
            m.installer->CreateTargetFolder = false;
            QVERIFY(QDir().mkpath(m.target()));
            for (const InstallFile& f : kFiles) {
                QFile old(m.file(f));
                QVERIFY(old.open(QIODevice::WriteOnly) && old.write("vanha") == 5);
            }
            before = vuska::test::snapshotFolder(m.target());
        }
        // A folder where the store's file should be.
        QVERIFY(QDir().mkpath(m.sandbox.configHome() + QStringLiteral("/vuska-registry/HKEY_CURRENT_USER.db")));
        MessageBoxScript boxes;
        boxes.ok();
        frmTiedostojenKopiointi window(*m.installer, &m.installer->vaihe4(), platform::installfiles::realFileSystem(),
                                       kFiles);
        window.showModal();
        QCOMPARE(boxes.shown().size(), 1);
        QCOMPARE(boxes.last().title, QStringLiteral("Virhe"));
        QCOMPARE(boxes.last().text, QStringLiteral("Asennustietojen tallennus epäonnistui. Asennus\n"
                                                   "keskeytetään ja jo asennetut tiedostot poistetaan."));
        QCOMPARE(boxes.last().icon, platform::MsgIcon::Exclamation);
        QCOMPARE(ends_, 1);
        if (earlier)
            QCOMPARE(vuska::test::snapshotFolder(m.target()), before);
        else
            QVERIFY(!QFileInfo::exists(m.target()));
        QCOMPARE(ReadRegistryValue(HKEY_LOCAL_MACHINE, UninstallKey, QStringLiteral("DisplayName")), NotFound);
        const std::optional<platform::shelllinks::GroupFiles> group =
            platform::shelllinks::groupFiles(QStringLiteral("\\Vuska"));
        QVERIFY(group);
        QVERIFY(!QFileInfo::exists(group->folder));
        QVERIFY(!m.installer->isLoaded(5));
    }

    void endRequestWaitsForTheWork_data()
    {
        QTest::addColumn<QString>("during"); // "copying" or "registration"
        QTest::addColumn<int>("mode");
        QTest::newRow("SIGTERM while copying") << "copying" << int(UnloadMode::AppTaskManager);
        QTest::newRow("SIGTERM while registering") << "registration" << int(UnloadMode::AppTaskManager);
        QTest::newRow("the session ending while registering") << "registration" << int(UnloadMode::AppWindows);
    }

    // A request to end while the window works asks nothing and is refused for now: the work
    // runs to its end, the files in place and the installation registered, and then the
    // program ends.
    void endRequestWaitsForTheWork()
    {
        QFETCH(QString, during);
        QFETCH(int, mode);
        Machine m;
        frmTiedostojenKopiointi window(*m.installer, &m.installer->vaihe4(), platform::installfiles::realFileSystem(),
                                       kFiles);
        MessageBoxScript boxes; // no answers: a question fails the test
        std::optional<bool> refused;
        QTimer everyTurn; // runs at each turn of the message loop the window's work takes
        everyTurn.setInterval(0);
        QObject::connect(&everyTurn, &QTimer::timeout, [&] {
            const bool now = during == QLatin1String("copying")
                ? window.pbPalkki()->value() == 2
                : window.lblKopioitava()->text().startsWith(QStringLiteral("Päivitetään"));
            if (now) {
                everyTurn.stop();
                refused = m.installer->endRequested(UnloadMode(mode));
            }
        });
        everyTurn.start();
        window.showModal();
        QVERIFY2(refused.has_value(), "the request was never made");
        QVERIFY2(*refused, "the request was let through at once");
        QVERIFY(boxes.shown().isEmpty());
        QCOMPARE(ends_, 1);
        for (const InstallFile& f : kFiles)
            QVERIFY2(QFile::exists(m.file(f)), f.name);
        QCOMPARE(ReadRegistryValue(HKEY_CURRENT_USER, SettingsKey, QStringLiteral("Kansio")),
                 QStringLiteral("C:\\Program Files\\Vuska"));
        QCOMPARE(ReadRegistryValue(HKEY_LOCAL_MACHINE, UninstallKey, QStringLiteral("UninstallString")),
                 QStringLiteral("C:\\Program Files\\Vuska\\setup.exe"));
        QVERIFY(!m.installer->isLoaded(5));
    }
};

VUSKA_TEST_MAIN(TestSetupCopyWindow)
#include "test_setup_copywindow.moc"
