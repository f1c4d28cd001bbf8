#include <functional>

#include <QPushButton>
#include <QTest>

#include "platform/appearance.h"
#include "platform/installfiles.h"
#include "platform/lifetime.h"
#include "platform/screen.h"
#include "setup/uninstall/frmpoistamattomattiedostot.h"
#include "setup/uninstall/frmpoisto.h"
#include "setup/wizard/frmtiedostojenkopiointi.h"
#include "setup/wizard/frmvaihe0.h"
#include "setup/wizard/frmvaihe1.h"
#include "setup/wizard/frmvaihe2.h"
#include "setup/wizard/frmvaihe3.h"
#include "setup/wizard/frmvaihe4.h"
#include "setup/wizard/frmvaihe5.h"
#include "setup/wizard/mdlvuskanasennus.h"
#include "tests/support/accessiblewindow.h"
#include "tests/support/installersandbox.h"
#include "tests/support/modal.h"
#include "tests/support/sandbox.h"

using namespace vuska;
using namespace vuska::setup;
using platform::installfiles::InterceptingFileSystem;
using platform::installfiles::Operation;

namespace {

const InstallFile kFiles[] = {{"file_id.diz", 5}, {"readme.txt", 7}};

// An installer whose own folder holds a small installation set, on step 4's choices.
struct Machine {
    test::InstallerSandbox sandbox;
    std::unique_ptr<mdlVuskanAsennus> installer;

    Machine()
    {
        installer = std::make_unique<mdlVuskanAsennus>(sandbox.makeInstallationSet(kFiles));
        installer->SourceFolder = QStringLiteral("C:\\Temp\\vuska122");
        installer->TargetFolder = QStringLiteral("C:\\Program Files\\Vuska");
        installer->CreateTargetFolder = true;
        installer->ProgramGroup = QStringLiteral("Vuska");
        installer->CreateProgramGroup = true;
    }

    QWidget* page(int step)
    {
        QWidget* pages[6] = {&installer->vaihe0(), &installer->vaihe1(), &installer->vaihe2(),
                             &installer->vaihe3(), &installer->vaihe4(), &installer->vaihe5()};
        return pages[step];
    }
};

} // namespace

class TestSetupAccessibility : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        platform::applyProgramFont();
        platform::screen::setTwipsPerPixelOverride(15, 15);
        platform::lifetime::setEndHandler([](int) {});
    }

    void init() { platform::lifetime::reset(); }

    void everyControlReachableAndNamed_data()
    {
        QTest::addColumn<QString>("window");
        for (int step = 0; step <= 5; ++step)
            QTest::newRow(qPrintable(QStringLiteral("step %1").arg(step))) << QStringLiteral("frmVaihe%1").arg(step);
        QTest::newRow("cancel question") << "messageBox";
        QTest::newRow("folder chooser") << "frmKohdekansionValinta";
        QTest::newRow("copy window") << "frmTiedostojenKopiointi";
        QTest::newRow("removal") << "frmPoisto";
        QTest::newRow("files left behind") << "frmPoistamattomatTiedostot";
    }

    // Tab and Shift+Tab take a keyboard user to every control of each window, and a screen
    // reader has a name for each of them and for every picture.
    void everyControlReachableAndNamed()
    {
        QFETCH(QString, window);
        Machine m;
        std::optional<QStringList> faults;
        const auto check = [&faults](QWidget* w) { faults = test::accessibilityFaults(w); };
        // A modal window is checked once it is up, then closed as Esc would.
        const auto checkModal = [&](const std::function<void()>& open) {
            test::OnModal act([&](QWidget* dialog) {
                check(dialog);
                test::closeModals();
            });
            open();
        };

        if (window.startsWith(QLatin1String("frmVaihe"))) {
            QWidget* page = m.page(window.back().digitValue());
            page->show();
            check(page);
        } else if (window == QLatin1String("messageBox")) {
            m.installer->vaihe0().show();
            checkModal([&] { m.installer->vaihe0().cmdPainike(0)->click(); });
        } else if (window == QLatin1String("frmKohdekansionValinta")) {
            m.installer->vaihe2().show();
            checkModal([&] { m.installer->vaihe2().cmdPainike(3)->click(); });
        } else if (window == QLatin1String("frmTiedostojenKopiointi")) {
            m.installer->vaihe4().show();
            InterceptingFileSystem fs;
            frmTiedostojenKopiointi copy(*m.installer, &m.installer->vaihe4(), fs, kFiles);
            // Checked while it copies: it has closed by the time the copy is done.
            fs.fail = [&](Operation operation, const QString&, int) {
                if (operation == Operation::CopyNew && !faults)
                    check(&copy);
                return false;
            };
            copy.showModal();
        } else if (window == QLatin1String("frmPoisto")) {
            frmPoisto removal;
            removal.show();
            check(&removal);
        } else {
            frmPoistamattomatTiedostot left;
            left.setInstructions(QStringLiteral("Poista kansio C:\\Program Files\\Vuska itse."));
            left.setFiles({QStringLiteral("vuska.exe"), QStringLiteral("vuska.hlp")});
            left.show();
            check(&left);
        }
        QVERIFY2(faults, "the window never came up");
        QVERIFY2(faults->isEmpty(), qPrintable(faults->join(u'\n')));
    }
};

VUSKA_TEST_MAIN(TestSetupAccessibility)
#include "test_setup_accessibility.moc"
