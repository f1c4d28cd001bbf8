#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include "platform/language.h"
#include "tests/support/sandbox.h"

using platform::language::Language;

namespace {

// The texts of a text box's (or a text view's) context menu as a user reads them: no
// access-key marks, no shortcut column, no separators.
template <class TextBox>
QStringList contextMenuTexts()
{
    TextBox box;
    const std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator())
            texts.append(action->text().section(u'\t', 0, 0).remove(u'&'));
    }
    return texts;
}

} // namespace

class TestLanguage : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { platform::language::setForTest(Language::Finnish, {}); }

    void chosenFromTheUsersLanguages_data()
    {
        // The lists are what Qt reads from the environment named in each row.
        QTest::addColumn<QStringList>("uiLanguages");
        QTest::addColumn<Language>("language");
        QTest::newRow("no locale, LANG=C or POSIX, C.UTF-8") << QStringList{"C"} << Language::Finnish;
        QTest::newRow("LANG=fi_FI.UTF-8") << QStringList{"fi-FI", "fi-Latn-FI", "fi"} << Language::Finnish;
        QTest::newRow("LANG=sv_FI.UTF-8") << QStringList{"sv-FI", "sv-Latn-FI"} << Language::Swedish;
        QTest::newRow("LC_MESSAGES=sv_SE over LANG=fi_FI") << QStringList{"sv-SE", "sv-Latn-SE", "sv"} << Language::Swedish;
        QTest::newRow("LC_ALL=en_GB over LANG=fi_FI") << QStringList{"en-GB", "en-Latn-GB"} << Language::English;
        QTest::newRow("LANGUAGE=de:sv") << QStringList{"de", "de-Latn-DE", "de-DE", "sv", "sv-Latn-SE"} << Language::Swedish;
        QTest::newRow("LANG=de_DE.UTF-8") << QStringList{"de-DE", "de-Latn-DE", "de"} << Language::English;
    }
    void chosenFromTheUsersLanguages()
    {
        QFETCH(QStringList, uiLanguages);
        QFETCH(Language, language);
        QCOMPARE(platform::language::choose(uiLanguages), language);
    }

    // Qt's own texts follow the language once Qt's translations are there (Swedish from the
    // older whole catalogue); without them Qt's English stays and nothing fails.
    void qtTextsFollow_data()
    {
        QTest::addColumn<Language>("language");
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QStringList>("texts");
        const QStringList english{"Undo", "Redo", "Cut", "Copy", "Paste", "Delete", "Select All"};
        QTest::newRow("Finnish") << Language::Finnish << true
                                 << QStringList{"Kumoa", "Tee uudelleen", "Leikkaa", "Kopioi", "Liitä", "Poista", "Valitse kaikki"};
        QTest::newRow("Swedish") << Language::Swedish << true
                                 << QStringList{"Ångra", "Gör om", "Klipp ut", "Kopiera", "Klistra in", "Ta bort", "Markera alla"};
        QTest::newRow("English") << Language::English << true << english;
        QTest::newRow("Finnish, no translations") << Language::Finnish << false << english;
    }
    void qtTextsFollow()
    {
        QFETCH(Language, language);
        QFETCH(bool, installed);
        QFETCH(QStringList, texts);
        QTemporaryDir empty;
        platform::language::setForTest(language, {}, installed ? QString() : empty.path());
        QCOMPARE(platform::language::current(), language);
        QCOMPARE(contextMenuTexts<QLineEdit>(), texts);
        QCOMPARE(contextMenuTexts<QTextEdit>(), texts); // the help's and the terms' views
    }
};

VUSKA_TEST_MAIN(TestLanguage)

#include "test_platform_language.moc"
