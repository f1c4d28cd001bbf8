#include "game/registry/mdlvuska2.h"

#include <QLocale>
#include <QMetaType>
#include <QRegularExpression>

#include <cmath>
#include <limits>
#include <optional>

namespace vuska {

namespace reg = platform::registry;

namespace {

// The fixed buffer the value is read into; a longer value does not fit and is not read.
constexpr qsizetype kReadBufferSize = 2048;

// The kinds WriteRegistryValue takes: the Windows REG_* codes.
constexpr int REG_SZ = 1;
constexpr int REG_DWORD = 4;

// VB's CLng: round half to even, then it must fit in 32 bits.
std::optional<qint32> roundToLong(double number)
{
    if (!std::isfinite(number))
        return std::nullopt;
    double whole = std::floor(number);
    const double fraction = number - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    if (whole < double(std::numeric_limits<qint32>::min())
        || whole > double(std::numeric_limits<qint32>::max()))
        return std::nullopt;
    return qint32(whole);
}

std::optional<qint32> parseLong(const QString& text)
{
    static const QRegularExpression decimal(
        QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    const QString trimmed = text.trimmed();
    if (!decimal.match(trimmed).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double number = QLocale::c().toDouble(trimmed, &ok);
    if (!ok)
        return std::nullopt;
    return roundToLong(number);
}

std::optional<qint32> toLong(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? -1 : 0;
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::SChar:
    case QMetaType::Char:
    case QMetaType::Long:
    case QMetaType::LongLong: {
        const qlonglong number = value.toLongLong();
        if (number < std::numeric_limits<qint32>::min() || number > std::numeric_limits<qint32>::max())
            return std::nullopt;
        return qint32(number);
    }
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::UChar:
    case QMetaType::ULong:
    case QMetaType::ULongLong: {
        const qulonglong number = value.toULongLong();
        if (number > qulonglong(std::numeric_limits<qint32>::max()))
            return std::nullopt;
        return qint32(number);
    }
    case QMetaType::Double:
    case QMetaType::Float:
        return roundToLong(value.toDouble());
    case QMetaType::QString:
    case QMetaType::QByteArray:
    case QMetaType::QChar:
        return parseLong(value.toString());
    default:
        return std::nullopt;
    }
}

// A string value as the store keeps it: the text's bytes and a terminating NUL.
QByteArray storedText(const QString& text)
{
    QByteArray data = text.toUtf8();
    data.append('\0');
    return data;
}

QString toText(const QVariant& value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    return value.toString();
}

} // namespace

QString ReadRegistryValue(Hive hive, const QString& keyPath, const QString& valueName)
{
    std::optional<reg::Key> key = reg::openKey(hive, keyPath);
    if (!key)
        return NotFound;
    reg::ValueType type = reg::ValueType::None;
    QByteArray data;
    const reg::Status status = reg::queryValue(*key, valueName, type, data, kReadBufferSize);
    reg::closeKey(*key);
    if (status != reg::Status::Ok)
        return NotFound;

    switch (type) {
    case reg::ValueType::DWord: {
        quint32 number = 0;
        for (qsizetype i = 0; i < 4 && i < data.size(); ++i)
            number |= quint32(quint8(data[i])) << (8 * i);
        return QString::number(number).rightJustified(3, u'0');
    }
    case reg::ValueType::Binary:
        return QString::fromLatin1(data.toHex().toUpper());
    default:
        if (data.isEmpty())
            return QString();
        return QString::fromUtf8(data.first(data.size() - 1));
    }
}

bool WriteRegistryValue(Hive hive, const QString& keyPath, const QString& valueName, int kind,
                        const QVariant& value)
{
    reg::ValueType type = reg::ValueType::None;
    QByteArray data;
    if (kind == REG_DWORD) {
        const std::optional<qint32> number = toLong(value);
        if (!number)
            return false;
        const quint32 bits = quint32(*number);
        for (int i = 0; i < 4; ++i)
            data.append(char((bits >> (8 * i)) & 0xff));
        type = reg::ValueType::DWord;
    } else if (kind == REG_SZ) {
        data = storedText(toText(value));
        type = reg::ValueType::String;
    } else {
        return false;
    }

    // The key can vanish between its making and the write: another process deletes it, or the
    // write finds the store damaged and a fresh one takes its place. Made again, it takes the
    // value, so that the write lands all the same.
    for (int attempt = 0; attempt < 2; ++attempt) {
        std::optional<reg::Key> key = reg::createKey(hive, keyPath);
        if (!key)
            return false;
        const reg::Status status = reg::setValue(*key, valueName, type, data);
        if (status == reg::Status::NotFound)
            continue;
        return status == reg::Status::Ok && reg::flushKey(*key) == reg::Status::Ok;
    }
    return false;
}

bool RegistryTextFits(const QString& text)
{
    return storedText(text).size() <= kReadBufferSize;
}

} // namespace vuska
