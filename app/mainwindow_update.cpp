// "Update file date": the new stamps of the ticked rows, checked and written to every
// ticked entry of the list.
#include "frm_FlashMessage.h"
#include "frm_MainWindow.h"
#include "fspath.h"
#include "update.h"

#include "platform/files.h"

#include <QListWidget>

namespace chronodex {

void frm_MainWindow::com_UptateTimestamp_Click() {
    std::array<RowInput, 3> inputs;
    std::array<bool, 3> ticked{};
    for (StampKind kind : AllStampKinds) {
        inputs[kind].ticked = ticked[kind] = rows_[kind].isTicked();
        for (int f = 0; f < FieldCount; ++f)
            inputs[kind].texts[f] = rows_[kind].text(f);
    }
    const NewValues built = buildNewValues(inputs);
    const QString crlf = QStringLiteral("\r\n");
    // Arial 10, black on white, "&OK": the dialog's own defaults.
    FlashArgs message{.TheTitle = options_.version.productName + QStringLiteral(" - Bad date"),
                      .Timer = 5000,
                      .IconNumber = 1};
    if (!built.problems.empty()) {
        message.TheMessage = fieldProblemsMessage(built.problems);
        FlashMessage(this, message);
        return;
    }
    const YearReport years = checkYears(built.values, ticked);
    if (!years.report.isEmpty() && years.refused) {
        message.TheMessage = QStringLiteral("Note:") + crlf + years.report +
                             QStringLiteral("Can't set the new date.");
        FlashMessage(this, message);
        return;
    }
    if (!years.report.isEmpty()) {
        message.TheMessage = QStringLiteral("Warning:") + crlf + years.report +
                             QStringLiteral("Set the new date anyway?");
        message.IconNumber = 2;
        message.ButtonText = QStringLiteral("&Cancel|&OK");
        if (FlashMessage(this, message) != 1) return;
    }
    // Every ticked entry is written first; then one report says what was not.
    const int n = lst_FileList->count();
    const QChar separator = QLatin1Char(platform::pathSeparator);
    std::vector<EntryOutcome> outcomes;
    for (int i = 0; i < n; ++i) {
        if (lst_FileList->item(i)->checkState() != Qt::Checked || !FilePaths_.hasSlot(i + 1))
            continue;
        const QString& path = FilePaths_.at(i + 1);
        outcomes.push_back({displayText(SplitPath(path, true, separator)),
                            PutFileDates(path, built.values[Created], built.values[Modified],
                                         built.values[Accessed])});
    }
    // The display follows the disk: the selected entry shows the stamps it has now.
    const int slot = lst_FileList->currentRow() + 1;
    if (slot > 0 && FilePaths_.hasSlot(slot)) ShowOldValues(FilePaths_.at(slot), false);
    const QString report = notWrittenReport(outcomes);
    if (!report.isEmpty())
        FlashMessage(this,
                     {.TheMessage = report,
                      .TheTitle = options_.version.productName + QStringLiteral(" - Not written"),
                      .Timer = 0,
                      .IconNumber = 1});
}

} // namespace chronodex
