#include <memory>

#include <QAccessible>
#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTest>
#include <QTimer>

#include "game/forms/cardtable.h"
#include "game/forms/frmasetukset.h"
#include "game/forms/frmkysynimi.h"
#include "game/forms/frmparhaattulokset.h"
#include "game/forms/frmtietoja.h"
#include "game/forms/frmvuska.h"
#include "game/forms/helpcommand.h"
#include "game/registry/mdlvuska2.h"
#include "game/registry/settingskey.h"
#include "platform/appearance.h"
#include "platform/lifetime.h"
#include "platform/registry.h"
#include "platform/screen.h"
#include "tests/support/accessiblewindow.h"
#include "tests/support/fakes.h"
#include "tests/support/gamewindow.h"
#include "tests/support/messageboxscript.h"
#include "tests/support/modal.h"
#include "tests/support/keys.h"
#include "tests/support/picturefolder.h"
#include "tests/support/sandbox.h"

using namespace vuska;
using vuska::test::FakeClock;
using vuska::test::MessageBoxScript;
using vuska::test::OnModal;

namespace {

using vuska::test::press;

QString read(const QString& name)
{
    return ReadRegistryValue(HKEY_CURRENT_USER, SettingsKey, name);
}

QString focusName()
{
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QStringLiteral("(none)");
}

bool keyExists()
{
    return platform::registry::openKey(platform::registry::Hive::CurrentUser, SettingsKey).has_value();
}

struct Game : vuska::test::GameWindow {
    explicit Game(const QString& folder) : GameWindow(folder, 3)
    {
        window->Form_Load();
        window->show();
    }
};

} // namespace

class TestDialogs : public QObject {
    Q_OBJECT

    QTemporaryDir pictures_;
    std::unique_ptr<QTemporaryDir> config_;

private slots:
    void initTestCase()
    {
        platform::applyProgramFont();
        vuska::test::writeCardPictures(pictures_.path());
        platform::lifetime::setEndHandler([](int) {});
    }

    void init()
    {
        config_ = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", config_->path().toLocal8Bit());
        platform::lifetime::reset();
        platform::screen::setTwipsPerPixelOverride(15, 15);
    }

    void cleanup() { platform::screen::setTwipsPerPixelOverride(0, 0); }

    void dialogsReadable_data()
    {
        QTest::addColumn<int>("dialog");
        QTest::newRow("Asetukset") << 0;
        QTest::newRow("Parhaat tulokset") << 1;
        QTest::newRow("Tietoja") << 2;
        QTest::newRow("Onneksi olkoon!") << 3;
    }

    // Every control of the game's dialogs is reached by Tab and named for a screen reader,
    // and so is every picture.
    void dialogsReadable()
    {
        QFETCH(int, dialog);
        Game g(pictures_.path());
        g.game().WinStreak = 3;
        QStringList faults;
        const OnModal check([&faults](QWidget* w) {
            faults = vuska::test::accessibilityFaults(w);
            w->close();
        });
        switch (dialog) {
        case 0:
            g.window->mNaytaAsetukset_Click();
            break;
        case 1:
            g.window->mNaytaParhaatTulokset_Click();
            break;
        case 2:
            g.window->mTietojaOhjelmasta_Click();
            break;
        default:
            g.window->showNameEntry();
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    // The name entry greets a run of one in the singular and longer runs in the plural,
    // presets "Nimetön" at first and the last confirmed name later.
    void nameEntryTexts()
    {
        Game g(pictures_.path());
        frmKysyNimi& d = g.window->kysyNimi();
        g.game().WinStreak = 1;
        d.Form_Load();
        QCOMPARE(d.lblTeksti()->text(), QStringLiteral("Voitit 1 pelin peräkkäin ja pääset tuloksellasi parhaiden "
                                                       "tulosten listalle.\n\n\nKirjoita nimesi:"));
        QCOMPARE(d.txtNimi()->text(), QStringLiteral("Nimetön"));
        QCOMPARE(d.txtNimi()->selectedText(), QStringLiteral("Nimetön"));
        QCOMPARE(d.windowTitle(), QStringLiteral("Onneksi olkoon!"));

        g.game().WinStreak = 12;
        const OnModal modal1([](QWidget* w) {
            auto* box = w->findChild<QLineEdit*>(QStringLiteral("txtNimi"));
            box->selectAll();
            QTest::keyClicks(box, QStringLiteral("Eetu"));
            QTest::keyClick(box, Qt::Key_Return); // Enter presses OK
        });
        g.window->showNameEntry();
        QCOMPARE(d.ViimeksiListallePaassytPelaaja, QStringLiteral("Eetu"));
        QCOMPARE(g.game().BestNames[0], QStringLiteral("Eetu"));
        QCOMPARE(g.game().BestScores[0], qint16(12));
        QCOMPARE(read(QStringLiteral("ParasPelaaja0")), QStringLiteral("Eetu"));
        QCOMPARE(g.game().WinStreak, qint16(0));

        g.game().WinStreak = 12;
        d.Form_Load();
        QVERIFY(d.lblTeksti()->text().startsWith(QStringLiteral("Voitit 12 peliä peräkkäin ja pääset")));
        QCOMPARE(d.txtNimi()->text(), QStringLiteral("Eetu"));
    }

    // OK is refused only for the empty name; a blank is a name; the box takes 16 characters.
    void nameEntryInput()
    {
        Game g(pictures_.path());
        frmKysyNimi& d = g.window->kysyNimi();
        g.game().WinStreak = 2;
        d.Form_Load();
        d.txtNimi()->clear();
        QVERIFY(!d.cmdPainike(0)->isEnabled());
        QTest::keyClick(d.txtNimi(), Qt::Key_Space);
        QVERIFY(d.cmdPainike(0)->isEnabled());
        d.txtNimi()->clear();
        QTest::keyClicks(d.txtNimi(), QStringLiteral("abcdefghijklmnopq"));
        QCOMPARE(d.txtNimi()->text(), QStringLiteral("abcdefghijklmnop"));
    }

    void nameEntryCountsCharacters_data()
    {
        QTest::addColumn<QString>("start"); // the name in the box before the input
        QTest::addColumn<int>("cursor");    // where the input goes; -1: at the end
        QTest::addColumn<QString>("way");   // typed, pasted, or the last name preset at load
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("stored");
        const QString fifteen = QStringLiteral("ABCDEFGHIJKLMNO");
        const QString sixteen = fifteen + QStringLiteral("P");
        const QString emoji = QStringLiteral("\U0001F600");
        const QString family = QStringLiteral("\U0001F468\u200D\U0001F469\u200D\U0001F467");
        QString accented;
        for (int i = 0; i < 16; ++i)
            accented += QStringLiteral("e\u0301");
        QTest::newRow("emoji as the 16th, typed") << fifteen << -1 << "typed" << emoji << fifteen + emoji;
        QTest::newRow("emoji as the 17th, typed") << sixteen << -1 << "typed" << emoji << sixteen;
        QTest::newRow("letter into a full name") << sixteen << 3 << "typed" << "x" << sixteen;
        QTest::newRow("joined emoji is one") << fifteen << -1 << "pasted" << family << fifteen + family;
        QTest::newRow("combining marks count with their letter") << QString() << -1 << "pasted" << accented << accented;
        QTest::newRow("paste cut at a whole emoji") << QString() << -1 << "pasted" << fifteen + emoji + emoji
                                                  << fifteen + emoji;
        QTest::newRow("paste into the middle") << QStringLiteral("ABCDEFGHIJKLMN") << 2 << "pasted" << emoji + emoji + emoji
                                               << QStringLiteral("AB") + emoji + emoji + QStringLiteral("CDEFGHIJKLMN");
        QTest::newRow("last name longer than the box") << QString() << -1 << "preset" << fifteen + emoji + emoji
                                                       << fifteen + emoji;
        // Sixteen letters with 70 marks each are 2,256 bytes: the store gives back 2,047 and a NUL.
        const QString heavy = QStringLiteral("e") + QString(70, QChar(0x0301));
        QTest::newRow("no more than the store gives back") << QString() << -1 << "pasted" << heavy.repeated(16)
                                                          << heavy.repeated(14);
        QTest::newRow("typed past what the store gives back") << heavy.repeated(14) << -1 << "typed" << heavy
                                                             << heavy.repeated(14);
    }

    // The name box counts characters as the player sees them and never splits one; what OK
    // stores is exactly the box's whole characters.
    void nameEntryCountsCharacters()
    {
        QFETCH(QString, start);
        QFETCH(int, cursor);
        QFETCH(QString, way);
        QFETCH(QString, input);
        QFETCH(QString, stored);
        Game g(pictures_.path());
        frmKysyNimi& d = g.window->kysyNimi();
        g.game().WinStreak = 2;
        if (way == QLatin1String("preset"))
            d.ViimeksiListallePaassytPelaaja = input;
        d.Form_Load();
        QLineEdit* box = d.txtNimi();
        if (way != QLatin1String("preset")) {
            box->setText(start);
            box->setCursorPosition(cursor < 0 ? int(start.size()) : cursor);
            if (way == QLatin1String("typed"))
                QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, input, Qt::NoModifier);
            else
                box->insert(input);
        }
        QCOMPARE(box->text(), stored);
        d.cmdPainike_Click(0);
        QCOMPARE(read(QStringLiteral("ParasPelaaja0")), stored);
    }

    // Esc presses Peruuta: nothing is stored and the run ends. The close box runs neither
    // button: nothing is stored and the run keeps its length.
    void nameEntryCancelAndCloseBox()
    {
        Game g(pictures_.path());
        g.game().WinStreak = 4;
        const OnModal modal2([](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
        g.window->showNameEntry();
        QCOMPARE(g.game().WinStreak, qint16(0));
        QVERIFY(!keyExists());

        g.game().WinStreak = 4;
        const OnModal modal3([](QWidget* w) { w->close(); });
        g.window->showNameEntry();
        QCOMPARE(g.game().WinStreak, qint16(4));
        QVERIFY(!keyExists());
    }

    // In the name entry Tab goes from the name to OK and Peruuta; Enter on Peruuta presses
    // Peruuta: the run ends unstored.
    void nameEntryEnterOnPeruuta()
    {
        Game g(pictures_.path());
        g.game().WinStreak = 5;
        {
            const OnModal modal([](QWidget* w) {
                QVERIFY(w->isActiveWindow());
                QCOMPARE(focusName(), QStringLiteral("txtNimi"));
                press(Qt::Key_Tab);
                QCOMPARE(focusName(), QStringLiteral("cmdPainike_0"));
                press(Qt::Key_Tab);
                QCOMPARE(focusName(), QStringLiteral("cmdPainike_1"));
                press(Qt::Key_Return);
            });
            g.window->showNameEntry();
        }
        QCOMPARE(g.game().WinStreak, qint16(0));
        QVERIFY(!keyExists());
    }

    void settingsEnterFollowsTheFocus_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<bool>("stored");
        QTest::newRow("OK") << "cmdPainike_0" << true;
        QTest::newRow("Peruuta") << "cmdPainike_1" << false;
        QTest::newRow("an option") << "optAloitustapa_3" << true;
        QTest::newRow("the slider") << "slValitsin" << true;
    }

    // Enter in the settings presses the focused button; on an option or the slider it
    // presses OK, the default.
    void settingsEnterFollowsTheFocus()
    {
        QFETCH(QString, focus);
        QFETCH(bool, stored);
        Game g(pictures_.path());
        {
            const OnModal modal([focus](QWidget* w) {
                w->findChild<QRadioButton*>(QStringLiteral("optAloitustapa_3"))->click();
                QWidget* target = w->findChild<QWidget*>(focus);
                target->setFocus(Qt::TabFocusReason);
                QCOMPARE(QApplication::focusWidget(), target);
                press(Qt::Key_Return);
            });
            g.window->asetukset().showModal();
        }
        QVERIFY(!g.window->asetukset().isVisible());
        QCOMPARE(keyExists(), stored);
        QCOMPARE(g.game().StartMode, stored ? StartModes::PreviousWinner : StartModes::Alternate);
    }

    // Enter on "Tyhjennä" in the list asks to clear, and the list stays open; Esc closes it.
    void bestResultsEnterOnTyhjenna()
    {
        Game g(pictures_.path());
        g.game().WinStreak = 2;
        g.game().InsertBestResult(QStringLiteral("Eetu"));
        MessageBoxScript boxes;
        boxes.no();
        bool stayedOpen = false;
        {
            const OnModal modal([&](QWidget* w) {
                w->findChild<QPushButton*>(QStringLiteral("cmdPainike_1"))->setFocus(Qt::TabFocusReason);
                press(Qt::Key_Return);
                stayedOpen = w->isVisible();
                press(Qt::Key_Escape);
            });
            g.window->mNaytaParhaatTulokset_Click();
        }
        QCOMPARE(boxes.shown().size(), 1);
        QCOMPARE(boxes.last().title, QStringLiteral("Tyhjennä"));
        QVERIFY(stayedOpen);
        QVERIFY(!g.window->parhaatTulokset().isVisible());
        QCOMPARE(g.game().BestNames[0], QStringLiteral("Eetu"));
    }

    // The list shows names as plain text, right-aligned ranks and runs, and offers clearing
    // only when there is something besides default entries.
    void bestResultsList()
    {
        Game g(pictures_.path());
        frmParhaatTulokset& d = g.window->parhaatTulokset();
        d.Form_Load();
        QVERIFY(!d.cmdPainike(1)->isEnabled());
        QCOMPARE(d.lblSija(9)->text(), QStringLiteral("10."));
        QVERIFY(d.lblSija(0)->alignment() & Qt::AlignRight);
        QVERIFY(d.lblTulos(0)->alignment() & Qt::AlignRight);

        g.game().WinStreak = 3;
        g.game().InsertBestResult(QStringLiteral("<b>x</b>"));
        d.Form_Load();
        QVERIFY(d.cmdPainike(1)->isEnabled());
        QCOMPARE(d.lblNimi(0)->text(), QStringLiteral("<b>x</b>"));
        QCOMPARE(d.lblNimi(0)->textFormat(), Qt::PlainText);
        QCOMPARE(d.lblTulos(0)->text(), QStringLiteral("3"));

        // A stored name too long for its column is cut with an ellipsis and shown whole,
        // as plain text, in its tip.
        const QString longName = QStringLiteral("<i>WWWWWWWWWWWWWWWWWWWWWWWW</i>");
        g.game().WinStreak = 4;
        g.game().InsertBestResult(longName);
        d.Form_Load();
        QVERIFY(d.lblNimi(0)->text().endsWith(QChar(0x2026)));
        QVERIFY(d.lblNimi(0)->toolTip().contains(longName.toHtmlEscaped()));
    }

    // Clearing asks first (No as default, help at 18); No changes nothing, Yes leaves ten
    // default rows, a disabled button and the defaults in the store.
    void clearingTheList()
    {
        Game g(pictures_.path());
        g.game().WinStreak = 5;
        g.game().InsertBestResult(QStringLiteral("Eetu"));
        frmParhaatTulokset& d = g.window->parhaatTulokset();
        d.Form_Load();
        {
            MessageBoxScript boxes;
            boxes.no();
            d.cmdPainike_Click(1);
            QCOMPARE(boxes.last().text, QStringLiteral("Haluatko varmasti tyhjentää parhaiden tulosten listan?"));
            QCOMPARE(boxes.last().title, QStringLiteral("Tyhjennä"));
            QCOMPARE(boxes.last().defaultButton, platform::MsgDefault::Second);
            QCOMPARE(boxes.last().helpContext, 18);
            QCOMPARE(d.lblNimi(0)->text(), QStringLiteral("Eetu"));
        }
        {
            MessageBoxScript boxes;
            boxes.yes();
            d.cmdPainike_Click(1);
            QCOMPARE(d.lblNimi(0)->text(), QStringLiteral("Oona Ohjelmoija"));
            QCOMPARE(d.lblTulos(0)->text(), QStringLiteral("0"));
            QVERIFY(!d.cmdPainike(1)->isEnabled());
            QCOMPARE(read(QStringLiteral("ParasPelaaja0")), QStringLiteral("Oona Ohjelmoija"));
            QCOMPARE(read(QStringLiteral("ParasTulos0")), QStringLiteral("0"));
        }
    }

    // The settings open from the variables, with the speed frame off when no animation is
    // shown at all, and follow the options as they are clicked.
    void settingsLoadAndSpeedFrame()
    {
        Game g(pictures_.path());
        frmAsetukset& d = g.window->asetukset();
        g.game().StartMode = StartModes::Random;
        g.game().ShowShuffleAndDeal = false;
        g.game().ShowCardMovement = false;
        g.game().AnimationSteps = 25;
        d.Form_Load();
        QVERIFY(d.optAloitustapa(1)->isChecked());
        QVERIFY(d.optSekoitusJako(1)->isChecked());
        QVERIFY(d.optSiirto(1)->isChecked());
        QCOMPARE(d.slValitsin()->value(), 3);
        QVERIFY(!d.frNopeus()->isEnabled());
        QVERIFY(!d.slValitsin()->isEnabled());
        d.optSiirto(0)->click();
        QVERIFY(d.frNopeus()->isEnabled());
        d.optSiirto(1)->click();
        QVERIFY(!d.frNopeus()->isEnabled());
        d.optSekoitusJako(0)->click();
        QVERIFY(d.frNopeus()->isEnabled());

        // Any other start mode text opens with the first option.
        g.game().StartMode = QStringLiteral("jotain");
        d.Form_Load();
        QVERIFY(d.optAloitustapa(0)->isChecked());
    }

    // OK stores all four values, creating the key; the third mode without its umlaut; the
    // slider's ends give 10 and 40 steps.
    void settingsOkStores()
    {
        Game g(pictures_.path());
        QVERIFY(!keyExists());
        frmAsetukset& d = g.window->asetukset();
        d.Form_Load();
        d.optAloitustapa(2)->click();
        d.optSekoitusJako(1)->click();
        d.slValitsin()->setValue(6);
        d.cmdPainike_Click(0);
        QCOMPARE(g.game().StartMode, QStringLiteral("Pienimman kortin omistaja"));
        QVERIFY(!g.game().ShowShuffleAndDeal);
        QVERIFY(g.game().ShowCardMovement);
        QCOMPARE(g.game().AnimationSteps, qint16(10));
        QCOMPARE(read(QStringLiteral("PelinAloitustapa")), QStringLiteral("Pienimman kortin omistaja"));
        QCOMPARE(read(QStringLiteral("NaytaKorttienSekoitusJaJako")), QStringLiteral("False"));
        QCOMPARE(read(QStringLiteral("NaytaKorttienSiirto")), QStringLiteral("True"));
        QCOMPARE(read(QStringLiteral("Animaationopeus")), QStringLiteral("6"));

        d.Form_Load();
        d.slValitsin()->setValue(0);
        d.cmdPainike_Click(0);
        QCOMPARE(g.game().AnimationSteps, qint16(40));
        QCOMPARE(read(QStringLiteral("Animaationopeus")), QStringLiteral("0"));
    }

    // Peruuta, Esc and the close box change nothing and store nothing.
    void settingsCancelChangesNothing()
    {
        Game g(pictures_.path());
        frmAsetukset& d = g.window->asetukset();
        for (int way = 0; way < 3; ++way) {
            const OnModal modal4([way](QWidget* w) {
                w->findChild<QRadioButton*>(QStringLiteral("optAloitustapa_3"))->click();
                w->findChild<QSlider*>(QStringLiteral("slValitsin"))->setValue(5);
                if (way == 0)
                    w->findChild<QPushButton*>(QStringLiteral("cmdPainike_1"))->click();
                else if (way == 1)
                    QTest::keyClick(w, Qt::Key_Escape);
                else
                    w->close();
            });
            d.showModal();
            QCOMPARE(g.game().StartMode, QStringLiteral("Vuoroaloitus"));
            QCOMPARE(g.game().AnimationSteps, qint16(40));
            QVERIFY(!keyExists());
        }
        // The next opening shows the variables again, not the forgotten choices.
        d.Form_Load();
        QVERIFY(d.optAloitustapa(0)->isChecked());
        QCOMPARE(d.slValitsin()->value(), 0);
    }

    // The help buttons of the dialogs say so when the help file cannot be opened.
    void helpFailureMessages()
    {
        Game g(pictures_.path()); // the test picture folder holds no help file
        MessageBoxScript boxes;
        boxes.ok().ok();
        g.window->asetukset().cmdPainike_Click(2);
        QCOMPARE(boxes.last().text, QStringLiteral("Ohjetiedoston vuska.hlp avaus ei onnistu."));
        QCOMPARE(boxes.last().title, QStringLiteral("Virhe"));
        g.window->parhaatTulokset().cmdPainike_Click(2);
        QCOMPARE(boxes.shown().size(), 2);
    }

    void helpButtonsOpenTheirTopics_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("title");
        QTest::newRow("settings: 17") << "frmAsetukset" << "Asetukset-ikkuna";
        QTest::newRow("best results: 18") << "frmParhaatTulokset" << "Parhaat tulokset";
    }

    // The dialogs' help buttons open the game's help at their own topics.
    void helpButtonsOpenTheirTopics()
    {
        QFETCH(QString, dialog);
        QFETCH(QString, title);
        QTemporaryDir folder;
        vuska::test::writeCardPictures(folder.path());
        const QString set = qEnvironmentVariable("VUSKA_SET_DIR");
        for (const char* name : {"vuska.hlp", "vuska122.cnt"})
            QVERIFY(QFile::copy(set + QLatin1Char('/') + QLatin1String(name), folder.path() + QLatin1Char('/') + QLatin1String(name)));
        Game g(folder.path());
        const MessageBoxScript noFailure; // any message would mean the help did not open
        if (dialog == QLatin1String("frmAsetukset"))
            g.window->asetukset().cmdPainike_Click(2);
        else
            g.window->parhaatTulokset().cmdPainike_Click(2);
        QWidget* viewer = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QLatin1String("helpViewer") && w->isVisible())
                viewer = w;
        }
        QVERIFY2(viewer, "no help window opened");
        const QString shown = viewer->findChild<QTextBrowser*>(QStringLiteral("topic"))->toPlainText();
        QVERIFY2(shown.startsWith(title), qPrintable(shown.left(80)));
        viewer->close();
    }

    // The menu bar carries the captions, trailing spaces included, and the shortcuts.
    void menus()
    {
        Game g(pictures_.path());
        const std::pair<const char*, const char*> items[] = {
            {"mUusiPeli", "&Uusi peli      "}, {"mLopeta", "&Lopeta"},
            {"mNaytaPainikkeet", "&Ikkunan alalaidan painikkeet"}, {"mNaytaParhaatTulokset", "&Parhaat tulokset..."},
            {"mNaytaAsetukset", "&Asetukset..."}, {"mOhjeenAiheet", "&Ohjeen aiheet"},
            {"mTietojaOhjelmasta", "&Tietoja ohjelmasta...      "}};
        for (const auto& [name, caption] : items) {
            QAction* item = g.window->menuItem(name);
            QVERIFY2(item, name);
            QCOMPARE(item->text(), QString::fromUtf8(caption));
        }
        QCOMPARE(g.window->menuItem("mUusiPeli")->shortcut(), QKeySequence(Qt::Key_F2));
        QCOMPARE(g.window->menuItem("mOhjeenAiheet")->shortcut(), QKeySequence(Qt::Key_F1));
        QVERIFY(g.window->menuItem("mNaytaPainikkeet")->isChecked());
    }

    // Hiding the buttons shortens the window, disables both buttons (so Esc no longer
    // quits) and stores "False"; showing them again restores it all and stores "True".
    void buttonRow()
    {
        for (const int twips : {15, 12}) {
            init();
            platform::screen::setTwipsPerPixelOverride(twips, twips);
            Game g(pictures_.path());
            g.window->mNaytaPainikkeet_Click();
            QCOMPARE(g.window->heightTwips(), twips == 15 ? 7670 : 6290);
            QVERIFY(!g.window->mNaytaPainikkeet()->isChecked());
            QVERIFY(!g.window->cmdPainike(1)->isEnabled());
            QCOMPARE(read(QStringLiteral("NaytaPainikkeet")), QStringLiteral("False"));
            // The row is cut off by the window's bottom.
            QVERIFY(g.window->cmdPainike(0)->y() >= g.window->centralWidget()->height());
            {
                const MessageBoxScript noQuestion; // Esc would ask to quit if it reached Lopeta
                QTest::keyClick(g.window.get(), Qt::Key_Escape);
            }
            // The guard goes on setting the hidden new-game button.
            g.game().HumanToPlay = true;
            QVERIFY(g.window->cmdPainike(0)->isEnabled());
            g.game().HumanToPlay = false;
            g.game().GameInProgress = true;
            QVERIFY(!g.window->cmdPainike(0)->isEnabled());

            g.window->mNaytaPainikkeet_Click();
            QCOMPARE(g.window->heightTwips(), twips == 15 ? 8160 : 6720);
            QVERIFY(g.window->cmdPainike(1)->isEnabled());
            QCOMPARE(read(QStringLiteral("NaytaPainikkeet")), QStringLiteral("True"));
        }
    }

    // The help index opens from the menu, or says it cannot.
    void helpTopicsMenu()
    {
        Game g(pictures_.path());
        MessageBoxScript boxes;
        boxes.ok();
        g.window->mOhjeenAiheet_Click();
        QCOMPARE(boxes.last().text, QStringLiteral("Ohjetiedoston vuska.hlp avaus ei onnistu."));
        QCOMPARE(boxes.last().icon, platform::MsgIcon::Exclamation);
        // The same for the help alone at its contents, as the desktop menu's entry opens it.
        boxes.ok();
        QVERIFY(!showHelpContents(g.game().helpFilePath(), nullptr));
        QCOMPARE(boxes.shown().size(), 2);
        QCOMPARE(boxes.last().text, QStringLiteral("Ohjetiedoston vuska.hlp avaus ei onnistu."));
    }

    void aboutBoxAddressesFit_data()
    {
        QTest::addColumn<QString>("email");
        QTest::addColumn<QString>("homePage");
        QTest::newRow("the build's own") << QString() << QString();
        QTest::newRow("longest e-mail address the build takes")
            << QStringLiteral("oona.ohjelmoija.vuska@esimerkkiyhdistys.org")
            << QStringLiteral("https://example.org/");
        QTest::newRow("longest home page the build takes")
            << QStringLiteral("oona@example.org")
            << QStringLiteral("https://www.esimerkkiyhdistys.org/oona/vuska/");
    }

    // An address of any length the build takes is either shown whole or cut to its label
    // with the whole address as its tip, and its link opens the whole address.
    void aboutBoxAddressesFit()
    {
        QFETCH(QString, email);
        QFETCH(QString, homePage);
        QVERIFY(email.size() <= 45 && homePage.size() <= 45);
        frmTietoja::setAddresses(email, homePage);
        const auto restore = qScopeGuard([] {
            frmTietoja::setAddresses({}, {});
            frmTietoja::setUrlOpener({});
        });
        QList<QUrl> opened;
        frmTietoja::setUrlOpener([&](const QUrl& url) { opened.append(url); return true; });
        frmTietoja d(pictures_.path(), nullptr);
        d.Form_Load();
        d.show();
        QApplication::setActiveWindow(&d);
        d.cmdPainike()->setFocus();
        for (const int link : {3, 4}) {
            QLabel* label = d.lblTeksti(link);
            const QString address = link == 3 ? frmTietoja::authorEmail() : frmTietoja::homePage();
            QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(label->text()));
            QVERIFY(label->geometry().right() < d.width());
            if (label->text() != address) {
                QVERIFY(label->text().contains(QChar(0x2026)));
                QVERIFY(label->toolTip().contains(address.toHtmlEscaped()));
            }
            // Tab reaches the link; a click, Enter, Space and a screen reader's press open it.
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), label);
            opened.clear();
            QTest::mouseClick(label, Qt::LeftButton);
            QTest::keyClick(label, Qt::Key_Return);
            QTest::keyClick(label, Qt::Key_Space);
            QAccessible::queryAccessibleInterface(label)->actionInterface()->doAction(
                QAccessibleActionInterface::pressAction());
            QCoreApplication::processEvents();
            const QString url = (link == 3 ? QStringLiteral("mailto:") : QString()) + address;
            QCOMPARE(opened, QList<QUrl>(4, QUrl(url)));
        }
    }

    // The about box shows the addresses as links with the pointing hand; a link that cannot
    // be handed to the desktop is reported with help at topic 19; other labels do nothing.
    void aboutBox()
    {
        Game g(pictures_.path());
        frmTietoja& d = g.window->tietoja();
        d.Form_Load();
        QCOMPARE(d.windowTitle(), QStringLiteral("Tietoja ohjelmasta"));
        QCOMPARE(d.lblTeksti(3)->text(), frmTietoja::authorEmail());
        QCOMPARE(d.lblTeksti(4)->text(), frmTietoja::homePage());
        QCOMPARE(d.lblTeksti(3)->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(d.lblTeksti(4)->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(d.lblTeksti(5)->cursor().shape(), Qt::ArrowCursor);
        // The picture is its 150 x 270 design at double density; the hand's hot spot, in
        // device-independent pixels on this platform, lies on the fingertip.
        const auto* picture = d.findChild<QLabel*>(QStringLiteral("pTaustakuva"));
        QVERIFY(picture);
        QCOMPARE(picture->pixmap().deviceIndependentSize(), QSizeF(150, 270));
        const QCursor hand = d.lblTeksti(3)->cursor();
        const QImage handPixels = hand.pixmap().toImage();
        const QPoint tip = hand.hotSpot() * hand.pixmap().devicePixelRatio();
        QCOMPARE(qAlpha(handPixels.pixel(tip)), 255);
        QCOMPARE(qAlpha(handPixels.pixel(tip - QPoint(3, 0))), 0);
        QVERIFY(d.lblTeksti(3)->font().underline());
        for (int i = 0; i < 7; ++i)
            QVERIFY2(d.lblTeksti(i)->sizeHint().width() <= d.lblTeksti(i)->width(), qPrintable(d.lblTeksti(i)->text()));

        QList<QUrl> opened;
        frmTietoja::setUrlOpener([&](const QUrl& url) { opened.append(url); return false; });
        MessageBoxScript boxes;
        boxes.ok().ok();
        d.lblTeksti_Click(3);
        QCOMPARE(opened.last(), QUrl(QStringLiteral("mailto:") + frmTietoja::authorEmail()));
        QCOMPARE(boxes.last().text, QStringLiteral("Sähköpostin lähetys ei onnistunut."));
        QCOMPARE(boxes.last().helpContext, 19);
        QCOMPARE(boxes.last().helpFile, pictures_.path() + QStringLiteral("/vuska.hlp"));
        d.lblTeksti_Click(4);
        QCOMPARE(opened.last(), QUrl(frmTietoja::homePage()));
        QCOMPARE(boxes.last().text, QStringLiteral("Vuskan kotisivun avaus ei onnistunut."));
        QCOMPARE(boxes.last().helpFile, pictures_.path() + QStringLiteral("/vuska.hlp"));
        d.lblTeksti_Click(1);
        d.lblTeksti_Click(2);
        QCOMPARE(opened.size(), 2);

        frmTietoja::setUrlOpener([&](const QUrl& url) { opened.append(url); return true; });
        d.lblTeksti_Click(4);
        QCOMPARE(boxes.shown().size(), 2);
        frmTietoja::setUrlOpener({});

        // Enter and Esc close the box.
        for (const auto key : {Qt::Key_Return, Qt::Key_Escape}) {
            const OnModal modal5([key](QWidget* w) { QTest::keyClick(w, key); });
            g.window->mTietojaOhjelmasta_Click();
            QVERIFY(!d.isVisible());
        }
    }
};

VUSKA_TEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
