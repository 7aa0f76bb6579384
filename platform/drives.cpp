// The rules each kind of drive keeps its stamps by, told from the file system's name.
#include "platform/civil.h"
#include "platform/files.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace platform {

bool DriveRules::keepsYear(const Instant& t) const {
    if (firstYear == 0) return true;
    const auto civil = civilOf(t);
    return civil && civil->year >= firstYear && civil->year <= lastYear;
}

DriveRules rulesForFileSystem(std::string_view name) {
    std::string n(name);
    std::transform(n.begin(), n.end(), n.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    // A FUSE mount names its driver after a dot: "fuse.fusefat", "fuseblk.ntfs-3g".
    if (n.rfind("fuse", 0) == 0 && n.find('.') != std::string::npos) n = n.substr(n.find('.') + 1);
    DriveRules r;
    if (n == "exfat" || n == "exfat-fuse") {
        r.kind = DriveRules::Kind::ExFat;
        r.accessedStep = 2;
    } else if (n == "vfat" || n == "msdos" || n == "fat" || n.rfind("fat", 0) == 0 ||
               n == "fusefat") {
        r.kind = DriveRules::Kind::Fat;
        r.modifiedStep = 2;
        r.accessedStep = 86400;
    } else if (n == "ntfs" || n == "ntfs3" || n == "ntfs-3g") {
        r.kind = DriveRules::Kind::Ntfs;
    }
    if (r.kind == DriveRules::Kind::Fat || r.kind == DriveRules::Kind::ExFat) {
        r.firstYear = 1980;
        r.lastYear = 2107;
    }
    return r;
}

} // namespace platform
