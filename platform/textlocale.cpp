#include "platform/textlocale.h"

#include <clocale>
#include <cstring>

#include <langinfo.h>

#include <QByteArray>
#include <QtGlobal>

namespace platform {

namespace {

bool characterLocaleIsUtf8()
{
    const char* codeset = nl_langinfo(CODESET);
    return codeset && std::strcmp(codeset, "UTF-8") == 0;
}

} // namespace

void useUtf8CharacterLocale()
{
    std::setlocale(LC_ALL, "");
    if (characterLocaleIsUtf8())
        return;
    // LC_ALL outranks LC_CTYPE: where it is set, it names a locale without UTF-8, so nothing of
    // its is lost by naming the UTF-8 form of the C locale instead.
    qputenv(qEnvironmentVariableIsEmpty("LC_ALL") ? "LC_CTYPE" : "LC_ALL", "C.UTF-8");
    std::setlocale(LC_ALL, "");
}

} // namespace platform
