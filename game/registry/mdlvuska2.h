#pragma once

#include "platform/registry.h"

#include <QString>
#include <QVariant>

// The two registry procedures the game and its setup program share. Each call stands alone:
// it opens the key, does its one thing and closes it again; nothing is kept between calls.
// Neither ever shows anything or throws.
namespace vuska {

using platform::registry::Hive;
inline constexpr Hive HKEY_CURRENT_USER = Hive::CurrentUser;
inline constexpr Hive HKEY_LOCAL_MACHINE = Hive::LocalMachine;

// What ReadRegistryValue answers when there is nothing (usable) to read.
inline const QString NotFound = QStringLiteral("Not Found");

// The value as text, or NotFound when the key or value is missing, cannot be read, or needs
// more than 2048 bytes. REG_DWORD reads as the unsigned decimal number with at least three
// digits ("005"), REG_BINARY as uppercase hexadecimal ("01AB"), anything else as the stored
// text without its terminating NUL, decoded as UTF-8 (the character set of the Linux locale,
// standing in for the Windows code page).
QString ReadRegistryValue(Hive hive, const QString& keyPath, const QString& valueName);

// Creates the key (and the keys above it) when needed, stores the value and makes sure it is
// on the disk. `kind` 4 (REG_DWORD) stores the value rounded to a 32-bit signed number (half to
// even, like VB's CLng; numbers, booleans as VB's -1/0, or text holding a decimal number with
// '.' as the decimal point); kind 1 (REG_SZ) stores the text as UTF-8 with a terminating NUL (booleans
// as "True"/"False"). True exactly when the value was stored; any other kind, or a number
// that is out of range or not a number, stores nothing.
bool WriteRegistryValue(Hive hive, const QString& keyPath, const QString& valueName, int kind,
                        const QVariant& value);

// Whether a text that WriteRegistryValue stores as a string (kind 1) can be read back by
// ReadRegistryValue, which reads nothing longer than its buffer: counted in the bytes the store
// keeps, the encoded text with its terminating NUL.
bool RegistryTextFits(const QString& text);

} // namespace vuska
