#pragma once

namespace platform {

// Makes the program's own character locale (the C library's LC_CTYPE) a UTF-8 one when the
// caller's is not. Qt holds all text in Unicode, but the X window system takes a window's
// old-style title (WM_NAME) through the C library's character locale: started with none (a
// bare container, env -i, a cron job), a program would name its windows with the UTF-8 bytes
// read as Latin-1 ("TyhjennÃ¤"). Only this process changes: the environment stays as the
// program was given it, so what the program starts (a browser, a mail program) gets the user's
// own locale settings. Call once the application object exists, which reads the locale anew.
void useUtf8CharacterLocale();

} // namespace platform
