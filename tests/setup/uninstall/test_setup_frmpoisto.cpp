#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "game/registry/mdlvuska2.h"
#include "game/registry/settingskey.h"
#include "platform/appearance.h"
#include "platform/registry.h"
#include "platform/lifetime.h"
#include "platform/pointer.h"
#include "platform/screen.h"
#include "setup/uninstall/frmpoisto.h"
#include "tests/support/layoutcheck.h"
#include "tests/support/messageboxscript.h"
#include "tests/support/modal.h"
#include "tests/support/sandbox.h"

using namespace vuska;
using namespace vuska::setup;
using vuska::test::MessageBoxScript;

namespace {
bool keyExists()
{
    return platform::registry::openKey(platform::registry::Hive::CurrentUser, SettingsKey).has_value();
}
} // namespace

class TestSetupFrmPoisto : public QObject {
    Q_OBJECT

    int ends_ = 0;

private slots:
    void initTestCase()
    {
        platform::applyProgramFont();
        platform::screen::setTwipsPerPixelOverride(15, 15);
        platform::lifetime::setEndHandler([this](int) { ++ends_; });
    }

    void init()
    {
        platform::lifetime::reset();
        ends_ = 0;
    }

    void cleanup() { platform::setScreenPointer(platform::ScreenPointer::Default); }

    // The removal window's caption, picture, four texts and two buttons, none clipped.
    void texts()
    {
        frmPoisto w;
        QCOMPARE(w.objectName(), QStringLiteral("frmPoisto"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Vuska-ohjelman asennuksen poisto"));
        QCOMPARE(w.pTaustakuva()->objectName(), QStringLiteral("pTaustakuva"));
        QVERIFY(!w.pTaustakuva()->pixmap().isNull());
        QCOMPARE(w.Frame1()->objectName(), QStringLiteral("Frame1"));
        const QString expected[4] = {
            QStringLiteral("Tämä ohjelma poistaa tietokoneeltasi Vuska-ohjelman version 1.22 Freeware."),
            QStringLiteral("Muiden Windows-sovellusten sulkeminen ennen poiston aloittamista on erittäin "
                           "suositeltavaa."),
            QStringLiteral("Paina Poista-painiketta poistaaksesi Vuska-ohjelman."),
            QStringLiteral("Huom! Jos painat Poista-painiketta, et voi keskeyttää ohjelman poistoa."),
        };
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(w.lblTeksti(i)->objectName(), QStringLiteral("lblTeksti_%1").arg(i));
            QCOMPARE(w.lblTeksti(i)->text(), expected[i]);
            QCOMPARE(w.lblTeksti(i)->textFormat(), Qt::PlainText);
        }
        QCOMPARE(w.cmdPainike(0)->text(), QStringLiteral("&Poista"));
        QCOMPARE(w.cmdPainike(1)->text(), QStringLiteral("Peruuta"));
        QVERIFY(w.cmdPainike(0)->isDefault());
        QVERIFY(w.cmdPainike(0)->isEnabled() && w.cmdPainike(1)->isEnabled());
        QVERIFY(!w.isModal());
        const QStringList faults = vuska::test::layoutFaults(&w);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    }

    void peruutaEndsAtOnce_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Peruuta") << "Peruuta";
        QTest::newRow("Esc") << "Esc";
        QTest::newRow("close box") << "close box";
        QTest::newRow("Enter on Peruuta") << "Enter on Peruuta";
    }

    // Peruuta, Esc and any close request end the program at once, without a question, and
    // leave no window behind.
    void peruutaEndsAtOnce()
    {
        QFETCH(QString, how);
        frmPoisto w;
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        MessageBoxScript boxes; // no answers: a question fails the test
        const vuska::test::NoModalExpected noDialog;
        if (how == QLatin1String("Peruuta")) {
            w.cmdPainike(1)->click();
        } else if (how == QLatin1String("Esc")) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        } else if (how == QLatin1String("close box")) {
            QVERIFY(w.close());
        } else {
            w.cmdPainike(1)->setFocus();
            QTest::keyClick(w.cmdPainike(1), Qt::Key_Return);
        }
        QCOMPARE(ends_, 1);
        QVERIFY(!w.isVisible());
        QVERIFY(boxes.shown().isEmpty());
    }

    // With no installation record "&Poista" says so and ends the program; nothing is asked.
    void poistaWithoutARecordEnds()
    {
        frmPoisto w;
        w.show();
        MessageBoxScript boxes;
        boxes.ok();
        w.cmdPainike(0)->click();
        QCOMPARE(boxes.last().text, QStringLiteral("Virhe ohjelman rekisteritiedoissa. Poisto ei onnistu."));
        QCOMPARE(ends_, 1);
        QVERIFY(!w.isVisible());
    }

    // A removal goes to its end and shows what is left; a close request meanwhile waits for
    // it, and otherwise "Sulje" is what remains to press.
    void poistaRunsToItsEnd()
    {
        for (const bool closeDuring : {false, true}) {
            init();
            QVERIFY(WriteRegistryValue(HKEY_CURRENT_USER, SettingsKeyForWrite, QStringLiteral("Kansio"), 1,
                                       QStringLiteral("C:\\Ei asennettu")));
            frmPoisto w;
            w.show();
            bool refused = false;
            {
                const vuska::test::OnModal leftovers([&](QWidget* dialog) {
                    QCOMPARE(dialog->objectName(), QStringLiteral("frmPoistamattomatTiedostot"));
                    QVERIFY(!w.cmdPainike(0)->isEnabled() && !w.cmdPainike(1)->isEnabled());
                    if (closeDuring)
                        refused = !w.close() && w.isVisible() && ends_ == 0;
                    QTest::keyClick(dialog, Qt::Key_Return);
                });
                w.cmdPainike(0)->click();
            }
            QVERIFY(!keyExists());
            QVERIFY(!w.cmdPainike(0)->isEnabled());
            if (closeDuring) {
                QVERIFY(refused);
                QCOMPARE(ends_, 1);
                QVERIFY(!w.isVisible());
            } else {
                QCOMPARE(ends_, 0);
                QCOMPARE(w.cmdPainike(1)->text(), QStringLiteral("Sulje"));
                QVERIFY(w.cmdPainike(1)->isEnabled());
                w.cmdPainike(1)->click();
                QCOMPARE(ends_, 1);
            }
        }
    }
};

VUSKA_TEST_MAIN(TestSetupFrmPoisto)
#include "test_setup_frmpoisto.moc"
