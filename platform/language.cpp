#include "platform/language.h"

#include <memory>
#include <vector>

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace platform::language {

namespace {

Language chosen = Language::Finnish;
std::vector<std::unique_ptr<QTranslator>> installed;

// Qt 6 calls the text views' context menu QWidgetTextControl; Qt's older whole Swedish
// catalogue still has its texts under the name they had before, QTextControl.
class Catalogue : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char* disambiguation, int n) const override
    {
        QString text = QTranslator::translate(context, source, disambiguation, n);
        if (text.isNull() && qstrcmp(context, "QWidgetTextControl") == 0)
            text = QTranslator::translate("QTextControl", source, disambiguation, n);
        return text;
    }
};

void install(const QString& name, const QString& folder)
{
    auto translator = std::make_unique<Catalogue>();
    if (translator->load(name, folder) && QCoreApplication::installTranslator(translator.get()))
        installed.push_back(std::move(translator));
}

void installFor(Language language, const QStringList& catalogues, const QString& qtFolder)
{
    for (const auto& translator : installed)
        QCoreApplication::removeTranslator(translator.get());
    installed.clear();
    chosen = language;
    const QString qt = qtFolder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : qtFolder;
    switch (language) {
    case Language::Finnish:
        // Our texts are Finnish as written; qtbase holds every text the widgets draw.
        install(QStringLiteral("qtbase_fi"), qt);
        return;
    case Language::Swedish:
        // Qt 6 has no qtbase_sv; the older whole catalogue covers the widgets' texts.
        install(QStringLiteral("qt_sv"), qt);
        break;
    case Language::English:
        break;
    }
    for (const QString& catalogue : catalogues)
        install(catalogue + u'_' + code(language), QStringLiteral(":/i18n"));
}

} // namespace

Language choose(const QStringList& uiLanguages)
{
    for (const QString& name : uiLanguages) {
        if (name == QLatin1String("C") || name == QLatin1String("POSIX"))
            return Language::Finnish;
        switch (QLocale(name).language()) {
        case QLocale::Finnish:
            return Language::Finnish;
        case QLocale::Swedish:
            return Language::Swedish;
        case QLocale::English:
            return Language::English;
        default:
            break;
        }
    }
    return uiLanguages.isEmpty() ? Language::Finnish : Language::English;
}

QString code(Language language)
{
    switch (language) {
    case Language::Swedish:
        return QStringLiteral("sv");
    case Language::English:
        return QStringLiteral("en");
    case Language::Finnish:
        break;
    }
    return QStringLiteral("fi");
}

Language apply(const QStringList& catalogues, const QString& qtFolder)
{
    installFor(choose(QLocale::system().uiLanguages()), catalogues, qtFolder);
    return chosen;
}

Language current()
{
    return chosen;
}

void setForTest(Language language, const QStringList& catalogues, const QString& qtFolder)
{
    installFor(language, catalogues, qtFolder);
}

} // namespace platform::language
