// Every window of both programs in each of their languages: every text fits the room it is
// given, and every access key is unique within its window (and within each menu).
#include <functional>

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

#include "game/forms/frmvuska.h"
#include "platform/appearance.h"
#include "platform/installfiles.h"
#include "platform/language.h"
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
#include "tests/support/gamewindow.h"
#include "tests/support/installersandbox.h"
#include "tests/support/layoutcheck.h"
#include "tests/support/modal.h"
#include "tests/support/picturefolder.h"
#include "tests/support/sandbox.h"

using namespace vuska;
using platform::language::Language;

namespace {

const setup::InstallFile kFiles[] = {{"file_id.diz", 5}, {"readme.txt", 7}};

// The access key of a text ("&Uusi peli": U), or 0.
QChar accessKey(const QString& text)
{
    for (qsizetype i = text.indexOf(u'&'); i >= 0 && i + 1 < text.size(); i = text.indexOf(u'&', i + 2))
        if (text[i + 1] != u'&')
            return text[i + 1].toUpper();
    return {};
}

// The access keys of a window's controls by object name, and each key that two controls of the
// window share, or two entries of one menu.
struct Keys {
    QMap<QString, QChar> byControl;
    QStringList clashes;
    void note(QMap<QChar, QString>& taken, const QString& control, const QString& text)
    {
        if (const QChar key = accessKey(text); !key.isNull()) {
            byControl.insert(control, key);
            if (taken.contains(key))
                clashes << QStringLiteral("%1 and %2 share Alt+%3").arg(taken.value(key), control, key);
            taken.insert(key, control);
        }
    }
};

Keys keysOf(const QWidget* window)
{
    Keys keys;
    QMap<QChar, QString> taken;
    for (const QWidget* w : window->findChildren<QWidget*>()) {
        if (w->isHidden() || w->window() != window)
            continue;
        if (const auto* button = qobject_cast<const QAbstractButton*>(w))
            keys.note(taken, w->objectName(), button->text());
        else if (const auto* label = qobject_cast<const QLabel*>(w); label && label->buddy())
            keys.note(taken, w->objectName(), label->text());
        else if (const auto* group = qobject_cast<const QGroupBox*>(w))
            keys.note(taken, w->objectName(), group->title());
    }
    if (const auto* main = qobject_cast<const QMainWindow*>(window)) {
        for (const QAction* menu : main->menuBar()->actions()) {
            keys.note(taken, menu->objectName(), menu->text());
            QMap<QChar, QString> inMenu;
            for (const QAction* item : menu->menu()->actions())
                keys.note(inMenu, item->objectName(), item->text());
        }
    }
    return keys;
}

} // namespace

class TestTranslations : public QObject {
    Q_OBJECT

    QTemporaryDir pictures_;

private slots:
    void initTestCase()
    {
        platform::applyProgramFont();
        vuska::test::writeCardPictures(pictures_.path());
        platform::lifetime::setEndHandler([](int) {});
        platform::screen::setTwipsPerPixelOverride(15, 15);
    }
    void cleanupTestCase() { platform::language::setForTest(Language::Finnish, {}); }

    void everyWindowFitsItsTexts_data()
    {
        QTest::addColumn<QString>("window");
        for (const char* name : {"frmVuska", "frmAsetukset", "frmParhaatTulokset", "frmTietoja", "frmKysyNimi",
                                 "new game question", "frmVaihe0", "frmVaihe1", "frmVaihe2", "frmVaihe3", "frmVaihe4",
                                 "frmVaihe5", "cancel question", "frmKohdekansionValinta", "frmTiedostojenKopiointi",
                                 "frmPoisto", "frmPoistamattomatTiedostot"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    // In Finnish, Swedish and English alike, no text of the window is cut, elided or drawn
    // over, its access keys are unique, and every control that has an access key in Finnish
    // has one in the other languages too.
    void everyWindowFitsItsTexts()
    {
        QFETCH(QString, window);
        QMap<QString, QChar> finnishKeys;
        for (const Language language : {Language::Finnish, Language::Swedish, Language::English}) {
            platform::language::setForTest(language, {QStringLiteral("platform"), QStringLiteral("game"),
                                                      QStringLiteral("setup")});
            const QString where = platform::language::code(language) + QStringLiteral(": ");
            std::optional<QStringList> faults;
            Keys keys;
            const auto look = [&](QWidget* w) {
                faults = vuska::test::layoutFaults(w);
                keys = keysOf(w);
            };
            open(window, look);
            QVERIFY2(faults, qPrintable(where + QStringLiteral("the window never came up")));
            QVERIFY2(faults->isEmpty(), qPrintable(where + faults->join(u'\n')));
            // The Finnish windows keep the keys they were given (step 2's Seuraava and Selaa share S).
            QVERIFY2(language == Language::Finnish || keys.clashes.isEmpty(),
                     qPrintable(where + keys.clashes.join(u'\n')));
            if (language == Language::Finnish)
                finnishKeys = keys.byControl;
            for (const QString& control : finnishKeys.keys())
                QVERIFY2(keys.byControl.contains(control), qPrintable(where + control + QStringLiteral(" has no access key")));
        }
    }

private:
    // Opens a window as a user would reach it and hands it to `look` while it is up.
    void open(const QString& window, const std::function<void(QWidget*)>& look)
    {
        platform::lifetime::reset();
        const auto modal = [&](const std::function<void()>& opening) {
            const vuska::test::OnModal act([&](QWidget* dialog) {
                look(dialog);
                vuska::test::closeModals();
            });
            opening();
        };
        static const QStringList gameWindows{"frmVuska", "frmAsetukset", "frmParhaatTulokset", "frmTietoja",
                                             "frmKysyNimi", "new game question"};
        if (gameWindows.contains(window)) {
            vuska::test::GameWindow game(pictures_.path());
            frmVuska* w = game.window.get();
            w->Form_Load();
            w->show();
            game.game().WinStreak = 3; // a game in progress with a run to lose: Uusi peli asks
            game.game().HumanToPlay = true;
            const std::map<QString, std::function<void()>> opening{
                {"frmAsetukset", [w] { w->mNaytaAsetukset_Click(); }},
                {"frmParhaatTulokset", [w] { w->mNaytaParhaatTulokset_Click(); }},
                {"frmTietoja", [w] { w->mTietojaOhjelmasta_Click(); }},
                {"frmKysyNimi", [w] { w->showNameEntry(); }},
                {"new game question", [w] { w->mUusiPeli_Click(); }}};
            window == QLatin1String("frmVuska") ? look(w) : modal(opening.at(window));
            return;
        }
        vuska::test::InstallerSandbox sandbox;
        setup::mdlVuskanAsennus installer(sandbox.makeInstallationSet(kFiles));
        installer.SourceFolder = QStringLiteral("C:\\Temp\\vuska122");
        installer.TargetFolder = QStringLiteral("C:\\Program Files\\Vuska");
        installer.CreateTargetFolder = true;
        installer.ProgramGroup = QStringLiteral("Vuska");
        installer.CreateProgramGroup = true;
        if (window.startsWith(QLatin1String("frmVaihe"))) {
            QWidget* pages[6] = {&installer.vaihe0(), &installer.vaihe1(), &installer.vaihe2(),
                                 &installer.vaihe3(), &installer.vaihe4(), &installer.vaihe5()};
            QWidget* page = pages[window.back().digitValue()];
            page->show();
            look(page);
        } else if (window == QLatin1String("cancel question")) {
            installer.vaihe0().show();
            modal([&] { installer.vaihe0().cmdPainike(0)->click(); });
        } else if (window == QLatin1String("frmKohdekansionValinta")) {
            installer.vaihe2().show();
            modal([&] { installer.vaihe2().cmdPainike(3)->click(); });
        } else if (window == QLatin1String("frmTiedostojenKopiointi")) {
            platform::installfiles::InterceptingFileSystem fs;
            setup::frmTiedostojenKopiointi copy(installer, &installer.vaihe4(), fs, kFiles);
            bool seen = false;
            fs.fail = [&](platform::installfiles::Operation, const QString&, int) {
                if (!std::exchange(seen, true))
                    look(&copy);
                return false;
            };
            installer.vaihe4().show();
            copy.showModal();
        } else if (window == QLatin1String("frmPoisto")) {
            setup::frmPoisto removal;
            removal.show();
            look(&removal);
        } else { // what the removal could not take away
            setup::frmPoistamattomatTiedostot left;
            left.setInstructions(QStringLiteral("C:\\Program Files\\Vuska"));
            left.setFiles({QStringLiteral("vuska.exe"), QStringLiteral("vuska.hlp")});
            left.show();
            look(&left);
        }
    }
};

VUSKA_TEST_MAIN(TestTranslations)
#include "test_translations.moc"
