#include "bank/text_file.h"

#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace quz::bank {

namespace {

QString openFailure(const QString &path, int error)
{
    return QStringLiteral("Cannot open file \"%1\". %2")
        .arg(QFileInfo(path).absoluteFilePath(), QString::fromLocal8Bit(std::strerror(error)));
}

} // namespace

std::optional<std::string> readFileBytes(const QString &path, QString *error)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (error)
            *error = openFailure(path, errno);
        return std::nullopt;
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0)
            break;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            const int readError = errno;
            ::close(fd);
            if (error)
                *error = openFailure(path, readError);
            return std::nullopt;
        }
        bytes.append(buffer, static_cast<size_t>(got));
    }
    ::close(fd);
    return bytes;
}

std::vector<std::string> splitLines(std::string_view bytes)
{
    const size_t nul = bytes.find('\0');
    if (nul != std::string_view::npos)
        bytes = bytes.substr(0, nul);
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = start;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        lines.emplace_back(bytes.substr(start, end - start));
        if (end < bytes.size() && bytes[end] == '\r')
            ++end;
        if (end < bytes.size() && bytes[end] == '\n')
            ++end;
        start = end;
    }
    return lines;
}

std::string joinCrLf(const std::vector<std::string> &lines)
{
    size_t size = 0;
    for (const auto &line : lines)
        size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const auto &line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::string normaliseLines(std::string_view bytes) { return joinCrLf(splitLines(bytes)); }

QString fromCp1251(std::string_view bytes)
{
    QStringDecoder decoder("windows-1251");
    return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string toCp1251(const QString &text)
{
    // Encode one character at a time so that a character outside the code page
    // costs exactly one '?' and positions stay in step with the string.
    QStringEncoder encoder("windows-1251");
    std::string out;
    out.reserve(static_cast<size_t>(text.size()));
    for (const QChar ch : text) {
        const QByteArray one = encoder.encode(QStringView(&ch, 1));
        if (encoder.hasError() || one.size() != 1) {
            out += '?';
            encoder.resetState();
        } else {
            out += one.at(0);
        }
    }
    return out;
}

QStringList linesFromCp1251(std::string_view bytes)
{
    QStringList lines;
    for (const auto &line : splitLines(bytes))
        lines << fromCp1251(line);
    return lines;
}

} // namespace quz::bank
