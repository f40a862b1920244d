#include "check/native_path.h"

#include "core/files/native_names.h"

#include "core/files/text_file.h"

#include <QStringDecoder>

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>

namespace quz::check {

QByteArray joinNative(const QByteArray &dir, const QByteArray &name)
{
    if (dir.isEmpty() || dir == ".")
        return name;
    return dir.endsWith('/') ? dir + name : dir + '/' + name;
}

Outcome<QByteArray> readNative(const QByteArray &native, files::FileKind kind)
{
    return files::readFileBytes(native, files::readablePath(native), kind);
}

PathState examine(const QByteArray &path)
{
    struct stat st {};
    if (::stat(path.constData(), &st) != 0)
        return {EntryType::Missing, errno};
    if (S_ISDIR(st.st_mode))
        return {EntryType::Folder, 0};
    return {S_ISREG(st.st_mode) ? EntryType::File : EntryType::Other, 0};
}

std::vector<QByteArray> folderEntries(const QByteArray &dir)
{
    std::vector<QByteArray> names;
    DIR *folder = ::opendir(dir.isEmpty() ? "." : dir.constData());
    if (!folder)
        return names;
    while (const dirent *entry = ::readdir(folder)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            names.push_back(name);
    }
    ::closedir(folder);
    std::vector<std::pair<QString, QByteArray>> sorted;
    sorted.reserve(names.size());
    for (QByteArray &name : names)
        sorted.emplace_back(files::readablePath(name), std::move(name));
    std::sort(sorted.begin(), sorted.end());
    names.clear();
    for (auto &[shown, name] : sorted)
        names.push_back(std::move(name));
    return names;
}

} // namespace quz::check
