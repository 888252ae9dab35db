#pragma once
// Core texts are bytes. Cell and header texts are single-byte (Latin-1);
// file paths are the system's (UTF-8); messages and captions may carry
// either, so they are read as UTF-8 when valid and as Latin-1 otherwise.
#include <QString>
#include <QStringDecoder>

#include <string>

inline QString FromCell(const std::string& text) { return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())); }
inline std::string ToCell(const QString& text) { return text.toLatin1().toStdString(); }
inline std::string ToPath(const QString& path) { return path.toLocal8Bit().toStdString(); }

inline QString FromMessage(const std::string& text)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString out = utf8.decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
    return utf8.hasError() ? FromCell(text) : out;
}
