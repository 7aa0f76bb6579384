// What the program asks of the operating system about files: attributes, lengths and the
// three time stamps. One implementation per system (posix/, win32/); no Qt here.
#pragma once

#include "platform/names.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Attribute bits, as the Windows file system reports them.
enum Attribute : std::uint32_t {
    AttrReadOnly = 0x01,
    AttrHidden = 0x02,
    AttrSystem = 0x04,
    AttrDirectory = 0x10,
    AttrArchive = 0x20,
};

// A calendar date and time of day as the system hands it over (a SYSTEMTIME without the
// day of the week and the milliseconds). The year may lie beyond what the program can hold.
struct SystemTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    bool operator==(const SystemTime&) const = default;
};

// A stamp exactly as the file system keeps it: whole seconds since 1970-01-01 00:00:00 UTC
// and the fraction of the second in nanoseconds (0 to 999,999,999; in steps of 100 ns on
// Windows). Every stamp a file system can hold is one, whatever its year.
struct Instant {
    std::int64_t seconds = 0;
    std::int32_t nanoseconds = 0;
    auto operator<=>(const Instant&) const = default;
};

// What a drive keeps, told once per drive from its file system: how closely it keeps the
// modified and accessed stamps, the years it keeps at all, and whether a program may set a
// file's creation stamp there.
struct DriveRules {
    enum class Kind { Other, Fat, ExFat, Ntfs, UnknownFuse } kind = Kind::Other;
    // Seconds to which the stamps are kept; 1 for a second or finer.
    std::int64_t modifiedStep = 1, accessedStep = 1;
    // The years the drive keeps, first and last; 0 where it keeps what the system does.
    int firstYear = 0, lastYear = 0;
    // A program may set creation times there: Windows, and NTFS through ntfs-3g (the
    // system decides; the name alone does not tell).
    bool creationSettable = false;
    // A FUSE drive of a kind that could not be told: its driver and source, as mounted.
    std::string driver;
    // Whether a stamp lies in a year the drive keeps (its UTC year).
    bool keepsYear(const Instant& t) const;
};

// The rules of a file system by the name the system gives it: "vfat", "FAT32", "exfat",
// "exFAT", "ntfs", "NTFS", "fuse.fusefat"...; Kind::Other for any other name.
DriveRules rulesForFileSystem(std::string_view name);

// The rules of the drives one operation meets, each drive looked into once (by its device
// number or volume serial): an update of a long list asks the system once per drive.
class Drives {
  public:
    template <class Find> const DriveRules& of(std::uint64_t volume, Find find) {
        auto it = known_.find(volume);
        if (it == known_.end()) it = known_.emplace(volume, find()).first;
        return it->second;
    }

  private:
    std::map<std::uint64_t, DriveRules> known_;
};

// The attribute bits of a path; nothing when the path cannot be read (missing, no access).
std::optional<std::uint32_t> fileAttributes(const NativePath& path);

// Which object a path names: its device and inode (Windows: volume serial and file index).
// Kept when an entry is listed, so that a writer can tell the object it opens is that one.
struct FileId {
    std::uint64_t volume = 0, index = 0;
    // It was a regular file, which the writer opens at once and checks on the open file.
    bool regular = false;
    bool known() const { return volume != 0 || index != 0; }
    bool operator==(const FileId&) const = default;
    // What a reader or writer is given to check the object it opens against: this identity
    // when one was taken, else nothing (no check).
    const FileId* toCheck() const { return known() ? this : nullptr; }
};

// The attribute bits of a path and, with `identify`, the identity of the object it names (a
// link is followed: its target is the object); nothing when the path cannot be read. Linux
// reads both in one call; Windows must open the object for its identity.
struct PathStatus {
    std::uint32_t attributes = 0;
    FileId id;
};
std::optional<PathStatus> pathStatus(const NativePath& path, bool identify = true);

// The "directory search for one name": true when the path is an existing file that is
// neither hidden, system nor a directory.
bool isNormalFile(const std::filesystem::path& path);

// The length of a normal file in bytes; -1 for anything else or when it cannot be read.
std::int64_t normalFileLength(const std::filesystem::path& path);

// True for the root of a drive (C:\ , also written C: or C:/), of a network share
// (\\server\share\) and for / on Linux: objects with no creation date of their own.
bool isDriveRoot(const std::filesystem::path& path);

enum class WriteFailure;

// The three stamps of a file, read from its directory entry without opening the file, so
// that read-only files and files in use show theirs too.
struct FileTimes {
    // The stamps were read: the path is an existing file (not a directory or another kind
    // of object).
    bool read = false;
    // The file could be opened for reading and writing without sharing, which writing its
    // stamps needs: false for read-only files, files in use and files we may not write.
    bool writable = false;
    // In the system's order, exactly; empty where the file system keeps no such stamp.
    std::optional<Instant> created, accessed, modified;
    // Not read: the path names another object than the one `expected`.
    bool replaced = false;
    // Why a file that was read is not writable: ReadOnly, ReadOnlyDrive, InUse, NotOwner...
    WriteFailure unwritable{};
    // The creation stamp can be set on this file's drive (Windows; NTFS through ntfs-3g).
    bool creationSettable = false;
};
FileTimes readFileTimes(const std::filesystem::path& path, const FileId* expected = nullptr);

// What a listing of files shows of an object, from one look at its directory entry without
// opening it (a link is followed): its attributes, its length (a file's; -1 for a folder and,
// on Linux, for anything but a regular file) and its three stamps, empty where not kept.
// Nothing when the path cannot be read.
struct EntryStatus {
    std::uint32_t attributes = 0;
    std::int64_t size = -1;
    std::optional<Instant> created, accessed, modified;
};
std::optional<EntryStatus> entryStatus(const NativePath& path);

// The creation time of a directory; empty when it cannot be read.
std::optional<Instant> directoryCreated(const std::filesystem::path& path);

// Whether this system lets a program set a file's creation stamp on some drive (Linux: on
// NTFS drives mounted with ntfs-3g); readFileTimes tells it for each file.
bool canSetCreationTime();

// What became of one stamp the caller gave.
enum class StampWrite {
    NotAsked,  // no value given: left as it was
    Written,   // read back as asked, to the file system's own resolution
    Rounded,   // read back as the nearest time the file system keeps (FAT's 2 seconds, a
               // fraction of a second it does not hold): written, though not exactly
    NotKept,   // the file system keeps no such stamp; the others are judged without it
    CannotSet, // this drive does not let a program set such a stamp (the creation time)
    Differs,   // read back as another date: the file system cannot hold it
};

// Why a file's stamps were not written.
enum class WriteFailure {
    None,          // written (stamps not kept or not settable are said per stamp)
    ReadOnly,      // the file is read-only
    Missing,       // the file no longer exists
    Directory,     // a directory: only files have their stamps written
    DateNotHeld,   // a stamp read back as another date; every stamp was put back as it was
    InUse,         // another program holds the file, or access was denied
    NotAFile,      // a FIFO, socket or device: only regular files have their stamps written
    Replaced,      // the path names another object than the one listed
    NotOwner,      // the file belongs to another user, who alone may set its stamps
    ReadOnlyDrive, // the file system is mounted read-only or the drive is write-protected
    NoSearch,      // a folder on the path cannot be searched
    PathTooLong,   // the path is too long for the system
    YearNotKept,   // a stamp lies in a year its drive does not keep (FAT, exFAT: 1980 to 2107)
    NoCreation,    // a creation stamp was asked for where the drive does not let it be set
    Other,         // anything else; `message` holds the system's own text
};

// The outcome of writing one file's stamps.
struct WriteOutcome {
    WriteFailure failure = WriteFailure::None;
    // The system's text (UTF-8) for WriteFailure::Other; for DateNotHeld on a FUSE drive of
    // a kind that could not be told, its driver and source.
    std::string message;
    StampWrite created = StampWrite::NotAsked, accessed = StampWrite::NotAsked,
               modified = StampWrite::NotAsked;
    // The stamps the file had right before the write, exactly, as readFileTimes gives them,
    // once the file was opened for writing: what "Undo last update" puts back without
    // reading the file again. A stamp this system never writes may be left out.
    FileTimes before{};
    // The years the drive keeps, for WriteFailure::YearNotKept.
    int firstYear = 0, lastYear = 0;
    bool written() const { return failure == WriteFailure::None; }
    // Every stamp asked for came back exactly as asked, to its fraction of a second.
    bool exact() const {
        return created != StampWrite::Rounded && accessed != StampWrite::Rounded &&
               modified != StampWrite::Rounded;
    }
};

// The stamps to write; an empty one is left as it is.
struct StampsToWrite {
    std::optional<Instant> created, accessed, modified;
    // A stamp asked for in whole seconds that the file already has, to the second, is left
    // as it is, with its fraction of a second: a value the user did not change changes
    // nothing. (Undo asks for exact values and leaves this off.)
    bool keepFraction = false;
    // When set, each stamp given is only a choice: it becomes the opened file's own stamp
    // moved by this many seconds, with its fraction of a second.
    std::optional<std::int64_t> shiftBy;
    // The creation stamp is written only where the drive takes it, and left out without a
    // word elsewhere; without this a file whose drive cannot take it is not written at all.
    bool createdWhereSettable = false;
};

// Opens the object a path names, checks it before anything is done to it (a regular file
// with a write bit; when `expected` is given, the object listed), writes the stamps that are
// given and leaves the others as they are, then reads them back: a stamp that came back as
// another date puts every stamp of the file back as it was (WriteFailure::DateNotHeld).
// Year 1601 is written down to its first second. Nothing but the checked object is opened:
// no device, and a FIFO never blocks. A stamp in a year the drive does not keep is refused
// before anything is written, as is a creation stamp where the drive cannot take one. The
// drive's rules are looked up in `drives` when given (once per drive), else found afresh.
WriteOutcome writeFileTimes(const NativePath& path, const StampsToWrite& stamps,
                            const FileId* expected = nullptr, Drives* drives = nullptr);

// Why a file's contents could not be read.
enum class ReadFailure { None, Missing, Directory, NotAFile, TooLarge, Unreadable, Replaced };

// A regular file's contents, read through one open of the path, checked before anything is
// read (when `expected` is given: the object listed): at most `limit` bytes (a larger file
// is refused whole). Reading leaves the file's accessed stamp exactly as it was.
struct FileContents {
    ReadFailure failure = ReadFailure::None;
    std::string bytes;
};
FileContents readFileContents(const std::filesystem::path& path, std::size_t limit,
                              const FileId* expected = nullptr);

// Reads parts of a regular file of any length at the places the caller chooses, through one
// open of the path checked as readFileContents checks it, and keeps its accessed stamp as that
// does. `read` is given the file's length and a reader of up to `n` bytes at `offset` (fewer at
// the end of the file; nothing after an error of the system).
using ReadAt = std::function<std::optional<std::string>(std::uint64_t offset, std::size_t n)>;
ReadFailure readFileParts(const std::filesystem::path& path,
                          const std::function<void(std::uint64_t length, const ReadAt&)>& read,
                          const FileId* expected = nullptr);

// The folder the program runs from is Qt's business; the platform knows the separator.
inline constexpr char pathSeparator = static_cast<char>(std::filesystem::path::preferred_separator);

} // namespace platform
