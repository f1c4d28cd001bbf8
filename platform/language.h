#pragma once

#include <QString>
#include <QStringList>

// The language the programs speak: Finnish, their own, in which every text of the code is
// written, or Swedish or English through Qt's translation machinery. It is decided once, at
// start, from the user's languages, and Qt's own texts (a text box's context menu) follow.
namespace platform::language {

enum class Language { Finnish, Swedish, English };

// The first of Finnish, Swedish and English among the user's languages, most wanted first, as
// QLocale::uiLanguages() gives them ("sv-FI", "en-GB", "fi"). The C and POSIX locales keep
// Finnish, the programs' own language; a user whose languages are none of the three gets English.
Language choose(const QStringList& uiLanguages);

// The language's code: "fi", "sv", "en".
QString code(Language language);

// Decides the language from the user's locale, and for Swedish and English installs the
// program's catalogues (":/i18n/<catalogue>_<code>.qm") and Qt's own texts from `qtFolder`, by
// default the folder of Qt's translations (Finnish qtbase_fi, Swedish qt_sv; English is Qt's
// own). A catalogue of Qt's that is not installed leaves Qt's English, and nothing else
// happens. Call once the application object exists. Returns the language.
Language apply(const QStringList& catalogues, const QString& qtFolder = {});

// The language apply() decided; Finnish before it, and in the tests.
Language current();

// Sets the language for a test: installs what apply() would for it (nothing for Finnish) and
// takes away what an earlier call installed.
void setForTest(Language language, const QStringList& catalogues, const QString& qtFolder = {});

} // namespace platform::language
