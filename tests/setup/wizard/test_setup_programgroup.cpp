#include <memory>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "game/registry/mdlvuska2.h"
#include "platform/appearance.h"
#include "platform/lifetime.h"
#include "platform/pointer.h"
#include "platform/screen.h"
#include "setup/wizard/frmvaihe0.h"
#include "setup/wizard/frmvaihe2.h"
#include "setup/wizard/frmvaihe3.h"
#include "setup/wizard/frmvaihe4.h"
#include "setup/wizard/mdlvuskanasennus.h"
#include "tests/support/installersandbox.h"
#include "tests/support/messageboxscript.h"
#include "tests/support/sandbox.h"

using namespace vuska;
using namespace vuska::setup;
using vuska::test::InstallerSandbox;
using vuska::test::MessageBoxScript;

namespace {

const QString kShellFolders = QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Folders");

QStringList items(const QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

QStringList selected(const QListWidget* list)
{
    QStringList texts;
    for (const QListWidgetItem* item : list->selectedItems())
        texts << item->text();
    return texts;
}

// Step 3 in its own sandbox, its Programs folder C:\Ohjelmat (through the registry) holding
// the given groups, and a file that is not one.
struct Page {
    explicit Page(const QStringList& groups = {"Vuska", "Pelit", "Apuohjelmat"}, bool registered = true)
    {
        for (const QString& group : groups)
            sandbox.makeFolder(QStringLiteral("c/Ohjelmat/") + group);
        sandbox.makeFile(QStringLiteral("c/Ohjelmat/muistio.desktop"));
        if (registered)
            registerPrograms(QStringLiteral("C:\\Ohjelmat"));
        QDir().mkpath(sandbox.cRoot() + QStringLiteral("/Temp"));
        installer = std::make_unique<mdlVuskanAsennus>(sandbox.cRoot() + QStringLiteral("/Temp"));
        installer->start();
    }

    static void registerPrograms(const QString& folder)
    {
        QVERIFY(WriteRegistryValue(HKEY_CURRENT_USER, kShellFolders, QStringLiteral("Programs"), 1, folder));
    }

    frmVaihe3& p3()
    {
        frmVaihe3& page = installer->vaihe3();
        if (!page.isVisible())
            installer->goTo(&installer->vaihe0(), &page);
        return page;
    }

    InstallerSandbox sandbox;
    std::unique_ptr<mdlVuskanAsennus> installer;
};

} // namespace

class TestSetupProgramGroup : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        platform::applyProgramFont();
        platform::screen::setTwipsPerPixelOverride(15, 15);
        platform::lifetime::setEndHandler([](int) {});
    }

    void init() { platform::lifetime::reset(); }
    void cleanup() { platform::setScreenPointer(platform::ScreenPointer::Default); }

    // The page's texts and controls as it starts: the group "Vuska", nothing ticked.
    void pageTexts()
    {
        Page page;
        frmVaihe3& p = page.p3();
        QCOMPARE(p.lblTeksti()->text(), QStringLiteral("Vuska-ohjelman ja sen ohjetiedoston kuvakkeet lisätään alla "
                                                       "olevaan kenttään kirjoittamaasi tai listasta valitsemaasi "
                                                       "ohjelmaryhmään."));
        QCOMPARE(p.txtOhjelmaryhma()->objectName(), QStringLiteral("txtOhjelmaryhma"));
        QCOMPARE(p.txtOhjelmaryhma()->text(), QStringLiteral("Vuska"));
        QCOMPARE(p.lstOhjelmaryhmat()->objectName(), QStringLiteral("lstOhjelmaryhmat"));
        QCOMPARE(p.chkEiRyhmaa()->objectName(), QStringLiteral("chkEiRyhmaa"));
        QCOMPARE(p.chkEiRyhmaa()->text(), QStringLiteral("&Ohjelman kuvakkeita ei lisätä ohjelmaryhmään"));
        QVERIFY(!p.chkEiRyhmaa()->isChecked());
        QVERIFY(p.cmdPainike(2)->isEnabled());
    }

    void groupList_data()
    {
        QTest::addColumn<QString>("programs"); // the registry's value; "-" for none
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("the registered folder")
            << "C:\\Ohjelmat" << QStringList{"Apuohjelmat", "Pelit", "Vuska", "vuska"};
        QTest::newRow("in another letter case")
            << "c:\\OHJELMAT\\" << QStringList{"Apuohjelmat", "Pelit", "Vuska", "vuska"};
        QTest::newRow("a folder that is not there") << "C:\\Puuttuu" << QStringList{};
        QTest::newRow("an unmapped drive") << "Q:\\Ohjelmat" << QStringList{};
        QTest::newRow("not a path") << "Ohjelmat" << QStringList{};
        QTest::newRow("no value: the desktop's menu folder") << "-" << QStringList{"Pelit", "Toimisto"};
    }

    // The list holds the folders of the Programs folder, never its files; a Programs folder
    // that cannot be read leaves it empty.
    void groupList()
    {
        QFETCH(QString, programs);
        QFETCH(QStringList, listed);
        Page page({"Vuska", "vuska", "Pelit", "Apuohjelmat"}, false);
        if (programs == QLatin1String("-")) {
            page.sandbox.makeFolder(QStringLiteral("data/applications/Toimisto"));
            page.sandbox.makeFolder(QStringLiteral("data/applications/Pelit"));
            page.sandbox.makeFile(QStringLiteral("data/applications/muistio.desktop"));
        } else {
            Page::registerPrograms(programs);
        }
        QCOMPARE(items(page.p3().lstOhjelmaryhmat()), listed);
        QVERIFY(page.p3().cmdPainike(2)->isEnabled());
    }

    // The list is made once, at the first load: groups made later are not listed when the
    // user comes back.
    void listMadeOnce()
    {
        Page page;
        frmVaihe3& p = page.p3();
        const QStringList first = items(p.lstOhjelmaryhmat());
        page.sandbox.makeFolder(QStringLiteral("c/Ohjelmat/Uusi"));
        p.cmdPainike(1)->click();
        page.installer->goTo(&page.installer->vaihe2(), &page.installer->vaihe3());
        QCOMPARE(&page.installer->vaihe3(), &p);
        QCOMPARE(items(p.lstOhjelmaryhmat()), first);
    }

    // A click on a group copies its name into the text, which then highlights it.
    void clickCopies()
    {
        Page page;
        frmVaihe3& p = page.p3();
        QListWidget* list = p.lstOhjelmaryhmat();
        QListWidgetItem* pelit = list->findItems(QStringLiteral("Pelit"), Qt::MatchExactly).first();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(pelit).center());
        QCOMPARE(p.txtOhjelmaryhma()->text(), QStringLiteral("Pelit"));
        QCOMPARE(selected(list), QStringList{"Pelit"});
        // The keyboard moves the choice the same way.
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(p.txtOhjelmaryhma()->text(), QStringLiteral("Vuska"));
    }

    // Tabbing into the list, or typing elsewhere, never changes the text by itself.
    void focusAloneChangesNothing()
    {
        Page page;
        frmVaihe3& p = page.p3();
        p.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&p));
        p.txtOhjelmaryhma()->setFocus();
        p.txtOhjelmaryhma()->setText(QStringLiteral("Omat"));
        QTest::keyClick(p.txtOhjelmaryhma(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(p.lstOhjelmaryhmat()));
        QCOMPARE(p.txtOhjelmaryhma()->text(), QStringLiteral("Omat"));
    }

    void highlighting_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("highlighted");
        QTest::newRow("exact") << "Pelit" << QStringList{"Pelit"};
        QTest::newRow("another case") << "pelit" << QStringList{};
        QTest::newRow("the lower-case twin") << "vuska" << QStringList{"vuska"};
        QTest::newRow("the upper-case twin") << "Vuska" << QStringList{"Vuska"};
        QTest::newRow("a beginning") << "Pel" << QStringList{};
        QTest::newRow("empty") << "" << QStringList{};
    }

    // Typing highlights the group whose name is exactly the text, letter case included, and
    // nothing else; Next follows whether there is any text.
    void highlighting()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, highlighted);
        Page page({"Vuska", "vuska", "Pelit"});
        frmVaihe3& p = page.p3();
        p.txtOhjelmaryhma()->setText(QStringLiteral("Apuohjelmat"));
        QCOMPARE(selected(p.lstOhjelmaryhmat()), QStringList{});
        p.txtOhjelmaryhma()->selectAll();
        if (typed.isEmpty())
            QTest::keyClick(p.txtOhjelmaryhma(), Qt::Key_Delete);
        else
            QTest::keyClicks(p.txtOhjelmaryhma(), typed);
        QCOMPARE(p.txtOhjelmaryhma()->text(), typed);
        QCOMPARE(selected(p.lstOhjelmaryhmat()), highlighted);
        QCOMPARE(p.cmdPainike(2)->isEnabled(), !typed.isEmpty());
    }

    // The check box takes the list and the text out of use, and gives them back; an empty
    // text refuses Next even with the box ticked.
    void checkBox()
    {
        Page page;
        frmVaihe3& p = page.p3();
        QTest::mouseClick(p.chkEiRyhmaa(), Qt::LeftButton);
        QVERIFY(p.chkEiRyhmaa()->isChecked());
        QVERIFY(!p.lstOhjelmaryhmat()->isEnabled());
        QVERIFY(!p.txtOhjelmaryhma()->isEnabled());
        QVERIFY(p.cmdPainike(2)->isEnabled());
        p.txtOhjelmaryhma()->clear();
        QVERIFY(!p.cmdPainike(2)->isEnabled());
        QTest::keyClick(p.chkEiRyhmaa(), Qt::Key_Space);
        QVERIFY(!p.chkEiRyhmaa()->isChecked());
        QVERIFY(p.lstOhjelmaryhmat()->isEnabled());
        QVERIFY(p.txtOhjelmaryhma()->isEnabled());
    }

    void nextRecordsTheChoice_data()
    {
        QTest::addColumn<QStringList>("groups");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<bool>("create");
        QTest::addColumn<bool>("none");
        QTest::newRow("an existing group") << QStringList{"Vuska", "Pelit"} << "Vuska" << false << false << false;
        QTest::newRow("another existing group") << QStringList{"Vuska", "Pelit"} << "Pelit" << false << false << false;
        QTest::newRow("a case-twin is new") << QStringList{"Vuska"} << "vuska" << false << true << false;
        QTest::newRow("a new group") << QStringList{"Pelit"} << "Vuska" << false << true << false;
        QTest::newRow("no list at all") << QStringList{} << "Vuska" << false << true << false;
        QTest::newRow("no shortcuts") << QStringList{"Vuska"} << "Vuska" << true << false << true;
        QTest::newRow("no shortcuts, a new name") << QStringList{} << "Uusi" << true << false << true;
    }

    // Next records the group and whether it is new, or that no shortcuts are wanted, and goes
    // on to step 4; each press decides again.
    void nextRecordsTheChoice()
    {
        QFETCH(QStringList, groups);
        QFETCH(QString, text);
        QFETCH(bool, ticked);
        QFETCH(bool, create);
        QFETCH(bool, none);
        Page page(groups);
        frmVaihe3& p = page.p3();
        page.installer->CreateProgramGroup = !create;
        page.installer->NoProgramGroup = !none;
        p.txtOhjelmaryhma()->setText(text);
        p.chkEiRyhmaa()->setChecked(ticked);
        p.cmdPainike(2)->click();
        QCOMPARE(page.installer->ProgramGroup, text);
        QCOMPARE(page.installer->CreateProgramGroup, create);
        QCOMPARE(page.installer->NoProgramGroup, none);
        QVERIFY(page.installer->vaihe4().isVisible());
        QVERIFY(!p.isVisible());
        QCOMPARE(platform::screenPointer(), platform::ScreenPointer::Default);

        page.installer->vaihe4().cmdPainike(1)->click();
        p.chkEiRyhmaa()->setChecked(!ticked);
        p.cmdPainike(2)->click();
        QCOMPARE(page.installer->NoProgramGroup, !ticked);
    }
};

VUSKA_TEST_MAIN(TestSetupProgramGroup)
#include "test_setup_programgroup.moc"
