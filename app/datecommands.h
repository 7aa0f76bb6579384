// The commands of the Edit menu that write the ticked entries' stamps from elsewhere: a shift
// by one amount, photos and videos, a reference file, the originals in a folder, the
// entries' names. Each is its own class: it asks what it needs, works out every entry's
// change, shows them all in one preview, and on OK writes them the one way every command
// writes (applyChanges: the year question, the undo of the last update, the report).
#pragma once

#include "batch.h"
#include "progress.h"
#include "undo.h"

#include <QString>

#include <functional>
#include <vector>

class QWidget;

namespace chronodex {

// What the window lends a command: the ticked entries, the undo store, the year question and
// what is done once it has written (the display follows the disk, the report is shown).
struct CommandSite {
    QWidget* parent = nullptr;
    QString productName;
    std::vector<TickedEntry> entries;
    UndoStore* undo = nullptr;
    std::function<bool(const QString& yearLines)> confirm;
    std::function<void(const QString& report, bool notWritten)> written;
    // How long the writes run before their progress and Cancel are shown.
    int progressAfterMs = 500;
};

class TickedCommand {
  public:
    virtual ~TickedCommand() = default;
    // Asks, previews, writes on OK and reports. False when nothing was written because the
    // user cancelled or the command could not start (it then says why).
    bool run(const CommandSite& site);
    // The command's name, the preview's title.
    virtual QString title() const = 0;

  protected:
    // Asks the user what the command needs; false when cancelled.
    virtual bool ask(QWidget* /*parent*/, const std::vector<TickedEntry>& /*entries*/) {
        return true;
    }
    // Every entry's change, in the order of `entries`, told to `progress` before each entry;
    // fewer changes than entries when it said stop. `refusal` set: the command cannot go on,
    // for that reason.
    virtual std::vector<EntryChange> plan(const std::vector<TickedEntry>& entries, QString& refusal,
                                          const Progress& progress) = 0;
};

// "Shift dates of ticked files...": the stamps chosen moved by one amount of real time.
class ShiftCommand : public TickedCommand {
  public:
    QString title() const override { return QStringLiteral("Shift dates of ticked files"); }

  protected:
    bool ask(QWidget* parent, const std::vector<TickedEntry>& entries) override;
    std::vector<EntryChange> plan(const std::vector<TickedEntry>& entries, QString&,
                                  const Progress& progress) override;

  private:
    std::int64_t seconds_ = 0;
    std::array<bool, 3> kinds_{};
};

// "Dates from photos": the date a photo was taken, or a video made.
class PhotoDatesCommand : public TickedCommand {
  public:
    QString title() const override { return QStringLiteral("Dates from photos"); }

  protected:
    std::vector<EntryChange> plan(const std::vector<TickedEntry>& entries, QString&,
                                  const Progress& progress) override;
};

// "Dates from file names": the date and time in each entry's name.
class NameDatesCommand : public TickedCommand {
  public:
    QString title() const override { return QStringLiteral("Dates from file names"); }

  protected:
    std::vector<EntryChange> plan(const std::vector<TickedEntry>& entries, QString&,
                                  const Progress& progress) override;
};

// "Dates from a reference file..." and "Dates from the originals...": stamps copied exactly
// from another file, chosen in one dialog.
class CopyDatesCommand : public TickedCommand {
  public:
    enum class From { Reference, Originals };
    explicit CopyDatesCommand(From from) : from_(from) {}
    QString title() const override;

  protected:
    bool ask(QWidget* parent, const std::vector<TickedEntry>& entries) override;
    std::vector<EntryChange> plan(const std::vector<TickedEntry>& entries, QString& refusal,
                                  const Progress& progress) override;

  private:
    From from_;
    QString source_;
    std::array<bool, 3> kinds_{};
    bool subfolders_ = false;
};

} // namespace chronodex
