#include "platform/qttranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace platform {

bool loadQtFinnishTexts(const QString& folder)
{
    auto* app = QCoreApplication::instance();
    if (!app)
        return false;
    const QString from = folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : folder;
    // qtbase holds every text the widgets draw; the other modules' catalogues are not used.
    auto* translator = new QTranslator(app);
    if (!translator->load(QStringLiteral("qtbase_fi"), from)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

} // namespace platform
