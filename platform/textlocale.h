#pragma once

namespace platform {

// Makes the C library's character locale a UTF-8 one when the caller's is not, before the
// QApplication is made. Qt holds all text in Unicode, but the X window system takes a window's
// old-style title (WM_NAME) through the C library's character locale: started with none (a
// bare container, env -i, a cron job), a program would name its windows with the UTF-8 bytes
// read as Latin-1 ("TyhjennÃ¤"). The change goes into the environment too, so that Qt's own
// reading of the locale keeps it. Other categories (collation, numbers) are left as they are.
void useUtf8CharacterLocale();

} // namespace platform
