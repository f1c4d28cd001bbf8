#include "platform/textlocale.h"

#include <clocale>
#include <cstring>

#include <langinfo.h>

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
    if (characterLocaleIsUtf8())
        return;
    // The UTF-8 form of the C locale is there on every glibc system; other categories
    // (collation, numbers) are left as they are.
    std::setlocale(LC_CTYPE, "C.UTF-8");
}

} // namespace platform
