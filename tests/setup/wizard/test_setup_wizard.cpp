#include <csignal>
#include <memory>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "game/registry/mdlvuska2.h"
#include "game/registry/settingskey.h"
#include "platform/appearance.h"
#include "platform/lifetime.h"
#include "platform/pointer.h"
#include "platform/screen.h"
#include "platform/termination.h"
#include "setup/uninstall/frmpoisto.h"
#include "setup/wizard/filetable.h"
#include "setup/wizard/frmvaihe0.h"
#include "setup/wizard/frmvaihe1.h"
#include "setup/wizard/frmvaihe2.h"
#include "setup/wizard/frmvaihe3.h"
#include "setup/wizard/frmvaihe4.h"
#include "setup/wizard/frmvaihe5.h"
#include "setup/wizard/kayttoehdot.h"
#include "setup/wizard/mdlvuskanasennus.h"
#include "setup/wizard/programinfo.h"
#include "tests/support/installersandbox.h"
#include "tests/support/layoutcheck.h"
#include "tests/support/messageboxscript.h"
#include "tests/support/keys.h"
#include "tests/support/sandbox.h"

using namespace vuska;
using namespace vuska::setup;
using platform::MsgButtons;
using platform::MsgDefault;
using platform::MsgIcon;
using platform::UnloadMode;
using vuska::test::InstallerSandbox;
using vuska::test::MessageBoxScript;

namespace {

using vuska::test::press;

const QString kCancelText = QStringLiteral("Jos lopetat nyt, Vuska-ohjelmaa ei asenneta. Voit ajaa\n"
                                           "asennusohjelman uudelleen milloin tahansa.\n\n"
                                           "Haluatko varmasti keskeyttää asennuksen?");

void checkCancelQuestion(const platform::MessageBoxRequest& box)
{
    QCOMPARE(box.text, kCancelText);
    QCOMPARE(box.title, QStringLiteral("Lopeta"));
    QCOMPARE(box.buttons, MsgButtons::YesNo);
    QCOMPARE(box.icon, MsgIcon::Question);
    QCOMPARE(box.defaultButton, MsgDefault::Second);
}

QStringList visibleWindows()
{
    QStringList names;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            names << w->objectName();
    names.sort();
    return names;
}

// One run of the installer in its own sandbox, its ends and unloads recorded.
struct Run {
    explicit Run(const QString& programFolder = QString())
        : installer(std::make_unique<mdlVuskanAsennus>(
              programFolder.isEmpty() ? sandbox.cRoot() + QStringLiteral("/Temp") : programFolder))
    {
        QDir().mkpath(sandbox.cRoot() + QStringLiteral("/Temp"));
        installer->createRemovalWindow = [] { return std::make_unique<frmPoisto>(); };
        QObject::connect(installer.get(), &mdlVuskanAsennus::windowUnloaded,
                         [this](const QString& name) { unloaded << name; });
        platform::lifetime::setEndHandler([this](int) { ++ends; });
    }
    ~Run() { platform::lifetime::setEndHandler([](int) {}); }

    // Steps 0 to `step` shown in turn by their Next buttons (step 2's folder accepted as new).
    void walkTo(int step)
    {
        QWidget* first = installer->start();
        QCOMPARE(first, static_cast<QWidget*>(&installer->vaihe0()));
        if (step >= 1)
            installer->vaihe0().cmdPainike(2)->click();
        if (step >= 2)
            installer->vaihe1().cmdPainike(2)->click();
        if (step >= 3) {
            MessageBoxScript boxes;
            boxes.yes();
            installer->vaihe2().cmdPainike(2)->click();
        }
        if (step >= 4)
            installer->vaihe3().cmdPainike(2)->click();
    }

    WizardPage* page(int step)
    {
        switch (step) {
        case 0: return &installer->vaihe0();
        case 1: return &installer->vaihe1();
        case 2: return &installer->vaihe2();
        case 3: return &installer->vaihe3();
        case 4: return &installer->vaihe4();
        default: return &installer->vaihe5();
        }
    }

    InstallerSandbox sandbox;
    std::unique_ptr<mdlVuskanAsennus> installer;
    QStringList unloaded;
    int ends = 0;
};

QStringList pagesUpTo(int step)
{
    QStringList names;
    for (int i = 0; i <= step; ++i)
        names << QStringLiteral("frmVaihe%1").arg(i);
    return names;
}

void writeKansio(const QString& value)
{
    QVERIFY(WriteRegistryValue(HKEY_CURRENT_USER, SettingsKeyForWrite, QStringLiteral("Kansio"), 1, value));
}

} // namespace

class TestSetupWizard : public QObject {
    Q_OBJECT

    // The run a SIGTERM goes to.
    Run* terminated_ = nullptr;

private slots:
    void initTestCase()
    {
        platform::applyProgramFont();
        platform::screen::setTwipsPerPixelOverride(15, 15);
        platform::onTerminationRequest([this] {
            if (terminated_)
                terminated_->installer->endRequested(UnloadMode::AppTaskManager);
        });
    }

    void init() { platform::lifetime::reset(); }

    void cleanup()
    {
        terminated_ = nullptr;
        platform::setScreenPointer(platform::ScreenPointer::Default);
    }

    // The program names itself and its version as its version resource did, and carries the
    // game's icon.
    void programInfoIsApplied()
    {
        applyProgramInfo();
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Vuska-ohjelman asennus"));
        QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("Vuska-ohjelman asennus"));
        QCOMPARE(QCoreApplication::applicationVersion(), QStringLiteral("1.02.0002"));
        const QCoreApplication* app = QCoreApplication::instance();
        QCOMPARE(app->property("FileDescription").toString(), QStringLiteral("Vuskan asennus- ja poisto-ohjelma"));
        QCOMPARE(app->property("ProductName").toString(), QStringLiteral("Vuska-ohjelman asennus/asennuksen poisto"));
        QCOMPARE(app->property("InternalName").toString(), QStringLiteral("setup"));
        QCOMPARE(app->property("OriginalFilename").toString(), QStringLiteral("setup.exe"));
        QCOMPARE(app->property("FileVersion").toString(), QStringLiteral("1.02.0002"));
        QCOMPARE(app->property("ProductVersion").toString(), QStringLiteral("1.02.0002"));
        const QIcon icon = QApplication::windowIcon();
        QVERIFY(!icon.isNull());
        QVERIFY(icon.availableSizes().contains(QSize(32, 32)));
        QVERIFY(icon.availableSizes().contains(QSize(256, 256)));
    }

    void startUpDecision_data()
    {
        QTest::addColumn<QString>("kansio"); // "-" writes nothing; "!" makes the store unreadable
        QTest::addColumn<bool>("removal");
        QTest::newRow("no installation folder") << "-" << false;
        QTest::newRow("an empty installation folder") << "" << true;
        QTest::newRow("an installation folder") << "C:\\Program Files\\Vuska" << true;
        QTest::newRow("the literal Not Found") << "Not Found" << false;
        QTest::newRow("a store that cannot be read") << "!" << false;
    }

    // The installation folder in the registry decides: anything stored, even an empty text,
    // makes this run the uninstaller; nothing (or nothing readable) makes it the installer.
    // Never both windows.
    void startUpDecision()
    {
        QFETCH(QString, kansio);
        QFETCH(bool, removal);
        Run run;
        if (kansio == QLatin1String("!")) {
            // The current user's store is a folder where its file should be.
            QVERIFY(QDir().mkpath(run.sandbox.configHome() + QStringLiteral("/vuska-registry/HKEY_CURRENT_USER.db")));
        } else if (kansio != QLatin1String("-")) {
            writeKansio(kansio);
        }
        QWidget* first = run.installer->start();
        QVERIFY(first);
        QVERIFY(first->isVisible());
        if (removal) {
            QCOMPARE(first->objectName(), QStringLiteral("frmPoisto"));
            QCOMPARE(first, run.installer->removalWindow());
            QVERIFY(!run.installer->isLoaded(0));
            QCOMPARE(run.unloaded, QStringList{QStringLiteral("frmVaihe0")});
            QCOMPARE(visibleWindows(), QStringList{QStringLiteral("frmPoisto")});
            // Step 0 never appeared, so the window manager places the removal window as it
            // would have placed step 0.
            QVERIFY(!first->testAttribute(Qt::WA_Moved));
        } else {
            QCOMPARE(first->objectName(), QStringLiteral("frmVaihe0"));
            QVERIFY(!run.installer->removalWindow());
            QVERIFY(run.unloaded.isEmpty());
            QCOMPARE(visibleWindows(), QStringList{QStringLiteral("frmVaihe0")});
        }
        QCOMPARE(run.ends, 0);
    }

    void sourceFolder_data()
    {
        QTest::addColumn<QString>("hostFolder"); // under C:'s folder
        QTest::addColumn<QString>("programFolder");
        QTest::addColumn<QString>("source");
        QTest::newRow("a drive's root") << "" << "C:\\" << "C:";
        QTest::newRow("a folder") << "/Temp" << "C:\\Temp" << "C:\\Temp";
        QTest::newRow("a deeper folder") << "/Temp/Asennus 1" << "C:\\Temp\\Asennus 1" << "C:\\Temp\\Asennus 1";
    }

    // The source of the installation is the program's own folder in Windows form, without
    // the backslash a drive's root ends with.
    void sourceFolder()
    {
        QFETCH(QString, hostFolder);
        QFETCH(QString, programFolder);
        QFETCH(QString, source);
        InstallerSandbox sandbox;
        QDir().mkpath(sandbox.cRoot() + hostFolder);
        mdlVuskanAsennus installer(sandbox.cRoot() + hostFolder);
        QCOMPARE(installer.programFolder(), programFolder);
        QVERIFY(installer.SourceFolder.isEmpty());
        installer.start();
        QCOMPARE(installer.SourceFolder, source);
    }

    // Every page shows the title, its texts exactly, its picture and the buttons with their
    // captions, default, and the ones disabled by design.
    void pageTexts()
    {
        Run run;
        run.installer->start();
        const QStringList next = {"&Seuraava >", "&Hyväksy >", "&Seuraava >", "&Seuraava >", "&Seuraava >", "&Lopeta"};
        for (int step = 0; step <= 5; ++step) {
            WizardPage* p = run.page(step);
            QCOMPARE(p->objectName(), QStringLiteral("frmVaihe%1").arg(step));
            QCOMPARE(p->windowTitle(), QStringLiteral("Vuska-ohjelman asennus"));
            QCOMPARE(p->picture()->objectName(),
                     step == 5 ? QStringLiteral("Picture1") : QStringLiteral("pTaustakuva"));
            QVERIFY2(!p->picture()->pixmap().isNull(), "the side picture is missing");
            QCOMPARE(p->picture()->pixmap().deviceIndependentSize(), QSizeF(164, 314));
            QCOMPARE(p->Frame1()->objectName(), QStringLiteral("Frame1"));
            QCOMPARE(p->cmdPainike(0)->text(), QStringLiteral("Peruuta"));
            QCOMPARE(p->cmdPainike(1)->text(), QStringLiteral("< &Edellinen"));
            QCOMPARE(p->cmdPainike(2)->text(), next[step]);
            QVERIFY(p->cmdPainike(2)->isDefault());
            QVERIFY(!p->cmdPainike(0)->isDefault() && !p->cmdPainike(1)->isDefault());
            QCOMPARE(p->cmdPainike(0)->isEnabled(), step != 5);
            QCOMPARE(p->cmdPainike(1)->isEnabled(), step != 0 && step != 5);
            QCOMPARE(p->cmdPainike(3) != nullptr, step == 2);
            for (int i = 0; i < 3; ++i)
                QCOMPARE(p->cmdPainike(i)->objectName(), QStringLiteral("cmdPainike_%1").arg(i));
            QVERIFY(!p->isModal());
        }
        const frmVaihe0& p0 = run.installer->vaihe0();
        QCOMPARE(p0.lblTeksti(0)->text(),
                 QStringLiteral("Tämä asennusohjelma asentaa Vuska-ohjelman version 1.22 Freeware."));
        QCOMPARE(p0.lblTeksti(1)->text(), QStringLiteral("Muiden Windows-sovellusten sulkeminen ennen itse asennuksen "
                                                         "aloittamista on erittäin suositeltavaa."));
        const frmVaihe1& p1 = run.installer->vaihe1();
        QCOMPARE(p1.lblTeksti(0)->text(), QString());
        QCOMPARE(p1.lblTeksti(1)->text(), QString());
        QCOMPARE(p1.txtEhdot()->objectName(), QStringLiteral("txtEhdot"));
        const frmVaihe4& p4 = run.installer->vaihe4();
        QCOMPARE(p4.lblTeksti(0)->text(), QStringLiteral("Asennusohjelma on nyt valmis aloittamaan Vuskan tiedostojen "
                                                         "kopioimisen aiemmin valitsemaasi kansioon."));
        QCOMPARE(p4.lblTeksti(1)->text(), QStringLiteral("Paina Seuraava-painiketta aloittaaksesi asennuksen."));
        QCOMPARE(p4.lblTeksti(2)->text(),
                 QStringLiteral("Jos haluat muuttaa antamiasi asennustietoja, paina Edellinen-painiketta."));
        const frmVaihe5& p5 = run.installer->vaihe5();
        QCOMPARE(p5.lblTeksti(0)->text(), QStringLiteral("Ohjelma on nyt asennettu. Kiitos Vuskan asentamisesta!"));
        QCOMPARE(p5.lblTeksti(1)->text(), QStringLiteral("Paina Lopeta-painiketta sulkeaksesi asennusohjelman."));
        // Labels show text as it is, never as markup.
        for (int step = 0; step <= 5; ++step)
            for (const QLabel* label : run.page(step)->findChildren<QLabel*>())
                if (label != run.page(step)->picture())
                    QCOMPARE(label->textFormat(), Qt::PlainText);
    }

    void nothingClipped_data()
    {
        QTest::addColumn<int>("twipsPerPixel");
        QTest::newRow("96 dpi") << 15;
        QTest::newRow("120 dpi") << 12;
    }

    // No text of any page is cut off or drawn over, at either common screen density.
    void nothingClipped()
    {
        QFETCH(int, twipsPerPixel);
        platform::screen::setTwipsPerPixelOverride(twipsPerPixel, twipsPerPixel);
        Run run;
        run.installer->start();
        for (int step = 0; step <= 5; ++step) {
            const QStringList faults = vuska::test::layoutFaults(run.page(step));
            QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("step %1: ").arg(step) + faults.join(u'\n')));
        }
        platform::screen::setTwipsPerPixelOverride(15, 15);
    }

    // The terms: CR LF lines, the two headed sections in order, the three numbered
    // conditions, the first listing every file of the set in upper case, in table order,
    // and the author's address; shown read-only and scrollable, line for line.
    void termsOfUse()
    {
        const QString terms = termsText();
        QVERIFY(!terms.contains(QRegularExpression(QStringLiteral("[^\\r]\\n|\\r[^\\n]"))));
        const QStringList lines = terms.split(QStringLiteral("\r\n"));
        const qsizetype damages = lines.indexOf(QStringLiteral("Vahingot ja vastuu"));
        const qsizetype distribution = lines.indexOf(QStringLiteral("Levitys ja jakelu"));
        QCOMPARE(damages, 0);
        QVERIFY(distribution > damages);
        QVERIFY(terms.contains(QStringLiteral("omalla vastuullasi")));
        QVERIFY(terms.contains(QStringLiteral("Internetin ja BBS-palvelujen kautta")));
        QVERIFY(terms.contains(QStringLiteral("ohjelmakokoelmissa")));
        QCOMPARE(terms.count(authorEmail()), 2);
        QVERIFY(!authorEmail().isEmpty() && authorEmail().contains(u'@'));

        qsizetype previous = distribution;
        for (const char* number : {"1) ", "2) ", "3) "}) {
            const auto at = std::find_if(lines.begin() + previous, lines.end(),
                                         [number](const QString& l) { return l.startsWith(QLatin1String(number)); });
            QVERIFY2(at != lines.end(), number);
            previous = at - lines.begin();
        }
        QVERIFY(lines.filter(QRegularExpression(QStringLiteral("^1\\) .*ZIP-pakettina.* 59 tiedostoa:$"))).size() == 1);

        const auto files = installationFiles();
        QCOMPARE(files.size(), std::size_t(59));
        qsizetype at = lines.indexOf(QRegularExpression(QStringLiteral("1\\) .*")));
        QVERIFY(at > distribution);
        for (const InstallFile& file : files) {
            const QString name = QStringLiteral("    ") + QString::fromUtf8(file.name).toUpper();
            const qsizetype found = lines.indexOf(name, at + 1);
            QVERIFY2(found == at + 1 || (found == at + 2 && lines[at + 1].isEmpty()), qPrintable(name));
            at = found;
        }
        QVERIFY(lines.contains(QStringLiteral("    FILE_ID.DIZ")));
        QVERIFY(lines.contains(QStringLiteral("    VUSKA122.CNT")));

        Run run;
        const QPlainTextEdit* box = run.installer->vaihe1().txtEhdot();
        QVERIFY(box->isReadOnly());
        QCOMPARE(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(box->toPlainText().split(u'\n'), lines);
    }

    // Next and Back show the next page where the current one was and hide the current
    // one; one page is visible at a time and the pointer is the default again afterwards.
    void navigationKeepsThePosition()
    {
        Run run;
        run.installer->start();
        frmVaihe0& p0 = run.installer->vaihe0();
        p0.move(137, 91);
        const QPoint at = p0.pos();
        for (int step = 1; step <= 4; ++step) {
            MessageBoxScript boxes;
            if (step == 3)
                boxes.yes(); // the new folder is to be made
            run.page(step - 1)->cmdPainike(2)->click();
            QCOMPARE(visibleWindows(), QStringList{QStringLiteral("frmVaihe%1").arg(step)});
            QCOMPARE(run.page(step)->pos(), at);
            QCOMPARE(platform::screenPointer(), platform::ScreenPointer::Default);
        }
        for (int step = 3; step >= 0; --step) {
            run.page(step + 1)->cmdPainike(1)->click();
            QCOMPARE(visibleWindows(), QStringList{QStringLiteral("frmVaihe%1").arg(step)});
            QCOMPARE(run.page(step)->pos(), at);
        }
        // Hidden, not unloaded: nothing went on the way.
        QVERIFY(run.unloaded.isEmpty());
        QCOMPARE(run.ends, 0);
    }

    // Pages are hidden, not unloaded: going back and forth finds what the user left on them.
    void pagesKeepWhatWasEntered()
    {
        Run run;
        run.walkTo(3);
        frmVaihe3& p3 = run.installer->vaihe3();
        p3.txtOhjelmaryhma()->setText(QStringLiteral("Pelit"));
        p3.chkEiRyhmaa()->setChecked(true);
        p3.cmdPainike(1)->click();
        frmVaihe2& p2 = run.installer->vaihe2();
        p2.txtKohdekansio()->setText(QStringLiteral("C:\\Pelit\\Vuska"));
        p2.cmdPainike(1)->click();
        QVERIFY(run.installer->vaihe1().isVisible());
        run.installer->vaihe1().cmdPainike(2)->click();
        QVERIFY(p2.isVisible());
        QCOMPARE(p2.txtKohdekansio()->text(), QStringLiteral("C:\\Pelit\\Vuska"));
        {
            MessageBoxScript boxes;
            boxes.yes();
            p2.cmdPainike(2)->click();
        }
        QVERIFY(p3.isVisible());
        QCOMPARE(&run.installer->vaihe3(), &p3);
        QCOMPARE(p3.txtOhjelmaryhma()->text(), QStringLiteral("Pelit"));
        QVERIFY(p3.chkEiRyhmaa()->isChecked());
    }

    void cancelAsks_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("how");
        for (int step = 0; step <= 4; ++step)
            for (const char* how : {"Peruuta", "Esc", "close box", "task manager", "session end"})
                QTest::addRow("step %d, %s", step, how) << step << QString::fromLatin1(how);
    }

    // On steps 0 to 4, Peruuta, Esc, the close box and requests from outside all ask the
    // same question with No as the default. No leaves the page as it was, open; Yes unloads
    // the loaded windows in their order and ends the program.
    void cancelAsks()
    {
        QFETCH(int, step);
        QFETCH(QString, how);
        Run run;
        run.walkTo(step);
        WizardPage* p = run.page(step);
        QVERIFY(p->isVisible());
        p->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(p));
        const auto ask = [&] {
            if (how == QLatin1String("Peruuta")) {
                p->cmdPainike(0)->click();
                return true;
            }
            if (how == QLatin1String("Esc")) {
                press(Qt::Key_Escape);
                return true;
            }
            if (how == QLatin1String("close box"))
                return !p->close();
            return run.installer->endRequested(how == QLatin1String("session end") ? UnloadMode::AppWindows
                                                                                    : UnloadMode::AppTaskManager);
        };
        const QString before = step == 2 ? run.installer->vaihe2().txtKohdekansio()->text() : QString();
        {
            MessageBoxScript boxes;
            boxes.no();
            const bool refused = ask();
            if (how != QLatin1String("Peruuta") && how != QLatin1String("Esc"))
                QVERIFY2(refused, "the close was not refused");
            QCOMPARE(boxes.shown().size(), 1);
            checkCancelQuestion(boxes.last());
        }
        QCOMPARE(run.ends, 0);
        QVERIFY(p->isVisible());
        QCOMPARE(visibleWindows(), QStringList{p->objectName()});
        QVERIFY(run.unloaded.isEmpty());
        if (step == 2)
            QCOMPARE(run.installer->vaihe2().txtKohdekansio()->text(), before);
        {
            MessageBoxScript boxes;
            boxes.yes();
            ask();
            QCOMPARE(boxes.shown().size(), 1);
        }
        QCOMPARE(run.ends, 1);
        QCOMPARE(run.unloaded, pagesUpTo(step));
        QVERIFY(visibleWindows().isEmpty());
    }

    // A page that was loaded and left behind is unloaded too, in its place in the order.
    void unloadOrderCoversEveryLoadedPage()
    {
        Run run;
        run.walkTo(4);
        run.installer->vaihe4().cmdPainike(1)->click();
        run.installer->vaihe3().cmdPainike(1)->click();
        QVERIFY(run.installer->vaihe2().isVisible());
        MessageBoxScript boxes;
        boxes.yes();
        run.installer->vaihe2().cmdPainike(0)->click();
        QCOMPARE(run.unloaded, pagesUpTo(4));
        QCOMPARE(run.ends, 1);
    }

    // The copy window, while registered, is unloaded second, after the browse dialog.
    void unloadOrderTakesTheCopyWindow()
    {
        Run run;
        run.walkTo(4);
        QDialog copy;
        copy.setObjectName(QStringLiteral("frmTiedostojenKopiointi"));
        copy.show();
        run.installer->setCopyWindow(&copy);
        run.installer->unloadAllAndEnd();
        QCOMPARE(run.unloaded, QStringList{QStringLiteral("frmTiedostojenKopiointi")} + pagesUpTo(4));
        QVERIFY(!copy.isVisible());
        QVERIFY(run.installer->unloading());
    }

    // While the question is up, another request to end gets no second question and is
    // refused; the answer to the first decides.
    void oneQuestionAtATime()
    {
        Run run;
        run.walkTo(1);
        MessageBoxScript boxes;
        bool refused = false;
        boxes.whileShown = [&](const platform::MessageBoxRequest&) {
            refused = run.installer->endRequested(UnloadMode::AppTaskManager);
            QVERIFY(!run.installer->vaihe1().close());
        };
        boxes.no();
        run.installer->vaihe1().cmdPainike(0)->click();
        QCOMPARE(boxes.shown().size(), 1);
        QVERIFY(refused);
        QVERIFY(run.installer->vaihe1().isVisible());
        QCOMPARE(run.ends, 0);
    }

    // SIGTERM asks as the close box does, on the event thread.
    void sigtermAsks()
    {
        Run run;
        run.walkTo(2);
        terminated_ = &run;
        MessageBoxScript boxes;
        boxes.yes();
        ::raise(SIGTERM);
        QTRY_COMPARE(run.ends, 1);
        QCOMPARE(boxes.shown().size(), 1);
        checkCancelQuestion(boxes.last());
        QCOMPARE(run.unloaded, pagesUpTo(2));
    }

    void finishedPageEndsWithoutAQuestion_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Lopeta") << "Lopeta";
        QTest::newRow("Enter") << "Enter";
        QTest::newRow("close box") << "close box";
        QTest::newRow("task manager") << "task manager";
    }

    // Step 5 comes where step 4 was, and step 4 is unloaded. Lopeta, Enter, its close box or a
    // request from outside end the program without a question; nothing stays visible.
    void finishedPageEndsWithoutAQuestion()
    {
        QFETCH(QString, how);
        Run run;
        run.walkTo(4);
        frmVaihe4& p4 = run.installer->vaihe4();
        p4.move(201, 77);
        const QPoint at = p4.pos();
        run.installer->showFinishedPage();
        QVERIFY(!run.installer->isLoaded(4));
        QCOMPARE(run.unloaded, QStringList{QStringLiteral("frmVaihe4")});
        frmVaihe5& p5 = run.installer->vaihe5();
        QCOMPARE(visibleWindows(), QStringList{QStringLiteral("frmVaihe5")});
        QCOMPARE(p5.pos(), at);

        MessageBoxScript boxes; // no answers: any box fails the test
        if (how == QLatin1String("Lopeta")) {
            p5.cmdPainike(2)->click();
        } else if (how == QLatin1String("Enter")) {
            p5.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&p5));
            press(Qt::Key_Return);
        } else if (how == QLatin1String("close box")) {
            QVERIFY(p5.close());
        } else {
            QVERIFY(!run.installer->endRequested(UnloadMode::AppTaskManager));
        }
        QCOMPARE(run.ends, 1);
        QVERIFY(boxes.shown().isEmpty());
        QCOMPARE(run.unloaded,
                 (QStringList{QStringLiteral("frmVaihe4")} + pagesUpTo(3) << QStringLiteral("frmVaihe5")));
        QVERIFY(visibleWindows().isEmpty());
    }

    // On step 5 Esc does nothing: its Peruuta is disabled by design.
    void finishedPageIgnoresEsc()
    {
        Run run;
        run.walkTo(4);
        run.installer->showFinishedPage();
        frmVaihe5& p5 = run.installer->vaihe5();
        p5.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&p5));
        MessageBoxScript boxes;
        press(Qt::Key_Escape);
        QCOMPARE(run.ends, 0);
        QVERIFY(p5.isVisible());
    }

    // When the copy window cannot make the folder, step 2 comes back where step 4 was,
    // with its text, and step 4 is unloaded; a later Next loads a fresh step 4.
    void backToTheTargetFolder()
    {
        Run run;
        run.walkTo(4);
        frmVaihe4* old = &run.installer->vaihe4();
        old->move(90, 60);
        const QPoint at = old->pos();
        run.installer->returnToTargetFolderPage();
        QCOMPARE(visibleWindows(), QStringList{QStringLiteral("frmVaihe2")});
        QCOMPARE(run.installer->vaihe2().pos(), at);
        QCOMPARE(run.installer->vaihe2().txtKohdekansio()->text(), QStringLiteral("C:\\Program Files\\Vuska"));
        QVERIFY(!run.installer->isLoaded(4));
        QCOMPARE(run.unloaded, QStringList{QStringLiteral("frmVaihe4")});
    }

    // Step 4's Next hands over to the copy window; without one nothing happens.
    void copyWindowSeam()
    {
        Run run;
        run.walkTo(4);
        run.installer->vaihe4().cmdPainike(2)->click();
        QVERIFY(run.installer->vaihe4().isVisible());
        int shown = 0;
        run.installer->showCopyWindow = [&] {
            ++shown;
            QVERIFY(run.installer->vaihe4().isVisible()); // step 4 stays behind it
        };
        run.installer->vaihe4().cmdPainike(2)->click();
        QCOMPARE(shown, 1);
    }

    void enterPressesTheFocusedButton_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("shown"); // the page shown afterwards, or "question"
        QTest::newRow("step 1, Hyväksy") << 1 << "cmdPainike_2" << "frmVaihe2";
        QTest::newRow("step 1, Edellinen") << 1 << "cmdPainike_1" << "frmVaihe0";
        QTest::newRow("step 1, Peruuta") << 1 << "cmdPainike_0" << "question";
        QTest::newRow("step 1, the terms") << 1 << "txtEhdot" << "frmVaihe2";
        QTest::newRow("step 0, Peruuta") << 0 << "cmdPainike_0" << "question";
        QTest::newRow("step 4, Edellinen") << 4 << "cmdPainike_1" << "frmVaihe3";
        QTest::newRow("step 3, the group text") << 3 << "txtOhjelmaryhma" << "frmVaihe4";
    }

    // Enter presses the button that has the focus; elsewhere it presses the default, Next.
    void enterPressesTheFocusedButton()
    {
        QFETCH(int, step);
        QFETCH(QString, focus);
        QFETCH(QString, shown);
        Run run;
        run.walkTo(step);
        WizardPage* p = run.page(step);
        p->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(p));
        auto* target = p->findChild<QWidget*>(focus);
        QVERIFY(target);
        target->setFocus();
        QCOMPARE(QApplication::focusWidget(), target);
        MessageBoxScript boxes;
        if (shown == QLatin1String("question"))
            boxes.no();
        press(Qt::Key_Return);
        if (shown == QLatin1String("question")) {
            QCOMPARE(boxes.shown().size(), 1);
            checkCancelQuestion(boxes.last());
            QCOMPARE(visibleWindows(), QStringList{p->objectName()});
        } else {
            QCOMPARE(visibleWindows(), QStringList{shown});
        }
    }

    // Each page opens with the focus where the user works first: Next, or the text to type.
    void firstFocus()
    {
        Run run;
        run.walkTo(0);
        const QStringList expected = {"cmdPainike_2", "cmdPainike_2", "txtKohdekansio", "txtOhjelmaryhma",
                                      "cmdPainike_2", "cmdPainike_2"};
        for (int step = 0; step <= 5; ++step)
            QCOMPARE(run.page(step)->focusWidget() ? run.page(step)->focusWidget()->objectName() : QString(),
                     expected[step]);
    }
};

VUSKA_TEST_MAIN(TestSetupWizard)
#include "test_setup_wizard.moc"
