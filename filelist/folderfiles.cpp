#include "folderfiles.h"

#include "fspath.h"

#include "platform/files.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <utility>
#include <vector>

namespace chronodex {
namespace fs = std::filesystem;
namespace {

struct Walk {
    qsizetype limit;
    const Progress& progress;
    FolderFiles out;
    std::set<std::pair<std::uint64_t, std::uint64_t>> seen;
    int foldersRead = 0;

    bool over() const { return out.stopped || out.overflow; }

    void folder(const fs::path& dir) {
        if (over()) return;
        if (progress && !progress(foldersRead, 0)) {
            out.stopped = true;
            return;
        }
        ++foldersRead;
        const auto status = platform::pathStatus(dir.native(), true);
        if (status && status->id.known() &&
            !seen.insert({status->id.volume, status->id.index}).second)
            return; // walked already
        std::error_code ec;
        fs::directory_iterator it(dir, fs::directory_options::none, ec);
        std::vector<std::pair<fs::path, bool>> items; // path, is a folder
        for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
            std::error_code typeError;
            const fs::file_status type = it->symlink_status(typeError);
            if (typeError) continue; // gone meanwhile
            if (fs::is_symlink(type)) {
                const fs::file_status target = fs::status(it->path(), typeError);
                if (typeError || fs::is_directory(target)) continue; // dangling, or a folder
            }
            items.emplace_back(it->path(), fs::is_directory(type));
        }
        if (ec) {
            out.unreadable << displayText(fromFsPath(dir));
            return;
        }
        std::sort(items.begin(), items.end(), [](const auto& a, const auto& b) {
            return a.first.filename().native() < b.first.filename().native();
        });
        for (const auto& [path, isFolder] : items) {
            if (over()) return;
            if (isFolder) {
                folder(path);
            } else {
                out.files << fromFsPath(path);
                out.overflow = out.files.size() > limit;
            }
        }
    }
};

} // namespace

FolderFiles filesInFolders(const QStringList& folders, qsizetype limit, const Progress& progress) {
    Walk walk{limit, progress, {}, {}, 0};
    for (const QString& folder : folders)
        walk.folder(toFsPath(folder));
    return std::move(walk.out);
}

} // namespace chronodex
