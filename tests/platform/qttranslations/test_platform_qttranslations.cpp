#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include "platform/qttranslations.h"
#include "tests/support/sandbox.h"

namespace {

// The texts of a text box's context menu as a user reads them: no access-key marks, no
// shortcut column, no separators.
QStringList contextMenuTexts()
{
    QLineEdit box;
    const std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator())
            texts.append(action->text().section(u'\t', 0, 0).remove(u'&'));
    }
    return texts;
}

} // namespace

class TestQtTranslations : public QObject {
    Q_OBJECT

private slots:
    // Qt's own texts are Finnish whatever the locale says, once the translations are there;
    // without them Qt's English stays and nothing fails. The test program runs in C.UTF-8.
    void qtSpeaksFinnish_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("no translations") << false
                                         << QStringList{"Undo", "Redo", "Cut", "Copy", "Paste", "Delete", "Select All"};
        QTest::newRow("Qt's translations")
            << true << QStringList{"Kumoa", "Tee uudelleen", "Leikkaa", "Kopioi", "Liitä", "Poista", "Valitse kaikki"};
    }
    void qtSpeaksFinnish()
    {
        QFETCH(bool, installed);
        QFETCH(QStringList, texts);
        QTemporaryDir empty;
        QCOMPARE(platform::loadQtFinnishTexts(installed ? QString() : empty.path()), installed);
        QCOMPARE(contextMenuTexts(), texts);
    }
};

VUSKA_TEST_MAIN(TestQtTranslations)

#include "test_platform_qttranslations.moc"
