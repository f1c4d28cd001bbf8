#include <csignal>
#include <cstring>

#include <sqlite3.h>

#include <QCoreApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include "game/engine/mdlvuska.h"
#include "game/registry/mdlvuska2.h"
#include "game/registry/settingskey.h"
#include "platform/registry.h"
#include "tests/support/enginefakes.h"
#include "tests/support/sandbox.h"

using namespace vuska;
using vuska::test::FakeClock;
using vuska::test::FakePictures;
using vuska::test::FakeUser;
using vuska::test::ScriptedRandom;

namespace {

using Module = vuska::test::EngineTable;

QString read(const QString& name)
{
    return ReadRegistryValue(HKEY_CURRENT_USER, SettingsKey, name);
}

void write(const QString& name, const QString& value)
{
    QVERIFY(WriteRegistryValue(HKEY_CURRENT_USER, SettingsKeyForWrite, name, 1, value));
}

void storeList(std::initializer_list<std::pair<const char*, int>> entries)
{
    int i = 0;
    for (const auto& [name, score] : entries) {
        write(QStringLiteral("ParasPelaaja%1").arg(i), QString::fromUtf8(name));
        write(QStringLiteral("ParasTulos%1").arg(i), QString::number(score));
        ++i;
    }
}

// Saves two different lists one after the other, for ever, until it is killed.
int runSaver()
{
    Module m;
    bool told = false;
    for (int round = 0;; ++round) {
        const QChar tag = round % 2 ? QLatin1Char('B') : QLatin1Char('A');
        for (int i = 0; i < SlotCount; ++i) {
            m.game.NewBestNames[size_t(i)] = QString(tag) + QString::number(i);
            m.game.NewBestScores[size_t(i)] = qint16((round % 2 ? 50 : 100) - i);
        }
        m.game.SaveBestResults();
        if (!told) {
            std::fputs("ready\n", stdout);
            std::fflush(stdout);
            told = true;
        }
    }
}

} // namespace

class TestBestResults : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> config_;

private slots:
    void init()
    {
        config_ = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", config_->path().toLocal8Bit());
    }

    // An empty store gives ten default entries; any run of one or more qualifies.
    void emptyStoreGivesDefaults()
    {
        Module m;
        m.game.LoadBestResults();
        for (int i = 0; i < SlotCount; ++i) {
            QCOMPARE(m.game.BestNames[size_t(i)], QStringLiteral("Oona Ohjelmoija"));
            QCOMPARE(m.game.BestScores[size_t(i)], qint16(0));
        }
        QVERIFY(m.game.BestResultsHoldOnlyDefaults());
        m.game.WinStreak = 0;
        QVERIFY(!m.game.RunQualifiesForBestResults());
        m.game.WinStreak = 1;
        QVERIFY(m.game.RunQualifiesForBestResults());
    }

    void scoreConversion_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("score");
        QTest::newRow("plain") << "12" << 12;
        QTest::newRow("blanks around") << "  7 " << 7;
        QTest::newRow("plus sign") << "+5" << 5;
        QTest::newRow("negative") << "-3" << -3;
        QTest::newRow("largest") << "32767" << 32767;
        QTest::newRow("smallest") << "-32768" << -32768;
        QTest::newRow("too large keeps the old") << "40000" << 9;
        QTest::newRow("text keeps the old") << "x" << 9;
        QTest::newRow("decimal keeps the old") << "3.5" << 9;
        QTest::newRow("sign only keeps the old") << "-" << 9;
        QTest::newRow("inner blank keeps the old") << "1 2" << 9;
        QTest::newRow("empty is missing") << "" << 0;
        QTest::newRow("Not Found is missing") << "Not Found" << 0;
    }

    // Stored run lengths are decimal numbers; anything else leaves the slot's score as it
    // was, and its name is loaded all the same.
    void scoreConversion()
    {
        QFETCH(QString, stored);
        QFETCH(int, score);
        Module m;
        m.game.BestScores[4] = 9;
        write(QStringLiteral("ParasTulos4"), stored);
        write(QStringLiteral("ParasPelaaja4"), QStringLiteral("Eetu"));
        m.game.LoadBestResults();
        QCOMPARE(int(m.game.BestScores[4]), score);
        QCOMPARE(m.game.BestNames[4], QStringLiteral("Eetu"));
    }

    // An empty stored name becomes the default; any other is taken as it is.
    void storedNames()
    {
        write(QStringLiteral("ParasPelaaja0"), QString());
        write(QStringLiteral("ParasPelaaja1"), QStringLiteral("<b>x</b>"));
        write(QStringLiteral("ParasPelaaja2"), QString(40, QLatin1Char('n')));
        Module m;
        m.game.LoadBestResults();
        QCOMPARE(m.game.BestNames[0], QStringLiteral("Oona Ohjelmoija"));
        QCOMPARE(m.game.BestNames[1], QStringLiteral("<b>x</b>"));
        QCOMPARE(m.game.BestNames[2], QString(40, QLatin1Char('n')));
    }

    // A new run goes below the equal ones already there; the last entry drops out, and the
    // store holds all twenty values afterwards.
    void insertionBelowEqualRuns()
    {
        storeList({{"a", 9}, {"b", 7}, {"c", 7}, {"d", 5}, {"e", 4}, {"f", 3}, {"g", 2}, {"h", 2}, {"i", 1}, {"j", 1}});
        Module m;
        m.game.LoadBestResults();
        m.game.WinStreak = 7;
        QVERIFY(m.game.RunQualifiesForBestResults());
        m.game.InsertBestResult(QStringLiteral("Uusi"));
        const QStringList names = {"a", "b", "c", "Uusi", "d", "e", "f", "g", "h", "i"};
        const QList<int> scores = {9, 7, 7, 7, 5, 4, 3, 2, 2, 1};
        for (int i = 0; i < SlotCount; ++i) {
            QCOMPARE(m.game.BestNames[size_t(i)], names[i]);
            QCOMPARE(int(m.game.BestScores[size_t(i)]), scores[i]);
            QCOMPARE(read(QStringLiteral("ParasPelaaja%1").arg(i)), names[i]);
            QCOMPARE(read(QStringLiteral("ParasTulos%1").arg(i)), QString::number(scores[i]));
        }
        QCOMPARE(m.game.WinStreak, qint16(0));
    }

    // A run above the best goes first and everything else moves down one place.
    void insertionAtTheTop()
    {
        Module m;
        m.game.LoadBestResults();
        m.game.WinStreak = 3;
        m.game.InsertBestResult(QStringLiteral("Eka"));
        m.game.WinStreak = 5;
        m.game.InsertBestResult(QStringLiteral("Toka"));
        QCOMPARE(m.game.BestNames[0], QStringLiteral("Toka"));
        QCOMPARE(m.game.BestNames[1], QStringLiteral("Eka"));
        QCOMPARE(m.game.BestNames[2], QStringLiteral("Oona Ohjelmoija"));
        QCOMPARE(m.game.BestScores[1], qint16(3));
        // A run equal to the tenth does not qualify.
        m.game.WinStreak = 0;
        QVERIFY(!m.game.RunQualifiesForBestResults());
    }

    // Clearing writes the default entry into every slot, and the store holds it.
    void clearing()
    {
        storeList({{"a", 9}, {"b", 7}, {"c", 7}, {"d", 5}, {"e", 4}, {"f", 3}, {"g", 2}, {"h", 2}, {"i", 1}, {"j", 1}});
        Module m;
        m.game.LoadBestResults();
        QVERIFY(!m.game.BestResultsHoldOnlyDefaults());
        QList<int> shown;
        m.game.ClearBestResults([&](int i) { shown.append(i); });
        QCOMPARE(shown, (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
        QVERIFY(m.game.BestResultsHoldOnlyDefaults());
        for (int i = 0; i < SlotCount; ++i) {
            QCOMPARE(read(QStringLiteral("ParasPelaaja%1").arg(i)), QStringLiteral("Oona Ohjelmoija"));
            QCOMPARE(read(QStringLiteral("ParasTulos%1").arg(i)), QStringLiteral("0"));
        }
        // A default name with a real run counts as an entry.
        m.game.BestScores[3] = 3;
        QVERIFY(!m.game.BestResultsHoldOnlyDefaults());
    }

    // An insertion whose save fails leaves the list as it was, in the store and in memory;
    // the run is over all the same.
    void failedSaveKeepsTheList()
    {
        storeList({{"Aino", 9}, {"Eetu", 4}});
        {
            // The store still reads, but refuses every write from now on.
            sqlite3* db = nullptr;
            const QByteArray file =
                platform::registry::hiveFilePath(platform::registry::Hive::CurrentUser).toLocal8Bit();
            QCOMPARE(sqlite3_open(file.constData(), &db), SQLITE_OK);
            const char* refuse = "CREATE TRIGGER refuse_insert BEFORE INSERT ON vals BEGIN SELECT RAISE(ABORT, 'no'); END;"
                                 "CREATE TRIGGER refuse_update BEFORE UPDATE ON vals BEGIN SELECT RAISE(ABORT, 'no'); END;";
            QCOMPARE(sqlite3_exec(db, refuse, nullptr, nullptr, nullptr), SQLITE_OK);
            sqlite3_close(db);
        }
        Module m;
        m.game.LoadBestResults();
        m.game.WinStreak = 6;
        m.game.InsertBestResult(QStringLiteral("Uusi"));
        QCOMPARE(m.game.WinStreak, qint16(0));
        QCOMPARE(m.game.BestNames[0], QStringLiteral("Aino"));
        QCOMPARE(m.game.BestScores[0], qint16(9));
        QCOMPARE(m.game.BestNames[1], QStringLiteral("Eetu"));
        QCOMPARE(m.game.BestScores[1], qint16(4));
        QCOMPARE(m.game.BestNames[2], QStringLiteral("Oona Ohjelmoija"));
        QCOMPARE(read(QStringLiteral("ParasPelaaja1")), QStringLiteral("Eetu"));
        QCOMPARE(read(QStringLiteral("ParasPelaaja2")), QStringLiteral("Not Found"));
    }

    // A save killed at any moment leaves either the whole old list or the whole new one,
    // never a mix.
    void killedSaveLeavesNoMix()
    {
        QRandomGenerator rng(31);
        for (int round = 0; round < 12; ++round) {
            QProcess saver;
            saver.setProgram(QCoreApplication::applicationFilePath());
            saver.setArguments({QStringLiteral("--saver")});
            saver.start();
            QVERIFY(saver.waitForStarted());
            QVERIFY(saver.waitForReadyRead(20000));
            QThread::usleep(rng.bounded(1000, 60000));
            ::kill(pid_t(saver.processId()), SIGKILL);
            saver.waitForFinished();

            Module m;
            m.game.LoadBestResults();
            const QChar tag = m.game.BestNames[0].at(0);
            QVERIFY(tag == QLatin1Char('A') || tag == QLatin1Char('B'));
            const int top = tag == QLatin1Char('A') ? 100 : 50;
            for (int i = 0; i < SlotCount; ++i) {
                QCOMPARE(m.game.BestNames[size_t(i)], QString(tag) + QString::number(i));
                QCOMPARE(int(m.game.BestScores[size_t(i)]), top - i);
            }
        }
    }
};

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--saver") == 0) {
        QCoreApplication app(argc, argv);
        return runSaver();
    }
    vuska::test::Sandbox sandbox;
    QApplication app(argc, argv);
    TestBestResults tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "test_bestresults.moc"
